// CSV: writing with the grid's quoting rules, reading with delimiter
// detection. A quoted field whose line holds no closing quote goes on in
// the next line (the writer puts bare line feeds into quoted fields).
#include "grid/data/ExGrid_TextIO.h"

#include "grid/base/ExUtil.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

constexpr Char CSVQuote = u'"';
constexpr Integer CSVRowGrowth = 1000;

// With OemConvert an ANSI CSV file holds the OEM bytes of its texts, one
// character a byte.
QStringList CSVTextLines(const QByteArray& Bytes, bool OemBytes)
{
    const bool Plain = OemBytes && !textcodec::DetectBom(Bytes);
    return textcodec::SplitTextLines(Plain ? QString::fromLatin1(Bytes) : textcodec::DecodeText(Bytes));
}

void WriteCSVLines(const String& FileName, const QStringList& Lines, bool Unicode, bool OemBytes)
{
    if (Unicode || !OemBytes) {
        WriteLines(FileName, Lines, Unicode ? textcodec::TTextEncoding::teUtf8 : textcodec::TTextEncoding::teAnsi);
        return;
    }
    String Text;
    for (const String& Line : Lines)
        Text += Line + QLatin1String("\r\n");
    WriteFileAtomically(FileName, Text.toLatin1());
}

// The maximal runs of Ch in S from From on, each told whether it is odd,
// whether it ends the text and where it ends; Stop ends the walk early.
template <typename Visit>
void ForEachCSVRun(Char Ch, const String& S, qsizetype From, Visit&& Stop)
{
    for (qsizetype I = From; I < S.size();) {
        if (S[I] != Ch) {
            ++I;
            continue;
        }
        const qsizetype Start = I;
        while (I < S.size() && S[I] == Ch)
            ++I;
        if (Stop((I - Start) % 2 == 1, I == S.size(), I))
            return;
    }
}

// A run of an odd number of quotes from From on: a quoted field closes there.
bool HasOddCSVQuoteRun(const String& Line, qsizetype From)
{
    bool Found = false;
    ForEachCSVRun(CSVQuote, Line, From, [&](bool Odd, bool, qsizetype) { return Found = Odd; });
    return Found;
}

// The index of the quote that closes a field opened before From (the end of
// the first run that is odd or ends the text, as FindClosingQuote), -1 when
// none follows.
qsizetype CSVClosingQuote(const String& Line, qsizetype From)
{
    qsizetype Close = -1;
    ForEachCSVRun(CSVQuote, Line, From, [&](bool Odd, bool AtEnd, qsizetype End) {
        if (Odd || AtEnd)
            Close = End - 1;
        return Close >= 0;
    });
    return Close;
}

// CountClosingQuotes in one pass: the runs that are odd or end the text.
Integer CountCSVClosingRuns(Char Ch, const String& S)
{
    Integer Count = 0;
    ForEachCSVRun(Ch, S, 0, [&](bool Odd, bool AtEnd, qsizetype) {
        Count += Odd || AtEnd ? 1 : 0;
        return false;
    });
    return Count;
}

// The candidates in the order in which they win ties.
constexpr std::array<Char, 10> CSVDelimiterCandidates = {u',', u';', u'#', u'\t', u'|', u'@', u'*', u'-', u'+', u'&'};

// The same count in both lines, the highest first; then the most in either.
Char DetectCSVDelimiter(const String& S1, const String& S2)
{
    const auto SameInBoth = [&](auto Count) {
        Char Found = Char(0);
        Integer Best = 0;
        for (const Char C : CSVDelimiterCandidates) {
            const Integer N = Count(C, S1);
            if (N == Count(C, S2) && N > Best) {
                Best = N;
                Found = C;
            }
        }
        return Found;
    };
    if (const Char Found = SameInBoth(CountCSVClosingRuns); Found != Char(0))
        return Found;
    if (const Char Found = SameInBoth(CountChar); Found != Char(0))
        return Found;
    Char Found = Char(0);
    Integer Best = 0;
    for (const Char C : CSVDelimiterCandidates) {
        const Integer N = std::max(CountChar(C, S1), CountChar(C, S2));
        if (N > Best) {
            Best = N;
            Found = C;
        }
    }
    return Found;
}

// The records of a CSV text, one per line unless a quoted field goes on.
class TCSVRecords {
public:
    TCSVRecords(const QStringList& Lines, qsizetype First, Char Delimiter, bool Java, bool Oem)
        : FLines(Lines), FNext(First), FDelimiter(Delimiter), FJava(Java), FOem(Oem)
    {
    }

