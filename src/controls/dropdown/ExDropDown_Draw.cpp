#include "controls/dropdown/ExDropDown_Draw.h"

#include "controls/dropdown/ExDropDown.h"
#include "rtl/Themes.h"

#include "grid/base/EsgHTMLE.h"
#include "platform/UserLocale.h"
#include "rtl/ImgList.h"
#include "rtl/SysUtils.h"

#include <QPainter>
#include <QWidget>

#include <algorithm>

namespace {

struct TRgbChannels {
    Integer R, G, B;
};

TRgbChannels ChannelsOf(TColor Color)
{
    const TColor C = ColorToRGB(Color);
    return {GetRValue(C), GetGValue(C), GetBValue(C)};
}

Byte ChannelByte(Int64 Value)
{
    return Byte(std::clamp<Int64>(Value, 0, 255));
}

} // namespace

TColor BlendColor(TColor Color1, TColor Color2, Integer Percent)
{
    if (Percent >= 100)
        return Color1;
    if (Percent <= 0)
        return Color2;
    const TRgbChannels A = ChannelsOf(Color1);
    const TRgbChannels B = ChannelsOf(Color2);
    const double P = Percent / 100.0;
    const auto Mix = [P](Integer X, Integer Y) { return ChannelByte(Round(P * X + (1 - P) * Y)); };
    return RGB(Mix(A.R, B.R), Mix(A.G, B.G), Mix(A.B, B.B));
}

TColor AdjustColor(TColor Color, Integer Red, Integer Green, Integer Blue)
{
    const TRgbChannels C = ChannelsOf(Color);
    const auto Adjust = [](Integer Channel, Integer Change) -> Byte {
        if (Channel == 0)
            return Byte(std::max(0, Change) & 0xFF);
        return ChannelByte(Round(std::min(100, 100 + Change) / 100.0 * Channel));
    };
    return RGB(Adjust(C.R, Red), Adjust(C.G, Green), Adjust(C.B, Blue));
}

void DrawBackground(TCanvas* Canvas, const TRect& R, TColor Color, TColor ColorTo, TColor BorderColor,
                    Integer BorderWidth, TGradientDirection Direction)
{
    if (!Canvas)
        return;
    if (ColorTo != clNone) {
        FillGradient(Canvas, Color, ColorTo, 80, R, Direction == gdHorizontal);
    } else if (Color != clNone) {
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(Color);
        Canvas->FillRect(R);
    }
    if (BorderColor != clNone && BorderWidth > 0) {
        Canvas->Brush()->SetStyle(bsClear);
        Canvas->Pen()->SetWidth(BorderWidth);
        Canvas->Pen()->SetColor(BorderColor);
        Canvas->Rectangle(R);
    }
}

void DrawImageText(TCanvas* Canvas, const TRect& R, const String& Text, TImageList* Images, Integer ImageIndex)
{
    if (!Canvas)
        return;
    TRect TextRect = R;
    const bool WithImage = ImageIndex >= 0 && Images;
    if (WithImage) {
        Images->Draw(Canvas, R.Left + 4, R.Top + (R.Height() - Images->Height()) / 2, ImageIndex);
        TextRect.Left = R.Left + Images->Width() + 8;
    }
    if (Text.isEmpty())
        return;
    Cardinal Flags = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
    if (!WithImage)
        Flags |= DT_CENTER;
    DrawText(Canvas, Text, TextRect, Flags);
}

void DrawTransparentGlyph(TCanvas* Canvas, TBitmap* Bitmap, TColor BackColor, const TRect& R)
{
    if (!Canvas || !Bitmap || Bitmap->Empty())
        return;
    TBitmap Source;
    Source.Assign(Bitmap);
    Source.SetTransparentColor(Source.Canvas()->Pixels(0, 0));
    Source.SetTransparent(true);
    TBitmap Back(Bitmap->Width(), Bitmap->Height());
    Back.Canvas()->Brush()->SetColor(BackColor);
    Back.Canvas()->FillRect(TRect(0, 0, Back.Width(), Back.Height()));
    Back.Canvas()->Draw(0, 0, &Source);
    Canvas->CopyRect(R, Back.Canvas(), TRect(0, 0, R.Width(), R.Height()));
}

