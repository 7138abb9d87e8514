#include "protocols/fieldbus/USet_SDO_Server_Access.h"

#include "protocols/fieldbus/UReceiveCAN.h"
#include "protocols/fieldbus/USet_PDO_Access.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

TFSet_SDO_Server_Access* FSet_SDO_Server_Access = nullptr;

namespace {
namespace sdo_server {

enum { Index = 1, SubIndex, NByte, Address_B1, Mnemonic = 8 };
enum { Read, Write };

// The manufacturer-specific part of the object dictionary.
constexpr Integer Min_Index = 0x2000;
constexpr Integer Max_Index = 0x5FFF;

struct TTexts {
    Integer Index, SubIndex, NByte, Address_B1;
};
const TTexts Texts[2] = {{2751, 2752, 2753, 2754}, {2758, 2759, 2760, 2761}};

TTable_Desc Desc(const char* Section, Integer Tab_Text, Integer First_Header, Integer First_Hint, bool Hints)
{
    TTable_Desc D{Section,
                  TFSet_SDO_Server_Access::Data_Rows + 1,
                  Index,
                  -1,
                  Tab_Text,
                  Hints,
                  {{First_Header, edNormal, 40},
                   {First_Header + 1, edNormal, 65, CAN_Frame_Color},
                   {First_Header + 2, edNormal, 61, CAN_Frame_Color},
                   {First_Header + 3, edNormal, 55, CAN_Frame_Color}},
                  {},
                  {{"Index", Index}, {"SubIndex", SubIndex}, {"NByte", NByte}}};
    static const char* const Names[4] = {"Address_B1", "Address_B2", "Address_B3", "Address_B4"};
    for (Integer K = 0; K < 4; ++K) {
        D.Columns.push_back({First_Header + 4 + K, edNormal, 80, CAN_Byte_Color});
        D.Attributes.push_back({Names[K], Address_B1 + K});
    }
    D.Columns.push_back({First_Header + 8, edNormal, 170, clWhite});
    D.Attributes.push_back({"Mnemonic", Mnemonic});
    for (Integer Text = First_Hint; Text < First_Hint + 8; ++Text)
        D.Hint_Texts.push_back(Text);
    return D;
}

} // namespace sdo_server
} // namespace

TFSet_SDO_Server_Access::TFSet_SDO_Server_Access(TComponent* AOwner)
    : TTable_Form(AOwner, Lang_First,
                  TTable_Window_Desc{"SDO_Server_CANopen", "1.007", &File_SDO_Server_CANopen, 749, 337,
                                     TTable_Texts{{2702, 2703, 2704, 2705, 2706, 2707},
                                                  {2708, 2709, 2710, 2711, 2712, 2713},
                                                  2750,
                                                  2765}})
{
    TTable& Read = Add_Table(sdo_server::Desc("SDO_Read", 2714, 2716, 2734, true));
    TTable& Write = Add_Table(sdo_server::Desc("SDO_Write", 2715, 2725, 2742, false));
    TS_SDO_Read = Read.Sheet;
    TS_SDO_Write = Write.Sheet;
    sga = Read.Grid;
    sgb = Write.Grid;
    Hint_SDO_Client_Read = Read.Hints.get();
    Hint_SDO_Client_Write = Write.Hints.get();
}

void TFSet_SDO_Server_Access::Wire_Grid(Integer Table_Index)
{
    if (Table_Index == sdo_server::Read)
        TTable_Form::Wire_Grid(Table_Index);
}

void TFSet_SDO_Server_Access::Prepare_Tables()
{
    PROFINET_NByte_IN = 1440;
    PROFINET_NByte_OUT = 1440;
}

std::optional<String> TFSet_SDO_Server_Access::Check_Row(Integer Table_Index, Integer ARow)
{
    using namespace sdo_server;
    TExColumnGrid* Grid = Table(Table_Index).Grid;
    const TTexts& T = Texts[Table_Index];
    if (!In_Range(Grid, Index, ARow, Min_Index, Max_Index))
        return Lang.Strings(T.Index);
    if (!In_Range(Grid, SubIndex, ARow, 0, 255))
        return Lang.Strings(T.SubIndex);
    const Integer Bytes = Cell_Number(Grid, NByte, ARow);
    if (!SDO_NByte_Valid(Bytes))
        return Lang.Strings(T.NByte);
    return CANopen_Address_Error(Grid, ARow, Address_B1, SDO_Address_Count(Bytes),
                                 Table_Index == Read ? PROFINET_NByte_IN : PROFINET_NByte_OUT, T.Address_B1);
}
