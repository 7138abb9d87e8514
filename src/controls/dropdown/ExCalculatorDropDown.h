#pragma once
// The calculator drop-down: a number edit whose pop-up holds a pocket
// calculator made of a button panel. The edit's text is the display; every
// result is written back through the text setter.
#include "controls/dropdown/ExDropDown.h"
#include "controls/dropdown/ExItemSelector.h"

#include <memory>

RTL_NAMED_ENUM(TButtonPanelType, plCalculator, plCustom)

using TCalculatorButtonClickEvent = std::function<void(TObject* Sender, Integer Index)>;

// One push button of the panel; Tag is the operation code the calculator
// acts on.
class TButtonItem : public TCollectionItem {
public:
    explicit TButtonItem(TCollection* ACollection);
    ~TButtonItem() override;

    // Caption, CaptionColor, Tag, ImageIndex, the picture, Enabled and Name;
    // not Special nor the rectangle.
    void Assign(TPersistent* Source) override;

    RTL_STORED_PROPERTY(String, Caption, String())
    RTL_STORED_PROPERTY(Integer, ImageIndex, -1)
    RTL_STORED_PROPERTY(bool, Enabled, true)
    TPicture* Image() const { return FImage.get(); }
    void SetImage(TPicture* Value) { FImage->Assign(Value); }
    RTL_STORED_PROPERTY(Integer, Tag, 0)
    RTL_STORED_PROPERTY(Integer, Height, 0)
    RTL_STORED_PROPERTY(Integer, Left, 0)
    RTL_STORED_PROPERTY(Integer, Width, 0)
    RTL_STORED_PROPERTY(Integer, Top, 0)
    RTL_STORED_PROPERTY(String, Name, String())
    RTL_STORED_PROPERTY(TColor, CaptionColor, clWhite)
    RTL_STORED_PROPERTY(bool, Special, false)

    TRect BoundsRect() const { return TRect(FLeft, FTop, FLeft + FWidth, FTop + FHeight); }

private:
    std::unique_ptr<TPicture> FImage;
};

class TButtonItems : public TCollection {
public:
    explicit TButtonItems(TPersistent* AOwner) : TCollection(CollectionItemClass<TButtonItem>(), AOwner) {}
    TPersistent* GetOwner() const { return Owner(); }
    TButtonItem* Add() { return static_cast<TButtonItem*>(TCollection::Add()); }
    TButtonItem* Insert(int Index) { return static_cast<TButtonItem*>(TCollection::Insert(Index)); }
    TButtonItem* Items(int Index) const { return GetItem(Index); }
    TButtonItem* GetItem(int Index) const { return static_cast<TButtonItem*>(TCollection::Items(Index)); }
    void SetItem(int Index, TButtonItem* Value) { TCollection::SetItems(Index, Value); }

    // Nothing fires it.
    TNotifyEvent OnChange;
};

// Font, caption colours and a colour set of the buttons; every colour
// setter fires OnChange after storing a changed value.
class TButtonAppearance : public TPersistent {
public:
    TButtonAppearance();
    ~TButtonAppearance() override;

    // Every colour (the glow colours as plain fields), the font and the two
    // text colours.
    void Assign(TPersistent* Source) override;

