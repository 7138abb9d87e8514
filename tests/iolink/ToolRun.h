#pragma once
// Runs cfgtool on a configuration and program folder of its own, under a
// wrapper (strace, a mount namespace), for the tests that kill or starve
// the program's saves from outside.
#include "common/TestPaths.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace toolrun {

inline QByteArray ReadAll(const QString& Path)
{
    QFile File(Path);
    return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray();
}

inline void WriteAll(const QString& Path, const QByteArray& Bytes)
{
    QDir().mkpath(QFileInfo(Path).path());
    QFile File(Path);
    if (File.open(QIODevice::WriteOnly | QIODevice::Truncate))
        File.write(Bytes);
}

// Copies the folder From, with everything in it, to To.
inline void CopyTree(const QString& From, const QString& To)
{
    QDir().mkpath(To);
    for (const QFileInfo& Entry : QDir(From).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)) {
        const QString Target = To + u'/' + Entry.fileName();
        if (Entry.isDir())
            CopyTree(Entry.filePath(), Target);
        else
            QFile::copy(Entry.filePath(), Target);
    }
}

// A program folder ("program": standard definitions, a catalog, old
// settings and an old update job) and a configuration ("project": general
// parameters, one port with a description, old images), each with files
// that the saves under test change.
inline void MakeTemplate(const QString& Root)
{
    const QString Program = Root + QStringLiteral("/program");
    const QString Project = Root + QStringLiteral("/project");
    const QString Catalog = testpaths::Fixture(QStringLiteral("iolink/catalog/"));
    QDir().mkpath(Program + QStringLiteral("/IOLink_StaDef"));
    QDir().mkpath(Program + QStringLiteral("/IODD_Catalog"));
    QFile::copy(testpaths::Fixture(QStringLiteral("iolink/stadef/IODD-StandardDefinitions1.1.xml")),
                Program + QStringLiteral("/IOLink_StaDef/IODD-StandardDefinitions1.1.xml"));
    for (const char* Name : {"Fixture-Valve-IODD1.1.xml", "Fixture-Switch-IODD1.1.xml"})
        QFile::copy(Catalog + QLatin1String(Name), Program + QStringLiteral("/IODD_Catalog/") + QLatin1String(Name));
    WriteAll(Program + QStringLiteral("/Pantovisor.xml"),
             "<!-- old --><Conf_Settings><lastlang><language>English</language></lastlang></Conf_Settings>");
    WriteAll(Program + QStringLiteral("/Ethernet_Update.xml"), "<Ethernet_Update>old job</Ethernet_Update>");

    WriteAll(Project + QStringLiteral("/ParGen.xml"),
             "<Par_Gen><IOLink_SelectDevice>GV52303-A1-2A</IOLink_SelectDevice><EtherNetIP_IP4>9</EtherNetIP_IP4>"
             "</Par_Gen>");
    QDir().mkpath(Project + QStringLiteral("/IODD"));
    QFile::copy(Catalog + QStringLiteral("Fixture-Valve-IODD1.1.xml"),
                Project + QStringLiteral("/IODD/Fixture-Valve-IODD1.1.xml"));
    WriteAll(Project + QStringLiteral("/IOLink_SetAccess.xml"),
             "<IO-Link><IO-Link_Channels><Channel><IODD_File FileName=\"Fixture-Valve-IODD1.1.xml\" "
             "Pin4Mode=\"IO-Link\"/></Channel></IO-Link_Channels></IO-Link>");
    WriteAll(Project + QStringLiteral("/bin/bank1.bin"), "old bank1");
    WriteAll(Project + QStringLiteral("/bin/bank2.bin"), "old bank2");
}

// The environment cfgtool runs in here.
inline QProcessEnvironment ToolEnvironment()
{
    QProcessEnvironment Env = QProcessEnvironment::systemEnvironment();
    Env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    // The leak check stops the world through ptrace, which a tracer holds.
    Env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
    Env.remove(QStringLiteral("CFG_PROGRAM_DIR"));
    return Env;
}

// Runs Prefix (a wrapper and its arguments; empty for none) with cfgtool
// and Args; the exit code, or -1 when the program was killed.
inline int RunTool(const QStringList& Prefix, const QStringList& Args)
{
    QProcess P;
    P.setProcessEnvironment(ToolEnvironment());
    P.setProcessChannelMode(QProcess::MergedChannels);
    const QString Tool = QStringLiteral(CFG_CFGTOOL);
    if (Prefix.isEmpty())
        P.start(Tool, Args);
    else
        P.start(Prefix.first(), Prefix.mid(1) + QStringList{Tool} + Args);
    if (!P.waitForFinished(120000))
        return -2;
    P.readAll();
    if (P.exitStatus() == QProcess::CrashExit || P.exitCode() >= 128)
        return -1;
    return P.exitCode();
}

inline QStringList Strace(const QStringList& Args)
{
    return QStringList{QStringLiteral("strace"), QStringLiteral("-qq")} + Args + QStringList{QStringLiteral("--")};
}

