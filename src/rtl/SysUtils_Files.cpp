// Files and folders, file names, and the folder lister.
#include "rtl/SysUtils.h"
#include "rtl/FileStamp.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

#include <algorithm>

namespace {

const String& Delimiters()
{
    static const String D = QString::fromLatin1(PathDelimiters);
    return D;
}

bool IsPathDelimiter(QChar C) { return C == u'/' || C == u'\\'; }

} // namespace

bool FileExists(const String& FileName)
{
    const QFileInfo Info(FileName);
    return !FileName.isEmpty() && Info.exists() && !Info.isDir();
}

TFileStamp FileStamp(const String& FileName)
{
    TFileStamp Stamp;
    struct stat Info {};
    if (::stat(QFile::encodeName(FileName).constData(), &Info) == 0) {
        Stamp.Exists = true;
        Stamp.Device = Info.st_dev;
        Stamp.Inode = Info.st_ino;
        Stamp.Size = Info.st_size;
        Stamp.Seconds = Info.st_mtim.tv_sec;
        Stamp.Nanoseconds = Info.st_mtim.tv_nsec;
    }
    return Stamp;
}

bool DirectoryExists(const String& Directory)
{
    return !Directory.isEmpty() && QFileInfo(Directory).isDir();
}

bool CreateDir(const String& Dir) { return !Dir.isEmpty() && QDir().mkdir(Dir); }

bool ForceDirectories(const String& Dir)
{
    if (Dir.isEmpty())
        throw EInOutError(SCannotCreateDir);
    return QDir().mkpath(Dir);
}

bool RemoveDir(const String& Dir) { return !Dir.isEmpty() && QDir().rmdir(Dir); }

bool CopyFile(const String& ExistingFileName, const String& NewFileName, bool FailIfExists)
{
    if (FailIfExists && QFileInfo::exists(NewFileName))
        return false;
    try {
        CopyFileAtomically(ExistingFileName, NewFileName);
    } catch (const Exception&) {
        return false;
    }
    return true;
}

bool DeleteFile(const String& FileName) { return FileExists(FileName) && QFile::remove(FileName); }

bool RenameFile(const String& OldName, const String& NewName)
{
    if (OldName.isEmpty() || NewName.isEmpty() || QFileInfo::exists(NewName) || !QFileInfo::exists(OldName))
        return false;
    return QDir().rename(OldName, NewName);
}

String ExtractFilePath(const String& FileName) { return Copy(FileName, 1, LastDelimiter(Delimiters(), FileName)); }

String ExtractFileDir(const String& FileName)
{
    Integer I = LastDelimiter(Delimiters(), FileName);
    // Keep the delimiter of a root ("/") or of a doubled delimiter.
    if (I > 1 && !IsDelimiter(Delimiters(), FileName, I - 1))
        --I;
    return Copy(FileName, 1, I);
}

String ExtractFileName(const String& FileName)
{
    return Copy(FileName, LastDelimiter(Delimiters(), FileName) + 1);
}

String ExtractFileExt(const String& FileName)
{
    const Integer I = LastDelimiter(Delimiters() + u'.', FileName);
    if (I > 0 && FileName[I - 1] == u'.')
        return Copy(FileName, I);
    return String();
}

String ChangeFileExt(const String& FileName, const String& Extension)
{
    Integer I = LastDelimiter(Delimiters() + u'.', FileName);
    if (I == 0 || FileName[I - 1] != u'.')
        I = Length(FileName) + 1;
    return Copy(FileName, 1, I - 1) + Extension;
}

String IncludeTrailingPathDelimiter(const String& S)
{
    if (!S.isEmpty() && IsPathDelimiter(S.back()))
        return S;
    return S + PathDelim;
}

String ExcludeTrailingPathDelimiter(const String& S)
{
    if (!S.isEmpty() && IsPathDelimiter(S.back()))
        return S.left(S.size() - 1);
    return S;
}

String ExpandFileName(const String& FileName)
{
    if (FileName.isEmpty())
        return String();
    String R = QDir::cleanPath(QDir::current().absoluteFilePath(FileName));
    if (IsPathDelimiter(FileName.back()) && !R.endsWith(u'/'))
        R += u'/';
    return R;
}

// ---------------------------------------------------------------------------
// The lister

struct TSearchRecState {
    std::vector<TSearchRec> Entries;
    size_t Next = 0;
};

