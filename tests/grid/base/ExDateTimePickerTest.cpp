// The date and time pickers alone on a form: AutoTab, the embedded time
// part and its place, the check box, values, and the borders of the looks.
#include "grid/base/ExDateTimePicker.h"

#include "common/FormFixture.h"
#include "common/ScopedFormatSettings.h"
#include "common/ScopedThemes.h"

#include <QApplication>
#include <QDateTimeEdit>
#include <QImage>
#include <QTest>

namespace {

class ExDateTimePickerTest : public TFormFixture {
protected:
    void SetUp() override
    {
        FormWidth = 400;
        TFormFixture::SetUp();
        Settings->ShortDateFormat = QStringLiteral("dd/mm/yyyy");
        Settings->DateSeparator = u'/';
        Settings->LongTimeFormat = QStringLiteral("hh:nn:ss");
        Settings->TimeSeparator = u':';
    }
    template <class T>
    T* MakePicker(Integer Top)
    {
        auto* P = Make<T>(10, Top);
        P->SetBounds(10, Top, 240, 24);
        return P;
    }
    // Types a key into the picker and lets its posted messages arrive: the
    // shift message, then the Right key that one may post.
    static void Type(TDateTimePicker* P, Qt::Key Key)
    {
        QTest::keyClick(P->Handle(), Key);
        for (int Round = 0; Round < 3; ++Round)
            QApplication::processEvents();
    }
    static QDateTimeEdit::Section Field(TDateTimePicker* P) { return P->DateTimeEdit()->currentSection(); }
    // Whether any pixel of the picker is exactly Colour.
    static bool Shows(TControl* C, const QColor& Colour)
    {
        const QImage Image = C->Handle()->grab().toImage();
        for (int Y = 0; Y < Image.height(); ++Y)
            for (int X = 0; X < Image.width(); ++X)
                if (Image.pixelColor(X, Y) == Colour)
                    return true;
        return false;
    }

    TScopedFormatSettings Settings;
};

} // namespace

TEST_F(ExDateTimePickerTest, TheShiftMessageIsRegisteredOnce)
{
    EXPECT_EQ(WM_DTPSHIFTFOCUS, RegisterWindowMessage(QStringLiteral("DTPShiftFocus")));
    EXPECT_GE(WM_DTPSHIFTFOCUS, 0xC000u);
}

TEST_F(ExDateTimePickerTest, AutoTabMovesToTheMinutesOnceADigitChangedTheHour)
{
    auto* P = MakePicker<TCustomDateTimePicker>(10);
    P->SetKind(dtkTime);
    P->SetFormat(QStringLiteral("HH:mm:ss"));
    P->SetDateTime(EncodeTime(10, 30, 0, 0));
    P->SetAutoTab(true);
    ShowForm();
    P->SetFocus();
    Type(P, Qt::Key_Home);
    ASSERT_EQ(Field(P), QDateTimeEdit::HourSection);
    Type(P, Qt::Key_1); // 10 becomes 1
    EXPECT_EQ(Field(P), QDateTimeEdit::MinuteSection);
    // A digit that leaves the field as it was does not move on.
    Type(P, Qt::Key_3);
    EXPECT_EQ(Field(P), QDateTimeEdit::SecondSection); // 30 became 3
    Type(P, Qt::Key_0);                                // 00 stays 0
    EXPECT_EQ(Field(P), QDateTimeEdit::SecondSection);
    // Without AutoTab the caret stays.
    P->SetAutoTab(false);
    Type(P, Qt::Key_Home);
    Type(P, Qt::Key_7);
    EXPECT_EQ(Field(P), QDateTimeEdit::HourSection);
}

TEST_F(ExDateTimePickerTest, WithoutAFormatTheChangedYearLeadsIntoTheTimePart)
{
    auto* P = MakePicker<TExDateTimePicker>(10);
    P->SetDateTime(EncodeDate(2019, 12, 24) + EncodeTime(8, 0, 0, 0));
    P->SetAutoTab(true);
    ShowForm();
    ASSERT_NE(P->TimePicker(), nullptr);
    P->SetFocus();
    Type(P, Qt::Key_Home);
    Type(P, Qt::Key_5); // the day changed: on to the month
    EXPECT_EQ(Field(P), QDateTimeEdit::MonthSection);
    Type(P, Qt::Key_3); // the month changed: on to the year
    EXPECT_EQ(Field(P), QDateTimeEdit::YearSection);
    for (Qt::Key Digit : {Qt::Key_2, Qt::Key_0, Qt::Key_2})
        Type(P, Digit);
    EXPECT_TRUE(P->Focused());
    Type(P, Qt::Key_1); // the year is whole and changed
    EXPECT_TRUE(P->TimePicker()->Focused());
    EXPECT_EQ(P->Date(), EncodeDate(2021, 3, 5));
}

