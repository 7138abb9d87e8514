// Grids: counts, sizes, geometry, the current cell and the selection.
#include "rtl/Grids.h"

#include "rtl/SysUtils.h"

#include <algorithm>

namespace {

// Sizes along one axis with the line after each, the line width taken once
// (the loops over the rows run for every cell written and painted).
class TGridsExtents {
public:
    TGridsExtents(const std::vector<Integer>& Sizes, Integer Line) : FSizes(Sizes), FLine(Line) {}
    Integer operator()(Integer Index) const
    {
        const Integer V = FSizes[std::size_t(Index)];
        return V < 0 ? 0 : V + FLine;
    }

private:
    const std::vector<Integer>& FSizes;
    Integer FLine;
};

} // namespace

Integer MovedIndex(Integer Index, Integer From, Integer To)
{
    if (Index == From)
        return To;
    if (From < To && Index > From && Index <= To)
        return Index - 1;
    if (To < From && Index >= To && Index < From)
        return Index + 1;
    return Index;
}

TCustomGrid::TCustomGrid(TComponent* AOwner) : TCustomControl(AOwner)
{
    FColWidths.assign(std::size_t(FColCount), FDefaultColWidth);
    FRowHeights.assign(std::size_t(FRowCount), FDefaultRowHeight);
    CreateGridWidget();
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
    SetBounds(0, 0, 320, 120);
    UpdateScrollRange();
}

// ---------------------------------------------------------------- counts and sizes

void TCustomGrid::SetColCount(Integer Value)
{
    ChangeSize(Value, FRowCount);
}

void TCustomGrid::SetRowCount(Integer Value)
{
    ChangeSize(FColCount, Value);
}

void TCustomGrid::ChangeSize(Integer NewColCount, Integer NewRowCount)
{
    NewColCount = std::max(NewColCount, 1);
    NewRowCount = std::max(NewRowCount, 1);
    if (NewColCount == FColCount && NewRowCount == FRowCount)
        return;
    const Integer OldColCount = FColCount;
    const Integer OldRowCount = FRowCount;
    if (FInplaceCol >= NewColCount || FInplaceRow >= NewRowCount)
        HideEdit();
    FColCount = NewColCount;
    FRowCount = NewRowCount;
    FFixedCols = std::min(FFixedCols, NewColCount - 1);
    FFixedRows = std::min(FFixedRows, NewRowCount - 1);
    FColWidths.resize(std::size_t(NewColCount), FDefaultColWidth);
    FRowHeights.resize(std::size_t(NewRowCount), FDefaultRowHeight);
    AdjustToCounts(OldColCount, OldRowCount);
    LayoutChanged();
    SizeChanged(OldColCount, OldRowCount);
}

void TCustomGrid::AdjustToCounts(Integer OldColCount, Integer OldRowCount)
{
    // Cells that were inside the grid stay inside it; a selection put
    // outside every cell on purpose stays where it is.
    auto Fit = [](Integer& V, Integer Fixed, Integer OldCount, Integer NewCount) {
        if (V < OldCount && V >= NewCount)
            V = NewCount - 1;
        if (V >= 0 && V < NewCount && V < Fixed)
            V = Fixed;
    };
    for (TGridCoord* P : {&FCurrent, &FAnchor}) {
        Fit(P->X, FFixedCols, OldColCount, FColCount);
        Fit(P->Y, FFixedRows, OldRowCount, FRowCount);
    }
    if (FOptions.Contains(goRowSelect)) {
        FCurrent.X = FFixedCols;
        FAnchor.X = FColCount - 1;
    }
    FTopLeft.X = std::clamp(FTopLeft.X, FFixedCols, FColCount - 1);
    FTopLeft.Y = std::clamp(FTopLeft.Y, FFixedRows, FRowCount - 1);
}

void TCustomGrid::SetFixedCols(Integer Value)
{
    if (Value < 0)
        GridIndexError();
    if (Value >= FColCount)
        throw EInvalidGridOperation(QStringLiteral("Fixed column count must be less than column count"));
    if (Value == FFixedCols)
        return;
    FFixedCols = Value;
    AdjustToCounts(FColCount, FRowCount);
    LayoutChanged();
}

