#include "grid/base/ExUtil.h"
#include "grid/base/GridResources.h"
#include "grid/base/ExXPVS.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <tuple>
#include <utility>

namespace {

Byte ClampedColorByte(double Value) { return Byte(std::clamp<Int64>(Round(Value), 0, 255)); }

// Each byte of From moved by Fraction of the way to To.
TColor BlendColorBytes(TColor From, TColor To, Integer Numerator, Integer Denominator)
{
    const auto Step = [&](Byte A, Byte B) { return ClampedColorByte(A + double(Numerator) * (B - A) / Denominator); };
    return RGB(Step(GetRValue(From), GetRValue(To)), Step(GetGValue(From), GetGValue(To)),
               Step(GetBValue(From), GetBValue(To)));
}

void UseSolidPenAndBrush(TCanvas* Canvas, TColor Color)
{
    Canvas->Pen()->SetColor(Color);
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Pen()->SetWidth(1);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Color);
}

void PaintSolidArea(TCanvas* Canvas, const TRect& R, TColor Color)
{
    if (IsRectEmpty(R))
        return;
    UseSolidPenAndBrush(Canvas, Color);
    Canvas->FillRect(R);
}

// The pixels X1..X2, Y1..Y2 (inclusive), as single lines and dots are given.
void PaintPixelRun(TCanvas* Canvas, TColor Color, Integer X1, Integer Y1, Integer X2, Integer Y2)
{
    PaintSolidArea(Canvas, Rect(X1, Y1, X2 + 1, Y2 + 1), Color);
}

void PaintSolidPolygon(TCanvas* Canvas, const std::vector<TPoint>& Points, TColor Color)
{
    UseSolidPenAndBrush(Canvas, Color);
    Canvas->Polygon(Points);
}

const TColorTone& ButtonToneOfState(const TColorTones& Tones, Integer State)
{
    switch (State) {
    case 1: return Tones.Hover;
    case 2: return Tones.Selected;
    case 3: return Tones.Disabled;
    default: return Tones.Background;
    }
}

// The part drawn by the bound visual-style functions; false when they give
// nothing (no style in use), so the caller draws the classic face.
bool DrawThemedButtonPart(TCanvas* Canvas, HWND Wnd, const char* ClassName, Integer Part, Integer State, const TRect& R)
{
    if (!ThemeAPIBound)
        return false;
    const HTHEME Theme = ThemeAPI.OpenThemeData(Wnd, QString::fromLatin1(ClassName));
    if (!Theme)
        return false;
    const HRESULT Result = ThemeAPI.DrawThemeBackground(Theme, Canvas, Part, State, R, nullptr);
    ThemeAPI.CloseThemeData(Theme);
    return Result == S_OK;
}

UINT ClassicButtonFlags(Integer State, Integer Look)
{
    UINT Flags = Look == 2 ? UINT(DFCS_FLAT) : 0;
    if (State == 1)
        Flags |= DFCS_HOT;
    else if (State == 2)
        Flags |= DFCS_PUSHED;
    else if (State == 3)
        Flags |= DFCS_INACTIVE;
    return Flags;
}

void DrawClassicButton(TCanvas* Canvas, TRect R, UINT Type, UINT Flags)
{
    DrawFrameControl(Canvas, R, Type, Flags);
}

// The face fill of DrawGradientButton: solid, one gradient, or two halves.
void FillGradientButtonFace(TCanvas* Canvas, const TRect& R, TColor Color, TColor ColorTo, TColor MirrorColor,
                    TColor MirrorColorTo)
{
    if (ColorTo == clNone) {
        PaintSolidArea(Canvas, R, Color);
    } else if (MirrorColor == clNone) {
        DrawGradient(Canvas, Color, ColorTo, false, R, 16);
    } else {
        const Integer Middle = R.Top + R.Height() / 2;
        DrawGradient(Canvas, Color, ColorTo, false, Rect(R.Left, R.Top, R.Right, Middle), 16);
        DrawGradient(Canvas, MirrorColor, MirrorColorTo, false, Rect(R.Left, Middle, R.Right, R.Bottom), 16);
    }
}

// The rectangle of the bar between two lengths from its start (from the
// bottom for a vertical bar).
TRect ProgressBarPart(const TRect& Inner, bool Vertical, Integer From, Integer To)
{
    return Vertical ? Rect(Inner.Left, Inner.Bottom - To, Inner.Right, Inner.Bottom - From)
                    : Rect(Inner.Left + From, Inner.Top, Inner.Left + To, Inner.Bottom);
}

struct TProgressLevelColors {
    TColor Color;
    TColor ColorTo;
};

