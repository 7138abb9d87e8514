#pragma once
// The SNMP trap table window ("SNMP_Trap.xml"): the objects the gateway
// offers from its input data and sends as traps, and those managers write
// into its output data. Each row's description names its object in the MIB.
#include "protocols/UTable_Form.h"

class TFSNMP_Trap_Access : public TTable_Form {
public:
    // Its texts in the table.
    static constexpr Integer Lang_First = 3200, Lang_Last = 3286;
    static constexpr Integer Data_Rows = 256;

    explicit TFSNMP_Trap_Access(TComponent* AOwner);

    TTabSheet* TS_SNMP_Read = nullptr;
    TTabSheet* TS_SNMP_Write = nullptr;
    TExColumnGrid* ECG_SNMP_Read = nullptr;
    TExColumnGrid* ECG_SNMP_Write = nullptr;
    TStringList* Hint_SNMP_Read = nullptr;
    TStringList* Hint_SNMP_Write = nullptr;
    // The descriptions of the enabled rows met by the last check.
    TStringList SL_Check_Desc;
    Integer NByte_IN = 1440;
    Integer NByte_OUT = 1440;

    // Column 0 := the running number of the enabled rows, empty for the others.
    static void Index_Row_Build(TExStringGrid* Grid);
    // True when Text holds a character other than a digit or a Latin letter;
    // with Kind 1 also when it does not begin with a lower-case letter. An
    // empty text is not wrong.
    static Boolean Check_Error_CommName_Desc(const String& Text, Integer Kind);

protected:
    void Wire_Grid(Integer Table_Index) override;
    void Prepare_Tables() override;
    void Activate_Page() override { }
    void After_Load() override;
    void Before_Check() override;
    bool Row_Enabled(Integer Table_Index, Integer ARow) override;
    std::optional<String> Check_Row(Integer Table_Index, Integer ARow) override;
    bool Check_Tables() override;
};

extern TFSNMP_Trap_Access* FSNMP_Trap_Access;