TSize GetTextSize(TCanvas* Canvas, const String& Text)
{
    if (Text.isEmpty())
        return {0, 0};
    TRect R(0, 0, 1000, 500);
    DrawText(Canvas, Text, R, DT_CALCRECT | DT_SINGLELINE);
    return {R.Width(), R.Height()};
}

void FitTextToWidth(TCanvas* Canvas, const String& Text, Integer MaxWidth, bool Ellipsis, String& Fitted)
{
    Fitted = Text;
    if (GetTextSize(Canvas, Text).cx <= MaxWidth)
        return;
    const String End = Ellipsis ? QStringLiteral("...") : String();
    for (Integer Cut = 1; Cut <= Length(Text); ++Cut) {
        const String Candidate = Copy(Text, 1, Length(Text) - Cut) + End;
        if (GetTextSize(Canvas, Candidate).cx < MaxWidth) {
            Fitted = Candidate;
            return;
        }
    }
}

TSize RenderDropDownHTML(TCanvas* Canvas, const String& Text, const TRect& R, TImageList* Images, bool MeasureOnly,
                         bool Selected, bool WordWrap, TPictureContainer* Source, HWND Window)
{
    String Anchor, Strip, FocusAnchor, AnchorHint, CID, CV, CT;
    Integer XSize = 0, YSize = 0, HyperLinks = 0, MouseLink = 0;
    TRect HoverRect, CtrlRect;
    DrawHTMLText(Canvas, Text, R, Images, 0, 0, -1, -1, 1, false, MeasureOnly, false, Selected, false, false,
                 WordWrap, false, 1.0, TColor(0xFF0000), clNone, clNone, clGray, Anchor, Strip, FocusAnchor,
                 AnchorHint, XSize, YSize, HyperLinks, MouseLink, HoverRect, CtrlRect, CID, CV, CT, nullptr, Source,
                 Window, 0);
    return {XSize, YSize};
}

void DrawHTMLCaption(TCanvas* Canvas, const String& Text, const TRect& R, TImageList* Images, bool Selected,
                     TPictureContainer* Source, TSize& Size)
{
    Size = {0, 0};
    if (!Text.isEmpty())
        Size = RenderDropDownHTML(Canvas, Text, R, Images, false, Selected, true, Source, nullptr);
}

bool IsRangeSeparator(Char C)
{
    return C == u',' || C == u'-' || C == u';';
}

Integer IsType(const String& S)
{
    const Char DS = platform::UserDecimalSeparator();
    const Char TS = platform::UserThousandSeparator();
    bool IsInt = !S.isEmpty(), IsFloat = IsInt, IsHex = IsInt;
    Integer Minus = 0, Decimals = 0, LastThousand = -1;
    for (Integer K = 1; K <= Length(S); ++K) {
        const Char C = S.at(K - 1);
        const bool Digit = C >= u'0' && C <= u'9';
        const bool HexLetter = (C >= u'A' && C <= u'F') || (C >= u'a' && C <= u'f');
        if (C != u'-' && !Digit)
            IsInt = false;
        if (C != u',' && C != u'-' && C != u'.' && !Digit)
            IsFloat = false;
        if (C != u'-' && !Digit && !HexLetter)
            IsHex = false;
        if (C == TS) {
            if (K - LastThousand < 3)
                IsFloat = false;
            LastThousand = K;
        }
        if (C == DS)
            ++Decimals;
        if (C == u'-')
            ++Minus;
    }
    Integer Result = 2;
    if (IsHex && !IsInt)
        Result = 5;
    if (IsInt)
        Result = 0;
    else if (IsFloat)
        Result = 1;
    if (Minus > 1 || Decimals > 1)
        Result = 2;
    return Result;
}

