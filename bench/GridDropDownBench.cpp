// The grid drop-down against Qt, on 10,000 items of three columns: opening
// it (filling the list, automatic widths, fitting the columns), one header
// sort and narrowing while three characters are typed; against a
// QStandardItemModel shown in a QTableView with resizeColumnsToContents,
// sorting through a QSortFilterProxyModel and three prefix filters set on
// that proxy.
#include "BenchSupport.h"

#include "controls/dropdown/ExCustomGridDropDown.h"
#include "rtl/Forms.h"

#include <QHeaderView>
#include <QRegularExpression>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>

#include <benchmark/benchmark.h>

#include <array>
#include <memory>
#include <vector>

using namespace exgriddropdown;

namespace {

constexpr Integer ItemCount = 10000;
constexpr Integer ColumnCount = 3;
// Typed one character after the other.
const std::array<String, 3> Typed = {QStringLiteral("d"), QStringLiteral("de"), QStringLiteral("dev")};

// "Device 1234" or "Sensor 1234", "Port 5", "Group 12", in a scrambled order.
const std::vector<std::array<String, ColumnCount>>& ItemTexts()
{
    static const std::vector<std::array<String, ColumnCount>> T = [] {
        std::vector<std::array<String, ColumnCount>> V;
        V.reserve(std::size_t(ItemCount));
        for (Integer I = 0; I < ItemCount; ++I) {
            const Integer N = (I * 7919 + 13) % ItemCount;
            V.push_back({QStringLiteral("%1 %2").arg(N % 2 ? QStringLiteral("Device") : QStringLiteral("Sensor")).arg(N),
                         QStringLiteral("Port %1").arg(N % 8 + 1), QStringLiteral("Group %1").arg(N % 50)});
        }
        return V;
    }();
    return T;
}

struct TBenchForm {
    TBenchForm()
    {
        bench::EnsureApplication();
        Form = std::make_unique<TForm>(nullptr);
        Form->SetClientWidth(800);
        Form->SetClientHeight(600);
        Form->Show();
    }
    std::unique_ptr<TForm> Form;
};

struct TBenchGridDropDown : TBenchForm {
    TBenchGridDropDown()
    {
        D = NewObject<TCustomExGridDropDown>(Form.get());
        D->SetParent(Form.get());
        D->SetBounds(10, 10, 200, D->Height());
        for (const char* Header : {"Device", "Port", "Group"}) {
            TDropDownColumn* C = D->Columns()->Add();
            C->SetHeader(QString::fromLatin1(Header));
            C->SetAutoSize(true);
        }
        D->Items()->BeginUpdate();
        for (const auto& Row : ItemTexts()) {
            TStringList* Text = D->Items()->Add()->Text();
            for (const String& S : Row)
                Text->Add(S);
        }
        D->Items()->EndUpdate();
        D->EndUpdate();
    }
    void Open()
    {
        D->ShowDropDown();
        QApplication::processEvents();
        benchmark::DoNotOptimize(D->GetGrid()->ColWidths(2));
    }
    TCustomExGridDropDown* D = nullptr;
};

struct TBenchQtTable : TBenchForm {
    TBenchQtTable()
    {
        View = new QTableView(Form->Handle());
        View->setGeometry(10, 40, 400, 300);
        View->horizontalHeader()->setResizeContentsPrecision(-1);
        Proxy = new QSortFilterProxyModel(View);
        Proxy->setFilterCaseSensitivity(Qt::CaseInsensitive);
        View->setModel(Proxy);
        View->show();
    }
    void FillAndShow()
    {
        auto* Model = new QStandardItemModel(ItemCount, ColumnCount, View);
        Model->setHorizontalHeaderLabels({QStringLiteral("Device"), QStringLiteral("Port"), QStringLiteral("Group")});
        const auto& Rows = ItemTexts();
        for (Integer R = 0; R < ItemCount; ++R)
            for (Integer C = 0; C < ColumnCount; ++C)
                Model->setItem(R, C, new QStandardItem(Rows[std::size_t(R)][std::size_t(C)]));
        Proxy->setSourceModel(Model);
        View->resizeColumnsToContents();
        QApplication::processEvents();
        benchmark::DoNotOptimize(View->columnWidth(2));
    }
    QTableView* View = nullptr;
    QSortFilterProxyModel* Proxy = nullptr;
};

// A fresh control each iteration; Step is what is timed after Prepare.
template <class Bench, class Prepare, class Step>
void Measure(benchmark::State& State, Prepare P, Step S)
{
    ItemTexts();
    for (auto _ : State) {
        State.PauseTiming();
        auto B = std::make_unique<Bench>();
        P(*B);
        State.ResumeTiming();
        S(*B);
        State.PauseTiming();
        B.reset();
        State.ResumeTiming();
    }
}

void BM_GridDropDownOpen(benchmark::State& State)
{
    Measure<TBenchGridDropDown>(State, [](TBenchGridDropDown&) {}, [](TBenchGridDropDown& B) { B.Open(); });
}
BENCHMARK(BM_GridDropDownOpen)->Unit(benchmark::kMillisecond);

void BM_QtTableFillAndShow(benchmark::State& State)
{
    Measure<TBenchQtTable>(State, [](TBenchQtTable&) {}, [](TBenchQtTable& B) { B.FillAndShow(); });
}
BENCHMARK(BM_QtTableFillAndShow)->Unit(benchmark::kMillisecond);

void BM_GridDropDownHeaderSort(benchmark::State& State)
{
    Measure<TBenchGridDropDown>(
        State, [](TBenchGridDropDown& B) { B.Open(); },
        [](TBenchGridDropDown& B) {
            TExColGrid* G = B.D->GetGrid();
            G->SortSettings()->SetColumn(0);
            G->QSort();
            benchmark::DoNotOptimize(G->Cells(0, 1));
        });
}
BENCHMARK(BM_GridDropDownHeaderSort)->Unit(benchmark::kMillisecond);

void BM_QtProxySort(benchmark::State& State)
{
    Measure<TBenchQtTable>(
        State, [](TBenchQtTable& B) { B.FillAndShow(); },
        [](TBenchQtTable& B) {
            B.Proxy->sort(0);
            benchmark::DoNotOptimize(B.Proxy->index(0, 0).data());
        });
}
BENCHMARK(BM_QtProxySort)->Unit(benchmark::kMillisecond);

void BM_GridDropDownNarrowThreeCharacters(benchmark::State& State)
{
    Measure<TBenchGridDropDown>(
        State,
        [](TBenchGridDropDown& B) {
            B.D->SetLookupMethod(lmNarrowDown);
            B.Open();
        },
        [](TBenchGridDropDown& B) {
            for (const String& T : Typed)
                B.D->LookupChar(T.back());
            benchmark::DoNotOptimize(B.D->GetGrid()->RowCount());
        });
}
BENCHMARK(BM_GridDropDownNarrowThreeCharacters)->Unit(benchmark::kMillisecond);

void BM_QtProxyPrefixFilterThreeCharacters(benchmark::State& State)
{
    Measure<TBenchQtTable>(
        State, [](TBenchQtTable& B) { B.FillAndShow(); },
        [](TBenchQtTable& B) {
            for (const String& T : Typed)
                B.Proxy->setFilterRegularExpression(
                    QRegularExpression(QLatin1Char('^') + QRegularExpression::escape(T),
                                       QRegularExpression::CaseInsensitiveOption));
            benchmark::DoNotOptimize(B.Proxy->rowCount());
        });
}
BENCHMARK(BM_QtProxyPrefixFilterThreeCharacters)->Unit(benchmark::kMillisecond);

} // namespace
