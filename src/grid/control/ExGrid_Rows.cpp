// The string grid: inserting and removing rows and columns. Each operation
// keeps the grid's side data in step with the moved cells: hidden rows'
// real indices, heights, the per-row flags, hosted controls, the footer row
// and the current cell. Whole rows move in the store without copying cells.
//
// Removals trust nothing: a row index outside the grid or a count of 0 or
// less removes nothing, and a count beyond the end is cut. A removal moves
// every hidden row and hosted control up by the removed rows before it, an
// insertion moves those at or after the first new row down.
#include "grid/control/ExGrid.h"

#include <algorithm>
#include <functional>

namespace {

bool ClampRowRemoval(Integer Rows, Integer RowIndex, Integer& RCount)
{
    if (RowIndex < 0 || RowIndex >= Rows || RCount <= 0)
        return false;
    RCount = std::min(RCount, Rows - RowIndex);
    return true;
}

// Runs its action when the scope ends, also when an exception passes.
class TRowsFinally {
public:
    explicit TRowsFinally(std::function<void()> Action) : FAction(std::move(Action)) {}
    ~TRowsFinally() { FAction(); }
    TRowsFinally(const TRowsFinally&) = delete;
    TRowsFinally& operator=(const TRowsFinally&) = delete;

private:
    std::function<void()> FAction;
};

// Removed entries before Value (the removed list ascending).
Integer RemovedBefore(const std::vector<Integer>& Removed, Integer Value)
{
    return Integer(std::lower_bound(Removed.begin(), Removed.end(), Value) - Removed.begin());
}

} // namespace

// ---------------------------------------------------------------- shared steps

std::vector<Integer> TExStringGrid::RealRowsOf(Integer RowIndex, Integer RCount) const
{
    std::vector<Integer> Reals;
    Reals.reserve(std::size_t(RCount));
    for (Integer R = RowIndex; R < RowIndex + RCount; ++R)
        Reals.push_back(RealRowIndex(R));
    return Reals;
}

void TExStringGrid::RenumberAfterRemoval(const std::vector<Integer>& RemovedReal)
{
    if (NumHiddenRows() == 0 || RemovedReal.empty())
        return;
    FGridItems->BeginUpdate();
    for (int I = 0; I < FGridItems->Count(); ++I) {
        TGridItem* Item = FGridItems->Items(I);
        Item->SetIdx(Item->Idx() - RemovedBefore(RemovedReal, Item->Idx()));
    }
    FGridItems->EndUpdate();
}

void TExStringGrid::DropRowControls(const std::vector<Integer>& RemovedReal)
{
    for (Integer I = FControlList->Count() - 1; I >= 0; --I) {
        TControlItem* Item = FControlList->Control(I);
        if (std::binary_search(RemovedReal.begin(), RemovedReal.end(), Item->Y())) {
            Item->Control()->SetVisible(false);
            FControlList->RemoveControl(I);
        } else
            Item->SetY(Item->Y() - RemovedBefore(RemovedReal, Item->Y()));
    }
}

void TExStringGrid::DeleteRowFlags(Integer RowIndex, Integer RCount, bool Selection)
{
    auto DeleteFrom = [&](TIntList* Flags) {
        for (Integer I = 0; I < RCount && RowIndex < Flags->Count(); ++I)
            Flags->Delete(RowIndex);
    };
    if (FShowModified->Enabled())
        DeleteFrom(FModifiedRows.get());
    if (FUseEnabledRows)
        DeleteFrom(FEnabledRows.get());
    if (Selection)
        for (Integer I = 0; I < RCount && RowIndex < FRowSelect->Count(); ++I)
            FRowSelect->Delete(RowIndex);
}

// The store's rows go with their heights (Heights: the list after the
// removal); the rows' own objects are freed, nothing else holds them.
void TExStringGrid::RemoveStoreRows(Integer RowIndex, Integer RCount, bool MoveHeights)
{
    TAllColumns Bracket(this);
    for (Integer R = RowIndex; R < RowIndex + RCount; ++R)
        for (auto& Slot : TakeSlotRow(R))
            FreeCellObject(Slot.Object);
    std::vector<Integer> Heights = RowHeightList();
    if (MoveHeights)
        Heights.erase(Heights.begin() + RowIndex, Heights.begin() + RowIndex + RCount);
    DeleteSlotRows(RowIndex, RCount);
    SetRowCountInPlace(RowCount() - RCount);
    Heights.resize(std::size_t(RowCount()));
    SetRowHeightList(Heights);
}

