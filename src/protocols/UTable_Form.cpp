#include "protocols/UTable_Form.h"

#include "protocols/ethernet/UDescription_Files.h"
#include "rtl/Dialogs.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

#include <QFileInfo>

namespace {

constexpr Integer Text_Incomplete_Replace = 1507;
constexpr Integer Text_Incomplete_Load = 1508;
constexpr Integer Button_Width = 110;
constexpr Integer Button_Height = 28;
constexpr Integer Header_Height = 22;
constexpr Integer Number_Width = 40;

// A table grid built in code, marked as loading until its columns stand.
class TTable_Grid : public TExColumnGrid {
public:
    using TComponent::Loading;
    using TExColumnGrid::TExColumnGrid;
};

bool Is_Combo_Editor(TEditorType Editor)
{
    return Editor == edComboList || Editor == edComboEdit;
}

// A check box whose state lives in the cell graphic, not in the cell text
// (a column grid's check-box columns keep "Y"/"N" as text).
bool Has_State_Box(TExStringGrid* Grid, Integer ACol, Integer ARow)
{
    return Grid->HasCheckBox(ACol, ARow) && !Grid->HasDataCheckBox(ACol, ARow);
}

const String Checked_Text = QStringLiteral("Y");
const String Unchecked_Text = QStringLiteral("N");

const char* const Fixed_Button_Captions[6] = {"OK", "Cancel", "Delete Row", "Insert Row", "Copy Row", "Paste Row"};

void Set_Up_Item(TGridColumnItem* Item, const TTable_Column& Column, Integer Real_Column)
{
    Item->SetWidth(Column.Width);
    Item->SetEditor(Column.Editor);
    if (Real_Column > 0)
        Item->SetColor(Column.Color);
    if (Column.Editor == edDataCheckBox) {
        Item->SetCheckTrue(QStringLiteral("Y"));
        Item->SetCheckFalse(QStringLiteral("N"));
        Item->SetAlignment(taCenter);
    }
    if (Column.Edit_Length > 0)
        Item->SetEditLength(Column.Edit_Length);
    if (!Column.Items.isEmpty())
        Item->ComboItems()->SetText(Column.Items.join(u'\n'));
}

// The settings both grid kinds share; the column grid hides some setters of
// the string grid, so each kind is set through its own type.
template <class TGrid>
void Set_Up_Grid(TGrid* Grid, const TTable_Desc& Desc, TWinControl* Parent)
{
    Grid->SetParent(Parent);
    Grid->SetAlign(alClient);
    Grid->SetColCount(Integer(Desc.Columns.size()));
    Grid->SetRowCount(Desc.Row_Count);
    Grid->SetFixedRows(1);
    Grid->SetFixedCols(1);
    Grid->SetDefaultRowHeight(Header_Height);
    Grid->SetOptions(
        TGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goColSizing, goEditing});
    Grid->SetShowHint(Desc.Show_Hints);
}

// A string grid's columns: widths, check boxes in cells, colours and
// centring per cell, since such a grid has no column items.
void Set_Up_String_Columns(TExStringGrid* Grid, const std::vector<TTable_Column>& Columns)
{
    for (Integer C = 0; C < Integer(Columns.size()); ++C) {
        const TTable_Column& Column = Columns[std::size_t(C)];
        Grid->SetColWidths(C, Column.Width);
        if (C == 0)
            continue;
        if (Column.Editor == edDataCheckBox)
            Grid->AddCheckBoxColumn(C, false, false);
        for (Integer R = 1; R < Grid->RowCount(); ++R) {
            Grid->SetColors(C, R, Column.Color);
            if (Column.Editor == edDataCheckBox)
                Grid->SetAlignments(C, R, taCenter);
        }
    }
}

String Missing_Section_Reason(const char* Section)
{
    return QStringLiteral("the section \"%1\" is missing").arg(QLatin1String(Section));
}

} // namespace

