// The string grid's sorting: single-column, indexed and group sorts in
// place, the way back to the order before sorting, and the row swap that
// every sort exchanges rows with.
#include "grid/data/ExGrid_SortKeys.h"

#include <utility>

namespace {

constexpr Integer SpareSortRows = 3;

// One Hoare partition of Left .. Right: I moves up while the pivot sorts
// after row I, J down while row J sorts after the pivot; rows I and J on
// the wrong sides go to Exchange (which may still leave them).
template <class TPivotAfter, class TAfterPivot, class TExchange>
void PartitionRange(Integer Left, Integer Right, Integer& I, Integer& J, TPivotAfter PivotAfter,
                    TAfterPivot AfterPivot, TExchange Exchange)
{
    do {
        while (PivotAfter(I) && I < Right)
            ++I;
        while (AfterPivot(J) && Left < J)
            --J;
        if (I <= J) {
            if (I != J)
                Exchange(I, J);
            ++I;
            --J;
        }
    } while (I <= J);
}

// After a partition: the smaller part sorted now, the larger one left as
// the new range of the caller's loop.
template <class TSortPart>
void SortSmallerPart(Integer& Left, Integer& Right, Integer I, Integer J, TSortPart SortPart)
{
    if (J - Left < Right - I) {
        SortPart(Left, J);
        Left = I;
    } else {
        SortPart(I, Right);
        Right = J;
    }
}

} // namespace

// ---------------------------------------------------------------- the sort frame

// Around a sort: the spare rows beyond the data (the pivot is copied into
// the second of them), column 0 kept aside with NormalCellsOnly, the update
// bracket, the floating footer hidden, and the cell keys of the running
// sort. Everything is restored when the frame ends, also when the sort
// raises; the current row is set only when the sort finished.
class TExStringGrid::TSortFrame {
public:
    enum TPart : unsigned {
        fpSpareRows = 1u << 0,
        fpCellsAside = 1u << 1,
        fpFooter = 1u << 2,
        fpKeys = 1u << 3,
        fpSearchFooter = 1u << 4,
    };

    TSortFrame(TExStringGrid& AGrid, unsigned AParts) : G(AGrid), Parts(AParts)
    {
        OldRow = G.Row();
        G.SortRow = OldRow;
        if (Has(fpCellsAside)) {
            if (G.FSortSettings->NormalCellsOnly() && G.TBaseGrid::FixedCols() > 0)
                for (Integer R = 0; R < G.RowCount(); ++R)
                    Column0.push_back(G.GetGridCell(0, R));
            TopRow = G.TopRow();
            G.BeginUpdate();
        }
        if (Has(fpFooter)) {
            FooterVisible = G.FFloatingFooter->Visible();
            FixedFooters = G.FFixedFooters;
            G.FFloatingFooter->SetVisible(false);
        }
        NormalRows = G.RowCount();
        if (Has(fpSpareRows)) {
            // Rows beyond the count may hold stale cells: kept aside, so the
            // spare rows start empty, and put back afterwards.
            for (Integer I = 0; I < SpareSortRows; ++I)
                Stale.push_back(G.TakeSlotRow(NormalRows + I));
            G.TBaseGrid::SetRowCount(NormalRows + SpareSortRows);
            G.FNormalRowCount = NormalRows;
        }
        if (Has(fpKeys) && !G.FSortKeys && !G.FSortSettings->SingleColumn()) {
            Keys = TSortKeys::Take(G.RowCount());
            G.FSortKeys = Keys.get();
        }
    }

    ~TSortFrame()
    {
        if (Keys) {
            G.FSortKeys = nullptr;
            TSortKeys::Give(std::move(Keys));
        }
        DropSpareRows();
        if (Has(fpCellsAside)) {
            for (Integer R = 0; R < Integer(Column0.size()) && R < G.RowCount(); ++R)
                G.SetGridCell(0, R, Column0[std::size_t(R)]);
            if (G.FNavigation->KeepScrollOnSort())
                G.SetTopRow(TopRow);
        }
        if (Has(fpFooter)) {
            G.FFloatingFooter->SetVisible(FooterVisible);
            G.SetFixedFooters(FixedFooters);
        }
        if (Has(fpCellsAside))
            G.EndUpdate();
        if (Has(fpFooter) && FooterVisible)
            G.FFooterPanel->Invalidate();
        if (Has(fpSearchFooter) && G.FSearchFooter->Visible())
            G.FSearchPanel->Invalidate();
    }

