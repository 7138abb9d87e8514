#pragma once
// Grids: the framework's grid controls over a Qt scroll area.
//
// TCustomGrid owns one QAbstractScrollArea (its Handle). The scroll area's
// viewport is the grid's client area: cells are painted on it, mouse input
// on it reaches the grid in client coordinates, and child controls (the
// in-place editor) live on it. The two scroll bars are the scroll area's;
// their actions arrive as WM_HSCROLL / WM_VSCROLL with positions 0 to 127.
// TDrawGrid adds the events, TStringGrid one text and one object per cell.
// docs/architecture.md describes the layout and the behaviour.
#include "rtl/Controls.h"
#include "rtl/Mask.h"
#include "rtl/StdCtrls.h"

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

class TCustomGrid;
class TGridWidget;

// Where an index lands when the entry at From moves to To (the entries
// between shift by one).
Integer MovedIndex(Integer Index, Integer From, Integer To);

RTL_DECLARE_EXCEPTION(EInvalidGridOperation, Exception)

enum TGridOption {
    goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goDrawFocusSelected,
    goRowSizing, goColSizing, goRowMoving, goColMoving, goEditing, goTabs, goRowSelect,
    goAlwaysShowEditor, goThumbTracking
};
using TGridOptions = TSet<TGridOption>;

enum TGridState { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };

enum TGridDrawStateItem { gdSelected, gdFocused, gdFixed };
using TGridDrawState = TSet<TGridDrawStateItem>;

struct TGridCoord {
    Integer X = 0;
    Integer Y = 0;
    friend constexpr bool operator==(const TGridCoord&, const TGridCoord&) = default;
};

struct TGridRect {
    Integer Left = 0;
    Integer Top = 0;
    Integer Right = 0;
    Integer Bottom = 0;
    constexpr TGridCoord TopLeft() const { return {Left, Top}; }
    constexpr TGridCoord BottomRight() const { return {Right, Bottom}; }
    friend constexpr bool operator==(const TGridRect&, const TGridRect&) = default;
};

// One scroll bar's range, page and position, counted as the platform's
// scroll bars count them: the position runs from Min to Max - Page + 1
// (to Max when Page is 0), and Page / (Max - Min + 1) of the track is the
// thumb.
struct TGridScrollInfo {
    Integer Min = 0;
    Integer Max = 0;
    Integer Page = 0;
    Integer Pos = 0;
};

using TDrawCellEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, TRect Rect, TGridDrawState State)>;
using TSelectCellEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, bool& CanSelect)>;
using TMovedEvent = std::function<void(TObject* Sender, Integer FromIndex, Integer ToIndex)>;
using TGetEditEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, String& Value)>;
using TMouseWheelUpDownEvent = std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;

// ---------------------------------------------------------------------------
// TInplaceEdit: the text editor the grid places over the current cell.

class TInplaceEdit : public TCustomMaskEdit {
public:
    explicit TInplaceEdit(TComponent* AOwner);

    TCustomGrid* Grid() const { return FGrid; }

    // Places the editor on Loc (the grid's client coordinates) and shows it;
    // an empty Loc (the cell is out of view) hides it.
    void Move(const TRect& Loc);
    // Caret to the end, nothing selected.
    void Deselect();

protected:
    // The editor has been placed (Move).
    virtual void BoundsChanged();
    // Takes the text, mask and length limit of the grid's current cell;
    // the editor is multi-line when MultiLineWanted and the cell has no mask.
    virtual void UpdateContents();
    // A descendant that edits over the multi-line edit answers true.
    virtual bool MultiLineWanted() const { return false; }

    void Change() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(Char& Key) override;
    void WMGetDlgCode(TWMGetDlgCode& Message) override;

private:
    friend class TCustomGrid;

    TCustomGrid* FGrid = nullptr;
    Integer FEditLimit = 0;
    bool FLoading = false;
};

// ---------------------------------------------------------------------------
// TCustomGrid

class TCustomGrid : public TCustomControl {
public:
    explicit TCustomGrid(TComponent* AOwner);
    ~TCustomGrid() override;