TTable_Form::TTable_Form(TComponent* AOwner, Integer Caption_Text, TTable_Window_Desc Window)
    : TShellForm(AOwner, Caption_Text), FWindow(Window)
{
    SetClientWidth(FWindow.Client_Width);
    SetClientHeight(FWindow.Client_Height);
    Add_Button_Panel();
    Btn_OK->OnClick = [this](TObject* Sender) { Btn_OKClick(Sender); };
    Btn_DelRow = Add_Row_Button();
    Btn_DelRow->OnClick = [this](TObject* Sender) { Btn_DelRowClick(Sender); };
    Btn_InsRow = Add_Row_Button();
    Btn_InsRow->OnClick = [this](TObject* Sender) { Btn_InsRowClick(Sender); };
    Btn_CopyRow = Add_Row_Button();
    Btn_CopyRow->OnClick = [this](TObject* Sender) { Btn_CopyRowClick(Sender); };
    Btn_PasteRow = Add_Row_Button();
    Btn_PasteRow->OnClick = [this](TObject* Sender) { Btn_PasteRowClick(Sender); };
    Place_Row_Buttons();

    PageControl1 = new TPageControl(this);
    PageControl1->SetParent(this);
    PageControl1->SetAlign(alClient);
    OnShow = [this](TObject* Sender) { FormShow(Sender); };
}

TLbButton* TTable_Form::Add_Row_Button()
{
    auto* Button = new TLbButton(this);
    Button->SetParent(P_Button);
    Shell_Button_Look(Button);
    return Button;
}

void TTable_Form::Place_Row_Buttons()
{
    TLbButton* const Order[6] = {Btn_OK, Btn_Cancel, Btn_DelRow, Btn_InsRow, Btn_CopyRow, Btn_PasteRow};
    for (Integer I = 0; I < 6; ++I)
        Order[I]->SetBounds(8 + I * (Button_Width + 8), 6, Button_Width, Button_Height);
}

TTable_Form::TTable& TTable_Form::Add_Table(TTable_Desc Desc)
{
    TTable T;
    T.Desc = std::move(Desc);
    T.Hints = std::make_unique<TStringList>();
    if (T.Desc.Section && T.Desc.Tab_Text >= 0) {
        T.Sheet = new TTabSheet(this);
        T.Sheet->SetPageControl(PageControl1);
    } else
        PageControl1->SetVisible(false);

    T.Any_Grid = Make_Grid(T.Desc, T.Sheet ? static_cast<TWinControl*>(T.Sheet) : this);
    if (!T.Desc.String_Grid)
        T.Grid = static_cast<TExColumnGrid*>(T.Any_Grid);
    FTables.push_back(std::move(T));
    Wire_Grid(Table_Count() - 1);
    return FTables.back();
}

TExStringGrid* TTable_Form::Make_Grid(const TTable_Desc& Desc, TWinControl* Parent)
{
    if (Desc.String_Grid) {
        auto* Grid = new TExStringGrid(this);
        Set_Up_Grid(Grid, Desc, Parent);
        Set_Up_String_Columns(Grid, Desc.Columns);
        Grid->SetColWidths(0, Number_Width);
        return Grid;
    }
    auto* Grid = new TTable_Grid(this);
    Grid->Loading();
    Set_Up_Grid(Grid, Desc, Parent);
    for (Integer C = 0; C < Integer(Desc.Columns.size()); ++C)
        Set_Up_Item(Grid->Columns()->Items(C), Desc.Columns[std::size_t(C)], C);
    Grid->Columns()->Items(0)->SetWidth(Number_Width);
    Grid->Loaded();
    return Grid;
}


void TTable_Form::Wire_Grid(Integer Table_Index)
{
    TTable& T = Table(Table_Index);
    TExStringGrid* Grid = T.Any_Grid;
    TStringList* Hints = T.Hints.get();
    if (T.Desc.String_Grid)
        Wire_Editors(Table_Index);
    Grid->OnClickCell = [this](TObject* Sender, Integer ARow, Integer ACol) { ClickCell(Sender, ARow, ACol); };
    Grid->OnKeyPress = [Grid](TObject*, Char& Key) { KeyPress_Jump_Cell(Grid, Key); };
    Grid->OnDblClickCell = [Grid](TObject*, Integer ARow, Integer ACol) { DblClick_AutoSize_Col(Grid, ARow, ACol); };
    Grid->OnGridHint = [Grid, Hints](TObject*, Integer ARow, Integer ACol, String& Hint) {
        const Integer Real = Grid->RealColIndex(ACol);
        if (ARow == 0 && Real >= 1 && Real - 1 < Hints->Count())
            Hint = Hints->Strings(Real - 1);
    };
}

