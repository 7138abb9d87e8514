#pragma once
// The string grid's in-place editors: its own text editor TExInplaceEdit
// (ExGrid_InplaceEdit.cpp), the eight shared cell editor controls
// (ExGrid_CellEditors.cpp); the link of edCustom cells is ExGrid_EditLink.h.
#include "grid/base/ESGEdit.h"
#include "grid/base/EsgCombo.h"
#include "grid/base/EsgDateTimePicker.h"
#include "grid/base/ExDateTimePicker.h"
#include "grid/base/esgspin.h"
#include "grid/control/ExGrid.h"
#include "grid/control/ExGrid_EditLink.h"
#include "rtl/Grids.h"

// ---------------------------------------------------------------------------
// The grid's own text editor.

class TExInplaceEdit : public TInplaceEdit {
public:
    explicit TExInplaceEdit(TComponent* AOwner);

    bool VAlign() const { return FValign; }
    void SetVAlign(bool Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    Integer LengthLimit() const { return FLengthLimit; }
    void SetLengthLimit(Integer Value) { FLengthLimit = Value; }
    // Auto-completion after a key-up.
    void DoChange();

    bool GotKey = false;
    bool Workmode = true;

protected:
    void CreateWnd() override;
    void UpdateContents() override;
    // Multi-line but for password cells.
    bool MultiLineWanted() const override;
    void BoundsChanged() override;
    void Change() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void KeyPress(Char& Key) override;
    void WMKeyDown(TWMKey& Message) override;
    void WMKeyUp(TWMKey& Message) override;
    void WMChar(TWMKey& Message) override;
    void WMGetDlgCode(TWMGetDlgCode& Message) override;
    void WMPaste(TMessage& Message) override;
    void WMCut(TMessage& Message) override;
    void WMCopy(TMessage& Message) override;
    void WMLButtonDblClk(TWMMouse& Message) override;
    void CMEnter(TMessage& Message) override;
    void CMExit(TMessage& Message) override;

private:
    // Validates T; on failure shows the text validation left, selects it
    // (or puts the caret at the end) and restores the grid's old text.
    bool ValidateOrRestore(const String& T);
    // Whether a typed character is taken by the editor kind (Key may change).
    bool FilterChar(Char& Key, bool Ctrl);
    // Walks out of the editor at the text's edge (Left: backward).
    void WalkOut(bool Backward);
    void AdvanceAfterLimit();
    // Whether the caret stands on the first (Last: the last) line of the
    // text; a single-line editor has one line.
    bool CaretOnEdgeLine(bool Last) const;
    // Stores T in the current cell and validates it, the editor showing the
    // text validation left; false (restored as after a failed Tab) when it
    // failed.
    bool StoreAndValidate(const String& T);
    // The row sized to the text while typing; ForNewLine: for the line that
    // Ctrl+Enter or Shift+Enter is about to add.
    void SizeRow(bool ForNewLine);
    // A line break typed at the caret.
    void TypeLineBreak();
    // The edit mask is filled and the caret stands at its end.
    bool MaskComplete() const;

    TExStringGrid* FGrid;
    Integer FSelKeyDown = 0;
    Integer FOldSelStart = 0;
    Integer FLengthLimit = 0;
    bool FValign = false;
    bool FWordWrap = false;
    bool FGotFocus = false;
    Integer FColE = -1;
    Integer FRowE = -1;
    bool FAltBack = false;
    // Enter was refused on key down: its character is not validated again.
    bool FRefusedOnEnter = false;
    bool FMaskCharTyped = false;
};

// ---------------------------------------------------------------------------
// The shared cell editor controls.

class TGridCheckBox : public TCheckBox {
public:
    explicit TGridCheckBox(TComponent* AOwner);
    void ReCreate() { RecreateWnd(); }

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void DoExit() override;

private:
    TExStringGrid* FGrid;
};

class TGridSpin : public TEsgSpinEdit {
public:
    explicit TGridSpin(TComponent* AOwner);
    void ReCreate() { RecreateWnd(); }
    void UpClick(TObject* Sender) override;
    void DownClick(TObject* Sender) override;

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(Char& Key) override;
    void Change() override;
    void WMGetDlgCode(TWMGetDlgCode& Message) override;
    void DoExit() override;

private:
    void DoSpinClick(bool UpDown);
    void SetToLimit(bool Max);
    TExStringGrid* FGrid;
};

class TGridCombo : public TEsgComboBox {
public:
    explicit TGridCombo(TComponent* AOwner);
    // Lookup completion.
    void DoChange();
    void SizeDropDownWidth();
    // The caret of the focused editable combo: at the end (unless the
    // grid selects all) or, when a click opened it, under the mouse.
    void PlaceCaret();

    bool WorkMode = true;
    TNotifyEvent OnReturnKey;

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void KeyPress(Char& Key) override;
    void Change() override;
    bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) override;
    void WMGetDlgCode(TWMGetDlgCode& Message) override;
    void CMEnter(TMessage& Message) override;
    void DoExit() override;

private:
    bool IsSpecialKey(Word Key, TShiftState Shift) const;
    bool Editable() const { return Style() != csDropDownList; }
    void RaiseComboChange();
    // Enter, Up, Down: false when the validation failed.
    bool ValidateKey();
    void CursorWalk(Word Key);
    TExStringGrid* FGrid;
};