TEST_F(ExDateTimePickerTest, AFormatEndingInTheYearLeadsIntoTheTimePartFromTheYear)
{
    auto* P = MakePicker<TExDateTimePicker>(10);
    P->SetFormat(QStringLiteral("dd.MM.yyyy"));
    P->SetDateTime(EncodeDate(2019, 12, 24));
    P->SetAutoTab(true);
    ShowForm();
    P->SetFocus();
    Type(P, Qt::Key_Home);
    Type(P, Qt::Key_7);
    EXPECT_EQ(Field(P), QDateTimeEdit::MonthSection);
    EXPECT_TRUE(P->Focused());
    Type(P, Qt::Key_Right);
    for (Qt::Key Digit : {Qt::Key_2, Qt::Key_0, Qt::Key_3, Qt::Key_0})
        Type(P, Digit);
    EXPECT_TRUE(P->TimePicker()->Focused());
}

TEST_F(ExDateTimePickerTest, DateKeepsTheTimeOfDayAndDateTimeDropsMilliseconds)
{
    auto* P = MakePicker<TExDateTimePicker>(10);
    P->SetDateTime(EncodeDate(2019, 12, 24) + EncodeTime(13, 45, 10, 789));
    EXPECT_DOUBLE_EQ(P->DateTime(), EncodeDate(2019, 12, 24) + EncodeTime(13, 45, 10, 0));
    P->SetDate(EncodeDate(2020, 2, 2) + EncodeTime(1, 2, 3, 0));
    EXPECT_DOUBLE_EQ(P->DateTime(), EncodeDate(2020, 2, 2) + EncodeTime(13, 45, 10, 0));
    EXPECT_DOUBLE_EQ(P->Time(), EncodeTime(13, 45, 10, 0));
    // The time part holds the same value; its time is the picker's.
    P->TimePicker()->SetTime(EncodeTime(6, 7, 8, 0));
    EXPECT_DOUBLE_EQ(P->DateTime(), EncodeDate(2020, 2, 2) + EncodeTime(6, 7, 8, 0));
    // Another kind has no time part.
    P->SetKind(dkDate);
    EXPECT_EQ(P->TimePicker(), nullptr);
    P->SetKind(dkDateTime);
    EXPECT_NE(P->TimePicker(), nullptr);
}

TEST_F(ExDateTimePickerTest, TheCheckBoxEnablesTheTimePart)
{
    auto* P = MakePicker<TExDateTimePicker>(10);
    P->SetShowCheckbox(true);
    ShowForm();
    TCustomDateTimePicker* Time = P->TimePicker();
    ASSERT_NE(Time, nullptr);
    EXPECT_TRUE(Time->Enabled());
    QWidget* Box = P->CheckBoxWidget();
    ASSERT_NE(Box, nullptr);
    QTest::mouseClick(Box, Qt::LeftButton);
    EXPECT_FALSE(P->Checked());
    EXPECT_FALSE(Time->Enabled());
    QTest::mouseClick(Box, Qt::LeftButton);
    EXPECT_TRUE(P->Checked());
    EXPECT_TRUE(Time->Enabled());
    // The program's Checked does the same; a disabled picker keeps it off.
    P->SetChecked(false);
    EXPECT_FALSE(Time->Enabled());
    P->SetChecked(true);
    EXPECT_TRUE(Time->Enabled());
    P->SetEnabled(false);
    EXPECT_FALSE(Time->Enabled());
}

