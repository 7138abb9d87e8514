// "bank2.bin": the IO-Link channel image, headers then lists, from 0x80000.
#include "iolink/USaveBincc.h"

#include "iolink/BinWriter.h"
#include "iolink/USaveBincc_Fields.h"
#include "iolink/UIOLink_Channel.h"
#include "iolink/UIO_Link_Set_Access.h"
#include "iolink/UIOLink_IODD_Decode.h"
#include "shell/UComon.h"

namespace {

constexpr qsizetype Bin_Header_Size = 56;
constexpr qsizetype Bin_Param_Size = 36;
constexpr qsizetype Bin_ProData_Size = 24;
constexpr qsizetype Bin_Event_Size = 12;

void Bin_Put_Header(TBinWriter& W, const TIO_Link_Channel_Header& H)
{
    W.U8(H.BitRate).U8(H.Num_Param).U8(H.Num_ProDataIn).U8(H.Num_ProDataOut).U8(H.Pin2_In_Type);
    W.Zeros(9);
    W.U16(H.TimeOut).U32(H.MinCycleTime);
    W.U32(H.Addr_Param).U32(H.Addr_ProDataIn).U32(H.Addr_ProDataOut);
    W.I32(H.Channel);
    W.U8(H.Read_Pin2).U8(H.Pin4_Mode);
    W.U16(H.Pin2_Pos).U16(H.Pin4_Pos).U16(H.Pin2_Bit).U16(H.Pin4_Bit);
    W.U8(H.Pin2_Inv).U8(H.Pin4_Inv);
    W.U32(H.Num_Events).U32(H.Addr_Events);
}

void Bin_Put_Param(TBinWriter& W, const TIO_Link_Parameter& P)
{
    W.U16(P.index).U8(P.subindex).U8(P.options).U32(P.value);
    W.U16(P.position).U16(P.bit_address).U32(P.bit_length).U32(P.time).U32(P.counter);
    W.U32(P.total_bit_length).U8(P.subindexAccessSupported).U8(P.spare).U16(P.readtime);
    W.U32(P.bit_offset);
}

void Bin_Put_ProData(TBinWriter& W, const TIO_Link_Process_Data& D)
{
    W.F32(D.gradient).U16(D.unit_code).U16(D.options).U32(D.BitOffset).U32(D.offset).U32(D.bit_length);
    W.U16(D.Position).U16(D.Bit);
}

void Bin_Put_Event(TBinWriter& W, const TIO_Link_Event& E)
{
    W.U32(E.time).U16(E.code).U16(E.position).U8(E.bit_address).Zeros(3);
}

qsizetype Bin_Lists_Size(const TIO_Link_List_Param_ProcessData& L)
{
    return qsizetype(L.List_Param.size()) * Bin_Param_Size +
           qsizetype(L.List_ProDataIn.size() + L.List_ProDataOut.size()) * Bin_ProData_Size +
           qsizetype(L.List_Events.size()) * Bin_Event_Size;
}

void Bin_Put_Lists(TBinWriter& W, const TIO_Link_List_Param_ProcessData& L)
{
    for (const TIO_Link_Parameter& P : L.List_Param)
        Bin_Put_Param(W, P);
    for (const TIO_Link_Process_Data& D : L.List_ProDataIn)
        Bin_Put_ProData(W, D);
    for (const TIO_Link_Process_Data& D : L.List_ProDataOut)
        Bin_Put_ProData(W, D);
    for (const TIO_Link_Event& E : L.List_Events)
        Bin_Put_Event(W, E);
}

[[noreturn]] void Bin_Channel_Error(int Port, const String& What)
{
    throw ESaveBinError(Format("Error in Channel #%.2d!! %s", {Port, What}));
}

Byte Bin_Header_Count(std::size_t Count, int Port, const char* List)
{
    // The header holds these counts in one byte each.
    if (Count > 255)
        Bin_Channel_Error(Port, Format("%d %s entries; the device takes at most 255", {qint64(Count), List}));
    return Byte(Count);
}

// The numbers of one item of a port into image fields; a number outside
// its field raises ESaveBinError naming the port, the item, the attribute
// and the number. The item's text is made only then: an image has
// thousands of items.
template <class TItemText>
class TBin_Item {
public:
    TBin_Item(int Port, TItemText ItemText) : FPort(Port), FItemText(std::move(ItemText)) {}

