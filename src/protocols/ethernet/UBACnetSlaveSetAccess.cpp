#include "protocols/ethernet/UBACnetSlaveSetAccess.h"

#include "protocols/ethernet/UBACnet_Eng_Unit.h"
#include "rtl/Dialogs.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

#include <QFileInfo>

TFBACnetSlaveSetAccess* FBACnetSlaveSetAccess = nullptr;

// Named: the unity build joins the table windows' sources.
namespace bacnet_table {

enum { Col_Type = 1, Col_Unit = 2, Col_Position = 3, Col_Start_Bit = 4, Col_Length = 5, Col_Swap_Word = 7 };

QStringList Read_Types()
{
    return {QStringLiteral("Analog Input"),
            QStringLiteral("Analog Value"),
            QStringLiteral("Binary Input"),
            QStringLiteral("Binary Value"),
            QStringLiteral("Positive Integer Value"),
            QStringLiteral("Large Analog Value"),
            QStringLiteral("Integer Value"),
            QStringLiteral("Multi State Input"),
            QStringLiteral("Multi State Value"),
            QStringLiteral("Life Safety Point"),
            QStringLiteral("Life Safety Zone"),
            QStringLiteral("Access Door"),
            QStringLiteral("Accumulator")};
}

QStringList Write_Types()
{
    return {
        QStringLiteral("Analog Out"),    QStringLiteral("Analog Value"),           QStringLiteral("Binary Out"),
        QStringLiteral("Binary Value"),  QStringLiteral("Positive Integer Value"), QStringLiteral("Large Analog Value"),
        QStringLiteral("Integer Value"), QStringLiteral("Multi State Output"),     QStringLiteral("Multi State Value"),
        QStringLiteral("Access Door")};
}

QStringList Bit_Items()
{
    QStringList L;
    for (Integer I = 0; I < 8; ++I)
        L << QString::number(I);
    return L;
}

// The lengths a Data Type allows, and the text of its failure.
struct TLength_Range {
    const char* Type;
    Integer Low, High, Text;
};

const TLength_Range Read_Lengths[] = {
    {"Analog Input", 1, 4, 2135},      {"Positive Integer Value", 1, 4, 2136}, {"Large Analog Value", 1, 8, 2137},
    {"Analog Value", 1, 4, 2138},      {"Multi State Input", 1, 4, 2139},      {"Multi State Value", 1, 4, 2140},
    {"Life Safety Point", 1, 2, 2141}, {"Life Safety Zone", 1, 2, 2142},       {"Access Door", 1, 1, 2143},
    {"Accumulator", 1, 4, 2144},
};
const TLength_Range Write_Lengths[] = {
    {"Analog Out", 1, 4, 2149},         {"Analog Value", 1, 4, 2150},  {"Positive Integer Value", 1, 4, 2151},
    {"Large Analog Value", 1, 8, 2152}, {"Integer Value", 1, 4, 2153}, {"Multi State Output", 1, 4, 2154},
    {"Multi State Value", 1, 4, 2155},  {"Access Door", 1, 1, 2156},
};

// The default length of a type chosen in the write grid (upper-cased name).
const std::pair<const char*, const char*> Default_Lengths[] = {
    {"ANALOG OUT", "4"},    {"ANALOG VALUE", "4"},       {"POSITIVE INTEGER VALUE", "4"},
    {"INTEGER VALUE", "4"}, {"MULTI STATE OUTPUT", "4"}, {"MULTI STATE VALUE", "4"},
    {"BINARY OUT", "1"},    {"BINARY VALUE", "1"},       {"ACCESS DOOR", "1"},
    {"OCTET STRING", "1"},  {"LARGE ANALOG VALUE", "8"},
};

struct TTable_Texts_BACnet {
    Integer Unit, Position, Bit, Too_Many;
    const char* Binary_Types[2];
    std::span<const TLength_Range> Lengths;
};

const TTable_Texts_BACnet Read_Checks{2133, 2134, 2145, 2146, {"Binary Input", "Binary Value"}, Read_Lengths};
const TTable_Texts_BACnet Write_Checks{2147, 2148, 2157, 2158, {"Binary Out", "Binary Value"}, Write_Lengths};

TTable_Desc Desc(const char* Section, Integer Tab_Text, Integer First_Header, const QStringList& Types)
{
    return TTable_Desc{
        Section,
        TFBACnetSlaveSetAccess::Data_Rows + 1,
        Col_Type,
        -1,
        Tab_Text,
        false,
        {{First_Header, edNormal, 40},
         {First_Header + 1, edComboList, 150, clWindow, Types},
         {First_Header + 2, edNormal, 100},
         {First_Header + 3, edComboList, 64},
         {First_Header + 4, edComboList, 64, clWindow, Bit_Items()},
         {First_Header + 5, edNormal, 64},
         {First_Header + 6, edDataCheckBox, 40},
         {-1, edDataCheckBox, 75},
         {First_Header + 7, edNormal, 277}},
        {},
        {{"Data_Type", 1},
         {"Eng_Unit", 2},
         {"Position", 3},
         {"Bit", 4},
         {"Length", 5},
         {"Swap", 6, "N"},
         {"SwapWord", 7, "N"},
         {"Mnemonic", 8}},
    };
}

// "BACnet_Desc_Chars_Limit" of the general parameters is "1"; any failure
// to read it counts as no.
bool Long_Names()
{
    if (File_ParGen.isEmpty() || !QFileInfo::exists(File_ParGen))
        return false;
    try {
        xml::TXMLDocument Doc;
        Doc.LoadFromFile(File_ParGen);
        const xml::TXMLNode Node = Doc.DocumentElement().FindChild("BACnet_Desc_Chars_Limit");
        return Node && Node.Text() == QLatin1String("1");
    } catch (const Exception&) {
        return false;
    }
}

} // namespace bacnet_table

