// Reading and writing "IOLink_SetAccess.xml". The file keeps only what the
// user set and what identifies the items; names, types and lengths come
// from the description file again on every load.
#include "iolink/UIO_Link_Set_Access.h"

#include "iolink/UIO_Link_Set_Access_Internal.h"
#include "shell/UComon.h"

using namespace Qt::StringLiterals;
using iolink_sa::BoolText;
using iolink_sa::IntDef;

namespace {

const String IOLinkVersionComment = u"SW_VERSION = "_s + C_SW_Version;

// A port names a description file that is not in the "IODD" folder.
constexpr const char* SIOLinkMissingIODD = "Channel #%.2d: IODD file \"%s\" not found; its settings are kept as stored";
// A load failed, so the file is kept as it is.
constexpr const char* SIOLinkNotOverwritten = "\"%s\" could not be read and is not overwritten: %s";

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

void IOLinkSetAttrs(xml::TXMLNode& Node, std::initializer_list<std::pair<const char*, String>> Attrs)
{
    for (const auto& [Name, Value] : Attrs)
        Node.SetAttribute(QString::fromLatin1(Name), Value);
}

TChannelStoredNode IOLinkStore(const xml::TXMLNode& Node)
{
    TChannelStoredNode Stored;
    switch (Node.NodeType()) {
    case xml::TNodeType::ntElement:
        Stored.Name = Node.NodeName();
        for (int I = 0; I < Node.AttributeCount(); ++I)
            Stored.Attributes.emplace_back(Node.AttributeName(I), Node.AttributeValue(I));
        for (xml::TXMLNode Child = Node.FirstChild(); Child; Child = Child.NextSibling())
            if (Child.NodeType() == xml::TNodeType::ntElement || Child.NodeType() == xml::TNodeType::ntText
                || Child.NodeType() == xml::TNodeType::ntCData || Child.NodeType() == xml::TNodeType::ntComment)
                Stored.Children.push_back(IOLinkStore(Child));
        break;
    case xml::TNodeType::ntComment:
        Stored.Kind = TChannelStoredNode::snComment;
        Stored.Text = Node.Text();
        break;
    default:
        Stored.Kind = TChannelStoredNode::snText;
        Stored.Text = Node.Text();
        break;
    }
    return Stored;
}

void IOLinkRestore(xml::TXMLNode& Parent, const TChannelStoredNode& Stored)
{
    switch (Stored.Kind) {
    case TChannelStoredNode::snElement: {
        xml::TXMLNode Node = Parent.AppendElement(Stored.Name);
        for (const auto& [Name, Value] : Stored.Attributes)
            Node.SetAttribute(Name, Value);
        for (const TChannelStoredNode& Child : Stored.Children)
            IOLinkRestore(Node, Child);
        break;
    }
    case TChannelStoredNode::snText: Parent.AppendText(Stored.Text); break;
    case TChannelStoredNode::snComment: Parent.AppendComment(Stored.Text); break;
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
        for (const TChannelStoredNode& Stored : *Ch.Stored_Elements)
            IOLinkRestore(Node, Stored);
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
    xml::TXMLDocument Doc;
    xml::TXMLNode Root = Doc.AppendElement(u"IO-Link"_s);
    Doc.AppendComment(IOLinkVersionComment);
    xml::TXMLNode List = Root.AppendElement(u"IO-Link_Channels"_s);
    for (const auto& Ch : Channels) {
        xml::TXMLNode Node = List.AppendElement(u"Channel"_s);
        IOLinkSaveChannel(Node, *Ch);
    }
    try {
        if (File_IOLink_SetAccess.isEmpty())
            throw EXMLError(u"No configuration is open"_s);
        Doc.SaveToFile(File_IOLink_SetAccess);
    } catch (const Exception& E) {
        Error(E.Message());
        return false;
    }
    return true;
}

// ------------------------------------------------------------------ reading

Boolean TIO_Link_Set_Access_Core::Load_Configuration()
{
    FLoad_Failed = false;
    FLoad_Error.clear();
    if (File_IOLink_SetAccess.isEmpty() || !FileExists(File_IOLink_SetAccess))
        return true;
    xml::TXMLDocument Doc;
    try {
        Doc.LoadFromFile(File_IOLink_SetAccess);
    } catch (const Exception& E) {
        // Saving now would replace the user's file with empty ports.
        FLoad_Failed = true;
        FLoad_Error = E.Message();
        Error(E.Message());
        return false;
    }
    const xml::TXMLNode Root = Doc.DocumentElement();
    const xml::TXMLNode List = Root ? Root.FindChild(u"IO-Link_Channels"_s) : xml::TXMLNode();
    if (!List)
        return true;
    // Ports beyond the variant's are not read; the next save drops them.
    Integer k = 0;
    Integer Counter = 0;
    for (xml::TXMLNode Node = List.FirstChild(); Node && k < Num_Channels; Node = Node.NextSibling()) {
        if (Node.NodeType() != xml::TNodeType::ntElement)
            continue;
        Load_Channel(k++, Node, Counter);
    }
    return true;
}

void TIO_Link_Set_Access_Core::Load_Channel(Integer k, const xml::TXMLNode& Node, Integer& Counter)
{
    TChannel_IOLink& Ch = Channel(k);
    Ch.IODD_File.clear();
    const xml::TXMLNode File = Node.FindChild(u"IODD_File"_s);
    if (!File)
        return;

    Ch.IODD_File = IOLinkAttr(File, "FileName");
    Integer Start = Counter;
    Integer FirstInEnd = Counter;
    if (!Ch.IODD_File.isEmpty()) {
        const String Found =
            IOLinkPlainFileName(Ch.IODD_File) ? FindExistingName(IODD_Folder(), Ch.IODD_File) : String();
        std::unique_ptr<TIODD> IODD;
        if (Found.isEmpty())
            Message(imkWarning, Format(SIOLinkMissingIODD, {k + 1, Ch.IODD_File}));
        else
            IODD = Decode(IODD_Folder() + u'/' + Found, imkWarning);
        if (IODD) {
            IODD_List[k] = std::move(IODD);
            Ch.Erase_Lists();
            Create_List_Variables(k);
            FirstInEnd = Create_List_ProcessDataIn(k, Start);
            const Integer OutEnd = Create_List_ProcessDataOut(k, FirstInEnd);
            Counter = Create_List_Event(k, OutEnd);
        }
    }

    const String Mode = IOLinkAttr(File, "Pin4Mode");
    Ch.Pin4Mode = (Mode == u"IO-Link" || Mode == u"DIn" || Mode == u"DOut") ? Mode : u"Disable"_s;
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
                    Stored.push_back(IOLinkStore(Child));
        });
        Ch.Stored_Elements = std::move(Stored);
    }
}

