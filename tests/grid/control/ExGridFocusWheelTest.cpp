// Focus, sizing, zoom and the mouse wheel of the string grid.
#include "ExGridMouse.h"
#include "ExGridOnForm.h"

#include "grid/control/ExGrid_Settings.h"
#include "rtl/Forms.h"
#include "rtl/StdCtrls.h"
#include "rtl/Windows.h"

#include <QWheelEvent>

namespace {

class TFocusGrid : public TTestExGrid {
public:
    using TTestExGrid::TTestExGrid;
    using TExStringGrid::CalcSizingState;
};

struct TFocusForm : TGridOnForm<TFocusGrid> {
    TFocusForm()
    {
        Other = new TEdit(Form.get());
        Other->SetParent(Form.get());
        Other->SetBounds(0, 285, 100, 14);
        Grid->SetColCount(4);
        Grid->SetRowCount(20);
        Grid->SetOptions(Grid->Options() + goEditing);
    }
    void FocusAway()
    {
        Other->SetFocus();
        QApplication::processEvents();
    }
    void FocusGrid()
    {
        Grid->SetFocus();
        QApplication::processEvents();
    }
    // One wheel event on the grid's client area; negative turns toward the user.
    void Wheel(int Delta, Qt::KeyboardModifiers Mods = Qt::NoModifier)
    {
        QWidget* Client = Grid->ClientWidget();
        const QPointF P(50, 50);
        QWheelEvent E(P, Client->mapToGlobal(P), QPoint(), QPoint(0, Delta), Qt::NoButton, Mods, Qt::NoScrollPhase,
                      false);
        QApplication::sendEvent(Client, &E);
    }
    TEdit* Other = nullptr;
};

std::vector<Integer> Widths(TExStringGrid* G)
{
    std::vector<Integer> W;
    for (Integer C = 0; C < G->ColCount(); ++C)
        W.push_back(G->ColWidths(C));
    return W;
}

std::vector<Integer> Heights(TExStringGrid* G)
{
    std::vector<Integer> H;
    for (Integer R = 0; R < G->RowCount(); ++R)
        H.push_back(G->RowHeights(R));
    return H;
}

} // namespace

// ---------------------------------------------------------------- focus

TEST(ExGridFocus, CellsThatMayNotBeEditedKeepTheEditorClosed)
{
    TFocusForm F;
    F.Show();
    F.Grid->Navigation()->SetAlwaysEdit(true);
    F.Grid->SetCol(1);
    F.Grid->SetRow(2);
    F.FocusGrid();
    F.Grid->ShowInplaceEdit();
    F.Grid->HideInplaceEdit();
    F.FocusAway();
    F.Grid->OnCanEditCell = [](TObject*, Integer, Integer, bool& CanEdit) { CanEdit = false; };
    F.FocusGrid();
    EXPECT_FALSE(F.Grid->EditorMode());
}

// ---------------------------------------------------------------- sizing

TEST(ExGridSizingEvents, ColumnAndRowSizeRefusalsCancelTheBorderDrag)
{
    TFocusForm F;
    F.Grid->SetOptions(F.Grid->Options() + goColSizing + goRowSizing);
    F.Show();
    const TRect Header = F.Grid->CellRect(1, 0);
    TGridState State = gsNormal;
    Integer Index = 0, Pos = 0, Ofs = 0;
    F.Grid->CalcSizingState(Header.Right, 5, State, Index, Pos, Ofs);
    ASSERT_EQ(State, gsColSizing);

    Integer Asked = -1;
    F.Grid->OnColumnSize = [&](TObject*, Integer ACol, bool& Allow) {
        Asked = ACol;
        Allow = false;
    };
    F.Grid->CalcSizingState(Header.Right, 5, State, Index, Pos, Ofs);
    EXPECT_EQ(State, gsNormal);
    EXPECT_EQ(Asked, 1);

    const TRect RowHead = F.Grid->CellRect(0, 2);
    F.Grid->CalcSizingState(5, RowHead.Bottom, State, Index, Pos, Ofs);
    ASSERT_EQ(State, gsRowSizing);
    F.Grid->OnRowSize = [&](TObject*, Integer ARow, bool& Allow) {
        Asked = ARow;
        Allow = false;
    };
    F.Grid->CalcSizingState(5, RowHead.Bottom, State, Index, Pos, Ofs);
    EXPECT_EQ(State, gsNormal);
    EXPECT_EQ(Asked, 2);
}

