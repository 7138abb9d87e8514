#pragma once
// The Modbus master table window ("ModbusM_SetAccess.xml"): a read and a
// write table of the requests the gateway sends to Modbus slaves.
#include "protocols/UTable_Form.h"

// Where a Modbus row keeps its values, and the texts of its checks. The
// Modbus TCP tables use the same checks with other columns and texts.
struct TModbus_Row_Layout {
    Integer Slave, Type, Address, NPoint, Poll, Max_Error, Position, Start_Bit;
    // The write tables: only "Coil Status" is a bit type, NPoint up to
    // 123 / 1968, Poll Time from 0.
    bool Write;
};
struct TModbus_Row_Texts {
    Integer Slave, Type, Address, NPoint, Poll, Max_Error, Position, Bit, Too_Many;
};

// The text after the row number for the first failing check of a Modbus row
// whose data area holds NByte bytes; none when the row passes.
std::optional<String> Check_Modbus_Row(TExStringGrid* Grid, Integer ARow, const TModbus_Row_Layout& Layout,
                                       const TModbus_Row_Texts& Texts, Integer NByte);

// Colours of the Modbus columns.
inline constexpr TColor Modbus_Enable_Color = RGB(0xFF, 0xD8, 0xB0);
inline constexpr TColor Modbus_Slave_Color = RGB(0xE0, 0xFA, 0xFE);
inline constexpr TColor Modbus_Time_Color = RGB(0xA8, 0xFF, 0xA8);
inline constexpr TColor Modbus_Position_Color = RGB(0xFC, 0xD6, 0xF4);
inline constexpr TColor Modbus_Swap_Color = RGB(0xFF, 0xFF, 0xA8);
inline constexpr TColor Modbus_Topic_Color = RGB(0xD5, 0xD5, 0xFF);

// The Modbus windows' showing: the write tab shown, the read grid's Topic
// column hidden and its Position and Start Bit columns shown.
void Modbus_Variant_Setup(TTabSheet* Write_Sheet, TExColumnGrid* Read_Grid, Integer Topic, Integer Position,
                          Integer Start_Bit);

QStringList Modbus_Read_Types();
QStringList Modbus_Write_Types();
QStringList Start_Bit_Items();

class TFSetAccess : public TTable_Form {
public:
    // Its texts in the table.
    static constexpr Integer Lang_First = 1600, Lang_Last = 1693;
    static constexpr Integer Data_Rows = 512;
    enum { Read_Topic = 12 };

    explicit TFSetAccess(TComponent* AOwner);

    TTabSheet* TS_Modbus_Read = nullptr;
    TTabSheet* TS_Modbus_Write = nullptr;
    TExColumnGrid* ECG_Modbus_Read = nullptr;
    TExColumnGrid* ECG_Modbus_Write = nullptr;
    TStringList* Hint_Modbus_Set_Access_Read = nullptr;
    TStringList* Hint_Modbus_Set_Access_Write = nullptr;
    // The topics the Topic column offers; empty in this system.
    TStringList List_Publish_Topic;
    // Per read row (index = row - 1): the position of its topic, -1 for none.
    std::vector<Integer> ComboItem_Topic;
    Integer NByte_IN = 1500;
    Integer NByte_OUT = 1500;

    void ComboChange(TObject* Sender, Integer ACol, Integer ARow, Integer AItemIndex, const String& ASelection);
    Integer Get_Index_From_Topic(const String& Topic, Integer Index) const;
    String Get_Topic_From_Index(Integer Index) const;

protected:
    void Variant_Setup() override;
    void Prepare_Tables() override;
    std::optional<String> Check_Row(Integer Table_Index, Integer ARow) override;
    void Load_Value(Integer Table_Index, const TTable_Attribute& A, Integer ARow, const String& Value) override;
    String Save_Value(Integer Table_Index, const TTable_Attribute& A, Integer ARow) override;
};

extern TFSetAccess* FSetAccess;
