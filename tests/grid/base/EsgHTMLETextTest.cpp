#include "grid/base/EsgHTMLE.h"

#include <gtest/gtest.h>

#include <random>

namespace {

struct TextCase {
    const char16_t* In;
    const char16_t* Out;
};

TEST(EsgHTMLEText, StripAndPlainText)
{
    const TextCase Strip[] = {
        {u"a<br>b", u"a\r\nb"}, {u"x<b>y</b>", u"xy"}, {u"a<b", u"a<b"},       {u"a>b<c>", u"a>b<c>"},
        {u"a<HR>b", u"a\r\nb"}, {u"<Q>x</Q>", u"x"},   {u"", u""},             {u"a<b>c<d", u"ac<d"},
    };
    for (const TextCase& C : Strip)
        EXPECT_EQ(StripHTMLTags(QString::fromUtf16(C.In)), QString::fromUtf16(C.Out)) << QString::fromUtf16(C.In).toStdString();
    EXPECT_EQ(HTMLPlainText(QStringLiteral("x<BR>x<BR>")), QStringLiteral("xx"));
    EXPECT_EQ(HTMLPlainText(QStringLiteral("a>b<c>")), QStringLiteral("a>b<c>"));
}

TEST(EsgHTMLEText, EscapeAndUnescape)
{
    EXPECT_EQ(EscapeHTML(QStringLiteral("a<b>&\""), false), QStringLiteral("a&lt;b&gt;&amp;&quot;"));
    EXPECT_EQ(EscapeHTML(QStringLiteral("&amp;"), false), QStringLiteral("&amp;amp;"));
    // A literal marker text is no entity of its own.
    EXPECT_EQ(EscapeHTML(QStringLiteral("*amp;"), false), QStringLiteral("*amp;"));
    EXPECT_EQ(EscapeHTML(QStringLiteral("é"), false), QStringLiteral("é"));
    EXPECT_EQ(EscapeHTML(QStringLiteral("éÕ"), true), QStringLiteral("&eacute;&Otilde;"));

    EXPECT_EQ(UnescapeHTML(QStringLiteral("&eacute;&Otilde;"), true), QStringLiteral("éÕ"));
    EXPECT_EQ(UnescapeHTML(QStringLiteral("&eacute;"), false), QStringLiteral("&eacute;"));
    // Each entity of the text is decoded once, and accented ones keep their case.
    EXPECT_EQ(UnescapeHTML(QStringLiteral("&amp;quot;"), false), QStringLiteral("&quot;"));
    EXPECT_EQ(UnescapeHTML(QStringLiteral("&amp;amp;"), false), QStringLiteral("&amp;"));
    EXPECT_EQ(UnescapeHTML(QStringLiteral("&Eacute; &eacute;"), true), QStringLiteral("É é"));
    EXPECT_EQ(UnescapeHTML(QStringLiteral("&LT;&Gt;&AMP;&QuOt;"), false), QStringLiteral("<>&\""));
    EXPECT_EQ(UnescapeHTML(QStringLiteral("&EACUTE;&"), true), QStringLiteral("&EACUTE;&"));
    EXPECT_EQ(SpacesToNbsp(QStringLiteral("a b")), QStringLiteral("a&nbsp;b"));
}

TEST(EsgHTMLEText, EscapeThenUnescapeGivesTheText)
{
    const QString Pieces[] = {QStringLiteral("<"),       QStringLiteral(">"),      QStringLiteral("&"),
                              QStringLiteral("\""),      QStringLiteral("&amp;"),  QStringLiteral("&quot;"),
                              QStringLiteral("&eacute;"), QStringLiteral("*amp;"), QStringLiteral("é"),
                              QStringLiteral("Õ"),       QStringLiteral("€"),      QStringLiteral("a"),
                              QStringLiteral(" "),       QStringLiteral("&lt"),    QStringLiteral(";")};
    std::mt19937 Random(18);
    std::uniform_int_distribution<int> Piece(0, int(std::size(Pieces)) - 1);
    std::uniform_int_distribution<int> Length(0, 12);
    for (int N = 0; N < 2000; ++N) {
        QString S;
        for (int I = Length(Random); I > 0; --I)
            S += Pieces[Piece(Random)];
        for (const bool Accented : {false, true})
            ASSERT_EQ(UnescapeHTML(EscapeHTML(S, Accented), Accented), S) << S.toStdString() << " accented " << Accented;
    }
}

TEST(EsgHTMLEText, MarkTags)
{
    const QString Hit = QStringLiteral("<hi>ab</hi><hi>ab</hi>");
    EXPECT_EQ(InsertMarkTags(QStringLiteral("abab"), QStringLiteral("ab"), QStringLiteral("hi"), false), Hit);
    EXPECT_EQ(InsertMarkTags(QStringLiteral("abab"), QStringLiteral("AB"), QStringLiteral("hi"), false), Hit);
    EXPECT_EQ(InsertMarkTags(QStringLiteral("abab"), QStringLiteral("AB"), QStringLiteral("hi"), true),
              QStringLiteral("abab"));
    const QString Marked =
        InsertMarkTags(QStringLiteral("<b>abc</b>"), QStringLiteral("b"), QStringLiteral("hi"), false);
    EXPECT_EQ(Marked, QStringLiteral("<b>a<hi>b</hi>c</b>"));
    EXPECT_EQ(RemoveMarkTags(Marked, QStringLiteral("hi")), QStringLiteral("<b>abc</b>"));
    EXPECT_EQ(RemoveMarkTags(Hit, QStringLiteral("HI")), QStringLiteral("abab"));
    EXPECT_EQ(InsertMarkTags(QStringLiteral("abc"), QStringLiteral("x"), QStringLiteral("hi"), false),
              QStringLiteral("abc"));
}

TEST(EsgHTMLEText, PlainToHTMLPosition)
{
    const QString S = QStringLiteral("<b>ab</b>c");
    EXPECT_EQ(PlainToHTMLPos(S, 1), 4);
    EXPECT_EQ(PlainToHTMLPos(S, 2), 5);
    EXPECT_EQ(PlainToHTMLPos(S, 3), 10);
    EXPECT_EQ(PlainToHTMLPos(S, 4), 11);
    EXPECT_EQ(PlainToHTMLPos(S, 5), 0);
    EXPECT_EQ(PlainToHTMLPos(S, 0), 0);
}

const QString ControlsText = QStringLiteral(
    "<CONTROL TYPE=\"BUTTON\" ID=\"b1\"><CONTROL TYPE=\"EDIT\" ID=\"e1\" VALUE=\"&amp;&eacute;\" PROP=\"p\" "
    "MAXLEN=\"8\"><CONTROL TYPE=\"CHECK\" ID=\"c1\"><control type=\"edit\" id=\"e2\">");

TEST(EsgHTMLEText, ControlQueries)
{
    EXPECT_TRUE(HasHTMLControls(ControlsText));
    EXPECT_FALSE(HasHTMLControls(QStringLiteral("<b>x</b>")));
    EXPECT_EQ(GetNextHTMLControlID(ControlsText, QString()), QStringLiteral("e1"));
    EXPECT_EQ(GetNextHTMLControlID(ControlsText, QStringLiteral("e1")), QStringLiteral("e2"));
    EXPECT_EQ(GetNextHTMLControlID(ControlsText, QStringLiteral("e2")), QString());
    QString Value;
    EXPECT_TRUE(GetHTMLControlValue(ControlsText, QStringLiteral("e1"), Value));
    EXPECT_EQ(Value, QStringLiteral("&é"));
    EXPECT_FALSE(GetHTMLControlValue(ControlsText, QStringLiteral("zz"), Value));
    EXPECT_EQ(GetHTMLControlProp(ControlsText, QStringLiteral("e1")), QStringLiteral("p"));
    EXPECT_EQ(GetHTMLControlMaxLen(ControlsText, QStringLiteral("e1")), 8);
    EXPECT_EQ(GetHTMLControlMaxLen(ControlsText, QStringLiteral("e2")), 0);
}

TEST(EsgHTMLEText, SetControlValue)
{
    QString S = QStringLiteral("x<CONTROL TYPE=\"edit\" WIDTH=\"60\" ID=\"e1\" VALUE=\"x\">y");
    EXPECT_TRUE(SetHTMLControlValue(S, QStringLiteral("e1"), QStringLiteral("a&b")));
    EXPECT_EQ(S, QStringLiteral("x<CONTROL ID=\"e1\" VALUE=\"a&amp;b\" WIDTH=\"60\" TYPE=\"EDIT\">y"));
    QString Value;
    ASSERT_TRUE(GetHTMLControlValue(S, QStringLiteral("e1"), Value));
    EXPECT_EQ(Value, QStringLiteral("a&b"));

    const QString Before = S;
    EXPECT_FALSE(SetHTMLControlValue(S, QStringLiteral("nope"), QStringLiteral("v")));
    EXPECT_EQ(S, Before);

    // The box keeps the height its author gave it.
    QString Tall = QStringLiteral("<CONTROL TYPE=\"EDIT\" WIDTH=\"60\" ID=\"e\" HEIGHT=\"40\" MAXLEN=\"5\">");
    EXPECT_TRUE(SetHTMLControlValue(Tall, QStringLiteral("e"), QStringLiteral("v")));
    EXPECT_EQ(Tall,
              QStringLiteral("<CONTROL ID=\"e\" VALUE=\"v\" WIDTH=\"60\" TYPE=\"EDIT\" MAXLEN=\"5\" HEIGHT=\"40\">"));

    const QString Radios = QStringLiteral("<CONTROL TYPE=\"RADIO\" WIDTH=\"16\" ID=\"r1\" VALUE=\"TRUE\">a"
                                          "<CONTROL TYPE=\"RADIO\" WIDTH=\"16\" ID=\"r2\" VALUE=\"TRUE\">");
    const QString Cleared = ClearHTMLRadioControls(Radios);
    for (const QString& ID : {QStringLiteral("r1"), QStringLiteral("r2")}) {
        ASSERT_TRUE(GetHTMLControlValue(Cleared, ID, Value));
        EXPECT_EQ(Value, QStringLiteral("FALSE"));
    }
}

TEST(EsgHTMLEText, ColoursAndSizes)
{
    EXPECT_EQ(HTMLColorByName(QStringLiteral("ClRed")), TColor(0x0000FF));
    EXPECT_EQ(HTMLColorByName(QStringLiteral("clInfoBk")), clInfoBk);
    EXPECT_EQ(HTMLColorByName(QStringLiteral("red")), TColor(0));
    EXPECT_EQ(HTMLColorByHex(QStringLiteral("#FF8001")), RGB(255, 128, 1));
    EXPECT_EQ(HTMLFontSize(QStringLiteral("<FONT SIZE=\"3\">")), 12);
    EXPECT_EQ(HTMLFontSize(QStringLiteral("<FONT SIZE=\"9\">")), 9);
    EXPECT_EQ(HTMLFontSize(QStringLiteral("<FONT>")), -1);
    EXPECT_EQ(LeadingInt(QStringLiteral("12px")), 12);
    EXPECT_EQ(LeadingInt(QStringLiteral("px")), 0);
    EXPECT_EQ(LeadingInt(QStringLiteral("99999999999999")), 1000000);
}

} // namespace
