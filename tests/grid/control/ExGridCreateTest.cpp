// The string grid's construction, defaults, loading, assignment, sizing and
// destruction.
#include "ExGridTestForm.h"

#include "rtl/Themes.h"

#include <tuple>
#include <typeinfo>

namespace {

class ExGridCreateTest : public ::testing::Test {
protected:
    TExGridForm F;
    TTestExGrid& G = *F.Grid;
};

} // namespace

TEST_F(ExGridCreateTest, NewGridHasEveryDefault)
{
    const std::vector<std::tuple<const char*, Int64, Int64>> Numbers = {
        {"ColCount", G.ColCount(), 5},
        {"RowCount", G.RowCount(), 10},
        {"FixedCols", G.FixedCols(), 1},
        {"FixedRows", G.FixedRows(), 1},
        {"Width", G.Width(), 400},
        {"Height", G.Height(), 250},
        {"DefaultRowHeight", G.DefaultRowHeight(), 22},
        {"FixedRowHeight", G.FixedRowHeight(), 22},
        {"RowHeights[9]", G.RowHeights(9), 22},
        {"RowHeights[0]", G.RowHeights(0), 22},
        {"DefaultEditor", G.DefaultEditor(), edNormal},
        {"DefaultAlignment", G.DefaultAlignment(), taLeftJustify},
        {"VAlignment", G.VAlignment(), vtaTop},
        {"PasswordChar", G.PasswordChar().unicode(), u'*'},
        {"Delimiter", G.Delimiter().unicode(), 0},
        {"Look", G.Look(), glXP},
        {"GroupColumn", G.GroupColumn(), -1},
        {"XYOffset.X", G.XYOffset().X, 2},
        {"XYOffset.Y", G.XYOffset().Y, 2},
        {"ZoomFactor", G.ZoomFactor(), 0},
        {"PreviewPage", G.PreviewPage(), 1},
        {"PrintPageTo", G.PrintPageTo(), 1},
        {"SelectionColor", G.SelectionColor(), 0x00EACAB6},
        {"SelectionColorTo", G.SelectionColorTo(), clNone},
        {"SelectionMirrorColor", G.SelectionMirrorColor(), clNone},
        {"SelectionMirrorColorTo", G.SelectionMirrorColorTo(), clNone},
        {"SelectionTextColor", G.SelectionTextColor(), clBlack},
        {"SelectionColorMixerFactor", G.SelectionColorMixerFactor(), 50},
        {"SelectionRectangleColor", G.SelectionRectangleColor(), clBlack},
        {"ActiveCellColor", G.ActiveCellColor(), 0x00808080},
        {"ActiveCellColorTo", G.ActiveCellColorTo(), clNone},
        {"DisabledFontColor", G.DisabledFontColor(), 0x00C0C0C0},
        {"URLColor", G.URLColor(), 0x00FF0000},
        {"HintColor", G.HintColor(), TColor(0xFF000018)},
        {"HighlightColor", G.HighlightColor(), clHighlight},
        {"HighlightTextColor", G.HighlightTextColor(), clHighlightText},
        {"BorderColor", G.BorderColor(), 0x00B99D7F},
        {"QVXGradientFrom", G.QVXGradientFrom(), clWhite},
        {"QVXGradientTo", G.QVXGradientTo(), ColorToRGB(clBtnFace) & 0xFFFFFF},
        {"QVXGradientMirrorFrom", G.QVXGradientMirrorFrom(), clNone},
        {"QVXGradientMirrorTo", G.QVXGradientMirrorTo(), clNone},
        {"ScrollBars", G.ScrollBars(), ssBoth},
        {"ScrollType", G.ScrollType(), ssNormal},
        {"ScrollColor", G.ScrollColor(), clNone},
        {"ScrollWidth", G.ScrollWidth(), GetSystemMetrics(SM_CXVSCROLL)},
        {"HoverFixedCells", G.HoverFixedCells(), hfNone},
        {"HintShowLargeTextPos", G.HintShowLargeTextPos(), hpCell},
        {"FilterDropDownColumns", G.FilterDropDownColumns(), fdNormal},
        {"InvalidEntryIcon", G.InvalidEntryIcon(), ieWarning},
        {"MinRowHeight", G.MinRowHeight(), 0},
        {"MaxRowHeight", G.MaxRowHeight(), 0},
        {"MinColWidth", G.MinColWidth(), 0},
        {"MaxColWidth", G.MaxColWidth(), 0},
        {"NumHiddenColumns", G.NumHiddenColumns(), 0},
        {"NumHiddenRows", G.NumHiddenRows(), 0},
        {"FilterLevel", G.FilterLevel(), 0},
        {"EditControl", G.EditControl(), edNormal},
        {"FLastTabCol", G.FLastTabCol, -1},
        {"FLastTabRow", G.FLastTabRow, -1},
        {"FComboIdx", G.FComboIdx, -1},
        {"FFilterCol", G.FFilterCol, -1},
        {"FOldRowSel", G.FOldRowSel, -1},
        {"FMouseSelectStart", G.FMouseSelectStart, -1},
        {"FOldSize", G.FOldSize, -1},
        {"FMouseSelectMode", G.FMouseSelectMode, msNormal},
        {"FCurrentStyle", G.FCurrentStyle, tsWindowsXP},
        {"FOldOfficeTheme", G.FOldOfficeTheme, otUnknown},
        {"visible columns", std::count(G.FVisibleCol.begin(), G.FVisibleCol.end(), true), 513},
        {"link cursor", ExGridLinkCursor, -21},
    };
    for (const auto& [Name, Actual, Expected] : Numbers)
        EXPECT_EQ(Actual, Expected) << Name;

    const std::vector<std::tuple<const char*, String, String>> Texts = {
        {"CheckTrue", G.CheckTrue(), "Y"},
        {"CheckFalse", G.CheckFalse(), "N"},
        {"FloatFormat", G.FloatFormat(), "%.2f"},
        {"XMLEncoding", G.XMLEncoding(), "ISO-8859-1"},
        {"FilterDropDownClear", G.FilterDropDownClear(), "(All)"},
        {"FixedFont", G.FixedFont()->Name(), "Tahoma"},
        {"Version", G.Version(), "6.2.1.3"},
    };
    for (const auto& [Name, Actual, Expected] : Texts)
        EXPECT_EQ(Actual, Expected) << Name;

    const std::vector<std::tuple<const char*, bool, bool>> Flags = {
        {"FixedFont bold", G.FixedFont()->Style().Contains(fsBold), true},
        {"ActiveCellFont bold", G.ActiveCellFont()->Style().Contains(fsBold), true},
        {"ActiveCellShow", G.ActiveCellShow(), false},
        {"UseDisabledFont", G.UseDisabledFont(), true},
        {"ShowSelection", G.ShowSelection(), true},
        {"EnableHTML", G.EnableHTML(), true},
        {"EnableWheel", G.EnableWheel(), true},
        {"IntelliZoom", G.IntelliZoom(), true},
        {"EnhRowColMove", G.EnhRowColMove(), true},
        {"ShowDesignHelper", G.ShowDesignHelper(), true},
        {"SaveFixedCells", G.SaveFixedCells(), true},
        {"SaveVirtCells", G.SaveVirtCells(), true},
        {"SaveWithHTML", G.SaveWithHTML(), true},
        {"LoadFirstRow", G.LoadFirstRow(), true},
        {"QuoteEmptyCells", G.QuoteEmptyCells(), true},
        {"ShowNullDates", G.ShowNullDates(), true},
        {"AutoFilterUpdate", G.AutoFilterUpdate(), true},
        {"FilterNormalCellsOnly", G.FilterNormalCellsOnly(), true},
        {"UseInternalHintClass", G.UseInternalHintClass(), true},
        {"FitCellsInGrid", G.FitCellsInGrid(), true},
        {"SaveFixedRows", G.SaveFixedRows(), false},
        {"SaveFixedCols", G.SaveFixedCols(), false},
        {"SaveHiddenCells", G.SaveHiddenCells(), false},
        {"AlwaysQuotes", G.AlwaysQuotes(), false},
        {"JavaCSV", G.JavaCSV(), false},
        {"NoDefaultDraw", G.NoDefaultDraw(), false},
        {"HideFocusRect", G.HideFocusRect(), false},
        {"FixedAsButtons", G.FixedAsButtons(), false},
        {"SizeGrowOnly", G.SizeGrowOnly(), false},
        {"ClearTextOnly", G.ClearTextOnly(), false},
        {"ExcelClipboardFormat", G.ExcelClipboardFormat(), false},
        {"PrinterDriverFix", G.PrinterDriverFix(), false},
        {"FilterIncremental", G.FilterIncremental(), false},
        {"AutoSize", G.AutoSize(), false},
        {"EditMode", G.EditMode(), false},
        {"FLastValidation", G.FLastValidation, true},
        {"FIsWinXP", G.FIsWinXP, IsThemeActive()},
        {"FIsWin7", G.FIsWin7, true},
        {"IsThemed", G.IsThemed(), true},
        {"FIsWinVista", G.FIsWinVista, true},
    };
    for (const auto& [Name, Actual, Expected] : Flags)
        EXPECT_EQ(Actual, Expected) << Name;
}