// The footer row is not moved to the end by the count change: the caller
// has placed the rows already.
void TExStringGrid::SetRowCountInPlace(Integer Value)
{
    const bool Footer = FFloatingFooter->Visible();
    FFloatingFooter->SetVisible(false);
    TRowsFinally Restore([&] { FFloatingFooter->SetVisible(Footer); });
    SetRowCount(Value);
}

void TExStringGrid::RestoreCurrentRowAfterRemoval(Integer OldRow, Integer OldTopRow)
{
    if (OldRow < RowCount()) {
        SetRow(OldRow);
        SetTopRow(OldTopRow);
    } else if (TBaseGrid::FixedRows() < RowCount())
        SetRow(RowCount() - 1);
    else
        HideSelection();
    FSelHidden = false;
}

// ---------------------------------------------------------------- removing rows

void TExStringGrid::RemoveRows(Integer RowIndex, Integer RCount)
{
    if (!ClampRowRemoval(RowCount(), RowIndex, RCount))
        return;
    const std::vector<Integer> Removed = RealRowsOf(RowIndex, RCount);
    DropRowControls(Removed);
    const Integer LastWidth = ColWidths(ColCount() - 1);
    const bool Entered = std::exchange(FEntered, false);
    SelectCell(Col(), Row());
    {
        BeginUpdate();
        const Integer OldTop = TopRow();
        const Integer OldRow = Row();
        const bool Footer = FFloatingFooter->Visible();
        const Integer Footers = FFixedFooters;
        FFloatingFooter->SetVisible(false);
        TRowsFinally Restore([&] {
            SetColWidths(ColCount() - 1, LastWidth);
            FFloatingFooter->SetVisible(Footer);
            FFixedFooters = Footers;
            EndUpdate();
            FEntered = Entered;
        });
        RenumberAfterRemoval(Removed);
        DeleteRowFlags(RowIndex, RCount, FMouseActions->DisjunctRowSelect());
        RemoveStoreRows(RowIndex, RCount, true);
        FMaxRowCount -= RCount;
        const Integer LastNormal = RowCount() - FFixedFooters;
        if (OldRow < LastNormal) {
            if (!FMouseActions->DisjunctRowSelect())
                SetRow(OldRow);
            SetTopRow(OldTop);
        } else if (TBaseGrid::FixedRows() < LastNormal)
            SetRow(LastNormal - 1);
        else
            HideSelection();
        FSelHidden = false;
    }
    DoCellsChanged(TRect(0, RowIndex, ColCount() - 1, RowIndex + RCount));
    const Integer Top = RowCount() + TBaseGrid::FixedRows() - VisibleRowCount() - 2;
    if (TopRow() >= Top && RowCount() - VisibleRowCount() - 1 > 0)
        SetTopRow(Top);
    if (FControlList->Count() > 0)
        CellControlsUpdate(false);
    if (FSearchFooter->Visible())
        FSearchPanel->Invalidate();
}

// Cells and selection flags only: heights stay with the display rows.
void TExStringGrid::RemoveRowsEx(Integer RowIndex, Integer RCount)
{
    if (!ClampRowRemoval(RowCount(), RowIndex, RCount))
        return;
    const std::vector<Integer> Removed = RealRowsOf(RowIndex, RCount);
    const Integer LastWidth = ColWidths(ColCount() - 1);
    const Integer OldRow = Row();
    const Integer OldTop = TopRow();
    {
        BeginUpdate();
        TRowsFinally Restore([this] { EndUpdate(); });
        if (FMouseActions->DisjunctRowSelect())
            for (Integer I = 0; I < RCount && RowIndex < FRowSelect->Count(); ++I)
                FRowSelect->Delete(RowIndex);
        RemoveStoreRows(RowIndex, RCount, false);
        FMaxRowCount -= RCount;
        SetColWidths(ColCount() - 1, LastWidth);
        if (OldRow < RowCount()) {
            SetRow(OldRow);
            SetTopRow(OldTop);
        } else if (TBaseGrid::FixedRows() < RowCount()) {
            SetRow(TBaseGrid::FixedRows());
            SetTopRow(TBaseGrid::FixedRows());
        }
    }
    RenumberAfterRemoval(Removed);
    DoCellsChanged(TRect(0, RowIndex, ColCount() - 1, RowIndex + RCount));
}

