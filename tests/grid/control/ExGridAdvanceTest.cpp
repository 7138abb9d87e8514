// Moving on to the next cell after Enter, and the grid's key press.
#include "ExGridEditTestSupport.h"

namespace {

class ExGridAdvanceTest : public ExGridEditTest {
protected:
    // Enter on (ACol, ARow) with the grid focused and no editor open.
    void EnterAt(Integer ACol, Integer ARow)
    {
        Grid->MoveToCell(ACol, ARow);
        Grid->AdvanceToNextCell(ACol, ARow, false, false, true, false, false);
    }
    TPoint Current() const { return TPoint(Grid->Col(), Grid->Row()); }
};

TEST_F(ExGridAdvanceTest, WithoutAdvanceOnEnterOnlyAForcedAdvanceMoves)
{
    EnterAt(1, 1);
    EXPECT_EQ(Current(), TPoint(1, 1));
    Grid->AdvanceToNextCell(1, 1, true, false, true, false, false);
    EXPECT_EQ(Current(), TPoint(2, 1));
    // Enter in the text editor neither moves.
    Open(2, 1);
    Key(Qt::Key_Return);
    EXPECT_EQ(Current(), TPoint(2, 1));
}

TEST_F(ExGridAdvanceTest, LeftRightWrapsRowsAndLoopsAtTheLastCell)
{
    Grid->Navigation()->SetAdvanceOnEnter(true);
    EnterAt(4, 2);
    EXPECT_EQ(Current(), TPoint(1, 3));
    EnterAt(4, 5);
    EXPECT_EQ(Current(), TPoint(1, 1));
    // Top to bottom goes down the column.
    Grid->Navigation()->SetAdvanceDirection(adTopBottom);
    EnterAt(2, 2);
    EXPECT_EQ(Current(), TPoint(2, 3));
    EnterAt(2, 5);
    EXPECT_EQ(Current(), TPoint(3, 1));
}

TEST_F(ExGridAdvanceTest, AdvanceInsertAppendsARowAndEntersItsFirstDataColumn)
{
    Grid->Navigation()->SetAdvanceOnEnter(true);
    Grid->Navigation()->SetAdvanceInsert(true);
    Integer Added = -1;
    Grid->OnAutoAddRow = [&](TObject*, Integer ARow) { Added = ARow; };
    EnterAt(4, 5);
    EXPECT_EQ(Grid->RowCount(), 7);
    EXPECT_EQ(Added, 6);
    EXPECT_EQ(Current(), TPoint(1, 6));
    // A refused row keeps the row, at its first data column.
    Grid->OnCanAddRow = [](TObject*, bool& CanAdd) { CanAdd = false; };
    EnterAt(4, 6);
    EXPECT_EQ(Grid->RowCount(), 7);
    EXPECT_EQ(Current(), TPoint(1, 6));
}

TEST_F(ExGridAdvanceTest, AMergedCellIsPassedAsAWhole)
{
    Grid->Navigation()->SetAdvanceOnEnter(true);
    Grid->MergeCells(1, 2, 2, 1);
    EnterAt(1, 2);
    EXPECT_EQ(Current(), TPoint(3, 2));
}

TEST_F(ExGridAdvanceTest, ReadOnlyCellsAreSkippedAndAllReadOnlyStopsOnTheStartCell)
{
    Grid->Navigation()->SetAdvanceOnEnter(true);
    bool AllReadOnly = false;
    Grid->OnCanEditCell = [&](TObject*, Integer ARow, Integer ACol, bool& CanEdit) {
        CanEdit = !AllReadOnly && !(ARow == 1 && (ACol == 2 || ACol == 3));
    };
    EnterAt(1, 1);
    EXPECT_EQ(Current(), TPoint(4, 1));
    AllReadOnly = true;
    EnterAt(2, 3);
    EXPECT_EQ(Current(), TPoint(2, 3));
}

TEST_F(ExGridAdvanceTest, AFooterRowIsNeverEntered)
{
    Grid->Navigation()->SetAdvanceOnEnter(true);
    Grid->Navigation()->SetAdvanceDirection(adTopBottom);
    Grid->SetFixedFooters(1);
    EnterAt(2, 4);
    EXPECT_EQ(Current(), TPoint(3, 1));
}

TEST_F(ExGridAdvanceTest, RefusingAutoAdvanceOrCellChangingKeepsTheCell)
{
    Grid->Navigation()->SetAdvanceOnEnter(true);
    bool Refuse = true;
    Grid->OnAutoAdvance = [&](TObject*, Integer, Integer, bool& Allow) { Allow = !Refuse; };
    EnterAt(1, 1);
    EXPECT_EQ(Current(), TPoint(1, 1));
    Refuse = false;
    Grid->OnCellChanging = [](TObject*, Integer, Integer, Integer, Integer NewCol, bool& Allow) {
        Allow = NewCol != 2;
    };
    EnterAt(1, 1);
    EXPECT_EQ(Current(), TPoint(1, 1));
}

TEST_F(ExGridAdvanceTest, IncrementalSearchFindsTheFirstRowInTheSortColumn)
{
    Grid->SetOptions(Grid->Options() - TGridOptions{goEditing});
    Grid->Navigation()->SetAutoGotoWhenSorted(true);
    Grid->SortSettings()->SetColumn(1);
    Grid->SetCells(1, 4, QStringLiteral("banana"));
    Grid->MoveToCell(1, 1);
    Grid->SetFocus();
    Key(Qt::Key_B);
    EXPECT_EQ(Grid->Row(), 4);
}

} // namespace
