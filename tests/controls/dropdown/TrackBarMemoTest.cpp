// The track bar and memo drop-downs.
#include "controls/dropdown/ExMemoDropDown.h"
#include "controls/dropdown/ExTrackBarDropDown.h"

#include "DropDownFixture.h"

namespace {

class TrackBarTest : public DropDownFixture {
protected:
    void SetUp() override
    {
        DropDownFixture::SetUp();
        ShowForm();
        T = MakeDropDown<TExTrackBarDropDown>();
        T->SetFocus();
    }
    void Drag(std::initializer_list<int> Xs)
    {
        QTest::mousePress(T->Handle(), Qt::LeftButton, {}, QPoint(10, 10));
        for (int X : Xs)
            QTest::mouseMove(T->Handle(), QPoint(X, 10));
        QTest::mouseRelease(T->Handle(), Qt::LeftButton, {}, QPoint(Xs.size() ? *(Xs.end() - 1) : 10, 10));
        T->HideDropDown(false);
    }
    TExTrackBarDropDown* T = nullptr;
};

class MemoTest : public DropDownFixture {
protected:
    void SetUp() override
    {
        DropDownFixture::SetUp();
        ShowForm();
        M = MakeDropDown<TExMemoDropDown>();
    }
    void Lines(std::initializer_list<const char*> Texts)
    {
        TStringList L;
        for (const char* S : Texts)
            L.Add(QString::fromUtf8(S));
        M->SetMemoText(&L);
    }
    TExMemoDropDown* M = nullptr;
};

} // namespace

TEST_F(TrackBarTest, ConstructionMadeTheTrackBarAndItsDefaults)
{
    ASSERT_NE(T->TrackBar(), nullptr);
    EXPECT_EQ(T->TrackBar()->Parent(), T->DropDownForm());
    EXPECT_FALSE(T->EditorEnabled());
    EXPECT_TRUE(T->DropDownEnabled());
    EXPECT_EQ(T->EditType(), etNumeric);
    EXPECT_FALSE(T->DropDownHeader()->Visible());
    EXPECT_FALSE(T->DropDownFooter()->Visible());
    EXPECT_EQ(T->Text(), QStringLiteral("0"));
}

TEST_F(TrackBarTest, ArrowKeysStepInsideTheRange)
{
    Press(T, Qt::Key_Down);
    EXPECT_EQ(T->Position(), 1);
    Press(T, Qt::Key_Down);
    EXPECT_EQ(T->Position(), 2);
    EXPECT_EQ(T->Text(), QStringLiteral("2"));
    T->SetPosition(0);
    Press(T, Qt::Key_Up);
    EXPECT_EQ(T->Position(), 0);
    T->SetPosition(10);
    Press(T, Qt::Key_Down);
    EXPECT_EQ(T->Position(), 10);
}

TEST_F(TrackBarTest, DragStepsByPageSize)
{
    Drag({15});
    EXPECT_EQ(T->Position(), 2);
    T->SetPosition(0);
    Drag({11, 12, 13, 14, 15});
    EXPECT_EQ(T->Position(), 0);
    // Without a page size a drag changes nothing.
    T->SetPageSize(0);
    Drag({40});
    EXPECT_EQ(T->Position(), 0);
}

TEST_F(TrackBarTest, PositionIsClippedByTheTrackBar)
{
    T->SetPosition(15);
    EXPECT_EQ(T->Position(), 10);
    EXPECT_EQ(T->Text(), QStringLiteral("10"));
    T->SetMin(20);
    EXPECT_EQ(T->Min(), 0);
    T->SetMax(-5);
    EXPECT_EQ(T->Max(), 10);
}

TEST_F(TrackBarTest, TypingEnabledLeavesKeysAndDragsAlone)
{
    T->SetEditorEnabled(true);
    T->SetPosition(3);
    Press(T, Qt::Key_Down);
    EXPECT_EQ(T->Position(), 3);
    Drag({30});
    EXPECT_EQ(T->Position(), 3);
    // A text that is no integer keeps the position and raises nothing.
    int Changes = 0;
    T->OnChange = [&](TObject*) { ++Changes; };
    T->SetPlainText(QString());
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(T->Position(), 3);
    T->SetPlainText(QStringLiteral("7"));
    EXPECT_EQ(T->Position(), 7);
}

