// The settings file: reading value by value with defaults, the decisions on
// malformed files, and writing in the fixed order.
#include "shell/USettingsFile.h"

#include "ShellState.h"
#include "platform/XmlDoc.h"

#include <QDir>
#include <QFile>

namespace {

struct Settings {
    QString project, ip, language;
    bool internet, update, jump, autoSize;
    bool operator==(const Settings&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Settings& s)
{
    return os << '{' << s.project.toStdString() << '|' << s.ip.toStdString() << '|' << s.language.toStdString()
              << '|' << s.internet << s.update << s.jump << s.autoSize << '}';
}

Settings Current()
{
    return {Name_Project, Last_IP_Address, Language_Name, Enable_Internet, Enable_Update, Enable_Jump_Field_Tables,
            Double_Click_Auto_Size};
}

void SetCurrent(const Settings& s)
{
    Name_Project = s.project;
    Last_IP_Address = s.ip;
    Language_Name = s.language;
    Enable_Internet = s.internet;
    Enable_Update = s.update;
    Enable_Jump_Field_Tables = s.jump;
    Double_Click_Auto_Size = s.autoSize;
}

const Settings Defaults{"", "192.168.2.205", "English", false, false, false, false};
// Values unlike every default, so a default that is not applied shows.
const Settings Stale{"stale", "10.0.0.1", "Stale", true, true, true, true};

void WriteFile(const QString& fileName, const QByteArray& bytes)
{
    QFile file(fileName);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray ReadFile(const QString& fileName)
{
    QFile file(fileName);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

const char* const FullFile =
    "<Conf_Settings><lastproj><projectname>Plant 1</projectname></lastproj>"
    "<lastipadd><ipaddress>10.1.2.3</ipaddress></lastipadd>"
    "<lastlang><language>Lingua</language></lastlang>"
    "<lastinternet><enable_internet>1</enable_internet><enable_update>1</enable_update>"
    "<enable_jump_field_tables>1</enable_jump_field_tables><Double_Click_Auto_Size>1</Double_Click_Auto_Size>"
    "</lastinternet></Conf_Settings>";

} // namespace

class SettingsFileTest : public ShellTest {};

TEST_F(SettingsFileTest, ReadsEachValueOnItsOwn)
{
    struct Case {
        const char* name;
        QByteArray xml;
        Settings expected;
    };
    const Case cases[] = {
        {"every value", FullFile, {"Plant 1", "10.1.2.3", "Lingua", true, true, true, true}},
        {"only the language", "<Conf_Settings><lastlang><language>Lingua</language></lastlang></Conf_Settings>",
         {"", "192.168.2.205", "Lingua", false, false, false, false}},
        {"internet without update",
         "<Conf_Settings><lastinternet><enable_internet>1</enable_internet></lastinternet></Conf_Settings>",
         {"", "192.168.2.205", "English", true, false, false, false}},
        {"flags only when exactly 1",
         "<Conf_Settings><lastinternet><enable_internet>true</enable_internet><enable_update> 1</enable_update>"
         "<enable_jump_field_tables>01</enable_jump_field_tables><Double_Click_Auto_Size>1</Double_Click_Auto_Size>"
         "</lastinternet></Conf_Settings>",
         {"", "192.168.2.205", "English", false, false, false, true}},
        {"empty elements are empty texts",
         "<Conf_Settings><lastproj><projectname/></lastproj><lastipadd><ipaddress></ipaddress></lastipadd>"
         "<lastlang><language/></lastlang></Conf_Settings>",
         {"", "", "", false, false, false, false}},
        {"names match with their case",
         "<Conf_Settings><LastProj><projectname>x</projectname></LastProj><lastipadd><IPAddress>1.1.1.1</IPAddress>"
         "</lastipadd><lastinternet><double_click_auto_size>1</double_click_auto_size>"
         "<enable_update>1</enable_update></lastinternet></Conf_Settings>",
         {"", "192.168.2.205", "English", false, true, false, false}},
        {"only direct children count",
         "<Conf_Settings><lastlang><x><language>Deep</language></x></lastlang>"
         "<lastproj><projectname>A</projectname><projectname>B</projectname></lastproj></Conf_Settings>",
         {"A", "192.168.2.205", "English", false, false, false, false}},
        {"declaration and comment before the root",
         QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- edited by hand -->\n") + FullFile,
         {"Plant 1", "10.1.2.3", "Lingua", true, true, true, true}},
        {"text with markup characters",
         "<Conf_Settings><lastproj><projectname>A &amp; B &lt;1&gt;</projectname></lastproj></Conf_Settings>",
         {"A & B <1>", "192.168.2.205", "English", false, false, false, false}},
        {"malformed", "<Conf_Settings><lastproj><projectname>x</projectname>", Defaults},
        {"not XML at all", "Conf_Settings = 1", Defaults},
        {"empty file", "", Defaults},
        {"only a comment", "<!-- nothing -->", Defaults},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFile(Settings_File(), c.xml);
        SetCurrent(Stale);
        Path_Project = QStringLiteral("/stale");
        Read_Settings();
        EXPECT_EQ(Current(), c.expected);
    }
}

TEST_F(SettingsFileTest, MissingFileGivesDefaultsAndClosesTheConfiguration)
{
    SetCurrent(Stale);
    Path_Project = QStringLiteral("/stale");
    Read_Settings();
    EXPECT_EQ(Current(), Defaults);
    EXPECT_TRUE(Path_Project.isEmpty());
}

TEST_F(SettingsFileTest, WritesRootFirstInFixedOrder)
{
    // Right after a start without a settings file.
    Read_Settings();
    ASSERT_TRUE(Write_Settings());
    const QByteArray bytes = ReadFile(Settings_File());
    EXPECT_TRUE(bytes.startsWith("<Conf_Settings>")) << bytes.toStdString();

    xml::TXMLDocument doc;
    doc.LoadFromFile(Settings_File());
    const xml::TXMLNode root = doc.Node().FirstChild();
    ASSERT_EQ(root.NodeName(), QStringLiteral("Conf_Settings"));
    QStringList layout;
    for (int g = 0; g < root.ChildCount(); ++g) {
        const xml::TXMLNode group = root.Child(g);
        for (int e = 0; e < group.ChildCount(); ++e)
            layout << group.NodeName() + QLatin1Char('/') + group.Child(e).NodeName() + QLatin1Char('=')
                          + group.Child(e).Text();
    }
    EXPECT_EQ(layout, QStringList({"lastproj/projectname=", "lastipadd/ipaddress=192.168.2.205",
                                   "lastlang/language=English", "lastinternet/enable_internet=0",
                                   "lastinternet/enable_update=0", "lastinternet/enable_jump_field_tables=0",
                                   "lastinternet/Double_Click_Auto_Size=0"}));
    EXPECT_FALSE(root.NextSibling());
}

TEST_F(SettingsFileTest, WhatIsWrittenReadsBack)
{
    const Settings cases[] = {
        {"Plant <1> & \"2\"", "10.1.2.3", "Lingua", true, false, true, false},
        {"Ölwerk ünd Söhne", "", "Français", false, true, false, true},
        {" spaced ", "192.168.2.205", "English", true, true, true, true},
    };
    for (const Settings& s : cases) {
        SCOPED_TRACE(s.project.toStdString());
        SetCurrent(s);
        ASSERT_TRUE(Write_Settings());
        SetCurrent(Stale);
        Read_Settings();
        EXPECT_EQ(Current(), s);
    }
}

TEST_F(SettingsFileTest, UnwritableFolderIsReportedNotRaised)
{
    WriteFile(Settings_File(), FullFile);
    Set_Program_Folders(Dir.filePath(QStringLiteral("missing/folder")));
    SetCurrent(Defaults);
    EXPECT_FALSE(Write_Settings());
}

// A settings file nested 100,000 levels deep reads without recursion.
TEST_F(SettingsFileTest, DeepNestingIsRead)
{
    QByteArray Deep = FullFile;
    Deep.replace("</Conf_Settings>",
                 QByteArray("<x>").repeated(100000) + QByteArray("</x>").repeated(100000) + "</Conf_Settings>");
    WriteFile(Settings_File(), Deep);
    SetCurrent(Stale);
    Read_Settings();
    EXPECT_EQ(Current(), (Settings{"Plant 1", "10.1.2.3", "Lingua", true, true, true, true}));
}

// The settings live in the data folder; a link there that leads out of it
// is not written through.
TEST_F(SettingsFileTest, NoWriteThroughALinkOutOfTheDataFolder)
{
    EXPECT_EQ(Settings_File(), Path_Data + QStringLiteral("/Pantovisor.xml"));
    const QString Outside = Dir.filePath(QStringLiteral("outside.xml"));
    WriteFile(Outside, "user's");
    ASSERT_TRUE(QDir().mkpath(Dir.filePath(QStringLiteral("data"))));
    Set_Program_Folders(Dir.path(), Dir.filePath(QStringLiteral("data")));
    ASSERT_TRUE(QFile::link(Outside, Settings_File()));
    SetCurrent(Defaults);
    EXPECT_FALSE(Write_Settings());
    EXPECT_EQ(ReadFile(Outside), QByteArray("user's"));
}
