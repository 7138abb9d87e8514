#pragma once
// Sets or clears an environment variable for one scope, then restores it.
#include <QByteArray>

#include <optional>

class ScopedEnv {
public:
    ScopedEnv(const char* Name, std::optional<QByteArray> Value) : FName(Name)
    {
        if (qEnvironmentVariableIsSet(Name))
            FOld = qgetenv(Name);
        Set(Value);
    }
    ~ScopedEnv() { Set(FOld); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    void Set(const std::optional<QByteArray>& Value)
    {
        if (Value)
            qputenv(FName, *Value);
        else
            qunsetenv(FName);
    }
    const char* FName;
    std::optional<QByteArray> FOld;
};
