#pragma once
// State that the windows of every subsystem share for the whole run, and the
// small routines several of them call. Everything here lives on the window
// thread only.
#include "rtl/Classes.h"

#include <memory>
#include <vector>

class TExStringGrid;
class TExColumnGrid;

// ------------------------------------------------------------ fixed texts

inline constexpr const char* C_SW_Title = "Tarnix - Configurator QP11211 - IO-Link / EtherNet/IP ";
inline constexpr const char* C_SW_Code = "QP11211";
inline constexpr const char* C_SW_Desc = "IO-Link / EtherNet/IP - Converter";
inline constexpr const char* C_Model_Code = "GV52303";
inline constexpr const char* C_Profinet_DeviceID = "0x0301";
// The maker's PROFINET vendor identifier, written into the GSDML file.
inline constexpr const char* C_Profinet_VendorID = "0x0C4E";
// The program version, written into the device images and the version
// comments of the configuration files.
inline constexpr const char* C_SW_Version = "1.003";

// Defaults of the values the settings file keeps.
inline constexpr const char* C_Default_IP_Address = "192.168.2.205";
inline constexpr const char* C_Default_Language = "English";

// The suffixes of the ten IO-Link device variants, in list order; a variant's
// name is the model code followed by its suffix. The IO-Link side takes the
// port layout from the position, so the order is part of the file format.
inline constexpr const char* const ParGen_Device_Suffixes[10] = {
    "-A1-4A", "-A1-2A", "-A1-2A-2B", "-A1-2B", "-A1-4B", "-A1-4A-4B", "-A1-8A", "-A1-6A", "-A1-2A-4B", "-A1-4A-2B",
};

// The row of a stored device variant name (model code and suffix) among
// ParGen_Device_Suffixes, blanks around it trimmed and letter case
// ignored; -1 for a name that is none of them. Every reader of the
// variant looks it up so.
Integer Device_Variant_Index(const String& Name);
// The message that reports an unknown variant name.
String Unknown_Device_Variant_Text(const String& Name);

// Folder names beside the program.
inline constexpr const char* C_Folder_Master = "MASTER";
inline constexpr const char* C_Folder_Projects = "PROJECTS";
inline constexpr const char* C_Folder_Language = "LANGUAGE";
inline constexpr const char* C_Folder_IODD_Catalog = "IODD_Catalog";
inline constexpr const char* C_Folder_IOLink_StaDef = "IOLink_StaDef";

// ------------------------------------------------------------ open configuration

// Name of the configuration; may name one whose folder is gone.
extern String Name_Project;
// Folder of the open configuration; empty = no configuration open.
extern String Path_Project;

// ------------------------------------------------------------ program folders

// Folder of the program, no trailing delimiter: the programs and the
// read-only data shipped with them ("MASTER", "IOLink_StaDef", the shipped
// languages and descriptions) are read from here only.
extern String Path_Exe;
// The folder the program writes to: the settings, "PROJECTS", the update
// job and the files the user adds to the languages and the catalog.
// Path_Exe when that can be written, else the per-user data folder.
extern String Path_Data;
extern String Path_Projects;
extern String Path_Master;
// The shipped languages and descriptions.
extern String Path_Language;
extern String Path_IODD_Catalog;
// Where the user's own languages and descriptions go (in Path_Data).
extern String Path_User_Language;
extern String Path_User_IODD_Catalog;
// With its trailing delimiter.
extern String Path_IOLink_StaDef;

// ------------------------------------------------------------ product texts

extern String SW_Title;
extern String SW_Code;
extern String SW_Desc;

// ------------------------------------------------------------ user options

extern String Last_IP_Address;
// The update dialog's choices, kept for the run only.
extern Integer Last_Update_Option;
extern Boolean Last_Read_Back;
extern String Language_Name;
extern Boolean Enable_Internet;
extern Boolean Enable_Update;
extern Boolean Enable_Jump_Field_Tables;
extern Boolean Double_Click_Auto_Size;

// ------------------------------------------------------------ table files

extern String File_ParGen;
extern String File_IOLink_SetAccess;
extern String File_ModbusM_SetAccess;
extern String File_ModbusTCPM_SetAccess;
extern String File_BACnet_Slave_SetAccess;
extern String File_CAN_Rec_Frames;
extern String File_CAN_Send_Frames;
extern String File_PDO_CANopen;
extern String File_SDO_Client_CANopen;
extern String File_SDO_Server_CANopen;
extern String File_J1939_Rec_Frames;
extern String File_J1939_Send_Frames;
extern String File_NMEA_Rec_Frames;
extern String File_NMEA_Send_Frames;
extern String File_SNMP_Trap;
extern String File_MQTT_Set_Topic;
extern String File_NMEA_0183_Set_Access;
extern String File_EtherCAT_Slave;

// ------------------------------------------------------------ shared lists

