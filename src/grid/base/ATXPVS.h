#pragma once
// The second table of the visual-style functions, bound on its own when
// this unit starts (see ExXPVS.h).
#include "grid/base/ExXPVS.h"

extern TThemeAPI ThemeAPI2;
extern bool ThemeAPI2Bound;
void BindThemeAPI2();
void UnbindThemeAPI2();
