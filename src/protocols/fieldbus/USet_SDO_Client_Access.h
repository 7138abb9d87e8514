#pragma once
// The CANopen SDO client table window ("SDO_Client_CANopen.xml").
// Created at start-up and relabelled with the others; its content comes with
// its own step of the system.
#include "shell/UShellForm.h"

class TFSet_SDO_Client_Access : public TShellForm {
public:
    // Its texts in the table.
    static constexpr Integer Lang_First = 2600, Lang_Last = 2659;
    explicit TFSet_SDO_Client_Access(TComponent* AOwner) : TShellForm(AOwner, Lang_First) {}
};

extern TFSet_SDO_Client_Access* FSet_SDO_Client_Access;
