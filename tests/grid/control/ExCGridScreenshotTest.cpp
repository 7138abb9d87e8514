// The fixture column grid painted on its form: the read-only column shows
// its colour in the data rows only and the header text is bold. With
// CFG_COLUMN_GRID_SCREENSHOT set to a file name, the picture is also saved
// there (docs/screenshots/column-grid.png is made so under Xvfb:
// CFG_COLUMN_GRID_SCREENSHOT=$PWD/docs/screenshots/column-grid.png
// QT_QPA_PLATFORM=xcb xvfb-run -a build-test/tests/grid_tests
// --gtest_filter='ExCGridScreenshot.*').
#include "ColumnGridFixture.h"
#include "ExGridTestForm.h"

#include <QImage>
#include <QtTest/QTest>

using namespace colgrid;

namespace {

QRgb ToRgb(TColor C)
{
    const TColor V = ColorToRGB(C);
    return qRgb(V & 0xFF, (V >> 8) & 0xFF, (V >> 16) & 0xFF);
}

} // namespace

TEST(ExCGridScreenshot, FixtureGridPaintsItsColumns)
{
    TColumnGridForm F;
    F.Form->SetClientWidth(1090);
    F.Form->SetClientHeight(330);
    F.Grid->SetBounds(0, 0, 1090, 330);
    F.Grid->MoveToCell(F.Grid->DisplColIndex(ColName), 4);
    F.Form->Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(F.Form->Handle()));
    QApplication::processEvents();
    const QImage Picture = F.Form->Handle()->grab().toImage();
    ASSERT_FALSE(Picture.isNull());

    const QPoint Origin = F.Grid->ClientWidget()->mapTo(F.Form->Handle(), QPoint(0, 0));
    auto PixelIn = [&](Integer RealCol, Integer Row) {
        const TRect R = F.Grid->CellRect(F.Grid->DisplColIndex(RealCol), Row);
        return Picture.pixel(Origin + QPoint(R.Left + 4, R.Bottom - 4));
    };
    EXPECT_EQ(PixelIn(ColAddress, 3), ToRgb(AddressColor));
    EXPECT_NE(PixelIn(ColAddress, 0), ToRgb(AddressColor));
    EXPECT_NE(PixelIn(ColName, 3), ToRgb(AddressColor));

    if (const QByteArray File = qgetenv("CFG_COLUMN_GRID_SCREENSHOT"); !File.isEmpty()) {
        EXPECT_TRUE(Picture.save(QString::fromLocal8Bit(File), "PNG"));
    }
}
