// The clock face: geometry, clicks, keys, setting the time and its
// animation, drawing of marks, numerals and hands, presets, component
// styles and the live mode.
#include "controls/dropdown/ExWatch.h"

#include "DropDownFixture.h"

#include <QColor>

#include <array>

namespace {

TDateTime At(Word H, Word M, Word S = 0)
{
    return EncodeTime(H, M, S, 0);
}

String Hms(TDateTime T)
{
    Word H, M, S, MS;
    DecodeTime(T, H, M, S, MS);
    return QStringLiteral("%1:%2:%3").arg(H, 2, 10, QChar(u'0')).arg(M, 2, 10, QChar(u'0')).arg(S, 2, 10, QChar(u'0'));
}

class FixedClock : public TWatchClock {
public:
    TDateTime Now() override { return Value; }
    TDateTime Value = 45000.0;
};

class WatchTest : public DropDownFixture {
protected:
    void SetUp() override
    {
        DropDownFixture::SetUp();
        FormWidth = 400;
        FormHeight = 400;
        Form->SetClientWidth(FormWidth);
        Form->SetClientHeight(FormHeight);
        W = Make<TExWatch>(0, 0);
        W->OnChange = [this](TObject*) { ++Changes; };
    }
    void TearDown() override
    {
        SetWatchClock(nullptr);
        DropDownFixture::TearDown();
    }
    // The watch at once (no animation), at T, with no change counted yet.
    void Manual(TDateTime T)
    {
        W->SetAnimation(false);
        W->SetTime(T);
        Changes = 0;
    }
    void Click(Integer X, Integer Y)
    {
        QTest::mouseClick(W->Handle(), Qt::LeftButton, {}, QPoint(X, Y));
    }
    // Runs the animation to its end; the number of ticks that changed the time.
    int RunAnimation(std::vector<Integer>* Hours = nullptr)
    {
        int Ticks = 0;
        while (W->Animating() && Ticks < 200) {
            const TDateTime Before = W->Time();
            W->AnimationTimerTick();
            if (W->Time() != Before) {
                ++Ticks;
                if (Hours) {
                    Word H, M, S, MS;
                    DecodeTime(W->Time(), H, M, S, MS);
                    Hours->push_back(H);
                }
            }
        }
        return Ticks;
    }
    QColor PixelAt(Integer X, Integer Y) { return Grab(W).pixelColor(X, Y); }
    // A pixel of that colour in the box of side 2 * Half round (X, Y).
    bool ColourNear(Integer X, Integer Y, Integer Half, const QColor& Colour)
    {
        const QImage Image = Grab(W);
        for (Integer Dy = -Half; Dy <= Half; ++Dy)
            for (Integer Dx = -Half; Dx <= Half; ++Dx)
                if (Image.pixelColor(X + Dx, Y + Dy) == Colour)
                    return true;
        return false;
    }

    TExWatch* W = nullptr;
    int Changes = 0;
};

} // namespace

TEST_F(WatchTest, CreatedAtItsSizeWithTheResetDefaultsAndNoPreset)
{
    EXPECT_EQ(W->Width(), 180);
    EXPECT_EQ(W->Height(), 180);
    EXPECT_EQ(W->Style(), wsClassic);
    TWatchAppearance* A = W->Appearance();
    // wsClassic would set 8 and "Comic Sans MS".
    EXPECT_EQ(A->HourMarkLength(), 0);
    EXPECT_EQ(A->HourFont()->Name(), QStringLiteral("Tahoma"));
    EXPECT_EQ(A->HourFont()->Size(), 8);
    EXPECT_EQ(A->AMPMFont()->Size(), 10);
    EXPECT_EQ(A->BorderWidth(), 4);
    EXPECT_EQ(A->MinuteColor(), 0x808080);
    EXPECT_EQ(A->HourPointerShadow(), clBtnShadow);
    EXPECT_TRUE(W->AM());
    EXPECT_EQ(W->Time(), 0.0);
    EXPECT_FALSE(W->LiveTimerRunning());
    int AppearanceChanges = 0;
    A->OnChange = [&](TObject*) { ++AppearanceChanges; };
    W->SetStyle(wsClassic);
    EXPECT_EQ(AppearanceChanges, 0);
    EXPECT_EQ(A->HourMarkLength(), 0);
}

