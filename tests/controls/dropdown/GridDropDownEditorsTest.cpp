// The grid's drop-down cell editors through a real string grid whose
// OnGetEditorType chooses the kind per column: filling from the cell,
// committing through validation, Escape, Tab, the arrows with the pop-up
// open, the colour picker's keys, the grid's key-press and change events,
// the caret at the click, the drop-down header and footer, and the owner.
#include "controls/dropdown/ExGrid_DropDownEditors.h"

#include "grid/control/ExGridEditTestSupport.h"

#include "grid/control/ExGrid_Settings.h"

#include <QLineEdit>

#include <algorithm>
#include <vector>

namespace {

class GridDropDownEditorsTest : public ExGridEditTest {
protected:
    GridDropDownEditorsTest()
    {
        EditorsByColumn({{1, edTrackbarDropDown},
                         {2, edCalculatorDropDown},
                         {3, edMemoDropDown},
                         {4, edColorPickerDropDown}});
    }
    // Every kind in column 1.
    void Kind(TEditorType K) { EditorsByColumn({{1, K}}); }
    TExCustomDropDown* Editor() const { return dynamic_cast<TExCustomDropDown*>(Grid->EditCtrl); }
    bool Editing() const { return Editor() && Editor()->Visible(); }
};

} // namespace

TEST_F(GridDropDownEditorsTest, EachKindOpensOverItsCellFilledFromTheText)
{
    auto* Multi = Grid->GetGridDropDown();
    Multi->Columns()->Add();
    for (const char* S : {"Apple", "Banana"})
        Multi->Items()->Add()->Text()->Add(QString::fromLatin1(S));
    auto* Detail = Grid->GetDetailPickerDropDown();
    for (const char* S : {"Red", "Green"})
        Detail->Items()->Add()->SetCaption(QString::fromLatin1(S));
    auto* ExGrid = Grid->GetExGridDropDown();
    ExGrid->Columns()->Add();
    for (const char* S : {"Alpha", "beta"})
        ExGrid->Items()->Add()->Text()->Add(QString::fromLatin1(S));

    struct Case {
        TEditorType Kind;
        const char* Text;
        std::function<void(TExCustomDropDown*)> Check;
    };
    const std::vector<Case> Cases = {
        {edTrackbarDropDown, "7",
         [](TExCustomDropDown* E) { EXPECT_EQ(static_cast<TGridTrackbarDropDown*>(E)->Position(), 7); }},
        // Text that is no number gives the fallback position.
        {edTrackbarDropDown, "abc",
         [](TExCustomDropDown* E) { EXPECT_EQ(static_cast<TGridTrackbarDropDown*>(E)->Position(), 0); }},
        // The calculator shows the value with its precision.
        {edCalculatorDropDown, "12.5",
         [](TExCustomDropDown* E) { EXPECT_EQ(E->GetText(), QStringLiteral("12.50")); }},
        {edCalculatorDropDown, "no number",
         [](TExCustomDropDown* E) { EXPECT_DOUBLE_EQ(E->TextToFloat(E->GetText()), 0); }},
        {edTimePickerDropDown, "10:30",
         [](TExCustomDropDown* E) {
             EXPECT_TRUE(E->EditorEnabled());
             EXPECT_TRUE(E->GetText().startsWith(QStringLiteral("10")));
         }},
        {edDetailDropDown, "Green",
         [](TExCustomDropDown* E) { EXPECT_EQ(static_cast<TGridDetailPickerDropDown*>(E)->ItemIndex(), 1); }},
        {edGridDropDown, "Banana",
         [](TExCustomDropDown* E) {
             EXPECT_EQ(static_cast<TGridGridDropDown*>(E)->ItemIndex(), 1);
             EXPECT_EQ(E->GetText(), QStringLiteral("Banana"));
         }},
        {edExGridDropDown, "be",
         [](TExCustomDropDown* E) {
             EXPECT_EQ(static_cast<TGridExGridDropDown*>(E)->ItemIndex(), 1);
             EXPECT_TRUE(static_cast<TGridExGridDropDown*>(E)->GetGrid()->FixedRowAlways());
         }},
        // A lookup text no item has: the first item, the cell's text.
        {edExGridDropDown, "zzz",
         [](TExCustomDropDown* E) {
             EXPECT_EQ(static_cast<TGridExGridDropDown*>(E)->ItemIndex(), 0);
             EXPECT_EQ(E->GetText(), QStringLiteral("zzz"));
         }},
    };
    for (const Case& C : Cases) {
        Kind(C.Kind);
        Grid->SetCells(1, 2, QString::fromLatin1(C.Text));
        Open(1, 2);
        ASSERT_TRUE(Editing()) << C.Kind;
        EXPECT_TRUE(Editor()->Focused()) << C.Kind;
        const TRect Cell = Grid->CellRect(1, 2);
        EXPECT_EQ(Editor()->Left(), Cell.Left) << C.Kind;
        EXPECT_EQ(Editor()->Top(), Cell.Top) << C.Kind;
        C.Check(Editor());
        Key(Qt::Key_Escape);
        EXPECT_FALSE(Editing()) << C.Kind;
    }
}

