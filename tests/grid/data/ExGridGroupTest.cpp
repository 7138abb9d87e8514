// Grouping the rows of the string grid: header, data and summary rows,
// their looks, the per-group values, and taking the grouping apart again.
#include "grid/control/ExGridTestForm.h"

#include <cmath>

namespace {

// One fixed row and column; each data row "a|b|c" fills columns 1 to 3.
class ExGridGroupTest : public ::testing::Test {
protected:
    void Rows(const QStringList& Data)
    {
        G.SetColCount(4);
        G.SetRowCount(Data.size() + 1);
        G.SetFixedRows(1);
        G.SetFixedCols(1);
        for (Integer C = 1; C < 4; ++C)
            G.SetCells(C, 0, QStringLiteral("H%1").arg(C));
        for (Integer R = 0; R < Data.size(); ++R) {
            const QStringList Cells = Data[R].split(u'|');
            for (Integer C = 0; C < Cells.size(); ++C)
                G.SetCells(C + 1, R + 1, Cells[C]);
        }
    }
    // Each row below the fixed one: "N<span>:<column 1>", "S" for a
    // summary row, else the texts of columns 1 .. ColCount-1 joined by "|".
    String Layout()
    {
        QStringList Out;
        for (Integer R = 1; R < G.RowCount(); ++R) {
            if (G.IsNode(R)) {
                Out << QStringLiteral("N%1:%2").arg(G.GetNodeSpan(R)).arg(G.Cells(1, R));
            } else if (G.IsSummary(R)) {
                Out << QStringLiteral("S");
            } else {
                QStringList Cells;
                for (Integer C = 1; C < G.ColCount(); ++C)
                    Cells << G.Cells(C, R);
                Out << Cells.join(u'|');
            }
        }
        return Out.join(u' ');
    }

    TExGridForm F;
    TTestExGrid& G = *F.Grid;
};

} // namespace

TEST_F(ExGridGroupTest, HeadersSpanTheirGroupsAndSummariesCloseThem)
{
    Rows({"A|1|p", "B|2|q", "A|3|r"});
    G.Grouping()->SetSummary(true);
    G.Group(1);
    EXPECT_EQ(G.GroupColumn(), 1);
    EXPECT_EQ(G.ColCount(), 3);
    // The header text shows in column 1 once the grouping column is gone.
    EXPECT_EQ(Layout(), "N3:A 1|p 3|r S N2:B 2|q S");
    EXPECT_EQ(G.Cells(1, 0), "H2");
}

TEST_F(ExGridGroupTest, OneValueOneGroupAndCaseMakesGroups)
{
    Rows({"x|1|", "x|2|", "x|3|"});
    G.Group(1);
    EXPECT_EQ(Layout(), "N4:x 1| 2| 3|");
    G.UnGroup();
    Rows({"a|1|", "A|2|", "a|3|"});
    G.Group(1);
    EXPECT_EQ(G.RowCount(), 6);
    EXPECT_TRUE(G.IsNode(1));
    EXPECT_NE(G.Cells(1, 1), G.Cells(1, G.GetNodeSpan(1) + 1));
}

TEST_F(ExGridGroupTest, GroupingAnInnerColumn)
{
    Rows({"1|K|p", "2|L|q"});
    G.Group(2);
    EXPECT_EQ(Layout(), "N2:K 1|p N2:L 2|q");
}

