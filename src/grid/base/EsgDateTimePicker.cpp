#include "grid/base/EsgDateTimePicker.h"

#include "grid/base/ExStyleIF.h"
#include "rtl/Themes.h"

String VersionText(Cardinal Version)
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg(Version >> 24)
        .arg((Version >> 16) & 0xFF)
        .arg((Version >> 8) & 0xFF)
        .arg(Version & 0xFF);
}

// ---------------------------------------------------------------- TEsgFlatPicker

TEsgFlatPicker::TEsgFlatPicker(TComponent* AOwner, bool Ctl3DOn, TColor ABorderColor)
    : TDateTimePicker(AOwner), FBorderColor(ABorderColor), FIsThemed(HasCommonControls6()),
      FButtonWidth(GetSystemMetrics(SM_CXVSCROLL) + 2), FIsWinXP(::IsWinXP())
{
    SetCtl3D(Ctl3DOn);
    SetPaintOver(true);
}

void TEsgFlatPicker::SetBorderStyle(TBorderStyle Value)
{
    if (Value == FBorderStyle)
        return;
    FBorderStyle = Value;
    Invalidate();
}

void TEsgFlatPicker::SetBorderColor(TColor Value)
{
    FBorderColor = Value;
    Invalidate();
}

void TEsgFlatPicker::SetMetroStyle(bool Value)
{
    FMetroStyle = Value;
    Invalidate();
}

void TEsgFlatPicker::ButtonColorsChanged()
{
    Invalidate();
}

bool TEsgFlatPicker::Themed() const
{
    return FIsThemed && IsThemeActive();
}

bool TEsgFlatPicker::NeedsFocusBorder() const
{
    return FFocusBorder && (FMouseInControl || Focused());
}

// The part of the platform's paint handler that the flat look replaces
// works on Vista or later with common controls 6 only.
bool TEsgFlatPicker::PaintsClientArea() const
{
    return !(Ctl3D() && !IsMetro()) && HasVistaAPI();
}

void TEsgFlatPicker::PaintOver(TCanvas* Canvas)
{
    // What the platform's frame painting is followed by.
    if (!Ctl3D())
        DrawFlatOutline(Canvas);
    if (!Enabled() && Themed() && !FDisabledBorder)
        DrawBorders(Canvas);
    if ((FFocusBorderColor != clDefault && FHasFocus) || FBorderColor != clDefault)
        DrawBorders(Canvas);
    if (!PaintsClientArea())
        return;
    // What the platform's client painting is followed by.
    if (IsMetro() && Kind() != dtkTime && HasCommonControls6()) {
        const TRect Strip = IsThemeActive() ? TRect(MetroFillLeft(), 1, ClientWidth(), Height())
                                            : TRect(ClientWidth() - FButtonWidth - 2, 4, ClientWidth() - 2,
                                                    Height() - 4);
        Canvas->Brush()->SetColor(Color());
        Canvas->FillRect(Strip);
        DrawButton(Canvas);
    }
    DrawOverMetroFill(Canvas);
    DrawBorders(Canvas);
}

void TEsgFlatPicker::DrawFlatOutline(TCanvas* Canvas)
{
    const Integer W = Width(), H = Height();
    const TColor ParentColour = Parent() ? Parent()->Color() : clBtnFace;
    TColor Outline = FBorderColor;
    if (FBorderStyle == bsNone && Parent())
        Outline = ParentColour;
    else if (Themed())
        Outline = EsgDisabledBorderColor;
    Canvas->Pen()->SetColor(Outline);
    Canvas->Polyline({TPoint(0, H), TPoint(0, 0), TPoint(W - 1, 0), TPoint(W - 1, H - 1), TPoint(0, H - 1)});
    if ((FBorderStyle == bsNone || FBorderStyle == bsSingle) && Parent()) {
        if (FBorderStyle == bsSingle)
            Canvas->Pen()->SetColor(ParentColour);
        Canvas->Polyline({TPoint(1, H - 2), TPoint(1, 1), TPoint(W - 1, 1)});
    }
}

