// The string grid's floating footer: its repaint and the calculation of
// its columns into the last row, with the column functions it uses
// (interim until the data services land: a value that does not read as a
// number is left out, and a range up to beyond the data rows in view
// counts by real row, hidden rows included).
#include "grid/control/ExGrid.h"

#include <QSet>

#include <algorithm>
#include <cmath>

void TExStringGrid::UpdateFooter()
{
    FFooterPanel->Invalidate();
}

void TExStringGrid::LastRowChanged()
{
    TBaseGrid::LastRowChanged();
    UpdateFooter();
}

void TExStringGrid::CalcFooter(Integer ACol)
{
    DoCalcFooter(ACol);
}

void TExStringGrid::DoCalcFooter(Integer ACol)
{
    if (!FFloatingFooter->Visible() || FFloatingFooter->FooterStyle() != fsFixedLastRow ||
        !FFloatingFooter->EnableCalculation())
        return;
    const Integer Hidden = FFloatingFooter->CalculateHiddenRows() ? NumHiddenRows() : 0;
    if (ACol != -1) {
        CalcFooterColumn(ACol, Hidden);
        return;
    }
    for (Integer C = 0; C < AllColCount(); ++C)
        CalcFooterColumn(C, Hidden);
}

void TExStringGrid::CalcFooterColumn(Integer ACol, Integer HiddenRows)
{
    const Integer Last = RowCount() - 1;
    if (ACol < 0 || ACol >= AllColCount() || Last < 0 || !HasCellProperties(ACol, Last))
        return;
    const Integer From = TBaseGrid::FixedRows();
    const Integer To = HiddenRows + RowCount() - 2;
    switch (CellProperties(ACol, Last)->CalcType()) {
    case acSUM: SetFloats(ACol, Last, ColumnSum(ACol, From, To)); break;
    case acAVG: SetFloats(ACol, Last, ColumnAvg(ACol, From, To)); break;
    case acMIN: SetFloats(ACol, Last, ColumnMin(ACol, From, To)); break;
    case acMAX: SetFloats(ACol, Last, ColumnMax(ACol, From, To)); break;
    case acDISTINCT: SetFloats(ACol, Last, ColumnDistinct(ACol, From, To)); break;
    case acSTDDEV: SetFloats(ACol, Last, ColumnStdDev(ACol, From, To)); break;
    case acCOUNT: SetInts(ACol, Last, HiddenRows + RowCount() - From - 1); break;
    case acCUSTOM: {
        String Value;
        if (OnFooterCalc)
            OnFooterCalc(this, ACol, HiddenRows + Last, Value);
        else if (FFloatingFooter->OnCalcFooter)
            FFloatingFooter->OnCalcFooter(this, ACol, HiddenRows + Last, Value);
        SetCells(ACol, Last, Value);
        break;
    }
    default: break;
    }
}

// ---------------------------------------------------------------- column functions

bool TExStringGrid::CountsByRealRow(Integer ToRow)
{
    const Integer LastDataRow = RowCount() - (FFloatingFooter->Visible() ? 2 : 1);
    return ToRow > LastDataRow;
}

namespace {

// The last row a column function reads.
Integer LastReadRow(TExStringGrid& G, bool ByRealRow, Integer ToRow)
{
    return std::min(ToRow, (ByRealRow ? G.AllRowCount() : G.RowCount()) - 1);
}

} // namespace

std::vector<Double> TExStringGrid::ColumnValues(Integer ACol, Integer FromRow, Integer ToRow)
{
    const bool ByRealRow = CountsByRealRow(ToRow);
    std::vector<Double> Values;
    for (Integer R = std::max(FromRow, 0); R <= LastReadRow(*this, ByRealRow, ToRow); ++R) {
        try {
            Values.push_back(ByRealRow ? GetAllFloats(ACol, R) : GetFloats(ACol, R));
        } catch (const EExGridError&) {
            // Not a number: left out.
        }
    }
    return Values;
}

Double TExStringGrid::ColumnSum(Integer ACol, Integer FromRow, Integer ToRow)
{
    const std::vector<Double> Values = ColumnValues(ACol, FromRow, ToRow);
    Double Sum = 0;
    for (const Double V : Values)
        Sum += V;
    return Sum;
}

Double TExStringGrid::ColumnAvg(Integer ACol, Integer FromRow, Integer ToRow)
{
    // Every row of the range counts, also one that is no number.
    return ToRow < FromRow ? 0 : ColumnSum(ACol, FromRow, ToRow) / (ToRow - FromRow + 1);
}

Double TExStringGrid::ColumnMin(Integer ACol, Integer FromRow, Integer ToRow)
{
    const std::vector<Double> Values = ColumnValues(ACol, FromRow, ToRow);
    return Values.empty() ? 0 : *std::min_element(Values.begin(), Values.end());
}

Double TExStringGrid::ColumnMax(Integer ACol, Integer FromRow, Integer ToRow)
{
    const std::vector<Double> Values = ColumnValues(ACol, FromRow, ToRow);
    return Values.empty() ? 0 : *std::max_element(Values.begin(), Values.end());
}

Double TExStringGrid::ColumnDistinct(Integer ACol, Integer FromRow, Integer ToRow)
{
    const bool ByRealRow = CountsByRealRow(ToRow);
    QSet<String> Texts;
    for (Integer R = std::max(FromRow, 0); R <= LastReadRow(*this, ByRealRow, ToRow); ++R)
        Texts.insert((ByRealRow ? AllCells(ACol, R) : Cells(ACol, R)).toLower());
    return Double(Texts.size());
}

Double TExStringGrid::ColumnStdDev(Integer ACol, Integer FromRow, Integer ToRow)
{
    if (ToRow < FromRow)
        return 0;
    const Double Avg = ColumnAvg(ACol, FromRow, ToRow);
    Double Squares = 0;
    for (const Double V : ColumnValues(ACol, FromRow, ToRow))
        Squares += (V - Avg) * (V - Avg);
    return std::sqrt(Squares / (ToRow - FromRow + 1));
}
