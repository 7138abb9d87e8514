// Double clicks, the right button, the press hook's fixed drop-down menu
// and the fixed-cell editors, driven by real mouse events.
#include "ExGridMouse.h"
#include "ExGridOnForm.h"

#include "rtl/Forms.h"
#include "rtl/Menus.h"

#include <QStringList>
#include <QTimer>

namespace {

struct TClicks : TGridOnForm<TExStringGrid> {
    TClicks()
    {
        Grid->SetColCount(5);
        Grid->SetRowCount(6);
        Grid->SetDefaultColWidth(70);
        Grid->OnDblClickCell = [this](TObject*, Integer R, Integer C) { Log << QStringLiteral("dbl %1,%2").arg(R).arg(C); };
        Grid->OnColumnSize = [this](TObject*, Integer C, bool&) { Log << QStringLiteral("size %1").arg(C); };
        Grid->OnEndColumnSize = [this](TObject*, Integer C) { Log << QStringLiteral("endsize %1").arg(C); };
        Show();
    }
    TGridMouse Mouse{Grid};
    QStringList Log;
};

} // namespace

TEST(ExGridClicks, BorderDoubleClickFitsTheColumnWithin4Pixels)
{
    TClicks F;
    F.Grid->SetOptions(F.Grid->Options() + goColSizing);
    F.Grid->SetCells(2, 3, QStringLiteral("a rather long text for the column"));
    const TRect R = F.Grid->CellRect(2, 0);
    F.Mouse.DoubleClick(QPoint(R.Right - 3, 5));
    // The sizing test of every press and cursor update asks OnColumnSize
    // too; the fit itself is the one asked right before its end event.
    const qsizetype End = F.Log.indexOf(QStringLiteral("endsize 2"));
    ASSERT_GT(End, 0) << F.Log.join(u',').toStdString();
    EXPECT_EQ(F.Log.at(End - 1), QStringLiteral("size 2"));
    EXPECT_EQ(F.Log.count(QStringLiteral("endsize 2")), 1);
    EXPECT_TRUE(F.Log.filter(QStringLiteral("dbl")).isEmpty());
    EXPECT_GT(F.Grid->ColWidths(2), 70);

    F.Log.clear();
    const TRect R3 = F.Grid->CellRect(3, 0);
    F.Mouse.DoubleClick(QPoint(R3.Right - 4, 5));
    EXPECT_EQ(F.Log.filter(QStringLiteral("dbl")), QStringList{"dbl 0,3"});
    EXPECT_TRUE(F.Log.filter(QStringLiteral("endsize")).isEmpty());
    EXPECT_EQ(F.Grid->ColWidths(3), 70);
}

TEST(ExGridClicks, RefusedColumnSizeStillEndsTheDoubleClick)
{
    TClicks F;
    F.Grid->SetOptions(F.Grid->Options() + goColSizing);
    F.Grid->OnColumnSize = [&](TObject*, Integer, bool& Allow) { Allow = false; };
    F.Grid->SetCells(2, 3, QStringLiteral("a rather long text for the column"));
    F.Mouse.DoubleClick(QPoint(F.Grid->CellRect(2, 0).Right - 3, 5));
    EXPECT_TRUE(F.Log.isEmpty());
    EXPECT_EQ(F.Grid->ColWidths(2), 70);
}

TEST(ExGridClicks, DoubleClickOnCellButtonRaisesNothing)
{
    TClicks F;
    // A button is enabled in an editable cell.
    F.Grid->SetOptions(F.Grid->Options() + goEditing);
    F.Grid->AddButton(2, 2, 40, 16, QStringLiteral("..."), haBeforeText, vaCenter);
    const TRect B = F.Grid->GetButtonRect(2, 2);
    Integer Buttons = 0;
    F.Grid->OnButtonClick = [&](TObject*, Integer, Integer) { ++Buttons; };
    F.Mouse.DoubleClick(QPoint(B.Left + 3, B.Top + 3));
    EXPECT_TRUE(F.Log.isEmpty());
    EXPECT_GE(Buttons, 1);
}

