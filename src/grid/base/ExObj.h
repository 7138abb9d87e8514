#pragma once
// The grid's shared vocabulary: the enumerations, sets and event types of
// the base grid, the grid control, its settings objects, editors and data
// services. Ordinals are stored and compared, so every enumeration keeps
// its declaration order; values stream by name (rtl/TypInfo.h).
// Then the grid's support objects (ExObj_Support.cpp) and settings objects
// (ExObj_Settings.cpp).
#include "rtl/ExtCtrls.h"
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
// Support objects (ExObj_Support.cpp)

// A list of 32-bit integers that reports changes for its owner cell.
class TIntList : public TList {
public:
    TIntList(Integer Col, Integer Row) : FCol(Col), FRow(Row) {}

    // Add, Delete, DeleteValue and writing an item raise OnChange; Insert
    // does not.
    void Add(Integer Value);
    void Delete(Integer Index);
    void Insert(Integer Index, Integer Value);
    void DeleteValue(Integer Value);
    bool HasValue(Integer Value) const;
    Integer Items(Integer Index) const { return GetInteger(Index); }
    void SetItems(Integer Index, Integer Value) { SetInteger(Index, Value); }
    Integer GetInteger(Integer Index) const;
    void SetInteger(Integer Index, Integer Value);
    Integer IndexOf(Integer Value) const;
    // The entries as "3,10,-1"; setting reads comma text, each item added
    // as it is read (an item that is no integer raises EConvertError).
    String StrValue() const { return GetStrValue(); }
    void SetStrValue(const String& Value);
    String GetStrValue() const;

    TImageChangeEvent OnChange;

private:
    void Changed();

    Integer FCol;
    Integer FRow;
};

// Sort columns in priority order: the column in bits 0 to 30, bit 31 set
// for a descending one.
class TSortIndexList : public TIntList {
public:
    TSortIndexList() : TIntList(0, 0) {}

    void AddIndex(Integer ColumnIndex, bool Ascending);
    // The position of the column's entry, -1 when it has none.
    Integer FindIndex(Integer ColumnIndex) const;
    void ToggleIndex(Integer ColumnIndex);
    Integer SortColumns(Integer i) const { return GetSortColumns(i); }
    Integer GetSortColumns(Integer i) const;
    void SetSortColumns(Integer i, Integer Value);
    // True for an ascending entry.
    bool SortDirections(Integer i) const;
    void SetSortDirections(Integer i, bool Value);
    // "u2;d5": ascending column 2, then descending column 5.
    String SaveToString() const;
    // Items shorter than two characters, or whose column is no integer,
    // are skipped.
    void LoadFromString(const String& s);
};

// A control hosted in a cell; the control is not owned.
class TControlItem : public TObject {
public:
    TControlItem(Integer AX, Integer AY, TControl* AObject) : FX(AX), FY(AY), FObject(AObject) {}

    Integer X() const { return FX; }
    void SetX(Integer Value) { FX = Value; }
    Integer Y() const { return FY; }
    void SetY(Integer Value) { FY = Value; }
    TControl* Control() const { return FObject; }
    void SetControl(TControl* Value) { FObject = Value; }

private:
    Integer FX;
    Integer FY;
    TControl* FObject;
};

// The controls hosted in cells; owns its items, not their controls.
class TControlList : public TList {
public:
    TControlList() = default;
    ~TControlList() override;

    void AddControl(Integer X, Integer Y, TControl* AObject);
    // The first item of that cell, -1 when none.
    Integer ControlIndex(Integer X, Integer Y) const;
    TControlItem* Control(Integer i) const { return GetControl(i); }
    TControlItem* GetControl(Integer i) const;
    void RemoveControl(Integer i);
    // An item's control is a windowed control with that window.
    bool HasHandle(HWND Handle) const;
};

// A cell picture kept as a file name; the file is read when the name is set
// (its size) and when the picture is drawn.
class TFilePicture : public TPersistent {
public:
    // From another TFilePicture only.
    void Assign(TPersistent* Source) override;

