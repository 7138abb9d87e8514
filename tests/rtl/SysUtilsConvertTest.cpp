#include "rtl/SysUtils.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(SysUtilsConvert, IntegersReadByTheFrameworkRules)
{
    const struct {
        const char* Text;
        Integer Value;
    } Valid[] = {
        {"0", 0},
        {"42", 42},
        {" 42", 42},
        {"   -42", -42},
        {"+7", 7},
        {"-0", 0},
        {"010", 10},
        {"00000000000000000042", 42},
        {"$1F", 31},
        {"$1f", 31},
        {"0x1F", 31},
        {"0X1f", 31},
        {"x1F", 31},
        {"X1F", 31},
        {"-$10", -16},
        {" +0x10", 16},
        {"2147483647", 2147483647},
        {"-2147483648", std::numeric_limits<Integer>::min()},
        {"$7FFFFFFF", 2147483647},
        {"$FFFFFFFF", -1},
        {"$80000000", std::numeric_limits<Integer>::min()},
    };
    for (const auto& C : Valid) {
        Integer V = 12345;
        EXPECT_TRUE(TryStrToInt(C.Text, V)) << C.Text;
        EXPECT_EQ(V, C.Value) << C.Text;
        EXPECT_EQ(StrToInt(C.Text), C.Value) << C.Text;
        EXPECT_EQ(StrToIntDef(C.Text, -99), C.Value) << C.Text;
    }
    const char* Invalid[] = {
        "",     " ",   "42 ", "4 2",  "--1",         "+-1",         "- 1",        "2147483648", "-2147483649",
        "$",    "0x",  "x",   "$G",   "$100000000",  "1.0",         "1e3",        "abc",        "12abc",
        "0x-1", "$ 1", "1,000", "99999999999999999999",
    };
    for (const char* Text : Invalid) {
        Integer V = 12345;
        EXPECT_FALSE(TryStrToInt(Text, V)) << Text;
        EXPECT_EQ(V, 12345) << Text;
        EXPECT_EQ(StrToIntDef(Text, -99), -99) << Text;
        EXPECT_THROW(StrToInt(Text), EConvertError) << Text;
    }
}

TEST(SysUtilsConvert, Int64ReadsTheWholeRange)
{
    const struct {
        const char* Text;
        Int64 Value;
    } Valid[] = {
        {" 2147483648", 2147483648LL},
        {"9223372036854775807", std::numeric_limits<Int64>::max()},
        {"-9223372036854775808", std::numeric_limits<Int64>::min()},
        {"$FFFFFFFFFFFFFFFF", -1},
        {"0x100000000", 4294967296LL},
    };
    for (const auto& C : Valid) {
        Int64 V = 0;
        EXPECT_TRUE(TryStrToInt64(C.Text, V)) << C.Text;
        EXPECT_EQ(V, C.Value) << C.Text;
        EXPECT_EQ(StrToInt64(C.Text), C.Value) << C.Text;
    }
    for (const char* Text : {"9223372036854775808", "-9223372036854775809", "$10000000000000000", "", "1 "}) {
        EXPECT_EQ(StrToInt64Def(Text, 7), 7) << Text;
        EXPECT_THROW(StrToInt64(Text), EConvertError) << Text;
    }
}

TEST(SysUtilsConvert, BadIntegerMessageNamesTheText)
{
    try {
        StrToInt("12a");
        FAIL() << "no exception";
    } catch (const EConvertError& E) {
        EXPECT_EQ(E.Message(), "'12a' is not a valid integer value");
    }
}

