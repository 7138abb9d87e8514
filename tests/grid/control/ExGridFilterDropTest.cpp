// The release hook: the header filter drop-down (entries, checking, size
// and place, closing), a size dragged beyond the edge, and disjunct cell
// selection.
#include "ExGridOnForm.h"

#include "grid/data/ExGrid_FilterLists.h"

#include <QtTest/QTest>

namespace {

class TFilterGrid : public TExStringGrid {
public:
    using TExStringGrid::TExStringGrid;
    using TExStringGrid::FDropCheckList;
    using TExStringGrid::FDropList;
    using TExStringGrid::FFilterCol;
    using TExStringGrid::FGridState;
    using TExStringGrid::FSelectedCells;
};

// Four columns of 64 pixels, rows of 20, entries "a=1" and "b c" for every
// column but 0.
struct TFilterFixture : TGridOnForm<TFilterGrid> {
    explicit TFilterFixture(Integer GridWidth = 480)
    {
        Grid->SetColCount(4);
        Grid->SetRowCount(6);
        Grid->SetDefaultColWidth(64);
        Grid->SetDefaultRowHeight(20);
        Grid->SetBounds(0, 0, GridWidth, 200);
        Grid->OnGetColumnFilter = [](TObject*, Integer Column, TStrings* Filter) {
            if (Column > 0) {
                Filter->Add("a=1");
                Filter->Add("b c");
            }
        };
        Show();
    }
    QWidget* View() const { return Grid->ClientWidget(); }
    void MoveHeld(QPoint P)
    {
        const QPointF At(P);
        QMouseEvent E(QEvent::MouseMove, At, View()->mapToGlobal(At), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(View(), &E);
    }
    void Click(QPoint P, Qt::KeyboardModifiers Keys = {})
    {
        QTest::mouseClick(View(), Qt::LeftButton, Keys, P);
        QApplication::processEvents();
    }
    // A point on the filter button of column C's header.
    QPoint OnButton(Integer C) const
    {
        const TRect R = Grid->CellRect(C, 0);
        return QPoint(R.Right - 8, R.Top + 5);
    }
    QPoint In(Integer C, Integer R) const
    {
        const TRect Cell = Grid->CellRect(C, R);
        return QPoint(Cell.Left + 5, Cell.Top + 5);
    }
    QStringList Items(TCustomListBox* L) const
    {
        QStringList Texts;
        for (Integer I = 0; I < L->Count(); ++I)
            Texts << L->Items()->Strings(I);
        return Texts;
    }
};

} // namespace

TEST(ExGridFilterDrop, PlainListShowsTheNamesAndOpensBelowTheButton)
{
    TFilterFixture F;
    F.Click(F.OnButton(1));
    TDropList* L = F.Grid->FDropList;
    ASSERT_TRUE(L->Visible());
    EXPECT_EQ(F.Grid->FFilterCol, 1);
    EXPECT_EQ(F.Items(L), QStringList({"a", "b c"}));
    EXPECT_EQ(L->ItemIndex(), 0);
    const TRect R = F.Grid->CellRect(1, 0);
    EXPECT_EQ(L->BoundsRect(), TRect(R.Right - 16, R.Top + 16, R.Right - 16 + 150, R.Top + 16 + 150));

    // A second release on the same button closes it.
    F.Click(F.OnButton(1));
    EXPECT_FALSE(L->Visible());
    EXPECT_EQ(F.Grid->FFilterCol, -1);
}

TEST(ExGridFilterDrop, ListPassingTheRightEdgeIsPulledLeftButNeverBelowZero)
{
    // The last column ends at 257: 241 + 150 passes the grid's 300 pixels.
    TFilterFixture Near(300);
    Near.Click(Near.OnButton(3));
    const TRect R = Near.Grid->CellRect(3, 0);
    EXPECT_EQ(Near.Grid->FDropList->Left(), R.Right - 150);

    TFilterFixture Narrow(120);
    Narrow.Grid->SetColWidths(1, 50);
    Narrow.Click(Narrow.OnButton(1));
    ASSERT_TRUE(Narrow.Grid->FDropList->Visible());
    EXPECT_EQ(Narrow.Grid->FDropList->Left(), 0);
}

TEST(ExGridFilterDrop, AutoSizeAndColumnWidth)
{
    TFilterFixture F;
    F.Grid->FilterDropDown()->SetAutoSize(true);
    F.Click(F.OnButton(1));
    TDropList* L = F.Grid->FDropList;
    const QFontMetrics M(F.Grid->FilterDropDown()->Font()->ToQFont());
    EXPECT_EQ(L->Height(), 2 * L->ItemHeight() + 4);
    EXPECT_EQ(L->Width(), M.horizontalAdvance("b c") + 8 + 4);
    F.Click(F.In(2, 2));

    F.Grid->FilterDropDown()->SetColumnWidth(true);
    F.Click(F.OnButton(2));
    const TRect R = F.Grid->CellRect(2, 0);
    EXPECT_EQ(L->Left(), R.Left);
    EXPECT_EQ(L->Width(), R.Right - R.Left);
}

TEST(ExGridFilterDrop, ThousandsOfWideEntriesStayInsideTheGrid)
{
    TFilterFixture F;
    F.Grid->OnGetColumnFilter = [](TObject*, Integer, TStrings* Filter) {
        for (int I = 0; I < 3000; ++I)
            Filter->Add(QStringLiteral("%1 %2").arg(I, 5, 10, QChar('0')).arg(QString(300, 'W')));
    };
    F.Grid->FilterDropDown()->SetAutoSize(true);
    F.Click(F.OnButton(1));
    TDropList* L = F.Grid->FDropList;
    ASSERT_EQ(L->Count(), 3000);
    EXPECT_GE(L->Left(), 0);
    EXPECT_LE(L->Left() + L->Width(), F.Grid->Width());
    EXPECT_LE(L->Top() + L->Height(), F.Grid->Height());
}

TEST(ExGridFilterDrop, CheckListChecksTheQuotedConditionOfItsOwnColumnOnly)
{
    TFilterFixture F;
    F.Grid->SetFilterDropDownCheck(true);
    TFilterData* Item = F.Grid->Filter()->Add();
    Item->SetColumn(1);
    Item->SetCondition("\"b c\"");
    F.Click(F.OnButton(1));
    TDropCheckList* L = F.Grid->FDropCheckList;
    ASSERT_TRUE(L->Visible());
    EXPECT_EQ(F.Items(L), QStringList({"a", "b c"}));
    EXPECT_FALSE(L->Checked(0));
    EXPECT_TRUE(L->Checked(1));
    EXPECT_EQ(F.Grid->Filter()->Count(), 1) << "opening chooses nothing";

    L->SetVisible(false);
    F.Click(F.OnButton(2));
    ASSERT_TRUE(L->Visible());
    EXPECT_FALSE(L->Checked(1)) << "the condition belongs to column 1";
}

TEST(ExGridFilterDrop, ReleaseOutsideTheButtonZoneClosesTheList)
{
    TFilterFixture F;
    const TRect R = F.Grid->CellRect(1, 0);
    for (const QPoint P : {QPoint(R.Right - 2, R.Top + 5), QPoint(R.Right - 8, R.Top + 19)}) {
        F.Click(F.OnButton(2));
        ASSERT_TRUE(F.Grid->FDropList->Visible());
        F.Click(P);
        EXPECT_FALSE(F.Grid->FDropList->Visible()) << P.x() << "," << P.y();
        EXPECT_EQ(F.Grid->FFilterCol, -1);
    }
}

TEST(ExGridFilterDrop, ColumnSizeDraggedBeyondTheRightEdgeIsDropped)
{
    TFilterFixture F(300);
    F.Grid->SetOptions(F.Grid->Options() + goColSizing);
    const TRect R = F.Grid->CellRect(3, 0);
    QTest::mousePress(F.View(), Qt::LeftButton, {}, QPoint(R.Right, 5));
    ASSERT_EQ(F.Grid->FGridState, gsColSizing);
    F.MoveHeld(QPoint(340, 5));
    QTest::mouseRelease(F.View(), Qt::LeftButton, {}, QPoint(340, 5));
    EXPECT_EQ(F.Grid->ColWidths(3), 64);
    EXPECT_EQ(F.Grid->FGridState, gsNormal);
}

namespace {

// The listed disjunct cells as (column, row) pairs, in list order.
std::vector<std::pair<Integer, Integer>> Listed(TFilterGrid* G)
{
    std::vector<std::pair<Integer, Integer>> Cells;
    for (Integer I = 0; I < G->FSelectedCells->Count(); ++I)
        Cells.emplace_back(G->FSelectedCells->Items(I) & 0xFFFF, G->FSelectedCells->Items(I) >> 16);
    return Cells;
}

using TCells = std::vector<std::pair<Integer, Integer>>;

} // namespace

TEST(ExGridFilterDrop, DisjunctCellsByClickCtrlShiftAndDrag)
{
    TFilterFixture F;
    F.Grid->MouseActions()->SetDisjunctCellSelect(true);
    F.Click(F.In(1, 1));
    EXPECT_EQ(Listed(F.Grid), TCells({{1, 1}}));
    F.Click(F.In(3, 2), Qt::ControlModifier);
    EXPECT_EQ(Listed(F.Grid), TCells({{1, 1}, {3, 2}}));
    F.Click(F.In(3, 2), Qt::ControlModifier);
    EXPECT_EQ(Listed(F.Grid), TCells({{1, 1}})) << "Ctrl toggles";
    F.Click(F.In(2, 4), Qt::ShiftModifier);
    EXPECT_TRUE(F.Grid->IsSelected(2, 4)) << "Shift adds";
    F.Click(F.In(3, 3));
    EXPECT_EQ(Listed(F.Grid), TCells({{3, 3}})) << "a plain click starts again";

    QTest::mousePress(F.View(), Qt::LeftButton, {}, F.In(1, 1));
    F.MoveHeld(F.In(2, 2));
    QTest::mouseRelease(F.View(), Qt::LeftButton, {}, F.In(2, 2));
    TCells Cells = Listed(F.Grid);
    std::sort(Cells.begin(), Cells.end());
    EXPECT_EQ(Cells, TCells({{1, 1}, {1, 2}, {2, 1}, {2, 2}})) << "four cells, once each";
}

TEST(ExGridFilterDrop, RefusedSelectCellLeavesTheListAndRaisesNoMouseUp)
{
    TFilterFixture F;
    F.Grid->MouseActions()->SetDisjunctCellSelect(true);
    int Ups = 0;
    F.Grid->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, Integer, Integer) { ++Ups; };
    F.Click(F.In(1, 1));
    ASSERT_EQ(Ups, 1);
    F.Grid->OnSelectCell = [](TObject*, Integer ACol, Integer, bool& CanSelect) { CanSelect = ACol != 2; };
    // With Ctrl, since a plain press already starts a new list.
    F.Click(F.In(2, 3), Qt::ControlModifier);
    EXPECT_EQ(Listed(F.Grid), TCells({{1, 1}}));
    EXPECT_EQ(Ups, 1);
}
