// The image builder's two entries and the images they share.
#include "iolink/USaveBincc.h"

#include "shell/UComon.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct TBin_Images {
    QByteArray Bank1;
    QByteArray Bank2;
};

TBin_Images& Bin_Images()
{
    static TBin_Images Images;
    return Images;
}

// A name in Dir as it is stored there, ignoring case, so an existing "BIN"
// or "BANK1.BIN" of a configuration made elsewhere is used, not doubled.
String Bin_Stored_Name(const String& Dir, const char* Name)
{
    const String Stored = FindExistingName(Dir, QLatin1String(Name));
    return Dir + PathDelim + (Stored.isEmpty() ? QLatin1String(Name) : Stored);
}

QByteArray Bin_Native(const String& Path) { return QFile::encodeName(Path); }

String Bin_Reason(int Error) { return QString::fromLocal8Bit(std::strerror(Error)); }

[[noreturn]] void Bin_Fail(const String& File, const String& Reason)
{
    throw ESaveBinError(Format("Cannot write \"%s\": %s", {File, Reason}));
}

// The "bin" folder of the configuration; a link is followed only when it
// leads to a folder inside the configuration.
String Bin_Folder()
{
    const String Dir = Bin_Stored_Name(Path_Project, "bin");
    const QFileInfo Info(Dir);
    if (!Info.isSymLink())
        return Dir;
    const String Target = Info.canonicalFilePath();
    const String Root = QFileInfo(Path_Project).canonicalFilePath();
    if (Target.isEmpty() || !Target.startsWith(Root + u'/'))
        Bin_Fail(Dir, Format("it leads outside \"%s\"; nothing was written", {Path_Project}));
    return Target;
}

// One image: its name in the folder and its old file, when there is one.
struct TBin_File {
    String Name;
    const QByteArray* Bytes;
    bool Existed = false;
    mode_t Mode = 0;
};

void Bin_Remove_Leftovers(const String& Parent, const String& Bin)
{
    for (const QFileInfo& Entry : QDir(Parent).entryInfoList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot))
        if (!Entry.isSymLink() && IsTemporaryFileName(Entry.fileName(), Bin))
            QDir(Entry.filePath()).removeRecursively();
}

// A new folder beside Dir that is removed again unless it took Dir's place.
class TBin_Stage {
public:
    TBin_Stage(const String& Dir)
    {
        for (int Attempt = 0; Attempt < 16 && FPath.isEmpty(); ++Attempt) {
            const String Path = TemporaryFileName(Dir);
            if (::mkdir(Bin_Native(Path).constData(), 0777) == 0)
                FPath = Path;
            else if (errno != EEXIST)
                Bin_Fail(Dir, Bin_Reason(errno));
        }
        if (FPath.isEmpty())
            Bin_Fail(Dir, Bin_Reason(EEXIST));
    }
    ~TBin_Stage()
    {
        if (!FPath.isEmpty())
            QDir(FPath).removeRecursively();
    }
    TBin_Stage(const TBin_Stage&) = delete;
    TBin_Stage& operator=(const TBin_Stage&) = delete;
    const String& Path() const { return FPath; }

private:
    String FPath;
};

// The images of Files written into Stage with their old files' modes, and
// every other entry of the old folder Dir carried over as a hard link.
// False when something of the old folder cannot be carried over.
bool Bin_Fill_Stage(const String& Stage, const String& Dir, const std::vector<TBin_File>& Files)
{
    for (const TBin_File& F : Files) {
        const String Path = Stage + PathDelim + F.Name;
        try {
            WriteFileAtomically(Path, *F.Bytes);
        } catch (const Exception& E) {
            Bin_Fail(Dir + PathDelim + F.Name, E.Message());
        }
        if (F.Existed)
            ::chmod(Bin_Native(Path).constData(), F.Mode);
    }
    if (!DirectoryExists(Dir))
        return true;
    for (const QFileInfo& Entry : QDir(Dir).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System
                                                          | QDir::NoDotAndDotDot)) {
        // The old images, and leftovers of an interrupted save, stay behind.
        const bool Image = std::any_of(Files.begin(), Files.end(), [&](const TBin_File& F) {
            return F.Name == Entry.fileName() || IsTemporaryFileName(Entry.fileName(), F.Name);
        });
        if (Image)
            continue;
        if ((Entry.isDir() && !Entry.isSymLink())
            || ::link(Bin_Native(Entry.filePath()).constData(),
                      Bin_Native(Stage + PathDelim + Entry.fileName()).constData())
                   != 0)
            return false;
    }
    return true;
}

// Both images replace their old files in one step: the stage takes the old
// folder's place by an exchange of the two names, or by a rename when there
// was no folder. False when the file system cannot exchange folders.
bool Bin_Exchange(const String& Stage, const String& Dir)
{
    if (!DirectoryExists(Dir)) {
        if (::rename(Bin_Native(Stage).constData(), Bin_Native(Dir).constData()) != 0)
            Bin_Fail(Dir, Bin_Reason(errno));
        return true;
    }
    if (::renameat2(AT_FDCWD, Bin_Native(Stage).constData(), AT_FDCWD, Bin_Native(Dir).constData(),
                    RENAME_EXCHANGE)
        == 0)
        return true;
    if (errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP)
        return false;
    Bin_Fail(Dir, Bin_Reason(errno));
}

