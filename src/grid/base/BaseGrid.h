#pragma once
// The base grid: the runtime's string grid turned into a cell store with
// per-cell properties, merged cells, an undo link, display-text hooks and a
// cell painter of its own. Sources: BaseGrid.cpp (store and hooks),
// BaseGrid_Merge.cpp (cell properties, merged cells, geometry),
// BaseGrid_Paint.cpp (the painter), BaseGrid_Undo.cpp (undo and redo).
//
// Each cell's object slot of the runtime grid holds only the grid's own
// TCellProperties, made on first demand and freed by the grid; a caller's
// object for a cell lives inside them (CellObject).
#include "grid/base/ExObj.h"

class TBaseGrid;
class TExGridUndoRedo;

// ---------------------------------------------------------------------------
// TCellProperties: one cell's look, behaviour, objects and its place in a
// merged area (spans -1: not merged; a base cell holds the area's size - 1,
// a covered cell its distance from the base cell).

class TCellProperties : public TPersistent {
public:
    TCellProperties(TBaseGrid* AOwner, Integer ACol, Integer ARow);

    // From another TCellProperties only (the owner grid, graphic object,
    // gradient end and direction, paint counter and calculation data stay).
    void Assign(TPersistent* Source) override;
    // The base cell of the area, given the cell's own coordinates.
    TPoint BaseCell(Integer c, Integer r) const { return GetBaseCell(c, r); }
    TPoint GetBaseCell(Integer c, Integer r) const;

    bool IsBaseCell() const { return FIsBaseCell; }
    void SetIsBaseCell(bool Value) { FIsBaseCell = Value; }
    Integer CellSpanX() const { return FCellSpanX; }
    void SetCellSpanX(Integer Value) { FCellSpanX = Value; }
    Integer CellSpanY() const { return FCellSpanY; }
    void SetCellSpanY(Integer Value) { FCellSpanY = Value; }
    Integer OwnerCol() const { return FOwnerCol; }
    void SetOwnerCol(Integer Value) { FOwnerCol = Value; }
    Integer OwnerRow() const { return FOwnerRow; }
    void SetOwnerRow(Integer Value) { FOwnerRow = Value; }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value) { FAlignment = Value; }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value) { FBorderColor = Value; }
    Integer BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(Integer Value) { FBorderWidth = Value; }
    // The colour setters, VAlignment and WordWrap repaint the owner cell.
    TColor BrushColor() const { return FBrushColor; }
    void SetBrushColor(TColor Value);
    TColor BrushColorTo() const { return FBrushColorTo; }
    void SetBrushColorTo(TColor Value);
    // Without repainting: the caller repaints where the cell shows.
    void StoreBrushColor(TColor Value) { FBrushColor = Value; }
    void StoreBrushColorTo(TColor Value) { FBrushColorTo = Value; }
    TBrushStyle BrushStyle() const { return FBrushStyle; }
    void SetBrushStyle(TBrushStyle Value) { FBrushStyle = Value; }
    TObject* CellObject() const { return FObject; }
    void SetCellObject(TObject* Value) { FObject = Value; }
    TColor FontColor() const { return FFontColor; }
    void SetFontColor(TColor Value) { FFontColor = Value; }
    const String& FontName() const { return FFontName; }
    void SetFontName(const String& Value) { FFontName = Value; }
    Integer FontSize() const { return FFontSize; }
    void SetFontSize(Integer Value) { FFontSize = Value; }
    TFontStyles FontStyle() const { return FFontStyle; }
    void SetFontStyle(TFontStyles Value) { FFontStyle = Value; }
    TEditorType Editor() const { return FEditor; }
    void SetEditor(TEditorType Value) { FEditor = Value; }
    TCellGradientDirection GradientDirection() const { return FGradientDirection; }
    void SetGradientDirection(TCellGradientDirection Value) { FGradientDirection = Value; }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value) { FReadOnly = Value; }
    TVAlignment VAlignment() const { return FVAlignment; }
    void SetVAlignment(TVAlignment Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    Integer NodeLevel() const { return FNodeLevel; }
    void SetNodeLevel(Integer Value) { FNodeLevel = Value; }
    TControl* Control() const { return FControl; }
    void SetControl(TControl* Value) { FControl = Value; }
    TColumnCalcType CalcType() const { return FCalcType; }
    void SetCalcType(TColumnCalcType Value) { FCalcType = Value; }
    TObject* CalcObject() const { return FCalcObject; }
    void SetCalcObject(TObject* Value) { FCalcObject = Value; }

private:
    friend class TBaseGrid;
    void RepaintOwnerCell();

    TBaseGrid* FOwnerGrid;
    Integer FOwnerCol;
    Integer FOwnerRow;
    TObject* FObject = nullptr;
    TObject* FGraphicObject = nullptr;
    TBrushStyle FBrushStyle = bsSolid;
    TColor FBrushColor = clNone;
    TColor FBrushColorTo = clNone;
    Integer FFontSize = 0;
    TColor FFontColor = clNone;
    TFontStyles FFontStyle;
    Integer FCellSpanY = -1;
    Integer FCellSpanX = -1;
    Integer FBorderWidth = 0;
    TColor FBorderColor = 0;
    TAlignment FAlignment = taLeftJustify;
    TVAlignment FVAlignment = vtaTop;
    Integer FPaintID = 0;
    bool FWordWrap;
    bool FIsBaseCell = true;
    TColumnCalcType FCalcType = acNONE;
    TObject* FCalcObject = nullptr;
    Integer FNodeLevel = 0;
    TEditorType FEditor = edNormal;
    String FFontName;
    bool FReadOnly = false;
    TCellGradientDirection FGradientDirection = GradientVertical;
    TControl* FControl = nullptr;
};

