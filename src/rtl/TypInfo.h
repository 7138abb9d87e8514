#pragma once
// Names of enumeration values, so that values stream by name: a value reads
// and writes as its name ("edNone"), a set as its names in brackets
// ("[hcNormal,hcSelected]").
//
// An enumeration gets its name table where it is declared:
//   RTL_NAMED_ENUM(THoverRowCell, hcNormal, hcFixed, hcSelected)
// declares the plain enumeration and EnumTypeInfo(THoverRowCell), which the
// templates below find by argument-dependent lookup.
#include "rtl/Sets.h"

#include <QStringList>

#include <vector>

RTL_DECLARE_EXCEPTION(EPropertyConvertError, Exception)

// The names of one enumeration's values in declaration order, so the
// ordinal of a value is its index.
class TEnumTypeInfo {
public:
    // ValueList is the enumerators as written in the declaration, separated
    // by commas.
    TEnumTypeInfo(const char* TypeName, const char* ValueList);

    const String& TypeName() const { return FTypeName; }
    Integer Count() const { return Integer(FNames.size()); }
    const QStringList& Names() const { return FNames; }

private:
    String FTypeName;
    QStringList FNames;
};

#define RTL_ENUM_TYPE_INFO(Type, ...)                               \
    inline const TEnumTypeInfo& EnumTypeInfo(Type)                  \
    {                                                               \
        static const TEnumTypeInfo Info(#Type, #__VA_ARGS__);       \
        return Info;                                                \
    }

#define RTL_NAMED_ENUM(Type, ...)                                   \
    enum Type { __VA_ARGS__ };                                      \
    RTL_ENUM_TYPE_INFO(Type, __VA_ARGS__)

// The same for an enumeration the design keeps in one byte.
#define RTL_NAMED_BYTE_ENUM(Type, ...)                              \
    enum Type : Byte { __VA_ARGS__ };                               \
    RTL_ENUM_TYPE_INFO(Type, __VA_ARGS__)

// The name of the value with that ordinal; empty outside the enumeration.
String GetEnumName(const TEnumTypeInfo& Info, Integer Value);
// The ordinal of the value of that name, case ignored; -1 when unknown.
Integer GetEnumValue(const TEnumTypeInfo& Info, const String& Name);
// The names of the ordinals, in ordinal order, separated by "," without
// blanks, in brackets when asked.
String OrdinalsToSetString(const TEnumTypeInfo& Info, const std::vector<Integer>& Ordinals, bool Brackets);
// The ordinals named in Text: names separated by commas, blanks around them
// and the brackets optional. An unknown name raises EPropertyConvertError
// "Invalid property element: <name>".
std::vector<Integer> SetStringToOrdinals(const TEnumTypeInfo& Info, const String& Text);

template <typename Enum>
String GetEnumName(Enum Value)
{
    return GetEnumName(EnumTypeInfo(Value), Integer(Value));
}

template <typename Enum>
Integer GetEnumValue(const String& Name)
{
    return GetEnumValue(EnumTypeInfo(Enum{}), Name);
}

template <typename Enum, std::size_t N>
String SetToString(const TSet<Enum, N>& Set, bool Brackets = true)
{
    const TEnumTypeInfo& Info = EnumTypeInfo(Enum{});
    std::vector<Integer> Ordinals;
    for (Integer Ord = 0; Ord < Info.Count(); ++Ord)
        if (Set.Contains(Enum(Ord)))
            Ordinals.push_back(Ord);
    return OrdinalsToSetString(Info, Ordinals, Brackets);
}

// StringToSet<THoverRowCells>("[hcNormal,hcSelected]").
template <typename SetType>
SetType StringToSet(const String& Text)
{
    using Enum = typename SetType::EnumType;
    SetType Set;
    for (Integer Ord : SetStringToOrdinals(EnumTypeInfo(Enum{}), Text))
        Set.Include(Enum(Ord));
    return Set;
}
