// The button appearance, the pop-up's buttons and its header and footer.
#include "DropDownFixture.h"
#include "common/ScopedThemes.h"

#include "rtl/Forms.h"

#include <QMouseEvent>

namespace {

class ButtonsBarsTest : public DropDownFixture {
protected:
    void SetUp() override
    {
        DropDownFixture::SetUp();
        ShowForm();
        D = MakeDropDown();
        auto* P = new TPanel(D);
        P->SetBounds(0, 0, 200, 60);
        D->SetControl(P);
    }
    TExButton* MakeButton(TWinControl* Parent, Integer Left = 0)
    {
        auto* B = new TExButton(Form.get());
        B->SetParent(Parent);
        B->SetBounds(Left, 0, 40, 20);
        B->SetAppearance(D->ButtonAppearance());
        return B;
    }
    static QRgb Centre(TExButton* B)
    {
        return B->Handle()->grab().toImage().pixel(B->Width() / 2, 3) & 0xFFFFFF;
    }
    static QRgb Rgb(TColor C) { return ColorToQColor(C).rgb() & 0xFFFFFF; }
    // A mouse move with the buttons held (none by default).
    static void MoveMouse(TControl* C, QPoint P, Qt::MouseButtons Buttons = Qt::NoButton)
    {
        QMouseEvent E(QEvent::MouseMove, P, C->Handle()->mapToGlobal(P), Qt::NoButton, Buttons, Qt::NoModifier);
        QApplication::sendEvent(C->Handle(), &E);
    }

    TExCustomDropDown* D = nullptr;
};

} // namespace

TEST_F(ButtonsBarsTest, AppearanceDefaultsAndAssign)
{
    TExButtonAppearance A;
    EXPECT_EQ(A.ColorChecked(), AdjustColor(TColor(0xF5F0E1), -10, -10, 0));
    EXPECT_EQ(A.ColorCheckedTo(), AdjustColor(TColor(0xF9D2B2), -10, -10, 0));
    EXPECT_EQ(A.BorderColorDown(), clNavy);
    EXPECT_EQ(A.Gradient(), gdVertical);
    EXPECT_EQ(A.Font()->Name(), QStringLiteral("Tahoma"));
    int Changes = 0;
    A.OnChange = [&](TObject*) { ++Changes; };
    TExButtonAppearance B;
    B.SetColorHot(TColor(0x010203));
    B.SetGradient(gdHorizontal);
    B.Font()->SetName(QStringLiteral("Other"));
    A.Assign(&B);
    EXPECT_EQ(A.ColorHot(), TColor(0x010203));
    EXPECT_EQ(A.Gradient(), gdHorizontal);
    EXPECT_EQ(A.Font()->Name(), QStringLiteral("Tahoma"));
    EXPECT_EQ(Changes, 2);
}

TEST_F(ButtonsBarsTest, FacesFollowTheState)
{
    TExButtonAppearance& A = *D->ButtonAppearance();
    A.SetColor(TColor(0x0000FF));
    A.SetColorTo(TColor(0x00FF00));
    A.SetColorHot(TColor(0x112233));
    A.SetColorDown(TColor(0x445566));
    A.SetColorChecked(TColor(0x778899));
    TExButton* B = MakeButton(Form.get());
    // Normal (the pointer elsewhere): a gradient, so the top and bottom
    // rows differ.
    QTest::mouseMove(Form->Handle(), QPoint(FormWidth - 5, FormHeight - 5));
    B->Perform(CM_MOUSELEAVE);
    ASSERT_FALSE(B->MouseInControl());
    const QImage Normal = B->Handle()->grab().toImage();
    EXPECT_NE(Normal.pixel(20, 2), Normal.pixel(20, 17));
    B->SetStyle(tasCheck);
    B->SetDown(true);
    EXPECT_EQ(Centre(B), Rgb(TColor(0x778899)));
    B->SetDown(false);
    QTest::mouseMove(B->Handle(), QPoint(10, 10));
    B->Perform(CM_MOUSEENTER);
    EXPECT_EQ(Centre(B), Rgb(TColor(0x112233)));
    QTest::mousePress(B->Handle(), Qt::LeftButton, {}, QPoint(10, 10));
    const QImage Pressed = B->Handle()->grab().toImage();
    EXPECT_EQ(Pressed.pixel(20, 3) & 0xFFFFFF, Rgb(TColor(0x445566)));
    EXPECT_EQ(Pressed.pixel(20, 16) & 0xFFFFFF, Rgb(TColor(0x445566)));
    QTest::mouseRelease(B->Handle(), Qt::LeftButton, {}, QPoint(10, 10));
}

