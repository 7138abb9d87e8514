// The object tree of a decoded device description and its accessors.
#include "iolink/UIOLink_IODD_Decode.h"

using namespace Qt::StringLiterals;

namespace {

String IoddSimpleTypeName(TActualSimpleDataType Type)
{
    switch (Type) {
    case asdtNONE: return u"None"_s;
    case asdtBooleanT: return u"BooleanT"_s;
    case asdtUIntegerT: return u"UIntegerT"_s;
    case asdtIntegerT: return u"IntegerT"_s;
    case asdtFloat32T: return u"Float32T"_s;
    case asdtStringT: return u"StringT"_s;
    case asdtOctetStringT: return u"OctetStringT"_s;
    case asdtTimeT: return u"TimeT"_s;
    case asdtTimeSpanT: return u"TimeSpanT"_s;
    }
    return String();
}

String IoddSimpleLength(const TSimpleDataType& Type)
{
    switch (Type.ActualSimpleDataType) {
    case asdtBooleanT: return u"1"_s;
    case asdtUIntegerT:
    case asdtIntegerT: return String::number(Type.BitLength);
    case asdtFloat32T: return u"32"_s;
    case asdtStringT:
    case asdtOctetStringT: return String::number(Type.FixedLength);
    case asdtTimeSpanT: return u"64"_s;
    case asdtTimeT:
    case asdtNONE: break;
    }
    return String();
}

String IoddComplexLength(const TComplexDataType& Type)
{
    return Type.ActualComplexDataType == acdtRecordT ? String::number(Type.BitLength) : String();
}

String IoddAccessText(TAccessRights Rights)
{
    switch (Rights) {
    case arRO: return u"Read Only"_s;
    case arRW: return u"Read Write"_s;
    case arWO: return u"Write Only"_s;
    }
    return String();
}

// The simple type a simple type stands for: itself, or the simple type its
// reference names; null when the reference leads nowhere simple.
const TSimpleDataType* IoddResolveSimple(const TSimpleDataType& Type, const TIODD* aIODD, Boolean VarRef)
{
    if (!Type.IsSimpleDataRef)
        return &Type;
    const TDataType* Found = aIODD->Resolve_DataType(Type.DataTypeId, VarRef);
    if (!Found || !Found->IsSimpleDataType || !Found->SimpleDataType)
        return nullptr;
    return Found->SimpleDataType.get();
}

// A variable's type, resolved when it is a reference; null when unknown.
const TDataType* IoddVariableType(const TVariable& Var, const TIODD* aIODD, Boolean VarRef)
{
    if (!Var.DataType)
        return nullptr;
    if (!Var.DataType->IsDataTypeRef)
        return Var.DataType.get();
    return aIODD->Resolve_DataType(Var.DataType->Ref_DataTypeId, VarRef);
}

// A text of a type: of its simple or its complex part; empty for none.
template <class TSimpleText, class TComplexText>
String IoddTypeText(const TDataType* Type, TSimpleText SimpleText, TComplexText ComplexText)
{
    if (!Type)
        return String();
    if (Type->IsSimpleDataType)
        return Type->SimpleDataType ? SimpleText(*Type->SimpleDataType) : String();
    return Type->ComplexDataType ? ComplexText(*Type->ComplexDataType) : String();
}

String IoddComplexName(const TComplexDataType& Type)
{
    return Type.Get_ActualComplexDataType();
}

// Which of the three menu values of process data is asked for.
enum TIoddMenuValue { imvGradient, imvOffset, imvUnitCode };

template <class TRef>
String IoddMenuValue(const TRef& Ref, TIoddMenuValue Which)
{
    switch (Which) {
    case imvGradient: return Ref.Gradient;
    case imvOffset: return Ref.Offset;
    case imvUnitCode: return Ref.UnitCode;
    }
    return String();
}

String IoddProcessDataMenuValue(const TIODD* aIODD, Boolean SimpleDataType, Boolean ProcessDataIn,
                                const String& SubIndex, TIoddMenuValue Which, const String& Default)
{
    String Result = Default;
    const String VariableId = ProcessDataIn ? u"V_ProcessDataInput"_s : u"V_ProcessDataOutput"_s;
    const auto& Menus = aIODD->ProfileBody->DeviceFunction->UserInterface->MenuCollection->Menu_List;
    // Every entry that counts replaces the result: the last one wins.
    for (const auto& Menu : Menus) {
        for (const auto& Entry : Menu->MenuVariableRef_List) {
            if (SimpleDataType) {
                const auto* Ref = MenuEntryAs<TMenuVariableRef>(Entry.get());
                if (Ref && Ref->VariableId == VariableId)
                    Result = IoddMenuValue(*Ref, Which);
            } else {
                const auto* Ref = MenuEntryAs<TMenuRecordItemRef>(Entry.get());
                if (Ref && Ref->VariableId == VariableId && Ref->SubIndex == SubIndex)
                    Result = IoddMenuValue(*Ref, Which);
            }
        }
    }
    return Result;
}

} // namespace

// ------------------------------------------------------------------ texts

