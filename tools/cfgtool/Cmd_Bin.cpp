// compile-bin PROJECT_DIR [--exe DIR]: builds "bank1.bin" and "bank2.bin" of
// a project and writes them into its "bin" folder, as the update step does.
// DIR is the program folder (for "IOLink_StaDef"). On a failure the message
// goes to standard error, the exit code is 1 and old images stay as they were.
#include "Command.h"

#include "iolink/USaveBincc.h"
#include "platform/ProgramFolder.h"
#include "shell/UComon.h"

#include <QDir>

namespace {

int CompileBin(const QStringList& Args)
{
    QString Project;
    QString ExeDir;
    bool Usage = false;
    for (qsizetype I = 0; I < Args.size(); ++I) {
        if (Args[I] == u"--exe" && I + 1 < Args.size())
            ExeDir = Args[++I];
        else if (!Args[I].startsWith(u"--") && Project.isEmpty())
            Project = Args[I];
        else
            Usage = true;
    }
    if (Usage || Project.isEmpty()) {
        cfgtool::Err(QStringLiteral("usage: cfgtool compile-bin PROJECT_DIR [--exe DIR]"));
        return 2;
    }
    if (ExeDir.isEmpty())
        ExeDir = platform::ProgramFolder();
    for (const QString& Dir : {Project, ExeDir}) {
        if (!DirectoryExists(Dir)) {
            cfgtool::Err(QStringLiteral("no such folder: ") + Dir);
            return 1;
        }
    }
    Set_Program_Folders(QDir(ExeDir).absolutePath());
    Path_Project = ExcludeTrailingPathDelimiter(QDir(Project).absolutePath());
    Name_Project = ExtractFileName(Path_Project);
    Set_Table_Files();
    try {
        Compile_Bin();
        Save_Bin();
    } catch (const Exception& E) {
        cfgtool::Err(E.Message());
        return 1;
    }
    cfgtool::Out(Format("bank1.bin: %d bytes, bank2.bin: %d bytes", {Bin_Bank1().size(), Bin_Bank2().size()}));
    return 0;
}

const cfgtool::CfgCommand CompileBinCommand("compile-bin", CompileBin);

} // namespace