void TCustomGrid::SetFixedRows(Integer Value)
{
    if (Value < 0)
        GridIndexError();
    if (Value >= FRowCount)
        throw EInvalidGridOperation(QStringLiteral("Fixed row count must be less than row count"));
    if (Value == FFixedRows)
        return;
    FFixedRows = Value;
    AdjustToCounts(FColCount, FRowCount);
    LayoutChanged();
}

void TCustomGrid::SetDefaultColWidth(Integer Value)
{
    FDefaultColWidth = Value;
    std::fill(FColWidths.begin(), FColWidths.end(), Value);
    ColWidthsChanged();
}

void TCustomGrid::SetDefaultRowHeight(Integer Value)
{
    FDefaultRowHeight = Value;
    std::fill(FRowHeights.begin(), FRowHeights.end(), Value);
    RowHeightsChanged();
}

Integer TCustomGrid::ColWidths(Integer Index) const
{
    if (Index < 0 || Index >= FColCount)
        GridIndexError();
    return FColWidths[std::size_t(Index)];
}

void TCustomGrid::SetColWidths(Integer Index, Integer Value)
{
    if (Index < 0 || Index >= FColCount)
        GridIndexError();
    if (FColWidths[std::size_t(Index)] == Value)
        return;
    FColWidths[std::size_t(Index)] = Value;
    ColWidthsChanged();
}

Integer TCustomGrid::RowHeights(Integer Index) const
{
    if (Index < 0 || Index >= FRowCount)
        GridIndexError();
    return FRowHeights[std::size_t(Index)];
}

void TCustomGrid::SetRowHeights(Integer Index, Integer Value)
{
    if (Index < 0 || Index >= FRowCount)
        GridIndexError();
    if (FRowHeights[std::size_t(Index)] == Value)
        return;
    FRowHeights[std::size_t(Index)] = Value;
    RowHeightsChanged();
}

void TCustomGrid::SetRowHeightList(const std::vector<Integer>& Heights)
{
    std::copy_n(Heights.begin(), std::min(Heights.size(), FRowHeights.size()), FRowHeights.begin());
    LayoutChanged();
}

void TCustomGrid::SetGridLineWidth(Integer Value)
{
    Value = std::max(Value, 0);
    if (Value == FGridLineWidth)
        return;
    FGridLineWidth = Value;
    LayoutChanged();
}

void TCustomGrid::ColWidthsChanged()
{
    LayoutChanged();
}

void TCustomGrid::RowHeightsChanged()
{
    LayoutChanged();
}

void TCustomGrid::SizeChanged(Integer, Integer) {}

void TCustomGrid::LayoutChanged()
{
    UpdateScrollRange();
    ClampTopLeft();
    InvalidateGrid();
    UpdateEdit();
}

// ---------------------------------------------------------------- options

void TCustomGrid::SetOptions(TGridOptions Value)
{
    if (Value == FOptions)
        return;
    const TGridOptions Old = FOptions;
    FOptions = Value;
    if (Value.Contains(goRowSelect) && !Old.Contains(goRowSelect)) {
        FCurrent.X = FFixedCols;
        FAnchor.X = FColCount - 1;
    }
    if (!Value.Contains(goEditing) || Value.Contains(goRowSelect))
        HideEditor();
    else if (Value.Contains(goAlwaysShowEditor) && !Old.Contains(goAlwaysShowEditor))
        ShowEditor();
    // The lines decide the gaps between cells.
    LayoutChanged();
}

void TCustomGrid::SetDefaultDrawing(bool Value)
{
    if (Value == FDefaultDrawing)
        return;
    FDefaultDrawing = Value;
    InvalidateGrid();
}

void TCustomGrid::SetFixedColor(TColor Value)
{
    if (Value == FFixedColor)
        return;
    FFixedColor = Value;
    InvalidateGrid();
}

// ---------------------------------------------------------------- geometry

Integer TCustomGrid::AxisSize(bool Rows, Integer Index) const
{
    const Integer V = Rows ? FRowHeights[std::size_t(Index)] : FColWidths[std::size_t(Index)];
    return std::max(V, 0);
}

