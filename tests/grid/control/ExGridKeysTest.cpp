// The grid's keyboard driven by real key events on a form: the gates of the
// navigation settings, wrapping, Home and End, rows by key, the keypad
// separator, Tab to the parent and Tab in a grid where nothing takes the focus.
#include "ExGridOnForm.h"

#include "grid/control/ExCGrid.h"
#include "rtl/StdCtrls.h"

#include <QtTest/QTest>

#include <vector>

namespace {

class TKeysGrid : public TTestExGrid {
public:
    using TTestExGrid::TTestExGrid;
    using TExStringGrid::AutoAddRow;
    using TExStringGrid::FirstFocusCol;
    using TExStringGrid::LastFocusCol;
};

// 5 x 6: one fixed column, one fixed row, data cells (1..4, 1..5).
class ExGridKeysTest : public ::testing::Test {
protected:
    ExGridKeysTest()
    {
        Grid = F.Grid;
        Grid->SetColCount(5);
        Grid->SetRowCount(6);
        Grid->SetFixedCols(1);
        Grid->SetFixedRows(1);
        Fill();
        Other = new TEdit(F.Form.get());
        Other->SetParent(F.Form.get());
        Other->SetBounds(0, 300, 100, 22);
        ShowWithFocus(F.Form.get(), Grid);
    }

    // Cells "c,r".
    void Fill()
    {
        for (Integer R = 0; R < Grid->RowCount(); ++R)
            for (Integer C = 0; C < Grid->ColCount(); ++C)
                Grid->SetCells(C, R, QStringLiteral("%1,%2").arg(C).arg(R));
    }
    String Column(Integer C) const
    {
        QStringList Texts;
        for (Integer R = 0; R < Grid->RowCount(); ++R)
            Texts << Grid->Cells(C, R);
        return Texts.join(u' ');
    }
    void Key(Qt::Key K, Qt::KeyboardModifiers Mods = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), K, Mods);
        QApplication::processEvents();
    }
    void At(Integer C, Integer R)
    {
        Grid->MoveToCell(C, R);
        Grid->SetFocus();
        QApplication::processEvents();
    }
    TPoint Current() const { return TPoint(Grid->Col(), Grid->Row()); }
    void SetOption(TGridOption O, bool On)
    {
        Grid->SetOptions(On ? Grid->Options() + TGridOptions{O} : Grid->Options() - TGridOptions{O});
    }

    TGridOnForm<TKeysGrid> F;
    TKeysGrid* Grid = nullptr;
    TEdit* Other = nullptr;
};

TEST_F(ExGridKeysTest, DefaultNavigationLeavesRowAndClipboardKeysAlone)
{
    QStringList Events;
    Grid->OnClipboardCopy = [&](TObject*, bool&) { Events << "copy"; };
    Grid->OnClipboardPaste = [&](TObject*, bool&) { Events << "paste"; };
    Grid->OnClipboardCut = [&](TObject*, bool&) { Events << "cut"; };
    Grid->OnCanInsertRow = [&](TObject*, Integer, bool&) { Events << "insert"; };
    Grid->OnCanDeleteRow = [&](TObject*, Integer, bool&) { Events << "delete"; };
    At(2, 3);
    const String Before = Column(2);
    Key(Qt::Key_Insert);
    Key(Qt::Key_Delete);
    Key(Qt::Key_C, Qt::ControlModifier);
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Grid->RowCount(), 6);
    EXPECT_EQ(Column(2), Before);
    EXPECT_TRUE(Events.isEmpty()) << Events.join(u',').toStdString();
}

TEST_F(ExGridKeysTest, ClipboardShortcutsReachTheirEvents)
{
    Grid->Navigation()->SetAllowClipboardShortCuts(true);
    struct TCase {
        Qt::Key K;
        Qt::KeyboardModifiers Mods;
        const char* Event;
    };
    const std::vector<TCase> Cases = {
        {Qt::Key_C, Qt::ControlModifier, "copy"},       {Qt::Key_Insert, Qt::ControlModifier, "copy"},
        {Qt::Key_V, Qt::ControlModifier, "paste"},      {Qt::Key_Insert, Qt::ShiftModifier, "paste"},
        {Qt::Key_X, Qt::ControlModifier, "cut"},        {Qt::Key_Delete, Qt::ShiftModifier, "cut"},
    };
    for (const TCase& C : Cases) {
        QStringList Events;
        Grid->OnClipboardCopy = [&](TObject*, bool&) { Events << "copy"; };
        Grid->OnClipboardPaste = [&](TObject*, bool&) { Events << "paste"; };
        Grid->OnClipboardCut = [&](TObject*, bool&) { Events << "cut"; };
        At(2, 2);
        Key(C.K, C.Mods);
        EXPECT_EQ(Events, QStringList{C.Event}) << C.Event;
    }
}

