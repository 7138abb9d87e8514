// The grid drop-down: sizing and fitting of the pop-up, the chosen item in
// items and grid mode, choosing, cancelling, sorting and the keys of the
// closed edit, the list's events, the presets; then the typed lookup,
// narrowing and the completion of the edit's text.
#include "controls/dropdown/ExCustomGridDropDown.h"

#include "DropDownFixture.h"

#include <QLineEdit>
#include <QWheelEvent>

#include <algorithm>
#include <array>
#include <vector>

using namespace exgriddropdown;

namespace {

class GridDropDownTest : public DropDownFixture {
protected:
    void SetUp() override
    {
        FormWidth = 700;
        FormHeight = 400;
        DropDownFixture::SetUp();
        ShowForm();
        D = MakeDropDown<TCustomExGridDropDown>();
    }
    void AddColumns(std::initializer_list<Integer> Widths)
    {
        for (Integer W : Widths)
            D->Columns()->Add()->SetWidth(W);
    }
    void AddItem(std::initializer_list<const char*> Texts)
    {
        TDropDownItem* Item = D->Items()->Add();
        for (const char* S : Texts)
            Item->Text()->Add(QString::fromUtf8(S));
    }
    void Numbered(Integer Count)
    {
        AddColumns({80});
        for (Integer I = 0; I < Count; ++I)
            D->Items()->Add()->Text()->Add(QStringLiteral("Item %1").arg(I, 2, 10, QChar(u'0')));
        D->EndUpdate();
    }
    // Lookup texts in column 0, a number in column 1.
    void Fruit()
    {
        AddColumns({80, 60});
        AddItem({"Cherry", "3"});
        AddItem({"Apple", "1"});
        AddItem({"Banana", "2"});
        D->EndUpdate();
    }
    void Open()
    {
        D->SetFocus();
        D->ShowDropDown();
        ASSERT_TRUE(D->DroppedDown());
    }
    TExColGrid* Grid() const { return D->GetGrid(); }
    QPoint CellPoint(Integer ACol, Integer ARow) const
    {
        const TRect R = Grid()->CellRect(ACol, ARow);
        return {R.Left + 5, (R.Top + R.Bottom) / 2};
    }
    void Click(QPoint P) const
    {
        QTest::mousePress(Grid()->ClientWidget(), Qt::LeftButton, {}, P);
        QTest::mouseRelease(Grid()->ClientWidget(), Qt::LeftButton, {}, P);
    }
    void Wheel(Integer Delta) const
    {
        const QPoint At(5, 40);
        QWidget* W = Grid()->ClientWidget();
        QWheelEvent E(At, W->mapToGlobal(At), QPoint(), QPoint(0, Delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(W, &E);
    }
    QString Selected() const { return D->LineEdit()->selectedText(); }

    TCustomExGridDropDown* D = nullptr;
};

} // namespace

TEST_F(GridDropDownTest, ConstructionDefaults)
{
    EXPECT_EQ(D->GetVersionNr(), 0x06000101);
    EXPECT_EQ(D->ItemIndex(), -1);
    EXPECT_TRUE(D->UseItems());
    EXPECT_EQ(D->LookupMethod(), lmLookup);
    EXPECT_EQ(D->Style(), dsDropDown);
    EXPECT_EQ(D->DropDownRowHeight(), 22);
    EXPECT_EQ(D->HeaderHeight(), 25);
    EXPECT_EQ(D->LineColor(), TColor(0xF1EDEB));
    EXPECT_EQ(D->FixedLineColor(), TColor(0xD1BBA4));
    EXPECT_EQ(D->DropDownHeight(), 200);
    EXPECT_EQ(D->DropDownColor(), clWhite);
    EXPECT_EQ(D->Navigation()->HomeEndKey(), heFirstLastRow);
    ASSERT_NE(Grid(), nullptr);
    EXPECT_EQ(Grid()->Parent(), D->DropDownForm());
    EXPECT_EQ(Grid()->FixedRows(), 1);
    EXPECT_EQ(Grid()->FixedCols(), 0);
    EXPECT_TRUE(Grid()->FixedRowAlways());
    EXPECT_TRUE(Grid()->Options().Contains(goRowSelect));
    EXPECT_FALSE(Grid()->Options().Contains(goRangeSelect));
    D->SetStyle(dsDropDownList);
    EXPECT_FALSE(D->EditorEnabled());
}

TEST_F(GridDropDownTest, PopupHeightHoldsWholeRowsAndTheRowHeightIsAtLeastOne)
{
    Integer H = 200;
    D->AdjustDropDownHeight(H);
    EXPECT_EQ(H, 185);
    D->SetDropDownRowHeight(0);
    EXPECT_EQ(D->DropDownRowHeight(), 1);
    H = 100;
    D->AdjustDropDownHeight(H);
    EXPECT_EQ(H, 25 + 73 + 6);
}

TEST_F(GridDropDownTest, ColumnsFitThePopupWithTheErrorSum)
{
    struct Case {
        std::vector<Integer> Widths;
        Integer PopupWidth;
        std::vector<Integer> Expected;
    };
    const std::array<Case, 2> Cases = {{
        {{40, 40, 40, 40}, 191, {47, 47, 48, 47}},
        {{80, 80, 80}, 242, {80, 80, 80}},
    }};
    for (const Case& C : Cases) {
        D->Columns()->Clear();
        D->Items()->Clear();
        for (Integer W : C.Widths)
            D->Columns()->Add()->SetWidth(W);
        AddItem({"a", "b", "c", "d"});
        Open();
        D->DropDownForm()->SetBounds(D->DropDownForm()->Left(), D->DropDownForm()->Top(), C.PopupWidth, 185);
        ASSERT_FALSE(Grid()->RowsHidden());
        D->FitColumnsToDropDown();
        for (std::size_t I = 0; I < C.Expected.size(); ++I)
            EXPECT_EQ(Grid()->ColWidths(Integer(I)), C.Expected[I]) << C.PopupWidth << " column " << I;
        // The definitions keep their widths.
        EXPECT_EQ(D->Columns()->Items(0)->Width(), C.Widths[0]);
        D->HideDropDown(true);
    }
}

TEST_F(GridDropDownTest, ItemIndexInItemsMode)
{
    Fruit();
    D->SetItemIndex(1);
    EXPECT_EQ(D->Text(), QStringLiteral("Apple"));
    D->SetItemIndex(D->Items()->Count());
    EXPECT_EQ(D->ItemIndex(), 1);
    EXPECT_EQ(D->Text(), QStringLiteral("Apple"));
    D->SetItemIndex(-1);
    EXPECT_EQ(D->ItemIndex(), -1);
    EXPECT_EQ(D->Text(), QString());
    // An item without the lookup line shows the empty text.
    D->Items()->Add();
    D->SetItemIndex(3);
    EXPECT_EQ(D->ItemIndex(), 3);
    EXPECT_EQ(D->Text(), QString());
}

TEST_F(GridDropDownTest, ItemIndexInGridModeIsADataRow)
{
    D->SetUseItems(false);
    D->SetLookupColumn(1);
    TExColGrid* G = Grid();
    G->SetColCount(2);
    G->SetRowCount(4);
    for (Integer R = 1; R < 4; ++R) {
        G->SetCells(0, R, QString::number(R));
        G->SetCells(1, R, QStringLiteral("Row %1").arg(R));
    }
    D->SetItemIndex(1);
    EXPECT_EQ(D->ItemIndex(), 1);
    EXPECT_EQ(D->Text(), QStringLiteral("Row 2"));
    D->SetItemIndex(3);
    EXPECT_EQ(D->ItemIndex(), 1);
    D->SetItemIndex(-1);
    EXPECT_EQ(D->Text(), QString());
    // Opening finds the edit's text among the rows; the columns get
    // definitions as the grid has them.
    D->SetText(QStringLiteral("Row 3"));
    Open();
    EXPECT_EQ(G->Row(), 3);
    EXPECT_EQ(D->ItemIndex(), 2);
    EXPECT_EQ(D->Columns()->Count(), 2);
    Press(G, Qt::Key_Up);
    EXPECT_EQ(D->ItemIndex(), 1);
    EXPECT_EQ(D->Text(), QStringLiteral("Row 2"));
    Press(G, Qt::Key_Return);
    EXPECT_FALSE(D->DroppedDown());
    EXPECT_EQ(D->ItemIndex(), 1);
}

TEST_F(GridDropDownTest, OpeningFillsTheListWithItemIndexesInColumnZero)
{
    Fruit();
    D->Items()->Add()->Text()->Add(QStringLiteral("Date"));
    D->SetItemIndex(2);
    Open();
    TExColGrid* G = Grid();
    ASSERT_EQ(G->RowCount(), 5);
    EXPECT_EQ(G->ItemAt(0), -1);
    for (Integer R = 1; R < 5; ++R)
        EXPECT_EQ(G->ItemAt(R), R - 1);
    // An item with fewer lines than columns shows empty cells.
    EXPECT_EQ(G->Cells(1, 4), QString());
    EXPECT_EQ(G->Row(), 3);
    EXPECT_EQ(D->ItemIndex(), 2);
}

TEST_F(GridDropDownTest, AWheelStepMovesTheHighlightAndClosingKeepsTheChoice)
{
    Numbered(6);
    D->SetItemIndex(1);
    Open();
    EXPECT_EQ(Grid()->Row(), 2);
    Wheel(-120);
    EXPECT_GT(Grid()->Row(), 2);
    EXPECT_EQ(D->ItemIndex(), 1);
    EXPECT_EQ(D->Text(), QStringLiteral("Item 01"));
    D->HideDropDown(false);
    EXPECT_EQ(D->ItemIndex(), 1);
    EXPECT_EQ(D->Text(), QStringLiteral("Item 01"));
}

TEST_F(GridDropDownTest, AHeaderClickSortKeepsTheChosenItemCurrent)
{
    Fruit();
    D->SetSorting(gsSingleColumn);
    D->SetItemIndex(0);
    Open();
    ASSERT_EQ(Grid()->Row(), 1);
    Click(CellPoint(0, 0));
    EXPECT_EQ(Grid()->Cells(0, 1), QStringLiteral("Apple"));
    EXPECT_EQ(Grid()->Cells(0, 3), QStringLiteral("Cherry"));
    EXPECT_EQ(Grid()->Row(), 3);
    EXPECT_EQ(D->ItemIndex(), 0);
    EXPECT_EQ(D->Text(), QStringLiteral("Cherry"));
    // The row follows its item: a click chooses the item shown.
    Click(CellPoint(0, 1));
    EXPECT_FALSE(D->DroppedDown());
    EXPECT_EQ(D->ItemIndex(), 1);
    EXPECT_EQ(D->Text(), QStringLiteral("Apple"));
}

TEST_F(GridDropDownTest, KeysInTheClosedEditMoveTheChoice)
{
    Numbered(12);
    struct Case {
        TDropDownStyle Style;
        Integer From;
        Qt::Key Key;
        Integer Expected;
    };
    const std::array<Case, 16> Cases = {{
        {dsDropDown, 5, Qt::Key_PageDown, 11},
        {dsDropDown, 0, Qt::Key_PageDown, 10},
        {dsDropDown, -1, Qt::Key_PageDown, 0},
        {dsDropDown, 11, Qt::Key_PageUp, 1},
        {dsDropDown, 5, Qt::Key_PageUp, 0},
        {dsDropDown, -1, Qt::Key_PageUp, 0},
        {dsDropDown, -1, Qt::Key_Up, 0},
        {dsDropDown, 0, Qt::Key_Up, 0},
        {dsDropDown, 4, Qt::Key_Up, 3},
        {dsDropDown, -1, Qt::Key_Down, 0},
        {dsDropDown, 4, Qt::Key_Down, 5},
        {dsDropDown, 11, Qt::Key_Down, 11},
        {dsDropDown, 4, Qt::Key_Home, 4},
        {dsDropDown, 4, Qt::Key_End, 4},
        {dsDropDownList, 4, Qt::Key_Home, 0},
        {dsDropDownList, 4, Qt::Key_End, 11},
    }};
    D->SetFocus();
    for (const Case& C : Cases) {
        D->SetStyle(C.Style);
        D->SetItemIndex(C.From);
        Press(D, C.Key);
        EXPECT_EQ(D->ItemIndex(), C.Expected) << C.From << " key " << C.Key;
    }
}

TEST_F(GridDropDownTest, EnterAClickAndEscapeInTheList)
{
    Fruit();
    Integer Selects = 0;
    D->OnSelect = [&](TObject*) { ++Selects; };
    D->SetItemIndex(0);
    Open();
    Press(Grid(), Qt::Key_Down);
    EXPECT_EQ(D->ItemIndex(), 1);
    EXPECT_EQ(D->Text(), QStringLiteral("Apple"));
    Press(Grid(), Qt::Key_Return);
    EXPECT_FALSE(D->DroppedDown());
    EXPECT_EQ(D->ItemIndex(), 1);
    EXPECT_EQ(Selects, 1);

    Open();
    Click(CellPoint(0, 3));
    EXPECT_FALSE(D->DroppedDown());
    EXPECT_EQ(D->ItemIndex(), 2);
    EXPECT_EQ(D->Text(), QStringLiteral("Banana"));
    EXPECT_EQ(Selects, 2);

    Open();
    Press(Grid(), Qt::Key_Up);
    EXPECT_EQ(D->ItemIndex(), 1);
    Press(Grid(), Qt::Key_Escape);
    EXPECT_FALSE(D->DroppedDown());
    EXPECT_EQ(D->ItemIndex(), 2);
    EXPECT_EQ(D->Text(), QStringLiteral("Banana"));
    EXPECT_EQ(Selects, 2);
}

TEST_F(GridDropDownTest, EnteringAgainRemovesTheListsFilters)
{
    Fruit();
    D->SetLookupMethod(lmNarrowDown);
    Open();
    QTest::keyClick(Grid()->Handle(), 'a');
    EXPECT_GT(Grid()->FilterLevel(), 0);
    D->HideDropDown(true);
    auto* Other = Make<TEdit>(20, 100);
    Other->SetFocus();
    D->SetFocus();
    QApplication::processEvents();
    EXPECT_EQ(Grid()->FilterLevel(), 0);
    EXPECT_EQ(Grid()->RowCount(), 4);
    EXPECT_EQ(D->LookupEntry(), QString());
}

TEST_F(GridDropDownTest, TheListsEventsReachTheDropDown)
{
    Fruit();
    std::vector<TObject*> AlignmentSenders, KeySenders;
    bool BlockedInHandler = false;
    D->OnGridGetAlignment = [&](TObject* S, Integer, Integer, TAlignment&, TVAlignment&) {
        AlignmentSenders.push_back(S);
    };
    D->OnGridKeyDown = [&](TObject* S, Word&, TShiftState) { KeySenders.push_back(S); };
    D->OnGridAnchorClick = [&](TObject*, Integer, Integer, const String&, bool&) {
        BlockedInHandler = D->DropDownForm()->BlockActivate();
    };
    D->Columns()->Items(1)->SetAlignment(taRightJustify);
    D->Columns()->Items(1)->SetColor(TColor(0x00FF00));
    Open();
    TExColGrid* G = Grid();
    TAlignment HA = taLeftJustify;
    TVAlignment VA = vtaTop;
    G->OnGetAlignment(G, 1, 1, HA, VA);
    EXPECT_EQ(HA, taRightJustify);
    TBrush Brush;
    TFont Font;
    G->OnGetCellColor(G, 1, 1, TGridDrawState{}, &Brush, &Font);
    EXPECT_EQ(Brush.Color(), TColor(0x00FF00));
    Press(G, Qt::Key_Down);
    ASSERT_FALSE(AlignmentSenders.empty());
    EXPECT_EQ(std::count(AlignmentSenders.begin(), AlignmentSenders.end(), G), Integer(AlignmentSenders.size()));
    EXPECT_EQ(KeySenders, std::vector<TObject*>{D});
    bool Auto = true;
    G->OnAnchorClick(G, 1, 0, QStringLiteral("a"), Auto);
    EXPECT_TRUE(BlockedInHandler);
    EXPECT_FALSE(D->DropDownForm()->BlockActivate());
    EXPECT_TRUE(D->DroppedDown());
}

TEST_F(GridDropDownTest, ComponentStylesAndSelectionPresets)
{
    struct Case {
        TQVXStyle Style;
        TColor Header, HeaderTo, Line, FixedLine, SelectionText;
    };
    const std::array<Case, 5> Cases = {{
        {tsOffice2003Blue, 0xD68759, 0x933803, 0x962D00, 0x962D00, clBlack},
        {tsWindowsXP, clBtnFace, clBtnFace, clSilver, clBlack, TColor(0xFF00000E)},
        {tsWindowsVista, 0xFFFDF9, 0xFFFAF0, 0xFCF2DA, 0xFCF2DA, clBlack},
        {tsWindows7, 0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFBD6B8, clBlack},
        {tsTerminal, clBtnFace, clBtnFace, 0x808080, 0x808080, TColor(0xFF00000E)},
    }};
    for (const Case& C : Cases) {
        D->SetComponentStyle(C.Style);
        EXPECT_EQ(D->HeaderColor(), C.Header) << C.Style;
        EXPECT_EQ(D->HeaderColorTo(), C.HeaderTo) << C.Style;
        // The style's line colours win over its preset's.
        EXPECT_EQ(D->LineColor(), C.Line) << C.Style;
        EXPECT_EQ(D->FixedLineColor(), C.FixedLine) << C.Style;
        EXPECT_EQ(D->SelectionTextColor(), C.SelectionText) << C.Style;
    }
    // tsCustom changes nothing of the list.
    D->SetComponentStyle(tsCustom);
    EXPECT_EQ(D->LineColor(), TColor(0x808080));
    D->SetSelectionColorStyle(scWindows7);
    EXPECT_EQ(D->LineColor(), TColor(0xECECF0));
    EXPECT_EQ(D->FixedLineColor(), TColor(0xD4D2D1));
    D->SetSelectionColorStyle(scOffice2007);
    EXPECT_EQ(D->LineColor(), TColor(0xF1EDEB));
    EXPECT_EQ(D->FixedLineColor(), TColor(0xD1BBA4));
}

// ---------------------------------------------------------------- lookup

namespace {

class GridDropDownLookupTest : public GridDropDownTest {
protected:
    void Letters()
    {
        AddColumns({80});
        AddItem({"Alpha"});
        AddItem({"beta"});
        AddItem({"Bravo"});
        AddItem({"Xray"});
        D->EndUpdate();
    }
};

} // namespace

TEST_F(GridDropDownLookupTest, TypingBChoosesTheFirstPrefixMatchWithTheRestSelected)
{
    Letters();
    D->SetFocus();
    TypeText(D, QStringLiteral("b"));
    EXPECT_EQ(D->ItemIndex(), 1);
    EXPECT_EQ(D->Text(), QStringLiteral("beta"));
    EXPECT_EQ(Selected(), QStringLiteral("eta"));
    // Releasing the key applies the completed item and keeps the rest selected.
    EXPECT_EQ(D->LineEdit()->selectionStart(), 1);
}

TEST_F(GridDropDownLookupTest, AListOnlyDropDownRestartsWithTheLastCharacter)
{
    Letters();
    D->SetStyle(dsDropDownList);
    D->SetFocus();
    TypeText(D, QStringLiteral("b"));
    EXPECT_EQ(D->ItemIndex(), 1);
    EXPECT_EQ(D->LookupEntry(), QStringLiteral("b"));
    TypeText(D, QStringLiteral("x"));
    EXPECT_EQ(D->ItemIndex(), 3);
    EXPECT_EQ(D->Text(), QStringLiteral("Xray"));
    EXPECT_EQ(D->LookupEntry(), QStringLiteral("x"));
    TypeText(D, QStringLiteral("q"));
    EXPECT_EQ(D->LookupEntry(), QString());
    EXPECT_EQ(D->ItemIndex(), 3);
}

TEST_F(GridDropDownLookupTest, NarrowingFollowsTheTypedTextAndAnEmptyTextRemovesTheFilters)
{
    Letters();
    D->SetLookupMethod(lmNarrowDown);
    Open();
    TExColGrid* G = Grid();
    QTest::keyClick(G->Handle(), 'b');
    EXPECT_EQ(G->RowCount(), 3);
    EXPECT_EQ(G->Cells(0, 1), QStringLiteral("beta"));
    EXPECT_EQ(D->Text(), QStringLiteral("beta"));
    QTest::keyClick(G->Handle(), 'r');
    EXPECT_EQ(G->RowCount(), 2);
    EXPECT_EQ(G->Cells(0, 1), QStringLiteral("Bravo"));
    EXPECT_EQ(D->ItemIndex(), 2);
    // Backspace takes the selected rest first, then the typed characters.
    EXPECT_EQ(D->LookupChar(QChar(8)), -1);
    EXPECT_EQ(D->Text(), QStringLiteral("Br"));
    EXPECT_EQ(D->LookupChar(QChar(8)), -1);
    EXPECT_EQ(D->LookupEntry(), QStringLiteral("b"));
    EXPECT_EQ(D->LookupChar(QChar(8)), -1);
    EXPECT_EQ(D->LookupEntry(), QString());
    EXPECT_EQ(D->LookupChar(QChar(9)), G->FixedRows());
    EXPECT_FALSE(G->FilterActive());
    EXPECT_EQ(G->RowCount(), 5);
}

TEST_F(GridDropDownLookupTest, FindLookupRow)
{
    AddColumns({80});
    AddItem({"Alpha"});
    AddItem({"Beta"});
    D->Items()->Add();
    String Found = QStringLiteral("x");
    Integer Row = 7;
    EXPECT_TRUE(D->FindLookupRow(QStringLiteral("be"), Found, Row));
    EXPECT_EQ(Found, QStringLiteral("Beta"));
    EXPECT_EQ(Row, 1);
    EXPECT_FALSE(D->FindLookupRow(QString(), Found, Row));
    EXPECT_EQ(Found, QString());
    EXPECT_EQ(Row, -1);
    D->SetCaseSensitive(true);
    EXPECT_FALSE(D->FindLookupRow(QStringLiteral("be"), Found, Row));
    // Grid mode answers the grid row.
    D->SetUseItems(false);
    Grid()->SetColCount(1);
    Grid()->SetRowCount(3);
    Grid()->SetCells(0, 2, QStringLiteral("Gamma"));
    EXPECT_TRUE(D->FindLookupRow(QStringLiteral("Ga"), Found, Row));
    EXPECT_EQ(Row, 2);
}

TEST_F(GridDropDownLookupTest, CompletionAppendsAtMost255AndKeepsItsSelection)
{
    AddColumns({80});
    const String Long = QStringLiteral("k") + String(400, u'z');
    D->Items()->Add()->Text()->Add(Long);
    D->EndUpdate();
    // Without the typed lookup, which would show the whole text at once.
    D->SetLookupMethod(lmNone);
    D->SetFocus();
    QTest::keyPress(D->Handle(), 'k');
    EXPECT_EQ(D->Text().size(), 1 + 255);
    EXPECT_EQ(Selected().size(), 255);
    EXPECT_EQ(D->ItemIndex(), 0);
    // The key's release applies the item: its text as stored.
    QTest::keyRelease(D->Handle(), 'k');
    EXPECT_EQ(D->Text(), Long);
    EXPECT_EQ(D->LineEdit()->selectionStart(), 1);
    EXPECT_EQ(Selected().size(), Long.size() - 1);
}

TEST_F(GridDropDownLookupTest, TheCompletionsOwnRewriteKeepsItsRecord)
{
    Letters();
    D->SetFocus();
    // Between the typed change and the key's release the completed part
    // stays selected.
    QTest::keyPress(D->Handle(), 'b');
    EXPECT_EQ(D->Text(), QStringLiteral("beta"));
    EXPECT_EQ(Selected(), QStringLiteral("eta"));
    QTest::keyRelease(D->Handle(), 'b');
    EXPECT_EQ(D->ItemIndex(), 1);
    EXPECT_EQ(Selected(), QStringLiteral("eta"));
}

TEST_F(GridDropDownLookupTest, EnterTakesTheStoredFormAndEscapeTheListsPosition)
{
    Letters();
    D->SetFocus();
    D->SetText(QStringLiteral("BRAVO"));
    Press(D, Qt::Key_Return);
    EXPECT_EQ(D->Text(), QStringLiteral("Bravo"));
    EXPECT_EQ(D->ItemIndex(), 2);
    D->SetCanUndo(false);
    D->SetText(QStringLiteral("xray"));
    Press(D, Qt::Key_Escape);
    EXPECT_EQ(D->ItemIndex(), 3);
    EXPECT_EQ(D->Text(), QStringLiteral("Xray"));
    D->SetText(QStringLiteral("nothing"));
    Press(D, Qt::Key_Escape);
    EXPECT_EQ(D->ItemIndex(), -1);
    EXPECT_EQ(D->Text(), QString());
}
