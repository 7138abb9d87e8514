// The builders of a port's lists from its decoded description, and the
// automatic positions of process data and events in the gateway's data.
#include "iolink/UIO_Link_Set_Access.h"

#include "iolink/UIO_Link_Set_Access_Internal.h"

using namespace Qt::StringLiterals;
using iolink_sa::IntDef;

namespace {

// More elements than any device can carry: a description claiming more is
// not given millions of entries.
constexpr Integer IOLinkMaxArrayCount = 65535;

Integer IOLinkArrayCount(const TComplexDataType& Type)
{
    return qBound(0, Type.Count, IOLinkMaxArrayCount);
}

// The element type of an array; null when it has none.
const TSimpleDataType* IOLinkArrayElement(const TComplexDataType& Type)
{
    return Type.Arr_RecItem.empty() ? nullptr : dynamic_cast<const TSimpleDataType*>(Type.Arr_RecItem.front().get());
}

std::vector<const TRecordItem*> IOLinkRecordItems(const TComplexDataType& Type)
{
    std::vector<const TRecordItem*> Items;
    for (const auto& Entry : Type.Arr_RecItem)
        if (const auto* Item = dynamic_cast<const TRecordItem*>(Entry.get()))
            Items.push_back(Item);
    return Items;
}

// The complex type a data type is, after resolving a reference; null for a
// simple or unknown type.
const TComplexDataType* IOLinkComplexType(const TDataType* Type)
{
    return Type && !Type->IsSimpleDataType ? Type->ComplexDataType.get() : nullptr;
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
                const auto* Ref = dynamic_cast<const TMenuRecordItemRef*>(Entry.get());
                if (Ref && Ref->VariableId == VarName && Ref->SubIndex == SubIndex
                    && (!Ref->Gradient.isEmpty() || !Ref->Offset.isEmpty())) {
                    Take(*Ref);
                    return Scaling;
                }
            } else {
                const auto* Ref = dynamic_cast<const TMenuVariableRef*>(Entry.get());
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

// Bytes of a length text; NotNumber when it is not one.
Integer IOLinkBytes(const String& Length, Integer NotNumber)
{
    return (IntDef(Length, NotNumber) + 7) / 8;
}

} // namespace

// ------------------------------------------------------- first free bytes

void TIO_Link_Set_Access_Core::Find_First_Address_Data_Free(Integer RowInUse, Integer& Num_In,
                                                            Integer& Num_Out) const
{
    Num_In = 0;
    Num_Out = 0;
    const Integer Last = qMin<Integer>(RowInUse, static_cast<Integer>(Channels.size()));
    for (Integer I = 0; I < Last; ++I) {
        const TChannel_IOLink& Ch = Channel(I);
        for (const Boolean PdIn : {true, false}) {
            Integer& Num = PdIn ? Num_In : Num_Out;
            if (const auto* List = Ch.PD_List(PdIn))
                for (const auto& Item : *List)
                    Num = qMax(Num, IntDef(Item->position, 0) + IOLinkBytes(Item->BitLength, 0));
        }
        Num_In += 1;   // the pins' byte
        if (Ch.Pin4Mode == u"DOut")
            Num_Out += 1;
        Num_In += (static_cast<Integer>(Ch.Event_List.size()) + 7) / 8;
    }
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
    const TDataType* Type = aVar->DataType.get();
    if (Type && Type->IsDataTypeRef)
        Type = IODD->Resolve_DataType(Type->Ref_DataTypeId, VarRef);
    const TComplexDataType* Complex = IOLinkComplexType(Type);
    const bool IsArray = Complex && Complex->ActualComplexDataType == acdtArrayT;
    const bool IsRecord = Complex && Complex->ActualComplexDataType == acdtRecordT;
    const TSimpleDataType* Element = IsArray ? IOLinkArrayElement(*Complex) : nullptr;
    const std::vector<const TRecordItem*> Items = IsRecord ? IOLinkRecordItems(*Complex) : std::vector<const TRecordItem*>();

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

    const TDataType* Type = aProccData->DataType.get();
    if (Type && Type->IsDataTypeRef)
        Type = aProccData->GetDataType(IODD);
    if (!Type)
        return add_Data;
    Integer P = add_Data;

    if (Type->IsSimpleDataType) {
        if (!Type->SimpleDataType)
            return add_Data;
        Integer Length = aProccData->BitLength;
        if (Length == 0 && Type->SimpleDataType->Get_ActualSimpleDataType(IODD, false) == u"BooleanT")
            Length = 1;
        Add(String(), IntToStr(Length), u"0"_s, P, 0);
        return P + (Length + 7) / 8;
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
            TProcDataObjValue& Item = Packed ? Add(IntToStr(K), Length, u"0"_s, P + (K - 1) / 8, (K - 1) % 8)
                                             : Add(IntToStr(K), Length, u"0"_s, P, 0);
            Scale(Item, Scaling);
            if (!Packed)
                P += IOLinkBytes(Length, 1);
        }
        return Packed ? P + (Count + 7) / 8 : P;
    }
    if (Complex->ActualComplexDataType == acdtRecordT) {
        String PrevType;
        Integer L = 0;
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
            TProcDataObjValue& Value = Add(SubIndex, Length, IntToStr(Item->BitOffset), P, B);
            Scale(Value, IOLinkMenuScaling(IODD, ProcessDataIN, true, SubIndex));
            L = IOLinkBytes(Length, 1);
            PrevType = TypeName;
        }
        return P + L;
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
        ++P;
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
        ++add_Data;
    }
}
