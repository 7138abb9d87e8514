// cfgtool lang-dump [--exe DIR]: the text table as the program would load it
// in program folder DIR (default: the program folder), one text a line.
#include "Command.h"

#include "platform/ProgramFolder.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"
#include "shell/USettingsFile.h"

#include <QDir>

namespace {

int LangDump(const QStringList& args)
{
    QString exeDir;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--exe") && i + 1 < args.size()) {
            exeDir = args[++i];
        } else {
            cfgtool::Err(QStringLiteral("usage: cfgtool lang-dump [--exe DIR]"));
            return 2;
        }
    }
    if (exeDir.isEmpty())
        exeDir = platform::ProgramFolder();
    if (!DirectoryExists(exeDir)) {
        cfgtool::Err(QStringLiteral("lang-dump: no such folder: ") + exeDir);
        return 1;
    }
    Set_Program_Folders(QDir(exeDir).absolutePath());
    Read_Settings();
    Load_Language();
    for (const QString& line : Lang_Dump())
        cfgtool::Out(line);
    return 0;
}

const cfgtool::CfgCommand langDumpCommand("lang-dump", LangDump);

} // namespace
