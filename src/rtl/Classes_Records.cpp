// The object-record writer and reader of the framework's component streams.
#include "rtl/Classes.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

const QByteArrayView RecordSignature("TPF0");

} // namespace

// ---------------------------------------------------------------------------
// 80-bit extended precision

std::array<Byte, 10> DoubleToExtended(double Value)
{
    std::array<Byte, 10> Bytes{};
    UInt64 Mantissa = 0;
    unsigned Exponent = 0;
    const bool Negative = std::signbit(Value);
    if (std::isnan(Value)) {
        Exponent = 0x7FFF;
        Mantissa = 0xC000000000000000ull;
    } else if (std::isinf(Value)) {
        Exponent = 0x7FFF;
        Mantissa = 0x8000000000000000ull;
    } else if (Value != 0) {
        // Value = Fraction * 2^E with Fraction in [0.5, 1): the leading bit of
        // the 64-bit mantissa stands for 2^(E - 1).
        int E = 0;
        const double Fraction = std::frexp(std::fabs(Value), &E);
        Mantissa = UInt64(std::ldexp(Fraction, 64));
        Exponent = unsigned(E - 1 + 16383);
    }
    for (int I = 0; I < 8; ++I)
        Bytes[I] = Byte(Mantissa >> (8 * I));
    const unsigned SignAndExponent = (Negative ? 0x8000u : 0u) | Exponent;
    Bytes[8] = Byte(SignAndExponent);
    Bytes[9] = Byte(SignAndExponent >> 8);
    return Bytes;
}

double ExtendedToDouble(const Byte* Bytes)
{
    UInt64 Mantissa = 0;
    for (int I = 0; I < 8; ++I)
        Mantissa |= UInt64(Bytes[I]) << (8 * I);
    const unsigned SignAndExponent = unsigned(Bytes[8]) | (unsigned(Bytes[9]) << 8);
    const bool Negative = (SignAndExponent & 0x8000u) != 0;
    const int Exponent = int(SignAndExponent & 0x7FFFu);
    double Value = 0;
    if (Exponent == 0x7FFF) {
        Value = (Mantissa << 1) == 0 ? std::numeric_limits<double>::infinity()
                                     : std::numeric_limits<double>::quiet_NaN();
    } else if (Mantissa != 0) {
        // Denormals (exponent 0) count as exponent 1 without a leading bit.
        const int E = (Exponent == 0 ? 1 : Exponent) - 16383;
        Value = std::ldexp(double(Mantissa), E - 63);
    }
    return Negative ? -Value : Value;
}

// ---------------------------------------------------------------------------
// TObjectRecordWriter

template <typename T>
void TObjectRecordWriter::WriteLittleEndian(T Value)
{
    using U = std::make_unsigned_t<T>;
    const U Bits = U(Value);
    char Bytes[sizeof(T)];
    for (std::size_t I = 0; I < sizeof(T); ++I)
        Bytes[I] = char(Byte(Bits >> (8 * I)));
    FOut.append(Bytes, qsizetype(sizeof(T)));
}

void TObjectRecordWriter::BeginRecord(QByteArrayView ClassName)
{
    WriteRaw(RecordSignature);
    WriteName(ClassName);
    WriteByte(0);
}

void TObjectRecordWriter::EndRecord()
{
    WriteByte(0);
    WriteByte(0);
}

void TObjectRecordWriter::WriteName(QByteArrayView Name)
{
    const QByteArrayView Short = Name.first(std::min<qsizetype>(Name.size(), 255));
    WriteByte(Byte(Short.size()));
    WriteRaw(Short);
}

void TObjectRecordWriter::WriteInteger(QByteArrayView Name, Int64 Value)
{
    WriteName(Name);
    if (Value >= -128 && Value <= 127) {
        WriteByte(vaInt8);
        WriteLittleEndian(std::int8_t(Value));
    } else if (Value >= -32768 && Value <= 32767) {
        WriteByte(vaInt16);
        WriteLittleEndian(std::int16_t(Value));
    } else if (Value >= std::numeric_limits<std::int32_t>::min() && Value <= std::numeric_limits<std::int32_t>::max()) {
        WriteByte(vaInt32);
        WriteLittleEndian(std::int32_t(Value));
    } else {
        WriteByte(vaInt64);
        WriteLittleEndian(std::int64_t(Value));
    }
}

