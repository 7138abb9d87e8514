// The left release: header sort clicks, the grid's own column move, the
// end of a fixed border drag and of the fill handle.
#include "ExGridMouse.h"
#include "ExGridOnForm.h"

#include "grid/control/ExCGrid.h"
#include "grid/data/ExGrid_FilterLists.h"
#include "rtl/Forms.h"

#include <algorithm>
#include <functional>
#include <vector>

namespace {

class TReleaseGrid : public TExColumnGrid {
public:
    using TExColumnGrid::TExColumnGrid;
    using TExStringGrid::FDropList;
    using TExStringGrid::FSizeFixed;
};

struct TSortGrid : TGridOnForm<TReleaseGrid> {
    TSortGrid()
    {
        Grid->SetColCount(4);
        Grid->SetRowCount(6);
        Grid->SetDefaultColWidth(80);
        for (Integer R = 1; R < 6; ++R)
            for (Integer C = 0; C < 4; ++C)
                Grid->SetCells(C, R, QString::number((R * 7 + C) % 5));
        Grid->SortSettings()->SetShow(true);
        Grid->OnClickSort = [this](TObject*, Integer C) { Sorted.push_back(C); };
        Show();
    }
    QPoint Header(Integer C) const { return Mouse.At(C, 0, 30, 5); }
    TGridMouse Mouse{Grid};
    std::vector<Integer> Sorted;
};

} // namespace

TEST(ExGridRelease, ThreeHeaderClicksSortUpDownAndUndo)
{
    TSortGrid F;
    F.Grid->SortSettings()->SetUndoSort(true);
    TSortSettings* S = F.Grid->SortSettings();
    F.Mouse.Click(F.Header(2));
    EXPECT_EQ(S->Column(), 2);
    EXPECT_EQ(S->Direction(), sdAscending);
    F.Mouse.Click(F.Header(2));
    EXPECT_EQ(S->Column(), 2);
    EXPECT_EQ(S->Direction(), sdDescending);
    F.Mouse.Click(F.Header(2));
    EXPECT_EQ(S->Column(), -1);
    EXPECT_EQ(F.Sorted, (std::vector<Integer>{2, 2, -1}));
}

namespace {

QStringList ColumnTexts(TExStringGrid* Grid, Integer C)
{
    QStringList Texts;
    for (Integer R = 1; R < Grid->RowCount(); ++R)
        Texts << Grid->Cells(C, R);
    return Texts;
}

} // namespace

TEST(ExGridRelease, HeaderClicksOrderTheRowsAndUndoRestoresThem)
{
    TSortGrid F;
    F.Grid->SortSettings()->SetUndoSort(true);
    const QStringList Before = ColumnTexts(F.Grid, 2);
    QStringList Ascending = Before;
    std::sort(Ascending.begin(), Ascending.end());
    QStringList Descending = Ascending;
    std::reverse(Descending.begin(), Descending.end());
    F.Mouse.Click(F.Header(2));
    EXPECT_EQ(ColumnTexts(F.Grid, 2), Ascending);
    F.Mouse.Click(F.Header(2));
    EXPECT_EQ(ColumnTexts(F.Grid, 2), Descending);
    F.Mouse.Click(F.Header(2));
    EXPECT_EQ(ColumnTexts(F.Grid, 2), Before);
}

TEST(ExGridRelease, AChoiceInTheHeaderFilterListFiltersTheRows)
{
    TSortGrid F;
    F.Grid->Columns()->Items(1)->Filter()->Add(QStringLiteral("Threes=3"));
    const TRect Header = F.Grid->CellRect(1, 0);
    F.Mouse.Click(QPoint(Header.Right - 8, Header.Top + 5));
    ASSERT_TRUE(F.Grid->FDropList->Visible());
    const Integer Threes = ColumnTexts(F.Grid, 1).count(QStringLiteral("3"));
    ASSERT_GT(Threes, 0);
    F.Grid->FDropList->OnSelect(F.Grid->FDropList, 0);
    EXPECT_TRUE(F.Grid->FilterActive());
    EXPECT_EQ(ColumnTexts(F.Grid, 1), QStringList(Threes, QStringLiteral("3")));
}

TEST(ExGridRelease, HeaderClicksThatDoNotSort)
{
    struct TCase {
        const char* Name;
        std::function<QPoint(TSortGrid&)> Setup;
    };
    const std::vector<TCase> Cases = {
        {"within 3 pixels of a border",
         [](TSortGrid& F) {
             F.Grid->SetOptions(F.Grid->Options() + goColSizing);
             return QPoint(F.Grid->CellRect(2, 0).Right - 2, 5);
         }},
        {"drop-down button zone",
         [](TSortGrid& F) {
             F.Grid->ControlLook()->SetFixedDropDownButton(true);
             return QPoint(F.Grid->CellRect(2, 0).Right - 10, 5);
         }},
        {"filter button zone",
         [](TSortGrid& F) {
             F.Grid->Columns()->Items(2)->Filter()->Add(QStringLiteral("a"));
             return QPoint(F.Grid->CellRect(2, 0).Right - 10, 5);
         }},
        {"two rows",
         [](TSortGrid& F) {
             F.Grid->SetRowCount(2);
             return F.Header(2);
         }},
        {"no fixed rows",
         [](TSortGrid& F) {
             F.Grid->SetFixedRows(0);
             return F.Header(2);
         }},
        {"sort row elsewhere",
         [](TSortGrid& F) { return F.Mouse.At(2, 1, 30, 5); }},
    };
    for (const TCase& Case : Cases) {
        TSortGrid F;
        F.Mouse.Click(Case.Setup(F));
        EXPECT_TRUE(F.Sorted.empty()) << Case.Name;
        EXPECT_EQ(F.Grid->SortSettings()->Column(), -1) << Case.Name;
    }
}

