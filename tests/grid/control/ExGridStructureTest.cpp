// Counts, fixed rows, moves, stretching, sizing reactions, the save range
// and the used cells.
#include "ExGridTestForm.h"

#include <tuple>

namespace {

class ExGridStructureTest : public ::testing::Test {
protected:
    TExGridForm F;
    TTestExGrid& G = *F.Grid;
};

} // namespace

TEST_F(ExGridStructureTest, FixedRowAlwaysKeepsOneAndRestoresTheAskedCount)
{
    G.SetFixedRowAlways(true);
    G.SetFixedRows(0);
    EXPECT_EQ(G.FixedRows(), 1);
    G.SetRowCount(3);
    G.SetFixedRows(3);
    EXPECT_EQ(G.TBaseGrid::FixedRows(), 2);
    G.SetRowCount(5);
    EXPECT_EQ(G.FixedRows(), 3);
}

TEST_F(ExGridStructureTest, StretchColumnFillsTheClientWidth)
{
    G.SetBorderStyle(bsNone);
    G.SetScrollBars(ssNone);
    G.SetColCount(3);
    G.SetBounds(0, 0, 300, 100);
    ASSERT_EQ(G.ClientWidth(), 300);
    G.SetColWidths(0, 50);
    G.SetColWidths(1, 60);
    G.SetColWidths(2, 70);
    G.ColumnSize()->SetStretchColumn(2);
    G.ColumnSize()->SetStretch(true);
    EXPECT_EQ(G.ColWidths(2), 189);
}

TEST_F(ExGridStructureTest, StretchIndexOutOfRange)
{
    G.SetColCount(3);
    // With stretching off nothing is checked.
    EXPECT_NO_THROW(G.StretchColumn(5));
    G.ColumnSize()->SetStretch(true);
    try {
        G.StretchColumn(5);
        ADD_FAILURE() << "no exception";
    } catch (const Exception& E) {
        EXPECT_EQ(E.Message(), "Stretch column index out of range");
    }
    // A stale index from the width notification is passed over.
    G.ColumnSize()->SetStretchColumn(7);
    EXPECT_NO_THROW(G.SetColWidths(1, 40));
    EXPECT_EQ(G.ColWidths(1), 40);
}

TEST_F(ExGridStructureTest, MoveRowsPutsTheBlockWhereThePartSays)
{
    // From, to, count: the rows afterwards (a target inside the block or
    // right after it moves nothing).
    const std::vector<std::tuple<Integer, Integer, Integer, const char*>> Cases = {
        {5, 1, 2, "0 5 6 1 2 3 4 7 8 9"},
        {1, 6, 2, "0 3 4 5 1 2 6 7 8 9"},
        {0, 10, 1, "1 2 3 4 5 6 7 8 9 0"},
        {1, 2, 2, "0 1 2 3 4 5 6 7 8 9"},
        {1, 3, 2, "0 1 2 3 4 5 6 7 8 9"},
        {4, 4, 3, "0 1 2 3 4 5 6 7 8 9"},
    };
    G.SetRowCount(10);
    G.SetFixedRows(0);
    for (const auto& [From, To, Count, Expected] : Cases) {
        for (Integer R = 0; R < 10; ++R) {
            G.SetCells(0, R, QString::number(R));
            G.SetRowHeights(R, 20 + R);
        }
        G.MoveRows(From, To, Count);
        EXPECT_EQ(F.Column(0), Expected) << From << " " << To;
        EXPECT_EQ(G.RowCount(), 10);
        // Heights travel with their rows.
        EXPECT_EQ(G.RowHeights(1), 20 + G.Ints(0, 1));
    }
    EXPECT_THROW(G.MoveRows(9, 0, 2), EInvalidGridOperation);
}

