// The grid's text files: what their readers and writers share, and the
// grid's methods, which hand over to them.
#include "grid/data/ExGrid_TextIO.h"

#include "grid/base/ExUtil.h"

#include <algorithm>

void TFileProgress::Report(Integer Done, Integer Total)
{
    if (!FGrid.OnFileProgress)
        return;
    const Integer Percent = Integer(Round(Double(Done) * 100 / std::max(1, Total)));
    if (Percent == FLast)
        return;
    FLast = Percent;
    FGrid.OnFileProgress(&FGrid, SmallInt(Percent));
}

TGridTextIO::TGridTextIO(TExStringGrid& AGrid) : G(AGrid) {}

TGridTextIO::~TGridTextIO() = default;

void TGridTextIO::ShowAllColumns()
{
    FWidened = G.SaveHiddenCells() && G.NumHiddenColumns() > 0;
    FLastSaveCol = G.SaveEndCol() + (FWidened ? G.NumHiddenColumns() : 0);
    if (FWidened)
        FAllColumns = std::make_unique<TExStringGrid::TAllColumns>(&G);
}

Integer TGridTextIO::TextWidth(const String& Text) const
{
    if (!MultiLine())
        return Integer(Text.indexOf(u'\r') < 0 ? Text.size() : Text.indexOf(u'\r'));
    Integer Width = 0;
    for (const String& Line : textcodec::SplitTextLines(Text))
        Width = std::max(Width, Integer(Line.size()));
    return Width;
}

Integer TGridTextIO::ColumnTextWidth(Integer RealCol) const
{
    Integer Width = 0;
    for (Integer R = 0; R < G.RowCount(); ++R)
        Width = std::max(Width, TextWidth(G.GetSaveCell(RealCol, R)));
    return Width;
}

void TGridTextIO::ImportDone()
{
    G.DoCellsChanged(TRect(0, 0, G.ColCount(), G.RowCount()));
    G.GridChanged();
}

void TGridTextIO::SetRowCountInPlace(Integer Value)
{
    G.TBaseGrid::SetRowCount(Value);
    G.SetRowCount(Value);
}

QStringList ExistingLines(const String& FileName, bool Append)
{
    return Append && FileExists(FileName) ? textcodec::ReadTextLines(FileName) : QStringList();
}

void WriteLines(const String& FileName, const QStringList& Lines, textcodec::TTextEncoding Encoding)
{
    textcodec::WriteTextLines(FileName, Lines, Encoding, Encoding != textcodec::TTextEncoding::teAnsi);
}

// ---------------------------------------------------------------- the grid's methods

void TExStringGrid::GridChanged()
{
    CalcFooter(-1);
}

void TExStringGrid::SaveToFile(const String& FileName, bool Unicode)
{
    TGridTextIO(*this).SaveToFile(FileName, Unicode);
}

void TExStringGrid::LoadFromFile(const String& FileName)
{
    TGridTextIO(*this).LoadFromFile(FileName);
}

void TExStringGrid::SaveToStream(TStream* Stream)
{
    TGridTextIO(*this).SaveToStream(Stream);
}

void TExStringGrid::LoadFromStream(TStream* Stream)
{
    TGridTextIO(*this).LoadFromStream(Stream);
}

void TExStringGrid::SaveToASCII(const String& FileName, bool Unicode)
{
    TGridTextIO(*this).SaveToASCII(FileName, Unicode, false);
}

void TExStringGrid::AppendToASCII(const String& FileName, bool Unicode)
{
    TGridTextIO(*this).SaveToASCII(FileName, Unicode, true);
}

void TExStringGrid::SaveToCSV(const String& FileName, bool Unicode)
{
    TGridTextIO(*this).SaveToCSV(FileName, Unicode, false);
}

void TExStringGrid::AppendToCSV(const String& FileName, bool Unicode)
{
    TGridTextIO(*this).SaveToCSV(FileName, Unicode, true);
}

void TExStringGrid::LoadFromCSV(const String& FileName, Integer MaxRows)
{
    const QByteArray Bytes = ReadFileBytes(FileName);
    if (!Bytes.isEmpty())
        TGridTextIO(*this).LoadFromCSV(Bytes, false, MaxRows);
}

void TExStringGrid::InsertFromCSV(const String& FileName, Integer MaxRows)
{
    const QByteArray Bytes = ReadFileBytes(FileName);
    if (!Bytes.isEmpty())
        TGridTextIO(*this).LoadFromCSV(Bytes, true, MaxRows);
}

void TExStringGrid::LoadFromCSVStream(TStream* AStream, Integer MaxRows)
{
    QByteArray Bytes(qsizetype(std::max<Int64>(0, AStream->Size() - AStream->Position())), Qt::Uninitialized);
    Bytes.truncate(AStream->Read(Bytes.data(), Integer(Bytes.size())));
    TGridTextIO(*this).LoadFromCSV(Bytes, false, MaxRows);
}

void TExStringGrid::SaveToFixed(const String& FileName, TIntList* Positions)
{
    TGridTextIO(*this).SaveToFixed(FileName, Positions);
}

void TExStringGrid::LoadFromFixed(const String& FileName, TIntList* Positions, bool DoTrim, Integer MaxRows)
{
    TGridTextIO(*this).LoadFromFixed(FileName, Positions, DoTrim, MaxRows);
}

Double TExStringGrid::CellToReal(Integer ACol, Integer ARow)
{
    return TGridTextIO(*this).CellToReal(ACol, ARow);
}