    TSortFrame(const TSortFrame&) = delete;
    TSortFrame& operator=(const TSortFrame&) = delete;

    // The data rows without the spare rows.
    Integer NormalRows = 0;
    Integer OldRow = 0;

    // The spare rows go before the current row is set; they share their
    // cell objects with real rows, so they are dropped, not freed.
    void DropSpareRows()
    {
        if (!Has(fpSpareRows) || SparesDropped)
            return;
        SparesDropped = true;
        for (Integer I = 0; I < SpareSortRows; ++I) {
            G.TakeSlotRow(NormalRows + I);
            G.PutSlotRow(NormalRows + I, std::move(Stale[std::size_t(I)]));
        }
        G.TBaseGrid::SetRowCount(NormalRows);
        G.FNormalRowCount = NormalRows;
    }

    // The current row after the sort: the followed row with MoveRowOnSort,
    // else the row number it had.
    void SetCurrentRow()
    {
        DropSpareRows();
        const Integer Target = G.FNavigation->MoveRowOnSort() ? G.SortRow : OldRow;
        if (Target >= G.TBaseGrid::FixedRows() && Target < G.RowCount() && Target != G.Row())
            G.SetRow(Target);
    }

private:
    bool Has(TPart Part) const { return (Parts & Part) != 0; }

    TExStringGrid& G;
    unsigned Parts;
    std::vector<String> Column0;
    Integer TopRow = 0;
    bool FooterVisible = false;
    Integer FixedFooters = 0;
    std::vector<TStringGrid::TSlotRow> Stale;
    bool SparesDropped = false;
    std::unique_ptr<TSortKeys> Keys;
};

// ---------------------------------------------------------------- entries

void TExStringGrid::Sort(Integer Column, TSortDirection Direction)
{
    if (Column < 0 || Column >= TotalColCount())
        return;
    FSortSettings->SetColumn(Column);
    FSortSettings->SetDirection(Direction);
    QSort();
}

void TExStringGrid::SortByColumn(Integer Col)
{
    if (RowCount() < 2 || Col < 0 || Col >= TotalColCount())
        return;
    FSortSettings->SetColumn(Col);
    QSort();
}

void TExStringGrid::InitSortXRef()
{
    FSortRowXRef->Clear();
    for (Integer R = 0; R < RowCount(); ++R)
        FSortRowXRef->Add(R);
}

void TExStringGrid::QSort()
{
    const Integer Col = FSortSettings->Column();
    if (Col < 0 || Col >= TotalColCount())
        return;
    if (FSortRowXRef->Count() != RowCount())
        InitSortXRef();
    FSortIndexes->Clear();
    TSortFrame Frame(*this, TSortFrame::fpSpareRows | TSortFrame::fpCellsAside | TSortFrame::fpFooter |
                                TSortFrame::fpKeys | TSortFrame::fpSearchFooter);
    QuickSortRange(Col, TBaseGrid::FixedRows(), Frame.NormalRows - FFixedFooters - 1);
    if (!FMouseActions->DisjunctRowSelect()) {
        Frame.SetCurrentRow();
        if (FNavigation->MoveRowOnSort())
            FOldRowSel = -1;
    }
    Frame.DropSpareRows();
    if (OnRowUpdate && !FNavigation->MoveRowOnSort())
        OnRowUpdate(this, Frame.OldRow, Row());
}

void TExStringGrid::QSortIndexed()
{
    if (FSortRowXRef->Count() != RowCount())
        InitSortXRef();
    if (FSortIndexes->Count() == 0)
        throw EExGridError(QStringLiteral("No indexes specified for indexed sort"));
    TSortFrame Frame(*this, TSortFrame::fpSpareRows | TSortFrame::fpCellsAside | TSortFrame::fpFooter |
                                TSortFrame::fpKeys);
    QuickSortIndexedRange(TBaseGrid::FixedRows(), Frame.NormalRows - FFixedFooters - 1);
    Frame.SetCurrentRow();
}

void TExStringGrid::QSortGroup()
{
    QSortGroupRows(false);
}

void TExStringGrid::QSortGroupIndexed()
{
    QSortGroupRows(true);
}

