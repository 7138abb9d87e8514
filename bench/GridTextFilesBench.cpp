// CSV of 100,000 rows of 10 columns: the string grid's export and import
// beside a plain Qt reading of the same file (QTextStream lines split at ","
// into a QStandardItemModel).
#include "BenchSupport.h"

#include "grid/control/ExGrid.h"

#include "rtl/Forms.h"

#include <QFile>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTextStream>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using bench::GridCols;
using bench::GridRows;

struct TBenchTextGrid {
    TBenchTextGrid()
    {
        bench::EnsureApplication();
        Form = std::make_unique<TForm>(nullptr);
        Form->SetClientWidth(800);
        Form->SetClientHeight(600);
        Grid = new TExStringGrid(Form.get());
        Grid->SetParent(Form.get());
        Grid->SetBounds(0, 0, 800, 600);
        Grid->SetColCount(GridCols);
    }
    void Fill()
    {
        Grid->SetRowCount(GridRows);
        for (Integer R = 0; R < GridRows; ++R)
            for (Integer C = 0; C < GridCols; ++C)
                Grid->SetCells(C, R, bench::GridText(C, R));
    }

    std::unique_ptr<TForm> Form;
    TExStringGrid* Grid = nullptr;
};

// The CSV file of the filled grid, written once.
const String& CsvFile()
{
    static QTemporaryDir Dir;
    static const String File = [] {
        const String Name = Dir.filePath(QStringLiteral("grid.csv"));
        TBenchTextGrid B;
        B.Fill();
        B.Grid->SaveToCSV(Name);
        return Name;
    }();
    return File;
}

void BM_GridSaveCSV(benchmark::State& State)
{
    TBenchTextGrid B;
    B.Fill();
    QTemporaryDir Dir;
    const String File = Dir.filePath(QStringLiteral("out.csv"));
    for (auto _ : State)
        B.Grid->SaveToCSV(File);
}
BENCHMARK(BM_GridSaveCSV)->Unit(benchmark::kMillisecond);

void BM_GridLoadCSV(benchmark::State& State)
{
    const String File = CsvFile();
    for (auto _ : State) {
        State.PauseTiming();
        auto B = std::make_unique<TBenchTextGrid>();
        State.ResumeTiming();
        B->Grid->LoadFromCSV(File);
        benchmark::DoNotOptimize(B->Grid->RowCount());
        State.PauseTiming();
        B.reset();
        State.ResumeTiming();
    }
}
BENCHMARK(BM_GridLoadCSV)->Unit(benchmark::kMillisecond);

void BM_QtReadCSV(benchmark::State& State)
{
    const String File = CsvFile();
    for (auto _ : State) {
        State.PauseTiming();
        auto Model = std::make_unique<QStandardItemModel>(0, GridCols);
        State.ResumeTiming();
        QFile F(File);
        F.open(QIODevice::ReadOnly);
        QTextStream In(&F);
        String Line;
        while (In.readLineInto(&Line)) {
            QList<QStandardItem*> Items;
            for (const String& Field : Line.split(u','))
                Items << new QStandardItem(Field);
            Model->appendRow(Items);
        }
        benchmark::DoNotOptimize(Model->rowCount());
        State.PauseTiming();
        Model.reset();
        State.ResumeTiming();
    }
}
BENCHMARK(BM_QtReadCSV)->Unit(benchmark::kMillisecond);

} // namespace
