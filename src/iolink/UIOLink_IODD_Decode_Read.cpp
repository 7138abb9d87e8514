// Reading a device description and the standard definitions into TIODD.
#include "iolink/UIOLink_IODD_Decode.h"
#include "iolink/UIOLink_IODD_Decode_Read.h"
#include "rtl/FileStamp.h"

#include <map>
#include <mutex>

using namespace Qt::StringLiterals;
using namespace iodd_read;

// ---------------------------------------------------------------- failures

void TIODD::Fail(const String& What) const
{
    throw EIODDError(u"Cannot decode \"%1\": %2"_s.arg(FReadingFile, What));
}

String TIODD::Required_Text(const xml::TXMLNode& Node, const char* Name, Boolean Repeats) const
{
    return Required_Text(Node, Name, Node.AttributeUtf8(Name), Repeats);
}

String TIODD::Required_Text(const xml::TXMLNode& Node, const char* Name, const char* Value, Boolean Repeats) const
{
    if (!Value)
        Fail(u"element \"%1\" lacks the attribute \"%2\""_s.arg(Node.NodeName(), QLatin1StringView(Name)));
    return Repeats ? TValuePool::Text(Value) : String::fromUtf8(Value);
}

Integer TIODD::Optional_Integer(const xml::TXMLNode& Node, const char* Name, Integer Current) const
{
    const char* Value = Node.AttributeUtf8(Name);
    if (!Value)
        return Current;
    Integer Result = 0;
    if (!ToInteger(TValueView(Value).View(), Result))
        Fail(u"attribute \"%1\" of element \"%2\" is not an integer: \"%3\""_s.arg(
            QLatin1StringView(Name), Node.NodeName(), String::fromUtf8(Value)));
    return Result;
}

Integer TIODD::Limited_Integer(const xml::TXMLNode& Node, const char* Name, Integer Low, Integer High) const
{
    const char* Text = Node.AttributeUtf8(Name);
    if (!Text)
        return 0;
    Integer Plain = 0;
    bool Ok = PlainDecimal(Text, Plain);
    const Int64 Value = Ok ? Int64(Plain) : TValueView(Text).View().toLongLong(&Ok, 10);
    if (!Ok)
        return 0;
    if (Value < Low || Value > High)
        Fail(u"attribute \"%1\" of element \"%2\" is %3, outside %4 to %5"_s
                 .arg(QLatin1StringView(Name), Node.NodeName(), String::fromUtf8(Text))
                 .arg(Low)
                 .arg(High));
    return Integer(Value);
}

// ------------------------------------------------------------------ decode

namespace {

void IoddLoad(xml::TXMLDocument& Doc, const String& FileName)
{
    try {
        Doc.LoadFromFile(FileName);
    } catch (const EXMLError& E) {
        // The message names the file and the place of the fault.
        throw EIODDError(E.Message());
    }
}

// The standard definitions of one file as decoded, shared by the decodes.
struct TIoddStandardDefs {
    std::shared_ptr<TExtTextCol> Texts;
    std::shared_ptr<TDataTypeCollection> Types;
    std::shared_ptr<TVariableCollection> Variables;
    std::shared_ptr<TEventCollection> Events;

    static TIoddStandardDefs Empty()
    {
        return {std::make_shared<TExtTextCol>(), std::make_shared<TDataTypeCollection>(),
                std::make_shared<TVariableCollection>(), std::make_shared<TEventCollection>()};
    }

    void ShareWith(TIODD& IODD) const
    {
        IODD.SD_ExtTextCol = Texts;
        IODD.SD_DataTypeCollection = Types;
        IODD.SD_VariableCollection = Variables;
        IODD.SD_EventCollection = Events;
    }
};

// The standard definitions files decoded in this process, by path, with the
// stamp of the file they were read from. The files are read-only data, and
// every description decoded in full reads one of them.
class TIoddStandardCache {
public:
    // What was read from Path when its stamp is still Stamp. A file that
    // changed is forgotten, so a failing read leaves nothing to hide it.
    std::optional<TIoddStandardDefs> Find(const String& Path, const TFileStamp& Stamp)
    {
        const std::lock_guard<std::mutex> Lock(FMutex);
        const auto Found = FEntries.find(Path);
        if (Found == FEntries.end())
            return std::nullopt;
        if (Found->second.Stamp == Stamp)
            return Found->second.Defs;
        FEntries.erase(Found);
        return std::nullopt;
    }

