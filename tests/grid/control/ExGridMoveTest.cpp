// Pointer movement over the grid: hover row and hover fixed cells with the
// pointer leaving, the split cursor over fixed borders, link hover, the
// sizing hint and events, the grid's own column move and the header
// row-selection drag.
#include "ExGridOnForm.h"

#include <QtTest/QTest>

namespace {

class TMoveGrid : public TExStringGrid {
public:
    using TExStringGrid::TExStringGrid;
    using TExStringGrid::ArwD;
    using TExStringGrid::ArwU;
    using TExStringGrid::Clickposdx;
    using TExStringGrid::Clickposx;
    using TExStringGrid::Clickposy;
    using TExStringGrid::Colclicked;
    using TExStringGrid::FGridState;
    using TExStringGrid::FHoverFixedCell;
    using TExStringGrid::FHoverRowIdx;
    using TExStringGrid::FMouseSelectMode;
    using TExStringGrid::FMouseSelectStart;
    using TExStringGrid::FNoMouseLeave;
    using TExStringGrid::FScrollHintWnd;
    using TExStringGrid::FSizeFixed;
    using TExStringGrid::MoveButton;
    using TExStringGrid::Movecell;
};

// 8 columns of 64 pixels and 10 rows of 20 under one fixed row and column.
struct TMoveFixture : TGridOnForm<TMoveGrid> {
    TMoveFixture()
    {
        Grid->SetColCount(8);
        Grid->SetRowCount(10);
        Grid->SetDefaultColWidth(64);
        Grid->SetDefaultRowHeight(20);
        Show();
    }
    ~TMoveFixture() { Screen->SetCursor(crDefault); }
    QWidget* View() const { return Grid->ClientWidget(); }
    void Move(QPoint P, Qt::MouseButtons Held = Qt::NoButton)
    {
        const QPointF At(P);
        QMouseEvent E(QEvent::MouseMove, At, View()->mapToGlobal(At), Qt::NoButton, Held, Qt::NoModifier);
        QApplication::sendEvent(View(), &E);
    }
    QPoint In(Integer C, Integer R, Integer Dx = 5, Integer Dy = 5) const
    {
        const TRect Cell = Grid->CellRect(C, R);
        return QPoint(Cell.Left + Dx, Cell.Top + Dy);
    }
    Qt::CursorShape CursorAt(QPoint P)
    {
        Grid->Perform(WM_SETCURSOR, 0, LPARAM(P.x()) | (LPARAM(P.y()) << 16));
        return View()->cursor().shape();
    }
};

// The paint events of a widget, united.
class TPaintRecorder : public QObject {
public:
    QRegion Painted;

protected:
    bool eventFilter(QObject*, QEvent* Event) override
    {
        if (Event->type() == QEvent::Paint)
            Painted += static_cast<QPaintEvent*>(Event)->region();
        return false;
    }
};

QRect RowBand(TExStringGrid* G, Integer R)
{
    const TRect Cell = G->CellRect(1, R);
    return QRect(Cell.Left + 2, Cell.Top + 2, 4, 4);
}

} // namespace

TEST(ExGridMove, HoverRowRepaintsOldAndNewRowAndLeavingClearsIt)
{
    TMoveFixture F;
    F.Grid->SetHoverRow(true);
    F.Grid->SetEnhRowColMove(false);
    F.Move(F.In(1, 2));
    ASSERT_EQ(F.Grid->FHoverRowIdx, 2);
    QApplication::processEvents();
    TPaintRecorder Recorder;
    F.View()->installEventFilter(&Recorder);
    F.Move(F.In(2, 3));
    QApplication::processEvents();
    EXPECT_EQ(F.Grid->FHoverRowIdx, 3);
    EXPECT_TRUE(Recorder.Painted.intersects(RowBand(F.Grid, 2))) << "old row";
    EXPECT_TRUE(Recorder.Painted.intersects(RowBand(F.Grid, 3))) << "new row";
    EXPECT_FALSE(Recorder.Painted.intersects(RowBand(F.Grid, 6)));

    Recorder.Painted = QRegion();
    F.Grid->Perform(CM_MOUSELEAVE);
    QApplication::processEvents();
    EXPECT_EQ(F.Grid->FHoverRowIdx, -1);
    EXPECT_TRUE(Recorder.Painted.intersects(RowBand(F.Grid, 3)));
    F.View()->removeEventFilter(&Recorder);
}

