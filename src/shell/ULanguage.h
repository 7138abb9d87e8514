#pragma once
// The UI text table: the built-in English texts, overlaid text by text from
// the language file the user chose.
#include "rtl/System.h"

// Number of built-in texts; every index below it has one (a blank at most).
inline constexpr Integer Lang_English_Count = 3800;

// The built-in English text of Index; empty outside 0 .. Lang_English_Count - 1.
String Lang_English(Integer Index);
