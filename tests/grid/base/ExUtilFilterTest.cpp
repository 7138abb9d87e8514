// Filter expressions: the cases of the evaluator, comparisons by number,
// date and text under the locale, wildcards, the companions, and
// expressions of any form returning at once.
#include "grid/base/ExUtil.h"

#include <gtest/gtest.h>

namespace {

// Puts FormatSettings back after a test that changes it.
struct LocaleGuard {
    TFormatSettings Saved = FormatSettings;
    ~LocaleGuard() { FormatSettings = Saved; }
};

struct TFilterCase {
    const char* Expression;
    const char* Value;
    bool CaseSensitive;
    bool Expected;
};

void ExpectFilters(std::initializer_list<TFilterCase> Cases)
{
    for (const TFilterCase& C : Cases)
        EXPECT_EQ(MatchFilterExpr(QString::fromUtf8(C.Expression), QString::fromUtf8(C.Value), C.CaseSensitive),
                  C.Expected)
            << C.Expression << " on \"" << C.Value << "\"" << (C.CaseSensitive ? " (case)" : "");
}

} // namespace

TEST(ExUtilFilter, ExpressionsDecideAsTheirConditionsSay)
{
    LocaleGuard Locale;
    FormatSettings = TFormatSettings::Create();
    ExpectFilters({
        {">=10&<20", "15", false, true},
        {">=10&<20", "20", false, false},
        {">=10&<20", "9", false, false},
        {">=10&<20", "10", false, true},
        {">= 10 & < 20", "15", false, true},
        {"  >= 10 & < 20  ", "20", false, false},
        {"a*", "apple", false, true},
        {"a*", "a", false, true},
        {"a*", "APPLE", false, true},
        {"a*", "APPLE", true, false},
        {"!a*", "apple", false, false},
        {"!a*", "pear", false, true},
        {"\"a b\"*", "a bc", false, true},
        {"a b*", "ab", false, true},
        {"a b*", "a bc", false, false},
        {"1|2&3", "1", false, false},
        {">5", "abc", false, true},
        {"<5", "abc", false, false},
        {"?", "x", false, true},
        {"?", "", false, false},
        {"", "", false, true},
        {"", "x", false, false},
        {"=abc", "abc", false, true},
        {"a;b", "b", false, true},
        {"a^b", "a", false, true},
        {"*b*c", "abxbc", false, true},
        {"a?c", "abc", false, true},
        {"a?c", "ac", false, false},
        {"(A*|B*)&!AB", "ABC", false, true},
        {"(A*|B*)&!AB", "AB", false, false},
        {"(A*|B*)&!AB", "BX", false, true},
        {"(A*|B*)&!AB", "CX", false, false},
        {"x&(a*|b*)", "x", false, false},
        {"((a))", "a", false, true},
        {"(=a)", "a", false, true},
    });
}

TEST(ExUtilFilter, ComparisonsReadDatesAndNumbersUnderTheLocale)
{
    LocaleGuard Locale;
    FormatSettings = TFormatSettings::Create();
    // Day-month-year dates compare as dates, not as text.
    ExpectFilters({
        {">1/2/2020", "15/1/2020", false, false},
        {">1/2/2020", "3/2/2020", false, true},
        {"<=1/2/2020", "1/2/2020", false, true},
        {">\"1/2/2020 10:00\"", "1/2/2020 10:30", false, true},
        {">1,000.5", "1,200", false, true},
        {">1,000.5", "999.9", false, false},
        {">9", "10", false, true},
        {">\"9\"", "10", false, true},
    });
    FormatSettings.ShortDateFormat = "mm/dd/yyyy";
    ExpectFilters({{">1/2/2020", "12/1/2019", false, false}, {">1/2/2020", "1/15/2020", false, true}});
    FormatSettings.ThousandSeparator = '.';
    FormatSettings.DecimalSeparator = ',';
    ExpectFilters({{">1.000,5", "1.200", false, true}, {">1.000,5", "999,9", false, false}});
}

TEST(ExUtilFilter, PatternsDecideRangesAndAlternativesThemselves)
{
    EXPECT_TRUE(MatchFilterPattern(">=10&<20", "15"));
    EXPECT_FALSE(MatchFilterPattern(">=10&<20", "25"));
    // A blank ends the operand of "<"; "^" ends none.
    EXPECT_TRUE(MatchFilterPattern("<5 ^ >10", "12"));
    EXPECT_FALSE(MatchFilterPattern("<5 ^ >10", "7"));
    EXPECT_TRUE(MatchFilterPattern("<5 ^ >10", "3"));
    EXPECT_TRUE(MatchFilterCondition("ab*", "ABC", false));
    EXPECT_FALSE(MatchFilterCondition("ab*", "ABC", true));
    EXPECT_TRUE(MatchFilterCondition(QString::fromUtf8("\u00e9*"), QString::fromUtf8("\u00c9T\u00c9"), false));
}