TProgressLevelColors ProgressLevelColors(const TProgressAppearance& A, Integer Level)
{
    switch (Level) {
    case 0: return {A.Level0Color, A.Level0ColorTo};
    case 1: return {A.Level1Color, A.Level1ColorTo};
    case 2: return {A.Level2Color, A.Level2ColorTo};
    default: return {A.Level3Color, A.Level3ColorTo};
    }
}

Integer ProgressPixels(Integer Percent, Integer Length)
{
    return Integer(Round(std::clamp(Percent, 0, 100) * Length / 100.0));
}

// The level whose colours the pixel at Pixel of a bar of Length pixels
// takes: a stacked bar changes level at the thresholds along the bar, others
// take one level by the percentage (the last one when complete).
Integer ProgressLevelOfPixel(const TProgressAppearance& A, Integer Percentage, Integer Length, Integer Pixel)
{
    if (A.Stacked)
        return Pixel < ProgressPixels(A.Level1Perc, Length) ? 0 : Pixel < ProgressPixels(A.Level2Perc, Length) ? 1 : 2;
    if (Percentage < A.Level1Perc)
        return 0;
    if (Percentage < A.Level2Perc)
        return 1;
    return Percentage < 100 ? 2 : 3;
}

// A piece of the bar across its thickness: a gradient from the level colour
// to its end colour, mirrored from the middle for blocks, or solid.
void PaintProgressPiece(TCanvas* Canvas, const TRect& R, bool Vertical, TProgressLevelColors Level,
                   const TProgressAppearance& A, bool Mirrored)
{
    if (!A.ShowGradient || Level.ColorTo == clNone) {
        PaintSolidArea(Canvas, R, Level.Color);
        return;
    }
    if (!Mirrored) {
        DrawGradient(Canvas, Level.Color, Level.ColorTo, Vertical, R, A.Steps);
        return;
    }
    TRect First = R, Second = R;
    if (Vertical)
        First.Right = Second.Left = R.Left + R.Width() / 2;
    else
        First.Bottom = Second.Top = R.Top + R.Height() / 2;
    DrawGradient(Canvas, Level.ColorTo, Level.Color, Vertical, First, A.Steps);
    DrawGradient(Canvas, Level.Color, Level.ColorTo, Vertical, Second, A.Steps);
}

TPoint ShapePolarPoint(double CX, double CY, double RX, double RY, double Degrees)
{
    const double A = Degrees * std::numbers::pi / 180;
    return TPoint(Integer(Round(CX + RX * std::cos(A))), Integer(Round(CY + RY * std::sin(A))));
}

// Ten points from twelve o'clock on, every 36 degrees, alternating between
// the outer radius and a third of it.
std::vector<TPoint> ShapeStarPoints(const TRect& Box)
{
    const double CX = Box.Left + Box.Width() / 2.0, CY = Box.Top + Box.Height() / 2.0;
    const double RX = Box.Width() / 2.0, RY = Box.Height() / 2.0;
    std::vector<TPoint> Points;
    for (Integer I = 0; I < 10; ++I) {
        const double Scale = I % 2 == 0 ? 1.0 : 1.0 / 3;
        Points.push_back(ShapePolarPoint(CX, CY, RX * Scale, RY * Scale, -90 + 36 * I));
    }
    return Points;
}

// A block arrow pointing up in the box, turned for the other directions.
std::vector<TPoint> ShapeArrowPoints(const TRect& Box, TCellShape Shape)
{
    const Integer X1 = Box.Left, Y1 = Box.Top, X2 = Box.Right - 1, Y2 = Box.Bottom - 1;
    const Integer CX = (X1 + X2) / 2, CY = (Y1 + Y2) / 2;
    const Integer HalfShaftW = Box.Width() / 4, HalfShaftH = Box.Height() / 4;
    switch (Shape) {
    case csArrowUp:
        return {{CX, Y1}, {X2, CY}, {CX + HalfShaftW, CY}, {CX + HalfShaftW, Y2},
                {CX - HalfShaftW, Y2}, {CX - HalfShaftW, CY}, {X1, CY}};
    case csArrowDown:
        return {{CX, Y2}, {X1, CY}, {CX - HalfShaftW, CY}, {CX - HalfShaftW, Y1},
                {CX + HalfShaftW, Y1}, {CX + HalfShaftW, CY}, {X2, CY}};
    case csArrowLeft:
        return {{X1, CY}, {CX, Y1}, {CX, CY - HalfShaftH}, {X2, CY - HalfShaftH},
                {X2, CY + HalfShaftH}, {CX, CY + HalfShaftH}, {CX, Y2}};
    default:
        return {{X2, CY}, {CX, Y2}, {CX, CY + HalfShaftH}, {X1, CY + HalfShaftH},
                {X1, CY - HalfShaftH}, {CX, CY - HalfShaftH}, {CX, Y1}};
    }
}

