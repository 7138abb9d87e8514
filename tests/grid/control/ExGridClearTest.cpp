// Clearing, trimming, merging and splitting ranges of cells, and removing
// or hiding rows and columns by content and selection.
#include "ExGridTestForm.h"

namespace {

class ExGridClearTest : public ::testing::Test {
protected:
    ExGridClearTest()
    {
        G.SetColCount(4);
        G.SetRowCount(6);
        F.Fill();
    }
    void SetColumn(Integer C, const QStringList& Texts)
    {
        for (Integer R = 0; R < Texts.size(); ++R)
            G.SetCells(C, R + 1, Texts[R]);
    }
    TExGridForm F;
    TTestExGrid& G = *F.Grid;
};

TEST_F(ExGridClearTest, ClearRectOverTheWholeGridFreesEveryPropertiesObject)
{
    G.SetColors(1, 1, clRed);
    G.AddCheckBox(2, 2, true, false);
    G.AddProgress(3, 3, clRed, clWhite);
    TRect Changed;
    G.OnCellsChanged = [&](TObject*, TRect R) { Changed = R; };
    G.ClearRect(0, 0, G.ColCount() - 1, G.RowCount() - 1);
    for (Integer R = 0; R < G.RowCount(); ++R)
        for (Integer C = 0; C < G.ColCount(); ++C) {
            EXPECT_FALSE(G.HasCellProperties(C, R));
            EXPECT_EQ(G.Cells(C, R), "");
        }
    EXPECT_EQ(Changed, TRect(0, 0, 3, 5));
}

TEST_F(ExGridClearTest, ClearTextOnlyKeepsColoursAndCheckBoxes)
{
    G.SetColors(1, 1, clRed);
    G.AddCheckBox(2, 2, true, false);
    G.SetClearTextOnly(true);
    G.ClearNormalCells();
    EXPECT_EQ(G.Colors(1, 1), clRed);
    EXPECT_TRUE(G.HasCheckBox(2, 2));
    EXPECT_EQ(G.Cells(1, 1), "");
    EXPECT_EQ(G.Cells(1, 0), "1,0");
}

TEST_F(ExGridClearTest, ClearAllLeavesHiddenRowsHiddenAndEmpty)
{
    G.SetColors(1, 3, clRed);
    G.HideRow(3);
    G.ClearAll();
    EXPECT_TRUE(G.IsHiddenRow(3));
    EXPECT_EQ(G.AllCells(1, 3), "");
    EXPECT_EQ(G.Cells(1, 1), "");
    G.UnHideRow(3);
    EXPECT_EQ(G.Cells(2, 3), "");
    EXPECT_EQ(G.Colors(1, 3), clNone);
}

TEST_F(ExGridClearTest, ClearRowsColsAndSelectionReachTheirCells)
{
    G.HideColumn(2);
    G.ClearRows(1, 1);
    EXPECT_EQ(G.AllCells(2, 1), "");
    EXPECT_EQ(G.Cells(0, 2), "0,2");
    G.ClearNormalRows(2, 1);
    EXPECT_EQ(G.Cells(0, 2), "0,2");
    EXPECT_EQ(G.Cells(3, 2), "");
    G.ClearCols(0, 1);
    EXPECT_EQ(G.Cells(0, 4), "");
    G.ClearNormalCols(1, 1);
    EXPECT_EQ(G.Cells(1, 0), "1,0");
    EXPECT_EQ(G.Cells(1, 4), "");
    G.UnHideColumn(2);
    G.SetSelection(TGridRect{3, 4, 3, 5});
    G.ClearSelection();
    EXPECT_EQ(G.Cells(3, 5), "");
    EXPECT_EQ(G.Cells(3, 3), "3,3");
}

TEST_F(ExGridClearTest, TrimAndColorRect)
{
    G.SetCells(1, 1, QStringLiteral("  a b \t"));
    G.SetCells(2, 3, QStringLiteral("\x01x "));
    G.TrimAll();
    EXPECT_EQ(G.Cells(1, 1), "a b");
    EXPECT_EQ(G.Cells(2, 3), "x");
    G.ColorRect(1, 1, 2, 2, clLime);
    EXPECT_EQ(G.Colors(2, 2), clLime);
    EXPECT_EQ(G.Colors(3, 2), clNone);
}

TEST_F(ExGridClearTest, MergeColumnCellsMergesRunsOfEqualTexts)
{
    SetColumn(1, {"a", "a", "b", "b", "b"});
    G.MergeColumnCells(1, true);
    EXPECT_TRUE(G.IsBaseCell(1, 1));
    EXPECT_EQ(G.CellSpan(1, 1), TPoint(0, 1));
    EXPECT_EQ(G.CellSpan(1, 3), TPoint(0, 2));
    EXPECT_TRUE(G.IsMergedNonBaseCell(1, 5));
    // A dependent column merges only inside the main column's runs.
    SetColumn(2, {"x", "x", "x", "y", "y"});
    G.MergeColumnCells(2, false);
    EXPECT_EQ(G.CellSpan(2, 1), TPoint(0, 1));
    EXPECT_FALSE(G.IsMergedCell(2, 3));
    EXPECT_EQ(G.CellSpan(2, 4), TPoint(0, 1));
    G.SplitColumnCells(1);
    EXPECT_FALSE(G.IsMergedCell(1, 4));
    G.SplitAllCells();
    EXPECT_FALSE(G.IsMergedCell(2, 5));
}

TEST_F(ExGridClearTest, MergeRowCellsAndMergeCols)
{
    G.SetCells(1, 2, QStringLiteral("q"));
    G.SetCells(2, 2, QStringLiteral("q"));
    G.MergeRowCells(2, true);
    EXPECT_EQ(G.CellSpan(1, 2), TPoint(1, 0));
    G.SplitRowCells(2);
    EXPECT_FALSE(G.IsMergedCell(1, 2));
    G.MergeCols(1, 3, QStringLiteral("-"));
    EXPECT_EQ(G.ColCount(), 3);
    EXPECT_EQ(G.Cells(1, 1), "1,1-3,1");
    EXPECT_EQ(G.Cells(1, 0), "1,0");
}

TEST_F(ExGridClearTest, RemoveDuplicatesWithAndWithoutLetterCase)
{
    SetColumn(1, {"abc", "ABC", "x", "abc", "y"});
    G.RemoveDuplicates(1, true);
    EXPECT_EQ(F.Column(1), "1,0 abc ABC x y");
    G.RemoveDuplicates(1, false);
    EXPECT_EQ(F.Column(1), "1,0 abc x y");
}

TEST_F(ExGridClearTest, RemoveCheckedRowsByRealRow)
{
    G.AddCheckBoxColumn(1, false, false);
    G.SetCheckBoxState(1, 2, true);
    G.SetCheckBoxState(1, 4, true);
    G.HideRow(3);
    G.RemoveCheckedRows(1, true);
    EXPECT_EQ(F.Column(0), "0,0 0,1 0,5");
    G.UnHideRow(2);
    EXPECT_EQ(F.Column(0), "0,0 0,1 0,3 0,5");
}

TEST_F(ExGridClearTest, RemoveAndHideRowsBySelection)
{
    G.MouseActions()->SetDisjunctRowSelect(true);
    G.SetRowSelect(2, true);
    G.SetRowSelect(4, true);
    G.HideUnSelectedRows();
    EXPECT_EQ(F.Column(0), "0,0 0,2 0,4");
    G.UnHideRowsAll();
    G.RemoveSelectedRows();
    EXPECT_EQ(F.Column(0), "0,0 0,1 0,3 0,5");
    G.MouseActions()->SetDisjunctRowSelect(false);
    G.SetSelection(TGridRect{1, 3, 1, 2});
    G.RemoveSelectedRows();
    EXPECT_EQ(F.Column(0), "0,0 0,1");
}

TEST_F(ExGridClearTest, RemoveUnSelectedColsKeepsAHiddenColumnsData)
{
    G.SetColCount(6);
    F.Fill();
    G.HideColumn(5);
    G.SetSelection(TGridRect{2, 1, 3, 1});
    G.RemoveUnSelectedCols();
    EXPECT_EQ(G.ColCount(), 3);
    EXPECT_EQ(G.AllColCount(), 4);
    EXPECT_EQ(G.Cells(1, 1), "2,1");
    EXPECT_EQ(G.Cells(2, 1), "3,1");
    EXPECT_TRUE(G.IsHiddenColumn(3));
    EXPECT_EQ(G.AllCells(3, 1), "5,1");
}

TEST_F(ExGridClearTest, RemoveSelectedColsByDisjunctSelection)
{
    G.MouseActions()->SetDisjunctColSelect(true);
    G.SetColSelect(1, true);
    G.SetColSelect(3, true);
    G.RemoveSelectedCols();
    EXPECT_EQ(G.ColCount(), 2);
    EXPECT_EQ(G.Cells(1, 1), "2,1");
}

TEST_F(ExGridClearTest, IsCellFindsTheFirstExactMatchInRowOrder)
{
    G.SetCells(3, 1, QStringLiteral("Key"));
    G.SetCells(1, 2, QStringLiteral("Key"));
    Integer C = -1, R = -1;
    EXPECT_FALSE(G.IsCell(QStringLiteral("key"), C, R));
    EXPECT_EQ(C, -1);
    EXPECT_TRUE(G.IsCell(QStringLiteral("Key"), C, R));
    EXPECT_EQ(TPoint(C, R), TPoint(3, 1));
    G.SetCells(2, 2, QStringLiteral("|\\wide"));
    EXPECT_TRUE(G.IsWideCell(2, 2));
    EXPECT_FALSE(G.IsWideCell(1, 2));
}

} // namespace
