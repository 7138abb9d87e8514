#pragma once
// Formatted text as the rich edit holds it, and its RTF reader and writer.
// Qt reads and writes no RTF, so this covers the subset the rich edit needs:
// text and paragraphs, \line, \tab, \b \i \ul \strike (and their "off"
// forms, \plain), the font table with \f and \fs, the colour table with \cf,
// \up and \dn (superscript and subscript), \'hh (code page 1252) and \uN
// with \uc. Other control words are skipped, as are the groups that hold no
// text (\*, the style sheet, pictures, headers ...). The reader never
// raises: it takes what it can of malformed input and bounds its nesting.
// The writer emits 7-bit RTF.
#include "rtl/Graphics.h"

#include <QByteArray>

#include <vector>

enum TRichVAlign { rvNormal, rvSuperscript, rvSubscript };

struct TRichCharFormat {
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    // Empty: the editor's own font.
    String FontName;
    // In half points, as \fs counts; 0: the editor's own size.
    Integer HalfPoints = 0;
    // clNone: the automatic colour.
    TColor Color = clNone;
    TRichVAlign VAlign = rvNormal;

    bool operator==(const TRichCharFormat&) const = default;
};

// Text in one format; U+2028 is a line break inside the paragraph.
struct TRichRun {
    String Text;
    TRichCharFormat Format;

    bool operator==(const TRichRun&) const = default;
};

struct TRichParagraph {
    std::vector<TRichRun> Runs;

    // Adds Text in Format, joined to the last run when the format is the same.
    void Append(const String& Text, const TRichCharFormat& Format);
    String Text() const;
    bool operator==(const TRichParagraph&) const = default;
};

// At least one paragraph.
struct TRichDocument {
    std::vector<TRichParagraph> Paragraphs = std::vector<TRichParagraph>(1);

    // The paragraphs joined by LineBreak, line breaks inside them too.
    String PlainText(const String& LineBreak) const;
    bool operator==(const TRichDocument&) const = default;
};

TRichDocument ReadRtf(const QByteArray& Rtf);
QByteArray WriteRtf(const TRichDocument& Doc);

// Code page 1252 as the RTF escapes \'hh use it. The five bytes the code page
// leaves undefined stand for the control characters of the same number, so
// every byte has a character and comes back.
Char RtfByteToChar(Byte B);
// -1 for a character without a byte.
Integer RtfCharToByte(Char C);
