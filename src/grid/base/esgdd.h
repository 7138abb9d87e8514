#pragma once
// The grid's part in drag and drop: a drop target that recognises the
// formats of dragged data and hands them to overridable hooks, a drop
// source, a data object offering text, RTF, a column index and a block of
// grid cells, its format enumerator, a reader of the formats of dropped
// data, and the two routines that start a drag.
//
// Formats: CF_TEXT, CF_UNICODETEXT, CF_HDROP (read only) and the
// registered "Rich Text Format", "Grid Column" (a 32-bit column index),
// "TExStringGrid Cells" (32-bit length N, 4 zero bytes, N bytes of the
// grid's cell stream) and "UniformResourceLocator". RTF is offered and
// accepted only while SetRTFDropEnabled(true) holds.
#include "grid/base/ExObj.h"
#include "rtl/ActiveX.h"

#include <memory>

// Reads the formats of a data object: walks its enumerator and fetches the
// blocks. Reads stay inside the blocks; a data object whose formats cannot
// be enumerated answers no format.
class TEnumFormats : public TObject {
public:
    explicit TEnumFormats(IDataObject* ADataObject);
    ~TEnumFormats() override;

    IDataObject* DataObject() const { return FDataObject.get(); }
    void SetDataObject(IDataObject* Value);
    bool Valid() const { return FValid; }
    Integer Count() const { return FCount; }
    const FORMATETC& FormatEtc() const { return FFormatEtc; }
    DWORD Aspect() const { return FFormatEtc.dwAspect; }
    void SetAspect(DWORD Value) { FFormatEtc.dwAspect = Value; }
    CLIPFORMAT Format() const { return FFormatEtc.cfFormat; }
    void SetFormat(CLIPFORMAT Value) { FFormatEtc.cfFormat = Value; }
    LongInt Index() const { return FFormatEtc.lindex; }
    void SetIndex(LongInt Value) { FFormatEtc.lindex = Value; }
    DWORD Medium() const { return FFormatEtc.tymed; }
    void SetMedium(DWORD Value) { FFormatEtc.tymed = Value; }

    bool Reset();
    bool Next();
    // Leaves the matching format current.
    bool HasFormat(CLIPFORMAT ClipFormat);
    // The block of the current format in a medium of Tymed, owned by the
    // caller; null when there is none.
    HGLOBAL Handle(DWORD Tymed);
    HGLOBAL GlobalHandle() { return Handle(TYMED_HGLOBAL); }

    bool HasText();
    bool HasFile();
    bool HasRTF();
    bool HasCol();
    bool HasURL();
    bool HasGridCells();

    String Text();
    String RTF();
    // -1 when there is no column.
    Integer Col();
    // The cell data of the cells block; null when absent or when the block
    // lies about its length.
    std::unique_ptr<TMemoryStream> Stream();
    // The names of the CF_HDROP block of the current format (call right
    // after HasFile); true when at least one was read.
    bool ReadFileList(TStrings* Files);

private:
    // The block of the current format (HGLOBAL), or of ClipFormat when the
    // data holds it; a null QByteArray when there is none.
    QByteArray CurrentBlock();
    QByteArray BlockOf(CLIPFORMAT ClipFormat);

    TInterfacePtr<IDataObject> FDataObject;
    TInterfacePtr<IEnumFORMATETC> FEnumerator;
    FORMATETC FFormatEtc;
    bool FValid = false;
    Integer FCount = 0;
};

class TESGDropTarget : public TInterfacedObject, public IDropTarget {
public:
    TESGDropTarget() = default;

    bool AcceptText() const { return FAcceptText; }
    void SetAcceptText(bool Value) { FAcceptText = Value; }
    bool AcceptFiles() const { return FAcceptFiles; }
    void SetAcceptFiles(bool Value) { FAcceptFiles = Value; }
    bool AcceptCols() const { return FAcceptCols; }
    void SetAcceptCols(bool Value) { FAcceptCols = Value; }
    bool AcceptURLs() const { return FAcceptURLs; }
    void SetAcceptURLs(bool Value) { FAcceptURLs = Value; }
    TDropFormats DropFormats() const { return FDropFormats; }

