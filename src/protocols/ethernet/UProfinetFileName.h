#pragma once
// The window that asks for the name of the GSDML file.
// Created at start-up and relabelled with the others; its content comes with
// its own step of the system.
#include "shell/UShellForm.h"

class TFProfinetFileName : public TShellForm {
public:
    // Its texts in the table.
    static constexpr Integer Lang_First = 1800, Lang_Last = 1810;
    explicit TFProfinetFileName(TComponent* AOwner) : TShellForm(AOwner, Lang_First) {}

    // The GSDML file name the user confirmed; read after OK.
    String Name_File_XML;
};

extern TFProfinetFileName* FProfinetFileName;