void TExStringGrid::FreeAndRemoveRows(Integer ARow, Integer RCount)
{
    if (!ClampRowRemoval(RowCount(), ARow, RCount))
        return;
    for (Integer R = ARow; R < ARow + RCount; ++R)
        for (Integer C = 0; C < ColCount(); ++C)
            FreeCellSlot(C, R);
    DoRemoveRows(ARow, RCount, true);
}

void TExStringGrid::DoRemoveRows(Integer ARow, Integer RCount, bool UpdateCellControls)
{
    if (!ClampRowRemoval(RowCount(), ARow, RCount))
        return;
    const std::vector<Integer> Removed = RealRowsOf(ARow, RCount);
    if (UpdateCellControls)
        DropRowControls(Removed);
    const Integer Footers = std::exchange(FFixedFooters, 0);
    const bool Footer = FFloatingFooter->Visible();
    const bool Disjunct = FMouseActions->DisjunctRowSelect();
    const Integer LastWidth = ColWidths(ColCount() - 1);
    const bool Entered = std::exchange(FEntered, false);
    BeginUpdate();
    FFloatingFooter->SetVisible(false);
    FMouseActions->SetDisjunctRowSelectDirect(false);
    const bool TookRowSelect = Options().Contains(goRowSelect) && TBaseGrid::FixedRows() < RowCount() - 1;
    TRowsFinally Restore([&] {
        FMouseActions->SetDisjunctRowSelectDirect(Disjunct);
        FFloatingFooter->SetVisible(Footer);
        FFixedFooters = Footers;
    });
    {
        TRowsFinally Unlock([&] {
            SetColWidths(ColCount() - 1, LastWidth);
            EndUpdate();
            FEntered = Entered;
        });
        const Integer OldTop = TopRow();
        const Integer OldRow = Row();
        if (TookRowSelect)
            SetOptions(TGridOptions(Options()).Exclude(goRowSelect));
        if (HasNodes() && Row() < RowCount())
            SetCol(TBaseGrid::FixedCols());
        if (UpdateCellControls)
            RenumberAfterRemoval(Removed);
        // Hiding keeps the flags of its rows; a removal drops them unless
        // they belong to real rows.
        if (UpdateCellControls && !FMouseActions->RowSelectPersistent())
            for (Integer I = 0; I < RCount && ARow < FRowSelect->Count(); ++I)
                FRowSelect->Delete(ARow);
        // The store drops the rows itself: no row is reported moved.
        RemoveStoreRows(ARow, RCount, true);
        RestoreCurrentRowAfterRemoval(OldRow, OldTop);
    }
    DoCellsChanged(TRect(0, ARow, ColCount() - 1, ARow + RCount));
    if (TopRow() >= RowCount() - 1)
        SetTopRow(RowCount() - 1);
    if (Row() >= RowCount() && TBaseGrid::FixedRows() < RowCount()) {
        FForceSel = true;
        TRowsFinally Force([this] { FForceSel = false; });
        FocusCell(TBaseGrid::FixedCols(), TBaseGrid::FixedRows());
        if (TookRowSelect)
            SetOptions(TGridOptions(Options()).Include(goRowSelect));
        HideSelection();
        FSelHidden = false;
    } else if (TookRowSelect && TBaseGrid::FixedRows() < RowCount())
        SetOptions(Options() + goRowSelect);
    if (FControlList->Count() > 0)
        CellControlsUpdate(false);
}

// ---------------------------------------------------------------- inserting rows

void TExStringGrid::InsertRows(Integer RowIndex, Integer RCount, bool UpdateCellControls)
{
    InsertRowsInternal(RowIndex, RCount, UpdateCellControls);
}