std::vector<TPoint> ShapePolygon(const TRect& Box, TCellShape Shape)
{
    const Integer X1 = Box.Left, Y1 = Box.Top, X2 = Box.Right - 1, Y2 = Box.Bottom - 1;
    const Integer CX = (X1 + X2) / 2, CY = (Y1 + Y2) / 2;
    switch (Shape) {
    case csTriangleLeft: return {{X2, Y1}, {X2, Y2}, {X1, CY}};
    case csTriangleRight: return {{X1, Y1}, {X1, Y2}, {X2, CY}};
    case csTriangleUp: return {{X1, Y2}, {X2, Y2}, {CX, Y1}};
    case csTriangleDown: return {{X1, Y1}, {X2, Y1}, {CX, Y2}};
    case csDiamond: return {{CX, Y1}, {X2, CY}, {CX, Y2}, {X1, CY}};
    case csStar: return ShapeStarPoints(Box);
    case csHalfStar: {
        // Twelve o'clock, then the left side down to six o'clock.
        const std::vector<TPoint> Star = ShapeStarPoints(Box);
        return {Star[0], Star[9], Star[8], Star[7], Star[6], Star[5]};
    }
    default: return ShapeArrowPoints(Box, Shape);
    }
}

// Where the text of an error mark starts in a single-line edit.
constexpr Integer ErrorEditMargin = 2;

} // namespace

// ---------------------------------------------------------------------------
// Colour arithmetic

TColor HalveColor(TColor Color)
{
    const TColor C = ColorToRGB(Color);
    return RGB(GetRValue(C) / 2, GetGValue(C) / 2, GetBValue(C) / 2);
}

TColor ScaleColorPercent(TColor Color, Integer Percent)
{
    const TColor C = ColorToRGB(Color);
    const auto Scale = [Percent](Byte B) { return ClampedColorByte(B + B * double(Percent) / 100); };
    return RGB(Scale(GetRValue(C)), Scale(GetGValue(C)), Scale(GetBValue(C)));
}

TColor GradientColorAt(TColor Color, TColor ColorTo, Integer Min, Integer Max, Integer Position)
{
    if (ColorTo == clNone || Max == Min)
        return Color;
    const TColor From = ColorToRGB(Color), To = ColorToRGB(ColorTo);
    const auto Step = [&](Byte A, Byte B) { return ClampedColorByte(A + double(B - A) / (Max - Min) * Position); };
    return RGB(Step(GetRValue(From), GetRValue(To)), Step(GetGValue(From), GetGValue(To)),
               Step(GetBValue(From), GetBValue(To)));
}

// ---------------------------------------------------------------------------
// Gradients

void FillGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, Integer Steps, TRect R, bool Horizontal)
{
    if (!Canvas)
        return;
    Steps = std::max(Steps, 1);
    if (Horizontal)
        R.Right -= 1;
    else
        R.Bottom -= 1;
    const double Extent = Horizontal ? R.Width() : R.Height();
    const double D = Extent / Steps;
    const TColor From = ColorToRGB(FromColor);
    const TColor To = ColorToRGB(ToColor);
    const auto Step = [&](Byte F, Byte T, Integer N) { return ClampedColorByte(F + Round(double(N) * (T - F) / Steps)); };
    const Integer Band = Integer(Round(D)) + 1;
    for (Integer N = 0; N < Steps; ++N) {
        UseSolidPenAndBrush(Canvas, RGB(Step(GetRValue(From), GetRValue(To), N), Step(GetGValue(From), GetGValue(To), N),
                                        Step(GetBValue(From), GetBValue(To), N)));
        const Integer O = Integer(Round(N * D) & 0xFFFF);
        // Pen and brush are one colour: the band is the rectangle filled,
        // also when it is one pixel thin.
        if (Horizontal)
            Canvas->FillRect(TRect(R.Left + O, R.Top, R.Left + O + Band, R.Bottom));
        else
            Canvas->FillRect(TRect(R.Left, R.Top + O, R.Right, R.Top + O + Band));
    }
}

