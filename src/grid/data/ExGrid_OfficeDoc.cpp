// Word-processor documents: the grid as a table, new or appended.
#include "grid/data/ExGrid_Office.h"

#include "grid/base/ExUtil.h"

platform::TDocTable TGridOffice::DocumentTable()
{
    platform::TDocTable Table;
    G.ExportNotification(esExportStart, 0);
    for (Integer Row = 0; Row < G.RowCount(); ++Row) {
        G.ExportNotification(esExportNextRow, Row + 1);
        auto& Cells = Table.emplace_back();
        for (Integer Col = 0; Col < G.ColCount(); ++Col) {
            const Integer Real = G.RealColIndex(Col);
            const TAlignment Align = G.GetCellAlignment(Real, Row).first;
            Cells.push_back({RemoveCR(G.GetSaveCell(Real, Row)),
                             Align == taRightJustify ? platform::TDocAlignment::daRight
                             : Align == taCenter     ? platform::TDocAlignment::daCenter
                                                     : platform::TDocAlignment::daLeft});
        }
    }
    G.ExportNotification(esExportDone, -1);
    return Table;
}

void TGridOffice::SaveDocument(const String& FileName, const String& Bookmark, bool Append)
{
    const platform::TDocTable Table = DocumentTable();
    try {
        if (Append)
            platform::AppendToDocument(FileName, Table, G.Text(), Bookmark);
        else
            platform::WriteNewDocument(FileName, Table, G.Text());
    } catch (const EOfficeFileError& E) {
        throw EExGridError(QStringLiteral("Document not written: ") + E.Message());
    }
}

// No word processor runs here: the table always goes into a new document
// saved as the file.
void TExStringGrid::SaveToDOC(const String& Filename, bool CreateNewDocument)
{
    Q_UNUSED(CreateNewDocument);
    TGridHourGlass HourGlass;
    TGridOffice(*this).SaveDocument(Filename, String(), false);
}

void TExStringGrid::AppendToDoc(const String& Filename, const String& Bookmark)
{
    TGridHourGlass HourGlass;
    TGridOffice(*this).SaveDocument(Filename, Bookmark, true);
}
