#include "FuzzBodies.h"

#include "iolink/UIO_Link_Set_Access.h"
#include "iolink/USaveBincc.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"
#include "shell/USettingsFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace fuzzbodies {

namespace {

QString& Fixtures()
{
    static QString Folder;
    return Folder;
}

// One scratch folder for the whole run; each input overwrites its files.
const QString& Scratch()
{
    static QTemporaryDir Dir;
    static const QString Path = Dir.path();
    return Path;
}

// A broken invariant is a finding like a crash.
void FuzzExpect(bool Holds, const char* What)
{
    if (Holds)
        return;
    std::fprintf(stderr, "fuzz finding: %s\n", What);
    std::abort();
}

void PutFile(const QString& Path, const QByteArray& Bytes)
{
    QFile File(Path);
    FuzzExpect(File.open(QIODevice::WriteOnly | QIODevice::Truncate), "the scratch folder takes no file");
    File.write(Bytes);
}

QByteArray FileBytes(const QString& Path)
{
    QFile File(Path);
    return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray();
}

// A project of eight ports, of its own name, with or without the fixture
// descriptions; the shared paths point at it.
void OpenProject(const QString& Name, bool WithDescriptions)
{
    Path_Project = Scratch() + u'/' + Name;
    Name_Project = Name;
    const QString IODD = Path_Project + QStringLiteral("/IODD");
    if (WithDescriptions && !QDir(IODD).exists()) {
        QDir().mkpath(IODD);
        for (const char* File : {"Fixture-Valve-IODD1.1.xml", "Fixture-Switch-IODD1.1.xml"})
            QFile::copy(Fixtures() + QStringLiteral("/iolink/catalog/") + QLatin1String(File),
                        IODD + u'/' + QLatin1String(File));
    }
    QDir().mkpath(Path_Project);
    Set_Table_Files();
    Path_IOLink_StaDef = Fixtures() + QStringLiteral("/iolink/stadef/");
    PutFile(File_ParGen, "<Par_Gen><IOLink_SelectDevice>GV52303-A1-4A-4B</IOLink_SelectDevice></Par_Gen>");
}

void CompileQuietly()
{
    try {
        Compile_Bin();
    } catch (const ESaveBinError&) {
    }
}

// Saves, loads again and saves again: the two saves must be equal, so a
// load and a save drop and change nothing the save wrote.
void ExpectStableSave(TIO_Link_Set_Access_Core& Core)
{
    if (!Core.Save_Configuration())
        return;
    const QByteArray First = FileBytes(File_IOLink_SetAccess);
    Core.Create_Channels();
    FuzzExpect(Core.Load_Configuration(), "a saved file does not load again");
    FuzzExpect(Core.Save_Configuration(), "a loaded file does not save again");
    FuzzExpect(FileBytes(File_IOLink_SetAccess) == First, "a load and a save change the file");
}

// Arguments fitting the placeholders of a built-in pattern: integers for
// "d", texts for "s".
std::vector<TVarRec> ArgumentsFor(const String& Pattern)
{
    std::vector<TVarRec> Args;
    for (qsizetype I = 0; I + 1 < Pattern.size(); ++I) {
        if (Pattern[I] != u'%')
            continue;
        qsizetype J = I + 1;
        while (J < Pattern.size() && (Pattern[J].isDigit() || Pattern[J] == u'.' || Pattern[J] == u'-'))
            ++J;
        if (J < Pattern.size() && Pattern[J].toLower() == u'd')
            Args.emplace_back(7);
        else if (J < Pattern.size() && Pattern[J].toLower() == u's')
            Args.emplace_back(QStringLiteral("x"));
        I = J;
    }
    return Args;
}

} // namespace

void SetFixtures(const QString& Folder) { Fixtures() = Folder; }

void SetAccessFile(const QByteArray& Bytes)
{
    for (const bool WithDescriptions : {true, false}) {
        OpenProject(WithDescriptions ? QStringLiteral("With") : QStringLiteral("Without"), WithDescriptions);
        PutFile(File_IOLink_SetAccess, Bytes);
        TIO_Link_Set_Access_Core Core;
        Core.Create_Channels();
        if (!Core.Load_Configuration())
            continue;
        Core.Check_Configuration();
        CompileQuietly();
        ExpectStableSave(Core);
    }
}

void Description(const QByteArray& Bytes)
{
    OpenProject(QStringLiteral("Insert"), false);
    const QString File = Scratch() + QStringLiteral("/Input-IODD1.1.xml");
    PutFile(File, Bytes);
    QFile::remove(File_IOLink_SetAccess);
    TIO_Link_Set_Access_Core Core;
    Core.Create_Channels();
    Core.Load_Configuration();
    if (!Core.Insert_IODD_File(1, File))
        return;
    TChannel_IOLink& Port = *Core.Channels[1];
    Port.Pin4Mode = QStringLiteral("IO-Link");
    const TIODD& IODD = *Core.IODD_List[1];
    const auto Alternatives = IODD.ProfileBody->DeviceFunction->ProcessDataCollection->ProcessData_List.size();
    for (std::size_t Condition = Alternatives; Condition-- > 0;)
        Core.Change_ProcessData_Condition(1, Integer(Condition));
    for (auto& Var : Port.Var_List)
        Var->Enable = true;
    for (auto& Event : Port.Event_List)
        Event->Enable = true;
    Core.Check_Configuration();
    TIO_Link_Channels Channels;
    try {
        Fill_Bin_Channel(1, Port, &IODD, Channels);
        Bank2_Bytes(Channels);
    } catch (const ESaveBinError&) {
    }
    ExpectStableSave(Core);
    CompileQuietly();
}

void ParGenFile(const QByteArray& Bytes)
{
    OpenProject(QStringLiteral("ParGen"), false);
    PutFile(File_ParGen, Bytes);
    CompileQuietly();
    TIO_Link_Set_Access_Core Core;
    Core.Create_Channels();
    FuzzExpect(Core.Num_Channels >= 2 && Core.Num_Channels <= 8, "a variant of no known size");
}

void SettingsFile(const QByteArray& Bytes)
{
    Set_Program_Folders(Scratch());
    PutFile(Settings_File(), Bytes);
    Read_Settings();
    Write_Settings();
    Read_Settings();
}

void LanguageFile(const QByteArray& Bytes)
{
    const QString File = Scratch() + QStringLiteral("/Input.lng");
    PutFile(File, Bytes);
    Load_Lang_English();
    Read_Lang_File(File);
    FuzzExpect(Lang.Count() == Lang_Count, "the text table lost its size");
    for (Integer I = 0; I < Lang_Count; ++I) {
        const String English = Lang_English(I);
        if (!English.contains(u'%'))
            continue;
        // No translation makes the text table raise, nor grow beyond the
        // cap of a formatted text.
        const std::vector<TVarRec> Args = ArgumentsFor(English);
        const String Result = LangFormat(I, std::span<const TVarRec>(Args));
        FuzzExpect(Result.size() <= 65536 + qsizetype(Args.size()), "a formatted text beyond its cap");
    }
}

} // namespace fuzzbodies
