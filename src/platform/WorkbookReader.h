#pragma once
// Reading spreadsheet workbooks by their content: Office Open XML packages
// and legacy BIFF files. Rows and columns count from 1.
#include "platform/OfficePackage.h"

#include <QStringList>

#include <functional>
#include <memory>

namespace platform {

// A used range beyond this many cells is refused.
inline constexpr qint64 WorkbookMaxCells = 10000000;
// The sheet columns and rows a workbook can address.
inline constexpr int WorkbookMaxCols = 16384;
inline constexpr int WorkbookMaxRows = 1048576;

// Column letters in bijective base 26: 1 "A", 26 "Z", 27 "AA", 703 "AAA".
String ColumnLetters(int Col);
// The inverse; 0 for a text that is no column letters (or beyond
// WorkbookMaxCols).
int ColumnNumber(QStringView Letters);
// "B12" (with or without "$" signs) into column 2 and row 12; false when
// it is no cell address.
bool ParseCellAddress(QStringView Address, int& Col, int& Row);

struct TCellRange {
    int FirstCol = 0;
    int FirstRow = 0;
    int LastCol = 0;
    int LastRow = 0;
    bool IsEmpty() const { return FirstCol == 0; }
    qint64 CellCount() const { return IsEmpty() ? 0 : qint64(LastCol - FirstCol + 1) * (LastRow - FirstRow + 1); }
    bool Contains(int Col, int Row) const
    {
        return Col >= FirstCol && Col <= LastCol && Row >= FirstRow && Row <= LastRow;
    }
    void Include(int Col, int Row);
};

enum class TWorkbookValueKind { wvText, wvNumber, wvBoolean, wvDate, wvError };

struct TWorkbookCell {
    int Col = 0;
    int Row = 0;
    TWorkbookValueKind Kind = TWorkbookValueKind::wvText;
    String Text;        // texts and error codes
    double Number = 0;  // numbers, booleans (0 or 1) and dates (days since 1899-12-30)
};

class IWorkbookReader {
public:
    virtual ~IWorkbookReader() = default;
    // The worksheets in the workbook's order.
    virtual QStringList SheetNames() const = 0;
    // Index into SheetNames.
    virtual int ActiveSheet() const = 0;
    // Raises EOfficeFileError beyond WorkbookMaxCells.
    virtual TCellRange UsedRange(int Sheet) = 0;
    // Every cell with a value inside the used range, row by row.
    virtual void ReadCells(int Sheet, const std::function<void(const TWorkbookCell&)>& Visit) = 0;
};

// Raises EOfficeFileError when the file cannot be read or is no workbook; the
// message names the file and the reason.
std::unique_ptr<IWorkbookReader> OpenWorkbook(const String& FileName);

} // namespace platform