TEST(ExGridClicks, RightClickCellForEveryRightPress)
{
    TClicks F;
    F.Grid->SetColCount(3);
    F.Grid->SetRowCount(3);
    QStringList Right;
    F.Grid->OnRightClickCell = [&](TObject*, Integer R, Integer C) { Right << QStringLiteral("%1,%2").arg(R).arg(C); };
    F.Mouse.Click(F.Mouse.At(2, 1, 5, 5), {}, Qt::RightButton);
    F.Mouse.Click(F.Mouse.At(0, 0, 5, 5), {}, Qt::RightButton);
    F.Mouse.Click(QPoint(400, 250), {}, Qt::RightButton);
    EXPECT_EQ(Right, QStringList({"1,2", "0,0", "-1,-1"}));
}

TEST(ExGridClicks, SelectOnRightClickWithoutHandlerRunsTheLeftHooks)
{
    TClicks F;
    F.Grid->MouseActions()->SetSelectOnRightClick(true);
    QStringList Buttons;
    F.Grid->OnMouseDown = [&](TObject*, TMouseButton B, TShiftState, Integer, Integer) {
        Buttons << (B == mbLeft ? "down left" : "down right");
    };
    F.Grid->OnMouseUp = [&](TObject*, TMouseButton B, TShiftState, Integer, Integer) {
        Buttons << (B == mbLeft ? "up left" : "up right");
    };
    bool Clicked = false;
    F.Grid->OnClickCell = [&](TObject*, Integer, Integer) { Clicked = true; };
    F.Mouse.Press(F.Mouse.At(3, 4, 10, 5), {}, Qt::RightButton);
    EXPECT_EQ(Buttons, QStringList({"down right", "down left", "up left"}));
    EXPECT_FALSE(Clicked);
    EXPECT_EQ(F.Grid->Col(), 3);
    EXPECT_EQ(F.Grid->Row(), 4);
    F.Mouse.Release(F.Mouse.At(3, 4, 10, 5), {}, Qt::RightButton);
}

TEST(ExGridClicks, RightPressKeepsDisjunctRowsForThePopupMenu)
{
    TClicks F;
    F.Grid->MouseActions()->SetSelectOnRightClick(true);
    F.Grid->MouseActions()->SetDisjunctRowSelect(true);
    TPopupMenu Menu(F.Form.get());
    F.Grid->SetPopupMenu(&Menu);
    for (Integer R : {1, 3, 4})
        F.Grid->SetRowSelect(R, true);
    F.Mouse.Press(F.Mouse.At(2, 3, 10, 5), {}, Qt::RightButton);
    Menu.ClosePopup();
    F.Mouse.Release(F.Mouse.At(2, 3, 10, 5), {}, Qt::RightButton);
    EXPECT_EQ(F.Grid->RowSelectCount(), 3);
    EXPECT_TRUE(F.Grid->RowSelect(1));
    EXPECT_TRUE(F.Grid->RowSelect(4));
    // An unselected row replaces them.
    F.Mouse.Press(F.Mouse.At(2, 2, 10, 5), {}, Qt::RightButton);
    Menu.ClosePopup();
    F.Mouse.Release(F.Mouse.At(2, 2, 10, 5), {}, Qt::RightButton);
    EXPECT_EQ(F.Grid->RowSelectCount(), 1);
    EXPECT_TRUE(F.Grid->RowSelect(2));
}

TEST(ExGridClicks, RightReleaseDuringOwnColumnMoveIsSwallowed)
{
    TClicks F;
    F.Grid->SetOptions(F.Grid->Options() + goColMoving);
    bool Up = false;
    F.Grid->OnMouseUp = [&](TObject*, TMouseButton B, TShiftState, Integer, Integer) { Up = Up || B == mbRight; };
    F.Mouse.Press(F.Mouse.At(2, 0, 20, 5));
    Screen->SetCursor(crDrag);
    F.Mouse.Click(F.Mouse.At(3, 0, 20, 5), {}, Qt::RightButton);
    EXPECT_FALSE(Up);
    F.Mouse.Release(F.Mouse.At(3, 0, 20, 5));
    EXPECT_EQ(Screen->Cursor(), crDefault);
    F.Mouse.Click(F.Mouse.At(3, 2, 20, 5), {}, Qt::RightButton);
    EXPECT_TRUE(Up);
}

