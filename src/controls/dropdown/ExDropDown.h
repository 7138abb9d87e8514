#pragma once
// The drop-down edit: a masked edit with a drop-down button and a pop-up
// window that hosts one editor-specific control between an optional header
// and footer bar. Every drop-down editor derives from TExCustomDropDown.
// Construct them with NewObject<T>(Owner): the steps that call operations
// the editors override run in AfterConstruction.
#include "controls/dropdown/ExDropDown_Buttons.h"
#include "controls/dropdown/ExDropDown_Draw.h"
#include "grid/base/ExDropDown_Appearance.h"
#include "grid/base/ExStyleIF.h"
#include "rtl/Buttons.h"
#include "rtl/Forms.h"
#include "rtl/Mask.h"
#include "rtl/StdCtrls.h"

#include <memory>

class TExCustomDropDown;
class TDropDownForm;
class TItemAppearance;

namespace dropdown {
// The label's places beside the drop-down (the combo box of the grid
// foundation has a list of its own).
RTL_NAMED_ENUM(TLabelPosition, lpLeftTop, lpLeftCenter, lpLeftBottom, lpTopLeft, lpBottomLeft, lpLeftTopLeft,
               lpLeftCenterLeft, lpLeftBottomLeft, lpTopCenter, lpBottomCenter, lpRightTop, lpRightCenter,
               lpRighBottom, lpTopRight, lpBottomRight)
} // namespace dropdown

RTL_NAMED_ENUM(TDropDownEditType, etString, etNumeric, etFloat, etUppercase, etMixedCase, etLowerCase,
               etPassword, etMoney, etRange, etHex, etAlphaNumeric, etValidChars)
RTL_NAMED_ENUM(TDropPosition, dpAuto, dpDown, dpUp)
RTL_NAMED_ENUM(TSelectionColorStyle, scCustom, scOffice2007, scWindowsVista, scWindows7)

// The grid lines and selection colour the list drop-downs take from a
// selection preset; false for a preset that sets none of them.
struct TListPresetColors {
    TColor Line;
    TColor FixedLine;
    TColor Selection;
};
bool ListPresetColors(TSelectionColorStyle Value, TListPresetColors& Colors);

enum TDropDownButtonStyle { bsButton, bsDropDown };
// Hit-test answers of the pop-up: nowhere, or its bottom-right sizing corner.
enum : Integer { HTNOWHERE = 0, HTBOTTOMRIGHT = 17 };

using TDropDown = std::function<void(TObject* Sender, bool& acceptdrop)>;
using TDropUp = std::function<void(TObject* Sender, bool Cancelled)>;
using TDropDownButtonItemClick = std::function<void(TObject* Sender, Integer ButtonIndex)>;
using TDrawBackGroundEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, TRect ARect)>;
using TGetTextEvent = std::function<void(TObject* Sender, String& Text)>;
namespace dropdown {
// The string grid's clipboard event has no value argument.
using TClipboardEvent = std::function<void(TObject* Sender, String value, bool& allow)>;
} // namespace dropdown

// ---------------------------------------------------------------------------
// The drop-down button

// The speed button inside the drop-down button: the combo box's drop-down
// button (themed, classic or in custom colours) or a push button.
class TExDropDownSpeedButton : public TSpeedButton {
public:
    explicit TExDropDownSpeedButton(TComponent* AOwner);

    bool Etched() const { return FEtched; }
    void SetEtched(bool Value);
    // Set by the drop-down's border painting; a change only repaints.
    bool Focused() const { return FFocused; }
    void SetFocused(bool Value);
    TDropDownButtonStyle ButtonStyle() const { return FButtonStyle; }
    void SetButtonStyle(TDropDownButtonStyle Value);
    // Once set, the button never draws as pressed.
    void SetUp();
    bool Hot() const { return FHot; }

protected:
    void Paint() override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;

private:
    bool Pressed() const;
    TExCustomDropDown* DropDown() const;
    void PaintDropDownStyle();
    void PaintButtonStyle();
    // Glyph and caption of the themed push-button look.
    void PaintThemedContent(const TRect& Client);

    bool FEtched = false;
    bool FFocused = false;
    bool FHot = false;
    bool FUp = false;
    bool FIsWinXP = true;
    TDropDownButtonStyle FButtonStyle = bsButton;
};

