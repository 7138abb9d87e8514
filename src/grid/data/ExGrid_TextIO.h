#pragma once
// The grid's text files: the own cell list as a file and as a stream
// (ExGrid_CellList.cpp), aligned text and fixed width
// (ExGrid_AlignedText.cpp) and CSV (ExGrid_CSV.cpp). One object per call;
// the grid's methods hand over to it.
#include "grid/control/ExGrid.h"
#include "platform/TextCodec.h"
#include "rtl/Forms.h"

#include <QStringList>

#include <memory>

// Fires the grid's OnFileProgress when the rounded percentage changes.
class TFileProgress {
public:
    explicit TFileProgress(TExStringGrid& AGrid) : FGrid(AGrid) {}
    // Done of Total, as round(Done * 100 / max(1, Total)), halves to even.
    void Report(Integer Done, Integer Total);
    bool Wanted() const { return bool(FGrid.OnFileProgress); }

private:
    TExStringGrid& FGrid;
    Integer FLast = -1;
};

// The hourglass while it lives; the cursor before it afterwards.
class TGridHourGlass {
public:
    TGridHourGlass() : FOld(Screen->Cursor()) { Screen->SetCursor(crHourGlass); }
    ~TGridHourGlass() { Screen->SetCursor(FOld); }
    TGridHourGlass(const TGridHourGlass&) = delete;
    TGridHourGlass& operator=(const TGridHourGlass&) = delete;

private:
    TCursor FOld;
};

class TGridTextIO {
public:
    explicit TGridTextIO(TExStringGrid& AGrid);
    ~TGridTextIO();
    TGridTextIO(const TGridTextIO&) = delete;
    TGridTextIO& operator=(const TGridTextIO&) = delete;

    void SaveToFile(const String& FileName, bool Unicode);
    void LoadFromFile(const String& FileName);
    void SaveToStream(TStream* Stream);
    void LoadFromStream(TStream* Stream);
    void SaveToASCII(const String& FileName, bool Unicode, bool Append);
    void SaveToFixed(const String& FileName, TIntList* Positions);
    void LoadFromFixed(const String& FileName, TIntList* Positions, bool DoTrim, Integer MaxRows);
    Double CellToReal(Integer ACol, Integer ARow);
    void SaveToCSV(const String& FileName, bool Unicode, bool Append);
    // The bytes of a CSV file or stream; an empty Bytes raises "File is empty".
    void LoadFromCSV(const QByteArray& Bytes, bool Insert, Integer MaxRows);

private:
    // The columns an export walks: the savable display columns, and with
    // SaveHiddenCells the hidden ones after them, taken as real columns
    // while ColCount counts them too (ShowAllColumns).
    Integer FirstSaveCol() const { return G.SaveStartCol(); }
    Integer LastSaveCol() const { return FLastSaveCol; }
    Integer SaveRealCol(Integer C) const { return FWidened ? C : G.RealColIndex(C); }
    void ShowAllColumns();
    bool MultiLine() const { return !G.Multilinecells().isEmpty(); }
    // The text's first line, or its longest line with Multilinecells.
    Integer TextWidth(const String& Text) const;
    // Over the rows 0..RowCount - 1 of real column RealCol.
    Integer ColumnTextWidth(Integer RealCol) const;
    void Notify(TGridExportState State, Integer Row) { G.ExportNotification(State, Row); }
    // The end of every import: cells changed, grid changed.
    void ImportDone();
    // RowCount without moving the floating footer's row.
    void SetRowCountInPlace(Integer Value);
    QStringList CellListLines(bool Relative);
    void ApplyCellLine(const String& Line, Integer ColOffset, Integer RowOffset);
    void ApplyWidthLine(const String& Line);
    QStringList ASCIILines();
    String CSVField(const String& Text, Char Delimiter) const;
    QStringList CSVLines();

    TExStringGrid& G;
    std::unique_ptr<TExStringGrid::TAllColumns> FAllColumns;
    bool FWidened = false;
    Integer FLastSaveCol = 0;
};

// Lines of a text file: kept lines of an existing file for the append forms,
// then the new ones; written with CR LF as UTF-16LE with its mark, UTF-8 with
// its mark or ANSI.
QStringList ExistingLines(const String& FileName, bool Append);
void WriteLines(const String& FileName, const QStringList& Lines, textcodec::TTextEncoding Encoding);
