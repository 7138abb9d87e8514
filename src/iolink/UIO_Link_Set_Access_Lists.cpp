// The builders of a port's lists from its decoded description, and the
// automatic positions of process data and events in the gateway's data.
#include "iolink/UIO_Link_Set_Access.h"

#include "iolink/UIO_Link_Set_Access_Internal.h"

using namespace Qt::StringLiterals;
using iolink_sa::IntDef;
using iolink_sa::ClampPosition;
using namespace iolink_sa;

namespace {

// The items process data gives: one for a simple type, one per array
// element or record item.
Int64 IOLinkProcessDataItems(const TProcessDataInOut& Data, const TIODD* IODD)
{
    const TDataType* Type = IOLinkProcessDataType(Data, IODD);
    if (!Type)
        return 0;
    if (Type->IsSimpleDataType)
        return Type->SimpleDataType ? 1 : 0;
    const TComplexDataType* Complex = Type->ComplexDataType.get();
    if (!Complex)
        return 0;
    if (Complex->ActualComplexDataType == acdtArrayT)
        return IOLinkArrayElement(*Complex) ? qMax(Complex->Count, 0) : 0;
    if (Complex->ActualComplexDataType == acdtRecordT)
        return Int64(IOLinkRecordItems(*Complex).size());
    return 0;
}

// Why a variable's entries go beyond what the image addresses; empty when
// they do not.
String IOLinkVariableSizeError(const TVariable& Var, const TIOLinkVariableShape& Shape)
{
    constexpr Integer Max = TIO_Link_Set_Access_Core::Max_SubIndex;
    if (Shape.Element && Shape.Complex->Count > Max + 1)
        return Format("variable index %d has %d elements; the image addresses %d",
                      {Var.Index, Shape.Complex->Count, Max + 1});
    for (const TRecordItem* Item : Shape.Items)
        if (Item->SubIndex < 0 || Item->SubIndex > Max)
            return Format("variable index %d has the sub-index %d; the image addresses 0 to %d",
                          {Var.Index, Item->SubIndex, Max});
    return String();
}

// Scaling of process-data items from the menus.
struct TIOLinkScaling {
    String Gradient = u"1"_s;
    String Offset = u"0"_s;
    String UnitCode;
};

// The first menu entry about the whole process data (Record false) or about
// record item SubIndex (Record true) that sets a value. An empty gradient
// or offset in that entry keeps "1" or "0": a device that scales without an
// offset must not get an offset the check refuses.
TIOLinkScaling IOLinkMenuScaling(const TIODD* IODD, Boolean ProcessDataIn, Boolean Record, const String& SubIndex)
{
    TIOLinkScaling Scaling;
    const String VarName = ProcessDataIn ? u"V_ProcessDataInput"_s : u"V_ProcessDataOutput"_s;
    const auto Take = [&Scaling](const auto& Ref) {
        if (!Ref.Gradient.isEmpty())
            Scaling.Gradient = Ref.Gradient;
        if (!Ref.Offset.isEmpty())
            Scaling.Offset = Ref.Offset;
        Scaling.UnitCode = Ref.UnitCode;
    };
    for (const auto& Menu : IODD->ProfileBody->DeviceFunction->UserInterface->MenuCollection->Menu_List) {
        for (const auto& Entry : Menu->MenuVariableRef_List) {
            if (Record) {
                const auto* Ref = MenuEntryAs<TMenuRecordItemRef>(Entry.get());
                if (Ref && Ref->VariableId == VarName && Ref->SubIndex == SubIndex
                    && (!Ref->Gradient.isEmpty() || !Ref->Offset.isEmpty())) {
                    Take(*Ref);
                    return Scaling;
                }
            } else {
                const auto* Ref = MenuEntryAs<TMenuVariableRef>(Entry.get());
                if (Ref && Ref->VariableId == VarName
                    && (!Ref->Gradient.isEmpty() || !Ref->Offset.isEmpty() || !Ref->UnitCode.isEmpty())) {
                    Take(*Ref);
                    return Scaling;
                }
            }
        }
    }
    return Scaling;
}

// Bytes of a length text; NotNumber bits when it is not one.
Int64 IOLinkBytes(const String& Length, Integer NotNumber)
{
    return IOLinkBytesOf(IntDef(Length, NotNumber));
}

} // namespace

// ------------------------------------------------------- first free bytes

