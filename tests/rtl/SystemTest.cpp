#include "rtl/System.h"

#include <gtest/gtest.h>

TEST(System, IntegerTypesHaveTheFrameworkWidths)
{
    EXPECT_EQ(sizeof(Byte), 1u);
    EXPECT_EQ(sizeof(Word), 2u);
    EXPECT_EQ(sizeof(Integer), 4u);
    EXPECT_EQ(sizeof(Cardinal), 4u);
    EXPECT_EQ(sizeof(Int64), 8u);
}

#include "rtl/SysUtils.h"

#include <cmath>
#include <limits>

namespace {

struct CopyCase {
    int Index, Count;
    const char* Expected;
};

TEST(System, CopyClampsIndexAndCountLikeTheFramework)
{
    const CopyCase Cases[] = {
        {1, 2, "He"},  {0, 2, "He"},  {-3, 2, "He"}, {4, 10, "lo"}, {5, 1, "o"},
        {6, 1, ""},    {7, 1, ""},    {2, 0, ""},    {2, -1, ""},   {1, std::numeric_limits<int>::max(), "Hello"},
    };
    for (const CopyCase& C : Cases)
        EXPECT_EQ(Copy("Hello", C.Index, C.Count), C.Expected) << C.Index << "," << C.Count;
    EXPECT_EQ(Copy("Hello", 3), "llo");
    EXPECT_EQ(Copy("", 1, 1), "");
}

TEST(System, PosFindsOneBasedAndAnswersZeroWhenAbsent)
{
    struct Case {
        const char* Sub;
        const char* S;
        int Offset, Expected;
    } const Cases[] = {
        {"l", "Hello", 1, 3},     {"lo", "Hello", 1, 4},   {"Hello", "Hello", 1, 1}, {"Hello!", "Hello", 1, 0},
        {"x", "Hello", 1, 0},     {"", "Hello", 1, 0},     {"l", "", 1, 0},          {"l", "Hello", 4, 4},
        {"l", "Hello", 5, 0},     {"l", "Hello", 0, 0},    {"l", "Hello", -2, 0},    {"o", "Hello", 5, 5},
        {"H", "Hello", 6, 0},
    };
    for (const Case& C : Cases)
        EXPECT_EQ(Pos(C.Sub, C.S, C.Offset), C.Expected) << C.Sub << " in " << C.S << " from " << C.Offset;
    EXPECT_EQ(Pos("l", "Hello"), 3);
    EXPECT_EQ(Pos("", "Hello"), 0);
}

TEST(System, DeleteIgnoresOutOfRangeAndStopsAtTheEnd)
{
    const CopyCase Cases[] = {
        {1, 1, "ello"}, {0, 1, "Hello"}, {6, 1, "Hello"}, {5, 10, "Hell"}, {2, -1, "Hello"},
        {2, 0, "Hello"}, {1, 100, ""},   {-1, 3, "Hello"}, {3, 2, "Heo"},
    };
    for (const CopyCase& C : Cases) {
        String S = "Hello";
        Delete(S, C.Index, C.Count);
        EXPECT_EQ(S, C.Expected) << C.Index << "," << C.Count;
    }
}

TEST(System, InsertClampsThePositionToTheString)
{
    const struct {
        int Index;
        const char* Expected;
    } Cases[] = {{1, "XHello"}, {0, "XHello"}, {-5, "XHello"}, {3, "HeXllo"}, {6, "HelloX"}, {100, "HelloX"}};
    for (const auto& C : Cases) {
        String S = "Hello";
        Insert("X", S, C.Index);
        EXPECT_EQ(S, C.Expected) << C.Index;
    }
}

TEST(System, LengthAndSetLength)
{
    String S = "abc";
    EXPECT_EQ(Length(S), 3);
    SetLength(S, 5);
    EXPECT_EQ(Length(S), 5);
    EXPECT_EQ(S[4], QChar(0));
    SetLength(S, 1);
    EXPECT_EQ(S, "a");
    SetLength(S, -1);
    EXPECT_EQ(S, "");
    EXPECT_EQ(Ord(Chr(0x20AC)), 0x20AC);
}

TEST(System, RoundTiesToEvenAndTruncCutsTowardZero)
{
    const struct {
        double X;
        Int64 Round, Trunc;
    } Cases[] = {
        {0.5, 0, 0},     {1.5, 2, 1},     {2.5, 2, 2},   {3.5, 4, 3},     {-0.5, 0, 0},
        {-1.5, -2, -1},  {-2.5, -2, -2},  {2.4, 2, 2},   {2.6, 3, 2},     {-2.6, -3, -2},
        {1e15 + 0.5, 1000000000000000, 1000000000000000}, {4503599627370497.0, 4503599627370497, 4503599627370497},
    };
    for (const auto& C : Cases) {
        EXPECT_EQ(Round(C.X), C.Round) << C.X;
        EXPECT_EQ(Trunc(C.X), C.Trunc) << C.X;
    }
    EXPECT_DOUBLE_EQ(Frac(-2.75), -0.75);
    EXPECT_DOUBLE_EQ(Int(-2.75), -2.0);
}

TEST(System, RoundAndTruncRefuseValuesOutsideInt64)
{
    for (double X : {std::nan(""), 1e19, -1e19, std::numeric_limits<double>::infinity()}) {
        EXPECT_THROW(Round(X), EInvalidOp) << X;
        EXPECT_THROW(Trunc(X), EInvalidOp) << X;
    }
    EXPECT_EQ(Trunc(-9223372036854775808.0), std::numeric_limits<Int64>::min());
}

} // namespace
