// The string grid: the left button release. It ends whatever the press
// started, raises the mouse-up events of check boxes and radio groups and
// turns a click on the header's sort row into a sort.
#include "grid/control/ExGrid.h"

#include "grid/control/ExGrid_Settings.h"
#include "rtl/Forms.h"

#include <algorithm>

class TLeftRelease {
public:
    TLeftRelease(TExStringGrid& AGrid, TWMMouse& AMessage)
        : G(AGrid), Message(AMessage), X(AMessage.XPos), Y(AMessage.YPos),
          Keys(KeysToShiftState(AMessage.Keys))
    {
    }

    void Run();

private:
    void ResetState();
    void EndFixedSizing();
    // Answers true when the release was on a cell's button.
    bool EndPushedButton();
    bool OnCellButton() const;
    void FixedClick();
    // Answers true when the release ends there.
    bool EndSelectionClick();
    void EndDisjunctRows();
    void SelectNodeGroup();
    void EndDisjunctCols();
    void EndOwnMove();
    void EndFillHandle();
    void ControlMouseUp();
    bool IsSortClick();
    void Sort();
    void SortByIndex();
    void SortSingle();
    bool Valid() const { return ACol >= 0 && ARow >= 0; }
    bool InFixedRows(Integer R) const { return R >= 0 && R < G.TBaseGrid::FixedRows(); }
    bool InFixedCols(Integer C) const { return C >= 0 && C < G.TBaseGrid::FixedCols(); }

    TExStringGrid& G;
    TWMMouse& Message;
    Integer X;
    Integer Y;
    TShiftState Keys;
    Integer ACol = -1;
    Integer ARow = -1;
    Integer RealCol = -1;
    bool Deselected = false;
    bool Moved = false;
};

void TLeftRelease::Run()
{
    ResetState();
    EndFixedSizing();
    if (G.FFixedCellPushed) {
        G.FFixedCellPushed = false;
        G.InvalidateClientRect(G.FPushedFixedCell);
    }
    G.MouseToCell(X, Y, ACol, ARow);
    EndPushedButton();
    if (G.FScrollHintShow && (G.IsDesigning() || G.FHintShowSizing)) {
        if (G.FScrollHintWnd)
            G.FScrollHintWnd->ReleaseHandle();
        G.FScrollHintShow = false;
    }
    if (OnCellButton())
        return;
    FixedClick();
    if (G.FGridState == gsSelecting) {
        G.FGridState = gsNormal;
        G.Click();
    }
    if (EndSelectionClick())
        return;
    EndDisjunctRows();
    SelectNodeGroup();
    EndDisjunctCols();
    EndOwnMove();
    G.TBaseGrid::WMLButtonUp(Message);
    if (Deselected)
        G.FSelChange = false;
    if (G.FGridState == gsSelecting)
        G.FGridState = gsNormal;
    EndFillHandle();
    if (G.ColMoveFlg || G.ColSizeFlg || !Valid())
        return;
    if (InFixedCols(ACol) && !G.FSortSettings->FixedCols())
        return;
    RealCol = G.RealColIndex(ACol);
    ControlMouseUp();
    if (G.FDblClk) {
        G.FDblClk = false;
        return;
    }
    if (!IsSortClick())
        return;
    bool DoSort = !G.FIgnoreColumns->HasValue(RealCol);
    if (G.OnCanSort)
        G.OnCanSort(&G, RealCol, DoSort);
    if (DoSort)
        Sort();
    else
        G.RepaintCell(G.DisplColIndex(RealCol), G.FSortSettings->Row());
}