TEST(ExUtilFilter, AGroupWithoutItsClosingParenthesisRunsToTheEnd)
{
    ExpectFilters({
        {"(a", "a", false, true},
        {"(a|b", "b", false, true},
        {"(a|b", "c", false, false},
        {"x|(a&(b", "x", false, true},
        {"(((", "", false, true},
    });
}

TEST(ExUtilFilter, DatesNeedBothSeparatorsAndATimeItsOwn)
{
    LocaleGuard Locale;
    FormatSettings = TFormatSettings::Create();
    struct TCase {
        const char* Text;
        bool Expected;
        TDateTime Date;
    };
    const TCase Cases[] = {
        {"1/2/2020", true, EncodeDate(2020, 2, 1)},
        {" 1/2/2020 10:30 ", true, EncodeDate(2020, 2, 1) + EncodeTime(10, 30, 0, 0)},
        {"1/2/2020 23:59:59", true, EncodeDate(2020, 2, 1) + EncodeTime(23, 59, 59, 0)},
        {"1/2/20", true, EncodeDate(20, 2, 1)},
        {"1/2/2020 10", false, 0},
        {"1/2/2020 24:00", false, 0},
        {"1/2/2020 10:60", false, 0},
        {"1/2/2020 10:", false, 0},
        {"32/1/2020", false, 0},
        {"1/13/2020", false, 0},
        {"31/2/2020", false, 0},
        {"1/2", false, 0},
        {"a/2/2020", false, 0},
        {"", false, 0},
    };
    for (const TCase& C : Cases) {
        TDateTime Date = -1;
        EXPECT_EQ(ParseFilterDateTime(C.Text, Date), C.Expected) << C.Text;
        if (C.Expected)
            EXPECT_DOUBLE_EQ(Date, C.Date) << C.Text;
    }
    FormatSettings.ShortDateFormat = "yyyy-mm-dd";
    FormatSettings.DateSeparator = '-';
    TDateTime Date = 0;
    EXPECT_TRUE(ParseFilterDateTime("2020-02-01", Date));
    EXPECT_DOUBLE_EQ(Date, EncodeDate(2020, 2, 1));
}

TEST(ExUtilFilter, CompanionsWorkOutsideQuotes)
{
    LocaleGuard Locale;
    FormatSettings = TFormatSettings::Create();
    EXPECT_EQ(RemoveBlanksOutsideQuotes("a b \"c d\" e"), "ab\"c d\"e");
    EXPECT_EQ(FindCharOutsideQuotes("\"a&b\"&c", "&|"), 6);
    EXPECT_EQ(FindCharOutsideQuotes("abc", "&|"), 0);
    EXPECT_EQ(FindClosingParen("(a(b)c)d"), 7);
    EXPECT_EQ(FindClosingParen("(a(b"), 0);
    EXPECT_EQ(FindClosingParen("a)"), 0);
    EXPECT_EQ(NumberTextToPlain("1,234.5 kg"), "1234.5 kg");
    FormatSettings.ThousandSeparator = '.';
    FormatSettings.DecimalSeparator = ',';
    EXPECT_EQ(NumberTextToPlain("-1.234,50"), "-1234.50");
}

TEST(ExUtilFilter, ExpressionsOfAnyFormReturn)
{
    const String Deep = QString(20000, u'(') + "a" + QString(20000, u')');
    EXPECT_TRUE(MatchFilterExpr(Deep, "a", false));
    EXPECT_FALSE(MatchFilterExpr(Deep, "b", false));
    EXPECT_TRUE(MatchFilterExpr(QString(100000, u'('), "", false));
    String Long;
    for (int I = 0; I < 50000; ++I)
        Long += "a" + QString::number(I) + "|";
    Long += "z*";
    EXPECT_TRUE(MatchFilterExpr(Long, "zebra", false));
    EXPECT_TRUE(MatchFilterExpr(Long, "a49999", false));
    EXPECT_FALSE(MatchFilterExpr(Long, "b", false));
    // Wildcards that would backtrack without end.
    EXPECT_FALSE(MatchFilterExpr(QString(200, u'*') + QString("*a").repeated(200) + "b", QString(5000, u'a'), false));
    for (const char* Odd : {"&&&", "|||", "^;^", "\"", "\"\"\"", ")(", "!", "<", ">", ">=", "<=&>=", "(\"a)\"", "&(|"})
        EXPECT_NO_THROW(MatchFilterExpr(Odd, "a", false)) << Odd;
    EXPECT_TRUE(MatchFilterExpr("\"&&\"", "&&", false));
}
