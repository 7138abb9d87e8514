// The left press: check boxes, clicks, ratings, radio groups and the
// editor opened by a press, driven by real mouse events.
#include "ExGridMouse.h"
#include "ExGridOnForm.h"

#include "grid/control/ExCGrid.h"

#include <QStringList>

namespace {

// A column grid: row header, two text columns, a "Y"/"N" check-box column.
struct TCheckGrid : TGridOnForm<TExColumnGrid> {
    TCheckGrid()
    {
        Grid->SetColCount(4);
        Grid->SetRowCount(5);
        Grid->SetOptions(Grid->Options() + goEditing);
        TGridColumnItem* Check = Grid->Columns()->Items(3);
        Check->SetEditor(edDataCheckBox);
        Check->SetCheckTrue(QStringLiteral("Y"));
        Check->SetCheckFalse(QStringLiteral("N"));
        for (Integer R = 1; R < 5; ++R)
            Grid->SetCells(3, R, QStringLiteral("N"));
        Grid->OnCheckBoxChange = [this](TObject*, Integer C, Integer R, bool S) {
            Log << QStringLiteral("change %1 %2 %3 current %4").arg(C).arg(R).arg(S).arg(Grid->Row());
        };
        Grid->OnCheckBoxClick = [this](TObject*, Integer C, Integer R, bool S) {
            Log << QStringLiteral("click %1 %2 %3 current %4").arg(C).arg(R).arg(S).arg(Grid->Row());
        };
        Grid->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, Integer, Integer) { Log << "down"; };
        Grid->OnClick = [this](TObject*) { Log << "onclick"; };
        Show();
    }
    TGridMouse Mouse{Grid};
    QStringList Log;
};

} // namespace

TEST(ExGridPress, CheckBoxPressTogglesAndRaisesInOrder)
{
    TCheckGrid F;
    F.Mouse.Click(F.Mouse.At(3, 2, 30, 8));
    EXPECT_EQ(F.Grid->Cells(3, 2), "Y");
    EXPECT_EQ(F.Log, QStringList({"change 3 2 1 current 1", "click 3 2 1 current 2", "down", "onclick"}));
}

TEST(ExGridPress, CheckBoxEventsTellRealAndDisplayColumns)
{
    TCheckGrid F;
    F.Grid->HideColumn(1);
    // The check-box column shows as display column 2.
    F.Mouse.Click(F.Mouse.At(2, 3, 5, 5));
    EXPECT_EQ(F.Grid->Cells(3, 3), "Y");
    ASSERT_GE(F.Log.size(), 2);
    EXPECT_TRUE(F.Log[0].startsWith("change 3 3 1"));
    EXPECT_TRUE(F.Log[1].startsWith("click 2 3 1"));
}

TEST(ExGridPress, CheckBoxesNeedEditingOrAlwaysActive)
{
    TCheckGrid F;
    F.Grid->SetOptions(F.Grid->Options() - goEditing);
    F.Mouse.Click(F.Mouse.At(3, 2, 30, 8));
    EXPECT_EQ(F.Grid->Cells(3, 2), "N");
    EXPECT_TRUE(F.Log.filter("change").isEmpty());
    EXPECT_EQ(F.Grid->Row(), 2);  // selected as any cell

    F.Grid->ControlLook()->SetCheckAlwaysActive(true);
    F.Mouse.Click(F.Mouse.At(3, 3, 30, 8));
    EXPECT_EQ(F.Grid->Cells(3, 3), "Y");
}

TEST(ExGridPress, CheckAllCheckInFixedRowSetsTheColumn)
{
    TGridOnForm<TExStringGrid> F;
    F.Grid->SetColCount(3);
    F.Grid->SetRowCount(5);
    F.Grid->SetOptions(F.Grid->Options() + goEditing);
    F.Grid->MouseActions()->SetCheckAllCheck(true);
    for (Integer R = 0; R < 5; ++R)
        F.Grid->AddCheckBox(2, R, false, false);
    F.Show();
    TGridMouse M{F.Grid};
    M.Click(M.At(2, 0, 5, 5));
    for (Integer R = 0; R < 5; ++R) {
        bool State = false;
        ASSERT_TRUE(F.Grid->GetCheckBoxState(2, R, State));
        EXPECT_TRUE(State) << R;
    }
}

namespace {

struct TClickGrid : TGridOnForm<TExStringGrid> {
    TClickGrid()
    {
        Grid->SetColCount(5);
        Grid->SetRowCount(6);
        Grid->SetDefaultColWidth(64);
        Grid->OnClickCell = [this](TObject*, Integer R, Integer C) { Clicks << QStringLiteral("%1,%2").arg(R).arg(C); };
        Show();
    }
    TGridMouse Mouse{Grid};
    QStringList Clicks;
};

} // namespace