TEST_F(WatchTest, DialSquareBySize)
{
    struct Row {
        Integer Size;
        TRect Expected;
    };
    for (const Row& R : {Row{0, TRect(10, 10, 170, 170)}, Row{100, TRect(40, 40, 140, 140)},
                         Row{300, TRect(0, 0, 180, 180)}, Row{-5, TRect(10, 10, 170, 170)}}) {
        W->Appearance()->SetSize(R.Size);
        EXPECT_EQ(W->GetWatchRect(), R.Expected) << R.Size;
    }
    W->SetBounds(0, 0, 200, 120);
    W->Appearance()->SetSize(0);
    EXPECT_EQ(W->GetWatchRect(), TRect(50, 10, 150, 110));
    EXPECT_EQ(W->GetCenter(), TPoint(100, 60));
    EXPECT_EQ(W->GetRadius(), 50.0);
}

TEST_F(WatchTest, ClicksOutsideTheDialSetTheMinute)
{
    ShowForm();
    struct Row {
        TPoint P;
        Word Minute;
    };
    for (const Row& R : {Row{TPoint(176, 90), 15}, Row{TPoint(90, 176), 30}, Row{TPoint(4, 90), 45},
                         Row{TPoint(90, 4), 0}}) {
        Manual(At(7, 20));
        Click(R.P.X, R.P.Y);
        EXPECT_EQ(Hms(W->Time()), Hms(At(7, R.Minute))) << R.P.X << "," << R.P.Y;
        EXPECT_EQ(Changes, 1);
    }
}

TEST_F(WatchTest, HourFromPointByHalfOfTheDay)
{
    // Straight above (n = 0) and at the 58th minute (n = round(11.6) = 12).
    const TPoint Top(90, 30), NearTop(80, 41);
    ASSERT_EQ(W->MinuteFromPoint(NearTop.X, NearTop.Y), 58);
    struct Row {
        TDateTime Time;
        TPoint P;
        Integer Hour;
    };
    for (const Row& R : {Row{At(3, 0), Top, 0}, Row{At(3, 0), NearTop, 12}, Row{At(15, 0), Top, 12},
                         Row{At(15, 0), NearTop, 0}, Row{At(3, 0), TPoint(140, 90), 3},
                         Row{At(15, 0), TPoint(140, 90), 15}}) {
        Manual(R.Time);
        EXPECT_EQ(W->HourFromPoint(R.P.X, R.P.Y), R.Hour) << Hms(R.Time).toStdString() << " " << R.P.X << "," << R.P.Y;
    }
    ShowForm();
    Manual(At(15, 10));
    Click(NearTop.X, NearTop.Y);
    EXPECT_EQ(Hms(W->Time()), Hms(At(0, 10)));
    EXPECT_TRUE(W->AM());
}

TEST_F(WatchTest, ClickInTheAMPMBoxTogglesTheHalf)
{
    ShowForm();
    Manual(At(3, 25));
    const TRect Box = W->GetAMPMRect();
    ASSERT_GT(Box.Width(), 0);
    Click((Box.Left + Box.Right) / 2, (Box.Top + Box.Bottom) / 2);
    EXPECT_EQ(Hms(W->Time()), Hms(At(15, 25)));
    EXPECT_FALSE(W->AM());
    EXPECT_EQ(Changes, 1);
    // With the animation the box flips first; the hour is set at once.
    W->SetAnimation(true);
    Click((Box.Left + Box.Right) / 2, (Box.Top + Box.Bottom) / 2);
    EXPECT_EQ(Hms(W->Time()), Hms(At(3, 25)));
    EXPECT_TRUE(W->AM());
    EXPECT_EQ(Changes, 2);
    EXPECT_FALSE(W->Animating());
}

