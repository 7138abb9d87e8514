#pragma once
// The combo box of the grid's editors: a flat look, a drop-down button in
// the owner's colours, coloured borders, a colour while focused and a label
// beside it. The label, the button colours and the drawing of the button
// and the borders serve the date pickers as well (ExDateTimePicker,
// EsgDateTimePicker).
#include "rtl/StdCtrls.h"
#include "rtl/TypInfo.h"

#include <memory>

RTL_NAMED_ENUM(TLabelPosition,
    lpLeftTop, lpLeftCenter, lpLeftBottom, lpTopLeft, lpBottomLeft, lpLeftTopLeft, lpLeftCenterLeft,
    lpLeftBottomLeft, lpTopCenter, lpBottomCenter, lpRightTop, lpRightCenter, lpRighBottom)

// Where a label stands (its left and top) beside a control with the bounds
// Control: TextWidth is the width of its text, Label its size, Margin the
// gap. Centred means the label's middle on the control's middle, the offset
// truncated towards zero.
TPoint PlaceLabel(TLabelPosition Position, const TRect& Control, Integer TextWidth, TSize Label, Integer Margin);

// The frame of a disabled themed control whose DisabledBorder is off.
constexpr TColor EsgDisabledBorderColor = TColor(0xB99D7F);

// A one-pixel frame just inside R.
void FrameInColour(TCanvas* Canvas, const TRect& R, TColor Color);

// The seven colours of a button drawn in the owner's colours; with
// ButtonColor at clDefault the platform's look is kept.
class TButtonColors {
public:
    TColor ButtonColor() const { return FButtonColor; }
    void SetButtonColor(TColor Value) { SetButtonColorField(FButtonColor, Value); }
    TColor ButtonColorHot() const { return FButtonColorHot; }
    void SetButtonColorHot(TColor Value) { SetButtonColorField(FButtonColorHot, Value); }
    TColor ButtonColorDown() const { return FButtonColorDown; }
    void SetButtonColorDown(TColor Value) { SetButtonColorField(FButtonColorDown, Value); }
    TColor ButtonTextColor() const { return FButtonTextColor; }
    void SetButtonTextColor(TColor Value) { SetButtonColorField(FButtonTextColor, Value); }
    TColor ButtonTextColorHot() const { return FButtonTextColorHot; }
    void SetButtonTextColorHot(TColor Value) { SetButtonColorField(FButtonTextColorHot, Value); }
    TColor ButtonTextColorDown() const { return FButtonTextColorDown; }
    void SetButtonTextColorDown(TColor Value) { SetButtonColorField(FButtonTextColorDown, Value); }
    TColor ButtonBorderColor() const { return FButtonBorderColor; }
    void SetButtonBorderColor(TColor Value) { SetButtonColorField(FButtonBorderColor, Value); }

    bool HasButtonColor() const { return FButtonColor != clDefault; }
    // The fill of the button: down wins over hot.
    TColor ButtonFillColor(bool Hot, bool Down) const;

protected:
    TButtonColors() = default;
    virtual ~TButtonColors() = default;
    // A colour changed (the control repaints).
    virtual void ButtonColorsChanged() {}

private:
    void SetButtonColorField(TColor& Field, TColor Value);

    TColor FButtonColor = clDefault;
    TColor FButtonColorHot = clDefault;
    TColor FButtonColorDown = clDefault;
    TColor FButtonTextColor = clDefault;
    TColor FButtonTextColorHot = clDefault;
    TColor FButtonTextColorDown = clDefault;
    TColor FButtonBorderColor = clDefault;
};

// The drop-down button in the owner's colours: Fill filled in the state's
// colour, a line in the border colour at x = LineX down the fill, and the
// down triangle (Tip.X, Tip.Y), (Tip.X + 6, Tip.Y), (Tip.X + 3, Tip.Y + 3) in
// the text colour (the down text colour while down).
void DrawColouredDropButton(TCanvas* Canvas, const TButtonColors& Colors, const TRect& Fill, Integer LineX,
                            TPoint Tip, bool Hot, bool Down);

// The flat border of the combo box and the pickers in two colours: Outer
// (the button face with FocusEdge, else the parent's colour) and Inner (the
// control's colour). With FocusEdge a sunken outer edge, a frame in Outer and
// one in Inner; without, a frame in Outer, then (the button's width taken
// off the right) another in Outer and one in Inner. Gives the innermost
// rectangle.
TRect DrawFlatBorder(TCanvas* Canvas, TRect R, TColor Outer, TColor Inner, bool FocusEdge, Integer ButtonWidth);

// The classic border around the drop-down button: its inner part is left
// alone; the ring around it is filled with the button face while the
// control is not active (Raised: a raised edge around it while active, flat
// with Flat). The button's area is excluded from the canvas afterwards.
void DrawDropButtonBorder(TCanvas* Canvas, Integer ClientWidth, Integer ClientHeight, Integer ButtonWidth,
                          bool Active, bool RaisedWhenActive, bool Flat);

// ---------------------------------------------------------------------------

