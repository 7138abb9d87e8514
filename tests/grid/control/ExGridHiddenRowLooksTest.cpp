// Rows hidden by list keep their cell looks: the properties travel with the
// row and learn their new row wherever the row stands.
#include "ExGridTestForm.h"

namespace {

// Rows A B C D in column 1, no fixed rows; B is blue and D red.
class ExGridHiddenRowLooksTest : public ::testing::Test {
protected:
    ExGridHiddenRowLooksTest()
    {
        G.SetRowCount(4);
        G.SetFixedRows(0);
        const char* Names[] = {"A", "B", "C", "D"};
        for (Integer R = 0; R < 4; ++R)
            G.SetCells(1, R, QString::fromLatin1(Names[R]));
        G.SetColors(1, 1, clBlue);
        G.SetColors(1, 3, clRed);
    }

    void ExpectLook(Integer ARow, TColor AColor)
    {
        EXPECT_EQ(G.Colors(1, ARow), AColor);
        ASSERT_NE(G.CellProperties(1, ARow), nullptr);
        EXPECT_EQ(G.CellProperties(1, ARow)->OwnerRow(), ARow);
    }

    TExGridForm F;
    TTestExGrid& G = *F.Grid;
};

} // namespace

TEST_F(ExGridHiddenRowLooksTest, ShownRowsMoveUpWithTheirLooksAndHiddenOnesComeBackWithTheirs)
{
    TIntList List(0, 0);
    List.Add(1);
    G.HideRowList(&List);
    EXPECT_EQ(F.Column(1), "A C D");
    ExpectLook(2, clRed);

    G.UnHideRowList();
    EXPECT_EQ(F.Column(1), "A B C D");
    ExpectLook(1, clBlue);
    ExpectLook(3, clRed);
}

TEST_F(ExGridHiddenRowLooksTest, AFilterLevelOnAndOffKeepsEveryLook)
{
    TFilterData* Condition = G.Filter()->Add();
    Condition->SetColumn(1);
    Condition->SetCondition(QStringLiteral("D"));
    G.SetFilterActive(true);
    EXPECT_EQ(F.Column(1), "D");
    ExpectLook(0, clRed);

    G.SetFilterActive(false);
    EXPECT_EQ(F.Column(1), "A B C D");
    ExpectLook(1, clBlue);
    ExpectLook(3, clRed);
}
