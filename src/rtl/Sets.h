#pragma once
// Value-type set over a plain enumeration, as the framework's "set of".
// Members are the enumeration's ordinals 0 .. MaxMembers-1.
#include "rtl/SysUtils.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <type_traits>

template <typename Enum, std::size_t MaxMembers = 64>
class TSet {
    static_assert(std::is_enum_v<Enum>, "TSet is a set of enumeration values");
    static_assert(MaxMembers > 0 && MaxMembers <= 256, "a set has at most 256 members");
    static constexpr std::size_t Words = (MaxMembers + 63) / 64;

public:
    using EnumType = Enum;

    constexpr TSet() = default;
    // A lone value converts, so that "S + fsBold" reads as "S + [fsBold]".
    constexpr TSet(Enum Value) { Include(Value); }
    constexpr TSet(std::initializer_list<Enum> Values)
    {
        for (Enum V : Values)
            Include(V);
    }

    constexpr bool Contains(Enum Value) const
    {
        const std::size_t Ord = Ordinal(Value);
        return (FBits[Ord / 64] >> (Ord % 64)) & 1u;
    }
    constexpr TSet& Include(Enum Value)
    {
        const std::size_t Ord = Ordinal(Value);
        FBits[Ord / 64] |= std::uint64_t(1) << (Ord % 64);
        return *this;
    }
    constexpr TSet& Exclude(Enum Value)
    {
        const std::size_t Ord = Ordinal(Value);
        FBits[Ord / 64] &= ~(std::uint64_t(1) << (Ord % 64));
        return *this;
    }
    constexpr bool Empty() const
    {
        for (std::uint64_t W : FBits)
            if (W)
                return false;
        return true;
    }

    constexpr TSet& operator+=(const TSet& Other)
    {
        for (std::size_t I = 0; I < Words; ++I)
            FBits[I] |= Other.FBits[I];
        return *this;
    }
    constexpr TSet& operator-=(const TSet& Other)
    {
        for (std::size_t I = 0; I < Words; ++I)
            FBits[I] &= ~Other.FBits[I];
        return *this;
    }
    constexpr TSet& operator*=(const TSet& Other)
    {
        for (std::size_t I = 0; I < Words; ++I)
            FBits[I] &= Other.FBits[I];
        return *this;
    }
    friend constexpr TSet operator+(TSet A, const TSet& B) { return A += B; }
    friend constexpr TSet operator-(TSet A, const TSet& B) { return A -= B; }
    friend constexpr TSet operator*(TSet A, const TSet& B) { return A *= B; }
    friend constexpr bool operator==(const TSet& A, const TSet& B) = default;
    // Subset and superset, as "<=" and ">=" on the framework's sets.
    friend constexpr bool operator<=(const TSet& A, const TSet& B) { return (A - B).Empty(); }
    friend constexpr bool operator>=(const TSet& A, const TSet& B) { return (B - A).Empty(); }

private:
    static constexpr std::size_t Ordinal(Enum Value)
    {
        const auto Ord = static_cast<std::make_unsigned_t<std::underlying_type_t<Enum>>>(Value);
        if (Ord >= MaxMembers)
            throw ERangeError(QStringLiteral("Range check error"));
        return Ord;
    }

    std::array<std::uint64_t, Words> FBits{};
};
