#include "grid/base/ExUtil.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>

namespace {

String Chars(std::initializer_list<char16_t> Units)
{
    String S;
    for (char16_t U : Units)
        S += QChar(U);
    return S;
}

// Sets FormatSettings' separators for one test and puts them back.
class TSeparators {
public:
    TSeparators(QChar Thousand, QChar Decimal) : FSaved(FormatSettings)
    {
        FormatSettings.ThousandSeparator = Thousand;
        FormatSettings.DecimalSeparator = Decimal;
    }
    ~TSeparators() { FormatSettings = FSaved; }

private:
    TFormatSettings FSaved;
};

} // namespace

TEST(ExUtilText, CellTextKinds)
{
    struct TCase {
        String Text;
        bool Html;
        Integer Kind;
    };
    const TCase Cases[] = {
        {"", false, 0},
        {"x", false, 0},
        {"=A1", false, 3},
        {"{\\rtf1", false, 2},
        {Chars({'|', '\\', 0, '=', 0, 'A'}), false, 3},
        {Chars({'|', '\\', 0, 'A'}), false, 5},
        {"|\\", false, 5},
        {"a</b>", true, 1},
        {"<B>x", true, 1},
        {"<b>x", true, 0},
        {"<C x", true, 1},
        {"a</b>", false, 0},
    };
    for (const TCase& C : Cases)
        EXPECT_EQ(GetCellTextKind(C.Text, C.Html), C.Kind) << C.Text.toStdString();
}

TEST(ExUtilText, WideCharactersGoIntoBytePairsAndBack)
{
    EXPECT_EQ(WideToCellText(QStringLiteral("é")), Chars({'|', '\\', 0, 0xE9}));
    EXPECT_EQ(CellTextToWide(Chars({'|', '\\', 0, 0xE9})), QStringLiteral("é"));
    const String Mixed = QStringLiteral("A€\u4E2D");
    EXPECT_EQ(CellTextToWide(WideToCellText(Mixed)), Mixed);
    EXPECT_EQ(CellTextToWide("plain"), "plain");
    // An odd last character has no partner and is left out.
    EXPECT_EQ(CellTextToWide(Chars({'|', '\\', 0, 'A', 0x12})), "A");
    EXPECT_EQ(CellTextToWide("|\\"), "");
}

TEST(ExUtilText, LineBreakEncodingsOfTheFileFormats)
{
    const String Text = Chars({'a', '\r', '\n', 'b', 0});
    const String Encoded = EncodeCellLineBreaks(Text);
    EXPECT_EQ(Encoded, Chars({'a', 9, 8, 'b', 1}));
    EXPECT_EQ(DecodeCellLineBreaks(Encoded, true), Text);
    EXPECT_EQ(DecodeCellLineBreaks(Encoded, false), "a");
    // Only a text with a CR is encoded, only one with #8 decoded.
    EXPECT_EQ(EncodeCellLineBreaks(Chars({'a', '\n', 0})), Chars({'a', '\n', 0}));
    EXPECT_EQ(DecodeCellLineBreaks(Chars({'a', 9, 1}), false), Chars({'a', 9, 1}));

    String S = "a\r\nb";
    QuoteMultiLine(S);
    EXPECT_EQ(S, Chars({'"', 'a', 11, 'b', '"'}));
    S = Chars({'a', 11, 'b'});
    VTToCRLF(S);
    EXPECT_EQ(S, "a\r\nb");
    CRLFToLF(S);
    EXPECT_EQ(S, "a\nb");

    S = "a\r\nb\rc";
    LineBreaksToTilde(S);
    EXPECT_EQ(S, "a~b~c");
    TildeToLineBreaks(S);
    EXPECT_EQ(S, "a\r\nb\r\nc");
    S = "^";
    TildeToLineBreaks(S);
    EXPECT_EQ(S, "");

    const std::tuple<String (*)(const String&), const char*, const char*> Conversions[] = {
        {LineBreaksToEscapes, "a\r\nb", "a\\nb"}, {EscapesToLineBreaks, "a\\nb\\n", "a\rb\r"},
        {LineBreaksToBR, "a\r\nb", "a<br>\nb"},     {LineBreaksToBR, "a\nb", "a\nb"},
        {RemoveCR, "a\r\nb\r", "a\nb"},            {CRToLF, "a\rb", "a\nb"},
    };
    for (const auto& [Convert, Text, Converted] : Conversions)
        EXPECT_EQ(Convert(Text), Converted) << Text;
    EXPECT_EQ(CountLines("a\rb\rc", true), 3);
    EXPECT_EQ(CountLines("a\rb\rc", false), 1);
}

