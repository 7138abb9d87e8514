#include "grid/base/esgdd.h"

#include <QtEndian>

namespace {

struct TEsgFormatIds {
    CLIPFORMAT RTF = 0;
    CLIPFORMAT Col = 0;
    CLIPFORMAT GridCells = 0;
    CLIPFORMAT URL = 0;
};

const TEsgFormatIds& EsgFormats()
{
    static const TEsgFormatIds Ids = [] {
        TEsgFormatIds R;
        if (OpenClipboard(nullptr)) {
            R.RTF = CLIPFORMAT(RegisterClipboardFormat(QStringLiteral("Rich Text Format")));
            R.Col = CLIPFORMAT(RegisterClipboardFormat(QStringLiteral("Grid Column")));
            R.GridCells = CLIPFORMAT(RegisterClipboardFormat(QStringLiteral("TExStringGrid Cells")));
            R.URL = CLIPFORMAT(RegisterClipboardFormat(QStringLiteral("UniformResourceLocator")));
            CloseClipboard();
        }
        return R;
    }();
    return Ids;
}

// Registered when the unit starts, so that the ids are right from the first
// drag, also one started before anything was dropped.
[[maybe_unused]] const bool EsgFormatsRegistered = (EsgFormats(), true);

bool EsgRTFDropEnabled = false;

// The cells block: length N, four zero bytes, then the N bytes.
constexpr qsizetype EsgCellsHeader = 8;

QByteArray EsgInt32Block(qint32 Value)
{
    QByteArray Block(4, '\0');
    qToLittleEndian<qint32>(Value, Block.data());
    return Block;
}

qint32 EsgInt32At(const QByteArray& Block, qsizetype Offset)
{
    return qFromLittleEndian<qint32>(Block.constData() + Offset);
}

// Copy with Ctrl held; else move when the source allows it, copy otherwise.
DWORD EsgDropEffect(DWORD KeyState, DWORD Allowed)
{
    if (KeyState & MK_CONTROL)
        return DROPEFFECT_COPY;
    return (Allowed & DROPEFFECT_MOVE) ? DROPEFFECT_MOVE : DROPEFFECT_COPY;
}

std::vector<FORMATETC> EsgSourceFormats(bool HasCol, bool HasGridCells)
{
    std::vector<FORMATETC> Formats{FORMATETC{CF_TEXT}, FORMATETC{CF_UNICODETEXT}, FORMATETC{EsgFormats().RTF}};
    if (HasCol)
        Formats.push_back(FORMATETC{EsgFormats().Col});
    if (HasGridCells)
        Formats.push_back(FORMATETC{EsgFormats().GridCells});
    return Formats;
}

HRESULT EsgStartDrag(TESGDropSource* DropSource, IDataObject* Data, DWORD OKEffects, DWORD& Effect)
{
    const TInterfacePtr<IDataObject> Keep(Data);
    const HRESULT Result = DoDragDrop(Data, DropSource, OKEffects, Effect);
    return DropSource->NoAccept() ? DRAGDROP_S_CANCEL : Result;
}

} // namespace

// ---------------------------------------------------------------- TEnumFormats

TEnumFormats::TEnumFormats(IDataObject* ADataObject)
{
    SetDataObject(ADataObject);
}

TEnumFormats::~TEnumFormats() = default;

void TEnumFormats::SetDataObject(IDataObject* Value)
{
    FDataObject = Value;
    FEnumerator.reset();
    // Without an enumerator the data answers no format, and a drag of it
    // is refused.
    if (FDataObject && FDataObject->EnumFormatEtc(DATADIR_GET, FEnumerator) != S_OK)
        FEnumerator.reset();
    Reset();
}

bool TEnumFormats::Reset()
{
    FValid = false;
    FCount = 0;
    return FEnumerator && FEnumerator->Reset() == S_OK;
}

