// Printing a grid into PDF files read back with the poppler tools, the
// preview into a bitmap, the print settings and the painting routines.
#include "grid/control/ExGridTestForm.h"

#include "common/PdfPages.h"
#include "rtl/Printers.h"

#include <QTemporaryDir>

#include <vector>

namespace {

constexpr int ProbeDpi = 127; // 0.2 mm a pixel

class ExGridPrintTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        File = Dir.filePath(QStringLiteral("grid.pdf"));
        OldPrinter = SetPrinter(TPrinter::CreatePdf(File, 10, 300));
        G.OnPrintGetPageNum = [this](TObject*, Integer, Integer, String& Text) { PageTexts.push_back(Text); };
    }
    void TearDown() override { SetPrinter(std::move(OldPrinter)); }

    // Cols x Rows cells "c,r", one fixed row and column, rows of 10 mm.
    void Make(Integer Cols, Integer Rows)
    {
        G.SetColCount(Cols);
        G.SetRowCount(Rows);
        G.SetFixedCols(1);
        G.SetFixedRows(1);
        for (Integer R = 0; R < Rows; ++R)
            for (Integer C = 0; C < Cols; ++C)
                G.SetCells(C, R, QStringLiteral("%1,%2").arg(C).arg(R));
        PS()->SetUseFixedHeight(true);
        PS()->SetFixedHeight(100);
    }
    TPrintSettings* PS() { return G.PrintSettings(); }
    int Pages() { return PdfPageCount(File); }
    QString Text(int Page) { return PdfPageText(File, Page); }
    QImage Image(int Page) { return PdfPageImage(File, Page, ProbeDpi); }
    // A logical point of the printable area as a pixel of the rendered page.
    static QPoint Pixel(Integer X, Integer Y) { return QPoint((100 + X) / 2, (100 - Y) / 2); }
    // The middle of cell (C, R) of the first page, with rows of Pitch.
    QPoint CellMiddle(Integer C, Integer R, Integer Pitch)
    {
        return Pixel((G.Indents[C] + G.Indents[C + 1]) / 2, -R * Pitch - Pitch / 2);
    }
    Integer Pitch()
    {
        // The line padding of the default print font.
        TBitmap B;
        B.SetSize(10, 10);
        B.Canvas()->SetMapMode(MM_LOMETRIC);
        B.Canvas()->Font()->Assign(PS()->Font());
        B.Canvas()->Font()->SetHeight(G.MapFontHeight(PS()->Font()->Size()));
        return 2 * (B.Canvas()->TextHeight(QStringLiteral("gh")) / 8) + PS()->FixedHeight();
    }

    QTemporaryDir Dir;
    QString File;
    std::unique_ptr<TPrinter> OldPrinter;
    std::vector<String> PageTexts;
    TExGridForm F;
    TTestExGrid& G = *F.Grid;
};

bool Dark(const QImage& I, QPoint P) { return qGray(I.pixel(P)) < 128; }

// Any dark pixel within D pixels left and right of P.
bool DarkNear(const QImage& I, QPoint P, int D)
{
    for (int X = P.x() - D; X <= P.x() + D; ++X)
        if (Dark(I, QPoint(X, P.y())))
            return true;
    return false;
}

} // namespace

TEST_F(ExGridPrintTest, NewSettingsHoldEveryDefault)
{
    EXPECT_EQ(PS()->Borders(), pbSingle);
    EXPECT_TRUE(PS()->Centered());
    EXPECT_EQ(PS()->DateFormat(), QStringLiteral("dd/mm/yyyy"));
    EXPECT_EQ(PS()->PageNumSep(), QStringLiteral("/"));
    EXPECT_EQ(PS()->FitToPage(), fpNever);
    EXPECT_EQ(PS()->Orientation(), poPortrait);
    EXPECT_TRUE(PS()->UseDisplayFont());
    EXPECT_FALSE(PS()->FixedCellsAlways());
    EXPECT_EQ(PS()->BorderColor(), clBlack);
    EXPECT_EQ(PS()->BorderStyle(), psSolid);
    for (TPrintPosition P : {PS()->Time(), PS()->Date(), PS()->PageNr(), PS()->Title()})
        EXPECT_EQ(P, ppNone);
    for (Integer V : {PS()->FooterSize(), PS()->HeaderSize(), PS()->LeftSize(), PS()->RightSize(),
                      PS()->ColumnSpacing(), PS()->RowSpacing(), PS()->TitleSpacing(), PS()->FixedWidth(),
                      PS()->FixedHeight(), PS()->PageNumberOffset(), PS()->MaxPagesOffset()})
        EXPECT_EQ(V, 0);
}

