#include "shell/UComon.h"

#include "platform/UserLocale.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <limits>

#include <fcntl.h>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <unistd.h>

String Name_Project;
String Path_Project;

String Path_Exe;
String Path_Data;
String Path_Projects;
String Path_Master;
String Path_Language;
String Path_IODD_Catalog;
String Path_User_Language;
String Path_User_IODD_Catalog;
String Path_IOLink_StaDef;

String SW_Title;
String SW_Code;
String SW_Desc;

String Last_IP_Address = QString::fromLatin1(C_Default_IP_Address);
Integer Last_Update_Option = 0;
Boolean Last_Read_Back = true;
String Language_Name = QString::fromLatin1(C_Default_Language);
Boolean Enable_Internet = false;
Boolean Enable_Update = false;
Boolean Enable_Jump_Field_Tables = false;
Boolean Double_Click_Auto_Size = false;

String File_ParGen;
String File_IOLink_SetAccess;
String File_ModbusM_SetAccess;
String File_ModbusTCPM_SetAccess;
String File_BACnet_Slave_SetAccess;
String File_CAN_Rec_Frames;
String File_CAN_Send_Frames;
String File_PDO_CANopen;
String File_SDO_Client_CANopen;
String File_SDO_Server_CANopen;
String File_J1939_Rec_Frames;
String File_J1939_Send_Frames;
String File_NMEA_Rec_Frames;
String File_NMEA_Send_Frames;
String File_SNMP_Trap;
String File_MQTT_Set_Topic;
String File_NMEA_0183_Set_Access;
String File_EtherCAT_Slave;

TStringList SL_Copy_Row;
std::vector<Boolean> Copy_Row_CheckBox;
TStringList SL_MIB_Read;
TStringList SL_MIB_Write;

// ------------------------------------------------------------ start-up helpers

void Set_Program_Folders(const String& Exe_Dir, const String& Data_Dir)
{
    Path_Exe = ExcludeTrailingPathDelimiter(Exe_Dir);
    Path_Data = Data_Dir.isEmpty() ? Path_Exe : ExcludeTrailingPathDelimiter(Data_Dir);
    const String Exe = Path_Exe + PathDelim;
    const String Data = Path_Data + PathDelim;
    Path_Master = Exe + QLatin1String(C_Folder_Master);
    Path_Projects = Data + QLatin1String(C_Folder_Projects);
    Path_Language = Exe + QLatin1String(C_Folder_Language);
    Path_IODD_Catalog = Exe + QLatin1String(C_Folder_IODD_Catalog);
    Path_User_Language = Data + QLatin1String(C_Folder_Language);
    Path_User_IODD_Catalog = Data + QLatin1String(C_Folder_IODD_Catalog);
    Path_IOLink_StaDef = Exe + QLatin1String(C_Folder_IOLink_StaDef) + PathDelim;
}

void Create_Program_Folders()
{
    for (const String* Dir : {&Path_Master, &Path_Projects, &Path_Language, &Path_IODD_Catalog,
                              &Path_IOLink_StaDef, &Path_User_Language, &Path_User_IODD_Catalog}) {
        const String Folder = ExcludeTrailingPathDelimiter(*Dir);
        if (!Folder.isEmpty() && !DirectoryExists(Folder))
            CreateDir(Folder);
    }
}

namespace {

QStringList Comon_Folders(const String& Shipped, const String& User)
{
    return User == Shipped ? QStringList{Shipped} : QStringList{Shipped, User};
}

} // namespace

QStringList Language_Folders() { return Comon_Folders(Path_Language, Path_User_Language); }

QStringList IODD_Catalog_Folders() { return Comon_Folders(Path_IODD_Catalog, Path_User_IODD_Catalog); }

String Find_In_Folders(const QStringList& Folders, const String& Name)
{
    for (const String& Folder : Folders) {
        const String Found = FindExistingName(Folder, Name);
        if (!Found.isEmpty() && FileExists(Folder + PathDelim + Found))
            return Folder + PathDelim + Found;
    }
    return String();
}

