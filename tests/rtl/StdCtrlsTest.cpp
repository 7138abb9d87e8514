// Standard controls typed into and clicked as a user would.
#include "rtl/Forms.h"
#include "rtl/Mask.h"
#include "rtl/StdCtrls.h"

#include "common/Pixels.h"
#include "rtl/DialogsTestService.h"
#include "rtl/Graphics.h"
#include "common/FormFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

class StdCtrlsTest : public TFormFixture {
protected:
    StdCtrlsTest()
    {
        FormWidth = 460;
        FormHeight = 300;
    }
};

} // namespace

TEST_F(StdCtrlsTest, KeyPressChangesOrSwallowsCharactersBeforeTheEditTypesThem)
{
    auto* Edit = Make<TEdit>();
    std::vector<char16_t> Seen;
    int Changes = 0;
    Edit->OnKeyPress = [&](TObject*, Char& Key) {
        Seen.push_back(Key.unicode());
        if (Key == QLatin1Char('.'))
            Key = QChar(0);               // swallowed
        else if (Key == QLatin1Char('a'))
            Key = QLatin1Char('4');       // replaced
    };
    Edit->OnChange = [&](TObject*) { ++Changes; };
    ShowForm();
    QTest::keyClicks(Edit->Handle(), QStringLiteral("1.a2"));
    EXPECT_EQ(Edit->Text(), QStringLiteral("142"));
    EXPECT_EQ(Seen, (std::vector<char16_t>{u'1', u'.', u'a', u'2'}));
    EXPECT_EQ(Changes, 3);
    // Ctrl+A reaches KeyPress as character 1 and still selects all.
    Seen.clear();
    QTest::keyClick(Edit->Handle(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(Seen, (std::vector<char16_t>{1}));
    EXPECT_EQ(Edit->SelLength(), 3);
    // Programmatic text raises OnChange as well.
    Edit->SetText(QStringLiteral("10"));
    EXPECT_EQ(Changes, 4);
}

TEST_F(StdCtrlsTest, DotMovesToTheNextAddressPartWhoseTextIsSelected)
{
    // The address-entry rule of the windows: "." is never typed but moves on.
    auto* Ip1 = Make<TEdit>(0, 0);
    auto* Ip2 = Make<TEdit>(60, 0);
    Ip2->SetText(QStringLiteral("10"));
    Ip1->OnKeyPress = [&](TObject*, Char& Key) {
        if (Key != QLatin1Char('.'))
            return;
        Key = QChar(0);
        if (Ip2->CanFocus())
            Ip2->SetFocus();
    };
    ShowForm();
    Ip1->SetFocus();
    QTest::keyClicks(Ip1->Handle(), QStringLiteral("192."));
    QTest::keyClicks(Ip2->Handle(), QStringLiteral("168"));
    EXPECT_EQ(Ip1->Text(), QStringLiteral("192"));
    EXPECT_EQ(Ip2->Text(), QStringLiteral("168"));
    EXPECT_EQ(Form->ActiveControl(), Ip2);
}

TEST_F(StdCtrlsTest, EditLimitsCaseReadOnlyAndSelection)
{
    auto* Edit = Make<TEdit>();
    Edit->SetMaxLength(7);
    Edit->SetCharCase(ecUpperCase);
    ShowForm();
    QTest::keyClicks(Edit->Handle(), QStringLiteral("admin1234"));
    EXPECT_EQ(Edit->Text(), QStringLiteral("ADMIN12"));
    EXPECT_EQ(Edit->MaxLength(), 7);
    Edit->SetSelStart(1);
    Edit->SetSelLength(3);
    EXPECT_EQ(Edit->SelText(), QStringLiteral("DMI"));
    Edit->SelectAll();
    EXPECT_EQ(Edit->SelLength(), 7);
    Edit->SetReadOnly(true);
    QTest::keyClicks(Edit->Handle(), QStringLiteral("x"));
    EXPECT_EQ(Edit->Text(), QStringLiteral("ADMIN12"));
    Edit->SetPasswordChar(QLatin1Char('*'));
    EXPECT_EQ(Edit->LineEdit()->echoMode(), QLineEdit::Password);
    EXPECT_EQ(Edit->Text(), QStringLiteral("ADMIN12"));
}

TEST_F(StdCtrlsTest, MaxLengthLimitsTypingNotTheTextAProgramSets)
{
    auto* Edit = Make<TEdit>();
    Edit->SetMaxLength(4);
    ShowForm();
    Edit->SetText(QStringLiteral("longer"));
    EXPECT_EQ(Edit->Text(), QStringLiteral("longer"));
    Edit->SetFocus();
    Edit->SetSelStart(6);
    QTest::keyClicks(Edit->Handle(), QStringLiteral("x"));
    EXPECT_EQ(Edit->Text(), QStringLiteral("longer"));
    QTest::keyClick(Edit->Handle(), Qt::Key_Backspace);
    EXPECT_EQ(Edit->Text(), QStringLiteral("longe"));
    Edit->SelectAll();
    QTest::keyClicks(Edit->Handle(), QStringLiteral("abcdef"));
    EXPECT_EQ(Edit->Text(), QStringLiteral("abcd"));
}

TEST_F(StdCtrlsTest, DropDownListSelectsByIndexAndRaisesSelectForTheUser)
{
    auto* Combo = Make<TComboBox>();
    Combo->SetStyle(csDropDownList);
    for (const char* S : {"GV52303-A1-4A", "GV52303-A1-2A", "GV52303-A1-8A"})
        Combo->Items()->Add(QString::fromLatin1(S));
    EXPECT_EQ(Combo->ItemIndex(), -1);
    Combo->SetItemIndex(1);
    EXPECT_EQ(Combo->Text(), QStringLiteral("GV52303-A1-2A"));
    Combo->SetItemIndex(99);
    EXPECT_EQ(Combo->ItemIndex(), -1);
    EXPECT_THROW(Combo->Items()->Strings(99), EStringListError);
    Combo->SetText(QStringLiteral("GV52303-A1-8A"));
    EXPECT_EQ(Combo->ItemIndex(), 2);

    int Selects = 0, Changes = 0;
    Combo->OnSelect = [&](TObject*) { ++Selects; };
    Combo->OnChange = [&](TObject*) { ++Changes; };
    Combo->SetItemIndex(0); // not the user: no events
    ShowForm();
    QTest::keyClick(Combo->Handle(), Qt::Key_Down);
    EXPECT_EQ(Combo->ItemIndex(), 1);
    EXPECT_EQ(Selects, 1);
    EXPECT_EQ(Changes, 0); // OnSelect takes the place of OnChange
    Combo->SetDropDownCount(12);
    EXPECT_EQ(Combo->DropDownCount(), 12);
}

TEST_F(StdCtrlsTest, DropDownComboTakesTypedTextWithOnChange)
{
    auto* Combo = Make<TComboBox>();
    Combo->Items()->Add(QStringLiteral("One"));
    int Changes = 0;
    Combo->OnChange = [&](TObject*) { ++Changes; };
    Combo->SetText(QStringLiteral("preset"));
    EXPECT_EQ(Changes, 0);
    EXPECT_EQ(Combo->Text(), QStringLiteral("preset"));
    ShowForm();
    Combo->SelectAll();
    QTest::keyClicks(Combo->ComboBox()->lineEdit(), QStringLiteral("abc"));
    EXPECT_EQ(Combo->Text(), QStringLiteral("abc"));
    EXPECT_EQ(Changes, 3);
    EXPECT_EQ(Combo->ItemIndex(), -1);
}

TEST_F(StdCtrlsTest, CheckBoxClickTogglesAndEveryStateChangeRaisesOnClick)
{
    auto* Box = Make<TCheckBox>();
    Box->SetCaption(QStringLiteral("Enable DNS"));
    std::vector<TCheckBoxState> States;
    Box->OnClick = [&](TObject*) { States.push_back(Box->State()); };
    ShowForm();
    QTest::mouseClick(Box->Handle(), Qt::LeftButton, Qt::NoModifier, QPoint(6, 8));
    EXPECT_TRUE(Box->Checked());
    Box->SetChecked(false); // the framework raises OnClick here too
    Box->SetChecked(false); // no change, no event
    Box->SetAllowGrayed(true);
    QTest::keyClick(Box->Handle(), Qt::Key_Space);
    QTest::keyClick(Box->Handle(), Qt::Key_Space);
    EXPECT_EQ(States, (std::vector<TCheckBoxState>{cbChecked, cbUnchecked, cbGrayed, cbChecked}));
    EXPECT_EQ(Box->Caption(), QStringLiteral("Enable DNS"));
}

TEST_F(StdCtrlsTest, RadioButtonsAreExclusiveWithinTheirParent)
{
    auto* Group = Make<TGroupBox>(0, 0);
    Group->SetBounds(0, 0, 200, 100);
    Group->SetCaption(QStringLiteral("Mode"));
    auto* A = Make<TRadioButton>(5, 20, Group);
    auto* B = Make<TRadioButton>(5, 45, Group);
    auto* Other = Make<TRadioButton>(220, 20);
    int Clicks = 0;
    B->OnClick = [&](TObject*) { ++Clicks; };
    Other->SetChecked(true);
    A->SetChecked(true);
    B->SetChecked(true);
    EXPECT_FALSE(A->Checked());
    EXPECT_TRUE(B->Checked());
    EXPECT_TRUE(Other->Checked());
    EXPECT_EQ(Clicks, 1);
    // The group box's client area starts below its caption.
    TRect R = Group->ClientRect();
    Group->AdjustClientRect(R);
    EXPECT_GT(R.Top, 2);
    EXPECT_EQ(Group->Caption(), QStringLiteral("Mode"));
}

TEST_F(StdCtrlsTest, MemoLinesAreItsParagraphs)
{
    auto* Memo = Make<TMemo>();
    EXPECT_EQ(Memo->Lines()->Count(), 0);
    Memo->Lines()->Add(QStringLiteral("first"));
    Memo->Lines()->Add(QStringLiteral("third"));
    Memo->Lines()->Insert(1, QStringLiteral("second"));
    EXPECT_EQ(Memo->Lines()->Count(), 3);
    EXPECT_EQ(Memo->Text(), QStringLiteral("first\r\nsecond\r\nthird"));
    Memo->Lines()->SetStrings(2, QStringLiteral("last"));
    Memo->Lines()->Delete(0);
    EXPECT_EQ(Memo->Lines()->Text(), QStringLiteral("second\r\nlast\r\n"));
    EXPECT_THROW(Memo->Lines()->Delete(5), EStringListError);
    Memo->Lines()->SetText(QStringLiteral("a\r\nb\r\n"));
    EXPECT_EQ(Memo->Lines()->Count(), 2);
    Memo->Clear();
    EXPECT_EQ(Memo->Lines()->Count(), 0);
    ShowForm();
    Memo->SetFocus();
    QTest::keyClicks(Memo->Handle(), QStringLiteral("x"));
    QTest::keyClick(Memo->Handle(), Qt::Key_Return);
    QTest::keyClicks(Memo->Handle(), QStringLiteral("y"));
    EXPECT_EQ(Memo->Lines()->Count(), 2);
    EXPECT_EQ(Memo->Lines()->Strings(1), QStringLiteral("y"));
}

TEST_F(StdCtrlsTest, ListBoxSelectionAndCheckListBoxChecks)
{
    auto* List = Make<TListBox>();
    for (const char* S : {"Parameter", "Process data", "Events"})
        List->Items()->Add(QString::fromLatin1(S));
    int Clicks = 0;
    List->OnClick = [&](TObject*) { ++Clicks; };
    List->SetItemIndex(2);
    EXPECT_EQ(List->ItemIndex(), 2);
    EXPECT_TRUE(List->Selected(2));
    EXPECT_THROW(List->Selected(3), EListError);
    EXPECT_EQ(Clicks, 0);
    List->SetMultiSelect(true);
    List->SetSelected(0, true);
    List->SetSelected(2, true);
    EXPECT_EQ(List->SelCount(), 2);
    ShowForm();
    const TRect R = List->ItemRect(1);
    QTest::mouseClick(List->ListWidget()->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(R.Left + 5, R.Top + 2));
    EXPECT_GE(Clicks, 1);
    EXPECT_EQ(List->ItemIndex(), 1);

    auto* Checks = Make<TCheckListBox>(200, 0);
    Checks->Items()->Add(QStringLiteral("a"));
    Checks->Items()->Add(QStringLiteral("b"));
    int ClickChecks = 0;
    Checks->OnClickCheck = [&](TObject*) { ++ClickChecks; };
    Checks->SetChecked(1, true); // not the user: no OnClickCheck
    EXPECT_TRUE(Checks->Checked(1));
    EXPECT_FALSE(Checks->Checked(0));
    EXPECT_THROW(Checks->Checked(2), EListError);
    Checks->SetItemIndex(0);
    Checks->SetFocus();
    QTest::keyClick(Checks->Handle(), Qt::Key_Space);
    EXPECT_TRUE(Checks->Checked(0));
    EXPECT_EQ(ClickChecks, 1);
}

TEST_F(StdCtrlsTest, ScrollBarRangeWithPageSizeAndUserScrolling)
{
    auto* Bar = Make<TScrollBar>();
    int Changes = 0;
    Bar->OnChange = [&](TObject*) { ++Changes; };
    Bar->SetParams(0, 0, 99);
    Bar->SetPageSize(10);
    Bar->SetPosition(200);
    EXPECT_EQ(Bar->Position(), 90); // Max - PageSize + 1
    EXPECT_EQ(Changes, 1);
    EXPECT_THROW(Bar->SetParams(0, 10, 5), EInvalidOperation);
    std::vector<TScrollCode> Codes;
    Bar->OnScroll = [&](TObject*, TScrollCode Code, Integer& Pos) {
        Codes.push_back(Code);
        if (Code == scLineUp)
            Pos = 0; // the handler decides where it goes
    };
    auto* Q = static_cast<QScrollBar*>(Bar->Handle());
    Q->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(Codes, (std::vector<TScrollCode>{scLineUp}));
    EXPECT_EQ(Bar->Position(), 0);
    EXPECT_EQ(Changes, 2);
}

TEST_F(StdCtrlsTest, LabelSizesItselfToItsCaption)
{
    auto* Label = Make<TLabel>(100, 10);
    Label->Font()->SetHeight(-11);
    Label->SetCaption(QStringLiteral("IP"));
    const Integer Narrow = Label->Width();
    Label->SetCaption(QStringLiteral("Obtain an IP Address Automatically"));
    EXPECT_GT(Label->Width(), Narrow);
    EXPECT_GT(Label->Height(), 0);
    // A label is clicked like any control, and shows its cursor.
    int Clicks = 0;
    Label->OnClick = [&](TObject*) { ++Clicks; };
    Label->SetCursor(crHandPoint);
    QTest::mouseClick(Label->Handle(), Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    EXPECT_EQ(Clicks, 1);
    EXPECT_EQ(Label->Handle()->cursor().shape(), Qt::PointingHandCursor);
    // Right-justified labels keep their right edge.
    Label->SetAlignment(taRightJustify);
    const Integer Right = Label->Left() + Label->Width();
    Label->SetCaption(QStringLiteral("Port"));
    EXPECT_EQ(Label->Left() + Label->Width(), Right);
    // An opaque label paints its colour, a transparent one the parent's.
    Label->SetColor(RGB(0, 255, 0));
    Form->SetColor(RGB(248, 247, 237));
    ShowForm();
    QImage Image = Form->Handle()->grab().toImage();
    EXPECT_EQ(Image.pixelColor(Label->Left() + 1, Label->Top() + Label->Height() - 1), QColor(0, 255, 0));
    Label->SetTransparent(true);
    Image = Form->Handle()->grab().toImage();
    EXPECT_EQ(Image.pixelColor(Label->Left() + 1, Label->Top() + Label->Height() - 1), QColor(248, 247, 237));
}

TEST(MaskTest, FrameworkMasksBecomeQtInputMasks)
{
    const std::pair<const char*, const char*> Cases[] = {
        {"!90/90/0000;1;_", "09/09/9999;_"},
        {"LLL-000;0; ", "AAA-999; "},
        {">aa", ">nn;_"},
        {"\\A00", "\\A99;_"},
        {"cC", "xX;_"},
        {"", ""},
    };
    for (const auto& [In, Out] : Cases)
        EXPECT_EQ(MaskToInputMask(QString::fromLatin1(In)), QString::fromLatin1(Out)) << In;
}

namespace {

// A masked edit that opens its multi-line edit.
class TMultiLineEdit : public TMaskEdit {
public:
    explicit TMultiLineEdit(TComponent* AOwner) : TMaskEdit(AOwner) { SetMultiLine(true); }
    using TCustomEdit::SetLineWrap;
    using TCustomEdit::SetMultiLine;
};

} // namespace

TEST_F(StdCtrlsTest, MultiLineEditCountsCrLfAsTwoCharactersAndTypesReturn)
{
    auto* Edit = Make<TMultiLineEdit>();
    Edit->SetBounds(10, 10, 200, 80);
    Edit->SetMaxLength(10);
    ShowForm();
    ASSERT_TRUE(Edit->TextEdit());
    EXPECT_FALSE(Edit->LineEdit());
    Edit->SetText(QStringLiteral("ab\r\ncd"));
    EXPECT_EQ(Edit->TextEdit()->toPlainText(), QStringLiteral("ab\ncd"));
    Edit->SetSelStart(3);
    Edit->SetSelLength(3);
    EXPECT_EQ(Edit->SelStart(), 2);
    EXPECT_EQ(Edit->SelText(), QStringLiteral("\r\nc"));
    Edit->SetFocus();
    Edit->SetSelStart(7);
    QTest::keyClick(Edit->Handle(), Qt::Key_Return);
    QTest::keyClicks(Edit->Handle(), QStringLiteral("efgh"));
    // Ten characters at most: CR LF counts two.
    EXPECT_EQ(Edit->Text(), QStringLiteral("ab\r\ncd\r\nef"));
    QTest::keyClick(Edit->Handle(), Qt::Key_Tab);
    EXPECT_EQ(Edit->Text(), QStringLiteral("ab\r\ncd\r\nef"));
}

TEST_F(StdCtrlsTest, MultiLineEditSwitchesBackForAMaskOrPasswordKeepingItsState)
{
    auto* Edit = Make<TMultiLineEdit>();
    Edit->SetBounds(10, 10, 200, 40);
    Edit->SetBorderStyle(bsNone);
    Edit->SetAlignment(taRightJustify);
    ShowForm();
    TRect Format(3, 3, Edit->Width() - 2, Edit->Height());
    Edit->Perform(EM_SETRECTNP, 0, LPARAM(&Format));
    EXPECT_EQ(Edit->TextEdit()->viewport()->geometry().topLeft(), QPoint(3, 3));
    Edit->SetLineWrap(true);
    EXPECT_EQ(Edit->TextEdit()->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    Edit->SetText(QStringLiteral("12"));
    Edit->SetFocus();
    Edit->SetEditMask(QStringLiteral("000;1;_"));
    ASSERT_TRUE(Edit->LineEdit());
    EXPECT_FALSE(Edit->MultiLine());
    EXPECT_EQ(Edit->Text(), QStringLiteral("12"));
    EXPECT_EQ(Edit->BorderStyle(), bsNone);
    EXPECT_TRUE(Edit->LineEdit()->alignment() & Qt::AlignRight);
    EXPECT_EQ(Edit->LineEdit()->textMargins(), QMargins(3, 3, 2, 0));
    EXPECT_TRUE(Edit->Focused());
    Edit->SetEditMask(String());
    Edit->SetMultiLine(true);
    Edit->SetPasswordChar(u'*');
    EXPECT_FALSE(Edit->MultiLine());
    EXPECT_EQ(Edit->LineEdit()->echoMode(), QLineEdit::Password);
}

TEST_F(StdCtrlsTest, MaskEditKeepsOrDropsLiteralsInText)
{
    auto* Edit = Make<TMaskEdit>();
    Edit->SetEditMask(QStringLiteral("000-000;0;_"));
    ShowForm();
    Edit->SetFocus();
    Edit->LineEdit()->setCursorPosition(0);
    QTest::keyClicks(Edit->Handle(), QStringLiteral("123456"));
    EXPECT_EQ(Edit->EditText(), QStringLiteral("123-456"));
    EXPECT_EQ(Edit->Text(), QStringLiteral("123456"));
    Edit->SetEditMask(QStringLiteral("000-000;1;_"));
    Edit->SetEditText(QStringLiteral("123456"));
    EXPECT_EQ(Edit->Text(), QStringLiteral("123-456"));
}

// A disabled control shows the platform's disabled look: grey text (and an
// edit its disabled background), whatever font colour it was given.
TEST_F(StdCtrlsTest, DisabledControlsShowGreyText)
{
    Form->SetColor(RGB(248, 247, 237));
    Form->Font()->SetName(QStringLiteral("Verdana"));
    Form->Font()->SetHeight(-11);
    Form->Font()->SetColor(clBlack);
    const auto Captioned = [](TControl* C) { C->SetCaption(QStringLiteral("WWW 44818")); };
    struct Pair {
        const char* Kind;
        std::function<TControl*(Integer Top)> Make;
    };
    const Pair Kinds[] = {
        {"edit", [&](Integer Top) { auto* E = Make<TEdit>(10, Top); E->SetText(QStringLiteral("WWW 44818")); return E; }},
        {"check box", [&](Integer Top) { auto* B = Make<TCheckBox>(10, Top); Captioned(B); return B; }},
        {"radio button", [&](Integer Top) { auto* B = Make<TRadioButton>(10, Top); Captioned(B); return B; }},
        {"label", [&](Integer Top) { auto* L = Make<TLabel>(10, Top); Captioned(L); return L; }},
        {"combo box", [&](Integer Top) {
             auto* C = Make<TComboBox>(10, Top);
             C->SetStyle(csDropDownList);
             C->Items()->Add(QStringLiteral("WWW 44818"));
             C->SetItemIndex(0);
             return C;
         }},
    };
    ShowForm();
    Integer Top = 10;
    for (const Pair& K : Kinds) {
        SCOPED_TRACE(K.Kind);
        TControl* On = K.Make(Top);
        TControl* Off = K.Make(Top + 30);
        Off->SetEnabled(false);
        Top += 60;
        const auto Ink = [this](TControl* C) {
            return Darkest_Gray(Form->Handle()->grab(ToQRect(C->BoundsRect())).toImage());
        };
        EXPECT_LT(Ink(On), 60);
        EXPECT_GT(Ink(Off), Ink(On) + 60);
    }
    // A disabled edit's background is not the white of an enabled one.
    auto* On = Make<TEdit>(200, 10);
    auto* Off = Make<TEdit>(200, 40);
    Off->SetEnabled(false);
    const auto Background = [this](TEdit* E) {
        return Form->Handle()->grab(ToQRect(E->BoundsRect())).toImage().pixelColor(E->Width() / 2, E->Height() / 2);
    };
    EXPECT_EQ(QColor(255, 255, 255), Background(On));
    EXPECT_NE(QColor(255, 255, 255), Background(Off));
}

// A caption wider than its label ends in "...", as DrawText ends it.
TEST_F(StdCtrlsTest, LabelEndsACaptionTooWideWithAnEllipsis)
{
    const String Caption = QStringLiteral("A configuration name far too long for the label");
    Form->SetColor(clWhite);
    auto* Label = Make<TLabel>(10, 10);
    Label->Font()->SetName(QStringLiteral("Verdana"));
    Label->Font()->SetHeight(-11);
    Label->SetAutoSize(false);
    Label->SetBounds(10, 10, 120, 14);
    Label->SetCaption(Caption);
    ShowForm();
    const auto Shown = [&] { return Form->Handle()->grab(ToQRect(Label->BoundsRect())).toImage(); };
    const auto Drawn = [&](Cardinal Flags) {
        TBitmap Bmp(120, 14);
        Bmp.Canvas()->Brush()->SetColor(clWhite);
        Bmp.Canvas()->FillRect(TRect(0, 0, 120, 14));
        Bmp.Canvas()->Brush()->SetStyle(bsClear);
        Bmp.Canvas()->Font()->Assign(Label->Font());
        TRect R(0, 0, 120, 14);
        DrawText(Bmp.Canvas(), Caption, -1, R, DT_EXPANDTABS | Flags);
        return Bmp.ToImage().convertToFormat(QImage::Format_RGB32);
    };
    EXPECT_EQ(Drawn(0), Shown().convertToFormat(QImage::Format_RGB32));
    Label->SetEllipsisPosition(epEndEllipsis);
    EXPECT_EQ(Drawn(DT_END_ELLIPSIS), Shown().convertToFormat(QImage::Format_RGB32));
    EXPECT_NE(Drawn(0), Drawn(DT_END_ELLIPSIS));
}