    // Unreadable when the text is no integer (0 unless stated otherwise).
    template <class T>
    T Number(const String& Text, const char* Attribute, Int64 Unreadable = 0,
             savebin::TFieldSign Sign = savebin::TFieldSign::Unsigned) const
    {
        return savebin::Field<T>(Text, Unreadable, Sign, [this, Attribute] {
            return Format("Error in Channel #%.2d!! %s\"%s\"", {FPort, FItemText(), Attribute});
        });
    }
    template <class T>
    T Number(Integer Value, const char* Attribute) const
    {
        return Number<T>(IntToStr(Value), Attribute);
    }

private:
    int FPort;
    TItemText FItemText;
};

Byte Bin_Flag(const String& YesNo) { return YesNo == u"Y" ? 1 : 0; }

TIO_Link_Parameter Bin_Param(const TVarObjValue& V, int Port)
{
    const TBin_Item F(Port, [&V] { return Format("Variable Index %s SubIndex %s, ", {V.Index, V.SubIndex}); });
    TIO_Link_Parameter P;
    P.index = F.Number<Word>(V.Index, "Index");
    P.subindex = F.Number<Byte>(V.SubIndex, "SubIndex");
    const String Access = Trim(V.Access).toUpper();
    P.options = Byte((V.On_Change ? 1 : 0) | (V.On_CMD ? 2 : 0) | (V.On_Timer ? 4 : 0) |
                     (Access == u"READ WRITE" || Access == u"WRITE ONLY" ? 8 : 0));
    P.value = F.Number<Cardinal>(V.Value, "Value", 0, savebin::TFieldSign::EitherSign);
    P.position = F.Number<Word>(V.Position, "Position");
    P.bit_address = F.Number<Word>(V.Bit, "Bit");
    P.bit_length = F.Number<Cardinal>(V.Dimension, "Length");
    P.time = F.Number<Cardinal>(V.Time, "Time", 1000);
    P.total_bit_length = F.Number<Cardinal>(V.total_bit_length, "Total_bit_length");
    P.subindexAccessSupported = F.Number<Byte>(V.subindexAccessSupported, "SubindexAccessSupported");
    P.readtime = F.Number<Word>(V.ReadTime, "ReadTime");
    P.bit_offset = F.Number<Cardinal>(V.bit_offset, "Bit_offset");
    return P;
}

TIO_Link_Process_Data Bin_ProData(const TProcDataObjValue& Item, int Port)
{
    const TBin_Item F(Port,
                      [&Item] { return Format("PD_Record %s SubIndex %s, ", {Item.variableId, Item.SubIndex}); });
    TIO_Link_Process_Data D;
    // Check_Float gives 1.0 for a text it cannot read.
    Check_Float(Item.gradient, Get_Decimal_Separator(), D.gradient);
    // "-1", the unit code of an item without a unit, is 0xFFFF.
    D.unit_code = F.Number<Word>(Item.unitCode, "UnitCode", 0, savebin::TFieldSign::EitherSign);
    D.BitOffset = F.Number<Cardinal>(Item.BitOffset, "BitOffset");
    D.offset = F.Number<Cardinal>(Item.offset, "Offset", 0, savebin::TFieldSign::EitherSign);
    D.bit_length = F.Number<Cardinal>(Item.BitLength, "BitLength", 1);
    D.Position = F.Number<Word>(Item.position, "Position");
    D.Bit = F.Number<Word>(Item.bit, "Bit");
    return D;
}

TIO_Link_Event Bin_Event(const TEventObjValue& E, int Port)
{
    const TBin_Item F(Port, [&E] { return Format("Event Code %s, ", {E.Code}); });
    TIO_Link_Event Event;
    Event.time = F.Number<Cardinal>(E.TimeOut, "TimeOut");
    Event.code = F.Number<Word>(E.RealCode, "Code");
    Event.position = F.Number<Word>(E.Position, "Position");
    Event.bit_address = F.Number<Byte>(E.Bit, "Bit");
    return Event;
}

} // namespace