void TLeftRelease::ResetState()
{
    // Set again by the base release when it sizes or moves a column.
    G.ColMoveFlg = G.ColSizeFlg = false;
    G.FMouseDown = G.FMouseKeepDown = false;
    G.FMouseSelectMode = msNormal;
    if (G.FCtrlDown) {
        G.FCtrlDown = false;
        G.RepaintCell(G.DisplColIndex(G.FCtrlXY.X), G.FCtrlXY.Y);
    }
    G.FMouseDownMove = false;
    if (G.FLook == glListView) {
        G.InvalidateRow(0);
        if (G.TBaseGrid::FixedCols() > 0)
            G.InvalidateCol(0);
    }
    G.FMouseSelectStart = -1;
    if (!G.IsDesigning())
        for (TArrowWindow* Arrow : {G.ArwU, G.ArwD, G.ArwL, G.ArwR})
            if (Arrow)
                Arrow->Hide();
}

// The dragged border of a fixed column or row; never below 0.
void TLeftRelease::EndFixedSizing()
{
    if (G.FSizingFixed) {
        G.FSizeFixed = G.FSizingFixed = false;
        G.DrawColumnMoveLine(G.FSizeFixedX);
        const Integer C = G.FSizingFixedCol;
        if (C >= 0 && C < G.ColCount()) {
            Integer Before = 0;
            for (Integer I = 0; I < C; ++I)
                Before += G.ColWidths(I);
            Integer W = std::max<Integer>(X - Before, 0);
            G.SetColWidths(C, W);
            if (G.OnEndColumnSize)
                G.OnEndColumnSize(&G, C);
            if (G.OnUpdateColumnSize) {
                const Integer Set = W;
                G.OnUpdateColumnSize(&G, C, W);
                if (W != Set)
                    G.SetColWidths(C, std::max<Integer>(W, 0));
            }
        }
    }
    if (G.FSizingFixedR) {
        G.FSizeFixedR = G.FSizingFixedR = false;
        G.DrawRowMoveLine(G.FSizeFixedY);
        const Integer R = G.FSizingFixedRow;
        if (R >= 0 && R < G.RowCount()) {
            Integer Before = 0;
            for (Integer I = 0; I < R; ++I)
                Before += G.RowHeights(I);
            G.SetRowHeights(R, std::max<Integer>(Y - Before, 0));
            if (G.OnEndRowSize)
                G.OnEndRowSize(&G, R);
        }
    }
}

bool TLeftRelease::EndPushedButton()
{
    const TPoint P = G.FPushedCellButton;
    if (P.X < 0 || P.Y < 0)
        return false;
    const bool PushedFixed = InFixedCols(P.X) || InFixedRows(P.Y);
    const bool NoDisabledLook = G.FControlLook->NoDisabledButtonLook();
    bool Enabled = G.Options().Contains(goEditing);
    if (Valid() && !NoDisabledLook)
        Enabled = G.IsCellEditable(G.RealColIndex(ACol), ARow);
    if (Enabled || NoDisabledLook || PushedFixed) {
        if (!G.IsNode(P.Y))
            G.PushButton(P.X, P.Y, false);
        if (Valid()) {
            const TPoint B = G.BaseCell(ACol, ARow);
            const TPoint Pt(X, Y);
            const bool OnButton = PtInRect(G.GetButtonRect(B.X, B.Y), Pt);
            if (OnButton || (G.FFixedAsButtons && InFixedCols(P.X)) || InFixedRows(P.Y))
                G.DoButtonClick(P.X, P.Y);
            if (G.HasExpand(G.RealColIndex(B.X), B.Y) && PtInRect(G.GetExpandRect(B.X, B.Y), Pt)) {
                G.ToggleExpand(G.RealColIndex(P.X), P.Y);
                G.DoExpandClick(P.X, P.Y);
            }
        }
    }
    G.FPushedCellButton = TPoint(-1, -1);
    return true;
}

bool TLeftRelease::OnCellButton() const
{
    if (!Valid())
        return false;
    const Integer Real = G.RealColIndex(ACol);
    const TPoint Pt(X, Y);
    return (G.HasButton(Real, ARow) && PtInRect(G.GetButtonRect(ACol, ARow), Pt)) ||
           (G.HasExpand(Real, ARow) && PtInRect(G.GetExpandRect(ACol, ARow), Pt));
}

