#include "grid/base/ExUtil.h"

#include "rtl/Themes.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr TColor Background = 0x030201;

// A bitmap in a colour of its own to draw on; Map() names the colours a test
// cares about one character a pixel ('.' the background, '?' any other).
class Paper {
public:
    Paper(int W, int H)
    {
        B.SetSize(W, H);
        C()->Brush()->SetColor(Background);
        C()->FillRect(Rect(0, 0, W, H));
    }
    TCanvas* C() { return B.Canvas(); }
    TColor Px(int X, int Y) { return C()->Pixels(X, Y); }

    std::vector<std::string> Map(const std::map<TColor, char>& Names)
    {
        std::vector<std::string> Rows;
        for (int Y = 0; Y < B.Height(); ++Y) {
            std::string Row;
            for (int X = 0; X < B.Width(); ++X) {
                const TColor P = Px(X, Y);
                const auto It = Names.find(P);
                Row += P == Background ? '.' : It == Names.end() ? '?' : It->second;
            }
            Rows.push_back(Row);
        }
        return Rows;
    }
    QImage Image()
    {
        C()->Release();
        return B.ToImage();
    }
    int Count(TColor Color, const TRect& Within)
    {
        int N = 0;
        for (int Y = Within.Top; Y < Within.Bottom; ++Y)
            for (int X = Within.Left; X < Within.Right; ++X)
                N += Px(X, Y) == Color;
        return N;
    }

    TBitmap B;
};

using Picture = std::vector<std::string>;

struct ThemesBackOn {
    ~ThemesBackOn() { SetThemesEnabled(true); }
};

TColorTones DistinctTones()
{
    TColorTones T;
    T.Background = {RGB(200, 0, 0), RGB(0, 0, 200), RGB(0, 200, 0)};
    T.Hover = {RGB(210, 210, 0), RGB(1, 1, 1), RGB(2, 2, 2)};
    T.Selected = {RGB(0, 210, 210), RGB(3, 3, 3), RGB(4, 4, 4)};
    T.Disabled = {RGB(90, 90, 90), RGB(5, 5, 5), RGB(6, 6, 6)};
    return T;
}

} // namespace

TEST(ExUtilDraw, ColourArithmeticClampsEachByte)
{
    EXPECT_EQ(ScaleColorPercent(RGB(100, 50, 20), 10), RGB(110, 55, 22));
    EXPECT_EQ(ScaleColorPercent(RGB(100, 50, 20), -50), RGB(50, 25, 10));
    EXPECT_EQ(ScaleColorPercent(RGB(250, 250, 250), 7), RGB(255, 255, 255)) << "no wrap to 12";
    EXPECT_EQ(ScaleColorPercent(RGB(100, 50, 20), -200), RGB(0, 0, 0));
    EXPECT_EQ(ScaleColorPercent(clBtnFace, 0), RGB(240, 240, 240)) << "system colours as their RGB";
    EXPECT_EQ(HalveColor(RGB(201, 100, 3)), RGB(100, 50, 1));

    EXPECT_EQ(GradientColorAt(RGB(0, 0, 0), RGB(200, 100, 50), 0, 10, 5), RGB(100, 50, 25));
    EXPECT_EQ(GradientColorAt(RGB(10, 20, 30), clNone, 0, 10, 5), RGB(10, 20, 30));
    EXPECT_EQ(GradientColorAt(RGB(10, 20, 30), clWhite, 4, 4, 2), RGB(10, 20, 30)) << "equal bounds: no division";
}

