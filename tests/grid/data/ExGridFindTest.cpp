// Finding in the string grid: the cell test, the scan order and bounds,
// going to the found cell, the type-ahead search, replacing, and the
// highlight and mark tags over their ranges.
#include "grid/control/ExGridTestForm.h"

#include <functional>

namespace {

const TPoint None{-1, -1};

// One fixed row and column; Cols x Rows data cells, all empty.
class ExGridFindTest : public ::testing::Test {
protected:
    void Make(Integer Cols, Integer Rows)
    {
        G.SetColCount(Cols + 1);
        G.SetRowCount(Rows + 1);
        G.SetFixedCols(1);
        G.SetFixedRows(1);
        for (Integer R = 0; R <= Rows; ++R)
            for (Integer C = 0; C <= Cols; ++C)
                G.SetCells(C, R, String());
    }
    TPoint FindFrom(TPoint Start, const String& s, TFindParams P = {})
    {
        return G.Find(Start, s, P);
    }
    TPoint First(const String& s, TFindParams P = {}) { return FindFrom(None, s, P); }

    TExGridForm F;
    TTestExGrid& G = *F.Grid;
};

struct TMatchCase {
    const char* Cell;
    const char* Search;
    TFindParams Params;
    bool Found;
};

} // namespace

TEST_F(ExGridFindTest, TheCellTest)
{
    const TMatchCase Cases[] = {
        {"xABCx", "abc", {}, true},
        {"xABCx", "abc", fnMatchStart, false},
        {"ABCx", "abc", fnMatchStart, true},
        {"AbC", "abc", fnMatchFull, true},
        {"xabc", "abc", fnMatchFull, false},
        {"ABC", "abc", {fnMatchFull, fnMatchCase}, false},
        {"abc", "abc", {fnMatchFull, fnMatchCase}, true},
        {"xABCx", "abc", fnMatchCase, false},
        {"", "\"\"", {}, true},
        {"a", "\"\"", {}, false},
        {"a", "", {}, false},
        {"", "", {}, false},
        {"<b>abc</b>", "b>a", {}, true},
        {"<b>abc</b>", "b>a", fnIgnoreHTMLTags, false},
        {"<b>abc</b>", "abc", {fnIgnoreHTMLTags, fnMatchFull}, true},
        {"a&b", "&", {}, true},
        {"say \"hi\"", "\"hi", {}, true},
        {"1+1=2", "+1=", {}, true},
        {"a.c", "a.*", {}, false},
        {"[x]", "[x", {}, true},
    };
    Make(1, 1);
    for (const TMatchCase& Case : Cases) {
        G.SetCells(1, 1, QString::fromUtf8(Case.Cell));
        const TPoint Found = First(QString::fromUtf8(Case.Search), Case.Params);
        EXPECT_EQ(Found, Case.Found ? TPoint(1, 1) : None) << Case.Cell << " / " << Case.Search;
        EXPECT_EQ(G.FindBusy(), Case.Found);
    }
}

TEST_F(ExGridFindTest, ColumnOrderAndRowOrderAndNoWrapAround)
{
    Make(2, 2);
    for (Integer R = 1; R <= 2; ++R)
        for (Integer C = 1; C <= 2; ++C)
            G.SetCells(C, R, "x");
    EXPECT_EQ(G.FindFirst("x", {}), TPoint(1, 1));
    EXPECT_EQ(G.FindNext(), TPoint(1, 2));
    EXPECT_EQ(G.FindNext(), TPoint(2, 1));
    EXPECT_EQ(G.FindFirst("x", fnDirectionLeftRight), TPoint(1, 1));
    EXPECT_EQ(G.FindNext(), TPoint(2, 1));
    EXPECT_EQ(G.FindNext(), TPoint(1, 2));
    // Past the last match: none, then the scan starts over.
    G.SetCells(2, 2, "y");
    EXPECT_EQ(G.FindNext(), None);
    EXPECT_EQ(G.SearchCell(), None);
    EXPECT_EQ(G.FindNext(), TPoint(1, 1));
    // Backwards from the bottom right.
    EXPECT_EQ(G.FindFirst("x", fnBackward), TPoint(2, 1));
    EXPECT_EQ(G.FindNext(), TPoint(1, 2));
}