void TIO_Link_Set_Access_Core::Find_First_Address_Data_Free(Integer RowInUse, Integer& Num_In,
                                                            Integer& Num_Out) const
{
    Int64 In = 0;
    Int64 Out = 0;
    const Integer Last = qMin<Integer>(RowInUse, static_cast<Integer>(Channels.size()));
    for (Integer I = 0; I < Last; ++I) {
        const TChannel_IOLink& Ch = Channel(I);
        for (const Boolean PdIn : {true, false}) {
            Int64& Num = PdIn ? In : Out;
            if (const auto* List = Ch.PD_List(PdIn))
                for (const auto& Item : *List)
                    Num = qMax(Num, IntDef(Item->position, 0) + IOLinkBytes(Item->BitLength, 0));
        }
        In += 1;   // the pins' byte
        if (Ch.Pin4Mode == u"DOut")
            Out += 1;
        In += IOLinkBytesOf(Int64(Ch.Event_List.size()));
    }
    Num_In = ClampPosition(In);
    Num_Out = ClampPosition(Out);
}

// ------------------------------------------------------------- their sizes

String TIO_Link_Set_Access_Core::Lists_Size_Error(const TIODD* IODD, Integer Condition)
{
    const TDeviceFunction& Function = *IODD->ProfileBody->DeviceFunction;
    Int64 Entries = 0;
    for (const auto& Var : Function.VariableCollection->Var_List) {
        if (Var->VarType != vtVariable)
            continue;
        const TIOLinkVariableShape Shape = IOLinkShapeOf(*Var, IODD, false);
        if (const String Error = IOLinkVariableSizeError(*Var, Shape); !Error.isEmpty())
            return Error;
        Entries += 1 + (Shape.Element ? IOLinkArrayCount(*Shape.Complex) : 0) + Int64(Shape.Items.size());
        if (Entries > Max_Port_Entries)
            return Format("more than %d variable entries; a port takes at most %d", {Max_Port_Entries, Max_Port_Entries});
    }
    const auto& Alternatives = Function.ProcessDataCollection->ProcessData_List;
    if (Condition >= 0 && std::size_t(Condition) < Alternatives.size()) {
        for (const TProcessDataInOut* Data :
             {Alternatives[Condition]->ProcessDataIn.get(), Alternatives[Condition]->ProcessDataOut.get()}) {
            const Int64 Items = Data ? IOLinkProcessDataItems(*Data, IODD) : 0;
            if (Items > Max_ProcessData_Items)
                return Format("the process data \"%s\" has %d items; a port takes at most %d each way",
                              {Data->Id, Items, Max_ProcessData_Items});
        }
    }
    const Int64 Events = Int64(Function.EventCollection->StdEventRef_List.size() + Function.EventCollection->Event_List.size());
    if (Events > Max_Port_Entries)
        return Format("%d events; a port takes at most %d", {Events, Max_Port_Entries});
    return String();
}

// --------------------------------------------------------------- variables

void TIO_Link_Set_Access_Core::Create_List_Variables(Integer index)
{
    const TIODD* IODD = Description(index);
    if (!IODD)
        return;
    // Standard variable references are kept apart from the device's own.
    for (const auto& Var : IODD->ProfileBody->DeviceFunction->VariableCollection->Var_List)
        if (Var->VarType == vtVariable)
            Insert_Variable(index, Var.get(), nullptr, false, IODD);
}

