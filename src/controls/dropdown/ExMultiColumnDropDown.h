#pragma once
// The multi-column drop-down: an edit whose pop-up lists rows of several
// columns in a list grid with a header row; the edit shows the chosen row's
// string in the lookup column and completes typed text from that column.
// The grid drop-down has classes of the same names, so this unit keeps its
// own in the namespace exmulticolumn.
#include "controls/dropdown/ExDropDown.h"
#include "rtl/Grids.h"

#include <memory>
#include <vector>

namespace exmulticolumn {

RTL_NAMED_ENUM(TColumnType, ctText, ctImage)

class TExMultiColumnDropDown;

// Draws a list cell instead of the built-in drawing.
using TDrawCellEvent =
    std::function<void(TObject* Sender, Integer Column, Integer Row, TCanvas* ACanvas, TRect ARect)>;
// Changes the text of a list cell before it is drawn.
using TGetCellTextEvent = std::function<void(TObject* Sender, Integer Column, Integer Row, String& Text)>;

// How one column of the list looks.
class TDropDownColumn : public TCollectionItem {
public:
    explicit TDropDownColumn(TCollection* ACollection);
    ~TDropDownColumn() override;

    // All nine settings.
    void Assign(TPersistent* Source) override;

    RTL_STORED_PROPERTY(Integer, Width, 80)
    RTL_STORED_PROPERTY(TColor, Color, clWhite)
    RTL_STORED_PROPERTY(TAlignment, Alignment, taLeftJustify)
    RTL_STORED_PROPERTY(bool, Ellipsis, false)
    RTL_STORED_PROPERTY(TColumnType, ColumnType, ctText)
    RTL_STORED_PROPERTY(String, Header, String())
    RTL_STORED_PROPERTY(bool, Wordwrap, false)
    RTL_STORED_PROPERTY(bool, AutoSize, false)
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* Value) { FFont->Assign(Value); }

private:
    std::unique_ptr<TFont> FFont;
};

// A collection of Item; OnChange comes after any change of it.
template <class Item>
class TNotifyingCollection : public TCollection {
public:
    explicit TNotifyingCollection(TPersistent* AOwner)
        : TCollection(CollectionItemClass<Item>(), AOwner)
    {
    }
    Item* Add() { return static_cast<Item*>(TCollection::Add()); }
    Item* Insert(int Index) { return static_cast<Item*>(TCollection::Insert(Index)); }
    Item* Items(int Index) const { return static_cast<Item*>(TCollection::Items(Index)); }

    TNotifyEvent OnChange;

protected:
    void Update(TCollectionItem*) override
    {
        if (OnChange)
            OnChange(this);
    }
};

class TDropDownColumns : public TNotifyingCollection<TDropDownColumn> {
public:
    using TNotifyingCollection::TNotifyingCollection;
    // Sum of the widths, a negative width counting as 0.
    Integer TotalWidth() const;
};

// One row: string i is the text of column i; the image shows in image
// columns.
class TDropDownItem : public TCollectionItem {
public:
    explicit TDropDownItem(TCollection* ACollection);
    ~TDropDownItem() override;

    // The image index and the strings.
    void Assign(TPersistent* Source) override;

    RTL_STORED_PROPERTY(Integer, ImageIndex, -1)
    TStringList* Text() const { return FText.get(); }
    void SetText(TStrings* Value) { FText->Assign(Value); }
    // String Column, empty when the row has none.
    String ColumnText(Integer Column) const;
    bool HasColumn(Integer Column) const { return Column >= 0 && Column < FText->Count(); }

private:
    std::unique_ptr<TStringList> FText;
};

class TDropDownItems : public TNotifyingCollection<TDropDownItem> {
public:
    using TNotifyingCollection::TNotifyingCollection;
    // The first item whose string at Column equals Value exactly; -1 when
    // none (items without that string never match).
    Integer IndexInColumn(Integer Column, const String& Value) const;
};

// The list in the pop-up: row 0 is the header, row r shows item r - 1.
// Every cell is drawn here (no default drawing); the lines are drawn inside
// the cells, so the platform grid's own lines have width 0.
class TExColGrid : public TStringGrid {
public:
    explicit TExColGrid(TComponent* AOwner);
    ~TExColGrid() override;

