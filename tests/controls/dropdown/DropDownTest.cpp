// The drop-down edit and its pop-up: construction, opening and closing,
// placement and size, deactivation, keys, the label, borders and Assign.
#include "DropDownFixture.h"
#include "common/ScopedThemes.h"

#include "rtl/Forms.h"

#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <stdexcept>
#include <vector>

namespace {

class DropDownTest : public DropDownFixture {
protected:
    // A control hosted in the pop-up, so that the pop-up has a size.
    TPanel* Host(TExCustomDropDown* D, Integer W = 120, Integer H = 60)
    {
        auto* P = new TPanel(D);
        P->SetBounds(0, 0, W, H);
        D->SetControl(P);
        return P;
    }
    static bool IsShown(TExCustomDropDown* D) { return D->DropDownForm()->Visible(); }
    // A drop-down on the shown form with its pop-up open and active.
    TExCustomDropDown* OpenActivePopup()
    {
        ShowForm();
        auto* D = MakeDropDown();
        Host(D);
        D->ShowDropDown();
        QApplication::setActiveWindow(D->DropDownForm()->Handle());
        return D;
    }
};

// Records what happens, in order.
struct TJournal {
    std::vector<std::string> Steps;
    void operator()(const char* S) { Steps.emplace_back(S); }
};

} // namespace

TEST_F(DropDownTest, ConstructionDefaults)
{
    auto* D = MakeDropDown();
    EXPECT_EQ(D->Width(), 200);
    EXPECT_EQ(D->Height(), 21);
    EXPECT_EQ(D->DropDownButtonWidth(), 17);
    EXPECT_EQ(D->Version(), QStringLiteral("1.2.1.4"));
    EXPECT_EQ(D->EditType(), etString);
    EXPECT_EQ(D->DropPosition(), dpAuto);
    EXPECT_TRUE(D->EditorEnabled());
    EXPECT_FALSE(D->DroppedDown());
    EXPECT_EQ(D->GetComponentStyle(), tsOffice2007Luna);
    EXPECT_EQ(D->SelectionColorStyle(), scOffice2007);
    ASSERT_NE(D->DropDownForm(), nullptr);
    EXPECT_FALSE(IsShown(D));
    EXPECT_TRUE(D->DropDownForm()->CancelOnDeActivate());
    EXPECT_EQ(D->Button()->SpeedButton()->ButtonStyle(), bsDropDown);
    // The button stands at the right edge inside the border.
    EXPECT_EQ(D->Button()->Left(), 200 - 17 - 4);
    EXPECT_EQ(D->Button()->Width(), 17);
}

TEST_F(DropDownTest, OpeningAndClosingRunInTheirOrder)
{
    ShowForm();
    auto* D = MakeDropDown();
    Host(D);
    auto* Focus = new TEdit(Form.get());
    Focus->SetParent(D->DropDownForm());
    D->SetFocusControl(Focus);
    TJournal J;
    D->OnBeforeDropDown = [&](TObject*) { J(D->DropDownForm()->Header() ? "before-with-header" : "before"); };
    D->OnDropDown = [&](TObject*, bool&) { J(D->DroppedDown() ? "dropdown-open" : "dropdown"); };
    D->OnBeforeDropUp = [&](TObject*) { J(D->DroppedDown() ? "beforeup-open" : "beforeup"); };
    D->OnDropUp = [&](TObject*, bool Cancelled) { J(Cancelled ? "up-cancelled" : "up"); };
    D->ShowDropDown();
    EXPECT_TRUE(D->DroppedDown());
    EXPECT_TRUE(IsShown(D));
    EXPECT_TRUE(Focus->Focused());
    // The header was made after OnBeforeDropDown.
    EXPECT_NE(D->DropDownForm()->Header(), nullptr);
    D->SetText(QStringLiteral("kept"));
    D->SetPlainText(QStringLiteral("typed"));
    D->HideDropDown(true);
    EXPECT_FALSE(D->DroppedDown());
    EXPECT_EQ(D->Text(), QStringLiteral("kept"));
    EXPECT_EQ(J.Steps, (std::vector<std::string>{"before", "dropdown", "beforeup-open", "up-cancelled"}));
}