    const String& Filename() const { return FFilename; }
    // Errors of reading the file reach the caller; an empty name clears the
    // size.
    void SetFilename(const String& Value);
    Integer Width() const { return FWidth; }
    Integer Height() const { return FHeight; }
    // Stretched into r; nothing when the file cannot be read (any more).
    void DrawPicture(TCanvas* Canvas, const TRect& r) const;

private:
    String FFilename;
    Integer FWidth = 0;
    Integer FHeight = 0;
};

// A string list read and written line by line.
class TFileStringList : public TStringList {
public:
    void Reset();
    bool Eof() const { return GetEof(); }
    bool GetEof() const { return fp >= Count(); }
    // Past the last line: EStringListError.
    void ReadLn(String& s);
    void Write(const String& s);
    void WriteLn(const String& s);

private:
    Integer fp = 0;
    String cache;
};

// The arrow that shows where a dragged row or column lands: a pop-up window
// shaped as the arrow, owned by the grid.
class TArrowWindow : public TPanel {
public:
    // Lime, hidden, with AOwner as owner and parent.
    TArrowWindow(TWinControl* AOwner, TArrowDirection Direction);

    TArrowDirection Dir() const { return FDir; }
    const std::vector<TPoint>& Arrow() const { return FArrow; }

protected:
    void Paint() override;

private:
    TArrowDirection FDir;
    std::vector<TPoint> FArrow;
};

// The frame around the focused cell: a disabled top-most pop-up that paints
// nothing itself (the grid control fills it as a layered window).
class TGridFocusWindow : public TCustomControl {
public:
    explicit TGridFocusWindow(TComponent* AOwner);

protected:
    void Paint() override {}
};

// 32-bit pixels with premultiplied alpha, made from a mask's red bytes.
class TGridAlphaMask : public TBitmap {
public:
    TGridAlphaMask();

    Byte Opacity() const { return FOpacity; }
    void SetOpacity(Byte Value) { FOpacity = Value; }
    // Bitmap (24-bit, else nothing happens) premultiplied by the red bytes
    // of Mask; pixels beyond Mask count as alpha 0. Color is not used.
    void MergeMask(TBitmap* Mask, TBitmap* Bitmap, TColor Color);
    // From another mask: the opacity and the bytes of the rows and columns
    // both have; from any other bitmap the bitmap's copy.
    void Assign(TPersistent* Source) override;

private:
    Byte FOpacity = 255;
};

// A 24-bit black bitmap with one white rounded rectangle (an outline of
// PenWidth, filled below 1), blurred when BlurRadius > 0.
void CreateRoundRectMask(TBitmap* Bitmap, Integer Width, Integer Height, Integer PenWidth, Integer CornerSize,
                         Double BlurRadius);
// Gaussian blur of a 24-bit bitmap, else an Exception "Blur only works for
// 24-bit bitmaps"; a radius at or below 0 leaves it unchanged.
void BlurBitmap(TBitmap* Bitmap, Double Radius);

// The blur's kernel: weights of the offsets -Size .. Size.
struct TBlurKernel {
    Integer Size = 0;
    std::vector<Single> Weights;
};
TBlurKernel MakeBlurKernel(Double Radius);

// ---------------------------------------------------------------------------
// Settings objects (ExObj_Settings.cpp). The grid control reads the fields;
// each Assign copies only from its own class and raises no event.

// The search bar under the grid.
class TSearchFooter : public TPersistent {
public:
    // InitDesign gives the English captions and hints a new grid gets.
    TSearchFooter(TPersistent* AOwner, bool InitDesign);
    ~TSearchFooter() override;

    void Assign(TPersistent* Source) override;

