// Fills, dates and times in cells, the cell checker run, the edit mask, the
// spreadsheet switch, the edit length and the look and behaviour writers.
#include "ExGridTestForm.h"

#include "grid/base/EsgHTMLE.h"
#include "grid/control/ExGrid_Editors.h"
#include "platform/ScopedEnv.h"
#include "rtl/Registry.h"
#include "rtl/SysUtils.h"

#include <QTemporaryDir>

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

// ---------------------------------------------------------------- edit length and look writers

TEST_F(ExGridFillsTest, TheEditLengthReachesTheTextEditorOnceItExists)
{
    EXPECT_EQ(G.NormalEdit(), nullptr);
    G.SetMaxEditLength(5);
    EXPECT_EQ(G.MaxEditLength(), 5);
    G.SetOptions(G.Options() + goEditing);
    ShowWithFocus(F.Form.get(), &G);
    G.MoveToCell(1, 1);
    G.SetEditorMode(true);
    ASSERT_NE(G.NormalEdit(), nullptr);
    EXPECT_EQ(G.NormalEdit(), G.InplaceEditor());
    EXPECT_EQ(G.NormalEdit()->LengthLimit(), 5);
    G.SetMaxEditLength(3);
    EXPECT_EQ(G.NormalEdit()->LengthLimit(), 3);
}

TEST_F(ExGridFillsTest, TheLookWritersStoreCopyAndRepaint)
{
    const TColor SavedBack = HTMLHighlightColor;
    const TColor SavedText = HTMLHighlightTextColor;
    G.SetHighlightColor(clRed);
    G.SetHighlightTextColor(clYellow);
    EXPECT_EQ(HTMLHighlightColor, clRed) << "the mini-HTML renderer marks in the grid's colours";
    EXPECT_EQ(HTMLHighlightTextColor, clYellow);
    SetHTMLHighlightColors(SavedBack, SavedText);

    G.SetXYOffset(TPoint(5, 6));
    G.UpdateXYOffset(7, 8);
    EXPECT_EQ(G.XYOffset(), TPoint(7, 8));

    TBitmap Indicator(6, 6);
    G.SetRowIndicator(&Indicator);
    EXPECT_EQ(G.RowIndicator()->Width(), 6);
    EXPECT_NE(G.RowIndicator(), &Indicator);

    TBalloonSettings Balloon;
    Balloon.SetTextColor(clBlue);
    G.SetBalloon(&Balloon);
    EXPECT_EQ(G.Balloon()->TextColor(), clBlue);
    EXPECT_NE(G.Balloon(), &Balloon);
    TDragScrollOptions Drag;
    Drag.SetActive(true);
    G.SetDragScrollOptions(&Drag);
    EXPECT_TRUE(G.DragScrollOptions()->Active());
    TBackGround Back(nullptr);
    Back.SetDisplay(bdGradientHorz);
    G.SetBackGround(&Back);
    EXPECT_EQ(G.BackGround()->Display(), bdGradientHorz);

    G.SetArrowColor(clNavy);
    EXPECT_EQ(G.ArrowColor(), clNavy);
    for (TArrowWindow* Arrow : {G.ArwD, G.ArwL, G.ArwR})
        EXPECT_EQ(Arrow->Color(), clNavy);
}

TEST_F(ExGridFillsTest, AdaptingToTheOfficeThemeRegistersTheWindowWithTheNotifier)
{
    QTemporaryDir Dir;
    ScopedEnv RegistryFile{"CFG_REGISTRY_FILE", Dir.filePath("registry.ini").toLocal8Bit()};
    {
        TRegistry Reg;
        ASSERT_TRUE(Reg.OpenKey("Software\\Microsoft\\Office\\14.0\\Common", true));
        Reg.WriteInteger("Theme", 3);
        ASSERT_TRUE(Reg.OpenKey("\\Software\\Microsoft\\Office\\14.0\\Common\\General", true));
    }
    G.SetAutoThemeAdapt(true);
    EXPECT_TRUE(G.AutoThemeAdapt());
    EXPECT_TRUE(G.SearchFooter()->AutoThemeAdapt());
    EXPECT_EQ(G.FOldOfficeTheme, ot2010Black) << "adapted at once";
    TRegMonitorThread* Thread = GetThemeNotifier(F.Form.get())->RegMonitorThread();
    ASSERT_NE(Thread, nullptr);
    EXPECT_EQ(Thread->Windows(), std::vector<HWND>{G.Handle()});
    G.SetAutoThemeAdapt(false);
    EXPECT_TRUE(Thread->Windows().empty());
    EXPECT_FALSE(G.SearchFooter()->AutoThemeAdapt());
}
