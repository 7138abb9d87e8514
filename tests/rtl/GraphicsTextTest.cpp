#include "rtl/Graphics.h"

#include <QFontMetrics>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>

namespace {

// Where ink (anything but white) lies on a bitmap.
struct TInk {
    int Left = INT_MAX, Top = INT_MAX, Right = INT_MIN, Bottom = INT_MIN; // inclusive
    int Count = 0;
};

TInk FindInk(TBitmap& B)
{
    TInk I;
    for (int Y = 0; Y < B.Height(); ++Y)
        for (int X = 0; X < B.Width(); ++X)
            if (B.Canvas()->Pixels(X, Y) != clWhite) {
                I.Left = std::min(I.Left, X);
                I.Right = std::max(I.Right, X);
                I.Top = std::min(I.Top, Y);
                I.Bottom = std::max(I.Bottom, Y);
                ++I.Count;
            }
    return I;
}

// A white bitmap whose canvas draws black text with a clear brush.
struct TextPaper {
    TextPaper(int W, int H)
    {
        B.SetSize(W, H);
        C()->Brush()->SetColor(clWhite);
        C()->FillRect(Rect(0, 0, W, H));
        C()->Brush()->SetStyle(bsClear);
        C()->Font()->SetName(QStringLiteral("Verdana"));
        C()->Font()->SetHeight(-13);
        C()->Font()->SetColor(clBlack);
    }
    TCanvas* C() { return B.Canvas(); }
    Integer Draw(const String& Text, TRect R, Cardinal Flags) { return DrawText(C(), Text, R, Flags); }
    TBitmap B;
};

// Pixels that differ between two equally sized bitmaps.
std::vector<QPoint> Difference(TBitmap& A, TBitmap& B)
{
    std::vector<QPoint> D;
    for (int Y = 0; Y < A.Height(); ++Y)
        for (int X = 0; X < A.Width(); ++X)
            if (A.Canvas()->Pixels(X, Y) != B.Canvas()->Pixels(X, Y))
                D.emplace_back(X, Y);
    return D;
}

} // namespace

TEST(GraphicsTextTest, AlignmentPlacesTheInk)
{
    const TRect R = Rect(10, 5, 190, 55);
    struct Case {
        Cardinal Flags;
        // Expected left edge of the text cell and its top, from width w and height h.
        std::function<int(int)> CellX;
        std::function<int(int)> CellY;
    };
    const Case Cases[] = {
        {DT_LEFT | DT_SINGLELINE, [&](int) { return R.Left; }, [&](int) { return R.Top; }},
        {DT_CENTER | DT_SINGLELINE, [&](int W) { return R.Left + (R.Width() - W) / 2; }, [&](int) { return R.Top; }},
        {DT_RIGHT | DT_SINGLELINE, [&](int W) { return R.Right - W; }, [&](int) { return R.Top; }},
        {DT_LEFT | DT_VCENTER | DT_SINGLELINE, [&](int) { return R.Left; },
         [&](int H) { return R.Top + (R.Height() - H) / 2; }},
        {DT_RIGHT | DT_BOTTOM | DT_SINGLELINE, [&](int W) { return R.Right - W; }, [&](int H) { return R.Bottom - H; }},
        // Vertical placement applies to single lines only.
        {DT_VCENTER, [&](int) { return R.Left; }, [&](int) { return R.Top; }},
    };
    for (const Case& C : Cases) {
        TextPaper P(200, 60);
        const String Text = QStringLiteral("Wide text");
        const TSize Ext = P.C()->TextExtent(Text);
        P.Draw(Text, R, C.Flags);
        const TInk Ink = FindInk(P.B);
        ASSERT_GT(Ink.Count, 20) << C.Flags;
        const int X = C.CellX(Ext.cx);
        const int Y = C.CellY(Ext.cy);
        // Ink lies in the text cell and fills most of its width.
        EXPECT_GE(Ink.Left, X) << C.Flags;
        EXPECT_LE(Ink.Left, X + 2) << C.Flags;
        EXPECT_LT(Ink.Right, X + Ext.cx) << C.Flags;
        EXPECT_GE(Ink.Right, X + Ext.cx - 3) << C.Flags;
        EXPECT_GE(Ink.Top, Y) << C.Flags;
        EXPECT_LT(Ink.Bottom, Y + Ext.cy) << C.Flags;
    }
}

