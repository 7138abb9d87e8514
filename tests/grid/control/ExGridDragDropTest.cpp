// Drops on the string grid: Qt's drag events with MIME data sent to the
// grid's client area, as another program's drag would deliver them.
#include "ExGridOnForm.h"

#include "grid/control/ExGrid_Links.h"
#include "grid/control/ExGrid_Settings.h"

#include <QDropEvent>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>

#include <fstream>

namespace {

class TDropGrid : public TTestExGrid {
public:
    using TTestExGrid::TTestExGrid;
    using TExStringGrid::FDropSelection;
};

struct TDropForm : TGridOnForm<TDropGrid> {
    TDropForm()
    {
        Grid->SetColCount(5);
        Grid->SetRowCount(6);
        Grid->SetOptions(Grid->Options() + goEditing);
        for (Integer R = 1; R < 6; ++R)
            for (Integer C = 1; C < 5; ++C)
                Grid->SetCells(C, R, QStringLiteral("%1%2").arg(C).arg(R));
        Grid->OnOleDropped = [this](TObject*, Integer, Integer) { ++Dropped; };
        Show();
        Grid->DragDropSettings()->SetOleDropTarget(true);
    }
    QPoint CellCentre(Integer ACol, Integer ARow) const
    {
        const TRect R = Grid->CellRect(ACol, ARow);
        return QPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
    }
    // Enter, move and drop at the client point; false when the move was refused.
    bool Drop(QMimeData* Mime, QPoint At)
    {
        QWidget* Client = Grid->ClientWidget();
        const Qt::DropActions Actions = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent Enter(At, Actions, Mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Client, &Enter);
        QDragMoveEvent Move(At, Actions, Mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Client, &Move);
        const bool Accepted = Move.isAccepted();
        QDropEvent DropEvent(At, Actions, Mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Client, &DropEvent);
        return Accepted;
    }
    bool DropText(const String& Text, QPoint At)
    {
        QMimeData Mime;
        Mime.setText(Text);
        return Drop(&Mime, At);
    }
    bool DropFiles(const QList<QUrl>& Urls)
    {
        QMimeData Mime;
        Mime.setUrls(Urls);
        return Drop(&Mime, CellCentre(2, 2));
    }
    Integer Dropped = 0;
};

} // namespace

TEST(ExGridDrop, ATextBlockInsertsItsRowsFillsThemAndSelectsThem)
{
    // Lines from programs that end them with LF alone break the same way.
    for (const char* Text : {"a\tb\r\nc\td", "a\tb\nc\td\n"}) {
        TDropForm F;
        F.Grid->DragDropSettings()->SetOleInsertRows(true);
        EXPECT_TRUE(F.DropText(QString::fromLatin1(Text), F.CellCentre(2, 3))) << Text;
        EXPECT_EQ(F.Grid->RowCount(), 8) << Text;
        EXPECT_EQ(F.Grid->Cells(2, 3), QStringLiteral("a"));
        EXPECT_EQ(F.Grid->Cells(3, 3), QStringLiteral("b"));
        EXPECT_EQ(F.Grid->Cells(2, 4), QStringLiteral("c"));
        EXPECT_EQ(F.Grid->Cells(3, 4), QStringLiteral("d"));
        EXPECT_EQ(F.Grid->Cells(1, 3), QString());
        EXPECT_EQ(F.Grid->Cells(1, 5), QStringLiteral("13"));
        EXPECT_EQ(F.Grid->Selection(), (TGridRect{2, 3, 3, 4}));
        EXPECT_EQ(F.Dropped, 1);
    }
}

TEST(ExGridDrop, WithoutInsertRowsTheBlockOverwritesInPlace)
{
    TDropForm F;
    F.DropText(QStringLiteral("x\ty"), F.CellCentre(3, 2));
    EXPECT_EQ(F.Grid->RowCount(), 6);
    EXPECT_EQ(F.Grid->Cells(3, 2), QStringLiteral("x"));
    EXPECT_EQ(F.Grid->Cells(4, 2), QStringLiteral("y"));
    EXPECT_EQ(F.Grid->Cells(3, 3), QStringLiteral("33"));
    EXPECT_EQ(F.Grid->Selection(), (TGridRect{3, 2, 4, 2}));
}

