// The spin edit alone on a form: values and their fallbacks, stepping, the
// character filter, keys, the repeat buttons and the layout.
#include "grid/base/esgspin.h"

#include "common/FormFixture.h"
#include "common/ScopedFormatSettings.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QTest>

#include <cmath>

namespace {

class EsgSpinTest : public TFormFixture {
protected:
    void SetUp() override
    {
        TFormFixture::SetUp();
        Settings->DecimalSeparator = u'.';
        Settings->ThousandSeparator = u',';
        Settings->DateSeparator = u'/';
        Settings->TimeSeparator = u':';
        Settings->ShortDateFormat = QStringLiteral("dd/mm/yyyy");
        Settings->LongTimeFormat = QStringLiteral("hh:nn:ss");
        Spin = Make<TEsgSpinEdit>(10, 10);
        Spin->SetWidth(100);
        Other = Make<TEdit>(10, 60);
    }
    // The text with the caret at Caret (0-based).
    void Show(const char* Text, Integer Caret)
    {
        Spin->SetText(QString::fromLatin1(Text));
        Spin->SetSelStart(Caret);
    }
    void PressKey(Qt::Key Key, Qt::KeyboardModifiers Mods = Qt::NoModifier)
    {
        QTest::keyClick(Spin->Handle(), Key, Mods);
    }

    TScopedFormatSettings Settings;
    TEsgSpinEdit* Spin = nullptr;
    TEdit* Other = nullptr;
};

TDateTime Hm(Word H, Word M)
{
    return EncodeTime(H, M, 0, 0);
}

} // namespace

TEST_F(EsgSpinTest, ValuesAreClampedUnlessTheBoundsAreEqual)
{
    EXPECT_EQ(Spin->Text(), QStringLiteral("0"));
    Spin->SetValue(150);
    EXPECT_EQ(Spin->Text(), QStringLiteral("100"));
    Spin->SetValue(-5);
    EXPECT_EQ(Spin->Value(), 0);
    Spin->SetMaxValue(0);
    Spin->SetValue(-5);
    EXPECT_EQ(Spin->Value(), -5); // equal bounds: no range
    Spin->SetMinFloatValue(1.5);
    Spin->SetMaxFloatValue(1.5);
    Spin->SetFloatValue(99.25);
    EXPECT_EQ(Spin->Text(), QStringLiteral("99.25"));
    // Dates and times have no range by default.
    Spin->SetDateValue(EncodeDate(2030, 5, 6));
    EXPECT_EQ(Spin->DateValue(), EncodeDate(2030, 5, 6));
}

TEST_F(EsgSpinTest, TextsThatAreNoValueReadAsTheFallbacks)
{
    Spin->SetMinValue(7);
    Spin->SetMinFloatValue(10);
    Spin->SetMaxFloatValue(20);
    Spin->SetMinDateValue(EncodeDate(2001, 1, 1));
    const TDateTime Before = Now();
    for (const char* Junk : {"abc", "1.2.3", "--", "12:xx", "99/99/9999", " "}) {
        Spin->SetText(QString::fromLatin1(Junk));
        EXPECT_EQ(Spin->Value(), Junk[0] == ' ' ? 0 : 7) << Junk;
        // A float editor with its own range hands out its own minimum.
        EXPECT_EQ(Spin->FloatValue(), 10.0) << Junk;
        EXPECT_EQ(Spin->TimeValue(), 0.0) << Junk;
        EXPECT_EQ(Spin->DateValue(), EncodeDate(2001, 1, 1)) << Junk;
    }
    Spin->SetText(QString());
    EXPECT_EQ(Spin->Value(), 0);
    EXPECT_GE(Spin->DateValue(), Before); // empty or "0": now
    Spin->SetText(QStringLiteral("0"));
    EXPECT_GE(Spin->DateValue(), Before);
}

