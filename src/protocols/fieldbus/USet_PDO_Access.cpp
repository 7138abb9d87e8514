#include "protocols/fieldbus/USet_PDO_Access.h"

#include "protocols/fieldbus/UReceiveCAN.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

TFSet_PDO_Access* FSet_PDO_Access = nullptr;

namespace {
namespace pdo {

enum { COB_ID = 1, Dimension, Address_B1, Time = 11 };
enum { Receive, Transmit };

constexpr Integer Max_COB_ID = 2047;
constexpr Integer Max_TimeOut = 65535;
constexpr Integer Max_Send_Time = 100000000;

// The texts of one table's checks.
struct TTexts {
    Integer COB_ID, Dimension, Address_B1, Time;
};
const TTexts Texts[2] = {{2569, 2570, 2571, 2579}, {2580, 2581, 2582, 2590}};

// Columns and attributes up to the eight addresses, which both tables share.
TTable_Desc Desc(const char* Section, Integer Tab_Text, Integer First_Header)
{
    TTable_Desc D{Section, TFSet_PDO_Access::Data_Rows + 1, COB_ID, -1, Tab_Text, true,
                  {{First_Header, edNormal, 40},
                   {First_Header + 1, edNormal, 65, CAN_Frame_Color},
                   {First_Header + 2, edNormal, 65, CAN_Frame_Color}},
                  {},
                  {{"COB-ID", COB_ID}, {"Dimension", Dimension}}};
    static const char* const Names[8] = {"Address_B1", "Address_B2", "Address_B3", "Address_B4",
                                         "Address_B5", "Address_B6", "Address_B7", "Address_B8"};
    for (Integer K = 0; K < 8; ++K) {
        D.Columns.push_back({First_Header + 3 + K, edNormal, 45, CAN_Byte_Color});
        D.Attributes.push_back({Names[K], Address_B1 + K});
    }
    return D;
}

TTable_Desc Receive_Desc()
{
    TTable_Desc D = Desc("Receive_PDO", 2514, 2516);
    D.Columns.push_back({2527, edNormal, 65, CAN_Time_Color});
    D.Columns.push_back({2528, edNormal, 173, clWhite});
    D.Attributes.push_back({"TimeOut", Time});
    D.Attributes.push_back({"Mnemonic", Time + 1});
    for (Integer Text = 2543; Text <= 2554; ++Text)
        D.Hint_Texts.push_back(Text);
    return D;
}

TTable_Desc Transmit_Desc()
{
    TTable_Desc D = Desc("Transmit_PDO", 2515, 2529);
    D.Columns.push_back({2540, edNormal, 65, CAN_Time_Color});
    D.Columns.push_back({2541, edDataCheckBox, 68, CAN_Time_Color});
    D.Columns.push_back({2542, edNormal, 105, clWhite});
    D.Attributes.push_back({"Send_Time", Time});
    D.Attributes.push_back({"On_Change", Time + 1});
    D.Attributes.push_back({"Mnemonic", Time + 2});
    for (Integer Text = 2555; Text <= 2567; ++Text)
        D.Hint_Texts.push_back(Text);
    return D;
}

} // namespace pdo
} // namespace

std::optional<String> CANopen_Address_Error(TExStringGrid* Grid, Integer ARow, Integer First_Col, Integer Count,
                                            Integer Max_Byte, Integer First_Text)
{
    for (Integer K = 0; K < Count; ++K)
        if (!TTable_Form::In_Range(Grid, First_Col + K, ARow, 0, Max_Byte - 1))
            return TTable_Form::Limit_Text(First_Text + K, Max_Byte - 1);
    return std::nullopt;
}

Integer SDO_Address_Count(Integer NByte)
{
    return NByte == 2 || NByte == 4 ? NByte : 1;
}

bool SDO_NByte_Valid(Integer NByte)
{
    return NByte == 1 || NByte == 2 || NByte == 4;
}

TFSet_PDO_Access::TFSet_PDO_Access(TComponent* AOwner)
    : TTable_Form(AOwner, Lang_First,
                  TTable_Window_Desc{"PDO_CANopen", "1.007", &File_PDO_CANopen, 798, 337,
                                     TTable_Texts{{2502, 2503, 2504, 2505, 2506, 2507},
                                                  {2508, 2509, 2510, 2511, 2512, 2513},
                                                  2568,
                                                  2591}})
{
    TTable& Rx = Add_Table(pdo::Receive_Desc());
    TTable& Tx = Add_Table(pdo::Transmit_Desc());
    TS_Receive_PDO = Rx.Sheet;
    TS_Transmit_PDO = Tx.Sheet;
    sga = Rx.Grid;
    sgb = Tx.Grid;
    Hint_PDO_Receive = Rx.Hints.get();
    Hint_PDO_Transmit = Tx.Hints.get();
}

void TFSet_PDO_Access::Prepare_Tables()
{
    PROFINET_NByte_IN = 1440;
    PROFINET_NByte_OUT = 1440;
}

std::optional<String> TFSet_PDO_Access::Check_Row(Integer Table_Index, Integer ARow)
{
    TExColumnGrid* Grid = Table(Table_Index).Grid;
    const pdo::TTexts& T = pdo::Texts[Table_Index];
    const bool Receive = Table_Index == pdo::Receive;
    if (!In_Range(Grid, pdo::COB_ID, ARow, 0, pdo::Max_COB_ID))
        return Lang.Strings(T.COB_ID);
    if (!In_Range(Grid, pdo::Dimension, ARow, 1, 8))
        return Lang.Strings(T.Dimension);
    if (auto Error = CANopen_Address_Error(Grid, ARow, pdo::Address_B1, Cell_Number(Grid, pdo::Dimension, ARow),
                                           Receive ? PROFINET_NByte_IN : PROFINET_NByte_OUT, T.Address_B1))
        return Error;
    if (!In_Range(Grid, pdo::Time, ARow, 0, Receive ? pdo::Max_TimeOut : pdo::Max_Send_Time))
        return Lang.Strings(T.Time);
    return std::nullopt;
}
