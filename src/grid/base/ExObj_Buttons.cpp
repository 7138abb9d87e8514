// The grid's button and check box controls.
#include "grid/base/ExObj.h"

#include "grid/base/ExUtil.h"
#include "grid/base/ExXPVS.h"
#include "rtl/Forms.h"
#include "rtl/Menus.h"
#include "rtl/Themes.h"

#include <array>

namespace {

// The drop-down part is the rightmost 12 pixels.
constexpr Integer ExBtnDropDownWidth = 12;
constexpr Integer ExBtnGradientSteps = 16;
constexpr TColor ExBtnShadeColor = 0x808080;
// The theme adaptation also answers this control message.
constexpr Cardinal ExBtnThemeAdaptMessage = 0xB035;

struct TExBtnLook {
    TColor Color, ColorTo, ColorHot, ColorHotTo, ColorDown, ColorDownTo, ColorChecked, ColorCheckedTo,
        BorderDownColor, BorderHotColor;
};

const std::array<TExBtnLook, 7> ExBtnLooks = {{
    {0xEDF1F1, 0xDFEBEB, 0xFAFCFC, 0xE5ECED, 0xE0E6E7, 0xD8E0E1, 0xFFFFFF, clNone, 0xAF987A, 0xC3CECE},
    {clBtnFace, clNone, 0xEED2C1, clNone, 0xE2B598, clNone, 0xE8E6E1, clNone, 0xC56A31, 0xC56A31},
    {0xFDEADA, 0xE4AE88, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, 0x000000, 0x000000},
    {0xCFF0EA, 0x8CC0B1, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, 0x000000, 0x000000},
    {0xECE2E1, 0xB39698, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, 0x000000, 0x000000},
    {clBtnFace, clNone, clBtnFace, clNone, 0xD8D3D2, clNone, 0xCAC7C7, clNone, clNone, clNone},
    {0xCAFFFF, 0xA6FFFF, 0xA8F0FD, 0x7CE9FC, 0x4DE0FB, 0x7AE9FC, 0xB5E6F2, 0x9CDDED, 0x808080, 0x808080},
}};

// Stores a changed value and repaints the control.
template <class T>
void ExBtnChange(TControl* Control, T& Field, const T& Value)
{
    if (Field == Value)
        return;
    Field = Value;
    Control->Invalidate();
}

// Copies Source into Target (an empty source empties it).
void ExBtnCopyBitmap(std::unique_ptr<TBitmap>& Target, TBitmap* Source)
{
    if (Source)
        Target->Assign(Source);
    else
        Target->SetSize(0, 0);
}

// Each pixel grey at ((r + g + b) / 3) / 2 + 96.
void ExBtnMakeDisabled(TBitmap* Glyph, TBitmap* Disabled)
{
    Disabled->Assign(Glyph);
    for (Integer Y = 0; Y < Disabled->Height(); ++Y)
        for (Integer X = 0; X < Disabled->Width(); ++X) {
            const TColor C = Disabled->Canvas()->Pixels(X, Y);
            const Integer G = ((GetRValue(C) + GetGValue(C) + GetBValue(C)) / 3) / 2 + 96;
            Disabled->Canvas()->SetPixels(X, Y, RGB(G, G, G));
        }
}

void ExBtnDrawTransparent(TCanvas* Canvas, Integer X, Integer Y, TBitmap* Bitmap)
{
    Bitmap->SetTransparent(true);
    Canvas->Draw(X, Y, Bitmap);
}

bool ExBtnEmpty(const TBitmap* Bitmap)
{
    return !Bitmap || Bitmap->Empty();
}

struct TExBtnLayout {
    TPoint GlyphPos;
    TRect TextBounds;
};

// Places glyph and caption in a client area of Client's size along the
// layout's axis; Margin and Spacing -1 share the free room.
TExBtnLayout ExBtnCalcLayout(TSize Client, TSize Glyph, TSize Text, TButtonLayout Layout, Integer Margin,
                             Integer Spacing)
{
    const bool Horizontal = Layout == blGlyphLeft || Layout == blGlyphRight;
    TPoint G, T;
    if (Horizontal) {
        G.Y = (Client.cy - Glyph.cy + 1) / 2;
        T.Y = (Client.cy - Text.cy + 1) / 2;
    } else {
        G.X = (Client.cx - Glyph.cx + 1) / 2;
        T.X = (Client.cx - Text.cx + 1) / 2;
    }
    if (Text.cx == 0 || Glyph.cx == 0)
        Spacing = 0;
    const Integer Extent = Horizontal ? Client.cx : Client.cy;
    const Integer GlyphExtent = Horizontal ? Glyph.cx : Glyph.cy;
    const Integer TextExtent = Horizontal ? Text.cx : Text.cy;
    if (Margin == -1) {
        if (Spacing == -1) {
            Spacing = (Extent - GlyphExtent - TextExtent) / 3;
            Margin = Spacing;
        } else {
            Margin = (Extent - (GlyphExtent + Spacing + TextExtent) + 1) / 2;
        }
    } else if (Spacing == -1) {
        Spacing = (Extent - Margin - GlyphExtent - TextExtent) / 2;
    }
    Integer& GlyphAt = Horizontal ? G.X : G.Y;
    Integer& TextAt = Horizontal ? T.X : T.Y;
    if (Layout == blGlyphLeft || Layout == blGlyphTop) {
        GlyphAt = Margin;
        TextAt = GlyphAt + GlyphExtent + Spacing;
    } else {
        GlyphAt = Extent - Margin - GlyphExtent;
        TextAt = GlyphAt - Spacing - TextExtent;
    }
    return TExBtnLayout{G, Bounds(T.X, T.Y, Text.cx, Text.cy)};
}

} // namespace

