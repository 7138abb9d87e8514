// Sorting the string grid's rows: the comparison by style, the blank and
// tie-break rules, the kinds of sort, the way back, the sort as text and
// the restoring of the grid when a comparison raises.
#include "grid/control/ExGridTestForm.h"

#include "common/ScopedFormatSettings.h"

#include <QStringList>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

class TSortGrid : public TTestExGrid {
public:
    using TTestExGrid::TTestExGrid;
    using TExStringGrid::CompareCells;
    using TExStringGrid::FSortRowXRef;
};

// One fixed row, data rows 1 .. n in columns 1 and 2.
class ExGridSortTest : public ::testing::Test {
protected:
    ExGridSortTest()
    {
        Form = std::make_unique<TForm>(nullptr);
        G = new TSortGrid(Form.get());
        G->SetParent(Form.get());
        G->SetColCount(4);
        G->SetFixedRows(1);
    }

    // Rows of column 1 (and, when given, column 2) below the fixed row.
    void Rows(const QStringList& Col1, const QStringList& Col2 = {})
    {
        G->SetRowCount(Integer(Col1.size()) + 1);
        for (Integer R = 0; R < Col1.size(); ++R) {
            G->SetCells(1, R + 1, Col1[R]);
            G->SetCells(2, R + 1, R < Col2.size() ? Col2[R] : String());
        }
    }
    String Column(Integer C) const
    {
        QStringList Texts;
        for (Integer R = G->TBaseGrid::FixedRows(); R < G->RowCount(); ++R)
            Texts << G->Cells(C, R);
        return Texts.join(u'|');
    }
    // Two cells of column 1 compared with the column given Style.
    Integer Compare(TSortStyle Style, const String& A, const String& B, const String& Prefix = {},
                    const String& Suffix = {})
    {
        G->OnGetFormat = [=](TObject*, Integer, TSortStyle& S, String& P, String& X) {
            if (Style != ssAutomatic)
                S = Style;
            P = Prefix;
            X = Suffix;
        };
        Rows({A, B});
        return G->CompareCells(1, 1, 2, sdAscending);
    }

    std::unique_ptr<TForm> Form;
    TSortGrid* G = nullptr;
    TScopedFormatSettings Locale;
};

} // namespace

TEST_F(ExGridSortTest, EachStyleComparesItsWay)
{
    Locale->DateSeparator = u'/';
    Locale->TimeSeparator = u':';
    Locale->ShortDateFormat = QStringLiteral("dd/mm/yyyy");
    struct TCase {
        TSortStyle Style;
        const char* A;
        const char* B;
        Integer Expected;
        const char* Prefix = "";
        const char* Suffix = "";
    };
    const TCase Cases[] = {
        {ssNumeric, "", "1", -1},
        {ssNumeric, "", "-1", 1},
        {ssNumeric, "abc", "xyz", 0},
        {ssNumeric, "10", "9", 1},
        {ssNumeric, "$10 EUR", "$9 EUR", 1, "$", " EUR"},
        {ssFinancial, "1,000.5", "999", 1},
        {ssNumeric, "1,000.5", "999", -1},
        {ssAutomatic, "10", "9", 1},
        {ssAutomatic, "b", "a", 1},
        {ssAutomatic, "12/05/2020", "01/01/2021", -1},
        {ssAutomatic, "12/05/2020 10:00", "12/05/2020 09:00", 1},
        {ssAutomatic, "10:30", "9:45", 1},
        // The separator at character 5: a text.
        {ssAutomatic, "1999/12/31", "01/01/2000", 1},
        // At character 3 but not between digits: a text.
        {ssAutomatic, "ab/cd", "01/01/2000", 1},
        {ssAlphabetic, "abc", "ABD", 1},
        {ssAlphaCase, "abc", "ABD", 1},
        {ssAlphaNoCase, "abc", "ABD", -1},
        {ssAnsiAlphaCase, "a", "A", -1},
        {ssAnsiAlphaNoCase, "a", "B", -1},
        {ssAnsiAlphaNoCase, "a", "A", 0},
        {ssHTML, "<b>b</b>", "a", 1},
        {ssShortDateEU, "01/02/2020", "02/01/2020", 1},
        {ssShortDateUS, "01/02/2020", "02/01/2020", -1},
        {ssDate, "", "01/01/2000", -1},
        {ssDate, "no date", "", 0},
        {ssDateTime, "01/01/2000 10:00", "01/01/2000 9:00", 1},
        {ssTime, "10:00", "9:00", 1},
        {ssTime, "", "00:00", 0},
        {ssAlphaNumeric, "10", "9", 1},
        {ssAlphaNumeric, "10", "9a", -1},
        {ssAlphaNumericNoCase, "a", "B", -1},
        // A value beyond the styles.
        {TSortStyle(25), "a", "a", 1},
    };
    for (const TCase& C : Cases)
        EXPECT_EQ(Compare(C.Style, C.A, C.B, C.Prefix, C.Suffix), C.Expected)
            << int(C.Style) << " " << C.A << " / " << C.B;
}

