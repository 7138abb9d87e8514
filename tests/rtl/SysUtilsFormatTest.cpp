#include "rtl/SysUtils.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct FormatCase {
    const char* Pattern;
    std::vector<TVarRec> Args;
    const char* Expected;
};

void ExpectFormats(const std::vector<FormatCase>& Cases, const TFormatSettings& FS)
{
    for (const FormatCase& C : Cases) {
        String Result;
        EXPECT_TRUE(TryFormat(C.Pattern, C.Args, Result, FS)) << C.Pattern;
        EXPECT_EQ(Result, QString::fromUtf8(C.Expected)) << C.Pattern;
        EXPECT_EQ(Format(C.Pattern, C.Args, FS), QString::fromUtf8(C.Expected)) << C.Pattern;
    }
}

TEST(Format, IntegersWithPrecisionWidthAndJustification)
{
    ExpectFormats(
        {
            {"%d", {42}, "42"},
            {"%d", {-42}, "-42"},
            {"%.2d", {5}, "05"},
            {"%.2d", {-5}, "-05"},
            {"%.2d", {123}, "123"},
            {"%.0d", {0}, "0"},
            {"%4d", {42}, "  42"},
            {"%4d", {-42}, " -42"},
            {"%4d", {123456}, "123456"},
            {"%-4d|", {42}, "42  |"},
            {"%6.3d", {-5}, "  -005"},
            {"%d", {Int64(-9223372036854775807LL - 1)}, "-9223372036854775808"},
            {"%d", {3000000000u}, "3000000000"},
            {"%d", {UInt64(18446744073709551615ULL)}, "18446744073709551615"},
            {"%u", {-1}, "4294967295"},
            {"%u", {7}, "7"},
            {"%x", {255}, "FF"},
            {"%X", {255}, "FF"},
            {"%.4x", {255}, "00FF"},
            {"%x", {-1}, "FFFFFFFF"},
            {"%x", {Int64(-1)}, "FFFFFFFFFFFFFFFF"},
            {"Row %d of %d", {3, 10}, "Row 3 of 10"},
            {"%d", {Byte(200)}, "200"},
        },
        TFormatSettings::Create());
}

TEST(Format, StringsAndCharacters)
{
    ExpectFormats(
        {
            {"%s", {"abc"}, "abc"},
            {"%s", {String("äöü")}, "äöü"},
            {"%5s|", {"ab"}, "   ab|"},
            {"%-5s|", {"ab"}, "ab   |"},
            {"%.2s", {"abcdef"}, "ab"},
            {"%4.2s|", {"abcdef"}, "  ab|"},
            {"%s", {QChar(u'x')}, "x"},
            {"%s", {'y'}, "y"},
            {"%s", {""}, ""},
            {"[%s]", {static_cast<const char*>(nullptr)}, "[]"},
        },
        TFormatSettings::Create());
}

TEST(Format, FloatingPointKinds)
{
    ExpectFormats(
        {
            {"%f", {1.5}, "1.50"},
            {"%.3f", {2.0}, "2.000"},
            {"%.0f", {2.5}, "3"},
            {"%.0f", {-2.5}, "-3"},
            {"%.2f", {0.125}, "0.13"},
            {"%.2f", {1.005}, "1.00"},
            {"%.2f", {-0.001}, "0.00"},
            {"%.*f", {2, 3.14159}, "3.14"},
            {"%.*f", {0, 3.7}, "4"},
            {"%8.2f|", {-3.14159}, "   -3.14|"},
            {"%n", {1234567.891}, "1,234,567.89"},
            {"%.0n", {1234567.0}, "1,234,567"},
            {"%n", {-1234.5}, "-1,234.50"},
            {"%n", {999.0}, "999.00"},
            {"%e", {1.0}, "1.00000000000000E+000"},
            {"%.3e", {12345.0}, "1.23E+004"},
            {"%.3e", {-0.00012345}, "-1.23E-004"},
            {"%g", {12.5}, "12.5"},
            {"%g", {0.1 + 0.2}, "0.3"},
            {"%g", {100.0}, "100"},
            {"%g", {1.0 / 3}, "0.333333333333333"},
            {"%.3g", {2.0 / 3}, "0.667"},
            {"%m", {1234.5}, "$1,234.50"},
            {"%m", {-1.5}, "($1.50)"},
        },
        TFormatSettings::Create());
}

TEST(Format, FloatsFollowTheGivenSeparators)
{
    TFormatSettings FS = TFormatSettings::Create();
    FS.DecimalSeparator = u',';
    FS.ThousandSeparator = u'.';
    ExpectFormats({{"%.2f", {1.5}, "1,50"}, {"%n", {1234.5}, "1.234,50"}, {"%g", {0.25}, "0,25"}}, FS);
}

TEST(Format, IndexWidthFromArgumentsAndPercent)
{
    ExpectFormats(
        {
            {"%1:s %0:s", {"a", "b"}, "b a"},
            {"%1:s %s %0:s", {"a", "b", "c"}, "b c a"},
            {"%0:s-%0:s", {"x"}, "x-x"},
            {"%0:5d|", {7}, "    7|"},
            {"%0:-5d|", {7}, "7    |"},
            {"%*d|", {5, 42}, "   42|"},
            {"%-*d|", {4, 7}, "7   |"},
            {"%*.*f|", {7, 1, 2.25}, "    2.3|"},
            {"100%%", {}, "100%"},
            {"%d%%", {5}, "5%"},
            {"%%d", {}, "%d"},
            {"%d", {1, 2}, "1"},
            {"no placeholders", {1}, "no placeholders"},
            {"%p", {reinterpret_cast<const void*>(0x1234)}, "0000000000001234"},
        },
        TFormatSettings::Create());
}

