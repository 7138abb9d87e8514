// The pages below the port grid: their controls, and what they show of the
// port's decoded description and channel object.
#include "iolink/UIO_Link_Set_Access_Form.h"

#include "iolink/UIO_Link_Set_Access_Internal.h"
#include "shell/ULanguage.h"

using namespace Qt::StringLiterals;
using namespace iolink_sa;

namespace {

// A column grid built in code: marked as loading while its columns are set,
// so Loaded records their first order.
class TBuiltColumnGrid : public TExColumnGrid {
public:
    using TExColumnGrid::TExColumnGrid;
    using TComponent::Loading;
};

// Row colours of the variables grid: editable and other columns, in the
// first and the second colour group.
constexpr TColor Var_Edit_Color[2] = {RGB(185, 255, 255), RGB(255, 231, 206)};
constexpr TColor Var_Other_Color[2] = {RGB(187, 255, 187), RGB(255, 255, 204)};

constexpr Integer Var_Widths[TFIO_Link_Set_Access::Var_Columns] = {45, 40, 64, 100, 200, 64, 70, 50, 80, 80, 80,
                                                                   80, 64, 64, 64, 64, 64, 64, 64, 64, 100};
constexpr Integer Var_Headers[TFIO_Link_Set_Access::Var_Columns] = {
    1247, 1218, 1219, 1220, 1221, 1222, 1223, 1224, 1294, 1295, 1296,
    1225, 1226, 1271, 1272, 1273, 1274, 1275, 1276, 1729, 1227};
constexpr Integer Var_Check_Columns[] = {0, 15, 16, 17};

const QStringList Start_Bits = {u"0"_s, u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s, u"7"_s};
const QStringList Input_Types = {u"None"_s, u"PNP (Pull Down)"_s, u"NPN (Pull UP)"_s};

Boolean Var_Editable_Column(Integer Col) { return Col == 0 || (Col >= 12 && Col <= 19); }

void Set_Headers(TExColumnGrid* Grid, std::initializer_list<Integer> Texts)
{
    Integer C = 0;
    for (const Integer Text : Texts)
        Grid->Columns()->Items(C++)->SetHeader(Lang.Strings(Text));
}

void Set_Combo(TGridColumnItem* Item, const QStringList& Items)
{
    Item->SetEditor(edComboList);
    Item->ComboItems()->SetText(Items.join(u'\n'));
}

void Set_Data_Check(TGridColumnItem* Item)
{
    Item->SetEditor(edDataCheckBox);
    Item->SetCheckTrue(u"Y"_s);
    Item->SetCheckFalse(u"N"_s);
    Item->SetAlignment(taCenter);
}

// Header and one empty row.
void Empty_Grid(TExStringGrid* Grid)
{
    Grid->ClearRows(1, Grid->RowCount() - 1);
    Grid->SetRowCount(2);
}

TTabSheet* Add_Page(TPageControl* Pages, TComponent* Owner, const String& Caption)
{
    auto* Page = new TTabSheet(Owner);
    Page->SetPageControl(Pages);
    Page->SetCaption(Caption);
    return Page;
}

} // namespace

// ================================================================ controls

TExColumnGrid* TFIO_Link_Set_Access::Add_Page_Grid(TWinControl* Parent, std::initializer_list<Integer> Widths)
{
    auto* Grid = new TBuiltColumnGrid(this);
    Grid->SetParent(Parent);
    Grid->SetAlign(alClient);
    Grid->Loading();
    Grid->SetColCount(Integer(Widths.size()));
    Grid->SetRowCount(2);
    Grid->SetFixedRows(1);
    Grid->SetFixedCols(0);
    Grid->SetOptions(Grid->Options() + TGridOptions{goEditing});
    Integer C = 0;
    for (const Integer Width : Widths)
        Grid->Columns()->Items(C++)->SetWidth(Width);
    return Grid;
}

TLabel* TFIO_Link_Set_Access::Add_Page_Label(TWinControl* Parent, Integer Left, Integer Top, Boolean Bold)
{
    auto* Label = new TLabel(this);
    Label->SetParent(Parent);
    Label->SetAutoSize(true);
    Label->SetLeft(Left);
    Label->SetTop(Top);
    if (Bold) {
        Label->SetParentFont(false);
        Shell_Window_Font(Label->Font());
        Label->Font()->SetStyle(TFontStyles{fsBold});
    }
    return Label;
}

