#include "rtl/Graphics.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

// A white bitmap to draw on; Map() shows it as one character a pixel.
class Paper {
public:
    Paper(int W, int H, TColor Background = clWhite)
    {
        B.SetSize(W, H);
        C()->Brush()->SetColor(Background);
        C()->FillRect(Rect(0, 0, W, H));
        C()->Brush()->SetColor(clWhite);
    }
    TCanvas* C() { return B.Canvas(); }
    TColor Px(int X, int Y) { return C()->Pixels(X, Y); }

    // '.' white, 'R' red, 'B' blue, 'K' black, '?' anything else.
    std::vector<std::string> Map()
    {
        static const std::map<TColor, char> Names = {{clWhite, '.'}, {clRed, 'R'}, {clBlue, 'B'}, {clBlack, 'K'}};
        std::vector<std::string> Rows;
        for (int Y = 0; Y < B.Height(); ++Y) {
            std::string Row;
            for (int X = 0; X < B.Width(); ++X) {
                const auto It = Names.find(Px(X, Y));
                Row += It == Names.end() ? '?' : It->second;
            }
            Rows.push_back(Row);
        }
        return Rows;
    }

    TBitmap B;
};

} // namespace

TEST(GraphicsCanvasTest, ShapesKeepTheFrameworkEdges)
{
    struct Case {
        const char* Name;
        std::function<void(TCanvas*)> Draw;
        std::vector<std::string> Expected;
    };
    const std::vector<Case> Cases = {
        {"FillRect covers left/top, leaves right/bottom out",
         [](TCanvas* C) {
             C->Brush()->SetColor(clRed);
             C->FillRect(Rect(2, 2, 5, 5));
         },
         {".......", ".......", "..RRR..", "..RRR..", "..RRR..", ".......", "......."}},
        {"FrameRect is a one-pixel ring of the brush inside the rectangle",
         [](TCanvas* C) {
             C->Brush()->SetColor(clRed);
             C->FrameRect(Rect(1, 1, 6, 6));
         },
         {".......", ".RRRRR.", ".R...R.", ".R...R.", ".R...R.", ".RRRRR.", "......."}},
        {"Rectangle: pen outline on the same pixels, brush inside",
         [](TCanvas* C) {
             C->Pen()->SetColor(clBlue);
             C->Brush()->SetColor(clRed);
             C->Rectangle(1, 1, 6, 6);
         },
         {".......", ".BBBBB.", ".BRRRB.", ".BRRRB.", ".BRRRB.", ".BBBBB.", "......."}},
        {"Rectangle without a pen fills one pixel less",
         [](TCanvas* C) {
             C->Pen()->SetStyle(psClear);
             C->Brush()->SetColor(clRed);
             C->Rectangle(1, 1, 6, 6);
         },
         {".......", ".RRRR..", ".RRRR..", ".RRRR..", ".RRRR..", ".......", "......."}},
        {"Rectangle with a clear brush draws the outline only",
         [](TCanvas* C) {
             C->Pen()->SetColor(clBlue);
             C->Brush()->SetStyle(bsClear);
             C->Rectangle(Rect(1, 1, 4, 4));
         },
         {".......", ".BBB...", ".B.B...", ".BBB...", ".......", ".......", "......."}},
        {"clNone as brush or pen colour paints nothing",
         [](TCanvas* C) {
             C->Brush()->SetColor(clNone);
             C->FillRect(Rect(0, 0, 7, 7));
             C->FrameRect(Rect(0, 0, 7, 7));
             C->Pen()->SetColor(clNone);
             C->Rectangle(0, 0, 7, 7);
             C->MoveTo(0, 3);
             C->LineTo(7, 3);
         },
         {".......", ".......", ".......", ".......", ".......", ".......", "......."}},
        {"A rectangle given right-to-left is the same rectangle",
         [](TCanvas* C) {
             C->Pen()->SetColor(clBlue);
             C->Brush()->SetColor(clRed);
             C->Rectangle(4, 4, 1, 1);
         },
         {".......", ".BBB...", ".BRB...", ".BBB...", ".......", ".......", "......."}},
    };
    for (const Case& C : Cases) {
        Paper P(7, 7);
        C.Draw(P.C());
        EXPECT_EQ(P.Map(), C.Expected) << C.Name;
    }
}

