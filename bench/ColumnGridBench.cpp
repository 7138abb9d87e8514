// Paging through the column grid of a table window (the 513-row fixture:
// a check-box column, two combo columns, a read-only coloured column, a
// fixed column, a hidden column, bold headers) on a shown offscreen form of
// 1000 x 600 pixels, against a QTableView over a QStandardItemModel with the
// same texts, check states, colours and bold header. 200 pages, page i
// putting the row i pages down (wrapping at the end) at the top and
// painting the whole client area into an image; the grid asks its column
// items for every painted cell.
#include "BenchSupport.h"

#include "../tests/grid/control/ColumnGridFixture.h"

#include <QHeaderView>
#include <QImage>
#include <QStandardItemModel>
#include <QTableView>
#include <QtTest/QTest>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr Integer PageCount = 200;
constexpr int PageWidth = 1000;
constexpr int PageHeight = 600;

// The top row of page I for pages of PageRows rows over DataRows rows.
Integer PageTop(Integer I, Integer PageRows, Integer DataRows)
{
    const Integer Tops = DataRows - PageRows + 1;
    return (I * PageRows) % Tops;
}

// A page painted off a window that never showed would measure nothing.
void WaitExposed(QWidget* Window)
{
    if (!QTest::qWaitForWindowExposed(Window)) {
        std::fprintf(stderr, "window not exposed\n");
        std::abort();
    }
}

// The application exists before the members' widgets are made.
struct TWithApplication {
    TWithApplication() { bench::EnsureApplication(); }
};

struct TGridPages : TWithApplication {
    TGridPages()
    {
        F.Form->Show();
        WaitExposed(F.Form->Handle());
        PageRows = F.Grid->VisibleRowCount();
    }

    void Page(Integer I)
    {
        F.Grid->SetTopRow(1 + PageTop(I, PageRows, colgrid::RowCount - 1));
        F.Grid->Handle()->render(&Image);
    }

    TColumnGridForm F;
    Integer PageRows = 1;
    QImage Image{PageWidth, PageHeight, QImage::Format_ARGB32_Premultiplied};
};

QColor ToQColor(TColor C)
{
    const TColor RGBValue = ColorToRGB(C);
    return QColor(RGBValue & 0xFF, (RGBValue >> 8) & 0xFF, (RGBValue >> 16) & 0xFF);
}

struct TViewPages : TWithApplication {
    TViewPages() : Model(colgrid::RowCount - 1, colgrid::ColCount)
    {
        using namespace colgrid;
        const QColor Fixed = ToQColor(clBtnFace);
        QFont Bold = View.font();
        Bold.setBold(true);
        for (Integer C = 0; C < ColCount; ++C) {
            auto* Header = new QStandardItem(QString::fromLatin1(Headers()[std::size_t(C)]));
            Header->setFont(Bold);
            Model.setHorizontalHeaderItem(C, Header);
        }
        for (Integer R = 1; R < RowCount; ++R)
            for (Integer C = 0; C < ColCount; ++C)
                Model.setItem(R - 1, C, NewItem(C, R, Fixed));
        View.setModel(&Model);
        View.verticalHeader()->hide();
        View.verticalHeader()->setDefaultSectionSize(22);
        for (Integer C = 0; C < ColCount; ++C)
            View.setColumnWidth(C, C == ColN ? 34 : C == ColDescription ? 170 : 72);
        View.setColumnHidden(ColIndex, true);
        View.resize(PageWidth, PageHeight);
        View.show();
        WaitExposed(&View);
        PageRows = View.viewport()->height() / 22;
    }

    static QStandardItem* NewItem(Integer C, Integer R, const QColor& Fixed)
    {
        using namespace colgrid;
        auto* Item = new QStandardItem;
        if (C == ColEnabled) {
            Item->setCheckable(true);
            Item->setData(Checked(R) ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
            return Item;
        }
        Item->setText(CellText(C, R));
        if (C == ColAddress) {
            Item->setBackground(ToQColor(AddressColor));
            Item->setEditable(false);
        }
        if (C == ColN || C == ColLength) {
            Item->setBackground(Fixed);
            Item->setEditable(false);
        }
        return Item;
    }

    void Page(Integer I)
    {
        View.scrollTo(Model.index(PageTop(I, PageRows, colgrid::RowCount - 1), 0), QAbstractItemView::PositionAtTop);
        View.render(&Image);
    }

    QStandardItemModel Model;
    QTableView View;
    Integer PageRows = 1;
    QImage Image{PageWidth, PageHeight, QImage::Format_ARGB32_Premultiplied};
};

template <class T>
void Pages(benchmark::State& State)
{
    T Subject;
    for (auto _ : State)
        for (Integer I = 0; I < PageCount; ++I)
            Subject.Page(I);
    State.SetItemsProcessed(State.iterations() * PageCount);
}

void BM_ColumnGridPaging(benchmark::State& State)
{
    Pages<TGridPages>(State);
}
BENCHMARK(BM_ColumnGridPaging)->Unit(benchmark::kMillisecond);

void BM_TableViewPaging(benchmark::State& State)
{
    Pages<TViewPages>(State);
}
BENCHMARK(BM_TableViewPaging)->Unit(benchmark::kMillisecond);

} // namespace