TEST(ExUtilText, CutFirstLineKeepsTheRestOnlyWhenAsked)
{
    String S = "one\r\ntwo\rthree";
    EXPECT_EQ(CutFirstLine(S, true), "one");
    EXPECT_EQ(S, "two\rthree");
    EXPECT_EQ(CutFirstLine(S, false), "two");
    EXPECT_EQ(S, "");
    S = "single";
    EXPECT_EQ(CutFirstLine(S, true), "single");
    EXPECT_EQ(S, "");
    S = "end\r";
    EXPECT_EQ(CutFirstLine(S, true), "end");
    EXPECT_EQ(S, "");
}

TEST(ExUtilText, QuotesOfCsvFields)
{
    EXPECT_EQ(DoubleQuoteChars("a\"b\""), "a\"\"b\"\"");
    EXPECT_EQ(UndoubleChar(u'"', "a\"\"b\"\"\"c"), "a\"b\"\"c");
    EXPECT_EQ(UndoubleChar(u'x', "abc"), "abc");

    struct TCase {
        String Text;
        Integer Closing;
    };
    const TCase Cases[] = {
        {"abc\",next", 4},       // a lone quote followed by the delimiter
        {"a\"\"b\",c", 5},       // a doubled quote is no end
        {"a\"\"\"x", 4},         // three quotes: the last of them
        {"ab\"\"", 4},           // quotes at the very end
        {"abc", 0},
        {"", 0},
    };
    for (const TCase& C : Cases) {
        Integer Pos = -1;
        EXPECT_EQ(FindClosingQuote(u'"', C.Text, Pos), C.Closing) << C.Text.toStdString();
        EXPECT_EQ(Pos, C.Closing);
    }
    EXPECT_EQ(CountClosingQuotes(u'"', "a\",b\",c\""), 3);
    EXPECT_EQ(CountClosingQuotes(u'"', "a\"\"b"), 0);
}

TEST(ExUtilText, SmallTextHelpers)
{
    EXPECT_EQ(CountChar(u'a', "banana"), 3);
    String P = "secret";
    FillWithChar(P, u'*');
    EXPECT_EQ(P, "******");

    const std::pair<const char*, const char*> MixedCases[] = {
        {"hELLO wORLD", "Hello World"},          {"o'neil-smith jr.x,y", "O'Neil-Smith Jr.X,Y"},
        {"mcdonald", "McDonald"},                {"ronald mcdonald", "Ronald McDonald"},
        {"henry II of england", "Henry II Of England"}, {"", ""},
    };
    for (const auto& [Text, Mixed] : MixedCases)
        EXPECT_EQ(ToMixedCase(Text), Mixed) << Text;

    TStringList Lines;
    Lines.Add("ab");
    Lines.Add("cd");
    EXPECT_EQ(ConcatLines(&Lines), "abcd");

    String S = "key=value=x";
    EXPECT_EQ(TakeToken(S, "="), "key");
    EXPECT_EQ(S, "value=x");
    S = "a::b";
    EXPECT_EQ(TakeToken(S, "::"), "a");
    EXPECT_EQ(S, ":b");
    S = "none";
    EXPECT_EQ(TakeToken(S, ";"), "");
    EXPECT_EQ(S, "none");
}

TEST(ExUtilText, OemCodePageRoundTrip)
{
    String S = QStringLiteral("é½Ç");
    StrToOem(S);
    EXPECT_EQ(S, Chars({0x82, 0xAB, 0x80}));
    OemToStr(S);
    EXPECT_EQ(S, QStringLiteral("é½Ç"));
    S = QStringLiteral("a€");
    StrToOem(S);
    EXPECT_EQ(S, "a?");
}

TEST(ExUtilText, SearchingAndLimits)
{
    Integer Pos = -1;
    EXPECT_EQ(FindStrVar("lo", "hello", Pos), 4);
    EXPECT_EQ(Pos, 4);
    EXPECT_EQ(FindStrUpper("LO", "hello"), 4);
    EXPECT_EQ(FindChar(u'l', "hello"), 3);
    EXPECT_EQ(FindCharVar(u'z', "hello", Pos), 0);
    EXPECT_EQ(Pos, 0);
    EXPECT_EQ(PosWide(QStringLiteral("中"), QStringLiteral("a中")), 2);
    EXPECT_EQ(IntMax(3, 7), 7);
    EXPECT_EQ(IntMin(3, 7), 3);

    EXPECT_EQ(LimitToRange(5, 10, 0), 10);
    EXPECT_EQ(LimitToRange(50, 10, 0), 50);
    EXPECT_EQ(LimitToRange(5, 7, 7), 5);
    EXPECT_EQ(LimitToRange(50, 0, 20), 20);
    EXPECT_EQ(LimitToRange(-5, 0, 20), -5);

    const TGridRect R{1, 2, 3, 4};
    EXPECT_TRUE(CellInGridRect(R, 1, 2));
    EXPECT_TRUE(CellInGridRect(R, 3, 4));
    EXPECT_FALSE(CellInGridRect(R, 4, 3));
    EXPECT_FALSE(CellInGridRect(R, 2, 1));
}

