#pragma once
// The decoded IO-Link device description: a tree of plain objects rooted at
// TIODD, filled from one device description file and, in full mode, from
// the standard definitions file beside it.
//
// Ownership: TIODD owns the whole tree and every object owns what its fields
// and lists hold, with two exceptions: the entries of the device's
// TEventCollection::StdEventRef_List point into SD_EventCollection.Event_List,
// which owns them; and the standard definitions (SD_*) are decoded once per
// file and shared by every TIODD decoded with that file, each keeping them
// alive, so they are read-only once decoded.
#include "platform/XmlDoc.h"
#include "rtl/Classes.h"
#include "rtl/SysUtils.h"

#include <memory>
#include <type_traits>
#include <typeinfo>
#include <vector>

// Raised when a description cannot be decoded; the message names the file.
RTL_DECLARE_EXCEPTION(EIODDError, Exception)

class TIODD;

// An ordered list of objects it owns.
template <class T>
using TIODDObjList = std::vector<std::unique_ptr<T>>;

enum TProfileRevision { prPR10, prPR11 };
enum TAccessRights { arRO, arRW, arWO };
enum TActualSimpleDataType {
    asdtNONE,
    asdtBooleanT,
    asdtUIntegerT,
    asdtIntegerT,
    asdtFloat32T,
    asdtStringT,
    asdtOctetStringT,
    asdtTimeT,
    asdtTimeSpanT,
};
enum TActualComplexDataType { acdtNONE, acdtArrayT, acdtRecordT };
enum TVariableType { vtVariable, vtStdVarRef };

// ---------------------------------------------------------------- document

class TDocumentInfo : public TObject {
public:
    const String& Version() const { return FVersion; }
    void SetVersion(const String& Value) { FVersion = Value; }
    const String& ReleaseDate() const { return FReleaseDate; }
    void SetReleaseDate(const String& Value) { FReleaseDate = Value; }
    // The document's rights notice.
    const String& Copyright() const { return FCopyright; }
    void SetCopyright(const String& Value) { FCopyright = Value; }

private:
    String FVersion;
    String FReleaseDate;
    String FCopyright;
};

class TProfileHeader : public TObject {
public:
    const String& ProfileIdentification() const { return FProfileIdentification; }
    void SetProfileIdentification(const String& Value) { FProfileIdentification = Value; }
    TProfileRevision ProfileRevision() const { return FProfileRevision; }
    void SetProfileRevision(TProfileRevision Value) { FProfileRevision = Value; }
    const String& ProfileName() const { return FProfileName; }
    void SetProfileName(const String& Value) { FProfileName = Value; }
    const String& ProfileSource() const { return FProfileSource; }
    void SetProfileSource(const String& Value) { FProfileSource = Value; }
    const String& ProfileClassID() const { return FProfileClassID; }
    void SetProfileClassID(const String& Value) { FProfileClassID = Value; }
    const String& ISO15745Part() const { return FISO15745Part; }
    void SetISO15745Part(const String& Value) { FISO15745Part = Value; }
    const String& ISO15745Edition() const { return FISO15745Edition; }
    void SetISO15745Edition(const String& Value) { FISO15745Edition = Value; }
    const String& ProfileTechnology() const { return FProfileTechnology; }
    void SetProfileTechnology(const String& Value) { FProfileTechnology = Value; }

private:
    String FProfileIdentification;
    TProfileRevision FProfileRevision = prPR10;
    String FProfileName;
    String FProfileSource;
    String FProfileClassID;
    String FISO15745Part;
    String FISO15745Edition;
    String FProfileTechnology;
};

// ------------------------------------------------------------------ texts

class TExtTextCol : public TObject {
public:
    const String& Lang_Code_Primary() const { return FLang_Code_Primary; }
    void SetLang_Code_Primary(const String& Value) { FLang_Code_Primary = Value; }

    // Parallel lists: entry i of PriLang_Values is the text of List_Ids[i].
    std::vector<String> List_Ids;
    std::vector<String> PriLang_Values;
    // Texts of further languages; nothing fills it yet.
    TIODDObjList<TObject> OtherLang;

