// The document model in memory: round trips, node walks, texts, attributes
// and namespaces, and the changes the model refuses.
#include "platform/XmlDoc.h"

#include <gtest/gtest.h>

#include <vector>

using namespace xml;

namespace {

// Node types and names of the children of Node, walked by index.
std::vector<std::pair<TNodeType, String>> ChildrenByIndex(const TXMLNode& Node)
{
    std::vector<std::pair<TNodeType, String>> result;
    for (int i = 0; i < Node.ChildCount(); ++i)
        result.emplace_back(Node.Child(i).NodeType(), Node.Child(i).NodeName());
    return result;
}

String Raised(const std::function<void()>& Action)
{
    try {
        Action();
    } catch (const EXMLError& e) {
        return e.Message();
    }
    return QStringLiteral("<nothing raised>");
}

} // namespace

TEST(XmlDoc, LoadAndSaveKeepTheDocumentAsWritten)
{
    // Each text is saved back unchanged: attribute order, escapes, comments
    // before and after the root, non-ASCII texts.
    const char* const cases[] = {
        R"(<r zeta="1" alpha="2" mid="" Alpha="3"/>)",
        R"(<Conf_Settings><lastproj><projectname>Line 4</projectname></lastproj></Conf_Settings><!--SW_VERSION = 1.003-->)",
        R"(<?xml version="1.0"?><!--made by hand--><?app keep?><r/><!--after-->)",
        R"(<r a="&lt;&amp;>&quot;'">x &amp; y &lt; z &gt; w</r>)",
        R"(<r a="two&#10;lines">Grüße € 日本</r>)",
        R"(<r><![CDATA[a<b & c]]></r>)",
        R"(<r> keep  blanks <e/> and here </r>)",
    };
    for (const char* xmlText : cases) {
        TXMLDocument doc;
        doc.LoadFromString(String::fromUtf8(xmlText));
        EXPECT_EQ(doc.SaveToString().toStdString(), xmlText);
    }
}

TEST(XmlDoc, BuiltDocumentsAreWrittenInTheOrderOfWriting)
{
    TXMLDocument doc;
    TXMLNode root = doc.AppendElement(QStringLiteral("ChannelTable"));
    root.SetAttribute(QStringLiteral("zeta"), QStringLiteral("1"));
    root.SetAttribute(QStringLiteral("alpha"), QStringLiteral("2"));
    root.SetAttribute(QStringLiteral("zeta"), QStringLiteral("3"));   // keeps its place
    TXMLNode row = root.AppendElement(QStringLiteral("row"));
    row.SetAttribute(QStringLiteral("Enable"), QStringLiteral("Y"));
    row.SetAttribute(QStringLiteral("Name"), QString());
    root.AppendElement(QStringLiteral("empty")).SetText(QString());
    root.AppendElement(QStringLiteral("text")).SetText(QStringLiteral("a<b"));
    doc.AppendComment(QStringLiteral("SW_VERSION = 1.003"));

    EXPECT_EQ(doc.SaveToString().toStdString(),
              R"(<ChannelTable zeta="3" alpha="2"><row Enable="Y" Name=""/><empty/><text>a&lt;b</text></ChannelTable>)"
              R"(<!--SW_VERSION = 1.003-->)");
    EXPECT_EQ(doc.SaveToString({.Declaration = true, .Indent = true}).toStdString(),
              "<?xml version=\"1.0\"?>\n"
              "<ChannelTable zeta=\"3\" alpha=\"2\">\n"
              "  <row Enable=\"Y\" Name=\"\" />\n"
              "  <empty />\n"
              "  <text>a&lt;b</text>\n"
              "</ChannelTable>\n"
              "<!--SW_VERSION = 1.003-->\n");
    EXPECT_EQ(doc.SaveToBytes({}), doc.SaveToString().toUtf8());
}

