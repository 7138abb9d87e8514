#pragma once
// The string grid of every table window: TExStringGrid on the base grid,
// declared whole here; its operations are spread over the sources by theme:
// ExGrid_Create.cpp (construction, window creation, loading, assignment,
// sizing, destruction), ExGrid_Hidden.cpp (hidden columns and rows and the
// two index spaces), ExGrid_Structure.cpp (counts, fixed cells, sizes,
// moves, stretching), ExGrid_Values.cpp (typed cell access, headers,
// version), ExGrid_CellQueries.cpp, ExGrid_ColumnStates.cpp,
// ExGrid_CellGraphics.cpp, ExGrid_GraphicSizes.cpp, ExGrid_Check.cpp,
// ExGrid_Selection.cpp, ExGrid_TextFormat.cpp, ExGrid_Fills.cpp (fills, cell
// checks, look and behaviour writers), ExGrid_Decorations.cpp (border,
// background, glow, move lines), ExGrid_Balloon.cpp (notifications, balloon
// text), ExGrid_DesignHelper.cpp,
// ExGrid_UnitServices.cpp, ExGrid_Interim.cpp (the bodies that stand in until the grid's
// later parts land, each marked there).
//
// Index spaces: cell access (Cells, the per-cell queries, cell graphics)
// takes the real column and the display row; Col, ColCount, ColWidths,
// selection and drawing take display indices; row hiding and AllCells take
// real rows. RealColIndex, DisplColIndex, RealRowIndex and DisplRowIndex
// convert.
#include "grid/base/BaseGrid.h"
#include "grid/base/ExStyleIF.h"
#include "grid/base/ExUtil.h"
#include "grid/base/PictureContainer.h"
#include "grid/base/esgcheck.h"
#include "grid/control/ExGrid_Graphic.h"
#include "grid/control/ExGrid_Settings.h"
#include "rtl/ActiveX.h"
#include "rtl/ImgList.h"
#include "rtl/Menus.h"
#include "rtl/StdCtrls.h"

#include <QStringList>

#include <array>
#include <bitset>
#include <utility>
#include <memory>
#include <optional>
#include <vector>

class TExStringGrid;
class TDropList;
class TDropCheckList;
class TCustomIniFile;

// The selection listener a grid tells of every move of its current cell.
class ITExStringGridSelect {
public:
    virtual ~ITExStringGridSelect() = default;
    virtual void SelectionChanged(Integer ACol, Integer ARow) = 0;
};

class TEditLink;
class TExInplaceEdit;
class TGridCombo;
class TGridSpin;
class TGridDatePicker;
class TGridDateTimePicker;
class TGridCheckBox;
class TGridEditBtn;
class TGridUnitEditBtn;
class TGridButton;
class TGridTransEdit;
class TGridTransCombo;
class THeaderDragButton;
class TControlEdit;
class TControlCombo;
class THTMLHintWindow;
class TExCustomDropDown;
class TGridBalloonWindow;
class TCustomRichEdit;
class TExRichEdit;
class TGridTrackbarDropDown;
class TGridMemoDropDown;
class TGridCalculatorDropDown;
class TGridTimepickerDropDown;
class TGridDetailPickerDropDown;
class TGridGridDropDown;
class TGridDropSource;
class TGridColorDropDown;
class TGridImageDropDown;
class TGridExGridDropDown;
struct TToolTipTextRequest;

// The grid's exception: fixed English texts for cells that are no numbers
// and indices outside the grid's own ranges.
RTL_DECLARE_EXCEPTION(EExGridError, Exception)

// ---------------------------------------------------------------------------
// Enumerations of the grid control

RTL_NAMED_ENUM(TGridLook, glStandard, glSoft, glClassic, glQVX, glXP, glListView, glVista, glWin7,
               glOffice2007, glCustom)
RTL_NAMED_ENUM(TExGridStyle, gsOffice2003Blue, gsOffice2003Silver, gsOffice2003Olive, gsOffice2003Classic,
               gsOffice2007Luna, gsOffice2007Obsidian, gsWindowsXP, gsWhidbey, gsCustom, gsOffice2007Silver,
               gsWindowsVista, gsWindows7, gsTerminal, gsOffice2010Blue, gsOffice2010Silver, gsOffice2010Black)
RTL_NAMED_ENUM(TScrollType, ssNormal, ssFlat, ssEncarta, ssMetro)
RTL_NAMED_ENUM(TScrollHintType, shNone, shVertical, shHorizontal, shBoth)
RTL_NAMED_ENUM(TScrollBarAlways, saNone, saVert, saHorz, saBoth)
RTL_NAMED_ENUM(THoverFixedCells, hfNone, hfAll, hfFixedRows, hfFixedColumns)
RTL_NAMED_ENUM(THintShowLargeTextPos, hpCell, hpCursor)
RTL_NAMED_ENUM(TFilterDropDownColumns, fdNormal, fdAll)
RTL_NAMED_ENUM(TInvalidEntryIcon, ieNone, ieInfo, ieWarning, ieError)
RTL_NAMED_ENUM(TIntelliPan, ipVertical, ipHorizontal, ipBoth, ipNone)
RTL_NAMED_ENUM(TMouseSelectMode, msNormal, msColumn, msRow, msAll, msURL, msResize)
RTL_NAMED_ENUM(TSearchAction, saFindFirst, saFindPrevious, saFindNext)
// The find options, in their bit order.
RTL_NAMED_ENUM(TFindParam, fnMatchCase, fnMatchFull, fnMatchRegular, fnDirectionLeftRight, fnMatchStart,
               fnFindInCurrentRow, fnFindInCurrentCol, fnIncludeFixed, fnAutoGoto, fnIgnoreHTMLTags, fnBackward,
               fnIncludeHiddenColumns, fnFindInPresetCol, fnFindInPresetRow, fnSelectedCells, fnIncludeHiddenRows)
using TFindParams = TSet<TFindParam, 16>;
RTL_NAMED_ENUM(TColumnSizeLocation, clRegistry, clIniFile)
RTL_NAMED_ENUM(TAutoSizeRows, arAll, arNormal, arFixed)
RTL_NAMED_ENUM(TXPColorScheme, xpNone, xpBlue, xpGreen, xpGray, vistaAero)
// The states of a drag over the grid (DragOver), from the runtime's drag
// events.
RTL_NAMED_ENUM(TDragState, dsDragEnter, dsDragLeave, dsDragMove)
// The directions of drag scrolling, as the bits OnDragScroll passes.
enum TDragScrollDirection : Integer { dsdUp = 1, dsdDown = 2, dsdLeft = 4, dsdRight = 8 };

// The states ExportNotification is told while cells are written.
enum TGridExportState : Integer { esExportStart = 0, esExportNextRow = 1, esExportDone = 2 };
// The states ImportNotification is told while cells are read or pasted.
enum TGridImportState : Integer { isImportStart = 0, isImportNewRow = 1, isImportDone = 2, isImportSelRow = 3 };
// The last clipboard operation of a grid.
enum TClipOperation : Integer { coCut = 0, coCopy = 1 };

// ---------------------------------------------------------------------------
// Event types of the grid control besides those of the grid vocabulary.
// Row first where the grid's conventions say so, column first otherwise.

using TAutoAdvanceEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, bool& GoAdvance)>;
using TCustomCellSizeEvent = std::function<void(TObject* Sender, TCanvas* Canvas, Integer ACol, Integer ARow,
                                                TPoint& ASize, bool Printing)>;
using TCustomFilterEvent = std::function<void(TObject* Sender, Integer ARow, bool& AcceptRow)>;
using TGetCellCursorEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, Integer X, Integer Y, TCursor& ACursor)>;
using TWordWrapEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, bool& WordWrap)>;
using TGetColumnFilterEvent = std::function<void(TObject* Sender, Integer Column, TStrings* Filter)>;
using TFilterSelectEvent = std::function<void(TObject* Sender, Integer Column, Integer ItemIndex,
                                              const String& FriendlyName, String& FilterCondition)>;
using TFilterCheckEvent = std::function<void(TObject* Sender, Integer Column, Integer ItemIndex,
                                             const String& FriendlyName, String& FilterCondition,
                                             TCheckListBox* CheckList)>;
using TGetCheckEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, String& Value)>;
using TGridWideHintEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, String& hintstr)>;
using TColumnCalcEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer FromRow, Integer ToRow, Double& Res)>;
using TRowUpdateEvent = std::function<void(TObject* Sender, Integer OldRow, Integer NewRow)>;
using TRowChangingEvent = std::function<void(TObject* Sender, Integer OldRow, Integer NewRow, bool& Allow)>;
using TColChangingEvent = std::function<void(TObject* Sender, Integer OldCol, Integer NewCol, bool& Allow)>;
using TCellChangingEvent = std::function<void(TObject* Sender, Integer OldRow, Integer OldCol, Integer NewRow,
                                              Integer NewCol, bool& Allow)>;
using TCustomStrToDateEvent =
    std::function<void(TObject* Sender, const String& Value, TDateTime& ADate, bool& IsDate)>;
using TGridPrintPageEvent =
    std::function<void(TObject* Sender, TCanvas* Canvas, Integer PageNr, Integer PageXSize, Integer PageYSize)>;
using TGridPrintGetPageNumEvent =
    std::function<void(TObject* Sender, Integer PageNum, Integer PageColNum, String& PageNumText)>;
using TGridPrintStartEvent =
    std::function<void(TObject* Sender, Integer NrOfPages, Integer& FromPage, Integer& ToPage)>;
using TGridPrintCancelEvent = std::function<void(TObject* Sender, Integer PageNr, bool& Abort)>;
using TFitToPageEvent = std::function<void(TObject* Sender, Double& ScaleFactor, bool& Allow)>;
using TGridPrintNewPageEvent = std::function<void(TObject* Sender, Integer ARow, bool& NewPage)>;
using TGridPrintColumnWidthEvent = std::function<void(TObject* Sender, Integer ACol, Integer& Width)>;
using TGridPrintRowHeightEvent = std::function<void(TObject* Sender, Integer ARow, Integer& Height)>;
using TNodeClickEvent = std::function<void(TObject* Sender, Integer ARow, Integer ARowReal)>;
using TNodeAllowEvent = std::function<void(TObject* Sender, Integer ARow, Integer ARowReal, bool& Allow)>;
using TDropDownButtonClickEvent = std::function<void(TObject* Sender, Integer ButtonIndex)>;
using TSearchFooterActionEvent = std::function<void(TObject* Sender, const String& Value, Integer ACol,
                                                    Integer ARow, TSearchAction SearchAction)>;
using TCanShowFixedDropDownEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, bool& Allow)>;
using TFixedDropDownClickEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, TPopupMenu*& AMenu,
                                                    bool& KeepFixedCellHighlighted)>;
using TCanClickCellEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, bool& Allow)>;
using TFixedEditEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow,
                                           TGridFixedCellEditor& AEditor, TStrings* Values)>;
using TIsFixedCellEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, bool& IsFixed)>;
using TIsPasswordCellEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, bool& IsPassword)>;
using TControlEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, const String& CtrlID,
                                         const String& CtrlType, const String& CtrlVal)>;
using TControlComboListEvent =
    std::function<void(TObject* Sender, Integer ARow, Integer ACol, const String& CtrlID, const String& CtrlType,
                       const String& CtrlVal, TStrings* Values, bool& Edit, Integer& DropCount)>;
using TControlComboSelectEvent =
    std::function<void(TObject* Sender, Integer ARow, Integer ACol, Integer ItemIndex, const String& CtrlID,
                       const String& CtrlType, const String& CtrlVal)>;
using TClipboardEvent = std::function<void(TObject* Sender, bool& Allow)>;
using TClipboardAfterPasteEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, const String& Value)>;
using TClipboardBeforePasteEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, String& Value, bool& Allow)>;
using TCellValidateEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, String& Value, bool& Valid)>;
using TCellsChangedEvent = std::function<void(TObject* Sender, TRect R)>;
using TGridProgressEvent = std::function<void(TObject* Sender, SmallInt Progress)>;
using THasComboEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, bool& HasComboBox)>;
using THasSpinEditEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, bool& HasSpinEdit)>;
using TGetEditorPropEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, TEditLink* AEditLink)>;
using TColorSelectedEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, TColor& Color, String& Value)>;
using TColorSelectEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, TColor Color, const String& Value)>;
using TImageSelectedEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, Integer& Index)>;
using TImageSelectEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, Integer Index)>;
using TRadioClickEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, Integer AIdx)>;
using TRadioButtonClickEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, bool State)>;
using TComboChangeEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, Integer AItemIndex, const String& ASelection)>;
using TComboObjectChangeEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, Integer AItemIndex,
                                                   const String& ASelection, TObject* AObject)>;
using TFloatSpinClickEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, Double AValue, bool UpDown)>;
using TDateTimeSpinClickEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, TDateTime AValue, bool UpDown)>;
using TDragScrollEvent =
    std::function<void(TObject* Sender, Integer TopRow, Integer LeftCol, Integer& DragScrollDir, bool& CanScroll)>;
using TEditCellDoneEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow)>;
using TEditChangeEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, const String& Value)>;
using TDateTimeChangeEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, TDateTime ADateTime)>;
using TFooterPaintEvent = std::function<void(TObject* Sender, Integer AColumn, TCanvas* Canvas, TRect ARect)>;
using TFooterCalcEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, String& Value)>;
using TRowDisjunctSelectEvent = std::function<void(TObject* Sender, Integer ARow, bool Value, bool& Allow)>;
using TRowDisjunctSelectedEvent = std::function<void(TObject* Sender, Integer ARow)>;
using TSelectionChangedEvent =
    std::function<void(TObject* Sender, Integer ALeft, Integer ATop, Integer ARight, Integer ABottom)>;
using TUnitChangedEvent = std::function<void(TObject* Sender, const String& NewUnit)>;
// The grid's unit change: the current cell (real column) and the new unit.
using TGridUnitChangedEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, const String& NewUnit)>;
using TOleDropEvent =
    std::function<void(TObject* Sender, Integer ARow, Integer ACol, const String& Data, bool& Allow)>;
using TOleDroppedEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol)>;
using TOleDragOverEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, bool& Allow)>;
using TOleDragStopEvent = std::function<void(TObject* Sender, Integer OLEEffect)>;
using TOleDropColEvent =
    std::function<void(TObject* Sender, Integer ARow, Integer ACol, Integer DropCol, bool& Allow)>;
using TRatingChangeEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, Double& NewRate, bool& Allow)>;
using TColumnMoveEvent = std::function<void(TObject* Sender, Integer ACol, bool& Allow)>;
using TColumnMovingEvent = std::function<void(TObject* Sender, Integer FromCol, Integer ToCol, bool& Allow)>;
using TRowMoveEvent = std::function<void(TObject* Sender, Integer ARow, bool& Allow)>;
using TRowMovingEvent = std::function<void(TObject* Sender, Integer FromRow, Integer ToRow, bool& Allow)>;
using TScrollCellEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, Integer ScrollPosition,
                                            Integer ScrollMin, Integer ScrollMax)>;
using TSelectionResizeEvent = std::function<void(TObject* Sender, Integer FromCol, Integer FromRow, Integer ToCol,
                                                 Integer ToRow, bool& Allow)>;
using TSelectionResizedEvent =
    std::function<void(TObject* Sender, Integer FromCol, Integer FromRow, Integer ToCol, Integer ToRow)>;
using TCellSaveLoadEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, String& Value)>;

// ---------------------------------------------------------------------------
// TGridItem: one hidden row (its cells over all real columns, with their
// objects, its height, the index it stands for and its hiding level).

// The cells of a hidden row as a string list over the store's own row: the
// row moves in and out whole, without copying cells.
class TGridRowStrings : public TStrings {
public:
    TGridRowStrings() = default;
    explicit TGridRowStrings(TStringGrid::TSlotRow Row) : FRow(std::move(Row)) {}

    void Clear() override { FRow.clear(); }
    void Delete(int Index) override;
    void Insert(int Index, const String& S) override;
    void InsertObject(int Index, const String& S, TObject* AObject) override;
    TStringGrid::TSlotRow& Row() { return FRow; }

protected:
    String Get(int Index) const override;
    int GetCount() const override { return int(FRow.size()); }
    TObject* GetObject(int Index) const override;
    void Put(int Index, const String& S) override;
    void PutObject(int Index, TObject* AObject) override;

private:
    TStringGrid::TCellSlot& At(int Index);
    const TStringGrid::TCellSlot& At(int Index) const;

    TStringGrid::TSlotRow FRow;
};

class TGridItem : public TCollectionItem {
public:
    explicit TGridItem(TCollection* ACollection);
    ~TGridItem() override;

    Integer Idx() const { return FIdx; }
    void SetIdx(Integer Value);
    Integer Height() const { return FHeight; }
    void SetHeight(Integer Value) { FHeight = Value; }
    TStrings* Items() const { return FItems.get(); }
    // The item owns the new list from then on.
    void SetItems(TGridRowStrings* Value) { FItems.reset(Value); }
    Integer Level() const { return FLevel; }
    void SetLevel(Integer Value) { FLevel = Value; }
    TGridRowStrings* RowStrings() const { return FItems.get(); }

private:
    Integer FIdx = 0;
    Integer FHeight = 0;
    std::unique_ptr<TGridRowStrings> FItems;
    Integer FLevel = 0;
};

// The hidden rows, with a sorted index of their Idx values beside them so
// that the row conversions need no walk over all rows. The index is
// rebuilt on the first question after any change of the items.
class TGridItems : public TCollection {
public:
    TGridItems() : TCollection(CollectionItemClass<TGridItem>()) {}
    TGridItem* Items(int Index) const { return static_cast<TGridItem*>(TCollection::Items(Index)); }

    // Items whose Idx lies below ARow.
    Integer CountBelow(Integer ARow) const;
    // Whether some item stands for ARow.
    bool HasIdx(Integer ARow) const;
    // The (ARow + 1)-th row that no item stands for.
    Integer NthFreeRow(Integer ARow) const;

protected:
    void Update(TCollectionItem* Item) override;

private:
    void BuildIndex() const;

    mutable std::vector<Integer> FSortedIdx;  // every item's Idx, ascending
    mutable std::vector<Integer> FDistinctIdx;  // those from 0 on, without repeats
    mutable bool FIndexValid = false;
};

// ---------------------------------------------------------------------------
// TColumnSize: stretching and the persistence settings of column widths.

class TColumnSize : public TPersistent {
public:
    explicit TColumnSize(TExStringGrid* AOwner) : FOwner(AOwner) {}

    // From another TColumnSize, without stretching again.
    void Assign(TPersistent* Source) override;

    bool Save() const { return FSave; }
    void SetSave(bool Value) { FSave = Value; }
    const String& Key() const { return FKey; }
    void SetKey(const String& Value) { FKey = Value; }
    const String& Section() const { return FSection; }
    void SetSection(const String& Value) { FSection = Value; }
    bool Stretch() const { return FStretch; }
    // Stretches at once when the grid has a parent.
    void SetStretch(bool Value);
    Integer StretchColumn() const { return FStretchColumn; }
    void SetStretchColumn(Integer Value) { FStretchColumn = Value; }
    bool SynchWithGrid() const { return FSynchWithGrid; }
    void SetSynchWithGrid(bool Value) { FSynchWithGrid = Value; }
    bool SynchNormalCellsOnly() const { return FSynchNormalCellsOnly; }
    void SetSynchNormalCellsOnly(bool Value) { FSynchNormalCellsOnly = Value; }
    TColumnSizeLocation Location() const { return FLocation; }
    void SetLocation(TColumnSizeLocation Value) { FLocation = Value; }
    TAutoSizeRows Rows() const { return FRows; }
    void SetRows(TAutoSizeRows Value) { FRows = Value; }

private:
    TExStringGrid* FOwner;
    bool FSave = false;
    String FKey;
    String FSection;
    bool FStretch = false;
    Integer FStretchColumn = -1;
    bool FSynchWithGrid = false;
    bool FSynchNormalCellsOnly = false;
    TColumnSizeLocation FLocation = clRegistry;
    TAutoSizeRows FRows = arAll;
};

// Told of every changed cell rectangle of the grids it is registered with.
class TGridChangeNotifier : public TComponent {
public:
    using TComponent::TComponent;
    virtual void CellsChanged(TRect) {}
};

// ---------------------------------------------------------------------------
// TExStringGrid

// The look units reach the grid through IQVXTones and IQVXStyle; the form owns it.
class TExStringGrid : public TBaseGrid, public IQVXTones, public IQVXStyle {
public:
    explicit TExStringGrid(TComponent* AOwner);
    ~TExStringGrid() override;

    // Copies another TExStringGrid's settings, then its cells; any other
    // source changes nothing.
    void Assign(TPersistent* Source) override;
    void Loaded() override;
    // After an edit change only clears FEditChange (one repaint skipped).
    void Invalidate();
    void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
    void UpdateScrollBarAlways(bool Force);
    void FreeScrollControls();

    // ----------------------------------------------------------- scrolling and the footer
    // (ExGrid_Scroll.cpp, ExGrid_Footer.cpp)
    // The cell under a screen point; -1, -1 outside the cells.
    void ScreenToCell(TPoint pt, Integer& ACol, Integer& ARow);
    // Arms or disarms drag scrolling; X and Y are client coordinates.
    void DragOver(TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept);
    // Drags over the grid reach DragOver first.
    bool WidgetEvent(QEvent* Event) override;
    // Column and row calculations (grid/data/ExGrid_Calc.cpp). Over a real
    // column; -1 for either row means the data rows; a ToRow beyond the
    // data rows in view counts by real row, hidden rows included.
    Double ColumnSum(Integer ACol, Integer FromRow, Integer ToRow);
    Double ColumnAvg(Integer ACol, Integer FromRow, Integer ToRow);
    Double ColumnMin(Integer ACol, Integer FromRow, Integer ToRow);
    Double ColumnMax(Integer ACol, Integer FromRow, Integer ToRow);
    Double ColumnDistinct(Integer ACol, Integer FromRow, Integer ToRow);
    Double ColumnStdDev(Integer ACol, Integer FromRow, Integer ToRow);
    Double ColumnCustomCalc(Integer ACol, Integer FromRow, Integer ToRow);
    Double RowSum(Integer ARow, Integer FromCol, Integer ToCol);
    Double RowAvg(Integer ARow, Integer FromCol, Integer ToCol);
    Double RowMin(Integer ARow, Integer FromCol, Integer ToCol);
    Double RowMax(Integer ARow, Integer FromCol, Integer ToCol);
    // The value OnGroupCalc gives; 0 without it.
    Double DoGroupCalc(Integer ACol, Integer FromRow, Integer ToRow);

    // ----------------------------------------------------------- finding (grid/data/ExGrid_Find.cpp)
    // The first data row whose cell in the type-ahead column begins with s
    // (given upper-cased); -1 when none.
    Integer Search(const String& s);
    // The next matching cell after StartCell ((-1, -1): from the first);
    // (-1, -1) when none. Columns are display columns and rows display rows
    // unless the hidden ones are included, then real ones.
    TPoint Find(TPoint& StartCell, const String& s, TFindParams FindParams);
    // Find without the scrolling step.
    TPoint FindWide(TPoint& StartCell, const String& s, TFindParams FindParams);
    TPoint FindFirst(const String& s, TFindParams FindParams);
    TPoint FindNext();
    // The number of cells changed.
    Integer Replace(const String& OrigStr, const String& NewStr, TFindParams FindParams);
    Integer FindCol() const { return FFindCol; }
    void SetFindCol(Integer Value) { FFindCol = Value; }
    Integer FindRow() const { return FFindRow; }
    void SetFindRow(Integer Value) { FFindRow = Value; }
    // Set by every find, cleared by one that ends without a match.
    bool FindBusy() const { return FFindBusy; }
    // The last found cell; (-1, -1) for none.
    TPoint SearchCell() const { return FSearchCell; }
    void SetSearchCell(TPoint Value) { FSearchCell = Value; }
    const String& IncrSearchText() const { return SearchInc; }
    void SetIncrSearchText(const String& Value) { SearchInc = Value; }

