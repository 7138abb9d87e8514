#pragma once
// The grid's drop-down cell editors: each drop-down editor tied to the
// string grid that owns it. Enter, Tab, Escape, the arrow and paging keys
// become the grid's commit, validation and navigation; changes go to the
// grid's OnEditChange, typed characters to its OnKeyPress; losing the focus
// ends the grid's editing. One family, written once as TGridDropDownEditor
// over the base editor; each member adds its differences.
// Construct them with NewObject<T>(Grid), as every drop-down editor.
#include "controls/dropdown/ExCalculatorDropDown.h"
#include "controls/dropdown/ExColorPickerDropDown.h"
#include "controls/dropdown/ExCustomGridDropDown.h"
#include "controls/dropdown/ExDetailDropDown.h"
#include "controls/dropdown/ExImagePickerDropDown.h"
#include "controls/dropdown/ExMemoDropDown.h"
#include "controls/dropdown/ExMultiColumnDropDown.h"
#include "controls/dropdown/ExTimePickerDropDown.h"
#include "controls/dropdown/ExTrackBarDropDown.h"
#include "grid/control/ExGrid.h"

// KeysToBase: the keys the family does not take go on to the base editor's
// own key handling (else to the drop-down's); PressesToBase the same for
// typed characters.
template <class TBase, bool KeysToBase, bool PressesToBase>
class TGridDropDownEditor : public TBase {
public:
    // The owner must be the grid (EInvalidCast otherwise).
    explicit TGridDropDownEditor(TComponent* AOwner);

    bool Forced = false;
    bool WorkMode = true;
    TExStringGrid* FGrid = nullptr;

protected:
    void Change() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(Char& Key) override;
    void DoExit() override;
    void CMWantSpecialKey(TCMWantSpecialKey& Message) override;
    void WMSetFocus(TMessage& Message) override;

    // The members' differences.
    // The text put back after a commit or an Escape.
    virtual void RestoreText(const String& Value) { this->SetPlainText(Value); }
    virtual bool IsSpecialKey(Word Key, TShiftState Shift) const;
    // The keys that commit through validation before moving on.
    virtual bool CommitKey(Word Key) const { return Key == VK_RETURN || Key == VK_UP || Key == VK_DOWN; }
    virtual void BeforeCommit(Word) {}
    // Enter and Escape claimed as special keys.
    virtual bool ClaimsEnterAndEscape() const { return false; }
    // A mouse-started edit puts the caret at the click.
    virtual bool CaretAtClick() const { return false; }

private:
    void BaseKeyDown(Word& Key, TShiftState Shift);
    void BaseKeyPress(Char& Key);
    // Writes the text into the current cell and validates it; false, with
    // the grid's replacement text shown, when refused.
    bool Commit(bool SelectAll);
    void PlaceCaretAtClick();
    // The focus went into the editor's own pop-up.
    bool InOwnPopup() const;
};

class TGridTrackbarDropDown : public TGridDropDownEditor<TExTrackBarDropDown, false, false> {
public:
    using TGridDropDownEditor::TGridDropDownEditor;
    void DoChange() {}

protected:
    void RestoreText(const String& Value) override { SetText(Value); }
    bool ClaimsEnterAndEscape() const override { return true; }
    bool CaretAtClick() const override { return true; }
};

class TGridMemoDropDown : public TGridDropDownEditor<TExMemoDropDown, false, false> {
public:
    using TGridDropDownEditor::TGridDropDownEditor;

protected:
    bool CaretAtClick() const override { return true; }
};

class TGridCalculatorDropDown : public TGridDropDownEditor<TExCalculatorDropdown, false, true> {
public:
    using TGridDropDownEditor::TGridDropDownEditor;

protected:
    // Enter completes the pending calculation first.
    void BeforeCommit(Word Key) override
    {
        if (Key == VK_RETURN)
            CalcResult();
    }
    bool CaretAtClick() const override { return true; }
};

class TGridTimepickerDropDown : public TGridDropDownEditor<TExTimePickerDropDown, true, false> {
public:
    explicit TGridTimepickerDropDown(TComponent* AOwner);
};

class TGridDetailPickerDropDown : public TGridDropDownEditor<TExDetailDropDown, true, false> {
public:
    using TGridDropDownEditor::TGridDropDownEditor;
};

class TGridGridDropDown : public TGridDropDownEditor<exmulticolumn::TExMultiColumnDropDown, true, true> {
public:
    using TGridDropDownEditor::TGridDropDownEditor;
};

class TGridExGridDropDown : public TGridDropDownEditor<exgriddropdown::TCustomExGridDropDown, true, true> {
public:
    using TGridDropDownEditor::TGridDropDownEditor;
};

// Only Enter commits; while open, the picker takes every key but Tab,
// Enter and Escape.
class TGridColorDropDown : public TGridDropDownEditor<TExColorPickerDropDown, true, false> {
public:
    using TGridDropDownEditor::TGridDropDownEditor;

protected:
    bool IsSpecialKey(Word Key, TShiftState Shift) const override;
    bool CommitKey(Word Key) const override { return Key == VK_RETURN; }
    bool ClaimsEnterAndEscape() const override { return true; }
};

class TGridImageDropDown : public TGridDropDownEditor<TExImagePickerDropDown, false, false> {
public:
    using TGridDropDownEditor::TGridDropDownEditor;
};