void TTable_Form::Wire_Editors(Integer Table_Index)
{
    TExStringGrid* Grid = Table(Table_Index).Any_Grid;
    Grid->OnGetEditorType = [this, Table_Index, Grid](TObject*, Integer ACol, Integer ARow, TEditorType& AEditor) {
        const std::vector<TTable_Column>& Columns = Table(Table_Index).Desc.Columns;
        if (ACol >= Integer(Columns.size()) || !Is_Combo_Editor(Columns[std::size_t(ACol)].Editor))
            return;
        AEditor = Columns[std::size_t(ACol)].Editor;
        Grid->ClearComboString();
        for (const String& Item : Combo_Items(Table_Index, ACol, ARow))
            Grid->AddComboString(Item);
    };
}

QStringList TTable_Form::Combo_Items(Integer Table_Index, Integer ACol, Integer)
{
    return Table(Table_Index).Desc.Columns[std::size_t(ACol)].Items;
}

void TTable_Form::Set_Header(TTable& T, Integer ACol, const String& Text)
{
    if (T.Grid)
        T.Grid->Columns()->Items(ACol)->SetHeader(Text);
    else
        T.Any_Grid->SetCells(ACol, 0, Text);
}

TTable_Form::TTable& TTable_Form::Active_Table()
{
    for (TTable& T : FTables)
        if (T.Sheet == PageControl1->ActivePage())
            return T;
    return FTables.front();
}

void TTable_Form::Set_Lang()
{
    TShellForm::Set_Lang();
    TLbButton* Buttons[6] = {Btn_OK, Btn_Cancel, Btn_DelRow, Btn_InsRow, Btn_CopyRow, Btn_PasteRow};
    for (Integer I = 0; I < 6; ++I) {
        const Integer Caption = FWindow.Texts.Buttons[I];
        Buttons[I]->SetCaption(Caption < 0 ? QLatin1String(Fixed_Button_Captions[I]) : Lang.Strings(Caption));
        Buttons[I]->SetHint(Lang.Strings(FWindow.Texts.Button_Hints[I]));
    }
    for (TTable& T : FTables) {
        if (T.Sheet)
            T.Sheet->SetCaption(Lang.Strings(T.Desc.Tab_Text));
        for (Integer C = 0; C < Integer(T.Desc.Columns.size()); ++C)
            if (const Integer Text = T.Desc.Columns[std::size_t(C)].Header_Text; Text >= 0)
                Set_Header(T, C, Lang.Strings(Text));
        T.Hints->Clear();
        for (Integer Text : T.Desc.Hint_Texts)
            T.Hints->Add(Lang.Strings(Text));
    }
}

// ------------------------------------------------------------ showing

void TTable_Form::FormShow(TObject*)
{
    Variant_Setup();
    Clear_Tables();
    Prepare_Tables();
    Activate_Page();
    FIncomplete_Load = false;
    if (const std::optional<String> Reason = Load_File()) {
        FIncomplete_Load = true;
        MessageDlg(LangFormat(Text_Incomplete_Load, {*FWindow.File, *Reason}), mtError, TMsgDlgButtons{mbOK}, 0);
    }
    After_Load();
    for (TTable& T : FTables)
        T.Copied = false;
}

void TTable_Form::Activate_Page()
{
    if (!FTables.empty() && FTables.front().Sheet)
        PageControl1->SetActivePage(FTables.front().Sheet);
}

