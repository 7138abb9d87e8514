// The detail drop-down: choosing, completion while typing, key search,
// page keys, cancelling and the drawing of its cells.
#include "controls/dropdown/ExDetailDropDown.h"

#include "DropDownFixture.h"

#include <QColor>

namespace {

class DetailTest : public DropDownFixture {
protected:
    void SetUp() override
    {
        DropDownFixture::SetUp();
        FormWidth = 400;
        FormHeight = 300;
        Form->SetClientWidth(FormWidth);
        Form->SetClientHeight(FormHeight);
        D = MakeDropDown<TExDetailDropDown>();
        D->OnSelect = [this](TObject*) { ++Selects; };
    }
    void Captions(std::initializer_list<const char*> Texts)
    {
        for (const char* T : Texts)
            D->Items()->Add()->SetCaption(QString::fromLatin1(T));
    }
    void Numbered(int N)
    {
        for (int I = 0; I < N; ++I)
            D->Items()->Add()->SetCaption(QStringLiteral("Item %1").arg(I));
    }
    void Focused()
    {
        ShowForm();
        D->SetFocus();
    }

    TExDetailDropDown* D = nullptr;
    int Selects = 0;
};

// Any pixel in R whose colour is Colour.
bool HasColour(const QImage& Image, const TRect& R, const QColor& Colour)
{
    for (Integer Y = R.Top; Y < R.Bottom; ++Y)
        for (Integer X = R.Left; X < R.Right; ++X)
            if (Image.pixelColor(X, Y) == Colour)
                return true;
    return false;
}

} // namespace

TEST_F(DetailTest, CreatedWithItsDefaults)
{
    EXPECT_EQ(D->ItemIndex(), -1);
    EXPECT_EQ(D->ItemHeight(), 22);
    EXPECT_EQ(D->Layout(), ilCaptionRight);
    EXPECT_TRUE(D->EditorEnabled());
    EXPECT_TRUE(D->DropDownEnabled());
    EXPECT_FALSE(D->MatchCase());
    EXPECT_TRUE(D->MatchStart());
    EXPECT_FALSE(D->KeyTimerRunning());
    ASSERT_NE(D->ItemSelector(), nullptr);
    EXPECT_EQ(D->CaptionFont()->Name(), D->Font()->Name());
}

TEST_F(DetailTest, IndexOfIsCaseSensitiveAndAssignKeepsTheNotes)
{
    Captions({"Apple", "apple"});
    D->Items()->Items(0)->SetNotes(QStringLiteral("<b>red</b>"));
    D->Items()->Items(0)->SetTag(7);
    EXPECT_EQ(D->Items()->IndexOf(QStringLiteral("apple")), 1);
    EXPECT_EQ(D->Items()->IndexOf(QStringLiteral("APPLE")), -1);
    TDetailItems Copy(nullptr);
    Copy.Assign(D->Items());
    EXPECT_EQ(Copy.Items(0)->Notes(), QStringLiteral("<b>red</b>"));
    EXPECT_EQ(Copy.Items(0)->Tag(), 7);
}

TEST_F(DetailTest, TypingCompletesFromTheCaptions)
{
    Captions({"Apple", "Abbey"});
    Focused();
    TypeText(D, QStringLiteral("a"));
    EXPECT_EQ(D->RawText(), QStringLiteral("apple"));
    TypeText(D, QStringLiteral("b"));
    EXPECT_EQ(D->RawText(), QStringLiteral("abbey"));
    EXPECT_EQ(D->SelStart(), 2);
    EXPECT_EQ(D->SelLength(), 3);
    EXPECT_EQ(D->ItemIndex(), 1);
    EXPECT_EQ(Selects, 0);
    D->SetPlainText(String());
    D->SetMatchCase(true);
    TypeText(D, QStringLiteral("ab"));
    EXPECT_EQ(D->RawText(), QStringLiteral("ab"));
    EXPECT_EQ(D->SelLength(), 0);
}

TEST_F(DetailTest, ItemIndexSetsTheCaptionAndFiresOnlyOnAChange)
{
    Captions({"Apple", "Abbey", "Cherry"});
    D->SetItemIndex(1);
    EXPECT_EQ(D->RawText(), QStringLiteral("Abbey"));
    EXPECT_EQ(D->SelStart(), 0);
    EXPECT_EQ(D->SelLength(), 5);
    EXPECT_EQ(Selects, 1);
    D->SetItemIndex(1);
    EXPECT_EQ(Selects, 1);
    for (Integer Bad : {3, -2, 100}) {
        D->SetItemIndex(Bad);
        EXPECT_EQ(D->ItemIndex(), 1) << Bad;
    }
    D->SetItemIndex(-1);
    EXPECT_EQ(D->RawText(), QString());
    EXPECT_EQ(D->ItemIndex(), -1);
    EXPECT_EQ(Selects, 1);
}

