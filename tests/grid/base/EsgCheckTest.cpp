// The base cell checker checks nothing; a checker of its own is called
// through the base's operations.
#include "grid/base/esgcheck.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(EsgCheck, TheBaseHasEveryFlagOffAndHandsTextsBackUnchanged)
{
    TExStringGridCheck Check(nullptr);
    EXPECT_FALSE(Check.AutoCorrect());
    EXPECT_FALSE(Check.AutoMarkError());
    EXPECT_FALSE(Check.GotoCell());
    EXPECT_FALSE(Check.UseCorrect());
    EXPECT_FALSE(Check.UseMarkError());
    EXPECT_EQ(Check.Correct(1, 2, "a <e>b</e>"), "a <e>b</e>");
    EXPECT_EQ(Check.MarkError(1, 2, ""), "");
    Check.StartCheck();
    Check.StopCheck();
    Check.SetUseCorrect(true);
    Check.SetGotoCell(true);
    EXPECT_TRUE(Check.UseCorrect());
    EXPECT_TRUE(Check.GotoCell());
    EXPECT_FALSE(Check.UseMarkError());
}

namespace {

class TUpperChecker : public TExStringGridCheck {
public:
    using TExStringGridCheck::TExStringGridCheck;
    std::vector<std::string> Calls;

    String Correct(Integer ACol, Integer ARow, String S) override
    {
        Calls.push_back("correct " + std::to_string(ACol) + "," + std::to_string(ARow));
        return S.toUpper();
    }
    String MarkError(Integer, Integer, String S) override { return S.isEmpty() ? "<e>empty</e>" : S; }
    void StartCheck() override { Calls.push_back("start"); }
    void StopCheck() override { Calls.push_back("stop"); }
};

} // namespace

TEST(EsgCheck, ACheckerOfItsOwnIsCalledThroughTheBase)
{
    TComponent Owner(nullptr);
    TExStringGridCheck* Check = new TUpperChecker(&Owner);
    Check->StartCheck();
    EXPECT_EQ(Check->Correct(3, 4, "abc"), "ABC");
    EXPECT_EQ(Check->MarkError(0, 0, ""), "<e>empty</e>");
    Check->StopCheck();
    EXPECT_EQ(static_cast<TUpperChecker*>(Check)->Calls,
              (std::vector<std::string>{"start", "correct 3,4", "stop"}));
}