TEST_F(ExGridPrintTest, AssignCopiesFontContentsNotReferences)
{
    TPrintSettings Other(nullptr);
    Other.Font()->SetName(QStringLiteral("Courier"));
    Other.HeaderFont()->SetSize(17);
    Other.TitleLines()->Add(QStringLiteral("T"));
    Other.SetFixedCellsAlways(true);
    Other.SetBorders(pbAround);
    PS()->Assign(&Other);
    EXPECT_EQ(PS()->Font()->Name(), QStringLiteral("Courier"));
    EXPECT_EQ(PS()->HeaderFont()->Size(), 17);
    EXPECT_NE(PS()->Font(), Other.Font());
    EXPECT_EQ(PS()->Borders(), pbAround);
    EXPECT_FALSE(PS()->FixedCellsAlways());
    Other.Font()->SetName(QStringLiteral("Other"));
    EXPECT_EQ(PS()->Font()->Name(), QStringLiteral("Courier"));
    EXPECT_EQ(PS()->TitleLines()->Count(), 1);
}

TEST_F(ExGridPrintTest, PageNumbersOfAThreePagePrint)
{
    Make(3, 60);
    PS()->SetPageNr(ppBottomRight);
    G.Print();
    ASSERT_EQ(Pages(), 3);
    EXPECT_EQ(PageTexts, (std::vector<String>{"1/3", "2/3", "3/3"}));
    EXPECT_TRUE(Text(2).contains(QStringLiteral("2/3")));
    EXPECT_EQ(G.PrintPageNum(), 3);

    PageTexts.clear();
    PS()->SetPageNumberOffset(10);
    G.Print();
    EXPECT_EQ(PageTexts.front(), QStringLiteral("11/3"));
    EXPECT_TRUE(Text(1).contains(QStringLiteral("11/3")));

    PageTexts.clear();
    PS()->SetPageNumberOffset(0);
    PS()->SetPageNumSep(String());
    G.Print();
    EXPECT_EQ(PageTexts, (std::vector<String>{"1", "2", "3"}));
}

TEST_F(ExGridPrintTest, ColumnBandsNumberTheirPagesAndRepeatFixedColumns)
{
    Make(4, 3);
    PS()->SetPageNr(ppTopLeft);
    PS()->SetRepeatFixedCols(true);
    G.OnPrintSetColumnWidth = [](TObject*, Integer ACol, Integer& Width) { Width = ACol == 0 ? 300 : 1500; };
    G.Print();
    ASSERT_EQ(Pages(), 3);
    EXPECT_EQ(PageTexts, (std::vector<String>{"1-1", "1-2", "1-3"}));
    for (int Page = 1; Page <= 3; ++Page) {
        EXPECT_TRUE(Text(Page).contains(QStringLiteral("0,2"))) << Page;
        EXPECT_TRUE(Text(Page).contains(QStringLiteral("%1,2").arg(Page))) << Page;
    }
}

TEST_F(ExGridPrintTest, AColumnWiderThanThePageGetsABandOfItsOwn)
{
    Make(3, 2);
    G.OnPrintSetColumnWidth = [](TObject*, Integer ACol, Integer& Width) { Width = ACol == 1 ? 5000 : 200; };
    G.Print();
    EXPECT_EQ(Pages(), 3);
    EXPECT_TRUE(Text(2).contains(QStringLiteral("1,1")));
    EXPECT_FALSE(Text(2).contains(QStringLiteral("2,1")));
}

