// Filtering the rows of the string grid: the row test, stacked levels,
// narrowing while typing and the filter drop-down lists, on small grids.
#include "grid/control/ExGrid.h"
#include "grid/data/ExGrid_FilterLists.h"

#include "rtl/Forms.h"
#include "rtl/Windows.h"

#include <utility>

#include <QApplication>
#include <QCursor>
#include <QListWidget>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

class TFilterGrid : public TExStringGrid {
public:
    using TExStringGrid::TExStringGrid;
    using TExStringGrid::FDropCheckList;
    using TExStringGrid::FDropList;
    using TExStringGrid::FFilterCol;

    String CompareText;

    String GetCompareCell(Integer ACol, Integer ARow) override
    {
        return CompareText.isEmpty() ? TExStringGrid::GetCompareCell(ACol, ARow) : CompareText;
    }
};

// A grid with a header row and one fixed column; the data rows hold the
// texts of Rows in columns 1 and 2 ("a|x" fills column 1 with a and 2 with x).
class ExGridFilterTest : public ::testing::Test {
protected:
    ExGridFilterTest()
    {
        Form = std::make_unique<TForm>(nullptr);
        Form->SetClientWidth(500);
        Form->SetClientHeight(300);
        G = new TFilterGrid(Form.get());
        G->SetParent(Form.get());
        G->SetColCount(3);
    }

    void SetRows(const QStringList& Rows)
    {
        G->SetRowCount(Rows.size() + 1);
        for (Integer R = 0; R < Rows.size(); ++R) {
            const QStringList Cells = Rows[R].split(u'|');
            G->SetCells(0, R + 1, QString::number(R + 1));
            for (Integer C = 0; C < Cells.size(); ++C)
                G->SetCells(C + 1, R + 1, Cells[C]);
        }
    }

    // Column C of the shown data rows, joined by blanks.
    String Shown(Integer C = 1) const
    {
        QStringList Texts;
        for (Integer R = G->FixedRows(); R < G->RowCount() - G->FixedFooters(); ++R)
            Texts << G->Cells(C, R);
        return Texts.join(u' ');
    }

    TFilterData* AddCondition(Integer Column, const String& Condition, TFilterOperation Operation)
    {
        TFilterData* F = G->Filter()->Add();
        F->SetColumn(SmallInt(Column));
        F->SetCondition(Condition);
        F->SetOperation(Operation);
        return F;
    }

    std::unique_ptr<TForm> Form;
    TFilterGrid* G = nullptr;
};

} // namespace

// ---------------------------------------------------------------- the row test

TEST_F(ExGridFilterTest, ConditionsJoinByTheirOperation)
{
    SetRows({"a|x", "a|y", "b|x", "b|y"});
    struct TCase {
        TFilterOperation Second;
        const char* Rows;  // column 0 of the shown rows
    } Cases[] = {
        {foAND, "1"}, {foOR, "1 2 3"}, {foXOR, "2 3"}, {foNONE, "1 3"}, {foSHORT, "1 3"},
    };
    for (const TCase& Case : Cases) {
        G->Filter()->Clear();
        AddCondition(1, QStringLiteral("a"), foNONE);
        AddCondition(2, QStringLiteral("x"), Case.Second);
        G->SetFilterActive(true);
        EXPECT_EQ(Shown(0), QString::fromLatin1(Case.Rows)) << GetEnumName(Case.Second).toStdString();
        G->SetFilterActive(false);
        EXPECT_EQ(Shown(0), QStringLiteral("1 2 3 4"));
    }
}

TEST_F(ExGridFilterTest, AFailingShortConditionStopsTheTestButTheCustomFilterStillDecides)
{
    SetRows({"a|x", "b|x", "b|y"});
    AddCondition(1, QStringLiteral("a"), foSHORT);
    AddCondition(2, QStringLiteral("x"), foAND);
    Integer Column2Reads = 0;
    G->OnGetDisplText = [&](TObject*, Integer ACol, Integer, String&) {
        if (ACol == 2)
            ++Column2Reads;
    };
    QList<Integer> Asked;
    G->OnCustomFilter = [&](TObject*, Integer ARow, bool& Accept) {
        Asked << ARow;
        if (ARow == 3)
            Accept = true;
    };
    G->ApplyFilter();
    EXPECT_EQ(Column2Reads, 1) << "only the row passing the first condition reads column 2";
    EXPECT_EQ(Asked, (QList<Integer>{1, 2, 3}));
    EXPECT_EQ(Shown(2), QStringLiteral("x y"));
}

