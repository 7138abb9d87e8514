// The GSDML writer: the channel records it reads from "IOLink_SetAccess.xml"
// and the document it writes.
#include "DescriptionTestEnv.h"

#include "platform/XmlDoc.h"
#include "protocols/ethernet/UProfinetXML.h"

#include <QRegularExpression>

using namespace description_test;

namespace {

// The configuration file with the given channel elements, after a prolog
// that the reader skips.
QByteArray SetAccessFile(const QByteArray& Channels)
{
    return "<?xml version=\"1.0\"?><!-- hand-written --><IO-Link><IO-Link_Channels>" + Channels +
           "</IO-Link_Channels></IO-Link><!--SW_VERSION = 1.003-->";
}

const QByteArray Four_Channels =
    "<Channel><IODD_File FileName=\"Sensor.xml\" Pin4Mode=\"IO-Link\" ReadPin2=\"N\" Pin2Pos=\"\" Pin4Pos=\"\"/>"
    "<Variables/><ProcessData><processDataCondition>0</processDataCondition>"
    "<ProcessDataIn><PD_Record BitLength=\"16\" Position=\"10\"/><PD_Record BitLength=\"1\" Position=\"12\"/>"
    "</ProcessDataIn></ProcessData>"
    "<Events><Event Enable=\"False\" Code=\"16912\" Position=\"40\"/></Events></Channel>"
    "<Channel><IODD_File FileName=\"\" Pin4Mode=\"DIn\" ReadPin2=\"Y\" Pin2Pos=\"5\" Pin4Pos=\"7\"/></Channel>"
    "<Channel><IODD_File FileName=\"\" Pin4Mode=\"DOut\" ReadPin2=\"N\" Pin4Pos=\"20\"/></Channel>"
    "<Channel><IODD_File FileName=\"\" Pin4Mode=\"Disable\"/></Channel>";

class ProfinetXMLTest : public DescriptionTest {
protected:
    void SetUp() override
    {
        DescriptionTest::SetUp();
        // Names in the folder are matched ignoring case.
        WriteBytes(Path_Project + QStringLiteral("/IODD/SENSOR.xml"), "<IODevice/>");
    }
    // The document for these channels, parsed, with its raw bytes.
    xml::TXMLNode Write(const QByteArray& Channels)
    {
        WriteBytes(File_IOLink_SetAccess, SetAccessFile(Channels));
        Bytes = Written();
        Doc.LoadFromBytes(Bytes, QStringLiteral("GSDML"));
        return Doc.DocumentElement();
    }
    QByteArray Written()
    {
        const QString File = Out(QStringLiteral("device.xml"));
        Write_GSDML(File);
        return ReadBytes(File);
    }
    xml::TXMLNode Process(const xml::TXMLNode& Root) const
    {
        return Root.FindChild("ProfileBody").FindChild("ApplicationProcess");
    }
    // (ModuleItemTarget, FixedInSlots) of every module reference.
    std::vector<std::pair<String, String>> References(const xml::TXMLNode& Root) const
    {
        std::vector<std::pair<String, String>> Found;
        const xml::TXMLNode Modules = Process(Root)
                                          .FindChild("DeviceAccessPointList")
                                          .FindChild("DeviceAccessPointItem")
                                          .FindChild("UseableModules");
        for (xml::TXMLNode Ref = Modules.FirstChild(); Ref; Ref = Ref.NextSibling())
            Found.emplace_back(*Ref.Attribute("ModuleItemTarget"), *Ref.Attribute("FixedInSlots"));
        return Found;
    }
    // The text ids of the external texts, in order.
    QStringList Text_Ids(const xml::TXMLNode& Root) const
    {
        QStringList Ids;
        const xml::TXMLNode Texts = Process(Root).FindChild("ExternalTextList").FindChild("PrimaryLanguage");
        for (xml::TXMLNode Text = Texts.FirstChild(); Text; Text = Text.NextSibling())
            Ids << *Text.Attribute("TextId");
        return Ids;
    }

