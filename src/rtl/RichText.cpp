// The RTF reader and writer of the rich edit.
#include "rtl/RichText.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <array>
#include <cctype>
#include <limits>

namespace {

// Bytes 0x80 to 0x9F of code page 1252; the rest are Latin-1.
constexpr std::array<char16_t, 32> Cp1252High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr Char LineBreakChar = QChar(0x2028);
// Nesting deeper than this keeps the state of the deepest group counted.
constexpr int MaxDepth = 512;
// Characters \uN may leave for readers without Unicode (\uc).
constexpr int MaxUnicodeSkip = 64;
// The largest \fs kept (1638 points).
constexpr int MaxHalfPoints = 3276;

} // namespace

Char RtfByteToChar(Byte B)
{
    return B >= 0x80 && B < 0xA0 ? QChar(Cp1252High[B - 0x80]) : QChar(B);
}

Integer RtfCharToByte(Char C)
{
    const char16_t U = C.unicode();
    if (U < 0x80 || (U >= 0xA0 && U < 0x100))
        return U;
    const auto* At = std::find(Cp1252High.begin(), Cp1252High.end(), U);
    return At == Cp1252High.end() ? -1 : Integer(0x80 + (At - Cp1252High.begin()));
}

void TRichParagraph::Append(const String& Text, const TRichCharFormat& Format)
{
    if (Text.isEmpty())
        return;
    if (!Runs.empty() && Runs.back().Format == Format)
        Runs.back().Text += Text;
    else
        Runs.push_back(TRichRun{Text, Format});
}

String TRichParagraph::Text() const
{
    String S;
    for (const TRichRun& Run : Runs)
        S += Run.Text;
    return S;
}

String TRichDocument::PlainText(const String& LineBreak) const
{
    QStringList Lines;
    for (const TRichParagraph& P : Paragraphs)
        Lines << P.Text().replace(LineBreakChar, LineBreak);
    return Lines.join(LineBreak);
}

// ---------------------------------------------------------------- reader

namespace {

enum class TDestination { Text, FontTable, ColorTable, Skip };

struct TGroupState {
    TRichCharFormat Format;
    TDestination Dest = TDestination::Text;
    int UnicodeSkip = 1;
};

class TRtfReader {
public:
    explicit TRtfReader(const QByteArray& In) : FIn(In) {}
    TRichDocument Read();

private:
    void OpenGroup();
    // False when the outermost group closed.
    bool CloseGroup();
    void ControlSequence();
    void ControlWord(const QByteArray& Word, bool HasParam, qint64 Param);
    bool Destination(const QByteArray& Word);
    void Literal(char Ch);
    void AppendText(const String& Text);
    void NewParagraph();
    int HexDigit(qsizetype At) const;

