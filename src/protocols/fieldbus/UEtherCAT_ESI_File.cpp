#include "protocols/fieldbus/UEtherCAT_ESI_File.h"

#include "platform/TextCodec.h"
#include "protocols/ethernet/UDescription_Files.h"
#include "rtl/Dialogs.h"
#include "shell/UComon.h"
#include "shell/UDeviravizevFirmWare.h"

#include <QStringList>

#include <algorithm>

namespace {

// Packs the Slave To Master rows into bytes as the gateway does: a run of
// bit entries shares bytes, every other entry takes its Length in bytes.
class TESI_Byte_Count {
public:
    void Add(const String& DataType, Integer Length_Read)
    {
        if (DataType != u"BIT") {
            FBits = 0;
            // A negative Length cannot shrink the data the device sends.
            FBytes += std::max<Integer>(Length_Read, 0);
        } else if (FBits == 0 || FBits == 8) {
            FBits = 1;
            ++FBytes;
        } else
            ++FBits;
    }
    Int64 Bytes() const { return FBytes; }

private:
    int FBits = 0;   // bits of the group's last byte; 0 outside a group
    Int64 FBytes = 0;
};

// The text of a key under the root of "ParGen.xml"; Default when missing.
String ESI_Key(const xml::TXMLNode& Root, const char* Name, const String& Default)
{
    const xml::TXMLNode Node = Root.FindChild(Name);
    return Node ? Node.Text() : Default;
}

void Read_ESI_Identity(TESI_Sources& Sources)
{
    if (File_ParGen.isEmpty() || !FileExists(File_ParGen))
        return;
    const TTable_File_Reader Reader(File_ParGen);
    const xml::TXMLNode Root = Reader.Root();
    Sources.Revision = StrToIntDef(ESI_Key(Root, "EtherCAT_Slave_Revision_Number", QStringLiteral("0")), 0);
    Sources.Device_Name = ESI_Key(Root, "EtherCAT_Slave_Name", Sources.Device_Name);
    Sources.Node_Address = Word(StrToIntDef(ESI_Key(Root, "EtherCAT_Slave_Node_Address", QStringLiteral("1")), 1));
}

// The entries of the enabled rows of one section; Bytes counts their size.
std::vector<TEtherCAT_Rule> Read_ESI_Section(const TTable_File_Reader& Reader, const xml::TXMLNode& Variables,
                                             const char* Name, TESI_Byte_Count& Bytes)
{
    std::vector<TEtherCAT_Rule> Rules;
    int Row_Number = 0;
    for (const xml::TXMLNode& Row : Child_Elements(Reader.Section(Variables, Name))) {
        if (Row.NodeName() != u"row")
            continue;
        ++Row_Number;
        if (Row.Attribute("Enable") != QStringLiteral("Y"))
            continue;
        const Integer Length_Read = StrToIntDef(Row.Attribute("Length").value_or(String()), 0);
        const String Type = Row.Attribute("Type").value_or(String());
        if (UpperCase(Trim(Type)) == u"ARRAY" && Length_Read < 1)
            throw ETableFileError(Format("Error in the file \"%s\": row %d of \"%s\" is an Array with a Length below 1",
                                         {File_EtherCAT_Slave, Row_Number, Name}));
        TEtherCAT_Rule Rule;
        Rule.Length = Length_Read;
        Rule.DataType = Get_ESI_Data_Type(Type, Rule.Length);
        Rule.Name = Row.Attribute("Name").value_or(String());
        Bytes.Add(Rule.DataType, Length_Read);
        Rules.push_back(std::move(Rule));
    }
    return Rules;
}

void Read_ESI_Variables(TESI_Sources& Sources)
{
    if (File_EtherCAT_Slave.isEmpty() || !FileExists(File_EtherCAT_Slave))
        return;
    const TTable_File_Reader Reader(File_EtherCAT_Slave);
    const xml::TXMLNode Variables = Reader.Section("EtherCAT_Slave_Variables");
    TESI_Byte_Count Input;
    Sources.Slave_To_Master = Read_ESI_Section(Reader, Variables, "EtherCAT_Slave_To_Master", Input);
    Sources.Input_Bytes = Input.Bytes();
    TESI_Byte_Count Output;
    Sources.Master_To_Slave = Read_ESI_Section(Reader, Variables, "EtherCAT_Master_To_Slave", Output);
}

// One process-data direction of the file.
struct TPdo_Kind {
    const char* Tag;
    const char* Sm;
    Integer Block_Base;
    const char* Block_Prefix;
    Integer Entry_Base;
};

const TPdo_Kind Rx_Pdo{"RxPdo", "2", 0x1600, "Outputs_", 0x7000};
const TPdo_Kind Tx_Pdo{"TxPdo", "3", 0x1A00, "Inputs_", 0x6000};

// Builds the file's lines.
class TESI_Lines {
public:
    explicit TESI_Lines(const TESI_Sources& Sources) : FSources(Sources) {}

