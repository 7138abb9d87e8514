#pragma once
// Little-endian serialisation of device images into a byte buffer, one field
// at a time, so an image never depends on how the compiler lays out a record.
#include "rtl/System.h"

#include <QByteArray>

#include <bit>
#include <cstring>

class TBinWriter {
public:
    TBinWriter() = default;
    // A buffer of Size zero bytes, for images of a fixed length.
    explicit TBinWriter(qsizetype Size) : FBytes(Size, '\0') {}

    qsizetype Pos() const { return FPos; }
    // Moves to Offset; the bytes skipped over a growing end are zero.
    TBinWriter& Seek(qsizetype Offset)
    {
        FPos = Offset;
        if (FBytes.size() < FPos)
            FBytes.resize(FPos, '\0');
        return *this;
    }

    TBinWriter& U8(Byte Value) { return Put(&Value, 1); }
    TBinWriter& U16(Word Value)
    {
        const Byte B[2] = {Byte(Value), Byte(Value >> 8)};
        return Put(B, 2);
    }
    TBinWriter& U32(Cardinal Value)
    {
        const Byte B[4] = {Byte(Value), Byte(Value >> 8), Byte(Value >> 16), Byte(Value >> 24)};
        return Put(B, 4);
    }
    TBinWriter& I32(Integer Value) { return U32(Cardinal(Value)); }
    TBinWriter& F32(Single Value) { return U32(std::bit_cast<Cardinal>(Value)); }
    TBinWriter& Zeros(qsizetype Count) { return Seek(FPos + Count); }
    // A character field of Size bytes: the low byte of each character of
    // Text, at most Size - 1 of them, then zero bytes up to the field's end,
    // so the text is always terminated.
    TBinWriter& Chars(const String& Text, qsizetype Size)
    {
        const qsizetype N = qMin(Text.size(), Size - 1);
        for (qsizetype I = 0; I < N; ++I)
            U8(Byte(Text.at(I).unicode() & 0xFF));
        return Zeros(Size - N);
    }

    const QByteArray& Bytes() const { return FBytes; }

private:
    QByteArray FBytes;
    qsizetype FPos = 0;

    TBinWriter& Put(const void* Data, qsizetype Count)
    {
        if (FBytes.size() < FPos + Count)
            FBytes.resize(FPos + Count, '\0');
        std::memcpy(FBytes.data() + FPos, Data, size_t(Count));
        FPos += Count;
        return *this;
    }
};

// The sum of the first Count bytes, each unsigned, as a 32-bit number.
inline Cardinal BinByteSum(const QByteArray& Bytes, qsizetype Count)
{
    Cardinal Sum = 0;
    for (qsizetype I = 0; I < Count && I < Bytes.size(); ++I)
        Sum += Byte(Bytes.at(I));
    return Sum;
}
