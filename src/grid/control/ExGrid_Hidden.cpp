// The string grid: hidden columns and rows, and the conversions between
// real and display indices.
//
// A hidden column keeps its cells in the store at its real index; hiding
// only shortens the display. A hidden row leaves the store: its whole row
// of slots moves into a TGridItem and back, so no cell is copied one by one.
#include "grid/control/ExGrid.h"

#include <algorithm>

namespace {

constexpr Integer HideableColumns = 512;

bool IsHideableColumn(Integer c)
{
    return c >= 0 && c < HideableColumns;
}

} // namespace

// ---------------------------------------------------------------- the row list of an item

TStringGrid::TCellSlot& TGridRowStrings::At(int Index)
{
    if (Index < 0 || std::size_t(Index) >= FRow.size())
        throw EStringListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    return FRow[std::size_t(Index)];
}

const TStringGrid::TCellSlot& TGridRowStrings::At(int Index) const
{
    return const_cast<TGridRowStrings*>(this)->At(Index);
}

String TGridRowStrings::Get(int Index) const
{
    return At(Index).Text;
}

TObject* TGridRowStrings::GetObject(int Index) const
{
    return At(Index).Object;
}

void TGridRowStrings::Put(int Index, const String& S)
{
    At(Index).Text = S;
}

void TGridRowStrings::PutObject(int Index, TObject* AObject)
{
    At(Index).Object = AObject;
}

void TGridRowStrings::Delete(int Index)
{
    At(Index);
    FRow.erase(FRow.begin() + Index);
}

void TGridRowStrings::Insert(int Index, const String& S)
{
    InsertObject(Index, S, nullptr);
}

void TGridRowStrings::InsertObject(int Index, const String& S, TObject* AObject)
{
    if (Index < 0 || std::size_t(Index) > FRow.size())
        throw EStringListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    FRow.insert(FRow.begin() + Index, TStringGrid::TCellSlot{S, AObject});
}

// ---------------------------------------------------------------- items

TGridItem::TGridItem(TCollection* ACollection)
    : TCollectionItem(ACollection), FItems(std::make_unique<TGridRowStrings>())
{
}

TGridItem::~TGridItem() = default;

void TGridItem::SetIdx(Integer Value)
{
    FIdx = Value;
    Changed(false);
}

void TGridItems::Update(TCollectionItem*)
{
    FIndexValid = false;
}

void TGridItems::BuildIndex() const
{
    if (FIndexValid)
        return;
    FSortedIdx.clear();
    FSortedIdx.reserve(std::size_t(Count()));
    for (int I = 0; I < Count(); ++I)
        FSortedIdx.push_back(Items(I)->Idx());
    std::sort(FSortedIdx.begin(), FSortedIdx.end());
    FDistinctIdx = FSortedIdx;
    FDistinctIdx.erase(std::unique(FDistinctIdx.begin(), FDistinctIdx.end()), FDistinctIdx.end());
    // Indices below 0 stand for no row.
    FDistinctIdx.erase(FDistinctIdx.begin(), std::lower_bound(FDistinctIdx.begin(), FDistinctIdx.end(), 0));
    FIndexValid = true;
}

Integer TGridItems::CountBelow(Integer ARow) const
{
    BuildIndex();
    return Integer(std::lower_bound(FSortedIdx.begin(), FSortedIdx.end(), ARow) - FSortedIdx.begin());
}

bool TGridItems::HasIdx(Integer ARow) const
{
    BuildIndex();
    return std::binary_search(FSortedIdx.begin(), FSortedIdx.end(), ARow);
}

// The rows below the answer that are free number exactly ARow: with the
// hidden rows distinct and ascending, Idx[j] - j grows with j, so the count
// of hidden rows before the answer is found by bisection.
Integer TGridItems::NthFreeRow(Integer ARow) const
{
    BuildIndex();
    ARow = std::max(ARow, 0);
    std::size_t Lo = 0, Hi = FDistinctIdx.size();
    while (Lo < Hi) {
        const std::size_t Mid = (Lo + Hi) / 2;
        if (FDistinctIdx[Mid] - Integer(Mid) <= ARow)
            Lo = Mid + 1;
        else
            Hi = Mid;
    }
    return ARow + Integer(Lo);
}

