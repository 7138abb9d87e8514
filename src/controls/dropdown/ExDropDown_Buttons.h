#pragma once
// The colour set of the drop-down buttons and the owner-drawn push button of
// the pop-up's header and footer bars.
#include "controls/dropdown/ExDropDown_Draw.h"
#include "grid/base/ExObj.h"
#include "rtl/Controls.h"
#include "rtl/ExtCtrls.h"

#include <memory>

class TExCustomDropDown;
class TImageList;

// The header and footer buttons' style is the grid button's.
using TExButtonStyle = TExGridButtonStyle;
RTL_NAMED_ENUM(TExButtonState, absUp, absDisabled, absDown, absDropDown, absExclusive)

// The colours of a drop-down's buttons; every colour setter and the
// Gradient setter fire OnChange after storing a changed value.
class TExButtonAppearance : public TPersistent {
public:
    TExButtonAppearance();
    ~TExButtonAppearance() override;

    // From another appearance: the colours and Gradient through the setters
    // (the font stays); anything else goes to the inherited assignment.
    void Assign(TPersistent* Source) override;

#define EX_APPEARANCE_COLOR(Name, Default)          \
    TColor Name() const { return F##Name; }         \
    void Set##Name(TColor Value) { Store(F##Name, Value); } \
                                                    \
private:                                            \
    TColor F##Name = Default;                       \
                                                    \
public:
    EX_APPEARANCE_COLOR(BorderColor, clNone)
    EX_APPEARANCE_COLOR(BorderColorHot, clGray)
    EX_APPEARANCE_COLOR(BorderColorDown, clNavy)
    EX_APPEARANCE_COLOR(BorderColorDisabled, clGray)
    EX_APPEARANCE_COLOR(BorderColorChecked, TColor(0xFF0000))
    EX_APPEARANCE_COLOR(Color, clNone)
    EX_APPEARANCE_COLOR(ColorTo, clNone)
    EX_APPEARANCE_COLOR(ColorDown, TColor(0xF5D8CA))
    EX_APPEARANCE_COLOR(ColorDownTo, TColor(0xF9BDA0))
    EX_APPEARANCE_COLOR(ColorHot, TColor(0xF5F0E1))
    EX_APPEARANCE_COLOR(ColorHotTo, TColor(0xF9D2B2))
    EX_APPEARANCE_COLOR(ColorCheckedTo, AdjustColor(TColor(0xF9D2B2), -10, -10, 0))
    EX_APPEARANCE_COLOR(ColorDisabled, TColor(0xF2F2F2))
    EX_APPEARANCE_COLOR(ColorDisabledTo, clNone)
    EX_APPEARANCE_COLOR(ColorChecked, AdjustColor(TColor(0xF5F0E1), -10, -10, 0))
#undef EX_APPEARANCE_COLOR

    TGradientDirection Gradient() const { return FGradient; }
    void SetGradient(TGradientDirection Value);
    TFont* Font() const { return FFont.get(); }
    // Copies the font's attributes in.
    void SetFont(TFont* Value) { FFont->Assign(Value); }

    TNotifyEvent OnChange;

private:
    void Store(TColor& Field, TColor Value);
    void Changed();

    TGradientDirection FGradient = gdVertical;
    std::unique_ptr<TFont> FFont;
};

// A push or check button on a gradient face from a shared appearance,
// with an image of an image list and a caption. Buttons of one parent with
// the same non-zero GroupIndex are exclusive. With a drop-down, a click
// closes its pop-up by the modal result.
class TExButton : public TCustomControl {
public:
    explicit TExButton(TComponent* AOwner);
    ~TExButton() override;

    Integer GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(Integer Value) { FGroupIndex = Value; }
    bool Down() const { return FDown; }
    void SetDown(bool Value);
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value) { FAllowAllUp = Value; }
    TExButtonStyle Style() const { return FStyle; }
    void SetStyle(TExButtonStyle Value) { FStyle = Value; }
    TExButtonState State() const { return FState; }
    bool MouseInControl() const { return FMouseInControl; }
    TTimer* UnHotTimer() const { return FUnHotTimer; }

    // Shared, not owned; without it nothing is drawn.
    TExButtonAppearance* Appearance() const { return FAppearance; }
    void SetAppearance(TExButtonAppearance* Value);
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* Value);
    Integer ImageIndex() const { return FImageIndex; }
    void SetImageIndex(Integer Value);
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value) { FModalResult = Value; }
    TExCustomDropDown* ExDropDown() const { return FExDropDown; }
    void SetExDropDown(TExCustomDropDown* Value) { FExDropDown = Value; }

    // The caption and image size, plus 8 wide and 4 high.
    void SizeToContent();
    // Sets the parent form's ModalResult, closes the drop-down's pop-up by
    // the result, then OnClick unless a key ran it.
    void Click() override;
    // A group member went down: the others of the group go up and take its
    // allow-all-up flag.
    void ButtonPressed(Integer Group, TExButton* Sender);

    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

protected:
    virtual void PaintButton();
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;
    void CMFocusChanged(TMessage& Message) override;
    void CMDialogChar(TCMDialogChar& Message) override;

private:
    void UpdateState();
    void UnHotTimerTick(TObject* Sender);
    // Enter or leave as the cursor now stands.
    void TrackCursor();
    void ClearHot();
    bool CursorInside() const;
    void TellGroup();

    Integer FGroupIndex = 0;
    bool FDown = false;
    bool FAllowAllUp = false;
    bool FMouseInControl = false;
    TExButtonStyle FStyle = tasButton;
    TExButtonState FState = absUp;
    bool FMouseDownInControl = false;
    bool FDragging = false;
    TTimer* FUnHotTimer = nullptr;
    bool FInitialDown = false;
    bool FInternalClick = false;
    TExButtonAppearance* FAppearance = nullptr;
    TImageList* FImages = nullptr;
    Integer FImageIndex = -1;
    TModalResult FModalResult = mrNone;
    TExCustomDropDown* FExDropDown = nullptr;
};
