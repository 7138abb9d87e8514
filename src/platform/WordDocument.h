#pragma once
// Office Open XML word-processor documents holding one table: written new,
// or the table added to an existing document. Failures raise
// EOfficeFileError naming the file; the old file stays as it was.
#include "platform/OfficePackage.h"

#include <vector>

namespace platform {

enum class TDocAlignment { daLeft, daCenter, daRight };

struct TDocCell {
    String Text; // line breaks as LF
    TDocAlignment Alignment = TDocAlignment::daLeft;
};

using TDocTable = std::vector<std::vector<TDocCell>>;

// The table, then a paragraph with Caption.
void WriteNewDocument(const String& FileName, const TDocTable& Table, const String& Caption);
// A paragraph with Caption (when not empty) and the table after the
// paragraph holding Bookmark's start, or at the end of the body when the
// document has no such bookmark.
void AppendToDocument(const String& FileName, const TDocTable& Table, const String& Caption, const String& Bookmark);

} // namespace platform