    void Store(const String& Path, const TFileStamp& Stamp, const TIoddStandardDefs& Defs)
    {
        const std::lock_guard<std::mutex> Lock(FMutex);
        FEntries.insert_or_assign(Path, TEntry{Stamp, Defs});
    }

private:
    struct TEntry {
        TFileStamp Stamp;
        TIoddStandardDefs Defs;
    };
    std::mutex FMutex;
    std::map<String, TEntry> FEntries;
};

TIoddStandardCache& IoddStandardCache()
{
    static TIoddStandardCache Cache;
    return Cache;
}

} // namespace

void TIODD::Decode_IODD(const String& IODD_FileName, Boolean Simple_Decode)
{
    const TValuePool Pool;
    FReadingFile = IODD_FileName;
    if (!FileExists(IODD_FileName))
        Fail(u"the file does not exist"_s);
    FIODD_FileName = IODD_FileName;
    IoddLoad(Xml1, IODD_FileName);
    const xml::TXMLNode Root = Xml1.DocumentElement();
    if (!Root)
        Fail(u"the document has no root element"_s);
    if (Root.NodeName() != u"IODevice")
        Fail(u"not an IO-Link device description (the root element is \"%1\", not \"IODevice\")"_s
                 .arg(Root.NodeName()));

    if (!Simple_Decode) {
        Read_DocumentInfo();
        Read_ProfileHeader();
        Read_StandardDef();
    }
    Read_ProfileBody(Simple_Decode);
    Read_ExternalTextCollection();
    if (!Simple_Decode)
        Read_CommNetworkProfile();
}

xml::TXMLNode TIODD::DeviceSection(const char* Name) const
{
    const xml::TXMLNode Root = Xml1.DocumentElement();
    return Root && HasName(Root, "IODevice") ? Root.FindChild(Name) : xml::TXMLNode();
}

xml::TXMLNode TIODD::StandardSection(const char* Name) const
{
    const xml::TXMLNode Root = Xml2.DocumentElement();
    return Root && HasName(Root, "IODDStandardDefinitions") ? Root.FindChild(Name) : xml::TXMLNode();
}

// ------------------------------------------------------ document, header

Boolean TIODD::Read_DocumentInfo()
{
    const xml::TXMLNode Info = DeviceSection("DocumentInfo");
    if (!Info)
        return false;
    DocumentInfo->SetVersion(Required_Text(Info, "version"));
    DocumentInfo->SetReleaseDate(Required_Text(Info, "releaseDate"));
    DocumentInfo->SetCopyright(Required_Text(Info, "copyright"));
    return true;
}

Boolean TIODD::Read_ProfileHeader()
{
    const xml::TXMLNode Header = DeviceSection("ProfileHeader");
    if (!Header)
        return false;
    const auto ChildText = [](const xml::TXMLNode& Parent, const char* Name, auto Set) {
        if (const xml::TXMLNode Child = Parent.FindChild(Name))
            Set(Child.Text());
    };
    TProfileHeader& H = *ProfileHeader;
    ChildText(Header, "ProfileIdentification", [&H](const String& V) { H.SetProfileIdentification(V); });
    ChildText(Header, "ProfileRevision",
              [&H](const String& V) { H.SetProfileRevision(V == u"1.1" ? prPR11 : prPR10); });
    ChildText(Header, "ProfileName", [&H](const String& V) { H.SetProfileName(V); });
    ChildText(Header, "ProfileSource", [&H](const String& V) { H.SetProfileSource(V); });
    ChildText(Header, "ProfileClassID", [&H](const String& V) { H.SetProfileClassID(V); });
    if (const xml::TXMLNode Iso = Header.FindChild("ISO15745Reference")) {
        ChildText(Iso, "ISO15745Part", [&H](const String& V) { H.SetISO15745Part(V); });
        ChildText(Iso, "ISO15745Edition", [&H](const String& V) { H.SetISO15745Edition(V); });
        ChildText(Iso, "ProfileTechnology", [&H](const String& V) { H.SetProfileTechnology(V); });
    }
    return true;
}

// ----------------------------------------------------- standard definitions