// Without a folder exchange: the images are renamed in one after the
// other, and the old first image is put back when the second fails.
void Bin_Replace_In_Place(const String& Dir, const std::vector<TBin_File>& Files)
{
    std::vector<String> Staged;
    struct TBin_Cleanup {
        std::vector<String>& Paths;
        ~TBin_Cleanup()
        {
            for (const String& P : Paths)
                ::unlink(Bin_Native(P).constData());
        }
    } Cleanup{Staged};
    for (const TBin_File& F : Files) {
        Staged.push_back(TemporaryFileName(Dir + PathDelim + F.Name));
        Staged.push_back(TemporaryFileName(Dir + PathDelim + F.Name));
        try {
            WriteFileAtomically(Staged[Staged.size() - 2], *F.Bytes);
        } catch (const Exception& E) {
            Bin_Fail(Dir + PathDelim + F.Name, E.Message());
        }
        if (F.Existed)
            ::chmod(Bin_Native(Staged[Staged.size() - 2]).constData(), F.Mode);
    }
    // The old first image is kept aside until the second is in place.
    const QByteArray First = Bin_Native(Dir + PathDelim + Files[0].Name);
    if (Files[0].Existed && ::link(First.constData(), Bin_Native(Staged[1]).constData()) != 0)
        Bin_Fail(Dir + PathDelim + Files[0].Name, Bin_Reason(errno));
    for (std::size_t I = 0; I < Files.size(); ++I) {
        const String Target = Dir + PathDelim + Files[I].Name;
        if (::rename(Bin_Native(Staged[2 * I]).constData(), Bin_Native(Target).constData()) == 0)
            continue;
        const int Error = errno;
        if (I > 0 && Files[0].Existed)
            ::rename(Bin_Native(Staged[1]).constData(), First.constData());
        else if (I > 0)
            ::unlink(First.constData());
        Bin_Fail(Target, Bin_Reason(Error));
    }
}

} // namespace

const QByteArray& Bin_Bank1() { return Bin_Images().Bank1; }
const QByteArray& Bin_Bank2() { return Bin_Images().Bank2; }

String Bin_Image_File(const char* Name)
{
    if (Path_Project.isEmpty())
        return String();
    return Bin_Stored_Name(Bin_Stored_Name(Path_Project, "bin"), Name);
}

void Compile_Bin()
{
    TBin_Images& Images = Bin_Images();
    Images = {};
    if (Path_Project.isEmpty())
        throw ESaveBinError(QStringLiteral("No configuration is open"));

    try {
        TGeneral_Block Block;
        TIO_Link_Channels Channels;
        if (FileExists(File_ParGen))
            Read_General_Block(File_ParGen, Block);
        Read_IO_Link_Channels(Channels);
        Block.IOLink_Address = Bank2_Address;
        Block.WebPages_Address = WebPages_Address;
        QByteArray Bank2 = Bank2_Bytes(Channels);
        Block.IOLink_Channels = Used_Channels(Channels);
        Images.Bank1 = Bank1_Bytes(Block);
        Images.Bank2 = std::move(Bank2);
    } catch (const ESaveBinError&) {
        throw;
    } catch (const Exception& E) {
        // An unreadable file: the message names it.
        throw ESaveBinError(E.Message());
    }
}

void Save_Bin()
{
    const TBin_Images& Images = Bin_Images();
    if (Path_Project.isEmpty())
        throw ESaveBinError(QStringLiteral("No configuration is open"));
    if (Images.Bank1.isEmpty())
        throw ESaveBinError(QStringLiteral("No device images have been built"));

    const String Dir = Bin_Folder();
    if (QFileInfo::exists(Dir) && !DirectoryExists(Dir))
        throw ESaveBinError(Format("Cannot create the folder \"%s\"", {Dir}));
    std::vector<TBin_File> Files;
    QStringList Failures;
    for (const auto& [Name, Bytes] : {std::pair{"bank1.bin", &Images.Bank1}, std::pair{"bank2.bin", &Images.Bank2}}) {
        const String Path = Bin_Stored_Name(Dir, Name);
        TBin_File F{ExtractFileName(Path), Bytes};
        struct stat Old {};
        F.Existed = ::lstat(Bin_Native(Path).constData(), &Old) == 0;
        F.Mode = Old.st_mode & 07777;
        if (F.Existed && S_ISDIR(Old.st_mode))
            Failures << Format("Cannot write \"%s\": a folder of that name is in the way", {Path});
        else if (F.Existed && ::faccessat(AT_FDCWD, Bin_Native(Path).constData(), W_OK, AT_EACCESS) != 0)
            Failures << Format("Cannot write \"%s\": the file is read-only; it was not replaced", {Path});
        Files.push_back(F);
    }
    if (!Failures.isEmpty())
        throw ESaveBinError(Failures.join(u'\n'));

    const QFileInfo DirInfo(Dir);
    Bin_Remove_Leftovers(DirInfo.absolutePath(), DirInfo.fileName());
    TBin_Stage Stage(Dir);
    struct stat OldDir {};
    if (::stat(Bin_Native(Dir).constData(), &OldDir) == 0)
        ::chmod(Bin_Native(Stage.Path()).constData(), OldDir.st_mode & 07777);
    const bool Carried = Bin_Fill_Stage(Stage.Path(), Dir, Files);
    try {
        SyncFolder(Stage.Path());
    } catch (const Exception& E) {
        Bin_Fail(Dir, E.Message());
    }
    if (!Carried || !Bin_Exchange(Stage.Path(), Dir))
        Bin_Replace_In_Place(Dir, Files);
    try {
        SyncFolder(DirInfo.absolutePath());
        SyncFolder(Dir);
    } catch (const Exception& E) {
        Bin_Fail(Dir, E.Message());
    }
}