Cardinal Used_Channels(const TIO_Link_Channels& Channels)
{
    Cardinal N = 0;
    for (const TIO_Link_Channel_Header& H : Channels.Header)
        N += H.Channel > 0 ? 1 : 0;
    return N;
}

QByteArray Bank2_Bytes(TIO_Link_Channels& Channels)
{
    const Cardinal Used = Used_Channels(Channels);
    // The zero lists of the ports not in use trail the image.
    const qsizetype Trail = qsizetype(Max_Bin_Channels - Used) * Bin_Lists_Size(TIO_Link_List_Param_ProcessData());
    qsizetype Total = qsizetype(Used) * Bin_Header_Size + Trail;
    int Largest = -1;
    for (int K = 0; K < Max_Bin_Channels; ++K) {
        if (Channels.Header[K].Channel <= 0)
            continue;
        const qsizetype Size = Bin_Lists_Size(Channels.Lists[K]);
        Total += Size;
        if (Largest < 0 || Size > Bin_Lists_Size(Channels.Lists[Largest]))
            Largest = K;
    }
    // The port with the longest lists is the one to cut down.
    if (Total > Bank2_Buffer_Size)
        Bin_Channel_Error(Largest + 1, Format("The IO-Link image would take %d bytes, the device has %d",
                                              {Total, Bank2_Buffer_Size}));
    qsizetype A = qsizetype(Used) * Bin_Header_Size;
    for (int K = 0; K < Max_Bin_Channels; ++K) {
        TIO_Link_Channel_Header& H = Channels.Header[K];
        if (H.Channel <= 0)
            continue;
        const TIO_Link_List_Param_ProcessData& L = Channels.Lists[K];
        H.Addr_Param = Bank2_Address + Cardinal(A);
        A += qsizetype(L.List_Param.size()) * Bin_Param_Size;
        H.Addr_ProDataIn = Bank2_Address + Cardinal(A);
        A += qsizetype(L.List_ProDataIn.size()) * Bin_ProData_Size;
        H.Addr_ProDataOut = Bank2_Address + Cardinal(A);
        A += qsizetype(L.List_ProDataOut.size()) * Bin_ProData_Size;
        H.Addr_Events = Bank2_Address + Cardinal(A);
        A += qsizetype(L.List_Events.size()) * Bin_Event_Size;
    }
    TBinWriter W;
    for (const TIO_Link_Channel_Header& H : Channels.Header) {
        if (H.Channel > 0)
            Bin_Put_Header(W, H);
    }
    for (int K = 0; K < Max_Bin_Channels; ++K) {
        if (Channels.Header[K].Channel > 0)
            Bin_Put_Lists(W, Channels.Lists[K]);
    }
    W.Zeros(Trail);
    return W.Bytes();
}