TEST_F(DropDownTest, ARefusedOpeningStaysHidden)
{
    ShowForm();
    auto* D = MakeDropDown();
    D->OnDropDown = [](TObject*, bool& Accept) { Accept = false; };
    D->ShowDropDown();
    EXPECT_FALSE(D->DroppedDown());
    EXPECT_FALSE(IsShown(D));
    D->OnDropDown = nullptr;
    D->SetReadOnly(true);
    D->ShowDropDown();
    EXPECT_FALSE(IsShown(D));
}

TEST_F(DropDownTest, AHandlerThatRaisesLeavesThePopupClosed)
{
    ShowForm();
    auto* D = MakeDropDown();
    D->OnDropDown = [](TObject*, bool&) { throw Exception(QStringLiteral("refused")); };
    EXPECT_THROW(D->ShowDropDown(), Exception);
    EXPECT_FALSE(D->DroppedDown());
    EXPECT_FALSE(IsShown(D));
    D->OnDropDown = nullptr;
    D->ShowDropDown();
    ASSERT_TRUE(IsShown(D));
    D->OnDropUp = [](TObject*, bool) { throw Exception(QStringLiteral("late")); };
    EXPECT_THROW(D->HideDropDown(false), Exception);
    EXPECT_FALSE(D->DroppedDown());
    EXPECT_FALSE(IsShown(D));
}

TEST_F(DropDownTest, PlacementBelowAboveAndAtTheRightEdge)
{
    ShowForm();
    auto* D = MakeDropDown(20, 20);
    Host(D, 150, 80);
    const TRect WorkArea = Screen->MonitorWorkAreaAt(D->ClientToScreen(TPoint(0, 0)));
    const TPoint P = Form->ClientToScreen(TPoint(D->Left(), D->Top()));
    D->ShowDropDown();
    TDropDownForm* F = D->DropDownForm();
    EXPECT_EQ(F->Top(), P.Y + D->Height() - 1);
    EXPECT_EQ(F->Left(), P.X);
    D->HideDropDown(false);
    D->SetDropPosition(dpUp);
    D->ShowDropDown();
    EXPECT_EQ(F->Top() + F->Height(), P.Y);
    D->HideDropDown(false);
    // Near the bottom of the work area the automatic choice is above.
    D->SetDropPosition(dpAuto);
    Form->SetBounds(Form->Left(), WorkArea.Bottom - 120, Form->Width(), Form->Height());
    QTest::qWait(20);
    const TPoint Low = Form->ClientToScreen(TPoint(D->Left(), D->Top()));
    D->ShowDropDown();
    ASSERT_GE(Low.Y + F->Height(), WorkArea.Bottom);
    EXPECT_EQ(F->Top() + F->Height(), Low.Y);
    D->HideDropDown(false);
    // A pop-up crossing the right edge ends at it.
    Form->SetBounds(WorkArea.Right - 100, WorkArea.Top + 10, Form->Width(), Form->Height());
    QTest::qWait(20);
    D->ShowDropDown();
    EXPECT_EQ(F->Left() + F->Width(), WorkArea.Right);
}

TEST_F(DropDownTest, TheSizeLeftAtClosingIsRemembered)
{
    ShowForm();
    auto* D = MakeDropDown();
    TPanel* P = Host(D, 150, 80);
    D->ShowDropDown();
    EXPECT_EQ(D->DropDownForm()->Width(), 150);
    D->DropDownForm()->SizeTo(300, 200);
    D->HideDropDown(false);
    P->SetBounds(0, 0, 90, 40);
    D->ShowDropDown();
    EXPECT_EQ(D->DropDownForm()->Width(), 300);
    EXPECT_EQ(D->DropDownForm()->Height(), 200);
    D->HideDropDown(false);
    D->SetDropDownWidth(250);
    D->ShowDropDown();
    EXPECT_EQ(D->DropDownForm()->Width(), 250);
    EXPECT_EQ(D->DropDownForm()->Height(), 200);
    // Never below 80 x 50.
    D->DropDownForm()->SizeTo(10, 10);
    EXPECT_EQ(D->DropDownForm()->Width(), 80);
    EXPECT_EQ(D->DropDownForm()->Height(), 50);
}

