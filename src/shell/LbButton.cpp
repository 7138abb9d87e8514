#include "shell/LbButton.h"

#include "rtl/Forms.h"
#include "rtl/Menus.h"

#include <QtGlobal>

#include <algorithm>
#include <cmath>

// Outside any namespace, as the resource initialiser requires.
static void Init_Shell_Resources_Once()
{
    Q_INIT_RESOURCE(Shell_Resources);
}

void Init_Shell_Resources()
{
    static const bool Done = (Init_Shell_Resources_Once(), true);
    (void)Done;
}

namespace {

constexpr TColor LbMagenta = RGB(255, 0, 255);
constexpr TColor LbGreyCaption = RGB(128, 128, 128);

struct TLbKindData {
    TModalResult ModalResult;
    const char* Resource;
    const char16_t* Caption;
};

// Indexed by TLbButtonKind; bkCustom has no row of its own.
const TLbKindData LbKinds[] = {
    {0, "", u""},
    {mrOk, "LBOK", u"OK"},
    {mrCancel, "LBCANCEL", u"Abbrechen"},
    {0, "LBHELP", u"Hilfe"},
    {mrYes, "LBYES", u"Ja"},
    {mrNo, "LBNO", u"Nein"},
    {0, "LBCLOSE", u"Schlie\u00DFen"},
    {mrAbort, "LBABORT", u"Abbrechen"},
    {mrRetry, "LBRETRY", u"Wiederholen"},
    {mrIgnore, "LBIGNORE", u"Ignorieren"},
    {mrAll, "LBALL", u"Alle"},
};

struct TLbPreset {
    TColor Color, Light, Shadow, WhenDown, HotTrack;
    TLbButtonStyle Style;
    bool Flat;
    TColor FontColor;
};

// Indexed by TLbColorStyle; lcsCustom changes nothing.
const TLbPreset LbPresets[] = {
    {},
    {RGB(192, 192, 0), RGB(255, 255, 0), RGB(128, 128, 0), clNone, RGB(223, 223, 0), bsModern, false, clBlack},
    {RGB(192, 192, 192), RGB(255, 255, 255), RGB(128, 128, 128), clNone, clNone, bsModern, false, clBlack},
    {RGB(0, 128, 255), RGB(0, 255, 255), RGB(0, 0, 255), clNone, clNone, bsModern, false, clBlack},
    {RGB(255, 0, 0), RGB(255, 192, 192), RGB(192, 0, 0), clNone, clNone, bsModern, false, clBlack},
    {clBtnFace, RGB(132, 146, 181), RGB(132, 146, 181), RGB(132, 146, 181), RGB(214, 211, 222), bsNormal, true,
     clBlack},
    {clBtnFace, RGB(0, 0, 0), RGB(0, 0, 0), RGB(188, 218, 36), RGB(228, 246, 140), bsNormal, true, clBlack},
    {RGB(219, 216, 209), RGB(132, 146, 181), RGB(133, 146, 181), RGB(133, 146, 181), RGB(182, 189, 210), bsNormal,
     true, clBlack},
    {RGB(148, 206, 236), RGB(212, 230, 252), RGB(0, 0, 0), clNone, clNone, bsModern, false, clBlack},
    {clBtnFace, RGB(255, 255, 255), RGB(128, 128, 128), clNone, clNone, bsNormal, false, clBlack},
    {RGB(0, 48, 96), RGB(192, 192, 192), RGB(192, 192, 192), RGB(41, 101, 173), RGB(156, 174, 206), bsQuicken, false,
     clWhite},
};

bool LbTransparentStyle(TLbButtonStyle Style)
{
    return Style == bsModern || Style == bsShape || Style == bsQuicken;
}

// Face colour blended toward the hot-track colour at Step of 8.
TColor LbBlend(TColor Face, TColor Hot, Integer Step)
{
    const TColor A = ColorToRGB(Face), B = ColorToRGB(Hot);
    const auto Channel = [Step](Byte X, Byte Y) {
        return Byte(std::trunc(X * (1.0 - Step / 8.0) + Y * (Step / 8.0)));
    };
    return RGB(Channel(GetRValue(A), GetRValue(B)), Channel(GetGValue(A), GetGValue(B)),
               Channel(GetBValue(A), GetBValue(B)));
}

// The accelerator character of a caption ("&x"), or 0.
char16_t LbAccelerator(const String& Caption)
{
    for (qsizetype I = 0; I + 1 < Caption.size(); ++I) {
        if (Caption[I] != u'&')
            continue;
        if (Caption[I + 1] == u'&') {
            ++I;
            continue;
        }
        return Caption[I + 1].toUpper().unicode();
    }
    return 0;
}

// Frame Index (0 when the strip has no such frame) of the strip, GW x GH.
void LbDrawGlyphFrame(TCanvas* Canvas, TBitmap* Glyph, Integer NumGlyphs, Integer Index, Integer X, Integer Y,
                      Integer GW, Integer GH)
{
    if (!Glyph || Glyph->Empty() || GW <= 0 || GH <= 0)
        return;
    if (Index >= NumGlyphs)
        Index = 0;
    const QImage Strip = Glyph->ToImage();
    TBitmap Frame;
    Frame.SetImage(Strip.copy(Index * GW, 0, GW, GH));
    Frame.SetTransparentColor(QColorToColor(Frame.ToImage().pixelColor(0, GH - 1)));
    Frame.SetTransparent(true);
    Canvas->Draw(X, Y, &Frame);
}

} // namespace

