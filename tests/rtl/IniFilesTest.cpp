#include "rtl/IniFiles.h"
#include "RtlTestPrint.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

class IniFiles : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(Dir.isValid()); }

    String Path(const String& Name = "settings.ini") const { return Dir.filePath(Name); }

    void Put(const QByteArray& Bytes, const String& Name = "settings.ini") const
    {
        QFile F(Path(Name));
        ASSERT_TRUE(F.open(QIODevice::WriteOnly | QIODevice::Truncate));
        F.write(Bytes);
    }

    QByteArray Get(const String& Name = "settings.ini") const
    {
        QFile F(Path(Name));
        return F.open(QIODevice::ReadOnly) ? F.readAll() : QByteArray("<missing>");
    }

    QTemporaryDir Dir;
};

std::vector<String> Lines(const TStrings& S)
{
    std::vector<String> R;
    for (int I = 0; I < S.Count(); ++I)
        R.push_back(S.Strings(I));
    return R;
}

const QByteArray Sample = "; settings of the grid\r\n"
                          "\r\n"
                          "[Grid]\r\n"
                          "Col0 = 64\r\n"
                          "  col1=100  \r\n"
                          "no equals sign here\r\n"
                          "; Col2=5\r\n"
                          "Col0=999\r\n"
                          "\r\n"
                          "; next the colours\r\n"
                          "[ Colours ]\r\n"
                          "Back=$FF\r\n"
                          "[Empty]\r\n"
                          "[grid]\r\n"
                          "Col3=7\r\n";

} // namespace

TEST_F(IniFiles, ReadsKeysWithoutCaseTrimmedAndTheFirstOfDuplicates)
{
    Put(Sample);
    for (auto Make : std::vector<std::function<TCustomIniFile*()>>{
             [&] { return new TIniFile(Path()); }, [&] { return new TMemIniFile(Path()); }}) {
        std::unique_ptr<TCustomIniFile> Ini(Make());
        EXPECT_EQ(Ini->ReadString("GRID", "col0", "x"), "64");
        EXPECT_EQ(Ini->ReadString("grid", "COL1", "x"), "100");
        EXPECT_EQ(Ini->ReadString("Grid", "Col2", "x"), "x");
        EXPECT_EQ(Ini->ReadString("Grid", "Col3", "x"), "x");
        EXPECT_EQ(Ini->ReadString("colours", "back", "x"), "$FF");
        EXPECT_EQ(Ini->ReadString("Missing", "Col0", "dflt"), "dflt");

        TStringList S;
        Ini->ReadSections(&S);
        EXPECT_EQ(Lines(S), (std::vector<String>{"Grid", "Colours", "Empty"}));
        Ini->ReadSection("grid", &S);
        EXPECT_EQ(Lines(S), (std::vector<String>{"Col0", "col1"}));
        Ini->ReadSectionValues("Grid", &S);
        EXPECT_EQ(Lines(S), (std::vector<String>{"Col0=64", "col1=100"}));
        EXPECT_TRUE(Ini->SectionExists("COLOURS"));
        EXPECT_FALSE(Ini->SectionExists("Empty"));
        EXPECT_FALSE(Ini->SectionExists("Nowhere"));
        EXPECT_TRUE(Ini->ValueExists("Grid", "COL1"));
        EXPECT_FALSE(Ini->ValueExists("Grid", "Col2"));
    }
}

