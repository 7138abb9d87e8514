// The base grid's cell store: texts, objects, properties, display hooks,
// merged cells, geometry and keys.
#include "BaseGridTestForm.h"

#include "grid/base/ExUtil.h"

namespace {

// Counts its own destruction.
class TProbe : public TObject {
public:
    explicit TProbe(Integer& Freed) : FFreed(Freed) {}
    ~TProbe() override { ++FFreed; }

private:
    Integer& FFreed;
};

// The grid control's cell graphics are freed by their owner, not the grid.
class TCellGraphic : public TProbe {
public:
    using TProbe::TProbe;
};

class BaseGridTest : public ::testing::Test {
protected:
    TBaseGridForm F;
    TTestBaseGrid& G = *F.Grid;
};

} // namespace

TEST_F(BaseGridTest, CellsOutsideTheStoreRaiseAndChangeNothing)
{
    const std::vector<std::function<void()>> Calls = {
        [&] { G.Cells(6, 1); },
        [&] { G.SetCells(1, 6, QStringLiteral("x")); },
        [&] { G.SetCells(-1, 1, QStringLiteral("x")); },
        [&] { G.Objects(0, -1); },
        [&] { G.SetObjects(6, 0, nullptr); },
        [&] { G.CellProperties(6, 6); },
        [&] { G.GridCells(0, 6); },
        [&] { G.SetGridObjects(7, 0, nullptr); },
        [&] { G.SetGraphicObjects(0, 9, nullptr); },
        [&] { G.SplitCells(6, 1); },
    };
    for (std::size_t I = 0; I < Calls.size(); ++I) {
        SCOPED_TRACE(I);
        try {
            Calls[I]();
            ADD_FAILURE() << "no exception";
        } catch (const EInvalidGridOperation& E) {
            EXPECT_EQ(E.Message(), "Grid index out of range");
        }
    }
    EXPECT_FALSE(G.HasCellProperties(6, 0));
    EXPECT_FALSE(G.FHasCellProps);
    EXPECT_EQ(G.FMergeCount, 0);
    EXPECT_EQ(G.Objects(5, 5), nullptr);
    EXPECT_EQ(G.GraphicObjects(5, 5), nullptr);
    EXPECT_FALSE(G.HasCellProperties(5, 5));
}

TEST_F(BaseGridTest, PropertiesAreMadeOnDemandFromTheGridsDefaults)
{
    EXPECT_FALSE(G.FHasCellProps);
    G.SetObjects(4, 4, nullptr);
    EXPECT_TRUE(G.HasCellProperties(4, 4));
    EXPECT_TRUE(G.FHasCellProps);
    EXPECT_EQ(G.Cells(4, 4), "");
    EXPECT_EQ(G.GridCells(4, 4), "");

    G.Font()->SetName(QStringLiteral("Verdana"));
    G.Font()->SetSize(10);
    G.Font()->SetStyle(TFontStyles{fsBold});
    G.Font()->SetColor(clMaroon);
    G.SetColor(clYellow);
    TCellProperties* P = G.CellProperties(2, 3);
    EXPECT_EQ(P->FontName(), "Verdana");
    EXPECT_EQ(P->FontSize(), 10);
    EXPECT_EQ(P->FontStyle(), TFontStyles{fsBold});
    EXPECT_EQ(P->FontColor(), clMaroon);
    EXPECT_EQ(P->BrushColor(), clYellow);
    EXPECT_EQ(P->BrushColorTo(), clNone);
    EXPECT_EQ(P->Alignment(), taLeftJustify);
    EXPECT_EQ(P->VAlignment(), vtaTop);
    EXPECT_TRUE(P->WordWrap());
    EXPECT_EQ(P->GradientDirection(), GradientVertical);
    EXPECT_EQ(P->CalcType(), acNONE);
    EXPECT_EQ(P->CellSpanX(), -1);
    EXPECT_TRUE(P->IsBaseCell());
    EXPECT_EQ(P->OwnerCol(), 2);
    EXPECT_EQ(P->OwnerRow(), 3);
    EXPECT_EQ(G.CellProperties(2, 3), P);

    G.SetWordWrap(false);
    EXPECT_FALSE(G.CellProperties(1, 1)->WordWrap());

    // A caller's object lives in the properties; the text is kept.
    Integer Freed = 0;
    TProbe Mine(Freed);
    G.SetCells(3, 1, QStringLiteral("t"));
    G.SetObjects(3, 1, &Mine);
    EXPECT_EQ(G.Objects(3, 1), &Mine);
    EXPECT_EQ(G.CellProperties(3, 1)->CellObject(), &Mine);
    EXPECT_EQ(G.Cells(3, 1), "t");
}

