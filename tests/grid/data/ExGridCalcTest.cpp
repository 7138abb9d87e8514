// Column and row calculations of the string grid: which rows and cells
// they read, how odd texts count, and the real-row numbering.
#include "common/ScopedFormatSettings.h"
#include "grid/control/ExGridTestForm.h"

#include <cmath>
#include <utility>
#include <vector>

namespace {

class TCalcGrid : public TTestExGrid {
public:
    using TTestExGrid::TTestExGrid;
    using TExStringGrid::FGroupColumn;

    std::vector<std::pair<Integer, Integer>> Notes;

protected:
    void ExportNotification(Integer AState, Integer ARow) override { Notes.emplace_back(AState, ARow); }
};

// One fixed row; column 1 holds Texts in the data rows.
class ExGridCalcTest : public ::testing::Test {
protected:
    ExGridCalcTest()
    {
        Form = std::make_unique<TForm>(nullptr);
        Form->SetClientWidth(500);
        Form->SetClientHeight(400);
        G = new TCalcGrid(Form.get());
        G->SetParent(Form.get());
        G->SetColCount(4);
    }
    void Column(const QStringList& Texts)
    {
        G->SetRowCount(Texts.size() + 1);
        for (Integer R = 0; R < Texts.size(); ++R)
            G->SetCells(1, R + 1, Texts[R]);
    }
    Integer LastData() const { return G->RowCount() - 1; }

    std::unique_ptr<TForm> Form;
    TCalcGrid* G;
};

} // namespace

TEST_F(ExGridCalcTest, WordsAndEmptyCellsReadAsZeroAndCountInTheAverage)
{
    TScopedFormatSettings Fs;
    Fs->DecimalSeparator = u',';
    Fs->ThousandSeparator = u'.';
    Column({"1", "2,5", "abc", ""});
    EXPECT_DOUBLE_EQ(G->ColumnSum(1, 1, 4), 3.5);
    EXPECT_DOUBLE_EQ(G->ColumnAvg(1, 1, 4), 0.875);
    EXPECT_DOUBLE_EQ(G->ColumnMin(1, 1, 4), 0);
    EXPECT_DOUBLE_EQ(G->ColumnMax(1, 1, 4), 2.5);
}

TEST_F(ExGridCalcTest, UnreadableNumbersNeverRaise)
{
    // "1.2.3" does not convert: the extremes start from the first readable
    // value, the deviation counts it as 0.
    Column({"1.2.3", "4", "2"});
    EXPECT_NO_THROW(G->ColumnMin(1, 1, 3));
    EXPECT_DOUBLE_EQ(G->ColumnMin(1, 1, 3), 2);
    EXPECT_DOUBLE_EQ(G->ColumnMax(1, 1, 3), 4);
    EXPECT_DOUBLE_EQ(G->ColumnSum(1, 1, 3), 6);
    EXPECT_DOUBLE_EQ(G->ColumnStdDev(1, 1, 3), std::sqrt((4.0 + 4.0 + 0.0) / 3));
    G->SetCells(1, 1, "7");
    G->SetCells(2, 1, "1.2.3");
    G->SetCells(3, 1, "3");
    EXPECT_DOUBLE_EQ(G->RowMin(1, 1, 3), 3);
    EXPECT_DOUBLE_EQ(G->RowMax(1, 1, 3), 7);
    EXPECT_DOUBLE_EQ(G->RowSum(1, 1, 3), 10);
    // Nothing readable at all.
    Column({"1.2.3"});
    EXPECT_DOUBLE_EQ(G->ColumnMax(1, 1, 1), 0);
}

TEST_F(ExGridCalcTest, MinusOneMeansTheDataRowsAboveTheFooters)
{
    G->SetRowCount(10);
    for (Integer R = 0; R < 10; ++R)
        G->SetCells(1, R, QString::number(1 << R));
    G->SetFixedFooters(1);
    // Rows 1 to 8: 2 + 4 + ... + 256.
    EXPECT_DOUBLE_EQ(G->ColumnSum(1, -1, -1), 510);
    EXPECT_DOUBLE_EQ(G->ColumnAvg(1, -1, -1), 510.0 / 8);
}

