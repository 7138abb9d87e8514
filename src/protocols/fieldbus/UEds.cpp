#include "protocols/fieldbus/UEds.h"

#include "platform/TextCodec.h"
#include "protocols/ethernet/UDescription_Files.h"
#include "shell/UComon.h"

#include <algorithm>

namespace {
namespace eds {

TEdsClock* Eds_Clock_In_Use = nullptr;

const char* const File_Name_Text = "CANopen_IOLink.eds";
const char* const Description_Text = "Rodureved ER Orar / EVOZ";

constexpr Integer Min_Server_Index = 0x2000;
constexpr Integer Max_Server_Index = 0x5FFF;

const char* const RPDO_Var_Prefix[EDS_Max_PDO] = {"b",  "c",  "d",  "e",  "f",  "g",  "h",  "j",  "k",  "i",
                                                  "aa", "ab", "ac", "ad", "ae", "af", "ag", "ah", "ai", "al",
                                                  "am", "an", "ao", "ap", "aq", "ar", "as", "at", "au", "av"};
const char* const TPDO_Var_Prefix[EDS_Max_PDO] = {"l",  "m",  "n",  "o",  "p",  "q",  "r",  "s",  "t",  "u",
                                                  "ca", "cb", "cc", "cd", "ce", "cf", "cg", "ch", "ci", "cl",
                                                  "cm", "cn", "co", "cp", "cq", "cr", "cs", "ct", "cu", "cv"};

// The communication objects every gateway has, block after block; the last
// block has no empty line after it.
const char* const Fixed_Objects[] = {
    "[1000]", "ParameterName=Device Type", "ObjectType=0x07", "DataType=0x0007", "AccessType=const",
    "DefaultValue=0x000101A4", "PDOMapping=0", "",
    "[1001]", "ParameterName=Error Register", "ObjectType=0x07", "DataType=0x0005", "AccessType=ro",
    "DefaultValue=0x00", "PDOMapping=0", "",
    "[1005]", "ParameterName=COB-ID SYNC", "ObjectType=0x07", "DataType=0x0007", "AccessType=rw",
    "DefaultValue=0x80000080", "PDOMapping=0", "",
    "[1006]", "ParameterName=Communication Cycle Period", "ObjectType=0x07", "DataType=0x0007", "AccessType=rw",
    "DefaultValue=0x00000000", "PDOMapping=0", "",
    "[1008]", "ParameterName=Manufacturer Device Name", "ObjectType=0x07", "DataType=0x0009",
    "AccessType=const", "DefaultValue=s1", "PDOMapping=0", "",
    "[1014]", "ParameterName=COB-ID EMCY", "ObjectType=0x07", "DataType=0x0007", "AccessType=ro",
    "DefaultValue=$NODEID+0x80", "PDOMapping=0", "",
    "[1016]", "SubNumber=3", "ParameterName=Heartbeat Consumer Entries", "ObjectType=0x08", "",
    "[1016sub0]", "ParameterName=Number of Entries", "ObjectType=0x07", "DataType=0x0005", "AccessType=ro",
    "DefaultValue=0x02", "PDOMapping=0", "",
    "[1016sub1]", "ParameterName=Consumer Heartbeat Time 1", "ObjectType=0x07", "DataType=0x0007",
    "AccessType=rw", "DefaultValue=0x00000000", "PDOMapping=0", "",
    "[1016sub2]", "ParameterName=Consumer Heartbeat Time 2", "ObjectType=0x07", "DataType=0x0007",
    "AccessType=rw", "DefaultValue=0x00000000", "PDOMapping=0", "",
    "[1017]", "ParameterName=Producer Heartbeat Time", "ObjectType=0x07", "DataType=0x0006", "AccessType=rw",
    "DefaultValue=0x000003E8", "PDOMapping=0", "",
    "[1018]", "SubNumber=5", "ParameterName=Identity Object", "ObjectType=0x09", "",
    "[1018sub0]", "ParameterName=number of entries", "ObjectType=0x07", "DataType=0x0005", "AccessType=ro",
    "DefaultValue=0x4", "PDOMapping=0", "",
    "[1018sub1]", "ParameterName=Vendor Id", "ObjectType=0x07", "DataType=0x0007", "AccessType=ro",
    "PDOMapping=0", "",
    "[1018sub2]", "ParameterName=Product Code", "ObjectType=0x07", "DataType=0x0007", "AccessType=ro",
    "PDOMapping=0", "",
    "[1018sub3]", "ParameterName=Revision number", "ObjectType=0x07", "DataType=0x0007", "AccessType=ro",
    "PDOMapping=0", "",
    "[1018sub4]", "ParameterName=Serial number", "ObjectType=0x07", "DataType=0x0007", "AccessType=ro",
    "PDOMapping=0", "",
    "[1029]", "SubNumber=2", "ParameterName=Error Behaviour", "ObjectType=0x08", "",
    "[1029sub0]", "ParameterName=Number of Entries", "ObjectType=0x07", "DataType=0x0005", "AccessType=ro",
    "DefaultValue=1", "PDOMapping=0", "",
    "[1029sub1]", "ParameterName=Communication Error", "ObjectType=0x07", "DataType=0x0005", "AccessType=rw",
    "DefaultValue=0x0", "PDOMapping=0", "",
    "[1280]", "SubNumber=4", "ParameterName=Client SDO Parameter 1", "ObjectType=0x09", "",
    "[1280sub0]", "ParameterName=Number of Entries", "ObjectType=0x07", "DataType=0x0005", "AccessType=ro",
    "DefaultValue=0x03", "PDOMapping=0", "",
    "[1280sub1]", "ParameterName=COB-ID Client -> Server", "ObjectType=0x07", "DataType=0x0007",
    "AccessType=rw", "PDOMapping=0", "",
    "[1280sub2]", "ParameterName=COB-ID Server -> Client", "ObjectType=0x07", "DataType=0x0007",
    "AccessType=rw", "PDOMapping=0", "",
    "[1280sub3]", "ParameterName=Node ID of the SDO Server", "ObjectType=0x07", "DataType=0x0005",
    "AccessType=rw", "PDOMapping=0",
};

String Hex(Integer Value, Integer Digits)
{
    return IntToHex(Value, Digits);
}

String Sub_Section(Integer Object, const String& Sub)
{
    return u'[' + Hex(Object, 4) + QStringLiteral("sub") + Sub + u']';
}

ETableFileError Row_Fault(const String& File, const xml::TXMLNode& Row, Integer Row_Number, const String& Fault)
{
    return ETableFileError(
        Format("Error in the file \"%s\": row %d of \"%s\": %s", {File, Row_Number, Row.Parent().NodeName(), Fault}));
}

// ------------------------------------------------------------ reading

std::vector<PDO_Entry> Read_PDO_Section(const TTable_File_Reader& Reader, const String& File, const char* Name)
{
    std::vector<PDO_Entry> List;
    const std::vector<xml::TXMLNode> Rows = Child_Elements(Reader.Section(Name));
    // The table holds EDS_Max_PDO rows; more come only from an edited file.
    const Integer Count = std::min<Integer>(Integer(Rows.size()), EDS_Max_PDO);
    for (Integer I = 0; I < Count; ++I) {
        const xml::TXMLNode& Row = Rows[std::size_t(I)];
        PDO_Entry Entry;
        Entry.COB_ID = StrToIntDef(Reader.Required(Row, I + 1, "COB-ID"), 0);
        Integer Dimension = 0;
        if (TryStrToInt(Reader.Required(Row, I + 1, "Dimension"), Dimension)) {
            if (Dimension < 1 || Dimension > 8)
                throw Row_Fault(File, Row, I + 1, QStringLiteral("the Dimension must be between 1 and 8"));
            Entry.Dimension = Dimension;
        }
        List.push_back(Entry);
    }
    return List;
}

Integer SDO_Number(const TTable_File_Reader& Reader, const String& File, const xml::TXMLNode& Row,
                   Integer Row_Number, const char* Attribute)
{
    const String Text = Reader.Required(Row, Row_Number, Attribute);
    try {
        return StrToInt(Text);
    } catch (const EConvertError&) {
        throw Row_Fault(File, Row, Row_Number, Format("\"%s\" is no number: \"%s\"", {Attribute, Text}));
    }
}

void Add_SDO_Entry(TEds_Data& Data, Word Index, const SDO_Sub_Type& Entry)
{
    const Integer At = Find_SDO_Index(Data, Index);
    if (At < 0) {
        Data.SDO_Index_List.push_back(SDO_Index{Index, {Entry}});
        return;
    }
    std::vector<SDO_Sub_Type>& Subs = Data.SDO_Index_List[std::size_t(At)].Sub_Indexs;
    const auto Same = std::find_if(Subs.begin(), Subs.end(), [&](const SDO_Sub_Type& S) { return S.Sub == Entry.Sub; });
    // One section per sub-index: the first row gives the size, a written row makes it rw.
    if (Same == Subs.end())
        Subs.push_back(Entry);
    else if (!Entry.Readonly)
        Same->Readonly = false;
}

void Read_SDO_Section(TEds_Data& Data, const TTable_File_Reader& Reader, const String& File, const char* Name,
                      bool Readonly)
{
    const std::vector<xml::TXMLNode> Rows = Child_Elements(Reader.Section(Name));
    for (Integer I = 0; I < Integer(Rows.size()); ++I) {
        const xml::TXMLNode& Row = Rows[std::size_t(I)];
        const Integer Index = SDO_Number(Reader, File, Row, I + 1, "Index");
        const Integer Sub = SDO_Number(Reader, File, Row, I + 1, "SubIndex");
        const Integer NByte = SDO_Number(Reader, File, Row, I + 1, "NByte");
        if (Index < Min_Server_Index || Index > Max_Server_Index)
            throw Row_Fault(File, Row, I + 1, QStringLiteral("the Index must be between 0x2000 and 0x5FFF"));
        if (Sub < 0 || Sub > 255)
            throw Row_Fault(File, Row, I + 1, QStringLiteral("the SubIndex must be between 0 and 255"));
        Add_SDO_Entry(Data, Word(Index), SDO_Sub_Type{Byte(Sub), Byte(NByte & 0xFF), Readonly, String()});
    }
}

// ------------------------------------------------------------ lines

class TEds_Lines {
public:
    QStringList Lines;