TEST(GraphicsCanvasTest, LineToLeavesItsEndPointOut)
{
    struct Case {
        TPoint From, To;
        std::vector<TPoint> Drawn;
        TPoint NotDrawn;
    };
    const Case Cases[] = {
        {{1, 1}, {5, 1}, {{1, 1}, {2, 1}, {3, 1}, {4, 1}}, {5, 1}},
        {{2, 5}, {2, 1}, {{2, 5}, {2, 4}, {2, 3}, {2, 2}}, {2, 1}},
        {{1, 1}, {5, 5}, {{1, 1}, {2, 2}, {3, 3}, {4, 4}}, {5, 5}},
        {{5, 1}, {1, 5}, {{5, 1}, {4, 2}, {3, 3}, {2, 4}}, {1, 5}},
    };
    for (const Case& C : Cases) {
        Paper P(7, 7);
        P.C()->MoveTo(C.From.X, C.From.Y);
        P.C()->LineTo(C.To.X, C.To.Y);
        EXPECT_EQ(P.C()->PenPos(), C.To);
        int Black = 0;
        for (const auto& Row : P.Map())
            Black += int(std::count(Row.begin(), Row.end(), 'K'));
        EXPECT_EQ(Black, int(C.Drawn.size())) << C.To.X << "," << C.To.Y;
        for (const TPoint& D : C.Drawn)
            EXPECT_EQ(P.Px(D.X, D.Y), clBlack) << D.X << "," << D.Y;
        EXPECT_EQ(P.Px(C.NotDrawn.X, C.NotDrawn.Y), clWhite);
    }
}

TEST(GraphicsCanvasTest, ClosedLinePathWithXorTouchesEachCornerOnce)
{
    // Because every LineTo leaves its end point out, a closed path draws each
    // pixel once; with XOR a double-drawn corner would turn white again.
    Paper P(7, 7);
    TCanvas* C = P.C();
    C->Pen()->SetColor(clWhite);
    C->Pen()->SetMode(pmXor);
    C->MoveTo(1, 1);
    C->LineTo(5, 1);
    C->LineTo(5, 5);
    C->LineTo(1, 5);
    C->LineTo(1, 1);
    EXPECT_EQ(P.Map(), (std::vector<std::string>{".......", ".KKKKK.", ".K...K.", ".K...K.", ".K...K.", ".KKKKK.",
                                                 "......."}));
    // Drawing the same path again restores the paper.
    C->MoveTo(1, 1);
    C->LineTo(5, 1);
    C->LineTo(5, 5);
    C->LineTo(1, 5);
    C->LineTo(1, 1);
    for (const auto& Row : P.Map())
        EXPECT_EQ(Row, ".......");
}

TEST(GraphicsCanvasTest, PenModesCombinePenAndPixels)
{
    const TColor Dest = RGB(0x0F, 0xF0, 0x33);
    const TColor Pen = RGB(0xFF, 0x0F, 0x5A);
    auto Each = [](TColor A, TColor B, auto Op) {
        return RGB(Byte(Op(GetRValue(A), GetRValue(B))), Byte(Op(GetGValue(A), GetGValue(B))),
                   Byte(Op(GetBValue(A), GetBValue(B))));
    };
    struct Case {
        TPenMode Mode;
        TColor Expected;
    };
    const Case Cases[] = {
        {pmCopy, Pen},
        {pmXor, Each(Pen, Dest, [](int P, int D) { return P ^ D; })},
        {pmNotXor, Each(Pen, Dest, [](int P, int D) { return ~(P ^ D); })},
        {pmNot, Each(Pen, Dest, [](int, int D) { return ~D; })},
        {pmMaskPenNot, Each(Pen, Dest, [](int P, int D) { return P & ~D; })},
        {pmMask, Each(Pen, Dest, [](int P, int D) { return P & D; })},
        {pmMerge, Each(Pen, Dest, [](int P, int D) { return P | D; })},
        {pmNop, Dest},
        {pmBlack, clBlack},
    };
    for (const Case& C : Cases) {
        Paper P(6, 3, Dest);
        P.C()->Pen()->SetColor(Pen);
        P.C()->Pen()->SetMode(C.Mode);
        P.C()->MoveTo(0, 1);
        P.C()->LineTo(6, 1);
        EXPECT_EQ(P.Px(3, 1), C.Expected) << "mode " << int(C.Mode);
        EXPECT_EQ(P.Px(3, 0), Dest) << "mode " << int(C.Mode);
    }
}