TEST_F(ExGridCalcTest, NodeAndSummaryRowsAreLeftOutOnlyWhileGrouped)
{
    Column({"10", "1", "2", "20"});
    G->AddNode(1, 3);
    G->MarkSummaryRow(4);
    EXPECT_DOUBLE_EQ(G->ColumnSum(1, 1, 4), 33);
    G->FGroupColumn = 2;
    EXPECT_DOUBLE_EQ(G->ColumnSum(1, 1, 4), 3);
    EXPECT_DOUBLE_EQ(G->ColumnMax(1, 1, 4), 2);
    G->FGroupColumn = -1;
}

TEST_F(ExGridCalcTest, CellsUnderAMergedCellAreLeftOut)
{
    Column({"2"});
    G->SetCells(2, 1, "4");
    G->SetCells(3, 1, "9");
    G->MergeCells(2, 1, 2, 1);  // column 3 lies under column 2
    EXPECT_DOUBLE_EQ(G->RowSum(1, 1, 3), 6);
    EXPECT_DOUBLE_EQ(G->RowAvg(1, 1, 3), 2);
    EXPECT_DOUBLE_EQ(G->RowAvg(1, 3, 1), 0);
    Column({"5", "7"});
    G->MergeCells(1, 1, 1, 2);
    EXPECT_DOUBLE_EQ(G->ColumnSum(1, 1, 2), 5);
}

TEST_F(ExGridCalcTest, DistinctIgnoresCase)
{
    Column({"Apple", "apple", "Pear", ""});
    EXPECT_DOUBLE_EQ(G->ColumnDistinct(1, 1, 3), 2);
    EXPECT_DOUBLE_EQ(G->ColumnDistinct(1, 1, 4), 3);  // the empty text is a value
}

TEST_F(ExGridCalcTest, ARangeBeyondTheRowsInViewCountsHiddenRows)
{
    Column({"1", "2", "4", "8", "16"});
    G->HideRow(2);
    ASSERT_EQ(G->RowCount(), 5);
    EXPECT_DOUBLE_EQ(G->ColumnSum(1, 1, 4), 29);
    // Real rows 1 .. 5: the hidden 2 comes in.
    EXPECT_DOUBLE_EQ(G->ColumnSum(1, 1, 5), 31);
    // Far beyond the grid reads what exists and does not fail.
    EXPECT_DOUBLE_EQ(G->ColumnSum(1, 1, 500), 31);
    EXPECT_DOUBLE_EQ(G->ColumnSum(9, 1, 5), 0);
    EXPECT_DOUBLE_EQ(G->RowSum(99, 0, 3), 0);
}

TEST_F(ExGridCalcTest, CustomValuesComeFromTheEvents)
{
    Column({"1"});
    EXPECT_DOUBLE_EQ(G->ColumnCustomCalc(1, 1, 1), 0);
    EXPECT_DOUBLE_EQ(G->DoGroupCalc(1, 1, 1), 0);
    G->OnColumnCalc = [](TObject*, Integer ACol, Integer FromRow, Integer ToRow, Double& Res) {
        Res = ACol * 100 + FromRow * 10 + ToRow;
    };
    G->OnGroupCalc = [](TObject*, Integer, Integer, Integer, Double& Res) { Res = -2; };
    EXPECT_DOUBLE_EQ(G->ColumnCustomCalc(1, 2, 3), 123);
    EXPECT_DOUBLE_EQ(G->DoGroupCalc(1, 2, 3), -2);
}

TEST_F(ExGridCalcTest, AColumnCalculationReportsItsRows)
{
    Column({"1", "2"});
    G->Notes.clear();
    G->ColumnSum(1, 1, 2);
    const std::vector<std::pair<Integer, Integer>> Expected{{0, 1}, {5, 1}, {5, 2}, {2, -1}};
    EXPECT_EQ(G->Notes, Expected);
}
