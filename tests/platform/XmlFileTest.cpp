// XML files: loading and its errors, encodings, saving and atomic replace,
// and the published device descriptions read through the layer.
#include "platform/XmlDoc.h"

#include "common/TestPaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <csignal>
#include <functional>

#include <sys/resource.h>

using namespace xml;

namespace {

QByteArray ReadBytes(const QString& FileName)
{
    QFile file(FileName);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << FileName.toStdString();
    return file.readAll();
}

void WriteBytes(const QString& FileName, const QByteArray& Bytes)
{
    QFile file(FileName);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << FileName.toStdString();
    ASSERT_EQ(file.write(Bytes), Bytes.size());
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

QStringList Entries(const QString& Folder)
{
    return QDir(Folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

// Lowers the file size limit for a while, as a full disk would stop a write.
class TFileSizeLimit {
public:
    explicit TFileSizeLimit(rlim_t Bytes)
    {
        FOldHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &FOld);
        rlimit limit = FOld;
        limit.rlim_cur = Bytes;
        FActive = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~TFileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &FOld);
        std::signal(SIGXFSZ, FOldHandler);
    }
    bool Active() const { return FActive; }

private:
    rlimit FOld{};
    void (*FOldHandler)(int) = nullptr;
    bool FActive = false;
};

// One line per node, walked by index through the layer.
void LayerSignature(const TXMLNode& Node, QStringList& Out)
{
    for (int i = 0; i < Node.ChildCount(); ++i) {
        const TXMLNode child = Node.Child(i);
        QString line = QString::number(int(child.NodeType())) + QLatin1Char(' ') + child.NodeName();
        for (int a = 0; a < child.AttributeCount(); ++a)
            line += QLatin1Char(' ') + child.AttributeName(a) + QLatin1Char('=') +
                    *child.Attribute(child.AttributeName(a));
        if (child.NodeType() != TNodeType::ntElement)
            line += QLatin1Char(' ') + child.Text();
        Out.append(line);
        LayerSignature(child, Out);
    }
}

// The same, from the parser alone.
void ParserSignature(pugi::xml_node Node, QStringList& Out)
{
    static const char* const names[] = {"", "#document", "", "#text", "#cdata-section", "#comment", "", "", ""};
    for (pugi::xml_node child = Node.first_child(); child; child = child.next_sibling()) {
        const bool named = child.type() == pugi::node_element || child.type() == pugi::node_pi ||
                           child.type() == pugi::node_declaration;
        // The parser numbers its node types in the layer's order.
        QString line = QString::number(int(child.type())) + QLatin1Char(' ') +
                       QString::fromUtf8(named ? child.name() : names[child.type()]);
        for (pugi::xml_attribute attr = child.first_attribute(); attr; attr = attr.next_attribute())
            line += QLatin1Char(' ') + QString::fromUtf8(attr.name()) + QLatin1Char('=') +
                    QString::fromUtf8(attr.value());
        if (child.type() != pugi::node_element)
            line += QLatin1Char(' ') + QString::fromUtf8(child.value());
        Out.append(line);
        ParserSignature(child, Out);
    }
}

} // namespace

TEST(XmlFile, LoadErrorsNameTheFileAndThePosition)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray settings = ReadBytes(testpaths::Fixture(QStringLiteral("xml/settings-prolog.xml")));
    ASSERT_FALSE(settings.isEmpty());
    QDir(dir.path()).mkdir(QStringLiteral("folder.xml"));

