#pragma once
// What the grid benchmarks share: a headless application for the widgets,
// the cell texts made before any timing, and the heap in use.
#include "rtl/System.h"

#include <QApplication>

#include <malloc.h>

#include <cstdio>

#include <vector>

namespace bench {

// The widgets need an application; the benchmarks run headless.
inline void EnsureApplication()
{
    if (QApplication::instance())
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int Argc = 1;
    static char Name[] = "cfg_bench";
    static char* Argv[] = {Name, nullptr};
    static QApplication App(Argc, Argv);
}

// One object of T for the whole run, made on first use (outside any timing
// when a benchmark asks for it before its loop).
template <class T>
T& Once()
{
    static T Instance;
    return Instance;
}

constexpr Integer GridCols = 10;
constexpr Integer GridRows = 100000;

// "R12345C6" for every cell of GridRows x GridCols, row by row, made once.
inline const std::vector<String>& GridTexts()
{
    static const std::vector<String> T = [] {
        std::vector<String> V;
        V.reserve(std::size_t(GridRows * GridCols));
        // One allocation a text and no temporaries, so that no heap holes
        // are left for the timed code to run into.
        char Buffer[32];
        for (Integer R = 1; R <= GridRows; ++R) {
            for (Integer C = 0; C < GridCols; ++C) {
                const int Length = std::snprintf(Buffer, sizeof Buffer, "R%dC%d", R, C);
                V.push_back(QString::fromLatin1(Buffer, Length));
            }
        }
        return V;
    }();
    return T;
}

inline const String& GridText(Integer C, Integer R)
{
    return GridTexts()[std::size_t(R * GridCols + C)];
}

// Bytes of the heap in use (glibc).
inline std::size_t HeapInUse()
{
    return mallinfo2().uordblks;
}

} // namespace bench
