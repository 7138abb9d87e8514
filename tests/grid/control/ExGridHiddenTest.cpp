// Hidden columns and rows, and the conversions between real and display
// indices, on small fixtures.
#include "ExGridTestForm.h"

namespace {

class ExGridHiddenTest : public ::testing::Test {
protected:
    ExGridHiddenTest()
    {
        G.SetColCount(5);
        G.SetRowCount(6);
        F.Fill();
    }

    TExGridForm F;
    TTestExGrid& G = *F.Grid;
};

// Rows A B C D (one per row, column 1), no fixed rows.
class ExGridRowsTest : public ::testing::Test {
protected:
    ExGridRowsTest()
    {
        G.SetRowCount(4);
        G.SetFixedRows(0);
        const char* Names[] = {"A", "B", "C", "D"};
        for (Integer R = 0; R < 4; ++R) {
            G.SetCells(1, R, QString::fromLatin1(Names[R]));
            G.SetRowHeights(R, 20 + R);
        }
    }
    String Heights() const
    {
        QStringList H;
        for (Integer R = 0; R < G.RowCount(); ++R)
            H << QString::number(G.RowHeights(R));
        return H.join(u' ');
    }

    TExGridForm F;
    TTestExGrid& G = *F.Grid;
};

} // namespace

TEST_F(ExGridHiddenTest, HidingAColumnShortensTheDisplayOnly)
{
    G.SetColWidths(3, 77);
    G.HideColumn(2);
    EXPECT_EQ(G.ColCount(), 4);
    EXPECT_EQ(G.AllColCount(), 5);
    EXPECT_EQ(G.NumHiddenColumns(), 1);
    EXPECT_EQ(G.RealColIndex(2), 3);
    EXPECT_EQ(G.DisplColIndex(3), 2);
    EXPECT_EQ(G.ColWidths(2), 77);
    EXPECT_TRUE(G.IsHiddenColumn(2));
    EXPECT_EQ(G.Cells(2, 1), "2,1");
    EXPECT_EQ(G.Cells(4, 1), "4,1");
    // Hiding it again, or an index outside the hideable range, changes nothing.
    G.HideColumn(2);
    G.HideColumns(-3, -1);
    G.HideColumn(600);
    EXPECT_EQ(G.ColCount(), 4);
    EXPECT_FALSE(G.IsHiddenColumn(600));
    EXPECT_FALSE(G.IsHiddenColumn(-1));
}

TEST_F(ExGridHiddenTest, TheLastShownColumnIsNeverHidden)
{
    G.HideColumns(0, 4);
    EXPECT_EQ(G.ColCount(), 1);
    EXPECT_EQ(G.NumHiddenColumns(), 4);
    EXPECT_EQ(G.RealColIndex(0), 4);
}

TEST_F(ExGridHiddenTest, HidingTheCurrentLastColumnMovesColLeftFirst)
{
    G.SetCol(4);
    G.HideColumn(4);
    EXPECT_EQ(G.Col(), 3);
    EXPECT_EQ(G.ColCount(), 4);
}

TEST_F(ExGridHiddenTest, ShowingAColumnPutsBackItsWidthAtItsPlace)
{
    const Integer Widths[] = {30, 40, 50, 60, 70};
    for (Integer C = 0; C < 5; ++C)
        G.SetColWidths(C, Widths[C]);
    G.HideColumn(1);
    G.HideColumn(3);
    EXPECT_EQ(G.ColWidths(1), 50);
    EXPECT_EQ(G.ColWidths(2), 70);
    G.UnHideColumn(1);
    EXPECT_EQ(G.ColCount(), 4);
    EXPECT_EQ(G.ColWidths(1), 40);
    EXPECT_EQ(G.ColWidths(2), 50);
    G.UnHideColumnsAll();
    for (Integer C = 0; C < 5; ++C)
        EXPECT_EQ(G.ColWidths(C), Widths[C]) << C;
    EXPECT_EQ(G.NumHiddenColumns(), 0);
}

// Columns from 512 on never hide but count as shown.
TEST_F(ExGridHiddenTest, ColumnsBeyondTheHideableRangeKeepTheirPlace)
{
    G.SetColCount(520);
    G.HideColumn(2);
    EXPECT_EQ(G.RealColIndex(2), 3);
    EXPECT_EQ(G.RealColIndex(510), 511);
    EXPECT_EQ(G.RealColIndex(511), 512);
    EXPECT_EQ(G.RealColIndex(518), 519);
    EXPECT_EQ(G.DisplColIndex(512), 511);
    G.SetCells(G.RealColIndex(515), 1, QStringLiteral("far"));
    EXPECT_EQ(G.Cells(516, 1), "far");
    EXPECT_NE(G.Cells(0, 1), "far");
}

