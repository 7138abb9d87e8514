#pragma once
// The SNMP trap table window ("SNMP_Trap.xml").
// Created at start-up and relabelled with the others; its content comes with
// its own step of the system.
#include "shell/UShellForm.h"

class TFSNMP_Trap_Access : public TShellForm {
public:
    // Its texts in the table.
    static constexpr Integer Lang_First = 3200, Lang_Last = 3284;
    explicit TFSNMP_Trap_Access(TComponent* AOwner) : TShellForm(AOwner, Lang_First) {}
};

extern TFSNMP_Trap_Access* FSNMP_Trap_Access;
