// The IO-Link channel configuration of a project, without its window:
//   iolink-insert PROJECT_DIR PORT FILE [--exe DIR]
//   iolink-resave PROJECT_DIR [--exe DIR]
//   iolink-check PROJECT_DIR [--exe DIR]
// DIR is the program folder (its "IOLink_StaDef", "IODD_Catalog" and
// language); FILE is a name in the catalog or a path to a description file.
// Messages are printed as "error: ..." or "warning: ..." on standard error.
#include "Command.h"
#include "ProjectArgs.h"

#include "iolink/UIO_Link_Set_Access.h"
#include "shell/UComon.h"

namespace {

// The channels of the project's device variant with its file loaded; false
// when the project or its file cannot be used.
bool IOLinkOpen(const cfgtool::TProjectArgs& Args, TIO_Link_Set_Access_Core& Core)
{
    Core.OnMessage = [](TIOLink_MsgKind Kind, const String& Text) {
        cfgtool::Err(QLatin1String(Kind == imkError ? "error: " : "warning: ") + Text);
    };
    if (!cfgtool::OpenProject(Args))
        return false;
    Core.Create_Channels();
    return Core.Load_Configuration();
}

int IOLinkInsert(const QStringList& Argv)
{
    cfgtool::TProjectArgs Args;
    if (!cfgtool::ParseProjectArgs(Argv, 3, Args)) {
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
    if (!File.contains(u'/') && !File.contains(u'\\')) {
        const String Found = Find_In_Folders(IODD_Catalog_Folders(), File);
        File = Found.isEmpty() ? Path_IODD_Catalog + PathDelim + File : Found;
    }
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
    cfgtool::TProjectArgs Args;
    if (!cfgtool::ParseProjectArgs(Argv, 1, Args)) {
        cfgtool::Err(QStringLiteral("usage: cfgtool iolink-resave PROJECT_DIR [--exe DIR]"));
        return 2;
    }
    TIO_Link_Set_Access_Core Core;
    return IOLinkOpen(Args, Core) && Core.Save_Configuration() ? 0 : 1;
}

int IOLinkCheck(const QStringList& Argv)
{
    cfgtool::TProjectArgs Args;
    if (!cfgtool::ParseProjectArgs(Argv, 1, Args)) {
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