TEST_F(ExGridSortTest, NumbersWithADecimalComma)
{
    Locale->DecimalSeparator = u',';
    Locale->ThousandSeparator = u'.';
    EXPECT_EQ(Compare(ssNumeric, "1,5", "1.5"), 0);
    EXPECT_EQ(Compare(ssAutomatic, "1,5", "1,25"), 1);
    Rows({"3,5", "", "-2", "1,25"});
    G->OnGetFormat = [](TObject*, Integer, TSortStyle& S, String&, String&) { S = ssNumeric; };
    G->Sort(1, sdAscending);
    EXPECT_EQ(Column(1), "-2||1,25|3,5");
}

TEST_F(ExGridSortTest, CheckBoxesImagesAndTheHooks)
{
    Rows({"x", "x", "x"});
    G->AddCheckBox(1, 1, true, false);
    G->AddCheckBox(1, 2, false, false);
    G->AddCheckBox(1, 3, true, false);
    G->SetCells(2, 1, "A");
    G->SetCells(2, 2, "B");
    G->SetCells(2, 3, "C");
    G->SortSettings()->SetFull(false);
    G->Sort(1, sdAscending);
    EXPECT_EQ(Column(2).left(2), "B|") << "the unchecked box first";
    bool Checked = true;
    EXPECT_TRUE(G->GetCheckBoxState(1, 1, Checked));
    EXPECT_FALSE(Checked) << "the box moved with its row";

    Rows({"", "", ""});
    TImageList Images(nullptr, 16, 16);
    G->SetGridImages(&Images);
    G->AddImageIdx(1, 1, 7, haLeft, vaTop);
    G->AddImageIdx(1, 2, 2, haLeft, vaTop);
    G->OnGetFormat = [](TObject*, Integer, TSortStyle& S, String&, String&) { S = ssImages; };
    EXPECT_EQ(G->CompareCells(1, 1, 2, sdAscending), 1);
    EXPECT_EQ(G->CompareCells(1, 3, 2, sdAscending), -1) << "no picture reads -1";
    G->SetGridImages(nullptr);

    QStringList Seen;
    G->OnGetFormat = [](TObject*, Integer, TSortStyle& S, String&, String&) { S = ssCustom; };
    G->OnCustomCompare = [&](TObject*, const String& A, const String& B, Integer& Res) {
        Seen << A + B;
        Res = A.size() < B.size() ? -1 : (A.size() > B.size() ? 1 : 0);
    };
    Rows({"ccc", "a", "bb"});
    G->Sort(1, sdAscending);
    EXPECT_EQ(Column(1), "a|bb|ccc");
    EXPECT_FALSE(Seen.isEmpty());

    G->OnGetFormat = [](TObject*, Integer, TSortStyle& S, String&, String&) { S = ssRaw; };
    G->OnRawCompare = [&](TObject* Sender, Integer ACol, Integer Row1, Integer Row2, Integer& Res) {
        auto* Grid = static_cast<TExStringGrid*>(Sender);
        Res = -Grid->Cells(ACol, Row1).compare(Grid->Cells(ACol, Row2));
        Res = Res < 0 ? -1 : (Res > 0 ? 1 : 0);
    };
    G->Sort(1, sdAscending);
    EXPECT_EQ(Column(1), "ccc|bb|a") << "the raw hook reverses the order";
}

