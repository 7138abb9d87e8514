// Inserting and removing rows and columns: what each operation keeps in
// step, on a grid with hidden rows before, between and after the rows it
// touches.
#include "ExGridTestForm.h"

#include <QStringList>

#include <functional>

namespace {

// Real rows r0 .. r11 ("r<n>" in column 0); real rows 2, 5 and 9 hidden, so
// the display rows are r0 r1 r3 r4 r6 r7 r8 r10 r11. Display row d is
// 20 + d high; display row 3 (r4) is marked modified; two edits are hosted
// in column 2 of r4 and r8. The current row is display row 4 (r6).
struct TRowsFixture {
    TRowsFixture()
    {
        G.SetColCount(3);
        G.SetRowCount(12);
        G.SetFixedRows(1);
        G.SetFixedCols(1);
        for (Integer R = 0; R < 12; ++R)
            G.SetCells(0, R, QStringLiteral("r%1").arg(R));
        for (const Integer R : {9, 5, 2})
            G.HideRow(R);
        for (Integer D = 0; D < G.RowCount(); ++D)
            G.SetRowHeights(D, 20 + D);
        G.ShowModified()->SetEnabled(true);
        G.SetRowModified(3, true);
        EditA = new TEdit(F.Form.get());
        EditB = new TEdit(F.Form.get());
        G.SetCellControls(2, 3, EditA);
        G.SetCellControls(2, 6, EditB);
        G.SetRow(4);
        G.OnCellsChanged = [this](TObject*, TRect R) { Changed = R; };
        G.OnRowMoved = [this](TObject*, Integer, Integer) { ++RowMoves; };
    }

    std::vector<Integer> HiddenIdx() const
    {
        std::vector<Integer> Idx;
        for (int I = 0; I < G.GridItems()->Count(); ++I)
            Idx.push_back(G.GridItems()->Items(I)->Idx());
        std::sort(Idx.begin(), Idx.end());
        return Idx;
    }
    std::vector<Integer> Heights() const
    {
        std::vector<Integer> H;
        for (Integer D = 0; D < G.RowCount(); ++D)
            H.push_back(G.RowHeights(D));
        return H;
    }
    std::vector<Integer> ModifiedRows()
    {
        std::vector<Integer> Rows;
        for (Integer D = 0; D < G.RowCount(); ++D)
            if (G.RowModified(D))
                Rows.push_back(D);
        return Rows;
    }
    // Real rows of the hosted controls, in the order they were hosted.
    std::vector<Integer> ControlRows()
    {
        std::vector<Integer> Rows;
        for (TEdit* E : {EditA, EditB}) {
            Integer Row = -1;
            for (Integer R = 0; R < G.AllRowCount(); ++R)
                if (!G.IsHiddenRow(R) && G.CellControls(2, G.DisplRowIndex(R)) == E)
                    Row = R;
            Rows.push_back(Row);
        }
        return Rows;
    }
    // Column 0 of every row once all rows are shown again.
    String RowsAfterUnhide()
    {
        G.UnHideRowsAll();
        return F.Column(0);
    }