Integer TCustomGrid::AxisLineWidth(bool Rows) const
{
    // Rows are separated by horizontal lines, columns by vertical ones.
    const bool Drawn = Rows ? (FOptions.Contains(goHorzLine) || FOptions.Contains(goFixedHorzLine))
                            : (FOptions.Contains(goVertLine) || FOptions.Contains(goFixedVertLine));
    return Drawn ? FGridLineWidth : 0;
}

Integer TCustomGrid::AxisExtent(bool Rows, Integer Index) const
{
    return TGridsExtents(Rows ? FRowHeights : FColWidths, AxisLineWidth(Rows))(Index);
}

Integer TCustomGrid::AxisClient(bool Rows) const
{
    const TRect R = ClientRect();
    return Rows ? R.Height() : R.Width();
}

Integer TCustomGrid::AxisFixedExtent(bool Rows) const
{
    const TGridsExtents Ext(Rows ? FRowHeights : FColWidths, AxisLineWidth(Rows));
    Integer Sum = 0;
    for (Integer I = 0; I < AxisFixed(Rows); ++I)
        Sum += Ext(I);
    return Sum;
}

Integer TCustomGrid::AxisPos(bool Rows, Integer Index) const
{
    const TGridsExtents Ext(Rows ? FRowHeights : FColWidths, AxisLineWidth(Rows));
    const Integer Count = AxisCount(Rows);
    const Integer Fixed = AxisFixed(Rows);
    const Integer Client = AxisClient(Rows);
    if (Index < 0 || Index >= Count)
        return -1;
    Integer P = 0;
    if (Index < Fixed) {
        for (Integer I = 0; I < Index; ++I)
            P += Ext(I);
        return P < Client ? P : -1;
    }
    const Integer First = AxisFirst(Rows);
    if (Index < First)
        return -1;
    P = AxisFixedExtent(Rows);
    for (Integer I = First; I < Index && P < Client; ++I)
        P += Ext(I);
    return P < Client ? P : -1;
}

Integer TCustomGrid::AxisAt(bool Rows, Integer P) const
{
    const TGridsExtents Ext(Rows ? FRowHeights : FColWidths, AxisLineWidth(Rows));
    const Integer Client = AxisClient(Rows);
    if (P < 0 || P >= Client)
        return -1;
    Integer Pos = 0;
    for (Integer I = 0; I < AxisFixed(Rows); ++I) {
        Pos += Ext(I);
        if (P < Pos)
            return I;
    }
    for (Integer I = AxisFirst(Rows); I < AxisCount(Rows) && Pos < Client; ++I) {
        Pos += Ext(I);
        if (P < Pos)
            return I;
    }
    return -1;
}

Integer TCustomGrid::AxisMaxFirst(bool Rows, Integer Client) const
{
    const TGridsExtents Ext(Rows ? FRowHeights : FColWidths, AxisLineWidth(Rows));
    const Integer Fixed = AxisFixed(Rows);
    const Integer Avail = Client - AxisFixedExtent(Rows);
    Integer First = AxisCount(Rows) - 1;
    if (First <= Fixed)
        return Fixed;
    Integer Used = AxisSize(Rows, First);
    while (First > Fixed) {
        const Integer Add = Ext(First - 1);
        if (Used + Add > Avail)
            break;
        Used += Add;
        --First;
    }
    return First;
}

Integer TCustomGrid::AxisVisibleCount(bool Rows) const
{
    const TGridsExtents Ext(Rows ? FRowHeights : FColWidths, AxisLineWidth(Rows));
    const Integer Client = AxisClient(Rows);
    Integer P = AxisFixedExtent(Rows);
    Integer Count = 0;
    for (Integer I = AxisFirst(Rows); I < AxisCount(Rows); ++I) {
        if (P + AxisSize(Rows, I) > Client)
            break;
        ++Count;
        P += Ext(I);
    }
    return Count;
}

Integer TCustomGrid::AxisDragTarget(bool Rows, Integer P) const
{
    const TGridsExtents Ext(Rows ? FRowHeights : FColWidths, AxisLineWidth(Rows));
    const Integer Fixed = AxisFixed(Rows);
    const Integer First = AxisFirst(Rows);
    if (P < AxisFixedExtent(Rows))
        return First;
    const Integer At = AxisAt(Rows, P);
    if (At >= Fixed)
        return At;
    // Beyond the last cell: the last one in view.
    const Integer Client = AxisClient(Rows);
    Integer Last = First;
    Integer Pos = AxisFixedExtent(Rows);
    for (Integer I = First; I < AxisCount(Rows) && Pos < Client; ++I) {
        Last = I;
        Pos += Ext(I);
    }
    return Last;
}