TEST_F(EsgSpinTest, TypesAndPrecisionRewriteTheText)
{
    Spin->SetText(QStringLiteral("12"));
    Spin->SetSpinType(sptFloat);
    EXPECT_EQ(Spin->Text(), QStringLiteral("12"));
    Spin->SetPrecision(2);
    EXPECT_EQ(Spin->Text(), QStringLiteral("12.00"));
    Spin->SetSpinType(sptTime);
    Spin->SetTimeValue(Hm(9, 5));
    EXPECT_EQ(Spin->Text(), QStringLiteral("09:05:00"));
    Spin->SetShowSeconds(false);
    Spin->SetTimeValue(Hm(9, 5));
    EXPECT_EQ(Spin->Text(), QStringLiteral("9:05"));
    Spin->SetSpinType(sptDate);
    Spin->SetDateValue(EncodeDate(2019, 2, 3));
    EXPECT_EQ(Spin->Text(), QStringLiteral("03/02/2019"));
}

TEST_F(EsgSpinTest, TimesWrapBelowMidnightAndRunOverIt)
{
    Spin->SetSpinType(sptTime);
    Spin->SetTimeValue(Hm(0, 30));
    Spin->SetSelStart(0); // hours
    Spin->DecrementStep(false);
    EXPECT_NEAR(Spin->TimeValue(), Hm(23, 30), 1e-9);
    Spin->SetSelStart(0);
    Spin->IncrementStep(false);
    EXPECT_EQ(Spin->Text(), QStringLiteral("00:30:00"));
    // The caret picks minutes after the first separator, seconds after the second.
    Spin->SetIncrementMinutes(15);
    Spin->SetIncrementSeconds(20);
    Show("10:00:00", 3);
    Spin->IncrementStep(false);
    EXPECT_EQ(Spin->Text(), QStringLiteral("10:15:00"));
    Show("10:00:00", 6);
    Spin->DecrementStep(false);
    EXPECT_EQ(Spin->Text(), QStringLiteral("09:59:40"));
    // Steps of a day or more are refused.
    Spin->SetIncrementHours(24);
    Spin->SetIncrementMinutes(60);
    EXPECT_EQ(Spin->IncrementHours(), 1);
    EXPECT_EQ(Spin->IncrementMinutes(), 15);
}

TEST_F(EsgSpinTest, TheCaretPicksTheDateFieldInEitherOrder)
{
    Spin->SetSpinType(sptDate);
    Spin->SetDateValue(EncodeDate(2019, 1, 31));
    struct {
        const char* Format;
        Integer Caret;
        TDateTime Expected;
    } Cases[] = {
        {"dd/mm/yyyy", 8, EncodeDate(2020, 1, 31)}, // day-month-year, caret in the year: a year
        {"dd/mm/yyyy", 1, EncodeDate(2019, 2, 1)},  // in the day: a day
        {"dd/mm/yyyy", 4, EncodeDate(2019, 2, 28)}, // in the month: a month, the day clipped
        {"mm/dd/yyyy", 0, EncodeDate(2019, 2, 28)}, // month-day-year, first field: a month
        {"mm/dd/yyyy", 4, EncodeDate(2019, 2, 1)},  // second field: a day
    };
    for (const auto& C : Cases) {
        Settings->ShortDateFormat = QString::fromLatin1(C.Format);
        Spin->SetDateValue(EncodeDate(2019, 1, 31));
        Spin->SetSelStart(C.Caret);
        Spin->IncrementStep(false);
        EXPECT_EQ(Spin->DateValue(), C.Expected) << C.Format << " caret " << C.Caret;
    }
    // A year from the 29th of February lands on the 28th.
    Settings->ShortDateFormat = QStringLiteral("dd/mm/yyyy");
    Spin->SetDateValue(EncodeDate(2020, 2, 29));
    Spin->SetSelStart(9);
    Spin->IncrementStep(false);
    EXPECT_EQ(Spin->DateValue(), EncodeDate(2021, 2, 28));
}

