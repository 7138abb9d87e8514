// The per-cell queries (default answer, then the event with its parameters
// in order), the answers built on them and the filter list.
#include "ExGridTestForm.h"

#include <functional>

namespace {

class ExGridCellQueriesTest : public ::testing::Test {
protected:
    ExGridCellQueriesTest()
    {
        G.SetColCount(5);
        G.SetRowCount(6);
    }

    TExGridForm F;
    TTestExGrid& G = *F.Grid;
};

// One query: its answer without a handler, then the handler that records
// its arguments ("row col" or "col row" as the event passes them) and
// changes the answer.
struct TQueryCase {
    const char* Name;
    std::function<String(TTestExGrid&)> Ask;
    String Default;
    std::function<void(TTestExGrid&, QStringList&)> Install;
    String WithEvent;
    String Arguments;
};

String Flag(bool B)
{
    return B ? QStringLiteral("true") : QStringLiteral("false");
}

} // namespace

TEST_F(ExGridCellQueriesTest, EachQueryAnswersItsDefaultThenItsEvent)
{
    // Asked for real column 2, display row 3.
    const std::vector<TQueryCase> Cases = {
        {"hint", [](TTestExGrid& g) { String H = "h", W; g.GetCellHint(2, 3, H, W); return H; }, "h",
         [](TTestExGrid& g, QStringList& Log) {
             g.OnGridHint = [&Log](TObject*, Integer R, Integer C, String& S) { Log << QString("%1 %2").arg(R).arg(C); S = "x"; };
         }, "x", "3 2"},
        {"wordwrap", [](TTestExGrid& g) { bool W = true; g.GetCellWordWrap(2, 3, W); return Flag(W); }, "true",
         [](TTestExGrid& g, QStringList& Log) {
             g.OnGetWordWrap = [&Log](TObject*, Integer C, Integer R, bool& W) { Log << QString("%1 %2").arg(C).arg(R); W = false; };
         }, "false", "2 3"},
        {"password", [](TTestExGrid& g) { return Flag(g.GetCellPassword(2, 3)); }, "false",
         [](TTestExGrid& g, QStringList& Log) {
             g.OnIsPasswordCell = [&Log](TObject*, Integer R, Integer C, bool& P) { Log << QString("%1 %2").arg(R).arg(C); P = true; };
         }, "true", "3 2"},
        {"editor", [](TTestExGrid& g) { return String(GetEnumName(g.QueryCellEditor(2, 3))); }, "edNormal",
         [](TTestExGrid& g, QStringList& Log) {
             g.OnGetEditorType = [&Log](TObject*, Integer C, Integer R, TEditorType& E) { Log << QString("%1 %2").arg(C).arg(R); E = edSpinEdit; };
         }, "edSpinEdit", "2 3"},
        {"noeditor", [](TTestExGrid& g) { return Flag(g.HasNoEditor(2, 3)); }, "false",
         [](TTestExGrid& g, QStringList& Log) {
             g.OnGetEditorType = [&Log](TObject*, Integer C, Integer R, TEditorType& E) { Log << QString("%1 %2").arg(C).arg(R); E = edNone; };
         }, "true", "2 3"},
        {"fixed", [](TTestExGrid& g) { return Flag(g.IsFixedCell(2, 3)); }, "false",
         [](TTestExGrid& g, QStringList& Log) {
             g.OnIsFixedCell = [&Log](TObject*, Integer R, Integer C, bool& X) { Log << QString("%1 %2").arg(R).arg(C); X = true; };
         }, "true", "3 2"},
        {"canedit", [](TTestExGrid& g) { bool E = true; g.CanEditCell(2, 3, E); return Flag(E); }, "true",
         [](TTestExGrid& g, QStringList& Log) {
             g.OnCanEditCell = [&Log](TObject*, Integer R, Integer C, bool& E) { Log << QString("%1 %2").arg(R).arg(C); E = false; };
         }, "false", "3 2"},
        {"combo", [](TTestExGrid& g) { return Flag(g.HasComboBox(2, 3)); }, "false",
         [](TTestExGrid& g, QStringList& Log) {
             g.OnHasComboBox = [&Log](TObject*, Integer C, Integer R, bool& H) { Log << QString("%1 %2").arg(C).arg(R); H = true; };
         }, "true", "2 3"},
        {"spin", [](TTestExGrid& g) { return Flag(g.HasSpinEdit(2, 3)); }, "false",
         [](TTestExGrid& g, QStringList& Log) {
             g.OnHasSpinEdit = [&Log](TObject*, Integer C, Integer R, bool& H) { Log << QString("%1 %2").arg(C).arg(R); H = true; };
         }, "true", "2 3"},
        {"checktrue", [](TTestExGrid& g) { String V; g.GetCheckTrue(2, 3, V); return V; }, "Y",
         [](TTestExGrid& g, QStringList& Log) {
             g.OnGetCheckTrue = [&Log](TObject*, Integer C, Integer R, String& V) { Log << QString("%1 %2").arg(C).arg(R); V = "1"; };
         }, "1", "2 3"},
        {"checkfalse", [](TTestExGrid& g) { String V; g.GetCheckFalse(2, 3, V); return V; }, "N",
         [](TTestExGrid& g, QStringList& Log) {
             g.OnGetCheckFalse = [&Log](TObject*, Integer C, Integer R, String& V) { Log << QString("%1 %2").arg(C).arg(R); V = "0"; };
         }, "0", "2 3"},
        {"alignment", [](TTestExGrid& g) { TAlignment H = taLeftJustify; TVAlignment V = vtaTop; g.QueryCellAlignment(2, 3, H, V); return IntToStr(Integer(H)); }, IntToStr(Integer(taLeftJustify)),
         [](TTestExGrid& g, QStringList& Log) {
             g.OnGetAlignment = [&Log](TObject*, Integer R, Integer C, TAlignment& H, TVAlignment&) { Log << QString("%1 %2").arg(R).arg(C); H = taRightJustify; };
         }, IntToStr(Integer(taRightJustify)), "3 2"},
        {"border", [](TTestExGrid& g) { TPen P; TCellBorders B; g.GetCellBorder(2, 3, &P, B); return Flag(B.Empty()); }, "true",
         [](TTestExGrid& g, QStringList& Log) {
             g.OnGetCellBorder = [&Log](TObject*, Integer R, Integer C, TPen*, TCellBorders& B) { Log << QString("%1 %2").arg(R).arg(C); B = TCellBorders{cbTop}; };
         }, "false", "3 2"},
        {"color", [](TTestExGrid& g) { TBrush B; TFont Fn; B.SetColor(clWhite); g.GetCellColor(2, 3, {}, &B, &Fn); return IntToStr(Integer(B.Color())); }, IntToStr(Integer(clWhite)),
         [](TTestExGrid& g, QStringList& Log) {
             g.OnGetCellColor = [&Log](TObject*, Integer R, Integer C, TGridDrawState, TBrush* B, TFont*) { Log << QString("%1 %2").arg(R).arg(C); B->SetColor(clRed); };
         }, IntToStr(Integer(clRed)), "3 2"},
    };
    for (const TQueryCase& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        TExGridForm Fresh;
        TTestExGrid& g = *Fresh.Grid;
        g.SetColCount(5);
        g.SetRowCount(6);
        EXPECT_EQ(Case.Ask(g), Case.Default);
        QStringList Log;
        Case.Install(g, Log);
        EXPECT_EQ(Case.Ask(g), Case.WithEvent);
        EXPECT_EQ(Log, QStringList{Case.Arguments});
    }
}

