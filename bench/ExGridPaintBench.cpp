// The string grid's painting against Qt's table view, one client area of
// 1000 x 700 pixels on a shown offscreen form: one fixed header row, one
// fixed column of row numbers and 10 data columns of 64 pixels, 100,000 data
// rows of 22 pixels, each data cell the decimal text of a pseudo-random
// number below 1,000,000 (fixed seed). 200 steps, step i putting data row
// 500 i at the top and repainting at once. The second pair adds a data
// check-box column ("Y"/"N") and a background colour on every other group
// of three rows; the view gets items with Qt::CheckStateRole and
// Qt::BackgroundRole.
#include "BenchSupport.h"

#include "grid/control/ExGrid.h"

#include "rtl/Forms.h"

#include <QHeaderView>
#include <QStandardItemModel>
#include <QTableView>
#include <QtTest/QTest>

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace {

constexpr Integer PaintDataCols = 10;
constexpr Integer PaintDataRows = 100000;
constexpr Integer PaintStepCount = 200;
constexpr Integer PaintStepRows = 500;
constexpr TColor PaintBandColor = RGB(230, 240, 255);

// The texts of the data cells, row by row, made once.
const std::vector<String>& PaintTexts()
{
    static const std::vector<String> T = [] {
        std::mt19937 Random(20261211);
        std::uniform_int_distribution<int> Below(0, 999999);
        std::vector<String> V;
        V.reserve(std::size_t(PaintDataRows * PaintDataCols));
        for (Integer I = 0; I < PaintDataRows * PaintDataCols; ++I)
            V.push_back(QString::number(Below(Random)));
        return V;
    }();
    return T;
}

const String& PaintText(Integer C, Integer R)
{
    return PaintTexts()[std::size_t(R * PaintDataCols + C)];
}

bool PaintChecked(Integer R)
{
    return R % 2 == 0;
}

bool PaintBanded(Integer R)
{
    return (R / 3) % 2 == 1;
}

struct TPaintGrid {
    explicit TPaintGrid(bool Extras)
    {
        bench::EnsureApplication();
        PaintTexts();
        Form = std::make_unique<TForm>(nullptr);
        Form->SetClientWidth(1000);
        Form->SetClientHeight(700);
        Grid = new TExStringGrid(Form.get());
        Grid->SetParent(Form.get());
        Grid->SetBounds(0, 0, 1000, 700);
        const Integer Cols = PaintDataCols + 1 + (Extras ? 1 : 0);
        Grid->SetColCount(Cols);
        Grid->SetRowCount(PaintDataRows + 1);
        Grid->SetFixedCols(1);
        Grid->SetFixedRows(1);
        Grid->SetDefaultRowHeight(22);
        for (Integer C = 1; C < Cols; ++C)
            Grid->SetColWidths(C, 64);
        for (Integer R = 0; R < PaintDataRows; ++R) {
            Grid->SetCells(0, R + 1, QString::number(R + 1));
            for (Integer C = 0; C < PaintDataCols; ++C)
                Grid->SetCells(C + 1, R + 1, PaintText(C, R));
        }
        if (Extras)
            AddExtras(Cols - 1);
        Form->Show();
        QTest::qWaitForWindowExposed(Form->Handle());
    }

    void AddExtras(Integer CheckCol)
    {
        Grid->SetCheckTrue(QStringLiteral("Y"));
        Grid->SetCheckFalse(QStringLiteral("N"));
        for (Integer R = 0; R < PaintDataRows; ++R)
            Grid->SetCells(CheckCol, R + 1, PaintChecked(R) ? QStringLiteral("Y") : QStringLiteral("N"));
        Grid->AddCheckBoxColumn(CheckCol, false, true);
        Grid->OnGetCellColor = [](TObject*, Integer ARow, Integer, TGridDrawState, TBrush* ABrush, TFont*) {
            if (ARow > 0 && PaintBanded(ARow - 1))
                ABrush->SetColor(PaintBandColor);
        };
    }

    void Step(Integer I)
    {
        Grid->SetTopRow(1 + PaintStepRows * I);
        Grid->ClientWidget()->repaint();
    }

    std::unique_ptr<TForm> Form;
    TExStringGrid* Grid = nullptr;
};

struct TPaintView {
    explicit TPaintView(bool Extras) : Model(PaintDataRows, PaintDataCols + (Extras ? 1 : 0))
    {
        bench::EnsureApplication();
        PaintTexts();
        for (Integer R = 0; R < PaintDataRows; ++R) {
            for (Integer C = 0; C < PaintDataCols; ++C) {
                auto* Item = new QStandardItem(PaintText(C, R));
                if (Extras && PaintBanded(R))
                    Item->setBackground(QColor(230, 240, 255));
                Model.setItem(R, C, Item);
            }
            if (Extras) {
                auto* Check = new QStandardItem;
                Check->setCheckable(true);
                Check->setData(PaintChecked(R) ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
                if (PaintBanded(R))
                    Check->setBackground(QColor(230, 240, 255));
                Model.setItem(R, PaintDataCols, Check);
            }
        }
        View.setModel(&Model);
        View.resize(1000, 700);
        View.verticalHeader()->setDefaultSectionSize(22);
        View.horizontalHeader()->setDefaultSectionSize(64);
        View.show();
        QTest::qWaitForWindowExposed(&View);
    }

    void Step(Integer I)
    {
        View.scrollTo(Model.index(PaintStepRows * I, 0), QAbstractItemView::PositionAtTop);
        View.viewport()->repaint();
    }

    QStandardItemModel Model;
    QTableView View;
};

template <class T>
void PaintSteps(benchmark::State& State, bool Extras)
{
    T Subject(Extras);
    for (auto _ : State)
        for (Integer I = 0; I < PaintStepCount; ++I)
            Subject.Step(I);
    State.SetItemsProcessed(State.iterations() * PaintStepCount);
}

void BM_ExGridPaint(benchmark::State& State)
{
    PaintSteps<TPaintGrid>(State, false);
}
BENCHMARK(BM_ExGridPaint)->Unit(benchmark::kMillisecond);

void BM_TableViewPaint(benchmark::State& State)
{
    PaintSteps<TPaintView>(State, false);
}
BENCHMARK(BM_TableViewPaint)->Unit(benchmark::kMillisecond);

void BM_ExGridPaintChecksColours(benchmark::State& State)
{
    PaintSteps<TPaintGrid>(State, true);
}
BENCHMARK(BM_ExGridPaintChecksColours)->Unit(benchmark::kMillisecond);

void BM_TableViewPaintChecksColours(benchmark::State& State)
{
    PaintSteps<TPaintView>(State, true);
}
BENCHMARK(BM_TableViewPaintChecksColours)->Unit(benchmark::kMillisecond);

} // namespace
