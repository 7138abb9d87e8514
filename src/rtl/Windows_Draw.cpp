// The classic frame drawing of the system, drawn by hand in the fixed system
// colour table, and the metrics the drawing code asks for.
#include "rtl/Windows.h"

#include <QApplication>
#include <QPaintDevice>
#include <QPainter>
#include <QStyle>

namespace {

// Puts the canvas's pen and brush back when the drawing is done, as the
// system's drawing leaves the selected objects alone.
class TKeepPenAndBrush {
public:
    explicit TKeepPenAndBrush(TCanvas* Canvas) : FCanvas(Canvas)
    {
        FPen.Assign(Canvas->Pen());
        FBrush.Assign(Canvas->Brush());
    }
    ~TKeepPenAndBrush()
    {
        FCanvas->Pen()->Assign(&FPen);
        FCanvas->Brush()->Assign(&FBrush);
    }
    TKeepPenAndBrush(const TKeepPenAndBrush&) = delete;
    TKeepPenAndBrush& operator=(const TKeepPenAndBrush&) = delete;

private:
    TCanvas* FCanvas;
    TPen FPen;
    TBrush FBrush;
};

void FillIn(TCanvas* Canvas, const TRect& R, TColor Color)
{
    if (IsRectEmpty(R))
        return;
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Color);
    Canvas->FillRect(R);
}

void FrameIn(TCanvas* Canvas, const TRect& R, TColor Color)
{
    if (IsRectEmpty(R))
        return;
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Color);
    Canvas->FrameRect(R);
}

struct TEdgeColors {
    TColor Light;
    TColor Dark;
};

// One ring of the sides asked for; R becomes what is inside it.
void DrawEdgeRing(TCanvas* Canvas, TRect& R, UINT Sides, TEdgeColors Colors)
{
    if (Sides & BF_LEFT)
        FillIn(Canvas, Rect(R.Left, R.Top, R.Left + 1, R.Bottom), Colors.Light);
    if (Sides & BF_TOP)
        FillIn(Canvas, Rect(R.Left, R.Top, R.Right, R.Top + 1), Colors.Light);
    if (Sides & BF_RIGHT)
        FillIn(Canvas, Rect(R.Right - 1, R.Top, R.Right, R.Bottom), Colors.Dark);
    if (Sides & BF_BOTTOM)
        FillIn(Canvas, Rect(R.Left, R.Bottom - 1, R.Right, R.Bottom), Colors.Dark);
    R = Rect(R.Left + ((Sides & BF_LEFT) ? 1 : 0), R.Top + ((Sides & BF_TOP) ? 1 : 0),
             R.Right - ((Sides & BF_RIGHT) ? 1 : 0), R.Bottom - ((Sides & BF_BOTTOM) ? 1 : 0));
}

TEdgeColors OuterColors(UINT Edge, UINT Flags)
{
    if (Flags & BF_FLAT)
        return {clBtnShadow, clBtnShadow};
    if (Edge & BDR_RAISEDOUTER)
        return {(Flags & BF_SOFT) ? clBtnHighlight : cl3DLight, cl3DDkShadow};
    return {clBtnShadow, clBtnHighlight};
}

TEdgeColors InnerColors(UINT Edge, UINT Flags)
{
    if (Flags & BF_FLAT)
        return {clBtnFace, clBtnFace};
    if (Edge & BDR_RAISEDINNER)
        return {(Flags & BF_SOFT) ? cl3DLight : clBtnHighlight, clBtnShadow};
    return {cl3DDkShadow, cl3DLight};
}

TRect CentredSquare(const TRect& R)
{
    const Integer Side = Min(R.Width(), R.Height());
    return Bounds(R.Left + (R.Width() - Side) / 2, R.Top + (R.Height() - Side) / 2, Side, Side);
}

// The frame of push and scroll buttons. Down (pushed or checked) is a dark
// ring around a shadow ring; flat is one shadow ring, raised thinly while hot.
void DrawButtonFrame(TCanvas* Canvas, const TRect& R, UINT State)
{
    const bool Down = State & (DFCS_PUSHED | DFCS_CHECKED);
    TRect Inside = R;
    if ((State & DFCS_FLAT) && (State & DFCS_HOT) && !Down) {
        DrawEdge(Canvas, Inside, BDR_RAISEDINNER, BF_RECT | BF_MIDDLE);
    } else if (State & DFCS_FLAT) {
        DrawEdge(Canvas, Inside, BDR_SUNKENOUTER, BF_RECT | BF_FLAT | BF_MIDDLE);
    } else if (Down) {
        FrameIn(Canvas, Inside, cl3DDkShadow);
        InflateRect(Inside, -1, -1);
        FrameIn(Canvas, Inside, clBtnShadow);
        InflateRect(Inside, -1, -1);
        FillIn(Canvas, Inside, (State & DFCS_CHECKED) ? cl3DLight : clBtnFace);
    } else {
        DrawEdge(Canvas, Inside, EDGE_RAISED, BF_RECT | BF_SOFT | BF_MIDDLE);
    }
}

