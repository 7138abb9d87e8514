// Tree nodes over rows: levels, contracting and expanding through hidden
// rows, nesting, rows inserted and removed under nodes, the glyph hit test
// and grouped check boxes.
#include "ExGridTestForm.h"

namespace {

// Rows Fixed A B C D E F ... in column 1, one fixed row.
class ExGridNodesTest : public ::testing::Test {
protected:
    explicit ExGridNodesTest(Integer Rows = 7)
    {
        G.SetColCount(3);
        G.SetRowCount(Rows);
        G.SetFixedRows(1);
        G.SetCells(1, 0, QStringLiteral("Fixed"));
        for (Integer R = 1; R < Rows; ++R)
            G.SetCells(1, R, QString(QChar(u'A' + R - 1)));
    }
    String Shown() const { return F.Column(1); }
    String Levels()
    {
        QStringList L;
        for (Integer R = 0; R < G.RowCount(); ++R)
            L << QString::number(G.HasCellProperties(0, R) ? G.CellProperties(0, R)->NodeLevel() : 0);
        return L.join(u' ');
    }

    TExGridForm F;
    TTestExGrid& G = *F.Grid;
};

} // namespace

TEST_F(ExGridNodesTest, AddNodeSetsLevelsAndSpanAndContractingHidesItsRows)
{
    G.SetCol(0);
    G.AddNode(2, 3);
    EXPECT_EQ(Levels(), "0 0 1 1 1 0 0");
    EXPECT_EQ(G.GetNodeSpan(2), 3);
    EXPECT_EQ(G.GetNodeLevel(2), 1);
    EXPECT_EQ(G.GetNodeLevel(3), -1);
    EXPECT_EQ(G.GetNodeSpan(3), -1);
    EXPECT_EQ(G.FNumNodes, 1);
    EXPECT_EQ(G.Col(), 1);
    EXPECT_FALSE(G.GetNodeState(2));

    G.ContractNode(2);
    EXPECT_EQ(G.RowCount(), 5);
    EXPECT_TRUE(G.GetNodeState(2));
    EXPECT_EQ(Shown(), "Fixed A B E F");
    G.ExpandNode(2);
    EXPECT_EQ(G.RowCount(), 7);
    EXPECT_FALSE(G.GetNodeState(2));
    EXPECT_EQ(Shown(), "Fixed A B C D E F");
    EXPECT_EQ(Levels(), "0 0 1 1 1 0 0");
}

TEST_F(ExGridNodesTest, ANodeEndingOnTheLastRowAndASpanOfZero)
{
    G.AddNode(4, 3);
    G.ContractNode(4);
    EXPECT_EQ(Shown(), "Fixed A B C D");
    G.ExpandNode(4);
    EXPECT_EQ(Shown(), "Fixed A B C D E F");

    // Span 0 reaches the next node row.
    G.AddNode(1, 0);
    G.ContractNode(1);
    EXPECT_EQ(Shown(), "Fixed A D E F");
    G.SetNodeState(1, false);
    EXPECT_EQ(Shown(), "Fixed A B C D E F");
    G.SetNodeState(1, true);
    EXPECT_TRUE(G.GetNodeState(1));
}

TEST_F(ExGridNodesTest, ExpandOneContractsTheOtherExpandedNodes)
{
    G.AddNode(1, 2);
    G.AddNode(3, 2);
    G.AddNode(5, 2);
    G.ContractNode(1);
    G.CellNode()->SetExpandOne(true);
    G.ExpandNode(1);
    EXPECT_FALSE(G.GetNodeState(1));
    EXPECT_EQ(Shown(), "Fixed A B C E");
    EXPECT_TRUE(G.GetNodeState(3));
    EXPECT_TRUE(G.GetNodeState(4));
}

TEST_F(ExGridNodesTest, ContractingAnOuterNodeOverAContractedInnerOneAndExpandingItShowsAll)
{
    G.AddNode(1, 5);
    G.AddNode(2, 3);
    EXPECT_EQ(Levels(), "0 1 2 2 2 1 0");
    G.ContractNode(2);
    EXPECT_EQ(Shown(), "Fixed A B E F");
    G.ContractNode(1);
    EXPECT_EQ(Shown(), "Fixed A F");
    G.ExpandNode(1);
    EXPECT_EQ(Shown(), "Fixed A B C D E F");
    EXPECT_FALSE(G.GetNodeState(2));
    EXPECT_EQ(Levels(), "0 1 2 2 2 1 0");
}