void TIO_Link_Set_Access_Core::Insert_Variable(Integer index, const TVariable* aVar, const TVariable* refVar,
                                               Boolean VarRef, const TIODD* IODD)
{
    Q_UNUSED(refVar);
    TChannel_IOLink& Ch = Channel(index);
    const TIOLinkVariableShape Shape = IOLinkShapeOf(*aVar, IODD, VarRef);
    const TComplexDataType* Complex = Shape.Complex;
    const bool IsArray = Complex && Complex->ActualComplexDataType == acdtArrayT;
    const bool IsRecord = Complex && Complex->ActualComplexDataType == acdtRecordT;
    const TSimpleDataType* Element = Shape.Element;
    const std::vector<const TRecordItem*>& Items = Shape.Items;

    TVarObjValue Whole;
    Whole.Index = IntToStr(aVar->Index);
    Whole.Dimension = aVar->Get_Length(IODD, VarRef);
    Whole.Access = aVar->Get_AccessRights();
    Whole.total_bit_length = Whole.Dimension;
    Whole.subindexAccessSupported = u"0"_s;
    if (IsArray || IsRecord) {
        Whole.SubindexAccSupPresent = Complex->SubIndexAccessSupPresent;
        if (Complex->SubIndexAccessSupPresent && Complex->SubIndexAccessSup)
            Whole.subindexAccessSupported = u"1"_s;
    }
    Whole.SubIndex_Present = Element || !Items.empty();
    Ch.Var_List.push_back(std::make_unique<TVarObjValue>(Whole));

    // An item entry shares the whole variable's access and lengths.
    const auto AddItem = [&Ch, &Whole](const String& SubIndex, const String& Dimension, const String& Access,
                                       const String& BitOffset) {
        auto Item = std::make_unique<TVarObjValue>();
        Item->Index = Whole.Index;
        Item->SubIndex = SubIndex;
        Item->Dimension = Dimension;
        Item->Access = Access;
        Item->total_bit_length = Whole.total_bit_length;
        Item->subindexAccessSupported = Whole.subindexAccessSupported;
        Item->SubindexAccSupPresent = Whole.SubindexAccSupPresent;
        Item->bit_offset = BitOffset;
        Ch.Var_List.push_back(std::move(Item));
    };

    if (Element) {
        const String Length = Element->Get_Length(IODD, VarRef);
        for (Integer I = 0; I < IOLinkArrayCount(*Complex); ++I)
            AddItem(IntToStr(I), Length, Whole.Access, u"0"_s);
    }
    for (const TRecordItem* Item : Items) {
        AddItem(IntToStr(Item->SubIndex), Item->SimpleTD ? Item->SimpleTD->Get_Length(IODD, VarRef) : String(),
                Item->AccessRightResPresent ? Item->GetAccessRightRestrictionStr() : Whole.Access,
                IntToStr(Item->BitOffset));
    }
}

// ------------------------------------------------------------ process data

// The input or output of the port's chosen process data alternative.
Integer TIO_Link_Set_Access_Core::Create_List_ProcessData(Integer index, Boolean ProcessDataIN, Integer add_Data)
{
    const TIODD* IODD = Description(index);
    if (!IODD)
        return add_Data;
    const auto& Alternatives = IODD->ProfileBody->DeviceFunction->ProcessDataCollection->ProcessData_List;
    const Integer Condition = Channel(index).ProcDataCondition;
    if (Condition < 0 || static_cast<std::size_t>(Condition) >= Alternatives.size())
        return add_Data;
    const TProcessDataInOut* Data = ProcessDataIN ? Alternatives[Condition]->ProcessDataIn.get()
                                                  : Alternatives[Condition]->ProcessDataOut.get();
    if (!Data)
        return add_Data;
    return Insert_ProcessData(index, Data, ProcessDataIN, IODD, add_Data);
}

Integer TIO_Link_Set_Access_Core::Create_List_ProcessDataIn(Integer index, Integer add_Data)
{
    return Create_List_ProcessData(index, true, add_Data);
}

Integer TIO_Link_Set_Access_Core::Create_List_ProcessDataOut(Integer index, Integer add_Data)
{
    return Create_List_ProcessData(index, false, add_Data);
}

