// The selection rectangle, the disjunct row flags, hiding the selection,
// enabled rows, scrolling a cell into view and the selection look.
#include "ExGridTestForm.h"

namespace {

class ExGridSelectionTest : public ::testing::Test {
protected:
    ExGridSelectionTest()
    {
        G.SetColCount(5);
        G.SetRowCount(8);
    }

    TExGridForm F;
    TTestExGrid& G = *F.Grid;
};

String Rect(const TGridRect& R)
{
    return QStringLiteral("%1 %2 %3 %4").arg(R.Left).arg(R.Top).arg(R.Right).arg(R.Bottom);
}

String Message(const std::function<void()>& Action)
{
    try {
        Action();
    } catch (const EExGridError& E) {
        return E.Message();
    }
    return QStringLiteral("no error");
}

} // namespace

TEST_F(ExGridSelectionTest, SelectRowsStopsAtTheLastRow)
{
    G.SelectRows(5, 10);
    EXPECT_EQ(Rect(G.Selection()), String("1 5 4 7"));
    EXPECT_EQ(G.RowSelectCount(), 3);
    EXPECT_TRUE(G.RowSelect(6));
    EXPECT_FALSE(G.RowSelect(4));
}

TEST_F(ExGridSelectionTest, DisjunctRowsKeepTheirFlagsAndTheListOfSelectedRows)
{
    G.MouseActions()->SetDisjunctRowSelect(true);
    G.SelectRows(2, 2);
    EXPECT_TRUE(G.RowSelect(2));
    EXPECT_TRUE(G.RowSelect(3));
    EXPECT_FALSE(G.RowSelect(4));
    EXPECT_EQ(G.RowSelectCount(), 2);
    EXPECT_EQ(G.SelectedRows()->StrValue(), String("2,3"));
    G.UnSelectRows(2, 1);
    EXPECT_EQ(G.SelectedRows()->StrValue(), String("3"));
    EXPECT_EQ(G.RowSelectCount(), 1);
    G.ClearRowSelect();
    EXPECT_EQ(G.RowSelectCount(), 0);
    EXPECT_EQ(G.SelectedRows()->Count(), 0);
}

TEST_F(ExGridSelectionTest, RowFlagsOutsideTheRowsRaiseUnlessPersistent)
{
    G.MouseActions()->SetDisjunctRowSelect(true);
    EXPECT_EQ(Message([&] { G.RowSelect(-1); }), String("Invalid row -1 accessed"));
    EXPECT_EQ(Message([&] { G.RowSelect(8); }), String("Invalid row 8 accessed"));
    EXPECT_EQ(Message([&] { G.SetRowSelect(-1, true); }), String("Invalid row accessed"));
    EXPECT_EQ(Message([&] { G.SetRowSelect(8, true); }), String("Invalid row accessed"));
    EXPECT_EQ(Message([&] { G.ColSelect(5); }), String("Invalid column accessed"));
    G.MouseActions()->SetRowSelectPersistent(true);
    EXPECT_FALSE(G.RowSelect(-1)) << "a negative row reads false";
    EXPECT_FALSE(G.RowSelect(20));
}

TEST_F(ExGridSelectionTest, ANewFlagAsksTheHandlerFirst)
{
    G.MouseActions()->SetDisjunctRowSelect(true);
    QStringList Asked;
    QStringList Told;
    bool Allow = true;
    G.OnRowDisjunctSelect = [&](TObject*, Integer R, bool Value, bool& A) {
        Asked << QString("%1 %2").arg(R).arg(Value ? 1 : 0);
        A = Allow;
    };
    G.OnRowDisjunctSelected = [&](TObject*, Integer R) { Told << QString::number(R); };
    Allow = false;
    G.SetRowSelect(5, true);
    EXPECT_FALSE(G.RowSelect(5)) << "refused";
    EXPECT_TRUE(Told.isEmpty());
    Allow = true;
    G.SetRowSelect(6, true);
    EXPECT_TRUE(G.RowSelect(6));
    G.SetRowSelect(6, true);
    EXPECT_EQ(Asked, (QStringList{"5 1", "6 1"})) << "an unchanged flag is not asked again";
    EXPECT_EQ(Told, (QStringList{"6", "6"}));
}