TEST_F(ExGridGroupTest, HeaderAndSummaryLooks)
{
    Rows({"A|1|", "B|2|"});
    TGrouping& Look = *G.Grouping();
    Look.SetSummary(true);
    Look.SetHeaderColor(clRed);
    Look.SetHeaderTextColor(clWhite);
    Look.SetSummaryColor(clYellow);
    G.Group(1);
    EXPECT_EQ(G.Colors(2, 1), clRed);
    EXPECT_EQ(G.Colors(2, 3), clYellow);
    EXPECT_FALSE(G.IsMergedCell(1, 1));
    G.UnGroup();
    Look.SetMergeHeader(true);
    Look.SetMergeSummary(true);
    G.Group(1);
    EXPECT_EQ(Layout(), "N2:A 1| S N2:B 2| S");
    for (Integer R : {1, 3, 4, 6}) {
        EXPECT_TRUE(G.IsMergedCell(1, R)) << R;
        EXPECT_EQ(G.CellSpan(1, R).X, G.ColCount() - 2) << R;
    }
    EXPECT_EQ(G.Colors(1, 1), clRed);
    EXPECT_EQ(G.Colors(1, 3), clYellow);
    EXPECT_FALSE(G.IsMergedCell(1, 2));
}

TEST_F(ExGridGroupTest, GroupCountAndSumIntoHeadersOrSummaries)
{
    Rows({"A|1|", "A|x|", "B|1|", "B|2|", "B|3|", "C|5|"});
    G.Group(1);
    // Column 1 now holds the numbers.
    G.GroupCount(1);
    EXPECT_EQ(Layout(), "N3:2 1| x| N4:3 1| 2| 3| N2:1 5|");
    G.ContractNode(4);
    G.GroupSum(1);
    EXPECT_EQ(G.Floats(1, 1), 1);  // 1 + x
    EXPECT_EQ(G.Cells(1, 4), "3");   // contracted: left as it was
    G.UnGroup();
    G.Grouping()->SetSummary(true);
    Rows({"A|1|", "A|x|", "A|2|", "B|4|"});
    G.Group(1);
    G.GroupSum(1);
    EXPECT_EQ(G.Floats(1, 5), 3);
    EXPECT_EQ(G.Floats(1, 8), 4);
    G.GroupCount(1);
    EXPECT_EQ(G.Cells(1, 5), "3");
    EXPECT_EQ(G.Cells(1, 8), "1");
}

TEST_F(ExGridGroupTest, GroupValuesOfEveryMethod)
{
    Rows({"A|2|", "A|4|", "A|4|"});
    G.Group(1);
    const struct {
        Integer Method;
        Double Value;
    } Cases[] = {{1, 10}, {2, 10.0 / 3}, {3, 2}, {4, 4}, {5, 3}, {6, 0}, {7, 2}, {8, std::sqrt(8.0 / 9)}};
    G.SetFloatFormat("%.6f");
    for (const auto& Case : Cases) {
        G.GroupCalc(1, Case.Method);
        EXPECT_NEAR(G.Floats(1, 1), Case.Value, 1e-5) << Case.Method;
    }
    G.OnGroupCalc = [](TObject*, Integer, Integer FromRow, Integer ToRow, Double& Res) { Res = FromRow * 10 + ToRow; };
    G.GroupCustomCalc(1);
    EXPECT_NEAR(G.Floats(1, 1), 24, 1e-9);
    G.SetCells(1, 1, "kept");
    G.GroupCalc(1, 9);
    G.GroupCalc(7, 1);
    EXPECT_EQ(G.Cells(1, 1), "kept");
}

TEST_F(ExGridGroupTest, UnGroupRestoresTheColumnAndRemovesTheGroupRows)
{
    Rows({"B|1|p", "A|2|q", "B|3|r"});
    G.SetFixedFooters(0);
    G.SetRowCount(5);
    G.SetFixedFooters(1);
    G.SetCells(1, 4, "foot");
    G.SetColWidths(1, 77);
    G.Grouping()->SetSummary(true);
    G.Grouping()->SetHeaderColor(clRed);
    G.Group(1);
    G.UnGroup();
    EXPECT_EQ(G.GroupColumn(), -1);
    EXPECT_EQ(G.ColCount(), 4);
    EXPECT_EQ(G.ColWidths(1), 77);
    EXPECT_EQ(G.Cells(1, 0), "H1");
    EXPECT_EQ(G.Cells(1, G.RowCount() - 1), "foot");
    // Sorted by the grouping.
    EXPECT_EQ(Layout(), "A|2|q B|1|p B|3|r foot||");
    for (Integer R = 0; R < G.RowCount(); ++R)
        EXPECT_NE(G.Colors(2, R), clRed) << R;
}

