#pragma once
// Basic types of the runtime layer, named as the design names them, and the
// built-in routines of the language: 1-based string positions, rounding.
#include <QChar>
#include <QString>

#include <cstdint>

using String = QString;
using Char = QChar;
using Boolean = bool;
using Byte = std::uint8_t;
using ShortInt = std::int8_t;
using Word = std::uint16_t;
using SmallInt = std::int16_t;
using Integer = std::int32_t;
using LongInt = std::int32_t;
using Cardinal = std::uint32_t;
using LongWord = std::uint32_t;
using DWORD = std::uint32_t;
using Int64 = std::int64_t;
using UInt64 = std::uint64_t;
using Single = float;
using Double = double;
using Extended = double;
// Days since 1899-12-30; the fraction is the time of day.
using TDateTime = double;

inline constexpr Integer MaxInt = 2147483647;

// Strings. Positions are 1-based; out-of-range arguments are clamped the way
// the framework clamps them, never undefined.
Integer Length(const String& S);
// Grows with #0 characters or cuts.
void SetLength(String& S, Integer NewLength);
// Index below 1 counts as 1; a count past the end stops at the end.
String Copy(const String& S, Integer Index, Integer Count);
// From Index to the end.
String Copy(const String& S, Integer Index);
// 0 when not found or when SubStr is empty.
Integer Pos(const String& SubStr, const String& S);
// Searches from Offset on; 0 when Offset is below 1.
Integer Pos(const String& SubStr, const String& S, Integer Offset);
// Nothing happens when Index is outside 1..Length(S) or Count <= 0.
void Delete(String& S, Integer Index, Integer Count);
// Index below 1 inserts at the start, past the end appends.
void Insert(const String& Source, String& S, Integer Index);

inline Integer Ord(Char C) { return C.unicode(); }
inline Char Chr(Integer Code) { return Char(static_cast<char16_t>(Code)); }

// Rounding. Round ties to even; Round and Trunc raise EInvalidOp for values
// outside Int64 or not a number.
Int64 Round(double X);
Int64 Trunc(double X);
double Frac(double X);
double Int(double X);
