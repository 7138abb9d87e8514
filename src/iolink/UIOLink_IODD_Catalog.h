#pragma once
// The device description catalog window.
// Created at start-up and relabelled with the others; its content comes with
// its own step of the system.
#include "shell/UShellForm.h"

class TFIOLink_IODD_Catalog : public TShellForm {
public:
    // Its texts in the table.
    static constexpr Integer Lang_First = 1300, Lang_Last = 1310;
    explicit TFIOLink_IODD_Catalog(TComponent* AOwner) : TShellForm(AOwner, Lang_First) {}
};

extern TFIOLink_IODD_Catalog* FIOLink_IODD_Catalog;
