#pragma once
// The grid's rich editor: sub- and superscript as a character offset of
// 40 twips, the size its content asks for, and the grid's focus and key
// rules for its in-place editor.
#include "rtl/ComCtrls.h"

class TExStringGrid;

class TExRichEdit : public TRichEdit {
public:
    // AOwner is the grid.
    explicit TExRichEdit(TComponent* AOwner);

    void ReCreate() { RecreateWnd(); }
    void SelNormal() { SetSelOffset(0); }
    void SelSubscript() { SetSelOffset(-SubSuperOffset); }
    void SelSuperscript() { SetSelOffset(SubSuperOffset); }
    bool IsSelNormal() const { return SelOffset() == 0; }
    bool IsSelSubscript() const { return SelOffset() == -SubSuperOffset; }
    bool IsSelSuperscript() const { return SelOffset() == SubSuperOffset; }
    // Set while the grid places the editor: no sizing while typing then.
    void Lock() { FLocked = true; }
    void UnLock() { FLocked = false; }
    bool Locked() const { return FLocked; }
    // The size the content last asked for.
    Integer ReqWidth() const { return FReqWidth; }
    Integer ReqHeight() const { return FReqHeight; }

    static constexpr LongInt SubSuperOffset = 40;

protected:
    // The editor keeps Tab.
    void WMGetDlgCode(TWMGetDlgCode& Message) override;
    // Focus to the grid closes the grid's in-place editor, unless the grid
    // moves the focus itself.
    void DoExit() override;
    void CNNotify(TWMNotify& Message) override;
    // Tab with goTabs and Up or Down in a grid without wrapping go to the grid.
    void KeyDown(Word& Key, TShiftState Shift) override;

private:
    void SetSelOffset(LongInt Offset);
    LongInt SelOffset() const;
    // The in-place editor grows with its text while SizeWhileTyping asks.
    void GrowWithText(Integer Height);

    TExStringGrid* FGrid;
    Integer FReqWidth = 0;
    Integer FReqHeight = 0;
    bool FLocked = false;
};