void Set_Product_Texts()
{
    SW_Title = QString::fromLatin1(C_SW_Title);
    SW_Code = QString::fromLatin1(C_SW_Code);
    SW_Desc = QString::fromLatin1(C_SW_Desc);
}

void Set_Table_Files()
{
    struct TTableFile {
        String* Path;
        const char* Name;
    };
    static const TTableFile Files[] = {
        {&File_ParGen, "ParGen.xml"},
        {&File_IOLink_SetAccess, "IOLink_SetAccess.xml"},
        {&File_ModbusM_SetAccess, "ModbusM_SetAccess.xml"},
        {&File_ModbusTCPM_SetAccess, "ModbusTCPM_SetAccess.xml"},
        {&File_BACnet_Slave_SetAccess, "BACnet_Slave_SetAccess.xml"},
        {&File_CAN_Rec_Frames, "CAN_Rec_Frames.xml"},
        {&File_CAN_Send_Frames, "CAN_Send_Frames.xml"},
        {&File_SDO_Server_CANopen, "SDO_Server_CANopen.xml"},
        {&File_SDO_Client_CANopen, "SDO_Client_CANopen.xml"},
        {&File_PDO_CANopen, "PDO_CANopen.xml"},
        {&File_J1939_Rec_Frames, "J1939_Rec_Frames.xml"},
        {&File_J1939_Send_Frames, "J1939_Send_Frames.xml"},
        {&File_NMEA_Rec_Frames, "NMEA_Rec_Frames.xml"},
        {&File_NMEA_Send_Frames, "NMEA_Send_Frames.xml"},
        {&File_SNMP_Trap, "SNMP_Trap.xml"},
        {&File_MQTT_Set_Topic, "MQTT_Set_Topic.xml"},
        {&File_NMEA_0183_Set_Access, "NMEA_0183_Set_Access.xml"},
        {&File_EtherCAT_Slave, "EtherCAT_Slave.xml"},
    };
    for (const TTableFile& F : Files)
        *F.Path = Path_Project.isEmpty() ? String()
                                         : Path_Project + PathDelim + QLatin1String(F.Name);
}

void Clear_Shared_Lists()
{
    SL_Copy_Row.Clear();
    Copy_Row_CheckBox.clear();
    SL_MIB_Read.Clear();
    SL_MIB_Write.Clear();
}

// ------------------------------------------------------------ routines

Integer Device_Variant_Index(const String& Name)
{
    const String Wanted = Trim(Name);
    for (Integer I = 0; I < Integer(std::size(ParGen_Device_Suffixes)); ++I)
        if (Wanted.compare(Get_Model_Code() + QLatin1String(ParGen_Device_Suffixes[I]), Qt::CaseInsensitive) == 0)
            return I;
    return -1;
}

String Unknown_Device_Variant_Text(const String& Name)
{
    return Format("\"ParGen.xml\" names the unknown device variant \"%s\"", {Name});
}

namespace {

// Cuts S at its first "."; false when there is none.
bool Comon_Cut_At_Point(String& S, String& Part)
{
    const qsizetype P = S.indexOf(u'.');
    if (P < 0)
        return false;
    Part = Trim(S.left(P));
    S = Trim(S.mid(P + 1));
    return true;
}

// A part of a dotted address: decimal digits only, 0..255.
bool Comon_Is_Address_Byte(const String& Part)
{
    if (Part.isEmpty())
        return false;
    int Value = 0;
    for (QChar C : Part) {
        if (C < u'0' || C > u'9')
            return false;
        Value = Value * 10 + (C.unicode() - u'0');
        if (Value > 255)
            return false;
    }
    return true;
}

} // namespace

Boolean Split_IP_Address(const String& IP, String& A, String& B, String& C, String& D)
{
    String S = Trim(IP);
    if (!Comon_Cut_At_Point(S, A) || !S.contains(u'.'))
        return false;
    if (!Comon_Cut_At_Point(S, B) || !S.contains(u'.'))
        return false;
    Comon_Cut_At_Point(S, C);
    D = S;
    return Comon_Is_Address_Byte(A) && Comon_Is_Address_Byte(B) && Comon_Is_Address_Byte(C)
           && Comon_Is_Address_Byte(D);
}

