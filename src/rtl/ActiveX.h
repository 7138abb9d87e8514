#pragma once
// Data transfer the way the design's OLE code sees it, over Qt: result
// codes, format descriptions, global memory blocks, registered clipboard
// formats, the data object, format enumerator, drop target and drop source
// interfaces, and drag and drop (RegisterDragDrop, DoDragDrop) on Qt's.
//
// Formats travel between programs as MIME data by one table (the formats a
// QMimeData holds, a format's block from it, a block into it), which the
// clipboard uses as well; docs/architecture.md lists it.
#include "rtl/Classes.h"
#include "rtl/Types.h"
#include "rtl/Windows.h"

#include <QByteArray>
#include <QStringList>

#include <cstddef>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QMimeData;

using ULONG = std::uint32_t;
using HRESULT = LongInt;
constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = HRESULT(0x80004001u);
constexpr HRESULT E_FAIL = HRESULT(0x80004005u);
constexpr HRESULT E_OUTOFMEMORY = HRESULT(0x8007000Eu);
constexpr HRESULT E_INVALIDARG = HRESULT(0x80070057u);
constexpr HRESULT DV_E_FORMATETC = HRESULT(0x80040064u);
constexpr HRESULT OLE_E_ADVISENOTSUPPORTED = HRESULT(0x80040003u);
constexpr HRESULT DRAGDROP_E_NOTREGISTERED = HRESULT(0x80040100u);
constexpr HRESULT DRAGDROP_E_ALREADYREGISTERED = HRESULT(0x80040101u);
constexpr HRESULT DRAGDROP_E_INVALIDHWND = HRESULT(0x80040102u);
constexpr HRESULT DRAGDROP_S_DROP = 0x00040100;
constexpr HRESULT DRAGDROP_S_CANCEL = 0x00040101;
constexpr HRESULT DRAGDROP_S_USEDEFAULTCURSORS = 0x00040102;

enum : DWORD { DROPEFFECT_NONE = 0, DROPEFFECT_COPY = 1, DROPEFFECT_MOVE = 2, DROPEFFECT_LINK = 4 };
enum : DWORD { DVASPECT_CONTENT = 1 };
enum : DWORD { TYMED_NULL = 0, TYMED_HGLOBAL = 1 };
enum : DWORD { DATADIR_GET = 1, DATADIR_SET = 2 };

using CLIPFORMAT = Word;
enum : CLIPFORMAT { CF_TEXT = 1, CF_UNICODETEXT = 13, CF_HDROP = 15 };

// ---------------------------------------------------------------- global memory

struct TGlobalBlock;
// A movable memory block; null is no block.
using HGLOBAL = TGlobalBlock*;
enum : UINT { GMEM_FIXED = 0x0, GMEM_MOVEABLE = 0x2, GMEM_ZEROINIT = 0x40, GMEM_DDESHARE = 0x2000 };

// A new block of Bytes bytes, always zeroed; null when it cannot be had.
HGLOBAL GlobalAlloc(UINT Flags, std::size_t Bytes);
// The block's bytes (null for a null block); blocks never move here.
void* GlobalLock(HGLOBAL Mem);
bool GlobalUnlock(HGLOBAL Mem);
std::size_t GlobalSize(HGLOBAL Mem);
// Frees the block; answers null.
HGLOBAL GlobalFree(HGLOBAL Mem);

// A new block holding Bytes; null when it cannot be had.
HGLOBAL GlobalAllocBlock(const QByteArray& Bytes);
// A copy of the block's bytes (empty for a null block).
QByteArray GlobalBlockBytes(HGLOBAL Mem);

// The blocks of the text and file formats. Texts end with a NUL; reading
// stops at the first NUL or at the block's end. ANSI is Windows-1252.
QByteArray UnicodeTextBlock(const String& Text);
String UnicodeTextOfBlock(const QByteArray& Block);
QByteArray AnsiTextBlock(const String& Text);
String AnsiTextOfBlock(const QByteArray& Block);
// A DROPFILES block: the offset of the names in its first 32 bits (lowest
// bit ignored), a wide flag at byte 16, then NUL-terminated names ending
// with an empty one (UTF-16 when wide, ANSI otherwise). Names end at the
// block's end; an offset outside the block gives none.
QByteArray DropFilesBlock(const QStringList& Files);
QStringList DropFilesOfBlock(const QByteArray& Block);

// ---------------------------------------------------------------- clipboard formats

// The id of a named format: the same name (case ignored) gives the same id
// every time, ids from 0xC000 on; 0 for an empty name.
UINT RegisterClipboardFormat(const String& Name);
// The name a registered id was given; empty for other ids.
String GetClipboardFormatName(UINT Format);
// The clipboard can always be opened here; there is no owner window.
bool OpenClipboard(HWND NewOwner);
bool CloseClipboard();

// Formats with their blocks.
using TFormatBlocks = std::vector<std::pair<UINT, QByteArray>>;

// The formats the table knows that Mime holds, in the table's order.
std::vector<UINT> ClipFormatsOfMimeData(const QMimeData& Mime);
// The block of Format made from Mime; a null QByteArray when Mime does not
// hold it.
QByteArray ClipBlockFromMimeData(const QMimeData& Mime, UINT Format);
// The MIME type that stands for Format; empty for formats outside the table.
String MimeTypeOfClipFormat(UINT Format);
// Puts the block of Format into Mime (added to what it holds of the same
// MIME type); formats outside the table are left out.
void PutClipBlockIntoMimeData(QMimeData& Mime, UINT Format, const QByteArray& Block);

// ---------------------------------------------------------------- interfaces

struct DVTARGETDEVICE;

