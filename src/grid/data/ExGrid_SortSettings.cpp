// The sort settings' operations that reach their grid: the header row
// check, the sort as text and removing the sort.
#include "grid/control/ExGrid.h"

namespace {

TExStringGrid* GridOf(TPersistent* Owner)
{
    return dynamic_cast<TExStringGrid*>(Owner);
}

} // namespace

void TSortSettings::SetRow(Integer Value)
{
    if (const TExStringGrid* Grid = GridOf(FOwner); Grid && Value >= Grid->FixedRows())
        throw EExGridError(QStringLiteral("Sort row should be smaller than number of fixed rows"));
    FRow = Value;
}

String TSortSettings::SaveToString() const
{
    if (FIndexShow) {
        const TExStringGrid* Grid = GridOf(FOwner);
        return QStringLiteral("i;") + (Grid ? Grid->SortIndexes()->SaveToString() : String());
    }
    return (FDirection == sdDescending ? QStringLiteral("d") : QStringLiteral("u")) + IntToStr(FColumn);
}

void TSortSettings::LoadFromString(const String& Value)
{
    if (Value.isEmpty())
        return;
    SetShow(true);
    if (Value.size() < 2)
        throw EExGridError(QStringLiteral("Invalid sort settings specifier"));
    TExStringGrid* Grid = GridOf(FOwner);
    if (!Value.contains(QStringLiteral("i;"))) {
        FIndexShow = false;
        FDirection = Value.contains(u'u') ? sdAscending : sdDescending;
        Integer Column = 0;
        if (!TryStrToInt(Value.mid(1), Column))
            return;
        FColumn = Column;
        if (Grid)
            Grid->QSort();
        return;
    }
    FIndexShow = true;
    const String Entries = Value.mid(2);
    if (Entries.isEmpty() || !Grid)
        return;
    Grid->SortIndexes()->LoadFromString(Entries);
    Grid->QSortIndexed();
}

void TSortSettings::Remove()
{
    FColumn = -1;
    TExStringGrid* Grid = GridOf(FOwner);
    if (!Grid)
        return;
    Grid->SortIndexes()->Clear();
    if (Grid->FixedRows() > 0)
        Grid->RepaintRow(Grid->FixedRows() - 1);
}

void TSortSettings::ToggleDirection()
{
    FDirection = FDirection == sdAscending ? sdDescending : sdAscending;
}
