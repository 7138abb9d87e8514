#include "rtl/SysUtils.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(SysUtilsFiles, NamesSplitAtBothDelimiters)
{
    const struct {
        const char *Name, *Path, *Dir, *File, *Ext;
    } Cases[] = {
        {"C:\\dir\\file.txt", "C:\\dir\\", "C:\\dir", "file.txt", ".txt"},
        {"/a/b/c.lng", "/a/b/", "/a/b", "c.lng", ".lng"},
        {"a\\b/c", "a\\b/", "a\\b", "c", ""},
        {"LANGUAGE\\English.LNG", "LANGUAGE\\", "LANGUAGE", "English.LNG", ".LNG"},
        {"a.b/c", "a.b/", "a.b", "c", ""},
        {"a/b.c.txt", "a/", "a", "b.c.txt", ".txt"},
        {"file", "", "", "file", ""},
        {"/c", "/", "/", "c", ""},
        {"dir/", "dir/", "dir", "", ""},
        {"", "", "", "", ""},
    };
    for (const auto& C : Cases) {
        EXPECT_EQ(ExtractFilePath(C.Name), C.Path) << C.Name;
        EXPECT_EQ(ExtractFileDir(C.Name), C.Dir) << C.Name;
        EXPECT_EQ(ExtractFileName(C.Name), C.File) << C.Name;
        EXPECT_EQ(ExtractFileExt(C.Name), C.Ext) << C.Name;
    }
}

TEST(SysUtilsFiles, BuildingNames)
{
    EXPECT_EQ(ChangeFileExt("a/b.txt", ".bak"), "a/b.bak");
    EXPECT_EQ(ChangeFileExt("a.b\\c", ".x"), "a.b\\c.x");
    EXPECT_EQ(ChangeFileExt("f", ".x"), "f.x");
    EXPECT_EQ(ChangeFileExt("f.txt", ""), "f");
    EXPECT_EQ(IncludeTrailingPathDelimiter("a"), "a/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("a/"), "a/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("a\\"), "a\\");
    EXPECT_EQ(IncludeTrailingPathDelimiter(""), "/");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("a/"), "a");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("a\\"), "a");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("a"), "a");
    EXPECT_EQ(ExpandFileName("x/../y.txt"), QDir::currentPath() + "/y.txt");
    EXPECT_EQ(ExpandFileName("/a/./b/../c/"), "/a/c/");
}

class SysUtilsFolder : public ::testing::Test {
protected:
    QTemporaryDir Temp;
    String Dir;

    void SetUp() override
    {
        ASSERT_TRUE(Temp.isValid());
        Dir = Temp.path();
    }

    String PathOf(const String& Name) const { return Dir + "/" + Name; }

    void Write(const String& Name, const QByteArray& Bytes) const
    {
        QFile F(PathOf(Name));
        ASSERT_TRUE(F.open(QIODevice::WriteOnly));
        F.write(Bytes);
    }

    QByteArray Read(const String& Name) const
    {
        QFile F(PathOf(Name));
        return F.open(QIODevice::ReadOnly) ? F.readAll() : QByteArray("<missing>");
    }
};

