#pragma once
// The GSDML writer: the PROFINET device description of the gateway, one
// module per configured IO-Link channel, with the input and output lengths
// the channel configuration ("IOLink_SetAccess.xml") gives.
#include "rtl/SysUtils.h"

#include <QStringList>

#include <vector>

// One IO-Link channel as the GSDML file sees it. Byte numbers are 64-bit so
// that positions from a hand-edited file cannot overflow.
struct TDev_IOLink {
    Boolean Enable = false;   // the channel gets a module
    Boolean En_ByteIn = false;   // the module has input data
    Int64 Num_ByteIn = 0;
    Int64 Min_ByteIn = 0;   // lowest input byte used
    Int64 Max_ByteIn = 0;   // one past the highest input byte used
    Boolean En_ByteOut = false;
    Int64 Num_ByteOut = 0;
    Int64 Min_ByteOut = 0;
    Int64 Max_ByteOut = 0;
};

// Channels the document describes.
inline constexpr int GSDML_Channels = 8;

// The channel records of the last run, channels 1 to 8.
extern std::vector<TDev_IOLink> Dev_IOLink;

// The save dialog (folder Path_Project, the name proposed), the overwrite
// question, then Write_GSDML into the chosen folder under FileName; errors
// are shown in an error box.
void Create_GSDML_File(const String& FileName);
// Sets the device texts and fills Dev_IOLink.
void Prepare_GSDML_Data();
// Every record cleared.
void Clear_Dev_IOLink();
// Fills the first Num_Channels records from File_IOLink_SetAccess; a
// missing file leaves them cleared. A direction without any positioned
// byte gets no data (its En_Byte flag is cleared). Raises EXMLError for a
// file that is no XML.
void Read_Dev_IOLink(int Num_Channels);
// The document's lines after Prepare_GSDML_Data.
QStringList GSDML_Lines();
// Prepare_GSDML_Data, then the document to Path: UTF-8 with byte-order
// mark, CR LF, replacing any file atomically.
void Write_GSDML(const String& Path);