    void Add(const String& Line) { Lines << Line; }
    void Add(const char* Line) { Lines << QLatin1String(Line); }
    // A VAR entry of the communication and PDO objects; no DefaultValue line
    // when Default is empty.
    void Var(const String& Section, const String& Name, const char* Data_Type, const char* Access,
             const String& Default, const char* Mapping = "0")
    {
        Add(Section);
        Add(QStringLiteral("ParameterName=") + Name);
        Add("ObjectType=0x07");
        Add(QStringLiteral("DataType=") + QLatin1String(Data_Type));
        Add(QStringLiteral("AccessType=") + QLatin1String(Access));
        if (!Default.isEmpty())
            Add(QStringLiteral("DefaultValue=") + Default);
        Add(QStringLiteral("PDOMapping=") + QLatin1String(Mapping));
        Add("");
    }
    // The head of an ARRAY or RECORD object.
    void Object(Integer Index, Integer Sub_Number, const String& Name, const char* Type)
    {
        Add(u'[' + Hex(Index, 4) + u']');
        Add(QStringLiteral("SubNumber=") + QString::number(Sub_Number));
        Add(QStringLiteral("ParameterName=") + Name);
        Add(QStringLiteral("ObjectType=") + QLatin1String(Type));
        Add("");
    }
};

void Add_File_Info(TEds_Lines& L, TDateTime At)
{
    const String Time = EDS_Time(At);
    const String Date = EDS_Date(At);
    L.Add("[FileInfo]");
    L.Add(QStringLiteral("FileName=") + QLatin1String(File_Name_Text));
    L.Add("FileVersion=1");
    L.Add("FileRevision=0");
    L.Add("EDSVersion=4.0");
    L.Add(QStringLiteral("Description=") + QLatin1String(Description_Text));
    L.Add(QStringLiteral("CreationTime=") + Time);
    L.Add(QStringLiteral("CreationDate=") + Date);
    L.Add("CreatedBy=Tarnix");
    L.Add(QStringLiteral("ModificationTime=") + Time);
    L.Add(QStringLiteral("ModificationDate=") + Date);
    L.Add("ModifiedBy=Tarnix");
    L.Add("");
}

void Add_Device_Info(TEds_Lines& L, const TEds_Data& Data)
{
    L.Add("[DeviceInfo]");
    L.Add("VendorName=Tarnix");
    L.Add("VendorNumber=0x00");
    L.Add(QStringLiteral("ProductName=") + QLatin1String(Description_Text));
    L.Add(QStringLiteral("ProductNumber=0x") + IntToHex(EDS_Product_Number, 8));
    L.Add("RevisionNumber=0x0");
    L.Add(QStringLiteral("OrderCode=") + QLatin1String(EDS_Order_Code));
    for (const char* Line : {"BaudRate_10=1", "BaudRate_20=1", "BaudRate_50=1", "BaudRate_125=1", "BaudRate_250=1",
                             "BaudRate_500=1", "BaudRate_800=0", "BaudRate_1000=1", "DynamicChannelsSupported=0",
                             "GroupMessaging=0", "LSS_Supported=0", "Granularity=0", "SimpleBootUpSlave=1",
                             "SimpleBootUpMaster=0"})
        L.Add(Line);
    L.Add(QStringLiteral("NrOfRXPDO=") + QString::number(Data.PDO_Rx_List.size()));
    L.Add(QStringLiteral("NrOfTXPDO=") + QString::number(Data.PDO_Tx_List.size()));
    L.Add("");
}

void Add_Object_Lists(TEds_Lines& L, const TEds_Data& Data)
{
    L.Add("[Comments]");
    L.Add("Lines=0");
    L.Add("");
    L.Add("[DummyUsage]");
    for (Integer I = 1; I <= 7; ++I)
        L.Add(QStringLiteral("Dummy000%1=0").arg(I));
    L.Add("");
    for (const char* Line : {"[MandatoryObjects]", "SupportedObjects=3", "1=0x1000", "2=0x1001", "3=0x1018", ""})
        L.Add(Line);

    const Integer Rx = Integer(Data.PDO_Rx_List.size());
    const Integer Tx = Integer(Data.PDO_Tx_List.size());
    L.Add("[OptionalObjects]");
    L.Add(QStringLiteral("SupportedObjects=") + QString::number(3 * Rx + 3 * Tx + 8));
    for (const char* Line : {"1=0x1005", "2=0x1006", "3=0x1008", "4=0x1014", "5=0x1016", "6=0x1017", "7=0x1029",
                             "8=0x1280"})
        L.Add(Line);
    Integer N = 9;
    const std::pair<Integer, Integer> Groups[] = {{0x1400, Rx}, {0x1600, Rx}, {0x1800, Tx},
                                                  {0x1A00, Tx}, {0x7000, Rx}, {0x7050, Tx}};
    for (const auto& [Base, Count] : Groups)
        for (Integer K = 0; K < Count; ++K)
            L.Add(QString::number(N++) + QStringLiteral("=0x") + Hex(Base + K, 4));
    L.Add("");

    L.Add("[ManufacturerObjects]");
    L.Add(QStringLiteral("SupportedObjects=") + QString::number(Data.SDO_Index_List.size()));
    for (std::size_t I = 0; I < Data.SDO_Index_List.size(); ++I)
        L.Add(QString::number(I + 1) + QStringLiteral("=0x") + Hex(Data.SDO_Index_List[I].Index, 4));
    L.Add("");
}

void Add_Communication(TEds_Lines& L, const std::vector<PDO_Entry>& List, Integer Base, const char* Name)
{
    for (Integer K = 0; K < Integer(List.size()); ++K) {
        const Integer X = Base + K;
        L.Object(X, 4, QLatin1String(Name) + QString::number(K + 1), "0x09");
        L.Var(Sub_Section(X, QStringLiteral("0")), QStringLiteral("Number of Entries"), "0x0005", "ro",
              QStringLiteral("0x03"));
        L.Var(Sub_Section(X, QStringLiteral("1")), QStringLiteral("COB-ID"), "0x0007", "rw",
              QStringLiteral("0x") + Hex(List[std::size_t(K)].COB_ID, 8));
        L.Var(Sub_Section(X, QStringLiteral("2")), QStringLiteral("Transmission Type"), "0x0005", "rw",
              QStringLiteral("0xFE"));
        L.Var(Sub_Section(X, QStringLiteral("3")), QStringLiteral("Inhibit Time"), "0x0006", "rw",
              QStringLiteral("0x0"));
    }
}

// Numbered: the object's name carries the PDO's number.
void Add_Mapping(TEds_Lines& L, const std::vector<PDO_Entry>& List, Integer Base, Integer Variables,
                 const char* Name, bool Numbered)
{
    for (Integer K = 0; K < Integer(List.size()); ++K) {
        const Integer X = Base + K;
        const Integer D = List[std::size_t(K)].Dimension;
        L.Object(X, D + 1, QLatin1String(Name) + (Numbered ? u' ' + QString::number(K + 1) : String()), "0x09");
        L.Var(Sub_Section(X, QStringLiteral("0")), QStringLiteral("Number of Entries"), "0x0005", "ro",
              QStringLiteral("0x") + Hex(D, 2));
        for (Integer J = 1; J <= D; ++J)
            L.Var(Sub_Section(X, QString::number(J)), QStringLiteral("Mapping Entry ") + QString::number(J),
                  "0x0007", "ro", QStringLiteral("0x") + Hex(Variables + K, 4) + Hex(J, 2) + QStringLiteral("08"));
    }
}

void Add_Variables(TEds_Lines& L, const std::vector<PDO_Entry>& List, Integer Base, const char* Name,
                   const char* const* Prefix, const char* Count_Access, const char* Byte_Access)
{
    for (Integer K = 0; K < Integer(List.size()); ++K) {
        const Integer X = Base + K;
        const Integer D = List[std::size_t(K)].Dimension;
        L.Object(X, D + 1, QLatin1String(Name) + QString::number(K + 1), "0x08");
        L.Var(Sub_Section(X, QStringLiteral("0")), QStringLiteral("Number of Entries"), "0x0005", Count_Access,
              QStringLiteral("0x") + Hex(D, 2));
        for (Integer J = 1; J <= D; ++J)
            L.Var(Sub_Section(X, QString::number(J)), QLatin1String(Prefix[K]) + QString::number(J), "0x0005",
                  Byte_Access, QStringLiteral("0x00"), "1");
    }
}

void Add_Manufacturer(TEds_Lines& L, const SDO_Index& Entry)
{
    const Integer X = Entry.Index;
    const Integer Count = Integer(Entry.Sub_Indexs.size());
    const bool Has_Sub0 = Entry.Sub_Indexs.front().Sub == 0;
    L.Add(u'[' + Hex(X, 4) + u']');
    L.Add(QStringLiteral("SubNumber=") + QString::number(Has_Sub0 ? Count : Count + 1));
    L.Add("ParameterName=App Vars");
    L.Add("ObjectType=0x9");
    L.Add("");
    if (!Has_Sub0) {
        L.Add(Sub_Section(X, QStringLiteral("0")));
        L.Add("ParameterName=Largest Sub-Index supported");
        L.Add("ObjectType=0x7");
        L.Add("DataType=0x0005");
        L.Add("AccessType=ro");
        L.Add(QStringLiteral("DefaultValue=0x") + Hex(Entry.Sub_Indexs.back().Sub, 2));
        L.Add("PDOMapping=0");
        L.Add("");
    }
    for (const SDO_Sub_Type& Sub : Entry.Sub_Indexs) {
        L.Add(Sub_Section(X, Hex(Sub.Sub, 1)));
        L.Add("ParameterName=Application Variable");
        L.Add("ObjectType=0x7");
        if (Sub.Quantity == 1)
            for (const char* Line : {"DataType=0x0005", "LowLimit=0x00", "HighLimit=0xFF", "DefaultValue=0x00"})
                L.Add(Line);
        else if (Sub.Quantity == 2)
            for (const char* Line : {"DataType=0x0006", "LowLimit=0x0000", "HighLimit=0xFFFF", "DefaultValue=0x0000"})
                L.Add(Line);
        else
            for (const char* Line :
                 {"DataType=0x0007", "LowLimit=0x00000000", "HighLimit=0xFFFFFFFF", "DefaultValue=0x00000000"})
                L.Add(Line);
        L.Add(Sub.Readonly ? "AccessType=ro" : "AccessType=rw");
        L.Add("PDOMapping=0");
        L.Add("");
    }
}

} // namespace eds
} // namespace

