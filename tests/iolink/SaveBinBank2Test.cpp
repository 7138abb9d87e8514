// "bank2.bin" from "IOLink_SetAccess.xml" and the ports' descriptions:
// whole images against images poked by hand at the offsets of the format.
#include "SaveBinTestSupport.h"

#include "iolink/USaveBincc.h"
#include "platform/UserLocale.h"

#include <QDir>

using namespace savebin_test;

namespace {

struct THeader {
    int BitRate, NParam, NIn, NOut, Pin2Type, TimeOut;
    std::uint32_t MinCycle, AParam, AIn, AOut;
    int Channel, ReadPin2, Pin4Mode, Pin2Pos, Pin4Pos, Pin2Bit, Pin4Bit, Pin2Inv, Pin4Inv;
    std::uint32_t NEvents, AEvents;
};

void Header(TExpected& E, qsizetype At, const THeader& H)
{
    E.Bytes(At, {H.BitRate, H.NParam, H.NIn, H.NOut, H.Pin2Type}).U16(At + 14, H.TimeOut);
    E.U32(At + 16, H.MinCycle).U32(At + 20, H.AParam).U32(At + 24, H.AIn).U32(At + 28, H.AOut);
    E.U32(At + 32, std::uint32_t(H.Channel)).Bytes(At + 36, {H.ReadPin2, H.Pin4Mode});
    E.U16(At + 38, H.Pin2Pos).U16(At + 40, H.Pin4Pos).U16(At + 42, H.Pin2Bit).U16(At + 44, H.Pin4Bit);
    E.Bytes(At + 46, {H.Pin2Inv, H.Pin4Inv}).U32(At + 48, H.NEvents).U32(At + 52, H.AEvents);
}

struct TParam {
    int Index, SubIndex, Options;
    std::uint32_t Value;
    int Position, Bit;
    std::uint32_t BitLength, Time, TotalBitLength;
    int SubAccess, ReadTime;
    std::uint32_t BitOffset;
};

void Param(TExpected& E, qsizetype At, const TParam& P)
{
    E.U16(At, P.Index).Bytes(At + 2, {P.SubIndex, P.Options}).U32(At + 4, P.Value);
    E.U16(At + 8, P.Position).U16(At + 10, P.Bit).U32(At + 12, P.BitLength).U32(At + 16, P.Time);
    E.U32(At + 24, P.TotalBitLength).Bytes(At + 28, {P.SubAccess}).U16(At + 30, P.ReadTime);
    E.U32(At + 32, P.BitOffset);
}

struct TProData {
    std::uint32_t GradientBits;   // the IEEE single's bits
    int UnitCode;
    std::uint32_t BitOffset, Offset, BitLength;
    int Position, Bit;
};

void ProData(TExpected& E, qsizetype At, const TProData& D)
{
    E.U32(At, D.GradientBits).U16(At + 4, D.UnitCode).U32(At + 8, D.BitOffset).U32(At + 12, D.Offset);
    E.U32(At + 16, D.BitLength).U16(At + 20, D.Position).U16(At + 22, D.Bit);
}

void Event(TExpected& E, qsizetype At, std::uint32_t Time, int Code, int Position, int Bit)
{
    E.U32(At, Time).U16(At + 4, Code).U16(At + 6, Position).Bytes(At + 8, {Bit});
}

class SaveBinBank2Test : public TBinProject {
protected:
    void SetUp() override
    {
        TBinProject::SetUp();
        ASSERT_TRUE(QDir(PathIn(QString())).mkpath(QStringLiteral("IODD")));
    }
    void TearDown() override
    {
        platform::SetUserDecimalSeparator(std::nullopt);
        TBinProject::TearDown();
    }
    void PutDescription(const QString& Name, const QByteArray& Bytes)
    {
        WriteFile(PathIn(QStringLiteral("IODD/") + Name), Bytes);
    }
    String CompileError()
    {
        try {
            Compile_Bin();
        } catch (const ESaveBinError& E) {
            return E.Message();
        }
        ADD_FAILURE() << "Compile_Bin reported no error";
        return String();
    }
};

TEST_F(SaveBinBank2Test, UsedPortsAroundAnUnusedOne)
{
    platform::SetUserDecimalSeparator(QChar(u','));
    PutDescription(QStringLiteral("bin-sensor.xml"), ReadFile(Fixture(QStringLiteral("bin-sensor.xml"))));
    WriteFile(File_IOLink_SetAccess, ReadFile(Fixture(QStringLiteral("ports.xml"))));

    // Ports 1 and 3 IO-Link, port 4 DIn; port 2 and the ports the file
    // does not name are not in use. Headers: 3 x 56 = 168 bytes, then the
    // lists of ports 1, 3, 4, then 96 zero bytes for each of the 5 unused.
    TExpected E(168 + 156 + 168 + 96 + 5 * 96);
    Header(E, 0, {3, 2, 2, 1, 1, 30, 2000, 0x800A8, 0x800F0, 0x80120, 1, 1, 0, 4, 4, 0, 1, 1, 0, 1, 0x80138});
    Header(E, 56, {3, 2, 2, 1, 2, 0, 2000, 0x80144, 0x8018C, 0x801BC, 3, 0, 0, 20, 21, 2, 3, 0, 1, 2, 0x801D4});
    Header(E, 112, {0, 0, 0, 0, 0, 0, 0, 0x801EC, 0x80210, 0x80228, 4, 1, 1, 40, 40, 6, 5, 0, 1, 0, 0x80240});
    // Port 1: index 64 on change, on timer, writable; 65/1 on command,
    // -5 in two's complement, no time given.
    Param(E, 168, {64, 0, 1 | 4 | 8, 1234, 10, 0, 16, 500, 16, 0, 7, 0});
    Param(E, 204, {65, 1, 2, 0xFFFFFFFB, 12, 0, 8, 1000, 24, 1, 0, 16});
    ProData(E, 240, {0x3F800000, 0xFFFF, 15, 0, 1, 0, 7});
    ProData(E, 264, {0x3F000000, 1001, 0, 0xFFFFFFF6, 8, 1, 0});   // gradient "0,5"
    ProData(E, 288, {0x40000000, 0xFFFF, 0, 0, 8, 0, 0});
    Event(E, 312, 100, 6144, 5, 0);
    // Port 3: time "abc" and "" count as 1000, a value that is no integer as 0.
    Param(E, 324, {65, 2, 0, 300, 30, 0, 16, 1000, 24, 1, 20, 0});
    Param(E, 360, {66, 0, 2 | 8, 0, 32, 0, 64, 1000, 64, 0, 0, 0});
    ProData(E, 396, {0x3F800000, 0xFFFF, 15, 0, 1, 50, 0});
    ProData(E, 420, {0x3F800000, 1001, 0, 3, 8, 51, 0});   // unreadable gradient
    ProData(E, 444, {0x3E800000, 62, 0, 0xFFFFFFFF, 8, 7, 0});
    Event(E, 468, 0, 6144, 52, 0);
    Event(E, 480, 65536, 6145, 52, 1);
    // Port 4 and the unused ports: zero lists only.

    Compile_Bin();
    EXPECT_EQ(Bin_Bank2(), E.Image());
    EXPECT_EQ(Bin_Bank1(), Bank1(Bank1Defaults().U32(0x5F4, 3)));
    EXPECT_EQ(U32At(Bin_Bank1(), 0x7FC), SumOf(Bin_Bank1(), 2044));
}

// A hand-edited value outside its field would reach the device cut to its
// low bits: the build refuses it, naming the port, the item, the attribute
// and the value, and holds no images.
TEST_F(SaveBinBank2Test, ValuesOutsideTheirFieldStopTheBuild)
{
    PutDescription(QStringLiteral("bin-sensor.xml"), ReadFile(Fixture(QStringLiteral("bin-sensor.xml"))));
    const QByteArray Ports = ReadFile(Fixture(QStringLiteral("ports.xml")));
    struct TCase {
        QByteArray From, To;
        const char* Message;
    };
    const TCase Cases[] = {
        {"TimeOut=\"30\"/>", "TimeOut=\"70000\"/>", "Channel #01!! \"TimeOut\" is 70000; the image takes 0 to 65535"},
        {"Pin2Pos=\"4\"", "Pin2Pos=\"65536\"", "Channel #01!! \"Pin2Pos\" is 65536"},
        {"Value=\"1234\"", "Value=\"4294967296\"",
         "Channel #01!! Variable Index 64 SubIndex , \"Value\" is 4294967296; the image takes -2147483648 to 4294967295"},
        {"Value=\"-5\"", "Value=\"-2147483649\"", "Variable Index 65 SubIndex 1, \"Value\" is -2147483649"},
        {"Position=\"10\"", "Position=\"66136\"", "Variable Index 64 SubIndex , \"Position\" is 66136"},
        {"ReadTime=\"7\"", "ReadTime=\"65536\"", "\"ReadTime\" is 65536"},
        {"Time=\"500\"", "Time=\"-1\"", "\"Time\" is -1; the image takes 0 to 4294967295"},
        {"Offset=\"-10\"", "Offset=\"-2147483649\"", "PD_Record PDI_Main SubIndex 2, \"Offset\" is -2147483649"},
        {"UnitCode=\"1001\" Position=\"1\"", "UnitCode=\"65536\" Position=\"1\"", "\"UnitCode\" is 65536"},
        {"TimeOut=\"100\"", "TimeOut=\"-1\"", "Channel #01!! Event Code 6144, \"TimeOut\" is -1"},
        {"TimeOut=\"65536\" Position=\"52\" Bit=\"1\"", "TimeOut=\"65536\" Position=\"52\" Bit=\"256\"",
         "Channel #03!! Event Code 6145, \"Bit\" is 256; the image takes 0 to 255"},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.To.toStdString());
        ASSERT_TRUE(Ports.contains(C.From));
        WriteFile(File_IOLink_SetAccess, QByteArray(Ports).replace(C.From, C.To));
        const String Message = CompileError();
        EXPECT_TRUE(Message.contains(QString::fromUtf8(C.Message))) << Message.toStdString();
        EXPECT_TRUE(Bin_Bank1().isEmpty());
        EXPECT_TRUE(Bin_Bank2().isEmpty());
    }
}