TEST(ExGridClicks, FixedDropDownMenuPopsUpWithTheColumnAsTag)
{
    TClicks F;
    F.Grid->SetHoverFixedCells(hfAll);
    F.Grid->ControlLook()->SetFixedDropDownButton(true);
    TPopupMenu Menu(F.Form.get());
    F.Grid->SetFixedDropDownMenu(&Menu);
    Integer TagAtPopup = -1;
    Menu.OnPopup = [&](TObject*) {
        TagAtPopup = Menu.Tag();
        QTimer::singleShot(0, [&] { Menu.ClosePopup(); });
    };
    bool Down = false;
    F.Grid->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, Integer, Integer) { Down = true; };
    const TRect R = F.Grid->CellRect(3, 0);
    F.Mouse.Click(QPoint(R.Right - 10, 5));
    EXPECT_EQ(TagAtPopup, 3);
    // The menu took the press: no base press.
    EXPECT_FALSE(Down);
}

TEST(ExGridClicks, FixedCellEditorKindByColumnZero)
{
    TClicks F;
    F.Grid->MouseActions()->SetFixedColsEditor(fceComboList);
    F.Grid->MouseActions()->SetFixedRowsEditor(fceEdit);
    QStringList Kinds;
    F.Grid->OnFixedEdit = [&](TObject*, Integer C, Integer R, TGridFixedCellEditor& K, TStrings*) {
        Kinds << QStringLiteral("%1,%2 %3").arg(C).arg(R).arg(K == fceComboList ? "combo" : "edit");
    };
    F.Grid->StartFixedCellEdit(0, 0);
    F.Grid->SetFocus();
    QApplication::processEvents();
    F.Grid->StartFixedCellEdit(2, 0);
    EXPECT_EQ(Kinds, QStringList({"0,0 combo", "2,0 edit"}));
}

TEST(ExGridClicks, LeftClickFixedEditLeavesBordersToSizing)
{
    TClicks F;
    F.Grid->SetOptions(F.Grid->Options() + goColSizing);
    F.Grid->MouseActions()->SetFixedRowsEdit(fceLeftClick);
    Integer Opened = 0;
    F.Grid->OnFixedEdit = [&](TObject*, Integer, Integer, TGridFixedCellEditor&, TStrings*) { ++Opened; };
    const TRect R = F.Grid->CellRect(2, 0);
    F.Mouse.Click(QPoint(R.Right - 3, R.Top + 8));
    EXPECT_EQ(Opened, 0);
    F.Mouse.Click(QPoint(R.Left + 5, R.Top + 8));
    EXPECT_EQ(Opened, 1);
}

TEST(ExGridClicks, RefusedFixedValueKeepsItsEditor)
{
    TClicks F;
    F.Grid->SetCells(2, 0, QStringLiteral("Head"));
    Integer Opened = 0;
    F.Grid->OnFixedEdit = [&](TObject*, Integer, Integer, TGridFixedCellEditor&, TStrings*) { ++Opened; };
    F.Grid->OnCellValidate = [](TObject*, Integer, Integer, String&, bool& Valid) { Valid = false; };
    F.Grid->StartFixedCellEdit(2, 0);
    QWidget* Editor = QApplication::focusWidget();
    ASSERT_NE(Editor, nullptr);
    QTest::keyClicks(Editor, QStringLiteral("X"));
    F.Grid->StartFixedCellEdit(3, 0);
    EXPECT_EQ(Opened, 1);
    EXPECT_EQ(QApplication::focusWidget(), Editor);
    EXPECT_EQ(F.Grid->Cells(2, 0), "Head");
}

TEST(ExGridClicks, FixedEditorTypingRaisesEditChange)
{
    TClicks F;
    QStringList Changes;
    F.Grid->OnEditChange = [&](TObject*, Integer C, Integer R, const String& V) {
        Changes << QStringLiteral("%1,%2 %3").arg(C).arg(R).arg(V);
    };
    F.Grid->StartFixedCellEdit(2, 0);
    QWidget* Editor = QApplication::focusWidget();
    ASSERT_NE(Editor, nullptr);
    QTest::keyClicks(Editor, QStringLiteral("Q"));
    ASSERT_FALSE(Changes.isEmpty());
    EXPECT_TRUE(Changes.last().startsWith("2,0 "));
}