    void Erase_All();
    // Position of ID in List_Ids, letter case ignored; -1 when absent.
    Integer Find_ID(const String& ID) const;
    Boolean Get_Value_From_ID(const String& ID, String& Value) const;

private:
    String FLang_Code_Primary;
};

// ------------------------------------------------------------- data types

// A single value of a BooleanT.
class TBooleanValueT : public TObject {
public:
    Boolean Value = false;
    String Name;   // text id
};

// A single value (ValueType true) or a range of an integer type.
class TIntegerValueRangeT : public TObject {
public:
    Boolean ValueType = false;
    Integer Value = 0;
    Int64 LowerValue = 0;
    Int64 UpperValue = 0;
    String Name;   // text id
};

class TFloat32ValueRangeT : public TObject {
public:
    Boolean ValueType = false;
    Single Value = 0;
    Single LowerValue = 0;
    Single UpperValue = 0;
    String Name;   // text id
};

class TSimpleDataType : public TObject {
public:
    // True when this is only a reference to the type DataTypeId.
    Boolean IsSimpleDataRef = false;
    String DataTypeId;
    TActualSimpleDataType ActualSimpleDataType = asdtNONE;
    String Id;
    Integer BitLength = 0;
    Integer FixedLength = 0;   // bits
    String Encodig;
    // TBooleanValueT, TIntegerValueRangeT or TFloat32ValueRangeT objects.
    TIODDObjList<TObject> SingleValueRange;

    // Type name and length in bits as display texts, resolved through the
    // standard (VarRef) or the device's data types when this is a reference.
    String Get_ActualSimpleDataType(const TIODD* aIODD, Boolean VarRef) const;
    String Get_Length(const TIODD* aIODD, Boolean VarRef) const;
};

class TRecordItem : public TObject {
public:
    Integer SubIndex = 0;
    Integer BitOffset = 0;
    TAccessRights AccessRightRestriction = arRO;
    Boolean AccessRightResPresent = false;
    String Name;          // text id
    String Description;   // text id
    std::unique_ptr<TSimpleDataType> SimpleTD;

    String GetAccessRightRestrictionStr() const;
};

class TComplexDataType : public TObject {
public:
    TActualComplexDataType ActualComplexDataType = acdtNONE;
    String Id;
    Boolean SubIndexAccessSupPresent = false;
    Boolean SubIndexAccessSup = false;
    Integer Count = 0;       // array length
    Integer BitLength = 0;   // record length in bits
    // An array: one TSimpleDataType, the element type.
    // A record: its TRecordItem entries.
    TIODDObjList<TObject> Arr_RecItem;

    String Get_ActualComplexDataType() const;
};

class TDataType : public TObject {
public:
    Boolean IsSimpleDataType = true;
    Boolean IsDataTypeRef = false;
    String Ref_DataTypeId;
    std::unique_ptr<TSimpleDataType> SimpleDataType;
    std::unique_ptr<TComplexDataType> ComplexDataType;
};

class TDataTypeCollection : public TObject {
public:
    TIODDObjList<TDataType> ListDataType;

    // Position of the first type with that id (exact); -1 when none.
    Integer GetDTIndex(const String& id) const;
};

// -------------------------------------------------------------- variables

class TRecordItemInfo : public TObject {
public:
    Integer Subindex = 0;
    String DefaultValue;
    Boolean ModifiesOtherVariables = false;
    Boolean ExcludedFromDataStorage = false;
};

class TVariable : public TObject {
public:
    TVariableType VarType = vtVariable;
    String Id;
    TAccessRights AccessRights = arRW;
    Boolean Dynamic_V = false;
    Boolean ModifiesOtherVariables = false;
    Boolean ExcludedFromDataStorage = false;
    Integer Index = 1;
    String DefaultValue;
    std::unique_ptr<TDataType> DataType;
    TIODDObjList<TRecordItemInfo> RecordItemInfoList;
    String Name;          // text id
    String Description;   // text id
    Integer FixedLengthRestriction = 0;
    TIODDObjList<TObject> SingleValueRangeList;
    TIODDObjList<TObject> StdRecordItemRefList;

