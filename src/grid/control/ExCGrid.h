#pragma once
// The column grid of the table windows: the string grid plus one column
// item per real column (hidden ones included), from which the grid answers
// its per-cell queries, and the column stream and saved column positions.
#include "grid/control/ExGrid.h"

#include "rtl/Menus.h"

#include <memory>

class TExColumnGrid;
class TGridColumnCollection;

RTL_NAMED_ENUM(TColumnPopupType, cpFixedCellsRClick, cpFixedCellsLClick, cpNormalCellsRClick, cpNormalCellsLClick,
               cpAllCellsRClick, cpAllCellsLClick)

using TColumnPopupEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, TPopupMenu* PopupMenu)>;

// ---------------------------------------------------------------------------
// TGridColumnItem: the settings of one real column. Fonts, pens and string
// lists are the item's own: assigning copies them.

class TGridColumnItem : public TCollectionItem {
public:
    // Takes the grid's Font and Color when the collection belongs to a
    // grid, the framework defaults otherwise.
    explicit TGridColumnItem(TCollection* ACollection);
    ~TGridColumnItem() override;

    // From another item: the settings a window description gives a column,
    // without ColumnPopupType, PrintBorderCustom and PrintFontCustom.
    void Assign(TPersistent* Source) override;
    // As Assign, but the grid's Color and Font, and neither the combo
    // settings nor the header, name and tag.
    void AssignVisuals(TPersistent* Source);
    // Every published property, the three Assign leaves out included.
    void AssignAll(TGridColumnItem* Source);

    // The published properties, in streaming order.
    Integer AutoMinSize() const { return FAutoMinSize; }
    void SetAutoMinSize(Integer Value) { FAutoMinSize = Value; }
    Integer AutoMaxSize() const { return FAutoMaxSize; }
    void SetAutoMaxSize(Integer Value) { FAutoMaxSize = Value; }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TCellBorders Borders() const { return FBorders; }
    void SetBorders(TCellBorders Value);
    TPen* BorderPen() const { return FBorderPen.get(); }
    void SetBorderPen(TPen* Value);
    const String& CheckFalse() const { return FCheckFalse; }
    void SetCheckFalse(const String& Value) { FCheckFalse = Value; }
    const String& CheckTrue() const { return FCheckTrue; }
    void SetCheckTrue(const String& Value) { FCheckTrue = Value; }
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TPopupMenu* ColumnPopup() const { return FColumnPopup; }
    void SetColumnPopup(TPopupMenu* Value);
    TColumnPopupType ColumnPopupType() const { return FColumnPopupType; }
    void SetColumnPopupType(TColumnPopupType Value) { FColumnPopupType = Value; }
    TStringList* ComboItems() const { return FComboItems.get(); }
    void SetComboItems(TStrings* Value);
    Integer DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(Integer Value) { FDropDownCount = Value; }
    Integer EditLength() const { return FEditLength; }
    void SetEditLength(Integer Value) { FEditLength = Value; }
    TEditLink* EditLink() const { return FEditLink; }
    void SetEditLink(TEditLink* Value);
    const String& EditMask() const { return FEditMask; }
    void SetEditMask(const String& Value) { FEditMask = Value; }
    TEditorType Editor() const { return FEditor; }
    void SetEditor(TEditorType Value);
    TStringList* Filter() const { return FFilter.get(); }
    void SetFilter(TStrings* Value);
    bool FilterCaseSensitive() const { return FFilterCaseSensitive; }
    void SetFilterCaseSensitive(bool Value) { FFilterCaseSensitive = Value; }
    bool Fixed() const { return FFixed; }
    void SetFixed(bool Value);
    const String& FloatFormat() const { return FFloatFormat; }
    void SetFloatFormat(const String& Value);
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* Value);
    const String& Header() const { return FHeader; }
    void SetHeader(const String& Value);
    TAlignment HeaderAlignment() const { return FHeaderAlignment; }
    void SetHeaderAlignment(TAlignment Value);
    TFont* HeaderFont() const { return FHeaderFont.get(); }
    void SetHeaderFont(TFont* Value);
    Integer MinSize() const { return FMinSize; }
    void SetMinSize(Integer Value) { FMinSize = Value; }
    Integer MaxSize() const { return FMaxSize; }
    void SetMaxSize(Integer Value) { FMaxSize = Value; }
    const String& Name() const { return FName; }
    void SetName(const String& Value) { FName = Value; }
    bool Password() const { return FPassword; }
    void SetPassword(bool Value);
    bool PrintBorderCustom() const { return FPrintBorderCustom; }
    void SetPrintBorderCustom(bool Value) { FPrintBorderCustom = Value; }
    TCellBorders PrintBorders() const { return FPrintBorders; }
    void SetPrintBorders(TCellBorders Value) { FPrintBorders = Value; }
    TPen* PrintBorderPen() const { return FPrintBorderPen.get(); }
    void SetPrintBorderPen(TPen* Value);
    TColor PrintColor() const { return FPrintColor; }
    void SetPrintColor(TColor Value) { FPrintColor = Value; }
    bool PrintFontCustom() const { return FPrintFontCustom; }
    void SetPrintFontCustom(bool Value) { FPrintFontCustom = Value; }
    TFont* PrintFont() const { return FPrintFont.get(); }
    void SetPrintFont(TFont* Value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value) { FReadOnly = Value; }
    bool ShowBands() const { return FShowBands; }
    void SetShowBands(bool Value);
    TSortStyle SortStyle() const { return FSortStyle; }
    void SetSortStyle(TSortStyle Value) { FSortStyle = Value; }
    const String& SortPrefix() const { return FSortPrefix; }
    void SetSortPrefix(const String& Value) { FSortPrefix = Value; }
    const String& SortSuffix() const { return FSortSuffix; }
    void SetSortSuffix(const String& Value) { FSortSuffix = Value; }
    Integer SpinMax() const { return FSpinMax; }
    void SetSpinMax(Integer Value) { FSpinMax = Value; }
    Integer SpinMin() const { return FSpinMin; }
    void SetSpinMin(Integer Value) { FSpinMin = Value; }
    Integer SpinStep() const { return FSpinStep; }
    void SetSpinStep(Integer Value) { FSpinStep = Value; }
    Integer Tag() const { return FTag; }
    void SetTag(Integer Value) { FTag = Value; }
    // The grid's width of the item's column while the item is one of the
    // grid's Columns; otherwise (and besides) the width remembered last.
    Integer Width() const;
    void SetWidth(Integer Value);
    Integer RememberedWidth() const { return FWidth; }

    // The position recorded by the last SetOrganization.
    Integer DefIdx() const { return FDefIdx; }
    void SetDefIdx(Integer Value) { FDefIdx = Value; }

    // Row Index of the item's column, plain and through the grid's typed
    // cell access (with its conversion errors).
    String GetRows(Integer Index) const;
    void SetRows(Integer Index, const String& Value);
    Integer GetInts(Integer Index) const;
    void SetInts(Integer Index, Integer Value);
    Double GetFloats(Integer Index) const;
    void SetFloats(Integer Index, Double Value);
    TDateTime GetDates(Integer Index) const;
    void SetDates(Integer Index, TDateTime Value);
    TDateTime GetTimes(Integer Index) const;
    void SetTimes(Integer Index, TDateTime Value);

    // The grid whose collection holds the item; null for a free item.
    TExColumnGrid* Grid() const;

