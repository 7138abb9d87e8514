// Several attributes of one element taken in one walk agree with looking
// each up by name: the first of a name wins, a missing one is null.
#include "platform/XmlDoc.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace xml;

namespace {

// The value AttributesUtf8 gives Name beside the one AttributeUtf8 gives.
void ExpectSameAsByName(const TXMLNode& Node, const char* const* Names, int Count)
{
    const char* Values[8];
    ASSERT_LE(Count, 8);
    Node.AttributesUtf8(Names, Values, Count);
    for (int I = 0; I < Count; ++I) {
        SCOPED_TRACE(Names[I]);
        const char* ByName = Node.AttributeUtf8(Names[I]);
        ASSERT_EQ(Values[I] == nullptr, ByName == nullptr);
        if (ByName)
            EXPECT_EQ(Values[I], ByName);   // the same attribute, not only the same text
    }
}

} // namespace

TEST(XmlAttributesUtf8, AgreeWithLookupsByName)
{
    TXMLDocument Doc;
    Doc.LoadFromString(QStringLiteral(R"(<r><a id="V_1" index="7" idx="x" defaultValue="" ü="ä"/><b/></r>)"));
    const TXMLNode A = Doc.DocumentElement().FindChild("a");
    // Names that share first letters, an empty value, a missing name, a
    // name beyond ASCII, and the element's attributes asked in any order.
    const char* const Names[] = {"index", "id", "idx", "defaultValue", "missing", "\xC3\xBC", "i"};
    ExpectSameAsByName(A, Names, 7);
    const char* Values[7];
    A.AttributesUtf8(Names, Values, 7);
    EXPECT_STREQ(Values[0], "7");
    EXPECT_STREQ(Values[1], "V_1");
    EXPECT_STREQ(Values[3], "");
    EXPECT_EQ(Values[4], nullptr);
    EXPECT_STREQ(Values[5], "\xC3\xA4");
    EXPECT_EQ(Values[6], nullptr);

    // An element without attributes, and a null node, give nulls only.
    const char* const Asked[2] = {"id", "index"};
    const char* Found[2] = {"stale", "stale"};
    Doc.DocumentElement().FindChild("b").AttributesUtf8(Asked, Found, 2);
    EXPECT_EQ(Found[0], nullptr);
    EXPECT_EQ(Found[1], nullptr);
    Found[0] = Found[1] = "stale";
    TXMLNode().AttributesUtf8(Asked, Found, 2);
    EXPECT_EQ(Found[0], nullptr);
    EXPECT_EQ(Found[1], nullptr);
}

TEST(XmlAttributesUtf8, FirstOfANameWinsAsInALookup)
{
    // The parser keeps an attribute written twice; both ways take the first.
    TXMLDocument Doc;
    Doc.LoadFromString(QStringLiteral(R"(<r code="1" type="t" code="2"/>)"));
    const char* const Names[] = {"code", "type"};
    ExpectSameAsByName(Doc.DocumentElement(), Names, 2);
    const char* Values[2];
    Doc.DocumentElement().AttributesUtf8(Names, Values, 2);
    EXPECT_STREQ(Values[0], "1");
}