// ---------------------------------------------------------------------------
// Face

void LbGradient(TCanvas* Canvas, TColor C1, TColor C2, Integer X1, Integer Y1, Integer X2, Integer Y2)
{
    const TColor A = ColorToRGB(C1), B = ColorToRGB(C2);
    const Integer Span = Y2 - Y1;
    // Bands are filled whole: a pen-less rectangle would leave the last row
    // of each band out, and bands of one row would not show at all.
    Canvas->Brush()->SetStyle(bsSolid);
    for (Integer I = 0; I < 32; ++I) {
        const Integer Top = Y1 + I * Span / 31;
        const Integer Bottom = std::min(Top + Span / 31 + 1, Y2);
        const auto Channel = [I](Byte X, Byte Y) { return Byte(X + I * (Integer(Y) - Integer(X)) / 31); };
        Canvas->Brush()->SetColor(RGB(Channel(GetRValue(A), GetRValue(B)), Channel(GetGValue(A), GetGValue(B)),
                                      Channel(GetBValue(A), GetBValue(B))));
        Canvas->FillRect(TRect(X1, Top, X2, Bottom));
    }
}

void PaintButtonFace(TCanvas* Canvas, const TLbFace& F)
{
    const Integer W = F.Width, H = F.Height;
    const bool Pressed = F.Pressed && F.Enabled;
    const Integer Off = (Pressed && F.Style != bsEncarta) ? 1 : 0;

    TColor Face = F.Color;
    if (F.Enabled && F.HotTrackColor != clNone)
        Face = LbBlend(F.Color, F.HotTrackColor, F.HotTrackStep);
    if (Pressed && F.ColorWhenDown != clNone)
        Face = F.ColorWhenDown;

    // Background.
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Brush()->SetStyle(bsSolid);
    switch (F.Style) {
    case bsShape:
        Canvas->Brush()->SetColor(LbMagenta);
        Canvas->FillRect(TRect(-1, -1, W + 1, H + 1));
        break;
    case bsNormal:
    case bsEncarta:
    case bsOld:
        Canvas->Brush()->SetColor(Face);
        Canvas->FillRect(TRect(-1, -1, W + 1, H + 1));
        break;
    case bsModern:
        LbGradient(Canvas, F.LightColor, Face, 2, 2, W - 2, H / 4 + Off);
        LbGradient(Canvas, Face, F.LightColor, 2, H / 4 + Off, W - 2, H - 1);
        break;
    case bsQuicken:
        break;
    }

    // Edges.
    Canvas->Brush()->SetStyle(bsClear);
    const bool Edges = !F.Flat || (F.Enabled && (F.Hot || Pressed));
    switch (F.Style) {
    case bsNormal:
    case bsEncarta:
        if (!Edges)
            break;
        Canvas->Pen()->SetColor(Pressed ? F.ShadowColor : F.LightColor);
        Canvas->MoveTo(0, H - 1);
        Canvas->LineTo(0, 0);
        Canvas->LineTo(W - 1, 0);
        Canvas->Pen()->SetColor(Pressed ? F.LightColor : F.ShadowColor);
        Canvas->LineTo(W - 1, H - 1);
        Canvas->LineTo(0, H - 1);
        break;
    case bsOld:
        if (!Edges)
            break;
        Canvas->Pen()->SetColor(F.ShadowColor);
        if (Pressed) {
            Canvas->MoveTo(1, H - 3);
            Canvas->LineTo(1, 1);
            Canvas->LineTo(W - 2, 1);
        } else {
            Canvas->MoveTo(W - 2, 0);
            Canvas->LineTo(W - 2, H - 2);
            Canvas->LineTo(0, H - 2);
        }
        Canvas->Pen()->SetColor(Pressed ? cl3DDkShadow : F.LightColor);
        Canvas->MoveTo(0, H - 1);
        Canvas->LineTo(0, 0);
        Canvas->LineTo(W - 1, 0);
        Canvas->Pen()->SetColor(Pressed ? F.LightColor : cl3DDkShadow);
        Canvas->LineTo(W - 1, H - 1);
        Canvas->LineTo(-1, H - 1);
        break;
    case bsModern:
        Canvas->Pen()->SetColor(Pressed ? F.ShadowColor : Face);
        Canvas->Rectangle(1, 1, W - 1, H - 1);
        Canvas->Pen()->SetColor(F.ShadowColor);
        Canvas->RoundRect(0, 0, W, H, 6, 6);
        break;
    case bsQuicken:
        Canvas->Pen()->SetStyle(psClear);
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(Face);
        Canvas->RoundRect(0, 1, W, H, 4, 4);
        Canvas->Brush()->SetStyle(bsClear);
        Canvas->Pen()->SetStyle(psSolid);
        Canvas->Pen()->SetColor(F.ShadowColor);
        Canvas->MoveTo(4, 0);
        Canvas->LineTo(W - 5, 0);
        Canvas->MoveTo(4, H - 1);
        Canvas->LineTo(W - 5, H - 1);
        break;
    case bsShape:
        break;
    }

    // Font.
    if (F.Font)
        Canvas->Font()->Assign(F.Font);
    if (F.Style == bsEncarta && Pressed)
        Canvas->Font()->SetStyle(Canvas->Font()->Style() + fsBold);

    // Glyph frame.
    const bool HasGlyph = F.Glyph && !F.Glyph->Empty();
    const Integer GH = HasGlyph ? F.Glyph->Height() : 0;
    const Integer GW = (HasGlyph && F.NumGlyphs > 0) ? F.Glyph->Width() / F.NumGlyphs : 0;
    Integer Frame = 0;
    if (!F.Enabled)
        Frame = 1;
    if (F.Hot && F.NumGlyphs > 3)
        Frame = 3;
    if (Pressed && F.NumGlyphs > 2)
        Frame = 2;

    // Caption format and measures.
    Cardinal Format = DT_WORDBREAK;
    switch (F.Alignment) {
    case taLeftJustify: Format |= DT_LEFT; break;
    case taRightJustify: Format |= DT_RIGHT; break;
    case taCenter: Format |= DT_CENTER; break;
    }
    const bool Side = F.Layout == blGlyphLeft || F.Layout == blGlyphRight;
    Integer TA = W - 8;
    if (Side && F.Style != bsShape && GW > 0)
        TA -= GW + 4;
    TA = std::max<Integer>(TA, 0);
    String Caption = F.Caption;
    if (!F.WordWrap)
        while (!Caption.isEmpty() && Canvas->TextWidth(Caption) > TA)
            Caption.chop(1);
    TRect Measure(0, 0, TA, 0);
    DrawText(Canvas, Caption, Measure, Format | DT_CALCRECT);
    const Integer TH = Measure.Height(), TW = Measure.Width();
    const Integer TW4 = Caption.isEmpty() ? 0 : TW + 4;

    if (F.Style != bsShape && !F.Enabled)
        Canvas->Font()->SetColor(LbGreyCaption);
    Canvas->Brush()->SetStyle(bsClear);

    TRect TextR;
    Integer GX = 0, GY = 0;
    if (F.Style == bsShape) {
        GX = (W - GW) / 2;
        GY = (H - GH) / 2;
        TextR = TRect(Off, (H - TH) / 2 + Off, W, H);
        DrawText(Canvas, Caption, TextR, (Format & ~(DT_LEFT | DT_RIGHT)) | DT_CENTER);
    } else if (Side) {
        Integer TX = Off + 4;
        if (F.Layout == blGlyphLeft && GW > 0)
            TX += GW + 4;
        const Integer TY = (H - TH) / 2 + Off;
        TextR = TRect(TX, TY, TX + TA, TY + TH);
        GY = (H - GH) / 2 + Off;
        const bool Left = F.WordWrap || F.Alignment == taLeftJustify;
        if (F.Layout == blGlyphLeft) {
            if (Left)
                GX = Off + 4;
            else if (F.Alignment == taRightJustify)
                GX = W - 4 - GW - TW4 + Off;
            else
                GX = (W - GW) / 2 + Off - TW4 / 2;
        } else {
            if (Left)
                GX = TX + TW4;
            else if (F.Alignment == taRightJustify)
                GX = W - 4 - GW + Off;
            else
                GX = (W - GW) / 2 + Off + TW4 / 2;
        }
        DrawText(Canvas, Caption, TextR, Format);
    } else {
        const Integer B = TH + (GH > 0 ? GH + 4 : 0);
        const Integer TX = Off + 4;
        Integer TY = 0;
        if (F.Layout == blGlyphTop) {
            GY = (H - B) / 2 + Off;
            TY = GY + GH;
        } else {
            TY = (H - B) / 2 + Off;
            GY = TY + TH;
        }
        switch (F.Alignment) {
        case taLeftJustify: GX = Off + 4; break;
        case taRightJustify: GX = W - GW - 4 + Off; break;
        case taCenter: GX = (W - GW) / 2 + Off; break;
        }
        TextR = TRect(TX, TY, TX + TA, TY + TH);
        DrawText(Canvas, Caption, TextR, Format);
    }
    LbDrawGlyphFrame(Canvas, F.Glyph, F.NumGlyphs, Frame, GX, GY, GW, GH);

    if (F.HasPopup) {
        TBitmap Arrow;
        Arrow.LoadFromResourceName(QStringLiteral("LBARROW"));
        Arrow.SetTransparent(true);
        Canvas->Draw(W - 11, H / 2 - 1, &Arrow);
    }
}