TEST_F(ExGridCreateTest, SubObjectsExistWithTheirOwnDefaults)
{
    EXPECT_NE(G.ControlLook(), nullptr);
    EXPECT_NE(G.SearchPanel(), nullptr);
    EXPECT_NE(G.SearchFooter(), nullptr);
    EXPECT_NE(G.Filter(), nullptr);
    EXPECT_NE(G.Balloon(), nullptr);
    EXPECT_NE(G.ShowModified(), nullptr);
    EXPECT_EQ(G.ColumnSize()->StretchColumn(), -1);
    EXPECT_FALSE(G.ColumnSize()->Stretch());
    EXPECT_EQ(G.ColumnHeaders()->Count(), 0);
    EXPECT_TRUE(G.FilterList()->Sorted());
}

TEST_F(ExGridCreateTest, IntegralHeightFitsWholeRows)
{
    // Requested height, border, IntegralHeight: the height applied.
    const std::vector<std::tuple<Integer, TBorderStyle, bool, Integer>> Cases = {
        {250, bsSingle, true, 246},
        {268, bsSingle, true, 268},
        {250, bsNone, true, 242},
        {250, bsSingle, false, 250},
    };
    for (const auto& [Asked, Border, Integral, Expected] : Cases) {
        G.SetBorderStyle(Border);
        G.SetIntegralHeight(Integral);
        for (Integer C = 0; C < G.ColCount(); ++C)
            G.SetColWidths(C, 64);
        G.SetBounds(0, 0, 400, Asked);
        EXPECT_EQ(G.Height(), Expected) << Asked << " " << Border << " " << Integral;
    }
}