    QStringList Build()
    {
        Add_Head();
        Add_Pdo_Blocks(FSources.Master_To_Slave, Rx_Pdo);
        Add_Pdo_Blocks(FSources.Slave_To_Master, Tx_Pdo);
        Add_Tail();
        return FLines;
    }

private:
    void Add(int Indent, const String& Text) { FLines << String(Indent, u' ') + Text; }
    void Add(int Indent, const char* Text) { Add(Indent, QString::fromLatin1(Text)); }
    void Add_Tabbed(int Tabs, const String& Text) { FLines << String(Tabs, u'\t') + Text; }

    static String Escaped(const String& Text) { return Text.toHtmlEscaped(); }
    static String Icon() { return QStringLiteral("<ImageData16x14>%1</ImageData16x14>").arg(QLatin1String(C_ESI_Vendor_Icon)); }
    // The Outputs sync manager follows three buffers of the input data,
    // rounded up to whole words of four bytes.
    String Outputs_Address() const
    {
        const Int64 Address = 4096 + 4 * ((3 * FSources.Input_Bytes + 3) / 4);
        return IntToHex(Address, 4);
    }

    void Add_Head()
    {
        const String Name = Escaped(FSources.Device_Name);
        Add(0, "<?xml version=\"1.0\"?>");
        Add(0, "<EtherCATInfo xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
               "xsi:noNamespaceSchemaLocation=\"EtherCATInfo.xsd\" Version=\"1.6\">");
        Add(2, "<Vendor>");
        Add(4, QStringLiteral("<Id>#x%1</Id>").arg(QLatin1String(C_ESI_Vendor_Id)));
        Add(4, "<Name>Tarnix</Name>");
        Add(4, Icon());
        Add(2, "</Vendor>");
        Add(2, "<Descriptions>");
        Add(4, "<Groups>");
        Add(6, "<Group SortOrder=\"0\">");
        Add(8, "<Type>Tarnix Slaves</Type>");
        Add(8, "<Name LcId=\"1031\">Tarnix Slaves</Name>");
        Add(8, "<Name LcId=\"1033\">Tarnix Slaves</Name>");
        Add(8, Icon());
        Add(6, "</Group>");
        Add(4, "</Groups>");
        Add(4, "<Devices>");
        Add(6, "<Device Physics=\"YY\">");
        Add(8, QStringLiteral("<Type ProductCode=\"#x%1\" RevisionNo=\"#x%2\">%3</Type>")
                   .arg(FSources.Product_Code, IntToHex(FSources.Revision, 2), Name));
        Add(8, QStringLiteral("<Name LcId=\"1033\">%1</Name>").arg(Name));
        Add(8, QStringLiteral("<Name LcId=\"1031\">%1</Name>").arg(Name));
        Add(8, "<Info>");
        Add(10, "<StateMachine>");
        Add(12, "<Timeout>");
        Add(14, "<PreopTimeout>2000</PreopTimeout>");
        Add(14, "<SafeopOpTimeout>9000</SafeopOpTimeout>");
        Add(14, "<BackToInitTimeout>5000</BackToInitTimeout>");
        Add(14, "<BackToSafeopTimeout>200</BackToSafeopTimeout>");
        Add(12, "</Timeout>");
        Add(10, "</StateMachine>");
        Add(10, "<Mailbox>");
        Add(12, "<Timeout>");
        Add(14, "<RequestTimeout>100</RequestTimeout>");
        Add(14, "<ResponseTimeout>2000</ResponseTimeout>");
        Add(12, "</Timeout>");
        Add(10, "</Mailbox>");
        Add(10, "<IdentificationReg134>true</IdentificationReg134>");
        Add(8, "</Info>");
        Add(8, "<GroupType>Tarnix Slaves</GroupType>");
        Add(8, "<Fmmu>Outputs</Fmmu>");
        Add(8, "<Fmmu>Inputs</Fmmu>");
        Add(8, "<Sm MinSize=\"0\" MaxSize=\"0\" DefaultSize=\"0\" StartAddress=\"#x1FFF\" ControlByte=\"#x26\" "
               "Enable=\"0\">MBoxOut</Sm>");
        Add(8, "<Sm MinSize=\"0\" MaxSize=\"0\" DefaultSize=\"0\" StartAddress=\"#x1FFF\" ControlByte=\"#x22\" "
               "Enable=\"0\">MBoxIn</Sm>");
        Add(8, QStringLiteral("<Sm StartAddress=\"#x%1\" ControlByte=\"#x64\" DefaultSize=\"1\" "
                              "Enable=\"1\">Outputs</Sm>")
                   .arg(Outputs_Address()));
        Add(8, "<Sm StartAddress=\"#x1000\" ControlByte=\"#x20\" DefaultSize=\"1\" Enable=\"1\">Inputs</Sm>");
    }

