#pragma once
// The grid's shared vocabulary: the enumerations, sets and event types of
// the base grid, the grid control, its settings objects, editors and data
// services. Ordinals are stored and compared, so every enumeration keeps
// its declaration order; values stream by name (rtl/TypInfo.h).
#include "rtl/ActnList.h"
#include "rtl/Buttons.h"
#include "rtl/Graphics.h"
#include "rtl/Grids.h"
#include "rtl/TypInfo.h"

#include <functional>
#include <memory>

class TPopupMenu;

class TBaseGrid;

// ---------------------------------------------------------------------------
// Cell editing and look

RTL_NAMED_ENUM(TEditorType,
    edNormal, edSpinEdit, edComboEdit, edComboList, edEditBtn, edCheckBox, edDateEdit,
    edDateEditUpDown, edTimeEdit, edButton, edDataCheckBox, edNumeric, edPositiveNumeric,
    edFloat, edCapital, edMixedCase, edPassword, edUnitEditBtn, edLowerCase, edUpperCase,
    edFloatSpinEdit, edTimeSpinEdit, edDateSpinEdit, edNumericEditBtn, edFloatEditBtn,
    edCustom, edRichEdit, edNone, edDateTimeEdit, edValidChars, edTrackbarDropDown,
    edMemoDropDown, edCalculatorDropDown, edTimePickerDropDown, edDetailDropDown,
    edGridDropDown, edColorPickerDropDown, edImagePickerDropDown, edExGridDropDown,
    edPositiveFloat, edNumericUnitEditBtn, edFloatUnitEditBtn, edMaskEditBtn)

RTL_NAMED_ENUM(TVAlignment, vtaTop, vtaCenter, vtaBottom)

RTL_NAMED_ENUM(TCellBorder, cbTop, cbLeft, cbRight, cbBottom)
using TCellBorders = TSet<TCellBorder>;

RTL_NAMED_ENUM(TCellGradientDirection, GradientVertical, GradientHorizontal)

RTL_NAMED_ENUM(TGridSelectionStyle, ssDefault, ssVista, ssWin7, ssOffice2007)

RTL_NAMED_ENUM(THoverRowCell, hcNormal, hcFixed, hcSelected)
using THoverRowCells = TSet<THoverRowCell>;

RTL_NAMED_ENUM(TColumnCalcType,
    acNONE, acSUM, acAVG, acCOUNT, acMIN, acMAX, acSPREAD, acCUSTOM, acDISTINCT, acSTDDEV)

// ---------------------------------------------------------------------------
// Sorting

RTL_NAMED_ENUM(TSortStyle,
    ssAutomatic, ssAlphabetic, ssNumeric, ssDate, ssAlphaNoCase, ssAlphaCase, ssShortDateEU,
    ssShortDateUS, ssCustom, ssFinancial, ssAnsiAlphaCase, ssAnsiAlphaNoCase, ssRaw, ssHTML,
    ssImages, ssCheckBox, ssDateTime, ssTime, ssAlphaNumeric, ssAlphaNumericNoCase)

// ---------------------------------------------------------------------------
// Keyboard navigation and mouse actions

RTL_NAMED_ENUM(TAdvanceDirection, adLeftRight, adTopBottom, adLeftRightInRow, adTopBottomInCol)
RTL_NAMED_ENUM(TCursorAdvance, caDefault, caSnake, caLoop)
RTL_NAMED_ENUM(TInsertPosition, pInsertBefore, pInsertAfter)
RTL_NAMED_ENUM(THomeEndAction, heFirstLastColumn, heFirstLastRow, heFirstLastCell)
RTL_NAMED_ENUM(TClipboardPasteAction, paReplace, paInsert)
RTL_NAMED_ENUM(TSearchDirection, sdTopBottom, sdLeftRight)
RTL_NAMED_ENUM(TGridFixedCellEdit, fceNone, fceDblClick, fceLeftClick, fceRightClick)
RTL_NAMED_ENUM(TGridFixedCellEditor, fceEdit, fceComboEdit, fceComboList)
RTL_NAMED_ENUM(TWheelAction, waMoveSelection, waScroll)

// ---------------------------------------------------------------------------
// Support controls and drag and drop

RTL_NAMED_ENUM(TArrowDirection, arrUp, arrDown, arrLeft, arrRight)
RTL_NAMED_ENUM(TExGridButtonStyle, tasButton, tasCheck)
RTL_NAMED_ENUM(TDropFormat, dfText, dfFile, dfCol, dfRTF, dfURL, dfGridCells)
using TDropFormats = TSet<TDropFormat>;

// ---------------------------------------------------------------------------
// Events. Cell events pass the real column and the row; the click,
// double-click, can-edit, anchor, colour, gradient, border, alignment and
// hint events pass the row first, all others the column first. A reference
// argument comes in with the grid's value and goes back with the handler's.

using TGetDisplTextEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, String& Value)>;
using TGetDisplWideTextEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, String& Value)>;
using TFloatFormatEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, bool& IsFloat, String& FloatFormat)>;
using TOnResizeEvent = std::function<void(TObject* Sender)>;
using TColumnSizeEvent = std::function<void(TObject* Sender, Integer ACol, bool& Allow)>;
using TColumnSizingEvent = std::function<void(TObject* Sender, Integer ACol, Integer ColumnSize)>;
using TRowSizingEvent = std::function<void(TObject* Sender, Integer ARow, Integer RowSize)>;
using TRowSizeEvent = std::function<void(TObject* Sender, Integer ARow, bool& Allow)>;
using TEndColumnSizeEvent = std::function<void(TObject* Sender, Integer ACol)>;
using TUpdateColumnSizeEvent = std::function<void(TObject* Sender, Integer ACol, Integer& AWidth)>;
using TEndRowSizeEvent = std::function<void(TObject* Sender, Integer ARow)>;
using TClickCellEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol)>;
using TDblClickCellEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol)>;
using TCanEditCellEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, bool& CanEdit)>;
using TScrollHintEvent = std::function<void(TObject* Sender, Integer ARow, String& hintstr)>;
using TButtonClickEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow)>;
using TExpandClickEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, bool Expanded)>;
using TCheckBoxClickEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, bool State)>;
using TGetEditorTypeEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, TEditorType& AEditor)>;
using TCustomCellDrawEvent = std::function<void(TObject* Sender, TCanvas* Canvas, Integer ACol, Integer ARow,
                                                TGridDrawState AState, TRect ARect, bool Printing)>;
using TAnchorClickEvent =
    std::function<void(TObject* Sender, Integer ARow, Integer ACol, const String& Anchor, bool& AutoHandle)>;
using TAnchorHintEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, String& Anchor)>;
using TAnchorEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, const String& Anchor)>;
using TClickSortEvent = std::function<void(TObject* Sender, Integer ACol)>;
using TCanSortEvent = std::function<void(TObject* Sender, Integer ACol, bool& DoSort)>;
using TCustomCompareEvent =
    std::function<void(TObject* Sender, const String& str1, const String& str2, Integer& Res)>;
using TRawCompareEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer Row1, Integer Row2, Integer& Res)>;
using TGridFormatEvent = std::function<void(TObject* Sender, Integer ACol, TSortStyle& AStyle, String& aPrefix,
                                            String& aSuffix)>;
using TGridColorEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, TGridDrawState AState,
                                           TBrush* ABrush, TFont* AFont)>;
using TGridGradientEvent =
    std::function<void(TObject* Sender, Integer ARow, Integer ACol, TColor& Color, TColor& ColorTo,
                       TColor& ColorMirror, TColor& ColorMirrorTo, TCellGradientDirection& GD)>;
using TGridBorderEvent =
    std::function<void(TObject* Sender, Integer ARow, Integer ACol, TPen* APen, TCellBorders& Borders)>;
using TGridBorderPropEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, TPen* LeftPen,
                                                TPen* TopPen, TPen* RightPen, TPen* BottomPen)>;
using TGridAlignEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, TAlignment& HAlign,
                                           TVAlignment& VAlign)>;
using TGridHintEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, String& hintstr)>;
using TEllipsClickEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, String& S)>;
using TGridBalloonEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, String& ATitle,
                                             String& AText, Integer& AIcon)>;
using TCanInsertRowEvent = std::function<void(TObject* Sender, Integer ARow, bool& CanInsert)>;
using TAutoInsertRowEvent = std::function<void(TObject* Sender, Integer ARow)>;
using TCanAddRowEvent = std::function<void(TObject* Sender, bool& CanAdd)>;
using TAutoAddRowEvent = std::function<void(TObject* Sender, Integer ARow)>;
using TCanDeleteRowEvent = std::function<void(TObject* Sender, Integer ARow, bool& CanDelete)>;
using TAutoDeleteRowEvent = std::function<void(TObject* Sender, Integer ARow)>;
using TAutoInsertColEvent = std::function<void(TObject* Sender, Integer ACol)>;
using TSearchEditChangeEvent = std::function<void(TObject* Sender, const String& Value, bool& DefaultSearch)>;
using TSpinClickEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, Integer AValue, bool UpDown)>;
using TImageChangeEvent = std::function<void(TObject* Sender, Integer Acol, Integer Arow)>;
using TIsDesigningEvent = std::function<void(TObject* Sender, bool& IsDesigning)>;
using TExGridUndoRedoEvent = std::function<void(TObject* Sender, TBaseGrid* Grid, Integer Col, Integer Row,
                                                const String& OrigValue, const String& NewValue)>;

