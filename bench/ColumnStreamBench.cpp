// The column stream of a 500-column grid, each column with a header, a
// combo list and its own colour: saving it into memory and loading it
// into another grid (which takes the columns, their widths and headers).
#include "BenchSupport.h"

#include "grid/control/ExCGrid.h"

#include "rtl/Forms.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr Integer StreamColumns = 500;

struct TColumnBenchGrid {
    explicit TColumnBenchGrid(bool Configured)
    {
        bench::EnsureApplication();
        Form = std::make_unique<TForm>(nullptr);
        Grid = new TExColumnGrid(Form.get());
        Grid->SetParent(Form.get());
        Grid->SetBounds(0, 0, 800, 600);
        if (Configured)
            Configure();
        Grid->Loaded();
    }
    void Configure()
    {
        Grid->SetColCount(StreamColumns);
        for (Integer C = 0; C < StreamColumns; ++C) {
            TGridColumnItem* Item = Grid->Columns()->Items(C);
            Item->SetHeader(QStringLiteral("Column %1").arg(C));
            Item->SetEditor(edComboList);
            Item->ComboItems()->Add(QStringLiteral("Y"));
            Item->ComboItems()->Add(QStringLiteral("N"));
            Item->SetColor(RGB(Byte(C), 200, 100));
            Item->SetWidth(40 + C % 50);
        }
    }

    std::unique_ptr<TForm> Form;
    TExColumnGrid* Grid = nullptr;
};

TColumnBenchGrid& Source()
{
    static TColumnBenchGrid G(true);
    return G;
}

void BM_ColumnStreamSave(benchmark::State& State)
{
    TExColumnGrid& G = *Source().Grid;
    Int64 Bytes = 0;
    for (auto _ : State) {
        TMemoryStream Stream;
        G.SaveColumnsToStream(&Stream);
        Bytes = Stream.Size();
        benchmark::DoNotOptimize(Bytes);
    }
    State.counters["bytes_per_column"] = double(Bytes) / double(StreamColumns);
}
BENCHMARK(BM_ColumnStreamSave)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_ColumnStreamLoad(benchmark::State& State)
{
    TMemoryStream Stream;
    Source().Grid->SaveColumnsToStream(&Stream);
    TColumnBenchGrid Target(false);
    for (auto _ : State) {
        Stream.SetPosition(0);
        Target.Grid->LoadColumnsFromStream(&Stream);
    }
    if (Target.Grid->ColCount() != StreamColumns || Target.Grid->ColWidths(StreamColumns - 1) != 40 + 499 % 50)
        State.SkipWithError("the columns did not load");
}
BENCHMARK(BM_ColumnStreamLoad)->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace
