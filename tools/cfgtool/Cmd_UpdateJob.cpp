// update-job --exe DIR --project PROJECT_DIR --choice 0|1|2 [--read-back]
// --address A.B.C.D: writes "Ethernet_Update.xml" into DIR as the update
// dialog writes it for that choice (0 firmware and configuration, 1 firmware,
// 2 configuration), without the echo test and without starting the updater.
// An address that is not four numbers 0..255 is refused as the dialog
// refuses it. Exit code 1 on a refused address or a file that cannot be
// written, 2 on wrong arguments.
#include "Command.h"

#include "iolink/UBoot.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

#include <QDir>

namespace {

int UpdateJob(const QStringList& Args)
{
    QString ExeDir;
    QString Project;
    QString Choice;
    QString Address;
    bool Read_Back = false;
    bool Usage = false;
    for (qsizetype I = 0; I < Args.size(); ++I) {
        const QString& A = Args[I];
        const bool HasValue = I + 1 < Args.size();
        if (A == u"--exe" && HasValue)
            ExeDir = Args[++I];
        else if (A == u"--project" && HasValue)
            Project = Args[++I];
        else if (A == u"--choice" && HasValue)
            Choice = Args[++I];
        else if (A == u"--address" && HasValue)
            Address = Args[++I];
        else if (A == u"--read-back")
            Read_Back = true;
        else
            Usage = true;
    }
    const bool Known_Choice = Choice == u"0" || Choice == u"1" || Choice == u"2";
    if (Usage || ExeDir.isEmpty() || Project.isEmpty() || Address.isEmpty() || !Known_Choice) {
        cfgtool::Err(QStringLiteral("usage: cfgtool update-job --exe DIR --project PROJECT_DIR --choice 0|1|2 "
                                    "[--read-back] --address A.B.C.D"));
        return 2;
    }
    for (const QString& Dir : {ExeDir, Project}) {
        if (!DirectoryExists(Dir)) {
            cfgtool::Err(QStringLiteral("no such folder: ") + Dir);
            return 1;
        }
    }
    Load_Lang_English();
    String Device;
    if (!Device_Address(Address, Device)) {
        cfgtool::Err(QStringLiteral("error: ") + Lang.Strings(1437));
        return 1;
    }
    Set_Program_Folders(QDir(ExeDir).absolutePath());
    Path_Project = ExcludeTrailingPathDelimiter(QDir(Project).absolutePath());
    Name_Project = ExtractFileName(Path_Project);
    try {
        Write_Update_Job(Address, Choice.toInt(), Read_Back);
    } catch (const Exception& E) {
        cfgtool::Err(QStringLiteral("error: ") + E.Message());
        return 1;
    }
    cfgtool::Out(QStringLiteral("written: ") + Update_Job_File());
    return 0;
}

const cfgtool::CfgCommand UpdateJobCommand("update-job", UpdateJob);

} // namespace