bool TEnumFormats::Next()
{
    ++FCount;
    ULONG Fetched = 0;
    FValid = FEnumerator && FEnumerator->Next(1, &FFormatEtc, &Fetched) == S_OK && Fetched == 1;
    return FValid;
}

bool TEnumFormats::HasFormat(CLIPFORMAT ClipFormat)
{
    Reset();
    while (Next())
        if (FFormatEtc.cfFormat == ClipFormat)
            return true;
    return false;
}

HGLOBAL TEnumFormats::Handle(DWORD Tymed)
{
    if (!FValid || (FFormatEtc.tymed & Tymed) != Tymed)
        return nullptr;
    FORMATETC Wanted = FFormatEtc;
    Wanted.tymed = Tymed;
    STGMEDIUM Medium;
    if (FDataObject->GetData(Wanted, Medium) != S_OK)
        return nullptr;
    if (Medium.tymed != TYMED_HGLOBAL || Medium.pUnkForRelease) {
        ReleaseStgMedium(Medium);
        return nullptr;
    }
    return Medium.hGlobal;
}

bool TEnumFormats::HasText()
{
    return HasFormat(CF_UNICODETEXT);
}

bool TEnumFormats::HasFile()
{
    return HasFormat(CF_HDROP);
}

bool TEnumFormats::HasRTF()
{
    return HasFormat(EsgFormats().RTF);
}

bool TEnumFormats::HasCol()
{
    return HasFormat(EsgFormats().Col);
}

bool TEnumFormats::HasURL()
{
    return HasFormat(EsgFormats().URL);
}

bool TEnumFormats::HasGridCells()
{
    return HasFormat(EsgFormats().GridCells);
}

QByteArray TEnumFormats::CurrentBlock()
{
    const HGLOBAL Mem = GlobalHandle();
    const QByteArray Block = GlobalBlockBytes(Mem);
    GlobalFree(Mem);
    return Block;
}

QByteArray TEnumFormats::BlockOf(CLIPFORMAT ClipFormat)
{
    return HasFormat(ClipFormat) ? CurrentBlock() : QByteArray();
}

String TEnumFormats::Text()
{
    return UnicodeTextOfBlock(BlockOf(CF_UNICODETEXT));
}

String TEnumFormats::RTF()
{
    return AnsiTextOfBlock(BlockOf(EsgFormats().RTF));
}

Integer TEnumFormats::Col()
{
    const QByteArray Block = BlockOf(EsgFormats().Col);
    return Block.size() >= 4 ? EsgInt32At(Block, 0) : -1;
}

std::unique_ptr<TMemoryStream> TEnumFormats::Stream()
{
    const QByteArray Block = BlockOf(EsgFormats().GridCells);
    if (Block.size() < EsgCellsHeader)
        return nullptr;
    const qint32 Length = EsgInt32At(Block, 0);
    if (Length < 0 || Length > Block.size() - EsgCellsHeader)
        return nullptr;
    auto Ms = std::make_unique<TMemoryStream>();
    Ms->WriteBuffer(Block.constData() + EsgCellsHeader, Length);
    Ms->SetPosition(0);
    return Ms;
}

bool TEnumFormats::ReadFileList(TStrings* Files)
{
    Files->Clear();
    const QStringList Names = DropFilesOfBlock(CurrentBlock());
    for (const String& Name : Names)
        Files->Add(Name);
    return !Names.isEmpty();
}

// ---------------------------------------------------------------- TESGDropTarget