// The window that holds the speed button at the drop-down's right edge; its
// width is always the button width. OnClick comes on the left button's
// release, also outside the button.
class TDropDownEditButton : public TWinControl {
public:
    explicit TDropDownEditButton(TComponent* AOwner);

    void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    TExDropDownSpeedButton* SpeedButton() const { return FButton; }
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* Value);
    TBitmap* Glyph() const { return FButton->Glyph(); }
    void SetGlyph(TBitmap* Value) { FButton->SetGlyph(Value); }
    String ButtonCaption() const { return FButton->Caption(); }
    void SetButtonCaption(const String& Value) { FButton->SetCaption(Value); }
    TNumGlyphs NumGlyphs() const { return FButton->NumGlyphs(); }
    void SetNumGlyphs(TNumGlyphs Value) { FButton->SetNumGlyphs(Value); }
    Integer BWidth() const { return FBWidth; }
    void SetBWidth(Integer Value) { FBWidth = Value; }

    RTL_STORED_PROPERTY(TColor, ButtonColorDown, clNone)
    RTL_STORED_PROPERTY(TColor, ButtonBorderColor, clNone)
    RTL_STORED_PROPERTY(TColor, ButtonTextColor, clNone)
    RTL_STORED_PROPERTY(TColor, ButtonTextColorHot, clNone)
    RTL_STORED_PROPERTY(TColor, ButtonColor, clNone)
    RTL_STORED_PROPERTY(TColor, ButtonColorHot, clNone)
    RTL_STORED_PROPERTY(TColor, ButtonTextColorDown, clNone)

    TNotifyEvent OnClick;

protected:
    void WMSize(TWMSize& Message) override;
    void CMEnabledChanged(TMessage& Message) override;

private:
    void ApplySizeRule();
    void SpeedButtonMouseUp(TObject* Sender, TMouseButton Button);

    TExDropDownSpeedButton* FButton = nullptr;
    TWinControl* FFocusControl = nullptr;
    Integer FBWidth = 16;
};

// A window control that paints its child controls into a canvas.
class TWinCtrl : public TWinControl {
public:
    using TWinControl::TWinControl;
    // The controls from First on, each at its place.
    void PaintCtrls(TCanvas* Canvas, TControl* First);
};

// ---------------------------------------------------------------------------
// Header and footer bars

// The bar's buttons.
class TDbgList : public TList {
public:
    void AssignList(const TList& Other);
    // Raise "Index out of bounds in list read access" / "... write access"
    // when the index is not below the count.
    void* GetItemsEx(int Index) const;
    void SetItemsEx(int Index, void* Value);
};

// What the header and footer share: background, border, image, mini-HTML
// caption and a row of TExButton.
class TExDropDownBar : public TCustomControl {
public:
    ~TExDropDownBar() override;

    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* Value);
    TExCustomDropDown* ExDropDown() const { return FExDropDown; }
    TDbgList* ButtonList() const { return FButtonList.get(); }
    TExButton* Button(int Index) const { return static_cast<TExButton*>(FButtonList->GetItemsEx(Index)); }

    virtual void CreateButtons();
    virtual void DestroyButtons();
    virtual void ArrangeButtons();
    virtual void UpdateButtons();
    virtual TRect GetButtonArea() const = 0;
    TRect GetCaptionRect() const;

    void Notification(TComponent* AComponent, TOperation Operation) override;

    TDrawBackGroundEvent OnDrawBackGround;
    TGetTextEvent OnGetText;

protected:
    TExDropDownBar(TComponent* AOwner, std::unique_ptr<TDropDownBarAppearance> AAppearance);
    TDropDownBarAppearance* BarAppearance() const { return FAppearance.get(); }
    // The drop-down's settings this bar copies.
    virtual TDropDownBarAppearance* SourceAppearance() const = 0;
    virtual TDropDownBarButtons* SourceButtons() const = 0;
    // Header: the bottom edge faces the list; footer: the top edge.
    virtual bool ListSideIsTop() const = 0;
    // Sets up a new button from its item (the footer adds its result).
    virtual void InitButton(TExButton* Button, TDropDownBarButton* Item);
    virtual void RaiseButtonClick(Integer ButtonIndex) = 0;
    // Records the editor and copies its settings and images.
    void BindDropDown(TExCustomDropDown* Value);

    void Paint() override;
    void WMSize(TWMSize& Message) override;