void TExStringGrid::QSortGroupRows(bool Indexed)
{
    if (FSortRowXRef->Count() != RowCount())
        InitSortXRef();
    const Integer Col = FSortSettings->Column();
    if (Indexed ? FSortIndexes->Count() == 0 : (Col < 0 || Col >= TotalColCount()))
        return;
    TSortFrame Frame(*this, TSortFrame::fpSpareRows | TSortFrame::fpCellsAside | TSortFrame::fpKeys);
    const Integer First = TBaseGrid::FixedRows();
    const Integer Last = std::min(Frame.NormalRows - FFixedFooters, Frame.NormalRows - 1);
    Integer Deepest = -1;
    for (Integer R = First; R <= Last; ++R)
        if (IsNode(R))
            Deepest = std::max(Deepest, GetNodeLevel(R));
    for (Integer R = First; R <= Last; ++R) {
        if (!IsNode(R) || GetNodeLevel(R) != Deepest || GetNodeState(R))
            continue;
        const Integer Span = GetNodeSpan(R);
        if (Span <= 2)
            continue;
        const Integer LastChild = std::min(R + Span - 1, Frame.NormalRows - 1);
        if (Indexed)
            QuickSortIndexedRange(R + 1, LastChild);
        else
            QuickSortRange(Col, R + 1, LastChild);
    }
    Frame.SetCurrentRow();
}

void TExStringGrid::QUnSort()
{
    // Nothing recorded for these rows: rows came or went since the sort.
    if (FSortRowXRef->Count() != RowCount())
        return;
    FUnSortRowXRef->Clear();
    for (Integer R = 0; R < FSortRowXRef->Count(); ++R)
        FUnSortRowXRef->Add(FSortRowXRef->Items(R));
    TSortFrame Frame(*this, TSortFrame::fpCellsAside);
    UnSortRange(0, RowCount() - 1);
}

void TExStringGrid::QuickSort(Integer Col, Integer Left, Integer Right)
{
    if (Col < 0 || Col >= TotalColCount())
        return;
    TSortFrame Frame(*this, TSortFrame::fpSpareRows | TSortFrame::fpKeys);
    QuickSortRange(Col, std::max(Left, 0), std::min(Right, Frame.NormalRows - 1));
}

void TExStringGrid::QuickSortIndexed(Integer Left, Integer Right)
{
    TSortFrame Frame(*this, TSortFrame::fpSpareRows | TSortFrame::fpKeys);
    QuickSortIndexedRange(std::max(Left, 0), std::min(Right, Frame.NormalRows - 1));
}

bool TExStringGrid::SortLine(Integer Col, Integer ARow1, Integer ARow2)
{
    if (ARow1 < 0 || ARow2 < 0 || ARow1 >= RowCount() || ARow2 >= RowCount())
        return false;
    const bool Ascending = FSortSettings->Direction() == sdAscending;
    for (Integer C = std::max(Col, 0); C < TotalColCount(); ++C) {
        const Integer Result = CompareCells(C, ARow1, ARow2, FSortSettings->Direction());
        if (Result == 0)
            continue;
        if (Result == (Ascending ? 1 : -1)) {
            SortSwapRows(ARow1, ARow2);
            return true;
        }
        return false;
    }
    return false;
}

// ---------------------------------------------------------------- range sorts

void TExStringGrid::CopySortPivot(Integer FromRow, Integer PivotRow)
{
    if (OnGetDisplText || OnGetDisplWideText) {
        // The hooks' texts go into the pivot, which the hooks then skip.
        const bool Displayed = FSortSettings->SortOnVirtualCells();
        for (Integer C = 0; C < TotalColCount(); ++C) {
            SetGridCell(C, PivotRow, Displayed ? Cells(C, FromRow) : GetGridCell(C, FromRow));
            SetSlotObject(C, PivotRow, SlotObject(C, FromRow));
        }
    } else {
        TStringGrid::TSlotRow Line = TakeSlotRow(FromRow);
        TStringGrid::TSlotRow Copy = Line;
        PutSlotRow(FromRow, std::move(Line));
        PutSlotRow(PivotRow, std::move(Copy));
    }
    if (FSortKeys)
        FSortKeys->CopyRow(FromRow, PivotRow);
}

