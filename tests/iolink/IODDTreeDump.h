#pragma once
// Writes every field of a decoded description as indented lines, so tests
// compare whole trees (nothing missing, nothing extra) in one readable diff.
#include "iolink/UIOLink_IODD_Decode.h"

#include <QStringList>

#include <type_traits>

namespace iodd_test {

using namespace Qt::StringLiterals;

class TTreeDump {
public:
    explicit TTreeDump(const TIODD& IODD) : FIODD(IODD) {}

    QString Text()
    {
        const TIODD& D = FIODD;
        Line(u"DocumentInfo"_s.append(Fields({{"Version", D.DocumentInfo->Version()},
                                                {"ReleaseDate", D.DocumentInfo->ReleaseDate()},
                                                {"Copyright", D.DocumentInfo->Copyright()}})));
        const TProfileHeader& H = *D.ProfileHeader;
        Line(u"ProfileHeader"_s.append(Fields({{"ProfileIdentification", H.ProfileIdentification()},
                                                 {"ProfileRevision", Num(H.ProfileRevision())},
                                                 {"ProfileName", H.ProfileName()},
                                                 {"ProfileSource", H.ProfileSource()},
                                                 {"ProfileClassID", H.ProfileClassID()},
                                                 {"ISO15745Part", H.ISO15745Part()},
                                                 {"ISO15745Edition", H.ISO15745Edition()},
                                                 {"ProfileTechnology", H.ProfileTechnology()}})));
        Identity(*D.ProfileBody->DeviceIdentity);
        Function(*D.ProfileBody->DeviceFunction);
        Texts(u"ExtTextCol"_s, *D.ExtTextCol);
        const TPhysicalLayer& P = *D.PhysicalLayer;
        Line(u"PhysicalLayer"_s.append(Fields({{"BitRate", P.BitRate()},
                                                 {"MinCycleTime", P.MinCycleTime()},
                                                 {"SIOSupported", Bool(P.SIOSupported())},
                                                 {"MSequenceCapability", P.MSequenceCapability()}})));
        Texts(u"SD_ExtTextCol"_s, *D.SD_ExtTextCol);
        Types(u"SD_DataTypeCollection"_s, *D.SD_DataTypeCollection);
        Variables(u"SD_VariableCollection"_s, *D.SD_VariableCollection);
        Events(u"SD_EventCollection"_s, *D.SD_EventCollection);
        return FLines.join(u'\n') + u'\n';
    }

private:
    const TIODD& FIODD;
    QStringList FLines;
    int FDepth = 0;

    struct TField {
        const char* Key;
        QString Value;
    };

    // Values that are false or 0 are left out, like empty texts, to keep
    // the expected trees short; initial values such as 1, -1 or arRW show.
    static QString Bool(bool Value) { return Value ? u"true"_s : QString(); }
    template <class T>
    static QString Num(T Value)
    {
        if constexpr (std::is_floating_point_v<T>)
            return Value != 0 ? QString::number(Value) : QString();
        else
            return Value != 0 ? QString::number(static_cast<qint64>(Value)) : QString();
    }

    // " key=value" for each field that is not empty.
    static QString Fields(std::initializer_list<TField> List)
    {
        QString Result;
        for (const TField& F : List)
            if (!F.Value.isEmpty())
                Result += u' ' + QString::fromLatin1(F.Key) + u'=' + F.Value;
        return Result;
    }

    void Line(const QString& Text) { FLines.append(QString(FDepth * 2, u' ') + Text); }

    struct TIndent {
        explicit TIndent(int& Depth) : FDepth(Depth) { ++FDepth; }
        ~TIndent() { --FDepth; }
        int& FDepth;
    };

    void Identity(const TDeviceIdentity& I)
    {
        Line(u"DeviceIdentity"_s.append(Fields({{"VendorId", I.VendorId()},
                                                  {"VendorName", I.VendorName()},
                                                  {"DeviceId", I.DeviceId()},
                                                  {"VendorText", I.VendorText()},
                                                  {"VendorUrl", I.VendorUrl()},
                                                  {"VendorLogo", I.VendorLogo()},
                                                  {"DeviceName", I.DeviceName()},
                                                  {"DeviceFamily", I.DeviceFamily()}})));
        TIndent In(FDepth);
        for (const auto& V : I.DeviceVariant_List)
            Line(u"DeviceVariant"_s.append(Fields({{"ProductId", V->ProductId()},
                                                     {"DeviceSymbol", V->DeviceSymbol()},
                                                     {"DeviceIcon", V->DeviceIcon()},
                                                     {"Name", V->Name()},
                                                     {"Description", V->Description()}})));
    }

