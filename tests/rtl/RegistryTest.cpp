// The per-user registry over its INI file, and its change notification.
#include "rtl/IniFiles.h"
#include "rtl/Registry.h"

#include "platform/ScopedEnv.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class RegistryTest : public ::testing::Test {
protected:
    QTemporaryDir Dir;
    String File = Dir.filePath("user/registry.ini");
    ScopedEnv RegistryFile{"CFG_REGISTRY_FILE", File.toLocal8Bit()};

    static void Write(const char* Key, const char* Name, Integer Value)
    {
        TRegistry Reg;
        ASSERT_TRUE(Reg.OpenKey(Key, true));
        Reg.WriteInteger(Name, Value);
    }
    void WriteFile(const QByteArray& Bytes)
    {
        QDir().mkpath(Dir.filePath("user"));
        QFile F(File);
        ASSERT_TRUE(F.open(QIODevice::WriteOnly));
        F.write(Bytes);
    }
};

// Expects E to be raised by Body with that message.
template <typename E, typename F>
void ExpectRaises(F Body, const char* Message)
{
    try {
        Body();
        ADD_FAILURE() << "no exception, expected: " << Message;
    } catch (const E& Error) {
        EXPECT_EQ(Error.Message(), Message);
    }
}

} // namespace

TEST_F(RegistryTest, ValuesGoIntoTheIniFileUnderTheKeyPath)
{
    TRegistry Reg;
    ASSERT_TRUE(Reg.OpenKey("Software\\Vendor\\App", true));
    EXPECT_EQ(Reg.CurrentPath(), "Software\\Vendor\\App");
    EXPECT_NE(Reg.CurrentKey(), 0u);
    Reg.WriteInteger("Count", 12);
    Reg.WriteString("Name", " Anna ");
    Reg.WriteInteger("Count", -3);

    TIniFile Ini(File);
    EXPECT_EQ(Ini.ReadInteger("Software\\Vendor\\App", "Count", 0), -3);
    EXPECT_EQ(Ini.ReadString("Software\\Vendor\\App", "Name", ""), "Anna");

    TRegistry Other(KEY_READ);
    ASSERT_TRUE(Other.OpenKeyReadOnly("\\software\\VENDOR\\app\\"));
    EXPECT_EQ(Other.ReadInteger("count"), -3);
    EXPECT_EQ(Other.ReadString("NAME"), "Anna");
    EXPECT_TRUE(Other.ValueExists("Count"));
    EXPECT_FALSE(Other.ValueExists("Missing"));
    EXPECT_EQ(Other.ReadString("Missing"), "");
    ExpectRaises<ERegistryException>([&] { Other.ReadInteger("Missing"); }, "Failed to get data for 'Missing'");
    ExpectRaises<ERegistryException>([&] { Other.ReadInteger("Name"); }, "Invalid data type for 'Name'");
}

TEST_F(RegistryTest, KeysExistWithTheirSubtreeAndOpenRelatively)
{
    TRegistry Reg;
    ASSERT_TRUE(Reg.OpenKey("A\\B\\C", true));
    Reg.CloseKey();
    EXPECT_EQ(Reg.CurrentKey(), 0u);
    for (const char* Key : {"A", "\\A", "A\\B", "a\\b\\c", ""})
        EXPECT_TRUE(Reg.KeyExists(Key)) << Key;
    for (const char* Key : {"A\\X", "A\\B\\C\\D", "B"})
        EXPECT_FALSE(Reg.KeyExists(Key)) << Key;

    ASSERT_TRUE(Reg.OpenKey("A", false));
    ASSERT_TRUE(Reg.OpenKey("B", false));
    EXPECT_EQ(Reg.CurrentPath(), "A\\B");
    EXPECT_TRUE(Reg.KeyExists("C"));
    EXPECT_FALSE(Reg.OpenKey("Nope", false));
    EXPECT_EQ(Reg.CurrentPath(), "A\\B") << "a failed open keeps the open key";
    EXPECT_FALSE(Reg.OpenKeyReadOnly("\\Missing"));
    EXPECT_FALSE(Reg.KeyExists("\\Missing")) << "read-only opening makes nothing";
}