void TExtTextCol::Erase_All()
{
    List_Ids.clear();
    PriLang_Values.clear();
    OtherLang.clear();
}

Integer TExtTextCol::Find_ID(const String& ID) const
{
    // Letter case is folded unit by unit, so only ids of the same length
    // can match.
    for (std::size_t I = 0; I < List_Ids.size(); ++I)
        if (List_Ids[I].size() == ID.size() && List_Ids[I].compare(ID, Qt::CaseInsensitive) == 0)
            return static_cast<Integer>(I);
    return -1;
}

Boolean TExtTextCol::Get_Value_From_ID(const String& ID, String& Value) const
{
    const Integer I = Find_ID(ID);
    if (I < 0 || static_cast<std::size_t>(I) >= PriLang_Values.size()) {
        Value.clear();
        return false;
    }
    Value = PriLang_Values[I];
    return true;
}

// ------------------------------------------------------------- data types

Integer TDataTypeCollection::GetDTIndex(const String& id) const
{
    for (std::size_t I = 0; I < ListDataType.size(); ++I) {
        const TDataType& Type = *ListDataType[I];
        const String* TypeId = nullptr;
        if (Type.IsSimpleDataType) {
            if (Type.SimpleDataType)
                TypeId = &Type.SimpleDataType->Id;
        } else if (Type.ComplexDataType) {
            TypeId = &Type.ComplexDataType->Id;
        }
        if (TypeId && *TypeId == id)
            return static_cast<Integer>(I);
    }
    return -1;
}

String TSimpleDataType::Get_ActualSimpleDataType(const TIODD* aIODD, Boolean VarRef) const
{
    const TSimpleDataType* Type = IoddResolveSimple(*this, aIODD, VarRef);
    return Type ? IoddSimpleTypeName(Type->ActualSimpleDataType) : String();
}

String TSimpleDataType::Get_Length(const TIODD* aIODD, Boolean VarRef) const
{
    const TSimpleDataType* Type = IoddResolveSimple(*this, aIODD, VarRef);
    return Type ? IoddSimpleLength(*Type) : String();
}

String TComplexDataType::Get_ActualComplexDataType() const
{
    switch (ActualComplexDataType) {
    case acdtNONE: return u"None"_s;
    case acdtArrayT: return u"ArrayT"_s;
    case acdtRecordT: return u"RecordT"_s;
    }
    return String();
}

String TRecordItem::GetAccessRightRestrictionStr() const
{
    return IoddAccessText(AccessRightRestriction);
}

// -------------------------------------------------------------- variables

String TVariable::Get_DataType(const TIODD* aIODD, Boolean VarRef) const
{
    return IoddTypeText(
        IoddVariableType(*this, aIODD, VarRef),
        [&](const TSimpleDataType& T) { return T.Get_ActualSimpleDataType(aIODD, VarRef); }, IoddComplexName);
}

String TVariable::Get_Length(const TIODD* aIODD, Boolean VarRef) const
{
    return IoddTypeText(
        IoddVariableType(*this, aIODD, VarRef),
        [&](const TSimpleDataType& T) { return T.Get_Length(aIODD, VarRef); }, IoddComplexLength);
}

String TVariable::Get_AccessRights() const
{
    return IoddAccessText(AccessRights);
}

String TVariable::Get_SubIndAccSup(const TIODD* aIODD, Boolean VarRef) const
{
    const TDataType* Type = IoddVariableType(*this, aIODD, VarRef);
    const bool Supported = Type && !Type->IsSimpleDataType && Type->ComplexDataType
                           && Type->ComplexDataType->SubIndexAccessSupPresent
                           && Type->ComplexDataType->SubIndexAccessSup;
    return Supported ? u"True"_s : u"False"_s;
}

TVariable* TVariable::Get_Index_Var_Ref(const TIODD* aIODD) const
{
    if (VarType != vtStdVarRef)
        return nullptr;
    const Integer I = aIODD->Find_Var_SD(Id);
    return I < 0 ? nullptr : aIODD->SD_VariableCollection->Var_List[I].get();
}

TVariable* TVariableCollection::Get_Variables(const String& Index, const String& SubIndex) const
{
    Q_UNUSED(SubIndex);
    bool Ok = false;
    Integer Wanted = Index.toInt(&Ok);
    if (!Ok)
        Wanted = -1;
    for (const auto* List : {&StdVar_List, &Var_List})
        for (const auto& Var : *List)
            if (Var->Index == Wanted)
                return Var.get();
    return nullptr;
}

TVariable* TVariableCollection::Get_Variables_IDs(const String& VarIDs) const
{
    for (const auto* List : {&StdVar_List, &Var_List})
        for (const auto& Var : *List)
            if (Var->Id == VarIDs)
                return Var.get();
    return nullptr;
}

// ------------------------------------------------------ process data

TProcessDataInOut::TProcessDataInOut()
    : DataType(std::make_unique<TDataType>())
{
}

