#pragma once
// The drop-down for a multi-line text: the lines live in MemoText and are
// edited in a memo in the pop-up; the edit shows them (all of them while it
// can be typed into, else the first line cut to fit).
#include "controls/dropdown/ExDropDown.h"

class TPopupMenu;

class TExMemoDropDown : public TExCustomDropDown {
public:
    explicit TExMemoDropDown(TComponent* AOwner);
    ~TExMemoDropDown() override;

    TMemo* Memo() const { return FMemo; }
    TStringList* MemoText() const { return FMemoText.get(); }
    // Copies the lines (into the memo too, when it exists).
    void SetMemoText(TStrings* Value);
    TPopupMenu* MemoPopup() const { return FMemoPopup; }
    void SetMemoPopup(TPopupMenu* Value) { FMemoPopup = Value; }
    TScrollStyle MemoScrollBars() const { return FMemoScrollBars; }
    void SetMemoScrollBars(TScrollStyle Value) { FMemoScrollBars = Value; }
    bool MemoReadOnly() const { return FMemoReadOnly; }
    // At once while the pop-up is open, else at the next opening.
    void SetMemoReadOnly(bool Value);
    bool AutoDrop() const { return FAutoDrop; }
    void SetAutoDrop(bool Value) { FAutoDrop = Value; }

    // The edit's text from the lines.
    void UpdateEditText();

    void CreateDropDownForm() override;
    void DoBeforeDropDown() override;
    void DoHideDropDown(bool Cancel) override;
    void DropDownClosed() override;
    void ControlKeyDown(Word& Key, TShiftState Shift) override;
    void ControlKeyUp(Word& Key, TShiftState Shift) override;
    void ControlKeyPress(Char& Key) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    TNotifyEvent OnMemoChange;

protected:
    void DoEnter() override;
    // The edit's text copied into the lines, unless the editor wrote it.
    void Change() override;

private:
    void MemoChanged(TObject* Sender);
    // Only Alt, Escape and F4 leave the memo.
    static bool RelaysKey(Word Key);

    TPopupMenu* FMemoPopup = nullptr;
    std::unique_ptr<TStringList> FMemoText;
    TMemo* FMemo = nullptr;
    TScrollStyle FMemoScrollBars = ssNone;
    bool FMemoReadOnly = false;
    bool FInternalUpdate = false;
    bool FAutoDrop = false;
};