void DrawGradient(TCanvas* Canvas, TColor Color, TColor ColorTo, bool Horizontal, TRect R, Integer Steps)
{
    if (!Canvas || R.Top == R.Bottom || R.Right <= R.Left)
        return;
    if (R.Top > R.Bottom)
        std::swap(R.Top, R.Bottom);
    if (Color == clNone || ColorTo == clNone) {
        PaintSolidArea(Canvas, R, Color == clNone ? ColorTo : Color);
        return;
    }
    const TColor From = ColorToRGB(Color), To = ColorToRGB(ColorTo);
    const Integer Extent = (Horizontal ? R.Width() : R.Height()) - 1;
    Steps = Max(1, Min(Steps, Extent));
    const double Band = double(Extent) / Steps;
    const Integer Length = Integer(Trunc(Band + 1));
    for (Integer I = 0; I <= Steps; ++I) {
        const Integer Start = Integer(Trunc(I * Band));
        const TRect Piece = Horizontal
                                ? Rect(R.Left + Start, R.Top, Min(R.Left + Start + Length, R.Right), R.Bottom)
                                : Rect(R.Left, R.Top + Start, R.Right, Min(R.Top + Start + Length, R.Bottom));
        PaintSolidArea(Canvas, Piece, BlendColorBytes(From, To, I, Steps));
    }
}

void DrawGradientBackground(TCanvas* Canvas, TRect R, TColor Color, bool Fill, bool SidesOnly, TColor BorderColor,
                            TCellGradientDirection Direction, TColor MirrorColorTo, TColor MirrorColor,
                            TColor ColorTo)
{
    if (!Canvas || IsRectEmpty(R))
        return;
    const bool Horizontal = Direction == GradientHorizontal;
    if (Fill && Color != clNone) {
        if (MirrorColor == clNone && ColorTo == clNone) {
            PaintSolidArea(Canvas, Rect(R.Left, R.Top, R.Right, R.Bottom + 1), Color);
        } else if (MirrorColor == clNone) {
            DrawGradient(Canvas, Color, ColorTo, Horizontal, R, 128);
        } else {
            TRect First = R, Second = R;
            if (Horizontal)
                First.Right = Second.Left = R.Left + R.Width() / 2;
            else
                First.Bottom = Second.Top = R.Top + R.Height() / 2;
            DrawGradient(Canvas, Color, ColorTo, Horizontal, First, 128);
            DrawGradient(Canvas, MirrorColor, MirrorColorTo, Horizontal, Second, 128);
        }
    }
    if (BorderColor == clNone)
        return;
    if (SidesOnly) {
        PaintPixelRun(Canvas, BorderColor, R.Left, R.Top, R.Left, R.Bottom - 1);
        PaintPixelRun(Canvas, BorderColor, R.Right - 1, R.Top, R.Right - 1, R.Bottom - 1);
    } else {
        UseSolidPenAndBrush(Canvas, BorderColor);
        Canvas->FrameRect(R);
    }
}

// The face covers the columns Left .. Right - 1 and the rows Top ..
// Bottom - 2, the last row being left to the grid line.
void DrawGradientButton(TCanvas* Canvas, TColor Color, TColor ColorTo, TColor MirrorColor, TColor MirrorColorTo,
                        TColor HighlightColor, TColor ShadowColor, TColor BorderColor, TColor CornerColor,
                        TColor OuterCornerColor, TRect R, Integer Kind)
{
    const Integer X1 = R.Left, Y1 = R.Top, X2 = R.Right - 1, Y2 = R.Bottom - 2;
    if (!Canvas || X2 - X1 < 3 || Y2 - Y1 < 3)
        return;
    const bool LeftSide = Kind == 0 || Kind == 1, RightSide = Kind == 0 || Kind == 2;
    const Integer InL = X1 + (LeftSide ? 1 : 0), InR = X2 - (RightSide ? 1 : 0), Middle = Y1 + (Y2 - Y1) / 2;
    FillGradientButtonFace(Canvas, Rect(InL, Y1 + 1, InR + 1, Y2), Color, ColorTo, MirrorColor, MirrorColorTo);

    PaintPixelRun(Canvas, HighlightColor, InL, Y1 + 1, InR, Y1 + 1);
    PaintPixelRun(Canvas, ShadowColor, InL, Y2 - 1, InR, Y2 - 1);
    const Integer EdgeL = X1 + (LeftSide ? 2 : 0), EdgeR = X2 - (RightSide ? 2 : 0);
    PaintPixelRun(Canvas, BorderColor, EdgeL, Y1, EdgeR, Y1);
    PaintPixelRun(Canvas, BorderColor, EdgeL, Y2, EdgeR, Y2);
    for (const auto& [Drawn, Outer, Inner] : {std::tuple{LeftSide, X1, X1 + 1}, std::tuple{RightSide, X2, X2 - 1}}) {
        if (!Drawn)
            continue;
        PaintPixelRun(Canvas, HighlightColor, Inner, Y1 + 1, Inner, Middle);
        PaintPixelRun(Canvas, ShadowColor, Inner, Middle, Inner, Y2 - 1);
        PaintPixelRun(Canvas, BorderColor, Outer, Y1 + 2, Outer, Y2 - 2);
        for (const auto& [Edge, Next] : {std::pair{Y1, Y1 + 1}, std::pair{Y2, Y2 - 1}}) {
            for (const TPoint& P : {TPoint(Inner, Edge), TPoint(Outer, Next), TPoint(Inner, Next)})
                PaintPixelRun(Canvas, CornerColor, P.X, P.Y, P.X, P.Y);
            PaintPixelRun(Canvas, OuterCornerColor, Outer, Edge, Outer, Edge);
        }
    }
}

