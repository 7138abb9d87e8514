// The string grid's own row, selection, fixed-edit and cell value hooks.
#include "ExGridTestForm.h"

#include "rtl/Classes.h"

namespace {

class ExGridRowHooksTest : public ::testing::Test {
protected:
    ExGridRowHooksTest()
    {
        G.SetColCount(3);
        G.SetRowCount(2);
        G.SetFixedRows(1);
        G.SetCells(1, 1, QStringLiteral("only"));
        G.OnAutoDeleteRow = [this](TObject*, Integer ARow) { Deleted.push_back(ARow); };
    }

    TExGridForm F;
    TTestExGrid& G = *F.Grid;
    std::vector<Integer> Deleted;
};

} // namespace

TEST_F(ExGridRowHooksTest, TheOnlyDataRowIsClearedUnlessFixedRowAlways)
{
    G.DoDeleteRow(1);
    EXPECT_EQ(G.RowCount(), 2);
    EXPECT_EQ(G.Cells(1, 1), "");
    EXPECT_EQ(Deleted, std::vector<Integer>{1});

    G.SetCells(1, 1, QStringLiteral("only"));
    G.SetFixedRowAlways(true);
    G.DoDeleteRow(1);
    EXPECT_EQ(G.RowCount(), 1);
    EXPECT_EQ(Deleted.size(), 2u);
}

TEST_F(ExGridRowHooksTest, OtherRowsAreRemovedAndInsertedRowsAreEmpty)
{
    G.SetRowCount(4);
    G.SetCells(1, 2, QStringLiteral("two"));
    G.SetCells(1, 3, QStringLiteral("three"));
    G.DoDeleteRow(2);
    EXPECT_EQ(F.Column(1), " only three");
    G.DoInsertRow(1);
    EXPECT_EQ(F.Column(1), "  only three");
    // A footer row does not count as a data row.
    G.SetRowCount(3);
    G.SetFixedFooters(1);
    G.DoDeleteRow(1);
    EXPECT_EQ(G.RowCount(), 3);
}

TEST_F(ExGridRowHooksTest, WithNodesRowsGoUnderTheirNodes)
{
    G.SetRowCount(5);
    G.AddNode(1, 3);
    G.DoInsertRow(2);
    EXPECT_EQ(G.GetNodeSpan(1), 4);
    G.DoInsertRow(4 + 1);  // outside the node
    EXPECT_EQ(G.GetNodeSpan(1), 4);
    EXPECT_EQ(G.RowCount(), 7);
    G.DoDeleteRow(3);
    EXPECT_EQ(G.GetNodeSpan(1), 3);
    G.DoDeleteRow(5);
    EXPECT_EQ(G.RowCount(), 5);
    EXPECT_EQ(Deleted, (std::vector<Integer>{3, 5}));
}

TEST_F(ExGridRowHooksTest, CheckBoxCellsSaveTheirCheckTexts)
{
    G.SetCheckTrue(QStringLiteral("Y"));
    G.SetCheckFalse(QStringLiteral("N"));
    G.AddCheckBox(2, 1, false, false);
    EXPECT_EQ(G.GetSaveCell(2, 1), "N");
    G.SetCheckBoxState(2, 1, true);
    EXPECT_EQ(G.GetSaveCell(2, 1), "Y");
    G.AddCheckBox(2, 1, cbGrayed);
    EXPECT_EQ(G.GetSaveCell(2, 1), "N");
    G.SetCheckBoxState(2, 1, cbChecked);
    EXPECT_EQ(G.GetSaveCell(2, 1), "Y");
    // A box with a text saves the text.
    G.SetCells(2, 1, QStringLiteral("label"));
    EXPECT_EQ(G.GetSaveCell(2, 1), "label");
}

TEST_F(ExGridRowHooksTest, MarkupIsSavedOnlyWhenAsked)
{
    G.SetCells(1, 1, QStringLiteral("<b>word</b>"));
    G.SetSaveWithHTML(false);
    EXPECT_EQ(G.GetSaveCell(1, 1), "word");
    G.SetSaveWithHTML(true);
    EXPECT_EQ(G.GetSaveCell(1, 1), "<b>word</b>");

    const String Rtf = QStringLiteral("{\\rtf1 one\\par\r\ntwo}");
    G.SetCells(1, 1, Rtf);
    EXPECT_EQ(G.GetSaveCell(1, 1), "one\rtwo");
    G.SetSaveWithRTF(true);
    EXPECT_EQ(G.GetSaveCell(1, 1), "{\\rtf1 one\\partwo}");
}

TEST_F(ExGridRowHooksTest, SaveAndLoadEventsMayChangeTheValue)
{
    G.OnSaveCell = [](TObject*, Integer ACol, Integer ARow, String& Value) {
        Value += QStringLiteral("@%1,%2").arg(ACol).arg(ARow);
    };
    EXPECT_EQ(G.GetSaveCell(1, 1), "only@1,1");
    G.OnLoadCell = [](TObject*, Integer, Integer, String& Value) { Value = Value.toUpper(); };
    G.PutLoadCell(2, 1, QStringLiteral("<b>x</b>"));
    EXPECT_EQ(G.GetGridCell(2, 1), "<B>X</B>");
    EXPECT_EQ(G.GetCompareCell(2, 1), "<B>X</B>");
}

TEST_F(ExGridRowHooksTest, FixedEditAndSelectionEventsSeeTheirArguments)
{
    G.OnFixedEdit = [](TObject*, Integer ACol, Integer ARow, TGridFixedCellEditor& AEditor, TStrings* Values) {
        if (ACol == 1 && ARow == 0) {
            AEditor = fceComboList;
            Values->Add(QStringLiteral("a"));
        }
    };
    TGridFixedCellEditor Editor = fceEdit;
    TStringList Values;
    G.DoFixedEdit(1, 0, Editor, &Values);
    EXPECT_EQ(Editor, fceComboList);
    EXPECT_EQ(Values.Count(), 1);

    std::vector<Integer> Seen;
    G.OnSelectionChanged = [&Seen](TObject*, Integer L, Integer T, Integer R, Integer B) { Seen = {L, T, R, B}; };
    G.SetLook(glVista);
    G.DoSelectionChanged(1, 2, 3, 4);
    EXPECT_EQ(Seen, (std::vector<Integer>{1, 2, 3, 4}));

    bool Done = false;
    G.OnFilterDone = [&Done](TObject*) { Done = true; };
    G.DoFilterDone();
    EXPECT_TRUE(Done);
}