    String Get_DataType(const TIODD* aIODD, Boolean VarRef) const;
    String Get_Length(const TIODD* aIODD, Boolean VarRef) const;
    String Get_AccessRights() const;
    String Get_SubIndAccSup(const TIODD* aIODD, Boolean VarRef) const;
    // The standard variable a standard variable reference stands for.
    TVariable* Get_Index_Var_Ref(const TIODD* aIODD) const;
};

class TVariableCollection : public TObject {
public:
    TIODDObjList<TVariable> Var_List;      // the device's own variables
    TIODDObjList<TVariable> StdVar_List;   // standard variable references

    // First variable with that index (the standard references first).
    TVariable* Get_Variables(const String& Index, const String& SubIndex) const;
    // First variable with that id (the standard references first).
    TVariable* Get_Variables_IDs(const String& VarIDs) const;
};

// ------------------------------------------------------ process data

class TCondition : public TObject {
public:
    String VariableId;
    Integer SubIndex = 0;
    Integer Value = 0;
};

class TProcessDataInOut : public TObject {
public:
    TProcessDataInOut();

    String Id;
    Integer BitLength = 0;
    String Name;   // the Name element's text, not a text id
    std::unique_ptr<TDataType> DataType;

    String Get_DataTypeStr(const TIODD* aIODD) const;
    // The device's type that DataType refers to; null when it is no
    // reference or nothing matches.
    TDataType* GetDataType(const TIODD* aIODD) const;
    // Scaling of the process data from the menus; "1", "0" and "" by default.
    String Get_Gradient(const TIODD* aIODD, Boolean SimpleDataType, Boolean ProcessDataIn,
                        const String& SubIndex) const;
    String Get_Offset(const TIODD* aIODD, Boolean SimpleDataType, Boolean ProcessDataIn,
                      const String& SubIndex) const;
    String Get_UnitCode(const TIODD* aIODD, Boolean SimpleDataType, Boolean ProcessDataIn,
                        const String& SubIndex) const;
};

class TProcessData : public TObject {
public:
    String Id;
    std::unique_ptr<TCondition> Condition;
    std::unique_ptr<TProcessDataInOut> ProcessDataIn;
    std::unique_ptr<TProcessDataInOut> ProcessDataOut;
};

class TProcessDataCollection : public TObject {
public:
    TIODDObjList<TProcessData> ProcessData_List;
};

// ----------------------------------------------------------------- events

class TEventData : public TObject {
public:
    Integer Code = -1;
    String EventType;
    String Name;          // text id
    String Description;   // text id
};

class TEventCollection : public TObject {
public:
    // Standard events the device refers to; owned by the standard event list.
    std::vector<TEventData*> StdEventRef_List;
    // The device's own events.
    TIODDObjList<TEventData> Event_List;
};

// What the event reader hands back: a new event for the caller to own, a
// reference to a standard event (owned by the standard list), or nothing.
struct TEventReadResult {
    std::unique_ptr<TEventData> Owned;
    TEventData* Reference = nullptr;
};

// ------------------------------------------------------------------ menus

class TMenuVariableRef final : public TObject {
public:
    String VariableId;
    String Gradient;
    String Offset;
    String UnitCode;
    String AccessRightRestriction;
    String DisplayFormat;
};

class TMenuRecordItemRef final : public TObject {
public:
    String VariableId;
    String SubIndex;
    String Gradient;
    String Offset;
    String UnitCode;
    String AccessRightRestriction;
    String DisplayFormat;
};

// A menu entry as a TRef (one of the two classes above) when it is one,
// else null. Both are final, so comparing the type is the whole cast, and
// the lookups that run for every process data item stay cheap.
template <class TRef>
const TRef* MenuEntryAs(const TObject* Entry)
{
    static_assert(std::is_final_v<TRef>);
    return Entry && typeid(*Entry) == typeid(TRef) ? static_cast<const TRef*>(Entry) : nullptr;
}

class TMenu : public TObject {
public:
    String Id;
    String Name;   // text id
    // TMenuVariableRef and TMenuRecordItemRef objects in document order.
    TIODDObjList<TObject> MenuVariableRef_List;
};