void TObjectRecordWriter::WriteBoolean(QByteArrayView Name, bool Value)
{
    WriteName(Name);
    WriteByte(Value ? vaTrue : vaFalse);
}

void TObjectRecordWriter::WriteStringValue(const String& Value)
{
    const QByteArray Utf8 = Value.toUtf8();
    if (Utf8.size() >= 2 * Value.size()) {
        WriteByte(vaWString);
        WriteLittleEndian(std::uint32_t(Value.size()));
        for (const QChar C : Value)
            WriteLittleEndian(std::uint16_t(C.unicode()));
        return;
    }
    const bool Ascii = std::all_of(Utf8.begin(), Utf8.end(), [](char C) { return Byte(C) < 128; });
    if (!Ascii) {
        WriteByte(vaUTF8String);
        WriteLittleEndian(std::uint32_t(Utf8.size()));
    } else if (Utf8.size() >= 256) {
        WriteByte(vaLString);
        WriteLittleEndian(std::uint32_t(Utf8.size()));
    } else {
        WriteByte(vaString);
        WriteByte(Byte(Utf8.size()));
    }
    WriteRaw(Utf8);
}

void TObjectRecordWriter::WriteString(QByteArrayView Name, const String& Value)
{
    WriteName(Name);
    WriteStringValue(Value);
}

void TObjectRecordWriter::WriteIdent(QByteArrayView Name, QByteArrayView Ident)
{
    WriteName(Name);
    WriteByte(vaIdent);
    WriteName(Ident);
}

void TObjectRecordWriter::WriteSet(QByteArrayView Name, const std::vector<QByteArray>& Elements)
{
    WriteName(Name);
    WriteByte(vaSet);
    for (const QByteArray& Element : Elements)
        WriteName(Element);
    WriteByte(0);
}

void TObjectRecordWriter::WriteBinary(QByteArrayView Name, QByteArrayView Data)
{
    WriteName(Name);
    WriteByte(vaBinary);
    WriteLittleEndian(std::uint32_t(Data.size()));
    WriteRaw(Data);
}

void TObjectRecordWriter::WriteFloat(QByteArrayView Name, double Value)
{
    WriteName(Name);
    WriteByte(vaExtended);
    const std::array<Byte, 10> Bytes = DoubleToExtended(Value);
    FOut.append(reinterpret_cast<const char*>(Bytes.data()), qsizetype(Bytes.size()));
}

void TObjectRecordWriter::WriteStringList(QByteArrayView Name, const QStringList& Items)
{
    WriteName(Name);
    WriteByte(vaList);
    for (const String& Item : Items)
        WriteStringValue(Item);
    WriteByte(vaNull);
}

void TObjectRecordWriter::BeginCollection(QByteArrayView Name)
{
    WriteName(Name);
    WriteByte(vaCollection);
}

// ---------------------------------------------------------------------------
// TObjectRecordReader

void TObjectRecordReader::InvalidFormat()
{
    throw EReadError(QStringLiteral("Invalid stream format"));
}

Byte TObjectRecordReader::ReadByte()
{
    if (FPos >= FData.size())
        throw EReadError(QStringLiteral("Stream read error"));
    return Byte(FData[FPos++]);
}

QByteArrayView TObjectRecordReader::ReadBytes(qsizetype Count)
{
    if (Count < 0 || Count > Remaining())
        InvalidFormat();
    const QByteArrayView Bytes = FData.sliced(FPos, Count);
    FPos += Count;
    return Bytes;
}

template <typename T>
T TObjectRecordReader::ReadLittleEndian()
{
    if (qsizetype(sizeof(T)) > Remaining())
        throw EReadError(QStringLiteral("Stream read error"));
    using U = std::make_unsigned_t<T>;
    U Bits = 0;
    for (std::size_t I = 0; I < sizeof(T); ++I)
        Bits |= U(Byte(FData[FPos + qsizetype(I)])) << (8 * I);
    FPos += qsizetype(sizeof(T));
    return T(Bits);
}

QByteArrayView TObjectRecordReader::ReadShortName()
{
    return ReadBytes(ReadByte());
}

