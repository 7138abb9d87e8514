// What follows a moved column or row besides its cells, and the grid
// following its owner form's size.
#include "ExGridTestForm.h"

#include <stdexcept>

namespace {

class TMovedGrid : public TTestExGrid {
public:
    using TTestExGrid::TTestExGrid;
    using TExStringGrid::ColMoveFlg;
};

// A grid of Cols columns without fixed ones, cells "c,r".
struct TMovedForm {
    explicit TMovedForm(Integer Cols = 5)
    {
        Form->SetClientWidth(600);
        Form->SetClientHeight(400);
        Grid = new TMovedGrid(Form.get());
        Grid->SetParent(Form.get());
        Grid->SetColCount(Cols);
        Grid->SetRowCount(4);
        Grid->SetFixedCols(0);
        for (Integer R = 0; R < Grid->RowCount(); ++R)
            for (Integer C = 0; C < Cols; ++C)
                Grid->SetCells(C, R, QStringLiteral("%1,%2").arg(C).arg(R));
    }
    std::vector<Integer> Widths() const
    {
        std::vector<Integer> V;
        for (Integer C = 0; C < Grid->ColCount(); ++C)
            V.push_back(Grid->ColWidths(C));
        return V;
    }

    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TMovedGrid* Grid = nullptr;
};

} // namespace

// ---------------------------------------------------------------- columns

TEST(ExGridMoved, WidthsAndCellsTravelWithTheColumn)
{
    TMovedForm F;
    for (Integer C = 0; C < 5; ++C)
        F.Grid->SetColWidths(C, 10 * (C + 1));
    std::vector<std::pair<Integer, Integer>> Events;
    F.Grid->OnColumnMoved = [&](TObject*, Integer From, Integer To) { Events.emplace_back(From, To); };
    F.Grid->MoveColumn(1, 3);
    EXPECT_EQ(F.Widths(), (std::vector<Integer>{10, 30, 40, 20, 50}));
    EXPECT_EQ(F.Grid->Cells(3, 2), "1,2");
    EXPECT_EQ(F.Grid->Cells(1, 2), "2,2");
    EXPECT_EQ(Events, (std::vector<std::pair<Integer, Integer>>{{1, 3}}));
    EXPECT_TRUE(F.Grid->ColMoveFlg);
}

TEST(ExGridMoved, SortColumnAndCurrentColumnFollowTheMove)
{
    struct Case {
        Integer From, To, Expected;
    };
    for (const Case& K : {Case{1, 3, 2}, Case{3, 1, 1}, Case{4, 1, 4}, Case{4, 5, 3}}) {
        TMovedForm F(6);
        F.Grid->SortSettings()->SetColumn(3);
        F.Grid->SortSettings()->SetIndexShow(true);
        F.Grid->SortIndexes()->AddIndex(3, false);
        F.Grid->SortIndexes()->AddIndex(0, true);
        F.Grid->SetCol(3);
        F.Grid->MoveColumn(K.From, K.To);
        EXPECT_EQ(F.Grid->SortSettings()->Column(), K.Expected) << K.From << " to " << K.To;
        EXPECT_EQ(F.Grid->Col(), K.Expected) << K.From << " to " << K.To;
        EXPECT_EQ(F.Grid->SortIndexes()->GetSortColumns(0), K.Expected);
        EXPECT_FALSE(F.Grid->SortIndexes()->SortDirections(0)) << "the direction bits stay";
        EXPECT_EQ(F.Grid->SortIndexes()->GetSortColumns(1), K.From == 0 ? K.To : 0);
    }
}

// Also without EnhRowColMove: the cells move by real column either way.
TEST(ExGridMoved, AHiddenColumnsFlagAndStoredWidthTravelWithIt)
{
    for (const bool Enhanced : {true, false}) {
        TMovedForm F;
        F.Grid->SetEnhRowColMove(Enhanced);
        for (Integer C = 0; C < 5; ++C)
            F.Grid->SetColWidths(C, 10 * (C + 1));
        F.Grid->HideColumn(2);
        ASSERT_EQ(F.Grid->ColCount(), 4);
        // Display 1 is real 1, display 2 real 3: the real order becomes 0, 2, 3, 1, 4.
        F.Grid->MoveColumn(1, 2);
        EXPECT_EQ(F.Grid->ColMoveFlg, Enhanced);
        EXPECT_TRUE(F.Grid->IsHiddenColumn(1)) << Enhanced;
        EXPECT_FALSE(F.Grid->IsHiddenColumn(2)) << Enhanced;
        EXPECT_EQ(F.Grid->AllColWidths(1), 30) << Enhanced;
        EXPECT_EQ(F.Grid->Cells(1, 1), "2,1");
        EXPECT_EQ(F.Grid->Cells(3, 1), "1,1");
        F.Grid->UnHideColumnsAll();
        EXPECT_EQ(F.Widths(), (std::vector<Integer>{10, 30, 40, 20, 50})) << Enhanced;
        EXPECT_EQ(F.Grid->Cells(1, 0), "2,0");
    }
}

TEST(ExGridMoved, HiddenRowsCellsMoveWithTheColumn)
{
    TMovedForm F;
    F.Grid->HideRow(2);
    F.Grid->MoveColumn(0, 4);
    F.Grid->UnHideRow(2);
    EXPECT_EQ(F.Grid->Cells(4, 2), "0,2");
    EXPECT_EQ(F.Grid->Cells(0, 2), "1,2");
    EXPECT_EQ(F.Grid->Cells(4, 1), "0,1");
}