TEST_F(ExGridFilterTest, EachCellSourceGivesItsText)
{
    SetRows({"<b>ab</b>|other", "zz|<i>q</i>"});
    G->OnGetDisplText = [](TObject*, Integer ACol, Integer, String& Value) {
        if (ACol == 1)
            Value = u'V' + Value;
    };
    G->CompareText = QStringLiteral("calc");
    struct TCase {
        TFilterCells Data;
        Integer Column;
        const char* Condition;
        const char* Rows;
    } Cases[] = {
        {fcNormal, 1, "<b>ab</b>", "1"},    {fcVirtual, 1, "V<b>ab</b>", "1"}, {fcStripHTML, 1, "Vab", "1"},
        {fcCalculated, 1, "calc", "1 2"},   {fcRow, -1, "AB</B>\r\nOTH", "1"}, {fcRow, 5, "<i>Q", "2"},
        {fcVirtual, 7, "", "1 2"},          {fcVirtual, 7, "*", "1 2"},        {fcVirtual, 7, "?*", ""},
    };
    for (const TCase& Case : Cases) {
        G->Filter()->Clear();
        TFilterData* F = AddCondition(Case.Column, QString::fromLatin1(Case.Condition), foNONE);
        F->SetData(Case.Data);
        F->SetMethod(fmLiteral);
        if (Case.Column == 7)
            F->SetMethod(fmExpression);
        G->ApplyFilter();
        EXPECT_EQ(Shown(0), QString::fromLatin1(Case.Rows)) << GetEnumName(Case.Data).toStdString() << " "
                                                             << Case.Condition;
        G->RemoveLastFilter();
    }
}

TEST_F(ExGridFilterTest, PrefixSuffixLiteralAndWideCells)
{
    SetRows({" $100 ", "$20", "100 kg", "5 kg", "a*", "abc"});
    G->SetCells(2, 6, WideToCellText(QStringLiteral("wide")));
    struct TCase {
        const char* Prefix;
        const char* Suffix;
        TFilterMethod Method;
        Integer Column;
        const char* Condition;
        const char* Rows;
    } Cases[] = {
        {"$", "", fmExpression, 1, ">50", "1 5 6"},  // texts that are no numbers compare as texts
        {"", " kg", fmExpression, 1, ">50", "3 5 6"},  // a text shorter than the suffix keeps its end
        {"", "", fmLiteral, 1, "a*", "5"},
        {"", "", fmExpression, 1, "a*", "5 6"},
        {"", "", fmExpression, 2, "wide", "6"},
    };
    for (const TCase& Case : Cases) {
        G->Filter()->Clear();
        TFilterData* F = AddCondition(Case.Column, QString::fromLatin1(Case.Condition), foNONE);
        F->SetPrefix(QString::fromLatin1(Case.Prefix));
        F->SetSuffix(QString::fromLatin1(Case.Suffix));
        F->SetMethod(Case.Method);
        G->ApplyFilter();
        EXPECT_EQ(Shown(0), QString::fromLatin1(Case.Rows)) << Case.Prefix << Case.Suffix << " " << Case.Condition;
        G->RemoveLastFilter();
    }
}

