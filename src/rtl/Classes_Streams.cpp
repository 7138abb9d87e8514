// TStream, TMemoryStream, TStringStream and TFileStream.
#include "rtl/Classes.h"
#include "rtl/Classes_Internal.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

String StreamFileErrorReason(int Error) { return QString::fromLocal8Bit(std::strerror(Error)); }

// Repeats Step (a read or write of the bytes from Done on) until Count bytes
// moved, the end, or an error; -1 only when nothing moved before an error.
template <typename StepFn>
Integer StreamTransfer(Integer Count, StepFn&& Step)
{
    Integer Done = 0;
    while (Done < Count) {
        const ssize_t N = Step(Done);
        if (N < 0 && errno == EINTR)
            continue;
        if (N <= 0)
            return Done == 0 && N < 0 ? -1 : Done;
        Done += static_cast<Integer>(N);
    }
    return Done;
}

} // namespace

// ---------------------------------------------------------------- TStream

Int64 TStream::Size()
{
    const Int64 Pos = Seek(0, soCurrent);
    const Int64 Result = Seek(0, soEnd);
    Seek(Pos, soBeginning);
    return Result;
}

void TStream::SetSize(Int64) {}

void TStream::ReadBuffer(void* Buffer, Integer Count)
{
    if (Count != 0 && Read(Buffer, Count) != Count)
        throw EReadError(QStringLiteral("Stream read error"));
}

void TStream::WriteBuffer(const void* Buffer, Integer Count)
{
    if (Count != 0 && Write(Buffer, Count) != Count)
        throw EWriteError(QStringLiteral("Stream write error"));
}

Int64 TStream::CopyFrom(TStream* Source, Int64 Count)
{
    if (Count <= 0) {
        Source->SetPosition(0);
        Count = Source->Size();
    }
    constexpr Int64 MaxBufSize = 0xF000;
    std::vector<Byte> Buffer(static_cast<std::size_t>(std::min(Count, MaxBufSize)));
    const Int64 Result = Count;
    while (Count > 0) {
        const auto N = static_cast<Integer>(std::min(Count, MaxBufSize));
        Source->ReadBuffer(Buffer.data(), N);
        WriteBuffer(Buffer.data(), N);
        Count -= N;
    }
    return Result;
}

// ---------------------------------------------------------------- TMemoryStream

Integer TMemoryStream::Read(void* Buffer, Integer Count)
{
    if (FPosition < 0 || Count <= 0)
        return 0;
    const Int64 Available = Size() - FPosition;
    if (Available <= 0)
        return 0;
    const auto N = static_cast<Integer>(std::min<Int64>(Available, Count));
    std::memcpy(Buffer, FData.data() + FPosition, static_cast<std::size_t>(N));
    FPosition += N;
    return N;
}

Integer TMemoryStream::Write(const void* Buffer, Integer Count)
{
    if (FPosition < 0 || Count <= 0)
        return 0;
    const Int64 End = FPosition + Count;
    if (End > Size())
        FData.resize(static_cast<std::size_t>(End));
    std::memcpy(FData.data() + FPosition, Buffer, static_cast<std::size_t>(Count));
    FPosition = End;
    return Count;
}

Int64 TMemoryStream::Seek(Int64 Offset, TSeekOrigin Origin)
{
    switch (Origin) {
    case soBeginning: FPosition = Offset; break;
    case soCurrent: FPosition += Offset; break;
    case soEnd: FPosition = Size() + Offset; break;
    }
    return FPosition;
}

void TMemoryStream::SetSize(Int64 NewSize)
{
    FData.resize(static_cast<std::size_t>(std::max<Int64>(NewSize, 0)));
    if (FPosition > Size())
        FPosition = Size();
}

void TMemoryStream::Clear()
{
    FData.clear();
    FData.shrink_to_fit();
    FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream* Stream)
{
    Stream->SetPosition(0);
    const Int64 Count = Stream->Size();
    SetSize(Count);
    if (Count != 0)
        Stream->ReadBuffer(FData.data(), static_cast<Integer>(Count));
}

