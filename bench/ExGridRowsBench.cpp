// The string grid's cell access by real row and its row operations against
// a QStandardItemModel of the same cells, 100,000 rows of 10 columns with
// 1,000 rows hidden, spread over the grid: reading every cell by real row
// (hidden rows included), then removing 1,000 rows in the middle and
// inserting 1,000 there again (the reads come first, while every cell
// still holds its text).
#include "BenchSupport.h"

#include "grid/control/ExGrid.h"

#include "rtl/Forms.h"

#include <QStandardItemModel>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using bench::GridCols;
using bench::GridRows;

constexpr Integer HiddenRows = 1000;
constexpr Integer BlockRows = 1000;
constexpr Integer Middle = GridRows / 2;

struct TRowsBenchGrid {
    TRowsBenchGrid()
    {
        bench::EnsureApplication();
        Form = std::make_unique<TForm>(nullptr);
        Grid = new TExStringGrid(Form.get());
        Grid->SetParent(Form.get());
        Grid->SetBounds(0, 0, 800, 600);
        Grid->SetColCount(GridCols);
        Grid->SetRowCount(GridRows);
        Grid->SetFixedRows(0);
        for (Integer R = 0; R < GridRows; ++R)
            for (Integer C = 0; C < GridCols; ++C)
                Grid->SetCells(C, R, bench::GridText(C, R));
        for (Integer R = GridRows - GridRows / HiddenRows / 2; R > 0; R -= GridRows / HiddenRows)
            Grid->HideRows(R, R);
    }

    std::unique_ptr<TForm> Form;
    TExStringGrid* Grid = nullptr;
};

struct TRowsBenchModel {
    TRowsBenchModel() : Model(GridRows, GridCols)
    {
        for (Integer R = 0; R < GridRows; ++R)
            for (Integer C = 0; C < GridCols; ++C)
                Model.setItem(R, C, new QStandardItem(bench::GridText(C, R)));
    }

    QStandardItemModel Model;
};

TRowsBenchGrid& RowsGrid()
{
    return bench::Once<TRowsBenchGrid>();
}

TRowsBenchModel& RowsModel()
{
    return bench::Once<TRowsBenchModel>();
}

void BM_ExGridAllCellsByRealRow(benchmark::State& State)
{
    TExStringGrid& G = *RowsGrid().Grid;
    const Integer Rows = G.AllRowCount();
    for (auto _ : State) {
        Int64 Length = 0;
        for (Integer R = 0; R < Rows; ++R)
            for (Integer C = 0; C < GridCols; ++C)
                Length += G.AllCells(C, R).size();
        benchmark::DoNotOptimize(Length);
    }
    State.counters["rows"] = Rows;
}
BENCHMARK(BM_ExGridAllCellsByRealRow)->Unit(benchmark::kMillisecond);

void BM_ModelDataEveryCell(benchmark::State& State)
{
    QStandardItemModel& M = RowsModel().Model;
    const int Rows = M.rowCount();
    for (auto _ : State) {
        Int64 Length = 0;
        for (int R = 0; R < Rows; ++R)
            for (int C = 0; C < GridCols; ++C)
                Length += M.data(M.index(R, C)).toString().size();
        benchmark::DoNotOptimize(Length);
    }
    State.counters["rows"] = Rows;
}
BENCHMARK(BM_ModelDataEveryCell)->Unit(benchmark::kMillisecond);

void BM_ExGridRemoveInsertRows(benchmark::State& State)
{
    TExStringGrid& G = *RowsGrid().Grid;
    const Integer Rows = G.RowCount();
    for (auto _ : State) {
        G.RemoveRows(Middle, BlockRows);
        G.InsertRows(Middle, BlockRows, true);
        benchmark::DoNotOptimize(G.RowCount());
    }
    if (G.RowCount() != Rows || G.NumHiddenRows() != HiddenRows)
        State.SkipWithError("rows not in step");
    State.counters["hidden"] = G.NumHiddenRows();
}
BENCHMARK(BM_ExGridRemoveInsertRows)->Unit(benchmark::kMillisecond);

void BM_ModelRemoveInsertRows(benchmark::State& State)
{
    QStandardItemModel& M = RowsModel().Model;
    for (auto _ : State) {
        M.removeRows(Middle, BlockRows);
        M.insertRows(Middle, BlockRows);
        benchmark::DoNotOptimize(M.rowCount());
    }
    if (M.rowCount() != GridRows)
        State.SkipWithError("rows not in step");
}
BENCHMARK(BM_ModelRemoveInsertRows)->Unit(benchmark::kMillisecond);

} // namespace
