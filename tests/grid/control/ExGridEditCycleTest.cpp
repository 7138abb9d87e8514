// The edit cycle driven through keys: validation, its refusal path, what an
// accepted value marks and registers, and the notifications after an edit.
#include "ExGridTestForm.h"

#include "grid/control/ExGrid_Editors.h"

#include <QtTest/QTest>

#include <vector>

namespace {

class TCycleGrid : public TTestExGrid {
public:
    using TTestExGrid::TTestExGrid;
    using TExStringGrid::FEditing;
    using TExStringGrid::FOldCellText;
    using TExStringGrid::StoreOldCellText;
};

struct TValidation {
    Integer Col;
    Integer Row;
    String Value;
};

// 4 x 4, one fixed row, no fixed column, real column 1 hidden: display
// column 1 is real column 2.
class ExGridEditCycleTest : public ::testing::Test {
protected:
    ExGridEditCycleTest()
    {
        Form = std::make_unique<TForm>(nullptr);
        Form->SetClientWidth(500);
        Form->SetClientHeight(300);
        Grid = new TCycleGrid(Form.get());
        Grid->SetParent(Form.get());
        Grid->SetBounds(0, 0, 480, 280);
        Grid->SetColCount(4);
        Grid->SetRowCount(4);
        Grid->SetFixedCols(0);
        Grid->SetFixedRows(1);
        Grid->SetOptions(Grid->Options() + TGridOptions{goEditing});
        for (Integer R = 1; R < 4; ++R)
            for (Integer C = 0; C < 4; ++C)
                Grid->SetCells(C, R, QStringLiteral("%1%2").arg(C).arg(R));
        Grid->HideColumn(1);
        Undo = new TExGridUndoRedo(Form.get());
        Grid->SetUndoRedo(Undo);
        Grid->OnCellValidate = [this](TObject*, Integer ACol, Integer ARow, String& Value, bool& Valid) {
            Validations.push_back({ACol, ARow, Value});
            if (Handler)
                Handler(Value, Valid);
        };
        Grid->OnEditingDone = [this](TObject*) { Done.push_back(QStringLiteral("editing")); };
        Grid->OnEditCellDone = [this](TObject*, Integer ACol, Integer ARow) {
            Done.push_back(QStringLiteral("cell %1 %2").arg(ACol).arg(ARow));
        };
        ShowWithFocus(Form.get(), Grid);
    }

    static void Key(Qt::Key K)
    {
        QTest::keyClick(QApplication::focusWidget(), K);
        QApplication::processEvents();
    }
    // Opens display cell (ACol, ARow) with F2, types Text over it, presses Enter.
    void TypeInto(Integer ACol, Integer ARow, const QString& Text)
    {
        Grid->MoveToCell(ACol, ARow);
        Grid->SetFocus();
        QApplication::processEvents();
        Key(Qt::Key_F2);
        ASSERT_NE(Editor(), nullptr);
        Editor()->SelectAll();
        QTest::keyClicks(QApplication::focusWidget(), Text);
        Key(Qt::Key_Return);
    }
    TExInplaceEdit* Editor() const { return dynamic_cast<TExInplaceEdit*>(Grid->InplaceEditor()); }
    Integer UndoSteps() const { return Undo->Items()->Count(); }

    std::unique_ptr<TForm> Form;
    TCycleGrid* Grid = nullptr;
    TExGridUndoRedo* Undo = nullptr;
    std::vector<TValidation> Validations;
    std::function<void(String&, bool&)> Handler;
    QStringList Done;
};

} // namespace

