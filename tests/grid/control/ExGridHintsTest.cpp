// Cell hints: what the grid puts into the hint information for the cell
// under the pointer, through the hint-show message as the application
// sends it.
#include "ExGridOnForm.h"

#include <vector>

namespace {

class THintGrid : public TTestExGrid {
public:
    using TTestExGrid::TTestExGrid;
    using TExStringGrid::FLastAnchorHint;
    using TExStringGrid::FLastHintPos;
};

// 5 x 6, one fixed column and row, columns of 64 pixels.
class ExGridHintsTest : public ::testing::Test {
protected:
    ExGridHintsTest()
    {
        Grid = F.Grid;
        Grid->SetColCount(5);
        Grid->SetRowCount(6);
        Grid->SetFixedCols(1);
        Grid->SetFixedRows(1);
        Grid->SetDefaultColWidth(64);
        for (Integer R = 0; R < 6; ++R)
            for (Integer C = 0; C < 5; ++C)
                Grid->SetCells(C, R, QStringLiteral("%1,%2").arg(C).arg(R));
        F.Show();
    }

    // The hint built for the client point At, starting from Initial.
    THintInfo HintAt(TPoint At, const String& Initial = QStringLiteral("own"))
    {
        THintInfo Info;
        Info.HintControl = Grid;
        Info.CursorPos = At;
        Info.HintPos = TPoint(-1, -1);
        Info.HintStr = Initial;
        Info.HintColor = clRed;
        EXPECT_EQ(Grid->Perform(CM_HINTSHOW, 0, LPARAM(&Info)), 0);
        return Info;
    }
    TPoint Inside(Integer C, Integer R, Integer DX = 5, Integer DY = 5) const
    {
        const TRect Cell = Grid->CellRect(C, R);
        return TPoint(Cell.Left + DX, Cell.Top + DY);
    }
    TPoint Screen(Integer X, Integer Y) const { return Grid->ClientToScreen(TPoint(X, Y)); }