void TFIO_Link_Set_Access::Create_Pages()
{
    PageControl1 = new TPageControl(this);
    PageControl1->SetParent(this);
    PageControl1->SetAlign(alClient);
    TS_ProcessData = Add_Page(PageControl1, this, u"Process Data"_s);
    TS_Variables = Add_Page(PageControl1, this, u"Device Function - Variables"_s);
    TS_IO_Options = Add_Page(PageControl1, this, u"I/O Options"_s);
    TS_Events = Add_Page(PageControl1, this, u"Events"_s);
    TS_DeviceIdentity = Add_Page(PageControl1, this, u"Device Identity"_s);
    TS_TransportLayer = Add_Page(PageControl1, this, u"Transport Layers"_s);
    Create_ProcessData_Page();
    Create_Variables_Page();
    Create_IO_Options_Page();
    Create_Events_Page();
    Create_Identity_Page();
    Create_Transport_Page();
    PageControl1->SetActivePage(TS_ProcessData);
    PC_ProcessData->SetActivePage(TS_ProcessDataIn);
}

void TFIO_Link_Set_Access::Create_ProcessData_Page()
{
    P_PD_Condition = new TPanel(this);
    P_PD_Condition->SetParent(TS_ProcessData);
    P_PD_Condition->SetAlign(alTop);
    P_PD_Condition->SetHeight(32);
    P_PD_Condition->SetBevelOuter(bvNone);
    P_PD_Condition->SetShowCaption(false);
    P_PD_Condition->SetVisible(false);
    L_PD_Condition = Add_Page_Label(P_PD_Condition, 8, 9, false);
    L_PD_Condition->SetCaption(u"Condition"_s);
    CB_PD_ConditionList = new TComboBox(this);
    CB_PD_ConditionList->SetParent(P_PD_Condition);
    CB_PD_ConditionList->SetStyle(csDropDownList);
    CB_PD_ConditionList->SetBounds(80, 5, 500, 22);
    CB_PD_ConditionList->OnChange = [this](TObject* Sender) { CB_PD_ConditionListChange(Sender); };

    PC_ProcessData = new TPageControl(this);
    PC_ProcessData->SetParent(TS_ProcessData);
    PC_ProcessData->SetAlign(alClient);
    TS_ProcessDataIn = Add_Page(PC_ProcessData, this, u"Process Data In"_s);
    TS_ProcessDataOut = Add_Page(PC_ProcessData, this, u"Process Data Out"_s);
    ECG_ProcessDataIn = Create_ProcessData_Grid(TS_ProcessDataIn);
    ECG_ProcessDataOut = Create_ProcessData_Grid(TS_ProcessDataOut);
    ECG_ProcessDataIn->OnCellValidate = [this](TObject* Sender, Integer ACol, Integer ARow, String& Value,
                                               bool& Valid) {
        ECG_ProcessDataInCellValidate(Sender, ACol, ARow, Value, Valid);
    };
    ECG_ProcessDataOut->OnCellValidate = [this](TObject* Sender, Integer ACol, Integer ARow, String& Value,
                                                bool& Valid) {
        ECG_ProcessDataOutCellValidate(Sender, ACol, ARow, Value, Valid);
    };
}

TExColumnGrid* TFIO_Link_Set_Access::Create_ProcessData_Grid(TWinControl* Parent)
{
    TExColumnGrid* Grid = Add_Page_Grid(Parent, {100, 70, 200, 100, 70, 80, 80, 80, 80});
    for (Integer C = 0; C <= PD_Last_ReadOnly; ++C)
        Grid->Columns()->Items(C)->SetReadOnly(true);
    Set_Combo(Grid->Columns()->Items(PD_Col_Bit), Start_Bits);
    Grid->Loaded();
    return Grid;
}

void TFIO_Link_Set_Access::Create_Variables_Page()
{
    ESG_Var = new TExStringGrid(this);
    ESG_Var->SetParent(TS_Variables);
    ESG_Var->SetAlign(alClient);
    ESG_Var->SetColCount(Var_Columns);
    ESG_Var->SetRowCount(2);
    ESG_Var->SetFixedRows(1);
    ESG_Var->SetOptions(ESG_Var->Options() + TGridOptions{goEditing});
    ESG_Var->OnCellValidate = [this](TObject* Sender, Integer ACol, Integer ARow, String& Value, bool& Valid) {
        ESG_VarCellValidate(Sender, ACol, ARow, Value, Valid);
    };
    ESG_Var->OnCheckBoxClick = [this](TObject* Sender, Integer ACol, Integer ARow, bool State) {
        ESG_VarCheckBoxClick(Sender, ACol, ARow, State);
    };
    Init_Var_Table();
}