TEST_F(DropDownTest, AButtonClickSoonAfterTheDeactivationDoesNotReopen)
{
    ShowForm();
    auto* D = MakeDropDown();
    Host(D);
    D->ShowDropDown();
    QApplication::setActiveWindow(D->DropDownForm()->Handle());
    QApplication::setActiveWindow(Form->Handle());
    EXPECT_FALSE(IsShown(D));
    D->DoButtonClick();
    EXPECT_FALSE(IsShown(D));
    QTest::qWait(300);
    D->DoButtonClick();
    EXPECT_TRUE(IsShown(D));
}

TEST_F(DropDownTest, DeactivationByAnotherWindowClosesAndRestores)
{
    ShowForm();
    auto* D = MakeDropDown();
    Host(D);
    TForm Other(nullptr);
    Other.Show();
    D->SetText(QStringLiteral("old"));
    D->ShowDropDown();
    QApplication::setActiveWindow(D->DropDownForm()->Handle());
    D->SetPlainText(QStringLiteral("new"));
    QApplication::setActiveWindow(Other.Handle());
    EXPECT_FALSE(IsShown(D));
    EXPECT_EQ(D->Text(), QStringLiteral("old"));
    // Without CancelOnDeActivate the value stays.
    D->ShowDropDown();
    D->DropDownForm()->SetCancelOnDeActivate(false);
    QApplication::setActiveWindow(D->DropDownForm()->Handle());
    D->SetPlainText(QStringLiteral("new"));
    QApplication::setActiveWindow(Other.Handle());
    EXPECT_FALSE(IsShown(D));
    EXPECT_EQ(D->Text(), QStringLiteral("new"));
}

TEST_F(DropDownTest, OwnWindowsAndBlockedActivationLeaveThePopupOpen)
{
    TExCustomDropDown* D = OpenActivePopup();
    TDropDownForm* F = D->DropDownForm();
    // A window owned by the pop-up.
    TForm Owned(nullptr);
    Owned.Handle()->winId();
    Owned.Handle()->windowHandle()->setTransientParent(F->Handle()->windowHandle());
    Owned.Show();
    QApplication::setActiveWindow(Owned.Handle());
    EXPECT_TRUE(IsShown(D));
    QApplication::setActiveWindow(F->Handle());
    // Anything while BlockActivate is set, with the stamp unchanged.
    const Cardinal Stamp = F->DeActivateTime();
    TForm Other(nullptr);
    Other.Show();
    F->SetBlockActivate(true);
    QTest::qWait(5);
    QApplication::setActiveWindow(Other.Handle());
    EXPECT_TRUE(IsShown(D));
    EXPECT_EQ(F->DeActivateTime(), Stamp);
    F->SetBlockActivate(false);
}

TEST_F(DropDownTest, AModalDialogOpenedWhileBlockedLeavesThePopupOpen)
{
    TExCustomDropDown* D = OpenActivePopup();
    TDropDownForm* F = D->DropDownForm();
    F->SetBlockActivate(true);
    TForm Dialog(nullptr);
    bool WasOpen = false;
    QTimer::singleShot(50, [&] {
        QApplication::setActiveWindow(Dialog.Handle());
        WasOpen = IsShown(D);
        Dialog.SetModalResult(mrOk);
    });
    Dialog.ShowModal();
    F->SetBlockActivate(false);
    EXPECT_TRUE(WasOpen);
    EXPECT_TRUE(IsShown(D));
}

TEST_F(DropDownTest, ABorderOfThreeKeepsTheControlInside)
{
    TScopedThemesOff Classic;
    ShowForm();
    auto* D = MakeDropDown();
    TPanel* P = Host(D, 120, 60);
    D->SetDropDownBorderWidth(3);
    D->SetDropDownBorderColor(TColor(0x0000FF));
    D->ShowDropDown();
    EXPECT_EQ(P->Left(), 3);
    EXPECT_EQ(P->Width(), D->DropDownForm()->Width() - 6);
    const QImage I = D->DropDownForm()->Handle()->grab().toImage();
    EXPECT_EQ(I.pixel(0, 30), qRgb(255, 0, 0));
    EXPECT_EQ(I.pixel(2, 30), qRgb(255, 0, 0));
}