void TTable_Form::Clear_Tables()
{
    for (TTable& T : FTables) {
        TExStringGrid* Grid = T.Any_Grid;
        const Integer Columns = Grid->ColCount() + Grid->NumHiddenColumns();
        Grid->BeginUpdate();
        for (Integer R = 1; R < Grid->RowCount(); ++R) {
            Grid->SetCells(0, R, QString::number(R));
            for (Integer C = 1; C < Columns; ++C) {
                const bool Enable = C == T.Desc.Enable_Column;
                // A box left set by an earlier showing would reach rows the
                // file does not fill.
                if (Has_State_Box(Grid, C, R))
                    Grid->SetCheckBoxState(C, R, Enable);
                else
                    Grid->SetCells(C, R, Enable ? Checked_Text : String());
            }
        }
        Grid->EndUpdate();
    }
}

std::optional<String> TTable_Form::Load_File()
{
    const String& File = *FWindow.File;
    if (File.isEmpty() || !QFileInfo::exists(File))
        return std::nullopt;
    String Surplus;
    try {
        xml::TXMLDocument Doc;
        Doc.LoadFromFile(File);
        const xml::TXMLNode Root = Sections_Parent(Doc.DocumentElement());
        if (!Root)
            return Missing_Section_Reason(FWindow.Sections_Parent);
        for (Integer I = 0; I < Table_Count(); ++I) {
            const char* const Name = Table(I).Desc.Section;
            const xml::TXMLNode Section = Name ? Root.FindChild(Name) : Root;
            if (!Section)
                return Missing_Section_Reason(Table(I).Desc.Section);
            Load_Section(I, Section, Surplus);
        }
    } catch (const Exception& E) {
        return E.Message();
    }
    if (!Surplus.isEmpty())
        return Surplus;
    return std::nullopt;
}

xml::TXMLNode TTable_Form::Sections_Parent(const xml::TXMLNode& Root) const
{
    return FWindow.Sections_Parent ? Root.FindChild(FWindow.Sections_Parent) : Root;
}

void TTable_Form::Load_Section(Integer Table_Index, const xml::TXMLNode& Section, String& Surplus)
{
    TTable& T = Table(Table_Index);
    const std::vector<xml::TXMLNode> Rows = Child_Elements(Section);
    const Integer Data_Rows = T.Any_Grid->RowCount() - 1;
    for (Integer I = 0; I < Integer(Rows.size()) && I < Data_Rows; ++I) {
        Load_Row(Table_Index, Rows[std::size_t(I)], I + 1);
        Row_Loaded(Table_Index, I + 1);
    }
    if (Integer(Rows.size()) > Data_Rows && Surplus.isEmpty())
        Surplus = QStringLiteral("\"%1\" holds %2 rows, the table only %3")
                      .arg(Section.NodeName())
                      .arg(Rows.size())
                      .arg(Data_Rows);
}

void TTable_Form::Load_Row(Integer Table_Index, const xml::TXMLNode& Row, Integer ARow)
{
    const TTable& T = Table(Table_Index);
    for (const TTable_Attribute& A : T.Desc.Attributes) {
        std::optional<String> Value = Row.Attribute(A.Name);
        if (!Value && !A.Default)
            throw Exception(QStringLiteral("row %1 of \"%2\" has no attribute \"%3\"")
                                .arg(ARow)
                                .arg(QLatin1String(T.Desc.Section), QLatin1String(A.Name)));
        Load_Value(Table_Index, A, ARow, Value ? *Value : QLatin1String(A.Default));
    }
}

void TTable_Form::Load_Value(Integer Table_Index, const TTable_Attribute& A, Integer ARow, const String& Value)
{
    const TTable& T = Table(Table_Index);
    if (!Has_State_Box(T.Any_Grid, A.Column, ARow)) {
        T.Any_Grid->SetCells(A.Column, ARow, Value);
        return;
    }
    // Enable is on unless stored off; other boxes only when stored on.
    const bool State = A.Column == T.Desc.Enable_Column ? Value != Unchecked_Text : Value == Checked_Text;
    T.Any_Grid->SetCheckBoxState(A.Column, ARow, State);
}

// ------------------------------------------------------------ checks and OK

Integer TTable_Form::Cell_Number(TExStringGrid* Grid, Integer ACol, Integer ARow)
{
    return StrToIntDef(Grid->Cells(ACol, ARow), -1);
}