// ---------------------------------------------------------------------------
// TLbButton

TLbButton::TLbButton(TComponent* AOwner)
    : TCustomControl(AOwner), FGlyph(std::make_unique<TBitmap>()), FHTFont(std::make_unique<TFont>())
{
    Init_Shell_Resources();
    SetControlStyle(TControlStyle{csCaptureMouse, csSetCaption});
    // Not opaque: the transparent styles let the parent show through.
    Handle()->setAutoFillBackground(false);
    SetBounds(Left(), Top(), 100, 23);
    SetTabStop(true);
    SetColor(clBtnFace);
    if (auto* Form = dynamic_cast<TCustomForm*>(AOwner))
        FHTFont->Assign(Form->Font());
    FThread = std::make_unique<TLbButtonThread>([this](TObject* Sender) { FadeTick(Sender); });
}

TLbButton::~TLbButton()
{
    StopThread();
}

void TLbButton::StopThread()
{
    if (!FThread)
        return;
    try {
        FThread->Resume();
        FThread->Terminate();
        FThread->WaitFor();
    } catch (...) {
        // Stopping the ticker never keeps a button alive.
    }
    FThread.reset();
}

bool TLbButton::ParentShowing() const
{
    return Parent() && Parent()->Showing();
}

bool TLbButton::Hot() const
{
    return bCursorOnButton || Focused();
}

