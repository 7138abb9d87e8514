#pragma once
// The grid drop-down: an edit whose pop-up holds a whole string grid with a
// header row. The rows come from the control's items (items mode) or are
// filled by the owner into the inner grid (grid mode); the edit shows the
// chosen row's text in the lookup column, and typing looks up, narrows the
// list or completes the text. The multi-column drop-down has classes of the
// same names, so this unit keeps its own in the namespace exgriddropdown;
// its columns and items are the same kinds of collections.
#include "controls/dropdown/ExDropDown.h"
#include "controls/dropdown/ExMultiColumnDropDown.h"
#include "grid/control/ExGrid.h"

#include <memory>

namespace exgriddropdown {

RTL_NAMED_ENUM(TDropDownStyle, dsDropDown, dsDropDownList)
RTL_NAMED_ENUM(TGridSorting, gsNone, gsSingleColumn, gsMultiColumn)
RTL_NAMED_ENUM(TLookupMethod, lmLookup, lmNarrowDown, lmNone)
using exmulticolumn::TColumnType;
using exmulticolumn::ctImage;
using exmulticolumn::ctText;
using exmulticolumn::TDropDownColumn;
using exmulticolumn::TDropDownColumns;
using exmulticolumn::TDropDownItem;
using exmulticolumn::TDropDownItems;

class TCustomExGridDropDown;

// The list in the pop-up: a string grid with the header as its one fixed
// row and whole rows selected.
class TExColGrid : public TExStringGrid {
public:
    explicit TExColGrid(TComponent* AOwner);
    ~TExColGrid() override;

    TCustomExGridDropDown* ExDropDown() const { return FExDropDown; }
    TDropDownColumns* Columns() const { return FColumns.get(); }
    void SetColumns(TDropDownColumns* Value) { FColumns->Assign(Value); }
    TFont* HeaderFont() const { return FHeaderFont.get(); }
    void SetHeaderFont(TFont* Value) { FHeaderFont->Assign(Value); }
    RTL_STORED_PROPERTY(TColor, HeaderColor, clWhite)
    RTL_STORED_PROPERTY(TColor, HeaderColorTo, TColor(0x808080))
    RTL_STORED_PROPERTY(TColor, LineColor, TColor(0x808080))
    RTL_STORED_PROPERTY(TColor, FixedLineColor, TColor(0xD1BBA4))
    RTL_STORED_PROPERTY(Integer, HeaderHeight, 25)
    // The measuring list (the drop-down's Images).
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* Value) { FImages = Value; }
    bool ConfirmSelection() const { return FConfirmSelection; }
    void SetConfirmSelection(bool Value) { FConfirmSelection = Value; }
    bool MouseWheelSelection() const { return FMouseWheelSelection; }

    // Takes the drop-down's columns, sizes and looks (and links to it).
    void ApplyDropDownSettings(TCustomExGridDropDown* ADropDown);
    // Rebuilds the cells from the drop-down's items; column 0's cell object
    // of each data row holds the item's index, -1 in the header.
    void FillFromItems();
    // The widest content of an AutoSize column (items mode, on the pop-up).
    void AutoSizeColumn(Integer Index);
    // Rows as high as their word-wrapped columns need.
    void UpdateRowHeights();
    // The data rows do not all show.
    bool RowsHidden() const;
    // The item a row shows (its cell object of column 0).
    Integer ItemAt(Integer ARow) const;
    void SetItemAt(Integer ARow, Integer Item);
    virtual void DoSelect();

    TNotifyEvent OnSelect;
    TNotifyEvent OnDrawCell;
    TNotifyEvent OnGetCellProp;
    TNotifyEvent OnGetCellText;

protected:
    void KeyPress(Char& Key) override;
    void WMKeyDown(TWMKey& Message) override;
    void WMChar(TWMKey& Message) override;
    void WMGetDlgCode(TWMGetDlgCode& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void TopLeftChanged() override;
    void DoStartBlockFocus() override;
    void DoEndBlockFocus() override;

private:
    friend class TCustomExGridDropDown;
    // The canvas of the pop-up while the grid stands on it, else null.
    TCanvas* MeasureCanvas() const;
    TFont* ColumnFont(Integer Index) const;
    // The image part of a cell of column Index in data row ARow.
    Integer ImagePart(Integer Index, Integer ARow, Integer Extra, bool Height) const;
    bool WheelStep(bool Down, TShiftState Shift, TPoint MousePos);
    void SetBlockActivate(bool Value) const;

    TCustomExGridDropDown* FExDropDown = nullptr;
    std::unique_ptr<TDropDownColumns> FColumns;
    std::unique_ptr<TFont> FHeaderFont;
    TImageList* FImages = nullptr;
    mutable std::unique_ptr<TBitmap> FMeasure;
    Integer FOldRow = -1;
    bool FMouseWheelSelection = false;
    bool FConfirmSelection = false;
};

class TCustomExGridDropDown : public TExCustomDropDown {
public:
    explicit TCustomExGridDropDown(TComponent* AOwner);
    ~TCustomExGridDropDown() override;

