// The grid's own cell list: a line "C,R" with the counts, one "cw I,W" line
// per column width, then "C,R,text" per non-empty cell with its line breaks
// coded. As a file the coordinates are absolute; as a stream (UTF-16LE
// without mark, which AssignCells uses) relative to the savable area.
#include "grid/data/ExGrid_TextIO.h"

#include "grid/base/ExUtil.h"

#include <optional>

namespace {

// Beyond these a first line is taken for a corrupt file, not a size to
// allocate.
constexpr Integer MaxListRows = 10000000;
constexpr Integer MaxListCols = 100000;

const String CellListCorrupt = QStringLiteral("File contains no data or corrupt file ");

std::optional<Integer> ReadListNumber(const String& Text)
{
    bool Ok = false;
    const Integer Value = Text.trimmed().toInt(&Ok);
    return Ok ? std::optional<Integer>(Value) : std::nullopt;
}

bool ListCountsInRange(Integer Cols, Integer Rows)
{
    return Cols >= 0 && Rows >= 0 && Cols <= MaxListCols && Rows <= MaxListRows;
}

// "C,R": the counts, when both are numbers within the limits.
std::optional<std::pair<Integer, Integer>> ReadListCounts(const String& Line)
{
    const qsizetype Comma = Line.indexOf(u',');
    if (Comma < 0)
        return std::nullopt;
    const auto Cols = ReadListNumber(Line.left(Comma));
    const auto Rows = ReadListNumber(Line.mid(Comma + 1));
    if (!Cols || !Rows || !ListCountsInRange(*Cols, *Rows))
        return std::nullopt;
    return std::make_pair(*Cols, *Rows);
}

// A column and a row token before the first two commas.
bool HasListCellTokens(const String& Line)
{
    const qsizetype First = Line.indexOf(u',');
    return First > 0 && Line.indexOf(u',', First + 1) > First + 1;
}

bool IsListWidthLine(const String& Line) { return Line.startsWith(QLatin1String("cw")); }

// A line of the stream: UTF-16 units up to a CR; the unit after the CR is
// skipped. False at the end of the stream.
bool ReadListStreamLine(TStream* Stream, String& Line)
{
    Line.clear();
    char16_t Unit = 0;
    bool Any = false;
    while (Stream->Read(&Unit, 2) == 2) {
        Any = true;
        if (Unit == u'\r') {
            Stream->Read(&Unit, 2);
            return true;
        }
        Line += QChar(Unit);
    }
    return Any;
}

bool ListStreamAtEnd(TStream* Stream) { return Stream->Position() >= Stream->Size(); }

} // namespace

// ---------------------------------------------------------------- lines

QStringList TGridTextIO::CellListLines(bool Relative)
{
    if (!Relative)
        ShowAllColumns();
    else
        FLastSaveCol = G.SaveEndCol();
    const Integer FirstCol = FirstSaveCol(), LastCol = LastSaveCol();
    const Integer FirstRow = G.SaveStartRow(), LastRow = G.SaveEndRow();
    QStringList Lines;
    Lines << QStringLiteral("%1,%2").arg(LastCol - FirstCol + 1).arg(G.SaveRowCount());
    const Integer FirstWidth = Relative ? 0 : FirstCol;
    const Integer LastWidth = Relative ? G.ColCount() - 1 : LastCol;
    for (Integer C = FirstWidth; C <= LastWidth; ++C)
        Lines << QStringLiteral("cw %1,%2").arg(C).arg(G.ColWidths(C));
    TFileProgress Progress(G);
    Notify(esExportStart, FirstRow);
    for (Integer R = FirstRow; R <= LastRow; ++R) {
        Notify(esExportNextRow, R);
        for (Integer C = FirstCol; C <= LastCol; ++C) {
            const String Text = G.GetSaveCell(SaveRealCol(C), R);
            if (Text.isEmpty())
                continue;
            const Integer Col = Relative ? C - FirstCol : C, Row = Relative ? R - FirstRow : R;
            Lines << QStringLiteral("%1,%2,").arg(Col).arg(Row) + EncodeCellLineBreaks(Text);
        }
        if (!Relative)
            Progress.Report(R, G.SaveRowCount() - 1);
    }
    Notify(esExportDone, -1);
    return Lines;
}

