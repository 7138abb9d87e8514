// Fitting columns and rows to their cells, sharing the width, numbering and
// swapping.
#include "ExGridTestForm.h"

#include "rtl/Windows.h"

#include <numeric>

namespace {

class TSizingGrid : public TTestExGrid {
public:
    using TTestExGrid::TTestExGrid;
    void ExportNotification(Integer State, Integer Row) override
    {
        States.push_back(State);
        TTestExGrid::ExportNotification(State, Row);
    }

    std::vector<Integer> States;
};

// A 4 x 5 grid with one fixed row and column, on a form 600 x 400.
struct TSizingForm {
    TSizingForm()
    {
        Form->SetClientWidth(600);
        Form->SetClientHeight(400);
        Grid = new TSizingGrid(Form.get());
        Grid->SetParent(Form.get());
        Grid->SetBounds(0, 0, 500, 300);
        Grid->SetColCount(4);
        Grid->SetRowCount(5);
    }
    // The widest text of a display column as the grid measures it.
    Integer WidestText(Integer ACol, Integer FirstRow, Integer LastRow) const
    {
        Integer W = 0;
        for (Integer R = FirstRow; R <= LastRow; ++R)
            W = std::max<Integer>(W, Grid->MeasureCellText(ACol, ACol, R, false, false).cx);
        return W;
    }
    Integer SumOfWidths() const
    {
        Integer Sum = 0;
        for (Integer C = 0; C < Grid->ColCount(); ++C)
            Sum += Grid->ColWidths(C);
        return Sum;
    }

    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TSizingGrid* Grid = nullptr;
};

} // namespace

// ---------------------------------------------------------------- columns

TEST(ExGridSizing, AColumnFitsItsWidestTextWithMarginsAndLines)
{
    struct Case {
        TPoint Offset;
        bool TopLeftOnly;
        Integer LineWidth, Extra;
    };
    // Extra: the margin (doubled unless top-left only) + 2 x line width + 2.
    for (const Case& K : {Case{{2, 2}, false, 1, 8}, Case{{2, 2}, true, 1, 6}, Case{{3, 1}, false, 2, 12}}) {
        TSizingForm F;
        F.Grid->SetXYOffset(K.Offset);
        F.Grid->SetXYOffsetTopLeftOnly(K.TopLeftOnly);
        F.Grid->SetGridLineWidth(K.LineWidth);
        F.Grid->SetCells(1, 2, "a rather long text");
        F.Grid->SetCells(1, 3, "short");
        F.Grid->AutoSizeCol(1);
        const Integer Text = F.WidestText(1, 0, 4);
        ASSERT_GT(Text, 20);
        EXPECT_EQ(F.Grid->ColWidths(1), Text + K.Extra) << K.Extra;
        F.Grid->AutoSizeCol(1, 7);
        EXPECT_EQ(F.Grid->ColWidths(1), Text + K.Extra + 7) << "padding";
    }
}

TEST(ExGridSizing, GrowOnlyNeverNarrowsAndEqualLimitsDoNotLimit)
{
    TSizingForm F;
    F.Grid->SetCells(1, 1, "x");
    F.Grid->SetColWidths(1, 200);
    F.Grid->SetSizeGrowOnly(true);
    F.Grid->AutoSizeCol(1);
    EXPECT_EQ(F.Grid->ColWidths(1), 200);
    F.Grid->SetSizeGrowOnly(false);
    F.Grid->AutoSizeCol(1);
    const Integer Fitted = F.Grid->ColWidths(1);
    EXPECT_LT(Fitted, 200);

    F.Grid->SetMinColWidth(80);
    F.Grid->SetMaxColWidth(80);
    F.Grid->AutoSizeCol(1);
    EXPECT_EQ(F.Grid->ColWidths(1), Fitted) << "equal limits are no limits";
    F.Grid->SetMinColWidth(90);
    F.Grid->SetMaxColWidth(0);
    F.Grid->AutoSizeCol(1);
    EXPECT_EQ(F.Grid->ColWidths(1), 90);
    F.Grid->SetCells(1, 2, "a very very long text that is wider than the limit");
    F.Grid->SetMinColWidth(0);
    F.Grid->SetMaxColWidth(60);
    F.Grid->AutoSizeCol(1);
    EXPECT_EQ(F.Grid->ColWidths(1), 60);
}

