#include "platform/UserLocale.h"

#include "ScopedEnv.h"

#include <gtest/gtest.h>

#include <QLocale>

using namespace platform;

TEST(UserLocale, EnvironmentOverridesTheLocaleWhenItHoldsOneCharacter)
{
    const QChar system = QLocale::system().decimalPoint().at(0);
    const struct {
        std::optional<QByteArray> Env;
        QChar Expected;
    } cases[] = {
        {std::nullopt, system},
        {QByteArray(","), u','},
        {QByteArray("."), u'.'},
        {QByteArray(""), system},
        {QByteArray(",."), system},
        {QByteArray(" "), system},
    };
    for (const auto& c : cases) {
        ScopedEnv env(DecimalSeparatorEnv, c.Env);
        EXPECT_EQ(UserDecimalSeparator(), c.Expected) << (c.Env ? c.Env->constData() : "(unset)");
    }
}

TEST(UserLocale, SetterOverridesEverything)
{
    ScopedEnv env(DecimalSeparatorEnv, QByteArray(","));
    SetUserDecimalSeparator(QChar(u'.'));
    EXPECT_EQ(UserDecimalSeparator(), QChar(u'.'));
    SetUserDecimalSeparator(QChar(u','));
    EXPECT_EQ(UserDecimalSeparator(), QChar(u','));
    {
        ScopedEnv dot(DecimalSeparatorEnv, QByteArray("."));
        SetUserDecimalSeparator(std::nullopt);
        EXPECT_EQ(UserDecimalSeparator(), QChar(u'.'));
    }
}

TEST(UserLocale, ThousandSeparatorFromSetterEnvironmentOrLocale)
{
    const QString Group = QLocale::system().groupSeparator();
    const QChar System = Group.isEmpty() ? QChar(u',') : Group.at(0);
    {
        ScopedEnv env(ThousandSeparatorEnv, std::nullopt);
        EXPECT_EQ(UserThousandSeparator(), System);
    }
    ScopedEnv env(ThousandSeparatorEnv, QByteArray("."));
    EXPECT_EQ(UserThousandSeparator(), QChar(u'.'));
    SetUserThousandSeparator(QChar(u'\''));
    EXPECT_EQ(UserThousandSeparator(), QChar(u'\''));
    SetUserThousandSeparator(std::nullopt);
    EXPECT_EQ(UserThousandSeparator(), QChar(u'.'));
}

TEST(UserLocale, TimeSeparatorFromSetterEnvironmentOrLocale)
{
    {
        // The C locale's short time format is "HH:mm:ss".
        ScopedEnv env(TimeSeparatorEnv, std::nullopt);
        EXPECT_EQ(UserTimeSeparator().isLetterOrNumber(), false);
    }
    ScopedEnv env(TimeSeparatorEnv, QByteArray("."));
    EXPECT_EQ(UserTimeSeparator(), QChar(u'.'));
    {
        ScopedEnv two(TimeSeparatorEnv, QByteArray("::"));
        EXPECT_NE(UserTimeSeparator(), QChar(u'.'));
    }
    SetUserTimeSeparator(QChar(u'-'));
    EXPECT_EQ(UserTimeSeparator(), QChar(u'-'));
    SetUserTimeSeparator(std::nullopt);
    EXPECT_EQ(UserTimeSeparator(), QChar(u'.'));
}
