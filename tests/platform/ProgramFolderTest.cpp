#include "platform/ProgramFolder.h"

#include "ScopedEnv.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <unistd.h>

using namespace platform;

TEST(ProgramFolder, IsTheExecutablesFolderUnlessOverridden)
{
    const QString exeDir = QFileInfo(QFileInfo("/proc/self/exe").canonicalFilePath()).absolutePath();
    const struct {
        std::optional<QByteArray> Env;
        QString Expected;
    } cases[] = {
        {std::nullopt, exeDir},
        {QByteArray(), exeDir},
        {QByteArray("/opt/cfg/program/"), "/opt/cfg/program"},
        {QByteArray("/opt/cfg/./x/../program"), "/opt/cfg/program"},
        {QByteArray("relative/dir"), QDir::current().absoluteFilePath("relative/dir")},
    };
    for (const auto& c : cases) {
        ScopedEnv env(ProgramDirEnv, c.Env);
        EXPECT_EQ(ProgramFolder(), c.Expected) << (c.Env ? c.Env->constData() : "(unset)");
    }
}

TEST(ProgramFolder, UserDataFolderFollowsXdgDataHome)
{
    ScopedEnv home("HOME", QByteArray("/home/tester"));
    const struct {
        std::optional<QByteArray> Env;
        QString Product;
        QString Expected;
    } cases[] = {
        {QByteArray("/data/user/"), "Configurator", "/data/user/Configurator"},
        {std::nullopt, "Configurator", "/home/tester/.local/share/Configurator"},
        {QByteArray(), "Configurator", "/home/tester/.local/share/Configurator"},
        {QByteArray("not/absolute"), "Configurator", "/home/tester/.local/share/Configurator"},
        {QByteArray("/data/user"), "", "/data/user"},
    };
    for (const auto& c : cases) {
        ScopedEnv env("XDG_DATA_HOME", c.Env);
        EXPECT_EQ(UserDataFolder(c.Product), c.Expected) << (c.Env ? c.Env->constData() : "(unset)");
    }
}

TEST(ProgramFolder, WritableFolderIsTriedAndLeftClean)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath("file.txt");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    const QString readOnly = dir.filePath("readonly");
    ASSERT_TRUE(QDir(dir.path()).mkdir("readonly"));
    QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ExeOwner);

    EXPECT_TRUE(IsFolderWritable(dir.path()));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({"file.txt", "readonly"}))
        << "the probe file must be removed";
    EXPECT_FALSE(IsFolderWritable(dir.filePath("missing")));
    EXPECT_FALSE(IsFolderWritable(file));
    EXPECT_FALSE(IsFolderWritable(""));
    EXPECT_FALSE(IsFolderWritable("/proc"));
    // Permission bits do not bind the superuser; the probe tells the truth either way.
    EXPECT_EQ(IsFolderWritable(readOnly), ::geteuid() == 0);
    QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
