#include "platform/UserLocale.h"

#include <QLocale>
#include <QRegularExpression>

#include <atomic>

namespace platform {

namespace {

// -1: no override.
std::atomic<int> LocaleSeparatorOverride{-1};
std::atomic<int> ThousandSeparatorOverride{-1};
std::atomic<int> TimeSeparatorOverride{-1};

// The first character after the hour field of a time format that is not a
// field letter or a blank ("HH:mm" gives ":"); empty when there is none.
QString SeparatorAfterHours(const QString& Format)
{
    const qsizetype Hour = Format.indexOf(QRegularExpression(QStringLiteral("[hH]")));
    if (Hour < 0)
        return QString();
    for (qsizetype I = Hour; I < Format.size(); ++I) {
        const QChar C = Format.at(I);
        if (!C.isLetter() && !C.isSpace() && C != u'\'')
            return QString(C);
    }
    return QString();
}

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

Char UserTimeSeparator()
{
    return ReadSeparator(TimeSeparatorOverride, TimeSeparatorEnv,
                         SeparatorAfterHours(QLocale::system().timeFormat(QLocale::ShortFormat)), u':');
}

void SetUserTimeSeparator(std::optional<Char> Separator)
{
    StoreOverride(TimeSeparatorOverride, Separator);
}

} // namespace platform
