// The fixture column grid with the header's filter drop-down open and a
// mini-HTML hint over a cell. With CFG_GRID_HINT_SCREENSHOT set to a file
// name the picture is saved there (docs/screenshots/grid-hint.png is made so
// under Xvfb: CFG_GRID_HINT_SCREENSHOT=$PWD/docs/screenshots/grid-hint.png
// QT_QPA_PLATFORM=xcb xvfb-run -a build-test/tests/grid_tests
// --gtest_filter='ExGridHintScreenshot.*').
#include "ColumnGridFixture.h"
#include "ExGridMouse.h"
#include "grid/control/ExGrid_Settings.h"

#include <QImage>
#include <QPainter>
#include <QtTest/QTest>

#include <memory>

using namespace colgrid;

TEST(ExGridHintScreenshot, FilterDropDownAndHtmlHintOverTheGrid)
{
    TColumnGridForm F;
    F.Form->SetClientWidth(760);
    F.Form->SetClientHeight(260);
    F.Grid->SetBounds(0, 0, 760, 260);
    TGridColumnItem* Type = F.Grid->Columns()->Items(ColType);
    for (const char* Entry : {"Int16", "UInt16", "Float32", "String"})
        Type->Filter()->Add(QString::fromLatin1(Entry));
    F.Form->Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(F.Form->Handle()));

    TGridMouse Mouse{F.Grid};
    const TRect Header = F.Grid->CellRect(F.Grid->DisplColIndex(ColType), 0);
    Mouse.Click(QPoint(Header.Right - 8, Header.Top + 5));
    ASSERT_EQ(F.Grid->FFilterCol, ColType) << "the filter drop-down is open";

    auto Hint = std::make_unique<THTMLHintWindow>(nullptr);
    const TRect Cell = F.Grid->CellRect(F.Grid->DisplColIndex(ColAddress), 5);
    const TPoint At = F.Grid->ClientToScreen(TPoint(Cell.Left + 10, Cell.Bottom + 4));
    const String Text = QStringLiteral("<b>Address</b> of the variable<br>in the <font color=\"clBlue\">process data</font> image");
    TRect R = Hint->CalcHintRect(300, Text, F.Grid);
    R = TRect(At.X, At.Y, At.X + R.Right, At.Y + R.Bottom);
    Hint->ActivateHintData(R, Text, F.Grid);
    QApplication::processEvents();
    ASSERT_TRUE(Hint->Handle()->isVisible());

    QImage Picture = F.Form->Handle()->grab().toImage();
    ASSERT_FALSE(Picture.isNull());
    const QImage HintPicture = Hint->Handle()->grab().toImage();
    ASSERT_FALSE(HintPicture.isNull());
    {
        // The hint is a window of its own: laid over the form where it shows.
        QPainter P(&Picture);
        P.drawImage(F.Form->Handle()->mapFromGlobal(Hint->Handle()->pos()), HintPicture);
    }
    EXPECT_NE(Picture, F.Form->Handle()->grab().toImage()) << "the hint is laid over it";

    if (const QByteArray File = qgetenv("CFG_GRID_HINT_SCREENSHOT"); !File.isEmpty()) {
        EXPECT_TRUE(Picture.save(QString::fromLocal8Bit(File), "PNG"));
    }
}
