#include "rtl/Sets.h"

#include <gtest/gtest.h>

namespace {
enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
enum TWide { wFirst = 0, wLast = 200 };
} // namespace

TEST(Sets, MembersOperatorsAndComparison)
{
    TFontStyles S{fsBold, fsItalic};
    EXPECT_TRUE(S.Contains(fsBold));
    EXPECT_TRUE(S.Contains(fsItalic));
    EXPECT_FALSE(S.Contains(fsUnderline));
    EXPECT_FALSE(S.Empty());
    EXPECT_TRUE(TFontStyles{}.Empty());

    S.Include(fsStrikeOut).Exclude(fsBold);
    EXPECT_EQ(S, (TFontStyles{fsItalic, fsStrikeOut}));

    const TFontStyles A{fsBold, fsItalic}, B{fsItalic, fsUnderline};
    EXPECT_EQ(A + B, (TFontStyles{fsBold, fsItalic, fsUnderline}));
    EXPECT_EQ(A - B, TFontStyles{fsBold});
    EXPECT_EQ(A * B, TFontStyles{fsItalic});
    EXPECT_EQ(A + fsStrikeOut, (TFontStyles{fsBold, fsItalic, fsStrikeOut}));
    EXPECT_NE(A, B);
    EXPECT_TRUE(TFontStyles{fsItalic} <= A);
    EXPECT_FALSE(B <= A);
    EXPECT_TRUE(A >= TFontStyles{});
}

TEST(Sets, WideSetsReachOrdinal255AndRefuseOrdinalsBeyondTheirSize)
{
    TSet<TWide, 256> W{wFirst, wLast};
    EXPECT_TRUE(W.Contains(wLast));
    W.Exclude(wFirst);
    EXPECT_EQ(W, (TSet<TWide, 256>{wLast}));
    EXPECT_THROW(W.Include(static_cast<TWide>(256)), ERangeError);
    TSet<TWide> Narrow;
    EXPECT_THROW(Narrow.Include(wLast), ERangeError);
}
