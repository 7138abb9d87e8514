#include "platform/WorkbookReader_Biff.h"

#include <QDateTime>
#include <QFile>

#include <freexl.h>

namespace platform {

namespace {

// Days since 1899-12-30 of FreeXL's "YYYY-MM-DD", "YYYY-MM-DD HH:MM:SS" or
// "HH:MM:SS".
double SerialOfDateText(const String& Text)
{
    const QDate Epoch(1899, 12, 30);
    const QStringList Parts = Text.split(u' ');
    double Days = 0;
    for (const String& Part : Parts) {
        if (Part.contains(u'-')) {
            Days += double(Epoch.daysTo(QDate::fromString(Part, QStringLiteral("yyyy-MM-dd"))));
        } else {
            const QTime Time = QTime::fromString(Part, QStringLiteral("HH:mm:ss"));
            Days += Time.msecsSinceStartOfDay() / 86400000.0;
        }
    }
    return Days;
}

class TBiffWorkbook : public IWorkbookReader {
public:
    explicit TBiffWorkbook(const String& FileName) : FFileName(FileName)
    {
        Check(freexl_open(QFile::encodeName(FileName).constData(), &FHandle.Handle), QStringLiteral("cannot be opened"));
        unsigned int Count = 0;
        Check(freexl_get_info(FHandle, FREEXL_BIFF_SHEET_COUNT, &Count), QStringLiteral("lists no sheets"));
        for (unsigned int I = 0; I < Count; ++I) {
            const char* Name = nullptr;
            Check(freexl_get_worksheet_name(FHandle, static_cast<unsigned short>(I), &Name),
                  QStringLiteral("has an unreadable sheet name"));
            FNames << String::fromUtf8(Name);
        }
    }

    QStringList SheetNames() const override { return FNames; }
    int ActiveSheet() const override { return 0; }

    TCellRange UsedRange(int Sheet) override
    {
        TCellRange Range;
        WalkCells(Sheet, [&](const TWorkbookCell& Cell) { Range.Include(Cell.Col, Cell.Row); });
        return Range;
    }

    void ReadCells(int Sheet, const std::function<void(const TWorkbookCell&)>& Visit) override
    {
        WalkCells(Sheet, Visit);
    }

private:
    void Check(int Result, const String& What) const
    {
        if (Result != FREEXL_OK)
            throw EOfficeFileError(QStringLiteral("%1: the workbook %2 (FreeXL error %3)").arg(FFileName, What).arg(Result));
    }

    void WalkCells(int Sheet, const std::function<void(const TWorkbookCell&)>& Visit)
    {
        if (Sheet < 0 || Sheet >= FNames.size())
            throw EOfficeFileError(QStringLiteral("%1: sheet %2 points nowhere").arg(FFileName).arg(Sheet + 1));
        Check(freexl_select_active_worksheet(FHandle, static_cast<unsigned short>(Sheet)), QStringLiteral("has an unreadable sheet"));
        unsigned int Rows = 0;
        unsigned short Cols = 0;
        Check(freexl_worksheet_dimensions(FHandle, &Rows, &Cols), QStringLiteral("has an unreadable sheet"));
        if (qint64(Rows) * Cols > WorkbookMaxCells)
            throw EOfficeFileError(QStringLiteral("%1: the used range holds more than %2 cells").arg(FFileName).arg(WorkbookMaxCells));
        for (unsigned int R = 0; R < Rows; ++R)
            for (unsigned short C = 0; C < Cols; ++C) {
                FreeXL_CellValue Value;
                Check(freexl_get_cell_value(FHandle, R, C, &Value), QStringLiteral("has an unreadable cell"));
                TWorkbookCell Cell;
                if (!Convert(Value, Cell))
                    continue;
                Cell.Col = C + 1;
                Cell.Row = int(R) + 1;
                Visit(Cell);
            }
    }

    static bool Convert(const FreeXL_CellValue& Value, TWorkbookCell& Cell)
    {
        switch (Value.type) {
        case FREEXL_CELL_INT:
            Cell.Kind = TWorkbookValueKind::wvNumber;
            Cell.Number = Value.value.int_value;
            return true;
        case FREEXL_CELL_DOUBLE:
            Cell.Kind = TWorkbookValueKind::wvNumber;
            Cell.Number = Value.value.double_value;
            return true;
        case FREEXL_CELL_TEXT:
        case FREEXL_CELL_SST_TEXT:
            Cell.Text = String::fromUtf8(Value.value.text_value);
            return true;
        case FREEXL_CELL_DATE:
        case FREEXL_CELL_DATETIME:
        case FREEXL_CELL_TIME:
            Cell.Kind = TWorkbookValueKind::wvDate;
            Cell.Number = SerialOfDateText(String::fromUtf8(Value.value.text_value));
            return true;
        default:
            return false;
        }
    }

    // Closed also when the constructor fails.
    struct THandle {
        const void* Handle = nullptr;
        THandle() = default;
        THandle(const THandle&) = delete;
        THandle& operator=(const THandle&) = delete;
        ~THandle()
        {
            if (Handle)
                freexl_close(Handle);
        }
        operator const void*() const { return Handle; }
    };

    String FFileName;
    THandle FHandle;
    QStringList FNames;
};

} // namespace

std::unique_ptr<IWorkbookReader> OpenBiffWorkbook(const String& FileName)
{
    return std::make_unique<TBiffWorkbook>(FileName);
}

} // namespace platform