TEST(ExGridSizing, StretchingOnResizeRaisesOnGridResize)
{
    TFocusForm F;
    F.Grid->SetRowCount(3);
    F.Show();
    F.Grid->ColumnSize()->SetStretch(true);
    Integer Resized = 0;
    F.Grid->OnGridResize = [&](TObject*) { ++Resized; };
    F.Grid->SetBounds(0, 0, 400, 200);
    EXPECT_EQ(Resized, 1);
    EXPECT_EQ(F.Grid->ColWidths(3), F.Grid->ClientWidth() - 3 * F.Grid->ColWidths(0) - 1);
}

// ---------------------------------------------------------------- zoom

TEST(ExGridZoom, PlusThenMinusRestoresMinusThenPlusGrowsTinyColumns)
{
    TFocusForm F;
    F.Grid->SetRowCount(4);
    F.Grid->SetColWidths(1, 2);
    F.Grid->SetColWidths(2, 0);
    const auto W0 = Widths(F.Grid);
    const auto H0 = Heights(F.Grid);

    F.Grid->Zoom(3);
    EXPECT_EQ(F.Grid->ZoomFactor(), 3);
    F.Grid->Zoom(-3);
    EXPECT_EQ(Widths(F.Grid), W0);
    EXPECT_EQ(Heights(F.Grid), H0);

    F.Grid->Zoom(-3);
    F.Grid->Zoom(3);
    const auto W = Widths(F.Grid);
    EXPECT_EQ(W[1], 5);
    EXPECT_EQ(W[2], 0);
    EXPECT_EQ(W[3], W0[3]);
    EXPECT_EQ(F.Grid->ZoomFactor(), 0);
}

TEST(ExGridZoom, StepsBeyondTenAreIgnoredWhole)
{
    TFocusForm F;
    F.Grid->Zoom(8);
    const auto W = Widths(F.Grid);
    F.Grid->Zoom(3);
    EXPECT_EQ(F.Grid->ZoomFactor(), 8);
    EXPECT_EQ(Widths(F.Grid), W);
    F.Grid->Zoom(-19);
    EXPECT_EQ(F.Grid->ZoomFactor(), 8);
    F.Grid->Zoom(2);
    EXPECT_EQ(F.Grid->ZoomFactor(), 10);
}

// ---------------------------------------------------------------- wheel

TEST(ExGridWheel, ScrollsOnlyWithWaScrollAndNothingWhenDisabled)
{
    TFocusForm F;
    F.Show();
    F.Grid->MouseActions()->SetWheelIncrement(1);
    F.Grid->MouseActions()->SetWheelAction(waScroll);
    F.Grid->SetRow(2);
    F.Wheel(-120);
    EXPECT_EQ(F.Grid->Row(), 2);
    EXPECT_EQ(F.Grid->TopRow(), 2);

    F.Grid->SetEnableWheel(false);
    F.Grid->MouseActions()->SetWheelAction(waMoveSelection);
    F.Wheel(-120);
    EXPECT_EQ(F.Grid->Row(), 2);
    EXPECT_EQ(F.Grid->TopRow(), 2);
}

TEST(ExGridWheel, AWheelTheParentTakesNeverReachesTheGridsSteps)
{
    TFocusForm F;
    F.Show();
    F.FocusGrid();
    F.Grid->MouseActions()->SetWheelIncrement(1);
    Integer Offered = 0;
    F.Form->OnMouseWheel = [&](TObject*, TShiftState, Integer, TPoint, bool& Handled) {
        ++Offered;
        Handled = true;
    };
    F.Wheel(-120, Qt::ControlModifier);
    EXPECT_GE(Offered, 1);
    EXPECT_EQ(F.Grid->ZoomFactor(), 0);
}

TEST(ExGridFocus, AlwaysEditOpensTheEditorOnFocusButNotOnACheckBox)
{
    TFocusForm F;
    F.Show();
    F.Grid->Navigation()->SetAlwaysEdit(true);
    F.Grid->SetCol(1);
    F.Grid->SetRow(2);
    F.FocusGrid();
    // The text editor is made on its first showing.
    F.Grid->ShowInplaceEdit();
    F.Grid->HideInplaceEdit();
    F.FocusAway();
    ASSERT_FALSE(F.Grid->EditorMode());

    F.FocusGrid();
    EXPECT_TRUE(F.Grid->EditorMode());

    F.Grid->HideInplaceEdit();
    F.FocusAway();
    F.Grid->SetRow(3);
    F.Grid->AddCheckBox(1, 3, false, false);
    F.FocusGrid();
    EXPECT_FALSE(F.Grid->EditorMode());
}

