#pragma once
// The visual style switched off (the classic look) for one test.
#include "rtl/Themes.h"

class TScopedThemesOff {
public:
    TScopedThemesOff() { SetThemesEnabled(false); }
    ~TScopedThemesOff() { SetThemesEnabled(true); }
    TScopedThemesOff(const TScopedThemesOff&) = delete;
    TScopedThemesOff& operator=(const TScopedThemesOff&) = delete;
};
