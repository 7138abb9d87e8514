#pragma once
// Checks shared by the tests of the grid's settings objects: a table of
// defaults and a counter of change notices.
#include "rtl/Classes.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

// One property: its name, and whether it reads the value of the defaults
// table.
template <class T>
struct TDefault {
    const char* Name;
    std::function<bool(const T&)> Holds;
};

template <class T>
void ExpectDefaults(const T& Object, const std::vector<TDefault<T>>& Table)
{
    for (const TDefault<T>& D : Table)
        EXPECT_TRUE(D.Holds(Object)) << D.Name;
}

#define DEFAULT_OF(Type, Property, Value) \
    TDefault<Type> { #Property, [](const Type& O) { return O.Property() == (Value); } }

// Counts the notices of an OnChange-like event.
struct TNoticeCounter {
    Integer Count = 0;
    TNotifyEvent Event() { return [this](TObject*) { ++Count; }; }
};