    bool ShowFindPrev() const { return FShowFindPrev; }
    void SetShowFindPrev(bool Value);
    bool ShowFindNext() const { return FShowFindNext; }
    void SetShowFindNext(bool Value);
    const String& FindNextCaption() const { return FFindNextCaption; }
    void SetFindNextCaption(const String& Value);
    const String& FindPrevCaption() const { return FFindPrevCaption; }
    void SetFindPrevCaption(const String& Value);
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
    void SetAutoThemeAdapt(bool Value);
    bool ShowClose() const { return FShowClose; }
    void SetShowClose(bool Value);
    bool ShowHighLight() const { return FShowHighLight; }
    void SetShowHighLight(bool Value);
    bool ShowMatchCase() const { return FShowMatchCase; }
    void SetShowMatchCase(bool Value);
    const String& MatchCaseCaption() const { return FMatchCaseCaption; }
    void SetMatchCaseCaption(const String& Value);
    const String& HintClose() const { return FHintClose; }
    void SetHintClose(const String& Value);
    const String& HintFindPrev() const { return FHintFindPrev; }
    void SetHintFindPrev(const String& Value);
    const String& HintHighlight() const { return FHintHighlight; }
    void SetHintHighlight(const String& Value);
    const String& HintFindNext() const { return FHintFindNext; }
    void SetHintFindNext(const String& Value);
    bool AutoSearch() const { return FAutoSearch; }
    void SetAutoSearch(bool Value) { FAutoSearch = Value; }
    const String& LastSearch() const { return FLastSearch; }
    void SetLastSearch(const String& Value) { FLastSearch = Value; }
    Integer SearchColumn() const { return FSearchColumn; }
    void SetSearchColumn(Integer Value) { FSearchColumn = Value; }
    bool SearchActiveColumnOnly() const { return FSearchActiveColumnOnly; }
    void SetSearchActiveColumnOnly(bool Value) { FSearchActiveColumnOnly = Value; }
    bool SearchMatchStart() const { return FSearchMatchStart; }
    void SetSearchMatchStart(bool Value) { FSearchMatchStart = Value; }
    bool SearchFixedCells() const { return FSearchFixedCells; }
    void SetSearchFixedCells(bool Value) { FSearchFixedCells = Value; }
    bool SearchHiddenRows() const { return FSearchHiddenRows; }
    void SetSearchHiddenRows(bool Value) { FSearchHiddenRows = Value; }
    const String& HighLightCaption() const { return FHighLightCaption; }
    void SetHighLightCaption(const String& Value);
    bool AlwaysHighLight() const { return FAlwaysHighLight; }
    void SetAlwaysHighLight(bool Value) { FAlwaysHighLight = Value; }
    TSearchDirection SearchDirection() const { return FSearchDirection; }
    void SetSearchDirection(TSearchDirection Value) { FSearchDirection = Value; }
    TFont* Font() const { return FFont.get(); }
    // Copies the font's attributes in.
    void SetFont(TFont* Value);

    TNotifyEvent OnChange;

private:
    void Changed();
    // Stores the value; the event fires when it changed (or always).
    template <class T>
    void Store(T& Field, const T& Value, bool Always);

    bool FShowFindPrev = true;
    bool FShowFindNext = true;
    String FFindNextCaption;
    String FFindPrevCaption;
    TColor FColorTo = clBtnFace;
    TColor FColor = clWhite;
    bool FVisible = false;
    bool FAutoThemeAdapt = false;
    bool FShowClose = true;
    bool FShowHighLight = true;
    bool FShowMatchCase = true;
    String FMatchCaseCaption;
    String FHintClose;
    String FHintFindPrev;
    String FHintHighlight;
    String FHintFindNext;
    bool FAutoSearch = true;
    String FLastSearch;
    Integer FSearchColumn = -1;
    bool FSearchActiveColumnOnly = false;
    bool FSearchMatchStart = false;
    bool FSearchFixedCells = false;
    bool FSearchHiddenRows = false;
    String FHighLightCaption;
    bool FAlwaysHighLight = false;
    TSearchDirection FSearchDirection = sdTopBottom;
    std::unique_ptr<TFont> FFont;
};

