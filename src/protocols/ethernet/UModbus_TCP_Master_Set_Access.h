#pragma once
// The Modbus TCP master table window ("ModbusTCPM_SetAccess.xml"): the
// Modbus master tables with the slave's IP address and TCP port.
#include "protocols/ethernet/USetAccess.h"

class TFModbus_TCP_Master_Set_Access : public TTable_Form {
public:
    // Its texts in the table.
    static constexpr Integer Lang_First = 1900, Lang_Last = 2003;
    static constexpr Integer Data_Rows = 512;
    enum { Read_Topic = 14 };

    explicit TFModbus_TCP_Master_Set_Access(TComponent* AOwner);

    TTabSheet* TS_Modbus_Read = nullptr;
    TTabSheet* TS_Modbus_Write = nullptr;
    TExColumnGrid* ECG_Modbus_Read = nullptr;
    TExColumnGrid* ECG_Modbus_Write = nullptr;
    TStringList* Hint_Modbus_Set_Access_Read = nullptr;
    TStringList* Hint_Modbus_Set_Access_Write = nullptr;
    // Created empty, never used.
    TStringList List_Publish_Topic;
    Integer NByte_IN = 1438;
    Integer NByte_OUT = 1438;

    // True when Text is not a valid dotted IPv4 address.
    static Boolean Check_IP_Address(const String& Text);

protected:
    void Wire_Grid(Integer Table_Index) override;
    void Variant_Setup() override;
    void Prepare_Tables() override;
    std::optional<String> Check_Row(Integer Table_Index, Integer ARow) override;
};

extern TFModbus_TCP_Master_Set_Access* FModbus_TCP_Master_Set_Access;
