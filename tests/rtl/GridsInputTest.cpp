// A shown 10 x 1000 string grid driven with the mouse and the keyboard.
#include "GridsTestForm.h"

#include "rtl/SysUtils.h"

#include <QWheelEvent>

namespace {

class GridsInputTest : public ::testing::Test {
protected:
    void Show(TGridOptions Extra = {})
    {
        G.SetOptions(G.Options() + Extra);
        F.Show();
    }
    void Click(Integer ACol, Integer ARow, Qt::KeyboardModifiers Mods = {})
    {
        QTest::mouseClick(G.Viewport(), Qt::LeftButton, Mods, G.CellCentre(ACol, ARow));
    }
    void Drag(QPoint From, QPoint To)
    {
        QTest::mousePress(G.Viewport(), Qt::LeftButton, {}, From);
        QTest::mouseMove(G.Viewport(), (From + To) / 2);
        QTest::mouseMove(G.Viewport(), To);
        QTest::mouseRelease(G.Viewport(), Qt::LeftButton, {}, To);
    }
    QWidget* Editor() const { return G.InplaceEditor() ? G.InplaceEditor()->Handle() : nullptr; }
    bool EditorShown() const { return Editor() && Editor()->isVisible(); }

    TGridsForm F;
    TTestGrid& G = *F.Grid;
};

TEST_F(GridsInputTest, ClickSelectsTheCellUnderTheMouse)
{
    Show();
    Integer Clicks = 0;
    G.OnClick = [&](TObject*) { ++Clicks; };
    struct Case {
        Integer TopRow, LeftCol, Col, Row;
    };
    for (const Case& C : std::vector<Case>{{1, 1, 3, 4}, {1, 1, 1, 1}, {500, 1, 2, 505}, {990, 5, 9, 999}, {20, 3, 4, 21}}) {
        SCOPED_TRACE(testing::Message() << "cell " << C.Col << "," << C.Row << " top " << C.TopRow);
        G.SetTopRow(C.TopRow);
        G.SetLeftCol(C.LeftCol);
        ASSERT_FALSE(IsRectEmpty(G.CellRect(C.Col, C.Row)));
        Click(C.Col, C.Row);
        EXPECT_EQ(G.Col(), C.Col);
        EXPECT_EQ(G.Row(), C.Row);
        EXPECT_EQ(G.Selection(), (TGridRect{C.Col, C.Row, C.Col, C.Row}));
        EXPECT_EQ(G.GridState(), gsNormal);
    }
    EXPECT_EQ(Clicks, 5);

    // Fixed cells select nothing.
    G.SetTopRow(1);
    G.SetLeftCol(1);
    Click(3, 4);
    Click(0, 6);
    Click(5, 0);
    EXPECT_EQ(G.Col(), 3);
    EXPECT_EQ(G.Row(), 4);

    // Shift extends the range from the anchor; a drag selects one.
    Click(5, 7, Qt::ShiftModifier);
    EXPECT_EQ(G.Selection(), (TGridRect{3, 4, 5, 7}));
    Drag(G.CellCentre(2, 8), G.CellCentre(4, 3));
    EXPECT_EQ(G.Selection(), (TGridRect{2, 3, 4, 8}));
    EXPECT_EQ(G.Col(), 4);
    EXPECT_EQ(G.Row(), 3);

    // Without range selection a drag only moves the current cell.
    G.SetOptions(G.Options() - goRangeSelect);
    Drag(G.CellCentre(2, 8), G.CellCentre(4, 3));
    EXPECT_EQ(G.Selection(), (TGridRect{4, 3, 4, 3}));
}

TEST_F(GridsInputTest, DraggingABorderOfTheFixedCellsResizesOnlyWithTheSizingOption)
{
    struct Case {
        bool Rows;
        bool Allowed;
    };
    for (const Case& C : std::vector<Case>{{false, true}, {false, false}, {true, true}, {true, false}}) {
        SCOPED_TRACE(testing::Message() << (C.Rows ? "row" : "column") << (C.Allowed ? " allowed" : " refused"));
        TGridsForm Form;
        TTestGrid& Grid = *Form.Grid;
        Grid.SetOptions(Grid.Options() - goColSizing - goRowSizing +
                        (C.Allowed ? TGridOptions{C.Rows ? goRowSizing : goColSizing} : TGridOptions{}));
        Form.Show();
        const TRect Cell = Grid.CellRect(2, 3);
        // The border after column 2 in the fixed row, or after row 3 in the
        // fixed column.
        const QPoint Border = C.Rows ? QPoint(Grid.CellCentre(0, 3).x(), Cell.Bottom)
                                     : QPoint(Cell.Right, Grid.CellCentre(2, 0).y());
        const QPoint Delta = C.Rows ? QPoint(0, 17) : QPoint(30, 0);
        QTest::mouseMove(Grid.Viewport(), Border);
        const Qt::CursorShape Expected = !C.Allowed ? Qt::ArrowCursor : C.Rows ? Qt::SplitVCursor : Qt::SplitHCursor;
        EXPECT_EQ(Grid.Viewport()->cursor().shape(), Expected);
        QTest::mousePress(Grid.Viewport(), Qt::LeftButton, {}, Border);
        EXPECT_EQ(Grid.GridState(), !C.Allowed ? gsNormal : C.Rows ? gsRowSizing : gsColSizing);
        QTest::mouseMove(Grid.Viewport(), Border + Delta);
        QTest::mouseRelease(Grid.Viewport(), Qt::LeftButton, {}, Border + Delta);
        EXPECT_EQ(Grid.GridState(), gsNormal);
        EXPECT_EQ(Grid.ColWidths(2), 64 + (C.Allowed && !C.Rows ? 30 : 0));
        EXPECT_EQ(Grid.RowHeights(3), 24 + (C.Allowed && C.Rows ? 17 : 0));
        EXPECT_EQ(Grid.ColWidths(3), 64);
        EXPECT_EQ(Grid.RowHeights(2), 24);
    }
}

TEST_F(GridsInputTest, DraggingAFixedCellMovesItsColumnOrRowOnlyWithTheMovingOption)
{
    struct Case {
        bool Rows;
        bool Allowed;
    };
    for (const Case& C : std::vector<Case>{{false, true}, {false, false}, {true, true}, {true, false}}) {
        SCOPED_TRACE(testing::Message() << (C.Rows ? "row" : "column") << (C.Allowed ? " allowed" : " refused"));
        TGridsForm Form;
        TTestGrid& Grid = *Form.Grid;
        if (C.Allowed)
            Grid.SetOptions(Grid.Options() + (C.Rows ? goRowMoving : goColMoving));
        for (Integer I = 1; I <= 6; ++I) {
            if (C.Rows)
                Grid.SetCells(1, I, QStringLiteral("r%1").arg(I));
            else
                Grid.SetCells(I, 1, QStringLiteral("c%1").arg(I));
        }
        std::vector<std::pair<Integer, Integer>> Moved;
        (C.Rows ? Grid.OnRowMoved : Grid.OnColumnMoved) = [&](TObject*, Integer From, Integer To) {
            Moved.emplace_back(From, To);
        };
        Form.Show();
        const QPoint From = C.Rows ? Grid.CellCentre(0, 2) : Grid.CellCentre(2, 0);
        const QPoint To = C.Rows ? Grid.CellCentre(0, 5) : Grid.CellCentre(5, 0);
        QTest::mousePress(Grid.Viewport(), Qt::LeftButton, {}, From);
        EXPECT_EQ(Grid.GridState(), !C.Allowed ? gsNormal : C.Rows ? gsRowMoving : gsColMoving);
        QTest::mouseMove(Grid.Viewport(), To);
        QTest::mouseRelease(Grid.Viewport(), Qt::LeftButton, {}, To);
        const QStringList Expected = C.Allowed ? QStringList{"1", "3", "4", "5", "2", "6"}
                                               : QStringList{"1", "2", "3", "4", "5", "6"};
        for (Integer I = 1; I <= 6; ++I) {
            const String Cell = C.Rows ? Grid.Cells(1, I) : Grid.Cells(I, 1);
            EXPECT_EQ(Cell, (C.Rows ? QStringLiteral("r") : QStringLiteral("c")) + Expected[I - 1]) << I;
        }
        EXPECT_EQ(Moved.size(), C.Allowed ? 1u : 0u);
        EXPECT_EQ(Grid.GridState(), gsNormal);
    }
}

TEST_F(GridsInputTest, KeysMoveTheCurrentCellAndScrollItIntoView)
{
    Show({goTabs});
    struct Case {
        const char* Name;
        Integer StartCol, StartRow;
        Qt::Key Key;
        Qt::KeyboardModifiers Mods;
        Integer Col, Row; // -1: one page from the start
    };
    const Integer Page = [&] {
        G.SetTopRow(1);
        return G.VisibleRowCount();
    }();
    const std::vector<Case> Cases = {
        {"down", 1, 1, Qt::Key_Down, {}, 1, 2},
        {"up at the fixed row", 1, 1, Qt::Key_Up, {}, 1, 1},
        {"down at the last row", 1, 999, Qt::Key_Down, {}, 1, 999},
        {"right out of view", 5, 5, Qt::Key_Right, {}, 6, 5},
        {"right at the last column", 9, 5, Qt::Key_Right, {}, 9, 5},
        {"left at the fixed column", 1, 5, Qt::Key_Left, {}, 1, 5},
        {"page down", 1, 1, Qt::Key_PageDown, {}, 1, 1 + Page},
        {"page up", 2, 500, Qt::Key_PageUp, {}, 2, 500 - Page},
        {"page down near the end", 1, 995, Qt::Key_PageDown, {}, 1, 999},
        {"ctrl end", 3, 3, Qt::Key_End, Qt::ControlModifier, 9, 999},
        {"ctrl home", 9, 999, Qt::Key_Home, Qt::ControlModifier, 1, 1},
        {"home", 7, 20, Qt::Key_Home, {}, 1, 20},
        {"end", 2, 20, Qt::Key_End, {}, 9, 20},
        {"tab wraps to the next row", 9, 5, Qt::Key_Tab, {}, 1, 6},
        {"tab", 3, 5, Qt::Key_Tab, {}, 4, 5},
        {"shift tab wraps back", 1, 6, Qt::Key_Backtab, Qt::ShiftModifier, 9, 5},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        G.MoveColRow(C.StartCol, C.StartRow, true, true);
        QTest::keyClick(G.Handle(), C.Key, C.Mods);
        EXPECT_EQ(G.Col(), C.Col);
        EXPECT_EQ(G.Row(), C.Row);
        EXPECT_TRUE(G.FullyVisible(G.Col(), G.Row()));
        EXPECT_EQ(G.Selection(), (TGridRect{C.Col, C.Row, C.Col, C.Row}));
    }

    // Shift with an arrow extends the range; Tab without goTabs is no move.
    G.MoveColRow(2, 2, true, true);
    QTest::keyClick(G.Handle(), Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(G.Handle(), Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(G.Selection(), (TGridRect{2, 2, 3, 3}));
    G.SetOptions(G.Options() - goTabs);
    QTest::keyClick(G.Handle(), Qt::Key_Tab);
    EXPECT_EQ(G.Col(), 3);
    EXPECT_EQ(G.Row(), 3);

    // Selecting rows, Left and Right scroll the columns.
    G.SetOptions(G.Options() + goRowSelect);
    G.MoveColRow(1, 10, true, true);
    ASSERT_EQ(G.LeftCol(), 1);
    QTest::keyClick(G.Handle(), Qt::Key_Right);
    EXPECT_EQ(G.LeftCol(), 2);
    EXPECT_EQ(G.Col(), 1);
    EXPECT_EQ(G.Row(), 10);
    EXPECT_EQ(G.Selection(), (TGridRect{1, 10, 9, 10}));
}

TEST_F(GridsInputTest, TypingOpensTheEditorEnterStoresTheTextEscapeRestoresIt)
{
    Show({goEditing});
    G.SetCells(2, 3, QStringLiteral("old"));
    G.MoveColRow(2, 3, true, true);

    // Typing replaces the text; Enter stores it and the grid has the focus.
    QTest::keyClick(G.Handle(), 'n');
    ASSERT_TRUE(EditorShown());
    EXPECT_TRUE(G.EditorMode());
    EXPECT_EQ(F.FocusWidget(), Editor());
    QTest::keyClicks(Editor(), "ew");
    EXPECT_EQ(G.InplaceEditor()->Text(), QStringLiteral("new"));
    QTest::keyClick(Editor(), Qt::Key_Return);
    EXPECT_FALSE(EditorShown());
    EXPECT_FALSE(G.EditorMode());
    EXPECT_EQ(G.Cells(2, 3), QStringLiteral("new"));
    EXPECT_EQ(F.FocusWidget(), G.Handle());

    // F2 opens the editor on the text; Escape leaves the cell as it was.
    QTest::keyClick(G.Handle(), Qt::Key_F2);
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ(G.InplaceEditor()->Text(), QStringLiteral("new"));
    QTest::keyClicks(Editor(), "er");
    EXPECT_EQ(G.InplaceEditor()->Text(), QStringLiteral("newer"));
    QTest::keyClick(Editor(), Qt::Key_Escape);
    EXPECT_FALSE(EditorShown());
    EXPECT_EQ(G.Cells(2, 3), QStringLiteral("new"));

    // Enter opens it too; leaving the cell by the keyboard or the mouse
    // stores what was typed.
    QTest::keyClick(G.Handle(), Qt::Key_Return);
    ASSERT_TRUE(EditorShown());
    QTest::keyClick(Editor(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(Editor(), "down");
    QTest::keyClick(Editor(), Qt::Key_Down);
    EXPECT_FALSE(EditorShown());
    EXPECT_EQ(G.Cells(2, 3), QStringLiteral("down"));
    EXPECT_EQ(G.Row(), 4);
    QTest::keyClick(G.Handle(), 'c');
    QTest::mouseClick(G.Viewport(), Qt::LeftButton, {}, G.CellCentre(5, 6));
    EXPECT_FALSE(EditorShown());
    EXPECT_EQ(G.Cells(2, 4), QStringLiteral("c"));
    EXPECT_EQ(G.Col(), 5);
    // A second click on the current cell edits it.
    QTest::mouseClick(G.Viewport(), Qt::LeftButton, {}, G.CellCentre(5, 6));
    EXPECT_TRUE(EditorShown());
    QTest::keyClick(Editor(), Qt::Key_Escape);

    // Backspace opens the editor empty; a double click opens it too.
    G.SetCells(5, 6, QStringLiteral("text"));
    QTest::keyClick(G.Handle(), Qt::Key_Backspace);
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ(G.InplaceEditor()->Text(), QString());
    QTest::keyClick(Editor(), Qt::Key_Escape);
    EXPECT_EQ(G.Cells(5, 6), QStringLiteral("text"));
    QTest::mouseClick(G.Viewport(), Qt::LeftButton, {}, G.CellCentre(3, 6));
    EXPECT_FALSE(EditorShown());
    QTest::mouseDClick(G.Viewport(), Qt::LeftButton, {}, G.CellCentre(3, 6));
    EXPECT_TRUE(EditorShown());
    EXPECT_EQ(G.Col(), 3);
    QTest::keyClick(Editor(), Qt::Key_Escape);
    G.MoveColRow(5, 6, true, true);

    // Without goEditing typing changes nothing.
    G.SetOptions(G.Options() - goEditing);
    QTest::keyClick(G.Handle(), 'z');
    QTest::keyClick(G.Handle(), Qt::Key_F2);
    EXPECT_FALSE(EditorShown());
    EXPECT_EQ(G.Cells(5, 6), QStringLiteral("text"));
}

TEST_F(GridsInputTest, TheEditorTakesTheCellsLimitAndMaskAndCanFollowTheCurrentCell)
{
    Show({goEditing});
    G.EditLimit = 3;
    G.SetCells(2, 3, QStringLiteral("longer"));
    G.MoveColRow(2, 3, true, true);
    QTest::keyClick(G.Handle(), Qt::Key_F2);
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ(G.InplaceEditor()->Text(), QStringLiteral("longer")) << "a stored text is not cut";
    QTest::keyClick(Editor(), Qt::Key_Escape);
    QTest::keyClick(G.Handle(), 'a');
    QTest::keyClicks(Editor(), "bcd");
    QTest::keyClick(Editor(), Qt::Key_Return);
    EXPECT_EQ(G.Cells(2, 3), QStringLiteral("abc"));

    G.EditLimit = 0;
    G.OnGetEditMask = [](TObject*, Integer ACol, Integer, String& Value) {
        if (ACol == 4)
            Value = QStringLiteral("000;0;_");
    };
    G.MoveColRow(4, 3, true, true);
    QTest::keyClick(G.Handle(), Qt::Key_F2);
    EXPECT_TRUE(G.InplaceEditor()->IsMasked());
    QTest::keyClicks(Editor(), "1x2");
    QTest::keyClick(Editor(), Qt::Key_Return);
    EXPECT_EQ(G.Cells(4, 3), QStringLiteral("12"));

    // With goAlwaysShowEditor the editor moves with the current cell.
    G.OnGetEditMask = nullptr;
    G.SetCells(4, 4, QStringLiteral("below"));
    G.SetOptions(G.Options() + goAlwaysShowEditor);
    ASSERT_TRUE(EditorShown());
    QTest::keyClick(Editor(), Qt::Key_Down);
    EXPECT_EQ(G.Row(), 4);
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ(G.InplaceEditor()->Text(), QStringLiteral("below"));
    EXPECT_EQ(G.InplaceEditor()->BoundsRect(), G.CellRect(4, 4));
}

TEST_F(GridsInputTest, CancelModeEndsADragWithoutApplyingIt)
{
    Show({goColMoving});
    G.SetCells(2, 1, QStringLiteral("two"));
    QTest::mousePress(G.Viewport(), Qt::LeftButton, {}, G.CellCentre(2, 0));
    QTest::mouseMove(G.Viewport(), G.CellCentre(4, 0));
    ASSERT_EQ(G.GridState(), gsColMoving);
    G.Perform(WM_CANCELMODE);
    EXPECT_EQ(G.GridState(), gsNormal);
    QTest::mouseRelease(G.Viewport(), Qt::LeftButton, {}, G.CellCentre(4, 0));
    EXPECT_EQ(G.Cells(2, 1), QStringLiteral("two"));
}

TEST_F(GridsInputTest, ScrollBarsAndTheWheelScroll)
{
    Show();
    const Integer Page = G.VisibleRowCount();
    ASSERT_TRUE(G.VertBar()->isVisible());

    G.VertBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(G.TopRow(), 1 + Page);
    EXPECT_EQ(G.TopLeftChanges, 1);
    G.VertBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(G.TopRow(), Page);
    EXPECT_EQ(G.Row(), 1) << "scrolling leaves the current cell";
    G.VertBar()->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_TRUE(G.FullyVisible(1, 999));
    EXPECT_FALSE(G.FullyVisible(1, G.TopRow() - 1));
    const Integer MaxTop = G.TopRow();
    EXPECT_EQ(G.VertBar()->value(), 127);

    // The thumb moves the view when it is let go, or while it is dragged
    // with goThumbTracking.
    for (bool Tracking : {false, true}) {
        SCOPED_TRACE(Tracking ? "tracking" : "not tracking");
        G.SetOptions(Tracking ? G.Options() + goThumbTracking : G.Options() - goThumbTracking);
        G.SetTopRow(1);
        G.VertBar()->setSliderDown(true);
        G.VertBar()->setSliderPosition(64);
        EXPECT_EQ(G.TopRow(), Tracking ? 1 + MulDiv(64, MaxTop - 1, 127) : 1);
        G.VertBar()->setSliderDown(false);
        EXPECT_EQ(G.TopRow(), 1 + MulDiv(64, MaxTop - 1, 127));
        EXPECT_EQ(G.VertBar()->value(), 64);
    }

    // The wheel moves the current row a notch at a time.
    G.MoveColRow(1, 10, true, true);
    auto Wheel = [&](int Delta) {
        const QPoint P = G.CellCentre(2, 12);
        QWheelEvent E(P, G.Viewport()->mapToGlobal(P), QPoint(), QPoint(0, Delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(G.Viewport(), &E);
    };
    Wheel(-120);
    Wheel(-120);
    EXPECT_EQ(G.Row(), 12);
    Wheel(120);
    EXPECT_EQ(G.Row(), 11);
    Wheel(-60);
    EXPECT_EQ(G.Row(), 11) << "half a notch waits for the other half";
    Wheel(-60);
    EXPECT_EQ(G.Row(), 12);

    // The scroll information as the platform counts it: the position runs
    // to Max - Page + 1, the page sizes the thumb.
    G.SetScrollInfo(SB_VERT, TGridScrollInfo{0, 500, 374, 10});
    EXPECT_EQ(G.VertBar()->maximum(), 127);
    EXPECT_EQ(G.VertBar()->pageStep(), 374);
    EXPECT_EQ(G.VertBar()->value(), 10);
    EXPECT_EQ(G.GetScrollInfo(SB_VERT).Max, 500);
    G.ShowScrollBar(SB_VERT, false);
    EXPECT_FALSE(G.ScrollBarVisible(SB_VERT));
    QApplication::processEvents();
    EXPECT_FALSE(G.VertBar()->isVisible());
    EXPECT_EQ(G.ClientRect().Width(), G.Viewport()->width());
    G.EnableScrollBar(SB_HORZ, false);
    EXPECT_FALSE(G.Area()->horizontalScrollBar()->isEnabled());
}

} // namespace
