// The floating footer under the string grid, offscreen: its setters
// switching the fixed footer row and the grid's hidden last row, the
// count through the panel's calculation kinds, the custom template, the
// per-column painting hook, clicks and hints of the footer cells.
#include "grid/control/ExGridTestForm.h"

#include <QImage>
#include <QtTest/QTest>

namespace {

// One fixed row, 10 data rows holding 1 .. 10 in columns 1 and 2, and the
// footer row; columns 60 pixels wide.
class ExGridFloatingFooterTest : public ::testing::Test {
protected:
    ExGridFloatingFooterTest()
    {
        G.SetColCount(4);
        G.SetRowCount(12);
        G.SetFixedRows(1);
        for (Integer C = 0; C < 4; ++C)
            G.SetColWidths(C, 60);
        for (Integer R = 1; R <= 10; ++R) {
            G.SetCells(1, R, QString::number(R));
            G.SetCells(2, R, QStringLiteral("v%1").arg(R));
        }
        G.SetBounds(0, 0, 600, 400);
        F.Form->Show();
        QTest::qWaitForWindowExposed(F.Form->Handle());
    }
    Integer Last() const { return G.RowCount() - 1; }
    QImage PanelPicture()
    {
        QApplication::processEvents();
        return P.Handle()->grab().toImage();
    }
    QImage TemplatePicture(const String& Template)
    {
        FF.SetCustomTemplate(Template);
        return PanelPicture();
    }
    // The colour in the middle of a grid cell as painted.
    QColor CellPixel(Integer ACol, Integer ARow)
    {
        QApplication::processEvents();
        const QImage Grid = G.Handle()->grab().toImage();
        const TRect R = G.CellRect(ACol, ARow);
        return Grid.pixelColor(G.ClientOrigin().X + (R.Left + R.Right) / 2, G.ClientOrigin().Y + R.Top + 3);
    }

    TExGridForm F;
    TTestExGrid& G = *F.Grid;
    TFloatingFooter& FF = *G.FloatingFooter();
    TFooterPanel& P = *G.FooterPanel();
};

} // namespace

TEST_F(ExGridFloatingFooterTest, TheFixedLastRowStyleTakesTheLastRowOutOfTheGrid)
{
    G.SetColors(1, Last(), clRed);
    EXPECT_EQ(CellPixel(1, Last()), QColor(Qt::red));
    FF.SetVisible(true);
    EXPECT_EQ(G.FixedFooters(), 1);
    EXPECT_TRUE(P.Visible());
    EXPECT_EQ(P.Height(), FF.Height() - 1);
    EXPECT_NE(CellPixel(1, Last()), QColor(Qt::red));
    FF.SetFooterStyle(fsColumnPreview);
    EXPECT_EQ(CellPixel(1, Last()), QColor(Qt::red));
    FF.SetFooterStyle(fsFixedLastRow);
    FF.SetVisible(false);
    EXPECT_EQ(G.FixedFooters(), 0);
    EXPECT_EQ(P.Height(), 0);
    EXPECT_EQ(CellPixel(1, Last()), QColor(Qt::red));
}

TEST_F(ExGridFloatingFooterTest, HidingAHiddenFooterLeavesTheFooterRowsAlone)
{
    G.SetFixedFooters(2);
    FF.SetVisible(false);
    EXPECT_EQ(G.FixedFooters(), 2);
}

TEST_F(ExGridFloatingFooterTest, CountThroughThePanelWithHiddenRows)
{
    FF.SetVisible(true);
    G.HideRows(3, 4);
    FF.SetColumnCalc(1, acCOUNT);
    EXPECT_EQ(FF.GetColumnCalc(1), acCOUNT);
    EXPECT_EQ(G.Cells(1, Last()), "10");
    FF.SetCalculateHiddenRows(false);
    G.CalcFooter(-1);
    EXPECT_EQ(G.Cells(1, Last()), "8");
}

TEST_F(ExGridFloatingFooterTest, TheTemplateShowsTheCurrentRowsCells)
{
    FF.SetVisible(true);
    FF.SetFooterStyle(fsCustomPreview);
    G.SetCells(1, 4, "x");
    G.SetCells(2, 4, "y");
    G.SetRow(4);
    const QImage Filled = TemplatePicture("<#1>-<#2>");
    EXPECT_EQ(Filled, TemplatePicture("x-y"));
    EXPECT_NE(Filled, TemplatePicture("y-x"));
    // Placeholders that do not read or name no column are dropped.
    EXPECT_EQ(Filled, TemplatePicture("<#1><#zz>-<#2><#99>"));
}

TEST_F(ExGridFloatingFooterTest, EachFooterCellGoesThroughThePaintingHook)
{
    std::vector<std::pair<Integer, Integer>> Painted;
    G.OnFooterPaint = [&](TObject*, Integer AColumn, TCanvas*, TRect R) { Painted.push_back({AColumn, R.Width()}); };
    FF.SetVisible(true);
    G.SetFixedCols(1);
    G.SetLeftCol(2);
    PanelPicture();
    Painted.clear();
    P.Handle()->grab();
    // The fixed column, then the columns from the left one on.
    EXPECT_EQ(Painted, (std::vector<std::pair<Integer, Integer>>{{0, 60}, {2, 60}, {3, 60}}));
}

TEST_F(ExGridFloatingFooterTest, AClickIsAClickOnTheLastRowsCell)
{
    FF.SetVisible(true);
    std::vector<std::string> Events;
    G.OnClick = [&](TObject*) { Events.push_back("click"); };
    G.OnClickCell = [&](TObject*, Integer ARow, Integer ACol) {
        Events.push_back(QStringLiteral("cell %1,%2").arg(ACol).arg(ARow).toStdString());
    };
    QTest::mouseClick(P.Handle(), Qt::LeftButton, Qt::NoModifier, QPoint(130, 5));
    EXPECT_EQ(Events, (std::vector<std::string>{"click", "cell 2,11"}));
}

TEST_F(ExGridFloatingFooterTest, HintsAskTheGridForTheLastRowsCell)
{
    FF.SetVisible(true);
    Integer HintRow = -1;
    Integer HintCol = -1;
    G.OnGridHint = [&](TObject*, Integer ARow, Integer ACol, String& Hint) {
        HintRow = ARow;
        HintCol = ACol;
        Hint = "sum";
    };
    THintInfo Info;
    Info.CursorPos = TPoint(70, 3);
    EXPECT_NE(P.Perform(CM_HINTSHOW, 0, LPARAM(&Info)), 0);  // ShowHint off
    EXPECT_EQ(HintRow, Last());
    EXPECT_EQ(HintCol, 1);
    FF.SetShowHint(true);
    EXPECT_EQ(P.Perform(CM_HINTSHOW, 0, LPARAM(&Info)), 0);
    EXPECT_EQ(Info.HintStr, "sum");
    EXPECT_EQ(P.LastHintCol(), 1);
}
