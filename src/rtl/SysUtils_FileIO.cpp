// Whole files: the one reader of stored files and the one writer that
// replaces a file, so every copy and save is checked the same way.
#include "rtl/SysUtils.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <utility>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

String FileIOReason(int Error) { return QString::fromLocal8Bit(std::strerror(Error)); }

[[noreturn]] void FileIORaiseOpen(const String& FileName, const String& Reason)
{
    throw EFOpenError(QStringLiteral("Cannot open file \"%1\". %2").arg(FileName, Reason));
}

[[noreturn]] void FileIORaiseCreate(const String& FileName, const String& Reason)
{
    throw EFCreateError(QStringLiteral("Cannot create file \"%1\". %2").arg(FileName, Reason));
}

// A descriptor closed when it goes out of scope.
class TFileIOFd {
public:
    explicit TFileIOFd(int Fd = -1) : FFd(Fd) {}
    ~TFileIOFd() { Close(); }
    TFileIOFd(const TFileIOFd&) = delete;
    TFileIOFd& operator=(const TFileIOFd&) = delete;
    int Get() const { return FFd; }
    void Reset(int Fd)
    {
        Close();
        FFd = Fd;
    }
    // Closes now; the error of close, 0 when none.
    int Close()
    {
        const int Fd = std::exchange(FFd, -1);
        return Fd >= 0 && ::close(Fd) != 0 ? errno : 0;
    }

private:
    int FFd;
};