// ---------------------------------------------------------------------------
// TObjStringGrid: stands between the runtime's string grid and TBaseGrid.

class TObjStringGrid : public TStringGrid {
public:
    explicit TObjStringGrid(TComponent* AOwner) : TStringGrid(AOwner) {}
};

// ---------------------------------------------------------------------------
// TBaseGrid

class TBaseGrid : public TObjStringGrid {
public:
    explicit TBaseGrid(TComponent* AOwner);
    // Frees every cell's properties and the graphic objects that are not
    // TCellGraphic (their owner frees those).
    ~TBaseGrid() override;

    // The grid's own copies: the runtime grid draws no lines and no cells.
    bool DefaultDrawing() const { return FDefaultDrawing; }
    void SetDefaultDrawing(bool Value);
    Integer GridLineWidth() const { return GetGridLineWidth(); }
    Integer GetGridLineWidth() const { return FGridLineWidth; }
    void SetGridLineWidth(Integer Value);
    TColor GridLineColor() const { return FGridLineColor; }
    void SetGridLineColor(TColor Value);
    TColor GridFixedLineColor() const { return FGridFixedLineColor; }
    void SetGridFixedLineColor(TColor Value);

    // These repaint the grid when the value changes.
    bool ActiveRowShow() const { return FActiveRowShow; }
    void SetActiveRowShow(bool Value);
    TColor ActiveRowColor() const { return FActiveRowColor; }
    void SetActiveRowColor(TColor Value);
    TColor ActiveRowColorTo() const { return FActiveRowColorTo; }
    void SetActiveRowColorTo(TColor Value);
    TColor ActiveRowMirrorColor() const { return FActiveRowMirrorColor; }
    void SetActiveRowMirrorColor(TColor Value);
    TColor ActiveRowMirrorColorTo() const { return FActiveRowMirrorColorTo; }
    void SetActiveRowMirrorColorTo(TColor Value);
    TGridSelectionStyle SelectionStyle() const { return FSelectionStyle; }
    void SetSelectionStyle(TGridSelectionStyle Value);

