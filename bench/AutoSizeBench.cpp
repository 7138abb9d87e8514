// Fitting every column to its contents: the column grid's AutoSizeColumns
// against Qt's table view resizeColumnsToContents, on the same data in the
// same run. 14 columns, one header row ("Column n") and 10,000 data rows;
// data cells are texts of 1 to 24 letters and digits (pseudo-random, fixed
// seed), so the widest cell of a column is found only by measuring them all.
// The view measures every row as well (resize precision -1, not its default
// of 1000 rows). Each iteration sets all widths to 64 first.
#include "BenchSupport.h"

#include "grid/control/ExCGrid.h"

#include "rtl/Forms.h"

#include <QHeaderView>
#include <QStandardItemModel>
#include <QTableView>

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace {

constexpr Integer FitCols = 14;
constexpr Integer FitRows = 10000;

// The texts of the data cells, row by row, made once.
const std::vector<String>& FitTexts()
{
    static const std::vector<String> T = [] {
        std::mt19937 Random(20261211);
        std::uniform_int_distribution<int> Length(1, 24);
        std::uniform_int_distribution<int> Letter(0, 35);
        const char* Alphabet = "abcdefghijklmnopqrstuvwxyz0123456789";
        std::vector<String> V;
        V.reserve(std::size_t(FitRows * FitCols));
        for (Integer I = 0; I < FitRows * FitCols; ++I) {
            String S;
            for (int K = Length(Random); K > 0; --K)
                S += QChar(Alphabet[Letter(Random)]);
            V.push_back(S);
        }
        return V;
    }();
    return T;
}

const String& FitText(Integer C, Integer R)
{
    return FitTexts()[std::size_t(R * FitCols + C)];
}

String FitHeader(Integer C)
{
    return QStringLiteral("Column %1").arg(C + 1);
}

struct TFitGrid {
    TFitGrid()
    {
        bench::EnsureApplication();
        FitTexts();
        Form = std::make_unique<TForm>(nullptr);
        Form->SetClientWidth(1000);
        Form->SetClientHeight(700);
        Grid = new TExColumnGrid(Form.get());
        Grid->SetParent(Form.get());
        Grid->SetBounds(0, 0, 1000, 700);
        Grid->SetColCount(FitCols);
        Grid->SetRowCount(FitRows + 1);
        Grid->SetFixedCols(0);
        Grid->SetFixedRows(1);
        for (Integer C = 0; C < FitCols; ++C) {
            Grid->SetCells(C, 0, FitHeader(C));
            for (Integer R = 0; R < FitRows; ++R)
                Grid->SetCells(C, R + 1, FitText(C, R));
        }
        Grid->Loaded();
    }

    void Fit()
    {
        for (Integer C = 0; C < FitCols; ++C)
            Grid->SetColWidths(C, 64);
        Grid->AutoSizeColumns(true, 0);
    }

    std::unique_ptr<TForm> Form;
    TExColumnGrid* Grid = nullptr;
};

struct TFitView {
    TFitView() : Model(FitRows, FitCols)
    {
        bench::EnsureApplication();
        FitTexts();
        for (Integer C = 0; C < FitCols; ++C) {
            Model.setHorizontalHeaderItem(C, new QStandardItem(FitHeader(C)));
            for (Integer R = 0; R < FitRows; ++R)
                Model.setItem(R, C, new QStandardItem(FitText(C, R)));
        }
        View.setModel(&Model);
        View.resize(1000, 700);
        View.horizontalHeader()->setResizeContentsPrecision(-1);
        View.verticalHeader()->setResizeContentsPrecision(-1);
    }

    void Fit()
    {
        for (Integer C = 0; C < FitCols; ++C)
            View.setColumnWidth(C, 64);
        View.resizeColumnsToContents();
    }

    QStandardItemModel Model;
    QTableView View;
};

template <class T>
void FitColumns(benchmark::State& State)
{
    T Subject;
    for (auto _ : State)
        Subject.Fit();
    State.SetItemsProcessed(State.iterations() * FitCols * (FitRows + 1));
}

void BM_ColumnGridAutoSizeColumns(benchmark::State& State)
{
    FitColumns<TFitGrid>(State);
}
BENCHMARK(BM_ColumnGridAutoSizeColumns)->Unit(benchmark::kMillisecond);

void BM_TableViewResizeColumnsToContents(benchmark::State& State)
{
    FitColumns<TFitView>(State);
}
BENCHMARK(BM_TableViewResizeColumnsToContents)->Unit(benchmark::kMillisecond);

} // namespace
