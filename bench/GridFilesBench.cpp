// The string grid's files, 100,000 rows of 10 columns: saving the whole
// grid as the binary cell block into memory and loading it back into
// another grid (which the full-grid block clears and sizes first).
#include "BenchSupport.h"

#include "grid/control/ExGrid.h"

#include "rtl/Forms.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using bench::GridCols;
using bench::GridRows;

struct TFilesBenchGrid {
    explicit TFilesBenchGrid(bool Filled)
    {
        bench::EnsureApplication();
        Form = std::make_unique<TForm>(nullptr);
        Grid = new TExStringGrid(Form.get());
        Grid->SetParent(Form.get());
        Grid->SetBounds(0, 0, 800, 600);
        Grid->SetFixedCols(0);
        Grid->SetFixedRows(0);
        if (!Filled)
            return;
        Grid->SetColCount(GridCols);
        Grid->SetRowCount(GridRows);
        for (Integer R = 0; R < GridRows; ++R)
            for (Integer C = 0; C < GridCols; ++C)
                Grid->SetCells(C, R, bench::GridText(C, R));
    }

    std::unique_ptr<TForm> Form;
    TExStringGrid* Grid = nullptr;
};

TFilesBenchGrid& Source()
{
    static TFilesBenchGrid G(true);
    return G;
}

void BM_GridBinSave(benchmark::State& State)
{
    TExStringGrid& G = *Source().Grid;
    Int64 Bytes = 0;
    for (auto _ : State) {
        TMemoryStream Stream;
        G.SaveToBinStream(&Stream);
        Bytes = Stream.Size();
        benchmark::DoNotOptimize(Bytes);
    }
    State.counters["bytes_per_cell"] = double(Bytes) / double(GridRows * GridCols);
}
BENCHMARK(BM_GridBinSave)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_GridBinLoad(benchmark::State& State)
{
    TMemoryStream Block;
    Source().Grid->SaveToBinStream(&Block);
    TFilesBenchGrid Target(false);
    for (auto _ : State) {
        Block.SetPosition(0);
        Target.Grid->LoadFromBinStream(&Block);
    }
    if (Target.Grid->Cells(GridCols - 1, GridRows - 1) != bench::GridText(GridCols - 1, GridRows - 1))
        State.SkipWithError("the block did not load");
}
BENCHMARK(BM_GridBinLoad)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
