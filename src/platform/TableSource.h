#pragma once
// Database tables and query results read row by row: Access files through
// mdbtools. The grid loads through this interface; tests put their own
// source in place with SetTableSourceOpener.
#include "rtl/SysUtils.h"

#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

RTL_DECLARE_EXCEPTION(ETableSourceError, Exception)

namespace platform {

struct TFieldValue {
    String Text;
    bool Empty = true; // empty or null
};

class ITableSource {
public:
    virtual ~ITableSource() = default;
    virtual QStringList FieldNames() const = 0;
    // -1 when unknown (query results).
    virtual qint64 RecordCount() const = 0;
    // The next row's values; false at the end.
    virtual bool Next(std::vector<TFieldValue>& Values) = 0;
};

// Raise ETableSourceError naming the file or the table.
std::unique_ptr<ITableSource> OpenAccessTable(const String& FileName, const String& Table);
std::unique_ptr<ITableSource> OpenAccessQuery(const String& FileName, const String& SQL);

// How the grid opens a source: a table by name, or SQL when IsQuery.
using TTableSourceOpener =
    std::function<std::unique_ptr<ITableSource>(const String& FileName, const String& TableOrSQL, bool IsQuery)>;
TTableSourceOpener TableSourceOpener();
// An empty opener brings back the Access one.
void SetTableSourceOpener(TTableSourceOpener Opener);

} // namespace platform
