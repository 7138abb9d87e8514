// Scrolling of the string grid: thumb positions and scroll hints,
// proportional thumbs, the thin scroll controls of ssMetro, the
// search-footer rules, drag scrolling with its timer and the cell under a
// screen point.
#include "grid/control/ExGrid.h"

#include "rtl/Forms.h"

#include <QMimeData>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <memory>

// Found by argument lookup: the runtime's struct lives in the global namespace.
static bool operator==(const TGridScrollInfo& A, const TGridScrollInfo& B)
{
    return A.Min == B.Min && A.Max == B.Max && A.Page == B.Page && A.Pos == B.Pos;
}

namespace {

class TScrollGrid : public TExStringGrid {
public:
    using TExStringGrid::TExStringGrid;
    using TExStringGrid::FDragScrollDirection;
    using TExStringGrid::FDragTmr;
    using TExStringGrid::FScrollHintWnd;
    using TExStringGrid::FScrollLock;
    using TExStringGrid::GetScrollInfo;
    using TExStringGrid::hscrlctrl;
    using TExStringGrid::SetScrollInfo;
    using TExStringGrid::UpdateHScrollProportional;
    using TExStringGrid::UpdateVScrollProportional;
    using TExStringGrid::vscrlctrl;
};

// A grid of Cols x Rows cells on a 600 x 400 form, one fixed row and column,
// every row RowHeight and every column ColWidth pixels, one-pixel lines.
class ExGridScrollTest : public ::testing::Test {
protected:
    void Make(Integer Cols, Integer Rows, Integer ColWidth, Integer RowHeight, Integer Height)
    {
        G.SetColCount(Cols);
        G.SetRowCount(Rows);
        G.SetFixedCols(1);
        G.SetFixedRows(1);
        G.SetGridLineWidth(1);
        for (Integer C = 0; C < Cols; ++C)
            G.SetColWidths(C, ColWidth);
        for (Integer R = 0; R < Rows; ++R)
            G.SetRowHeights(R, RowHeight);
        G.SetBounds(0, 0, 600, Height);
    }
    LRESULT Scroll(Cardinal Msg, Word Code, Integer Pos = 0)
    {
        return G.Perform(Msg, WPARAM(Code) | (WPARAM(Word(Pos)) << 16), 0);
    }
    void Show()
    {
        Form->Show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form->Handle()));
    }
    void Tick() { G.FDragTmr->OnTimer(G.FDragTmr); }

    std::unique_ptr<TForm> Form = [] {
        auto F = std::make_unique<TForm>(nullptr);
        F->SetClientWidth(600);
        F->SetClientHeight(500);
        return F;
    }();
    TScrollGrid& G = *[this] {
        auto* Grid = new TScrollGrid(Form.get());
        Grid->SetParent(Form.get());
        return Grid;
    }();
};

} // namespace

TEST_F(ExGridScrollTest, ThumbPositionMapsToTheRowTheHintNamesAndSynchScrollsThere)
{
    // 200 rows, 20 in view, one fixed row: 1 + MulDiv(64, 179, 127) = 91.
    Make(3, 200, 64, 20, 450);
    for (Integer H = 450; G.VisibleRowCount() > 20; --H)
        G.SetHeight(H);
    ASSERT_EQ(G.VisibleRowCount(), 20);
    G.SetScrollHints(shBoth);
    Scroll(WM_VSCROLL, SB_THUMBTRACK, 64);
    ASSERT_NE(G.FScrollHintWnd, nullptr);
    EXPECT_EQ(G.FScrollHintWnd->Caption(), "Row : 91");
    EXPECT_TRUE(G.FScrollHintWnd->IsHintShowing());
    EXPECT_EQ(G.FScrollHintWnd->Color(), G.HintColor());
    EXPECT_EQ(G.TopRow(), 1);  // no thumb tracking without ScrollSynch

    G.SetScrollSynch(true);
    Integer HintRow = -1;
    G.OnScrollHint = [&](TObject*, Integer ARow, String& Hint) {
        HintRow = ARow;
        Hint += QStringLiteral(" of 200");
    };
    Scroll(WM_VSCROLL, SB_THUMBTRACK, 64);
    EXPECT_EQ(HintRow, 91);
    EXPECT_EQ(G.FScrollHintWnd->Caption(), "Row : 91 of 200");
    EXPECT_EQ(G.TopRow(), 91);

    Scroll(WM_VSCROLL, SB_ENDSCROLL, 64);
    EXPECT_FALSE(G.FScrollHintWnd->IsHintShowing());
    // Releasing the thumb lands on the same row.
    G.SetTopRow(1);
    Scroll(WM_VSCROLL, SB_THUMBPOSITION, 64);
    EXPECT_EQ(G.TopRow(), 91);
}