void TFIO_Link_Set_Access::Create_IO_Options_Page()
{
    ECG_IO_Options = Add_Page_Grid(TS_IO_Options, {120, 120, 120, 120, 45, 120, 440});
    ECG_IO_Options->SetRowCount(3);
    TGridColumnCollection* Columns = ECG_IO_Options->Columns();
    Columns->Items(IO_Col_Name)->SetReadOnly(true);
    Columns->Items(IO_Col_Access)->SetReadOnly(true);
    Set_Combo(Columns->Items(IO_Col_Bit), Start_Bits);
    Set_Data_Check(Columns->Items(IO_Col_Invert));
    Set_Combo(Columns->Items(IO_Col_InType), Input_Types);
    ECG_IO_Options->Loaded();
    ECG_IO_Options->OnCellValidate = [this](TObject* Sender, Integer ACol, Integer ARow, String& Value,
                                            bool& Valid) { ECG_IO_OptionsCellValidate(Sender, ACol, ARow, Value, Valid); };
    ECG_IO_Options->OnCheckBoxChange = [this](TObject* Sender, Integer ACol, Integer ARow, bool State) {
        ECG_IO_OptionsCheckBoxChange(Sender, ACol, ARow, State);
    };
    ECG_IO_Options->OnComboChange = [this](TObject* Sender, Integer ACol, Integer ARow, Integer AItemIndex,
                                           const String& ASelection) {
        ECG_IO_OptionsComboChange(Sender, ACol, ARow, AItemIndex, ASelection);
    };
}

void TFIO_Link_Set_Access::Create_Events_Page()
{
    ECG_Events = Add_Page_Grid(TS_Events, {45, 70, 220, 100, 100, 100, 100, 350});
    TGridColumnCollection* Columns = ECG_Events->Columns();
    Set_Data_Check(Columns->Items(Ev_Col_Enable));
    for (const Integer C : {Ev_Col_Code, Ev_Col_Name, Ev_Col_Type})
        Columns->Items(C)->SetReadOnly(true);
    ECG_Events->Loaded();
    ECG_Events->OnCellValidate = [this](TObject* Sender, Integer ACol, Integer ARow, String& Value, bool& Valid) {
        ECG_EventsCellValidate(Sender, ACol, ARow, Value, Valid);
    };
    ECG_Events->OnCheckBoxChange = [this](TObject* Sender, Integer ACol, Integer ARow, bool State) {
        ECG_EventsCheckBoxChange(Sender, ACol, ARow, State);
    };
}

void TFIO_Link_Set_Access::Create_Identity_Page()
{
    constexpr Integer Line = 22;
    for (std::size_t I = 0; I < L_Identity_Caption.size(); ++I) {
        const Integer Top = 12 + Integer(I) * Line;
        L_Identity_Caption[I] = Add_Page_Label(TS_DeviceIdentity, 12, Top, true);
        L_Identity_Value[I] = Add_Page_Label(TS_DeviceIdentity, 180, Top, false);
    }
    const Integer Top = 12 + Integer(L_Identity_Caption.size()) * Line + 8;
    L_DevVarColl = Add_Page_Label(TS_DeviceIdentity, 12, Top, true);
    ECG_DevIde_DevVarColl = Add_Page_Grid(TS_DeviceIdentity, {150, 250, 248});
    ECG_DevIde_DevVarColl->SetAlign(alNone);
    ECG_DevIde_DevVarColl->SetBounds(12, Top + 20, 670, 120);
    for (Integer C = 0; C < 3; ++C)
        ECG_DevIde_DevVarColl->Columns()->Items(C)->SetReadOnly(true);
    ECG_DevIde_DevVarColl->Loaded();
}

void TFIO_Link_Set_Access::Create_Transport_Page()
{
    for (std::size_t I = 0; I < L_Transport_Caption.size(); ++I) {
        const Integer Top = 12 + Integer(I) * 22;
        L_Transport_Caption[I] = Add_Page_Label(TS_TransportLayer, 12, Top, true);
        L_Transport_Value[I] = Add_Page_Label(TS_TransportLayer, 220, Top, false);
    }
}

void TFIO_Link_Set_Access::Set_Lang_Pages()
{
    TS_Variables->SetCaption(Lang.Strings(1215));
    TS_DeviceIdentity->SetCaption(Lang.Strings(1216));
    TS_TransportLayer->SetCaption(Lang.Strings(1217));
    for (std::size_t I = 0; I < L_Identity_Caption.size(); ++I)
        L_Identity_Caption[I]->SetCaption(Lang.Strings(1228 + Integer(I)));
    L_DevVarColl->SetCaption(Lang.Strings(1235));
    Set_Headers(ECG_DevIde_DevVarColl, {1236, 1237, 1238});
    for (std::size_t I = 0; I < L_Transport_Caption.size(); ++I)
        L_Transport_Caption[I]->SetCaption(Lang.Strings(1239 + Integer(I)));
    TS_ProcessData->SetCaption(Lang.Strings(1248));
    TS_ProcessDataIn->SetCaption(Lang.Strings(1249));
    TS_ProcessDataOut->SetCaption(Lang.Strings(1250));
    Set_Headers(ECG_ProcessDataIn, {1251, 1252, 1253, 1254, 1255, 1256, 1257, 1259, 1260});
    Set_Headers(ECG_ProcessDataOut, {1261, 1262, 1263, 1264, 1265, 1266, 1267, 1269, 1270});
    TS_IO_Options->SetCaption(Lang.Strings(1709));
    Set_Headers(ECG_IO_Options, {1710, 1711, 1712, 1713, 1714, 1733, 1715});
    TS_Events->SetCaption(Lang.Strings(1716));
    Set_Headers(ECG_Events, {1717, 1718, 1719, 1720, 1721, 1722, 1723, 1724});
}