// Hoare partition around a copy of the middle row. The smaller part is
// sorted by recursion and the larger by the loop, so the depth stays
// logarithmic; the parts are disjoint, so order and counts are the same.
void TExStringGrid::QuickSortRange(Integer Col, Integer Left, Integer Right)
{
    while (Left < Right) {
        SortDir = FSortSettings->Direction() == sdAscending ? 1 : -1;
        const Integer Pivot = RowCount() - 2;
        CopySortPivot((Left + Right) / 2, Pivot);
        Integer I = Left, J = Right;
        PartitionRange(
            Left, Right, I, J, [&](Integer R) { return CompareRowsFull(Col, Pivot, R) == SortDir; },
            [&](Integer R) { return CompareRowsFull(Col, R, Pivot) == SortDir; },
            [&](Integer A, Integer B) {
                if (CompareRowsFull(Col, A, B) != 0)
                    SortSwapRows(A, B);
            });
        SortSmallerPart(Left, Right, I, J, [&](Integer L, Integer R) { QuickSortRange(Col, L, R); });
    }
}

void TExStringGrid::QuickSortIndexedRange(Integer Left, Integer Right)
{
    while (Left < Right) {
        const Integer Pivot = RowCount() - 2;
        CopySortPivot((Left + Right) / 2, Pivot);
        Integer I = Left, J = Right;
        PartitionRange(
            Left, Right, I, J, [&](Integer R) { return CompareRowsIndexed(0, Pivot, R) == 1; },
            [&](Integer R) { return CompareRowsIndexed(0, R, Pivot) == 1; },
            [&](Integer A, Integer B) { SortSwapRows(A, B); });
        SortSmallerPart(Left, Right, I, J, [&](Integer L, Integer R) { QuickSortIndexedRange(L, R); });
    }
}

// Sorts the rows back by the positions the working list recorded for them.
void TExStringGrid::UnSortRange(Integer Left, Integer Right)
{
    TIntList& Work = *FUnSortRowXRef;
    while (Left < Right) {
        const Integer Pivot = Work.Items((Left + Right) / 2);
        Integer I = Left, J = Right;
        PartitionRange(
            Left, Right, I, J, [&](Integer R) { return Work.Items(R) < Pivot; },
            [&](Integer R) { return Work.Items(R) > Pivot; },
            [&](Integer A, Integer B) {
                if (Work.Items(A) != Work.Items(B)) {
                    SortSwapRows(A, B);
                    Work.Exchange(A, B);
                }
            });
        SortSmallerPart(Left, Right, I, J, [&](Integer L, Integer R) { UnSortRange(L, R); });
    }
}

// ---------------------------------------------------------------- the row swap

namespace {

void ExchangeListEntries(TList& List, Integer Index1, Integer Index2)
{
    if (Index1 >= 0 && Index2 >= 0 && Index1 < List.Count() && Index2 < List.Count())
        List.Exchange(Index1, Index2);
}

// Row flags grow on demand: a row beyond the list has its flag off.
void ExchangeRowFlags(TList& Flags, Integer Row1, Integer Row2)
{
    if (Row1 < 0 || Row2 < 0)
        return;
    while (Flags.Count() <= std::max(Row1, Row2))
        Flags.Add(nullptr);
    Flags.Exchange(Row1, Row2);
}

} // namespace

void TExStringGrid::SortSwapRows(Integer ARow1, Integer ARow2)
{
    ++Swaps;
    ExchangeListEntries(*FSortRowXRef, ARow1, ARow2);
    if (FSortSettings->SingleColumn()) {
        const Integer C = FSortSettings->Column();
        if (C < 0 || C >= TotalColCount())
            return;
        ExchangeGridCells(C, ARow1, C, ARow2);
        return;
    }
    TStringGrid::TSlotRow First = TakeSlotRow(ARow1);
    PlaceSlotRow(ARow1, TakeSlotRow(ARow2));
    PlaceSlotRow(ARow2, std::move(First));
    const Integer Height1 = RowHeights(ARow1), Height2 = RowHeights(ARow2);
    if (Height1 != Height2) {
        SetRowHeights(ARow1, Height2);
        SetRowHeights(ARow2, Height1);
    }
    if (FMouseActions->DisjunctRowSelect() && FNavigation->MoveRowOnSort())
        ExchangeRowFlags(*FRowSelect, RealRowIndex(ARow1), RealRowIndex(ARow2));
    if (FShowModified->Enabled())
        ExchangeRowFlags(*FModifiedRows, ARow1, ARow2);
    if (SortRow == ARow1)
        SortRow = ARow2;
    else if (SortRow == ARow2)
        SortRow = ARow1;
    if (FSortKeys && FSortKeys->HasRow(ARow1) && FSortKeys->HasRow(ARow2))
        FSortKeys->SwapRows(ARow1, ARow2);
}