    void Function(const TDeviceFunction& F)
    {
        const TFeatures& X = *F.Features;
        Line(u"Features"_s.append(Fields({{"BlockParameter", Bool(X.BlockParameter())},
                                            {"DataStorage", Bool(X.DataStorage())},
                                            {"SAL_LocalUserInterface", Bool(X.SAL_LocalUserInterface())},
                                            {"SAL_DataStorage", Bool(X.SAL_DataStorage())},
                                            {"SAL_Parameter", Bool(X.SAL_Parameter())},
                                            {"SAL_LocalParameterization", Bool(X.SAL_LocalParameterization())}})));
        Types(u"DataTypeCollection"_s, *F.DataTypeCollection);
        Variables(u"VariableCollection"_s, *F.VariableCollection);
        Line(u"ProcessDataCollection"_s);
        {
            TIndent In(FDepth);
            for (const auto& P : F.ProcessDataCollection->ProcessData_List) {
                Line(u"ProcessData"_s.append(Fields({{"Id", P->Id}})));
                TIndent In2(FDepth);
                if (P->Condition)
                    Line(u"Condition"_s.append(Fields({{"VariableId", P->Condition->VariableId},
                                                         {"SubIndex", Num(P->Condition->SubIndex)},
                                                         {"Value", Num(P->Condition->Value)}})));
                if (P->ProcessDataIn)
                    InOut(u"ProcessDataIn"_s, *P->ProcessDataIn);
                if (P->ProcessDataOut)
                    InOut(u"ProcessDataOut"_s, *P->ProcessDataOut);
            }
        }
        Events(u"EventCollection"_s, *F.EventCollection);
        Line(u"MenuCollection"_s);
        TIndent In(FDepth);
        for (const auto& M : F.UserInterface->MenuCollection->Menu_List) {
            Line(u"Menu"_s.append(Fields({{"Id", M->Id}, {"Name", M->Name}})));
            TIndent In2(FDepth);
            for (const auto& E : M->MenuVariableRef_List) {
                if (const auto* R = dynamic_cast<const TMenuVariableRef*>(E.get()))
                    Line(u"VariableRef"_s.append(Fields({{"VariableId", R->VariableId},
                                                           {"Gradient", R->Gradient},
                                                           {"Offset", R->Offset},
                                                           {"UnitCode", R->UnitCode},
                                                           {"AccessRightRestriction", R->AccessRightRestriction},
                                                           {"DisplayFormat", R->DisplayFormat}})));
                else if (const auto* R = dynamic_cast<const TMenuRecordItemRef*>(E.get()))
                    Line(u"RecordItemRef"_s.append(Fields({{"VariableId", R->VariableId},
                                                             {"SubIndex", R->SubIndex},
                                                             {"Gradient", R->Gradient},
                                                             {"Offset", R->Offset},
                                                             {"UnitCode", R->UnitCode},
                                                             {"AccessRightRestriction", R->AccessRightRestriction},
                                                             {"DisplayFormat", R->DisplayFormat}})));
                else
                    Line(u"UNKNOWN MENU ENTRY"_s);
            }
        }
    }

    void InOut(const QString& Title, const TProcessDataInOut& P)
    {
        Line(Title + Fields({{"Id", P.Id}, {"BitLength", Num(P.BitLength)}, {"Name", P.Name}}));
        TIndent In(FDepth);
        if (P.DataType)
            Type(*P.DataType);
    }

    void Texts(const QString& Title, const TExtTextCol& T)
    {
        Line(Title + Fields({{"Lang_Code_Primary", T.Lang_Code_Primary()},
                             {"OtherLang", Num(T.OtherLang.size())}}));
        TIndent In(FDepth);
        if (T.List_Ids.size() != T.PriLang_Values.size())
            Line(u"LISTS DIFFER IN LENGTH"_s);
        for (std::size_t I = 0; I < T.List_Ids.size() && I < T.PriLang_Values.size(); ++I)
            Line(T.List_Ids[I] + u" = "_s + T.PriLang_Values[I]);
    }

    void Types(const QString& Title, const TDataTypeCollection& C)
    {
        Line(Title);
        TIndent In(FDepth);
        for (const auto& T : C.ListDataType)
            Type(*T);
    }

    void Type(const TDataType& T)
    {
        Line(u"DataType"_s.append(Fields({{"IsSimpleDataType", Bool(T.IsSimpleDataType)},
                                            {"IsDataTypeRef", Bool(T.IsDataTypeRef)},
                                            {"Ref_DataTypeId", T.Ref_DataTypeId}})));
        TIndent In(FDepth);
        if (T.SimpleDataType)
            Simple(u"Simple"_s, *T.SimpleDataType);
        if (T.ComplexDataType) {
            const TComplexDataType& C = *T.ComplexDataType;
            Line(u"Complex"_s.append(Fields({{"ActualComplexDataType", Num(C.ActualComplexDataType)},
                                               {"Id", C.Id},
                                               {"SubIndexAccessSupPresent", Bool(C.SubIndexAccessSupPresent)},
                                               {"SubIndexAccessSup", Bool(C.SubIndexAccessSup)},
                                               {"Count", Num(C.Count)},
                                               {"BitLength", Num(C.BitLength)}})));
            TIndent In2(FDepth);
            for (const auto& E : C.Arr_RecItem) {
                if (const auto* S = dynamic_cast<const TSimpleDataType*>(E.get())) {
                    Simple(u"Element"_s, *S);
                } else if (const auto* R = dynamic_cast<const TRecordItem*>(E.get())) {
                    Line(u"RecordItem"_s.append(Fields({{"SubIndex", Num(R->SubIndex)},
                                                          {"BitOffset", Num(R->BitOffset)},
                                                          {"AccessRightRestriction",
                                                           Num(R->AccessRightRestriction)},
                                                          {"AccessRightResPresent", Bool(R->AccessRightResPresent)},
                                                          {"Name", R->Name},
                                                          {"Description", R->Description}})));
                    TIndent In3(FDepth);
                    if (R->SimpleTD)
                        Simple(u"SimpleTD"_s, *R->SimpleTD);
                } else {
                    Line(u"UNKNOWN ITEM"_s);
                }
            }
        }
    }