TEST(ExGridSizing, SynchronisedWidthsScaleByTheSizeFactorHalvesToEven)
{
    TFocusForm F;
    F.Show();
    const std::vector<Integer> Start{10, 13, 15, 64};
    for (Integer C = 0; C < 4; ++C)
        F.Grid->SetColWidths(C, Start[C]);
    F.Grid->InitOrigColSizes();
    ASSERT_EQ(F.Grid->FOldSize, 480);
    // No scroll bar takes its share of the client width.
    F.Grid->SetScrollBars(ssNone);
    F.Grid->ColumnSize()->SetSynchWithGrid(true);
    // The client area of a single-bordered grid is 2 pixels narrower:
    // (238 + 2) / 480 halves every remembered width.
    F.Grid->SetBounds(0, 0, 240, 280);
    EXPECT_EQ(Widths(F.Grid), (std::vector<Integer>{5, 6, 8, 32}));
}

TEST(ExGridWheel, ANotchMovesTheRowByTheIncrementOrTheLinesPerNotch)
{
    for (const Integer Increment : {1, 2, 0}) {
        TFocusForm F;
        F.Show();
        F.Grid->MouseActions()->SetWheelIncrement(Increment);
        const Integer Step = Increment > 0 ? Increment : QApplication::wheelScrollLines();
        ASSERT_EQ(F.Grid->FWheelScrollLines, QApplication::wheelScrollLines());
        F.Grid->SetRow(5);
        F.Wheel(-120);
        EXPECT_EQ(F.Grid->Row(), 5 + Step) << Increment;
        F.Wheel(120);
        EXPECT_EQ(F.Grid->Row(), 5) << Increment;
    }
}

TEST(ExGridWheel, CtrlZoomsByTheLinesPerNotch)
{
    TFocusForm F;
    F.Show();
    F.Grid->MouseActions()->SetWheelIncrement(1);
    F.Grid->SetRow(5);
    F.Wheel(-120, Qt::ControlModifier);
    EXPECT_EQ(F.Grid->ZoomFactor(), F.Grid->FWheelScrollLines);
    EXPECT_EQ(F.Grid->Row(), 5);
    F.Wheel(120, Qt::ControlModifier);
    EXPECT_EQ(F.Grid->ZoomFactor(), 0);
}

TEST(ExGridWheel, PartialNotchesAddUp)
{
    TFocusForm F;
    F.Show();
    F.Grid->MouseActions()->SetWheelIncrement(1);
    F.Grid->SetRow(5);
    F.Wheel(-60);
    EXPECT_EQ(F.Grid->Row(), 5);
    F.Wheel(-60);
    EXPECT_EQ(F.Grid->Row(), 6);
    F.Wheel(-360);
    EXPECT_EQ(F.Grid->Row(), 9);
}

// ---------------------------------------------------------------- panning

TEST(ExGridPan, TheMiddleButtonPansOneStepPerTickOutsideTheDeadZoneAndAnyPressEndsIt)
{
    TFocusForm F;
    F.Show();
    F.Grid->SetIntelliPan(ipBoth);
    F.Grid->SetCol(1);
    F.Grid->SetRow(2);
    const TCursor Before = Screen->Cursor();
    const TGridMouse M{F.Grid};
    const QPoint Origin(100, 100);
    M.Press(Origin, {}, Qt::MiddleButton);
    ASSERT_TRUE(F.Grid->Panning());
    struct {
        Integer Offset;
        TCursor Cursor;
        Integer Col, Row;
    } Cases[] = {{4, 8000, 1, 2}, {6, 8007, 2, 3}};
    for (const auto& Case : Cases) {
        Mouse->SetCursorPos(F.Grid->ClientToScreen(TPoint(Origin.x() + Case.Offset, Origin.y() + Case.Offset)));
        F.Grid->Perform(WM_TIMER, 999, 0);
        EXPECT_EQ(Screen->Cursor(), GridResourceCursor(Case.Cursor)) << Case.Offset;
        EXPECT_EQ(TPoint(F.Grid->Col(), F.Grid->Row()), TPoint(Case.Col, Case.Row)) << Case.Offset;
    }
    M.Press(Origin);
    EXPECT_FALSE(F.Grid->Panning());
    EXPECT_EQ(Screen->Cursor(), Before);
    M.Release(Origin);
}