String StripThousandSeparators(const String& S)
{
    String R = S;
    R.remove(platform::UserThousandSeparator());
    return R;
}

Integer HexDigitValue(Char C)
{
    if (C >= u'0' && C <= u'9')
        return C.unicode() - u'0';
    if (C >= u'A' && C <= u'F')
        return C.unicode() - u'A' + 10;
    if (C >= u'a' && C <= u'f')
        return C.unicode() - u'a' + 10;
    return 0;
}

Integer HexToInt(const String& S)
{
    Cardinal Result = 0;
    for (const Char C : S)
        Result = Result * 16 + Cardinal(HexDigitValue(C));
    return Integer(Result);
}

String OptionalUpperCase(const String& S, bool Keep)
{
    return Keep ? S : AnsiUpperCase(S);
}

// ---------------------------------------------------------------- the drop-down button

namespace {

// The glyph with its corner colour transparent at (X, Y).
void DrawGlyphTransparent(TCanvas* Canvas, TBitmap* Glyph, Integer X, Integer Y)
{
    TBitmap Copy;
    Copy.Assign(Glyph);
    Copy.SetTransparent(true);
    Canvas->Draw(X, Y, &Copy);
}

void DropArrow(TCanvas* Canvas, TColor Color)
{
    Canvas->Pen()->SetColor(Color);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Color);
    Canvas->Polygon({TPoint(5, 7), TPoint(11, 7), TPoint(8, 10)});
}

} // namespace

TExDropDownSpeedButton::TExDropDownSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner) {}

void TExDropDownSpeedButton::SetEtched(bool Value)
{
    if (Value == FEtched)
        return;
    FEtched = Value;
    Invalidate();
}

void TExDropDownSpeedButton::SetFocused(bool Value)
{
    if (Value == FFocused)
        return;
    FFocused = Value;
    Invalidate();
}

void TExDropDownSpeedButton::SetButtonStyle(TDropDownButtonStyle Value)
{
    FButtonStyle = Value;
    Invalidate();
}

void TExDropDownSpeedButton::SetUp()
{
    FUp = true;
}

void TExDropDownSpeedButton::CMMouseEnter(TMessage& Message)
{
    TSpeedButton::CMMouseEnter(Message);
    FHot = true;
    Invalidate();
}

void TExDropDownSpeedButton::CMMouseLeave(TMessage& Message)
{
    TSpeedButton::CMMouseLeave(Message);
    FHot = false;
    Invalidate();
}

bool TExDropDownSpeedButton::Pressed() const
{
    return (FState == bsDown || FState == bsExclusive) && !FUp;
}

TExCustomDropDown* TExDropDownSpeedButton::DropDown() const
{
    return Owner() ? dynamic_cast<TExCustomDropDown*>(Owner()->Owner()) : nullptr;
}

void TExDropDownSpeedButton::Paint()
{
    if (FButtonStyle == bsDropDown)
        PaintDropDownStyle();
    else
        PaintButtonStyle();
}