// OnClick of a fixed cell, unless the release ends a border drag.
void TLeftRelease::FixedClick()
{
    TGridState State;
    Integer Index, Pos, Ofs;
    G.CalcSizingState(X, Y, State, Index, Pos, Ofs);
    const bool SizingCursor = InFixedRows(ARow) && ACol >= 0 && G.Options().Contains(goColSizing) &&
                              State == gsColSizing;
    if (G.OnClick && G.FDoOnClick && !SizingCursor && (InFixedRows(ARow) || InFixedCols(ACol)))
        G.OnClick(&G);
    G.FDoOnClick = false;
}

// An OLE drag candidate released before it moved is a click.
bool TLeftRelease::EndSelectionClick()
{
    if (!G.FSelectionClick)
        return false;
    G.FSelectionClick = false;
    if (!Valid() || InFixedRows(ARow) || InFixedCols(ACol))
        return false;
    TMouseActions* MA = G.FMouseActions.get();
    const bool Ole = G.FDragDropSettings->OleDropSource();
    const bool Ctrl = Keys.Contains(ssCtrl) || MA->DisjunctRowSelectNoCtrl();
    if (MA->DisjunctRowSelect() && Ole && !Ctrl)
        G.ClearRowSelect();
    if (MA->DisjunctRowSelect() && Ole && Ctrl) {
        G.SetRowSelect(ARow, !G.RowSelect(ARow));
        if (G.OnMouseUp)
            G.OnMouseUp(&G, mbLeft, TShiftState{ssCtrl}, X, Y);
        return true;
    }
    const bool Indicator = !G.FRowIndicator->Empty() && G.TBaseGrid::FixedCols() > 0;
    if (Indicator)
        G.RepaintCell(0, G.Row());
    if (G.Options().Contains(goRowSelect))
        G.SetSelection(TGridRect{G.TBaseGrid::FixedCols(), ARow, G.ColCount() - 1, ARow});
    else
        G.SetSelection(TGridRect{ACol, ARow, ACol, ARow});
    if (Indicator)
        G.RepaintCell(0, G.Row());
    return false;
}

void TLeftRelease::EndDisjunctRows()
{
    TMouseActions* MA = G.FMouseActions.get();
    if (!MA->DisjunctRowSelect() || ACol < 0 || (ACol == 0 && G.IsNode(ARow)))
        return;
    if (!(ACol == 0 && MA->HotmailRowSelect()))
        G.SelectionToRowSelect(false);
    if (ARow >= G.TBaseGrid::FixedRows() && ARow <= G.RowCount() - G.FFixedFooters - 1 && G.FDeselectState) {
        G.SetRowSelect(MA->RowSelectPersistent() ? G.RealRowIndex(ARow) : ARow, false);
        Deselected = true;
        if (MA->HotmailRowSelect())
            G.RepaintCell(0, 0);
    }
    G.FDeselectState = false;
}

// A click on an expanded node selects its group.
void TLeftRelease::SelectNodeGroup()
{
    if (!Valid() || ACol <= 0 || !G.IsNode(ARow) || !G.FGrouping->AutoSelectGroup() || G.GetNodeState(ARow))
        return;
    const Integer Span = G.GetNodeSpan(ARow);
    if (G.FMouseActions->DisjunctRowSelect()) {
        for (Integer R = ARow + 1; R < ARow + Span && R < G.RowCount(); ++R)
            G.SetRowSelect(G.RealRowIndex(R), true);
        return;
    }
    G.SetSelection(TGridRect{G.TBaseGrid::FixedCols(), ARow, G.ColCount() - 1, ARow + Span - 1});
}