namespace {

struct TComPortFamily {
    const char* Prefix;
    Integer First;   // port number of index 0
};

// Numbers 1..192 in blocks of 64, so each number names one device.
constexpr TComPortFamily Com_Port_Families[] = {{"ttyS", 1}, {"ttyUSB", 65}, {"ttyACM", 129}};
constexpr Integer Com_Ports_Per_Family = 64;

// Opened like a port to be used (read and write, no controlling terminal,
// no wait for carrier): present when it opens or answers that it is busy or
// denied. A standard UART slot that has no chip behind it is not a port.
bool Com_Port_Present(const QByteArray& Device, bool Is_Uart)
{
    const int Fd = ::open(Device.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (Fd < 0)
        return errno == EBUSY || errno == EACCES || errno == EPERM;
    bool Present = true;
    if (Is_Uart) {
        serial_struct Info{};
        if (::ioctl(Fd, TIOCGSERIAL, &Info) == 0 && Info.type == PORT_UNKNOWN)
            Present = false;
    }
    ::close(Fd);
    return Present;
}

} // namespace

std::unique_ptr<TStringList> Search_COM_Ports_In(const String& Dev_Dir)
{
    auto Ports = std::make_unique<TStringList>();
    static const QRegularExpression Name_Form(QStringLiteral("^(ttyS|ttyUSB|ttyACM)(\\d{1,2})$"));
    std::vector<Integer> Found;
    const QStringList Names = QDir(Dev_Dir).entryList(QDir::System | QDir::Files | QDir::Hidden);
    for (const QString& Name : Names) {
        const QRegularExpressionMatch M = Name_Form.match(Name);
        if (!M.hasMatch())
            continue;
        const Integer Index = M.captured(2).toInt();
        if (Index >= Com_Ports_Per_Family || (M.captured(2).size() > 1 && M.captured(2)[0] == u'0'))
            continue;
        for (const TComPortFamily& F : Com_Port_Families) {
            if (M.captured(1) != QLatin1String(F.Prefix))
                continue;
            const QByteArray Device = QFile::encodeName(Dev_Dir + PathDelim + Name);
            if (Com_Port_Present(Device, F.First == 1))
                Found.push_back(F.First + Index);
        }
    }
    std::sort(Found.begin(), Found.end());
    for (Integer N : Found)
        Ports->Add(IntToStr(N));
    return Ports;
}

std::unique_ptr<TStringList> Search_COM_Ports()
{
    return Search_COM_Ports_In(QStringLiteral("/dev"));
}

String COM_Port_Device(Integer Port, const String& Dev_Dir)
{
    for (const TComPortFamily& F : Com_Port_Families)
        if (Port >= F.First && Port < F.First + Com_Ports_Per_Family)
            return Dev_Dir + PathDelim + QLatin1String(F.Prefix) + IntToStr(Port - F.First);
    return String();
}

Char Get_Decimal_Separator()
{
    const Char Sep = platform::UserDecimalSeparator();
    return (Sep == u',' || Sep == u'.') ? Sep : Char(u',');
}

Boolean Check_Float(const String& Text, Char DecSep, Single& Value)
{
    String S = Text;
    if (DecSep == u'.')
        S.replace(u',', u'.');
    else
        S.replace(u'.', u',');
    TFormatSettings Settings = FormatSettings;
    Settings.DecimalSeparator = Get_Decimal_Separator();
    double Number = 0;
    if (TryStrToFloat(S, Number, Settings) && std::isfinite(Number)
        && std::fabs(Number) <= double(std::numeric_limits<Single>::max())) {
        Value = Single(Number);
        return true;
    }
    Value = 1.0f;
    return false;
}

String Get_Model_Code()
{
    return QString::fromLatin1(C_Model_Code);
}

void Get_Model_Code(String& Code)
{
    Code = Get_Model_Code();
}

String Get_Profinet_DeviceID()
{
    return QString::fromLatin1(C_Profinet_DeviceID);
}

void Get_Profinet_DeviceID(String& ID)
{
    ID = Get_Profinet_DeviceID();
}