TEST_F(ExGridGroupTest, TheGroupColumnSetter)
{
    Rows({"A|1|", "B|2|"});
    G.SetGroupColumn(0);
    EXPECT_EQ(G.GroupColumn(), -1);
    EXPECT_EQ(G.RowCount(), 3);
    G.SetGroupColumn(2);
    EXPECT_EQ(G.GroupColumn(), 2);
    EXPECT_EQ(G.RowCount(), 5);
    G.SetGroupColumn(1);  // regroups on another column
    EXPECT_EQ(G.GroupColumn(), 1);
    EXPECT_EQ(Layout(), "N2:A 1| N2:B 2|");
    G.SetGroupColumn(-1);
    EXPECT_EQ(G.GroupColumn(), -1);
    EXPECT_EQ(Layout(), "A|1| B|2|");
    // Fixed columns and grids without data rows are left alone.
    G.Group(0);
    EXPECT_EQ(G.GroupColumn(), -1);
    G.UnGroup();
    EXPECT_EQ(Layout(), "A|1| B|2|");
}

TEST_F(ExGridGroupTest, ColumnZeroWithoutFixedColumnsComesBack)
{
    Rows({"A|1|", "B|2|"});
    G.SetFixedCols(0);
    G.SetCells(0, 1, "k");
    G.SetCells(0, 2, "j");
    G.Group(0);
    EXPECT_EQ(G.GroupColumn(), 0);
    EXPECT_EQ(G.ColCount(), 3);
    EXPECT_TRUE(G.IsNode(1));
    G.UnGroup();
    EXPECT_EQ(G.GroupColumn(), -1);
    EXPECT_EQ(G.ColCount(), 4);
    EXPECT_EQ(G.RowCount(), 3);
    EXPECT_EQ(G.Cells(0, 1), "j");
    EXPECT_EQ(G.Cells(1, 1), "B");
    EXPECT_FALSE(G.IsNode(1));
}

TEST_F(ExGridGroupTest, SubGroupsInsideGroupsComeApartAsTheyWere)
{
    Rows({"A|x|1", "A|x|2", "A|y|3", "B|x|4"});
    G.SetColWidths(1, 55);
    G.Group(1);
    const String Grouped = Layout();
    ASSERT_EQ(Grouped, "N4:A x|1 x|2 y|3 N2:B x|4");
    G.SubGroup(1);
    // Sub-headers carry the value in the next column; the column is emptied.
    EXPECT_EQ(Layout(), "N6:A N3: |1 |2 N2: |3 N3:B N2: |4");
    EXPECT_EQ(G.Cells(2, 2), "x");
    EXPECT_EQ(G.Cells(2, 5), "y");
    // The grouping keeps its own column.
    EXPECT_EQ(G.GroupColumn(), 1);
    G.SubUnGroup(1);
    EXPECT_EQ(Layout(), Grouped);
    G.UnGroup();
    EXPECT_EQ(Layout(), "A|x|1 A|x|2 A|y|3 B|x|4");
    EXPECT_EQ(G.ColWidths(1), 55);
    EXPECT_EQ(G.Cells(1, 0), "H1");
}

TEST_F(ExGridGroupTest, ASubGroupLeavesTheFooterRowsAlone)
{
    Rows({"x|1|", "x|2|", "y|3|", "sum|6|"});
    G.SetFixedFooters(1);
    G.Grouping()->SetSummary(true);
    G.SubGroup(1);
    EXPECT_EQ(G.GroupColumn(), 1);
    EXPECT_EQ(Layout(), "N3: |1| |2| N2: |3| S sum|6|");
    EXPECT_EQ(G.Cells(2, 1), "x");
    G.SubUnGroup(1);
    EXPECT_EQ(Layout(), "x|1| x|2| y|3| S sum|6|");
}
