// The thin scroll bars of ssMetro (thumb geometry, page clicks, thumb drags,
// grids with nothing to divide by) and the picture of a dragged header.
#include "ExGridOnForm.h"

#include <QtTest/QTest>

namespace {

class TThinGrid : public TExStringGrid {
public:
    using TExStringGrid::TExStringGrid;
    using TExStringGrid::MoveButton;
    using TExStringGrid::vscrlctrl;
};

// Rows of 20 pixels under one fixed row, in a grid of ClientHeight pixels.
struct TThinFixture : TGridOnForm<TThinGrid> {
    explicit TThinFixture(Integer Rows, Integer Height = 235)
    {
        Grid->SetRowCount(Rows);
        Grid->SetColCount(3);
        Grid->SetDefaultRowHeight(20);
        Grid->SetBounds(0, 0, 300, Height);
        Show();
        Grid->SetScrollType(ssMetro);
        Bar()->SetColor(clRed);
        QApplication::processEvents();
    }
    TScrollControl* Bar() const { return Grid->vscrlctrl; }
    // Rows of the control's picture that show the thumb colour.
    Integer ThumbPixelRows() const
    {
        const QImage I = Bar()->Handle()->grab().toImage();
        Integer Rows = 0;
        for (int Y = 0; Y < I.height(); ++Y)
            Rows += QColor(I.pixel(1, Y)) == QColor(Qt::red) ? 1 : 0;
        return Rows;
    }
    void Press(Integer Y) { QTest::mousePress(Bar()->Handle(), Qt::LeftButton, {}, QPoint(2, Y)); }
    void MoveTo(Integer Y)
    {
        QMouseEvent E(QEvent::MouseMove, QPointF(2, Y), Bar()->Handle()->mapToGlobal(QPointF(2, Y)), Qt::NoButton,
                      Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Bar()->Handle(), &E);
    }
    void Release(Integer Y) { QTest::mouseRelease(Bar()->Handle(), Qt::LeftButton, {}, QPoint(2, Y)); }
};

} // namespace

TEST(ExGridThinScroll, ThumbOnlyWhenRowsAreHiddenAndNeverBelowTwentyPixels)
{
    TThinFixture All(5);
    ASSERT_NE(All.Bar(), nullptr);
    EXPECT_EQ(All.ThumbPixelRows(), 0) << "every row in view: no thumb";

    TThinFixture Many(1000);
    ASSERT_EQ(Many.Grid->VisibleRowCount(), 10);
    const auto T = Many.Bar()->Thumb();
    ASSERT_TRUE(T.has_value());
    EXPECT_EQ(T->Size, 20);
    EXPECT_EQ(T->Pos, Many.Grid->RowHeights(0)) << "at the top of the track, below the fixed row";
    EXPECT_EQ(Many.ThumbPixelRows(), 20);
}

TEST(ExGridThinScroll, ThumbDragStopsAtTheLastPageAndAtTheFixedRows)
{
    TThinFixture F(1000);
    const auto T = F.Bar()->Thumb();
    ASSERT_TRUE(T.has_value());
    F.Press(T->Pos + 5);
    F.MoveTo(F.Bar()->Height() + 500);
    EXPECT_EQ(F.Grid->TopRow(), 1000 - F.Grid->VisibleRowCount());
    F.MoveTo(-500);
    EXPECT_EQ(F.Grid->TopRow(), F.Grid->FixedRows());
    F.Release(-500);
    // Released: further moves scroll nothing.
    F.MoveTo(F.Bar()->Height());
    EXPECT_EQ(F.Grid->TopRow(), F.Grid->FixedRows());
}