// ================================================================== showing

TChannel_IOLink* TFIO_Link_Set_Access::Page_Channel() const
{
    const bool Known = FPage_Port >= 0 && std::size_t(FPage_Port) < Core.Channels.size();
    return Known ? Core.Channels[std::size_t(FPage_Port)].get() : nullptr;
}

const TIODD* TFIO_Link_Set_Access::Port_IODD(Integer index) const
{
    const bool Known = index >= 0 && std::size_t(index) < Core.IODD_List.size();
    return Known ? Core.IODD_List[std::size_t(index)].get() : nullptr;
}

void TFIO_Link_Set_Access::Show_Data_IODD(Integer index)
{
    FPage_Port = index;
    if (Port_IODD(index)) {
        Show_Data_Variables(index);
        Show_Data_ProcessData(index);
        Show_Data_DeviceIdentity(index);
        Show_Data_TransportLayer(index);
        Show_Data_Events(index);
    } else {
        Erase_Values();
    }
    Show_Data_IO_Options(index);
}

void TFIO_Link_Set_Access::Erase_Values()
{
    Init_Var_Table();
    Erase_ProcessData();
    for (TLabel* Value : L_Identity_Value)
        Value->SetCaption(String());
    Empty_Grid(ECG_DevIde_DevVarColl);
    for (TLabel* Value : L_Transport_Value)
        Value->SetCaption(String());
    Show_No_Events();
}

// Both grids keep their header and one empty row and the Condition panel
// goes: nothing of another port's process data stays on screen.
void TFIO_Link_Set_Access::Erase_ProcessData()
{
    P_PD_Condition->SetVisible(false);
    CB_PD_ConditionList->Items()->Clear();
    TS_ProcessDataIn->SetTabVisible(true);
    TS_ProcessDataOut->SetTabVisible(true);
    Empty_Grid(ECG_ProcessDataIn);
    Empty_Grid(ECG_ProcessDataOut);
}

// ---------------------------------------------------------------- variables

void TFIO_Link_Set_Access::Init_Var_Table()
{
    ESG_Var->UnHideColumns(Var_First_Hidden, Var_Last_Hidden);
    Empty_Grid(ESG_Var);
    ESG_Var->SetFixedCols(0);
    ESG_Var->FixedFont()->SetStyle(TFontStyles{fsBold});
    for (Integer C = 0; C < Var_Columns; ++C) {
        ESG_Var->SetCells(C, 0, Lang.Strings(Var_Headers[C]));
        ESG_Var->SetColWidths(C, Var_Widths[C]);
    }
    for (const Integer C : Var_Check_Columns)
        Add_Var_Check(C, 1, false);
    ESG_Var->HideColumns(Var_First_Hidden, Var_Last_Hidden);
}

void TFIO_Link_Set_Access::Add_Var_Check(Integer ACol, Integer ARow, Boolean State)
{
    ESG_Var->AddCheckBox(ACol, ARow, State, false);
    ESG_Var->SetAlignments(ACol, ARow, taCenter);
}

Integer TFIO_Link_Set_Access::Var_Rows(const TIODD* IODD)
{
    Integer Rows = 0;
    for (const auto& Var : IODD->ProfileBody->DeviceFunction->VariableCollection->Var_List) {
        if (Var->VarType != vtVariable)
            continue;
        const TIOLinkVariableShape Shape = IOLinkShapeOf(*Var, IODD, false);
        Rows += 1 + (Shape.Element ? IOLinkArrayCount(*Shape.Complex) : 0) + Integer(Shape.Items.size());
    }
    return Rows;
}

