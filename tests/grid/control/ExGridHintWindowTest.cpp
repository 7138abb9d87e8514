// The hint window of mini-HTML and wide-encoded hints: layout width, margins,
// the place kept inside the screen, the wide text on one line in the grid's
// face, the picture sources taken from the grid, and its frame.
#include "ExGridOnForm.h"

#include "grid/base/ExUtil.h"
#include "rtl/ImgList.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>

namespace {

class ExGridHintWindowTest : public ::testing::Test {
protected:
    ExGridHintWindowTest() { Window = std::make_unique<THTMLHintWindow>(nullptr); }
    ~ExGridHintWindowTest() override { Window->ReleaseHandle(); }

    static TRect Monitor()
    {
        return FromQRect(QGuiApplication::primaryScreen()->availableGeometry());
    }
    // A hint placed at the monitor's top-left corner, away from its edges.
    TRect ShowAt(const String& Hint, Integer X, Integer Y)
    {
        const TRect M = Monitor();
        Window->ActivateHint(TRect(M.Left + X, M.Top + Y, M.Left + X + 10, M.Top + Y + 10), Hint);
        QApplication::processEvents();
        return Window->BoundsRect();
    }

    std::unique_ptr<THTMLHintWindow> Window;
};

TEST_F(ExGridHintWindowTest, HTMLHintIsLaidOutWithin1008PixelsWithItsMargins)
{
    QStringList Words;
    for (Integer I = 0; I < 400; ++I)
        Words << QStringLiteral("word%1").arg(I);
    const String Hint = QStringLiteral("<b>") + Words.join(u' ') + QStringLiteral("</b>");
    const TRect R = ShowAt(Hint, 10, 10);
    EXPECT_LE(Window->TextWidth(), 1008);
    EXPECT_GT(Window->TextWidth(), 900);
    EXPECT_GT(Window->TextHeight(), 3 * QFontMetrics(Window->Font()->ToQFont()).height());
    EXPECT_EQ(R.Right - R.Left, Window->TextWidth() + 16);
    EXPECT_EQ(R.Bottom - R.Top, Window->TextHeight() + 4);
    EXPECT_TRUE(Window->IsHintShowing());

    // CalcHintRect gives the size within the width asked, without margins.
    const TRect Calc = Window->CalcHintRect(300, Hint, nullptr);
    EXPECT_EQ(Calc.Left, 0);
    EXPECT_LE(Calc.Right, 300);
    EXPECT_GT(Calc.Bottom, Window->TextHeight());
}

TEST_F(ExGridHintWindowTest, HintNearTheEdgesEndsTwoPixelsInsideTheScreen)
{
    const TRect M = Monitor();
    const String Hint = QStringLiteral("a hint of some width");
    const TRect Free = ShowAt(Hint, 10, 10);
    const Integer W = Free.Right - Free.Left;
    const Integer H = Free.Bottom - Free.Top;
    const TRect R = ShowAt(Hint, M.Right - M.Left - 5, M.Bottom - M.Top - 3);
    EXPECT_EQ(R.Right, M.Right - 2);
    EXPECT_EQ(R.Bottom, M.Bottom - 2);
    EXPECT_EQ(R.Right - R.Left, W);
    EXPECT_EQ(R.Bottom - R.Top, H);
}

TEST_F(ExGridHintWindowTest, MalformedOrHugeHintsStayOnTheScreen)
{
    String Hint;
    for (Integer I = 0; I < 3000; ++I)
        Hint += QStringLiteral("<b<i>x <font size=\"99999\" color=\"#zz\">long</");
    const TRect M = Monitor();
    const TRect R = ShowAt(Hint, 50, 50);
    EXPECT_LE(Window->TextWidth(), 1008);
    EXPECT_LE(R.Right, M.Right);
    EXPECT_GE(R.Left, M.Left - 1008);
}

TEST_F(ExGridHintWindowTest, WideHintIsOneLineInTheGridsFontFace)
{
    TGridOnForm<TTestExGrid> F;
    F.Grid->Font()->SetName(QStringLiteral("DejaVu Serif"));
    F.Show();
    THintInfo Info;
    Info.CursorPos = TPoint(1000, 1000);
    F.Grid->Perform(CM_HINTSHOW, 0, LPARAM(&Info));
    ASSERT_EQ(HintFontName(), F.Grid->Font()->Name());

    const String Text = QStringLiteral("wide text with blanks that stays on one line");
    const TRect R = ShowAt(WideToCellText(Text), 10, 10);
    EXPECT_EQ(Window->WideCaption(), Text);
    TFont Face;
    Face.Assign(Window->Font());
    Face.SetName(HintFontName());
    const QFontMetrics Metrics(Face.ToQFont());
    EXPECT_NEAR(Window->TextWidth(), Metrics.horizontalAdvance(Text), 2);
    EXPECT_EQ(Window->TextHeight(), Metrics.height());
    EXPECT_EQ(R.Right - R.Left, Window->TextWidth() + 8);
}

TEST_F(ExGridHintWindowTest, HintDataFromAGridGivesItsImagesAndPictures)
{
    TGridOnForm<TTestExGrid> F;
    auto* Images = new TImageList(F.Form.get());
    F.Grid->SetGridImages(Images);
    Window->ActivateHintData(TRect(0, 0, 10, 10), QStringLiteral("<b>x</b>"), static_cast<TObject*>(F.Grid));
    EXPECT_EQ(Window->Images(), Images);
    EXPECT_EQ(Window->Pictures(), F.Grid->PictureContainer());
}

TEST_F(ExGridHintWindowTest, FrameIsLightAtTopLeftAndDarkAtBottomRight)
{
    ShowAt(QStringLiteral("<b>framed</b>"), 10, 10);
    const QImage Image = Window->Handle()->grab().toImage();
    ASSERT_FALSE(Image.isNull());
    const Integer W = Image.width();
    const Integer H = Image.height();
    auto Pixel = [&](Integer X, Integer Y) { return TColor(RGB(qRed(Image.pixel(X, Y)), qGreen(Image.pixel(X, Y)), qBlue(Image.pixel(X, Y)))); };
    EXPECT_EQ(Pixel(0, H / 2), ColorToRGB(cl3DLight));
    EXPECT_EQ(Pixel(W / 2, 0), ColorToRGB(cl3DLight));
    EXPECT_EQ(Pixel(W / 2, H - 1), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(Pixel(W - 1, H / 2), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(Pixel(2, 2), ColorToRGB(Window->Color()));
}

} // namespace
