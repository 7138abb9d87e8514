#include "protocols/ethernet/USNMP_Trap_Access.h"

#include "rtl/Dialogs.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

TFSNMP_Trap_Access* FSNMP_Trap_Access = nullptr;

// Named: the unity build joins the table windows' sources.
namespace snmp_table {

constexpr TColor Enable_Color = RGB(0xFF, 0xD8, 0xB0);
constexpr TColor Name_Color = RGB(0xE0, 0xFA, 0xFE);
constexpr TColor Trap_Color = RGB(0xA8, 0xFF, 0xA8);
constexpr TColor Position_Color = RGB(0xFC, 0xD6, 0xF4);
constexpr TColor Size_Color = RGB(0xFF, 0xFF, 0xA8);
constexpr TColor Desc_Color = RGB(0xD5, 0xD5, 0xFF);
constexpr TColor IP_Color = RGB(0xC9, 0xE4, 0xE4);
constexpr Integer Name_Length = 15;
constexpr Integer Text_Same_Descriptions = 3280;

QStringList Community_Items()
{
    return {QStringLiteral("Public"), QStringLiteral("Private")};
}

QStringList Type_Items()
{
    return {QStringLiteral("Int"), QStringLiteral("String")};
}

QStringList Conversion_Items()
{
    return {QStringLiteral("None"),        QStringLiteral("Float"),      QStringLiteral("Float * 10"),
            QStringLiteral("Float * 100"), QStringLiteral("Float / 10"), QStringLiteral("Float / 100")};
}

QStringList Bit_Items()
{
    QStringList L;
    for (Integer I = 0; I < 8; ++I)
        L << QString::number(I);
    return L;
}

// Where a row keeps its values (-1: the table has no such column) and the
// texts of its checks.
struct TRow_Layout {
    Integer Name, Type, On_Timer, Time, Position, Start_Bit, Size, Desc, IP, Conversion;
};
struct TRow_Texts {
    Integer Name, Type, Time, Position, Start_Bit, String_Bit, Int_Size, String_Size, Desc, IP, Conversion;
};

const TRow_Layout Read_Layout{2, 3, 6, 7, 8, 9, 10, 11, 12, 13};
const TRow_Layout Write_Layout{2, 3, -1, -1, 4, 5, 6, 7, -1, 8};
const TRow_Texts Read_Texts{3276, 3261, 3262, 3263, 3264, 3265, 3266, 3267, 3277, 3268, 3285};
const TRow_Texts Write_Texts{3278, 3269, -1, 3270, 3271, 3272, 3273, 3274, 3279, -1, 3286};

TTable_Desc Read_Desc()
{
    return TTable_Desc{
        "SNMP_Trap_Read",
        TFSNMP_Trap_Access::Data_Rows + 1,
        2,
        1,
        3208,
        true,
        {{3216, edNormal, 40},
         {3217, edDataCheckBox, 50, Enable_Color},
         {3218, edComboEdit, 130, Name_Color, Community_Items(), Name_Length},
         {3219, edComboList, 60, Name_Color, Type_Items()},
         {3220, edDataCheckBox, 75, Trap_Color},
         {3221, edDataCheckBox, 50, Trap_Color},
         {3222, edDataCheckBox, 60, Trap_Color},
         {3223, edNormal, 65, Trap_Color},
         {3224, edComboList, 60, Position_Color},
         {3225, edComboList, 60, Position_Color, Bit_Items()},
         {3226, edNormal, 95, Size_Color},
         {3227, edNormal, 130, Desc_Color, {}, Name_Length},
         {3228, edNormal, 120, IP_Color},
         {3281, edComboList, 100, Enable_Color, Conversion_Items()},
         {3229, edNormal, 130, clWhite}},
        {3239, 3240, 3241, 3242, 3243, 3244, 3245, 3246, 3247, 3248, 3249, 3250, 3283, 3251},
        {{"Enable", 1, "Y"},
         {"Community_Name", 2, ""},
         {"Type", 3, ""},
         {"On_Change", 4, "N"},
         {"On_Command", 5, "N"},
         {"On_Timer", 6, "N"},
         {"Time", 7, ""},
         {"Position", 8, ""},
         {"Bit", 9, ""},
         {"NumBits", 10, ""},
         {"Description", 11, ""},
         {"IP_Address", 12, ""},
         {"Conversion", 13, "None"},
         {"Mnemonic", 14, ""}},
    };
}

TTable_Desc Write_Desc()
{
    return TTable_Desc{
        "SNMP_Trap_Write",
        TFSNMP_Trap_Access::Data_Rows + 1,
        2,
        1,
        3209,
        true,
        {{3230, edNormal, 40},
         {3231, edDataCheckBox, 50, Enable_Color},
         {3232, edComboEdit, 130, Name_Color, Community_Items(), Name_Length},
         {3233, edComboList, 60, Name_Color, Type_Items()},
         {3234, edComboList, 60, Position_Color},
         {3235, edComboList, 60, Position_Color, Bit_Items()},
         {3236, edNormal, 95, Size_Color},
         {3237, edNormal, 130, Desc_Color, {}, Name_Length},
         {3282, edComboList, 100, Enable_Color, Conversion_Items()},
         {3238, edNormal, 500, clWhite}},
        {3252, 3253, 3254, 3255, 3256, 3257, 3258, 3284, 3259},
        {{"Enable", 1, "Y"},
         {"Community_Name", 2, ""},
         {"Type", 3, ""},
         {"Position", 4, ""},
         {"Bit", 5, ""},
         {"NumBits", 6, ""},
         {"Description", 7, ""},
         {"Conversion", 8, "None"},
         {"Mnemonic", 9, ""}},
    };
}

bool Blank(TExStringGrid* Grid, Integer ACol, Integer ARow)
{
    return Grid->Cells(ACol, ARow).trimmed().isEmpty();
}

bool Valid_IP(const String& Text)
{
    String A, B, C, D;
    return Split_IP_Address(Text, A, B, C, D);
}

} // namespace snmp_table