TEST_F(ExGridPrintTest, FixedRowsRepeatOnEveryPage)
{
    Make(3, 60);
    PS()->SetRepeatFixedRows(true);
    G.Print();
    const int N = Pages();
    ASSERT_GE(N, 3);
    for (int Page = 1; Page <= N; ++Page)
        EXPECT_TRUE(Text(Page).contains(QStringLiteral("1,0"))) << Page;
    PS()->SetRepeatFixedRows(false);
    G.Print();
    EXPECT_FALSE(Text(2).contains(QStringLiteral("1,0")));
}

TEST_F(ExGridPrintTest, LinesFollowTheBorderSetting)
{
    Make(3, 4);
    const Integer RowPitch = Pitch();
    struct Case {
        TPrintBorders Borders;
        bool Inner;
        bool Outer;
    };
    for (const Case& C : {Case{pbSingle, true, true}, Case{pbNoborder, false, false}, Case{pbAround, false, true}}) {
        PS()->SetBorders(C.Borders);
        G.Print();
        const QImage I = Image(1);
        ASSERT_FALSE(I.isNull());
        const int Y = CellMiddle(1, 2, RowPitch).y();
        EXPECT_EQ(DarkNear(I, QPoint(Pixel(G.Indents[2], 0).x(), Y), 2), C.Inner) << C.Borders;
        EXPECT_EQ(DarkNear(I, QPoint(Pixel(G.Indents[0], 0).x(), Y), 2), C.Outer) << C.Borders;
    }
}

TEST_F(ExGridPrintTest, CellColourAndCheckBoxArePrinted)
{
    Make(3, 4);
    G.SetColors(1, 1, clRed);
    G.SetCells(2, 2, String());
    G.AddCheckBox(2, 2, true, false);
    PS()->SetPrintGraphics(true);
    G.Print();
    const QImage I = Image(1);
    const Integer RowPitch = Pitch();
    const QPoint Red = CellMiddle(1, 1, RowPitch);
    EXPECT_EQ(QColor(I.pixel(Red.x(), Red.y() - 5)), QColor(255, 0, 0));
    // Some ink of the box at the left of the check box cell.
    const QPoint Box = Pixel(G.Indents[2] + 40, -2 * RowPitch - RowPitch / 2);
    int Ink = 0;
    for (int X = Box.x() - 15; X <= Box.x() + 15; ++X)
        for (int Y = Box.y() - 8; Y <= Box.y() + 8; ++Y)
            Ink += qGray(I.pixel(X, Y)) < 200;
    EXPECT_GT(Ink, 10);
}

TEST_F(ExGridPrintTest, EventsNarrowStopAndBreakPages)
{
    Make(3, 60);
    G.OnPrintStart = [](TObject*, Integer NrOfPages, Integer& From, Integer& To) {
        EXPECT_EQ(NrOfPages, 3);
        From = 2;
        To = 2;
    };
    G.Print();
    EXPECT_EQ(Pages(), 1);
    EXPECT_TRUE(Text(1).contains(QStringLiteral("1,30")));

    G.OnPrintStart = nullptr;
    G.OnPrintCancel = [](TObject*, Integer PageNr, bool& Cancel) { Cancel = PageNr == 1; };
    G.Print();
    EXPECT_EQ(Pages(), 1);

    G.OnPrintCancel = nullptr;
    G.SetRowCount(6);
    G.OnPrintNewPage = [](TObject*, Integer ARow, bool& NewPage) { NewPage = ARow == 3; };
    G.Print();
    EXPECT_EQ(Pages(), 2);
    EXPECT_TRUE(Text(2).contains(QStringLiteral("1,3")));
}