TEST(GraphicsTextTest, AmpersandUnderlinesTheNextCharacter)
{
    const TRect R = Rect(0, 0, 150, 30);
    struct Case {
        const char* Prefixed;
        const char* Plain;           // the same text without the markers
        std::vector<int> Underlined; // indexes into Plain
    };
    const Case Cases[] = {
        {"&File", "File", {0}}, {"Fil&e", "File", {3}}, {"&Save &as", "Save as", {0, 5}}};
    for (const Case& C : Cases) {
        TextPaper With(150, 30), Without(150, 30);
        With.Draw(QString::fromLatin1(C.Prefixed), R, DT_SINGLELINE);
        Without.Draw(QString::fromLatin1(C.Plain), R, DT_SINGLELINE);
        const std::vector<QPoint> Diff = Difference(With.B, Without.B);
        const QString Plain = QString::fromLatin1(C.Plain);
        const TInk Letters = FindInk(Without.B);
        for (int Index : C.Underlined) {
            // The underline runs under the whole character, below the letters.
            const int X0 = With.C()->TextWidth(Plain.left(Index));
            const int X1 = With.C()->TextWidth(Plain.left(Index + 1));
            int Under = 0;
            for (const QPoint& D : Diff)
                if (D.x() >= X0 && D.x() < X1) {
                    EXPECT_GT(D.y(), Letters.Bottom - 4) << C.Prefixed;
                    EXPECT_EQ(With.C()->Pixels(D.x(), D.y()), clBlack);
                    ++Under;
                }
            EXPECT_GE(Under, X1 - X0 - 1) << C.Prefixed << " at " << Index;
        }
        // Nothing else differs.
        for (const QPoint& D : Diff) {
            bool UnderAMarked = false;
            for (int Index : C.Underlined)
                UnderAMarked |= D.x() >= With.C()->TextWidth(Plain.left(Index)) &&
                                D.x() < With.C()->TextWidth(Plain.left(Index + 1));
            EXPECT_TRUE(UnderAMarked) << C.Prefixed << " " << D.x() << "," << D.y();
        }
    }
}

