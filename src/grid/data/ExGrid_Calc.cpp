// The string grid's column and row calculations: sum, average, minimum,
// maximum, standard deviation and distinct count over a column's rows, a
// value the application supplies, and the same over a row's columns.
// A cell whose text does not read as a number never raises here: the sum
// and the extremes leave it out, the standard deviation counts it as 0.
#include "grid/control/ExGrid.h"

#include <QSet>

#include <algorithm>
#include <cmath>

// ExportNotification state of a column calculation reading one row.
static constexpr Integer esCalcRow = 5;

bool TExStringGrid::CountsByRealRow(Integer ToRow)
{
    // The last data row in view: the floating footer takes the last row.
    const Integer LastDataRow = RowCount() - (FFloatingFooter->Visible() ? 2 : 1);
    return ToRow > LastDataRow;
}

TExStringGrid::TCalcRange TExStringGrid::ColumnCalcRange(Integer FromRow, Integer ToRow)
{
    if (FromRow == -1 || ToRow == -1) {
        FromRow = TBaseGrid::FixedRows();
        ToRow = RowCount() - FixedFooters() - 1;
    }
    const bool ByRealRow = CountsByRealRow(ToRow);
    const Integer Rows = ByRealRow ? AllRowCount() : RowCount();
    return {FromRow, ToRow, std::max(FromRow, 0), std::min(ToRow, Rows - 1), ByRealRow};
}

void TExStringGrid::ForCalcRows(const TCalcRange& Range, const std::function<void(Integer ARow)>& Visit)
{
    ExportNotification(esExportStart, Range.From);
    for (Integer R = Range.FirstRead; R <= Range.LastRead; ++R) {
        ExportNotification(esCalcRow, R);
        Visit(R);
    }
    ExportNotification(esExportDone, -1);
}

bool TExStringGrid::CalcSkipsRow(Integer ACol, Integer ARow, bool ByRealRow)
{
    if (ByRealRow && IsHiddenRow(ARow))
        return false;
    const Integer Displ = ByRealRow ? DisplRowIndex(ARow) : ARow;
    if (FGroupColumn != -1 && (IsNode(Displ) || IsSummary(Displ)))
        return true;
    return IsMergedNonBaseCell(ACol, Displ);
}

std::optional<Double> TExStringGrid::CalcValue(Integer ACol, Integer ARow, bool ByRealRow)
{
    try {
        return ByRealRow ? GetAllFloats(ACol, ARow) : GetFloats(ACol, ARow);
    } catch (const EExGridError&) {
        return std::nullopt;
    }
}

std::vector<Double> TExStringGrid::ColumnValues(Integer ACol, Integer FromRow, Integer ToRow)
{
    std::vector<Double> Values;
    if (ACol < 0 || ACol >= AllColCount())
        return Values;
    const TCalcRange Range = ColumnCalcRange(FromRow, ToRow);
    ForCalcRows(Range, [&](Integer R) {
        if (CalcSkipsRow(ACol, R, Range.ByRealRow))
            return;
        if (const std::optional<Double> V = CalcValue(ACol, R, Range.ByRealRow))
            Values.push_back(*V);
    });
    return Values;
}

Double TExStringGrid::ColumnSum(Integer ACol, Integer FromRow, Integer ToRow)
{
    Double Sum = 0;
    for (const Double V : ColumnValues(ACol, FromRow, ToRow))
        Sum += V;
    return Sum;
}

Double TExStringGrid::ColumnAvg(Integer ACol, Integer FromRow, Integer ToRow)
{
    const TCalcRange Range = ColumnCalcRange(FromRow, ToRow);
    // Every row of the range counts, also one the sum left out.
    return Range.To < Range.From ? 0 : ColumnSum(ACol, FromRow, ToRow) / (Range.To - Range.From + 1);
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

Double TExStringGrid::ColumnStdDev(Integer ACol, Integer FromRow, Integer ToRow)
{
    const TCalcRange Range = ColumnCalcRange(FromRow, ToRow);
    if (Range.To < Range.From || ACol < 0 || ACol >= AllColCount())
        return 0;
    const Double Avg = ColumnAvg(ACol, FromRow, ToRow);
    Double Squares = 0;
    ForCalcRows(Range, [&](Integer R) {
        const Double V = CalcValue(ACol, R, Range.ByRealRow).value_or(0);
        Squares += (V - Avg) * (V - Avg);
    });
    return std::sqrt(Squares / (Range.To - Range.From + 1));
}

Double TExStringGrid::ColumnDistinct(Integer ACol, Integer FromRow, Integer ToRow)
{
    if (ACol < 0 || ACol >= AllColCount())
        return 0;
    const TCalcRange Range = ColumnCalcRange(FromRow, ToRow);
    QSet<String> Texts;
    ForCalcRows(Range, [&](Integer R) {
        Texts.insert((Range.ByRealRow ? AllCells(ACol, R) : Cells(ACol, R)).toUpper());
    });
    return Double(Texts.size());
}

Double TExStringGrid::ColumnCustomCalc(Integer ACol, Integer FromRow, Integer ToRow)
{
    Double Res = 0;
    if (OnColumnCalc)
        OnColumnCalc(this, ACol, FromRow, ToRow, Res);
    return Res;
}

Double TExStringGrid::DoGroupCalc(Integer ACol, Integer FromRow, Integer ToRow)
{
    Double Res = 0;
    if (OnGroupCalc)
        OnGroupCalc(this, ACol, FromRow, ToRow, Res);
    return Res;
}

// ---------------------------------------------------------------- rows

std::vector<Double> TExStringGrid::RowValues(Integer ARow, Integer FromCol, Integer ToCol)
{
    std::vector<Double> Values;
    if (ARow < 0 || ARow >= RowCount())
        return Values;
    for (Integer C = std::max(FromCol, 0); C <= std::min(ToCol, AllColCount() - 1); ++C) {
        if (IsMergedNonBaseCell(C, ARow))
            continue;
        if (const std::optional<Double> V = CalcValue(C, ARow, false))
            Values.push_back(*V);
    }
    return Values;
}

Double TExStringGrid::RowSum(Integer ARow, Integer FromCol, Integer ToCol)
{
    Double Sum = 0;
    for (const Double V : RowValues(ARow, FromCol, ToCol))
        Sum += V;
    return Sum;
}

Double TExStringGrid::RowAvg(Integer ARow, Integer FromCol, Integer ToCol)
{
    return ToCol < FromCol ? 0 : RowSum(ARow, FromCol, ToCol) / (ToCol - FromCol + 1);
}

Double TExStringGrid::RowMin(Integer ARow, Integer FromCol, Integer ToCol)
{
    const std::vector<Double> Values = RowValues(ARow, FromCol, ToCol);
    return Values.empty() ? 0 : *std::min_element(Values.begin(), Values.end());
}

Double TExStringGrid::RowMax(Integer ARow, Integer FromCol, Integer ToCol)
{
    const std::vector<Double> Values = RowValues(ARow, FromCol, ToCol);
    return Values.empty() ? 0 : *std::max_element(Values.begin(), Values.end());
}
