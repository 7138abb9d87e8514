#include "rtl/ActiveX.h"

#include <QMimeData>
#include <QUrl>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <cstring>
#include <new>

// ---------------------------------------------------------------- global memory

struct TGlobalBlock {
    std::vector<Byte> Data;
};

HGLOBAL GlobalAlloc(UINT, std::size_t Bytes)
{
    // Blocks of the design carry 32-bit sizes.
    if (Bytes > 0x7FFFFFFFu)
        return nullptr;
    try {
        auto* Block = new TGlobalBlock;
        Block->Data.assign(Bytes, 0);
        return Block;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void* GlobalLock(HGLOBAL Mem)
{
    return Mem ? Mem->Data.data() : nullptr;
}

bool GlobalUnlock(HGLOBAL Mem)
{
    return Mem != nullptr;
}

std::size_t GlobalSize(HGLOBAL Mem)
{
    return Mem ? Mem->Data.size() : 0;
}

HGLOBAL GlobalFree(HGLOBAL Mem)
{
    delete Mem;
    return nullptr;
}

HGLOBAL GlobalAllocBlock(const QByteArray& Bytes)
{
    HGLOBAL Mem = GlobalAlloc(GMEM_MOVEABLE, std::size_t(Bytes.size()));
    if (Mem && !Bytes.isEmpty())
        std::memcpy(GlobalLock(Mem), Bytes.constData(), std::size_t(Bytes.size()));
    GlobalUnlock(Mem);
    return Mem;
}

QByteArray GlobalBlockBytes(HGLOBAL Mem)
{
    if (!Mem)
        return QByteArray();
    QByteArray Bytes(qsizetype(GlobalSize(Mem)), Qt::Uninitialized);
    if (!Bytes.isEmpty())
        std::memcpy(Bytes.data(), GlobalLock(Mem), std::size_t(Bytes.size()));
    GlobalUnlock(Mem);
    return Bytes;
}

void ReleaseStgMedium(STGMEDIUM& Medium)
{
    if (Medium.pUnkForRelease)
        Medium.pUnkForRelease->_Release();
    else if (Medium.tymed == TYMED_HGLOBAL)
        GlobalFree(Medium.hGlobal);
    Medium = STGMEDIUM();
}

// ---------------------------------------------------------------- block codecs

namespace {

// Windows-1252 from 0x80 to 0x9F; the five bytes it leaves out stand for
// the control characters of the same number, so every byte survives.
constexpr std::array<char16_t, 32> Ansi80 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char AnsiByteOf(char16_t C)
{
    if (C < 0x80 || (C >= 0xA0 && C <= 0xFF))
        return char(C);
    const auto It = std::find(Ansi80.begin(), Ansi80.end(), C);
    return It == Ansi80.end() ? '?' : char(0x80 + (It - Ansi80.begin()));
}

char16_t CharOfAnsiByte(Byte B)
{
    return B >= 0x80 && B < 0xA0 ? Ansi80[B - 0x80] : char16_t(B);
}

QByteArray AnsiBytesOf(const String& Text)
{
    QByteArray Bytes;
    Bytes.reserve(Text.size());
    for (qsizetype I = 0; I < Text.size(); ++I) {
        // A character outside the code page is one '?', surrogate pair or not.
        if (Text.at(I).isHighSurrogate() && I + 1 < Text.size() && Text.at(I + 1).isLowSurrogate()) {
            Bytes.append('?');
            ++I;
            continue;
        }
        Bytes.append(AnsiByteOf(Text.at(I).unicode()));
    }
    return Bytes;
}

String TextOfAnsiBytes(const char* Bytes, qsizetype Count)
{
    String Text;
    Text.reserve(Count);
    for (qsizetype I = 0; I < Count; ++I)
        Text.append(QChar(CharOfAnsiByte(Byte(Bytes[I]))));
    return Text;
}

// The ANSI characters from Start up to a NUL or End.
String AnsiTextBetween(const char* Start, const char* End)
{
    const char* Nul = std::find(Start, End, '\0');
    return TextOfAnsiBytes(Start, Nul - Start);
}

// The UTF-16 characters from Start up to a NUL unit or End (an odd last
// byte is left out); Next is where reading stopped, after the NUL.
String UnicodeTextBetween(const char* Start, const char* End, const char** Next = nullptr)
{
    String Text;
    const char* P = Start;
    while (End - P >= 2) {
        const char16_t C = char16_t(Byte(P[0]) | (Byte(P[1]) << 8));
        P += 2;
        if (C == 0)
            break;
        Text.append(QChar(C));
    }
    if (Next)
        *Next = P;
    return Text;
}

QByteArray UnicodeBytesOf(const String& Text)
{
    QByteArray Bytes;
    Bytes.reserve((Text.size() + 1) * 2);
    for (const QChar C : Text) {
        Bytes.append(char(C.unicode() & 0xFF));
        Bytes.append(char(C.unicode() >> 8));
    }
    return Bytes;
}

constexpr qsizetype DropFilesHeaderSize = 20;
constexpr qsizetype DropFilesWideFlag = 16;

} // namespace

QByteArray UnicodeTextBlock(const String& Text)
{
    return UnicodeBytesOf(Text) + QByteArray(2, '\0');
}

String UnicodeTextOfBlock(const QByteArray& Block)
{
    return UnicodeTextBetween(Block.constData(), Block.constData() + Block.size());
}

QByteArray AnsiTextBlock(const String& Text)
{
    return AnsiBytesOf(Text) + QByteArray(1, '\0');
}

String AnsiTextOfBlock(const QByteArray& Block)
{
    return AnsiTextBetween(Block.constData(), Block.constData() + Block.size());
}

QByteArray DropFilesBlock(const QStringList& Files)
{
    QByteArray Block(DropFilesHeaderSize, '\0');
    qToLittleEndian<quint32>(DropFilesHeaderSize, Block.data());
    qToLittleEndian<quint32>(1, Block.data() + DropFilesWideFlag);
    for (const String& File : Files)
        Block += UnicodeTextBlock(File);
    return Block + QByteArray(2, '\0');
}

QStringList DropFilesOfBlock(const QByteArray& Block)
{
    QStringList Files;
    if (Block.size() < DropFilesHeaderSize)
        return Files;
    const quint32 Offset = qFromLittleEndian<quint32>(Block.constData()) & ~1u;
    const bool Wide = qFromLittleEndian<quint32>(Block.constData() + DropFilesWideFlag) != 0;
    const char* End = Block.constData() + Block.size();
    const char* P = Offset < quint32(Block.size()) ? Block.constData() + Offset : End;
    while (P < End) {
        String Name;
        if (Wide) {
            Name = UnicodeTextBetween(P, End, &P);
        } else {
            Name = AnsiTextBetween(P, End);
            P += std::min<qsizetype>(End - P, Name.size() + 1);
        }
        if (Name.isEmpty())
            break;
        Files.append(Name);
    }
    return Files;
}

// ---------------------------------------------------------------- clipboard formats

namespace {

constexpr UINT FirstRegisteredFormat = 0xC000;
constexpr UINT LastRegisteredFormat = 0xFFFF;

std::vector<String>& RegisteredFormatNames()
{
    static std::vector<String> Names;
    return Names;
}

} // namespace

UINT RegisterClipboardFormat(const String& Name)
{
    if (Name.isEmpty())
        return 0;
    std::vector<String>& Names = RegisteredFormatNames();
    const auto It = std::find_if(Names.begin(), Names.end(),
                                 [&](const String& N) { return N.compare(Name, Qt::CaseInsensitive) == 0; });
    if (It != Names.end())
        return FirstRegisteredFormat + UINT(It - Names.begin());
    if (FirstRegisteredFormat + Names.size() > LastRegisteredFormat)
        return 0;
    Names.push_back(Name);
    return FirstRegisteredFormat + UINT(Names.size() - 1);
}

String GetClipboardFormatName(UINT Format)
{
    const std::vector<String>& Names = RegisteredFormatNames();
    if (Format < FirstRegisteredFormat || Format - FirstRegisteredFormat >= Names.size())
        return String();
    return Names[Format - FirstRegisteredFormat];
}

bool OpenClipboard(HWND)
{
    return true;
}

bool CloseClipboard()
{
    return true;
}

// ---------------------------------------------------------------- the MIME table

namespace {

enum class TBlockKind { UnicodeText, AnsiText, AnsiBytes, LocalFiles, RemoteUrl, Bytes };

struct TMimeFormat {
    CLIPFORMAT Standard; // 0 for a registered format
    const char* Name;
    const char* MimeType;
    TBlockKind Kind;
};

const TMimeFormat MimeFormats[] = {
    {CF_UNICODETEXT, nullptr, "text/plain", TBlockKind::UnicodeText},
    {CF_TEXT, nullptr, "text/plain", TBlockKind::AnsiText},
    {0, "Rich Text Format", "text/rtf", TBlockKind::AnsiBytes},
    {0, "HTML Format", "text/html", TBlockKind::AnsiBytes},
    {CF_HDROP, nullptr, "text/uri-list", TBlockKind::LocalFiles},
    {0, "UniformResourceLocator", "text/uri-list", TBlockKind::RemoteUrl},
    {0, "TExStringGrid Cells", "application/x-exstringgrid-cells", TBlockKind::Bytes},
    {0, "Grid Column", "application/x-grid-column", TBlockKind::Bytes},
};

UINT FormatIdOf(const TMimeFormat& F)
{
    return F.Standard != 0 ? F.Standard : RegisterClipboardFormat(QString::fromLatin1(F.Name));
}

const TMimeFormat* FindMimeFormat(UINT Format)
{
    for (const TMimeFormat& F : MimeFormats)
        if (FormatIdOf(F) == Format)
            return &F;
    return nullptr;
}

QByteArray NonNull(QByteArray Bytes)
{
    return Bytes.isNull() ? QByteArray("") : Bytes;
}

QByteArray BlockFromMime(const QMimeData& Mime, const TMimeFormat& F)
{
    const QString Type = QString::fromLatin1(F.MimeType);
    // Qt's text falls back to the URLs; dropped files are no text here.
    const bool HasText = Mime.hasFormat(QStringLiteral("text/plain"));
    switch (F.Kind) {
    case TBlockKind::UnicodeText:
        return HasText ? UnicodeTextBlock(Mime.text()) : QByteArray();
    case TBlockKind::AnsiText:
        return HasText ? AnsiTextBlock(Mime.text()) : QByteArray();
    case TBlockKind::AnsiBytes:
        return Mime.hasFormat(Type) ? Mime.data(Type) + QByteArray(1, '\0') : QByteArray();
    case TBlockKind::LocalFiles: {
        QStringList Files;
        for (const QUrl& Url : Mime.urls())
            if (Url.isLocalFile())
                Files.append(Url.toLocalFile());
        return Files.isEmpty() ? QByteArray() : DropFilesBlock(Files);
    }
    case TBlockKind::RemoteUrl:
        for (const QUrl& Url : Mime.urls())
            if (!Url.isLocalFile())
                return AnsiTextBlock(QString::fromLatin1(Url.toEncoded()));
        return QByteArray();
    case TBlockKind::Bytes:
        return Mime.hasFormat(Type) ? NonNull(Mime.data(Type)) : QByteArray();
    }
    return QByteArray();
}

void AppendUrls(QMimeData& Mime, const QList<QUrl>& More)
{
    if (More.isEmpty())
        return;
    QList<QUrl> Urls = Mime.urls();
    Urls.append(More);
    Mime.setUrls(Urls);
}

// Each format of the table that Mime holds, with its block.
TFormatBlocks BlocksOfMimeData(const QMimeData& Mime)
{
    TFormatBlocks Blocks;
    for (const TMimeFormat& F : MimeFormats) {
        QByteArray Block = BlockFromMime(Mime, F);
        if (!Block.isNull())
            Blocks.emplace_back(FormatIdOf(F), std::move(Block));
    }
    return Blocks;
}

} // namespace

std::vector<UINT> ClipFormatsOfMimeData(const QMimeData& Mime)
{
    std::vector<UINT> Formats;
    for (const auto& [Format, Block] : BlocksOfMimeData(Mime))
        Formats.push_back(Format);
    return Formats;
}

QByteArray ClipBlockFromMimeData(const QMimeData& Mime, UINT Format)
{
    const TMimeFormat* F = FindMimeFormat(Format);
    return F ? BlockFromMime(Mime, *F) : QByteArray();
}

String MimeTypeOfClipFormat(UINT Format)
{
    const TMimeFormat* F = FindMimeFormat(Format);
    return F ? QString::fromLatin1(F->MimeType) : String();
}

void PutClipBlockIntoMimeData(QMimeData& Mime, UINT Format, const QByteArray& Block)
{
    const TMimeFormat* F = FindMimeFormat(Format);
    if (!F)
        return;
    const QString Type = QString::fromLatin1(F->MimeType);
    switch (F->Kind) {
    case TBlockKind::UnicodeText:
        Mime.setText(UnicodeTextOfBlock(Block));
        break;
    case TBlockKind::AnsiText:
        // The Unicode text is the better one when both come.
        if (!Mime.hasFormat(QStringLiteral("text/plain")))
            Mime.setText(AnsiTextOfBlock(Block));
        break;
    case TBlockKind::AnsiBytes: {
        const qsizetype Nul = Block.indexOf('\0');
        Mime.setData(Type, Nul < 0 ? Block : Block.left(Nul));
        break;
    }
    case TBlockKind::LocalFiles: {
        QList<QUrl> Urls;
        for (const String& File : DropFilesOfBlock(Block))
            Urls.append(QUrl::fromLocalFile(File));
        AppendUrls(Mime, Urls);
        break;
    }
    case TBlockKind::RemoteUrl: {
        const QUrl Url = QUrl::fromEncoded(AnsiTextOfBlock(Block).toLatin1());
        AppendUrls(Mime, Url.isValid() && !Url.isEmpty() ? QList<QUrl>{Url} : QList<QUrl>());
        break;
    }
    case TBlockKind::Bytes:
        Mime.setData(Type, Block);
        break;
    }
}

// ---------------------------------------------------------------- data objects

HRESULT IDataObject::GetDataHere(const FORMATETC&, STGMEDIUM&)
{
    return DV_E_FORMATETC;
}

HRESULT IDataObject::GetCanonicalFormatEtc(const FORMATETC&, FORMATETC& FormatOut)
{
    FormatOut.ptd = nullptr;
    return E_NOTIMPL;
}

HRESULT IDataObject::SetData(const FORMATETC&, STGMEDIUM&, bool)
{
    return DV_E_FORMATETC;
}

HRESULT IDataObject::DAdvise(const FORMATETC&, DWORD, IInterface*, DWORD&)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT IDataObject::DUnadvise(DWORD)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT IDataObject::EnumDAdvise(TInterfacePtr<IInterface>& EnumAdvise)
{
    EnumAdvise.reset();
    return OLE_E_ADVISENOTSUPPORTED;
}

TFormatEtcEnumerator::TFormatEtcEnumerator(std::vector<FORMATETC> Formats, ULONG Index)
    : FIndex(Index), FFormats(std::move(Formats))
{
}

HRESULT TFormatEtcEnumerator::Next(ULONG Count, FORMATETC* Elements, ULONG* Fetched)
{
    ULONG Filled = 0;
    while (Filled < Count && FIndex < FFormats.size())
        Elements[Filled++] = FFormats[FIndex++];
    if (Fetched)
        *Fetched = Filled;
    return Filled == Count ? S_OK : S_FALSE;
}

HRESULT TFormatEtcEnumerator::Skip(ULONG Count)
{
    const ULONG Left = ULONG(FFormats.size()) - FIndex;
    FIndex += std::min(Count, Left);
    return Count <= Left ? S_OK : S_FALSE;
}

HRESULT TFormatEtcEnumerator::Reset()
{
    FIndex = 0;
    return S_OK;
}

HRESULT TFormatEtcEnumerator::Clone(TInterfacePtr<IEnumFORMATETC>& Enum)
{
    Enum = new TFormatEtcEnumerator(FFormats, FIndex);
    return S_OK;
}

namespace {

// Data held as blocks; a drop's data is a copy of the MIME data's blocks,
// so it outlives the drag event.
class TBlockDataObject final : public TInterfacedObject, public IDataObject {
public:
    explicit TBlockDataObject(TFormatBlocks Blocks) : FBlocks(std::move(Blocks)) {}

    HRESULT GetData(const FORMATETC& Format, STGMEDIUM& Medium) override
    {
        Medium = STGMEDIUM();
        const QByteArray* Block = Find(Format);
        if (!Block)
            return DV_E_FORMATETC;
        Medium.hGlobal = GlobalAllocBlock(*Block);
        if (!Medium.hGlobal)
            return E_OUTOFMEMORY;
        Medium.tymed = TYMED_HGLOBAL;
        return S_OK;
    }

    HRESULT QueryGetData(const FORMATETC& Format) override { return Find(Format) ? S_OK : DV_E_FORMATETC; }

    HRESULT EnumFormatEtc(DWORD Direction, TInterfacePtr<IEnumFORMATETC>& Enum) override
    {
        Enum.reset();
        if (Direction != DATADIR_GET)
            return E_NOTIMPL;
        std::vector<FORMATETC> Formats;
        for (const auto& [Id, Block] : FBlocks)
            Formats.push_back(FORMATETC{CLIPFORMAT(Id)});
        Enum = new TFormatEtcEnumerator(std::move(Formats));
        return S_OK;
    }

private:
    const QByteArray* Find(const FORMATETC& Format) const
    {
        if (Format.dwAspect != DVASPECT_CONTENT || !(Format.tymed & TYMED_HGLOBAL))
            return nullptr;
        for (const auto& [Id, Block] : FBlocks)
            if (Id == Format.cfFormat)
                return &Block;
        return nullptr;
    }

    TFormatBlocks FBlocks;
};

} // namespace

TInterfacePtr<IDataObject> DataObjectOfBlocks(TFormatBlocks Blocks)
{
    return TInterfacePtr<IDataObject>(new TBlockDataObject(std::move(Blocks)));
}

TInterfacePtr<IDataObject> DataObjectOfMimeData(const QMimeData& Mime)
{
    return DataObjectOfBlocks(BlocksOfMimeData(Mime));
}

std::unique_ptr<QMimeData> MimeDataOfDataObject(IDataObject* DataObj)
{
    auto Mime = std::make_unique<QMimeData>();
    TInterfacePtr<IEnumFORMATETC> Enum;
    if (!DataObj || DataObj->EnumFormatEtc(DATADIR_GET, Enum) != S_OK || !Enum)
        return Mime;
    FORMATETC Format;
    ULONG Fetched = 0;
    while (Enum->Next(1, &Format, &Fetched) == S_OK && Fetched == 1) {
        STGMEDIUM Medium;
        if (DataObj->QueryGetData(Format) != S_OK || DataObj->GetData(Format, Medium) != S_OK)
            continue;
        if (Medium.tymed == TYMED_HGLOBAL)
            PutClipBlockIntoMimeData(*Mime, Format.cfFormat, GlobalBlockBytes(Medium.hGlobal));
        ReleaseStgMedium(Medium);
    }
    return Mime;
}