TEST(ExGridPress, ClickCellComesRowFirst)
{
    TClickGrid F;
    F.Mouse.Click(F.Mouse.At(3, 2, 20, 5));
    EXPECT_EQ(F.Clicks, QStringList{"2,3"});
    EXPECT_EQ(F.Grid->Col(), 3);
    EXPECT_EQ(F.Grid->Row(), 2);
}

TEST(ExGridPress, NoClickCellNearHeaderBorderWithColumnSizing)
{
    TClickGrid F;
    F.Grid->SetOptions(F.Grid->Options() + goColSizing);
    const TRect R = F.Grid->CellRect(2, 0);
    F.Mouse.Click(QPoint(R.Right - 3, R.Top + 5));
    EXPECT_TRUE(F.Clicks.isEmpty());
    F.Mouse.Click(QPoint(R.Left + 20, R.Top + 5));
    EXPECT_EQ(F.Clicks, QStringList{"0,2"});
}

TEST(ExGridPress, CanClickCellRefusingStopsEverything)
{
    TClickGrid F;
    bool Down = false;
    F.Grid->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, Integer, Integer) { Down = true; };
    F.Grid->OnCanClickCell = [](TObject*, Integer, Integer, bool& Allow) { Allow = false; };
    F.Mouse.Click(F.Mouse.At(3, 4, 20, 5));
    EXPECT_TRUE(F.Clicks.isEmpty());
    EXPECT_FALSE(Down);
    EXPECT_EQ(F.Grid->Col(), 1);
    EXPECT_EQ(F.Grid->Row(), 1);
}

TEST(ExGridPress, RatingTakesHalfStepsFromThePressPoint)
{
    TClickGrid F;
    F.Grid->SetOptions(F.Grid->Options() + goEditing);
    F.Grid->AddRating(2, 3, 5, clYellow, clSilver);
    F.Mouse.Click(F.Mouse.At(2, 3, 40, 5));
    EXPECT_DOUBLE_EQ(F.Grid->Floats(2, 3), 2.0);
}

TEST(ExGridPress, RadioGroupBoundaryHitsNoOption)
{
    TClickGrid F;
    F.Grid->SetOptions(F.Grid->Options() + goEditing);
    F.Grid->SetColWidths(2, 200);
    TStringList Options;
    Options.Add(QStringLiteral("A"));
    Options.Add(QStringLiteral("B"));
    F.Grid->AddRadio(2, 2, 1, 0, &Options);
    Integer Hits = -1;
    F.Grid->OnRadioClick = [&](TObject*, Integer, Integer, Integer I) { Hits = I; };
    // The first option ends at its text width plus the spacing (16 with
    // the themed style).
    F.Grid->Canvas()->Font()->Assign(F.Grid->Font());
    const Integer Boundary = F.Grid->Canvas()->TextWidth(QStringLiteral("A")) + 16;
    const TRect R = F.Grid->CellRect(2, 2);
    F.Grid->ClickRadioGroup(2, 2, Boundary, 5);
    EXPECT_EQ(Hits, -1);
    F.Grid->ClickRadioGroup(2, 2, Boundary + 3, 5);
    EXPECT_EQ(Hits, 1);
    Integer Idx = -1;
    F.Grid->GetRadioIdx(2, 2, Idx);
    EXPECT_EQ(Idx, 1);
    F.Mouse.Click(QPoint(R.Left + 3, R.Top + 5));
    EXPECT_EQ(Hits, 0);
}

TEST(ExGridPress, SecondPressOnCurrentCellOpensItsEditor)
{
    TClickGrid F;
    F.Grid->SetOptions(F.Grid->Options() + goEditing);
    F.Mouse.Click(F.Mouse.At(2, 2, 20, 5));
    EXPECT_FALSE(F.Grid->EditorMode());
    F.Mouse.Click(F.Mouse.At(2, 2, 20, 5));
    EXPECT_TRUE(F.Grid->EditorMode());
}

TEST(ExGridPress, DirectEditOpensOnTheFirstPress)
{
    TClickGrid F;
    F.Grid->SetOptions(F.Grid->Options() + goEditing);
    F.Grid->MouseActions()->SetDirectEdit(true);
    F.Mouse.Click(F.Mouse.At(3, 4, 20, 5));
    EXPECT_EQ(F.Grid->Col(), 3);
    EXPECT_EQ(F.Grid->Row(), 4);
    EXPECT_TRUE(F.Grid->EditorMode());
}

TEST(ExGridPress, PressesOutsideTheCellsSelectNothing)
{
    TClickGrid F;
    F.Grid->SetColCount(2);
    F.Grid->SetRowCount(2);
    F.Mouse.Click(QPoint(400, 250));
    EXPECT_TRUE(F.Clicks.isEmpty());
    EXPECT_EQ(F.Grid->Row(), 1);
}