TEST(XmlDoc, MissingAttributeIsNullAndEmptyAttributeIsEmpty)
{
    TXMLDocument doc;
    doc.LoadFromString(QStringLiteral(R"(<Variable id="V1" defaultValue="" größe="5"/>)"));
    const TXMLNode v = doc.DocumentElement();

    EXPECT_EQ(v.Attribute(QStringLiteral("id")), std::optional<String>(QStringLiteral("V1")));
    ASSERT_TRUE(v.Attribute(QStringLiteral("defaultValue")).has_value());
    EXPECT_TRUE(v.Attribute(QStringLiteral("defaultValue"))->isEmpty());
    EXPECT_FALSE(v.Attribute(QStringLiteral("index")).has_value());
    EXPECT_FALSE(v.Attribute(QStringLiteral("ID")).has_value()) << "names are compared with their case";
    EXPECT_FALSE(v.Attribute(QStringLiteral("i")).has_value());
    EXPECT_FALSE(v.Attribute(QStringLiteral("idx")).has_value());
    EXPECT_EQ(v.Attribute(String::fromUtf8("größe")), std::optional<String>(QStringLiteral("5")));
    EXPECT_FALSE(v.Attribute(String::fromUtf8("größer")).has_value());
    EXPECT_TRUE(v.HasAttribute(QStringLiteral("defaultValue")));
    EXPECT_FALSE(v.HasAttribute(QStringLiteral("index")));

    // The UTF-8 overloads answer the same.
    EXPECT_EQ(v.Attribute("id"), v.Attribute(QStringLiteral("id")));
    EXPECT_EQ(v.Attribute("defaultValue"), std::optional<String>(QString()));
    EXPECT_FALSE(v.Attribute("index").has_value());
    EXPECT_EQ(v.Attribute("größe"), std::optional<String>(QStringLiteral("5")));
    EXPECT_TRUE(v.HasAttribute("id"));

    ASSERT_EQ(v.AttributeCount(), 3);
    EXPECT_EQ(v.AttributeName(2), String::fromUtf8("größe"));
    EXPECT_EQ(v.AttributeValue(0), QStringLiteral("V1"));
    EXPECT_TRUE(Raised([&] { v.AttributeName(3); }).contains(QLatin1String("out of range")));
    EXPECT_TRUE(Raised([&] { v.AttributeValue(-1); }).contains(QLatin1String("out of range")));

    // A null handle has no attributes.
    EXPECT_FALSE(TXMLNode().Attribute(QStringLiteral("id")).has_value());
    EXPECT_EQ(TXMLNode().AttributeCount(), 0);
}

TEST(XmlDoc, NamespacedAttributesAreFoundByNamespaceNotByPrefix)
{
    const char* const xmlText =
        R"(<IODevice xmlns="urn:iodd" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">)"
        R"(<Collection xmlns:s="http://www.w3.org/2001/XMLSchema-instance">)"
        R"(<Datatype xsi:type="UIntegerT"/>)"
        R"(<Datatype s:type="RecordT"/>)"
        R"(<Datatype type="NoNamespace"/>)"
        R"(<Datatype xmlns:xsi="urn:other" xsi:type="Rebound"/>)"
        R"(<Datatype u:type="Unbound"/>)"
        R"(<Datatype xsi:kind="OtherName" xsi:type="Second"/>)"
        R"(<Text xml:lang="de" lang="plain"/>)"
        R"(</Collection></IODevice>)";
    TXMLDocument doc;
    doc.LoadFromString(String::fromUtf8(xmlText));
    const TXMLNode collection = doc.DocumentElement().Child(0);
    const String xsi = QString::fromLatin1(XSI_NAMESPACE);
    const String xmlNs = QString::fromLatin1(XML_NAMESPACE);

    struct Case {
        int Child;
        String Uri;
        String Local;
        std::optional<String> Expected;
    };
    const Case cases[] = {
        {0, xsi, "type", "UIntegerT"},
        {1, xsi, "type", "RecordT"},        // another prefix, the same namespace
        {2, xsi, "type", std::nullopt},     // no prefix: no namespace
        {2, "", "type", "NoNamespace"},
        {3, xsi, "type", std::nullopt},     // "xsi" bound to another namespace here
        {3, "urn:other", "type", "Rebound"},
        {4, xsi, "type", std::nullopt},     // prefix bound nowhere
        {5, xsi, "type", "Second"},
        {6, xmlNs, "lang", "de"},           // "xml" needs no declaration
        {6, "", "lang", "plain"},
        {0, "", "type", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "child " << c.Child << " {" << c.Uri.toStdString() << "}"
                                        << c.Local.toStdString());
        const TXMLNode node = collection.Child(c.Child);
        EXPECT_EQ(node.AttributeNS(c.Uri, c.Local), c.Expected);
        EXPECT_EQ(node.AttributeNS(c.Uri.toUtf8().constData(), c.Local.toUtf8().constData()), c.Expected);
    }
}

