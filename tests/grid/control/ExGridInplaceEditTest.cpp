// The grid's text editor: lookup, filters by editor kind, paste, the
// length limit, Escape, the cursor walk, the multi-line edit with its line
// breaks and growing row, and where the caret goes on the focus.
#include "ExGridEditTestSupport.h"

#include "rtl/Clipbrd.h"

#include <QCursor>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>

namespace {

class ExGridInplaceEditTest : public ExGridEditTest {
protected:
    ~ExGridInplaceEditTest() override
    {
        FormatSettings.DecimalSeparator = u'.';
        FormatSettings.ThousandSeparator = u',';
    }
    // Opens the text editor on (1, 1) emptied.
    TExInplaceEdit* OpenEmpty(TEditorType Kind)
    {
        Grid->SetDefaultEditor(Kind);
        Grid->SetCells(1, 1, String());
        Open(1, 1);
        return TextEditor();
    }
    // Opened as a click opens it (F2 puts the caret at the end afterwards).
    void OpenWithoutKeys(Integer ACol, Integer ARow)
    {
        Grid->MoveToCell(ACol, ARow);
        Grid->SetFocus();
        QApplication::processEvents();
        Grid->ShowInplaceEdit();
        QApplication::processEvents();
    }
    void Paste(const QString& Text)
    {
        Clipboard()->SetAsText(Text);
        Key(Qt::Key_V, Qt::ControlModifier);
    }
};

TEST_F(ExGridInplaceEditTest, LookupCompletesTheTypedLetterAndBackspaceDoesNotCompleteAgain)
{
    Grid->SetLookup(true);
    Grid->LookupItems()->Add("Alpha");
    Grid->LookupItems()->Add("Beta");
    TExInplaceEdit* E = OpenEmpty(edNormal);
    ASSERT_TRUE(E);
    Type("a");
    EXPECT_EQ(E->Text(), "alpha");
    EXPECT_EQ(E->SelText(), "lpha");
    Key(Qt::Key_Backspace);
    EXPECT_EQ(E->Text(), "a");
    EXPECT_EQ(E->SelLength(), 0);
}

TEST_F(ExGridInplaceEditTest, LookupHistoryAddsTheTextOnce)
{
    Grid->SetLookupHistory(true);
    OpenEmpty(edNormal);
    Type("new");
    Grid->MoveToCell(2, 1);
    Open(1, 1);
    Grid->MoveToCell(2, 1);
    EXPECT_EQ(Grid->LookupItems()->Count(), 1);
    EXPECT_EQ(Grid->LookupItems()->Strings(0), "new");
}

TEST_F(ExGridInplaceEditTest, NumericTakesAMinusOnlyAtTheStartAndOnce)
{
    TExInplaceEdit* E = OpenEmpty(edNumeric);
    const Integer Beeps = MessageBeepCount();
    Type("1-2x");
    EXPECT_EQ(E->Text(), "12");
    EXPECT_EQ(MessageBeepCount() - Beeps, 2);
    Key(Qt::Key_Home);
    Type("--");
    EXPECT_EQ(E->Text(), "-12");
}

TEST_F(ExGridInplaceEditTest, FloatTakesOneDecimalSeparatorAndDropsOthersUnlessCtrl)
{
    FormatSettings.DecimalSeparator = u',';
    FormatSettings.ThousandSeparator = u'.';
    TExInplaceEdit* E = OpenEmpty(edFloat);
    const Integer Beeps = MessageBeepCount();
    Type("1,5,2.3a");
    EXPECT_EQ(E->Text(), "1,523");
    EXPECT_EQ(MessageBeepCount(), Beeps);
    // Ctrl+A still selects everything.
    Key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(E->SelText(), "1,523");
}

TEST_F(ExGridInplaceEditTest, PastedNumbersFollowTheKind)
{
    FormatSettings.DecimalSeparator = u',';
    FormatSettings.ThousandSeparator = u'.';
    TExInplaceEdit* E = OpenEmpty(edFloat);
    Paste("1,5");
    EXPECT_EQ(E->Text(), "1,5");
    Grid->HideInplaceEdit();
    E = OpenEmpty(edNumeric);
    Paste("1,5");
    EXPECT_EQ(E->Text(), "");
}

TEST_F(ExGridInplaceEditTest, PasteRespectsTheLimitAndDropsOneTrailingLineBreak)
{
    Grid->SetMaxEditLength(4);
    TExInplaceEdit* E = OpenEmpty(edNormal);
    Paste("toolong");
    EXPECT_EQ(E->Text(), "");
    Paste("ab\r\n");
    EXPECT_EQ(E->Text(), "ab");
    EXPECT_EQ(Grid->Cells(1, 1), "ab");
}

TEST_F(ExGridInplaceEditTest, AdvanceAutoMovesOnWithTheCharacterThatFillsTheLimit)
{
    Grid->SetMaxEditLength(3);
    Grid->Navigation()->SetAdvanceAuto(true);
    Grid->Navigation()->SetAdvanceOnEnter(true);
    OpenEmpty(edNormal);
    Type("ab");
    EXPECT_EQ(Grid->Col(), 1);
    Type("c");
    EXPECT_EQ(Grid->Cells(1, 1), "abc");
    EXPECT_EQ(Grid->Col(), 2);
}

TEST_F(ExGridInplaceEditTest, KeypadPointBecomesTheUsersSeparator)
{
    FormatSettings.DecimalSeparator = u',';
    Grid->SetExcelStyleDecimalSeparator(true);
    TExInplaceEdit* E = OpenEmpty(edNormal);
    Type("1");
    QTest::keyClick(Focus(), Qt::Key_Period, Qt::KeypadModifier);
    Type("5.");
    EXPECT_EQ(E->Text(), "1,5.");
}

TEST_F(ExGridInplaceEditTest, CaseAndValidCharacterKinds)
{
    struct TCase {
        TEditorType Kind;
        const char* Typed;
        const char* Shown;
    };
    Grid->SetValidChars("abc");
    for (const TCase& C : {TCase{edUpperCase, "abC", "ABC"}, TCase{edCapital, "xy", "XY"},
                           TCase{edLowerCase, "AbC", "abc"}, TCase{edMixedCase, "hello world", "Hello World"},
                           TCase{edValidChars, "abxc", "abc"}}) {
        TExInplaceEdit* E = OpenEmpty(C.Kind);
        Type(QString::fromLatin1(C.Typed));
        EXPECT_EQ(E->Text(), C.Shown) << GetEnumName(C.Kind).toStdString();
        Grid->HideInplaceEdit();
    }
    TExInplaceEdit* E = OpenEmpty(edLowerCase);
    Paste("MiXed");
    EXPECT_EQ(E->Text(), "mixed");
}

TEST_F(ExGridInplaceEditTest, EscapePutsBackTheCellsText)
{
    Open(1, 1);
    Key(Qt::Key_End);
    Type("zz");
    EXPECT_EQ(Grid->Cells(1, 1), "11zz");
    Key(Qt::Key_Escape);
    EXPECT_EQ(Grid->Cells(1, 1), "11");
}

TEST_F(ExGridInplaceEditTest, CursorWalkLeavesAtTheTextsEdgesAfterValidation)
{
    Grid->Navigation()->SetCursorWalkEditor(true);
    Grid->Navigation()->SetCursorWalkAlwaysEdit(false);
    Open(2, 1);
    Key(Qt::Key_End);
    Key(Qt::Key_Right);
    EXPECT_EQ(Grid->Col(), 3);
    Open(3, 1);
    Key(Qt::Key_Home);
    Key(Qt::Key_Left);
    EXPECT_EQ(Grid->Col(), 2);
}

// ---------------------------------------------------------------- multi-line

TEST_F(ExGridInplaceEditTest, TextEditorIsMultiLineButForPasswordAndMaskedCells)
{
    Grid->OnGetEditMask = [](TObject*, Integer ACol, Integer, String& Value) {
        if (ACol == 3)
            Value = QStringLiteral("00;1;_");
    };
    EditorsByColumn({{2, edPassword}});
    Open(1, 1);
    ASSERT_TRUE(TextEditor());
    EXPECT_TRUE(TextEditor()->MultiLine());
    ASSERT_TRUE(TextEditor()->TextEdit());
    EXPECT_EQ(Focus(), TextEditor()->Handle());
    Open(2, 1);
    EXPECT_FALSE(TextEditor()->MultiLine());
    EXPECT_TRUE(TextEditor()->LineEdit());
    Open(3, 1);
    EXPECT_FALSE(TextEditor()->MultiLine());
    EXPECT_EQ(TextEditor()->LineEdit()->inputMask(), QStringLiteral("99;_"));
    Open(4, 1);
    EXPECT_TRUE(TextEditor()->MultiLine());
    EXPECT_EQ(Focus(), TextEditor()->Handle());
    EXPECT_EQ(TextEditor()->Text(), "41");
}

TEST_F(ExGridInplaceEditTest, FormattingRectangleBecomesTheDocumentMargins)
{
    Open(1, 1);
    TExInplaceEdit* E = TextEditor();
    const TRect Cell = Grid->CellRect(1, 1);
    EXPECT_EQ(E->Width(), Cell.Width() - 1);
    EXPECT_EQ(E->Height(), Cell.Height() - 1);
    const QRect Viewport = E->TextEdit()->viewport()->geometry();
    EXPECT_EQ(Viewport.left(), 3);
    EXPECT_EQ(Viewport.top(), 3);
    EXPECT_EQ(E->Width() - 1 - Viewport.right(), 2);
    TRect Format;
    E->Perform(EM_GETRECT, 0, LPARAM(&Format));
    EXPECT_EQ(Format, TRect(3, 3, E->Width() - 2, E->Height()));
}

TEST_F(ExGridInplaceEditTest, LineBreaksAreCrLfAndCountTwiceInTheSelection)
{
    Grid->SetCells(1, 1, QStringLiteral("ab\r\ncd"));
    Open(1, 1);
    TExInplaceEdit* E = TextEditor();
    EXPECT_EQ(E->Text(), "ab\r\ncd");
    EXPECT_EQ(E->TextEdit()->document()->blockCount(), 2);
    E->SetSelStart(4);
    E->SetSelLength(2);
    EXPECT_EQ(E->SelText(), "cd");
    E->SetSelStart(1);
    E->SetSelLength(4);
    EXPECT_EQ(E->SelText(), "b\r\nc");
    EXPECT_EQ(E->SelStart(), 1);
    EXPECT_EQ(E->SelLength(), 4);
}

TEST_F(ExGridInplaceEditTest, EnterWithLineFeedOnEnterTypesALineBreak)
{
    Grid->Navigation()->SetLineFeedOnEnter(true);
    Open(1, 1);
    Key(Qt::Key_End);
    Key(Qt::Key_Return);
    Type("x");
    EXPECT_EQ(TextEditor()->Text(), "11\r\nx");
    EXPECT_EQ(Grid->Cells(1, 1), "11\r\nx");
    EXPECT_TRUE(Grid->EditorMode());
    EXPECT_EQ(Grid->Row(), 1);
}

TEST_F(ExGridInplaceEditTest, EnterWithoutLineFeedTypesNoLineBreak)
{
    Grid->Navigation()->SetLineFeedOnEnter(false);
    Open(1, 1);
    Key(Qt::Key_End);
    Key(Qt::Key_Return);
    EXPECT_EQ(Grid->Cells(1, 1), "11");
    EXPECT_FALSE(Grid->Cells(1, 1).contains(u'\n'));
}

TEST_F(ExGridInplaceEditTest, UpAndDownMoveBetweenLinesAndLeaveAtTheTextsEdges)
{
    Grid->SetRowHeights(2, 60);
    Grid->SetCells(1, 2, QStringLiteral("top\r\nbottom"));
    Open(1, 2);
    Key(Qt::Key_Home);
    Key(Qt::Key_Down);
    EXPECT_TRUE(Grid->EditorMode());
    EXPECT_EQ(Grid->Row(), 2);
    EXPECT_GE(TextEditor()->SelStart(), 5);
    Key(Qt::Key_Up);
    EXPECT_EQ(Grid->Row(), 2);
    EXPECT_LE(TextEditor()->SelStart(), 3);
    Key(Qt::Key_Up);
    EXPECT_EQ(Grid->Row(), 1);
}

TEST_F(ExGridInplaceEditTest, RowGrowsWhileTypingInAWrappingGrid)
{
    Grid->SetWordWrap(true);
    Grid->SizeWhileTyping()->SetHeight(true);
    Grid->SetColWidths(1, 40);
    QList<Integer> Sized;
    Grid->OnEndRowSize = [&Sized](TObject*, Integer ARow) { Sized << ARow; };
    TExInplaceEdit* E = OpenEmpty(edNormal);
    ASSERT_TRUE(E->MultiLine());
    const Integer Before = Grid->RowHeights(1);
    Type("many words that wrap over several lines");
    EXPECT_GT(Grid->RowHeights(1), 2 * Before);
    ASSERT_FALSE(Sized.isEmpty());
    EXPECT_EQ(Sized.back(), 1);
    EXPECT_EQ(E->TextEdit()->lineWrapMode(), QPlainTextEdit::WidgetWidth);
}

TEST_F(ExGridInplaceEditTest, CtrlEnterGrowsTheRowForTheNewLine)
{
    Grid->SetWordWrap(false);
    Grid->SetMultilinecells(QStringLiteral("1"));
    Grid->Navigation()->SetAllowCtrlEnter(true);
    Grid->Navigation()->SetLineFeedOnEnter(true);
    Grid->SizeWhileTyping()->SetHeight(true);
    QList<Integer> Sized;
    Grid->OnEndRowSize = [&Sized](TObject*, Integer ARow) { Sized << ARow; };
    Open(1, 1);
    Key(Qt::Key_End);
    const Integer Before = Grid->RowHeights(1);
    Key(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(TextEditor()->Text(), "11\r\n");
    const Integer Line = QFontMetrics(TextEditor()->Font()->ToQFont()).height();
    EXPECT_GE(Grid->RowHeights(1), std::max(Before, 2 * Line));
    EXPECT_EQ(Sized, QList<Integer>{1});
}

// ---------------------------------------------------------------- characters and focus

TEST_F(ExGridInplaceEditTest, ValidCharSetDecidesWhileValidCharsIsEmpty)
{
    std::bitset<256> Set;
    Set.set(u'a');
    Set.set(u'b');
    Grid->SetValidCharSet(Set);
    TExInplaceEdit* E = OpenEmpty(edValidChars);
    const Integer Beeps = MessageBeepCount();
    Type("abcA");
    EXPECT_EQ(E->Text(), "ab");
    EXPECT_EQ(MessageBeepCount() - Beeps, 2);
    Grid->SetValidChars(QStringLiteral("c"));
    Type("ac");
    EXPECT_EQ(E->Text(), "abc");
}

TEST_F(ExGridInplaceEditTest, ImproveMaskSelSelectsTheFirstCharacterOfAMaskedCell)
{
    Grid->OnGetEditMask = [](TObject*, Integer, Integer, String& Value) { Value = QStringLiteral("00;1;_"); };
    Grid->Navigation()->SetImproveMaskSel(true);
    OpenWithoutKeys(1, 1);
    EXPECT_EQ(TextEditor()->SelStart(), 0);
    EXPECT_EQ(TextEditor()->SelLength(), 1);
}

TEST_F(ExGridInplaceEditTest, EditorOpenedByAClickPutsTheCaretUnderTheMouse)
{
    Grid->SetCells(1, 1, QStringLiteral("abcdef"));
    const TRect Cell = Grid->CellRect(1, 1);
    const QFontMetrics Metrics(Grid->Font()->ToQFont());
    // Between "abc" and "def", past the 3-pixel margin.
    const TPoint At = Grid->ClientToScreen(TPoint(Cell.Left + 3 + Metrics.horizontalAdvance("abc"), Cell.Top + 8));
    QCursor::setPos(At.X, At.Y);
    Grid->LButFlg = true;
    OpenWithoutKeys(1, 1);
    EXPECT_EQ(TextEditor()->SelStart(), 3);
    EXPECT_EQ(TextEditor()->SelLength(), 0);
    EXPECT_FALSE(Grid->LButFlg);
}

TEST_F(ExGridInplaceEditTest, FocusLossWhileAltBackspaceIsHeldKeepsTheEditorOpen)
{
    auto* Other = new TEdit(Form.get());
    Other->SetParent(Form.get());
    Other->SetBounds(0, 385, 50, 14);
    Open(1, 1);
    TExInplaceEdit* E = TextEditor();
    E->Perform(WM_SYSKEYDOWN, VK_BACK, 0);
    Other->SetFocus();
    QApplication::processEvents();
    EXPECT_TRUE(E->Visible());
    EXPECT_TRUE(Grid->EditMode());
    E->Perform(WM_SYSKEYUP, VK_BACK, 0);
    E->SetFocus();
    QApplication::processEvents();
    Other->SetFocus();
    QApplication::processEvents();
    EXPECT_FALSE(E->Visible());
    EXPECT_FALSE(Grid->EditMode());
}

TEST_F(ExGridInplaceEditTest, EditorTakesTheCellsColourFontAndAlignment)
{
    Grid->SetColors(1, 1, clYellow);
    Grid->CellProperties(1, 1)->SetFontStyle(TFontStyles{fsBold});
    Grid->SetAlignments(1, 1, taRightJustify);
    Open(1, 1);
    EXPECT_EQ(TextEditor()->Color(), clYellow);
    EXPECT_TRUE(TextEditor()->Font()->Style().Contains(fsBold));
    EXPECT_EQ(TextEditor()->Alignment(), taRightJustify);
    Open(2, 1);
    EXPECT_EQ(TextEditor()->Color(), Grid->Color());
    EXPECT_FALSE(TextEditor()->Font()->Style().Contains(fsBold));
}

TEST_F(ExGridInplaceEditTest, TextsOfAnyLengthAndContentEditAndClose)
{
    const QString Long(5000, QChar(u'x'));
    const QString Odd = QStringLiteral("\t\r\n\u0001\u00ff\u4e2d\r");
    for (TEditorType Kind : {edNormal, edNumeric, edFloat, edMixedCase, edPassword}) {
        Grid->SetDefaultEditor(Kind);
        for (const QString& Text : {Long, Odd}) {
            Grid->SetCells(1, 1, Text);
            Open(1, 1);
            Paste(Text);
            Type(QStringLiteral("a1-,."));
            Grid->MoveToCell(2, 1);
            EXPECT_FALSE(Grid->EditorMode()) << GetEnumName(Kind).toStdString();
        }
    }
}

TEST_F(ExGridInplaceEditTest, AdvanceAutoMovesOnOnceTheMaskIsFilled)
{
    Grid->OnGetEditMask = [](TObject*, Integer ACol, Integer, String& Value) {
        if (ACol == 1)
            Value = QStringLiteral("00;1;_");
    };
    Grid->Navigation()->SetAdvanceAuto(true);
    Grid->Navigation()->SetAdvanceOnEnter(true);
    Grid->SetCells(1, 1, String());
    Open(1, 1);
    Key(Qt::Key_Home);
    Type("1");
    EXPECT_EQ(Grid->Col(), 1);
    Type("2");
    EXPECT_EQ(Grid->Cells(1, 1), "12");
    EXPECT_EQ(Grid->Col(), 2);
}

} // namespace
