#pragma once
// The BACnet EDE file writer: a semicolon-separated list of every object of
// the BACnet object tables ("BACnet_Slave_SetAccess.xml") with its name,
// object type, instance number and engineering unit, for import into a
// BACnet client tool.
#include "rtl/Classes.h"

#include <QStringList>

// One object line of the file.
class TBACnet_EDE_Obj : public TObject {
public:
    String Keyname;
    String DevObjInstance;
    String ObjectName;
    String ObjectType;
    String ObjectInstance;
    String Description;
    String UnitCode;
};

// Write_EDE_File, with an error shown in an error box.
void Create_EDE_File(const String& FileName);
// The file's lines, stamped Written_At: the seven header lines, then one
// line per row of the read table and of the write table. Device settings
// come from File_ParGen (missing or unreadable keys take their defaults);
// the rows from File_BACnet_Slave_SetAccess (none without the file).
// Raises when that file is no XML, lacks a section or a row lacks
// "Data_Type", "Eng_Unit" or "Mnemonic".
QStringList EDE_Lines(TDateTime Written_At);
// Writes EDE_Lines to FileName: Windows-1252, CR LF, replacing any file;
// nothing is written when the lines cannot be built.
void Write_EDE_File(const String& FileName);
