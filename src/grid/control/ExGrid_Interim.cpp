// The string grid: interim bodies. Each is a small working body that
// stands until the grid's part that owns it lands (the comment before each
// group names that part); the operations without any behaviour yet say so.
#include "grid/control/ExGrid.h"

#include "grid/base/EsgHTMLE.h"

#include <QFontMetrics>

#include <algorithm>

// ---------------------------------------------------------------- rows and columns
// Interim until the row and column operations land: whole rows move in the
// store; the floating footer row, the modified-row and enabled-row flags and
// the selection are not yet kept in step.

void TExStringGrid::AddRow()
{
    SetRowCount(RowCount() + 1);
}

void TExStringGrid::DoInsertRows(Integer RowIndex, Integer RCount, bool UpdateCellControls)
{
    if (RCount <= 0)
        return;
    RowIndex = std::clamp(RowIndex, 0, RowCount());
    const Integer Real = RealRowIndex(RowIndex);
    {
        TAllColumns Bracket(this);
        std::vector<Integer> Heights = RowHeightList();
        Heights.insert(Heights.begin() + RowIndex, std::size_t(RCount), DefaultRowHeight());
        InsertSlotRows(RowIndex, RCount);
        SetRowCount(RowCount() + RCount);
        SetRowHeightList(Heights);
    }
    if (UpdateCellControls) {
        for (Integer I = 0; I < FControlList->Count(); ++I)
            if (FControlList->Control(I)->Y() >= Real)
                FControlList->Control(I)->SetY(FControlList->Control(I)->Y() + RCount);
        CellControlsUpdate(false);
    }
    if (!FDestroying)
        DoCellsChanged(TRect(0, RowIndex, ColCount() - 1, RowIndex + RCount - 1));
}

void TExStringGrid::InsertRows(Integer RowIndex, Integer RCount, bool UpdateCellControls)
{
    DoInsertRows(RowIndex, RCount, UpdateCellControls);
}

void TExStringGrid::DoRemoveRows(Integer RowIndex, Integer RCount, bool UpdateCellControls)
{
    if (RowIndex < 0 || RowIndex >= RowCount() || RCount <= 0)
        return;
    if (UpdateCellControls)
        for (Integer I = FControlList->Count() - 1; I >= 0; --I) {
            TControlItem* Item = FControlList->Control(I);
            if (Item->Y() >= RowIndex && Item->Y() < RowIndex + RCount) {
                Item->Control()->SetVisible(false);
                FControlList->RemoveControl(I);
            }
        }
    RemoveDisplayRows(RowIndex, RCount, UpdateCellControls);
}

void TExStringGrid::RemoveRows(Integer RowIndex, Integer RCount)
{
    DoRemoveRows(RowIndex, RCount, true);
}

void TExStringGrid::FreeAndRemoveRows(Integer ARow, Integer RCount)
{
    ClearRect(0, ARow, ColCount() - 1, ARow + RCount - 1);
    DoRemoveRows(ARow, RCount, true);
}

void TExStringGrid::ClearRows(Integer RowIndex, Integer RCount)
{
    if (RowCount() == 0 || ColCount() == 0 || RCount <= 0)
        return;
    for (Integer R = std::max(RowIndex, 0); R < std::min(RowIndex + RCount, RowCount()); ++R)
        for (Integer C = 0; C < TotalColCount(); ++C)
            SetGridCell(C, R, String());
}

void TExStringGrid::ClearRect(Integer ACol1, Integer ARow1, Integer ACol2, Integer ARow2)
{
    for (Integer R = std::max(ARow1, 0); R <= std::min(ARow2, RowCount() - 1); ++R)
        for (Integer C = std::max(ACol1, 0); C <= std::min(ACol2, TotalColCount() - 1); ++C) {
            SetGridCell(C, R, String());
            if (TCellProperties* Props = GetGridObject(C, R)) {
                SetGridObject(C, R, nullptr);
                FreeCellObject(Props);
            }
        }
}

void TExStringGrid::ColumnMoved(Integer FromIndex, Integer ToIndex)
{
    // The store and the hidden-column tables are indexed by real column.
    const Integer From = RealColIndex(FromIndex);
    const Integer To = RealColIndex(ToIndex);
    if (From < 513 && To < 513) {
        auto Move = [From, To](auto& Table) {
            const auto B = Table.begin();
            if (From < To)
                std::rotate(B + From, B + From + 1, B + To + 1);
            else if (To < From)
                std::rotate(B + To, B + From, B + From + 1);
        };
        Move(FVisibleCol);
        Move(FAllColWidths);
    }
    // The recorded column order moves along.
    if (From < FColumnOrder->Count() && To < FColumnOrder->Count())
        FColumnOrder->Move(From, To);
    TBaseGrid::ColumnMoved(From, To);
}