TEST_F(ExGridRowsTest, HidingARowKeepsItAsideWithItsCellsAndObjects)
{
    G.CellProperties(1, 1)->SetBrushColor(clRed);
    auto* Graphic = new TCellGraphic();
    G.SetGraphicObjects(2, 1, Graphic);
    G.HideRow(1);
    EXPECT_EQ(G.RowCount(), 3);
    EXPECT_EQ(G.AllRowCount(), 4);
    EXPECT_EQ(F.Column(1), "A C D");
    EXPECT_TRUE(G.IsHiddenRow(1));
    EXPECT_EQ(G.RealRowIndex(1), 2);
    EXPECT_EQ(G.DisplRowIndex(2), 1);
    EXPECT_EQ(G.RealRowIndex(G.RowCount()), G.AllRowCount());
    EXPECT_EQ(G.AllCells(1, 1), "B");
    EXPECT_EQ(G.AllCells(1, 2), "C");
    EXPECT_EQ(Heights(), "20 22 23");

    G.UnHideRow(1);
    EXPECT_EQ(F.Column(1), "A B C D");
    EXPECT_EQ(Heights(), "20 21 22 23");
    EXPECT_EQ(G.Colors(1, 1), clRed);
    EXPECT_EQ(G.GraphicObjects(2, 1), Graphic);
    EXPECT_EQ(G.NumHiddenRows(), 0);
    // A row that is not hidden: nothing happens.
    G.UnHideRow(2);
    G.UnHideRow(99);
    EXPECT_EQ(F.Column(1), "A B C D");
}

TEST_F(ExGridRowsTest, HideRowsOverPartlyHiddenRangesKeepsEveryRowsCells)
{
    G.HideRow(2);
    G.HideRows(1, 3);
    EXPECT_EQ(F.Column(1), "A");
    EXPECT_EQ(G.NumHiddenRows(), 3);
    // Rows that do not exist are passed over.
    G.HideRows(7, 9);
    EXPECT_EQ(G.NumHiddenRows(), 3);
    G.UnHideRows(1, 3);
    EXPECT_EQ(F.Column(1), "A B C D");
    EXPECT_EQ(Heights(), "20 21 22 23");
}

TEST_F(ExGridRowsTest, UnHideRowsWhoseFirstRowIsShownDoesNothing)
{
    G.HideRow(2);
    G.UnHideRows(1, 3);
    EXPECT_EQ(F.Column(1), "A B D");
    G.UnHideRowsAll();
    EXPECT_EQ(F.Column(1), "A B C D");
}

TEST_F(ExGridRowsTest, UnHideRowsAllBringsBackSeparateRuns)
{
    G.HideRow(0);
    G.HideRow(2);
    G.HideRow(3);
    EXPECT_EQ(F.Column(1), "B");
    EXPECT_EQ(G.RealRowIndex(0), 1);
    G.UnHideRowsAll();
    EXPECT_EQ(F.Column(1), "A B C D");
    EXPECT_EQ(Heights(), "20 21 22 23");
}

TEST_F(ExGridRowsTest, HideRowsExKeepsTheHeight)
{
    G.HideRowsEx(1, 2);
    EXPECT_EQ(F.Column(1), "A D");
    G.UnHideRows(1, 2);
    EXPECT_EQ(F.Column(1), "A B C D");
    EXPECT_EQ(Heights(), "20 21 22 23");
}

TEST_F(ExGridRowsTest, TwoListLevelsUndoneOneByOne)
{
    G.SetRowCount(6);
    G.SetCells(1, 4, QStringLiteral("E"));
    G.SetCells(1, 5, QStringLiteral("F"));
    G.SetRowHeights(4, 24);
    G.SetRowHeights(5, 25);
    TIntList First(0, 0), Second(0, 0);
    First.Add(2);
    First.Add(4);
    G.HideRowList(&First);
    EXPECT_EQ(F.Column(1), "A B D F");
    Second.Add(0);
    Second.Add(3);
    G.HideRowList(&Second);
    EXPECT_EQ(F.Column(1), "B D");
    EXPECT_EQ(G.FilterLevel(), 2);

    G.UnHideRowList();
    G.SetFilterLevel(G.FilterLevel() - 1);
    EXPECT_EQ(F.Column(1), "A B D F");
    G.UnHideRowList();
    G.SetFilterLevel(G.FilterLevel() - 1);
    EXPECT_EQ(F.Column(1), "A B C D E F");
    EXPECT_EQ(Heights(), "20 21 22 23 24 25");
    EXPECT_EQ(G.NumHiddenRows(), 0);
}

