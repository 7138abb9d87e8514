// Reading and writing "IOLink_SetAccess.xml". The file keeps only what the
// user set and what identifies the items; names, types and lengths come
// from the description file again on every load.
#include "iolink/UIO_Link_Set_Access.h"

#include "iolink/UIO_Link_Set_Access_Internal.h"
#include "shell/UComon.h"

#include <QFileInfo>
#include <QHash>
#include <QScopeGuard>

#include <cstring>
#include <optional>
#include <utility>

using namespace Qt::StringLiterals;
using iolink_sa::BoolText;
using iolink_sa::IntDef;

namespace {

const String IOLinkVersionComment = u"SW_VERSION = "_s + C_SW_Version;

// A port names a description file that is not in the "IODD" folder, or
// one that cannot be used.
constexpr const char* SIOLinkMissingIODD = "Channel #%.2d: IODD file \"%s\" not found; its settings are kept as stored";
constexpr const char* SIOLinkKeptAsStored = "Channel #%.2d: %s; its settings are kept as stored";
// A file whose shape would lose ports or their data when read.
constexpr const char* SIOLinkUnreadable = "\"%s\" cannot be read: %s";
// A load failed, so the file is kept as it is.
constexpr const char* SIOLinkNotOverwritten = "\"%s\" could not be read and is not overwritten: %s";

[[noreturn]] void IOLinkUnreadable(const String& What)
{
    throw EXMLError(Format(SIOLinkUnreadable, {File_IOLink_SetAccess, What}));
}

// Elements of a channel that hold the description's items.
const char* const IOLinkItemElements[] = {"Variables", "ProcessData", "Events"};

template <class TFn>
void IOLinkForEachElement(const xml::TXMLNode& Parent, TFn Fn)
{
    for (xml::TXMLNode Child = Parent.FirstChild(); Child; Child = Child.NextSibling())
        if (Child.NodeType() == xml::TNodeType::ntElement)
            Fn(Child);
}

String IOLinkAttr(const xml::TXMLNode& Node, const char* Name, const String& Default = String())
{
    return Node.Attribute(Name).value_or(Default);
}

Boolean IOLinkFlag(const xml::TXMLNode& Node, const char* Name)
{
    return Node.Attribute(Name) == u"True"_s;
}

// The same for a value looked up already (null when missing).
String IOLinkAttr(const char* Value) { return Value ? String::fromUtf8(Value) : String(); }

Boolean IOLinkFlag(const char* Value) { return Value && std::strcmp(Value, "True") == 0; }

void IOLinkSetAttrs(xml::TXMLNode& Node, std::initializer_list<std::pair<const char*, String>> Attrs)
{
    for (const auto& [Name, Value] : Attrs)
        Node.SetAttribute(QString::fromLatin1(Name), Value);
}

bool IOLinkKeptNode(const xml::TXMLNode& Node)
{
    switch (Node.NodeType()) {
    case xml::TNodeType::ntElement:
    case xml::TNodeType::ntText:
    case xml::TNodeType::ntCData:
    case xml::TNodeType::ntComment: return true;
    default: return false;
    }
}

// A kept node must be written back as it was read; a name or comment the
// document would refuse to write makes the file one not to replace.
const String& IOLinkWritable(const String& Text, bool Writable)
{
    if (!Writable)
        IOLinkUnreadable(Format("it holds \"%s\", which cannot be written back", {Text}));
    return Text;
}

TChannelStoredNode IOLinkStoredNode(const xml::TXMLNode& Node, int Depth)
{
    TChannelStoredNode Stored;
    Stored.Depth = Depth;
    switch (Node.NodeType()) {
    case xml::TNodeType::ntElement:
        Stored.Name = IOLinkWritable(Node.NodeName(), xml::IsName(Node.NodeName()));
        for (int I = 0; I < Node.AttributeCount(); ++I) {
            const String Name = Node.AttributeName(I);
            Stored.Attributes.emplace_back(IOLinkWritable(Name, xml::IsName(Name)), Node.AttributeValue(I));
        }
        break;
    case xml::TNodeType::ntComment:
        Stored.Kind = TChannelStoredNode::snComment;
        Stored.Text = IOLinkWritable(Node.Text(), xml::IsCommentText(Node.Text()));
        break;
    default:
        Stored.Kind = TChannelStoredNode::snText;
        Stored.Text = Node.Text();
        break;
    }
    return Stored;
}

// Top and everything below it, in document order, without recursion.
void IOLinkStore(const xml::TXMLNode& Top, std::vector<TChannelStoredNode>& Into)
{
    xml::TXMLNode Node = Top;
    int Depth = 0;
    for (;;) {
        const bool Kept = IOLinkKeptNode(Node);
        if (Kept)
            Into.push_back(IOLinkStoredNode(Node, Depth));
        if (const xml::TXMLNode Child = Kept ? Node.FirstChild() : xml::TXMLNode()) {
            Node = Child;
            ++Depth;
            continue;
        }
        while (Depth > 0 && !Node.NextSibling()) {
            Node = Node.Parent();
            --Depth;
        }
        if (Depth == 0)
            return;
        Node = Node.NextSibling();
    }
}

// The stored nodes appended below Channel, without recursion.
void IOLinkRestore(xml::TXMLNode& Channel, const std::vector<TChannelStoredNode>& Stored)
{
    // Parents[d] takes the nodes of depth d.
    std::vector<xml::TXMLNode> Parents{Channel};
    for (const TChannelStoredNode& Node : Stored) {
        xml::TXMLNode& Parent = Parents.at(Node.Depth);
        switch (Node.Kind) {
        case TChannelStoredNode::snElement: {
            xml::TXMLNode Element = Parent.AppendElement(Node.Name);
            for (const auto& [Name, Value] : Node.Attributes)
                Element.SetAttribute(Name, Value);
            Parents.resize(Node.Depth + 1);
            Parents.push_back(Element);
            break;
        }
        case TChannelStoredNode::snText: Parent.AppendText(Node.Text); break;
        case TChannelStoredNode::snComment: Parent.AppendComment(Node.Text); break;
        }
    }
}

// A stored file name that is a plain name, not a path out of the folder.
bool IOLinkPlainFileName(const String& Name)
{
    return !Name.isEmpty() && Name != u"." && Name != u".." && !Name.contains(u'/') && !Name.contains(u'\\');
}

void IOLinkSaveChannel(xml::TXMLNode& Node, const TChannel_IOLink& Ch)
{
    xml::TXMLNode File = Node.AppendElement(u"IODD_File"_s);
    IOLinkSetAttrs(File, {
                             {"FileName", Ch.IODD_File},
                             {"Pin4Mode", Ch.Pin4Mode},
                             {"ReadPin2", Ch.ReadPin2},
                             {"Pin2Pos", Ch.Pin2_Pos},
                             {"Pin2Bit", Ch.Pin2_Bit},
                             {"Pin2Inv", Ch.Pin2_Inv},
                             {"Pin2InType", Ch.Pin2_In_Type},
                             {"Pin2Mne", Ch.Pin2_Mne},
                             {"Pin4Pos", Ch.Pin4_Pos},
                             {"Pin4Bit", Ch.Pin4_Bit},
                             {"Pin4Inv", Ch.Pin4_Inv},
                             {"Pin4Mne", Ch.Pin4_Mne},
                             {"TimeOut", Ch.TimeOut},
                         });
    if (Ch.IODD_File.isEmpty())
        return;
    if (Ch.Stored_Elements) {
        IOLinkRestore(Node, *Ch.Stored_Elements);
        return;
    }

    xml::TXMLNode Variables = Node.AppendElement(u"Variables"_s);
    for (const auto& Var : Ch.Var_List) {
        xml::TXMLNode V = Variables.AppendElement(u"Variable"_s);
        IOLinkSetAttrs(V, {
                              {"Enable", BoolText(Var->Enable)},
                              {"Index", Var->Index},
                              {"SubIndex", Var->SubIndex},
                              {"Value", Var->Value},
                              {"Position", Var->Position},
                              {"Bit", Var->Bit},
                              {"Time", Var->Time},
                              {"On_CMD", BoolText(Var->On_CMD)},
                              {"On_Change", BoolText(Var->On_Change)},
                              {"On_Timer", BoolText(Var->On_Timer)},
                              {"Length", Var->Dimension},
                              {"Access", Var->Access},
                              {"ReadTime", Var->ReadTime},
                              {"Total_bit_length", Var->total_bit_length},
                              {"SubindexAccessSupported", Var->subindexAccessSupported},
                              {"Bit_offset", Var->bit_offset},
                          });
    }

    xml::TXMLNode ProcessData = Node.AppendElement(u"ProcessData"_s);
    ProcessData.AppendElement(u"processDataCondition"_s).SetText(IntToStr(Ch.ProcDataCondition));
    for (const Boolean PdIn : {true, false}) {
        const auto* List = Ch.PD_List(PdIn);
        if (!List)
            continue;
        xml::TXMLNode Records = ProcessData.AppendElement(PdIn ? u"ProcessDataIn"_s : u"ProcessDataOut"_s);
        for (const auto& Item : *List) {
            xml::TXMLNode R = Records.AppendElement(u"PD_Record"_s);
            IOLinkSetAttrs(R, {
                                  {"VariableId", Item->variableId},
                                  {"SubIndex", Item->SubIndex},
                                  {"BitLength", Item->BitLength},
                                  {"Gradient", Item->gradient},
                                  {"Offset", Item->offset},
                                  {"UnitCode", Item->unitCode},
                                  {"Position", Item->position},
                                  {"Bit", Item->bit},
                                  {"BitOffset", Item->BitOffset},
                              });
        }
    }

    xml::TXMLNode Events = Node.AppendElement(u"Events"_s);
    for (const auto& Event : Ch.Event_List) {
        xml::TXMLNode E = Events.AppendElement(u"Event"_s);
        IOLinkSetAttrs(E, {
                              {"Enable", BoolText(Event->Enable)},
                              {"Code", IntToStr(Event->RealCode)},
                              {"TimeOut", Event->TimeOut},
                              {"Position", Event->Position},
                              {"Bit", Event->Bit},
                              {"Mnemonic", Event->Mnemonic},
                          });
    }
}

// The values a stored "PD_Record" gives an item.
void IOLinkApplyRecord(TProcDataObjValue& Item, const xml::TXMLNode& Record)
{
    Item.gradient = IOLinkAttr(Record, "Gradient");
    Item.offset = IOLinkAttr(Record, "Offset");
    Item.unitCode = IOLinkAttr(Record, "UnitCode");
    Item.position = IOLinkAttr(Record, "Position");
    Item.bit = IOLinkAttr(Record, "Bit");
}

} // namespace

