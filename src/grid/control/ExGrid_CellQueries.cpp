// The string grid: the per-cell queries (a default answer, then the event)
// and the answers built on them.
#include "grid/control/ExGrid_Paint.h"

#include "grid/base/ExUtil.h"

namespace {

bool IsComboEditor(TEditorType E)
{
    return E == edComboEdit || E == edComboList;
}

bool IsSpinEditor(TEditorType E)
{
    return E == edSpinEdit || E == edFloatSpinEdit || E == edTimeSpinEdit || E == edDateSpinEdit;
}

// Cell kinds whose own brush colour paints the cell.
bool TakesCellBrush(TCellType T)
{
    return T == ctIcon || T == ctNone || T == ctImageList || T == ctEmpty || T == ctImages || T == ctComment;
}

} // namespace

bool TExStringGrid::IsNode(Integer ARow)
{
    return ARow >= 0 && GetCellType(0, ARow) == ctNode;
}

bool TExStringGrid::IsSummary(Integer ARow)
{
    return ARow >= 0 && GetCellType(0, ARow) == ctSummary;
}

void TExStringGrid::GetCellHint(Integer ACol, Integer ARow, String& AHint, String& AWideHint)
{
    if (OnGridHint)
        OnGridHint(this, ARow, ACol, AHint);
    if (OnGridWideHint)
        OnGridWideHint(this, ARow, ACol, AWideHint);
    if (!AWideHint.isEmpty())
        AHint = WideToCellText(AWideHint);
}

bool TExStringGrid::IsActiveCellHeading(Integer ACol, Integer ARow)
{
    const Integer C = DisplColIndex(ACol);
    const Integer FC = TBaseGrid::FixedCols();
    const Integer FR = TBaseGrid::FixedRows();
    return (FC > 0 && C == FC - 1 && ARow == Row()) || (FR > 0 && ARow == FR - 1 && C == Col());
}

void TExStringGrid::GetCellColor(Integer ACol, Integer ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont)
{
    if (FActiveCellShow && IsActiveCellHeading(ACol, ARow)) {
        AFont->Assign(FActiveCellFont.get());
        ABrush->SetColor(FActiveCellColor);
    }
    if (HasCellProperties(ACol, ARow)) {
        TCellProperties* P = CellProperties(ACol, ARow);
        if (TakesCellBrush(GetCellType(ACol, ARow)) && P->BrushColor() != clNone)
            ABrush->SetColor(P->BrushColor());
        ApplyCellPropertiesFont(P, AFont);
    }
    if (OnGetCellColor)
        OnGetCellColor(this, ARow, ACol, AState, ABrush, AFont);
}

void TExStringGrid::GetCellPrintColor(Integer ACol, Integer ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont)
{
    if (OnGetCellPrintColor)
        OnGetCellPrintColor(this, ARow, ACol, AState, ABrush, AFont);
}

void TExStringGrid::GetCellBorder(Integer ACol, Integer ARow, TPen* APen, TCellBorders& Borders)
{
    if (ACol != 0 && FGrouping->HeaderUnderline() && IsNode(ARow)) {
        Borders = TCellBorders{cbBottom};
        APen->SetColor(FGrouping->HeaderLineColor());
        APen->SetWidth(FGrouping->HeaderLineWidth());
    }
    if (ACol != 0 && FGrouping->SummaryLine() && IsSummary(ARow)) {
        Borders = TCellBorders{cbTop};
        APen->SetColor(FGrouping->SummaryLineColor());
        APen->SetWidth(FGrouping->SummaryLineWidth());
    }
    if (OnGetCellBorder)
        OnGetCellBorder(this, ARow, ACol, APen, Borders);
}

void TExStringGrid::GetCellPrintBorder(Integer ACol, Integer ARow, TPen* APen, TCellBorders& Borders)
{
    if (OnGetCellPrintBorder)
        OnGetCellPrintBorder(this, ARow, ACol, APen, Borders);
}

