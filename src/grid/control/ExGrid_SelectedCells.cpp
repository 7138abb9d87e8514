// The string grid: the programmatic side of the selection. Setting the
// rectangle, asking whether a cell is selected, listing and counting the
// selected cells, rows and columns, and the selection as text.
#include "grid/base/ExUtil.h"
#include "grid/control/ExGrid.h"
#include "grid/control/ExGrid_RichEdit.h"

#include <algorithm>
#include <cstdlib>

namespace {

Integer CellKey(Integer ACol, Integer ARow)
{
    return Integer(quint32(ARow) << 16 | (quint32(ACol) & 0xFFFF));
}

TGridCoord KeyCell(Integer Key)
{
    return TGridCoord{Integer(quint32(Key) & 0xFFFF), Key >> 16};
}

} // namespace

void TExStringGrid::SelectCells(Integer FromCol, Integer FromRow, Integer ToCol, Integer ToRow)
{
    SetSelection(TGridRect{FromCol, FromRow, ToCol, ToRow});
}

String TExStringGrid::SelectedCellText(Integer ACol, Integer ARow)
{
    const Integer RealCol = RealColIndex(ACol);
    String Text = Cells(RealCol, ARow);
    if (Text.contains(QStringLiteral("{\\"))) {
        CellToRich(RealCol, ARow, RichEdit());
        Text = RichEdit()->Text();
    }
    if (FExcelClipboardFormat && CountLines(Text, !FMultilinecells.isEmpty()) > 1)
        QuoteMultiLine(Text);
    return Text;
}

String TExStringGrid::SelectedText()
{
    TGridRect R = Selection();
    if (Options().Contains(goRowSelect) && FDragDropSettings->OleEntireRows()) {
        R.Left = 0;
        R.Right = ColCount() - 1;
    }
    String Result;
    if (R.Left > R.Right)
        return Result;
    bool FirstRow = true;
    auto AddRow = [&](Integer ARow) {
        if (!FirstRow)
            Result += QStringLiteral("\r\n");
        FirstRow = false;
        for (Integer C = R.Left; C <= R.Right; ++C) {
            if (C > R.Left)
                Result += QChar(u'\t');
            Result += SelectedCellText(C, ARow);
        }
    };
    if (FMouseActions->DisjunctRowSelect()) {
        const bool Persistent = FMouseActions->RowSelectPersistent();
        for (Integer Row = TBaseGrid::FixedRows(); Row < RowCount(); ++Row)
            if (RowSelect(Persistent ? RealRowIndex(Row) : Row))
                AddRow(Row);
    } else {
        for (Integer Row = R.Top; Row <= R.Bottom; ++Row)
            AddRow(Row);
    }
    return Result;
}

bool TExStringGrid::IsSelected(Integer ACol, Integer ARow)
{
    if (ARow < TBaseGrid::FixedRows() || ACol < TBaseGrid::FixedCols())
        return false;
    if (FMouseActions->DisjunctCellSelect())
        return FSelectedCells->HasValue(CellKey(ACol, ARow));
    if (FMouseActions->DisjunctRowSelect())
        return RowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(ARow) : ARow);
    if (FMouseActions->DisjunctColSelect())
        return ColSelect(ACol);
    const TGridRect S = Selection();
    return S.Left <= ACol && ACol <= S.Right && S.Top <= ARow && ARow <= S.Bottom;
}

bool TExStringGrid::SelectedCells(Integer i, Integer j)
{
    if (FMouseActions->DisjunctCellSelect())
        return FSelectedCells->HasValue(CellKey(i, j));
    const TGridRect S = Selection();
    return std::min(S.Left, S.Right) <= i && i <= std::max(S.Left, S.Right) && std::min(S.Top, S.Bottom) <= j &&
           j <= std::max(S.Top, S.Bottom);
}

void TExStringGrid::SetSelectedCells(Integer i, Integer j, bool Value)
{
    const Integer Key = CellKey(i, j);
    if (Value == FSelectedCells->HasValue(Key))
        return;
    if (Value)
        FSelectedCells->Add(Key);
    else
        FSelectedCells->DeleteValue(Key);
    RepaintCell(i, j);
}

TGridCoord TExStringGrid::SelectedCell(Integer i)
{
    return KeyCell(FSelectedCells->Items(i));
}

Integer TExStringGrid::GetSelectedCellsCount()
{
    if (FMouseActions->DisjunctCellSelect())
        return FSelectedCells->Count();
    FSelectedCells->Clear();
    const TGridRect S = Selection();
    if (S.Left == S.Right && S.Top == S.Bottom) {
        FSelectedCells->Add(CellKey(Col(), Row()));
        return 1;
    }
    for (Integer C = S.Left; C <= S.Right; ++C)
        for (Integer R = S.Top; R <= S.Bottom; ++R)
            FSelectedCells->Add(CellKey(C, R));
    return FSelectedCells->Count();
}

Integer TExStringGrid::GetSelectedRowCount()
{
    if (FMouseActions->DisjunctRowSelect())
        return FSelectedRows->Count();
    TGridRect S = Selection();
    S.Bottom = std::min(S.Bottom, RowCount() - FFixedFooters - 1);
    const Integer Rows = std::abs(S.Top - S.Bottom) + 1;
    const Integer Left = RealColIndex(S.Left);
    if (IsMergedCell(Left, S.Top)) {
        const Integer Extra = CellSpan(Left, S.Top).Y;
        return S.Bottom < S.Top + Extra ? Extra + 1 : Rows;
    }
    if (IsMergedCell(Left, S.Bottom))
        return Rows + CellSpan(Left, S.Bottom).Y;
    return Rows;
}

Integer TExStringGrid::GetSelectedColCount()
{
    if (FMouseActions->DisjunctColSelect())
        return ColSelectCount();
    const TGridRect S = Selection();
    const Integer Left = RealColIndex(S.Left);
    const Integer Right = RealColIndex(S.Right);
    if (IsMergedCell(Left, S.Top)) {
        const Integer Extra = CellSpan(Left, S.Top).X;
        if (S.Right < S.Left + Extra)
            return Extra + 1;
    } else if (IsMergedCell(Right, S.Top)) {
        return std::abs(S.Left - S.Right) + 1 + CellSpan(Right, S.Top).X;
    }
    return std::abs(S.Left - S.Right) + 1;
}

Integer TExStringGrid::SelectedRow(Integer i)
{
    if (FMouseActions->DisjunctRowSelect())
        return i >= 0 && i < FSelectedRows->Count() ? FSelectedRows->Items(i) : -1;
    const TGridRect S = Selection();
    const Integer Top = std::min(S.Top, S.Bottom);
    return i >= 0 && Top + i <= std::max(S.Top, S.Bottom) ? Top + i : -1;
}

void TExStringGrid::ClearSelectedCells()
{
    const Integer C = TBaseGrid::FixedCols();
    const Integer R = TBaseGrid::FixedRows();
    SetSelection(TGridRect{C, R, C, R});
    FSelectedCells->Clear();
    Invalidate();
}

void TExStringGrid::ClearModifiedRows()
{
    FModifiedRows->Clear();
    Invalidate();
}

void TExStringGrid::InvalidateGridRect(TRect R)
{
    TRect Area;
    UnionRect(Area, CellRect(R.Left, R.Top), CellRect(R.Right, R.Bottom));
    InvalidateClientRect(Area);
}