    QByteArray Bytes;
    xml::TXMLDocument Doc;
};

// The data length a module declares in a direction; -1 without one.
int Declared_Length(const xml::TXMLNode& Module, const char* Direction)
{
    const xml::TXMLNode IOData =
        Module.FindChild("VirtualSubmoduleList").FindChild("VirtualSubmoduleItem").FindChild("IOData");
    const xml::TXMLNode Item = IOData.FindChild(Direction).FindChild("DataItem");
    return Item ? Item.Attribute("Length")->toInt() : -1;
}

} // namespace

TEST_F(ProfinetXMLTest, ChannelsBecomeModulesWithTheirDataLengths)
{
    const xml::TXMLNode Root = Write(Four_Channels);
    ASSERT_TRUE(Bytes.startsWith("\xEF\xBB\xBF"));
    const QList<QByteArray> Lines = CrLfLines(Bytes.mid(3));
    ASSERT_GT(Lines.size(), 3);
    EXPECT_EQ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>", Lines[0]);
    EXPECT_EQ("<!-- A fieldbus integration example. -->", Lines[1]);
    EXPECT_EQ("<ISO15745Profile xmlns=\"http://www.profibus.com/GSDML/2003/11/DeviceProfile\" "
              "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
              "xsi:schemaLocation=\"http://www.profibus.com/GSDML/2003/11/DeviceProfile "
              "..\\xsd\\GSDML-DeviceProfile-v2.31.xsd\">",
              Lines[2]);

    ASSERT_EQ(QStringLiteral("ISO15745Profile"), Root.NodeName());
    const xml::TXMLNode Identity = Root.FindChild("ProfileBody").FindChild("DeviceIdentity");
    const QRegularExpression Hex_Id(QStringLiteral("^0x[0-9A-F]{4}$"));
    EXPECT_TRUE(Hex_Id.match(*Identity.Attribute("VendorID")).hasMatch());
    EXPECT_EQ(QLatin1String(C_Profinet_VendorID), *Identity.Attribute("VendorID"));
    EXPECT_EQ(Get_Profinet_DeviceID(), *Identity.Attribute("DeviceID"));

    using Ref = std::pair<String, String>;
    EXPECT_EQ((std::vector<Ref>{{"IDM_1", "1"}, {"IDM_2", "2"}, {"IDM_3", "3"}}), References(Root));

    std::vector<xml::TXMLNode> Modules;
    const xml::TXMLNode List = Process(Root).FindChild("ModuleList");
    for (xml::TXMLNode M = List.FindChild("ModuleItem"); M; M = M.NextSibling())
        Modules.push_back(M);
    ASSERT_EQ(3u, Modules.size());
    struct Expected {
        const char* Id;
        const char* Ident;
        int In;
        int Out;
    };
    const Expected Want[] = {
        {"IDM_1", "0x00000001", 3, -1}, {"IDM_2", "0x00000002", 3, -1}, {"IDM_3", "0x00000003", -1, 1}};
    for (size_t K = 0; K < Modules.size(); ++K) {
        EXPECT_EQ(QLatin1String(Want[K].Id), *Modules[K].Attribute("ID"));
        EXPECT_EQ(QLatin1String(Want[K].Ident), *Modules[K].Attribute("ModuleIdentNumber"));
        EXPECT_EQ(Want[K].In, Declared_Length(Modules[K], "Input")) << K;
        EXPECT_EQ(Want[K].Out, Declared_Length(Modules[K], "Output")) << K;
    }
    // The two data lines as written, blanks included.
    QStringList Trimmed;
    for (const QByteArray& Line : Lines)
        Trimmed << QString::fromUtf8(Line.trimmed());
    EXPECT_TRUE(Trimmed.contains(
        QStringLiteral("<Input> <DataItem DataType=\"OctetString\" Length=\"3\" TextId=\"IDT_Input_1\"/> </Input>")));
    EXPECT_TRUE(Trimmed.contains(
        QStringLiteral("<Output><DataItem DataType=\"OctetString\" Length=\"1\" TextId=\"IDT_Output_1\"/></Output>")));

    const QStringList Ids = Text_Ids(Root);
    const qsizetype From = Ids.indexOf(QStringLiteral("IDT_NAME_PS2"));
    const qsizetype To = Ids.indexOf(QStringLiteral("IDT_Input_1"));
    ASSERT_GE(From, 0);
    EXPECT_EQ(QStringList({"IDT_NAME_M1", "IDT_INFO_M1", "IDT_NAME_M1_IDT_REF_channel", "IDT_NAME_M2", "IDT_INFO_M2",
                           "IDT_NAME_M2_IDT_REF_channel", "IDT_NAME_M3", "IDT_INFO_M3", "IDT_NAME_M3_IDT_REF_channel"}),
              Ids.mid(From + 1, To - From - 1));

    // The records: bytes 10 to 12, 5 to 7, and byte 20 of the output data.
    EXPECT_EQ(10, Dev_IOLink[0].Min_ByteIn);
    EXPECT_EQ(13, Dev_IOLink[0].Max_ByteIn);
    EXPECT_EQ(5, Dev_IOLink[1].Min_ByteIn);
    EXPECT_EQ(20, Dev_IOLink[2].Min_ByteOut);
    EXPECT_FALSE(Dev_IOLink[3].Enable);
}