void TExStringGrid::QueryCellAlignment(Integer ACol, Integer ARow, TAlignment& HAlign, TVAlignment& VAlign)
{
    if (ACol == 0 && FMouseActions->HotmailRowSelect())
        HAlign = taCenter;
    if (OnGetAlignment)
        OnGetAlignment(this, ARow, ACol, HAlign, VAlign);
}

void TExStringGrid::GetColFormat(Integer ACol, TSortStyle& AStyle, String& APrefix, String& ASuffix)
{
    if (OnGetFormat)
        OnGetFormat(this, ACol, AStyle, APrefix, ASuffix);
}

TEditorType TExStringGrid::QueryCellEditor(Integer ACol, Integer ARow)
{
    TEditorType Editor = FDefaultEditor;
    GetCellEditor(ACol, ARow, Editor);
    return Editor;
}

void TExStringGrid::GetCellEditor(Integer ACol, Integer ARow, TEditorType& AEditor)
{
    if (OnGetEditorType)
        OnGetEditorType(this, ACol, ARow, AEditor);
}

bool TExStringGrid::HasNoEditor(Integer ACol, Integer ARow)
{
    if (!OnGetEditorType)
        return false;
    TEditorType Editor = edNormal;
    GetCellEditor(ACol, ARow, Editor);
    return Editor == edNone;
}

bool TExStringGrid::IsFixedCell(Integer ACol, Integer ARow)
{
    bool Fixed = (FFixedRowAlways && ARow <= FFixedRowsMin && RowCount() == FFixedRowsMin) ||
                 (FFixedColAlways && ACol < FFixedColsMin && ColCount() == FFixedColsMin) ||
                 ACol < FixedCols() || ARow < FixedRows();
    if (!Fixed && OnIsFixedCell)
        OnIsFixedCell(this, ARow, ACol, Fixed);
    return Fixed;
}

bool TExStringGrid::EditingOn() const
{
    return Options().Contains(goEditing) || FEditDisable || FMouseActions->RangeSelectAndEdit();
}

void TExStringGrid::CanEditCell(Integer ACol, Integer ARow, bool& CanEdit)
{
    const TPoint B = BaseCell(ACol, ARow);
    if (CanEdit && HasCellProperties(B.X, B.Y))
        CanEdit = !CellProperties(B.X, B.Y)->ReadOnly() && EditingOn();
    if (B.X < AllColCount())
        DoCanEditCell(B.X, B.Y, CanEdit);
    else
        CanEdit = true;
}

void TExStringGrid::DoCanEditCell(Integer ACol, Integer ARow, bool& CanEdit)
{
    if (OnCanEditCell)
        OnCanEditCell(this, ARow, ACol, CanEdit);
}

void TExStringGrid::IsPasswordCell(Integer ACol, Integer ARow, bool& IsPassword)
{
    if (OnIsPasswordCell)
        OnIsPasswordCell(this, ARow, ACol, IsPassword);
}

void TExStringGrid::GetCellWordWrap(Integer ACol, Integer ARow, bool& WordWrap)
{
    if (OnGetWordWrap)
        OnGetWordWrap(this, ACol, ARow, WordWrap);
}

bool TExStringGrid::HasComboBox(Integer ACol, Integer ARow)
{
    bool Has = false;
    if (OnHasComboBox)
        OnHasComboBox(this, ACol, ARow, Has);
    else if (FControlLook->DropDownAlwaysVisible())
        Has = IsComboEditor(QueryCellEditor(ACol, ARow));
    return Has;
}

bool TExStringGrid::HasSpinEdit(Integer ACol, Integer ARow)
{
    if (ACol < FixedCols() || ARow < FixedRows())
        return false;
    bool Has = false;
    if (OnHasSpinEdit)
        OnHasSpinEdit(this, ACol, ARow, Has);
    else if (FControlLook->SpinButtonsAlwaysVisible())
        Has = IsSpinEditor(QueryCellEditor(ACol, ARow));
    return Has;
}