TEST(ExUtilDraw, GradientBandsRunFromColourToColourTo)
{
    const int Reds[10] = {0, 28, 57, 85, 113, 142, 170, 198, 227, 255};
    Paper Column(1, 10);
    DrawGradient(Column.C(), clBlack, clRed, false, Rect(0, 0, 1, 10), 128);
    Paper Reversed(1, 10);
    DrawGradient(Reversed.C(), clBlack, clRed, false, Rect(0, 10, 1, 0), 128);
    Paper Row(10, 1);
    DrawGradient(Row.C(), clBlack, clRed, true, Rect(0, 0, 10, 1), 128);
    for (int I = 0; I < 10; ++I) {
        EXPECT_EQ(Column.Px(0, I), RGB(Reds[I], 0, 0)) << "row " << I;
        EXPECT_EQ(Reversed.Px(0, I), RGB(Reds[I], 0, 0)) << "row " << I;
        EXPECT_EQ(Row.Px(I, 0), RGB(Reds[I], 0, 0)) << "column " << I;
    }

    Paper Nothing(4, 4);
    DrawGradient(Nothing.C(), clBlack, clRed, false, Rect(0, 2, 4, 2), 128);
    DrawGradient(Nothing.C(), clBlack, clRed, true, Rect(3, 0, 1, 4), 128);
    DrawGradient(Nothing.C(), clNone, clNone, true, Rect(0, 0, 4, 4), 128);
    EXPECT_EQ(Nothing.Map({}), Picture(4, "...."));

    Paper OneColour(4, 2);
    DrawGradient(OneColour.C(), clNone, clRed, true, Rect(0, 0, 4, 2), 8);
    EXPECT_EQ(OneColour.Map({{clRed, 'R'}}), Picture(2, "RRRR"));
}

TEST(ExUtilDraw, GradientBackgroundHalvesAndBorders)
{
    Paper P(4, 6);
    DrawGradientBackground(P.C(), Rect(0, 0, 4, 6), clRed, true, false, clBlue, GradientVertical, clLime, clLime,
                           clRed);
    EXPECT_EQ(P.Map({{clRed, 'R'}, {clLime, 'G'}, {clBlue, 'B'}}),
              (Picture{"BBBB", "BRRB", "BRRB", "BGGB", "BGGB", "BBBB"}));

    Paper Sides(4, 3);
    DrawGradientBackground(Sides.C(), Rect(0, 0, 4, 2), clRed, true, true, clBlue, GradientHorizontal, clNone,
                           clNone, clNone);
    EXPECT_EQ(Sides.Map({{clRed, 'R'}, {clBlue, 'B'}}), (Picture{"BRRB", "BRRB", "RRRR"}))
        << "a solid fill is one pixel taller";
}

TEST(ExUtilDraw, GradientButtonCornersForEachKind)
{
    const TColor Fill = RGB(10, 10, 10), High = RGB(20, 20, 20), Shadow = RGB(30, 30, 30), Border = RGB(40, 40, 40),
                 Corner = RGB(50, 50, 50), Outer = RGB(60, 60, 60);
    const std::map<TColor, char> Names = {{Fill, 'F'}, {High, 'H'},   {Shadow, 'S'},
                                          {Border, 'B'}, {Corner, 'C'}, {Outer, 'O'}};
    const Picture Expected[4] = {
        {"OCBBBBCO", "CCHHHHCC", "BHFFFFHB", "BSFFFFSB", "BSFFFFSB", "CCSSSSCC", "OCBBBBCO", "........"},
        {"OCBBBBBB", "CCHHHHHH", "BHFFFFFF", "BSFFFFFF", "BSFFFFFF", "CCSSSSSS", "OCBBBBBB", "........"},
        {"BBBBBBCO", "HHHHHHCC", "FFFFFFHB", "FFFFFFSB", "FFFFFFSB", "SSSSSSCC", "BBBBBBCO", "........"},
        {"BBBBBBBB", "HHHHHHHH", "FFFFFFFF", "FFFFFFFF", "FFFFFFFF", "SSSSSSSS", "BBBBBBBB", "........"},
    };
    for (int Kind = 0; Kind < 4; ++Kind) {
        Paper P(8, 8);
        DrawGradientButton(P.C(), Fill, clNone, clNone, clNone, High, Shadow, Border, Corner, Outer, Rect(0, 0, 8, 8),
                           Kind);
        EXPECT_EQ(P.Map(Names), Expected[Kind]) << "kind " << Kind;
    }

    Paper Mirrored(8, 12);
    DrawGradientButton(Mirrored.C(), clRed, clRed, clBlue, clBlue, clNone, clNone, clNone, clNone, clNone,
                       Rect(0, 0, 8, 12), 0);
    EXPECT_EQ(Mirrored.Px(3, 2), clRed);
    EXPECT_EQ(Mirrored.Px(3, 8), clBlue);
}