TEST_F(BaseGridTest, PropertiesAssignOnlyFromTheirOwnClass)
{
    TCellProperties* A = G.CellProperties(1, 1);
    A->SetBrushColor(clRed);
    A->SetBrushColorTo(clBlue);
    A->SetReadOnly(true);
    A->SetEditor(edComboList);
    A->SetNodeLevel(2);
    A->SetGradientDirection(GradientHorizontal);
    TCellProperties* B = G.CellProperties(2, 2);
    B->Assign(A);
    EXPECT_EQ(B->BrushColor(), clRed);
    EXPECT_TRUE(B->ReadOnly());
    EXPECT_EQ(B->Editor(), edComboList);
    EXPECT_EQ(B->NodeLevel(), 2);
    EXPECT_EQ(B->OwnerCol(), 1);
    EXPECT_EQ(B->BrushColorTo(), clNone);
    EXPECT_EQ(B->GradientDirection(), GradientVertical);

    TFont Foreign;
    EXPECT_THROW(B->Assign(&Foreign), EConvertError);
    EXPECT_EQ(B->BrushColor(), clRed);
}

TEST_F(BaseGridTest, StoringACellsOwnPropertiesAgainKeepsThem)
{
    TCellProperties* P = G.CellProperties(2, 2);
    P->SetBrushColor(clLime);
    G.SetCellProperties(2, 2, G.CellProperties(2, 2));
    EXPECT_EQ(G.CellProperties(2, 2)->BrushColor(), clLime);

    // Other properties replace and free the old ones.
    auto* Fresh = new TCellProperties(&G, 2, 2);
    G.SetCellProperties(2, 2, Fresh);
    EXPECT_EQ(G.GridObjects(2, 2), Fresh);
    G.SetCellProperties(2, 2, nullptr);
    EXPECT_FALSE(G.HasCellProperties(2, 2));
}

TEST_F(BaseGridTest, ClearingCellsFreesTheirPropertiesButNotTheObjectsInThem)
{
    Integer Freed = 0;
    TProbe Mine(Freed);
    TProbe Graphic(Freed);
    G.SetCells(2, 2, QStringLiteral("a"));
    G.SetObjects(2, 2, &Mine);
    G.SetGraphicObjects(2, 2, &Graphic);
    G.ClearCell(2, 2);
    EXPECT_FALSE(G.HasCellProperties(2, 2));
    EXPECT_EQ(G.Cells(2, 2), "");

    for (Integer R = 0; R < 6; ++R) {
        G.CellProperties(3, R);
        G.CellProperties(R, 4);
    }
    G.SetObjects(3, 5, &Mine);
    G.ClearColCells(3);
    G.ClearRowCells(4);
    for (Integer I = 0; I < 6; ++I) {
        EXPECT_FALSE(G.HasCellProperties(3, I));
        EXPECT_FALSE(G.HasCellProperties(I, 4));
    }
    EXPECT_EQ(Freed, 0);

    G.CellProperties(1, 1);
    G.FreeCellProperties(1, 1);
    EXPECT_FALSE(G.HasCellProperties(1, 1));
}

