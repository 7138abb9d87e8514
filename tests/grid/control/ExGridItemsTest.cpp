// The column order, the fixed-cell editors, the editor handlers, the
// balloon window's set-up and the drag picture of selected cells.
#include "ExGridOnForm.h"

#include "grid/control/ExGrid_Balloon.h"
#include "grid/control/ExGrid_Editors.h"
#include "rtl/ExtCtrls.h"

#include <QWidget>

namespace {

class TItemsGrid : public TTestExGrid {
public:
    using TTestExGrid::TTestExGrid;
    using TExStringGrid::AddToolTip;
    using TExStringGrid::ComboTrans;
    using TExStringGrid::EditTrans;
    using TExStringGrid::FColumnOrder;
    using TExStringGrid::FEditLinkWndProc;
    using TExStringGrid::FGroupColumn;
};

struct TItemsForm : TGridOnForm<TItemsGrid> {
    std::vector<Integer> Order() const
    {
        std::vector<Integer> V;
        for (Integer I = 0; I < Grid->FColumnOrder->Count(); ++I)
            V.push_back(Grid->FColumnOrder->Items(I));
        return V;
    }
};

} // namespace

// ---------------------------------------------------------------- column order

TEST(ExGridItems, MovedColumnsMapBackToTheirOrderAndReset)
{
    TItemsForm F;
    F.Grid->SetColCount(3);
    F.Grid->SetFixedCols(0);
    for (Integer C = 0; C < 3; ++C)
        F.Grid->SetCells(C, 1, QString::number(C));
    EXPECT_EQ(F.Grid->ColumnPosition(2), 2) << "no order recorded";
    F.Grid->MoveColumn(2, 0);
    EXPECT_EQ(F.Order(), (std::vector<Integer>{2, 0, 1}));
    EXPECT_EQ(F.Grid->ColumnPosition(2), 0);
    EXPECT_EQ(F.Grid->ColumnPosition(0), 1);
    EXPECT_EQ(F.Grid->ColumnAtPosition(0), 2);
    EXPECT_EQ(F.Grid->ColumnAtPosition(2), 1);
    EXPECT_THROW(F.Grid->ColumnAtPosition(3), EListError);
    EXPECT_EQ(F.Grid->OriginalCells(2, 1), "2");
    EXPECT_EQ(F.Grid->OriginalCells(0, 1), "0");
    F.Grid->SetOriginalCells(2, 1, "two");
    EXPECT_EQ(F.Grid->Cells(0, 1), "two");
    F.Grid->SetOriginalCells(2, 1, "2");

    F.Grid->ResetColumnOrder();
    EXPECT_EQ(F.Order(), (std::vector<Integer>{0, 1, 2}));
    for (Integer C = 0; C < 3; ++C)
        EXPECT_EQ(F.Grid->Cells(C, 1), QString::number(C));
}

TEST(ExGridItems, ResetColumnOrderStopsOnADamagedOrder)
{
    TItemsForm F;
    F.Grid->SetColCount(3);
    F.Grid->SetFixedCols(0);
    F.Grid->SetColumnOrder();
    // Entries that never settle: the pass bound ends it.
    F.Grid->FColumnOrder->SetItems(1, 0);
    F.Grid->FColumnOrder->SetItems(2, 0);
    F.Grid->ResetColumnOrder();
    EXPECT_EQ(F.Grid->ColCount(), 3);
}

TEST(ExGridItems, ColumnPositionsSkipTheGroupColumn)
{
    TItemsForm F;
    F.Grid->SetColCount(4);
    F.Grid->SetColumnOrder();
    F.Grid->FGroupColumn = 1;
    EXPECT_EQ(F.Grid->ColumnPosition(3), 2);
    EXPECT_EQ(F.Grid->ColumnPosition(0), 0);
    EXPECT_EQ(F.Grid->ColumnAtPosition(1), 2);
    EXPECT_EQ(F.Grid->ColumnAtPosition(0), 0);
    F.Grid->FGroupColumn = -1;
}

