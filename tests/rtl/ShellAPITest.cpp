#include "rtl/ShellAPI.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QImage IconImage(const String& Path, bool Large)
{
    TBitmap Icon;
    if (!GetShellFileIcon(Path, Large, &Icon))
        return {};
    EXPECT_EQ(Icon.Width(), ShellIconSize(Large)) << Path.toStdString();
    EXPECT_EQ(Icon.Height(), ShellIconSize(Large)) << Path.toStdString();
    return Icon.ToImage();
}

TEST(ShellAPITest, IconsOfFilesAndFoldersBySize)
{
    QTemporaryDir Dir;
    ASSERT_TRUE(Dir.isValid());
    ASSERT_TRUE(QDir().mkpath(Dir.path() + QStringLiteral("/Sub")));
    QFile File(Dir.path() + QStringLiteral("/file.bin"));
    ASSERT_TRUE(File.open(QIODevice::WriteOnly));
    File.close();

    const QImage Folder = IconImage(Dir.path() + QStringLiteral("/Sub"), false);
    ASSERT_FALSE(Folder.isNull());
    // Found ignoring case: the folder's icon, not a file's.
    EXPECT_EQ(IconImage(Dir.path() + QStringLiteral("/SUB"), false), Folder);
    EXPECT_NE(IconImage(Dir.path() + QStringLiteral("/FILE.BIN"), false), Folder);
    // A path that does not exist has the icon of its type.
    EXPECT_FALSE(IconImage(Dir.path() + QStringLiteral("/missing.txt"), true).isNull());

    TBitmap Untouched;
    EXPECT_FALSE(GetShellFileIcon(QString(), false, &Untouched));
    EXPECT_TRUE(Untouched.Empty());
}

} // namespace
