// The column grid: the per-cell answers from the column items, the editor's
// length and mask, the display text of numbers and the filter lists.
// Queries for columns without an item give the string grid's answers.
#include "grid/control/ExCGrid.h"

#include "grid/base/ExUtil.h"
#include "grid/base/esgspin.h"
#include "grid/control/ExGrid_Editors.h"
#include "grid/control/ExGrid_Paint.h"
#include "grid/data/ExGrid_FilterLists.h"
#include "platform/UserLocale.h"

#include <QScopedValueRollback>

#include <array>

bool TExColumnGrid::InItemDataArea(Integer ACol, Integer ARow)
{
    return ACol < Columns()->Count() && ACol >= FixedCols() &&
           ACol < ColCount() + NumHiddenColumns() - FixedRightCols() && ARow >= FixedRows() &&
           ARow < RowCount() - FixedFooters();
}

// ---------------------------------------------------------------- editor length and mask

Integer TExColumnGrid::GetEditLimit()
{
    const Integer Limit = TExStringGrid::GetEditLimit();
    if (Col() >= Columns()->Count() || Col() < FixedCols())
        return Limit;
    TGridColumnItem* Item = ColumnOf(RealColIndex(Col()));
    return Item ? Item->EditLength() : Limit;
}

String TExColumnGrid::GetEditMask(Integer ACol, Integer ARow)
{
    String Mask;
    if (ACol < Columns()->Count() && ACol >= FixedCols())
        if (TGridColumnItem* Item = ColumnOf(RealColIndex(ACol)))
            Mask = Item->EditMask();
    const String Base = TExStringGrid::GetEditMask(ACol, ARow);
    return Base.isEmpty() ? Mask : Base;
}

// ---------------------------------------------------------------- look

void TExColumnGrid::GetCellDefaults(Integer ACol, Integer ARow, TFont* AFont, TBrush* ABrush, TColor& ColorTo,
                                    TColor& MirrorColor, TColor& MirrorColorTo, TAlignment& HA, TVAlignment& VA,
                                    bool& WW, TCellGradientDirection& GD)
{
    TGridColumnItem* Item = ColumnOf(ACol);
    if (!Item) {
        TExStringGrid::GetCellDefaults(ACol, ARow, AFont, ABrush, ColorTo, MirrorColor, MirrorColorTo, HA, VA, WW,
                                       GD);
        return;
    }
    AFont->Assign(Item->Font());
    ABrush->SetColor(Item->Color());
    ColorTo = clNone;
    HA = ARow < FixedRows() ? Item->HeaderAlignment() : Item->Alignment();
    VA = VAlignment();
    WW = WordWrap();
    GD = GradientVertical;
    if (IsFixed(DisplColIndex(ACol), ARow) || (Bands()->Active() && Item->ShowBands())) {
        ABrush->SetColor(clNone);
        ColorTo = clNone;
    }
}

void TExColumnGrid::GetCellColor(Integer ACol, Integer ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont)
{
    TGridColumnItem* Item = ColumnOf(ACol);
    const bool Answers = Item && ACol >= FixedCols() && ACol < ColCount() + NumHiddenColumns() - FixedRightCols() &&
                         ARow < RowCount() - FixedFooters();
    if (Answers) {
        const bool Header = ARow < FixedRows();
        if (Item->Fixed())
            ABrush->SetColor(FixedColor());
        else if (!Header && !(Item->ShowBands() && Bands()->Active()))
            ABrush->SetColor(Item->Color());
        AFont->Assign(Header ? Item->HeaderFont() : Item->Font());
        if (HasCellProperties(ACol, ARow)) {
            TCellProperties* P = CellProperties(ACol, ARow);
            if (P->BrushColor() != clNone)
                ABrush->SetColor(P->BrushColor());
            if (P->FontColor() != clNone)
                AFont->SetColor(P->FontColor());
        }
    }
    TExStringGrid::GetCellColor(ACol, ARow, AState, ABrush, AFont);
}

