#include "protocols/ethernet/USNMP_MIB.h"

#include "platform/TextCodec.h"
#include "protocols/ethernet/UDescription_Files.h"
#include "rtl/Dialogs.h"
#include "shell/UComon.h"
#include "shell/UDeviravizevFirmWare.h"
#include "shell/ULanguage.h"

#include <QRegularExpression>

#include <set>

TMIB_Type_Int MIB_Type_Int;

namespace {

// One direction of the tables as the module sees it.
struct TMIB_Direction {
    TStringList& Descriptions;
    std::vector<Boolean>& Type_Int;
    const char* Value_Node;   // "bufferinval" / "bufferoutval"
    const char* Access;   // "read-only" / "read-write"
};

TMIB_Direction MIB_Read() { return {SL_MIB_Read, MIB_Type_Int.Read, "bufferinval", "read-only"}; }
TMIB_Direction MIB_Write() { return {SL_MIB_Write, MIB_Type_Int.Write, "bufferoutval", "read-write"}; }

void MIB_Read_Section(const TTable_File_Reader& Reader, const char* Section, const TMIB_Direction& Direction)
{
    for (const xml::TXMLNode& Row : Child_Elements(Reader.Section(Section))) {
        if (UpperCase(Row.Attribute("Enable").value_or(String())) != u"Y")
            continue;
        Direction.Descriptions.Add(Row.Attribute("Description").value_or(String()));
        Direction.Type_Int.push_back(UpperCase(Row.Attribute("Type").value_or(String())) == u"INT");
    }
}

// Entry K (from 0): its description, or the node's name and number.
String MIB_Object_Name(const TMIB_Direction& Direction, int K)
{
    const String Description = Direction.Descriptions.Strings(K);
    return Description.isEmpty() ? QLatin1String(Direction.Value_Node) + IntToStr(K + 1) : Description;
}

String MIB_Type(const TMIB_Direction& Direction, int K)
{
    return QLatin1String(K < int(Direction.Type_Int.size()) && Direction.Type_Int[K] ? "INTEGER" : "OCTET STRING");
}

// The names the module defines or imports besides the value objects.
std::set<String> MIB_Fixed_Names()
{
    std::set<String> Names;
    for (const char* Name : {"enterprises", "tarnix", "identity", "gateway", "application", "data", "hellostring",
                             "countin", "countout", "bufferin", "bufferinval", "bufferout", "bufferoutval", "traps",
                             "trapsval"})
        Names.insert(QLatin1String(Name));
    for (int B = 1; B <= 8; ++B) {
        Names.insert(QStringLiteral("bufferinblk") + IntToStr(B));
        Names.insert(QStringLiteral("bufferoutblk") + IntToStr(B));
    }
    for (int K = 1; K <= SL_MIB_Read.Count(); ++K)
        Names.insert(QStringLiteral("trapval") + IntToStr(K));
    return Names;
}

// Every value object's name must be a descriptor of its own: a lower-case
// letter, then letters and digits, at most 64 characters, and no name the
// module uses already.
void MIB_Check_Names()
{
    static const QRegularExpression Descriptor(QStringLiteral("^[a-z][A-Za-z0-9]{0,63}$"));
    std::set<String> Used = MIB_Fixed_Names();
    for (const TMIB_Direction& Direction : {MIB_Read(), MIB_Write()})
        for (int K = 0; K < Direction.Descriptions.Count(); ++K) {
            const String Name = MIB_Object_Name(Direction, K);
            if (!Descriptor.match(Name).hasMatch() || !Used.insert(Name).second)
                throw Exception(LangFormat(1509, {Name}));
        }
}

void MIB_Add_Head(QStringList& L)
{
    L << QStringLiteral("GATEWAY DEFINITIONS ::= BEGIN") << QStringLiteral("IMPORTS")
      << QStringLiteral("       MODULE-IDENTITY,OBJECT-TYPE,NOTIFICATION-TYPE")
      << QStringLiteral("         FROM SNMPv2-SMI") << QStringLiteral("         DisplayString, TimeStamp")
      << QStringLiteral("         FROM SNMPv2-TC") << QStringLiteral("         enterprises")
      << QStringLiteral("         FROM RFC1155-SMI;") << String() << QStringLiteral("identity MODULE-IDENTITY")
      << QStringLiteral("    LAST-UPDATED \"201701310000Z\"")
      << Format("    ORGANIZATION \"%s\"", {C_MIB_Organization}) << QStringLiteral("    CONTACT-INFO")
      << Format("\t \"%s", {C_MIB_Street}) << Format("    %s", {C_MIB_Town}) << Format("    %s", {C_MIB_Country})
      << Format("    email:    %s\"", {C_MIB_Mail_Domain}) << QStringLiteral("    DESCRIPTION")
      << QStringLiteral("\t\"MIB objects for agent module \"") << QStringLiteral("    REVISION     \"201701310000Z\"")
      << QStringLiteral("    DESCRIPTION") << QStringLiteral("\t\"Corrected notification \"")
      << QStringLiteral("    REVISION     \"200202060000Z\"") << QStringLiteral("    DESCRIPTION")
      << QStringLiteral("\t\"First draft\"") << QStringLiteral("    ::= { tarnix 2 }")
      << Format("tarnix          OBJECT IDENTIFIER ::= { enterprises %d }", {C_MIB_Enterprise_Number})
      << QStringLiteral("gateway OBJECT IDENTIFIER::= { tarnix 1 }")
      << QStringLiteral("application OBJECT IDENTIFIER::= { gateway 1 }")
      << QStringLiteral("data OBJECT IDENTIFIER::= { application 1 }")
      << QStringLiteral("hellostring OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only  STATUS current  "
                        "DESCRIPTION \"\" ::= { data 1}")
      << QStringLiteral("countin  OBJECT-TYPE SYNTAX INTEGER       MAX-ACCESS read-only  STATUS current  "
                        "DESCRIPTION \"\" ::= { data 2}")
      << QStringLiteral("countout  OBJECT-TYPE SYNTAX INTEGER       MAX-ACCESS read-write STATUS current  "
                        "DESCRIPTION \"\" ::= { data 3}");
}

// The block node, its eight data blocks, its value node and the objects.
void MIB_Add_Buffer(QStringList& L, const TMIB_Direction& Direction, const char* Node, int Number)
{
    L << Format("%s OBJECT IDENTIFIER::= { data %d }", {Node, Number});
    for (int B = 1; B <= 8; ++B)
        L << Format("%sblk%d OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS %s STATUS current DESCRIPTION "
                    "\"data block n.%d\" ::= { %s %d }",
                    {Node, B, Direction.Access, B, Node, B});
    L << Format(" %s OBJECT IDENTIFIER::= { %s 9 }", {Direction.Value_Node, Node});
    for (int K = 0; K < Direction.Descriptions.Count(); ++K)
        L << Format("%s OBJECT-TYPE SYNTAX %s MAX-ACCESS %s STATUS current DESCRIPTION \"%s\" ::= { %s %d }",
                    {MIB_Object_Name(Direction, K), MIB_Type(Direction, K), Direction.Access,
                     Direction.Descriptions.Strings(K), Direction.Value_Node, K + 1});
}

void MIB_Add_Traps(QStringList& L)
{
    const TMIB_Direction Read = MIB_Read();
    L << QStringLiteral("traps OBJECT IDENTIFIER::= { application 2 }")
      << QStringLiteral(" trapsval OBJECT IDENTIFIER::= { traps 1 }");
    for (int K = 0; K < Read.Descriptions.Count(); ++K)
        L << Format("trapval%d NOTIFICATION-TYPE OBJECTS { %s } STATUS current DESCRIPTION \"%s\" ::= { trapsval %d }",
                    {K + 1, MIB_Object_Name(Read, K), Read.Descriptions.Strings(K), K + 1});
}

} // namespace

