#pragma once
// Starting a program file and waiting for its end; opening a web link.
#include "rtl/System.h"

#include <QStringList>

#include <functional>

#include <sys/types.h>

namespace platform {

// Steps of the exit poll of WaitForExit.
inline constexpr int ProcessPollIntervalMs = 10;

// A started child process. A child that is still running when its handle
// goes away is handed to a reaper thread, which collects it when it ends,
// so no zombie is left behind; the child itself keeps running.
class TProcessHandle {
public:
    TProcessHandle() = default;
    ~TProcessHandle();
    TProcessHandle(TProcessHandle&& Other) noexcept;
    TProcessHandle& operator=(TProcessHandle&& Other) noexcept;
    TProcessHandle(const TProcessHandle&) = delete;
    TProcessHandle& operator=(const TProcessHandle&) = delete;

    bool Started() const { return FPid > 0; }
    // Why the start failed; empty when it did not.
    const String& StartError() const { return FStartError; }
    pid_t Pid() const { return FPid; }
    bool Exited() const { return FExited; }
    // The exit status once Exited(); a child ended by a signal gives 128 + the
    // signal number, as a shell reports it.
    int ExitCode() const { return FExitCode; }

private:
    friend TProcessHandle StartProcess(const String& Program, const QStringList& Args);
    friend bool WaitForExit(TProcessHandle& Handle, int TimeoutMs, const std::function<void()>& OnPoll);
    void Release();

    pid_t FPid = 0;
    bool FExited = false;
    int FExitCode = 0;
    String FStartError;
};

// Starts the program file Program (no search path, no shell) with Args. A
// missing, non-executable or unloadable file is a failed start: the handle
// is not Started() and tells why.
TProcessHandle StartProcess(const String& Program, const QStringList& Args);

// Polls the child's end every ProcessPollIntervalMs up to TimeoutMs, calling
// OnPoll (if set) between polls, for example to let a window repaint. True
// when the child has ended (its ExitCode is then known); false on time-out,
// when the child still runs and may be waited for again, and at once for a
// handle whose start failed.
bool WaitForExit(TProcessHandle& Handle, int TimeoutMs, const std::function<void()>& OnPoll = {});

// Hands a web link to the desktop's handler; false when Url is not a valid
// link or no handler took it.
bool OpenURL(const String& Url);

} // namespace platform