// ---------------------------------------------------------------- the all-columns bracket

TExStringGrid::TAllColumns::TAllColumns(TExStringGrid* AGrid) : FGrid(AGrid), FWidened(AGrid->FNumHidden)
{
    if (FWidened > 0)
        FGrid->TBaseGrid::SetColCount(FGrid->ColCount() + FWidened);
}

TExStringGrid::TAllColumns::~TAllColumns()
{
    if (FWidened > 0)
        FGrid->TBaseGrid::SetColCount(FGrid->ColCount() - FWidened);
}

// ---------------------------------------------------------------- hidden columns

bool TExStringGrid::IsHiddenColumn(Integer Colindex) const
{
    return IsHideableColumn(Colindex) && !FVisibleCol[std::size_t(Colindex)];
}

Integer TExStringGrid::DisplColIndex(Integer ACol) const
{
    if (FNumHidden == 0 || ACol < 0)
        return ACol;
    if (ACol >= HideableColumns)
        return ACol - FNumHidden;
    return ACol - Integer(std::count(FVisibleCol.begin(), FVisibleCol.begin() + ACol, false));
}

Integer TExStringGrid::RealColIndex(Integer ACol) const
{
    if (FNumHidden == 0 || ACol < 0)
        return ACol;
    Integer Shown = 0;
    for (Integer C = 0; C < HideableColumns; ++C) {
        if (!FVisibleCol[std::size_t(C)])
            continue;
        if (Shown == ACol)
            return C;
        ++Shown;
    }
    // Beyond the hideable columns every column is shown.
    return ACol + FNumHidden;
}

void TExStringGrid::HideColumns(Integer FromCol, Integer ToCol)
{
    HideInplaceEdit();
    for (Integer C = std::max(FromCol, 0); C <= std::min(ToCol, HideableColumns - 1); ++C) {
        if (!FVisibleCol[std::size_t(C)] || C >= ColCount() + FNumHidden || ColCount() < 2)
            continue;
        const Integer D = DisplColIndex(C);
        FAllColWidths[std::size_t(C)] = ColWidths(D);
        for (Integer I = D; I <= ColCount() - 2; ++I)
            SetColWidths(I, ColWidths(I + 1));
        ++FNumHidden;
        FVisibleCol[std::size_t(C)] = false;
        if (Col() == ColCount() - 1 && Col() > TBaseGrid::FixedCols())
            SetCol(Col() - 1);
        SetColCount(ColCount() - 1);
    }
    Invalidate();
}

void TExStringGrid::UnHideColumns(Integer FromCol, Integer ToCol)
{
    HideInplaceEdit();
    for (Integer C = std::max(FromCol, 0); C <= std::min(ToCol, HideableColumns - 1); ++C) {
        if (FVisibleCol[std::size_t(C)])
            continue;
        --FNumHidden;
        FVisibleCol[std::size_t(C)] = true;
        SetColCount(ColCount() + 1);
        const Integer D = DisplColIndex(C + 1);
        for (Integer I = ColCount() - 1; I >= std::max(D, 1); --I)
            SetColWidths(I, ColWidths(I - 1));
        SetColWidths(DisplColIndex(C), FAllColWidths[std::size_t(C)]);
    }
    Invalidate();
}

void TExStringGrid::UnHideColumnsAll()
{
    UnHideColumns(0, ColCount() + NumHiddenColumns());
}

// ---------------------------------------------------------------- row conversions

bool TExStringGrid::IsHiddenRow(Integer Rowindex) const
{
    return FGridItems->HasIdx(Rowindex);
}

