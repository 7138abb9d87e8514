// Controls: Qt events arrive as the framework's messages and events, with
// its argument values; layout, ownership, timers and hints.
#include "rtl/Controls.h"
#include "rtl/ExtCtrls.h"
#include "rtl/Forms.h"
#include "rtl/StdCtrls.h"

#include "common/FormFixture.h"

#include <QApplication>
#include <QEnterEvent>
#include <QImage>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// Records what reaches it, in order.
class TProbe : public TCustomControl {
public:
    explicit TProbe(TComponent* AOwner) : TCustomControl(AOwner)
    {
        SetTabStop(true);
        SetBounds(0, 0, 60, 40);
    }

    std::vector<std::string> Log;
    Cardinal DlgCode = 0;
    TMouseButton LastButton = mbMiddle;
    TShiftState LastShift;
    TPoint LastPos;
    std::vector<Word> KeysDown;
    std::vector<char16_t> Chars;
    std::vector<UINT_PTR> Timers;
    TColor PaintColor = clRed;

    using TControl::Perform;

protected:
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override
    {
        Log.push_back("down");
        LastButton = Button;
        LastShift = Shift;
        LastPos = TPoint(X, Y);
        TCustomControl::MouseDown(Button, Shift, X, Y);
    }
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override
    {
        Log.push_back("up");
        TCustomControl::MouseUp(Button, Shift, X, Y);
    }
    void Click() override
    {
        Log.push_back("click");
        TCustomControl::Click();
    }
    void DblClick() override
    {
        Log.push_back("dblclick");
        TCustomControl::DblClick();
    }
    void KeyDown(Word& Key, TShiftState Shift) override
    {
        KeysDown.push_back(Key);
        LastShift = Shift;
        TCustomControl::KeyDown(Key, Shift);
    }
    void KeyPress(Char& Key) override
    {
        Chars.push_back(Key.unicode());
        TCustomControl::KeyPress(Key);
    }
    void WMGetDlgCode(TWMGetDlgCode& Message) override { Message.Result = DlgCode; }
    void WMTimer(TWMTimer& Message) override { Timers.push_back(Message.TimerID); }
    void CMMouseEnter(TMessage& Message) override
    {
        Log.push_back("enter");
        TCustomControl::CMMouseEnter(Message);
    }
    void CMMouseLeave(TMessage& Message) override
    {
        Log.push_back("leave");
        TCustomControl::CMMouseLeave(Message);
    }
    void CMEnabledChanged(TMessage& Message) override
    {
        Log.push_back("enabled");
        TCustomControl::CMEnabledChanged(Message);
    }
    void CMTextChanged(TMessage& Message) override
    {
        Log.push_back("text");
        TCustomControl::CMTextChanged(Message);
    }
    void CMFontChanged(TMessage& Message) override
    {
        Log.push_back("font");
        TCustomControl::CMFontChanged(Message);
    }
    void WMSize(TWMSize& Message) override
    {
        Log.push_back("size " + std::to_string(Message.Width) + "x" + std::to_string(Message.Height));
        TCustomControl::WMSize(Message);
    }
    void Paint() override
    {
        Canvas()->Brush()->SetColor(PaintColor);
        Canvas()->FillRect(TRect(0, 0, Width(), Height()));
    }
};

class ControlsTest : public TFormFixture {
protected:
    void ShowForm()
    {
        TFormFixture::ShowForm();
        for (TProbe* P : Probes)
            P->Log.clear();
    }
    TProbe* NewProbe(Integer Left = 0, Integer Top = 0)
    {
        TProbe* P = Make<TProbe>(Left, Top);
        Probes.push_back(P);
        return P;
    }

    std::vector<TProbe*> Probes;
};

} // namespace

