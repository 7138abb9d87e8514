// The column grid: creation, the item count, headers, moved columns, the
// column operations and the column pop-up menus.
#include "grid/control/ExCGrid.h"

#include "grid/control/ExGrid_Editors.h"

#include <algorithm>

TExColumnGrid::TExColumnGrid(TComponent* AOwner) : TExStringGrid(AOwner)
{
    FColumnCollection.reset(CreateColumns());
    {
        TNoRecursiveUpdate Guard(Columns());
        SyncColumnItems();
    }
    FColMoving = false;
    FCellGraphic = std::make_unique<TCellGraphic>();
    FSaveCol = std::make_unique<TGridColumnItem>(nullptr);
}

TExColumnGrid::~TExColumnGrid() = default;

TGridColumnCollection* TExColumnGrid::CreateColumns()
{
    return new TGridColumnCollection(this);
}

void TExColumnGrid::SetColCount(Integer Value)
{
    TExStringGrid::SetColCount(Value);
    TNoRecursiveUpdate Guard(Columns());
    SyncColumnItems();
}

void TExColumnGrid::SetColumns(TGridColumnCollection* Value)
{
    Columns()->Assign(Value);
}

void TExColumnGrid::SyncColumnItems()
{
    const Integer Wanted = ColCount() + NumHiddenColumns();
    while (Columns()->Count() < Wanted)
        Columns()->Add();
    while (Columns()->Count() > Wanted)
        delete Columns()->Items(Columns()->Count() - 1);
}

void TExColumnGrid::Loaded()
{
    TExStringGrid::Loaded();
    SyncColumnItems();
    Columns()->SetOrganization();
}

void TExColumnGrid::Notification(TComponent* AComponent, TOperation Operation)
{
    TExStringGrid::Notification(AComponent, Operation);
    if (Operation != opRemove || !FColumnCollection)
        return;
    auto Drop = [AComponent](TGridColumnItem* Item) {
        if (Item->FEditLink == AComponent)
            Item->FEditLink = nullptr;
        if (Item->FColumnPopup == AComponent)
            Item->FColumnPopup = nullptr;
    };
    for (int I = 0; I < Columns()->Count(); ++I)
        Drop(Columns()->Items(I));
    if (FSaveCol)
        Drop(FSaveCol.get());
}

void TExColumnGrid::ChangeScale(Integer M, Integer D)
{
    if (IsDesigning() || M == D)
        return;
    for (int I = 0; I < ColCount() && I < Columns()->Count(); ++I) {
        TGridColumnItem* Item = Columns()->Items(I);
        Item->Font()->SetSize(MulDiv(Item->Font()->Size(), M, D));
        Item->HeaderFont()->SetSize(MulDiv(Item->HeaderFont()->Size(), M, D));
    }
}

TGridColumnItem* TExColumnGrid::GetColumnByName(const String& AValue) const
{
    for (int I = 0; I < Columns()->Count(); ++I)
        if (Columns()->Items(I)->Name() == AValue)
            return Columns()->Items(I);
    return nullptr;
}

TGridColumnItem* TExColumnGrid::ColumnOf(Integer ACol) const
{
    if (!FColumnCollection || ACol < 0 || ACol >= Columns()->Count())
        return nullptr;
    return Columns()->Items(ACol);
}

Integer TExColumnGrid::GetVersionNr() const
{
    return 0x03010301;
}

String TExColumnGrid::GetVersionString() const
{
    return GetVersion() + QStringLiteral(" Aug, 2012");
}

// ---------------------------------------------------------------- headers

void TExColumnGrid::UpdateColumnHeaders()
{
    if (FixedRows() <= 0)
        return;
    TStringList* Headers = ColumnHeaders();
    Headers->BeginUpdate();
    Headers->Clear();
    for (int I = 0; I < Columns()->Count(); ++I) {
        TGridColumnItem* Item = Columns()->Items(I);
        if (Item->Header().isEmpty() && !Cells(I, 0).isEmpty())
            Item->StoreHeader(Cells(I, 0));
        Headers->Add(Item->Header());
    }
    Headers->EndUpdate();
}

void TExColumnGrid::ColumnHeadersChanged()
{
    const int Lines = std::min(Columns()->Count(), ColumnHeaders()->Count());
    for (int I = 0; I < Lines; ++I)
        Columns()->Items(I)->StoreHeader(ColumnHeaders()->Strings(I));
}

void TExColumnGrid::CellsChanged()
{
    TExStringGrid::CellsChanged();
    TNoRecursiveUpdate Guard(Columns());
    SyncColumnItems();
}

// ---------------------------------------------------------------- widths and moves