void TFIO_Link_Set_Access::Show_Data_Variables(Integer index)
{
    Init_Var_Table();
    const TIODD* IODD = Port_IODD(index);
    const Integer Rows = IODD ? Var_Rows(IODD) : 0;
    if (Rows == 0)
        return;
    ESG_Var->BeginUpdate();
    ESG_Var->UnHideColumns(Var_First_Hidden, Var_Last_Hidden);
    ESG_Var->SetRowCount(Rows + 1);
    Integer Num_Row = 0;
    Boolean FirstColor = true;
    // Standard variable references are not shown.
    for (const auto& Var : IODD->ProfileBody->DeviceFunction->VariableCollection->Var_List) {
        if (Var->VarType != vtVariable)
            continue;
        Num_Row = Show_Data_Var_Grid(Num_Row, Var.get(), nullptr, false, IODD, FirstColor, index);
        FirstColor = !FirstColor;
    }
    ESG_Var->HideColumns(Var_First_Hidden, Var_Last_Hidden);
    ESG_Var->EndUpdate();
}

Integer TFIO_Link_Set_Access::Show_Data_Var_Grid(Integer Num_Row, const TVariable* aVar, const TVariable* refVar,
                                                 Boolean VarRef, const TIODD* IODD, Boolean FirstColor, Integer index)
{
    Q_UNUSED(refVar);
    const TIOLinkVariableShape Shape = IOLinkShapeOf(*aVar, IODD, VarRef);
    const String Index = IntToStr(aVar->Index);
    const String Name = IODD->GetDesc_ExtTextCol(VarRef, aVar->Name);
    const String Access = aVar->Get_AccessRights();
    const String Length = aVar->Get_Length(IODD, VarRef);
    const String SubAccess = aVar->Get_SubIndAccSup(IODD, VarRef);
    // Columns 1 to 11 and 20 of a row of this variable.
    const auto Row_Texts = [&](Integer Row, const String& SubIndex, const String& RowName, const String& Type,
                               const String& RowAccess, const String& RowLength, const String& BitOff,
                               const String& Default, const String& Description) {
        const std::array<String, 11> Texts = {Index,     SubIndex, String(), RowName, Type,    RowAccess,
                                              RowLength, SubAccess, Length,  BitOff,  Default};
        for (Integer C = 1; C <= 11; ++C)
            ESG_Var->SetCells(C, Row, Texts[std::size_t(C - 1)]);
        ESG_Var->SetCells(20, Row, Description);
        Show_Var_Values(Row, Index, SubIndex, index);
        Row_Colors(Row, FirstColor);
        SetEditableCells(Row);
    };

    const Integer Whole = Grow_Var_Rows(Num_Row + 1);
    Row_Texts(Whole, String(), Name, aVar->Get_DataType(IODD, VarRef), Access, Length, u"0"_s, aVar->DefaultValue,
              IODD->GetDesc_ExtTextCol(VarRef, aVar->Description));
    ESG_Var->SetCells(3, Whole, aVar->Id);
    Integer Row = Whole;
    if (Shape.Element || !Shape.Items.empty())
        ESG_Var->SetCheckBoxState(0, Whole, false);
    if (Shape.Element) {
        const String Type = Shape.Element->Get_ActualSimpleDataType(IODD, VarRef);
        const String ElementLength = Shape.Element->Get_Length(IODD, VarRef);
        for (Integer I = 0; I < IOLinkArrayCount(*Shape.Complex); ++I)
            Row_Texts(Grow_Var_Rows(++Row), IntToStr(I), Name, Type, Access, ElementLength, u"0"_s, String(),
                      String());
    }
    for (const TRecordItem* Item : Shape.Items) {
        const TSimpleDataType* Simple = Item->SimpleTD.get();
        Row_Texts(Grow_Var_Rows(++Row), IntToStr(Item->SubIndex), IODD->GetDesc_ExtTextCol(VarRef, Item->Name),
                  Simple ? Simple->Get_ActualSimpleDataType(IODD, VarRef) : String(),
                  Item->AccessRightResPresent ? Item->GetAccessRightRestrictionStr() : Access,
                  Simple ? Simple->Get_Length(IODD, VarRef) : String(), IntToStr(Item->BitOffset),
                  Record_Item_Default(*aVar, Item->SubIndex), IODD->GetDesc_ExtTextCol(VarRef, Item->Description));
    }
    return Row;
}

Integer TFIO_Link_Set_Access::Grow_Var_Rows(Integer Row)
{
    if (ESG_Var->RowCount() <= Row)
        ESG_Var->SetRowCount(Row + 1);
    return Row;
}

String TFIO_Link_Set_Access::Record_Item_Default(const TVariable& Var, Integer SubIndex)
{
    for (const auto& Info : Var.RecordItemInfoList)
        if (Info->Subindex == SubIndex)
            return Info->DefaultValue;
    return String();
}