TEST_F(DropDownTest, EnterKeepsEscapeRestoresTheLastSetText)
{
    ShowForm();
    auto* D = MakeDropDown();
    D->SetFocus();
    D->SetText(QStringLiteral("abc"));
    std::vector<bool> Ups;
    D->OnDropUp = [&](TObject*, bool Cancelled) { Ups.push_back(Cancelled); };
    D->ShowDropDown();
    D->SetPlainText(QStringLiteral("changed"));
    SendMessage(D->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(D->Text(), QStringLiteral("abc"));
    D->ShowDropDown();
    D->SetPlainText(QStringLiteral("changed"));
    SendMessage(D->Handle(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_FALSE(D->DroppedDown());
    EXPECT_EQ(D->Text(), QStringLiteral("changed"));
    EXPECT_EQ(Ups, (std::vector<bool>{true, false}));
}

TEST_F(DropDownTest, F4AndAltDownToggleAlsoFromTheHostedControl)
{
    ShowForm();
    auto* D = MakeDropDown();
    auto* Inner = new TEdit(D);
    Inner->SetBounds(0, 0, 100, 21);
    D->SetControl(Inner);
    D->SetFocus();
    Press(D, Qt::Key_F4);
    EXPECT_TRUE(D->DroppedDown());
    Press(D, Qt::Key_F4);
    EXPECT_FALSE(D->DroppedDown());
    Press(D, Qt::Key_Down, Qt::AltModifier);
    EXPECT_TRUE(D->DroppedDown());
    // Relayed from the hosted control: closes without cancelling.
    bool Cancelled = true;
    D->OnDropUp = [&](TObject*, bool C) { Cancelled = C; };
    Press(Inner, Qt::Key_Down, Qt::AltModifier);
    EXPECT_FALSE(D->DroppedDown());
    EXPECT_FALSE(Cancelled);
}

TEST_F(DropDownTest, WithoutTypingTheEditIsAButton)
{
    ShowForm();
    auto* D = MakeDropDown();
    Host(D);
    D->SetText(QStringLiteral("value"));
    D->SetEditorEnabled(false);
    D->SetFocus();
    Press(D, Qt::Key_X);
    EXPECT_EQ(D->Text(), QStringLiteral("value"));
    Press(D, Qt::Key_F4);
    EXPECT_TRUE(D->DroppedDown());
    Press(D, Qt::Key_F4);
    EXPECT_FALSE(D->DroppedDown());
    QTest::qWait(300);
    QTest::mouseClick(D->Handle(), Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_TRUE(D->DroppedDown());
    D->HideDropDown(false);
    // The focused value is drawn highlighted.
    D->SetFocus();
    const QImage I = Grab(Form.get()).copy(D->Left(), D->Top(), D->Width(), D->Height());
    const QColor Highlight = ColorToQColor(clHighlight);
    EXPECT_EQ(QColor(I.pixel(4, 10)).rgb() & 0xFFFFFF, Highlight.rgb() & 0xFFFFFF);
}

TEST_F(DropDownTest, WithoutDefaultHandlingEnterReachesTheParent)
{
    ShowForm();
    auto* D = MakeDropDown();
    int ParentEnters = 0, KeyPresses = 0;
    Form->OnKeyDown = [&](TObject*, Word& Key, TShiftState) {
        if (Key == VK_RETURN)
            ++ParentEnters;
    };
    D->OnKeyPress = [&](TObject*, Char& Key) {
        if (Key == QChar(13))
            ++KeyPresses;
    };
    D->SetFocus();
    Press(D, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(ParentEnters, 0);
    EXPECT_EQ(KeyPresses, 1);
    D->SetDefaultHandling(false);
    Press(D, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(ParentEnters, 1);
}

TEST_F(DropDownTest, TheLabelStandsAtEachOfItsPlaces)
{
    ShowForm();
    auto* D = MakeDropDown(100, 100);
    D->SetLabelCaption(QStringLiteral("Label"));
    TLabel* L = D->EditLabel();
    ASSERT_NE(L, nullptr);
    TBitmap Measure(1, 1);
    Measure.Canvas()->Font()->Assign(L->Font());
    const Integer CW = Measure.Canvas()->TextWidth(QStringLiteral("Label"));
    const Integer T = 100, Lf = 100, W = D->Width(), H = D->Height();
    const Integer h = L->Height(), w = L->Width(), m = 4;
    const struct {
        dropdown::TLabelPosition Position;
        Integer Top, Left;
    } Cases[] = {
        {dropdown::lpLeftTop, T, Lf - CW - m},           {dropdown::lpLeftCenter, T + (H - h) / 2, Lf - CW - m},
        {dropdown::lpLeftBottom, T + H - h, Lf - CW - m}, {dropdown::lpTopLeft, T - h - m, Lf},
        {dropdown::lpBottomLeft, T + H + m, Lf},          {dropdown::lpLeftTopLeft, T, Lf - m},
        {dropdown::lpLeftCenterLeft, T + (H - h) / 2, Lf - m}, {dropdown::lpLeftBottomLeft, T + H - h, Lf - m},
        {dropdown::lpTopCenter, T - h - m, Lf + (W - w) / 2}, {dropdown::lpBottomCenter, T + H + m, Lf + (W - w) / 2},
        {dropdown::lpRightTop, T, Lf + W + m},           {dropdown::lpRightCenter, T + (H - h) / 2, Lf + W + m},
        {dropdown::lpRighBottom, T + H - h, Lf + W + m}, {dropdown::lpTopRight, T - h - m, Lf + W - w},
        {dropdown::lpBottomRight, T + H + m, Lf + W - w},
    };
    for (const auto& C : Cases) {
        D->SetLabelPosition(C.Position);
        EXPECT_EQ(L->Top(), C.Top) << GetEnumName(C.Position).toStdString();
        EXPECT_EQ(L->Left(), C.Left) << GetEnumName(C.Position).toStdString();
    }
    EXPECT_TRUE(L->Visible());
    D->SetVisible(false);
    EXPECT_FALSE(L->Visible());
}

TEST_F(DropDownTest, BorderRules)
{
    TScopedThemesOff Classic;
    ShowForm();
    auto* D = MakeDropDown();
    auto* Other = Make<TEdit>(20, 100);
    const auto Corner = [&] {
        QApplication::processEvents();
        return QColor(Grab(D).pixel(0, 10)).rgb() & 0xFFFFFF;
    };
    D->SetEnabled(false);
    EXPECT_EQ(Corner(), 0xC0C0C0u);
    D->SetEnabled(true);
    D->SetBorderColor(TColor(0x0000FF));
    Other->SetFocus();
    EXPECT_EQ(Corner(), 0xFF0000u);
    D->SetFocusBorderColor(TColor(0x00FF00));
    D->SetFocus();
    EXPECT_EQ(Corner(), 0x00FF00u);
    D->SetBorderColor(clNone);
    Other->SetFocus();
    EXPECT_NE(Corner(), 0x00FF00u);
}

TEST_F(DropDownTest, AssignCopiesDropDownsOnly)
{
    auto* A = MakeDropDown();
    auto* B = MakeDropDown(20, 60);
    B->SetDropDownColor(TColor(0x123456));
    B->SetPrefix(QStringLiteral("$"));
    B->SetDropDownButtonWidth(25);
    B->DropDownHeader()->SetCaption(QStringLiteral("Head"));
    A->Assign(B);
    EXPECT_EQ(A->DropDownColor(), TColor(0x123456));
    EXPECT_EQ(A->Prefix(), QStringLiteral("$"));
    EXPECT_EQ(A->DropDownButtonWidth(), 25);
    EXPECT_EQ(A->DropDownHeader()->Caption(), QStringLiteral("Head"));
    TStringList NotADropDown;
    A->Assign(&NotADropDown);
    EXPECT_EQ(A->Prefix(), QStringLiteral("$"));
}

TEST_F(DropDownTest, StreamedStylesAreStoredWithoutApplying)
{
    auto* D = MakeDropDown();
    D->SetSelectionColor(TColor(0x112233));
    D->WriteSelectionColorStyle(2);
    D->WriteQVXStyle(3);
    EXPECT_EQ(D->SelectionColorStyle(), scWindowsVista);
    EXPECT_EQ(D->GetComponentStyle(), tsOffice2003Classic);
    EXPECT_EQ(D->SelectionColor(), TColor(0x112233));
    EXPECT_EQ(D->ReadQVXStyle(), 3);
}
