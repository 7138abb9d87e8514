#pragma once
// The grid's spreadsheet workbooks (ExGrid_Office.cpp), word-processor
// documents (ExGrid_OfficeDoc.cpp) and database tables
// (ExGrid_OfficeTable.cpp). One object per call; the grid's methods hand
// over to it under the hourglass.
#include "grid/control/ExGrid.h"
#include "grid/data/ExGrid_TextIO.h"
#include "platform/WordDocument.h"
#include "platform/WorkbookReader.h"

#include <vector>

class TGridOffice {
public:
    explicit TGridOffice(TExStringGrid& AGrid) : G(AGrid) {}

    std::unique_ptr<TStringList> Sheets(const String& FileName);
    // An empty SheetName loads the active sheet.
    void LoadWorkbook(const String& FileName, const String& SheetName);
    // A new workbook, or the named sheet written into the file.
    void SaveWorkbook(const String& FileName, const String& SheetName, bool NewWorkbook);

    // A new document, or the table appended to the file at Bookmark.
    void SaveDocument(const String& FileName, const String& Bookmark, bool Append);
    // A table by name, or the result of SQL when IsQuery.
    void LoadTable(const String& FileName, const String& TableOrSQL, bool IsQuery);

private:
    std::unique_ptr<platform::IWorkbookReader> OpenWorkbook(const String& FileName);
    int SheetIndex(const platform::IWorkbookReader& Reader, const String& SheetName);
    void LoadRange(platform::IWorkbookReader& Reader, int Sheet);
    void StoreRange(const platform::TCellRange& Range, std::vector<platform::TWorkbookCell>& Cells);
    // The save texts of every row and column, CR removed.
    std::vector<std::vector<String>> SaveTexts();
    // Every row and column, fixed ones included, with the cells' alignment.
    platform::TDocTable DocumentTable();

    TExStringGrid& G;
};
