// Fills, dates and times in cells, the cell checker run, the edit mask and
// the spreadsheet switch.
#include "ExGridTestForm.h"

#include "rtl/SysUtils.h"

namespace {

class ExGridFillsTest : public ::testing::Test {
protected:
    ExGridFillsTest()
    {
        G.SetColCount(4);
        G.SetRowCount(6);
        G.SetFixedCols(1);
        G.SetFixedRows(1);
    }

    TExGridForm F;
    TTestExGrid& G = *F.Grid;
};

// Upper-cases the text and marks an "x" as an error.
class TUpperChecker : public TExStringGridCheck {
public:
    using TExStringGridCheck::TExStringGridCheck;
    String Correct(Integer, Integer, String S) override { return S.toUpper(); }
    String MarkError(Integer, Integer, String S) override
    {
        return S.replace(QStringLiteral("X"), QStringLiteral("<E>X</E>"));
    }
    void StartCheck() override { ++Starts; }
    void StopCheck() override { ++Stops; }
    Integer Starts = 0;
    Integer Stops = 0;
};

} // namespace

TEST_F(ExGridFillsTest, LinearAndTextFillsKeepTheFixedCellsUnlessAsked)
{
    G.LinearFill(false);
    EXPECT_EQ(G.Cells(1, 1), "1:1");
    EXPECT_EQ(G.Cells(3, 5), "3:5");
    EXPECT_EQ(G.Cells(0, 1), "");
    EXPECT_EQ(G.Cells(1, 0), "");
    G.SetFixedFooters(1);
    G.SetFixedRightCols(1);
    G.TextFill(false, QStringLiteral("t"));
    EXPECT_EQ(G.Cells(2, 4), "t");
    EXPECT_EQ(G.Cells(2, 5), "2:5");
    EXPECT_EQ(G.Cells(3, 1), "3:1");
    G.TextFill(true, QStringLiteral("all"));
    EXPECT_EQ(G.Cells(0, 0), "all");
    EXPECT_EQ(G.Cells(3, 5), "all");
}

TEST_F(ExGridFillsTest, FormatFillTakesColumnThenRowAndRefusesABadPatternFirst)
{
    G.FormatFill(true, QStringLiteral("%d/%d"));
    EXPECT_EQ(G.Cells(0, 5), "0/5");
    EXPECT_EQ(G.Cells(3, 2), "3/2");
    for (const char* Bad : {"%s", "%d/%d/%d", "%f"}) {
        EXPECT_THROW(G.FormatFill(true, QString::fromLatin1(Bad)), EConvertError) << Bad;
        EXPECT_EQ(G.Cells(0, 0), "0/0") << Bad;
    }
}

TEST_F(ExGridFillsTest, RandomFillStaysInItsRange)
{
    G.RandomFill(false, 3);
    for (Integer R = 1; R < 6; ++R)
        for (Integer C = 1; C < 4; ++C) {
            const Integer V = G.Ints(C, R);
            EXPECT_TRUE(V >= 0 && V < 3) << V;
        }
    G.RandomFill(false, 0);
    EXPECT_EQ(G.Cells(2, 2), "0");
    G.RandomFill(false, -5);
    EXPECT_EQ(G.Cells(3, 5), "0");
}

TEST_F(ExGridFillsTest, DatesAndTimesUseTheFormatSettings)
{
    const TFormatSettings Saved = FormatSettings;
    FormatSettings.ShortDateFormat = QStringLiteral("dd/mm/yyyy");
    FormatSettings.DateSeparator = u'/';
    const TDateTime Day = EncodeDate(2024, 3, 9);
    G.SetDates(1, 1, Day);
    EXPECT_EQ(G.Cells(1, 1), "09/03/2024");
    EXPECT_EQ(G.GetDates(1, 1), Day);
    G.SetShowNullDates(false);
    G.SetDates(1, 1, 0);
    EXPECT_EQ(G.Cells(1, 1), "");
    G.SetShowNullDates(true);
    G.SetDates(1, 1, 0);
    EXPECT_FALSE(G.Cells(1, 1).isEmpty());
    const TDateTime Time = EncodeTime(13, 5, 7, 0);
    G.SetTimes(2, 1, Time);
    EXPECT_NEAR(G.GetTimes(2, 1), Time, 1e-6);
    G.SetCells(2, 2, QStringLiteral("no date"));
    EXPECT_THROW(G.GetDates(2, 2), EConvertError);
    EXPECT_THROW(G.GetTimes(2, 2), EConvertError);
    FormatSettings = Saved;
}

TEST_F(ExGridFillsTest, CheckingWithoutACheckerChangesNothing)
{
    G.SetCells(1, 1, QStringLiteral("x"));
    EXPECT_TRUE(G.CheckGrid(false));
    EXPECT_TRUE(G.CheckCell(1, 1));
    EXPECT_EQ(G.Cells(1, 1), "x");
}

TEST_F(ExGridFillsTest, TheCheckerCorrectsThenMarksEveryCell)
{
    TUpperChecker Checker(nullptr);
    G.SetCellChecker(&Checker);
    G.SetCells(1, 1, QStringLiteral("ok"));
    G.SetCells(2, 1, QStringLiteral("<E>x</E>"));
    G.SetCells(3, 1, QStringLiteral("A"));
    Checker.SetUseCorrect(true);
    Checker.SetUseMarkError(true);
    EXPECT_FALSE(G.CheckRow(false, 1));
    EXPECT_EQ(G.Cells(1, 1), "OK");
    EXPECT_EQ(G.Cells(2, 1), "<E>X</E>");
    EXPECT_EQ(G.Cells(3, 1), "A");
    EXPECT_EQ(Checker.Starts, 1);
    EXPECT_EQ(Checker.Stops, 1);
    // Unchanged texts pass.
    EXPECT_TRUE(G.CheckCell(3, 1));
    Checker.SetUseMarkError(false);
    EXPECT_TRUE(G.CheckCol(false, 3));
    // With GotoCell the current cell comes back.
    Checker.SetGotoCell(true);
    G.FocusCell(2, 3);
    G.SetCells(1, 2, QStringLiteral("low"));
    EXPECT_FALSE(G.CheckGrid(true));
    EXPECT_EQ(G.Cells(1, 2), "LOW");
    EXPECT_EQ(G.Col(), 2);
    EXPECT_EQ(G.Row(), 3);
    G.SetCellChecker(nullptr);
}

TEST_F(ExGridFillsTest, EditMaskAndSpreadSheet)
{
    G.SetEditMask(QStringLiteral("999"));
    EXPECT_EQ(G.GetEditMask(1, 1), "999");
    G.OnGetEditMask = [](TObject*, Integer ACol, Integer, String& Value) {
        if (ACol == 2)
            Value = QStringLiteral("AAA");
    };
    EXPECT_EQ(G.GetEditMask(2, 1), "AAA");
    EXPECT_EQ(G.GetEditMask(1, 1), "999");

    G.SetSpreadSheet(false);
    EXPECT_FALSE(G.SpreadSheet());
    EXPECT_TRUE(G.SelectionRectangle());
    EXPECT_TRUE(G.SelectionResizer());
    EXPECT_TRUE(G.Navigation()->AllowSmartClipboard());
    EXPECT_TRUE(G.Options().Contains(goRangeSelect));
    EXPECT_TRUE(G.Options().Contains(goEditing));
    EXPECT_TRUE(G.MouseActions()->RangeSelectAndEdit());
}