TEST(ExGridRelease, CanSortRefusesAndIgnoredColumnsStay)
{
    TSortGrid F;
    Integer Asked = -1;
    F.Grid->OnCanSort = [&](TObject*, Integer C, bool& DoSort) {
        Asked = C;
        DoSort = false;
    };
    F.Mouse.Click(F.Header(3));
    EXPECT_EQ(Asked, 3);
    EXPECT_TRUE(F.Sorted.empty());
}

TEST(ExGridRelease, NoSortAfterBorderDoubleClick)
{
    TSortGrid F;
    F.Grid->SetOptions(F.Grid->Options() + goColSizing);
    F.Mouse.DoubleClick(QPoint(F.Grid->CellRect(1, 0).Right - 3, 5));
    EXPECT_TRUE(F.Sorted.empty());
    // The flag is gone: the next click sorts.
    F.Mouse.Click(F.Header(3));
    EXPECT_EQ(F.Sorted, std::vector<Integer>{3});
}

TEST(ExGridRelease, IndexKeyBuildsMultiColumnSortAndPlainClickReverses)
{
    TSortGrid F;
    F.Grid->SortSettings()->SetIndexShow(true);
    for (Integer C : {1, 2, 3})
        F.Mouse.Click(F.Header(C), Qt::ShiftModifier);
    TSortIndexList* L = F.Grid->SortIndexes();
    ASSERT_EQ(L->Count(), 3);
    EXPECT_EQ(L->SortColumns(0), 1);
    EXPECT_EQ(L->SortColumns(2), 3);
    F.Mouse.Click(F.Header(2));
    ASSERT_EQ(L->Count(), 1);
    EXPECT_TRUE(L->SortDirections(0));
    F.Mouse.Click(F.Header(2));
    ASSERT_EQ(L->Count(), 1);
    EXPECT_FALSE(L->SortDirections(0));
    EXPECT_EQ(F.Grid->SortSettings()->Column(), 2);
}

namespace {

// Presses a header, leaves the move's verdict in the screen cursor as the
// movement does, and releases over another cell.
void OwnColumnMove(TSortGrid& F, Integer From, QPoint To, TCursor Verdict)
{
    F.Grid->SetOptions(F.Grid->Options() + goColMoving);
    F.Grid->Columns()->Items(From)->SetHeader(QStringLiteral("moved"));
    F.Mouse.Press(F.Header(From));
    Screen->SetCursor(Verdict);
    F.Mouse.Release(To);
}

} // namespace

TEST(ExGridRelease, OwnColumnMoveDropsOnlyOnAnotherNormalColumn)
{
    {
        TSortGrid F;
        OwnColumnMove(F, 1, F.Header(3), crDrag);
        EXPECT_EQ(F.Grid->Columns()->Items(3)->Header(), "moved");
        EXPECT_EQ(Screen->Cursor(), crDefault);
        EXPECT_TRUE(F.Sorted.empty());
    }
    {
        TSortGrid F;
        OwnColumnMove(F, 1, F.Header(0), crDrag);
        EXPECT_EQ(F.Grid->Columns()->Items(1)->Header(), "moved");
    }
    {
        TSortGrid F;
        OwnColumnMove(F, 1, F.Header(3), crNoDrop);
        EXPECT_EQ(F.Grid->Columns()->Items(1)->Header(), "moved");
        EXPECT_EQ(Screen->Cursor(), crDefault);
    }
}

TEST(ExGridRelease, FixedBorderDraggedLeftOfItsStartGivesZero)
{
    TSortGrid F;
    Integer Reported = -1;
    F.Grid->OnUpdateColumnSize = [&](TObject*, Integer, Integer& W) { Reported = W; };
    // The movement marks the border.
    F.Grid->FSizeFixed = true;
    const Integer Border = F.Grid->ColWidths(0);
    F.Mouse.Press(QPoint(Border, 5));
    F.Mouse.Release(QPoint(-20, 5));
    EXPECT_EQ(F.Grid->ColWidths(0), 0);
    EXPECT_EQ(Reported, 0);
}

TEST(ExGridRelease, FillHandleDragReportsOldAndNewSelection)
{
    TGridOnForm<TExStringGrid> F;
    F.Grid->SetColCount(4);
    F.Grid->SetRowCount(6);
    F.Grid->SetSelectionResizer(true);
    F.Grid->SetSelectionRectangle(true);
    F.Show();
    TGridMouse M{F.Grid};
    std::vector<Integer> Seen;
    F.Grid->OnSelectionResize = [&](TObject*, Integer FC, Integer FR, Integer TC, Integer TR, bool&) {
        Seen = {FC, FR, TC, TR};
    };
    const TRect H = F.Grid->CellRect(1, 1);
    M.Press(QPoint(H.Right - 2, H.Bottom - 2));
    const QPoint Target = M.At(1, 3, 10, 5);
    M.Move(Target);
    M.Release(Target);
    EXPECT_EQ(Seen, (std::vector<Integer>{1, 1, 1, 3}));
}