    void Add_Block_Start(const TPdo_Kind& Kind, Integer Block)
    {
        Add(8, QStringLiteral("<%1 Mandatory=\"true\" Fixed=\"true\" Sm=\"%2\">")
                   .arg(QLatin1String(Kind.Tag), QLatin1String(Kind.Sm)));
        Add(10, QStringLiteral("<Index>#x%1</Index>").arg(IntToHex(Kind.Block_Base + Block, 4)));
        Add(10, QStringLiteral("<Name>%1%2</Name>").arg(QLatin1String(Kind.Block_Prefix), Pad_PDO_Number(Block)));
        Add(0, String());
    }

    void Add_Entry(const TPdo_Kind& Kind, Integer Entry, const TEtherCAT_Rule& Rule)
    {
        Add(10, "<Entry>");
        Add(12, QStringLiteral("<Index>#x%1</Index>").arg(IntToHex(Kind.Entry_Base + Entry, 4)));
        Add(12, "<SubIndex>0</SubIndex>");
        Add(12, QStringLiteral("<BitLen>%1</BitLen>").arg(Rule.Length));
        Add(12, QStringLiteral("<Name>%1</Name>").arg(Escaped(Rule.Name)));
        Add(12, QStringLiteral("<DataType>%1</DataType>").arg(Rule.DataType));
        Add(10, "</Entry>");
        Add(0, String());
    }

    // The entry that fills the rest of a byte after a run of bits.
    void Add_Gap(int Bits)
    {
        Add_Tabbed(5, QStringLiteral("<Entry>"));
        Add_Tabbed(6, QStringLiteral("<Index>#x0</Index>"));
        Add_Tabbed(6, QStringLiteral("<SubIndex>0</SubIndex>"));
        Add_Tabbed(6, QStringLiteral("<BitLen>%1</BitLen>").arg(Bits));
        Add_Tabbed(5, QStringLiteral("</Entry>"));
        Add(0, String());
    }

    void Add_Block_End(const TPdo_Kind& Kind) { Add(8, QStringLiteral("</%1>").arg(QLatin1String(Kind.Tag))); }

    // Blocks of sixteen entries; gap entries are not counted.
    void Add_Pdo_Blocks(const std::vector<TEtherCAT_Rule>& Rules, const TPdo_Kind& Kind)
    {
        Integer Block = 0;
        int Free_Bits = 8;
        const Integer Count = Integer(Rules.size());
        for (Integer Entry = 0; Entry < Count; ++Entry) {
            if (Entry % 16 == 0)
                Add_Block_Start(Kind, Block++);
            const TEtherCAT_Rule& Rule = Rules[size_t(Entry)];
            Add_Entry(Kind, Entry, Rule);
            if (Rule.DataType != u"BIT")
                Free_Bits = 8;
            else if (--Free_Bits == 0)
                Free_Bits = 8;
            else if (Entry + 1 == Count || Rules[size_t(Entry) + 1].DataType != u"BIT") {
                Add_Gap(Free_Bits);
                Free_Bits = 8;
            }
            if (Entry % 16 == 15)
                Add_Block_End(Kind);
        }
        if (Count % 16 != 0)
            Add_Block_End(Kind);
    }