void TExStringGrid::DoInsertRows(Integer RowIndex, Integer RCount, bool UpdateCellControls)
{
    InsertRowsInternal(RowIndex, RCount, UpdateCellControls);
}

// The floating footer's row stays the last row: rows go in before it.
void TExStringGrid::InsertRowsInternal(Integer RowIndex, Integer RCount, bool UpdateCellControls)
{
    if (RCount <= 0)
        return;
    RowIndex = std::clamp(RowIndex, 0, RowCount());
    if (FFloatingFooter->Visible() && RowCount() > 0)
        RowIndex = std::min(RowIndex, RowCount() - 1);
    const Integer LastWidth = ColWidths(ColCount() - 1);
    if (FSelHidden || Col() >= ColCount() || Row() >= RowCount())
        UnHideSelection();
    const Integer Real = RealRowIndex(RowIndex);
    {
        TAllColumns Bracket(this);
        std::vector<Integer> Heights = RowHeightList();
        Heights.insert(Heights.begin() + RowIndex, std::size_t(RCount), DefaultRowHeight());
        InsertSlotRows(RowIndex, RCount);
        SetRowCountInPlace(RowCount() + RCount);
        SetRowHeightList(Heights);
    }
    auto InsertInto = [&](TIntList* Flags) {
        for (Integer I = 0; I < RCount && RowIndex < Flags->Count(); ++I)
            Flags->Insert(RowIndex, 0);
    };
    if (FShowModified->Enabled())
        InsertInto(FModifiedRows.get());
    if (FUseEnabledRows)
        InsertInto(FEnabledRows.get());
    SetColWidths(ColCount() - 1, LastWidth);
    if (UpdateCellControls) {
        FGridItems->BeginUpdate();
        for (int I = 0; I < FGridItems->Count(); ++I)
            if (FGridItems->Items(I)->Idx() >= Real)
                FGridItems->Items(I)->SetIdx(FGridItems->Items(I)->Idx() + RCount);
        FGridItems->EndUpdate();
        for (Integer I = 0; I < FControlList->Count(); ++I)
            if (FControlList->Control(I)->Y() >= Real)
                FControlList->Control(I)->SetY(FControlList->Control(I)->Y() + RCount);
        if (FControlList->Count() > 0)
            CellControlsUpdate(false);
    }
    if (!FDestroying)
        DoCellsChanged(TRect(0, RowIndex, ColCount() - 1, RowIndex + RCount));
}

void TExStringGrid::AddRow()
{
    if (FFloatingFooter->Visible()) {
        InsertRows(RowCount() - 1, 1, true);
        if (FFloatingFooter->FooterStyle() == fsFixedLastRow)
            ClearRows(RowCount() - 2, 1);
        return;
    }
    InsertRows(RowCount(), 1, true);
    ClearRows(RowCount() - 1, 1);
}

// ---------------------------------------------------------------- columns

// The hidden-column tables from From on move by Count (negative: left);
// they never grow past their 513 entries, and a hidden column pushed past
// the hideable columns is shown first.
void TExStringGrid::ShiftColumnTables(Integer From, Integer Count)
{
    const Integer Size = Integer(FVisibleCol.size());
    if (From >= Size)
        return;
    if (Count < 0) {
        for (Integer I = From; I < Size; ++I) {
            const Integer Source = I - Count;
            FVisibleCol[std::size_t(I)] = Source < Size ? FVisibleCol[std::size_t(Source)] : true;
            FAllColWidths[std::size_t(I)] = Source < Size ? FAllColWidths[std::size_t(Source)] : DefaultColWidth();
        }
        return;
    }
    for (Integer I = Size - 1; I >= From; --I) {
        const Integer Source = I - Count;
        const bool New = Source < From;
        FVisibleCol[std::size_t(I)] = New || FVisibleCol[std::size_t(Source)];
        FAllColWidths[std::size_t(I)] = New ? DefaultColWidth() : FAllColWidths[std::size_t(Source)];
    }
}

