#pragma once
// The grid's shared vocabulary: the enumerations, sets and event types of
// the base grid, the grid control, its settings objects, editors and data
// services. Ordinals are stored and compared, so every enumeration keeps
// its declaration order; values stream by name (rtl/TypInfo.h).
#include "rtl/Graphics.h"
#include "rtl/Grids.h"
#include "rtl/TypInfo.h"

#include <functional>

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