    // Counts: at least 1. A count at or below the fixed count lowers the
    // fixed count to count - 1.
    Integer ColCount() const { return FColCount; }
    void SetColCount(Integer Value);
    Integer RowCount() const { return FRowCount; }
    void SetRowCount(Integer Value);
    // Must stay below the count: EInvalidGridOperation otherwise.
    Integer FixedCols() const { return FFixedCols; }
    void SetFixedCols(Integer Value);
    Integer FixedRows() const { return FFixedRows; }
    void SetFixedRows(Integer Value);
    // Setting a default size gives it to every column (row).
    Integer DefaultColWidth() const { return FDefaultColWidth; }
    void SetDefaultColWidth(Integer Value);
    Integer DefaultRowHeight() const { return FDefaultRowHeight; }
    void SetDefaultRowHeight(Integer Value);
    Integer ColWidths(Integer Index) const;
    void SetColWidths(Integer Index, Integer Value);
    Integer RowHeights(Integer Index) const;
    void SetRowHeights(Integer Index, Integer Value);
    // Pixels between cells, painted by the options' lines.
    Integer GridLineWidth() const { return FGridLineWidth; }
    void SetGridLineWidth(Integer Value);

    // The first scrollable column and row in view; any scrollable index may
    // be set (the last rows may then leave space below them).
    Integer LeftCol() const { return FTopLeft.X; }
    void SetLeftCol(Integer Value);
    Integer TopRow() const { return FTopLeft.Y; }
    void SetTopRow(Integer Value);
    // Scrollable columns (rows) fully in view from LeftCol (TopRow).
    Integer VisibleColCount() const;
    Integer VisibleRowCount() const;

    // The current cell. Setting it asks SelectCell and scrolls it into view.
    Integer Col() const { return FCurrent.X; }
    void SetCol(Integer Value);
    Integer Row() const { return FCurrent.Y; }
    void SetRow(Integer Value);
    // Ordered; whole rows with goRowSelect. Setting takes TopLeft as the
    // anchor and BottomRight as the current cell as they stand, without
    // asking SelectCell and without scrolling (a selection outside every
    // cell hides it).
    TGridRect Selection() const;
    void SetSelection(const TGridRect& Value);

    TGridOptions Options() const { return FOptions; }
    void SetOptions(TGridOptions Value);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle Value);
    // bsSingle: a one-pixel frame around the client area.
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    // The colour of the bsSingle frame; clNone leaves the platform's own.
    TColor FrameColor() const { return FFrameColor; }
    void SetFrameColor(TColor Value);
    // The grid fills cell backgrounds, highlights the selection and draws
    // the focus rectangle itself; DrawCell paints over that.
    bool DefaultDrawing() const { return FDefaultDrawing; }
    void SetDefaultDrawing(bool Value);
    // The background of the fixed cells.
    TColor FixedColor() const { return FFixedColor; }
    void SetFixedColor(TColor Value);

    // The grid is in editing mode; the editor shows where CanEditShow lets it.
    bool EditorMode() const { return FEditorMode; }
    void SetEditorMode(bool Value);
    TInplaceEdit* InplaceEditor() const { return FInplaceEdit; }

    // The rectangle of a cell in view, in client coordinates, without the
    // grid lines after it; empty for a cell out of view or outside the grid.
    TRect CellRect(Integer ACol, Integer ARow) const;
    // The cell under a client point; -1, -1 outside the cells.
    void MouseToCell(Integer X, Integer Y, Integer& ACol, Integer& ARow) const;
    TGridCoord MouseCoord(Integer X, Integer Y) const;

    TRect ClientRect() const override;
    TPoint ClientOrigin() const override;
    QWidget* ClientWidget() const override;
    bool WidgetEvent(QEvent* Event) override;
    void Dispatch(TMessage& Message) override;

    TMouseWheelUpDownEvent OnMouseWheelDown;
    TMouseWheelUpDownEvent OnMouseWheelUp;