void TExColumnGrid::GetCellPrintColor(Integer ACol, Integer ARow, TGridDrawState AState, TBrush* ABrush,
                                      TFont* AFont)
{
    if (TGridColumnItem* Item = ColumnOf(ACol)) {
        const bool FixedCell = ACol < FixedCols() || ARow < FixedRows() ||
                               ACol >= ColCount() + NumHiddenColumns() - FixedRightCols() ||
                               ARow >= RowCount() - FixedFooters();
        TCellProperties* P = HasCellProperties(ACol, ARow) ? CellProperties(ACol, ARow) : nullptr;
        if (FixedCell) {
            AFont->Assign(PrintSettings()->FixedFont());
        } else {
            if (Item->Fixed()) {
                ABrush->SetColor(FixedColor());
            } else {
                if (!(Item->ShowBands() && Bands()->Active() && Bands()->Print()))
                    ABrush->SetColor(Item->PrintColor());
                if (P && P->BrushColor() != clNone)
                    ABrush->SetColor(P->BrushColor());
            }
            AFont->Assign(Item->PrintFontCustom() ? Item->PrintFont() : PrintSettings()->Font());
            if (Item->PrintFontCustom() && P)
                ApplyCellPropertiesFont(P, AFont);
        }
    }
    TExStringGrid::GetCellPrintColor(ACol, ARow, AState, ABrush, AFont);
}

void TExColumnGrid::GetCellBorder(Integer ACol, Integer ARow, TPen* APen, TCellBorders& Borders)
{
    TGridColumnItem* Item = ColumnOf(ACol);
    if (Item && ACol >= FixedCols() && ARow >= FixedRows()) {
        Borders = Item->Borders();
        APen->Assign(Item->BorderPen());
    }
    TExStringGrid::GetCellBorder(ACol, ARow, APen, Borders);
}

void TExColumnGrid::GetCellPrintBorder(Integer ACol, Integer ARow, TPen* APen, TCellBorders& Borders)
{
    TGridColumnItem* Item = ColumnOf(ACol);
    if (Item && Item->PrintBorderCustom() && ACol >= FixedCols() && ARow >= FixedRows()) {
        Borders = Item->PrintBorders();
        APen->Assign(Item->PrintBorderPen());
    }
    TExStringGrid::GetCellPrintBorder(ACol, ARow, APen, Borders);
}

void TExColumnGrid::QueryCellAlignment(Integer ACol, Integer ARow, TAlignment& HAlign, TVAlignment& VAlign)
{
    if (TGridColumnItem* Item = ColumnOf(ACol)) {
        HAlign = ARow < FixedRows() ? Item->HeaderAlignment() : Item->Alignment();
        if (HasCellProperties(ACol, ARow))
            HAlign = CellProperties(ACol, ARow)->Alignment();
    }
    TExStringGrid::QueryCellAlignment(ACol, ARow, HAlign, VAlign);
}

// ---------------------------------------------------------------- numbers and sorting

// A text that reads as a number in exponent notation, or as none, stays as
// it is; a format that does not fit the number leaves the text too.
String TExColumnGrid::GetFormattedCell(Integer ACol, Integer ARow)
{
    TGridColumnItem* Item = ColumnOf(ACol);
    if (!Item)
        return TExStringGrid::GetFormattedCell(ACol, ARow);
    String Pattern = Item->FloatFormat();
    const String Text = Cells(ACol, ARow);
    const Integer Kind = GetNumberKind(Text);
    bool IsFloat = Kind == 0 || Kind == 1;
    if (OnGetFloatFormat)
        OnGetFloatFormat(this, ACol, ARow, IsFloat, Pattern);
    if (Pattern.isEmpty() || !IsFloat)
        return Text;
    TFormatSettings Settings = FormatSettings;
    Settings.DecimalSeparator = platform::UserDecimalSeparator();
    try {
        const std::array<TVarRec, 1> Args{TVarRec(Floats(ACol, ARow))};
        String Result;
        return TryFormat(Pattern, Args, Result, Settings) ? Result : Text;
    } catch (const Exception&) {
        return Text;
    }
}