// A new file beside a target, removed again unless it was put in place.
class TFileIOTemporary {
public:
    ~TFileIOTemporary()
    {
        FFd.Close();
        if (!FPath.isEmpty())
            ::unlink(FPath.constData());
    }
    // Creates "<Target>.~<random>" exclusively; errno of the failure, 0.
    int Create(const QByteArray& Target)
    {
        for (int Attempt = 0; Attempt < 16; ++Attempt) {
            const QByteArray Path = QFile::encodeName(TemporaryFileName(QFile::decodeName(Target)));
            FFd.Reset(::open(Path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
            if (FFd.Get() >= 0) {
                FPath = Path;
                return 0;
            }
            if (errno != EEXIST)
                return errno;
        }
        return EEXIST;
    }
    int Fd() const { return FFd.Get(); }
    int Close() { return FFd.Close(); }
    const QByteArray& Path() const { return FPath; }
    // Renames the file over Target; errno of a failure, 0.
    int PutInPlace(const QByteArray& Target)
    {
        if (::rename(FPath.constData(), Target.constData()) != 0)
            return errno;
        FPath.clear();
        return 0;
    }

private:
    TFileIOFd FFd;
    QByteArray FPath;
};

// Whether Path (canonical) is Root (canonical) or lies below it.
bool FileIOInside(const String& Path, const String& Root)
{
    if (Path.isEmpty() || Root.isEmpty())
        return false;
    return Path == Root || Path.startsWith(Root.endsWith(u'/') ? Root : Root + u'/');
}

void FileIORemoveLeftovers(const QByteArray& Dir, const QByteArray& Base)
{
    DIR* D = ::opendir(Dir.constData());
    if (!D)
        return;
    while (const dirent* E = ::readdir(D)) {
        const QByteArray Entry(E->d_name);
        if (!IsTemporaryFileName(QFile::decodeName(Entry), QFile::decodeName(Base)))
            continue;
        const QByteArray Path = Dir + '/' + Entry;
        struct stat St {};
        if (::lstat(Path.constData(), &St) == 0 && S_ISREG(St.st_mode))
            ::unlink(Path.constData());
    }
    ::closedir(D);
}

// The file a save of FileName replaces: FileName itself, or the file its
// symbolic link leads to when that lies inside Fence (or anywhere without a
// fence). The folder of the result must lie inside Fence too.
String FileIOTarget(const String& FileName, const String& Fence)
{
    const QFileInfo Info(FileName);
    String Target = Info.absoluteFilePath();
    if (Info.isSymLink() && Info.exists())
        Target = Info.canonicalFilePath();
    if (Fence.isEmpty())
        return Target;
    const String Root = QFileInfo(Fence).canonicalFilePath();
    const String Folder = QFileInfo(QFileInfo(Target).absolutePath()).canonicalFilePath();
    if (Folder.isEmpty())
        return Target;   // a missing folder fails where the file is created
    if (!FileIOInside(Folder, Root))
        FileIORaiseCreate(FileName, QStringLiteral("It leads to \"%1\", outside \"%2\"; nothing was written")
                                        .arg(Target, Fence));
    return Target;
}

// Bytes into a new temporary file beside Target, synced and closed. Old is
// Target's status when it is a file whose permissions the new one takes.
void FileIOWriteTemporary(TFileIOTemporary& Temp, const String& FileName, const QByteArray& Target,
                          QByteArrayView Bytes, const struct stat* Old)
{
    if (const int Error = Temp.Create(Target))
        FileIORaiseCreate(FileName, FileIOReason(Error));
    if (Old && ::fchmod(Temp.Fd(), Old->st_mode & 07777) != 0)
        FileIORaiseCreate(FileName, FileIOReason(errno));
    const char* Data = Bytes.data();
    size_t Left = size_t(Bytes.size());
    while (Left > 0) {
        const ssize_t Written = ::write(Temp.Fd(), Data, Left);
        if (Written < 0 && errno == EINTR)
            continue;
        if (Written <= 0)
            FileIORaiseCreate(FileName, FileIOReason(Written < 0 ? errno : ENOSPC));
        Data += Written;
        Left -= size_t(Written);
    }
    if (::fsync(Temp.Fd()) != 0)
        FileIORaiseCreate(FileName, FileIOReason(errno));
    if (const int Error = Temp.Close())
        FileIORaiseCreate(FileName, FileIOReason(Error));
}

} // namespace

String TemporaryFileName(const String& FileName)
{
    return FileName + QStringLiteral(".~") + QString::number(QRandomGenerator::global()->generate(), 36);
}

bool IsTemporaryFileName(const String& Entry, const String& Name)
{
    const qsizetype Start = Name.size() + 2;
    if (Entry.size() == Start || !Entry.startsWith(Name + QStringLiteral(".~")))
        return false;
    for (qsizetype I = Start; I < Entry.size(); ++I)
        if (!(Entry[I] >= u'0' && Entry[I] <= u'9') && !(Entry[I] >= u'a' && Entry[I] <= u'z'))
            return false;
    return true;
}

void SyncFolder(const String& Dir)
{
    TFileIOFd Fd(::open(QFile::encodeName(Dir).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (Fd.Get() < 0 || ::fsync(Fd.Get()) != 0)
        throw EWriteError(QStringLiteral("Cannot sync folder \"%1\". %2").arg(Dir, FileIOReason(errno)));
}

QByteArray ReadFileBytes(const String& FileName)
{
    if (FileName.isEmpty())
        FileIORaiseOpen(FileName, FileIOReason(ENOENT));
    // Not blocking, so a FIFO is refused rather than waited on.
    TFileIOFd Fd(::open(QFile::encodeName(FileName).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (Fd.Get() < 0)
        FileIORaiseOpen(FileName, FileIOReason(errno));
    struct stat St {};
    if (::fstat(Fd.Get(), &St) != 0)
        FileIORaiseOpen(FileName, FileIOReason(errno));
    if (!S_ISREG(St.st_mode))
        FileIORaiseOpen(FileName, S_ISDIR(St.st_mode) ? FileIOReason(EISDIR) : QStringLiteral("Not a regular file"));
    const auto TooLarge = [&FileName] {
        FileIORaiseOpen(FileName, QStringLiteral("The file is larger than %1 MB").arg(MaxFileReadSize >> 20));
    };
    if (St.st_size > MaxFileReadSize)
        TooLarge();
    QByteArray Bytes;
    Bytes.reserve(qsizetype(St.st_size));
    char Buffer[64 * 1024];
    for (;;) {
        const ssize_t N = ::read(Fd.Get(), Buffer, sizeof Buffer);
        if (N < 0 && errno == EINTR)
            continue;
        if (N < 0)
            throw EReadError(QStringLiteral("Cannot read file \"%1\". %2").arg(FileName, FileIOReason(errno)));
        if (N == 0)
            break;
        if (Bytes.size() + N > MaxFileReadSize)
            TooLarge();   // grown since it was measured
        Bytes.append(Buffer, N);
    }
    return Bytes;
}

void WriteFileAtomically(const String& FileName, QByteArrayView Bytes, const String& Fence)
{
    if (FileName.isEmpty())
        FileIORaiseCreate(FileName, FileIOReason(ENOENT));
    const String TargetName = FileIOTarget(FileName, Fence);
    const QByteArray Target = QFile::encodeName(TargetName);
    struct stat Old {};
    const bool HadFile = ::stat(Target.constData(), &Old) == 0;
    if (HadFile && S_ISDIR(Old.st_mode))
        FileIORaiseCreate(FileName, FileIOReason(EISDIR));
    // A file the user may not write is not the program's to replace.
    if (HadFile && ::faccessat(AT_FDCWD, Target.constData(), W_OK, AT_EACCESS) != 0)
        FileIORaiseCreate(FileName, QStringLiteral("The file is read-only; it was not replaced"));

    const QFileInfo TargetInfo(TargetName);
    const QByteArray Dir = QFile::encodeName(TargetInfo.absolutePath());
    FileIORemoveLeftovers(Dir, QFile::encodeName(TargetInfo.fileName()));
    TFileIOTemporary Temp;
    FileIOWriteTemporary(Temp, FileName, Target, Bytes, HadFile && S_ISREG(Old.st_mode) ? &Old : nullptr);
    if (const int Error = Temp.PutInPlace(Target))
        FileIORaiseCreate(FileName, FileIOReason(Error));
    try {
        SyncFolder(TargetInfo.absolutePath());
    } catch (const Exception& E) {
        FileIORaiseCreate(FileName, E.Message());
    }
}

void CopyFileAtomically(const String& Source, const String& Target, const String& Fence)
{
    WriteFileAtomically(Target, ReadFileBytes(Source), Fence);
}
