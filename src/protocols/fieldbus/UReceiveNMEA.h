#pragma once
// The NMEA 2000 receive table window ("NMEA_Rec_Frames.xml").
// Created at start-up and relabelled with the others; its content comes with
// its own step of the system.
#include "shell/UShellForm.h"

class TFReceiveNMEA : public TShellForm {
public:
    // Its texts in the table.
    static constexpr Integer Lang_First = 3000, Lang_Last = 3030;
    explicit TFReceiveNMEA(TComponent* AOwner) : TShellForm(AOwner, Lang_First) {}
};

extern TFReceiveNMEA* FReceiveNMEA;