TEST_F(ExGridPrintTest, SelectedRowsKeepTheFixedRowWithFixedCellsAlways)
{
    Make(3, 60);
    PS()->SetRepeatFixedRows(true);
    PS()->SetFixedCellsAlways(true);
    TGridRect Sel;
    Sel.Left = 1;
    Sel.Right = 2;
    Sel.Top = 40;
    Sel.Bottom = 45;
    G.SetSelection(Sel);
    G.PrintSelectedRows();
    ASSERT_EQ(Pages(), 1);
    const QString T = Text(1);
    EXPECT_TRUE(T.contains(QStringLiteral("1,0")));
    EXPECT_TRUE(T.contains(QStringLiteral("1,42")));
    EXPECT_FALSE(T.contains(QStringLiteral("1,5 ")));
    EXPECT_FALSE(T.contains(QStringLiteral("1,46")));
}

TEST_F(ExGridPrintTest, FastPrintSkipsTheCountingButPrintsEveryPage)
{
    Make(3, 60);
    Integer Told = -1;
    G.OnPrintStart = [&](TObject*, Integer NrOfPages, Integer&, Integer&) { Told = NrOfPages; };
    G.FFastPrint = true;
    G.Print();
    EXPECT_EQ(Pages(), 3);
    EXPECT_GT(Told, 3);
}

TEST_F(ExGridPrintTest, ARowTallerThanThePageIsPrintedCut)
{
    Make(2, 4);
    PS()->SetFixedHeight(5000);
    G.Print();
    EXPECT_EQ(Pages(), 4);
    EXPECT_TRUE(Text(3).contains(QStringLiteral("1,2")));
}

TEST_F(ExGridPrintTest, FitToPageShrinkAndGrowKeepTheirDirection)
{
    Make(3, 2);
    G.Print();
    const std::vector<Integer> Natural(G.MaxWidths.begin(), G.MaxWidths.begin() + 3);
    PS()->SetFitToPage(fpShrink);
    G.Print();
    EXPECT_EQ(std::vector<Integer>(G.MaxWidths.begin(), G.MaxWidths.begin() + 3), Natural);
    PS()->SetFitToPage(fpAlways);
    G.Print();
    EXPECT_GT(G.MaxWidths[1], Natural[1]);

    Make(30, 2);
    for (Integer C = 0; C < 30; ++C)
        G.SetCells(C, 1, QString(40, QLatin1Char('W')));
    PS()->SetFitToPage(fpNever);
    G.Print();
    const Integer Wide = G.MaxWidths[5];
    PS()->SetFitToPage(fpGrow);
    G.Print();
    EXPECT_EQ(G.MaxWidths[5], Wide);
    PS()->SetFitToPage(fpAlways);
    G.Print();
    EXPECT_LT(G.MaxWidths[5], Wide);
    EXPECT_EQ(Pages(), 1);
}

TEST_F(ExGridPrintTest, ColumnsBeyondFiveHundredAndTwelvePrint)
{
    Make(600, 2);
    G.FFastPrint = true;
    G.Print();
    ASSERT_GE(G.MaxWidths.size(), 601u);
    EXPECT_GT(G.MaxWidths[599], 0);
    EXPECT_GT(G.GetPrintColWidth(599), 0);
    EXPECT_GT(Pages(), 10);
}

TEST_F(ExGridPrintTest, PreviewDrawsThePreviewPage)
{
    Make(3, 60);
    G.SetColors(1, 1, clRed);
    std::vector<Integer> Drawn;
    G.OnPrintPage = [&](TObject*, TCanvas*, Integer PageNr, Integer, Integer) { Drawn.push_back(PageNr); };
    TBitmap B;
    B.SetSize(794, 1123);
    B.Canvas()->Brush()->SetColor(clWhite);
    B.Canvas()->FillRect(TRect(0, 0, 794, 1123));
    G.SetPreviewPage(1);
    G.PrintPreview(B.Canvas(), TRect(0, 0, 794, 1123));
    EXPECT_EQ(Drawn, std::vector<Integer>{1});
    EXPECT_EQ(G.PrintPageNum(), 3);
    const Integer RowPitch = Pitch();
    EXPECT_EQ(B.Canvas()->MapMode(), MM_TEXT);
    B.Canvas()->SetMapMode(MM_LOMETRIC);
    const TPoint Red = B.Canvas()->LPtoDP(TPoint((G.Indents[1] + G.Indents[2]) / 2, -RowPitch - RowPitch / 2 - 10));
    B.Canvas()->SetMapMode(MM_TEXT);
    EXPECT_EQ(B.Canvas()->Pixels(Red.X, Red.Y), clRed);

    Drawn.clear();
    G.SetPreviewPage(2);
    G.PrintPreview(B.Canvas(), TRect(0, 0, 794, 1123));
    EXPECT_EQ(Drawn, std::vector<Integer>{2});

    Drawn.clear();
    G.PrintDraw(B.Canvas(), TRect(0, 0, 794, 1123));
    EXPECT_EQ(Drawn, std::vector<Integer>{1});
}

