#include "grid/base/ATXPVS.h"

TThemeAPI ThemeAPI2;
bool ThemeAPI2Bound = false;

void BindThemeAPI2() { BindThemeFunctions(ThemeAPI2, ThemeAPI2Bound); }
void UnbindThemeAPI2() { ThemeAPI2Bound = false; }

namespace {
const TThemeAPIUnit ATXPVSUnit(BindThemeAPI2, UnbindThemeAPI2);
} // namespace
