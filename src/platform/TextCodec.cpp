#include "platform/TextCodec.h"

#include <cerrno>
#include <cstring>

#include <iconv.h>

namespace textcodec {

namespace {

constexpr char kAnsiCodeset[] = "WINDOWS-1252";
constexpr char kOemCodeset[] = "CP850";
constexpr const char* kUtf16Host = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? "UTF-16LE" : "UTF-16BE";

bool IsUndefinedAnsiByte(unsigned Code)
{
    return Code == 0x81 || Code == 0x8D || Code == 0x8F || Code == 0x90 || Code == 0x9D;
}

// Code page 850 defines all 256 bytes.
bool IsUndefinedOemByte(unsigned) { return false; }

// A single-byte code page: its iconv name, the name in messages and the
// bytes it leaves undefined.
struct TCodePage {
    const char* Codeset;
    const char* Title;
    bool (*IsUndefinedByte)(unsigned);
};
constexpr TCodePage AnsiCodePage{kAnsiCodeset, "Windows-1252", IsUndefinedAnsiByte};
constexpr TCodePage OemCodePage{kOemCodeset, "Code page 850", IsUndefinedOemByte};

// One conversion descriptor per direction and thread: iconv_t keeps state
// and must not be shared between threads.
class TIconv {
public:
    TIconv(const char* To, const char* From) : FHandle(iconv_open(To, From))
    {
        if (FHandle == reinterpret_cast<iconv_t>(-1))
            throw EConvertError(QStringLiteral("No converter from %1 to %2: %3")
                                    .arg(QLatin1String(From), QLatin1String(To), qt_error_string(errno)));
    }
    ~TIconv() { iconv_close(FHandle); }
    TIconv(const TIconv&) = delete;
    TIconv& operator=(const TIconv&) = delete;

