// The pieces of the combo box's look that the date pickers share: the
// attached label, the button colours, the drop-down button and the borders.
#include "grid/base/EsgCombo.h"

// ---------------------------------------------------------------- shared pieces

TPoint PlaceLabel(TLabelPosition Position, const TRect& Control, Integer TextWidth, TSize Label, Integer Margin)
{
    const Integer Width = Control.Width();
    const Integer Height = Control.Height();
    const Integer MiddleTop = Control.Top + (Height - Label.cy) / 2;
    const Integer MiddleLeft = Control.Left + (Width - Label.cx) / 2;
    const Integer Above = Control.Top - Label.cy - Margin;
    const Integer Below = Control.Top + Height + Margin;
    const Integer BottomAligned = Control.Top + Height - Label.cy;
    const Integer LeftOfText = Control.Left - TextWidth - Margin;
    const Integer RightOf = Control.Left + Width + Margin;
    switch (Position) {
    case lpLeftTop: return TPoint(LeftOfText, Control.Top);
    case lpLeftCenter: return TPoint(LeftOfText, MiddleTop);
    case lpLeftBottom: return TPoint(LeftOfText, BottomAligned);
    case lpTopLeft: return TPoint(Control.Left, Above);
    case lpBottomLeft: return TPoint(Control.Left, Below);
    case lpLeftTopLeft: return TPoint(Control.Left - Margin, Control.Top);
    case lpLeftCenterLeft: return TPoint(Control.Left - Margin, MiddleTop);
    case lpLeftBottomLeft: return TPoint(Control.Left - Margin, BottomAligned);
    case lpTopCenter: return TPoint(MiddleLeft, Above);
    case lpBottomCenter: return TPoint(MiddleLeft, Below);
    case lpRightTop: return TPoint(RightOf, Control.Top);
    case lpRightCenter: return TPoint(RightOf, MiddleTop);
    case lpRighBottom: return TPoint(RightOf, BottomAligned);
    }
    return TPoint(Control.Left, Control.Top);
}

void TButtonColors::SetButtonColorField(TColor& Field, TColor Value)
{
    if (Field == Value)
        return;
    Field = Value;
    ButtonColorsChanged();
}

TColor TButtonColors::ButtonFillColor(bool Hot, bool Down) const
{
    // A state colour left at clDefault is not set: the button's own colour.
    if (Down && FButtonColorDown != clDefault)
        return FButtonColorDown;
    if (Hot && FButtonColorHot != clDefault)
        return FButtonColorHot;
    return FButtonColor;
}

void FrameInColour(TCanvas* Canvas, const TRect& R, TColor Color)
{
    Canvas->Brush()->SetColor(Color);
    Canvas->FrameRect(R);
}

void DrawColouredDropButton(TCanvas* Canvas, const TButtonColors& Colors, const TRect& Fill, Integer LineX,
                            TPoint Tip, bool Hot, bool Down)
{
    const TColor Face = Colors.ButtonFillColor(Hot, Down);
    Canvas->Brush()->SetColor(Face);
    Canvas->Pen()->SetColor(Face);
    Canvas->Rectangle(Fill);
    Canvas->Pen()->SetColor(Colors.ButtonBorderColor());
    Canvas->MoveTo(LineX, Fill.Top);
    Canvas->LineTo(LineX, Fill.Bottom);
    const TColor Text =
        Down && Colors.ButtonTextColorDown() != clDefault ? Colors.ButtonTextColorDown() : Colors.ButtonTextColor();
    Canvas->Brush()->SetColor(Text);
    Canvas->Pen()->SetColor(Text);
    Canvas->Polygon({Tip, TPoint(Tip.X + 6, Tip.Y), TPoint(Tip.X + 3, Tip.Y + 3)});
}