TEST_F(DetailTest, SelectNextAndPreviousStayInTheList)
{
    Captions({"One", "Two", "Three"});
    D->SelectPrevious();
    EXPECT_EQ(D->ItemIndex(), 0);
    D->SetItemIndex(-1);
    D->SelectNext();
    EXPECT_EQ(D->ItemIndex(), 0);
    D->SelectLast();
    D->SelectNext();
    EXPECT_EQ(D->ItemIndex(), 2);
    D->SelectFirst();
    D->SelectPrevious();
    EXPECT_EQ(D->ItemIndex(), 0);
}

TEST_F(DetailTest, CancellingRestoresTheEntryChosenBeforeOpening)
{
    Numbered(5);
    Focused();
    D->SetItemIndex(2);
    D->ShowDropDown();
    ASSERT_TRUE(D->DroppedDown());
    Press(D, Qt::Key_Down);
    EXPECT_EQ(D->ItemIndex(), 3);
    EXPECT_TRUE(D->DroppedDown());
    D->HideDropDown(true);
    EXPECT_EQ(D->ItemIndex(), 2);
    EXPECT_EQ(D->RawText(), QStringLiteral("Item 2"));
    // Nothing chosen before: the moved selection stays.
    D->SetItemIndex(-1);
    D->ShowDropDown();
    Press(D, Qt::Key_Down);
    EXPECT_EQ(D->ItemIndex(), 0);
    Press(D, Qt::Key_Down);
    D->HideDropDown(true);
    EXPECT_EQ(D->ItemIndex(), 1);
}

TEST_F(DetailTest, AClickInThePopupChoosesAndCloses)
{
    Numbered(3);
    Focused();
    D->ShowDropDown();
    TCustomItemSelector* Panel = D->ItemSelector()->Panel();
    TRect Cell;
    Panel->GetItemRect(1, Cell);
    QTest::mouseClick(Panel->Handle(), Qt::LeftButton, {}, QPoint(Cell.Left + 5, Cell.Top + 5));
    EXPECT_EQ(D->ItemIndex(), 1);
    EXPECT_FALSE(D->DroppedDown());
    EXPECT_EQ(D->RawText(), QStringLiteral("Item 1"));
}

TEST_F(DetailTest, KeySearchCollectsTheKeysUntilTheTimerTicks)
{
    Captions({"Banana", "Berry", "Cherry"});
    Focused();
    // The selector holds the items from the first opening on.
    D->ShowDropDown();
    D->HideDropDown(false);
    Press(D, Qt::Key_B);
    Press(D, Qt::Key_E);
    EXPECT_EQ(D->CurSearch(), QStringLiteral("BE"));
    EXPECT_EQ(D->ItemSelector()->ItemIndex(), 1);
    EXPECT_EQ(D->ItemIndex(), 1);
    EXPECT_TRUE(D->KeyTimerRunning());
    D->KeyTimerTick();
    EXPECT_EQ(D->CurSearch(), QString());
    EXPECT_FALSE(D->KeyTimerRunning());
    Press(D, Qt::Key_C);
    EXPECT_EQ(D->CurSearch(), QStringLiteral("C"));
    EXPECT_EQ(D->ItemSelector()->ItemIndex(), 2);
}

TEST_F(DetailTest, PageDownMovesByTheVisibleCellsWithinTheList)
{
    Numbered(10);
    // No header or footer, two border pixels and five cells of 22.
    D->DropDownHeader()->SetVisible(false);
    D->DropDownFooter()->SetVisible(false);
    D->SetDropDownHeight(2 + 5 * 22 + 2);
    Focused();
    D->SetItemIndex(8);
    D->ShowDropDown();
    ASSERT_EQ(D->ItemSelector()->GetVisibleItemCount(), 5);
    Press(D, Qt::Key_PageDown);
    EXPECT_EQ(D->ItemSelector()->ItemIndex(), 9);
    EXPECT_EQ(D->ItemIndex(), 9);
    EXPECT_TRUE(D->DroppedDown());
    Press(D, Qt::Key_PageUp);
    EXPECT_EQ(D->ItemIndex(), 4);
    Press(D, Qt::Key_PageUp);
    EXPECT_EQ(D->ItemIndex(), 0);
    D->HideDropDown(false);
}