private:
    void PaintBorder(const TRect& R);
    void PaintCaption(TRect Area);
    void ButtonClick(TObject* Sender);
    void AppearanceChanged(TObject* Sender);

    std::unique_ptr<TDropDownBarAppearance> FAppearance;
    TImageList* FImages = nullptr;
    TExCustomDropDown* FExDropDown = nullptr;
    std::unique_ptr<TDbgList> FButtonList;
};

class TExHeader : public TExDropDownBar {
public:
    explicit TExHeader(TComponent* AOwner);

    THeaderAppearance* Appearance() const { return static_cast<THeaderAppearance*>(BarAppearance()); }
    void SetAppearance(THeaderAppearance* Value) { Appearance()->Assign(Value); }
    THeaderButtons* Buttons() const;
    void SetExDropDown(TExCustomDropDown* Value) { BindDropDown(Value); }
    void UpdateHeader();
    TRect GetButtonArea() const override;

protected:
    TDropDownBarAppearance* SourceAppearance() const override;
    TDropDownBarButtons* SourceButtons() const override { return Buttons(); }
    bool ListSideIsTop() const override { return false; }
    void RaiseButtonClick(Integer ButtonIndex) override;
};

class TExFooter : public TExDropDownBar {
public:
    explicit TExFooter(TComponent* AOwner);

    TFooterAppearance* Appearance() const { return static_cast<TFooterAppearance*>(BarAppearance()); }
    void SetAppearance(TFooterAppearance* Value) { Appearance()->Assign(Value); }
    TFooterButtons* Buttons() const;
    void SetExDropDown(TExCustomDropDown* Value) { BindDropDown(Value); }
    void UpdateFooter();
    TRect GetButtonArea() const override;
    // The settings' SizeGrip with a sizeable drop-down.
    bool ShowSizeGrip() const;
    void DrawSizeGrip(const TRect& R);
    bool InCorner(Integer X, Integer Y) const;

protected:
    TDropDownBarAppearance* SourceAppearance() const override;
    TDropDownBarButtons* SourceButtons() const override { return Buttons(); }
    bool ListSideIsTop() const override { return true; }
    void InitButton(TExButton* Button, TDropDownBarButton* Item) override;
    void RaiseButtonClick(Integer ButtonIndex) override;
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;

private:
    void RestoreCursor();
    TDropDownForm* PopupForm() const;

    TCursor FOldCursor = crDefault;
};

// ---------------------------------------------------------------------------
// The pop-up form

// A frameless window kept above its owner's window; it closes when a
// window outside its own chain is activated.
class TDropDownForm : public TForm {
public:
    explicit TDropDownForm(TComponent* AOwner);
    ~TDropDownForm() override;

    Cardinal DeActivateTime() const { return FDeActivate; }
    bool Shadow() const { return FShadow; }
    void SetShadow(bool Value) { FShadow = Value; }
    TExFooter* Footer() const { return FFooter; }
    TExHeader* Header() const { return FHeader; }
    TExCustomDropDown* ExDropDown() const { return FExDropDown; }
    void SetExDropDown(TExCustomDropDown* Value) { FExDropDown = Value; }
    TScrollBox* ScrollBox() const { return nullptr; }
    bool Sizeable() const { return FSizeable; }
    void SetSizeable(bool Value) { FSizeable = Value; }
    bool CancelOnDeActivate() const { return FCancelOnDeActivate; }
    void SetCancelOnDeActivate(bool Value) { FCancelOnDeActivate = Value; }
    bool BlockActivate() const { return FBlockActivate; }
    void SetBlockActivate(bool Value) { FBlockActivate = Value; }