QByteArrayView TObjectRecordReader::BeginRecord()
{
    if (Remaining() < RecordSignature.size() || FData.sliced(FPos, RecordSignature.size()) != RecordSignature)
        InvalidFormat();
    FPos += RecordSignature.size();
    const QByteArrayView ClassName = ReadShortName();
    ReadShortName();
    return ClassName;
}

bool TObjectRecordReader::NextProperty(QByteArrayView& Name)
{
    Name = ReadShortName();
    if (!Name.isEmpty())
        return true;
    if (ReadByte() != 0)  // records carry no children
        InvalidFormat();
    return false;
}

TValueType TObjectRecordReader::NextValueType() const
{
    if (FPos >= FData.size())
        throw EReadError(QStringLiteral("Stream read error"));
    return TValueType(Byte(FData[FPos]));
}

void TObjectRecordReader::Expect(TValueType Type)
{
    if (ReadByte() != Type)
        InvalidFormat();
}

Int64 TObjectRecordReader::ReadInteger()
{
    switch (ReadByte()) {
    case vaInt8:
        return ReadLittleEndian<std::int8_t>();
    case vaInt16:
        return ReadLittleEndian<std::int16_t>();
    case vaInt32:
        return ReadLittleEndian<std::int32_t>();
    case vaInt64:
        return ReadLittleEndian<std::int64_t>();
    default:
        InvalidFormat();
    }
}

bool TObjectRecordReader::ReadBoolean()
{
    const Byte Type = ReadByte();
    if (Type != vaFalse && Type != vaTrue)
        InvalidFormat();
    return Type == vaTrue;
}

String TObjectRecordReader::ReadStringOfType(TValueType Type)
{
    switch (Type) {
    case vaString:
        return QString::fromLatin1(ReadBytes(ReadByte()));
    case vaLString:
        return QString::fromLatin1(ReadBytes(ReadLittleEndian<std::uint32_t>()));
    case vaUTF8String:
        return QString::fromUtf8(ReadBytes(ReadLittleEndian<std::uint32_t>()));
    case vaWString: {
        const qsizetype Units = ReadLittleEndian<std::uint32_t>();
        if (Units > Remaining() / 2)
            InvalidFormat();
        const QByteArrayView Bytes = ReadBytes(Units * 2);
        String Text(Units, Qt::Uninitialized);
        for (qsizetype I = 0; I < Units; ++I)
            Text[I] = QChar(char16_t(Byte(Bytes[2 * I]) | (Byte(Bytes[2 * I + 1]) << 8)));
        return Text;
    }
    default:
        InvalidFormat();
    }
}

String TObjectRecordReader::ReadString()
{
    return ReadStringOfType(TValueType(ReadByte()));
}

QByteArrayView TObjectRecordReader::ReadIdent()
{
    Expect(vaIdent);
    return ReadShortName();
}

std::vector<QByteArrayView> TObjectRecordReader::ReadSet()
{
    Expect(vaSet);
    std::vector<QByteArrayView> Elements;
    for (QByteArrayView Element = ReadShortName(); !Element.isEmpty(); Element = ReadShortName())
        Elements.push_back(Element);
    return Elements;
}

QByteArrayView TObjectRecordReader::ReadBinary()
{
    Expect(vaBinary);
    return ReadBytes(ReadLittleEndian<std::uint32_t>());
}

double TObjectRecordReader::ReadFloat()
{
    Expect(vaExtended);
    const QByteArrayView Bytes = ReadBytes(10);
    return ExtendedToDouble(reinterpret_cast<const Byte*>(Bytes.data()));
}

QStringList TObjectRecordReader::ReadStringList()
{
    Expect(vaList);
    QStringList Items;
    for (Byte Type = ReadByte(); Type != vaNull; Type = ReadByte())
        Items.append(ReadStringOfType(TValueType(Type)));
    return Items;
}

void TObjectRecordReader::BeginCollection()
{
    Expect(vaCollection);
}

bool TObjectRecordReader::NextItem()
{
    const Byte Type = ReadByte();
    if (Type != vaList && Type != vaNull)
        InvalidFormat();
    return Type == vaList;
}

bool TObjectRecordReader::NextItemProperty(QByteArrayView& Name)
{
    Name = ReadShortName();
    return !Name.isEmpty();
}