// The label a control carries beside it, made on the first caption and
// freed with the control; its parent is the control's parent and its focus
// control the control.
class TLabelledControl {
public:
    String LabelCaption() const;
    void SetLabelCaption(const String& Value);
    TLabelPosition LabelPosition() const { return FLabelPosition; }
    void SetLabelPosition(TLabelPosition Value);
    Integer LabelMargin() const { return FLabelMargin; }
    void SetLabelMargin(Integer Value);
    bool LabelTransparent() const { return FLabelTransparent; }
    void SetLabelTransparent(bool Value);
    // The label stays enabled when the control is disabled.
    bool LabelAlwaysEnabled() const { return FLabelAlwaysEnabled; }
    void SetLabelAlwaysEnabled(bool Value);
    // The label is bold while the control has the focus.
    bool FocusLabel() const { return FFocusLabel; }
    void SetFocusLabel(bool Value) { FFocusLabel = Value; }
    TFont* LabelFont() const { return FLabelFont.get(); }
    // Copied only while the control does not take its parent's font.
    void SetLabelFont(TFont* Value);

    // Transparency, font, place beside the control and visibility of the
    // label (nothing without one).
    virtual void UpdateLabel();

protected:
    explicit TLabelledControl(TWinControl* AControl);
    virtual ~TLabelledControl();

    TLabel* AttachedLabel() const { return FLabel; }
    // From the control's Notification: the label going away (its parent may
    // free it before the control).
    void LabelNotification(TComponent* AComponent, TOperation Operation);
    // The font the label takes when placed; null keeps its own.
    virtual TFont* LabelFontInUse() const;
    // The label was just made.
    virtual void LabelMade(TLabel*) {}
    // The control's state passed on to the label.
    void LabelFollowEnabled();
    void LabelFollowVisible();
    void LabelFollowParent();
    void LabelShowFocus(bool Focused);

private:
    TWinControl* FControl;
    TLabel* FLabel = nullptr;
    std::unique_ptr<TFont> FLabelFont;
    TLabelPosition FLabelPosition = lpLeftTop;
    Integer FLabelMargin = 4;
    bool FLabelTransparent = false;
    bool FLabelAlwaysEnabled = false;
    bool FFocusLabel = false;
};

// ---------------------------------------------------------------------------

class TEsgCustomCombo : public TCustomComboBox, public TButtonColors, public TLabelledControl {
public:
    explicit TEsgCustomCombo(TComponent* AOwner);
    ~TEsgCustomCombo() override;

    // The colour left behind by the focus: the current colour.
    void Init();
    // Selects the item equal to AString; nothing when there is none.
    void SelectItem(const String& AString);

    bool AutoFocus() const { return FAutoFocus; }
    void SetAutoFocus(bool Value) { FAutoFocus = Value; }
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    bool Etched() const { return FEtched; }
    void SetEtched(bool Value);
    Integer ButtonWidth() const { return FButtonWidth; }
    // Taken only from 14 to 32.
    void SetButtonWidth(Integer Value);
    bool FocusBorder() const { return FFocusBorder; }
    void SetFocusBorder(bool Value) { FFocusBorder = Value; }
    Integer DropWidth() const { return FDropWidth; }
    void SetDropWidth(Integer Value);
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool Value) { FIsWinXP = Value; }
    bool IsVista() const { return FIsVista; }
    void SetIsVista(bool Value) { FIsVista = Value; }
    TColor FlatLineColor() const { return FFlatLineColor; }
    void SetFlatLineColor(TColor Value);
    bool FlatParentColor() const { return FFlatParentColor; }
    void SetFlatParentColor(bool Value);
    TColor FocusColor() const { return FFocusColor; }
    void SetFocusColor(TColor Value) { FFocusColor = Value; }
    TColor FocusBorderColor() const { return FFocusBorderColor; }
    void SetFocusBorderColor(TColor Value);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    bool DisabledBorder() const { return FDisabledBorder; }
    void SetDisabledBorder(bool Value);
    TLabel* ComboLabel() const { return AttachedLabel(); }

    void SetEnabled(bool Value) override;
    void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    TNotifyEvent OnDropUp;

protected:
    // The themed look is in use: common controls 6 and an active theme.
    bool IsThemedXP() const;
    // Drawn over the platform's combo box: the button and the borders.
    void PaintOver(TCanvas* Canvas) override;
    void DrawButton(TCanvas* Canvas);
    void DrawBorders(TCanvas* Canvas);
    void DrawControlBorder(TCanvas* Canvas);
    void DrawButtonBorder(TCanvas* Canvas);

    void DropDown() override;
    void CloseUp() override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void CMEnter(TMessage& Message) override;
    void CMExit(TMessage& Message) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;
    void CMVisibleChanged(TMessage& Message) override;
    void CMColorChanged(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    void CMParentFontChanged(TMessage& Message) override;
    void ButtonColorsChanged() override;

private:
    bool NeedsPaintOver() const;
    bool NeedsFocusBorder() const;
    bool Loading() const;

    bool FAutoFocus = false;
    bool FFlat = false;
    bool FEtched = false;
    TColor FOldColor = clWindow;
    bool FOldParentColor = false;
    TColor FLoadedColor = clWindow;
    Integer FButtonWidth = 0;
    bool FFocusBorder = false;
    Integer FDropWidth = 0;
    bool FIsWinXP = false;
    bool FIsVista = false;
    bool FIsThemed = false;
    bool FButtonHover = false;
    TColor FFlatLineColor = clDefault;
    bool FFlatParentColor = true;
    TColor FFocusColor = clDefault;
    TColor FFocusBorderColor = clDefault;
    TColor FBorderColor = clDefault;
    bool FDisabledBorder = true;
    TColor FNormalColor = 0;
    bool FHasFocus = false;
};

class TEsgComboBox : public TEsgCustomCombo {
public:
    explicit TEsgComboBox(TComponent* AOwner) : TEsgCustomCombo(AOwner) {}
};