    void AfterConstruction() override;
    void Loaded() override;
    Integer GetVersionNr() const override;

    // Settings of the list.
    RTL_STORED_PROPERTY(bool, AutoShowDropDown, false)
    RTL_STORED_PROPERTY(bool, AutoSizeColumns, true)
    RTL_STORED_PROPERTY(bool, CaseSensitive, false)
    RTL_STORED_PROPERTY(bool, DropDownAutoWidth, true)
    RTL_STORED_PROPERTY(TColor, LineColor, clSilver)
    RTL_STORED_PROPERTY(TColor, FixedLineColor, TColor(0xD1BBA4))
    RTL_STORED_PROPERTY(bool, ColumnSizing, false)
    RTL_STORED_PROPERTY(bool, ColumnMoving, false)
    RTL_STORED_PROPERTY(bool, RowSizing, false)
    RTL_STORED_PROPERTY(bool, RowMoving, false)
    RTL_STORED_PROPERTY(bool, ColumnSizeWithDropDown, true)
    RTL_STORED_PROPERTY(bool, GridEditable, false)
    RTL_STORED_PROPERTY(TColor, HeaderColor, clWhite)
    RTL_STORED_PROPERTY(TColor, HeaderColorTo, TColor(0x808080))
    RTL_STORED_PROPERTY(Integer, HeaderHeight, 25)
    RTL_STORED_PROPERTY(bool, HoverRow, false)
    RTL_STORED_PROPERTY(TColor, HoverRowColor, TColor(0xFF000018))
    RTL_STORED_PROPERTY(TColor, HoverRowColorTo, clNone)
    RTL_STORED_PROPERTY(Integer, LookupColumn, 0)
    RTL_STORED_PROPERTY(TLookupMethod, LookupMethod, lmLookup)
    RTL_STORED_PROPERTY(bool, RowSelect, true)
    RTL_STORED_PROPERTY(TColor, SelectionTextColor, clBlack)
    RTL_STORED_PROPERTY(TGridSorting, Sorting, gsNone)
    RTL_STORED_PROPERTY(bool, UseItems, true)
    RTL_STORED_PROPERTY(bool, MatchCase, false)
    // Stored only: lookup and completion match at the start.
    RTL_STORED_PROPERTY(bool, MatchStart, true)
    Integer DropDownRowHeight() const { return FDropDownRowHeight; }
    // Values below 1 are stored as 1: the pop-up height divides by it.
    void SetDropDownRowHeight(Integer Value) { FDropDownRowHeight = std::max(Value, 1); }
    TBands* Bands() const { return FBands.get(); }
    void SetBands(TBands* Value) { FBands->Assign(Value); }
    TDropDownColumns* Columns() const { return FColumns.get(); }
    void SetColumns(TDropDownColumns* Value) { FColumns->Assign(Value); }
    TDropDownItems* Items() const { return FItems.get(); }
    void SetItems(TDropDownItems* Value) { FItems->Assign(Value); }
    TImageList* GridImages() const { return FGridImages; }
    void SetGridImages(TImageList* Value);
    TFont* HeaderFont() const { return FHeaderFont.get(); }
    void SetHeaderFont(TFont* Value) { FHeaderFont->Assign(Value); }
    TMouseActions* MouseActions() const { return FMouseActions.get(); }
    TNavigation* Navigation() const { return FNavigation.get(); }
    TSearchFooter* SearchFooter() const { return FSearchFooter.get(); }
    TDropDownStyle Style() const { return FStyle; }
    void SetStyle(TDropDownStyle Value);
    Integer ItemIndex() const { return FItemIndex; }
    void SetItemIndex(Integer Value);
    Integer RowCount() const { return FItems->Count(); }
    String Text() const { return GetText(); }
    // The inner grid.
    TExColGrid* GetGrid() const { return FGrid; }

