// "bank2.bin": the IO-Link channel image, headers then lists, from 0x80000.
#include "iolink/USaveBincc.h"

#include "iolink/BinWriter.h"

namespace {

constexpr qsizetype Bin_Header_Size = 56;
constexpr qsizetype Bin_Param_Size = 36;
constexpr qsizetype Bin_ProData_Size = 24;
constexpr qsizetype Bin_Event_Size = 12;

void Put_Header(TBinWriter& W, const TIO_Link_Channel_Header& H)
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

void Put_Param(TBinWriter& W, const TIO_Link_Parameter& P)
{
    W.U16(P.index).U8(P.subindex).U8(P.options).U32(P.value);
    W.U16(P.position).U16(P.bit_address).U32(P.bit_length).U32(P.time).U32(P.counter);
    W.U32(P.total_bit_length).U8(P.subindexAccessSupported).U8(P.spare).U16(P.readtime);
    W.U32(P.bit_offset);
}

void Put_ProData(TBinWriter& W, const TIO_Link_Process_Data& D)
{
    W.F32(D.gradient).U16(D.unit_code).U16(D.options).U32(D.BitOffset).U32(D.offset).U32(D.bit_length);
    W.U16(D.Position).U16(D.Bit);
}

void Put_Event(TBinWriter& W, const TIO_Link_Event& E)
{
    W.U32(E.time).U16(E.code).U16(E.position).U8(E.bit_address).Zeros(3);
}

qsizetype Lists_Size(const TIO_Link_List_Param_ProcessData& L)
{
    return qsizetype(L.List_Param.size()) * Bin_Param_Size +
           qsizetype(L.List_ProDataIn.size() + L.List_ProDataOut.size()) * Bin_ProData_Size +
           qsizetype(L.List_Events.size()) * Bin_Event_Size;
}

void Put_Lists(TBinWriter& W, const TIO_Link_List_Param_ProcessData& L)
{
    for (const TIO_Link_Parameter& P : L.List_Param)
        Put_Param(W, P);
    for (const TIO_Link_Process_Data& D : L.List_ProDataIn)
        Put_ProData(W, D);
    for (const TIO_Link_Process_Data& D : L.List_ProDataOut)
        Put_ProData(W, D);
    for (const TIO_Link_Event& E : L.List_Events)
        Put_Event(W, E);
}

[[noreturn]] void Bin_Channel_Error(int Port, const String& What)
{
    throw ESaveBinError(Format("Error in Channel #%.2d!! %s", {Port, What}));
}

} // namespace

Cardinal Used_Channels(const TIO_Link_Channels& Channels)
{
    Cardinal N = 0;
    for (const TIO_Link_Channel_Header& H : Channels.Header)
        N += H.Channel > 0 ? 1 : 0;
    return N;
}

Byte Bin_Header_Count(std::size_t Count, int Port, const char* List)
{
    // The header holds these counts in one byte each.
    if (Count > 255)
        Bin_Channel_Error(Port, Format("%d %s entries; the device takes at most 255", {qint64(Count), List}));
    return Byte(Count);
}

QByteArray Bank2_Bytes(TIO_Link_Channels& Channels)
{
    const Cardinal Used = Used_Channels(Channels);
    // The zero lists of the ports not in use trail the image.
    const qsizetype Trail = qsizetype(Max_Bin_Channels - Used) * Lists_Size(TIO_Link_List_Param_ProcessData());
    qsizetype A = qsizetype(Used) * Bin_Header_Size;
    for (int K = 0; K < Max_Bin_Channels; ++K) {
        TIO_Link_Channel_Header& H = Channels.Header[K];
        if (H.Channel <= 0)
            continue;
        const TIO_Link_List_Param_ProcessData& L = Channels.Lists[K];
        if (A + Lists_Size(L) + Trail > Bank2_Buffer_Size)
            Bin_Channel_Error(K + 1, Format("The IO-Link image would exceed its %d bytes", {Bank2_Buffer_Size}));
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
            Put_Header(W, H);
    }
    for (int K = 0; K < Max_Bin_Channels; ++K) {
        if (Channels.Header[K].Channel > 0)
            Put_Lists(W, Channels.Lists[K]);
    }
    W.Zeros(Trail);
    return W.Bytes();
}