TDateTime TEdsClock::Now()
{
    return ::Now();
}

TEdsClock& EdsClock()
{
    static TEdsClock Local;
    return eds::Eds_Clock_In_Use ? *eds::Eds_Clock_In_Use : Local;
}

void SetEdsClock(TEdsClock* Clock)
{
    eds::Eds_Clock_In_Use = Clock;
}

void Read_PDO_Table(TEds_Data& Data)
{
    Data.PDO_Rx_List.clear();
    Data.PDO_Tx_List.clear();
    if (!FileExists(File_PDO_CANopen))
        return;
    const TTable_File_Reader Reader(File_PDO_CANopen);
    Data.PDO_Rx_List = eds::Read_PDO_Section(Reader, File_PDO_CANopen, "Receive_PDO");
    Data.PDO_Tx_List = eds::Read_PDO_Section(Reader, File_PDO_CANopen, "Transmit_PDO");
}

void Read_SDO_Server_Table(TEds_Data& Data)
{
    if (!FileExists(File_SDO_Server_CANopen))
        return;
    const TTable_File_Reader Reader(File_SDO_Server_CANopen);
    eds::Read_SDO_Section(Data, Reader, File_SDO_Server_CANopen, "SDO_Read", true);
    eds::Read_SDO_Section(Data, Reader, File_SDO_Server_CANopen, "SDO_Write", false);
}