TEST_F(ExGridEditCycleTest, AnAcceptedEditIsValidatedStoredMarkedAndRegisteredOnce)
{
    Grid->ShowModified()->SetEnabled(true);
    TypeInto(1, 2, QStringLiteral("x"));
    ASSERT_EQ(Validations.size(), 1u);
    EXPECT_EQ(Validations[0].Col, 2);
    EXPECT_EQ(Validations[0].Row, 2);
    EXPECT_EQ(Validations[0].Value, "x");
    EXPECT_EQ(Grid->Cells(2, 2), "x");
    EXPECT_EQ(Grid->Cells(1, 2), "12");
    EXPECT_TRUE(Grid->Modified());
    EXPECT_EQ(Grid->ModifiedRowCount(), 0);
    EXPECT_EQ(UndoSteps(), 1);
    // The cell's done event comes later, from the queue, with the real column.
    EXPECT_EQ(Done, QStringList({QStringLiteral("editing"), QStringLiteral("cell 2 2")}));
}

TEST_F(ExGridEditCycleTest, TheSameTextAgainIsNotValidatedUnlessAlwaysValidate)
{
    std::vector<TRect> Changed;
    Grid->OnCellsChanged = [&](TObject*, TRect R) { Changed.push_back(R); };
    TypeInto(1, 2, QStringLiteral("22"));
    EXPECT_TRUE(Validations.empty());
    EXPECT_EQ(UndoSteps(), 0);
    EXPECT_FALSE(Grid->Modified());

    Grid->SetAlwaysValidate(true);
    TypeInto(1, 2, QStringLiteral("22"));
    EXPECT_EQ(Validations.size(), 1u);
    EXPECT_FALSE(Grid->Modified());
    EXPECT_TRUE(Changed.empty());

    TypeInto(1, 2, QStringLiteral("y"));
    ASSERT_EQ(Changed.size(), 1u);
    EXPECT_EQ(Changed[0], TRect(2, 2, 2, 2));
    EXPECT_TRUE(Grid->Modified());
}

TEST_F(ExGridEditCycleTest, ARefusalPutsTheOldTextBackAndShowsTheRefusedOneSelected)
{
    Handler = [](String&, bool& Valid) { Valid = false; };
    TypeInto(1, 2, QStringLiteral("bad"));
    EXPECT_EQ(Grid->Cells(2, 2), "22");
    ASSERT_NE(Editor(), nullptr);
    EXPECT_TRUE(Editor()->Visible());
    EXPECT_EQ(Editor()->Text(), "bad");
    EXPECT_EQ(Editor()->SelLength(), 3);
    EXPECT_EQ(Grid->Col(), 1);
    EXPECT_EQ(Grid->Row(), 2);
    EXPECT_FALSE(Grid->Modified());
    EXPECT_FALSE(Grid->FLastValidation);
    EXPECT_EQ(UndoSteps(), 0);
}

TEST_F(ExGridEditCycleTest, ARefusalWithAReplacementLeavesItInCellAndEditor)
{
    Handler = [](String& Value, bool& Valid) {
        Value = QStringLiteral("fixed");
        Valid = false;
    };
    TypeInto(1, 2, QStringLiteral("bad"));
    EXPECT_EQ(Grid->Cells(2, 2), "fixed");
    ASSERT_NE(Editor(), nullptr);
    EXPECT_TRUE(Editor()->Visible());
    EXPECT_EQ(Editor()->Text(), "fixed");
    EXPECT_TRUE(Grid->Modified());
    EXPECT_EQ(UndoSteps(), 0);
}

TEST_F(ExGridEditCycleTest, ARaisingHandlerLeavesAdvanceOnEnterAndTheSnapshotAsTheyWere)
{
    Grid->Navigation()->SetAdvanceOnEnter(true);
    Grid->MoveToCell(1, 2);
    Grid->StoreOldCellText(1, 2);
    Grid->FEditing = true;
    Handler = [](String&, bool&) { throw Exception("no"); };
    EXPECT_THROW(Grid->ValidateCell(QStringLiteral("x")), Exception);
    EXPECT_TRUE(Grid->Navigation()->AdvanceOnEnter());
    EXPECT_EQ(Grid->FOldCellText, "22");
    // Not validating any more: the next edit is checked again.
    Handler = nullptr;
    Grid->FEditing = true;
    EXPECT_TRUE(Grid->ValidateCell(QStringLiteral("y")));
    EXPECT_EQ(Validations.size(), 2u);
}