TEST(ExGridThinScroll, PageClicksStayWithinTheScrollableRows)
{
    TThinFixture F(30);
    const Integer Visible = F.Grid->VisibleRowCount();
    F.Grid->SetTopRow(30 - Visible);
    QApplication::processEvents();
    const auto T = F.Bar()->Thumb();
    ASSERT_TRUE(T.has_value());
    ASSERT_LT(T->Pos + T->Size, F.Bar()->Height() - 1) << "room below the thumb on the last page";
    F.Press(F.Bar()->Height() - 1);
    F.Release(F.Bar()->Height() - 1);
    EXPECT_EQ(F.Grid->TopRow(), 30 - Visible) << "below the thumb on the last page";
    F.Press(T->Pos - 2);
    F.Release(T->Pos - 2);
    EXPECT_EQ(F.Grid->TopRow(), 30 - 2 * Visible) << "above the thumb: one page up";
    F.Press(F.Grid->RowHeights(0) + 1);
    F.Release(F.Grid->RowHeights(0) + 1);
    F.Press(F.Grid->RowHeights(0) + 1);
    F.Release(F.Grid->RowHeights(0) + 1);
    EXPECT_EQ(F.Grid->TopRow(), F.Grid->FixedRows()) << "never above the fixed rows";
}

TEST(ExGridThinScroll, NothingToDivideByNeitherCrashesNorScrolls)
{
    // Only one row, and a control a few pixels high (shorter than row 0).
    for (const auto& [Rows, Height] : {std::pair(1, 235), std::pair(50, 4)}) {
        TThinFixture F(Rows, Height);
        const Integer Top = F.Grid->TopRow();
        F.ThumbPixelRows();
        for (const Integer Y : {0, 1, 3}) {
            F.Press(Y);
            F.MoveTo(Y + 2);
            F.Release(Y + 2);
        }
        EXPECT_EQ(F.Grid->TopRow(), Top) << Rows << " rows, " << Height << " pixels";
    }
}

namespace {

// The drag image's picture with Caption, Width pixels wide.
QImage DragImage(TThinGrid* Grid, const String& Caption, Integer Width)
{
    THeaderDragButton* B = Grid->MoveButton;
    B->SetCaption(Caption);
    B->SetBounds(0, 0, Width, 22);
    return B->Handle()->grab().toImage();
}

// The columns holding dark (text) pixels.
std::pair<int, int> DarkColumns(const QImage& I, int& Count)
{
    int First = I.width(), Last = -1;
    Count = 0;
    for (int Y = 2; Y < I.height() - 2; ++Y)
        for (int X = 2; X < I.width() - 2; ++X)
            if (qGray(I.pixel(X, Y)) < 100) {
                First = std::min(First, X);
                Last = std::max(Last, X);
                ++Count;
            }
    return {First, Last};
}

} // namespace

TEST(ExGridThinScroll, HeaderDragImageCentresPlainCaptionsAndRendersMarkup)
{
    TGridOnForm<TThinGrid> F;
    F.Show();
    ASSERT_NE(F.Grid->MoveButton, nullptr);
    EXPECT_FALSE(F.Grid->MoveButton->Visible());
    EXPECT_FALSE(F.Grid->MoveButton->Enabled());
    EXPECT_EQ(F.Grid->MoveButton->Grid(), F.Grid);

    int Count = 0;
    const auto [First, Last] = DarkColumns(DragImage(F.Grid, "Header", 200), Count);
    ASSERT_GT(Count, 0);
    EXPECT_NEAR((First + Last) / 2.0, 100, 2) << "centred";

    // Too long: cut with an ellipsis, not clipped at the border.
    const String Long = "Caption that never fits";
    const QImage Cut = DragImage(F.Grid, Long, 60);
    const auto [CutFirst, CutLast] = DarkColumns(Cut, Count);
    EXPECT_GE(CutFirst, 2);
    EXPECT_LT(CutLast, 58);

    // "</" sends the caption through the renderer: the tag is not shown and
    // bold text stays bold.
    F.Grid->FixedFont()->SetStyle(TFontStyles());
    int Bold = 0, Plain = 0, Literal = 0;
    DarkColumns(DragImage(F.Grid, "<b>Head</b>", 200), Bold);
    DarkColumns(DragImage(F.Grid, "<i></i>Head", 200), Plain);
    DarkColumns(DragImage(F.Grid, "<b>Head", 200), Literal);
    EXPECT_GT(Bold, Plain);
    EXPECT_GT(Literal, Bold) << "without an end tag the caption shows as it is";
}