TEST(ExUtilText, NumberKindsWithEitherSeparators)
{
    struct TCase {
        String Text;
        Integer Kind;
    };
    const TCase CommaThousands[] = {
        {"12", 0}, {"-12", 0}, {"-", 0}, {"1,234.5", 1}, {"1,23,4", 2}, {"1e5", 5}, {"e5", 2},
        {"1-2", 2}, {"", 2}, {"-1.5e-3", 5}, {"1e5e", 2}, {"1,234e5", 2}, {"1.2.3", 2}, {"--1", 2},
        {"(1.234,50)", 2}, {QStringLiteral("١٢٣"), 0}, {"12a", 2}, {"1e", 2},
    };
    for (const TCase& C : CommaThousands)
        EXPECT_EQ(GetNumberKind(C.Text), C.Kind) << C.Text.toStdString();

    const TSeparators European(u'.', u',');
    const TCase PointThousands[] = {
        {"12", 0}, {"1.234,5", 1}, {"1.23.4", 2}, {"1,2,3", 2}, {"1e5", 5}, {"1.234e5", 2},
    };
    for (const TCase& C : PointThousands)
        EXPECT_EQ(GetNumberKind(C.Text), C.Kind) << C.Text.toStdString();
}

TEST(ExUtilText, PlainNumberTexts)
{
    const std::pair<const char*, const char*> Cases[] = {
        {"USD 12", "12"}, {"1,234.5 kg", "1234.5"}, {"(12)", "-12"}, {"x-5", "-5"},
        {"-", "-"},       {"", ""},                 {"abc", ""},
    };
    for (const auto& [Text, Plain] : Cases)
        EXPECT_EQ(PlainNumberText(Text), Plain) << Text;
    const TSeparators European(u'.', u',');
    EXPECT_EQ(PlainNumberText("(1.234,50)"), "-1234.50");
}

TEST(ExUtilText, CharacterClassesFollowTheSeparators)
{
    EXPECT_TRUE(IsNumberChar(u'7'));
    EXPECT_TRUE(IsNumberChar(QChar(0x0663)));
    EXPECT_FALSE(IsNumberChar(u'x'));
    EXPECT_TRUE(IsNumberOrMinus(u'-'));
    EXPECT_TRUE(IsFloatChar(u','));
    EXPECT_FALSE(IsFloatChar(u'-'));
    EXPECT_TRUE(IsPlainFloatChar(u'+'));
    EXPECT_FALSE(IsPlainFloatChar(u','));
    EXPECT_TRUE(IsSignedFloatChar(u'-'));
    const TSeparators Blank(u' ', u',');
    EXPECT_TRUE(IsFloatChar(u' '));
    EXPECT_FALSE(IsFloatChar(u'.'));
}

TEST(ExUtilText, ColorsAsHex)
{
    EXPECT_EQ(ColorToHex(RGB(0x12, 0xAB, 0xF0)), "12ABF0");
    EXPECT_EQ(ColorToHex(clRed), "FF0000");
}

TEST(ExUtilText, DatesForSorting)
{
    EXPECT_EQ(DMYToDate("31.12.99"), 36525);
    EXPECT_EQ(DMYToDate("31.12.2025"), 46022);
    EXPECT_EQ(DMYToDate("1/2/25"), EncodeDate(2025, 2, 1));
    EXPECT_EQ(DMYToDate("1-2-26"), EncodeDate(1926, 2, 1));
    EXPECT_EQ(MDYToDate("12/31/99"), 36525);
    EXPECT_EQ(MDYToDate("2/1/2015"), EncodeDate(2015, 2, 1));
    // "/" wins over "." and "-", and all three parts need it.
    EXPECT_EQ(DMYToDate("1/2.2020"), 0);
    EXPECT_EQ(DMYToDate("1.2-2020"), 0);
    // No date: missing parts, words, impossible days, years out of range.
    for (const char* Text : {"", "12", "1.2", "a.b.c", "31.02.2020", "0.1.2020", "1.13.2020", "1.1.10000", "1.1.-5",
                             "1.2.3.4"})
        EXPECT_EQ(DMYToDate(Text), 0) << Text;
    // Four-digit years sort with two-digit ones.
    EXPECT_LT(DMYToDate("31.12.99"), DMYToDate("1.1.2015"));
    EXPECT_LT(DMYToDate("1.1.2015"), DMYToDate("1.1.16"));
}