TEST_F(SaveBinBank2Test, PortsWithoutTheirDescription)
{
    // An IO-Link port whose description is gone keeps pins and time-out;
    // a DOut port takes no time-out and no description even when it has
    // one that cannot be read.
    PutDescription(QStringLiteral("broken.xml"), "<IODevice>");
    WriteFile(File_IOLink_SetAccess,
              "<IO-Link><IO-Link_Channels>"
              "<Channel><IODD_File FileName=\"gone.xml\" Pin4Mode=\"IO-Link\" Pin2Pos=\"3\" Pin4Pos=\"3\" Pin4Bit=\"1\" "
              "TimeOut=\"12\"/><Variables><Variable Enable=\"True\" Index=\"64\"/></Variables></Channel>"
              "<Channel><IODD_File FileName=\"broken.xml\" Pin4Mode=\"DOut\" Pin4Pos=\"6\" Pin4Bit=\"2\" "
              "TimeOut=\"40\"/></Channel>"
              "</IO-Link_Channels></IO-Link>");
    TExpected E(112 + 96 + 96 + 6 * 96);
    Header(E, 0, {0, 0, 0, 0, 0, 12, 0, 0x80070, 0x80094, 0x800AC, 1, 0, 0, 3, 3, 0, 1, 0, 0, 0, 0x800C4});
    Header(E, 56, {0, 0, 0, 0, 0, 0, 0, 0x800D0, 0x800F4, 0x8010C, 2, 0, 2, 0, 6, 0, 2, 0, 0, 0, 0x80124});
    Compile_Bin();
    EXPECT_EQ(Bin_Bank2(), E.Image());
    EXPECT_EQ(Bin_Bank1(), Bank1(Bank1Defaults().U32(0x5F4, 2)));
}

