#include "platform/Process.h"

#include <QDesktopServices>
#include <QFile>
#include <QUrl>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <thread>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace platform {

namespace {

int ProcessExitCodeOf(int Status)
{
    if (WIFEXITED(Status))
        return WEXITSTATUS(Status);
    if (WIFSIGNALED(Status))
        return 128 + WTERMSIG(Status);
    return -1;
}

// Collects a child that outlived its handle as soon as it ends.
void ProcessHandToReaper(pid_t Pid)
{
    std::thread([Pid] {
        int status = 0;
        while (::waitpid(Pid, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
}

} // namespace

TProcessHandle::~TProcessHandle()
{
    Release();
}

TProcessHandle::TProcessHandle(TProcessHandle&& Other) noexcept
    : FPid(Other.FPid), FExited(Other.FExited), FExitCode(Other.FExitCode), FStartError(std::move(Other.FStartError))
{
    Other.FPid = 0;
    Other.FExited = false;
}

TProcessHandle& TProcessHandle::operator=(TProcessHandle&& Other) noexcept
{
    if (this != &Other) {
        Release();
        FPid = Other.FPid;
        FExited = Other.FExited;
        FExitCode = Other.FExitCode;
        FStartError = std::move(Other.FStartError);
        Other.FPid = 0;
        Other.FExited = false;
    }
    return *this;
}

void TProcessHandle::Release()
{
    if (FPid > 0 && !FExited)
        ProcessHandToReaper(FPid);
    FPid = 0;
}

TProcessHandle StartProcess(const String& Program, const QStringList& Args)
{
    TProcessHandle handle;
    const QByteArray path = QFile::encodeName(Program);
    std::vector<QByteArray> args;
    args.push_back(path);
    for (const QString& a : Args)
        args.push_back(a.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    // The child starts with default signal handling and nothing blocked,
    // whatever this process has set up for itself.
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attr, &none);
    posix_spawnattr_setsigdefault(&attr, &all);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    pid_t pid = 0;
    // The exec failure of the child comes back as the error of the call.
    const int rc = path.isEmpty() ? ENOENT : ::posix_spawn(&pid, path.constData(), nullptr, &attr, argv.data(), environ);
    posix_spawnattr_destroy(&attr);
    if (rc != 0) {
        handle.FStartError = QStringLiteral("Cannot start \"%1\": %2").arg(Program, QString::fromLocal8Bit(std::strerror(rc)));
        return handle;
    }
    handle.FPid = pid;
    return handle;
}

bool WaitForExit(TProcessHandle& Handle, int TimeoutMs, const std::function<void()>& OnPoll)
{
    using Clock = std::chrono::steady_clock;
    if (!Handle.Started())
        return false;
    const Clock::time_point start = Clock::now();
    while (!Handle.FExited) {
        int status = 0;
        const pid_t rc = ::waitpid(Handle.FPid, &status, WNOHANG);
        if (rc == Handle.FPid) {
            Handle.FExited = true;
            Handle.FExitCode = ProcessExitCodeOf(status);
            break;
        }
        if (rc < 0 && errno != EINTR) {
            // Not our child any more (collected elsewhere): its code is lost.
            Handle.FExited = true;
            Handle.FExitCode = -1;
            break;
        }
        if (Clock::now() - start >= std::chrono::milliseconds(TimeoutMs))
            return false;
        if (OnPoll)
            OnPoll();
        std::this_thread::sleep_for(std::chrono::milliseconds(ProcessPollIntervalMs));
    }
    return true;
}

bool OpenURL(const String& Url)
{
    const QUrl url(Url.trimmed(), QUrl::StrictMode);
    if (Url.trimmed().isEmpty() || !url.isValid() || url.scheme().isEmpty())
        return false;
    return QDesktopServices::openUrl(url);
}

} // namespace platform