// ---------------------------------------------------------------- TExGridButton

TExGridButton::TExGridButton(TComponent* AOwner)
    : TGraphicControl(AOwner), FGlyph(std::make_unique<TBitmap>()), FGlyphDisabled(std::make_unique<TBitmap>()),
      FGlyphHot(std::make_unique<TBitmap>()), FGlyphDown(std::make_unique<TBitmap>()),
      FGlyphShade(std::make_unique<TBitmap>())
{
    SetBounds(0, 0, 23, 22);
    SetControlStyle(TControlStyle{csCaptureMouse, csDoubleClicks});
    SetColor(clBtnFace);
    SetParentFont(true);
    FGlyph->OnChange = [this](TObject*) { Invalidate(); };
}

TExGridButton::~TExGridButton() = default;

void TExGridButton::Loaded()
{
    TGraphicControl::Loaded();
    if (FShaded)
        BuildShade();
    if (FAutoThemeAdapt)
        ThemeAdapt();
}

void TExGridButton::Notification(TComponent* AComponent, TOperation Operation)
{
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FDropDownMenu)
        FDropDownMenu = nullptr;
}

TControlActionLinkClass TExGridButton::GetActionLinkClass() const
{
    return ActionLinkClassOf<TExGridButtonActionLink>();
}

// ---------------------------------------------------------------- properties

void TExGridButton::SetGroupIndex(Integer Value)
{
    if (FGroupIndex == Value)
        return;
    FGroupIndex = Value;
    UpdateExclusive();
}

void TExGridButton::SetAllowAllUp(bool Value)
{
    if (FAllowAllUp == Value)
        return;
    FAllowAllUp = Value;
    UpdateExclusive();
}

void TExGridButton::SetGlyph(TBitmap* Value)
{
    ExBtnCopyBitmap(FGlyph, Value);
    if (FGlyphDisabled->Empty() && !FGlyph->Empty())
        ExBtnMakeDisabled(FGlyph.get(), FGlyphDisabled.get());
    Invalidate();
}

void TExGridButton::SetGlyphDisabled(TBitmap* Value)
{
    ExBtnCopyBitmap(FGlyphDisabled, Value);
}

void TExGridButton::SetGlyphHot(TBitmap* Value)
{
    ExBtnCopyBitmap(FGlyphHot, Value);
}

void TExGridButton::SetGlyphDown(TBitmap* Value)
{
    ExBtnCopyBitmap(FGlyphDown, Value);
}

void TExGridButton::SetDown(bool Value)
{
    if (FGroupIndex == 0 && FStyle == tasButton)
        Value = false;
    if (FStyle == tasCheck) {
        FDown = Value;
        Invalidate();
        return;
    }
    if (Value == FDown || (FDown && !FAllowAllUp))
        return;
    FDown = Value;
    if (Value) {
        if (FState == bsUp)
            Invalidate();
        FState = bsExclusive;
        UpdateExclusive();
    } else {
        FState = bsUp;
        Invalidate();
    }
}

void TExGridButton::SetLayout(TButtonLayout Value)
{
    ExBtnChange(this, FLayout, Value);
}

void TExGridButton::SetSpacing(Integer Value)
{
    ExBtnChange(this, FSpacing, Value);
}

void TExGridButton::SetMargin(Integer Value)
{
    if (Value >= -1)
        ExBtnChange(this, FMargin, Value);
}