TEST_F(TrackBarTest, TheTrackBarShowsTheSettingsWhenOpened)
{
    int TrackChanges = 0;
    T->OnTrackChange = [&](TObject*) { ++TrackChanges; };
    T->SetPosition(4);
    T->ShowDropDown();
    ASSERT_TRUE(T->DroppedDown());
    EXPECT_EQ(T->Control(), T->TrackBar());
    EXPECT_EQ(T->TrackBar()->Position(), 4);
    EXPECT_FALSE(T->DropDownForm()->CancelOnDeActivate());
    T->TrackBar()->SetPosition(6);
    EXPECT_EQ(T->Text(), QStringLiteral("6"));
    EXPECT_EQ(TrackChanges, 2);
}

TEST_F(MemoTest, ConstructionMadeTheMemo)
{
    ASSERT_NE(M->Memo(), nullptr);
    EXPECT_EQ(M->Control(), M->Memo());
    M->ShowDropDown();
    EXPECT_EQ(M->Memo()->Height(), 100);
}

TEST_F(MemoTest, TheEditShowsTheLines)
{
    Lines({"A", "B"});
    EXPECT_EQ(M->RawText(), QStringLiteral("A\r\nB\r\n"));
    M->SetEditorEnabled(false);
    Lines({"First", "Second"});
    EXPECT_EQ(M->RawText(), QStringLiteral("First..."));
    Lines({"Only"});
    EXPECT_EQ(M->RawText(), QStringLiteral("Only"));
    Lines({"A first line far too wide for the little edit at all, really", "x"});
    EXPECT_TRUE(M->RawText().endsWith(QStringLiteral("...")));
    TBitmap Measure(1, 1);
    Measure.Canvas()->Font()->Assign(M->Font());
    EXPECT_LT(GetTextSize(Measure.Canvas(), M->RawText()).cx, M->GetEditRect().Width());
}

TEST_F(MemoTest, TypingInTheEditRewritesTheLines)
{
    M->SetFocus();
    M->SetPlainText(QString());
    TypeText(M, QStringLiteral("ab"));
    ASSERT_EQ(M->MemoText()->Count(), 1);
    EXPECT_EQ(M->MemoText()->Strings(0), QStringLiteral("ab"));
}

TEST_F(MemoTest, EscapeInTheMemoDiscardsItsEdits)
{
    M->SetText(QStringLiteral("A"));
    M->SetFocus();
    M->ShowDropDown();
    ASSERT_TRUE(M->DroppedDown());
    M->Memo()->Lines()->Add(QStringLiteral("B"));
    Press(M->Memo(), Qt::Key_Return);
    EXPECT_TRUE(M->DroppedDown());
    Press(M->Memo(), Qt::Key_Escape);
    EXPECT_FALSE(M->DroppedDown());
    ASSERT_EQ(M->MemoText()->Count(), 1);
    EXPECT_EQ(M->MemoText()->Strings(0), QStringLiteral("A"));
}

TEST_F(MemoTest, ACancelRestoresTheValueOfTheLastSetText)
{
    M->SetText(QStringLiteral("A"));
    M->ShowDropDown();
    M->Memo()->Lines()->Add(QStringLiteral("B"));
    M->HideDropDown(false);
    EXPECT_EQ(M->MemoText()->Count(), 2);
    M->ShowDropDown();
    M->HideDropDown(true);
    ASSERT_EQ(M->MemoText()->Count(), 1);
    EXPECT_EQ(M->MemoText()->Strings(0), QStringLiteral("A"));
}

TEST_F(MemoTest, ReadOnlyAppliesAtOnceWhileOpen)
{
    M->ShowDropDown();
    EXPECT_FALSE(M->Memo()->ReadOnly());
    M->SetMemoReadOnly(true);
    EXPECT_TRUE(M->Memo()->ReadOnly());
}

TEST_F(MemoTest, AutoDropOpensOnFocusOnly)
{
    auto* Other = Make<TEdit>(20, 150);
    Other->SetFocus();
    M->SetAutoDrop(true);
    M->SetFocus();
    EXPECT_TRUE(M->DroppedDown());
    M->HideDropDown(false);
    QApplication::processEvents();
    EXPECT_FALSE(M->DroppedDown());
    EXPECT_TRUE(M->AutoDrop());
}