TEST(XmlDoc, DocumentElementSkipsWhatStandsBeforeTheRoot)
{
    TXMLDocument doc;
    doc.LoadFromString(QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE Conf_Settings>\n<!-- by hand -->\n"
        "<?editor keep?>\n<Conf_Settings><x/></Conf_Settings>\n<!--SW_VERSION = 1.003-->\n"));

    EXPECT_EQ(doc.DocumentElement().NodeName(), QStringLiteral("Conf_Settings"));
    EXPECT_EQ(doc.DocumentElement().Parent(), doc.Node());
    const std::vector<std::pair<TNodeType, String>> expected{
        {TNodeType::ntDeclaration, "xml"},         {TNodeType::ntDocType, "Conf_Settings"},
        {TNodeType::ntComment, "#comment"},        {TNodeType::ntProcessingInstr, "editor"},
        {TNodeType::ntElement, "Conf_Settings"},   {TNodeType::ntComment, "#comment"},
    };
    EXPECT_EQ(ChildrenByIndex(doc.Node()), expected);
    EXPECT_EQ(doc.Node().NodeType(), TNodeType::ntDocument);
    EXPECT_EQ(doc.Node().Child(2).Text(), QStringLiteral(" by hand "));
    EXPECT_EQ(doc.Node().Child(5).Text(), QStringLiteral("SW_VERSION = 1.003"));

    TXMLDocument none;
    none.AppendComment(QStringLiteral("no root yet"));
    EXPECT_TRUE(none.DocumentElement().IsNull());
    EXPECT_FALSE(none.DocumentElement());
}

TEST(XmlDoc, ChildWalkSeesCommentsAndNoWhiteSpaceText)
{
    TXMLDocument doc;
    doc.LoadFromString(QStringLiteral("<VariableCollection>\r\n"
                                      "\t<Variable id=\"V1\"/>\n"
                                      "\t<!-- not a variable -->\n"
                                      "\t<StdVariableRef id=\"V2\"/>  text  <Variable/>\n"
                                      "</VariableCollection>"));
    const TXMLNode collection = doc.DocumentElement();
    const std::vector<std::pair<TNodeType, String>> expected{
        {TNodeType::ntElement, "Variable"}, {TNodeType::ntComment, "#comment"},
        {TNodeType::ntElement, "StdVariableRef"}, {TNodeType::ntText, "#text"},
        {TNodeType::ntElement, "Variable"},
    };
    EXPECT_EQ(ChildrenByIndex(collection), expected);
    EXPECT_EQ(collection.Child(3).Text(), QStringLiteral("  text  "));
    EXPECT_EQ(collection.FindChild(QStringLiteral("StdVariableRef")).Attribute("id"), QStringLiteral("V2"));
    EXPECT_EQ(collection.FindChild("Variable"), collection.Child(0));
    EXPECT_TRUE(collection.FindChild(QStringLiteral("variable")).IsNull()) << "names are compared with their case";
    EXPECT_TRUE(collection.FindChild("#comment").IsNull()) << "only elements are found by name";
    EXPECT_TRUE(Raised([&] { collection.Child(5); }).contains(QLatin1String("out of range")));
    EXPECT_TRUE(Raised([&] { collection.Child(-1); }).contains(QLatin1String("out of range")));
    EXPECT_TRUE(Raised([] { TXMLNode().Child(0); }).contains(QLatin1String("out of range")));
}

