#pragma once
// Helpers shared by the sources of UIO_Link_Set_Access only.
#include "iolink/UIO_Link_Set_Access.h"
#include "rtl/SysUtils.h"

#include <vector>

namespace iolink_sa {

// Wide enough for every bound the check compares with (unsigned 64-bit
// values up to 2^64 - 1 and their negatives).
using TWide = __int128;

// A whole decimal number with an optional sign and nothing else around it.
// Numbers beyond the range of any bound are kept saturated, so they stay
// out of every range without wrapping round.
inline bool ParseWide(const String& S, TWide& Value)
{
    const qsizetype N = S.size();
    qsizetype I = 0;
    bool Negative = false;
    if (I < N && (S[I] == u'+' || S[I] == u'-'))
        Negative = S[I++] == u'-';
    if (I == N)
        return false;
    constexpr TWide Saturated = TWide(1) << 100;
    TWide Result = 0;
    for (; I < N; ++I) {
        const char16_t C = S[I].unicode();
        if (C < u'0' || C > u'9')
            return false;
        if (Result < Saturated)
            Result = Result * 10 + (C - u'0');
    }
    Value = Negative ? -Result : Result;
    return true;
}

// Whether S is an integer from Low to High.
inline bool InRange(const String& S, TWide Low, TWide High)
{
    TWide Value = 0;
    return ParseWide(S, Value) && Value >= Low && Value <= High;
}

// S as an integer; Default when it is not one or does not fit.
inline Integer IntDef(const String& S, Integer Default)
{
    TWide Value = 0;
    if (!ParseWide(S, Value) || Value < TWide(INT32_MIN) || Value > TWide(INT32_MAX))
        return Default;
    return static_cast<Integer>(Value);
}

inline const char* BoolText(bool Value) { return Value ? "True" : "False"; }

// Automatic positions are worked out in 64 bits and kept within 0 and this
// limit, so no length of a description can wrap them round; the check
// refuses every position beyond the gateway's data anyway.
inline constexpr Int64 PositionLimit = INT32_MAX;

inline Integer ClampPosition(Int64 Position) { return Integer(qBound<Int64>(0, Position, PositionLimit)); }

// Shapes of variables and process data, shared by the list builders and
// the pages that show them.

// Bytes of a length in bits.
inline Int64 IOLinkBytesOf(Int64 Bits) { return (qMax<Int64>(Bits, 0) + 7) / 8; }

inline Integer IOLinkArrayCount(const TComplexDataType& Type)
{
    return qBound(0, Type.Count, TIO_Link_Set_Access_Core::Max_SubIndex + 1);
}

// The element type of an array; null when it has none.
inline const TSimpleDataType* IOLinkArrayElement(const TComplexDataType& Type)
{
    return Type.Arr_RecItem.empty() ? nullptr : dynamic_cast<const TSimpleDataType*>(Type.Arr_RecItem.front().get());
}

inline std::vector<const TRecordItem*> IOLinkRecordItems(const TComplexDataType& Type)
{
    std::vector<const TRecordItem*> Items;
    for (const auto& Entry : Type.Arr_RecItem)
        if (const auto* Item = dynamic_cast<const TRecordItem*>(Entry.get()))
            Items.push_back(Item);
    return Items;
}

// The complex type a data type is, after resolving a reference; null for a
// simple or unknown type.
inline const TComplexDataType* IOLinkComplexType(const TDataType* Type)
{
    return Type && !Type->IsSimpleDataType ? Type->ComplexDataType.get() : nullptr;
}

// What a variable adds to the list: its entry, then an entry per array
// element or record item.
struct TIOLinkVariableShape {
    const TComplexDataType* Complex = nullptr;
    const TSimpleDataType* Element = nullptr;   // of an array
    std::vector<const TRecordItem*> Items;      // of a record
};

inline TIOLinkVariableShape IOLinkShapeOf(const TVariable& Var, const TIODD* IODD, Boolean VarRef)
{
    const TDataType* Type = Var.DataType.get();
    if (Type && Type->IsDataTypeRef)
        Type = IODD->Resolve_DataType(Type->Ref_DataTypeId, VarRef);
    TIOLinkVariableShape Shape;
    Shape.Complex = IOLinkComplexType(Type);
    if (Shape.Complex && Shape.Complex->ActualComplexDataType == acdtArrayT)
        Shape.Element = IOLinkArrayElement(*Shape.Complex);
    if (Shape.Complex && Shape.Complex->ActualComplexDataType == acdtRecordT)
        Shape.Items = IOLinkRecordItems(*Shape.Complex);
    return Shape;
}

// The data type of process data, after resolving a reference; null when
// unknown.
inline const TDataType* IOLinkProcessDataType(const TProcessDataInOut& Data, const TIODD* IODD)
{
    const TDataType* Type = Data.DataType.get();
    return Type && Type->IsDataTypeRef ? Data.GetDataType(IODD) : Type;
}

} // namespace iolink_sa