TEST_F(EsgSpinTest, TheCharacterFilterFollowsItsRules)
{
    struct {
        TEsgSpinType Type;
        const char* Text;
        Integer Caret;
        char16_t Key;
        bool Accepted;
    } Cases[] = {
        {sptNormal, "12", 2, u'3', true},
        {sptNormal, "12", 2, 8, true},         // 1: Backspace while the editor is enabled
        {sptNormal, "12", 0, u'-', true},      // 4: "-" at the start
        {sptNormal, "12", 1, u'-', false},     // 4: not in the middle
        {sptNormal, "-12", 0, u'-', false},    // 4: a second "-" outside the selection
        {sptNormal, "12", 2, u'a', false},     // 2: no letters
        {sptNormal, "12", 2, u'.', false},     // 5: numbers only
        {sptNormal, "12", 2, 3, false},        // 5: Ctrl+C
        {sptNormal, "12", 2, 13, false},       // 2: Enter
        {sptNormal, "12", 2, u'\u0663', true}, // 2: any Unicode digit
        {sptFloat, "1.2", 3, u'5', true},
        {sptFloat, "1.25", 4, u'5', false},   // 6: no more decimals than Precision 2
        {sptFloat, "1.25", 1, u'5', true},    // 6: before the separator
        {sptFloat, "1", 1, u'.', true},
        {sptFloat, "1.2", 3, u'.', false},    // 6: a second separator
        {sptFloat, "1", 1, u',', false},      // 6: the thousand separator
        {sptFloat, "1", 1, 27, true},         // Escape passes rule 6
        {sptFloat, "1", 1, u':', false},      // 3: a time separator outside times
        {sptTime, "10:00", 5, u':', true},    // 7: one separator so far
        {sptTime, "10:00:00", 8, u':', false},
        {sptTime, "10", 2, u'/', false},      // 3: a date separator outside dates
        {sptDate, "1/2", 3, u'/', true},
    };
    Spin->SetPrecision(2);
    for (const auto& C : Cases) {
        Spin->SetSpinType(C.Type);
        Show(C.Text, C.Caret);
        EXPECT_EQ(Spin->IsValidChar(QChar(C.Key)), C.Accepted)
            << C.Text << " caret " << C.Caret << " key " << int(C.Key) << " type " << C.Type;
    }
    // 3: another type's separator counts where it is a number character too.
    Settings->TimeSeparator = u'.';
    Spin->SetSpinType(sptFloat);
    Show("1", 1);
    EXPECT_TRUE(Spin->IsValidChar(QChar(u'.')));
    // 8 and 1: a disabled editor takes no characters, not even Backspace.
    Spin->SetEditorEnabled(false);
    EXPECT_FALSE(Spin->IsValidChar(QChar(u'5')));
    EXPECT_FALSE(Spin->IsValidChar(QChar(8)));
}

