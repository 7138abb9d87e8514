#pragma once
// The IO-Link channel objects: one TChannel_IOLink per port, the working copy
// of that port's part of "IOLink_SetAccess.xml". Every value the user sees or
// edits is kept as text, exactly as it stands in the grid cell and the file.
#include "rtl/Classes.h"
#include "rtl/SysUtils.h"

#include <memory>
#include <optional>
#include <utility>
#include <vector>

// An ordered list of objects it owns.
template <class T>
using TChannelObjList = std::vector<std::unique_ptr<T>>;

class TVarObjValue : public TObject {
public:
    Boolean Enable = false;
    String Index;
    // Empty for a whole variable; a record item's sub-index; an array
    // element's number from "0".
    String SubIndex;
    String Value;
    String Dimension = QStringLiteral("0");   // length in bits
    String Access;
    String total_bit_length;
    String subindexAccessSupported;
    String bit_offset;
    Boolean SubindexAccSupPresent = false;
    String Position;
    String Bit;
    Boolean On_CMD = false;
    Boolean On_Change = false;
    Boolean On_Timer = false;
    String Time;
    String ReadTime;
    // The entry of a whole record or array followed by its items; it can
    // never be enabled.
    Boolean SubIndex_Present = false;
};

class TProcDataObjValue : public TObject {
public:
    String variableId;
    // Empty for a simple process data; a record item's sub-index; an array
    // element's number from "1".
    String SubIndex;
    String BitLength = QStringLiteral("0");
    String BitOffset = QStringLiteral("0");
    String gradient = QStringLiteral("1");
    String offset = QStringLiteral("0");
    String unitCode = QStringLiteral("-1");
    String position = QStringLiteral("0");
    String bit = QStringLiteral("0");
};

class TEventObjValue : public TObject {
public:
    Integer RealCode = -1;
    Boolean Enable = false;
    String Code = QStringLiteral("-1");
    String Name;
    String EventType;
    String TimeOut = QStringLiteral("0");
    String Position = QStringLiteral("0");
    String Bit = QStringLiteral("0");
    String Mnemonic;
};

// A node of the configuration file kept as it was read: a port whose
// description file cannot be read keeps its settings this way and writes
// them back unchanged. The nodes are one flat list in document order, each
// with its depth below the channel element (its own children are at 0), so
// no nesting, however deep, is copied or freed by recursion.
struct TChannelStoredNode {
    enum TKind { snElement, snText, snComment };
    TKind Kind = snElement;
    int Depth = 0;
    String Name;   // element name
    String Text;   // text or comment
    std::vector<std::pair<String, String>> Attributes;   // in file order
};

class TChannel_IOLink : public TObject {
public:
    TChannel_IOLink() = default;

    // File name, without folder, in the configuration's "IODD" folder;
    // empty when no device is configured on the port.
    String IODD_File;
    String Pin4Mode;   // "Disable", "IO-Link", "DIn" or "DOut"
    String ReadPin2 = QStringLiteral("N");
    Boolean TypeA = true;   // class A port; only those can read pin 2
    String Pin2_Pos;
    String Pin2_Bit;
    String Pin2_Inv = QStringLiteral("N");
    String Pin2_In_Type = QStringLiteral("None");
    String Pin2_Mne;
    String Pin4_Pos;
    String Pin4_Bit;
    String Pin4_Inv = QStringLiteral("N");
    String Pin4_Mne;
    String TimeOut;   // seconds
    // Index, from 0, of the description's process-data alternative in use.
    Integer ProcDataCondition = 0;
    TChannelObjList<TVarObjValue> Var_List;
    // Absent while the alternative in use has no such element.
    std::optional<TChannelObjList<TProcDataObjValue>> ProcDataIn_List;
    std::optional<TChannelObjList<TProcDataObjValue>> ProcDataOut_List;
    TChannelObjList<TEventObjValue> Event_List;
    // Set only while the port names a description file that could not be
    // read: its "Variables", "ProcessData" and "Events" elements as stored,
    // flat (see TChannelStoredNode).
    std::optional<std::vector<TChannelStoredNode>> Stored_Elements;

    // Variable entries by (Index, SubIndex); texts compare exactly and the
    // first match in list order wins.
    Integer Get_Index(const String& index, const String& subindex) const;
    Boolean Get_Enable(const String& index, const String& subindex) const;
    String Get_Value(const String& index, const String& subindex) const;
    String Get_Position(const String& index, const String& subindex) const;
    String Get_Bit(const String& index, const String& subindex) const;
    String Get_Time(const String& index, const String& subindex) const;
    String Get_ReadTime(const String& index, const String& subindex) const;
    Boolean Get_On_CMD(const String& index, const String& subindex) const;
    Boolean Get_On_Change(const String& index, const String& subindex) const;
    Boolean Get_On_Timer(const String& index, const String& subindex) const;

    // Process-data items by (variableId, SubIndex) in the in (PdIn) or out
    // list; an absent list behaves as an empty one.
    Integer PD_Get_Index(Boolean PdIn, const String& VarId, const String& SubIndex) const;
    String PD_Get_Gradient(Boolean PdIn, const String& VarId, const String& SubIndex) const;
    String PD_Get_Offset(Boolean PdIn, const String& VarId, const String& SubIndex) const;
    String PD_Get_Position(Boolean PdIn, const String& VarId, const String& SubIndex) const;
    String PD_Get_Bit(Boolean PdIn, const String& VarId, const String& SubIndex) const;
    // By list position SubIndex (from 0); VarId is not consulted.
    String PD_Get_Position_Arr(Boolean PdIn, const String& VarId, Integer SubIndex) const;
    String PD_Get_Bit_Arr(Boolean PdIn, const String& VarId, Integer SubIndex) const;

    Integer Event_Get_Index(Integer Code) const;

    // Frees both process-data lists and leaves them absent.
    void ProcessData_Erase();
    // Frees every item of every list (process-data lists become absent).
    void Erase_Lists();

    // The in (PdIn) or out list; null when absent.
    const TChannelObjList<TProcDataObjValue>* PD_List(Boolean PdIn) const;
    TChannelObjList<TProcDataObjValue>* PD_List(Boolean PdIn);

private:
    const TVarObjValue* Find_Var(const String& index, const String& subindex) const;
    const TProcDataObjValue* Find_PD(Boolean PdIn, const String& VarId, const String& SubIndex) const;
    const TProcDataObjValue* PD_At(Boolean PdIn, Integer Position) const;
};
