#pragma once
// The Modbus TCP master table window ("ModbusTCPM_SetAccess.xml").
// Created at start-up and relabelled with the others; its content comes with
// its own step of the system.
#include "shell/UShellForm.h"

class TFModbus_TCP_Master_Set_Access : public TShellForm {
public:
    // Its texts in the table.
    static constexpr Integer Lang_First = 1900, Lang_Last = 2003;
    explicit TFModbus_TCP_Master_Set_Access(TComponent* AOwner) : TShellForm(AOwner, Lang_First) {}
};

extern TFModbus_TCP_Master_Set_Access* FModbus_TCP_Master_Set_Access;