TEST_F(WatchTest, KeyCommands)
{
    struct Row {
        Word Key;
        TDateTime From;
        TDateTime To;
    };
    const Row Rows[] = {
        {'A', At(15, 10), At(3, 10)},          {'A', At(3, 10), At(3, 10)},
        {'P', At(3, 10), At(15, 10)},          {'P', At(15, 10), At(15, 10)},
        {VK_PRIOR, At(23, 5), At(0, 5)},       {VK_PRIOR, At(8, 5), At(9, 5)},
        {VK_NEXT, At(0, 5), At(23, 5)},        {VK_NEXT, At(8, 5), At(7, 5)},
        {VK_HOME, At(8, 5), At(12, 5)},        {VK_END, At(8, 25), At(8, 0)},
        {VK_END, At(8, 45), At(9, 0)},         {VK_LEFT, At(5, 0, 30), At(4, 59, 30)},
        {VK_LEFT, At(0, 0), At(23, 59)},       {VK_LEFT, At(5, 10), At(5, 9)},
        {VK_RIGHT, At(5, 59, 7), At(6, 0, 7)}, {VK_RIGHT, At(23, 59), At(0, 0)},
        {VK_RIGHT, At(5, 10), At(5, 11)},      {VK_SPACE, At(5, 10), At(5, 10)},
    };
    for (const Row& R : Rows) {
        Manual(R.From);
        W->HandleKey(R.Key);
        EXPECT_EQ(Hms(W->Time()), Hms(R.To)) << "key " << R.Key << " at " << Hms(R.From).toStdString();
        EXPECT_EQ(Changes, R.From == R.To ? 0 : 1) << "key " << R.Key << " at " << Hms(R.From).toStdString();
    }
}

TEST_F(WatchTest, OutOfRangeValuesRaiseAndChangeNothing)
{
    Manual(At(6, 30));
    try {
        W->SetMinute(60);
        FAIL() << "no exception";
    } catch (const Exception& E) {
        EXPECT_EQ(E.Message(), QStringLiteral("Invalid time"));
    }
    EXPECT_THROW(W->SetHour(24), Exception);
    EXPECT_EQ(Hms(W->Time()), Hms(At(6, 30)));
    EXPECT_EQ(Changes, 0);
    EXPECT_FALSE(W->Animating());
}

TEST_F(WatchTest, MinuteZeroAdvancesTheHourOnlyFromAboveHalfPast)
{
    struct Row {
        TDateTime From;
        TDateTime To;
    };
    for (const Row& R : {Row{At(4, 31), At(5, 0)}, Row{At(4, 30), At(4, 0)}, Row{At(23, 50), At(0, 0)},
                         Row{At(4, 5), At(4, 0)}}) {
        Manual(R.From);
        W->SetMinute(0);
        EXPECT_EQ(Hms(W->Time()), Hms(R.To)) << Hms(R.From).toStdString();
    }
}

TEST_F(WatchTest, SetHourWithTheCurrentHourDoesNothing)
{
    W->SetTime(At(9, 15));
    Changes = 0;
    W->SetHour(9);
    EXPECT_FALSE(W->Animating());
    W->SetAnimation(false);
    W->SetHour(9);
    EXPECT_EQ(Changes, 0);
    EXPECT_EQ(Hms(W->Time()), Hms(At(9, 15)));
}

TEST_F(WatchTest, AnimationFactorOneReachesTheTargetInOneStep)
{
    W->SetTime(At(2, 10));
    Changes = 0;
    W->SetAnimationFactor(1);
    W->SetHour(20);
    EXPECT_TRUE(W->Animating());
    EXPECT_EQ(Hms(W->Time()), Hms(At(2, 10)));
    EXPECT_EQ(RunAnimation(), 1);
    EXPECT_EQ(Hms(W->Time()), Hms(At(20, 10)));
    EXPECT_EQ(Changes, 1);
    EXPECT_FALSE(W->Animating());
}

TEST_F(WatchTest, AnimationFactorTenStepsByTheFormula)
{
    W->SetTime(At(0, 10));
    Changes = 0;
    W->SetHour(20);
    std::vector<Integer> Hours;
    RunAnimation(&Hours);
    // round(20 / 10) = 2, round(18 / 10) = 2, round(16 / 10) = 2, then 1 each.
    const std::vector<Integer> Expected = {2, 4, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20};
    EXPECT_EQ(Hours, Expected);
    EXPECT_EQ(Changes, 1);
    // Forward to minute 0 from 50: one minute a step, the hour advanced once.
    W->SetTime(At(3, 50));
    Changes = 0;
    W->SetMinute(0);
    EXPECT_EQ(RunAnimation(), 10);
    EXPECT_EQ(Hms(W->Time()), Hms(At(4, 0)));
    EXPECT_EQ(Changes, 1);
    // Backward: 40 -> 10 in steps of round(30 / 10) = 3, ... .
    W->SetTime(At(3, 40));
    W->SetMinute(10);
    RunAnimation();
    EXPECT_EQ(Hms(W->Time()), Hms(At(3, 10)));
}