TEST(ExGridSizing, RowsMeasuredFollowColumnSizeRowsAndTheEventHasItsSay)
{
    TSizingForm F;
    F.Grid->SetCells(1, 0, "H");
    F.Grid->SetCells(1, 2, "a long text in a data row");
    F.Grid->ColumnSize()->SetRows(arFixed);
    F.Grid->AutoSizeCol(1);
    EXPECT_EQ(F.Grid->ColWidths(1), F.WidestText(1, 0, 0) + 8);
    F.Grid->ColumnSize()->SetRows(arNormal);
    F.Grid->AutoSizeCol(1);
    EXPECT_EQ(F.Grid->ColWidths(1), F.WidestText(1, 1, 4) + 8);

    F.Grid->OnUpdateColumnSize = [](TObject*, Integer, Integer& Width) { Width += 100; };
    F.Grid->AutoSizeCol(1);
    EXPECT_EQ(F.Grid->ColWidths(1), F.WidestText(1, 1, 4) + 108);
}

TEST(ExGridSizing, AutoSizeColumnsLeavesFixedColumnsUnlessAsked)
{
    TSizingForm F;
    for (Integer C = 0; C < 4; ++C)
        F.Grid->SetColWidths(C, 300);
    F.Grid->AutoSizeColumns(false, 0);
    EXPECT_EQ(F.Grid->ColWidths(0), 300);
    EXPECT_LT(F.Grid->ColWidths(1), 300);
    F.Grid->AutoSizeColumns(true, 0);
    EXPECT_LT(F.Grid->ColWidths(0), 300);
}

// ---------------------------------------------------------------- rows

TEST(ExGridSizing, RowsWithoutWordWrapTakeTheirLineCount)
{
    TSizingForm F;
    F.Grid->Font()->SetHeight(-13);
    F.Grid->SetMultilinecells("*");
    F.Grid->SetWordWrap(false);
    F.Grid->SetCells(2, 2, "one\r\ntwo\r\nthree");
    F.Grid->SetCells(1, 3, "single");
    F.Grid->AutoSizeRows(false, 4);
    const std::vector<Integer>& States = F.Grid->States;
    F.Grid->Canvas()->Font()->Assign(F.Grid->Font());
    const Integer H = F.Grid->Canvas()->TextHeight("gh");
    EXPECT_EQ(F.Grid->RowHeights(2), 4 + 3 * (H + H / 8));
    EXPECT_EQ(F.Grid->RowHeights(3), 4 + (H + H / 8));
    EXPECT_EQ(F.Grid->MaxLinesInRow(2), 3);
    ASSERT_FALSE(States.empty());
    EXPECT_EQ(States.front(), esExportStart);
    EXPECT_EQ(States.back(), esExportDone);
    EXPECT_EQ(std::count(States.begin(), States.end(), esExportNextRow), 4);

    F.Grid->SetMultilinecells("");
    EXPECT_EQ(F.Grid->MaxLinesInRow(2), 1);
}

