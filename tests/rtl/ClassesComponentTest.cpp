#include "rtl/Classes.h"
#include "RtlTestPrint.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

// Records what happens to components in one shared log.
struct TLog {
    std::vector<String> Lines;
    void Add(const String& S) { Lines.push_back(S); }
};

class TLogged : public TComponent {
public:
    TLogged(TComponent* AOwner, const String& AName, TLog* ALog) : TComponent(AOwner), Log(ALog)
    {
        SetName(AName);
    }
    ~TLogged() override
    {
        Log->Add(QStringLiteral("free %1%2").arg(Name(),
            ComponentState().Contains(csDestroying) ? QStringLiteral(" destroying") : QString()));
    }
    void Notification(TComponent* AComponent, TOperation Operation) override
    {
        // Removed components are compared by address only: the names are
        // the ones kept by Watch, the dying object is never read.
        if (Operation == opInsert)
            Log->Add(QStringLiteral("%1 hears insert").arg(Name()));
        for (auto& [C, N] : Known)
            if (C == AComponent && Operation == opRemove)
                Log->Add(QStringLiteral("%1 hears remove %2").arg(Name(), N));
        TComponent::Notification(AComponent, Operation);
    }
    void Watch(TComponent* C) { Known.emplace_back(C, C->Name()); }
    using TComponent::Loading;
    using TComponent::SetDesigning;

    TLog* Log;
    std::vector<std::pair<TComponent*, String>> Known;
};

// An owner whose destructor body still uses what it owns.
class TForm1 : public TLogged {
public:
    using TLogged::TLogged;
    ~TForm1() override { Log->Add(QStringLiteral("form sees %1").arg(Components(0)->Name())); }
};

class TPoint3 : public TPersistent {
public:
    int X = 0;
    void Assign(TPersistent* Source) override
    {
        if (auto* P = dynamic_cast<TPoint3*>(Source)) {
            X = P->X;
            return;
        }
        TPersistent::Assign(Source);
    }
};
class TOther : public TPersistent {};

} // namespace

TEST(Component, OwnerFreesOwnedComponentsLastInsertedFirstAfterItsOwnDestructor)
{
    TLog Log;
    auto* Form = new TForm1(nullptr, "Form", &Log);
    auto* A = new TLogged(Form, "A", &Log);
    new TLogged(Form, "B", &Log);
    new TLogged(A, "A1", &Log);
    ASSERT_EQ(Form->ComponentCount(), 2);
    EXPECT_EQ(Form->Components(1)->Name(), "B");
    EXPECT_EQ(A->Owner(), Form);
    Log.Lines.clear();

    delete Form;
    const std::vector<String> Expected{"form sees A", "free Form destroying", "free B destroying",
                                       "free A destroying", "free A1 destroying"};
    EXPECT_EQ(Log.Lines, Expected);
}

TEST(Component, FreeingOwnedComponentRemovesItAndTellsOwnerAndSiblings)
{
    TLog Log;
    TLogged Owner(nullptr, "Owner", &Log);
    auto* A = new TLogged(&Owner, "A", &Log);
    auto* B = new TLogged(&Owner, "B", &Log);
    // The owner passes what it hears on to what it owns: A hears of B.
    EXPECT_EQ(Log.Lines, (std::vector<String>{"Owner hears insert", "Owner hears insert", "A hears insert"}));
    B->Watch(A);
    Owner.Watch(A);
    Log.Lines.clear();

    delete A;
    EXPECT_EQ(Log.Lines, (std::vector<String>{"free A destroying", "Owner hears remove A", "B hears remove A"}));
    ASSERT_EQ(Owner.ComponentCount(), 1);
    EXPECT_EQ(Owner.Components(0), B);
    EXPECT_FALSE(B->ComponentState().Contains(csDestroying));
    // Owner's destructor frees B once; the address sanitizer reports a second free.
}

TEST(Component, FreeNotificationReachesComponentsOfOtherOwnersBothWays)
{
    TLog Log;
    TLogged Form1(nullptr, "Form1", &Log), Form2(nullptr, "Form2", &Log);
    auto* Label = new TLogged(&Form1, "Label", &Log);
    auto* Edit = new TLogged(&Form2, "Edit", &Log);
    auto* Other = new TLogged(&Form2, "Other", &Log);
    Label->FreeNotification(Edit);
    Label->Watch(Edit);
    Edit->Watch(Label);
    Other->FreeNotification(Label);
    Other->RemoveFreeNotification(Label);
    Log.Lines.clear();

    delete Edit;
    EXPECT_EQ(Log.Lines, (std::vector<String>{"Label hears remove Edit", "free Edit destroying"}));
    Log.Lines.clear();
    // Label no longer points at Edit, and Other withdrew: freeing both touches nothing freed.
    delete Label;
    delete Other;
    EXPECT_EQ(Log.Lines, (std::vector<String>{"free Label destroying", "free Other destroying"}));
}