    TExMultiColumnDropDown* ExDropDown() const { return FExDropDown; }
    void SetExDropDown(TExMultiColumnDropDown* Value) { FExDropDown = Value; }
    TDropDownColumns* Columns() const { return FColumns.get(); }
    void SetColumns(TDropDownColumns* Value) { FColumns->Assign(Value); }
    TFont* HeaderFont() const { return FHeaderFont.get(); }
    void SetHeaderFont(TFont* Value) { FHeaderFont->Assign(Value); }
    RTL_STORED_PROPERTY(TColor, LineColor, TColor(0x808080))
    RTL_STORED_PROPERTY(TColor, FixedLineColor, TColor(0xD1BBA4))
    RTL_STORED_PROPERTY(TColor, HeaderColor, clWhite)
    RTL_STORED_PROPERTY(TColor, HeaderColorTo, TColor(0x808080))
    RTL_STORED_PROPERTY(Integer, HeaderHeight, 25)
    // The drop-down's Images, read at each use (the list may outlive them).
    TImageList* Images() const;
    // The lines the cells draw; the platform grid's own stay 0 wide.
    Integer GridLineWidth() const { return FLineWidth; }
    void SetGridLineWidth(Integer Value) { FLineWidth = Value; }
    bool ConfirmSelection() const { return FConfirmSelection; }
    bool MouseWheelSelection() const { return FMouseWheelSelection; }

    // Takes the drop-down's columns, items and looks.
    void ApplyDropDownSettings();
    // Width of the widest content of column Index.
    void AutoSizeColumn(Integer Index);
    // Data rows as high as their word-wrapped columns need.
    void UpdateRowHeights();
    // Border, columns and, when not all rows show, a vertical scroll bar.
    Integer GetOptimalWidth() const;
    // Data rows that do not all fit.
    bool RowsHidden() const;
    // The cell's left and top with the column's and row's full size.
    TRect FullCellRect(Integer ACol, Integer ARow) const;
    void DoSelect();

    TNotifyEvent OnSelect;

protected:
    void DrawCell(Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    void WMGetDlgCode(TWMGetDlgCode& Message) override;

private:
    // The canvas of the pop-up form while the list stands on it; null
    // elsewhere.
    TCanvas* MeasureCanvas() const;
    // Runs a wheel step that moves the highlight without choosing.
    bool WheelStep(bool Down, TShiftState Shift, TPoint MousePos);
    void DrawCellLines(const TRect& R, bool Header);
    void DrawCellContent(TRect R, Integer ARow, Integer ImageIndex, const String& Text, const TDropDownColumn* Column,
                         bool Selected);

    TExMultiColumnDropDown* FExDropDown = nullptr;
    std::unique_ptr<TDropDownColumns> FColumns;
    std::unique_ptr<TFont> FHeaderFont;
    // Measuring outside a paint.
    mutable std::unique_ptr<TBitmap> FMeasure;
    Integer FLineWidth = 1;
    bool FMouseWheelSelection = false;
    bool FConfirmSelection = false;
};

class TExMultiColumnDropDown : public TExCustomDropDown {
public:
    explicit TExMultiColumnDropDown(TComponent* AOwner);
    ~TExMultiColumnDropDown() override;

    void AfterConstruction() override;
    void Assign(TPersistent* Source) override;
    void Loaded() override;

    TDropDownColumns* Columns() const { return FColumns.get(); }
    void SetColumns(TDropDownColumns* Value) { FColumns->Assign(Value); }
    TDropDownItems* Items() const { return FItems.get(); }
    void SetItems(TDropDownItems* Value) { FItems->Assign(Value); }
    TFont* HeaderFont() const { return FHeaderFont.get(); }
    void SetHeaderFont(TFont* Value) { FHeaderFont->Assign(Value); }
    Integer ItemIndex() const { return FItemIndex; }
    // A value not below the count does nothing; the text follows (empty for
    // a negative value or LookupColumn); no event fires.
    void SetItemIndex(Integer Value);
    // The first item whose lookup string equals Text exactly; -1 when none.
    Integer GetItemIndex(const String& Text) const;
    Integer RowCount() const { return FItems->Count(); }
    Integer DropDownRowHeight() const { return FDropDownRowHeight; }
    // Values below 1 are stored as 1: the pop-up height divides by it.
    void SetDropDownRowHeight(Integer Value) { FDropDownRowHeight = std::max(Value, 1); }

