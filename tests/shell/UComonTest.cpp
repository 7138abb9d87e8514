// Shared state and the common routines: program folders, table paths,
// address splitting, number reading, the decimal separator and serial ports.
#include "shell/UComon.h"

#include "ShellState.h"
#include "platform/UserLocale.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cmath>
#include <optional>

namespace {

// Fixes the user's decimal separator for one scope.
class ScopedSeparator {
public:
    explicit ScopedSeparator(char16_t Sep) { platform::SetUserDecimalSeparator(Char(Sep)); }
    ~ScopedSeparator() { platform::SetUserDecimalSeparator(std::nullopt); }
};

} // namespace

TEST_F(ShellTest, ProgramFoldersAreComposedAndCreated)
{
    Set_Program_Folders(Dir.path() + QStringLiteral("/"));
    EXPECT_EQ(Path_Exe, Dir.path());
    EXPECT_EQ(Path_Master, Dir.path() + QStringLiteral("/MASTER"));
    EXPECT_EQ(Path_Projects, Dir.path() + QStringLiteral("/PROJECTS"));
    EXPECT_EQ(Path_Language, Dir.path() + QStringLiteral("/LANGUAGE"));
    EXPECT_EQ(Path_IODD_Catalog, Dir.path() + QStringLiteral("/IODD_Catalog"));
    EXPECT_EQ(Path_IOLink_StaDef, Dir.path() + QStringLiteral("/IOLink_StaDef/"));

    // One folder exists already and one name is taken by a file: neither
    // stops the others, and nothing is reported.
    ASSERT_TRUE(QDir().mkdir(Path_Projects));
    QFile file(Path_Language);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    Create_Program_Folders();
    for (const String& folder : {Path_Master, Path_Projects, Path_IODD_Catalog, Path_IOLink_StaDef})
        EXPECT_TRUE(QFileInfo(folder).isDir()) << folder.toStdString();
    EXPECT_TRUE(QFileInfo(Path_Language).isFile());
}

TEST_F(ShellTest, ProductTexts)
{
    Set_Product_Texts();
    EXPECT_EQ(SW_Title, QStringLiteral("Tarnix - Configurator QP11211 - IO-Link / EtherNet/IP "));
    EXPECT_EQ(SW_Code, QStringLiteral("QP11211"));
    EXPECT_EQ(SW_Desc, QStringLiteral("IO-Link / EtherNet/IP - Converter"));
    EXPECT_EQ(Get_Model_Code(), QStringLiteral("GV52303"));
    String code;
    Get_Model_Code(code);
    EXPECT_EQ(code, QStringLiteral("GV52303"));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^0x[0-9A-F]{4}$")).match(Get_Profinet_DeviceID()).hasMatch());
}

TEST_F(ShellTest, TableFilesFollowTheOpenConfiguration)
{
    Path_Project = Path_Projects + QStringLiteral("/Plant 1");
    Set_Table_Files();
    for (const auto& [path, name] : Shell_Table_Files)
        EXPECT_EQ(*path, Path_Project + QLatin1Char('/') + QLatin1String(name));
    // No configuration open: no path at all, never one at the root.
    Path_Project.clear();
    Set_Table_Files();
    for (const auto& [path, name] : Shell_Table_Files)
        EXPECT_TRUE(path->isEmpty()) << name;
}

