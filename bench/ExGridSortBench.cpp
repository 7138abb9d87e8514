// The string grid's sort against Qt's sort proxy, 100,000 data rows of 10
// columns made from a fixed seed before any timing: column 0 holds words
// of eight letters, column 1 numbers such as "48213.75", the others short
// words. The grid sorts with its default settings (the automatic style);
// the proxy sorts a QStandardItemModel of the same cells, the number
// column as items holding the double. Each grid run starts from the same
// unsorted order (put back untimed), each proxy run is a fresh proxy of
// which only sort() is timed.
#include "BenchSupport.h"

#include "grid/control/ExGrid.h"

#include "rtl/Forms.h"

#include <QSortFilterProxyModel>
#include <QStandardItemModel>

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace {

using bench::GridCols;
using bench::GridRows;

constexpr Integer TextColumn = 0;
constexpr Integer NumberColumn = 1;

struct TSortData {
    TSortData()
    {
        std::mt19937 Random(20261211);
        std::uniform_int_distribution<int> Letter('a', 'z');
        std::uniform_int_distribution<int> Cents(0, 99999999);
        auto Word = [&](int Length) {
            String W(Length, u' ');
            for (int I = 0; I < Length; ++I)
                W[I] = QChar(Letter(Random));
            return W;
        };
        Texts.reserve(std::size_t(GridRows * GridCols));
        Numbers.reserve(std::size_t(GridRows));
        for (Integer R = 0; R < GridRows; ++R) {
            for (Integer C = 0; C < GridCols; ++C) {
                if (C == NumberColumn) {
                    Numbers.push_back(Cents(Random) / 100.0);
                    Texts.push_back(QString::number(Numbers.back(), 'f', 2));
                } else {
                    Texts.push_back(Word(C == TextColumn ? 8 : 4));
                }
            }
        }
    }
    const String& Text(Integer C, Integer R) const { return Texts[std::size_t(R * GridCols + C)]; }

    std::vector<String> Texts;
    std::vector<double> Numbers;
};

const TSortData& Data()
{
    static const TSortData D;
    return D;
}

// A header row and the data rows below it.
struct TSortGrid {
    TSortGrid()
    {
        bench::EnsureApplication();
        Form = std::make_unique<TForm>(nullptr);
        Grid = new TExStringGrid(Form.get());
        Grid->SetParent(Form.get());
        Grid->SetBounds(0, 0, 800, 600);
        Grid->SetColCount(GridCols);
        Grid->SetRowCount(GridRows + 1);
        Grid->SetFixedRows(1);
        for (Integer R = 0; R < GridRows; ++R)
            for (Integer C = 0; C < GridCols; ++C)
                Grid->SetCells(C, R + 1, Data().Text(C, R));
    }

    std::unique_ptr<TForm> Form;
    TExStringGrid* Grid = nullptr;
};

struct TSortModel {
    TSortModel() : Model(GridRows, GridCols)
    {
        for (Integer R = 0; R < GridRows; ++R)
            for (Integer C = 0; C < GridCols; ++C) {
                auto* Item = new QStandardItem;
                if (C == NumberColumn)
                    Item->setData(Data().Numbers[std::size_t(R)], Qt::DisplayRole);
                else
                    Item->setText(Data().Text(C, R));
                Model.setItem(R, C, Item);
            }
    }

    QStandardItemModel Model;
};

TSortGrid& Grid()
{
    return bench::Once<TSortGrid>();
}

TSortModel& Model()
{
    return bench::Once<TSortModel>();
}

bool SortedAscending(TExStringGrid& G, Integer Col, bool Numbers)
{
    for (Integer R = 2; R < G.RowCount(); ++R) {
        const String A = G.Cells(Col, R - 1), B = G.Cells(Col, R);
        if (Numbers ? A.toDouble() > B.toDouble() : A > B)
            return false;
    }
    return true;
}

void GridSort(benchmark::State& State, Integer Col)
{
    TExStringGrid& G = *Grid().Grid;
    G.InitSortXRef();
    for (auto _ : State) {
        G.Sort(Col, sdAscending);
        State.PauseTiming();
        const bool Sorted = SortedAscending(G, Col, Col == NumberColumn);
        G.QUnSort();
        State.ResumeTiming();
        if (!Sorted)
            State.SkipWithError("rows not sorted");
    }
    if (G.Cells(TextColumn, 1) != Data().Text(TextColumn, 0))
        State.SkipWithError("unsorted order not restored");
}

void ProxySort(benchmark::State& State, Integer Col)
{
    QStandardItemModel& M = Model().Model;
    for (auto _ : State) {
        State.PauseTiming();
        auto Proxy = std::make_unique<QSortFilterProxyModel>();
        Proxy->setSourceModel(&M);
        State.ResumeTiming();
        Proxy->sort(Col, Qt::AscendingOrder);
        State.PauseTiming();
        benchmark::DoNotOptimize(Proxy->rowCount());
        Proxy.reset();
        State.ResumeTiming();
    }
}

void BM_ExGridSortTextColumn(benchmark::State& State)
{
    GridSort(State, TextColumn);
}
BENCHMARK(BM_ExGridSortTextColumn)->Unit(benchmark::kMillisecond);

void BM_ProxySortTextColumn(benchmark::State& State)
{
    ProxySort(State, TextColumn);
}
BENCHMARK(BM_ProxySortTextColumn)->Unit(benchmark::kMillisecond);

void BM_ExGridSortNumberColumn(benchmark::State& State)
{
    GridSort(State, NumberColumn);
}
BENCHMARK(BM_ExGridSortNumberColumn)->Unit(benchmark::kMillisecond);

void BM_ProxySortNumberColumn(benchmark::State& State)
{
    ProxySort(State, NumberColumn);
}
BENCHMARK(BM_ProxySortNumberColumn)->Unit(benchmark::kMillisecond);

} // namespace
