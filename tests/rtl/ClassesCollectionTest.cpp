#include "rtl/Classes.h"
#include "RtlTestPrint.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class TButtonItem : public TCollectionItem {
public:
    explicit TButtonItem(TCollection* C) : TCollectionItem(C) { ++Live; }
    ~TButtonItem() override { --Live; }
    void Assign(TPersistent* Source) override
    {
        if (auto* B = dynamic_cast<TButtonItem*>(Source)) {
            Caption = B->Caption;
            Changed(false);
            return;
        }
        TCollectionItem::Assign(Source);
    }
    String Caption;
    static inline int Live = 0;
};

// Records each Update: the caption of the item, or "all".
class TButtons : public TCollection {
public:
    explicit TButtons(TPersistent* AOwner = nullptr)
        : TCollection(CollectionItemClass<TButtonItem>(), AOwner) {}
    TButtonItem* Add(const String& Caption)
    {
        auto* B = static_cast<TButtonItem*>(TCollection::Add());
        B->Caption = Caption;
        return B;
    }
    TButtonItem* Item(int I) const { return static_cast<TButtonItem*>(Items(I)); }
    std::vector<String> Captions() const
    {
        std::vector<String> R;
        for (int I = 0; I < Count(); ++I)
            R.push_back(Item(I)->Caption);
        return R;
    }
    std::vector<String> Updates;

protected:
    void Update(TCollectionItem* Item) override
    {
        Updates.push_back(Item ? static_cast<TButtonItem*>(Item)->Caption : QStringLiteral("all"));
    }
};

} // namespace

TEST(Collection, OwnsItsItemsAndFreeingAnItemTakesItOut)
{
    TButtonItem::Live = 0;
    {
        TPersistent Owner;
        TButtons C(&Owner);
        EXPECT_EQ(C.Owner(), &Owner);
        auto* A = C.Add("A");
        auto* B = C.Add("B");
        C.Add("C");
        EXPECT_EQ(B->Collection(), &C);
        EXPECT_EQ(B->Index(), 1);
        EXPECT_EQ(std::vector<int>({A->ID(), B->ID(), C.Item(2)->ID()}), std::vector<int>({0, 1, 2}));

        delete B;
        EXPECT_EQ(C.Captions(), (std::vector<String>{"A", "C"}));
        C.Delete(0);
        EXPECT_EQ(TButtonItem::Live, 1);
        // IDs are never reused.
        EXPECT_EQ(C.Add("D")->ID(), 3);
        EXPECT_THROW(C.Delete(2), EListError);

        // An item moved to another collection is that one's to free.
        TButtons Other;
        C.Item(0)->SetCollection(&Other);
        EXPECT_EQ(C.Captions(), std::vector<String>{"D"});
        EXPECT_EQ(Other.Captions(), std::vector<String>{"C"});
        C.Clear();
        EXPECT_EQ(C.Count(), 0);
        EXPECT_EQ(TButtonItem::Live, 1);
    }
    EXPECT_EQ(TButtonItem::Live, 0);
}

TEST(Collection, SetIndexAndInsertPlaceItems)
{
    TButtons C;
    for (const char* S : {"A", "B", "C", "D"})
        C.Add(S);
    C.Item(0)->SetIndex(2);
    EXPECT_EQ(C.Captions(), (std::vector<String>{"B", "C", "A", "D"}));
    C.Item(3)->SetIndex(0);
    EXPECT_EQ(C.Captions(), (std::vector<String>{"D", "B", "C", "A"}));
    try {
        C.Item(0)->SetIndex(4);
        FAIL();
    } catch (const EListError& E) {
        EXPECT_EQ(E.Message(), "List index out of bounds (4)");
    }
    static_cast<TButtonItem*>(C.Insert(1))->Caption = "new";
    EXPECT_EQ(C.Captions(), (std::vector<String>{"D", "new", "B", "C", "A"}));
    EXPECT_THROW(C.Insert(9), EListError);
    EXPECT_EQ(C.Count(), 5);
    EXPECT_EQ(C.Item(1)->DisplayName(), "TButtonItem");
}

TEST(Collection, UpdatesAreReportedAndHeldBackDuringAnUpdate)
{
    TButtons C;
    C.Add("A");
    auto* B = C.Add("B");
    B->SetDisplayName("x");
    B->SetIndex(0);
    // The new items are whole when their Update comes; captions are set afterwards.
    EXPECT_EQ(C.Updates, (std::vector<String>{"all", "all", "B", "all"}));
    C.Updates.clear();

    C.BeginUpdate();
    C.Add("C");
    B->SetDisplayName("y");
    C.Delete(0);
    C.BeginUpdate();
    C.EndUpdate();
    EXPECT_TRUE(C.Updates.empty());
    C.EndUpdate();
    EXPECT_EQ(C.Updates, std::vector<String>{"all"});
}

TEST(Collection, AssignRebuildsItemsThroughItemAssign)
{
    TButtons Source, Dest;
    Source.Add("one");
    Source.Add("two");
    Dest.Add("old");
    Dest.Updates.clear();
    Dest.Assign(&Source);
    EXPECT_EQ(Dest.Captions(), (std::vector<String>{"one", "two"}));
    EXPECT_NE(Dest.Item(0), Source.Item(0));
    EXPECT_EQ(Dest.Updates, std::vector<String>{"all"});

    TStringList NotACollection;
    try {
        Dest.Assign(&NotACollection);
        FAIL();
    } catch (const EConvertError& E) {
        EXPECT_EQ(E.Message(), "Cannot assign a TStringList to a TButtons");
    }
    EXPECT_EQ(Dest.Count(), 2);
    Dest.SetItems(0, Source.Item(1));
    EXPECT_EQ(Dest.Captions(), (std::vector<String>{"two", "two"}));
}
