// The description files of a project, without the main window's dialogs:
//   gsdml-gen PROJECT_DIR OUT_DIR [--user PART] [--date YYYYMMDD] [--exe DIR]
//   mib-gen PROJECT_DIR OUT_FILE [--exe DIR]
//   ede-gen PROJECT_DIR OUT_FILE [--exe DIR]
//   esi-gen PROJECT_DIR OUT_FILE [--exe DIR] [--answer yes|no]
// gsdml-gen names the file as the name dialog does (date default: today)
// and writes it into OUT_DIR, replacing a file there. DIR is the program
// folder (its language). On success "written: " and the file's full path;
// an error prints "error: " and the message box text and writes nothing
// (exit code 1); wrong arguments give exit code 2. esi-gen prints OUT_FILE
// as given and asks as the main window's step does before it replaces
// OUT_FILE: the question is printed as "confirmation: " and its text and
// answered with --answer (default yes); No writes nothing (exit code 1).
#include "Command.h"
#include "PrintingDialogs.h"
#include "ProjectArgs.h"

#include "protocols/ethernet/UBACnet_EDE_File.h"
#include "protocols/ethernet/UDescription_Files.h"
#include "protocols/ethernet/UProfinetFileName.h"
#include "protocols/ethernet/UProfinetXML.h"
#include "protocols/ethernet/USNMP_MIB.h"
#include "protocols/fieldbus/UEtherCAT_ESI_File.h"
#include "shell/ULanguage.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <functional>
#include <memory>

namespace {

// Takes "--Name VALUE" out of Args into Value; false when the option is
// there without a value.
bool DescTakeOption(QStringList& Args, const char* Name, QString& Value)
{
    const qsizetype At = Args.indexOf(QLatin1String(Name));
    if (At < 0)
        return true;
    if (At + 1 >= Args.size())
        return false;
    Value = Args[At + 1];
    Args.remove(At, 2);
    return true;
}

// A date written YYYYMMDD.
bool DescParseDate(const QString& Text, TDateTime& Day)
{
    static const QRegularExpression Digits(QStringLiteral("^\\d{8}$"));
    return Digits.match(Text).hasMatch() &&
           TryEncodeDate(Word(Text.left(4).toInt()), Word(Text.mid(4, 2).toInt()), Word(Text.right(2).toInt()), Day);
}

// Writes a file through Writer, which gives its name; reports the result,
// the name as a full path or as given.
int DescReport(const std::function<QString()>& Writer, bool FullPath = true)
{
    try {
        const QString File = Writer();
        cfgtool::Out(QStringLiteral("written: ") + (FullPath ? QFileInfo(File).absoluteFilePath() : File));
        return 0;
    } catch (const Exception& E) {
        cfgtool::Err(QStringLiteral("error: ") + E.Message());
        return 1;
    }
}

// Opens the project, then DescReport.
int DescWrite(const cfgtool::TProjectArgs& Args, const std::function<QString()>& Writer)
{
    return cfgtool::OpenProject(Args) ? DescReport(Writer) : 1;
}

int GsdmlGen(const QStringList& Argv)
{
    QStringList Rest = Argv;
    QString User;
    QString Date_Text;
    cfgtool::TProjectArgs Args;
    TDateTime Day = Date();
    if (!DescTakeOption(Rest, "--user", User) || !DescTakeOption(Rest, "--date", Date_Text) ||
        !cfgtool::ParseProjectArgs(Rest, 2, Args) || (!Date_Text.isEmpty() && !DescParseDate(Date_Text, Day))) {
        cfgtool::Err(QStringLiteral(
            "usage: cfgtool gsdml-gen PROJECT_DIR OUT_DIR [--user PART] [--date YYYYMMDD] [--exe DIR]"));
        return 2;
    }
    return DescWrite(Args, [&] {
        if (!GSDML_User_Part_Valid(User))
            throw Exception(Lang.Strings(1812));
        const QString Name = GSDML_File_Name(QLatin1String(C_GSDML_Fix1), User, GSDML_Date_Part(Day));
        const QString File = Args.Positional[1] + u'/' + Name;
        Write_GSDML(File);
        return File;
    });
}

// A command PROJECT_DIR OUT_FILE that writes OUT_FILE with Writer.
int DescFileCommand(const QStringList& Argv, const char* Command, const std::function<void(const QString&)>& Writer)
{
    cfgtool::TProjectArgs Args;
    if (!cfgtool::ParseProjectArgs(Argv, 2, Args)) {
        cfgtool::Err(QStringLiteral("usage: cfgtool %1 PROJECT_DIR OUT_FILE [--exe DIR]").arg(QLatin1String(Command)));
        return 2;
    }
    return DescWrite(Args, [&] {
        Writer(Args.Positional[1]);
        return Args.Positional[1];
    });
}

int MibGen(const QStringList& Argv)
{
    return DescFileCommand(Argv, "mib-gen", [](const QString& File) {
        Read_MIB_Lists();
        Write_MIB(File);
    });
}

int EdeGen(const QStringList& Argv)
{
    return DescFileCommand(Argv, "ede-gen", Write_EDE_File);
}

int EsiGen(const QStringList& Argv)
{
    QStringList Rest = Argv;
    QString Answer = QStringLiteral("yes");
    cfgtool::TProjectArgs Args;
    if (!DescTakeOption(Rest, "--answer", Answer) || (Answer != u"yes" && Answer != u"no") ||
        !cfgtool::ParseProjectArgs(Rest, 2, Args)) {
        cfgtool::Err(QStringLiteral("usage: cfgtool esi-gen PROJECT_DIR OUT_FILE [--exe DIR] [--answer yes|no]"));
        return 2;
    }
    if (!cfgtool::OpenProject(Args))
        return 1;
    const QString File = Args.Positional[1];
    std::unique_ptr<TDialogService> Previous =
        SetDialogService(std::make_unique<cfgtool::TPrintingDialogs>(Answer == u"no"));
    const bool Replace = Confirm_Replace(File);
    SetDialogService(std::move(Previous));
    if (!Replace)
        return 1;
    return DescReport(
        [&File] {
            Build_ESI_File(File);
            return File;
        },
        false);
}

const cfgtool::CfgCommand GsdmlGenCommand("gsdml-gen", GsdmlGen);
const cfgtool::CfgCommand MibGenCommand("mib-gen", MibGen);
const cfgtool::CfgCommand EdeGenCommand("ede-gen", EdeGen);
const cfgtool::CfgCommand EsiGenCommand("esi-gen", EsiGen);

} // namespace
