// Finding a text in 100,000 rows of 10 columns of the string grid against
// Qt's QAbstractItemModel::match (Qt::MatchContains, each column in turn)
// over a QStandardItemModel of the same cells: a text no cell holds (a
// full scan) and a text only the last row holds. Also the sum and standard
// deviation of a 100,000-row column of numbers.
#include "BenchSupport.h"

#include "grid/control/ExGrid.h"

#include "rtl/Forms.h"

#include <QStandardItemModel>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using bench::GridCols;
using bench::GridRows;
using bench::GridText;

const String Missing = QStringLiteral("nowhere");
// "R100000C9": only the last cell of the last row holds it.
const String InLastRow = QStringLiteral("r%1c%2").arg(GridRows).arg(GridCols - 1);

struct TFindGrid {
    TFindGrid()
    {
        bench::EnsureApplication();
        Form = std::make_unique<TForm>(nullptr);
        Grid = new TExStringGrid(Form.get());
        Grid->SetParent(Form.get());
        Grid->SetBounds(0, 0, 800, 600);
        Grid->SetColCount(GridCols);
        Grid->SetRowCount(GridRows + 1);
        Grid->SetFixedCols(0);
        for (Integer R = 0; R < GridRows; ++R)
            for (Integer C = 0; C < GridCols; ++C)
                Grid->SetCells(C, R + 1, GridText(C, R));
    }

    std::unique_ptr<TForm> Form;
    TExStringGrid* Grid = nullptr;
};

TExStringGrid& Grid()
{
    return *bench::Once<TFindGrid>().Grid;
}

// One column of numbers such as "482.13" under a fixed row.
struct TCalcGrid {
    TCalcGrid()
    {
        bench::EnsureApplication();
        Form = std::make_unique<TForm>(nullptr);
        Grid = new TExStringGrid(Form.get());
        Grid->SetParent(Form.get());
        Grid->SetBounds(0, 0, 800, 600);
        Grid->SetColCount(2);
        Grid->SetRowCount(GridRows + 1);
        for (Integer R = 1; R <= GridRows; ++R)
            Grid->SetCells(1, R, QString::number((R * 7919) % 100000 / 100.0, 'f', 2));
    }

    std::unique_ptr<TForm> Form;
    TExStringGrid* Grid = nullptr;
};

struct TFindModel {
    TFindModel() : Model(GridRows, GridCols)
    {
        for (Integer R = 0; R < GridRows; ++R)
            for (Integer C = 0; C < GridCols; ++C)
                Model.setItem(R, C, new QStandardItem(GridText(C, R)));
    }
    QStandardItemModel Model;
};

QStandardItemModel& Model()
{
    return bench::Once<TFindModel>().Model;
}

void GridFind(benchmark::State& State, const String& Text, bool Expected)
{
    TExStringGrid& G = Grid();
    for (auto _ : State) {
        TPoint Start{-1, -1};
        const TPoint Found = G.Find(Start, Text, {});
        if ((Found.X >= 0) != Expected)
            State.SkipWithError("wrong find result");
        benchmark::DoNotOptimize(Found);
    }
}

void ModelMatch(benchmark::State& State, const String& Text, bool Expected)
{
    QStandardItemModel& M = Model();
    for (auto _ : State) {
        bool Found = false;
        for (int C = 0; C < GridCols && !Found; ++C)
            Found = !M.match(M.index(0, C), Qt::DisplayRole, Text, 1, Qt::MatchContains).isEmpty();
        if (Found != Expected)
            State.SkipWithError("wrong match result");
        benchmark::DoNotOptimize(Found);
    }
}

void BM_GridFindMissing(benchmark::State& State) { GridFind(State, Missing, false); }
void BM_QtMatchMissing(benchmark::State& State) { ModelMatch(State, Missing, false); }
void BM_GridFindLastRow(benchmark::State& State) { GridFind(State, InLastRow, true); }
void BM_QtMatchLastRow(benchmark::State& State) { ModelMatch(State, InLastRow, true); }

void BM_GridColumnSum(benchmark::State& State)
{
    TExStringGrid& G = *bench::Once<TCalcGrid>().Grid;
    for (auto _ : State)
        benchmark::DoNotOptimize(G.ColumnSum(1, 1, GridRows));
}

void BM_GridColumnStdDev(benchmark::State& State)
{
    TExStringGrid& G = *bench::Once<TCalcGrid>().Grid;
    for (auto _ : State)
        benchmark::DoNotOptimize(G.ColumnStdDev(1, 1, GridRows));
}

} // namespace

BENCHMARK(BM_GridFindMissing)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QtMatchMissing)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridFindLastRow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QtMatchLastRow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridColumnSum)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridColumnStdDev)->Unit(benchmark::kMillisecond);