TEST(ExGridMove, LeavingKeepsAHoverFixedCellHeldByItsMenu)
{
    for (const bool Held : {false, true}) {
        TMoveFixture F;
        F.Grid->SetHoverFixedCells(hfAll);
        F.Move(F.In(2, 0));
        ASSERT_EQ(F.Grid->FHoverFixedCell, TPoint(2, 0));
        F.Grid->FNoMouseLeave = Held;
        F.Grid->Perform(CM_MOUSELEAVE);
        EXPECT_EQ(F.Grid->FHoverFixedCell, Held ? TPoint(2, 0) : TPoint(-1, -1)) << Held;
    }
}

TEST(ExGridMove, SplitCursorWithinTwoPixelsOfAFixedColumnsBorder)
{
    TMoveFixture F;
    F.Grid->MouseActions()->SetSizeFixedCol(true);
    const Integer Border = F.Grid->ColWidths(0);
    for (const auto& [Dx, Split] : {std::pair(2, true), std::pair(3, false), std::pair(-2, true), std::pair(-3, false)}) {
        const QPoint P(Border + Dx, 30);
        F.Move(P);
        EXPECT_EQ(F.Grid->FSizeFixed, Split) << Dx;
        EXPECT_EQ(F.CursorAt(P) == Qt::SplitHCursor, Split) << Dx;
    }
    F.Grid->MouseActions()->SetSizeFixedCol(false);
    F.Move(QPoint(Border + 1, 30));
    EXPECT_FALSE(F.Grid->FSizeFixed) << "only with SizeFixedCol";
}

TEST(ExGridMove, AnchorEventsOncePerChangeAndTheHandOverLinksOnly)
{
    TMoveFixture F;
    F.Grid->SetColWidths(1, 300);
    F.Grid->SetCells(1, 1, "<a href=\"one\">first</a><a href=\"two\">second</a> and plain text after");
    QStringList Events;
    F.Grid->OnAnchorEnter = [&](TObject*, Integer ARow, Integer ACol, const String& Anchor) {
        Events << QStringLiteral("enter %1 %2,%3").arg(Anchor).arg(ARow).arg(ACol);
    };
    F.Grid->OnAnchorExit = [&](TObject*, Integer, Integer, const String& Anchor) { Events << "exit " + Anchor; };
    bool HandSeen = false, NormalAfter = false;
    for (Integer Dx = 1; Dx < 290; ++Dx) {
        F.Move(F.In(1, 1, Dx, 8));
        if (F.Grid->Cursor() == crHandPoint)
            HandSeen = true;
        else if (HandSeen)
            NormalAfter = F.Grid->Cursor() == crDefault;
    }
    EXPECT_EQ(Events, QStringList({"enter one 1,1", "enter two 1,1", "exit "}));
    EXPECT_TRUE(HandSeen);
    EXPECT_TRUE(NormalAfter) << "the grid's cursor back past the links";

    // Straight from a link onto a plain cell leaves the anchors too.
    Events.clear();
    F.Move(F.In(1, 1, 10, 8));
    F.Move(F.In(2, 3));
    EXPECT_EQ(Events, QStringList({"enter one 1,1", "exit "}));
    EXPECT_EQ(F.Grid->Cursor(), crDefault);
}

TEST(ExGridMove, SizingHintShowsTheNewWidthAndTheEventReportsIt)
{
    TMoveFixture F;
    F.Grid->SetOptions(F.Grid->Options() + goColSizing);
    F.Grid->SetHintShowSizing(true);
    Integer Reported = -1, ReportedCol = -1;
    F.Grid->OnColumnSizing = [&](TObject*, Integer ACol, Integer Size) {
        ReportedCol = ACol;
        Reported = Size;
    };
    const TRect R = F.Grid->CellRect(1, 0);
    const QPoint Border(R.Left + 64, 5);
    QTest::mousePress(F.View(), Qt::LeftButton, {}, Border);
    ASSERT_EQ(F.Grid->FGridState, gsColSizing);
    // The press of the column's border records these.
    F.Grid->Colclicked = 1;
    F.Grid->Clickposdx = 0;
    F.Move(Border + QPoint(10, 0), Qt::LeftButton);
    EXPECT_EQ(ReportedCol, 1);
    EXPECT_EQ(Reported, 74);
    ASSERT_NE(F.Grid->FScrollHintWnd, nullptr);
    EXPECT_EQ(F.Grid->FScrollHintWnd->Caption(), "cw=<b>74</b>");
    const TPoint Corner = F.Grid->ClientToScreen(TPoint(R.Left, R.Top));
    EXPECT_EQ(F.Grid->FScrollHintWnd->Left(), Corner.X);
    EXPECT_EQ(F.Grid->FScrollHintWnd->Top(), Corner.Y);
    QTest::mouseRelease(F.View(), Qt::LeftButton, {}, Border + QPoint(10, 0));
}