TEST(GraphicsTextTest, DoubleAmpersandAndNoPrefix)
{
    const TRect R = Rect(0, 0, 150, 30);
    // "&&" shows one "&", exactly as the plain text would.
    TextPaper Doubled(150, 30), Literal(150, 30);
    Doubled.Draw(QStringLiteral("A&&B"), R, DT_SINGLELINE);
    Literal.Draw(QStringLiteral("A&B"), R, DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_TRUE(Difference(Doubled.B, Literal.B).empty());
    EXPECT_GT(FindInk(Literal.B).Count, 10);

    // Without prefixes "&" is a character of its own and nothing is underlined.
    TextPaper P(150, 30);
    TRect Calc = R;
    DrawText(P.C(), QStringLiteral("&File"), Calc, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    EXPECT_EQ(Calc.Width(), P.C()->TextWidth(QStringLiteral("&File")));
    Calc = R;
    DrawText(P.C(), QStringLiteral("&File"), Calc, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(Calc.Width(), P.C()->TextWidth(QStringLiteral("File")));
}

TEST(GraphicsTextTest, CalcRectMeasuresWithoutDrawing)
{
    TextPaper P(300, 200);
    TCanvas* C = P.C();
    const int H = C->TextHeight(QStringLiteral("Ag"));
    auto W = [&](const char* S) { return C->TextWidth(QString::fromLatin1(S)); };
    const int Narrow = W("one two") + 2;
    struct Case {
        const char* Text;
        Cardinal Flags;
        int Width; // of the given rectangle
        int ExpectedWidth;
        int Lines;
    };
    const Case Cases[] = {
        {"one line", DT_SINGLELINE, 200, W("one line"), 1},
        {"a\nbb\r\nccc", 0, 200, W("ccc"), 3},
        {"one two three", DT_WORDBREAK, Narrow, std::max(W("one two"), W("three")), 2},
        {"one two three", 0, Narrow, W("one two three"), 1},
        // A word wider than the rectangle is not broken and widens it.
        {"extraordinarily x", DT_WORDBREAK, 20, W("extraordinarily"), 2},
        {"", DT_SINGLELINE, 200, 0, 0},
    };
    for (const Case& K : Cases) {
        TRect R = Bounds(5, 7, K.Width, 3);
        const Integer Height = DrawText(C, QString::fromLatin1(K.Text), R, K.Flags | DT_CALCRECT);
        EXPECT_EQ(Height, K.Lines * H) << K.Text;
        EXPECT_EQ(R, Bounds(5, 7, K.ExpectedWidth, K.Lines * H)) << K.Text;
    }
    EXPECT_EQ(FindInk(P.B).Count, 0);
}

TEST(GraphicsTextTest, WordBreakDrawsLinesBelowEachOther)
{
    TextPaper P(200, 100);
    const int H = P.C()->TextHeight(QStringLiteral("Ag"));
    const int Fits = std::max(P.C()->TextWidth(QStringLiteral("alpha beta")), P.C()->TextWidth(QStringLiteral("gamma delta")));
    ASSERT_LT(Fits, P.C()->TextWidth(QStringLiteral("alpha beta gamma")));
    const TRect R = Rect(0, 0, Fits + 1, 100);
    const Integer Height = P.Draw(QStringLiteral("alpha beta gamma delta"), R, DT_WORDBREAK | DT_CENTER);
    EXPECT_EQ(Height, 2 * H);
    const TInk Ink = FindInk(P.B);
    EXPECT_GE(Ink.Bottom, H);
    EXPECT_LT(Ink.Bottom, 2 * H);
    EXPECT_LT(Ink.Right, R.Right);
}

TEST(GraphicsTextTest, EditControlLeavesOutALastLineShownOnlyInPart)
{
    const String Text = QStringLiteral("first\r\nsecond\r\nthird");
    for (const bool Edit : {false, true}) {
        TextPaper P(200, 100);
        const int H = P.C()->TextHeight(QStringLiteral("Ag"));
        const TRect R = Rect(0, 0, 200, 2 * H + H / 2);
        P.Draw(Text, R, DT_WORDBREAK | (Edit ? DT_EDITCONTROL : 0));
        const TInk Ink = FindInk(P.B);
        if (Edit)
            EXPECT_LT(Ink.Bottom, 2 * H);
        else
            EXPECT_GE(Ink.Bottom, 2 * H);
    }
    // The first line shows even where it does not fit whole.
    TextPaper P(200, 100);
    const int H = P.C()->TextHeight(QStringLiteral("Ag"));
    P.Draw(Text, Rect(0, 0, 200, H / 2 + 2), DT_WORDBREAK | DT_EDITCONTROL);
    EXPECT_GT(FindInk(P.B).Count, 0);
}

TEST(GraphicsTextTest, EllipsesKeepTheTextInsideTheRectangle)
{
    const String Long = QStringLiteral("A caption much too long for its place");
    const String Path = QStringLiteral("C:\\Projects\\Gateway\\Config\\settings.xml");
    struct Case {
        String Text;
        Cardinal Flags;
    };
    const Case Cases[] = {{Long, DT_END_ELLIPSIS}, {Long, DT_WORD_ELLIPSIS}, {Path, DT_PATH_ELLIPSIS}};
    for (const Case& C : Cases) {
        TextPaper P(200, 30);
        const TRect R = Rect(0, 0, 120, 30);
        TRect Calc = R;
        DrawText(P.C(), C.Text, Calc, C.Flags | DT_SINGLELINE | DT_CALCRECT);
        EXPECT_LE(Calc.Width(), R.Width()) << C.Flags;
        EXPECT_GE(Calc.Width(), P.C()->TextWidth(QStringLiteral("...")) + 10) << C.Flags;
        // Drawn without clipping, the shortened text still ends inside.
        P.Draw(C.Text, R, C.Flags | DT_SINGLELINE | DT_NOCLIP);
        EXPECT_LT(FindInk(P.B).Right, R.Right) << C.Flags;
    }
    // The path keeps its file name whole.
    TextPaper P(200, 30);
    TRect Calc = Rect(0, 0, 120, 30);
    DrawText(P.C(), Path, Calc, DT_PATH_ELLIPSIS | DT_SINGLELINE | DT_CALCRECT);
    EXPECT_GE(Calc.Width(), P.C()->TextWidth(QStringLiteral("...\\settings.xml")));
}

TEST(GraphicsTextTest, ClippingAndReturnValue)
{
    const String Text = QStringLiteral("Clipped text runs on");
    TextPaper Clipped(200, 40), Free(200, 40);
    const TRect R = Rect(0, 0, 40, 40);
    const int H = Clipped.C()->TextHeight(Text);
    // With vertical placement the result is the distance from the top to
    // the bottom of the text.
    EXPECT_EQ(Clipped.Draw(Text, R, DT_SINGLELINE | DT_VCENTER), (40 - H) / 2 + H);
    EXPECT_EQ(Free.Draw(Text, R, DT_SINGLELINE | DT_NOCLIP), H);
    EXPECT_LT(FindInk(Clipped.B).Right, R.Right);
    EXPECT_GT(FindInk(Free.B).Right, R.Right);
}

TEST(GraphicsTextTest, SolidBrushFillsBehindEachLine)
{
    TextPaper P(200, 40);
    P.C()->Brush()->SetColor(clYellow);
    const String Text = QStringLiteral("Marked");
    const TSize Ext = P.C()->TextExtent(Text);
    P.Draw(Text, Rect(0, 0, 200, 40), DT_SINGLELINE | DT_CENTER);
    const int X = (200 - Ext.cx) / 2;
    EXPECT_EQ(P.C()->Pixels(X, 0), clYellow);
    EXPECT_EQ(P.C()->Pixels(X + Ext.cx - 1, Ext.cy - 1), clYellow);
    EXPECT_EQ(P.C()->Pixels(X - 1, 0), clWhite);
    EXPECT_EQ(P.C()->Pixels(X, Ext.cy), clWhite);
}

// A turned font turns the text about its starting point: at 90 degrees a
// line runs upwards from there, for TextOut and DrawText alike.
TEST(GraphicsTextTest, OrientationTurnsTheText)
{
    for (const bool ThroughDrawText : {false, true}) {
        TextPaper P(120, 120);
        P.C()->Font()->SetOrientation(900);
        const String Text = QStringLiteral("WWWWWW");
        if (ThroughDrawText)
            P.Draw(Text, Rect(40, 100, 120, 120), DT_NOCLIP | DT_SINGLELINE);
        else
            P.C()->TextOut(40, 100, Text);
        const TInk I = FindInk(P.B);
        ASSERT_GT(I.Count, 0) << ThroughDrawText;
        EXPECT_GT(I.Bottom - I.Top, 2 * (I.Right - I.Left)) << ThroughDrawText;
        EXPECT_LE(I.Bottom, 100) << ThroughDrawText;
        EXPECT_GE(I.Left, 40) << ThroughDrawText;
    }
    TFont F;
    F.SetOrientation(450);
    TFont Copy;
    Copy.Assign(&F);
    EXPECT_EQ(Copy.Orientation(), 450);
}

// The font keeps its Qt font and the widths it measured until a property
// that changes the glyphs changes: after each change the canvas measures
// what Qt measures for the font as it now stands, and going back to the
// first font gives the first widths again.
TEST(GraphicsTextTest, KeptFontFollowsEveryChangeOfTheFont)
{
    struct Case {
        const char* What;
        std::function<void(TCanvas*)> Change;
        std::function<bool(const QFont&)> Shows;
    };
    const Case Cases[] = {
        {"bold", [](TCanvas* C) { C->Font()->SetStyle({fsBold}); }, [](const QFont& Q) { return Q.bold(); }},
        {"italic", [](TCanvas* C) { C->Font()->SetStyle({fsItalic}); }, [](const QFont& Q) { return Q.italic(); }},
        {"underline", [](TCanvas* C) { C->Font()->SetStyle({fsUnderline}); },
         [](const QFont& Q) { return Q.underline(); }},
        {"strike-out", [](TCanvas* C) { C->Font()->SetStyle({fsStrikeOut}); },
         [](const QFont& Q) { return Q.strikeOut(); }},
        {"name", [](TCanvas* C) { C->Font()->SetName(QStringLiteral("Courier New")); },
         [](const QFont& Q) { return Q.family() == QStringLiteral("Courier New"); }},
        {"height", [](TCanvas* C) { C->Font()->SetHeight(-20); }, [](const QFont& Q) { return Q.pixelSize() == 20; }},
        {"size", [](TCanvas* C) { C->Font()->SetSize(15); }, [](const QFont& Q) { return Q.pixelSize() == 20; }},
        {"pitch", [](TCanvas* C) { C->Font()->SetPitch(fpFixed); }, [](const QFont& Q) { return Q.fixedPitch(); }},
        {"resolution of the default size",
         [](TCanvas* C) {
             C->Font()->SetHeight(0);
             C->TextWidth(QStringLiteral("x"));
             C->Font()->SetPixelsPerInch(144);
         },
         [](const QFont& Q) { return Q.pixelSize() == 16; }},
        {"antialiasing", [](TCanvas*) { SetCanvasTextAntialiasing(true); },
         [](const QFont& Q) { return !(Q.styleStrategy() & QFont::NoAntialias); }},
    };
    const QString Texts[] = {QStringLiteral("Www iii"), QString(100, u'W')};
    for (const Case& K : Cases) {
        TextPaper P(100, 40);
        TCanvas* C = P.C();
        TFont First;
        First.Assign(C->Font());
        std::vector<Integer> FirstWidths;
        for (const QString& T : Texts)
            FirstWidths.push_back(C->TextWidth(T));

        K.Change(C);
        const QFont Now = C->Font()->ToQFont();
        EXPECT_TRUE(K.Shows(Now)) << K.What;
        const QFontMetrics Qt(Now, P.B.Canvas()->DeviceImage());
        for (const QString& T : Texts) {
            EXPECT_EQ(C->TextWidth(T), Qt.horizontalAdvance(T)) << K.What;
            TRect R(0, 0, 100, 40);
            DrawText(C, T, R, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
            EXPECT_EQ(R.Width(), Qt.horizontalAdvance(T)) << K.What;
        }
        EXPECT_EQ(C->TextHeight(Texts[0]), Qt.height()) << K.What;

        SetCanvasTextAntialiasing(false);
        C->Font()->Assign(&First);
        for (std::size_t I = 0; I < std::size(Texts); ++I)
            EXPECT_EQ(C->TextWidth(Texts[I]), FirstWidths[I]) << K.What;
    }
}
