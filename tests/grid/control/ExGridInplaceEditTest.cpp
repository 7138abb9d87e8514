// The grid's text editor: lookup, filters by editor kind, paste, the
// length limit, Escape and the cursor walk.
#include "ExGridEditTestSupport.h"

#include "rtl/Clipbrd.h"

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

} // namespace