TEST_F(SysUtilsFolder, ListerMatchesMasksIgnoringCaseAndSortsNames)
{
    for (const char* Name : {"c.lng", "B.lng", "a.LNG", "d.txt", "noext", ".hidden.lng", "e.lngx"})
        Write(Name, "12345");
    ASSERT_TRUE(CreateDir(PathOf("Sub.Lng")));
    const struct {
        const char* Mask;
        Integer Attr;
        QStringList Names;
    } Cases[] = {
        {"*.lng", 0, {"a.LNG", "B.lng", "c.lng"}},
        {"*.LNG", faDirectory, {"a.LNG", "B.lng", "c.lng", "Sub.Lng"}},
        {"*.lng", faAnyFile, {".hidden.lng", "a.LNG", "B.lng", "c.lng", "Sub.Lng"}},
        {"*.*", 0, {"a.LNG", "B.lng", "c.lng", "d.txt", "e.lngx", "noext"}},
        {"*", 0, {"a.LNG", "B.lng", "c.lng", "d.txt", "e.lngx", "noext"}},
        {"?.TXT", 0, {"d.txt"}},
        {"?.lng?", 0, {"e.lngx"}},
        {"b*", 0, {"B.lng"}},
        {"*.xml", faAnyFile, {}},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(FindFiles(Dir, C.Mask, C.Attr), C.Names) << C.Mask;
    // The trailing delimiter of the folder may be either.
    EXPECT_EQ(FindFiles(Dir + "/", "b.LNG", 0), QStringList{"B.lng"});
}

TEST_F(SysUtilsFolder, FindFirstAndFindNextDescribeEachEntry)
{
    Write("b.bin", "12345");
    ASSERT_TRUE(CreateDir(PathOf("A")));
    TSearchRec F;
    ASSERT_EQ(FindFirst(PathOf("*"), faAnyFile, F), 0);
    EXPECT_EQ(F.Name, "A");
    EXPECT_TRUE(F.Attr & faDirectory);
    ASSERT_EQ(FindNext(F), 0);
    EXPECT_EQ(F.Name, "b.bin");
    EXPECT_EQ(F.Size, 5);
    EXPECT_FALSE(F.Attr & faDirectory);
    EXPECT_NE(F.Time, 0);
    Word Y, M, D;
    DecodeDate(F.TimeStamp, Y, M, D);
    EXPECT_GE(Y, 2024);
    EXPECT_NE(FindNext(F), 0);
    FindClose(F);
    EXPECT_NE(FindNext(F), 0);
    EXPECT_NE(FindFirst(PathOf("*.none"), faAnyFile, F), 0);
    EXPECT_NE(FindFirst(PathOf("missing/*"), faAnyFile, F), 0);
}

TEST_F(SysUtilsFolder, FindExistingNameAnswersTheStoredName)
{
    Write("English.LNG", "x");
    Write("x.txt", "lower");
    Write("X.txt", "upper");
    EXPECT_EQ(FindExistingName(Dir, "english.lng"), "English.LNG");
    EXPECT_EQ(FindExistingName(Dir, "English.LNG"), "English.LNG");
    EXPECT_EQ(FindExistingName(Dir, "x.txt"), "x.txt");
    EXPECT_EQ(FindExistingName(Dir, "X.txt"), "X.txt");
    EXPECT_EQ(FindExistingName(Dir, "X.TXT"), "X.txt");
    EXPECT_EQ(FindExistingName(Dir, "german.lng"), "");
    EXPECT_EQ(FindExistingName(Dir, ""), "");
    EXPECT_EQ(FindExistingName(PathOf("missing"), "x.txt"), "");
}

TEST_F(SysUtilsFolder, CreatingAndRemovingFolders)
{
    EXPECT_TRUE(CreateDir(PathOf("one")));
    EXPECT_FALSE(CreateDir(PathOf("one")));
    EXPECT_FALSE(CreateDir(PathOf("x/y")));
    EXPECT_TRUE(ForceDirectories(PathOf("a/b/c")));
    EXPECT_TRUE(ForceDirectories(PathOf("a/b/c")));
    EXPECT_TRUE(DirectoryExists(PathOf("a/b/c")));
    EXPECT_FALSE(FileExists(PathOf("a/b/c")));
    EXPECT_THROW(ForceDirectories(""), EInOutError);
    EXPECT_FALSE(RemoveDir(PathOf("a/b")));
    EXPECT_TRUE(RemoveDir(PathOf("a/b/c")));
    EXPECT_FALSE(DirectoryExists(PathOf("a/b/c")));
}

TEST_F(SysUtilsFolder, CopyDeleteAndRenameFiles)
{
    Write("src", "new");
    Write("dst", "old");
    EXPECT_TRUE(FileExists(PathOf("src")));
    EXPECT_FALSE(DirectoryExists(PathOf("src")));

    EXPECT_FALSE(CopyFile(PathOf("src"), PathOf("dst"), true));
    EXPECT_EQ(Read("dst"), "old");
    EXPECT_TRUE(CopyFile(PathOf("src"), PathOf("dst"), false));
    EXPECT_EQ(Read("dst"), "new");
    EXPECT_TRUE(CopyFile(PathOf("src"), PathOf("fresh"), true));
    EXPECT_EQ(Read("fresh"), "new");
    EXPECT_FALSE(CopyFile(PathOf("missing"), PathOf("dst"), false));
    EXPECT_FALSE(CopyFile(PathOf("src"), PathOf("nofolder/dst"), false));
    EXPECT_EQ(FindFiles(Dir, "*", faAnyFile), (QStringList{"dst", "fresh", "src"}));

    EXPECT_FALSE(RenameFile(PathOf("src"), PathOf("dst")));
    EXPECT_TRUE(RenameFile(PathOf("src"), PathOf("moved")));
    EXPECT_EQ(Read("moved"), "new");
    EXPECT_FALSE(FileExists(PathOf("src")));

    ASSERT_TRUE(CreateDir(PathOf("folder")));
    EXPECT_FALSE(DeleteFile(PathOf("folder")));
    EXPECT_TRUE(DeleteFile(PathOf("moved")));
    EXPECT_FALSE(DeleteFile(PathOf("moved")));
}

} // namespace