void TLbButton::SetAlignment(TAlignment Value)
{
    FAlignment = Value;
    Repaint();
}

void TLbButton::SetColorStyle(TLbColorStyle Value)
{
    if (Value == lcsCustom)
        return;
    const TLbPreset& P = LbPresets[Value];
    SetColor(P.Color);
    FLightColor = P.Light;
    FShadowColor = P.Shadow;
    FColorWhenDown = P.WhenDown;
    FHotTrackColor = P.HotTrack;
    FFlat = P.Flat;
    Font()->SetColor(P.FontColor);
    FStyle = P.Style;
    Repaint();
}

void TLbButton::SetEnabled(bool Value)
{
    TCustomControl::SetEnabled(Value);
    FEnabled = Value;
    bDown = false;
    FKeyDown = 0;
    Repaint();
}

void TLbButton::SetFlat(bool Value)
{
    FFlat = Value;
    Repaint();
}

void TLbButton::SetGlyph(TBitmap* Value)
{
    FGlyph->Assign(Value);
    FNumGlyphs = FGlyph->Empty() || FGlyph->Height() == 0 ? 0 : FGlyph->Width() / FGlyph->Height();
    FKind = bkCustom;
    Invalidate();
}

void TLbButton::SetHotTrackFont(TFont* Value)
{
    FHTFont->Assign(Value);
}