TFSNMP_Trap_Access::TFSNMP_Trap_Access(TComponent* AOwner)
    : TTable_Form(
          AOwner, Lang_First,
          TTable_Window_Desc{
              "SNMP_Trap", "1.000", &File_SNMP_Trap, 1256, 337,
              TTable_Texts{{3202, 3203, 3204, 3205, 3206, 3207}, {3210, 3211, 3212, 3213, 3214, 3215}, 3260, 3275}})
{
    TTable& Read = Add_Table(snmp_table::Read_Desc());
    TTable& Write = Add_Table(snmp_table::Write_Desc());
    TS_SNMP_Read = Read.Sheet;
    ECG_SNMP_Read = Read.Grid;
    Hint_SNMP_Read = Read.Hints.get();
    TS_SNMP_Write = Write.Sheet;
    ECG_SNMP_Write = Write.Grid;
    Hint_SNMP_Write = Write.Hints.get();
    PageControl1->SetActivePage(TS_SNMP_Read);
}

void TFSNMP_Trap_Access::Wire_Grid(Integer Table_Index)
{
    TTable_Form::Wire_Grid(Table_Index);
    TTable& T = Table(Table_Index);
    TExColumnGrid* Grid = T.Grid;
    TStringList* Hints = T.Hints.get();
    // No row selection from column 0: it shows the running numbers.
    Grid->OnClickCell = nullptr;
    Grid->OnGridHint = [Grid, Hints](TObject*, Integer ARow, Integer ACol, String& Hint) {
        const Integer Real = Grid->RealColIndex(ACol);
        Hint = ARow == 0 && Real >= 1 && Real - 1 < Hints->Count() ? Hints->Strings(Real - 1) : String();
    };
    Grid->OnCheckBoxClick = [Grid](TObject*, Integer ACol, Integer, bool) {
        if (ACol == 1)
            Index_Row_Build(Grid);
    };
}

void TFSNMP_Trap_Access::Prepare_Tables()
{
    NByte_IN = 1440;
    NByte_OUT = 1440;
    Fill_Items(ECG_SNMP_Read, 8, NByte_IN);
    Fill_Items(ECG_SNMP_Write, 4, NByte_OUT);
}