// ------------------------------------------------------------------ writing

Boolean TIO_Link_Set_Access_Core::Save_Configuration()
{
    if (FLoad_Failed) {
        Error(Format(SIOLinkNotOverwritten, {File_IOLink_SetAccess, FLoad_Error}));
        return false;
    }
    try {
        xml::TXMLDocument Doc;
        xml::TXMLNode Root = Doc.AppendElement(u"IO-Link"_s);
        Doc.AppendComment(IOLinkVersionComment);
        xml::TXMLNode List = Root.AppendElement(u"IO-Link_Channels"_s);
        for (const auto& Ch : Channels) {
            xml::TXMLNode Node = List.AppendElement(u"Channel"_s);
            IOLinkSaveChannel(Node, *Ch);
        }
        if (File_IOLink_SetAccess.isEmpty())
            throw EXMLError(u"No configuration is open"_s);
        Doc.SaveToFile(File_IOLink_SetAccess, {}, Path_Project);
    } catch (const Exception& E) {
        Error(E.Message());
        return false;
    }
    return true;
}

// ------------------------------------------------------------------ reading

namespace {

// The list of ports of a loaded file; a file of another shape is not one
// to read, nor to replace.
xml::TXMLNode IOLinkChannelList(const xml::TXMLDocument& Doc)
{
    const xml::TXMLNode Root = Doc.DocumentElement();
    if (Root.NodeName() != u"IO-Link")
        IOLinkUnreadable(Format("its root element is \"%s\", not \"IO-Link\"", {Root.NodeName()}));
    const xml::TXMLNode List = Root.FindChild(u"IO-Link_Channels"_s);
    if (!List)
        IOLinkUnreadable(u"it has no \"IO-Link_Channels\""_s);
    return List;
}

// The positions of the entries of a list by their key, so that applying a
// file looks each stored item up at once. They are handed out in list
// order: the n-th stored item of a key goes to the n-th entry of that key,
// so entries that share a key (a description may repeat one) each keep
// their stored values.
template <class TKey>
class TIOLinkPositions {
public:
    template <class TList, class TKeyOf>
    TIOLinkPositions(const TList& List, TKeyOf KeyOf)
    {
        FPositions.reserve(qsizetype(List.size()));
        for (std::size_t I = 0; I < List.size(); ++I)
            FPositions[KeyOf(*List[I])].first.append(Integer(I));
    }
    // The next entry of Key; -1 when there is none left.
    Integer Take(const TKey& Key)
    {
        const auto It = FPositions.find(Key);
        if (It == FPositions.end() || It->second >= It->first.size())
            return -1;
        return It->first.at(It->second++);
    }

private:
    QHash<TKey, std::pair<QList<Integer>, qsizetype>> FPositions;
};

template <class TList, class TKeyOf>
auto IOLinkPositions(const TList& List, TKeyOf KeyOf)
{
    return TIOLinkPositions<decltype(KeyOf(*List.front()))>(List, KeyOf);
}

} // namespace