HRESULT TESGDropTarget::DragEnter(IDataObject* DataObj, DWORD KeyState, TPoint, DWORD& Effect)
{
    TEnumFormats Formats(DataObj);
    FDropFormats = TDropFormats();
    const std::pair<bool, TDropFormat> Present[] = {
        {Formats.HasText(), dfText}, {Formats.HasFile(), dfFile}, {Formats.HasCol(), dfCol},
        {Formats.HasRTF(), dfRTF},   {Formats.HasURL(), dfURL},   {Formats.HasGridCells(), dfGridCells},
    };
    for (const auto& [Has, Format] : Present)
        if (Has)
            FDropFormats.Include(Format);
    const TDropFormats& F = FDropFormats;
    FOk = (F.Contains(dfText) && FAcceptText) || (F.Contains(dfFile) && FAcceptFiles) ||
          (F.Contains(dfRTF) && EsgRTFDropEnabled && FAcceptText) || (F.Contains(dfCol) && FAcceptCols) ||
          (F.Contains(dfURL) && FAcceptURLs) || F.Contains(dfGridCells);
    Effect = FOk ? EsgDropEffect(KeyState, Effect) : DROPEFFECT_NONE;
    DragMouseEnter();
    return S_OK;
}

HRESULT TESGDropTarget::DragOver(DWORD KeyState, TPoint Pt, DWORD& Effect)
{
    Effect = FOk ? EsgDropEffect(KeyState, Effect) : DROPEFFECT_NONE;
    bool Allow = Effect != DROPEFFECT_NONE;
    DragMouseMove(Pt, Allow, FDropFormats);
    if (!Allow)
        Effect = DROPEFFECT_NONE;
    return S_OK;
}

HRESULT TESGDropTarget::DragLeave()
{
    DragMouseLeave();
    return S_OK;
}

HRESULT TESGDropTarget::Drop(IDataObject* DataObj, DWORD KeyState, TPoint Pt, DWORD& Effect)
{
    if (!FOk) {
        Effect = DROPEFFECT_NONE;
        return S_OK;
    }
    const DWORD Allowed = Effect;
    TEnumFormats Formats(DataObj);
    DropData(Formats, Pt);
    Effect = EsgDropEffect(KeyState, Allowed);
    return S_OK;
}

// Each hook gets only what its accept flag admits; cells are always taken.
void TESGDropTarget::DropData(TEnumFormats& Formats, TPoint Pt)
{
    if (FAcceptCols && Formats.HasCol()) {
        DropCol(Pt, Formats.Col());
        return;
    }
    if (std::unique_ptr<TMemoryStream> Cells = Formats.HasGridCells() ? Formats.Stream() : nullptr)
        DropStream(Pt, std::move(Cells));
    else if (FAcceptText && EsgRTFDropEnabled && Formats.HasRTF())
        DropRTF(Pt, Formats.RTF());
    else if (FAcceptText && Formats.HasText())
        DropText(Pt, Formats.Text());
    TStringList Files;
    if (FAcceptFiles && Formats.HasFile() && Formats.ReadFileList(&Files))
        DropFiles(Pt, &Files);
    if (FAcceptURLs && Formats.HasURL())
        DropURL(Pt, Formats.Text());
}

void TESGDropTarget::DropText(TPoint, const String&) {}
void TESGDropTarget::DropStream(TPoint, std::unique_ptr<TMemoryStream>) {}
void TESGDropTarget::DropCol(TPoint, Integer) {}
void TESGDropTarget::DropRTF(TPoint, const String&) {}
void TESGDropTarget::DropFiles(TPoint, TStrings*) {}
void TESGDropTarget::DropURL(TPoint, const String&) {}
void TESGDropTarget::DragMouseMove(TPoint, bool&, TDropFormats) {}
void TESGDropTarget::DragMouseEnter() {}
void TESGDropTarget::DragMouseLeave() {}

// ---------------------------------------------------------------- TESGDropSource

HRESULT TESGDropSource::QueryContinueDrag(bool EscapePressed, DWORD KeyState)
{
    HRESULT Result = S_OK;
    if (EscapePressed) {
        DragFinished();
        Result = DRAGDROP_S_CANCEL;
    } else if (!(KeyState & MK_LBUTTON)) {
        DragFinished();
        Result = DRAGDROP_S_DROP;
    }
    QueryDrag();
    return Result;
}

