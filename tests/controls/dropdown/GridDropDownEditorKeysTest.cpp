// The grid's drop-down cell editors driven through the window system, so
// that the keyboard state the framework reads comes with each key: Alt+Down
// on a closed editor.
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
