#include "protocols/ethernet/UModbus_TCP_Master_Set_Access.h"

#include "shell/UComon.h"
#include "shell/ULanguage.h"

TFModbus_TCP_Master_Set_Access* FModbus_TCP_Master_Set_Access = nullptr;

// Named: the unity build joins the table windows' sources.
namespace modbus_tcp_table {

enum { Col_IP = 2, Col_Port = 3, Read_Position = 10, Read_Start_Bit = 11, Write_Position = 12 };

TTable_Desc Read_Desc()
{
    return TTable_Desc{
        "Modbus_Read",
        TFModbus_TCP_Master_Set_Access::Data_Rows + 1,
        Col_IP,
        1,
        1906,
        false,
        {{1908, edNormal, 40},
         {1909, edDataCheckBox, 50, Modbus_Enable_Color},
         {1910, edNormal, 101, Modbus_Slave_Color},
         {1911, edNormal, 45, Modbus_Slave_Color},
         {1912, edNormal, 55, Modbus_Slave_Color},
         {1913, edComboList, 100, Modbus_Slave_Color, Modbus_Read_Types()},
         {1914, edNormal, 55, Modbus_Slave_Color},
         {1915, edNormal, 45, Modbus_Slave_Color},
         {1916, edNormal, 60, Modbus_Time_Color},
         {1917, edNormal, 64, Modbus_Time_Color},
         {1918, edComboList, 60, Modbus_Position_Color},
         {1919, edComboList, 60, Modbus_Position_Color, Start_Bit_Items()},
         {1920, edDataCheckBox, 40, Modbus_Swap_Color},
         {2000, edDataCheckBox, 80, Modbus_Swap_Color},
         {1962, edComboList, 120, Modbus_Topic_Color},
         {1921, edNormal, 140, clWhite}},
        {1969, 1970, 1971, 1972, 1973, 1974, 1975, 1976, 1977, 1978, 1979, 1980, 2002, 1981, 1982},
        {{"Enable", 1, "Y"},
         {"IP_Address", 2},
         {"Port", 3},
         {"Slave_ID", 4},
         {"Type", 5},
         {"Address", 6},
         {"NPoint", 7},
         {"PollTime", 8},
         {"MaxError", 9},
         {"Position", 10},
         {"Bit", 11},
         {"Swap", 12, "N"},
         {"SwapWord", 13, "N"},
         {"Mnemonic", 15}},
    };
}

TTable_Desc Write_Desc()
{
    return TTable_Desc{
        "Modbus_Write",
        TFModbus_TCP_Master_Set_Access::Data_Rows + 1,
        Col_IP,
        1,
        1907,
        false,
        {{1922, edNormal, 40},
         {1923, edDataCheckBox, 50, Modbus_Enable_Color},
         {1924, edNormal, 101, Modbus_Slave_Color},
         {1925, edNormal, 45, Modbus_Slave_Color},
         {1926, edNormal, 55, Modbus_Slave_Color},
         {1927, edComboList, 100, Modbus_Slave_Color, Modbus_Write_Types()},
         {1928, edNormal, 55, Modbus_Slave_Color},
         {1929, edNormal, 45, Modbus_Slave_Color},
         {1930, edNormal, 60, Modbus_Time_Color},
         {1931, edDataCheckBox, 66, Modbus_Time_Color},
         {1932, edDataCheckBox, 56, Modbus_Time_Color},
         {1933, edNormal, 62, Modbus_Time_Color},
         {1934, edComboList, 55, Modbus_Position_Color},
         {1935, edComboList, 55, Modbus_Position_Color, Start_Bit_Items()},
         {1936, edDataCheckBox, 40, Modbus_Swap_Color},
         {2001, edDataCheckBox, 80, Modbus_Swap_Color},
         {1937, edNormal, 150, clWhite}},
        {1983, 1984, 1985, 1986, 1987, 1988, 1989, 1990, 1991, 1992, 1993, 1994, 1995, 1996, 2003, 1997},
        {{"Enable", 1, "Y"},
         {"IP_Address", 2},
         {"Port", 3},
         {"Slave_ID", 4},
         {"Type", 5},
         {"Address", 6},
         {"NPoint", 7},
         {"PollTime", 8},
         {"OnChange", 9},
         {"OnCMD", 10, "N"},
         {"MaxError", 11},
         {"Position", 12},
         {"Bit", 13},
         {"Swap", 14, "N"},
         {"SwapWord", 15, "N"},
         {"Mnemonic", 16}},
    };
}

const TModbus_Row_Layout Read_Layout{4, 5, 6, 7, 8, 9, Read_Position, Read_Start_Bit, false};
const TModbus_Row_Layout Write_Layout{4, 5, 6, 7, 8, 11, Write_Position, 13, true};
const TModbus_Row_Texts Read_Texts{1941, 1942, 1943, 1944, 1999, 1946, 1947, 1948, 1949};
const TModbus_Row_Texts Write_Texts{1952, 1953, 1954, 1955, 1956, 1957, 1958, 1959, 1960};

} // namespace modbus_tcp_table

