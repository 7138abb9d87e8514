// The runtime's string grid with 100,000 rows of 10 columns: filling every
// cell, reading them back, and scrolling through all rows a page at a time
// through the scroll bar with each page painted.
#include "rtl/Forms.h"
#include "rtl/Grids.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QImage>
#include <QScrollBar>

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

constexpr Integer GridsBenchCols = 10;
constexpr Integer GridsBenchRows = 100000;

// The widgets need an application; the benchmarks run headless.
void EnsureApplication()
{
    if (QApplication::instance())
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int Argc = 1;
    static char Name[] = "cfg_bench";
    static char* Argv[] = {Name, nullptr};
    static QApplication App(Argc, Argv);
}

// A grid of 100,000 data rows below one fixed row, on a shown form.
struct TBenchGrid {
    TBenchGrid()
    {
        EnsureApplication();
        Form = std::make_unique<TForm>(nullptr);
        Form->SetClientWidth(800);
        Form->SetClientHeight(600);
        Grid = new TStringGrid(Form.get());
        Grid->SetParent(Form.get());
        Grid->SetBounds(0, 0, 800, 600);
        Grid->SetColCount(GridsBenchCols);
        Grid->SetRowCount(GridsBenchRows + 1);
    }
    void Fill()
    {
        const std::vector<String>& T = Texts();
        for (Integer R = 1; R <= GridsBenchRows; ++R)
            for (Integer C = 0; C < GridsBenchCols; ++C)
                Grid->SetCells(C, R, T[std::size_t((R - 1) * GridsBenchCols + C)]);
    }
    // The cell texts, made once so that filling measures the grid alone.
    static const std::vector<String>& Texts()
    {
        static const std::vector<String> T = [] {
            std::vector<String> V;
            V.reserve(std::size_t(GridsBenchRows * GridsBenchCols));
            for (Integer R = 1; R <= GridsBenchRows; ++R)
                for (Integer C = 0; C < GridsBenchCols; ++C)
                    V.push_back(QStringLiteral("R%1C%2").arg(R).arg(C));
            return V;
        }();
        return T;
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
        benchmark::DoNotOptimize(B->Grid->Cells(3, GridsBenchRows));
        State.PauseTiming();
        B.reset();
        State.ResumeTiming();
    }
    State.SetItemsProcessed(State.iterations() * GridsBenchRows * GridsBenchCols);
}
BENCHMARK(BM_GridsFill)->Unit(benchmark::kMillisecond);

void BM_GridsReadAll(benchmark::State& State)
{
    TBenchGrid B;
    B.Fill();
    for (auto _ : State) {
        qsizetype Total = 0;
        for (Integer R = 1; R <= GridsBenchRows; ++R)
            for (Integer C = 0; C < GridsBenchCols; ++C)
                Total += B.Grid->Cells(C, R).size();
        benchmark::DoNotOptimize(Total);
    }
    State.SetItemsProcessed(State.iterations() * GridsBenchRows * GridsBenchCols);
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
