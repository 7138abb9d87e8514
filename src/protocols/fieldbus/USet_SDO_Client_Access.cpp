#include "protocols/fieldbus/USet_SDO_Client_Access.h"

#include "protocols/fieldbus/UReceiveCAN.h"
#include "protocols/fieldbus/USet_PDO_Access.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

TFSet_SDO_Client_Access* FSet_SDO_Client_Access = nullptr;

namespace {
namespace sdo_client {

enum { Device_ID = 1, Index, SubIndex, NByte, Poll_Time };
enum { Read, Write };

constexpr Integer Max_Device_ID = 127;
constexpr Integer Min_Index = 0x1000;
constexpr Integer Max_Index = 0xFFFF;
constexpr Integer Max_Poll_Time = 100000000;

// Where a table keeps its addresses and the texts of its checks.
struct TTable_Checks {
    Integer Address_B1;
    Integer Min_Poll_Time;
    Integer Device_ID, Index, SubIndex, NByte, Poll_Time, Address_Text;
};
const TTable_Checks Checks[2] = {{6, 1, 2661, 2662, 2663, 2664, 2665, 2666},
                                 {7, 0, 2670, 2671, 2672, 2673, 2674, 2675}};

// The columns and attributes up to Poll Time, which both tables share.
TTable_Desc Desc(const char* Section, Integer Tab_Text, Integer First_Header)
{
    return TTable_Desc{Section,
                       TFSet_SDO_Client_Access::Data_Rows + 1,
                       Device_ID,
                       -1,
                       Tab_Text,
                       true,
                       {{First_Header, edNormal, 40},
                        {First_Header + 1, edNormal, 60, CAN_Frame_Color},
                        {First_Header + 2, edNormal, 55, CAN_Frame_Color},
                        {First_Header + 3, edNormal, 60, CAN_Frame_Color},
                        {First_Header + 4, edNormal, 45, CAN_Frame_Color},
                        {First_Header + 5, edNormal, 60, CAN_Time_Color}},
                       {},
                       {{"Device_ID", Device_ID},
                        {"Index", Index},
                        {"SubIndex", SubIndex},
                        {"NByte", NByte},
                        {"Poll_Time", Poll_Time}}};
}

// The four addresses from Address_B1 on and the Mnemonic after them.
void Add_Addresses(TTable_Desc& D, Integer Address_B1, Integer First_Header, Integer Mnemonic_Width)
{
    static const char* const Names[4] = {"Address_B1", "Address_B2", "Address_B3", "Address_B4"};
    for (Integer K = 0; K < 4; ++K) {
        D.Columns.push_back({First_Header + K, edNormal, 70, CAN_Byte_Color});
        D.Attributes.push_back({Names[K], Address_B1 + K});
    }
    D.Columns.push_back({First_Header + 4, edNormal, Mnemonic_Width, clWhite});
    D.Attributes.push_back({"Mnemonic", Address_B1 + 4});
}

TTable_Desc Read_Desc()
{
    TTable_Desc D = Desc("SDO_Read", 2614, 2616);
    Add_Addresses(D, Checks[Read].Address_B1, 2622, 163);
    for (Integer Text = 2639; Text <= 2648; ++Text)
        D.Hint_Texts.push_back(Text);
    return D;
}

TTable_Desc Write_Desc()
{
    TTable_Desc D = Desc("SDO_Write", 2615, 2627);
    D.Columns.push_back({2633, edDataCheckBox, 68, CAN_Time_Color});
    D.Attributes.push_back({"On_Change", Poll_Time + 1});
    Add_Addresses(D, Checks[Write].Address_B1, 2634, 95);
    for (Integer Text = 2649; Text <= 2659; ++Text)
        D.Hint_Texts.push_back(Text);
    return D;
}

} // namespace sdo_client
} // namespace

TFSet_SDO_Client_Access::TFSet_SDO_Client_Access(TComponent* AOwner)
    : TTable_Form(AOwner, Lang_First,
                  TTable_Window_Desc{"SDO_Client_CANopen", "1.007", &File_SDO_Client_CANopen, 798, 337,
                                     TTable_Texts{{2602, 2603, 2604, 2605, 2606, 2607},
                                                  {2608, 2609, 2610, 2611, 2612, 2613},
                                                  2660,
                                                  2679}})
{
    TTable& Read = Add_Table(sdo_client::Read_Desc());
    TTable& Write = Add_Table(sdo_client::Write_Desc());
    TS_SDO_Read = Read.Sheet;
    TS_SDO_Write = Write.Sheet;
    sga = Read.Grid;
    sgb = Write.Grid;
    Hint_SDO_Client_Read = Read.Hints.get();
    Hint_SDO_Client_Write = Write.Hints.get();
}

void TFSet_SDO_Client_Access::Prepare_Tables()
{
    PROFINET_NByte_IN = 1440;
    PROFINET_NByte_OUT = 1440;
}

std::optional<String> TFSet_SDO_Client_Access::Check_Row(Integer Table_Index, Integer ARow)
{
    using namespace sdo_client;
    TExColumnGrid* Grid = Table(Table_Index).Grid;
    const TTable_Checks& C = Checks[Table_Index];
    if (!In_Range(Grid, Device_ID, ARow, 1, Max_Device_ID))
        return Lang.Strings(C.Device_ID);
    if (!In_Range(Grid, Index, ARow, Min_Index, Max_Index))
        return Lang.Strings(C.Index);
    if (!In_Range(Grid, SubIndex, ARow, 0, 255))
        return Lang.Strings(C.SubIndex);
    const Integer Bytes = Cell_Number(Grid, NByte, ARow);
    if (!SDO_NByte_Valid(Bytes))
        return Lang.Strings(C.NByte);
    if (!In_Range(Grid, Poll_Time, ARow, C.Min_Poll_Time, Max_Poll_Time))
        return Lang.Strings(C.Poll_Time);
    return CANopen_Address_Error(Grid, ARow, C.Address_B1, SDO_Address_Count(Bytes),
                                 Table_Index == Read ? PROFINET_NByte_IN : PROFINET_NByte_OUT, C.Address_Text);
}
