// The date-time picker: formats, values, the check box and the
// notifications of the user's changes.
#include "rtl/ComCtrls.h"
#include "common/FormFixture.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// Records the notifications and the set-date messages that reach it.
class TRecordingPicker : public TDateTimePicker {
public:
    using TDateTimePicker::TDateTimePicker;

    std::vector<DWORD> ChangeFlags;
    std::vector<WPARAM> SetTimeKinds;

protected:
    void CNNotify(TWMNotify& Message) override
    {
        if (Message.NMHdr->code == DTN_DATETIMECHANGE)
            ChangeFlags.push_back(reinterpret_cast<TNMDateTimeChange*>(Message.NMHdr)->dwFlags);
        TDateTimePicker::CNNotify(Message);
    }
    void DTMSetSystemTime(TMessage& Message) override
    {
        SetTimeKinds.push_back(Message.WParam);
        TDateTimePicker::DTMSetSystemTime(Message);
    }
};

class DateTimePickerTest : public TFormFixture {
protected:
    void SetUp() override
    {
        TFormFixture::SetUp();
        Picker = Make<TRecordingPicker>(10, 10);
        Picker->SetBounds(10, 10, 200, 24);
        Picker->OnChange = [this](TObject*) { ++Changes; };
    }
    void ShowForm()
    {
        TFormFixture::ShowForm();
        Picker->SetFocus();
    }
    QString Shown() const { return Picker->DateTimeEdit()->text(); }

    TRecordingPicker* Picker = nullptr;
    Integer Changes = 0;
};

} // namespace