TEST_F(ExGridFilterTest, EmptyConditionsHideNothingButAnEmptyRowConditionHidesEveryDataRow)
{
    SetRows({"a", "b", "c", "d", "e"});
    G->AddNode(1, 3);
    G->MarkSummaryRow(5);
    AddCondition(1, String(), foNONE);
    AddCondition(2, String(), foAND);
    G->ApplyFilter();
    EXPECT_EQ(G->RowCount(), 6);
    EXPECT_EQ(G->FilterLevel(), 1) << "a level even when nothing failed";
    G->RemoveLastFilter();

    G->Filter()->Clear();
    AddCondition(-1, String(), foNONE)->SetData(fcRow);
    G->SetFilterActive(true);
    EXPECT_EQ(Shown(), QStringLiteral("a e")) << "node and summary rows stay";
    G->SetFilterActive(false);
    G->SetFilterNormalCellsOnly(false);
    G->SetFixedRowAlways(true);
    G->SetFilterActive(true);
    EXPECT_EQ(G->RowCount(), 1);
    EXPECT_EQ(G->FixedRows(), 1);
    G->SetFilterActive(false);
    EXPECT_EQ(Shown(), QStringLiteral("a b c d e"));
}

TEST_F(ExGridFilterTest, FilterRowHidesOneFailingRow)
{
    SetRows({"a", "b", "c"});
    AddCondition(1, QStringLiteral("!b"), foNONE);
    G->FilterRow(1);
    G->FilterRow(2);
    EXPECT_EQ(Shown(), QStringLiteral("a c"));
    EXPECT_EQ(G->NumHiddenRows(), 1);
}

TEST_F(ExGridFilterTest, ProgressIsReportedPerTestedRowAndAtTheEnd)
{
    SetRows({"a", "b", "c"});
    AddCondition(1, QStringLiteral("b"), foNONE);
    QList<SmallInt> Progress;
    G->OnFilterProgress = [&](TObject*, SmallInt Value) { Progress << Value; };
    G->ApplyFilter();
    EXPECT_EQ(Progress, (QList<SmallInt>{33, 67, 100, 100}));
}

// ---------------------------------------------------------------- levels

TEST_F(ExGridFilterTest, LevelsStackAndComeBackOneByOne)
{
    SetRows({"a1", "a2", "b1", "b2", "c1"});
    AddCondition(1, QStringLiteral("a*|b*"), foNONE);
    G->SetFilterActive(true);
    EXPECT_EQ(Shown(), QStringLiteral("a1 a2 b1 b2"));
    EXPECT_EQ(G->TopRow(), 1);
    G->SetFilterActive(false);
    EXPECT_EQ(Shown(), QStringLiteral("a1 a2 b1 b2 c1"));
    EXPECT_EQ(G->FilterLevel(), 1) << "switching off keeps the counter";

    G->SetFilterActive(true);
    G->Filter()->Items(0)->SetCondition(QStringLiteral("*1"));
    G->ApplyFilter();
    G->Filter()->Items(0)->SetCondition(QStringLiteral("a*"));
    G->ApplyFilter();
    EXPECT_EQ(Shown(), QStringLiteral("a1"));
    EXPECT_EQ(G->FilterLevel(), 4);
    EXPECT_TRUE(G->RemoveLastFilter());
    EXPECT_EQ(Shown(), QStringLiteral("a1 b1"));
    EXPECT_TRUE(G->RemoveLastFilter());
    EXPECT_EQ(Shown(), QStringLiteral("a1 a2 b1 b2"));
    EXPECT_FALSE(G->RemoveLastFilter()) << "one level left";
    EXPECT_EQ(Shown(), QStringLiteral("a1 a2 b1 b2 c1"));
    EXPECT_FALSE(G->RemoveLastFilter());
    EXPECT_EQ(G->FilterLevel(), 0);
    EXPECT_FALSE(G->RemoveLastFilter()) << "no level";

    G->ApplyFilter();
    G->ApplyFilter();
    G->RemoveAllFilters();
    EXPECT_EQ(Shown(), QStringLiteral("a1 a2 b1 b2 c1"));
    EXPECT_EQ(G->FilterLevel(), 0);
    EXPECT_EQ(G->Filter()->Count(), 1) << "unwinding keeps the conditions";
    G->RemoveAllFilters();
    EXPECT_EQ(G->Filter()->Count(), 0) << "without a level the conditions go";
}

