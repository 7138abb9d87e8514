#include "common/OtherUser.h"
#include "rtl/SysUtils.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

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

    // Writes the file, and the folders it needs.
    void Write(const String& Name, const QByteArray& Bytes) const
    {
        QDir().mkpath(QFileInfo(PathOf(Name)).path());
        QFile F(PathOf(Name));
        ASSERT_TRUE(F.open(QIODevice::WriteOnly));
        F.write(Bytes);
    }

    QByteArray Read(const String& Name) const
    {
        QFile F(PathOf(Name));
        return F.open(QIODevice::ReadOnly) ? F.readAll() : QByteArray("<missing>");
    }

    QStringList Entries(const String& Folder = String()) const
    {
        return QDir(Folder.isEmpty() ? Dir : PathOf(Folder))
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    }

    // The message of the exception Body raises; empty when it raised none.
    template <class TException, class TBody>
    static String ErrorOf(TBody Body)
    {
        try {
            Body();
        } catch (const TException& E) {
            return E.Message();
        }
        return String();
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

// A limit on the size of files the process writes: a write beyond it fails
// for any user, root included, as on a full disk.
class TFileSizeLimit {
public:
    explicit TFileSizeLimit(rlim_t Bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &FSaved);
        rlimit Limit = FSaved;
        Limit.rlim_cur = Bytes;
        setrlimit(RLIMIT_FSIZE, &Limit);
    }
    ~TFileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &FSaved);
        std::signal(SIGXFSZ, SIG_DFL);
    }

private:
    rlimit FSaved{};
};

TEST_F(SysUtilsFolder, TheReaderTakesRegularFilesUpToItsCap)
{
    Write("plain.xml", "<a/>");
    EXPECT_EQ(ReadFileBytes(PathOf("plain.xml")), QByteArray("<a/>"));
    ASSERT_TRUE(QFile::link(PathOf("plain.xml"), PathOf("link.xml")));
    EXPECT_EQ(ReadFileBytes(PathOf("link.xml")), QByteArray("<a/>"));

    // A FIFO would hang a reader, a device would flood it.
    ASSERT_EQ(::mkfifo(QFile::encodeName(PathOf("fifo.xml")).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), PathOf("zero.xml")));
    ASSERT_TRUE(QDir().mkdir(PathOf("folder.xml")));
    Write("large.xml", "<");
    ASSERT_TRUE(QFile::resize(PathOf("large.xml"), MaxFileReadSize + 1));   // sparse: no disk space
    const std::pair<const char*, const char*> Refused[] = {
        {"fifo.xml", "Not a regular file"},
        {"zero.xml", "Not a regular file"},
        {"folder.xml", "directory"},
        {"large.xml", "larger than 64 MB"},
        {"missing.xml", "No such file"},
    };
    for (const auto& [Name, Reason] : Refused) {
        SCOPED_TRACE(Name);
        const String Message = ErrorOf<EFOpenError>([&] { ReadFileBytes(PathOf(QString::fromLatin1(Name))); });
        EXPECT_TRUE(Message.contains(PathOf(QString::fromLatin1(Name)))) << Message.toStdString();
        EXPECT_TRUE(Message.contains(QString::fromLatin1(Reason), Qt::CaseInsensitive)) << Message.toStdString();
    }
    Write("exact.xml", "<");
    ASSERT_TRUE(QFile::resize(PathOf("exact.xml"), MaxFileReadSize));
    EXPECT_EQ(ReadFileBytes(PathOf("exact.xml")).size(), MaxFileReadSize);
}

// A full disk: a copy cut short must not replace the target, and both the
// copy and the save report it.
TEST_F(SysUtilsFolder, AWriteCutShortReplacesNothing)
{
    Write("source.xml", QByteArray(64 * 1024, 'n'));
    Write("target.xml", "old");
    {
        const TFileSizeLimit Limit(4096);
        EXPECT_FALSE(CopyFile(PathOf("source.xml"), PathOf("target.xml"), false));
        const String Message = ErrorOf<EFCreateError>(
            [&] { CopyFileAtomically(PathOf("source.xml"), PathOf("target.xml")); });
        EXPECT_TRUE(Message.contains(PathOf("target.xml"))) << Message.toStdString();
        EXPECT_FALSE(ErrorOf<EFCreateError>([&] { WriteFileAtomically(PathOf("target.xml"), Read("source.xml")); })
                         .isEmpty());
    }
    EXPECT_EQ(Read("target.xml"), QByteArray("old"));
    EXPECT_EQ(Entries(), QStringList({"source.xml", "target.xml"}));
    EXPECT_TRUE(CopyFile(PathOf("source.xml"), PathOf("target.xml"), false));
    EXPECT_EQ(Read("target.xml"), Read("source.xml"));
}