TEST_F(ButtonsBarsTest, PressAndReleaseOutsideGivesNoClick)
{
    TExButton* B = MakeButton(Form.get());
    int Clicks = 0;
    B->OnClick = [&](TObject*) { ++Clicks; };
    QTest::mousePress(B->Handle(), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(B->State(), absDown);
    QTest::mouseRelease(B->Handle(), Qt::LeftButton, {}, QPoint(100, 100));
    EXPECT_EQ(Clicks, 0);
    EXPECT_EQ(B->State(), absUp);
    QTest::mouseClick(B->Handle(), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(Clicks, 1);
}

TEST_F(ButtonsBarsTest, GroupsAreExclusive)
{
    TExButton* A = MakeButton(Form.get());
    TExButton* B = MakeButton(Form.get(), 50);
    A->SetGroupIndex(1);
    B->SetGroupIndex(1);
    A->SetDown(true);
    EXPECT_TRUE(A->Down());
    B->SetDown(true);
    EXPECT_TRUE(B->Down());
    EXPECT_FALSE(A->Down());
    // Without allow-all-up a down button stays down.
    B->SetDown(false);
    EXPECT_TRUE(B->Down());
    // A release on the bottom row counts as inside.
    QTest::mousePress(A->Handle(), Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(A->Handle(), Qt::LeftButton, {}, QPoint(10, A->ClientHeight()));
    EXPECT_TRUE(A->Down());
    EXPECT_FALSE(B->Down());
    // A plain button outside a group never stays down.
    TExButton* C = MakeButton(Form.get(), 100);
    C->SetDown(true);
    EXPECT_FALSE(C->Down());
}

TEST_F(ButtonsBarsTest, FooterButtonsCloseByTheirResult)
{
    D->DropDownFooter()->Buttons()->Add()->SetModalResult(mrOk);
    D->DropDownFooter()->Buttons()->Add()->SetModalResult(mrCancel);
    D->DropDownFooter()->Buttons()->Add()->SetModalResult(mrRetry);
    for (auto* Item : {D->DropDownFooter()->Buttons()->Items(0), D->DropDownFooter()->Buttons()->Items(1),
                       D->DropDownFooter()->Buttons()->Items(2)})
        Item->SetCaption(QStringLiteral("B"));
    std::vector<bool> Ups;
    std::vector<Integer> Clicked;
    D->OnDropUp = [&](TObject*, bool Cancelled) { Ups.push_back(Cancelled); };
    D->OnDropDownFooterButtonClick = [&](TObject*, Integer Index) { Clicked.push_back(Index); };
    const auto ClickButton = [&](int Index) {
        D->ShowDropDown();
        TExButton* B = D->DropDownForm()->Footer()->Button(Index);
        QTest::mouseClick(B->Handle(), Qt::LeftButton, {}, QPoint(3, 3));
    };
    ClickButton(0);
    EXPECT_FALSE(D->DroppedDown());
    ClickButton(1);
    EXPECT_FALSE(D->DroppedDown());
    ClickButton(2);
    EXPECT_TRUE(D->DroppedDown());
    EXPECT_EQ(D->DropDownForm()->ModalResult(), mrRetry);
    EXPECT_EQ(Ups, (std::vector<bool>{false, true}));
    EXPECT_EQ(Clicked, (std::vector<Integer>{0, 1, 2}));
}

TEST_F(ButtonsBarsTest, EnterOnAHeaderButtonRaisesNoHeaderEvent)
{
    D->DropDownHeader()->Buttons()->Add()->SetCaption(QStringLiteral("H"));
    int Clicked = 0;
    D->OnDropDownHeaderButtonClick = [&](TObject*, Integer) { ++Clicked; };
    D->ShowDropDown();
    TExButton* B = D->DropDownForm()->Header()->Button(0);
    QApplication::setActiveWindow(D->DropDownForm()->Handle());
    B->SetFocus();
    Press(B, Qt::Key_Return);
    EXPECT_EQ(Clicked, 0);
    QTest::mouseClick(B->Handle(), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(Clicked, 1);
}

TEST_F(ButtonsBarsTest, HeaderButtonsLineUpFromTheRight)
{
    // A 200-pixel header inside the pop-up's one-pixel border.
    D->SetDropDownWidth(202);
    for (const char* Caption : {"One", "Two", "Three"})
        D->DropDownHeader()->Buttons()->Add()->SetCaption(QString::fromLatin1(Caption));
    D->ShowDropDown();
    TExHeader* H = D->DropDownForm()->Header();
    ASSERT_EQ(H->Width(), 200);
    EXPECT_EQ(H->Button(0)->Left() + H->Button(0)->Width(), 198);
    EXPECT_EQ(H->Button(1)->Left() + H->Button(1)->Width(), H->Button(0)->Left());
    EXPECT_EQ(H->Button(2)->Left() + H->Button(2)->Width(), H->Button(1)->Left());
    EXPECT_EQ(H->GetCaptionRect().Right, H->Button(2)->Left() - 2);
    // The collection changes between openings; the buttons are rebuilt.
    D->HideDropDown(false);
    D->DropDownHeader()->Buttons()->Delete(2);
    D->ShowDropDown();
    EXPECT_EQ(H->ButtonList()->Count(), 2);
    EXPECT_THROW(H->Button(2), Exception);
}

TEST_F(ButtonsBarsTest, AButtonTallerThanTheFooterIsCut)
{
    D->DropDownFooter()->Buttons()->Add()->SetHeight(40);
    D->ShowDropDown();
    TExFooter* F = D->DropDownForm()->Footer();
    ASSERT_EQ(F->Height(), 22);
    EXPECT_EQ(F->Button(0)->Height(), 18);
}

TEST_F(ButtonsBarsTest, DrawBackGroundReplacesAllPainting)
{
    TScopedThemesOff Classic;
    D->DropDownHeader()->SetCaption(QStringLiteral("<b>Caption</b>"));
    D->DropDownHeader()->SetColor(TColor(0xFFFFFF));
    D->DropDownHeader()->SetColorTo(clNone);
    D->OnDrawHeader = [](TObject*, TCanvas* C, TRect R) {
        C->Brush()->SetColor(TColor(0x00FF00));
        C->FillRect(R);
    };
    D->ShowDropDown();
    const QImage I = D->DropDownForm()->Header()->Handle()->grab().toImage();
    for (int X = 0; X < I.width(); X += 7)
        for (int Y = 0; Y < I.height(); Y += 3)
            ASSERT_EQ(I.pixel(X, Y) & 0xFFFFFF, 0x00FF00u) << X << "," << Y;
}

TEST_F(ButtonsBarsTest, OnlyTheListSideIsDrawnWhenThePopupHasABorder)
{
    TScopedThemesOff Classic;
    // A pop-up border needs a colour; the default style gives none.
    D->SetDropDownBorderColor(clBlack);
    THeaderAppearance* A = D->DropDownHeader();
    A->SetColor(TColor(0xFFFFFF));
    A->SetColorTo(clNone);
    A->SetBorderColor(TColor(0x0000FF));
    A->SetBorderWidth(3);
    const auto LeftColumn = [&] {
        D->ShowDropDown();
        const QImage I = D->DropDownForm()->Header()->Handle()->grab().toImage();
        D->HideDropDown(false);
        return I.pixel(1, 5) & 0xFFFFFF;
    };
    const QRgb Red = 0xFF0000u;
    EXPECT_NE(LeftColumn(), Red);
    D->SetDropDownBorderWidth(0);
    EXPECT_EQ(LeftColumn(), Red);
    // The list-side edge in both cases.
    D->ShowDropDown();
    TExHeader* H = D->DropDownForm()->Header();
    const QImage I = H->Handle()->grab().toImage();
    EXPECT_EQ(I.pixel(H->Width() / 2, H->Height() - 1) & 0xFFFFFF, Red);
}

TEST_F(ButtonsBarsTest, TheSizeGripWorksOnlyWhenOnAndSizeable)
{
    D->ShowDropDown();
    TExFooter* F = D->DropDownForm()->Footer();
    ASSERT_NE(F, nullptr);
    const QPoint Corner(F->Width() - 5, F->Height() - 3);
    F->Perform(CM_MOUSEENTER);
    MoveMouse(F, Corner);
    EXPECT_EQ(Screen->Cursor(), crSizeNWSE);
    MoveMouse(F, QPoint(5, 5));
    EXPECT_EQ(Screen->Cursor(), crDefault);
    const Integer W = D->DropDownForm()->Width(), H = D->DropDownForm()->Height();
    int Resized = 0;
    D->DropDownForm()->OnSizing = [&](TObject*) { ++Resized; };
    QTest::mousePress(F->Handle(), Qt::LeftButton, {}, Corner);
    MoveMouse(F, Corner + QPoint(30, 20), Qt::LeftButton);
    QTest::mouseRelease(F->Handle(), Qt::LeftButton, {}, Corner + QPoint(30, 20));
    EXPECT_EQ(D->DropDownForm()->Width(), W + 30);
    EXPECT_EQ(D->DropDownForm()->Height(), H + 20);
    EXPECT_GT(Resized, 0);
    D->HideDropDown(false);
    D->SetDropDownSizeable(false);
    D->ShowDropDown();
    EXPECT_FALSE(F->ShowSizeGrip());
    MoveMouse(F, Corner);
    EXPECT_EQ(Screen->Cursor(), crDefault);
    D->HideDropDown(false);
    D->SetDropDownSizeable(true);
    D->DropDownFooter()->SetSizeGrip(false);
    D->ShowDropDown();
    EXPECT_FALSE(F->ShowSizeGrip());
}

TEST(DbgListTest, OutOfBoundsRaisesItsMessages)
{
    TDbgList L;
    int A = 1, B = 2;
    L.Add(&A);
    EXPECT_EQ(L.GetItemsEx(0), &A);
    L.SetItemsEx(0, &B);
    EXPECT_EQ(L.GetItemsEx(0), &B);
    try {
        L.GetItemsEx(1);
        FAIL();
    } catch (const Exception& E) {
        EXPECT_EQ(E.Message(), QStringLiteral("Index out of bounds in list read access"));
    }
    try {
        L.SetItemsEx(-1, &A);
        FAIL();
    } catch (const Exception& E) {
        EXPECT_EQ(E.Message(), QStringLiteral("Index out of bounds in list write access"));
    }
    TDbgList Copy;
    Copy.AssignList(L);
    EXPECT_EQ(Copy.Count(), 1);
}
