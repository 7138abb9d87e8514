#pragma once
// The J1939 send table window ("J1939_Send_Frames.xml").
// Created at start-up and relabelled with the others; its content comes with
// its own step of the system.
#include "shell/UShellForm.h"

class TFTransmitJ1939 : public TShellForm {
public:
    // Its texts in the table.
    static constexpr Integer Lang_First = 2900, Lang_Last = 2934;
    explicit TFTransmitJ1939(TComponent* AOwner) : TShellForm(AOwner, Lang_First) {}
};

extern TFTransmitJ1939* FTransmitJ1939;