TEST(Format, TextTablePatternsOfTheSystem)
{
    EXPECT_EQ(Format("Error in Channel #%.2d!! Variable Index %s and SubIndex %s not exists", {3, "0x10", "2"}),
              "Error in Channel #03!! Variable Index 0x10 and SubIndex 2 not exists");
    EXPECT_EQ(Format("Position must be a valid value [0..%4d]", {511}), "Position must be a valid value [0.. 511]");
}

// Every way a pattern can fail to fit its arguments raises EConvertError
// with the framework's message, and TryFormat leaves its result alone.
TEST(Format, RefusesPatternsThatDoNotFitTheirArguments)
{
    const std::vector<FormatCase> Cases = {
        {"%d", {}, "too few arguments"},
        {"%s and %s", {"a"}, "too few arguments"},
        {"%d", {"12"}, "string for an integer"},
        {"%d", {1.5}, "float for an integer"},
        {"%d", {true}, "boolean"},
        {"%d", {QChar(u'1')}, "character for an integer"},
        {"%x", {2.0}, "float for hex"},
        {"%u", {"1"}, "string for unsigned"},
        {"%s", {1}, "integer for a string"},
        {"%s", {true}, "boolean for a string"},
        {"%s", {2.5}, "float for a string"},
        {"%f", {1}, "integer for a float"},
        {"%n", {"1"}, "string for a number"},
        {"%e", {Int64(1)}, "Int64 for a float"},
        {"%p", {1}, "integer for a pointer"},
        {"%", {1}, "lone percent"},
        {"abc %", {}, "percent at the end"},
        {"%5", {1}, "no type"},
        {"%.2", {1}, "no type after precision"},
        {"%k", {1}, "unknown type"},
        {"% d", {1}, "blank in the placeholder"},
        {"%*d", {"a", 1}, "string as width"},
        {"%*d", {3}, "width uses the only argument"},
        {"%.*f", {2.0, 1.0}, "float as precision"},
        {"%3:d", {1}, "index past the arguments"},
        {"%:d", {1}, "index without digits"},
        {"%99999d", {1}, "absurd width"},
        {"%.99999d", {1}, "absurd precision"},
        {"%*d", {1000000, 1}, "absurd width from an argument"},
    };
    for (const FormatCase& C : Cases) {
        String Result = "untouched";
        EXPECT_FALSE(TryFormat(C.Pattern, C.Args, Result)) << C.Pattern << ": " << C.Expected;
        EXPECT_EQ(Result, "untouched") << C.Pattern;
        try {
            Format(C.Pattern, C.Args);
            ADD_FAILURE() << C.Pattern << " raised nothing: " << C.Expected;
        } catch (const EConvertError& E) {
            EXPECT_EQ(E.Message(), QString("Format '%1' invalid or incompatible with argument").arg(C.Pattern));
        }
    }
}

// Each width is capped, and so is the whole text: a pattern of many wide
// placeholders must not ask for gigabytes. Long string arguments are no
// growth of the pattern's own.
TEST(Format, CapsTheTextAPatternMakes)
{
    String Result;
    EXPECT_FALSE(TryFormat(String("%0:65535d").repeated(20000), {1}, Result));
    EXPECT_FALSE(TryFormat(String("%65535s%65535s"), {"a", "b"}, Result));
    EXPECT_FALSE(TryFormat(String(65537, u'x'), {}, Result));
    EXPECT_THROW(Format(String("%.65535d").repeated(3), {1, 2, 3}), EConvertError);

    EXPECT_TRUE(TryFormat(String("%65535s"), {"a"}, Result));
    EXPECT_EQ(Result.size(), 65535);
    const String Long(200000, u'y');
    EXPECT_EQ(Format("<%s>", {Long}), "<" + Long + ">");
    EXPECT_EQ(Format("%s%s", {Long, Long}).size(), 400000);
}

TEST(Format, InitializerListOverloads)
{
    String Result;
    EXPECT_TRUE(TryFormat("%s=%d", {"a", 1}, Result));
    EXPECT_EQ(Result, "a=1");
    EXPECT_FALSE(TryFormat("%s=%d", {"a"}, Result));
    TFormatSettings FS = TFormatSettings::Create();
    FS.DecimalSeparator = u',';
    EXPECT_EQ(Format("%.1f", {0.5}, FS), "0,5");
}

TEST(Format, GlobalSettingsApplyWithoutExplicitOnes)
{
    const TFormatSettings Saved = FormatSettings;
    EXPECT_EQ(FormatSettings.DecimalSeparator, u'.');
    FormatSettings.DecimalSeparator = u',';
    EXPECT_EQ(Format("%.1f", {0.5}), "0,5");
    EXPECT_EQ(FloatToStr(0.5), "0,5");
    EXPECT_DOUBLE_EQ(StrToFloat("0,5"), 0.5);
    FormatSettings = Saved;
    EXPECT_EQ(Format("%.1f", {0.5}), "0.5");
}

} // namespace