bool TExStringGrid::IsHiddenRow(Integer Rowindex, TIntList*& ListHidden) const
{
    if (!ListHidden) {
        ListHidden = new TIntList(0, 0);
        for (int I = 0; I < FGridItems->Count(); ++I)
            ListHidden->Add(FGridItems->Items(I)->Idx());
    }
    return ListHidden->HasValue(Rowindex);
}

Integer TExStringGrid::RealRowIndex(Integer ARow) const
{
    if (NumHiddenRows() == 0)
        return ARow;
    return FGridItems->NthFreeRow(ARow);
}

Integer TExStringGrid::DisplRowIndex(Integer ARow) const
{
    return ARow - FGridItems->CountBelow(ARow);
}

// ---------------------------------------------------------------- moving whole rows

void TExStringGrid::PlaceSlotRow(Integer ARow, TStringGrid::TSlotRow Line)
{
    // A grid that never made cell properties has none to renumber; the walk
    // would only read every cell of the row.
    if (FHasCellProps)
        for (const auto& Slot : Line)
            if (auto* Props = dynamic_cast<TCellProperties*>(Slot.Object))
                Props->SetOwnerRow(ARow);
    PutSlotRow(ARow, std::move(Line));
}

TGridItem* TExStringGrid::SaveRowToItem(Integer ADisplRow, Integer AIdx, Integer ALevel, Integer AHeight, int AtIndex)
{
    auto* Item = static_cast<TGridItem*>(AtIndex < 0 ? FGridItems->Add() : FGridItems->Insert(AtIndex));
    Item->SetIdx(AIdx);
    Item->SetLevel(ALevel);
    Item->SetHeight(AHeight);
    // Into the item's own fresh list: no second list allocated per row.
    Item->RowStrings()->Row() = TakeSlotRow(ADisplRow);
    return Item;
}

void TExStringGrid::RestoreItemToRow(TGridItem* Item, Integer ADisplRow)
{
    PlaceSlotRow(ADisplRow, std::move(Item->RowStrings()->Row()));
    SetRowHeights(ADisplRow, Item->Height());
}

// ---------------------------------------------------------------- hiding rows by index

// The rows of the range still shown, with their display rows, taken before
// any new item changes the conversions.
std::vector<std::pair<Integer, Integer>> TExStringGrid::ShownRows(Integer FromRow, Integer ToRow) const
{
    std::vector<std::pair<Integer, Integer>> Shown;
    for (Integer R = FromRow; R <= ToRow; ++R)
        if (!IsHiddenRow(R))
            Shown.emplace_back(R, DisplRowIndex(R));
    return Shown;
}

namespace {

// By ascending row, the first item of each row only.
template <class TEntry, class TRowOf>
void SortFirstOfEachRow(std::vector<TEntry>& Items, TRowOf RowOf)
{
    // Rows hidden by list come in ascending order already.
    const auto ByRow = [&](const TEntry& A, const TEntry& B) { return RowOf(A) < RowOf(B); };
    if (!std::is_sorted(Items.begin(), Items.end(), ByRow))
        std::stable_sort(Items.begin(), Items.end(), ByRow);
    Items.erase(std::unique(Items.begin(), Items.end(),
                            [&](const TEntry& A, const TEntry& B) { return RowOf(A) == RowOf(B); }),
                Items.end());
}

// A hidden row's item with its place in the collection.
struct THiddenAt {
    TGridItem* Item;
    int At;
};

} // namespace

void TExStringGrid::HideRows(Integer FromRow, Integer ToRow)
{
    FromRow = std::max(FromRow, 0);
    ToRow = std::min(ToRow, AllRowCount() - 1);
    if (FromRow > ToRow)
        return;
    const auto Shown = ShownRows(FromRow, ToRow);
    if (Shown.empty())
        return;
    const Integer Below = FGridItems->CountBelow(FromRow);
    const Integer FirstDispl = FromRow - Below;
    TAllColumns Bracket(this);
    int At = Below;
    for (const auto& [Real, Displ] : Shown)
        SaveRowToItem(Displ, Real, 0, RowHeights(Displ), std::min(At++, FGridItems->Count()));
    const Integer Ctrl = FControlList->ControlIndex(1, FirstDispl);
    if (Ctrl >= 0)
        FControlList->Control(Ctrl)->Control()->SetVisible(false);
    DoRemoveRows(FirstDispl, Integer(Shown.size()), false);
    CellControlsUpdate(false);
}

