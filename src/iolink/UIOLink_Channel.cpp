// The IO-Link channel objects and their lookups. The lists hold one device's
// entries, so every lookup is a linear search in list order.
#include "iolink/UIOLink_Channel.h"

// ----------------------------------------------------------------- variables

const TVarObjValue* TChannel_IOLink::Find_Var(const String& index, const String& subindex) const
{
    const Integer I = Get_Index(index, subindex);
    return I < 0 ? nullptr : Var_List[I].get();
}

Integer TChannel_IOLink::Get_Index(const String& index, const String& subindex) const
{
    for (std::size_t I = 0; I < Var_List.size(); ++I)
        if (Var_List[I]->Index == index && Var_List[I]->SubIndex == subindex)
            return static_cast<Integer>(I);
    return -1;
}

Boolean TChannel_IOLink::Get_Enable(const String& index, const String& subindex) const
{
    const TVarObjValue* Var = Find_Var(index, subindex);
    return Var && Var->Enable;
}

String TChannel_IOLink::Get_Value(const String& index, const String& subindex) const
{
    const TVarObjValue* Var = Find_Var(index, subindex);
    return Var ? Var->Value : String();
}

String TChannel_IOLink::Get_Position(const String& index, const String& subindex) const
{
    const TVarObjValue* Var = Find_Var(index, subindex);
    return Var ? Var->Position : String();
}

String TChannel_IOLink::Get_Bit(const String& index, const String& subindex) const
{
    const TVarObjValue* Var = Find_Var(index, subindex);
    return Var ? Var->Bit : String();
}

String TChannel_IOLink::Get_Time(const String& index, const String& subindex) const
{
    const TVarObjValue* Var = Find_Var(index, subindex);
    return Var ? Var->Time : String();
}

String TChannel_IOLink::Get_ReadTime(const String& index, const String& subindex) const
{
    const TVarObjValue* Var = Find_Var(index, subindex);
    return Var ? Var->ReadTime : String();
}

Boolean TChannel_IOLink::Get_On_CMD(const String& index, const String& subindex) const
{
    const TVarObjValue* Var = Find_Var(index, subindex);
    return Var && Var->On_CMD;
}

Boolean TChannel_IOLink::Get_On_Change(const String& index, const String& subindex) const
{
    const TVarObjValue* Var = Find_Var(index, subindex);
    return Var && Var->On_Change;
}

Boolean TChannel_IOLink::Get_On_Timer(const String& index, const String& subindex) const
{
    const TVarObjValue* Var = Find_Var(index, subindex);
    return Var && Var->On_Timer;
}

// -------------------------------------------------------------- process data

const TChannelObjList<TProcDataObjValue>* TChannel_IOLink::PD_List(Boolean PdIn) const
{
    const auto& List = PdIn ? ProcDataIn_List : ProcDataOut_List;
    return List ? &*List : nullptr;
}

TChannelObjList<TProcDataObjValue>* TChannel_IOLink::PD_List(Boolean PdIn)
{
    auto& List = PdIn ? ProcDataIn_List : ProcDataOut_List;
    return List ? &*List : nullptr;
}

Integer TChannel_IOLink::PD_Get_Index(Boolean PdIn, const String& VarId, const String& SubIndex) const
{
    const auto* List = PD_List(PdIn);
    if (!List)
        return -1;
    for (std::size_t I = 0; I < List->size(); ++I)
        if ((*List)[I]->variableId == VarId && (*List)[I]->SubIndex == SubIndex)
            return static_cast<Integer>(I);
    return -1;
}

const TProcDataObjValue* TChannel_IOLink::Find_PD(Boolean PdIn, const String& VarId, const String& SubIndex) const
{
    const Integer I = PD_Get_Index(PdIn, VarId, SubIndex);
    return I < 0 ? nullptr : (*PD_List(PdIn))[I].get();
}

String TChannel_IOLink::PD_Get_Gradient(Boolean PdIn, const String& VarId, const String& SubIndex) const
{
    const TProcDataObjValue* Item = Find_PD(PdIn, VarId, SubIndex);
    return Item ? Item->gradient : QStringLiteral("1");
}

String TChannel_IOLink::PD_Get_Offset(Boolean PdIn, const String& VarId, const String& SubIndex) const
{
    const TProcDataObjValue* Item = Find_PD(PdIn, VarId, SubIndex);
    return Item ? Item->offset : QStringLiteral("0");
}

String TChannel_IOLink::PD_Get_Position(Boolean PdIn, const String& VarId, const String& SubIndex) const
{
    const TProcDataObjValue* Item = Find_PD(PdIn, VarId, SubIndex);
    return Item ? Item->position : String();
}

String TChannel_IOLink::PD_Get_Bit(Boolean PdIn, const String& VarId, const String& SubIndex) const
{
    const TProcDataObjValue* Item = Find_PD(PdIn, VarId, SubIndex);
    return Item ? Item->bit : String();
}

const TProcDataObjValue* TChannel_IOLink::PD_At(Boolean PdIn, Integer Position) const
{
    const auto* List = PD_List(PdIn);
    if (!List || Position < 0 || static_cast<std::size_t>(Position) >= List->size())
        return nullptr;
    return (*List)[Position].get();
}

String TChannel_IOLink::PD_Get_Position_Arr(Boolean PdIn, const String& VarId, Integer SubIndex) const
{
    Q_UNUSED(VarId);
    const TProcDataObjValue* Item = PD_At(PdIn, SubIndex);
    return Item ? Item->position : String();
}

String TChannel_IOLink::PD_Get_Bit_Arr(Boolean PdIn, const String& VarId, Integer SubIndex) const
{
    Q_UNUSED(VarId);
    const TProcDataObjValue* Item = PD_At(PdIn, SubIndex);
    return Item ? Item->bit : String();
}

// -------------------------------------------------------------------- events

Integer TChannel_IOLink::Event_Get_Index(Integer Code) const
{
    for (std::size_t I = 0; I < Event_List.size(); ++I)
        if (Event_List[I]->RealCode == Code)
            return static_cast<Integer>(I);
    return -1;
}

// ----------------------------------------------------------------- clearing

void TChannel_IOLink::ProcessData_Erase()
{
    ProcDataIn_List.reset();
    ProcDataOut_List.reset();
}

void TChannel_IOLink::Erase_Lists()
{
    Var_List.clear();
    ProcessData_Erase();
    Event_List.clear();
}