void TMemoryStream::LoadFromFile(const String& FileName)
{
    TFileStream Stream(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&Stream);
}

void TMemoryStream::SaveToStream(TStream* Stream)
{
    if (!FData.empty())
        Stream->WriteBuffer(FData.data(), static_cast<Integer>(FData.size()));
}

void TMemoryStream::SaveToFile(const String& FileName)
{
    WriteFileAtomically(FileName, QByteArrayView(FData.data(), qsizetype(FData.size())));
}

// ---------------------------------------------------------------- TStringStream

TStringStream::TStringStream(const String& AString)
{
    const QByteArray Bytes = AString.toUtf8();
    WriteBuffer(Bytes.constData(), static_cast<Integer>(Bytes.size()));
    SetPosition(0);
}

String TStringStream::DataString() const
{
    return QString::fromUtf8(static_cast<const char*>(Memory()),
                             static_cast<qsizetype>(const_cast<TStringStream*>(this)->Size()));
}

// ---------------------------------------------------------------- TFileStream

TFileStream::TFileStream(const String& AFileName, Word Mode) : FFileName(AFileName)
{
    const QByteArray Path = QFile::encodeName(AFileName);
    const bool Create = (Mode & fmCreate) == fmCreate;
    int Flags = O_CLOEXEC;
    if (Create)
        Flags |= O_RDWR | O_CREAT | O_TRUNC;
    else if ((Mode & 3) == fmOpenWrite)
        Flags |= O_WRONLY;
    else if ((Mode & 3) == fmOpenReadWrite)
        Flags |= O_RDWR;
    else
        Flags |= O_RDONLY;
    FHandle = AFileName.isEmpty() ? -1 : ::open(Path.constData(), Flags, 0666);
    int Error = AFileName.isEmpty() ? ENOENT : errno;
    // A folder opens for reading here, but is no file to stream.
    struct stat Info {};
    if (FHandle >= 0 && ::fstat(FHandle, &Info) == 0 && S_ISDIR(Info.st_mode)) {
        ::close(FHandle);
        FHandle = -1;
        Error = EISDIR;
    }
    if (FHandle < 0) {
        const String Reason = StreamFileErrorReason(Error), Name = ExpandFileName(AFileName);
        if (Create)
            throw EFCreateError(QStringLiteral("Cannot create file \"%1\". %2").arg(Name, Reason));
        throw EFOpenError(QStringLiteral("Cannot open file \"%1\". %2").arg(Name, Reason));
    }
}

TFileStream::~TFileStream()
{
    if (FHandle >= 0)
        ::close(FHandle);
}

Integer TFileStream::Read(void* Buffer, Integer Count)
{
    return StreamTransfer(Count, [&](Integer Done) {
        return ::read(FHandle, static_cast<char*>(Buffer) + Done, static_cast<std::size_t>(Count - Done));
    });
}

Integer TFileStream::Write(const void* Buffer, Integer Count)
{
    return StreamTransfer(Count, [&](Integer Done) {
        return ::write(FHandle, static_cast<const char*>(Buffer) + Done, static_cast<std::size_t>(Count - Done));
    });
}

Int64 TFileStream::Seek(Int64 Offset, TSeekOrigin Origin)
{
    const int Whence = Origin == soBeginning ? SEEK_SET : (Origin == soCurrent ? SEEK_CUR : SEEK_END);
    return static_cast<Int64>(::lseek(FHandle, static_cast<off_t>(Offset), Whence));
}

void TFileStream::SetSize(Int64 NewSize)
{
    if (::ftruncate(FHandle, static_cast<off_t>(NewSize)) != 0)
        throw EStreamError(StreamFileErrorReason(errno));
    Seek(NewSize, soBeginning);
}
