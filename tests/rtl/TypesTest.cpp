#include "rtl/Types.h"

#include <gtest/gtest.h>

TEST(TypesTest, RectangleEdgesAreExclusive)
{
    const TRect R = Rect(2, 2, 5, 5);
    EXPECT_EQ(R.Width(), 3);
    EXPECT_EQ(R.Height(), 3);
    EXPECT_EQ(Bounds(2, 3, 4, 5), Rect(2, 3, 6, 8));

    struct Case {
        TPoint P;
        bool Inside;
    };
    const Case Cases[] = {
        {{2, 2}, true}, {{4, 4}, true}, {{5, 4}, false}, {{4, 5}, false}, {{1, 3}, false}, {{3, 1}, false},
    };
    for (const Case& C : Cases)
        EXPECT_EQ(PtInRect(R, C.P), C.Inside) << C.P.X << "," << C.P.Y;

    EXPECT_TRUE(IsRectEmpty(Rect(3, 3, 3, 10)));
    EXPECT_TRUE(IsRectEmpty(Rect(5, 0, 2, 10)));
    EXPECT_FALSE(IsRectEmpty(Rect(0, 0, 1, 1)));
}

TEST(TypesTest, IntersectAndUnion)
{
    struct Case {
        TRect A, B;
        bool Meets;
        TRect Common;
        TRect Both;
    };
    const Case Cases[] = {
        {Rect(0, 0, 10, 10), Rect(5, 5, 15, 15), true, Rect(5, 5, 10, 10), Rect(0, 0, 15, 15)},
        // Touching edges share no pixel.
        {Rect(0, 0, 10, 10), Rect(10, 0, 20, 10), false, TRect(), Rect(0, 0, 20, 10)},
        // An empty operand leaves the other as the union.
        {Rect(3, 3, 3, 3), Rect(1, 2, 4, 5), false, TRect(), Rect(1, 2, 4, 5)},
    };
    for (const Case& C : Cases) {
        TRect Dest(9, 9, 9, 9);
        EXPECT_EQ(IntersectRect(Dest, C.A, C.B), C.Meets);
        EXPECT_EQ(Dest, C.Common);
        EXPECT_TRUE(UnionRect(Dest, C.A, C.B));
        EXPECT_EQ(Dest, C.Both);
    }
    TRect Dest(1, 1, 2, 2);
    EXPECT_FALSE(UnionRect(Dest, TRect(), Rect(4, 4, 4, 9)));
    EXPECT_EQ(Dest, TRect());
}

TEST(TypesTest, InflateAndOffset)
{
    TRect R = Rect(10, 20, 30, 40);
    InflateRect(R, 2, -3);
    EXPECT_EQ(R, Rect(8, 23, 32, 37));
    OffsetRect(R, -8, 5);
    EXPECT_EQ(R, Rect(0, 28, 24, 42));
    EXPECT_EQ(CenterPoint(Rect(0, 0, 5, 8)), Point(2, 4));
}
