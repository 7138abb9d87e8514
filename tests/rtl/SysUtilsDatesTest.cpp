#include "rtl/SysUtils.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>

namespace {

TEST(SysUtilsDates, EncodeDateCountsDaysFromTheFrameworkEpoch)
{
    const struct {
        Word Y, M, D;
        double Value;
    } Cases[] = {
        {1899, 12, 30, 0},  {1899, 12, 29, -1}, {1900, 1, 1, 2},      {2000, 1, 1, 36526},
        {2024, 2, 29, 45351}, {1, 1, 1, -693593}, {9999, 12, 31, 2958465},
    };
    for (const auto& C : Cases) {
        EXPECT_EQ(EncodeDate(C.Y, C.M, C.D), C.Value) << C.Y << "-" << C.M << "-" << C.D;
        Word Y, M, D;
        // The time of day lies away from zero, also before the epoch.
        DecodeDate(C.Value < 0 ? C.Value - 0.75 : C.Value + 0.75, Y, M, D);
        EXPECT_EQ(Y, C.Y);
        EXPECT_EQ(M, C.M);
        EXPECT_EQ(D, C.D);
    }
    for (const auto& Bad : {std::array<Word, 3>{2023, 2, 29}, {2024, 13, 1}, {2024, 0, 1}, {0, 1, 1}, {2024, 4, 31},
                            {1900, 2, 29}})
        EXPECT_THROW(EncodeDate(Bad[0], Bad[1], Bad[2]), EConvertError) << Bad[0] << "-" << Bad[1] << "-" << Bad[2];
}

TEST(SysUtilsDates, TimesAndTheFractionOfNegativeDates)
{
    const TDateTime T = EncodeTime(12, 30, 15, 500);
    EXPECT_DOUBLE_EQ(T, (12 * 3600 + 30 * 60 + 15.5) / 86400.0);
    Word H, N, S, Ms;
    DecodeTime(T, H, N, S, Ms);
    EXPECT_EQ((std::array<Word, 4>{H, N, S, Ms}), (std::array<Word, 4>{12, 30, 15, 500}));
    DecodeTime(EncodeTime(23, 59, 59, 999), H, N, S, Ms);
    EXPECT_EQ((std::array<Word, 4>{H, N, S, Ms}), (std::array<Word, 4>{23, 59, 59, 999}));
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
    EXPECT_THROW(EncodeTime(0, 60, 0, 0), EConvertError);
    // Before the epoch the whole part counts back and the fraction forward.
    Word Y, M, D;
    DecodeDate(-1.25, Y, M, D);
    DecodeTime(-1.25, H, N, S, Ms);
    EXPECT_EQ((std::array<Word, 5>{Y, M, D, H, N}), (std::array<Word, 5>{1899, 12, 29, 6, 0}));
    // A time that rounds up to midnight belongs to the next day.
    DecodeDate(0.9999999999, Y, M, D);
    DecodeTime(0.9999999999, H, N, S, Ms);
    EXPECT_EQ((std::array<Word, 5>{Y, M, D, H, N}), (std::array<Word, 5>{1899, 12, 31, 0, 0}));
    EXPECT_EQ(DayOfWeek(EncodeDate(2024, 1, 1)), 2); // a Monday
    EXPECT_EQ(DayOfWeek(0), 7);                     // a Saturday
}

TEST(SysUtilsDates, NowIsTodayWithATimeOfDay)
{
    const TDateTime Today = Date();
    const TDateTime Moment = Now();
    EXPECT_EQ(Today, Int(Today));
    EXPECT_GE(Moment, Today);
    EXPECT_LT(Moment, Today + 2);
    Word Y, M, D;
    DecodeDate(Today, Y, M, D);
    EXPECT_GE(Y, 2024);
}

TEST(SysUtilsDates, FormatDateTimePatterns)
{
    const TDateTime DT = EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 45);
    const TDateTime Morning = EncodeDate(2024, 3, 5) + EncodeTime(0, 5, 0, 0);
    TFormatSettings FS = TFormatSettings::Create();
    const struct {
        const char* Pattern;
        TDateTime Value;
        const char* Text;
    } Cases[] = {
        {"yyyy-mm-dd hh:nn:ss.zzz", DT, "2024-03-05 14:07:09.045"},
        {"d/m/yy h:n:s", DT, "5/3/24 14:7:9"},
        {"hh:mm", DT, "14:07"},
        {"h:nn am/pm", DT, "2:07 pm"},
        {"h:nn AM/PM", DT, "2:07 PM"},
        {"h a/p", DT, "2 p"},
        {"hh ampm", DT, "02 PM"},
        {"h:nn am/pm", Morning, "12:05 am"},
        {"'Date:' yyyy", DT, "Date: 2024"},
        {"\"mm\" mm", DT, "mm 03"},
        {"ddd dddd mmm mmmm", DT, "Tue Tuesday Mar March"},
        {"c", DT, "05/03/2024 14:07:09"},
        {"c", EncodeDate(2024, 3, 5), "05/03/2024"},
        {"ddddd t", DT, "05/03/2024 14:07"},
        {"z", DT, "45"},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(FormatDateTime(C.Pattern, C.Value, FS), C.Text) << C.Pattern;
    FS.DateSeparator = u'.';
    FS.TimeSeparator = u'.';
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy hh:nn", DT, FS), "05.03.2024 14.07");
}

} // namespace