// Columns 0 and 12 to 19 of a variables row from the port's entry; empty
// and unticked without one, as the channel's lookups answer. The entry is
// found once for the row.
void TFIO_Link_Set_Access::Show_Var_Values(Integer Row, const String& Index, const String& SubIndex, Integer index)
{
    static const TVarObjValue No_Entry;
    const TChannel_IOLink& Ch = *Core.Channels[std::size_t(index)];
    const Integer I = Ch.Get_Index(Index, SubIndex);
    const TVarObjValue& Entry = I < 0 ? No_Entry : *Ch.Var_List[std::size_t(I)];
    Add_Var_Check(0, Row, Entry.Enable);
    ESG_Var->SetCells(12, Row, Entry.Value);
    ESG_Var->SetCells(13, Row, Entry.Position);
    ESG_Var->SetCells(14, Row, Entry.Bit);
    Add_Var_Check(15, Row, Entry.On_CMD);
    Add_Var_Check(16, Row, Entry.On_Change);
    Add_Var_Check(17, Row, Entry.On_Timer);
    ESG_Var->SetCells(18, Row, Entry.Time);
    ESG_Var->SetCells(19, Row, Entry.ReadTime);
}

void TFIO_Link_Set_Access::Row_Colors(Integer Num_Row, Boolean FirstColor)
{
    const std::size_t Group = FirstColor ? 0 : 1;
    for (Integer C = 0; C < Var_Columns; ++C)
        ESG_Var->SetColors(C, Num_Row, Var_Editable_Column(C) ? Var_Edit_Color[Group] : Var_Other_Color[Group]);
}

void TFIO_Link_Set_Access::SetEditableCells(Integer RowNum)
{
    for (Integer C = 0; C < Var_Columns; ++C)
        ESG_Var->SetReadOnly(C, RowNum, !Var_Editable_Column(C));
}

// ------------------------------------------------------------- process data

String TFIO_Link_Set_Access::Condition_Text(const TIODD* IODD, const TCondition* Condition)
{
    if (!Condition)
        return String();
    const String SubIndex = IntToStr(Condition->SubIndex);
    const String Value = IntToStr(Condition->Value);
    const TVariableCollection& Vars = *IODD->ProfileBody->DeviceFunction->VariableCollection;
    if (const TVariable* Var = Vars.Get_Variables_IDs(Condition->VariableId)) {
        const String Name = IODD->GetDesc_ExtTextCol(Var->VarType != vtVariable, Var->Name);
        return u"Var Name : "_s + Name + u", SubIndex : "_s + SubIndex + u", Value : "_s + Value;
    }
    return Condition->VariableId + u' ' + SubIndex + u' ' + Value;
}

void TFIO_Link_Set_Access::Show_Data_ProcessData(Integer index)
{
    const TIODD* IODD = Port_IODD(index);
    if (!IODD) {
        Erase_ProcessData();
        return;
    }
    const auto& Alternatives = IODD->ProfileBody->DeviceFunction->ProcessDataCollection->ProcessData_List;
    const std::size_t N = Alternatives.size();
    if (N == 0) {
        // As a port without a description: no other port's rows stay.
        Erase_ProcessData();
        return;
    }
    TStrings* List = CB_PD_ConditionList->Items();
    const Integer Condition = Core.Channels[std::size_t(index)]->ProcDataCondition;
    if (N == 1) {
        P_PD_Condition->SetVisible(false);
        if (List->Count() == 0)
            List->Add(u"x"_s);
        CB_PD_ConditionList->SetItemIndex(0);
    } else {
        P_PD_Condition->SetVisible(true);
        List->Clear();
        for (const auto& Alternative : Alternatives)
            List->Add(Condition_Text(IODD, Alternative->Condition.get()));
        CB_PD_ConditionList->SetItemIndex(Condition);
    }
    const TProcessData* Chosen =
        Condition >= 0 && std::size_t(Condition) < N ? Alternatives[std::size_t(Condition)].get() : nullptr;
    Show_ProcessData_Side(TS_ProcessDataIn, ECG_ProcessDataIn, Chosen ? Chosen->ProcessDataIn.get() : nullptr,
                          IODD, index, true);
    Show_ProcessData_Side(TS_ProcessDataOut, ECG_ProcessDataOut, Chosen ? Chosen->ProcessDataOut.get() : nullptr,
                          IODD, index, false);
}

void TFIO_Link_Set_Access::Show_ProcessData_Side(TTabSheet* Tab, TExColumnGrid* Grid, const TProcessDataInOut* aPD,
                                                 const TIODD* IODD, Integer index, Boolean PdIn)
{
    Tab->SetTabVisible(aPD != nullptr);
    Empty_Grid(Grid);
    if (aPD)
        Show_ProcessData_Grid(Grid, PdIn, 0, aPD, IODD, index);
}

Integer TFIO_Link_Set_Access::Show_ProcessDataIn_Grid(Integer Num_Row, const TProcessDataInOut* aPD,
                                                      const TIODD* IODD, Integer index)
{
    return Show_ProcessData_Grid(ECG_ProcessDataIn, true, Num_Row, aPD, IODD, index);
}