TEST_F(ExGridScrollTest, ColumnHintsShowOnlyWithHorizontalHints)
{
    Make(40, 5, 64, 20, 300);
    const Integer Last = G.ColCount() - G.VisibleColCount();
    G.SetScrollHints(shVertical);
    Scroll(WM_HSCROLL, SB_THUMBTRACK, 127);
    EXPECT_EQ(G.FScrollHintWnd, nullptr);

    G.SetScrollHints(shHorizontal);
    G.SetScrollSynch(true);
    Scroll(WM_HSCROLL, SB_THUMBTRACK, 127);
    ASSERT_NE(G.FScrollHintWnd, nullptr);
    EXPECT_EQ(G.FScrollHintWnd->Caption(), QStringLiteral("Col : %1").arg(Last));
    EXPECT_EQ(G.LeftCol(), Last);
    Scroll(WM_HSCROLL, SB_THUMBTRACK, 0);
    EXPECT_EQ(G.FScrollHintWnd->Caption(), "Col : 1");
    EXPECT_EQ(G.LeftCol(), 1);
    // Row hints stay off with horizontal hints.
    Scroll(WM_VSCROLL, SB_ENDSCROLL);
    EXPECT_TRUE(G.FScrollHintWnd->IsHintShowing());
    Scroll(WM_HSCROLL, SB_ENDSCROLL);
    EXPECT_FALSE(G.FScrollHintWnd->IsHintShowing());
}

TEST_F(ExGridScrollTest, ScrollMessagesOnEmptyAndTinyGridsRaiseNothing)
{
    // One data cell; one cell and nothing fixed.
    for (Integer Fixed : {1, 0}) {
        Make(2, 2, 64, 20, 300);
        G.SetFixedRows(Fixed);
        G.SetFixedCols(Fixed);
        G.SetColCount(Fixed + 1);
        G.SetRowCount(Fixed + 1);
        G.SetScrollHints(shBoth);
        G.SetScrollSynch(true);
        G.SearchFooter()->SetVisible(true);
        for (Word Code = SB_LINEUP; Code <= SB_ENDSCROLL; ++Code)
            for (Integer Pos : {0, 64, 127}) {
                EXPECT_NO_THROW(Scroll(WM_VSCROLL, Code, Pos));
                EXPECT_NO_THROW(Scroll(WM_HSCROLL, Code, Pos));
            }
        EXPECT_GE(G.TopRow(), 0);
        EXPECT_LT(G.TopRow(), G.RowCount());
    }
}

TEST_F(ExGridScrollTest, ProportionalThumbsFollowThePixelExtent)
{
    // Rows: b = 1 + 21, c = 1 + 99 x 21 = 2080, e = 378 / 2080;
    // m = Trunc((e + 127) / (1 - e)) = 155.
    Make(3, 100, 64, 20, 400);
    G.SetScrollProportional(true);
    EXPECT_EQ(G.GetScrollInfo(SB_VERT), (TGridScrollInfo{0, 155, 29, 0}));
    G.SetTopRow(51);
    G.UpdateVScrollProportional();
    // d = 1 + 50 x 21: Trunc(1051 / (2080 - 400) x 128) = 80.
    EXPECT_EQ(G.GetScrollInfo(SB_VERT).Pos, 80);

    // Columns: b = 1 + 101, c = 1 + 9 x 101 = 910, e = 498 / 910: m = 281;
    // from column 4 d = 1 + 3 x 101: Trunc(304 / 310 x 128) = 125.
    Make(10, 100, 100, 20, 400);
    G.UpdateHScrollProportional();
    EXPECT_EQ(G.GetScrollInfo(SB_HORZ), (TGridScrollInfo{0, 281, 155, 0}));
    G.SetLeftCol(4);
    G.UpdateHScrollProportional();
    EXPECT_EQ(G.GetScrollInfo(SB_HORZ).Pos, 125);

    // Locked thumbs stay.
    G.FScrollLock = true;
    G.SetColWidths(5, 300);
    G.UpdateHScrollProportional();
    EXPECT_EQ(G.GetScrollInfo(SB_HORZ).Max, 281);
    G.FScrollLock = false;
    G.UpdateHScrollProportional();
    EXPECT_LT(G.GetScrollInfo(SB_HORZ).Max, 281);  // a smaller share fits
}