bool TTable_Form::In_Range(TExStringGrid* Grid, Integer ACol, Integer ARow, Integer Low, Integer High)
{
    const Integer N = Cell_Number(Grid, ACol, ARow);
    return N >= Low && N <= High;
}

bool TTable_Form::Is_Checked(TExStringGrid* Grid, Integer ACol, Integer ARow)
{
    if (Has_State_Box(Grid, ACol, ARow))
        return Grid->IsChecked(ACol, ARow);
    return Grid->Cells(ACol, ARow).trimmed().toUpper() == QLatin1String("Y");
}

String TTable_Form::Limit_Text(Integer Text, Int64 Limit)
{
    return Lang.Strings(Text) + QString::number(Limit);
}

bool TTable_Form::Has_Key(Integer Table_Index, Integer ARow)
{
    const TTable& T = Table(Table_Index);
    const String Text = T.Any_Grid->Cells(T.Desc.Key_Column, ARow);
    return !(T.Desc.Trim_Key ? Text.trimmed() : Text).isEmpty();
}

Integer TTable_Form::Used_Rows(Integer Table_Index)
{
    Integer R = 1;
    while (R < Table(Table_Index).Any_Grid->RowCount() && Has_Key(Table_Index, R))
        ++R;
    return R - 1;
}

Integer TTable_Form::Last_Table_Row(Integer Table_Index)
{
    const TTable& T = Table(Table_Index);
    return T.Desc.Key_Ends_Table ? Used_Rows(Table_Index) : T.Any_Grid->RowCount() - 1;
}

bool TTable_Form::Row_Enabled(Integer Table_Index, Integer ARow)
{
    const TTable& T = Table(Table_Index);
    if (T.Desc.Enable_Column < 0)
        return true;
    if (T.Desc.String_Grid)
        return Is_Checked(T.Any_Grid, T.Desc.Enable_Column, ARow);
    return T.Grid->Cells(T.Desc.Enable_Column, ARow).trimmed() == Checked_Text;
}

bool TTable_Form::Row_Checked(Integer Table_Index, Integer ARow)
{
    return Has_Key(Table_Index, ARow) && Row_Enabled(Table_Index, ARow);
}

String TTable_Form::Row_Prefixed(Integer ARow, const String& Text) const
{
    return Lang.Strings(FWindow.Texts.Error_Row) + QString::number(ARow) + Text;
}

std::optional<String> TTable_Form::Row_Error(Integer Table_Index, Integer ARow)
{
    if (const std::optional<String> Error = Check_Row(Table_Index, ARow))
        return Row_Prefixed(ARow, *Error);
    return std::nullopt;
}

Boolean TTable_Form::Controllo_dati()
{
    Before_Check();
    for (Integer I = 0; I < Table_Count(); ++I)
        for (Integer R = 1; R <= Last_Table_Row(I); ++R) {
            if (!Row_Checked(I, R))
                continue;
            if (const std::optional<String> Error = Row_Error(I, R)) {
                MessageDlg(*Error, mtError, TMsgDlgButtons{mbOK}, 0);
                return false;
            }
        }
    return Check_Tables();
}

String TTable_Form::Save_Value(Integer Table_Index, const TTable_Attribute& A, Integer ARow)
{
    TExStringGrid* Grid = Table(Table_Index).Any_Grid;
    if (Has_State_Box(Grid, A.Column, ARow))
        return Grid->IsChecked(A.Column, ARow) ? Checked_Text : Unchecked_Text;
    return Grid->Cells(A.Column, ARow);
}

void TTable_Form::Build_Document(xml::TXMLDocument& Doc)
{
    Doc.Clear();
    xml::TXMLNode Root = Doc.AppendElement(QLatin1String(FWindow.Root));
    Doc.AppendComment(QStringLiteral("SW_VERSION = ") + QLatin1String(FWindow.Version));
    if (FWindow.Sections_Parent)
        Root = Root.AppendElement(QLatin1String(FWindow.Sections_Parent));
    for (Integer I = 0; I < Table_Count(); ++I) {
        const char* const Name = Table(I).Desc.Section;
        xml::TXMLNode Section = Name ? Root.AppendElement(QLatin1String(Name)) : Root;
        for (Integer R = 1; R <= Last_Table_Row(I); ++R) {
            if (!Has_Key(I, R))
                continue;
            xml::TXMLNode Row = Section.AppendElement(QStringLiteral("row"));
            for (const TTable_Attribute& A : Table(I).Desc.Attributes)
                Row.SetAttribute(QLatin1String(A.Name), Save_Value(I, A, R));
            Row_Saved(I, R, Row);
        }
    }
}