    bool AtEnd() const { return FNext >= FLines.size(); }
    std::vector<String> Next();

private:
    String TakeLine()
    {
        String Line = FLines[FNext++];
        if (FOem)
            OemToStr(Line);
        return Line;
    }
    // A quoted field opening at Pos takes the following lines, joined by
    // CR LF, until a closing quote turns up or the text ends.
    void ContinueQuotedField(String& Line, qsizetype Pos)
    {
        // A run cannot reach over the CR LF, so each new line is searched once.
        qsizetype From = Pos + 1;
        while (!HasOddCSVQuoteRun(Line, From) && !AtEnd()) {
            From = Line.size();
            Line += QLatin1String("\r\n") + TakeLine();
        }
    }
    String Decoded(String Field) const
    {
        if (FJava)
            TildeToLineBreaks(Field);
        else
            VTToCRLF(Field);
        return Field;
    }
    // The field at Pos, which holds a delimiter after it; Pos moves past
    // the delimiter that ends it.
    String DelimitedField(String& Line, qsizetype& Pos);
    // The rest of the line from Pos; false when a continued quote brought
    // in a delimiter, so the rest is delimited fields again.
    bool LastField(String& Line, qsizetype Pos, std::vector<String>& Fields);

    const QStringList& FLines;
    qsizetype FNext;
    Char FDelimiter;
    bool FJava;
    bool FOem;
};

String TCSVRecords::DelimitedField(String& Line, qsizetype& Pos)
{
    while (Line.size() - Pos >= 2 && Line[Pos] == u' ')
        ++Pos;
    if (Line[Pos] != CSVQuote) {
        // A blank delimiter may have gone with the blanks.
        qsizetype Delim = Line.indexOf(FDelimiter, Pos);
        if (Delim < 0)
            Delim = Line.size();
        const String Field = Line.mid(Pos, Delim - Pos);
        Pos = Delim + 1;
        return Decoded(Field);
    }
    ContinueQuotedField(Line, Pos);
    const qsizetype Open = Pos + 1, Close = CSVClosingQuote(Line, Open);
    const String Field = Close < 0 ? String() : UndoubleChar(CSVQuote, Line.mid(Open, Close - Open));
    Pos = Close < 0 ? Open : Close + 1;
    const qsizetype Delim = Line.indexOf(FDelimiter, Pos);
    if (Delim >= 0)
        Pos = Delim + 1;
    return Decoded(Field);
}

bool TCSVRecords::LastField(String& Line, qsizetype Pos, std::vector<String>& Fields)
{
    while (Pos < Line.size() && Line[Pos] == u' ')
        ++Pos;
    String Field = Line.mid(Pos);
    if (Field.startsWith(CSVQuote)) {
        ContinueQuotedField(Line, Pos);
        if (FDelimiter != Char(0) && Line.indexOf(FDelimiter, Pos) >= 0)
            return false;
        Field = Line.mid(Pos + 1);
        if (Field.endsWith(CSVQuote))
            Field.chop(1);
        Field = UndoubleChar(CSVQuote, Field);
    }
    Fields.push_back(Decoded(Field));
    return true;
}

std::vector<String> TCSVRecords::Next()
{
    String Line = TakeLine();
    qsizetype Pos = 0;
    std::vector<String> Fields;
    while (Pos < Line.size()) {
        if (FDelimiter != Char(0) && Line.indexOf(FDelimiter, Pos) >= 0)
            Fields.push_back(DelimitedField(Line, Pos));
        else if (LastField(Line, Pos, Fields))
            break;
    }
    return Fields;
}

} // namespace

// ---------------------------------------------------------------- writing

String TGridTextIO::CSVField(const String& Text, Char Delimiter) const
{
    String Field = DoubleQuoteChars(Text);
    if (G.OemConvert())
        StrToOem(Field);
    bool Quoted = false;
    if (G.AlwaysQuotes() || (!Field.contains(Delimiter) && Field.contains(CSVQuote))) {
        Field = CSVQuote + Field + CSVQuote;
        Quoted = true;
    }
    if (Field.isEmpty() && G.JavaCSV())
        Field = QStringLiteral("^");
    else if (Field.isEmpty() && G.QuoteEmptyCells())
        Field = QStringLiteral("\"\"");
    if (Field.contains(Delimiter) || Field.contains(u'\r')) {
        if (G.JavaCSV())
            LineBreaksToTilde(Field);
        else if (Quoted)
            CRLFToLF(Field);
        else
            QuoteMultiLine(Field);
    }
    return Field;
}