TFModbus_TCP_Master_Set_Access::TFModbus_TCP_Master_Set_Access(TComponent* AOwner)
    : TTable_Form(AOwner, Lang_First,
                  TTable_Window_Desc{
                      "PROFINET_Master_to_Modbus_TCP_Master", "1.000", &File_ModbusTCPM_SetAccess, 1150, 337,
                      TTable_Texts{{1902, 1903, 1904, 1905, -1, -1}, {1963, 1964, 1965, 1966, 1967, 1968}, 1938, 1961}})
{
    TTable& Read = Add_Table(modbus_tcp_table::Read_Desc());
    TTable& Write = Add_Table(modbus_tcp_table::Write_Desc());
    TS_Modbus_Read = Read.Sheet;
    ECG_Modbus_Read = Read.Grid;
    Hint_Modbus_Set_Access_Read = Read.Hints.get();
    TS_Modbus_Write = Write.Sheet;
    ECG_Modbus_Write = Write.Grid;
    Hint_Modbus_Set_Access_Write = Write.Hints.get();
}

void TFModbus_TCP_Master_Set_Access::Wire_Grid(Integer Table_Index)
{
    TTable_Form::Wire_Grid(Table_Index);
    TTable& T = Table(Table_Index);
    // Only the write grid jumps on Enter and gives header hints, by display
    // column.
    if (Table_Index == 0) {
        T.Grid->OnKeyPress = nullptr;
        T.Grid->OnGridHint = nullptr;
        return;
    }
    TStringList* Hints = T.Hints.get();
    T.Grid->OnGridHint = [Hints](TObject*, Integer ARow, Integer ACol, String& Hint) {
        if (ARow == 0 && ACol >= 1 && ACol - 1 < Hints->Count())
            Hint = Hints->Strings(ACol - 1);
    };
}

void TFModbus_TCP_Master_Set_Access::Variant_Setup()
{
    Modbus_Variant_Setup(TS_Modbus_Write, ECG_Modbus_Read, Read_Topic, modbus_tcp_table::Read_Position,
                         modbus_tcp_table::Read_Start_Bit);
}

void TFModbus_TCP_Master_Set_Access::Prepare_Tables()
{
    NByte_IN = 1438;
    NByte_OUT = 1438;
    Fill_Items(ECG_Modbus_Read, modbus_tcp_table::Read_Position, NByte_IN);
    Fill_Items(ECG_Modbus_Write, modbus_tcp_table::Write_Position, NByte_OUT);
}

Boolean TFModbus_TCP_Master_Set_Access::Check_IP_Address(const String& Text)
{
    if (Text.isEmpty())
        return true;
    String Rest = Text;
    for (Integer Part = 0; Part < 4; ++Part) {
        String Piece = Rest;
        if (Part < 3) {
            const qsizetype Dot = Rest.indexOf(u'.');
            Piece = Dot < 0 ? String() : Rest.left(Dot);
            Rest = Dot < 0 ? String() : Rest.mid(Dot + 1);
        }
        const Integer N = StrToIntDef(Piece, -1);
        if (N < 0 || N > 255)
            return true;
    }
    return false;
}

std::optional<String> TFModbus_TCP_Master_Set_Access::Check_Row(Integer Table_Index, Integer ARow)
{
    const bool Write = Table_Index == 1;
    TExColumnGrid* Grid = Write ? ECG_Modbus_Write : ECG_Modbus_Read;
    if (Check_IP_Address(Grid->Cells(modbus_tcp_table::Col_IP, ARow)))
        return Lang.Strings(Write ? 1950 : 1939);
    if (!In_Range(Grid, modbus_tcp_table::Col_Port, ARow, 0, 65535))
        return Lang.Strings(Write ? 1951 : 1940);
    return Write
        ? Check_Modbus_Row(Grid, ARow, modbus_tcp_table::Write_Layout, modbus_tcp_table::Write_Texts, NByte_OUT)
        : Check_Modbus_Row(Grid, ARow, modbus_tcp_table::Read_Layout, modbus_tcp_table::Read_Texts, NByte_IN);
}
