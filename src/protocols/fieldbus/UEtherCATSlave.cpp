#include "protocols/fieldbus/UEtherCATSlave.h"

#include "rtl/Dialogs.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

#include <algorithm>
#include <optional>

TFEtherCATSlave* FEtherCATSlave = nullptr;

namespace {
namespace ethercat {

enum { Enable = 1, Type, Length };
enum { Slave_To_Master, Master_To_Slave };

constexpr TColor Enable_Color = RGB(0xFF, 0xD8, 0xB0);
constexpr TColor Variable_Color = RGB(0xE0, 0xFA, 0xFE);
constexpr TColor Init_Color = RGB(0xA8, 0xFF, 0xA8);
constexpr TColor Position_Color = RGB(0xFC, 0xD6, 0xF4);
constexpr TColor Mnemonic_Color = RGB(0xFF, 0xFF, 0xFF);

const QStringList Var_Types{QStringLiteral("Bool"),  QStringLiteral("Int8"),   QStringLiteral("Int16"),
                            QStringLiteral("Int32"), QStringLiteral("UInt8"),  QStringLiteral("UInt16"),
                            QStringLiteral("UInt32"), QStringLiteral("Float32"), QStringLiteral("Array")};

// Position and Start Bit columns of a table.
Integer Position_Column(bool Slave_To_Master) { return Slave_To_Master ? 6 : 5; }

// The Length a type sets, and whether the cell stays editable.
struct TType_Length {
    const char* Length;
    bool Editable;
};

std::optional<TType_Length> Type_Length(const String& Type)
{
    static const std::pair<const char*, TType_Length> Rules[] = {
        {"Bool", {"1", false}},  {"Int8", {"1", false}},    {"UInt8", {"1", false}},
        {"Int16", {"2", false}}, {"UInt16", {"2", false}},  {"Int32", {"4", false}},
        {"UInt32", {"4", false}}, {"Float32", {"4", false}}, {"Array", {"10", true}},
    };
    for (const auto& [Name, Rule] : Rules)
        if (Type == QLatin1String(Name))
            return Rule;
    return std::nullopt;
}

// Bytes a variable of Type takes; an Array or unknown type takes its Length
// (0 when no number, and never less).
Int64 Type_Size(const String& Type, const String& Length_Text)
{
    if (Type == u"Int8" || Type == u"UInt8")
        return 1;
    if (Type == u"Int16" || Type == u"UInt16")
        return 2;
    if (Type == u"Int32" || Type == u"UInt32" || Type == u"Float32")
        return 4;
    return std::max<Int64>(StrToIntDef(Length_Text, 0), 0);
}

TTable_Desc Table_Desc(bool Slave_To_Master)
{
    TTable_Desc D;
    D.Section = Slave_To_Master ? "EtherCAT_Slave_To_Master" : "EtherCAT_Master_To_Slave";
    D.Row_Count = TFEtherCATSlave::Data_Rows + 1;
    D.Key_Column = Type;
    D.Enable_Column = Enable;
    D.Tab_Text = Slave_To_Master ? 3734 : 3735;
    D.Show_Hints = true;
    D.String_Grid = true;
    const Integer First = Slave_To_Master ? 3714 : 3736;
    D.Columns = {{First, edNormal, 40},
                 {First + 1, edDataCheckBox, 50, Enable_Color},
                 {First + 2, edComboList, 120, Variable_Color, Var_Types},
                 {First + 3, edNormal, 100, Variable_Color},
                 // Text 3718 names a column no table has.
                 {Slave_To_Master ? 3719 : First + 4, edNormal, 280, Variable_Color}};
    D.Attributes = {{"Enable", Enable, "Y"}, {"Type", Type, ""}, {"Length", Length, ""}, {"Name", 4, ""}};
    if (Slave_To_Master) {
        D.Columns.push_back({3720, edNormal, 100, Init_Color});
        D.Attributes.push_back({"InitValue", 5, ""});
    }
    const Integer Position = Position_Column(Slave_To_Master);
    const Integer Next_Text = Slave_To_Master ? 3721 : First + 5;
    D.Columns.push_back({Next_Text, edNormal, 100, Position_Color});
    D.Columns.push_back({Next_Text + 1, edNormal, 100, Position_Color});
    D.Columns.push_back({Next_Text + 2, edNormal, 100, Mnemonic_Color});
    D.Attributes.push_back({"Position", Position, ""});
    D.Attributes.push_back({"BitStart", Position + 1, ""});
    D.Attributes.push_back({"Mnemonic", Position + 2, ""});
    D.Hint_Texts = Slave_To_Master ? std::vector<Integer>{3724, 3725, 3726, 3728, 3729, 3730, 3731, 3732}
                                   : std::vector<Integer>{3744, 3745, 3746, 3747, 3748, 3749, 3750};
    return D;
}

} // namespace ethercat
} // namespace

TFEtherCATSlave::TFEtherCATSlave(TComponent* AOwner)
    : TTable_Form(AOwner, Lang_First,
                  TTable_Window_Desc{"EtherCAT_Slave", "1.004", &File_EtherCAT_Slave, 1200, 337,
                                     TTable_Texts{{3702, 3703, 3704, 3705, 3706, 3707},
                                                  {3708, 3709, 3710, 3711, 3712, 3713},
                                                  -1,
                                                  3733},
                                     "EtherCAT_Slave_Variables"}),
      VarType(std::make_unique<TStringList>())
{
    VarType->SetText(ethercat::Var_Types.join(u'\n'));
    TTable& StM = Add_Table(ethercat::Table_Desc(true));
    TTable& MtS = Add_Table(ethercat::Table_Desc(false));
    TS_SlaveToMaster = StM.Sheet;
    TS_MasterToSlave = MtS.Sheet;
    ESG_SlaveMaster = StM.Any_Grid;
    ESG_MasterSlave = MtS.Any_Grid;
    Hint_StM = StM.Hints.get();
    Hint_MtS = MtS.Hints.get();
    for (TExStringGrid* Grid : {ESG_SlaveMaster, ESG_MasterSlave}) {
        const Integer Position = ethercat::Position_Column(Grid == ESG_SlaveMaster);
        for (Integer R = 1; R <= Data_Rows; ++R) {
            Grid->SetReadOnly(Position, R, true);
            Grid->SetReadOnly(Position + 1, R, true);
        }
    }
    PageControl1->SetActivePage(TS_SlaveToMaster);
    // The question names the row inside its text.
    Btn_DelRow->OnClick = [this](TObject*) { Btn_DelRow_Click(); };
}

