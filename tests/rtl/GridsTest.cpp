// The grid's model: counts, cells, moves, geometry and index errors.
#include "GridsTestForm.h"

#include "rtl/SysUtils.h"

#include <functional>

namespace {

struct TRaisingCall {
    const char* Name;
    std::function<void(TTestGrid&)> Call;
};

TEST(GridsTest, IndexesOutsideTheGridRaiseTheGridIndexErrorAndChangeNothing)
{
    TGridsForm F(5, 4);
    TTestGrid& G = *F.Grid;
    G.SetCells(1, 1, QStringLiteral("kept"));
    const std::vector<TRaisingCall> Calls = {
        {"Cells col -1", [](TTestGrid& G) { G.Cells(-1, 0); }},
        {"Cells col = count", [](TTestGrid& G) { G.Cells(5, 0); }},
        {"Cells row = count", [](TTestGrid& G) { G.Cells(0, 4); }},
        {"SetCells row -1", [](TTestGrid& G) { G.SetCells(0, -1, QStringLiteral("x")); }},
        {"Objects", [](TTestGrid& G) { G.Objects(5, 3); }},
        {"SetObjects", [](TTestGrid& G) { G.SetObjects(0, 4, &G); }},
        {"ColWidths", [](TTestGrid& G) { G.ColWidths(5); }},
        {"SetRowHeights", [](TTestGrid& G) { G.SetRowHeights(-1, 10); }},
        {"SetCol", [](TTestGrid& G) { G.SetCol(5); }},
        {"SetRow", [](TTestGrid& G) { G.SetRow(-1); }},
        {"SetTopRow into the fixed rows", [](TTestGrid& G) { G.SetTopRow(0); }},
        {"SetLeftCol past the end", [](TTestGrid& G) { G.SetLeftCol(5); }},
        {"Cols", [](TTestGrid& G) { G.Cols(5); }},
        {"Rows", [](TTestGrid& G) { G.Rows(-1); }},
        {"Cols entry", [](TTestGrid& G) { G.Cols(1)->Strings(4); }},
        {"MoveColumn", [](TTestGrid& G) { G.MoveColumn(1, 5); }},
        {"MoveRow", [](TTestGrid& G) { G.MoveRow(-1, 2); }},
        {"DeleteRow", [](TTestGrid& G) { G.DeleteRow(4); }},
        {"MoveColRow", [](TTestGrid& G) { G.MoveColRow(0, 4, true, true); }},
        {"SetFixedCols negative", [](TTestGrid& G) { G.SetFixedCols(-1); }},
    };
    for (const TRaisingCall& C : Calls) {
        SCOPED_TRACE(C.Name);
        try {
            C.Call(G);
            ADD_FAILURE() << "no exception";
        } catch (const EInvalidGridOperation& E) {
            EXPECT_EQ(E.Message(), QStringLiteral("Grid index out of range"));
        }
        EXPECT_EQ(G.ColCount(), 5);
        EXPECT_EQ(G.RowCount(), 4);
        EXPECT_EQ(G.Col(), 1);
        EXPECT_EQ(G.Row(), 1);
        EXPECT_EQ(G.TopRow(), 1);
        EXPECT_EQ(G.Cells(1, 1), QStringLiteral("kept"));
    }
}

TEST(GridsTest, FixedCountsStayBelowTheCounts)
{
    TGridsForm F(5, 4);
    TTestGrid& G = *F.Grid;
    EXPECT_THROW(G.SetFixedRows(4), EInvalidGridOperation);
    EXPECT_THROW(G.SetFixedCols(5), EInvalidGridOperation);
    EXPECT_EQ(G.FixedRows(), 1);
    G.SetFixedRows(3);
    EXPECT_EQ(G.Row(), 3) << "the current cell leaves the fixed rows";
    EXPECT_EQ(G.TopRow(), 3);
    // A count at or below the fixed count lowers the fixed count.
    G.SetRowCount(2);
    EXPECT_EQ(G.FixedRows(), 1);
    EXPECT_EQ(G.Row(), 1);
    G.SetRowCount(0);
    EXPECT_EQ(G.RowCount(), 1);
    EXPECT_EQ(G.FixedRows(), 0);
    EXPECT_EQ(G.Row(), 0);
    EXPECT_EQ(G.SizeChanges.back(), std::make_pair(Integer(5), Integer(2)));
}

TEST(GridsTest, CellsBeyondTheCountsReturnButDeletedLinesDoNot)
{
    TGridsForm F(5, 10);
    TTestGrid& G = *F.Grid;
    for (Integer R = 0; R < 10; ++R)
        G.SetCells(2, R, QStringLiteral("r%1").arg(R));
    G.SetCells(4, 9, QStringLiteral("corner"));

    G.SetRowCount(5);
    EXPECT_THROW(G.Cells(2, 8), EInvalidGridOperation);
    G.SetRowCount(10);
    EXPECT_EQ(G.Cells(2, 8), QStringLiteral("r8"));

    G.DeleteRow(3);
    EXPECT_EQ(G.RowCount(), 9);
    EXPECT_EQ(G.Cells(2, 3), QStringLiteral("r4"));
    EXPECT_EQ(G.Cells(2, 8), QStringLiteral("r9"));
    G.SetRowCount(10);
    EXPECT_EQ(G.Cells(2, 9), QString()) << "a deleted row stays deleted";

    G.DeleteColumn(2);
    EXPECT_EQ(G.ColCount(), 4);
    EXPECT_EQ(G.Cells(3, 8), QStringLiteral("corner"));
    G.SetColCount(5);
    for (Integer R = 0; R < 10; ++R)
        EXPECT_EQ(G.Cells(4, R), QString()) << R;
}

TEST(GridsTest, EachCellHoldsOneTextAndOneObject)
{
    TGridsForm F(5, 100000);
    TTestGrid& G = *F.Grid;
    TObject A, B;
    G.SetCells(3, 99999, QStringLiteral("last"));
    G.SetObjects(3, 99999, &A);
    G.SetObjects(0, 0, &B);
    EXPECT_EQ(G.Cells(3, 99999), QStringLiteral("last"));
    EXPECT_EQ(G.Objects(3, 99999), &A);
    EXPECT_EQ(G.Objects(0, 0), &B);
    EXPECT_EQ(G.Cells(0, 0), QString());
    EXPECT_EQ(G.Objects(3, 99998), nullptr);
    G.SetObjects(3, 99999, nullptr);
    EXPECT_EQ(G.Cells(3, 99999), QStringLiteral("last"));
}

TEST(GridsTest, ColumnsAndRowsReadAndWriteTheCellsAsStringLists)
{
    TGridsForm F(4, 5);
    TTestGrid& G = *F.Grid;
    G.SetCells(1, 2, QStringLiteral("a"));
    TStrings* Col = G.Cols(1);
    TStrings* Row = G.Rows(2);
    EXPECT_EQ(Col->Count(), 5);
    EXPECT_EQ(Row->Count(), 4);
    EXPECT_EQ(Col->Strings(2), QStringLiteral("a"));
    EXPECT_EQ(Row->Strings(1), QStringLiteral("a"));
    Row->SetStrings(3, QStringLiteral("b"));
    EXPECT_EQ(G.Cells(3, 2), QStringLiteral("b"));

    TStringList L;
    L.SetCommaText(QStringLiteral("x,,z"));
    G.SetCols(1, &L);
    const QStringList Expected{QStringLiteral("x"), QString(), QStringLiteral("z"), QString(), QString()};
    for (Integer R = 0; R < 5; ++R)
        EXPECT_EQ(G.Cells(1, R), Expected[R]) << R;

    // The list's length is the grid's.
    L.SetCommaText(QStringLiteral("1,2,3,4,5"));
    EXPECT_THROW(G.SetRows(0, &L), EInvalidGridOperation);
    EXPECT_THROW(Col->Insert(0, QStringLiteral("i")), EInvalidGridOperation);
    EXPECT_THROW(Col->Delete(0), EInvalidGridOperation);
    EXPECT_EQ(G.RowCount(), 5);
    Col->Clear();
    EXPECT_EQ(G.Cells(1, 0), QString());
    EXPECT_EQ(G.Cells(1, 2), QString());
}

TEST(GridsTest, MovingColumnsAndRowsCarriesCellsSizesAndTheCurrentCell)
{
    struct Case {
        bool Rows;
        Integer From, To;
        std::vector<Integer> Order; // old index now at each position 1..5
        Integer CurrentBefore, CurrentAfter;
    };
    const std::vector<Case> Cases = {
        {false, 1, 4, {2, 3, 4, 1, 5}, 1, 4},
        {false, 4, 2, {1, 4, 2, 3, 5}, 3, 4},
        {false, 5, 1, {5, 1, 2, 3, 4}, 2, 3},
        {true, 2, 5, {1, 3, 4, 5, 2}, 4, 3},
        {true, 3, 1, {3, 1, 2, 4, 5}, 3, 1},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(testing::Message() << (C.Rows ? "row " : "column ") << C.From << " to " << C.To);
        TGridsForm F(6, 6);
        TTestGrid& G = *F.Grid;
        std::vector<std::pair<Integer, Integer>> Moved;
        (C.Rows ? G.OnRowMoved : G.OnColumnMoved) = [&](TObject*, Integer From, Integer To) {
            Moved.emplace_back(From, To);
        };
        for (Integer I = 1; I <= 5; ++I) {
            if (C.Rows) {
                G.SetCells(1, I, QStringLiteral("L%1").arg(I));
                G.SetRowHeights(I, 10 + I);
            } else {
                G.SetCells(I, 1, QStringLiteral("L%1").arg(I));
                G.SetColWidths(I, 10 + I);
            }
        }
        if (C.Rows)
            G.SetRow(C.CurrentBefore);
        else
            G.SetCol(C.CurrentBefore);
        if (C.Rows)
            G.MoveRow(C.From, C.To);
        else
            G.MoveColumn(C.From, C.To);
        for (Integer I = 1; I <= 5; ++I) {
            const Integer Old = C.Order[std::size_t(I - 1)];
            EXPECT_EQ(C.Rows ? G.Cells(1, I) : G.Cells(I, 1), QStringLiteral("L%1").arg(Old)) << I;
            EXPECT_EQ(C.Rows ? G.RowHeights(I) : G.ColWidths(I), 10 + Old) << I;
        }
        EXPECT_EQ(C.Rows ? G.Row() : G.Col(), C.CurrentAfter);
        EXPECT_EQ(Moved, (std::vector<std::pair<Integer, Integer>>{{C.From, C.To}}));
    }
}

// Where a column (row) starts, worked out from the sizes: fixed ones from
// the left, scrollable ones from the end of the fixed ones at the first in
// view; -1 for scrolled-out ones.
Integer ExpectedStart(const std::vector<Integer>& Sizes, Integer Fixed, Integer First, Integer Line, Integer Index)
{
    Integer P = 0;
    if (Index < Fixed) {
        for (Integer I = 0; I < Index; ++I)
            P += Sizes[std::size_t(I)] + Line;
        return P;
    }
    if (Index < First)
        return -1;
    for (Integer I = 0; I < Fixed; ++I)
        P += Sizes[std::size_t(I)] + Line;
    for (Integer I = First; I < Index; ++I)
        P += Sizes[std::size_t(I)] + Line;
    return P;
}

TEST(GridsTest, CellRectAndMouseToCellAgreeWhenScrolledAndForFixedCells)
{
    struct Case {
        Integer Line, FixedCols, FixedRows, LeftCol, TopRow;
    };
    const std::vector<Case> Cases = {
        {1, 1, 1, 1, 1}, {1, 1, 1, 4, 300}, {0, 2, 1, 5, 17}, {3, 0, 0, 2, 999 - 5}, {1, 3, 2, 7, 2},
    };
    TGridsForm F(10, 1000);
    F.Show();
    TTestGrid& G = *F.Grid;
    std::vector<Integer> Widths, Heights;
    for (Integer C = 0; C < 10; ++C)
        Widths.push_back(30 + 7 * C);
    for (Integer R = 0; R < 1000; ++R)
        Heights.push_back(18 + R % 5);
    for (Integer C = 0; C < 10; ++C)
        G.SetColWidths(C, Widths[std::size_t(C)]);
    for (Integer R = 0; R < 1000; ++R)
        G.SetRowHeights(R, Heights[std::size_t(R)]);
    for (const Case& K : Cases) {
        SCOPED_TRACE(testing::Message() << "line " << K.Line << " fixed " << K.FixedCols << "/" << K.FixedRows
                                        << " left " << K.LeftCol << " top " << K.TopRow);
        G.SetGridLineWidth(K.Line);
        G.SetFixedCols(K.FixedCols);
        G.SetFixedRows(K.FixedRows);
        G.SetLeftCol(K.LeftCol);
        G.SetTopRow(K.TopRow);
        ASSERT_EQ(G.LeftCol(), K.LeftCol);
        ASSERT_EQ(G.TopRow(), K.TopRow);
        QApplication::processEvents();
        const TRect Client = G.ClientRect();
        ASSERT_EQ(Client.Width(), G.Viewport()->width());
        ASSERT_EQ(Client.Height(), G.Viewport()->height());

        // Every column and row starts where the sizes put it.
        for (Integer C = 0; C < 10; ++C) {
            const Integer X = ExpectedStart(Widths, K.FixedCols, K.LeftCol, K.Line, C);
            const TRect R = G.CellRect(C, K.TopRow);
            if (X < 0 || X >= Client.Right) {
                EXPECT_TRUE(IsRectEmpty(R)) << "column " << C;
                continue;
            }
            EXPECT_EQ(R.Left, X) << "column " << C;
            EXPECT_EQ(R.Width(), Widths[std::size_t(C)]) << "column " << C;
        }
        for (Integer Row = 0; Row < 1000; ++Row) {
            const Integer Y = ExpectedStart(Heights, K.FixedRows, K.TopRow, K.Line, Row);
            const TRect R = G.CellRect(K.LeftCol, Row);
            if (Y < 0 || Y >= Client.Bottom) {
                EXPECT_TRUE(IsRectEmpty(R)) << "row " << Row;
                continue;
            }
            EXPECT_EQ(R.Top, Y) << "row " << Row;
            EXPECT_EQ(R.Height(), Heights[std::size_t(Row)]) << "row " << Row;
        }

        // Every client pixel lies in the cell MouseToCell names, or in the
        // line after it.
        const Integer ColsEnd = ExpectedStart(Widths, K.FixedCols, K.LeftCol, K.Line, 9) + Widths[9] + K.Line;
        const Integer RowsEnd = ExpectedStart(Heights, K.FixedRows, K.TopRow, K.Line, 999) + Heights[999] + K.Line;
        const Integer Y0 = G.CellRect(K.LeftCol, K.TopRow).Top;
        for (Integer X = 0; X < Client.Right; ++X) {
            Integer C, R;
            G.MouseToCell(X, Y0, C, R);
            if (C < 0) {
                EXPECT_GE(X, ColsEnd) << "x " << X;
                continue;
            }
            const TRect Cell = G.CellRect(C, R);
            EXPECT_EQ(R, K.TopRow);
            EXPECT_TRUE(X >= Cell.Left && X < Cell.Right + K.Line) << "x " << X << " in column " << C;
        }
        const Integer X0 = G.CellRect(K.LeftCol, K.TopRow).Left;
        for (Integer Y = 0; Y < Client.Bottom; ++Y) {
            Integer C, R;
            G.MouseToCell(X0, Y, C, R);
            if (R < 0) {
                EXPECT_GE(Y, RowsEnd) << "y " << Y;
                continue;
            }
            const TRect Cell = G.CellRect(C, R);
            EXPECT_TRUE(Y >= Cell.Top && Y < Cell.Bottom + K.Line) << "y " << Y << " in row " << R;
        }
        Integer C, R;
        G.MouseToCell(-1, Y0, C, R);
        EXPECT_EQ(C, -1);
        G.MouseToCell(X0, Client.Bottom, C, R);
        EXPECT_EQ(R, -1);
    }
}

TEST(GridsTest, TheBorderAndHiddenColumnsShapeTheClientArea)
{
    TGridsForm F(6, 4);
    F.Show();
    TTestGrid& G = *F.Grid;
    EXPECT_EQ(G.BorderStyle(), bsSingle);
    for (TBorderStyle B : {bsSingle, bsNone, bsSingle}) {
        G.SetBorderStyle(B);
        QApplication::processEvents();
        const TRect Client = G.ClientRect();
        EXPECT_EQ(Client.Width(), G.Viewport()->width());
        EXPECT_EQ(Client.Height(), G.Viewport()->height());
        EXPECT_EQ(G.Viewport()->pos(), QPoint(B == bsSingle ? 1 : 0, B == bsSingle ? 1 : 0));
        EXPECT_EQ(G.Width() - Client.Width() - (G.ScrollBarVisible(SB_VERT) ? G.VertBar()->width() : 0),
                  B == bsSingle ? 2 : 0);
    }

    // A negative width hides a column: no space, no line, no hits.
    G.SetColWidths(2, -1);
    EXPECT_TRUE(IsRectEmpty(G.CellRect(2, 1)));
    EXPECT_EQ(G.CellRect(3, 1).Left, G.CellRect(1, 1).Right + 1);
    for (Integer X = 0; X < G.ClientRect().Right; ++X)
        EXPECT_NE(G.MouseCoord(X, 30).X, 2) << X;
}

TEST(GridsTest, RedrawCanBeSwitchedOffAndOn)
{
    TGridsForm F(3, 3);
    TTestGrid& G = *F.Grid;
    G.Perform(WM_SETREDRAW, 0);
    EXPECT_FALSE(G.Viewport()->updatesEnabled());
    G.Perform(WM_SETREDRAW, 1);
    EXPECT_TRUE(G.Viewport()->updatesEnabled());
}

TEST(GridsTest, VisibleCountsAreTheWholeScrollableLinesInView)
{
    TGridsForm F(10, 1000);
    F.Show();
    TTestGrid& G = *F.Grid;
    for (Integer Top : {1, 500, 990}) {
        G.SetTopRow(Top);
        const Integer V = G.VisibleRowCount();
        EXPECT_GT(V, 0);
        EXPECT_TRUE(G.FullyVisible(1, Top + V - 1)) << Top;
        if (Top + V < 1000)
            EXPECT_FALSE(G.FullyVisible(1, Top + V)) << Top;
        else
            EXPECT_EQ(Top + V, 1000);
    }
    const Integer V = G.VisibleColCount();
    EXPECT_TRUE(G.FullyVisible(G.LeftCol() + V - 1, 0));
    EXPECT_FALSE(G.FullyVisible(G.LeftCol() + V, 0));
}

TEST(GridsTest, SelectionIsTheAnchorAndTheCurrentCellOrdered)
{
    TGridsForm F(6, 8);
    TTestGrid& G = *F.Grid;
    G.MoveColRow(4, 6, true, true);
    G.MoveColRow(2, 3, false, true);
    EXPECT_EQ(G.Selection(), (TGridRect{2, 3, 4, 6}));
    EXPECT_EQ(G.Col(), 2);

    // A selection outside every cell hides it; nothing is asked or scrolled.
    Integer Asked = 0;
    G.OnSelectCell = [&](TObject*, Integer, Integer, bool&) { ++Asked; };
    G.SetSelection(TGridRect{6, 8, 6, 8});
    EXPECT_EQ(G.Col(), 6);
    EXPECT_EQ(G.Row(), 8);
    EXPECT_EQ(Asked, 0);
    // Setting one coordinate brings the other back into the grid.
    G.SetRow(4);
    EXPECT_EQ(G.Selection(), (TGridRect{1, 4, 1, 4}));
    EXPECT_EQ(Asked, 1);
    Asked = 0;

    G.SetOptions(G.Options() + goRowSelect);
    G.SetRow(5);
    EXPECT_EQ(G.Selection(), (TGridRect{1, 5, 5, 5}));
    EXPECT_EQ(Asked, 1);

    // A refused cell keeps the current one.
    G.OnSelectCell = [](TObject*, Integer, Integer ARow, bool& CanSelect) { CanSelect = ARow != 2; };
    G.SetRow(2);
    EXPECT_EQ(G.Row(), 5);
}

} // namespace
