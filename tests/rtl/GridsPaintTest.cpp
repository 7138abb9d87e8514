// What the grid paints: lines by the options, the selection, the focus
// rectangle and the cells drawn by DrawCell.
#include "GridsTestForm.h"

#include "rtl/StdCtrls.h"

#include <QImage>

namespace {

TColor PixelAt(const QImage& Image, Integer X, Integer Y)
{
    return QColorToColor(Image.pixelColor(X, Y));
}

class GridsPaintTest : public ::testing::Test {
protected:
    GridsPaintTest() : F(5, 6)
    {
        G.SetDefaultColWidth(30);
        G.SetDefaultRowHeight(20);
    }
    QImage Grab() { return G.Viewport()->grab().toImage(); }
    // Nothing selected and no focus rectangle.
    void HideSelection() { G.SetSelection(TGridRect{5, 6, 5, 6}); }

    TGridsForm F;
    TTestGrid& G = *F.Grid;
};

TEST_F(GridsPaintTest, LinesFollowTheOptionsAndTheLineWidth)
{
    const TColor Window = ColorToRGB(clWindow);
    const TColor Face = ColorToRGB(clBtnFace);
    const TColor Normal = ColorToRGB(clSilver);
    const TColor Fixed = ColorToRGB(clGray);
    struct Case {
        const char* Name;
        TGridOptions Options;
        Integer Width;
        TColor NormalGap, FixedGap; // clNone: no gap at all
    };
    const std::vector<Case> Cases = {
        {"all lines", {goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine}, 1, Normal, Fixed},
        {"fixed lines only", {goFixedVertLine, goFixedHorzLine}, 1, Window, Fixed},
        {"normal lines only", {goVertLine, goHorzLine}, 1, Normal, Face},
        {"no lines", {}, 1, clNone, clNone},
        {"wide lines", {goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine}, 3, Normal, Fixed},
    };
    F.Show();
    HideSelection();
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        G.SetOptions(C.Options);
        G.SetGridLineWidth(C.Width);
        const QImage Image = Grab();
        const TRect Cell = G.CellRect(2, 2);
        const TRect FixedCell = G.CellRect(0, 2);
        const TRect Header = G.CellRect(2, 0);
        EXPECT_EQ(PixelAt(Image, Cell.Left + 5, Cell.Top + 5), Window);
        EXPECT_EQ(PixelAt(Image, FixedCell.Left + 5, FixedCell.Top + 5), Face);
        if (C.NormalGap == clNone) {
            EXPECT_EQ(G.CellRect(3, 2).Left, Cell.Right);
            EXPECT_EQ(G.CellRect(2, 3).Top, Cell.Bottom);
            EXPECT_EQ(G.CellRect(1, 2).Left, FixedCell.Right);
            continue;
        }
        EXPECT_EQ(G.CellRect(3, 2).Left, Cell.Right + C.Width);
        for (Integer I = 0; I < C.Width; ++I) {
            // Right of and below a normal cell, right of a fixed column cell,
            // below a fixed row cell.
            EXPECT_EQ(PixelAt(Image, Cell.Right + I, Cell.Top + 10), C.NormalGap) << I;
            EXPECT_EQ(PixelAt(Image, Cell.Left + 10, Cell.Bottom + I), C.NormalGap) << I;
            EXPECT_EQ(PixelAt(Image, FixedCell.Right + I, FixedCell.Top + 10), C.FixedGap) << I;
            EXPECT_EQ(PixelAt(Image, Header.Left + 10, Header.Bottom + I), C.FixedGap) << I;
        }
        // The cells take up their sizes exactly.
        EXPECT_EQ(PixelAt(Image, Cell.Right - 1, Cell.Bottom - 1), Window);
    }
}