class TGridDatePicker : public TEsgDateTimePicker {
public:
    explicit TGridDatePicker(TComponent* AOwner);
    void ReCreate() { RecreateWnd(); }
    void ShiftFocus();

    bool Weeknumbers = false;
    bool ShowToday = true;
    bool ShowTodayCircle = true;

    void WndProc(TMessage& Message) override;

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(Char& Key) override;
    void WMGetDlgCode(TWMGetDlgCode& Message) override;
    void DoExit() override;
    void PaintOver(TCanvas* Canvas) override;

private:
    TExStringGrid* FGrid;
    Word Fy = 0, Fm = 0, Fd = 0, Fth = 0, Ftm = 0, Fts = 0, Ftms = 0;
};

class TGridDateTimePicker : public TExDateTimePicker {
public:
    explicit TGridDateTimePicker(TComponent* AOwner);

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;

private:
    TExStringGrid* FGrid;
};

class TGridEditBtn : public TEsgEditBtn {
public:
    explicit TGridEditBtn(TComponent* AOwner);
    void ReCreate() { RecreateWnd(); }
    void DoLookup();

    bool WorkMode = true;
    bool StopEditAfterClick = false;

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void KeyPress(Char& Key) override;
    void WMChar(TWMKey& Message) override;
    void WMPaste(TMessage& Message) override;
    void WMGetDlgCode(TWMGetDlgCode& Message) override;
    void DblClick() override;
    void Change() override;
    void DoExit() override;

private:
    void BtnClick(TObject* Sender);
    TExStringGrid* FGrid;
    Integer FSelKeyDown = 0;
};

class TGridUnitEditBtn : public TEsgUnitEditBtn {
public:
    explicit TGridUnitEditBtn(TComponent* AOwner);
    void ReCreate() { RecreateWnd(); }

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void WMChar(TWMKey& Message) override;
    void WMGetDlgCode(TWMGetDlgCode& Message) override;
    void DoExit() override;

private:
    void BtnClick(TObject* Sender);
    TExStringGrid* FGrid;
};

class TGridButton : public TButton {
public:
    explicit TGridButton(TComponent* AOwner);
    void ReCreate() { RecreateWnd(); }

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void WMGetDlgCode(TWMGetDlgCode& Message) override;
    void DoExit() override;

private:
    void ClickThroughGrid();
    void LeaveToGrid();
    TExStringGrid* FGrid;
};

// The editors of fixed cells, shown over a header cell (ExGrid_Items.cpp):
// Enter types nothing; leaving commits through StopEdit, which validates
// with OnCellValidate and keeps the editor open on a refusal.
template <class TBase>
class TFixedCellEditor : public TBase {
public:
    explicit TFixedCellEditor(TComponent* AOwner);
    bool StopEdit();

    Integer FRow = -1;
    Integer FCol = -1;  // real column

protected:
    void KeyPress(Char& Key) override
    {
        if (Key == Char(VK_RETURN))
            Key = Char(0);
        TBase::KeyPress(Key);
    }
    // Hiding the editor on an accepted value moves the focus away again:
    // that exit commits nothing more.
    void DoExit() override
    {
        TBase::DoExit();
        if (!FStopping && TBase::Visible())
            StopEdit();
    }

private:
    TExStringGrid* FGrid;
    bool FStopping = false;
};

// Without a border.
class TGridTransEdit : public TFixedCellEditor<TEdit> {
public:
    explicit TGridTransEdit(TComponent* AOwner);
};

class TGridTransCombo : public TFixedCellEditor<TComboBox> {
public:
    using TFixedCellEditor<TComboBox>::TFixedCellEditor;
};

// The kinds the grid's own text editor edits.
bool IsGridTextEditor(TEditorType E);

// An editor's look over the cell at display column ACol: the cell's visual
// properties with remapped colours; Font and HA (when given) take the
// cell's font and horizontal alignment. Answers the brush colour.
TColor CellEditorLook(TExStringGrid* Grid, Integer ACol, Integer ARow, TFont* Font, TAlignment* HA = nullptr);

// Typed characters by the numeric and float kinds, shared by the text
// editor and the button editors: whether Key is taken; Beep tells whether
// a refusal sounds.
bool AcceptNumericChar(Char Key, const String& Text, Integer SelStart, const String& SelText, bool Positive,
                       bool& Beep);
bool AcceptFloatChar(Char Key, const String& Text, Integer SelStart, const String& SelText, bool Positive,
                     bool Ctrl, bool& Beep);
// A pasted text for the editor kind: false when refused; Text may be converted.
bool AcceptPastedText(TEditorType Kind, const String& ValidChars, String& Text);
// The clipboard's text, when it holds text and OnClipboardPaste and
// OnClipboardBeforePasteCell (Sender = Editor) allow the paste.
bool ClipboardTextToPaste(TExStringGrid* Grid, TObject* Editor, String& Clip);
// The caret of an editor opened by a mouse click goes to the character
// under the mouse, when the mouse is inside the editor.
void CaretToMouse(TCustomEdit* Edit);
// Text with the clipboard text put in place of the selection; the pasted
// part's start and length.
String PasteInto(const String& Text, Integer SelStart, Integer SelLength, String Clip);