    RTL_PROPERTY_STORED_BY(Store, TColor, BorderColor, clBlack)
    RTL_PROPERTY_STORED_BY(Store, TColor, BorderColorHot, clBlack)
    RTL_PROPERTY_STORED_BY(Store, TColor, BorderColorDown, clBlack)
    RTL_PROPERTY_STORED_BY(Store, TColor, BorderColorChecked, TColor(0xFF0000))
    RTL_PROPERTY_STORED_BY(Store, TColor, Color, TColor(0x9A915F))
    RTL_PROPERTY_STORED_BY(Store, TColor, ColorTo, TColor(0xB0A170))
    RTL_PROPERTY_STORED_BY(Store, TColor, ColorDown, TColor(0x4B2F08))
    RTL_PROPERTY_STORED_BY(Store, TColor, ColorDownTo, TColor(0xADB514))
    RTL_PROPERTY_STORED_BY(Store, TColor, ColorHot, TColor(0x9F6F1C))
    RTL_PROPERTY_STORED_BY(Store, TColor, ColorHotTo, TColor(0xD5C244))
    RTL_PROPERTY_STORED_BY(Store, TColor, ColorCheckedTo, AdjustColor(TColor(0xF9D2B2), -10, -10, 0))
    RTL_PROPERTY_STORED_BY(Store, TColor, ColorDisabled, AdjustColor(clWhite, -5, -5, -5))
    RTL_PROPERTY_STORED_BY(Store, TColor, ColorDisabledTo, AdjustColor(clWhite, -5, -5, -5))
    RTL_PROPERTY_STORED_BY(Store, TColor, ColorChecked, AdjustColor(TColor(0xF5F0E1), -10, -10, 0))
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* Value) { FFont->Assign(Value); }
    RTL_STORED_PROPERTY(TColor, ShineColor, clWhite)
    RTL_STORED_PROPERTY(TColor, GlowColorHot, TColor(0xD5C244))
    RTL_STORED_PROPERTY(TColor, GlowColorDown, TColor(0xD5C244))
    RTL_STORED_PROPERTY(TColor, TextColor, clBlack)
    RTL_STORED_PROPERTY(TColor, SpecialTextColor, clMaroon)

    TNotifyEvent OnChange;

private:
    void Store(TColor& Field, TColor Value);

    std::unique_ptr<TFont> FFont;
};

// Lays out, draws and hit-tests push buttons and reports the index of a
// clicked one. plCalculator makes and places the calculator's 28 buttons;
// plCustom buttons keep their own rectangles.
class TCustomButtonPanel : public TCustomControl {
public:
    explicit TCustomButtonPanel(TComponent* AOwner);
    ~TCustomButtonPanel() override;

    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    TButtonItems* Buttons() const { return FButtons.get(); }
    void SetButtons(TButtonItems* Value) { FButtons->Assign(Value); }
    RTL_STORED_PROPERTY(TItemLayout, ButtonLayout, ilCaptionRight)
    RTL_STORED_PROPERTY(TSelectionColorStyle, ItemColorStyle, scCustom)
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* Value);
    TCustomEdit* Edit() const { return FEdit; }
    void SetEdit(TCustomEdit* Value);
    TButtonPanelType ButtonPanelType() const { return FButtonPanelType; }
    void SetButtonPanelType(TButtonPanelType Value);
    TButtonAppearance* ButtonAppearance() const { return FButtonAppearance.get(); }
    void SetButtonAppearance(TButtonAppearance* Value) { FButtonAppearance->Assign(Value); }
    TExCustomDropDown* DropDown() const { return FDropDown; }
    void SetDropDown(TExCustomDropDown* Value) { FDropDown = Value; }
    Integer ButtonHot() const { return FButtonHot; }
    Integer ButtonDown() const { return FButtonDown; }

    // (-1, -1, -1, -1) outside the collection.
    void GetButtonRect(Integer Index, TRect& R) const;
    Integer ButtonAtPos(Integer X, Integer Y) const;
    // The order in which Paint draws the buttons (the hot one last).
    std::vector<Integer> PaintOrder() const;

    // The virtual operations, in slot order.
    virtual void DrawButton(Integer Index, TCanvas* ACanvas);
    virtual void GetButtonArea(TRect& R) const;
    virtual void GetButtonSize(TSize& Size);
    virtual void ClearButtons();
    virtual void ResetButtons();
    virtual void CreateButtons();
    virtual void ArrangeButtons();
    virtual void InvalidateButton(Integer Index);
    virtual void DoButtonClick(Integer Index);

    TCalculatorButtonClickEvent OnButtonClick;

