#include "ProjectArgs.h"

#include "Command.h"

#include "platform/ProgramFolder.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"
#include "shell/USettingsFile.h"

#include <QDir>

namespace cfgtool {

bool ParseProjectArgs(const QStringList& Args, qsizetype Count, TProjectArgs& Result)
{
    for (qsizetype I = 0; I < Args.size(); ++I) {
        if (Args[I] == u"--exe" && I + 1 < Args.size())
            Result.ExeDir = Args[++I];
        else if (!Args[I].startsWith(u"--"))
            Result.Positional.append(Args[I]);
        else
            return false;
    }
    return Result.Positional.size() == Count;
}

bool OpenProject(const TProjectArgs& Args)
{
    const QString ExeDir = Args.ExeDir.isEmpty() ? platform::ProgramFolder() : Args.ExeDir;
    if (!DirectoryExists(ExeDir)) {
        Err(QStringLiteral("error: no such program folder: ") + ExeDir);
        return false;
    }
    const QString Project = Args.Positional.value(0);
    if (!DirectoryExists(Project)) {
        Err(QStringLiteral("error: no such project folder: ") + Project);
        return false;
    }
    Set_Program_Folders(QDir(ExeDir).absolutePath());
    Set_Product_Texts();
    Read_Settings();
    Load_Language();
    Path_Project = ExcludeTrailingPathDelimiter(QDir(Project).absolutePath());
    Name_Project = ExtractFileName(Path_Project);
    Set_Table_Files();
    return true;
}

} // namespace cfgtool
