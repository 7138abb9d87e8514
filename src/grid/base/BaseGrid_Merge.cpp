// The base grid: cell properties, merged cells and cell geometry.
#include "grid/base/BaseGrid.h"

#include <algorithm>

// ---------------------------------------------------------------- TCellProperties

TCellProperties::TCellProperties(TBaseGrid* AOwner, Integer ACol, Integer ARow)
    : FOwnerGrid(AOwner), FOwnerCol(ACol), FOwnerRow(ARow), FWordWrap(AOwner->WordWrap())
{
    AOwner->FHasCellProps = true;
}

void TCellProperties::Assign(TPersistent* Source)
{
    const auto* S = dynamic_cast<const TCellProperties*>(Source);
    if (!S) {
        TPersistent::Assign(Source);
        return;
    }
    FIsBaseCell = S->FIsBaseCell;
    FCellSpanX = S->FCellSpanX;
    FCellSpanY = S->FCellSpanY;
    FOwnerRow = S->FOwnerRow;
    FOwnerCol = S->FOwnerCol;
    FObject = S->FObject;
    FAlignment = S->FAlignment;
    FBorderColor = S->FBorderColor;
    FBorderWidth = S->FBorderWidth;
    FBrushColor = S->FBrushColor;
    FBrushStyle = S->FBrushStyle;
    FFontColor = S->FFontColor;
    FFontStyle = S->FFontStyle;
    FFontName = S->FFontName;
    FFontSize = S->FFontSize;
    FReadOnly = S->FReadOnly;
    FEditor = S->FEditor;
    FVAlignment = S->FVAlignment;
    FWordWrap = S->FWordWrap;
    FNodeLevel = S->FNodeLevel;
    FControl = S->FControl;
}

TPoint TCellProperties::GetBaseCell(Integer c, Integer r) const
{
    if (!FIsBaseCell && FCellSpanX != -1 && FCellSpanY != -1)
        return TPoint(c - FCellSpanX, r - FCellSpanY);
    return TPoint(c, r);
}

void TCellProperties::RepaintOwnerCell()
{
    FOwnerGrid->RepaintCell(FOwnerCol, FOwnerRow);
}

void TCellProperties::SetBrushColor(TColor Value)
{
    FBrushColor = Value;
    RepaintOwnerCell();
}

void TCellProperties::SetBrushColorTo(TColor Value)
{
    FBrushColorTo = Value;
    RepaintOwnerCell();
}

void TCellProperties::SetVAlignment(TVAlignment Value)
{
    FVAlignment = Value;
    RepaintOwnerCell();
}

void TCellProperties::SetWordWrap(bool Value)
{
    FWordWrap = Value;
    RepaintOwnerCell();
}

// ---------------------------------------------------------------- merged-cell queries

namespace {

bool BaseGridHasSpans(const TCellProperties* P)
{
    return P && P->CellSpanX() != -1 && P->CellSpanY() != -1;
}

} // namespace

TPoint TBaseGrid::BaseCell(Integer ACol, Integer ARow) const
{
    const TCellProperties* P = StoreProperties(ACol, ARow);
    return P ? P->GetBaseCell(ACol, ARow) : TPoint(ACol, ARow);
}

bool TBaseGrid::IsBaseCell(Integer ACol, Integer ARow) const
{
    const TCellProperties* P = StoreProperties(ACol, ARow);
    return !P || P->FIsBaseCell;
}

bool TBaseGrid::IsMergedCell(Integer ACol, Integer ARow) const
{
    const TCellProperties* P = StoreProperties(ACol, ARow);
    return P && (P->FCellSpanX > 0 || P->FCellSpanY > 0);
}

bool TBaseGrid::IsMergedNonBaseCell(Integer ACol, Integer ARow) const
{
    return IsMergedCell(ACol, ARow) && !IsBaseCell(ACol, ARow);
}

bool TBaseGrid::IsXMergedCell(Integer ACol, Integer ARow) const
{
    return CellSpan(ACol, ARow).X > 0;
}

bool TBaseGrid::IsYMergedCell(Integer ACol, Integer ARow) const
{
    return CellSpan(ACol, ARow).Y > 0;
}