// Keyboard navigation and clipboard settings; row insert and delete keys,
// clipboard keys and moving on with Enter are off unless allowed.
class TNavigation : public TPersistent {
public:
    // Everything but KeepScrollOnSort.
    void Assign(TPersistent* Source) override;

    RTL_STORED_PROPERTY(bool, AllowInsertRow, false)
    RTL_STORED_PROPERTY(bool, AllowDeleteRow, false)
    RTL_STORED_PROPERTY(bool, AdvanceOnEnter, false)
    bool AdvanceInsert() const { return FAdvanceInsert; }
    void SetAdvanceInsert(bool Value);
    RTL_STORED_PROPERTY(bool, AutoGotoWhenSorted, false)
    RTL_STORED_PROPERTY(bool, AutoGotoIncremental, false)
    RTL_STORED_PROPERTY(bool, AutoComboDropSize, false)
    RTL_STORED_PROPERTY(bool, AllowClipboardShortCuts, false)
    RTL_STORED_PROPERTY(bool, AllowRTFClipboard, false)
    RTL_STORED_PROPERTY(bool, AllowSmartClipboard, false)
    RTL_STORED_PROPERTY(bool, AllowClipboardAlways, false)
    RTL_STORED_PROPERTY(bool, AllowClipboardColGrow, true)
    RTL_STORED_PROPERTY(bool, AllowClipboardRowGrow, true)
    RTL_STORED_PROPERTY(TClipboardPasteAction, ClipboardPasteAction, paReplace)
    RTL_STORED_PROPERTY(bool, CopyHTMLTagsToClipboard, true)
    TAdvanceDirection AdvanceDirection() const { return FAdvanceDirection; }
    void SetAdvanceDirection(TAdvanceDirection Value);
    // Turning it on turns AdvanceOnEnter on as well.
    bool AdvanceAuto() const { return FAdvanceAuto; }
    void SetAdvanceAuto(bool Value);
    RTL_STORED_PROPERTY(bool, AdvanceAutoEdit, true)
    RTL_STORED_PROPERTY(bool, CursorWalkEditor, false)
    RTL_STORED_PROPERTY(bool, CursorWalkAlwaysEdit, true)
    RTL_STORED_PROPERTY(bool, MoveRowOnSort, false)
    RTL_STORED_PROPERTY(bool, KeepScrollOnSort, false)
    RTL_STORED_PROPERTY(bool, ImproveMaskSel, false)
    RTL_STORED_PROPERTY(bool, AlwaysEdit, false)
    RTL_STORED_PROPERTY(TInsertPosition, InsertPosition, pInsertBefore)
    RTL_STORED_PROPERTY(bool, LineFeedOnEnter, false)
    RTL_STORED_PROPERTY(THomeEndAction, HomeEndKey, heFirstLastColumn)
    RTL_STORED_PROPERTY(bool, KeepHorizScroll, false)
    RTL_STORED_PROPERTY(bool, AllowFmtClipboard, false)
    RTL_STORED_PROPERTY(bool, TabToNextAtEnd, false)
    RTL_STORED_PROPERTY(bool, EditSelectAll, true)
    RTL_STORED_PROPERTY(TAdvanceDirection, TabAdvanceDirection, adLeftRight)
    RTL_STORED_PROPERTY(bool, SkipFixedCells, true)
    RTL_STORED_PROPERTY(bool, SkipDisabledRows, true)
    RTL_STORED_PROPERTY(bool, AllowCtrlEnter, true)
    RTL_STORED_PROPERTY(bool, AppendOnArrowDown, false)
    RTL_STORED_PROPERTY(bool, LeftRightRowSelect, true)
    RTL_STORED_PROPERTY(bool, MoveScrollOnly, false)
    RTL_STORED_PROPERTY(bool, ComboGetUpDown, true)
    TNotifyEvent OnChange;
    RTL_STORED_PROPERTY(bool, AdvanceOnEnterLoop, true)
    RTL_STORED_PROPERTY(TCursorAdvance, CursorAdvance, caDefault)
    RTL_STORED_PROPERTY(bool, AdvanceSkipReadOnlyCells, true)
    RTL_STORED_PROPERTY(bool, CursorMoveRows, false)

private:
    void Changed();