TEST(ExUtilText, LooksLikeDateNeedsTwoSeparatorsApart)
{
    const TFormatSettings Saved = FormatSettings;
    FormatSettings.DateSeparator = u'.';
    EXPECT_TRUE(LooksLikeDate("1.2.3"));
    EXPECT_TRUE(LooksLikeDate("31.12."));
    EXPECT_FALSE(LooksLikeDate(".1.2"));
    EXPECT_FALSE(LooksLikeDate("1..2"));
    EXPECT_FALSE(LooksLikeDate("1.2"));
    EXPECT_FALSE(LooksLikeDate("1/2/3"));
    FormatSettings = Saved;
}

TEST(ExUtilText, StepDateCarriesWholeYears)
{
    const TDateTime March15 = EncodeDate(2020, 3, 15);
    EXPECT_EQ(StepDate(0, 14, 0, March15, 99), EncodeDate(2021, 5, 15));
    EXPECT_EQ(StepDate(0, 1, 0, March15, 99), EncodeDate(2020, 4, 15));
    EXPECT_EQ(StepDate(0, -3, 0, March15, 99), EncodeDate(2019, 12, 15));
    EXPECT_EQ(StepDate(0, -27, 0, March15, 99), EncodeDate(2017, 12, 15));
    EXPECT_EQ(StepDate(0, 24, 0, March15, 99), EncodeDate(2022, 3, 15));
    EXPECT_EQ(StepDate(2, 0, 0, March15, 99), EncodeDate(2022, 3, 15));
    EXPECT_EQ(StepDate(0, 0, 10, March15, 99), March15 + 10);
    EXPECT_EQ(StepDate(1, 1, 0, March15, 99), March15 + 99);
    EXPECT_EQ(StepDate(0, 0, 0, March15, 7), March15 + 7);
    EXPECT_THROW(StepDate(0, 1, 0, EncodeDate(2021, 1, 31), 0), EConvertError);
    EXPECT_THROW(StepDate(1, 0, 0, EncodeDate(2020, 2, 29), 0), EConvertError);
    EXPECT_THROW(StepDate(0, -12 * 3000, 0, March15, 0), EConvertError);
}

TEST(ExUtilText, UrlsAndCellReferences)
{
    EXPECT_TRUE(HasURLScheme("see http://x"));
    EXPECT_TRUE(HasURLScheme("mailto:a@b"));
    EXPECT_FALSE(HasURLScheme("MAILTO:a@b"));
    String S = "http://host/x";
    StripURLScheme(S);
    EXPECT_EQ(S, "host/x");
    S = "mailto:a@b";
    StripURLScheme(S);
    EXPECT_EQ(S, "a@b");
    S = "plain";
    StripURLScheme(S);
    EXPECT_EQ(S, "plain");

    TPoint Cell(-1, -1);
    EXPECT_TRUE(ParseRowColRef("r5c2", Cell));
    EXPECT_EQ(Cell, TPoint(2, 5));
    for (const char* Bad : {"R5", "R5C", "RC2", "C2R5", "R5Cx", "R5C2C", "R12", ""})
        EXPECT_FALSE(ParseRowColRef(Bad, Cell)) << Bad;

    String Linked;
    EXPECT_EQ(LinkifyURL("see www.x.org/a_b, <ok>", "WWW.", Linked), 1);
    EXPECT_EQ(Linked, "see <a href=\"www.x.org/a_b\">www.x.org/a_b</a>, &lt;ok&gt;");
    Linked = "unchanged";
    EXPECT_EQ(LinkifyURL("no link", "HTTP://", Linked), 0);
    EXPECT_EQ(Linked, "unchanged");
}

TEST(ExUtilText, ClipboardHtmlOffsetsCountCharacters)
{
    String S = "<b>x</b>";
    MakeClipboardHTML(S);
    EXPECT_EQ(S.size(), 314);
    EXPECT_TRUE(S.startsWith("Version:1.0\r\nStartHTML:00000097\r\nEndHTML:00000314\r\n"
                             "StartFragment:00000274\r\nEndFragment:00000282\r\n"));
    EXPECT_EQ(S.mid(97, 9), "<!DOCTYPE");
    EXPECT_EQ(S.mid(274, 8), "<b>x</b>");
    EXPECT_TRUE(S.endsWith("<!--EndFragment--></body></html>"));

    String Empty;
    MakeClipboardHTML(Empty);
    EXPECT_TRUE(Empty.contains("EndHTML:00000306\r\n"));
    EXPECT_TRUE(Empty.contains("EndFragment:00000274\r\n"));
    EXPECT_EQ(Empty.size(), 306);
}