TFBACnetSlaveSetAccess::TFBACnetSlaveSetAccess(TComponent* AOwner)
    : TTable_Form(
          AOwner, Lang_First,
          TTable_Window_Desc{
              "BACnet_to_Modbus", "1.001", &File_BACnet_Slave_SetAccess, 920, 337,
              TTable_Texts{{2102, 2103, 2104, 2105, 2106, 2107}, {2110, 2111, 2112, 2113, 2114, 2115}, 2132, 2160}})
{
    using namespace bacnet_table;
    TTable& Read = Add_Table(Desc("BACnet_in_Read", 2108, 2116, Read_Types()));
    TTable& Write = Add_Table(Desc("BACnet_in_Write", 2109, 2124, Write_Types()));
    TS_BACnet_in_Read = Read.Sheet;
    ECG_BACnet_in_Read = Read.Grid;
    TS_BACnet_in_Write = Write.Sheet;
    ECG_BACnet_in_Write = Write.Grid;
    for (TExColumnGrid* Grid : {ECG_BACnet_in_Read, ECG_BACnet_in_Write})
        Grid->Columns()->Items(Col_Swap_Word)->SetHeader(QStringLiteral("Swap Word"));
    ECG_BACnet_in_Write->OnComboChange = [this](TObject* Sender, Integer ACol, Integer ARow, Integer AItemIndex,
                                                const String& ASelection) {
        ECG_BACnet_in_WriteComboChange(Sender, ACol, ARow, AItemIndex, ASelection);
    };
}

void TFBACnetSlaveSetAccess::Wire_Grid(Integer Table_Index)
{
    TTable_Form::Wire_Grid(Table_Index);
    TExColumnGrid* Grid = Table(Table_Index).Grid;
    Grid->OnGridHint = nullptr;
    Grid->OnDblClickCell = [this, Grid](TObject*, Integer ARow, Integer ACol) { Grid_DblClickCell(Grid, ARow, ACol); };
}

void TFBACnetSlaveSetAccess::Variant_Setup()
{
    TS_BACnet_in_Read->SetTabVisible(true);
    TS_BACnet_in_Write->SetTabVisible(true);
    Desc_Lenght = bacnet_table::Long_Names();
    // The row count first, so that the clearing stays within the grids.
    const Integer Rows = (Desc_Lenght ? Data_Rows_Long_Names : Data_Rows) + 1;
    ECG_BACnet_in_Read->SetRowCount(Rows);
    ECG_BACnet_in_Write->SetRowCount(Rows);
}

