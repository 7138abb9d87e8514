#pragma once
// The CANopen SDO server table window ("SDO_Server_CANopen.xml").
// Created at start-up and relabelled with the others; its content comes with
// its own step of the system.
#include "shell/UShellForm.h"

class TFSet_SDO_Server_Access : public TShellForm {
public:
    // Its texts in the table.
    static constexpr Integer Lang_First = 2700, Lang_Last = 2749;
    explicit TFSet_SDO_Server_Access(TComponent* AOwner) : TShellForm(AOwner, Lang_First) {}
};

extern TFSet_SDO_Server_Access* FSet_SDO_Server_Access;
