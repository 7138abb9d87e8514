// The colour cube and the colour spectrum panels: layout, hit test,
// selection, hint, swatches and the computed spectrum picture.
#include "controls/dropdown/ExColorPickerDropDown.h"

#include "DropDownFixture.h"

#include <QCursor>

namespace {

QRgb Rgb(TColor C)
{
    return qRgb(GetRValue(C), GetGValue(C), GetBValue(C));
}

bool HasPixel(const QImage& Image, QRgb C)
{
    for (int Y = 0; Y < Image.height(); ++Y)
        for (int X = 0; X < Image.width(); ++X)
            if (Image.pixel(X, Y) == C)
                return true;
    return false;
}

class ColorCubeTest : public DropDownFixture {
protected:
    void SetUp() override
    {
        DropDownFixture::SetUp();
        ShowForm();
        Cube = Make<TExColorCubePanel>(0, 0);
        Cube->ResetHotCell();
        Cube->OnSelect = [this](TObject*) { ++Selects; };
    }
    QImage GrabCube() const { return Cube->Handle()->grab().toImage(); }
    TExColorCubePanel* Cube = nullptr;
    int Selects = 0;
};

class ColorSpectrumTest : public DropDownFixture {
protected:
    void SetUp() override
    {
        DropDownFixture::SetUp();
        ShowForm();
        Spectrum = Make<TExColorSpectrumPanel>(0, 0);
        Spectrum->ArrangePanel();
        Spectrum->OnSelect = [this](TObject*) { ++Selects; };
    }
    QWidget* Picture() const { return Spectrum->SpectrumImage()->Handle(); }
    TExColorSpectrumPanel* Spectrum = nullptr;
    int Selects = 0;
};

} // namespace

TEST_F(ColorCubeTest, CellsLieInThirteenRowsCentredOnTheMiddleOfThePanel)
{
    EXPECT_EQ(Cube->Width(), 182);
    EXPECT_EQ(Cube->Height(), 160);
    struct {
        Integer Cell, X, Y;
        TColor Color;
    } const Cases[] = {{1, 55, 20, 0x663300},  {2, 67, 20, 0x996633},   {7, 127, 20, 0x660000},
                       {8, 49, 30, 0x666600},  {58, 19, 80, 0x003300},  {64, 91, 80, 0xFFFFFF},
                       {70, 163, 80, 0x660066}, {71, 25, 90, 0x006633}, {121, 55, 140, 0x003366},
                       {127, 127, 140, 0x2100A5}};
    for (const auto& C : Cases) {
        EXPECT_EQ(Cube->CellCentre(C.Cell), TPoint(C.X, C.Y)) << C.Cell;
        EXPECT_EQ(Cube->CellColor(C.Cell), C.Color) << C.Cell;
    }
}

TEST_F(ColorCubeTest, SelectedColourPicksTheFirstCellOfThatColourOrNone)
{
    Cube->SetSelectedColor(TColor(0xFFFFFF));
    EXPECT_EQ(Cube->SelectedIndex(), 64);
    // Only the selected frame draws black.
    EXPECT_TRUE(HasPixel(GrabCube(), Rgb(clBlack)));
    Cube->SetSelectedColor(TColor(0x123456));
    EXPECT_EQ(Cube->SelectedIndex(), -1);
    EXPECT_EQ(Cube->SelectedColor(), TColor(0x123456));
    EXPECT_FALSE(HasPixel(GrabCube(), Rgb(clBlack)));
}

TEST_F(ColorCubeTest, HitTestTakesTheLowerCellWhereCirclesOverlap)
{
    EXPECT_EQ(Cube->CellAtPos(55, 20), 1);
    EXPECT_EQ(Cube->CellAtPos(61, 20), 1);
    // (58, 25) lies as near to cell 1 as to cell 9.
    EXPECT_EQ(Cube->CellAtPos(58, 25), 1);
    EXPECT_EQ(Cube->CellAtPos(61, 31), 9);
    EXPECT_EQ(Cube->CellAtPos(5, 5), -1);
    EXPECT_EQ(Cube->CellAtPos(91, 153), -1);
}