TEST(ExGridItems, ColumnByHeaderFindsHiddenColumnsAndMatchesCase)
{
    TItemsForm F;
    F.Grid->SetColCount(4);
    F.Grid->SetCells(1, 0, "Name");
    F.Grid->SetCells(3, 0, "Value");
    F.Grid->HideColumn(3);
    EXPECT_EQ(F.Grid->ColumnByHeader("Value"), 3);
    EXPECT_EQ(F.Grid->ColumnByHeader("Name"), 1);
    EXPECT_EQ(F.Grid->ColumnByHeader("name"), -1);
    EXPECT_EQ(F.Grid->ColumnByHeader("Nothing"), -1);
}

// ---------------------------------------------------------------- fixed-cell editors

TEST(ExGridItems, AFixedCellEditIsValidatedWhenItStops)
{
    TItemsForm F;
    F.Show();
    TGridTransEdit* Edit = F.Grid->EditTrans;
    ASSERT_NE(Edit, nullptr);
    EXPECT_FALSE(Edit->Visible());
    EXPECT_NE(F.Grid->ComboTrans, nullptr);
    Edit->FCol = 2;
    Edit->FRow = 0;
    Edit->SetVisible(true);
    Edit->SetText("Head");
    std::vector<String> Seen;
    bool Accept = false;
    F.Grid->OnCellValidate = [&](TObject* Sender, Integer ACol, Integer ARow, String& Value, bool& Valid) {
        EXPECT_EQ(Sender, F.Grid);
        EXPECT_EQ(ACol, 2);
        EXPECT_EQ(ARow, 0);
        Seen.push_back(Value);
        Valid = Accept;
        Value = Value.toUpper();
    };
    Integer Done = 0;
    F.Grid->OnEditingDone = [&](TObject*) { ++Done; };
    EXPECT_FALSE(Edit->StopEdit());
    EXPECT_TRUE(Edit->Visible()) << "a refusal keeps the editor open";
    EXPECT_EQ(F.Grid->Cells(2, 0), "");
    EXPECT_EQ(Done, 0);
    Accept = true;
    EXPECT_TRUE(Edit->StopEdit());
    EXPECT_FALSE(Edit->Visible());
    EXPECT_EQ(F.Grid->Cells(2, 0), "HEAD") << "the value as the validation left it";
    EXPECT_EQ(Done, 1);
    EXPECT_EQ(Seen, (std::vector<String>{"Head", "Head"}));
}

TEST(ExGridItems, EnterTypesNothingInAFixedCellEditor)
{
    TItemsForm F;
    F.Show();
    TGridTransEdit* Edit = F.Grid->EditTrans;
    Edit->SetVisible(true);
    Edit->SetText("ab");
    Edit->SetFocus();
    QApplication::processEvents();
    const Integer Beeps = MessageBeepCount();
    QTest::keyClick(Edit->Handle(), Qt::Key_Return);
    EXPECT_EQ(Edit->Text(), "ab");
    EXPECT_EQ(MessageBeepCount(), Beeps);
}

// ---------------------------------------------------------------- editor handlers

TEST(ExGridItems, TheEditLinkProcedureWantsTabsArrowsAndCharactersWithGoTabs)
{
    TItemsForm F;
    TEdit Editor(nullptr);
    F.Grid->FEditLinkWndProc = Editor.WindowProc;
    Editor.WindowProc = [&](TMessage& M) { F.Grid->EditLinkWndProc(M); };
    F.Grid->SetOptions(F.Grid->Options() - goTabs);
    const LRESULT Plain = Editor.Perform(WM_GETDLGCODE);
    EXPECT_EQ(Plain & DLGC_WANTTAB, 0);
    F.Grid->SetOptions(F.Grid->Options() + goTabs);
    EXPECT_EQ(Editor.Perform(WM_GETDLGCODE), Plain | 0x83);
    Editor.SetText("x");
    EXPECT_EQ(Editor.Text(), "x") << "other messages reach the editor's own procedure";
    Editor.WindowProc = F.Grid->FEditLinkWndProc;
}

TEST(ExGridItems, AUnitChangeReportsTheCurrentCell)
{
    TItemsForm F;
    F.Grid->SetColCount(4);
    F.Grid->MoveToCell(2, 3);
    String Unit;
    Integer Col = -1, Row = -1;
    F.Grid->OnUnitChanged = [&](TObject* Sender, Integer ACol, Integer ARow, const String& NewUnit) {
        EXPECT_EQ(Sender, F.Grid);
        Col = ACol;
        Row = ARow;
        Unit = NewUnit;
    };
    F.Grid->UnitChanged(nullptr, "mm");
    EXPECT_EQ(std::make_tuple(Col, Row, Unit), std::make_tuple(2, 3, String("mm")));
}