Integer Find_SDO_Index(const TEds_Data& Data, Word Index)
{
    for (std::size_t I = 0; I < Data.SDO_Index_List.size(); ++I)
        if (Data.SDO_Index_List[I].Index == Index)
            return Integer(I);
    return -1;
}

void Sort_SDO_Sub_Indexs(TEds_Data& Data)
{
    for (SDO_Index& Entry : Data.SDO_Index_List)
        std::stable_sort(Entry.Sub_Indexs.begin(), Entry.Sub_Indexs.end(),
                         [](const SDO_Sub_Type& A, const SDO_Sub_Type& B) { return A.Sub < B.Sub; });
}

String EDS_Date(TDateTime At)
{
    Word Year, Month, Day;
    DecodeDate(At, Year, Month, Day);
    return QStringLiteral("%1-%2-%3").arg(Month, 2, 10, QChar(u'0')).arg(Day, 2, 10, QChar(u'0')).arg(Year);
}

String EDS_Time(TDateTime At)
{
    Word Hour, Min, Sec, MSec;
    DecodeTime(At, Hour, Min, Sec, MSec);
    const Integer Hour12 = Hour % 12 == 0 ? 12 : Hour % 12;
    return QStringLiteral("%1:%2").arg(Hour12, 2, 10, QChar(u'0')).arg(Min, 2, 10, QChar(u'0')) +
           QLatin1String(Hour < 12 ? "AM" : "PM");
}

