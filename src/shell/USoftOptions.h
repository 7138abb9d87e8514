#pragma once
// The options window: language, internet access, version check and table options.
// Created at start-up and relabelled with the others; its content comes with
// its own step of the system.
#include "shell/UShellForm.h"

class TFSoftOptions : public TShellForm {
public:
    // Its texts in the table.
    static constexpr Integer Lang_First = 300, Lang_Last = 321;
    explicit TFSoftOptions(TComponent* AOwner) : TShellForm(AOwner, Lang_First) {}
};

extern TFSoftOptions* FSoftOptions;
