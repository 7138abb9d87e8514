#include "rtl/SysUtils.h"

#include <gtest/gtest.h>

namespace {

TEST(SysUtilsStrings, TrimStripsEveryControlCharacterAndBlank)
{
    const String S = QString::fromUtf8("\t\r\n x y \x01\x1f");
    EXPECT_EQ(Trim(S), "x y");
    EXPECT_EQ(TrimLeft(" a "), "a ");
    EXPECT_EQ(TrimRight(" a "), " a");
    EXPECT_EQ(Trim(" \t "), "");
    // A non-breaking space is above the blank and stays.
    EXPECT_EQ(Trim(QString::fromUtf8("\u00a0a ")), QString::fromUtf8("\u00a0a"));
}

TEST(SysUtilsStrings, CaseConversionAsciiOrFull)
{
    EXPECT_EQ(UpperCase(QString::fromUtf8("abcäz")), QString::fromUtf8("ABCäZ"));
    EXPECT_EQ(LowerCase(QString::fromUtf8("ÄBC")), QString::fromUtf8("Äbc"));
    EXPECT_EQ(AnsiUpperCase(QString::fromUtf8("abcä")), QString::fromUtf8("ABCÄ"));
    EXPECT_EQ(AnsiLowerCase(QString::fromUtf8("ÄBC")), QString::fromUtf8("äbc"));
}

TEST(SysUtilsStrings, Comparisons)
{
    EXPECT_TRUE(SameText("Hello", "hELLO"));
    EXPECT_FALSE(SameText("Hello", "Hell"));
    EXPECT_FALSE(SameText(QString::fromUtf8("ä"), QString::fromUtf8("Ä")));
    EXPECT_TRUE(AnsiSameText(QString::fromUtf8("ä"), QString::fromUtf8("Ä")));
    EXPECT_LT(CompareText("a", "B"), 0);
    EXPECT_GT(CompareText("B", "a"), 0);
    EXPECT_EQ(CompareText("abc", "ABC"), 0);
    EXPECT_LT(CompareText("ab", "abc"), 0);
    // Ordinal: 'a' is above 'B'.
    EXPECT_GT(CompareStr("a", "B"), 0);
    EXPECT_EQ(CompareStr("abc", "abc"), 0);
    EXPECT_LT(CompareStr("abc", "abd"), 0);
    EXPECT_EQ(AnsiCompareText("abc", "ABC"), 0);
    EXPECT_LT(AnsiCompareText("abc", "ABD"), 0);
    EXPECT_NE(AnsiCompareStr("abc", "ABC"), 0);
    // The fixed collation, whatever the machine's locale: lower case before
    // upper case, accents after plain letters, letters in alphabet order.
    EXPECT_LT(AnsiCompareStr("a", "A"), 0);
    EXPECT_LT(AnsiCompareStr("a", "B"), 0);
    EXPECT_LT(AnsiCompareStr("e", QString::fromUtf8("é")), 0);
    EXPECT_LT(AnsiCompareStr(QString::fromUtf8("é"), "f"), 0);
    EXPECT_GT(AnsiCompareText("b", "A"), 0);
}

TEST(SysUtilsStrings, Quoting)
{
    EXPECT_EQ(QuotedStr("it's"), "'it''s'");
    EXPECT_EQ(QuotedStr(""), "''");
    EXPECT_EQ(AnsiQuotedStr("a\"b", u'"'), "\"a\"\"b\"");
    const struct {
        const char* In;
        const char* Out;
    } Cases[] = {
        {"'abc'", "abc"}, {"'a''b'", "a'b"}, {"abc", "abc"}, {"'abc", "'abc"},
        {"''", ""},       {"'ab'cd", "ab"},  {"", ""},       {"a'b'", "a'b'"},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(AnsiDequotedStr(C.In, u'\''), C.Out) << C.In;
}

TEST(SysUtilsStrings, StringReplaceFlags)
{
    const struct {
        const char *S, *Old, *New;
        TReplaceFlags Flags;
        const char* Expected;
    } Cases[] = {
        {"aXbXc", "X", "-", {}, "a-bXc"},
        {"aXbXc", "X", "-", {rfReplaceAll}, "a-b-c"},
        {"aXbxc", "x", "-", {rfReplaceAll}, "aXb-c"},
        {"aXbxc", "x", "-", {rfReplaceAll, rfIgnoreCase}, "a-b-c"},
        {"aXbxc", "x", "-", {rfIgnoreCase}, "a-bxc"},
        {"aaa", "a", "aa", {rfReplaceAll}, "aaaaaa"},
        {"abc", "", "x", {rfReplaceAll}, "abc"},
        {"abc", "abc", "", {}, ""},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(StringReplace(C.S, C.Old, C.New, C.Flags), C.Expected) << C.S << " " << C.Old;
}

TEST(SysUtilsStrings, CharacterHelpers)
{
    EXPECT_EQ(StringOfChar(u'-', 3), "---");
    EXPECT_EQ(StringOfChar(u'-', 0), "");
    EXPECT_EQ(StringOfChar(u'-', -1), "");
    EXPECT_TRUE(IsDelimiter("/\\", "a/b", 2));
    EXPECT_FALSE(IsDelimiter("/\\", "a/b", 1));
    EXPECT_FALSE(IsDelimiter("/\\", "a/b", 0));
    EXPECT_FALSE(IsDelimiter("/\\", "a/b", 4));
    EXPECT_EQ(LastDelimiter("/\\", "a/b\\c"), 4);
    EXPECT_EQ(LastDelimiter("/", "abc"), 0);
    EXPECT_EQ(Min(3, -2), -2);
    EXPECT_EQ(Max(3, -2), 3);
    EXPECT_TRUE(IsDigit(u'0'));
    EXPECT_TRUE(IsDigit(QChar(0x0663))); // Arabic-Indic three
    EXPECT_TRUE(IsDigit(QChar(0xFF19))); // full-width nine
    EXPECT_FALSE(IsDigit(QChar(0x00B2))); // superscript two is no decimal digit
    EXPECT_FALSE(IsDigit(u'a'));
}

} // namespace