protected:
    void Paint() override;
    void WMSize(TWMSize& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void CMMouseLeave(TMessage& Message) override;

private:
    bool ValidIndex(Integer Index) const { return Index >= 0 && Index < FButtons->Count(); }
    void SetButtonHot(Integer Index);
    void SetButtonDown(Integer Index);
    // Changes Field as SetButtonHot and SetButtonDown do.
    void ChangeButton(Integer& Field, Integer Index);
    void ArrangeCalculator();
    void DrawFace(TCanvas* ACanvas, const TRect& R, Integer State);
    void DrawContent(TCanvas* ACanvas, TButtonItem* Item, const TRect& Content);
    TSize ImageSize(TButtonItem* Item) const;
    void DrawImage(TCanvas* ACanvas, TButtonItem* Item, Integer X, Integer Y);

    std::unique_ptr<TButtonItems> FButtons;
    Integer FButtonHot = -1;
    Integer FOffsetX = 8;
    Integer FOffsetY = 8;
    Integer FButtonOffsetX = 4;
    Integer FButtonOffsetY = 4;
    TImageList* FImages = nullptr;
    Integer FCaptionGap = 0;
    TCustomEdit* FEdit = nullptr;
    TButtonPanelType FButtonPanelType = plCalculator;
    std::unique_ptr<TButtonAppearance> FButtonAppearance;
    Integer FButtonDown = -1;
    TExCustomDropDown* FDropDown = nullptr;
};

// The calculator drop-down. Accumulator and memory are long double (80-bit
// on x86-64); a result that is not finite counts as an arithmetic failure:
// accumulator 0 and display "0".
class TExCalculatorDropdown : public TExCustomDropDown {
public:
    explicit TExCalculatorDropdown(TComponent* AOwner);
    ~TExCalculatorDropdown() override;
    // Its defaults, after the drop-down's construction steps.
    void AfterConstruction() override;

    void CreateDropDownForm() override;
    void DoBeforeDropDown() override;
    void FormKeyPress(Char& Key) override;
    void FormKeyDown(Word& Key, TShiftState Shift) override;
    void SetComponentStyle(TQVXStyle AStyle) override;
    // The text setter, leaving the caret at the start as the platform's
    // edit does after its text is written: the fraction filter then lets
    // the next digit reach the calculator's key step.
    void SetText(const String& Value) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // The calculator step for one button of the panel.
    void CalcButtonClick(TObject* Sender, Integer Index);
    void CalcResult() { DoEquals(); }
    // Called before each button click and pop-up key is handled.
    virtual void DoInput();

    // The display read as a number; a text that is no number reads 0.
    double Value();
    void SetValue(double V);
    bool ShowThousandSeparator() const { return FShowThousandSeparator; }
    void SetShowThousandSeparator(bool Value);
    TButtonAppearance* CalcButtonAppearance() const { return FCalcButtonAppearance.get(); }
    void SetCalcButtonAppearance(TButtonAppearance* Value) { FCalcButtonAppearance->Assign(Value); }
    TCustomButtonPanel* ButtonPanel() const { return FButtonPanel; }

    // State, for the drop-down's users and tests.
    long double Accumulator() const { return FAccumulator; }
    long double Memory() const { return FMemory; }
    Integer PendingOperation() const { return FPendingOperation; }
    bool NewValue() const { return FNewValue; }
    bool CalculatorClosed() const { return FCalculatorClosed; }

protected:
    void KeyPress(Char& Key) override;
    void WMKeyDown(TWMKey& Message) override;

private:
    void DoCalc();
    void DoEquals();
    void DoPercent();
    void DoOperator(Integer Operation);
    void CalcKeyPress(Char& Key);
    void DigitClick(Integer Digit);
    void TagAction(Integer Tag);
    // The display as a number; "Error", an empty and an unreadable text
    // read 0.
    long double DisplayedNumber() const;
    // "Error" or an empty text becomes "0".
    void ResetUnreadableDisplay();
    // V through SetFloatValue, or the arithmetic failure when it is not
    // finite as a double.
    void ShowNumber(long double V);
    void ArithmeticFailure();
    void ClearCalculator();
    // The caret after the first digit, nothing selected.
    void CaretAfterFirstDigit();
    bool AtMaxLength() const;

    TCustomButtonPanel* FButtonPanel = nullptr;
    // 64 bits: ten times per decimal digit soon leaves 32.
    Int64 FDecimalDivisor = 0;
    bool FNewValue = false;
    long double FAccumulator = 0;
    Integer FPendingOperation = -1;
    bool FCalculatorClosed = true;
    std::unique_ptr<TButtonAppearance> FCalcButtonAppearance;
    long double FMemory = 0;
    bool FShowThousandSeparator = false;
};