    void Simple(const QString& Title, const TSimpleDataType& S)
    {
        Line(Title + Fields({{"IsSimpleDataRef", Bool(S.IsSimpleDataRef)},
                             {"DataTypeId", S.DataTypeId},
                             {"ActualSimpleDataType", Num(S.ActualSimpleDataType)},
                             {"Id", S.Id},
                             {"BitLength", Num(S.BitLength)},
                             {"FixedLength", Num(S.FixedLength)},
                             {"Encodig", S.Encodig}}));
        TIndent In(FDepth);
        for (const auto& V : S.SingleValueRange) {
            if (const auto* B = dynamic_cast<const TBooleanValueT*>(V.get()))
                Line(u"Boolean"_s.append(Fields({{"Value", Bool(B->Value)}, {"Name", B->Name}})));
            else if (const auto* I = dynamic_cast<const TIntegerValueRangeT*>(V.get()))
                Line(u"Integer"_s.append(Fields({{"ValueType", Bool(I->ValueType)},
                                                   {"Value", Num(I->Value)},
                                                   {"LowerValue", Num(I->LowerValue)},
                                                   {"UpperValue", Num(I->UpperValue)},
                                                   {"Name", I->Name}})));
            else if (const auto* F = dynamic_cast<const TFloat32ValueRangeT*>(V.get()))
                Line(u"Float32"_s.append(Fields({{"ValueType", Bool(F->ValueType)},
                                                   {"Value", Num(F->Value)},
                                                   {"LowerValue", Num(F->LowerValue)},
                                                   {"UpperValue", Num(F->UpperValue)},
                                                   {"Name", F->Name}})));
            else
                Line(u"UNKNOWN VALUE"_s);
        }
    }

    void Variables(const QString& Title, const TVariableCollection& C)
    {
        Line(Title);
        TIndent In(FDepth);
        for (const auto* List : {&C.StdVar_List, &C.Var_List}) {
            for (const auto& V : *List) {
                Line((List == &C.StdVar_List ? u"StdVar"_s : u"Var"_s)
                         .append(Fields({{"VarType", Num(V->VarType)},
                                         {"Id", V->Id},
                                         {"AccessRights", Num(V->AccessRights)},
                                         {"Dynamic_V", Bool(V->Dynamic_V)},
                                         {"ModifiesOtherVariables", Bool(V->ModifiesOtherVariables)},
                                         {"ExcludedFromDataStorage", Bool(V->ExcludedFromDataStorage)},
                                         {"Index", Num(V->Index)},
                                         {"DefaultValue", V->DefaultValue},
                                         {"Name", V->Name},
                                         {"Description", V->Description},
                                         {"FixedLengthRestriction", Num(V->FixedLengthRestriction)},
                                         {"SingleValueRangeList", Num(V->SingleValueRangeList.size())},
                                         {"StdRecordItemRefList",
                                          Num(V->StdRecordItemRefList.size())}})));
                TIndent In2(FDepth);
                if (V->DataType)
                    Type(*V->DataType);
                for (const auto& R : V->RecordItemInfoList)
                    Line(u"RecordItemInfo"_s.append(Fields({{"Subindex", Num(R->Subindex)},
                                                              {"DefaultValue", R->DefaultValue},
                                                              {"ModifiesOtherVariables",
                                                               Bool(R->ModifiesOtherVariables)},
                                                              {"ExcludedFromDataStorage",
                                                               Bool(R->ExcludedFromDataStorage)}})));
            }
        }
    }

    void Event(const QString& Title, const TEventData& E)
    {
        Line(Title + Fields({{"Code", Num(E.Code)},
                             {"EventType", E.EventType},
                             {"Name", E.Name},
                             {"Description", E.Description}}));
    }

    void Events(const QString& Title, const TEventCollection& C)
    {
        Line(Title);
        TIndent In(FDepth);
        for (const TEventData* E : C.StdEventRef_List)
            Event(u"StdEventRef"_s, *E);
        for (const auto& E : C.Event_List)
            Event(u"Event"_s, *E);
    }
};

inline QString Dump(const TIODD& IODD)
{
    return TTreeDump(IODD).Text();
}

} // namespace iodd_test