TEST_F(ExGridSortTest, BlanksGoFirstOrLastInBothDirections)
{
    struct TCase {
        TSortBlankPosition Pos;
        TSortDirection Direction;
        const char* Expected;
    };
    const TCase Cases[] = {
        {blFirst, sdAscending, "||a|b"},
        {blFirst, sdDescending, "||b|a"},
        {blLast, sdAscending, "a|b||"},
        {blLast, sdDescending, "b|a||"},
    };
    G->SortSettings()->SetIgnoreBlanks(true);
    for (const TCase& C : Cases) {
        Rows({"b", "", "a", ""});
        G->SortSettings()->SetBlankPos(C.Pos);
        G->Sort(1, C.Direction);
        EXPECT_EQ(Column(1), C.Expected) << int(C.Pos) << int(C.Direction);
    }
}

TEST_F(ExGridSortTest, FullBreaksTiesToTheRightAndThroughTheIndexList)
{
    Rows({"x", "y", "x", "x"}, {"3", "1", "1", "2"});
    G->Sort(1, sdAscending);
    EXPECT_EQ(Column(2), "1|2|3|1");
    G->Sort(1, sdDescending);
    EXPECT_EQ(Column(2), "1|3|2|1") << "the tie-break follows the direction";

    Rows({"x", "y", "x", "x"}, {"3", "1", "1", "2"});
    G->SortIndexes()->AddIndex(1, true);
    G->SortIndexes()->AddIndex(2, false);
    G->QSortIndexed();
    EXPECT_EQ(Column(1), "x|x|x|y");
    EXPECT_EQ(Column(2), "3|2|1|1");
}

TEST_F(ExGridSortTest, FixedRowsFootersAndHiddenRowsStayInPlace)
{
    Rows({"d", "c", "hidden", "b", "a", "footer"});
    G->SetFixedFooters(1);
    G->HideRow(3);
    G->Sort(1, sdAscending);
    EXPECT_EQ(G->Cells(1, 0), "");
    EXPECT_EQ(Column(1), "a|b|c|d|footer");
    G->UnHideRows(3, 3);
    EXPECT_EQ(G->Cells(1, 3), "hidden");
    EXPECT_EQ(G->RowCount(), 7) << "no spare rows left";
}

TEST_F(ExGridSortTest, NormalCellsOnlyKeepsTheFixedColumn)
{
    G->SetFixedCols(1);
    Rows({"c", "a", "b"});
    for (Integer R = 1; R <= 3; ++R)
        G->SetCells(0, R, IntToStr(R));
    G->SortSettings()->SetNormalCellsOnly(true);
    G->Sort(1, sdAscending);
    EXPECT_EQ(Column(1), "a|b|c");
    EXPECT_EQ(Column(0), "1|2|3");
    G->SortSettings()->SetNormalCellsOnly(false);
    G->Sort(1, sdDescending);
    EXPECT_EQ(Column(0), "3|2|1") << "without it column 0 moves with the rows";
}

TEST_F(ExGridSortTest, UnSortAfterTwoSortsGivesTheFirstOrderBack)
{
    Rows({"b", "c", "a", "d"}, {"2", "4", "3", "1"});
    G->Sort(1, sdAscending);
    G->Sort(2, sdDescending);
    EXPECT_EQ(Column(1), "c|a|b|d");
    G->QUnSort();
    EXPECT_EQ(Column(1), "b|c|a|d");
    EXPECT_EQ(Column(2), "2|4|3|1");
    for (Integer R = 0; R < G->RowCount(); ++R)
        EXPECT_EQ(G->FSortRowXRef->Items(R), R);
}

TEST_F(ExGridSortTest, GroupSortsTouchOnlyExpandedNodesOfTheDeepestLevel)
{
    // Node rows 1 and 5 (three and two children), node 8 contracted.
    Rows({"N1", "c", "a", "b", "N2", "z", "y", "N3", "q", "p"});
    G->AddNode(1, 4);
    G->AddNode(5, 3);
    G->AddNode(8, 3);
    G->ContractNode(8);
    G->SortSettings()->SetColumn(1);
    G->QSortGroup();
    EXPECT_EQ(Column(1), "N1|a|b|c|N2|y|z|N3");
    G->ExpandNode(8);
    EXPECT_EQ(Column(1), "N1|a|b|c|N2|y|z|N3|q|p");
}