    HRESULT DragEnter(IDataObject* DataObj, DWORD KeyState, TPoint Pt, DWORD& Effect) override;
    HRESULT DragOver(DWORD KeyState, TPoint Pt, DWORD& Effect) override;
    HRESULT DragLeave() override;
    HRESULT Drop(IDataObject* DataObj, DWORD KeyState, TPoint Pt, DWORD& Effect) override;

protected:
    // Hooks, empty here; Pt is the screen point of the mouse.
    virtual void DropText(TPoint Pt, const String& S);
    virtual void DropStream(TPoint Pt, std::unique_ptr<TMemoryStream> Ms);
    virtual void DropCol(TPoint Pt, Integer Col);
    virtual void DropRTF(TPoint Pt, const String& S);
    virtual void DropFiles(TPoint Pt, TStrings* Files);
    virtual void DropURL(TPoint Pt, const String& S);
    virtual void DragMouseMove(TPoint Pt, bool& Allow, TDropFormats DropFormats);
    virtual void DragMouseEnter();
    virtual void DragMouseLeave();

    // The dragged data can be dropped.
    bool FOk = false;

private:
    void DropData(TEnumFormats& Formats, TPoint Pt);

    bool FAcceptText = true;
    bool FAcceptFiles = true;
    bool FAcceptCols = false;
    bool FAcceptURLs = true;
    TDropFormats FDropFormats;
};

class TESGDropSource : public TInterfacedObject, public IDropSource {
public:
    HRESULT QueryContinueDrag(bool EscapePressed, DWORD KeyState) override;
    HRESULT GiveFeedback(DWORD Effect) override;
    // The last feedback reported no effect.
    bool NoAccept() const { return FNoAccept; }

protected:
    // Hooks, empty here.
    virtual void DragFinished();
    virtual void CurrentEffect(DWORD Effect);
    virtual void QueryDrag();

private:
    bool FNoAccept = false;
};

class TSourceDataObject : public TInterfacedObject, public IDataObject {
public:
    // Sidx -1 is no column; Ms (not owned) holds the grid cells or is null.
    TSourceDataObject(const String& Stxt, const String& Srtf, Integer Sidx, TMemoryStream* Ms);

    HRESULT GetData(const FORMATETC& Format, STGMEDIUM& Medium) override;
    HRESULT QueryGetData(const FORMATETC& Format) override;
    HRESULT EnumFormatEtc(DWORD Direction, TInterfacePtr<IEnumFORMATETC>& Enum) override;

private:
    QByteArray BlockOf(CLIPFORMAT Format) const;

    String textdata;
    String rtfdata;
    Integer scolidx;
    TMemoryStream* memstr;
};

// Lists CF_TEXT, CF_UNICODETEXT, RTF, then "Grid Column" and "TExStringGrid
// Cells" when present; each with aspect DVASPECT_CONTENT, index -1 and
// medium TYMED_HGLOBAL.
class TSourceEnumFormatEtc : public TFormatEtcEnumerator {
public:
    TSourceEnumFormatEtc(bool HasCol, bool HasGridCells);
};

// Drags Text, RTF and the cells of Stream (may be null); DRAGDROP_S_CANCEL
// when the source's last feedback reported no effect, else DoDragDrop's
// answer. The caller holds a reference to DropSource (a TInterfacePtr).
HRESULT StartOleTextDrag(TESGDropSource* DropSource, const String& Text, const String& RTF, TMemoryStream* Stream,
                         DWORD OKEffects, DWORD& Effect);
HRESULT StartOleColumnDrag(TESGDropSource* DropSource, Integer Column, DWORD OKEffects, DWORD& Effect);
void SetRTFDropEnabled(bool Value);