TEST_F(ProfinetXMLTest, WithoutConfigurationTheListsAreEmpty)
{
    const QString File = Out(QStringLiteral("device.xml"));
    Write_GSDML(File);
    xml::TXMLDocument Written;
    Written.LoadFromFile(File);
    const xml::TXMLNode Root = Written.DocumentElement();
    EXPECT_TRUE(References(Root).empty());
    const xml::TXMLNode List = Process(Root).FindChild("ModuleList");
    EXPECT_EQ(1, List.ChildCount()); // its comment
    EXPECT_FALSE(List.FindChild("ModuleItem"));
    const QStringList Ids = Text_Ids(Root);
    EXPECT_EQ(Ids.indexOf(QStringLiteral("IDT_NAME_PS2")) + 1, Ids.indexOf(QStringLiteral("IDT_Input_1")));
    ASSERT_EQ(size_t(GSDML_Channels), Dev_IOLink.size());
}

TEST_F(ProfinetXMLTest, ANinthChannelGetsNoModule)
{
    QByteArray Channels;
    for (int K = 0; K < 9; ++K)
        Channels += "<Channel><IODD_File Pin4Mode=\"DIn\" Pin4Pos=\"" + QByteArray::number(K) + "\"/></Channel>";
    const xml::TXMLNode Root = Write(Channels);
    const std::vector<std::pair<String, String>> Refs = References(Root);
    ASSERT_EQ(8u, Refs.size());
    EXPECT_EQ(QStringLiteral("IDM_8"), Refs.back().first);
}

