#pragma once
// The two device images of the update step: "bank1.bin", the gateway's
// general block, from "ParGen.xml", and "bank2.bin", the IO-Link channel
// image, from "IOLink_SetAccess.xml" and the ports' device descriptions.
// Compile_Bin builds both in memory, Save_Bin writes them into the
// configuration's "bin" folder.
#include "rtl/SysUtils.h"

#include <QByteArray>

#include <array>
#include <vector>

// A build or a save that failed; the message says which file, port or
// folder, and why.
RTL_DECLARE_EXCEPTION(ESaveBinError, Exception)

// Device addresses and sizes.
constexpr qsizetype Bank1_Size = 2048;
constexpr Cardinal Bank2_Address = 0x80000;
constexpr qsizetype Bank2_Buffer_Size = 0x80000;
constexpr Cardinal WebPages_Address = 0xC0000;
constexpr int Max_Bin_Channels = 8;

// ------------------------------------------------------------- bank1.bin

// The fields of the general block that the builder sets; every other byte
// of the 2048 holds a fixed value.
struct TGeneral_Block {
    std::array<Byte, 4> IP_Address{192, 168, 2, 205};
    std::array<Byte, 4> Subnet_Mask{255, 255, 255, 0};
    std::array<Byte, 4> Gateway{255, 255, 255, 255};   // 255.255.255.255: none
    Word EIP_Port1 = 10001;
    Word EIP_Port2 = 10001;
    Cardinal NB_Input = 0;
    Cardinal NB_Output = 0;
    Word Eth_Conn_Flags = 0;   // bit 0: DHCP on the cable, bit 1: on Wi-Fi
    String Device_Name;
    std::array<Byte, 4> Secondary_DNS{};
    std::array<Byte, 4> Primary_DNS{};
    Cardinal IOLink_Channels = 0;   // headers at the start of bank2.bin
    Cardinal IOLink_Address = 0;
    String Version;
    Cardinal WebPages_Address = 0;
    String WebServer_Username;
    String WebServer_Password;
};

// Reads "ParGen.xml" over the defaults; a file that is not well-formed
// raises EXMLError naming it.
void Read_General_Block(const String& FileName, TGeneral_Block& Block);
// The 2048 bytes of "bank1.bin", byte sum included.
QByteArray Bank1_Bytes(const TGeneral_Block& Block);

// ------------------------------------------------------------- bank2.bin

struct TIO_Link_Channel_Header {   // 56 bytes
    Byte BitRate = 0;              // 1, 2, 3 for COM1..COM3
    Byte Num_Param = 0;
    Byte Num_ProDataIn = 0;
    Byte Num_ProDataOut = 0;
    Byte Pin2_In_Type = 0;         // 1 PNP, 2 NPN
    Word TimeOut = 0;
    Cardinal MinCycleTime = 0;
    Cardinal Addr_Param = 0;
    Cardinal Addr_ProDataIn = 0;
    Cardinal Addr_ProDataOut = 0;
    Integer Channel = -1;          // 1..8; -1: not in use, not written
    Byte Read_Pin2 = 0;
    Byte Pin4_Mode = 0;            // 0 IO-Link, 1 DIn, 2 DOut
    Word Pin2_Pos = 0;
    Word Pin4_Pos = 0;
    Word Pin2_Bit = 0;
    Word Pin4_Bit = 0;
    Byte Pin2_Inv = 0;
    Byte Pin4_Inv = 0;
    Cardinal Num_Events = 0;
    Cardinal Addr_Events = 0;
};

struct TIO_Link_Parameter {   // 36 bytes
    Word index = 0;
    Byte subindex = 0;
    Byte options = 0;   // 1 on change, 2 on command, 4 on timer, 8 writable
    Cardinal value = 0;
    Word position = 0;
    Word bit_address = 0;
    Cardinal bit_length = 0;
    Cardinal time = 0;
    Cardinal counter = 0;
    Cardinal total_bit_length = 0;
    Byte subindexAccessSupported = 0;
    Byte spare = 0;
    Word readtime = 0;
    Cardinal bit_offset = 0;
};

struct TIO_Link_Process_Data {   // 24 bytes
    Single gradient = 0;
    Word unit_code = 0;
    Word options = 0;
    Cardinal BitOffset = 0;
    Cardinal offset = 0;
    Cardinal bit_length = 0;
    Word Position = 0;
    Word Bit = 0;
};

struct TIO_Link_Event {   // 12 bytes with its spare
    Cardinal time = 0;
    Word code = 0;
    Word position = 0;
    Byte bit_address = 0;
};

// A channel's lists. A channel whose lists are not read keeps one zero
// entry in each.
struct TIO_Link_List_Param_ProcessData {
    std::vector<TIO_Link_Parameter> List_Param = std::vector<TIO_Link_Parameter>(1);
    std::vector<TIO_Link_Process_Data> List_ProDataIn = std::vector<TIO_Link_Process_Data>(1);
    std::vector<TIO_Link_Process_Data> List_ProDataOut = std::vector<TIO_Link_Process_Data>(1);
    std::vector<TIO_Link_Event> List_Events = std::vector<TIO_Link_Event>(1);
};

struct TIO_Link_Channels {
    std::array<TIO_Link_Channel_Header, Max_Bin_Channels> Header{};
    std::array<TIO_Link_List_Param_ProcessData, Max_Bin_Channels> Lists{};
};

class TChannel_IOLink;
class TIODD;

// Fills header and lists of port K (0..7) from its channel object and, for
// an IO-Link port, its decoded description (null when the port has none).
// A count beyond the header's byte raises ESaveBinError naming the port.
void Fill_Bin_Channel(int K, const TChannel_IOLink& Channel, const TIODD* Description,
                      TIO_Link_Channels& Channels);
// Reads File_IOLink_SetAccess with the ports' descriptions into the channel
// tables; a missing file leaves every port out of use. A file that is not
// well-formed, or a description of an IO-Link port that cannot be decoded,
// raises.
void Read_IO_Link_Channels(TIO_Link_Channels& Channels);

// Sets the list addresses of the headers and gives the bytes of
// "bank2.bin"; an image beyond the device's buffer raises ESaveBinError
// naming the port.
QByteArray Bank2_Bytes(TIO_Link_Channels& Channels);
// The number of headers that Bank2_Bytes writes.
Cardinal Used_Channels(const TIO_Link_Channels& Channels);

// -------------------------------------------------------- the two entries

// Builds both images from File_ParGen, File_IOLink_SetAccess and the
// descriptions in the configuration's "IODD" folder. A failure raises
// ESaveBinError naming the file or the port; no images are held then, so a
// following Save_Bin writes nothing.
void Compile_Bin();
// Writes "bank1.bin" and "bank2.bin" of the last Compile_Bin into
// Path_Project + "/bin" (an existing folder and images are used in the letter
// case they are stored in). The pair is replaced as one: both images are
// written into a new folder beside "bin", which then takes its place, so a
// failure or a kill at any point leaves the old pair or the new one. Images
// keep the old files' permissions; a read-only image, a folder in an
// image's place or a "bin" link leading out of the configuration is
// refused. The ESaveBinError names every file that failed and why.
void Save_Bin();
// Where Save_Bin puts the image Name ("bank1.bin", "bank2.bin") of the open
// configuration; empty while none is open.
String Bin_Image_File(const char* Name);

// The images of the last Compile_Bin; empty when it failed.
const QByteArray& Bin_Bank1();
const QByteArray& Bin_Bank2();