TEST_F(ExGridScrollTest, ColumnsThatFitOrHaveNoExtentLeaveTheHorizontalInformation)
{
    const TGridScrollInfo Before{0, 60, 10, 5};
    Make(3, 100, 64, 20, 400);
    G.SetScrollInfo(SB_HORZ, Before);
    G.SetScrollProportional(true);
    EXPECT_EQ(G.GetScrollInfo(SB_HORZ), Before);
    EXPECT_FALSE(G.GetScrollInfo(SB_VERT) == (TGridScrollInfo{0, 127, 0, 0}));

    // No scrollable extent and no grid lines: nothing is divided by 0.
    G.SetGridLineWidth(0);
    G.SetColCount(2);
    G.SetColWidths(1, 0);
    G.SetScrollInfo(SB_HORZ, Before);
    G.UpdateHScrollProportional();
    EXPECT_EQ(G.GetScrollInfo(SB_HORZ), Before);
}

TEST_F(ExGridScrollTest, ProportionalThumbsWaitWhileRowsFitOrTheSettingIsOff)
{
    Make(3, 5, 64, 20, 400);
    const TGridScrollInfo Before = G.GetScrollInfo(SB_VERT);
    G.SetScrollProportional(true);
    EXPECT_EQ(G.GetScrollInfo(SB_VERT), Before);
    G.SetScrollProportional(false);
    G.SetRowCount(100);
    EXPECT_EQ(G.GetScrollInfo(SB_VERT), Before);
    // A new row count recomputes them while the setting is on.
    G.SetScrollProportional(true);
    const Integer Max = G.GetScrollInfo(SB_VERT).Max;
    G.SetRowCount(200);
    EXPECT_LT(G.GetScrollInfo(SB_VERT).Max, Max);  // a smaller share fits
}

TEST_F(ExGridScrollTest, MetroGivesTwoThinControlsAndNormalGivesTheBarsBack)
{
    Make(10, 100, 100, 20, 400);
    Show();
    G.SetScrollType(ssMetro);
    ASSERT_NE(G.vscrlctrl, nullptr);
    ASSERT_NE(G.hscrlctrl, nullptr);
    EXPECT_EQ(G.vscrlctrl->Width(), 6);
    EXPECT_EQ(G.vscrlctrl->Align(), alRight);
    EXPECT_EQ(G.vscrlctrl->Direction(), sdVertical);
    EXPECT_TRUE(G.vscrlctrl->Visible());
    EXPECT_EQ(G.hscrlctrl->Height(), 6);
    EXPECT_EQ(G.hscrlctrl->Align(), alBottom);
    EXPECT_EQ(G.hscrlctrl->Direction(), sdHorizontal);
    EXPECT_TRUE(G.hscrlctrl->Visible());
    EXPECT_EQ(G.vscrlctrl->Parent(), &G);
    EXPECT_EQ(G.ScrollBars(), ssNone);

    G.SetScrollType(ssNormal);
    EXPECT_EQ(G.vscrlctrl, nullptr);
    EXPECT_EQ(G.hscrlctrl, nullptr);
    EXPECT_EQ(G.ScrollBars(), ssBoth);

    // The other types find no flat bars: the window's bars stay.
    G.SetScrollType(ssFlat);
    EXPECT_EQ(G.vscrlctrl, nullptr);
    EXPECT_EQ(G.ScrollBars(), ssBoth);
    // Writing the same type again changes nothing.
    G.SetScrollBars(ssVertical);
    G.SetScrollType(ssFlat);
    EXPECT_EQ(G.ScrollBars(), ssVertical);
}

