#pragma once
// The user's number format, as far as the program reads it.
#include "rtl/System.h"

#include <optional>

namespace platform {

// Overrides the separator of the user's locale (one character).
inline constexpr const char* DecimalSeparatorEnv = "CFG_DECIMAL_SEPARATOR";

// The user's decimal separator: the one set with SetUserDecimalSeparator,
// else CFG_DECIMAL_SEPARATOR when it holds one character, else the system
// locale's ("," when the locale gives none).
Char UserDecimalSeparator();

// Fixes the separator for tests; std::nullopt goes back to the locale.
void SetUserDecimalSeparator(std::optional<Char> Separator);

} // namespace platform
