#include "platform/UserLocale.h"

#include <QLocale>

#include <atomic>

namespace platform {

namespace {

// -1: no override.
std::atomic<int> LocaleSeparatorOverride{-1};

} // namespace

Char UserDecimalSeparator()
{
    const int over = LocaleSeparatorOverride.load();
    if (over >= 0)
        return Char(char16_t(over));
    const QString env = qEnvironmentVariable(DecimalSeparatorEnv);
    if (env.size() == 1 && !env.at(0).isSpace())
        return env.at(0);
    const QString point = QLocale::system().decimalPoint();
    return point.isEmpty() ? Char(u',') : point.at(0);
}

void SetUserDecimalSeparator(std::optional<Char> Separator)
{
    LocaleSeparatorOverride.store(Separator ? int(Separator->unicode()) : -1);
}

} // namespace platform
