#pragma once
// The spin edit: a masked edit with a pair of repeat buttons at its right
// edge that steps an integer, a float, a date or a time, shown and read with
// FormatSettings. Its layout rules serve the edit with button too (ESGEdit).
#include "grid/base/EsgCombo.h"
#include "rtl/Buttons.h"
#include "rtl/ExtCtrls.h"
#include "rtl/Mask.h"

RTL_NAMED_ENUM(TButtonDirection, bdLeft, bdRight, bdUp, bdDown)
RTL_NAMED_ENUM(TSpinDirection, spVertical, spHorizontal)
RTL_NAMED_ENUM(TEsgSpinType, sptNormal, sptFloat, sptDate, sptTime)
RTL_NAMED_ENUM(TEditAlign, eaLeft, eaRight, eaCenter)
RTL_NAMED_ENUM(TTimeBtnStateItem, tbFocusRect, tbAllowTimer)
using TTimeBtnState = TSet<TTimeBtnStateItem>;

// The height of one line of Font, and the smaller of it and the system
// font's (the base of the editors' least heights).
struct TEditorFontHeights {
    Integer Font = 0;
    Integer Smaller = 0;
};
TEditorFontHeights EditorFontHeights(TFont* Font);

// Where an edit puts the control at its right edge (the spin buttons, the
// button of the edit with button): with a 3D border at (Width - W - 5, 0),
// Height - 5 high; without a border 4 pixels more of both; flat at
// (Width - W, 1), Height - 3 high.
TRect EditButtonBounds(Integer EditWidth, Integer EditHeight, Integer ButtonWidth, bool Ctl3D, bool Border);

// A window that holds buttons (the spin pair, the edit's button): the seven
// colours and the control it hands the focus to.
class TEsgButtonHolder : public TWinControl, public TButtonColors {
public:
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* Value);

    void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
    // Opaque, without children or caption.
    explicit TEsgButtonHolder(TComponent* AOwner);
    // After a button was used: the focus control takes the focus when it
    // is a tab stop that may take it and has it not; failing that the
    // holder when it is a tab stop.
    void FocusAfterButton();

private:
    TWinControl* FFocusControl = nullptr;
};

// What the spin edit and the edit with button share: a control at the right
// edge, a least height, and typing that can be switched off (pasting and
// cutting then do nothing, as in a read-only edit).
class TEsgSideControlEdit : public TCustomMaskEdit {
public:
    bool EditorEnabled() const { return FEditorEnabled; }
    void SetEditorEnabled(bool Value) { FEditorEnabled = Value; }
    // The least height for the font (and the border).
    virtual Integer GetMinHeight() = 0;

protected:
    explicit TEsgSideControlEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {}
    virtual TControl* SideControl() const = 0;
    // The formatting rectangle, clear of the side control.
    virtual void SetEditRect() = 0;
    // Raises a height below the least one, else places the side control and
    // the formatting rectangle.
    void LayOut();
    void WMSize(TWMSize& Message) override;
    void WMPaste(TMessage& Message) override;
    void WMCut(TMessage& Message) override;

    bool FEditorEnabled = true;
};

// One repeat button of the pair: held down it clicks again after 400 ms and
// then every 100 ms.
class TExTimerSpeedButton : public TSpeedButton {
public:
    explicit TExTimerSpeedButton(TComponent* AOwner);
    ~TExTimerSpeedButton() override;

    TTimeBtnState TimeBtnState() const { return FTimeBtnState; }
    void SetTimeBtnState(TTimeBtnState Value);
    TButtonDirection ButtonDirection() const { return FButtonDirection; }
    void SetButtonDirection(TButtonDirection Value);
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool Value);
    // Null until the first press.
    TTimer* RepeatTimer() const { return FRepeatTimer; }

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;

private:
    void TimerExpired(TObject* Sender);
    // The pair's colours, when the pair draws in its own.
    const TButtonColors* OwnColours() const;
    void DrawOwnColours(const TButtonColors& Colours);
    bool DrawThemed();

    TTimer* FRepeatTimer = nullptr;
    TTimeBtnState FTimeBtnState;
    TButtonDirection FButtonDirection = bdUp;
    bool FIsWinXP = false;
};