    const QByteArray& FIn;
    qsizetype FPos = 0;
    TRichDocument FDoc;
    TGroupState FState;
    std::vector<TGroupState> FStack;
    int FOverflow = 0;
    // Right after "{": a destination word may follow.
    bool FGroupStart = false;
    // Characters of the fallback after \uN still to drop.
    int FPendingSkip = 0;
    QHash<qint64, String> FFonts;
    qint64 FFontIndex = 0;
    String FFontName;
    std::vector<TColor> FColors;
    std::array<int, 3> FRgb{};
    bool FRgbSet = false;
};

TRichDocument TRtfReader::Read()
{
    while (FPos < FIn.size()) {
        const char Ch = FIn[FPos++];
        if (Ch == '\r' || Ch == '\n')
            continue;
        if (Ch == '{') {
            OpenGroup();
            continue;
        }
        const bool AtStart = FGroupStart;
        FGroupStart = false;
        if (Ch == '}') {
            FPendingSkip = 0;
            if (!CloseGroup())
                break;
        } else if (Ch == '\\') {
            FGroupStart = AtStart;
            ControlSequence();
        } else {
            Literal(Ch);
        }
    }
    return FDoc;
}

void TRtfReader::OpenGroup()
{
    FPendingSkip = 0;
    FGroupStart = true;
    if (FStack.size() >= MaxDepth)
        ++FOverflow;
    else
        FStack.push_back(FState);
}

bool TRtfReader::CloseGroup()
{
    if (FOverflow > 0) {
        --FOverflow;
        return true;
    }
    if (FStack.empty())
        return false;
    if (FState.Dest == TDestination::FontTable && !FFontName.trimmed().isEmpty())
        FFonts.insert(FFontIndex, FFontName.trimmed());
    FFontName.clear();
    FState = FStack.back();
    FStack.pop_back();
    return !FStack.empty();
}

int TRtfReader::HexDigit(qsizetype At) const
{
    if (At >= FIn.size())
        return -1;
    const char C = FIn[At];
    if (C >= '0' && C <= '9')
        return C - '0';
    if (C >= 'a' && C <= 'f')
        return C - 'a' + 10;
    if (C >= 'A' && C <= 'F')
        return C - 'A' + 10;
    return -1;
}

void TRtfReader::ControlSequence()
{
    if (FPos >= FIn.size())
        return;
    const char Ch = FIn[FPos++];
    const bool Letter = (Ch >= 'a' && Ch <= 'z') || (Ch >= 'A' && Ch <= 'Z');
    if (!Letter) {
        const bool AtStart = FGroupStart;
        FGroupStart = false;
        switch (Ch) {
        case '\'': {
            const int Hi = HexDigit(FPos);
            const int Lo = Hi < 0 ? -1 : HexDigit(FPos + 1);
            // A cut escape goes with the digit it has.
            if (Lo < 0) {
                FPos += Hi < 0 ? 0 : 1;
                return;
            }
            FPos += 2;
            if (FPendingSkip > 0)
                --FPendingSkip;
            else
                AppendText(String(RtfByteToChar(Byte(Hi * 16 + Lo))));
            return;
        }
        case '\\': case '{': case '}':
            Literal(Ch);
            return;
        case '~': AppendText(String(QChar(0x00A0))); return;
        case '_': AppendText(String(QChar(0x2011))); return;
        case '\r': case '\n': NewParagraph(); return;
        case '*':
            if (AtStart)
                FState.Dest = TDestination::Skip;
            return;
        default: return;
        }
    }
    const qsizetype WordStart = FPos - 1;
    while (FPos < FIn.size() && std::isalpha(static_cast<unsigned char>(FIn[FPos])))
        ++FPos;
    const QByteArray Word = FIn.mid(WordStart, std::min<qsizetype>(FPos - WordStart, 32));
    bool Negative = false;
    if (FPos < FIn.size() && FIn[FPos] == '-') {
        Negative = true;
        ++FPos;
    }
    bool HasParam = false;
    qint64 Param = 0;
    while (FPos < FIn.size() && std::isdigit(static_cast<unsigned char>(FIn[FPos]))) {
        HasParam = true;
        Param = std::min<qint64>(Param * 10 + (FIn[FPos++] - '0'), std::numeric_limits<qint32>::max());
    }
    if (Negative)
        Param = -Param;
    if (FPos < FIn.size() && FIn[FPos] == ' ')
        ++FPos;
    if (!(FGroupStart && Destination(Word)))
        ControlWord(Word, HasParam, Param);
    FGroupStart = false;
}

// A word that makes its group hold something else than text.
bool TRtfReader::Destination(const QByteArray& Word)
{
    static const QSet<QByteArray> Skipped{"stylesheet", "info",    "pict",    "object",  "header",  "headerl",
                                          "headerr",    "headerf", "footer",  "footerl", "footerr", "footerf",
                                          "footnote",   "fldinst", "listtable", "listoverridetable"};
    if (Word == "fonttbl")
        FState.Dest = TDestination::FontTable;
    else if (Word == "colortbl")
        FState.Dest = TDestination::ColorTable;
    else if (Skipped.contains(Word))
        FState.Dest = TDestination::Skip;
    else
        return false;
    return true;
}

void TRtfReader::ControlWord(const QByteArray& Word, bool HasParam, qint64 Param)
{
    if (Word != "u")
        FPendingSkip = 0;
    TRichCharFormat& F = FState.Format;
    const bool On = !HasParam || Param != 0;
    if (Word == "par") {
        NewParagraph();
    } else if (Word == "line") {
        AppendText(String(LineBreakChar));
    } else if (Word == "tab") {
        AppendText(QStringLiteral("\t"));
    } else if (Word == "u" && HasParam) {
        const qint64 Code = Param < 0 ? Param + 65536 : Param;
        if (Code >= 0 && Code <= 0xFFFF)
            AppendText(String(QChar(char16_t(Code))));
        FPendingSkip = FState.UnicodeSkip;
    } else if (Word == "uc") {
        FState.UnicodeSkip = int(std::clamp<qint64>(Param, 0, MaxUnicodeSkip));
    } else if (Word == "b") {
        F.Bold = On;
    } else if (Word == "i") {
        F.Italic = On;
    } else if (Word == "ul") {
        F.Underline = On;
    } else if (Word == "ulnone") {
        F.Underline = false;
    } else if (Word == "strike") {
        F.StrikeOut = On;
    } else if (Word == "plain") {
        F = TRichCharFormat();
    } else if (Word == "f") {
        if (FState.Dest == TDestination::FontTable) {
            FFontIndex = Param;
            FFontName.clear();
        } else {
            F.FontName = FFonts.value(Param);
        }
    } else if (Word == "fs") {
        F.HalfPoints = int(std::clamp<qint64>(Param, 0, MaxHalfPoints));
    } else if (Word == "cf") {
        F.Color = Param > 0 && Param < qint64(FColors.size()) ? FColors[std::size_t(Param)] : clNone;
    } else if (Word == "up" || Word == "dn") {
        const bool Shifted = !HasParam || Param != 0;
        F.VAlign = !Shifted ? rvNormal : Word == "up" ? rvSuperscript : rvSubscript;
    } else if (FState.Dest == TDestination::ColorTable && (Word == "red" || Word == "green" || Word == "blue")) {
        const int Index = Word == "red" ? 0 : Word == "green" ? 1 : 2;
        FRgb[std::size_t(Index)] = int(std::clamp<qint64>(Param, 0, 255));
        FRgbSet = true;
    }
}

void TRtfReader::Literal(char Ch)
{
    const Byte B = Byte(Ch);
    if (FState.Dest == TDestination::FontTable && Ch == ';') {
        FFonts.insert(FFontIndex, FFontName.trimmed());
        FFontName.clear();
        return;
    }
    if (FState.Dest == TDestination::ColorTable && Ch == ';') {
        FColors.push_back(FRgbSet ? RGB(Byte(FRgb[0]), Byte(FRgb[1]), Byte(FRgb[2])) : clNone);
        FRgb = {};
        FRgbSet = false;
        return;
    }
    // Line ends and other control bytes of the file are no text.
    if (B < 0x20 && Ch != '\t')
        return;
    if (FPendingSkip > 0) {
        --FPendingSkip;
        return;
    }
    AppendText(String(RtfByteToChar(B)));
}

void TRtfReader::AppendText(const String& Text)
{
    if (FState.Dest == TDestination::FontTable)
        FFontName += Text;
    else if (FState.Dest == TDestination::Text)
        FDoc.Paragraphs.back().Append(Text, FState.Format);
}

void TRtfReader::NewParagraph()
{
    if (FState.Dest == TDestination::Text)
        FDoc.Paragraphs.emplace_back();
}

} // namespace