TEST_F(ControlsTest, MouseEventsCarryButtonShiftAndClientPosition)
{
    struct Case {
        Qt::MouseButton Button;
        Qt::KeyboardModifiers Mods;
        TMouseButton Expected;
        TShiftState Shift;
        bool Clicks;
    };
    const Case Cases[] = {
        {Qt::LeftButton, Qt::NoModifier, mbLeft, TShiftState{ssLeft}, true},
        {Qt::LeftButton, Qt::ShiftModifier, mbLeft, TShiftState{ssLeft, ssShift}, true},
        {Qt::RightButton, Qt::ControlModifier, mbRight, TShiftState{ssRight, ssCtrl}, false},
        {Qt::MiddleButton, Qt::AltModifier, mbMiddle, TShiftState{ssMiddle, ssAlt}, false},
    };
    TProbe* P = NewProbe(20, 30);
    ShowForm();
    for (const Case& C : Cases) {
        P->Log.clear();
        QTest::mouseClick(P->Handle(), C.Button, C.Mods, QPoint(5, 7));
        EXPECT_EQ(P->LastButton, C.Expected);
        EXPECT_TRUE(P->LastShift == C.Shift) << int(C.Button);
        EXPECT_EQ(P->LastPos, TPoint(5, 7));
        const std::vector<std::string> Expected =
            C.Clicks ? std::vector<std::string>{"down", "click", "up"} : std::vector<std::string>{"down", "up"};
        EXPECT_EQ(P->Log, Expected);
    }
}

