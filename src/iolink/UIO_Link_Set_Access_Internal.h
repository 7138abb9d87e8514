#pragma once
// Helpers shared by the sources of UIO_Link_Set_Access only.
#include "rtl/SysUtils.h"

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

} // namespace iolink_sa