void TGridTextIO::ApplyWidthLine(const String& Line)
{
    const qsizetype Comma = Line.indexOf(u',');
    if (Comma < 0)
        return;
    const auto Index = ReadListNumber(Line.mid(3, Comma - 3));
    const auto Width = ReadListNumber(Line.mid(Comma + 1));
    if (Index && Width && *Index >= 0 && *Index < G.ColCount() && *Width >= 0)
        G.SetColWidths(*Index, *Width);
}

// "C,R,text" at (ColOffset + C, RowOffset + R); lines outside the grid are
// skipped.
void TGridTextIO::ApplyCellLine(const String& Line, Integer ColOffset, Integer RowOffset)
{
    const qsizetype First = Line.indexOf(u','), Second = First < 0 ? -1 : Line.indexOf(u',', First + 1);
    if (Second < 0)
        return;
    const auto Col = ReadListNumber(Line.left(First));
    const auto Row = ReadListNumber(Line.mid(First + 1, Second - First - 1));
    if (!Col || !Row)
        return;
    const Integer C = ColOffset + *Col, R = RowOffset + *Row;
    if (*Col < 0 || *Row < 0 || C >= G.ColCount() || R >= G.RowCount())
        return;
    G.PutLoadCell(C, R, DecodeCellLineBreaks(Line.mid(Second + 1), MultiLine()));
}

// ---------------------------------------------------------------- file

void TGridTextIO::SaveToFile(const String& FileName, bool Unicode)
{
    WriteLines(FileName, CellListLines(false),
               Unicode ? textcodec::TTextEncoding::teUtf16LE : textcodec::TTextEncoding::teAnsi);
}

void TGridTextIO::LoadFromFile(const String& FileName)
{
    const QStringList Lines = textcodec::ReadTextLines(FileName);
    const Integer FC = G.SaveFixedCells() || G.SaveFixedCols() ? 0 : G.FixedCols();
    const Integer FR = G.SaveFixedCells() || G.SaveFixedRows() ? 0 : G.FixedRows();
    Integer Cols = G.ColCount(), Rows = G.RowCount();
    if (!Lines.isEmpty() && !Lines.first().isEmpty()) {
        const auto Counts = ReadListCounts(Lines.first());
        if (!Counts)
            throw EExGridError(CellListCorrupt + FileName);
        Cols = FC + Counts->first;
        Rows = FR + Counts->second;
    }
    if (Cols == 0 || Rows == 0)
        throw EExGridError(CellListCorrupt + FileName);
    G.SetColCount(Cols);
    G.SetRowCount(Rows);
    TFileProgress Progress(G);
    for (qsizetype I = 1; I < Lines.size(); ++I) {
        if (IsListWidthLine(Lines[I])) {
            ApplyWidthLine(Lines[I]);
            continue;
        }
        ApplyCellLine(Lines[I], 0, 0);
        if (Progress.Wanted()) {
            const auto Row = ReadListNumber(Lines[I].section(u',', 1, 1));
            Progress.Report(Row.value_or(0), G.RowCount() - 1);
        }
    }
    ImportDone();
}

// ---------------------------------------------------------------- stream

void TGridTextIO::SaveToStream(TStream* Stream)
{
    String Text;
    for (const String& Line : CellListLines(true))
        Text += Line + QLatin1String("\r\n");
    Stream->WriteBuffer(Text.utf16(), Integer(Text.size() * 2));
}

void TGridTextIO::LoadFromStream(TStream* Stream)
{
    String Line;
    if (!ListStreamAtEnd(Stream) && ReadListStreamLine(Stream, Line) && !Line.isEmpty()) {
        const qsizetype Comma = Line.indexOf(u',');
        const Integer Cols = StrToInt(Line.left(Comma < 0 ? Line.size() : Comma));
        const Integer Rows = StrToInt(Comma < 0 ? String() : Line.mid(Comma + 1));
        if (!ListCountsInRange(Cols, Rows))
            throw EExGridError(QStringLiteral("Invalid stream format"));
        G.SetColCount(G.SaveStartCol() + Cols);
        G.SetRowCount(G.SaveStartRow() + Rows);
    }
    while (!ListStreamAtEnd(Stream)) {
        const Int64 LineStart = Stream->Position();
        ReadListStreamLine(Stream, Line);
        if (IsListWidthLine(Line)) {
            ApplyWidthLine(Line);
            continue;
        }
        if (!HasListCellTokens(Line)) {
            Stream->SetPosition(LineStart);
            break;
        }
        ApplyCellLine(Line, G.SaveStartCol(), G.SaveStartRow());
    }
    ImportDone();
}
