#pragma once
// The CANopen SDO server table window ("SDO_Server_CANopen.xml"): the
// manufacturer objects the gateway offers to a CANopen master, objects the
// master reads (from the input side of the exchange data) and objects it
// writes (to the output side). The EDS writer declares them.
#include "protocols/UTable_Form.h"

class TFSet_SDO_Server_Access : public TTable_Form {
public:
    // Its texts in the table.
    static constexpr Integer Lang_First = 2700, Lang_Last = 2765;
    static constexpr Integer Data_Rows = 500;

    explicit TFSet_SDO_Server_Access(TComponent* AOwner);

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
    // The write grid keeps the grid's own behaviour: no events of the window.
    void Wire_Grid(Integer Table_Index) override;
    void Prepare_Tables() override;
    std::optional<String> Check_Row(Integer Table_Index, Integer ARow) override;
};

extern TFSet_SDO_Server_Access* FSet_SDO_Server_Access;
