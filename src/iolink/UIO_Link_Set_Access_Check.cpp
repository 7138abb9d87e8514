// The configuration check run on OK: every port's settings against the
// limits of the gateway's data and against its device description. It
// stops at the first error; only the position advice of variables warns.
#include "iolink/UIO_Link_Set_Access.h"

#include "iolink/UIO_Link_Set_Access_Internal.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

using namespace Qt::StringLiterals;
using iolink_sa::InRange;
using iolink_sa::IntDef;
using iolink_sa::ParseWide;
using iolink_sa::TWide;

namespace {

// Messages added to the text table.
constexpr Integer IOLinkEventBitText = 1734;
constexpr Integer IOLinkVariableBitText = 1735;
constexpr Integer IOLinkVariableTimeText = 1736;

const TWide IOLinkMaxPos = IOLink_Max_Position;

// The simple type a simple type stands for; null when its reference leads
// nowhere simple.
const TSimpleDataType* IOLinkResolveSimple(const TSimpleDataType* Type, const TIODD* IODD, Boolean VarRef)
{
    if (!Type || !Type->IsSimpleDataRef)
        return Type;
    const TDataType* Found = IODD->Resolve_DataType(Type->DataTypeId, VarRef);
    return Found && Found->IsSimpleDataType ? Found->SimpleDataType.get() : nullptr;
}

} // namespace

Boolean TIO_Link_Set_Access_Core::Check_And_Save()
{
    return Check_Configuration() && Save_Configuration();
}

Boolean TIO_Link_Set_Access_Core::Check_Configuration()
{
    FDecSep = Get_Decimal_Separator();
    Integer TotIn = 0;
    Integer TotOut = 0;
    Integer MaxIn = 0;
    for (Integer Port = 1; Port <= static_cast<Integer>(Channels.size()); ++Port) {
        const TChannel_IOLink& Ch = Channel(Port - 1);
        if (Ch.Pin4Mode == u"Disable" || Ch.Pin4Mode.isEmpty())
            continue;
        if (Ch.Pin4Mode == u"IO-Link") {
            if (!Check_IOLink_Port(Port, TotIn, TotOut, MaxIn))
                return false;
        } else if (!Check_Pin2(Port) || !Check_Pin4(Port)) {
            return false;
        }
    }
    if (TotIn > IOLink_Max_Position) {
        Error(LangFormat(1707, {TotIn}));
        return false;
    }
    if (TotOut > IOLink_Max_Position) {
        Error(LangFormat(1708, {TotOut}));
        return false;
    }
    return true;
}

Boolean TIO_Link_Set_Access_Core::Check_IOLink_Port(Integer Port, Integer& TotIn, Integer& TotOut, Integer& MaxIn)
{
    const TChannel_IOLink& Ch = Channel(Port - 1);
    if (Ch.IODD_File.isEmpty()) {
        Error(LangFormat(1700, {Port}));
        return false;
    }
    if (!Ch.TimeOut.isEmpty() && !InRange(Ch.TimeOut, 0, 65000)) {
        Error(LangFormat(1732, {Port}));
        return false;
    }
    if (!Check_Variables(Port) || !Check_Variable_Groups(Port))
        return false;
    // MaxIn is reset only by a port with process data in; a port without
    // keeps the previous port's end, which its events can only raise.
    if (Ch.ProcDataIn_List && !Check_ProcessData(Port, true, TotIn, MaxIn))
        return false;
    if (Ch.ProcDataOut_List) {
        Integer MaxOut = 0;
        if (!Check_ProcessData(Port, false, TotOut, MaxOut))
            return false;
        TotOut = MaxOut;
    }
    if (!Check_Events(Port, MaxIn) || !Check_Pin2(Port))
        return false;
    TotIn = MaxIn;
    return true;
}