QStringList TGridTextIO::CSVLines()
{
    ShowAllColumns();
    const Char Delimiter = G.Delimiter() == Char(0) ? Char(u',') : G.Delimiter();
    QStringList Lines;
    TFileProgress Progress(G);
    Notify(esExportStart, G.SaveStartRow());
    for (Integer R = G.SaveStartRow(); R <= G.SaveEndRow(); ++R) {
        Notify(esExportNextRow, R);
        String Line;
        for (Integer C = FirstSaveCol(); C <= LastSaveCol(); ++C) {
            if (C > FirstSaveCol())
                Line += Delimiter;
            Line += CSVField(G.GetSaveCell(SaveRealCol(C), R), Delimiter);
        }
        Lines << Line;
        Progress.Report(R, G.RowCount() - 1);
    }
    Notify(esExportDone, -1);
    return Lines;
}

void TGridTextIO::SaveToCSV(const String& FileName, bool Unicode, bool Append)
{
    const bool OemBytes = G.OemConvert() && !Unicode;
    QStringList Lines;
    if (Append && FileExists(FileName))
        Lines = CSVTextLines(ReadFileBytes(FileName), OemBytes);
    Lines << CSVLines();
    WriteCSVLines(FileName, Lines, Unicode, OemBytes);
}

// ---------------------------------------------------------------- reading

void TGridTextIO::LoadFromCSV(const QByteArray& Bytes, bool Insert, Integer MaxRows)
{
    const QStringList Lines = CSVTextLines(Bytes, G.OemConvert());
    if (Lines.isEmpty())
        throw Exception(QStringLiteral("File is empty"));
    const Char Delimiter =
        G.Delimiter() != Char(0) ? G.Delimiter() : DetectCSVDelimiter(Lines[0], Lines.size() > 1 ? Lines[1] : String());
    const qsizetype FirstLine = G.LoadFirstRow() ? 0 : 1;
    const Integer OldRowCount = G.RowCount();
    // The floating footer's row stays the last row, after the data.
    const bool Footer = G.FloatingFooter()->Visible();
    TStringGrid::TSlotRow FooterRow;
    Integer Row = Insert ? G.RowCount() : G.SaveStartRow();
    if (Footer) {
        FooterRow = G.TakeSlotRow(G.RowCount() - 1);
        if (Insert)
            --Row;
    }
    TFileProgress Progress(G);
    const Integer DataLines = Integer(Lines.size() - FirstLine);
    if (Progress.Wanted())
        SetRowCountInPlace(Insert ? G.RowCount() + DataLines : G.SaveStartRow() + DataLines + G.FixedFooters());
    const Integer Hidden = G.SaveHiddenCells() ? G.NumHiddenColumns() : 0;
    TCSVRecords Records(Lines, FirstLine, Delimiter, G.JavaCSV(), G.OemConvert());
    Integer Done = 0;
    while (!Records.AtEnd() && (MaxRows <= 0 || Done < MaxRows)) {
        if (Row >= G.RowCount() - G.FixedFooters())
            SetRowCountInPlace(Row + CSVRowGrowth);
        const std::vector<String> Fields = Records.Next();
        const Integer EndCol = G.SaveStartCol() + Integer(Fields.size());
        if (EndCol > G.ColCount() + Hidden)
            G.SetColCount(EndCol - Hidden);
        for (std::size_t I = 0; I < Fields.size(); ++I)
            G.PutLoadCell(G.SaveStartCol() + Integer(I), Row, Fields[I]);
        ++Row;
        ++Done;
        if (DataLines > 0)
            Progress.Report(Done, DataLines);
    }
    // A shown footer row is the one fixed footer row of its fixed-last-row
    // style, or an extra row for the other styles.
    const Integer Footers = Footer ? std::max(G.FixedFooters(), 1) : G.FixedFooters();
    SetRowCountInPlace(Done > 0 ? Row + Footers : OldRowCount);
    G.FMaxRowCount = G.RowCount();
    if (Footer)
        G.PlaceSlotRow(G.RowCount() - 1, std::move(FooterRow));
    ImportDone();
}