Boolean TIODD::Read_StandardDef()
{
    // The device's standard variables and events, and the texts and types
    // they use, live there: without them a decode would lose them quietly.
    if (FStandardDef_Path.isEmpty())
        Fail(u"no folder of the standard definitions is set"_s);
    String Path = FStandardDef_Path;
    if (!Path.endsWith(u'/') && !Path.endsWith(u'\\'))
        Path += u'/';
    Path += ProfileHeader->ProfileRevision() == prPR11 ? u"IODD-StandardDefinitions1.1.xml"_s
                                                       : u"IODD-StandardDefinitions1.0.1.xml"_s;
    Path.replace(u'\\', u'/');

    // A stamp that matches one stored was taken of the file read then; any
    // other (a missing file, a folder) is checked before it is read.
    const TFileStamp Stamp = FileStamp(Path);
    if (const std::optional<TIoddStandardDefs> Shared = IoddStandardCache().Find(Path, Stamp)) {
        Shared->ShareWith(*this);
        return true;
    }
    if (!FileExists(Path))
        Fail(u"the standard definitions file \"%1\" is missing"_s.arg(Path));

    // New objects: decodes that share the ones of an older file keep them.
    const TIoddStandardDefs Read = TIoddStandardDefs::Empty();
    Read.ShareWith(*this);
    const String DeviceFile = FReadingFile;
    FReadingFile = Path;
    IoddLoad(Xml2, Path);
    Read_SD_ExternalTextCollection();
    Read_SD_DatatypeCollection();
    Read_SD_VariableCollection();
    Read_SD_EventCollection();
    FReadingFile = DeviceFile;
    IoddStandardCache().Store(Path, Stamp, Read);
    return true;
}

Boolean TIODD::Read_TextList(const xml::TXMLNode& Collection, TExtTextCol& Texts, Boolean OnlyTextElements)
{
    const xml::TXMLNode PrimaryLanguage = Collection ? Collection.FindChild("PrimaryLanguage") : xml::TXMLNode();
    if (!PrimaryLanguage)
        return false;
    const std::optional<String> Lang = PrimaryLanguage.AttributeNS(xml::XML_NAMESPACE, "lang");
    if (!Lang)
        Fail(u"element \"PrimaryLanguage\" lacks the attribute \"xml:lang\""_s);
    Texts.SetLang_Code_Primary(*Lang);
    Texts.Erase_All();
    std::size_t Count = 0;
    ForEachItem(PrimaryLanguage, [&Count](const xml::TXMLNode&) { ++Count; });
    Texts.List_Ids.reserve(Count);
    Texts.PriLang_Values.reserve(Count);
    ForEachItem(PrimaryLanguage, [&](const xml::TXMLNode& Text) {
        if (OnlyTextElements && !HasName(Text, "Text"))
            return;
        static constexpr const char* Names[] = {"id", "value"};
        const char* Values[2];
        Text.AttributesUtf8(Names, Values, 2);
        String Id = Required_Text(Text, Names[0], Values[0], false);
        String Value = Required_Text(Text, Names[1], Values[1], false);
        Texts.List_Ids.push_back(std::move(Id));
        Texts.PriLang_Values.push_back(std::move(Value));
    });
    return true;
}

Boolean TIODD::Read_SD_ExternalTextCollection()
{
    return Read_TextList(StandardSection("ExternalTextCollection"), *SD_ExtTextCol, true);
}

Boolean TIODD::Read_SD_DatatypeCollection()
{
    SD_DataTypeCollection->ListDataType.clear();
    const xml::TXMLNode Collection = StandardSection("DatatypeCollection");
    if (!Collection)
        return false;
    ReadCollection(Collection, SD_DataTypeCollection->ListDataType,
                   [this](const xml::TXMLNode& Item, TDataType& Type) { return Read_DataType(Item, Type); });
    return true;
}

void TIODD::Read_VariableList(const xml::TXMLNode& Collection, TVariableCollection& Variables)
{
    ForEachItem(Collection, [&](const xml::TXMLNode& Item) {
        auto Var = std::make_unique<TVariable>();
        Boolean VarRef = false;
        if (Read_Variable(Item, *Var, VarRef))
            (VarRef ? Variables.StdVar_List : Variables.Var_List).push_back(std::move(Var));
    });
}

Boolean TIODD::Read_SD_VariableCollection()
{
    const xml::TXMLNode Collection = StandardSection("VariableCollection");
    if (!Collection)
        return false;
    Read_VariableList(Collection, *SD_VariableCollection);
    return true;
}