TEST_F(ExGridFindTest, TheIgnoreListCountsInRowOrderOnly)
{
    Make(2, 1);
    G.SetCells(1, 1, "x");
    G.SetCells(2, 1, "x");
    G.IgnoreColumns()->Add(1);
    EXPECT_EQ(First("x", fnDirectionLeftRight), TPoint(2, 1));
    EXPECT_EQ(First("x"), TPoint(1, 1));
}

TEST_F(ExGridFindTest, BoundsOfTheScan)
{
    Make(3, 4);
    G.SetFixedFooters(1);  // row 4
    G.SetCells(0, 0, "t");
    G.SetCells(2, 4, "t");
    EXPECT_EQ(First("t"), None);
    EXPECT_EQ(First("t", fnIncludeFixed), TPoint(0, 0));
    EXPECT_EQ(FindFrom({0, 0}, "t", fnIncludeFixed), TPoint(2, 4));

    G.SetCells(1, 1, "s");
    G.SetCells(3, 3, "s");
    TGridRect Sel{2, 2, 3, 3};
    G.SetSelection(Sel);
    EXPECT_EQ(First("s", fnSelectedCells), TPoint(3, 3));
    G.SetFindCol(3);
    EXPECT_EQ(First("s", fnFindInPresetCol), TPoint(3, 3));
    G.SetFindRow(1);
    EXPECT_EQ(First("s", fnFindInPresetRow), TPoint(1, 1));
    EXPECT_EQ(First("s", {fnFindInPresetRow, fnFindInPresetCol}), None);
    G.MoveToCell(3, 2);
    EXPECT_EQ(First("s", fnFindInCurrentCol), TPoint(3, 3));
    EXPECT_EQ(First("s", fnFindInCurrentRow), None);
}

TEST_F(ExGridFindTest, HiddenRowsAndColumnsAreScannedOnlyWhenAsked)
{
    Make(3, 3);
    G.SetCells(2, 2, "h");
    G.HideRow(2);
    EXPECT_EQ(First("h"), None);
    EXPECT_EQ(First("h", fnIncludeHiddenRows), TPoint(2, 2));  // real row
    G.UnHideRow(2);
    G.HideColumn(2);
    EXPECT_EQ(First("h"), None);
    EXPECT_EQ(First("h", fnIncludeHiddenColumns), TPoint(2, 2));  // real column
    // Display columns otherwise: real column 3 shows as column 2.
    G.SetCells(3, 1, "d");
    EXPECT_EQ(First("d"), TPoint(2, 1));
}

TEST_F(ExGridFindTest, AutoGotoExpandsTheNodeOfAHiddenRow)
{
    Make(2, 5);
    G.AddNode(2, 3);  // rows 3 and 4 under row 2
    G.SetCells(1, 4, "deep");
    G.ContractNode(2);
    ASSERT_TRUE(G.IsHiddenRow(4));
    TPoint Start = None;
    const TPoint Found = G.Find(Start, "deep", {fnIncludeHiddenRows, fnAutoGoto});
    EXPECT_EQ(Found, TPoint(1, 4));
    EXPECT_FALSE(G.IsHiddenRow(4));
    EXPECT_EQ(G.Row(), 4);
    EXPECT_EQ(G.Col(), 1);
}

TEST_F(ExGridFindTest, AutoGotoMakesTheFoundCellCurrentAndInView)
{
    Make(2, 200);
    G.SetCells(2, 150, "far");
    TPoint Start = None;
    EXPECT_EQ(G.Find(Start, "far", fnAutoGoto), TPoint(2, 150));
    EXPECT_EQ(G.Row(), 150);
    EXPECT_EQ(G.Col(), 2);
    EXPECT_GE(G.Row(), G.TopRow());
    // The scroll rule leaves a row below the found one in view.
    EXPECT_LE(G.Row(), G.TopRow() + G.VisibleRowCount() - 2);
    // With disjunct row selection the row is selected.
    G.MouseActions()->SetDisjunctRowSelect(true);
    G.SetCells(1, 20, "near");
    Start = None;
    G.Find(Start, "near", fnAutoGoto);
    EXPECT_EQ(G.Row(), 20);
    EXPECT_TRUE(G.RowSelect(20));
}