TEST(XmlDoc, ChildByIndexMatchesTheSiblingChainInAnyOrderAndAfterChanges)
{
    TXMLDocument doc;
    TXMLNode root = doc.AppendElement(QStringLiteral("r"));
    std::vector<TXMLNode> rows;
    for (int i = 0; i < 30; ++i) {
        rows.push_back(root.AppendElement(QStringLiteral("row")));
        rows.back().SetAttribute(QStringLiteral("n"), QString::number(i));
        for (int j = 0; j < 3; ++j)
            rows.back().AppendElement(QStringLiteral("cell"));
    }
    ASSERT_EQ(root.ChildCount(), 30);

    // Jumps forward and back, with walks of other nodes' children between.
    for (int index : {0, 1, 2, 29, 28, 5, 17, 16, 18, 0, 29, 3, 27}) {
        EXPECT_EQ(root.Child(index), rows[index]) << index;
        const TXMLNode row = root.Child(index);
        EXPECT_EQ(row.ChildCount(), 3);
        EXPECT_EQ(row.Child(2), row.FirstChild().NextSibling().NextSibling());
    }

    // Changes to the list are seen by the next walk.
    root.RemoveChild(rows[10]);
    rows.erase(rows.begin() + 10);
    ASSERT_EQ(root.ChildCount(), 29);
    EXPECT_EQ(root.Child(10).Attribute("n"), QStringLiteral("11"));
    rows.push_back(root.AppendElement(QStringLiteral("row")));
    ASSERT_EQ(root.ChildCount(), 30);
    EXPECT_EQ(root.Child(29), rows.back());
    rows[4].RemoveAllChildren();
    EXPECT_EQ(root.Child(4).ChildCount(), 0);
    rows[5].SetText(QStringLiteral("replaced"));
    EXPECT_EQ(root.Child(5).ChildCount(), 1);
    EXPECT_EQ(root.Child(5).Child(0).NodeType(), TNodeType::ntText);
    for (int i = 0; i < root.ChildCount(); ++i)
        EXPECT_EQ(root.Child(i), rows[i]) << i;

    // A new document in the place of the old one is walked afresh.
    doc.LoadFromString(QStringLiteral("<r><a/></r>"));
    EXPECT_EQ(doc.DocumentElement().ChildCount(), 1);
    EXPECT_EQ(doc.DocumentElement().Child(0).NodeName(), QStringLiteral("a"));
}

TEST(XmlDoc, ElementTextIsItsTextAndCDataChildren)
{
    TXMLDocument doc;
    doc.LoadFromString(QStringLiteral(
        R"(<r><a>plain</a><b>one <i>skipped</i>two<![CDATA[ <three> ]]></b><c/><d>&lt;&#233;&#x20AC;&gt;</d></r>)"));
    const TXMLNode r = doc.DocumentElement();
    EXPECT_EQ(r.FindChild("a").Text(), QStringLiteral("plain"));
    EXPECT_EQ(r.FindChild("b").Text(), QStringLiteral("one two <three> "));
    EXPECT_EQ(r.FindChild("c").Text(), QString());
    EXPECT_EQ(r.FindChild("d").Text(), String::fromUtf16(u"<\u00E9\u20AC>"));
    EXPECT_EQ(r.Text(), QString()) << "children's texts are not the element's";

    TXMLNode b = r.FindChild("b");
    b.SetText(QStringLiteral("new & <text>"));
    EXPECT_EQ(b.ChildCount(), 1);
    EXPECT_EQ(b.Text(), QStringLiteral("new & <text>"));
    b.SetText(QString());
    EXPECT_EQ(b.ChildCount(), 0);
    EXPECT_EQ(doc.SaveToString().toStdString(),
              R"(<r><a>plain</a><b/><c/><d>&lt;é€&gt;</d></r>)");
}

