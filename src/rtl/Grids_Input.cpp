// Grids: keyboard, mouse, wheel, sizing and moving by dragging.
#include "rtl/Grids.h"

#include <algorithm>

namespace {

// Timer of the grid window that scrolls while a drag leaves the cells.
constexpr UINT_PTR GridsDragTimer = 1;
constexpr UINT GridsDragInterval = 60;
constexpr Integer GridsWheelDelta = 120;

} // namespace

// ---------------------------------------------------------------- keyboard

void TCustomGrid::KeyDown(Word& Key, TShiftState Shift)
{
    TCustomControl::KeyDown(Key, Shift);
    if (Key == 0)
        return;
    const bool Ctrl = Shift.Contains(ssCtrl);
    const bool RowSelect = FOptions.Contains(goRowSelect);
    const Integer Page = std::max(VisibleRowCount(), 1);
    TGridCoord Cur = FCurrent;
    TGridCoord TopLeft = FTopLeft;
    bool Move = true;
    bool Extend = Shift.Contains(ssShift) && FOptions.Contains(goRangeSelect);
    switch (Key) {
    case VK_UP:
    case VK_DOWN:
        if (Ctrl)
            return;
        Cur.Y += Key == VK_UP ? -1 : 1;
        break;
    case VK_LEFT:
    case VK_RIGHT: {
        const Integer Step = Key == VK_LEFT ? -1 : 1;
        if (RowSelect) {
            if (Ctrl)
                return;
            TopLeft.X += Step;
            Move = false;
        } else if (Ctrl) {
            Cur.X = Key == VK_LEFT ? FTopLeft.X : FTopLeft.X + std::max(VisibleColCount(), 1) - 1;
        } else {
            Cur.X += Step;
        }
        break;
    }
    case VK_PRIOR:
    case VK_NEXT: {
        const Integer Step = Key == VK_PRIOR ? -Page : Page;
        if (Ctrl) {
            Cur.Y = Key == VK_PRIOR ? FTopLeft.Y : FTopLeft.Y + Page - 1;
        } else {
            Cur.Y += Step;
            TopLeft.Y += Step;
        }
        break;
    }
    case VK_HOME:
    case VK_END: {
        const bool Home = Key == VK_HOME;
        if (Ctrl || RowSelect)
            Cur.Y = Home ? FFixedRows : FRowCount - 1;
        if (!RowSelect)
            Cur.X = Home ? FFixedCols : FColCount - 1;
        break;
    }
    case VK_TAB:
        if (!FOptions.Contains(goTabs) || Shift.Contains(ssAlt))
            return;
        Cur = NextTabCell(Shift.Contains(ssShift));
        Extend = false;
        break;
    case VK_F2:
        if (FOptions.Contains(goEditing))
            SetEditorMode(true);
        return;
    case VK_ESCAPE:
        // Leaves the editor with the text the cell had when it opened.
        if (EditorShowing()) {
            FInplaceEdit->SetText(FEditOriginal);
            if (FOptions.Contains(goAlwaysShowEditor))
                FInplaceEdit->SelectAll();
            else
                HideEditor();
        }
        return;
    default:
        return;
    }
    if (TopLeft != FTopLeft) {
        const Integer MaxLeft = std::max(AxisMaxFirst(false, AxisClient(false)), FTopLeft.X);
        const Integer MaxTop = std::max(AxisMaxFirst(true, AxisClient(true)), std::min(FTopLeft.Y, TopLeft.Y));
        MoveTopLeft(std::clamp(TopLeft.X, FFixedCols, MaxLeft), std::clamp(TopLeft.Y, FFixedRows, MaxTop));
    }
    if (!Move)
        return;
    Cur.X = RowSelect ? FFixedCols : std::clamp(Cur.X, FFixedCols, FColCount - 1);
    Cur.Y = std::clamp(Cur.Y, FFixedRows, FRowCount - 1);
    if (Cur != FCurrent)
        MoveColRow(Cur.X, Cur.Y, !Extend, true);
}

void TCustomGrid::KeyPress(Char& Key)
{
    TCustomControl::KeyPress(Key);
    if (Key == QChar(13) && FOptions.Contains(goEditing) && !FOptions.Contains(goAlwaysShowEditor)) {
        if (FEditorMode)
            HideEditor();
        else
            ShowEditor();
        Key = QChar(0);
    }
}

void TCustomGrid::WMChar(TWMKey& Message)
{
    const char16_t Ch = char16_t(Message.CharCode);
    if (FOptions.Contains(goEditing) && !EditorShowing() && (Ch == 8 || (Ch >= 32 && Ch != 127)))
        ShowEditorChar(QChar(Ch));
    else
        TCustomControl::WMChar(Message);
}

