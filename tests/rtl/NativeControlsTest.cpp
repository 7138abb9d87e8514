// What native controls add to the message route: key messages sent to them,
// the keypad's key data, registered messages, beeps, the edit's formatting
// rectangle and clipboard messages, drawing over a native widget, the combo
// box's drop-down notifications and controls freed by their own menu.
#include "rtl/Forms.h"
#include "rtl/Menus.h"
#include "rtl/StdCtrls.h"

#include "common/FormFixture.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// An edit that records its key data and can refuse the clipboard messages.
class TRecordingEdit : public TEdit {
public:
    using TEdit::TEdit;

    std::vector<LongInt> CharData;
    std::vector<Word> KeysDown;
    bool RefuseClipboard = false;
    Integer Pastes = 0;

protected:
    void WMChar(TWMKey& Message) override
    {
        CharData.push_back(Message.KeyData);
        TEdit::WMChar(Message);
    }
    void KeyDown(Word& Key, TShiftState Shift) override
    {
        KeysDown.push_back(Key);
        TEdit::KeyDown(Key, Shift);
    }
    void WMPaste(TMessage& Message) override
    {
        ++Pastes;
        if (!RefuseClipboard)
            TEdit::WMPaste(Message);
    }
    void WMCut(TMessage& Message) override
    {
        if (!RefuseClipboard)
            TEdit::WMCut(Message);
    }
};

// An edit that draws a red bar over its right end.
class TOverdrawnEdit : public TEdit {
public:
    explicit TOverdrawnEdit(TComponent* AOwner) : TEdit(AOwner) { SetPaintOver(true); }

protected:
    void PaintOver(TCanvas* Canvas) override
    {
        Canvas->Brush()->SetColor(clRed);
        Canvas->FillRect(TRect(Width() - 10, 0, Width(), Height()));
    }
};

class NativeControlsTest : public TFormFixture {};

} // namespace

