// The search bar under the string grid, offscreen: its size and layout,
// the buttons following the edit's text, typing with AutoSearch, find
// next and previous, the search column and the highlight button.
#include "grid/control/ExGridTestForm.h"

#include <QImage>
#include <QtTest/QTest>

namespace {

// Columns 1 to 3 of 6 data rows hold "c<col>r<row>"; row 4 and 6 hold
// "dup" in column 2.
class ExGridSearchBarTest : public ::testing::Test {
protected:
    ExGridSearchBarTest()
    {
        G.SetColCount(4);
        G.SetRowCount(7);
        for (Integer R = 1; R < 7; ++R)
            for (Integer C = 1; C < 4; ++C)
                G.SetCells(C, R, QStringLiteral("c%1r%2").arg(C).arg(R));
        G.SetCells(2, 4, "dup");
        G.SetCells(2, 6, "dup");
        SF.SetVisible(true);
    }
    void Type(const String& Text) { P.EditControl()->SetText(Text); }

    TExGridForm F;
    TTestExGrid& G = *F.Grid;
    TSearchFooter& SF = *G.SearchFooter();
    TSearchPanel& P = *G.SearchPanel();
};

} // namespace

TEST(ExGridSearchBarLoadTest, HiddenAfterLoading)
{
    TExGridForm F;
    F.Grid->UpdateSearchFooter();
    EXPECT_EQ(F.Grid->SearchPanel()->Height(), 0);
}

TEST(ExGridSearchBarLoadTest, TheGridHearsWhenThePanelsWindowsExist)
{
    TForm Form(nullptr);
    auto* Grid = new TExStringGrid(&Form);
    std::vector<std::string> Created;
    Grid->OnCreatedSearchFooter = [&](TObject* Sender) {
        EXPECT_EQ(Sender, Grid);
        Created.push_back("search");
    };
    Grid->OnCreatedFloatingFooter = [&](TObject*) { Created.push_back("footer"); };
    EXPECT_TRUE(Created.empty());
    Grid->SetParent(&Form);
    EXPECT_EQ(Created, (std::vector<std::string>{"footer", "search"}));
}

TEST_F(ExGridSearchBarTest, ThirtyTwoHighAtTheBottomWithTheTablesLayout)
{
    EXPECT_EQ(P.Height(), 32);
    EXPECT_EQ(P.Top(), G.ClientHeight() - 32);
    EXPECT_EQ(P.EditControl()->Left(), 25);
    EXPECT_EQ(P.ForwardButton()->Left(), 140);
    EXPECT_EQ(P.BackwardButton()->Left(), 235);
    EXPECT_EQ(P.HighlightButton()->Left(), 330);
    EXPECT_EQ(P.ExitButton()->Left(), 5);
    EXPECT_EQ(P.MatchCase()->Left(), 425);
    EXPECT_EQ(P.ForwardButton()->Caption(), SF.FindNextCaption());
    SF.SetShowHighLight(false);
    EXPECT_EQ(P.MatchCase()->Left(), 330);
    EXPECT_FALSE(P.HighlightButton()->Visible());
    SF.SetVisible(false);
    EXPECT_EQ(P.Height(), 0);
}

TEST_F(ExGridSearchBarTest, ButtonsFollowTheEditText)
{
    for (TExGridButton* B : {P.ForwardButton(), P.BackwardButton(), P.HighlightButton()})
        EXPECT_FALSE(B->Enabled());
    Type("c");
    for (TExGridButton* B : {P.ForwardButton(), P.BackwardButton(), P.HighlightButton()})
        EXPECT_TRUE(B->Enabled());
    Type("");
    EXPECT_FALSE(P.ForwardButton()->Enabled());
}

TEST_F(ExGridSearchBarTest, AutoSearchMovesToTheCellAndColoursAMiss)
{
    SF.SetAutoSearch(true);
    Type("c3r5");
    EXPECT_EQ(G.Col(), 3);
    EXPECT_EQ(G.Row(), 5);
    EXPECT_EQ(P.EditControl()->Color(), clWindow);
    Type("nothing");
    EXPECT_EQ(P.EditControl()->Color(), TColor(255));
    Type("");
    EXPECT_EQ(P.EditControl()->Color(), clWindow);
}

TEST_F(ExGridSearchBarTest, TheSearchColumnBoundsTheSearch)
{
    SF.SetAutoSearch(true);
    SF.SetSearchColumn(2);
    Type("r2");
    EXPECT_EQ(G.Col(), 2);
    EXPECT_EQ(G.Row(), 2);
    Type("c3");
    EXPECT_EQ(P.EditControl()->Color(), TColor(255));
}