TEST(ExGridSizing, ARowFitsItsTallestCellAndACheckBoxTakesTheDefaultHeight)
{
    TSizingForm F;
    F.Grid->SetWordWrap(false);
    F.Grid->SetMultilinecells("*");
    F.Grid->SetCells(1, 2, "one\r\ntwo");
    F.Grid->SetRowHeights(2, 100);
    F.Grid->AutoSizeRow(2);
    const Integer Fitted = F.Grid->RowHeights(2);
    EXPECT_EQ(Fitted, F.Grid->MeasureCellText(1, 1, 2, false, false).cy + 4 + 2);
    F.Grid->SetSizeGrowOnly(true);
    F.Grid->SetRowHeights(2, 100);
    F.Grid->AutoSizeRow(2);
    EXPECT_EQ(F.Grid->RowHeights(2), 100);

    F.Grid->SetSizeGrowOnly(false);
    F.Grid->AddCheckBox(2, 3, true, false);
    F.Grid->AutoSizeRow(3);
    EXPECT_EQ(F.Grid->RowHeights(3), F.Grid->DefaultRowHeight() + 4 + 2);
    // A column left out of row fitting.
    F.Grid->IgnoreColumns()->Add(2);
    F.Grid->AutoSizeRow(3);
    EXPECT_LT(F.Grid->RowHeights(3), F.Grid->DefaultRowHeight() + 4 + 2);
}

TEST(ExGridSizing, CellsFitWidthsAndGrowRows)
{
    TSizingForm F;
    F.Grid->SetCells(2, 3, "a longer text here");
    F.Grid->SetRowHeights(3, 5);
    F.Grid->AutoSizeCells(false, 3, 1);
    EXPECT_EQ(F.Grid->ColWidths(2), F.WidestText(2, 1, 4) + 3 + 2);
    EXPECT_EQ(F.Grid->RowHeights(3), F.Grid->MeasureCellText(2, 2, 3, false, false).cy + 1 + 2);
}

// ---------------------------------------------------------------- sharing the width

TEST(ExGridSizing, FittedColumnsAndAllowancesAddUpToTheWidth)
{
    TSizingForm F;
    F.Grid->SetScrollBars(ssNone);
    F.Grid->SetBorderStyle(bsNone);
    const std::vector<Integer> Start{40, 33, 57, 71};
    for (Integer C = 0; C < 4; ++C)
        F.Grid->SetColWidths(C, Start[C]);
    F.Grid->AutoFitColumns(false);
    EXPECT_EQ(F.Grid->ColWidths(0), 40) << "a fixed column keeps its width";
    EXPECT_EQ(F.SumOfWidths(), F.Grid->Width());
    EXPECT_LT(F.Grid->ColWidths(1), F.Grid->ColWidths(2));
    EXPECT_LT(F.Grid->ColWidths(2), F.Grid->ColWidths(3));

    // Filled already: nothing changes.
    const std::vector<Integer> Filled{F.Grid->ColWidths(0), F.Grid->ColWidths(1), F.Grid->ColWidths(2),
                                      F.Grid->ColWidths(3)};
    F.Grid->AutoFitColumns(false);
    for (Integer C = 0; C < 4; ++C)
        EXPECT_EQ(F.Grid->ColWidths(C), Filled[C]);

    // A single border with its 3-D look and a scroll bar always shown.
    F.Grid->SetBorderStyle(bsSingle);
    F.Grid->SetScrollBarAlways(saVert);
    F.Grid->AutoFitColumns(true);
    EXPECT_EQ(F.SumOfWidths() + GetSystemMetrics(SM_CXVSCROLL) + 4, F.Grid->Width());
}

TEST(ExGridSizing, FittedColumnsOfWidthZeroGetEqualShares)
{
    TSizingForm F;
    F.Grid->SetScrollBars(ssNone);
    F.Grid->SetBorderStyle(bsNone);
    F.Grid->SetColWidths(0, 30);
    for (Integer C = 1; C < 4; ++C)
        F.Grid->SetColWidths(C, 0);
    ASSERT_NO_THROW(F.Grid->AutoFitColumns(false));
    EXPECT_EQ(F.SumOfWidths(), F.Grid->Width());
    EXPECT_NEAR(F.Grid->ColWidths(1), F.Grid->ColWidths(2), 2);
    EXPECT_GT(F.Grid->ColWidths(1), 100);
}