TEST_F(GridDropDownEditorsTest, TheColourPickerTakesTheCellsColourAndWritesThroughTheEvent)
{
    Grid->SetColors(4, 1, TColor(0x00FF00));
    std::vector<TColor> Chosen;
    Grid->OnColorSelected = [&](TObject*, Integer, Integer, TColor& Color, String& Value) {
        Chosen.push_back(Color);
        Color = TColor(0x0000FF);
        Value = QStringLiteral("red");
    };
    Open(4, 1);
    auto* Picker = dynamic_cast<TGridColorDropDown*>(Editor());
    ASSERT_TRUE(Picker);
    EXPECT_EQ(Picker->SelectedColor(), TColor(0x00FF00));
    // Up and Down are the picker's while it is open; only Enter commits.
    Picker->ShowDropDown();
    ASSERT_TRUE(Picker->DroppedDown());
    QTest::keyClick(Picker->Handle(), Qt::Key_Down);
    EXPECT_TRUE(Editing());
    EXPECT_EQ(Grid->Row(), 1);
    Picker->HideDropDown(false);
    Key(Qt::Key_Return);
    EXPECT_FALSE(Editing());
    ASSERT_EQ(Chosen.size(), 1u);
    EXPECT_EQ(Grid->Cells(4, 1), QStringLiteral("red"));
    EXPECT_EQ(Grid->Colors(4, 1), TColor(0x0000FF));
}

TEST_F(GridDropDownEditorsTest, EnterCommitsTheValueThroughValidation)
{
    Open(1, 1);
    auto* Track = dynamic_cast<TGridTrackbarDropDown*>(Editor());
    ASSERT_TRUE(Track);
    Track->SetPosition(9);
    Key(Qt::Key_Return);
    EXPECT_FALSE(Editing());
    EXPECT_EQ(Grid->Cells(1, 1), QStringLiteral("9"));
    EXPECT_TRUE(Grid->Focused());

    Grid->SetCells(3, 2, QStringLiteral("first\nsecond"));
    Open(3, 2);
    auto* Memo = dynamic_cast<TGridMemoDropDown*>(Editor());
    ASSERT_TRUE(Memo);
    EXPECT_EQ(Memo->MemoText()->Count(), 2);
    EXPECT_EQ(Memo->SelStart(), 0);
    Key(Qt::Key_Return);
    EXPECT_EQ(Grid->Cells(3, 2), QStringLiteral("first\nsecond"));
}

TEST_F(GridDropDownEditorsTest, ARefusedValueKeepsTheEditorOpenWithTheReplacementSelected)
{
    Grid->OnCellValidate = [](TObject*, Integer, Integer, String& Value, bool& Valid) {
        if (Value == QStringLiteral("13")) {
            Value = QStringLiteral("12");
            Valid = false;
        }
    };
    Open(3, 1);
    ASSERT_TRUE(Editing());
    Editor()->SetText(QStringLiteral("13"));
    Key(Qt::Key_Return);
    ASSERT_TRUE(Editing());
    EXPECT_EQ(Editor()->GetText(), QStringLiteral("12"));
    EXPECT_EQ(Editor()->LineEdit()->selectedText(), QStringLiteral("12"));
    EXPECT_EQ(Grid->Row(), 1);
    Key(Qt::Key_Return);
    EXPECT_FALSE(Editing());
    EXPECT_EQ(Grid->Cells(3, 1), QStringLiteral("12"));
}