Integer TCustomGrid::AxisFirstShowing(bool Rows, Integer Index) const
{
    const TGridsExtents Ext(Rows ? FRowHeights : FColWidths, AxisLineWidth(Rows));
    const Integer First = AxisFirst(Rows);
    if (Index < AxisFixed(Rows))
        return First;
    if (Index < First)
        return Index;
    const Integer Avail = AxisClient(Rows) - AxisFixedExtent(Rows);
    Integer Used = 0;
    for (Integer I = First; I < Index && Used <= Avail; ++I)
        Used += Ext(I);
    if (Used + AxisSize(Rows, Index) <= Avail)
        return First;
    // Scroll just far enough for Index to be the last whole one.
    Integer NewFirst = Index;
    Used = AxisSize(Rows, Index);
    while (NewFirst > First + 1) {
        const Integer Add = Ext(NewFirst - 1);
        if (Used + Add > Avail)
            break;
        Used += Add;
        --NewFirst;
    }
    return NewFirst;
}

Integer TCustomGrid::AxisSizingIndex(bool Rows, Integer P, Integer& Border) const
{
    const TGridsExtents Ext(Rows ? FRowHeights : FColWidths, AxisLineWidth(Rows));
    // A border of a scrollable column (row) within 3 pixels of P; the
    // nearest one wins.
    const Integer Client = AxisClient(Rows);
    Integer Pos = AxisFixedExtent(Rows);
    Integer Best = -1;
    Integer BestDistance = 4;
    for (Integer I = AxisFirst(Rows); I < AxisCount(Rows) && Pos < Client; ++I) {
        const Integer Edge = Pos + AxisSize(Rows, I);
        const Integer Distance = std::abs(P - Edge);
        if (Ext(I) > 0 && Distance < BestDistance) {
            Best = I;
            BestDistance = Distance;
            Border = Edge;
        }
        Pos += Ext(I);
    }
    return Best;
}

TRect TCustomGrid::CellRect(Integer ACol, Integer ARow) const
{
    const Integer X = AxisPos(false, ACol);
    const Integer Y = AxisPos(true, ARow);
    if (X < 0 || Y < 0)
        return TRect();
    return TRect(X, Y, X + AxisSize(false, ACol), Y + AxisSize(true, ARow));
}

void TCustomGrid::MouseToCell(Integer X, Integer Y, Integer& ACol, Integer& ARow) const
{
    ACol = AxisAt(false, X);
    ARow = AxisAt(true, Y);
    if (ACol < 0 || ARow < 0) {
        ACol = -1;
        ARow = -1;
    }
}

TGridCoord TCustomGrid::MouseCoord(Integer X, Integer Y) const
{
    TGridCoord C;
    MouseToCell(X, Y, C.X, C.Y);
    return C;
}

Integer TCustomGrid::VisibleColCount() const
{
    return AxisVisibleCount(false);
}

Integer TCustomGrid::VisibleRowCount() const
{
    return AxisVisibleCount(true);
}

void TCustomGrid::GridIndexError()
{
    throw EInvalidGridOperation(QStringLiteral("Grid index out of range"));
}

void TCustomGrid::CheckCoord(Integer ACol, Integer ARow) const
{
    if (ACol < 0 || ACol >= FColCount || ARow < 0 || ARow >= FRowCount)
        GridIndexError();
}

// ---------------------------------------------------------------- scrolling

void TCustomGrid::SetLeftCol(Integer Value)
{
    if (Value < FFixedCols || Value >= FColCount)
        GridIndexError();
    MoveTopLeft(Value, FTopLeft.Y);
}

void TCustomGrid::SetTopRow(Integer Value)
{
    if (Value < FFixedRows || Value >= FRowCount)
        GridIndexError();
    MoveTopLeft(FTopLeft.X, Value);
}