    void Add_Tail()
    {
        const Word Address = FSources.Node_Address;
        Add(8, "<Mailbox DataLinkLayer=\"true\">");
        Add(10, "<EoE />");
        Add(10, "<CoE SdoInfo=\"true\" SegmentedSdo=\"true\" CompleteAccess=\"true\" />");
        Add(10, "<FoE />");
        Add(8, "</Mailbox>");
        Add(8, "<Dc>");
        Add_Op_Mode("Synchron", "SM-Synchron", "#x0");
        Add_Op_Mode("DC", "DC-Synchron", "#x300");
        Add(8, "</Dc>");
        Add(8, "<Eeprom>");
        Add(10, "<ByteSize>2048</ByteSize>");
        Add(10, QStringLiteral("<ConfigData>800F00CC8813ff00") + IntToHex(Integer(Address & 0xFF), 2) +
                    IntToHex(Integer(Address >> 8), 2) + QStringLiteral("00800000</ConfigData>"));
        Add(8, "</Eeprom>");
        Add(8, Icon());
        Add(6, "</Device>");
        Add(4, "</Devices>");
        Add(2, "</Descriptions>");
        Add(0, "</EtherCATInfo>");
    }

    void Add_Op_Mode(const char* Name, const char* Desc, const char* Assign_Activate)
    {
        Add(10, "<OpMode>");
        Add(12, QStringLiteral("<Name>%1</Name>").arg(QLatin1String(Name)));
        Add(12, QStringLiteral("<Desc>%1</Desc>").arg(QLatin1String(Desc)));
        Add(12, QStringLiteral("<AssignActivate>%1</AssignActivate>").arg(QLatin1String(Assign_Activate)));
        Add(12, "<CycleTimeSync0 Factor=\"1\">0</CycleTimeSync0>");
        Add(12, "<ShiftTimeSync0>0</ShiftTimeSync0>");
        Add(12, "<CycleTimeSync1 Factor=\"1\">0</CycleTimeSync1>");
        Add(10, "</OpMode>");
    }

    const TESI_Sources& FSources;
    QStringList FLines;
};

} // namespace

String Get_ESI_Data_Type(const String& Type_Text, Int64& Length)
{
    struct TFixed_Type {
        const char* Text;
        const char* DataType;
        Int64 Bits;
    };
    static const TFixed_Type Fixed_Types[] = {
        {"BOOL", "BIT", 1},      {"INT8", "SINT", 8},    {"INT16", "INT", 16},    {"INT32", "DINT", 32},
        {"UINT8", "USINT", 8},   {"UINT16", "UINT", 16}, {"UINT32", "UDINT", 32}, {"FLOAT32", "REAL", 32},
    };
    const String Type = UpperCase(Trim(Type_Text));
    if (Type == u"ARRAY") {
        const String DataType = QStringLiteral("ARRAY [0..%1] OF BYTE").arg(Length - 1);
        Length *= 8;
        return DataType;
    }
    for (const TFixed_Type& Fixed : Fixed_Types)
        if (Type == QLatin1String(Fixed.Text)) {
            Length = Fixed.Bits;
            return QLatin1String(Fixed.DataType);
        }
    Length = 1;
    return QStringLiteral("BIT");
}

String Pad_PDO_Number(Integer Number)
{
    if (Number >= 0 && Number <= 9)
        return QStringLiteral("00") + IntToStr(Number);
    if (Number >= 10 && Number <= 99)
        return u'0' + IntToStr(Number);
    return IntToStr(Number);
}

TESI_Sources Read_ESI_Sources()
{
    TESI_Sources Sources;
    Read_ESI_Identity(Sources);
    Sources.Product_Code = QLatin1String(C_ESI_Product_Code);
    Read_ESI_Variables(Sources);
    return Sources;
}

void Write_ESI_File(const String& FileName, const TESI_Sources& Sources)
{
    textcodec::WriteTextLines(FileName, TESI_Lines(Sources).Build(), textcodec::TTextEncoding::teUtf8, false);
}

void Build_ESI_File(const String& FileName)
{
    Write_ESI_File(FileName, Read_ESI_Sources());
}

void Create_ESI_File()
{
    TSaveDialog* Dialog = FDeviravizevFirmWare ? FDeviravizevFirmWare->SaveESI : nullptr;
    if (!Dialog)
        return;
    Dialog->SetInitialDir(Path_Project);
    if (!Dialog->Execute())
        return;
    const String FileName = Dialog->FileName();
    if (Confirm_Replace(FileName))
        Run_Description_Writer([&FileName] { Build_ESI_File(FileName); });
}
