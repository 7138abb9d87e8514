// cfgtool start --exe DIR: the program's start-up with program folder DIR
// (all windows created, folders made, settings read), then the main window
// closes at once (settings written). Prints the folder the program used.
#include "Command.h"

#include "platform/ProgramFolder.h"
#include "rtl/Forms.h"
#include "shell/UComon.h"
#include "shell/UDeviravizevFirmWare.h"

#include <QDir>

namespace {

int Start(const QStringList& args)
{
    QString exeDir;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--exe") && i + 1 < args.size()) {
            exeDir = args[++i];
        } else {
            cfgtool::Err(QStringLiteral("usage: cfgtool start --exe DIR"));
            return 2;
        }
    }
    if (exeDir.isEmpty()) {
        cfgtool::Err(QStringLiteral("usage: cfgtool start --exe DIR"));
        return 2;
    }
    if (!DirectoryExists(exeDir)) {
        cfgtool::Err(QStringLiteral("start: no such folder: ") + exeDir);
        return 1;
    }
    qputenv(platform::ProgramDirEnv, QDir(exeDir).absolutePath().toLocal8Bit());
    Create_Forms(Application);
    FDeviravizevFirmWare->Close();
    cfgtool::Out(Path_Exe);
    DoneApplication();
    Forget_Forms();
    return 0;
}

const cfgtool::CfgCommand startCommand("start", Start);

} // namespace