    // Converts until the input ends or a byte sequence cannot be converted;
    // returns errno of the stop, 0 when the input is used up.
    int Convert(char*& In, size_t& InLeft, char*& Out, size_t& OutLeft)
    {
        if (iconv(FHandle, &In, &InLeft, &Out, &OutLeft) != static_cast<size_t>(-1))
            return 0;
        return errno;
    }
    void Reset() { iconv(FHandle, nullptr, nullptr, nullptr, nullptr); }

private:
    iconv_t FHandle;
};

template <const char* Codeset>
TIconv& Decoder()
{
    thread_local TIconv Codec(kUtf16Host, Codeset);
    return Codec;
}

template <const char* Codeset>
TIconv& Encoder()
{
    thread_local TIconv Codec(Codeset, kUtf16Host);
    return Codec;
}

String DecodeUtf16(const char* Data, qsizetype Size, bool BigEndian)
{
    const qsizetype units = Size / 2;
    String result(units + Size % 2, Qt::Uninitialized);
    QChar* out = result.data();
    const auto* bytes = reinterpret_cast<const unsigned char*>(Data);
    for (qsizetype i = 0; i < units; ++i) {
        const unsigned hi = bytes[2 * i + (BigEndian ? 0 : 1)];
        const unsigned lo = bytes[2 * i + (BigEndian ? 1 : 0)];
        out[i] = QChar(static_cast<char16_t>(hi << 8 | lo));
    }
    if (Size % 2)
        out[units] = QChar(QChar::ReplacementCharacter);
    return result;
}

QByteArray EncodeUtf16(const String& Text, bool BigEndian)
{
    QByteArray result(Text.size() * 2, Qt::Uninitialized);
    char* out = result.data();
    for (const QChar c : Text) {
        const char16_t u = c.unicode();
        *out++ = static_cast<char>(BigEndian ? u >> 8 : u & 0xFF);
        *out++ = static_cast<char>(BigEndian ? u & 0xFF : u >> 8);
    }
    return result;
}

String ErrnoText(int Error) { return qt_error_string(Error); }

String SingleByteToString(const QByteArray& Bytes, const TCodePage& Page, TIconv& codec)
{
    // Every byte is one UTF-16 unit.
    String result(Bytes.size(), Qt::Uninitialized);
    codec.Reset();
    char* in = const_cast<char*>(Bytes.constData());
    size_t inLeft = static_cast<size_t>(Bytes.size());
    char* out = reinterpret_cast<char*>(result.data());
    size_t outLeft = static_cast<size_t>(result.size()) * 2;
    while (inLeft > 0) {
        const int error = codec.Convert(in, inLeft, out, outLeft);
        if (error == 0)
            break;
        if (error != EILSEQ && error != EINVAL)
            throw EConvertError(
                QStringLiteral("%1 decoding failed: %2").arg(QLatin1String(Page.Title), ErrnoText(error)));
        // An undefined byte (iconv has no mapping): the control character
        // of the same number.
        const char16_t unit = static_cast<unsigned char>(*in);
        std::memcpy(out, &unit, sizeof unit);
        out += sizeof unit;
        outLeft -= sizeof unit;
        ++in;
        --inLeft;
    }
    result.truncate((out - reinterpret_cast<char*>(result.data())) / 2);
    return result;
}

QByteArray StringToSingleByte(const String& Text, const TCodePage& Page, TIconv& codec)
{
    // At most one byte per UTF-16 unit.
    QByteArray result(Text.size(), Qt::Uninitialized);
    codec.Reset();
    char* in = reinterpret_cast<char*>(const_cast<QChar*>(Text.constData()));
    size_t inLeft = static_cast<size_t>(Text.size()) * 2;
    char* out = result.data();
    size_t outLeft = static_cast<size_t>(result.size());
    while (inLeft > 0) {
        const int error = codec.Convert(in, inLeft, out, outLeft);
        if (error == 0)
            break;
        if (error != EILSEQ && error != EINVAL)
            throw EConvertError(
                QStringLiteral("%1 encoding failed: %2").arg(QLatin1String(Page.Title), ErrnoText(error)));
        char16_t unit;
        std::memcpy(&unit, in, sizeof unit);
        size_t used = sizeof unit;
        if (QChar::isHighSurrogate(unit) && inLeft >= 2 * sizeof unit) {
            char16_t next;
            std::memcpy(&next, in + sizeof unit, sizeof next);
            if (QChar::isLowSurrogate(next))
                used += sizeof next;
        }
        *out++ = Page.IsUndefinedByte(unit) ? static_cast<char>(unit) : '?';
        --outLeft;
        in += used;
        inLeft -= used;
    }
    result.truncate(out - result.data());
    return result;
}

} // namespace

String AnsiToString(const QByteArray& Bytes)
{
    return SingleByteToString(Bytes, AnsiCodePage, Decoder<kAnsiCodeset>());
}

QByteArray StringToAnsi(const String& Text)
{
    return StringToSingleByte(Text, AnsiCodePage, Encoder<kAnsiCodeset>());
}

String OemToString(const QByteArray& Bytes)
{
    return SingleByteToString(Bytes, OemCodePage, Decoder<kOemCodeset>());
}

QByteArray StringToOem(const String& Text)
{
    return StringToSingleByte(Text, OemCodePage, Encoder<kOemCodeset>());
}

std::optional<TTextEncoding> DetectBom(const QByteArray& Bytes, int* BomLength)
{
    int length = 0;
    std::optional<TTextEncoding> found;
    if (Bytes.startsWith("\xEF\xBB\xBF")) {
        found = TTextEncoding::teUtf8;
        length = 3;
    } else if (Bytes.startsWith("\xFF\xFE")) {
        found = TTextEncoding::teUtf16LE;
        length = 2;
    } else if (Bytes.startsWith("\xFE\xFF")) {
        found = TTextEncoding::teUtf16BE;
        length = 2;
    }
    if (BomLength)
        *BomLength = length;
    return found;
}

String DecodeText(const QByteArray& Bytes, bool BomlessIsUtf8)
{
    int bomLength = 0;
    const auto bom = DetectBom(Bytes, &bomLength);
    const char* data = Bytes.constData() + bomLength;
    const qsizetype size = Bytes.size() - bomLength;
    const TTextEncoding encoding =
        bom ? *bom : (BomlessIsUtf8 ? TTextEncoding::teUtf8 : TTextEncoding::teAnsi);
    switch (encoding) {
    case TTextEncoding::teAnsi:
        return AnsiToString(Bytes);
    case TTextEncoding::teUtf8:
        return String::fromUtf8(data, size);
    case TTextEncoding::teUtf16LE:
        return DecodeUtf16(data, size, false);
    case TTextEncoding::teUtf16BE:
        return DecodeUtf16(data, size, true);
    }
    return String();
}

QByteArray EncodeText(const String& Text, TTextEncoding Encoding, bool WithBom)
{
    switch (Encoding) {
    case TTextEncoding::teAnsi:
        return StringToAnsi(Text);
    case TTextEncoding::teUtf8:
        return (WithBom ? QByteArray("\xEF\xBB\xBF") : QByteArray()) + Text.toUtf8();
    case TTextEncoding::teUtf16LE:
        return (WithBom ? QByteArray("\xFF\xFE") : QByteArray()) + EncodeUtf16(Text, false);
    case TTextEncoding::teUtf16BE:
        return (WithBom ? QByteArray("\xFE\xFF") : QByteArray()) + EncodeUtf16(Text, true);
    }
    return QByteArray();
}

void WriteTextLines(const String& FileName, const QStringList& Lines, TTextEncoding Encoding,
                    bool WithBom)
{
    qsizetype length = 0;
    for (const String& line : Lines)
        length += line.size() + 2;
    String text;
    text.reserve(length);
    for (const String& line : Lines) {
        text += line;
        text += QLatin1String("\r\n");
    }
    WriteFileAtomically(FileName, EncodeText(text, Encoding, WithBom));
}

QStringList SplitTextLines(const String& text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines.append(text.mid(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < size && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < size)
        lines.append(text.mid(start));
    return lines;
}

QStringList ReadTextLines(const String& FileName, bool BomlessIsUtf8)
{
    return SplitTextLines(DecodeText(ReadFileBytes(FileName), BomlessIsUtf8));
}

} // namespace textcodec