Boolean TIO_Link_Set_Access_Core::Load_Configuration()
{
    FLoad_Failed = false;
    FLoad_Error.clear();
    FDescription_Errors.assign(Channels.size(), String());
    // An empty file holds nothing to lose.
    if (File_IOLink_SetAccess.isEmpty() || !FileExists(File_IOLink_SetAccess)
        || QFileInfo(File_IOLink_SetAccess).size() == 0)
        return true;
    // A later load reads the files again: they may have changed.
    const auto Forget = qScopeGuard([this] { FLoaded_Descriptions.clear(); });
    try {
        xml::TXMLDocument Doc;
        Doc.LoadFromFile(File_IOLink_SetAccess);
        const xml::TXMLNode List = IOLinkChannelList(Doc);
        // Ports beyond the variant's are not read; the next save drops them.
        Integer k = 0;
        Integer Counter = 0;
        for (xml::TXMLNode Node = List.FirstChild(); Node && k < Num_Channels; Node = Node.NextSibling())
            if (Node.NodeType() == xml::TNodeType::ntElement && Node.NodeName() == u"Channel")
                Load_Channel(k++, Node, Counter);
    } catch (const Exception& E) {
        // Saving now would replace the user's file with empty ports.
        FLoad_Failed = true;
        FLoad_Error = E.Message();
        Error(E.Message());
        return false;
    }
    return true;
}