TEST_F(ExGridNodesTest, ParentRows)
{
    EXPECT_EQ(G.GetParentRow(3), -1);  // without nodes
    G.AddNode(1, 5);
    G.AddNode(2, 3);
    struct {
        Integer Row, Parent;
    } Cases[] = {{6, -1}, {0, -1}, {1, 1}, {2, 1}, {3, 2}, {4, 2}, {5, 1}};
    for (const auto& C : Cases)
        EXPECT_EQ(G.GetParentRow(C.Row), C.Parent) << C.Row;
    // Contracted, the outer node's rows below it are gone from the display.
    G.ContractNode(1);
    EXPECT_EQ(G.GetParentRow(2), -1);
    EXPECT_EQ(G.GetParentRow(1), 1);
}

TEST_F(ExGridNodesTest, InsertChildRowGrowsEveryEnclosingNode)
{
    G.AddNode(1, 5);
    G.AddNode(2, 3);
    G.InsertChildRow(3, 1);
    EXPECT_EQ(Shown(), "Fixed A B C  D E F");
    EXPECT_EQ(G.GetNodeSpan(2), 4);
    EXPECT_EQ(G.GetSubNodeCount(2), 1);
    EXPECT_EQ(G.GetNodeSpan(1), 6);
    EXPECT_EQ(G.GetSubNodeCount(1), 1);
    EXPECT_EQ(G.CellProperties(0, 4)->NodeLevel(), 2);
    // The grown spans contract and expand whole.
    G.ContractNode(1);
    EXPECT_EQ(Shown(), "Fixed A F");
    G.ExpandNode(1);
    EXPECT_EQ(Shown(), "Fixed A B C  D E F");

    G.RemoveChildRow(4);
    EXPECT_EQ(Shown(), "Fixed A B C D E F");
    EXPECT_EQ(G.GetNodeSpan(2), 3);
    EXPECT_EQ(G.GetNodeSpan(1), 5);
}

TEST_F(ExGridNodesTest, AHeaderChildTakesTheNodeRowsTexts)
{
    G.AddNode(2, 2);
    G.SetCells(2, 2, QStringLiteral("x"));
    G.InsertChildRow(2, 0);
    EXPECT_EQ(Shown(), "Fixed A  B C D E F");
    EXPECT_EQ(G.Cells(2, 3), "x");
    EXPECT_TRUE(G.IsNode(2));
    EXPECT_EQ(G.GetNodeSpan(2), 3);
    EXPECT_EQ(G.CellProperties(0, 3)->NodeLevel(), 1);
}

TEST_F(ExGridNodesTest, RowsInsertedBeforeAContractedNodeKeepItsHiddenRows)
{
    G.AddNode(4, 2);
    G.ContractNode(4);
    G.InsertNormalRow(2);
    EXPECT_EQ(Shown(), "Fixed A  B C D F");
    G.ExpandNode(5);
    EXPECT_EQ(Shown(), "Fixed A  B C D E F");
    G.RemoveNormalRow(2);
    EXPECT_EQ(Shown(), "Fixed A B C D E F");
}

TEST_F(ExGridNodesTest, ContractAllAndExpandAll)
{
    G.AddNode(1, 3);
    G.AddNode(2, 2);
    G.AddNode(4, 3);
    G.ContractAll();
    EXPECT_EQ(Shown(), "Fixed A D");
    EXPECT_TRUE(G.GetNodeState(1));
    EXPECT_TRUE(G.GetNodeState(2));  // D, the display row 2 now
    G.ExpandAll();
    EXPECT_EQ(Shown(), "Fixed A B C D E F");
    EXPECT_EQ(G.NumHiddenRows(), 0);
    EXPECT_FALSE(G.GetNodeState(1));
    EXPECT_FALSE(G.GetNodeState(2));
}

TEST_F(ExGridNodesTest, RemovingNodesExpandsThemAndLowersTheirLevels)
{
    G.AddNode(1, 5);
    G.AddNode(2, 2);
    G.ContractNode(2);
    G.RemoveNode(2);
    EXPECT_EQ(Shown(), "Fixed A B C D E F");
    EXPECT_EQ(Levels(), "0 1 1 1 1 1 0");
    EXPECT_FALSE(G.IsNode(2));
    EXPECT_EQ(G.FNumNodes, 1);
    G.ContractNode(1);
    G.RemoveAllNodes();
    EXPECT_EQ(Shown(), "Fixed A B C D E F");
    EXPECT_EQ(Levels(), "0 0 0 0 0 0 0");
    EXPECT_FALSE(G.HasNodes());
}

