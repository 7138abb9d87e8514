#pragma once
// Writing rows of texts into workbooks, always as Office Open XML, from
// cell A1 on. Failures raise EOfficeFileError naming the file; a file that
// is replaced stays as it was when writing fails.
#include "platform/OfficePackage.h"

#include <vector>

namespace platform {

using TTextRows = std::vector<std::vector<String>>;

// Not empty, at most 31 characters, none of [ ] : * ? / \.
bool IsValidSheetName(const String& Name);

// A new workbook with one sheet (SheetName, or "Sheet1" when empty).
void WriteNewWorkbook(const String& FileName, const TTextRows& Rows, const String& SheetName = String());
// Writes the rows into the named sheet of an existing workbook as inline
// strings, adding the sheet when it has none of that name; every other
// cell and part stays. A missing file becomes a new workbook.
void WriteWorkbookSheet(const String& FileName, const String& SheetName, const TTextRows& Rows);

} // namespace platform
