// grid-filter [--screenshot FILE]: a string grid whose header cells carry
// the filter drop-down button (FilterDropDownAuto), with the check list of
// the "Type" column open and two of its values checked, so that only their
// rows show; --screenshot writes the window and ends.
#include "grid/control/ExGrid.h"
#include "grid/data/ExGrid_FilterLists.h"
#include "rtl/Forms.h"

#include <QApplication>
#include <QImage>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace {

constexpr Integer ButtonWidth = 16;

// The grid with its drop-down state opened to the tool.
class TFilterGalleryGrid : public TExStringGrid {
public:
    using TExStringGrid::TExStringGrid;

    // Opens the check list of ACol as the header button does: the column's
    // entries, its conditions checked, below the button and inside the grid.
    void OpenCheckList(Integer ACol)
    {
        FFilterCol = ACol;
        GetFilterList(ACol, FilterList());
        TDropCheckList* List = FDropCheckList;
        List->Items()->Clear();
        for (Integer I = 0; I < FilterList()->Count(); ++I) {
            const String Entry = FilterList()->Strings(I);
            List->Items()->Add(Entry.section(u'=', 0, 0));
            const String Condition = Entry.contains(u'=') ? Entry.section(u'=', 1) : Entry;
            for (Integer F = 0; F < Filter()->Count(); ++F)
                if (Filter()->Items(F)->Column() == ACol && Filter()->Items(F)->Condition() == Condition)
                    List->SetChecked(I, true);
        }
        List->SetColor(FilterDropDown()->Color());
        List->Font()->Assign(FilterDropDown()->Font());
        const TRect Cell = CellRect(DisplColIndex(ACol), FilterDropDownRow());
        const Integer Width = FilterDropDown()->Width();
        const Integer Left = std::max(0, std::min(Cell.Right - ButtonWidth, ClientWidth() - Width));
        List->SetBounds(Left, Cell.Top + ButtonWidth, Width, FilterDropDown()->Height());
        List->SetVisible(true);
        List->SetFocus();
    }

    void Check(Integer Index)
    {
        FDropCheckList->SetChecked(Index, true);
        FilterCheckListDone(FDropCheckList, -1);
    }
};

} // namespace

int main(int argc, char** argv)
{
    QApplication App(argc, argv);
    Application->Initialize();
    const QStringList Args = App.arguments();
    QString ScreenshotFile;
    if (Args.size() == 3 && Args[1] == QLatin1String("--screenshot")) {
        ScreenshotFile = Args[2];
    } else if (Args.size() != 1) {
        std::fprintf(stderr, "usage: grid-filter [--screenshot FILE]\n");
        return 2;
    }
    TForm* Form = nullptr;
    Application->CreateForm(Form);
    Form->SetCaption(QStringLiteral("Filtering rows"));
    Form->SetClientWidth(460);
    Form->SetClientHeight(260);
    auto* Grid = new TFilterGalleryGrid(Form);
    Grid->SetParent(Form);
    Grid->SetBounds(8, 8, 444, 244);
    Grid->SetColCount(4);
    Grid->SetColWidths(0, 28);
    Grid->SetColWidths(1, 150);
    Grid->SetColWidths(2, 120);
    Grid->SetColWidths(3, 120);
    const char* Header[] = {"", "Name", "Type", "Port"};
    const char* Rows[][3] = {{"Speed", "UINT16", "Port 1"},    {"Status", "BOOL", "Port 1"},
                             {"Position", "INT32", "Port 2"},  {"Label", "STRING", "Port 2"},
                             {"Limit", "REAL", "Port 3"},      {"Alarm", "BOOL", "Port 3"},
                             {"Counter", "UINT16", "Port 4"},  {"Set point", "INT32", "Port 4"}};
    Grid->SetRowCount(Integer(std::size(Rows)) + 1);
    for (Integer C = 0; C < 4; ++C)
        Grid->SetCells(C, 0, QString::fromLatin1(Header[C]));
    for (Integer R = 1; R < Grid->RowCount(); ++R) {
        Grid->SetCells(0, R, QString::number(R));
        for (Integer C = 1; C < 4; ++C)
            Grid->SetCells(C, R, QString::fromLatin1(Rows[R - 1][C - 1]));
    }
    Grid->SetFilterDropDownAuto(true);
    Grid->SetFilterDropDownCheck(true);
    Form->Show();
    QTimer::singleShot(300, [&] {
        // "BOOL" and "INT32" follow "(All)" in the sorted list.
        Grid->OpenCheckList(2);
        Grid->Check(1);
        Grid->Check(2);
        if (ScreenshotFile.isEmpty())
            return;
        QTimer::singleShot(500, [&] {
            QCoreApplication::processEvents();
            Form->Handle()->grab().toImage().save(ScreenshotFile, "PNG");
            Form->Close();
        });
    });
    Application->Run();
    DoneApplication();
    return 0;
}