    struct Case {
        const char* Name;
        std::optional<QByteArray> Bytes;   // none: not written
        const char* Says;
    };
    const Case cases[] = {
        {"missing.xml", std::nullopt, "not found"},
        {"folder.xml", std::nullopt, "folder"},
        {"empty.xml", QByteArray(), "is empty"},
        {"blank.xml", QByteArray("\r\n  \r\n"), "no root element at line 3, column 1"},
        {"malformed.xml", QByteArray("<Conf_Settings>\r\n<lastlang><language>x</lastlang>\r\n</Conf_Settings>"),
         "start-end tags mismatch at line 2, column "},
        {"truncated.xml", settings.left(settings.indexOf("</lastlang>") + 5), "at line 8, column "},
        {"two-roots.xml", QByteArray("<a/>\n<b/>"), "more than one root element at line 2, column 1"},
        {"text-after.xml", QByteArray("<a/>\n\n  junk"), "text outside the root element at line 3, column 3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const QString name = dir.filePath(QString::fromLatin1(c.Name));
        if (c.Bytes)
            WriteBytes(name, *c.Bytes);
        TXMLDocument doc;
        doc.LoadFromString(QStringLiteral("<old/>"));
        const String message = Raised([&] { doc.LoadFromFile(name); });
        EXPECT_TRUE(message.contains(QLatin1Char('"') + name + QLatin1Char('"'))) << message.toStdString();
        EXPECT_TRUE(message.contains(QLatin1String(c.Says))) << message.toStdString();
        EXPECT_TRUE(doc.DocumentElement().IsNull());
        EXPECT_TRUE(doc.FileName().isEmpty());
    }
}

TEST(XmlFile, SavedFileIsUtf8WithoutMarkDeclarationOrIndentation)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString name = dir.filePath(QStringLiteral("Pantovisor.xml"));
    TXMLDocument doc;
    TXMLNode root = doc.AppendElement(QStringLiteral("Conf_Settings"));
    root.AppendElement(QStringLiteral("lastlang")).AppendElement(QStringLiteral("language")).SetText(String::fromUtf8("Français €"));
    doc.AppendComment(QStringLiteral("SW_VERSION = 1.003"));

    doc.SaveToFile(name);
    EXPECT_EQ(ReadBytes(name).toStdString(),
              "<Conf_Settings><lastlang><language>Fran\xC3\xA7" "ais \xE2\x82\xAC</language></lastlang>"
              "</Conf_Settings><!--SW_VERSION = 1.003-->");
    EXPECT_EQ(doc.FileName(), name);

    doc.SaveToFile(name, {.Declaration = true, .Indent = false});
    EXPECT_TRUE(ReadBytes(name).startsWith("<?xml version=\"1.0\"?><Conf_Settings>"));

    TXMLDocument empty;
    EXPECT_TRUE(Raised([&] { empty.SaveToFile(dir.filePath(QStringLiteral("none.xml"))); }).contains(QLatin1String("root")));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("none.xml"))));
}

TEST(XmlFile, CommentsBeforeAndAfterTheRootSurviveSaveAndLoad)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TXMLDocument doc;
    doc.LoadFromFile(testpaths::Fixture(QStringLiteral("xml/settings-prolog.xml")));
    EXPECT_EQ(doc.DocumentElement().FindChild("lastlang").FindChild("language").Text(), QStringLiteral("Deutsch"));

    const QString copy = dir.filePath(QStringLiteral("copy.xml"));
    doc.SaveToFile(copy);
    TXMLDocument again;
    again.LoadFromFile(copy);
    EXPECT_EQ(again.FileName(), copy);
    EXPECT_EQ(again.SaveToString(), doc.SaveToString());
    const TXMLNode top = again.Node();
    ASSERT_EQ(top.ChildCount(), 6);
    EXPECT_EQ(top.Child(0).NodeType(), TNodeType::ntDeclaration);
    EXPECT_EQ(top.Child(2).Text(), QStringLiteral(" written by hand "));
    EXPECT_EQ(top.Child(4), again.DocumentElement());
    EXPECT_EQ(top.Child(5).NodeType(), TNodeType::ntComment);
    EXPECT_EQ(top.Child(5).Text(), QStringLiteral("SW_VERSION = 1.003"));
    EXPECT_EQ(again.DocumentElement().Child(1).Text(), QStringLiteral(" options "));
}