// At level 0 no row is hidden by list: rows hidden by index stay hidden.
TEST_F(ExGridRowsTest, UnHideRowListAtLevelZeroLosesNothing)
{
    G.HideRow(1);
    G.UnHideRowList();
    EXPECT_EQ(G.NumHiddenRows(), 1);
    EXPECT_EQ(F.Column(1), "A C D");
    G.UnHideRow(1);
    EXPECT_EQ(F.Column(1), "A B C D");
}

TEST_F(ExGridRowsTest, ListFormOfIsHiddenRow)
{
    G.HideRow(1);
    G.HideRow(3);
    TIntList* List = nullptr;
    std::vector<bool> Hidden;
    for (Integer R = 0; R < G.AllRowCount(); ++R)
        Hidden.push_back(G.IsHiddenRow(R, List));
    ASSERT_NE(List, nullptr);
    EXPECT_EQ(List->Count(), 2);
    delete List;
    EXPECT_EQ(Hidden, (std::vector<bool>{false, true, false, true}));
}

TEST_F(ExGridRowsTest, AllCellsWritesHiddenAndShownRows)
{
    G.HideRow(2);
    G.SetAllCells(1, 2, QStringLiteral("c"));
    G.SetAllCells(3, 3, QStringLiteral("d3"));
    EXPECT_EQ(G.AllCells(1, 2), "c");
    EXPECT_EQ(G.Cells(3, 2), "d3");
    EXPECT_EQ(G.AllCells(1, -1), "");
    G.UnHideRow(2);
    EXPECT_EQ(G.Cells(1, 2), "c");
}

// The sorted index answers as the walk over all rows does, also for the
// row after the last, which expanding a node on the last rows asks for.
TEST(ExGridConversions, AnswerAsTheWalkOverAllRows)
{
    const std::vector<std::vector<Integer>> Patterns = {
        {0}, {29}, {3, 4, 5}, {0, 1, 2, 10, 11, 20, 28, 29}, {1, 3, 5, 7, 9, 11, 13},
    };
    for (const auto& Hidden : Patterns) {
        TExGridForm F;
        TTestExGrid& G = *F.Grid;
        G.SetRowCount(30);
        for (auto It = Hidden.rbegin(); It != Hidden.rend(); ++It)
            G.HideRow(*It);
        auto IsHidden = [&](Integer R) { return std::find(Hidden.begin(), Hidden.end(), R) != Hidden.end(); };
        ASSERT_EQ(G.RowCount(), 30 - Integer(Hidden.size()));
        for (Integer D = 0; D <= G.RowCount(); ++D) {
            Integer R = 0, Shown = 0;
            for (;; ++R)
                if (!IsHidden(R) && Shown++ == D)
                    break;
            EXPECT_EQ(G.RealRowIndex(D), R) << D;
        }
        EXPECT_EQ(G.RealRowIndex(G.RowCount()), G.AllRowCount());
        for (Integer R = 0; R < G.AllRowCount(); ++R) {
            const Integer Below = Integer(std::count_if(Hidden.begin(), Hidden.end(), [R](Integer H) { return H < R; }));
            EXPECT_EQ(G.DisplRowIndex(R), R - Below) << R;
            EXPECT_EQ(G.IsHiddenRow(R), IsHidden(R)) << R;
        }
    }
}

// At list level 1 the rows hidden by index (level 0) come back as well.
TEST_F(ExGridRowsTest, UnHideRowListAtLevelOneBringsBackRowsHiddenByIndex)
{
    G.SetRowCount(5);
    G.SetCells(1, 4, QStringLiteral("E"));
    G.HideRow(3);
    TIntList List(0, 0);
    List.Add(0);
    G.HideRowList(&List);
    EXPECT_EQ(F.Column(1), "B C E");
    G.UnHideRowList();
    EXPECT_EQ(F.Column(1), "A B C D E");
    EXPECT_EQ(G.NumHiddenRows(), 0);
}
