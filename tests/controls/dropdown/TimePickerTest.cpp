// The time picker drop-down: its text, the typed-text parse, the part keys,
// the pop-up with the clock face and the embedded picker.
#include "controls/dropdown/ExTimePickerDropDown.h"

#include "DropDownFixture.h"

namespace {

TDateTime At(Word H, Word M, Word S = 0)
{
    return EncodeTime(H, M, S, 0);
}

// Counts the PageUp keys that reach the edit's key handling.
class TRecordingTimePicker : public TExTimePickerDropDown {
public:
    using TExTimePickerDropDown::TExTimePickerDropDown;
    int PageUps = 0;

protected:
    void WMKeyDown(TWMKey& Message) override
    {
        if (Message.CharCode == VK_PRIOR)
            ++PageUps;
        TExTimePickerDropDown::WMKeyDown(Message);
    }
};

class TimePickerTest : public DropDownFixture {
protected:
    void SetUp() override
    {
        DropDownFixture::SetUp();
        platform::SetUserTimeSeparator(u':');
        FormWidth = 400;
        FormHeight = 300;
        Form->SetClientWidth(FormWidth);
        Form->SetClientHeight(FormHeight);
        T = MakeDropDown<TExTimePickerDropDown>();
        T->OnTimeChange = [this](TObject*) { ++TimeChanges; };
    }
    void TearDown() override
    {
        DropDownFixture::TearDown();
        platform::SetUserTimeSeparator(std::nullopt);
    }
    // Shown, focused and typed into.
    void Editable()
    {
        T->SetEditorEnabled(true);
        ShowForm();
        T->SetFocus();
    }
    void Caret(Integer Position)
    {
        T->SetSelStart(Position);
        T->SetSelLength(0);
    }

    TExTimePickerDropDown* T = nullptr;
    int TimeChanges = 0;
};

} // namespace

TEST_F(TimePickerTest, CreatedWithMidnightAndItsDefaults)
{
    EXPECT_EQ(T->RawText(), QStringLiteral("00:00:00"));
    EXPECT_EQ(T->EditMask(), QStringLiteral("!90:00:00;1; "));
    EXPECT_FALSE(T->EditorEnabled());
    EXPECT_TRUE(T->DropDownEnabled());
    EXPECT_TRUE(T->ShowSeconds());
    EXPECT_FALSE(T->ShowTimePicker());
    EXPECT_FALSE(T->DropDownHeader()->Visible());
    EXPECT_FALSE(T->DropDownFooter()->Visible());
    EXPECT_EQ(T->Time(), 0.0);
    ASSERT_NE(T->ExWatch(), nullptr);
}

TEST_F(TimePickerTest, TypedTimeWithoutSecondsIsRead)
{
    T->SetShowSeconds(false);
    EXPECT_EQ(T->RawText(), QStringLiteral("00:00"));
    Editable();
    Caret(0);
    TypeText(T, QStringLiteral("0930"));
    EXPECT_EQ(T->RawText(), QStringLiteral("09:30"));
    EXPECT_EQ(T->Time(), At(9, 30));
    EXPECT_EQ(TimeChanges, 0);
    // A blank first hour digit: four characters once trimmed.
    T->SetText(QStringLiteral(" 8:15"));
    EXPECT_EQ(T->Time(), At(9, 30));
}

TEST_F(TimePickerTest, CompleteTimeWithSecondsIsRead)
{
    T->SetText(QStringLiteral("12:34:56"));
    EXPECT_EQ(T->Time(), At(12, 34, 56));
    EXPECT_EQ(T->RawText(), QStringLiteral("12:34:56"));
    Editable();
    Caret(0);
    TypeText(T, QStringLiteral("235958"));
    EXPECT_EQ(T->Time(), At(23, 59, 58));
}