Integer TIO_Link_Set_Access_Core::Insert_ProcessData(Integer index, const TProcessDataInOut* aProccData,
                                                     Boolean ProcessDataIN, const TIODD* IODD, Integer add_Data)
{
    TChannel_IOLink& Ch = Channel(index);
    auto& List = ProcessDataIN ? Ch.ProcDataIn_List : Ch.ProcDataOut_List;
    // The list is made with its first item.
    const auto Add = [&](const String& SubIndex, const String& BitLength, const String& BitOffset, Integer Position,
                         Integer Bit) -> TProcDataObjValue& {
        auto Item = std::make_unique<TProcDataObjValue>();
        Item->variableId = aProccData->Id;
        Item->SubIndex = SubIndex;
        Item->BitLength = BitLength;
        Item->BitOffset = BitOffset;
        Item->position = IntToStr(Position);
        Item->bit = IntToStr(Bit);
        if (!List)
            List.emplace();
        List->push_back(std::move(Item));
        return *List->back();
    };
    const auto Scale = [](TProcDataObjValue& Item, const TIOLinkScaling& Scaling) {
        Item.gradient = Scaling.Gradient;
        Item.offset = Scaling.Offset;
        Item.unitCode = Scaling.UnitCode;
    };

    const TDataType* Type = IOLinkProcessDataType(*aProccData, IODD);
    if (!Type)
        return add_Data;
    Int64 P = add_Data;

    if (Type->IsSimpleDataType) {
        if (!Type->SimpleDataType)
            return add_Data;
        Integer Length = aProccData->BitLength;
        if (Length == 0 && Type->SimpleDataType->Get_ActualSimpleDataType(IODD, false) == u"BooleanT")
            Length = 1;
        Add(String(), IntToStr(Length), u"0"_s, ClampPosition(P), 0);
        return ClampPosition(P + IOLinkBytesOf(Length));
    }

    const TComplexDataType* Complex = Type->ComplexDataType.get();
    if (!Complex)
        return add_Data;
    if (Complex->ActualComplexDataType == acdtArrayT) {
        const TSimpleDataType* Element = IOLinkArrayElement(*Complex);
        if (!Element)
            return add_Data;
        const Integer Count = IOLinkArrayCount(*Complex);
        const String Length = Element->Get_Length(IODD, false);
        const TIOLinkScaling Scaling = IOLinkMenuScaling(IODD, ProcessDataIN, false, String());
        const bool Packed = Element->Get_ActualSimpleDataType(IODD, false) == u"BooleanT";
        for (Integer K = 1; K <= Count; ++K) {
            // Booleans eight to a byte; any other element on bytes of its own.
            TProcDataObjValue& Item = Packed ? Add(IntToStr(K), Length, u"0"_s, ClampPosition(P + (K - 1) / 8), (K - 1) % 8)
                                             : Add(IntToStr(K), Length, u"0"_s, ClampPosition(P), 0);
            Scale(Item, Scaling);
            if (!Packed)
                P += IOLinkBytes(Length, 1);
        }
        return ClampPosition(Packed ? P + IOLinkBytesOf(Count) : P);
    }
    if (Complex->ActualComplexDataType == acdtRecordT) {
        String PrevType;
        Int64 L = 0;
        Integer B = 0;
        for (const TRecordItem* Item : IOLinkRecordItems(*Complex)) {
            const String TypeName = Item->SimpleTD ? Item->SimpleTD->Get_ActualSimpleDataType(IODD, false) : String();
            String Length = Item->SimpleTD ? Item->SimpleTD->Get_Length(IODD, false) : String();
            if (Length.isEmpty() && TypeName == u"BooleanT")
                Length = u"1"_s;
            // Consecutive booleans share bytes; anything else starts a byte.
            if (TypeName == PrevType && TypeName == u"BooleanT") {
                if (++B == 8) {
                    B = 0;
                    ++P;
                }
            } else {
                P += L;
                B = 0;
            }
            const String SubIndex = IntToStr(Item->SubIndex);
            TProcDataObjValue& Value = Add(SubIndex, Length, IntToStr(Item->BitOffset), ClampPosition(P), B);
            Scale(Value, IOLinkMenuScaling(IODD, ProcessDataIN, true, SubIndex));
            L = IOLinkBytes(Length, 1);
            PrevType = TypeName;
        }
        return ClampPosition(P + L);
    }
    return add_Data;
}

// ------------------------------------------------------------------- events

Integer TIO_Link_Set_Access_Core::Create_List_Event(Integer index, Integer add_Data)
{
    const TIODD* IODD = Description(index);
    if (!IODD)
        return add_Data;
    Integer P = add_Data;
    Integer Bit = 0;
    const TEventCollection& Events = *IODD->ProfileBody->DeviceFunction->EventCollection;
    for (const TEventData* Event : Events.StdEventRef_List)
        Insert_Event(index, Event, true, IODD, P, Bit);
    for (const auto& Event : Events.Event_List)
        Insert_Event(index, Event.get(), false, IODD, P, Bit);
    if (Bit != 0)
        P = iolink_sa::ClampPosition(Int64(P) + 1);
    return P;
}

void TIO_Link_Set_Access_Core::Insert_Event(Integer index, const TEventData* aEvent, Boolean EventRef,
                                            const TIODD* IODD, Integer& add_Data, Integer& Bit)
{
    auto Event = std::make_unique<TEventObjValue>();
    Event->RealCode = aEvent->Code;
    Event->Code = IntToStr(aEvent->Code);
    Event->Name = IODD->GetDesc_ExtTextCol(EventRef, aEvent->Name);
    Event->EventType = aEvent->EventType;
    Event->TimeOut = u"0"_s;
    Event->Position = IntToStr(add_Data);
    Event->Bit = IntToStr(Bit);
    Channel(index).Event_List.push_back(std::move(Event));
    if (++Bit > 7) {
        Bit = 0;
        add_Data = iolink_sa::ClampPosition(Int64(add_Data) + 1);
    }
}
