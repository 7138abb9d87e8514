// The base grid's cell store against Qt's item model, 100,000 rows of 10
// columns: filling every cell, reading every cell back through the display
// hooks, giving every cell a background colour, and merging and splitting
// 10,000 areas of 2 x 2. The fill and colour cases also count the heap
// bytes a cell costs ("bytes_per_cell").
#include "BenchSupport.h"

#include "grid/base/BaseGrid.h"

#include "rtl/Forms.h"

#include <QStandardItemModel>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using bench::GridCols;
using bench::GridRows;

// Every row is a normal row, so reading runs the display-text hooks.
class TBenchBaseGrid : public TBaseGrid {
public:
    explicit TBenchBaseGrid(TComponent* AOwner) : TBaseGrid(AOwner) {}
    void SetNormalRowCount(Integer Value) { FNormalRowCount = Value; }
};

struct TBenchBase {
    TBenchBase()
    {
        bench::EnsureApplication();
        bench::GridTexts();
        Form = std::make_unique<TForm>(nullptr);
        Form->SetClientWidth(800);
        Form->SetClientHeight(600);
        Grid = new TBenchBaseGrid(Form.get());
        Grid->SetParent(Form.get());
        Grid->SetBounds(0, 0, 800, 600);
        Grid->SetColCount(GridCols);
        Grid->SetRowCount(GridRows);
        Grid->SetNormalRowCount(GridRows);
    }
    void Fill()
    {
        for (Integer R = 0; R < GridRows; ++R)
            for (Integer C = 0; C < GridCols; ++C)
                Grid->SetCells(C, R, bench::GridText(C, R));
    }

    std::unique_ptr<TForm> Form;
    TBenchBaseGrid* Grid = nullptr;
};

struct TBenchModel {
    TBenchModel() : Model(GridRows, GridCols) { bench::GridTexts(); }
    void Fill()
    {
        for (Integer R = 0; R < GridRows; ++R)
            for (Integer C = 0; C < GridCols; ++C)
                Model.setItem(R, C, new QStandardItem(bench::GridText(C, R)));
    }

    QStandardItemModel Model;
};

constexpr double BenchCells = double(GridRows) * GridCols;

// Runs Prepare untimed, Work timed, and reports the heap Work kept per cell.
template <class T, class PrepareF, class WorkF>
void TimedWithHeap(benchmark::State& State, PrepareF&& Prepare, WorkF&& Work)
{
    double Bytes = 0;
    for (auto _ : State) {
        State.PauseTiming();
        auto Subject = std::make_unique<T>();
        Prepare(*Subject);
        const std::size_t Before = bench::HeapInUse();
        State.ResumeTiming();
        Work(*Subject);
        State.PauseTiming();
        Bytes = double(bench::HeapInUse() - Before);
        Subject.reset();
        State.ResumeTiming();
    }
    State.counters["bytes_per_cell"] = Bytes / BenchCells;
    State.SetItemsProcessed(State.iterations() * int64_t(BenchCells));
}

void BM_BaseGridFill(benchmark::State& State)
{
    TimedWithHeap<TBenchBase>(State, [](TBenchBase&) {}, [](TBenchBase& B) { B.Fill(); });
}
BENCHMARK(BM_BaseGridFill)->Unit(benchmark::kMillisecond);

void BM_ModelFill(benchmark::State& State)
{
    TimedWithHeap<TBenchModel>(State, [](TBenchModel&) {}, [](TBenchModel& M) { M.Fill(); });
}
BENCHMARK(BM_ModelFill)->Unit(benchmark::kMillisecond);

// Reads every cell through Text(column, row), summing the lengths.
template <class ReadF>
void ReadEveryCell(benchmark::State& State, ReadF&& Text)
{
    for (auto _ : State) {
        qsizetype Total = 0;
        for (Integer R = 0; R < GridRows; ++R)
            for (Integer C = 0; C < GridCols; ++C)
                Total += Text(C, R).size();
        benchmark::DoNotOptimize(Total);
    }
    State.SetItemsProcessed(State.iterations() * int64_t(BenchCells));
}

void BM_BaseGridReadAll(benchmark::State& State)
{
    TBenchBase B;
    B.Fill();
    ReadEveryCell(State, [&](Integer C, Integer R) { return B.Grid->Cells(C, R); });
}
BENCHMARK(BM_BaseGridReadAll)->Unit(benchmark::kMillisecond);

void BM_ModelReadAll(benchmark::State& State)
{
    TBenchModel M;
    M.Fill();
    ReadEveryCell(State, [&](Integer C, Integer R) { return M.Model.item(R, C)->text(); });
}
BENCHMARK(BM_ModelReadAll)->Unit(benchmark::kMillisecond);

void BM_BaseGridBrushColor(benchmark::State& State)
{
    TimedWithHeap<TBenchBase>(State, [](TBenchBase& B) { B.Fill(); }, [](TBenchBase& B) {
        for (Integer R = 0; R < GridRows; ++R)
            for (Integer C = 0; C < GridCols; ++C)
                B.Grid->CellProperties(C, R)->SetBrushColor(clYellow);
    });
}
BENCHMARK(BM_BaseGridBrushColor)->Unit(benchmark::kMillisecond);

void BM_ModelBackground(benchmark::State& State)
{
    TimedWithHeap<TBenchModel>(State, [](TBenchModel& M) { M.Fill(); }, [](TBenchModel& M) {
        const QBrush Yellow(Qt::yellow);
        for (Integer R = 0; R < GridRows; ++R)
            for (Integer C = 0; C < GridCols; ++C)
                M.Model.item(R, C)->setBackground(Yellow);
    });
}
BENCHMARK(BM_ModelBackground)->Unit(benchmark::kMillisecond);

// 10,000 areas of 2 x 2: five across each pair of rows, rows 0 to 3,999.
void BM_BaseGridMergeSplit(benchmark::State& State)
{
    TBenchBase B;
    B.Fill();
    for (auto _ : State) {
        for (Integer R = 0; R < 4000; R += 2)
            for (Integer C = 0; C < GridCols; C += 2)
                B.Grid->MergeCells(C, R, 2, 2);
        for (Integer R = 0; R < 4000; R += 2)
            for (Integer C = 0; C < GridCols; C += 2)
                B.Grid->SplitCells(C + 1, R + 1);
    }
    State.SetItemsProcessed(State.iterations() * 10000);
}
BENCHMARK(BM_BaseGridMergeSplit)->Unit(benchmark::kMillisecond);

} // namespace
