#pragma once
// The CAN send frame table window ("CAN_Send_Frames.xml").
// Created at start-up and relabelled with the others; its content comes with
// its own step of the system.
#include "shell/UShellForm.h"

class TFTransmitCAN : public TShellForm {
public:
    // Its texts in the table.
    static constexpr Integer Lang_First = 2400, Lang_Last = 2463;
    explicit TFTransmitCAN(TComponent* AOwner) : TShellForm(AOwner, Lang_First) {}
};

extern TFTransmitCAN* FTransmitCAN;