Integer TFIO_Link_Set_Access::Show_ProcessDataOut_Grid(Integer Num_Row, const TProcessDataInOut* aPD,
                                                       const TIODD* IODD, Integer index)
{
    return Show_ProcessData_Grid(ECG_ProcessDataOut, false, Num_Row, aPD, IODD, index);
}

// One row per item the list builders make of the element, in their order.
Integer TFIO_Link_Set_Access::Show_ProcessData_Grid(TExColumnGrid* Grid, Boolean PdIn, Integer Num_Row,
                                                    const TProcessDataInOut* aPD, const TIODD* IODD, Integer index)
{
    const TChannel_IOLink& Ch = *Core.Channels[std::size_t(index)];
    const String Name = IODD->GetDesc_ExtTextCol(false, aPD->Name);
    Integer Row = Num_Row;
    const auto Add_Row = [&](const String& SubIndex, const String& RowName, const String& Type,
                             const String& Length) {
        ++Row;
        if (Grid->RowCount() <= Row)
            Grid->SetRowCount(Row + 1);
        const std::array<String, PD_Columns> Texts = {aPD->Id,
                                                      SubIndex,
                                                      RowName,
                                                      Type,
                                                      Length,
                                                      Ch.PD_Get_Gradient(PdIn, aPD->Id, SubIndex),
                                                      Ch.PD_Get_Offset(PdIn, aPD->Id, SubIndex),
                                                      Ch.PD_Get_Position(PdIn, aPD->Id, SubIndex),
                                                      Ch.PD_Get_Bit(PdIn, aPD->Id, SubIndex)};
        for (Integer C = 0; C < PD_Columns; ++C)
            Grid->SetCells(C, Row, Texts[std::size_t(C)]);
    };

    const TDataType* Type = IOLinkProcessDataType(*aPD, IODD);
    if (!Type)
        return Row;
    if (Type->IsSimpleDataType) {
        if (Type->SimpleDataType)
            Add_Row(String(), Name, aPD->Get_DataTypeStr(IODD), IntToStr(aPD->BitLength));
        return Row;
    }
    const TComplexDataType* Complex = Type->ComplexDataType.get();
    if (!Complex)
        return Row;
    if (Complex->ActualComplexDataType == acdtArrayT) {
        if (const TSimpleDataType* Element = IOLinkArrayElement(*Complex)) {
            const String ElementType = Element->Get_ActualSimpleDataType(IODD, false);
            const String Length = Element->Get_Length(IODD, false);
            for (Integer K = 1; K <= IOLinkArrayCount(*Complex); ++K)
                Add_Row(IntToStr(K), Name, ElementType, Length);
        }
    } else if (Complex->ActualComplexDataType == acdtRecordT) {
        for (const TRecordItem* Item : IOLinkRecordItems(*Complex)) {
            const TSimpleDataType* Simple = Item->SimpleTD.get();
            Add_Row(IntToStr(Item->SubIndex), IODD->GetDesc_ExtTextCol(false, Item->Name),
                    Simple ? Simple->Get_ActualSimpleDataType(IODD, false) : String(),
                    Simple ? Simple->Get_Length(IODD, false) : String());
        }
    }
    return Row;
}

void TFIO_Link_Set_Access::CB_PD_ConditionListChange(TObject*)
{
    const Integer Port = FPage_Port;
    if (!Port_IODD(Port))
        return;
    if (Core.Change_ProcessData_Condition(Port, CB_PD_ConditionList->ItemIndex()))
        Show_Data_ProcessData(Port);
}

// ------------------------------------------------------------ other pages

void TFIO_Link_Set_Access::Show_Data_DeviceIdentity(Integer index)
{
    const TIODD* IODD = Port_IODD(index);
    const TDeviceIdentity& Identity = *IODD->ProfileBody->DeviceIdentity;
    const std::array<String, 7> Values = {Identity.VendorId(),   Identity.VendorName(), Identity.DeviceId(),
                                          Identity.VendorText(), Identity.VendorUrl(),  Identity.DeviceName(),
                                          Identity.DeviceFamily()};
    for (std::size_t I = 0; I < Values.size(); ++I)
        L_Identity_Value[I]->SetCaption(IODD->GetDesc_ExtTextCol(false, Values[I]));
    const auto& Variants = Identity.DeviceVariant_List;
    L_DevVarColl->SetVisible(!Variants.empty());
    ECG_DevIde_DevVarColl->SetVisible(!Variants.empty());
    Empty_Grid(ECG_DevIde_DevVarColl);
    if (Variants.empty())
        return;
    ECG_DevIde_DevVarColl->SetRowCount(Integer(Variants.size()) + 1);
    Integer Row = 0;
    for (const auto& Variant : Variants) {
        ++Row;
        ECG_DevIde_DevVarColl->SetCells(0, Row, Variant->ProductId());
        ECG_DevIde_DevVarColl->SetCells(1, Row, IODD->GetDesc_ExtTextCol(false, Variant->Name()));
        ECG_DevIde_DevVarColl->SetCells(2, Row, IODD->GetDesc_ExtTextCol(false, Variant->Description()));
    }
}