bool TTable_Form::Confirm_Replace()
{
    return !FIncomplete_Load ||
        MessageDlg(LangFormat(Text_Incomplete_Replace, {*FWindow.File}), mtConfirmation, mbYesNo, 0) == mrYes;
}

void TTable_Form::Btn_OKClick(TObject*)
{
    if (!Controllo_dati() || !Confirm_Replace())
        return;
    try {
        xml::TXMLDocument Doc;
        Build_Document(Doc);
        Doc.SaveToFile(*FWindow.File, {}, Path_Project);
    } catch (const Exception& E) {
        // The old file stays whole; the rows stay for another try.
        MessageDlg(E.Message(), mtError, TMsgDlgButtons{mbOK}, 0);
        return;
    }
    FIncomplete_Load = false;
    SetModalResult(mrOk);
}

// ------------------------------------------------------------ row buttons, grid events

Integer TTable_Form::Index_Of(const TTable& T) const
{
    for (Integer I = 0; I < Integer(FTables.size()); ++I)
        if (&FTables[std::size_t(I)] == &T)
            return I;
    return -1;
}

void TTable_Form::Btn_DelRowClick(TObject*)
{
    TTable& T = Active_Table();
    const Integer Row = T.Any_Grid->Row();
    if (MessageDlg(Lang.Strings(FWindow.Texts.Delete_Question) + QString::number(Row), mtConfirmation, mbYesNo, 0) !=
        mrYes)
        return;
    if (T.Grid)
        Delete_Row_ECG(Row, T.Grid);
    else
        Delete_Row_ESG(Row, T.Any_Grid, T.Desc.Enable_Column >= 0);
    Rows_Moved(Index_Of(T), rmDelete, Row);
}

void TTable_Form::Btn_InsRowClick(TObject*)
{
    TTable& T = Active_Table();
    const Integer Row = T.Any_Grid->Row();
    const bool Enable = T.Desc.Enable_Column >= 0;
    if (T.Grid ? Insert_Row_ECG(Row, T.Grid, Enable) : Insert_Row_ESG(Row, T.Any_Grid, Enable))
        Rows_Moved(Index_Of(T), rmInsert, Row);
}

void TTable_Form::Copy_Flag_Only(TTable& Copied)
{
    for (TTable& T : FTables)
        T.Copied = &T == &Copied;
}

void TTable_Form::Btn_CopyRowClick(TObject*)
{
    TTable& T = Active_Table();
    if (T.Grid)
        Copy_Row_ECG(T.Grid, T.Grid->Row());
    else
        Copy_Row_ESG(T.Any_Grid, T.Any_Grid->Row());
    Copy_Flag_Only(T);
}

void TTable_Form::Btn_PasteRowClick(TObject*)
{
    TTable& T = Active_Table();
    const Integer Row = T.Any_Grid->Row();
    if (T.Grid ? Paste_Row_ECG(T.Grid, Row, T.Copied) : Paste_Row_ESG(T.Any_Grid, Row, T.Copied))
        Rows_Moved(Index_Of(T), rmPaste, Row);
}

void TTable_Form::ClickCell(TObject* Sender, Integer ARow, Integer ACol)
{
    if (ACol == 0)
        static_cast<TExStringGrid*>(Sender)->SelectRows(ARow, 1);
}

void TTable_Form::Fill_Items(TExColumnGrid* Grid, Integer ACol, Integer Count)
{
    QStringList Items;
    Items.reserve(Count);
    for (Integer I = 0; I < Count; ++I)
        Items << QString::number(I);
    Grid->Columns()->Items(ACol)->ComboItems()->SetText(Items.join(u'\n'));
}
