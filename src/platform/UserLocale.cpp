#include "platform/UserLocale.h"

#include <QLocale>

#include <atomic>

namespace platform {

namespace {

// -1: no override.
std::atomic<int> LocaleSeparatorOverride{-1};
std::atomic<int> ThousandSeparatorOverride{-1};

// The override, else the variable when it holds one character, else the
// locale's text, else Fallback.
Char ReadSeparator(const std::atomic<int>& Override, const char* Env, const QString& LocaleText, Char Fallback)
{
    const int over = Override.load();
    if (over >= 0)
        return Char(char16_t(over));
    const QString env = qEnvironmentVariable(Env);
    if (env.size() == 1 && !env.at(0).isSpace())
        return env.at(0);
    return LocaleText.isEmpty() ? Fallback : LocaleText.at(0);
}

void StoreOverride(std::atomic<int>& Override, std::optional<Char> Separator)
{
    Override.store(Separator ? int(Separator->unicode()) : -1);
}

} // namespace

Char UserDecimalSeparator()
{
    return ReadSeparator(LocaleSeparatorOverride, DecimalSeparatorEnv, QLocale::system().decimalPoint(), u',');
}

void SetUserDecimalSeparator(std::optional<Char> Separator)
{
    StoreOverride(LocaleSeparatorOverride, Separator);
}

Char UserThousandSeparator()
{
    return ReadSeparator(ThousandSeparatorOverride, ThousandSeparatorEnv, QLocale::system().groupSeparator(), u',');
}

void SetUserThousandSeparator(std::optional<Char> Separator)
{
    StoreOverride(ThousandSeparatorOverride, Separator);
}

} // namespace platform
