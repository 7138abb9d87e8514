// The IO-Link channel configuration of a project, without its window:
//   iolink-insert PROJECT_DIR PORT FILE [--exe DIR]
//   iolink-resave PROJECT_DIR [--exe DIR]
//   iolink-check PROJECT_DIR [--exe DIR]
// DIR is the program folder (its "IOLink_StaDef", "IODD_Catalog" and
// language); FILE is a name in the catalog or a path to a description file.
// Messages are printed as "error: ..." or "warning: ..." on standard error.
#include "Command.h"

#include "iolink/UIO_Link_Set_Access.h"
#include "platform/ProgramFolder.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"
#include "shell/USettingsFile.h"

#include <QDir>

namespace {

struct TIOLinkArgs {
    QStringList Positional;
    QString ExeDir;
};

// The positional arguments and --exe; false on anything else.
bool IOLinkParseArgs(const QStringList& Args, qsizetype Count, TIOLinkArgs& Result)
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

// The program folders, the language and the project as the program would
// have them; the channels of the project's device variant with its file
// loaded. False when the project or its file cannot be used.
bool IOLinkOpen(const TIOLinkArgs& Args, TIO_Link_Set_Access_Core& Core)
{
    Core.OnMessage = [](TIOLink_MsgKind Kind, const String& Text) {
        cfgtool::Err(QLatin1String(Kind == imkError ? "error: " : "warning: ") + Text);
    };
    const QString ExeDir = Args.ExeDir.isEmpty() ? platform::ProgramFolder() : Args.ExeDir;
    if (!DirectoryExists(ExeDir)) {
        cfgtool::Err(QStringLiteral("error: no such program folder: ") + ExeDir);
        return false;
    }
    const QString Project = Args.Positional.value(0);
    if (!DirectoryExists(Project)) {
        cfgtool::Err(QStringLiteral("error: no such project folder: ") + Project);
        return false;
    }
    Set_Program_Folders(QDir(ExeDir).absolutePath());
    Read_Settings();
    Load_Language();
    Path_Project = ExcludeTrailingPathDelimiter(QDir(Project).absolutePath());
    Name_Project = ExtractFileName(Path_Project);
    Set_Table_Files();
    Core.Create_Channels();
    return Core.Load_Configuration();
}

int IOLinkInsert(const QStringList& Argv)
{
    TIOLinkArgs Args;
    if (!IOLinkParseArgs(Argv, 3, Args)) {
        cfgtool::Err(QStringLiteral("usage: cfgtool iolink-insert PROJECT_DIR PORT FILE [--exe DIR]"));
        return 2;
    }
    bool PortOk = false;
    const int Port = Args.Positional[1].toInt(&PortOk);
    if (!PortOk || Port < 1 || Port > 8) {
        cfgtool::Err(QStringLiteral("error: the port must be 1 to 8: ") + Args.Positional[1]);
        return 2;
    }
    TIO_Link_Set_Access_Core Core;
    if (!IOLinkOpen(Args, Core))
        return 1;
    if (Port > Core.Num_Channels) {
        cfgtool::Err(QStringLiteral("error: the device variant has %1 ports").arg(Core.Num_Channels));
        return 1;
    }
    QString File = Args.Positional[2];
    if (!File.contains(u'/') && !File.contains(u'\\'))
        File = Path_IODD_Catalog + PathDelim + File;
    if (!FileExists(File)) {
        cfgtool::Err(QStringLiteral("error: no such description file: ") + File);
        return 1;
    }
    if (!Core.Insert_IODD_File(Port - 1, File) || !Core.Save_Configuration())
        return 1;
    return 0;
}

int IOLinkResave(const QStringList& Argv)
{
    TIOLinkArgs Args;
    if (!IOLinkParseArgs(Argv, 1, Args)) {
        cfgtool::Err(QStringLiteral("usage: cfgtool iolink-resave PROJECT_DIR [--exe DIR]"));
        return 2;
    }
    TIO_Link_Set_Access_Core Core;
    return IOLinkOpen(Args, Core) && Core.Save_Configuration() ? 0 : 1;
}

int IOLinkCheck(const QStringList& Argv)
{
    TIOLinkArgs Args;
    if (!IOLinkParseArgs(Argv, 1, Args)) {
        cfgtool::Err(QStringLiteral("usage: cfgtool iolink-check PROJECT_DIR [--exe DIR]"));
        return 2;
    }
    TIO_Link_Set_Access_Core Core;
    return IOLinkOpen(Args, Core) && Core.Check_Configuration() ? 0 : 1;
}

const cfgtool::CfgCommand IOLinkInsertCommand("iolink-insert", IOLinkInsert);
const cfgtool::CfgCommand IOLinkResaveCommand("iolink-resave", IOLinkResave);
const cfgtool::CfgCommand IOLinkCheckCommand("iolink-check", IOLinkCheck);

} // namespace