TEST_F(ExGridSortTest, SortLineSwapsRowsOutOfOrder)
{
    Rows({"b", "a"}, {"1", "2"});
    EXPECT_TRUE(G->SortLine(1, 1, 2));
    EXPECT_EQ(Column(1), "a|b");
    EXPECT_FALSE(G->SortLine(1, 1, 2));
    G->SortSettings()->SetDirection(sdDescending);
    EXPECT_TRUE(G->SortLine(1, 1, 2));
    EXPECT_EQ(Column(2), "1|2");
    Rows({"x", "x"}, {"1", "2"});
    EXPECT_TRUE(G->SortLine(1, 1, 2)) << "equal cells: the next column decides";
    EXPECT_FALSE(G->SortLine(1, 1, 1));
}

TEST_F(ExGridSortTest, SortAsTextAndItsErrors)
{
    TSortSettings* S = G->SortSettings();
    S->SetColumn(3);
    S->SetDirection(sdDescending);
    EXPECT_EQ(S->SaveToString(), "d3");

    Rows({"a", "a", "b"}, {"1", "2", "1"});
    S->LoadFromString("i;u1;d2");
    EXPECT_TRUE(S->Show());
    EXPECT_TRUE(S->IndexShow());
    EXPECT_EQ(Column(1) + " " + Column(2), "a|a|b 2|1|1");
    EXPECT_EQ(S->SaveToString(), "i;u1;d2");

    S->SetShow(false);
    try {
        S->LoadFromString("u");
        ADD_FAILURE();
    } catch (const Exception& E) {
        EXPECT_EQ(E.Message(), "Invalid sort settings specifier");
    }
    EXPECT_TRUE(S->Show());
    S->LoadFromString("dx");
    EXPECT_FALSE(S->IndexShow());
    EXPECT_EQ(S->Direction(), sdDescending);
    EXPECT_EQ(S->Column(), 3) << "a number that does not read changes no column";

    try {
        S->SetRow(1);
        ADD_FAILURE();
    } catch (const Exception& E) {
        EXPECT_EQ(E.Message(), "Sort row should be smaller than number of fixed rows");
    }
    EXPECT_EQ(S->Row(), 0);

    G->SortIndexes()->Clear();
    try {
        G->QSortIndexed();
        ADD_FAILURE();
    } catch (const EExGridError& E) {
        EXPECT_EQ(E.Message(), "No indexes specified for indexed sort");
    }
    EXPECT_EQ(G->RowCount(), 4);

    S->Remove();
    EXPECT_EQ(S->Column(), -1);
    S->ToggleDirection();
    EXPECT_EQ(S->Direction(), sdAscending);
}

TEST_F(ExGridSortTest, BadColumnsAndShortGridsDoNothing)
{
    Rows({"b", "a"});
    G->Sort(-1, sdAscending);
    G->Sort(99, sdAscending);
    G->SortByColumn(-5);
    EXPECT_EQ(Column(1), "b|a");
    EXPECT_EQ(G->SortSettings()->Column(), -1);
    G->QSort();
    EXPECT_EQ(Column(1), "b|a");
    G->SetRowCount(1);
    G->SortByColumn(1);
    EXPECT_EQ(G->SortSettings()->Column(), -1);
}

TEST_F(ExGridSortTest, AFailingComparisonLeavesTheGridAsItWas)
{
    Rows({"c", "a", "b"});
    G->SetColWidths(3, 55);
    G->HideColumn(2);
    G->OnGetFormat = [](TObject*, Integer, TSortStyle& S, String&, String&) { S = ssCustom; };
    G->OnCustomCompare = [](TObject*, const String&, const String&, Integer&) {
        throw Exception(QStringLiteral("hook failed"));
    };
    EXPECT_THROW(G->Sort(1, sdAscending), Exception);
    EXPECT_EQ(G->RowCount(), 4);
    EXPECT_EQ(G->ColCount(), 3);
    EXPECT_EQ(G->ColWidths(2), 55);
    G->SetRowCount(7);
    EXPECT_EQ(G->Cells(1, 4) + G->Cells(1, 5) + G->Cells(1, 6), "") << "the spare rows were emptied";
    G->SetRowCount(4);
    G->OnCustomCompare = nullptr;
    G->OnGetFormat = nullptr;
    G->Sort(1, sdAscending);
    EXPECT_EQ(Column(1), "a|b|c");
}