TEST_F(SysUtilsFolder, LeftoversOfAnInterruptedSaveGoAtTheNextSaveOfThatFile)
{
    for (const char* Name : {"conf.xml.~a1b2", "conf.xml.~z", "conf.xml.~1~", "conf.xml.~", "conf.xml.bak",
                             "other.xml.~a1b2"})
        Write(QString::fromLatin1(Name), "left");
    ASSERT_TRUE(QDir().mkdir(PathOf("conf.xml.~dir")));
    WriteFileAtomically(PathOf("conf.xml"), "new");
    EXPECT_EQ(Read("conf.xml"), QByteArray("new"));
    // Only files named as this file's temporary files go.
    EXPECT_EQ(Entries(), QStringList({"conf.xml", "conf.xml.bak", "conf.xml.~", "conf.xml.~1~", "conf.xml.~dir",
                                      "other.xml.~a1b2"}));
    EXPECT_TRUE(IsTemporaryFileName(QStringLiteral("bin.~k3z9"), QStringLiteral("bin")));
    EXPECT_FALSE(IsTemporaryFileName(QStringLiteral("bin.~K3"), QStringLiteral("bin")));
    EXPECT_TRUE(IsTemporaryFileName(ExtractFileName(TemporaryFileName(PathOf("x"))), QStringLiteral("x")));
}

// A configuration received with links: a save writes through a link only
// when the file it leads to lies inside the fence (the configuration).
TEST_F(SysUtilsFolder, LinksAreWrittenThroughOnlyInsideTheFence)
{
    const String Fence = PathOf("conf");
    Write("conf/sub/real.xml", "real");
    Write("outside.xml", "user's own file");
    ASSERT_TRUE(QDir().mkdir(PathOf("elsewhere")));
    ASSERT_TRUE(QFile::link(PathOf("conf/sub/real.xml"), PathOf("conf/inside.xml")));
    ASSERT_TRUE(QFile::link(PathOf("outside.xml"), PathOf("conf/out.xml")));
    ASSERT_TRUE(QFile::link(QStringLiteral("../outside.xml"), PathOf("conf/relative.xml")));
    ASSERT_TRUE(QFile::link(PathOf("elsewhere"), PathOf("conf/bin")));

    WriteFileAtomically(PathOf("conf/inside.xml"), "through", Fence);
    EXPECT_EQ(Read("conf/sub/real.xml"), QByteArray("through"));
    EXPECT_TRUE(QFileInfo(PathOf("conf/inside.xml")).isSymLink());

    for (const char* Name : {"conf/out.xml", "conf/relative.xml", "conf/bin/image.bin"}) {
        SCOPED_TRACE(Name);
        const String Message =
            ErrorOf<EFCreateError>([&] { WriteFileAtomically(PathOf(QString::fromLatin1(Name)), "x", Fence); });
        EXPECT_TRUE(Message.contains(QStringLiteral("outside"))) << Message.toStdString();
    }
    EXPECT_EQ(Read("outside.xml"), QByteArray("user's own file"));
    EXPECT_TRUE(QFileInfo(PathOf("conf/out.xml")).isSymLink());
    EXPECT_TRUE(Entries("elsewhere").isEmpty());

    // Without a fence (a file the user chose) a link is followed anywhere.
    WriteFileAtomically(PathOf("conf/out.xml"), "chosen");
    EXPECT_EQ(Read("outside.xml"), QByteArray("chosen"));
}

TEST_F(SysUtilsFolder, AFileTheUserMayNotWriteIsNotReplaced)
{
    Write("shared/locked.xml", "keep");
    Write("shared/open.xml", "old");
    ASSERT_TRUE(QFile::setPermissions(PathOf("shared/locked.xml"), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    ASSERT_TRUE(QFile::setPermissions(PathOf("shared/open.xml"), QFileDevice::Permissions(0x7777)));
    // The other user may write the folder (and the files it owns), not the
    // read-only file.
    ASSERT_EQ(::chmod(QFile::encodeName(Dir).constData(), 0777), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(PathOf("shared")).constData(), 0777), 0);
    std::string Why;
    const int Code = testuser::RunAsOtherUser(
        [&] {
            const String Locked = ErrorOf<EFCreateError>([&] { WriteFileAtomically(PathOf("shared/locked.xml"), "x"); });
            if (!Locked.contains(QStringLiteral("read-only")))
                return 1;
            WriteFileAtomically(PathOf("shared/open.xml"), "new");
            return 0;
        },
        Why);
    if (Code < 0)
        GTEST_SKIP() << Why;
    EXPECT_EQ(Code, 0);
    EXPECT_EQ(Read("shared/locked.xml"), QByteArray("keep"));
    EXPECT_EQ(Read("shared/open.xml"), QByteArray("new"));
    EXPECT_EQ(Entries("shared"), QStringList({"locked.xml", "open.xml"}));
}

} // namespace
