#pragma once
// The settings file "Pantovisor.xml" in the program's data folder: the last
// configuration, the last device address, the language and the four option
// flags, carried from one run to the next.
#include "rtl/System.h"

inline constexpr const char* Settings_File_Name = "Pantovisor.xml";

// Path_Data + "/Pantovisor.xml".
String Settings_File();

// Reads the settings file into Name_Project, Last_IP_Address, Language_Name
// and the four option flags, each value on its own: a missing element gives
// that value its default, an empty one the empty text. A missing, empty or
// malformed file gives every default (and Path_Project := empty), silently.
// The root is the document element, whatever comes before it.
void Read_Settings();

// Writes the settings file from the globals: root "Conf_Settings" first, no
// declaration, the elements in their fixed order, flags as "1" or "0". The
// old file is replaced only by a complete new one; false when the file could
// not be written.
bool Write_Settings();