void TExStringGrid::GetCheckTrue(Integer ACol, Integer ARow, String& Value)
{
    Value = FCheckTrue;
    if (OnGetCheckTrue)
        OnGetCheckTrue(this, ACol, ARow, Value);
}

void TExStringGrid::GetCheckFalse(Integer ACol, Integer ARow, String& Value)
{
    Value = FCheckFalse;
    if (OnGetCheckFalse)
        OnGetCheckFalse(this, ACol, ARow, Value);
}

void TExStringGrid::AddFilterValue(TStrings* List, const String& Text)
{
    const String Value = Text.trimmed();
    if (Value.contains(u' '))
        List->Add(Value + QStringLiteral("=\"") + Value + u'"');
    else
        List->Add(Value);
}

bool TExStringGrid::GetFilterList(Integer ACol, TStrings* FilterList)
{
    FilterList->Clear();
    if (FFilterDropDownAuto && (ACol >= FixedCols() || FFilterDropDownColumns == fdAll)) {
        TStringList Values;
        Values.SetSorted(true);
        Values.SetDuplicates(dupIgnore);
        for (Integer R = FixedRows(); R < RowCount() - FFixedFooters; ++R)
            AddFilterValue(&Values, Cells(ACol, R));
        if (!FFilterIncremental)
            for (int I = 0; I < FGridItems->Count(); ++I)
                if (TStrings* Items = FGridItems->Items(I)->Items(); ACol < Items->Count())
                    AddFilterValue(&Values, Items->Strings(ACol));
        if (auto* Sorted = dynamic_cast<TStringList*>(FilterList))
            Sorted->SetSorted(false);
        for (int I = 0; I < Values.Count(); ++I)
            FilterList->Add(Values.Strings(I));
        if (!FFilterDropDownClear.isEmpty())
            FilterList->Insert(0, FFilterDropDownClear);
    }
    if (OnGetColumnFilter)
        OnGetColumnFilter(this, ACol, FilterList);
    return FilterList->Count() > 0;
}

void TExStringGrid::DoGetCellCursor(Integer ACol, Integer ARow, Integer X, Integer Y)
{
    if (!OnGetCellCursor)
        return;
    TCursor Answer = Cursor();
    OnGetCellCursor(this, ACol, ARow, X, Y, Answer);
    // Shown only: the grid's normal cursor stays.
    TControl::SetCursor(Answer);
}

// ---------------------------------------------------------------- answers built on the queries

bool TExStringGrid::GetCellPassword(Integer ACol, Integer ARow)
{
    bool Password = false;
    IsPasswordCell(ACol, ARow, Password);
    return Password;
}

bool TExStringGrid::IsFixed(Integer ACol, Integer ARow)
{
    const TPoint B = BaseCell(RealColIndex(ACol), ARow);
    const Integer C = DisplColIndex(B.X);
    if (FFixedFooters > 0 && B.Y >= RowCount() - FFixedFooters)
        return true;
    if (FFixedRightCols > 0 && C >= ColCount() - FFixedRightCols && C < ColCount())
        return true;
    return IsFixedCell(C, B.Y);
}

bool TExStringGrid::IsCellEditable(Integer ACol, Integer ARow)
{
    const Integer Real = RealColIndex(ACol);
    const TPoint B = BaseCell(Real, ARow);
    bool CanEdit = true;
    CanEditCell(B.X, B.Y, CanEdit);
    return CanEdit && !IsFixedCell(B.X, B.Y);
}

bool TExStringGrid::IsEditable(Integer ACol, Integer ARow)
{
    return EditingOn() && IsCellEditable(ACol, ARow);
}

bool TExStringGrid::HasCellValidation()
{
    return Options().Contains(goTabs) || OnCellValidate || OnCellValidateWide;
}

TFont* TExStringGrid::GetCellFont(Integer ACol, Integer ARow)
{
    if (!HasCellProperties(ACol, ARow))
        return Font();
    // A font value the cell leaves unset stays the grid's.
    cf->Assign(Font());
    ApplyCellPropertiesFont(CellProperties(ACol, ARow), cf.get());
    return cf.get();
}