// ---------------------------------------------------------------------------
// In-cell buttons

void DrawComboButton(TCanvas* Canvas, HWND Wnd, TRect R, Integer State, Integer Look, const TColorTones& Tones)
{
    if (!Canvas || IsRectEmpty(R))
        return;
    TRect Area(R.Right - 17, R.Top + 1, R.Right, R.Bottom - 1);
    OffsetRect(Area, -2, 0);
    if (Look == 0 && DrawThemedButtonPart(Canvas, Wnd, "combobox", CP_DROPDOWNBUTTON,
                                    State == 3 ? CBXS_DISABLED : CBXS_NORMAL, Area))
        return;
    if (Look == 3) {
        Area.Left += 3;
        PaintSolidArea(Canvas, Area, ButtonToneOfState(Tones, State).BrushColor);
        PaintPixelRun(Canvas, Tones.Background.BorderColor, Area.Left + 1, Area.Top, Area.Left + 1, Area.Bottom - 1);
        PaintSolidPolygon(Canvas, {{Area.Left + 5, Area.Top + 8}, {Area.Left + 11, Area.Top + 8},
                              {Area.Left + 8, Area.Top + 11}},
                     Tones.Background.TextColor);
        return;
    }
    const UINT Flags = ClassicButtonFlags(State, Look) & (DFCS_FLAT | DFCS_INACTIVE);
    DrawClassicButton(Canvas, Area, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | Flags);
}

void DrawButtonFace(TCanvas* Canvas, HWND Wnd, TRect R, Integer State, Integer Look, const TColorTones& Tones)
{
    if (!Canvas || IsRectEmpty(R))
        return;
    constexpr Integer ThemedStates[] = {PBS_NORMAL, PBS_HOT, PBS_PRESSED, PBS_DISABLED};
    const Integer ThemedState = ThemedStates[std::clamp(State, 0, 3)];
    if (Look == 0 && DrawThemedButtonPart(Canvas, Wnd, "button", BP_PUSHBUTTON, ThemedState, R))
        return;
    if (Look == 3) {
        const TColorTone& Tone = ButtonToneOfState(Tones, State);
        Canvas->Pen()->SetColor(Tone.BorderColor);
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(Tone.BrushColor);
        Canvas->Rectangle(R);
        return;
    }
    DrawClassicButton(Canvas, R, DFC_BUTTON, DFCS_BUTTONPUSH | ClassicButtonFlags(State, Look));
}

void DrawSpinButtons(TCanvas* Canvas, HWND Wnd, TRect R, Integer State, Integer Look, const TColorTones& Tones)
{
    if (!Canvas || IsRectEmpty(R))
        return;
    TRect Area(R.Right - 15, R.Top, R.Right, R.Bottom);
    OffsetRect(Area, -1, -1);
    const Integer Middle = Area.Top + Area.Height() / 2;
    const TRect Up(Area.Left, Area.Top, Area.Right, Middle), Down(Area.Left, Middle + 1, Area.Right, Area.Bottom);
    const Integer ThemedState = State == 3 ? UPS_DISABLED : UPS_NORMAL;
    if (Look == 0 && DrawThemedButtonPart(Canvas, Wnd, "spin", SPNP_UP, ThemedState, Up)) {
        DrawThemedButtonPart(Canvas, Wnd, "spin", SPNP_DOWN, ThemedState, Down);
        return;
    }
    if (Look == 3) {
        const TColorTone& Tone = ButtonToneOfState(Tones, State);
        for (const TRect& Half : {Up, Down})
            PaintSolidArea(Canvas, Half, Tone.BrushColor);
        const Integer CX = Area.Left + Area.Width() / 2;
        const Integer UpY = Up.Top + Up.Height() / 2, DownY = Down.Top + Down.Height() / 2;
        PaintSolidPolygon(Canvas, {{CX - 3, UpY + 1}, {CX + 3, UpY + 1}, {CX, UpY - 2}}, Tone.TextColor);
        PaintSolidPolygon(Canvas, {{CX - 3, DownY - 1}, {CX + 3, DownY - 1}, {CX, DownY + 2}}, Tone.TextColor);
        return;
    }
    const UINT Flags = ClassicButtonFlags(State, Look) & (DFCS_FLAT | DFCS_INACTIVE);
    DrawClassicButton(Canvas, Up, DFC_SCROLL, DFCS_SCROLLUP | Flags);
    DrawClassicButton(Canvas, Down, DFC_SCROLL, DFCS_SCROLLDOWN | Flags);
}