TEST_F(ExGridEditCycleTest, ValidatingWithoutAnOpenEditChangesNothing)
{
    EXPECT_TRUE(Grid->ValidateCell(QStringLiteral("x")));
    EXPECT_TRUE(Validations.empty());
    EXPECT_EQ(Grid->Cells(2, 1), "21");
    EXPECT_FALSE(Grid->Modified());
}

TEST_F(ExGridEditCycleTest, ACoveredCellStoresTheValueInItselfAndItsBaseCell)
{
    Grid->MergeCells(2, 2, 1, 2);
    Grid->MoveToCell(1, 3);
    Grid->StoreOldCellText(1, 3);
    Grid->FEditing = true;
    EXPECT_TRUE(Grid->ValidateCell(QStringLiteral("m")));
    EXPECT_EQ(Grid->GridCells(2, 3), "m");
    EXPECT_EQ(Grid->GridCells(2, 2), "m");
}

TEST_F(ExGridEditCycleTest, ARowMarkNeedsAFixedColumnAndComesOnlyWithAcceptance)
{
    Grid->SetFixedCols(1);
    Handler = [](String& Value, bool& Valid) { Valid = Value != "bad"; };
    TypeInto(1, 2, QStringLiteral("bad"));
    Key(Qt::Key_Escape);
    EXPECT_FALSE(Grid->RowModified(2));
    TypeInto(1, 2, QStringLiteral("ok"));
    EXPECT_TRUE(Grid->RowModified(2));
}

TEST_F(ExGridEditCycleTest, NotifiersHearOfAnAcceptedChangeAfterTheEvent)
{
    QStringList Order;
    class TListener : public TGridChangeNotifier {
    public:
        TListener(QStringList& AOrder) : TGridChangeNotifier(nullptr), Order(AOrder) {}
        void CellsChanged(TRect R) override { Order << QStringLiteral("notifier %1 %2").arg(R.Left).arg(R.Top); }
        QStringList& Order;
    } Listener(Order);
    Grid->RegisterNotifier(&Listener);
    Grid->OnCellsChanged = [&](TObject*, TRect) { Order << QStringLiteral("event"); };
    TypeInto(1, 2, QStringLiteral("n"));
    Grid->UnRegisterNotifier(&Listener);
    TypeInto(1, 3, QStringLiteral("o"));
    EXPECT_EQ(Order, QStringList({"event", "notifier 2 2", "event"}));
}

TEST_F(ExGridEditCycleTest, EditorTextComesWithoutTagsUnlessEditWithTags)
{
    Grid->SetCells(2, 1, QStringLiteral("<b>bold</b>"));
    Grid->MoveToCell(1, 1);
    Key(Qt::Key_F2);
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(Editor()->Text(), "bold");
    Key(Qt::Key_Escape);
    Grid->SetEditWithTags(true);
    Key(Qt::Key_F2);
    EXPECT_EQ(Editor()->Text(), "<b>bold</b>");
}

TEST_F(ExGridEditCycleTest, EllipsClickHandsTheRealColumnAndTakesTheHandlersText)
{
    Grid->MoveToCell(1, 3);
    String Result;
    Grid->DoEllipsClick(QStringLiteral("a"), Result);
    EXPECT_EQ(Result, "a");
    Grid->OnEllipsClick = [](TObject*, Integer ACol, Integer ARow, String& S) {
        S = QStringLiteral("%1 %2 %3").arg(S).arg(ACol).arg(ARow);
    };
    Grid->DoEllipsClick(QStringLiteral("a"), Result);
    EXPECT_EQ(Result, "a 2 3");
}

TEST_F(ExGridEditCycleTest, CurrentCellReadsRawAndWritesThroughTheEditorPath)
{
    Grid->MoveToCell(1, 2);
    EXPECT_EQ(Grid->CurrentCell(), "22");
    Grid->SetCurrentCellEx(QStringLiteral("e"));
    EXPECT_EQ(Grid->Cells(2, 2), "e");
    EXPECT_EQ(Grid->Cells(1, 2), "12");
}
