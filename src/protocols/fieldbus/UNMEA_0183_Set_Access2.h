#pragma once
// The NMEA 0183 sentence window ("NMEA_0183_Set_Access.xml", shared with TFNMEA_0183_Set_Access).
// Created at start-up and relabelled with the others; its content comes with
// its own step of the system.
#include "shell/UShellForm.h"

class TFNMEA_0183_Set_Access2 : public TShellForm {
public:
    // Its texts in the table.
    static constexpr Integer Lang_First = 3600, Lang_Last = 3641;
    explicit TFNMEA_0183_Set_Access2(TComponent* AOwner) : TShellForm(AOwner, Lang_First) {}
};

extern TFNMEA_0183_Set_Access2* FNMEA_0183_Set_Access2;
