#pragma once
// Legacy BIFF workbooks, read through FreeXL.
#include "platform/WorkbookReader.h"

namespace platform {

std::unique_ptr<IWorkbookReader> OpenBiffWorkbook(const String& FileName);

} // namespace platform