struct FORMATETC {
    CLIPFORMAT cfFormat = 0;
    DVTARGETDEVICE* ptd = nullptr;
    DWORD dwAspect = DVASPECT_CONTENT;
    LongInt lindex = -1;
    DWORD tymed = TYMED_HGLOBAL;
};

struct STGMEDIUM {
    DWORD tymed = TYMED_NULL;
    HGLOBAL hGlobal = nullptr;
    // When set, released instead of freeing the block.
    IInterface* pUnkForRelease = nullptr;
};
void ReleaseStgMedium(STGMEDIUM& Medium);

class IEnumFORMATETC : public virtual IInterface {
public:
    // Fills up to Count entries from the current position; S_OK when all
    // Count were filled, else S_FALSE. Fetched may be null.
    virtual HRESULT Next(ULONG Count, FORMATETC* Elements, ULONG* Fetched) = 0;
    virtual HRESULT Skip(ULONG Count) = 0;
    virtual HRESULT Reset() = 0;
    virtual HRESULT Clone(TInterfacePtr<IEnumFORMATETC>& Enum) = 0;
};

// GetData, QueryGetData and EnumFormatEtc are a data object's own; the
// others answer "not supported" as the design's data objects do: no
// in-place or written data, no canonical formats, no advise sinks.
class IDataObject : public virtual IInterface {
public:
    virtual HRESULT GetData(const FORMATETC& Format, STGMEDIUM& Medium) = 0;
    virtual HRESULT QueryGetData(const FORMATETC& Format) = 0;
    virtual HRESULT EnumFormatEtc(DWORD Direction, TInterfacePtr<IEnumFORMATETC>& Enum) = 0;

    virtual HRESULT GetDataHere(const FORMATETC& Format, STGMEDIUM& Medium);
    virtual HRESULT GetCanonicalFormatEtc(const FORMATETC& FormatIn, FORMATETC& FormatOut);
    virtual HRESULT SetData(const FORMATETC& Format, STGMEDIUM& Medium, bool Release);
    virtual HRESULT DAdvise(const FORMATETC& Format, DWORD Advf, IInterface* AdvSink, DWORD& Connection);
    virtual HRESULT DUnadvise(DWORD Connection);
    virtual HRESULT EnumDAdvise(TInterfacePtr<IInterface>& EnumAdvise);
};

class IDropSource : public virtual IInterface {
public:
    // S_OK to go on, DRAGDROP_S_DROP or DRAGDROP_S_CANCEL to end the drag.
    virtual HRESULT QueryContinueDrag(bool EscapePressed, DWORD KeyState) = 0;
    virtual HRESULT GiveFeedback(DWORD Effect) = 0;
};

// Points are screen points; Effect comes in as the effects the source
// allows and goes back as the one the target would take.
class IDropTarget : public virtual IInterface {
public:
    virtual HRESULT DragEnter(IDataObject* DataObj, DWORD KeyState, TPoint Pt, DWORD& Effect) = 0;
    virtual HRESULT DragOver(DWORD KeyState, TPoint Pt, DWORD& Effect) = 0;
    virtual HRESULT DragLeave() = 0;
    virtual HRESULT Drop(IDataObject* DataObj, DWORD KeyState, TPoint Pt, DWORD& Effect) = 0;
};

// An enumerator over a fixed list of formats.
class TFormatEtcEnumerator : public TInterfacedObject, public IEnumFORMATETC {
public:
    explicit TFormatEtcEnumerator(std::vector<FORMATETC> Formats, ULONG Index = 0);

    HRESULT Next(ULONG Count, FORMATETC* Elements, ULONG* Fetched) override;
    HRESULT Skip(ULONG Count) override;
    HRESULT Reset() override;
    // A new enumerator with the same formats and position.
    HRESULT Clone(TInterfacePtr<IEnumFORMATETC>& Enum) override;

protected:
    ULONG FIndex = 0;

private:
    std::vector<FORMATETC> FFormats;
};

// ---------------------------------------------------------------- drag and drop

// Makes the window accept drops: Qt's drag enter, move, leave and drop
// events reach Target's DragEnter, DragOver, DragLeave and Drop (with a
// data object over the dropped MIME data, MK_CONTROL while Ctrl is held and
// MK_LBUTTON, the screen point, Qt's copy, move and link actions as
// effects). The window keeps a reference to Target until RevokeDragDrop or
// until it goes.
HRESULT RegisterDragDrop(HWND Wnd, IDropTarget* Target);
HRESULT RevokeDragDrop(HWND Wnd);

// Runs a drag of DataObj: its formats are offered as MIME data, Source's
// GiveFeedback hears of every change of the proposed action and its
// QueryContinueDrag of the end (Escape pressed, or the button released).
// Answers DRAGDROP_S_DROP when a target took the data, DRAGDROP_S_CANCEL
// otherwise; Effect is the effect taken.
HRESULT DoDragDrop(IDataObject* DataObj, IDropSource* Source, DWORD OkEffects, DWORD& Effect);

// The MIME data a drag of DataObj offers: every format it enumerates and
// answers, through the table.
std::unique_ptr<QMimeData> MimeDataOfDataObject(IDataObject* DataObj);
// A data object over a copy of what Mime holds of the table's formats.
TInterfacePtr<IDataObject> DataObjectOfMimeData(const QMimeData& Mime);
// A data object that offers Blocks in their order (aspect DVASPECT_CONTENT,
// medium TYMED_HGLOBAL).
TInterfacePtr<IDataObject> DataObjectOfBlocks(TFormatBlocks Blocks);

// The loop DoDragDrop runs; tests put their own in place of Qt's drag and
// an empty function puts Qt's back.
using TDragLoop = std::function<HRESULT(IDataObject* DataObj, IDropSource* Source, DWORD OkEffects, DWORD& Effect)>;
void SetDragLoop(TDragLoop Loop);