TEST(XmlFile, FailedSaveLeavesTheOldFileAsItWas)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray oldBytes("<IOLink_SetAccess version=\"old\"/><!--SW_VERSION = 1.003-->");
    TXMLDocument doc;
    TXMLNode root = doc.AppendElement(QStringLiteral("IOLink_SetAccess"));
    for (int i = 0; i < 2000; ++i)
        root.AppendElement(QStringLiteral("Channel")).SetAttribute(QStringLiteral("Name"), QStringLiteral("channel %1").arg(i));
    const QByteArray newBytes = doc.SaveToBytes({});
    ASSERT_GT(newBytes.size(), 8192);

    QDir(dir.path()).mkdir(QStringLiteral("sub"));
    const QString existing = dir.filePath(QStringLiteral("sub/IOLink_SetAccess.xml"));
    // A name that leaves no room for the temporary file's longer name.
    const QString longName = dir.filePath(QStringLiteral("sub/") + QString(250, QLatin1Char('n')) + QStringLiteral(".xml"));
    QDir(dir.path()).mkdir(QStringLiteral("sub/folder.xml"));

    struct Case {
        const char* Name;
        QString Target;
    };
    const Case cases[] = {
        {"folder missing", dir.filePath(QStringLiteral("missing/IOLink_SetAccess.xml"))},
        {"target is a folder", dir.filePath(QStringLiteral("sub/folder.xml"))},
        {"temporary file cannot be created", longName},
        {"disk full while writing", existing},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        WriteBytes(existing, oldBytes);
        if (QFileInfo(c.Target).dir().exists() && !QFileInfo(c.Target).isDir())
            WriteBytes(c.Target, oldBytes);
        const QStringList before = Entries(dir.filePath(QStringLiteral("sub")));

        String message;
        if (std::string(c.Name) == "disk full while writing") {
            TFileSizeLimit limit(4096);
            ASSERT_TRUE(limit.Active());
            message = Raised([&] { doc.SaveToFile(c.Target); });
        } else {
            message = Raised([&] { doc.SaveToFile(c.Target); });
        }

        EXPECT_TRUE(message.contains(QLatin1Char('"') + c.Target + QLatin1Char('"'))) << message.toStdString();
        EXPECT_EQ(Entries(dir.filePath(QStringLiteral("sub"))), before) << "a temporary file was left behind";
        EXPECT_EQ(ReadBytes(existing), oldBytes);
        if (QFileInfo(c.Target).isFile()) {
            EXPECT_EQ(ReadBytes(c.Target), oldBytes);
        }
        EXPECT_EQ(doc.FileName(), QString());
    }

    // And the same save succeeds where it can.
    doc.SaveToFile(existing);
    EXPECT_EQ(ReadBytes(existing), newBytes);
}

TEST(XmlFile, EncodingsAreDecodedAndTheDeclarationNamesUtf8)
{
    const char* const fixtures[] = {
        "xml/utf8-bom.xml", "xml/utf16le-bom.xml", "xml/utf16be-bom.xml", "xml/windows-1252.xml", "xml/iso-8859-1.xml",
    };
    for (const char* fixture : fixtures) {
        SCOPED_TRACE(fixture);
        TXMLDocument doc;
        doc.LoadFromFile(testpaths::Fixture(QString::fromLatin1(fixture)));
        const TXMLNode texts = doc.DocumentElement();
        EXPECT_EQ(texts.NodeName(), QStringLiteral("Texts"));
        EXPECT_EQ(texts.FindChild("Text").Attribute("value"), String::fromUtf16(u"\u20AC \u00E4\u00DF \u0160 \u0178"));
        EXPECT_EQ(texts.FindChild("Name").Text(), String::fromUtf16(u"Gr\u00FC\u00DFe \u201Ax\u2018"));
        const String saved = doc.SaveToString();
        EXPECT_TRUE(saved.startsWith(QLatin1String(R"(<?xml version="1.0" encoding="UTF-8"?><Texts>)")))
            << saved.toStdString();
    }
}

