#pragma once
// "IO-Link Set Access": the ports of the device variant, one channel object
// and one decoded description per port, inserting and deleting a port's
// description, the file "IOLink_SetAccess.xml" and the configuration check.
//
// TIO_Link_Set_Access_Core is the part that needs no window; the window
// (TFIO_Link_Set_Access) owns one, shows its channels in its grids, writes
// every edit into them and drives its operations. Messages go to OnMessage:
// the window shows a box, cfgtool prints them, tests collect them.
#include "iolink/UIOLink_Channel.h"
#include "iolink/UIOLink_IODD_Decode.h"

#include <functional>
#include <map>
#include <memory>
#include <vector>

enum TIOLink_MsgKind { imkError, imkWarning };
using TIOLink_MessageEvent = std::function<void(TIOLink_MsgKind Kind, const String& Text)>;

// Limits of the gateway's data.
inline constexpr Integer IOLink_Max_Position = 1438;

class TIO_Link_Set_Access_Core {
public:
    TIO_Link_Set_Access_Core();
    ~TIO_Link_Set_Access_Core();
    TIO_Link_Set_Access_Core(const TIO_Link_Set_Access_Core&) = delete;
    TIO_Link_Set_Access_Core& operator=(const TIO_Link_Set_Access_Core&) = delete;

    // The decoded description of each port; null for a port without one.
    // Ports loaded with the same file share one, which no one changes.
    std::vector<std::shared_ptr<TIODD>> IODD_List;
    // One channel object per port, port 1 first.
    std::vector<std::unique_ptr<TChannel_IOLink>> Channels;
    // The ten device variant names (model code and suffix), in table order.
    TStringList Devices;
    Integer Num_Channels = 0;
    Integer NChannelsA = 0;
    Integer NChannelsB = 0;

    // Where messages go; nothing is shown while it is unset.
    TIOLink_MessageEvent OnMessage;

    // ----------------------------------------------------------- ports

    void IOLink_Get_Device_List();
    // Number of ports of the variant in File_ParGen (Device_Variant_Index);
    // sets NChannelsA and NChannelsB. No file or no key: 8 class A ports;
    // an unknown name too, reported as a warning (Variant_Error).
    Integer Get_ParGen_SelectDevice();
    // The report of an unknown variant at the last Get_ParGen_SelectDevice.
    const String& Variant_Error() const { return FVariant_Error; }
    // New channel objects for the variant in File_ParGen (class B ports
    // first, Pin 4 mode "Disable") and no descriptions.
    void Create_Channels();

    // ------------------------------------------------ descriptions of ports
    // Ports are counted from 0 here (the window's row minus one).

    // Copies the description file FileName (a full path; the window passes
    // the catalog's file) into the configuration's "IODD" folder, decodes it
    // and builds the port's lists with automatic positions. False, with the
    // port unchanged, when the file is gone (silently), does not decode, has
    // more entries than the image takes of a port (Lists_Size_Error) or
    // cannot be copied completely (with an error message).
    Boolean Insert_IODD_File(Integer index, const String& FileName);
    // Frees the port's description and lists and empties its file name; the
    // Pin 4 mode, the Read Pin 2 flag and the time-out stay.
    void Delete_IODD(Integer index);
    // Switches a port with a description to process-data alternative
    // Condition and rebuilds its process-data lists from byte 0. False when
    // the port has no description or no such alternative, and (with an
    // error) when the alternative has more items than the image takes.
    Boolean Change_ProcessData_Condition(Integer index, Integer Condition);

    // First free input and output bytes after the ports before RowInUse.
    void Find_First_Address_Data_Free(Integer RowInUse, Integer& Num_In, Integer& Num_Out) const;
    void Create_List_Variables(Integer index);
    void Insert_Variable(Integer index, const TVariable* aVar, const TVariable* refVar, Boolean VarRef,
                         const TIODD* IODD);
    // Build the list of the alternative ProcDataCondition from byte
    // add_Data; the next free byte, or add_Data when nothing is built.
    Integer Create_List_ProcessDataIn(Integer index, Integer add_Data);
    Integer Create_List_ProcessDataOut(Integer index, Integer add_Data);
    Integer Create_List_ProcessData(Integer index, Boolean ProcessDataIN, Integer add_Data);
    Integer Insert_ProcessData(Integer index, const TProcessDataInOut* aProccData, Boolean ProcessDataIN,
                               const TIODD* IODD, Integer add_Data);
    // Events one bit each from bit 0 of byte add_Data; the next free byte.
    Integer Create_List_Event(Integer index, Integer add_Data);
    void Insert_Event(Integer index, const TEventData* aEvent, Boolean EventRef, const TIODD* IODD,
                      Integer& add_Data, Integer& Bit);