void DrawDropDownArrow(TCanvas* Canvas, Integer X, Integer Y, TColor Color)
{
    if (Canvas)
        PaintSolidPolygon(Canvas, {{X - 3, Y}, {X + 3, Y}, {X, Y + 3}}, Color);
}

void FillRectColor(TCanvas* Canvas, const TRect& R, TColor Color)
{
    if (!Canvas || IsRectEmpty(R))
        return;
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Color);
    Canvas->FillRect(R);
}

// ---------------------------------------------------------------------------
// Progress

void DrawProgressBar(TCanvas* Canvas, TRect R, TColor FillColor, bool TextAtBottom, TColor BorderColor,
                     const String& ValueFormat, double Maximum, double Minimum, Integer InsetY, Integer InsetX,
                     double Value, TColor RestTextColor, TColor RestColor, TColor FillTextColor)
{
    if (!Canvas || !std::isfinite(Value))
        return;
    InflateRect(R, -InsetX, -InsetY);
    if (IsRectEmpty(R))
        return;
    const TColor PreviousBrush = Canvas->Brush()->Color();
    String Text;
    Int64 Percentage;
    if (ValueFormat.isEmpty()) {
        Text = IntToStr(Round(Value)) + QLatin1Char('%');
        Percentage = Round(std::clamp(Value, -1.0, 101.0));
    } else {
        const bool Whole = ValueFormat.contains(QLatin1Char('d')) || ValueFormat.contains(QLatin1Char('u'));
        if (!(Whole ? TryFormat(ValueFormat, {Round(Value)}, Text) : TryFormat(ValueFormat, {Value}, Text)))
            Text.clear();
        Percentage = Maximum == Minimum ? (Value >= Maximum ? 100 : 0)
                                        : Round(std::clamp((Value - Minimum) * 100 / (Maximum - Minimum), -1.0, 101.0));
    }
    Percentage = std::clamp<Int64>(Percentage, 0, 100);

    const Integer FillRight = R.Left + Integer(Percentage * R.Width() / 100);
    const Integer X = R.Left + (R.Width() - Canvas->TextWidth(Text)) / 2;
    const Integer TextHeight = Canvas->TextHeight(Text);
    const Integer Y = R.Top + (TextAtBottom ? (R.Height() + TextHeight) / 2 : (R.Height() - TextHeight) / 2);
    const std::tuple<TRect, TColor, TColor> Parts[] = {
        {Rect(R.Left, R.Top, FillRight, R.Bottom), FillColor, FillTextColor},
        {Rect(FillRight, R.Top, R.Right, R.Bottom), RestColor, RestTextColor},
    };
    for (const auto& [Part, Color, TextColor] : Parts) {
        if (IsRectEmpty(Part))
            continue;
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(Color);
        Canvas->Font()->SetColor(TextColor);
        Canvas->TextRect(Part, X, Y, Text);
    }
    TRect Frame = R;
    InflateRect(Frame, 1, 1);
    Canvas->Brush()->SetStyle(bsSolid);
    if (BorderColor != clNone) {
        Canvas->Brush()->SetColor(BorderColor);
        Canvas->FrameRect(Frame);
    }
    InflateRect(Frame, 1, 1);
    Canvas->Brush()->SetColor(PreviousBrush);
    Canvas->FrameRect(Frame);
}