TEST_F(WatchTest, AnimationFactorBelowOneIsStoredAsOne)
{
    W->SetAnimationFactor(0);
    EXPECT_EQ(W->AnimationFactor(), 1);
    W->SetAnimationFactor(-4);
    EXPECT_EQ(W->AnimationFactor(), 1);
}

TEST_F(WatchTest, ChangesWithoutAnimationReportEachOnce)
{
    ShowForm();
    Manual(At(10, 10));
    Click(176, 90);
    EXPECT_EQ(Changes, 1);
    Click(140, 90);
    EXPECT_EQ(Hms(W->Time()), Hms(At(3, 15)));
    EXPECT_EQ(Changes, 2);
    W->HandleKey(VK_PRIOR);
    W->HandleKey(VK_RIGHT);
    EXPECT_EQ(Hms(W->Time()), Hms(At(4, 16)));
    EXPECT_EQ(Changes, 4);
}

TEST_F(WatchTest, TickMarksAndNumeralsDrawnByKind)
{
    TWatchAppearance* A = W->Appearance();
    A->SetBorderColor(clNone);
    A->SetHourColor(clRed);
    A->SetHourMarkWidth(3);
    A->SetMinuteColor(clLime);
    A->SetMinuteMarkWidth(3);
    TFont Blue;
    Blue.Assign(A->HourFont());
    Blue.SetColor(clBlue);
    Blue.SetSize(12);
    A->SetHourFont(&Blue);
    W->SetShowAMPM(false);
    W->SetTime(At(6, 30));
    ShowForm();
    // Ro = 80 - 2 = 78; hour marks from 70 to 78, minute marks from 74 to 78
    // out from the centre (90, 90). Numerals 1 and 3 near radius 61.
    const QColor Red(255, 0, 0), Green(0, 255, 0), Blue3(0, 0, 255);
    const TPoint OneOClock(90 + 37, 90 - 64), ThreeOClock(90 + 74, 90), MinuteOne(98, 14);
    const TPoint NumeralOne(122, 38), NumeralThree(152, 91);
    struct Row {
        TTickMarks Marks;
        bool OneMark, ThreeMark, MinuteMark, NumOne, NumThree;
    };
    for (const Row& R : {Row{tmAll, true, true, true, true, true}, Row{tmHours, true, true, false, false, false},
                         Row{tmQuartHours, false, true, false, false, true},
                         Row{tmNone, false, false, false, false, false}}) {
        A->SetTickMarks(R.Marks);
        const std::string Kind = GetEnumName(R.Marks).toStdString();
        EXPECT_EQ(ColourNear(OneOClock.X, OneOClock.Y, 1, Red), R.OneMark) << Kind;
        EXPECT_EQ(ColourNear(ThreeOClock.X, ThreeOClock.Y, 1, Red), R.ThreeMark) << Kind;
        EXPECT_EQ(ColourNear(MinuteOne.X, MinuteOne.Y, 1, Green), R.MinuteMark) << Kind;
        EXPECT_EQ(ColourNear(NumeralOne.X, NumeralOne.Y, 6, Blue3), R.NumOne) << Kind;
        EXPECT_EQ(ColourNear(NumeralThree.X, NumeralThree.Y, 6, Blue3), R.NumThree) << Kind;
    }
    A->SetTickMarks(tmAll);
    W->SetShowNumbers(false);
    EXPECT_FALSE(ColourNear(NumeralThree.X, NumeralThree.Y, 6, Blue3));
}