void TFSNMP_Trap_Access::After_Load()
{
    Index_Row_Build(ECG_SNMP_Read);
    Index_Row_Build(ECG_SNMP_Write);
}

void TFSNMP_Trap_Access::Index_Row_Build(TExStringGrid* Grid)
{
    Integer Counter = 1;
    for (Integer R = 1; R < Grid->RowCount(); ++R)
        Grid->SetCells(0, R, Grid->Cells(1, R).toUpper() == QLatin1String("Y") ? QString::number(Counter++) : String());
}

Boolean TFSNMP_Trap_Access::Check_Error_CommName_Desc(const String& Text, Integer Kind)
{
    for (const QChar C : Text) {
        const char16_t U = C.unicode();
        if (!((U >= u'0' && U <= u'9') || (U >= u'A' && U <= u'Z') || (U >= u'a' && U <= u'z')))
            return true;
    }
    return Kind == 1 && !Text.isEmpty() && !(Text[0] >= u'a' && Text[0] <= u'z');
}

void TFSNMP_Trap_Access::Before_Check()
{
    SL_Check_Desc.Clear();
}

bool TFSNMP_Trap_Access::Row_Enabled(Integer Table_Index, Integer ARow)
{
    return Table(Table_Index).Grid->Cells(1, ARow).toUpper() == QLatin1String("Y");
}

std::optional<String> TFSNMP_Trap_Access::Check_Row(Integer Table_Index, Integer ARow)
{
    using namespace snmp_table;
    TExColumnGrid* Grid = Table(Table_Index).Grid;
    const TRow_Layout& L = Table_Index == 0 ? Read_Layout : Write_Layout;
    const TRow_Texts& T = Table_Index == 0 ? Read_Texts : Write_Texts;
    if (Check_Error_CommName_Desc(Grid->Cells(L.Name, ARow), 0))
        return Lang.Strings(T.Name);
    if (Blank(Grid, L.Type, ARow))
        return Lang.Strings(T.Type);
    const bool Is_Int = Grid->Cells(L.Type, ARow).toUpper() == QLatin1String("INT");
    if (L.On_Timer >= 0 && Grid->Cells(L.On_Timer, ARow).toUpper() == QLatin1String("Y") &&
        !In_Range(Grid, L.Time, ARow, 1, 1000000000))
        return Lang.Strings(T.Time);
    if (Blank(Grid, L.Position, ARow))
        return Lang.Strings(T.Position);
    if (Blank(Grid, L.Start_Bit, ARow))
        return Lang.Strings(T.Start_Bit);
    if (!Is_Int && Grid->Cells(L.Start_Bit, ARow).trimmed() != QLatin1String("0"))
        return Lang.Strings(T.String_Bit);
    if (!In_Range(Grid, L.Size, ARow, 1, Is_Int ? 64 : 16))
        return Lang.Strings(Is_Int ? T.Int_Size : T.String_Size);
    const String Desc = Grid->Cells(L.Desc, ARow);
    if (Check_Error_CommName_Desc(Desc, 1))
        return Lang.Strings(T.Desc);
    SL_Check_Desc.Add(Desc);
    if (L.IP >= 0 && !Valid_IP(Grid->Cells(L.IP, ARow)))
        return Lang.Strings(T.IP);
    if (Blank(Grid, L.Conversion, ARow))
        return Lang.Strings(T.Conversion);
    return std::nullopt;
}

bool TFSNMP_Trap_Access::Check_Tables()
{
    for (Integer I = 0; I < SL_Check_Desc.Count(); ++I)
        for (Integer J = I + 1; J < SL_Check_Desc.Count(); ++J)
            if (SL_Check_Desc.Strings(I) == SL_Check_Desc.Strings(J)) {
                MessageDlg(Lang.Strings(snmp_table::Text_Same_Descriptions), mtError, TMsgDlgButtons{mbOK}, 0);
                return false;
            }
    return true;
}
