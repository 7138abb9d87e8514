// Reading a device description and the standard definitions into TIODD.
#include "iolink/UIOLink_IODD_Decode.h"
#include "iolink/UIOLink_IODD_Decode_Read.h"

using namespace Qt::StringLiterals;
using namespace iodd_read;

// ---------------------------------------------------------------- failures

void TIODD::Fail(const String& What) const
{
    throw EIODDError(u"Cannot decode \"%1\": %2"_s.arg(FReadingFile, What));
}

String TIODD::Required_Text(const xml::TXMLNode& Node, const String& Name) const
{
    std::optional<String> Value = Node.Attribute(Name);
    if (!Value)
        Fail(u"element \"%1\" lacks the attribute \"%2\""_s.arg(Node.NodeName(), Name));
    return std::move(*Value);
}

Integer TIODD::Optional_Integer(const xml::TXMLNode& Node, const String& Name, Integer Current) const
{
    const std::optional<String> Value = Node.Attribute(Name);
    if (!Value)
        return Current;
    Integer Result = 0;
    if (!ToInteger(*Value, Result))
        Fail(u"attribute \"%1\" of element \"%2\" is not an integer: \"%3\""_s.arg(Name, Node.NodeName(), *Value));
    return Result;
}

Integer TIODD::Limited_Integer(const xml::TXMLNode& Node, const String& Name, Integer Low, Integer High) const
{
    const std::optional<String> Text = Node.Attribute(Name);
    bool Ok = false;
    const Int64 Value = Text ? Text->toLongLong(&Ok, 10) : 0;
    if (!Ok)
        return 0;
    if (Value < Low || Value > High)
        Fail(u"attribute \"%1\" of element \"%2\" is %3, outside %4 to %5"_s.arg(Name, Node.NodeName(), *Text)
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

} // namespace

void TIODD::Decode_IODD(const String& IODD_FileName, Boolean Simple_Decode)
{
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

xml::TXMLNode TIODD::DeviceSection(const String& Name) const
{
    const xml::TXMLNode Root = Xml1.DocumentElement();
    return Root && Root.NodeName() == u"IODevice" ? Root.FindChild(Name) : xml::TXMLNode();
}

xml::TXMLNode TIODD::StandardSection(const String& Name) const
{
    const xml::TXMLNode Root = Xml2.DocumentElement();
    return Root && Root.NodeName() == u"IODDStandardDefinitions" ? Root.FindChild(Name) : xml::TXMLNode();
}

// ------------------------------------------------------ document, header

Boolean TIODD::Read_DocumentInfo()
{
    const xml::TXMLNode Info = DeviceSection(u"DocumentInfo"_s);
    if (!Info)
        return false;
    DocumentInfo->SetVersion(Required_Text(Info, u"version"_s));
    DocumentInfo->SetReleaseDate(Required_Text(Info, u"releaseDate"_s));
    DocumentInfo->SetCopyright(Required_Text(Info, u"copyright"_s));
    return true;
}

Boolean TIODD::Read_ProfileHeader()
{
    const xml::TXMLNode Header = DeviceSection(u"ProfileHeader"_s);
    if (!Header)
        return false;
    const auto ChildText = [](const xml::TXMLNode& Parent, const String& Name, auto Set) {
        if (const xml::TXMLNode Child = Parent.FindChild(Name))
            Set(Child.Text());
    };
    TProfileHeader& H = *ProfileHeader;
    ChildText(Header, u"ProfileIdentification"_s, [&H](const String& V) { H.SetProfileIdentification(V); });
    ChildText(Header, u"ProfileRevision"_s,
              [&H](const String& V) { H.SetProfileRevision(V == u"1.1" ? prPR11 : prPR10); });
    ChildText(Header, u"ProfileName"_s, [&H](const String& V) { H.SetProfileName(V); });
    ChildText(Header, u"ProfileSource"_s, [&H](const String& V) { H.SetProfileSource(V); });
    ChildText(Header, u"ProfileClassID"_s, [&H](const String& V) { H.SetProfileClassID(V); });
    if (const xml::TXMLNode Iso = Header.FindChild(u"ISO15745Reference"_s)) {
        ChildText(Iso, u"ISO15745Part"_s, [&H](const String& V) { H.SetISO15745Part(V); });
        ChildText(Iso, u"ISO15745Edition"_s, [&H](const String& V) { H.SetISO15745Edition(V); });
        ChildText(Iso, u"ProfileTechnology"_s, [&H](const String& V) { H.SetProfileTechnology(V); });
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
    if (!FileExists(Path))
        Fail(u"the standard definitions file \"%1\" is missing"_s.arg(Path));

    const String DeviceFile = FReadingFile;
    FReadingFile = Path;
    IoddLoad(Xml2, Path);
    Read_SD_ExternalTextCollection();
    Read_SD_DatatypeCollection();
    Read_SD_VariableCollection();
    Read_SD_EventCollection();
    FReadingFile = DeviceFile;
    return true;
}

Boolean TIODD::Read_TextList(const xml::TXMLNode& Collection, TExtTextCol& Texts, Boolean OnlyTextElements)
{
    const xml::TXMLNode PrimaryLanguage = Collection ? Collection.FindChild(u"PrimaryLanguage"_s) : xml::TXMLNode();
    if (!PrimaryLanguage)
        return false;
    static const String XmlNamespace = String::fromLatin1(xml::XML_NAMESPACE);
    const std::optional<String> Lang = PrimaryLanguage.AttributeNS(XmlNamespace, u"lang"_s);
    if (!Lang)
        Fail(u"element \"PrimaryLanguage\" lacks the attribute \"xml:lang\""_s);
    Texts.SetLang_Code_Primary(*Lang);
    Texts.Erase_All();
    ForEachItem(PrimaryLanguage, [&](const xml::TXMLNode& Text) {
        if (OnlyTextElements && Text.NodeName() != u"Text")
            return;
        String Id = Required_Text(Text, u"id"_s);
        String Value = Required_Text(Text, u"value"_s);
        Texts.List_Ids.push_back(std::move(Id));
        Texts.PriLang_Values.push_back(std::move(Value));
    });
    return true;
}

Boolean TIODD::Read_SD_ExternalTextCollection()
{
    return Read_TextList(StandardSection(u"ExternalTextCollection"_s), *SD_ExtTextCol, true);
}

Boolean TIODD::Read_SD_DatatypeCollection()
{
    SD_DataTypeCollection->ListDataType.clear();
    const xml::TXMLNode Collection = StandardSection(u"DatatypeCollection"_s);
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
    const xml::TXMLNode Collection = StandardSection(u"VariableCollection"_s);
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
    const xml::TXMLNode Collection = StandardSection(u"EventCollection"_s);
    if (!Collection)
        return false;
    Read_EventList(Collection, *SD_EventCollection, true);
    return true;
}

// ------------------------------------------------------------- profile body

Boolean TIODD::Read_ProfileBody(Boolean Simple_Decode)
{
    const xml::TXMLNode Body = DeviceSection(u"ProfileBody"_s);
    if (!Body)
        return false;
    Read_ProfileBody_DeviceIdentity(Body);
    if (Simple_Decode)
        return true;
    const xml::TXMLNode Function = Body.FindChild(u"DeviceFunction"_s);
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
    const xml::TXMLNode Identity = ProBody.FindChild(u"DeviceIdentity"_s);
    if (!Identity)
        return false;
    TDeviceIdentity& Id = *ProfileBody->DeviceIdentity;
    String Text;
    const auto Optional = [&Text, &Identity](const String& Name) {
        const std::optional<String> Value = Identity.Attribute(Name);
        return Value ? (Text = *Value, true) : false;
    };
    if (Optional(u"vendorId"_s))
        Id.SetVendorId(Text);
    if (Optional(u"vendorName"_s))
        Id.SetVendorName(Text);
    if (Optional(u"deviceId"_s))
        Id.SetDeviceId(Text);

    // A child that is there must carry its attribute.
    const auto ChildAttr = [this](const xml::TXMLNode& Parent, const String& Child, const String& Attr,
                                  auto Set) {
        if (const xml::TXMLNode Node = Parent.FindChild(Child))
            Set(Required_Text(Node, Attr));
    };
    const String TextId = u"textId"_s;
    ChildAttr(Identity, u"VendorText"_s, TextId, [&Id](const String& V) { Id.SetVendorText(V); });
    ChildAttr(Identity, u"VendorUrl"_s, TextId, [&Id](const String& V) { Id.SetVendorUrl(V); });
    ChildAttr(Identity, u"VendorLogo"_s, u"name"_s, [&Id](const String& V) { Id.SetVendorLogo(V); });
    ChildAttr(Identity, u"DeviceName"_s, TextId, [&Id](const String& V) { Id.SetDeviceName(V); });
    ChildAttr(Identity, u"DeviceFamily"_s, TextId, [&Id](const String& V) { Id.SetDeviceFamily(V); });

    ForEachItem(Identity.FindChild(u"DeviceVariantCollection"_s), [&](const xml::TXMLNode& Item) {
        if (Item.NodeName() != u"DeviceVariant")
            return;
        auto Variant = std::make_unique<TDeviceVariant>();
        TDeviceVariant& V = *Variant;
        if (const auto A = Item.Attribute(u"productId"_s))
            V.SetProductId(*A);
        if (const auto A = Item.Attribute(u"deviceSymbol"_s))
            V.SetDeviceSymbol(*A);
        if (const auto A = Item.Attribute(u"deviceIcon"_s))
            V.SetDeviceIcon(*A);
        ChildAttr(Item, u"Name"_s, TextId, [&V](const String& T) { V.SetName(T); });
        ChildAttr(Item, u"Description"_s, TextId, [&V](const String& T) { V.SetDescription(T); });
        Id.DeviceVariant_List.push_back(std::move(Variant));
    });
    return true;
}

Boolean TIODD::Read_ProfileBody_DeviceFunction_Features(const xml::TXMLNode& DevFun)
{
    const xml::TXMLNode Node = DevFun.FindChild(u"Features"_s);
    if (!Node)
        return false;
    TFeatures& F = *ProfileBody->DeviceFunction->Features;
    F.SetBlockParameter(Flag(Node, u"blockParameter"_s));
    F.SetDataStorage(Flag(Node, u"dataStorage"_s));
    if (const xml::TXMLNode Locks = Node.FindChild(u"SupportedAccessLocks"_s)) {
        F.SetSAL_LocalUserInterface(Flag(Locks, u"localUserInterface"_s));
        F.SetSAL_DataStorage(Flag(Locks, u"dataStorage"_s));
        F.SetSAL_Parameter(Flag(Locks, u"parameter"_s));
        F.SetSAL_LocalParameterization(Flag(Locks, u"localParameterization"_s));
    }
    return true;
}

Boolean TIODD::Read_ProfileBody_DeviceFunction_DataTypeCollection(const xml::TXMLNode& DevFun)
{
    const xml::TXMLNode Collection = DevFun.FindChild(u"DatatypeCollection"_s);
    if (!Collection)
        return false;
    ReadCollection(Collection, ProfileBody->DeviceFunction->DataTypeCollection->ListDataType,
                   [this](const xml::TXMLNode& Item, TDataType& Type) { return Read_DataType(Item, Type); });
    return true;
}

Boolean TIODD::Read_ProfileBody_DeviceFunction_VariableCollection(const xml::TXMLNode& DevFun)
{
    const xml::TXMLNode Collection = DevFun.FindChild(u"VariableCollection"_s);
    if (!Collection)
        return false;
    Read_VariableList(Collection, *ProfileBody->DeviceFunction->VariableCollection);
    return true;
}

Boolean TIODD::Read_Variable(const xml::TXMLNode& XmlVar, TVariable& App_Var, Boolean& VarRef)
{
    VarRef = false;
    const String Name = UpperName(XmlVar);
    if (Name == u"VARIABLE") {
        App_Var.VarType = vtVariable;
        App_Var.Id = GuardedText(XmlVar, u"id"_s);
        const std::optional<String> Access = XmlVar.Attribute(u"accessRights"_s);
        App_Var.AccessRights = !Access ? arWO : *Access == u"rw" ? arRW : *Access == u"ro" ? arRO : arWO;
        App_Var.Dynamic_V = Flag(XmlVar, u"dynamic"_s);
        App_Var.ModifiesOtherVariables = Flag(XmlVar, u"modifiesOtherVariables"_s);
        App_Var.ExcludedFromDataStorage = Flag(XmlVar, u"excludedFromDataStorage"_s);
        App_Var.Index = GuardedInteger(XmlVar, u"index"_s, 1);
        App_Var.DefaultValue = GuardedText(XmlVar, u"defaultValue"_s);
        if (const xml::TXMLNode Child = XmlVar.FindChild(u"Name"_s))
            App_Var.Name = Required_Text(Child, u"textId"_s);
        if (const xml::TXMLNode Child = XmlVar.FindChild(u"Description"_s))
            App_Var.Description = Required_Text(Child, u"textId"_s);
        for (const String& TypeElement : {u"Datatype"_s, u"DatatypeRef"_s}) {
            if (const xml::TXMLNode Child = XmlVar.FindChild(TypeElement)) {
                auto Type = std::make_unique<TDataType>();
                Read_DataType(Child, *Type);
                App_Var.DataType = std::move(Type);
            }
        }
        ReadCollection(XmlVar, App_Var.RecordItemInfoList, [this](const xml::TXMLNode& Child, TRecordItemInfo& Info) {
            return Child.NodeName() == u"RecordItemInfo" && Read_RecordItemInfo(Child, Info);
        });
        return true;
    }
    if (Name == u"STDVARIABLEREF") {
        App_Var.VarType = vtStdVarRef;
        VarRef = true;
        App_Var.Id = GuardedText(XmlVar, u"id"_s);
        App_Var.DefaultValue = GuardedText(XmlVar, u"defaultValue"_s);
        App_Var.FixedLengthRestriction = GuardedInteger(XmlVar, u"fixedLengthRestriction"_s, 1);
        App_Var.ExcludedFromDataStorage = Flag(XmlVar, u"excludedFromDataStorage"_s);
        return true;
    }
    return false;
}

Boolean TIODD::Read_RecordItemInfo(const xml::TXMLNode& XmlRII, TRecordItemInfo& App_RII)
{
    if (UpperName(XmlRII) != u"RECORDITEMINFO")
        return false;
    App_RII.Subindex = GuardedInteger(XmlRII, u"subindex"_s, 0);
    App_RII.DefaultValue = GuardedText(XmlRII, u"defaultValue"_s);
    App_RII.ModifiesOtherVariables = Flag(XmlRII, u"modifiesOtherVariables"_s);
    App_RII.ExcludedFromDataStorage = Flag(XmlRII, u"excludedFromDataStorage"_s);
    return true;
}

// ------------------------------------------------------------ process data

Boolean TIODD::Read_ProfileBody_DeviceFunction_ProcessDataCollection(const xml::TXMLNode& DevFun)
{
    const xml::TXMLNode Collection = DevFun.FindChild(u"ProcessDataCollection"_s);
    if (!Collection)
        return false;
    ReadCollection(Collection, ProfileBody->DeviceFunction->ProcessDataCollection->ProcessData_List,
                   [this](const xml::TXMLNode& Item, TProcessData& Data) { return Read_ProcessData(Item, Data); });
    return true;
}

void TIODD::Read_ProcessDataInOut(const xml::TXMLNode& XmlIO, TProcessDataInOut& InOut)
{
    OptionalText(XmlIO, u"id"_s, InOut.Id);
    InOut.BitLength = Optional_Integer(XmlIO, u"bitLength"_s, InOut.BitLength);
    if (const xml::TXMLNode Name = XmlIO.FindChild(u"Name"_s))
        InOut.Name = Name.Text();
    for (const String& TypeElement : {u"Datatype"_s, u"DatatypeRef"_s})
        if (const xml::TXMLNode Child = XmlIO.FindChild(TypeElement))
            Read_DataType(Child, *InOut.DataType);
}

Boolean TIODD::Read_ProcessData(const xml::TXMLNode& XmlPD, TProcessData& App_PD)
{
    App_PD.Id = GuardedText(XmlPD, u"id"_s);
    if (const xml::TXMLNode Node = XmlPD.FindChild(u"Condition"_s)) {
        auto Condition = std::make_unique<TCondition>();
        OptionalText(Node, u"variableId"_s, Condition->VariableId);
        Condition->SubIndex = Optional_Integer(Node, u"subindex"_s, Condition->SubIndex);
        Condition->Value = Optional_Integer(Node, u"value"_s, Condition->Value);
        App_PD.Condition = std::move(Condition);
    }
    if (const xml::TXMLNode Node = XmlPD.FindChild(u"ProcessDataIn"_s)) {
        App_PD.ProcessDataIn = std::make_unique<TProcessDataInOut>();
        Read_ProcessDataInOut(Node, *App_PD.ProcessDataIn);
    }
    if (const xml::TXMLNode Node = XmlPD.FindChild(u"ProcessDataOut"_s)) {
        App_PD.ProcessDataOut = std::make_unique<TProcessDataInOut>();
        Read_ProcessDataInOut(Node, *App_PD.ProcessDataOut);
    }
    return true;
}

// ------------------------------------------------------------------ events

Boolean TIODD::Read_ProfileBody_DeviceFunction_EventCollection(const xml::TXMLNode& DevFun)
{
    const xml::TXMLNode Collection = DevFun.FindChild(u"EventCollection"_s);
    if (!Collection)
        return false;
    Read_EventList(Collection, *ProfileBody->DeviceFunction->EventCollection, false);
    return true;
}

Boolean TIODD::Read_Event(const xml::TXMLNode& XmlEVE, TEventReadResult& App_Event, Boolean& EventRef)
{
    EventRef = false;
    const String Name = UpperName(XmlEVE);
    if (Name == u"EVENT") {
        const Integer Code = GuardedInteger(XmlEVE, u"code"_s, -1);
        if (Code < 0 || !App_Event.Owned)
            return false;
        TEventData& Event = *App_Event.Owned;
        Event.Code = Code;
        OptionalText(XmlEVE, u"type"_s, Event.EventType);
        Event.Name = ChildTextId(XmlEVE, u"Name"_s);
        Event.Description = ChildTextId(XmlEVE, u"Description"_s);
        return true;
    }
    if (Name == u"STDEVENTREF") {
        EventRef = true;
        const Integer Code = GuardedInteger(XmlEVE, u"code"_s, -1);
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
    const xml::TXMLNode UserInt = DevFun.FindChild(u"UserInterface"_s);
    if (!UserInt)
        return false;
    return Read_ProfileBody_DeviceFunction_UserInterface_MenuCollection(UserInt);
}

Boolean TIODD::Read_ProfileBody_DeviceFunction_UserInterface_MenuCollection(const xml::TXMLNode& UserInt)
{
    const xml::TXMLNode Collection = UserInt.FindChild(u"MenuCollection"_s);
    if (!Collection)
        return false;
    ReadCollection(Collection, ProfileBody->DeviceFunction->UserInterface->MenuCollection->Menu_List,
                   [this](const xml::TXMLNode& Item, TMenu& Menu) { return Read_Menu(Item, Menu); });
    return true;
}

namespace {

template <class TRef>
void IoddReadMenuRef(const xml::TXMLNode& Node, TRef& Ref)
{
    OptionalText(Node, u"variableId"_s, Ref.VariableId);
    OptionalText(Node, u"gradient"_s, Ref.Gradient);
    OptionalText(Node, u"offset"_s, Ref.Offset);
    OptionalText(Node, u"unitCode"_s, Ref.UnitCode);
    OptionalText(Node, u"accessRightRestriction"_s, Ref.AccessRightRestriction);
    OptionalText(Node, u"displayFormat"_s, Ref.DisplayFormat);
}

} // namespace

Boolean TIODD::Read_Menu(const xml::TXMLNode& XmlMC, TMenu& App_Menu)
{
    App_Menu.Id = GuardedText(XmlMC, u"id"_s);
    ForEachItem(XmlMC, [&](const xml::TXMLNode& Child) {
        const String Name = Child.NodeName();
        if (Name == u"Name") {
            OptionalText(Child, u"textId"_s, App_Menu.Name);
        } else if (Name == u"VariableRef") {
            auto Ref = std::make_unique<TMenuVariableRef>();
            IoddReadMenuRef(Child, *Ref);
            App_Menu.MenuVariableRef_List.push_back(std::move(Ref));
        } else if (Name == u"RecordItemRef") {
            auto Ref = std::make_unique<TMenuRecordItemRef>();
            IoddReadMenuRef(Child, *Ref);
            OptionalText(Child, u"subindex"_s, Ref->SubIndex);
            App_Menu.MenuVariableRef_List.push_back(std::move(Ref));
        }
    });
    return true;
}

// --------------------------------------------------------- texts, physical

Boolean TIODD::Read_ExternalTextCollection()
{
    return Read_TextList(DeviceSection(u"ExternalTextCollection"_s), *ExtTextCol, false);
}

Boolean TIODD::Read_CommNetworkProfile()
{
    xml::TXMLNode Node = DeviceSection(u"CommNetworkProfile"_s);
    if (Node)
        Node = Node.FindChild(u"TransportLayers"_s);
    if (Node)
        Node = Node.FindChild(u"PhysicalLayer"_s);
    if (!Node)
        return false;
    TPhysicalLayer& P = *PhysicalLayer;
    String Text;
    const auto Optional = [&Text, &Node](const String& Name) {
        const std::optional<String> Value = Node.Attribute(Name);
        return Value ? (Text = *Value, true) : false;
    };
    if (Optional(u"bitrate"_s))
        P.SetBitRate(Text);
    if (Optional(u"baudrate"_s))
        P.SetBitRate(Text);
    if (Optional(u"minCycleTime"_s))
        P.SetMinCycleTime(Text);
    if (Optional(u"sioSupported"_s))
        P.SetSIOSupported(Text.toLower().trimmed() == u"true");
    if (Optional(u"mSequenceCapability"_s))
        P.SetMSequenceCapability(Text);
    return true;
}