protected:
    // Paints one cell in ARect (client coordinates).
    virtual void DrawCell(Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState) = 0;
    // May the current cell move to (ACol, ARow)?
    virtual bool SelectCell(Integer ACol, Integer ARow);
    // May the text editor show on the current cell?
    virtual bool CanEditShow();
    virtual String GetEditText(Integer ACol, Integer ARow);
    virtual void SetEditText(Integer ACol, Integer ARow, const String& Value);
    virtual String GetEditMask(Integer ACol, Integer ARow);
    // Maximum length of the editor's text; 0 is no limit.
    virtual Integer GetEditLimit();
    virtual TInplaceEdit* CreateEditor();
    // Notifications after a column (row) moved from FromIndex to ToIndex.
    virtual void ColumnMoved(Integer FromIndex, Integer ToIndex);
    virtual void RowMoved(Integer FromIndex, Integer ToIndex);
    virtual void ColWidthsChanged();
    virtual void RowHeightsChanged();
    // After ColCount or RowCount changed.
    virtual void SizeChanged(Integer OldColCount, Integer OldRowCount);
    // After LeftCol or TopRow changed.
    virtual void TopLeftChanged();
    // Whether a press at (X, Y) would size a column (gsColSizing) or a row
    // (gsRowSizing): Index is the column or row, SizingPos the border's
    // position and SizingOfs the border minus the point.
    virtual void CalcSizingState(Integer X, Integer Y, TGridState& State, Integer& Index,
                                 Integer& SizingPos, Integer& SizingOfs);
    virtual void DeleteColumn(Integer ACol);
    virtual void DeleteRow(Integer ARow);
    virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
    virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);

    // Moves the current cell after asking SelectCell; the anchor follows
    // when MoveAnchor, and the cell is scrolled into view when Show.
    void MoveColRow(Integer ACol, Integer ARow, bool MoveAnchor, bool Show);
    void FocusCell(Integer ACol, Integer ARow, bool MoveAnchor);
    // Moves the entry at From to To; the entries between shift by one.
    template <class T>
    static void MoveEntry(std::vector<T>& V, Integer From, Integer To)
    {
        const auto B = V.begin();
        if (From < To)
            std::rotate(B + From, B + From + 1, B + To + 1);
        else if (To < From)
            std::rotate(B + To, B + From, B + From + 1);
    }

    // Moves a column (row) with its size; ColumnMoved (RowMoved) moves the
    // rest.
    void MoveColumn(Integer FromIndex, Integer ToIndex);
    void MoveRow(Integer FromIndex, Integer ToIndex);

    // Every row's height at once, with one layout update: a list shorter
    // than RowCount leaves the other rows as they are.
    const std::vector<Integer>& RowHeightList() const { return FRowHeights; }
    void SetRowHeightList(const std::vector<Integer>& Heights);

    // EInvalidGridOperation "Grid index out of range" outside the grid.
    void CheckCoord(Integer ACol, Integer ARow) const;
    [[noreturn]] static void GridIndexError();

    void InvalidateCell(Integer ACol, Integer ARow);
    void InvalidateCol(Integer ACol);
    void InvalidateRow(Integer ARow);
    void InvalidateGrid();
    // Any rectangle of the client area (a cell and its neighbours).
    void InvalidateClientRect(const TRect& R);
    // The editor takes its cell's contents again.
    void InvalidateEditor();

    void ShowEditor();
    void HideEditor();
    // Opens the editor and types Ch into it (Backspace empties it).
    void ShowEditorChar(Char Ch);
    // Shows, places or hides the editor for the current state.
    void UpdateEdit();
    // Writes the editor's text into its cell (SetEditText).
    void UpdateText();

    // The window's scroll bars: SB_HORZ or SB_VERT.
    bool ScrollBarVisible(Integer Code) const;
    TGridScrollInfo GetScrollInfo(Integer Bar) const;
    void SetScrollInfo(Integer Bar, const TGridScrollInfo& Info);
    // Shows or hides a bar until the grid next works out which bars it needs.
    void ShowScrollBar(Integer Bar, bool Show);
    void EnableScrollBar(Integer Bar, bool Enable);

    // The split cursor of the sizing state over the cells, or the control's
    // Cursor for any other state.
    void ShowSizingCursor(TGridState State);
    // Shows a cursor over the cells (a number of the screen's table or a
    // standard one) until the next cursor question.
    void ShowCellsCursor(TCursor Cursor);

    void Paint() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(Char& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) override;

    // WM_PAINT runs Paint on the client area. WM_SETCURSOR comes before
    // every mouse move over the cells with the client point packed into
    // LParam as mouse messages carry it.
    virtual void WMPaint(TMessage& Message);
    virtual void WMSetCursor(TMessage& Message);
    void WMSize(TWMSize& Message) override;
    void WMHScroll(TWMScroll& Message) override;
    void WMVScroll(TWMScroll& Message) override;
    void WMTimer(TWMTimer& Message) override;
    void WMSetFocus(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;
    void WMCancelMode(TMessage& Message) override;
    void WMGetDlgCode(TWMGetDlgCode& Message) override;
    void WMChar(TWMKey& Message) override;

    TGridState FGridState = gsNormal;

private:
    friend class TInplaceEdit;
    friend class TGridWidget;

    // Geometry along one axis: the columns (Rows false) or the rows (Rows
    // true) (Grids.cpp).
    Integer AxisCount(bool Rows) const { return Rows ? FRowCount : FColCount; }
    Integer AxisFixed(bool Rows) const { return Rows ? FFixedRows : FFixedCols; }
    Integer AxisFirst(bool Rows) const { return Rows ? FTopLeft.Y : FTopLeft.X; }
    // Width (height) as painted: 0 for a negative size.
    Integer AxisSize(bool Rows, Integer Index) const;
    // The lines between columns (rows): the line width when any of them is
    // drawn, else 0.
    Integer AxisLineWidth(bool Rows) const;
    // Size and the line after it; 0 for a hidden (negative) size.
    Integer AxisExtent(bool Rows, Integer Index) const;
    Integer AxisClient(bool Rows) const;
    Integer AxisFixedExtent(bool Rows) const;
    // Client position of a column (row) in view; -1 when out of view.
    Integer AxisPos(bool Rows, Integer Index) const;
    // The column (row) at a client position; -1 outside.
    Integer AxisAt(bool Rows, Integer P) const;
    // The largest first scrollable index that still shows the last one.
    Integer AxisMaxFirst(bool Rows, Integer Client) const;
    Integer AxisVisibleCount(bool Rows) const;
    // The scrollable index a drag at P points to (clamped into view).
    Integer AxisDragTarget(bool Rows, Integer P) const;
    // The first index that shows Index fully, or the current first one when
    // it does already.
    Integer AxisFirstShowing(bool Rows, Integer Index) const;
    // The sizing border near P, -1 when none.
    Integer AxisSizingIndex(bool Rows, Integer P, Integer& Border) const;

    // Sizes, counts or options changed: the bars, the view and the editor
    // follow.
    void LayoutChanged();
    void MoveTopLeft(Integer ALeft, Integer ATop);
    void ClampInView(TGridCoord Coord);
    void ClampTopLeft();
    void AdjustToCounts(Integer OldColCount, Integer OldRowCount);
    void ChangeSize(Integer NewColCount, Integer NewRowCount);
    void MoveCurrent(Integer ACol, Integer ARow, bool MoveAnchor, bool Show);
    void MoveLineSize(bool Rows, Integer FromIndex, Integer ToIndex);
    void InvalidateSelection(const TGridRect& R);
    TGridCoord NextTabCell(bool Backward) const;
    void HideEdit();

    // The widget (Grids_Widget.cpp).
    void CreateGridWidget();
    void ApplyBorder();
    void PaintFrameColor();
    void UpdateScrollRange();
    void UpdateScrollPos();
    void ModifyScrollBar(Integer Bar, Integer ScrollCode, Integer Pos);
    Integer ScrollBarExtent(Integer Bar) const;
    void ClientAreaResized();
    bool EditorHasFocus() const;
    bool EditorShowing() const;

    // Painting (Grids_Paint.cpp).
    void DrawLines(Integer ACol, Integer ARow, const TRect& R, bool Fixed);
    void DrawDragFeedback();

    // Mouse (Grids_Input.cpp).
    void DragTo(Integer X, Integer Y);
    void ScrollForDrag(Integer X, Integer Y);
    void EndDragState(bool Apply);

    TGridWidget* FArea = nullptr;
    TInplaceEdit* FInplaceEdit = nullptr;
    // Set while the grid takes the focus back from its editor.
    bool FFocusFromEditor = false;

    Integer FColCount = 5;
    Integer FRowCount = 5;
    Integer FFixedCols = 1;
    Integer FFixedRows = 1;
    Integer FDefaultColWidth = 64;
    Integer FDefaultRowHeight = 24;
    std::vector<Integer> FColWidths;
    std::vector<Integer> FRowHeights;
    Integer FGridLineWidth = 1;
    TGridCoord FTopLeft{1, 1};
    TGridCoord FCurrent{1, 1};
    TGridCoord FAnchor{1, 1};
    TGridOptions FOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
    TScrollStyle FScrollBars = ssBoth;
    TBorderStyle FBorderStyle = bsSingle;
    TColor FFrameColor = clNone;
    bool FDefaultDrawing = true;
    TColor FFixedColor = clBtnFace;

    bool FEditorMode = false;
    Integer FInplaceCol = -1;
    Integer FInplaceRow = -1;
    String FEditOriginal;

    bool FVertBarShown = false;
    bool FHorzBarShown = false;
    bool FUpdatingScroll = false;
    Integer FWheelAccumulator = 0;

    // Dragging: the sized or moved index, the sizing line, the drop place.
    Integer FSizingIndex = -1;
    Integer FSizingPos = 0;
    Integer FSizingOfs = 0;
    Integer FMoveIndex = -1;
    Integer FMovePos = -1;
    TPoint FDragPoint;
};