TEST_F(RegistryTest, WritesNeedAWritableKeyAndStorableText)
{
    Write("K", "V", 1);
    TRegistry ReadOnly;
    ASSERT_TRUE(ReadOnly.OpenKeyReadOnly("K"));
    ExpectRaises<ERegistryException>([&] { ReadOnly.WriteInteger("V", 2); }, "Failed to set data for 'V'");
    TRegistry ReadAccess(KEY_READ);
    ASSERT_TRUE(ReadAccess.OpenKey("K", true));
    EXPECT_THROW(ReadAccess.WriteString("V", "x"), ERegistryException);
    TRegistry NoKey;
    EXPECT_THROW(NoKey.WriteInteger("V", 2), ERegistryException);
    TRegistry Reg;
    ASSERT_TRUE(Reg.OpenKey("K", false));
    EXPECT_THROW(Reg.WriteString("Line\nBreak", "x"), ERegistryException);
    EXPECT_THROW(Reg.WriteString("V", "a\r\nb"), ERegistryException);
    EXPECT_THROW(Reg.WriteString("A=B", "x"), ERegistryException);
    EXPECT_EQ(Reg.ReadInteger("V"), 1);

    TRegistry Machine;
    Machine.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(Machine.KeyExists("K"));
    EXPECT_FALSE(Machine.OpenKey("K", true));
}

TEST_F(RegistryTest, MissingUnreadableOrForeignFilesReadAsEmpty)
{
    TRegistry Reg;
    EXPECT_FALSE(Reg.KeyExists("A"));
    EXPECT_FALSE(Reg.OpenKey("A", false));

    WriteFile(QByteArray("\x00\xFF\x89PNG garbage=1\n[broken\n", 23));
    EXPECT_FALSE(Reg.KeyExists("broken"));
    ASSERT_TRUE(Reg.OpenKey("A", true));
    Reg.WriteInteger("V", 5);
    EXPECT_EQ(TIniFile(File).ReadInteger("A", "V", 0), 5);

    const ScopedEnv Folder("CFG_REGISTRY_FILE", Dir.path().toLocal8Bit());
    TRegistry OnFolder;
    EXPECT_FALSE(OnFolder.KeyExists("A")) << "a folder cannot be read";
    EXPECT_FALSE(OnFolder.OpenKey("New", true)) << "nor written";
}

TEST_F(RegistryTest, TheDefaultFileIsInTheUserConfigurationFolder)
{
    const ScopedEnv NoOverride("CFG_REGISTRY_FILE", std::nullopt);
    const ScopedEnv Config("XDG_CONFIG_HOME", Dir.path().toLocal8Bit());
    EXPECT_EQ(RegistryFileName(), Dir.path() + "/registry/HKEY_CURRENT_USER.ini");
    Write("K", "V", 7);
    EXPECT_TRUE(QFile::exists(Dir.path() + "/registry/HKEY_CURRENT_USER.ini"));
}

TEST_F(RegistryTest, AWatchedKeySetsItsEventOnceForAChange)
{
    TRegistry Watched(KEY_READ);
    ASSERT_TRUE(Watched.OpenKey("Office\\Common", true));
    TEvent Event;
    const auto Arm = [&](bool Subtree, DWORD Filter) {
        Event.ResetEvent();
        ASSERT_EQ(RegNotifyChangeKeyValue(Watched.CurrentKey(), Subtree, Filter, &Event, true), ERROR_SUCCESS);
    };
    const auto Set = [&] { return Event.WaitFor(0) == wrSignaled; };

    Arm(true, REG_NOTIFY_CHANGE_LAST_SET);
    Write("Office\\Other", "X", 1);
    EXPECT_FALSE(Set()) << "another key";
    TRegistry Maker;
    ASSERT_TRUE(Maker.OpenKey("Office\\Common\\General", true));
    EXPECT_FALSE(Set()) << "a new key is no value change";
    Write("Office\\Common\\General", "Theme", 2);
    EXPECT_TRUE(Set()) << "a value below the key";
    Event.ResetEvent();
    Write("Office\\Common\\General", "Theme", 3);
    EXPECT_FALSE(Set()) << "one change per request";

    Arm(false, REG_NOTIFY_CHANGE_LAST_SET);
    Write("Office\\Common\\General", "Theme", 4);
    EXPECT_FALSE(Set()) << "without the subtree";
    Write("Office\\Common", "Theme", 4);
    EXPECT_TRUE(Set());

    Arm(false, REG_NOTIFY_CHANGE_NAME);
    ASSERT_TRUE(Maker.OpenKey("\\Office\\Common\\Fresh", true));
    EXPECT_TRUE(Set()) << "a key made under it";

    Arm(true, 15);
    Watched.CloseKey();
    Write("Office\\Common", "Theme", 5);
    EXPECT_FALSE(Set()) << "closing the key ends the watch";

    EXPECT_EQ(RegNotifyChangeKeyValue(Watched.CurrentKey(), true, 15, &Event, true), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegNotifyChangeKeyValue(HKEY_CURRENT_USER, true, 15, &Event, false), ERROR_INVALID_PARAMETER);
    ASSERT_EQ(RegNotifyChangeKeyValue(HKEY_CURRENT_USER, true, 15, &Event, true), ERROR_SUCCESS);
    Write("Anywhere", "V", 1);
    EXPECT_TRUE(Set()) << "the root's subtree is everything";
}
