// The base grid's cell painter, probed on grabbed images of a shown grid.
#include "BaseGridTestForm.h"

#include "rtl/StdCtrls.h"

namespace {

constexpr TColor LineSilver = 0xC0C0C0;
constexpr TColor LineGray = 0x808080;
constexpr TColor InfoBk = 0xE1FFFF; // RGB(255, 255, 225)
constexpr TColor BtnFace = 0xF0F0F0;

class BaseGridPaintTest : public ::testing::Test {
protected:
    void SetUp() override { F.Show(); }
    // A dark pixel anywhere in the rectangle: text was drawn there.
    static bool HasInk(const QImage& Image, const TRect& R)
    {
        for (int Y = R.Top; Y < R.Bottom; ++Y)
            for (int X = R.Left; X < R.Right; ++X)
                if (qGray(Image.pixel(X, Y)) < 100)
                    return true;
        return false;
    }

    TBaseGridForm F;
    TTestBaseGrid& G = *F.Grid;
};

} // namespace

TEST_F(BaseGridPaintTest, LinesRunInsideTheCellsInTheirColours)
{
    const QImage I = F.Grab();
    struct TProbe {
        int X, Y;
        TColor Color;
    };
    const TProbe Probes[] = {
        {191, 60, LineSilver}, {150, 71, LineSilver}, {150, 60, clWhite},   // normal cell (2, 2)
        {63, 60, LineGray},    {30, 71, LineGray},    {30, 60, BtnFace},    // fixed column (0, 2)
        {191, 10, LineGray},   {150, 23, LineGray},   {150, 10, BtnFace},   // fixed row (2, 0)
        {64, 60, clWhite},     {128, 48, clWhite},
    };
    for (const TProbe& P : Probes)
        EXPECT_EQ(PixelColor(I, P.X, P.Y), P.Color) << P.X << "," << P.Y;

    // Other colours and a wider line.
    G.SetGridLineColor(clRed);
    G.SetGridFixedLineColor(clBlue);
    G.SetGridLineWidth(3);
    EXPECT_EQ(G.GridLineWidth(), 3);
    const QImage J = F.Grab();
    EXPECT_EQ(PixelColor(J, 190, 60), clRed);
    EXPECT_EQ(PixelColor(J, 150, 70), clRed);
    EXPECT_EQ(PixelColor(J, 63, 60), clBlue);
    EXPECT_EQ(PixelColor(J, 62, 60), BtnFace);
}

TEST_F(BaseGridPaintTest, AMergedAreaIsPaintedOncePerPaintAsOneCell)
{
    G.MergeCells(1, 1, 3, 2);
    G.SetCells(2, 2, QStringLiteral("WWWW"));
    G.ContentPaints.clear();
    const Integer Before = G.FPaintID;
    const QImage I = F.Grab();
    EXPECT_EQ(G.FPaintID, Before + 1);
    EXPECT_EQ(G.ContentPaints[std::make_pair(1, 1)], 1);
    for (const auto& [Cell, Count] : G.ContentPaints) {
        const bool Covered = Cell.first >= 1 && Cell.first <= 3 && Cell.second >= 1 && Cell.second <= 2;
        EXPECT_TRUE(!Covered || Cell == std::make_pair(1, 1)) << Cell.first << "," << Cell.second;
    }
    // No line between the area's cells; its text centred on the whole area.
    EXPECT_EQ(PixelColor(I, 127, 40), clWhite);
    EXPECT_EQ(PixelColor(I, 150, 47), clWhite);
    EXPECT_TRUE(HasInk(I, TRect(140, 38, 180, 58)));
    EXPECT_FALSE(HasInk(I, TRect(66, 26, 100, 46)));

    F.Grab();
    EXPECT_EQ(G.FPaintID, Before + 2);
    EXPECT_EQ(G.ContentPaints[std::make_pair(1, 1)], 2);
}

