#include "platform/TableSource.h"

#include <QFile>

#include <mdbsql.h>

namespace platform {

namespace {

[[noreturn]] void SourceFail(const String& What, const String& Reason)
{
    throw ETableSourceError(What + QStringLiteral(": ") + Reason);
}

// Bound column buffers of one row.
struct TBoundRow {
    std::vector<std::vector<char>> Buffers;
    std::vector<int> Lengths;
    std::vector<TFieldValue> Values() const
    {
        std::vector<TFieldValue> Out;
        for (size_t I = 0; I < Buffers.size(); ++I) {
            const bool Empty = Lengths[I] <= 0;
            Out.push_back({Empty ? String() : String::fromUtf8(Buffers[I].data()), Empty});
        }
        return Out;
    }
};

class TAccessTable : public ITableSource {
public:
    TAccessTable(const String& FileName, const String& Table)
    {
        try {
            Open(FileName, Table);
        } catch (...) {
            Close();
            throw;
        }
    }
    ~TAccessTable() override { Close(); }
    TAccessTable(const TAccessTable&) = delete;
    TAccessTable& operator=(const TAccessTable&) = delete;

    QStringList FieldNames() const override { return FNames; }
    qint64 RecordCount() const override { return FTable->num_rows; }
    bool Next(std::vector<TFieldValue>& Values) override
    {
        if (!mdb_fetch_row(FTable))
            return false;
        Values = FRow.Values();
        return true;
    }

private:
    void Open(const String& FileName, const String& Table)
    {
        if (!QFile::exists(FileName))
            SourceFail(FileName, QStringLiteral("the file does not exist"));
        FHandle = mdb_open(QFile::encodeName(FileName).constData(), MDB_NOFLAGS);
        if (!FHandle)
            SourceFail(FileName, QStringLiteral("the file is no Access database"));
        if (!mdb_read_catalog(FHandle, MDB_TABLE))
            SourceFail(FileName, QStringLiteral("the database catalog cannot be read"));
        QByteArray Name = Table.toUtf8();
        FTable = mdb_read_table_by_name(FHandle, Name.data(), MDB_TABLE);
        if (!FTable)
            SourceFail(FileName, QStringLiteral("table %1 not found").arg(Table));
        if (!mdb_read_columns(FTable))
            SourceFail(FileName, QStringLiteral("the columns of table %1 cannot be read").arg(Table));
        mdb_rewind_table(FTable);
        FRow.Buffers.assign(FTable->num_cols, std::vector<char>(MDB_BIND_SIZE + 1, '\0'));
        FRow.Lengths.assign(FTable->num_cols, 0);
        for (unsigned int I = 0; I < FTable->num_cols; ++I) {
            FNames << String::fromUtf8(static_cast<MdbColumn*>(g_ptr_array_index(FTable->columns, I))->name);
            mdb_bind_column(FTable, int(I) + 1, FRow.Buffers[I].data(), &FRow.Lengths[I]);
        }
    }
    void Close()
    {
        if (FTable)
            mdb_free_tabledef(FTable);
        if (FHandle)
            mdb_close(FHandle);
        FTable = nullptr;
        FHandle = nullptr;
    }

    MdbHandle* FHandle = nullptr;
    MdbTableDef* FTable = nullptr;
    QStringList FNames;
    TBoundRow FRow;
};

class TAccessQuery : public ITableSource {
public:
    TAccessQuery(const String& FileName, const String& SQL) : FSql(mdb_sql_init())
    {
        try {
            Open(FileName, SQL);
        } catch (...) {
            mdb_sql_exit(FSql);
            throw;
        }
    }
    void Open(const String& FileName, const String& SQL)
    {
        if (!QFile::exists(FileName))
            SourceFail(FileName, QStringLiteral("the file does not exist"));
        QByteArray Name = QFile::encodeName(FileName);
        if (!mdb_sql_open(FSql, Name.data()))
            SourceFail(FileName, QStringLiteral("the file is no Access database"));
        mdb_sql_run_query(FSql, SQL.toUtf8().constData());
        if (mdb_sql_has_error(FSql) || !FSql->cur_table)
            SourceFail(FileName, QStringLiteral("the query failed: %1").arg(String::fromUtf8(mdb_sql_last_error(FSql))));
        for (unsigned int I = 0; I < FSql->num_columns; ++I)
            FNames << String::fromUtf8(static_cast<MdbSQLColumn*>(g_ptr_array_index(FSql->columns, I))->name);
    }
    ~TAccessQuery() override { mdb_sql_exit(FSql); }
    TAccessQuery(const TAccessQuery&) = delete;
    TAccessQuery& operator=(const TAccessQuery&) = delete;

    QStringList FieldNames() const override { return FNames; }
    qint64 RecordCount() const override { return -1; }
    bool Next(std::vector<TFieldValue>& Values) override
    {
        if (!mdb_sql_fetch_row(FSql, FSql->cur_table))
            return false;
        Values.clear();
        for (unsigned int I = 0; I < FSql->num_columns; ++I) {
            const char* Text = static_cast<const char*>(g_ptr_array_index(FSql->bound_values, I));
            const bool Empty = !Text || !*Text;
            Values.push_back({Empty ? String() : String::fromUtf8(Text), Empty});
        }
        return true;
    }

private:
    MdbSQL* FSql;
    QStringList FNames;
};

TTableSourceOpener& CurrentOpener()
{
    static TTableSourceOpener Opener;
    return Opener;
}

} // namespace

std::unique_ptr<ITableSource> OpenAccessTable(const String& FileName, const String& Table)
{
    return std::make_unique<TAccessTable>(FileName, Table);
}

std::unique_ptr<ITableSource> OpenAccessQuery(const String& FileName, const String& SQL)
{
    return std::make_unique<TAccessQuery>(FileName, SQL);
}

TTableSourceOpener TableSourceOpener()
{
    if (CurrentOpener())
        return CurrentOpener();
    return [](const String& FileName, const String& TableOrSQL, bool IsQuery) {
        return IsQuery ? OpenAccessQuery(FileName, TableOrSQL) : OpenAccessTable(FileName, TableOrSQL);
    };
}

void SetTableSourceOpener(TTableSourceOpener Opener)
{
    CurrentOpener() = std::move(Opener);
}

} // namespace platform