TEST_F(ExGridScrollTest, MetroChosenBeforeTheWindowExistsInstallsTheControlsWithIt)
{
    auto* Later = new TScrollGrid(Form.get());
    Later->SetScrollType(ssMetro);
    EXPECT_EQ(Later->vscrlctrl, nullptr);
    Later->SetParent(Form.get());
    ASSERT_NE(Later->vscrlctrl, nullptr);
    EXPECT_NE(Later->hscrlctrl, nullptr);
    EXPECT_EQ(Later->ScrollBars(), ssNone);
}

TEST_F(ExGridScrollTest, LineDownStopsOnceTheLastRowShowsAboveTheSearchFooter)
{
    Make(3, 40, 64, 20, 400);
    G.SearchFooter()->SetVisible(true);
    G.SearchPanel()->SetHeight(32);
    const Integer Start = G.RowCount() - G.VisibleRowCount();
    G.SetTopRow(Start);
    ASSERT_FALSE(G.IsLastRowAboveSearchFooter());
    Scroll(WM_VSCROLL, SB_LINEDOWN);
    ASSERT_TRUE(G.IsLastRowAboveSearchFooter());
    const Integer Top = G.TopRow();
    EXPECT_GT(Top, Start);
    EXPECT_EQ(Scroll(WM_VSCROLL, SB_LINEDOWN), 1);
    EXPECT_EQ(Scroll(WM_VSCROLL, SB_ENDSCROLL), 1);
    EXPECT_EQ(G.TopRow(), Top);

    // Without the footer the platform answers.
    G.SearchFooter()->SetVisible(false);
    EXPECT_EQ(Scroll(WM_VSCROLL, SB_LINEDOWN), 0);
}

TEST_F(ExGridScrollTest, DragOverTheMarginsSetsTheDirections)
{
    Make(20, 40, 64, 20, 400);
    G.DragScrollOptions()->SetActive(true);
    struct TCase {
        Integer X, Y, Direction;
    };
    const Integer W = G.Width();
    const Integer H = G.Height();
    for (const TCase& C : {TCase{100, 10, dsdUp}, TCase{100, H - 10, dsdDown}, TCase{10, 100, dsdLeft},
                           TCase{W - 10, 100, dsdRight}, TCase{10, 10, dsdUp | dsdLeft},
                           TCase{W - 10, H - 10, dsdDown | dsdRight}, TCase{100, 100, 0}}) {
        bool Accept = false;
        G.DragOver(nullptr, C.X, C.Y, dsDragMove, Accept);
        EXPECT_EQ(G.FDragScrollDirection, C.Direction) << C.X << "," << C.Y;
        EXPECT_EQ(G.FDragTmr != nullptr, C.Direction != 0) << C.X << "," << C.Y;
    }
}

TEST_F(ExGridScrollTest, DragScrollingUpWaitsTheInitialDelayThenRepeatsUntilTheFixedRows)
{
    Make(3, 40, 64, 20, 400);
    G.SetTopRow(4);
    G.DragScrollOptions()->SetActive(true);
    bool Accept = false;
    G.DragOver(nullptr, 100, 10, dsDragEnter, Accept);
    ASSERT_NE(G.FDragTmr, nullptr);
    EXPECT_EQ(G.FDragTmr->Interval(), 1000u);
    EXPECT_TRUE(G.FDragTmr->Enabled());
    EXPECT_EQ(G.TopRow(), 4);
    for (Integer Expected : {3, 2, 1, 1}) {
        Tick();
        EXPECT_EQ(G.TopRow(), Expected);
        EXPECT_EQ(G.FDragTmr->Interval(), 250u);
    }
    // Moving on in the margin starts the initial delay again.
    G.DragOver(nullptr, 100, 12, dsDragMove, Accept);
    EXPECT_EQ(G.FDragTmr->Interval(), 1000u);
    G.DragOver(nullptr, 100, 12, dsDragLeave, Accept);
    EXPECT_EQ(G.FDragTmr, nullptr);
}

