#pragma once
// Points, sizes and rectangles. A rectangle's right and bottom edges are
// exclusive: Rect(2, 2, 5, 5) covers the pixels 2..4 in both directions,
// and its width is Right - Left.
#include "rtl/System.h"

#include <algorithm>

struct TPoint {
    Integer X = 0;
    Integer Y = 0;

    constexpr TPoint() = default;
    constexpr TPoint(Integer AX, Integer AY) : X(AX), Y(AY) {}
    friend constexpr bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
    Integer cx = 0;
    Integer cy = 0;

    constexpr TSize() = default;
    constexpr TSize(Integer ACx, Integer ACy) : cx(ACx), cy(ACy) {}
    constexpr Integer Width() const { return cx; }
    constexpr Integer Height() const { return cy; }
    friend constexpr bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
    Integer Left = 0;
    Integer Top = 0;
    Integer Right = 0;
    Integer Bottom = 0;

    constexpr TRect() = default;
    constexpr TRect(Integer ALeft, Integer ATop, Integer ARight, Integer ABottom)
        : Left(ALeft), Top(ATop), Right(ARight), Bottom(ABottom) {}
    constexpr TRect(const TPoint& ATopLeft, const TPoint& ABottomRight)
        : Left(ATopLeft.X), Top(ATopLeft.Y), Right(ABottomRight.X), Bottom(ABottomRight.Y) {}

    constexpr Integer Width() const { return Right - Left; }
    constexpr Integer Height() const { return Bottom - Top; }
    constexpr TPoint TopLeft() const { return {Left, Top}; }
    constexpr TPoint BottomRight() const { return {Right, Bottom}; }
    friend constexpr bool operator==(const TRect&, const TRect&) = default;
};

constexpr TPoint Point(Integer X, Integer Y) { return {X, Y}; }
constexpr TRect Rect(Integer Left, Integer Top, Integer Right, Integer Bottom)
{
    return {Left, Top, Right, Bottom};
}
constexpr TRect Bounds(Integer Left, Integer Top, Integer Width, Integer Height)
{
    return {Left, Top, Left + Width, Top + Height};
}

// No pixel lies inside: right <= left or bottom <= top.
constexpr bool IsRectEmpty(const TRect& R) { return R.Right <= R.Left || R.Bottom <= R.Top; }

constexpr bool EqualRect(const TRect& A, const TRect& B) { return A == B; }

// The right and bottom edges are outside the rectangle.
constexpr bool PtInRect(const TRect& R, const TPoint& P)
{
    return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom;
}

// Grows the rectangle by DX on the left and the right and DY at the top and
// the bottom (negative values shrink it).
constexpr bool InflateRect(TRect& R, Integer DX, Integer DY)
{
    R.Left -= DX;
    R.Right += DX;
    R.Top -= DY;
    R.Bottom += DY;
    return true;
}

constexpr bool OffsetRect(TRect& R, Integer DX, Integer DY)
{
    R.Left += DX;
    R.Right += DX;
    R.Top += DY;
    R.Bottom += DY;
    return true;
}

// The common part of A and B; an empty result is (0, 0, 0, 0) and gives false.
constexpr bool IntersectRect(TRect& Dest, const TRect& A, const TRect& B)
{
    TRect R(std::max(A.Left, B.Left), std::max(A.Top, B.Top), std::min(A.Right, B.Right),
            std::min(A.Bottom, B.Bottom));
    if (IsRectEmpty(R)) {
        Dest = TRect();
        return false;
    }
    Dest = R;
    return true;
}

// The smallest rectangle holding A and B; an empty operand is ignored. When
// both are empty the result is (0, 0, 0, 0) and gives false.
constexpr bool UnionRect(TRect& Dest, const TRect& A, const TRect& B)
{
    if (IsRectEmpty(A) && IsRectEmpty(B)) {
        Dest = TRect();
        return false;
    }
    if (IsRectEmpty(A)) {
        Dest = B;
        return true;
    }
    if (IsRectEmpty(B)) {
        Dest = A;
        return true;
    }
    Dest = TRect(std::min(A.Left, B.Left), std::min(A.Top, B.Top), std::max(A.Right, B.Right),
                 std::max(A.Bottom, B.Bottom));
    return true;
}

constexpr TPoint CenterPoint(const TRect& R)
{
    return {R.Left + (R.Right - R.Left) / 2, R.Top + (R.Bottom - R.Top) / 2};
}