void TFBACnetSlaveSetAccess::Prepare_Tables()
{
    NByte_IN = 1440;
    NByte_OUT = 1440;
    Fill_Items(ECG_BACnet_in_Read, bacnet_table::Col_Position, NByte_IN);
    Fill_Items(ECG_BACnet_in_Write, bacnet_table::Col_Position, NByte_OUT);
}

std::optional<String> TFBACnetSlaveSetAccess::Check_Row(Integer Table_Index, Integer ARow)
{
    using namespace bacnet_table;
    const bool Read = Table_Index == 0;
    TExColumnGrid* Grid = Table(Table_Index).Grid;
    const TTable_Texts_BACnet& T = Read ? Read_Checks : Write_Checks;
    const Integer NByte = Read ? NByte_IN : NByte_OUT;
    if (!In_Range(Grid, Col_Unit, ARow, 0, 65535))
        return Lang.Strings(T.Unit);
    if (!In_Range(Grid, Col_Position, ARow, 0, NByte - 1))
        return Limit_Text(T.Position, NByte - 1);
    const Int64 Position = Cell_Number(Grid, Col_Position, ARow);
    const String Type = Grid->Cells(Col_Type, ARow);
    Int64 Last = Position;
    if (Type == QLatin1String(T.Binary_Types[0]) || Type == QLatin1String(T.Binary_Types[1])) {
        if (Grid->Cells(Col_Start_Bit, ARow).isEmpty())
            return Lang.Strings(T.Bit);
    } else {
        const Integer Length = StrToIntDef(Grid->Cells(Col_Length, ARow), 0);
        for (const TLength_Range& R : T.Lengths)
            if (Type == QLatin1String(R.Type) && (Length < R.Low || Length > R.High))
                return Lang.Strings(R.Text);
        Last = Position + Length - 1;
    }
    if (Last >= NByte)
        return Lang.Strings(T.Too_Many);
    return std::nullopt;
}

bool TFBACnetSlaveSetAccess::Check_Tables()
{
    const Integer Limit = Desc_Lenght ? Data_Rows_Long_Names : Data_Rows;
    if (Used_Rows(0) + Used_Rows(1) <= Limit)
        return true;
    MessageDlg(Limit_Text(2159, Limit), mtError, TMsgDlgButtons{mbOK}, 0);
    return false;
}

void TFBACnetSlaveSetAccess::Grid_DblClickCell(TExColumnGrid* Grid, Integer ARow, Integer ACol)
{
    // The picker serves the data rows; the header row keeps the sizing gesture.
    if (FBACnet_Eng_Unit && ARow > 0 && Grid->RealColIndex(ACol) == bacnet_table::Col_Unit) {
        const String Cell = Grid->Cells(bacnet_table::Col_Unit, ARow);
        FBACnet_Eng_Unit->E_Selected_EU->SetText(Cell);
        FBACnet_Eng_Unit->Label5->SetCaption(QStringLiteral("-> ") +
                                             TFBACnet_Eng_Unit::Desc_Unit(StrToIntDef(Cell, -1)));
        if (FBACnet_Eng_Unit->ShowModal() == mrOk)
            Grid->SetCells(bacnet_table::Col_Unit, ARow, FBACnet_Eng_Unit->E_Selected_EU->Text());
    }
    DblClick_AutoSize_Col(Grid, ARow, ACol);
}

void TFBACnetSlaveSetAccess::ECG_BACnet_in_WriteComboChange(TObject*, Integer ACol, Integer ARow, Integer,
                                                            const String& ASelection)
{
    if (ACol != bacnet_table::Col_Type)
        return;
    const String Choice = ASelection.toUpper();
    for (const auto& [Type, Length] : bacnet_table::Default_Lengths)
        if (Choice == QLatin1String(Type))
            ECG_BACnet_in_Write->SetCells(bacnet_table::Col_Length, ARow, QLatin1String(Length));
}