TEST_F(SaveBinBank2Test, UnreadableFilesStopTheBuild)
{
    struct TCase {
        const char* Name;
        QByteArray SetAccess;
        QString Named;   // what the message must name
    };
    PutDescription(QStringLiteral("broken.xml"), "<IODevice><ProfileBody>");
    const TCase Cases[] = {
        {"configuration file not well-formed", "<IO-Link><IO-Link_Channels>", File_IOLink_SetAccess},
        {"description of an IO-Link port",
         "<IO-Link><IO-Link_Channels><Channel><IODD_File FileName=\"broken.xml\" Pin4Mode=\"IO-Link\"/>"
         "</Channel></IO-Link_Channels></IO-Link>",
         QStringLiteral("broken.xml")},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        WriteFile(File_IOLink_SetAccess, C.SetAccess);
        EXPECT_TRUE(CompileError().contains(C.Named));
        EXPECT_TRUE(Bin_Bank1().isEmpty());
        EXPECT_TRUE(Bin_Bank2().isEmpty());
    }
}

TEST_F(SaveBinBank2Test, MoreThan255EntriesAreRefusedNamingThePort)
{
    // Port 2's description has an array of 300 elements, all enabled.
    QByteArray Description = ReadFile(Fixture(QStringLiteral("bin-sensor.xml")));
    const QByteArray Tag = "<Datatype xsi:type=\"StringT\" fixedLength=\"8\" encoding=\"UTF-8\" />";
    ASSERT_TRUE(Description.contains(Tag));
    Description.replace(Tag, "<Datatype xsi:type=\"ArrayT\" count=\"300\"><SimpleDatatype xsi:type=\"UIntegerT\" "
                             "bitLength=\"8\" /></Datatype>");
    PutDescription(QStringLiteral("many.xml"), Description);
    QByteArray Variables;
    for (int I = 0; I < 300; ++I)
        Variables += "<Variable Enable=\"True\" Index=\"66\" SubIndex=\"" + QByteArray::number(I) + "\"/>";
    WriteFile(File_IOLink_SetAccess,
              "<IO-Link><IO-Link_Channels><Channel><IODD_File FileName=\"\" Pin4Mode=\"DIn\"/></Channel>"
              "<Channel><IODD_File FileName=\"many.xml\" Pin4Mode=\"IO-Link\"/><Variables>" +
                  Variables + "</Variables></Channel></IO-Link_Channels></IO-Link>");
    const String Message = CompileError();
    EXPECT_TRUE(Message.contains(QStringLiteral("Channel #02"))) << Message.toStdString();
    EXPECT_TRUE(Bin_Bank1().isEmpty());
    EXPECT_THROW(Save_Bin(), ESaveBinError);
}

