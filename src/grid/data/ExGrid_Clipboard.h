#pragma once
// The grid's clipboard: copy, cut and paste in plain text, the own cell
// block and rich text (ExGrid_Clipboard.cpp), the text block and the
// selection text (ExGrid_ClipboardText.cpp), the smart paste
// (ExGrid_ClipboardSmart.cpp). One object per call; the grid's methods hand
// over to it.
#include "grid/control/ExGrid.h"

#include <QStringList>

// What one paste at a cell did.
struct TPasteResult {
    // Fields processed (text), or cells of the block (own format).
    Integer Count = 0;
    // Lines of the text, the empty piece after a closing line break
    // included, or the block's rows.
    Integer Rows = 0;
    // Fields of the last line that is not that empty piece, or the block's
    // columns.
    Integer Cols = 0;
    // Rows without that empty piece: the block's height.
    Integer Height = 0;
};

// One undo sequence around a paste or a cut; one begun inside another
// joins it, so a whole paste is taken back in one step.
class TClipUndoSequence {
public:
    explicit TClipUndoSequence(TExStringGrid& AGrid);
    ~TClipUndoSequence();
    TClipUndoSequence(const TClipUndoSequence&) = delete;
    TClipUndoSequence& operator=(const TClipUndoSequence&) = delete;

private:
    TExGridUndoRedo* FUndo = nullptr;
};

class TGridClipboard {
public:
    explicit TGridClipboard(TExStringGrid& AGrid) : G(AGrid) {}

    // The plain-text form of a rectangle of display cells; with Disjunct
    // only the flagged rows or columns of a disjunct selection.
    String RectText(const TGridRect& R, bool Disjunct);
    void CopyRect(const TGridRect& R, bool Disjunct);
    void CopySelection();
    void CutSelection();
    void CutSavableArea();
    TPasteResult PasteAt(Integer ACol, Integer ARow);
    TPasteResult InsertTextBlock(Integer ACol, Integer ARow, const String& Text);
    void SetSelectionText(const String& Value);
    void PasteSelection();
    // The selection grown to whole merged cells.
    void ExtendSelectionToMergedCells();

private:
    TGridRect SavableArea() const;
    String FieldText(Integer DisplCol, Integer ARow);
    bool MayPasteInto(Integer DisplCol, Integer ARow);
    void MarkRowsModified(Integer Top, Integer Bottom);
    TPasteResult PasteOwnFormat(Integer ACol, Integer ARow);
    TPasteResult PasteRichText(Integer ACol, Integer ARow);
    // Stores one field of a text block when the cell lies in the grid and
    // may take it, with the before and after events.
    void PasteField(Integer ACol, Integer ARow, String Field);
    // The row after ARow exists when growth allows; false when it does not.
    void GrowRowsFor(Integer ARow);
    Integer LastDataRowCount() const;
    // The smart rules (ExGrid_ClipboardSmart.cpp).
    void FillSingleValue(const TGridRect& S);
    bool FillSeries(const TGridRect& S, const TPasteResult& Pasted);
    void RepeatBlock(const TGridRect& S, const TPasteResult& Pasted);
    void RepeatPaste(const TGridRect& S, const TPasteResult& Pasted);
    // Writes Value into a selected cell as the smart rules do: editable
    // cells only, the events for every cell but the top-left one.
    void SmartWrite(const TGridRect& S, Integer ACol, Integer ARow, const String& Value);

    TExStringGrid& G;
};

// Lines of a clipboard text: split at CR, an LF right after it skipped;
// the piece after a closing line break is kept (empty).
QStringList ClipboardLines(const String& Text);
// A field of a pasted text: enclosing quotes of a multi-line field gone,
// character 11 back to CR LF.
String UnquoteClipboardField(const String& Field);