TEST_F(ExGridKeysTest, CtrlASelectsAllOnlyInRangeOrRowSelectMode)
{
    struct TCase {
        bool Range;
        bool RowSel;
        bool SelectsAll;
    };
    for (const TCase& C : {TCase{false, false, false}, TCase{true, false, true}, TCase{false, true, true}}) {
        SetOption(goRangeSelect, C.Range);
        SetOption(goRowSelect, C.RowSel);
        At(2, 2);
        Key(Qt::Key_A, Qt::ControlModifier);
        const TGridRect S = Grid->Selection();
        if (C.SelectsAll) {
            EXPECT_EQ(S, (TGridRect{1, 1, 4, 5})) << C.Range << C.RowSel;
            EXPECT_EQ(Current(), TPoint(4, 5));
        } else {
            EXPECT_EQ(S, (TGridRect{2, 2, 2, 2}));
        }
    }
}

TEST_F(ExGridKeysTest, EnterOnAReadOnlyCellIsConsumedUnlessTheFormPreviewsKeys)
{
    Integer FormDowns = 0;
    Integer GridDowns = 0;
    QList<Integer> Presses;
    F.Form->OnKeyDown = [&](TObject*, Word& K, TShiftState) { FormDowns += K == VK_RETURN; };
    Grid->OnKeyDown = [&](TObject*, Word& K, TShiftState) { GridDowns += K == VK_RETURN; };
    Grid->OnKeyPress = [&](TObject*, Char& K) { Presses << K.unicode(); };
    At(2, 2);
    Key(Qt::Key_Return);
    EXPECT_EQ(FormDowns, 0);
    EXPECT_EQ(GridDowns, 1);
    EXPECT_EQ(Current(), TPoint(2, 2));
    // The character still reaches the grid's key press.
    EXPECT_EQ(Presses, QList<Integer>{13});

    F.Form->SetKeyPreview(true);
    Key(Qt::Key_Return);
    EXPECT_EQ(FormDowns, 1);
    EXPECT_EQ(GridDowns, 2);
}

TEST_F(ExGridKeysTest, TabMovesOnlyWithGoTabs)
{
    At(2, 2);
    Key(Qt::Key_Tab);
    EXPECT_EQ(Current(), TPoint(2, 2));
    EXPECT_TRUE(Other->Focused());

    SetOption(goTabs, true);
    At(2, 2);
    Key(Qt::Key_Tab);
    EXPECT_EQ(Current(), TPoint(3, 2));
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(Current(), TPoint(2, 2));
    At(4, 2);
    Key(Qt::Key_Tab);
    EXPECT_EQ(Current(), TPoint(1, 3));
    EXPECT_TRUE(Grid->Focused());
}

TEST_F(ExGridKeysTest, CursorAdvanceWrapsAtTheEdges)
{
    struct TCase {
        TCursorAdvance Mode;
        TPoint From;
        Qt::Key K;
        TPoint To;
    };
    const std::vector<TCase> Cases = {
        {caDefault, {4, 2}, Qt::Key_Right, {4, 2}},
        {caSnake, {4, 2}, Qt::Key_Right, {1, 3}},
        // In the last data row Right wraps within the row.
        {caSnake, {4, 5}, Qt::Key_Right, {1, 5}},
        {caSnake, {1, 3}, Qt::Key_Left, {4, 2}},
        {caSnake, {3, 1}, Qt::Key_Up, {2, 5}},
        {caLoop, {4, 2}, Qt::Key_Right, {1, 2}},
        {caLoop, {2, 5}, Qt::Key_Down, {2, 1}},
        {caLoop, {2, 3}, Qt::Key_Down, {2, 4}},
        {caLoop, {2, 1}, Qt::Key_Up, {2, 5}},
    };
    for (const TCase& C : Cases) {
        Grid->Navigation()->SetCursorAdvance(C.Mode);
        At(C.From.X, C.From.Y);
        Key(C.K);
        EXPECT_EQ(Current(), C.To) << int(C.Mode) << " from " << C.From.X << "," << C.From.Y;
    }
}