void TExGridButton::SetFlat(bool Value)
{
    ExBtnChange(this, FFlat, Value);
}

void TExGridButton::SetShowCaption(bool Value)
{
    ExBtnChange(this, FShowCaption, Value);
}

void TExGridButton::SetColorTo(TColor Value)
{
    ExBtnChange(this, FColorTo, Value);
}

void TExGridButton::SetColorChecked(TColor Value)
{
    ExBtnChange(this, FColorChecked, Value);
}

void TExGridButton::SetColorCheckedTo(TColor Value)
{
    ExBtnChange(this, FColorCheckedTo, Value);
}

void TExGridButton::SetBorderColor(TColor Value)
{
    ExBtnChange(this, FBorderColor, Value);
}

void TExGridButton::SetStyle(TExGridButtonStyle Value)
{
    ExBtnChange(this, FStyle, Value);
}

void TExGridButton::SetRounded(bool Value)
{
    ExBtnChange(this, FRounded, Value);
}

void TExGridButton::SetDropDownButton(bool Value)
{
    ExBtnChange(this, FDropDownButton, Value);
}

void TExGridButton::SetShaded(bool Value)
{
    FShaded = Value;
    if (Value && !ComponentState().Contains(csLoading))
        BuildShade();
}

void TExGridButton::SetAutoThemeAdapt(bool Value)
{
    FAutoThemeAdapt = Value;
    if (Value)
        ThemeAdapt();
}

void TExGridButton::SetDropDownMenu(TPopupMenu* Value)
{
    FDropDownMenu = Value;
    if (Value)
        Value->FreeNotification(this);
}

void TExGridButton::SetLook(Integer Value)
{
    if (Value < 0 || Value >= Integer(ExBtnLooks.size()))
        return;
    const TExBtnLook& L = ExBtnLooks[std::size_t(Value)];
    SetColor(L.Color);
    FColorTo = L.ColorTo;
    FColorHot = L.ColorHot;
    FColorHotTo = L.ColorHotTo;
    FColorDown = L.ColorDown;
    FColorDownTo = L.ColorDownTo;
    FColorChecked = L.ColorChecked;
    FColorCheckedTo = L.ColorCheckedTo;
    FBorderDownColor = L.BorderDownColor;
    FBorderHotColor = L.BorderHotColor;
    FBorderColor = clNone;
    FFlat = true;
    FRounded = Value == 0;
    FLook = Value;
    Invalidate();
}

// The colour scheme of the visual style decides the look; no style or an
// unknown scheme gives look 1.
void TExGridButton::ThemeAdapt()
{
    Integer NewLook = 1;
    String Scheme;
    if (ThemeAPIBound && ThemeAPI.IsThemeActive() && ThemeAPI.GetCurrentThemeName(nullptr, &Scheme, nullptr) == S_OK) {
        if (Scheme == QLatin1String("NormalColor"))
            NewLook = 2;
        else if (Scheme == QLatin1String("HomeStead"))
            NewLook = 3;
        else if (Scheme == QLatin1String("Metallic"))
            NewLook = 4;
    }
    SetLook(NewLook);
}

// The glyph's shape in grey on its transparent colour.
void TExGridButton::BuildShade()
{
    if (FGlyph->Empty())
        return;
    const TColor Transparent = FGlyph->Canvas()->Pixels(0, FGlyph->Height() - 1);
    FGlyphShade->SetSize(FGlyph->Width(), FGlyph->Height());
    for (Integer Y = 0; Y < FGlyph->Height(); ++Y)
        for (Integer X = 0; X < FGlyph->Width(); ++X)
            FGlyphShade->Canvas()->SetPixels(
                X, Y, FGlyph->Canvas()->Pixels(X, Y) == Transparent ? Transparent : ExBtnShadeColor);
}

// ---------------------------------------------------------------- groups and messages

void TExGridButton::UpdateExclusive()
{
    if (FGroupIndex == 0 || !Parent())
        return;
    TMessage Message{CM_BUTTONPRESSED, WPARAM(FGroupIndex), LPARAM(static_cast<TControl*>(this)), 0};
    Parent()->Broadcast(Message);
}

void TExGridButton::ButtonPressed(TMessage& Message)
{
    auto* Sender = dynamic_cast<TExGridButton*>(reinterpret_cast<TControl*>(Message.LParam));
    if (Integer(Message.WParam) != FGroupIndex || !Sender || Sender == this)
        return;
    if (Sender->Down() && FDown) {
        FDown = false;
        FState = bsUp;
        if (auto* A = dynamic_cast<TCustomAction*>(Action()))
            A->SetChecked(false);
        Invalidate();
    }
    FAllowAllUp = Sender->AllowAllUp();
}