TEST(ExGridDrop, ARefusedTextDropWritesNothingAndReportsTheSelectionUnchanged)
{
    TDropForm F;
    F.Grid->DragDropSettings()->SetOleInsertRows(true);
    F.Grid->SetSelection(TGridRect{1, 1, 1, 1});
    String Seen;
    F.Grid->OnOleDrop = [&](TObject*, Integer ARow, Integer ACol, const String& Data, bool& Allow) {
        Seen = QStringLiteral("%1,%2,%3").arg(ACol).arg(ARow).arg(Data);
        Allow = false;
    };
    Integer DroppedRow = -1;
    F.Grid->OnOleDropped = [&](TObject*, Integer ARow, Integer) { DroppedRow = ARow; };
    F.DropText(QStringLiteral("q"), F.CellCentre(2, 4));
    EXPECT_EQ(Seen, QStringLiteral("2,4,q"));
    EXPECT_EQ(F.Grid->RowCount(), 6);
    EXPECT_EQ(F.Grid->Cells(2, 4), QStringLiteral("24"));
    EXPECT_EQ(F.Grid->Selection(), (TGridRect{1, 1, 1, 1}));
    EXPECT_EQ(DroppedRow, 1);
}

TEST(ExGridDrop, TheHeaderRowRefusesTextExceptInAHeaderOnlyGrid)
{
    TDropForm F;
    EXPECT_FALSE(F.DropText(QStringLiteral("h"), F.CellCentre(2, 0)));
    EXPECT_EQ(F.Grid->Cells(2, 0), QString());
    EXPECT_EQ(F.Grid->Cells(2, 1), QStringLiteral("21"));

    TDropForm H;
    H.Grid->SetFixedRowAlways(true);
    H.Grid->SetRowCount(1);
    H.Grid->DragDropSettings()->SetOleInsertRows(true);
    EXPECT_TRUE(H.DropText(QStringLiteral("h"), H.CellCentre(2, 0)));
    EXPECT_EQ(H.Grid->Cells(2, 0), QString());
    ASSERT_EQ(H.Grid->RowCount(), 2);
    EXPECT_EQ(H.Grid->Cells(2, 1), QStringLiteral("h"));
}

TEST(ExGridDrop, BelowTheLastRowTextAppendsOnlyWithEntireAndAppendRows)
{
    TDropForm F;
    const TRect Last = F.Grid->CellRect(1, 5);
    const QPoint Below((Last.Left + Last.Right) / 2, Last.Bottom + 10);
    F.Grid->DragDropSettings()->SetOleInsertRows(true);
    EXPECT_FALSE(F.DropText(QStringLiteral("n"), Below));
    EXPECT_EQ(F.Grid->RowCount(), 6);

    F.Grid->DragDropSettings()->SetOleEntireRows(true);
    F.Grid->DragDropSettings()->SetOleAppendRows(true);
    EXPECT_TRUE(F.DropText(QStringLiteral("n\r\nm"), Below));
    ASSERT_EQ(F.Grid->RowCount(), 8);
    EXPECT_EQ(F.Grid->Cells(1, 5), QStringLiteral("15"));
    EXPECT_EQ(F.Grid->Cells(1, 6), QStringLiteral("n"));
    EXPECT_EQ(F.Grid->Cells(1, 7), QStringLiteral("m"));
}

TEST(ExGridDrop, RowsDroppedAboveTheDraggedRowsShiftTheSourceBlock)
{
    TDropForm F;
    F.Grid->DragDropSettings()->SetOleInsertRows(true);
    F.Grid->DragDropSettings()->SetOleRemoveRows(true);
    F.Grid->FDropSelection = TGridRect{1, 5, 4, 6};
    F.Grid->SetRowCount(7);
    F.DropText(QStringLiteral("r5\r\nr6"), F.CellCentre(1, 2));
    EXPECT_EQ(F.Grid->FDropSelection, (TGridRect{1, 7, 4, 8}));

    // Below the dragged rows the block stays.
    F.DropText(QStringLiteral("z"), F.CellCentre(1, 8));
    EXPECT_EQ(F.Grid->FDropSelection.Top, 7);
}