String TIO_Link_Set_Access_Core::IODD_File_Path(const String& Name)
{
    if (!IOLinkPlainFileName(Name))
        return String();
    const String Found = FindExistingName(IODD_Folder(), Name);
    return Found.isEmpty() ? String() : IODD_Folder() + u'/' + Found;
}

String TIO_Link_Set_Access_Core::Description_Error(Integer index) const
{
    return index >= 0 && std::size_t(index) < FDescription_Errors.size() ? FDescription_Errors[index] : String();
}

std::shared_ptr<TIODD> TIO_Link_Set_Access_Core::Load_Description(Integer k, const String& FileName)
{
    const String Path = IODD_File_Path(FileName);
    if (Path.isEmpty()) {
        Message(imkWarning, Format(SIOLinkMissingIODD, {k + 1, FileName}));
        return nullptr;
    }
    const auto [Loaded, New] = FLoaded_Descriptions.try_emplace(Path);
    TLoadedDescription& Description = Loaded->second;
    if (New) {
        try {
            std::unique_ptr<TIODD> IODD = Decode(Path);
            if (const String TooLarge = Lists_Size_Error(IODD.get(), 0); !TooLarge.isEmpty())
                throw EIODDError(TooLarge);
            Description.IODD = std::move(IODD);
        } catch (const Exception& E) {
            Description.Error = E.Message();
        }
    }
    if (!Description.IODD) {
        FDescription_Errors[k] = Description.Error;
        Message(imkWarning, Format(SIOLinkKeptAsStored, {k + 1, Description.Error}));
    }
    return Description.IODD;
}