TEST(GraphicsCanvasTest, ClippingLimitsEveryDrawing)
{
    Paper P(8, 8);
    TCanvas* C = P.C();
    EXPECT_EQ(C->ClipRect(), Rect(0, 0, 8, 8));
    C->IntersectClipRect(Rect(1, 1, 7, 7));
    C->IntersectClipRect(Rect(2, 0, 8, 6));
    EXPECT_EQ(C->ClipRect(), Rect(2, 1, 7, 6));
    C->ExcludeClipRect(Rect(3, 2, 5, 4));
    C->Brush()->SetColor(clRed);
    C->FillRect(Rect(0, 0, 8, 8));
    EXPECT_EQ(P.Map(), (std::vector<std::string>{"........", "..RRRRR.", "..R..RR.", "..R..RR.", "..RRRRR.",
                                                 "..RRRRR.", "........", "........"}));

    // A new region replaces the old one; an empty one removes clipping.
    C->SelectClipRgn({Rect(0, 7, 2, 8), Rect(6, 7, 8, 8)});
    EXPECT_EQ(C->ClipRect(), Rect(0, 7, 8, 8));
    C->Brush()->SetColor(clBlue);
    C->FillRect(Rect(0, 0, 8, 8));
    EXPECT_EQ(P.Map()[7], "BB....BB");
    EXPECT_EQ(P.Map()[0], "........");
    C->SelectClipRgn({});
    EXPECT_EQ(C->ClipRect(), Rect(0, 0, 8, 8));

    // The clipping survives the canvas releasing its painter.
    C->SelectClipRect(Rect(0, 0, 1, 1));
    C->Release();
    C->Brush()->SetColor(clBlack);
    C->FillRect(Rect(0, 0, 8, 8));
    EXPECT_EQ(P.Px(0, 0), clBlack);
    EXPECT_EQ(P.Px(1, 0), clWhite);
}

TEST(GraphicsCanvasTest, FocusRectangleInvertsAndDrawnTwiceDisappears)
{
    Paper P(6, 5);
    P.C()->DrawFocusRect(Rect(0, 0, 6, 5));
    const std::vector<std::string> Once = P.Map();
    EXPECT_EQ(Once, (std::vector<std::string>{"K.K.K.", ".....K", "K.....", ".....K", "K.K.K."}));
    P.C()->DrawFocusRect(Rect(0, 0, 6, 5));
    for (const auto& Row : P.Map())
        EXPECT_EQ(Row, "......");
}

TEST(GraphicsCanvasTest, FloodFillStopsAtTheBorderColour)
{
    Paper P(9, 7);
    TCanvas* C = P.C();
    C->Pen()->SetColor(clBlue);
    C->Brush()->SetStyle(bsClear);
    C->Rectangle(1, 1, 8, 6);
    C->Brush()->SetColor(clRed);
    C->FloodFill(4, 3, clBlue, fsBorder);
    EXPECT_EQ(P.Map(), (std::vector<std::string>{".........", ".BBBBBBB.", ".BRRRRRB.", ".BRRRRRB.", ".BRRRRRB.",
                                                 ".BBBBBBB.", "........."}));
    // Surface fill: the connected white pixels outside the frame.
    C->Brush()->SetColor(clBlack);
    C->FloodFill(0, 0, clWhite, fsSurface);
    EXPECT_EQ(P.Map()[0], "KKKKKKKKK");
    EXPECT_EQ(P.Map()[3], "KBRRRRRBK");
}

TEST(GraphicsCanvasTest, GradientHasTheExactEndColoursAtTheEdges)
{
    const TColor From = RGB(10, 200, 30);
    const TColor To = clBtnFace;
    for (TGradientDirection D : {gdHorizontal, gdVertical}) {
        Paper P(12, 9);
        const TRect R = Rect(1, 2, 11, 8);
        GradientFillRect(P.C(), R, From, To, D);
        const int N = D == gdHorizontal ? R.Width() : R.Height();
        auto At = [&](int I) {
            return D == gdHorizontal ? P.Px(R.Left + I, R.Top + 2) : P.Px(R.Left + 2, R.Top + I);
        };
        EXPECT_EQ(At(0), From);
        EXPECT_EQ(At(N - 1), ColorToRGB(To));
        // Channels rise monotonically in between.
        for (int I = 1; I < N; ++I) {
            EXPECT_GE(GetRValue(At(I)), GetRValue(At(I - 1)));
            EXPECT_GE(GetGValue(At(I)), GetGValue(At(I - 1)));
            EXPECT_GE(GetBValue(At(I)), GetBValue(At(I - 1)));
        }
        EXPECT_NE(At(N / 2), From);
        EXPECT_NE(At(N / 2), ColorToRGB(To));
        // Nothing outside the rectangle.
        EXPECT_EQ(P.Px(0, 2), clWhite);
        EXPECT_EQ(P.Px(11, 7), clWhite);
        EXPECT_EQ(P.Px(5, 1), clWhite);
        EXPECT_EQ(P.Px(5, 8), clWhite);
    }
}