void TExGridButton::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_BUTTONPRESSED:
        ButtonPressed(Message);
        return;
    case WM_THEMECHANGED:
    case ExBtnThemeAdaptMessage:
        if (FAutoThemeAdapt)
            ThemeAdapt();
        break;
    case CM_DIALOGCHAR:
        if (IsAccel(Word(Message.WParam), Caption()) && Enabled() && Visible() && Parent() && Parent()->Showing()) {
            Click();
            Message.Result = 1;
            return;
        }
        break;
    case WM_LBUTTONDBLCLK:
        TGraphicControl::WndProc(Message);
        if (FDown)
            DblClick();
        return;
    case CM_TEXTCHANGED:
    case CM_SYSCOLORCHANGE:
        Invalidate();
        break;
    case CM_ENABLEDCHANGED:
        TGraphicControl::WndProc(Message);
        UpdateTracking();
        Repaint();
        return;
    case CM_MOUSEENTER:
        if (!Enabled())
            return;
        Repaint();
        break;
    case CM_MOUSELEAVE:
        // While the button is held the face stays hot.
        if (FDragging)
            FMouseInControl = true;
        if (!Enabled() || FDragging)
            return;
        Repaint();
        break;
    default:
        break;
    }
    TGraphicControl::WndProc(Message);
}

bool TExGridButton::Hot() const
{
    return FMouseInControl && Enabled() && !Designing();
}

bool TExGridButton::InClient(Integer X, Integer Y) const
{
    return X >= 0 && X < ClientWidth() && Y >= 0 && Y <= ClientHeight();
}

// Whether the mouse is over the button now, told as entering or leaving.
void TExGridButton::UpdateTracking()
{
    const TPoint P = ScreenToClient(Mouse->CursorPos());
    const bool Over = Enabled() && Showing() && PtInRect(ClientRect(), P);
    if (Over == FMouseInControl)
        return;
    FMouseInControl = Over;
    Perform(Over ? CM_MOUSEENTER : CM_MOUSELEAVE, 0, LPARAM(static_cast<TControl*>(this)));
}

// ---------------------------------------------------------------- mouse

void TExGridButton::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !Enabled())
        return;
    if (FDropDownButton && X > ClientWidth() - ExBtnDropDownWidth) {
        FState = bsUp;
        if (OnDropDown)
            OnDropDown(this);
        if (FDropDownMenu) {
            const TPoint P = ClientToScreen(TPoint(0, Height()));
            FDropDownMenu->Popup(P.X, P.Y);
        }
        return;
    }
    if (!FDown) {
        FState = bsDown;
        Invalidate();
    }
    if (FStyle == tasCheck) {
        FState = bsDown;
        Repaint();
    }
    FDragging = true;
}

void TExGridButton::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    TGraphicControl::MouseMove(Shift, X, Y);
    if (!FDragging) {
        // A move over the button tells that the mouse is in it.
        if (!FMouseInControl && Enabled()) {
            FMouseInControl = true;
            Perform(CM_MOUSEENTER, 0, LPARAM(static_cast<TControl*>(this)));
        }
        return;
    }
    TButtonState NewState = FDown ? bsExclusive : bsUp;
    if (InClient(X, Y))
        NewState = FDown ? bsExclusive : bsDown;
    if (FStyle == tasCheck && FDown)
        NewState = bsDown;
    if (NewState != FState) {
        FState = NewState;
        Invalidate();
    }
}

void TExGridButton::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (!FDragging)
        return;
    FDragging = false;
    const bool Inside = InClient(X, Y);
    if (FGroupIndex == 0) {
        FState = bsUp;
        if (FStyle == tasCheck) {
            SetDown(!FDown);
            FState = bsUp;
        }
        if (Inside && FState != bsExclusive && FState != bsDown)
            Invalidate();
    } else if (Inside) {
        SetDown(!FDown);
        if (FDown)
            Repaint();
    } else {
        if (FDown)
            FState = bsExclusive;
        Repaint();
    }
    const std::shared_ptr<bool> Alive = FAlive;
    if (Inside)
        Click();
    if (*Alive)
        UpdateTracking();
}

// ---------------------------------------------------------------- painting