class TMenuCollection : public TObject {
public:
    TIODDObjList<TMenu> Menu_List;
};

class TUserInterface : public TObject {
public:
    TUserInterface();
    std::unique_ptr<TMenuCollection> MenuCollection;
};

// --------------------------------------------------------- profile body

class TDeviceVariant : public TObject {
public:
    const String& ProductId() const { return FProductId; }
    void SetProductId(const String& Value) { FProductId = Value; }
    const String& DeviceSymbol() const { return FDeviceSymbol; }
    void SetDeviceSymbol(const String& Value) { FDeviceSymbol = Value; }
    const String& DeviceIcon() const { return FDeviceIcon; }
    void SetDeviceIcon(const String& Value) { FDeviceIcon = Value; }
    const String& Name() const { return FName; }   // text id
    void SetName(const String& Value) { FName = Value; }
    const String& Description() const { return FDescription; }   // text id
    void SetDescription(const String& Value) { FDescription = Value; }

private:
    String FProductId;
    String FDeviceSymbol;
    String FDeviceIcon;
    String FName;
    String FDescription;
};

class TDeviceIdentity : public TObject {
public:
    const String& VendorId() const { return FVendorId; }
    void SetVendorId(const String& Value) { FVendorId = Value; }
    const String& VendorName() const { return FVendorName; }
    void SetVendorName(const String& Value) { FVendorName = Value; }
    const String& DeviceId() const { return FDeviceId; }
    void SetDeviceId(const String& Value) { FDeviceId = Value; }
    const String& VendorText() const { return FVendorText; }   // text id
    void SetVendorText(const String& Value) { FVendorText = Value; }
    const String& VendorUrl() const { return FVendorUrl; }   // text id
    void SetVendorUrl(const String& Value) { FVendorUrl = Value; }
    const String& VendorLogo() const { return FVendorLogo; }   // file name
    void SetVendorLogo(const String& Value) { FVendorLogo = Value; }
    const String& DeviceName() const { return FDeviceName; }   // text id
    void SetDeviceName(const String& Value) { FDeviceName = Value; }
    const String& DeviceFamily() const { return FDeviceFamily; }   // text id
    void SetDeviceFamily(const String& Value) { FDeviceFamily = Value; }

    TIODDObjList<TDeviceVariant> DeviceVariant_List;

private:
    String FVendorId;
    String FVendorName;
    String FDeviceId;
    String FVendorText;
    String FVendorUrl;
    String FVendorLogo;
    String FDeviceName;
    String FDeviceFamily;
};

class TFeatures : public TObject {
public:
    Boolean BlockParameter() const { return FBlockParameter; }
    void SetBlockParameter(Boolean Value) { FBlockParameter = Value; }
    Boolean DataStorage() const { return FDataStorage; }
    void SetDataStorage(Boolean Value) { FDataStorage = Value; }
    Boolean SAL_LocalUserInterface() const { return FSAL_LocalUserInterface; }
    void SetSAL_LocalUserInterface(Boolean Value) { FSAL_LocalUserInterface = Value; }
    Boolean SAL_DataStorage() const { return FSAL_DataStorage; }
    void SetSAL_DataStorage(Boolean Value) { FSAL_DataStorage = Value; }
    Boolean SAL_Parameter() const { return FSAL_Parameter; }
    void SetSAL_Parameter(Boolean Value) { FSAL_Parameter = Value; }
    Boolean SAL_LocalParameterization() const { return FSAL_LocalParameterization; }
    void SetSAL_LocalParameterization(Boolean Value) { FSAL_LocalParameterization = Value; }

private:
    Boolean FBlockParameter = false;
    Boolean FDataStorage = false;
    Boolean FSAL_LocalUserInterface = false;
    Boolean FSAL_DataStorage = false;
    Boolean FSAL_Parameter = false;
    Boolean FSAL_LocalParameterization = false;
};