    // Builds or refreshes header and footer from the drop-down.
    void InitializeAndUpdate();
    virtual void UpdateSize() {}
    // HTBOTTOMRIGHT in the bottom-right 10 x 10 while Sizeable, else 0.
    Integer HitTest(const TPoint& ClientPoint) const;
    // The window system's sizing from the bottom-right corner; false when
    // it does not offer one.
    bool StartSystemResize();
    // Where the window system does not size the pop-up, it follows the
    // mouse (screen points) from BeginSizing to EndSizing.
    void BeginSizing(const TPoint& ScreenPoint);
    void SizingTo(const TPoint& ScreenPoint);
    void EndSizing() { FSizing = false; }
    bool Sizing() const { return FSizing; }
    // The pop-up sized (never below its least size), raising OnSizing.
    void SizeTo(Integer AWidth, Integer AHeight);
    // A frameless window kept above the drop-down's form.
    void AttachToOwnerWindow(TWinControl* Control);
    // Keys a hosted control left unhandled reach it no further: the
    // control's key events relay them to the edit already.
    bool WidgetEvent(QEvent* Event) override;

    // The least size the pop-up takes (the drop-down sets 80 x 50).
    void SetMinSize(Integer AWidth, Integer AHeight);
    TSize MinSize() const { return FMinSize; }

    TNotifyEvent OnSizing;

    bool WidgetPaint(QPaintEvent* Event) override;

protected:
    void AdjustClientRect(TRect& Rect) override;
    void Deactivate() override;
    void WMGetDlgCode(TWMGetDlgCode& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void WMSize(TWMSize& Message) override;

private:
    void PaintBackground();
    // The window being activated lies in this window's chain.
    bool IsInternalActivation() const;

    Cardinal FDeActivate = 0;
    bool FShadow = true;
    TExFooter* FFooter = nullptr;
    TExHeader* FHeader = nullptr;
    TExCustomDropDown* FExDropDown = nullptr;
    bool FSizeable = false;
    bool FCancelOnDeActivate = true;
    bool FBlockActivate = false;
    bool FSizing = false;
    TPoint FSizeStart;
    TSize FSizeFrom;
    TSize FMinSize{0, 0};
};

// ---------------------------------------------------------------------------
// The drop-down edit

class TExCustomDropDown : public TCustomMaskEdit, public IQVXTones, public IQVXStyle {
public:
    explicit TExCustomDropDown(TComponent* AOwner);
    ~TExCustomDropDown() override;

    // Construction steps that call operations the editors override.
    void AfterConstruction() override;

    void ShowDropDown() { DoShowDropDown(); }
    void HideDropDown(bool CancelChanges) { DoHideDropDown(CancelChanges); }
    // The value selected: caret after the Prefix.
    void SelectAll();
    void SelectAfterDecimal();
    void SelectBeforeDecimal();
    void Assign(TPersistent* Source) override;
    TQVXStyle GetComponentStyle() const { return FQVXStyle; }
    void SetComponentStyle(TQVXStyle AStyle) override;
    void SetColorTones(const TColorTones& ATones) override;

    // The value: the raw text without Prefix and Suffix.
    String GetText() const override;
    virtual void SetText(const String& Value);
    // The raw text as it comes, without Prefix, Suffix or formatting.
    void SetPlainText(const String& Value);
    String RawText() const { return TCustomMaskEdit::GetText(); }
    bool DroppedDown() const { return FDroppedDown; }
    TDropDownEditButton* Button() const { return FButton; }
    String Version() const;
    TDropDownForm* DropDownForm() const { return FDropDownForm; }
    TControl* Control() const { return FControl; }
    void SetControl(TControl* Value);
    TLabel* EditLabel() const { return FLabel; }

    // Number values (edit types).
    void SetEditType(TDropDownEditType Value);
    TDropDownEditType EditType() const { return FEditType; }
    void SetPrecision(SmallInt Value);
    SmallInt Precision() const { return FPrecision; }
    void SetFloatValue(double Value);
    double GetFloatValue();
    void SetIntValue(Integer Value);
    double TextToFloat(String S) const;
    void SetModified(bool Value);
    bool GetIsModified() const { return FIsModified; }
    // The hot and selected colours of an item list for a style.
    void SetItemAppearanceStyle(TItemAppearance* Appearance, TQVXStyle AStyle);
    Integer CharFromPos(const TPoint& P);
    TRect GetEditRect() const { return FEditRect; }
    Integer GetMinHeight();
    String GetButtonCaption() const { return FButton->ButtonCaption(); }
    void SetButtonCaption(const String& Value) { FButton->SetButtonCaption(Value); }

