#pragma once
// The NMEA 0183 window ("NMEA_0183_Set_Access.xml", shared with TFNMEA_0183_Set_Access2).
// Created at start-up and relabelled with the others; its content comes with
// its own step of the system.
#include "shell/UShellForm.h"

class TFNMEA_0183_Set_Access : public TShellForm {
public:
    // Its texts in the table.
    static constexpr Integer Lang_First = 3500, Lang_Last = 3529;
    explicit TFNMEA_0183_Set_Access(TComponent* AOwner) : TShellForm(AOwner, Lang_First) {}
};

extern TFNMEA_0183_Set_Access* FNMEA_0183_Set_Access;