void Read_MIB_Lists()
{
    SL_MIB_Read.Clear();
    SL_MIB_Write.Clear();
    MIB_Type_Int = TMIB_Type_Int();
    if (File_SNMP_Trap.isEmpty() || !FileExists(File_SNMP_Trap))
        return;
    const TTable_File_Reader Reader(File_SNMP_Trap);
    // Both sections must be there before either list is filled.
    Reader.Section("SNMP_Trap_Write");
    MIB_Read_Section(Reader, "SNMP_Trap_Read", MIB_Read());
    MIB_Read_Section(Reader, "SNMP_Trap_Write", MIB_Write());
}

QStringList MIB_Lines()
{
    MIB_Check_Names();
    QStringList L;
    MIB_Add_Head(L);
    MIB_Add_Buffer(L, MIB_Read(), "bufferin", 4);
    MIB_Add_Buffer(L, MIB_Write(), "bufferout", 5);
    MIB_Add_Traps(L);
    L << QStringLiteral("END");
    return L;
}

void Write_MIB(const String& FileName)
{
    textcodec::WriteTextLines(FileName, MIB_Lines(), textcodec::TTextEncoding::teAnsi, false);
}

void Create_MIB_File()
{
    TSaveDialog* Dialog = FDeviravizevFirmWare ? FDeviravizevFirmWare->SaveMIB : nullptr;
    if (!Dialog)
        return;
    Dialog->SetInitialDir(Path_Project);
    if (!Dialog->Execute())
        return;
    const String FileName = Dialog->FileName();
    if (!Confirm_Replace(FileName))
        return;
    Run_Description_Writer([&FileName] {
        Read_MIB_Lists();
        Write_MIB(FileName);
    });
}
