// Panning with the middle mouse button: a 10 ms timer moves the current
// cell (or only the view) one step per tick toward the pointer, shown by a
// direction cursor and the pan mark at the press point.
#include "grid/control/ExGrid.h"

#include "grid/control/ExGrid_Settings.h"
#include "rtl/Forms.h"

#include <algorithm>

namespace {

constexpr UINT_PTR PanTimerID = 999;
constexpr UINT PanInterval = 10;
// The pointer moves nothing within this distance of the press point.
constexpr Integer PanDeadZone = 5;
constexpr Integer PanMarkSize = 32;
// The panning cursors by direction: index (V + 1) * 3 + (H + 1).
constexpr TCursor PanCursors[9] = {8006, 8004, 8005, 8002, 8000, 8003, 8008, 8001, 8007};

Integer PanDirection(Integer Delta)
{
    if (Delta < -PanDeadZone)
        return -1;
    if (Delta > PanDeadZone)
        return 1;
    return 0;
}

bool EndsPanning(Cardinal Msg)
{
    return Msg == WM_LBUTTONDOWN || Msg == WM_MBUTTONDOWN || Msg == WM_RBUTTONDOWN || Msg == WM_KEYDOWN ||
           Msg == WM_SYSKEYDOWN;
}

} // namespace

TCursor TExStringGrid::PanCursor(Integer V, Integer H) const
{
    return PanCursors[(V + 1) * 3 + (H + 1)];
}

bool TExStringGrid::PanMessage(TMessage& Message)
{
    const Cardinal Msg = Message.Msg;
    if (FWheelPan) {
        if (Msg == WM_TIMER && Message.WParam == PanTimerID) {
            PanTick();
            return true;
        }
        if (!EndsPanning(Msg))
            return false;
        EndPanning();
        return true;
    }
    if (Msg != WM_MBUTTONDOWN || FIntelliPan == ipNone || RowCount() <= TBaseGrid::FixedRows())
        return false;
    StartPanning(SmallInt(Message.LParam & 0xFFFF), SmallInt((Message.LParam >> 16) & 0xFFFF));
    return true;
}

void TExStringGrid::StartPanning(Integer X, Integer Y)
{
    FICursor = GridResourceCursor(PanCursor(0, 0));
    FPrevCursor = Screen->Cursor();
    Screen->SetCursor(FICursor);
    FWheelPan = true;
    SetTimer(PanTimerID, PanInterval);
    FWheelPanPos = TPoint(X, Y);
    FPanShowHint = ShowHint();
    SetShowHint(false);
    Invalidate();
}

void TExStringGrid::EndPanning()
{
    KillTimer(PanTimerID);
    Screen->SetCursor(FPrevCursor);
    SetShowHint(FPanShowHint);
    FWheelPan = false;
    InvalidateClientRect(TRect(FWheelPanPos.X - PanMarkSize / 2, FWheelPanPos.Y - PanMarkSize / 2,
                               FWheelPanPos.X + PanMarkSize / 2, FWheelPanPos.Y + PanMarkSize / 2));
}

void TExStringGrid::PanTick()
{
    const TPoint P = ScreenToClient(Mouse->CursorPos());
    const Integer V = FIntelliPan == ipHorizontal ? 0 : PanDirection(P.Y - FWheelPanPos.Y);
    const Integer H = FIntelliPan == ipVertical ? 0 : PanDirection(P.X - FWheelPanPos.X);
    FICursor = GridResourceCursor(PanCursor(V, H));
    Screen->SetCursor(FICursor);
    const Integer FirstRow = TBaseGrid::FixedRows();
    const Integer LastRow = std::max(FirstRow, RowCount() - FFixedFooters - 1);
    const Integer FirstCol = TBaseGrid::FixedCols();
    const Integer LastCol = std::max(FirstCol, ColCount() - FFixedRightCols - 1);
    const TGridRect Before = Selection();
    if (FMouseActions->WheelAction() == waScroll) {
        const Integer MaxTop = std::max(FirstRow, RowCount() - VisibleRowCount());
        const Integer MaxLeft = std::max(FirstCol, ColCount() - VisibleColCount());
        if (H != 0)
            SetLeftCol(std::clamp(LeftCol() + H, FirstCol, MaxLeft));
        if (V != 0)
            SetTopRow(std::clamp(TopRow() + V, FirstRow, MaxTop));
    } else {
        if (H != 0)
            SetCol(std::clamp(Col() + H, FirstCol, LastCol));
        if (V != 0)
            SetRow(std::clamp(Row() + V, FirstRow, LastRow));
    }
    // The mark stays at the press point in the view.
    InvalidateClientRect(TRect(FWheelPanPos.X - PanMarkSize / 2, FWheelPanPos.Y - PanMarkSize / 2,
                               FWheelPanPos.X + PanMarkSize / 2, FWheelPanPos.Y + PanMarkSize / 2));
    const TGridRect After = Selection();
    if (After != Before)
        DoSelectionChanged(After.Left, After.Top, After.Right, After.Bottom);
}

void TExStringGrid::PaintPanMark()
{
    if (!FWheelPan)
        return;
    const char* Name = FIntelliPan == ipBoth ? "INTLI1" : FIntelliPan == ipHorizontal ? "INTLI2" : "INTLI3";
    TBitmap Mark;
    Mark.LoadFromResourceName(QString::fromLatin1(Name));
    // The top-left pixel gives the transparent colour.
    Mark.SetTransparentColor(Mark.Canvas()->Pixels(0, 0));
    Mark.SetTransparent(true);
    Canvas()->Draw(FWheelPanPos.X - Mark.Width() / 2, FWheelPanPos.Y - Mark.Height() / 2, &Mark);
}
