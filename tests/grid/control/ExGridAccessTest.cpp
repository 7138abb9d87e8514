// The cell access layer: cells by real row, by unsorted row, and the
// per-cell properties with their read defaults.
#include "ExGridTestForm.h"

#include <QCoreApplication>

namespace {

class ExGridAccessTest : public ::testing::Test {
protected:
    ExGridAccessTest()
    {
        G.SetColCount(4);
        G.SetRowCount(7);
        F.Fill();
    }
    TExGridForm F;
    TTestExGrid& G = *F.Grid;
};

TEST_F(ExGridAccessTest, AllCellsReadsAndWritesHiddenRowsByRealRow)
{
    G.HideRow(3);
    EXPECT_EQ(G.AllCells(2, 4), G.Cells(2, 3));
    EXPECT_EQ(G.AllCells(2, 3), "2,3");
    EXPECT_EQ(G.AllCells(-1, 3), "");
    EXPECT_EQ(G.AllCells(2, -1), "");
    G.SetAllCells(2, 3, QStringLiteral("new"));
    G.SetAllGridCells(1, 3, QStringLiteral("raw"));
    G.SetAllCells(1, 5, QStringLiteral("shown"));
    EXPECT_EQ(G.Cells(1, 4), "shown");
    EXPECT_EQ(G.AllGridCells(1, 3), "raw");
    G.UnHideRow(3);
    EXPECT_EQ(G.Cells(2, 3), "new");
    EXPECT_EQ(G.Cells(1, 3), "raw");
}

// A column added while a row is hidden reads empty in that row, and a
// write extends the saved row.
TEST_F(ExGridAccessTest, AHiddenRowReadBeyondItsSavedCellsIsEmpty)
{
    G.HideRow(2);
    G.AddColumn();
    G.AddColumn();
    EXPECT_EQ(G.AllCells(5, 2), "");
    EXPECT_EQ(G.AllGridCells(5, 2), "");
    EXPECT_EQ(G.AllObjects(5, 2), nullptr);
    EXPECT_EQ(G.GetGridObjectsEx(5, 2), nullptr);
    G.SetAllGridCells(5, 2, QStringLiteral("far"));
    EXPECT_EQ(G.AllCells(5, 2), "far");
    G.UnHideRow(2);
    EXPECT_EQ(G.Cells(5, 2), "far");
}

TEST_F(ExGridAccessTest, AllObjectsAnswersTheCallersObjectAlsoOfHiddenRows)
{
    TObject Mine;
    G.SetObjects(1, 2, &Mine);
    G.HideRow(2);
    EXPECT_EQ(G.AllObjects(1, 2), &Mine);
    EXPECT_NE(G.GetGridObjectsEx(1, 2), &Mine);
    TObject Other;
    G.SetAllObjects(2, 2, &Other);
    EXPECT_EQ(G.AllObjects(2, 2), &Other);
    G.UnHideRow(2);
    EXPECT_EQ(G.Objects(2, 2), &Other);
    EXPECT_EQ(G.Objects(1, 2), &Mine);
}

TEST_F(ExGridAccessTest, ReadsCreateNoPropertiesButWordWraps)
{
    EXPECT_EQ(G.Colors(1, 1), clNone);
    EXPECT_EQ(G.ColorsTo(1, 1), clNone);
    EXPECT_EQ(G.Gradients(1, 1), GradientVertical);
    EXPECT_EQ(G.FontColors(1, 1), clNone);
    EXPECT_EQ(G.FontStyles(1, 1), TFontStyles());
    EXPECT_EQ(G.FontSizes(1, 1), 0);
    EXPECT_EQ(G.FontNames(1, 1), "");
    EXPECT_EQ(G.Alignments(1, 1), taLeftJustify);
    EXPECT_FALSE(G.ReadOnly(1, 1));
    EXPECT_EQ(G.CellControls(1, 1), nullptr);
    EXPECT_FALSE(G.HasCellProperties(1, 1));
    G.SetWordWrap(false);
    EXPECT_FALSE(G.WordWraps(1, 1));
    EXPECT_TRUE(G.HasCellProperties(1, 1));
}

TEST_F(ExGridAccessTest, WritesLandInTheCellsProperties)
{
    G.SetColorsTo(1, 2, clRed);
    G.SetGradients(1, 2, GradientHorizontal);
    G.SetFontStyles(1, 2, TFontStyles{fsBold});
    G.SetFontSizes(1, 2, 14);
    G.SetFontNames(1, 2, QStringLiteral("Serif"));
    G.SetAlignments(1, 2, taCenter);
    G.SetReadOnly(1, 2, true);
    G.SetWordWraps(1, 2, true);
    EXPECT_EQ(G.ColorsTo(1, 2), clRed);
    EXPECT_EQ(G.Gradients(1, 2), GradientHorizontal);
    EXPECT_EQ(G.FontStyles(1, 2), TFontStyles{fsBold});
    EXPECT_EQ(G.FontSizes(1, 2), 14);
    EXPECT_EQ(G.FontNames(1, 2), "Serif");
    EXPECT_EQ(G.Alignments(1, 2), taCenter);
    EXPECT_TRUE(G.ReadOnly(1, 2));
    EXPECT_TRUE(G.WordWraps(1, 2));
    TFont Font;
    Font.SetName(QStringLiteral("Mono"));
    Font.SetSize(9);
    Font.SetColor(clBlue);
    G.SetFonts(2, 2, &Font);
    EXPECT_EQ(G.FontNames(2, 2), "Mono");
    EXPECT_EQ(G.FontSizes(2, 2), 9);
    EXPECT_EQ(G.FontColors(2, 2), clBlue);
}

TEST_F(ExGridAccessTest, LinesInCellCountsCarriageReturns)
{
    G.SetCells(1, 1, QStringLiteral("a\r\nb"));
    EXPECT_EQ(G.LinesInCell(1, 1), 2);
    EXPECT_EQ(G.LinesInCell(2, 2), 1);
}

// Colors repaints only while no update lock is held; ColorsTo always.
TEST_F(ExGridAccessTest, ColorsWaitsForTheUpdateLockColorsToDoesNot)
{
    // The grid paints nothing while locked, so each write's repaint request
    // is seen once the lock is gone (taken and released without a repaint
    // of its own).
    ShowWithFocus(F.Form.get(), &G);
    QCoreApplication::processEvents();
    auto PaintsAfterLockedWrite = [&](auto Write) {
        const Integer Before = G.Paints;
        G.FUpdateCount = 1;
        Write();
        G.FUpdateCount = 0;
        QCoreApplication::processEvents();
        return G.Paints - Before;
    };
    EXPECT_EQ(PaintsAfterLockedWrite([&] { G.SetColors(1, 1, clRed); }), 0);
    EXPECT_GT(PaintsAfterLockedWrite([&] { G.SetColorsTo(1, 1, clBlue); }), 0);
    EXPECT_EQ(G.Colors(1, 1), clRed);
}

TEST_F(ExGridAccessTest, ClearingARowColourKeepsCheckBoxesAndReadOnlyFlags)
{
    G.AddCheckBox(1, 2, true, false);
    G.SetReadOnly(2, 2, true);
    G.SetRowColor(2, clRed);
    G.SetRowColorTo(2, clYellow);
    G.SetRowFontColor(2, clBlue);
    EXPECT_EQ(G.Colors(3, 2), clRed);
    G.SetRowColor(2, clNone);
    G.SetRowColorTo(2, clNone);
    G.SetRowFontColor(2, clNone);
    EXPECT_TRUE(G.HasCheckBox(1, 2));
    EXPECT_TRUE(G.IsChecked(1, 2));
    EXPECT_TRUE(G.ReadOnly(2, 2));
    EXPECT_EQ(G.Colors(1, 2), clNone);
    EXPECT_EQ(G.ColorsTo(2, 2), clNone);
    // A cell that held only the colours gives its properties back.
    EXPECT_FALSE(G.HasCellProperties(3, 2));
}

TEST_F(ExGridAccessTest, CellControlsLaysTheControlOnePixelLeftAndUp)
{
    ShowWithFocus(F.Form.get(), &G);
    auto* Edit = new TEdit(F.Form.get());
    G.SetCellControls(2, 1, Edit);
    const TRect R = G.CellRect(2, 1);
    EXPECT_EQ(Edit->Left(), R.Left - 1);
    EXPECT_EQ(Edit->Top(), R.Top - 1);
    EXPECT_EQ(Edit->Parent(), &G);
    EXPECT_EQ(G.CellControls(2, 1), Edit);
    G.SetCellControls(3, 3, nullptr);
    G.SetCellControls(2, 1, nullptr);
    EXPECT_EQ(G.CellControls(2, 1), nullptr);
}

TEST_F(ExGridAccessTest, UnsortedAccessOfAGridNeverSorted)
{
    EXPECT_EQ(G.UnSortedCells(1, 3), G.Cells(1, 3));
    EXPECT_EQ(G.UnSortedRowIndex(3), 3);
    G.SetUnSortedCells(1, 3, QStringLiteral("u"));
    EXPECT_EQ(G.Cells(1, 3), "u");
    G.HideRow(1);
    EXPECT_EQ(G.SortedRowIndex(2), 3);
}

TEST_F(ExGridAccessTest, GridWideAccessors)
{
    G.SetColWidths(2, 55);
    G.HideColumn(2);
    EXPECT_EQ(G.AllColWidths(2), 55);
    G.SetAllColWidths(2, 66);
    G.SetAllColWidths(3, 44);
    EXPECT_EQ(G.ColWidths(2), 44);
    G.UnHideColumn(2);
    EXPECT_EQ(G.ColWidths(2), 66);
    G.SetCursor(crCross);
    EXPECT_EQ(G.Cursor(), crCross);
    EXPECT_EQ(G.FOldCursor, crCross);
    G.SetQVXGradientFrom(clBtnFace);
    EXPECT_EQ(G.QVXGradientFrom(), ColorToRGB(clBtnFace));
    TFocusHelper Helper(nullptr);
    Helper.SetEnabled(true);
    G.SetFocusHelper(&Helper);
    EXPECT_TRUE(G.FocusHelper()->Enabled());
    EXPECT_EQ(G.AllRowCount(), G.RowCount());
}

} // namespace