TEST_F(TimePickerTest, OutOfRangeOrUnreadableTextsLeaveTimeAndNeverRaise)
{
    T->SetTime(At(7, 7, 7));
    for (const char* Text : {"25:00:00", "12:60:00", "12:00:60", "99:99:99", "ab:cd:ef", "", "1", "::",
                             "12:34", "hello world", "7:7"}) {
        EXPECT_NO_THROW(T->SetText(QString::fromLatin1(Text))) << Text;
        EXPECT_EQ(T->Time(), At(7, 7, 7)) << Text;
    }
    T->SetShowSeconds(false);
    EXPECT_NO_THROW(T->SetText(QStringLiteral("25:00")));
    EXPECT_EQ(T->Time(), At(7, 7, 7));
    EXPECT_EQ(T->RawText(), QStringLiteral("25:00"));
}

TEST_F(TimePickerTest, UpAndDownStepThePartUnderTheCaret)
{
    Editable();
    struct Row {
        TDateTime From;
        Integer Caret;
        Qt::Key Key;
        TDateTime To;
    };
    const Row Rows[] = {
        {At(0, 10, 20), 1, Qt::Key_Up, At(23, 10, 20)},  {At(23, 10, 20), 0, Qt::Key_Down, At(0, 10, 20)},
        {At(5, 0, 20), 3, Qt::Key_Up, At(5, 59, 20)},    {At(5, 59, 20), 4, Qt::Key_Down, At(5, 0, 20)},
        {At(5, 10, 0), 6, Qt::Key_Up, At(5, 10, 59)},    {At(5, 10, 59), 8, Qt::Key_Down, At(5, 10, 0)},
        {At(5, 10, 20), 7, Qt::Key_Down, At(5, 10, 21)},
    };
    for (const Row& R : Rows) {
        T->SetTime(R.From);
        TimeChanges = 0;
        Caret(R.Caret);
        Press(T, R.Key);
        EXPECT_EQ(T->Time(), R.To) << T->FormatTimeText(R.From).toStdString() << " caret " << R.Caret;
        EXPECT_EQ(T->SelStart(), R.Caret);
        EXPECT_EQ(TimeChanges, 1);
    }
    T->SetShowSeconds(false);
    T->SetTime(At(5, 10));
    Caret(4);
    Press(T, Qt::Key_Down);
    EXPECT_EQ(T->Time(), At(5, 11));
}

TEST_F(TimePickerTest, TimeRewritesTheTextWithTheUsersSeparator)
{
    T->SetTime(At(7, 5, 9));
    EXPECT_EQ(T->RawText(), QStringLiteral("07:05:09"));
    int TextChanges = 0;
    T->OnChange = [&](TObject*) { ++TextChanges; };
    T->SetTime(At(7, 5, 9));
    EXPECT_EQ(TextChanges, 0);
    // The mask takes the separator when it is made (here by ShowSeconds).
    platform::SetUserTimeSeparator(u'.');
    T->SetShowSeconds(false);
    T->SetShowSeconds(true);
    EXPECT_EQ(T->EditMask(), QStringLiteral("!90.00.00;1; "));
    T->SetTime(At(13, 0, 1));
    EXPECT_EQ(T->RawText(), QStringLiteral("13.00.01"));
    EXPECT_EQ(TimeChanges, 0);
}

TEST_F(TimePickerTest, ShowSecondsRebuildsTheText)
{
    T->SetTime(At(13, 45, 30));
    T->SetShowSeconds(false);
    EXPECT_EQ(T->RawText(), QStringLiteral("13:45"));
    EXPECT_EQ(T->EditMask(), QStringLiteral("!90:00;1; "));
    T->SetShowSeconds(true);
    EXPECT_EQ(T->RawText(), QStringLiteral("13:45:30"));
    EXPECT_EQ(T->Time(), At(13, 45, 30));
}

