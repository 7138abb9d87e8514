// Filtering 100,000 data rows of 10 columns in the string grid against Qt's
// filter proxy over a QStandardItemModel of the same cells: a text
// condition ("*ab*", no case) on a column of random words and a number
// condition (">500000") on a column of numbers such as "48213.75", each
// switched on and back off. The proxy filters the text column with
// setFilterWildcard and the number column with a filterAcceptsRow that
// compares the item's double; each change is followed by rowCount().
#include "BenchSupport.h"

#include "grid/control/ExGrid.h"

#include "rtl/Forms.h"

#include <QSortFilterProxyModel>
#include <QStandardItemModel>

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace {

constexpr Integer Cols = 10;
constexpr Integer DataRows = 100000;
constexpr Integer TextCol = 2;
constexpr Integer NumberCol = 5;
constexpr double NumberLimit = 500000;

// The cells of one data row: random words in TextCol, random numbers with
// two decimals in NumberCol, "R<row>C<col>" elsewhere; the same every run.
struct TFilterBenchData {
    TFilterBenchData()
    {
        std::mt19937 Random(20261211);
        std::uniform_int_distribution<int> Letter(0, 25), Length(4, 10), Cents(0, 99999999);
        Words.reserve(DataRows);
        Numbers.reserve(DataRows);
        for (Integer R = 0; R < DataRows; ++R) {
            String Word;
            for (int I = Length(Random); I > 0; --I)
                Word += QChar(u'a' + Letter(Random));
            Words.push_back(Word);
            Numbers.push_back(Cents(Random) / 100.0);
        }
    }
    String Cell(Integer C, Integer R) const
    {
        if (C == TextCol)
            return Words[std::size_t(R)];
        if (C == NumberCol)
            return QString::number(Numbers[std::size_t(R)], 'f', 2);
        return QStringLiteral("R%1C%2").arg(R).arg(C);
    }

    std::vector<String> Words;
    std::vector<double> Numbers;
};

const TFilterBenchData& Data()
{
    static const TFilterBenchData D;
    return D;
}

struct TFilterGrid {
    TFilterGrid()
    {
        bench::EnsureApplication();
        Form = std::make_unique<TForm>(nullptr);
        Grid = new TExStringGrid(Form.get());
        Grid->SetParent(Form.get());
        Grid->SetBounds(0, 0, 800, 600);
        Grid->SetColCount(Cols);
        Grid->SetRowCount(DataRows + 1);
        for (Integer R = 0; R < DataRows; ++R)
            for (Integer C = 0; C < Cols; ++C)
                Grid->SetCells(C, R + 1, Data().Cell(C, R));
    }

    std::unique_ptr<TForm> Form;
    TExStringGrid* Grid = nullptr;
};

TExStringGrid& Grid()
{
    static TFilterGrid G;
    return *G.Grid;
}

// Rows pass while the number filter is off, or when the number is above the limit.
class TNumberProxy : public QSortFilterProxyModel {
public:
    void SetActive(bool Value)
    {
        Active = Value;
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int SourceRow, const QModelIndex&) const override
    {
        return !Active || sourceModel()->index(SourceRow, NumberCol).data().toDouble() > NumberLimit;
    }

private:
    bool Active = false;
};

struct TFilterModel {
    TFilterModel() : Model(DataRows, Cols)
    {
        for (Integer R = 0; R < DataRows; ++R)
            for (Integer C = 0; C < Cols; ++C) {
                auto* Item = new QStandardItem;
                if (C == NumberCol)
                    Item->setData(Data().Numbers[std::size_t(R)], Qt::DisplayRole);
                else
                    Item->setText(Data().Cell(C, R));
                Model.setItem(R, C, Item);
            }
        TextProxy.setSourceModel(&Model);
        TextProxy.setFilterKeyColumn(TextCol);
        TextProxy.setFilterCaseSensitivity(Qt::CaseInsensitive);
        NumberProxy.setSourceModel(&Model);
    }

    QStandardItemModel Model;
    QSortFilterProxyModel TextProxy;
    TNumberProxy NumberProxy;
};

TFilterModel& Model()
{
    return bench::Once<TFilterModel>();
}

void RunGridFilter(benchmark::State& State, Integer Column, const String& Condition)
{
    TExStringGrid& G = Grid();
    G.Filter()->Clear();
    TFilterData* F = G.Filter()->Add();
    F->SetColumn(SmallInt(Column));
    F->SetCondition(Condition);
    F->SetCaseSensitive(false);
    Integer Shown = 0;
    for (auto _ : State) {
        G.SetFilterActive(true);
        Shown = G.RowCount() - 1;
        G.SetFilterActive(false);
        benchmark::DoNotOptimize(G.RowCount());
    }
    State.counters["shown"] = Shown;
    if (G.RowCount() != DataRows + 1 || G.Cells(TextCol, 7) != Data().Cell(TextCol, 6))
        State.SkipWithError("rows not restored");
}

void BM_ExGridFilterText(benchmark::State& State)
{
    RunGridFilter(State, TextCol, QStringLiteral("*ab*"));
}
BENCHMARK(BM_ExGridFilterText)->Unit(benchmark::kMillisecond);

void BM_ProxyFilterWildcardText(benchmark::State& State)
{
    QSortFilterProxyModel& P = Model().TextProxy;
    int Shown = 0;
    for (auto _ : State) {
        P.setFilterWildcard(QStringLiteral("*ab*"));
        Shown = P.rowCount();
        P.setFilterWildcard(QString());
        benchmark::DoNotOptimize(P.rowCount());
    }
    State.counters["shown"] = Shown;
}
BENCHMARK(BM_ProxyFilterWildcardText)->Unit(benchmark::kMillisecond);

void BM_ExGridFilterNumber(benchmark::State& State)
{
    RunGridFilter(State, NumberCol, QStringLiteral(">500000"));
}
BENCHMARK(BM_ExGridFilterNumber)->Unit(benchmark::kMillisecond);

void BM_ProxyFilterNumber(benchmark::State& State)
{
    TNumberProxy& P = Model().NumberProxy;
    int Shown = 0;
    for (auto _ : State) {
        P.SetActive(true);
        Shown = P.rowCount();
        P.SetActive(false);
        benchmark::DoNotOptimize(P.rowCount());
    }
    State.counters["shown"] = Shown;
}
BENCHMARK(BM_ProxyFilterNumber)->Unit(benchmark::kMillisecond);

} // namespace