TEST_F(EsgSpinTest, RejectedTypedCharactersBeepAndAreDropped)
{
    ShowForm();
    Spin->SetFocus();
    Spin->SetText(QStringLiteral("12"));
    Spin->SetSelStart(1);
    const Integer Beeps = MessageBeepCount();
    QTest::keyClick(Spin->Handle(), Qt::Key_Minus);
    EXPECT_EQ(Spin->Text(), QStringLiteral("12"));
    QTest::keyClick(Spin->Handle(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(MessageBeepCount(), Beeps + 2);
    QTest::keyClick(Spin->Handle(), Qt::Key_5);
    EXPECT_EQ(Spin->Text(), QStringLiteral("152"));
    EXPECT_EQ(MessageBeepCount(), Beeps + 2);
    // "1.25" with Precision 2 takes no third decimal.
    Spin->SetSpinType(sptFloat);
    Spin->SetPrecision(2);
    Spin->SetText(QStringLiteral("1.25"));
    Spin->SetSelStart(4);
    QTest::keyClick(Spin->Handle(), Qt::Key_7);
    EXPECT_EQ(Spin->Text(), QStringLiteral("1.25"));
    EXPECT_EQ(MessageBeepCount(), Beeps + 3);
}

TEST_F(EsgSpinTest, ArrowAndPageKeysStepAndGoNoFurther)
{
    Word Seen = 0;
    Spin->OnKeyDown = [&](TObject*, Word& Key, TShiftState) { Seen = Key; };
    Spin->SetSpinType(sptFloat);
    Spin->SetMaxFloatValue(1000);
    Spin->SetText(QStringLiteral("5"));
    ShowForm();
    Spin->SetFocus();
    PressKey(Qt::Key_Up);
    EXPECT_EQ(Spin->Text(), QStringLiteral("5.1"));
    PressKey(Qt::Key_PageUp);
    EXPECT_EQ(Spin->Text(), QStringLiteral("6.1"));
    PressKey(Qt::Key_PageDown);
    PressKey(Qt::Key_Down);
    EXPECT_EQ(Spin->Text(), QStringLiteral("5"));
    EXPECT_EQ(Seen, 0);
    // Integers step by Increment also on a page.
    Spin->SetSpinType(sptNormal);
    Spin->SetIncrement(5);
    PressKey(Qt::Key_PageUp);
    EXPECT_EQ(Spin->Text(), QStringLiteral("10"));
    // A read-only edit only beeps.
    Spin->SetReadOnly(true);
    const Integer Beeps = MessageBeepCount();
    PressKey(Qt::Key_Up);
    EXPECT_EQ(Spin->Text(), QStringLiteral("10"));
    EXPECT_EQ(MessageBeepCount(), Beeps + 1);
}

TEST_F(EsgSpinTest, KeysOfTheEdit)
{
    ShowForm();
    // The keypad's decimal key types the decimal separator.
    Settings->DecimalSeparator = u',';
    Settings->ThousandSeparator = u'.';
    Spin->SetSpinType(sptFloat);
    Spin->SetExcelStyleDecimalSeparator(true);
    Spin->SetFocus();
    Spin->SetText(QStringLiteral("1"));
    Spin->SetSelStart(1);
    QTest::keyClick(Spin->Handle(), Qt::Key_Period, Qt::KeypadModifier);
    EXPECT_EQ(Spin->Text(), QStringLiteral("1,"));
    // Enter as Tab moves the focus on.
    Spin->SetReturnIsTab(true);
    PressKey(Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_TRUE(Other->Focused());
    // Without the editor Delete and pasting do nothing.
    Spin->SetFocus();
    Spin->SetEditorEnabled(false);
    Spin->SetText(QStringLiteral("42"));
    Spin->SetSelStart(0);
    PressKey(Qt::Key_Delete);
    QApplication::clipboard()->setText(QStringLiteral("7"));
    Spin->PasteFromClipboard();
    EXPECT_EQ(Spin->Text(), QStringLiteral("42"));
}

TEST_F(EsgSpinTest, LeavingWritesBackAValueOutsideItsRange)
{
    ShowForm();
    Spin->SetFocus();
    Spin->SetText(QStringLiteral("150"));
    Other->SetFocus();
    EXPECT_EQ(Spin->Text(), QStringLiteral("100"));
    Spin->SetSpinType(sptFloat);
    Spin->SetFocus();
    Spin->SetText(QStringLiteral("-3.5"));
    Other->SetFocus();
    EXPECT_EQ(Spin->Text(), QStringLiteral("0"));
    // A value in range stays as typed.
    Spin->SetFocus();
    Spin->SetText(QStringLiteral("2.50"));
    Other->SetFocus();
    EXPECT_EQ(Spin->Text(), QStringLiteral("2.50"));
}

TEST_F(EsgSpinTest, AHeldButtonRepeatsAfter400AndThenEvery100Milliseconds)
{
    ShowForm();
    TExTimerSpeedButton* Up = Spin->Button()->UpButton();
    ASSERT_FALSE(Up->Glyph()->Empty()); // the arrow from the resources
    QTest::mousePress(Up->Handle(), Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    ASSERT_NE(Up->RepeatTimer(), nullptr);
    EXPECT_TRUE(Up->RepeatTimer()->Enabled());
    EXPECT_EQ(Up->RepeatTimer()->Interval(), 400u);
    EXPECT_EQ(Spin->Value(), 0); // the press itself does not step
    // Each tick of the test's clock: the timer's event.
    const auto Tick = [&] { Up->RepeatTimer()->OnTimer(Up->RepeatTimer()); };
    Tick();
    EXPECT_EQ(Up->RepeatTimer()->Interval(), 100u);
    Tick();
    EXPECT_EQ(Spin->Value(), 2);
    // Outside the button it pauses.
    QTest::mouseMove(Up->Handle(), QPoint(-30, 3));
    Tick();
    EXPECT_EQ(Spin->Value(), 2);
    QTest::mouseRelease(Up->Handle(), Qt::LeftButton, Qt::NoModifier, QPoint(-30, 3));
    EXPECT_FALSE(Up->RepeatTimer()->Enabled());
    Tick();
    EXPECT_EQ(Spin->Value(), 2);
    // A click inside steps once; the down button steps down.
    QTest::mouseClick(Spin->Button()->DownButton()->Handle(), Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    EXPECT_EQ(Spin->Value(), 1);
}

TEST_F(EsgSpinTest, ARepeatTickMayFreeTheEdit)
{
    ShowForm();
    TExTimerSpeedButton* Up = Spin->Button()->UpButton();
    QTest::mousePress(Up->Handle(), Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    TTimer* Timer = Up->RepeatTimer();
    Spin->OnChange = [this](TObject*) { delete Spin; };
    Timer->OnTimer(Timer);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Form->ControlCount(), 1); // the other edit
}

TEST_F(EsgSpinTest, ThePairLaysOutItsButtonsByDirection)
{
    TEsgSpinButton* Pair = Spin->Button();
    EXPECT_EQ(Pair->UpButton()->ButtonDirection(), bdUp);
    EXPECT_EQ(Pair->DownButton()->ButtonDirection(), bdDown);
    Pair->SetHeight(20);
    EXPECT_EQ(Pair->UpButton()->BoundsRect(), TRect(0, 0, 15, 10));
    EXPECT_EQ(Pair->DownButton()->BoundsRect(), TRect(0, 9, 15, 20));
    Spin->SetDirection(spHorizontal);
    EXPECT_EQ(Pair->Width(), 20);
    EXPECT_EQ(Pair->UpButton()->ButtonDirection(), bdRight);
    EXPECT_EQ(Pair->DownButton()->ButtonDirection(), bdLeft);
    const Integer H = Pair->Height();
    EXPECT_EQ(Pair->DownButton()->BoundsRect(), TRect(0, 0, 10, H));
    EXPECT_EQ(Pair->UpButton()->BoundsRect(), TRect(11, 0, 21, H));
    // The pair stands at the right edge, and the text stops before it.
    Spin->SetBorderStyle(bsNone);
    Spin->SetBounds(10, 10, 120, 24);
    EXPECT_EQ(Pair->BoundsRect(), EditButtonBounds(120, 24, 20, true, false));
    TRect R;
    Spin->Perform(EM_GETRECT, 0, LPARAM(&R));
    EXPECT_EQ(R, TRect(3, 3, 120 - 20 - 3 - 2, 25));
    // A height below the least one is raised.
    Spin->SetHeight(3);
    EXPECT_EQ(Spin->Height(), Spin->GetMinHeight());
}

TEST_F(EsgSpinTest, ButtonsInTheOwnersColours)
{
    TEsgSpinButton* Pair = Spin->Button();
    Pair->SetButtonColor(RGB(0, 200, 0));
    Pair->SetButtonColorHot(RGB(200, 0, 0));
    ShowForm();
    Pair->SetHeight(20);
    const QImage Image = Pair->Handle()->grab().toImage();
    EXPECT_EQ(Image.pixelColor(1, 7), QColor(0, 200, 0));  // the up button's face
    EXPECT_EQ(Image.pixelColor(6, 3), QColor(0, 0, 0));     // its triangle (4,4)-(8,4)-(6,2)
    EXPECT_EQ(Image.pixelColor(1, 16), QColor(0, 200, 0)); // the down button's face
    // Without colours: the visual style with IsWinXP, else the arrow glyphs.
    Pair->SetButtonColor(clDefault);
    const QImage Glyphs = Pair->Handle()->grab().toImage();
    Spin->SetIsWinXP(true);
    const QImage Themed = Pair->Handle()->grab().toImage();
    EXPECT_NE(Glyphs, Themed);
    EXPECT_NE(Glyphs.pixelColor(1, 7), QColor(0, 200, 0));
}