TRichDocument ReadRtf(const QByteArray& Rtf)
{
    return TRtfReader(Rtf).Read();
}

// ---------------------------------------------------------------- writer

namespace {

// The distinct values of the runs in the order they first come.
template <class T, class TGet>
std::vector<T> TableOf(const TRichDocument& Doc, TGet Get, const T& None)
{
    std::vector<T> Table;
    for (const TRichParagraph& P : Doc.Paragraphs)
        for (const TRichRun& Run : P.Runs) {
            const T Value = Get(Run.Format);
            if (Value != None && std::find(Table.begin(), Table.end(), Value) == Table.end())
                Table.push_back(Value);
        }
    return Table;
}

// The automatic colour for both markers, else the colour's RGB value.
TColor RgbOf(TColor C)
{
    return C == clNone || C == clDefault ? clNone : ColorToRGB(C);
}

// A ';' ends a name in the font table: there it is written as \'3b.
void WriteText(QByteArray& Out, const String& Text, bool InFontTable = false)
{
    for (const QChar C : Text) {
        const char16_t U = C.unicode();
        if (U == ';' && InFontTable) {
            Out += "\\'3b";
        } else if (U == '\\' || U == '{' || U == '}') {
            Out += '\\';
            Out += char(U);
        } else if (U == '\t') {
            Out += "\\tab ";
        } else if (C == LineBreakChar) {
            Out += "\\line ";
        } else if (U >= 0x20 && U < 0x7F) {
            Out += char(U);
        } else if (const Integer B = RtfCharToByte(C); B >= 0) {
            Out += "\\'" + QByteArray::number(B, 16).rightJustified(2, '0');
        } else {
            Out += "\\u" + QByteArray::number(U > 0x7FFF ? Integer(U) - 0x10000 : Integer(U)) + '?';
        }
    }
}

class TRtfWriter {
public:
    explicit TRtfWriter(const TRichDocument& Doc)
        : FDoc(Doc),
          FFonts(TableOf<String>(Doc, [](const TRichCharFormat& F) { return F.FontName; }, String())),
          FColors(TableOf<TColor>(Doc, [](const TRichCharFormat& F) { return RgbOf(F.Color); }, clNone))
    {
    }