void TIODD::Read_EventList(const xml::TXMLNode& Collection, TEventCollection& Events, Boolean Standard)
{
    ForEachItem(Collection, [&](const xml::TXMLNode& Item) {
        TEventReadResult Event;
        Event.Owned = std::make_unique<TEventData>();
        Boolean EventRef = false;
        if (!Read_Event(Item, Event, EventRef))
            return;
        // The standard list keeps only events of its own; a reference is
        // never owned by the list that holds it.
        if (!EventRef)
            Events.Event_List.push_back(std::move(Event.Owned));
        else if (!Standard && Event.Reference)
            Events.StdEventRef_List.push_back(Event.Reference);
    });
}

Boolean TIODD::Read_SD_EventCollection()
{
    const xml::TXMLNode Collection = StandardSection("EventCollection");
    if (!Collection)
        return false;
    Read_EventList(Collection, *SD_EventCollection, true);
    return true;
}

// ------------------------------------------------------------- profile body

Boolean TIODD::Read_ProfileBody(Boolean Simple_Decode)
{
    const xml::TXMLNode Body = DeviceSection("ProfileBody");
    if (!Body)
        return false;
    Read_ProfileBody_DeviceIdentity(Body);
    if (Simple_Decode)
        return true;
    const xml::TXMLNode Function = Body.FindChild("DeviceFunction");
    if (!Function)
        return true;
    Read_ProfileBody_DeviceFunction_Features(Function);
    Read_ProfileBody_DeviceFunction_DataTypeCollection(Function);
    Read_ProfileBody_DeviceFunction_VariableCollection(Function);
    Read_ProfileBody_DeviceFunction_ProcessDataCollection(Function);
    Read_ProfileBody_DeviceFunction_EventCollection(Function);
    Read_ProfileBody_DeviceFunction_UserInterface(Function);
    return true;
}

Boolean TIODD::Read_ProfileBody_DeviceIdentity(const xml::TXMLNode& ProBody)
{
    const xml::TXMLNode Identity = ProBody.FindChild("DeviceIdentity");
    if (!Identity)
        return false;
    TDeviceIdentity& Id = *ProfileBody->DeviceIdentity;
    String Text;
    const auto Optional = [&Text, &Identity](const char* Name) {
        const std::optional<String> Value = KeptAttribute(Identity, Name);
        return Value ? (Text = *Value, true) : false;
    };
    if (Optional("vendorId"))
        Id.SetVendorId(Text);
    if (Optional("vendorName"))
        Id.SetVendorName(Text);
    if (Optional("deviceId"))
        Id.SetDeviceId(Text);

    // A child that is there must carry its attribute.
    const auto ChildAttr = [this](const xml::TXMLNode& Parent, const char* Child, const char* Attr,
                                  auto Set) {
        if (const xml::TXMLNode Node = Parent.FindChild(Child))
            Set(Required_Text(Node, Attr));
    };
    const char* const TextId = "textId";
    ChildAttr(Identity, "VendorText", TextId, [&Id](const String& V) { Id.SetVendorText(V); });
    ChildAttr(Identity, "VendorUrl", TextId, [&Id](const String& V) { Id.SetVendorUrl(V); });
    ChildAttr(Identity, "VendorLogo", "name", [&Id](const String& V) { Id.SetVendorLogo(V); });
    ChildAttr(Identity, "DeviceName", TextId, [&Id](const String& V) { Id.SetDeviceName(V); });
    ChildAttr(Identity, "DeviceFamily", TextId, [&Id](const String& V) { Id.SetDeviceFamily(V); });

    ForEachItem(Identity.FindChild("DeviceVariantCollection"), [&](const xml::TXMLNode& Item) {
        if (!HasName(Item, "DeviceVariant"))
            return;
        auto Variant = std::make_unique<TDeviceVariant>();
        TDeviceVariant& V = *Variant;
        if (const auto A = KeptAttribute(Item, "productId"))
            V.SetProductId(*A);
        if (const auto A = KeptAttribute(Item, "deviceSymbol"))
            V.SetDeviceSymbol(*A);
        if (const auto A = KeptAttribute(Item, "deviceIcon"))
            V.SetDeviceIcon(*A);
        ChildAttr(Item, "Name", TextId, [&V](const String& T) { V.SetName(T); });
        ChildAttr(Item, "Description", TextId, [&V](const String& T) { V.SetDescription(T); });
        Id.DeviceVariant_List.push_back(std::move(Variant));
    });
    return true;
}