protected:
    // "Col n: Name", or "Column n" without a name.
    String GetDisplayName() const override;

private:
    friend class TExColumnGrid;
    // The grid whose Columns hold the item; null otherwise.
    TExColumnGrid* ColumnsGrid() const;
    // The grid cells of the item's column; EListError for a free item.
    TExColumnGrid& CellGrid() const;
    void RepaintGrid() const;
    void FontChanged(TObject* Sender);
    void FilterChanged(TObject* Sender);
    // The grid's Header writing without the setter's side effects.
    void StoreHeader(const String& Value) { FHeader = Value; }
    void CopyAssignedSettings(TGridColumnItem* Source);

    Integer FAutoMinSize = 0;
    Integer FAutoMaxSize = 0;
    TAlignment FAlignment = taLeftJustify;
    TCellBorders FBorders;
    std::unique_ptr<TPen> FBorderPen;
    String FCheckFalse = QStringLiteral("N");
    String FCheckTrue = QStringLiteral("Y");
    TColor FColor = clBlack;
    TPopupMenu* FColumnPopup = nullptr;
    TColumnPopupType FColumnPopupType = cpFixedCellsRClick;
    std::unique_ptr<TStringList> FComboItems;
    Integer FDropDownCount = 8;
    Integer FEditLength = 0;
    TEditLink* FEditLink = nullptr;
    String FEditMask;
    TEditorType FEditor = edNormal;
    std::unique_ptr<TStringList> FFilter;
    bool FFilterCaseSensitive = false;
    bool FFixed = false;
    String FFloatFormat;
    std::unique_ptr<TFont> FFont;
    String FHeader;
    TAlignment FHeaderAlignment = taLeftJustify;
    std::unique_ptr<TFont> FHeaderFont;
    Integer FMinSize = 0;
    Integer FMaxSize = 0;
    String FName;
    bool FPassword = false;
    bool FPrintBorderCustom = true;
    TCellBorders FPrintBorders{cbTop, cbLeft, cbRight, cbBottom};
    std::unique_ptr<TPen> FPrintBorderPen;
    TColor FPrintColor = clWhite;
    bool FPrintFontCustom = true;
    std::unique_ptr<TFont> FPrintFont;
    bool FReadOnly = false;
    bool FShowBands = false;
    TSortStyle FSortStyle = ssAutomatic;
    String FSortPrefix;
    String FSortSuffix;
    Integer FSpinMax = 0;
    Integer FSpinMin = 0;
    Integer FSpinStep = 1;
    Integer FTag = 0;
    Integer FWidth = 50;
    Integer FDefIdx = 0;
};

