#include "rtl/Classes.h"
#include "RtlTestPrint.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>

namespace {

QByteArray ReadAll(TStream& S)
{
    QByteArray B(static_cast<qsizetype>(S.Size()), '\0');
    S.SetPosition(0);
    S.ReadBuffer(B.data(), static_cast<Integer>(B.size()));
    return B;
}

QByteArray FileBytes(const String& Name)
{
    QFile F(Name);
    return F.open(QIODevice::ReadOnly) ? F.readAll() : QByteArray("<unreadable>");
}

} // namespace

TEST(MemoryStream, ReadWriteAndSeekMoveThePosition)
{
    TMemoryStream S;
    S.WriteBuffer("hello world", 11);
    EXPECT_EQ(S.Position(), 11);
    EXPECT_EQ(S.Size(), 11);

    const std::vector<std::tuple<Int64, TSeekOrigin, Int64>> Seeks{
        {6, soFromBeginning, 6}, {-2, soFromCurrent, 4}, {-5, soFromEnd, 6}, {3, soEnd, 14}};
    for (const auto& [Offset, Origin, Expected] : Seeks)
        EXPECT_EQ(S.Seek(Offset, Origin), Expected);

    // Writing past the end fills the gap with zeros.
    S.WriteBuffer("!", 1);
    EXPECT_EQ(ReadAll(S), QByteArray("hello world\0\0\0!", 15));

    char Buf[8] = {};
    S.SetPosition(12);
    EXPECT_EQ(S.Read(Buf, 8), 3);
    EXPECT_EQ(S.Read(Buf, 8), 0);
    S.SetPosition(-1);
    EXPECT_EQ(S.Read(Buf, 8), 0);
    EXPECT_EQ(S.Write(Buf, 1), 0);

    S.SetPosition(10);
    S.SetSize(5);
    EXPECT_EQ(S.Position(), 5);
    EXPECT_EQ(QByteArray(static_cast<const char*>(S.Memory()), 5), "hello");
    S.SetPosition(2);
    S.SetSize(8);
    EXPECT_EQ(S.Position(), 2);
    S.Clear();
    EXPECT_EQ(S.Size(), 0);
    EXPECT_EQ(S.Position(), 0);
}

TEST(MemoryStream, BufferCallsRaiseWhenNotAllBytesMove)
{
    TMemoryStream S;
    S.WriteBuffer("abc", 3);
    S.SetPosition(1);
    char Buf[4] = {};
    try {
        S.ReadBuffer(Buf, 3);
        FAIL();
    } catch (const EReadError& E) {
        EXPECT_EQ(E.Message(), "Stream read error");
    }
    EXPECT_NO_THROW(S.ReadBuffer(Buf, 0));
    S.SetPosition(-4);
    try {
        S.WriteBuffer("x", 1);
        FAIL();
    } catch (const EWriteError& E) {
        EXPECT_EQ(E.Message(), "Stream write error");
    }
}

TEST(Stream, CopyFromTakesCountBytesOrTheWholeSource)
{
    TStringStream Source("0123456789");
    TMemoryStream Dest;
    Source.SetPosition(3);
    EXPECT_EQ(Dest.CopyFrom(&Source, 4), 4);
    EXPECT_EQ(ReadAll(Dest), "3456");
    Dest.Clear();
    EXPECT_EQ(Dest.CopyFrom(&Source, 0), 10);
    EXPECT_EQ(ReadAll(Dest), "0123456789");
    Source.SetPosition(8);
    EXPECT_THROW(Dest.CopyFrom(&Source, 5), EReadError);

    // Larger than one copy buffer.
    TMemoryStream Big, Copy;
    Big.SetSize(200000);
    for (int I = 0; I < 200000; ++I)
        static_cast<char*>(Big.Memory())[I] = static_cast<char>(I * 7);
    Copy.CopyFrom(&Big, 0);
    ASSERT_EQ(Copy.Size(), 200000);
    EXPECT_EQ(std::memcmp(Copy.Memory(), Big.Memory(), 200000), 0);
}

