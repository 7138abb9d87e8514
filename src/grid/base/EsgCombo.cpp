#include "grid/base/EsgCombo.h"

#include "grid/base/ExStyleIF.h"
#include "rtl/Forms.h"
#include "rtl/Themes.h"

// ---------------------------------------------------------------- TEsgCustomCombo

TEsgCustomCombo::TEsgCustomCombo(TComponent* AOwner)
    : TCustomComboBox(AOwner), TLabelledControl(this), FButtonWidth(GetSystemMetrics(SM_CXVSCROLL) + 2),
      FIsThemed(HasCommonControls6())
{
    SetPaintOver(true);
}

TEsgCustomCombo::~TEsgCustomCombo() = default;

bool TEsgCustomCombo::Loading() const
{
    return ComponentState().Contains(csLoading);
}

void TEsgCustomCombo::Init()
{
    FNormalColor = Color();
}

void TEsgCustomCombo::SelectItem(const String& AString)
{
    const Integer Index = Items()->IndexOf(AString);
    if (Index >= 0)
        SetItemIndex(Index);
}

void TEsgCustomCombo::SetFlat(bool Value)
{
    if (Value == FFlat)
        return;
    FFlat = Value;
    SetCtl3D(!Value);
    if (Value && FFlatParentColor && Parent())
        SetColor(Parent()->Color());
    else
        SetColor(FLoadedColor);
    Invalidate();
}

void TEsgCustomCombo::SetEtched(bool Value)
{
    FEtched = Value;
    Invalidate();
}

void TEsgCustomCombo::SetButtonWidth(Integer Value)
{
    if (Value < 14 || Value > 32)
        return;
    FButtonWidth = Value;
    Invalidate();
}

void TEsgCustomCombo::SetDropWidth(Integer Value)
{
    FDropWidth = Value;
    if (Value > 0)
        Perform(CB_SETDROPPEDWIDTH, WPARAM(Value));
}

void TEsgCustomCombo::SetFlatLineColor(TColor Value)
{
    FFlatLineColor = Value;
    Invalidate();
}

void TEsgCustomCombo::SetFlatParentColor(bool Value)
{
    FFlatParentColor = Value;
    Invalidate();
}

void TEsgCustomCombo::SetFocusBorderColor(TColor Value)
{
    FFocusBorderColor = Value;
    Invalidate();
}

void TEsgCustomCombo::SetBorderColor(TColor Value)
{
    if (Value == FBorderColor)
        return;
    FBorderColor = Value;
    Invalidate();
}

void TEsgCustomCombo::SetDisabledBorder(bool Value)
{
    FDisabledBorder = Value;
    Invalidate();
}

void TEsgCustomCombo::ButtonColorsChanged()
{
    Invalidate();
}

void TEsgCustomCombo::SetEnabled(bool Value)
{
    const bool Changed = Value != Enabled();
    TCustomComboBox::SetEnabled(Value);
    if (Changed && !Loading()) {
        LabelFollowEnabled();
        UpdateLabel();
    }
}

void TEsgCustomCombo::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight)
{
    TCustomComboBox::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (!ComponentState().Contains(csDestroying))
        UpdateLabel();
}

void TEsgCustomCombo::Loaded()
{
    TCustomComboBox::Loaded();
    if (FDropWidth > 0)
        Perform(CB_SETDROPPEDWIDTH, WPARAM(FDropWidth));
    FOldColor = FLoadedColor;
    if (!(ParentColor() && !FFlat))
        SetColor(FLoadedColor);
    LabelFollowEnabled();
    UpdateLabel();
    Init();
}

void TEsgCustomCombo::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomComboBox::Notification(AComponent, Operation);
    LabelNotification(AComponent, Operation);
}

bool TEsgCustomCombo::IsThemedXP() const
{
    return FIsThemed && IsThemeActive();
}

// ---------------------------------------------------------------- events

void TEsgCustomCombo::DropDown()
{
    TCustomComboBox::DropDown();
    Invalidate();
}

void TEsgCustomCombo::CloseUp()
{
    TCustomComboBox::CloseUp();
    Invalidate();
    if (OnDropUp)
        OnDropUp(this);
}

void TEsgCustomCombo::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    TCustomComboBox::MouseMove(Shift, X, Y);
    const bool Hover = X > Width() - FButtonWidth && X < Width();
    if (Hover != FButtonHover) {
        FButtonHover = Hover;
        Invalidate();
    }
}

void TEsgCustomCombo::CMEnter(TMessage& Message)
{
    FHasFocus = true;
    Invalidate();
    if (FFocusColor != clDefault)
        SetColor(FFocusColor);
    LabelShowFocus(true);
    TCustomComboBox::CMEnter(Message);
}

void TEsgCustomCombo::CMExit(TMessage& Message)
{
    FHasFocus = false;
    Invalidate();
    if (FFocusColor != clDefault && FNormalColor != clDefault)
        SetColor(FNormalColor);
    LabelShowFocus(false);
    TCustomComboBox::CMExit(Message);
}

void TEsgCustomCombo::CMMouseEnter(TMessage& Message)
{
    TCustomComboBox::CMMouseEnter(Message);
    if (!Enabled())
        return;
    Invalidate();
    if (FAutoFocus) {
        const TCustomForm* Form = GetParentForm(this);
        if ((!Form || Form->Active()) && CanFocus())
            SetFocus();
    }
}

void TEsgCustomCombo::CMMouseLeave(TMessage& Message)
{
    TCustomComboBox::CMMouseLeave(Message);
    FButtonHover = false;
    Invalidate();
}

