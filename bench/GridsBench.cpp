// The runtime's string grid with 100,000 rows of 10 columns: filling every
// cell, reading them back, and scrolling through all rows a page at a time
// through the scroll bar with each page painted.
#include "BenchSupport.h"

#include "rtl/Forms.h"
#include "rtl/Grids.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <QScrollBar>

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

using bench::GridCols;
using bench::GridRows;

// A grid of 100,000 data rows below one fixed row, on a shown form.
struct TBenchGrid {
    TBenchGrid()
    {
        bench::EnsureApplication();
        bench::GridTexts();
        Form = std::make_unique<TForm>(nullptr);
        Form->SetClientWidth(800);
        Form->SetClientHeight(600);
        Grid = new TStringGrid(Form.get());
        Grid->SetParent(Form.get());
        Grid->SetBounds(0, 0, 800, 600);
        Grid->SetColCount(GridCols);
        Grid->SetRowCount(GridRows + 1);
    }
    // The texts are made before, so that filling measures the grid alone.
    void Fill()
    {
        for (Integer R = 1; R <= GridRows; ++R)
            for (Integer C = 0; C < GridCols; ++C)
                Grid->SetCells(C, R, bench::GridText(C, R - 1));
    }

    std::unique_ptr<TForm> Form;
    TStringGrid* Grid = nullptr;
};

void BM_GridsFill(benchmark::State& State)
{
    for (auto _ : State) {
        State.PauseTiming();
        auto B = std::make_unique<TBenchGrid>();
        State.ResumeTiming();
        B->Fill();
        benchmark::DoNotOptimize(B->Grid->Cells(3, GridRows));
        State.PauseTiming();
        B.reset();
        State.ResumeTiming();
    }
    State.SetItemsProcessed(State.iterations() * GridRows * GridCols);
}
BENCHMARK(BM_GridsFill)->Unit(benchmark::kMillisecond);

void BM_GridsReadAll(benchmark::State& State)
{
    TBenchGrid B;
    B.Fill();
    for (auto _ : State) {
        qsizetype Total = 0;
        for (Integer R = 1; R <= GridRows; ++R)
            for (Integer C = 0; C < GridCols; ++C)
                Total += B.Grid->Cells(C, R).size();
        benchmark::DoNotOptimize(Total);
    }
    State.SetItemsProcessed(State.iterations() * GridRows * GridCols);
}
BENCHMARK(BM_GridsReadAll)->Unit(benchmark::kMillisecond);

// From the top to the bottom by page-down clicks on the scroll bar, every
// page painted before the next click.
void BM_GridsScrollThrough(benchmark::State& State)
{
    TBenchGrid B;
    B.Fill();
    B.Form->Show();
    auto* Area = static_cast<QAbstractScrollArea*>(B.Grid->Handle());
    QScrollBar* Bar = Area->verticalScrollBar();
    // Painted into an image: the same paint handler, without waiting for a
    // screen.
    QImage Page(Area->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    int64_t Pages = 0;
    for (auto _ : State) {
        B.Grid->SetTopRow(1);
        while (true) {
            const Integer Top = B.Grid->TopRow();
            Bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
            Area->viewport()->render(&Page);
            ++Pages;
            if (B.Grid->TopRow() == Top)
                break;
        }
    }
    State.counters["pages"] = benchmark::Counter(double(Pages) / double(State.iterations()));
    State.SetItemsProcessed(Pages);
}
BENCHMARK(BM_GridsScrollThrough)->Unit(benchmark::kMillisecond);

} // namespace
