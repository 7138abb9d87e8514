// Writing the two images: the "bin" folder, failures and old images.
#include "SaveBinTestSupport.h"

#include "common/OtherUser.h"
#include "iolink/USaveBincc.h"

#include <QDir>

#include <sys/stat.h>

using namespace savebin_test;

namespace {

class SaveBinSaveTest : public TBinProject {
protected:
    // Old images that a failed step must leave as they are.
    void WriteOldImages()
    {
        ASSERT_TRUE(QDir(PathIn(QString())).mkpath(QStringLiteral("bin")));
        WriteFile(BinFile("bank1.bin"), "old bank1");
        WriteFile(BinFile("bank2.bin"), "old bank2");
    }
    void ExpectOldImages()
    {
        EXPECT_EQ(ReadFile(BinFile("bank1.bin")), QByteArray("old bank1"));
        EXPECT_EQ(ReadFile(BinFile("bank2.bin")), QByteArray("old bank2"));
    }
    QStringList BinEntries() const
    {
        return QDir(PathIn(QStringLiteral("bin"))).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }
    String SaveError()
    {
        try {
            Save_Bin();
        } catch (const ESaveBinError& E) {
            return E.Message();
        }
        ADD_FAILURE() << "Save_Bin reported no error";
        return String();
    }
};

TEST_F(SaveBinSaveTest, CreatesTheBinFolderAndWritesBothImages)
{
    WriteParGen({{"EtherNetIP_IP4", "9"}});
    Compile_Bin();
    ASSERT_FALSE(QDir(PathIn(QStringLiteral("bin"))).exists());
    Save_Bin();
    EXPECT_EQ(ReadFile(BinFile("bank1.bin")), Bin_Bank1());
    EXPECT_EQ(ReadFile(BinFile("bank1.bin")).size(), 2048);
    EXPECT_EQ(ReadFile(BinFile("bank2.bin")), Bin_Bank2());
    EXPECT_EQ(BinEntries(), QStringList({QStringLiteral("bank1.bin"), QStringLiteral("bank2.bin")}));
}

TEST_F(SaveBinSaveTest, ReplacesOldImagesAndKeepsTheStoredLetterCase)
{
    ASSERT_TRUE(QDir(PathIn(QString())).mkpath(QStringLiteral("BIN")));
    WriteFile(PathIn(QStringLiteral("BIN/BANK1.BIN")), "old bank1");
    Compile_Bin();
    Save_Bin();
    EXPECT_EQ(ReadFile(PathIn(QStringLiteral("BIN/BANK1.BIN"))), Bin_Bank1());
    EXPECT_EQ(ReadFile(PathIn(QStringLiteral("BIN/bank2.bin"))), Bin_Bank2());
    EXPECT_FALSE(QDir(PathIn(QStringLiteral("bin"))).exists());
}

TEST_F(SaveBinSaveTest, FailedCompileWritesNothing)
{
    WriteOldImages();
    Compile_Bin();   // a good build first: the failed one must not leave it behind
    WriteFile(File_ParGen, "<Par_Gen>");
    EXPECT_THROW(Compile_Bin(), ESaveBinError);
    EXPECT_THROW(Save_Bin(), ESaveBinError);
    ExpectOldImages();
}

TEST_F(SaveBinSaveTest, EveryWriteFailureIsReportedAndNothingIsReplaced)
{
    struct TCase {
        const char* Name;
        std::vector<const char*> InTheWay;   // folders where an image should go
        std::vector<const char*> Named;      // files the message must name
    };
    const TCase Cases[] = {
        {"first image", {"bank1.bin"}, {"bank1.bin"}},
        {"second image", {"bank2.bin"}, {"bank2.bin"}},
        {"both images", {"bank1.bin", "bank2.bin"}, {"bank1.bin", "bank2.bin"}},
    };
    Compile_Bin();
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        QDir(PathIn(QStringLiteral("bin"))).removeRecursively();
        WriteOldImages();
        for (const char* Name : C.InTheWay) {
            ASSERT_TRUE(QFile::remove(BinFile(Name)));
            ASSERT_TRUE(QDir().mkpath(BinFile(Name)));
        }
        const String Message = SaveError();
        for (const char* Name : C.Named)
            EXPECT_TRUE(Message.contains(BinFile(Name))) << Message.toStdString();
        // The image that could be written did not replace its old file, and
        // no temporary file is left.
        for (const char* Name : {"bank1.bin", "bank2.bin"}) {
            if (QFileInfo(BinFile(Name)).isFile()) {
                EXPECT_EQ(ReadFile(BinFile(Name)), QByteArray("old ") + QByteArray(Name).left(5));
            }
        }
        EXPECT_EQ(BinEntries().size(), 2) << BinEntries().join(u' ').toStdString();
    }
}

