// Database tables and query results into the grid.
#include "grid/data/ExGrid_Office.h"

#include "platform/TableSource.h"

void TGridOffice::LoadTable(const String& FileName, const String& TableOrSQL, bool IsQuery)
{
    std::unique_ptr<platform::ITableSource> Source;
    try {
        Source = platform::TableSourceOpener()(FileName, TableOrSQL, IsQuery);
    } catch (const ETableSourceError& E) {
        throw EExGridError(E.Message());
    }
    const QStringList Fields = Source->FieldNames();
    const Integer FixedCols = G.FixedCols();
    const Integer FixedRows = G.FixedRows();
    G.SetColCount(FixedCols + Integer(Fields.size()));
    for (qsizetype I = 0; FixedRows > 0 && I < Fields.size(); ++I)
        G.SetCells(FixedCols + Integer(I), FixedRows - 1, Fields[I]);
    if (Source->RecordCount() > 0)
        G.SetRowCount(FixedRows + Integer(Source->RecordCount()));
    std::vector<platform::TFieldValue> Values;
    try {
        for (Integer Row = FixedRows; Source->Next(Values); ++Row) {
            if (Row >= G.RowCount())
                G.SetRowCount(Row + 1);
            for (size_t I = 0; I < Values.size() && I < size_t(Fields.size()); ++I)
                G.PutLoadCell(FixedCols + Integer(I), Row, Values[I].Empty ? String() : Values[I].Text);
        }
    } catch (const ETableSourceError& E) {
        throw EExGridError(E.Message());
    }
}

void TExStringGrid::LoadFromMDBTable(const String& Filename, const String& Table)
{
    TGridHourGlass HourGlass;
    TGridOffice(*this).LoadTable(Filename, Table, false);
}

void TExStringGrid::LoadFromMDBSQL(const String& Filename, const String& SQL)
{
    TGridHourGlass HourGlass;
    TGridOffice(*this).LoadTable(Filename, SQL, true);
}