TEST(ExGridFormResize, GridFollowsTheFormAndGivesItsHandlerBack)
{
    auto Form = std::make_unique<TForm>(nullptr);
    Integer OwnRuns = 0;
    Form->OnResize = [&OwnRuns](TObject*) { ++OwnRuns; };
    auto* Grid = new TExStringGrid(Form.get());
    Grid->SetParent(Form.get());
    ASSERT_TRUE(Form->OnResize);
    Form->OnResize(Form.get());
    EXPECT_EQ(OwnRuns, 1);
    delete Grid;
    ASSERT_TRUE(Form->OnResize);
    const std::type_info& Own = Form->OnResize.target_type();
    Form->OnResize(Form.get());
    EXPECT_EQ(OwnRuns, 2);

    // A grid owned by no form leaves the form's handler alone.
    {
        TExStringGrid Loose(nullptr);
        Loose.SetParent(Form.get());
        EXPECT_EQ(Form->OnResize.target_type(), Own);
    }
    EXPECT_EQ(Form->OnResize.target_type(), Own);
}

TEST_F(ExGridCreateTest, AssignCopiesSettingsSizesHeadersAndCells)
{
    TExGridForm Source;
    TTestExGrid& S = *Source.Grid;
    S.SetColCount(3);
    S.SetRowCount(4);
    S.SetColWidths(1, 91);
    S.SetRowHeights(2, 33);
    S.SetActiveCellColor(clRed);
    S.SetAutoNumAlign(true);
    S.SetInvalidEntryTitle(QStringLiteral("Bad"));
    S.Navigation()->SetAllowInsertRow(true);
    auto Headers = std::make_unique<TStringList>();
    Headers->SetCommaText(QStringLiteral("A,B,C"));
    S.SetColumnHeaders(Headers.get());
    S.SetCells(2, 3, QStringLiteral("last"));

    G.Assign(&S);
    EXPECT_EQ(G.ColCount(), 3);
    EXPECT_EQ(G.RowCount(), 4);
    EXPECT_EQ(G.ColWidths(1), 91);
    EXPECT_EQ(G.RowHeights(2), 33);
    EXPECT_EQ(G.ActiveCellColor(), clRed);
    EXPECT_TRUE(G.AutoNumAlign());
    EXPECT_EQ(G.InvalidEntryTitle(), "Bad");
    EXPECT_TRUE(G.Navigation()->AllowInsertRow());
    EXPECT_EQ(G.ColumnHeaders()->CommaText(), "A,B,C");
    EXPECT_EQ(G.Cells(1, 0), "B");
    EXPECT_EQ(G.Cells(2, 3), "last");

    // Any other source changes nothing.
    TStringList Other;
    G.Assign(&Other);
    G.AssignCells(&Other);
    EXPECT_EQ(G.ColCount(), 3);
    EXPECT_EQ(G.Cells(2, 3), "last");
}