// ---------------------------------------------------------------------------
// TGridColumnCollection: the items of one column grid.

class TGridColumnCollection : public TCollection {
public:
    explicit TGridColumnCollection(TExColumnGrid* AOwner);

    TGridColumnItem* Items(int Index) const { return static_cast<TGridColumnItem*>(TCollection::Items(Index)); }
    // Copies Value into the item at Index.
    void SetItems(int Index, TGridColumnItem* Value) { Items(Index)->Assign(Value); }
    // A new last item, with the visuals of the one before it.
    TGridColumnItem* Add();
    // A new item with the initial values at Index.
    TGridColumnItem* Insert(int Index);
    // Every item's DefIdx becomes its index, once the count is in step.
    void SetOrganization();
    // Moves every column back to the position its DefIdx records.
    void ResetOrganization();

    TExColumnGrid* Grid() const { return FOwner; }
    bool NoRecursiveUpdate() const { return FNoRecursiveUpdate; }
    void SetNoRecursiveUpdate(bool Value) { FNoRecursiveUpdate = Value; }

protected:
    // The grid follows a changed item count, headers and look.
    void Update(TCollectionItem* Item) override;

private:
    friend class TExColumnGrid;
    TExColumnGrid* FOwner;
    bool FNoRecursiveUpdate = false;
};

// Sets a collection's FNoRecursiveUpdate for the guard's life and restores
// the value it had.
class TNoRecursiveUpdate {
public:
    explicit TNoRecursiveUpdate(TGridColumnCollection* ACollection)
        : FCollection(ACollection), FWas(ACollection->NoRecursiveUpdate())
    {
        FCollection->SetNoRecursiveUpdate(true);
    }
    ~TNoRecursiveUpdate() { FCollection->SetNoRecursiveUpdate(FWas); }
    TNoRecursiveUpdate(const TNoRecursiveUpdate&) = delete;
    TNoRecursiveUpdate& operator=(const TNoRecursiveUpdate&) = delete;

private:
    TGridColumnCollection* FCollection;
    bool FWas;
};

// ---------------------------------------------------------------------------
// TExColumnGrid

class TExColumnGrid : public TExStringGrid {
public:
    explicit TExColumnGrid(TComponent* AOwner);
    ~TExColumnGrid() override;

    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Scales the fonts of the shown columns' items.
    void ChangeScale(Integer M, Integer D);

    // Redeclared: setting it brings the item count in step.
    Integer ColCount() const { return TExStringGrid::ColCount(); }
    void SetColCount(Integer Value);
    bool AutoFilterDisplay() const { return FAutoFilterDisplay; }
    void SetAutoFilterDisplay(bool Value) { FAutoFilterDisplay = Value; }
    TGridColumnCollection* Columns() const { return FColumnCollection.get(); }
    // Copies the items.
    void SetColumns(TGridColumnCollection* Value);

    // The first item of that name (case counts); null when none.
    TGridColumnItem* GetColumnByName(const String& AValue) const;
    // The column stream (ExCGrid_Stream.cpp).
    void SaveColumnsToStream(TStream* st);
    void LoadColumnsFromStream(TStream* st);
    // Saved column positions (ExCGrid_Positions.cpp, which also overrides
    // SaveColPositions and LoadColPositions).
    void SaveColumnPositions(const String& Key, const String& Section);
    void LoadColumnPositions(const String& Key, const String& Section);
    void SaveColPositions() override;
    void LoadColPositions() override;

    void InsertCols(Integer ColIndex, Integer CCount) override;
    void RemoveCols(Integer ColIndex, Integer CCount) override;
    void Group(Integer ColIndex) override;
    void UnGroup() override;
    Integer GetVersionNr() const override;
    String GetVersionString() const override;

    // Items without a header take row 0's text; ColumnHeaders follows the items.
    void UpdateColumnHeaders();
    // The item count becomes ColCount + NumHiddenColumns.
    void SyncColumnItems();

    // After a column moved; real columns.
    TMovedEvent OnAfterColumnMoved;
    TColumnPopupEvent OnColumnPopup;