void TExGridButton::Paint()
{
    if (!Enabled()) {
        FState = bsDisabled;
        FDragging = false;
    } else if (FState == bsDisabled) {
        FState = FDown && FGroupIndex != 0 ? bsExclusive : bsUp;
    }
    if (FStyle == tasCheck && FDown)
        FState = bsDown;
    Canvas()->Font()->Assign(Font());
    TRect R = ClientRect();
    const bool IsHot = Hot();
    if (FFlat)
        PaintFlatFace(R, IsHot);
    else
        PaintRaisedFace(R);
    const TPoint Offset = ContentOffset(R, IsHot);
    if (FDropDownButton)
        PaintDropDownArrow(R);
    PaintGlyphAndCaption(R, Offset, IsHot);
}

void TExGridButton::PaintFace(const TRect& R, TColor From, TColor To, TColor Pen)
{
    TCanvas* C = Canvas();
    if (To == clNone) {
        C->Brush()->SetColor(From);
        C->Pen()->SetColor(Pen == clNone ? From : Pen);
        C->Rectangle(R);
        return;
    }
    DrawGradient(C, From, To, false, R, ExBtnGradientSteps);
    if (Pen == clNone)
        return;
    C->Brush()->SetStyle(bsClear);
    C->Pen()->SetColor(Pen);
    C->Rectangle(R);
}

void TExGridButton::PaintFlatFace(TRect& R, bool IsHot)
{
    TCanvas* C = Canvas();
    if (FBorderDownColor == clNone || FRounded)
        InflateRect(R, -1, -1);
    TRect Outer = R;
    InflateRect(Outer, 1, 1);
    if (!IsHot) {
        if (FStyle == tasCheck && FDown) {
            PaintFace(R, FColorChecked, FColorCheckedTo, FBorderDownColor);
        } else {
            const TColor Frame = FRounded || FColorTo == clNone ? clNone : FDown ? FBorderDownColor : FBorderColor;
            PaintFace(R, Color(), FColorTo, Frame);
            if (FBorderColor != clNone) {
                C->Brush()->SetStyle(bsClear);
                C->Pen()->SetColor(FBorderColor);
                if (FRounded)
                    C->RoundRect(Outer, 8, 8);
                else
                    C->Rectangle(R);
            }
        }
    } else {
        TColor From = FColorHot, To = FColorHotTo, Pen = FBorderHotColor;
        if (FState == bsDown) {
            From = FColorDown;
            To = FColorDownTo;
            Pen = FBorderDownColor;
        }
        if (FStyle == tasCheck && FDown && FState != bsDown) {
            From = FColorChecked;
            To = FColorCheckedTo;
            Pen = FBorderDownColor;
        }
        PaintFace(R, From, To, FRounded ? clNone : Pen);
        if (FRounded) {
            C->Brush()->SetStyle(bsClear);
            C->Pen()->SetColor(FState == bsDown ? FBorderDownColor : FBorderHotColor);
            C->RoundRect(Outer, 8, 8);
        }
        if (FDropDownButton) {
            C->Pen()->SetColor(Pen);
            C->MoveTo(R.Right - ExBtnDropDownWidth, R.Top);
            C->LineTo(R.Right - ExBtnDropDownWidth, R.Bottom);
        }
    }
    InflateRect(R, -1, -1);
}

void TExGridButton::PaintRaisedFace(TRect& R)
{
    const bool Pressed = FState == bsDown || FState == bsExclusive;
    if (FAutoXPStyle && FIsComCtl6 && IsThemeActive()) {
        HTHEME Theme = OpenThemeData(Handle(), QStringLiteral("button"));
        const Integer State = Pressed ? PBS_PRESSED : FMouseInControl ? PBS_HOT : PBS_NORMAL;
        DrawThemeBackground(Theme, Canvas(), BP_PUSHBUTTON, State, R);
        CloseThemeData(Theme);
        return;
    }
    DrawFrameControl(Canvas(), R, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (Pressed ? UINT(DFCS_PUSHED) : 0u));
}

TPoint TExGridButton::ContentOffset(const TRect& R, bool IsHot)
{
    if (FState == bsDown || FState == bsExclusive) {
        if (FState == bsExclusive && (!FFlat || !IsHot)) {
            TRect Face = R;
            InflateRect(Face, 1, 1);
            PaintFace(Face, FColorChecked, FColorCheckedTo, FDown ? FBorderDownColor : FBorderColor);
        }
        return !FFlat && !Designing() ? TPoint(1, 1) : TPoint(0, 0);
    }
    if (FFlat && IsHot && FShaded && !Designing())
        return TPoint(-1, -1);
    return TPoint(0, 0);
}

