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

// Overrides the thousand separator of the user's locale (one character).
inline constexpr const char* ThousandSeparatorEnv = "CFG_THOUSAND_SEPARATOR";

// The user's thousand separator: the one set with SetUserThousandSeparator,
// else CFG_THOUSAND_SEPARATOR when it holds one character, else the system
// locale's ("," when the locale gives none).
Char UserThousandSeparator();
void SetUserThousandSeparator(std::optional<Char> Separator);

// Overrides the time separator of the user's locale (one character).
inline constexpr const char* TimeSeparatorEnv = "CFG_TIME_SEPARATOR";

// The user's time separator: the one set with SetUserTimeSeparator, else
// CFG_TIME_SEPARATOR when it holds one character, else the one between hours
// and minutes in the system locale's short time format (":" when it has
// none).
Char UserTimeSeparator();
void SetUserTimeSeparator(std::optional<Char> Separator);

} // namespace platform