TEST(PickerFormats, PickerLettersBecomeQtFormatsAndUnknownLettersStayText)
{
    const struct {
        const char* Picker;
        const char* Qt;
    } Cases[] = {
        {"dd/MM/yyyy", "dd/MM/yyyy"}, {"d MMMM yy", "d MMMM yy"},   {"y", "yy"},
        {"yyy", "yyyy"},              {"hh:mm tt", "hh:mm AP"},     {"HH.mm.ss", "HH.mm.ss"},
        {"'Day' d", "'Day' d"},       {"'it''s' d", "'it''s' d"},   {"X d", "'X' d"},
        {"zz", "'zz'"},               {"ddddd", "dddd"},            {"", ""},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(PickerFormatToQt(QString::fromLatin1(C.Picker)), QString::fromLatin1(C.Qt)) << C.Picker;
}

TEST(PickerFormats, FrameworkPatternsBecomePickerFormats)
{
    TFormatSettings FS = TFormatSettings::Create();
    FS.DateSeparator = u'.';
    FS.TimeSeparator = u'-';
    EXPECT_EQ(PatternToPickerFormat(QStringLiteral("dd/mm/yyyy"), FS), QStringLiteral("dd.MM.yyyy"));
    EXPECT_EQ(PatternToPickerFormat(QStringLiteral("hh:nn:ss"), FS), QStringLiteral("HH-mm-ss"));
    EXPECT_EQ(PatternToPickerFormat(QStringLiteral("h:mm am/pm"), FS), QStringLiteral("h-mm tt"));
    EXPECT_EQ(PatternToPickerFormat(QStringLiteral("'at' h:n"), FS), QStringLiteral("'at' H-m"));
}

TEST_F(DateTimePickerTest, ValuesAreShownInTheFormatAndThePartsAreKept)
{
    Picker->SetFormat(QStringLiteral("dd/MM/yyyy 'Q' HH:mm"));
    const TDateTime V = EncodeDate(2019, 12, 24) + EncodeTime(18, 30, 0, 0);
    Picker->SetDateTime(V);
    EXPECT_EQ(Picker->DateTime(), V);
    EXPECT_EQ(Shown(), QStringLiteral("24/12/2019 Q 18:30"));
    Picker->SetDate(EncodeDate(2020, 1, 2) + 0.9);
    EXPECT_DOUBLE_EQ(Picker->DateTime(), EncodeDate(2020, 1, 2) + EncodeTime(18, 30, 0, 0));
    Picker->SetTime(EncodeTime(7, 5, 0, 0) + 3);
    EXPECT_DOUBLE_EQ(Picker->DateTime(), EncodeDate(2020, 1, 2) + EncodeTime(7, 5, 0, 0));
    EXPECT_DOUBLE_EQ(Picker->Date(), EncodeDate(2020, 1, 2));
    EXPECT_DOUBLE_EQ(Picker->Time(), EncodeTime(7, 5, 0, 0));
    // Values set by the program raise no change.
    EXPECT_EQ(Changes, 0);
    // An empty format is the settings' short date (dates) or long time.
    Picker->SetFormat(QString());
    EXPECT_EQ(Shown(), FormatDateTime(QStringLiteral("dd/mm/yyyy"), Picker->DateTime()));
    Picker->SetKind(dtkTime);
    EXPECT_EQ(Shown(), QStringLiteral("07:05:00"));
}

TEST_F(DateTimePickerTest, TypedChangesAreNotifiedWithTheNewValue)
{
    Picker->SetFormat(QStringLiteral("dd/MM/yyyy"));
    Picker->SetDateTime(EncodeDate(2019, 12, 24));
    ShowForm();
    QTest::keyClick(Picker->Handle(), Qt::Key_Home);
    // A digit changes the selected field at once; the next one adds to it.
    QTest::keyClick(Picker->Handle(), Qt::Key_1);
    EXPECT_DOUBLE_EQ(Picker->Date(), EncodeDate(2019, 12, 1));
    EXPECT_EQ(Changes, 1);
    QTest::keyClick(Picker->Handle(), Qt::Key_5);
    EXPECT_DOUBLE_EQ(Picker->Date(), EncodeDate(2019, 12, 15));
    // A day that cannot grow further starts over; 0 waits for its second digit.
    QTest::keyClicks(Picker->Handle(), QStringLiteral("704"));
    EXPECT_DOUBLE_EQ(Picker->Date(), EncodeDate(2019, 12, 4));
    // Right moves to the next field; a year is taken when it is whole.
    QTest::keyClick(Picker->Handle(), Qt::Key_Right);
    QTest::keyClick(Picker->Handle(), Qt::Key_Right);
    QTest::keyClicks(Picker->Handle(), QStringLiteral("202"));
    EXPECT_DOUBLE_EQ(Picker->Date(), EncodeDate(2019, 12, 4));
    QTest::keyClick(Picker->Handle(), Qt::Key_1);
    EXPECT_DOUBLE_EQ(Picker->Date(), EncodeDate(2021, 12, 4));
    QTest::keyClick(Picker->Handle(), Qt::Key_Left);
    QTest::keyClick(Picker->Handle(), Qt::Key_2);
    EXPECT_DOUBLE_EQ(Picker->Date(), EncodeDate(2021, 2, 4));
    EXPECT_EQ(Picker->ChangeFlags.back(), DWORD(GDT_VALID));
    EXPECT_EQ(Changes, Integer(Picker->ChangeFlags.size()));
}

TEST_F(DateTimePickerTest, TheCheckBoxGreysTheFieldsAndIsNotified)
{
    Picker->SetShowCheckbox(true);
    ShowForm();
    QWidget* Box = Picker->CheckBoxWidget();
    ASSERT_NE(Box, nullptr);
    EXPECT_TRUE(Picker->Checked());
    // The fields start right of the box.
    const QLineEdit* Fields = Picker->DateTimeEdit()->findChild<QLineEdit*>();
    EXPECT_GT(Fields->geometry().left(), Box->geometry().right());
    QTest::mouseClick(Box, Qt::LeftButton);
    EXPECT_FALSE(Picker->Checked());
    EXPECT_TRUE(Picker->DateTimeEdit()->isReadOnly());
    EXPECT_EQ(Picker->ChangeFlags, (std::vector<DWORD>{GDT_NONE}));
    EXPECT_EQ(Changes, 1);
    QTest::mouseClick(Box, Qt::LeftButton);
    EXPECT_TRUE(Picker->Checked());
    EXPECT_FALSE(Picker->DateTimeEdit()->isReadOnly());
    EXPECT_EQ(Picker->ChangeFlags, (std::vector<DWORD>{GDT_NONE, GDT_VALID}));
    // The program's Checked goes through the set-date message and notifies nothing.
    Picker->SetTimeKinds.clear();
    Picker->SetChecked(false);
    EXPECT_EQ(Picker->SetTimeKinds, (std::vector<WPARAM>{GDT_NONE}));
    EXPECT_FALSE(static_cast<QCheckBox*>(Box)->isChecked());
    EXPECT_EQ(Changes, 2);
}

TEST_F(DateTimePickerTest, TheCalendarsShowingAndHidingAreNotified)
{
    std::vector<std::string> Log;
    Picker->OnDropDown = [&](TObject*) { Log.push_back("drop"); };
    Picker->OnCloseUp = [&](TObject*) { Log.push_back(Picker->DroppedDown() ? "close (shown)" : "close"); };
    ShowForm();
    QCalendarWidget* Calendar = Picker->DateTimeEdit()->calendarWidget();
    ASSERT_NE(Calendar, nullptr);
    QTest::keyClick(Picker->Handle(), Qt::Key_F4);
    EXPECT_TRUE(Picker->DroppedDown());
    Calendar->window()->hide();
    EXPECT_FALSE(Picker->DroppedDown());
    EXPECT_EQ(Log, (std::vector<std::string>{"drop", "close"}));
}