// The pair is replaced as one: the images keep their old files' mode, other
// files of the folder stay, and the folder of an interrupted save goes.
TEST_F(SaveBinSaveTest, ThePairIsReplacedAsOneKeepingWhatElseIsThere)
{
    WriteOldImages();
    ASSERT_EQ(::chmod(QFile::encodeName(BinFile("bank1.bin")).constData(), 0640), 0);
    WriteFile(BinFile("notes.txt"), "the user's notes");
    ASSERT_TRUE(QDir().mkpath(PathIn(QStringLiteral("bin.~k3z9"))));
    WriteFile(PathIn(QStringLiteral("bin.~k3z9/bank1.bin")), "half");
    WriteFile(BinFile("bank2.bin.~x1"), "half");
    Compile_Bin();
    Save_Bin();
    EXPECT_EQ(ReadFile(BinFile("bank1.bin")), Bin_Bank1());
    EXPECT_EQ(ReadFile(BinFile("bank2.bin")), Bin_Bank2());
    struct stat Image {};
    ASSERT_EQ(::stat(QFile::encodeName(BinFile("bank1.bin")).constData(), &Image), 0);
    EXPECT_EQ(Image.st_mode & 07777, 0640u);
    EXPECT_EQ(ReadFile(BinFile("notes.txt")), QByteArray("the user's notes"));
    EXPECT_EQ(BinEntries(), QStringList({"bank1.bin", "bank2.bin", "notes.txt"}));
    EXPECT_EQ(QDir(PathIn(QString())).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList({"bin"}));

    // A folder inside "bin" cannot go along with an exchange of folders:
    // the images are then replaced one after the other.
    ASSERT_TRUE(QDir().mkpath(BinFile("keep/inner")));
    WriteOldImages();
    Save_Bin();
    EXPECT_EQ(ReadFile(BinFile("bank1.bin")), Bin_Bank1());
    EXPECT_EQ(ReadFile(BinFile("bank2.bin")), Bin_Bank2());
    EXPECT_EQ(BinEntries(), QStringList({"bank1.bin", "bank2.bin", "keep", "notes.txt"}));
}

// A "bin" that leads out of the configuration is not written into, nor is
// an image the user may not write replaced.
TEST_F(SaveBinSaveTest, LinksOutAndReadOnlyImagesAreRefused)
{
    Compile_Bin();
    ASSERT_TRUE(QDir().mkpath(PathIn(QStringLiteral("../elsewhere"))));
    ASSERT_TRUE(QFile::link(PathIn(QStringLiteral("../elsewhere")), PathIn(QStringLiteral("bin"))));
    EXPECT_TRUE(SaveError().contains(QStringLiteral("outside"))) << SaveError().toStdString();
    EXPECT_TRUE(QDir(PathIn(QStringLiteral("../elsewhere"))).isEmpty());
    ASSERT_TRUE(QFile::remove(PathIn(QStringLiteral("bin"))));

    // A link to a folder inside the configuration is followed.
    ASSERT_TRUE(QDir().mkpath(PathIn(QStringLiteral("images"))));
    ASSERT_TRUE(QFile::link(PathIn(QStringLiteral("images")), PathIn(QStringLiteral("bin"))));
    Save_Bin();
    EXPECT_EQ(ReadFile(PathIn(QStringLiteral("images/bank2.bin"))), Bin_Bank2());
    EXPECT_TRUE(QFileInfo(PathIn(QStringLiteral("bin"))).isSymLink());

    ASSERT_EQ(::chmod(QFile::encodeName(PathIn(QString())).constData(), 0777), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(PathIn(QStringLiteral("images"))).constData(), 0777), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(PathIn(QStringLiteral("images/bank1.bin"))).constData(), 0444), 0);
    const QByteArray Old = ReadFile(PathIn(QStringLiteral("images/bank1.bin")));
    std::string Why;
    const int Code = testuser::RunAsOtherUser(
        [&] {
            try {
                Save_Bin();
            } catch (const ESaveBinError& E) {
                return E.Message().contains(QStringLiteral("read-only")) ? 0 : 1;
            }
            return 2;
        },
        Why);
    if (Code < 0)
        GTEST_SKIP() << Why;
    EXPECT_EQ(Code, 0);
    EXPECT_EQ(ReadFile(PathIn(QStringLiteral("images/bank1.bin"))), Old);
}

TEST_F(SaveBinSaveTest, BinFolderThatCannotBeMadeIsReported)
{
    WriteFile(PathIn(QStringLiteral("bin")), "a file, not a folder");
    Compile_Bin();
    EXPECT_TRUE(SaveError().contains(PathIn(QStringLiteral("bin"))));
}

TEST_F(SaveBinSaveTest, NothingBuiltNothingWritten)
{
    // A failed build empties the images of an earlier one.
    Compile_Bin();
    WriteFile(File_ParGen, "not xml");
    EXPECT_THROW(Compile_Bin(), ESaveBinError);
    EXPECT_FALSE(SaveError().isEmpty());
    EXPECT_FALSE(QDir(PathIn(QStringLiteral("bin"))).exists());
}

} // namespace