TEST_F(BaseGridTest, FreeingAndDestroyingFreeGraphicsThatAreNotCellGraphics)
{
    Integer Freed = 0;
    Integer CellGraphicsFreed = 0;
    TCellGraphic Owned(CellGraphicsFreed);
    ASSERT_EQ(Owned.ClassName(), "TCellGraphic");
    G.SetGraphicObjects(1, 1, new TProbe(Freed));
    G.SetGraphicObjects(2, 1, &Owned);
    G.FreeCellPropertiesRect(1, 1, 2, 1);
    EXPECT_EQ(Freed, 1);
    EXPECT_EQ(CellGraphicsFreed, 0);
    EXPECT_FALSE(G.HasCellProperties(2, 1));

    // Also cells beyond the counts, which keep their slots.
    G.SetGraphicObjects(5, 5, new TProbe(Freed));
    G.SetGraphicObjects(4, 2, new TProbe(Freed));
    G.SetGraphicObjects(3, 3, &Owned);
    G.SetRowCount(4);
    EXPECT_FALSE(G.HasCellProperties(5, 3));
    F.Form.reset();
    EXPECT_EQ(Freed, 3);
    EXPECT_EQ(CellGraphicsFreed, 0);
}

TEST_F(BaseGridTest, DisplayTextHooksRunOnlyForNormalRows)
{
    std::vector<Integer> Rows;
    G.OnGetDisplText = [&](TObject* Sender, Integer ACol, Integer ARow, String& Value) {
        EXPECT_EQ(Sender, &G);
        EXPECT_EQ(ACol, 1);
        Rows.push_back(ARow);
        Value += u'!';
    };
    G.SetCells(1, 2, QStringLiteral("v"));
    EXPECT_EQ(G.Cells(1, 2), "v");
    EXPECT_TRUE(Rows.empty());
    G.FNormalRowCount = 3;
    EXPECT_EQ(G.Cells(1, 2), "v!");
    EXPECT_EQ(G.Cells(1, 3), "");
    EXPECT_EQ(Rows, (std::vector<Integer>{2}));
    EXPECT_EQ(G.GridCells(1, 2), "v");

    // With the wide event every read comes back in the wide form.
    G.OnGetDisplWideText = [](TObject*, Integer, Integer, String& Value) { Value += QChar(0x263A); };
    const String Read = G.Cells(1, 2);
    EXPECT_TRUE(Read.startsWith(QStringLiteral("|\\")));
    EXPECT_EQ(CellTextToWide(Read), String(QStringLiteral("v!")) + QChar(0x263A));
}

TEST_F(BaseGridTest, MergedCellsShareTheBaseCellsText)
{
    G.SetGridCells(3, 2, QStringLiteral("own"));
    G.MergeCells(1, 1, 3, 2);
    EXPECT_EQ(G.FMergeCount, 1);
    TCellProperties* Base = G.CellProperties(1, 1);
    EXPECT_TRUE(Base->IsBaseCell());
    EXPECT_EQ(Base->CellSpanX(), 2);
    EXPECT_EQ(Base->CellSpanY(), 1);
    TCellProperties* Covered = G.CellProperties(3, 2);
    EXPECT_FALSE(Covered->IsBaseCell());
    EXPECT_EQ(Covered->CellSpanX(), 2);
    EXPECT_EQ(Covered->CellSpanY(), 1);
    EXPECT_EQ(Covered->BaseCell(3, 2), TPoint(1, 1));
    EXPECT_EQ(G.BaseCell(3, 2), TPoint(1, 1));
    EXPECT_EQ(G.CellSpan(3, 2), TPoint(2, 1));
    EXPECT_EQ(G.CellExt(2, 1), TPoint(1, 1));
    EXPECT_EQ(G.FullCell(2, 2), TRect(1, 1, 3, 2));
    EXPECT_TRUE(G.IsMergedCell(2, 1));
    EXPECT_TRUE(G.IsMergedNonBaseCell(2, 1));
    EXPECT_FALSE(G.IsMergedNonBaseCell(1, 1));
    EXPECT_FALSE(G.IsMergedCell(4, 1));
    Integer bc = 0, br = 0;
    EXPECT_FALSE(G.IsBaseCellEx(3, 2, bc, br));
    EXPECT_EQ(TPoint(bc, br), TPoint(1, 1));
    EXPECT_TRUE(G.IsBaseCellEx(4, 4, bc, br));
    EXPECT_EQ(TPoint(bc, br), TPoint(4, 4));

    EXPECT_EQ(G.GridCells(3, 2), "own");
    G.SetCells(3, 2, QStringLiteral("X"));
    EXPECT_EQ(G.GridCells(1, 1), "X");
    EXPECT_EQ(G.GridCells(3, 2), "own");
    for (Integer C = 1; C <= 3; ++C)
        for (Integer R = 1; R <= 2; ++R)
            EXPECT_EQ(G.Cells(C, R), "X") << C << "," << R;

    G.SplitCells(2, 2);
    EXPECT_EQ(G.Cells(3, 2), "own");
    EXPECT_EQ(G.Cells(1, 1), "X");
    EXPECT_EQ(G.FMergeCount, 0);
    for (Integer C = 1; C <= 3; ++C) {
        for (Integer R = 1; R <= 2; ++R) {
            EXPECT_TRUE(G.IsBaseCell(C, R));
            EXPECT_EQ(G.CellProperties(C, R)->CellSpanX(), -1);
            EXPECT_EQ(G.CellProperties(C, R)->CellSpanY(), -1);
        }
    }

    // Splitting a cell that never had properties makes them and counts down.
    G.SplitCells(5, 5);
    EXPECT_TRUE(G.HasCellProperties(5, 5));
    EXPECT_EQ(G.FMergeCount, -1);
}