    // Nothing to prepare; EndUpdate rebuilds the lookup list.
    void BeginUpdate() {}
    void EndUpdate() { BuildLookupItems(); }
    // The first item (items mode) or grid row (grid mode) whose lookup text
    // begins with Key; FoundText is that text as stored.
    bool FindLookupRow(const String& Key, String& FoundText, Integer& Row) const;
    // The typed-character lookup: the row found, or -1.
    Integer LookupChar(Char Ch);
    void BuildLookupItems();
    const TStringList* LookupItems() const { return FLookupItems.get(); }
    const String& LookupEntry() const { return FLookupEntry; }

    void SelectFirstItem();
    void SelectLastItem();
    void SelectNextItem();
    void SelectPreviousItem();
    void SelectNextPage();
    void SelectPreviousPage();
    // The item shown in a grid row, and the first row showing an item.
    Integer ItemOfRow(Integer ARow) const;
    Integer RowOfItem(Integer AItem) const;

    void SetComponentStyle(TQVXStyle AStyle) override;
    void SetSelectionColorStyle(TSelectionColorStyle Value) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // The framework's operations.
    void CreateDropDownForm() override;
    void DoBeforeDropDown() override;
    void AdjustDropDownHeight(Integer& Height) override;
    void DoShowDropDown() override;
    void PlaceDropDownControl() override;
    void UpdateDropDownSize() override;
    void DoHideDropDown(bool Cancel) override;
    void ControlKeyDown(Word& Key, TShiftState Shift) override;
    void ControlKeyUp(Word& Key, TShiftState Shift) override;
    void ControlKeyPress(Char& Key) override;
    void DropDownResized() override;
    void SelectNext() override;
    void SelectPrevious() override;
    // The pop-up keeps the wheel from the edit; the list steps its
    // highlight itself, without choosing.
    void FormMouseWheelDown() override {}
    void FormMouseWheelUp() override {}
    // Spreads the columns' widths over the pop-up's width.
    void FitColumnsToDropDown();

    virtual TDropDownItems* CreateItems();