TEST_F(TimePickerTest, PartSettersIgnoreTheCurrentValueAndOutOfRange)
{
    T->SetTime(At(4, 5, 6));
    T->SetHourPart(4);
    T->SetHourPart(24);
    T->SetMinutePart(60);
    T->SetSecondPart(60);
    EXPECT_EQ(TimeChanges, 0);
    T->SetSecondPart(7);
    EXPECT_EQ(T->Time(), At(4, 5, 7));
    EXPECT_EQ(TimeChanges, 1);
}

TEST_F(TimePickerTest, CancellingRestoresTimeAndTextClosingTakesTheClockFace)
{
    ShowForm();
    T->SetAnimation(false);
    T->SetTime(At(10, 20, 30));
    T->ShowDropDown();
    ASSERT_TRUE(T->DroppedDown());
    EXPECT_EQ(T->ExWatch()->Time(), At(10, 20, 30));
    T->ExWatch()->HandleKey(VK_PRIOR);
    T->HideDropDown(true);
    EXPECT_EQ(T->Time(), At(10, 20, 30));
    EXPECT_EQ(T->RawText(), QStringLiteral("10:20:30"));
    EXPECT_EQ(T->ExWatch()->Time(), At(10, 20, 30));
    T->ShowDropDown();
    T->ExWatch()->HandleKey(VK_NEXT);
    T->HideDropDown(false);
    EXPECT_EQ(T->Time(), At(9, 20, 30));
    EXPECT_EQ(T->RawText(), QStringLiteral("09:20:30"));
}

TEST_F(TimePickerTest, PageUpInThePopupGoesToTheClockFaceAndWithAltToTheEdit)
{
    auto* R = MakeDropDown<TRecordingTimePicker>(20, 60);
    ShowForm();
    R->SetAnimation(false);
    R->SetTime(At(8, 0));
    R->ShowDropDown();
    QTest::keyClick(R->DropDownForm()->Handle(), Qt::Key_PageUp);
    EXPECT_EQ(R->ExWatch()->Time(), At(9, 0));
    EXPECT_EQ(R->PageUps, 0);
    QTest::keyClick(R->DropDownForm()->Handle(), Qt::Key_PageUp, Qt::AltModifier);
    EXPECT_EQ(R->PageUps, 1);
    EXPECT_EQ(R->ExWatch()->Time(), At(10, 0));
}

TEST_F(TimePickerTest, ClockFaceChangeUpdatesTheEmbeddedPicker)
{
    ShowForm();
    T->SetAnimation(false);
    T->SetShowTimePicker(true);
    T->SetTime(At(6, 15));
    T->ShowDropDown();
    TDateTimePicker* P = T->DateTimePicker();
    ASSERT_NE(P, nullptr);
    EXPECT_TRUE(P->Visible());
    EXPECT_EQ(P->Format(), QStringLiteral("HH:mm:ss"));
    EXPECT_EQ(T->PanelCtrl()->Height(), P->Height() + 170);
    EXPECT_EQ(Frac(P->Time()), At(6, 15));
    T->ExWatch()->HandleKey(VK_PRIOR);
    EXPECT_EQ(Frac(P->Time()), At(7, 15));
    EXPECT_EQ(TimeChanges, 1);
    EXPECT_EQ(T->Time(), At(7, 15));
    T->HideDropDown(false);
    T->SetShowTimePicker(false);
    T->ShowDropDown();
    EXPECT_FALSE(P->Visible());
    T->HideDropDown(false);
}

TEST_F(TimePickerTest, ComponentStyleReachesTheWatchAppearance)
{
    T->SetComponentStyle(tsOffice2003Blue);
    EXPECT_EQ(T->WatchAppearance()->BackgroundColor(), 0xFFD2AF);
    EXPECT_EQ(T->WatchAppearance()->AMPMColor(), 0xD68759);
    ShowForm();
    T->ShowDropDown();
    EXPECT_EQ(T->ExWatch()->Appearance()->BackgroundColor(), 0xFFD2AF);
    EXPECT_EQ(T->ExWatch()->Appearance()->HourPointer(), 0xD68759);
    T->HideDropDown(true);
}