// Why strace cannot serve here; empty when it can.
inline QString StraceUnusable()
{
    if (QStandardPaths::findExecutable(QStringLiteral("strace")).isEmpty())
        return QStringLiteral("strace is not installed");
    QProcess P;
    P.start(QStringLiteral("strace"), {QStringLiteral("-qq"), QStringLiteral("-e"), QStringLiteral("trace=none"),
                                       QStringLiteral("true")});
    if (!P.waitForFinished(20000) || P.exitCode() != 0)
        return QStringLiteral("strace cannot trace here (ptrace is not permitted): ") + QString::fromLocal8Bit(P.readAll());
    return QString();
}

// One save of the program: the cfgtool command (Args, where "%W" stands
// for the work folder holding "program" and "project"), the files it
// replaces (those of a group must be replaced together), the folders that
// must hold no temporary file once a save has run to its end, and whether
// its exit code reports a failed save (closing the program writes the
// settings without a word, as it always did).
struct TSave {
    const char* Name;
    QStringList Args;
    std::vector<QStringList> Groups;
    QStringList Folders;
    bool Reports = true;

    QStringList ArgsIn(const QString& Work) const
    {
        QStringList Result;
        for (const QString& A : Args)
            Result << QString(A).replace(QStringLiteral("%W"), Work);
        return Result;
    }
};

// The saves of the program: the description copy with the configuration,
// the image pair, the general parameters, the settings and the update job.
inline const char* const SaveNames[] = {"iolink-insert", "compile-bin", "pargen-ok", "start", "update-job"};

inline TSave SaveOf(const char* Name)
{
    const QString Exe = QStringLiteral("--exe"), Program = QStringLiteral("%W/program");
    const QString Project = QStringLiteral("%W/project");
    const TSave Saves[] = {
        {"iolink-insert",
         {QStringLiteral("iolink-insert"), Project, QStringLiteral("2"), QStringLiteral("Fixture-Switch-IODD1.1.xml"),
          Exe, Program},
         {{QStringLiteral("project/IOLink_SetAccess.xml")}, {QStringLiteral("project/IODD/Fixture-Switch-IODD1.1.xml")}},
         {QStringLiteral("project"), QStringLiteral("project/IODD")}},
        {"compile-bin",
         {QStringLiteral("compile-bin"), Project, Exe, Program},
         {{QStringLiteral("project/bin/bank1.bin"), QStringLiteral("project/bin/bank2.bin")}},
         {QStringLiteral("project"), QStringLiteral("project/bin")}},
        {"pargen-ok",
         {QStringLiteral("pargen-ok"), Project, Exe, Program},
         {{QStringLiteral("project/ParGen.xml")}},
         {QStringLiteral("project")}},
        {"start", {QStringLiteral("start"), Exe, Program}, {{QStringLiteral("program/Pantovisor.xml")}},
         {QStringLiteral("program")}, false},
        {"update-job",
         {QStringLiteral("update-job"), Exe, Program, QStringLiteral("--project"), Project, QStringLiteral("--choice"),
          QStringLiteral("0"), QStringLiteral("--address"), QStringLiteral("10.0.0.9")},
         {{QStringLiteral("program/Ethernet_Update.xml")}},
         {QStringLiteral("program")}},
    };
    for (const TSave& S : Saves)
        if (QByteArrayView(S.Name) == Name)
            return S;
    return {};
}

// A test of the saves, one instance per save, on a template of its own.
class TSaveTest : public ::testing::TestWithParam<const char*> {
protected:
    // Skips the test with Why when there is one, else makes the template.
    void Prepare(const QString& Why)
    {
        if (!Why.isEmpty())
            GTEST_SKIP() << Why.toStdString();
        MakeTemplate(FTemplate.path());
    }
    QString Template() const { return FTemplate.path(); }

private:
    QTemporaryDir FTemplate;
};

// A test's name after the save's command ("iolink_insert").
inline std::string SaveTestName(const ::testing::TestParamInfo<const char*>& Info)
{
    return QString::fromLatin1(Info.param).replace(u'-', u'_').toStdString();
}

// The contents of a group of files in Work, the path of the folder they
// were written in (Work unless given) written "%W" in them (the update job
// names files); "-" for one that is missing.
inline QByteArrayList GroupState(const QString& Work, const QStringList& Files, QString WrittenIn = QString())
{
    if (WrittenIn.isEmpty())
        WrittenIn = Work;
    QByteArrayList State;
    for (const QString& F : Files)
        State << (QFile::exists(Work + u'/' + F) ? ReadAll(Work + u'/' + F).replace(WrittenIn.toUtf8(), "%W")
                                                 : QByteArray("-"));
    return State;
}

// Temporary files and folders of a save left in the folders of Work.
inline QStringList Leftovers(const QString& Work, const QStringList& Folders)
{
    static const QRegularExpression Temporary(QStringLiteral("\\.~[0-9a-z]+$"));
    QStringList Found;
    for (const QString& Folder : Folders)
        for (const QString& Entry :
             QDir(Work + u'/' + Folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
            if (Temporary.match(Entry).hasMatch())
                Found << Folder + u'/' + Entry;
    return Found;
}

} // namespace toolrun