TEST_F(ExGridStructureTest, SaveRangeFollowsFootersAndFixedCells)
{
    G.SetFixedFooters(1);
    G.SetSaveFixedCells(false);
    EXPECT_EQ(G.SaveEndRow(), G.RowCount() - 2);
    EXPECT_EQ(G.SaveStartRow(), 1);
    EXPECT_EQ(G.SaveRowCount(), G.RowCount() - 2);
    G.SetSaveFixedCells(true);
    EXPECT_EQ(G.SaveEndRow(), G.RowCount() - 1);
    EXPECT_EQ(G.SaveStartCol(), 0);
}

TEST_F(ExGridStructureTest, UsedCellsAreTheSmallestRectangle)
{
    TGridRect R{9, 9, 9, 9};
    G.GetUsedCells(R);
    EXPECT_EQ(R, (TGridRect{0, 0, 0, 0}));
    G.SetCells(2, 3, QStringLiteral("x"));
    G.SetCells(4, 1, QStringLiteral("y"));
    G.GetUsedCells(R);
    EXPECT_EQ(R, (TGridRect{2, 1, 4, 3}));
}

TEST_F(ExGridStructureTest, AllColumnSizeScalesTheOtherColumns)
{
    G.SetColCount(5);
    for (Integer C = 0; C < 5; ++C)
        G.SetColWidths(C, 100);
    G.SetColWidths(4, 40);
    G.MouseActions()->SetAllColumnSize(true);
    Integer Ended = -1;
    G.OnEndColumnSize = [&Ended](TObject*, Integer ACol) { Ended = ACol; };
    G.ColSized = true;
    G.Colclicked = 2;
    G.Colclickedsize = 100;
    G.SetColWidths(2, 150);
    EXPECT_EQ(G.ColWidths(0), 100);  // fixed
    EXPECT_EQ(G.ColWidths(1), 150);
    EXPECT_EQ(G.ColWidths(2), 150);
    EXPECT_EQ(G.ColWidths(3), 150);
    EXPECT_EQ(G.ColWidths(4), 60);
    EXPECT_EQ(Ended, 2);
    EXPECT_EQ(G.Colclicked, -1);
    EXPECT_FALSE(G.ColSized);
}

TEST_F(ExGridStructureTest, AlignmentWrapAndDefaultHeight)
{
    G.SetVAlignment(vtaBottom);
    EXPECT_EQ(G.VAlignment(), vtaBottom);
    G.SetWordWrap(false);
    EXPECT_FALSE(G.WordWrap());
    EXPECT_FALSE(G.TBaseGrid::WordWrap());
    G.SetDefaultRowHeight(30);
    EXPECT_EQ(G.RowHeights(5), 30);
    G.SetFixedRowHeight(40);
    EXPECT_EQ(G.RowHeights(0), 40);
    EXPECT_EQ(G.RowHeights(1), 30);
}

TEST_F(ExGridStructureTest, SwapCellsExchangesTextsAndObjects)
{
    G.SetCells(1, 1, QStringLiteral("a"));
    G.SetCells(2, 2, QStringLiteral("b"));
    TCellProperties* Props = G.CellProperties(1, 1);
    G.SwapCells({1, 1}, {2, 2});
    EXPECT_EQ(G.Cells(1, 1), "b");
    EXPECT_EQ(G.Cells(2, 2), "a");
    EXPECT_EQ(G.GridObjects(2, 2), Props);
    EXPECT_EQ(G.GridObjects(1, 1), nullptr);
}

TEST_F(ExGridStructureTest, NotifiersHearOfChangedCells)
{
    class TCounter : public TGridChangeNotifier {
    public:
        using TGridChangeNotifier::TGridChangeNotifier;
        void CellsChanged(TRect R) override { Last = R; }
        TRect Last;
    } Counter(nullptr);
    G.RegisterNotifier(&Counter);
    G.RegisterNotifier(&Counter);
    G.InsertRows(2, 3);
    EXPECT_EQ(Counter.Last, TRect(0, 2, G.ColCount() - 1, 5));
    G.UnRegisterNotifier(&Counter);
    G.RemoveRows(2, 1);
    EXPECT_EQ(Counter.Last, TRect(0, 2, G.ColCount() - 1, 5));
    EXPECT_EQ(G.RowCount(), 12);
}