void DrawProgressPie(TCanvas* Canvas, TRect R, TColor Color, bool, Integer Percentage)
{
    if (!Canvas || IsRectEmpty(R))
        return;
    Percentage = std::clamp(Percentage, 0, 100);
    const Integer CX = R.Left + R.Width() / 2, CY = R.Top + R.Height() / 2;
    const double Angle = Percentage / 100.0 * 2 * std::numbers::pi;
    const Integer EndX = CX + Integer(Round((R.Width() + 1) / 2.0 * std::sin(Angle)));
    const Integer EndY = CY - Integer(Round((R.Height() + 1) / 2.0 * std::cos(Angle)));
    Canvas->Pen()->SetColor(clGray);
    Canvas->Pen()->SetWidth(1);
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->Ellipse(R);
    if (Percentage > 0) {
        // Clockwise from twelve o'clock is counter-clockwise from the end back to it.
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(Color);
        Canvas->Pie(R.Left, R.Top, R.Right, R.Bottom, EndX, EndY, CX, R.Top);
    }
    Canvas->MoveTo(CX, R.Top);
    Canvas->LineTo(CX, CY);
    Canvas->LineTo(EndX, EndY);
}

void DrawProgressXP(TCanvas* Canvas, TRect R, Integer Percentage, const TProgressAppearance& A)
{
    if (!Canvas || IsRectEmpty(R))
        return;
    Percentage = std::clamp(Percentage, 0, 100);
    TRect Inner = R;
    if (A.ShowBorder) {
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(A.BorderColor);
        Canvas->FrameRect(R);
        InflateRect(Inner, -1, -1);
    }
    if (IsRectEmpty(Inner))
        return;
    PaintSolidArea(Canvas, Inner, A.UnCompleteColor);
    const bool Vertical = R.Height() > R.Width();
    const Integer Length = Vertical ? Inner.Height() : Inner.Width();
    const Integer Filled = ProgressPixels(Percentage, Length);
    const auto PaintPiece = [&](Integer From, Integer To, bool Block) {
        PaintProgressPiece(Canvas, ProgressBarPart(Inner, Vertical, From, To), Vertical,
                           ProgressLevelColors(A, ProgressLevelOfPixel(A, Percentage, Length, From)), A, Block);
    };
    if (A.CompletionSmooth) {
        std::vector<Integer> Edges{0};
        if (A.Stacked)
            for (Integer Threshold : {A.Level1Perc, A.Level2Perc})
                if (ProgressPixels(Threshold, Length) > Edges.back() && ProgressPixels(Threshold, Length) < Filled)
                    Edges.push_back(ProgressPixels(Threshold, Length));
        Edges.push_back(Filled);
        for (size_t I = 0; I + 1 < Edges.size(); ++I)
            PaintPiece(Edges[I], Edges[I + 1], false);
    } else if (Filled > 9) {
        // Blocks of 7 pixels every 9 from 2 pixels in, and a shorter last one.
        Integer Start = 2;
        for (; Start + 7 <= Filled; Start += 9)
            PaintPiece(Start, Start + 7, true);
        if (Filled - Start > 2)
            PaintPiece(Start, Filled - 1, true);
    }

    if (!A.ShowPercentage)
        return;
    if (A.Font)
        Canvas->SetFont(A.Font);
    const String Text = IntToStr(Percentage) + QLatin1Char('%');
    const Integer X = Inner.Left + (Inner.Width() - Canvas->TextWidth(Text)) / 2;
    const Integer Y = Inner.Top + (Inner.Height() - Canvas->TextHeight(Text)) / 2;
    const TColor RestColor = Canvas->Font()->Color();
    Canvas->Brush()->SetStyle(bsClear);
    const std::pair<TRect, TColor> Parts[] = {{ProgressBarPart(Inner, Vertical, 0, Filled), A.CompleteFontColor},
                                              {ProgressBarPart(Inner, Vertical, Filled, Length), RestColor}};
    for (const auto& [Part, Color] : Parts) {
        if (IsRectEmpty(Part))
            continue;
        Canvas->Font()->SetColor(Color);
        Canvas->TextRect(Part, X, Y, Text);
    }
    Canvas->Font()->SetColor(RestColor);
}

void DrawRangeIndicator(TCanvas* Canvas, TRect R, Integer Value, TColor PositiveColor, TColor NegativeColor,
                        bool ShowValue, Integer Range)
{
    if (!Canvas)
        return;
    InflateRect(R, -2, -2);
    if (IsRectEmpty(R) || Range <= 0)
        return;
    Value = std::clamp(Value, -Range, Range);
    const Integer Half = R.Width() / 2, Centre = R.Left + Half;
    const Integer Bar = Integer(Int64(Value) * Half / Range);
    const TRect Piece = Bar >= 0 ? Rect(Centre, R.Top, Centre + Bar, R.Bottom)
                                 : Rect(Centre + Bar, R.Top, Centre, R.Bottom);
    if (!IsRectEmpty(Piece)) {
        UseSolidPenAndBrush(Canvas, Bar >= 0 ? PositiveColor : NegativeColor);
        Canvas->Rectangle(Piece);
    }
    if (ShowValue)
        Canvas->Brush()->SetStyle(bsClear);
}

