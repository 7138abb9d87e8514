// The string grid: clearing, trimming, colouring, merging and splitting
// ranges of cells; removing duplicate, checked and (un)selected rows and
// columns; finding a cell by its text.
#include "grid/control/ExGrid.h"

#include <QSet>

#include <algorithm>

namespace {

// The grid's update lock for the bracket's life, also when an exception passes.
class TUpdateBracket {
public:
    explicit TUpdateBracket(TExStringGrid* AGrid) : FGrid(AGrid) { FGrid->BeginUpdate(); }
    ~TUpdateBracket() { FGrid->EndUpdate(); }
    TUpdateBracket(const TUpdateBracket&) = delete;
    TUpdateBracket& operator=(const TUpdateBracket&) = delete;

private:
    TExStringGrid* FGrid;
};

} // namespace

// ---------------------------------------------------------------- clearing

void TExStringGrid::FreeCellSlot(Integer ACol, Integer ARow)
{
    FreeOwnGraphic(ACol, ARow);
    FreeCellProperties(ACol, ARow);
}

void TExStringGrid::ClearRect(Integer ACol1, Integer ARow1, Integer ACol2, Integer ARow2)
{
    const Integer LastCol = std::min(ACol2, TotalColCount() - 1);
    for (Integer R = std::max(ARow1, 0); R <= std::min(ARow2, RowCount() - 1); ++R)
        for (Integer I = std::max(ACol1, 0); I <= LastCol; ++I) {
            const Integer C = FSaveHiddenCells ? RealColIndex(I) : I;
            if (C >= TotalColCount())
                continue;
            if (!FClearTextOnly && HasCellProperties(C, R)) {
                if (FNilObjects)
                    SetGridObject(C, R, nullptr);
                else
                    FreeCellSlot(C, R);
            }
            if (FDestroying || GetGridCell(C, R).isEmpty())
                continue;
            SetGridCell(C, R, String());
            if (C != I)
                RepaintCell(I, R);
        }
    // Hidden rows and cleared-text-only cells may still hold properties.
    if (ACol1 <= 0 && ARow1 <= 0 && ACol2 >= TotalColCount() - 1 && ARow2 >= RowCount() - 1 && !FClearTextOnly &&
        NumHiddenRows() == 0)
        FHasCellProps = false;
    if (!FDestroying && !FBlockCellChange)
        DoCellsChanged(TRect(RealColIndex(ACol1), ARow1, RealColIndex(ACol2), ARow2));
}

void TExStringGrid::ClearRows(Integer RowIndex, Integer RCount)
{
    if (RowCount() == 0 || ColCount() == 0 || RCount <= 0)
        return;
    ClearRect(0, RowIndex, AllColCount() - 1, RowIndex + RCount - 1);
}

void TExStringGrid::ClearCols(Integer ColIndex, Integer CCount)
{
    ClearRect(ColIndex, 0, ColIndex + CCount - 1, RowCount() - 1);
}

void TExStringGrid::ClearNormalRows(Integer RowIndex, Integer RCount)
{
    ClearRect(TBaseGrid::FixedCols(), RowIndex, AllColCount() - FFixedRightCols - 1, RowIndex + RCount - 1);
}

void TExStringGrid::ClearNormalCols(Integer ColIndex, Integer CCount)
{
    ClearRect(ColIndex, TBaseGrid::FixedRows(), ColIndex + CCount - 1, RowCount() - FFixedFooters - 1);
}

void TExStringGrid::ClearNormalCells()
{
    if (TBaseGrid::FixedCols() == 0 && HasNodes())
        RemoveAllNodes();
    ClearRect(TBaseGrid::FixedCols(), TBaseGrid::FixedRows(), AllColCount() - FFixedRightCols - 1,
              RowCount() - FFixedFooters - 1);
}

void TExStringGrid::Clear()
{
    if (!FDestroying && HasNodes())
        RemoveAllNodes();
    ClearRect(0, 0, AllColCount() - 1, RowCount() - 1);
    SearchInc.clear();
    if (FNumHidden > 0)
        Invalidate();
}

// The saved cells' objects are freed with them.
void TExStringGrid::ClearAll()
{
    Clear();
    for (int I = 0; I < FGridItems->Count(); ++I) {
        auto& Row = FGridItems->Items(I)->RowStrings()->Row();
        for (auto& Slot : Row)
            FreeCellObject(std::exchange(Slot.Object, nullptr));
        Row.clear();
    }
}

void TExStringGrid::ClearSelection()
{
    if (FMouseActions->DisjunctRowSelect()) {
        for (Integer R = TBaseGrid::FixedRows(); R < RowCount(); ++R)
            if (RowSelect(FlagRow(R)))
                ClearRows(R, 1);
        return;
    }
    if (FMouseActions->DisjunctColSelect()) {
        for (Integer C = TBaseGrid::FixedCols(); C < ColCount(); ++C)
            if (ColSelect(C))
                ClearCols(C, 1);
        return;
    }
    const TGridRect S = Selection();
    ClearRect(S.Left, S.Top, S.Right, S.Bottom);
}