void TLeftRelease::EndDisjunctCols()
{
    if (!G.FMouseActions->DisjunctColSelect())
        return;
    G.SelectionToColSelect(false);
    if (ACol >= G.TBaseGrid::FixedCols() && ACol <= G.ColCount() - G.FFixedRightCols - 1 && G.FDeselectState)
        G.SetColSelect(ACol, false);
    G.FDeselectState = false;
}

// The grid's own move: the movement left its verdict in the screen cursor.
void TLeftRelease::EndOwnMove()
{
    const TCursor Cursor = Screen->Cursor();
    const TGridState State = G.FGridState;
    if ((Cursor != crDrag && Cursor != crNoDrop) || (State != gsRowMoving && State != gsColMoving) ||
        !G.FEnhRowColMove)
        return;
    G.DoEndBlockFocus();
    // The drag image and the cells' picture go with the move.
    if (G.MoveButton) {
        G.MoveButton->SetEnabled(false);
        G.MoveButton->SetVisible(false);
    }
    delete G.MoveForm;
    G.MoveForm = nullptr;
    const bool Allowed = Cursor != crNoDrop;
    Screen->SetCursor(crDefault);
    const Integer From = G.Movecell;
    if (Allowed) {
        if (State == gsColMoving && From >= 0 && ACol >= 0 && !InFixedCols(ACol) && ACol != From)
            G.MoveColumn(From, ACol);
        else if (State == gsRowMoving && From >= 0 && ARow >= 0 && !InFixedRows(ARow) && ARow != From)
            G.MoveRow(From, ARow);
    } else if (State == gsColMoving) {
        G.InvalidateRow(0);
    } else {
        G.InvalidateCol(0);
    }
    // The base grid's drag timer.
    G.KillTimer(1);
    G.FGridState = gsNormal;
    Moved = true;
}

// The fill handle's cells, copied at the press, go into the new selection.
void TLeftRelease::EndFillHandle()
{
    if (!G.FMouseResize)
        return;
    const TGridRect Old = G.FDropSelection;
    const TGridRect New = G.Selection();
    bool Allow = true;
    if (G.OnSelectionResize)
        G.OnSelectionResize(&G, Old.Right, Old.Bottom, New.Right, New.Bottom, Allow);
    G.FEditDisable = true;
    if (Allow)
        G.PasteSelectionFromClipboard();
    G.FMouseResize = false;
    G.FEditDisable = false;
    if (G.OnSelectionResized)
        G.OnSelectionResized(&G, Old.Right, Old.Bottom, New.Right, New.Bottom);
}

void TLeftRelease::ControlMouseUp()
{
    if (G.HasCheckBox(RealCol, ARow) && G.OnCheckBoxMouseUp) {
        bool State = false;
        G.GetCheckBoxState(RealCol, ARow, State);
        G.OnCheckBoxMouseUp(&G, RealCol, ARow, State);
    }
    Integer Index = -1;
    if (G.GetRadioIdx(RealCol, ARow, Index) && G.OnRadioMouseUp)
        G.OnRadioMouseUp(&G, RealCol, ARow, Index);
}

// Steps 21 to 24: a plain click on the sort row, away from borders and the
// header's buttons, on a grid with something to sort.
bool TLeftRelease::IsSortClick()
{
    const TRect R = G.CellRect(ACol, ARow);
    if (ARow == 0 && G.Options().Contains(goColSizing) && (std::abs(X - R.Left) <= 3 || std::abs(X - R.Right) <= 3))
        return false;
    Integer ClickCol = -1;
    Integer ClickRow = -1;
    G.MouseToCell(G.Clickposx, G.Clickposy, ClickCol, ClickRow);
    const bool InButtonZone = X > R.Right - 16;
    if (InButtonZone && G.FControlLook->FixedDropDownButton() && G.CanShowFixedDropDown(RealCol, ARow))
        return false;
    if (InButtonZone) {
        TStringList Filter;
        if (G.GetFilterList(RealCol, &Filter) && Filter.Count() > 0)
            return false;
    }
    TSortSettings* S = G.FSortSettings.get();
    return ARow == S->Row() && ClickRow == S->Row() && G.TBaseGrid::FixedRows() > 0 &&
           !(G.HasCheckBox(RealCol, ARow) && G.IsInCheckBox(RealCol, ARow, X, Y)) && S->Show() && !Moved &&
           G.RowCount() > 2;
}