void TCustomGrid::MoveTopLeft(Integer ALeft, Integer ATop)
{
    ALeft = std::clamp(ALeft, FFixedCols, FColCount - 1);
    ATop = std::clamp(ATop, FFixedRows, FRowCount - 1);
    if (ALeft == FTopLeft.X && ATop == FTopLeft.Y)
        return;
    FTopLeft = TGridCoord{ALeft, ATop};
    InvalidateGrid();
    UpdateScrollPos();
    TopLeftChanged();
}

void TCustomGrid::ClampTopLeft()
{
    // After the view or the sizes changed: no empty space after the last
    // column (row) where more of them fit.
    MoveTopLeft(std::min(FTopLeft.X, AxisMaxFirst(false, AxisClient(false))),
                std::min(FTopLeft.Y, AxisMaxFirst(true, AxisClient(true))));
}

void TCustomGrid::ClampInView(TGridCoord Coord)
{
    if (Coord.X < 0 || Coord.X >= FColCount || Coord.Y < 0 || Coord.Y >= FRowCount)
        return;
    MoveTopLeft(AxisFirstShowing(false, Coord.X), AxisFirstShowing(true, Coord.Y));
}

void TCustomGrid::TopLeftChanged()
{
    UpdateEdit();
}

// ---------------------------------------------------------------- current cell and selection

bool TCustomGrid::SelectCell(Integer, Integer)
{
    return true;
}

// A current cell put outside the grid (a hidden selection) keeps neither
// coordinate: the other one starts at the first scrollable line.
void TCustomGrid::SetCol(Integer Value)
{
    if (Value != FCurrent.X)
        FocusCell(Value, FCurrent.Y >= 0 && FCurrent.Y < FRowCount ? FCurrent.Y : FFixedRows, true);
}

void TCustomGrid::SetRow(Integer Value)
{
    if (Value != FCurrent.Y)
        FocusCell(FCurrent.X >= 0 && FCurrent.X < FColCount ? FCurrent.X : FFixedCols, Value, true);
}

void TCustomGrid::FocusCell(Integer ACol, Integer ARow, bool MoveAnchor)
{
    MoveCurrent(ACol, ARow, MoveAnchor, true);
    UpdateEdit();
}

void TCustomGrid::MoveColRow(Integer ACol, Integer ARow, bool MoveAnchor, bool Show)
{
    MoveCurrent(ACol, ARow, MoveAnchor, Show);
    UpdateEdit();
}

void TCustomGrid::MoveCurrent(Integer ACol, Integer ARow, bool MoveAnchor, bool Show)
{
    CheckCoord(ACol, ARow);
    if (!SelectCell(ACol, ARow))
        return;
    const TGridRect OldSel = Selection();
    const bool CellChanged = ACol != FCurrent.X || ARow != FCurrent.Y;
    if (CellChanged && !FOptions.Contains(goAlwaysShowEditor))
        HideEditor();
    FCurrent = TGridCoord{ACol, ARow};
    if (MoveAnchor || !FOptions.Contains(goRangeSelect))
        FAnchor = FCurrent;
    if (FOptions.Contains(goRowSelect)) {
        FCurrent.X = FFixedCols;
        FAnchor.X = FColCount - 1;
    }
    if (Show)
        ClampInView(TGridCoord{ACol, ARow});
    InvalidateSelection(OldSel);
    InvalidateSelection(Selection());
}

TGridRect TCustomGrid::Selection() const
{
    TGridRect R{std::min(FAnchor.X, FCurrent.X), std::min(FAnchor.Y, FCurrent.Y),
                std::max(FAnchor.X, FCurrent.X), std::max(FAnchor.Y, FCurrent.Y)};
    if (FOptions.Contains(goRowSelect)) {
        R.Left = FFixedCols;
        R.Right = FColCount - 1;
    }
    return R;
}

void TCustomGrid::SetSelection(const TGridRect& Value)
{
    const TGridRect OldSel = Selection();
    const TGridCoord NewCurrent = Value.BottomRight();
    if (NewCurrent != FCurrent && !FOptions.Contains(goAlwaysShowEditor))
        HideEditor();
    FAnchor = Value.TopLeft();
    FCurrent = NewCurrent;
    InvalidateSelection(OldSel);
    InvalidateSelection(Selection());
    UpdateEdit();
}