    // ----------------------------------------------------------- highlighting (grid/data/ExGrid_Highlight.cpp)
    // Occurrences wrapped in the tags "hi" (highlight) or "e" (error mark).
    String HilightText(bool DoCase, const String& S, const String& Text);
    String UnHilightText(const String& S);
    String MarkText(bool DoCase, const String& S, const String& Text);
    void HilightInCell(bool DoCase, Integer Col, Integer Row, const String& HiText);
    void HilightInCol(bool DoFixed, bool DoCase, Integer Col, const String& HiText);
    void HilightInRow(bool DoFixed, bool DoCase, Integer Row, const String& HiText);
    void HilightInGrid(bool DoFixed, bool DoCase, const String& HiText);
    void UnHilightInCell(Integer Col, Integer Row);
    void UnHilightInCol(bool DoFixed, Integer Col);
    void UnHilightInRow(bool DoFixed, Integer Row);
    void UnHilightInGrid(bool DoFixed);
    void MarkInCell(bool DoCase, Integer Col, Integer Row, const String& HiText);
    void MarkInCol(bool DoFixed, bool DoCase, Integer Col, const String& HiText);
    void MarkInRow(bool DoFixed, bool DoCase, Integer Row, const String& HiText);
    void MarkInGrid(bool DoFixed, bool DoCase, const String& HiText);
    void UnMarkInCell(Integer Col, Integer Row);
    void UnMarkInCol(bool DoFixed, Integer Col);
    void UnMarkInRow(bool DoFixed, Integer Row);
    void UnMarkInGrid(bool DoFixed);

    // ----------------------------------------------------------- grouping (grid/data/ExGrid_Group.cpp)
    // Method 1 sum, 2 average, 3 minimum, 4 maximum, 5 count, 6 OnGroupCalc,
    // 7 distinct, 8 standard deviation, into each expanded group's header
    // row (summary row with Grouping.Summary).
    void GroupCalc(Integer ColIndex, Integer Method);
    void GroupSum(Integer ColIndex);
    void GroupAvg(Integer ColIndex);
    void GroupMin(Integer ColIndex);
    void GroupMax(Integer ColIndex);
    void GroupCount(Integer ColIndex);
    void GroupCustomCalc(Integer ColIndex);
    void GroupDistinct(Integer ColIndex);
    void GroupStdDev(Integer ColIndex);

    // ----------------------------------------------------------- search bar (grid/data/ExGrid_SearchFooter.cpp)
    // Typing in the edit, its buttons (Enter and Ctrl+Enter find next and
    // previous), the highlight button and the close button.
    void SearchFooterEditChange(TObject* Sender);
    void SearchFooterFindNext(TObject* Sender);
    void SearchFooterFindPrevious(TObject* Sender);
    void SearchFooterHighlight(TObject* Sender);
    void SearchFooterClose(TObject* Sender);

    // ----------------------------------------------------------- counts and structure
    Integer ColCount() const { return TBaseGrid::ColCount(); }
    void SetColCount(Integer Value);
    Integer RowCount() const { return TBaseGrid::RowCount(); }
    void SetRowCount(Integer Value);
    Integer FixedRows() const;
    void SetFixedRows(Integer Value);
    Integer FixedCols() const;
    void SetFixedCols(Integer Value);
    bool FixedRowAlways() const { return FFixedRowAlways; }
    void SetFixedRowAlways(bool Value) { FFixedRowAlways = Value; }
    bool FixedColAlways() const { return FFixedColAlways; }
    void SetFixedColAlways(bool Value) { FFixedColAlways = Value; }
    Integer FixedFooters() const { return FFixedFooters; }
    void SetFixedFooters(Integer Value);
    Integer FixedRightCols() const { return FFixedRightCols; }
    void SetFixedRightCols(Integer Value);
    Integer FixedRowHeight() const { return FFixedRowHeight; }
    void SetFixedRowHeight(Integer Value);
    Integer FixedColWidth() const { return ColWidths(0); }
    void SetFixedColWidth(Integer Value);
    Integer DefaultRowHeight() const { return TBaseGrid::DefaultRowHeight(); }
    void SetDefaultRowHeight(Integer Value);
    TAlignment DefaultAlignment() const { return FDefaultAlignment; }
    void SetDefaultAlignment(TAlignment Value);
    TVAlignment VAlignment() const { return FVAlignment; }
    void SetVAlignment(TVAlignment Value);
    bool WordWrap() const { return FWordWrapEx; }
    void SetWordWrap(bool Value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value) override;
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    void SetCol(Integer Value);
    void MoveColumn(Integer FromIndex, Integer ToIndex);
    void MoveRow(Integer FromIndex, Integer ToIndex);
    void MoveRows(Integer FromIndex, Integer ToIndex, Integer Count);
    void SwapCells(TGridCoord FromCell, TGridCoord ToCell);
    void StretchRightColumn();
    void StretchColumn(Integer Index);
    Integer SaveStartCol() const;
    Integer SaveStartRow() const;
    Integer SaveEndCol() const;
    Integer SaveEndRow() const;
    Integer SaveColCount() const;
    Integer SaveRowCount() const;
    bool IsIgnoredColumn(Integer ACol) const;
    TCustomForm* GetParentForm(TControl* AControl) const;
    bool IsSizingPos(Integer X, Integer Y) const;
    void RegisterNotifier(TGridChangeNotifier* ANotifier);
    void UnRegisterNotifier(TGridChangeNotifier* ANotifier);

    // ----------------------------------------------------------- text files (grid/data/):
    // the own cell list, aligned text, CSV and fixed width
    void SaveToFile(const String& FileName, bool Unicode = false);
    void LoadFromFile(const String& FileName);
    void SaveToASCII(const String& FileName, bool Unicode = false);
    void AppendToASCII(const String& FileName, bool Unicode = false);
    void SaveToCSV(const String& FileName, bool Unicode = false);
    void AppendToCSV(const String& FileName, bool Unicode = false);
    // MaxRows 0 or less: no limit. A file of 0 bytes changes nothing.
    void LoadFromCSV(const String& FileName, Integer MaxRows = 0);
    void InsertFromCSV(const String& FileName, Integer MaxRows = 0);
    void LoadFromCSVStream(TStream* AStream, Integer MaxRows = 0);
    // Positions holds the column widths in characters; the missing ones are
    // appended.
    void SaveToFixed(const String& FileName, TIntList* Positions);
    // Positions are the 1-based starts of the fields, the last one the end of
    // the last field. MaxRows 0 or less: no limit.
    void LoadFromFixed(const String& FileName, TIntList* Positions, bool DoTrim = true, Integer MaxRows = -1);
    // 0 for an empty cell; EExGridError naming the first bad character.
    Double CellToReal(Integer ACol, Integer ARow);
    // Recalculates the footer.
    void GridChanged();

    // ----------------------------------------------------------- HTML and XML (grid/data/ExGrid_HTML.cpp,
    // ExGrid_XML.cpp)
    void SaveToHTML(const String& FileName, bool Show = false, bool Unicode = false);
    void AppendToHTML(const String& FileName, bool Show = false, bool Unicode = false);
    // The table's document; its pictures are written below Dir.
    String SaveToHTMLString(const String& Dir);
    // FieldDescr may be null.
    void SaveToXML(const String& FileName, const String& ListDescr, const String& RecordDescr, TStrings* FieldDescr,
                   bool ExportEmptyCells);
    void LoadFromXML(const String& FileName, bool LevelToRow = false, bool LoadFieldDescr = false);

    // ----------------------------------------------------------- workbooks, documents and database tables
    // (grid/data/ExGrid_Office*.cpp); files are written as Office Open XML
    std::unique_ptr<TStringList> GetXLSSheets(const String& FileName);
    void LoadFromXLS(const String& Filename);
    void LoadFromXLSSheet(const String& Filename, const String& SheetName);
    void SaveToXLS(const String& Filename, bool CreateNewSheet = true);
    void SaveToXLSSheet(const String& Filename, const String& SheetName);
    void SaveToDOC(const String& Filename, bool CreateNewDocument = true);
    void AppendToDoc(const String& Filename, const String& Bookmark);
    void LoadFromMDBTable(const String& Filename, const String& Table);
    void LoadFromMDBSQL(const String& Filename, const String& SQL);

    // ----------------------------------------------------------- hidden columns and rows
    void HideColumn(Integer ColIndex) { HideColumns(ColIndex, ColIndex); }
    void HideColumns(Integer FromCol, Integer ToCol);
    void UnHideColumn(Integer ColIndex) { UnHideColumns(ColIndex, ColIndex); }
    void UnHideColumns(Integer FromCol, Integer ToCol);
    void UnHideColumnsAll();
    bool IsHiddenColumn(Integer Colindex) const;
    Integer NumHiddenColumns() const { return FNumHidden; }
    Integer TotalColCount() const override { return ColCount() + FNumHidden; }
    Integer AllColCount() const { return TotalColCount(); }
    Integer RealColIndex(Integer ACol) const;
    Integer DisplColIndex(Integer ACol) const override;
    Integer RealCol() const { return RealColIndex(Col()); }
    void HideRow(Integer Rowindex) { HideRows(Rowindex, Rowindex); }
    void HideRows(Integer FromRow, Integer ToRow);
    void HideRowsEx(Integer FromRow, Integer ToRow);
    void HideRowList(TIntList* RowList);
    void UnHideRow(Integer Rowindex);
    void UnHideRows(Integer FromRow, Integer ToRow);
    void UnHideRowsAll();
    void UnHideRowList();
    bool IsHiddenRow(Integer Rowindex) const;
    // For loops: ListHidden is made and filled on the first call (the
    // caller frees it).
    bool IsHiddenRow(Integer Rowindex, TIntList*& ListHidden) const;
    Integer NumHiddenRows() const { return FGridItems->Count(); }
    Integer TotalRowCount() const { return RowCount() + NumHiddenRows(); }
    Integer AllRowCount() const { return TotalRowCount(); }
    Integer RealRowIndex(Integer ARow) const;
    Integer DisplRowIndex(Integer ARow) const;
    Integer RealRow() const { return RealRowIndex(Row()); }
    Integer FilterLevel() const { return FFilterLevel; }
    void SetFilterLevel(Integer Value) { FFilterLevel = Value; }
    TGridItems* GridItems() const { return FGridItems.get(); }

    // ----------------------------------------------------------- filtering (grid/data/ExGrid_Filter.cpp)
    // Hides display row ARow when it does not pass the filter.
    void FilterRow(Integer ARow);
    // Tests every data row and hides the failing ones as one new level.
    void ApplyFilter();
    // Brings back the last level's rows; True while more than one level is
    // left after it, False also without any level.
    bool RemoveLastFilter();
    // Unwinds every level, keeping the conditions; without a level, clears
    // the conditions.
    void RemoveAllFilters();
    // Narrowing while typing: the rows whose cell of AColumn holds
    // ACondition (-1: anywhere in the row), without case; one more
    // character stacks a level, one less takes the last level back.
    void NarrowDown(const String& ACondition, Integer AColumn);

    // ----------------------------------------------------------- cells by real row
    String AllCells(Integer ACol, Integer ARow) { return GetCellsEx(ACol, ARow); }
    void SetAllCells(Integer ACol, Integer ARow, const String& Value) { SetCellsEx(ACol, ARow, Value); }
    String GetCellsEx(Integer i, Integer j);
    void SetCellsEx(Integer i, Integer j, const String& Value);
    TObject* AllObjects(Integer ACol, Integer ARow);
    String GetStrippedCell(Integer i, Integer j);

    // ----------------------------------------------------------- cell access layer
    // (ExGrid_Access.cpp). i is a real column; the All... forms take a real
    // row, the others a display row. A hidden row read beyond its saved
    // cells answers empty (nil); writes extend it.
    String AllGridCells(Integer i, Integer j);
    void SetAllGridCells(Integer i, Integer j, const String& Value);
    String AllWideCells(Integer i, Integer j) { return GetCellsEx(i, j); }
    void SetAllWideCells(Integer i, Integer j, const String& Value) { SetCellsEx(i, j, Value); }
    String WideCells(Integer i, Integer j) { return Cells(i, j); }
    void SetWideCells(Integer i, Integer j, const String& Value) { SetCells(i, j, Value); }
    void SetAllObjects(Integer i, Integer j, TObject* Value);
    // The raw object slot by real row.
    TObject* GetGridObjectsEx(Integer i, Integer j);
    // A row without a matching cross-reference entry stands for itself.
    String UnSortedCells(Integer i, Integer j);
    void SetUnSortedCells(Integer i, Integer j, const String& Value);
    // Cells by the column's index before any column was moved.
    String OriginalCells(Integer i, Integer j);
    void SetOriginalCells(Integer i, Integer j, const String& Value);
    Integer SortedRowIndex(Integer ARow);
    Integer UnSortedRowIndex(Integer ARow);
    TColor ColorsTo(Integer i, Integer j);
    void SetColorsTo(Integer i, Integer j, TColor Value);
    TCellGradientDirection Gradients(Integer i, Integer j);
    void SetGradients(Integer i, Integer j, TCellGradientDirection Value);
    TColor FontColors(Integer i, Integer j);
    void SetFontColors(Integer i, Integer j, TColor Value);
    TFontStyles FontStyles(Integer i, Integer j);
    void SetFontStyles(Integer i, Integer j, TFontStyles Value);
    Integer FontSizes(Integer i, Integer j);
    void SetFontSizes(Integer i, Integer j, Integer Value);
    String FontNames(Integer i, Integer j);
    void SetFontNames(Integer i, Integer j, const String& Value);
    TFont* Fonts(Integer i, Integer j) { return GetCellFont(i, j); }
    void SetFonts(Integer i, Integer j, TFont* Value);
    TAlignment Alignments(Integer i, Integer j);
    bool ReadOnly(Integer i, Integer j) { return GetReadOnly(i, j); }
    void SetReadOnly(Integer i, Integer j, bool Value);
    // The read makes the cell's properties.
    bool WordWraps(Integer i, Integer j);
    void SetWordWraps(Integer i, Integer j, bool Value);
    Integer LinesInCell(Integer i, Integer j);
    TControl* CellControls(Integer i, Integer j) { return GetCellControls(i, j); }
    TControl* GetCellControls(Integer i, Integer j);
    // The control is laid one pixel left and up of the cell.
    void SetCellControls(Integer i, Integer j, TControl* AControl);
    // Columns FixedCols .. AllColCount - 1 of display row j; clNone resets
    // only that colour.
    void SetRowColor(Integer j, TColor Value);
    void SetRowColorTo(Integer j, TColor Value);
    void SetRowFontColor(Integer j, TColor Value);
    Integer AllColWidths(Integer i);
    void SetAllColWidths(Integer i, Integer Value);
    // Also the grid's normal cursor.
    void SetCursor(TCursor Value);
    void SetFocusHelper(TFocusHelper* Value) { FFocusHelper->Assign(Value); }

    // ----------------------------------------------------------- row and column insertion
    // and removal (ExGrid_Rows.cpp)
    void InsertRowsInternal(Integer RowIndex, Integer RCount, bool UpdateCellControls);
    void AddColumn() { InsertCols(ColCount(), 1); }

    // ----------------------------------------------------------- clearing, trimming, merging,
    // removing by selection (ExGrid_Clear.cpp). Display indices.
    void ClearCols(Integer ColIndex, Integer CCount);
    void ClearNormalRows(Integer RowIndex, Integer RCount);
    void ClearNormalCols(Integer ColIndex, Integer CCount);
    void ClearNormalCells();
    void Clear();
    // Hidden rows stay hidden, emptied.
    void ClearAll();
    void ClearSelection();
    void TrimColumn(Integer ACol);
    void TrimRow(Integer ARow);
    void TrimAll();
    void ColorRect(Integer ACol1, Integer ARow1, Integer ACol2, Integer ARow2, TColor AColor);
    void MergeCols(Integer ColIndex1, Integer ColIndex2, const String& Separator);
    void MergeRowCells(Integer RowIndex, bool MainMerge);
    void SplitRowCells(Integer RowIndex);
    void SplitAllCells();
    void RemoveDuplicates(Integer ACol, bool DoCase);
    void RemoveCheckedRows(Integer CheckBoxColumn, bool RemoveChecked);
    void RemoveSelectedRows();
    void RemoveUnSelectedRows();
    void HideSelectedRows();
    void HideUnSelectedRows();
    void RemoveSelectedCols();
    void RemoveUnSelectedCols();
    bool IsCell(const String& SubStr, Integer& ACol, Integer& ARow);
    bool IsWideCell(Integer ACol, Integer ARow);

    // ----------------------------------------------------------- typed values and headers
    Integer Ints(Integer ACol, Integer ARow) { return GetInts(ACol, ARow); }
    void SetInts(Integer ACol, Integer ARow, Integer Value);
    Integer GetInts(Integer ACol, Integer ARow);
    Integer AllInts(Integer ACol, Integer ARow) { return GetAllInts(ACol, ARow); }
    void SetAllInts(Integer ACol, Integer ARow, Integer Value);
    Integer GetAllInts(Integer ACol, Integer ARow);
    Double Floats(Integer ACol, Integer ARow) { return GetFloats(ACol, ARow); }
    void SetFloats(Integer ACol, Integer ARow, Double Value);
    Double GetFloats(Integer ACol, Integer ARow);
    Double AllFloats(Integer ACol, Integer ARow) { return GetAllFloats(ACol, ARow); }
    void SetAllFloats(Integer ACol, Integer ARow, Double Value);
    Double GetAllFloats(Integer ACol, Integer ARow);
    String GetCtrlVal(Integer ACol, Integer ARow, const String& ID);
    void SetCtrlVal(Integer ACol, Integer ARow, const String& ID, const String& Value);
    String Version() const { return GetVersion(); }
    String GetVersion() const;
    void SetVersion(const String&) {}
    Integer GetPrintColWidth(Integer ACol) const;
    Integer GetPrintColOffset(Integer ACol) const;
    // The print engine fills these; 512 entries, more when it prints a
    // grid with more columns (hidden ones included).
    std::vector<Integer> MaxWidths = std::vector<Integer>(512);
    std::vector<Integer> Indents = std::vector<Integer>(512);

    // ----------------------------------------------------------- printing (ExGrid_Print*.cpp)
    void Print();
    void PrintRect(const TGridRect& Gridrect);
    void PrintSelection();
    void PrintSelectedRows();
    void PrintSelectedCols();
    void PrintPreview(TCanvas* Canvas, TRect Displayrect);
    void PrintPreviewRect(TCanvas* Canvas, TRect Displayrect, const TGridRect& Gridrect);
    void PrintPreviewSelection(TCanvas* Canvas, TRect Displayrect);
    void PrintPreviewSelectedRows(TCanvas* Canvas, TRect Displayrect);
    void PrintPreviewSelectedCols(TCanvas* Canvas, TRect Displayrect);
    void PrintDraw(TCanvas* Canvas, TRect DrawRect);
    void PrintDrawRect(TCanvas* Canvas, TRect DrawRect, const TGridRect& Gridrect);
    void SetPreviewPage(Integer Value);
    // A point size as a height in tenths of a millimetre, and back.
    Integer MapFontHeight(Integer PointSize) const;
    static Integer MapFontSize(Integer Height);
    // The grid's scaling, then its fixed and active-cell fonts scaled.
    void ChangeScale(Integer M, Integer D);
    // The number of pages of the last print or preview.
    Integer PrintPageNum() const { return FPrintPageNum; }
    Double Fontscalefactor = 1.0;
    // Skip the page-counting pass.
    bool FFastPrint = false;
    TStringList* ColumnHeaders() const { return FColumnHeaders.get(); }
    void SetColumnHeaders(TStrings* Value);
    void ClearColumnHeaders();
    void ShowColumnHeaders();
    TStringList* RowHeaders() const { return FRowHeaders.get(); }
    void SetRowHeaders(TStrings* Value);
    void ClearRowHeaders();
    void ShowRowHeaders();
    void SplitAllColumnCells();
    void RemergeColumns();
    void SplitColumnCells(Integer ColIndex);
    void MergeColumnCells(Integer ColIndex, bool MainMerge);
    TStringList* LookupItems() const { return FLookupItems.get(); }
    void SetLookupItems(TStrings* Value);
    TFont* FixedFont() const { return FFixedFont.get(); }
    void SetFixedFont(TFont* Value);
    TFont* ActiveCellFont() const { return FActiveCellFont.get(); }
    void SetActiveCellFont(TFont* Value);

    // ----------------------------------------------------------- row workers (interim
    // bodies until the row operations land; see ExGrid_Interim.cpp)
    void AddRow();
    void DoInsertRows(Integer RowIndex, Integer RCount, bool UpdateCellControls);
    void DoRemoveRows(Integer RowIndex, Integer RCount, bool UpdateCellControls);
    void ClearRows(Integer RowIndex, Integer RCount);
    void BeginUpdate();
    void EndUpdate();
    // The counter only, for short internal changes; ResetUpdate ends the
    // lock whatever its depth (ExGrid_WndProc.cpp).
    void StartUpdate();
    void ResetUpdate();
    bool LockUpdate() const { return FUpdateCount != 0; }
    void SetLockUpdate(bool Value);
    void ResetFixedCellHighlight();
    bool IsHoverFixedCell(Integer ACol, Integer ARow) const;
    TCanvas* FooterCanvas() { return GetFooterCanvas(); }
    TCanvas* GetFooterCanvas();
    void InitOrigColSizes();
    void SetColumnOrder();
    void ResetColumnOrder();
    // The column order (ExGrid_Items.cpp): positions and indexes count the
    // storage columns, hidden ones included.
    Integer ColumnPosition(Integer ACol);
    Integer ColumnAtPosition(Integer ACol);
    // The first real column whose header (row 0) is AValue exactly; -1.
    Integer ColumnByHeader(const String& AValue);
    bool IsSelected(Integer ACol, Integer ARow);
    TColor Colors(Integer ACol, Integer ARow);
    void SetColors(Integer ACol, Integer ARow, TColor AColor);
    void SetAlignments(Integer ACol, Integer ARow, TAlignment Value);
    bool GetReadOnly(Integer ACol, Integer ARow);
    void AutoSizeColumns(bool DoFixedCols, Integer Padding);
    void AutoSizeCol(Integer ACol, Integer Padding = 0);
    // Sizes one row to its tallest cell.
    void AutoSizeRow(Integer ARow, Integer Padding = 0);
    void AutoSizeRows(bool DoFixedRows, Integer Padding);
    void AutoSizeCells(bool DoFixedCells, Integer PaddingX, Integer PaddingY);
    // Shares the grid's width among the columns by their present widths.
    void AutoFitColumns(bool DoFixedCells);
    void SizeToCols();
    void SizeToRows();
    void SizeToCells();
    void AutoNumberCol(Integer ACol);
    void AutoNumberRow(Integer ARow);
    // Real columns; display rows. Cell properties go with their cells.
    void SwapColumns(Integer ACol1, Integer ACol2);
    void SwapRows(Integer ARow1, Integer ARow2);
    // The text lines of the row's tallest cell; 1 without Multilinecells.
    Integer MaxLinesInRow(Integer ARow);
    // Rows (columns) after the fixed ones that numbering leaves alone.
    RTL_STORED_PROPERTY(Integer, AutoNumberStart, 0)
    RTL_STORED_PROPERTY(Integer, AutoNumberOffset, 0)
    RTL_STORED_PROPERTY(TSortDirection, AutoNumberDirection, sdAscending)
    void ShowInplaceEdit();
    void HideInplaceEdit();
    void DoneInplaceEdit(Word Key, TShiftState Shift);
    // OnEditingDone now, OnEditCellDone later from the message queue.
    void DoEditingDone(Integer ACol, Integer ARow);
    // Opens the cell for editing as a click on it does.
    void EditCellAt(Integer ACol, Integer ARow);
    void Select();
    void SaveToStream(TStream* Stream);
    void LoadFromStream(TStream* Stream);