void TExColumnGrid::ColWidthsChanged()
{
    TExStringGrid::ColWidthsChanged();
    if (IsLoading() || IsDestroying() || !FColumnCollection)
        return;
    for (Integer C = 0; C < ColCount(); ++C)
        if (TGridColumnItem* Item = ColumnOf(RealColIndex(C)))
            Item->FWidth = ColWidths(C);
}

// The item itself travels with its column, so every setting (and any
// pointer to it) goes along.
void TExColumnGrid::ColumnMoved(Integer FromIndex, Integer ToIndex)
{
    const Integer RF = RealColIndex(FromIndex);
    const Integer RT = RealColIndex(ToIndex);
    {
        TNoRecursiveUpdate Guard(Columns());
        const Integer Top = TopRow();
        TExStringGrid::ColumnMoved(FromIndex, ToIndex);
        BeginUpdate();
        FColMoving = true;
        if (TGridColumnItem* Item = ColumnOf(RF); Item && RT < Columns()->Count())
            Item->SetIndex(RT);
        SetTopRow(Top);
        FColMoving = false;
        EndUpdate();
    }
    // A stale ColumnHeaders would put the old order back on its next change.
    UpdateColumnHeaders();
    if (OnAfterColumnMoved)
        OnAfterColumnMoved(this, RF, RT);
}

// ---------------------------------------------------------------- column operations

void TExColumnGrid::InsertCols(Integer ColIndex, Integer CCount)
{
    TExStringGrid::InsertCols(ColIndex, CCount);
    if (CCount <= 0)
        return;
    TNoRecursiveUpdate Guard(Columns());
    const int At = std::clamp(ColIndex, 0, Columns()->Count());
    for (Integer I = 0; I < CCount; ++I)
        Columns()->Insert(At);
}

// The items go with their columns; the count then follows the grid once.
void TExColumnGrid::RemoveCols(Integer ColIndex, Integer CCount)
{
    const bool Removes = ColIndex >= 0 && ColIndex < AllColCount() && CCount > 0;
    TExStringGrid::RemoveCols(ColIndex, CCount);
    if (!Removes)
        return;
    {
        TNoRecursiveUpdate Guard(Columns());
        const int Items = std::min(CCount, Columns()->Count() - ColIndex);
        for (int I = 0; I < Items; ++I)
            delete Columns()->Items(ColIndex);
        SyncColumnItems();
    }
    Columns()->Update(nullptr);
}

void TExColumnGrid::Group(Integer ColIndex)
{
    FSaveCol->Assign(Columns()->Items(ColIndex));
    TExStringGrid::Group(ColIndex);
}

void TExColumnGrid::UnGroup()
{
    const Integer Grouped = GroupColumn();
    TExStringGrid::UnGroup();
    if (Grouped != -1)
        Columns()->SetItems(Grouped, FSaveCol.get());
}

// ---------------------------------------------------------------- column pop-up menus

void TExColumnGrid::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TExStringGrid::MouseDown(Button, Shift, X, Y);
    Integer ACol = -1;
    Integer ARow = -1;
    MouseToCell(X, Y, ACol, ARow);
    if (ACol < 0 || ARow < 0)
        return;
    ColumnPopupClick(Button, ACol, ARow);
}

namespace {

struct TPopupClicks {
    TColumnPopupType Fixed;
    TColumnPopupType Normal;
    TColumnPopupType All;
};

} // namespace

// The item of the clicked column's real index, also with hidden columns.
void TExColumnGrid::ColumnPopupClick(TMouseButton Button, Integer ACol, Integer ARow)
{
    TGridColumnItem* Item = ColumnOf(RealColIndex(ACol));
    if (!Item || !Item->ColumnPopup() || (Button != mbLeft && Button != mbRight))
        return;
    const TPopupClicks Clicks = Button == mbLeft
                                    ? TPopupClicks{cpFixedCellsLClick, cpNormalCellsLClick, cpAllCellsLClick}
                                    : TPopupClicks{cpFixedCellsRClick, cpNormalCellsRClick, cpAllCellsRClick};
    const TColumnPopupType Type = Item->ColumnPopupType();
    if (Type != Clicks.Fixed && Type != Clicks.Normal && Type != Clicks.All)
        return;
    if (OnColumnPopup)
        OnColumnPopup(this, ACol, ARow, Item->ColumnPopup());
    // The handler may have taken the menu away.
    TPopupMenu* Menu = Item->ColumnPopup();
    if (!Menu)
        return;
    const TColumnPopupType Place = ARow < FixedRows() ? Clicks.Fixed : Clicks.Normal;
    if (Type != Place && Type != Clicks.All)
        return;
    const TRect R = CellRect(ACol, ARow);
    const TPoint P = ClientToScreen(TPoint(R.Left, R.Bottom));
    Menu->Popup(P.X, P.Y);
}
