#include "protocols/ethernet/UProfinetXML.h"

#include "iolink/UIO_Link_Set_Access.h"
#include "platform/TextCodec.h"
#include "platform/XmlDoc.h"
#include "protocols/ethernet/UDescription_Files.h"
#include "rtl/Dialogs.h"
#include "shell/UComon.h"
#include "shell/UDeviravizevFirmWare.h"
#include "shell/ULanguage.h"

#include <algorithm>
#include <memory>

std::vector<TDev_IOLink> Dev_IOLink;

namespace {

String GSDML_Device_Name;
String GSDML_Model_Code;
String GSDML_Device_ID;

const char* const GSDML_Profile_Namespace = "http://www.profibus.com/GSDML/2003/11/DeviceProfile";

// ------------------------------------------------------------ reading

// The bytes a direction of a channel uses.
struct TGSDML_Range {
    Int64 Lowest = 999999;
    Int64 End = 0;
    bool Positioned = false;

    void Add(Int64 First, Int64 Past)
    {
        Lowest = std::min(Lowest, First);
        End = std::max(End, Past);
        Positioned = true;
    }
    // A position from a pin or an event: only one of 0 or more counts.
    void Add_Position(Int64 Position)
    {
        if (Position >= 0)
            Add(Position, Position + 1);
    }
    // A direction without a positioned byte has no data to describe.
    void Store(Boolean& Enabled, Int64& Num, Int64& Min, Int64& Max) const
    {
        if (!Positioned) {
            Enabled = false;
            return;
        }
        Max = End;
        Min = Lowest;
        Num = End - Lowest;
    }
};

String GSDML_Attr(const xml::TXMLNode& Node, const char* Name)
{
    return Node.Attribute(Name).value_or(String());
}

Int64 GSDML_Number(const xml::TXMLNode& Node, const char* Name, Integer Default)
{
    return StrToIntDef(GSDML_Attr(Node, Name), Default);
}

// The process data items of a direction.
void GSDML_Add_Items(const xml::TXMLNode& List, TGSDML_Range& Range)
{
    for (const xml::TXMLNode& Item : Child_Elements(List)) {
        const Int64 Position = GSDML_Number(Item, "Position", 0);
        const Int64 Bits = GSDML_Number(Item, "BitLength", 0);
        Range.Add(Position, Bits < 2 ? Position + 1 : Position + (Bits + 7) / 8);
    }
}

// Whether the channel's description file is in the configuration's folder.
bool GSDML_Description_Present(const String& FileName)
{
    const bool Plain = !FileName.isEmpty() && FileName != u"." && FileName != u".." && !FileName.contains(u'/') &&
                       !FileName.contains(u'\\');
    return Plain && !FindExistingName(TIO_Link_Set_Access_Core::IODD_Folder(), FileName).isEmpty();
}

void GSDML_Read_IOLink(const xml::TXMLNode& Channel, const xml::TXMLNode& File, TDev_IOLink& Dev)
{
    if (!GSDML_Description_Present(GSDML_Attr(File, "FileName")))
        return;
    Dev.Enable = true;
    const xml::TXMLNode Process = Channel.FindChild("ProcessData");
    TGSDML_Range In;
    if (const xml::TXMLNode List = Process.FindChild("ProcessDataIn")) {
        Dev.En_ByteIn = true;
        GSDML_Add_Items(List, In);
    }
    if (GSDML_Attr(File, "ReadPin2") == u"Y") {
        Dev.En_ByteIn = true;
        In.Add_Position(GSDML_Number(File, "Pin2Pos", -1));
    }
    for (const xml::TXMLNode& Event : Child_Elements(Channel.FindChild("Events")))
        if (GSDML_Attr(Event, "Enable") == u"True") {
            Dev.En_ByteIn = true;
            In.Add_Position(GSDML_Number(Event, "Position", -1));
        }
    In.Store(Dev.En_ByteIn, Dev.Num_ByteIn, Dev.Min_ByteIn, Dev.Max_ByteIn);

    if (const xml::TXMLNode List = Process.FindChild("ProcessDataOut")) {
        Dev.En_ByteOut = true;
        TGSDML_Range Out;
        GSDML_Add_Items(List, Out);
        Out.Store(Dev.En_ByteOut, Dev.Num_ByteOut, Dev.Min_ByteOut, Dev.Max_ByteOut);
    }
}

void GSDML_Read_Pins(const String& Mode, const xml::TXMLNode& File, TDev_IOLink& Dev)
{
    TGSDML_Range In;
    if (GSDML_Attr(File, "ReadPin2") == u"Y") {
        Dev.Enable = Dev.En_ByteIn = true;
        In.Add_Position(GSDML_Number(File, "Pin2Pos", -1));
    }
    const Int64 Pin4 = GSDML_Number(File, "Pin4Pos", -1);
    if (Mode == u"DIn") {
        Dev.Enable = Dev.En_ByteIn = true;
        In.Add_Position(Pin4);
    } else {
        Dev.Enable = Dev.En_ByteOut = true;
        TGSDML_Range Out;
        Out.Add_Position(Pin4);
        Out.Store(Dev.En_ByteOut, Dev.Num_ByteOut, Dev.Min_ByteOut, Dev.Max_ByteOut);
    }
    In.Store(Dev.En_ByteIn, Dev.Num_ByteIn, Dev.Min_ByteIn, Dev.Max_ByteIn);
}

void GSDML_Read_Channel(const xml::TXMLNode& Channel, TDev_IOLink& Dev)
{
    const xml::TXMLNode File = Channel.FindChild("IODD_File");
    if (!File)
        return;
    const String Mode = GSDML_Attr(File, "Pin4Mode");
    if (Mode == u"IO-Link")
        GSDML_Read_IOLink(Channel, File, Dev);
    else if (Mode == u"DIn" || Mode == u"DOut")
        GSDML_Read_Pins(Mode, File, Dev);
}

// ------------------------------------------------------------ writing

// The document's lines, each indented with a tab per level.
class TGSDML_Lines {
public:
    void Add(const String& Text) { FLines.append(String(FDepth, u'\t') + Text); }
    void Add(const char* Text) { Add(QString::fromUtf8(Text)); }
    void Open(const String& Text)
    {
        Add(Text);
        ++FDepth;
    }
    void Open(const char* Text) { Open(QString::fromUtf8(Text)); }
    void Close(const char* Text)
    {
        --FDepth;
        Add(Text);
    }
    void Add_All(std::initializer_list<const char*> Texts)
    {
        for (const char* Text : Texts)
            Add(Text);
    }
    const QStringList& Lines() const { return FLines; }

private:
    QStringList FLines;
    int FDepth = 0;
};

void GSDML_Write_Header(TGSDML_Lines& L)
{
    L.Add("<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
    L.Add("<!-- A fieldbus integration example. -->");
    L.Open(Format("<ISO15745Profile xmlns=\"%s\" xmlns:xsi=\"%s\" xsi:schemaLocation=\"%s "
                  "..\\xsd\\GSDML-DeviceProfile-v2.31.xsd\">",
                  {GSDML_Profile_Namespace, xml::XSI_NAMESPACE, GSDML_Profile_Namespace}));
    L.Open("<ProfileHeader>");
    L.Add_All({"<ProfileIdentification>PROFINET Device Profile</ProfileIdentification>",
               "<ProfileRevision>1.00</ProfileRevision>",
               "<ProfileName>Device Profile for PROFINET Devices</ProfileName>",
               "<ProfileSource>PROFIBUS Nutzerorganisation e. V. (PNO)</ProfileSource>",
               "<ProfileClassID>Device</ProfileClassID>"});
    L.Open("<ISO15745Reference>");
    L.Add_All({"<ISO15745Part>4</ISO15745Part>", "<ISO15745Edition>1</ISO15745Edition>",
               "<ProfileTechnology>GSDML</ProfileTechnology>"});
    L.Close("</ISO15745Reference>");
    L.Close("</ProfileHeader>");
}

void GSDML_Write_Identity(TGSDML_Lines& L)
{
    L.Open("<ProfileBody>");
    L.Open(Format("<DeviceIdentity VendorID=\"%s\" DeviceID=\"%s\">", {C_Profinet_VendorID, GSDML_Device_ID}));
    L.Add_All({"<InfoText TextId=\"IDT_INFO_Device\"/>", "<VendorName Value=\"Tarnix\"/>"});
    L.Close("</DeviceIdentity>");
    L.Open("<DeviceFunction>");
    L.Add(Format("<Family MainFamily=\"Gateway\" ProductFamily=\"%s\"/>", {GSDML_Model_Code}));
    L.Close("</DeviceFunction>");
}

void GSDML_Write_Access_Point(TGSDML_Lines& L)
{
    L.Open("<ApplicationProcess>");
    L.Open("<DeviceAccessPointList>");
    L.Open(Format("<DeviceAccessPointItem PNIO_Version=\"V2.3\" RequiredSchemaVersion=\"V2.25\" ID=\"IDD_1\" "
                  "PhysicalSlots=\"0..9\" ModuleIdentNumber=\"0x00000001\" MinDeviceInterval=\"64\" "
                  "ImplementationType=\"%s\" DNS_CompatibleName=\"%s\" FixedInSlots=\"0\" "
                  "ObjectUUID_LocalIndex=\"1\" MultipleWriteSupported=\"true\" MaxSupportedRecordSize=\"8192\" "
                  "ParameterizationSpeedupSupported=\"true\" PowerOnToCommReady=\"350\" "
                  "DeviceAccessSupported=\"true\" SharedDeviceSupported=\"true\" CheckDeviceID_Allowed=\"false\" "
                  "NameOfStationNotTransferable=\"true\">",
                  {GSDML_Device_Name, GSDML_Device_Name}));
    L.Open("<ModuleInfo>");
    L.Add_All({"<Name TextId=\"IDT_NAME_DAP1\"/>", "<InfoText TextId=\"IDT_INFO_DAP1\"/>",
               "<VendorName Value=\"Tarnix\"/>"});
    L.Add(Format("<OrderNumber Value=\"%s\"/>", {GSDML_Model_Code}));
    L.Close("</ModuleInfo>");
    L.Open("<SubslotList>");
    L.Add_All({"<SubslotItem SubslotNumber=\"0\" TextId=\"IDT_SUBSLOT_1\"/>",
               "<SubslotItem SubslotNumber=\"32768\" TextId=\"IDT_SUBSLOT_Interface\"/>",
               "<SubslotItem SubslotNumber=\"32769\" TextId=\"IDT_SUBSLOT_Port1\"/>",
               "<SubslotItem SubslotNumber=\"32770\" TextId=\"IDT_SUBSLOT_Port2\"/>"});
    L.Close("</SubslotList>");
    L.Add("<IOConfigData MaxInputLength=\"1440\" MaxOutputLength=\"1440\" MaxDataLength=\"2880\"/>");
    L.Open("<UseableModules>");
    for (int K = 0; K < int(Dev_IOLink.size()); ++K)
        if (Dev_IOLink[K].Enable)
            L.Add(Format("<ModuleItemRef ModuleItemTarget=\"IDM_%d\" FixedInSlots=\"%d\" />", {K + 1, K + 1}));
    L.Close("</UseableModules>");
    L.Open("<VirtualSubmoduleList>");
    L.Open("<VirtualSubmoduleItem ID=\"IDS_V1\" SubmoduleIdentNumber=\"0x00000000\" >");
    L.Add("<IOData IOPS_Length=\"1\" IOCS_Length=\"1\"/>");
    L.Open("<ModuleInfo>");
    L.Add_All({"<Name TextId=\"IDT_NAME_VS1\"/>", "<InfoText TextId=\"IDT_INFO_VS1\"/>"});
    L.Close("</ModuleInfo>");
    L.Close("</VirtualSubmoduleItem>");
    L.Close("</VirtualSubmoduleList>");
    L.Open("<SystemDefinedSubmoduleList>");
    L.Open("<InterfaceSubmoduleItem ID=\"IDS_I\" SubmoduleIdentNumber=\"0x00000001\" SubslotNumber=\"32768\" "
           "TextId=\"IDT_NAME_IS\" SupportedRT_Classes=\"RT_CLASS_1\" SupportedProtocols=\"SNMP;LLDP\" "
           "SupportedMibs=\"MIB2\">");
    L.Open("<ApplicationRelations>");
    L.Add("<TimingProperties SendClock=\"32\" ReductionRatio=\"1 2 4 8 16 32 64 128 256 512\"/>");
    L.Close("</ApplicationRelations>");
    L.Close("</InterfaceSubmoduleItem>");
    L.Add_All({"<PortSubmoduleItem ID=\"IDS_P1\" SubmoduleIdentNumber=\"0x00000002\" SubslotNumber=\"32769\" "
               "TextId=\"IDT_NAME_PS1\" MaxPortRxDelay=\"350\" MaxPortTxDelay=\"160\"/>",
               "<PortSubmoduleItem ID=\"IDS_P2\" SubmoduleIdentNumber=\"0x00000002\" SubslotNumber=\"32770\" "
               "TextId=\"IDT_NAME_PS2\" MaxPortRxDelay=\"350\" MaxPortTxDelay=\"160\"/>"});
    L.Close("</SystemDefinedSubmoduleList>");
    L.Add_All({"<!-- This element tells the engineering tool that the DAP supports fieldbus integration "
               "(slot clusters). -->",
               "<!-- FieldbusIntegrationSlots MaxSupported=\"127\" Range=\"100..9999\"/-->"});
    L.Close("</DeviceAccessPointItem>");
    L.Close("</DeviceAccessPointList>");
}

void GSDML_Write_Module(TGSDML_Lines& L, int N, const TDev_IOLink& Dev)
{
    const String Ident = Format("0x%.8X", {N});
    const String Channel_Name = Format("IDT_NAME_M%d_IDT_REF_channel", {N});
    L.Open(Format("<ModuleItem ID=\"IDM_%d\" ModuleIdentNumber=\"%s\">", {N, Ident}));
    L.Open("<ModuleInfo>");
    L.Add(Format("<Name TextId=\"IDT_NAME_M%d\"/>", {N}));
    L.Add(Format("<InfoText TextId=\"IDT_INFO_M%d\"/>", {N}));
    L.Add("<OrderNumber Value=\"12345-0040-M\"/>");
    L.Close("</ModuleInfo>");
    L.Open("<VirtualSubmoduleList>");
    L.Open(Format("<VirtualSubmoduleItem ID=\"IDM_%d\" SubmoduleIdentNumber=\"%s\" >", {N, Ident}));
    L.Open("<IOData IOPS_Length=\"1\" IOCS_Length=\"1\" >");
    if (Dev.En_ByteIn)
        L.Add(Format("<Input> <DataItem DataType=\"OctetString\" Length=\"%d\" TextId=\"IDT_Input_1\"/> </Input>",
                     {Dev.Num_ByteIn}));
    if (Dev.En_ByteOut)
        L.Add(Format("<Output><DataItem DataType=\"OctetString\" Length=\"%d\" TextId=\"IDT_Output_1\"/></Output>",
                     {Dev.Num_ByteOut}));
    L.Close("</IOData>");
    L.Open("<RecordDataList>");
    L.Open("<ParameterRecordDataItem Index=\"128\" Length=\"2\" >");
    L.Add(Format("<Name TextId=\"%s\"/>", {Channel_Name}));
    L.Add_All({"<Const ByteOffset=\"0\" Data=\"0x00,0x00\"/>",
               "<Ref TextId=\"IDT_REF_reaction_to_cpu_stop\" Visible=\"true\" DataType=\"BitArea\" ByteOffset=\"0\" "
               "BitOffset=\"0\" BitLength=\"2\" DefaultValue=\"2\" AllowedValues=\"0..2\" "
               "ValueItemTarget=\"IDV_reaction_to_cpu_stop\" ID=\"IDT_REF_reaction_to_cpu_stop\" />"});
    L.Open("<MenuList>");
    L.Open(Format("<MenuItem ID=\"%s\">", {Channel_Name}));
    L.Add(Format("<Name TextId=\"%s\"/>", {Channel_Name}));
    L.Add("<MenuRef MenuTarget=\"IDT_NAME_Module_Base_Parameters\"/>");
    L.Close("</MenuItem>");
    L.Open("<MenuItem ID=\"IDT_NAME_Module_Base_Parameters\">");
    L.Add_All({"<Name TextId=\"IDT_NAME_Module_Base_Parameters\"/>",
               "<ParameterRef ParameterTarget=\"IDT_REF_reaction_to_cpu_stop\"/>"});
    L.Close("</MenuItem>");
    L.Close("</MenuList>");
    L.Close("</ParameterRecordDataItem>");
    L.Close("</RecordDataList>");
    L.Open("<ModuleInfo>");
    L.Add(Format("<Name TextId=\"IDT_NAME_M%d\"/>", {N}));
    L.Add(Format("<InfoText TextId=\"IDT_INFO_M%d\"/>", {N}));
    L.Close("</ModuleInfo>");
    L.Close("</VirtualSubmoduleItem>");
    L.Close("</VirtualSubmoduleList>");
    L.Close("</ModuleItem>");
}

void GSDML_Write_Lists(TGSDML_Lines& L)
{
    L.Open("<ValueList>");
    L.Open("<ValueItem ID=\"IDV_reaction_to_cpu_stop\">");
    L.Open("<Assignments>");
    L.Add_All({"<Assign TextId=\"IDT_ASSIGN_do_set_substitude_values\" Content=\"0\"/>",
               "<Assign TextId=\"IDT_ASSIGN_do_values_will_hold\" Content=\"1\"/>",
               "<Assign TextId=\"IDT_ASSIGN_do_continue_counting\" Content=\"2\"/>"});
    L.Close("</Assignments>");
    L.Close("</ValueItem>");
    L.Close("</ValueList>");
    L.Open("<CategoryList>");
    L.Open("<CategoryItem ID=\"IDC_DI\" TextId=\"IDT_CATEGORY_DI\">");
    L.Add("<InfoText TextId=\"IDT_INFO_DI\"/>");
    L.Close("</CategoryItem>");
    L.Open("<CategoryItem ID=\"IDC_DO\" TextId=\"IDT_CATEGORY_DO\">");
    L.Add("<InfoText TextId=\"IDT_INFO_DO\"/>");
    L.Close("</CategoryItem>");
    L.Close("</CategoryList>");
}

void GSDML_Write_Text(TGSDML_Lines& L, const String& Id, const String& Value)
{
    L.Add(Format("<Text TextId=\"%s\" Value=\"%s\"/>", {Id, Value}));
}

void GSDML_Write_Texts(TGSDML_Lines& L, std::initializer_list<std::pair<const char*, const char*>> Texts)
{
    for (const auto& [Id, Value] : Texts)
        GSDML_Write_Text(L, QLatin1String(Id), QLatin1String(Value));
}

void GSDML_Write_External_Texts(TGSDML_Lines& L)
{
    L.Open("<ExternalTextList>");
    L.Open("<PrimaryLanguage>");
    GSDML_Write_Texts(L, {{"IDT_INFO_Device", "Tarnix Gateways"},
                          {"IDT_NAME_DAP1", "IOLINKDevice"},
                          {"IDT_INFO_DAP1", "Profinet IOLINK Adapter"},
                          {"IDT_SUBSLOT_1", "Subslot 1"},
                          {"IDT_SUBSLOT_Interface", "Interface"},
                          {"IDT_SUBSLOT_Port1", "Port 1"},
                          {"IDT_SUBSLOT_Port2", "Port 2"},
                          {"IDT_NAME_VS1", "Submodule V1"},
                          {"IDT_INFO_VS1", "Description of submodule V1"},
                          {"IDT_NAME_IS", "I"},
                          {"IDT_NAME_PS1", "P1"},
                          {"IDT_NAME_PS2", "P2"}});
    for (int K = 0; K < int(Dev_IOLink.size()); ++K) {
        if (!Dev_IOLink[K].Enable)
            continue;
        const int N = K + 1;
        GSDML_Write_Text(L, Format("IDT_NAME_M%d", {N}), Format("Module %d", {N}));
        GSDML_Write_Text(L, Format("IDT_INFO_M%d", {N}), Format("device IOLINK %d", {N}));
        GSDML_Write_Text(L, Format("IDT_NAME_M%d_IDT_REF_channel", {N}), Format("Canale %d", {N}));
    }
    GSDML_Write_Texts(L, {{"IDT_Input_1", "Input byte"},
                          {"IDT_Output_1", "Output word"},
                          {"IDT_CATEGORY_DI", "Digital Input"},
                          {"IDT_INFO_DI", "Description of digital input"},
                          {"IDT_CATEGORY_DO", "Digital output"},
                          {"IDT_INFO_DO", "Description of digital output"},
                          {"IDT_REF_reaction_to_cpu_stop", "Reaction to CPU STOP"},
                          {"IDT_NAME_Module_Base_Parameters", "Base Parameters"},
                          {"IDT_ASSIGN_do_set_substitude_values", "Output substitute value"},
                          {"IDT_ASSIGN_do_values_will_hold", "Keep last value"},
                          {"IDT_ASSIGN_do_continue_counting", "Continue operation"}});
    L.Close("</PrimaryLanguage>");
    L.Close("</ExternalTextList>");
}

} // namespace

void Clear_Dev_IOLink()
{
    Dev_IOLink.assign(GSDML_Channels, TDev_IOLink());
}

void Read_Dev_IOLink(int Num_Channels)
{
    if (File_IOLink_SetAccess.isEmpty() || !FileExists(File_IOLink_SetAccess))
        return;
    TTable_File_Reader Reader(File_IOLink_SetAccess);
    const std::vector<xml::TXMLNode> Channels = Child_Elements(Reader.Root().FindChild("IO-Link_Channels"));
    const int Count = std::min({Num_Channels, int(Channels.size()), int(Dev_IOLink.size())});
    for (int K = 0; K < Count; ++K)
        GSDML_Read_Channel(Channels[K], Dev_IOLink[K]);
}

void Prepare_GSDML_Data()
{
    GSDML_Device_Name = QStringLiteral("devicename1");
    GSDML_Model_Code = Get_Model_Code();
    GSDML_Device_ID = Get_Profinet_DeviceID();
    Clear_Dev_IOLink();
    Read_Dev_IOLink(GSDML_Channels);
}

QStringList GSDML_Lines()
{
    TGSDML_Lines L;
    GSDML_Write_Header(L);
    GSDML_Write_Identity(L);
    GSDML_Write_Access_Point(L);
    L.Open("<ModuleList>");
    L.Add("<!-- The \"normal\" module carrying the FAP. -->");
    for (int K = 0; K < int(Dev_IOLink.size()); ++K)
        if (Dev_IOLink[K].Enable)
            GSDML_Write_Module(L, K + 1, Dev_IOLink[K]);
    L.Close("</ModuleList>");
    GSDML_Write_Lists(L);
    GSDML_Write_External_Texts(L);
    L.Close("</ApplicationProcess>");
    L.Close("</ProfileBody>");
    L.Close("</ISO15745Profile>");
    return L.Lines();
}

void Write_GSDML(const String& Path)
{
    Prepare_GSDML_Data();
    textcodec::WriteTextLines(Path, GSDML_Lines(), textcodec::TTextEncoding::teUtf8, true);
}

void Create_GSDML_File(const String& FileName)
{
    // The name comes from the name dialog; a path in it would leave the
    // folder the user picks.
    if (FileName.isEmpty() || ExtractFileName(FileName) != FileName || FileName == u"." || FileName == u"..")
        return;
    auto Dialog = std::make_unique<TSaveDialog>(FDeviravizevFirmWare);
    Dialog->SetInitialDir(Path_Project);
    Dialog->SetFilter(QStringLiteral("PROFINET XML (*.xml)|") + FileName);
    Dialog->SetFileName(FileName);
    if (!Dialog->Execute())
        return;
    // The user picks the folder; the name stays the proposed one.
    const String Path = ExtractFilePath(Dialog->FileName()) + FileName;
    if (FileExists(Path) && MessageDlg(Lang.Strings(1811), mtConfirmation, mbYesNo, 0) != mrYes)
        return;
    Run_Description_Writer([&Path] { Write_GSDML(Path); });
}