// A tick of three-pixel columns: down at 45 degrees for a third of the width,
// then up at 45 degrees.
void DrawCheckMark(TCanvas* Canvas, const TRect& Inside, TColor Color)
{
    const Integer Margin = Max(1, Inside.Width() / 6);
    const Integer X0 = Inside.Left + Margin, X2 = Inside.Right - 1 - Margin;
    const Integer Drop = (X2 - X0) / 3, X1 = X0 + Drop;
    const Integer Y0 = Inside.Top + (Inside.Height() - 2 * Drop - 3) / 2 + Drop;
    for (Integer X = X0; X <= X2; ++X) {
        const Integer Y = X <= X1 ? Y0 + (X - X0) : Y0 + Drop - (X - X1);
        FillIn(Canvas, Rect(X, Y, X + 1, Y + 3), Color);
    }
}

void DrawCheckBox(TCanvas* Canvas, const TRect& R, UINT State)
{
    TRect Inside = CentredSquare(R);
    if (State & DFCS_FLAT) {
        FrameIn(Canvas, Inside, clBtnShadow);
        InflateRect(Inside, -1, -1);
    } else {
        DrawEdge(Canvas, Inside, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    }
    FillIn(Canvas, Inside, (State & (DFCS_PUSHED | DFCS_INACTIVE)) ? clBtnFace : clWindow);
    if (State & DFCS_CHECKED)
        DrawCheckMark(Canvas, Inside, (State & DFCS_INACTIVE) ? clBtnShadow : clWindowText);
}

// Two half rings: upper left from the top-right corner to the bottom-left
// one (the arc runs counter-clockwise), lower right the other way.
void DrawHalfRings(TCanvas* Canvas, const TRect& R, TEdgeColors Colors)
{
    Canvas->Pen()->SetColor(Colors.Light);
    Canvas->Arc(R.Left, R.Top, R.Right, R.Bottom, R.Right, R.Top, R.Left, R.Bottom);
    Canvas->Pen()->SetColor(Colors.Dark);
    Canvas->Arc(R.Left, R.Top, R.Right, R.Bottom, R.Left, R.Bottom, R.Right, R.Top);
}

void DrawDisc(TCanvas* Canvas, const TRect& R, TColor Color)
{
    if (IsRectEmpty(R))
        return;
    Canvas->Pen()->SetColor(Color);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Color);
    Canvas->Ellipse(R);
}

void DrawRadioButton(TCanvas* Canvas, const TRect& R, UINT State)
{
    const TRect Box = CentredSquare(R);
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Pen()->SetWidth(1);
    const TColor Inside = (State & (DFCS_PUSHED | DFCS_INACTIVE)) ? clBtnFace : clWindow;
    TRect Face = Box;
    if (State & DFCS_FLAT) {
        DrawDisc(Canvas, Box, clBtnShadow);
        InflateRect(Face, -1, -1);
    } else {
        DrawHalfRings(Canvas, Box, {clBtnShadow, clBtnHighlight});
        InflateRect(Face, -1, -1);
        DrawHalfRings(Canvas, Face, {cl3DDkShadow, cl3DLight});
        InflateRect(Face, -1, -1);
    }
    DrawDisc(Canvas, Face, Inside);
    if (State & DFCS_CHECKED) {
        const Integer Dot = Max(2, (Box.Width() + 1) / 3);
        const Integer Offset = (Box.Width() - Dot) / 2;
        DrawDisc(Canvas, Bounds(Box.Left + Offset, Box.Top + Offset, Dot, Dot),
                 (State & DFCS_INACTIVE) ? clBtnShadow : clWindowText);
    }
}