void TExStringGrid::RowMoved(Integer FromIndex, Integer ToIndex)
{
    TBaseGrid::RowMoved(FromIndex, ToIndex);
}

void TExStringGrid::RemoveCols(Integer ColIndex, Integer CCount)
{
    // Interim: removes the display columns without shifting hidden columns.
    for (Integer I = 0; I < CCount && ColIndex < ColCount(); ++I)
        DeleteColumn(ColIndex);
}

void TExStringGrid::InsertCols(Integer ColIndex, Integer CCount)
{
    // Interim: appends the columns and moves them to ColIndex.
    for (Integer I = 0; I < CCount; ++I) {
        SetColCount(ColCount() + 1);
        MoveColumn(ColCount() - 1, std::clamp(ColIndex + I, 0, ColCount() - 1));
    }
}

void TExStringGrid::SplitColumnCells(Integer ColIndex)
{
    for (Integer R = 0; R < RowCount(); ++R)
        if (IsMergedCell(ColIndex, R) && IsBaseCell(ColIndex, R))
            SplitCells(ColIndex, R);
}

void TExStringGrid::MergeColumnCells(Integer ColIndex, bool)
{
    // Interim: equal neighbouring data cells of the column become one.
    Integer R = TBaseGrid::FixedRows();
    while (R < RowCount()) {
        Integer Last = R;
        while (Last + 1 < RowCount() && GetGridCell(ColIndex, Last + 1) == GetGridCell(ColIndex, R))
            ++Last;
        if (Last > R && !GetGridCell(ColIndex, R).isEmpty())
            MergeCells(ColIndex, R, 1, Last - R + 1);
        R = Last + 1;
    }
}

// ---------------------------------------------------------------- sizes
// Interim until auto sizing lands.

void TExStringGrid::InitOrigColSizes()
{
    FOrigColSizes->Clear();
    for (Integer C = 0; C < ColCount(); ++C)
        FOrigColSizes->Add(ColWidths(C));
    FOrigColSizes->Add(Width());
}

void TExStringGrid::AutoSizeColumns(bool DoFixedCols, Integer Padding)
{
    for (Integer C = DoFixedCols ? 0 : TBaseGrid::FixedCols(); C < ColCount(); ++C)
        AutoSizeCol(C, Padding);
}

void TExStringGrid::AutoSizeCol(Integer ACol, Integer Padding)
{
    // On the plain text width of the display column's cells.
    const QFontMetrics Metrics(Font()->ToQFont());
    const Integer Real = RealColIndex(ACol);
    Integer Widest = 0;
    for (Integer R = 0; R < RowCount(); ++R)
        Widest = std::max<Integer>(Widest, Metrics.horizontalAdvance(HTMLPlainText(Cells(Real, R))));
    Integer W = Widest + Padding;
    if (FMinColWidth > 0)
        W = std::max(W, FMinColWidth);
    if (FMaxColWidth > 0)
        W = std::min(W, FMaxColWidth);
    if (FSizeGrowOnly)
        W = std::max(W, ColWidths(ACol));
    UpdateAutoColumnSize(ACol, W);
    SetColWidths(ACol, W);
}

void TExStringGrid::AutoSizeRow(Integer ARow, Integer Padding)
{
    // Interim: on the measured text of the row's cells (the open editor's
    // text included), never below the default row height.
    Integer Tallest = DefaultRowHeight();
    for (Integer C = 0; C < ColCount(); ++C)
        Tallest = std::max<Integer>(Tallest, GetCellTextSize(RealColIndex(C), ARow, WordWrap(), false).cy + 4);
    SetRowHeights(ARow, Tallest + Padding);
}

// ---------------------------------------------------------------- cell properties
// Interim until the cell access layer lands.

TColor TExStringGrid::Colors(Integer ACol, Integer ARow)
{
    return HasCellProperties(ACol, ARow) ? CellProperties(ACol, ARow)->BrushColor() : clNone;
}

void TExStringGrid::SetColors(Integer ACol, Integer ARow, TColor AColor)
{
    CellProperties(ACol, ARow)->SetBrushColor(AColor);
}

void TExStringGrid::SetAlignments(Integer ACol, Integer ARow, TAlignment Value)
{
    CellProperties(ACol, ARow)->SetAlignment(Value);
    RepaintCell(DisplColIndex(ACol), ARow);
}

