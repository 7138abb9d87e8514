// Spreadsheet workbooks: the sheet list, loading a sheet's used range and
// writing the grid into a workbook.
#include "grid/data/ExGrid_Office.h"

#include "grid/base/ExUtil.h"
#include "platform/WorkbookWriter.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace {

// Dates without a time show the date only, times without a date the time only.
String WorkbookDateText(double Serial)
{
    if (Serial == std::floor(Serial))
        return DateToStr(Serial);
    if (Serial >= 0 && Serial < 1)
        return TimeToStr(Serial);
    return DateTimeToStr(Serial);
}

String WorkbookValueText(const platform::TWorkbookCell& Cell)
{
    switch (Cell.Kind) {
    case platform::TWorkbookValueKind::wvNumber: return FloatToStr(Cell.Number);
    case platform::TWorkbookValueKind::wvBoolean: return Cell.Number != 0 ? QStringLiteral("True") : QStringLiteral("False");
    case platform::TWorkbookValueKind::wvDate: return WorkbookDateText(Cell.Number);
    default: return Cell.Text;
    }
}

} // namespace

std::unique_ptr<platform::IWorkbookReader> TGridOffice::OpenWorkbook(const String& FileName)
{
    try {
        return platform::OpenWorkbook(FileName);
    } catch (const EOfficeFileError& E) {
        throw EExGridError(QStringLiteral("Incorrect XLS file ") + E.Message());
    }
}

std::unique_ptr<TStringList> TGridOffice::Sheets(const String& FileName)
{
    auto List = std::make_unique<TStringList>();
    for (const String& Name : OpenWorkbook(FileName)->SheetNames())
        List->Add(Name);
    return List;
}

int TGridOffice::SheetIndex(const platform::IWorkbookReader& Reader, const String& SheetName)
{
    if (SheetName.isEmpty())
        return Reader.ActiveSheet();
    const int Index = int(Reader.SheetNames().indexOf(SheetName));
    if (Index < 0)
        throw EExGridError(QStringLiteral("Excel worksheet ") + SheetName + QStringLiteral(" not found"));
    return Index;
}

void TGridOffice::LoadWorkbook(const String& FileName, const String& SheetName)
{
    try {
        auto Reader = OpenWorkbook(FileName);
        LoadRange(*Reader, SheetIndex(*Reader, SheetName));
    } catch (...) {
        G.DoCellsChanged(TRect(0, 0, G.ColCount(), G.RowCount()));
        G.GridChanged();
        throw;
    }
    G.DoCellsChanged(TRect(0, 0, G.ColCount(), G.RowCount()));
    G.GridChanged();
}

void TGridOffice::LoadRange(platform::IWorkbookReader& Reader, int Sheet)
{
    std::vector<platform::TWorkbookCell> Cells;
    platform::TCellRange Range;
    try {
        Range = Reader.UsedRange(Sheet);
        Reader.ReadCells(Sheet, [&](const platform::TWorkbookCell& Cell) { Cells.push_back(Cell); });
    } catch (const EOfficeFileError& E) {
        throw EExGridError(QStringLiteral("Incorrect XLS file ") + E.Message());
    }
    if (Range.IsEmpty())
        return;
    StoreRange(Range, Cells);
}