TEST_F(WatchTest, HandsByPointerStyleAndTheCentrePoint)
{
    TWatchAppearance* A = W->Appearance();
    A->SetMinutePointer(clRed);
    A->SetMinutePointerShadow(clNone);
    A->SetCenterPointColor(clBlue);
    A->SetCenterPointSize(6);
    W->SetShowAMPM(false);
    // 9:15: the minute hand points right, from 82 to 146 at height 90.
    W->SetTime(At(9, 15));
    ShowForm();
    const QColor Red(255, 0, 0), Blue(0, 0, 255);
    for (TPointerStyle S : {psLine, psPointer}) {
        A->SetPointerStyle(S);
        EXPECT_EQ(PixelAt(130, 90), Red) << GetEnumName(S).toStdString();
        EXPECT_EQ(PixelAt(90, 90), Blue) << GetEnumName(S).toStdString();
    }
    for (TPointerStyle S : {psShortLine, psLineArrow}) {
        A->SetPointerStyle(S);
        EXPECT_NE(PixelAt(130, 90), Red) << GetEnumName(S).toStdString();
        EXPECT_EQ(PixelAt(90, 90), Blue) << GetEnumName(S).toStdString();
    }
}

TEST_F(WatchTest, TinyControlDrawsAnEmptyDial)
{
    W->SetBounds(0, 0, 15, 12);
    ShowForm();
    EXPECT_EQ(W->GetWatchRect().Width(), 0);
    const QImage Image = Grab(W);
    EXPECT_EQ(Image.width(), 15);
    W->HandleKey(VK_PRIOR);
    EXPECT_TRUE(W->Animating());
}

TEST_F(WatchTest, AssignNotifiesOnlyThroughItsLastThreeSetters)
{
    TWatchAppearance Source;
    Source.SetBackgroundColor(clRed);
    Source.SetHourMarkLength(7);
    TWatchAppearance Target;
    int N = 0;
    Target.OnChange = [&](TObject*) { ++N; };
    Target.Assign(&Source);
    EXPECT_EQ(Target.BackgroundColor(), clRed);
    EXPECT_EQ(Target.HourMarkLength(), 7);
    EXPECT_EQ(N, 0);
    Source.SetTickMarks(tmNone);
    Source.SetHourMarkStyle(hmsQuartDblLine);
    Target.Assign(&Source);
    EXPECT_EQ(N, 2);
    EXPECT_EQ(Target.TickMarks(), tmNone);
}

namespace {

struct PresetRow {
    TWatchStyle Style;
    const char* HourFontName;
    Integer HourFontSize;
    bool HourFontBold;
    TColor Background, BackgroundTo, Border, HourPointer, MinutePointer, Second, CenterColor;
    Integer CenterSize, HourMark, MinuteMark, BorderWidth;
    TWatchShape Shape;
    TPointerStyle Pointer;
    TTickMarks Ticks;
    bool ShowAMPM, ShowNumbers;
};

// On a 180 x 180 control, typed from the preset descriptions.
const PresetRow PresetRows[] = {
    {wsClassic, "Comic Sans MS", 10, true, clWhite, clNone, clBlack, clBlack, clBlack, 0x0000FF, clBlack, 4, 8, 4, 4,
     wsCircle, psLine, tmAll, true, true},
    {wsTower, "Century", 8, true, 0xB1F0FE, 0x5BCCE8, clBlack, clBlack, clBlack, 0x002BD5, 0x002BD5, 6, 0, 0, 1,
     wsRect, psPointer, tmHours, true, false},
    {wsFluorescent, "MS Sans Serif", 8, false, clBlack, clBlack, 0xFF3E3E, 0xFF3E3E, 0xFF3E3E, 0x0000FF, 0xFF3E3E,
     20, 10, 0, 4, wsRoundRect, psLine, tmHours, false, false},
    {wsEmerald, "MS Sans Serif", 8, false, 0x3AE800, clBlack, 0x3AE800, 0x40FF00, 0x40FF00, 0x00FFFF, 0x38E100, 16,
     0, 0, 4, wsRect, psPointer, tmHours, false, false},
    {wsBlueStar, "MS Sans Serif", 8, false, 0xFFD5D5, 0xA00000, 0xFFD5D5, 0xA00000, 0xA00000, 0x0000FF, clBlack, 4,
     0, 0, 4, wsRoundRect, psPointer, tmAll, true, true},
    {wsFuchsia, "MS Sans Serif", 8, false, clBlack, clBlack, 0xFFD0FF, 0xFFD0FF, 0xFFD0FF, 0xDD68DD, clBlack, 20, 10,
     0, 4, wsRect, psLine, tmQuartHours, false, false},
    {wsBlack, "Century Gothic", 11, false, 0x202020, clNone, clBlack, clWhite, clWhite, 0x0000FF, clWhite, 4, 0, 4,
     4, wsCircle, psLine, tmAll, false, true},
    {wsBlackWhite, "Century Gothic", 14, true, clWhite, clNone, clBlack, clBlack, clBlack, 0x000080, clBlack, 8, 0,
     4, 8, wsCircle, psPointer, tmQuartHours, false, true},
    {wsGray, "Comic Sans MS", 8, false, 0xD1D1D1, 0x6C6C6C, 0x454545, 0x4E4E4E, 0x4E4E4E, 0x0000FF, clBlack, 4, 0,
     0, 4, wsCircle, psLine, tmAll, true, true},
    {wsSuperNova, "Tahoma", 8, false, clWhite, 0xD1D3D3, clNone, clBlack, clBlack, 0x0000FF, clBlack, 10, 40, 60, 4,
     wsCircle, psLine, tmAll, false, false},
    {wsSports, "Times New Roman", 9, false, clBlack, clNone, clBlack, 0x0000FF, 0x00FFFF, 0x188BFE, 0x191919, 50, 0,
     1, 1, wsCircle, psLine, tmQuartHours, false, true},
    {wsSmooth, "Times New Roman", 9, false, clWhite, 0xABB0B1, 0x585858, 0x4A4A4A, 0x4A4A4A, 0x4A4A4A, clWhite, 6,
     0, 1, 1, wsCircle, psLine, tmQuartHours, false, true},
};

} // namespace

