// Undo and redo of cell texts.
#include "grid/base/BaseGrid.h"

TExGridUndoRedo::TExGridUndoRedo(TComponent* AOwner)
    : TComponent(AOwner), FItems(std::make_unique<TUndoRedoCollection>())
{
}

TExGridUndoRedo::~TExGridUndoRedo() = default;

void TExGridUndoRedo::SetGrid(TBaseGrid* Value)
{
    // A grid that still points here keeps hearing when this goes.
    FGrid = Value;
    if (Value)
        Value->FreeNotification(this);
}

void TExGridUndoRedo::Notification(TComponent* AComponent, TOperation Operation)
{
    if (Operation == opRemove && AComponent == FGrid)
        FGrid = nullptr;
    TComponent::Notification(AComponent, Operation);
}

void TExGridUndoRedo::RegisterChange(Integer ACol, Integer ARow, const String& OldValue, const String& NewValue)
{
    if (FMaxLevel > 0 && FItems->Count() >= FMaxLevel)
        delete FItems->Items(0);
    TUndoRedoItem* E = FItems->Add();
    E->SetCol(ACol);
    E->SetRow(ARow);
    E->SetValue(NewValue);
    E->SetOrigValue(OldValue);
    FLevel = FItems->Count();
}

TUndoRedoItem* TExGridUndoRedo::AddMarker(bool Start)
{
    TUndoRedoItem* E = FItems->Add();
    E->SetCol(-1);
    E->SetRow(-1);
    E->SetSequenceStart(Start);
    E->SetSequenceStop(!Start);
    FLevel = FItems->Count();
    return E;
}

void TExGridUndoRedo::StartSequence()
{
    AddMarker(true);
}

void TExGridUndoRedo::StopSequence()
{
    AddMarker(false);
}

void TExGridUndoRedo::Apply(const TUndoRedoItem* E, bool Undoing)
{
    // A marker, or a cell whose row or column has gone since, is stepped
    // over: writing it would raise and leave the list stuck at this entry.
    const Integer C = E->Col();
    const Integer R = E->Row();
    if (IsMarker(E) || C < 0 || R < 0 || C >= FGrid->TotalColCount() || R >= FGrid->RowCount())
        return;
    const String& NewValue = Undoing ? E->OrigValue() : E->Value();
    const TExGridUndoRedoEvent& Event = Undoing ? OnUndo : OnRedo;
    if (Event)
        Event(this, FGrid, C, R, FGrid->Cells(C, R), NewValue);
    FGrid->SetCells(C, R, NewValue);
    FGrid->SetCol(FGrid->DisplColIndex(C));
    FGrid->SetRow(R);
}

void TExGridUndoRedo::Undo()
{
    if (!FGrid || FLevel <= 0 || FLevel > FItems->Count())
        return;
    if (Entry(FLevel - 1)->SequenceStop()) {
        --FLevel;
        while (FLevel > 0 && !Entry(FLevel - 1)->SequenceStart()) {
            Apply(Entry(FLevel - 1), true);
            --FLevel;
        }
        if (FLevel > 0)
            --FLevel;
        FGrid->Invalidate();
        return;
    }
    const TUndoRedoItem* E = Entry(FLevel - 1);
    Apply(E, true);
    FGrid->RepaintCell(FGrid->Col(), E->Row());
    --FLevel;
}

void TExGridUndoRedo::Redo()
{
    if (!FGrid || FLevel >= FItems->Count())
        return;
    ++FLevel;
    const TUndoRedoItem* E = Entry(FLevel - 1);
    if (!E->SequenceStart()) {
        Apply(E, false);
        return;
    }
    ++FLevel;
    while (FLevel < FItems->Count() && !Entry(FLevel - 1)->SequenceStop()) {
        Apply(Entry(FLevel - 1), false);
        ++FLevel;
    }
    FGrid->Invalidate();
}

void TExGridUndoRedo::Reset()
{
    while (FItems->Count() > 0)
        delete FItems->Items(0);
    FLevel = 0;
}
