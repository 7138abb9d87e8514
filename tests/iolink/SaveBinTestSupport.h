#pragma once
// A configuration folder for the image builder's tests, and expected images
// written by hand: every value is poked at the offset the image format
// gives, little-endian, independently of the builder's own serialiser.
#include "common/TestPaths.h"
#include "shell/UComon.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>

namespace savebin_test {

inline QString Fixture(const QString& Name) { return testpaths::Fixture(QStringLiteral("savebin/") + Name); }

inline QByteArray ReadFile(const QString& Path)
{
    QFile File(Path);
    if (!File.open(QIODevice::ReadOnly))
        return QByteArray();
    return File.readAll();
}

inline void WriteFile(const QString& Path, const QByteArray& Bytes)
{
    QFile File(Path);
    ASSERT_TRUE(File.open(QIODevice::WriteOnly | QIODevice::Truncate)) << Path.toStdString();
    ASSERT_EQ(File.write(Bytes), Bytes.size());
}

// An image of a known length, filled in by offset.
class TExpected {
public:
    explicit TExpected(qsizetype Size) : FBytes(Size, '\0') {}

    TExpected& Bytes(qsizetype Offset, std::initializer_list<int> Values)
    {
        for (const int V : Values)
            FBytes[Offset++] = char(V & 0xFF);
        return *this;
    }
    TExpected& U16(qsizetype Offset, std::uint32_t V) { return Bytes(Offset, {int(V), int(V >> 8)}); }
    TExpected& U32(qsizetype Offset, std::uint32_t V)
    {
        return Bytes(Offset, {int(V), int(V >> 8), int(V >> 16), int(V >> 24)});
    }
    TExpected& Text(qsizetype Offset, const char* S)
    {
        while (*S)
            FBytes[Offset++] = *S++;
        return *this;
    }
    const QByteArray& Image() const { return FBytes; }

private:
    QByteArray FBytes;
};

// The sum of the first Count bytes, each unsigned.
inline std::uint32_t SumOf(const QByteArray& Bytes, qsizetype Count)
{
    std::uint32_t Sum = 0;
    for (qsizetype I = 0; I < Count; ++I)
        Sum += std::uint8_t(Bytes.at(I));
    return Sum;
}

inline std::uint32_t U32At(const QByteArray& Bytes, qsizetype Offset)
{
    std::uint32_t V = 0;
    for (int I = 3; I >= 0; --I)
        V = (V << 8) | std::uint8_t(Bytes.at(Offset + I));
    return V;
}

// The general block as it is before "ParGen.xml" is read, with the two
// addresses every build sets; the byte sum is added by Bank1().
inline TExpected Bank1Defaults()
{
    TExpected E(2048);
    E.U32(0x000, 250000).U32(0x004, 250000).U32(0x008, 0).U32(0x00C, 9600);
    E.Bytes(0x028, {192, 168, 2, 205}).Bytes(0x02C, {255, 255, 255, 0}).Bytes(0x030, {255, 255, 255, 255});
    E.U16(0x034, 10000).U16(0x036, 10001).U16(0x038, 10001);
    E.Bytes(0x1B4, {8, 8, 8, 8, 8, 8, 8, 8});
    E.U32(0x5F8, 0x80000).U32(0x70C, 0xC0000);
    return E;
}

// The general block after a "ParGen.xml" was read: ports and version.
inline TExpected Bank1FromParGen()
{
    TExpected E = Bank1Defaults();
    E.U16(0x036, 44818).U16(0x038, 44818).Text(0x66C, "1.003");
    return E;
}

// The finished block: the byte sum of the first 2044 bytes at 0x7FC.
inline QByteArray Bank1(TExpected E)
{
    E.U32(0x7FC, SumOf(E.Image(), 0x7FC));
    return E.Image();
}

// Keeps the shared paths the tests change and puts them back.
class TBinProject : public ::testing::Test {
protected:
    void SetUp() override
    {
        FSaved = {Path_Project, Path_IOLink_StaDef, File_ParGen, File_IOLink_SetAccess};
        ASSERT_TRUE(FDir.isValid());
        Path_Project = FDir.path();
        Path_IOLink_StaDef = testpaths::Fixture(QStringLiteral("iolink/stadef/"));
        Set_Table_Files();
    }
    void TearDown() override
    {
        Path_Project = FSaved[0];
        Path_IOLink_StaDef = FSaved[1];
        File_ParGen = FSaved[2];
        File_IOLink_SetAccess = FSaved[3];
    }

    QString PathIn(const QString& Name) const { return FDir.filePath(Name); }
    QString BinFile(const char* Name) const { return FDir.filePath(QStringLiteral("bin/") + QLatin1String(Name)); }

    // "ParGen.xml" with the given elements below its root.
    void WriteParGen(std::initializer_list<std::pair<const char*, const char*>> Keys)
    {
        QByteArray Xml = "<Par_Gen>";
        for (const auto& [Key, Value] : Keys)
            Xml += QByteArray("<") + Key + ">" + Value + "</" + Key + ">";
        Xml += "</Par_Gen><!--SW_VERSION = 1.003-->";
        WriteFile(File_ParGen, Xml);
    }

private:
    QTemporaryDir FDir;
    std::array<QString, 4> FSaved;
};

} // namespace savebin_test
