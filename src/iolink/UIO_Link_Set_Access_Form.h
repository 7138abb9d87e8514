#pragma once
// The "IO-Link Set Access" window: the IO-Link channels of "IOLink_SetAccess.xml" (its core is UIO_Link_Set_Access).
// Created at start-up and relabelled with the others; its content comes with
// its own step of the system.
#include "shell/UShellForm.h"

class TFIO_Link_Set_Access : public TShellForm {
public:
    // Its texts in the table.
    static constexpr Integer Lang_First = 1200, Lang_Last = 1298;
    static constexpr Integer Lang_Extra_First = 1700, Lang_Extra_Last = 1733;

    explicit TFIO_Link_Set_Access(TComponent* AOwner) : TShellForm(AOwner, Lang_First) {}
};

extern TFIO_Link_Set_Access* FIO_Link_Set_Access;