TEST(GraphicsCanvasTest, PieRunsCounterClockwiseBetweenTheRays)
{
    Paper P(21, 21);
    TCanvas* C = P.C();
    C->Pen()->SetColor(clRed);
    C->Brush()->SetColor(clRed);
    // From three o'clock to twelve o'clock: the upper right quarter.
    C->Pie(0, 0, 21, 21, 20, 10, 10, 0);
    EXPECT_EQ(P.Px(15, 5), clRed);
    EXPECT_EQ(P.Px(5, 5), clWhite);
    EXPECT_EQ(P.Px(5, 15), clWhite);
    EXPECT_EQ(P.Px(15, 15), clWhite);

    // The other way round: three quarters.
    Paper Q(21, 21);
    Q.C()->Pen()->SetColor(clRed);
    Q.C()->Brush()->SetColor(clRed);
    Q.C()->Pie(0, 0, 21, 21, 10, 0, 20, 10);
    EXPECT_EQ(Q.Px(15, 5), clWhite);
    EXPECT_EQ(Q.Px(5, 5), clRed);
    EXPECT_EQ(Q.Px(5, 15), clRed);
    EXPECT_EQ(Q.Px(15, 15), clRed);
}

TEST(GraphicsCanvasTest, PixelsReadAndWrite)
{
    Paper P(4, 3);
    P.C()->SetPixels(2, 1, clBtnFace);
    EXPECT_EQ(P.Px(2, 1), ColorToRGB(clBtnFace));
    EXPECT_EQ(P.Px(1, 1), clWhite);
    EXPECT_EQ(P.Px(4, 0), -1);
    EXPECT_EQ(P.Px(-1, 0), -1);
    EXPECT_EQ(P.Px(0, 3), -1);
}

TEST(GraphicsCanvasTest, CopyRectOntoItselfAndWithRasterModes)
{
    Paper P(5, 3);
    TCanvas* C = P.C();
    C->SetPixels(0, 0, clRed);
    C->SetPixels(1, 0, clBlue);
    // The bitmap drawn onto itself one pixel right and down.
    C->CopyRect(Rect(1, 1, 5, 3), C, Rect(0, 0, 4, 2));
    EXPECT_EQ(P.Map(), (std::vector<std::string>{"RB...", ".RB..", "....."}));

    // Drawing the bitmap itself onto its own canvas works the same way.
    Paper D(3, 2);
    D.C()->SetPixels(0, 0, clRed);
    D.C()->Draw(1, 1, &D.B);
    EXPECT_EQ(D.Map(), (std::vector<std::string>{"R..", ".R."}));

    // XOR copy of a canvas onto an identical one leaves black.
    Paper Q(5, 3);
    Q.C()->CopyRect(Rect(0, 0, 5, 3), C, Rect(0, 0, 5, 3));
    Q.C()->SetCopyMode(cmSrcInvert);
    Q.C()->CopyRect(Rect(0, 0, 5, 3), C, Rect(0, 0, 5, 3));
    for (const auto& Row : Q.Map())
        EXPECT_EQ(Row, "KKKKK");
}

TEST(GraphicsCanvasTest, TransparentBitmapLeavesItsKeyColourOut)
{
    TBitmap Glyph;
    Glyph.SetSize(3, 2);
    Glyph.Canvas()->Brush()->SetColor(clFuchsia);
    Glyph.Canvas()->FillRect(Rect(0, 0, 3, 2));
    Glyph.Canvas()->SetPixels(1, 0, clBlue);
    // The key colour defaults to the bottom-left pixel.
    EXPECT_EQ(Glyph.TransparentMode(), tmAuto);
    EXPECT_EQ(Glyph.TransparentColor(), clFuchsia);

    Paper P(3, 2, clRed);
    P.C()->Draw(0, 0, &Glyph);
    EXPECT_EQ(P.Px(0, 0), clFuchsia);

    Glyph.SetTransparent(true);
    Paper Q(3, 2, clRed);
    Q.C()->Draw(0, 0, &Glyph);
    EXPECT_EQ(Q.Map(), (std::vector<std::string>{"RBR", "RRR"}));

    // A fixed key colour replaces the automatic one.
    Glyph.SetTransparentColor(clBlue);
    EXPECT_EQ(Glyph.TransparentMode(), tmFixed);
    Paper S(3, 2, clRed);
    S.C()->StretchDraw(Rect(0, 0, 3, 2), &Glyph);
    EXPECT_EQ(S.Px(1, 0), clRed);
    EXPECT_EQ(S.Px(0, 0), clFuchsia);
}