TEST_F(BaseGridTest, MergedCellQueries)
{
    G.MergeCells(1, 1, 1, 3);
    EXPECT_FALSE(G.IsXMergedCell(1, 2));
    EXPECT_TRUE(G.IsYMergedCell(1, 2));
    EXPECT_EQ(G.MinRowSpan(2), 2);
    EXPECT_EQ(G.MaxRowSpan(2), 2);
    EXPECT_EQ(G.MinRowSpan(5), 6);
    EXPECT_EQ(G.MaxRowSpan(5), 0);

    // Rows joined by one vertical area.
    EXPECT_TRUE(G.RowSpanIdentical(1, 3));
    EXPECT_FALSE(G.RowSpanIdentical(4, 5));
    G.MergeCells(2, 2, 1, 3);
    EXPECT_TRUE(G.RowSpanIdentical(2, 3));
    EXPECT_FALSE(G.RowSpanIdentical(1, 4));
    G.MergeCells(3, 1, 1, 2);
    G.MergeCells(3, 3, 1, 2);
    EXPECT_FALSE(G.RowSpanIdentical(2, 3));

    // Columns of one horizontal area, and one merged alone in a row.
    G.MergeCells(3, 5, 2, 1);
    EXPECT_TRUE(G.ColSpanIdentical(3, 4));
    G.MergeCells(3, 0, 3, 1);
    EXPECT_FALSE(G.ColSpanIdentical(4, 5));
    EXPECT_FALSE(G.ColSpanIdentical(0, 5));

    // A 1 x 1 area is merged for geometry only.
    G.MergeCells(5, 3, 1, 1);
    EXPECT_FALSE(G.IsMergedCell(5, 3));
    EXPECT_EQ(G.CellProperties(5, 3)->CellSpanX(), 0);
    // Spans below 1 change nothing but the counter.
    const Integer Count = G.FMergeCount;
    G.MergeCells(4, 4, 0, 2);
    EXPECT_FALSE(G.HasCellProperties(4, 4));
    EXPECT_EQ(G.FMergeCount, Count + 1);
}

TEST_F(BaseGridTest, MergingBeyondTheStoreIsCutToIt)
{
    G.MergeCells(4, 4, 5, 5);
    EXPECT_EQ(G.FullCell(4, 4), TRect(4, 4, 5, 5));
    EXPECT_EQ(G.Cells(5, 5), G.Cells(4, 4));
    G.SetCells(5, 5, QStringLiteral("z"));
    EXPECT_EQ(G.GridCells(4, 4), "z");
    G.SplitCells(5, 4);
    EXPECT_FALSE(G.IsMergedCell(4, 4));

    // An area whose cells the store lost since is split without them.
    G.MergeCells(2, 3, 2, 3);
    G.SetRowCount(4);
    G.SplitCells(2, 3);
    EXPECT_FALSE(G.IsMergedCell(3, 3));
}