// A filled arrow of Size rows (or columns) pointing as Kind says, centred in R.
void DrawArrow(TCanvas* Canvas, const TRect& R, UINT Kind, TColor Color)
{
    const Integer Size = Max(1, (Min(R.Width(), R.Height()) + 1) / 4);
    const Integer CX = R.Left + (R.Width() - 1) / 2, CY = R.Top + (R.Height() - 1) / 2;
    const Integer X0 = R.Left + (R.Width() - Size) / 2, Y0 = R.Top + (R.Height() - Size) / 2;
    for (Integer I = 0; I < Size; ++I) {
        switch (Kind) {
        case DFCS_SCROLLUP:
            FillIn(Canvas, Rect(CX - I, Y0 + I, CX + I + 1, Y0 + I + 1), Color);
            break;
        case DFCS_SCROLLLEFT:
            FillIn(Canvas, Rect(X0 + I, CY - I, X0 + I + 1, CY + I + 1), Color);
            break;
        case DFCS_SCROLLRIGHT:
            FillIn(Canvas, Rect(X0 + I, CY - (Size - 1 - I), X0 + I + 1, CY + (Size - 1 - I) + 1), Color);
            break;
        default: // down and combo box
            FillIn(Canvas, Rect(CX - (Size - 1 - I), Y0 + I, CX + (Size - 1 - I) + 1, Y0 + I + 1), Color);
            break;
        }
    }
}

void DrawScrollButton(TCanvas* Canvas, const TRect& R, UINT State)
{
    DrawButtonFrame(Canvas, R, State);
    TRect Face = R;
    if ((State & DFCS_PUSHED) && !(State & DFCS_FLAT))
        OffsetRect(Face, 1, 1);
    const UINT Kind = State & 0xFF;
    if (State & DFCS_INACTIVE) {
        TRect Emboss = Face;
        OffsetRect(Emboss, 1, 1);
        DrawArrow(Canvas, Emboss, Kind, clBtnHighlight);
        DrawArrow(Canvas, Face, Kind, clBtnShadow);
    } else {
        DrawArrow(Canvas, Face, Kind, clBtnText);
    }
}

} // namespace

bool DrawEdge(TCanvas* Canvas, TRect& R, UINT Edge, UINT Flags)
{
    if (!Canvas)
        return false;
    if (IsRectEmpty(R))
        return true;
    TKeepPenAndBrush Keep(Canvas);
    TRect Inside = R;
    if (Edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER))
        DrawEdgeRing(Canvas, Inside, Flags & BF_RECT, OuterColors(Edge, Flags));
    if (Edge & (BDR_RAISEDINNER | BDR_SUNKENINNER))
        DrawEdgeRing(Canvas, Inside, Flags & BF_RECT, InnerColors(Edge, Flags));
    if (Flags & BF_MIDDLE)
        FillIn(Canvas, Inside, clBtnFace);
    if (Flags & BF_ADJUST)
        R = Inside;
    return true;
}

bool DrawFrameControl(TCanvas* Canvas, TRect& R, UINT Type, UINT State)
{
    if (!Canvas || (Type != DFC_BUTTON && Type != DFC_SCROLL))
        return false;
    if (IsRectEmpty(R))
        return true;
    TKeepPenAndBrush Keep(Canvas);
    const UINT Kind = State & 0xFF;
    if (Type == DFC_SCROLL)
        DrawScrollButton(Canvas, R, State);
    else if (Kind & DFCS_BUTTONPUSH)
        DrawButtonFrame(Canvas, R, State);
    else if (Kind & DFCS_BUTTONRADIO)
        DrawRadioButton(Canvas, R, State);
    else
        DrawCheckBox(Canvas, R, State);
    if (State & DFCS_ADJUSTRECT)
        InflateRect(R, -2, -2);
    return true;
}

Integer GetSystemMetrics(Integer Index)
{
    switch (Index) {
    case SM_CXVSCROLL: case SM_CYHSCROLL: case SM_CYVSCROLL: case SM_CXHSCROLL:
        return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    case SM_CXBORDER: case SM_CYBORDER:
        return 1;
    case SM_CXEDGE: case SM_CYEDGE:
        return 2;
    default:
        return 0;
    }
}

Integer GetDeviceCaps(TCanvas* Canvas, Integer Index)
{
    if (Index != LOGPIXELSX && Index != LOGPIXELSY)
        return 0;
    const bool X = Index == LOGPIXELSX;
    if (const QImage* Image = Canvas ? Canvas->DeviceImage() : nullptr)
        return Integer(qRound((X ? Image->dotsPerMeterX() : Image->dotsPerMeterY()) * 0.0254));
    QPainter* Painter = Canvas ? Canvas->Painter() : nullptr;
    QPaintDevice* Device = Painter ? Painter->device() : nullptr;
    if (!Device || Device->devType() == QInternal::Widget || Device->devType() == QInternal::Pixmap)
        return 96;
    return X ? Device->logicalDpiX() : Device->logicalDpiY();
}