TEST(ExUtilDraw, OwnColourComboButton)
{
    const TColorTones Tones = DistinctTones();
    Paper P(40, 20);
    DrawComboButton(P.C(), nullptr, Rect(0, 0, 40, 20), 1, 3, Tones);
    // The button is 17 pixels from the right moved 2 left, narrowed by 3: x 24..37.
    EXPECT_EQ(P.Px(23, 10), Background);
    EXPECT_EQ(P.Px(24, 10), Tones.Hover.BrushColor);
    EXPECT_EQ(P.Px(37, 10), Tones.Hover.BrushColor);
    EXPECT_EQ(P.Px(38, 10), Background);
    EXPECT_EQ(P.Px(30, 0), Background);
    EXPECT_EQ(P.Px(30, 1), Tones.Hover.BrushColor);
    EXPECT_EQ(P.Px(30, 18), Tones.Hover.BrushColor);
    EXPECT_EQ(P.Px(30, 19), Background);
    // The separator 1 pixel inside the left edge, the triangle below the middle.
    EXPECT_EQ(P.Count(Tones.Background.BorderColor, Rect(0, 0, 40, 20)), 18);
    EXPECT_EQ(P.Px(25, 1), Tones.Background.BorderColor);
    EXPECT_EQ(P.Px(25, 18), Tones.Background.BorderColor);
    EXPECT_EQ(P.Px(32, 10), Tones.Background.TextColor);
    EXPECT_EQ(P.Px(29, 9), Tones.Background.TextColor);
    EXPECT_EQ(P.Px(32, 7), Tones.Hover.BrushColor);
    EXPECT_EQ(P.Px(32, 13), Tones.Hover.BrushColor);

    Paper Disabled(40, 20);
    DrawComboButton(Disabled.C(), nullptr, Rect(0, 0, 40, 20), 3, 3, Tones);
    EXPECT_EQ(Disabled.Px(30, 3), Tones.Disabled.BrushColor);
}