TEST_F(ExGridCellQueriesTest, SpinEditIsNeverOfferedOnAFixedRow)
{
    G.OnHasSpinEdit = [](TObject*, Integer, Integer, bool& H) { H = true; };
    EXPECT_FALSE(G.HasSpinEdit(2, 0));
    EXPECT_TRUE(G.HasSpinEdit(2, 1));
    G.OnHasSpinEdit = nullptr;
    G.ControlLook()->SetSpinButtonsAlwaysVisible(true);
    G.SetDefaultEditor(edFloatSpinEdit);
    EXPECT_TRUE(G.HasSpinEdit(2, 1));
}

TEST_F(ExGridCellQueriesTest, ReadOnlyPropertiesBlockEditingUnlessTheHandlerAllows)
{
    G.SetOptions(G.Options() + goEditing);
    EXPECT_TRUE(G.IsEditable(2, 3));
    G.CellProperties(2, 3)->SetReadOnly(true);
    EXPECT_FALSE(G.IsEditable(2, 3));
    EXPECT_TRUE(G.IsEditable(2, 4));
    G.OnCanEditCell = [](TObject*, Integer, Integer, bool& E) { E = true; };
    EXPECT_TRUE(G.IsEditable(2, 3));
    EXPECT_FALSE(G.IsEditable(0, 3)) << "fixed column";
    G.SetOptions(G.Options() - goEditing);
    EXPECT_FALSE(G.IsEditable(2, 3));
}