TEST(StringStream, HoldsTheUtf8OfItsString)
{
    TStringStream S("Grüße");
    EXPECT_EQ(S.Size(), 7);
    EXPECT_EQ(S.Position(), 0);
    S.Seek(0, soEnd);
    S.WriteBuffer(" ok", 3);
    EXPECT_EQ(S.DataString(), "Grüße ok");
}

TEST(FileStream, ModesCreateOpenAndKeepContent)
{
    QTemporaryDir Dir;
    ASSERT_TRUE(Dir.isValid());
    const String Name = Dir.filePath("data.bin");
    {
        TFileStream F(Name, fmCreate);
        F.WriteBuffer("abcdef", 6);
        EXPECT_EQ(F.Size(), 6);
        EXPECT_EQ(F.FileName(), Name);
    }
    {
        TFileStream F(Name, fmOpenWrite | fmShareDenyNone);
        F.Seek(2, soBeginning);
        F.WriteBuffer("XY", 2);
        char C;
        EXPECT_EQ(F.Read(&C, 1), -1);
    }
    EXPECT_EQ(FileBytes(Name), "abXYef");
    {
        TFileStream F(Name, fmOpenReadWrite);
        char Buf[6];
        F.ReadBuffer(Buf, 6);
        EXPECT_THROW(F.ReadBuffer(Buf, 1), EReadError);
        F.SetSize(3);
        EXPECT_EQ(F.Position(), 3);
        F.WriteBuffer("!", 1);
    }
    EXPECT_EQ(FileBytes(Name), "abX!");
    {
        TFileStream F(Name, fmOpenRead);
        EXPECT_EQ(F.Write("z", 1), -1);
        EXPECT_THROW(F.WriteBuffer("z", 1), EWriteError);
    }
    {
        TFileStream F(Name, fmCreate);
    }
    EXPECT_EQ(FileBytes(Name), "");
}

TEST(FileStream, FilesThatCannotBeOpenedOrCreatedRaiseNamingTheFile)
{
    QTemporaryDir Dir;
    ASSERT_TRUE(Dir.isValid());
    const String Missing = Dir.filePath("missing.dat");
    const String Folder = Dir.path();
    const String NoFolder = Dir.filePath("none/x.dat");
    const std::vector<std::tuple<String, Word, bool>> Cases{
        {Missing, fmOpenRead, false}, {Missing, fmOpenReadWrite, false},
        {Folder, fmOpenRead, false}, {NoFolder, fmCreate, true}, {Folder, fmCreate, true}};
    for (const auto& [Name, Mode, Create] : Cases) {
        const String Expected = (Create ? "Cannot create file \"" : "Cannot open file \"") + Name + "\". ";
        try {
            TFileStream F(Name, Mode);
            ADD_FAILURE() << Name.toStdString();
        } catch (const EFCreateError& E) {
            EXPECT_TRUE(Create);
            EXPECT_TRUE(E.Message().startsWith(Expected)) << E.what();
            EXPECT_GT(E.Message().size(), Expected.size()) << "no reason given";
        } catch (const EFOpenError& E) {
            EXPECT_FALSE(Create);
            EXPECT_TRUE(E.Message().startsWith(Expected)) << E.what();
            EXPECT_GT(E.Message().size(), Expected.size()) << "no reason given";
        }
    }
    EXPECT_FALSE(QFile::exists(Missing));
}

TEST(MemoryStream, FilesRoundTrip)
{
    QTemporaryDir Dir;
    ASSERT_TRUE(Dir.isValid());
    const String Name = Dir.filePath("m.bin");
    TMemoryStream S;
    S.WriteBuffer("\0\1\2\3", 4);
    S.SaveToFile(Name);
    TMemoryStream Back;
    Back.LoadFromFile(Name);
    EXPECT_EQ(ReadAll(Back), QByteArray("\0\1\2\3", 4));
    EXPECT_THROW(Back.LoadFromFile(Dir.filePath("none.bin")), EFOpenError);
    EXPECT_THROW(S.SaveToFile(Dir.filePath("none/m.bin")), EFCreateError);
}