// ---------------------------------------------------------------------------
// The buttons and check boxes of the grid's search bar (ExObj_Buttons.cpp)

// A flat graphic button with glyphs for its states, gradient colours in
// seven looks, a check (toggle) style, radio groups among the buttons of
// one parent with the same GroupIndex, and an optional drop-down part of
// the rightmost 12 pixels.
class TExGridButton : public TGraphicControl {
public:
    explicit TExGridButton(TComponent* AOwner);
    ~TExGridButton() override;

    Integer GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(Integer Value);
    TBitmap* Glyph() const { return FGlyph.get(); }
    // Also makes GlyphDisabled, when that is empty, a grey copy.
    void SetGlyph(TBitmap* Value);
    bool Down() const { return FDown; }
    void SetDown(bool Value);
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value);
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout Value);
    // -1: spacing and margin share the room.
    Integer Spacing() const { return FSpacing; }
    void SetSpacing(Integer Value);
    // -1: glyph and caption centred; values below -1 are refused.
    Integer Margin() const { return FMargin; }
    void SetMargin(Integer Value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor Value);
    TColor ColorHot() const { return FColorHot; }
    void SetColorHot(TColor Value) { FColorHot = Value; }
    TColor ColorHotTo() const { return FColorHotTo; }
    void SetColorHotTo(TColor Value) { FColorHotTo = Value; }
    TColor ColorDown() const { return FColorDown; }
    void SetColorDown(TColor Value) { FColorDown = Value; }
    TColor ColorDownTo() const { return FColorDownTo; }
    void SetColorDownTo(TColor Value) { FColorDownTo = Value; }
    TColor ColorChecked() const { return FColorChecked; }
    void SetColorChecked(TColor Value);
    TColor ColorCheckedTo() const { return FColorCheckedTo; }
    void SetColorCheckedTo(TColor Value);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    TColor BorderDownColor() const { return FBorderDownColor; }
    void SetBorderDownColor(TColor Value) { FBorderDownColor = Value; }
    TColor BorderHotColor() const { return FBorderHotColor; }
    void SetBorderHotColor(TColor Value) { FBorderHotColor = Value; }
    TBitmap* GlyphDisabled() const { return FGlyphDisabled.get(); }
    void SetGlyphDisabled(TBitmap* Value);
    TBitmap* GlyphHot() const { return FGlyphHot.get(); }
    void SetGlyphHot(TBitmap* Value);
    TBitmap* GlyphDown() const { return FGlyphDown.get(); }
    void SetGlyphDown(TBitmap* Value);
    // The glyph's shape in grey, drawn under the glyph while the button is hot.
    TBitmap* GlyphShade() const { return FGlyphShade.get(); }
    bool Shaded() const { return FShaded; }
    void SetShaded(bool Value);
    TExGridButtonStyle Style() const { return FStyle; }
    void SetStyle(TExGridButtonStyle Value);
    // A colour preset 0..6; 0 until one is applied. Other values change nothing.
    Integer Look() const { return FLook; }
    void SetLook(Integer Value);
    bool Rounded() const { return FRounded; }
    void SetRounded(bool Value);
    bool DropDownButton() const { return FDropDownButton; }
    void SetDropDownButton(bool Value);
    // Takes the look of the desktop's colour scheme.
    bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
    void SetAutoThemeAdapt(bool Value);
    bool AutoXPStyle() const { return FAutoXPStyle; }
    void SetAutoXPStyle(bool Value) { FAutoXPStyle = Value; }
    TPopupMenu* DropDownMenu() const { return FDropDownMenu; }
    void SetDropDownMenu(TPopupMenu* Value);
    bool ShowCaption() const { return FShowCaption; }
    void SetShowCaption(bool Value);

    TNotifyEvent OnDropDown;

    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void WndProc(TMessage& Message) override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    TControlActionLinkClass GetActionLinkClass() const override;

    TButtonState FState = bsUp;

