#pragma once
// The EtherCAT variable table window ("EtherCAT_Slave.xml").
// Created at start-up and relabelled with the others; its content comes with
// its own step of the system.
#include "shell/UShellForm.h"

class TFEtherCATSlave : public TShellForm {
public:
    // Its texts in the table.
    static constexpr Integer Lang_First = 3700, Lang_Last = 3750;
    explicit TFEtherCATSlave(TComponent* AOwner) : TShellForm(AOwner, Lang_First) {}
};

extern TFEtherCATSlave* FEtherCATSlave;
