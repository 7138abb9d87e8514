// The ESI writer: whole files against files written by hand, the identity
// from "ParGen.xml", the names escaped, the refused tables and the type
// mapping.
#include "protocols/ethernet/DescriptionTestEnv.h"

#include "common/TestPaths.h"
#include "platform/XmlDoc.h"
#include "protocols/ethernet/UDescription_Files.h"
#include "protocols/fieldbus/UEtherCAT_ESI_File.h"

#include <QStringDecoder>
#include <QtEndian>

#include <vector>

using namespace description_test;

namespace {

QByteArray Row(const char* Enable, const char* Type, const char* Length, const QByteArray& Name)
{
    return QByteArray("<row Enable=\"") + Enable + "\" Type=\"" + Type + "\" Length=\"" + Length + "\" Name=\"" +
           Name + "\" Position=\"9\" BitStart=\"9\" Mnemonic=\"\"/>";
}

QByteArray Rows(const char* Type, const char* Length, const char* Prefix, int Count)
{
    QByteArray All;
    for (int I = 0; I < Count; ++I)
        All += Row("Y", Type, Length, Prefix + QByteArray::number(I));
    return All;
}

QByteArray Table(const QByteArray& Slave_To_Master, const QByteArray& Master_To_Slave)
{
    return "<EtherCAT_Slave><EtherCAT_Slave_Variables><EtherCAT_Slave_To_Master>" + Slave_To_Master +
           "</EtherCAT_Slave_To_Master><EtherCAT_Master_To_Slave>" + Master_To_Slave +
           "</EtherCAT_Master_To_Slave></EtherCAT_Slave_Variables></EtherCAT_Slave><!--SW_VERSION = 1.004-->";
}

QList<QByteArray> Fixture_Lines(const char* Name)
{
    QByteArray Bytes = ReadBytes(testpaths::Fixture(QStringLiteral("esi/") + QLatin1String(Name)));
    EXPECT_FALSE(Bytes.isEmpty()) << Name;
    Bytes.chop(1);
    return Bytes.split('\n');
}

// The file written by hand for no tables and no parameters, with the
// maker's values put in, Outputs at Address and Blocks after the Inputs
// sync manager.
QList<QByteArray> Expected_File(const char* Address, const std::vector<const char*>& Blocks)
{
    QList<QByteArray> Lines;
    for (QByteArray Line : Fixture_Lines("no_tables.xml")) {
        Line.replace("@VENDOR_ID@", C_ESI_Vendor_Id)
            .replace("@PRODUCT_CODE@", C_ESI_Product_Code)
            .replace("@ICON@", C_ESI_Vendor_Icon);
        if (Line.contains(">Outputs</Sm>"))
            Line.replace("#x1000", QByteArray("#x") + Address);
        Lines << Line;
        if (Line.contains(">Inputs</Sm>"))
            for (const char* Block : Blocks)
                Lines << Fixture_Lines(Block);
    }
    return Lines;
}

// Line by line, up to the first difference.
void Expect_Lines(const QList<QByteArray>& Expected, const QList<QByteArray>& Actual, const char* Case)
{
    EXPECT_EQ(Expected.size(), Actual.size()) << Case;
    for (qsizetype I = 0; I < std::min(Expected.size(), Actual.size()); ++I)
        if (Expected[I] != Actual[I]) {
            ADD_FAILURE() << Case << ", line " << I + 1 << ":\n  wanted: " << Expected[I].toStdString()
                          << "\n  got:    " << Actual[I].toStdString();
            return;
        }
}

class EtherCATESITest : public DescriptionTest {
protected:
    QString Esi() const { return Out(QStringLiteral("gateway.xml")); }
    QList<QByteArray> Build(const QByteArray& Table_File)
    {
        WriteBytes(File_EtherCAT_Slave, Table_File);
        return Build();
    }
    QList<QByteArray> Build()
    {
        Build_ESI_File(Esi());
        const QByteArray Bytes = ReadBytes(Esi());
        EXPECT_FALSE(Bytes.startsWith("\xEF\xBB\xBF"));
        return CrLfLines(Bytes);
    }
    // The message Build_ESI_File raises; the output is left as it was.
    std::string Refusal()
    {
        WriteBytes(Esi(), "old");
        try {
            Build_ESI_File(Esi());
        } catch (const Exception& E) {
            EXPECT_EQ("old", ReadBytes(Esi()));
            return E.Message().toStdString();
        }
        ADD_FAILURE() << "no error";
        return std::string();
    }
};

struct TFile_Case {
    const char* Name;
    QByteArray Slave_To_Master;
    QByteArray Master_To_Slave;
    const char* Address;
    std::vector<const char*> Blocks;
};

} // namespace