TEST_F(NativeControlsTest, KeyMessagesSentOrPostedArriveAsTypedKeys)
{
    auto* Edit = Make<TRecordingEdit>();
    ShowForm();
    Edit->SetFocus();
    Edit->SetText(QStringLiteral("abc"));
    Edit->SetSelStart(0);
    // The handlers hear the key and the widget moves its caret.
    EXPECT_TRUE(PostMessage(Edit->Handle(), WM_KEYDOWN, VK_RIGHT, 0));
    EXPECT_EQ(Edit->SelStart(), 0); // not yet: it is queued
    QApplication::processEvents();
    EXPECT_EQ(Edit->SelStart(), 1);
    SendMessage(Edit->Handle(), WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(Edit->SelStart(), 3);
    EXPECT_EQ(Edit->KeysDown, (std::vector<Word>{VK_RIGHT, VK_END}));
    // Other messages still go to the handlers directly.
    EXPECT_FALSE(PostMessage(nullptr, WM_KEYDOWN, VK_RIGHT, 0));
}

TEST_F(NativeControlsTest, KeypadCharactersCarryBit22)
{
    auto* Edit = Make<TRecordingEdit>();
    ShowForm();
    Edit->SetFocus();
    QTest::keyClick(Edit->Handle(), Qt::Key_Period, Qt::KeypadModifier);
    QTest::keyClick(Edit->Handle(), Qt::Key_Period);
    ASSERT_EQ(Edit->CharData.size(), 2u);
    EXPECT_TRUE(Edit->CharData[0] & (1 << 22));
    EXPECT_FALSE(Edit->CharData[1] & (1 << 22));
}

TEST(WindowsMessages, RegisteredNamesShareOneNumberAndBeepsAreCounted)
{
    const UINT A = RegisterWindowMessage(QStringLiteral("TestShiftFocus"));
    EXPECT_GE(A, 0xC000u);
    EXPECT_EQ(RegisterWindowMessage(QStringLiteral("TestShiftFocus")), A);
    EXPECT_EQ(RegisterWindowMessage(QStringLiteral("testshiftfocus")), A);
    EXPECT_NE(RegisterWindowMessage(QStringLiteral("TestOther")), A);
    const Integer Before = MessageBeepCount();
    MessageBeep(0);
    EXPECT_EQ(MessageBeepCount(), Before + 1);
}

TEST_F(NativeControlsTest, TheFormattingRectangleBecomesTheTextMargins)
{
    auto* Edit = Make<TEdit>();
    Edit->SetBounds(0, 0, 100, 21);
    TRect R(3, 2, 80, 22);
    Edit->Perform(EM_SETRECTNP, 0, LPARAM(&R));
    const QMargins M = Edit->LineEdit()->textMargins();
    EXPECT_EQ(M, QMargins(3, 2, 20, 0)); // a bottom below the client area is no margin
    TRect Back;
    Edit->Perform(EM_GETRECT, 0, LPARAM(&Back));
    EXPECT_EQ(Back, R);
}

TEST_F(NativeControlsTest, ClipboardKeysAndTheContextMenuGoThroughTheEditsMessages)
{
    auto* Edit = Make<TRecordingEdit>();
    ShowForm();
    Edit->SetFocus();
    QApplication::clipboard()->setText(QStringLiteral("xy"));
    QTest::keyClick(Edit->Handle(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Edit->Text(), QStringLiteral("xy"));
    Edit->RefuseClipboard = true;
    QTest::keyClick(Edit->Handle(), Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(Edit->Handle(), Qt::Key_Insert, Qt::ShiftModifier);
    Edit->SelectAll();
    QTest::keyClick(Edit->Handle(), Qt::Key_X, Qt::ControlModifier);
    QTest::keyClick(Edit->Handle(), Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(Edit->Text(), QStringLiteral("xy"));
    EXPECT_EQ(Edit->Pastes, 3);
    // The context menu's Paste sends the message too.
    QContextMenuEvent Menu(QContextMenuEvent::Mouse, QPoint(5, 5), Edit->Handle()->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(Edit->Handle(), &Menu);
    auto* Popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(Popup, nullptr);
    QAction* Paste = nullptr;
    for (QAction* A : Popup->actions())
        if (A->text().startsWith(QLineEdit::tr("&Paste")))
            Paste = A;
    ASSERT_NE(Paste, nullptr);
    Edit->SetSelStart(2);
    Paste->trigger();
    Popup->close();
    EXPECT_EQ(Edit->Pastes, 4);
    EXPECT_EQ(Edit->Text(), QStringLiteral("xy"));
}

TEST_F(NativeControlsTest, PaintOverDrawsOnTopOfTheWidget)
{
    auto* Edit = Make<TOverdrawnEdit>();
    Edit->SetBounds(10, 10, 100, 24);
    Edit->SetText(QStringLiteral("text"));
    ShowForm();
    const QImage Image = Edit->Handle()->grab().toImage();
    EXPECT_EQ(Image.pixelColor(95, 12), QColor(Qt::red));
    EXPECT_NE(Image.pixelColor(50, 12), QColor(Qt::red));
    // The mouse still finds the edit itself underneath.
    EXPECT_EQ(Edit->Handle()->childAt(QPoint(95, 12)), nullptr);
}

TEST_F(NativeControlsTest, ComboBoxTellsWhenItsListDropsAndCloses)
{
    auto* Combo = Make<TComboBox>();
    Combo->Items()->Add(QStringLiteral("one"));
    Combo->Items()->Add(QStringLiteral("two"));
    std::vector<std::string> Log;
    Combo->OnDropDown = [&](TObject*) { Log.push_back(Combo->DroppedDown() ? "drop (shown)" : "drop"); };
    Combo->OnCloseUp = [&](TObject*) { Log.push_back("close"); };
    ShowForm();
    Combo->SetDroppedDown(true);
    EXPECT_TRUE(Combo->DroppedDown());
    Combo->SetDroppedDown(false);
    Combo->SetDroppedDown(false); // already closed: nothing
    EXPECT_EQ(Log, (std::vector<std::string>{"drop", "close"}));
}

TEST_F(NativeControlsTest, AControlMayFreeItselfFromItsMenuChoice)
{
    auto* Edit = Make<TEdit>();
    auto* Menu = new TPopupMenu(Edit);
    bool Chosen = false;
    Menu->Items()->Add(NewItem(QStringLiteral("Free"), [&](TObject*) {
        Chosen = true;
        delete Edit;
    }));
    ShowForm();
    Menu->Popup(10, 10);
    QMenu* Shown = Menu->PopupWidget();
    ASSERT_NE(Shown, nullptr);
    Shown->actions().at(0)->trigger();
    EXPECT_TRUE(Chosen);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Form->ControlCount(), 0);
}

TEST_F(NativeControlsTest, RunAsEventShowsErrorsAndSurvivesTheControlBeingFreed)
{
    auto* Edit = Make<TEdit>();
    Edit->RunAsEvent([] { throw EConvertError(QStringLiteral("bad")); });
    ASSERT_EQ(Dialogs->Boxes.size(), 1u);
    EXPECT_EQ(Dialogs->Boxes[0].Text, QStringLiteral("bad."));
    Edit->RunAsEvent([Edit] { delete Edit; });
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Form->ControlCount(), 0);
}