TEST_F(ExGridPrintTest, PaintingRoutines)
{
    G.SetXYOffset(TPoint(3, 5));
    EXPECT_EQ(G.HorzCellMargin(), 6);
    EXPECT_EQ(G.VertCellMargin(), 10);
    G.SetXYOffsetTopLeftOnly(true);
    EXPECT_EQ(G.HorzCellMargin(), 3);
    EXPECT_EQ(G.VertCellMargin(), 5);

    G.SetColCount(3);
    G.SetRowCount(2);
    G.SetCells(0, 1, QStringLiteral("a"));
    G.SetCells(1, 1, QStringLiteral("a\rb\rc"));
    G.SetCells(2, 1, QStringLiteral("a\rb"));
    G.SetMultilinecells(QStringLiteral("\r"));
    EXPECT_EQ(G.MaxLinesInRow(1), 3);
    G.SetMultilinecells(String());
    EXPECT_EQ(G.MaxLinesInRow(1), 1);

    EXPECT_EQ(G.MapFontHeight(10), -35);
    EXPECT_EQ(G.MapFontHeight(72), -254);
    EXPECT_EQ(TExStringGrid::MapFontSize(254), 72);
    EXPECT_EQ(TExStringGrid::MapFontSize(-35), -9);
}

TEST_F(ExGridPrintTest, RotatedTextStartsByQuadrantAndAlignment)
{
    TBitmap B;
    B.SetSize(10, 10);
    B.Canvas()->Font()->SetHeight(-12);
    const Integer W = B.Canvas()->TextWidth(QStringLiteral("abw"));
    const Integer H = B.Canvas()->TextHeight(QStringLiteral("abw"));
    struct Case {
        Integer Angle;
        TAlignment HA;
        TVAlignment VA;
        Integer Left, Top; // inside the rectangle (2, 2, 198, 198)
    };
    // 90 degrees: a = 0, b = W, c = H, d = 0; 180: a = H, b = 0, c = 0, d = W.
    const Case Cases[] = {
        {0, taLeftJustify, vtaTop, 2, 2},
        {0, taRightJustify, vtaBottom, 198 - W, 198 - H},
        {90, taLeftJustify, vtaTop, 2, 2 + W},
        {90, taCenter, vtaCenter, 2 + (196 - H) / 2, 2 + W - (W - 196) / 2},
        {180, taLeftJustify, vtaTop, 2 + W, 2 + H},
        {180, taRightJustify, vtaBottom, 198, 198},
        {270, taLeftJustify, vtaTop, 2 + H, 2},
        {270, taRightJustify, vtaBottom, 198, 198 - W},
        {360, taLeftJustify, vtaBottom, 2, 198 - H},
    };
    for (const Case& C : Cases) {
        TRect R(0, 0, 200, 200);
        G.DrawRotatedText(B.Canvas(), R, C.Angle, C.HA, C.VA, QStringLiteral("ab"));
        EXPECT_EQ(R.Left, C.Left) << C.Angle << " " << C.HA;
        EXPECT_EQ(R.Top, C.Top) << C.Angle << " " << C.VA;
    }
}
