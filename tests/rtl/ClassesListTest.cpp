#include "rtl/Classes.h"
#include "RtlTestPrint.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

// Counts how many of its kind are alive, so ownership shows in numbers.
class TCounted : public TObject {
public:
    explicit TCounted(int* ALive) : Live(ALive) { ++*Live; }
    ~TCounted() override { --*Live; }
    int* Live;
};

int P(void* Item) { return static_cast<int>(reinterpret_cast<std::intptr_t>(Item)); }
void* I(int Value) { return reinterpret_cast<void*>(static_cast<std::intptr_t>(Value)); }

std::vector<int> Contents(const TList& L)
{
    std::vector<int> R;
    for (int K = 0; K < L.Count(); ++K)
        R.push_back(P(L.Items(K)));
    return R;
}

} // namespace

TEST(List, EditsKeepTheOrderTheyDescribe)
{
    TList L;
    for (int V : {3, 1, 2})
        L.Add(I(V));
    L.Insert(0, I(5));
    L.Insert(4, I(4));
    EXPECT_EQ(Contents(L), (std::vector<int>{5, 3, 1, 2, 4}));
    L.Exchange(0, 4);
    L.Move(0, 2);
    EXPECT_EQ(Contents(L), (std::vector<int>{3, 1, 4, 2, 5}));
    EXPECT_EQ(L.Remove(I(1)), 1);
    EXPECT_EQ(L.Remove(I(9)), -1);
    EXPECT_EQ(L.Extract(I(2)), I(2));
    EXPECT_EQ(L.Extract(I(2)), nullptr);
    EXPECT_EQ(Contents(L), (std::vector<int>{3, 4, 5}));
    L.SetItems(1, nullptr);
    L.Add(nullptr);
    L.Pack();
    EXPECT_EQ(Contents(L), (std::vector<int>{3, 5}));
    EXPECT_EQ(P(L.First()), 3);
    EXPECT_EQ(P(L.Last()), 5);
    L.Clear();
    EXPECT_EQ(L.Count(), 0);
}

TEST(List, SortIsStableUnderTheCompareFunction)
{
    TList L;
    // Tens digit is the key; units show the original order.
    for (int V : {31, 10, 22, 11, 30, 20, 12})
        L.Add(I(V));
    L.Sort([](void* A, void* B) { return P(A) / 10 - P(B) / 10; });
    EXPECT_EQ(Contents(L), (std::vector<int>{10, 11, 12, 22, 20, 31, 30}));
    // A compare that is no order at all still ends with every item present once.
    L.Sort([](void*, void*) { return 1; });
    std::vector<int> After = Contents(L);
    std::sort(After.begin(), After.end());
    EXPECT_EQ(After, (std::vector<int>{10, 11, 12, 20, 22, 30, 31}));
}

TEST(List, IndexesOutOfBoundsRaiseWithTheIndex)
{
    TList L;
    L.Add(I(1));
    L.Add(I(2));
    const std::vector<std::pair<std::function<void()>, String>> Cases{
        {[&] { L.Items(2); }, "List index out of bounds (2)"},
        {[&] { L.Items(-1); }, "List index out of bounds (-1)"},
        {[&] { L.SetItems(2, nullptr); }, "List index out of bounds (2)"},
        {[&] { L.Insert(3, nullptr); }, "List index out of bounds (3)"},
        {[&] { L.Delete(2); }, "List index out of bounds (2)"},
        {[&] { L.Exchange(0, 5); }, "List index out of bounds (5)"},
        {[&] { L.Move(0, 2); }, "List index out of bounds (2)"},
        {[&] { TList().First(); }, "List index out of bounds (0)"},
        {[&] { TList().Last(); }, "List index out of bounds (-1)"},
    };
    for (const auto& [Op, Message] : Cases) {
        try {
            Op();
            ADD_FAILURE() << Message.toStdString();
        } catch (const EListError& E) {
            EXPECT_EQ(E.Message(), Message);
        }
    }
    EXPECT_EQ(Contents(L), (std::vector<int>{1, 2}));
}

TEST(ObjectList, FreesWhatLeavesItOnlyWhenItOwnsObjects)
{
    int Live = 0;
    {
        TObjectList L;
        auto* Kept = new TCounted(&Live);
        for (int K = 0; K < 4; ++K)
            L.Add(new TCounted(&Live));
        L.Add(Kept);
        L.Delete(0);
        EXPECT_EQ(Live, 4);
        L.Remove(L.Items(0));
        EXPECT_EQ(Live, 3);
        L.SetItems(0, new TCounted(&Live));
        EXPECT_EQ(Live, 3);
        EXPECT_EQ(L.Extract(Kept), Kept);
        EXPECT_EQ(Live, 3);
        delete Kept;
    }
    EXPECT_EQ(Live, 0);

    TCounted A(&Live), B(&Live);
    {
        TObjectList L(false);
        L.Add(&A);
        L.Add(&B);
        L.Delete(0);
    }
    EXPECT_EQ(Live, 2);
}