void TFIO_Link_Set_Access::Show_Data_TransportLayer(Integer index)
{
    const TIODD* IODD = Port_IODD(index);
    const TPhysicalLayer& Layer = *IODD->PhysicalLayer;
    L_Transport_Value[0]->SetCaption(IODD->GetDesc_ExtTextCol(false, Layer.BitRate()));
    L_Transport_Value[1]->SetCaption(IODD->GetDesc_ExtTextCol(false, Layer.MinCycleTime()));
    L_Transport_Value[2]->SetCaption(Layer.SIOSupported() ? u"True"_s : u"False"_s);
    L_Transport_Value[3]->SetCaption(Layer.MSequenceCapability());
}

void TFIO_Link_Set_Access::Show_Data_IO_Options(Integer index)
{
    TExColumnGrid* Grid = ECG_IO_Options;
    for (Integer C = IO_Col_Pos; C <= IO_Col_Mne; ++C)
        Grid->Columns()->Items(C)->SetReadOnly(false);
    Grid->UnHideRowsAll();
    const TChannel_IOLink* Ch = index >= 0 && std::size_t(index) < Core.Channels.size()
                                    ? Core.Channels[std::size_t(index)].get()
                                    : nullptr;
    const String Mode = Ch ? Ch->Pin4Mode : String();
    const Boolean Reads_Pin2 = Ch && Ch->TypeA && Ch->ReadPin2 == u"Y";
    const auto Set_Row = [Grid](Integer Row, const std::array<String, IO_Columns>& Texts) {
        for (Integer C = 0; C < IO_Columns; ++C)
            Grid->SetCells(C, Row, Texts[std::size_t(C)]);
    };
    const auto Pin2_Row = [&] {
        Set_Row(IO_Row_Pin2, {u"Pin 2"_s, u"Read Only"_s, Ch->Pin2_Pos, Ch->Pin2_Bit, Ch->Pin2_Inv, Ch->Pin2_In_Type,
                              Ch->Pin2_Mne});
    };
    if (Mode == u"DIn" || Mode == u"DOut") {
        const Boolean In = Mode == u"DIn";
        Pin2_Row();
        Set_Row(IO_Row_Pin4, {u"Pin 4"_s, In ? u"Read"_s : u"Write"_s, Ch->Pin4_Pos, Ch->Pin4_Bit, Ch->Pin4_Inv,
                              In ? u"PNP (Pull Down)"_s : String(), Ch->Pin4_Mne});
        Grid->SetReadOnly(IO_Col_InType, IO_Row_Pin4, true);
        if (!Reads_Pin2)
            Grid->HideRow(IO_Row_Pin2);
    } else if (Mode == u"IO-Link" && Ch->ReadPin2 == u"Y") {
        Pin2_Row();
        Grid->HideRow(IO_Row_Pin4);
    } else {
        Set_Row(IO_Row_Pin2, {String(), String(), String(), String(), u"N"_s, String(), String()});
        for (Integer C = IO_Col_Pos; C <= IO_Col_Mne; ++C)
            Grid->Columns()->Items(C)->SetReadOnly(true);
        Grid->HideRow(IO_Row_Pin4);
    }
}

void TFIO_Link_Set_Access::Show_No_Events()
{
    Empty_Grid(ECG_Events);
    ECG_Events->SetCells(Ev_Col_Enable, 1, u"N"_s);
}

void TFIO_Link_Set_Access::Show_Data_Events(Integer index)
{
    const auto& Events = Core.Channels[std::size_t(index)]->Event_List;
    Show_No_Events();
    if (Events.empty())
        return;
    ECG_Events->SetRowCount(Integer(Events.size()) + 1);
    Integer Row = 0;
    for (const auto& Event : Events) {
        ++Row;
        const std::array<String, Ev_Columns> Texts = {Event->Enable ? u"Y"_s : u"N"_s,
                                                      Event->Code,
                                                      Event->Name,
                                                      Event->EventType,
                                                      Event->TimeOut,
                                                      Event->Position,
                                                      Event->Bit,
                                                      Event->Mnemonic};
        for (Integer C = 0; C < Ev_Columns; ++C)
            ECG_Events->SetCells(C, Row, Texts[std::size_t(C)]);
    }
}