TEST_F(ExGridCreateTest, LoadedMovesAlwaysShowEditorToNavigation)
{
    G.SetOptions(G.Options() + goEditing + goAlwaysShowEditor);
    G.Loaded();
    EXPECT_FALSE(G.Options().Contains(goAlwaysShowEditor));
    EXPECT_TRUE(G.Navigation()->AlwaysEdit());
    EXPECT_EQ(G.MinColWidth(), 10);
    EXPECT_EQ(G.MinRowHeight(), 22);
    EXPECT_EQ(G.FMaxRowCount, 10);
}

TEST_F(ExGridCreateTest, InvalidateAfterAnEditChangeSkipsOneRepaint)
{
    ShowWithFocus(F.Form.get(), &G);
    QApplication::processEvents();
    G.Paints = 0;
    G.FEditChange = true;
    G.Invalidate();
    QApplication::processEvents();
    EXPECT_EQ(G.Paints, 0);
    EXPECT_FALSE(G.FEditChange);
    G.Invalidate();
    QApplication::processEvents();
    EXPECT_GT(G.Paints, 0);
}

TEST_F(ExGridCreateTest, WindowCreationStartsTheGridsSetUp)
{
    // The grid sits in its form: the panels are its children now.
    EXPECT_EQ(G.SearchPanel()->Parent(), &G);
    EXPECT_EQ(G.SearchPanel()->Height(), 0);
    EXPECT_GT(G.FWheelScrollLines, 0);
}

// The sanitizer build's leak check sees whatever the grid does not free.
TEST(ExGridFree, PropertiesAndGraphicsAreFreedEverywhere)
{
    TExGridForm F;
    TTestExGrid& G = *F.Grid;
    F.Fill();
    for (Integer C = 0; C < 5; ++C) {
        G.CellProperties(C, 3)->SetBrushColor(clRed);
        G.SetGraphicObjects(C, 4, new TCellGraphic());
    }
    G.HideColumn(2);
    G.HideRows(3, 4);
    G.SetRowCount(2);
    EXPECT_EQ(G.NumHiddenRows(), 2);
    EXPECT_EQ(G.NumHiddenColumns(), 1);
}