namespace {

TFormatSettings SettingsWith(const char* ShortDateFormat, char16_t DateSeparator)
{
    TFormatSettings FS = TFormatSettings::Create();
    FS.ShortDateFormat = QString::fromLatin1(ShortDateFormat);
    FS.DateSeparator = DateSeparator;
    return FS;
}

Word ThisYear()
{
    Word Y, M, D;
    DecodeDate(Date(), Y, M, D);
    return Y;
}

} // namespace

TEST(SysUtilsDates, DatesAreReadInTheOrderOfTheShortDateFormat)
{
    const Word Year = ThisYear();
    const Word Century = Word(Year / 100 * 100);
    const struct {
        const char* Format;
        char16_t Sep;
        const char* Text;
        bool Ok;
        Word Y, M, D;
    } Cases[] = {
        {"dd/mm/yyyy", u'/', "24/12/2019", true, 2019, 12, 24},
        {"dd/mm/yyyy", u'/', " 1 / 2 / 2019 ", true, 2019, 2, 1},
        {"mm/dd/yyyy", u'/', "12/24/2019", true, 2019, 12, 24},
        {"yyyy-mm-dd", u'-', "2019-12-24", true, 2019, 12, 24},
        {"dd.mm.yyyy", u'.', "5.6", true, Year, 6, 5},        // no year: this year
        {"mm/dd/yy", u'/', "6/5", true, Year, 6, 5},
        {"dd/mm/yy", u'/', "1/1/00", true, Century, 1, 1},    // two digits: near this year
        {"dd/mm/yyyy", u'/', "31/02/2019", false, 0, 0, 0},   // no such day
        {"dd/mm/yyyy", u'/', "24-12-2019", false, 0, 0, 0},   // another separator
        {"dd/mm/yyyy", u'/', "24/12/2019x", false, 0, 0, 0},
        {"dd/mm/yyyy", u'/', "24", false, 0, 0, 0},
        {"dd/mm/yyyy", u'/', "", false, 0, 0, 0},
        {"dd/mm/yyyy", u'/', "abc", false, 0, 0, 0},
    };
    for (const auto& C : Cases) {
        TDateTime D = -1;
        const bool Ok = TryStrToDate(QString::fromLatin1(C.Text), D, SettingsWith(C.Format, C.Sep));
        EXPECT_EQ(Ok, C.Ok) << C.Format << " " << C.Text;
        if (Ok && C.Ok) {
            EXPECT_EQ(D, EncodeDate(C.Y, C.M, C.D)) << C.Format << " " << C.Text;
        }
    }
    // Two-digit years stay within fifty years of this one.
    TDateTime D;
    ASSERT_TRUE(TryStrToDate(QStringLiteral("1/1/99"), D, SettingsWith("dd/mm/yy", u'/')));
    Word Y, M, Dd;
    DecodeDate(D, Y, M, Dd);
    EXPECT_LE(std::abs(Integer(Y) - Integer(Year)), 50);
    EXPECT_THROW(StrToDate(QStringLiteral("x")), EConvertError);
}