Boolean TIODD::Read_ProfileBody_DeviceFunction_Features(const xml::TXMLNode& DevFun)
{
    const xml::TXMLNode Node = DevFun.FindChild("Features");
    if (!Node)
        return false;
    TFeatures& F = *ProfileBody->DeviceFunction->Features;
    F.SetBlockParameter(Flag(Node, "blockParameter"));
    F.SetDataStorage(Flag(Node, "dataStorage"));
    if (const xml::TXMLNode Locks = Node.FindChild("SupportedAccessLocks")) {
        F.SetSAL_LocalUserInterface(Flag(Locks, "localUserInterface"));
        F.SetSAL_DataStorage(Flag(Locks, "dataStorage"));
        F.SetSAL_Parameter(Flag(Locks, "parameter"));
        F.SetSAL_LocalParameterization(Flag(Locks, "localParameterization"));
    }
    return true;
}

Boolean TIODD::Read_ProfileBody_DeviceFunction_DataTypeCollection(const xml::TXMLNode& DevFun)
{
    const xml::TXMLNode Collection = DevFun.FindChild("DatatypeCollection");
    if (!Collection)
        return false;
    ReadCollection(Collection, ProfileBody->DeviceFunction->DataTypeCollection->ListDataType,
                   [this](const xml::TXMLNode& Item, TDataType& Type) { return Read_DataType(Item, Type); });
    return true;
}

Boolean TIODD::Read_ProfileBody_DeviceFunction_VariableCollection(const xml::TXMLNode& DevFun)
{
    const xml::TXMLNode Collection = DevFun.FindChild("VariableCollection");
    if (!Collection)
        return false;
    Read_VariableList(Collection, *ProfileBody->DeviceFunction->VariableCollection);
    return true;
}

Boolean TIODD::Read_Variable(const xml::TXMLNode& XmlVar, TVariable& App_Var, Boolean& VarRef)
{
    VarRef = false;
    if (IsUpperName(XmlVar, "VARIABLE")) {
        enum { aId, aAccess, aDynamic, aModifies, aExcluded, aIndex, aDefault, aCount };
        static constexpr const char* Names[aCount] = {"id",    "accessRights", "dynamic", "modifiesOtherVariables",
                                                      "excludedFromDataStorage", "index", "defaultValue"};
        const char* A[aCount];
        XmlVar.AttributesUtf8(Names, A, aCount);
        App_Var.VarType = vtVariable;
        App_Var.Id = GuardedText(A[aId]);
        const char* Access = A[aAccess];
        App_Var.AccessRights = !Access                        ? arWO
                               : std::strcmp(Access, "rw") == 0 ? arRW
                               : std::strcmp(Access, "ro") == 0 ? arRO
                                                                : arWO;
        App_Var.Dynamic_V = Flag(A[aDynamic]);
        App_Var.ModifiesOtherVariables = Flag(A[aModifies]);
        App_Var.ExcludedFromDataStorage = Flag(A[aExcluded]);
        App_Var.Index = GuardedInteger(A[aIndex], 1);
        App_Var.DefaultValue = GuardedText(A[aDefault]);
        if (const xml::TXMLNode Child = XmlVar.FindChild("Name"))
            App_Var.Name = Required_Text(Child, "textId", false);
        if (const xml::TXMLNode Child = XmlVar.FindChild("Description"))
            App_Var.Description = Required_Text(Child, "textId", false);
        for (const char* TypeElement : {"Datatype", "DatatypeRef"}) {
            if (const xml::TXMLNode Child = XmlVar.FindChild(TypeElement)) {
                auto Type = std::make_unique<TDataType>();
                Read_DataType(Child, *Type);
                App_Var.DataType = std::move(Type);
            }
        }
        ReadCollection(XmlVar, App_Var.RecordItemInfoList, [this](const xml::TXMLNode& Child, TRecordItemInfo& Info) {
            return HasName(Child, "RecordItemInfo") && Read_RecordItemInfo(Child, Info);
        });
        return true;
    }
    if (IsUpperName(XmlVar, "STDVARIABLEREF")) {
        App_Var.VarType = vtStdVarRef;
        VarRef = true;
        App_Var.Id = GuardedText(XmlVar, "id");
        App_Var.DefaultValue = GuardedText(XmlVar, "defaultValue");
        App_Var.FixedLengthRestriction = GuardedInteger(XmlVar, "fixedLengthRestriction", 1);
        App_Var.ExcludedFromDataStorage = Flag(XmlVar, "excludedFromDataStorage");
        return true;
    }
    return false;
}