TEST_F(GridDropDownEditorsTest, EscapePutsBackTheStoredTextEvenWithThePopupOpen)
{
    Open(2, 1);
    Editor()->SetText(QStringLiteral("99"));
    Editor()->ShowDropDown();
    ASSERT_TRUE(Editor()->DroppedDown());
    QTest::keyClick(Editor()->Handle(), Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_FALSE(Editing());
    EXPECT_EQ(Grid->Cells(2, 1), QStringLiteral("21"));
    EXPECT_TRUE(Grid->Focused());
}

TEST_F(GridDropDownEditorsTest, TabWithGoTabsMovesToTheNextEditableCell)
{
    Grid->SetOptions(Grid->Options() + TGridOptions{goTabs});
    Open(2, 1);
    Key(Qt::Key_Tab);
    EXPECT_EQ(Grid->Col(), 3);
    if (Editing())
        Key(Qt::Key_Escape);
    Open(2, 1);
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(Grid->Col(), 1);
}

TEST_F(GridDropDownEditorsTest, TabWithValidationButWithoutGoTabsReachesTheGrid)
{
    Grid->OnCellValidate = [](TObject*, Integer, Integer, String&, bool&) {};
    std::vector<Word> GridKeys;
    Grid->OnKeyDown = [&](TObject*, Word& K, TShiftState) { GridKeys.push_back(K); };
    Open(2, 1);
    ASSERT_TRUE(Editing());
    QTest::keyClick(Editor()->Handle(), Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_NE(std::find(GridKeys.begin(), GridKeys.end(), Word(VK_TAB)), GridKeys.end());
}

TEST_F(GridDropDownEditorsTest, ArrowsWithThePopupOpenCommitAndAreConsumed)
{
    Open(2, 2);
    ASSERT_TRUE(Editing());
    Editor()->SetText(QStringLiteral("7"));
    const String Value = Editor()->GetText();
    Editor()->ShowDropDown();
    ASSERT_TRUE(Editor()->DroppedDown());
    QTest::keyClick(Editor()->Handle(), Qt::Key_Down);
    QApplication::processEvents();
    EXPECT_FALSE(Editing());
    EXPECT_EQ(Grid->Cells(2, 2), Value);
    EXPECT_EQ(Grid->Row(), 2);
}

TEST_F(GridDropDownEditorsTest, TypedCharactersAndChangesReachTheGrid)
{
    std::vector<TObject*> PressSenders;
    std::vector<String> Changes;
    Grid->OnKeyPress = [&](TObject* Sender, Char&) { PressSenders.push_back(Sender); };
    Grid->OnEditChange = [&](TObject*, Integer ACol, Integer ARow, const String& Value) {
        EXPECT_EQ(ACol, 2);
        EXPECT_EQ(ARow, 1);
        Changes.push_back(Value);
    };
    Open(2, 1);
    PressSenders.clear();
    Changes.clear();
    Editor()->SelectAll();
    Type(QStringLiteral("7"));
    ASSERT_FALSE(PressSenders.empty());
    EXPECT_EQ(PressSenders.front(), Editor());
    EXPECT_TRUE(Editor()->GetText().startsWith(QChar(u'7')));
    Editor()->SetText(QStringLiteral("8"));
    ASSERT_FALSE(Changes.empty());
    EXPECT_EQ(Changes.back(), Editor()->GetText());
}

TEST_F(GridDropDownEditorsTest, HeaderFooterAndStyleReachTheEditorAndItsButtonsTheGrid)
{
    Grid->ControlLook()->DropDownHeader()->SetVisible(true);
    Grid->ControlLook()->DropDownHeader()->SetCaption(QStringLiteral("Head"));
    Grid->ControlLook()->DropDownFooter()->SetVisible(true);
    std::vector<Integer> Header, Footer;
    Grid->OnDropDownHeaderButtonClick = [&](TObject* S, Integer I) {
        EXPECT_EQ(S, Grid);
        Header.push_back(I);
    };
    Grid->OnDropDownFooterButtonClick = [&](TObject*, Integer I) { Footer.push_back(I); };
    Grid->SetComponentStyle(tsWindows7);
    Open(2, 1);
    TExCustomDropDown* E = Editor();
    EXPECT_TRUE(E->DropDownHeader()->Visible());
    EXPECT_EQ(E->DropDownHeader()->Caption(), QStringLiteral("Head"));
    EXPECT_TRUE(E->DropDownFooter()->Visible());
    EXPECT_EQ(E->GetComponentStyle(), tsWindows7);
    E->OnDropDownHeaderButtonClick(E, 2);
    E->OnDropDownFooterButtonClick(E, 1);
    EXPECT_EQ(Header, std::vector<Integer>{2});
    EXPECT_EQ(Footer, std::vector<Integer>{1});
}

TEST_F(GridDropDownEditorsTest, AnOwnerThatIsNoGridIsRefused)
{
    EXPECT_THROW(NewObject<TGridTrackbarDropDown>(Form.get()), EInvalidCast);
    EXPECT_THROW(NewObject<TGridExGridDropDown>(Form.get()), EInvalidCast);
    auto* Made = NewObject<TGridColorDropDown>(Grid);
    EXPECT_EQ(Made->FGrid, Grid);
    EXPECT_TRUE(Made->WorkMode);
}

TEST_F(GridDropDownEditorsTest, RowsDeletedUnderTheOpenEditorAreNotWritten)
{
    Open(2, 5);
    ASSERT_TRUE(Editing());
    Editor()->SetText(QStringLiteral("8"));
    Grid->SetRowCount(3);
    Grid->HideInplaceEdit();
    EXPECT_FALSE(Editing());
    EXPECT_EQ(Grid->RowCount(), 3);
}