void TExGridButton::PaintDropDownArrow(TRect& R)
{
    TCanvas* C = Canvas();
    const Integer M = (R.Top + R.Bottom) / 2;
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Font()->Color());
    C->Pen()->SetColor(Font()->Color());
    C->Polygon({TPoint(R.Right - 8, M - 1), TPoint(R.Right - 4, M - 1), TPoint(R.Right - 6, M + 1)});
    R.Right -= ExBtnDropDownWidth;
}

TBitmap* TExGridButton::CurrentGlyph(TButtonState GlyphState, bool IsHot) const
{
    const bool Pressed = GlyphState == bsDown || GlyphState == bsExclusive;
    TBitmap* Chosen = FGlyph.get();
    if (!Enabled())
        Chosen = FGlyphDisabled.get();
    else if (Pressed)
        Chosen = FGlyphDown.get();
    else if (IsHot)
        Chosen = FGlyphHot.get();
    return ExBtnEmpty(Chosen) ? FGlyph.get() : Chosen;
}

void TExGridButton::PaintGlyphAndCaption(const TRect& R, TPoint Offset, bool IsHot)
{
    TCanvas* C = Canvas();
    const TButtonState GlyphState = FDown && FGroupIndex != 0 ? bsDown : FState;
    const String Text = FShowCaption ? Caption() : String();
    TRect Measure(0, 0, R.Width(), 0);
    if (!Text.isEmpty())
        DrawText(C, Text, -1, Measure, DT_CALCRECT);
    TBitmap* Glyph = CurrentGlyph(GlyphState, IsHot);
    const TSize GlyphSize(Glyph->Width(), Glyph->Height());
    TExBtnLayout L = ExBtnCalcLayout(TSize(R.Width(), R.Height()), GlyphSize, TSize(Measure.Width(), Measure.Height()),
                                     FLayout, FMargin, FSpacing);
    const TPoint Shift(R.Left + Offset.X, R.Top + Offset.Y);
    L.GlyphPos = Text.isEmpty() ? TPoint(0, 0) : TPoint(L.GlyphPos.X + Shift.X, L.GlyphPos.Y + Shift.Y);
    OffsetRect(L.TextBounds, Shift.X, Shift.Y);

    if (!Glyph->Empty()) {
        if (IsHot && FShaded && FState != bsDown && !FGlyphShade->Empty()) {
            const Integer Away = Text.isEmpty() ? 0 : 2;
            ExBtnDrawTransparent(C, L.GlyphPos.X + Away, L.GlyphPos.Y + Away, FGlyphShade.get());
        }
        ExBtnDrawTransparent(C, L.GlyphPos.X, L.GlyphPos.Y, Glyph);
    }
    if (Text.isEmpty())
        return;
    C->Brush()->SetStyle(bsClear);
    if (FState == bsDisabled) {
        OffsetRect(L.TextBounds, 1, 1);
        C->Font()->SetColor(clBtnHighlight);
        DrawText(C, Text, -1, L.TextBounds, DT_CENTER | DT_VCENTER);
        OffsetRect(L.TextBounds, -1, -1);
        C->Font()->SetColor(clBtnShadow);
    } else if (IsHot && FFlat && FShaded && FState != bsDown && FState != bsExclusive) {
        OffsetRect(L.TextBounds, 1, 1);
    }
    DrawText(C, Text, -1, L.TextBounds, DT_CENTER | DT_VCENTER);
}

// ---------------------------------------------------------------- TExGridButtonActionLink

TExGridButtonActionLink::TExGridButtonActionLink(TControl* AClient)
    : TControlActionLink(AClient), FClient(dynamic_cast<TExGridButton*>(AClient))
{
}

bool TExGridButtonActionLink::IsCheckedLinked() const
{
    return TControlActionLink::IsCheckedLinked() && FClient && FClient->GroupIndex() != 0 &&
           FClient->AllowAllUp() && FClient->Down() == CustomAction()->Checked();
}

bool TExGridButtonActionLink::IsGroupIndexLinked() const
{
    return TControlActionLink::IsGroupIndexLinked() && FClient &&
           FClient->GroupIndex() == CustomAction()->GroupIndex();
}

void TExGridButtonActionLink::SetChecked(bool Value)
{
    FClient->SetDown(Value);
}

void TExGridButtonActionLink::SetGroupIndex(Integer Value)
{
    FClient->SetGroupIndex(Value);
}

// ---------------------------------------------------------------- TExCheckBox