TEST(ExGridSizing, SizeToCellsMakesTheClientAreaTheCells)
{
    TSizingForm F;
    for (Integer C = 0; C < 4; ++C)
        F.Grid->SetColWidths(C, 50);
    for (Integer R = 0; R < 5; ++R)
        F.Grid->SetRowHeights(R, 20);
    F.Grid->SetScrollBars(ssBoth);
    F.Grid->SizeToCells();
    EXPECT_EQ(F.Grid->ClientWidth(), 200);
    EXPECT_EQ(F.Grid->ClientHeight(), 100);
    EXPECT_EQ(F.Grid->ScrollBars(), ssBoth);
}

// ---------------------------------------------------------------- numbering

TEST(ExGridSizing, NumberingSkipsTheStartRowsAndCanCountDown)
{
    TSizingForm F;
    F.Grid->SetRowCount(6);
    F.Grid->SetCells(1, 1, "kept");
    F.Grid->SetCells(1, 2, "kept");
    F.Grid->SetAutoNumberStart(2);
    F.Grid->AutoNumberCol(1);
    EXPECT_EQ(F.Grid->Cells(1, 1), "kept");
    EXPECT_EQ(F.Grid->Cells(1, 2), "kept");
    EXPECT_EQ(F.Grid->Cells(1, 3), "3");
    EXPECT_EQ(F.Grid->Cells(1, 5), "5");

    F.Grid->SetAutoNumberStart(0);
    F.Grid->SetAutoNumberOffset(10);
    F.Grid->SetAutoNumberDirection(sdDescending);
    F.Grid->AutoNumberCol(2);
    EXPECT_EQ(F.Grid->Cells(2, 5), "11");
    EXPECT_EQ(F.Grid->Cells(2, 1), "15");

    F.Grid->SetAutoNumberDirection(sdAscending);
    F.Grid->SetAutoNumberOffset(0);
    F.Grid->AutoNumberRow(0);
    EXPECT_EQ(F.Grid->Cells(1, 0), "1");
    EXPECT_EQ(F.Grid->Cells(3, 0), "3");
    EXPECT_EQ(F.Grid->Cells(0, 0), "");
}

// ---------------------------------------------------------------- swapping

TEST(ExGridSizing, SwappedRowsKeepTheirColoursCheckBoxesAndHeights)
{
    TSizingForm F;
    F.Grid->SetCells(1, 1, "first");
    F.Grid->SetColors(1, 1, clRed);
    F.Grid->AddCheckBox(2, 1, true, false);
    F.Grid->SetRowHeights(1, 40);
    F.Grid->SetCells(1, 3, "third");
    F.Grid->SwapRows(1, 3);
    EXPECT_EQ(F.Grid->Cells(1, 3), "first");
    EXPECT_EQ(F.Grid->Colors(1, 3), clRed);
    EXPECT_TRUE(F.Grid->HasCheckBox(2, 3));
    EXPECT_FALSE(F.Grid->HasCheckBox(2, 1));
    EXPECT_EQ(F.Grid->RowHeights(3), 40);
    EXPECT_EQ(F.Grid->Cells(1, 1), "third");
    EXPECT_NE(F.Grid->Colors(1, 1), clRed);
}

TEST(ExGridSizing, SwappedColumnsTakeTheirCellsWidthsAndTheSortColumn)
{
    TSizingForm F;
    F.Grid->SetCells(1, 2, "one");
    F.Grid->SetColors(1, 2, clBlue);
    F.Grid->SetCells(3, 2, "three");
    F.Grid->SetColWidths(1, 33);
    F.Grid->SetColWidths(3, 77);
    F.Grid->SortSettings()->SetColumn(1);
    F.Grid->SwapColumns(1, 3);
    EXPECT_EQ(F.Grid->Cells(3, 2), "one");
    EXPECT_EQ(F.Grid->Colors(3, 2), clBlue);
    EXPECT_EQ(F.Grid->Cells(1, 2), "three");
    EXPECT_EQ(F.Grid->ColWidths(1), 77);
    EXPECT_EQ(F.Grid->ColWidths(3), 33);
    EXPECT_EQ(F.Grid->SortSettings()->Column(), 3);
}