TEST_F(BaseGridPaintTest, SelectedCellsTakeTheColoursOfTheSelectionStyle)
{
    auto* Other = new TEdit(F.Form.get());
    Other->SetParent(F.Form.get());
    Other->SetBounds(220, 10, 60, 20);
    G.SetSelection(TGridRect{1, 1, 3, 1});
    struct TColours {
        TGridSelectionStyle Style;
        TColor Fill, Border, Highlight, LowerLine;
    };
    const TColours Focused[] = {
        {ssVista, 0xFDF8F1, 0xFDDE99, 0xFDFBF6, 0xFDF5E7},
        {ssWin7, 0xFCEBDC, 0xCEA27D, 0xFDF4EB, 0xFDEADB},
        {ssOffice2007, 0xD7FFFD, 0x8DD7D3, 0xF4FEFF, 0xCAF8FF},
    };
    // Cell (2, 1) is a middle piece: rows 24 .. 47 of the client. Below
    // the highlight the face starts its gradient near the fill colour.
    auto Expect = [&](const TColours& C) {
        const QImage I = F.Grab();
        EXPECT_EQ(PixelColor(I, 160, 24), C.Border);
        EXPECT_EQ(PixelColor(I, 160, 25), C.Highlight);
        const TColor Face = PixelColor(I, 160, 26);
        for (Byte (*Channel)(TColor) : {GetRValue, GetGValue, GetBValue})
            EXPECT_LE(std::abs(Channel(Face) - Channel(C.Fill)), 16) << std::hex << Face;
        EXPECT_EQ(PixelColor(I, 160, 45), C.LowerLine);
        EXPECT_EQ(PixelColor(I, 160, 47), LineSilver);
    };
    ASSERT_TRUE(G.Focused());
    for (const TColours& C : Focused) {
        SCOPED_TRACE(GetEnumName(C.Style).toStdString());
        G.SetSelectionStyle(C.Style);
        Expect(C);
    }
    Other->SetFocus();
    QApplication::processEvents();
    ASSERT_FALSE(G.Focused());
    for (const TColours& C : Focused) {
        SCOPED_TRACE(GetEnumName(C.Style).toStdString());
        G.SetSelectionStyle(C.Style);
        Expect(TColours{C.Style, 0xF8F8F8, 0xD9D9D9, 0xFBFAFA, 0xF0F0F0});
    }
    // The focused colours stay with goDrawFocusSelected.
    G.SetOptions(G.Options() + goDrawFocusSelected);
    Expect(Focused[2]);
}

TEST_F(BaseGridPaintTest, HoverAndActiveRowsInTheirColours)
{
    G.SetHoverRow(true);
    G.FHoverRowIdx = 3;
    G.FocusCell(1, 2, true);
    G.SetActiveRowShow(true);
    const QImage I = F.Grab();
    EXPECT_EQ(PixelColor(I, 150, 84), InfoBk);  // hover row, normal cell
    EXPECT_EQ(PixelColor(I, 30, 84), BtnFace);  // its fixed cell keeps its colour
    EXPECT_EQ(PixelColor(I, 150, 60), InfoBk);  // active row beside the current cell
    EXPECT_EQ(PixelColor(I, 90, 60), clWhite);  // the current cell itself
    EXPECT_EQ(PixelColor(I, 150, 36), clWhite); // another row

    G.SetHoverRowCells(THoverRowCells{hcFixed});
    G.SetHoverRowColor(clLime);
    G.SetActiveRowColor(clAqua);
    const QImage J = F.Grab();
    EXPECT_EQ(PixelColor(J, 30, 84), clLime);
    EXPECT_EQ(PixelColor(J, 150, 60), clAqua);
}

TEST_F(BaseGridPaintTest, TheHiddenLastRowShowsOnlyTheGridColour)
{
    G.SetCells(2, 5, QStringLiteral("WWWW"));
    G.SetTopRow(3);
    G.FHideLastRow = true;
    G.SetColor(clYellow);
    const QImage I = F.Grab();
    for (int X : {10, 63, 150, 160, 191})
        EXPECT_EQ(PixelColor(I, X, 85), clYellow) << X;
    EXPECT_FALSE(HasInk(I, TRect(128, 72, 192, 96)));
    EXPECT_EQ(PixelColor(I, 191, 60), LineSilver);
}

TEST_F(BaseGridPaintTest, ACellPaintedAsBackgroundOnlyTakesTheActiveRowColours)
{
    // Painted where the cell stands in the grid, out of the fixed cells.
    TBitmap Target(200, 100);
    G.SetCells(2, 2, QStringLiteral("WWWW"));
    G.PaintCellExt(Target.Canvas(), 2, 2, TRect(128, 48, 192, 72), TGridDrawState{gdSelected});
    EXPECT_EQ(Target.Canvas()->Pixels(150, 60), InfoBk);
    EXPECT_EQ(Target.Canvas()->Pixels(191, 60), LineSilver);
    EXPECT_FALSE(HasInk(Target.Image(), TRect(128, 48, 190, 70)));
    // The fixed cells stay clear of a cell that reaches under them.
    G.PaintCellExt(Target.Canvas(), 2, 2, TRect(40, 10, 104, 34), TGridDrawState{gdSelected});
    EXPECT_EQ(Target.Canvas()->Pixels(50, 30), clWhite);
    EXPECT_EQ(Target.Canvas()->Pixels(80, 30), InfoBk);
}

TEST_F(BaseGridPaintTest, AFixedMergedAreaFollowsTheScroll)
{
    G.MergeCells(0, 1, 1, 3);
    G.SetCells(0, 1, QStringLiteral("WW"));
    G.SetTopRow(2);
    const QImage I = F.Grab();
    // The area runs from above the view; it is clipped below the fixed row.
    EXPECT_EQ(PixelColor(I, 30, 10), BtnFace);
    EXPECT_EQ(PixelColor(I, 30, 23), LineGray);
    EXPECT_EQ(PixelColor(I, 30, 47), BtnFace);
    EXPECT_EQ(PixelColor(I, 30, 71), LineGray);
    EXPECT_TRUE(HasInk(I, TRect(0, 24, 63, 48)));
    EXPECT_FALSE(HasInk(I, TRect(0, 0, 63, 23)));
}