TEST(ExGridDrop, AUrlLandsAsPlainTextAndIsNotOpened)
{
    TDropForm F;
    QStringList Opened;
    SetGridURLOpener([&](const String& URL) {
        Opened << URL;
        return true;
    });
    const QUrl Url(QStringLiteral("http://example.org/x"));
    // Without the text a browser sends along, the cell keeps its own.
    F.DropFiles({Url});
    EXPECT_EQ(F.Grid->Cells(2, 2), QStringLiteral("22"));

    String Reported;
    F.Grid->OnOleDropURL = [&](TObject*, Integer, Integer, const String& URL, bool&) { Reported = URL; };
    QMimeData Mime;
    Mime.setUrls({Url});
    Mime.setText(Url.toString());
    F.Drop(&Mime, F.CellCentre(2, 2));
    SetGridURLOpener({});
    EXPECT_EQ(Reported, Url.toString());
    EXPECT_EQ(F.Grid->Cells(2, 2), Url.toString());
    EXPECT_TRUE(Opened.isEmpty());
}

TEST(ExGridDrop, OneCsvFileLoadsUnlessRefusedTwoFilesNothing)
{
    QTemporaryDir Dir;
    ASSERT_TRUE(Dir.isValid());
    const QString Name = Dir.filePath(QStringLiteral("list.Csv.txt"));
    {
        std::ofstream Out(Name.toStdString());
        Out << "p,q\nr,s\n";
    }
    const QUrl File = QUrl::fromLocalFile(Name);
    struct {
        bool RefuseFile;
        bool RefuseDrop;
        bool Loads;
    } Cases[] = {{false, false, true}, {true, false, false}, {false, true, false}};
    for (const auto& Case : Cases) {
        TDropForm F;
        QStringList Asked;
        F.Grid->OnOleDropFile = [&](TObject*, Integer, Integer, const String& FileName, bool& Allow) {
            Asked << FileName;
            Allow = !Case.RefuseFile;
        };
        F.Grid->OnOleDrop = [&](TObject*, Integer, Integer, const String&, bool& Allow) { Allow = !Case.RefuseDrop; };
        F.DropFiles({File});
        EXPECT_EQ(Asked, QStringList{Name});
        EXPECT_EQ(F.Grid->Cells(1, 1) == QStringLiteral("s") || F.Grid->Cells(0, 0) == QStringLiteral("p"), Case.Loads)
            << Case.RefuseFile << Case.RefuseDrop;
    }
    TDropForm Two;
    Two.DropFiles({File, File});
    EXPECT_EQ(Two.Grid->Cells(0, 0), QString());
    EXPECT_EQ(Two.Grid->Cells(1, 1), QStringLiteral("11"));
}

TEST(ExGridDrop, AColumnDroppedRightOfTheLastColumnBecomesTheLastWithReorder)
{
    for (const bool Reorder : {false, true}) {
        TDropForm F;
        F.Grid->DragDropSettings()->SetOleColumnReorder(Reorder);
        QStringList Dropped;
        F.Grid->OnOleDropCol = [&](TObject*, Integer, Integer ACol, Integer DropCol, bool&) {
            Dropped << QStringLiteral("%1>%2").arg(DropCol).arg(ACol);
        };
        const TRect Last = F.Grid->CellRect(4, 0);
        ASSERT_LT(Last.Right + 20, F.Grid->ClientWidth());
        QMimeData Mime;
        const qint32 Column = 1;
        Mime.setData(QStringLiteral("application/x-grid-column"),
                     QByteArray(reinterpret_cast<const char*>(&Column), sizeof Column));
        EXPECT_TRUE(F.Drop(&Mime, QPoint(Last.Right + 20, 5))) << Reorder;
        EXPECT_EQ(Dropped, QStringList{Reorder ? QStringLiteral("1>4") : QStringLiteral("1>5")});
        EXPECT_EQ(F.Grid->Cells(4, 1), Reorder ? QStringLiteral("11") : QStringLiteral("41"));
        EXPECT_EQ(F.Grid->Cells(1, 1), Reorder ? QStringLiteral("21") : QStringLiteral("11"));
    }
}
