// The string grid's mouse wheel: the parent hears of it first, Ctrl zooms,
// otherwise a notch moves the current row or only scrolls. Deltas of any
// size are counted in whole notches, the rest kept for the next turn.
#include "grid/control/ExGrid.h"

#include "grid/control/ExGrid_Settings.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr Integer NotchDelta = 120;
// Cells sized to their content after a zoom, with this margin each way.
constexpr Integer ZoomPadding = 4;

WPARAM WheelWParam(Word Keys, SmallInt Delta)
{
    return WPARAM(Keys) | (WPARAM(Word(Delta)) << 16);
}

} // namespace

void TExStringGrid::WMMouseWheelGrid(TMessage& Message)
{
    const Word Keys = Word(Message.WParam & 0xFFFF);
    const SmallInt Delta = SmallInt((Message.WParam >> 16) & 0xFFFF);
    if (Parent() && Parent()->Perform(CM_MOUSEWHEEL, WheelWParam(Keys, Delta), Message.LParam) != 0) {
        TBaseGrid::WndProc(Message);
        return;
    }
    const TShiftState Shift = KeysToShiftState(Keys);
    const TPoint MousePos(SmallInt(Message.LParam & 0xFFFF), SmallInt((Message.LParam >> 16) & 0xFFFF));
    // The grid took the wheel (its parents were asked above): the platform
    // must not scroll the window a second time.
    Message.Result = 1;
    FWheelRest += Delta;
    while (std::abs(FWheelRest) >= NotchDelta) {
        const bool TowardUser = FWheelRest < 0;
        FWheelRest += TowardUser ? NotchDelta : -NotchDelta;
        WheelNotch(TowardUser, Shift, MousePos, Message);
    }
}

// One notch of the wheel.
void TExStringGrid::WheelNotch(bool TowardUser, TShiftState Shift, TPoint MousePos, TMessage& Message)
{
    if (Shift.Contains(ssCtrl) && FIntelliZoom) {
        Zoom(TowardUser ? FWheelScrollLines : -FWheelScrollLines);
        AutoSizeCells(true, ZoomPadding, ZoomPadding);
        return;
    }
    if (!FEnableWheel || (FFixedRowAlways && RowCount() == 1))
        return;
    const bool Scrolls = FMouseActions->WheelAction() == waScroll;
    Integer N = FMouseActions->WheelIncrement() < 1 ? FWheelScrollLines : FMouseActions->WheelIncrement();
    const Integer Fixed = TBaseGrid::FixedRows();
    Integer T = Row();
    if (Scrolls) {
        const Integer MaxTop = RowCount() - VisibleRowCount();
        if (TowardUser && TopRow() < MaxTop)
            SetTopRow(std::min(TopRow() + N, MaxTop));
        if (!TowardUser) {
            N = std::min(N, TopRow() - Fixed);
            if (TopRow() > Fixed)
                SetTopRow(TopRow() - N);
        }
    } else {
        T = TowardUser ? Row() + N : Row() - N;
    }
    T = std::clamp(T, Fixed, std::max(Fixed, RowCount() - FFixedFooters - 1));
    if (Col() >= ColCount() && Row() >= RowCount()) {
        SetCol(ColCount() - 1);
        SetRow(RowCount() - 1);
    }
    if (Col() < TBaseGrid::FixedCols() || Col() >= ColCount())
        SetCol(std::clamp(Col(), TBaseGrid::FixedCols(), ColCount() - 1));
    Integer D = 0;
    if (T >= 0 && T < RowCount()) {
        const Integer KeptLeftCol = LeftCol();
        StartUpdate();
        if (FMouseActions->DisjunctRowSelect() && !Scrolls)
            ClearRowSelect();
        D = T - Row();
        if (!Scrolls) {
            SetRow(T);
            if (Row() != T) {
                // The move was refused: half the way, halves to the even row.
                SetRow(Row() + Integer(std::nearbyint((T - Row()) / 2.0)));
                if (TopRow() > Fixed)
                    SetTopRow(TopRow() - 1);
            }
        }
        if (Options().Contains(goRowSelect) && FNavigation->KeepHorizScroll())
            SetLeftCol(KeptLeftCol);
        ResetUpdate();
        Invalidate();
    }
    bool Handled = true;
    MouseWheelHook(Shift, D, Handled);
    if ((FMouseActions->WheelIncrement() != 0 || FMouseActions->DisjunctRowSelect()) && Handled) {
        Message.Result = 1;
        const bool Disjunct = FMouseActions->DisjunctRowSelect();
        const TShiftState EventShift = Disjunct ? KeyShiftState() : TShiftState{};
        const TPoint EventPos = Disjunct ? MousePos : TPoint(0, 0);
        bool EventHandled = false;
        const auto& Event = TowardUser ? OnMouseWheelDown : OnMouseWheelUp;
        if (Event)
            Event(this, EventShift, EventPos, EventHandled);
    }
    if (FSearchFooter->Visible() && TopRow() == RowCount() - VisibleRowCount())
        ScrollAboveSearchFooter();
}

void TExStringGrid::MouseWheelHook(TShiftState, Integer, bool&) {}

bool TExStringGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    return DoMouseWheelStep(true, Shift, MousePos);
}

bool TExStringGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    return DoMouseWheelStep(false, Shift, MousePos);
}

// The base grid's wheel step, reached when the parent took the wheel first.
bool TExStringGrid::DoMouseWheelStep(bool Down, TShiftState Shift, TPoint MousePos)
{
    if (FMouseActions->WheelAction() == waScroll || !FEnableWheel) {
        bool Handled = false;
        const auto& Event = Down ? OnMouseWheelDown : OnMouseWheelUp;
        if (Event)
            Event(this, Shift, MousePos, Handled);
        return Handled;
    }
    const bool DirectEdit = FMouseActions->DirectEdit();
    FMouseActions->SetDirectEdit(false);
    bool Result = true;
    try {
        if (Options().Contains(goRowSelect) && FNavigation->KeepHorizScroll()) {
            const Integer KeptLeftCol = LeftCol();
            StartUpdate();
            Result = Down ? TBaseGrid::DoMouseWheelDown(Shift, MousePos) : TBaseGrid::DoMouseWheelUp(Shift, MousePos);
            SetLeftCol(KeptLeftCol);
            ResetUpdate();
            Invalidate();
        } else {
            const bool Editing = EditorMode();
            const bool Inside = Row() < RowCount() && Col() < ColCount();
            if (Down)
                Result = TBaseGrid::DoMouseWheelDown(Shift, MousePos);
            else if (Inside)
                Result = TBaseGrid::DoMouseWheelUp(Shift, MousePos);
            if (Editing && CanFocus())
                SetFocus();
        }
    } catch (...) {
        FMouseActions->SetDirectEdit(DirectEdit);
        throw;
    }
    FMouseActions->SetDirectEdit(DirectEdit);
    return Result;
}
