#pragma once
// TEditLink: the link through which an edit control of the application's
// choosing becomes the in-place editor of edCustom cells. A descendant
// makes the control in CreateEditor, hands it out in GetEditControl, moves
// the text in GetEditorValue / SetEditorValue and connects the control's
// key-down and exit events to EditKeyDown and EditExit.
#include "grid/control/ExGrid.h"
#include "rtl/Forms.h"

#include <memory>

RTL_NAMED_ENUM(TEditStyle, esInplace, esPopup)

class TEditLink : public TComponent {
public:
    explicit TEditLink(TComponent* AOwner);
    ~TEditLink() override;

    // The grid that uses the link now and the cell being edited (display
    // column, row); the grid sets both when it opens the editor.
    TExStringGrid* Grid() const { return FGrid; }
    TPoint EditCell() const { return FEditCell; }
    void Attach(TExStringGrid* AGrid, TPoint ACell);

    bool WantReturns = false;
    bool WantTabs = false;
    RTL_STORED_PROPERTY(Integer, Tag, 0)
    RTL_STORED_PROPERTY(bool, AutoPopupWidth, false)
    RTL_STORED_PROPERTY(TEditStyle, EditStyle, esInplace)
    RTL_STORED_PROPERTY(Integer, PopupLeft, -1)
    RTL_STORED_PROPERTY(Integer, PopupTop, -1)
    RTL_STORED_PROPERTY(Integer, PopupWidth, 0)
    RTL_STORED_PROPERTY(Integer, PopupHeight, 0)
    RTL_STORED_PROPERTY(bool, WantKeyLeftRight, false)
    RTL_STORED_PROPERTY(bool, WantKeyUpDown, false)
    RTL_STORED_PROPERTY(bool, WantKeyHomeEnd, false)
    RTL_STORED_PROPERTY(bool, WantKeyPriorNext, false)
    RTL_STORED_PROPERTY(bool, WantKeyReturn, false)
    RTL_STORED_PROPERTY(bool, WantKeyEscape, false)

    virtual void EditKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
    virtual TWinControl* GetEditControl() { return nullptr; }
    virtual void CreateEditor(TWinControl*) {}
    virtual void DestroyEditor() {}
    virtual void SetFocus(bool Value);
    virtual void SetRect(TRect R);
    virtual void SetVisible(bool Value);
    virtual void SetProperties() {}
    virtual void SetCellProps(TColor, TFont*) {}
    virtual String GetEditorValue() { return String(); }
    virtual void SetEditorValue(const String&) {}

    void EditExit(TObject* Sender);
    // The pop-up form's deactivation.
    void FormExit(TObject* Sender);
    // The grid's current cell.
    String GetCellValue();
    void SetCellValue(const String& S);
    // The pop-up form in the pop-up style, else the grid.
    TWinControl* GetParent();
    void HideEditor();
    void RestoreWinProc();

    // The pop-up style: the link's own form (made on first use, freed with
    // the link), placed at the cell R (client coordinates of the grid) or at
    // PopupLeft, PopupTop, shown and sized.
    TCustomForm* PopupForm() const { return FPopupForm; }
    void ShowPopupForm(TRect R);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    bool IsGridKey(Word Key, TShiftState Shift) const;
    // Moves the focus back to the grid without ending the edit through the
    // form's deactivation, then lets the grid store the editor's value.
    void ForcedExit();
    bool TabOn(TShiftState Shift);

    TExStringGrid* FGrid = nullptr;
    TPoint FEditCell{-1, -1};
    String FStartText;
    TForm* FPopupForm = nullptr;
    bool FForcedExit = false;
    bool FSubclassed = false;
};
