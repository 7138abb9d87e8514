// Colours and the drawing tools (font, pen, brush).
#include "rtl/Graphics.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>

#include <array>


namespace {

// The system colours, fixed so that every drawing comes out the same on every
// desktop: the values of the standard desktop scheme (index = low byte).
constexpr std::array<TColor, 31> SystemColorTable = {
    RGB(200, 200, 200), // 0 scroll bar
    RGB(0, 0, 0),       // 1 desktop background
    RGB(153, 180, 209), // 2 active caption
    RGB(191, 205, 219), // 3 inactive caption
    RGB(240, 240, 240), // 4 menu
    RGB(255, 255, 255), // 5 window
    RGB(100, 100, 100), // 6 window frame
    RGB(0, 0, 0),       // 7 menu text
    RGB(0, 0, 0),       // 8 window text
    RGB(0, 0, 0),       // 9 caption text
    RGB(180, 180, 180), // 10 active border
    RGB(244, 247, 252), // 11 inactive border
    RGB(171, 171, 171), // 12 application workspace
    RGB(0, 120, 215),   // 13 highlight
    RGB(255, 255, 255), // 14 highlight text
    RGB(240, 240, 240), // 15 button face
    RGB(160, 160, 160), // 16 button shadow
    RGB(109, 109, 109), // 17 grey text
    RGB(0, 0, 0),       // 18 button text
    RGB(0, 0, 0),       // 19 inactive caption text
    RGB(255, 255, 255), // 20 button highlight
    RGB(105, 105, 105), // 21 3D dark shadow
    RGB(227, 227, 227), // 22 3D light
    RGB(0, 0, 0),       // 23 tooltip text
    RGB(255, 255, 225), // 24 tooltip background
    RGB(0, 0, 0),       // 25 unused
    RGB(0, 102, 204),   // 26 hot-tracked item
    RGB(185, 209, 234), // 27 active caption gradient
    RGB(215, 228, 242), // 28 inactive caption gradient
    RGB(0, 120, 215),   // 29 menu highlight
    RGB(240, 240, 240), // 30 menu bar
};

} // namespace

TColor ColorToRGB(TColor Color)
{
    if ((Cardinal(Color) & 0xFF000000u) == 0xFF000000u) {
        const Cardinal Index = Cardinal(Color) & 0xFF;
        return Index < SystemColorTable.size() ? SystemColorTable[Index] : clBlack;
    }
    return Color;
}

bool IsPaintableColor(TColor Color)
{
    const Cardinal Top = Cardinal(Color) >> 24;
    return Top == 0x00 || Top == 0xFF;
}

QColor ColorToQColor(TColor Color)
{
    if (!IsPaintableColor(Color))
        return QColor();
    const TColor C = ColorToRGB(Color);
    return QColor(GetRValue(C), GetGValue(C), GetBValue(C));
}

TColor QColorToColor(const QColor& Color)
{
    return RGB(Byte(Color.red()), Byte(Color.green()), Byte(Color.blue()));
}

// ---------------------------------------------------------------------------
// Colour names