void TEsgFlatPicker::DrawBorders(TCanvas* Canvas)
{
    if (!IsMetro() || (Enabled() && FBorderColor == clDefault && FFocusBorderColor == clDefault))
        return;
    DrawControlBorder(Canvas);
    if (!(FIsWinXP && IsThemeActive()))
        DrawButtonBorder(Canvas);
}

void TEsgFlatPicker::DrawControlBorder(TCanvas* Canvas)
{
    const TRect Whole(0, 0, Width(), Height());
    if (!Enabled() && Themed() && !FDisabledBorder) {
        FrameInColour(Canvas, Whole, EsgDisabledBorderColor);
    } else if (FBorderColor == clDefault || (FHasFocus && FFocusBorderColor != clDefault)) {
        if (FFocusBorderColor == clDefault) {
            const TColor Outer = NeedsFocusBorder() ? clBtnFace : Parent() ? Parent()->Color() : clBtnFace;
            DrawFlatBorder(Canvas, Whole, Outer, Color(), NeedsFocusBorder(), FButtonWidth);
        } else if (FHasFocus) {
            FrameInColour(Canvas, Whole, FFocusBorderColor);
        }
    } else {
        FrameInColour(Canvas, Whole, FBorderColor);
    }
}

void TEsgFlatPicker::DrawButtonBorder(TCanvas* Canvas)
{
    DrawDropButtonBorder(Canvas, ClientWidth(), ClientHeight(), FButtonWidth, FMouseInControl || Focused(), true,
                         DroppedDown());
}

void TEsgFlatPicker::DrawButton(TCanvas* Canvas)
{
    TRect R(ClientWidth() - FButtonWidth + 2, 0, Width(), Height());
    InflateRect(R, -1, -1);
    if (!HasButtonColor()) {
        if (Themed()) {
            Integer State = CBXS_HOT;
            if (!Enabled())
                State = CBXS_DISABLED;
            else if (DroppedDown())
                State = CBXS_PRESSED;
            else if (!FButtonHover)
                State = CBXS_NORMAL;
            DrawThemeBackground(OpenThemeData(Handle(), QStringLiteral("combobox")), Canvas, CP_DROPDOWNBUTTON, State,
                                R);
        } else {
            DrawFrameControl(Canvas, R, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | (Enabled() ? DFCS_FLAT : DFCS_INACTIVE));
        }
    } else {
        DrawColouredDropButton(Canvas, *this, TRect(R.Left + 2, R.Top + 1, R.Right - 1, R.Bottom - 1), R.Left,
                               TPoint(R.Left + 5, R.Top + 7), FButtonHover, DroppedDown());
    }
    Canvas->ExcludeClipRect(TRect(ClientWidth() - FButtonWidth - 4, 0, ClientWidth() + 2, Height()));
}

void TEsgFlatPicker::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    TDateTimePicker::MouseMove(Shift, X, Y);
    const bool Hover = X > Width() - FButtonWidth && X < Width();
    if (Hover != FButtonHover) {
        FButtonHover = Hover;
        Invalidate();
    }
}

void TEsgFlatPicker::CMMouseEnter(TMessage& Message)
{
    TDateTimePicker::CMMouseEnter(Message);
    if (Enabled())
        Invalidate();
}

void TEsgFlatPicker::CMMouseLeave(TMessage& Message)
{
    TDateTimePicker::CMMouseLeave(Message);
    FButtonHover = false;
    Invalidate();
}

void TEsgFlatPicker::CMEnter(TMessage& Message)
{
    FHasFocus = true;
    Invalidate();
    TDateTimePicker::CMEnter(Message);
}

void TEsgFlatPicker::CMExit(TMessage& Message)
{
    FHasFocus = false;
    Invalidate();
    TDateTimePicker::CMExit(Message);
}

// ---------------------------------------------------------------- TEsgDateTimePicker

TEsgDateTimePicker::TEsgDateTimePicker(TComponent* AOwner) : TEsgFlatPicker(AOwner, true, clDefault) {}

String TEsgDateTimePicker::Version() const
{
    return VersionText(0x01000000);
}

bool TEsgDateTimePicker::IsMetro() const
{
    return FMetroStyle && !ComponentState().Contains(csDesigning);
}

Integer TEsgDateTimePicker::MetroFillLeft() const
{
    return ClientWidth() - FButtonWidth - 15;
}