Boolean TIO_Link_Set_Access_Core::Check_Variables(Integer Port)
{
    const TChannel_IOLink& Ch = Channel(Port - 1);
    for (std::size_t J = 0; J < Ch.Var_List.size(); ++J) {
        const TVarObjValue& E = *Ch.Var_List[J];
        if (!E.Enable)
            continue;
        const String Value = E.Value.trimmed();
        if (Value.isEmpty()) {
            Error(LangFormat(1282, {Port, E.Index, E.SubIndex}));
            return false;
        }
        if (!VarInRange(Value, Port - 1, static_cast<Integer>(J)))
            return false;
        const String Position = E.Position.trimmed();
        if (!Position.isEmpty()) {
            // Beyond the gateway's data a position would reach the image
            // cut to its field, so it is refused like a negative one.
            TWide P = -1;
            if (!ParseWide(Position, P) || P < 0 || P > IOLinkMaxPos) {
                Error(LangFormat(1727, {Port, E.Index, E.SubIndex}));
                return false;
            }
            if (P < 512)
                Message(imkWarning, LangFormat(1728, {Port, E.Index, E.SubIndex}));
        }
        if (!E.Bit.trimmed().isEmpty() && !InRange(E.Bit.trimmed(), 0, 7)) {
            Error(LangFormat(IOLinkVariableBitText, {Port, E.Index, E.SubIndex}));
            return false;
        }
        if (!E.Time.trimmed().isEmpty() && !InRange(E.Time.trimmed(), 0, TWide(UINT32_MAX))) {
            Error(LangFormat(IOLinkVariableTimeText, {Port, E.Index, E.SubIndex}));
            return false;
        }
        const String ReadTime = E.ReadTime.trimmed();
        if (!ReadTime.isEmpty() && !InRange(ReadTime, 0, 65535)) {
            Error(LangFormat(1730, {Port, E.Index, E.SubIndex}));
            return false;
        }
    }
    return true;
}

Boolean TIO_Link_Set_Access_Core::Check_Variable_Groups(Integer Port)
{
    // The items of a variable that cannot be accessed one by one are all
    // enabled or all disabled. A group is a run of entries of one index.
    const auto& List = Channel(Port - 1).Var_List;
    std::size_t I = 0;
    while (I < List.size()) {
        const String& Index = List[I]->Index;
        bool Enabled = false;
        bool Disabled = false;
        for (; I < List.size() && List[I]->Index == Index; ++I) {
            const TVarObjValue& E = *List[I];
            if (E.SubindexAccSupPresent && E.subindexAccessSupported == u"0" && !E.SubIndex.isEmpty())
                (E.Enable ? Enabled : Disabled) = true;
        }
        if (Enabled && Disabled) {
            Error(LangFormat(1293, {Port, Index}));
            return false;
        }
    }
    return true;
}

Boolean TIO_Link_Set_Access_Core::Check_ProcessData(Integer Port, Boolean PdIn, Integer Total, Integer& MaxEnd)
{
    const Integer TGradient = PdIn ? 1283 : 1288;
    const Integer TOffset = PdIn ? 1284 : 1289;
    const Integer TPosition = PdIn ? 1286 : 1291;
    const Integer TBit = PdIn ? 1287 : 1292;
    Integer Min = 100000;
    MaxEnd = 0;
    for (const auto& Item : *Channel(Port - 1).PD_List(PdIn)) {
        Single Gradient = 0;
        if (!Check_Float(Item->gradient, FDecSep, Gradient)) {
            Error(LangFormat(TGradient, {Port, Item->variableId, Item->SubIndex}));
            return false;
        }
        if (!InRange(Item->offset, -32768, 32767)) {
            Error(LangFormat(TOffset, {Port, Item->variableId, Item->SubIndex}));
            return false;
        }
        if (!InRange(Item->position, 0, IOLinkMaxPos)) {
            Error(LangFormat(TPosition, {Port, Item->variableId, Item->SubIndex, IOLink_Max_Position}));
            return false;
        }
        const Integer Position = IntDef(Item->position, 0);
        Min = qMin(Min, Position);
        // A length of the description may be anything; the end is clamped.
        MaxEnd = qMax(MaxEnd, iolink_sa::ClampPosition(Position + (qMax<Int64>(IntDef(Item->BitLength, 0), 0) + 7) / 8));
        if (!InRange(Item->bit, 0, 7)) {
            Error(LangFormat(TBit, {Port, Item->variableId, Item->SubIndex}));
            return false;
        }
    }
    if (Min < Total) {
        Error(LangFormat(PdIn ? 1705 : 1706, {Port, Total}));
        return false;
    }
    return true;
}