TEST_F(IniFiles, NumbersAndBooleansReadAsTheFrameworkConvertsThem)
{
    Put("[N]\r\na=10\r\nb=$1F\r\nc=0x1F\r\nd=010\r\ne=abc\r\nf=\r\ng=99999999999\r\nh=-7\r\n"
        "t=1\r\nu=0\r\nv=2\r\nw=yes\r\nx=1.5\r\ny=1,5\r\nz=1e3\r\n");
    TMemIniFile Ini(Path());
    const std::vector<std::pair<const char*, Integer>> Ints{
        {"a", 10}, {"b", 31}, {"c", 31}, {"d", 10}, {"e", -1}, {"f", -1}, {"g", -1}, {"h", -7}, {"none", -1}};
    for (const auto& [Key, Expected] : Ints)
        EXPECT_EQ(Ini.ReadInteger("N", Key, -1), Expected) << Key;
    const std::vector<std::tuple<const char*, bool, bool>> Bools{
        {"t", false, true}, {"u", true, false}, {"v", false, true}, {"w", true, true}, {"w", false, false},
        {"none", true, true}};
    for (const auto& [Key, Default, Expected] : Bools)
        EXPECT_EQ(Ini.ReadBool("N", Key, Default), Expected) << Key;

    EXPECT_DOUBLE_EQ(Ini.ReadFloat("N", "x", 0), 1.5);
    EXPECT_DOUBLE_EQ(Ini.ReadFloat("N", "y", -2), -2);
    EXPECT_DOUBLE_EQ(Ini.ReadFloat("N", "z", 0), 1000);
    EXPECT_DOUBLE_EQ(Ini.ReadFloat("N", "none", 4.25), 4.25);
    const TFormatSettings Saved = FormatSettings;
    FormatSettings.DecimalSeparator = u',';
    EXPECT_DOUBLE_EQ(Ini.ReadFloat("N", "y", -2), 1.5);
    FormatSettings = Saved;

    Ini.WriteInteger("W", "i", -42);
    Ini.WriteBool("W", "t", true);
    Ini.WriteBool("W", "f", false);
    EXPECT_EQ(Ini.ReadString("W", "i", ""), "-42");
    EXPECT_EQ(Ini.ReadString("W", "t", ""), "1");
    EXPECT_EQ(Ini.ReadString("W", "f", ""), "0");
}

TEST_F(IniFiles, RewriteKeepsCommentsBlankLinesAndOrder)
{
    Put(Sample);
    {
        TIniFile Ini(Path());
        Ini.WriteString("GRID", "COL1", " 120 ");
        Ini.WriteInteger("Grid", "Col9", 9);
        Ini.WriteString("Empty", "k", "v");
        Ini.WriteString("New", "Key", "a b");
        Ini.DeleteKey("grid", "col0");
    }
    EXPECT_EQ(Get(), QByteArray("; settings of the grid\r\n"
                                "\r\n"
                                "[Grid]\r\n"
                                "col1=120\r\n"
                                "no equals sign here\r\n"
                                "; Col2=5\r\n"
                                "Col9=9\r\n"
                                "\r\n"
                                "; next the colours\r\n"
                                "[ Colours ]\r\n"
                                "Back=$FF\r\n"
                                "[Empty]\r\n"
                                "k=v\r\n"
                                "[grid]\r\n"
                                "Col3=7\r\n"
                                "\r\n"
                                "[New]\r\n"
                                "Key=a b\r\n"));

    TIniFile Ini(Path());
    Ini.EraseSection("grid");
    Ini.EraseSection("Nowhere");
    EXPECT_EQ(Get(), QByteArray("; settings of the grid\r\n"
                                "\r\n"
                                "[ Colours ]\r\n"
                                "Back=$FF\r\n"
                                "[Empty]\r\n"
                                "k=v\r\n"
                                "[New]\r\n"
                                "Key=a b\r\n"));
}

TEST_F(IniFiles, MissingFilesReadEmptyAndAreMadeOnTheFirstWrite)
{
    TIniFile Ini(Path("new.ini"));
    EXPECT_EQ(Ini.ReadString("S", "K", "d"), "d");
    TStringList L;
    Ini.ReadSections(&L);
    EXPECT_EQ(L.Count(), 0);
    EXPECT_FALSE(QFile::exists(Path("new.ini")));
    Ini.WriteString("S", "K", "v");
    EXPECT_EQ(Get("new.ini"), QByteArray("[S]\r\nK=v\r\n"));

    TMemIniFile Mem(Path("mem.ini"));
    Mem.WriteString("S", "K", "v");
    Mem.WriteString("T", "L", "w");
    EXPECT_FALSE(QFile::exists(Path("mem.ini")));
    Mem.UpdateFile();
    EXPECT_EQ(Get("mem.ini"), QByteArray("[S]\r\nK=v\r\n\r\n[T]\r\nL=w\r\n"));
}