namespace {

// The box strip: 20 pixels on the box's side.
constexpr Integer ExChkStrip = 20;
constexpr Integer ExChkCorner = 16;

Integer ExChkBoxTop(TTextLayout Align, const TRect& Client, Integer BottomInset)
{
    switch (Align) {
    case tlCenter: return Client.Height() / 2 - 6;
    case tlBottom: return Client.Bottom - BottomInset;
    default: return 4;
    }
}

Integer ExChkThemedState(TCheckBoxState State, bool Enabled, bool Down, bool Hot)
{
    const Integer First = State == cbChecked ? CBS_CHECKEDNORMAL : State == cbGrayed ? CBS_MIXEDNORMAL
                                                                                     : CBS_UNCHECKEDNORMAL;
    // Normal, hot, pressed, disabled follow each other.
    if (!Enabled)
        return First + 3;
    if (Down)
        return First + 2;
    return Hot ? First + 1 : First;
}

} // namespace

TExCheckBox::TExCheckBox(TComponent* AOwner) : TCustomControl(AOwner), FBkgBmp(std::make_unique<TBitmap>())
{
    SetBounds(0, 0, 98, 20);
    SetTabStop(true);
    // The control raises Click itself.
    TControlStyle Style = ControlStyle();
    Style.Exclude(csClickEvents);
    SetControlStyle(Style);
    TCustomControl::SetCaption(FCaption);
}

TExCheckBox::~TExCheckBox() = default;

void TExCheckBox::SetState(TCheckBoxState Value)
{
    if (FState == Value)
        return;
    FState = Value;
    TRect Strip = ClientRect();
    if (FAlignment == taLeftJustify)
        Strip.Right = Strip.Left + ExChkStrip;
    else if (FAlignment == taRightJustify)
        Strip.Left = Strip.Right - ExChkStrip;
    InvalidateRect(Handle(), &Strip, true);
}

bool TExCheckBox::GetChecked() const
{
    return FState == cbChecked;
}

void TExCheckBox::SetChecked(bool Value)
{
    SetState(Value ? cbChecked : cbUnchecked);
    Invalidate();
}

void TExCheckBox::Toggle()
{
    if (!FReadOnly)
        SetChecked(!Checked());
}

void TExCheckBox::SetCaption(const String& Value)
{
    FCaption = Value;
    TCustomControl::SetCaption(Value);
    Invalidate();
}

void TExCheckBox::SetAlignment(TLeftRight Value)
{
    ExBtnChange(this, FAlignment, Value);
}

void TExCheckBox::SetButtonVertAlign(TTextLayout Value)
{
    ExBtnChange(this, FBtnVAlign, Value);
}

void TExCheckBox::SetEllipsis(bool Value)
{
    ExBtnChange(this, FEllipsis, Value);
}

void TExCheckBox::SetTransparent(bool Value)
{
    if (FTransparent != Value) {
        FTransparent = Value;
        SetParentBackground(Value);
        DropBackgroundCache();
    }
    Invalidate();
}

void TExCheckBox::DropBackgroundCache()
{
    FBkgCache = false;
}

void TExCheckBox::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight)
{
    TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    DropBackgroundCache();
    Invalidate();
}

// ---------------------------------------------------------------- painting

void TExCheckBox::Paint()
{
    PaintBackground();
    if (TCustomControl::Caption() != FCaption)
        TCustomControl::SetCaption(FCaption);
    PaintBox();
    PaintText();
}

// A transparent box fills nothing, so the parent shows; with caching the
// parent's look is kept and drawn from the cache.
void TExCheckBox::PaintBackground()
{
    if (!FTransparent || !FTransparentCaching)
        return;
    if (!FBkgCache) {
        FBkgBmp->SetSize(ClientWidth(), ClientHeight());
        DrawThemeParentBackground(Handle(), FBkgBmp->Canvas(), nullptr);
        FBkgBmp->Canvas()->Release();
        FBkgCache = true;
    }
    Canvas()->Draw(0, 0, FBkgBmp.get());
}

TRect TExCheckBox::BoxRect() const
{
    const TRect Client = ClientRect();
    const bool Themed = FIsWinXP && IsThemeActive();
    const Integer Size = Themed ? 14 : 13;
    const Integer Left = FAlignment == taRightJustify ? Client.Width() - (Themed ? 15 : 13) : 0;
    return Bounds(Left, ExChkBoxTop(FBtnVAlign, Client, Themed ? 14 : 17), Size, Size);
}