    // The per-cell answers from the items (ExCGrid_Answers.cpp).
    String GetFormattedCell(Integer ACol, Integer ARow) override;
    void GetFloatFormat(Integer ACol, Integer ARow, bool& IsFloat, String& FloatFormat) override;
    TCellType GetCellType(Integer ACol, Integer ARow) override;
    TCellGraphic* GetCellGraphic(Integer ACol, Integer ARow) override;
    void UpdateColumnSize(Integer ACol, Integer& AWidth) override;
    void UpdateAutoColumnSize(Integer ACol, Integer& AWidth) override;
    void GetCellColor(Integer ACol, Integer ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont) override;
    void GetCellPrintColor(Integer ACol, Integer ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont) override;
    void GetCellBorder(Integer ACol, Integer ARow, TPen* APen, TCellBorders& Borders) override;
    void GetCellPrintBorder(Integer ACol, Integer ARow, TPen* APen, TCellBorders& Borders) override;
    void QueryCellAlignment(Integer ACol, Integer ARow, TAlignment& HAlign, TVAlignment& VAlign) override;
    void GetColFormat(Integer ACol, TSortStyle& AStyle, String& APrefix, String& ASuffix) override;
    void GetCellEditor(Integer ACol, Integer ARow, TEditorType& AEditor) override;
    bool IsFixedCell(Integer ACol, Integer ARow) override;
    void CanEditCell(Integer ACol, Integer ARow, bool& CanEdit) override;
    void IsPasswordCell(Integer ACol, Integer ARow, bool& IsPassword) override;
    bool HasComboBox(Integer ACol, Integer ARow) override;
    void GetCheckTrue(Integer ACol, Integer ARow, String& Value) override;
    void GetCheckFalse(Integer ACol, Integer ARow, String& Value) override;
    bool GetFilterList(Integer ACol, TStrings* FilterList) override;
    void FilterDropListSelect(TObject* Sender, Integer ItemIndex) override;
    void ColumnHeadersChanged() override;
    void CellsChanged() override;

protected:
    virtual TGridColumnCollection* CreateColumns();

    void ColumnMoved(Integer FromIndex, Integer ToIndex) override;
    void ColWidthsChanged() override;
    // The column pop-up menus, after the grid's own handling.
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    Integer GetEditLimit() override;
    String GetEditMask(Integer ACol, Integer ARow) override;
    void GetCellDefaults(Integer ACol, Integer ARow, TFont* AFont, TBrush* ABrush, TColor& ColorTo,
                         TColor& MirrorColor, TColor& MirrorColorTo, TAlignment& HA, TVAlignment& VA, bool& WW,
                         TCellGradientDirection& GD) override;

    bool IsLoading() const { return ComponentState().Contains(csLoading); }
    bool IsDestroying() const { return ComponentState().Contains(csDestroying); }
    // The item of real column ACol; null at or beyond Columns.Count.
    TGridColumnItem* ColumnOf(Integer ACol) const;
    // ACol < Count and the cell lies in the data area of the column items.
    bool InItemDataArea(Integer ACol, Integer ARow);
    // The column's menu on a click into (ACol, ARow), a display cell.
    void ColumnPopupClick(TMouseButton Button, Integer ACol, Integer ARow);

private:
    friend class TGridColumnItem;
    friend class TGridColumnCollection;

    std::unique_ptr<TGridColumnCollection> FColumnCollection;
    std::unique_ptr<TGridColumnItem> FSaveCol;
    bool FColMoving = false;
    std::unique_ptr<TCellGraphic> FCellGraphic;
    // Set while the string grid's cell type is asked: the shared graphic is withheld.
    bool FOwnGraphicOnly = false;
    bool FAutoFilterDisplay = false;
};

// ---------------------------------------------------------------------------
// TExColumnGridIO: the carrier of the column stream. Its items belong to the
// grid given as owner but are not its Columns, so reading them touches
// neither the grid's widths nor its headers.

class TExColumnGridIO : public TComponent {
public:
    explicit TExColumnGridIO(TExColumnGrid* AOwner);
    ~TExColumnGridIO() override;

    TGridColumnCollection* Items() const { return FItems.get(); }

private:
    std::unique_ptr<TGridColumnCollection> FItems;
};

// Sets the streamed property Name of Item ("Font.Style", "BorderPen.Color"
// for the owned objects) from its text: an integer in decimal or "$" hex, a
// colour by name or number, an identifier, True or False, a set as "[a,b]",
// a text as it stands. An unknown name or a value the property cannot take
// raises EConvertError or EReadError naming it.
void SetColumnItemPropertyText(TGridColumnItem* Item, const String& Name, const String& Value);