// The height is kept, so that the row comes back as high as it was.
void TExStringGrid::HideRowsEx(Integer FromRow, Integer ToRow)
{
    FromRow = std::max(FromRow, 0);
    ToRow = std::min(ToRow, AllRowCount() - 1);
    if (FromRow > ToRow || IsHiddenRow(FromRow))
        return;
    const auto Shown = ShownRows(FromRow, ToRow);
    TAllColumns Bracket(this);
    for (const auto& [Real, Displ] : Shown)
        SaveRowToItem(Displ, Real, 0, RowHeights(Displ), -1);
    RemoveDisplayRows(Shown.front().second, Integer(Shown.size()));
    CellControlsUpdate(false);
}

void TExStringGrid::UnHideRow(Integer Rowindex)
{
    UnHideRows(Rowindex, Rowindex);
    for (Integer I = 0; I < FControlList->Count(); ++I)
        if (FControlList->Control(I)->Y() == Rowindex)
            FControlList->Control(I)->Control()->SetVisible(true);
    CellControlsUpdate(false);
}

void TExStringGrid::UnHideRows(Integer FromRow, Integer ToRow)
{
    if (!IsHiddenRow(FromRow))
        return;
    TAllColumns Bracket(this);
    const bool Marking = FShowModified->Enabled();
    FShowModified->SetEnabled(false);
    // The first item of each hidden row of the range, by ascending row.
    std::vector<TGridItem*> Items;
    for (int I = 0; I < FGridItems->Count(); ++I) {
        TGridItem* Item = FGridItems->Items(I);
        if (Item->Idx() >= FromRow && Item->Idx() <= ToRow)
            Items.push_back(Item);
    }
    SortFirstOfEachRow(Items, [](TGridItem* Item) { return Item->Idx(); });
    // Each block of consecutive rows comes back with one insertion.
    for (std::size_t First = 0; First < Items.size();) {
        std::size_t Last = First + 1;
        while (Last < Items.size() && Items[Last]->Idx() == Items[Last - 1]->Idx() + 1)
            ++Last;
        const Integer At = DisplRowIndex(Items[First]->Idx());
        DoInsertRows(At, Integer(Last - First), false);
        for (std::size_t I = First; I < Last; ++I) {
            RestoreItemToRow(Items[I], At + Integer(I - First));
            delete Items[I];
        }
        First = Last;
    }
    const Integer FromDispl = DisplRowIndex(FromRow);
    const Integer Ctrl = FControlList->ControlIndex(1, FromDispl);
    if (Ctrl >= 0) {
        TControl* Control = FControlList->Control(Ctrl)->Control();
        const TRect R = CellRect(1, FromDispl);
        Control->SetBounds(R.Left, R.Top, R.Width(), R.Height() - 1);
        Control->SetVisible(true);
    }
    FShowModified->SetEnabled(Marking);
    CellControlsUpdate(false);
}

void TExStringGrid::UnHideRowsAll()
{
    while (FGridItems->Count() > 0) {
        const Integer Before = FGridItems->Count();
        Integer From = FGridItems->Items(0)->Idx();
        Integer To = From;
        for (int I = 1; I < Before && FGridItems->Items(I)->Idx() == To + 1; ++I)
            ++To;
        UnHideRows(From, To);
        if (FGridItems->Count() == Before)
            break;
    }
}

// ---------------------------------------------------------------- hiding rows by list

