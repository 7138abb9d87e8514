#pragma once
// Helpers shared by the sources of the Classes unit.
#include "rtl/System.h"

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

namespace rtl_classes {

// Runs Body between BeginUpdate and EndUpdate; EndUpdate also runs when Body raises.
template <typename Updatable, typename Fn>
void InUpdate(Updatable* Target, Fn&& Body)
{
    Target->BeginUpdate();
    try {
        Body();
    } catch (...) {
        Target->EndUpdate();
        throw;
    }
    Target->EndUpdate();
}

// Stable merge sort, written out rather than taken from std::stable_sort
// because the compare functions come from callers: one that is not a strict
// weak order must give some order, never out-of-range access.
// Compare(a, b) < 0 when a comes first; items that compare equal keep their order.
template <typename T, typename CompareFn>
void StableSort(std::vector<T>& Items, CompareFn&& Compare)
{
    const std::size_t N = Items.size();
    if (N < 2)
        return;
    std::vector<T> Buffer(N);
    std::vector<T>* From = &Items;
    std::vector<T>* To = &Buffer;
    for (std::size_t Width = 1; Width < N; Width *= 2) {
        for (std::size_t Lo = 0; Lo < N; Lo += 2 * Width) {
            const std::size_t Mid = std::min(Lo + Width, N), Hi = std::min(Lo + 2 * Width, N);
            std::size_t L = Lo, R = Mid, Out = Lo;
            while (L < Mid && R < Hi)
                (*To)[Out++] = Compare((*From)[R], (*From)[L]) < 0 ? (*From)[R++] : (*From)[L++];
            while (L < Mid)
                (*To)[Out++] = (*From)[L++];
            while (R < Hi)
                (*To)[Out++] = (*From)[R++];
        }
        std::swap(From, To);
    }
    if (From != &Items)
        Items = std::move(*From);
}

} // namespace rtl_classes