TPoint TBaseGrid::CellSpan(Integer ACol, Integer ARow) const
{
    const TCellProperties* P = StoreProperties(ACol, ARow);
    if (!BaseGridHasSpans(P))
        return TPoint(0, 0);
    const TPoint B = P->GetBaseCell(ACol, ARow);
    const TCellProperties* Base = StoreProperties(B.X, B.Y);
    return Base ? TPoint(Base->FCellSpanX, Base->FCellSpanY) : TPoint(0, 0);
}

TPoint TBaseGrid::CellExt(Integer ACol, Integer ARow) const
{
    const TCellProperties* P = StoreProperties(ACol, ARow);
    if (!BaseGridHasSpans(P))
        return TPoint(0, 0);
    const TPoint B = P->GetBaseCell(ACol, ARow);
    const TPoint Span = CellSpan(ACol, ARow);
    return TPoint(B.X + Span.X - ACol, B.Y + Span.Y - ARow);
}

TRect TBaseGrid::FullCell(Integer c, Integer r) const
{
    const TPoint B = BaseCell(c, r);
    const TPoint Span = CellSpan(c, r);
    return TRect(B.X, B.Y, B.X + Span.X, B.Y + Span.Y);
}

Integer TBaseGrid::MinRowSpan(Integer ARow) const
{
    Integer Result = RowCount();
    for (Integer C = 0; C < ColCount(); ++C) {
        const Integer Y = CellSpan(C, ARow).Y;
        if (Y > 0)
            Result = std::min(Result, Y);
    }
    return Result;
}

Integer TBaseGrid::MaxRowSpan(Integer ARow) const
{
    Integer Result = 0;
    for (Integer C = 0; C < ColCount(); ++C)
        Result = std::max(Result, CellSpan(C, ARow).Y);
    return Result;
}

bool TBaseGrid::RowSpanIdentical(Integer ARow1, Integer ARow2) const
{
    bool Found = false;
    for (Integer C = 0; C < ColCount(); ++C) {
        if (CellSpan(C, ARow1).Y <= 0 || CellSpan(C, ARow2).Y <= 0)
            continue;
        Found = true;
        if (BaseCell(C, ARow1).Y != BaseCell(C, ARow2).Y)
            return false;
    }
    return Found;
}

bool TBaseGrid::ColSpanIdentical(Integer ACol1, Integer ACol2) const
{
    bool Found = false;
    for (Integer R = 0; R < RowCount(); ++R) {
        const Integer X1 = CellSpan(ACol1, R).X;
        const Integer X2 = CellSpan(ACol2, R).X;
        if (X1 > 0 && X2 > 0) {
            Found = true;
            if (BaseCell(ACol1, R).X != BaseCell(ACol2, R).X)
                return false;
        } else if (X1 != X2) {
            return false;
        }
    }
    return Found;
}

// ---------------------------------------------------------------- merging and splitting

void TBaseGrid::RepaintArea(Integer c1, Integer r1, Integer c2, Integer r2)
{
    for (Integer C = c1; C <= c2; ++C)
        for (Integer R = r1; R <= r2; ++R)
            RepaintCell(C, R);
}

void TBaseGrid::MergeCells(Integer c, Integer r, Integer spanx, Integer spany)
{
    ++FMergeCount;
    // Cut to the store before anything is written, so that no half area is
    // left behind.
    const Integer c1 = std::max(c, 0);
    const Integer r1 = std::max(r, 0);
    const Integer c2 = std::min(c + spanx - 1, TotalColCount() - 1);
    const Integer r2 = std::min(r + spany - 1, RowCount() - 1);
    if (c2 < c1 || r2 < r1)
        return;
    for (Integer I = c1; I <= c2; ++I) {
        for (Integer J = r1; J <= r2; ++J) {
            TCellProperties* P = GetCellProperties(I, J);
            const bool Base = I == c1 && J == r1;
            P->FIsBaseCell = Base;
            P->FCellSpanX = Base ? c2 - c1 : I - c1;
            P->FCellSpanY = Base ? r2 - r1 : J - r1;
        }
    }
    RepaintArea(c1, r1, c2, r2);
}

void TBaseGrid::SplitCells(Integer c, Integer r)
{
    const TPoint B = GetCellProperties(c, r)->GetBaseCell(c, r);
    const TCellProperties* Base = GetCellProperties(B.X, B.Y);
    const Integer c2 = B.X + Base->FCellSpanX;
    const Integer r2 = B.Y + Base->FCellSpanY;
    // Cells without properties are plain already; cells the store no longer
    // holds are left alone.
    for (Integer I = B.X; I <= c2; ++I) {
        for (Integer J = B.Y; J <= r2; ++J) {
            if (TCellProperties* P = StoreProperties(I, J)) {
                P->FIsBaseCell = true;
                P->FCellSpanX = -1;
                P->FCellSpanY = -1;
            }
        }
    }
    RepaintArea(B.X, B.Y, c2, r2);
    --FMergeCount;
}