// ---------------------------------------------------------------------------
// TDrawGrid: a grid whose cells its owner paints through OnDrawCell.

class TDrawGrid : public TCustomGrid {
public:
    explicit TDrawGrid(TComponent* AOwner);

    TDrawCellEvent OnDrawCell;
    TSelectCellEvent OnSelectCell;
    TMovedEvent OnColumnMoved;
    TMovedEvent OnRowMoved;
    TGetEditEvent OnGetEditMask;

protected:
    void DrawCell(Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState) override;
    bool SelectCell(Integer ACol, Integer ARow) override;
    String GetEditMask(Integer ACol, Integer ARow) override;
    void ColumnMoved(Integer FromIndex, Integer ToIndex) override;
    void RowMoved(Integer FromIndex, Integer ToIndex) override;
};

// ---------------------------------------------------------------------------
// TStringGrid: one text and one object reference per cell. The grid does
// not own the objects. Cells beyond the counts keep their contents until
// the counts grow again; a deleted row or column takes its cells with it.

class TStringGrid : public TDrawGrid {
public:
    explicit TStringGrid(TComponent* AOwner);
    ~TStringGrid() override;

    // EInvalidGridOperation "Grid index out of range" outside the grid.
    String Cells(Integer ACol, Integer ARow) const;
    void SetCells(Integer ACol, Integer ARow, const String& Value);
    TObject* Objects(Integer ACol, Integer ARow) const;
    void SetObjects(Integer ACol, Integer ARow, TObject* Value);