    RTL_STORED_PROPERTY(Integer, LookupColumn, 0)
    RTL_STORED_PROPERTY(bool, CaseSensitive, false)
    RTL_STORED_PROPERTY(bool, DropDownAutoWidth, true)
    RTL_STORED_PROPERTY(bool, ColumnSizeWithDropDown, true)
    RTL_STORED_PROPERTY(bool, ColumnSizing, false)
    RTL_STORED_PROPERTY(Integer, HeaderHeight, 25)
    RTL_STORED_PROPERTY(TColor, HeaderColor, clWhite)
    RTL_STORED_PROPERTY(TColor, HeaderColorTo, TColor(0x808080))
    RTL_STORED_PROPERTY(TColor, LineColor, TColor(0xC0C0C0))
    RTL_STORED_PROPERTY(TColor, FixedLineColor, TColor(0xD1BBA4))
    RTL_STORED_PROPERTY(TColor, SelectionTextColor, clBlack)
    RTL_STORED_PROPERTY(bool, MatchCase, false)
    // Stored only: completion and lookup always match at the start.
    RTL_STORED_PROPERTY(bool, MatchStart, true)

    // Nothing to prepare; EndUpdate rebuilds the completion's lookup list.
    void BeginUpdate() {}
    void EndUpdate() { BuildLookupItems(); }

    void SelectFirstItem();
    void SelectLastItem();
    void SelectNextItem();
    void SelectPreviousItem();
    void SelectNextPage();
    void SelectPreviousPage();

    TExColGrid* ExColGrid() const { return FExColGrid; }
    // The lookup-column string of every item as of the last EndUpdate.
    const TStringList* LookupItems() const { return FLookupItems.get(); }
    const String& LookupEntry() const { return FLookupEntry; }

    void SetSelectionColorStyle(TSelectionColorStyle Value) override;
    void SetComponentStyle(TQVXStyle AStyle) override;
    void CreateDropDownForm() override;
    void PlaceDropDownControl() override;
    void DoBeforeDropDown() override;
    void UpdateDropDownSize() override;
    void AdjustDropDownHeight(Integer& Height) override;
    void DoShowDropDown() override;
    void DoHideDropDown(bool Cancel) override;
    void DropDownResized() override;
    void ControlKeyDown(Word& Key, TShiftState Shift) override;
    void ControlKeyUp(Word& Key, TShiftState Shift) override;
    void ControlKeyPress(Char& Key) override;
    void SelectNext() override { SelectNextItem(); }
    void SelectPrevious() override { SelectPreviousItem(); }
    void Notification(TComponent* AComponent, TOperation Operation) override;

    TNotifyEvent OnSelect;
    TDrawCellEvent OnDropDownDrawItem;
    TGetCellTextEvent OnDropDownGetItemText;

protected:
    void WMKeyDown(TWMKey& Message) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    // Enter is dropped with ReturnIsTab.
    void WMChar(TWMKey& Message) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    // Completion from the lookup list while typing.
    void Change() override;

private:
    void BuildLookupItems();
    bool CanComplete() const { return FLookupColumn >= 0 && FItems->Count() > 0; }
    // The lookup string of item Index, empty when it has none.
    String LookupText(Integer Index) const;
    // The edit's text set by the control itself, which completes nothing.
    void SetOwnText(const String& Value);
    void FitColumnsToDropDown();
    void GridSelectCell(Integer ARow);
    void GridSelect();
    // A character typed in the open list; the found item or -1.
    Integer LookupChar(Char Ch);
    Integer FindLookupItem(const String& Entry) const;
    // ItemIndex and text of a found item, its first Typed characters
    // followed by the selected rest.
    void ShowLookupItem(Integer Index, Integer Typed);
    // Row ARow + 1 in view and current, the edit's selection kept.
    void ScrollToItem(Integer Index);
    void Complete();
    // The current row is the one after ItemIndex (row 1 for none).
    void ShowItemIndexRow();

    std::unique_ptr<TDropDownColumns> FColumns;
    std::unique_ptr<TDropDownItems> FItems;
    std::unique_ptr<TFont> FHeaderFont;
    std::unique_ptr<TStringList> FLookupItems;
    // The lookup entries upper-cased, for completion without MatchCase.
    std::vector<String> FLookupKeys;
    TExColGrid* FExColGrid = nullptr;
    Integer FItemIndex = -1;
    Integer FOldItemIndex = -1;
    Integer FDropDownRowHeight = 22;
    String FLookupEntry;
    bool FShowing = false;
    bool FWorkMode = true;
    bool FItemChange = false;
    Integer FItemIdx = -1;
    Integer FItemSel = 0;
    bool FOwnText = false;
};

} // namespace exmulticolumn
