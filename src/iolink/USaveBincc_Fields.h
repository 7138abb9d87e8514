#pragma once
// Numbers of the configuration files into image fields, shared by the two
// image sources of USaveBincc only. A number that does not fit its field is
// refused rather than cut to its low bits, so no image carries a value other
// than the one stored.
#include "iolink/USaveBincc.h"
#include "iolink/UIO_Link_Set_Access_Internal.h"

#include <limits>
#include <optional>

namespace savebin {

using iolink_sa::TWide;

// Text as an integer, in the forms StrToInt64 reads; an integer beyond 64
// bits is kept saturated, so it fits no field. Nullopt when it is none.
inline std::optional<TWide> Integer_Of(const String& Text)
{
    Int64 Value = 0;
    if (TryStrToInt64(Text, Value))
        return TWide(Value);
    TWide Wide = 0;
    if (iolink_sa::ParseWide(Text.trimmed(), Wide))
        return Wide;
    return std::nullopt;
}

// How a field takes a number: its type's range, and for the fields that
// hold signed values (a variable's value, an offset, the unit code "-1")
// also the negative ones in two's complement.
enum class TFieldSign { Unsigned, EitherSign };

// The number of Text for a field of type T: Unreadable when it is no
// integer; ESaveBinError when it does not fit, naming what Where() gives
// (the owner of the field and its name), which is made only then.
template <class T, class TWhere>
T Field(const String& Text, Int64 Unreadable, TFieldSign Sign, TWhere&& Where)
{
    const std::optional<TWide> Value = Integer_Of(Text);
    if (!Value)
        return T(Unreadable);
    const TWide High = std::numeric_limits<T>::max();
    const TWide Low = Sign == TFieldSign::EitherSign ? -(High / 2 + 1) : 0;
    if (*Value < Low || *Value > High)
        throw ESaveBinError(Format("%s is %s; the image takes %d to %d", {Where(), Text, Int64(Low), Int64(High)}));
    return T(*Value);
}

} // namespace savebin