    bool HoverRow() const { return FHoverRow; }
    void SetHoverRow(bool Value) { FHoverRow = Value; }
    TColor HoverRowColor() const { return FHoverRowColor; }
    void SetHoverRowColor(TColor Value) { FHoverRowColor = Value; }
    TColor HoverRowColorTo() const { return FHoverRowColorTo; }
    void SetHoverRowColorTo(TColor Value) { FHoverRowColorTo = Value; }
    THoverRowCells HoverRowCells() const { return FHoverRowCells; }
    void SetHoverRowCells(THoverRowCells Value) { FHoverRowCells = Value; }
    // Word wrap of new cell properties.
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value) { FWordWrap = Value; }

    // Not owned; the grid and the component forget each other when either goes.
    TExGridUndoRedo* UndoRedo() const { return FUndoRedo; }
    void SetUndoRedo(TExGridUndoRedo* Value);

    TGetDisplTextEvent OnGetDisplText;
    TGetDisplWideTextEvent OnGetDisplWideText;

    // Cell texts through merged areas and the display hooks; a cell outside
    // the store raises EInvalidGridOperation "Grid index out of range".
    String Cells(Integer ACol, Integer ARow) { return GetCellEx(ACol, ARow); }
    void SetCells(Integer ACol, Integer ARow, const String& Value) { SetCellEx(ACol, ARow, Value); }
    virtual String GetCellEx(Integer c, Integer r);
    virtual void SetCellEx(Integer c, Integer r, const String& Value);
    // The caller's object of a cell, kept in its properties.
    TObject* Objects(Integer ACol, Integer ARow) { return GetObjectEx(ACol, ARow); }
    void SetObjects(Integer ACol, Integer ARow, TObject* Value) { SetObjectEx(ACol, ARow, Value); }
    virtual TObject* GetObjectEx(Integer c, Integer r);
    virtual void SetObjectEx(Integer c, Integer r, TObject* Value);
    TObject* GraphicObjects(Integer ACol, Integer ARow) { return GetGraphicObjectEx(ACol, ARow); }
    void SetGraphicObjects(Integer ACol, Integer ARow, TObject* Value) { SetGraphicObjectEx(ACol, ARow, Value); }
    TObject* GetGraphicObjectEx(Integer c, Integer r);
    void SetGraphicObjectEx(Integer c, Integer r, TObject* Value);
    // Made on first demand, so never null for a cell of the store.
    TCellProperties* CellProperties(Integer ACol, Integer ARow) { return GetCellProperties(ACol, ARow); }
    void SetCellProperties(Integer c, Integer r, TCellProperties* Value);
    TCellProperties* GetCellProperties(Integer c, Integer r);
    // The raw slots of exactly (c, r): no merged areas, no hooks.
    String GridCells(Integer c, Integer r) const { return GetGridCell(c, r); }
    void SetGridCells(Integer c, Integer r, const String& Value) { SetGridCell(c, r, Value); }
    String GetGridCell(Integer c, Integer r) const;
    void SetGridCell(Integer c, Integer r, const String& Value);
    TCellProperties* GridObjects(Integer c, Integer r) const { return GetGridObject(c, r); }
    void SetGridObjects(Integer c, Integer r, TCellProperties* Value) { SetGridObject(c, r, Value); }
    TCellProperties* GetGridObject(Integer c, Integer r) const;
    void SetGridObject(Integer c, Integer r, TCellProperties* Value);
    // Exchanges the texts and objects of two raw slots; cell properties
    // take their new column and row.
    void ExchangeGridCells(Integer c1, Integer r1, Integer c2, Integer r2);

    bool HasCellProperties(Integer ACol, Integer ARow) const;
    TObject* GetPropertiesGraphic(TCellProperties* Props) const { return Props->FGraphicObject; }
    // True for a cell that is not a covered cell of a merged area; BaseCol
    // and BaseRow give the area's base cell.
    bool IsBaseCellEx(Integer ACol, Integer ARow, Integer& BaseCol, Integer& BaseRow) const;
    // Empty the text and free the properties (not the graphic object or the
    // caller's object).
    void ClearCell(Integer ACol, Integer ARow);
    void ClearColCells(Integer ACol);
    void ClearRowCells(Integer ARow);
    void FreeCellProperties(Integer ACol, Integer ARow);
    void FreeCellPropertiesRect(Integer ACol1, Integer ARow1, Integer ACol2, Integer ARow2);
    void FreeAllCellProperties();

    // Merged cells (BaseGrid_Merge.cpp).
    TPoint BaseCell(Integer ACol, Integer ARow) const;
    bool IsBaseCell(Integer ACol, Integer ARow) const;
    bool IsMergedCell(Integer ACol, Integer ARow) const;
    bool IsMergedNonBaseCell(Integer ACol, Integer ARow) const;
    bool IsXMergedCell(Integer ACol, Integer ARow) const;
    bool IsYMergedCell(Integer ACol, Integer ARow) const;
    TPoint CellSpan(Integer ACol, Integer ARow) const;
    TPoint CellExt(Integer ACol, Integer ARow) const;
    // Left, Top: the base cell; Right, Bottom: the area's last column and row.
    TRect FullCell(Integer c, Integer r) const;
    Integer MinRowSpan(Integer ARow) const;
    Integer MaxRowSpan(Integer ARow) const;
    bool RowSpanIdentical(Integer ARow1, Integer ARow2) const;
    bool ColSpanIdentical(Integer ACol1, Integer ACol2) const;
    virtual void MergeCells(Integer c, Integer r, Integer spanx, Integer spany);
    virtual void SplitCells(Integer c, Integer r);

    // The whole area of a merged cell, also where it is scrolled away;
    // otherwise the runtime's rectangle with the line after the cell.
    TRect CellRect(Integer c, Integer r) const;
    TPoint CellSize(Integer c, Integer r) const;
    // The cell's rectangle in client coordinates, also out of view.
    TRect GetCellRectEx(Integer ACol, Integer ARow) const;
    void RepaintCell(Integer c, Integer r);
    Integer FixedColsWidth() const;
    Integer FixedRowsHeight() const;

    // The cell painter on any canvas: PaintCellExt paints only the
    // background and the lines of ARect as given.
    void PaintCell(TCanvas* ACanvas, Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState);
    void PaintCellExt(TCanvas* ACanvas, Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState);

    // The current cell moves to its base cell.
    void SelectBaseCell();

    virtual Integer DisplColIndex(Integer ACol) const;
    // The store's columns: ColCount here, more where hidden columns are kept.
    virtual Integer TotalColCount() const;