void TIO_Link_Set_Access_Core::Load_Channel(Integer k, const xml::TXMLNode& Node, Integer& Counter)
{
    TChannel_IOLink& Ch = Channel(k);
    Ch.IODD_File.clear();
    const xml::TXMLNode File = Node.FindChild(u"IODD_File"_s);
    if (!File)
        return;

    // A mode that is none of the four is kept by no port: reading it as
    // "Disable" would drop the port from the device.
    const std::optional<String> Mode = File.Attribute("Pin4Mode");
    if (Mode && *Mode != u"Disable" && *Mode != u"IO-Link" && *Mode != u"DIn" && *Mode != u"DOut")
        IOLinkUnreadable(Format("channel #%.2d has the unknown Pin 4 mode \"%s\"", {k + 1, *Mode}));
    Ch.Pin4Mode = Mode.value_or(u"Disable"_s);
    Ch.IODD_File = IOLinkAttr(File, "FileName");
    Integer Start = Counter;
    Integer FirstInEnd = Counter;
    if (!Ch.IODD_File.isEmpty()) {
        if (std::shared_ptr<TIODD> IODD = Load_Description(k, Ch.IODD_File)) {
            IODD_List[k] = std::move(IODD);
            Ch.Erase_Lists();
            Create_List_Variables(k);
            FirstInEnd = Create_List_ProcessDataIn(k, Start);
            const Integer OutEnd = Create_List_ProcessDataOut(k, FirstInEnd);
            Counter = Create_List_Event(k, OutEnd);
        }
    }

    Ch.ReadPin2 = IOLinkAttr(File, "ReadPin2", u"N"_s);
    Ch.Pin2_Pos = IOLinkAttr(File, "Pin2Pos");
    Ch.Pin2_Bit = IOLinkAttr(File, "Pin2Bit");
    Ch.Pin2_Inv = IOLinkAttr(File, "Pin2Inv", u"N"_s);
    Ch.Pin2_In_Type = IOLinkAttr(File, "Pin2InType", u"None"_s);
    Ch.Pin2_Mne = IOLinkAttr(File, "Pin2Mne");
    Ch.Pin4_Pos = IOLinkAttr(File, "Pin4Pos");
    Ch.Pin4_Bit = IOLinkAttr(File, "Pin4Bit");
    Ch.Pin4_Inv = IOLinkAttr(File, "Pin4Inv", u"N"_s);
    Ch.Pin4_Mne = IOLinkAttr(File, "Pin4Mne");
    Ch.TimeOut = IOLinkAttr(File, "TimeOut");

    if (IODD_List[k]) {
        Apply_Variables(k, Node);
        Apply_ProcessData(k, Node, Start, FirstInEnd, Counter);
        Apply_Events(k, Node);
    } else if (!Ch.IODD_File.isEmpty()) {
        // Kept to be written back while the port names the same file.
        std::vector<TChannelStoredNode> Stored;
        IOLinkForEachElement(Node, [&Stored](const xml::TXMLNode& Child) {
            for (const char* Name : IOLinkItemElements)
                if (Child.NodeName() == QLatin1String(Name))
                    IOLinkStore(Child, Stored);
        });
        Ch.Stored_Elements = std::move(Stored);
    }
}

void TIO_Link_Set_Access_Core::Apply_Variables(Integer k, const xml::TXMLNode& Node)
{
    TChannel_IOLink& Ch = Channel(k);
    auto Positions =
        IOLinkPositions(Ch.Var_List, [](const TVarObjValue& V) { return std::pair(V.Index, V.SubIndex); });
    // A variable element carries sixteen attributes: they are read in one
    // walk, not looked up one by one.
    enum { aIndex, aSubIndex, aValue, aEnable, aPosition, aBit, aTime, aOnCMD, aOnChange, aOnTimer, aReadTime, aCount };
    static constexpr const char* Names[aCount] = {"Index", "SubIndex", "Value",     "Enable",   "Position", "Bit",
                                                  "Time",  "On_CMD",   "On_Change", "On_Timer", "ReadTime"};
    IOLinkForEachElement(Node.FindChild(u"Variables"_s), [&Ch, &Positions](const xml::TXMLNode& V) {
        const char* A[aCount];
        V.AttributesUtf8(Names, A, aCount);
        const Integer I = Positions.Take(std::pair(IOLinkAttr(A[aIndex]), IOLinkAttr(A[aSubIndex])));
        if (I < 0)
            return;
        TVarObjValue& Var = *Ch.Var_List[I];
        Var.Value = IOLinkAttr(A[aValue]);
        Var.Enable = IOLinkFlag(A[aEnable]);
        Var.Position = IOLinkAttr(A[aPosition]);
        Var.Bit = IOLinkAttr(A[aBit]);
        Var.Time = IOLinkAttr(A[aTime]);
        Var.On_CMD = IOLinkFlag(A[aOnCMD]);
        Var.On_Change = IOLinkFlag(A[aOnChange]);
        Var.On_Timer = IOLinkFlag(A[aOnTimer]);
        Var.ReadTime = IOLinkAttr(A[aReadTime]);
    });
}

