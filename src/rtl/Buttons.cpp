#include "rtl/Buttons.h"

#include "rtl/Themes.h"

#include <QPainter>

TSpeedButton::TSpeedButton(TComponent* AOwner)
    : TGraphicControl(AOwner), FGlyph(std::make_unique<TBitmap>())
{
    SetBounds(Left(), Top(), 23, 22);
    SetControlStyle(TControlStyle{csCaptureMouse, csDoubleClicks});
    FGlyph->OnChange = [this](TObject*) { Invalidate(); };
}

TSpeedButton::~TSpeedButton() = default;

void TSpeedButton::SetGlyph(TBitmap* Value)
{
    if (Value)
        FGlyph->Assign(Value);
    else
        FGlyph->SetSize(0, 0);
    Invalidate();
}

void TSpeedButton::SetNumGlyphs(TNumGlyphs Value)
{
    if (Value < 1 || Value > 4 || Value == FNumGlyphs)
        return;
    FNumGlyphs = Value;
    Invalidate();
}

void TSpeedButton::SetFlat(bool Value)
{
    if (Value == FFlat)
        return;
    FFlat = Value;
    Invalidate();
}

void TSpeedButton::SetTransparent(bool Value)
{
    if (Value == FTransparent)
        return;
    FTransparent = Value;
    Invalidate();
}

void TSpeedButton::SetDown(bool Value)
{
    if (FGroupIndex == 0)
        Value = false;
    if (Value == FDown || (FDown && !FAllowAllUp))
        return;
    FDown = Value;
    FState = Value ? bsExclusive : bsUp;
    Invalidate();
    if (Value)
        RaiseGroup();
}

void TSpeedButton::SetGroupIndex(Integer Value)
{
    FGroupIndex = Value;
    if (FDown)
        RaiseGroup();
}

void TSpeedButton::SetAllowAllUp(bool Value)
{
    FAllowAllUp = Value;
    RaiseGroup();
}

// The other buttons of the group on the same parent go up and share the
// group's AllowAllUp.
void TSpeedButton::RaiseGroup()
{
    if (FGroupIndex == 0 || !Parent())
        return;
    for (Integer I = 0; I < Parent()->ControlCount(); ++I) {
        auto* Other = dynamic_cast<TSpeedButton*>(Parent()->Controls(I));
        if (!Other || Other == this || Other->FGroupIndex != FGroupIndex)
            continue;
        Other->FAllowAllUp = FAllowAllUp;
        if (FDown && Other->FDown) {
            Other->FDown = false;
            Other->FState = bsUp;
            Other->Invalidate();
        }
    }
}

bool TSpeedButton::Inside(Integer X, Integer Y) const
{
    return X >= 0 && X < Width() && Y >= 0 && Y <= Height();
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    // OnMouseDown may free the button.
    const std::shared_ptr<bool> Alive = FAlive;
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (!*Alive || Button != mbLeft || !Enabled())
        return;
    if (!FDown) {
        FState = bsDown;
        Invalidate();
    }
    FDragging = true;
}

void TSpeedButton::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    TGraphicControl::MouseMove(Shift, X, Y);
    if (!FDragging)
        return;
    TButtonState NewState = FDown ? bsExclusive : bsUp;
    if (Inside(X, Y) && !FDown)
        NewState = bsDown;
    if (NewState != FState) {
        FState = NewState;
        Invalidate();
    }
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    const std::shared_ptr<bool> Alive = FAlive;
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (!*Alive || Button != mbLeft || !FDragging)
        return;
    FDragging = false;
    const bool DoClick = Inside(X, Y);
    if (FGroupIndex == 0) {
        FState = bsUp;
        Invalidate();
    } else if (DoClick) {
        SetDown(!FDown);
        FState = FDown ? bsExclusive : bsUp;
        Invalidate();
    } else {
        FState = FDown ? bsExclusive : bsUp;
        Invalidate();
    }
    if (DoClick)
        Click();
}

