#pragma once
// The picker of BACnet engineering units.
// Created at start-up and relabelled with the others; its content comes with
// its own step of the system.
#include "shell/UShellForm.h"

class TFBACnet_Eng_Unit : public TShellForm {
public:
    // Its texts in the table.
    static constexpr Integer Lang_First = 2200, Lang_Last = 2208;
    explicit TFBACnet_Eng_Unit(TComponent* AOwner) : TShellForm(AOwner, Lang_First) {}
};

extern TFBACnet_Eng_Unit* FBACnet_Eng_Unit;
