#include "rtl/Printers.h"

#include "common/PdfPages.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

namespace {

// A 96 dpi white bitmap whose canvas is in the metric mode.
struct MetricPaper {
    TBitmap B;
    MetricPaper(int W, int H)
    {
        B.SetSize(W, H);
        B.Canvas()->Brush()->SetColor(clWhite);
        B.Canvas()->FillRect(Rect(0, 0, W, H));
        B.Canvas()->SetMapMode(MM_LOMETRIC);
    }
    TCanvas* C() { return B.Canvas(); }
    TColor Device(int X, int Y)
    {
        const Integer Old = C()->SetMapMode(MM_TEXT);
        const TColor Result = C()->Pixels(X, Y);
        C()->SetMapMode(Old);
        return Result;
    }
};

TEST(CanvasMetricMode, ConvertsCoordinatesWithYGrowingUpward)
{
    MetricPaper P(200, 200);
    EXPECT_EQ(P.C()->SetMapMode(MM_LOMETRIC), MM_LOMETRIC);
    EXPECT_EQ(P.C()->PixelsPerInchX(), 96);
    EXPECT_EQ(P.C()->LPtoDP(TPoint(254, -254)), TPoint(96, 96));
    EXPECT_EQ(P.C()->DPtoLP(TPoint(96, 48)), TPoint(254, -127));
    // One inch square below and right of the top-left corner.
    P.C()->Brush()->SetColor(clRed);
    P.C()->FillRect(TRect(0, 0, 254, -254));
    EXPECT_EQ(P.Device(5, 5), clRed);
    EXPECT_EQ(P.Device(95, 95), clRed);
    EXPECT_EQ(P.Device(97, 97), clWhite);
    // The clip box of the page: top 0, bottom negative.
    const TRect Clip = P.C()->ClipRect();
    EXPECT_EQ(Clip.Top, 0);
    EXPECT_EQ(Clip.Bottom, -529);
    EXPECT_EQ(Clip.Right, 529);
    EXPECT_EQ(P.C()->SetMapMode(MM_TEXT), MM_LOMETRIC);
    EXPECT_EQ(P.C()->LPtoDP(TPoint(254, -254)), TPoint(254, -254));
}

TEST(CanvasMetricMode, LinesAndPenWidthAreConverted)
{
    MetricPaper P(200, 200);
    P.C()->Pen()->SetColor(clBlue);
    P.C()->Pen()->SetWidth(1);
    P.C()->MoveTo(0, -100);
    P.C()->LineTo(500, -100);
    EXPECT_EQ(P.C()->PenPos(), TPoint(500, -100));
    EXPECT_EQ(P.Device(100, 38), clBlue);
    EXPECT_EQ(P.Device(100, 40), clWhite);
    EXPECT_EQ(P.C()->Pen()->Width(), 1);
}

TEST(CanvasMetricMode, TextIsUprightAndMeasuredInLogicalUnits)
{
    MetricPaper P(300, 200);
    P.C()->Font()->SetName(QStringLiteral("DejaVu Sans"));
    P.C()->Font()->SetHeight(-127); // half an inch: 48 pixels
    const Integer H = P.C()->TextHeight(QStringLiteral("gh"));
    EXPECT_GT(H, 127);
    EXPECT_LT(H, 190);
    EXPECT_EQ(P.C()->Font()->Height(), -127);
    P.C()->Brush()->SetStyle(bsClear);
    P.C()->Font()->SetColor(clBlack);
    P.C()->TextOut(0, 0, QStringLiteral("T"));
    // The bar of the T is the first inked row, its stem the last.
    std::vector<int> Ink;
    for (int Y = 0; Y < 80; ++Y) {
        int N = 0;
        for (int X = 0; X < 60; ++X)
            N += P.Device(X, Y) == clBlack;
        if (N > 0)
            Ink.push_back(N);
    }
    ASSERT_GT(Ink.size(), 20u);
    EXPECT_GT(Ink.front(), 3 * Ink.back());
    // Measured text comes back in logical units.
    const Integer W = P.C()->TextWidth(QStringLiteral("TTTT"));
    P.C()->SetMapMode(MM_TEXT);
    P.C()->Font()->SetHeight(-48);
    EXPECT_NEAR(W, P.C()->TextWidth(QStringLiteral("TTTT")) * 254 / 96, 3);
}

TEST(CanvasMetricMode, DrawTextMeasuresDownward)
{
    MetricPaper P(300, 200);
    P.C()->Font()->SetHeight(-50);
    TRect R(0, -10, 2000, -10);
    const Integer H = DrawText(P.C(), QStringLiteral("one\ntwo"), R, DT_CALCRECT | DT_NOPREFIX);
    EXPECT_GT(H, 100);
    EXPECT_EQ(R.Bottom, -10 - H);
    EXPECT_GT(R.Right, 0);
}

TEST(Printers, PdfPrinterWritesEveryPage)
{
    QTemporaryDir Dir;
    const QString File = Dir.filePath(QStringLiteral("out.pdf"));
    std::unique_ptr<TPrinter> Old = SetPrinter(TPrinter::CreatePdf(File, 10, 300));
    TPrinter* Pr = Printer();
    EXPECT_EQ(Pr->PixelsPerInchX(), 300);
    // 190 mm of printable width at 300 dpi.
    EXPECT_NEAR(Pr->PageWidth(), 2244, 2);
    EXPECT_NEAR(Pr->PageHeight(), 3272, 3);
    Pr->SetOrientation(poLandscape);
    EXPECT_GT(Pr->PageWidth(), Pr->PageHeight());
    Pr->SetOrientation(poPortrait);
    Pr->SetTitle(QStringLiteral("job"));
    Pr->BeginDoc();
    EXPECT_THROW(Pr->SetOrientation(poLandscape), EPrinter);
    Pr->Canvas()->SetMapMode(MM_LOMETRIC);
    Pr->Canvas()->Brush()->SetColor(clBlack);
    Pr->Canvas()->FillRect(TRect(0, 0, 100, -100));
    Pr->NewPage();
    Pr->NewPage();
    EXPECT_EQ(Pr->PageNumber(), 3);
    Pr->EndDoc();
    EXPECT_FALSE(Pr->Printing());
    EXPECT_EQ(PdfPageCount(File), 3);
    // The 10 mm square sits at the printable area's corner (10 mm margins).
    const QImage Page = PdfPageImage(File, 1, 254);
    ASSERT_FALSE(Page.isNull());
    EXPECT_EQ(qGray(Page.pixel(150, 150)), 0);
    EXPECT_EQ(qGray(Page.pixel(90, 90)), 255);
    EXPECT_EQ(qGray(Page.pixel(210, 210)), 255);
    SetPrinter(std::move(Old));
}

} // namespace