void TExStringGrid::HideRowList(TIntList* RowList)
{
    // Display rows that exist, ascending, each once.
    std::vector<Integer> Rows;
    for (Integer I = 0; I < RowList->Count(); ++I) {
        const Integer R = RowList->Items(I);
        if (R >= 0 && R < RowCount() && (Rows.empty() || R > Rows.back()))
            Rows.push_back(R);
    }
    const std::vector<Integer> Heights = RowHeightList();
    TAllColumns Bracket(this);
    FGridItems->BeginUpdate();
    for (const Integer R : Rows)
        SaveRowToItem(R, R, FFilterLevel, Heights[std::size_t(R)], -1);
    FGridItems->EndUpdate();
    ++FFilterLevel;
    std::vector<Integer> Kept;
    Kept.reserve(Heights.size());
    auto Next = Rows.begin();
    for (Integer R = 0; R < RowCount(); ++R) {
        if (Next != Rows.end() && *Next == R) {
            ++Next;
            continue;
        }
        const Integer To = Integer(Kept.size());
        if (To != R)
            PlaceSlotRow(To, TakeSlotRow(R));
        Kept.push_back(Heights[std::size_t(R)]);
    }
    SetRowCount(RowCount() - Integer(Rows.size()));
    SetRowHeightList(Kept);
    CellControlsUpdate(false);
}

// At level 0 nothing is hidden by list, so nothing happens; only the items that find their place come back and are
// freed, and the row count grows by exactly those.
void TExStringGrid::UnHideRowList()
{
    if (FFilterLevel <= 0)
        return;
    const Integer Level = FFilterLevel - 1;
    std::vector<THiddenAt> Items;
    for (int I = 0; I < FGridItems->Count(); ++I)
        if (FGridItems->Items(I)->Level() == Level)
            Items.push_back({FGridItems->Items(I), I});
    SortFirstOfEachRow(Items, [](const THiddenAt& H) { return H.Item->Idx(); });
    const Integer OldCount = RowCount();
    // Items fit while their row lies inside the grown grid.
    std::size_t Placed = 0;
    while (Placed < Items.size() && Items[Placed].Item->Idx() >= 0 &&
           Items[Placed].Item->Idx() - Integer(Placed) <= OldCount)
        ++Placed;
    Items.resize(Placed);
    if (Items.empty())
        return;
    TAllColumns Bracket(this);
    if (Row() >= RowCount())
        FocusCell(TBaseGrid::FixedCols(), TBaseGrid::FixedRows());
    const std::vector<Integer> OldHeights = RowHeightList();
    SetRowCount(OldCount + Integer(Items.size()));
    std::vector<Integer> Heights(std::size_t(RowCount()), DefaultRowHeight());
    Integer Source = OldCount - 1;
    auto Next = Items.rbegin();
    for (Integer Target = RowCount() - 1; Target >= 0; --Target) {
        if (Next != Items.rend() && Next->Item->Idx() == Target) {
            PlaceSlotRow(Target, std::move(Next->Item->RowStrings()->Row()));
            Heights[std::size_t(Target)] = Next->Item->Height();
            ++Next;
        } else if (Source >= 0) {
            if (Source < Target)
                PlaceSlotRow(Target, TakeSlotRow(Source));
            Heights[std::size_t(Target)] = OldHeights[std::size_t(Source)];
            --Source;
        }
    }
    SetRowHeightList(Heights);
    // Freed by descending place, so the places still to come stay valid; the
    // items hidden last stand at the collection's end, where it finds them at once.
    std::vector<int> Freed;
    Freed.reserve(Items.size());
    for (const THiddenAt& H : Items)
        Freed.push_back(H.At);
    if (!std::is_sorted(Freed.begin(), Freed.end()))
        std::sort(Freed.begin(), Freed.end());
    FGridItems->BeginUpdate();
    for (auto At = Freed.rbegin(); At != Freed.rend(); ++At)
        delete FGridItems->Items(*At);
    FGridItems->EndUpdate();
    CellControlsUpdate(false);
}