bool TExStringGrid::GetReadOnly(Integer ACol, Integer ARow)
{
    return HasCellProperties(ACol, ARow) && CellProperties(ACol, ARow)->ReadOnly();
}

// ---------------------------------------------------------------- appending a row
// Interim until the keyboard handling lands: no row is appended yet.

void TExStringGrid::AutoAddRow() {}

bool TExStringGrid::IsLastDataRow()
{
    return Row() + 1 == RowCount() - FFixedFooters;
}

// ---------------------------------------------------------------- search
// Interim: no behaviour yet; it comes with the search bar.

void TExStringGrid::UpdateSearchFooter() {}

// ---------------------------------------------------------------- hooks without behaviour yet
// Interim: the keyboard, mouse, clipboard, sorting, grouping, filtering,
// printing and editor parts of the grid give these their behaviour; until
// then each raises its event where it has one and does nothing else.

void TExStringGrid::DoClickSort(Integer ACol)
{
    if (OnClickSort)
        OnClickSort(this, ACol);
}

void TExStringGrid::BeforeSelectAll(bool&) {}

void TExStringGrid::PasteCell(Integer ACol, Integer ARow, const String& Value)
{
    SetCells(ACol, ARow, Value);
}

void TExStringGrid::DoPrintGetPageNum(Integer PageNum, Integer PageColNum, String& Text)
{
    if (OnPrintGetPageNum)
        OnPrintGetPageNum(this, PageNum, PageColNum, Text);
}

void TExStringGrid::DoCheckBoxClick(Integer ACol, Integer ARow, bool State)
{
    if (OnCheckBoxClick)
        OnCheckBoxClick(this, ACol, ARow, State);
}

void TExStringGrid::BeforePaste(Integer, Integer, bool&) {}
void TExStringGrid::AfterPaste(Integer, Integer) {}
void TExStringGrid::MarkModifiedRect(TRect) {}

void TExStringGrid::DoSearchFooterAction(const String& Value, Integer ACol, Integer ARow, TSearchAction Action)
{
    if (OnSearchFooterAction)
        OnSearchFooterAction(this, Value, ACol, ARow, Action);
}

void TExStringGrid::DoButtonClick(Integer ACol, Integer ARow)
{
    if (OnButtonClick)
        OnButtonClick(this, ACol, ARow);
}

void TExStringGrid::DoExpandClick(Integer ACol, Integer ARow)
{
    if (OnExpandClick)
        OnExpandClick(this, ACol, ARow, false);
}

void TExStringGrid::MouseWheelHook(TShiftState, Integer, bool&) {}

bool TExStringGrid::EditorFormulaMode()
{
    return false;
}

bool TExStringGrid::IsDesigning()
{
    return ComponentState().Contains(csDesigning);
}

void TExStringGrid::InvalidateGrid()
{
    Invalidate();
}

void TExStringGrid::EditorKeyDown(Word&, TShiftState) {}

void TExStringGrid::GotoFirstRow()
{
    if (TBaseGrid::FixedRows() < RowCount())
        SetRow(TBaseGrid::FixedRows());
}

bool TExStringGrid::AllowFmtClipboard()
{
    return true;
}

void TExStringGrid::DoColorSelect(Integer, Integer) {}
void TExStringGrid::DoImageSelect(Integer, Integer) {}

void TExStringGrid::DoStartBlockFocus()
{
    FBlockFocus = true;
}

void TExStringGrid::DoEndBlockFocus()
{
    FBlockFocus = false;
}

void TExStringGrid::SubGroup(Integer) {}
void TExStringGrid::SubUnGroup(Integer) {}
void TExStringGrid::Group(Integer) {}
void TExStringGrid::UnGroup() {}

void TExStringGrid::TrimRect(Integer ACol1, Integer ARow1, Integer ACol2, Integer ARow2)
{
    for (Integer R = std::max(ARow1, 0); R <= std::min(ARow2, RowCount() - 1); ++R)
        for (Integer C = std::max(ACol1, 0); C <= std::min(ACol2, TotalColCount() - 1); ++C)
            SetCells(C, R, Trim(Cells(C, R)));
}

// ---------------------------------------------------------------- error marks
// Interim until the data services land: the error tags the cell checker's
// marking puts into a text.

String TExStringGrid::UnMarkText(const String& S)
{
    String Text = S;
    Text.remove(QStringLiteral("<E>"), Qt::CaseInsensitive);
    Text.remove(QStringLiteral("</E>"), Qt::CaseInsensitive);
    return Text;
}