String TProcessDataInOut::Get_DataTypeStr(const TIODD* aIODD) const
{
    const TDataType* Type = DataType.get();
    if (Type && Type->IsDataTypeRef)
        Type = aIODD->Resolve_DataType(Type->Ref_DataTypeId, false);
    return IoddTypeText(
        Type, [&](const TSimpleDataType& T) { return T.Get_ActualSimpleDataType(aIODD, false); }, IoddComplexName);
}

TDataType* TProcessDataInOut::GetDataType(const TIODD* aIODD) const
{
    if (!DataType || !DataType->IsDataTypeRef)
        return nullptr;
    return aIODD->Resolve_DataType(DataType->Ref_DataTypeId, false);
}

String TProcessDataInOut::Get_Gradient(const TIODD* aIODD, Boolean SimpleDataType, Boolean ProcessDataIn,
                                       const String& SubIndex) const
{
    return IoddProcessDataMenuValue(aIODD, SimpleDataType, ProcessDataIn, SubIndex, imvGradient, u"1"_s);
}

String TProcessDataInOut::Get_Offset(const TIODD* aIODD, Boolean SimpleDataType, Boolean ProcessDataIn,
                                     const String& SubIndex) const
{
    return IoddProcessDataMenuValue(aIODD, SimpleDataType, ProcessDataIn, SubIndex, imvOffset, u"0"_s);
}

String TProcessDataInOut::Get_UnitCode(const TIODD* aIODD, Boolean SimpleDataType, Boolean ProcessDataIn,
                                       const String& SubIndex) const
{
    return IoddProcessDataMenuValue(aIODD, SimpleDataType, ProcessDataIn, SubIndex, imvUnitCode, String());
}

// ------------------------------------------------------- containers

TUserInterface::TUserInterface()
    : MenuCollection(std::make_unique<TMenuCollection>())
{
}

TDeviceFunction::TDeviceFunction()
    : Features(std::make_unique<TFeatures>()),
      DataTypeCollection(std::make_unique<TDataTypeCollection>()),
      VariableCollection(std::make_unique<TVariableCollection>()),
      ProcessDataCollection(std::make_unique<TProcessDataCollection>()),
      EventCollection(std::make_unique<TEventCollection>()),
      UserInterface(std::make_unique<TUserInterface>())
{
}

TProfileBody::TProfileBody()
    : DeviceIdentity(std::make_unique<TDeviceIdentity>()),
      DeviceFunction(std::make_unique<TDeviceFunction>())
{
}

Integer TPhysicalLayer::Get_BitRate() const
{
    const String Rate = FBitRate.toUpper().trimmed();
    const qsizetype At = Rate.indexOf(u"COM"_s);
    if (At < 0)
        return 0;
    bool Ok = false;
    const Integer Value = Rate.mid(At + 3).trimmed().toInt(&Ok);
    return Ok ? Value : 0;
}

Integer TPhysicalLayer::Get_MinCycleTime() const
{
    bool Ok = false;
    const Integer Value = FMinCycleTime.toInt(&Ok);
    return Ok ? Value : 0;
}

// ------------------------------------------------------------------- root

TIODD::TIODD()
    : DocumentInfo(std::make_unique<TDocumentInfo>()),
      ProfileHeader(std::make_unique<TProfileHeader>()),
      ProfileBody(std::make_unique<TProfileBody>()),
      ExtTextCol(std::make_unique<TExtTextCol>()),
      PhysicalLayer(std::make_unique<TPhysicalLayer>()),
      SD_ExtTextCol(std::make_shared<TExtTextCol>()),
      SD_DataTypeCollection(std::make_shared<TDataTypeCollection>()),
      SD_VariableCollection(std::make_shared<TVariableCollection>()),
      SD_EventCollection(std::make_shared<TEventCollection>())
{
}

TIODD::~TIODD() = default;

Integer TIODD::Find_DataType(const String& ID_DataType, const TDataTypeCollection* DTC) const
{
    return DTC ? DTC->GetDTIndex(ID_DataType) : -1;
}

TDataType* TIODD::Resolve_DataType(const String& Id, Boolean VarRef) const
{
    const TDataTypeCollection* Types =
        VarRef ? SD_DataTypeCollection.get() : ProfileBody->DeviceFunction->DataTypeCollection.get();
    const Integer I = Types->GetDTIndex(Id);
    return I < 0 ? nullptr : Types->ListDataType[I].get();
}

String TIODD::GetDesc_ExtTextCol(Boolean StdDef, const String& Text) const
{
    String Value;
    const TExtTextCol& Texts = StdDef ? *SD_ExtTextCol : *ExtTextCol;
    if (Texts.Get_Value_From_ID(Text, Value))
        return Value;
    return Text;
}

TEventData* TIODD::Get_Event_SD(Integer Code) const
{
    for (const auto& Event : SD_EventCollection->Event_List)
        if (Event->Code == Code)
            return Event.get();
    return nullptr;
}

Integer TIODD::Find_Var_SD(const String& ID) const
{
    const auto& Vars = SD_VariableCollection->Var_List;
    for (std::size_t I = 0; I < Vars.size(); ++I)
        if (Vars[I]->Id == ID)
            return static_cast<Integer>(I);
    return -1;
}
