#pragma once
// The CANopen electronic data sheet (EDS, version 4.0) of the gateway: the
// fixed communication objects, one communication, mapping and variable
// object per PDO of "PDO_CANopen.xml", and one manufacturer object per index
// of "SDO_Server_CANopen.xml".
#include "rtl/SysUtils.h"

#include <QStringList>

#include <vector>

// Identifiers of the gateway in the device information; our own values.
inline constexpr Cardinal EDS_Product_Number = 0x00000100;
inline constexpr const char* EDS_Order_Code = "CFG-EDS-0100";
// At most this many PDOs a direction, as the PDO table holds.
inline constexpr Integer EDS_Max_PDO = 30;

// The clock of the time stamps. Tests and cfgtool put a fixed one in place.
class TEdsClock {
public:
    virtual ~TEdsClock() = default;
    virtual TDateTime Now();
};
TEdsClock& EdsClock();
// Not owned; nullptr puts the local clock back.
void SetEdsClock(TEdsClock* Clock);

struct PDO_Entry {
    Integer COB_ID = 0;
    Integer Dimension = 8;
};

struct SDO_Sub_Type {
    Byte Sub = 0;
    Byte Quantity = 0;
    Boolean Readonly = true;
    String Mnemonic;
};

struct SDO_Index {
    Word Index = 0;
    std::vector<SDO_Sub_Type> Sub_Indexs;
};

// What one generation reads from the two table files.
struct TEds_Data {
    std::vector<PDO_Entry> PDO_Rx_List;
    std::vector<PDO_Entry> PDO_Tx_List;
    std::vector<SDO_Index> SDO_Index_List;
};

// The PDOs of File_PDO_CANopen (none without the file); the first
// EDS_Max_PDO rows of a section count. ETableFileError for a missing section
// or attribute and a Dimension number outside 1 to 8; EXMLError for a file
// that is no XML.
void Read_PDO_Table(TEds_Data& Data);
// The objects of File_SDO_Server_CANopen (none without the file). A second
// row of the same index and sub-index joins the first one's entry (rw when
// either is written). ETableFileError for a missing section or attribute,
// an unreadable number, an Index outside 0x2000 to 0x5FFF or a SubIndex
// outside 0 to 255.
void Read_SDO_Server_Table(TEds_Data& Data);
// The position of Index in the list, -1 when it is not there.
Integer Find_SDO_Index(const TEds_Data& Data, Word Index);
void Sort_SDO_Sub_Indexs(TEds_Data& Data);

// "MM-DD-YYYY" and the 12-hour "hh:mmAM" / "hh:mmPM".
String EDS_Date(TDateTime At);
String EDS_Time(TDateTime At);
// The lines of the file, stamped At.
QStringList EDS_Lines(const TEds_Data& Data, TDateTime At);

// Reads both tables and writes the file: ASCII, CR LF after every line,
// replacing FileName atomically; raises, writing nothing, when a table file
// is at fault or the file cannot be written.
void Write_EDS_File(const String& FileName);
// Write_EDS_File, with an error shown in an error box.
void Create_EDS_File(const String& FileName);