TEST_F(BaseGridTest, CellRectanglesAlsoOutOfView)
{
    EXPECT_EQ(G.GetCellRectEx(2, 3), TRect(128, 72, 192, 96));
    EXPECT_EQ(G.CellRect(2, 3), TRect(128, 72, 192, 96));
    EXPECT_EQ(G.GetCellRectEx(0, 0), TRect(0, 0, 64, 24));
    EXPECT_EQ(G.FixedColsWidth(), 64);
    EXPECT_EQ(G.FixedRowsHeight(), 24);
    G.MergeCells(1, 1, 3, 2);
    EXPECT_EQ(G.CellRect(2, 2), TRect(64, 24, 256, 72));
    EXPECT_EQ(G.CellSize(1, 1), TPoint(192, 48));
    EXPECT_EQ(G.CellSize(4, 4), TPoint(64, 24));

    G.SetLeftCol(2);
    EXPECT_EQ(G.GetCellRectEx(2, 3), TRect(64, 72, 128, 96));
    EXPECT_EQ(G.GetCellRectEx(0, 3), TRect(0, 72, 64, 96));
    EXPECT_EQ(G.CellRect(1, 1), TRect(0, 24, 192, 72));
    G.SetTopRow(2);
    EXPECT_EQ(G.CellRect(3, 2), TRect(0, 0, 192, 48));
    // A plain cell out of view has no rectangle; with a hosted control it has.
    EXPECT_TRUE(IsRectEmpty(G.CellRect(5, 1)));
    TPanel Host(nullptr);
    G.CellProperties(5, 1)->SetControl(&Host);
    EXPECT_EQ(G.CellRect(5, 1), TRect(256, 0, 320, 24));
}

TEST_F(BaseGridTest, KeysStepOverMergedAreas)
{
    F.Show();
    G.MergeCells(2, 2, 2, 2);
    struct TCase {
        Integer Col, Row;
        Qt::Key Key;
        Integer ToCol, ToRow;
    };
    const TCase Cases[] = {
        {2, 2, Qt::Key_Right, 4, 2}, {2, 2, Qt::Key_Down, 2, 4}, {3, 3, Qt::Key_Left, 1, 3},
        {3, 3, Qt::Key_Up, 3, 1},    {3, 2, Qt::Key_Left, 1, 2}, {2, 3, Qt::Key_Up, 2, 1},
        {1, 3, Qt::Key_Right, 2, 2}, {4, 3, Qt::Key_Left, 2, 2}, {1, 1, Qt::Key_Down, 1, 2},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(testing::Message() << C.Col << "," << C.Row << " key " << C.Key);
        G.FocusCell(C.Col, C.Row, true);
        QTest::keyClick(G.Handle(), C.Key);
        EXPECT_EQ(G.Col(), C.ToCol);
        EXPECT_EQ(G.Row(), C.ToRow);
    }

    // An area starting at the first scrollable column: Left stays inside the
    // scrollable cells.
    G.MergeCells(1, 4, 3, 1);
    G.FocusCell(3, 4, true);
    QTest::keyClick(G.Handle(), Qt::Key_Left);
    EXPECT_EQ(G.Col(), 1);
    EXPECT_EQ(G.Row(), 4);
}

TEST_F(BaseGridTest, TheHiddenLastRowIsNeverAPagesTarget)
{
    F.Show();
    G.SetRowCount(12);
    G.FHideLastRow = true;
    G.FocusCell(1, 1, true);
    for (Integer I = 0; I < 6; ++I) {
        QTest::keyClick(G.Handle(), Qt::Key_PageDown);
        EXPECT_LT(G.Row(), 11);
    }
    EXPECT_EQ(G.Row(), 10);

    // A write into the last row tells the hook.
    G.SetCells(2, 11, QStringLiteral("sum"));
    EXPECT_EQ(G.LastRowChanges, 1);
    G.SetCells(2, 10, QStringLiteral("x"));
    EXPECT_EQ(G.LastRowChanges, 1);
}
