#pragma once
// Workbooks the office-file tests build with libxlsxwriter, and edits of
// package parts for the bad-input cases.
#include "platform/OfficePackage.h"

#include <QFile>
#include <QString>

#include <xlsxwriter.h>

#include <functional>
#include <string>

namespace officefiles {

// Three sheets "First", "Data" (active) and "Last"; "Data" holds B2:D4:
//   B2 "Text"    C2 42.5        D2 TRUE
//   B3 "second"  C3 2024-03-15  D3 (empty)
//   B4 FALSE     C4 -7          D4 (left to the test)
// "First" holds A1 "one"; "Last" holds C3 "single".
inline void MakeSampleWorkbook(const QString& FileName)
{
    lxw_workbook* Book = workbook_new(QFile::encodeName(FileName).constData());
    lxw_worksheet* First = workbook_add_worksheet(Book, "First");
    lxw_worksheet* Data = workbook_add_worksheet(Book, "Data");
    lxw_worksheet* Last = workbook_add_worksheet(Book, "Last");
    lxw_format* DateFormat = workbook_add_format(Book);
    format_set_num_format(DateFormat, "yyyy-mm-dd");
    worksheet_write_string(First, 0, 0, "one", nullptr);
    worksheet_write_string(Data, 1, 1, "Text", nullptr);
    worksheet_write_number(Data, 1, 2, 42.5, nullptr);
    worksheet_write_boolean(Data, 1, 3, 1, nullptr);
    worksheet_write_string(Data, 2, 1, "second", nullptr);
    lxw_datetime Date = {2024, 3, 15, 0, 0, 0};
    worksheet_write_datetime(Data, 2, 2, &Date, DateFormat);
    worksheet_write_boolean(Data, 3, 1, 0, nullptr);
    worksheet_write_number(Data, 3, 2, -7, nullptr);
    worksheet_write_string(Last, 2, 2, "single", nullptr);
    worksheet_activate(Data);
    workbook_close(Book);
}

// Replaces the text of one part of a package by Edit's result.
inline void EditPart(const QString& FileName, const std::string& Part,
                     const std::function<QByteArray(const QByteArray&)>& Edit)
{
    platform::TOfficePackage Package(FileName, platform::TOfficePackage::TMode::pmEdit);
    Package.Write(Part, Edit(Package.Read(Part)));
    Package.Commit();
}

// The sample's "Data" sheet part.
inline const std::string DataSheetPart = "xl/worksheets/sheet2.xml";

// Puts an error cell at D4 of the sample's "Data" sheet.
inline void AddErrorCell(const QString& FileName)
{
    EditPart(FileName, DataSheetPart, [](QByteArray Xml) {
        const qsizetype RowEnd = Xml.indexOf("</row>", Xml.indexOf("<row r=\"4\""));
        return Xml.insert(RowEnd, "<c r=\"D4\" t=\"e\"><v>#DIV/0!</v></c>");
    });
}

} // namespace officefiles
