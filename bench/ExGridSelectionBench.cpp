// The string grid's selection as text against joining the same texts read
// from a QStandardItemModel: 100,000 rows of 10 columns, all selected, cells
// joined by tabs and rows by CR LF.
#include "BenchSupport.h"

#include "grid/control/ExGrid.h"

#include "rtl/Forms.h"

#include <QStandardItemModel>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using bench::GridCols;
using bench::GridRows;

void BM_ExGridSelectedText(benchmark::State& State)
{
    bench::EnsureApplication();
    auto Form = std::make_unique<TForm>(nullptr);
    auto* Grid = new TExStringGrid(Form.get());
    Grid->SetParent(Form.get());
    Grid->SetBounds(0, 0, 800, 600);
    Grid->SetColCount(GridCols);
    Grid->SetRowCount(GridRows);
    Grid->SetFixedRows(0);
    Grid->SetFixedCols(0);
    for (Integer R = 0; R < GridRows; ++R)
        for (Integer C = 0; C < GridCols; ++C)
            Grid->SetCells(C, R, bench::GridText(C, R));
    Grid->SelectCells(0, 0, GridCols - 1, GridRows - 1);
    qsizetype Length = 0;
    for (auto _ : State) {
        const String Text = Grid->SelectedText();
        Length = Text.size();
        benchmark::DoNotOptimize(Text.constData());
    }
    State.counters["chars"] = double(Length);
}
BENCHMARK(BM_ExGridSelectedText)->Unit(benchmark::kMillisecond);

// The same join as SelectedText, over the model's display texts.
String ModelText(const QStandardItemModel& Model)
{
    String Text;
    for (int R = 0; R < Model.rowCount(); ++R) {
        if (R > 0)
            Text += QStringLiteral("\r\n");
        for (int C = 0; C < Model.columnCount(); ++C) {
            if (C > 0)
                Text += QChar(u'\t');
            Text += Model.data(Model.index(R, C)).toString();
        }
    }
    return Text;
}

void BM_ModelJoinedText(benchmark::State& State)
{
    bench::EnsureApplication();
    QStandardItemModel Model(GridRows, GridCols);
    for (Integer R = 0; R < GridRows; ++R)
        for (Integer C = 0; C < GridCols; ++C)
            Model.setItem(R, C, new QStandardItem(bench::GridText(C, R)));
    qsizetype Length = 0;
    for (auto _ : State) {
        const String Text = ModelText(Model);
        Length = Text.size();
        benchmark::DoNotOptimize(Text.constData());
    }
    State.counters["chars"] = double(Length);
}
BENCHMARK(BM_ModelJoinedText)->Unit(benchmark::kMillisecond);

} // namespace