// One channel each: what its record holds.
TEST_F(ProfinetXMLTest, ChannelRecordsFollowModesPinsAndItems)
{
    struct Case {
        const char* Name;
        QByteArray Channel;
        bool Enable;
        bool In;
        Int64 Num_In, Min_In;
        bool Out;
        Int64 Num_Out, Min_Out;
    };
    const Case Cases[] = {
        {"description file missing",
         "<Channel><IODD_File FileName=\"Gone.xml\" Pin4Mode=\"IO-Link\"/><ProcessData><ProcessDataIn>"
         "<PD_Record BitLength=\"8\" Position=\"1\"/></ProcessDataIn></ProcessData></Channel>",
         false, false, 0, 0, false, 0, 0},
        {"description named by a path",
         "<Channel><IODD_File FileName=\"../Demo/IODD/SENSOR.xml\" Pin4Mode=\"IO-Link\"/></Channel>", false, false, 0,
         0, false, 0, 0},
        {"mode in other letter case", "<Channel><IODD_File Pin4Mode=\"din\" Pin4Pos=\"3\"/></Channel>", false, false,
         0, 0, false, 0, 0},
        {"no IODD_File element", "<Channel><ProcessData/></Channel>", false, false, 0, 0, false, 0, 0},
        {"events only, without positions",
         "<Channel><IODD_File FileName=\"Sensor.xml\" Pin4Mode=\"IO-Link\"/>"
         "<Events><Event Enable=\"True\"/><Event Enable=\"True\" Position=\"x\"/></Events></Channel>",
         true, false, 0, 0, false, 0, 0},
        {"event input and an out item without a numeric position",
         "<Channel><IODD_File FileName=\"Sensor.xml\" Pin4Mode=\"IO-Link\"/><ProcessData><ProcessDataOut>"
         "<PD_Record BitLength=\"24\" Position=\"x\"/></ProcessDataOut></ProcessData>"
         "<Events><Event Enable=\"True\" Position=\"40\"/><Event Enable=\"False\" Position=\"90\"/></Events></Channel>",
         true, true, 1, 40, true, 3, 0},
        {"pin 2 and items together",
         "<Channel><IODD_File FileName=\"Sensor.xml\" Pin4Mode=\"IO-Link\" ReadPin2=\"Y\" Pin2Pos=\"30\"/>"
         "<ProcessData><ProcessDataIn><PD_Record BitLength=\"9\" Position=\"20\"/></ProcessDataIn>"
         "<ProcessDataOut/></ProcessData></Channel>",
         true, true, 11, 20, false, 0, 0},
        {"far positions do not overflow",
         "<Channel><IODD_File FileName=\"Sensor.xml\" Pin4Mode=\"IO-Link\"/><ProcessData><ProcessDataIn>"
         "<PD_Record BitLength=\"2147483647\" Position=\"2147483647\"/><PD_Record Position=\"-2147483648\"/>"
         "</ProcessDataIn></ProcessData></Channel>",
         true, true, 2147483647LL + 268435456LL + 2147483648LL, -2147483648LL, false, 0, 0},
        {"DIn without Pin4Pos", "<Channel><IODD_File Pin4Mode=\"DIn\"/></Channel>", true, false, 0, 0, false, 0, 0},
        {"DIn with an unreadable pin 2",
         "<Channel><IODD_File Pin4Mode=\"DIn\" ReadPin2=\"Y\" Pin2Pos=\"abc\" Pin4Pos=\"3\"/></Channel>", true, true, 1,
         3, false, 0, 0},
        {"DOut without Pin4Pos", "<Channel><IODD_File Pin4Mode=\"DOut\" Pin4Pos=\"\"/></Channel>", true, false, 0, 0,
         false, 0, 0},
        {"DOut with pin 2",
         "<Channel><IODD_File Pin4Mode=\"DOut\" ReadPin2=\"Y\" Pin2Pos=\"8\" Pin4Pos=\"9\"/></Channel>",
         true, true, 1, 8, true, 1, 9},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        const xml::TXMLNode Root = Write(C.Channel);
        const TDev_IOLink& D = Dev_IOLink[0];
        EXPECT_EQ(C.Enable, D.Enable);
        EXPECT_EQ(C.In, D.En_ByteIn);
        EXPECT_EQ(C.Out, D.En_ByteOut);
        if (C.In) {
            EXPECT_EQ(C.Num_In, D.Num_ByteIn);
            EXPECT_EQ(C.Min_In, D.Min_ByteIn);
        }
        if (C.Out) {
            EXPECT_EQ(C.Num_Out, D.Num_ByteOut);
            EXPECT_EQ(C.Min_Out, D.Min_ByteOut);
        }
        // No direction is ever declared with a length below one.
        EXPECT_EQ(!Bytes.contains("Length=\"-") && !Bytes.contains("Length=\"0\""), true);
        EXPECT_EQ(C.Enable ? 1u : 0u, References(Root).size());
    }
}

// A configuration that is no XML stops the writer before anything is written.
TEST_F(ProfinetXMLTest, AnUnreadableConfigurationWritesNothing)
{
    const QString File = Out(QStringLiteral("device.xml"));
    WriteBytes(File, "old");
    WriteBytes(File_IOLink_SetAccess, "<IO-Link><IO-Link_Channels>");
    EXPECT_THROW(Write_GSDML(File), EXMLError);
    EXPECT_EQ("old", ReadBytes(File));
}