TEST(SplitIPAddress, Cases)
{
    struct Case {
        const char* ip;
        bool valid;
        const char* a;
        const char* b;
        const char* c;
        const char* d;
    };
    const Case cases[] = {
        {"192.168.0.5", true, "192", "168", "0", "5"},
        {"  192 . 168 .0 .  5  ", true, "192", "168", "0", "5"},
        {"0.0.0.0", true, "0", "0", "0", "0"},
        {"255.255.255.255", true, "255", "255", "255", "255"},
        {"010.001.000.9", true, "010", "001", "000", "9"},
        {"192.168.0", false, "192", "168", "?", "?"},
        {"192", false, "?", "?", "?", "?"},
        {"192.168", false, "192", "?", "?", "?"},
        {"1.2.3.4.5", false, "1", "2", "3", "4.5"},
        {"192.168.0.256", false, "192", "168", "0", "256"},
        {"256.1.1.1", false, "256", "1", "1", "1"},
        {"192.168.x.5", false, "192", "168", "x", "5"},
        {"192.168.-1.5", false, "192", "168", "-1", "5"},
        {"$C0.168.0.1", false, "$C0", "168", "0", "1"},
        {"192.168.0.", false, "192", "168", "0", ""},
        {"...", false, "", "", "", ""},
        {"", false, "?", "?", "?", "?"},
        {"99999999999.1.1.1", false, "99999999999", "1", "1", "1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ip);
        String a = QStringLiteral("?"), b = a, cc = a, d = a;
        EXPECT_EQ(Split_IP_Address(QString::fromLatin1(c.ip), a, b, cc, d), c.valid);
        EXPECT_EQ(a, QLatin1String(c.a));
        EXPECT_EQ(b, QLatin1String(c.b));
        EXPECT_EQ(cc, QLatin1String(c.c));
        EXPECT_EQ(d, QLatin1String(c.d));
    }
}

TEST(DecimalSeparator, OnlyCommaOrPoint)
{
    const std::pair<char16_t, char16_t> cases[] = {{u',', u','}, {u'.', u'.'}, {u';', u','}, {u'\u066B', u','}};
    for (const auto& [user, expected] : cases) {
        ScopedSeparator sep(user);
        EXPECT_EQ(Get_Decimal_Separator(), QChar(expected)) << int(user);
    }
}

TEST(CheckFloat, Cases)
{
    struct Case {
        char16_t user;     // the user's decimal separator
        const char* text;
        char16_t decSep;   // the separator the caller passes
        bool ok;
        float value;
    };
    const Case cases[] = {
        {u'.', "3,5", u'.', true, 3.5f},
        {u'.', "3.5", u'.', true, 3.5f},
        {u'.', " -2,25 ", u'.', true, -2.25f},
        {u'.', "1e3", u'.', true, 1000.0f},
        {u'.', "7", u'.', true, 7.0f},
        {u',', "3.5", u',', true, 3.5f},
        {u',', "3,5", u',', true, 3.5f},
        // The caller's separator disagrees with the user's: not readable.
        {u',', "3,5", u'.', false, 1.0f},
        {u'.', "abc", u'.', false, 1.0f},
        {u'.', "", u'.', false, 1.0f},
        {u'.', "1.2.3", u'.', false, 1.0f},
        {u'.', "1,000.5", u'.', false, 1.0f},
        {u'.', "1e39", u'.', false, 1.0f},
        {u'.', "-1e39", u'.', false, 1.0f},
        {u'.', "nan", u'.', false, 1.0f},
        {u'.', "inf", u'.', false, 1.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " user " + char(c.user) + " sep " + char(c.decSep));
        ScopedSeparator sep(c.user);
        Single value = -99.0f;
        EXPECT_EQ(Check_Float(QString::fromLatin1(c.text), QChar(c.decSep), value), c.ok);
        EXPECT_FLOAT_EQ(value, c.value);
    }
}

TEST(SearchComPorts, ListsPresentPortsByNumber)
{
    QTemporaryDir dev;
    ASSERT_TRUE(dev.isValid());
    for (const char* name : {"ttyS0", "ttyS63", "ttyS64", "ttyUSB3", "ttyUSB07", "ttyACM0", "ttyACM63",
                             "ttyXYZ1", "tty1", "console", "ttyS"}) {
        QFile f(dev.filePath(QLatin1String(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    // A name whose open fails for another reason than "in use" is no port.
    ASSERT_TRUE(QFile::link(dev.filePath(QStringLiteral("gone")), dev.filePath(QStringLiteral("ttyUSB9"))));

    const auto ports = Search_COM_Ports_In(dev.path());
    ASSERT_NE(ports, nullptr);
    QStringList numbers;
    for (int i = 0; i < ports->Count(); ++i)
        numbers << ports->Strings(i);
    EXPECT_EQ(numbers, QStringList({"1", "64", "68", "129", "192"}));
    for (const QString& n : numbers)
        EXPECT_TRUE(QFileInfo::exists(COM_Port_Device(n.toInt(), dev.path()))) << n.toStdString();

    QTemporaryDir empty;
    EXPECT_EQ(Search_COM_Ports_In(empty.path())->Count(), 0);
    EXPECT_EQ(Search_COM_Ports_In(empty.filePath(QStringLiteral("missing")))->Count(), 0);

    // Numbers map back to one device each; numbers outside the families to none.
    const std::pair<int, const char*> devices[] = {{1, "/dev/ttyS0"}, {64, "/dev/ttyS63"}, {65, "/dev/ttyUSB0"},
                                                   {129, "/dev/ttyACM0"}, {192, "/dev/ttyACM63"},
                                                   {0, ""}, {193, ""}, {-5, ""}};
    for (const auto& [port, device] : devices)
        EXPECT_EQ(COM_Port_Device(port), QLatin1String(device)) << port;

    // The machine's own ports, whatever they are, name existing devices.
    const auto own = Search_COM_Ports();
    for (int i = 0; i < own->Count(); ++i)
        EXPECT_TRUE(QFileInfo::exists(COM_Port_Device(own->Strings(i).toInt()))) << own->Strings(i).toStdString();
}