TEST_F(WatchTest, EveryPresetSetsItsRow)
{
    for (const PresetRow& R : PresetRows) {
        // From another style first, so that each row is applied.
        W->SetStyle(R.Style == wsGray ? wsBlack : wsGray);
        W->SetStyle(R.Style);
        const TWatchAppearance* A = W->Appearance();
        const std::string Name = GetEnumName(R.Style).toStdString();
        EXPECT_EQ(A->HourFont()->Name(), QString::fromLatin1(R.HourFontName)) << Name;
        EXPECT_EQ(A->HourFont()->Size(), R.HourFontSize) << Name;
        EXPECT_EQ(A->HourFont()->Style().Contains(fsBold), R.HourFontBold) << Name;
        EXPECT_EQ(A->BackgroundColor(), R.Background) << Name;
        EXPECT_EQ(A->BackgroundColorTo(), R.BackgroundTo) << Name;
        EXPECT_EQ(A->BorderColor(), R.Border) << Name;
        EXPECT_EQ(A->HourPointer(), R.HourPointer) << Name;
        EXPECT_EQ(A->MinutePointer(), R.MinutePointer) << Name;
        EXPECT_EQ(A->SecondPointer(), R.Second) << Name;
        EXPECT_EQ(A->CenterPointColor(), R.CenterColor) << Name;
        EXPECT_EQ(A->CenterPointSize(), R.CenterSize) << Name;
        EXPECT_EQ(A->HourMarkLength(), R.HourMark) << Name;
        EXPECT_EQ(A->MinuteMarkLength(), R.MinuteMark) << Name;
        EXPECT_EQ(A->BorderWidth(), R.BorderWidth) << Name;
        EXPECT_EQ(A->Shape(), R.Shape) << Name;
        EXPECT_EQ(A->PointerStyle(), R.Pointer) << Name;
        EXPECT_EQ(A->TickMarks(), R.Ticks) << Name;
        EXPECT_EQ(W->ShowAMPM(), R.ShowAMPM) << Name;
        EXPECT_EQ(W->ShowNumbers(), R.ShowNumbers) << Name;
    }
    W->SetStyle(wsTower);
    EXPECT_EQ(W->Appearance()->AMPMColor(), 0xB1F0FE);
    W->SetStyle(wsEmerald);
    EXPECT_EQ(W->Appearance()->HourFont()->Color(), 0x3AE800);
    EXPECT_EQ(W->Appearance()->HourColor(), 0x3AE800);
    EXPECT_EQ(W->Appearance()->AMPMColor(), clNone);
    W->SetStyle(wsBlueStar);
    EXPECT_EQ(W->Appearance()->AMPMBorderColor(), clNone);
    EXPECT_EQ(W->Appearance()->BackgroundGradient(), wgRadial);
}