TEST(Component, NamesAreFoundWithoutCaseAndUniqueWithinTheOwner)
{
    TLog Log;
    TLogged Owner(nullptr, "Owner", &Log);
    auto* Edit = new TLogged(&Owner, "EditName", &Log);
    new TLogged(&Owner, "Grid", &Log);
    EXPECT_EQ(Owner.FindComponent("editname"), Edit);
    EXPECT_EQ(Owner.FindComponent("EDITNAME"), Edit);
    EXPECT_EQ(Owner.FindComponent("Edit"), nullptr);
    EXPECT_EQ(Owner.FindComponent(""), nullptr);

    EXPECT_NO_THROW(Edit->SetName("EDITNAME"));
    try {
        Edit->SetName("grid");
        FAIL() << "duplicate name accepted";
    } catch (const EComponentError& E) {
        EXPECT_EQ(E.Message(), "A component named grid already exists");
    }
    EXPECT_EQ(Edit->Name(), "EDITNAME");
    for (const char* Bad : {"1abc", "a b", "a-b", "ä"})
        EXPECT_THROW(Edit->SetName(Bad), EComponentError) << Bad;
    // A named component moved to an owner that has that name already.
    TLogged Other(nullptr, "Other", &Log);
    auto* Twin = new TLogged(&Other, "Grid", &Log);
    EXPECT_THROW(Owner.InsertComponent(Twin), EComponentError);
    EXPECT_EQ(Twin->Owner(), &Other);
}

TEST(Component, InsertMovesOwnershipAndRemoveGivesItUp)
{
    TLog Log;
    TLogged First(nullptr, "First", &Log), Second(nullptr, "Second", &Log);
    auto* C = new TLogged(&First, "C", &Log);
    Second.InsertComponent(C);
    EXPECT_EQ(First.ComponentCount(), 0);
    EXPECT_EQ(Second.ComponentCount(), 1);
    EXPECT_EQ(C->Owner(), &Second);

    Second.RemoveComponent(C);
    EXPECT_EQ(C->Owner(), nullptr);
    EXPECT_EQ(Second.ComponentCount(), 0);
    delete C;
    EXPECT_THROW(Second.Components(0), EListError);
    try {
        First.Components(-1);
    } catch (const EListError& E) {
        EXPECT_EQ(E.Message(), "List index out of bounds (-1)");
    }
}

TEST(Component, StateFollowsLoadingAndDesigning)
{
    TLog Log;
    TLogged Owner(nullptr, "Owner", &Log);
    auto* Early = new TLogged(&Owner, "Early", &Log);
    EXPECT_TRUE(Owner.ComponentState().Empty());

    Owner.Loading();
    EXPECT_TRUE(Owner.ComponentState().Contains(csLoading));
    Owner.Loaded();
    EXPECT_FALSE(Owner.ComponentState().Contains(csLoading));

    Owner.SetDesigning(true);
    auto* Late = new TLogged(&Owner, "Late", &Log);
    EXPECT_EQ(Early->ComponentState(), TComponentState{csDesigning});
    EXPECT_EQ(Late->ComponentState(), TComponentState{csDesigning});
    Owner.SetDesigning(false);
    EXPECT_TRUE(Late->ComponentState().Empty());
}

TEST(Persistent, AssignCopiesKnownClassesAndRefusesOthers)
{
    TPoint3 A, B;
    B.X = 7;
    A.Assign(&B);
    EXPECT_EQ(A.X, 7);

    TOther O;
    const std::vector<std::pair<TPersistent*, String>> Cases{
        {&O, "Cannot assign a TOther to a TPoint3"},
        {nullptr, "Cannot assign a nil to a TPoint3"},
    };
    for (const auto& [Source, Message] : Cases) {
        try {
            A.Assign(Source);
            ADD_FAILURE() << Message.toStdString();
        } catch (const EConvertError& E) {
            EXPECT_EQ(E.Message(), Message);
        }
    }
    try {
        O.Assign(&A);
        ADD_FAILURE();
    } catch (const EConvertError& E) {
        EXPECT_EQ(E.Message(), "Cannot assign a TPoint3 to a TOther");
    }
}