TEST(ExGridMoved, SynchronisedGridsMoveEachOtherOnce)
{
    TMovedForm A, B;
    A.Grid->SyncGrid()->SetGrid(B.Grid);
    A.Grid->SyncGrid()->SetMoveColumn(true);
    A.Grid->SyncGrid()->SetMoveRow(true);
    B.Grid->SyncGrid()->SetGrid(A.Grid);
    B.Grid->SyncGrid()->SetMoveColumn(true);
    B.Grid->SyncGrid()->SetMoveRow(true);
    Integer MovesA = 0, MovesB = 0;
    A.Grid->OnColumnMoved = [&](TObject*, Integer, Integer) { ++MovesA; };
    B.Grid->OnColumnMoved = [&](TObject*, Integer, Integer) { ++MovesB; };
    A.Grid->MoveColumn(0, 2);
    EXPECT_EQ(MovesA, 1);
    EXPECT_EQ(MovesB, 1);
    EXPECT_EQ(B.Grid->Cells(2, 1), "0,1");
    B.Grid->MoveColumn(2, 0);
    EXPECT_EQ(MovesA, 2);
    EXPECT_EQ(MovesB, 2);
    EXPECT_EQ(A.Grid->Cells(0, 1), "0,1");

    Integer RowMovesB = 0;
    B.Grid->OnRowMoved = [&](TObject*, Integer, Integer) { ++RowMovesB; };
    A.Grid->MoveRow(1, 3);
    EXPECT_EQ(RowMovesB, 1);
    EXPECT_EQ(B.Grid->Cells(0, 3), "0,1");
    EXPECT_EQ(A.Grid->Cells(0, 3), "0,1");
}

// ---------------------------------------------------------------- rows

TEST(ExGridMoved, OnRowMovedComesOnceAfterTheHeights)
{
    TMovedForm F;
    for (Integer R = 0; R < 4; ++R)
        F.Grid->SetRowHeights(R, 20 + R);
    std::vector<Integer> HeightAtTarget;
    F.Grid->OnRowMoved = [&](TObject*, Integer, Integer To) { HeightAtTarget.push_back(F.Grid->RowHeights(To)); };
    F.Grid->MoveRow(1, 3);
    EXPECT_EQ(HeightAtTarget, std::vector<Integer>{21});
    EXPECT_EQ(F.Grid->Cells(0, 3), "0,1");
    ASSERT_TRUE(F.Grid->OnRowMoved) << "the handler is back";
}

TEST(ExGridMoved, NoRowMovesOntoTheFixedFooterRow)
{
    TMovedForm F;
    for (Integer R = 0; R < 4; ++R)
        F.Grid->SetRowHeights(R, 20 + R);
    F.Grid->FloatingFooter()->SetVisible(true);
    F.Grid->FloatingFooter()->SetFooterStyle(fsFixedLastRow);
    const Integer Last = F.Grid->RowCount() - 1;
    const String Footer = F.Grid->Cells(0, Last);
    Integer Events = 0;
    F.Grid->OnRowMoved = [&](TObject*, Integer, Integer) { ++Events; };
    F.Grid->MoveRow(1, Last);
    EXPECT_EQ(Events, 0);
    EXPECT_EQ(F.Grid->Cells(0, 1), "0,1");
    EXPECT_EQ(F.Grid->Cells(0, Last), Footer);
    EXPECT_EQ(F.Grid->RowHeights(1), 21);
}

// ---------------------------------------------------------------- sizing with the form

TEST(ExGridMoved, TheGridGrowsAndShrinksWithTheForm)
{
    auto Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(0, 0, 600, 400);
    Integer OwnRuns = 0;
    Form->OnResize = [&OwnRuns](TObject*) {
        ++OwnRuns;
        throw std::runtime_error("the form's own handler fails");
    };
    auto* Grid = new TExStringGrid(Form.get());
    Grid->SetParent(Form.get());
    Grid->SetBounds(10, 10, 300, 200);
    Grid->SetSizeWithForm(true);

    Form->SetBounds(0, 0, 700, 450);
    EXPECT_NO_THROW(Form->OnResize(Form.get()));
    EXPECT_EQ(Grid->Width(), 400);
    EXPECT_EQ(Grid->Height(), 250);
    EXPECT_EQ(Grid->PrevSizeX, 700);
    EXPECT_GE(OwnRuns, 1);

    // So small that the grid's width would be 0: nothing changes.
    Form->SetBounds(0, 0, 300, 450);
    Form->OnResize(Form.get());
    EXPECT_EQ(Grid->Width(), 400);
    EXPECT_EQ(Grid->PrevSizeX, 700);
}

TEST(ExGridMoved, GridsOnOneFormChainAndAFreedOneIsPassedOver)
{
    auto Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(0, 0, 600, 400);
    Integer OwnRuns = 0;
    Form->OnResize = [&OwnRuns](TObject*) { ++OwnRuns; };
    auto* First = new TExStringGrid(Form.get());
    auto* Second = new TExStringGrid(Form.get());
    for (TExStringGrid* G : {First, Second}) {
        G->SetParent(Form.get());
        G->SetBounds(0, 0, 200, 100);
        G->SetSizeWithForm(true);
    }
    Form->SetBounds(0, 0, 650, 400);
    const Integer Before = OwnRuns;
    Form->OnResize(Form.get());
    EXPECT_EQ(OwnRuns, Before + 1);
    EXPECT_EQ(First->Width(), 250);
    EXPECT_EQ(Second->Width(), 250);

    // The first grid goes; the second still calls on to the form's handler.
    delete First;
    Form->SetBounds(0, 0, 700, 400);
    const Integer BeforeSecond = OwnRuns;
    Form->OnResize(Form.get());
    EXPECT_EQ(OwnRuns, BeforeSecond + 1);
    EXPECT_EQ(Second->Width(), 300);
    delete Second;
    Form->OnResize(Form.get());
    EXPECT_EQ(OwnRuns, BeforeSecond + 2);
}