// The display rows' and the hidden rows' cells alike.
void TExStringGrid::EditEverySlotRow(const std::function<void(TStringGrid::TSlotRow&)>& Edit)
{
    for (Integer R = 0; R < RowCount(); ++R) {
        TStringGrid::TSlotRow Line = TakeSlotRow(R);
        Edit(Line);
        PlaceSlotRow(R, std::move(Line));
    }
    for (int I = 0; I < FGridItems->Count(); ++I)
        Edit(FGridItems->Items(I)->RowStrings()->Row());
}

void TExStringGrid::DropColumnControls(Integer ColIndex, Integer CCount)
{
    for (Integer I = FControlList->Count() - 1; I >= 0; --I) {
        TControlItem* Item = FControlList->Control(I);
        if (Item->X() >= ColIndex && Item->X() < ColIndex + CCount) {
            Item->Control()->SetVisible(false);
            FControlList->RemoveControl(I);
        } else if (Item->X() >= ColIndex + CCount)
            Item->SetX(Item->X() - CCount);
    }
}

// Columns are real columns here: a hidden one goes with its cells, the
// display shortens by the shown ones only. Hidden rows lose the same cells.
void TExStringGrid::RemoveCols(Integer ColIndex, Integer CCount)
{
    if (ColIndex < 0 || ColIndex >= AllColCount() || CCount <= 0)
        return;
    CCount = std::min(CCount, AllColCount() - ColIndex);
    Integer Shown = 0;
    std::vector<Integer> Widths;
    for (Integer D = 0; D < ColCount(); ++D) {
        const Integer C = RealColIndex(D);
        if (C >= ColIndex && C < ColIndex + CCount)
            ++Shown;
        else
            Widths.push_back(ColWidths(D));
    }
    DropColumnControls(ColIndex, CCount);
    auto Cut = [&](TStringGrid::TSlotRow& Line) {
        if (Line.size() <= std::size_t(ColIndex))
            return;
        const auto First = Line.begin() + ColIndex;
        const auto Last = Line.begin() + std::min<std::size_t>(Line.size(), std::size_t(ColIndex + CCount));
        for (auto It = First; It != Last; ++It)
            FreeCellObject(It->Object);
        Line.erase(First, Last);
    };
    EditEverySlotRow(Cut);
    FNumHidden -= CCount - Shown;
    ShiftColumnTables(ColIndex, -CCount);
    SetColCount(std::max(ColCount() - Shown, 1));
    for (Integer D = 0; D < ColCount() && D < Integer(Widths.size()); ++D)
        SetColWidths(D, Widths[std::size_t(D)]);
    DoCellsChanged(TRect(ColIndex, 0, ColIndex + CCount, RowCount() - 1));
    if (FControlList->Count() > 0)
        CellControlsUpdate(false);
}

void TExStringGrid::InsertCols(Integer ColIndex, Integer CCount)
{
    if (CCount <= 0)
        return;
    ColIndex = std::clamp(ColIndex, 0, AllColCount());
    const Integer Size = Integer(FVisibleCol.size());
    for (Integer C = std::max(ColIndex, Size - 1 - CCount); C < Size - 1; ++C)
        if (IsHiddenColumn(C))
            UnHideColumn(C);
    const Integer At = ColIndex < AllColCount() ? DisplColIndex(ColIndex) : ColCount();
    std::vector<Integer> Widths;
    for (Integer D = 0; D < ColCount(); ++D)
        Widths.push_back(ColWidths(D));
    Widths.insert(Widths.begin() + At, std::size_t(CCount), DefaultColWidth());
    auto Open = [&](TStringGrid::TSlotRow& Line) {
        if (Line.size() > std::size_t(ColIndex))
            Line.insert(Line.begin() + ColIndex, std::size_t(CCount), TStringGrid::TCellSlot());
    };
    EditEverySlotRow(Open);
    ShiftColumnTables(ColIndex, CCount);
    for (Integer I = 0; I < FControlList->Count(); ++I)
        if (FControlList->Control(I)->X() >= ColIndex)
            FControlList->Control(I)->SetX(FControlList->Control(I)->X() + CCount);
    SetColCount(ColCount() + CCount);
    for (Integer D = 0; D < ColCount(); ++D)
        SetColWidths(D, Widths[std::size_t(D)]);
}