TEST_F(ExGridFilterTest, TheFixedRowsComeBackWhenEveryRowWasFilteredOut)
{
    SetRows({"a", "b"});
    AddCondition(1, QStringLiteral("zzz"), foNONE);
    G->SetFilterActive(true);
    EXPECT_EQ(G->RowCount(), 1);
    G->SetFilterActive(false);
    EXPECT_EQ(G->FixedRows(), 1);
    EXPECT_EQ(Shown(), QStringLiteral("a b"));
}

// ---------------------------------------------------------------- narrowing

TEST_F(ExGridFilterTest, NarrowingStacksALevelPerCharacterAndGoesBackOne)
{
    SetRows({"abc", "abd", "ax", "b", "xabc", "y"});
    G->NarrowDown(QStringLiteral("a"), 1);
    EXPECT_EQ(Shown(), QStringLiteral("abc abd ax xabc"));
    G->NarrowDown(QStringLiteral("ab"), 1);
    G->NarrowDown(QStringLiteral("abc"), 1);
    EXPECT_EQ(Shown(), QStringLiteral("abc xabc"));
    EXPECT_EQ(G->FilterLevel(), 3);
    G->NarrowDown(QStringLiteral("ab"), 1);
    EXPECT_EQ(Shown(), QStringLiteral("abc abd xabc")) << "exactly the third step's rows";
    EXPECT_EQ(G->FilterLevel(), 2);
    G->NarrowDown(QStringLiteral("x"), 1);
    EXPECT_EQ(Shown(), QStringLiteral("ax xabc"));
    EXPECT_EQ(G->FilterLevel(), 1);
    ASSERT_EQ(G->Filter()->Count(), 1);
    EXPECT_EQ(G->Filter()->Items(0)->Condition(), QStringLiteral("*x*"));
    EXPECT_FALSE(G->Filter()->Items(0)->CaseSensitive());
    G->NarrowDown(String(), 1);
    EXPECT_EQ(Shown(), QStringLiteral("abc abd ax b xabc y"));
    EXPECT_EQ(G->FilterLevel(), 0);
    EXPECT_EQ(G->NumHiddenRows(), 0);
}

TEST_F(ExGridFilterTest, NarrowingOnTheRowOrWithABlank)
{
    SetRows({"k|xa by", "k|ab", "A B|z", "q|Q"});
    G->NarrowDown(QStringLiteral("a b"), 2);
    EXPECT_EQ(G->Filter()->Items(0)->Condition(), QStringLiteral("\"*a b*\""));
    EXPECT_EQ(Shown(2), QStringLiteral("xa by"));
    G->NarrowDown(QStringLiteral("a b"), -1);
    EXPECT_EQ(Shown(2), QStringLiteral("xa by z")) << "anywhere in the row, without case";
    EXPECT_EQ(G->Filter()->Items(0)->Data(), fcRow);
}

TEST_F(ExGridFilterTest, NarrowingOutsideTheColumnsOrClearingWithoutALevelChangesNothing)
{
    SetRows({"a", "b", "c"});
    G->HideRow(2);
    G->NarrowDown(QStringLiteral("a"), 3);
    G->NarrowDown(QStringLiteral("a"), -2);
    EXPECT_EQ(G->Filter()->Count(), 0);
    G->NarrowDown(String(), 1);
    EXPECT_EQ(G->NumHiddenRows(), 1) << "a row hidden without filtering stays hidden";
    EXPECT_EQ(Shown(), QStringLiteral("a c"));
}

// ---------------------------------------------------------------- drop-down choices

namespace {

class ExGridFilterDropDownTest : public ExGridFilterTest {
protected:
    ExGridFilterDropDownTest()
    {
        SetRows({"b", "a", "c b", "b", "a"});
        G->SetFilterDropDownAuto(true);
    }
    // The column's list as the grid's mouse handling fills it.
    void Open(Integer Column, TCustomListBox* List)
    {
        G->FFilterCol = Column;
        G->GetFilterList(Column, G->FilterList());
        List->Items()->Assign(G->FilterList());
    }
};

} // namespace

