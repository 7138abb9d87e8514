#include "rtl/SysUtils.h"

#include <gtest/gtest.h>

#include <array>

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