TEST(ExUtilDraw, ClassicLooksAreTheHandMadeFaces)
{
    const TColorTones Tones = DistinctTones();
    Paper Raised(20, 12);
    DrawButtonFace(Raised.C(), nullptr, Rect(0, 0, 20, 12), 0, 1, Tones);
    EXPECT_EQ(Raised.Px(0, 0), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(Raised.Px(19, 11), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(Raised.Px(10, 6), ColorToRGB(clBtnFace));

    Paper Down(20, 12);
    DrawButtonFace(Down.C(), nullptr, Rect(0, 0, 20, 12), 2, 1, Tones);
    EXPECT_EQ(Down.Px(0, 0), ColorToRGB(cl3DDkShadow));

    Paper Flat(20, 12);
    DrawButtonFace(Flat.C(), nullptr, Rect(0, 0, 20, 12), 0, 2, Tones);
    EXPECT_EQ(Flat.Px(0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(Flat.Px(19, 11), ColorToRGB(clBtnShadow));

    Paper Own(20, 12);
    DrawButtonFace(Own.C(), nullptr, Rect(0, 0, 20, 12), 2, 3, Tones);
    EXPECT_EQ(Own.Px(0, 0), Tones.Selected.BorderColor);
    EXPECT_EQ(Own.Px(10, 6), Tones.Selected.BrushColor);

    // The combo button's classic face sits where the own-colour one does.
    Paper Combo(40, 20);
    DrawComboButton(Combo.C(), nullptr, Rect(0, 0, 40, 20), 0, 1, Tones);
    EXPECT_EQ(Combo.Px(20, 10), Background);
    EXPECT_EQ(Combo.Px(21, 1), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(Combo.Px(37, 18), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(Combo.Px(38, 10), Background);
    EXPECT_EQ(Combo.Count(clBlack, Rect(21, 1, 38, 19)), 7 + 5 + 3 + 1) << "the down arrow";

    // Spin buttons: two faces, the upper one ending at the middle.
    Paper Spin(30, 20);
    DrawSpinButtons(Spin.C(), nullptr, Rect(0, 0, 30, 21), 0, 1, Tones);
    EXPECT_EQ(Spin.Px(14, 0), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(Spin.Px(28, 8), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(Spin.Px(14, 9), Background);
    EXPECT_EQ(Spin.Px(14, 10), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(Spin.Px(29, 5), Background);
}

TEST(ExUtilDraw, LookZeroIsTheThemedPartAndClassicWithoutThemes)
{
    const TColorTones Tones = DistinctTones();
    const TRect R(0, 0, 40, 20);
    Paper Themed(40, 20);
    DrawButtonFace(Themed.C(), nullptr, R, 0, 0, Tones);
    Paper Reference(40, 20);
    const HTHEME Theme = OpenThemeData(nullptr, "button");
    ASSERT_TRUE(Theme);
    DrawThemeBackground(Theme, Reference.C(), BP_PUSHBUTTON, PBS_NORMAL, R);
    CloseThemeData(Theme);
    EXPECT_EQ(Themed.Image(), Reference.Image());

    const ThemesBackOn Restore;
    SetThemesEnabled(false);
    using TDraw = void (*)(TCanvas*, HWND, TRect, Integer, Integer, const TColorTones&);
    for (TDraw Draw : {TDraw(DrawButtonFace), TDraw(DrawComboButton), TDraw(DrawSpinButtons)}) {
        Paper LookZero(40, 20), Classic(40, 20);
        Draw(LookZero.C(), nullptr, R, 3, 0, Tones);
        Draw(Classic.C(), nullptr, R, 3, 1, Tones);
        EXPECT_EQ(LookZero.Image(), Classic.Image());
        EXPECT_NE(LookZero.Count(Background, R), 40 * 20) << "something was drawn";
    }
}

TEST(ExUtilDraw, ProgressBarFillsToTheClampedPercentage)
{
    const auto Bar = [](double Value, double Max, double Min, const char* Fmt) {
        auto P = std::make_unique<Paper>(54, 14);
        P->C()->Brush()->SetColor(clYellow);
        DrawProgressBar(P->C(), Rect(2, 2, 52, 12), clRed, false, clBlue, Fmt, Max, Min, 0, 0, Value, clWhite,
                        clWhite, clRed);
        return P;
    };
    auto Full = Bar(150, 100, 0, "%d units");
    EXPECT_EQ(Full->Count(clRed, Rect(2, 2, 52, 12)), 50 * 10) << "the whole bar, the text in the fill colour";
    EXPECT_EQ(Full->Px(1, 1), clBlue) << "border 1 pixel outside";
    EXPECT_EQ(Full->Px(0, 0), clYellow) << "then the previous brush colour";

    auto Half = Bar(50, 100, 0, "");
    EXPECT_EQ(Half->Count(clRed, Rect(2, 2, 27, 12)), 25 * 10);
    EXPECT_EQ(Half->Count(clWhite, Rect(27, 2, 52, 12)), 25 * 10);

    EXPECT_EQ(Bar(5, 10, 10, "%.1f")->Count(clRed, Rect(2, 2, 52, 12)), 0) << "equal bounds below: 0 %";
    EXPECT_EQ(Bar(10, 10, 10, "%.1f")->Count(clRed, Rect(2, 2, 52, 12)), 500) << "equal bounds reached: 100 %";
    EXPECT_EQ(Bar(-5, 100, 0, "%s")->Count(clRed, Rect(2, 2, 52, 12)), 0) << "a bad format draws no text";

    Paper Text(54, 14);
    DrawProgressBar(Text.C(), Rect(2, 2, 52, 12), clRed, false, clNone, "%d", 100, 0, 0, 0, 150, clWhite, clWhite,
                    clBlack);
    EXPECT_GT(Text.Count(clBlack, Rect(2, 2, 52, 12)), 0) << "the value is written";
    EXPECT_EQ(Text.Px(1, 1), Background) << "no border for clNone";
}

TEST(ExUtilDraw, ProgressPieFillsTheSliceClockwise)
{
    Paper Half(21, 21);
    DrawProgressPie(Half.C(), Rect(0, 0, 21, 21), clRed, false, 50);
    EXPECT_EQ(Half.Px(15, 10), clRed);
    EXPECT_EQ(Half.Px(15, 5), clRed);
    EXPECT_EQ(Half.Px(5, 10), Background);
    EXPECT_EQ(Half.Px(10, 0), clGray) << "the grey ellipse";

    Paper Quarter(21, 21);
    DrawProgressPie(Quarter.C(), Rect(0, 0, 21, 21), clRed, false, 25);
    EXPECT_EQ(Quarter.Px(15, 5), clRed);
    EXPECT_EQ(Quarter.Px(15, 15), Background);

    Paper None(21, 21);
    DrawProgressPie(None.C(), Rect(0, 0, 21, 21), clRed, false, 0);
    EXPECT_EQ(None.Count(clRed, Rect(0, 0, 21, 21)), 0);
}

TEST(ExUtilDraw, ProgressXPLevelsAndBlocks)
{
    TProgressAppearance A;
    A.Level0Color = clLime;
    A.Level1Color = clYellow;
    A.Level2Color = clBlue;
    A.Level3Color = clRed;
    A.Level1Perc = 50;
    A.Level2Perc = 75;
    A.CompletionSmooth = true;
    A.ShowBorder = true;
    A.BorderColor = clBlack;
    A.UnCompleteColor = clWhite;
    const std::map<TColor, char> Names = {{clLime, '0'}, {clYellow, '1'}, {clBlue, '2'}, {clRed, '3'},
                                          {clBlack, 'K'}, {clWhite, '_'}};
    const auto Row = [&](const TProgressAppearance& Look, Integer Percentage) {
        Paper P(22, 5);
        DrawProgressXP(P.C(), Rect(0, 0, 22, 5), Percentage, Look);
        return P.Map(Names)[2];
    };
    EXPECT_EQ(Row(A, 30), "K000000______________K");
    EXPECT_EQ(Row(A, 60), "K111111111111________K");
    EXPECT_EQ(Row(A, 100), "K33333333333333333333K");
    A.Stacked = true;
    EXPECT_EQ(Row(A, 80), "K0000000000111112____K");
    A.Stacked = false;
    A.CompletionSmooth = false;
    EXPECT_EQ(Row(A, 100), "K__3333333__3333333__K") << "7-pixel blocks every 9 from 2 pixels in";
    EXPECT_EQ(Row(A, 40), "K____________________K") << "no blocks up to 9 pixels";
}

TEST(ExUtilDraw, RangeIndicatorBarsFromTheCentre)
{
    const auto Bar = [](Integer Value, Integer Range) {
        Paper P(44, 10);
        DrawRangeIndicator(P.C(), Rect(0, 0, 44, 10), Value, clLime, clRed, true, Range);
        return P.Map({{clLime, '+'}, {clRed, '-'}})[5];
    };
    EXPECT_EQ(Bar(5, 10), "......................++++++++++............");
    EXPECT_EQ(Bar(-30, 10), "..--------------------......................");
    EXPECT_EQ(Bar(5, 0), std::string(44, '.'));
    EXPECT_EQ(Bar(0, 10), std::string(44, '.'));
}

TEST(ExUtilDraw, CellShapes)
{
    struct TProbe {
        int X, Y;
        TColor Color;
        const char* Why;
    };
    struct TCase {
        TCellShape Shape;
        int W, H;
        std::vector<TProbe> Probes;
    };
    const TCase Cases[] = {
        {csCircle, 20, 10, {{5, 5, clRed, "inside"}, {5, 0, clBlack, "outline"}, {12, 5, Background, "10 x 10"},
                            {0, 0, Background, "corner"}}},
        {csRectangle, 12, 10, {{0, 0, Background, "inset"}, {1, 1, clBlack, "outline"}, {5, 5, clRed, "inside"}}},
        {csStar, 16, 16, {{8, 8, clRed, "centre"}, {8, 0, clBlack, "top point"}, {1, 15, Background, "corner"}}},
        {csHalfStar, 16, 16, {{6, 8, clRed, "left half"}, {11, 8, Background, "no right half"}}},
        {csLineVert, 10, 10, {{4, 0, clBlack, "top"}, {4, 9, clBlack, "bottom"}, {5, 5, Background, "1 wide"}}},
        {csTriangleUp, 10, 10, {{4, 0, clBlack, "apex"}, {0, 0, Background, "corner"}, {4, 6, clRed, "inside"}}},
        {csDiamond, 11, 11, {{5, 5, clRed, "centre"}, {0, 0, Background, "corner"}, {5, 0, clBlack, "top"}}},
        {TCellShape(31), 10, 10, {{5, 5, Background, "no shape of that value"}}},
        {csRectangle, 0, 10, {{0, 5, Background, "no width"}}},
    };
    for (const TCase& C : Cases) {
        Paper P(30, 16);
        DrawCellShape(P.C(), 0, 0, C.W, C.H, C.Shape, clBlack, clRed);
        for (const TProbe& Probe : C.Probes)
            EXPECT_EQ(P.Px(Probe.X, Probe.Y), Probe.Color) << GetEnumName(C.Shape).toStdString() << ": " << Probe.Why;
    }
    EXPECT_EQ(GetEnumName(csHalfStar), "csHalfStar");
    EXPECT_EQ(csHalfStar, 18);
}

TEST(ExUtilDraw, TransparentBitmapTakesTheBackgroundForItsTopLeftColour)
{
    TBitmap Glyph(3, 2);
    Glyph.Canvas()->Brush()->SetColor(clFuchsia);
    Glyph.Canvas()->FillRect(Rect(0, 0, 3, 2));
    Glyph.Canvas()->SetPixels(1, 1, clBlue);
    Paper P(6, 5);
    DrawTransparentBitmap(P.C(), &Glyph, clLime, Rect(2, 2, 4, 4));
    EXPECT_EQ(P.Map({{clLime, 'G'}, {clBlue, 'B'}}), (Picture{"......", "......", "..GGG.", "..GBG.", "......"}));

    Paper Missing(4, 4);
    DrawTransparentResBitmap(Missing.C(), clLime, Rect(0, 0, 4, 4), "NO_SUCH_GLYPH");
    EXPECT_EQ(Missing.Count(Background, Rect(0, 0, 4, 4)), 16);
}

TEST(ExUtilDraw, ErrorUnderlineZigZagsUnderTheMarkedCharacters)
{
    Paper P(120, 30);
    const String Text = "abcdefgh";
    DrawErrorUnderline(nullptr, P.C(), Text, 3, 2, 12, Rect(0, 0, 120, 20));
    const Integer From = 2 + P.C()->TextWidth("ab"), To = 2 + P.C()->TextWidth("abcd");
    EXPECT_GT(P.Count(clRed, Rect(From, 11, To + 1, 17)), 0);
    EXPECT_EQ(P.Count(clRed, Rect(0, 0, From - 1, 30)), 0);
    EXPECT_EQ(P.Count(clRed, Rect(To + 2, 0, 120, 30)), 0);
    EXPECT_EQ(P.Count(clRed, Rect(0, 0, 120, 10)), 0) << "lowered by the offset";

    Paper Past(120, 30);
    DrawErrorUnderline(nullptr, Past.C(), Text, 9, 3, 12, Rect(0, 0, 120, 20));
    EXPECT_EQ(Past.Count(clRed, Rect(0, 0, 120, 30)), 0) << "from and to both 4 pixels past the end";
    DrawErrorUnderline(nullptr, Past.C(), Text, 1, 0, 12, Rect(0, 0, 120, 20));
    EXPECT_EQ(Past.Count(clRed, Rect(0, 0, 120, 30)), 0);
}