    // ----------------------------------------------------------- the binary cell block
    // (grid/data/ExGrid_BinBlock.cpp)
    void SaveToBinFile(const String& FileName);
    void LoadFromBinFile(const String& FileName);
    void SaveToBinStream(TStream* Stream);
    // At cell (0, 0), then the nodes are counted again.
    void LoadFromBinStream(TStream* Stream);
    // Left, Top, Right and Bottom are cells, all inclusive.
    void SaveRectToBinStream(TRect Rect, TStream* Stream);
    // The block's first cell lands at column Point.X, row Point.Y.
    void LoadAtPointFromBinStream(TPoint Point, TStream* Stream);
    // The block header's ID: a number unique to this grid within the process.
    Integer BlockID();
    void CellControlsUpdate(bool RebuildList);
    void FocusCell(Integer ACol, Integer ARow);
    void SaveColSizes();
    void LoadColSizes();
    void UpdateFooter();
    void UpdateSearchFooter();
    void BalloonInit();
    void BalloonDone();
    // The balloon window, while balloons are set up.
    TGridBalloonWindow* ToolTipWindow() const { return FHToolTip; }
    // Opacity of a window; the colour key and rectangle are not used here.
    void MakeWindowTranslucent(HWND Wnd, TColor ColorKey, Byte Opacity, TRect R);
    // A picture of the block on a borderless form that takes no activation;
    // the caller places, shows and frees it (ExGrid_SelectionForm.cpp).
    TCustomForm* SelectionToForm(TGridRect ARect);
    Integer VersionNr() const { return GetVersionNr(); }
    String VersionString() const { return GetVersionString(); }
    // Put in front of an edit-link editor's window procedure: with goTabs
    // the editor wants arrows, Tab and characters.
    void EditLinkWndProc(TMessage& Message);
    // Given to the unit edit-button editor: raises OnUnitChanged.
    void UnitChanged(TObject* Sender, const String& NewUnit);
    // The coloured frame of the flat looks (ExGrid_Decorations.cpp).
    void PaintBorder();
    void AdaptToOfficeTheme();
    void ApplyVCLStyleColors();
    void SetLook(TGridLook Value);

    // ----------------------------------------------------------- looks, styles and colour
    // tones (ExGrid_Looks.cpp)
    void SetComponentStyle(TQVXStyle AStyle) override;
    void SetColorTones(const TColorTones& ATones) override;
    void SetTheme(TXPColorScheme Scheme);
    // The drop-down editors that exist take the style.
    void SetDropDownStyles(TQVXStyle AStyle);
    // "" for glCustom.
    static String LookToString(TGridLook Value);
    static String LookToDisplayName(TGridLook Value);
    void SetSyncGrid(TSyncGrid* Value);
    // ----------------------------------------------------------- in-place editing
    // (ExGrid_Edit.cpp: choosing, showing and committing the editors, the
    // combo items; ExGrid_Advance.cpp: moving on after Enter, key press)
    // ACol is a display column; the cell written is its real column.
    void ShowEditControl(Integer ACol, Integer ARow);
    void HideEditControl(Integer ACol, Integer ARow);
    void HideCellEdit();
    void ShowCellEdit();
    void ClearComboString();
    void AddComboString(const String& S);
    void AddComboStringObject(const String& S, TObject* AObject);
    bool RemoveComboString(const String& S);
    bool SetComboSelectionString(const String& S);
    void SetComboSelection(Integer Idx);
    Integer GetComboCount();
    Integer ComboIndex(Integer ACol, Integer ARow) { return GetComboIndex(ACol, ARow); }
    Integer GetComboIndex(Integer ACol, Integer ARow);
    void SetComboIndex(Integer ACol, Integer ARow, Integer Value);
    void DateTimePickerChange(TObject* Sender);
    void DatePickerChange(TObject* Sender);
    void DatePickerCloseUp(TObject* Sender);
    void DatePickerDropDown(TObject* Sender);
    void GridButtonClick(TObject* Sender);
    void AdvanceToNextCell(Integer ACol, Integer ARow, bool Force, bool AllowAutoEdit, bool Forward,
                           bool Continuing, bool ShowEditor);
    // A shared editor lost the focus: it closes and stores its value,
    // unless the grid is closing it already or going away.
    void EditorLostFocus();
    // The cursor walk out of an editor at ACol: forced, left to right.
    void WalkToNextCell(Integer ACol, bool Backward, bool ShowEditor);
    // Interim until the grid's keyboard handling lands.
    bool TabToNextCell(bool Backward);
    void EditHTMLControl(Integer ACol, Integer ARow, const String& ID);
    TGridCombo* Combobox() const { return EditCombo; }
    TGridSpin* SpinEdit() { return GetSpinEdit(); }
    TGridSpin* GetSpinEdit();
    TGridDatePicker* DateTimePicker() { return GetDatePicker(); }
    TGridDatePicker* GetDatePicker();
    TGridDateTimePicker* DateAndTimePicker() { return GetDateAndTimePicker(); }
    TGridDateTimePicker* GetDateAndTimePicker();
    // The shared rich editor that converts, measures and paints rich-text
    // cells, the in-place editor of edRichEdit cells and the drop-down
    // editors, each made hidden on first use (ExGrid_SpecialEditors.cpp).
    TExRichEdit* RichEdit() { return GetRichEdit(); }
    TExRichEdit* GetRichEdit();
    TExRichEdit* InplaceRichEdit() { return GetInplaceRichEdit(); }
    TExRichEdit* GetInplaceRichEdit();
    TGridTrackbarDropDown* TrackbarDropDown() { return GetTrackbarDropDown(); }
    TGridTrackbarDropDown* GetTrackbarDropDown();
    TGridMemoDropDown* MemoDropDown() { return GetMemoDropDown(); }
    TGridMemoDropDown* GetMemoDropDown();
    TGridCalculatorDropDown* CalculatorDropDown() { return GetCalculatorDropDown(); }
    TGridCalculatorDropDown* GetCalculatorDropDown();
    TGridTimepickerDropDown* TimePickerDropDown() { return GetTimePickerDropDown(); }
    TGridTimepickerDropDown* GetTimePickerDropDown();
    TGridDetailPickerDropDown* DetailPickerDropDown() { return GetDetailPickerDropDown(); }
    TGridDetailPickerDropDown* GetDetailPickerDropDown();
    TGridGridDropDown* GridDropDown() { return GetGridDropDown(); }
    TGridGridDropDown* GetGridDropDown();
    TGridColorDropDown* ColorPickerDropDown() { return GetColorPickerDropDown(); }
    TGridColorDropDown* GetColorPickerDropDown();
    TGridImageDropDown* ImagePickerDropDown() { return GetImagePickerDropDown(); }
    TGridImageDropDown* GetImagePickerDropDown();
    TGridExGridDropDown* ExGridDropDown() { return GetExGridDropDown(); }
    TGridExGridDropDown* GetExGridDropDown();
    // Rich-text cells (ExGrid_RichCells.cpp): a cell's RTF into a rich
    // editor (cleared for an empty cell) and back.
    void CellToRich(Integer ACol, Integer ARow, TCustomRichEdit* ARichEdit);
    void RichToCell(Integer ACol, Integer ARow, TCustomRichEdit* ARichEdit);
    String RichToString(TCustomRichEdit* ARichEdit);
    // The cells kept aside for a hidden real row; nil when it is not hidden.
    TStrings* GetHiddenRowCells(Integer ARealRow);
    // The application's hint window shows mini-HTML while set.
    bool UseHTMLHints() const { return FUseHTMLHints; }
    void SetUseHTMLHints(bool Value);
    TGridEditBtn* BtnEdit() const { return EditBtn; }
    TGridUnitEditBtn* BtnUnitEdit() const { return UnitEditBtn; }
    TGridButton* Btn() const { return GridButton; }
    TEditLink* EditLink() const { return FEditLink; }
    void SetEditLink(TEditLink* Value) { FEditLink = Value; }

    // ----------------------------------------------------------- answers on the per-cell
    // queries (ExGrid_CellQueries.cpp) and the column states (ExGrid_ColumnStates.cpp)
    bool GetCellPassword(Integer ACol, Integer ARow);
    // ACol is a display column.
    bool IsFixed(Integer ACol, Integer ARow);
    bool IsCellEditable(Integer ACol, Integer ARow);
    bool IsEditable(Integer ACol, Integer ARow);
    bool HasCellValidation();
    // The grid font, or for a cell with properties the scratch font with
    // the cell's font values.
    TFont* GetCellFont(Integer ACol, Integer ARow);
    // Display rows.
    bool IsNode(Integer ARow);
    bool IsSummary(Integer ARow);
    // "N#widths#order#visibility".
    String ColumnStatesToString();
    void StringToColumnStates(const String& Value);

    // ----------------------------------------------------------- cell graphics
    // (ExGrid_CellGraphics.cpp), check boxes and radio buttons (ExGrid_Check.cpp)
    TCellGraphic* CreateCellGraphic(Integer ACol, Integer ARow);
    // The shared virtual and row boxes are never freed.
    bool RemoveCellGraphic(Integer ACol, Integer ARow);
    bool RemoveCellGraphicOfType(Integer ACol, Integer ARow, TCellType CellType);
    // "Invalid cell" for a cell outside the rows and columns.
    void AddCheckBox(Integer ACol, Integer ARow, bool State, bool Data);
    void AddCheckBox(Integer ACol, Integer ARow, TCheckBoxState State);
    void AddCheckBoxColumn(Integer ACol, bool DefaultState, bool DataCheckBox);
    void AddTriStateCheckBoxColumn(Integer ACol, TCheckBoxState State);
    void RemoveCheckBox(Integer ACol, Integer ARow);
    void RemoveCheckBoxColumn(Integer ACol);
    bool HasCheckBox(Integer ACol, Integer ARow);
    bool HasDataCheckBox(Integer ACol, Integer ARow);
    static TCheckBoxState BoolToCheckBoxState(bool bChecked);
    // ARow is a real row in both forms.
    bool GetCheckBoxState(Integer ACol, Integer ARow, bool& State);
    bool GetCheckBoxState(Integer ACol, Integer ARow, TCheckBoxState& State);
    bool IsChecked(Integer ACol, Integer ARow);
    bool SetCheckBoxState(Integer ACol, Integer ARow, bool State);
    bool SetCheckBoxState(Integer ACol, Integer ARow, TCheckBoxState State);
    // ARow is a display row; a change raises OnCheckBoxChange.
    bool ChangeCheckBoxState(Integer ACol, Integer ARow, bool State);
    bool ToggleCheckBox(Integer ACol, Integer ARow);
    void CheckAll(Integer ACol);
    void UnCheckAll(Integer ACol);
    bool IsInCheckBox(Integer ACol, Integer ARow, Integer XPos, Integer YPos);
    bool IsClickControlCell(Integer ACol, Integer ARow);
    // The caller keeps sl.
    void AddRadio(Integer ACol, Integer ARow, Integer DirRadio, Integer IdxRadio, TStrings* sl);
    // The list belongs to the cell's graphic.
    TStrings* CreateRadio(Integer ACol, Integer ARow, Integer DirRadio, Integer IdxRadio);
    bool GetRadioIdx(Integer ACol, Integer ARow, Integer& IdxRadio);
    bool SetRadioIdx(Integer ACol, Integer ARow, Integer IdxRadio);
    TStrings* GetRadioStrings(Integer ACol, Integer ARow);
    bool IsRadio(Integer ACol, Integer ARow);
    void RemoveRadio(Integer ACol, Integer ARow);
    void SelectNextRadio(Integer ACol, Integer ARow, bool ByUser);
    void AddRadioButton(Integer ACol, Integer ARow, bool State);
    void RemoveRadioButton(Integer ACol, Integer ARow);
    bool HasRadioButton(Integer ACol, Integer ARow);
    void AddRadioButtonColumn(Integer ACol);
    void RemoveRadioButtonColumn(Integer ACol);
    bool IsRadioButtonChecked(Integer ACol, Integer ARow);
    bool SetRadioButtonState(Integer ACol, Integer ARow, bool State);
    void SetRadioButtonColumnIndex(Integer ACol, Integer Index);
    Integer GetRadioButtonColumnIndex(Integer ACol);

    // ----------------------------------------------------------- pictures, progress bars, buttons
    // and the other cell graphics (ExGrid_GraphicKinds.cpp). Objects given to
    // Add stay the caller's; Create answers an object the graphic owns.
    void AddPicture(Integer ACol, Integer ARow, TPicture* APicture, bool transparent, TStretchMode stretchmode,
                    Integer padding, TCellHAlign hal, TCellVAlign val);
    TPicture* CreatePicture(Integer ACol, Integer ARow, bool transparent, TStretchMode stretchmode,
                            Integer padding, TCellHAlign hal, TCellVAlign val);
    bool HasPicture(Integer ACol, Integer ARow) { return GetPicture(ACol, ARow) != nullptr; }
    TPicture* GetPicture(Integer ACol, Integer ARow);
    void RemovePicture(Integer ACol, Integer ARow) { RemoveCellGraphicOfType(ACol, ARow, ctPicture); }
    void AddBitmap(Integer ACol, Integer ARow, TBitmap* ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val);
    TBitmap* CreateBitmap(Integer ACol, Integer ARow, bool transparent, TCellHAlign hal, TCellVAlign val);
    TBitmap* GetBitmap(Integer ACol, Integer ARow);
    bool HasBitmap(Integer ACol, Integer ARow) { return GetBitmap(ACol, ARow) != nullptr; }
    void RemoveBitmap(Integer ACol, Integer ARow) { RemoveCellGraphicOfType(ACol, ARow, ctBitmap); }
    void AddFilePicture(Integer ACol, Integer ARow, TFilePicture* AFilePicture, bool Transparent,
                        TStretchMode stretchmode, Integer padding, TCellHAlign hal, TCellVAlign val);
    TFilePicture* CreateFilePicture(Integer ACol, Integer ARow, bool Transparent, TStretchMode stretchmode,
                                    Integer padding, TCellHAlign hal, TCellVAlign val);
    TFilePicture* GetFilePicture(Integer ACol, Integer ARow);
    void RemoveFilePicture(Integer ACol, Integer ARow) { RemoveCellGraphicOfType(ACol, ARow, ctFilePicture); }
    void AddIcon(Integer ACol, Integer ARow, TIcon* AIcon, TCellHAlign hal, TCellVAlign val);
    TIcon* CreateIcon(Integer ACol, Integer ARow, TCellHAlign hal, TCellVAlign val);
    void RemoveIcon(Integer ACol, Integer ARow) { RemoveCellGraphicOfType(ACol, ARow, ctIcon); }
    // The image operations do nothing without GridImages.
    void AddImageIdx(Integer ACol, Integer ARow, Integer Aidx, TCellHAlign hal, TCellVAlign val);
    bool GetImageIdx(Integer ACol, Integer ARow, Integer& idx);
    void SetImageIdx(Integer ACol, Integer ARow, Integer Idx);
    void RemoveImageIdx(Integer ACol, Integer ARow) { RemoveCellGraphicOfType(ACol, ARow, ctImageList); }
    void AddDataImage(Integer ACol, Integer ARow, Integer Aidx, TCellHAlign hal, TCellVAlign val);
    bool HasDataImage(Integer ACol, Integer ARow);
    void RemoveDataImage(Integer ACol, Integer ARow);
    void AddMultiImage(Integer ACol, Integer ARow, Integer Dir, TCellHAlign hal, TCellVAlign val);
    void RemoveMultiImage(Integer ACol, Integer ARow) { RemoveCellGraphicOfType(ACol, ARow, ctImages); }
    void AddProgress(Integer ACol, Integer ARow, TColor FGColor, TColor BKColor);
    void AddProgressEx(Integer ACol, Integer ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                       TColor BKTextColor);
    void AddProgressFormatted(Integer ACol, Integer ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                              TColor BKTextColor, const String& Fmt, Double Min, Double Max);
    bool HasProgress(Integer ACol, Integer ARow);
    void RemoveProgress(Integer ACol, Integer ARow) { RemoveCellGraphicOfType(ACol, ARow, ctProgress); }
    void AddExProgress(Integer ACol, Integer ARow, Integer Min, Integer Max);
    void RemoveExProgress(Integer ACol, Integer ARow) { RemoveCellGraphicOfType(ACol, ARow, ctXPProgress); }
    void AddProgressPie(Integer ACol, Integer ARow, TColor Color, Integer Value);
    void SetProgressPie(Integer ACol, Integer ARow, Integer Value);
    void RemoveProgressPie(Integer ACol, Integer ARow) { RemoveCellGraphicOfType(ACol, ARow, ctProgressPie); }
    void AddRangeIndicator(Integer ACol, Integer ARow, Integer Range, TColor NegColor, TColor PosColor,
                           bool ShowValue);
    void RemoveRangeIndicator(Integer ACol, Integer ARow)
    {
        RemoveCellGraphicOfType(ACol, ARow, ctRangeIndicator);
    }
    void AddComment(Integer ACol, Integer ARow, const String& Comment);
    void AddColorComment(Integer ACol, Integer ARow, const String& Comment, TColor Color);
    bool IsComment(Integer ACol, Integer ARow, String& Comment);
    String GetComment(Integer ACol, Integer ARow);
    // A comment on a cell without graphic, a new text on a comment cell,
    // else nothing.
    void SetComment(Integer ACol, Integer ARow, const String& Value);
    void RemoveComment(Integer ACol, Integer ARow) { RemoveCellGraphicOfType(ACol, ARow, ctComment); }
    void RemoveAllComments();
    void AddShape(Integer ACol, Integer ARow, TCellShape Shape, TColor FillColor, TColor LineColor, TCellHAlign hal,
                  TCellVAlign val);
    void SetShapeColor(Integer ACol, Integer ARow, TColor FillColor);
    TColor GetShapeColor(Integer ACol, Integer ARow);
    void RemoveShape(Integer ACol, Integer ARow) { RemoveCellGraphicOfType(ACol, ARow, ctShape); }
    void AddRating(Integer ACol, Integer ARow, Integer Scale, TColor FillColor, TColor EmptyColor);
    bool HasRating(Integer ACol, Integer ARow);
    void RemoveRating(Integer ACol, Integer ARow) { RemoveCellGraphicOfType(ACol, ARow, ctRating); }
    void AddScrollBar(Integer ACol, Integer ARow, bool AutoRange);
    bool HasScrollBar(Integer ACol, Integer ARow);
    bool HasAutoRangeScrollBar(Integer ACol, Integer ARow);
    void SetScrollPosition(Integer ACol, Integer ARow, Integer Pos);
    // -1 without scroll bar.
    Integer GetScrollPosition(Integer ACol, Integer ARow);
    void SetScrollProp(Integer ACol, Integer ARow, TScrollProp Prop);
    // (-1, -1) without scroll bar.
    TScrollProp GetScrollProp(Integer ACol, Integer ARow);
    void RemoveScrollBar(Integer ACol, Integer ARow) { RemoveCellGraphicOfType(ACol, ARow, ctScrollbar); }
    void AddButton(Integer ACol, Integer ARow, Integer bw, Integer bh, const String& Caption, TCellHAlign hal,
                   TCellVAlign val);
    void AddBitButton(Integer ACol, Integer ARow, Integer bw, Integer bh, const String& Caption, TBitmap* Glyph,
                      TCellHAlign hal, TCellVAlign val);
    TBitmap* CreateBitButton(Integer ACol, Integer ARow, Integer bw, Integer bh, const String& Caption,
                             TCellHAlign hal, TCellVAlign val);
    bool HasButton(Integer ACol, Integer ARow);
    // ACol is a display column in these three.
    void SetButtonText(Integer ACol, Integer ARow, const String& Caption);
    String GetButtonText(Integer ACol, Integer ARow);
    void PushButton(Integer ACol, Integer ARow, bool push);
    void RemoveButton(Integer ACol, Integer ARow);
    void RemoveBitButton(Integer ACol, Integer ARow) { RemoveCellGraphicOfType(ACol, ARow, ctBitButton); }
    void RemoveAllButtons();
    void AddExpand(Integer ACol, Integer ARow, Integer ExpandedHeight);
    bool HasExpand(Integer ACol, Integer ARow);
    bool ToggleExpand(Integer ACol, Integer ARow);
    bool GetExpandState(Integer ACol, Integer ARow);
    Integer GetExpandHeight(Integer ACol, Integer ARow, bool Expanded);
    void RemoveExpand(Integer ACol, Integer ARow) { RemoveCellGraphicOfType(ACol, ARow, ctExpand); }
    void AddInterfacedCell(Integer ACol, Integer ARow, TPersistent* AObject);
    TPersistent* GetInterfacedCell(Integer ACol, Integer ARow);
    void RemoveInterfacedCell(Integer ACol, Integer ARow) { RemoveCellGraphicOfType(ACol, ARow, ctInterface); }
    // On a check box, data check box or radio button the balloon joins the
    // box; on another graphic nothing happens.
    void AddBalloon(Integer ACol, Integer ARow, const String& Title, const String& Text, Integer Icon);
    bool HasBalloon(Integer ACol, Integer ARow);
    bool IsBalloon(Integer ACol, Integer ARow, String& Title, String& Text, Integer& Icon);
    void RemoveBalloon(Integer ACol, Integer ARow);
    void AddMarker(Integer ACol, Integer ARow, Integer ErrPos, Integer ErrLen);
    void GetMarker(Integer ACol, Integer ARow, Integer& ErrPos, Integer& ErrLen);
    void RemoveMarker(Integer ACol, Integer ARow);
    void RemoveAllMarkers();
    // Lays the in-cell scroll bar over the cell (real column), with the
    // cell's position, range and page size.
    void ShowCellScrollBar(Integer ACol, Integer ARow);
    TScrollBar* CellScrollBar() const { return FScrollBar; }
    // Empty unless the base cell holds an expand button.
    TRect GetExpandRect(Integer ACol, Integer ARow);
    // ACol is a display column; empty without graphic.
    TRect GetButtonRect(Integer ACol, Integer ARow);

