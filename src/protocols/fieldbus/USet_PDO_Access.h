#pragma once
// The CANopen PDO table window ("PDO_CANopen.xml").
// Created at start-up and relabelled with the others; its content comes with
// its own step of the system.
#include "shell/UShellForm.h"

class TFSet_PDO_Access : public TShellForm {
public:
    // Its texts in the table.
    static constexpr Integer Lang_First = 2500, Lang_Last = 2567;
    explicit TFSet_PDO_Access(TComponent* AOwner) : TShellForm(AOwner, Lang_First) {}
};

extern TFSet_PDO_Access* FSet_PDO_Access;