QStringList EDS_Lines(const TEds_Data& Data, TDateTime At)
{
    eds::TEds_Lines L;
    eds::Add_File_Info(L, At);
    eds::Add_Device_Info(L, Data);
    eds::Add_Object_Lists(L, Data);
    for (const char* Line : eds::Fixed_Objects)
        L.Add(Line);
    eds::Add_Communication(L, Data.PDO_Rx_List, 0x1400, "Receive PDO Communication Parameter ");
    eds::Add_Mapping(L, Data.PDO_Rx_List, 0x1600, 0x7000, "Receive PDO Mapping Parameter", false);
    eds::Add_Communication(L, Data.PDO_Tx_List, 0x1800, "Transmit PDO Communication Parameter ");
    eds::Add_Mapping(L, Data.PDO_Tx_List, 0x1A00, 0x7050, "Transmit PDO Mapping Parameter", true);
    eds::Add_Variables(L, Data.PDO_Rx_List, 0x7000, "RPDO", eds::RPDO_Var_Prefix, "ro", "rww");
    eds::Add_Variables(L, Data.PDO_Tx_List, 0x7050, "TPDO", eds::TPDO_Var_Prefix, "rw", "rwr");
    for (const SDO_Index& Entry : Data.SDO_Index_List)
        eds::Add_Manufacturer(L, Entry);
    L.Add("");
    return L.Lines;
}

void Write_EDS_File(const String& FileName)
{
    TEds_Data Data;
    Read_PDO_Table(Data);
    Read_SDO_Server_Table(Data);
    Sort_SDO_Sub_Indexs(Data);
    textcodec::WriteTextLines(FileName, EDS_Lines(Data, EdsClock().Now()), textcodec::TTextEncoding::teAnsi, false);
}

void Create_EDS_File(const String& FileName)
{
    Run_Description_Writer([&FileName] { Write_EDS_File(FileName); });
}