    TExGridForm F;
    TTestExGrid& G = *F.Grid;
    TEdit* EditA = nullptr;
    TEdit* EditB = nullptr;
    TRect Changed{-1, -1, -1, -1};
    Integer RowMoves = 0;
};

class ExGridRowOpsTest : public ::testing::Test, protected TRowsFixture {};

struct TRowCase {
    const char* Name;
    std::function<void(TExStringGrid&)> Operation;
    std::vector<Integer> Idx;
    std::vector<Integer> Heights;  // 0: the default row height
    Integer Row;
    TRect Changed;
    std::vector<Integer> Modified;
    std::vector<Integer> Controls;  // -1: dropped
    const char* Order;
};

TEST(ExGridRowOps, EachOperationKeepsItsSideDataInStep)
{
    const std::vector<TRowCase> Cases = {
        {"RemoveRows over a hidden row", [](TExStringGrid& G) { G.RemoveRows(3, 3); }, {2, 4, 6},
         {20, 21, 22, 26, 27, 28}, 4, TRect(0, 3, 2, 6), {}, {-1, 5}, "r0 r1 r2 r3 r5 r8 r9 r10 r11"},
        {"RemoveRowsEx moves cells only", [](TExStringGrid& G) { G.RemoveRowsEx(3, 3); }, {2, 4, 6},
         {20, 21, 22, 23, 24, 25}, 4, TRect(0, 3, 2, 6), {3}, {-1, 5}, "r0 r1 r2 r3 r5 r8 r9 r10 r11"},
        {"FreeAndRemoveRows", [](TExStringGrid& G) { G.FreeAndRemoveRows(3, 3); }, {2, 4, 6},
         {20, 21, 22, 26, 27, 28}, 4, TRect(0, 3, 2, 6), {3}, {-1, 5}, "r0 r1 r2 r3 r5 r8 r9 r10 r11"},
        {"RemoveRows of the current row", [](TExStringGrid& G) {
             G.SetRow(8);
             G.RemoveRows(6, 3);
         },
         {2, 5, 8},
         {20, 21, 22, 23, 24, 25}, 5, TRect(0, 6, 2, 9), {3}, {4, -1}, "r0 r1 r2 r3 r4 r5 r6 r7 r9"},
        {"InsertRows between hidden rows", [](TExStringGrid& G) { G.InsertRows(3, 2, true); }, {2, 7, 11},
         {20, 21, 22, 0, 0, 23, 24, 25, 26, 27, 28}, 4, TRect(0, 3, 2, 5), {5}, {6, 10},
         "r0 r1 r2 r3   r4 r5 r6 r7 r8 r9 r10 r11"},
        {"AddRow after the last hidden row", [](TExStringGrid& G) { G.AddRow(); }, {2, 5, 9},
         {20, 21, 22, 23, 24, 25, 26, 27, 28, 0}, 4, TRect(0, 9, 2, 9), {3}, {4, 8},
         "r0 r1 r2 r3 r4 r5 r6 r7 r8 r9 r10 r11 "},
    };
    for (const TRowCase& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        TRowsFixture Fixture;
        Case.Operation(Fixture.G);
        EXPECT_EQ(Fixture.HiddenIdx(), Case.Idx);
        std::vector<Integer> Expected = Case.Heights;
        for (Integer& H : Expected)
            if (H == 0)
                H = Fixture.G.DefaultRowHeight();
        EXPECT_EQ(Fixture.Heights(), Expected);
        EXPECT_EQ(Fixture.G.Row(), Case.Row);
        EXPECT_EQ(Fixture.Changed, Case.Changed);
        EXPECT_EQ(Fixture.ModifiedRows(), Case.Modified);
        EXPECT_EQ(Fixture.ControlRows(), Case.Controls);
        EXPECT_EQ(Fixture.RowMoves, 0);
        EXPECT_EQ(Fixture.RowsAfterUnhide(), Case.Order);
    }
}

TEST_F(ExGridRowOpsTest, ControlsOfRemovedRowsAreHiddenAndDropped)
{
    G.RemoveRows(3, 1);
    EXPECT_FALSE(EditA->Visible());
    EXPECT_EQ(G.CellControls(2, 5), EditB);
}

TEST_F(ExGridRowOpsTest, RemovalsTakeNothingOutsideTheGrid)
{
    const Integer Rows = G.RowCount();
    for (const Integer At : {-1, Rows, Rows + 5}) {
        G.RemoveRows(At, 1);
        G.RemoveRowsEx(At, 1);
        G.DoRemoveRows(At, 1, true);
        G.FreeAndRemoveRows(At, 1);
    }
    G.RemoveRows(2, 0);
    G.RemoveRowsEx(2, -3);
    EXPECT_EQ(G.RowCount(), Rows);
    EXPECT_EQ(F.Column(0), "r0 r1 r3 r4 r6 r7 r8 r10 r11");
}

TEST_F(ExGridRowOpsTest, ACountBeyondTheEndIsCut)
{
    G.RemoveRows(G.RowCount() - 2, 100);
    EXPECT_EQ(G.RowCount(), 7);
    G.RemoveRowsEx(G.RowCount() - 1, 100);
    EXPECT_EQ(G.RowCount(), 6);
    G.DoRemoveRows(5, 100, true);
    EXPECT_EQ(G.RowCount(), 5);
    EXPECT_EQ(F.Column(0), "r0 r1 r3 r4 r6");
}

TEST_F(ExGridRowOpsTest, RemovingEveryNormalRowHidesTheSelection)
{
    G.RemoveRows(1, G.RowCount() - 1);
    EXPECT_EQ(G.RowCount(), 1);
    EXPECT_EQ(HiddenIdx(), (std::vector<Integer>{1, 2, 3}));
    G.InsertRows(1, 2, true);
    EXPECT_EQ(G.RowCount(), 3);
    EXPECT_LT(G.Row(), G.RowCount());
}

TEST_F(ExGridRowOpsTest, AddRowGoesBeforeTheFloatingFooterRow)
{
    G.UnHideRowsAll();
    G.SetCells(1, G.RowCount() - 1, QStringLiteral("sum"));
    G.FloatingFooter()->SetVisible(true);
    const Integer Rows = G.RowCount();
    G.AddRow();
    EXPECT_EQ(G.RowCount(), Rows + 1);
    EXPECT_EQ(G.Cells(1, Rows), "sum");
    EXPECT_EQ(G.Cells(0, Rows - 1), "");
    EXPECT_EQ(G.Cells(0, Rows - 2), "r10");
    G.RemoveRows(1, 1);
    EXPECT_EQ(G.Cells(1, Rows - 1), "sum");
}

// ---------------------------------------------------------------- columns

class ExGridColOpsTest : public ::testing::Test {
protected:
    ExGridColOpsTest()
    {
        G.SetColCount(5);
        G.SetRowCount(4);
        F.Fill();
    }
    TExGridForm F;
    TTestExGrid& G = *F.Grid;
};

TEST_F(ExGridColOpsTest, RemoveColsCutsTheCountAtTheEnd)
{
    G.RemoveCols(2, 1000);
    EXPECT_EQ(G.ColCount(), 2);
    EXPECT_EQ(G.Cells(1, 3), "1,3");
    G.RemoveCols(-1, 1);
    G.RemoveCols(0, 0);
    EXPECT_EQ(G.ColCount(), 2);
}

TEST_F(ExGridColOpsTest, RemoveColsShiftsCellsWidthsHiddenColumnsAndControls)
{
    G.SetColWidths(4, 77);
    G.HideColumn(3);
    auto* Left = new TEdit(F.Form.get());
    auto* Right = new TEdit(F.Form.get());
    G.SetCellControls(1, 2, Left);
    G.SetCellControls(4, 2, Right);
    G.HideRow(1);
    G.RemoveCols(1, 1);
    EXPECT_EQ(G.AllColCount(), 4);
    EXPECT_EQ(G.ColCount(), 3);
    EXPECT_TRUE(G.IsHiddenColumn(2));
    EXPECT_EQ(G.AllCells(2, 0), "3,0");
    EXPECT_EQ(G.ColWidths(2), 77);
    EXPECT_FALSE(Left->Visible());
    EXPECT_EQ(G.CellControls(3, 1), Right);
    EXPECT_EQ(G.CellControls(1, 1), nullptr);
    G.UnHideRow(1);
    EXPECT_EQ(G.Cells(1, 1), "2,1");
    EXPECT_EQ(G.Cells(3, 1), "4,1");
}

TEST_F(ExGridColOpsTest, InsertColsOpensEmptyColumnsAlsoInHiddenRows)
{
    G.HideRow(2);
    G.InsertCols(1, 2);
    EXPECT_EQ(G.ColCount(), 7);
    EXPECT_EQ(G.Cells(1, 0), "");
    EXPECT_EQ(G.Cells(3, 0), "1,0");
    EXPECT_EQ(G.ColWidths(1), G.DefaultColWidth());
    G.UnHideRow(2);
    EXPECT_EQ(G.Cells(3, 2), "1,2");
    G.AddColumn();
    EXPECT_EQ(G.ColCount(), 8);
}

// The hidden-column tables stop at the hideable columns: a hidden column
// pushed beyond them is shown, not lost, and nothing is written past them.
TEST_F(ExGridColOpsTest, InsertColsNearTheTableEndShowsAColumnItWouldPushOut)
{
    G.SetColCount(515);
    G.SetCells(510, 1, QStringLiteral("x"));
    G.HideColumn(510);
    G.InsertCols(0, 5);
    EXPECT_EQ(G.NumHiddenColumns(), 0);
    EXPECT_EQ(G.AllColCount(), 520);
    EXPECT_EQ(G.Cells(515, 1), "x");
    G.HideColumn(300);
    G.RemoveCols(0, 2);
    EXPECT_TRUE(G.IsHiddenColumn(298));
    EXPECT_EQ(G.NumHiddenColumns(), 1);
}

} // namespace
