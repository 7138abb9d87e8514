#pragma once
// The EtherCAT slave information (ESI) file of the gateway: its identity,
// sync managers, the process data of the enabled rows of the EtherCAT
// variable tables ("EtherCAT_Slave.xml") and its distributed-clock modes.
#include "rtl/SysUtils.h"

#include <vector>

// The maker's values in the file.
inline constexpr const char* C_ESI_Vendor_Id = "0000AA55";
inline constexpr const char* C_ESI_Product_Code = "00052303";
// A 16 x 14 bitmap file with one bit per pixel (a "T"), in hexadecimal.
inline constexpr const char* C_ESI_Vendor_Icon =
    "424D76000000000000003E00000028000000100000000E000000010001000000000038000000130B0000130B000002000000"
    "00000000FFFFFF00A050000000000000000000000FF0000003C0000003C0000003C0000003C0000003C0000003C0000003C0"
    "000043C200007FFE00007FFE000000000000";

// One process-data entry.
struct TEtherCAT_Rule {
    String DataType;   // the ESI data type name
    Int64 Length = 0;  // in bits
    String Name;
};

// What one generation reads from the configuration.
struct TESI_Sources {
    String Device_Name = QStringLiteral("EtherCAT Slave");
    Integer Revision = 0;
    Word Node_Address = 1;
    String Product_Code;
    // The enabled rows of each table, in row order.
    std::vector<TEtherCAT_Rule> Slave_To_Master;
    std::vector<TEtherCAT_Rule> Master_To_Slave;
    // The byte size of the Slave To Master entries.
    Int64 Input_Bytes = 0;
};

// The main window's SaveESI in Path_Project, the overwrite question, then
// Build_ESI_File; errors are shown in an error box.
void Create_ESI_File();
// Read_ESI_Sources, then Write_ESI_File.
void Build_ESI_File(const String& FileName);
// The identity from File_ParGen (defaults without the file or its keys)
// and the entries of File_EtherCAT_Slave (none without the file). Raises
// naming the file when a file is no XML or lacks a section, and naming the
// section and row when an enabled Array row has a Length below 1.
TESI_Sources Read_ESI_Sources();
// Writes the file's lines: UTF-8 without byte-order mark, CR LF, the names
// escaped for XML, replacing any file at once.
void Write_ESI_File(const String& FileName, const TESI_Sources& Sources);
// The ESI data type of a table type text; Length goes in as bytes and comes
// out as bits.
String Get_ESI_Data_Type(const String& Type_Text, Int64& Length);
// Number in decimal, at least three digits.
String Pad_PDO_Number(Integer Number);