TEST_F(ExGridSearchBarTest, FindNextStepsAndANewTextStartsOver)
{
    std::vector<TSearchAction> Actions;
    G.OnSearchFooterAction = [&](TObject*, const String&, Integer, Integer, TSearchAction A) { Actions.push_back(A); };
    SF.SetAutoSearch(false);
    Type("dup");
    G.SearchFooterFindNext(nullptr);
    EXPECT_EQ(G.Row(), 4);
    G.SearchFooterFindNext(nullptr);
    EXPECT_EQ(G.Row(), 6);
    G.SearchFooterFindPrevious(nullptr);
    EXPECT_EQ(G.Row(), 4);
    Type("c1r3");
    G.SearchFooterFindNext(nullptr);
    EXPECT_EQ(G.Row(), 3);
    EXPECT_EQ(G.Col(), 1);
    EXPECT_EQ(Actions, (std::vector<TSearchAction>{saFindNext, saFindNext, saFindPrevious, saFindNext}));
}

TEST_F(ExGridSearchBarTest, TheHighlightButtonHighlightsAndRemoves)
{
    Type("dup");
    P.HighlightButton()->SetDown(true);
    G.SearchFooterHighlight(nullptr);
    EXPECT_EQ(G.Cells(2, 4), "<hi>dup</hi>");
    EXPECT_EQ(G.Cells(2, 6), "<hi>dup</hi>");
    P.HighlightButton()->SetDown(false);
    G.SearchFooterHighlight(nullptr);
    EXPECT_EQ(G.Cells(2, 4), "dup");
}

TEST_F(ExGridSearchBarTest, CloseHidesTheBar)
{
    bool Closed = false;
    G.OnSearchFooterClose = [&](TObject*) { Closed = true; };
    G.SearchFooterClose(nullptr);
    EXPECT_TRUE(Closed);
    EXPECT_FALSE(SF.Visible());
    EXPECT_EQ(P.Height(), 0);
}

// The bar painted under the grid with a highlighted search text, above a
// floating footer with a sum. With
// CFG_SEARCH_BAR_SCREENSHOT set to a file name the picture is saved there
// (docs/screenshots/grid-search-footer.png is made so under Xvfb:
// CFG_SEARCH_BAR_SCREENSHOT=$PWD/docs/screenshots/grid-search-footer.png
// QT_QPA_PLATFORM=xcb xvfb-run -a build-test/tests/grid_tests
// --gtest_filter='ExGridSearchBarTest.Screenshot').
TEST_F(ExGridSearchBarTest, Screenshot)
{
    F.Form->SetClientWidth(560);
    F.Form->SetClientHeight(230);
    G.SetBounds(0, 0, 560, 230);
    for (Integer C = 1; C < 4; ++C)
        G.SetColWidths(C, 120);
    SF.SetFindNextCaption("Find &next");
    SF.SetFindPrevCaption("Find &previous");
    SF.SetHighLightCaption("Highlight");
    SF.SetMatchCaseCaption("Match case");
    SF.SetColor(RGB(236, 240, 248));
    SF.SetColorTo(RGB(200, 214, 236));
    // A floating footer row under the data sums column 3.
    G.SetRowCount(8);
    for (Integer R = 1; R < 7; ++R)
        G.SetCells(3, R, QString::number(R * 12.5));
    G.SetCells(1, 7, "Sum");
    G.FloatingFooter()->SetVisible(true);
    G.FloatingFooter()->SetColumnCalc(3, acSUM);
    Type("dup");
    P.HighlightButton()->SetDown(true);
    G.SearchFooterHighlight(nullptr);
    F.Form->Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(F.Form->Handle()));
    QApplication::processEvents();
    const QImage Picture = F.Form->Handle()->grab().toImage();
    ASSERT_FALSE(Picture.isNull());
    // Below the top line the gradient starts at the bar's colour.
    const QPoint Bar = P.Handle()->mapTo(F.Form->Handle(), QPoint(2, 2));
    const QColor Top = Picture.pixelColor(Bar);
    EXPECT_NEAR(Top.red(), 236, 8);
    EXPECT_NEAR(Top.blue(), 248, 8);
    if (const QByteArray File = qgetenv("CFG_SEARCH_BAR_SCREENSHOT"); !File.isEmpty())
        EXPECT_TRUE(Picture.save(QString::fromLocal8Bit(File), "PNG"));
}