void TCustomGrid::WMGetDlgCode(TWMGetDlgCode& Message)
{
    Message.Result = DLGC_WANTARROWS;
    if (FOptions.Contains(goTabs))
        Message.Result |= DLGC_WANTTAB;
    if (FOptions.Contains(goEditing))
        Message.Result |= DLGC_WANTCHARS;
}

void TCustomGrid::WMSetFocus(TMessage& Message)
{
    TCustomControl::WMSetFocus(Message);
    InvalidateGrid();
    UpdateEdit();
}

void TCustomGrid::WMKillFocus(TMessage& Message)
{
    TCustomControl::WMKillFocus(Message);
    InvalidateGrid();
}

// ---------------------------------------------------------------- mouse

void TCustomGrid::CalcSizingState(Integer X, Integer Y, TGridState& State, Integer& Index, Integer& SizingPos,
                                  Integer& SizingOfs)
{
    // Borders are dragged in the fixed cells: column borders in the fixed
    // rows, row borders in the fixed columns.
    State = gsNormal;
    Index = -1;
    SizingPos = 0;
    SizingOfs = 0;
    Integer Border = 0;
    if (FOptions.Contains(goColSizing) && FFixedRows > 0 && Y >= 0 && Y < AxisFixedExtent(true)) {
        Index = AxisSizingIndex(false, X, Border);
        if (Index >= 0)
            State = gsColSizing;
    }
    if (State == gsNormal && FOptions.Contains(goRowSizing) && FFixedCols > 0 && X >= 0 &&
        X < AxisFixedExtent(false)) {
        Index = AxisSizingIndex(true, Y, Border);
        if (Index >= 0)
            State = gsRowSizing;
    }
    if (State == gsNormal)
        return;
    SizingPos = Border;
    SizingOfs = Border - (State == gsColSizing ? X : Y);
}

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    // The grid raises Click itself when a selection ends.
    FControlState.Exclude(csClicked);
    if (!Focused() && !EditorHasFocus() && CanFocus())
        SetFocus();
    if (Button == mbLeft && FGridState == gsNormal) {
        const TGridCoord Cell = MouseCoord(X, Y);
        const bool Normal = Cell.X >= FFixedCols && Cell.Y >= FFixedRows;
        if (Shift.Contains(ssDouble)) {
            if (Normal && FOptions.Contains(goEditing))
                ShowEditor();
        } else {
            TGridState State;
            Integer Index, Pos, Ofs;
            CalcSizingState(X, Y, State, Index, Pos, Ofs);
            if (State != gsNormal) {
                HideEdit();
                FGridState = State;
                FSizingIndex = Index;
                FSizingPos = Pos;
                FSizingOfs = Ofs;
                InvalidateGrid();
            } else if (Cell.X >= 0 && Cell.Y >= 0) {
                if (Cell.Y < FFixedRows && Cell.X >= FFixedCols && FOptions.Contains(goColMoving)) {
                    FGridState = gsColMoving;
                    FMoveIndex = FMovePos = Cell.X;
                } else if (Cell.X < FFixedCols && Cell.Y >= FFixedRows && FOptions.Contains(goRowMoving)) {
                    FGridState = gsRowMoving;
                    FMoveIndex = FMovePos = Cell.Y;
                } else if (Normal) {
                    // A second press on the current cell opens the editor.
                    if (FOptions.Contains(goEditing) && Cell == FCurrent && !Shift.Contains(ssShift) &&
                        !FOptions.Contains(goRowSelect)) {
                        ShowEditor();
                    } else {
                        MoveColRow(Cell.X, Cell.Y, !(Shift.Contains(ssShift) && FOptions.Contains(goRangeSelect)),
                                   true);
                        FGridState = gsSelecting;
                    }
                }
                if (FGridState != gsNormal)
                    SetTimer(GridsDragTimer, GridsDragInterval);
            }
            // Pressing may have scrolled: the point is worked out again only
            // once the pointer moves.
            FDragPoint = TPoint(X, Y);
        }
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomGrid::DragTo(Integer X, Integer Y)
{
    switch (FGridState) {
    case gsSelecting: {
        const TGridCoord C{AxisDragTarget(false, X), AxisDragTarget(true, Y)};
        if (C.X >= FFixedCols && C.Y >= FFixedRows && C != FCurrent)
            MoveColRow(C.X, C.Y, !FOptions.Contains(goRangeSelect), true);
        break;
    }
    case gsColSizing:
    case gsRowSizing: {
        const bool Rows = FGridState == gsRowSizing;
        const Integer Start = std::max(AxisPos(Rows, FSizingIndex), 0);
        FSizingPos = std::max((Rows ? Y : X) + FSizingOfs, Start + 1);
        InvalidateGrid();
        break;
    }
    case gsColMoving:
    case gsRowMoving: {
        const bool Rows = FGridState == gsRowMoving;
        const Integer Target = AxisDragTarget(Rows, Rows ? Y : X);
        if (Target != FMovePos) {
            FMovePos = Target;
            InvalidateGrid();
        }
        break;
    }
    default:
        break;
    }
}

void TCustomGrid::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    if (FGridState != gsNormal && TPoint(X, Y) != FDragPoint) {
        FDragPoint = TPoint(X, Y);
        DragTo(X, Y);
    }
    TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomGrid::EndDragState(bool Apply)
{
    const TGridState State = FGridState;
    FGridState = gsNormal;
    KillTimer(GridsDragTimer);
    if (State == gsNormal)
        return;
    InvalidateGrid();
    if (!Apply)
        return;
    switch (State) {
    case gsColSizing:
    case gsRowSizing: {
        const bool Rows = State == gsRowSizing;
        const Integer Start = AxisPos(Rows, FSizingIndex);
        if (Start < 0)
            break;
        const Integer Size = std::max(FSizingPos - Start, 1);
        if (Rows)
            SetRowHeights(FSizingIndex, Size);
        else
            SetColWidths(FSizingIndex, Size);
        break;
    }
    case gsColMoving:
        if (FMovePos >= FFixedCols && FMovePos != FMoveIndex)
            MoveColumn(FMoveIndex, FMovePos);
        break;
    case gsRowMoving:
        if (FMovePos >= FFixedRows && FMovePos != FMoveIndex)
            MoveRow(FMoveIndex, FMovePos);
        break;
    default:
        break;
    }
}

void TCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    const TGridState State = FGridState;
    if (State != gsNormal) {
        if (TPoint(X, Y) != FDragPoint)
            DragTo(X, Y);
        EndDragState(true);
        if (State == gsSelecting)
            Click();
    }
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TCustomGrid::WMCancelMode(TMessage& Message)
{
    EndDragState(false);
    TCustomControl::WMCancelMode(Message);
}

void TCustomGrid::ScrollForDrag(Integer X, Integer Y)
{
    // Outside the scrollable cells the view follows the pointer, one
    // column (row) a tick.
    TGridCoord TopLeft = FTopLeft;
    const bool Cols = FGridState != gsRowMoving;
    const bool Rows = FGridState != gsColMoving;
    if (Cols) {
        if (X < AxisFixedExtent(false))
            --TopLeft.X;
        else if (X >= AxisClient(false))
            ++TopLeft.X;
    }
    if (Rows) {
        if (Y < AxisFixedExtent(true))
            --TopLeft.Y;
        else if (Y >= AxisClient(true))
            ++TopLeft.Y;
    }
    if (TopLeft == FTopLeft)
        return;
    MoveTopLeft(std::clamp(TopLeft.X, FFixedCols, std::max(AxisMaxFirst(false, AxisClient(false)), FFixedCols)),
                std::clamp(TopLeft.Y, FFixedRows, std::max(AxisMaxFirst(true, AxisClient(true)), FFixedRows)));
    DragTo(X, Y);
}

void TCustomGrid::WMTimer(TWMTimer& Message)
{
    if (Message.TimerID != GridsDragTimer) {
        TCustomControl::WMTimer(Message);
        return;
    }
    if (FGridState != gsSelecting && FGridState != gsColMoving && FGridState != gsRowMoving)
        return;
    const TPoint P = ScreenToClient(Mouse->CursorPos());
    ScrollForDrag(P.X, P.Y);
}

// ---------------------------------------------------------------- wheel

bool TCustomGrid::DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos)
{
    bool Result = TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos);
    if (Result)
        return true;
    // Whole notches, one step each; what is left waits for the next turn.
    FWheelAccumulator += WheelDelta;
    while (std::abs(FWheelAccumulator) >= GridsWheelDelta) {
        if (FWheelAccumulator < 0) {
            FWheelAccumulator += GridsWheelDelta;
            Result = DoMouseWheelDown(Shift, MousePos);
        } else {
            FWheelAccumulator -= GridsWheelDelta;
            Result = DoMouseWheelUp(Shift, MousePos);
        }
    }
    return Result || WheelDelta != 0;
}

bool TCustomGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    bool Handled = false;
    if (OnMouseWheelDown)
        OnMouseWheelDown(this, Shift, MousePos, Handled);
    if (!Handled) {
        if (FCurrent.Y < FRowCount - 1)
            SetRow(std::max(FCurrent.Y + 1, FFixedRows));
        Handled = true;
    }
    return Handled;
}

bool TCustomGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    bool Handled = false;
    if (OnMouseWheelUp)
        OnMouseWheelUp(this, Shift, MousePos, Handled);
    if (!Handled) {
        if (FCurrent.Y > FFixedRows)
            SetRow(std::min(FCurrent.Y - 1, FRowCount - 1));
        Handled = true;
    }
    return Handled;
}