void TExDropDownSpeedButton::PaintDropDownStyle()
{
    TCanvas* C = Canvas();
    const TRect Client = ClientRect();
    const auto* Holder = dynamic_cast<TDropDownEditButton*>(Owner());
    TExCustomDropDown* D = DropDown();
    if (Holder && Holder->ButtonColor() != clNone) {
        const TColor Fill = Pressed() ? Holder->ButtonColorDown() : FHot ? Holder->ButtonColorHot() : Holder->ButtonColor();
        C->Pen()->SetColor(Fill);
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(Fill);
        C->Rectangle(Client);
        if (D) {
            C->Pen()->SetColor(D->BorderColor());
            C->MoveTo(0, 0);
            C->LineTo(0, Height());
        }
        DropArrow(C, Pressed() ? Holder->ButtonTextColorDown()
                     : FHot    ? Holder->ButtonTextColorHot()
                               : Holder->ButtonTextColor());
        return;
    }
    if (Glyph() && !Glyph()->Empty()) {
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(clBtnFace);
        C->FillRect(Client);
        C->Brush()->SetColor(TColor(0x808080));
        C->FrameRect(Client);
        DrawGlyphTransparent(C, Glyph(), 0, 0);
        return;
    }
    const bool Usable = !D || (D->Enabled() && !D->ReadOnly());
    if (Enabled() != Usable)
        SetEnabled(Usable);
    if (FIsWinXP && ThemeServices()->ThemesEnabled()) {
        TRect R = Client;
        InflateRect(R, 1, 1);
        R.Left += 1;
        const TThemedComboBox Part = !Enabled() ? tcDropDownButtonDisabled
                                     : Pressed() ? tcDropDownButtonPressed
                                     : FHot      ? tcDropDownButtonHot
                                                 : tcDropDownButtonNormal;
        ThemeServices()->DrawElement(C, ThemeServices()->GetElementDetails(Part), R);
        return;
    }
    TSpeedButton::Paint();
    const Integer W = Width(), H = Height();
    C->Pen()->SetColor(clBtnFace);
    C->Polyline({TPoint(W - 2, 0), TPoint(0, 0), TPoint(0, H - 1)});
    C->Pen()->SetColor(clWhite);
    C->Polyline({TPoint(W - 3, 1), TPoint(1, 1), TPoint(1, H - 2)});
    DropArrow(C, clBlack);
}

