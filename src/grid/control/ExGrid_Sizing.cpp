// The string grid: fitting columns and rows to their cells, sharing the
// width among the columns, sizing the window to its cells, numbering and
// swapping columns and rows.
#include "grid/control/ExGrid.h"

#include "grid/base/ExUtil.h"
#include "rtl/Windows.h"

#include <cmath>

namespace {

bool IsCheckLike(TCellType Type)
{
    return Type == ctCheckBox || Type == ctDataCheckBox || Type == ctVirtCheckBox || Type == ctRadioButton;
}

// The first and one past the last display row a column fit measures.
std::pair<Integer, Integer> MeasuredRows(TAutoSizeRows Rows, Integer FixedRows, Integer RowCount, Integer Footers)
{
    switch (Rows) {
    case arNormal: return {FixedRows, RowCount - Footers};
    case arFixed: return {0, FixedRows};
    default: return {0, RowCount};
    }
}

// Round with halves to the even neighbour.
Integer RoundEven(double Value)
{
    return Integer(std::nearbyint(Value));
}

} // namespace

// ---------------------------------------------------------------- columns

// The room one cell's graphic and text take in a column fit.
Integer TExStringGrid::FittedCellWidth(Integer ACol, Integer ARow)
{
    const Integer C = RealColIndex(ACol);
    const Integer GraphicWidth = GetCellGraphicSize(C, ARow).X;
    if (TCellGraphic* G = GetCellGraphic(C, ARow); G && G->CellHAlign() == haFull)
        return GraphicWidth - 2 * GridLineWidth() - FXYOffset.X - 2;
    Integer W = GraphicWidth + MeasureCellText(C, ACol, ARow, false, false).cx;
    if (FControlLook->DropDownAlwaysVisible() && HasComboBox(C, ARow))
        W += 16;
    if (FFilterDropDownAuto && ARow == FFilterRow) {
        TStringList List;
        if (GetFilterList(C, &List))
            W += 12;
    }
    if (HasSortIndicator(C, ARow) && C == FSortSettings->Column())
        W += 10;
    return W;
}

void TExStringGrid::AutoSizeColInternal(Integer ACol, bool GrowOnly)
{
    const auto [First, Last] = MeasuredRows(FColumnSize->Rows(), FixedRows(), RowCount(), FFixedFooters);
    Integer Widest = 0;
    for (Integer R = First; R < Last; ++R)
        if (!IsXMergedCell(RealColIndex(ACol), R))
            Widest = std::max(Widest, FittedCellWidth(ACol, R));
    Integer Width = Widest + HorzCellMargin() + 2 * GridLineWidth() + 2;
    if (GrowOnly && Width <= ColWidths(ACol))
        return;
    UpdateAutoColumnSize(ACol, Width);
    SetColWidths(ACol, LimitToRange(Width, FMinColWidth, FMaxColWidth));
}

void TExStringGrid::AutoSizeCol(Integer ACol, Integer Padding)
{
    AutoSizeColInternal(ACol, FSizeGrowOnly);
    if (Padding != 0)
        SetColWidths(ACol, LimitToRange(ColWidths(ACol) + Padding, FMinColWidth, FMaxColWidth));
}

void TExStringGrid::AutoSizeColumns(bool DoFixedCols, Integer Padding)
{
    const Integer First = DoFixedCols ? 0 : FixedCols();
    const Integer Last = DoFixedCols ? ColCount() : ColCount() - FFixedRightCols;
    for (Integer C = First; C < Last; ++C)
        AutoSizeCol(C, Padding);
}

// ---------------------------------------------------------------- rows