void TExColumnGrid::GetFloatFormat(Integer ACol, Integer, bool&, String& FloatFormat)
{
    TGridColumnItem* Item = ColumnOf(ACol);
    FloatFormat = Item && !Item->FloatFormat().isEmpty() ? Item->FloatFormat() : this->FloatFormat();
}

void TExColumnGrid::GetColFormat(Integer ACol, TSortStyle& AStyle, String& APrefix, String& ASuffix)
{
    if (TGridColumnItem* Item = ColumnOf(ACol)) {
        AStyle = Item->SortStyle();
        APrefix = Item->SortPrefix();
        ASuffix = Item->SortSuffix();
    }
    TExStringGrid::GetColFormat(ACol, AStyle, APrefix, ASuffix);
}

// ---------------------------------------------------------------- check boxes

// The string grid's answer comes from the cell's own graphic: it must not
// find the shared check box that GetCellGraphic hands out for the column.
TCellType TExColumnGrid::GetCellType(Integer ACol, Integer ARow)
{
    TCellType Base;
    {
        const QScopedValueRollback OwnGraphicOnly(FOwnGraphicOnly, true);
        Base = TExStringGrid::GetCellType(ACol, ARow);
    }
    if (Base == ctEmpty && !IsDestroying() && InItemDataArea(ACol, ARow) &&
        Columns()->Items(ACol)->Editor() == edDataCheckBox)
        return ctDataCheckBox;
    return Base;
}

TCellGraphic* TExColumnGrid::GetCellGraphic(Integer ACol, Integer ARow)
{
    TCellGraphic* Base = TExStringGrid::GetCellGraphic(ACol, ARow);
    if (Base || FOwnGraphicOnly || IsDestroying() || !InItemDataArea(ACol, ARow) || Columns()->Items(ACol)->Editor() != edDataCheckBox)
        return Base;
    FCellGraphic->SetCellType(ctVirtCheckBox);
    FCellGraphic->SetCellTransparent(ControlLook()->ControlStyle() == csFlat);
    return FCellGraphic.get();
}

void TExColumnGrid::GetCheckTrue(Integer ACol, Integer ARow, String& Value)
{
    TExStringGrid::GetCheckTrue(ACol, ARow, Value);
    if (InItemDataArea(ACol, ARow))
        Value = Columns()->Items(ACol)->CheckTrue();
}

void TExColumnGrid::GetCheckFalse(Integer ACol, Integer ARow, String& Value)
{
    TExStringGrid::GetCheckFalse(ACol, ARow, Value);
    if (InItemDataArea(ACol, ARow))
        Value = Columns()->Items(ACol)->CheckFalse();
}

// ---------------------------------------------------------------- sizes

namespace {

void BoundWidth(Integer& AWidth, Integer MinSize, Integer MaxSize)
{
    if (MinSize > 0 && AWidth < MinSize)
        AWidth = MinSize;
    if (MaxSize > 0 && AWidth > MaxSize)
        AWidth = MaxSize;
}

} // namespace

void TExColumnGrid::UpdateColumnSize(Integer ACol, Integer& AWidth)
{
    if (TGridColumnItem* Item = ColumnOf(ACol))
        BoundWidth(AWidth, Item->MinSize(), Item->MaxSize());
    TExStringGrid::UpdateColumnSize(ACol, AWidth);
}

void TExColumnGrid::UpdateAutoColumnSize(Integer ACol, Integer& AWidth)
{
    if (TGridColumnItem* Item = ColumnOf(ACol))
        BoundWidth(AWidth, Item->AutoMinSize(), Item->AutoMaxSize());
    TExStringGrid::UpdateAutoColumnSize(ACol, AWidth);
}

// ---------------------------------------------------------------- editing

void TExColumnGrid::GetCellEditor(Integer ACol, Integer ARow, TEditorType& AEditor)
{
    if (TGridColumnItem* Item = ColumnOf(ACol)) {
        if (ACol >= FixedCols() && ARow >= FixedRows()) {
            AEditor = Item->Editor();
            if (TGridCombo* Combo = Combobox()) {
                Combo->Items()->Assign(Item->ComboItems());
                Combo->SetDropDownCount(Item->DropDownCount());
            }
            TGridSpin* Spin = SpinEdit();
            Spin->SetMinValue(Item->SpinMin());
            Spin->SetMaxValue(Item->SpinMax());
            Spin->SetIncrement(Item->SpinStep());
            SetEditLink(Item->EditLink());
            ControlLook()->SetDropDownCount(Item->DropDownCount());
        }
        // The grid keeps the column's format from then on, as designed.
        if (!Item->FloatFormat().isEmpty())
            SetFloatFormat(Item->FloatFormat());
    }
    TExStringGrid::GetCellEditor(ACol, ARow, AEditor);
}

