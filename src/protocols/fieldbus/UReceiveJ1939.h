#pragma once
// The J1939 receive table window ("J1939_Rec_Frames.xml").
// Created at start-up and relabelled with the others; its content comes with
// its own step of the system.
#include "shell/UShellForm.h"

class TFReceiveJ1939 : public TShellForm {
public:
    // Its texts in the table.
    static constexpr Integer Lang_First = 2800, Lang_Last = 2834;
    explicit TFReceiveJ1939(TComponent* AOwner) : TShellForm(AOwner, Lang_First) {}
};

extern TFReceiveJ1939* FReceiveJ1939;
