// The launcher of the update step: the update dialog starts the updater
// through it and waits for its end.
#include "shell/UDeviravizevFirmWare.h"

#include "platform/Process.h"

#include <QCoreApplication>
#include <QProcess>

namespace {

// The longest wait for a started program.
constexpr int Launcher_Wait_Ms = 150000;

} // namespace

Boolean TFDeviravizevFirmWare::Start_Program(const String& NomeSW, const String& Parameter, Byte)
{
    platform::TProcessHandle Process = platform::StartProcess(NomeSW, QProcess::splitCommand(Parameter));
    if (!Process.Started())
        return false;
    // Windows are repainted while the program runs; clicks and keys wait,
    // and timers do not run, so nothing starts another step meanwhile.
    platform::WaitForExit(Process, Launcher_Wait_Ms, [] {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers |
                                        QEventLoop::X11ExcludeTimers);
    });
    // A program still running is handed to the reaper with its handle.
    return true;
}