TEST_F(ExGridScrollTest, DragScrollingRunsOnTheRealTimer)
{
    Make(3, 40, 64, 20, 400);
    G.SetTopRow(4);
    G.DragScrollOptions()->SetActive(true);
    G.DragScrollOptions()->Delays()->SetInitialDelay(40);
    G.DragScrollOptions()->Delays()->SetRepeatDelay(10);
    bool Accept = false;
    G.DragOver(nullptr, 100, 10, dsDragEnter, Accept);
    EXPECT_TRUE(QTest::qWaitFor([&] { return G.TopRow() == 1; }, 5000));
    QTest::qWait(50);
    EXPECT_EQ(G.TopRow(), 1);
    // Switching the option off frees the timer at its next tick.
    G.DragScrollOptions()->SetActive(false);
    EXPECT_TRUE(QTest::qWaitFor([&] { return G.FDragTmr == nullptr; }, 5000));
}

TEST_F(ExGridScrollTest, OnDragScrollMayRefuseOrTurnTheDirection)
{
    Make(20, 40, 64, 20, 400);
    G.SetTopRow(4);
    G.DragScrollOptions()->SetActive(true);
    bool Allow = false;
    Integer SeenTop = -1, SeenLeft = -1;
    G.OnDragScroll = [&](TObject*, Integer TopRow, Integer LeftCol, Integer& Direction, bool& CanScroll) {
        SeenTop = TopRow;
        SeenLeft = LeftCol;
        CanScroll = Allow;
        Direction = dsdDown | dsdRight;
    };
    bool Accept = false;
    G.DragOver(nullptr, 100, 10, dsDragEnter, Accept);
    Tick();
    EXPECT_EQ(SeenTop, 4);
    EXPECT_EQ(SeenLeft, 1);
    EXPECT_EQ(G.TopRow(), 4);
    Allow = true;
    Tick();
    EXPECT_EQ(G.TopRow(), 5);
    EXPECT_EQ(G.LeftCol(), 2);
    EXPECT_EQ(G.FDragScrollDirection, dsdDown | dsdRight);
}

TEST_F(ExGridScrollTest, InactiveDragScrollingKeepsNoTimer)
{
    Make(3, 40, 64, 20, 400);
    bool Accept = false;
    G.DragOver(nullptr, 100, 10, dsDragEnter, Accept);
    EXPECT_EQ(G.FDragTmr, nullptr);
    G.DragScrollOptions()->SetActive(true);
    G.DragOver(nullptr, 100, 10, dsDragEnter, Accept);
    ASSERT_NE(G.FDragTmr, nullptr);
    G.DragScrollOptions()->SetActive(false);
    G.DragOver(nullptr, 100, 10, dsDragMove, Accept);
    EXPECT_EQ(G.FDragTmr, nullptr);
}

TEST_F(ExGridScrollTest, TheRuntimesDragEventsReachDragOver)
{
    Make(3, 40, 64, 20, 400);
    G.DragScrollOptions()->SetActive(true);
    QMimeData Data;
    Data.setText(QStringLiteral("x"));
    QDragEnterEvent Enter(QPoint(100, 10), Qt::CopyAction, &Data, Qt::LeftButton, Qt::NoModifier);
    G.WidgetEvent(&Enter);
    EXPECT_EQ(G.FDragScrollDirection, dsdUp);
    EXPECT_NE(G.FDragTmr, nullptr);
    QDragMoveEvent Move(QPoint(100, 200), Qt::CopyAction, &Data, Qt::LeftButton, Qt::NoModifier);
    G.WidgetEvent(&Move);
    EXPECT_EQ(G.FDragTmr, nullptr);
    G.WidgetEvent(&Enter);
    QDropEvent Drop(QPointF(100, 10), Qt::CopyAction, &Data, Qt::LeftButton, Qt::NoModifier);
    G.WidgetEvent(&Drop);
    EXPECT_EQ(G.FDragTmr, nullptr);
}

TEST_F(ExGridScrollTest, ScreenToCellFindsTheCellUnderAScreenPoint)
{
    Make(3, 4, 64, 20, 300);
    Show();
    const TRect R = G.CellRect(2, 3);
    Integer C = -2, Row = -2;
    G.ScreenToCell(G.ClientToScreen(TPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2)), C, Row);
    EXPECT_EQ(C, 2);
    EXPECT_EQ(Row, 3);
    G.ScreenToCell(G.ClientToScreen(TPoint(20, 250)), C, Row);
    EXPECT_EQ(C, -1);
    EXPECT_EQ(Row, -1);
}