TEST(SysUtilsDates, TimesAreReadWithTheSeparatorsAndAmPm)
{
    const TFormatSettings FS = TFormatSettings::Create();
    const struct {
        const char* Text;
        bool Ok;
        Word H, N, S, Ms;
    } Cases[] = {
        {"12:30", true, 12, 30, 0, 0},     {"0:30:15", true, 0, 30, 15, 0}, {"23:59:59.250", true, 23, 59, 59, 250},
        {"7", true, 7, 0, 0, 0},           {"1:05 PM", true, 13, 5, 0, 0},  {"12:00 am", true, 0, 0, 0, 0},
        {"PM 12:10", true, 12, 10, 0, 0},  {"24:00", false, 0, 0, 0, 0},    {"13:00 PM", false, 0, 0, 0, 0},
        {"12:60", false, 0, 0, 0, 0},      {"12:", false, 0, 0, 0, 0},      {"abc", false, 0, 0, 0, 0},
        {"", false, 0, 0, 0, 0},           {"12:30x", false, 0, 0, 0, 0},
    };
    for (const auto& C : Cases) {
        TDateTime T = -1;
        const bool Ok = TryStrToTime(QString::fromLatin1(C.Text), T, FS);
        EXPECT_EQ(Ok, C.Ok) << C.Text;
        if (Ok && C.Ok) {
            EXPECT_DOUBLE_EQ(T, EncodeTime(C.H, C.N, C.S, C.Ms)) << C.Text;
        }
    }
    EXPECT_THROW(StrToTime(QStringLiteral("x")), EConvertError);
}

TEST(SysUtilsDates, IncMonthClipsTheDayAndKeepsTheTime)
{
    const TDateTime Noon = 0.5;
    EXPECT_DOUBLE_EQ(IncMonth(EncodeDate(2019, 1, 31) + Noon), EncodeDate(2019, 2, 28) + Noon);
    EXPECT_DOUBLE_EQ(IncMonth(EncodeDate(2020, 2, 29), 12), EncodeDate(2021, 2, 28));
    EXPECT_DOUBLE_EQ(IncMonth(EncodeDate(2020, 1, 15), -1), EncodeDate(2019, 12, 15));
    EXPECT_DOUBLE_EQ(IncMonth(EncodeDate(2020, 3, 31), -13), EncodeDate(2019, 2, 28));
    // Before the epoch the time of day still counts forward.
    EXPECT_DOUBLE_EQ(IncMonth(EncodeDate(1899, 10, 30) - Noon), EncodeDate(1899, 11, 30) - Noon);
}

TEST(SysUtilsDates, SystemTimeRecordsRoundTrip)
{
    const TDateTime V = EncodeDate(2021, 7, 4) + EncodeTime(13, 14, 15, 16);
    TSystemTime ST;
    DateTimeToSystemTime(V, ST);
    EXPECT_EQ((std::array<Word, 8>{ST.wYear, ST.wMonth, ST.wDayOfWeek, ST.wDay, ST.wHour, ST.wMinute, ST.wSecond,
                                   ST.wMilliseconds}),
              (std::array<Word, 8>{2021, 7, 0, 4, 13, 14, 15, 16}));
    EXPECT_DOUBLE_EQ(SystemTimeToDateTime(ST), V);
    ST.wMonth = 13;
    EXPECT_THROW(SystemTimeToDateTime(ST), EConvertError);
}

TEST(SysUtilsDates, DateTimesAreADateAndAnOptionalTime)
{
    TFormatSettings FS = TFormatSettings::Create();
    FS.ShortDateFormat = QStringLiteral("dd/mm/yyyy");
    const struct {
        const char* Text;
        bool Ok;
        TDateTime Expected;
    } Cases[] = {
        {"12/05/2020 10:30", true, EncodeDate(2020, 5, 12) + EncodeTime(10, 30, 0, 0)},
        {" 12/05/2020 ", true, EncodeDate(2020, 5, 12)},
        {"10:30:15", true, EncodeTime(10, 30, 15, 0)},
        {"12/05/2020 25:00", false, 0},
        {"31/02/2020", false, 0},
        {"12/05/2020x 10:00", false, 0},
        {"", false, 0},
    };
    for (const auto& C : Cases) {
        TDateTime DT = -1;
        const bool Ok = TryStrToDateTime(QString::fromLatin1(C.Text), DT, FS);
        EXPECT_EQ(Ok, C.Ok) << C.Text;
        if (Ok && C.Ok) {
            EXPECT_DOUBLE_EQ(DT, C.Expected) << C.Text;
        }
    }
    EXPECT_THROW(StrToDateTime(QStringLiteral("x")), EConvertError);
}