    // Settings.
    bool EditorEnabled() const { return FEditorEnabled; }
    void SetEditorEnabled(bool Value);
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* Value);
    Integer DropDownWidth() const { return FDropDownWidth; }
    void SetDropDownWidth(Integer Value);
    Integer DropDownHeight() const { return FDropDownHeight; }
    void SetDropDownHeight(Integer Value);
    Integer DropDownButtonWidth() const { return FButtonWidth; }
    void SetDropDownButtonWidth(Integer Value);
    const String& DropDownButtonHint() const { return FButtonHint; }
    void SetDropDownButtonHint(const String& Value);
    TBitmap* GetDropDownButtonGlyph() const { return FButton ? FButton->Glyph() : nullptr; }
    void SetDropDownButtonGlyph(TBitmap* Value);
    THeaderAppearance* DropDownHeader() const { return FDropDownHeader.get(); }
    void SetDropDownHeader(THeaderAppearance* Value) { FDropDownHeader->Assign(Value); }
    TFooterAppearance* DropDownFooter() const { return FDropDownFooter.get(); }
    void SetDropDownFooter(TFooterAppearance* Value) { FDropDownFooter->Assign(Value); }
    TExButtonAppearance* ButtonAppearance() const { return FButtonAppearance.get(); }
    void SetButtonAppearance(TExButtonAppearance* Value) { FButtonAppearance->Assign(Value); }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    TColor FocusBorderColor() const { return FFocusBorderColor; }
    void SetFocusBorderColor(TColor Value) { FFocusBorderColor = Value; }
    bool DisabledBorder() const { return FDisabledBorder; }
    void SetDisabledBorder(bool Value);
    TColor DropDownColor() const { return FDropDownColor; }
    void SetDropDownColor(TColor Value) { FDropDownColor = Value; }
    bool DropDownEnabled() const { return FDropDownEnabled; }
    void SetDropDownEnabled(bool Value) { FDropDownEnabled = Value; }
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* Value);

    RTL_STORED_PROPERTY(TDropPosition, DropPosition, dpAuto)
    RTL_STORED_PROPERTY(bool, Flat, false)
    RTL_STORED_PROPERTY(bool, DropDownShadow, true)
    RTL_STORED_PROPERTY(Integer, DropDownBorderWidth, 1)
    RTL_STORED_PROPERTY(TColor, DropDownColorTo, clNone)
    RTL_STORED_PROPERTY(TColor, DropDownBorderColor, clBlack)
    RTL_STORED_PROPERTY(bool, Etched, false)
    RTL_STORED_PROPERTY(TGradientDirection, DropDownGradient, gdHorizontal)
    RTL_STORED_PROPERTY(bool, DropDownSizeable, true)
    RTL_STORED_PROPERTY(TColor, SelectionColor, clNone)
    RTL_STORED_PROPERTY(TColor, SelectionColorTo, clNone)
    TSelectionColorStyle SelectionColorStyle() const { return FSelectionColorStyle; }
    RTL_STORED_PROPERTY(SmallInt, LengthLimit, 0)
    RTL_STORED_PROPERTY(String, Prefix, String())
    RTL_STORED_PROPERTY(String, Suffix, String())
    RTL_STORED_PROPERTY(bool, Signed, false)
    RTL_STORED_PROPERTY(bool, ReturnIsTab, false)
    RTL_STORED_PROPERTY(bool, AllowNumericNullValue, false)
    RTL_STORED_PROPERTY(bool, DefaultHandling, true)
    RTL_STORED_PROPERTY(bool, CanUndo, true)
    RTL_STORED_PROPERTY(bool, ExcelStyleDecimalSeparator, false)
    RTL_STORED_PROPERTY(String, ValidChars, String())
    RTL_STORED_PROPERTY(bool, AutoThousandSeparator, true)
    RTL_STORED_PROPERTY(bool, FocusDraw, true)
    RTL_STORED_PROPERTY(bool, ForceShadow, false)
    RTL_STORED_PROPERTY(bool, LabelAlwaysEnabled, false)

    // The label.
    String LabelCaption() const;
    void SetLabelCaption(const String& Value);
    Integer LabelMargin() const { return FLabelMargin; }
    void SetLabelMargin(Integer Value);
    dropdown::TLabelPosition LabelPosition() const { return FLabelPosition; }
    void SetLabelPosition(dropdown::TLabelPosition Value);
    bool LabelTransparent() const { return FLabelTransparent; }
    void SetLabelTransparent(bool Value);
    TFont* LabelFont() const { return FLabelFont.get(); }
    void SetLabelFont(TFont* Value);

    // The two streamed integers, stored without applying their presets.
    Integer ReadSelectionColorStyle() const { return Integer(FSelectionColorStyle); }
    void WriteSelectionColorStyle(Integer Value) { FSelectionColorStyle = TSelectionColorStyle(Value); }
    Integer ReadQVXStyle() const { return Integer(FQVXStyle); }
    void WriteQVXStyle(Integer Value) { FQVXStyle = TQVXStyle(Value); }

    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Loaded() override;
    void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
    bool WidgetEvent(QEvent* Event) override;

    TDropDown OnDropDown;
    TDropUp OnDropUp;
    TNotifyEvent OnBeforeDropDown;
    TNotifyEvent OnBeforeDropUp;
    TDropDownButtonItemClick OnDropDownFooterButtonClick;
    TDropDownButtonItemClick OnDropDownHeaderButtonClick;
    TDrawBackGroundEvent OnDrawHeader;
    TDrawBackGroundEvent OnDrawFooter;
    TGetTextEvent OnGetFooterText;
    TGetTextEvent OnGetHeaderText;
    dropdown::TClipboardEvent OnClipboardCopy;
    dropdown::TClipboardEvent OnClipboardPaste;
    dropdown::TClipboardEvent OnClipboardCut;
    TNotifyEvent OnLabelClick;
    TNotifyEvent OnLabelDblClick;

    // The virtual operations, in slot order.
    virtual void LabelClick(TObject* Sender);
    virtual void LabelDblClick(TObject* Sender);
    virtual Integer GetVersionNr() const;
    virtual void CreateDropDownForm();
    virtual void CreateDropDownButton();
    virtual void InitDropDownButton();
    virtual void DoBeforeDropDown();
    virtual void AdjustDropDownHeight(Integer& Height);
    virtual void FocusDropDownControl();
    virtual void DoShowDropDown();
    virtual void PlaceDropDownControl();
    virtual void UpdateDropDownSize();
    virtual void DoHideDropDown(bool Cancel);
    virtual void DropDownClosed();
    virtual void DropDownFormDestroyed();
    virtual void FormMouseWheelDown();
    virtual void FormMouseWheelUp();
    virtual void FormKeyPress(Char& Key);
    virtual void FormKeyDown(Word& Key, TShiftState Shift);
    virtual void FormKeyUp(Word& Key, TShiftState Shift);
    virtual void ControlKeyDown(Word& Key, TShiftState Shift);
    virtual void ControlKeyUp(Word& Key, TShiftState Shift);
    virtual void ControlKeyPress(Char& Key);
    virtual void DropDownResized();
    virtual void SelectNext();
    virtual void SelectPrevious();
    virtual void PaintReadOnlyFocus(TCanvas* Canvas);
    virtual void SetEditRect();
    virtual void ArrangeButton();
    // (SetText is slot 30, above.)
    virtual void SetSelectionColorStyle(TSelectionColorStyle Value);
    virtual void DrawSelectionBackground(TCanvas* Canvas, const TRect& R, TColor CornerColor, Integer Kind);
    virtual void DrawGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, Integer Steps, const TRect& R,
                              TGradientDirection Direction);
    // (SetComponentStyle and SetColorTones are slots 34 and 35, above.)

    // The rectangle and the key press that opened a click.
    void DoButtonClick();
    // The mouse over the control or the control the screen's active one.
    bool IsHot() const;
    void PaintBorder();
    // The label placed by LabelPosition, visible with the control.
    void UpdateLabel();