void TLeftRelease::Sort()
{
    TSortSettings* S = G.FSortSettings.get();
    G.HideInplaceEdit();
    if (G.FSortRowXRef->Count() != G.RowCount())
        G.InitSortXRef();
    if (S->AutoColumnMerge())
        G.SplitAllColumnCells();
    const bool KeepLeft = G.FNavigation->KeepHorizScroll() && G.Options().Contains(goRowSelect);
    const Integer OldLeft = G.LeftCol();
    if (KeepLeft)
        G.BeginUpdate();
    const DWORD Start = GetTickCount();
    if (S->IndexShow())
        SortByIndex();
    else
        SortSingle();
    G.SortTime = Integer(GetTickCount() - Start);
    if (KeepLeft) {
        G.SetLeftCol(OldLeft);
        G.EndUpdate();
    }
    if (S->AutoColumnMerge())
        G.RemergeColumns();
    if (G.FControlList->Count() > 0)
        G.CellControlsUpdate(true);
    G.DoClickSort(S->Column());
}

// Multi-column: the index key adds or toggles a column; a plain click
// reverses a single sort column, or starts again from this one.
void TLeftRelease::SortByIndex()
{
    TSortSettings* S = G.FSortSettings.get();
    TSortIndexList* L = G.FSortIndexes.get();
    const bool Ascending = S->InitSortDirection() == sdAscending;
    const bool KeyDown = Keys.Contains(S->IndexSortKey() == ikShift ? ssShift : ssCtrl);
    if (KeyDown) {
        if (L->FindIndex(RealCol) < 0)
            L->AddIndex(RealCol, Ascending);
        else
            L->ToggleIndex(RealCol);
    } else if (L->Count() == 1 && L->FindIndex(RealCol) == 0) {
        L->ToggleIndex(RealCol);
    } else {
        L->Clear();
        L->AddIndex(RealCol, Ascending);
    }
    if (G.FNumNodes > 0)
        G.QSortGroupIndexed();
    else
        G.QSortIndexed();
    // The column of the first entry, without its direction bits.
    S->SetColumn(L->Count() > 0 ? L->SortColumns(0) : -1);
}

// Single column: ascending, descending and, with UndoSort, the order from
// before any sort.
void TLeftRelease::SortSingle()
{
    TSortSettings* S = G.FSortSettings.get();
    bool Undo = false;
    if (S->Column() == RealCol) {
        Undo = S->Direction() != S->InitSortDirection() && S->UndoSort();
        S->SetDirection(S->Direction() == sdAscending ? sdDescending : sdAscending);
    } else {
        S->SetDirection(S->InitSortDirection());
        S->SetColumn(RealCol);
    }
    if (G.FNumNodes > 0) {
        G.QSortGroup();
    } else if (Undo) {
        G.QUnSort();
        S->SetColumn(-1);
    } else {
        G.QSort();
    }
}

void TExStringGrid::WMLButtonUp(TWMMouse& Message)
{
    TLeftRelease(*this, Message).Run();
}

void TExStringGrid::DoClickSort(Integer ACol)
{
    if (OnClickSort)
        OnClickSort(this, ACol);
}

void TExStringGrid::DoButtonClick(Integer ACol, Integer ARow)
{
    if (OnButtonClick)
        OnButtonClick(this, ACol, ARow);
}

// Raised after the toggle: the state it reports is the new one.
void TExStringGrid::DoExpandClick(Integer ACol, Integer ARow)
{
    if (OnExpandClick)
        OnExpandClick(this, ACol, ARow, GetExpandState(RealColIndex(ACol), ARow));
}