    // ---------------------------------------------- "IOLink_SetAccess.xml"

    // Reads File_IOLink_SetAccess, when it exists, into the channels that
    // Create_Channels made; an empty file reads as none. False when the file
    // is not well-formed, lacks the root "IO-Link" or its "IO-Link_Channels",
    // or holds a Pin 4 mode or a process-data alternative that cannot be
    // kept: the error is shown and Save_Configuration refuses to replace the
    // file until a later load succeeds. Only "Channel" elements are ports. A
    // port whose description cannot be found or used keeps its stored
    // items, with a warning.
    Boolean Load_Configuration();
    // Writes File_IOLink_SetAccess from the channels. False, with an error
    // shown, when the file could not be written or was unreadable at load.
    Boolean Save_Configuration();
    Boolean Load_Failed() const { return FLoad_Failed; }

    // ----------------------------------------------------------- the check

    // Stops at the first error (shown, False); the position advice of
    // variables is a warning after which the check goes on.
    Boolean Check_Configuration();
    // The check and, when it passes, the save: what OK does.
    Boolean Check_And_Save();
    Boolean VarInRange(const String& Value, Integer Ind_Chan, Integer Ind_Var);
    // Whether the text is a valid value of the simple type (already
    // resolved when it was a reference); shows nothing.
    Boolean Check_SimpleDataType(const TSimpleDataType* aSimpleDT, const String& Value) const;

    // Files of the open configuration.
    static String IODD_Folder();
    // The stored description name Name in the "IODD" folder (matched
    // ignoring case); empty for a name that is not a plain file name, so
    // no stored name reaches outside the folder, and for a missing file.
    static String IODD_File_Path(const String& Name);
    // Why the description of the port could not be used at the last load;
    // empty when it could, or when it was not found.
    String Description_Error(Integer index) const;

    // What the image takes of a port: entries addressed by an 8-bit
    // sub-index, 255 process data items each way, and no more variable
    // entries or events than these.
    static constexpr Integer Max_SubIndex = 255;
    static constexpr Integer Max_ProcessData_Items = 255;
    static constexpr Integer Max_Port_Entries = 65535;
    // Why the lists of the description for alternative Condition would go
    // beyond what the image takes; empty when they would not.
    static String Lists_Size_Error(const TIODD* IODD, Integer Condition);
    // Whether a port may stand on alternative Condition: 0 always (the
    // writer's value for a description without process data), another
    // one only when the port's description has it.
    Boolean Has_Alternative(Integer index, Integer Condition) const;

private:
    Boolean FLoad_Failed = false;
    String FLoad_Error;
    std::vector<String> FDescription_Errors;
    String FVariant_Error;
    // The decimal separator of the check running.
    Char FDecSep = u',';

    void Message(TIOLink_MsgKind Kind, const String& Text) const;
    void Error(const String& Text) const { Message(imkError, Text); }
    TChannel_IOLink& Channel(Integer index) const { return *Channels[index]; }
    // A port with a channel object and a place for its description.
    Boolean Valid_Port(Integer index) const;
    const TIODD* Description(Integer index) const;
    void Erase_Port(Integer index);
    // The decoded file in full; raises EIODDError.
    static std::unique_ptr<TIODD> Decode(const String& FileName);
    // The description of port k for a load; null, with a warning, when it
    // is missing or cannot be used. A file is decoded once per load.
    std::shared_ptr<TIODD> Load_Description(Integer k, const String& FileName);
    // The files decoded by the load running, by path: null for one that
    // cannot be used, with the reason.
    struct TLoadedDescription {
        std::shared_ptr<TIODD> IODD;
        String Error;
    };
    std::map<String, TLoadedDescription> FLoaded_Descriptions;

    // Reading one "Channel" element into port k, with the running counter
    // of automatic positions.
    void Load_Channel(Integer k, const xml::TXMLNode& Node, Integer& Counter);
    void Apply_Variables(Integer k, const xml::TXMLNode& Node);
    void Apply_ProcessData(Integer k, const xml::TXMLNode& Node, Integer Start, Integer FirstInEnd, Integer& Counter);
    void Apply_Events(Integer k, const xml::TXMLNode& Node);

    // The rules of the check for one port (from 1); False at the first error.
    Boolean Check_IOLink_Port(Integer Port, Integer& TotIn, Integer& TotOut, Integer& MaxIn);
    Boolean Check_Variables(Integer Port);
    Boolean Check_Variable_Groups(Integer Port);
    Boolean Check_ProcessData(Integer Port, Boolean PdIn, Integer Total, Integer& MaxEnd);
    Boolean Check_Events(Integer Port, Integer& MaxIn);
    Boolean Check_Pin2(Integer Port);
    Boolean Check_Pin4(Integer Port);
};
