// The string grid: what follows a moved column or row besides its cells,
// and the grid following its owner form's size.
//
// The runtime grid moves the widths (heights) and the current cell itself
// before it calls ColumnMoved (RowMoved), on the grid's own moves as on its
// own drags; so the notifications here never move them again.
#include "grid/control/ExGrid.h"

#include "rtl/Forms.h"

namespace {

// Moves the entry From of a table by real column to To; tables that do not
// reach both are left alone.
template <class TTable>
void MoveTableEntry(TTable& Table, Integer From, Integer To)
{
    const Integer Size = Integer(Table.size());
    if (From >= Size || To >= Size || From == To)
        return;
    const auto B = Table.begin();
    if (From < To)
        std::rotate(B + From, B + From + 1, B + To + 1);
    else
        std::rotate(B + To, B + From, B + From + 1);
}

// Sets the partner's flag for the length of its move, so it does not move
// this grid back.
class TSyncedMoveGuard {
public:
    explicit TSyncedMoveGuard(bool& Flag) : FFlag(Flag) { FFlag = true; }
    ~TSyncedMoveGuard() { FFlag = false; }
    TSyncedMoveGuard(const TSyncedMoveGuard&) = delete;
    TSyncedMoveGuard& operator=(const TSyncedMoveGuard&) = delete;

private:
    bool& FFlag;
};

TCustomForm* OwnerForm(const TComponent* Grid)
{
    return dynamic_cast<TCustomForm*>(Grid->Owner());
}

} // namespace

// ---------------------------------------------------------------- moved columns and rows

void TExStringGrid::ColumnMoved(Integer FromIndex, Integer ToIndex)
{
    const Integer RF = RealColIndex(FromIndex);
    const Integer RT = RealColIndex(ToIndex);
    if (RF < FColumnOrder->Count() && RT < FColumnOrder->Count())
        FColumnOrder->Move(RF, RT);
    // A hidden column's flag and stored width travel with it on every path:
    // the cells below move by real column.
    if (FNumHidden > 0) {
        MoveTableEntry(FVisibleCol, RF, RT);
        MoveTableEntry(FAllColWidths, RF, RT);
    }
    if (FEnhRowColMove)
        ColMoveFlg = true;
    // Without hidden columns the real indexes are the displayed ones.
    TBaseGrid::ColumnMoved(RF, RT);
    for (Integer I = 0; I < FGridItems->Count(); ++I) {
        TStringGrid::TSlotRow& Line = FGridItems->Items(I)->RowStrings()->Row();
        if (Integer(Line.size()) <= std::min(RF, RT))
            continue;
        if (Integer(Line.size()) <= std::max(RF, RT))
            Line.resize(std::max(RF, RT) + 1);
        MoveTableEntry(Line, RF, RT);
    }
    FSortSettings->SetColumn(MovedIndex(FSortSettings->Column(), RF, RT));
    if (FSortSettings->IndexShow())
        for (Integer I = 0; I < FSortIndexes->Count(); ++I)
            FSortIndexes->SetSortColumns(I, MovedIndex(FSortIndexes->GetSortColumns(I), RF, RT));
    if (FFloatingFooter->Visible())
        FFooterPanel->Invalidate();
    auto* Partner = dynamic_cast<TExStringGrid*>(FSyncGrid->Grid());
    if (Partner && FSyncGrid->MoveColumn() && !FSyncedMove) {
        TSyncedMoveGuard Guard(Partner->FSyncedMove);
        Partner->MoveColumn(FromIndex, ToIndex);
    }
}

bool TExStringGrid::IsFooterRowTarget(Integer ARow) const
{
    return FFloatingFooter->Visible() && FFloatingFooter->FooterStyle() == fsFixedLastRow &&
           ARow == RowCount() - 1;
}

void TExStringGrid::RowMoved(Integer FromIndex, Integer ToIndex)
{
    if (IsFooterRowTarget(ToIndex))
        return;
    {
        // The event comes once, after all of this notification's work.
        TMovedEvent Handler = std::move(OnRowMoved);
        OnRowMoved = nullptr;
        try {
            TBaseGrid::RowMoved(FromIndex, ToIndex);
        } catch (...) {
            OnRowMoved = std::move(Handler);
            throw;
        }
        OnRowMoved = std::move(Handler);
    }
    if (FEnhRowColMove)
        ColMoveFlg = true;
    if (OnRowMoved)
        OnRowMoved(this, FromIndex, ToIndex);
    auto* Partner = dynamic_cast<TExStringGrid*>(FSyncGrid->Grid());
    if (Partner && FSyncGrid->MoveRow() && !FSyncedMove) {
        TSyncedMoveGuard Guard(Partner->FSyncedMove);
        Partner->MoveRow(FromIndex, ToIndex);
    }
}

// ---------------------------------------------------------------- sizing with the owner form

// What the form's resize handler calls: the grid while it lives, its former
// handler once it is gone (a grid created later on the same form keeps this
// link as its own former handler).
struct TFormResizeLink {
    TExStringGrid* Grid = nullptr;
    TNotifyEvent Former;

    void Call(TObject* Sender) const
    {
        if (Grid)
            Grid->OwnerFormResize(Sender);
        else if (Former)
            Former(Sender);
    }
};

namespace {

struct TFormResizeRelay {
    std::shared_ptr<TFormResizeLink> Link;

    void operator()(TObject* Sender) const { Link->Call(Sender); }
};

} // namespace

void TExStringGrid::TakeOverFormResize()
{
    TCustomForm* Form = OwnerForm(this);
    if (!Form || IsDesigning())
        return;
    FOnResize = Form->OnResize;
    ResizeAssigned = bool(FOnResize);
    PrevSizeX = Form->Width();
    PrevSizeY = Form->Height();
    FResizeLink = std::make_shared<TFormResizeLink>(TFormResizeLink{this, FOnResize});
    Form->OnResize = TFormResizeRelay{FResizeLink};
}

void TExStringGrid::GiveBackFormResize()
{
    if (!FResizeLink)
        return;
    FResizeLink->Grid = nullptr;
    TCustomForm* Form = OwnerForm(this);
    if (!Form || Form->ComponentState().Contains(csDestroying))
        return;
    // Only while the form still calls this grid first; otherwise the link
    // passes the call on.
    const auto* Relay = Form->OnResize.target<TFormResizeRelay>();
    if (Relay && Relay->Link == FResizeLink)
        Form->OnResize = FOnResize;
}

void TExStringGrid::OwnerFormResize(TObject* Sender)
{
    if (IsDesigning() || FDestroying || ComponentState().Contains(csDestroying))
        return;
    if (auto* Form = dynamic_cast<TCustomForm*>(Sender); Form && FSizeWithForm) {
        // The grid keeps its distance to the form's right and bottom edges.
        const Integer W = Form->Width() + Width() - PrevSizeX;
        const Integer H = Form->Height() + Height() - PrevSizeY;
        if (W > 0 && H > 0) {
            SetBounds(Left(), Top(), W, H);
            PrevSizeX = Form->Width();
            PrevSizeY = Form->Height();
        }
    }
    if (ResizeAssigned && FOnResize) {
        try {
            FOnResize(Sender);
        } catch (...) {
            // The form's own handler may not break the grid's sizing.
        }
    }
    StretchColumn(FColumnSize->StretchColumn());
}
