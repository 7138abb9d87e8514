// The combo box alone on a form: the button width, the label beside it, the
// focus colour, the flat look and the drawing of the button and borders.
#include "grid/base/EsgCombo.h"

#include "common/FormFixture.h"
#include "common/ScopedThemes.h"

#include <QImage>
#include <QTest>

namespace {

class EsgComboTest : public TFormFixture {
protected:
    void SetUp() override
    {
        FormWidth = 400;
        TFormFixture::SetUp();
        Form->SetColor(RGB(10, 20, 30));
        Combo = Make<TEsgComboBox>();
        Combo->SetBounds(100, 50, 120, 21);
        Combo->Items()->Add(QStringLiteral("one"));
        Combo->Items()->Add(QStringLiteral("two"));
        Other = Make<TEdit>(10, 150);
    }
    QColor At(Integer X, Integer Y) const { return Combo->Handle()->grab().toImage().pixelColor(X, Y); }
    // The button area: the window from ClientWidth - ButtonWidth + 2, less
    // one pixel all round.
    TRect ButtonRect() const
    {
        TRect R(Combo->ClientWidth() - Combo->ButtonWidth() + 2, 0, Combo->Width(), Combo->Height());
        InflateRect(R, -1, -1);
        return R;
    }

    TEsgComboBox* Combo = nullptr;
    TEdit* Other = nullptr;
};

} // namespace

TEST_F(EsgComboTest, ButtonWidthIsTakenOnlyFrom14To32)
{
    EXPECT_EQ(Combo->ButtonWidth(), GetSystemMetrics(SM_CXVSCROLL) + 2);
    for (Integer Refused : {13, 33, 0, -5}) {
        Combo->SetButtonWidth(20);
        Combo->SetButtonWidth(Refused);
        EXPECT_EQ(Combo->ButtonWidth(), 20) << Refused;
    }
    for (Integer Taken : {14, 32}) {
        Combo->SetButtonWidth(Taken);
        EXPECT_EQ(Combo->ButtonWidth(), Taken);
    }
}

TEST_F(EsgComboTest, TheLabelStandsWhereItsPositionSays)
{
    Combo->SetLabelCaption(QStringLiteral("Name"));
    TLabel* Label = Combo->ComboLabel();
    ASSERT_NE(Label, nullptr);
    EXPECT_EQ(Label->Parent(), Form.get());
    EXPECT_EQ(Label->FocusControl(), Combo);
    const Integer L = 100, T = 50, W = 120, H = 21, M = 4;
    const Integer LW = Label->Width(), LH = Label->Height();
    const struct {
        TLabelPosition Position;
        Integer Left, Top;
    } Cases[] = {
        {lpLeftTop, L - LW - M, T},
        {lpLeftCenter, L - LW - M, T + (H - LH) / 2},
        {lpLeftBottom, L - LW - M, T + H - LH},
        {lpTopLeft, L, T - LH - M},
        {lpBottomLeft, L, T + H + M},
        {lpLeftTopLeft, L - M, T},
        {lpLeftCenterLeft, L - M, T + (H - LH) / 2},
        {lpLeftBottomLeft, L - M, T + H - LH},
        {lpTopCenter, L + (W - LW) / 2, T - LH - M},
        {lpBottomCenter, L + (W - LW) / 2, T + H + M},
        {lpRightTop, L + W + M, T},
        {lpRightCenter, L + W + M, T + (H - LH) / 2},
        {lpRighBottom, L + W + M, T + H - LH},
    };
    for (const auto& C : Cases) {
        Combo->SetLabelPosition(C.Position);
        EXPECT_EQ(Label->Left(), C.Left) << GetEnumName(C.Position).toStdString();
        EXPECT_EQ(Label->Top(), C.Top) << GetEnumName(C.Position).toStdString();
    }
    // The label follows the control's moves, margin and visibility.
    Combo->SetLabelPosition(lpTopLeft);
    Combo->SetLeft(130);
    EXPECT_EQ(Label->Left(), 130);
    Combo->SetLabelMargin(10);
    EXPECT_EQ(Label->Top(), T - LH - 10);
    Combo->SetVisible(false);
    EXPECT_FALSE(Label->Visible());
}

TEST_F(EsgComboTest, ATallLabelAtTheRightCentreStandsAboveTheTopByHalfTheDifference)
{
    TFont Big;
    Big.SetHeight(-40);
    Combo->SetParentFont(false);
    Combo->SetLabelFont(&Big);
    Combo->SetLabelPosition(lpRightCenter);
    Combo->SetLabelCaption(QStringLiteral("Tall"));
    const Integer LH = Combo->ComboLabel()->Height();
    ASSERT_GT(LH, Combo->Height() + 1);
    EXPECT_EQ(50 - Combo->ComboLabel()->Top(), (LH - Combo->Height()) / 2);
    EXPECT_EQ(Combo->ComboLabel()->Left(), 100 + 120 + 4);
}

TEST_F(EsgComboTest, LeavingPutsBackTheColourInitTook)
{
    Combo->SetColor(RGB(1, 2, 3));
    Combo->Init();
    Combo->SetFocusColor(clYellow);
    ShowForm();
    Combo->SetFocus();
    EXPECT_EQ(Combo->Color(), clYellow);
    Other->SetFocus();
    EXPECT_EQ(Combo->Color(), RGB(1, 2, 3));
    // Without Init a control made in code goes black, as its owner is told.
    auto* Uninitialised = Make<TEsgComboBox>(100, 100);
    Uninitialised->SetFocusColor(clYellow);
    Uninitialised->SetFocus();
    Other->SetFocus();
    EXPECT_EQ(Uninitialised->Color(), clBlack);
}