TEST_F(WatchTest, SuperNovaMarkLengthsAreKeptModulo256)
{
    W->SetBounds(0, 0, 1200, 1300);
    W->SetStyle(wsSuperNova);
    // round(1200 / 4.5) = 267, 1200 div 3 = 400.
    EXPECT_EQ(W->Appearance()->HourMarkLength(), 267 - 256);
    EXPECT_EQ(W->Appearance()->MinuteMarkLength(), 400 - 256);
}

namespace {

struct ComponentRow {
    TQVXStyle Style;
    TColor AMPMBorder, AMPMFill, Background, BackgroundTo, Border, CenterBorder, CenterFill, Marks, Second, Shadow;
};

const ComponentRow ComponentRows[] = {
    {tsOffice2003Blue, 0x962D00, 0xD68759, 0xFFD2AF, 0xFFD2AF, 0xD68759, 0xD68759, 0xD68759, 0xD68759, 0xFFFFFF, 0xFFFFFF},
    {tsOffice2003Silver, 0x962D00, 0xBDA4A5, 0xE6D8D8, 0xE6D8D8, 0xBDA4A5, 0xBDA4A5, 0xBDA4A5, 0xBDA4A5, 0xFFFFFF, 0xFFFFFF},
    {tsOffice2003Olive, 0x962D00, 0x82C0AF, 0xB9EAE1, 0xB9EAE1, 0x82C0AF, 0x82C0AF, 0x82C0AF, 0x82C0AF, 0xFFFFFF, 0xFFFFFF},
    {tsOffice2003Classic, 0x962D00, 0x808080, 0xF2F2F2, 0xF2F2F2, 0x808080, 0x808080, 0x808080, 0x808080, 0x808080, 0xFFFFFF},
    {tsOffice2007Luna, 0xF0DED0, 0xF0DED0, 0xFFEFE3, 0xFFEFE3, 0xF0DED0, 0xFFEFE3, 0xFFEFE3, 0x723708, 0x723708, 0xFFFFFF},
    {tsOffice2007Obsidian, 0xF2F1F0, 0x5C534C, 0x5C534C, 0x5C534C, 0xF2F1F0, 0xFFEFE3, 0xFFEFE3, 0xF2F1F0, 0xF2F1F0, 0xFFFFFF},
    {tsWindowsXP, 0x000000, clBtnFace, clBtnFace, clBtnFace, 0x000000, 0x000000, 0x000000, 0x000000, 0x000000, 0xFFFFFF},
    {tsWhidbey, 0x7E9898, 0xF5F9FA, 0xF5F9FA, 0xF5F9FA, 0x7E9898, 0x7E9898, 0x7E9898, 0x7E9898, 0x7E9898, 0xFFFFFF},
    {tsOffice2007Silver, 0xE8E0DB, 0xF8F4F1, 0xF8F4F1, 0xF8F4F1, 0xE8E0DB, 0xE8E0DB, 0x74706F, 0x74706F, 0x74706F, 0xFFFFFF},
    {tsWindowsVista, 0xFEDF9A, 0xFFFDF9, 0xFFFDF9, 0xFFFAF0, 0xFEDF9A, 0xFEDF9A, 0xFEDF9A, 0xFEDF9A, 0xFEDF9A, 0xFFFFFF},
    {tsWindows7, 0xFBD6B8, 0xFDFBFA, 0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFBD6B8, 0xFBD6B8, 0xFBD6B8, 0xFBD6B8, 0xFFFFFF},
    {tsTerminal, 0x808080, clBtnFace, clBtnFace, clBtnFace, 0x808080, 0x808080, 0x808080, 0x808080, 0x808080, 0xFFFFFF},
    {tsOffice2010Blue, 0xC7B29F, 0xF0DAC7, 0xFDF6EF, 0xFDF6EF, 0xC7B29F, 0xC7B29F, 0xC7B29F, 0xC7B29F, 0xC7B29F, 0xFFFFFF},
    {tsOffice2010Silver, 0xD2CDC8, 0xEDE5E0, 0xFFFFFF, 0xFFFFFF, 0xD2CDC8, 0xD2CDC8, 0xD2CDC8, 0xD2CDC8, 0xD2CDC8, 0xC0C0C0},
    {tsOffice2010Black, 0x6D6D6D, 0x919191, 0xBFBFBF, 0xBFBFBF, 0x6D6D6D, 0x6D6D6D, 0x6D6D6D, 0x6D6D6D, 0x6D6D6D, 0xFFFFFF},
};

} // namespace