TEST(SaveBinBank2Limits, ImageBeyondItsBufferIsRefusedNamingThePort)
{
    // 8 ports in use, 56 + 96 bytes each; port 6 has as many events (12
    // bytes each, in place of its one zero event) as fit into 0x80000.
    TIO_Link_Channels Channels;
    for (int K = 0; K < 8; ++K)
        Channels.Header[K].Channel = K + 1;
    const std::size_t Fixed = 8 * (56 + 96) - 12;   // 1204
    const std::size_t Room = (0x80000 - Fixed) / 12;
    Channels.Lists[5].List_Events.resize(Room);
    const QByteArray Image = Bank2_Bytes(Channels);
    EXPECT_EQ(Image.size(), qsizetype(Fixed + 12 * Room));
    EXPECT_GT(Image.size(), 0x80000 - 12);
    // Port 6's events end where the zero lists of ports 7 and 8 begin.
    EXPECT_EQ(U32At(Image, 5 * 56 + 52) + 12 * Room, 0x80000u + Image.size() - 2 * 96);
    Channels.Lists[5].List_Events.resize(Room + 1);
    try {
        Bank2_Bytes(Channels);
        FAIL() << "no error";
    } catch (const ESaveBinError& E) {
        EXPECT_TRUE(E.Message().contains(QStringLiteral("Channel #06"))) << E.Message().toStdString();
    }
}

} // namespace
