#pragma once
// The Modbus master table window ("ModbusM_SetAccess.xml").
// Created at start-up and relabelled with the others; its content comes with
// its own step of the system.
#include "shell/UShellForm.h"

class TFSetAccess : public TShellForm {
public:
    // Its texts in the table.
    static constexpr Integer Lang_First = 1600, Lang_Last = 1693;
    explicit TFSetAccess(TComponent* AOwner) : TShellForm(AOwner, Lang_First) {}
};

extern TFSetAccess* FSetAccess;