// ---------------------------------------------------------------- trimming and colouring

void TExStringGrid::TrimRect(Integer ACol1, Integer ARow1, Integer ACol2, Integer ARow2)
{
    for (Integer R = std::max(ARow1, 0); R <= std::min(ARow2, RowCount() - 1); ++R)
        for (Integer I = std::max(ACol1, 0); I <= std::min(ACol2, TotalColCount() - 1); ++I) {
            const Integer C = FSaveHiddenCells ? RealColIndex(I) : I;
            const String Text = Cells(C, R);
            const String Trimmed = Trim(Text);
            if (Trimmed != Text)
                SetCells(C, R, Trimmed);
        }
}

void TExStringGrid::TrimColumn(Integer ACol)
{
    TrimRect(ACol, 0, ACol, RowCount() - 1);
}

void TExStringGrid::TrimRow(Integer ARow)
{
    TrimRect(0, ARow, ColCount() - 1, ARow);
}

void TExStringGrid::TrimAll()
{
    TrimRect(0, 0, ColCount() - 1, RowCount() - 1);
}

void TExStringGrid::ColorRect(Integer ACol1, Integer ARow1, Integer ACol2, Integer ARow2, TColor AColor)
{
    for (Integer C = ACol1; C <= ACol2; ++C)
        for (Integer R = ARow1; R <= ARow2; ++R)
            SetColors(C, R, AColor);
}

// ---------------------------------------------------------------- merging and splitting

void TExStringGrid::MergeCols(Integer ColIndex1, Integer ColIndex2, const String& Separator)
{
    for (Integer R = TBaseGrid::FixedRows(); R < RowCount(); ++R)
        SetCells(ColIndex1, R, Trim(Cells(ColIndex1, R) + Separator + Cells(ColIndex2, R)));
    RemoveCols(ColIndex2, 1);
}

// Runs of equal texts down the column become merged cells; without
// MainMerge a run also needs its rows merged alike in the other columns.
void TExStringGrid::MergeColumnCells(Integer ColIndex, bool MainMerge)
{
    const Integer End = RowCount() - FFixedFooters;
    auto MergeRun = [&](Integer First, Integer Length) {
        if (Length >= 2)
            MergeCells(ColIndex, First, 1, Length);
    };
    Integer First = TBaseGrid::FixedRows();
    for (Integer R = First + 1; R < End; ++R) {
        const bool Extends =
            Cells(ColIndex, R) == Cells(ColIndex, R - 1) && (MainMerge || RowSpanIdentical(R - 1, R));
        if (Extends)
            continue;
        MergeRun(First, R - First);
        First = R;
    }
    MergeRun(First, End - First);
}

void TExStringGrid::MergeRowCells(Integer RowIndex, bool MainMerge)
{
    const Integer End = ColCount() - FFixedRightCols;
    auto MergeRun = [&](Integer First, Integer Length) {
        if (Length >= 2)
            MergeCells(First, RowIndex, Length, 1);
    };
    Integer First = TBaseGrid::FixedCols();
    for (Integer C = First + 1; C < End; ++C) {
        const bool Extends =
            Cells(C, RowIndex) == Cells(C - 1, RowIndex) && (MainMerge || ColSpanIdentical(C - 1, C));
        if (Extends)
            continue;
        MergeRun(First, C - First);
        First = C;
    }
    MergeRun(First, End - First);
}

void TExStringGrid::SplitColumnCells(Integer ColIndex)
{
    Integer R = 0;
    while (R < RowCount() - FFixedFooters - 1) {
        if (!IsYMergedCell(ColIndex, R)) {
            ++R;
            continue;
        }
        const Integer Extra = CellSpan(ColIndex, R).Y;
        SplitCells(ColIndex, R);
        R += Extra + 1;
    }
}

void TExStringGrid::SplitRowCells(Integer RowIndex)
{
    Integer C = 0;
    while (C < ColCount() - FFixedRightCols - 1) {
        if (!IsMergedCell(C, RowIndex)) {
            ++C;
            continue;
        }
        const Integer Extra = CellSpan(C, RowIndex).X;
        SplitCells(C, RowIndex);
        C += Extra + 1;
    }
}

void TExStringGrid::SplitAllCells()
{
    for (Integer R = 0; R < RowCount(); ++R)
        for (Integer C = 0; C < ColCount(); ++C)
            if (IsMergedCell(C, R) && IsBaseCell(C, R))
                SplitCells(C, R);
}

// ---------------------------------------------------------------- removing by content

void TExStringGrid::RemoveDuplicates(Integer ACol, bool DoCase)
{
    const Integer C = RealColIndex(ACol);
    TUpdateBracket Update(this);
    QSet<String> Seen;
    Integer R = TBaseGrid::FixedRows();
    while (R < RowCount() - FFixedFooters) {
        const String Value = DoCase ? Cells(C, R) : Cells(C, R).toUpper();
        if (Seen.contains(Value)) {
            FreeAndRemoveRows(R, 1);
            continue;
        }
        Seen.insert(Value);
        ++R;
    }
}