Boolean TIO_Link_Set_Access_Core::Check_Events(Integer Port, Integer& MaxIn)
{
    for (const auto& Event : Channel(Port - 1).Event_List) {
        if (!InRange(Event->TimeOut, 0, 100000000)) {
            Error(LangFormat(1725, {Port, Event->Code}));
            return false;
        }
        if (!InRange(Event->Position, 0, IOLinkMaxPos)) {
            Error(LangFormat(1726, {Port, Event->Code, IOLink_Max_Position}));
            return false;
        }
        if (!InRange(Event->Bit, 0, 7)) {
            Error(LangFormat(IOLinkEventBitText, {Port, Event->Code}));
            return false;
        }
        // An event at bit 0 still takes its byte.
        MaxIn = qMax(MaxIn, IntDef(Event->Position, 0) + 1);
    }
    return true;
}

Boolean TIO_Link_Set_Access_Core::Check_Pin2(Integer Port)
{
    const TChannel_IOLink& Ch = Channel(Port - 1);
    if (!Ch.TypeA || Ch.ReadPin2 != u"Y")
        return true;
    if (!InRange(Ch.Pin2_Pos, 0, IOLinkMaxPos)) {
        Error(LangFormat(1701, {Port, IOLink_Max_Position}));
        return false;
    }
    if (!InRange(Ch.Pin2_Bit, 0, 7)) {
        Error(LangFormat(1702, {Port}));
        return false;
    }
    return true;
}

Boolean TIO_Link_Set_Access_Core::Check_Pin4(Integer Port)
{
    const TChannel_IOLink& Ch = Channel(Port - 1);
    if (!InRange(Ch.Pin4_Pos, 0, IOLinkMaxPos)) {
        Error(LangFormat(1703, {Port, IOLink_Max_Position}));
        return false;
    }
    if (!InRange(Ch.Pin4_Bit, 0, 7)) {
        Error(LangFormat(1704, {Port}));
        return false;
    }
    return true;
}

// ------------------------------------------------------- values of variables