void TLbButton::SetKind(TLbButtonKind Value)
{
    if (Value != bkCustom) {
        FNumGlyphs = 2;
        const TLbKindData& K = LbKinds[Value];
        FModalResult = K.ModalResult;
        FGlyph->LoadFromResourceName(QLatin1String(K.Resource));
        SetCaption(QString::fromUtf16(K.Caption));
    }
    FKind = Value;
    Invalidate();
}

void TLbButton::SetLayout(TLbButtonLayout Value)
{
    FLayout = Value;
    Repaint();
}

void TLbButton::SetLightColor(TColor Value)
{
    FLightColor = Value;
    Repaint();
}

void TLbButton::SetModalResult(TModalResult Value)
{
    FModalResult = Value;
    FKind = bkCustom;
}

void TLbButton::SetNumGlyphs(Integer Value)
{
    FNumGlyphs = Value;
    Invalidate();
}

void TLbButton::SetShadowColor(TColor Value)
{
    FShadowColor = Value;
    Repaint();
}

void TLbButton::SetSlowDecease(bool Value)
{
    FSlowDecease = Value;
    if (Value) {
        if (!FThread)
            FThread = std::make_unique<TLbButtonThread>([this](TObject* Sender) { FadeTick(Sender); });
    } else {
        FHotTrackStep = 0;
        StopThread();
    }
    Invalidate();
}

void TLbButton::SetStyle(TLbButtonStyle Value)
{
    // The transparent window style of the platform has no counterpart here:
    // the button's widget never fills its background, so every style lets
    // the parent show through where the face leaves it.
    FStyle = Value;
    Invalidate();
}

void TLbButton::SetWordWrap(bool Value)
{
    FWordWrap = Value;
    Repaint();
}

void TLbButton::Click()
{
    bDown = true;
    if (Visible() && Enabled() && bDown) {
        bDown = false;
        const std::shared_ptr<bool> Alive = FAlive;
        if (OnClick)
            OnClick(this);
        if (!*Alive)
            return;
        if (FModalResult != 0)
            if (TCustomForm* Form = GetParentForm(this))
                Form->SetModalResult(FModalResult);
        if (PopupMenu()) {
            const TPoint P = ClientToScreen(TPoint(0, Height()));
            PopupMenu()->SetPopupComponent(this);
            PopupMenu()->Popup(P.X, P.Y);
        }
    }
}

void TLbButton::FadeTick(TObject*)
{
    if (ComponentState().Contains(csDestroying))
        return;
    --FHotTrackStep;
    if (FHotTrackStep <= 0) {
        if (FThread && !FThread->Suspended())
            FThread->Suspend();
        FHotTrackStep = 0;
    }
    Repaint();
}

void TLbButton::Paint()
{
    if (!Visible() || ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying))
        return;
    const Integer W = Width(), H = Height();
    if (W <= 0 || H <= 0)
        return;
    TBitmap Bmp(W, H);
    TFont WorkFont;
    WorkFont.Assign(Font());
    if (FUseHTFont && Hot())
        WorkFont.Assign(FHTFont.get());
    if (LbTransparentStyle(FStyle)) {
        Bmp.Canvas()->Brush()->SetColor(LbMagenta);
        Bmp.Canvas()->FillRect(TRect(0, 0, W, H));
        Bmp.SetTransparentColor(LbMagenta);
        Bmp.SetTransparent(true);
    }

    TLbFace F;
    F.Width = W;
    F.Height = H;
    F.Alignment = FAlignment;
    F.Caption = Caption();
    F.Layout = FLayout;
    F.Font = &WorkFont;
    F.ShadowColor = FShadowColor;
    F.LightColor = FLightColor;
    F.HotTrackColor = FHotTrackColor;
    F.ColorWhenDown = FColorWhenDown;
    F.Color = Color();
    F.Style = FStyle;
    F.HasPopup = PopupMenu() != nullptr;
    F.WordWrap = FWordWrap;
    F.Flat = FFlat;
    F.Enabled = FEnabled;
    F.Hot = Hot();
    F.Pressed = bDown;
    F.Glyph = FGlyph.get();
    F.NumGlyphs = FNumGlyphs;
    F.HotTrackStep = FHotTrackStep;

    const bool Focus = Focused();
    if (FStyle == bsOld && Focus) {
        // The focused old-style button: a face one pixel smaller, moved
        // right and down, inside a black frame.
        F.Width = W - 2;
        F.Height = H - 2;
        if (bDown)
            F.LightColor = FShadowColor;
        PaintButtonFace(Bmp.Canvas(), F);
        Bmp.Canvas()->CopyRect(TRect(1, 1, W - 1, H - 1), Bmp.Canvas(), TRect(0, 0, W - 2, H - 2));
        Bmp.Canvas()->Pen()->SetStyle(psSolid);
        Bmp.Canvas()->Pen()->SetColor(clBlack);
        Bmp.Canvas()->Brush()->SetStyle(bsClear);
        Bmp.Canvas()->Rectangle(0, 0, W, H);
    } else {
        PaintButtonFace(Bmp.Canvas(), F);
    }
    Canvas()->Draw(0, 0, &Bmp);
    if (Focus && FEnabled && FStyle != bsShape)
        Canvas()->DrawFocusRect(TRect(4, 4, W - 4, H - 4));
}