namespace {

constexpr Integer ErrorFileNotFound = 2;
constexpr Integer ErrorPathNotFound = 3;
constexpr Integer ErrorNoMoreFiles = 18;

bool MatchesFrom(QStringView Name, QStringView Mask)
{
    // Iterative wildcard match with one back-tracking point for the last "*".
    qsizetype N = 0, M = 0, StarM = -1, StarN = 0;
    while (N < Name.size()) {
        if (M < Mask.size() && Mask[M] == u'*') {
            StarM = M++;
            StarN = N;
        } else if (M < Mask.size() &&
                   (Mask[M] == u'?' || Mask[M].toCaseFolded() == Name[N].toCaseFolded())) {
            ++M;
            ++N;
        } else if (StarM >= 0) {
            M = StarM + 1;
            N = ++StarN;
        } else {
            return false;
        }
    }
    while (M < Mask.size() && Mask[M] == u'*')
        ++M;
    return M == Mask.size();
}

Integer DosDateTime(const QDateTime& DT)
{
    const QDate D = DT.date();
    const QTime T = DT.time();
    if (D.year() < 1980 || D.year() > 2107)
        return 0;
    const quint32 DatePart = quint32(D.year() - 1980) << 9 | quint32(D.month()) << 5 | quint32(D.day());
    const quint32 TimePart = quint32(T.hour()) << 11 | quint32(T.minute()) << 5 | quint32(T.second() / 2);
    return static_cast<Integer>(DatePart << 16 | TimePart);
}

Integer AttributesOf(const QFileInfo& Info)
{
    Integer A = 0;
    if (Info.isDir())
        A |= faDirectory;
    else if (Info.isFile())
        A |= faArchive;
    else
        A |= faSysFile; // devices, sockets, pipes
    if (Info.fileName().startsWith(u'.'))
        A |= faHidden;
    // The file's own mode, as the attribute belongs to the file: whether
    // this user may write it is another matter.
    if (!(Info.permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther)))
        A |= faReadOnly;
    if (Info.isSymLink())
        A |= faSymLink;
    return A;
}

bool CaseInsensitiveLess(const TSearchRec& A, const TSearchRec& B)
{
    const int C = A.Name.compare(B.Name, Qt::CaseInsensitive);
    return C != 0 ? C < 0 : A.Name < B.Name;
}

} // namespace

bool MatchesMask(const String& Name, const String& Mask)
{
    // "*.*" stands for every name, with or without a dot.
    if (Mask == u"*.*")
        return true;
    return MatchesFrom(Name, Mask);
}

Integer FindFirst(const String& Path, Integer Attr, TSearchRec& F)
{
    FindClose(F);
    const String DirPart = ExtractFilePath(Path);
    const String Mask = ExtractFileName(Path);
    const QDir Dir(DirPart.isEmpty() ? QStringLiteral(".") : DirPart);
    if (!Dir.exists())
        return ErrorPathNotFound;
    const Integer Exclude = ~Attr & (faHidden | faSysFile | faVolumeID | faDirectory);
    auto State = std::make_shared<TSearchRecState>();
    const QFileInfoList Infos =
        Dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
    for (const QFileInfo& Info : Infos) {
        if (!MatchesMask(Info.fileName(), Mask))
            continue;
        TSearchRec R;
        R.Name = Info.fileName();
        R.Attr = AttributesOf(Info);
        if (R.Attr & Exclude)
            continue;
        R.Size = Info.isFile() ? Info.size() : 0;
        const QDateTime Modified = Info.lastModified();
        R.Time = DosDateTime(Modified);
        const QDate D = Modified.date();
        R.TimeStamp = EncodeDate(Word(D.year()), Word(D.month()), Word(D.day())) +
                      Modified.time().msecsSinceStartOfDay() / double(MSecsPerDay);
        R.ExcludeAttr = Exclude;
        State->Entries.push_back(std::move(R));
    }
    if (State->Entries.empty())
        return ErrorFileNotFound;
    std::sort(State->Entries.begin(), State->Entries.end(), CaseInsensitiveLess);
    F.FindHandle = State;
    return FindNext(F);
}

Integer FindNext(TSearchRec& F)
{
    TSearchRecState* State = F.FindHandle.get();
    if (!State || State->Next >= State->Entries.size())
        return ErrorNoMoreFiles;
    const TSearchRec& E = State->Entries[State->Next++];
    F.Name = E.Name;
    F.Size = E.Size;
    F.Attr = E.Attr;
    F.Time = E.Time;
    F.TimeStamp = E.TimeStamp;
    F.ExcludeAttr = E.ExcludeAttr;
    return 0;
}

void FindClose(TSearchRec& F) { F.FindHandle.reset(); }

QStringList FindFiles(const String& Dir, const String& Mask, Integer Attr)
{
    QStringList Names;
    TSearchRec F;
    for (Integer R = FindFirst(IncludeTrailingPathDelimiter(Dir) + Mask, Attr, F); R == 0; R = FindNext(F))
        Names.append(F.Name);
    FindClose(F);
    return Names;
}

String FindExistingName(const String& Dir, const String& Name)
{
    if (Name.isEmpty())
        return String();
    const QDir D(Dir.isEmpty() ? QStringLiteral(".") : Dir);
    if (QFileInfo::exists(D.filePath(Name)))
        return Name;
    QStringList Matches;
    for (const QString& Entry : D.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
        if (Entry.compare(Name, Qt::CaseInsensitive) == 0)
            Matches.append(Entry);
    if (Matches.isEmpty())
        return String();
    std::sort(Matches.begin(), Matches.end());
    return Matches.first();
}

String FindExistingPath(const String& Path)
{
    const QStringList Parts = String(Path).replace(u'\\', u'/').split(u'/');
    // An absolute path (or a resource path, ":/...") starts at its root.
    String Found = Path.startsWith(u':') ? Parts.first() + u'/' : Path.startsWith(u'/') ? QStringLiteral("/") : String();
    for (qsizetype I = Found.isEmpty() ? 0 : 1; I < Parts.size(); ++I) {
        if (Parts[I].isEmpty())
            continue;
        const String Name = FindExistingName(Found, Parts[I]);
        if (Name.isEmpty())
            return Path;
        Found += (Found.isEmpty() || Found.endsWith(u'/') ? String() : QStringLiteral("/")) + Name;
    }
    return Found;
}
