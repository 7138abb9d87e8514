#pragma once
// The MIB writer: the SNMP module "GATEWAY" of the gateway, a fixed tree
// under the maker's enterprise node with one object per enabled row of the
// SNMP read and write tables ("SNMP_Trap.xml") and one notification per
// enabled read row.
#include "rtl/SysUtils.h"

#include <QStringList>

#include <vector>

// The maker's values in the module.
inline constexpr int C_MIB_Enterprise_Number = 32473;
inline constexpr const char* C_MIB_Organization = "Tarnix";
inline constexpr const char* C_MIB_Street = "Example Street 1";
inline constexpr const char* C_MIB_Town = "00000 Example Town";
inline constexpr const char* C_MIB_Country = "Example Country";
inline constexpr const char* C_MIB_Mail_Domain = "example.com";

// For each entry of SL_MIB_Read and SL_MIB_Write: whether its type is "Int".
struct TMIB_Type_Int {
    std::vector<Boolean> Read;
    std::vector<Boolean> Write;
};
extern TMIB_Type_Int MIB_Type_Int;

// The main window's SaveMIB in Path_Project, the overwrite question, then
// Read_MIB_Lists and Write_MIB; errors are shown in an error box.
void Create_MIB_File();
// Fills SL_MIB_Read, SL_MIB_Write and MIB_Type_Int with the descriptions
// and types of the enabled rows of File_SNMP_Trap; all empty without the
// file. Raises when the file is no XML or lacks a section.
void Read_MIB_Lists();
// The module's lines for the lists; raises with text 1509 when an object
// name cannot stand in the module.
QStringList MIB_Lines();
// Writes MIB_Lines to FileName: Windows-1252, CR LF, replacing any file.
void Write_MIB(const String& FileName);