    // ----------------------------------------------------------- drawing cell graphics, check
    // boxes and radio buttons (ExGrid_GraphicPaint.cpp)
    // R is the cell rectangle, GW x GH the graphic's size, TW the width of
    // the cell's text (0 without text), HA and VA the cell's alignments.
    void DrawCellGraphic(TCanvas* Canvas, Integer ACol, Integer ARow, TGridDrawState AState, TRect R,
                         TCellGraphic* Graphic, Integer GW, Integer GH, Integer TW, TAlignment HA, TVAlignment VA);
    void DrawCheck(TCanvas* Canvas, TRect R, bool Checked, TCheckBoxState State, bool TriState,
                   TGridControlStyle Style, bool Grayed, bool Enabled);
    void DrawRadioGroup(TCanvas* Canvas, TRect R, bool Reverse, Double Scale, TGridControlStyle Style, Integer ARow,
                        Integer ACol, bool Selected, TStrings* Items, bool Disabled, bool Horizontal, Integer Checked,
                        Integer Count);
    // The angle is brought into 0 .. 360.
    void AddRotated(Integer ACol, Integer ARow, SmallInt AAngle, const String& s);
    void SetRotated(Integer ACol, Integer ARow, SmallInt AAngle);
    void RemoveRotated(Integer ACol, Integer ARow);
    // Moves Rect's left and top to the start point of Text rotated by Angle
    // so that it lies in Rect (inset by 2) by the alignments; draws nothing.
    void DrawRotatedText(TCanvas* Canvas, TRect& Rect, Integer Angle, TAlignment HAlign, TVAlignment VAlign,
                         const String& Text);

    // ----------------------------------------------------------- window decorations
    // (ExGrid_Decorations.cpp, ExGrid_Balloon.cpp, ExGrid_DesignHelper.cpp)
    // The glow around cell R (client coordinates): a ring 4 pixels wide
    // outside the cell. Makes this grid the one the window hook moves.
    void ShowFocusWindow(TRect R);
    // Frames the current cell again.
    void MoveFocusWindow();
    void HideFocusWindow();
    // Drawing the same line twice takes it away again.
    void DrawColumnMoveLine(Integer X);
    void DrawRowMoveLine(Integer Y);
    // Design time: the quick-configuration entry at a client point: 1 allow
    // edit, 2 column numbers, 3 look, 4 close, -1 none.
    Integer DesignHelperHitTest(Integer X, Integer Y);
    // The cell of the last balloon text request; -1, -1 before any.
    TPoint LastBalloonPos() const { return FLastBalloonPos; }

    // ----------------------------------------------------------- node rows (ExGrid_Nodes.cpp)
    // A node is a ctNode graphic in column 0: CellIndex its span (0: up to
    // the next node row), CellBoolean contracted, CellErrFrom its sub-node
    // count. ARow is a real row for AddNode, MarkSummaryRow, RemoveNode,
    // ExpandNode, ContractNode, InsertNormalRow, InsertChildRow and
    // RemoveChildRow, a display row for the others.
    void AddNode(Integer ARow, Integer Span);
    void MarkSummaryRow(Integer ARow);
    void RemoveNode(Integer ARow);
    void RemoveAllNodes();
    bool GetNodeState(Integer ARow);
    void SetNodeState(Integer ARow, bool Value);
    Integer GetNodeLevel(Integer ARow);
    Integer GetNodeSpan(Integer ARow);
    void SetNodeSpan(Integer ARow, Integer Span);
    void UpdateNodeSpan(Integer ARow, Integer Delta);
    Integer GetSubNodeCount(Integer ARow);
    void UpdateSubNodeCount(Integer ARow, Integer Delta);
    void ExpandNode(Integer ARow);
    void ContractNode(Integer ARow);
    void ExpandAll();
    void ContractAll();
    Integer GetParentRow(Integer ARow);
    void InsertNormalRow(Integer ARow);
    void RemoveNormalRow(Integer ARow);
    void InsertChildRow(Integer ARow, Integer InsertAt);
    void RemoveChildRow(Integer ARow);
    // For tree lines: 0 a node row, 2 a row followed by one as deep or deeper, else 1.
    Integer GetNodeSpanType(Integer ARow);
    bool IsInNodeGlyph(Integer ARow, Integer X);

    // ----------------------------------------------------------- fills, dates and times, cell checks
    // (ExGrid_Fills.cpp). DoFixed fills every cell, else the cells between
    // the fixed rows, columns, footers and right columns.
    void TextFill(bool DoFixed, const String& Txt);
    // Fmt takes the column and the row; one that does not fit two integers
    // raises EConvertError before any cell changes.
    void FormatFill(bool DoFixed, const String& Fmt);
    // 0 to Rnd - 1; 0 everywhere for a range of 0 or less.
    void RandomFill(bool DoFixed, Integer Rnd);
    void LinearFill(bool DoFixed);
    // In the user's FormatSettings; a text that does not read raises EConvertError.
    void SetDates(Integer ACol, Integer ARow, TDateTime Value);
    TDateTime GetDates(Integer ACol, Integer ARow);
    void SetTimes(Integer ACol, Integer ARow, TDateTime Value);
    TDateTime GetTimes(Integer ACol, Integer ARow);
    // True without a cell checker; otherwise whether the checker left the text as it was.
    bool CheckCell(Integer ACol, Integer ARow);
    bool CheckCells(Integer FromCol, Integer FromRow, Integer ToCol, Integer ToRow);
    bool CheckCol(bool DoFixed, Integer ACol);
    bool CheckRow(bool DoFixed, Integer ARow);
    bool CheckGrid(bool DoFixed);
    // S without the mini-HTML error marks (ExGrid_Highlight.cpp).
    String UnMarkText(const String& S);
    const String& EditMask() const { return FEditMask; }
    void SetEditMask(const String& Value) { FEditMask = Value; }
    bool SpreadSheet() const { return FSpreadSheet; }
    // Whatever the value, turns on range selection, editing and the selection rectangle.
    void SetSpreadSheet(bool Value);

    // ----------------------------------------------------------- row flags (ExGrid_Selection.cpp)
    // By display row, or by real row with MouseActions.RowSelectPersistent.
    bool RowSelect(Integer ARow);
    void SetRowSelect(Integer ARow, bool Value);
    Integer RowSelectCount();
    // The platform's selection; the headings and the active row are repainted.
    void SetSelection(const TGridRect& Value);
    // Row := ToRow, Col := ToCol, then the selection.
    void SelectRange(Integer FromCol, Integer ToCol, Integer FromRow, Integer ToRow);
    // The current row, told to OnRowUpdate and a synchronised grid.
    void SetRow(Integer Value);
    // Only a scrollable row.
    void SetTopRow(Integer Value);
    void GotoCell(Integer ACol, Integer ARow);
    void EditCell(Integer ACol, Integer ARow);
    void MoveToCell(Integer ACol, Integer ARow);
    void UpdateEditMode();
    void HideSelection();
    void UnHideSelection();
    void SelectRows(Integer RowIndex, Integer RCount);
    void UnSelectRows(Integer RowIndex, Integer RCount);
    void SelectCols(Integer ColIndex, Integer CCount);
    void UnSelectCols(Integer ColIndex, Integer CCount);
    // "Invalid column accessed" outside the display columns.
    bool ColSelect(Integer ACol);
    void SetColSelect(Integer ACol, bool Value);
    void ClearRowSelect();
    void ClearColSelect();
    Integer ColSelectCount();
    TIntList* SelectedRows() const { return FSelectedRows.get(); }
    void SelectionToRowSelect(bool All);
    void SelectionToColSelect(bool All);

    // ----------------------------------------------------------- selection API
    // (ExGrid_SelectedCells.cpp). A disjunct cell is kept as one key:
    // (row shl 16) or (col and $FFFF).
    void SelectCells(Integer FromCol, Integer FromRow, Integer ToCol, Integer ToRow);
    // Tab between cells, CR LF between rows, nothing after the last.
    String SelectedText();
    bool SelectedCells(Integer i, Integer j);
    void SetSelectedCells(Integer i, Integer j, bool Value);
    TGridCoord SelectedCell(Integer i);
    Integer SelectedCellsCount() { return GetSelectedCellsCount(); }
    Integer GetSelectedCellsCount();
    Integer SelectedRowCount() { return GetSelectedRowCount(); }
    Integer GetSelectedRowCount();
    Integer SelectedColCount() { return GetSelectedColCount(); }
    Integer GetSelectedColCount();
    // -1 beyond the selection.
    Integer SelectedRow(Integer i);
    void ClearSelectedCells();
    void ClearModifiedRows();
    // R holds cells: Left, Top the first column and row, Right, Bottom the last.
    void InvalidateGridRect(TRect R);
    Integer ModifiedRowCount();
    bool RowModified(Integer ARow);
    void SetRowModified(Integer ARow, bool Value);
    bool RowEnabled(Integer ARow);
    void SetRowEnabled(Integer ARow, bool Value);
    // R holds cells.
    void RepaintRect(TRect R);
    void ScrollInView(Integer ColIndex, Integer RowIndex);
    void ScrollAboveSearchFooter();
    // Clipboard and selection text (grid/data/ExGrid_Clipboard*.cpp).
    void CutSelectionToClipboard();
    void CopySelectionToClipboard();
    void PasteSelectionFromClipboard();
    // The savable area.
    void CopyToClipBoard();
    void CutToClipboard();
    void PasteFromClipboard();
    void CopyToClipBoardAsHTML();
    String SelectionAsText() { return GetSelectionAsText(); }
    String GetSelectionAsText();
    void SetSelectionAsText(const String& Value);
    // Size.X: the most fields of one line; Size.Y: the lines less one, a
    // closing line break adding none.
    void GetTextBlockSize(const String& Text, TPoint& Size);
    // Writes a tab / CR LF block from (ACol, ARow) on; answers the fields
    // processed, Rows the lines and Cols the fields of the last line.
    Integer InsertTextBlock(Integer ACol, Integer ARow, const String& Text, Integer& Cols, Integer& Rows);
    bool IsLastRowAboveSearchFooter();
    void RepaintRow(Integer ARow);
    void RepaintCol(Integer ACol);
    // The horizontal and vertical alignment of a cell's text (ExGrid_TextFormat.cpp).
    std::pair<TAlignment, TVAlignment> GetCellAlignment(Integer ACol, Integer ARow);
    // The size a cell's text needs, in pixels: VS measures it wrapped in the
    // cell's width, SB leaves room for an in-cell button. ACol is a real
    // column (ExGrid_TextFormat.cpp).
    TSize GetCellTextSize(Integer ACol, Integer ARow, bool VS, bool SB);
    TSize MeasureCellText(Integer ACol, Integer DisplCol, Integer ARow, bool VS, bool SB);
    // A ctRotated cell, with its angle in degrees.
    bool IsRotated(Integer ACol, Integer ARow, Integer& AAngle);
    // The image indexes of a ctImages cell, else nil.
    TIntList* GetCellImages(Integer ACol, Integer ARow);
    // The bitmap or icon object (as a number) or the image index of the
    // cell's graphic; -1 for other kinds.
    std::intptr_t GetCellImageRef(Integer ACol, Integer ARow);
    bool HasSortIndicator(Integer ACol, Integer ARow);
    // For painting: the graphic (nil for none), the room it takes, its
    // placement and whether the cell's text is drawn beside it.
    TCellGraphic* GetCellGraphicInfo(Integer ACol, Integer ARow, Integer& Width, Integer& Height, TCellHAlign& HAlign,
                                     TCellVAlign& VAlign, bool& TextAllowed);
    // The text margins of a cell: XYOffset, doubled unless at the top-left only.
    Integer HorzCellMargin() const;
    Integer VertCellMargin() const;
    // Repaints the row and column headings of the old and the new current cell.
    void RepaintActiveCellHeaders(Integer OldCol, Integer OldRow, Integer NewCol, Integer NewRow);
    // The one selection listener, told of every move of the current cell.
    void RegisterSelListener(ITExStringGridSelect* AListener) { FISelect = AListener; }
    void UnRegisterSelListener(ITExStringGridSelect*) { FISelect = nullptr; }

    // ----------------------------------------------------------- sorting (src/grid/data/ExGrid_Sort*.cpp)
    // Stores the column and direction in SortSettings, then QSort.
    void Sort(Integer Column, TSortDirection Direction);
    // With at least two rows: the column into SortSettings, then QSort.
    void SortByColumn(Integer Col);
    // The display rows Left .. Right only, on one column or the index list.
    void QuickSort(Integer Col, Integer Left, Integer Right);
    void QuickSortIndexed(Integer Left, Integer Right);
    // One compare-and-swap step for sorts of the grid's user: True when
    // the rows were out of order for SortSettings.Direction and swapped.
    bool SortLine(Integer Col, Integer ARow1, Integer ARow2);
    // The cross-reference back to the identity 0 .. RowCount - 1.
    void InitSortXRef();
    TSortIndexList* SortIndexes() const { return FSortIndexes.get(); }
    TStringList* Sortlist() const { return FSortlist.get(); }
    // Counters never reset; SortTime in milliseconds of the last header-click sort.
    Int64 Compares = 0;
    Int64 Swaps = 0;
    Integer SortTime = 0;

    // ----------------------------------------------------------- painting (ExGrid_Paint.cpp,
    // ExGrid_PaintText.cpp)
    // ACol is a display column, turned into the real one with Remap.
    void GetVisualProperties(Integer ACol, Integer ARow, TGridDrawState& AState, bool Print, bool Select, bool Remap,
                             TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor, TColor& AMirrorColorTo,
                             TFont* AFont, TAlignment& HA, TVAlignment& VA, bool& WW,
                             TCellGradientDirection& GD) override;
    // The font of a cell for measuring; RCol is the real column.
    void GetFontProperties(Integer ACol, Integer RCol, Integer ARow, TGridDrawState& AState, TFont* AFont,
                           TBrush* ABrush, bool Remap);
    // The sort mark of column ACol centred at (X, Y).
    void DrawSortIndicator(TCanvas* Canvas, Integer ACol, Integer Y, Integer X);
    void DrawRichCell(Integer ACol, Integer ARow, TRect ARect, TCanvas* Canvas);
    // Percent of Color1 mixed into Color2, clNone giving way to the other
    // colour. Class members: the drop-down unit has a BlendColor of its own.
    static TColor BlendColor(TColor Color1, TColor Color2, Integer Percent);
    static TColor BlendColorIf(TColor Color1, TColor Color2, bool Mix, Integer Percent);

    // ----------------------------------------------------------- published settings
    TDragDropSettings* DragDropSettings() const { return FDragDropSettings.get(); }
    TColor HighlightColor() const { return FHighlightColor; }
    // Both highlight colours go to the mini-HTML renderer too.
    void SetHighlightColor(TColor Value);
    TColor HighlightTextColor() const { return FHighlightTextColor; }
    void SetHighlightTextColor(TColor Value);
    TColor HintColor() const { return FHintColor; }
    void SetHintColor(TColor Value) { FHintColor = Value; }
    bool HintShowCells() const { return FHintShowCells; }
    void SetHintShowCells(bool Value) { FHintShowCells = Value; }
    bool HintShowLargeText() const { return FHintShowLargeText; }
    void SetHintShowLargeText(bool Value) { FHintShowLargeText = Value; }
    THintShowLargeTextPos HintShowLargeTextPos() const { return FHintShowLargeTextPos; }
    void SetHintShowLargeTextPos(THintShowLargeTextPos Value) { FHintShowLargeTextPos = Value; }
    bool HintShowSizing() const { return FHintShowSizing; }
    void SetHintShowSizing(bool Value) { FHintShowSizing = Value; }
    bool HTMLHint() const { return FHTMLHint; }
    void SetHTMLHint(bool Value) { FHTMLHint = Value; }
    bool OemConvert() const { return FOemConvert; }
    void SetOemConvert(bool Value) { FOemConvert = Value; }
    bool AnchorHint() const { return FAnchorHint; }
    void SetAnchorHint(bool Value) { FAnchorHint = Value; }
    bool ActiveCellShow() const { return FActiveCellShow; }
    void SetActiveCellShow(bool Value) { SetAndInvalidate(FActiveCellShow, Value); }
    TColor ActiveCellColor() const { return FActiveCellColor; }
    void SetActiveCellColor(TColor Value) { SetAndInvalidate(FActiveCellColor, Value); }
    TColor ActiveCellColorTo() const { return FActiveCellColorTo; }
    void SetActiveCellColorTo(TColor Value) { SetAndInvalidate(FActiveCellColorTo, Value); }
    bool AutoNumAlign() const { return FAutoNumAlign; }
    void SetAutoNumAlign(bool Value) { FAutoNumAlign = Value; }
    bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
    // Adapts at once when set, and registers the window with the theme notifier.
    void SetAutoThemeAdapt(bool Value);
    bool AutoFilterUpdate() const { return FAutoFilterUpdate; }
    void SetAutoFilterUpdate(bool Value) { FAutoFilterUpdate = Value; }
    TBalloonSettings* Balloon() const { return FBalloonSettings.get(); }
    TBands* Bands() const { return FBands.get(); }
    TBackGround* BackGround() const { return FBackGround.get(); }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    TCellNode* CellNode() const { return FCellNode.get(); }
    TExStringGridCheck* CellChecker() const { return FCellChecker; }
    void SetCellChecker(TExStringGridCheck* Value);
    TColumnSize* ColumnSize() const { return FColumnSize.get(); }
    TControlLook* ControlLook() const { return FControlLook.get(); }
    TEditorType DefaultEditor() const { return FDefaultEditor; }
    void SetDefaultEditor(TEditorType Value) { FDefaultEditor = Value; }
    TColor DisabledFontColor() const { return FDisabledFontColor; }
    void SetDisabledFontColor(TColor Value) { FDisabledFontColor = Value; }
    bool UseDisabledFont() const { return FUseDisabledFont; }
    void SetUseDisabledFont(bool Value) { FUseDisabledFont = Value; }
    TDragScrollOptions* DragScrollOptions() const { return FDragScrollOptions.get(); }
    bool EditWithTags() const { return FEditWithTags; }
    void SetEditWithTags(bool Value) { FEditWithTags = Value; }
    bool EnableBlink() const { return FEnableBlink; }
    void SetEnableBlink(bool Value) { FEnableBlink = Value; }
    bool EnableHTML() const { return FEnableHTML; }
    void SetEnableHTML(bool Value) { FEnableHTML = Value; }
    bool EnableWheel() const { return FEnableWheel; }
    void SetEnableWheel(bool Value) { FEnableWheel = Value; }
    bool EnhTextSize() const { return FEnhTextSize; }
    void SetEnhTextSize(bool Value) { FEnhTextSize = Value; }
    bool EnhRowColMove() const { return FEnhRowColMove; }
    void SetEnhRowColMove(bool Value) { FEnhRowColMove = Value; }
    bool ExcelStyleDecimalSeparator() const { return FExcelStyleDecimalSeparator; }
    void SetExcelStyleDecimalSeparator(bool Value) { FExcelStyleDecimalSeparator = Value; }
    TFilter* Filter() const { return FFilter.get(); }
    bool FilterActive() const { return FFilterActive; }
    // On: applies the filter as a new level; off: brings back the last
    // level's rows (the level counter stays). Recalculates the footer always.
    void SetFilterActive(bool Value);
    TFilterDropDown* FilterDropDown() const { return FFilterDropDown.get(); }
    bool FilterDropDownAuto() const { return FFilterDropDownAuto; }
    void SetFilterDropDownAuto(bool Value)
    {
        FFilterDropDownAuto = Value;
        Invalidate();
    }
    const String& FilterDropDownClear() const { return FFilterDropDownClear; }
    void SetFilterDropDownClear(const String& Value) { FFilterDropDownClear = Value; }
    bool FilterDropDownCheck() const { return FFilterDropDownCheck; }
    void SetFilterDropDownCheck(bool Value) { FFilterDropDownCheck = Value; }
    TFilterDropDownColumns FilterDropDownColumns() const { return FFilterDropDownColumns; }
    void SetFilterDropDownColumns(TFilterDropDownColumns Value) { FFilterDropDownColumns = Value; }
    Integer FilterDropDownRow() const { return FFilterRow; }
    void SetFilterDropDownRow(Integer Value);
    bool FilterNormalCellsOnly() const { return FFilterNormalCellsOnly; }
    void SetFilterNormalCellsOnly(bool Value) { FFilterNormalCellsOnly = Value; }
    bool FilterIncremental() const { return FFilterIncremental; }
    void SetFilterIncremental(bool Value) { FFilterIncremental = Value; }
    bool FixedAsButtons() const { return FFixedAsButtons; }
    void SetFixedAsButtons(bool Value) { FFixedAsButtons = Value; }
    TPopupMenu* FixedDropDownMenu() const { return FFixedDropDownMenu; }
    void SetFixedDropDownMenu(TPopupMenu* Value);
    const String& FloatFormat() const { return FFloatFormat; }
    void SetFloatFormat(const String& Value) { FFloatFormat = Value; }
    TFloatingFooter* FloatingFooter() const { return FFloatingFooter.get(); }
    TFocusHelper* FocusHelper() const { return FFocusHelper.get(); }
    TImageList* GridImages() const { return FGridImages; }
    void SetGridImages(TImageList* Value);
    TGrouping* Grouping() const { return FGrouping.get(); }
    bool HideFocusRect() const { return FHideFocusRect; }
    void SetHideFocusRect(bool Value) { FHideFocusRect = Value; }
    bool Hovering() const { return FHovering; }
    void SetHovering(bool Value) { FHovering = Value; }
    THoverFixedCells HoverFixedCells() const { return FHoverFixedCells; }
    void SetHoverFixedCells(THoverFixedCells Value) { FHoverFixedCells = Value; }
    THTMLSettings* HTMLSettings() const { return FHTMLSettings.get(); }
    bool IntegralHeight() const { return FIntegralHeight; }
    void SetIntegralHeight(bool Value);
    TIntelliPan IntelliPan() const { return FIntelliPan; }
    void SetIntelliPan(TIntelliPan Value) { FIntelliPan = Value; }
    bool IntelliZoom() const { return FIntelliZoom; }
    void SetIntelliZoom(bool Value) { FIntelliZoom = Value; }
    const String& InvalidEntryTitle() const { return FInvalidEntryTitle; }
    void SetInvalidEntryTitle(const String& Value) { FInvalidEntryTitle = Value; }
    TInvalidEntryIcon InvalidEntryIcon() const { return FInvalidEntryIcon; }
    void SetInvalidEntryIcon(TInvalidEntryIcon Value) { FInvalidEntryIcon = Value; }
    const String& InvalidEntryText() const { return FInvalidEntryText; }
    void SetInvalidEntryText(const String& Value) { FInvalidEntryText = Value; }
    TGridLook Look() const { return FLook; }
    bool Lookup() const { return FLookup; }
    void SetLookup(bool Value) { FLookup = Value; }
    bool LookupCaseSensitive() const { return FLookupCaseSensitive; }
    void SetLookupCaseSensitive(bool Value) { FLookupCaseSensitive = Value; }
    bool LookupHistory() const { return FLookupHistory; }
    void SetLookupHistory(bool Value) { FLookupHistory = Value; }
    Integer MaxEditLength() const { return FMaxEditLength; }
    // The text editor, once made, takes the limit at once.
    void SetMaxEditLength(Integer Value);
    // The text in-place editor; nil before it is first made.
    TExInplaceEdit* NormalEdit() const;
    Integer MaxComboLength() const { return FMaxComboLength; }
    void SetMaxComboLength(Integer Value) { FMaxComboLength = Value; }
    TMouseActions* MouseActions() const { return FMouseActions.get(); }
    const String& Multilinecells() const { return FMultilinecells; }
    void SetMultilinecells(const String& Value) { FMultilinecells = Value; }
    TNavigation* Navigation() const { return FNavigation.get(); }
    TPictureContainer* PictureContainer() const { return FContainer; }
    void SetPictureContainer(TPictureContainer* Value);
    TPrintSettings* PrintSettings() const { return FPrintSettings.get(); }
    TGridProgressAppearance* ProgressAppearance() const { return FProgressAppearance.get(); }
    TBitmap* RowIndicator() const { return FRowIndicator.get(); }
    // Copies the picture and repaints the indicator cell of the current row.
    void SetRowIndicator(TBitmap* Value);
    // The settings objects below copy what they are given.
    void SetBackGround(TBackGround* Value);
    void SetBalloon(TBalloonSettings* Value);
    void SetShowModified(TShowModified* Value);
    void SetProgressAppearance(TGridProgressAppearance* Value);
    void SetSortSettings(TSortSettings* Value);
    void SetDragScrollOptions(TDragScrollOptions* Value);
    // The colour of the four arrows that mark drop positions (read from the up arrow).
    TColor ArrowColor() const;
    void SetArrowColor(TColor Value);
    TScrollBarAlways ScrollBarAlways() const { return FScrollBarAlways; }
    void SetScrollBarAlways(TScrollBarAlways Value);
    TColor ScrollColor() const { return FScrollColor; }
    void SetScrollColor(TColor Value) { FScrollColor = Value; }
    bool ScrollProportional() const { return FScrollProportional; }
    void SetScrollProportional(bool Value);
    bool ScrollSynch() const { return FScrollSynch; }
    void SetScrollSynch(bool Value) { FScrollSynch = Value; }
    TScrollType ScrollType() const { return FScrollType; }
    void SetScrollType(TScrollType Value);
    Integer ScrollWidth() const { return FScrollWidth; }
    void SetScrollWidth(Integer Value) { FScrollWidth = Value; }
    TScrollHintType ScrollHints() const { return FScrollHints; }
    void SetScrollHints(TScrollHintType Value) { FScrollHints = Value; }
    TSearchFooter* SearchFooter() const { return FSearchFooter.get(); }
    TSearchPanel* SearchPanel() const { return FSearchPanel.get(); }
    TFooterPanel* FooterPanel() const { return FFooterPanel.get(); }
    TColor SelectionColor() const { return FSelectionColor; }
    void SetSelectionColor(TColor Value) { SetAndInvalidate(FSelectionColor, Value); }
    TColor SelectionColorTo() const { return FSelectionColorTo; }
    void SetSelectionColorTo(TColor Value) { SetAndInvalidate(FSelectionColorTo, Value); }
    bool SelectionColorMixer() const { return FSelectionColorMixer; }
    void SetSelectionColorMixer(bool Value) { SetAndInvalidate(FSelectionColorMixer, Value); }
    Integer SelectionColorMixerFactor() const { return FSelectionColorMixerFactor; }
    // Limited to 0 .. 100.
    void SetSelectionColorMixerFactor(Integer Value);
    TColor SelectionMirrorColor() const { return FSelectionMirrorColor; }
    void SetSelectionMirrorColor(TColor Value) { SetAndInvalidate(FSelectionMirrorColor, Value); }
    TColor SelectionMirrorColorTo() const { return FSelectionMirrorColorTo; }
    void SetSelectionMirrorColorTo(TColor Value) { SetAndInvalidate(FSelectionMirrorColorTo, Value); }
    bool SelectionRectangle() const { return FSelectionRectangle; }
    void SetSelectionRectangle(bool Value) { SetAndInvalidate(FSelectionRectangle, Value); }
    TColor SelectionRectangleColor() const { return FSelectionRectangleColor; }
    void SetSelectionRectangleColor(TColor Value) { FSelectionRectangleColor = Value; }
    bool SelectionResizer() const { return FSelectionResizer; }
    void SetSelectionResizer(bool Value) { SetAndInvalidate(FSelectionResizer, Value); }
    bool SelectionRTFKeep() const { return FSelectionRTFKeep; }
    void SetSelectionRTFKeep(bool Value) { FSelectionRTFKeep = Value; }
    TColor SelectionTextColor() const { return FSelectionTextColor; }
    void SetSelectionTextColor(TColor Value) { SetAndInvalidate(FSelectionTextColor, Value); }
    bool ShowSelection() const { return FShowSelection; }
    // Also the base grid's show-selection flag.
    void SetShowSelection(bool Value);
    TShowModified* ShowModified() const { return FShowModified.get(); }
    bool ShowDesignHelper() const { return FShowDesignHelper; }
    void SetShowDesignHelper(bool Value) { SetAndInvalidate(FShowDesignHelper, Value); }
    // Design time: row 0 shows the real column numbers.
    bool ShowColNrs() const { return FShowColNrs; }
    void SetShowColNrs(bool Value) { FShowColNrs = Value; }
    TSizeWhileTyping* SizeWhileTyping() const { return FSizeWhileTyping.get(); }
    bool SizeWithForm() const { return FSizeWithForm; }
    void SetSizeWithForm(bool Value) { FSizeWithForm = Value; }
    // The owner form's width and height when last followed.
    Integer PrevSizeX = 0;
    Integer PrevSizeY = 0;
    TSortSettings* SortSettings() const { return FSortSettings.get(); }
    TSyncGrid* SyncGrid() const { return FSyncGrid.get(); }
    TColor URLColor() const { return FURLColor; }
    void SetURLColor(TColor Value);
    bool URLShow() const { return FURLShow; }
    void SetURLShow(bool Value);
    bool URLShowInText() const { return FURLShowInText; }
    void SetURLShowInText(bool Value);
    bool URLUnderlineOnHover() const { return FURLUnderlineOnHover; }
    void SetURLUnderlineOnHover(bool Value) { FURLUnderlineOnHover = Value; }
    bool URLFull() const { return FURLFull; }
    void SetURLFull(bool Value);
    bool URLEdit() const { return FURLEdit; }
    void SetURLEdit(bool Value) { FURLEdit = Value; }
    bool UseInternalHintClass() const { return FUseInternalHintClass; }
    void SetUseInternalHintClass(bool Value) { FUseInternalHintClass = Value; }
    const String& ValidChars() const { return FValidChars; }
    void SetValidChars(const String& Value) { FValidChars = Value; }
    // The characters (codes up to 255) an edValidChars cell takes while
    // ValidChars is empty.
    const std::bitset<256>& ValidCharSet() const { return FValidCharSet; }
    void SetValidCharSet(const std::bitset<256>& Value) { FValidCharSet = Value; }