// The height one cell's text and graphic take in a row fit.
Integer TExStringGrid::FittedCellHeight(Integer ACol, Integer ARow, Integer Padding)
{
    const Integer C = RealColIndex(ACol);
    if (IsMergedNonBaseCell(C, ARow))
        return 0;
    Integer T = MeasureCellText(C, ACol, ARow, WordWrap(), false).cy;
    TCellGraphic* G = GetCellGraphic(C, ARow);
    if (!G)
        return T;
    Integer H = GetCellGraphicSizeEx(C, ARow, Padding).Y;
    if (G->CellVAlign() == vaFull)
        H = T != 0 ? 0 : DefaultRowHeight();
    else if ((G->CellType() == ctDataCheckBox || G->CellType() == ctVirtCheckBox) && H > 0)
        T = 0;
    return IsCheckLike(G->CellType()) ? DefaultRowHeight() : T + H;
}

void TExStringGrid::AutoSizeRowInternal(Integer ARow, bool GrowOnly, Integer Padding)
{
    Integer Tallest = 0;
    for (Integer C = 0; C < ColCount(); ++C)
        if (!IsYMergedCell(RealColIndex(C), ARow) && !FIgnoreColumns->HasValue(RealColIndex(C)))
            Tallest = std::max(Tallest, FittedCellHeight(C, ARow, Padding));
    Integer Height = Tallest + VertCellMargin() + 2 * GridLineWidth();
    if (FXYOffsetTopLeftOnly)
        Height += 2;
    if (GrowOnly && Height <= RowHeights(ARow))
        return;
    const bool AllVisible = VisibleRowCount() == RowCount();
    SetRowHeights(ARow, LimitToRange(Height, FMinRowHeight, FMaxRowHeight));
    // A row grown while typing that pushes rows out of view: the editor
    // follows its cell, caret at the end.
    if (AllVisible && EditorMode() && FSizeWhileTyping->Height() && VisibleRowCount() != RowCount()) {
        ShowInplaceEdit();
        if (TInplaceEdit* Editor = InplaceEditor())
            Editor->SetSelStart(Editor->Text().length());
    }
}

void TExStringGrid::AutoSizeRow(Integer ARow, Integer Padding)
{
    AutoSizeRowInternal(ARow, FSizeGrowOnly, Padding);
    if (Padding != 0)
        SetRowHeights(ARow, LimitToRange(RowHeights(ARow) + Padding, FMinRowHeight, FMaxRowHeight));
}

Integer TExStringGrid::MaxLinesInRow(Integer ARow)
{
    if (FMultilinecells.isEmpty())
        return 1;
    Integer Lines = 1;
    for (Integer C = 0; C < ColCount(); ++C)
        Lines = std::max(Lines, CountLines(Cells(RealColIndex(C), ARow), true));
    return Lines;
}

void TExStringGrid::SizeRowToLines(Integer ARow, Integer Lines, Integer Padding)
{
    const Integer C = std::min(FixedCols(), ColCount() - 1);
    TGridDrawState State;
    GetFontProperties(C, RealColIndex(C), ARow, State, Canvas()->Font(), Canvas()->Brush(), true);
    const Integer H = Canvas()->TextHeight(QStringLiteral("gh"));
    SetRowHeights(ARow, LimitToRange(Padding + Lines * (H + H / 8), FMinRowHeight, FMaxRowHeight));
}

void TExStringGrid::AutoSizeRows(bool DoFixedRows, Integer Padding)
{
    if (RowCount() == 0)
        return;
    const Integer First = DoFixedRows ? 0 : FixedRows();
    ExportNotification(esExportStart, First);
    for (Integer R = First; R < RowCount(); ++R) {
        ExportNotification(esExportNextRow, R);
        if (WordWrap()) {
            AutoSizeRow(R, 0);
            if (Padding != 0)
                SetRowHeights(R, LimitToRange(RowHeights(R) + Padding, FMinRowHeight, FMaxRowHeight));
        } else {
            SizeRowToLines(R, MaxLinesInRow(R), Padding);
        }
    }
    UpdateVScrollProportional();
    UpdateScrollBarAlways(false);
    ExportNotification(esExportDone, -1);
}

// ---------------------------------------------------------------- cells