// Every position of the range: a value as its text, an empty one as an
// empty text; error cells keep what the grid held.
void TGridOffice::StoreRange(const platform::TCellRange& Range, std::vector<platform::TWorkbookCell>& Cells)
{
    const Integer OldFixedCols = G.FixedCols();
    const Integer OldFixedRows = G.FixedRows();
    const Integer X0 = G.SaveFixedCells() || G.SaveFixedCols() ? 0 : OldFixedCols;
    const Integer Y0 = G.SaveFixedCells() || G.SaveFixedRows() ? 0 : OldFixedRows;
    const Integer Cols = Range.LastCol - Range.FirstCol + 1;
    const Integer Rows = Range.LastRow - Range.FirstRow + 1;
    G.SetColCount(X0 + Cols);
    G.SetRowCount(Y0 + Rows);
    if (OldFixedCols < G.ColCount())
        G.SetFixedCols(OldFixedCols);
    if (OldFixedRows < G.RowCount())
        G.SetFixedRows(OldFixedRows);

    const auto Before = [](const platform::TWorkbookCell& A, const platform::TWorkbookCell& B) {
        return std::tie(A.Row, A.Col) < std::tie(B.Row, B.Col);
    };
    const auto SamePlace = [](const platform::TWorkbookCell& A, const platform::TWorkbookCell& B) {
        return A.Row == B.Row && A.Col == B.Col;
    };
    std::stable_sort(Cells.begin(), Cells.end(), Before);
    Cells.erase(std::unique(Cells.begin(), Cells.end(), SamePlace), Cells.end());
    auto Next = Cells.cbegin();
    for (Integer K = 0; K < Rows; ++K)
        for (Integer M = 0; M < Cols; ++M) {
            const int Col = Range.FirstCol + int(M);
            const int Row = Range.FirstRow + int(K);
            const bool HasValue = Next != Cells.cend() && Next->Col == Col && Next->Row == Row;
            if (!HasValue) {
                G.PutLoadCell(X0 + M, Y0 + K, String());
                continue;
            }
            if (Next->Kind != platform::TWorkbookValueKind::wvError)
                G.PutLoadCell(X0 + M, Y0 + K, WorkbookValueText(*Next));
            ++Next;
        }
}

// Rows SaveStartRow .. RowCount - 1, columns SaveStartCol .. ColCount - 1 as
// display columns' real columns.
std::vector<std::vector<String>> TGridOffice::SaveTexts()
{
    std::vector<std::vector<String>> Rows;
    G.ExportNotification(esExportStart, G.SaveStartRow());
    for (Integer Row = G.SaveStartRow(); Row < G.RowCount(); ++Row) {
        G.ExportNotification(esExportNextRow, Row);
        std::vector<String>& Texts = Rows.emplace_back();
        for (Integer Col = G.SaveStartCol(); Col < G.ColCount(); ++Col)
            Texts.push_back(RemoveCR(G.GetSaveCell(G.RealColIndex(Col), Row)));
    }
    G.ExportNotification(esExportDone, -1);
    return Rows;
}

void TGridOffice::SaveWorkbook(const String& FileName, const String& SheetName, bool NewWorkbook)
{
    if (!NewWorkbook && !platform::IsValidSheetName(SheetName))
        throw EExGridError(QStringLiteral("Invalid worksheet name \"") + SheetName + u'"');
    const auto Rows = SaveTexts();
    try {
        if (NewWorkbook)
            platform::WriteNewWorkbook(FileName, Rows);
        else
            platform::WriteWorkbookSheet(FileName, SheetName, Rows);
    } catch (const EOfficeFileError& E) {
        throw EExGridError(QStringLiteral("Workbook not written: ") + E.Message());
    }
}

// ---------------------------------------------------------------- the grid's methods

std::unique_ptr<TStringList> TExStringGrid::GetXLSSheets(const String& FileName)
{
    TGridHourGlass HourGlass;
    return TGridOffice(*this).Sheets(FileName);
}

void TExStringGrid::LoadFromXLS(const String& Filename)
{
    TGridHourGlass HourGlass;
    TGridOffice(*this).LoadWorkbook(Filename, String());
}

void TExStringGrid::LoadFromXLSSheet(const String& Filename, const String& SheetName)
{
    TGridHourGlass HourGlass;
    TGridOffice(*this).LoadWorkbook(Filename, SheetName);
}

// No spreadsheet application runs here: the grid always goes into a new
// workbook from row 1, saved as the file.
void TExStringGrid::SaveToXLS(const String& Filename, bool CreateNewSheet)
{
    Q_UNUSED(CreateNewSheet);
    TGridHourGlass HourGlass;
    TGridOffice(*this).SaveWorkbook(Filename, String(), true);
}

void TExStringGrid::SaveToXLSSheet(const String& Filename, const String& SheetName)
{
    TGridHourGlass HourGlass;
    TGridOffice(*this).SaveWorkbook(Filename, SheetName, false);
}
