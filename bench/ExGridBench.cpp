// The string grid's hidden rows against Qt's filter proxy, 100,000 rows of
// 10 columns: hiding every second row by list and showing it again, and
// converting every display row to its real row with 1,000 rows hidden. The
// proxy filters the same rows out of a QStandardItemModel of the same
// cells and maps its rows back to the source.
#include "BenchSupport.h"

#include "grid/control/ExGrid.h"

#include "rtl/Forms.h"

#include <QSortFilterProxyModel>
#include <QStandardItemModel>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using bench::GridCols;
using bench::GridRows;

constexpr Integer HiddenByIndex = 1000;

bool HiddenByIndexRow(Integer R)
{
    return R % (GridRows / HiddenByIndex) == 1;
}

struct TBenchGrid {
    TBenchGrid()
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
    }

    std::unique_ptr<TForm> Form;
    TExStringGrid* Grid = nullptr;
};

// Rows pass while hiding is off, or when their filter says so.
class TBenchProxy : public QSortFilterProxyModel {
public:
    std::function<bool(int)> Hidden;

    void Refilter() { invalidateFilter(); }

protected:
    bool filterAcceptsRow(int SourceRow, const QModelIndex&) const override
    {
        return !Hidden || !Hidden(SourceRow);
    }
};

struct TBenchModel {
    TBenchModel() : Model(GridRows, GridCols)
    {
        for (Integer R = 0; R < GridRows; ++R)
            for (Integer C = 0; C < GridCols; ++C)
                Model.setItem(R, C, new QStandardItem(bench::GridText(C, R)));
        Proxy.setSourceModel(&Model);
    }

    QStandardItemModel Model;
    TBenchProxy Proxy;
};

TBenchGrid& Grid()
{
    return bench::Once<TBenchGrid>();
}

TBenchModel& Model()
{
    return bench::Once<TBenchModel>();
}

void BM_ExGridHideShowEveryOtherRow(benchmark::State& State)
{
    TExStringGrid& G = *Grid().Grid;
    TIntList Rows(0, 0);
    for (Integer R = 1; R < GridRows; R += 2)
        Rows.Add(R);
    for (auto _ : State) {
        G.HideRowList(&Rows);
        benchmark::DoNotOptimize(G.RowCount());
        G.UnHideRowList();
        G.SetFilterLevel(G.FilterLevel() - 1);
        benchmark::DoNotOptimize(G.RowCount());
    }
    if (G.RowCount() != GridRows || G.Cells(3, 5) != bench::GridText(3, 5))
        State.SkipWithError("rows not restored");
}
BENCHMARK(BM_ExGridHideShowEveryOtherRow)->Unit(benchmark::kMillisecond);

void BM_ProxyFilterEveryOtherRow(benchmark::State& State)
{
    TBenchProxy& P = Model().Proxy;
    for (auto _ : State) {
        P.Hidden = [](int R) { return R % 2 == 1; };
        P.Refilter();
        benchmark::DoNotOptimize(P.rowCount());
        P.Hidden = nullptr;
        P.Refilter();
        benchmark::DoNotOptimize(P.rowCount());
    }
    if (P.rowCount() != GridRows)
        State.SkipWithError("rows not restored");
}
BENCHMARK(BM_ProxyFilterEveryOtherRow)->Unit(benchmark::kMillisecond);

void BM_ExGridRealRowIndex(benchmark::State& State)
{
    TExStringGrid& G = *Grid().Grid;
    for (Integer R = GridRows - 1; R >= 0; --R)
        if (HiddenByIndexRow(R))
            G.HideRows(R, R);
    for (auto _ : State) {
        Int64 Sum = 0;
        for (Integer D = 0; D < G.RowCount(); ++D)
            Sum += G.RealRowIndex(D);
        benchmark::DoNotOptimize(Sum);
    }
    State.counters["rows"] = G.RowCount();
    G.UnHideRowsAll();
}
BENCHMARK(BM_ExGridRealRowIndex)->Unit(benchmark::kMillisecond);

void BM_ProxyMapToSource(benchmark::State& State)
{
    TBenchProxy& P = Model().Proxy;
    P.Hidden = [](int R) { return HiddenByIndexRow(R); };
    P.Refilter();
    for (auto _ : State) {
        Int64 Sum = 0;
        const int Rows = P.rowCount();
        for (int D = 0; D < Rows; ++D)
            Sum += P.mapToSource(P.index(D, 0)).row();
        benchmark::DoNotOptimize(Sum);
    }
    State.counters["rows"] = P.rowCount();
    P.Hidden = nullptr;
    P.Refilter();
}
BENCHMARK(BM_ProxyMapToSource)->Unit(benchmark::kMillisecond);

} // namespace