TEST_F(ColorCubeTest, AClickOnACellSelectsItOnceAndAClickInAGapDoesNothing)
{
    QTest::mouseClick(Cube->Handle(), Qt::LeftButton, {}, QPoint(55, 20));
    EXPECT_EQ(Cube->SelectedIndex(), 1);
    EXPECT_EQ(Cube->SelectedColor(), TColor(0x663300));
    EXPECT_EQ(Selects, 1);
    QTest::mouseClick(Cube->Handle(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(Cube->SelectedIndex(), 1);
    EXPECT_EQ(Selects, 1);
}

TEST_F(ColorCubeTest, HoverMakesTheCellHotWithItsRgbHint)
{
    QTest::mouseMove(Cube->Handle(), QPoint(67, 20));
    EXPECT_EQ(Cube->HotIndex(), 2);
    EXPECT_EQ(Cube->Hint(), QStringLiteral("Red: 51,  Green: 102,  Blue: 153"));
    // The hot frame is red over the cell's colour; the hot cell stays over a gap.
    const QImage Image = GrabCube();
    EXPECT_EQ(Image.pixel(67 - 5, 20), Rgb(clRed));
    QTest::mouseMove(Cube->Handle(), QPoint(5, 5));
    EXPECT_EQ(Cube->HotIndex(), 2);
    EXPECT_TRUE(Cube->Hint().isEmpty());
    Cube->SetShowRGBHint(false);
    EXPECT_FALSE(Cube->ShowHint());
}

TEST_F(ColorCubeTest, CellsArePaintedInTheirColours)
{
    const QImage Image = GrabCube();
    for (Integer Cell : {1, 33, 64, 100, 127})
        EXPECT_EQ(Image.pixel(Cube->CellCentre(Cell).X, Cube->CellCentre(Cell).Y), Rgb(Cube->CellColor(Cell)))
            << Cell;
}

TEST(ColorSpectrum, ComputedPictureRunsFromWhiteThroughTheHuesToBlack)
{
    struct {
        Integer X, Y;
        TColor Color;
    } const Cases[] = {{0, 0, RGB(255, 255, 255)},  {77, 0, RGB(255, 255, 255)}, {0, 127, RGB(0, 0, 0)},
                       {100, 127, RGB(0, 0, 0)},    {0, 63, RGB(255, 2, 2)},     {32, 63, RGB(129, 255, 2)},
                       {64, 63, RGB(2, 255, 255)},  {96, 63, RGB(129, 2, 255)},  {127, 63, RGB(255, 2, 14)},
                       {0, 32, RGB(255, 126, 126)}, {0, 95, RGB(129, 0, 0)}};
    for (const auto& C : Cases)
        EXPECT_EQ(SpectrumColor(C.X, C.Y), C.Color) << C.X << "," << C.Y;
}

TEST_F(ColorSpectrumTest, PictureAndSwatchesLieAtTheirPlaces)
{
    EXPECT_EQ(Spectrum->Width(), 150);
    EXPECT_EQ(Spectrum->Height(), 174);
    EXPECT_EQ(Spectrum->SpectrumImage()->BoundsRect(), TRect(11, 10, 139, 138));
    EXPECT_EQ(Spectrum->SelectedRect(), TRect(10, 146, 73, 166));
    EXPECT_EQ(Spectrum->HotRect(), TRect(77, 146, 140, 166));
    const QImage Image = Spectrum->Handle()->grab().toImage();
    for (const TPoint P : {TPoint(0, 0), TPoint(40, 70), TPoint(127, 127)})
        EXPECT_EQ(Image.pixel(11 + P.X, 10 + P.Y), Rgb(SpectrumColor(P.X, P.Y)));
    // The selected swatch shows white, framed in grey.
    EXPECT_EQ(Image.pixel(40, 156), Rgb(clWhite));
    EXPECT_EQ(Image.pixel(9, 156), Rgb(TColor(0x808080)));
}

TEST_F(ColorSpectrumTest, HotColourIsNoneUntilThePointerMovedAndAClickSelectsIt)
{
    EXPECT_EQ(Spectrum->HotColor(), clNone);
    QTest::mouseMove(Picture(), QPoint(20, 50));
    EXPECT_EQ(Spectrum->HotColor(), SpectrumColor(20, 50));
    EXPECT_EQ(Spectrum->Handle()->grab().toImage().pixel(100, 156), Rgb(SpectrumColor(20, 50)));
    QTest::mouseClick(Picture(), Qt::LeftButton, {}, QPoint(20, 50));
    EXPECT_EQ(Spectrum->SelectedColor(), SpectrumColor(20, 50));
    EXPECT_EQ(Selects, 1);
    Spectrum->ArrangePanel();
    EXPECT_EQ(Spectrum->HotColor(), clNone);
}

TEST_F(ColorSpectrumTest, ReleaseRaisesShouldHide)
{
    int Hides = 0;
    Spectrum->OnShouldHide = [&](TObject* Sender) {
        EXPECT_EQ(Sender, Spectrum);
        ++Hides;
    };
    QTest::mouseClick(Picture(), Qt::LeftButton, {}, QPoint(3, 3));
    QTest::mouseClick(Spectrum->Handle(), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(Hides, 2);
}

TEST_F(ColorSpectrumTest, PictureShowsThePipetteCursorWithItsTipAsHotSpot)
{
    EXPECT_EQ(Spectrum->SpectrumImage()->Cursor(), crColorPipette);
    const HCURSOR Pipette = Screen->Cursors(crColorPipette);
    ASSERT_NE(Pipette, nullptr);
    EXPECT_EQ(Pipette->hotSpot(), QPoint(1, 30));
    EXPECT_EQ(Pipette->pixmap().size(), QSize(32, 32));
    EXPECT_EQ(Picture()->cursor().hotSpot(), QPoint(1, 30));
}