    // One cell's text and object.
    struct TCellSlot {
        String Text;
        TObject* Object = nullptr;
    };
    // One row of the store: as long as the last column written in it.
    using TSlotRow = std::vector<TCellSlot>;
    // A column (row) as a string list of RowCount (ColCount) entries: the
    // entries are the cells, so reading and writing them reads and writes
    // the grid. Its length is the grid's: adding, inserting or deleting
    // entries raises EInvalidGridOperation.
    TStrings* Cols(Integer Index);
    void SetCols(Integer Index, TStrings* Value);
    TStrings* Rows(Integer Index);
    void SetRows(Integer Index, TStrings* Value);

protected:
    // The slots of any cell, also of columns and rows beyond the counts
    // (a descendant keeps hidden columns there); the caller checks the
    // indexes (not negative). Slot is null for a cell never written.
    const TCellSlot* Slot(Integer ACol, Integer ARow) const
    {
        if (std::size_t(ARow) >= FData.size())
            return nullptr;
        const auto& Line = FData[std::size_t(ARow)];
        return std::size_t(ACol) < Line.size() ? &Line[std::size_t(ACol)] : nullptr;
    }
    const String& SlotText(Integer ACol, Integer ARow) const
    {
        const TCellSlot* S = Slot(ACol, ARow);
        return S ? S->Text : EmptySlotText();
    }
    TObject* SlotObject(Integer ACol, Integer ARow) const
    {
        const TCellSlot* S = Slot(ACol, ARow);
        return S ? S->Object : nullptr;
    }
    // Writing repaints the cell and updates the editor as Cells does.
    void SetSlotText(Integer ACol, Integer ARow, const String& Value);
    void SetSlotObject(Integer ACol, Integer ARow, TObject* Value);
    // One more than the last row (column) any slot was written in.
    Integer SlotRowExtent() const { return Integer(FData.size()); }
    Integer SlotColExtent() const;

    // Whole rows of the store, moved without copying cells and without
    // repainting (the caller repaints): a taken row is left empty, a put row
    // replaces what the row held; inserting shifts the rows from At down by
    // Count empty rows, deleting drops Count rows (their objects are the
    // caller's) and shifts the later rows up.
    TSlotRow TakeSlotRow(Integer ARow);
    void PutSlotRow(Integer ARow, TSlotRow Line);
    void InsertSlotRows(Integer At, Integer Count);
    void DeleteSlotRows(Integer At, Integer Count);

    void DrawCell(Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState) override;
    String GetEditText(Integer ACol, Integer ARow) override;
    void SetEditText(Integer ACol, Integer ARow, const String& Value) override;
    void ColumnMoved(Integer FromIndex, Integer ToIndex) override;
    void RowMoved(Integer FromIndex, Integer ToIndex) override;
    void DeleteColumn(Integer ACol) override;
    void DeleteRow(Integer ARow) override;

private:
    class TLineStrings;
    friend class TLineStrings;

    static const String& EmptySlotText();
    TCellSlot& WritableSlot(Integer ACol, Integer ARow);
    void ClearColumnData(Integer ACol);
    void ClearRowData(Integer ARow);
    TStrings* LineStrings(bool Column, Integer Index);

    // One vector per row, as long as the last column written in it.
    std::vector<std::vector<TCellSlot>> FData;
    std::map<Integer, std::unique_ptr<TLineStrings>> FColStrings;
    std::map<Integer, std::unique_ptr<TLineStrings>> FRowStrings;
    bool FEditUpdate = false;
};
