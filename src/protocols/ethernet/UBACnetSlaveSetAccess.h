#pragma once
// The BACnet object table window ("BACnet_Slave_SetAccess.xml").
// Created at start-up and relabelled with the others; its content comes with
// its own step of the system.
#include "shell/UShellForm.h"

class TFBACnetSlaveSetAccess : public TShellForm {
public:
    // Its texts in the table.
    static constexpr Integer Lang_First = 2100, Lang_Last = 2131;
    explicit TFBACnetSlaveSetAccess(TComponent* AOwner) : TShellForm(AOwner, Lang_First) {}
};

extern TFBACnetSlaveSetAccess* FBACnetSlaveSetAccess;
