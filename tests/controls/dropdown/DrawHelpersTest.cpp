// The free routines of the drop-down unit and the drop-down button.
#include "controls/dropdown/ExDropDown_Draw.h"

#include "DropDownFixture.h"
#include "common/ScopedThemes.h"

#include <QImage>
#include <QMouseEvent>

namespace {

QImage WhiteImage(int W, int H)
{
    QImage I(W, H, QImage::Format_RGB32);
    I.fill(Qt::white);
    return I;
}

QRgb Rgb(int R, int G, int B)
{
    return qRgb(R, G, B);
}

} // namespace

TEST(DropDownDrawTest, GradientBandsRoundHalfToEven)
{
    QImage I = WhiteImage(10, 1);
    {
        TCanvas C(&I);
        FillGradient(&C, TColor(0x000000), TColor(0x0000FF), 2, TRect(0, 0, 10, 1), true);
    }
    for (int X = 0; X <= 3; ++X)
        EXPECT_EQ(I.pixel(X, 0), Rgb(0, 0, 0)) << X;
    for (int X = 4; X <= 8; ++X)
        EXPECT_EQ(I.pixel(X, 0), Rgb(128, 0, 0)) << X;
    EXPECT_EQ(I.pixel(9, 0), Rgb(255, 255, 255));
}

TEST(DropDownDrawTest, GradientOfNoStepsIsOneBandOfTheFromColour)
{
    QImage I = WhiteImage(6, 6);
    {
        TCanvas C(&I);
        FillGradient(&C, TColor(0x00FF00), TColor(0xFF0000), 0, TRect(0, 0, 6, 6), false);
    }
    for (int Y = 0; Y < 6; ++Y)
        EXPECT_EQ(I.pixel(2, Y), Rgb(0, 255, 0)) << Y;
}

TEST(DropDownDrawTest, BlendAndAdjustColours)
{
    EXPECT_EQ(BlendColor(clBtnFace, clWhite, 100), clBtnFace);
    EXPECT_EQ(BlendColor(clBtnFace, clWhite, 0), clWhite);
    EXPECT_EQ(BlendColor(TColor(0x000000), TColor(0x0000FF), 50), TColor(0x000080));
    EXPECT_EQ(AdjustColor(TColor(0xF5F0E1), -10, -10, 0), TColor(0xF5D8CA));
    EXPECT_EQ(AdjustColor(TColor(0xF9D2B2), -10, -10, 0), TColor(0xF9BDA0));
    // A zero channel takes the change itself, a positive change keeps others.
    EXPECT_EQ(AdjustColor(TColor(0x000010), 20, 5, 300), TColor(0x2C0510));
}

TEST(DropDownDrawTest, NumberKinds)
{
    platform::SetUserDecimalSeparator(u'.');
    platform::SetUserThousandSeparator(u',');
    const struct {
        const char* Text;
        Integer Kind;
    } Cases[] = {{"12", 0},  {"-5", 0},    {"1.5", 1},   {"1F", 5},    {"", 2},
                 {"--1", 2}, {"1.2.3", 2}, {"1,234", 1}, {"1,2,3", 2}, {"xyz", 2}, {"abc", 5}};
    for (const auto& C : Cases)
        EXPECT_EQ(IsType(QString::fromLatin1(C.Text)), C.Kind) << C.Text;
    EXPECT_EQ(StripThousandSeparators(QStringLiteral("1,234,5")), QStringLiteral("12345"));
    platform::SetUserDecimalSeparator(std::nullopt);
    platform::SetUserThousandSeparator(std::nullopt);
}

TEST(DropDownDrawTest, HexWrapsAndCountsBadDigitsZero)
{
    EXPECT_EQ(HexToInt(QString()), 0);
    EXPECT_EQ(HexToInt(QStringLiteral("ff")), 255);
    EXPECT_EQ(HexToInt(QStringLiteral("1G")), 16);
    EXPECT_EQ(HexToInt(QStringLiteral("FFFFFFFF")), -1);
    EXPECT_EQ(HexToInt(QStringLiteral("100000001")), 1);
    EXPECT_EQ(HexDigitValue(u'z'), 0);
    EXPECT_TRUE(IsRangeSeparator(u';'));
    EXPECT_FALSE(IsRangeSeparator(u'.'));
    EXPECT_EQ(OptionalUpperCase(QStringLiteral("ab"), true), QStringLiteral("ab"));
    EXPECT_EQ(OptionalUpperCase(QStringLiteral("ab"), false), QStringLiteral("AB"));
}

TEST(DropDownDrawTest, TextIsFittedWithAnEllipsis)
{
    TBitmap B(10, 10);
    TCanvas* C = B.Canvas();
    const String Text = QStringLiteral("A rather long caption");
    const Integer Full = GetTextSize(C, Text).cx;
    String Fitted;
    FitTextToWidth(C, Text, Full / 2, true, Fitted);
    EXPECT_TRUE(Fitted.endsWith(QStringLiteral("...")));
    EXPECT_LT(GetTextSize(C, Fitted).cx, Full / 2);
    // Even "..." alone is too wide: the whole text stays.
    FitTextToWidth(C, Text, 2, true, Fitted);
    EXPECT_EQ(Fitted, Text);
    FitTextToWidth(C, Text, Full, true, Fitted);
    EXPECT_EQ(Fitted, Text);
    EXPECT_EQ(GetTextSize(C, String()).cx, 0);
}

class DropDownButtonTest : public DropDownFixture {};

TEST_F(DropDownButtonTest, ClickComesOnTheLeftReleaseAlsoOutside)
{
    ShowForm();
    auto* D = MakeDropDown();
    int Clicks = 0;
    D->Button()->OnClick = [&](TObject* Sender) {
        EXPECT_EQ(Sender, D->Button());
        ++Clicks;
    };
    QWidget* W = D->Button()->SpeedButton()->Handle();
    QTest::mousePress(W, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(Clicks, 0);
    QTest::mouseRelease(W, Qt::LeftButton, {}, QPoint(60, 40));
    EXPECT_EQ(Clicks, 1);
    QTest::mouseClick(W, Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(Clicks, 1);
}

TEST_F(DropDownButtonTest, ClassicButtonDrawsItsArrowInBlack)
{
    TScopedThemesOff Classic;
    ShowForm();
    auto* D = MakeDropDown();
    const QImage I = D->Button()->SpeedButton()->Handle()->grab().toImage();
    EXPECT_EQ(I.pixel(8, 8), Rgb(0, 0, 0));
    EXPECT_EQ(I.pixel(1, 3), Rgb(255, 255, 255));
}