TEST_F(GridsPaintTest, TheFocusedGridFramesTheCurrentCellAndHighlightsTheRest)
{
    auto* Other = new TEdit(F.Form.get());
    Other->SetParent(F.Form.get());
    Other->SetBounds(0, 310, 50, 20);
    F.Form->SetClientHeight(340);
    F.Show();
    const TColor Window = ColorToRGB(clWindow);
    const TColor Highlight = ColorToRGB(clHighlight);
    G.MoveColRow(1, 1, true, true);
    G.MoveColRow(3, 3, false, true); // (1,1)..(3,3), current (3,3)

    // Every other pixel of the current cell's edge is inverted; its inside
    // keeps the window colour, the rest of the range is highlighted.
    auto EdgeDots = [](const QImage& Image, const TRect& R, TColor Plain) {
        Integer Inverted = 0, Wrong = 0;
        for (Integer X = R.Left; X < R.Right; ++X)
            for (Integer Y : {R.Top, R.Bottom - 1}) {
                const bool Dot = ((X + Y) & 1) == 0;
                const TColor P = PixelAt(Image, X, Y);
                Inverted += Dot && P != Plain;
                Wrong += Dot ? P == Plain : P != Plain;
            }
        return std::make_pair(Inverted, Wrong);
    };
    const TRect Current = G.CellRect(3, 3);
    QImage Image = Grab();
    auto [Inverted, Wrong] = EdgeDots(Image, Current, Window);
    EXPECT_EQ(Inverted, Current.Width());
    EXPECT_EQ(Wrong, 0);
    EXPECT_EQ(PixelAt(Image, Current.Left + 5, Current.Top + 5), Window);
    for (const auto& [C, R] : std::vector<std::pair<Integer, Integer>>{{1, 1}, {2, 3}, {3, 1}})
        EXPECT_EQ(PixelAt(Image, G.CellCentre(C, R).x(), G.CellCentre(C, R).y()), Highlight) << C << "," << R;
    EXPECT_EQ(PixelAt(Image, G.CellCentre(4, 3).x(), G.CellCentre(4, 3).y()), Window);

    // Without the focus the frame goes.
    Other->SetFocus();
    QApplication::processEvents();
    Image = Grab();
    EXPECT_EQ(EdgeDots(Image, Current, Window).first, 0);

    // With goDrawFocusSelected the current cell is highlighted too; with
    // goRowSelect whole rows are.
    G.SetOptions(G.Options() + goDrawFocusSelected);
    Image = Grab();
    EXPECT_EQ(PixelAt(Image, Current.Left + 5, Current.Top + 5), Highlight);
    G.SetOptions(G.Options() - goDrawFocusSelected + goRowSelect);
    Image = Grab();
    for (Integer C = 1; C < 5; ++C)
        EXPECT_EQ(PixelAt(Image, G.CellCentre(C, 3).x(), G.CellCentre(C, 3).y()), Highlight) << C;
    EXPECT_EQ(PixelAt(Image, G.CellCentre(0, 3).x(), G.CellCentre(0, 3).y()), ColorToRGB(clBtnFace));
}

TEST_F(GridsPaintTest, DrawCellPaintsEveryCellInViewWithItsState)
{
    F.Show();
    G.MoveColRow(2, 2, true, true);
    G.MoveColRow(3, 2, false, true);
    G.SetCells(4, 4, QStringLiteral("W"));
    std::map<std::pair<Integer, Integer>, TGridDrawState> States;
    G.OnDrawCell = [&](TObject*, Integer ACol, Integer ARow, TRect Rect, TGridDrawState State) {
        States[{ACol, ARow}] = State;
        EXPECT_EQ(Rect, G.CellRect(ACol, ARow));
        if (ACol == 1 && ARow == 4) {
            G.Canvas()->Brush()->SetColor(clRed);
            G.Canvas()->FillRect(Rect);
        }
    };
    struct Case {
        bool DefaultDrawing;
        TColor Plain; // inside a cell nobody draws
    };
    for (const Case& C : {Case{true, ColorToRGB(clWindow)}, Case{false, ColorToRGB(clWindow)}}) {
        SCOPED_TRACE(C.DefaultDrawing ? "default drawing" : "no default drawing");
        G.SetDefaultDrawing(C.DefaultDrawing);
        States.clear();
        const QImage Image = Grab();
        auto StateOf = [&](Integer ACol, Integer ARow) { return States[{ACol, ARow}]; };
        EXPECT_EQ(States.size(), 30u) << "5 x 6 cells in view";
        EXPECT_EQ(StateOf(0, 0), (TGridDrawState{gdFixed}));
        EXPECT_EQ(StateOf(0, 3), (TGridDrawState{gdFixed}));
        EXPECT_EQ(StateOf(2, 2), (TGridDrawState{gdSelected}));
        EXPECT_EQ(StateOf(3, 2), (TGridDrawState{gdFocused}));
        EXPECT_EQ(StateOf(3, 3), (TGridDrawState{}));
        EXPECT_EQ(PixelAt(Image, G.CellCentre(1, 4).x(), G.CellCentre(1, 4).y()), ColorToRGB(clRed));
        EXPECT_EQ(PixelAt(Image, G.CellCentre(2, 4).x(), G.CellCentre(2, 4).y()), C.Plain);
        // The string grid writes its text only when it draws by default.
        const TRect Text = G.CellRect(4, 4);
        Integer Dark = 0;
        for (Integer X = Text.Left; X < Text.Right; ++X)
            for (Integer Y = Text.Top; Y < Text.Bottom; ++Y)
                Dark += PixelAt(Image, X, Y) == ColorToRGB(clBlack);
        EXPECT_EQ(Dark > 0, C.DefaultDrawing);
    }
}

} // namespace