TEST_F(ExGridFilterDropDownTest, ChoosingAnEntryFiltersTheColumnAndAllShowsEveryRow)
{
    Integer Done = 0;
    G->OnFilterDone = [&](TObject*) { ++Done; };
    Open(1, G->FDropList);
    QStringList Entries;
    for (Integer I = 0; I < G->FilterList()->Count(); ++I)
        Entries << G->FilterList()->Strings(I);
    EXPECT_EQ(Entries, (QStringList{"(All)", "a", "b", "c b=\"c b\""}));
    G->SetRow(5);
    G->FilterDropListSelect(G->FDropList, 2);
    EXPECT_EQ(Shown(), QStringLiteral("b b"));
    EXPECT_EQ(G->Row(), 1);
    EXPECT_EQ(G->FFilterCol, -1);
    EXPECT_EQ(Done, 1);
    EXPECT_TRUE(G->Filter()->HasFilter(1));

    Open(1, G->FDropList);
    G->FilterDropListSelect(G->FDropList, 3);
    EXPECT_EQ(Shown(), QStringLiteral("c b")) << "the quoted value with its blank";

    Open(1, G->FDropList);
    G->FilterDropListSelect(G->FDropList, 0);
    EXPECT_EQ(Shown(), QStringLiteral("b a c b b a"));
    EXPECT_FALSE(G->Filter()->HasFilter(1));
    EXPECT_EQ(Done, 3);
}

TEST_F(ExGridFilterDropDownTest, TheSelectEventMayChangeTheConditionAndWithoutAutoUpdateNothingIsApplied)
{
    G->OnFilterSelect = [](TObject*, Integer Column, Integer ItemIndex, const String& Name, String& Condition) {
        EXPECT_EQ(Column, 1);
        EXPECT_EQ(ItemIndex, 1);
        EXPECT_EQ(Name, QStringLiteral("a"));
        Condition = QStringLiteral("a|c*");
    };
    Open(1, G->FDropList);
    G->FilterDropListSelect(G->FDropList, 1);
    EXPECT_EQ(Shown(), QStringLiteral("a c b a"));

    G->OnFilterSelect = nullptr;
    G->SetFilterActive(false);
    G->SetAutoFilterUpdate(false);
    Open(1, G->FDropList);
    G->FilterDropListSelect(G->FDropList, 2);
    EXPECT_EQ(G->Filter()->GetColFilter(1)->Condition(), QStringLiteral("b"));
    EXPECT_EQ(Shown(), QStringLiteral("b a c b b a"));
}

TEST_F(ExGridFilterDropDownTest, ChoicesOutsideTheListOrColumnsOnlyCloseTheDropDown)
{
    const std::pair<Integer, Integer> Choices[] = {{1, 9}, {1, -1}, {-1, 1}, {3, 1}};
    for (const auto& [Column, Index] : Choices) {
        Open(1, G->FDropList);
        G->FFilterCol = Column;
        G->FilterDropListSelect(G->FDropList, Index);
        EXPECT_EQ(G->FFilterCol, -1);
        EXPECT_EQ(G->Filter()->Count(), 0);
        EXPECT_EQ(G->RowCount(), 6);
    }
}

TEST_F(ExGridFilterDropDownTest, CheckedEntriesJoinByOrAndNoneShowsEveryRow)
{
    TDropCheckList* List = G->FDropCheckList;
    Open(1, List);
    QList<Integer> Reported;
    G->OnFilterCheck = [&](TObject*, Integer, Integer ItemIndex, const String&, String&, TCheckListBox* CheckList) {
        EXPECT_EQ(CheckList, List);
        Reported << ItemIndex;
    };
    List->SetChecked(1, true);
    List->SetChecked(3, true);
    G->FilterCheckListDone(List, -1);
    ASSERT_EQ(G->Filter()->Count(), 2);
    EXPECT_EQ(G->Filter()->Items(0)->Operation(), foNONE);
    EXPECT_EQ(G->Filter()->Items(1)->Operation(), foOR);
    EXPECT_EQ(G->Filter()->Items(1)->Condition(), QStringLiteral("\"c b\""));
    EXPECT_EQ(Shown(), QStringLiteral("a c b a"));
    EXPECT_EQ(Reported, (QList<Integer>{1, 3}));
    EXPECT_EQ(G->FFilterCol, 1) << "the list stays open while checking";

    List->SetChecked(1, false);
    List->SetChecked(3, false);
    G->FilterCheckListDone(List, -1);
    EXPECT_EQ(G->Filter()->Count(), 0);
    EXPECT_EQ(Shown(), QStringLiteral("b a c b b a"));
}