void TEsgCustomCombo::CMEnabledChanged(TMessage& Message)
{
    // A flat control shows its parent's colour while disabled.
    if (FFlat && !Loading()) {
        if (!Enabled()) {
            FOldParentColor = ParentColor();
            FOldColor = Color();
            SetParentColor(true);
        } else {
            SetColor(FOldColor);
            SetParentColor(FOldParentColor);
        }
    }
    TCustomComboBox::CMEnabledChanged(Message);
}

void TEsgCustomCombo::CMVisibleChanged(TMessage& Message)
{
    TCustomComboBox::CMVisibleChanged(Message);
    LabelFollowVisible();
}

void TEsgCustomCombo::CMColorChanged(TMessage& Message)
{
    if (Loading())
        FLoadedColor = Color();
    TCustomComboBox::CMColorChanged(Message);
}

void TEsgCustomCombo::CMFontChanged(TMessage& Message)
{
    TCustomComboBox::CMFontChanged(Message);
    if (Loading() && ParentFont() && ComboLabel())
        ComboLabel()->Font()->Assign(Font());
}

void TEsgCustomCombo::CMParentFontChanged(TMessage& Message)
{
    TCustomComboBox::CMParentFontChanged(Message);
    if (ComboLabel() && ParentFont()) {
        ComboLabel()->Font()->Assign(Font());
        UpdateLabel();
    }
}

// ---------------------------------------------------------------- painting

bool TEsgCustomCombo::NeedsPaintOver() const
{
    if (FIsVista && !HasButtonColor())
        return false;
    return FFlat || HasButtonColor() || FBorderColor != clDefault ||
           (FFocusBorderColor != clDefault && FHasFocus) || (!Enabled() && IsThemedXP() && !FDisabledBorder);
}

bool TEsgCustomCombo::NeedsFocusBorder() const
{
    return FFocusBorder && (FMouseInControl || Focused());
}

void TEsgCustomCombo::PaintOver(TCanvas* Canvas)
{
    if (!NeedsPaintOver())
        return;
    DrawButton(Canvas);
    // The borders are drawn on the whole window, where the button's
    // exclusion from the client area does not reach.
    Canvas->SelectClipRgn({});
    DrawBorders(Canvas);
}

void TEsgCustomCombo::DrawButton(TCanvas* Canvas)
{
    TRect R(ClientWidth() - FButtonWidth + 2, 0, Width(), Height());
    InflateRect(R, -1, -1);
    const bool MouseDown = GetKeyState(VK_LBUTTON) < 0;
    if (!HasButtonColor()) {
        if (IsThemedXP()) {
            Integer State = CBXS_HOT;
            if (!Enabled())
                State = CBXS_DISABLED;
            else if (MouseDown && DroppedDown())
                State = CBXS_PRESSED;
            else if (MouseDown || !FButtonHover || DroppedDown())
                State = CBXS_NORMAL;
            DrawThemeBackground(OpenThemeData(Handle(), QStringLiteral("combobox")), Canvas, CP_DROPDOWNBUTTON, State,
                                R);
        } else {
            TRect Classic(R.Left - 4, R.Top + 1, R.Right, R.Bottom - 1);
            DrawFrameControl(Canvas, Classic, DFC_SCROLL,
                             DFCS_SCROLLCOMBOBOX | (Enabled() ? DFCS_FLAT : DFCS_INACTIVE));
        }
    } else {
        DrawColouredDropButton(Canvas, *this, TRect(R.Left - 1, R.Top + 1, R.Right - 1, R.Bottom - 1), R.Left - 1,
                               TPoint(R.Left + 4, R.Top + 7), FButtonHover, MouseDown && FButtonHover);
    }
    Canvas->ExcludeClipRect(TRect(ClientWidth() - FButtonWidth - 4, 0, ClientWidth() + 2, Height()));
}

void TEsgCustomCombo::DrawBorders(TCanvas* Canvas)
{
    if ((Enabled() && !FFlat && FBorderColor == clDefault && FFocusBorderColor == clDefault) ||
        (FIsVista && FBorderColor == clDefault))
        return;
    DrawControlBorder(Canvas);
    if (Style() != csSimple && !(FIsWinXP && IsThemedXP()))
        DrawButtonBorder(Canvas);
}

void TEsgCustomCombo::DrawControlBorder(TCanvas* Canvas)
{
    const TRect Whole(0, 0, Width(), Height());
    if (!Enabled() && IsThemedXP() && !FDisabledBorder) {
        FrameInColour(Canvas, Whole, EsgDisabledBorderColor);
        return;
    }
    const bool FocusFrame = FHasFocus && FFocusBorderColor != clDefault;
    if (FBorderColor != clDefault && !FocusFrame) {
        FrameInColour(Canvas, Whole, FBorderColor);
    } else if (FFocusBorderColor != clDefault) {
        if (FHasFocus)
            FrameInColour(Canvas, Whole, FFocusBorderColor);
    } else {
        const TColor Outer = NeedsFocusBorder() ? clBtnFace : Parent() ? Parent()->Color() : clBtnFace;
        const TRect R = DrawFlatBorder(Canvas, Whole, Outer, Color(), NeedsFocusBorder(), FButtonWidth);
        if (FFlat && FFlatLineColor != clDefault) {
            Canvas->Pen()->SetColor(FFlatLineColor);
            Canvas->MoveTo(R.Left - 2, Height() - 1);
            Canvas->LineTo(R.Right - FButtonWidth - 1, Height() - 1);
        }
    }
}

void TEsgCustomCombo::DrawButtonBorder(TCanvas* Canvas)
{
    DrawDropButtonBorder(Canvas, ClientWidth(), ClientHeight(), FButtonWidth, FMouseInControl || Focused(), false,
                         false);
}