// A cell's text and graphic are measured in the same (real) column.
void TExStringGrid::AutoSizeCells(bool DoFixedCells, Integer PaddingX, Integer PaddingY)
{
    const Integer FirstCol = DoFixedCells ? 0 : FixedCols();
    const Integer FirstRow = DoFixedCells ? 0 : FixedRows();
    BeginUpdate();
    for (Integer C = FirstCol; C < ColCount(); ++C) {
        const Integer RC = RealColIndex(C);
        Integer Widest = FSizeGrowOnly ? ColWidths(C) : 0;
        for (Integer R = FirstRow; R < RowCount(); ++R) {
            const TSize Text = MeasureCellText(RC, C, R, false, false);
            const TPoint Graphic = GetCellGraphicSize(RC, R);
            const Integer W = Text.cx + Graphic.X + PaddingX + FXYOffset.X;
            const Integer H = Text.cy + Graphic.Y + PaddingY + FXYOffset.Y;
            if (!IsXMergedCell(RC, R) && W > Widest) {
                if (const Integer Limited = LimitToRange(W, FMinColWidth, FMaxColWidth); Limited > Widest) {
                    SetColWidths(C, Limited);
                    Widest = Limited;
                }
            }
            if (!IsYMergedCell(RC, R) && H > RowHeights(R)) {
                if (const Integer Limited = LimitToRange(H, FMinRowHeight, FMaxRowHeight); Limited > RowHeights(R))
                    SetRowHeights(R, Limited);
            }
        }
    }
    EndUpdate();
}

// ---------------------------------------------------------------- sharing the width

void TExStringGrid::AutoFitColumns(bool DoFixedCells)
{
    const bool VertBar = FScrollBarAlways == saVert ||
                         (ScrollBars() != ssNone && VisibleRowCount() + FixedRows() < RowCount());
    const Integer SB = VertBar ? GetSystemMetrics(SM_CXVSCROLL) : 0;
    const Integer BW = BorderStyle() == bsSingle ? (Ctl3D() ? 4 : 2) : 0;
    const Integer First = DoFixedCells ? 0 : FixedCols();
    const Integer Last = DoFixedCells ? ColCount() : ColCount() - FFixedRightCols;
    Integer Avail = Width();
    for (Integer C = 0; C < ColCount(); ++C)
        if (C < First || C >= Last)
            Avail -= ColWidths(C);
    Integer Lines = 0;
    if (Options().Contains(goVertLine))
        Lines = GridLineWidth() * (ColCount() - FixedCols() - FFixedRightCols);
    if (DoFixedCells && Options().Contains(goFixedVertLine))
        Lines += FixedCols() + FFixedRightCols;
    if (ColCount() < 2) {
        SetColWidths(0, Width() - SB - 5);
    } else {
        Integer Sum = 0;
        for (Integer C = First; C < Last; ++C)
            Sum += ColWidths(C);
        if (Sum == Avail - SB - BW)
            return;
        const Integer Count = Last - First;
        if (Sum <= 0) {
            // No widths to go by: equal shares.
            for (Integer C = First; C < Last; ++C)
                SetColWidths(C, Count > 0 ? (Avail - SB - BW - Lines) / Count : 0);
        } else {
            const double F = double(Avail - SB - BW - Lines) / Sum;
            Integer Total = 0;
            for (Integer C = First; C < Last; ++C)
                Total += RoundEven(ColWidths(C) * F);
            const double G = double(Total) / Sum;
            for (Integer C = First; C < Last; ++C)
                SetColWidths(C, RoundEven(ColWidths(C) * G));
        }
    }
    Integer Sum = 0;
    for (Integer C = First; C < Last; ++C)
        Sum += ColWidths(C);
    Integer Rest = Avail - (SB + BW + Sum);
    const Integer N = Last - First;
    if (N > 1 && N < Rest) {
        for (Integer C = First; C < Last; ++C)
            SetColWidths(C, ColWidths(C) + Rest / N);
        Rest %= N;
    }
    if (N <= 0)
        return;
    Integer Widest = First;
    for (Integer C = First + 1; C < Last; ++C)
        if (ColWidths(C) > ColWidths(Widest))
            Widest = C;
    SetColWidths(Widest, ColWidths(Widest) + Rest);
}