HRESULT TESGDropSource::GiveFeedback(DWORD Effect)
{
    FNoAccept = Effect == DROPEFFECT_NONE;
    CurrentEffect(Effect);
    return DRAGDROP_S_USEDEFAULTCURSORS;
}

void TESGDropSource::DragFinished() {}
void TESGDropSource::CurrentEffect(DWORD) {}
void TESGDropSource::QueryDrag() {}

// ---------------------------------------------------------------- TSourceDataObject

TSourceDataObject::TSourceDataObject(const String& Stxt, const String& Srtf, Integer Sidx, TMemoryStream* Ms)
    : textdata(Stxt), rtfdata(Srtf), scolidx(Sidx), memstr(Ms)
{
}

HRESULT TSourceDataObject::QueryGetData(const FORMATETC& Format)
{
    if (Format.dwAspect != DVASPECT_CONTENT || Format.tymed != TYMED_HGLOBAL)
        return DV_E_FORMATETC;
    const CLIPFORMAT F = Format.cfFormat;
    const TEsgFormatIds& Ids = EsgFormats();
    const bool Offered = ((F == CF_TEXT || F == CF_UNICODETEXT) && !textdata.isEmpty()) ||
                         (F == Ids.RTF && !textdata.isEmpty() && EsgRTFDropEnabled) ||
                         (F == Ids.GridCells && memstr) || (F == Ids.Col && scolidx != -1);
    return Offered ? S_OK : DV_E_FORMATETC;
}

HRESULT TSourceDataObject::GetData(const FORMATETC& Format, STGMEDIUM& Medium)
{
    Medium = STGMEDIUM();
    if (QueryGetData(Format) != S_OK)
        return DV_E_FORMATETC;
    Medium.hGlobal = GlobalAllocBlock(BlockOf(Format.cfFormat));
    if (!Medium.hGlobal)
        return DV_E_FORMATETC;
    Medium.tymed = TYMED_HGLOBAL;
    return S_OK;
}

QByteArray TSourceDataObject::BlockOf(CLIPFORMAT Format) const
{
    const TEsgFormatIds& Ids = EsgFormats();
    if (Format == CF_TEXT)
        return AnsiTextBlock(textdata);
    if (Format == CF_UNICODETEXT)
        return UnicodeTextBlock(textdata);
    if (Format == Ids.RTF)
        return AnsiTextBlock(rtfdata);
    if (Format == Ids.Col)
        return EsgInt32Block(scolidx);
    const auto Length = qint32(memstr->Size());
    return EsgInt32Block(Length) + EsgInt32Block(0) +
           QByteArray(static_cast<const char*>(memstr->Memory()), Length);
}

HRESULT TSourceDataObject::EnumFormatEtc(DWORD Direction, TInterfacePtr<IEnumFORMATETC>& Enum)
{
    Enum.reset();
    if (Direction != DATADIR_GET)
        return E_NOTIMPL;
    Enum = new TSourceEnumFormatEtc(scolidx != -1, memstr != nullptr);
    return S_OK;
}

TSourceEnumFormatEtc::TSourceEnumFormatEtc(bool HasCol, bool HasGridCells)
    : TFormatEtcEnumerator(EsgSourceFormats(HasCol, HasGridCells))
{
}

// ---------------------------------------------------------------- starting a drag

HRESULT StartOleTextDrag(TESGDropSource* DropSource, const String& Text, const String& RTF, TMemoryStream* Stream,
                         DWORD OKEffects, DWORD& Effect)
{
    return EsgStartDrag(DropSource, new TSourceDataObject(Text, RTF, -1, Stream), OKEffects, Effect);
}

HRESULT StartOleColumnDrag(TESGDropSource* DropSource, Integer Column, DWORD OKEffects, DWORD& Effect)
{
    return EsgStartDrag(DropSource, new TSourceDataObject(String(), String(), Column, nullptr), OKEffects, Effect);
}

void SetRTFDropEnabled(bool Value)
{
    EsgRTFDropEnabled = Value;
}