// The look follows the mouse: hot while it is over the button.
void TSpeedButton::CMMouseEnter(TMessage& Message)
{
    TGraphicControl::CMMouseEnter(Message);
    if (Enabled())
        Invalidate();
}

void TSpeedButton::CMMouseLeave(TMessage& Message)
{
    TGraphicControl::CMMouseLeave(Message);
    if (Enabled())
        Invalidate();
}

void TSpeedButton::CMEnabledChanged(TMessage& Message)
{
    FState = !Enabled() ? bsDisabled : FDown ? bsExclusive : bsUp;
    if (!Enabled())
        FDragging = false;
    TGraphicControl::CMEnabledChanged(Message);
}

void TSpeedButton::Paint()
{
    TRect R = ClientRect();
    const bool Pressed = FState == bsDown || FState == bsExclusive;
    const bool Hot = FMouseInControl && Enabled();
    if (FFlat && !Pressed && !Hot) {
        if (!FTransparent) {
            Canvas()->Brush()->SetColor(clBtnFace);
            Canvas()->FillRect(R);
        }
    } else if (ThemeServices()->ThemesEnabled()) {
        const TThemedButton Look = !Enabled() ? tbPushButtonDisabled
                                   : Pressed  ? tbPushButtonPressed
                                   : Hot      ? tbPushButtonHot
                                              : tbPushButtonNormal;
        ThemeServices()->DrawElement(Canvas(), ThemeServices()->GetElementDetails(Look), R);
    } else if (!FFlat) {
        DrawFrameControl(Canvas(), R, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (Pressed ? UINT(DFCS_PUSHED) : 0u));
    } else {
        DrawEdge(Canvas(), R, Pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
    }
    DrawGlyphAndCaption(Canvas(), R, Pressed ? TPoint(1, 1) : TPoint(0, 0));
}

void TSpeedButton::DrawGlyphAndCaption(TCanvas* ACanvas, const TRect& R, TPoint Offset)
{
    // The picture of the state, when the glyph has one; a disabled button
    // without its own picture greys the up picture.
    QImage Picture;
    if (!FGlyph->Empty()) {
        const Integer Count = std::max<Integer>(1, FNumGlyphs);
        const Integer PartWidth = FGlyph->Width() / Count;
        Integer Index = 0;
        switch (FState) {
        case bsDisabled: Index = 1; break;
        case bsDown: Index = 2; break;
        case bsExclusive: Index = 3; break;
        default: break;
        }
        if (Index >= Count)
            Index = 0;
        FGlyph->SetTransparent(true);
        Picture = FGlyph->MaskedImage().copy(Index * PartWidth, 0, PartWidth, FGlyph->Height());
        if (FState == bsDisabled && Index == 0)
            Picture = GrayedImage(Picture);
    }
    const String Text = Caption();
    const TSize TextSize = Text.isEmpty() ? TSize(0, 0) : ACanvas->TextExtent(Text);
    const Integer Spacing = !Picture.isNull() && !Text.isEmpty() ? 4 : 0;
    const Integer Total = Picture.width() + Spacing + TextSize.cx;
    Integer X = R.Left + (R.Width() - Total) / 2 + Offset.X;
    if (!Picture.isNull()) {
        const Integer Y = R.Top + (R.Height() - Picture.height()) / 2 + Offset.Y;
        ACanvas->Painter()->drawImage(QPoint(X, Y), Picture);
        X += Picture.width() + Spacing;
    }
    if (!Text.isEmpty()) {
        ACanvas->Font()->Assign(Font());
        if (!Enabled())
            ACanvas->Font()->SetColor(clGrayText);
        ACanvas->Brush()->SetStyle(bsClear);
        ACanvas->TextOut(X, R.Top + (R.Height() - TextSize.cy) / 2 + Offset.Y, Text);
    }
}