// ---------------------------------------------------------------------------
// Shapes, bitmaps, error marks

void DrawCellShape(TCanvas* Canvas, Integer X, Integer Y, Integer Width, Integer Height, TCellShape Shape,
                   TColor PenColor, TColor BrushColor)
{
    if (!Canvas || Width <= 0 || Height <= 0)
        return;
    if (Shape == csCircle || Shape == csSquare || Shape == csRoundSquare)
        Width = Height = Min(Width, Height);
    TRect Box = Bounds(X, Y, Width, Height);
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Pen()->SetWidth(1);
    Canvas->Pen()->SetColor(PenColor);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(BrushColor);
    const TPoint Centre((Box.Left + Box.Right - 1) / 2, (Box.Top + Box.Bottom - 1) / 2);
    switch (Shape) {
    case csRectangle:
        InflateRect(Box, -1, -1);
        Canvas->Rectangle(Box);
        break;
    case csSquare: Canvas->Rectangle(Box); break;
    case csCircle:
    case csEllips: Canvas->Ellipse(Box); break;
    case csRoundRect:
    case csRoundSquare: Canvas->RoundRect(Box, 10, 10); break;
    case csLineVert:
        Canvas->MoveTo(Centre.X, Box.Top);
        Canvas->LineTo(Centre.X, Box.Bottom);
        break;
    case csLineHorz:
        Canvas->MoveTo(Box.Left, Centre.Y);
        Canvas->LineTo(Box.Right, Centre.Y);
        break;
    case csTriangleLeft: case csTriangleRight: case csTriangleUp: case csTriangleDown: case csDiamond:
    case csStar: case csHalfStar: case csArrowUp: case csArrowDown: case csArrowLeft: case csArrowRight:
        Canvas->Polygon(ShapePolygon(Box, Shape));
        break;
    }
}

void DrawTransparentBitmap(TCanvas* Canvas, TBitmap* Bitmap, TColor BackgroundColor, const TRect& R)
{
    if (!Canvas || !Bitmap || Bitmap->Empty())
        return;
    QImage Pixels = Bitmap->ToImage().convertToFormat(QImage::Format_RGB32);
    const QRgb Key = Pixels.pixel(0, 0);
    const QRgb Background = ColorToQColor(ColorToRGB(BackgroundColor)).rgb();
    for (int Y = 0; Y < Pixels.height(); ++Y) {
        auto* Line = reinterpret_cast<QRgb*>(Pixels.scanLine(Y));
        std::replace(Line, Line + Pixels.width(), Key, Background);
    }
    TBitmap Work;
    Work.SetImage(Pixels);
    Canvas->Draw(R.Left, R.Top, &Work);
}

void DrawTransparentResBitmap(TCanvas* Canvas, TColor BackgroundColor, const TRect& R, const String& ResName)
{
    Init_Grid_Resources();
    TBitmap Bitmap;
    try {
        Bitmap.LoadFromResourceName(ResName);
    } catch (const EResNotFound&) {
        return;
    }
    DrawTransparentBitmap(Canvas, &Bitmap, BackgroundColor, R);
}

void DrawErrorUnderline(TControl* Parent, TCanvas* Canvas, const String& Text, Integer ErrPos, Integer ErrLen,
                        Integer Offset, const TRect& R)
{
    if (!Canvas || ErrPos < 1 || ErrLen < 1)
        return;
    const QFontMetrics Metrics((Parent ? Parent->Font() : Canvas->Font())->ToQFont());
    const Integer Length = Integer(Text.size());
    const auto CharX = [&](Integer Index) {
        return R.Left + ErrorEditMargin + Metrics.horizontalAdvance(Text.left(Min(Index, Length)));
    };
    // Positions past the end of the text lie 4 pixels after it.
    const Integer From = ErrPos - 1 < Length ? CharX(ErrPos - 1) : CharX(Length) + 4;
    const Integer To = ErrPos - 1 + ErrLen <= Length ? CharX(ErrPos - 1 + ErrLen) : CharX(Length) + 4;
    const Integer Base = R.Top + Offset;
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Pen()->SetColor(clRed);
    Canvas->Pen()->SetWidth(2);
    Canvas->MoveTo(From, Base);
    bool Down = true;
    for (Integer X = From + 3; X <= To; X += 3, Down = !Down)
        Canvas->LineTo(X, Down ? Base + 3 : Base);
}