TEST_F(ExGridCellQueriesTest, FooterRowsAndRightFixedColumnsAreFixed)
{
    G.SetFixedFooters(1);
    G.SetFixedRightCols(1);
    EXPECT_TRUE(G.IsFixed(2, 5));
    EXPECT_TRUE(G.IsFixed(4, 3));
    EXPECT_FALSE(G.IsFixed(3, 3));
    EXPECT_TRUE(G.IsFixed(0, 3));
    EXPECT_TRUE(G.IsFixed(2, 0));
    G.OnIsFixedCell = [](TObject*, Integer R, Integer, bool& X) { X = R == 2; };
    EXPECT_TRUE(G.IsFixed(2, 2));
}

TEST_F(ExGridCellQueriesTest, FilterListQuotesValuesWithBlanksAndListsEachOnce)
{
    G.SetRowCount(4);
    G.SetFilterDropDownAuto(true);
    G.SetFilterDropDownClear("(All)");
    G.SetCells(1, 1, "b");
    G.SetCells(1, 2, " a a");
    G.SetCells(1, 3, "b");
    TStringList List;
    EXPECT_TRUE(G.GetFilterList(1, &List));
    EXPECT_EQ(List.Text(), String("(All)\r\na a=\"a a\"\r\nb\r\n"));
    EXPECT_FALSE(G.GetFilterList(0, &List)) << "fixed column";
    G.OnGetColumnFilter = [](TObject*, Integer Column, TStrings* L) { L->Add(IntToStr(Column)); };
    EXPECT_TRUE(G.GetFilterList(0, &List));
    EXPECT_EQ(List.Text(), String("0\r\n"));
}

TEST_F(ExGridCellQueriesTest, HiddenRowsFeedTheFilterListUnlessIncremental)
{
    G.SetFilterDropDownAuto(true);
    G.SetCells(1, 2, "gone");
    G.HideRow(2);
    TStringList List;
    G.GetFilterList(1, &List);
    EXPECT_GE(List.IndexOf("gone"), 0);
    G.SetFilterIncremental(true);
    G.GetFilterList(1, &List);
    EXPECT_LT(List.IndexOf("gone"), 0);
}

TEST_F(ExGridCellQueriesTest, CellColourAndFontComeFromThePropertiesThenTheActiveHeading)
{
    TBrush B;
    TFont Fn;
    B.SetColor(clWhite);
    G.GetCellColor(2, 3, {}, &B, &Fn);
    EXPECT_FALSE(G.HasCellProperties(2, 3)) << "asking creates no properties";
    G.SetColors(2, 3, clYellow);
    G.CellProperties(2, 3)->SetFontColor(clBlue);
    G.GetCellColor(2, 3, {}, &B, &Fn);
    EXPECT_EQ(B.Color(), clYellow);
    EXPECT_EQ(Fn.Color(), clBlue);
    EXPECT_EQ(G.GetCellFont(2, 3)->Color(), clBlue);
    EXPECT_EQ(G.GetCellFont(2, 4), G.Font());

    G.SetActiveCellShow(true);
    G.SetActiveCellColor(clLime);
    G.SetRow(3);
    TBrush Heading;
    G.GetCellColor(0, 3, {}, &Heading, &Fn);
    EXPECT_EQ(Heading.Color(), clLime);
}

TEST_F(ExGridCellQueriesTest, GroupingRulesSetTheBordersOfNodeAndSummaryRows)
{
    G.Grouping()->SetHeaderUnderline(true);
    G.Grouping()->SetSummaryLine(true);
    for (auto [Row, Type] : {std::pair{2, ctNode}, std::pair{3, ctSummary}}) {
        auto* Graphic = new TCellGraphic();
        Graphic->SetCellType(Type);
        G.SetGraphicObjects(0, Row, Graphic);
    }
    EXPECT_TRUE(G.IsNode(2));
    EXPECT_TRUE(G.IsSummary(3));
    EXPECT_FALSE(G.IsNode(-1));
    TPen P;
    TCellBorders B;
    G.GetCellBorder(1, 2, &P, B);
    EXPECT_EQ(B, TCellBorders{cbBottom});
    G.GetCellBorder(1, 3, &P, B);
    EXPECT_EQ(B, TCellBorders{cbTop});
    TCellBorders Col0;
    G.GetCellBorder(0, 3, &P, Col0);
    EXPECT_TRUE(Col0.Empty());
}
