// The column order recorded before columns move, the fixed-cell editors and
// the two handlers the grid hands to editors.
#include "grid/control/ExGrid.h"
#include "grid/control/ExGrid_Editors.h"

#include <utility>

// ---------------------------------------------------------------- column order

void TExStringGrid::SetColumnOrder()
{
    FColumnOrder->Clear();
    for (Integer C = 0; C < ColCount(); ++C)
        FColumnOrder->Add(C);
}

Integer TExStringGrid::ColumnPosition(Integer ACol)
{
    if (FColumnOrder->Count() == 0)
        return ACol;
    Integer Position = ACol;
    for (Integer P = 0; P < FColumnOrder->Count(); ++P)
        if (FColumnOrder->Items(P) == ACol) {
            Position = P;
            break;
        }
    if (FGroupColumn != -1 && ACol >= FGroupColumn)
        --Position;
    return Position;
}

Integer TExStringGrid::ColumnAtPosition(Integer ACol)
{
    if (FColumnOrder->Count() == 0)
        SetColumnOrder();
    if (FColumnOrder->Count() == 0)
        return ACol;
    Integer Index = FColumnOrder->Items(ACol);
    if (FGroupColumn != -1 && Index >= FGroupColumn)
        ++Index;
    return Index;
}

void TExStringGrid::ResetColumnOrder()
{
    UnHideColumnsAll();
    if (FColumnOrder->Count() == 0) {
        SetColumnOrder();
        return;
    }
    // Each move puts a column at its recorded place further left, so a
    // valid order is back after as many passes as there are columns; the
    // bound keeps a damaged order from looping.
    for (Integer Pass = 0; Pass <= ColCount(); ++Pass) {
        bool Moved = false;
        for (Integer I = 0; I < ColCount() && I < FColumnOrder->Count(); ++I) {
            const Integer Entry = FColumnOrder->Items(I);
            if (Entry < I && Entry >= 0) {
                MoveColumn(I, Entry);
                Moved = true;
            }
        }
        if (!Moved)
            return;
    }
}

Integer TExStringGrid::ColumnByHeader(const String& AValue)
{
    for (Integer C = 0; C < AllColCount(); ++C)
        if (AllCells(C, 0) == AValue)
            return C;
    return -1;
}

// ---------------------------------------------------------------- editor handlers

void TExStringGrid::EditLinkWndProc(TMessage& Message)
{
    if (FEditLinkWndProc)
        FEditLinkWndProc(Message);
    if (Message.Msg == WM_GETDLGCODE && Options().Contains(goTabs))
        Message.Result |= DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS;
}

void TExStringGrid::UnitChanged(TObject*, const String& NewUnit)
{
    if (OnUnitChanged)
        OnUnitChanged(this, Col(), Row(), NewUnit);
}

// ---------------------------------------------------------------- fixed-cell editors

template <class TBase>
TFixedCellEditor<TBase>::TFixedCellEditor(TComponent* AOwner)
    : TBase(AOwner), FGrid(dynamic_cast<TExStringGrid*>(AOwner))
{
    TBase::SetVisible(false);
}

// Without a grid the editor just hides. Refused: the grid's current cell
// becomes the edited one and the editor keeps the focus. Accepted: the
// value as the validation left it goes into the cell and the editor hides.
template <class TBase>
bool TFixedCellEditor<TBase>::StopEdit()
{
    if (!FGrid) {
        TBase::SetVisible(false);
        return true;
    }
    const bool Stopping = std::exchange(FStopping, true);
    struct TRestore {
        bool& Flag;
        bool Value;
        ~TRestore() { Flag = Value; }
    } Restore{FStopping, Stopping};
    String Text = TBase::Text();
    bool Valid = true;
    if (FGrid->OnCellValidate)
        FGrid->OnCellValidate(FGrid, FCol, FRow, Text, Valid);
    if (!Valid) {
        FGrid->SetCol(FGrid->DisplColIndex(FCol));
        FGrid->SetRow(FRow);
        if (TBase::CanFocus())
            TBase::SetFocus();
        return false;
    }
    if (FGrid->OnEditingDone)
        FGrid->OnEditingDone(FGrid);
    FGrid->SetCells(FCol, FRow, Text);
    TBase::SetVisible(false);
    return true;
}

template class TFixedCellEditor<TEdit>;
template class TFixedCellEditor<TComboBox>;

TGridTransEdit::TGridTransEdit(TComponent* AOwner) : TFixedCellEditor(AOwner)
{
    SetBorderStyle(bsNone);
}