namespace {

struct TColorName {
    TColor Value;
    const char* Name;
};

// The framework's 52 names, in its order: the fixed colours, then the
// system colours and the markers.
constexpr std::array<TColorName, 52> ColorNameTable = {{
    {clBlack, "clBlack"}, {clMaroon, "clMaroon"}, {clGreen, "clGreen"}, {clOlive, "clOlive"},
    {clNavy, "clNavy"}, {clPurple, "clPurple"}, {clTeal, "clTeal"}, {clGray, "clGray"},
    {clSilver, "clSilver"}, {clRed, "clRed"}, {clLime, "clLime"}, {clYellow, "clYellow"},
    {clBlue, "clBlue"}, {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"}, {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"}, {clSkyBlue, "clSkyBlue"}, {clCream, "clCream"}, {clMedGray, "clMedGray"},
    {clActiveBorder, "clActiveBorder"}, {clActiveCaption, "clActiveCaption"},
    {clAppWorkSpace, "clAppWorkSpace"}, {clBackground, "clBackground"}, {clBtnFace, "clBtnFace"},
    {clBtnHighlight, "clBtnHighlight"}, {clBtnShadow, "clBtnShadow"}, {clBtnText, "clBtnText"},
    {clCaptionText, "clCaptionText"}, {clDefault, "clDefault"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"}, {clGrayText, "clGrayText"},
    {clHighlight, "clHighlight"}, {clHighlightText, "clHighlightText"}, {clHotLight, "clHotLight"},
    {clInactiveBorder, "clInactiveBorder"}, {clInactiveCaption, "clInactiveCaption"},
    {clInactiveCaptionText, "clInactiveCaptionText"}, {clInfoBk, "clInfoBk"}, {clInfoText, "clInfoText"},
    {clMenu, "clMenu"}, {clMenuBar, "clMenuBar"}, {clMenuHighlight, "clMenuHighlight"},
    {clMenuText, "clMenuText"}, {clNone, "clNone"}, {clScrollBar, "clScrollBar"},
    {cl3DDkShadow, "cl3DDkShadow"}, {cl3DLight, "cl3DLight"}, {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"}, {clWindowText, "clWindowText"},
}};

} // namespace

bool ColorToIdent(TColor Color, String& Ident)
{
    for (const TColorName& Entry : ColorNameTable)
        if (Entry.Value == Color) {
            Ident = QString::fromLatin1(Entry.Name);
            return true;
        }
    return false;
}

void WriteColorProperty(TObjectRecordWriter& W, QByteArrayView Name, TColor Color)
{
    String Ident;
    if (ColorToIdent(Color, Ident))
        W.WriteIdent(Name, Ident.toLatin1());
    else
        W.WriteInteger(Name, Color);
}

bool IdentToColor(const String& Ident, TColor& Color)
{
    for (const TColorName& Entry : ColorNameTable)
        if (SameText(Ident, QString::fromLatin1(Entry.Name))) {
            Color = Entry.Value;
            return true;
        }
    return false;
}

String ColorToString(TColor Color)
{
    String Ident;
    if (ColorToIdent(Color, Ident))
        return Ident;
    return QStringLiteral("$") + IntToHex(Color, 8);
}

TColor StringToColor(const String& S)
{
    TColor Color = clBlack;
    if (IdentToColor(S, Color))
        return Color;
    return StrToInt(S);
}

// ---------------------------------------------------------------------------

void TGraphicsObject::Changed()
{
    if (OnChange)
        OnChange(this);
}

// ---------------------------------------------------------------------------

TFont::TFont() : FName(QStringLiteral("Tahoma")), FHeight(-11), FColor(clWindowText) {}

void TFont::Assign(TPersistent* Source)
{
    auto* F = dynamic_cast<TFont*>(Source);
    if (!F) {
        TPersistent::Assign(Source);
        return;
    }
    if (F == this)
        return;
    FName = F->FName;
    FHeight = F->FHeight;
    FStyle = F->FStyle;
    FColor = F->FColor;
    FCharset = F->FCharset;
    FPitch = F->FPitch;
    FPixelsPerInch = F->FPixelsPerInch;
    FOrientation = F->FOrientation;
    FFace = F->FFace;
    Changed();
}

void TFont::Reshaped()
{
    FFace.reset();
    Changed();
}

void TFont::SetName(const TFontName& Value)
{
    if (Value.isEmpty() || Value == FName)
        return;
    FName = Value;
    Reshaped();
}

void TFont::SetHeight(Integer Value)
{
    if (Value == FHeight)
        return;
    FHeight = Value;
    Reshaped();
}

Integer TFont::Size() const { return -MulDiv(FHeight, 72, FPixelsPerInch); }

void TFont::SetSize(Integer Value) { SetHeight(-MulDiv(Value, FPixelsPerInch, 72)); }

void TFont::SetStyle(TFontStyles Value)
{
    if (Value == FStyle)
        return;
    FStyle = Value;
    Reshaped();
}

void TFont::SetColor(TColor Value)
{
    if (Value == FColor)
        return;
    FColor = Value;
    Changed();
}

void TFont::SetCharset(TFontCharset Value)
{
    if (Value == FCharset)
        return;
    FCharset = Value;
    Changed();
}

void TFont::SetPitch(TFontPitch Value)
{
    if (Value == FPitch)
        return;
    FPitch = Value;
    Reshaped();
}

void TFont::SetOrientation(Integer Value)
{
    if (Value == FOrientation)
        return;
    FOrientation = Value;
    Changed();
}

void TFont::SetPixelsPerInch(Integer Value)
{
    if (Value <= 0 || Value == FPixelsPerInch)
        return;
    FPixelsPerInch = Value;
    Reshaped();
}

QFont TFont::BuildQFont() const
{
    QFont F(FName);
    if (FPitch == fpFixed)
        F.setStyleHint(QFont::Monospace);
    F.setFixedPitch(FPitch == fpFixed);
    F.setBold(FStyle.Contains(fsBold));
    F.setItalic(FStyle.Contains(fsItalic));
    F.setUnderline(FStyle.Contains(fsUnderline));
    F.setStrikeOut(FStyle.Contains(fsStrikeOut));
    F.setKerning(false);
    F.setHintingPreference(QFont::PreferFullHinting);
    if (!CanvasTextAntialiasing())
        F.setStyleStrategy(QFont::NoAntialias);
    if (FHeight < 0) {
        F.setPixelSize(-FHeight);
    } else if (FHeight > 0) {
        // A positive height is the cell height (ascent + descent): scale the
        // em size so that the cell comes out at that height.
        F.setPixelSize(FHeight);
        const int Cell = QFontMetrics(F).height();
        if (Cell > 0)
            F.setPixelSize(std::max(1, MulDiv(FHeight, FHeight, Cell)));
    } else {
        F.setPixelSize(MulDiv(8, FPixelsPerInch, 72)); // 0 means the default size
    }
    return F;
}

// ---------------------------------------------------------------------------

void TPen::Assign(TPersistent* Source)
{
    auto* P = dynamic_cast<TPen*>(Source);
    if (!P) {
        TPersistent::Assign(Source);
        return;
    }
    if (P == this)
        return;
    FColor = P->FColor;
    FWidth = P->FWidth;
    FStyle = P->FStyle;
    FMode = P->FMode;
    Changed();
}

void TPen::SetColor(TColor Value)
{
    if (Value == FColor)
        return;
    FColor = Value;
    Changed();
}

void TPen::SetWidth(Integer Value)
{
    if (Value < 0 || Value == FWidth)
        return;
    FWidth = Value;
    Changed();
}

void TPen::SetStyle(TPenStyle Value)
{
    if (Value == FStyle)
        return;
    FStyle = Value;
    Changed();
}

void TPen::SetMode(TPenMode Value)
{
    if (Value == FMode)
        return;
    FMode = Value;
    Changed();
}

// ---------------------------------------------------------------------------

void TBrush::Assign(TPersistent* Source)
{
    auto* B = dynamic_cast<TBrush*>(Source);
    if (!B) {
        TPersistent::Assign(Source);
        return;
    }
    if (B == this)
        return;
    FColor = B->FColor;
    FStyle = B->FStyle;
    FBitmap = B->FBitmap;
    Changed();
}

void TBrush::SetColor(TColor Value)
{
    if (Value == FColor && FStyle != bsClear)
        return;
    FColor = Value;
    if (FStyle == bsClear)
        FStyle = bsSolid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle Value)
{
    if (Value == FStyle)
        return;
    FStyle = Value;
    Changed();
}

void TBrush::SetBitmap(TBitmap* Value)
{
    if (Value == FBitmap)
        return;
    FBitmap = Value;
    Changed();
}