TEST(SysUtilsConvert, IntegersToText)
{
    EXPECT_EQ(IntToStr(-2147483647 - 1), "-2147483648");
    EXPECT_EQ(IntToStr(Int64(-9223372036854775807LL - 1)), "-9223372036854775808");
    EXPECT_EQ(IntToStr(Cardinal(4294967295u)), "4294967295");
    EXPECT_EQ(IntToHex(255, 4), "00FF");
    EXPECT_EQ(IntToHex(0x1ABC, 2), "1ABC");
    EXPECT_EQ(IntToHex(-1, 2), "FFFFFFFF");
    EXPECT_EQ(IntToHex(Int64(-2), 1), "FFFFFFFFFFFFFFFE");
    EXPECT_EQ(IntToHex(0, 0), "0");
    EXPECT_EQ(IntToHex(qint64(-1), 1), "FFFFFFFFFFFFFFFF");
    EXPECT_EQ(IntToStr(quint64(18446744073709551615ULL)), "18446744073709551615");
    EXPECT_EQ(IntToStr(qint64(-5)), "-5");
}

TEST(SysUtilsConvert, MulDivRoundsHalvesAwayFromZero)
{
    const Integer Max = std::numeric_limits<Integer>::max();
    const struct {
        Integer A, B, C, Expected;
    } Cases[] = {
        {10, 3, 4, 8},   {-10, 3, 4, -8},  {10, -3, 4, -8},   {10, 3, -4, -8},     {-10, -3, 4, 8},
        {5, 1, 2, 3},    {-5, 1, 2, -3},   {7, 1, 2, 4},      {1, 1, 3, 0},        {2, 1, 3, 1},
        {1, 1, 0, -1},   {Max, Max, Max, Max}, {Max, 2, 1, -1}, {100000, 100000, 100, 100000000},
        {96, 120, 96, 120},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(MulDiv(C.A, C.B, C.C), C.Expected) << C.A << "*" << C.B << "/" << C.C;
}

TEST(SysUtilsConvert, FloatsReadWithTheSettingsSeparator)
{
    TFormatSettings Dot = TFormatSettings::Create();
    TFormatSettings Comma = TFormatSettings::Create();
    Comma.DecimalSeparator = u',';
    const struct {
        const char* Text;
        const TFormatSettings& FS;
        double Value;
    } Valid[] = {
        {"1.5", Dot, 1.5},     {" -2.25 ", Dot, -2.25}, {"+3", Dot, 3},     {"1e3", Dot, 1000},
        {"1.5E-2", Dot, 0.015}, {".5", Dot, 0.5},       {"5.", Dot, 5},     {"1e-400", Dot, 0},
        {"1,5", Comma, 1.5},   {"-0,25", Comma, -0.25}, {"2E+1", Comma, 20}, {"007", Comma, 7},
    };
    for (const auto& C : Valid) {
        double V = 99;
        EXPECT_TRUE(TryStrToFloat(C.Text, V, C.FS)) << C.Text;
        EXPECT_DOUBLE_EQ(V, C.Value) << C.Text;
        EXPECT_DOUBLE_EQ(StrToFloat(C.Text, C.FS), C.Value) << C.Text;
    }
    const struct {
        const char* Text;
        const TFormatSettings& FS;
    } Invalid[] = {
        {"1,5", Dot},   {"", Dot},    {" ", Dot},   {".", Dot},     {"1e", Dot},  {"1e+", Dot},
        {"1.2.3", Dot}, {"1 000", Dot}, {"abc", Dot}, {"1e400", Dot}, {"--1", Dot}, {"1.5", Comma},
        {"1,000,5", Comma}, {"0x10", Dot},
    };
    for (const auto& C : Invalid) {
        double V = 99;
        EXPECT_FALSE(TryStrToFloat(C.Text, V, C.FS)) << C.Text;
        EXPECT_EQ(V, 99) << C.Text;
        EXPECT_EQ(StrToFloatDef(C.Text, -1, C.FS), -1) << C.Text;
        EXPECT_THROW(StrToFloat(C.Text, C.FS), EConvertError) << C.Text;
    }
    try {
        StrToFloat("x1", Dot);
        FAIL() << "no exception";
    } catch (const EConvertError& E) {
        EXPECT_EQ(E.Message(), "'x1' is not a valid floating point value");
    }
}

TEST(SysUtilsConvert, FloatToStrIsTheShortestGeneralForm)
{
    TFormatSettings FS = TFormatSettings::Create();
    const struct {
        double Value;
        const char* Text;
    } Cases[] = {
        {1.5, "1.5"},
        {0.1 + 0.2, "0.3"},
        {100, "100"},
        {0, "0"},
        {-0.0, "0"},
        {1.0 / 3, "0.333333333333333"},
        {123456789012345.0, "123456789012345"},
        {1e15, "1E15"},
        {0.0001, "0.0001"},
        {0.00001, "1E-5"},
        {-1.25e-7, "-1.25E-7"},
        {0.999999999999999999, "1"},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(FloatToStr(C.Value, FS), C.Text) << C.Text;
    FS.DecimalSeparator = u',';
    EXPECT_EQ(FloatToStr(-2.5, FS), "-2,5");
    // What FloatToStr writes, StrToFloat reads back.
    for (double V : {1.0 / 7, -123.456, 6.02214076e23})
        EXPECT_NEAR(StrToFloat(FloatToStr(V, FS), FS), V, std::abs(V) * 1e-14) << V;
}

TEST(SysUtilsConvert, FloatToStrFKinds)
{
    const TFormatSettings FS = TFormatSettings::Create();
    EXPECT_EQ(FloatToStrF(1234.567, ffFixed, 15, 2, FS), "1234.57");
    EXPECT_EQ(FloatToStrF(1234.567, ffNumber, 15, 2, FS), "1,234.57");
    EXPECT_EQ(FloatToStrF(-1234567.0, ffNumber, 15, 0, FS), "-1,234,567");
    EXPECT_EQ(FloatToStrF(1234.567, ffExponent, 4, 2, FS), "1.235E+03");
    EXPECT_EQ(FloatToStrF(1234.567, ffGeneral, 3, 0, FS), "1.23E3");
    EXPECT_EQ(FloatToStrF(12.5, ffCurrency, 15, 2, FS), "$12.50");
    // More digits before the point than the precision allows.
    EXPECT_EQ(FloatToStrF(123456.0, ffFixed, 3, 2, FS), "1.23E5");
}

TEST(SysUtilsConvert, FormatFloatPatterns)
{
    const TFormatSettings FS = TFormatSettings::Create();
    const struct {
        const char* Pattern;
        double Value;
        const char* Text;
    } Cases[] = {
        {"0.00", 3.14159, "3.14"},
        {"0.00", -1.5, "-1.50"},
        {"0.00", 0.125, "0.13"},
        {"#,##0.0", 1234567.89, "1,234,567.9"},
        {"#,##0.0", 0.04, "0.0"},
        {"#,##0", 999, "999"},
        {"#,##0", -1000, "-1,000"},
        {"#.##", 0.5, ".5"},
        {"0.##", 2.5, "2.5"},
        {"0.##", 2.0, "2"},
        {"000", 7, "007"},
        {"0", 1234.5, "1235"},
        {"0.0", 0.05, "0.1"},
        {"0.00;(0.00)", -1.5, "(1.50)"},
        {"0.00;(0.00);'zero'", 0, "zero"},
        {"0.00;(0.00);'zero'", 0.001, "zero"},
        {"0.00E+00", 1234, "1.23E+03"},
        {"0.0E-0", 0.00012, "1.2E-4"},
        {"'Value: '0.0", 2, "Value: 2.0"},
        {"0.0 \"V\"", 12.34, "12.3 V"},
        {"", 1.5, "1.5"},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(FormatFloat(C.Pattern, C.Value, FS), C.Text) << C.Pattern << " " << C.Value;
    TFormatSettings Comma = FS;
    Comma.DecimalSeparator = u',';
    Comma.ThousandSeparator = u'.';
    EXPECT_EQ(FormatFloat("#,##0.00", 1234.5, Comma), "1.234,50");
}

} // namespace