TEST_F(WatchTest, EveryComponentStyleSetsItsRow)
{
    TWatchAppearance* A = W->Appearance();
    for (const ComponentRow& R : ComponentRows) {
        A->ResetDefaults();
        W->SetComponentStyle(R.Style);
        const std::string Name = GetEnumName(R.Style).toStdString();
        EXPECT_EQ(A->AMPMBorderColor(), R.AMPMBorder) << Name;
        EXPECT_EQ(A->AMPMColor(), R.AMPMFill) << Name;
        EXPECT_EQ(A->BackgroundColor(), R.Background) << Name;
        EXPECT_EQ(A->BackgroundColorTo(), R.BackgroundTo) << Name;
        EXPECT_EQ(A->BorderColor(), R.Border) << Name;
        EXPECT_EQ(A->CenterPointBorderColor(), R.CenterBorder) << Name;
        EXPECT_EQ(A->CenterPointColor(), R.CenterFill) << Name;
        for (TColor C : {A->HourColor(), A->MinuteColor(), A->HourPointer(), A->MinutePointer()})
            EXPECT_EQ(C, R.Marks) << Name;
        EXPECT_EQ(A->SecondPointer(), R.Second) << Name;
        EXPECT_EQ(A->HourPointerShadow(), R.Shadow) << Name;
        EXPECT_EQ(A->MinutePointerShadow(), R.Shadow) << Name;
        EXPECT_EQ(A->CenterPointOuterBorderColor(), clBlack) << Name;
        const TColor Font = R.Style == tsOffice2007Obsidian ? TColor(0xF2F1F0) : clBlack;
        EXPECT_EQ(A->HourFont()->Color(), Font) << Name;
        EXPECT_EQ(A->AMPMFont()->Color(), Font) << Name;
    }
    // tsCustom: the outer border and the font colours only.
    A->ResetDefaults();
    W->SetComponentStyle(tsCustom);
    EXPECT_EQ(A->CenterPointOuterBorderColor(), clBlack);
    EXPECT_EQ(A->HourFont()->Color(), clBlack);
    EXPECT_EQ(A->BackgroundColor(), clWhite);
    EXPECT_EQ(A->AMPMColor(), clWhite);
    EXPECT_EQ(A->HourPointerShadow(), clBtnShadow);
}

TEST_F(WatchTest, LiveModeFollowsTheClockPlusTheOffset)
{
    FixedClock Clock;
    Clock.Value = 45000 + At(10, 20, 30);
    SetWatchClock(&Clock);
    W->Settings()->SetTimeOffset(15);
    W->Settings()->SetAuto(true);
    EXPECT_TRUE(W->LiveTimerRunning());
    EXPECT_EQ(Hms(W->Time()), Hms(At(10, 20, 30)));
    EXPECT_EQ(Hms(W->GetDisplayTime()), Hms(At(10, 35, 30)));
    Clock.Value = 45000 + At(13, 0, 15);
    EXPECT_EQ(Hms(W->GetDisplayTime()), Hms(At(13, 15, 15)));
    EXPECT_FALSE(W->AM());
    // Mouse and keys do nothing.
    const TDateTime Stored = W->Time();
    W->HandleKey(VK_PRIOR);
    W->HandleKey('A');
    ShowForm();
    Click(176, 90);
    EXPECT_EQ(W->Time(), Stored);
    EXPECT_FALSE(W->Animating());
    // The second hand (second 15: pointing right) only with Second.
    W->SetShowAMPM(false);
    W->Appearance()->SetSecondPointer(clLime);
    W->WatchTimerTick();
    EXPECT_EQ(PixelAt(150, 90), QColor(0, 255, 0));
    W->Settings()->SetSecond(false);
    W->WatchTimerTick();
    EXPECT_NE(PixelAt(150, 90), QColor(0, 255, 0));
    W->Settings()->SetAuto(false);
    EXPECT_FALSE(W->LiveTimerRunning());
}
