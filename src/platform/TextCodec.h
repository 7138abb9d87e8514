#pragma once
// Text codecs and text files. The system's "ANSI code page" is Windows-1252,
// whatever the locale of the machine; its text files are ANSI unless they
// begin with a byte-order mark.
#include "rtl/SysUtils.h"

#include <QByteArray>
#include <QStringList>

#include <optional>

namespace textcodec {

enum class TTextEncoding { teAnsi, teUtf8, teUtf16LE, teUtf16BE };

// Windows-1252 through iconv. The five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) decode to the control characters of the same
// number and encode back to their byte, as the platform's best-fit tables do,
// so every byte survives a round trip.
String AnsiToString(const QByteArray& Bytes);
// Characters outside Windows-1252 become '?', one per character.
QByteArray StringToAnsi(const String& Text);

// The OEM code page that goes with Windows-1252: code page 850, through
// iconv. Every byte has a character; characters outside it become '?'.
String OemToString(const QByteArray& Bytes);
QByteArray StringToOem(const String& Text);

// The encoding named by a byte-order mark at the start of Bytes (UTF-8
// EF BB BF, UTF-16 LE FF FE, UTF-16 BE FE FF) and the mark's length;
// nullopt without a mark.
std::optional<TTextEncoding> DetectBom(const QByteArray& Bytes, int* BomLength = nullptr);

// Text by its byte-order mark, which is not part of the text; without a mark
// the bytes are ANSI, or UTF-8 when BomlessIsUtf8. Invalid UTF-8 becomes
// U+FFFD; an odd last byte of UTF-16 too.
String DecodeText(const QByteArray& Bytes, bool BomlessIsUtf8 = false);
// WithBom has no effect on ANSI, which has no mark.
QByteArray EncodeText(const String& Text, TTextEncoding Encoding, bool WithBom);

// The one writer of whole files, of the runtime (rtl/SysUtils.h).
using ::WriteFileAtomically;

// Writes Lines, each followed by CR LF, in Encoding, atomically.
void WriteTextLines(const String& FileName, const QStringList& Lines, TTextEncoding Encoding,
                    bool WithBom);
// Text split at CR LF, LF or CR; a line end at the end adds no empty line.
QStringList SplitTextLines(const String& Text);
// Reads a text file as DecodeText does and splits it at CR LF, LF or CR; a
// line end at the end of the file adds no empty line. Reads as ReadFileBytes
// does and raises as it does.
QStringList ReadTextLines(const String& FileName, bool BomlessIsUtf8 = false);

} // namespace textcodec