protected:
    virtual bool IsFixed(Integer ACol, Integer ARow);
    virtual Integer GetCellIndent(Integer ARow);
    virtual bool HasNodes();
    virtual void PaintCellContent(TCanvas* ACanvas, Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState);
    virtual void LastRowChanged();
    virtual void GetDisplText(Integer ACol, Integer ARow, String& Value);
    virtual void GetDisplWideText(Integer ACol, Integer ARow, String& Value);
    virtual void GetCellDefaults(Integer ACol, Integer ARow, TFont* AFont, TBrush* ABrush, TColor& ColorTo,
                                 TColor& MirrorColor, TColor& MirrorColorTo, TAlignment& HA, TVAlignment& VA,
                                 bool& WW, TCellGradientDirection& GD);
    virtual void CellTextChanged(Integer ACol, Integer ARow);
    virtual bool HasCellBorderEvent();
    virtual bool UseVCLStyles();
    virtual void GetVisualProperties(Integer ACol, Integer ARow, TGridDrawState& AState, bool Print, bool Select,
                                     bool Remap, TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor,
                                     TColor& AMirrorColorTo, TFont* AFont, TAlignment& HA, TVAlignment& VA,
                                     bool& WW, TCellGradientDirection& GD);

    void DoPaintCell(TCanvas* ACanvas, Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState, bool Full);

    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Paint() override;
    void DrawCell(Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState) override;
    bool SelectCell(Integer ACol, Integer ARow) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void TopLeftChanged() override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;

    // Raises "Grid index out of range" for a cell outside the store.
    void CheckStore(Integer ACol, Integer ARow) const;

    Integer FPaintID = 1;
    bool FHideLastRow = false;
    Integer FNormalRowCount = 0;
    Integer FHoverRowIdx = -1;
    bool FHoverRow = false;
    THoverRowCells FHoverRowCells{hcNormal, hcSelected};
    TColor FHoverRowColor = clInfoBk;
    TColor FHoverRowColorTo = clNone;
    bool FShowSel = true;
    bool FHasCellProps = false;
    Integer FMergeCount = 0;

private:
    friend class TCellProperties;

    TCellProperties* SlotProperties(Integer ACol, Integer ARow) const
    {
        return static_cast<TCellProperties*>(SlotObject(ACol, ARow));
    }
    TCellProperties* CreateCellProperties(Integer c, Integer r);
    // The properties of a cell of the store, or null.
    TCellProperties* StoreProperties(Integer ACol, Integer ARow) const;
    // Frees a slot's properties and, with FreeGraphic, a graphic object that
    // is not a TCellGraphic.
    void FreeSlotProperties(Integer ACol, Integer ARow, bool FreeGraphic);
    // The blank text written around a change of a cell's objects, so that
    // the write hooks see the cell used.
    template <class F>
    void WithBlankText(Integer c, Integer r, F&& Change);
    // The union of the rectangles of a merged area's first and last cells.
    TRect AreaRect(Integer c, Integer r, bool KeepEdges) const;
    // Whether any cell of the rectangle of cells lies in view.
    bool CellsInView(const TRect& Cells) const;
    // Sum of the widths (heights) of columns (rows) From .. To - 1.
    Integer SizeSum(bool Rows, Integer From, Integer To) const;
    void SetAreaSpans(Integer c, Integer r, Integer spanx, Integer spany);
    void RepaintArea(Integer c1, Integer r1, Integer c2, Integer r2);
    template <class T>
    void SetAndRepaint(T& Field, T Value);
    // Painting (BaseGrid_Paint.cpp).
    void PaintSelection(TCanvas* ACanvas, Integer ACol, const TRect& ARect);
    // Node rows keep column 0 free of the bottom line.
    void PaintLines(TCanvas* ACanvas, Integer BaseCol, const TRect& ARect, bool Fixed);

    bool FDefaultDrawing = false;
    Integer FGridLineWidth = 1;
    TColor FGridLineColor = clSilver;
    TColor FGridFixedLineColor = clGray;
    TExGridUndoRedo* FUndoRedo = nullptr;
    bool FWordWrap = true;
    bool FActiveRowShow = false;
    TColor FActiveRowColor = clInfoBk;
    TColor FActiveRowColorTo = clNone;
    TColor FActiveRowMirrorColor = clNone;
    TColor FActiveRowMirrorColorTo = clNone;
    TGridSelectionStyle FSelectionStyle = ssDefault;
};