    QByteArray Write()
    {
        FOut = "{\\rtf1\\ansi\\ansicpg1252";
        WriteFontTable();
        WriteColorTable();
        FOut += "\\uc1\\pard";
        TRichCharFormat Current;
        for (std::size_t P = 0; P < FDoc.Paragraphs.size(); ++P) {
            if (P > 0)
                FOut += "\\par";
            bool Delimit = true;
            for (const TRichRun& Run : FDoc.Paragraphs[P].Runs) {
                if (Run.Format != Current) {
                    WriteFormat(Run.Format);
                    Delimit = true;
                }
                Current = Run.Format;
                // A space ends the control word before the text.
                if (Delimit)
                    FOut += ' ';
                Delimit = false;
                WriteText(FOut, Run.Text);
            }
        }
        FOut += '}';
        return FOut;
    }

private:
    void WriteFontTable()
    {
        if (FFonts.empty())
            return;
        FOut += "{\\fonttbl";
        for (std::size_t I = 0; I < FFonts.size(); ++I) {
            FOut += "{\\f" + QByteArray::number(qulonglong(I)) + "\\fnil ";
            WriteText(FOut, FFonts[I], true);
            FOut += ";}";
        }
        FOut += '}';
    }

    void WriteColorTable()
    {
        if (FColors.empty())
            return;
        FOut += "{\\colortbl ;";
        for (const TColor C : FColors)
            FOut += "\\red" + QByteArray::number(GetRValue(C)) + "\\green" + QByteArray::number(GetGValue(C)) +
                    "\\blue" + QByteArray::number(GetBValue(C)) + ';';
        FOut += '}';
    }

    // From \plain, so only what the format sets is written.
    void WriteFormat(const TRichCharFormat& F)
    {
        FOut += "\\plain";
        if (F.Bold)
            FOut += "\\b";
        if (F.Italic)
            FOut += "\\i";
        if (F.Underline)
            FOut += "\\ul";
        if (F.StrikeOut)
            FOut += "\\strike";
        if (!F.FontName.isEmpty())
            FOut += "\\f" + QByteArray::number(qulonglong(IndexIn(FFonts, F.FontName)));
        if (F.HalfPoints > 0)
            FOut += "\\fs" + QByteArray::number(F.HalfPoints);
        if (RgbOf(F.Color) != clNone)
            FOut += "\\cf" + QByteArray::number(qulonglong(IndexIn(FColors, RgbOf(F.Color)) + 1));
        if (F.VAlign == rvSuperscript)
            FOut += "\\up4";
        else if (F.VAlign == rvSubscript)
            FOut += "\\dn4";
    }

    template <class T>
    static std::size_t IndexIn(const std::vector<T>& Table, const T& Value)
    {
        return std::size_t(std::find(Table.begin(), Table.end(), Value) - Table.begin());
    }

    const TRichDocument& FDoc;
    std::vector<String> FFonts;
    std::vector<TColor> FColors;
    QByteArray FOut;
};

} // namespace

QByteArray WriteRtf(const TRichDocument& Doc)
{
    return TRtfWriter(Doc).Write();
}