// The two repeat buttons as one control; the focused one shows the focus
// rectangle and is clicked by Space.
class TEsgSpinButton : public TEsgButtonHolder {
public:
    explicit TEsgSpinButton(TComponent* AOwner);
    ~TEsgSpinButton() override;

    TSpinDirection Direction() const { return FDirection; }
    void SetDirection(TSpinDirection Value);
    TBitmap* UpGlyph() const { return FUpButton->Glyph(); }
    void SetUpGlyph(TBitmap* Value);
    TNumGlyphs UpNumGlyphs() const { return FUpButton->NumGlyphs(); }
    void SetUpNumGlyphs(TNumGlyphs Value) { FUpButton->SetNumGlyphs(Value); }
    TBitmap* DownGlyph() const { return FDownButton->Glyph(); }
    void SetDownGlyph(TBitmap* Value);
    TNumGlyphs DownNumGlyphs() const { return FDownButton->NumGlyphs(); }
    void SetDownNumGlyphs(TNumGlyphs Value) { FDownButton->SetNumGlyphs(Value); }
    void SetIsWinXP(bool Value);
    void SetFlat(bool Value);
    void SetTransparent(bool Value);

    TExTimerSpeedButton* UpButton() const { return FUpButton; }
    TExTimerSpeedButton* DownButton() const { return FDownButton; }
    TExTimerSpeedButton* FocusedButton() const { return FFocusedButton; }

    TNotifyEvent OnUpClick;
    TNotifyEvent OnDownClick;

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void WMGetDlgCode(TWMGetDlgCode& Message) override;
    void WMSize(TWMSize& Message) override;
    void CMEnter(TMessage& Message) override;
    void CMExit(TMessage& Message) override;
    void ButtonColorsChanged() override;

private:
    TExTimerSpeedButton* CreateButton(TButtonDirection Direction, const char* Glyph);
    void BtnClick(TObject* Sender);
    void BtnMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
    void SetFocusBtn(TExTimerSpeedButton* Btn);
    void LayoutButtons();

    TExTimerSpeedButton* FUpButton;
    TExTimerSpeedButton* FDownButton;
    TExTimerSpeedButton* FFocusedButton;
    TSpinDirection FDirection = spVertical;
};

class TEsgSpinEdit : public TEsgSideControlEdit {
public:
    explicit TEsgSpinEdit(TComponent* AOwner);
    ~TEsgSpinEdit() override;

    TEsgSpinButton* Button() const { return FButton; }

    // Values in the type's form; a text that is none reads as 0 (empty) or
    // MinValue (integers), MinFloatValue (floats), the current date and time
    // (empty or "0") or MinDateValue (dates), 0 (times). Writes are clamped.
    Integer Value() const;
    void SetValue(Integer NewValue);
    double FloatValue() const;
    void SetFloatValue(double NewValue);
    TDateTime DateValue() const;
    void SetDateValue(TDateTime NewValue);
    TDateTime TimeValue() const;
    void SetTimeValue(TDateTime NewValue);

    TEsgSpinType SpinType() const { return FSpinType; }
    void SetSpinType(TEsgSpinType Value);
    Integer Precision() const { return FPrecision; }
    void SetPrecision(Integer Value);
    TSpinDirection Direction() const { return FDirection; }
    void SetDirection(TSpinDirection Value);
    bool ReturnIsTab() const { return FReturnIsTab; }
    void SetReturnIsTab(bool Value) { FReturnIsTab = Value; }
    bool ShowSeconds() const { return FShowSeconds; }
    void SetShowSeconds(bool Value) { FShowSeconds = Value; }
    bool SpinFlat() const { return FSpinFlat; }
    void SetSpinFlat(bool Value);
    bool SpinTransparent() const { return FSpinTransparent; }
    void SetSpinTransparent(bool Value);
    bool AllowEmptyValue() const { return FAllowEmptyValue; }
    void SetAllowEmptyValue(bool Value) { FAllowEmptyValue = Value; }
    TEditAlign EditAlign() const { return FEditAlign; }
    void SetEditAlign(TEditAlign Value);
    bool ExcelStyleDecimalSeparator() const { return FExcelStyleDecimalSeparator; }
    void SetExcelStyleDecimalSeparator(bool Value) { FExcelStyleDecimalSeparator = Value; }

