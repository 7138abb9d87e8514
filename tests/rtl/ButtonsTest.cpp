// Speed buttons: the mouse, groups of buttons that stay down, and the glyph.
#include "rtl/Buttons.h"
#include "rtl/ExtCtrls.h"

#include "common/FormFixture.h"
#include "common/ScopedThemes.h"

#include <QImage>
#include <QTest>

namespace {

class ButtonsTest : public TFormFixture {
protected:
    TSpeedButton* NewButton(Integer Left, Integer Group = 0)
    {
        auto* B = Make<TSpeedButton>(Left, 10, Panel);
        B->SetGroupIndex(Group);
        B->OnClick = [this](TObject*) { ++Clicks; };
        return B;
    }
    void SetUp() override
    {
        TFormFixture::SetUp();
        Panel = Make<TPanel>(0, 0);
        Panel->SetBounds(0, 0, 200, 60);
        Panel->SetColor(RGB(10, 20, 30));
    }

    TPanel* Panel = nullptr;
    Integer Clicks = 0;
};

// A glyph of Count pictures, 4 x 4 each, in the given colours on a white
// background (the transparent colour, from the bottom-left pixel).
std::unique_ptr<TBitmap> Strip(std::initializer_list<TColor> Colours)
{
    auto B = std::make_unique<TBitmap>(Integer(Colours.size()) * 4, 4);
    B->Canvas()->Brush()->SetColor(clWhite);
    B->Canvas()->FillRect(TRect(0, 0, B->Width(), 4));
    Integer X = 0;
    for (TColor C : Colours) {
        B->Canvas()->Brush()->SetColor(C);
        B->Canvas()->FillRect(TRect(X, 0, X + 4, 3));
        X += 4;
    }
    return B;
}

} // namespace

TEST_F(ButtonsTest, APressHoldsTheMouseAndOnlyAReleaseInsideClicks)
{
    TSpeedButton* B = NewButton(10);
    ShowForm();
    QTest::mousePress(B->Handle(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(B->State(), bsDown);
    EXPECT_TRUE(B->MouseCapture());
    QTest::mouseMove(B->Handle(), QPoint(60, 5));
    EXPECT_EQ(B->State(), bsUp);
    EXPECT_TRUE(B->MouseCapture());
    QTest::mouseMove(B->Handle(), QPoint(5, 5));
    EXPECT_EQ(B->State(), bsDown);
    QTest::mouseRelease(B->Handle(), Qt::LeftButton, Qt::NoModifier, QPoint(60, 5));
    EXPECT_EQ(Clicks, 0);
    EXPECT_FALSE(B->MouseCapture());
    QTest::mouseClick(B->Handle(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(Clicks, 1);
    EXPECT_EQ(B->State(), bsUp);
    // A disabled button takes no press.
    B->SetEnabled(false);
    EXPECT_EQ(B->State(), bsDisabled);
    QTest::mouseClick(B->Handle(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(Clicks, 1);
}

TEST_F(ButtonsTest, ButtonsOfAGroupStayDownOneAtATime)
{
    TSpeedButton* Lone = NewButton(0);
    Lone->SetDown(true);
    EXPECT_FALSE(Lone->Down()); // no group: never down
    TSpeedButton* A = NewButton(30, 1);
    TSpeedButton* B = NewButton(60, 1);
    TSpeedButton* Other = NewButton(90, 2);
    Other->SetDown(true);
    A->SetDown(true);
    ShowForm();
    QTest::mouseClick(B->Handle(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_TRUE(B->Down());
    EXPECT_EQ(B->State(), bsExclusive);
    EXPECT_FALSE(A->Down());
    EXPECT_TRUE(Other->Down());
    // Without AllowAllUp the down button stays down.
    QTest::mouseClick(B->Handle(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_TRUE(B->Down());
    B->SetAllowAllUp(true);
    EXPECT_TRUE(A->AllowAllUp()); // shared by the group
    QTest::mouseClick(B->Handle(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_FALSE(B->Down());
    EXPECT_EQ(Clicks, 3);
}

TEST_F(ButtonsTest, TheGlyphOfTheStateIsDrawnCentredAndMovedWhilePressed)
{
    TSpeedButton* B = NewButton(10);
    B->SetBounds(10, 10, 20, 20);
    B->SetGlyph(Strip({clRed, clLime, clBlue}).get());
    B->SetNumGlyphs(5); // refused
    EXPECT_EQ(B->NumGlyphs(), 1);
    B->SetNumGlyphs(3);
    ShowForm();
    const auto At = [&](Integer X, Integer Y) { return B->Handle()->grab().toImage().pixelColor(X, Y); };
    // A 4 x 4 picture at (8, 8); its white bottom row is transparent.
    EXPECT_EQ(At(8, 8), QColor(Qt::red));
    EXPECT_NE(At(8, 11), QColor(Qt::white));
    QTest::mousePress(B->Handle(), Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    EXPECT_EQ(At(9, 9), QColor(Qt::blue)); // the pressed picture, one pixel on
    QTest::mouseRelease(B->Handle(), Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    B->SetEnabled(false);
    EXPECT_EQ(At(8, 8), QColor(Qt::green));
    // A glyph without a disabled picture is greyed.
    B->SetNumGlyphs(1);
    const QColor Grey = At(8, 8);
    EXPECT_EQ(Grey.red(), Grey.green());
    EXPECT_EQ(Grey.green(), Grey.blue());
}

TEST_F(ButtonsTest, AFlatButtonAtRestShowsItsParentUnlessOpaque)
{
    TSpeedButton* B = NewButton(10);
    B->SetFlat(true);
    const TScopedThemesOff Classic;
    ShowForm();
    // Seen on the panel, where the parent shows through.
    const auto At = [&](Integer X, Integer Y) {
        return Panel->Handle()->grab().toImage().pixelColor(B->Left() + X, B->Top() + Y);
    };
    EXPECT_EQ(At(3, 3), QColor(10, 20, 30));
    B->SetTransparent(false);
    EXPECT_EQ(At(3, 3), ColorToQColor(clBtnFace));
    // Pressed it shows the classic sunken edge.
    QTest::mousePress(B->Handle(), Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    EXPECT_EQ(At(0, 0), ColorToQColor(clBtnShadow));
    QTest::mouseRelease(B->Handle(), Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
}

TEST_F(ButtonsTest, AClickMayFreeTheButton)
{
    TSpeedButton* B = NewButton(10);
    B->OnClick = [B](TObject*) { delete B; };
    ShowForm();
    QTest::mouseClick(B->Handle(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Panel->ControlCount(), 0);
}