// The copied row of the table editors, one text per column from column 1.
extern TStringList SL_Copy_Row;
// For each copied cell (index = column - 1), whether it held a check box.
extern std::vector<Boolean> Copy_Row_CheckBox;
// Working lists of the MIB generator.
extern TStringList SL_MIB_Read;
extern TStringList SL_MIB_Write;

// ------------------------------------------------------------ start-up helpers

// Path_Exe := Exe_Dir and Path_Data := Data_Dir (Exe_Dir when empty), both
// without trailing delimiter, and the program folders composed below them:
// MASTER and IOLink_StaDef below Path_Exe, PROJECTS below Path_Data, the
// shipped LANGUAGE and IODD_Catalog below Path_Exe and the user's below
// Path_Data. Creates nothing.
void Set_Program_Folders(const String& Exe_Dir, const String& Data_Dir = String());
// Creates each missing program folder, one level, in the order MASTER,
// PROJECTS, LANGUAGE, IODD_Catalog, IOLink_StaDef, then the user's LANGUAGE
// and IODD_Catalog. Failures are not reported: later reads and writes in
// that folder fail where they happen.
void Create_Program_Folders();
// The folders of the languages and of the catalog: the shipped one, then
// the user's when it is another.
QStringList Language_Folders();
QStringList IODD_Catalog_Folders();
// The file Name (matched ignoring case) in the first of Folders that holds
// a file of that name; empty when none does.
String Find_In_Folders(const QStringList& Folders, const String& Name);
// SW_Title, SW_Code and SW_Desc := the fixed product texts.
void Set_Product_Texts();
// The eighteen table paths := Path_Project + "/" + file name; all empty
// while no configuration is open, so no reader or writer ever reaches a
// file at the root of the file system.
void Set_Table_Files();
// Empties the copied-row buffer and the MIB lists.
void Clear_Shared_Lists();

// ------------------------------------------------------------ routines

// Splits a dotted IPv4 address into its four trimmed parts (the fourth is
// everything after the third point) and tests it: true only when each part is
// a decimal number 0..255. Parts already cut stay assigned on an early false.
Boolean Split_IP_Address(const String& IP, String& A, String& B, String& C, String& D);

// The numbers, as decimal text and ascending, of the serial ports present:
// ttyS<k> is port k + 1, ttyUSB<k> port k + 65 and ttyACM<k> port k + 129
// (k < 64). A port in use or denied to this user is listed. Never null.
std::unique_ptr<TStringList> Search_COM_Ports();
// The same over another device folder.
std::unique_ptr<TStringList> Search_COM_Ports_In(const String& Dev_Dir);
// The device file of a port number Search_COM_Ports lists; empty for a
// number outside 1..192.
String COM_Port_Device(Integer Port, const String& Dev_Dir = QStringLiteral("/dev"));

// The user's decimal separator: "," or "." ("," when the user has another).
Char Get_Decimal_Separator();

// Reads Text as a number, taking "," and "." alike as decimal separator
// (each is turned into DecSep, then the text is read with the user's
// separator). On failure, or outside single precision, Value := 1.0 and false.
Boolean Check_Float(const String& Text, Char DecSep, Single& Value);

// The gateway model code, stem of the device variant names.
String Get_Model_Code();
void Get_Model_Code(String& Code);
// The gateway's PROFINET device identifier, "0x" and four hex digits.
String Get_Profinet_DeviceID();
void Get_Profinet_DeviceID(String& ID);

// ------------------------------------------------------------ table rows

// The row operations of the table editors, over the data columns 1 to
// ColCount + NumHiddenColumns - 1 by real column; ARow is a display row,
// the grids keep their row count. Column grids keep check states as the
// cell texts "Y"/"N"; string grids carry check boxes in cells. Paste and
// insert ask before they overwrite or drop a row in use; they answer
// whether they changed the rows.
void Delete_Row_ECG(Integer ARow, TExColumnGrid* Grid);
Boolean Insert_Row_ECG(Integer ARow, TExColumnGrid* Grid, Boolean SetEnable);
void Copy_Row_ECG(TExColumnGrid* Grid, Integer ARow);
Boolean Paste_Row_ECG(TExColumnGrid* Grid, Integer ARow, Boolean CopyValid);
void Delete_Row_ESG(Integer ARow, TExStringGrid* Grid, Boolean SetEnable);
Boolean Insert_Row_ESG(Integer ARow, TExStringGrid* Grid, Boolean SetEnable);
void Copy_Row_ESG(TExStringGrid* Grid, Integer ARow);
Boolean Paste_Row_ESG(TExStringGrid* Grid, Integer ARow, Boolean CopyValid);
// The two table options: a double click on the header row sizes the
// column (Double_Click_Auto_Size); Enter moves to the next cell and is
// swallowed (Enable_Jump_Field_Tables).
void DblClick_AutoSize_Col(TExStringGrid* Grid, Integer ARow, Integer ACol);
void KeyPress_Jump_Cell(TExStringGrid* Grid, Char& Key);