void TFEtherCATSlave::Wire_Grid(Integer Table_Index)
{
    TTable_Form::Wire_Grid(Table_Index);
    TExStringGrid* Grid = Table(Table_Index).Any_Grid;
    Grid->OnComboChange = [this, Grid](TObject*, Integer ACol, Integer ARow, Integer, const String& Selection) {
        if (ACol != ethercat::Type)
            return;
        VarSetLength(Grid, Selection, ARow);
        Grid->SetCells(ethercat::Type, ARow, Selection);
        Recompute(Grid);
    };
    Grid->OnCheckBoxChange = [this, Grid](TObject*, Integer ACol, Integer, bool) {
        if (ACol == ethercat::Enable)
            Recompute(Grid);
    };
    Grid->OnCellValidate = [this, Grid](TObject*, Integer ACol, Integer ARow, String& Value, bool& Valid) {
        if (ACol < ethercat::Enable || ACol > ethercat::Length)
            return;
        Valid = ACol != ethercat::Length || Length_Valid(Grid, ARow, Value);
        if (!Valid)
            return;
        Grid->SetCells(ACol, ARow, Value);
        Recompute(Grid);
    };
}

bool TFEtherCATSlave::Length_Valid(TExStringGrid* Grid, Integer ARow, const String& Value)
{
    // A shorter Array would move the variables after it back over it.
    return Grid->Cells(ethercat::Type, ARow) != u"Array" || StrToIntDef(Value, 0) >= 1;
}

void TFEtherCATSlave::VarSetLength(TExStringGrid* Grid, const String& Type, Integer ARow)
{
    if (const std::optional<ethercat::TType_Length> Rule = ethercat::Type_Length(Type)) {
        Grid->SetCells(ethercat::Length, ARow, QLatin1String(Rule->Length));
        Grid->SetReadOnly(ethercat::Length, ARow, !Rule->Editable);
    }
}

void TFEtherCATSlave::Length_Editable_By_Type(TExStringGrid* Grid, Integer ARow)
{
    if (const std::optional<ethercat::TType_Length> Rule = ethercat::Type_Length(Grid->Cells(ethercat::Type, ARow)))
        Grid->SetReadOnly(ethercat::Length, ARow, !Rule->Editable);
}

void TFEtherCATSlave::Calc_Position_Bit(TExStringGrid* Grid, bool Slave_To_Master)
{
    const Integer Position = ethercat::Position_Column(Slave_To_Master);
    const auto Put = [Grid, Position](Integer ARow, Int64 Byte, Integer Bit) {
        Grid->SetCells(Position, ARow, QString::number(Byte));
        Grid->SetCells(Position + 1, ARow, QString::number(Bit));
    };
    Int64 Byte = 0;
    Integer Bit = 0;
    bool Bool_Run = false;
    for (Integer R = 1; R <= Data_Rows; ++R) {
        const String Type = Grid->Cells(ethercat::Type, R);
        if (Type.trimmed().isEmpty())
            break;
        if (!Is_Checked(Grid, ethercat::Enable, R)) {
            Put(R, 0, 0);
            continue;
        }
        if (Type == u"Bool") {
            Put(R, Byte, Bool_Run ? Bit : 0);
            Bit = Bool_Run ? Bit + 1 : 1;
            Bool_Run = true;
            if (Bit == 8) {
                Bit = 0;
                ++Byte;
            }
            continue;
        }
        if (Bool_Run && Bit > 0)
            ++Byte;
        Bit = 0;
        Bool_Run = false;
        Put(R, Byte, 0);
        Byte += ethercat::Type_Size(Type, Grid->Cells(ethercat::Length, R));
    }
}

void TFEtherCATSlave::Recompute(TExStringGrid* Grid)
{
    Calc_Position_Bit(Grid, Grid == ESG_SlaveMaster);
}

void TFEtherCATSlave::Row_Loaded(Integer Table_Index, Integer ARow)
{
    Length_Editable_By_Type(Table(Table_Index).Any_Grid, ARow);
}

void TFEtherCATSlave::After_Load()
{
    Recompute(ESG_SlaveMaster);
    Recompute(ESG_MasterSlave);
}

void TFEtherCATSlave::Rows_Moved(Integer Table_Index, TRow_Move Move, Integer ARow)
{
    TExStringGrid* Grid = Table(Table_Index).Any_Grid;
    // A pasted row keeps its Length; its type only sets the editability.
    if (Move == rmPaste)
        Length_Editable_By_Type(Grid, ARow);
    Recompute(Grid);
}

void TFEtherCATSlave::Btn_DelRow_Click()
{
    TExStringGrid* Grid = Active_Table().Any_Grid;
    const Integer Row = Grid->Row();
    if (MessageDlg(LangFormat(3733, {Row}), mtConfirmation, mbYesNo, 0) == mrYes)
        Delete_Row_ESG(Row, Grid, true);
    Recompute(Grid);
}