TEST_F(EsgComboTest, SelectItemSelectsOnlyAnItem)
{
    Combo->SetItemIndex(1);
    Combo->SelectItem(QStringLiteral("three"));
    EXPECT_EQ(Combo->ItemIndex(), 1);
    Combo->SelectItem(QStringLiteral("one"));
    EXPECT_EQ(Combo->ItemIndex(), 0);
}

TEST_F(EsgComboTest, AFlatControlShowsItsParentsColourWhileDisabled)
{
    Combo->SetFlat(true);
    EXPECT_FALSE(Combo->Ctl3D());
    EXPECT_EQ(Combo->Color(), RGB(10, 20, 30)); // flat takes the parent's colour
    Combo->SetColor(RGB(200, 200, 100));
    Combo->SetEnabled(false);
    EXPECT_EQ(Combo->Color(), RGB(10, 20, 30));
    Combo->SetEnabled(true);
    EXPECT_EQ(Combo->Color(), RGB(200, 200, 100));
    EXPECT_FALSE(Combo->ParentColor());
}

TEST_F(EsgComboTest, TheButtonInTheOwnersColours)
{
    Combo->SetButtonColor(RGB(0, 160, 0));
    Combo->SetButtonTextColor(RGB(200, 0, 0));
    Combo->SetButtonColorHot(RGB(0, 0, 180));
    ShowForm();
    const TRect R = ButtonRect();
    EXPECT_EQ(At(R.Left + 1, R.Top + 3), QColor(0, 160, 0));
    EXPECT_EQ(At(R.Left + 7, R.Top + 8), QColor(200, 0, 0)); // the triangle
    EXPECT_EQ(At(R.Left + 4, R.Top + 7), QColor(200, 0, 0));
    EXPECT_NE(At(R.Left + 7, R.Top + 11), QColor(200, 0, 0));
    // Hot while the mouse is over the button.
    QTest::mouseMove(Combo->Handle(), QPoint(R.Left + 3, 10));
    EXPECT_EQ(At(R.Left + 1, R.Top + 3), QColor(0, 0, 180));
    QTest::mouseMove(Combo->Handle(), QPoint(10, 10));
    EXPECT_EQ(At(R.Left + 1, R.Top + 3), QColor(0, 160, 0));
}

TEST_F(EsgComboTest, BordersInTheirColours)
{
    ShowForm();
    Other->SetFocus();
    Combo->SetBorderColor(RGB(0, 0, 255));
    EXPECT_EQ(At(0, 10), QColor(0, 0, 255));
    // The focus border while focused, else nothing of it.
    Combo->SetBorderColor(clDefault);
    Combo->SetFocusBorderColor(RGB(255, 0, 0));
    EXPECT_NE(At(0, 10), QColor(255, 0, 0));
    Combo->SetFocus();
    EXPECT_EQ(At(0, 10), QColor(255, 0, 0));
    // Disabled and themed with DisabledBorder off: the fixed frame colour.
    Combo->SetFocusBorderColor(clDefault);
    Combo->SetDisabledBorder(false);
    Combo->SetEnabled(false);
    EXPECT_EQ(At(0, 10), ColorToQColor(EsgDisabledBorderColor));
    EXPECT_EQ(At(Combo->Width() - 1, 0), ColorToQColor(EsgDisabledBorderColor));
}

TEST_F(EsgComboTest, TheClassicLookWithoutThemes)
{
    const TScopedThemesOff Classic;
    Combo->SetFlat(true);
    ShowForm();
    // The flat look: frames in the parent's and the control's colours.
    EXPECT_EQ(At(0, 10), QColor(10, 20, 30));
    // The classic drop-down button in the button face.
    const TRect R = ButtonRect();
    EXPECT_EQ(At(R.Left + 2, R.Top + 3), ColorToQColor(clBtnFace));
}

TEST_F(EsgComboTest, ClosingTheListFiresOnDropUp)
{
    Integer DropUps = 0;
    Combo->OnDropUp = [&](TObject*) { ++DropUps; };
    Combo->SetDropWidth(300);
    EXPECT_EQ(Combo->Perform(CB_GETDROPPEDWIDTH), 300);
    ShowForm();
    Combo->SetDroppedDown(true);
    EXPECT_EQ(DropUps, 0);
    Combo->SetDroppedDown(false);
    EXPECT_EQ(DropUps, 1);
    // The handler may free the control.
    Combo->OnDropUp = [this](TObject*) { delete Combo; };
    Combo->SetDroppedDown(true);
    Combo->SetDroppedDown(false);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Form->ControlCount(), 1);
}

TEST_F(EsgComboTest, TheLabelFollowsEnabledAndFocus)
{
    Combo->SetLabelCaption(QStringLiteral("Name"));
    Combo->SetFocusLabel(true);
    TLabel* Label = Combo->ComboLabel();
    Combo->SetEnabled(false);
    EXPECT_FALSE(Label->Enabled());
    Combo->SetLabelAlwaysEnabled(true);
    EXPECT_TRUE(Label->Enabled());
    Combo->SetEnabled(true);
    ShowForm();
    Combo->SetFocus();
    EXPECT_TRUE(Label->Font()->Style().Contains(fsBold));
    Other->SetFocus();
    EXPECT_FALSE(Label->Font()->Style().Contains(fsBold));
}