void TIO_Link_Set_Access_Core::Apply_Variables(Integer k, const xml::TXMLNode& Node)
{
    TChannel_IOLink& Ch = Channel(k);
    IOLinkForEachElement(Node.FindChild(u"Variables"_s), [&Ch](const xml::TXMLNode& V) {
        const Integer I = Ch.Get_Index(IOLinkAttr(V, "Index"), IOLinkAttr(V, "SubIndex"));
        if (I < 0)
            return;
        TVarObjValue& Var = *Ch.Var_List[I];
        Var.Value = IOLinkAttr(V, "Value");
        Var.Enable = IOLinkFlag(V, "Enable");
        Var.Position = IOLinkAttr(V, "Position");
        Var.Bit = IOLinkAttr(V, "Bit");
        Var.Time = IOLinkAttr(V, "Time");
        Var.On_CMD = IOLinkFlag(V, "On_CMD");
        Var.On_Change = IOLinkFlag(V, "On_Change");
        Var.On_Timer = IOLinkFlag(V, "On_Timer");
        Var.ReadTime = IOLinkAttr(V, "ReadTime");
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
    Ch.ProcDataCondition = Condition ? IntDef(Condition.Text(), 0) : 0;
    Ch.ProcessData_Erase();
    Create_List_ProcessDataIn(k, Start);
    Counter = Create_List_ProcessDataOut(k, FirstInEnd);

    // In records by position while the position holds the same process
    // data, else by key; out records by key.
    Integer N = 0;
    IOLinkForEachElement(ProcessData.FindChild(u"ProcessDataIn"_s), [&Ch, &N](const xml::TXMLNode& Record) {
        const String VarId = IOLinkAttr(Record, "VariableId");
        auto* List = Ch.PD_List(true);
        const Integer Position = N++;
        if (!List)
            return;
        if (static_cast<std::size_t>(Position) < List->size() && (*List)[Position]->variableId == VarId) {
            IOLinkApplyRecord(*(*List)[Position], Record);
            return;
        }
        const Integer I = Ch.PD_Get_Index(true, VarId, IOLinkAttr(Record, "SubIndex"));
        if (I >= 0)
            IOLinkApplyRecord(*(*List)[I], Record);
    });
    IOLinkForEachElement(ProcessData.FindChild(u"ProcessDataOut"_s), [&Ch](const xml::TXMLNode& Record) {
        const Integer I = Ch.PD_Get_Index(false, IOLinkAttr(Record, "VariableId"), IOLinkAttr(Record, "SubIndex"));
        if (I >= 0)
            IOLinkApplyRecord(*(*Ch.PD_List(false))[I], Record);
    });
}

void TIO_Link_Set_Access_Core::Apply_Events(Integer k, const xml::TXMLNode& Node)
{
    TChannel_IOLink& Ch = Channel(k);
    IOLinkForEachElement(Node.FindChild(u"Events"_s), [&Ch](const xml::TXMLNode& E) {
        const Integer I = Ch.Event_Get_Index(IntDef(IOLinkAttr(E, "Code"), -1));
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