    bool FAdvanceInsert = false;
    TAdvanceDirection FAdvanceDirection = adLeftRight;
    bool FAdvanceAuto = false;
};

// Mouse behaviour settings.
class TMouseActions : public TPersistent {
public:
    explicit TMouseActions(TPersistent* AOwner);
    ~TMouseActions() override;

    // Everything but EditOnDblClickOnly, FixedComboValues and HotmailRowSelect.
    void Assign(TPersistent* Source) override;

    RTL_STORED_PROPERTY(bool, ColSelect, false)
    RTL_STORED_PROPERTY(bool, RowSelect, false)
    RTL_STORED_PROPERTY(bool, AllSelect, false)
    RTL_STORED_PROPERTY(bool, DirectEdit, false)
    RTL_STORED_PROPERTY(bool, DirectComboDrop, false)
    RTL_STORED_PROPERTY(bool, DirectComboClose, false)
    RTL_STORED_PROPERTY(bool, DirectDateClose, false)
    RTL_STORED_PROPERTY(bool, DirectDateDrop, false)
    // While designing, one of the three disjunct selections excludes the
    // others; at run time they combine.
    bool DisjunctRowSelect() const { return FDisjunctRowSelect; }
    void SetDisjunctRowSelect(bool Value);
    bool DisjunctColSelect() const { return FDisjunctColSelect; }
    void SetDisjunctColSelect(bool Value);
    RTL_STORED_PROPERTY(bool, AllColumnSize, false)
    RTL_STORED_PROPERTY(bool, AllRowSize, false)
    RTL_STORED_PROPERTY(bool, CaretPositioning, false)
    RTL_STORED_PROPERTY(bool, SizeFixedCol, false)
    RTL_STORED_PROPERTY(bool, SizeFixedRow, false)
    bool DisjunctCellSelect() const { return FDisjunctCellSelect; }
    void SetDisjunctCellSelect(bool Value);
    RTL_STORED_PROPERTY(TGridFixedCellEdit, FixedRowsEdit, fceNone)
    RTL_STORED_PROPERTY(TGridFixedCellEdit, FixedColsEdit, fceNone)
    RTL_STORED_PROPERTY(TGridFixedCellEditor, FixedRowsEditor, fceEdit)
    RTL_STORED_PROPERTY(TGridFixedCellEditor, FixedColsEditor, fceEdit)
    // On also turns DisjunctRowSelect and CheckAllCheck on; every write
    // raises OnInvalidate.
    bool HotmailRowSelect() const { return FHotmailRowSelect; }
    void SetHotmailRowSelect(bool Value);
    RTL_STORED_PROPERTY(bool, RangeSelectAndEdit, false)
    RTL_STORED_PROPERTY(bool, NoAutoRangeScroll, false)
    RTL_STORED_PROPERTY(bool, PreciseCheckBoxCheck, false)
    RTL_STORED_PROPERTY(bool, PreciseNodeClick, true)
    RTL_STORED_PROPERTY(bool, CheckAllCheck, false)
    RTL_STORED_PROPERTY(bool, NodeAllExpandContract, false)
    RTL_STORED_PROPERTY(bool, MoveRowOnNodeClick, false)
    RTL_STORED_PROPERTY(bool, RowSelectPersistent, false)
    RTL_STORED_PROPERTY(bool, SelectOnRightClick, false)
    RTL_STORED_PROPERTY(bool, NoScrollOnPartialRow, false)
    RTL_STORED_PROPERTY(Integer, WheelIncrement, 0)
    TWheelAction WheelAction() const { return FWheelAction; }
    void SetWheelAction(TWheelAction Value);
    RTL_STORED_PROPERTY(bool, AutoSizeColOnDblClick, true)
    // On raises OnDisableEdit.
    bool EditOnDblClickOnly() const { return FEditOnDblClickOnly; }
    void SetEditOnDblClickOnly(bool Value);
    RTL_STORED_PROPERTY(bool, DisjunctRowSelectNoCtrl, false)
    TNotifyEvent OnChange;
    TNotifyEvent OnInvalidate;
    TIsDesigningEvent OnIsDesigning;
    TNotifyEvent OnDisableEdit;
    TStrings* FixedComboValues() const { return GetFixedComboValues(); }
    TStrings* GetFixedComboValues() const { return FFixedComboValues.get(); }
    // Copies the lines in.
    void SetFixedComboValues(TStrings* Value);
    // The field itself, without the setter's effects.
    bool DisjunctRowSelectDirect() const { return FDisjunctRowSelect; }
    void SetDisjunctRowSelectDirect(bool Value) { FDisjunctRowSelect = Value; }

private:
    bool IsDesigning();
    // Sets one of the three disjunct selections; designing, the others go off.
    void SetDisjunct(bool& Field, bool Value);