    TNotifyEvent OnSelect;
    // The inner grid's events, raised with the grid as Sender (the drop-down
    // for the key events).
    decltype(TExStringGrid::OnAnchorClick) OnGridAnchorClick;
    decltype(TExStringGrid::OnAnchorEnter) OnGridAnchorEnter;
    decltype(TExStringGrid::OnAnchorExit) OnGridAnchorExit;
    decltype(TExStringGrid::OnAnchorHint) OnGridAnchorHint;
    decltype(TExStringGrid::OnAutoAddRow) OnGridAutoAddRow;
    decltype(TExStringGrid::OnAutoInsertRow) OnGridInsertRow;
    decltype(TExStringGrid::OnAutoDeleteRow) OnGridDeleteRow;
    decltype(TExStringGrid::OnAutoInsertCol) OnGridInsertCol;
    decltype(TExStringGrid::OnCanAddRow) OnGridCanAddRow;
    decltype(TExStringGrid::OnCanDeleteRow) OnGridCanDeleteRow;
    decltype(TExStringGrid::OnCanInsertRow) OnGridCanInsertRow;
    decltype(TExStringGrid::OnButtonClick) OnGridButtonClick;
    decltype(TExStringGrid::OnCanEditCell) OnGridCanEditCell;
    decltype(TExStringGrid::OnCheckBoxClick) OnGridCheckBoxClick;
    // Held, not raised: the control sorts the list itself.
    decltype(TExStringGrid::OnCanSort) OnGridCanSort;
    decltype(TExStringGrid::OnClickSort) OnGridClickSort;
    decltype(TExStringGrid::OnCustomCompare) OnGridCustomCompare;
    decltype(TExStringGrid::OnRawCompare) OnGridRawCompare;
    decltype(TExStringGrid::OnColumnSize) OnGridColumnSize;
    decltype(TExStringGrid::OnEndColumnSize) OnGridEndColumnSize;
    decltype(TExStringGrid::OnColumnSizing) OnGridColumnSizing;
    decltype(TExStringGrid::OnRowSize) OnGridRowSize;
    decltype(TExStringGrid::OnRowSizing) OnGridRowSizing;
    decltype(TExStringGrid::OnEndRowSize) OnGridEndRowSize;
    decltype(TExStringGrid::OnRowMove) OnGridRowMove;
    decltype(TExStringGrid::OnRowMoving) OnGridRowMoving;
    decltype(TExStringGrid::OnRowMoved) OnGridRowMoved;
    decltype(TExStringGrid::OnColumnMove) OnGridColumnMove;
    decltype(TExStringGrid::OnColumnMoving) OnGridColumnMoving;
    decltype(TExStringGrid::OnColumnMoved) OnGridColumnMoved;
    decltype(TExStringGrid::OnCustomCellDraw) OnGridCustomCellDraw;
    decltype(TExStringGrid::OnCustomCellBkgDraw) OnGridCustomCellBkgDraw;
    decltype(TExStringGrid::OnGetAlignment) OnGridGetAlignment;
    decltype(TExStringGrid::OnGetCellColor) OnGridGetCellColor;
    decltype(TExStringGrid::OnGetCellGradient) OnGridGetCellGradient;
    decltype(TExStringGrid::OnGetFloatFormat) OnGridGetFloatFormat;
    decltype(TExStringGrid::OnGetEditorType) OnGridGetEditorType;
    decltype(TExStringGrid::OnGetEditorProp) OnGridGetEditorProp;
    decltype(TExStringGrid::OnEllipsClick) OnGridEllipsClick;
    decltype(TExStringGrid::OnGetDisplText) OnGridGetDiplText;
    decltype(TExStringGrid::OnGetFormat) OnGridGetFormat;
    decltype(TExStringGrid::OnGridHint) OnGridHint;
    decltype(TExStringGrid::OnCellBalloon) OnGridCellBalloon;
    TMouseMoveEvent OnGridMouseMove;
    TMouseEvent OnGridMouseDown;
    TMouseEvent OnGridMouseUp;
    TKeyEvent OnGridKeyDown;
    TKeyEvent OnGridKeyUp;
    TKeyPressEvent OnGridKeyPress;
    decltype(TExStringGrid::OnRightClickCell) OnGridRightClickCell;
    decltype(TExStringGrid::OnScrollHint) OnGridScrollHint;
    TNotifyEvent OnGridTopLeftChanged;
    decltype(TExStringGrid::OnSearchEditChange) OnGridSearchEditChange;
    decltype(TExStringGrid::OnSpinClick) OnGridSpinClick;

protected:
    void DoEnter() override;
    void WMKeyDown(TWMKey& Message) override;
    void WMChar(TWMKey& Message) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(Char& Key) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void Change() override;

private:
    friend class TExColGrid;
    static bool AltDown();
    Integer DataRowCount() const;
    Integer ChoiceCount() const { return FUseItems ? FItems->Count() : DataRowCount(); }
    // The lookup text of item Index, empty when it has none.
    String LookupText(Integer Index) const;
    // The lookup cell of a grid row, empty outside the grid.
    String GridLookupText(Integer ARow) const;
    // The edit's text set by the control itself: it completes nothing.
    void SetOwnText(const String& Value);
    // Items: item index; grid: the row's data index.
    void ChooseRow(Integer ARow);
    void ApplySortIndicator();
    void ConnectGridEvents();
    void GridSelectCell(Integer ARow);
    void GridSelect();
    void GridCanSort();
    void GridClickSort();
    // ItemIndex and text of a found row (item index in items mode).
    void ShowFoundRow(Integer Found, const String& FoundText, bool SelectRest);
    // The position of T in the lookup list, case ignored; -1 when absent.
    Integer LookupIndexOf(const String& T) const;
    // Text and selection of a found entry, the typed part first.
    void ShowWithRest(const String& T, Integer Typed);
    void MoveToListRow(Integer ARow);
    bool CanComplete() const { return FLookupColumn >= 0 && FItems->Count() > 0; }
    void Complete();
    void EndGridCellEdit(Word& Key);

    std::unique_ptr<TFont> FHeaderFont;
    std::unique_ptr<TDropDownItems> FItems;
    std::unique_ptr<TDropDownColumns> FColumns;
    std::unique_ptr<TStringList> FLookupItems;
    std::unique_ptr<TSearchFooter> FSearchFooter;
    std::unique_ptr<TBands> FBands;
    std::unique_ptr<TNavigation> FNavigation;
    std::unique_ptr<TMouseActions> FMouseActions;
    TExColGrid* FGrid = nullptr;
    TImageList* FGridImages = nullptr;
    TDropDownStyle FStyle = dsDropDown;
    Integer FDropDownRowHeight = 22;
    Integer FItemIndex = -1;
    Integer FSelRow = -1;
    String FLookupEntry;
    Integer FOldItemIndex = -1;
    Integer FTempItemIndex = -1;
    bool FWorkMode = true;
    bool FItemChange = false;
    Integer FItemIdx = -1;
    Integer FItemSel = 0;
    bool FBalloonInit = false;
    bool FOwnText = false;
};

} // namespace exgriddropdown