private:
    bool Hot() const;
    bool Designing() const { return ComponentState().Contains(csDesigning); }
    bool InClient(Integer X, Integer Y) const;
    void UpdateExclusive();
    void ButtonPressed(TMessage& Message);
    void UpdateTracking();
    void ThemeAdapt();
    void BuildShade();
    void PaintFlatFace(TRect& R, bool IsHot);
    void PaintRaisedFace(TRect& R);
    TPoint ContentOffset(const TRect& R, bool IsHot);
    void PaintDropDownArrow(TRect& R);
    void PaintGlyphAndCaption(const TRect& R, TPoint Offset, bool IsHot);
    TBitmap* CurrentGlyph(TButtonState GlyphState, bool IsHot) const;
    // A face: a plain rectangle (in the brush colour where Pen is clNone)
    // or a 16-step vertical gradient framed in Pen.
    void PaintFace(const TRect& R, TColor From, TColor To, TColor Pen);

    bool FIsComCtl6 = true;
    Integer FGroupIndex = 0;
    std::unique_ptr<TBitmap> FGlyph;
    bool FDown = false;
    bool FDragging = false;
    bool FAllowAllUp = false;
    TButtonLayout FLayout = blGlyphLeft;
    Integer FSpacing = 4;
    Integer FMargin = -1;
    bool FFlat = true;
    TColor FColorTo = clNone;
    TColor FColorHot = 0xCAC7C7;
    TColor FColorHotTo = clNone;
    TColor FColorDown = 0xD8D3D2;
    TColor FColorDownTo = clNone;
    TColor FBorderColor = clNone;
    TColor FBorderDownColor = clNone;
    TColor FBorderHotColor = clNone;
    std::unique_ptr<TBitmap> FGlyphDisabled;
    std::unique_ptr<TBitmap> FGlyphHot;
    std::unique_ptr<TBitmap> FGlyphDown;
    std::unique_ptr<TBitmap> FGlyphShade;
    bool FShaded = true;
    TColor FColorChecked = 0x808080;
    TColor FColorCheckedTo = clNone;
    TExGridButtonStyle FStyle = tasButton;
    Integer FLook = 0;
    bool FRounded = false;
    bool FDropDownButton = false;
    bool FAutoThemeAdapt = false;
    bool FAutoXPStyle = false;
    TPopupMenu* FDropDownMenu = nullptr;
    bool FShowCaption = true;
};

// Links a TExGridButton to an action: the caption while the button shows
// the action's, the group index while equal, and Checked (as Down) only for
// a button of a group that allows all up and shows the action's state.
class TExGridButtonActionLink : public TControlActionLink {
public:
    explicit TExGridButtonActionLink(TControl* AClient);

protected:
    bool IsCheckedLinked() const override;
    bool IsGroupIndexLinked() const override;
    void SetChecked(bool Value) override;
    void SetGroupIndex(Integer Value) override;

    TExGridButton* FClient;
};

// A windowed check box drawn with the visual style when one is active. It
// raises Click itself: on a click or Space, also when ReadOnly keeps the
// state. A transparent one fills nothing, so its parent shows through; with
// TransparentChaching it keeps the parent's look under it in a bitmap until
// SetBounds or Transparent drops it.
class TExCheckBox : public TCustomControl {
public:
    explicit TExCheckBox(TComponent* AOwner);
    ~TExCheckBox() override;

    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState Value);
    bool Checked() const { return GetChecked(); }
    void SetChecked(bool Value);
    // taLeftJustify: the box left, the text right of it.
    TLeftRight Alignment() const { return FAlignment; }
    void SetAlignment(TLeftRight Value);
    TTextLayout ButtonVertAlign() const { return FBtnVAlign; }
    void SetButtonVertAlign(TTextLayout Value);
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value);
    bool Ellipsis() const { return FEllipsis; }
    void SetEllipsis(bool Value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value) { FReadOnly = Value; }
    // Enter moves the focus on as Tab does.
    bool ReturnIsTab() const { return FReturnIsTab; }
    void SetReturnIsTab(bool Value) { FReturnIsTab = Value; }
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    bool TransparentChaching() const { return FTransparentCaching; }
    void SetTransparentChaching(bool Value) { FTransparentCaching = Value; }
    // The box is being pressed.
    bool Down() const { return FDown; }
    void SetDown(bool Value) { FDown = Value; }

    void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
    // Changes the state unless ReadOnly.
    virtual void Toggle();

protected:
    bool GetChecked() const;
    void Paint() override;
    void DoEnter() override;
    void DoExit() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void CMDialogChar(TCMDialogChar& Message) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;

private:
    TRect BoxRect() const;
    void PaintBackground();
    void PaintBox();
    void PaintText();
    void InvalidateCorner();
    void DropBackgroundCache();

    bool FDown = false;
    TCheckBoxState FState = cbUnchecked;
    bool FFocused = false;
    bool FReturnIsTab = false;
    TTextLayout FBtnVAlign = tlTop;
    TLeftRight FAlignment = taLeftJustify;
    bool FEllipsis = false;
    String FCaption = QStringLiteral("TExCheckBox");
    bool FIsWinXP = true;
    bool FHot = false;
    bool FReadOnly = false;
    bool FMouseDown = false;
    std::unique_ptr<TBitmap> FBkgBmp;
    bool FBkgCache = false;
    bool FTransparentCaching = false;
    bool FTransparent = false;
};