TEST_F(IniFiles, IniFileSeesChangesMadeByOthersMemIniFileDoesNot)
{
    Put("[S]\r\nK=1\r\n");
    TIniFile A(Path()), B(Path());
    TMemIniFile Mem(Path());
    EXPECT_EQ(A.ReadString("S", "K", ""), "1");
    B.WriteString("S", "K", "2");
    B.WriteString("S", "L", "3");
    EXPECT_EQ(A.ReadString("S", "K", ""), "2");
    // A writes on top of what B wrote, not over it.
    A.WriteString("S", "M", "4");
    EXPECT_EQ(Get(), QByteArray("[S]\r\nK=2\r\nL=3\r\nM=4\r\n"));
    EXPECT_EQ(Mem.ReadString("S", "K", ""), "1");
}

TEST_F(IniFiles, WritesThatWouldNotReadBackAreRefused)
{
    TMemIniFile Ini(Path());
    const std::vector<std::tuple<String, String, String>> Bad{
        {"S", "K", "two\r\nlines"}, {"S", "a=b", "v"}, {"S", "; c", "v"}, {"S", "[x", "y]"}, {"S\n[T]", "K", "v"}};
    for (const auto& [Section, Ident, Value] : Bad)
        EXPECT_THROW(Ini.WriteString(Section, Ident, Value), EIniFileException) << Ident.toStdString();
    TStringList L;
    Ini.ReadSections(&L);
    EXPECT_EQ(L.Count(), 0);
}

TEST_F(IniFiles, AFailedWriteLeavesTheOldFileAsItWas)
{
    const QByteArray Old = "; keep me\r\n[S]\r\nK=old\r\n";
    // A file size limit makes the write fail for any user, root included.
    auto LimitFileSize = [](rlim_t Limit) {
        rlimit R{};
        getrlimit(RLIMIT_FSIZE, &R);
        const rlimit Saved = R;
        R.rlim_cur = Limit;
        setrlimit(RLIMIT_FSIZE, &R);
        return Saved;
    };
    struct Provocation {
        const char* Name;
        std::function<void()> Start, Stop;
    };
    rlimit SavedLimit{};
    std::vector<Provocation> Ways{
        {"file size limit",
         [&] {
             std::signal(SIGXFSZ, SIG_IGN);
             SavedLimit = LimitFileSize(8);
         },
         [&] {
             setrlimit(RLIMIT_FSIZE, &SavedLimit);
             std::signal(SIGXFSZ, SIG_DFL);
         }},
    };
    if (geteuid() != 0)
        Ways.push_back({"read-only folder",
                        [&] { QFile::setPermissions(Dir.path(), QFile::ReadOwner | QFile::ExeOwner); },
                        [&] { QFile::setPermissions(Dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); }});

    for (const Provocation& Way : Ways) {
        Put(Old);
        TIniFile Ini(Path());
        TMemIniFile Mem(Path());
        Mem.WriteString("S", "K", "a value long enough to pass the limit");
        Way.Start();
        try {
            Ini.WriteString("S", "K", "a value long enough to pass the limit");
            ADD_FAILURE() << Way.Name;
        } catch (const EIniFileException& E) {
            EXPECT_EQ(E.Message(), "Unable to write to " + Path()) << Way.Name;
        }
        EXPECT_THROW(Mem.UpdateFile(), EFCreateError) << Way.Name;
        Way.Stop();
        EXPECT_EQ(Get(), Old) << Way.Name;
        EXPECT_EQ(QDir(Dir.path()).entryList(QDir::Files), QStringList{"settings.ini"}) << Way.Name;
        // The failed change is forgotten: the file is read again.
        EXPECT_EQ(Ini.ReadString("S", "K", ""), "old") << Way.Name;
    }
}