TGridCoord TCustomGrid::NextTabCell(bool Backward) const
{
    TGridCoord C = FCurrent;
    const Integer Step = Backward ? -1 : 1;
    if (FOptions.Contains(goRowSelect)) {
        C.Y += Step;
    } else {
        C.X += Step;
        if (C.X >= FColCount) {
            C.X = FFixedCols;
            ++C.Y;
        } else if (C.X < FFixedCols) {
            C.X = FColCount - 1;
            --C.Y;
        }
    }
    // Past the last cell Tab starts again at the first, and back.
    if (C.Y >= FRowCount)
        C.Y = FFixedRows;
    else if (C.Y < FFixedRows)
        C.Y = FRowCount - 1;
    C.X = std::clamp(C.X, FFixedCols, FColCount - 1);
    return C;
}

// ---------------------------------------------------------------- moving columns and rows

void TCustomGrid::MoveLineSize(bool Rows, Integer FromIndex, Integer ToIndex)
{
    MoveEntry(Rows ? FRowHeights : FColWidths, FromIndex, ToIndex);
    auto Follow = [&](Integer& V) { V = MovedIndex(V, FromIndex, ToIndex); };
    if (Rows) {
        Follow(FCurrent.Y);
        Follow(FAnchor.Y);
    } else if (!FOptions.Contains(goRowSelect)) {
        Follow(FCurrent.X);
        Follow(FAnchor.X);
    }
}

void TCustomGrid::MoveColumn(Integer FromIndex, Integer ToIndex)
{
    if (FromIndex < 0 || FromIndex >= FColCount || ToIndex < 0 || ToIndex >= FColCount)
        GridIndexError();
    if (FromIndex == ToIndex)
        return;
    HideEdit();
    MoveLineSize(false, FromIndex, ToIndex);
    ColumnMoved(FromIndex, ToIndex);
    UpdateScrollRange();
    InvalidateGrid();
    UpdateEdit();
}

void TCustomGrid::MoveRow(Integer FromIndex, Integer ToIndex)
{
    if (FromIndex < 0 || FromIndex >= FRowCount || ToIndex < 0 || ToIndex >= FRowCount)
        GridIndexError();
    if (FromIndex == ToIndex)
        return;
    HideEdit();
    MoveLineSize(true, FromIndex, ToIndex);
    RowMoved(FromIndex, ToIndex);
    UpdateScrollRange();
    InvalidateGrid();
    UpdateEdit();
}

void TCustomGrid::ColumnMoved(Integer, Integer) {}
void TCustomGrid::RowMoved(Integer, Integer) {}

void TCustomGrid::DeleteColumn(Integer ACol)
{
    MoveColumn(ACol, FColCount - 1);
    SetColCount(FColCount - 1);
}

void TCustomGrid::DeleteRow(Integer ARow)
{
    MoveRow(ARow, FRowCount - 1);
    SetRowCount(FRowCount - 1);
}

// ---------------------------------------------------------------- repainting

void TCustomGrid::InvalidateCell(Integer ACol, Integer ARow)
{
    // Rows first: most cells written are out of view by their row.
    const Integer Y = AxisPos(true, ARow);
    const Integer X = Y < 0 ? -1 : AxisPos(false, ACol);
    if (X >= 0)
        InvalidateClientRect(TRect(X, Y, X + AxisExtent(false, ACol), Y + AxisExtent(true, ARow)));
}

void TCustomGrid::InvalidateCol(Integer ACol)
{
    const Integer X = AxisPos(false, ACol);
    if (X >= 0)
        InvalidateClientRect(TRect(X, 0, X + AxisExtent(false, ACol), AxisClient(true)));
}

void TCustomGrid::InvalidateRow(Integer ARow)
{
    const Integer Y = AxisPos(true, ARow);
    if (Y >= 0)
        InvalidateClientRect(TRect(0, Y, AxisClient(false), Y + AxisExtent(true, ARow)));
}

void TCustomGrid::InvalidateGrid()
{
    InvalidateClientRect(ClientRect());
}

void TCustomGrid::InvalidateSelection(const TGridRect& R)
{
    if (R.Left == R.Right && R.Top == R.Bottom)
        InvalidateCell(R.Left, R.Top);
    else
        InvalidateGrid();
}