TEST_F(ExGridFindTest, TypeAheadSearchColumn)
{
    Make(3, 3);
    const QStringList Col1{"apple", "banana", "cherry"};
    const QStringList Col2{"<b>zed</b>", "yak", "xylo"};
    for (Integer R = 0; R < 3; ++R) {
        G.SetCells(1, R + 1, Col1[R]);
        G.SetCells(2, R + 1, Col2[R]);
    }
    EXPECT_EQ(G.Search("BAN"), 2);  // the first data column
    EXPECT_EQ(G.Search("Q"), -1);
    G.SortSettings()->SetShow(true);
    G.SortSettings()->SetColumn(2);
    EXPECT_EQ(G.Search("ZE"), 1);  // tags left out
    G.SortSettings()->SetColumn(-1);
    EXPECT_EQ(G.Search("A"), -1);
    G.SortSettings()->SetIndexShow(true);
    EXPECT_EQ(G.Search("CH"), 3);  // empty index list: first data column
    G.SortIndexes()->AddIndex(2, true);
    EXPECT_EQ(G.Search("XY"), 3);
    G.SetRowCount(1);
    EXPECT_EQ(G.Search("A"), -1);
}

TEST_F(ExGridFindTest, ReplaceCountsCellsAndKeepsTheCaseItIsTold)
{
    Make(1, 5);
    const QStringList Texts{"a", "A", "bAa", "c", "aA"};
    for (Integer R = 0; R < 5; ++R)
        G.SetCells(1, R + 1, Texts[R]);
    EXPECT_EQ(G.Replace("a", "b", fnMatchCase), 3);
    EXPECT_EQ(F.Column(1), " b A bAb c bA");
    EXPECT_EQ(G.Replace("a", "b", {}), 3);
    EXPECT_EQ(F.Column(1), " b b bbb c bb");
    EXPECT_EQ(G.Replace("q", "b", {}), 0);
    // A new text that holds the old one still ends.
    EXPECT_EQ(G.Replace("c", "cc", {}), 1);
    EXPECT_EQ(G.Cells(1, 4), "cc");
    G.ShowModified()->SetEnabled(true);
    EXPECT_EQ(G.Replace("cc", "d", {}), 1);
    EXPECT_TRUE(G.RowModified(4));
    EXPECT_FALSE(G.RowModified(3));
}

TEST_F(ExGridFindTest, HighlightingEscapesTheTextAndRemovingRestoresIt)
{
    Make(2, 1);
    G.SetCells(1, 1, "a<x");
    G.SetCells(2, 1, "a<b");
    G.HilightInCell(false, 1, 1, "x");
    EXPECT_EQ(G.Cells(1, 1), "a&lt;<hi>x</hi>");
    G.UnHilightInCell(1, 1);
    EXPECT_EQ(G.Cells(1, 1), "a<x");
    // Search texts with markup characters are escaped the same way.
    G.HilightInRow(false, false, 1, "<b");
    EXPECT_EQ(G.Cells(2, 1), "a<hi>&lt;b</hi>");
    G.UnHilightInRow(false, 1);
    EXPECT_EQ(G.Cells(2, 1), "a<b");
    // Case and the text functions.
    EXPECT_EQ(G.HilightText(true, "aAa", "A"), "a<hi>A</hi>a");
    EXPECT_EQ(G.HilightText(false, "aAa", "A"), "<hi>a</hi><hi>A</hi><hi>a</hi>");
    EXPECT_EQ(G.UnHilightText("<HI>a</hi>"), "a");
    EXPECT_EQ(G.MarkText(false, "abc", "b"), "a<e>b</e>c");
    EXPECT_EQ(G.UnMarkText("a<E>b</e>c"), "abc");
}

namespace {

struct TRangeCase {
    const char* Name;
    std::function<void(TExStringGrid&)> Apply;
    const char* Changed;  // "c,r" of the changed cells, rows outer
};

} // namespace