// ARow of the check box is a real row.
void TExStringGrid::RemoveCheckedRows(Integer CheckBoxColumn, bool RemoveChecked)
{
    TUpdateBracket Update(this);
    for (Integer R = RowCount() - 1; R >= TBaseGrid::FixedRows(); --R)
        if (IsChecked(CheckBoxColumn, RealRowIndex(R)) == RemoveChecked)
            RemoveRows(R, 1);
}

// ---------------------------------------------------------------- removing and hiding by selection

void TExStringGrid::RemoveRowsBottomUp(const std::vector<Integer>& Rows)
{
    for (auto R = Rows.rbegin(); R != Rows.rend(); ++R)
        FreeAndRemoveRows(*R, 1);
}

// Rows are collected first and hidden from the bottom up, so that no
// hiding shifts a row (or its flag) still to be looked at.
void TExStringGrid::HideRowsBottomUp(const std::vector<Integer>& Rows)
{
    TUpdateBracket Update(this);
    for (auto R = Rows.rbegin(); R != Rows.rend(); ++R) {
        const Integer Real = RealRowIndex(*R);
        HideRows(Real, Real);
    }
}

void TExStringGrid::RemoveSelectedRows()
{
    TUpdateBracket Update(this);
    if (FMouseActions->DisjunctRowSelect()) {
        std::vector<Integer> Rows;
        for (Integer R = TBaseGrid::FixedRows(); R < RowCount() - FFixedFooters; ++R)
            if (RowSelect(FlagRow(R)))
                Rows.push_back(R);
        RemoveRowsBottomUp(Rows);
        ClearRowSelect();
        return;
    }
    const TGridRect S = Selection();
    std::vector<Integer> Rows;
    for (Integer R = std::min(S.Top, S.Bottom); R <= std::max(S.Top, S.Bottom); ++R)
        Rows.push_back(R);
    RemoveRowsBottomUp(Rows);
}

void TExStringGrid::RemoveUnSelectedRows()
{
    TUpdateBracket Update(this);
    std::vector<Integer> Rows;
    for (Integer R = TBaseGrid::FixedRows(); R < RowCount() - FFixedFooters; ++R)
        if (!RowSelect(FlagRow(R)))
            Rows.push_back(R);
    RemoveRowsBottomUp(Rows);
    if (FMouseActions->RowSelectPersistent())
        SelectRows(TBaseGrid::FixedRows(), RowCount() - TBaseGrid::FixedRows());
    else
        ClearRowSelect();
}

void TExStringGrid::HideSelectedRows()
{
    std::vector<Integer> Rows;
    for (Integer R = TBaseGrid::FixedRows(); R < RowCount(); ++R)
        if (RowSelect(FlagRow(R)))
            Rows.push_back(R);
    HideRowsBottomUp(Rows);
}

void TExStringGrid::HideUnSelectedRows()
{
    std::vector<Integer> Rows;
    for (Integer R = TBaseGrid::FixedRows(); R < RowCount(); ++R)
        if (!RowSelect(FlagRow(R)))
            Rows.push_back(R);
    HideRowsBottomUp(Rows);
}

// From the right, each by its real column, so that hidden columns between
// them keep their cells.
void TExStringGrid::RemoveDisplayCols(const std::vector<Integer>& Cols)
{
    for (auto C = Cols.rbegin(); C != Cols.rend(); ++C) {
        RemoveCols(RealColIndex(*C), 1);
        if (FMouseActions->DisjunctColSelect() && *C < FColSelect->Count())
            FColSelect->Delete(*C);
    }
}

// The display columns right of the fixed ones that are (not) selected.
std::vector<Integer> TExStringGrid::ColsBySelection(bool Selected)
{
    const TGridRect S = Selection();
    std::vector<Integer> Cols;
    for (Integer C = TBaseGrid::FixedCols(); C < ColCount(); ++C) {
        const bool In = FMouseActions->DisjunctColSelect()
                            ? ColSelect(C)
                            : C >= std::min(S.Left, S.Right) && C <= std::max(S.Left, S.Right);
        if (In == Selected)
            Cols.push_back(C);
    }
    return Cols;
}

void TExStringGrid::RemoveSelectedCols()
{
    RemoveDisplayCols(ColsBySelection(true));
}

void TExStringGrid::RemoveUnSelectedCols()
{
    RemoveDisplayCols(ColsBySelection(false));
    ClearColSelect();
}

// ---------------------------------------------------------------- finding

bool TExStringGrid::IsCell(const String& SubStr, Integer& ACol, Integer& ARow)
{
    for (Integer R = 0; R < RowCount(); ++R)
        for (Integer C = 0; C < ColCount(); ++C)
            if (GetGridCell(C, R) == SubStr) {
                ACol = C;
                ARow = R;
                return true;
            }
    return false;
}

bool TExStringGrid::IsWideCell(Integer ACol, Integer ARow)
{
    return Cells(ACol, ARow).startsWith(QStringLiteral("|\\"));
}