class TDeviceFunction : public TObject {
public:
    TDeviceFunction();
    std::unique_ptr<TFeatures> Features;
    std::unique_ptr<TDataTypeCollection> DataTypeCollection;
    std::unique_ptr<TVariableCollection> VariableCollection;
    std::unique_ptr<TProcessDataCollection> ProcessDataCollection;
    std::unique_ptr<TEventCollection> EventCollection;
    std::unique_ptr<TUserInterface> UserInterface;
};

class TProfileBody : public TObject {
public:
    TProfileBody();
    std::unique_ptr<TDeviceIdentity> DeviceIdentity;
    std::unique_ptr<TDeviceFunction> DeviceFunction;
};

class TPhysicalLayer : public TObject {
public:
    const String& BitRate() const { return FBitRate; }   // as written, e.g. COM2
    void SetBitRate(const String& Value) { FBitRate = Value; }
    const String& MinCycleTime() const { return FMinCycleTime; }   // as written
    void SetMinCycleTime(const String& Value) { FMinCycleTime = Value; }
    Boolean SIOSupported() const { return FSIOSupported; }
    void SetSIOSupported(Boolean Value) { FSIOSupported = Value; }
    const String& MSequenceCapability() const { return FMSequenceCapability; }
    void SetMSequenceCapability(const String& Value) { FMSequenceCapability = Value; }

    // The number after "COM" (1, 2, 3); 0 when there is none.
    Integer Get_BitRate() const;
    // MinCycleTime as an integer; 0 when it is not one.
    Integer Get_MinCycleTime() const;

private:
    String FBitRate;
    String FMinCycleTime;
    Boolean FSIOSupported = false;
    String FMSequenceCapability;
};

// ------------------------------------------------------------------- root

class TIODD : public TObject {
public:
    TIODD();
    ~TIODD() override;

    xml::TXMLDocument Xml1;   // the device description
    // The standard definitions, when this decode read them: a decode after
    // one with the same unchanged file shares what that one read.
    xml::TXMLDocument Xml2;

    // The file last decoded.
    const String& IODD_FileName() const { return FIODD_FileName; }
    // Folder of the standard definition files. A trailing separator ('/'
    // or '\') is expected; one is added when it is missing. A full decode
    // fails when the folder is not set or lacks the file it needs.
    const String& StandardDef_Path() const { return FStandardDef_Path; }
    void SetStandardDef_Path(const String& Value) { FStandardDef_Path = Value; }

    std::unique_ptr<TDocumentInfo> DocumentInfo;
    std::unique_ptr<TProfileHeader> ProfileHeader;
    std::unique_ptr<TProfileBody> ProfileBody;
    std::unique_ptr<TExtTextCol> ExtTextCol;
    std::unique_ptr<TPhysicalLayer> PhysicalLayer;
    std::shared_ptr<TExtTextCol> SD_ExtTextCol;
    std::shared_ptr<TDataTypeCollection> SD_DataTypeCollection;
    std::shared_ptr<TVariableCollection> SD_VariableCollection;
    std::shared_ptr<TEventCollection> SD_EventCollection;

    // Decodes one file: in simple mode the device identity and the texts,
    // in full mode everything with the standard definitions. Raises
    // EIODDError when the file or (full mode) the standard definitions file
    // it needs is missing, not well-formed, not a device description, or
    // lacks a value it must have; the object then holds what was read
    // before.
    void Decode_IODD(const String& IODD_FileName, Boolean Simple_Decode);

    // Lookups.
    Integer Find_DataType(const String& ID_DataType, const TDataTypeCollection* DTC) const;
    // The text with id Text (standard or device texts); Text itself when
    // there is no such id.
    String GetDesc_ExtTextCol(Boolean StdDef, const String& Text) const;
    TEventData* Get_Event_SD(Integer Code) const;
    Integer Find_Var_SD(const String& ID) const;
    // The type an id names: in the standard types (VarRef) or the device's.
    TDataType* Resolve_DataType(const String& Id, Boolean VarRef) const;