TEST_F(ExGridFindTest, TheRangesOfTheTagOperations)
{
    // Columns: 0 fixed, 1 and 2 data, 3 fixed right; rows: 0 fixed, 1 and
    // 2 data, 3 footer.
    const auto Setup = [&](const String& Text) {
        Make(3, 3);
        G.SetFixedRightCols(1);
        G.SetFixedFooters(1);
        for (Integer R = 0; R < 4; ++R)
            for (Integer C = 0; C < 4; ++C)
                G.SetCells(C, R, Text);
    };
    const auto Changed = [&](const String& Text) {
        QStringList Cells;
        for (Integer R = 0; R < 4; ++R)
            for (Integer C = 0; C < 4; ++C)
                if (G.Cells(C, R) != Text)
                    Cells << QStringLiteral("%1,%2").arg(C).arg(R);
        return Cells.join(u' ');
    };
    const TRangeCase Inserting[] = {
        {"HilightInCell", [](TExStringGrid& g) { g.HilightInCell(false, 2, 3, "x"); }, "2,3"},
        {"MarkInCell", [](TExStringGrid& g) { g.MarkInCell(false, 0, 0, "x"); }, "0,0"},
        {"HilightInCol data", [](TExStringGrid& g) { g.HilightInCol(false, false, 2, "x"); }, "2,1 2,2"},
        {"MarkInCol all", [](TExStringGrid& g) { g.MarkInCol(true, false, 2, "x"); }, "2,0 2,1 2,2 2,3"},
        {"HilightInRow data", [](TExStringGrid& g) { g.HilightInRow(false, false, 1, "x"); }, "1,1 2,1"},
        {"MarkInRow all", [](TExStringGrid& g) { g.MarkInRow(true, false, 3, "x"); }, "0,3 1,3 2,3 3,3"},
        {"HilightInGrid data", [](TExStringGrid& g) { g.HilightInGrid(false, false, "x"); }, "1,1 2,1 1,2 2,2"},
        {"MarkInGrid data", [](TExStringGrid& g) { g.MarkInGrid(false, false, "x"); }, "1,1 2,1 1,2 2,2"},
        {"HilightInGrid all", [](TExStringGrid& g) { g.HilightInGrid(true, false, "x"); },
         "0,0 1,0 2,0 3,0 0,1 1,1 2,1 3,1 0,2 1,2 2,2 3,2 0,3 1,3 2,3 3,3"},
        {"case kept", [](TExStringGrid& g) { g.HilightInGrid(false, true, "X"); }, ""},
        {"outside the grid", [](TExStringGrid& g) { g.HilightInCell(false, 9, -4, "x"); }, ""},
    };
    for (const TRangeCase& Case : Inserting) {
        Setup("x");
        Case.Apply(G);
        EXPECT_EQ(Changed("x"), Case.Changed) << Case.Name;
    }
    const TRangeCase Removing[] = {
        {"UnHilightInCell", [](TExStringGrid& g) { g.UnHilightInCell(1, 1); }, "1,1"},
        {"UnHilightInCol data", [](TExStringGrid& g) { g.UnHilightInCol(false, 0); }, "0,1 0,2"},
        {"UnHilightInRow data", [](TExStringGrid& g) { g.UnHilightInRow(false, 2); }, "1,2 2,2"},
        {"UnHilightInRow all", [](TExStringGrid& g) { g.UnHilightInRow(true, 0); }, "0,0 1,0 2,0 3,0"},
        {"UnHilightInGrid data", [](TExStringGrid& g) { g.UnHilightInGrid(false); }, "1,1 2,1 1,2 2,2"},
        {"UnMarkInGrid leaves hi", [](TExStringGrid& g) { g.UnMarkInGrid(true); }, ""},
    };
    for (const TRangeCase& Case : Removing) {
        Setup("<hi>x</hi>");
        Case.Apply(G);
        EXPECT_EQ(Changed("<hi>x</hi>"), Case.Changed) << Case.Name;
    }
}

TEST_F(ExGridFindTest, MergedAwayCellsAreNotTagged)
{
    Make(2, 1);
    G.SetCells(1, 1, "x");
    G.SetCells(2, 1, "x");
    G.MergeCells(1, 1, 2, 1);
    G.HilightInRow(false, false, 1, "x");
    EXPECT_EQ(G.GridCells(1, 1), "<hi>x</hi>");
    EXPECT_EQ(G.GridCells(2, 1), "x");
}