TEST(XmlDoc, RefusesChangesThatWouldNotBeXml)
{
    TXMLDocument doc;
    TXMLNode root = doc.AppendElement(QStringLiteral("r"));
    TXMLNode comment = root.AppendComment(QStringLiteral("fine - really"));
    TXMLNode text = root.AppendText(QStringLiteral("t"));
    TXMLDocument other;
    TXMLNode stranger = other.AppendElement(QStringLiteral("s"));

    const std::pair<const char*, std::function<void()>> cases[] = {
        {"second root", [&] { doc.AppendElement(QStringLiteral("r2")); }},
        {"text beside the root", [&] { doc.Node().AppendText(QStringLiteral("t")); }},
        {"empty name", [&] { root.AppendElement(QString()); }},
        {"name with a blank", [&] { root.AppendElement(QStringLiteral("a b")); }},
        {"name starting with a digit", [&] { root.AppendElement(QStringLiteral("1a")); }},
        {"name with a bracket", [&] { root.SetAttribute(QStringLiteral("a<b"), QStringLiteral("1")); }},
        {"attribute name with a quote", [&] { root.SetAttribute(QStringLiteral("a\"b"), QStringLiteral("1")); }},
        {"double hyphen in a comment", [&] { root.AppendComment(QStringLiteral("a--b")); }},
        {"comment ending in a hyphen", [&] { doc.AppendComment(QStringLiteral("a-")); }},
        {"comment text set to a double hyphen", [&] { comment.SetText(QStringLiteral("--")); }},
        {"attribute on a comment", [&] { comment.SetAttribute(QStringLiteral("a"), QStringLiteral("1")); }},
        {"child of a text", [&] { text.AppendElement(QStringLiteral("x")); }},
        {"removing another document's node", [&] { root.RemoveChild(stranger); }},
        {"removing a grandchild", [&] { doc.Node().RemoveChild(comment); }},
        {"writing through a null handle", [&] { TXMLNode().AppendElement(QStringLiteral("x")); }},
        {"text of a null handle", [&] { TXMLNode().SetText(QStringLiteral("x")); }},
    };
    const String before = doc.SaveToString();
    for (const auto& [name, action] : cases)
        EXPECT_NE(Raised(action), QStringLiteral("<nothing raised>")) << name;
    EXPECT_EQ(doc.SaveToString(), before) << "a refused change changed the document";

    // What is allowed.
    root.SetAttribute(String::fromUtf8("größe_1.x-y:z"), QStringLiteral("1"));
    root.AppendComment(QString());
    EXPECT_EQ(doc.SaveToString().toStdString(),
              R"(<r größe_1.x-y:z="1"><!--fine - really-->t<!----></r>)");
}

TEST(XmlDoc, ClearEmptiesTheDocument)
{
    TXMLDocument doc;
    doc.LoadFromString(QStringLiteral("<r><a/></r><!--c-->"));
    doc.Clear();
    EXPECT_TRUE(doc.DocumentElement().IsNull());
    EXPECT_EQ(doc.Node().ChildCount(), 0);
    EXPECT_EQ(doc.SaveToString(), QString());
    doc.AppendElement(QStringLiteral("again"));
    EXPECT_EQ(doc.SaveToString(), QStringLiteral("<again/>"));
}

TEST(XmlDoc, MalformedTextRaisesWithLineAndColumn)
{
    struct Case {
        const char* Text;
        const char* Position;   // as the message gives it
    };
    const Case cases[] = {
        {"<a><b></a>", "line 1, column "},
        {"<r>\n  <a>\n</r>", "line 3, column "},
        {"<r>\r\n<x y=1/>\r\n</r>", "line 2, column "},
        {"<a>", "line 1, column "},
        {"<a/><b/>", "line 1, column 5"},
        {"<a/>\ntext", "line 2, column 1"},
        {"   ", "line 1, column "},
        {"<!-- only a comment -->", "line 1, column "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text);
        TXMLDocument doc;
        doc.AppendElement(QStringLiteral("old"));
        const String message = Raised([&] { doc.LoadFromString(QString::fromUtf8(c.Text)); });
        EXPECT_TRUE(message.contains(QLatin1String(c.Position))) << message.toStdString();
        EXPECT_TRUE(message.contains(QLatin1String("XML text"))) << message.toStdString();
        EXPECT_TRUE(doc.DocumentElement().IsNull()) << "the document is empty after a failed load";
    }
    TXMLDocument doc;
    EXPECT_TRUE(Raised([&] { doc.LoadFromString(QString()); }).contains(QLatin1String("empty")));
}