    bool FDisjunctRowSelect = false;
    bool FDisjunctColSelect = false;
    bool FDisjunctCellSelect = false;
    bool FHotmailRowSelect = false;
    TWheelAction FWheelAction = waMoveSelection;
    bool FEditOnDblClickOnly = false;
    std::unique_ptr<TStringList> FFixedComboValues;
};

// Row banding: alternating colours of the data rows.
class TBands : public TPersistent {
public:
    // Active, both colours, both lengths and Print.
    void Assign(TPersistent* Source) override;

    RTL_STORED_PROPERTY(bool, Print, false)
    bool Active() const { return FActive; }
    void SetActive(bool Value);
    Integer TotalLength() const { return FTotalLength; }
    Integer SecondaryLength() const { return FSecondaryLength; }
    void SetSecondaryLength(Integer Value);
    Integer PrimaryLength() const { return FPrimaryLength; }
    void SetPrimaryLength(Integer Value);
    // The colours and lengths notify only while Active.
    TColor SecondaryColor() const { return FSecondaryColor; }
    void SetSecondaryColor(TColor Value);
    TColor PrimaryColor() const { return FPrimaryColor; }
    void SetPrimaryColor(TColor Value);
    TNotifyEvent OnChange;

private:
    template <class T>
    void StoreWhileActive(T& Field, T Value);

    bool FActive = false;
    Integer FTotalLength = 2;
    Integer FSecondaryLength = 1;
    Integer FPrimaryLength = 1;
    TColor FSecondaryColor = clWindow;
    TColor FPrimaryColor = clInfoBk;
};

// Another grid kept in step with the owning one.
class TSyncGrid : public TPersistent {
public:
    explicit TSyncGrid(TStringGrid* AOwner) : FOwner(AOwner) {}

    void Assign(TPersistent* Source) override;

    RTL_STORED_PROPERTY(bool, ScrollHorizontal, false)
    TStringGrid* Grid() const { return FGrid; }
    // The owning grid itself is refused.
    void SetGrid(TStringGrid* Value);
    RTL_STORED_PROPERTY(bool, ScrollVertical, false)
    RTL_STORED_PROPERTY(bool, SelectionRow, false)
    RTL_STORED_PROPERTY(bool, SelectionColumn, false)
    RTL_STORED_PROPERTY(bool, MoveRow, false)
    RTL_STORED_PROPERTY(bool, MoveColumn, false)

private:
    TStringGrid* FOwner;
    TStringGrid* FGrid = nullptr;
};

// Shows the focus window around the edited cell.
class TFocusHelper : public TPersistent {
public:
    explicit TFocusHelper(TPersistent* AOwner) : FOwner(AOwner) {}

    void Assign(TPersistent* Source) override;
    TPersistent* Owner() const { return FOwner; }

    RTL_STORED_PROPERTY(bool, Enabled, false)

private:
    TPersistent* FOwner;
};

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
