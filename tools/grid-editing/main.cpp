// grid-editing [--screenshot FILE]: a string grid whose "Type" column edits
// in a list combo, with the combo open over a cell; --screenshot writes the
// window with the combo's list and ends.
#include "grid/control/ExGrid_Editors.h"
#include "rtl/Forms.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {

// The window with the combo's list drawn where it shows on the screen.
QImage WindowPicture(TForm* Form, TGridCombo* Combo)
{
    QWidget* Window = Form->Handle();
    const QRect Area = Window->frameGeometry();
    QImage Picture = Window->grab().toImage();
    QWidget* List = Combo->ComboBox()->view()->window();
    if (!List->isVisible())
        return Picture;
    const QRect Popup = List->geometry();
    QImage Whole(Area.united(Popup).size(), QImage::Format_RGB32);
    Whole.fill(Qt::white);
    QPainter P(&Whole);
    const QPoint Origin = Area.united(Popup).topLeft();
    P.drawImage(Window->mapToGlobal(QPoint(0, 0)) - Origin, Picture);
    P.drawImage(Popup.topLeft() - Origin, List->grab().toImage());
    return Whole;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication App(argc, argv);
    Application->Initialize();
    InitExGridUnit();
    const QStringList Args = App.arguments();
    QString ScreenshotFile;
    if (Args.size() == 3 && Args[1] == QLatin1String("--screenshot")) {
        ScreenshotFile = Args[2];
    } else if (Args.size() != 1) {
        std::fprintf(stderr, "usage: grid-editing [--screenshot FILE]\n");
        return 2;
    }
    TForm* Form = nullptr;
    Application->CreateForm(Form);
    Form->SetCaption(QStringLiteral("Editing cells in place"));
    Form->SetClientWidth(420);
    Form->SetClientHeight(220);
    auto* Grid = new TExStringGrid(Form);
    Grid->SetParent(Form);
    Grid->SetBounds(8, 8, 404, 204);
    Grid->SetColCount(4);
    Grid->SetRowCount(6);
    Grid->SetOptions(Grid->Options() + TGridOptions{goEditing});
    const char* Header[] = {"", "Name", "Type", "Length"};
    const char* Rows[][3] = {{"Speed", "UINT16", "2"}, {"Status", "BOOL", "1"}, {"Position", "INT32", "4"},
                             {"Label", "STRING", "16"}, {"Limit", "REAL", "4"}};
    for (Integer C = 0; C < 4; ++C)
        Grid->SetCells(C, 0, QString::fromLatin1(Header[C]));
    for (Integer R = 1; R < 6; ++R) {
        Grid->SetCells(0, R, QString::number(R));
        for (Integer C = 1; C < 4; ++C)
            Grid->SetCells(C, R, QString::fromLatin1(Rows[R - 1][C - 1]));
    }
    Grid->OnGetEditorType = [](TObject*, Integer ACol, Integer, TEditorType& AEditor) {
        if (ACol == 2)
            AEditor = edComboList;
    };
    Grid->OnGetEditorProp = [Grid](TObject*, Integer, Integer, TEditLink*) {
        Grid->ClearComboString();
        for (const char* Item : {"BOOL", "INT16", "INT32", "UINT16", "UINT32", "REAL", "STRING"})
            Grid->AddComboString(QString::fromLatin1(Item));
    };
    Form->Show();
    QTimer::singleShot(300, [&] {
        Grid->SetFocus();
        Grid->MoveToCell(2, 3);
        Grid->ShowInplaceEdit();
        Grid->Combobox()->SetDroppedDown(true);
        if (ScreenshotFile.isEmpty())
            return;
        QTimer::singleShot(500, [&] {
            QCoreApplication::processEvents();
            WindowPicture(Form, Grid->Combobox()).save(ScreenshotFile, "PNG");
            Form->Close();
        });
    });
    Application->Run();
    DoneApplication();
    return 0;
}
