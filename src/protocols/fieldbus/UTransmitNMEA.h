#pragma once
// The NMEA 2000 send table window ("NMEA_Send_Frames.xml").
// Created at start-up and relabelled with the others; its content comes with
// its own step of the system.
#include "shell/UShellForm.h"

class TFTransmitNMEA : public TShellForm {
public:
    // Its texts in the table.
    static constexpr Integer Lang_First = 3100, Lang_Last = 3134;
    explicit TFTransmitNMEA(TComponent* AOwner) : TShellForm(AOwner, Lang_First) {}
};

extern TFTransmitNMEA* FTransmitNMEA;
