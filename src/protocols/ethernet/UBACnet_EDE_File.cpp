#include "protocols/ethernet/UBACnet_EDE_File.h"

#include "platform/TextCodec.h"
#include "protocols/ethernet/UDescription_Files.h"
#include "shell/UComon.h"

#include <map>
#include <memory>
#include <vector>

namespace {

// The device settings of "ParGen.xml".
struct TEDE_Device {
    String Instance;
    bool Long_Names = false;
};

// One run of the writer: the device and one instance counter per type.
struct TEDE_Run {
    TEDE_Device Device;
    std::map<int, int> Next_Instance;
    std::vector<std::unique_ptr<TBACnet_EDE_Obj>> Objects;
};

// A ";" or a line break in a field would shift or split the columns.
String EDE_Field(const String& Text)
{
    String Field = Text;
    for (QChar& C : Field)
        if (C == u';' || C == u'\r' || C == u'\n')
            C = u' ';
    return Field;
}

int EDE_Object_Type(const String& Data_Type)
{
    static const std::map<String, int> Types = {
        {QStringLiteral("ANALOG INPUT"), 0},
        {QStringLiteral("ANALOG OUT"), 1},
        {QStringLiteral("ANALOG VALUE"), 2},
        {QStringLiteral("BINARY INPUT"), 3},
        {QStringLiteral("BINARY OUT"), 4},
        {QStringLiteral("BINARY VALUE"), 5},
        {QStringLiteral("MULTI STATE INPUT"), 13},
        {QStringLiteral("MULTI STATE OUTPUT"), 14},
        {QStringLiteral("MULTI STATE VALUE"), 19},
        {QStringLiteral("LIFE SAFETY POINT"), 21},
        {QStringLiteral("LIFE SAFETY ZONE"), 22},
        {QStringLiteral("ACCUMULATOR"), 23},
        {QStringLiteral("ACCESS DOOR"), 30},
        {QStringLiteral("CHARACTERSTRING VALUE"), 40},
        {QStringLiteral("DATETIME VALUE"), 44},
        {QStringLiteral("INTEGER VALUE"), 45},
        {QStringLiteral("LARGE ANALOG VALUE"), 46},
        {QStringLiteral("OCTET STRING"), 47},
        {QStringLiteral("POSITIVE INTEGER VALUE"), 48},
    };
    const auto Found = Types.find(UpperCase(Trim(Data_Type)));
    return Found == Types.end() ? 0 : Found->second;
}

// The text of a key under the root; nullopt when it is missing.
std::optional<String> EDE_Key(const xml::TXMLNode& Root, const char* Name)
{
    const xml::TXMLNode Node = Root.FindChild(Name);
    return Node ? std::optional<String>(Node.Text()) : std::nullopt;
}

TEDE_Device EDE_Read_Device()
{
    TEDE_Device Device;
    if (File_ParGen.isEmpty() || !FileExists(File_ParGen))
        return Device;
    try {
        const TTable_File_Reader Reader(File_ParGen);
        const xml::TXMLNode Root = Reader.Root();
        const int Type = StrToIntDef(EDE_Key(Root, "BACnet_Type").value_or(String()), 0);
        Device.Instance = EDE_Key(Root, Type == 1 ? "BACnet_Ser_DEV_IDE" : "BACnet_DEV_IDE").value_or(String());
        Device.Long_Names = EDE_Key(Root, "BACnet_Desc_Chars_Limit") == QStringLiteral("1");
    } catch (const Exception&) {
        // An unreadable file gives the defaults, as missing keys do.
    }
    return Device;
}

void EDE_Read_Section(TEDE_Run& Run, const TTable_File_Reader& Reader, const char* Section)
{
    int Row_Number = 0;
    for (const xml::TXMLNode& Row : Child_Elements(Reader.Section(Section))) {
        ++Row_Number;
        const int Type = EDE_Object_Type(Reader.Required(Row, Row_Number, "Data_Type"));
        const String Unit = Reader.Required(Row, Row_Number, "Eng_Unit");
        const String Mnemonic = EDE_Field(Reader.Required(Row, Row_Number, "Mnemonic"));
        auto Obj = std::make_unique<TBACnet_EDE_Obj>();
        Obj->ObjectInstance = IntToStr(Run.Next_Instance[Type]++);
        Obj->DevObjInstance = EDE_Field(Run.Device.Instance);
        Obj->Keyname = Obj->DevObjInstance + u'_' + Mnemonic + u'_' + Obj->ObjectInstance;
        Obj->ObjectName = Mnemonic.left(Run.Device.Long_Names ? 32 : 16);
        Obj->ObjectType = IntToStr(Type);
        Obj->Description = Obj->ObjectName;
        Obj->UnitCode = EDE_Field(Unit);
        Run.Objects.push_back(std::move(Obj));
    }
}

String EDE_Time(TDateTime Time)
{
    Word Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0, MSec = 0;
    DecodeDate(Time, Year, Month, Day);
    DecodeTime(Time, Hour, Minute, Second, MSec);
    return Format("%.2d:%.2d:%.2d %.2d/%.2d/%.4d", {Hour, Minute, Second, Day, Month, Year});
}

} // namespace

QStringList EDE_Lines(TDateTime Written_At)
{
    TEDE_Run Run;
    Run.Device = EDE_Read_Device();
    if (!File_BACnet_Slave_SetAccess.isEmpty() && FileExists(File_BACnet_Slave_SetAccess)) {
        const TTable_File_Reader Reader(File_BACnet_Slave_SetAccess);
        EDE_Read_Section(Run, Reader, "BACnet_in_Read");
        EDE_Read_Section(Run, Reader, "BACnet_in_Write");
    }
    QStringList Lines{
        QStringLiteral("PROJECT_NAME; Tarnix--") + EDE_Field(Name_Project) + QStringLiteral(";;;;;;"),
        QStringLiteral("VERSION_OF_REFERENCEFILE;1.0;;;;;;"),
        QStringLiteral("TIMESTAMP_OF_LAST_CHANGE;") + EDE_Time(Written_At) + QStringLiteral(";;;;;;"),
        QStringLiteral("AUTHOR_OF_LAST_CHANGE;Tarnix;;;;;;"),
        QStringLiteral("VERSION_OF_LAYOUT;2;;;;;;"),
        QStringLiteral("# mandatory;mandatory;mandatory;mandatory;mandatory;optional;optional;"),
        QStringLiteral("# keyname;device obj.-instance;object-name;object-type;object-instance;description;unit-code;"),
    };
    for (const auto& Obj : Run.Objects)
        Lines << QStringList{Obj->Keyname,        Obj->DevObjInstance, Obj->ObjectName, Obj->ObjectType,
                             Obj->ObjectInstance, Obj->Description,    Obj->UnitCode}
                         .join(u';') +
                     u';';
    return Lines;
}

void Write_EDE_File(const String& FileName)
{
    textcodec::WriteTextLines(FileName, EDE_Lines(Now()), textcodec::TTextEncoding::teAnsi, false);
}

void Create_EDE_File(const String& FileName)
{
    Run_Description_Writer([&FileName] { Write_EDE_File(FileName); });
}