void TExStringGrid::SizeToCols()
{
    Integer Sum = 0;
    for (Integer C = 0; C < ColCount(); ++C)
        Sum += ColWidths(C);
    SetClientWidth(Sum);
}

void TExStringGrid::SizeToRows()
{
    Integer Sum = 0;
    for (Integer R = 0; R < RowCount(); ++R)
        Sum += RowHeights(R);
    SetClientHeight(Sum);
}

void TExStringGrid::SizeToCells()
{
    const TScrollStyle Bars = ScrollBars();
    SetScrollBars(ssNone);
    SizeToCols();
    SizeToRows();
    SetScrollBars(Bars);
}

// ---------------------------------------------------------------- numbering

void TExStringGrid::AutoNumberCol(Integer ACol)
{
    if (RowCount() == 0)
        return;
    const Integer Last = RowCount() - FFixedFooters - 1;
    for (Integer P = FixedRows() + FAutoNumberStart; P <= Last; ++P) {
        const Integer Number = P - FixedRows() + 1 + FAutoNumberOffset;
        const Integer Target = FAutoNumberDirection == sdAscending ? P : FixedRows() + (Last - P);
        SetInts(ACol, Target, Number);
    }
}

void TExStringGrid::AutoNumberRow(Integer ARow)
{
    const Integer Last = ColCount() - FFixedRightCols - 1;
    for (Integer P = FixedCols() + FAutoNumberStart; P <= Last; ++P) {
        const Integer Number = P - FixedCols() + 1 + FAutoNumberOffset;
        const Integer Target = FAutoNumberDirection == sdAscending ? P : ColCount() + FixedCols() - FFixedRightCols - P - 1;
        SetInts(Target, ARow, Number);
    }
}

// ---------------------------------------------------------------- swapping

void TExStringGrid::SwapColumns(Integer ACol1, Integer ACol2)
{
    if (ACol1 == ACol2)
        return;
    for (Integer R = 0; R < RowCount(); ++R)
        ExchangeGridCells(ACol1, R, ACol2, R);
    if (ACol1 < ColCount() && ACol2 < ColCount()) {
        const Integer Width1 = ColWidths(ACol1);
        SetColWidths(ACol1, ColWidths(ACol2));
        SetColWidths(ACol2, Width1);
    }
    const Integer SortCol = FSortSettings->Column();
    if (SortCol == ACol1 || SortCol == ACol2)
        FSortSettings->SetColumn(SortCol == ACol1 ? ACol2 : ACol1);
    for (Integer I = 0; I < FControlList->Count(); ++I) {
        TControlItem* Item = FControlList->Control(I);
        if (Item->X() == ACol1 || Item->X() == ACol2)
            Item->SetX(Item->X() == ACol1 ? ACol2 : ACol1);
    }
    if (FControlList->Count() > 0)
        CellControlsUpdate(false);
    Invalidate();
}

void TExStringGrid::SwapRows(Integer ARow1, Integer ARow2)
{
    if (ARow1 == ARow2)
        return;
    CheckCoord(0, ARow1);
    CheckCoord(0, ARow2);
    TStringGrid::TSlotRow First = TakeSlotRow(ARow1);
    PlaceSlotRow(ARow1, TakeSlotRow(ARow2));
    PlaceSlotRow(ARow2, std::move(First));
    const Integer Height1 = RowHeights(ARow1);
    SetRowHeights(ARow1, RowHeights(ARow2));
    SetRowHeights(ARow2, Height1);
    for (Integer I = 0; I < FControlList->Count(); ++I) {
        TControlItem* Item = FControlList->Control(I);
        if (Item->Y() == ARow1 || Item->Y() == ARow2)
            Item->SetY(Item->Y() == ARow1 ? ARow2 : ARow1);
    }
    if (FControlList->Count() > 0)
        CellControlsUpdate(false);
    Invalidate();
}