TEST_F(EtherCATESITest, WholeFilesFollowTheTables)
{
    const TFile_Case Cases[] = {
        {"master to slave bits then a word", {},
         Row("Y", "Bool", "1", "b0") + Row("Y", "Bool", "1", "b1") + Row("Y", "Bool", "1", "b2") +
             Row("Y", "Int16", "2", "w"),
         "1000", {"rx_bool3_int16.txt"}},
        {"slave to master four-byte values", Row("Y", "Int32", "4", "count") + Row("Y", "Float32", "4", "level"), {},
         "1018", {"tx_int32_float32.txt"}},
        {"one bit", Row("Y", "Bool", "1", "on"), {}, "1004", {"tx_bool.txt"}},
        {"eight bits", {}, Rows("Bool", "1", "b", 8), "1000", {"rx_bool8.txt"}},
        {"nine bits", {}, Rows("Bool", "1", "b", 9), "1000", {"rx_bool9.txt"}},
        {"seventeen bytes", {}, Rows("Int8", "1", "v", 17), "1000", {"rx_int8_17.txt"}},
        {"an array", Row("Y", " array ", "10", "text"), {}, "1020", {"tx_array10.txt"}},
        {"both directions", Row("Y", "Int32", "4", "count") + Row("Y", "Float32", "4", "level"),
         Rows("Bool", "1", "b", 8), "1018", {"rx_bool8.txt", "tx_int32_float32.txt"}},
    };
    Expect_Lines(Expected_File("1000", {}), Build(), "no tables");
    EXPECT_EQ(77, Build().size());
    for (const TFile_Case& Case : Cases)
        Expect_Lines(Expected_File(Case.Address, Case.Blocks), Build(Table(Case.Slave_To_Master, Case.Master_To_Slave)),
                     Case.Name);
}

