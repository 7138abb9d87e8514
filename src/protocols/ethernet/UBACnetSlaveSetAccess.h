#pragma once
// The BACnet object table window ("BACnet_Slave_SetAccess.xml"): the objects
// BACnet clients read and write, each mapped onto the gateway's data.
#include "protocols/UTable_Form.h"

class TFBACnetSlaveSetAccess : public TTable_Form {
public:
    // Its texts in the table.
    static constexpr Integer Lang_First = 2100, Lang_Last = 2160;
    static constexpr Integer Data_Rows = 2000;
    // With long object names the tables hold half as many rows.
    static constexpr Integer Data_Rows_Long_Names = 1000;

    explicit TFBACnetSlaveSetAccess(TComponent* AOwner);

    TTabSheet* TS_BACnet_in_Read = nullptr;
    TTabSheet* TS_BACnet_in_Write = nullptr;
    TExColumnGrid* ECG_BACnet_in_Read = nullptr;
    TExColumnGrid* ECG_BACnet_in_Write = nullptr;
    Integer NByte_IN = 1440;
    Integer NByte_OUT = 1440;
    // The general parameters ask for long object names.
    Boolean Desc_Lenght = false;

    // A double click: the unit picker on an Eng. Unit data cell, then the
    // column sizing option.
    void Grid_DblClickCell(TExColumnGrid* Grid, Integer ARow, Integer ACol);
    // A Data Type chosen in the write grid sets the row's default length.
    void ECG_BACnet_in_WriteComboChange(TObject* Sender, Integer ACol, Integer ARow, Integer AItemIndex,
                                        const String& ASelection);

protected:
    void Wire_Grid(Integer Table_Index) override;
    void Variant_Setup() override;
    void Prepare_Tables() override;
    std::optional<String> Check_Row(Integer Table_Index, Integer ARow) override;
    bool Check_Tables() override;
};

extern TFBACnetSlaveSetAccess* FBACnetSlaveSetAccess;