void TExCheckBox::PaintBox()
{
    TRect R = BoxRect();
    if (FIsWinXP && IsThemeActive()) {
        HTHEME Theme = OpenThemeData(Handle(), QStringLiteral("button"));
        DrawThemeBackground(Theme, Canvas(), BP_CHECKBOX, ExChkThemedState(FState, Enabled(), FDown, FHot), R);
        CloseThemeData(Theme);
        return;
    }
    UINT Flags = DFCS_BUTTONCHECK;
    if (FState == cbChecked)
        Flags |= DFCS_CHECKED;
    if (FState == cbGrayed || !Enabled())
        Flags |= DFCS_INACTIVE;
    DrawFrameControl(Canvas(), R, DFC_BUTTON, Flags);
}

void TExCheckBox::PaintText()
{
    TCanvas* C = Canvas();
    TRect R = ClientRect();
    if (FAlignment == taRightJustify) {
        R.Left = 6;
        R.Right -= 9;
    } else {
        R.Left = 15;
    }
    R.Top = 4;
    C->Font()->Assign(Font());
    C->Brush()->SetStyle(bsClear);
    const Cardinal Flags = DT_LEFT | DT_SINGLELINE | (FEllipsis ? DT_END_ELLIPSIS : 0);
    if (Enabled()) {
        DrawText(C, FCaption, -1, R, Flags);
    } else {
        TRect Lit = R;
        OffsetRect(Lit, 1, 1);
        C->Font()->SetColor(clWhite);
        DrawText(C, FCaption, -1, Lit, Flags);
        C->Font()->SetColor(0x808080);
        DrawText(C, FCaption, -1, R, Flags);
    }
    if (FFocused) {
        TRect Extent = R;
        DrawText(C, FCaption, -1, Extent, Flags | DT_CALCRECT);
        C->DrawFocusRect(TRect(Extent.Left - 2, Extent.Top, Extent.Right + 1, Extent.Bottom + 1));
    }
}

void TExCheckBox::InvalidateCorner()
{
    if (!FIsWinXP)
        return;
    const TRect Corner(0, 0, ExChkCorner, ExChkCorner);
    InvalidateRect(Handle(), &Corner, false);
}

// ---------------------------------------------------------------- mouse and keys

void TExCheckBox::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft)
        return;
    FMouseDown = true;
    if (!Focused() && CanFocus())
        SetFocus();
    FDown = true;
    InvalidateCorner();
}

void TExCheckBox::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    if (FMouseDown)
        FDown = PtInRect(ClientRect(), TPoint(X, Y));
}

void TExCheckBox::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft)
        return;
    FDown = false;
    const bool Inside = X >= 0 && X <= Width() && Y >= 0 && Y <= Height();
    const bool Pressed = FMouseDown;
    FMouseDown = false;
    if (Inside && Focused() && Pressed) {
        const std::shared_ptr<bool> Alive = FAlive;
        Toggle();
        Click();
        if (!*Alive)
            return;
    }
    InvalidateCorner();
}

void TExCheckBox::KeyDown(Word& Key, TShiftState Shift)
{
    if (Key == VK_RETURN && FReturnIsTab) {
        Key = VK_TAB;
        PostMessage(Handle(), WM_KEYDOWN, VK_TAB, 0);
    }
    if (Key == VK_SPACE) {
        FDown = true;
        InvalidateCorner();
    }
    TCustomControl::KeyDown(Key, Shift);
}

void TExCheckBox::KeyUp(Word& Key, TShiftState Shift)
{
    if (Key == VK_SPACE) {
        FDown = false;
        const std::shared_ptr<bool> Alive = FAlive;
        Toggle();
        Click();
        if (!*Alive) {
            // Gone with its click: the key goes no further.
            Key = 0;
            return;
        }
    }
    TCustomControl::KeyUp(Key, Shift);
}

void TExCheckBox::CMDialogChar(TCMDialogChar& Message)
{
    if (!IsAccel(Message.CharCode, FCaption) || !Enabled() || !Visible()) {
        TCustomControl::CMDialogChar(Message);
        return;
    }
    Toggle();
    if (TabStop() && CanFocus())
        SetFocus();
    Message.Result = 1;
}

void TExCheckBox::CMMouseEnter(TMessage& Message)
{
    FHot = true;
    InvalidateCorner();
    TCustomControl::CMMouseEnter(Message);
}

void TExCheckBox::CMMouseLeave(TMessage& Message)
{
    FHot = false;
    InvalidateCorner();
    TCustomControl::CMMouseLeave(Message);
}

void TExCheckBox::DoEnter()
{
    FFocused = true;
    Invalidate();
    TCustomControl::DoEnter();
}

void TExCheckBox::DoExit()
{
    FFocused = false;
    Invalidate();
    TCustomControl::DoExit();
}
