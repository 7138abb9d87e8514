#pragma once
// The CANopen SDO client table window ("SDO_Client_CANopen.xml"): the SDO
// requests the gateway sends to other devices, read requests whose answer
// goes to the input side of the exchange data and write requests whose
// bytes come from the output side.
#include "protocols/UTable_Form.h"

class TFSet_SDO_Client_Access : public TTable_Form {
public:
    // Its texts in the table.
    static constexpr Integer Lang_First = 2600, Lang_Last = 2679;
    static constexpr Integer Data_Rows = 256;

    explicit TFSet_SDO_Client_Access(TComponent* AOwner);

    TTabSheet* TS_SDO_Read = nullptr;
    TTabSheet* TS_SDO_Write = nullptr;
    TExColumnGrid* sga = nullptr;
    TExColumnGrid* sgb = nullptr;
    TStringList* Hint_SDO_Client_Read = nullptr;
    TStringList* Hint_SDO_Client_Write = nullptr;
    // Byte counts of the input and output side of the exchange data.
    Integer PROFINET_NByte_IN = 1440;
    Integer PROFINET_NByte_OUT = 1440;

protected:
    void Prepare_Tables() override;
    std::optional<String> Check_Row(Integer Table_Index, Integer ARow) override;
};

extern TFSet_SDO_Client_Access* FSet_SDO_Client_Access;