// ---------------------------------------------------------------- geometry

Integer TBaseGrid::SizeSum(bool Rows, Integer From, Integer To) const
{
    Integer Sum = 0;
    for (Integer I = From; I < To; ++I)
        Sum += std::max(Rows ? RowHeights(I) : ColWidths(I), 0);
    return Sum;
}

TRect TBaseGrid::GetCellRectEx(Integer ACol, Integer ARow) const
{
    // Positions run from the first scrollable line in view, so that a cell
    // far away costs only the lines between.
    const TRect TopLeftCell = TCustomGrid::CellRect(LeftCol(), TopRow());
    auto Start = [&](bool Rows, Integer Index) {
        const Integer Fixed = Rows ? FixedRows() : FixedCols();
        if (Index < Fixed)
            return SizeSum(Rows, 0, Index);
        const Integer First = Rows ? TopRow() : LeftCol();
        const Integer Origin = Rows ? TopLeftCell.Top : TopLeftCell.Left;
        return Index >= First ? Origin + SizeSum(Rows, First, Index) : Origin - SizeSum(Rows, Index, First);
    };
    const Integer L = Start(false, ACol);
    const Integer T = Start(true, ARow);
    return TRect(L, T, L + std::max(ColWidths(ACol), 0), T + std::max(RowHeights(ARow), 0));
}

TRect TBaseGrid::AreaRect(Integer c, Integer r, bool KeepEdges) const
{
    const TRect Full = FullCell(c, r);
    TRect R1 = GetCellRectEx(Full.Left, Full.Top);
    TRect R2 = GetCellRectEx(std::min(Full.Right, ColCount() - 1), std::min(Full.Bottom, RowCount() - 1));
    // A hidden first or last column still gives the area an edge.
    if (KeepEdges && R1.Left == R1.Right)
        ++R1.Right;
    if (KeepEdges && R2.Left == R2.Right)
        --R2.Left;
    TRect Area;
    UnionRect(Area, R1, R2);
    return Area;
}

TRect TBaseGrid::CellRect(Integer c, Integer r) const
{
    const TCellProperties* P = StoreProperties(c, r);
    if (P && (P->FCellSpanX != -1 || P->FCellSpanY != -1))
        return AreaRect(c, r, true);
    if (P && P->FControl)
        return GetCellRectEx(c, r);
    // The runtime's rectangle is empty for a cell out of view.
    return TCustomGrid::CellRect(c, r);
}

TPoint TBaseGrid::CellSize(Integer c, Integer r) const
{
    const TCellProperties* P = StoreProperties(c, r);
    if (P && (P->FCellSpanX != -1 || P->FCellSpanY != -1)) {
        const TRect R = AreaRect(c, r, false);
        return TPoint(R.Width(), R.Height());
    }
    // A single cell's size needs no position: measuring every cell of a
    // long column would otherwise sum the rows up to each one.
    return TPoint(std::max(ColWidths(c), 0), std::max(RowHeights(r), 0));
}

bool TBaseGrid::CellsInView(const TRect& Cells) const
{
    // Whole lines in view plus the one cut by the client edge.
    auto Shown = [](Integer From, Integer To, Integer Fixed, Integer First, Integer Visible) {
        return From < Fixed || (To >= First && From <= First + Visible);
    };
    return Shown(Cells.Left, Cells.Right, FixedCols(), LeftCol(), VisibleColCount()) &&
           Shown(Cells.Top, Cells.Bottom, FixedRows(), TopRow(), VisibleRowCount());
}

void TBaseGrid::RepaintCell(Integer c, Integer r)
{
    if (!HandleAllocated() || !CellsInView(FullCell(c, r)))
        return;
    InvalidateClientRect(CellRect(c, r));
}

Integer TBaseGrid::FixedColsWidth() const
{
    return SizeSum(false, 0, FixedCols());
}

Integer TBaseGrid::FixedRowsHeight() const
{
    return SizeSum(true, 0, FixedRows());
}