Boolean TIODD::Read_RecordItemInfo(const xml::TXMLNode& XmlRII, TRecordItemInfo& App_RII)
{
    if (!IsUpperName(XmlRII, "RECORDITEMINFO"))
        return false;
    App_RII.Subindex = GuardedInteger(XmlRII, "subindex", 0);
    App_RII.DefaultValue = GuardedText(XmlRII, "defaultValue");
    App_RII.ModifiesOtherVariables = Flag(XmlRII, "modifiesOtherVariables");
    App_RII.ExcludedFromDataStorage = Flag(XmlRII, "excludedFromDataStorage");
    return true;
}

// ------------------------------------------------------------ process data

Boolean TIODD::Read_ProfileBody_DeviceFunction_ProcessDataCollection(const xml::TXMLNode& DevFun)
{
    const xml::TXMLNode Collection = DevFun.FindChild("ProcessDataCollection");
    if (!Collection)
        return false;
    ReadCollection(Collection, ProfileBody->DeviceFunction->ProcessDataCollection->ProcessData_List,
                   [this](const xml::TXMLNode& Item, TProcessData& Data) { return Read_ProcessData(Item, Data); });
    return true;
}

void TIODD::Read_ProcessDataInOut(const xml::TXMLNode& XmlIO, TProcessDataInOut& InOut)
{
    OptionalText(XmlIO, "id", InOut.Id);
    InOut.BitLength = Optional_Integer(XmlIO, "bitLength", InOut.BitLength);
    if (const xml::TXMLNode Name = XmlIO.FindChild("Name"))
        InOut.Name = Name.Text();
    for (const char* TypeElement : {"Datatype", "DatatypeRef"})
        if (const xml::TXMLNode Child = XmlIO.FindChild(TypeElement))
            Read_DataType(Child, *InOut.DataType);
}

Boolean TIODD::Read_ProcessData(const xml::TXMLNode& XmlPD, TProcessData& App_PD)
{
    App_PD.Id = GuardedText(XmlPD, "id");
    if (const xml::TXMLNode Node = XmlPD.FindChild("Condition")) {
        auto Condition = std::make_unique<TCondition>();
        OptionalText(Node, "variableId", Condition->VariableId);
        Condition->SubIndex = Optional_Integer(Node, "subindex", Condition->SubIndex);
        Condition->Value = Optional_Integer(Node, "value", Condition->Value);
        App_PD.Condition = std::move(Condition);
    }
    if (const xml::TXMLNode Node = XmlPD.FindChild("ProcessDataIn")) {
        App_PD.ProcessDataIn = std::make_unique<TProcessDataInOut>();
        Read_ProcessDataInOut(Node, *App_PD.ProcessDataIn);
    }
    if (const xml::TXMLNode Node = XmlPD.FindChild("ProcessDataOut")) {
        App_PD.ProcessDataOut = std::make_unique<TProcessDataInOut>();
        Read_ProcessDataInOut(Node, *App_PD.ProcessDataOut);
    }
    return true;
}

// ------------------------------------------------------------------ events

Boolean TIODD::Read_ProfileBody_DeviceFunction_EventCollection(const xml::TXMLNode& DevFun)
{
    const xml::TXMLNode Collection = DevFun.FindChild("EventCollection");
    if (!Collection)
        return false;
    Read_EventList(Collection, *ProfileBody->DeviceFunction->EventCollection, false);
    return true;
}

Boolean TIODD::Read_Event(const xml::TXMLNode& XmlEVE, TEventReadResult& App_Event, Boolean& EventRef)
{
    EventRef = false;
    if (IsUpperName(XmlEVE, "EVENT")) {
        const Integer Code = GuardedInteger(XmlEVE, "code", -1);
        if (Code < 0 || !App_Event.Owned)
            return false;
        TEventData& Event = *App_Event.Owned;
        Event.Code = Code;
        OptionalText(XmlEVE, "type", Event.EventType);
        Event.Name = ChildTextId(XmlEVE, "Name");
        Event.Description = ChildTextId(XmlEVE, "Description");
        return true;
    }
    if (IsUpperName(XmlEVE, "STDEVENTREF")) {
        EventRef = true;
        const Integer Code = GuardedInteger(XmlEVE, "code", -1);
        if (App_Event.Owned)
            App_Event.Owned->Code = Code;
        TEventData* Standard = Code >= 0 ? Get_Event_SD(Code) : nullptr;
        if (!Standard)
            return false;
        App_Event.Owned.reset();
        App_Event.Reference = Standard;
        return true;
    }
    return false;
}