TEST_F(ControlsTest, DoubleClickRaisesDblClickAndADoubleMouseDown)
{
    TProbe* P = NewProbe();
    ShowForm();
    // The platform's order: press, release, double-click press, release.
    QTest::mouseClick(P->Handle(), Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    QTest::mouseDClick(P->Handle(), Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    QTest::mouseRelease(P->Handle(), Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    EXPECT_EQ(P->Log, (std::vector<std::string>{"down", "click", "up", "dblclick", "down", "up"}));
    EXPECT_TRUE(P->LastShift.Contains(ssDouble));
}

TEST_F(ControlsTest, ReleaseOutsideTheControlGivesNoClick)
{
    TProbe* P = NewProbe();
    ShowForm();
    QTest::mousePress(P->Handle(), Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    QTest::mouseRelease(P->Handle(), Qt::LeftButton, Qt::NoModifier, QPoint(200, 3));
    EXPECT_EQ(P->Log, (std::vector<std::string>{"down", "up"}));
}

TEST_F(ControlsTest, KeysArriveAsVirtualKeyCodesWithShiftState)
{
    struct Case {
        Qt::Key Key;
        Qt::KeyboardModifiers Mods;
        Word VK;
        TShiftState Shift;
    };
    const Case Cases[] = {
        {Qt::Key_A, Qt::NoModifier, Word('A'), TShiftState()},
        {Qt::Key_A, Qt::ShiftModifier, Word('A'), TShiftState{ssShift}},
        {Qt::Key_7, Qt::NoModifier, Word('7'), TShiftState()},
        {Qt::Key_F5, Qt::ControlModifier, VK_F5, TShiftState{ssCtrl}},
        {Qt::Key_Delete, Qt::NoModifier, VK_DELETE, TShiftState()},
        {Qt::Key_Home, Qt::NoModifier, VK_HOME, TShiftState()},
        {Qt::Key_PageDown, Qt::NoModifier, VK_NEXT, TShiftState()},
        {Qt::Key_Period, Qt::NoModifier, VK_OEM_PERIOD, TShiftState()},
        {Qt::Key_Space, Qt::NoModifier, VK_SPACE, TShiftState()},
    };
    TProbe* P = NewProbe();
    ShowForm();
    for (const Case& C : Cases) {
        P->KeysDown.clear();
        QTest::keyClick(P->Handle(), C.Key, C.Mods);
        // Modifier keys arrive as keys of their own first.
        ASSERT_FALSE(P->KeysDown.empty()) << C.Key;
        EXPECT_EQ(P->KeysDown.back(), C.VK) << C.Key;
        EXPECT_TRUE(P->LastShift == C.Shift) << C.Key;
    }
}

TEST_F(ControlsTest, KeyPressGivesTheFrameworkCharacters)
{
    struct Case {
        char Typed;
        Qt::KeyboardModifiers Mods;
        char16_t Char;
    };
    const Case Cases[] = {
        {'a', Qt::NoModifier, u'a'},
        {'A', Qt::ShiftModifier, u'A'},
        {'a', Qt::ControlModifier, 1},
        {'c', Qt::ControlModifier, 3},
        {'z', Qt::ControlModifier, 26},
        {'\b', Qt::NoModifier, 8},
        {'.', Qt::NoModifier, u'.'},
    };
    TProbe* P = NewProbe();
    P->DlgCode = DLGC_WANTALLKEYS;
    ShowForm();
    for (const Case& C : Cases) {
        P->Chars.clear();
        QTest::keyClick(P->Handle(), C.Typed, C.Mods);
        ASSERT_EQ(P->Chars.size(), 1u) << C.Typed;
        EXPECT_EQ(P->Chars[0], C.Char) << C.Typed;
    }
    // Enter and Escape reach a control that asks for all keys.
    P->Chars.clear();
    QTest::keyClick(P->Handle(), Qt::Key_Return);
    QTest::keyClick(P->Handle(), Qt::Key_Escape);
    EXPECT_EQ(P->Chars, (std::vector<char16_t>{13, 27}));
    // No character for keys that type none.
    P->Chars.clear();
    QTest::keyClick(P->Handle(), Qt::Key_Left);
    QTest::keyClick(P->Handle(), Qt::Key_F2);
    EXPECT_TRUE(P->Chars.empty());
}

TEST_F(ControlsTest, ArrowsAndTabMoveTheFocusUnlessTheControlAsksForThem)
{
    TProbe* A = NewProbe(0, 0);
    TProbe* B = NewProbe(70, 0);
    ShowForm();
    A->SetFocus();
    ASSERT_EQ(Form->ActiveControl(), A);

    // Not asked for: the window moves the focus and KeyDown never runs.
    QTest::keyClick(A->Handle(), Qt::Key_Right);
    EXPECT_TRUE(A->KeysDown.empty());
    EXPECT_EQ(Form->ActiveControl(), B);
    QTest::keyClick(B->Handle(), Qt::Key_Tab);
    EXPECT_EQ(Form->ActiveControl(), A);
    QTest::keyClick(A->Handle(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(Form->ActiveControl(), B);

    // Asked for: the keys reach the control.
    B->DlgCode = DLGC_WANTARROWS | DLGC_WANTTAB;
    QTest::keyClick(B->Handle(), Qt::Key_Right);
    QTest::keyClick(B->Handle(), Qt::Key_Tab);
    EXPECT_EQ(B->KeysDown, (std::vector<Word>{VK_RIGHT, VK_TAB}));
    EXPECT_EQ(Form->ActiveControl(), B);
}

TEST_F(ControlsTest, FocusChangeRaisesExitThenEnter)
{
    std::vector<std::string> Order;
    TProbe* A = NewProbe(0, 0);
    TProbe* B = NewProbe(70, 0);
    A->OnEnter = [&](TObject*) { Order.push_back("enter A"); };
    A->OnExit = [&](TObject*) { Order.push_back("exit A"); };
    B->OnEnter = [&](TObject*) { Order.push_back("enter B"); };
    ShowForm();
    A->SetFocus();
    B->SetFocus();
    EXPECT_EQ(Order, (std::vector<std::string>{"enter A", "exit A", "enter B"}));
    EXPECT_TRUE(B->Focused());
    // Focus cannot go to a hidden control.
    A->SetVisible(false);
    EXPECT_FALSE(A->CanFocus());
    EXPECT_THROW(A->SetFocus(), EInvalidOperation);
}

// The controls told of a focus change (exit, enter, focus changed) see the
// focus where it went, so whatever they paint follows the real focus.
TEST_F(ControlsTest, AFocusChangeIsAnnouncedOnceTheFocusHasMoved)
{
    TProbe* A = NewProbe(0, 0);
    TProbe* B = NewProbe(70, 0);
    ShowForm();
    A->SetFocus();
    std::vector<std::string> Seen;
    const auto Record = [&](const char* When) {
        Seen.push_back(std::string(When) + (A->Focused() ? " A" : "") + (B->Focused() ? " B" : ""));
    };
    A->OnExit = [&](TObject*) { Record("exit"); };
    B->OnEnter = [&](TObject*) { Record("enter"); };
    B->SetFocus();
    EXPECT_EQ(Seen, (std::vector<std::string>{"exit B", "enter B"}));
}

// No leave comes from the platform when a control or its window is hidden
// or another window is activated; the control is told all the same, once,
// and a later enter counts again.
TEST_F(ControlsTest, HidingOrDeactivationEndsTheMouseOver)
{
    TProbe* P = NewProbe();
    ShowForm();
    const struct {
        const char* Name;
        std::function<void()> Away;
        std::function<void()> Back;
    } Cases[] = {
        {"control hidden", [P] { P->SetVisible(false); }, [P] { P->SetVisible(true); }},
        {"window hidden", [this] { Form->Hide(); }, [this] { Form->Show(); }},
        {"window deactivated",
         [this] {
             QEvent Deactivate(QEvent::WindowDeactivate);
             QApplication::sendEvent(Form->Handle(), &Deactivate);
         },
         [] {}},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        QEnterEvent Enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QApplication::sendEvent(P->Handle(), &Enter);
        P->Log.clear();
        C.Away();
        C.Back();
        QApplication::sendEvent(P->Handle(), &Enter);
        QEvent Leave(QEvent::Leave);
        QApplication::sendEvent(P->Handle(), &Leave);
        std::erase_if(P->Log, [](const std::string& L) { return L.rfind("size", 0) == 0; });
        EXPECT_EQ(P->Log, (std::vector<std::string>{"leave", "enter", "leave"}));
    }
}

TEST_F(ControlsTest, PerformDeliversToTheNamedHandlers)
{
    TProbe* P = NewProbe();
    P->Log.clear();
    P->SetEnabled(false);
    P->SetCaption(QStringLiteral("x"));
    P->Font()->SetHeight(-20);
    P->SetBounds(1, 2, 33, 44);
    EXPECT_EQ(P->Log, (std::vector<std::string>{"enabled", "text", "font", "size 33x44"}));
    // Setting what is already set sends nothing.
    P->Log.clear();
    P->SetBounds(1, 2, 33, 44);
    P->SetCaption(QStringLiteral("x"));
    EXPECT_TRUE(P->Log.empty());
    // Messages sent by the design go to the same handlers.
    P->Perform(CM_MOUSEENTER);
    P->Perform(WM_TIMER, 42);
    EXPECT_EQ(P->Log, (std::vector<std::string>{"enter"}));
    EXPECT_EQ(P->Timers, (std::vector<UINT_PTR>{42}));
    // SendMessage by handle reaches the same control.
    SendMessage(P->Handle(), WM_TIMER, 43, 0);
    EXPECT_EQ(P->Timers, (std::vector<UINT_PTR>{42, 43}));
}

TEST_F(ControlsTest, MouseEnterAndLeaveBecomeMessagesAndEvents)
{
    TProbe* P = NewProbe();
    int Enters = 0, Leaves = 0;
    P->OnMouseEnter = [&](TObject*) { ++Enters; };
    P->OnMouseLeave = [&](TObject*) { ++Leaves; };
    ShowForm();
    QEvent Leave(QEvent::Leave);
    QApplication::sendEvent(P->Handle(), &Leave); // the pointer may start inside
    P->Log.clear();
    Enters = Leaves = 0;
    QEnterEvent Enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(P->Handle(), &Enter);
    QApplication::sendEvent(P->Handle(), &Enter); // no second enter while inside
    QApplication::sendEvent(P->Handle(), &Leave);
    EXPECT_EQ(P->Log, (std::vector<std::string>{"enter", "leave"}));
    EXPECT_EQ(Enters, 1);
    EXPECT_EQ(Leaves, 1);
}

TEST_F(ControlsTest, ParentFontAndColorFlowToChildrenUntilTheyHaveTheirOwn)
{
    TProbe* P = NewProbe();
    Form->Font()->SetName(QStringLiteral("Verdana"));
    Form->Font()->SetHeight(-11);
    Form->SetColor(RGB(248, 247, 237));
    EXPECT_EQ(P->Font()->Name(), QStringLiteral("Verdana"));
    EXPECT_EQ(P->Font()->Height(), -11);
    EXPECT_EQ(P->Color(), RGB(248, 247, 237));
    EXPECT_TRUE(P->ParentFont());

    P->Font()->SetHeight(-30);
    P->SetColor(clRed);
    EXPECT_FALSE(P->ParentFont());
    EXPECT_FALSE(P->ParentColor());
    Form->Font()->SetHeight(-15);
    Form->SetColor(clBlue);
    EXPECT_EQ(P->Font()->Height(), -30);
    EXPECT_EQ(P->Color(), clRed);
}

TEST_F(ControlsTest, AlignLaysOutChildrenInTheFrameworkOrder)
{
    auto* Panel = new TPanel(Form.get());
    Panel->SetParent(Form.get());
    Panel->SetBevelOuter(bvNone);
    Panel->SetBounds(0, 0, 200, 100);
    auto Child = [&](TAlign A, Integer W, Integer H) {
        auto* C = new TPanel(Form.get());
        C->SetParent(Panel);
        C->SetBounds(0, 0, W, H);
        C->SetAlign(A);
        return C;
    };
    TPanel* Top1 = Child(alTop, 10, 20);
    TPanel* Bottom = Child(alBottom, 10, 15);
    TPanel* Left = Child(alLeft, 30, 10);
    TPanel* Right = Child(alRight, 25, 10);
    TPanel* Client = Child(alClient, 1, 1);
    TPanel* Top2 = Child(alTop, 10, 5);
    Top2->SetTop(50); // below Top1: stacked under it
    EXPECT_EQ(Top1->BoundsRect(), TRect(0, 0, 200, 20));
    EXPECT_EQ(Top2->BoundsRect(), TRect(0, 20, 200, 25));
    EXPECT_EQ(Bottom->BoundsRect(), TRect(0, 85, 200, 100));
    EXPECT_EQ(Left->BoundsRect(), TRect(0, 25, 30, 85));
    EXPECT_EQ(Right->BoundsRect(), TRect(175, 25, 200, 85));
    EXPECT_EQ(Client->BoundsRect(), TRect(30, 25, 175, 85));

    // The layout follows the parent's size and the children's visibility.
    Panel->SetBounds(0, 0, 300, 150);
    EXPECT_EQ(Client->BoundsRect(), TRect(30, 25, 275, 135));
    Top2->SetVisible(false);
    EXPECT_EQ(Client->BoundsRect(), TRect(30, 20, 275, 135));
}

TEST_F(ControlsTest, AnchorsKeepTheDistancesToTheParentEdges)
{
    auto* Panel = new TPanel(Form.get());
    Panel->SetParent(Form.get());
    Panel->SetBounds(0, 0, 460, 40);
    auto* Ok = new TPanel(Form.get());
    Ok->SetParent(Panel);
    Ok->SetBounds(217, 6, 110, 28);
    Ok->SetAnchors(TAnchors{akTop, akRight});
    auto* Wide = new TPanel(Form.get());
    Wide->SetParent(Panel);
    Wide->SetBounds(10, 5, 100, 30);
    Wide->SetAnchors(TAnchors{akLeft, akTop, akRight, akBottom});

    Panel->SetBounds(0, 0, 500, 60);
    EXPECT_EQ(Ok->BoundsRect(), TRect(257, 6, 367, 34));
    EXPECT_EQ(Wide->BoundsRect(), TRect(10, 5, 150, 55));
}

TEST_F(ControlsTest, OwnerFreesControlsParentedElsewhereWithoutDoubleFree)
{
    auto* Outer = new TPanel(Form.get());
    Outer->SetParent(Form.get());
    auto* Inner = new TPanel(Form.get());
    Inner->SetParent(Outer);
    auto* Leaf = new TProbe(Form.get());
    Leaf->SetParent(Inner);
    const int Owned = Form->ComponentCount();
    // A parent frees its children even when someone else owns them.
    delete Outer;
    EXPECT_EQ(Form->ComponentCount(), Owned - 3);
    EXPECT_EQ(Form->ControlCount(), 0);
    // And the owner frees what is left (checked by the sanitizer).
    auto* Again = new TPanel(Form.get());
    Again->SetParent(Form.get());
    (new TProbe(Form.get()))->SetParent(Again);
    Form.reset();
}

TEST_F(ControlsTest, TimerByIdentifierDeliversWmTimer)
{
    TProbe* P = NewProbe();
    EXPECT_EQ(P->SetTimer(7, 5), UINT_PTR(7));
    EXPECT_EQ(SetTimer(P->Handle(), 9, 5), UINT_PTR(9));
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return std::count(P->Timers.begin(), P->Timers.end(), 7) > 0 &&
               std::count(P->Timers.begin(), P->Timers.end(), 9) > 0;
    }));
    EXPECT_TRUE(P->KillTimer(7));
    EXPECT_TRUE(KillTimer(P->Handle(), 9));
    EXPECT_FALSE(P->KillTimer(7));
}

TEST_F(ControlsTest, PaintDrawsOnTheCanvasAndTheWindowCanBeGrabbed)
{
    TProbe* P = NewProbe(10, 10);
    P->PaintColor = RGB(0, 0, 255);
    ShowForm();
    const QImage Image = Form->Handle()->grab().toImage();
    EXPECT_EQ(Image.pixelColor(20, 20), QColor(0, 0, 255));
    EXPECT_NE(Image.pixelColor(5, 5), QColor(0, 0, 255));
}

TEST_F(ControlsTest, ExceptionFromAClickHandlerIsShownAndTheProgramGoesOn)
{
    TProbe* P = NewProbe();
    int Clicks = 0;
    P->OnClick = [&](TObject*) {
        ++Clicks;
        throw EConvertError(QStringLiteral("'abc' is not a valid integer value"));
    };
    ShowForm();
    QTest::mouseClick(P->Handle(), Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    QTest::mouseClick(P->Handle(), Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    EXPECT_EQ(Clicks, 2);
    ASSERT_EQ(Dialogs->Boxes.size(), 2u);
    EXPECT_EQ(Dialogs->Boxes[0].DlgType, mtError);
    EXPECT_EQ(Dialogs->Boxes[0].Text, QStringLiteral("'abc' is not a valid integer value."));
    EXPECT_TRUE(Dialogs->Boxes[0].Buttons == TMsgDlgButtons{mbOK});
    // Exceptions from key handlers are caught as well; EAbort is silent.
    P->OnKeyDown = [](TObject*, Word&, TShiftState) { throw EAbort(QStringLiteral("quiet")); };
    QTest::keyClick(P->Handle(), Qt::Key_X);
    EXPECT_EQ(Dialogs->Boxes.size(), 2u);
}

TEST_F(ControlsTest, MouseWheelClimbsToTheFormUntilHandled)
{
    TProbe* P = NewProbe();
    std::vector<Integer> Deltas;
    Form->OnMouseWheel = [&](TObject*, TShiftState, Integer Delta, TPoint, bool& Handled) {
        Deltas.push_back(Delta);
        Handled = true;
    };
    ShowForm();
    QWheelEvent Wheel(QPointF(5, 5), QPointF(P->Handle()->mapToGlobal(QPoint(5, 5))), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(P->Handle(), &Wheel);
    EXPECT_EQ(Deltas, (std::vector<Integer>{-120}));
}

TEST_F(ControlsTest, HintShowsTheShortHintInTheHintColour)
{
    TProbe* P = NewProbe();
    P->SetHint(QStringLiteral("Confirm|Long text"));
    P->SetShowHint(true);
    Application->SetHintColor(RGB(255, 255, 225));
    ShowForm();
    Application->ActivateHint(P->ClientToScreen(TPoint(3, 3)));
    THintWindow* Hint = Application->HintWindow();
    ASSERT_NE(Hint, nullptr);
    EXPECT_TRUE(Hint->IsHintShowing());
    EXPECT_EQ(Hint->Caption(), QStringLiteral("Confirm"));
    EXPECT_EQ(Hint->Color(), RGB(255, 255, 225));
    // A click hides it.
    QTest::mouseClick(P->Handle(), Qt::LeftButton);
    EXPECT_EQ(Application->HintWindow(), nullptr);

    // After the pause, entering the control shows it by itself.
    Application->SetHintPause(1);
    QEvent Leave(QEvent::Leave);
    QApplication::sendEvent(P->Handle(), &Leave);
    QEnterEvent Enter(QPointF(3, 3), QPointF(3, 3), QPointF(3, 3));
    QApplication::sendEvent(P->Handle(), &Enter);
    EXPECT_TRUE(QTest::qWaitFor([] { return Application->HintWindow() != nullptr; }));
    EXPECT_EQ(Application->HintControl(), P);
    Application->CancelHint();
    Application->SetHintPause(500);
}

TEST_F(ControlsTest, APostedKeyDownTakesTheMessageLoopsWayThroughDialogKeys)
{
    TProbe* A = NewProbe(0, 0);
    TProbe* B = NewProbe(70, 0);
    ShowForm();
    A->SetFocus();
    // Tab is a dialog key: it moves the focus and KeyDown does not see it.
    ASSERT_TRUE(PostMessage(A->Handle(), WM_KEYDOWN, VK_TAB, 0));
    QCoreApplication::processEvents();
    EXPECT_EQ(Form->ActiveControl(), B);
    EXPECT_TRUE(A->KeysDown.empty());
    // Other keys reach KeyDown.
    PostMessage(B->Handle(), WM_KEYDOWN, 'Q', 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(B->KeysDown, std::vector<Word>{'Q'});
}

TEST_F(ControlsTest, ParentBackgroundLetsTheParentShowWhereTheControlPaintsNothing)
{
    auto* Box = new TWinControl(Form.get());
    Box->SetParent(Form.get());
    Box->SetBounds(10, 10, 40, 30);
    Box->SetColor(RGB(0, 0, 255));
    Form->SetColor(RGB(255, 0, 0));
    ShowForm();
    EXPECT_EQ(Form->Handle()->grab().toImage().pixelColor(20, 20), QColor(0, 0, 255));
    Box->SetParentBackground(true);
    EXPECT_TRUE(Box->ParentBackground());
    EXPECT_EQ(Form->Handle()->grab().toImage().pixelColor(20, 20), QColor(255, 0, 0));
    Box->SetParentBackground(false);
    EXPECT_EQ(Form->Handle()->grab().toImage().pixelColor(20, 20), QColor(0, 0, 255));
    const TRect Part(0, 0, 5, 5);
    EXPECT_TRUE(InvalidateRect(Box->Handle(), &Part, true));
    EXPECT_FALSE(InvalidateRect(nullptr, nullptr, false));
}

TEST_F(ControlsTest, AFreedWindowedChildLeavesTheTabOrder)
{
    auto* Panel = Make<TPanel>(0, 0);
    auto* Gone = Make<TEdit>(0, 0, Panel);
    auto* Stays = Make<TEdit>(0, 40, Panel);
    delete Gone;
    ShowForm();
    // The tab order walks the panel's list; the freed edit is not in it.
    Form->SelectFirst();
    EXPECT_TRUE(Stays->Focused());
    EXPECT_EQ(Panel->ControlCount(), 1);
}
