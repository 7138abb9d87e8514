#pragma once
// The "Set Communication" window: the general communication parameters of "ParGen.xml".
// Created at start-up and relabelled with the others; its content comes with
// its own step of the system.
#include "shell/UShellForm.h"

class TFParGen : public TShellForm {
public:
    // Its texts in the table.
    static constexpr Integer Lang_First = 400, Lang_Last = 1125;
    explicit TFParGen(TComponent* AOwner) : TShellForm(AOwner, Lang_First) {}
};

extern TFParGen* FParGen;
