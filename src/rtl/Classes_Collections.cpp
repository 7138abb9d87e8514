// TCollection and TCollectionItem.
#include "rtl/Classes.h"
#include "rtl/Classes_Internal.h"

#include <algorithm>

// ---------------------------------------------------------------- TCollectionItem

TCollectionItem::TCollectionItem(TCollection* ACollection) { SetCollection(ACollection); }

TCollectionItem::~TCollectionItem() { SetCollection(nullptr); }

void TCollectionItem::SetCollection(TCollection* ACollection)
{
    if (FCollection == ACollection)
        return;
    if (FCollection)
        FCollection->RemoveItem(this);
    if (ACollection)
        ACollection->InsertItem(this);
}

int TCollectionItem::Index() const
{
    if (!FCollection)
        return -1;
    const auto& Items = FCollection->FItems;
    return static_cast<int>(std::find(Items.begin(), Items.end(), this) - Items.begin());
}

void TCollectionItem::SetIndex(int Value)
{
    const int CurIndex = Index();
    if (CurIndex < 0 || CurIndex == Value)
        return;
    auto& Items = FCollection->FItems;
    if (Value < 0 || Value >= static_cast<int>(Items.size()))
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Value));
    Items.erase(Items.begin() + CurIndex);
    Items.insert(Items.begin() + Value, this);
    Changed(true);
}

void TCollectionItem::SetDisplayName(const String&) { Changed(false); }

String TCollectionItem::GetDisplayName() const { return ClassName(); }

void TCollectionItem::Changed(bool AllItems)
{
    if (FCollection && FCollection->FUpdateCount == 0)
        FCollection->Update(AllItems ? nullptr : this);
}

// ---------------------------------------------------------------- TCollection

TCollection::TCollection(TCollectionItemClass ItemClass, TPersistent* AOwner)
    : FItemClass(std::move(ItemClass)), FOwner(AOwner)
{
}

TCollection::~TCollection()
{
    // No Update calls while the items go.
    FUpdateCount = 1;
    while (!FItems.empty())
        delete FItems.back();
}

TCollectionItem* TCollection::Add()
{
    // Update comes once the new item is whole, not from within its constructor.
    TCollectionItem* Item = nullptr;
    rtl_classes::InUpdate(this, [this, &Item] {
        Item = FItemClass(this);
        // An item class whose constructor does not join the collection joins here.
        Item->SetCollection(this);
    });
    return Item;
}

TCollectionItem* TCollection::Insert(int Index)
{
    TCollectionItem* Item = Add();
    try {
        Item->SetIndex(Index);
    } catch (...) {
        delete Item;
        throw;
    }
    return Item;
}

void TCollection::Delete(int Index) { delete Items(Index); }

void TCollection::Clear()
{
    if (FItems.empty())
        return;
    rtl_classes::InUpdate(this, [this] {
        while (!FItems.empty())
            delete FItems.back();
    });
}

TCollectionItem* TCollection::Items(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    return FItems[static_cast<std::size_t>(Index)];
}

void TCollection::SetItems(int Index, TCollectionItem* Value) { Items(Index)->Assign(Value); }

void TCollection::Assign(TPersistent* Source)
{
    auto* From = dynamic_cast<TCollection*>(Source);
    if (!From) {
        TPersistent::Assign(Source);
        return;
    }
    if (From == this)
        return;
    rtl_classes::InUpdate(this, [this, From] {
        Clear();
        for (TCollectionItem* Item : From->FItems)
            Add()->Assign(Item);
    });
}

void TCollection::BeginUpdate() { ++FUpdateCount; }

void TCollection::EndUpdate()
{
    if (FUpdateCount == 0)
        return;
    --FUpdateCount;
    Changed();
}

void TCollection::Update(TCollectionItem*) {}

void TCollection::Changed()
{
    if (FUpdateCount == 0)
        Update(nullptr);
}

void TCollection::InsertItem(TCollectionItem* Item)
{
    FItems.push_back(Item);
    Item->FCollection = this;
    Item->FID = FNextID++;
    Changed();
}

void TCollection::RemoveItem(TCollectionItem* Item)
{
    // Items are freed last first: the search from the end finds them at once.
    const auto Found = std::find(FItems.rbegin(), FItems.rend(), Item);
    if (Found != FItems.rend())
        FItems.erase(std::next(Found).base());
    Item->FCollection = nullptr;
    Changed();
}