TEST_F(ExGridFilterDropDownTest, ToggledCheckMarksReportToTheGrid)
{
    TDropCheckList* List = G->FDropCheckList;
    Open(1, List);
    List->ListWidget()->item(2)->setCheckState(Qt::Checked);
    EXPECT_EQ(Shown(), QStringLiteral("b b"));
}

TEST_F(ExGridFilterDropDownTest, TheSingleListReportsOnEnterAndOnAReleaseAndHidesItself)
{
    TDropList* List = G->FDropList;
    Form->Show();
    QApplication::setActiveWindow(Form->Handle());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Form->Handle()));
    Open(1, List);
    List->SetBounds(10, 10, 120, 100);
    List->SetVisible(true);
    List->SetFocus();
    List->SetItemIndex(1);
    QTest::keyClick(List->ListWidget(), Qt::Key_Return);
    EXPECT_FALSE(List->Visible());
    EXPECT_EQ(Shown(), QStringLiteral("a a"));

    Open(1, List);
    List->SetVisible(true);
    QListWidget* Widget = List->ListWidget();
    QTest::mouseClick(Widget->viewport(), Qt::LeftButton, {}, Widget->visualItemRect(Widget->item(2)).center());
    EXPECT_FALSE(List->Visible());
    EXPECT_EQ(Shown(), QStringLiteral("b b"));
}

TEST_F(ExGridFilterDropDownTest, CancelModeHidesAListOnlyWithTheMouseOutside)
{
    Form->Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Form->Handle()));
    for (TCustomListBox* List : {static_cast<TCustomListBox*>(G->FDropList),
                                 static_cast<TCustomListBox*>(G->FDropCheckList)}) {
        Open(1, List);
        List->SetBounds(10, 10, 120, 100);
        List->SetVisible(true);
        QCursor::setPos(List->ClientToScreen(TPoint(20, 20)).X, List->ClientToScreen(TPoint(20, 20)).Y);
        List->Perform(WM_CANCELMODE);
        EXPECT_TRUE(List->Visible());
        EXPECT_EQ(G->FFilterCol, 1);
        QCursor::setPos(List->ClientToScreen(TPoint(300, 20)).X, List->ClientToScreen(TPoint(300, 20)).Y);
        List->Perform(WM_CANCELMODE);
        EXPECT_FALSE(List->Visible());
        EXPECT_EQ(G->FFilterCol, -1);
    }
}

TEST_F(ExGridFilterDropDownTest, TheDropDownRowMustBeAFixedRow)
{
    G->SetFixedRows(2);
    G->SetFilterDropDownRow(1);
    G->SetFilterDropDownRow(2);
    EXPECT_EQ(G->FilterDropDownRow(), 1);
}

// ---------------------------------------------------------------- TNoActiveForm

TEST(NoActiveFormTest, ShowsTranslucentWithoutTakingTheActivation)
{
    TForm Main(nullptr);
    Main.Show();
    QApplication::setActiveWindow(Main.Handle());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Main.Handle()));
    TNoActiveForm Picture(nullptr);
    const Qt::WindowFlags Flags = Picture.Handle()->windowFlags();
    EXPECT_EQ(Flags & Qt::WindowType_Mask, Qt::ToolTip);
    EXPECT_TRUE(Flags.testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(Flags.testFlag(Qt::WindowDoesNotAcceptFocus));
    EXPECT_TRUE(Picture.Handle()->testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_NEAR(Picture.Handle()->windowOpacity(), 192 / 255.0, 0.01);
    Picture.SetBounds(20, 20, 50, 30);
    Picture.Show();
    QApplication::processEvents();
    EXPECT_TRUE(Picture.Handle()->isVisible());
    EXPECT_EQ(QApplication::activeWindow(), Main.Handle());
}
