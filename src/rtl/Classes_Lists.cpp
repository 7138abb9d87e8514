// TList and TObjectList.
#include "rtl/Classes.h"
#include "rtl/Classes_Internal.h"

#include <algorithm>

namespace {

[[noreturn]] void ListIndexError(int Index)
{
    throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
}

} // namespace

void TList::CheckIndex(int Index) const
{
    if (Index < 0 || Index >= Count())
        ListIndexError(Index);
}

int TList::Add(void* Item)
{
    FList.push_back(Item);
    if (Item)
        Notify(Item, lnAdded);
    return Count() - 1;
}

void TList::Insert(int Index, void* Item)
{
    if (Index < 0 || Index > Count())
        ListIndexError(Index);
    FList.insert(FList.begin() + Index, Item);
    if (Item)
        Notify(Item, lnAdded);
}

void TList::Delete(int Index)
{
    CheckIndex(Index);
    void* Item = FList[static_cast<std::size_t>(Index)];
    FList.erase(FList.begin() + Index);
    if (Item)
        Notify(Item, lnDeleted);
}

int TList::Remove(void* Item)
{
    const int Index = IndexOf(Item);
    if (Index >= 0)
        Delete(Index);
    return Index;
}

void* TList::Extract(void* Item)
{
    const int Index = IndexOf(Item);
    if (Index < 0)
        return nullptr;
    FList.erase(FList.begin() + Index);
    Notify(Item, lnExtracted);
    return Item;
}

int TList::IndexOf(void* Item) const
{
    const auto It = std::find(FList.begin(), FList.end(), Item);
    return It == FList.end() ? -1 : static_cast<int>(It - FList.begin());
}

void* TList::Items(int Index) const
{
    CheckIndex(Index);
    return FList[static_cast<std::size_t>(Index)];
}

void TList::SetItems(int Index, void* Item)
{
    CheckIndex(Index);
    void* Old = FList[static_cast<std::size_t>(Index)];
    if (Item == Old)
        return;
    FList[static_cast<std::size_t>(Index)] = Item;
    if (Old)
        Notify(Old, lnDeleted);
    if (Item)
        Notify(Item, lnAdded);
}

void TList::Clear()
{
    // One by one from the end, so that a descendant freeing items sees a
    // consistent list at each notice.
    while (!FList.empty())
        Delete(Count() - 1);
    FList.shrink_to_fit();
}

void TList::Exchange(int Index1, int Index2)
{
    CheckIndex(Index1);
    CheckIndex(Index2);
    std::swap(FList[static_cast<std::size_t>(Index1)], FList[static_cast<std::size_t>(Index2)]);
}

void TList::Move(int CurIndex, int NewIndex)
{
    if (CurIndex == NewIndex)
        return;
    CheckIndex(CurIndex);
    CheckIndex(NewIndex);
    void* Item = FList[static_cast<std::size_t>(CurIndex)];
    FList.erase(FList.begin() + CurIndex);
    FList.insert(FList.begin() + NewIndex, Item);
}

void TList::Sort(const TListSortCompare& Compare)
{
    rtl_classes::StableSort(FList, Compare);
}

void TList::Pack()
{
    std::erase(FList, nullptr);
}

void TList::Notify(void*, TListNotification) {}

TObjectList::~TObjectList()
{
    // Clear here: in TList's destructor this class's Notify no longer runs.
    Clear();
}

void TObjectList::Notify(void* Ptr, TListNotification Action)
{
    if (FOwnsObjects && Action == lnDeleted)
        delete static_cast<TObject*>(Ptr);
}