bool TExColumnGrid::IsFixedCell(Integer ACol, Integer ARow)
{
    TGridColumnItem* Item = ColumnOf(RealColIndex(ACol));
    const bool ItemFixed = Item && ACol >= FixedCols() && ARow >= FixedRows() && Item->Fixed();
    return TExStringGrid::IsFixedCell(ACol, ARow) || ItemFixed;
}

void TExColumnGrid::CanEditCell(Integer ACol, Integer ARow, bool& CanEdit)
{
    CanEdit = false;
    TGridColumnItem* Item = ColumnOf(ACol);
    if (!IsLoading() && Item && ACol >= FixedCols() && ARow >= FixedRows())
        CanEdit = !(Item->ReadOnly() || Item->Fixed());
    if (CanEdit && HasCellProperties(ACol, ARow))
        CanEdit = !CellProperties(ACol, ARow)->ReadOnly();
    const TPoint B = BaseCell(ACol, ARow);
    DoCanEditCell(B.X, B.Y, CanEdit);
}

void TExColumnGrid::IsPasswordCell(Integer ACol, Integer ARow, bool& IsPassword)
{
    if (TGridColumnItem* Item = ColumnOf(ACol))
        IsPassword = Item->Password();
    TExStringGrid::IsPasswordCell(ACol, ARow, IsPassword);
}

bool TExColumnGrid::HasComboBox(Integer ACol, Integer ARow)
{
    bool Has = false;
    TGridColumnItem* Item = ColumnOf(ACol);
    if (Item && ACol >= FixedCols() && ARow >= FixedRows())
        Has = Item->Editor() == edComboEdit || Item->Editor() == edComboList;
    if (OnHasComboBox)
        OnHasComboBox(this, ACol, ARow, Has);
    return Has;
}

// ---------------------------------------------------------------- filter lists

bool TExColumnGrid::GetFilterList(Integer ACol, TStrings* FilterList)
{
    if (auto* Sorted = dynamic_cast<TStringList*>(FilterList))
        Sorted->SetSorted(false);
    TExStringGrid::GetFilterList(ACol, FilterList);
    TGridColumnItem* Item = ColumnOf(ACol);
    if (!Item || Item->Filter()->Count() == 0)
        return false;
    FilterList->Clear();
    for (int I = 0; I < Item->Filter()->Count(); ++I)
        FilterList->Add(EntryName(Item->Filter()->Strings(I)));
    return true;
}

void TExColumnGrid::FilterDropListSelect(TObject*, Integer ItemIndex)
{
    const Integer C = FFilterCol;
    TGridColumnItem* Item = ColumnOf(C);
    if (Item && ItemIndex >= 0 && ItemIndex < Item->Filter()->Count()) {
        const String Line = Item->Filter()->Strings(ItemIndex);
        const String Friendly = EntryName(Line);
        String Condition = EntryCondition(Line);
        if (FAutoFilterDisplay)
            Item->SetHeader(Friendly);
        if (AutoFilterUpdate())
            SetFilterActive(false);
        if (OnFilterSelect)
            OnFilterSelect(this, C, ItemIndex, Friendly, Condition);
        TFilterData* Data = Filter()->GetColFilter(C);
        Data->SetCondition(Condition);
        Data->SetCaseSensitive(Item->FilterCaseSensitive());
        if (AutoFilterUpdate()) {
            SetFilterActive(true);
            if (RowCount() != FixedRows() && !(RowCount() == 1 && FixedRowAlways()))
                SetRow(FixedRows());
            DoFilterDone();
        }
    }
    FFilterCol = -1;
}