TEST_F(DetailTest, CellWidthFollowsThePopupAndTheScrollBar)
{
    const Integer Border = GetSystemMetrics(SM_CXBORDER);
    Numbered(2);
    D->SetDropDownWidth(250);
    TSize S;
    D->ItemSize(D, S);
    EXPECT_EQ(S.cx, 250 - 2 * Border - 4);
    EXPECT_EQ(S.cy, 22);
    D->SetItemHeight(30);
    D->ItemSize(D, S);
    EXPECT_EQ(S.cy, 30);
    D->SetItemHeight(22);
    // Enough items for the selector's vertical scroll bar.
    Numbered(30);
    Focused();
    D->ShowDropDown();
    ASSERT_TRUE(D->ItemSelector()->VertScrollBar()->IsScrollBarVisible());
    D->ItemSize(D, S);
    EXPECT_EQ(S.cx, 250 - GetSystemMetrics(SM_CXVSCROLL) - 2 * Border - 4);
    // Without a set width, the pop-up's own.
    D->SetDropDownWidth(0);
    D->ItemSize(D, S);
    EXPECT_EQ(S.cx, D->DropDownForm()->Width() - GetSystemMetrics(SM_CXVSCROLL) - 2 * Border - 4);
    EXPECT_EQ(D->DropDownForm()->Width(), 250);
    D->HideDropDown(false);
}

TEST_F(DetailTest, ItemImageCaptionAndNotesAreDrawnInPlace)
{
    TBitmap Picture(16, 16);
    Picture.Canvas()->Brush()->SetColor(clRed);
    Picture.Canvas()->FillRect(TRect(0, 0, 16, 16));
    // The bottom-left pixel is the transparent colour.
    Picture.Canvas()->SetPixels(0, 15, clWhite);
    TDetailItem* Item = D->Items()->Add();
    Item->SetCaption(QStringLiteral("Caption"));
    Item->Image()->SetBitmap(&Picture);
    Item->SetNotes(QStringLiteral("<b>notes</b> here"));
    D->CaptionFont()->SetColor(clBlue);
    D->CaptionFont()->SetSize(10);
    D->NotesFont()->SetColor(clLime);
    D->NotesFont()->SetSize(9);
    TBitmap Cell(200, 48);
    Cell.Canvas()->Brush()->SetColor(clWhite);
    Cell.Canvas()->FillRect(TRect(0, 0, 200, 48));
    D->DrawItem(D, Cell.Canvas(), TRect(0, 0, 200, 48), 0);
    const QImage Image = Cell.ToImage();
    // Image at x 2, centred: rows 16 to 31.
    EXPECT_EQ(Image.pixelColor(10, 24), QColor(255, 0, 0));
    EXPECT_EQ(Image.pixelColor(10, 12), QColor(255, 255, 255));
    // Caption from x 16 + 4 + 4 = 24 at the top; notes below it.
    const Integer Line = Cell.Canvas()->TextHeight(QStringLiteral("gh"));
    EXPECT_TRUE(HasColour(Image, TRect(24, 2, 120, 2 + Line), QColor(0, 0, 255)));
    EXPECT_FALSE(HasColour(Image, TRect(0, 0, 24, 48), QColor(0, 0, 255)));
    EXPECT_TRUE(HasColour(Image, TRect(24, 2 + Line, 150, 48), QColor(0, 255, 0)));
    EXPECT_FALSE(HasColour(Image, TRect(0, 0, 200, 2 + Line / 2), QColor(0, 255, 0)));
}

TEST_F(DetailTest, LongTextsStayInTheirCell)
{
    TDetailItem* Item = D->Items()->Add();
    Item->SetCaption(QString(200, QChar(u'W')));
    Item->SetNotes(QStringLiteral("<font size=\"20\">") + QString(300, QChar(u'M')) + QStringLiteral("</font>"));
    D->CaptionFont()->SetColor(clBlack);
    D->NotesFont()->SetColor(clBlack);
    TBitmap Canvas(300, 120);
    Canvas.Canvas()->Brush()->SetColor(clWhite);
    Canvas.Canvas()->FillRect(TRect(0, 0, 300, 120));
    D->DrawItem(D, Canvas.Canvas(), TRect(10, 10, 110, 50), 0);
    const QImage Image = Canvas.ToImage();
    EXPECT_TRUE(HasColour(Image, TRect(10, 10, 110, 50), QColor(0, 0, 0)));
    for (const TRect& Outside : {TRect(110, 0, 300, 120), TRect(0, 50, 300, 120), TRect(0, 0, 10, 120)})
        EXPECT_FALSE(HasColour(Image, Outside, QColor(0, 0, 0)));
}

TEST_F(DetailTest, EnterOnACaptionChoosesIt)
{
    Captions({"Apple", "Abbey"});
    Focused();
    // Backspace switches completion off, so the text stays as written.
    Press(D, Qt::Key_Backspace);
    D->SetPlainText(QStringLiteral("Abbey"));
    EXPECT_EQ(D->ItemIndex(), -1);
    Press(D, Qt::Key_Return);
    EXPECT_EQ(D->ItemIndex(), 1);
    EXPECT_EQ(Selects, 1);
    EXPECT_EQ(D->RawText(), QStringLiteral("Abbey"));
}