    // Section readers, in the order Decode_IODD runs them.
    Boolean Read_DocumentInfo();
    Boolean Read_ProfileHeader();
    Boolean Read_StandardDef();
    Boolean Read_SD_ExternalTextCollection();
    Boolean Read_SD_DatatypeCollection();
    Boolean Read_SD_VariableCollection();
    Boolean Read_SD_EventCollection();
    Boolean Read_ProfileBody(Boolean Simple_Decode);
    Boolean Read_ProfileBody_DeviceIdentity(const xml::TXMLNode& ProBody);
    Boolean Read_ProfileBody_DeviceFunction_Features(const xml::TXMLNode& DevFun);
    Boolean Read_ProfileBody_DeviceFunction_DataTypeCollection(const xml::TXMLNode& DevFun);
    Boolean Read_ProfileBody_DeviceFunction_VariableCollection(const xml::TXMLNode& DevFun);
    Boolean Read_ProfileBody_DeviceFunction_ProcessDataCollection(const xml::TXMLNode& DevFun);
    Boolean Read_ProfileBody_DeviceFunction_EventCollection(const xml::TXMLNode& DevFun);
    Boolean Read_ProfileBody_DeviceFunction_UserInterface(const xml::TXMLNode& DevFun);
    Boolean Read_ProfileBody_DeviceFunction_UserInterface_MenuCollection(const xml::TXMLNode& UserInt);
    Boolean Read_ExternalTextCollection();
    Boolean Read_CommNetworkProfile();

    // Item readers: each fills the object it is given and answers whether
    // the object belongs in its list.
    Boolean Read_Variable(const xml::TXMLNode& XmlVar, TVariable& App_Var, Boolean& VarRef);
    Boolean Read_RecordItemInfo(const xml::TXMLNode& XmlRII, TRecordItemInfo& App_RII);
    Boolean Read_ProcessData(const xml::TXMLNode& XmlPD, TProcessData& App_PD);
    Boolean Read_Menu(const xml::TXMLNode& XmlMC, TMenu& App_Menu);
    // App_Event comes with a new event in Owned; a resolved standard event
    // reference releases it and sets Reference instead.
    Boolean Read_Event(const xml::TXMLNode& XmlEVE, TEventReadResult& App_Event, Boolean& EventRef);

    // Data types and value ranges.
    Boolean Read_DataType(const xml::TXMLNode& XmlDT, TDataType& App_DT);
    void Decode_SimpleDataType(const xml::TXMLNode& main_xml, const String& DataType,
                               TSimpleDataType& app_SDT);
    void Read_SingleValueRange(const xml::TXMLNode& XmlSVR, TSimpleDataType& app_SDT);

private:
    String FIODD_FileName;
    String FStandardDef_Path;
    // The file being read, for error messages.
    String FReadingFile;

    // The element below the device description's root; null when absent.
    xml::TXMLNode DeviceSection(const char* Name) const;
    xml::TXMLNode StandardSection(const char* Name) const;
    // The texts of the collection's "PrimaryLanguage"; false without one.
    Boolean Read_TextList(const xml::TXMLNode& Collection, TExtTextCol& Texts, Boolean OnlyTextElements);
    void Read_EventList(const xml::TXMLNode& Collection, TEventCollection& Events, Boolean Standard);
    void Read_VariableList(const xml::TXMLNode& Collection, TVariableCollection& Variables);
    void Read_ProcessDataInOut(const xml::TXMLNode& XmlIO, TProcessDataInOut& InOut);

    // The ways an attribute is read.
    [[noreturn]] void Fail(const String& What) const;
    // Repeats: whether the value is one that recurs in a file (shared
    // through the decode's pool), not an id or text of its own.
    String Required_Text(const xml::TXMLNode& Node, const char* Name, Boolean Repeats = true) const;
    // The same for a Value looked up already (null when missing).
    String Required_Text(const xml::TXMLNode& Node, const char* Name, const char* Value, Boolean Repeats) const;
    Integer Optional_Integer(const xml::TXMLNode& Node, const char* Name, Integer Current) const;
    // A guarded integer (0 when missing or unreadable) that must lie within
    // Low and High when it is there: beyond them the decode fails.
    Integer Limited_Integer(const xml::TXMLNode& Node, const char* Name, Integer Low, Integer High) const;
};
