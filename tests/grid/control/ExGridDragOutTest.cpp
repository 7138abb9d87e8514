// Dragging cells out of the string grid: the drag start of the mouse
// movement and what a move does to the source, with the drag loop replaced
// by one that answers as a drop target elsewhere would.
#include "ExGridMouse.h"
#include "ExGridOnForm.h"

#include "grid/control/ExGrid_Settings.h"
#include "rtl/ActiveX.h"

#include <QMimeData>
#include <QStringList>

namespace {

class TDragGrid : public TTestExGrid {
public:
    using TTestExGrid::TTestExGrid;
    using TCustomGrid::FGridState;
};

struct TDragOutForm : TGridOnForm<TDragGrid> {
    TDragOutForm()
    {
        Grid->SetColCount(4);
        Grid->SetRowCount(5);
        Grid->SetCells(1, 1, QStringLiteral("a"));
        Grid->SetCells(2, 1, QStringLiteral("b"));
        Grid->SetCells(1, 2, QStringLiteral("c"));
        Grid->SetCells(2, 2, QStringLiteral("d"));
        Grid->SetCells(1, 3, QStringLiteral("e"));
        Grid->DragDropSettings()->SetOleDropSource(true);
        Grid->DragDropSettings()->SetShowCells(false);
        Grid->OnOleDragStop = [this](TObject*, Integer Effect) { Log << QStringLiteral("stop %1").arg(Effect); };
        SetDragLoop([this](IDataObject* Data, IDropSource* Source, DWORD, DWORD& Effect) {
            const auto Mime = MimeDataOfDataObject(Data);
            Log << QStringLiteral("drag ") + Mime->text();
            Source->QueryContinueDrag(false, 0);
            Effect = Answer;
            return Answer == DROPEFFECT_NONE ? DRAGDROP_S_CANCEL : DRAGDROP_S_DROP;
        });
        Show();
        Grid->SetSelection(TGridRect{1, 1, 2, 2});
    }
    ~TDragOutForm() { SetDragLoop({}); }

    // Press on cell (1, 1) of the selection and move by (DX, DY) with the button held.
    void PressAndMove(Integer DX, Integer DY)
    {
        const QPoint P = Mouse.At(1, 1, 5, 5);
        Mouse.Press(P);
        const QPoint To = P + QPoint(DX, DY);
        QMouseEvent Move(QEvent::MouseMove, To, Mouse.Client()->mapToGlobal(To), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(Mouse.Client(), &Move);
    }
    TGridMouse Mouse{Grid};
    QStringList Log;
    DWORD Answer = DROPEFFECT_COPY;
};

} // namespace

TEST(ExGridDragOut, FourPixelsStartADragOfTheSelectedTextThreeDoNot)
{
    TDragOutForm F;
    F.PressAndMove(3, 0);
    EXPECT_TRUE(F.Log.isEmpty());
    F.Mouse.Release(F.Mouse.At(1, 1, 8, 5));

    TDragOutForm G;
    G.PressAndMove(0, 4);
    EXPECT_EQ(G.Log, (QStringList{QStringLiteral("drag a\tb\r\nc\td"), QStringLiteral("stop 1")}));
    EXPECT_EQ(G.Grid->Cells(1, 1), QStringLiteral("a"));
}

TEST(ExGridDragOut, ARefusedDragSelectsARangeInstead)
{
    TDragOutForm F;
    Integer Asked = 0;
    F.Grid->OnOleDrag = [&](TObject*, Integer ARow, Integer ACol, const String& Data, bool& Allow) {
        EXPECT_EQ(QStringLiteral("%1,%2,%3").arg(ACol).arg(ARow).arg(Data), QStringLiteral("1,1,a"));
        ++Asked;
        Allow = false;
    };
    F.PressAndMove(0, 6);
    EXPECT_EQ(Asked, 1);
    EXPECT_TRUE(F.Log.isEmpty());
    EXPECT_EQ(F.Grid->FGridState, gsSelecting);
}

TEST(ExGridDragOut, AMoveClearsOrRemovesTheSourceUnlessCopyAlwaysAndACancelReportsNothing)
{
    {
        TDragOutForm F;
        F.Answer = DROPEFFECT_MOVE;
        F.PressAndMove(6, 0);
        EXPECT_EQ(F.Log.last(), QStringLiteral("stop 2"));
        EXPECT_EQ(F.Grid->Cells(1, 1), QString());
        EXPECT_EQ(F.Grid->Cells(2, 2), QString());
        EXPECT_EQ(F.Grid->Cells(1, 3), QStringLiteral("e"));
    }
    {
        TDragOutForm F;
        F.Answer = DROPEFFECT_MOVE;
        F.Grid->DragDropSettings()->SetOleCopyAlways(true);
        F.PressAndMove(6, 0);
        EXPECT_EQ(F.Grid->Cells(1, 1), QStringLiteral("a"));
    }
    {
        TDragOutForm F;
        F.Answer = DROPEFFECT_MOVE;
        F.Grid->SetOptions(F.Grid->Options() + goRowSelect);
        F.Grid->DragDropSettings()->SetOleRemoveRows(true);
        F.Grid->SetSelection(TGridRect{1, 1, 3, 2});
        F.PressAndMove(6, 0);
        EXPECT_EQ(F.Grid->RowCount(), 3);
        EXPECT_EQ(F.Grid->Cells(1, 1), QStringLiteral("e"));
    }
    {
        TDragOutForm F;
        F.Answer = DROPEFFECT_NONE;
        F.PressAndMove(6, 0);
        EXPECT_EQ(F.Log, QStringList{QStringLiteral("drag a\tb\r\nc\td")});
        EXPECT_EQ(F.Grid->Cells(1, 1), QStringLiteral("a"));
    }
}
