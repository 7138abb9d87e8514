// The selection API: the selection as text, selected cells, rows and
// columns and their counts.
#include "ExGridTestForm.h"

namespace {

class ExGridSelectedCellsTest : public ::testing::Test {
protected:
    ExGridSelectedCellsTest()
    {
        G.SetColCount(4);
        G.SetRowCount(8);
        G.SetCells(1, 1, QStringLiteral("a"));
        G.SetCells(2, 1, QStringLiteral("b"));
        G.SetCells(1, 2, QStringLiteral("c"));
        G.SetCells(2, 2, QStringLiteral("d"));
    }
    static QByteArray Bytes(const String& S) { return S.toLatin1(); }

    TExGridForm F;
    TTestExGrid& G = *F.Grid;
};

} // namespace

TEST_F(ExGridSelectedCellsTest, SelectedTextJoinsCellsWithTabsAndRowsWithCrLf)
{
    G.SelectCells(1, 1, 2, 2);
    EXPECT_EQ(Bytes(G.SelectedText()), QByteArray("a\tb\r\nc\td"));
    // The runtime keeps the selection ordered (anchor and current cell).
    G.SelectCells(2, 2, 1, 1);
    EXPECT_EQ(Bytes(G.SelectedText()), QByteArray("a\tb\r\nc\td"));
}

TEST_F(ExGridSelectedCellsTest, SelectedTextTakesDisjunctRowsWithTheSelectionsColumns)
{
    G.SetCells(1, 5, QStringLiteral("e"));
    G.SetCells(2, 5, QStringLiteral("f"));
    G.MouseActions()->SetDisjunctRowSelect(true);
    G.SetRowSelect(2, true);
    G.SetRowSelect(5, true);
    G.SelectCells(1, 2, 2, 2);
    EXPECT_EQ(G.SelectedText(), "c\td\r\ne\tf");
}

TEST_F(ExGridSelectedCellsTest, ExcelFormatQuotesAMultiLineCell)
{
    G.SetCells(1, 1, QStringLiteral("x\r\ny"));
    G.SetMultilinecells(QStringLiteral("1"));
    G.SelectCells(1, 1, 1, 1);
    EXPECT_EQ(G.SelectedText(), "x\r\ny");
    G.SetExcelClipboardFormat(true);
    EXPECT_EQ(Bytes(G.SelectedText()), QByteArray("\"x\x0By\""));
}

TEST_F(ExGridSelectedCellsTest, SelectedTextReadsRealColumnsWithAColumnHidden)
{
    G.HideColumn(1);
    G.SelectCells(1, 1, 2, 1);
    EXPECT_EQ(G.SelectedText(), QStringLiteral("b\t%1").arg(G.Cells(3, 1)));
}

TEST_F(ExGridSelectedCellsTest, ARichTextCellGivesItsPlainText)
{
    G.SetCells(1, 1, QStringLiteral("{\\rtf1\\ansi {\\b bold} text}"));
    G.SelectCells(1, 1, 2, 1);
    EXPECT_EQ(G.SelectedText(), "bold text\tb");
}

TEST_F(ExGridSelectedCellsTest, SelectedCellsCountListsTheRectangleColumnByColumn)
{
    G.SelectCells(1, 1, 3, 2);
    ASSERT_EQ(G.SelectedCellsCount(), 6);
    const std::vector<TGridCoord> Expected{{1, 1}, {1, 2}, {2, 1}, {2, 2}, {3, 1}, {3, 2}};
    for (Integer I = 0; I < 6; ++I)
        EXPECT_EQ(G.SelectedCell(I), Expected[std::size_t(I)]) << I;
    G.MoveToCell(2, 3);
    ASSERT_EQ(G.SelectedCellsCount(), 1);
    EXPECT_EQ(G.SelectedCell(0), (TGridCoord{2, 3}));
    EXPECT_THROW(G.SelectedCell(1), EListError);
}

TEST_F(ExGridSelectedCellsTest, DisjunctCellsAreKeptByKeyAndAskedByCell)
{
    G.MouseActions()->SetDisjunctCellSelect(true);
    G.SetSelectedCells(3, 6, true);
    G.SetSelectedCells(3, 6, true);
    G.SetSelectedCells(2, 1, true);
    EXPECT_EQ(G.SelectedCellsCount(), 2);
    EXPECT_EQ(G.SelectedCell(0), (TGridCoord{3, 6}));
    EXPECT_TRUE(G.IsSelected(2, 1));
    EXPECT_TRUE(G.SelectedCells(3, 6));
    EXPECT_FALSE(G.IsSelected(3, 5));
    G.SetSelectedCells(3, 6, false);
    EXPECT_EQ(G.SelectedCellsCount(), 1);
    G.ClearSelectedCells();
    EXPECT_EQ(G.SelectedCellsCount(), 0);
}

TEST_F(ExGridSelectedCellsTest, IsSelectedAnswersFalseForFixedCellsAndFollowsTheMode)
{
    G.SelectCells(0, 0, 3, 7);
    EXPECT_FALSE(G.IsSelected(0, 3));
    EXPECT_FALSE(G.IsSelected(2, 0));
    EXPECT_TRUE(G.IsSelected(2, 3));
    G.MouseActions()->SetDisjunctColSelect(true);
    G.SetColSelect(3, true);
    EXPECT_TRUE(G.IsSelected(3, 4));
    EXPECT_FALSE(G.IsSelected(2, 4));
}

TEST_F(ExGridSelectedCellsTest, SelectedRowsAndTheirCounts)
{
    G.SelectCells(1, 4, 2, 2);
    EXPECT_EQ(G.SelectedRowCount(), 3);
    EXPECT_EQ(G.SelectedColCount(), 2);
    EXPECT_EQ(G.SelectedRow(0), 2);
    EXPECT_EQ(G.SelectedRow(2), 4);
    EXPECT_EQ(G.SelectedRow(3), -1);
    G.MouseActions()->SetDisjunctRowSelect(true);
    G.SetRowSelect(6, true);
    G.SetRowSelect(3, true);
    EXPECT_EQ(G.SelectedRowCount(), 2);
    EXPECT_EQ(G.SelectedRow(0), 6);
    EXPECT_EQ(G.SelectedRow(1), 3);
    EXPECT_EQ(G.SelectedRow(2), -1);
}

TEST_F(ExGridSelectedCellsTest, MergedCellsWidenTheRowAndColumnCounts)
{
    G.MergeCells(1, 2, 2, 3);
    G.SelectCells(1, 2, 1, 2);
    EXPECT_EQ(G.SelectedRowCount(), 3);
    EXPECT_EQ(G.SelectedColCount(), 2);
    // A merged bottom cell adds its extra rows.
    G.SelectCells(1, 1, 1, 2);
    EXPECT_EQ(G.SelectedRowCount(), 4);
}

TEST_F(ExGridSelectedCellsTest, ClearModifiedRowsDropsEveryMark)
{
    G.SetRowModified(2, true);
    G.SetRowModified(5, true);
    ASSERT_EQ(G.ModifiedRowCount(), 2);
    G.ClearModifiedRows();
    EXPECT_EQ(G.ModifiedRowCount(), 0);
}
