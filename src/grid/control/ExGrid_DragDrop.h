#pragma once
// The grid's OLE drop target and drop source on the foundation's.
#include "grid/base/esgdd.h"
#include "grid/control/ExGrid.h"

class TGridDropTarget : public TESGDropTarget {
public:
    explicit TGridDropTarget(TExStringGrid* AGrid) : FGrid(AGrid) {}

protected:
    void DropText(TPoint Pt, const String& S) override;
    void DropStream(TPoint Pt, std::unique_ptr<TMemoryStream> Ms) override;
    void DropCol(TPoint Pt, Integer Col) override;
    void DropRTF(TPoint Pt, const String& S) override;
    void DropFiles(TPoint Pt, TStrings* Files) override;
    void DropURL(TPoint Pt, const String& S) override;
    void DragMouseMove(TPoint Pt, bool& Allow, TDropFormats DropFormats) override;
    void DragMouseLeave() override;

private:
    // Cell under Pt raising OnOleDrop (RTF) or OnOleDropURL; the text goes
    // into the cell unchanged when allowed.
    void DropIntoCell(TPoint Pt, const String& S, const TOleDropEvent& Event);
    void PlaceArrows(TPoint Pt, Integer ACol, Integer ARow, bool Append, bool IsColumn);
    void AutoScroll(TPoint Pt, Integer ACol, Integer ARow);
    // The dragged rows of this grid move down when Lines are inserted at or
    // above them, so that a move removes the right rows afterwards.
    void ShiftDropSource(Integer ARow, Integer Lines);
    // Room for the block's Lines at ARow; ARow becomes the first row to fill.
    void InsertDropRows(Integer& ARow, Integer Lines, bool Append);
    void WriteTextBlock(TPoint Pt, const String& Text);

    TExStringGrid* FGrid;
};

class TGridDropSource : public TESGDropSource {
public:
    explicit TGridDropSource(TExStringGrid* AGrid) : FGrid(AGrid) {}
    DWORD LastEffect() const { return FLastEffect; }

protected:
    void DragFinished() override;
    void CurrentEffect(DWORD Effect) override;
    void QueryDrag() override;

private:
    TExStringGrid* FGrid;
    DWORD FLastEffect = DROPEFFECT_NONE;
};