TEST_F(ExGridNodesTest, BadInputLeavesTheGridWhole)
{
    // Rows that are no nodes, spans beyond the rows, rows outside the grid.
    G.ContractNode(3);
    G.ExpandNode(3);
    G.RemoveNode(3);
    G.SetNodeSpan(3, 4);
    G.UpdateSubNodeCount(3, 1);
    EXPECT_EQ(G.GetSubNodeCount(3), 0);
    G.AddNode(40, 2);
    G.AddNode(5, 40);
    G.ContractNode(5);
    EXPECT_EQ(Shown(), "Fixed A B C D E");
    G.RemoveChildRow(99);
    EXPECT_EQ(G.GetParentRow(99), -1);
    // Contracting inside a filter level.
    TIntList Filtered(0, 0);
    Filtered.Add(2);
    G.HideRowList(&Filtered);
    G.AddNode(1, 3);
    G.ContractNode(1);
    G.ExpandAll();
    G.UnHideRowsAll();
    EXPECT_EQ(Shown(), "Fixed A B C D E F");
    EXPECT_EQ(G.NumHiddenRows(), 0);
}

TEST_F(ExGridNodesTest, SpanTypesForTreeLines)
{
    G.AddNode(1, 3);
    G.SetFixedFooters(1);
    EXPECT_EQ(G.GetNodeSpanType(1), 0);
    EXPECT_EQ(G.GetNodeSpanType(2), 2);  // C is as deep
    EXPECT_EQ(G.GetNodeSpanType(3), 1);  // D is shallower
    EXPECT_EQ(G.GetNodeSpanType(5), 1);  // the footer row follows
}

TEST_F(ExGridNodesTest, NodeGlyphHitTest)
{
    G.AddNode(1, 2);
    G.CellNode()->SetNodeType(cnXP);
    G.CellNode()->SetNodeIndent(12);
    for (Integer X = 0; X <= 20; ++X)
        EXPECT_EQ(G.IsInNodeGlyph(1, X), X >= 5 && X <= 15) << X;
    G.CellNode()->SetNodeType(cn3D);
    EXPECT_TRUE(G.IsInNodeGlyph(1, 1));
    EXPECT_FALSE(G.IsInNodeGlyph(1, 18));
    G.MouseActions()->SetPreciseNodeClick(false);
    EXPECT_TRUE(G.IsInNodeGlyph(1, 500));
}

TEST_F(ExGridNodesTest, GroupedCheckBoxes)
{
    G.Grouping()->SetAutoCheckGroup(true);
    G.AddNode(1, 3);
    G.AddCheckBox(2, 1, cbUnchecked);
    G.AddCheckBox(2, 2, false, false);
    G.AddCheckBox(2, 3, false, false);
    // A node's box sets the boxes of its rows.
    G.ToggleCheckBox(2, 1);
    TCheckBoxState State = cbUnchecked;
    G.GetCheckBoxState(2, 1, State);
    EXPECT_EQ(State, cbChecked);
    EXPECT_TRUE(G.IsChecked(2, 2));
    EXPECT_TRUE(G.IsChecked(2, 3));
    // A child's box sets the node's tri-state box.
    G.ToggleCheckBox(2, 2);
    G.GetCheckBoxState(2, 1, State);
    EXPECT_EQ(State, cbGrayed);
    G.ToggleCheckBox(2, 3);
    G.GetCheckBoxState(2, 1, State);
    EXPECT_EQ(State, cbUnchecked);
    // Contracted, its hidden rows follow it too.
    G.ContractNode(1);
    G.ToggleCheckBox(2, 1);
    EXPECT_TRUE(G.IsChecked(2, 2));
    EXPECT_TRUE(G.IsChecked(2, 3));
}

TEST_F(ExGridNodesTest, WithoutAutoCheckGroupANodeBoxIsAlone)
{
    G.AddNode(1, 3);
    G.AddCheckBox(2, 1, cbUnchecked);
    G.AddCheckBox(2, 2, false, false);
    G.ToggleCheckBox(2, 1);
    TCheckBoxState State = cbUnchecked;
    G.GetCheckBoxState(2, 1, State);
    EXPECT_EQ(State, cbGrayed);
    EXPECT_FALSE(G.IsChecked(2, 2));
}
