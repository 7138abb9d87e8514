#pragma once
// The CAN receive frame table window ("CAN_Rec_Frames.xml").
// Created at start-up and relabelled with the others; its content comes with
// its own step of the system.
#include "shell/UShellForm.h"

class TFReceiveCAN : public TShellForm {
public:
    // Its texts in the table.
    static constexpr Integer Lang_First = 2300, Lang_Last = 2342;
    explicit TFReceiveCAN(TComponent* AOwner) : TShellForm(AOwner, Lang_First) {}
};

extern TFReceiveCAN* FReceiveCAN;