TEST(GraphicsCanvasTest, TextOutFillsBehindTheTextOnlyWithASolidBrush)
{
    for (bool Solid : {true, false}) {
        Paper P(120, 30);
        TCanvas* C = P.C();
        C->Font()->SetColor(clBlack);
        C->Brush()->SetColor(clYellow);
        if (!Solid)
            C->Brush()->SetStyle(bsClear);
        const String Text = QStringLiteral("Hello");
        const TSize Ext = C->TextExtent(Text);
        ASSERT_GT(Ext.cx, 10);
        ASSERT_GT(Ext.cy, 5);
        C->TextOut(5, 4, Text);
        EXPECT_EQ(C->PenPos(), Point(5 + Ext.cx, 4));
        int Yellow = 0, Ink = 0, Outside = 0;
        for (int Y = 0; Y < 30; ++Y)
            for (int X = 0; X < 120; ++X) {
                const TColor Px = P.Px(X, Y);
                const bool InCell = X >= 5 && X < 5 + Ext.cx && Y >= 4 && Y < 4 + Ext.cy;
                Yellow += Px == clYellow;
                Ink += Px == clBlack;
                Outside += !InCell && Px != clWhite;
            }
        EXPECT_GT(Ink, 10);
        EXPECT_EQ(Outside, 0);
        if (Solid)
            EXPECT_EQ(Yellow + Ink, Ext.cx * Ext.cy) << "the whole text cell is painted";
        else
            EXPECT_EQ(Yellow, 0);
    }
}

TEST(GraphicsCanvasTest, TextRectClipsToItsRectangle)
{
    Paper P(100, 30);
    TCanvas* C = P.C();
    C->Font()->SetColor(clBlack);
    C->Brush()->SetColor(clRed);
    const TRect R = Rect(10, 5, 30, 25);
    C->TextRect(R, 12, 8, QStringLiteral("A long text that does not fit"));
    int Ink = 0;
    for (int Y = 0; Y < 30; ++Y)
        for (int X = 0; X < 100; ++X) {
            const TColor Px = P.Px(X, Y);
            if (PtInRect(R, Point(X, Y)))
                Ink += Px == clBlack;
            else
                EXPECT_EQ(Px, clWhite) << X << "," << Y;
        }
    EXPECT_GT(Ink, 5);
    EXPECT_EQ(P.Px(10, 5), clRed);
    EXPECT_EQ(P.Px(29, 24), clRed);
}

TEST(GraphicsCanvasTest, CanvasOverABorrowedPainter)
{
    // As in a paint event: the painter is someone else's, already moved to
    // the client origin and clipped to the area to repaint.
    QImage Img(20, 10, QImage::Format_RGB32);
    Img.fill(Qt::white);
    QPainter Painter(&Img);
    Painter.translate(10, 5);
    Painter.setClipRect(QRect(0, 0, 4, 4));
    {
        TCanvas C(&Painter);
        EXPECT_EQ(C.ClipRect(), Rect(0, 0, 4, 4));
        C.Brush()->SetColor(clRed);
        C.FillRect(Rect(0, 0, 6, 6));
        EXPECT_EQ(C.Pixels(3, 3), clRed);
        EXPECT_EQ(C.Pixels(4, 4), clWhite); // clipped
        C.IntersectClipRect(Rect(0, 0, 2, 2));
        EXPECT_EQ(C.ClipRect(), Rect(0, 0, 2, 2));
        // Removing the canvas's clipping goes back to the painter's own.
        C.SelectClipRgn({});
        EXPECT_EQ(C.ClipRect(), Rect(0, 0, 4, 4));
        C.Font()->SetColor(clNone);
        C.Brush()->SetStyle(bsClear);
        C.TextOut(0, 0, QStringLiteral("invisible"));
    }
    EXPECT_TRUE(Painter.isActive());
    Painter.end();
    EXPECT_EQ(QColor(Img.pixel(10, 5)), QColor(Qt::red));
    EXPECT_EQ(QColor(Img.pixel(13, 8)), QColor(Qt::red));
    EXPECT_EQ(QColor(Img.pixel(14, 8)), QColor(Qt::white));
    EXPECT_EQ(QColor(Img.pixel(9, 5)), QColor(Qt::white));
    // No ink from a clNone font anywhere in the red square.
    for (int Y = 5; Y < 9; ++Y)
        for (int X = 10; X < 14; ++X)
            EXPECT_EQ(QColor(Img.pixel(X, Y)), QColor(Qt::red)) << X << "," << Y;
}