namespace {

// A column move of column 1 started by a press on its header.
void StartColumnMove(TMoveFixture& F)
{
    F.Grid->SetOptions(F.Grid->Options() + goColMoving);
    F.Grid->DragDropSettings()->SetShowCells(false);
    const QPoint Press = F.In(1, 0);
    QTest::mousePress(F.View(), Qt::LeftButton, {}, Press);
    // The press records the moved column and its point.
    F.Grid->Movecell = 1;
    F.Grid->Clickposx = Press.x();
    F.Grid->Clickposy = Press.y();
    F.Move(F.In(1, 0, 20), Qt::LeftButton);
    ASSERT_EQ(F.Grid->FGridState, gsColMoving);
}

} // namespace

TEST(ExGridMove, DropArrowsPointAtTheColumnOfThePreviousMovement)
{
    TMoveFixture F;
    StartColumnMove(F);
    F.Move(F.In(3, 0), Qt::LeftButton);
    F.Move(F.In(4, 0), Qt::LeftButton);
    const TRect D = F.Grid->CellRect(3, 0);
    const TPoint TopLeft = F.Grid->ClientToScreen(TPoint(D.Left, D.Top));
    const TPoint BottomRight = F.Grid->ClientToScreen(TPoint(D.Right, D.Bottom));
    EXPECT_TRUE(F.Grid->ArwU->Visible());
    EXPECT_TRUE(F.Grid->ArwD->Visible());
    EXPECT_EQ(F.Grid->ArwU->Left(), TopLeft.X + 64 - 5) << "right of column 3, the previous movement's";
    EXPECT_EQ(F.Grid->ArwU->Top(), BottomRight.Y);
    EXPECT_EQ(F.Grid->ArwD->Top(), TopLeft.Y - 8);
    EXPECT_EQ(Screen->Cursor(), crDrag);
    EXPECT_TRUE(F.Grid->MoveButton->Visible()) << "the header image without ShowCells";
    EXPECT_EQ(F.Grid->MoveButton->Caption(), F.Grid->Cells(1, 0));
    QTest::mouseRelease(F.View(), Qt::LeftButton, {}, F.In(4, 0));
}

TEST(ExGridMove, RefusedColumnMovingShowsTheNoDropCursor)
{
    TMoveFixture F;
    StartColumnMove(F);
    std::vector<Integer> Asked;
    F.Grid->OnColumnMoving = [&](TObject*, Integer, Integer ACol, bool& Allow) {
        Asked.push_back(ACol);
        Allow = ACol != 5;
    };
    F.Move(F.In(4, 0), Qt::LeftButton);
    EXPECT_EQ(Screen->Cursor(), crDrag);
    F.Move(F.In(5, 0), Qt::LeftButton);
    EXPECT_EQ(Screen->Cursor(), crNoDrop);
    EXPECT_EQ(Asked, std::vector<Integer>({4, 5}));
    QTest::mouseRelease(F.View(), Qt::LeftButton, {}, F.In(5, 0));
}

TEST(ExGridMove, ColumnMovePastTheRightEdgeScrollsOneColumnPerMovement)
{
    TMoveFixture F;
    F.Grid->SetColCount(12);
    StartColumnMove(F);
    const Integer Last = 12 - F.Grid->VisibleColCount();
    ASSERT_GT(Last, 2);
    const QPoint Beyond(F.Grid->Width() + 10, 5);
    for (Integer Step = 1; Step <= Last + 2; ++Step) {
        F.Move(Beyond, Qt::LeftButton);
        EXPECT_EQ(F.Grid->LeftCol(), std::min<Integer>(1 + Step, Last)) << Step;
    }
    QTest::mouseRelease(F.View(), Qt::LeftButton, {}, Beyond);
}

TEST(ExGridMove, HeaderRowSelectionDragNearTheBottomScrollsOneRowPerMovement)
{
    TMoveFixture F;
    // All columns in view: the last row in part reaches the bottom edge.
    F.Grid->SetColCount(5);
    F.Grid->SetRowCount(40);
    F.Grid->MouseActions()->SetRowSelect(true);
    // The press on the fixed column starts the drag.
    F.Grid->FMouseSelectStart = 2;
    F.Grid->FMouseSelectMode = msRow;
    const QPoint NearBottom(10, F.Grid->Height() - 3);
    const Integer Top = F.Grid->TopRow();
    for (Integer Step = 1; Step <= 3; ++Step) {
        F.Move(NearBottom, Qt::LeftButton);
        EXPECT_EQ(F.Grid->TopRow(), Top + Step);
    }
    EXPECT_EQ(F.Grid->Selection().Top, 2) << "from the row the drag started on";
}