TEST(XmlFile, PositionsInUtf16FilesCountCharactersAsInUtf8)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString utf16 = testpaths::Fixture(QStringLiteral("xml/utf16le-malformed.xml"));
    const QString utf8 = dir.filePath(QStringLiteral("malformed-utf8.xml"));
    const QByteArray bytes = ReadBytes(utf16);
    WriteBytes(utf8, QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData() + 2),
                                        (bytes.size() - 2) / 2).toUtf8());
    TXMLDocument doc;
    const String fromUtf16 = Raised([&] { doc.LoadFromFile(utf16); });
    const String fromUtf8 = Raised([&] { doc.LoadFromFile(utf8); });
    const qsizetype at16 = fromUtf16.indexOf(QLatin1String(" at line 3, column "));
    const qsizetype at8 = fromUtf8.indexOf(QLatin1String(" at line 3, column "));
    ASSERT_GE(at16, 0) << fromUtf16.toStdString();
    ASSERT_GE(at8, 0) << fromUtf8.toStdString();
    EXPECT_EQ(fromUtf16.mid(at16), fromUtf8.mid(at8));
}

TEST(XmlFile, DeviceDescriptionsReadThroughTheLayerAsTheParserSeesThem)
{
    const QString shared = testpaths::SharedData();
    if (shared.isEmpty())
        GTEST_SKIP() << "no published device descriptions beside the project";
    const QFileInfoList files = QDir(shared + QStringLiteral("/iodd")).entryInfoList({QStringLiteral("*.xml")}, QDir::Files);
    if (files.isEmpty())
        GTEST_SKIP() << "no published device descriptions beside the project";
    const String xsi = QString::fromLatin1(XSI_NAMESPACE);

    for (const QFileInfo& file : files) {
        SCOPED_TRACE(file.fileName().toStdString());
        TXMLDocument doc;
        doc.LoadFromFile(file.filePath());
        pugi::xml_document parsed;
        ASSERT_TRUE(parsed.load_file(QFile::encodeName(file.filePath()).constData(),
                                     pugi::parse_default | pugi::parse_comments | pugi::parse_declaration |
                                         pugi::parse_pi | pugi::parse_doctype));

        QStringList viaLayer, viaParser;
        LayerSignature(doc.Node(), viaLayer);
        ParserSignature(parsed, viaParser);
        ASSERT_EQ(viaLayer.size(), viaParser.size());
        EXPECT_EQ(viaLayer, viaParser);

        // Every xsi:type the parser sees, the layer finds by namespace.
        int typedByParser = 0, typedByLayer = 0;
        for (const pugi::xpath_node& hit : parsed.select_nodes("//*[@xsi:type]"))
            typedByParser += hit.node() ? 1 : 0;
        std::function<void(const TXMLNode&)> count = [&](const TXMLNode& node) {
            for (TXMLNode child = node.FirstChild(); child; child = child.NextSibling()) {
                if (child.AttributeNS(xsi, QStringLiteral("type")))
                    ++typedByLayer;
                count(child);
            }
        };
        count(doc.DocumentElement());
        EXPECT_EQ(typedByLayer, typedByParser);
        EXPECT_GT(typedByLayer, 0);

        const TXMLNode primary = doc.DocumentElement().FindChild("ExternalTextCollection").FindChild("PrimaryLanguage");
        EXPECT_EQ(primary.AttributeNS(XML_NAMESPACE, "lang"), QStringLiteral("en"));

        // Saved and loaded again, the document is the same.
        TXMLDocument again;
        again.LoadFromString(doc.SaveToString());
        QStringList reloaded;
        LayerSignature(again.Node(), reloaded);
        EXPECT_EQ(reloaded, viaLayer);
    }
}