TEST_F(ExGridSelectionTest, HiddenSelectionComesBackOrFallsToTheFirstCell)
{
    G.SelectRange(2, 3, 4, 5);
    EXPECT_EQ(Rect(G.Selection()), String("2 4 3 5"));
    G.HideSelection();
    EXPECT_EQ(Rect(G.Selection()), String("5 8 5 8"));
    G.UnHideSelection();
    EXPECT_EQ(Rect(G.Selection()), String("2 4 3 5"));
    G.HideSelection();
    G.SetRowCount(3);
    G.UnHideSelection();
    EXPECT_EQ(Rect(G.Selection()), String("1 1 1 1"));
}

TEST_F(ExGridSelectionTest, DisablingTheCurrentRowMovesToTheFirstEnabledRow)
{
    G.SetRow(3);
    G.SetRowEnabled(1, false);
    G.SetRowEnabled(3, false);
    EXPECT_EQ(G.Row(), 2);
    EXPECT_FALSE(G.RowEnabled(3));
    G.SetRowEnabled(2, true);
    EXPECT_EQ(G.Row(), 2) << "enabling the current row keeps it";
    G.SetRowCount(3);
    G.SetRowEnabled(2, false);
    EXPECT_EQ(G.Row(), 2) << "no other row is enabled";
}

TEST_F(ExGridSelectionTest, ScrollInViewCentresOnlyAFarCell)
{
    G.SetRowCount(200);
    G.SetColCount(40);
    G.GotoCell(2, 3);
    G.ScrollInView(2, 4);
    EXPECT_EQ(G.Col(), 2);
    EXPECT_EQ(G.Row(), 3);
    EXPECT_EQ(G.TopRow(), 1);
    G.ScrollInView(30, 120);
    EXPECT_EQ(G.Row(), 120);
    EXPECT_EQ(G.Col(), 30);
    EXPECT_EQ(G.TopRow(), 120 - G.VisibleRowCount() / 2);
    EXPECT_EQ(G.LeftCol(), 30 - G.VisibleColCount() / 2);
    G.ScrollInView(1, 199);
    EXPECT_EQ(G.TopRow(), 200 - G.VisibleRowCount()) << "the last row stays at the bottom of the view";
}

TEST_F(ExGridSelectionTest, TheMixerFactorStaysAPercentage)
{
    G.SetSelectionColorMixerFactor(150);
    EXPECT_EQ(G.SelectionColorMixerFactor(), 100);
    G.SetSelectionColorMixerFactor(-5);
    EXPECT_EQ(G.SelectionColorMixerFactor(), 0);
    G.SetSelectionColorMixerFactor(30);
    EXPECT_EQ(G.SelectionColorMixerFactor(), 30);
}

TEST_F(ExGridSelectionTest, TheGridWantsCharactersWhileNotEditing)
{
    TWMGetDlgCode Message{};
    G.SetOptions(G.Options() - TGridOptions{goEditing});
    G.WMGetDlgCode(Message);
    EXPECT_TRUE(Message.Result & DLGC_WANTCHARS);
    EXPECT_TRUE(Message.Result & DLGC_WANTARROWS);
    G.SetOptions(G.Options() + TGridOptions{goEditing});
    Message.Result = 0;
    G.WMGetDlgCode(Message);
    EXPECT_TRUE(Message.Result & DLGC_WANTCHARS);
}

TEST_F(ExGridSelectionTest, AReadOnlyCurrentCellKeepsEditingWanted)
{
    G.SetOptions(G.Options() - TGridOptions{goEditing});
    EXPECT_FALSE(G.IsEditable(1, 1));
    G.FEditDisable = true;
    EXPECT_TRUE(G.IsEditable(1, 1)) << "editing was only suspended";
    G.CellProperties(1, 2)->SetReadOnly(true);
    EXPECT_FALSE(G.IsEditable(1, 2));
    G.FEditDisable = false;
}

TEST_F(ExGridSelectionTest, TheListenerHearsEveryMoveOfTheCurrentCellUntilItIsUnregistered)
{
    struct TListener : ITExStringGridSelect {
        std::vector<std::pair<Integer, Integer>> Calls;
        void SelectionChanged(Integer ACol, Integer ARow) override { Calls.emplace_back(ACol, ARow); }
    } Listener;
    G.FocusCell(2, 3);
    G.RegisterSelListener(&Listener);
    G.SetRow(5);
    ASSERT_EQ(Listener.Calls.size(), 1u);
    EXPECT_EQ(Listener.Calls[0], std::make_pair(Integer(2), Integer(5)));
    G.UnRegisterSelListener(nullptr);
    G.SetRow(6);
    EXPECT_EQ(Listener.Calls.size(), 1u);
}