Boolean TIO_Link_Set_Access_Core::VarInRange(const String& Value, Integer Ind_Chan, Integer Ind_Var)
{
    const Integer Port = Ind_Chan + 1;
    const bool ChannelKnown = Ind_Chan >= 0 && static_cast<std::size_t>(Ind_Chan) < Channels.size();
    const TVarObjValue* E = ChannelKnown && Ind_Var >= 0
                                    && static_cast<std::size_t>(Ind_Var) < Channel(Ind_Chan).Var_List.size()
                                ? Channel(Ind_Chan).Var_List[Ind_Var].get()
                                : nullptr;
    const String Index = E ? E->Index : String();
    const String SubIndex = E ? E->SubIndex : String();
    const auto Fail = [&](Integer Text) {
        Error(LangFormat(Text, {Port, Index, SubIndex}));
        return false;
    };

    if (!ChannelKnown || static_cast<std::size_t>(Ind_Chan) >= IODD_List.size() || !E)
        return Fail(1277);
    const TIODD* IODD = Description(Ind_Chan);
    if (!IODD) {
        Error(LangFormat(1281, {Port}));
        return false;
    }

    // The device's own variables first: every standard variable reference
    // carries index 1 and must not shadow a device variable.
    const TVariableCollection& Variables = *IODD->ProfileBody->DeviceFunction->VariableCollection;
    const TVariable* V = nullptr;
    const Integer Wanted = IntDef(Index, -1);
    for (const auto& Candidate : Variables.Var_List)
        if (Candidate->Index == Wanted) {
            V = Candidate.get();
            break;
        }
    if (!V)
        V = Variables.Get_Variables(Index, SubIndex);
    if (!V)
        return Fail(1277);
    const Boolean VarRef = V->VarType == vtStdVarRef;
    if (VarRef) {
        const TVariable* Standard = nullptr;
        for (const auto& Candidate : IODD->SD_VariableCollection->Var_List)
            if (Candidate->Id == V->Id)
                Standard = Candidate.get();   // the last one with that id
        if (!Standard)
            return Fail(1277);
        V = Standard;
    }

    const TDataType* Type = V->DataType.get();
    if (Type && Type->IsDataTypeRef)
        Type = IODD->Resolve_DataType(Type->Ref_DataTypeId, VarRef);
    if (!Type)
        return true;   // a type that cannot be resolved passes
    if (Type->IsSimpleDataType) {
        if (!Type->SimpleDataType)
            return true;
        const TSimpleDataType* Simple = IOLinkResolveSimple(Type->SimpleDataType.get(), IODD, VarRef);
        return !Simple || Check_SimpleDataType(Simple, Value) || Fail(1278);
    }
    const TComplexDataType* Complex = Type->ComplexDataType.get();
    if (!Complex)
        return true;
    const Integer Sub = IntDef(SubIndex, -1);
    if (Complex->ActualComplexDataType == acdtArrayT) {
        const TSimpleDataType* Element = Complex->Arr_RecItem.empty()
                                             ? nullptr
                                             : dynamic_cast<const TSimpleDataType*>(Complex->Arr_RecItem[0].get());
        if (!Element)
            return Fail(1280);
        // Elements are numbered from 0, as the variable list holds them.
        if (Sub < 0 || Sub >= Complex->Count)
            return Fail(1279);
        const TSimpleDataType* Simple = IOLinkResolveSimple(Element, IODD, VarRef);
        return !Simple || Check_SimpleDataType(Simple, Value) || Fail(1278);
    }
    if (Complex->ActualComplexDataType == acdtRecordT) {
        const TRecordItem* Found = nullptr;
        bool AnyItem = false;
        for (const auto& Entry : Complex->Arr_RecItem) {
            const auto* Item = dynamic_cast<const TRecordItem*>(Entry.get());
            AnyItem = AnyItem || Item;
            if (Item && !Found && Item->SubIndex == Sub)
                Found = Item;
        }
        if (!AnyItem)
            return Fail(1280);
        if (!Found)
            return Fail(1279);
        const TSimpleDataType* Simple = IOLinkResolveSimple(Found->SimpleTD.get(), IODD, VarRef);
        return !Simple || Check_SimpleDataType(Simple, Value) || Fail(1278);
    }
    return true;
}

Boolean TIO_Link_Set_Access_Core::Check_SimpleDataType(const TSimpleDataType* aSimpleDT, const String& Value) const
{
    if (!aSimpleDT)
        return true;
    switch (aSimpleDT->ActualSimpleDataType) {
    case asdtBooleanT: return InRange(Value, 0, 1);
    case asdtUIntegerT: {
        const Integer Bits = qBound(0, aSimpleDT->BitLength, 64);
        return InRange(Value, 0, (TWide(1) << Bits) - 1);
    }
    case asdtIntegerT: {
        const Integer Bits = qBound(1, aSimpleDT->BitLength, 64);
        const TWide Half = TWide(1) << (Bits - 1);
        return InRange(Value, -Half, Half - 1);
    }
    case asdtFloat32T: {
        TFormatSettings Settings = FormatSettings;
        Settings.DecimalSeparator = Get_Decimal_Separator();
        double Number = 0;
        return TryStrToFloat(Value, Number, Settings);
    }
    default: return true;
    }
}