void TLbButton::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    if (Button == mbLeft && Enabled()) {
        bDown = true;
        if (CanFocus())
            SetFocus();
        Repaint();
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TLbButton::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    const std::shared_ptr<bool> Alive = FAlive;
    if (bDown) {
        Click();
        if (!*Alive)
            return;
    }
    bDown = false;
    Repaint();
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TLbButton::CMMouseEnter(TMessage&)
{
    if (!(Enabled() && Visible() && ParentShowing()))
        return;
    bCursorOnButton = true;
    FHotTrackStep = 8;
    Repaint();
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TLbButton::CMMouseLeave(TMessage&)
{
    bCursorOnButton = false;
    if (!FSlowDecease) {
        FHotTrackStep = 0;
        Repaint();
    } else if (FThread && FThread->Suspended()) {
        FThread->Resume();
    }
    if (Enabled() && Visible() && ParentShowing() && OnMouseExit)
        OnMouseExit(this);
}

void TLbButton::CMFocusChanged(TMessage&)
{
    Release_Key();
    Repaint();
}

void TLbButton::Release_Key()
{
    // A key held while the focus went elsewhere presses nothing any more.
    if (FKeyDown == 0 || Focused())
        return;
    FKeyDown = 0;
    bDown = false;
}

void TLbButton::CNKeyDown(TWMKey& Message)
{
    if ((Message.CharCode == VK_RETURN || Message.CharCode == VK_SPACE) && Enabled() && Focused()) {
        bDown = true;
        FKeyDown = Message.CharCode;
        Repaint();
    }
    TCustomControl::CNKeyDown(Message);
}

void TLbButton::CNKeyUp(TWMKey& Message)
{
    // Only the release of a key this button saw go down clicks it: the
    // release of an Enter that closed a window above must not act here.
    if (Message.CharCode != 0 && Message.CharCode == FKeyDown) {
        FKeyDown = 0;
        const std::shared_ptr<bool> Alive = FAlive;
        Click();
        if (!*Alive)
            return;
        Repaint();
    }
    TCustomControl::CNKeyUp(Message);
}

void TLbButton::CMDialogChar(TCMDialogChar& Message)
{
    const char16_t Accel = LbAccelerator(Caption());
    if (Accel != 0 && QChar(char16_t(Message.CharCode)).toUpper().unicode() == Accel && Visible() && Enabled() &&
        ParentShowing()) {
        bDown = true;
        Click();
        Message.Result = 1;
        return;
    }
    TCustomControl::CMDialogChar(Message);
}

void TLbButton::CMDialogKey(TCMDialogKey& Message)
{
    const bool Wanted = (Message.CharCode == VK_RETURN && FDefault) || (Message.CharCode == VK_ESCAPE && FCancel);
    const bool NoShift = GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0;
    if (Wanted && NoShift && Visible() && Enabled()) {
        // A focused push button acts on the key itself.
        TCustomForm* Form = nullptr;
        for (TComponent* O = Owner(); O && !Form; O = O->Owner())
            Form = dynamic_cast<TCustomForm*>(O);
        TWinControl* Focus = Form ? Form->ActiveControl() : nullptr;
        const String Class = Focus ? Focus->ClassName().toUpper() : String();
        const bool FocusIsButton = Class.contains(QLatin1String("BUTTON")) && !Class.contains(QLatin1String("RADIOBUTTON"));
        if (!FocusIsButton) {
            bDown = true;
            Click();
            Message.Result = 1;
            return;
        }
    }
    TCustomControl::CMDialogKey(Message);
}