TEST_F(ExGridKeysTest, HomeAndEndByHomeEndKey)
{
    struct TCase {
        THomeEndAction Action;
        Qt::Key K;
        Qt::KeyboardModifiers Mods;
        TPoint To;
    };
    const std::vector<TCase> Cases = {
        {heFirstLastColumn, Qt::Key_Home, Qt::NoModifier, {1, 3}},
        {heFirstLastColumn, Qt::Key_End, Qt::NoModifier, {4, 3}},
        {heFirstLastColumn, Qt::Key_Home, Qt::ControlModifier, {1, 1}},
        {heFirstLastRow, Qt::Key_Home, Qt::NoModifier, {3, 1}},
        {heFirstLastRow, Qt::Key_End, Qt::NoModifier, {3, 5}},
        {heFirstLastCell, Qt::Key_Home, Qt::NoModifier, {1, 1}},
        {heFirstLastCell, Qt::Key_End, Qt::NoModifier, {4, 5}},
    };
    for (const TCase& C : Cases) {
        Grid->Navigation()->SetHomeEndKey(C.Action);
        At(3, 3);
        Key(C.K, C.Mods);
        EXPECT_EQ(Current(), C.To) << int(C.Action) << " " << C.K;
    }
}

TEST_F(ExGridKeysTest, ShiftEndExtendsTheSelectionToTheLastColumn)
{
    At(2, 3);
    Key(Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(Grid->Selection(), (TGridRect{2, 3, 4, 3}));
}

TEST_F(ExGridKeysTest, CursorMoveRowsMovesTheSelectedRowWithCtrlUpDown)
{
    Grid->Navigation()->SetCursorMoveRows(true);
    At(2, 2);
    Key(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(Grid->Cells(2, 3), "2,2");
    EXPECT_EQ(Grid->Cells(2, 2), "2,3");
    EXPECT_EQ(Grid->Row(), 3);
    Key(Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(Grid->Cells(2, 2), "2,2");
    EXPECT_EQ(Grid->Row(), 2);
    // Without the switch Ctrl+Down moves nothing.
    Grid->Navigation()->SetCursorMoveRows(false);
    Key(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(Grid->Cells(2, 2), "2,2");
}

TEST_F(ExGridKeysTest, AppendOnArrowDownAsksOnCanAddRow)
{
    Grid->Navigation()->SetAppendOnArrowDown(true);
    bool Allow = false;
    QList<Integer> Added;
    Grid->OnCanAddRow = [&](TObject*, bool& CanAdd) { CanAdd = Allow; };
    Grid->OnAutoAddRow = [&](TObject*, Integer ARow) { Added << ARow; };
    At(2, 5);
    Key(Qt::Key_Down);
    EXPECT_EQ(Grid->RowCount(), 6);
    EXPECT_TRUE(Added.isEmpty());

    Allow = true;
    Key(Qt::Key_Down);
    EXPECT_EQ(Grid->RowCount(), 7);
    EXPECT_EQ(Added, QList<Integer>{6});
    EXPECT_EQ(Grid->Cells(2, 6), "");
    EXPECT_EQ(Grid->Row(), 6);
}

TEST_F(ExGridKeysTest, AutoAddRowKeepsTheFixedFooterBelowTheNewRow)
{
    Grid->SetFixedFooters(1);
    Grid->SetCells(2, 5, "sum");
    Grid->MoveToCell(2, 4);
    Grid->AutoAddRow();
    EXPECT_EQ(Grid->RowCount(), 7);
    EXPECT_EQ(Grid->Cells(2, 6), "sum");
    EXPECT_EQ(Grid->Cells(2, 5), "");
    EXPECT_EQ(Grid->Cells(2, 4), "2,4");
    EXPECT_EQ(Grid->Row(), 5);
}

TEST_F(ExGridKeysTest, InsertAndDeleteWithTheirSwitchesAndCanEvents)
{
    struct TCase {
        Qt::Key K;
        bool Allow;
        TInsertPosition Position;
        Integer Rows;
        Integer EmptyRow; // -1: none
    };
    const std::vector<TCase> Cases = {
        {Qt::Key_Insert, false, pInsertBefore, 6, -1},
        {Qt::Key_Insert, true, pInsertBefore, 7, 3},
        {Qt::Key_Insert, true, pInsertAfter, 7, 4},
        {Qt::Key_Delete, false, pInsertBefore, 6, -1},
        {Qt::Key_Delete, true, pInsertBefore, 5, -1},
    };
    for (const TCase& C : Cases) {
        Grid->SetRowCount(6);
        Fill();
        Grid->Navigation()->SetAllowInsertRow(true);
        Grid->Navigation()->SetAllowDeleteRow(true);
        Grid->Navigation()->SetInsertPosition(C.Position);
        Grid->SetFilterActive(true);
        QList<Integer> Asked;
        Grid->OnCanInsertRow = [&](TObject*, Integer ARow, bool& Can) {
            Asked << ARow;
            Can = C.Allow;
        };
        Grid->OnCanDeleteRow = [&](TObject*, Integer ARow, bool& Can) {
            Asked << ARow;
            Can = C.Allow;
        };
        At(2, 3);
        Key(C.K);
        EXPECT_EQ(Asked, QList<Integer>{3}) << C.K << C.Allow;
        EXPECT_EQ(Grid->RowCount(), C.Rows) << C.K << C.Allow;
        EXPECT_TRUE(Grid->FilterActive()) << "the filter state is restored";
        if (C.EmptyRow >= 0) {
            EXPECT_EQ(Grid->Cells(2, C.EmptyRow), "");
            EXPECT_EQ(Grid->Row(), C.EmptyRow);
        }
        if (C.K == Qt::Key_Delete && C.Allow)
            EXPECT_EQ(Grid->Cells(2, 3), "2,4");
        Grid->SetFilterActive(false);
    }
}

TEST_F(ExGridKeysTest, KeypadPointTypesTheUsersSeparator)
{
    const Char Saved = FormatSettings.DecimalSeparator;
    FormatSettings.DecimalSeparator = u',';
    SetOption(goEditing, true);
    Grid->SetExcelStyleDecimalSeparator(true);
    At(2, 2);
    Key(Qt::Key_Period, Qt::KeypadModifier);
    ASSERT_NE(Grid->InplaceEditor(), nullptr);
    EXPECT_EQ(Grid->InplaceEditor()->Text(), ",");
    Key(Qt::Key_Escape);
    // The main keyboard's point stays a point.
    At(3, 2);
    Key(Qt::Key_Period);
    ASSERT_NE(Grid->InplaceEditor(), nullptr);
    EXPECT_EQ(Grid->InplaceEditor()->Text(), ".");
    FormatSettings.DecimalSeparator = Saved;
}

TEST_F(ExGridKeysTest, TabOnTheLastCellHandsTabToTheParent)
{
    SetOption(goTabs, true);
    Grid->Navigation()->SetTabToNextAtEnd(true);
    At(4, 5);
    EXPECT_FALSE(Grid->TabToNextCell(false));
    EXPECT_EQ(Current(), TPoint(1, 1));
    QApplication::processEvents();
    EXPECT_TRUE(Other->Focused());
    // Elsewhere Tab stays in the grid.
    At(2, 2);
    EXPECT_TRUE(Grid->TabToNextCell(false));
    EXPECT_EQ(Current(), TPoint(3, 2));
}

TEST_F(ExGridKeysTest, TabWithoutAnyCellThatMayTakeTheFocusReturns)
{
    SetOption(goEditing, true);
    SetOption(goTabs, true);
    Integer Asked = 0;
    Grid->OnCanEditCell = [&](TObject*, Integer, Integer, bool& CanEdit) {
        ++Asked;
        CanEdit = false;
    };
    At(2, 2);
    EXPECT_TRUE(Grid->TabToNextCell(false));
    EXPECT_EQ(Current(), TPoint(2, 2));
    EXPECT_TRUE(Grid->TabToNextCell(true));
    EXPECT_EQ(Current(), TPoint(2, 2));
    EXPECT_GT(Asked, 0);
    Grid->Navigation()->SetTabToNextAtEnd(true);
    EXPECT_FALSE(Grid->TabToNextCell(false));
    EXPECT_EQ(Current(), TPoint(2, 2));
}

TEST_F(ExGridKeysTest, TabSkipsReadOnlyCellsWhileEditing)
{
    SetOption(goEditing, true);
    SetOption(goTabs, true);
    Grid->Navigation()->SetAdvanceAutoEdit(false);
    Grid->OnCanEditCell = [](TObject*, Integer, Integer ACol, bool& CanEdit) { CanEdit = ACol != 3; };
    At(2, 2);
    Key(Qt::Key_Tab);
    EXPECT_EQ(Current(), TPoint(4, 2));
}

TEST_F(ExGridKeysTest, SpaceTogglesAnEditableCheckBoxOnly)
{
    Grid->AddCheckBox(2, 2, false, true);
    Grid->AddCheckBox(3, 2, false, true);
    Grid->OnCanEditCell = [](TObject*, Integer, Integer ACol, bool& CanEdit) { CanEdit = ACol != 3; };
    QList<Integer> Clicked;
    Grid->OnCheckBoxClick = [&](TObject*, Integer ACol, Integer, bool) { Clicked << ACol; };
    SetOption(goEditing, true);
    At(2, 2);
    Key(Qt::Key_Space);
    EXPECT_EQ(Grid->Cells(2, 2), Grid->CheckTrue());
    At(3, 2);
    Key(Qt::Key_Space);
    EXPECT_EQ(Grid->Cells(3, 2), Grid->CheckFalse());
    EXPECT_EQ(Clicked, QList<Integer>{2});
}

TEST_F(ExGridKeysTest, AltGrGivesNoAltInTheShiftState)
{
    QList<bool> AltSeen;
    Grid->OnKeyDown = [&](TObject*, Word& K, TShiftState Shift) {
        if (K == VK_DOWN)
            AltSeen << Shift.Contains(ssAlt);
    };
    At(2, 2);
    Key(Qt::Key_Down, Qt::AltModifier);
    Key(Qt::Key_Down, Qt::AltModifier | Qt::GroupSwitchModifier);
    EXPECT_EQ(AltSeen, (QList<bool>{true, false}));
}

TEST_F(ExGridKeysTest, FocusQueriesFollowEditingAndTheSelectCellEvent)
{
    EXPECT_EQ(Grid->FirstFocusCol(2), 1);
    EXPECT_EQ(Grid->LastFocusCol(2), 4);
    Grid->OnSelectCell = [](TObject*, Integer ACol, Integer, bool& Can) { Can = Can && ACol != 1 && ACol != 4; };
    EXPECT_EQ(Grid->FirstFocusCol(2), 2);
    EXPECT_EQ(Grid->LastFocusCol(2), 3);
    Grid->OnSelectCell = nullptr;
    SetOption(goEditing, true);
    Grid->OnCanEditCell = [](TObject*, Integer, Integer, bool& CanEdit) { CanEdit = false; };
    EXPECT_EQ(Grid->FirstFocusCol(2), -1);
    EXPECT_EQ(Grid->LastFocusCol(2), -1);
}

// A column grid shaped like the port grid: a read-only column between
// editable ones, editing on. Enter reaches OnKeyPress on the read-only cell
// and opens the editor on an editable one.
TEST(ExGridKeysColumnGridTest, EnterReachesOnKeyPress)
{
    TGridOnForm<TExColumnGrid> F;
    TExColumnGrid* Grid = F.Grid;
    Grid->SetColCount(4);
    Grid->SetRowCount(4);
    Grid->SetFixedCols(1);
    Grid->SetFixedRows(1);
    Grid->Columns()->Items(2)->SetReadOnly(true);
    Grid->SetOptions(Grid->Options() + TGridOptions{goEditing});
    QList<Integer> Presses;
    Grid->OnKeyPress = [&](TObject*, Char& K) { Presses << K.unicode(); };
    ShowWithFocus(F.Form.get(), Grid);
    Grid->MoveToCell(2, 1);
    Grid->SetFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(Presses, QList<Integer>{13});
    EXPECT_FALSE(Grid->EditorMode());

    Grid->MoveToCell(1, 1);
    Grid->SetFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_TRUE(Grid->InplaceEditor() && Grid->InplaceEditor()->Visible());
}

} // namespace
