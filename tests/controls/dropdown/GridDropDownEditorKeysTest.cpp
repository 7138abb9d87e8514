// The grid's drop-down cell editors driven through the window system, so
// that the keyboard state the framework reads comes with each key: Alt+Down
// on a closed editor; and the caret of a mouse-started edit.
#include "controls/dropdown/ExGrid_DropDownEditors.h"

#include "grid/control/ExGridEditTestSupport.h"

#include <QLineEdit>
#include <QWindow>

namespace {

class GridDropDownEditorKeysTest : public ExGridEditTest {
protected:
    void Kind(TEditorType K) { EditorsByColumn({{1, K}}); }
    TExCustomDropDown* Editor() const { return dynamic_cast<TExCustomDropDown*>(Grid->EditCtrl); }
    bool Editing() const { return Editor() && Editor()->Visible(); }
    // Keys through the platform's input, which updates the keyboard state
    // as a real key press does.
    static void WindowKey(Qt::Key K, Qt::KeyboardModifiers M = Qt::NoModifier)
    {
        QTest::keyClick(Focus()->window()->windowHandle(), K, M);
        QApplication::processEvents();
    }
};

} // namespace

TEST_F(GridDropDownEditorKeysTest, AltDownOpensAClosedEditor)
{
    for (TEditorType K : {edTrackbarDropDown, edMemoDropDown, edCalculatorDropDown, edTimePickerDropDown,
                          edDetailDropDown, edColorPickerDropDown}) {
        Kind(K);
        Open(1, 2);
        ASSERT_TRUE(Editing()) << K;
        ASSERT_FALSE(Editor()->DroppedDown()) << K;
        WindowKey(Qt::Key_Down, Qt::AltModifier);
        EXPECT_TRUE(Editing()) << K;
        EXPECT_TRUE(Editor()->DroppedDown()) << K;
        EXPECT_EQ(Grid->Row(), 2) << K;
        Editor()->HideDropDown(true);
        Key(Qt::Key_Escape);
    }
}

// An edit started by a click puts the caret where the mouse is.
TEST_F(GridDropDownEditorKeysTest, AMouseStartedEditPutsTheCaretAtTheClick)
{
    const struct {
        TEditorType Kind;
        const char* Text;
        int At;
    } Cases[] = {{edMemoDropDown, "abcdef", 3}, {edTrackbarDropDown, "7", 1}};
    for (const auto& C : Cases) {
        Kind(C.Kind);
        Grid->SetCells(1, 2, QString::fromLatin1(C.Text));
        // The editor's first opening settles its layout.
        Open(1, 2);
        Key(Qt::Key_Escape);
        Open(1, 2);
        ASSERT_TRUE(Editing()) << C.Kind;
        QLineEdit* Edit = Editor()->LineEdit();
        QPoint Point;
        for (int X = 0; X < Edit->width() && Point.isNull(); ++X)
            if (Edit->cursorPositionAt(QPoint(X, Edit->height() / 2)) == C.At)
                Point = Edit->mapToGlobal(QPoint(X, Edit->height() / 2));
        ASSERT_FALSE(Point.isNull()) << C.Kind;
        Key(Qt::Key_Escape);
        QCursor::setPos(Point);
        Grid->LButFlg = true;
        Open(1, 2);
        ASSERT_TRUE(Editing()) << C.Kind;
        EXPECT_EQ(Edit->cursorPosition(), C.At) << C.Kind;
        EXPECT_FALSE(Edit->hasSelectedText()) << C.Kind;
        EXPECT_FALSE(Grid->LButFlg) << C.Kind;
        Key(Qt::Key_Escape);
    }
}