// Bits on both sides of a disabled row share one byte.
TEST_F(EtherCATESITest, ADisabledRowDoesNotBreakARunOfBits)
{
    const QList<QByteArray> Lines = Build(Table(Rows("Bool", "1", "b", 3) + Row("N", "Int32", "4", "off") +
                                                    Row("Y", "Bool", "1", "b3"),
                                                {}));
    EXPECT_TRUE(Lines.contains(R"(        <Sm StartAddress="#x1004" ControlByte="#x64" DefaultSize="1" Enable="1">Outputs</Sm>)"));
    EXPECT_FALSE(Lines.contains("            <Name>off</Name>"));
    EXPECT_TRUE(Lines.contains("            <Index>#x6003</Index>"));
    EXPECT_TRUE(Lines.contains("\t\t\t\t\t\t<BitLen>4</BitLen>"));
}

TEST_F(EtherCATESITest, TheIdentityComesFromTheParameterFile)
{
    WriteBytes(File_ParGen, "<Par_Gen><EtherCAT_Slave_Revision_Number>26</EtherCAT_Slave_Revision_Number>"
                            "<EtherCAT_Slave_Name>GW 1</EtherCAT_Slave_Name>"
                            "<EtherCAT_Slave_Node_Address>258</EtherCAT_Slave_Node_Address></Par_Gen>");
    QList<QByteArray> Expected = Expected_File("1000", {});
    for (QByteArray& Line : Expected)
        Line.replace("RevisionNo=\"#x00\"", "RevisionNo=\"#x1A\"")
            .replace(">EtherCAT Slave<", ">GW 1<")
            .replace("ff00010000800000", "ff00020100800000");
    Expect_Lines(Expected, Build(), "identity");

    // Missing keys keep their defaults; texts that are no number give 0 and
    // 1; the address keeps its low 16 bits.
    const std::pair<QByteArray, std::vector<QByteArray>> Cases[] = {
        {"<Par_Gen/>", {"RevisionNo=\"#x00\">EtherCAT Slave</Type>", "ff00010000800000"}},
        {"<Par_Gen><EtherCAT_Slave_Revision_Number>x</EtherCAT_Slave_Revision_Number>"
         "<EtherCAT_Slave_Node_Address>y</EtherCAT_Slave_Node_Address></Par_Gen>",
         {"RevisionNo=\"#x00\">EtherCAT Slave</Type>", "ff00010000800000"}},
        {"<Par_Gen><EtherCAT_Slave_Revision_Number>300</EtherCAT_Slave_Revision_Number>"
         "<EtherCAT_Slave_Node_Address>65538</EtherCAT_Slave_Node_Address></Par_Gen>",
         {"RevisionNo=\"#x12C\"", "ff00020000800000"}},
    };
    for (const auto& [ParGen, Wanted] : Cases) {
        WriteBytes(File_ParGen, ParGen);
        const QByteArray Text = Build().join('\n');
        for (const QByteArray& Part : Wanted)
            EXPECT_TRUE(Text.contains(Part)) << ParGen.toStdString() << " lacks " << Part.toStdString();
    }
}

TEST_F(EtherCATESITest, NamesAreEscapedAndWrittenInUtf8)
{
    const String Device = QStringLiteral("A&B <\"Grüße\"> Ωmega");
    const String Variable = QStringLiteral("x<1 & \"y\" > ß");
    xml::TXMLDocument ParGen;
    ParGen.AppendElement(QStringLiteral("Par_Gen")).AppendElement(QStringLiteral("EtherCAT_Slave_Name")).SetText(Device);
    ParGen.SaveToFile(File_ParGen);
    WriteBytes(File_EtherCAT_Slave,
               Table(Row("Y", "Int8", "1", Variable.toHtmlEscaped().toUtf8()), Row("Y", "Bool", "1", "plain")));
    Build_ESI_File(Esi());

    const QByteArray Bytes = ReadBytes(Esi());
    QStringDecoder Utf8(QStringDecoder::Utf8);
    const String Text = Utf8(Bytes);
    EXPECT_FALSE(Utf8.hasError());
    EXPECT_TRUE(Text.contains(QStringLiteral("<Name LcId=\"1033\">A&amp;B &lt;&quot;Grüße&quot;&gt; Ωmega</Name>")));

    xml::TXMLDocument Written;
    Written.LoadFromFile(Esi());
    const xml::TXMLNode Device_Node = Written.DocumentElement()
                                          .FindChild("Descriptions")
                                          .FindChild("Devices")
                                          .FindChild("Device");
    EXPECT_EQ(Device, Device_Node.FindChild("Type").Text());
    EXPECT_EQ(Device, Device_Node.FindChild("Name").Text());
    EXPECT_EQ(Variable, Device_Node.FindChild("TxPdo").FindChild("Entry").FindChild("Name").Text());
    EXPECT_EQ(QStringLiteral("plain"), Device_Node.FindChild("RxPdo").FindChild("Entry").FindChild("Name").Text());
}

TEST_F(EtherCATESITest, BrokenSourcesAreReportedAndNothingIsWritten)
{
    WriteBytes(File_EtherCAT_Slave, "<EtherCAT_Slave><EtherCAT_Slave_Variables>");
    EXPECT_NE(std::string::npos, Refusal().find("EtherCAT_Slave.xml"));

    const std::pair<QByteArray, const char*> Missing[] = {
        {"<EtherCAT_Slave/>", "EtherCAT_Slave_Variables"},
        {"<EtherCAT_Slave><EtherCAT_Slave_Variables><EtherCAT_Master_To_Slave/></EtherCAT_Slave_Variables>"
         "</EtherCAT_Slave>",
         "EtherCAT_Slave_To_Master"},
        {"<EtherCAT_Slave><EtherCAT_Slave_Variables><EtherCAT_Slave_To_Master/></EtherCAT_Slave_Variables>"
         "</EtherCAT_Slave>",
         "EtherCAT_Master_To_Slave"},
    };
    for (const auto& [File, Section] : Missing) {
        WriteBytes(File_EtherCAT_Slave, File);
        const std::string Message = Refusal();
        EXPECT_NE(std::string::npos, Message.find("EtherCAT_Slave.xml")) << Message;
        EXPECT_NE(std::string::npos, Message.find(Section)) << Message;
    }

    WriteBytes(File_EtherCAT_Slave, Table({}, {}));
    WriteBytes(File_ParGen, "<Par_Gen><EtherCAT_Slave_Name>x</Par_Gen>");
    EXPECT_NE(std::string::npos, Refusal().find("ParGen.xml"));
}

// An Array must hold one byte at least; a disabled one is left out anyway.
TEST_F(EtherCATESITest, AnArrayBelowOneByteIsRefused)
{
    for (const char* Length : {"0", "-6", "", "many"}) {
        WriteBytes(File_EtherCAT_Slave, Table(Row("Y", "Int8", "1", "a"),
                                              Row("N", "Array", "-6", "off") + Row("Y", "Array", Length, "bad")));
        EXPECT_EQ("Error in the file \"" + File_EtherCAT_Slave.toStdString() +
                      "\": row 2 of \"EtherCAT_Master_To_Slave\" is an Array with a Length below 1",
                  Refusal())
            << Length;
    }
    WriteBytes(File_EtherCAT_Slave, Table(Row("N", "Array", "-6", "off"), {}));
    Expect_Lines(Expected_File("1000", {}), Build(), "disabled array");
}

// Lengths far beyond the gateway's memory do not wrap.
TEST_F(EtherCATESITest, HugeLengthsAreCountedIn64Bits)
{
    const QList<QByteArray> Lines =
        Build(Table(Row("Y", "Array", "2147483647", "big") + Row("Y", "Int32", "2147483647", "odd"), {}));
    // 2 * (2^31 - 1) bytes in three buffers of whole words above 4096.
    EXPECT_TRUE(Lines.contains(R"(        <Sm StartAddress="#x300000FFC" ControlByte="#x64" DefaultSize="1" Enable="1">Outputs</Sm>)"));
    EXPECT_TRUE(Lines.contains("            <BitLen>17179869176</BitLen>"));
    EXPECT_TRUE(Lines.contains("            <DataType>ARRAY [0..2147483646] OF BYTE</DataType>"));
}

TEST_F(EtherCATESITest, TypesMapToTheirDataTypesAndBitLengths)
{
    const std::tuple<const char*, Int64, const char*, Int64> Cases[] = {
        {"Bool", 5, "BIT", 1},          {" bool ", 0, "BIT", 1},          {"Int8", 1, "SINT", 8},
        {"Int16", 2, "INT", 16},        {"Int32", 4, "DINT", 32},         {"UInt8", 1, "USINT", 8},
        {"UInt16", 2, "UINT", 16},      {"UInt32", 4, "UDINT", 32},       {"Float32", 4, "REAL", 32},
        {"Array", 10, "ARRAY [0..9] OF BYTE", 80}, {"ARRAY", 0, "ARRAY [0..-1] OF BYTE", 0},
        {"Double", 8, "BIT", 1},        {"", 3, "BIT", 1},
    };
    for (const auto& [Type, Bytes, Data_Type, Bits] : Cases) {
        Int64 Length = Bytes;
        EXPECT_EQ(QLatin1String(Data_Type), Get_ESI_Data_Type(QLatin1String(Type), Length)) << Type;
        EXPECT_EQ(Bits, Length) << Type;
    }
    const std::pair<Integer, const char*> Numbers[] = {{0, "000"}, {9, "009"}, {10, "010"}, {99, "099"},
                                                       {100, "100"}, {1234, "1234"}};
    for (const auto& [Number, Text] : Numbers)
        EXPECT_EQ(QLatin1String(Text), Pad_PDO_Number(Number));
}

// The icon is a whole 16 x 14 bitmap file in upper-case hexadecimal.
TEST_F(EtherCATESITest, TheVendorIconIsA16By14Bitmap)
{
    const QByteArray Hex(C_ESI_Vendor_Icon);
    EXPECT_EQ(Hex.toUpper(), Hex);
    const QByteArray Bmp = QByteArray::fromHex(Hex);
    ASSERT_EQ(Hex.size(), 2 * Bmp.size());
    ASSERT_GE(Bmp.size(), 54);
    const auto Le32 = [&Bmp](int At) { return qFromLittleEndian<qint32>(Bmp.constData() + At); };
    EXPECT_TRUE(Bmp.startsWith("BM"));
    EXPECT_EQ(Bmp.size(), Le32(2));
    EXPECT_EQ(16, Le32(18));
    EXPECT_EQ(14, Le32(22));
}
