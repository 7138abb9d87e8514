#pragma once
// Basic types of the runtime layer, named as the design names them.
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