void TIO_Link_Set_Access_Core::Apply_ProcessData(Integer k, const xml::TXMLNode& Node, Integer Start,
                                                 Integer FirstInEnd, Integer& Counter)
{
    const xml::TXMLNode ProcessData = Node.FindChild(u"ProcessData"_s);
    if (!ProcessData)
        return;
    TChannel_IOLink& Ch = Channel(k);
    const xml::TXMLNode Condition = ProcessData.FindChild(u"processDataCondition"_s);
    Ch.ProcDataCondition = 0;
    if (Condition) {
        // An alternative the description does not have would lose the
        // stored process data.
        const Integer Stored = IntDef(Condition.Text(), -1);
        if (!Has_Alternative(k, Stored))
            IOLinkUnreadable(Format("channel #%.2d names the process data alternative \"%s\", which \"%s\" lacks",
                                    {k + 1, Condition.Text(), Ch.IODD_File}));
        Ch.ProcDataCondition = Stored;
    }
    Ch.ProcessData_Erase();
    Create_List_ProcessDataIn(k, Start);
    Counter = Create_List_ProcessDataOut(k, FirstInEnd);

    const auto KeyOf = [](const TProcDataObjValue& Item) { return std::pair(Item.variableId, Item.SubIndex); };
    const auto KeyOfRecord = [](const xml::TXMLNode& Record) {
        return std::pair(IOLinkAttr(Record, "VariableId"), IOLinkAttr(Record, "SubIndex"));
    };
    // In records by position while the position holds the same process
    // data, else by key; out records by key.
    if (auto* List = Ch.PD_List(true)) {
        auto Positions = IOLinkPositions(*List, KeyOf);
        Integer N = 0;
        IOLinkForEachElement(ProcessData.FindChild(u"ProcessDataIn"_s), [&](const xml::TXMLNode& Record) {
            const Integer Position = N++;
            if (std::size_t(Position) < List->size()
                && (*List)[Position]->variableId == IOLinkAttr(Record, "VariableId")) {
                IOLinkApplyRecord(*(*List)[Position], Record);
                return;
            }
            if (const Integer I = Positions.Take(KeyOfRecord(Record)); I >= 0)
                IOLinkApplyRecord(*(*List)[I], Record);
        });
    }
    if (auto* List = Ch.PD_List(false)) {
        auto Positions = IOLinkPositions(*List, KeyOf);
        IOLinkForEachElement(ProcessData.FindChild(u"ProcessDataOut"_s), [&](const xml::TXMLNode& Record) {
            if (const Integer I = Positions.Take(KeyOfRecord(Record)); I >= 0)
                IOLinkApplyRecord(*(*List)[I], Record);
        });
    }
}

void TIO_Link_Set_Access_Core::Apply_Events(Integer k, const xml::TXMLNode& Node)
{
    TChannel_IOLink& Ch = Channel(k);
    auto Positions = IOLinkPositions(Ch.Event_List, [](const TEventObjValue& E) { return E.RealCode; });
    IOLinkForEachElement(Node.FindChild(u"Events"_s), [&Ch, &Positions](const xml::TXMLNode& E) {
        const Integer I = Positions.Take(IntDef(IOLinkAttr(E, "Code"), -1));
        if (I < 0)
            return;
        TEventObjValue& Event = *Ch.Event_List[I];
        Event.Enable = IOLinkFlag(E, "Enable");
        Event.TimeOut = IOLinkAttr(E, "TimeOut", u"1000"_s);
        Event.Position = IOLinkAttr(E, "Position", u"0"_s);
        Event.Bit = IOLinkAttr(E, "Bit", u"0"_s);
        Event.Mnemonic = IOLinkAttr(E, "Mnemonic", u"0"_s);
    });
}
