// The thin scroll bars of the metro scroll type and the picture of a
// dragged header.
#include "grid/control/ExGrid.h"

#include "grid/base/EsgHTMLE.h"

#include <algorithm>

namespace {

constexpr Integer MinThumbSize = 20;

// The sizes of Count lines of an axis from First on.
Integer SumOfSizes(Integer First, Integer Count, const std::function<Integer(Integer)>& Size)
{
    Integer Sum = 0;
    for (Integer I = First; I < First + Count; ++I)
        Sum += Size(I);
    return Sum;
}

// One axis of the grid as the thumb sees it: display counts, the first
// scrollable line in view and the line sizes.
struct TThinAxis {
    Integer Count;
    Integer Fixed;
    Integer Trailing;
    Integer First;
    Integer Visible;
    std::function<Integer(Integer)> Size;
};

TThinAxis AxisOf(TExStringGrid* G, bool Vertical)
{
    if (Vertical)
        return {G->RowCount(), G->FixedRows(), G->FixedFooters(), G->TopRow(), G->VisibleRowCount(),
                [G](Integer I) { return G->RowHeights(I); }};
    return {G->ColCount(), G->FixedCols(), G->FixedRightCols(), G->LeftCol(), G->VisibleColCount(),
            [G](Integer I) { return G->ColWidths(I); }};
}

void ScrollAxis(TExStringGrid* G, bool Vertical, Integer Value)
{
    if (Vertical)
        G->SetTopRow(Value);
    else
        G->SetLeftCol(Value);
}

} // namespace

// ---------------------------------------------------------------- TScrollControl

TScrollControl::TScrollControl(TComponent* AOwner) : TCustomControl(AOwner)
{
    // The grid shows through around the thumb.
    SetParentBackground(true);
}

void TScrollControl::SetColor(TColor Value)
{
    if (Value == FColor)
        return;
    FColor = Value;
    Invalidate();
}

TExStringGrid* TScrollControl::Grid() const
{
    return dynamic_cast<TExStringGrid*>(Parent());
}

bool TScrollControl::HasHiddenLines() const
{
    TExStringGrid* G = Grid();
    const TThinAxis A = AxisOf(G, Vertical());
    return A.Visible < A.Count - A.Fixed;
}

std::optional<TScrollControl::TThumb> TScrollControl::Thumb() const
{
    TExStringGrid* G = Grid();
    if (!G)
        return std::nullopt;
    const TThinAxis A = AxisOf(G, Vertical());
    // Nothing to divide by: no thumb.
    if (A.Count <= 0 || A.Count - A.Fixed <= 0)
        return std::nullopt;
    const Integer Extent = Vertical() ? Height() : Width();
    const Integer Start = SumOfSizes(0, A.Fixed, A.Size);
    const Integer Track = Extent - Start - SumOfSizes(A.Count - A.Trailing, A.Trailing, A.Size);
    const double SizeRatio = double(A.Visible) / A.Count;
    const double PosRatio = double(A.First - A.Fixed) / (A.Count - A.Fixed);
    TThumb T{Start + Integer(Round(Track * PosRatio)), std::max<Integer>(MinThumbSize, Integer(Round(Track * SizeRatio)))};
    if (T.Pos + T.Size > Extent)
        T.Pos = Extent - T.Size;
    return T;
}

void TScrollControl::Paint()
{
    if (!Grid() || !HasHiddenLines())
        return;
    const auto T = Thumb();
    if (!T)
        return;
    TCanvas* C = Canvas();
    C->Pen()->SetColor(FColor);
    C->Brush()->SetColor(FColor);
    if (Vertical())
        C->Rectangle(0, T->Pos, ScrollWidth(), T->Pos + T->Size);
    else
        C->Rectangle(T->Pos, 0, T->Pos + T->Size, ScrollWidth());
}

void TScrollControl::PageClick(bool Forward)
{
    TExStringGrid* G = Grid();
    const TThinAxis A = AxisOf(G, Vertical());
    const Integer Target = Forward ? std::min(A.First + A.Visible, A.Count - A.Visible) : std::max(A.Fixed, A.First - A.Visible);
    ScrollAxis(G, Vertical(), Target);
}

void TScrollControl::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    const auto T = Thumb();
    if (!T)
        return;
    const Integer At = Vertical() ? Y : X;
    if (At < T->Pos) {
        PageClick(false);
    } else if (At > T->Pos + T->Size) {
        PageClick(true);
    } else {
        FDownOnScroller = true;
        FDownPos = At;
        FDownRow = AxisOf(Grid(), Vertical()).First;
    }
}

void TScrollControl::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    TExStringGrid* G = Grid();
    if (!FDownOnScroller || !G)
        return;
    const TThinAxis A = AxisOf(G, Vertical());
    const Integer Track = (Vertical() ? Height() : Width()) - A.Size(0);
    // Nothing to divide by: the drag does nothing.
    if (Track <= 0 || A.Count <= 0)
        return;
    const Integer Moved = (Vertical() ? Y : X) - FDownPos;
    const Integer Target = Integer(Round(double(Moved) / Track * A.Count)) + FDownRow;
    ScrollAxis(G, Vertical(), std::max(A.Fixed, std::min(Target, A.Count - A.Visible)));
}

void TScrollControl::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    FDownOnScroller = false;
}

// ---------------------------------------------------------------- THeaderDragButton

THeaderDragButton::THeaderDragButton(TComponent* AOwner) : TCustomControl(AOwner)
{
    TCustomControl::SetColor(clBtnFace);
    SetPopupWindow(TPopupWindowStyle{true, true, false});
}

void THeaderDragButton::SetCaption(const String& Value)
{
    FCaption = Value;
    Invalidate();
}

void THeaderDragButton::Paint()
{
    TCanvas* C = Canvas();
    TRect R = ClientRect();
    if (FGrid) {
        FGrid->PaintCell(C, 0, 0, R, TGridDrawState{gdFixed});
        C->Font()->Assign(FGrid->FixedFont());
    }
    C->Brush()->SetStyle(bsClear);
    if (!FCaption.contains(QStringLiteral("</"))) {
        DrawText(C, FCaption, R, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    } else {
        String Anchor, Strip, FocusAnchor, AnchorHint, CID, CV, CT;
        Integer XSize = 0, YSize = 0, Links = 0, MouseLink = 0;
        TRect HoverRect, CtrlRect;
        DrawHTMLText(C, FCaption, R, FGrid ? FGrid->GridImages() : nullptr, 0, 0, -1, -1, 0, false, false, false,
                     false, false, false, true, false, 1.0, clBlue, clNone, clNone, clGray, Anchor, Strip, FocusAnchor,
                     AnchorHint, XSize, YSize, Links, MouseLink, HoverRect, CtrlRect, CID, CV, CT, nullptr,
                     FGrid ? FGrid->PictureContainer() : nullptr, nullptr, 0);
    }
    // The window's border.
    C->Brush()->SetStyle(bsClear);
    C->Pen()->SetColor(clWindowFrame);
    C->Rectangle(ClientRect());
}