    // Further settings of the defaults table.
    const String& CheckTrue() const { return FCheckTrue; }
    void SetCheckTrue(const String& Value) { FCheckTrue = Value; }
    const String& CheckFalse() const { return FCheckFalse; }
    void SetCheckFalse(const String& Value) { FCheckFalse = Value; }
    Char PasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(Char Value) { FPasswordChar = Value; }
    Char Delimiter() const { return FDelimiter; }
    void SetDelimiter(Char Value) { FDelimiter = Value; }
    const String& XMLEncoding() const { return FXMLEncoding; }
    void SetXMLEncoding(const String& Value) { FXMLEncoding = Value; }
    // Stored as RGB (system colours resolved); the grid repaints.
    TColor QVXGradientFrom() const { return FQVXGradientFrom; }
    void SetQVXGradientFrom(TColor Value);
    TColor QVXGradientTo() const { return FQVXGradientTo; }
    void SetQVXGradientTo(TColor Value);
    TColor QVXGradientMirrorFrom() const { return FQVXGradientMirrorFrom; }
    void SetQVXGradientMirrorFrom(TColor Value);
    TColor QVXGradientMirrorTo() const { return FQVXGradientMirrorTo; }
    void SetQVXGradientMirrorTo(TColor Value);
    // The header's hover and down colours.
    RTL_STORED_PROPERTY(TColor, QVXGradientHoverFrom, clNone)
    RTL_STORED_PROPERTY(TColor, QVXGradientHoverTo, clNone)
    RTL_STORED_PROPERTY(TColor, QVXGradientHoverMirrorFrom, clNone)
    RTL_STORED_PROPERTY(TColor, QVXGradientHoverMirrorTo, clNone)
    RTL_STORED_PROPERTY(TColor, QVXGradientHoverBorder, clNone)
    RTL_STORED_PROPERTY(TColor, QVXGradientDownFrom, clNone)
    RTL_STORED_PROPERTY(TColor, QVXGradientDownTo, clNone)
    RTL_STORED_PROPERTY(TColor, QVXGradientDownMirrorFrom, clNone)
    RTL_STORED_PROPERTY(TColor, QVXGradientDownMirrorTo, clNone)
    RTL_STORED_PROPERTY(TColor, QVXGradientDownBorder, clNone)
    const TColorTones& Tones() const { return FTones; }
    bool SaveFixedCells() const { return FSaveFixedCells; }
    void SetSaveFixedCells(bool Value) { FSaveFixedCells = Value; }
    bool SaveFixedRows() const { return FSaveFixedRows; }
    void SetSaveFixedRows(bool Value) { FSaveFixedRows = Value; }
    bool SaveFixedCols() const { return FSaveFixedCols; }
    void SetSaveFixedCols(bool Value) { FSaveFixedCols = Value; }
    bool SaveHiddenCells() const { return FSaveHiddenCells; }
    void SetSaveHiddenCells(bool Value) { FSaveHiddenCells = Value; }
    bool SaveVirtCells() const { return FSaveVirtCells; }
    void SetSaveVirtCells(bool Value) { FSaveVirtCells = Value; }
    bool SaveWithHTML() const { return FSaveWithHTML; }
    void SetSaveWithHTML(bool Value) { FSaveWithHTML = Value; }
    bool SaveWithRTF() const { return FSaveWithRTF; }
    void SetSaveWithRTF(bool Value) { FSaveWithRTF = Value; }
    bool LoadFirstRow() const { return FLoadFirstRow; }
    void SetLoadFirstRow(bool Value) { FLoadFirstRow = Value; }
    bool QuoteEmptyCells() const { return FQuoteEmptyCells; }
    void SetQuoteEmptyCells(bool Value) { FQuoteEmptyCells = Value; }
    bool AlwaysQuotes() const { return FAlwaysQuotes; }
    void SetAlwaysQuotes(bool Value) { FAlwaysQuotes = Value; }
    bool JavaCSV() const { return FJavaCSV; }
    void SetJavaCSV(bool Value) { FJavaCSV = Value; }
    bool ShowNullDates() const { return FShowNullDates; }
    void SetShowNullDates(bool Value) { FShowNullDates = Value; }
    bool NoDefaultDraw() const { return FNoDefaultDraw; }
    void SetNoDefaultDraw(bool Value) { FNoDefaultDraw = Value; }
    bool NoImageAndText() const { return FNoImageAndText; }
    void SetNoImageAndText(bool Value) { FNoImageAndText = Value; }
    bool SizeGrowOnly() const { return FSizeGrowOnly; }
    void SetSizeGrowOnly(bool Value) { FSizeGrowOnly = Value; }
    bool ClearTextOnly() const { return FClearTextOnly; }
    void SetClearTextOnly(bool Value) { FClearTextOnly = Value; }
    bool ExcelClipboardFormat() const { return FExcelClipboardFormat; }
    void SetExcelClipboardFormat(bool Value) { FExcelClipboardFormat = Value; }
    bool PrinterDriverFix() const { return FPrinterDriverFix; }
    void SetPrinterDriverFix(bool Value) { FPrinterDriverFix = Value; }
    bool FitCellsInGrid() const { return FFitCellsInGrid; }
    void SetFitCellsInGrid(bool Value) { FFitCellsInGrid = Value; }
    Integer MinRowHeight() const { return FMinRowHeight; }
    void SetMinRowHeight(Integer Value) { FMinRowHeight = Value; }
    Integer MaxRowHeight() const { return FMaxRowHeight; }
    void SetMaxRowHeight(Integer Value) { FMaxRowHeight = Value; }
    Integer MinColWidth() const { return FMinColWidth; }
    void SetMinColWidth(Integer Value) { FMinColWidth = Value; }
    Integer MaxColWidth() const { return FMaxColWidth; }
    void SetMaxColWidth(Integer Value) { FMaxColWidth = Value; }
    Integer GroupColumn() const { return FGroupColumn; }
    // -1 ungroups, a column above 0 groups, 0 is ignored.
    void SetGroupColumn(Integer Value);
    TPoint XYOffset() const { return FXYOffset; }
    void SetXYOffset(TPoint Value)
    {
        FXYOffset = Value;
        Invalidate();
    }
    // Without repainting.
    void UpdateXYOffset(Integer X, Integer Y) { FXYOffset = TPoint(X, Y); }
    bool XYOffsetTopLeftOnly() const { return FXYOffsetTopLeftOnly; }
    void SetXYOffsetTopLeftOnly(bool Value) { FXYOffsetTopLeftOnly = Value; }
    Integer ZoomFactor() const { return FZoomFactor; }
    void SetZoomFactor(Integer Value) { FZoomFactor = Value; }
    Integer PreviewPage() const { return FPreviewPage; }
    Integer PrintPageFrom() const { return FPrintPageFrom; }
    Integer PrintPageTo() const { return FPrintPageTo; }
    bool IsThemed() const { return FIsComCtl6; }
    bool EditMode() const { return FEditMode; }
    TEditorType EditControl() const { return FEditControlType; }
    TEditorType CurrentEditor() const { return FEditControlType; }
    String CurrentCell()
    {
        String S;
        GetCurrentCell(S);
        return S;
    }
    // Set by accepted edits and by row insertion and deletion, never cleared
    // by the grid.
    bool Modified() const { return FGridModified; }
    void SetModified(bool Value) { FGridModified = Value; }
    bool AlwaysValidate() const { return FAlwaysValidate; }
    void SetAlwaysValidate(bool Value) { FAlwaysValidate = Value; }
    TIntList* IgnoreColumns() const { return FIgnoreColumns.get(); }
    TIntList* MergedColumns() const { return FMergedColumns.get(); }
    TStringList* FilterList() const { return FFilterList.get(); }
    THTMLPictureCache* ImageCache() const { return FImageCache.get(); }

    // ----------------------------------------------------------- events
    TAutoAdvanceEvent OnAutoAdvance;
    TCustomCellDrawEvent OnCustomCellBkgDraw;
    TCustomCellDrawEvent OnCustomCellDraw;
    TNotifyEvent OnPainted;
    TCustomCellSizeEvent OnCustomCellSize;
    TCustomFilterEvent OnCustomFilter;
    TGridColorEvent OnGetCellColor;
    TGetCellCursorEvent OnGetCellCursor;
    TGridGradientEvent OnGetCellGradient;
    TGridColorEvent OnGetCellPrintColor;
    TGridBorderEvent OnGetCellPrintBorder;
    TGridBorderEvent OnGetCellBorder;
    TGridBorderPropEvent OnGetCellBorderProp;
    TGridAlignEvent OnGetAlignment;
    TWordWrapEvent OnGetWordWrap;
    TGetColumnFilterEvent OnGetColumnFilter;
    TNotifyEvent OnFilterDone;
    TFilterSelectEvent OnFilterSelect;
    TFilterCheckEvent OnFilterCheck;
    TGridFormatEvent OnGetFormat;
    TGetCheckEvent OnGetCheckTrue;
    TGetCheckEvent OnGetCheckFalse;
    TGridHintEvent OnGridHint;
    TGridWideHintEvent OnGridWideHint;
    TColumnCalcEvent OnColumnCalc;
    TColumnCalcEvent OnGroupCalc;
    TRowUpdateEvent OnRowUpdate;
    TRowChangingEvent OnRowChanging;
    TColChangingEvent OnColChanging;
    TCellChangingEvent OnCellChanging;
    TGridBalloonEvent OnCellBalloon;
    TCustomStrToDateEvent OnCustomStrToDate;
    TGridPrintPageEvent OnPrintPage;
    TGridPrintGetPageNumEvent OnPrintGetPageNum;
    TGridPrintPageEvent OnPrintPageDone;
    TGridPrintStartEvent OnPrintStart;
    TGridPrintCancelEvent OnPrintCancel;
    TFitToPageEvent OnFitToPage;
    TGridPrintNewPageEvent OnPrintNewPage;
    TGridPrintColumnWidthEvent OnPrintSetColumnWidth;
    TGridPrintRowHeightEvent OnPrintSetRowHeight;
    TCanAddRowEvent OnCanAddRow;
    TAutoAddRowEvent OnAutoAddRow;
    TCanInsertRowEvent OnCanInsertRow;
    TAutoInsertRowEvent OnAutoInsertRow;
    TAutoInsertColEvent OnAutoInsertCol;
    TCanDeleteRowEvent OnCanDeleteRow;
    TAutoDeleteRowEvent OnAutoDeleteRow;
    TClickSortEvent OnClickSort;
    TCanSortEvent OnCanSort;
    TNodeClickEvent OnExpandNode;
    TNodeClickEvent OnContractNode;
    TDropDownButtonClickEvent OnDropDownHeaderButtonClick;
    TDropDownButtonClickEvent OnDropDownFooterButtonClick;
    TNodeAllowEvent OnBeforeExpandNode;
    TNodeAllowEvent OnBeforeContractNode;
    TCustomCompareEvent OnCustomCompare;
    TRawCompareEvent OnRawCompare;
    TSearchEditChangeEvent OnSearchEditChange;
    TSearchFooterActionEvent OnSearchFooterAction;
    TNotifyEvent OnSearchFooterClose;
    TCanShowFixedDropDownEvent OnCanShowFixedDropDown;
    TFixedDropDownClickEvent OnFixedDropDownClick;
    TClickCellEvent OnClickCell;
    TClickCellEvent OnRightClickCell;
    TDblClickCellEvent OnDblClickCell;
    TCanClickCellEvent OnCanClickCell;
    TCanEditCellEvent OnCanEditCell;
    TFixedEditEvent OnFixedEdit;
    TIsFixedCellEvent OnIsFixedCell;
    TIsPasswordCellEvent OnIsPasswordCell;
    TAnchorClickEvent OnAnchorClick;
    TAnchorEvent OnAnchorEnter;
    TAnchorEvent OnAnchorExit;
    TAnchorHintEvent OnAnchorHint;
    TControlEvent OnControlClick;
    TControlEvent OnControlEditDone;
    TControlComboListEvent OnControlComboList;
    TControlComboSelectEvent OnControlComboSelect;
    TClipboardEvent OnClipboardPaste;
    TClipboardEvent OnClipboardCopy;
    TClipboardEvent OnClipboardCut;
    TClipboardAfterPasteEvent OnClipboardAfterPasteCell;
    TClipboardAfterPasteEvent OnClipboardAfterPasteWideCell;
    TClipboardBeforePasteEvent OnClipboardBeforePasteCell;
    TClipboardBeforePasteEvent OnClipboardBeforePasteWideCell;
    TCellValidateEvent OnCellValidate;
    TCellValidateEvent OnCellValidateWide;
    TCellsChangedEvent OnCellsChanged;
    TGridProgressEvent OnFileProgress;
    TGridProgressEvent OnFilterProgress;
    THasComboEvent OnHasComboBox;
    THasSpinEditEvent OnHasSpinEdit;
    TGetEditorTypeEvent OnGetEditorType;
    TGetEditorPropEvent OnGetEditorProp;
    TFloatFormatEvent OnGetFloatFormat;
    TEllipsClickEvent OnEllipsClick;
    TButtonClickEvent OnButtonClick;
    TCheckBoxClickEvent OnCheckBoxChange;
    TCheckBoxClickEvent OnCheckBoxClick;
    TCheckBoxClickEvent OnCheckBoxMouseUp;
    TColorSelectedEvent OnColorSelected;
    TColorSelectEvent OnColorSelect;
    TExpandClickEvent OnExpandClick;
    TImageSelectedEvent OnImageSelected;
    TImageSelectEvent OnImageSelect;
    TRadioClickEvent OnRadioClick;
    TRadioClickEvent OnRadioMouseUp;
    TRadioButtonClickEvent OnRadioButtonClick;
    TClickCellEvent OnDatePickerCloseUp;
    TClickCellEvent OnDatePickerDropDown;
    TComboChangeEvent OnComboChange;
    TClickCellEvent OnComboCloseUp;
    TClickCellEvent OnComboDropDown;
    TComboObjectChangeEvent OnComboObjectChange;
    TSpinClickEvent OnSpinClick;
    TFloatSpinClickEvent OnFloatSpinClick;
    TDateTimeSpinClickEvent OnTimeSpinClick;
    TDateTimeSpinClickEvent OnDateSpinClick;
    TNotifyEvent OnRichEditSelectionChange;
    TDragScrollEvent OnDragScroll;
    TNotifyEvent OnEditingDone;
    TEditCellDoneEvent OnEditCellDone;
    TEditChangeEvent OnEditChange;
    TDateTimeChangeEvent OnDateTimeChange;
    TFooterPaintEvent OnFooterPaint;
    TFooterCalcEvent OnFooterCalc;
    // The grid's published OnResize (the control's own OnResize stays the
    // platform's).
    TNotifyEvent OnGridResize;
    TRowDisjunctSelectEvent OnRowDisjunctSelect;
    TRowDisjunctSelectedEvent OnRowDisjunctSelected;
    TSelectionChangedEvent OnSelectionChanged;
    TGridUnitChangedEvent OnUnitChanged;
    TOleDropEvent OnOleDrop;
    TOleDroppedEvent OnOleDropped;
    TOleDropEvent OnOleDrag;
    TOleDragOverEvent OnOleDragOver;
    TOleDroppedEvent OnOleDragStart;
    TOleDragStopEvent OnOleDragStop;
    TOleDropColEvent OnOleDropCol;
    TOleDropEvent OnOleDropFile;
    TOleDropEvent OnOleDropURL;
    TRatingChangeEvent OnRatingChange;
    TScrollHintEvent OnScrollHint;
    TColumnSizeEvent OnColumnSize;
    TColumnSizingEvent OnColumnSizing;
    TColumnMoveEvent OnColumnMove;
    TColumnMovingEvent OnColumnMoving;
    TRowSizeEvent OnRowSize;
    TRowSizingEvent OnRowSizing;
    TRowMoveEvent OnRowMove;
    TRowMovingEvent OnRowMoving;
    TEndColumnSizeEvent OnEndColumnSize;
    TUpdateColumnSizeEvent OnUpdateColumnSize;
    TEndRowSizeEvent OnEndRowSize;
    TScrollCellEvent OnScrollCell;
    TSelectionResizeEvent OnSelectionResize;
    TSelectionResizedEvent OnSelectionResized;
    TNotifyEvent OnCreatedFloatingFooter;
    TNotifyEvent OnCreatedSearchFooter;
    TCellSaveLoadEvent OnSaveCell;
    TCellSaveLoadEvent OnLoadCell;