// ---------------------------------------------------------------------------
// Undo and redo of cell texts (BaseGrid_Undo.cpp).

// One changed cell, or a marker (column and row -1) that opens or closes a
// sequence undone and redone as one.
class TUndoRedoItem : public TCollectionItem {
public:
    using TCollectionItem::TCollectionItem;

    Integer Row() const { return FRow; }
    void SetRow(Integer Value) { FRow = Value; }
    Integer Col() const { return FCol; }
    void SetCol(Integer Value) { FCol = Value; }
    const String& Value() const { return FValue; }
    void SetValue(const String& Value) { FValue = Value; }
    const String& OrigValue() const { return FOrigValue; }
    void SetOrigValue(const String& Value) { FOrigValue = Value; }
    bool SequenceStart() const { return FSequenceStart; }
    void SetSequenceStart(bool Value) { FSequenceStart = Value; }
    bool SequenceStop() const { return FSequenceStop; }
    void SetSequenceStop(bool Value) { FSequenceStop = Value; }

private:
    Integer FRow = 0;
    Integer FCol = 0;
    String FValue;
    String FOrigValue;
    bool FSequenceStart = false;
    bool FSequenceStop = false;
};

class TUndoRedoCollection : public TCollection {
public:
    TUndoRedoCollection() : TCollection(CollectionItemClass<TUndoRedoItem>()) {}
    TUndoRedoItem* Items(int Index) const { return static_cast<TUndoRedoItem*>(TCollection::Items(Index)); }
    TUndoRedoItem* Add() { return static_cast<TUndoRedoItem*>(TCollection::Add()); }
};

// Records cell text changes of one grid; entries 0 .. Level - 1 can be
// undone, Level .. count - 1 redone.
class TExGridUndoRedo : public TComponent {
public:
    explicit TExGridUndoRedo(TComponent* AOwner);
    ~TExGridUndoRedo() override;

    virtual void RegisterChange(Integer ACol, Integer ARow, const String& OldValue, const String& NewValue);
    virtual void StartSequence();
    virtual void StopSequence();
    void Undo();
    void Redo();
    void Reset();
    bool CanUndo() const { return FLevel > 0; }
    bool CanRedo() const { return FLevel < FItems->Count(); }

    // Most entries kept; 0 is no limit.
    Integer MaxLevel() const { return FMaxLevel; }
    void SetMaxLevel(Integer Value) { FMaxLevel = Value; }
    Integer Level() const { return FLevel; }
    TUndoRedoCollection* Items() const { return FItems.get(); }
    TBaseGrid* Grid() const { return FGrid; }
    void SetGrid(TBaseGrid* Value);

    TExGridUndoRedoEvent OnUndo;
    TExGridUndoRedoEvent OnRedo;

    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TUndoRedoItem* AddMarker(bool Start);
    bool IsMarker(const TUndoRedoItem* E) const { return E->SequenceStart() || E->SequenceStop(); }
    // Writes E's old (Undo) or new text into its cell, unless E is a marker
    // or lies outside the grid.
    void Apply(const TUndoRedoItem* E, bool Undoing);
    TUndoRedoItem* Entry(Integer Index) const { return FItems->Items(Index); }

    std::unique_ptr<TUndoRedoCollection> FItems;
    TBaseGrid* FGrid = nullptr;
    Integer FLevel = 0;
    Integer FMaxLevel = 0;
};