TEST_F(ExDateTimePickerTest, TheTimePartStandsWhereTheThemesPutIt)
{
    auto* P = MakePicker<TExDateTimePicker>(10);
    ShowForm();
    TCustomDateTimePicker* Time = P->TimePicker();
    const auto Check = [&](Integer RightGap, Integer Top, Integer HeightLess) {
        const Integer A = Time->Width();
        EXPECT_GT(A, 31);
        EXPECT_EQ(Time->Left(), P->Width() - A - RightGap);
        EXPECT_EQ(Time->Top(), Top);
        EXPECT_EQ(Time->Height(), P->Height() - HeightLess);
        EXPECT_TRUE(Time->Visible());
    };
    Check(34, 1, 2);
    P->SetMetroStyle(true);
    P->SetBounds(10, 10, 260, 24); // laid out again on a resize
    Check(21, 1, 2);
    {
        const TScopedThemesOff Classic;
        P->SetBounds(10, 10, 250, 26);
        Check(21, 2, 4);
    }
    // Its width follows its text in the picker's font.
    TBitmap Measure(1, 1);
    Measure.Canvas()->Font()->Assign(P->Font());
    EXPECT_EQ(Time->Width(), Measure.Canvas()->TextWidth(Time->Text()) + 31);
}

TEST_F(ExDateTimePickerTest, OnlyTheMetroLookDrawsColouredBorders)
{
    const QColor Red(255, 0, 0);
    auto* P = MakePicker<TExDateTimePicker>(10);
    P->SetBorderColor(clRed);
    auto* Esg = MakePicker<TEsgDateTimePicker>(50);
    Esg->SetBorderColor(clRed);
    ShowForm();
    EXPECT_FALSE(Shows(P, Red));
    EXPECT_FALSE(Shows(Esg, Red));
    P->SetMetroStyle(true);
    Esg->SetMetroStyle(true);
    EXPECT_TRUE(Shows(P, Red));
    EXPECT_TRUE(Shows(Esg, Red));
    // The inner time part never draws one of its own.
    TCustomDateTimePicker* Time = P->TimePicker();
    Time->SetMetroStyle(true);
    Time->SetBorderColor(clRed);
    EXPECT_FALSE(Shows(Time, Red));
}

TEST_F(ExDateTimePickerTest, TheMetroButtonInTheOwnersColours)
{
    auto* P = MakePicker<TEsgDateTimePicker>(10);
    P->SetMetroStyle(true);
    P->SetButtonColor(RGB(0, 150, 0));
    P->SetButtonTextColor(RGB(0, 0, 200));
    ShowForm();
    TRect R(P->ClientWidth() - P->ButtonWidth() + 2, 0, P->Width(), P->Height());
    InflateRect(R, -1, -1);
    const QImage Image = P->Handle()->grab().toImage();
    EXPECT_EQ(Image.pixelColor(R.Left + 3, R.Top + 3), QColor(0, 150, 0));
    EXPECT_EQ(Image.pixelColor(R.Left + 8, R.Top + 8), QColor(0, 0, 200)); // (left + 5, top + 7) ...
}

TEST_F(ExDateTimePickerTest, VersionsAndTheLabel)
{
    auto* Ex = MakePicker<TExDateTimePicker>(10);
    auto* Esg = MakePicker<TEsgDateTimePicker>(50);
    EXPECT_EQ(Ex->Version(), QStringLiteral("1.2.0.0"));
    EXPECT_EQ(Esg->Version(), QStringLiteral("1.0.0.0"));
    Ex->SetVersion(QStringLiteral("9.9"));
    EXPECT_EQ(Ex->Version(), QStringLiteral("1.2.0.0"));
    Integer LabelClicks = 0;
    Ex->OnLabelClick = [&](TObject*) { ++LabelClicks; };
    Ex->SetLabelPosition(lpTopLeft);
    Ex->SetLabelCaption(QStringLiteral("When"));
    ASSERT_NE(Ex->PickerLabel(), nullptr);
    EXPECT_EQ(Ex->PickerLabel()->Left(), 10);
    EXPECT_EQ(Ex->PickerLabel()->Top(), 10 - Ex->PickerLabel()->Height() - 4);
    ShowForm();
    QTest::mouseClick(Ex->PickerLabel()->Handle(), Qt::LeftButton);
    EXPECT_EQ(LabelClicks, 1);
    EXPECT_TRUE(Esg->Ctl3D());
    EXPECT_TRUE(Ex->Ctl3D());
    EXPECT_EQ(Ex->BorderStyle(), bsSingle);
}