protected:
    void WndProc(TMessage& Message) override;
    void CNCommand(TMessage& Message) override;
    // Also sees the system keys (Alt+Up, Alt+Down).
    void WMKeyDown(TWMKey& Message) override;
    void WMKeyUp(TWMKey& Message) override;
    void WMChar(TWMKey& Message) override;
    // Enter becomes no character.
    void KeyPress(Char& Key) override;
    void CMWantSpecialKey(TCMWantSpecialKey& Message) override;
    void WMLButtonDown(TWMMouse& Message) override;
    void WMLButtonUp(TWMMouse& Message) override;
    bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) override;
    void WMSetFocus(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;
    void DoEnter() override;
    void CMEnter(TMessage& Message) override;
    void CMExit(TMessage& Message) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    void CMParentFontChanged(TMessage& Message) override;
    void CMVisibleChanged(TMessage& Message) override;
    void WMSize(TWMSize& Message) override;
    void WMPaste(TMessage& Message) override;
    void WMCut(TMessage& Message) override;
    void WMCopy(TMessage& Message) override;
    void PaintOver(TCanvas* Canvas) override;
    // Border rules on the whole control.
    void DrawBorder(TCanvas* Canvas);

    TDropDownForm* FDropDownForm = nullptr;
    TDropDownEditButton* FButton = nullptr;
    String FOldText;
    bool FBlockChange = false;

private:
    friend class TDropDownForm;
    void ButtonClick(TObject* Sender);
    void HeaderChanged(TObject* Sender);
    void FooterChanged(TObject* Sender);
    void LabelFontChanged(TObject* Sender);
    void CreateLabel();
    // Placement of the pop-up at the screen point P, by DropPosition.
    void PlaceDropDown(const TPoint& P);
    // The form's right edge moved back into the work area at P.
    void CorrectRightEdge(const TPoint& P);
    TPoint ScreenPointOfControl() const;
    // A key to the edit's window as WM_KEYDOWN or WM_KEYUP.
    void RelayKey(Cardinal Msg, Word Key, TShiftState Shift);

    // Edit types (ExDropDown_EditTypes.cpp).
    bool EditTypeKeyDown(TWMKey& Message);
    void EditTypeChar(TWMKey& Message);
    void FilterFloatOrMoney(TWMKey& Message, bool Money);
    void ToggleSign(bool WholeSelectionCase);
    bool SeparatorRuleAllows() const;
    bool FullFractionRule(TWMKey& Message);
    bool EmptyValueSeparatorRule(Char Ch);
    void ApplyThousandSeparators();
    void CompleteValueOnFocusLoss();
    void AfterButtonRelease();
    void PasteText(const String& Clip);
    String FormatFloat(double Value, Char Letter) const;
    // The raw text as Prefix + Value + Suffix with the caret at Caret.
    void WriteValue(const String& Value, Integer Caret);
    // Runs the edit's own handling of a character now (typing it).
    void TypeCharacter(TWMKey& Message);
    Integer ValueEnd() const { return Length(Prefix()) + Length(GetText()); }
    Integer IntegerPartLength(const String& Value) const;

    TLabel* FLabel = nullptr;
    bool FParentFnt = false;
    Integer FDropDownWidth = 0;
    Integer FDropDownHeight = 0;
    Integer FUserDropDownWidth = -1;
    Integer FUserDropDownHeight = -1;
    bool FEditorEnabled = true;
    TImageList* FImages = nullptr;
    String FButtonHint;
    TColor FDropDownColor = clWhite;
    Integer FButtonWidth = 17;
    bool FMouseInControl = false;
    TWinControl* FFocusControl = nullptr;
    std::unique_ptr<THeaderAppearance> FDropDownHeader;
    std::unique_ptr<TExButtonAppearance> FButtonAppearance;
    std::unique_ptr<TFooterAppearance> FDropDownFooter;
    TControl* FControl = nullptr;
    // The hosted control's size when it was given, before it fills the
    // pop-up.
    TSize FControlSize{0, 0};
    TSelectionColorStyle FSelectionColorStyle = scOffice2007;
    TDropDownEditType FEditType = etString;
    SmallInt FPrecision = 0;
    bool FIsWinXP = true;
    bool FIsThemed = true;
    bool FBlockCopy = false;
    bool FButtonDown = false;
    bool FIsModified = false;
    TRect FEditRect;
    bool FDropDownEnabled = false;
    bool FDroppedDown = false;
    TQVXStyle FQVXStyle = tsOffice2007Luna;
    Integer FLabelMargin = 4;
    dropdown::TLabelPosition FLabelPosition = dropdown::lpLeftTop;
    bool FLabelTransparent = false;
    std::unique_ptr<TFont> FLabelFont;
    TColor FBorderColor = clNone;
    TColor FFocusBorderColor = clNone;
    bool FDisabledBorder = true;
};
