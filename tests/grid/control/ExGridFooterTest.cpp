// The floating footer's calculation into the last row and the column
// functions it uses.
#include "ExGridTestForm.h"

#include <cmath>

namespace {

// One fixed row, Data data rows holding 1 .. Data in columns 1 and 2, and
// the footer row, shown.
class ExGridFooterTest : public ::testing::Test {
protected:
    void Make(Integer Data)
    {
        G.SetColCount(3);
        G.SetRowCount(Data + 2);
        G.SetFixedRows(1);
        for (Integer R = 1; R <= Data; ++R) {
            G.SetCells(1, R, QString::number(R));
            G.SetCells(2, R, QString::number(R));
        }
        G.FloatingFooter()->SetVisible(true);
    }
    Integer Last() const { return G.RowCount() - 1; }
    void Calc(Integer ACol, TColumnCalcType Kind)
    {
        G.CellProperties(ACol, Last())->SetCalcType(Kind);
        G.CalcFooter(ACol);
    }

    TExGridForm F;
    TTestExGrid& G = *F.Grid;
};

} // namespace

TEST_F(ExGridFooterTest, CountShowsTheDataRowsAndTheHiddenOnesWhenAsked)
{
    Make(13);
    G.HideRows(2, 4);
    ASSERT_EQ(G.RowCount(), 12);
    G.CellProperties(1, Last())->SetCalcType(acCOUNT);
    G.FloatingFooter()->SetCalculateHiddenRows(false);
    G.CalcFooter(-1);
    EXPECT_EQ(G.Cells(1, Last()), "10");
    G.FloatingFooter()->SetCalculateHiddenRows(true);
    G.CalcFooter(-1);
    EXPECT_EQ(G.Cells(1, Last()), "13");
}

TEST_F(ExGridFooterTest, SumsCountHiddenRowsByRealRow)
{
    Make(13);
    G.HideRows(2, 4);  // the values 2, 3 and 4
    G.CellProperties(2, Last())->SetCalcType(acSUM);
    G.CalcFooter(-1);
    EXPECT_EQ(G.Cells(2, Last()), "91.00");
    G.FloatingFooter()->SetCalculateHiddenRows(false);
    G.CalcFooter(2);
    EXPECT_EQ(G.Cells(2, Last()), "82.00");
}

TEST_F(ExGridFooterTest, EachCalculationKindWritesItsValue)
{
    Make(5);
    G.SetCells(1, 3, QStringLiteral("1"));  // values 1 2 1 4 5
    const struct {
        TColumnCalcType Kind;
        const char* Text;
    } Cases[] = {
        {acSUM, "13.00"}, {acAVG, "2.60"}, {acMIN, "1.00"}, {acMAX, "5.00"},
        {acDISTINCT, "4.00"}, {acSTDDEV, "1.62"}, {acCOUNT, "5"},
    };
    for (const auto& C : Cases) {
        Calc(1, C.Kind);
        EXPECT_EQ(G.Cells(1, Last()), C.Text) << GetEnumName<TColumnCalcType>(C.Kind).toStdString();
    }
    G.SetCells(1, Last(), QStringLiteral("kept"));
    for (TColumnCalcType Kind : {acNONE, acSPREAD}) {
        Calc(1, Kind);
        EXPECT_EQ(G.Cells(1, Last()), "kept");
    }
}

TEST_F(ExGridFooterTest, CustomValuesComeFromTheGridThenTheFooterElseStayEmpty)
{
    Make(4);
    G.HideRows(2, 2);
    G.SetCells(1, Last(), QStringLiteral("old"));
    Calc(1, acCUSTOM);
    EXPECT_EQ(G.Cells(1, Last()), "");

    Integer FooterRow = -1;
    G.FloatingFooter()->OnCalcFooter = [&](TObject*, Integer ACol, Integer ARow, String& Value) {
        FooterRow = ARow;
        Value = QStringLiteral("footer %1").arg(ACol);
    };
    G.CalcFooter(1);
    EXPECT_EQ(G.Cells(1, Last()), "footer 1");
    EXPECT_EQ(FooterRow, Last() + 1);  // one hidden row counted

    G.OnFooterCalc = [](TObject*, Integer, Integer, String& Value) { Value = QStringLiteral("grid"); };
    G.CalcFooter(1);
    EXPECT_EQ(G.Cells(1, Last()), "grid");
}

TEST_F(ExGridFooterTest, NothingIsCalculatedUnlessTheFooterShowsAsTheLastRowAndCalculates)
{
    Make(3);
    G.CellProperties(1, Last())->SetCalcType(acCOUNT);
    G.SetCells(1, Last(), QStringLiteral("kept"));
    G.FloatingFooter()->SetVisible(false);
    G.CalcFooter(-1);
    EXPECT_EQ(G.Cells(1, Last()), "kept");
    G.FloatingFooter()->SetVisible(true);
    G.FloatingFooter()->SetFooterStyle(fsColumnPreview);
    G.CalcFooter(-1);
    EXPECT_EQ(G.Cells(1, Last()), "kept");
    G.FloatingFooter()->SetFooterStyle(fsFixedLastRow);
    G.FloatingFooter()->SetEnableCalculation(false);
    G.CalcFooter(-1);
    EXPECT_EQ(G.Cells(1, Last()), "kept");
    // Columns outside the grid are passed over.
    G.FloatingFooter()->SetEnableCalculation(true);
    EXPECT_NO_THROW(G.CalcFooter(7));
    EXPECT_EQ(G.Cells(1, Last()), "kept");
}

TEST_F(ExGridFooterTest, AFooterWithoutDataRows)
{
    Make(0);
    Calc(1, acCOUNT);
    EXPECT_EQ(G.Cells(1, Last()), "0");
    for (TColumnCalcType Kind : {acSUM, acAVG, acMIN, acMAX, acSTDDEV}) {
        Calc(1, Kind);
        EXPECT_EQ(G.Cells(1, Last()), "0.00");
    }
}

TEST_F(ExGridFooterTest, ColumnFunctionsOverARange)
{
    Make(6);
    G.SetCells(1, 2, QStringLiteral("Pear"));
    G.SetCells(1, 3, QStringLiteral("pear"));
    EXPECT_DOUBLE_EQ(G.ColumnSum(2, 2, 4), 9);
    EXPECT_DOUBLE_EQ(G.ColumnAvg(2, 2, 4), 3);
    EXPECT_DOUBLE_EQ(G.ColumnMin(2, 2, 4), 2);
    EXPECT_DOUBLE_EQ(G.ColumnMax(2, 2, 4), 4);
    EXPECT_DOUBLE_EQ(G.ColumnStdDev(2, 1, 4), std::sqrt(1.25));
    EXPECT_DOUBLE_EQ(G.ColumnDistinct(1, 1, 4), 3);  // 1, pear, 4
    // Reversed ranges.
    EXPECT_DOUBLE_EQ(G.ColumnSum(2, 4, 2), 0);
    EXPECT_DOUBLE_EQ(G.ColumnAvg(2, 4, 2), 0);
    EXPECT_DOUBLE_EQ(G.ColumnStdDev(2, 4, 2), 0);
}