// ------------------------------------------------------------------- menus

Boolean TIODD::Read_ProfileBody_DeviceFunction_UserInterface(const xml::TXMLNode& DevFun)
{
    const xml::TXMLNode UserInt = DevFun.FindChild("UserInterface");
    if (!UserInt)
        return false;
    return Read_ProfileBody_DeviceFunction_UserInterface_MenuCollection(UserInt);
}

Boolean TIODD::Read_ProfileBody_DeviceFunction_UserInterface_MenuCollection(const xml::TXMLNode& UserInt)
{
    const xml::TXMLNode Collection = UserInt.FindChild("MenuCollection");
    if (!Collection)
        return false;
    ReadCollection(Collection, ProfileBody->DeviceFunction->UserInterface->MenuCollection->Menu_List,
                   [this](const xml::TXMLNode& Item, TMenu& Menu) { return Read_Menu(Item, Menu); });
    return true;
}

namespace {

// The attributes of a menu entry; a record item's also names its subindex.
enum { amVariableId, amGradient, amOffset, amUnitCode, amAccess, amDisplayFormat, amSubindex, amCount };
constexpr const char* IoddMenuRefNames[amCount] = {"variableId", "gradient", "offset", "unitCode",
                                                   "accessRightRestriction", "displayFormat", "subindex"};

template <class TRef>
void IoddReadMenuRef(const char* const* A, TRef& Ref)
{
    OptionalText(A[amVariableId], Ref.VariableId);
    OptionalText(A[amGradient], Ref.Gradient);
    OptionalText(A[amOffset], Ref.Offset);
    OptionalText(A[amUnitCode], Ref.UnitCode);
    OptionalText(A[amAccess], Ref.AccessRightRestriction);
    OptionalText(A[amDisplayFormat], Ref.DisplayFormat);
}

} // namespace

Boolean TIODD::Read_Menu(const xml::TXMLNode& XmlMC, TMenu& App_Menu)
{
    App_Menu.Id = GuardedText(XmlMC, "id");
    ForEachItem(XmlMC, [&](const xml::TXMLNode& Child) {
        if (HasName(Child, "Name")) {
            OptionalText(Child, "textId", App_Menu.Name);
        } else if (HasName(Child, "VariableRef")) {
            auto Ref = std::make_unique<TMenuVariableRef>();
            const char* A[amCount];
            Child.AttributesUtf8(IoddMenuRefNames, A, amSubindex);
            IoddReadMenuRef(A, *Ref);
            App_Menu.MenuVariableRef_List.push_back(std::move(Ref));
        } else if (HasName(Child, "RecordItemRef")) {
            auto Ref = std::make_unique<TMenuRecordItemRef>();
            const char* A[amCount];
            Child.AttributesUtf8(IoddMenuRefNames, A, amCount);
            IoddReadMenuRef(A, *Ref);
            OptionalText(A[amSubindex], Ref->SubIndex);
            App_Menu.MenuVariableRef_List.push_back(std::move(Ref));
        }
    });
    return true;
}

// --------------------------------------------------------- texts, physical

Boolean TIODD::Read_ExternalTextCollection()
{
    return Read_TextList(DeviceSection("ExternalTextCollection"), *ExtTextCol, false);
}

Boolean TIODD::Read_CommNetworkProfile()
{
    xml::TXMLNode Node = DeviceSection("CommNetworkProfile");
    if (Node)
        Node = Node.FindChild("TransportLayers");
    if (Node)
        Node = Node.FindChild("PhysicalLayer");
    if (!Node)
        return false;
    TPhysicalLayer& P = *PhysicalLayer;
    String Text;
    const auto Optional = [&Text, &Node](const char* Name) {
        const std::optional<String> Value = KeptAttribute(Node, Name);
        return Value ? (Text = *Value, true) : false;
    };
    if (Optional("bitrate"))
        P.SetBitRate(Text);
    if (Optional("baudrate"))
        P.SetBitRate(Text);
    if (Optional("minCycleTime"))
        P.SetMinCycleTime(Text);
    if (Optional("sioSupported"))
        P.SetSIOSupported(Text.toLower().trimmed() == u"true");
    if (Optional("mSequenceCapability"))
        P.SetMSequenceCapability(Text);
    return true;
}