    // ----------------------------------------------------------- virtual slots, in order
    virtual void DoCalcFooter(Integer ACol);                                           // 1
    virtual void DoClickSort(Integer ACol);
    virtual bool EditorStartedByKey();
    virtual void EditorToCell(Integer ACol, Integer ARow, const String& Value);
    virtual void BeforeSelectAll(bool& Allow);
    virtual void PasteCell(Integer ACol, Integer ARow, const String& Value);
    virtual void GetCurrentCell(String& S);
    virtual void SetCurrentCell(const String& S);
    virtual void GetCurrentCellEx(String& S);
    virtual void SetCurrentCellEx(const String& S);                                    // 10
    virtual void RestoreCurrentCell();
    virtual bool DoToggleCheckBox(Integer ACol, Integer ARow, bool ByUser);
    virtual bool DoRadioButtonClick(Integer ACol, Integer ARow, bool ByUser);
    virtual String GetFormattedCell(Integer ACol, Integer ARow);
    virtual void GetFloatFormat(Integer ACol, Integer ARow, bool& IsFloat, String& FloatFormat);
    virtual TCellType GetCellType(Integer ACol, Integer ARow);
    virtual TCellGraphic* GetCellGraphic(Integer ACol, Integer ARow);
    virtual TPoint GetCellGraphicSize(Integer ACol, Integer ARow);
    // Extra: pixels of the cell's height taken by something else.
    virtual TPoint GetCellGraphicSizeEx(Integer ACol, Integer ARow, Integer Extra);
    // For printing at Scale, pictures fitted into AvailWidth x AvailHeight.
    virtual TPoint GetCellGraphicExtent(Integer ACol, Integer ARow, Double Scale, Integer AvailWidth,
                                        Integer AvailHeight);                                // 20
    virtual void DoPrintGetPageNum(Integer PageNum, Integer PageColNum, String& Text);
    virtual void DoGetEditorProp(Integer ACol, Integer ARow, TEditLink* AEditLink);
    virtual void DoCheckBoxClick(Integer ACol, Integer ARow, bool State);
    virtual void DoFixedEdit(Integer ACol, Integer ARow, TGridFixedCellEditor& AEditor, TStrings* Values);
    virtual void DoSelectionChanged(Integer ALeft, Integer ATop, Integer ARight, Integer ABottom);
    virtual void EditorKeyUp(Word& Key, TShiftState Shift);
    virtual void DoInsertRow(Integer ARow);
    virtual void DoDeleteRow(Integer ARow);
    virtual void DoFilterDone();
    virtual void UpdateColumnSize(Integer ACol, Integer& AWidth);                       // 30
    virtual void UpdateAutoColumnSize(Integer ACol, Integer& AWidth);
    virtual void ColumnHeadersChanged();
    virtual void DoEllipsClick(const String& S, String& Res);
    virtual bool MatchFilter(Integer ARow);
    virtual void BeforePaste(Integer ACol, Integer ARow, bool& Allow);
    virtual void AfterPaste(Integer ACol, Integer ARow);
    virtual void MarkModifiedRect(TPoint TopLeft, TRect R, TClipOperation Operation);
    virtual String GetCompareCell(Integer ACol, Integer ARow);
    virtual String GetSaveCell(Integer ACol, Integer ARow);
    virtual void PutLoadCell(Integer ACol, Integer ARow, const String& Value);           // 40
    virtual void CellValueChanged(Integer ACol, Integer ARow);
    virtual void StoreOldCellText(Integer ACol, Integer ARow);
    virtual void DoCanEditCell(Integer ACol, Integer ARow, bool& CanEdit);
    virtual void DoSearchFooterAction(const String& Value, Integer ACol, Integer ARow, TSearchAction Action);
    virtual void DoButtonClick(Integer ACol, Integer ARow);
    virtual void DoExpandClick(Integer ACol, Integer ARow);
    virtual void DoComboCloseUp(Integer ARow, Integer ACol);
    virtual void DoComboDropDown(Integer ARow, Integer ACol);
    virtual void DoGetCellCursor(Integer ACol, Integer ARow, Integer X, Integer Y);
    virtual void DoCellsChanged(TRect R);                                              // 50
    virtual void CellsChanged();
    virtual void GetCellHint(Integer ACol, Integer ARow, String& AHint, String& AWideHint);
    virtual void GetCellColor(Integer ACol, Integer ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont);
    virtual void GetCellPrintColor(Integer ACol, Integer ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont);
    virtual void GetCellBorder(Integer ACol, Integer ARow, TPen* APen, TCellBorders& Borders);
    virtual void GetCellPrintBorder(Integer ACol, Integer ARow, TPen* APen, TCellBorders& Borders);
    virtual void QueryCellAlignment(Integer ACol, Integer ARow, TAlignment& HAlign, TVAlignment& VAlign);
    virtual void GetColFormat(Integer ACol, TSortStyle& AStyle, String& APrefix, String& ASuffix);
    virtual TEditorType QueryCellEditor(Integer ACol, Integer ARow);
    virtual void GetCellEditor(Integer ACol, Integer ARow, TEditorType& AEditor);           // 60
    virtual bool HasNoEditor(Integer ACol, Integer ARow);
    virtual bool IsFixedCell(Integer ACol, Integer ARow);
    virtual void CanEditCell(Integer ACol, Integer ARow, bool& CanEdit);
    virtual void IsPasswordCell(Integer ACol, Integer ARow, bool& IsPassword);
    virtual void GetCellWordWrap(Integer ACol, Integer ARow, bool& WordWrap);
    virtual bool HasComboBox(Integer ACol, Integer ARow);
    virtual bool HasSpinEdit(Integer ACol, Integer ARow);
    virtual void GetCheckTrue(Integer ACol, Integer ARow, String& Value);
    virtual void GetCheckFalse(Integer ACol, Integer ARow, String& Value);
    virtual bool GetFilterList(Integer ACol, TStrings* FilterList);                         // 70
    virtual void GetUsedCells(TGridRect& R);
    virtual void FreeAndRemoveRows(Integer ARow, Integer RCount);
    virtual void DoCanAddRow(bool& CanAdd);
    virtual void DoCanInsertRow(Integer ARow, bool& CanInsert);
    virtual void MouseWheelHook(TShiftState Shift, Integer WheelDelta, bool& Handled);
    virtual void AppendRow();
    virtual void EmptySlot77() {}
    virtual bool EditorFormulaMode();
    virtual void EmptySlot79() {}
    virtual void EmptySlot80() {}                                                      // 80
    virtual bool IsDesigning();
    virtual void InvalidateGrid();
    virtual void DisableEditing();
    virtual void EditorKeyDown(Word& Key, TShiftState Shift);
    virtual void EmptySlot85() {}
    virtual void EmptySlot86() {}
    virtual void GotoFirstRow();
    virtual bool AllowFmtClipboard();
    virtual void FilterDropListSelect(TObject* Sender, Integer ItemIndex);
    virtual void FilterCheckListDone(TObject* Sender, Integer ItemIndex);              // 90
    virtual void PaintDesignHelper();
    virtual void DesignHelperClick(Integer X, Integer Y);
    virtual void DoCheckBoxChange(Integer ACol, Integer ARow, bool State);
    virtual void DoRatingChange(Integer ACol, Integer ARow, Double& NewRate, bool& Allow);
    // The editors' command notifications (ExGrid_EditorNotify.cpp); the
    // message then goes on to the base grid unless it was live typing.
    virtual void WMCommand(TMessage& Message);
    // The open editor's text into the current cell, by editor kind.
    void WriteEditorTextLive();
    // OnComboChange and OnComboObjectChange for the combo editor's item.
    void RaiseComboChangeEvents();
    // The combo editor's list closed: stored at once with DirectComboClose.
    void ComboClosedUp();
    // Controls in cells (ExGrid_RichCells.cpp): display cell in the scrolled
    // view; the in-cell scroll bar over the current cell; one hosted control
    // over its cell, or hidden.
    bool CellInView(Integer ACol, Integer ARow) const;
    void PlaceCellScrollBar();
    void PlaceCellControl(const TControlItem* Item);
    virtual void DoColorSelect(Integer ACol, Integer ARow);
    virtual void DoImageSelect(Integer ACol, Integer ARow);
    virtual bool DoCellChanging(Integer OldRow, Integer OldCol, Integer NewRow, Integer NewCol);
    virtual void DoScrollCell(Integer ACol, Integer ARow);
    virtual bool CanShowFixedDropDown(Integer ACol, Integer ARow);
    virtual void DoStartBlockFocus();                                                  // 100
    virtual void DoEndBlockFocus();
    virtual TImageList* GetGridImages();
    virtual void ExportNotification(Integer AState, Integer ARow);
    virtual void ImportNotification(Integer AState, Integer ARow);
    virtual void AssignCells(TPersistent* Source);
    virtual Integer GetVersionNr() const;
    virtual String GetVersionString() const;
    virtual bool ValidateCell(const String& NewValue);
    virtual bool ValidateCellWide(const String& NewValue);
    virtual void RemoveRowsEx(Integer RowIndex, Integer RCount);                          // 110
    virtual void RemoveRows(Integer RowIndex, Integer RCount);
    virtual void InsertRows(Integer RowIndex, Integer RCount, bool UpdateCellControls = false);
    virtual void RemoveCols(Integer ColIndex, Integer CCount);
    virtual void InsertCols(Integer ColIndex, Integer CCount);
    virtual void SubGroup(Integer ColIndex);
    virtual void SubUnGroup(Integer ColIndex);
    virtual void Group(Integer ColIndex);
    virtual void UnGroup();
    virtual void SortSwapRows(Integer ARow1, Integer ARow2);
    virtual void ClearRect(Integer ACol1, Integer ARow1, Integer ACol2, Integer ARow2);  // 120
    virtual void TrimRect(Integer ACol1, Integer ARow1, Integer ACol2, Integer ARow2);
    virtual void SaveColPositions();
    virtual void LoadColPositions();
    virtual void SetStyle(TExGridStyle AStyle);
    virtual void QSort();
    virtual void QSortIndexed();
    virtual void QSortGroup();
    virtual void QSortGroupIndexed();
    virtual void QUnSort();
    virtual void CalcFooter(Integer ACol);                                             // 130

protected:
    String GetEditMask(Integer ACol, Integer ARow) override;
    // Base grid hooks answered by the string grid (ExGrid_TextFormat.cpp).
    bool HasNodes() override;
    Integer GetCellIndent(Integer ARow) override;
    // The base text, then URLs made links and the group count.
    void GetDisplText(Integer ACol, Integer ARow, String& Value) override;
    // The platform's answer, plus the characters while editing is off or
    // sorting jumps to typed text.
    void WMGetDlgCode(TWMGetDlgCode& Message) override;

    void Paint() override;
    void DrawCell(Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState) override;
    void PaintCellContent(TCanvas* ACanvas, Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState) override;
    void GetCellDefaults(Integer ACol, Integer ARow, TFont* AFont, TBrush* ABrush, TColor& ColorTo,
                         TColor& MirrorColor, TColor& MirrorColorTo, TAlignment& HA, TVAlignment& VA, bool& WW,
                         TCellGradientDirection& GD) override;