// ---------------------------------------------------------------- balloons

TEST(ExGridItems, BalloonsSetUpOneWindowWithTheirDelays)
{
    TItemsForm F;
    F.Show();
    TBalloonSettings* B = F.Grid->Balloon();
    B->SetInitialDelay(300);
    B->SetAutoHideDelay(5000);
    F.Grid->BalloonInit();
    TGridBalloonWindow* Window = F.Grid->ToolTipWindow();
    ASSERT_NE(Window, nullptr);
    F.Grid->BalloonInit();
    EXPECT_EQ(F.Grid->ToolTipWindow(), Window) << "set up once";
    EXPECT_EQ(Window->Title(), "ToolTipText");
    EXPECT_EQ(Window->Icon(), biError);
    EXPECT_EQ(Window->DelayTime(TTDT_INITIAL), 300);
    EXPECT_EQ(Window->DelayTime(TTDT_AUTOPOP), 5000);
    EXPECT_EQ(Window->DelayTime(TTDT_RESHOW), -1) << "-1 keeps the window's own";
    F.Grid->BalloonDone();
    EXPECT_EQ(F.Grid->ToolTipWindow(), nullptr);
    EXPECT_FALSE(B->Init());

    B->SetEnable(true);
    B->SetEnable(false);
    B->SetEnable(true);
    auto Windows = F.Grid->Handle()->findChildren<QWidget*>();
    const auto Balloons = std::count_if(Windows.begin(), Windows.end(), [](QWidget* W) {
        return dynamic_cast<TGridBalloonWindow*>(FindControl(W)) != nullptr;
    });
    EXPECT_NE(F.Grid->ToolTipWindow(), nullptr);
    EXPECT_LE(Balloons, 1);
    B->SetEnable(false);
}

TEST(ExGridItems, ATitleIconOutsideTheKnownOnesShowsNone)
{
    TItemsForm F;
    F.Show();
    F.Grid->BalloonInit();
    F.Grid->AddToolTip(7, "Seven");
    EXPECT_EQ(F.Grid->ToolTipWindow()->Title(), "Seven");
    EXPECT_EQ(F.Grid->ToolTipWindow()->Icon(), biNone);
    F.Grid->AddToolTip(2, "Two");
    EXPECT_EQ(F.Grid->ToolTipWindow()->Icon(), biWarning);
    F.Grid->BalloonDone();
}

// ---------------------------------------------------------------- drag picture

TEST(ExGridItems, TheDragPictureIsOnePixelLargerThanTheBlock)
{
    TItemsForm F;
    F.Grid->SetCells(1, 1, "cell");
    F.Show();
    std::unique_ptr<TCustomForm> Picture(F.Grid->SelectionToForm(TGridRect{1, 1, 1, 1}));
    const TRect Cell = F.Grid->CellRect(1, 1);
    EXPECT_EQ(Picture->ClientWidth(), Cell.Width() + 1);
    EXPECT_EQ(Picture->ClientHeight(), Cell.Height() + 1);
    EXPECT_TRUE(Picture->AlphaBlend());
    EXPECT_EQ(Picture->AlphaBlendValue(), 192);
    EXPECT_TRUE(Picture->NoActivate());
    EXPECT_EQ(Picture->BorderStyle(), bsNone);
    EXPECT_EQ(Picture->FormStyle(), fsStayOnTop);
    ASSERT_EQ(Picture->ControlCount(), 1);
    auto* Image = dynamic_cast<TImage*>(Picture->Controls(0));
    ASSERT_NE(Image, nullptr);
    EXPECT_EQ(Image->Picture()->Bitmap()->Width(), Cell.Width() + 1);

    // A reversed block gives the same span.
    std::unique_ptr<TCustomForm> Block(F.Grid->SelectionToForm(TGridRect{2, 3, 1, 1}));
    EXPECT_EQ(Block->ClientWidth(), F.Grid->CellRect(2, 3).Right - Cell.Left + 1);
    EXPECT_EQ(Block->ClientHeight(), F.Grid->CellRect(2, 3).Bottom - Cell.Top + 1);
}