    Integer Increment() const { return FIncrement; }
    void SetIncrement(Integer Value) { FIncrement = Value; }
    double IncrementFloat() const { return FIncrementFloat; }
    void SetIncrementFloat(double Value) { FIncrementFloat = Value; }
    double IncrementFloatPage() const { return FIncrementFloatPage; }
    void SetIncrementFloatPage(double Value) { FIncrementFloatPage = Value; }
    // Refused outside 0 to 23, 0 to 59 and 0 to 59.
    Integer IncrementHours() const { return FIncrementHours; }
    void SetIncrementHours(Integer Value);
    Integer IncrementMinutes() const { return FIncrementMinutes; }
    void SetIncrementMinutes(Integer Value);
    Integer IncrementSeconds() const { return FIncrementSeconds; }
    void SetIncrementSeconds(Integer Value);

    // Equal bounds mean no range.
    Integer MinValue() const { return FMinValue; }
    void SetMinValue(Integer Value) { FMinValue = Value; }
    Integer MaxValue() const { return FMaxValue; }
    void SetMaxValue(Integer Value) { FMaxValue = Value; }
    double MinFloatValue() const { return FMinFloatValue; }
    void SetMinFloatValue(double Value) { FMinFloatValue = Value; }
    double MaxFloatValue() const { return FMaxFloatValue; }
    void SetMaxFloatValue(double Value) { FMaxFloatValue = Value; }
    TDateTime MinDateValue() const { return FMinDateValue; }
    void SetMinDateValue(TDateTime Value) { FMinDateValue = Value; }
    TDateTime MaxDateValue() const { return FMaxDateValue; }
    void SetMaxDateValue(TDateTime Value) { FMaxDateValue = Value; }

    void SetIsWinXP(bool Value);
    Integer GetMinHeight() override;

    virtual void IncrementStep(bool Page);
    virtual void DecrementStep(bool Page);
    virtual bool IsValidChar(Char Key);
    virtual void UpClick(TObject* Sender);
    virtual void DownClick(TObject* Sender);

    void Loaded() override;

protected:
    Integer CheckValue(Integer NewValue) const;
    double CheckFloatValue(double NewValue) const;
    TDateTime CheckDateValue(TDateTime NewValue) const;
    TControl* SideControl() const override { return FButton; }
    void SetEditRect() override;

    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(Char& Key) override;
    void WMKeyDown(TWMKey& Message) override;
    void WMChar(TWMKey& Message) override;
    void CMEnter(TMessage& Message) override;
    void CMExit(TMessage& Message) override;

private:
    void Step(Integer Sign, bool Page);
    void StepDate(Integer Sign);
    void StepTime(Integer Sign);
    // Shows Text with the caret where it was.
    void SetTextKeepCaret(const String& NewText);
    bool Loading() const;

    TEsgSpinButton* FButton;
    Integer FMinValue = 0;
    Integer FMaxValue = 100;
    double FMinFloatValue = 0;
    double FMaxFloatValue = 100.0;
    TDateTime FMinDateValue = 0;
    TDateTime FMaxDateValue = 0;
    TDateTime FDateValue = 0;
    TDateTime FTimeValue = 0;
    Integer FIncrement = 1;
    double FIncrementFloat = 0.1;
    double FIncrementFloatPage = 1.0;
    Integer FIncrementHours = 1;
    Integer FIncrementMinutes = 1;
    Integer FIncrementSeconds = 1;
    TSpinDirection FDirection = spVertical;
    TEsgSpinType FSpinType = sptNormal;
    Integer FPrecision = 0;
    bool FReturnIsTab = false;
    bool FIsWinXP = false;
    bool FExcelStyleDecimalSeparator = false;
    bool FUsDates = false;
    bool FShowSeconds = true;
    TEditAlign FEditAlign = eaLeft;
    bool FSpinFlat = false;
    bool FSpinTransparent = false;
    bool FAllowEmptyValue = false;
};