void Fill_Bin_Channel(int K, const TChannel_IOLink& Channel, const TIODD* Description,
                      TIO_Link_Channels& Channels)
{
    TIO_Link_Channel_Header& H = Channels.Header[K];
    TIO_Link_List_Param_ProcessData& L = Channels.Lists[K];
    H = TIO_Link_Channel_Header();
    L = TIO_Link_List_Param_ProcessData();
    if (Channel.Pin4Mode == u"IO-Link")
        H.Pin4_Mode = 0;
    else if (Channel.Pin4Mode == u"DIn")
        H.Pin4_Mode = 1;
    else if (Channel.Pin4Mode == u"DOut")
        H.Pin4_Mode = 2;
    else
        return;   // not in use
    const int Port = K + 1;
    const TBin_Item F(Port, [] { return String(); });
    H.Channel = Port;
    H.Pin4_Pos = F.Number<Word>(Channel.Pin4_Pos, "Pin4Pos");
    H.Pin4_Bit = F.Number<Word>(Channel.Pin4_Bit, "Pin4Bit");
    H.Pin4_Inv = Bin_Flag(Channel.Pin4_Inv);
    H.Read_Pin2 = Bin_Flag(Channel.ReadPin2);
    H.Pin2_Pos = F.Number<Word>(Channel.Pin2_Pos, "Pin2Pos");
    H.Pin2_Bit = F.Number<Word>(Channel.Pin2_Bit, "Pin2Bit");
    H.Pin2_Inv = Bin_Flag(Channel.Pin2_Inv);
    H.Pin2_In_Type = Channel.Pin2_In_Type == u"PNP (Pull Down)" ? 1
                     : Channel.Pin2_In_Type == u"NPN (Pull UP)" ? 2
                                                                 : 0;
    if (H.Pin4_Mode != 0)
        return;
    H.TimeOut = F.Number<Word>(Channel.TimeOut, "TimeOut");
    // Without its description the port keeps one zero entry in each list.
    if (Description == nullptr)
        return;
    H.BitRate = F.Number<Byte>(Description->PhysicalLayer->Get_BitRate(), "bitrate");
    H.MinCycleTime = F.Number<Cardinal>(Description->PhysicalLayer->Get_MinCycleTime(), "minCycleTime");

    L.List_Param.clear();
    for (const auto& V : Channel.Var_List) {
        if (V->Enable)
            L.List_Param.push_back(Bin_Param(*V, Port));
    }
    H.Num_Param = Bin_Header_Count(L.List_Param.size(), Port, "parameter");
    // A process data list that is absent keeps its zero entry.
    const auto Fill_ProData = [&](Boolean PdIn, std::vector<TIO_Link_Process_Data>& List, const char* What) {
        const TChannelObjList<TProcDataObjValue>* Items = Channel.PD_List(PdIn);
        if (Items == nullptr)
            return Byte(0);
        List.clear();
        for (const auto& Item : *Items)
            List.push_back(Bin_ProData(*Item, Port));
        return Bin_Header_Count(List.size(), Port, What);
    };
    H.Num_ProDataIn = Fill_ProData(true, L.List_ProDataIn, "process data in");
    H.Num_ProDataOut = Fill_ProData(false, L.List_ProDataOut, "process data out");
    L.List_Events.clear();
    for (const auto& E : Channel.Event_List) {
        if (E->Enable)
            L.List_Events.push_back(Bin_Event(*E, Port));
    }
    H.Num_Events = Cardinal(L.List_Events.size());
}

void Read_IO_Link_Channels(TIO_Link_Channels& Channels)
{
    if (File_IOLink_SetAccess.isEmpty() || !FileExists(File_IOLink_SetAccess))
        return;
    // The ports, their settings and descriptions as the IO-Link window
    // would show them.
    TIO_Link_Set_Access_Core Core;
    String Load_Error;
    Core.OnMessage = [&Load_Error](TIOLink_MsgKind Kind, const String& Text) {
        if (Kind == imkError && Load_Error.isEmpty())
            Load_Error = Text;
    };
    Core.Create_Channels();
    // The image is built only for a variant the window shows the same.
    if (!Core.Variant_Error().isEmpty())
        throw ESaveBinError(Core.Variant_Error());
    if (!Core.Load_Configuration())
        throw ESaveBinError(Load_Error);
    const int Ports = qMin(int(Core.Channels.size()), Max_Bin_Channels);
    for (int K = 0; K < Ports; ++K) {
        const TChannel_IOLink& Channel = *Core.Channels[K];
        const TIODD* Description = Core.IODD_List[K].get();
        // The window goes on without a description it cannot use; the
        // image must not.
        if (Channel.Pin4Mode == u"IO-Link" && !Core.Description_Error(K).isEmpty())
            throw ESaveBinError(Format("Error in Channel #%.2d!! %s", {K + 1, Core.Description_Error(K)}));
        Fill_Bin_Channel(K, Channel, Description, Channels);
    }
}
