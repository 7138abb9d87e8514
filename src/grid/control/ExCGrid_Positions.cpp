// The column grid: saved column positions, as the DefIdx of the item at
// each position under "CP0", "CP1" ... of an INI section.
#include "grid/control/ExCGrid.h"

#include "platform/ProgramFolder.h"
#include "rtl/IniFiles.h"

#include <QCoreApplication>

#include <algorithm>
#include <vector>

// Named, not anonymous: the unity build joins this file with others.
namespace column_positions {

String PositionKey(Integer Position)
{
    return QStringLiteral("CP") + IntToStr(Position);
}

// A key without a folder names a file of the user's own data folder.
String ColumnStoreFile(const String& Key)
{
    if (!ExtractFilePath(Key).isEmpty())
        return Key;
    return IncludeTrailingPathDelimiter(platform::UserDataFolder(QCoreApplication::applicationName())) + Key;
}

bool IsPermutation(const std::vector<Integer>& Values)
{
    std::vector<Integer> Sorted = Values;
    std::sort(Sorted.begin(), Sorted.end());
    for (std::size_t I = 0; I < Sorted.size(); ++I)
        if (Sorted[I] != Integer(I))
            return false;
    return true;
}

} // namespace column_positions

namespace colpos = column_positions;

void TExColumnGrid::SaveColumnPositions(const String& Key, const String& Section)
{
    TIniFile Ini(Key);
    for (Integer I = 0; I < Columns()->Count(); ++I)
        Ini.WriteInteger(Section, colpos::PositionKey(I), Columns()->Items(I)->DefIdx());
}

// Positions come from a file anyone can edit: unless they name every item
// once, nothing changes (a duplicate would keep ResetOrganization from ever
// settling, a value beyond Count would stop it halfway).
void TExColumnGrid::LoadColumnPositions(const String& Key, const String& Section)
{
    std::vector<Integer> Saved;
    {
        TIniFile Ini(Key);
        for (Integer J = 0; J < Columns()->Count(); ++J)
            Saved.push_back(Ini.ReadInteger(Section, colpos::PositionKey(J), -1));
    }
    if (!colpos::IsPermutation(Saved))
        return;
    ResetColumnOrder();
    for (Integer J = 0; J < Integer(Saved.size()); ++J)
        Columns()->Items(Saved[J])->SetDefIdx(J);
    Columns()->ResetOrganization();
    for (Integer J = 0; J < Integer(Saved.size()); ++J)
        Columns()->Items(J)->SetDefIdx(Saved[J]);
}

void TExColumnGrid::SaveColPositions()
{
    if (ColumnSize()->Location() != clIniFile) {
        TExStringGrid::SaveColPositions();
        return;
    }
    if (ColumnSize()->Key().isEmpty() || ColumnSize()->Section().isEmpty())
        return;
    const String File = colpos::ColumnStoreFile(ColumnSize()->Key());
    ForceDirectories(ExtractFilePath(File));
    SaveColumnPositions(File, ColumnSize()->Section());
}

void TExColumnGrid::LoadColPositions()
{
    if (ColumnSize()->Location() != clIniFile) {
        TExStringGrid::LoadColPositions();
        return;
    }
    if (!ColumnSize()->Key().isEmpty() && !ColumnSize()->Section().isEmpty())
        LoadColumnPositions(colpos::ColumnStoreFile(ColumnSize()->Key()), ColumnSize()->Section());
}