    // ----------------------------------------------------------- mouse buttons
    // (ExGrid_Press.cpp, ExGrid_Release.cpp, ExGrid_Clicks.cpp). The press
    // state below is left by the left press for the release and the movement.
public:
    // ACol is a real column; the offsets are from the cell's top-left corner.
    void ClickRadioGroup(Integer ACol, Integer ARow, Integer XOffset, Integer YOffset);
    // Display column and row of a fixed cell.
    void StartFixedCellEdit(Integer ACol, Integer ARow);
    // The cell selector's click, used by the fill handle.
    void CellSelectorClick(Integer ACol, Integer ARow);

protected:
    void WMLButtonDown(TWMMouse& Message) override;
    void WMLButtonUp(TWMMouse& Message) override;
    void WMLButtonDblClk(TWMMouse& Message) override;
    void WMRButtonDown(TWMMouse& Message) override;
    void WMRButtonUp(TWMMouse& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    // Called before a press on the fixed corner selects the whole grid.
    virtual void DoSelectAllRect(TGridRect& R);
    // Parts of the double click, the right press and the press hook.
    bool FitColumnOnBorder(TWMMouse& Message, Integer ACol, Integer ARow);
    void EditOnDoubleClick(Integer ACol, Integer ARow);
    void SelectOnRightPress(Integer ACol, Integer ARow, Integer X, Integer Y, TShiftState Shift);
    bool RangeEditPress(TMouseButton Button, TShiftState Shift, Integer X, Integer Y, Integer ACol, Integer ARow);
    bool FixedDropDownPress(Integer ACol, Integer ARow, const TRect& R, Integer X);
    bool FixedEditPress(TMouseButton Button, Integer ACol, Integer ARow, const TRect& R, Integer X, Integer Y);
    void FixedEditChanged(const String& Text);
    template <class TEditor>
    void OpenFixedEditor(TEditor* Editor, const String& Text, Integer RealCol, Integer ARow);
    friend class TLeftPress;
    friend class TLeftRelease;
    bool FDoOnClick = false;
    bool FMouseDownMove = false;
    bool FMouseKeepDown = false;
    bool FMouseDown = false;
    bool FDeselectState = false;
    bool FSelectionClick = false;
    bool FFixedCellPushed = false;
    TRect FPushedFixedCell{0, 0, 0, 0};
    Integer Clickposx = 0;
    Integer Clickposy = 0;
    Integer Clickposdx = 0;
    Integer Clickposdy = 0;
    Integer Movecell = -1;
    Integer MoveOfsX = 0;
    Integer MoveOfsY = 0;
    Integer FMoveColInd = -1;
    Integer FMoveRowInd = -1;
    Integer FSizingFixedCol = -1;
    Integer FSizingFixedRow = -1;
    Integer FSizeFixedX = 0;
    Integer FSizeFixedY = 0;
    bool FMouseResize = false;
    TGridRect FDropSelection{};
    Integer FOldKeepLeftCol = 1;
    // The press ended in a border double click: the next release only clears it.
    bool FDblClk = false;
    bool FDropDownDown = false;
    Integer FFixedColEdit = -1;
    Integer FFixedRowEdit = -1;

protected:
    friend class TExInplaceEdit;
    friend class TGridCheckBox;
    friend class TGridSpin;
    friend class TGridCombo;
    friend class TGridDatePicker;
    friend class TGridDateTimePicker;
    friend class TGridEditBtn;
    friend class TGridUnitEditBtn;
    friend class TGridButton;
    friend class TExRichEdit;
    template <class, bool, bool>
    friend class TGridDropDownEditor;

    bool CanEditShow() override;
    bool SelectCell(Integer ACol, Integer ARow) override;
    void KeyPress(Char& Key) override;
    Integer GetEditLimit() override;
    String GetEditText(Integer ACol, Integer ARow) override;
    void SetEditText(Integer ACol, Integer ARow, const String& Value) override;
    // Keyboard (ExGrid_Keys.cpp).
    void AutoAddRow();
    bool IsLastDataRow();
    void WMKeyDown(TWMKey& Message) override;
    void WMChar(TWMKey& Message) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    // The key states: AltGr gives no ssAlt.
    static TShiftState KeyShiftState();
    Integer VisibleFixedRightCols();
    bool CanFocusCell(Integer ACol, Integer ARow);
    Integer FirstFocusCol(Integer ARow);
    Integer LastFocusCol(Integer ARow);
    void RaiseKeyDown(Word& Key, TShiftState Shift);
    bool CurrentCellHasHTMLControl();
    bool RunBaseKeyDown(TWMKey& Message, TShiftState Shift, bool KeepHoriz, Integer OldLeftCol);
    void AfterBaseKeyDown(Word Key, TShiftState Shift);
    void NotifySelectionChanged();
    static TRect SelectionRect(const TGridRect& S);
    bool ScrollOnlyByKey(Word Key);
    void PressClickControlByKey(bool Space);
    bool HomeEndByKey(Word Key, TShiftState Shift, bool KeepHoriz, Integer OldLeftCol);
    bool RowSelectScroll(Word Key, bool Ctrl, TShiftState Shift);
    bool SkipFixedCellsByKey(Word Key);
    bool ClipboardByKey(Word Key, bool Ctrl, bool ShiftDown);
    void DisjunctFlagsByKey(bool Ctrl, bool ShiftDown, Integer SelRow);
    void InsertRowByKey();
    void DeleteRowByKey();
    void SelectAllByKey();
    void MoveSelectedRowsByKey(bool Down);
    void WrapCursorByKey(Word Key);
    void SkipDisabledRowByKey(bool Down);
    void ExtendSelectedCellsByKey(const TGridRect& OldSel);
    void ToggleSelectedCellByKey(bool Ctrl);
    // One step of Tab; HandOn is set when Tab ran past the last cell.
    void TabStep(bool Backward, bool& HandOn);
    bool TabAcceptable(Integer ACol, Integer ARow);
    bool AllowTabRowChange(Integer OldRow, Integer OldCol, Integer NewRow);
    void TabPastLastCell(Integer& ARow, bool& HandOn);
    bool HandTabToParent();
    TPoint FLastKeyCell;
    TGridRect FMoveSelection{};
    // False when no edit is open or a validation runs.
    bool StartValidation(const String& NewValue);
    // The steps of ValidateCell once the text is to be checked.
    bool RunCellValidation(Integer ACol, Integer ARow, const String& NewValue);
    void MarkCellModified(Integer ARow);
    // Into the cell and, for a covered cell, into its base cell.
    void StoreValidatedValue(Integer ACol, Integer ARow, const String& Value);
    // A refused value: CellText into the edited cell, which becomes current again.
    void ReturnToOldCell(const String& CellText);
    void RefuseCellValue(const String& NewValue, const String& Value);
    void ShowInvalidEntryBalloon();
    // A cell's text as SelectedText gives it; ACol is a display column.
    String SelectedCellText(Integer ACol, Integer ARow);
    void CreateWnd() override;
    void Resize() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    TInplaceEdit* CreateEditor() override;
    void ColumnMoved(Integer FromIndex, Integer ToIndex) override;
    void RowMoved(Integer FromIndex, Integer ToIndex) override;
    void ColWidthsChanged() override;
    void RowHeightsChanged() override;
    void SizeChanged(Integer OldColCount, Integer OldRowCount) override;
    void WMTimer(TWMTimer& Message) override;
    // Keeps an automatic scroll-bar range in step with the text.
    void CellTextChanged(Integer ACol, Integer ARow) override;
    // Messages of the in-cell scroll bar move it and its cell; others go to
    // the grid's own scroll bar.
    void WMVScroll(TWMScroll& Message) override;
    void WMHScroll(TWMScroll& Message) override;
    // The base grid's handling, then the footer repainted.
    void LastRowChanged() override;
    // The thumbs sized by the pixel extent of the rows (columns), over 128
    // positions.
    void UpdateVScrollProportional();
    void UpdateHScrollProportional();

    // The resize handler put on the owner form: the grid follows the form,
    // then the form's former handler runs.
    void OwnerFormResize(TObject* Sender);
    // The fixed last row of a visible floating footer, where no row moves.
    bool IsFooterRowTarget(Integer ARow) const;
    // Auto sizing workers (ExGrid_Sizing.cpp).
    void AutoSizeColInternal(Integer ACol, bool GrowOnly);
    void AutoSizeRowInternal(Integer ARow, bool GrowOnly, Integer Padding);
    void SizeRowToLines(Integer ARow, Integer Lines, Integer Padding);
    Integer FittedCellWidth(Integer ACol, Integer ARow);
    Integer FittedCellHeight(Integer ACol, Integer ARow, Integer Padding);
    void SettingsChanged(TObject* Sender);
    void GradientColorChanged(TFixedGradientColor Role, TColor Value);
    void MergedColumnsChanged(TObject* Sender);
    void ColumnHeadersListChanged(TObject* Sender);
    void RowHeadersListChanged(TObject* Sender);
    void MultiImageChanged(TObject* Sender, Integer ACol, Integer ARow);
    void RichEditSelChange(TObject* Sender);

    // Window decorations (ExGrid_Decorations.cpp, ExGrid_Balloon.cpp,
    // ExGrid_DesignHelper.cpp).
    void Dispatch(TMessage& Message) override;
    // The picker editors' date change and the balloon window's text request.
    void WMNotify(TWMNotify& Message);
    // The balloon text of the cell under the request's point.
    void AnswerBalloonRequest(TGridBalloonWindow* Balloon, TToolTipTextRequest& Request);
    void CMDesignHitTest(TWMMouse& Message);
    void PaintBackgroundOutside();
    void CopyBackgroundBitmap(TRect R);
    void TileBackgroundBitmap(TRect R);
    // The move lines drawn and not yet taken away.
    void PaintMoveLines();
    void ToggleMoveLine(bool Rows, Integer Pos);
    bool UseVCLStyles() override { return FUseVCLStyles; }

    // Sorting (src/grid/data/ExGrid_Sort*.cpp). CompareCells: 1 when the
    // cell of ARow1 sorts after that of ARow2, -1 before, 0 equal.
    Integer CompareCells(Integer ACol, Integer ARow1, Integer ARow2, TSortDirection Direction);
    Integer CompareRowsFull(Integer ACol, Integer ARow1, Integer ARow2);
    Integer CompareRowsIndexed(Integer Index, Integer ARow1, Integer ARow2);
    void QuickSortRange(Integer Col, Integer Left, Integer Right);
    void QuickSortIndexedRange(Integer Left, Integer Right);
    void UnSortRange(Integer Left, Integer Right);
    void QSortGroupRows(bool Indexed);
    // The spare rows, counts and restoring around a sort; the cell keys a
    // sort reads once per row and carries with the row.
    class TSortFrame;
    class TSortKeys;
    void CopySortPivot(Integer FromRow, Integer PivotRow);
    // +1 ascending, -1 descending; the row that held the current row.
    Integer SortDir = 1;
    Integer SortRow = -1;
    TSortKeys* FSortKeys = nullptr;
    // The window procedure, the grid timer, painting and cursors
    // (ExGrid_WndProc.cpp).
    void WndProc(TMessage& Message) override;
    void WMPaint(TMessage& Message) override;
    void WMSetCursor(TMessage& Message) override;
    void WMEraseBkgnd(TMessage& Message);
    void CMEnabledChanged(TMessage& Message) override;
    void CMColorChanged(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    void CMCursorChanged(TMessage& Message);
    // Cell hints (ExGrid_Hints.cpp).
    void CMHintShow(TCMHintShow& Message) override;
    void BuildCellHint(String& HintStr, THintInfo& HintInfo);
    void BuildHintOfCell(Integer ACol, Integer ARow, String& HintStr, THintInfo& HintInfo);
    bool AnchorTitleAt(const String& Text, TRect R, TPoint At, String& Title);
    bool IsNormalHintCell(Integer ACol, Integer ARow);
    String HintTextOfCell(Integer RealCol, Integer ARow, bool AsStored);
    TPoint FLastHintPos{-1, -1};
    String FLastAnchorHint;
    bool HasCellBorderEvent() override;
    // "GridEditDone" arrived: OnEditCellDone, and the end of editing with
    // EditOnDblClickOnly.
    void GridEditDone(Integer ACol, Integer ARow);
    void HoverTick();
    void BlinkTick();
    // The balloon window (ExGrid_Balloon.cpp).
    void CreateToolTipWindow();
    void DestroyToolTipWindow();
    void AddToolTip(Integer AIcon, const String& ATitle);
    TGridBalloonWindow* FHToolTip = nullptr;
    Integer FTimerTicks = 0;
    bool FGridBlink = false;
    Integer FPaintCount = 0;
    bool Invokedchange = false;
    bool FCellSelectorMode = false;
    bool FSizeFixed = false;
    bool FSizingFixed = false;
    bool FSizeFixedR = false;
    bool FSizingFixedR = false;
    bool FNoMouseLeave = false;
    // The edit-link editor's own window procedure behind EditLinkWndProc.
    std::function<void(TMessage&)> FEditLinkWndProc;

    // Row copies over all real columns: ColCount is widened by the hidden
    // columns for the bracket's life.
    class TAllColumns {
    public:
        explicit TAllColumns(TExStringGrid* AGrid);
        ~TAllColumns();
        TAllColumns(const TAllColumns&) = delete;
        TAllColumns& operator=(const TAllColumns&) = delete;

    private:
        TExStringGrid* FGrid;
        Integer FWidened;
    };

    // Whole rows of the store with their heights (ExGrid_Hidden.cpp).
    TGridItem* SaveRowToItem(Integer ADisplRow, Integer AIdx, Integer ALevel, Integer AHeight, int AtIndex);
    void RestoreItemToRow(TGridItem* Item, Integer ADisplRow);
    void PlaceSlotRow(Integer ARow, TStringGrid::TSlotRow Line);
    // Moves the rows after the range up; hidden rows keep their indices.
    void RemoveDisplayRows(Integer RowIndex, Integer RCount);
    // The real and display rows of the range that are still shown.
    std::vector<std::pair<Integer, Integer>> ShownRows(Integer FromRow, Integer ToRow) const;
    // Frees the properties and graphic of a cell object held outside the
    // store (a hidden row's).
    void FreeCellObject(TObject* AObject);
    void FreeHiddenRowObjects();
    // After the last filter level's rows are back (grid/data/ExGrid_Filter.cpp).
    void RestoreAfterFilterLevel();
    // Runs the column-width notification without the stretch re-entry.
    void ApplyUserColumnSize();
    void ScaleOtherSizes(bool Rows, Integer Clicked, Integer ClickedSize);
    bool WheelLinesFromSystem();

    // State of the hidden columns.
    std::array<bool, 513> FVisibleCol;
    std::array<Integer, 513> FAllColWidths{};
    Integer FNumHidden = 0;
    Integer FFilterLevel = 0;
    std::unique_ptr<TGridItems> FGridItems;

    // Structure.
    bool FFixedRowAlways = false;
    bool FFixedColAlways = false;
    Integer FFixedRowsMin = 1;
    Integer FFixedColsMin = 1;
    Integer FMaxRowCount = 0;
    Integer FMaxColCount = 0;
    Integer FFixedFooters = 0;
    Integer FFixedRightCols = 0;
    // Nodes in the grid; while above 0 column 0 shows each row's indent.
    Integer FNumNodes = 0;
    Integer FBlockID = 0;
    Integer FFixedRowHeight = 22;
    TAlignment FDefaultAlignment = taLeftJustify;
    TVAlignment FVAlignment = vtaTop;
    Integer FVAlign = 0;
    bool FWordWrapEx = true;
    bool FAutoSize = false;
    bool FFlat = false;
    bool FIsColChanging = false;
    bool ColchgFlg = true;
    bool ColSizeFlg = false;
    // A column or row moved in this press: the release makes no sort click.
    bool ColMoveFlg = false;
    // Being moved by the synchronised partner, which is not moved back.
    bool FSyncedMove = false;
    Integer Colclicked = -1;
    Integer Colclickedsize = 0;
    Integer Rowclicked = -1;
    Integer Rowclickedsize = 0;
    bool ColSized = false;
    bool Rowsized = false;
    Integer FUpdateCount = 0;
    bool FGridLoaded = false;

    // Painting and editing state.
    bool FEditChange = false;
    bool FEditMode = false;
    TEditorType FEditControlType = edNormal;
    String FNewCellText;
    String FOldCellText;
    String FOldCellTextWide;
    bool FOldModifiedValue = false;
    Integer FOldCol = -1;
    Integer FOldRow = -1;
    bool FValidating = false;
    // Editing was switched off for a read-only current cell; editing is
    // still wanted.
    bool FEditDisable = false;
    bool FLastValidation = true;
    bool FNoAutoAdvance = false;
    bool FBlockFocus = false;
    // The edit in progress changed something; Modified is FGridModified.
    bool FModified = false;
    bool FGridModified = false;
    bool FAlwaysValidate = false;
    Integer FLastTabCol = -1;
    Integer FLastTabRow = -1;
    Integer FHoverLink = -1;
    TPoint FHoverFixedCell{-1, -1};
    TPoint FPushedCellButton{-1, -1};
    // The cell whose button is under the mouse (display column), drawn hot.
    TPoint FHoverButton{-1, -1};
    Integer FClickedCol = -1;
    Integer FClickedRow = -1;
    Integer FComboIdx = -1;
    Integer FFilterCol = -1;
    // FixedRows when the filter was last applied (-1 before), and the last
    // narrowing text.
    Integer FFilterFixedRows = -1;
    String FNarrowText;
    Integer FOldRowSel = -1;
    Integer FMouseSelectStart = -1;
    TMouseSelectMode FMouseSelectMode = msNormal;
    Integer FOldSize = -1;
    TPoint FHintPos{-1, -1};
    TPoint FClipTopLeft{-1, -1};
    TClipOperation FClipLastOp = coCopy;
    bool FPasteAll = false;
    TQVXStyle FCurrentStyle = tsWindowsXP;
    TOfficeTheme FOldOfficeTheme = otUnknown;
    Char FStartEditChar = Char(0);
    TEditLink* FEditLink = nullptr;
    Integer FSearchTicks = 0;
    Integer FWheelScrollLines = 3;
    Integer FOldLeftCol = 1;
    Integer FOldTopRow = 1;
    TCursor FOldCursor = crDefault;
    TCursor FGridCursor = crDefault;
    bool FDestroying = false;

    // Platform flags.
    bool FIsWinXP = true;
    bool FIsWin7 = true;
    bool FIsComCtl6 = true;
    bool FIsWinVista = true;

    // The owner form's former resize handler, and the link the form's
    // handler reaches this grid through (it outlives the grid, so a grid
    // created later on the same form never calls a freed one).
    TNotifyEvent FOnResize;
    bool ResizeAssigned = false;
    std::shared_ptr<struct TFormResizeLink> FResizeLink;
    friend struct TFormResizeLink;

    // Published values.
    TColor FHighlightColor = clHighlight;
    TColor FHighlightTextColor = clHighlightText;
    TColor FHintColor = clInfoBk;
    bool FHintShowCells = false;
    bool FHintShowLargeText = false;
    THintShowLargeTextPos FHintShowLargeTextPos = hpCell;
    bool FHintShowSizing = false;
    bool FHTMLHint = false;
    bool FOemConvert = false;
    bool FAnchorHint = false;
    bool FActiveCellShow = false;
    TColor FActiveCellColor = clGray;
    TColor FActiveCellColorTo = clNone;
    bool FAutoNumAlign = false;
    bool FAutoThemeAdapt = false;
    bool FAutoFilterUpdate = true;
    TColor FBorderColor = clGray;
    TExStringGridCheck* FCellChecker = nullptr;
    TEditorType FDefaultEditor = edNormal;
    TColor FDisabledFontColor = clSilver;
    bool FUseDisabledFont = true;
    bool FEditWithTags = false;
    bool FEnableBlink = false;
    bool FEnableHTML = true;
    bool FEnableWheel = true;
    bool FEnhTextSize = false;
    bool FEnhRowColMove = true;
    bool FExcelStyleDecimalSeparator = false;
    bool FFilterActive = false;
    bool FFilterDropDownAuto = false;
    String FFilterDropDownClear;
    bool FFilterDropDownCheck = false;
    TFilterDropDownColumns FFilterDropDownColumns = fdNormal;
    Integer FFilterRow = 0;
    bool FFilterNormalCellsOnly = true;
    bool FFilterIncremental = false;
    bool FFixedAsButtons = false;
    TPopupMenu* FFixedDropDownMenu = nullptr;
    String FFloatFormat;
    TImageList* FGridImages = nullptr;
    bool FHideFocusRect = false;
    bool FHovering = false;
    THoverFixedCells FHoverFixedCells = hfNone;
    bool FIntegralHeight = false;
    TIntelliPan FIntelliPan = ipVertical;
    bool FIntelliZoom = true;
    String FInvalidEntryTitle;
    TInvalidEntryIcon FInvalidEntryIcon = ieWarning;
    String FInvalidEntryText;
    TGridLook FLook = glXP;
    bool FLookup = false;
    bool FLookupCaseSensitive = false;
    bool FLookupHistory = false;
    Integer FMaxEditLength = 0;
    Integer FMaxComboLength = 0;
    String FMultilinecells;
    TPictureContainer* FContainer = nullptr;
    TScrollBarAlways FScrollBarAlways = saNone;
    TColor FScrollColor = clNone;
    bool FScrollProportional = false;
    bool FScrollSynch = false;
    TScrollType FScrollType = ssNormal;
    Integer FScrollWidth = 0;
    TScrollHintType FScrollHints = shNone;
    TColor FSelectionColor = 0x00EACAB6;
    TColor FSelectionColorTo = clNone;
    bool FSelectionColorMixer = false;
    Integer FSelectionColorMixerFactor = 50;
    TColor FSelectionMirrorColor = clNone;
    TColor FSelectionMirrorColorTo = clNone;
    bool FSelectionRectangle = false;
    TColor FSelectionRectangleColor = clBlack;
    bool FSelectionResizer = false;
    bool FSelectionRTFKeep = false;
    TColor FSelectionTextColor = clBlack;
    bool FShowSelection = true;
    bool FShowDesignHelper = true;
    bool FSizeWithForm = false;
    TColor FURLColor = clBlue;
    bool FURLShow = false;
    bool FURLShowInText = false;
    bool FURLUnderlineOnHover = false;
    bool FURLFull = false;
    bool FURLEdit = false;
    bool FUseInternalHintClass = true;
    String FValidChars;
    std::bitset<256> FValidCharSet;
    String FCheckTrue;
    String FCheckFalse;
    Char FPasswordChar = Char(0);
    Char FDelimiter = Char(0);
    String FXMLEncoding;
    TColor FQVXGradientFrom = clWhite;
    TColor FQVXGradientTo = clNone;
    TColor FQVXGradientMirrorFrom = clNone;
    TColor FQVXGradientMirrorTo = clNone;
    bool FSaveFixedCells = true;
    bool FSaveFixedRows = false;
    bool FSaveFixedCols = false;
    bool FSaveHiddenCells = false;
    bool FSaveVirtCells = true;
    bool FSaveWithHTML = true;
    bool FSaveWithRTF = false;
    String FEditMask;
    bool FSpreadSheet = false;
    bool FLoadFirstRow = true;
    bool FQuoteEmptyCells = true;
    bool FAlwaysQuotes = false;
    bool FJavaCSV = false;
    bool FShowNullDates = true;
    bool FNoDefaultDraw = false;
    bool FNoImageAndText = false;
    bool FSizeGrowOnly = false;
    bool FClearTextOnly = false;
    bool FExcelClipboardFormat = false;
    bool FPrinterDriverFix = false;
    bool FFitCellsInGrid = true;
    Integer FMinRowHeight = 0;
    Integer FMaxRowHeight = 0;
    Integer FMinColWidth = 0;
    Integer FMaxColWidth = 0;
    Integer FGroupColumn = -1;
    // Grouping: a grouping made by Group is in force (whatever its column),
    // Group or UnGroup at work, and the removed column's width and texts.
    bool FGroupedByGroup = false;
    bool FGrouping_InProgress = false;
    Integer FGroupColWidth = 0;
    String FGroupCaption;
    String FGroupFooter;
    // Finding: the last parameters, search text as given and as matched,
    // last found cell, preset column and row.
    TFindParams FFindParams;
    String FSearchText;
    String FSearchCache;
    TPoint FSearchCell{-1, -1};
    Integer FFindCol = 0;
    Integer FFindRow = 0;
    bool FFindBusy = false;
    TPoint FXYOffset{2, 2};
    bool FXYOffsetTopLeftOnly = false;
    Integer FZoomFactor = 0;
    Integer FPreviewPage = 1;
    Integer FPrintPageFrom = 1;
    Integer FPrintPageTo = 1;
    // Print state: the cells printed, the page or preview rectangle, the
    // pages, the current column band and the page in logical units.
    TGridRect FPrintRect;
    TRect PrevRect;
    Integer FPrintPageNum = 0;
    Integer FPrintPageWidth = 0;
    Integer FPrintColStart = 0;
    Integer FPrintColEnd = 0;
    TRect FPrintPageRect;
    bool FIsPrintPreview = false;
    friend class TGridPrintEngine;

    // Owned sub-objects, in the order they are made.
    std::unique_ptr<TFooterPanel> FFooterPanel;
    std::unique_ptr<TSearchPanel> FSearchPanel;
    std::unique_ptr<TFont> cf;
    std::unique_ptr<TFocusHelper> FFocusHelper;
    std::unique_ptr<TSearchFooter> FSearchFooter;
    std::unique_ptr<TFloatingFooter> FFloatingFooter;
    std::unique_ptr<TPrintSettings> FPrintSettings;
    std::unique_ptr<THTMLSettings> FHTMLSettings;
    std::unique_ptr<TSortSettings> FSortSettings;
    std::unique_ptr<TDragDropSettings> FDragDropSettings;
    std::unique_ptr<TDragScrollOptions> FDragScrollOptions;
    std::unique_ptr<TControlLook> FControlLook;
    std::unique_ptr<TNavigation> FNavigation;
    std::unique_ptr<TColumnSize> FColumnSize;
    std::unique_ptr<TCellNode> FCellNode;
    std::unique_ptr<TBands> FBands;
    std::unique_ptr<TSizeWhileTyping> FSizeWhileTyping;
    std::unique_ptr<TMouseActions> FMouseActions;
    std::unique_ptr<TGrouping> FGrouping;
    std::unique_ptr<TStringList> FColumnHeaders;
    std::unique_ptr<THTMLPictureCache> FImageCache;
    std::unique_ptr<TIntList> FOrigColSizes;
    std::unique_ptr<TFont> FFixedFont;
    std::unique_ptr<TFont> FActiveCellFont;
    std::unique_ptr<TStringList> FRowHeaders;
    std::unique_ptr<TStringList> FSortlist;
    std::unique_ptr<TStringList> FLookupItems;
    std::unique_ptr<TList> FRowSelect;
    std::unique_ptr<TList> FColSelect;
    std::unique_ptr<TSortIndexList> FSortIndexes;
    std::unique_ptr<TIntList> FSortRowXRef;
    std::unique_ptr<TIntList> FUnSortRowXRef;
    std::unique_ptr<TIntList> FMergedColumns;
    std::unique_ptr<TIntList> FSelectedCells;
    std::unique_ptr<TIntList> FSelectedRows;
    std::unique_ptr<TIntList> FModifiedRows;
    std::unique_ptr<TIntList> FEnabledRows;
    std::unique_ptr<TBitmap> FRowIndicator;
    std::unique_ptr<TBackGround> FBackGround;
    THTMLHintWindow* FScrollHintWnd = nullptr;
    std::unique_ptr<TControlList> FControlList;
    std::unique_ptr<TGridProgressAppearance> FProgressAppearance;
    std::unique_ptr<TSyncGrid> FSyncGrid;
    TColorTones FTones;
    std::unique_ptr<TFilter> FFilter;
    std::unique_ptr<TBalloonSettings> FBalloonSettings;
    std::unique_ptr<TShowModified> FShowModified;
    std::unique_ptr<TList> FNotifierList;
    std::unique_ptr<TIntList> FColumnOrder;
    std::unique_ptr<TCellGraphic> FCellGraphic;
    std::unique_ptr<TIntList> FIgnoreColumns;
    std::unique_ptr<TFilterDropDown> FFilterDropDown;
    TDropList* FDropList = nullptr;
    TDropCheckList* FDropCheckList = nullptr;
    // The lists close the open drop-down column themselves.
    friend class TDropList;
    friend class TDropCheckList;
    std::unique_ptr<TStringList> FFilterList;
    // Not while designing.
    TGridFocusWindow* FFocusWindow = nullptr;
    // Move lines in view: rows (true) or columns and their positions.
    std::vector<std::pair<bool, Integer>> FMoveLines;
    // The balloon's text buffer and the cell it was asked for.
    String FBalloonText;
    TPoint FLastBalloonPos{-1, -1};
    Integer FDesignHelperEntry = -1;
    bool FShowColNrs = false;
    bool FUseVCLStyles = false;
    TArrowWindow* ArwU = nullptr;
    TArrowWindow* ArwD = nullptr;
    TArrowWindow* ArwL = nullptr;
    TArrowWindow* ArwR = nullptr;
    // Editing state (ExGrid_Edit.cpp).
    TWinControl* EditCtrl = nullptr;
    bool FEditing = false;
    bool FEditActive = false;
    bool FSpecialEditor = false;
    bool FBlockKill = false;
    bool FEntered = false;
    bool FShowEditProcess = false;
    bool FNoEditChange = false;
    bool FSpinUpClick = false;
    bool FSpinDnClick = false;
    bool FForceSel = false;
    bool FDisableChange = false;
    bool LButFlg = false;
    String FCellCache;
    String FEditText;
    TDateTime FOriginalDateTime = 0;
    Integer FAECol = -1;
    Integer FAERow = -1;
    String SearchInc;
    // The shared editors: the combo, check box, button editors and button
    // with the grid, the spin editor and the pickers on first use.
    TGridCombo* EditCombo = nullptr;
    TGridSpin* FEditSpin = nullptr;
    TGridDatePicker* FEditDate = nullptr;
    TGridDateTimePicker* FEditDateTime = nullptr;
    TExCustomDropDown* FEditTrackBar = nullptr;
    TExCustomDropDown* FEditMemo = nullptr;
    TExCustomDropDown* FEditCalculator = nullptr;
    TExCustomDropDown* FEditTimePicker = nullptr;
    TExCustomDropDown* FEditDetailPicker = nullptr;
    TExCustomDropDown* FEditGridPicker = nullptr;
    TExCustomDropDown* FEditColorPicker = nullptr;
    TExCustomDropDown* FEditImagePicker = nullptr;
    TExCustomDropDown* FEditExGridPicker = nullptr;
    TExRichEdit* FRichEdit = nullptr;
    TExRichEdit* FInplaceRichEdit = nullptr;
    // Set while a mouse press is handled: the editor's text is not live then.
    bool FEditStart = false;
    bool FUseHTMLHints = false;
    TGridTransEdit* EditTrans = nullptr;
    TGridTransCombo* ComboTrans = nullptr;
    TGridCheckBox* EditCheck = nullptr;
    TGridEditBtn* EditBtn = nullptr;
    TGridUnitEditBtn* UnitEditBtn = nullptr;
    TGridButton* GridButton = nullptr;
    THeaderDragButton* MoveButton = nullptr;
    TControlEdit* FEditControl = nullptr;
    TControlCombo* FComboControl = nullptr;
    TScrollBar* FScrollBar = nullptr;
    TScrollBar* FPaintScrollBar = nullptr;
    TScrollControl* vscrlctrl = nullptr;
    TScrollControl* hscrlctrl = nullptr;
    UINT FEditDoneMessage = 0;
    // Scrolling: the proportional thumbs stay while locked; the scroll hint
    // shows while a thumb is dragged; the drag timer exists while drag
    // scrolling is armed.
    bool FScrollLock = false;
    bool FScrollHintShow = false;
    Integer FDragScrollDirection = 0;
    TTimer* FDragTmr = nullptr;

    // Movement, hover and leave (ExGrid_Move.cpp); the release hook and the
    // header filter drop-down (ExGrid_FilterDrop.cpp).
public:
    bool HoverRow() const { return FHoverRow; }
    void SetHoverRow(bool Value) { FHoverRow = Value; }

protected:
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void CMMouseLeave(TMessage& Message) override;
    void CMStyleChanged(TMessage& Message);
    void HoverFeedback(Integer ACol, Integer ARow, TPoint P);
    void HoverCellScrollBar(Integer ACol, Integer ARow);
    void HoverButtons(Integer ACol, Integer ARow, TPoint P);
    void HeaderSelectionDrag(Integer ACol, Integer ARow, Integer Y, bool& ScrolledUp);
    void FixedBorderSizing(Integer ACol, Integer ARow, Integer X, Integer Y);
    void OwnMoveStep(Integer ACol, Integer ARow, TPoint P);
    void PlaceMoveArrows(Integer ACol, Integer ARow);
    void MoveAutoScroll(Integer X, Integer Y);
    bool SetSelectZone(Integer ACol, Integer ARow, Integer X, bool InResizer, bool ScrolledUp);
    bool LinkHover(Integer X, Integer Y);
    void CancelHints(Integer ACol, Integer ARow);
    void SizingEventsAndHint(Integer X, Integer Y);
    // The repaint of a cell in the fixed columns or rows (bounds included).
    void RepaintIfFixedZone(TPoint Cell);
    bool InFillHandle(TPoint P);
    bool OpenFilterDropDown(Integer ACol, Integer ARow, Integer RealCol, Integer X, Integer Y);
    void ShowFilterDropDown(Integer ACol, TRect R);
    bool DisjunctCellRelease(Integer ACol, Integer ARow, TShiftState Shift);
    bool FHoverRow = false;
    Integer FHoverRowIdx = -1;
    TPoint FHotFixedCell{-1, -1};
    TPoint FHoverCell{-1, -1};
    String FAnchor;
    TGridRect FSizeSelection{};
    TCustomForm* MoveForm = nullptr;

private:
    friend class TColumnSize;
    // One cell's painting, step by step (ExGrid_Paint.h).
    friend class TExGridCellPainter;
    // The text files' readers and writers (grid/data/ExGrid_TextIO.h).
    friend class TGridTextIO;
    // The clipboard's copy, cut and paste (grid/data/ExGrid_Clipboard.h).
    friend class TGridClipboard;
    // The HTML and XML forms (grid/data/ExGrid_HTML.cpp, ExGrid_XML.cpp).
    friend class TGridHTML;
    friend class TGridXML;
    // Workbooks, documents and database tables (grid/data/ExGrid_Office.h).
    friend class TGridOffice;
    // The floating footer's setters and its panel (grid/data/).
    friend class TFloatingFooter;
    friend class TFooterPanel;
    friend class TFooterPainter;
    // Editing.
    void CreateSharedEditors();
    void ShowSpinEditor(TRect R, const String& Text);
    void ShowComboEditor(TRect R, Integer ACol, Integer ARow, const String& Text);
    void ShowDatePicker(TRect R, const String& Text);
    void ShowCustomEditor(TRect R, Integer ACol, Integer ARow, TColor C);
    // The nine drop-down kinds: the editor filled from the cell and shown
    // over it; its result written back and the editor hidden.
    void StartCellEditor(TRect R, Integer ACol, Integer ARow, TColor C);
    void EndCellEditor(Integer ACol, Integer ARow);
    // Places, shows, colours and focuses a shared editor.
    void PresentEditor(TWinControl* Editor, TRect R, TColor C, Integer ACol, Integer ARow);
    void PostStartChar(TWinControl* Editor);
    void CommitSpinEditor(Integer ACol, Integer ARow);
    void DecideEditing(Integer ACol, Integer ARow);
    void AfterCellSelected(Integer ACol, Integer ARow);
    // Repaints the row indicator of the two rows (when a picture is set
    // and there are fixed columns).
    void RepaintRowIndicators(Integer OldRow, Integer NewRow);
    // Scrolls row ARow out from behind the floating and the search footer;
    // false for the footer row of a fixed last-row footer.
    bool ScrollAboveFooters(Integer ARow);
    bool StepAdvance(Integer& ACol, Integer& ARow, bool Forward);
    void ShowEditorAfterAdvance(Integer StartCol, Integer StartRow, bool AllowAutoEdit);
    Integer FirstDataCol() const;
    Integer LastDataCol() const;
    Integer LastDataRow() const;
    template <class T>
    void SetAndInvalidate(T& Field, T Value);
    // A linked component, forgotten when it goes (Notification).
    template <class T>
    void KeepLinked(T*& Field, T* Value);
    // Fixed rows (columns) kept below the count with the always flag; the
    // asked count is remembered outside loading.
    void SetFixedCount(bool Rows, Integer Asked);
    void CreateSubObjects();
    void SetDefaults();
    void CreateWindowObjects();
    void TakeOverFormResize();
    void GiveBackFormResize();
    void FreeAllCellObjects();
    void AssignSettings(TExStringGrid* Source);
    Integer IntegralHeightFor(Integer AHeight) const;
    // Per-cell queries and column states.
    bool IsActiveCellHeading(Integer ACol, Integer ARow);
    bool EditingOn() const;
    static void AddFilterValue(TStrings* List, const String& Text);
    void ApplyColumnOrder(const QStringList& Texts);
    void HideColumnsOf(const QStringList& Flags);
    void ApplyColumnWidths(const QStringList& Texts);
    // The INI file or registry key of ColumnSize; none while designing,
    // without Key or Section, or when the store cannot be read.
    std::unique_ptr<TCustomIniFile> OpenColumnStore();
    // Cell graphics and check boxes.
    TCellGraphic* RowCheckBoxGraphic(Integer ARow);
    void FreeOwnGraphic(Integer ACol, Integer ARow);
    bool IsSharedGraphic(TCellGraphic* G) const;
    TCellGraphic* BaseCellGraphic(Integer ACol, Integer ARow);
    bool BaseCellIs(Integer ACol, Integer ARow, bool (*Kind)(TCellType));
    void CheckCellExists(Integer ACol, Integer ARow) const;
    Integer FirstCheckRow();
    TCellGraphic* GraphicOfRealRow(Integer ACol, Integer ARow);
    bool TextIsCheckTrue(Integer ACol, Integer ARow);
    String CheckText(Integer ACol, Integer ARow, bool State);
    bool UserMayChange(Integer ACol, Integer ARow, bool ByUser, bool AlwaysActive);
    static TCheckBoxState NextTriState(TCheckBoxState State);
    // Text formatting and measuring.
    void AppendGroupCount(Integer ARow, String& Value);
    // Measuring (ExGrid_Measure.cpp).
    void SetMeasureFont(Integer ACol, Integer DisplCol, Integer ARow);
    TRect MeasureRect(Integer DisplCol, Integer ARow, bool SB);
    TSize MeasureHTMLText(const String& Text, TRect R, bool VS);
    TSize MeasurePlainText(Integer ACol, Integer ARow, String Text, Integer Kind, TRect R, bool VS);
    static TSize RotatedSize(TSize Size, Integer Angle);
    // Graphic sizes (ExGrid_GraphicSizes.cpp).
    TPoint CellPixelSize(Integer ACol, Integer ARow) const;
    std::optional<TPoint> CommonGraphicSize(const TCellGraphic* G, Integer ARow);
    TPoint GridImageSize();
    TPoint InterfaceSize(const TCellGraphic* G, TPoint Cell) const;
    TPoint RadioGroupSize(const TCellGraphic* G, bool Print);
    TPoint ImagesSize(const TCellGraphic* G);
    TPoint ButtonSize(const TCellGraphic* G, bool HasText);
    TCellGraphic* RadioGroup(Integer ACol, Integer ARow);
    TCellGraphic* CreateRadioGraphic(Integer ACol, Integer ARow, Integer DirRadio, Integer IdxRadio);
    TCellGraphic* RadioButton(Integer ACol, Integer ARow);
    // Drawing cell graphics (ExGrid_GraphicPaint.cpp). While painting a
    // text that is no number reads as 0.
    Double PaintFloat(Integer ACol, Integer ARow);
    TRect PlaceCellGraphic(TRect R, TCellGraphic* Graphic, Integer GW, Integer GH, Integer TW, TAlignment HA,
                           TVAlignment VA);
    void DrawCellCheck(TCanvas* Canvas, Integer ACol, Integer ARow, TCellGraphic* G, TRect P);
    void DrawCellGraphicKind(TCanvas* Canvas, Integer ACol, Integer ARow, TGridDrawState AState, TRect R, TRect P,
                             TCellGraphic* G, TAlignment HA, TVAlignment VA);
    void DrawCellProgress(TCanvas* Canvas, Integer ACol, Integer ARow, TRect R, TCellGraphic* G);
    void DrawCellXPProgress(TCanvas* Canvas, Integer ACol, Integer ARow, TRect R, TCellGraphic* G);
    void DrawCellComment(TCanvas* Canvas, TRect R, TCellGraphic* G);
    void DrawCellRating(TCanvas* Canvas, Integer ACol, Integer ARow, TRect P, TCellGraphic* G);
    void DrawCellButton(TCanvas* Canvas, Integer ACol, Integer ARow, TRect R, TRect P, TCellGraphic* G);
    void DrawRotatedCell(TCanvas* Canvas, Integer ACol, Integer ARow, TRect R, Integer Angle, TAlignment HA,
                         TVAlignment VA);
    void DrawCellNode(TCanvas* Canvas, Integer ARow, TGridDrawState AState, TRect R, bool Collapsed);
    // Cell graphic kinds (ExGrid_GraphicKinds.cpp).
    TCellGraphic* GraphicOfType(Integer ACol, Integer ARow, TCellType Kind);
    TCellGraphic* BaseGraphicOfType(Integer ACol, Integer ARow, TCellType Kind);
    void AddProgressGraphic(Integer ACol, Integer ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                            TColor BKTextColor, bool TextColors, const String& Fmt, Double Min, Double Max);
    void ForEachDisplayCell(const std::function<void(Integer, Integer)>& Action);
    void ApplyAutoScrollRange(Integer ACol, Integer ARow);
    // The new position clamped to the bar's range; answers whether it moved.
    bool CellScrollBarMessage(TWMScroll& Message);
    Integer FScrollCol = -1;
    Integer FScrollRow = -1;
    // Looks: Role is a preset step's role (ExGrid_Looks.cpp).
    void ApplyClassicLook(TGridLook Value);
    void ApplyLookStep(int Role, TColor Value);

    // Scrolling (ExGrid_Scroll.cpp).
    // The two thin scroll controls of ssMetro, in place of the window's bars.
    void InstallThinScrollControls();
    THTMLHintWindow* ScrollHintWindow();
    // The scroll hint and the synchronous scroll of a scroll message;
    // answers the first row (column) its thumb position stands for.
    Integer ThumbScroll(const TWMScroll& Message, bool Rows);
    // While a thumb is dragged the hint shows Prefix and Target at the
    // mouse cursor; the end of the scroll closes it.
    void ScrollHint(Word ScrollCode, const String& Prefix, Integer Target);
    void HideEditorOnCheckBox();
    void FreeDragTimer();
    void DragScrollTick(TObject* Sender);
    // The footer (ExGrid_Footer.cpp): one column's value into the last row.
    void CalcFooterColumn(Integer ACol, Integer HiddenRows);
    // Calculations (ExGrid_Calc.cpp): a column range as given (From, To)
    // and the rows that exist of it (FirstRead, LastRead).
    struct TCalcRange {
        Integer From, To, FirstRead, LastRead;
        bool ByRealRow;
    };
    // Whether a column range up to ToRow counts by real row.
    bool CountsByRealRow(Integer ToRow);
    TCalcRange ColumnCalcRange(Integer FromRow, Integer ToRow);
    void ForCalcRows(const TCalcRange& Range, const std::function<void(Integer ARow)>& Visit);
    // Node and summary rows while grouped, and cells under a merged cell.
    bool CalcSkipsRow(Integer ACol, Integer ARow, bool ByRealRow);
    std::optional<Double> CalcValue(Integer ACol, Integer ARow, bool ByRealRow);
    // The values of a real column over the rows the sum reads.
    std::vector<Double> ColumnValues(Integer ACol, Integer FromRow, Integer ToRow);
    std::vector<Double> RowValues(Integer ARow, Integer FromCol, Integer ToCol);
    // Finding (ExGrid_Find.cpp): the bounds of a scan, in its index space.
    struct TFindBounds {
        Integer Left = 0, Top = 0, Right = -1, Bottom = -1;
    };
    Integer TypeAheadColumn();
    String FindCellText(Integer c, Integer r, TFindParams P);
    void SetFindCellText(Integer c, Integer r, TFindParams P, const String& Value);
    bool MatchFindCell(Integer c, Integer r, bool Wide);
    TFindBounds FindBounds(TFindParams P);
    TPoint FirstFindCell(TPoint Start, const TFindBounds& B, TFindParams P);
    TPoint ScanFind(TPoint Start, const TFindBounds& B, bool Wide);
    bool NothingToFind(TFindParams P);
    static bool InFindBounds(TPoint Cell, const TFindBounds& B);
    TPoint DoFind(TPoint StartCell, const String& s, TFindParams FindParams, bool Wide);
    void ExpandNodeHolding(Integer ARealRow);
    void GotoFound(TPoint Found, TFindParams P);
    void ScrollAfterFind();
    // Highlighting (ExGrid_Highlight.cpp): column ranges in Left..Right,
    // row ranges in Top..Bottom.
    TRect TagColumns(bool DoFixed, bool PlusHidden);
    TRect TagRows(bool DoFixed);
    static TRect OneCell(Integer Index);
    String TaggableText(Integer ACol, Integer ARow);
    void ForTagCells(TRect Cols, TRect Rows, const std::function<void(Integer ACol, Integer ARow)>& Do);
    void InsertTagsInRange(const String& Tag, bool DoCase, TRect Cols, TRect Rows, const String& Text);
    void RemoveTagsInRange(const String& Tag, TRect Cols, TRect Rows);
    // Grouping (ExGrid_Group.cpp).
    void SetGroupRowLook(Integer ARow, TColor AColor, TColor AColorTo, TColor ATextColor);
    void MergeGroupRow(Integer ACol, Integer ARow, TColor AColor, TColor AColorTo, TColor ATextColor);
    void ApplyHeaderLook(Integer ACol, Integer ARow);
    void ApplySummaryLook(Integer ACol, Integer ARow);
    void ClearGroupRowLook(Integer ACol, Integer ARow);
    void InsertSummaryRow(Integer ARow, Integer LookCol);
    void RememberGroupColumn(Integer ColIndex);
    // Header (and summary) rows over data rows holding Values in order.
    void BuildGroups(const std::vector<String>& Values);
    void ExpandFirstNode();
    // Removes header and summary rows; the group text of each data row left.
    std::vector<String> TakeGroupsApart();
    void RemoveGroupRow(Integer ARow);
    Double GroupValue(Integer ColIndex, Integer Method, Integer FromRow, Integer ToRow);
    void SetFooterCalcAfterGroupCalc(Integer ColIndex, Integer Method);
    // Search bar (ExGrid_SearchFooter.cpp).
    void WireSearchPanel();
    void SearchFooterButtonLook();
    bool SearchFooterHighlighting() const;
    // The parameters typing and the buttons share.
    TFindParams SearchFooterParams();
    void SearchFooterUnHighlight();
    void SearchFooterHighlightText();
    void SetSearchEditColor(TColor Value);
    void SearchFooterFind(bool Backward);
    void KeepFoundRowAboveFooter();

    // The cells of a fill, rows outer and columns inner.
    void ForFillRange(bool DoFixed, const std::function<String(Integer ACol, Integer ARow)>& Text);
    // Node rows (ExGrid_Nodes.cpp); display rows unless named real.
    TCellGraphic* NodeGraphic(Integer ARow);
    Integer RowNodeLevel(Integer ARow);
    void AddToNodeLevels(Integer FromRow, Integer ToRow, Integer Delta);
    // The display row after the node's rows (its span, else the next node row).
    Integer NodeEnd(Integer ARow);
    Integer NextNodeRow(Integer ARow);
    void ExpandNodeRows(Integer ARealRow);
    void DropNode(Integer ARow);
    void GrowNode(Integer ARow, Integer Delta);
    // Inserts a row at a display row; hidden rows from the new row's real index on move up.
    void InsertRowAtDispl(Integer ARow);
    void MoveRowContent(Integer FromRow, Integer ToRow);
    // The grouping branches of the check-box toggle.
    void CheckNodeRows(Integer ACol, Integer ARow, bool State);
    void CheckParentNode(Integer ACol, Integer AParent);
    // Selection.
    Integer FlagRow(Integer ARow) const;
    void CheckColumnIndex(Integer ACol) const;
    ITExStringGridSelect* FISelect = nullptr;
    bool FSelHidden = false;
    TGridRect FOldSelection;
    bool FUseEnabledRows = false;
    bool FSelChange = false;
    // Painting: ACol is a display column; a cell's colours before the
    // selection look.
    bool IsHeaderCell(Integer ACol, Integer ARow);
    TColor FUnselectedBrushColor = clNone;
    TColor FUnselectedFontColor = clNone;

    // Cell access, row operations and clearing (ExGrid_Access.cpp,
    // ExGrid_Rows.cpp, ExGrid_Clear.cpp).
    // While set, clearing drops a cell's object without freeing it.
    bool FNilObjects = false;
    bool FBlockCellChange = false;
    void SetStoredColor(TColor& Field, TColor Value);
    // clNone into one colour of each cell of the row; properties left at
    // their defaults go.
    void ResetRowColor(Integer j, void (TCellProperties::*Reset)(TColor));
    bool IsDefaultProperties(Integer ACol, Integer ARow);
    // Frees a cell's graphic and properties.
    void FreeCellSlot(Integer ACol, Integer ARow);
    // Hidden rows move up by the removed real rows (ascending) before them.
    void RenumberAfterRemoval(const std::vector<Integer>& RemovedReal);
    std::vector<Integer> RealRowsOf(Integer RowIndex, Integer RCount) const;
    // Hides and drops the hosted controls of the removed real rows
    // (columns); those after them move up (left).
    void DropRowControls(const std::vector<Integer>& RemovedReal);
    void DropColumnControls(Integer ColIndex, Integer CCount);
    void DeleteRowFlags(Integer RowIndex, Integer RCount, bool Selection);
    void RemoveStoreRows(Integer RowIndex, Integer RCount, bool MoveHeights);
    void SetRowCountInPlace(Integer Value);
    void RestoreCurrentRowAfterRemoval(Integer OldRow, Integer OldTopRow);
    void ShiftColumnTables(Integer From, Integer Count);
    // Removes the display rows from the bottom up, freeing their cells.
    void RemoveRowsBottomUp(const std::vector<Integer>& Rows);
    void HideRowsBottomUp(const std::vector<Integer>& Rows);
    // Display columns; their flags go with them under disjunct selection.
    void RemoveDisplayCols(const std::vector<Integer>& Cols);
    std::vector<Integer> ColsBySelection(bool Selected);
    void EditEverySlotRow(const std::function<void(TStringGrid::TSlotRow&)>& Edit);

    // ----------------------------------------------------------- focus, sizing, wheel, zoom, panning
    // (ExGrid_Focus.cpp, ExGrid_Wheel.cpp, ExGrid_Pan.cpp)
public:
    // Every width and height grows by x; ignored as a whole when ZoomFactor
    // would leave -10 .. 10.
    void Zoom(Integer x);
    // The grid moves the focus itself: the next focus message is ignored.
    bool InvokedFocusChange = false;
    bool Panning() const { return FWheelPan; }

protected:
    void DoEnter() override;
    void DoExit() override;
    void WMSetFocus(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;
    void WMSize(TWMSize& Message) override;
    void CalcSizingState(Integer X, Integer Y, TGridState& State, Integer& Index, Integer& SizingPos,
                         Integer& SizingOfs) override;
    void TopLeftChanged() override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    // The wheel message while no panning runs.
    void WMMouseWheelGrid(TMessage& Message);
    void WheelNotch(bool TowardUser, TShiftState Shift, TPoint MousePos, TMessage& Message);
    bool DoMouseWheelStep(bool Down, TShiftState Shift, TPoint MousePos);

private:
    void SynchColumnWidths(Integer W);
    // Answers whether the stretch column grew.
    bool StretchOnSize();
    void UpdateBarsAfterSize();
    bool FocusCellInView();
    // Panning (ExGrid_Pan.cpp): true when the message was the panning's.
    bool PanMessage(TMessage& Message);
    void StartPanning(Integer X, Integer Y);
    void EndPanning();
    void PanTick();
    TCursor PanCursor(Integer V, Integer H) const;
    void PaintPanMark();
    bool FDisableSize = false;
    // What is left of the wheel below one notch, for the next turn.
    Integer FWheelRest = 0;
    bool FWheelPan = false;
    TPoint FWheelPanPos{0, 0};
    TCursor FPrevCursor = crDefault;
    TCursor FICursor = crDefault;

    // ----------------------------------------------------------- cell links and mini-HTML controls
    // (ExGrid_Links.cpp)
public:
    void StartHTMLControlEdit(const String& Text, const String& CtrlType, const String& CtrlID,
                              const String& CtrlVal, TRect CtrlRect, Integer ACol, Integer RealCol, Integer ARow);
    void EndHTMLControlEdit();
    void ControlComboSelect(TObject* Sender);
    TControlEdit* HTMLControlEdit() const { return FEditControl; }
    TControlCombo* HTMLControlCombo() const { return FComboControl; }
    // Enter (Tab false) or Tab pressed in a control editor.
    void EndHTMLControlEditByKey(bool Tab);

protected:
    friend class TEditLink;
    // The link step of a press on the base cell (ACol display, RealCol, ARow)
    // pressed as (OrigCol, OrigRow) at (X, Y): true when the press ends.
    bool LinkPress(Integer ACol, Integer RealCol, Integer ARow, Integer OrigCol, Integer OrigRow, Integer X,
                   Integer Y);
    // What the renderer finds at (X, Y) in a mini-HTML cell: the anchor
    // ("ctrl" for a form control) and the control's ID, value, type and place.
    struct THTMLHit {
        String Anchor;
        String CID;
        String CV;
        String CT;
        TRect CtrlRect{0, 0, 0, 0};
    };
    THTMLHit HitTestHTML(const String& Text, Integer ACol, Integer ARow, Integer X, Integer Y);

private:
    bool ControlClick(String& Text, const THTMLHit& Hit, Integer ACol, Integer RealCol, Integer ARow);
    void HandleAnchor(const String& Anchor);
    // The cell of the control being edited or pressed: real column, display row.
    TPoint FCtrlXY{-1, -1};
    String FCtrlID;
    String FCtrlType;
    bool FCtrlEditing = false;
    bool FCtrlDown = false;

    // ----------------------------------------------------------- OLE drag and drop (ExGrid_DragDrop.cpp)
public:
    // A column name is being dragged from entry AIndex of the list box AList.
    void OleColumnDragStart(Integer ACol, Integer AIndex, TCustomListBox* AList);
    bool OleDropTargetAssigned() const { return FOleDropTargetAssigned; }

protected:
    friend class TGridDropTarget;
    friend class TGridDropSource;
    // The OLE drag of the mouse movement: true when a drag ran.
    bool OleDragStart(Integer ACol, Integer ARow, Integer X, Integer Y, bool InResizer);

private:
    void DropTargetChanged(TObject* Sender);
    // The cell under the screen point Pt; with OleEntireRows and
    // OleAppendRows a point below the last row appends (not for columns).
    void OleDropCell(TPoint Pt, bool IsColumn, Integer& ACol, Integer& ARow, bool& Append);
    void OleColumnDrag(TGridDropSource* Source, Integer RealCol, TPoint Pt);
    void OleCellDrag(TGridDropSource* Source, Integer RealCol, Integer ARow);
    void ShowDragCellsForm(Integer RealCol, TPoint Pt);
    // After a move out of the grid: the dragged rows go, or their cells are cleared.
    void RemoveDraggedCells();
    void HideDropArrows();
    TInterfacePtr<IDropTarget> FGridDropTarget;
    bool FOleDropTargetAssigned = false;
    Integer FOleDragCol = -1;
    Integer FOleDragIndex = -1;
    TCustomListBox* FOleDragList = nullptr;
    // Hints were on before panning switched them off.
    bool FPanShowHint = false;
};

template <class T>
void TExStringGrid::SetAndInvalidate(T& Field, T Value)
{
    if (Field == Value)
        return;
    Field = Value;
    Invalidate();
}

// X limited to 0 .. 100.
Integer ClampPercent(Integer X);
// The date and time pickers need common controls above 4.69; set when
// the grid unit starts, from the library's file version.
extern bool DoDatePicker;

// Whether the cell's state is its data: data, virtual and row check boxes, data images.
bool HasDataGraphic(TExStringGrid* Grid, Integer ACol, Integer ARow);

// The text of a rich-text cell without its markup.
String RichCellPlainText(const String& Rtf);

// The unit-wide cursor over links and anchors.
extern TCursor ExGridLinkCursor;
// One of the grid's own cursors by number (drawings in the grid's
// resources), put into the screen's table on first use.
TCursor GridResourceCursor(TCursor Number);

// ---------------------------------------------------------------------------
// Services of the grid unit (ExGrid_UnitServices.cpp). The separators and the
// short date format are read by ExUtil's readers.

// The high 32 bits of the file version (major << 16 | minor): 393216 (6.0)
// for the common-controls library "comctl32.dll" in any letter case; -1 for
// any other file, which carries no version resource here, and for names
// longer than 259 characters.
Integer GetFileVersion(const String& FileName);
// The window lets every mouse event through to what lies below it.
void SetWindowTransparent(HWND Handle);
String GetShortTimeFormat();
String GetLongTimeFormat();
// The window hook: while a grid shows its glow, moving or sizing any
// top-level window moves the glow along. Installed once; removing it ends
// the watching.
void InstallGridWndHook();
void RemoveGridWndHook();
bool GridWndHookInstalled();
// The grid that shows its glow, else nil.
TExStringGrid* FocusGrid();

// ---------------------------------------------------------------------------
// Start and end of the grid unit (ExGrid_Unit.cpp): the program entry and the
// test main start it before any grid exists and end it at exit. Starts nest:
// only the first start and the last end do anything.
void InitExGridUnit();
void DoneExGridUnit();
bool ExGridUnitStarted();
// The grid's cells on the clipboard and in drags.
inline constexpr const char* GridCellsMimeType = "application/x-exstringgrid-cells";
// Registered when the unit starts; 0 before.
extern UINT CF_GRIDCELLS;
// The size and ID of a cell block's header (grid/data/ExGrid_BinBlock.cpp);
// "Invalid stream format" when the bytes hold no header.
struct TBinBlockHeader {
    Integer ColCount = 0;
    Integer RowCount = 0;
    Int64 ID = 0;
};
TBinBlockHeader BinBlockHeader(const QByteArray& Block);
extern UINT WM_GRIDEDITDONE;
extern UINT WM_GRIDDTPSHIFTFOCUS;
