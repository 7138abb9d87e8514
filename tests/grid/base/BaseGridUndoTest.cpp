// Undo and redo of cell texts through the grid's undo component.
#include "BaseGridTestForm.h"

namespace {

class BaseGridUndoTest : public ::testing::Test {
protected:
    BaseGridUndoTest()
    {
        U = new TExGridUndoRedo(F.Form.get());
        G.SetUndoRedo(U);
    }
    // Writes the cell and records the change, as the grid control does.
    void Change(Integer C, Integer R, const String& Value)
    {
        U->RegisterChange(C, R, G.Cells(C, R), Value);
        G.SetCells(C, R, Value);
    }
    std::vector<String> Row1() { return {G.Cells(1, 1), G.Cells(2, 1), G.Cells(3, 1), G.Cells(4, 1)}; }

    TBaseGridForm F;
    TTestBaseGrid& G = *F.Grid;
    TExGridUndoRedo* U = nullptr;
};

} // namespace

TEST_F(BaseGridUndoTest, ASequenceIsUndoneAndRedoneAsOne)
{
    EXPECT_EQ(U->Grid(), &G);
    EXPECT_EQ(U->MaxLevel(), 0);
    std::vector<std::tuple<Integer, Integer, String, String>> Undone, Redone;
    U->OnUndo = [&](TObject*, TBaseGrid* Grid, Integer C, Integer R, const String& Orig, const String& New) {
        EXPECT_EQ(Grid, &G);
        Undone.emplace_back(C, R, Orig, New);
    };
    U->OnRedo = [&](TObject*, TBaseGrid*, Integer C, Integer R, const String& Orig, const String& New) {
        Redone.emplace_back(C, R, Orig, New);
    };
    U->StartSequence();
    Change(1, 1, QStringLiteral("a"));
    Change(2, 1, QStringLiteral("b"));
    Change(3, 1, QStringLiteral("c"));
    U->StopSequence();
    EXPECT_EQ(U->Level(), 5);
    EXPECT_TRUE(U->CanUndo());
    EXPECT_FALSE(U->CanRedo());

    U->Undo();
    EXPECT_EQ(U->Level(), 0);
    EXPECT_EQ(Row1(), (std::vector<String>{"", "", "", ""}));
    using E = std::tuple<Integer, Integer, String, String>;
    EXPECT_EQ(Undone, (std::vector<E>{{3, 1, "c", ""}, {2, 1, "b", ""}, {1, 1, "a", ""}}));
    EXPECT_EQ(G.Col(), 1);
    EXPECT_FALSE(U->CanUndo());

    U->Redo();
    EXPECT_EQ(U->Level(), 5);
    EXPECT_EQ(Row1(), (std::vector<String>{"a", "b", "c", ""}));
    EXPECT_EQ(Redone, (std::vector<E>{{1, 1, "", "a"}, {2, 1, "", "b"}, {3, 1, "", "c"}}));
    EXPECT_EQ(G.Col(), 3);
}

TEST_F(BaseGridUndoTest, MaxLevelKeepsTheLastChanges)
{
    U->SetMaxLevel(3);
    for (Integer C = 1; C <= 4; ++C)
        Change(C, 1, IntToStr(C));
    EXPECT_EQ(U->Items()->Count(), 3);
    EXPECT_EQ(U->Level(), 3);
    EXPECT_EQ(U->Items()->Items(0)->Col(), 2);
    for (Integer I = 0; I < 4; ++I)
        U->Undo();
    EXPECT_EQ(Row1(), (std::vector<String>{"1", "", "", ""}));
    EXPECT_EQ(U->Level(), 0);
}

TEST_F(BaseGridUndoTest, ANewChangeAfterAnUndoKeepsTheUndoneEntry)
{
    Change(1, 1, QStringLiteral("a"));
    Change(2, 1, QStringLiteral("b"));
    U->Undo();
    EXPECT_EQ(G.Cells(2, 1), "");
    Change(3, 1, QStringLiteral("c"));
    EXPECT_EQ(U->Items()->Count(), 3);
    EXPECT_EQ(U->Level(), 3);
    U->Undo();
    EXPECT_EQ(G.Cells(3, 1), "");
    // The earlier undone entry is passed again.
    G.SetCells(2, 1, QStringLiteral("again"));
    U->Undo();
    EXPECT_EQ(G.Cells(2, 1), "");
    EXPECT_EQ(U->Level(), 1);

    U->Reset();
    EXPECT_FALSE(U->CanUndo());
    EXPECT_FALSE(U->CanRedo());
    EXPECT_EQ(U->Items()->Count(), 0);
}

TEST_F(BaseGridUndoTest, MarkersAndVanishedCellsAreSteppedOver)
{
    // An open sequence: undoing its start marker writes nothing.
    Change(1, 1, QStringLiteral("a"));
    U->StartSequence();
    U->Undo();
    EXPECT_EQ(U->Level(), 1);
    EXPECT_EQ(G.Cells(1, 1), "a");
    U->Undo();
    EXPECT_EQ(G.Cells(1, 1), "");

    // A cell whose row has gone does not stop the list.
    U->Reset();
    Change(1, 2, QStringLiteral("x"));
    Change(1, 5, QStringLiteral("y"));
    G.SetRowCount(4);
    U->Undo();
    EXPECT_EQ(U->Level(), 1);
    U->Undo();
    EXPECT_EQ(U->Level(), 0);
    EXPECT_EQ(G.Cells(1, 2), "");
    U->Redo();
    U->Redo();
    EXPECT_EQ(U->Level(), 2);
    EXPECT_EQ(G.Cells(1, 2), "x");

    // A stop marker whose start was trimmed away.
    U->Reset();
    U->SetMaxLevel(2);
    U->StartSequence();
    Change(1, 1, QStringLiteral("p"));
    Change(2, 1, QStringLiteral("q"));
    Change(3, 1, QStringLiteral("r"));
    U->StopSequence();
    U->Undo();
    EXPECT_EQ(U->Level(), 0);
    EXPECT_EQ(Row1(), (std::vector<String>{"p", "", "", ""}));
    U->Redo();
    U->Redo();
    U->Redo();
    EXPECT_EQ(U->Level(), 3);
    EXPECT_EQ(Row1(), (std::vector<String>{"p", "q", "r", ""}));
}

TEST_F(BaseGridUndoTest, WithoutAGridNothingHappens)
{
    TExGridUndoRedo Loose(nullptr);
    Loose.RegisterChange(1, 1, QStringLiteral("o"), QStringLiteral("n"));
    Loose.Undo();
    EXPECT_EQ(Loose.Level(), 1);
    Loose.StartSequence();
    EXPECT_EQ(Loose.Level(), 2);
}

TEST(BaseGridUndo, GridAndComponentForgetEachOtherWhenEitherGoes)
{
    // The component goes first: the grid works on without it.
    {
        TBaseGridForm F;
        auto* U = new TExGridUndoRedo(nullptr);
        F.Grid->SetUndoRedo(U);
        delete U;
        EXPECT_EQ(F.Grid->UndoRedo(), nullptr);
        F.Grid->SetCells(1, 1, QStringLiteral("fine"));
        EXPECT_EQ(F.Grid->Cells(1, 1), "fine");
    }
    // The grid goes first: the component works on without it.
    TExGridUndoRedo U(nullptr);
    {
        TBaseGridForm F;
        F.Grid->SetUndoRedo(&U);
        U.RegisterChange(1, 1, String(), QStringLiteral("x"));
    }
    EXPECT_EQ(U.Grid(), nullptr);
    U.Undo();
    U.Redo();
    EXPECT_EQ(U.Level(), 1);
}