void TExDropDownSpeedButton::PaintButtonStyle()
{
    TCanvas* C = Canvas();
    const TRect Client = ClientRect();
    if (TExCustomDropDown* D = DropDown())
        C->Font()->Assign(D->Font());
    const bool Down = FState == bsDown;
    if (FIsWinXP && ThemeServices()->ThemesEnabled()) {
        C->FillRect(Client);
        const TThemedButton Part = !Enabled() ? tbPushButtonDisabled
                                   : Pressed() ? tbPushButtonPressed
                                   : FHot      ? tbPushButtonHot
                                               : tbPushButtonNormal;
        ThemeServices()->DrawElement(C, ThemeServices()->GetElementDetails(Part), TRect(0, 0, Width() + 1, Height() + 1));
        PaintThemedContent(Client);
        return;
    }
    if (!Flat()) {
        TSpeedButton::Paint();
        return;
    }
    C->FillRect(Client);
    C->Brush()->SetColor(clBtnFace);
    C->FillRect(Client);
    TRect Edge(Client.Left, Client.Top, Client.Right + 1, Client.Bottom + 1);
    DrawEdge(C, Edge, FEtched ? EDGE_ETCHED : EDGE_RAISED, BF_RECT | (Down ? UINT(BF_FLAT) : UINT(0)));
    const Integer Shift = Down ? 1 : 0;
    if (Glyph() && !Glyph()->Empty()) {
        TRect G = Client;
        InflateRect(G, -3, -3);
        OffsetRect(G, Shift, Shift);
        DrawTransparentGlyph(C, Glyph(), clBtnFace, G);
    }
    if (!Caption().isEmpty()) {
        TRect T = Client;
        InflateRect(T, -3, -1);
        OffsetRect(T, Shift, Shift);
        C->Brush()->SetStyle(bsClear);
        DrawText(C, Caption(), T, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

void TExDropDownSpeedButton::PaintThemedContent(const TRect& Client)
{
    TCanvas* C = Canvas();
    const Integer Shift = FState == bsDown ? 1 : 0;
    const bool WithGlyph = Glyph() && !Glyph()->Empty();
    TRect Inner = Client;
    InflateRect(Inner, -2, -2);
    Integer GlyphRight = Inner.Left;
    if (WithGlyph) {
        const Integer GW = Glyph()->Width() / std::max(NumGlyphs(), 1), GH = Glyph()->Height();
        Integer X = Inner.Left, Y = Inner.Top;
        if (!Caption().isEmpty())
            X += 2;
        else if (GW < Inner.Width())
            X += (Inner.Width() - GW) / 2;
        if (GH < Inner.Height())
            Y += (Inner.Height() - GH) / 2;
        DrawGlyphTransparent(C, Glyph(), X + Shift, Y + Shift);
        GlyphRight = X + GW;
    }
    if (Caption().isEmpty())
        return;
    C->Brush()->SetStyle(bsClear);
    if (!WithGlyph) {
        TRect T = Client;
        InflateRect(T, -3, -1);
        OffsetRect(T, Shift, Shift);
        DrawText(C, Caption(), T, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    } else {
        TRect T(GlyphRight + 2, Client.Top - 1, Client.Right, Client.Bottom - 1);
        DrawText(C, Caption(), T, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    }
}

TDropDownEditButton::TDropDownEditButton(TComponent* AOwner) : TWinControl(AOwner)
{
    SetControlStyle(ControlStyle() - TControlStyle{csAcceptsControls, csSetCaption} + TControlStyle{csOpaque});
    SetTabStop(false);
    FButton = new TExDropDownSpeedButton(this);
    FButton->SetParent(this);
    FButton->OnMouseUp = [this](TObject* Sender, TMouseButton Button, TShiftState, Integer, Integer) {
        SpeedButtonMouseUp(Sender, Button);
    };
    FButton->SetVisible(true);
    FButton->SetEnabled(Enabled());
    FButton->SetCaption(String());
    FButton->SetButtonStyle(bsDropDown);
    FButton->SetGlyph(nullptr);
    SetBounds(Left(), Top(), 16, 25);
}

void TDropDownEditButton::SpeedButtonMouseUp(TObject* Sender, TMouseButton Button)
{
    if (Button == mbLeft && OnClick && Sender == FButton)
        OnClick(this);
}

void TDropDownEditButton::SetFocusControl(TWinControl* Value)
{
    if (FFocusControl)
        FFocusControl->RemoveFreeNotification(this);
    FFocusControl = Value;
    if (FFocusControl)
        FFocusControl->FreeNotification(this);
}

void TDropDownEditButton::Notification(TComponent* AComponent, TOperation Operation)
{
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFocusControl)
        FFocusControl = nullptr;
    if (Operation == opRemove && AComponent == FButton)
        FButton = nullptr;
}

void TDropDownEditButton::ApplySizeRule()
{
    if (!FButton || (ComponentState().Contains(csLoading) && !ComponentState().Contains(csDesigning)))
        return;
    FButton->SetBounds(0, 0, FBWidth, Height());
}

void TDropDownEditButton::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight)
{
    TWinControl::SetBounds(ALeft, ATop, FButton ? FBWidth : AWidth, AHeight);
    ApplySizeRule();
}

void TDropDownEditButton::WMSize(TWMSize& Message)
{
    TWinControl::WMSize(Message);
    ApplySizeRule();
    Message.Result = 0;
}

void TDropDownEditButton::Loaded()
{
    TWinControl::Loaded();
    ApplySizeRule();
}

void TDropDownEditButton::CMEnabledChanged(TMessage& Message)
{
    TWinControl::CMEnabledChanged(Message);
    if (FButton && !ComponentState().Contains(csDesigning))
        FButton->SetEnabled(Enabled());
}

void TWinCtrl::PaintCtrls(TCanvas* Canvas, TControl* First)
{
    QPainter* P = Canvas->Painter();
    if (!P)
        return;
    bool Started = First == nullptr;
    for (Integer I = 0; I < ControlCount(); ++I) {
        TControl* C = Controls(I);
        Started = Started || C == First;
        if (Started && C->Visible())
            C->Handle()->render(P, QPoint(C->Left(), C->Top()), QRegion(), QWidget::DrawChildren);
    }
}
