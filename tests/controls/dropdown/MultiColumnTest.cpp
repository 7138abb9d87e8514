// The multi-column drop-down: the chosen item and its steps, sizing and
// fitting of the pop-up, choosing in the list, completion in the edit, the
// presets and the drawing of the list's cells.
#include "controls/dropdown/ExMultiColumnDropDown.h"

#include "DropDownFixture.h"

#include "rtl/ImgList.h"

#include <QWheelEvent>

#include <array>
#include <vector>

using namespace exmulticolumn;

namespace {

class MultiColumnTest : public DropDownFixture {
protected:
    void SetUp() override
    {
        FormWidth = 700;
        FormHeight = 400;
        DropDownFixture::SetUp();
        ShowForm();
        M = MakeDropDown<TExMultiColumnDropDown>();
    }
    void AddColumns(std::initializer_list<Integer> Widths)
    {
        for (Integer W : Widths)
            M->Columns()->Add()->SetWidth(W);
    }
    void AddItem(std::initializer_list<const char*> Texts, Integer ImageIndex = -1)
    {
        TDropDownItem* Item = M->Items()->Add();
        for (const char* S : Texts)
            Item->Text()->Add(QString::fromUtf8(S));
        Item->SetImageIndex(ImageIndex);
    }
    void AddNumberedItems(Integer Count)
    {
        for (Integer I = 0; I < Count; ++I)
            M->Items()->Add()->Text()->Add(QStringLiteral("Item %1").arg(I));
    }
    // Fruit in the lookup column 0, a number in column 1.
    void Fruit()
    {
        AddColumns({80, 60});
        AddItem({"Apple", "1"});
        AddItem({"Banana", "2"});
        AddItem({"Berry", "3"});
        AddItem({"Cherry", "4"});
        AddItem({"Xigua", "5"});
        M->EndUpdate();
    }
    void Open()
    {
        M->SetFocus();
        M->ShowDropDown();
        ASSERT_TRUE(M->DroppedDown());
    }
    TExColGrid* Grid() const { return M->ExColGrid(); }
    // A client point of the list in the middle of data row Row.
    QPoint RowPoint(Integer Row) const
    {
        const TRect R = Grid()->CellRect(0, Row);
        return {R.Left + 5, (R.Top + R.Bottom) / 2};
    }
    void Wheel(Integer Delta)
    {
        const QPoint At(5, 40);
        QWidget* W = Grid()->ClientWidget();
        QWheelEvent E(At, W->mapToGlobal(At), QPoint(), QPoint(0, Delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(W, &E);
    }
    // The list as the screen shows it, in the list's client coordinates.
    QImage GrabList() const { return Grid()->ClientWidget()->grab().toImage(); }
    static TColor Pixel(const QImage& I, Integer X, Integer Y)
    {
        const QRgb P = I.pixel(X, Y);
        return TColor(qRed(P) | (qGreen(P) << 8) | (qBlue(P) << 16));
    }

    TExMultiColumnDropDown* M = nullptr;
};

// Records LineColor each time a selection preset is applied.
class RecordingDropDown : public TExMultiColumnDropDown {
public:
    using TExMultiColumnDropDown::TExMultiColumnDropDown;
    void SetSelectionColorStyle(TSelectionColorStyle Value) override
    {
        LineColorsBefore.push_back(LineColor());
        TExMultiColumnDropDown::SetSelectionColorStyle(Value);
    }
    std::vector<TColor> LineColorsBefore;
};

} // namespace

TEST_F(MultiColumnTest, ConstructionDefaults)
{
    EXPECT_EQ(M->ItemIndex(), -1);
    EXPECT_EQ(M->LookupColumn(), 0);
    EXPECT_TRUE(M->DropDownAutoWidth());
    EXPECT_TRUE(M->ColumnSizeWithDropDown());
    EXPECT_FALSE(M->ColumnSizing());
    EXPECT_EQ(M->DropDownRowHeight(), 22);
    EXPECT_EQ(M->HeaderHeight(), 25);
    EXPECT_EQ(M->HeaderColor(), clWhite);
    EXPECT_EQ(M->HeaderColorTo(), TColor(0x808080));
    EXPECT_EQ(M->LineColor(), TColor(0xF1EDEB));
    EXPECT_EQ(M->FixedLineColor(), TColor(0xD1BBA4));
    EXPECT_EQ(M->SelectionTextColor(), clBlack);
    EXPECT_EQ(M->DropDownHeight(), 200);
    EXPECT_EQ(M->DropDownColor(), clWhite);
    EXPECT_TRUE(M->MatchStart());
    EXPECT_FALSE(M->MatchCase());
    ASSERT_NE(Grid(), nullptr);
    EXPECT_EQ(Grid()->Parent(), M->DropDownForm());
    EXPECT_FALSE(Grid()->DefaultDrawing());

    auto* R = NewObject<RecordingDropDown>(Form.get());
    ASSERT_FALSE(R->LineColorsBefore.empty());
    // The control's own defaults come before its preset.
    EXPECT_EQ(R->LineColorsBefore.back(), TColor(0xC0C0C0));
    EXPECT_EQ(R->LineColor(), TColor(0xF1EDEB));
}

TEST_F(MultiColumnTest, RowHeightBelowOneIsStoredAsOne)
{
    M->SetDropDownRowHeight(0);
    EXPECT_EQ(M->DropDownRowHeight(), 1);
    M->SetDropDownRowHeight(-5);
    EXPECT_EQ(M->DropDownRowHeight(), 1);
    Integer H = 100;
    M->AdjustDropDownHeight(H);
    EXPECT_EQ(H, 100);
}

TEST_F(MultiColumnTest, ItemIndexSetsTheLookupText)
{
    Fruit();
    AddItem({});
    M->SetItemIndex(1);
    EXPECT_EQ(M->Text(), QStringLiteral("Banana"));
    M->SetItemIndex(M->Items()->Count());
    EXPECT_EQ(M->ItemIndex(), 1);
    EXPECT_EQ(M->Text(), QStringLiteral("Banana"));
    M->SetItemIndex(-1);
    EXPECT_EQ(M->ItemIndex(), -1);
    EXPECT_EQ(M->Text(), QString());
    // An item without a string in the lookup column gives an empty text.
    M->SetItemIndex(5);
    EXPECT_EQ(M->ItemIndex(), 5);
    EXPECT_EQ(M->Text(), QString());
    M->SetLookupColumn(1);
    M->SetItemIndex(3);
    EXPECT_EQ(M->Text(), QStringLiteral("4"));
    M->SetLookupColumn(-1);
    M->SetItemIndex(2);
    EXPECT_EQ(M->Text(), QString());
}

TEST_F(MultiColumnTest, FindingItemsByText)
{
    Fruit();
    AddItem({"Short"});
    EXPECT_EQ(M->GetItemIndex(QStringLiteral("Berry")), 2);
    EXPECT_EQ(M->GetItemIndex(QStringLiteral("berry")), -1);
    EXPECT_EQ(M->Items()->IndexInColumn(1, QStringLiteral("4")), 3);
    // The short item has no second string and never matches there.
    EXPECT_EQ(M->Items()->IndexInColumn(1, QString()), -1);
    EXPECT_EQ(M->Items()->IndexInColumn(7, QStringLiteral("1")), -1);
}

TEST_F(MultiColumnTest, SteppingTheItemIndex)
{
    AddNumberedItems(100);
    struct Case {
        const char* Name;
        Integer From;
        void (*Step)(TExMultiColumnDropDown*);
        Integer Expected;
    };
    const std::array<Case, 14> Cases = {{
        {"previous page from 15", 15, [](TExMultiColumnDropDown* D) { D->SelectPreviousPage(); }, 5},
        {"previous page from 7", 7, [](TExMultiColumnDropDown* D) { D->SelectPreviousPage(); }, 0},
        {"previous page from none", -1, [](TExMultiColumnDropDown* D) { D->SelectPreviousPage(); }, 0},
        {"next page from 95", 95, [](TExMultiColumnDropDown* D) { D->SelectNextPage(); }, 99},
        {"next page from 20", 20, [](TExMultiColumnDropDown* D) { D->SelectNextPage(); }, 30},
        {"next page from none", -1, [](TExMultiColumnDropDown* D) { D->SelectNextPage(); }, 0},
        {"next from none", -1, [](TExMultiColumnDropDown* D) { D->SelectNextItem(); }, 0},
        {"next at the end", 99, [](TExMultiColumnDropDown* D) { D->SelectNextItem(); }, 99},
        {"next from 4", 4, [](TExMultiColumnDropDown* D) { D->SelectNextItem(); }, 5},
        {"previous from none", -1, [](TExMultiColumnDropDown* D) { D->SelectPreviousItem(); }, 0},
        {"previous at 0", 0, [](TExMultiColumnDropDown* D) { D->SelectPreviousItem(); }, 0},
        {"previous from 4", 4, [](TExMultiColumnDropDown* D) { D->SelectPreviousItem(); }, 3},
        {"first", 50, [](TExMultiColumnDropDown* D) { D->SelectFirstItem(); }, 0},
        {"last", 50, [](TExMultiColumnDropDown* D) { D->SelectLastItem(); }, 99},
    }};
    for (const Case& C : Cases) {
        M->SetItemIndex(C.From);
        C.Step(M);
        EXPECT_EQ(M->ItemIndex(), C.Expected) << C.Name;
    }
    EXPECT_EQ(M->Text(), QStringLiteral("Item 99"));
}

TEST_F(MultiColumnTest, KeysInTheClosedEditStepTheItem)
{
    Fruit();
    M->SetFocus();
    Press(M, Qt::Key_Down);
    EXPECT_EQ(M->ItemIndex(), 0);
    Press(M, Qt::Key_Down);
    EXPECT_EQ(M->Text(), QStringLiteral("Banana"));
    Press(M, Qt::Key_Up);
    EXPECT_EQ(M->ItemIndex(), 0);
    Press(M, Qt::Key_PageDown);
    EXPECT_EQ(M->ItemIndex(), 4);
    // Home and End step only when the edit cannot be typed into.
    Press(M, Qt::Key_Home);
    EXPECT_EQ(M->ItemIndex(), 4);
    M->SetEditorEnabled(false);
    Press(M, Qt::Key_Home);
    EXPECT_EQ(M->ItemIndex(), 0);
    Press(M, Qt::Key_End);
    EXPECT_EQ(M->ItemIndex(), 4);
}

TEST_F(MultiColumnTest, PopupHeightHoldsWholeRows)
{
    Integer H = 200;
    M->AdjustDropDownHeight(H);
    EXPECT_EQ(H, 25 + 7 * 22 + 2);
    M->DropDownHeader()->SetVisible(true);
    const Integer Bar = M->DropDownHeader()->Height();
    H = 200;
    M->AdjustDropDownHeight(H);
    EXPECT_EQ(H, Bar + 25 + ((200 - Bar - 27) / 22) * 22 + 2);
}

TEST_F(MultiColumnTest, ColumnsFitThePopupWithTheCarry)
{
    struct Case {
        std::vector<Integer> Widths;
        Integer PopupWidth;
        std::vector<Integer> Expected;
    };
    const std::array<Case, 3> Cases = {{
        {{80, 80, 80}, 300, {100, 100, 100}},
        // 618 / 501 makes each 123.35: the carry passes 1 at the third.
        {{100, 100, 100, 100, 100}, 618, {123, 123, 124, 123, 123}},
        // A negative width counts as 0.
        {{-20, 99}, 200, {0, 198}},
    }};
    for (const Case& C : Cases) {
        M->Columns()->Clear();
        for (Integer W : C.Widths)
            M->Columns()->Add()->SetWidth(W);
        M->Items()->Clear();
        AddItem({"a", "b"});
        M->SetDropDownAutoWidth(false);
        M->SetDropDownWidth(C.PopupWidth);
        Open();
        ASSERT_EQ(M->DropDownForm()->Width(), C.PopupWidth);
        for (std::size_t I = 0; I < C.Expected.size(); ++I)
            EXPECT_EQ(Grid()->ColWidths(Integer(I)), C.Expected[I]) << C.PopupWidth << " column " << I;
        M->HideDropDown(true);
    }
}

TEST_F(MultiColumnTest, AutomaticWidthFollowsTheList)
{
    AddColumns({60, 70});
    AddItem({"a", "b"});
    M->SetColumnSizeWithDropDown(false);
    Open();
    EXPECT_EQ(Grid()->GetOptimalWidth(), 130);
    EXPECT_EQ(M->DropDownForm()->Width(), 130 + 2 * M->DropDownBorderWidth());
    M->HideDropDown(true);
    // Rows that do not all fit add a vertical scroll bar (on a drop-down
    // that has no size left by the user).
    M = MakeDropDown<TExMultiColumnDropDown>(20, 60);
    AddColumns({60, 70});
    AddNumberedItems(30);
    M->SetColumnSizeWithDropDown(false);
    Open();
    EXPECT_EQ(M->DropDownForm()->Width(), 130 + GetSystemMetrics(SM_CXVSCROLL) + 2 * M->DropDownBorderWidth());
}

TEST_F(MultiColumnTest, AutomaticColumnWidthsAndWrappedRowHeights)
{
    auto* Images = new TImageList(Form.get(), 16, 30);
    TBitmap Picture(16, 30);
    Images->Add(&Picture, nullptr);
    M->SetImages(Images);
    AddColumns({40, 50, 60});
    M->Columns()->Items(0)->SetAutoSize(true);
    M->Columns()->Items(1)->SetColumnType(ctImage);
    M->Columns()->Items(1)->SetAutoSize(true);
    M->Columns()->Items(2)->SetWordwrap(true);
    AddItem({"Wide text here", "", "short"}, 0);
    AddItem({"x", "img", "many words that wrap over several lines in sixty pixels"}, 0);
    AddItem({"y", "", ""}, -1);
    M->SetColumnSizeWithDropDown(false);
    Open();
    TBitmap Measure(1, 1);
    Measure.Canvas()->Font()->Assign(M->Columns()->Items(0)->Font());
    const Integer TextWide = Measure.Canvas()->TextWidth(QStringLiteral("Wide text here")) + 6;
    EXPECT_EQ(Grid()->ColWidths(0), TextWide);
    // The list's copy of the column takes the width.
    EXPECT_EQ(Grid()->Columns()->Items(0)->Width(), TextWide);
    EXPECT_EQ(M->Columns()->Items(0)->Width(), 40);
    // The image column: image + 4, and its text + 6 beside it.
    const Integer ImageAndText = 16 + 4 + Measure.Canvas()->TextWidth(QStringLiteral("img")) + 6;
    EXPECT_EQ(Grid()->ColWidths(1), ImageAndText);
    // Word-wrapped rows: at least 24, more for text over several lines.
    EXPECT_EQ(Grid()->RowHeights(1), 24);
    EXPECT_GT(Grid()->RowHeights(2), 2 * Measure.Canvas()->TextHeight(QStringLiteral("m")) + 6);
    EXPECT_EQ(Grid()->RowHeights(3), 24);
    EXPECT_EQ(Grid()->RowHeights(0), 25);
}

TEST_F(MultiColumnTest, TypingInTheOpenListSearchesTheLookupColumn)
{
    Fruit();
    Open();
    TWinControl* List = Grid();
    struct Step {
        char Key;
        const char* Entry;
        Integer Item;
    };
    const std::array<Step, 6> Steps = {{
        {'b', "b", 1},
        {'e', "be", 2},
        // "bex" continues nothing, "x" starts Xigua.
        {'x', "x", 4},
        // Nothing starts with "q": the entry is cleared, the item stays.
        {'q', "", 4},
        {'C', "C", 3},
        {'h', "Ch", 3},
    }};
    for (const Step& S : Steps) {
        QTest::keyClick(List->Handle(), S.Key);
        EXPECT_EQ(M->LookupEntry(), QString::fromLatin1(S.Entry)) << S.Key;
        EXPECT_EQ(M->ItemIndex(), S.Item) << S.Key;
        EXPECT_EQ(Grid()->Row(), S.Item + 1) << S.Key;
    }
    // The typed part stays, the rest is selected.
    EXPECT_EQ(M->Text(), QStringLiteral("Cherry"));
    EXPECT_EQ(M->SelStart(), 2);
    EXPECT_EQ(M->SelLength(), 4);
    M->SetCaseSensitive(true);
    QTest::keyClick(List->Handle(), 'a');
    EXPECT_EQ(M->LookupEntry(), QString());
}

TEST_F(MultiColumnTest, AWheelStepMovesTheHighlightWithoutChoosing)
{
    Fruit();
    M->SetItemIndex(1);
    Open();
    EXPECT_EQ(Grid()->Row(), 2);
    Wheel(-120);
    EXPECT_EQ(Grid()->Row(), 3);
    EXPECT_EQ(M->ItemIndex(), 1);
    EXPECT_FALSE(Grid()->ConfirmSelection());
    // Closing without a key or a click keeps the item.
    M->HideDropDown(false);
    EXPECT_EQ(M->ItemIndex(), 1);
    EXPECT_EQ(M->Text(), QStringLiteral("Banana"));
}

TEST_F(MultiColumnTest, EnterAClickAndEscapeClose)
{
    Fruit();
    Integer Selects = 0;
    M->OnSelect = [&](TObject*) { ++Selects; };
    M->SetItemIndex(0);
    Open();
    Press(Grid(), Qt::Key_Down);
    EXPECT_EQ(M->ItemIndex(), 1);
    EXPECT_EQ(M->Text(), QStringLiteral("Banana"));
    Press(Grid(), Qt::Key_Return);
    EXPECT_FALSE(M->DroppedDown());
    EXPECT_EQ(M->ItemIndex(), 1);
    EXPECT_EQ(Selects, 1);

    Open();
    QTest::mouseClick(Grid()->ClientWidget(), Qt::LeftButton, {}, RowPoint(4));
    EXPECT_FALSE(M->DroppedDown());
    EXPECT_EQ(M->ItemIndex(), 3);
    EXPECT_EQ(M->Text(), QStringLiteral("Cherry"));
    EXPECT_EQ(Selects, 2);

    Open();
    Press(Grid(), Qt::Key_Up);
    Press(Grid(), Qt::Key_Up);
    EXPECT_EQ(M->ItemIndex(), 1);
    Press(Grid(), Qt::Key_Escape);
    EXPECT_FALSE(M->DroppedDown());
    EXPECT_EQ(M->ItemIndex(), 3);
    EXPECT_EQ(M->Text(), QStringLiteral("Cherry"));
    EXPECT_EQ(Selects, 2);
}

TEST_F(MultiColumnTest, ReturnIsTabMovesTheFocusAndDropsEnter)
{
    Fruit();
    auto* Next = Make<TEdit>(20, 100);
    M->SetReturnIsTab(true);
    std::vector<int> Pressed;
    M->OnKeyPress = [&](TObject*, Char& Key) { Pressed.push_back(Key.unicode()); };
    M->SetFocus();
    QApplication::processEvents();
    Press(M, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_TRUE(Next->Focused());
    EXPECT_TRUE(Pressed.empty());
}

TEST_F(MultiColumnTest, EscapeInTheEditKeepsOnlyALookupEntry)
{
    Fruit();
    M->SetCanUndo(false);
    M->SetFocus();
    TypeText(M, QStringLiteral("zz"));
    EXPECT_EQ(M->Text(), QStringLiteral("zz"));
    Press(M, Qt::Key_Escape);
    EXPECT_EQ(M->Text(), QString());
    EXPECT_EQ(M->ItemIndex(), -1);
    M->SetText(QStringLiteral("berry"));
    Press(M, Qt::Key_Escape);
    EXPECT_EQ(M->ItemIndex(), 2);
    EXPECT_EQ(M->Text(), QStringLiteral("Berry"));
}

TEST_F(MultiColumnTest, CompletionUsesTheLookupListOfTheLastEndUpdate)
{
    AddColumns({80});
    AddItem({"Apple"});
    M->EndUpdate();
    AddItem({"Berry"});
    M->SetFocus();
    TypeText(M, QStringLiteral("b"));
    EXPECT_EQ(M->Text(), QStringLiteral("b"));
    EXPECT_EQ(M->ItemIndex(), -1);
    M->EndUpdate();
    M->SetText(QString());
    TypeText(M, QStringLiteral("be"));
    EXPECT_EQ(M->ItemIndex(), 1);
    EXPECT_EQ(M->Text(), QStringLiteral("Berry"));
    EXPECT_EQ(M->SelStart(), 2);
    EXPECT_EQ(M->SelLength(), 3);
    // Backspace switches completion off.
    Press(M, Qt::Key_Backspace);
    EXPECT_EQ(M->Text(), QStringLiteral("Be"));
    M->SetMatchCase(true);
    M->SetText(QString());
    TypeText(M, QStringLiteral("a"));
    EXPECT_EQ(M->Text(), QStringLiteral("a"));
    // Loading rebuilds the list too.
    AddItem({"cherry"});
    M->Loaded();
    M->SetText(QString());
    TypeText(M, QStringLiteral("ch"));
    EXPECT_EQ(M->ItemIndex(), 2);
}

TEST_F(MultiColumnTest, EnterTakesTheLookupEntryAsStored)
{
    Fruit();
    M->SetFocus();
    M->SetText(QStringLiteral("cherry"));
    Press(M, Qt::Key_Return);
    EXPECT_EQ(M->Text(), QStringLiteral("Cherry"));
    EXPECT_EQ(M->ItemIndex(), 3);
}

TEST_F(MultiColumnTest, ChoosingAnItemWhoseTextStartsAnEarlierOneKeepsIt)
{
    AddColumns({80});
    AddItem({"Abbey"});
    AddItem({"Ab"});
    M->EndUpdate();
    M->SetItemIndex(1);
    EXPECT_EQ(M->ItemIndex(), 1);
    EXPECT_EQ(M->Text(), QStringLiteral("Ab"));
}

TEST_F(MultiColumnTest, AssignCopiesTheListSettings)
{
    Fruit();
    M->SetItemIndex(2);
    M->SetHeaderHeight(30);
    M->SetLookupColumn(1);
    M->SetCaseSensitive(true);
    auto* Other = MakeDropDown<TExMultiColumnDropDown>(20, 60);
    Other->Assign(M);
    EXPECT_EQ(Other->Items()->Count(), 5);
    EXPECT_EQ(Other->Columns()->Count(), 2);
    EXPECT_EQ(Other->Columns()->Items(1)->Width(), 60);
    EXPECT_EQ(Other->ItemIndex(), 2);
    EXPECT_EQ(Other->HeaderHeight(), 30);
    EXPECT_EQ(Other->LookupColumn(), 1);
    EXPECT_TRUE(Other->CaseSensitive());
    EXPECT_EQ(Other->Items()->Items(3)->Text()->Strings(0), QStringLiteral("Cherry"));
}

TEST_F(MultiColumnTest, SelectionPresets)
{
    M->SetSelectionColorStyle(scWindows7);
    EXPECT_EQ(M->LineColor(), TColor(0xECECF0));
    EXPECT_EQ(M->FixedLineColor(), TColor(0xD4D2D1));
    M->SetLineColor(TColor(0x123456));
    M->SetSelectionColorStyle(scCustom);
    EXPECT_EQ(M->LineColor(), TColor(0x123456));
    M->SetSelectionColorStyle(scOffice2007);
    EXPECT_EQ(M->LineColor(), TColor(0xF1EDEB));
    EXPECT_EQ(M->FixedLineColor(), TColor(0xD1BBA4));
}

TEST_F(MultiColumnTest, ComponentStyles)
{
    constexpr TColor Unchanged = TColor(0x00ABCDEF);
    struct Row {
        TQVXStyle Style;
        TColor Header, HeaderTo, HeaderFont, Line, FixedLine;
        TSelectionColorStyle Preset;
        TColor Selection, SelectionText;
    };
    // Selection colours of the custom rows only (the others come from the
    // preset).
    const std::array<Row, 16> Rows = {{
        {tsOffice2003Blue, 0xD68759, 0x933803, clWhite, 0x962D00, 0x962D00, scOffice2007, clNone, clBlack},
        {tsOffice2003Silver, 0xBDA4A5, 0x957475, Unchanged, 0x947C7C, 0x947C7C, scOffice2007, clNone, clBlack},
        {tsOffice2003Olive, 0x82C0AF, 0x447A63, Unchanged, 0x588060, 0x588060, scOffice2007, clNone, clBlack},
        {tsOffice2003Classic, 0x808080, 0x808080, Unchanged, 0x808080, 0x808080, scOffice2007, clNone, clBlack},
        {tsOffice2007Luna, 0xFFEFE3, 0xFFD2AF, 0x723708, 0xFFD2AF, 0xFFD2AF, scOffice2007, clNone, clBlack},
        {tsOffice2007Obsidian, 0xF2F1F0, 0xC9C2BD, 0x433C37, 0x5C534C, 0x5C534C, scOffice2007, clNone, clBlack},
        {tsWindowsXP, clBtnFace, clBtnFace, clBlack, 0xC0C0C0, clBlack, scCustom, TColor(0xFF00000D),
         TColor(0xFF00000E)},
        {tsWhidbey, 0xEBEEEF, 0x7E9898, clWhite, 0x962D00, 0x962D00, scOffice2007, clNone, clBlack},
        {tsOffice2007Silver, 0xF8F7F6, 0xE8E0DB, 0x8B4215, 0x74706F, 0x74706F, scOffice2007, clNone, clBlack},
        {tsWindowsVista, 0xFFFDF9, 0xFFFAF0, clBlack, 0xFCF2DA, 0xFCF2DA, scWindowsVista, clNone, clBlack},
        {tsWindows7, 0xFDFBFA, 0xFDF3EB, clBlack, 0xFBD6B8, 0xFBD6B8, scWindows7, clNone, clBlack},
        {tsTerminal, clBtnFace, clBtnFace, clBlack, 0x808080, 0x808080, scCustom, TColor(0xFF00000D),
         TColor(0xFF00000E)},
        {tsOffice2010Blue, 0xEDDBCD, clNone, 0x5B391E, 0xEEDDCF, 0xEEDDCF, scCustom, 0x6CD0FF, clBlack},
        {tsOffice2010Silver, 0xEDE9E5, clNone, 0x5B391E, 0xEEDDCF, 0xEEDDCF, scCustom, 0x6CD0FF, clBlack},
        {tsOffice2010Black, 0x828282, clNone, 0xD7D7D6, 0xEEDDCF, 0xEEDDCF, scCustom, 0x6CD0FF, clBlack},
        {tsCustom, 0x010101, 0x020202, Unchanged, 0x030303, 0x040404, scWindows7, clNone, TColor(0x050505)},
    }};
    for (const Row& R : Rows) {
        M->SetHeaderColor(TColor(0x010101));
        M->SetHeaderColorTo(TColor(0x020202));
        M->HeaderFont()->SetColor(Unchanged);
        M->SetSelectionColorStyle(scWindows7);
        M->SetLineColor(TColor(0x030303));
        M->SetFixedLineColor(TColor(0x040404));
        M->SetSelectionTextColor(TColor(0x050505));
        M->SetComponentStyle(R.Style);
        EXPECT_EQ(M->HeaderColor(), R.Header) << R.Style;
        EXPECT_EQ(M->HeaderColorTo(), R.HeaderTo) << R.Style;
        EXPECT_EQ(M->HeaderFont()->Color(), R.HeaderFont) << R.Style;
        EXPECT_EQ(M->LineColor(), R.Line) << R.Style;
        EXPECT_EQ(M->FixedLineColor(), R.FixedLine) << R.Style;
        EXPECT_EQ(M->SelectionColorStyle(), R.Preset) << R.Style;
        EXPECT_EQ(M->SelectionTextColor(), R.SelectionText) << R.Style;
        if (R.Selection != clNone) {
            EXPECT_EQ(M->SelectionColor(), R.Selection) << R.Style;
            EXPECT_EQ(M->SelectionColorTo(), R.Selection) << R.Style;
        }
    }
}

TEST_F(MultiColumnTest, CellDrawing)
{
    auto* Images = new TImageList(Form.get(), 12, 12);
    TBitmap Red(12, 12);
    Red.Canvas()->Brush()->SetColor(TColor(0x0000FF));
    Red.Canvas()->FillRect(TRect(0, 0, 12, 12));
    Images->Add(&Red, nullptr);
    M->SetImages(Images);
    AddColumns({80, 80, 80});
    M->Columns()->Items(0)->SetColor(TColor(0xE0FFE0));
    M->Columns()->Items(1)->SetColumnType(ctImage);
    M->Columns()->Items(2)->SetAlignment(taRightJustify);
    M->Columns()->Items(0)->SetHeader(QStringLiteral("Name"));
    AddItem({"Anna", "", "12"}, 0);
    AddItem({"Bert", "", "34"}, 0);
    AddItem({"Cleo", "", "56"}, 0);
    M->SetHeaderColor(TColor(0xFFFFFF));
    M->SetHeaderColorTo(TColor(0x000000));
    M->SetSelectionColorStyle(scCustom);
    M->SetSelectionColor(TColor(0x00FF00));
    M->SetItemIndex(1);
    M->SetDropDownAutoWidth(false);
    M->SetDropDownWidth(260);
    M->SetColumnSizeWithDropDown(false);
    Open();
    QApplication::processEvents();
    const QImage I = GrabList();
    const TRect Head = Grid()->CellRect(0, 0);
    const TRect Plain = Grid()->CellRect(0, 1);
    const TRect Chosen = Grid()->CellRect(0, 2);
    // Header: the gradient runs from white at the top to black at the bottom.
    EXPECT_GT(GetRValue(Pixel(I, 40, Head.Top)), 0xF0);
    EXPECT_LT(GetRValue(Pixel(I, 40, Head.Bottom - 3)), 0x30);
    EXPECT_EQ(Pixel(I, 79, Head.Top + 5), TColor(0xD1BBA4)) << "header line";
    // A plain row in its column's colour with the line below and beside it.
    EXPECT_EQ(Pixel(I, 60, Plain.Top + 3), TColor(0xE0FFE0));
    EXPECT_EQ(Pixel(I, 60, Plain.Bottom - 1), M->LineColor());
    EXPECT_EQ(Pixel(I, 79, Plain.Top + 3), M->LineColor());
    // The chosen row in the selection colour across its columns.
    EXPECT_EQ(Pixel(I, 60, Chosen.Top + 3), TColor(0x00FF00));
    EXPECT_EQ(Pixel(I, 200, Chosen.Top + 3), TColor(0x00FF00));
    // The image at left + 2 (+1 for the line), centred in the row.
    const TRect ImageCell = Grid()->CellRect(1, 1);
    const Integer ImageTop = ImageCell.Top + 1 + (ImageCell.Height() - 2 - 12) / 2;
    EXPECT_EQ(Pixel(I, ImageCell.Left + 3, ImageTop + 6), TColor(0x0000FF));
    EXPECT_NE(Pixel(I, ImageCell.Left + 1, ImageTop + 6), TColor(0x0000FF));
    // Text: left-aligned from left + 2, right-aligned against the right.
    const auto DarkIn = [&](Integer X0, Integer X1, const TRect& Row) {
        for (Integer X = X0; X < X1; ++X)
            for (Integer Y = Row.Top; Y < Row.Bottom; ++Y)
                if (GetGValue(Pixel(I, X, Y)) < 0x80)
                    return true;
        return false;
    };
    EXPECT_TRUE(DarkIn(3, 20, Plain));
    EXPECT_FALSE(DarkIn(40, 78, Plain));
    const TRect Right = Grid()->CellRect(2, 1);
    EXPECT_TRUE(DarkIn(Right.Right - 20, Right.Right - 2, Right));
    EXPECT_FALSE(DarkIn(Right.Left + 2, Right.Left + 40, Right));
}

TEST_F(MultiColumnTest, ADrawingHandlerReplacesTheBuiltInDrawing)
{
    Fruit();
    std::vector<std::pair<Integer, Integer>> Drawn;
    M->OnDropDownDrawItem = [&](TObject*, Integer Col, Integer Row, TCanvas* C, TRect R) {
        Drawn.emplace_back(Col, Row);
        C->Brush()->SetColor(TColor(0x804020));
        C->FillRect(R);
    };
    Open();
    QApplication::processEvents();
    const QImage I = GrabList();
    EXPECT_FALSE(Drawn.empty());
    EXPECT_EQ(Pixel(I, 10, 10), TColor(0x804020));
}
