#pragma once
// The MQTT topic table window ("MQTT_Set_Topic.xml").
// Created at start-up and relabelled with the others; its content comes with
// its own step of the system.
#include "shell/UShellForm.h"

class TFMQTT_Set_Topic : public TShellForm {
public:
    // Its texts in the table.
    static constexpr Integer Lang_First = 3300, Lang_Last = 3398;
    explicit TFMQTT_Set_Topic(TComponent* AOwner) : TShellForm(AOwner, Lang_First) {}
};

extern TFMQTT_Set_Topic* FMQTT_Set_Topic;
