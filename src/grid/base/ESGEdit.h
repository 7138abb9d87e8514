#pragma once
// The edit with a push button at its right edge, and the edit that shows a
// unit of measure between the text and the button and offers the units in a
// pop-up menu.
#include "grid/base/esgspin.h"
#include "rtl/Menus.h"

using TUnitChangeEvent = std::function<void(TObject* Sender, const String& NewUnit)>;

// The button: its own look in the holder's colours, the visual style or the
// classic push button, with a centred glyph and caption.
class TExSpeedButton : public TSpeedButton {
public:
    explicit TExSpeedButton(TComponent* AOwner);

    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool Value);
    // The mouse is over the button.
    bool Hot() const { return MouseInControl(); }

protected:
    void Paint() override;

private:
    void DrawFace(TRect& R, bool Pressed);

    bool FIsWinXP = false;
};

// The window that holds the button; its OnClick fires on the left button's
// release after a press on the button, wherever the mouse is then.
class TEsgEditButton : public TEsgButtonHolder {
public:
    explicit TEsgEditButton(TComponent* AOwner);
    ~TEsgEditButton() override;

    TExSpeedButton* Button() const { return FButton; }
    TBitmap* Glyph() const { return FButton->Glyph(); }
    void SetGlyph(TBitmap* Value) { FButton->SetGlyph(Value); }
    TNumGlyphs NumGlyphs() const { return FButton->NumGlyphs(); }
    void SetNumGlyphs(TNumGlyphs Value) { FButton->SetNumGlyphs(Value); }
    String ButtonCaption() const { return FButton->Caption(); }
    void SetButtonCaption(const String& Value) { FButton->SetCaption(Value); }
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);

    TNotifyEvent OnClick;

protected:
    void WMSize(TWMSize& Message) override;
    void ButtonColorsChanged() override;

private:
    void BtnMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y);

    TExSpeedButton* FButton;
    bool FFlat = false;
};

class TEsgEditBtn : public TEsgSideControlEdit {
public:
    explicit TEsgEditBtn(TComponent* AOwner);
    ~TEsgEditBtn() override;

    TEsgEditButton* Button() const { return FButton; }
    Integer ButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(Integer Value);
    TBitmap* Glyph() const { return FButton->Glyph(); }
    void SetGlyph(TBitmap* Value) { FButton->SetGlyph(Value); }
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool Value);
    String ButtonCaption() const { return FButton->ButtonCaption(); }
    void SetButtonCaption(const String& Value) { FButton->SetButtonCaption(Value); }
    bool RightAlign() const { return FRightAlign; }
    void SetRightAlign(bool Value);

    Integer GetMinHeight() override;
    // What the button does: OnClickBtn with the edit as sender.
    virtual void ClickButton();

    TNotifyEvent OnClickBtn;

protected:
    TControl* SideControl() const override { return FButton; }
    // Leaves room for the button and the unit.
    void SetEditRect() override;

    void KeyDown(Word& Key, TShiftState Shift) override;
    void WMChar(TWMKey& Message) override;

    Integer FUnitSize = 0;

private:
    TEsgEditButton* FButton;
    bool FRightAlign = false;
    Integer FButtonWidth = 0;
    bool FIsWinXP = false;
};

class TEsgUnitEditBtn : public TEsgEditBtn {
public:
    explicit TEsgUnitEditBtn(TComponent* AOwner);
    ~TEsgUnitEditBtn() override;

    TStrings* Units() const { return FUnits.get(); }
    // Copies the list; null is ignored.
    void SetUnits(TStrings* Value);
    const String& UnitID() const { return FUnitID; }
    void SetUnitID(const String& Value);
    // The width kept for the unit.
    Integer UnitSpace() const { return FUnitSize; }
    void SetUnitSpace(Integer Value);
    // The text followed by the unit. Writing splits at the first unit of
    // the list that ends the value; a value that ends in none changes
    // nothing.
    String TextAndUnit() const;
    void SetTextAndUnit(const String& Value);
    // The shown unit menu (null when none was shown yet).
    TPopupMenu* UnitMenu() const { return FUnitMenu; }

    // OnClickBtn, then the menu of the units.
    void ClickButton() override;
    // Adds the menu's commands (WM_COMMAND, identifiers 1, 2 ... for the
    // units in list order).
    void Dispatch(TMessage& Message) override;

    TUnitChangeEvent OnUnitChanged;

protected:
    virtual void WMCommand(TMessage& Message);
    void PaintOver(TCanvas* Canvas) override;

private:
    std::unique_ptr<TStrings> FUnits;
    String FUnitID;
    TPopupMenu* FUnitMenu = nullptr;
};