namespace {

// A comparison that fixes a row's value only when it must (until then the
// row is "gas"), so that every partition splits off as few rows as it can
// and a quicksort goes quadratic.
class TQuickSortAdversary {
public:
    explicit TQuickSortAdversary(int N) : Gas(N), Values(std::size_t(N), N) {}
    int Compare(int X, int Y)
    {
        if (Value(X) == Gas && Value(Y) == Gas)
            Value(X == Candidate ? X : Y) = Solid++;
        if (Value(X) == Gas)
            Candidate = X;
        else if (Value(Y) == Gas)
            Candidate = Y;
        return Value(X) < Value(Y) ? -1 : (Value(X) > Value(Y) ? 1 : 0);
    }
    int& Value(int X) { return Values[std::size_t(X)]; }

private:
    int Gas;
    int Solid = 0;
    int Candidate = -1;
    std::vector<int> Values;
};

} // namespace

TEST_F(ExGridSortTest, AnUnluckyOrderKeepsTheRecursionShallow)
{
    constexpr int N = 1000;
    QStringList Ids;
    for (int I = 0; I < N; ++I)
        Ids << QString::number(I);
    Rows(Ids);
    G->SortSettings()->SetFull(false);
    TQuickSortAdversary Adversary(N);
    std::uintptr_t Lowest = UINTPTR_MAX, Highest = 0;
    G->OnGetFormat = [](TObject*, Integer, TSortStyle& S, String&, String&) { S = ssCustom; };
    G->OnCustomCompare = [&](TObject*, const String& A, const String& B, Integer& Res) {
        const auto Frame = reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
        Lowest = std::min(Lowest, Frame);
        Highest = std::max(Highest, Frame);
        Res = Adversary.Compare(A.toInt(), B.toInt());
    };
    G->Sort(1, sdAscending);
    EXPECT_GT(G->Compares, Int64(N) * N / 8) << "the order was unlucky";
    // Recursing into both parts would nest about N/2 calls here.
    EXPECT_LT(Highest - Lowest, std::uintptr_t(64 * 1024));
    Integer Unordered = 0;
    for (Integer R = 2; R <= N; ++R)
        Unordered += Adversary.Value(G->Cells(1, R - 1).toInt()) > Adversary.Value(G->Cells(1, R).toInt());
    EXPECT_EQ(Unordered, 0);
}

TEST_F(ExGridSortTest, TheFormatHookIsAskedOncePerColumnAndSort)
{
    QStringList Rows1;
    for (Integer I = 0; I < 200; ++I)
        Rows1 << IntToStr((I * 7919) % 200);
    Rows(Rows1);
    QStringList Asked;
    G->OnGetFormat = [&](TObject*, Integer ACol, TSortStyle&, String&, String&) { Asked << IntToStr(ACol); };
    const Int64 ComparesBefore = G->Compares, SwapsBefore = G->Swaps;
    G->Sort(1, sdAscending);
    // The pivot ties with its own row, so the columns to the right are asked too.
    EXPECT_EQ(Asked.join(u','), "1,2,3");
    EXPECT_GT(G->Compares - ComparesBefore, 200);
    EXPECT_GT(G->Swaps, SwapsBefore);
    for (Integer R = 2; R < G->RowCount(); ++R)
        EXPECT_LE(G->Cells(1, R - 1).toInt(), G->Cells(1, R).toInt());
}

TEST_F(ExGridSortTest, RowsKeepTheirHeightsModifiedMarksAndCellLooks)
{
    Rows({"b", "a"});
    G->SetRowHeights(1, 40);
    G->ShowModified()->SetEnabled(true);
    G->SetRowModified(1, true);
    G->SetColors(1, 1, clRed);
    G->Sort(1, sdAscending);
    EXPECT_EQ(G->RowHeights(2), 40);
    EXPECT_TRUE(G->RowModified(2));
    EXPECT_FALSE(G->RowModified(1));
    EXPECT_EQ(G->Colors(1, 2), clRed);
    EXPECT_EQ(G->CellProperties(1, 2)->OwnerRow(), 2);
}

TEST_F(ExGridSortTest, SingleColumnMovesOnlyTheSortColumn)
{
    Rows({"b", "a"}, {"1", "2"});
    G->SortSettings()->SetSingleColumn(true);
    G->Sort(1, sdAscending);
    EXPECT_EQ(Column(1), "a|b");
    EXPECT_EQ(Column(2), "1|2");
}
