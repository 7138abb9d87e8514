#pragma once
// The editor of MQTT topic templates.
// Created at start-up and relabelled with the others; its content comes with
// its own step of the system.
#include "shell/UShellForm.h"

class TFTopicTemplate : public TShellForm {
public:
    // Its texts in the table.
    static constexpr Integer Lang_First = 3400, Lang_Last = 3408;
    explicit TFTopicTemplate(TComponent* AOwner) : TShellForm(AOwner, Lang_First) {}
};

extern TFTopicTemplate* FTopicTemplate;