TRect DrawFlatBorder(TCanvas* Canvas, TRect R, TColor Outer, TColor Inner, bool FocusEdge, Integer ButtonWidth)
{
    if (FocusEdge) {
        DrawEdge(Canvas, R, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
        FrameInColour(Canvas, R, Outer);
    } else {
        FrameInColour(Canvas, R, Outer);
        InflateRect(R, -1, -1);
        R.Right -= ButtonWidth;
        FrameInColour(Canvas, R, Outer);
    }
    InflateRect(R, -1, -1);
    FrameInColour(Canvas, R, Inner);
    return R;
}

void DrawDropButtonBorder(TCanvas* Canvas, Integer ClientWidth, Integer ClientHeight, Integer ButtonWidth,
                          bool Active, bool RaisedWhenActive, bool Flat)
{
    Canvas->ExcludeClipRect(TRect(ClientWidth - ButtonWidth + 4, 4, ClientWidth - 4, ClientHeight - 4));
    TRect R(ClientWidth - ButtonWidth - 2, 0, ClientWidth, ClientHeight);
    InflateRect(R, -2, -2);
    if (!Active) {
        InflateRect(R, 0, -1);
        R.Right -= 1;
        Canvas->Brush()->SetColor(clBtnFace);
        Canvas->FillRect(R);
    } else if (RaisedWhenActive) {
        TRect Edge = R;
        DrawEdge(Canvas, Edge, BDR_RAISEDINNER, BF_RECT | (Flat ? UINT(BF_FLAT) : 0u));
    }
    Canvas->ExcludeClipRect(R);
}

// ---------------------------------------------------------------- TLabelledControl

TLabelledControl::TLabelledControl(TWinControl* AControl)
    : FControl(AControl), FLabelFont(std::make_unique<TFont>())
{
    FLabelFont->OnChange = [this](TObject*) { UpdateLabel(); };
}

// The label is the control's component and goes with it.
TLabelledControl::~TLabelledControl() = default;

void TLabelledControl::LabelNotification(TComponent* AComponent, TOperation Operation)
{
    if (Operation == opRemove && AComponent == FLabel)
        FLabel = nullptr;
}

String TLabelledControl::LabelCaption() const
{
    return FLabel ? FLabel->Caption() : String();
}

void TLabelledControl::SetLabelCaption(const String& Value)
{
    if (!FLabel) {
        FLabel = new TLabel(FControl);
        FLabel->SetParent(FControl->Parent());
        FLabel->SetFocusControl(FControl);
        FLabel->Font()->Assign(FLabelFont.get());
        FLabel->SetParentFont(FControl->ParentFont());
        LabelMade(FLabel);
    }
    FLabel->SetCaption(Value);
    UpdateLabel();
}

void TLabelledControl::SetLabelPosition(TLabelPosition Value)
{
    FLabelPosition = Value;
    UpdateLabel();
}

void TLabelledControl::SetLabelMargin(Integer Value)
{
    FLabelMargin = Value;
    UpdateLabel();
}

void TLabelledControl::SetLabelTransparent(bool Value)
{
    FLabelTransparent = Value;
    UpdateLabel();
}

void TLabelledControl::SetLabelAlwaysEnabled(bool Value)
{
    FLabelAlwaysEnabled = Value;
    if (FLabel && Value)
        FLabel->SetEnabled(true);
    UpdateLabel();
}

void TLabelledControl::SetLabelFont(TFont* Value)
{
    if (!FControl->ParentFont())
        FLabelFont->Assign(Value);
}

TFont* TLabelledControl::LabelFontInUse() const
{
    return FControl->ParentFont() ? nullptr : FLabelFont.get();
}

void TLabelledControl::UpdateLabel()
{
    if (!FLabel)
        return;
    FLabel->SetTransparent(FLabelTransparent);
    if (TFont* Font = LabelFontInUse())
        FLabel->Font()->Assign(Font);
    // The text's width as the label draws it: one line, no accelerators.
    TBitmap Measure(1, 1);
    Measure.Canvas()->Font()->Assign(FLabel->Font());
    TRect R(0, 0, 1000, 255);
    DrawText(Measure.Canvas(), FLabel->Caption(), -1, R, DT_CALCRECT | DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    const TPoint At = PlaceLabel(FLabelPosition, FControl->BoundsRect(), R.Width(),
                                 TSize(FLabel->Width(), FLabel->Height()), FLabelMargin);
    FLabel->SetBounds(At.X, At.Y, FLabel->Width(), FLabel->Height());
    FLabel->SetVisible(FControl->Visible());
}

void TLabelledControl::LabelFollowEnabled()
{
    if (FLabel && !FLabelAlwaysEnabled)
        FLabel->SetEnabled(FControl->Enabled());
}

void TLabelledControl::LabelFollowVisible()
{
    if (FLabel)
        FLabel->SetVisible(FControl->Visible());
}

void TLabelledControl::LabelFollowParent()
{
    if (FLabel)
        FLabel->SetParent(FControl->Parent());
}

void TLabelledControl::LabelShowFocus(bool Focused)
{
    if (!FLabel || !FFocusLabel)
        return;
    TFontStyles Style = FLabel->Font()->Style();
    if (Focused)
        Style.Include(fsBold);
    else
        Style.Exclude(fsBold);
    FLabel->Font()->SetStyle(Style);
}