    TGridOnForm<THintGrid> F;
    THintGrid* Grid = nullptr;
};

TEST_F(ExGridHintsTest, CommentAppearsAtTheCellsTopRightCorner)
{
    Grid->AddComment(2, 2, "a note");
    const THintInfo Info = HintAt(Inside(2, 2));
    const TRect R = Grid->CellRect(2, 2);
    EXPECT_EQ(Info.HintStr, "a note");
    EXPECT_EQ(Info.HintPos, Screen(R.Right, R.Top));
    EXPECT_EQ(Info.HintWindowClass, nullptr);
}

TEST_F(ExGridHintsTest, PlainCellKeepsTheControlsHintBelowTheCell)
{
    const TPoint At = Inside(2, 2, 7, 3);
    const THintInfo Info = HintAt(At);
    EXPECT_EQ(Info.HintStr, "own");
    EXPECT_EQ(Info.HintPos, Screen(At.X, Grid->CellRect(2, 2).Bottom + 6));
    EXPECT_EQ(Info.HintColor, Grid->HintColor());
    EXPECT_EQ(Grid->FLastHintPos, TPoint(2, 2));
}

TEST_F(ExGridHintsTest, AnchorWithoutTitleShowsItsTargetBesideThePointer)
{
    Grid->SetAnchorHint(true);
    Grid->SetColWidths(2, 200);
    Grid->SetCells(2, 2, "<a href=\"http://target\">link</a> text");
    String Reported;
    Grid->OnAnchorHint = [&](TObject*, Integer ARow, Integer ACol, String& Anchor) {
        Reported = QStringLiteral("%1 %2 %3").arg(ARow).arg(ACol).arg(Anchor);
    };
    const TPoint At = Inside(2, 2, 4, 8);
    const THintInfo Info = HintAt(At);
    EXPECT_EQ(Info.HintStr, "http://target");
    EXPECT_EQ(Info.HintPos, Screen(At.X + 8, At.Y - 16));
    EXPECT_EQ(Reported, "2 2 http://target");
    EXPECT_EQ(Grid->FLastAnchorHint, "http://target");

    // A title wins over the target; off the link the anchor rule stays out.
    Grid->SetCells(2, 2, "<a href=\"x\" title=\"Go\">link</a> text");
    EXPECT_EQ(HintAt(At).HintStr, "Go");
    EXPECT_EQ(HintAt(Inside(2, 2, 150, 8)).HintStr, "own");
}

TEST_F(ExGridHintsTest, HintShowCellsGivesTextOnlyForNormalCells)
{
    Grid->SetHintShowCells(true);
    Grid->SetFixedRightCols(1);
    Grid->SetFixedFooters(1);
    Grid->SetCells(2, 3, "<b>bold</b>");
    struct TCase {
        Integer C;
        Integer R;
        const char* Hint;
    };
    const std::vector<TCase> Cases = {
        {2, 2, "2,2"},  {2, 3, "bold"}, // mini-HTML without its tags
        {0, 2, "own"},  {2, 0, "own"}, // fixed column, fixed row
        {4, 2, "own"},  {2, 5, "own"}, // right fixed column, footer row
    };
    for (const TCase& C : Cases) {
        const THintInfo Info = HintAt(Inside(C.C, C.R));
        EXPECT_EQ(Info.HintStr, C.Hint) << C.C << "," << C.R;
        if (QString(C.Hint) != "own")
            EXPECT_EQ(Info.HintPos.Y, Screen(0, Grid->CellRect(C.C, C.R).Top).Y);
    }
    Grid->SetHTMLHint(true);
    EXPECT_EQ(HintAt(Inside(2, 3)).HintStr, "<b>bold</b>");
}

TEST_F(ExGridHintsTest, LargeTextGivesTheWholeTextAtTheCellsLeft)
{
    Grid->SetHintShowLargeText(true);
    const String Long = QStringLiteral("a text much wider than its column");
    Grid->SetCells(2, 2, Long);
    Grid->SetCells(3, 2, "ok");
    const TRect R = Grid->CellRect(2, 2);
    const TPoint At = Inside(2, 2, 30, 5);
    THintInfo Info = HintAt(At);
    EXPECT_EQ(Info.HintStr, Long);
    EXPECT_EQ(Info.HintPos, Screen(R.Left, R.Top));
    // hpCursor keeps the place below the pointer.
    Grid->SetHintShowLargeTextPos(hpCursor);
    Info = HintAt(At);
    EXPECT_EQ(Info.HintStr, Long);
    EXPECT_EQ(Info.HintPos, Screen(At.X, R.Bottom + 6));
    // A text that fits gives no large-text hint.
    EXPECT_EQ(HintAt(Inside(3, 2)).HintStr, "own");
}

TEST_F(ExGridHintsTest, OnGridHintHasTheLastWordWithTheRealColumn)
{
    Grid->SetHintShowCells(true);
    Grid->HideColumn(1);
    QStringList Asked;
    Grid->OnGridHint = [&](TObject*, Integer ARow, Integer ACol, String& Hint) {
        Asked << QStringLiteral("%1 %2 %3").arg(ARow).arg(ACol).arg(Hint);
        if (ARow == 0)
            Hint = QStringLiteral("header %1").arg(ACol);
    };
    // Display column 2 is real column 3 with column 1 hidden.
    EXPECT_EQ(HintAt(Inside(2, 0)).HintStr, "header 3");
    EXPECT_EQ(HintAt(Inside(2, 2)).HintStr, "3,2");
    EXPECT_EQ(Asked, (QStringList{"0 3 own", "2 3 3,2"}));
}

TEST_F(ExGridHintsTest, OnGridHintIsSkippedForAVisibleFloatingFootersRow)
{
    Integer Asked = 0;
    Grid->OnGridHint = [&](TObject*, Integer, Integer, String&) { ++Asked; };
    Grid->FloatingFooter()->SetVisible(true);
    HintAt(Inside(2, Grid->RowCount() - 1, 5, 2));
    EXPECT_EQ(Asked, 0);
    HintAt(Inside(2, 2));
    EXPECT_EQ(Asked, 1);
}

TEST_F(ExGridHintsTest, MiniHTMLHintsUseTheGridsHintWindowOnlyWithTheInternalClass)
{
    Grid->OnGridHint = [](TObject*, Integer, Integer, String& Hint) { Hint = "<b>rich</b>"; };
    THintInfo Info = HintAt(Inside(2, 2));
    ASSERT_NE(Info.HintWindowClass, nullptr);
    std::unique_ptr<THintWindow> Window(Info.HintWindowClass(nullptr));
    EXPECT_NE(dynamic_cast<THTMLHintWindow*>(Window.get()), nullptr);
    EXPECT_EQ(Info.HintData, static_cast<TObject*>(Grid));

    Grid->SetUseInternalHintClass(false);
    Info = HintAt(Inside(2, 2));
    EXPECT_EQ(Info.HintWindowClass, nullptr);
    EXPECT_EQ(Info.HintStr, "<b>rich</b>");

    // A plain text never takes the grid's window.
    Grid->SetUseInternalHintClass(true);
    Grid->OnGridHint = nullptr;
    EXPECT_EQ(HintAt(Inside(2, 2)).HintWindowClass, nullptr);
}

TEST_F(ExGridHintsTest, EveryCellOfAMergedAreaGivesTheBaseCellsHint)
{
    Grid->SetHintShowCells(true);
    Grid->MergeCells(1, 1, 2, 2);
    const TRect Area = Grid->CellRect(1, 1);
    for (const TPoint& P : {TPoint(1, 1), TPoint(2, 1), TPoint(1, 2), TPoint(2, 2)}) {
        const TPoint At = Inside(1, 1, (P.X - 1) * 64 + 5, (P.Y - 1) * Grid->DefaultRowHeight() + 5);
        const THintInfo Info = HintAt(At);
        EXPECT_EQ(Info.HintStr, "1,1") << P.X << "," << P.Y;
        EXPECT_EQ(Info.HintPos.Y, Screen(0, Area.Top).Y);
        EXPECT_EQ(Grid->FLastHintPos, TPoint(1, 1));
    }
}

TEST_F(ExGridHintsTest, OutsideTheCellsOnlyTheColourIsSet)
{
    Grid->SetHintColor(clYellow);
    Grid->ControlLook()->SetHintMaxWidth(300);
    Grid->SetRowCount(2);
    const THintInfo Info = HintAt(TPoint(100, 250));
    EXPECT_EQ(Info.HintStr, "own");
    EXPECT_EQ(Info.HintPos, TPoint(-1, -1));
    EXPECT_EQ(Info.HintColor, clYellow);
    EXPECT_EQ(Info.HintMaxWidth, 300);
    EXPECT_EQ(HintFontName(), Grid->Font()->Name());
}

} // namespace
