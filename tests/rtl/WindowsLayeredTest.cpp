#include "rtl/Windows.h"

#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// A 4 x 3 picture with premultiplied alpha: half-transparent red, one pixel
// in the key colour.
void PaintLayeredPicture(TBitmap& Picture)
{
    Picture.SetPixelFormat(pf32bit);
    Picture.SetSize(4, 3);
    QImage& Pixels = Picture.Image();
    Pixels.fill(uint(qRgba(0x80, 0, 0, 0x80))); // raw premultiplied: full red at half alpha
    Pixels.setPixel(0, 0, qRgba(0, 0xFF, 0, 0xFF));
}

} // namespace

TEST(WindowsLayered, UpdateShowsThePictureInAFramelessTranslucentWindow)
{
    QWidget Window;
    TBitmap Picture;
    PaintLayeredPicture(Picture);
    const TPoint Dest(30, 40), Source(0, 0);
    const TSize Size(4, 3);
    TBlendFunction Blend;
    Blend.SourceConstantAlpha = 128;
    ASSERT_TRUE(UpdateLayeredWindow(&Window, nullptr, &Dest, &Size, Picture.Canvas(), &Source, clLime, &Blend,
                                    ULW_ALPHA | ULW_COLORKEY));
    EXPECT_TRUE(Window.isWindow());
    EXPECT_TRUE(Window.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(Window.testAttribute(Qt::WA_TranslucentBackground));
    EXPECT_EQ(Window.pos(), QPoint(30, 40));
    EXPECT_EQ(Window.size(), QSize(4, 3));
    EXPECT_NEAR(Window.windowOpacity(), 128 / 255.0, 0.01);

    const QImage Shown = Window.grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(Shown.pixel(2, 1), qRgba(0x80, 0, 0, 0x80));
    EXPECT_EQ(qAlpha(Shown.pixel(0, 0)), 0) << "the key colour is left out";
}

TEST(WindowsLayered, WithoutAlphaFlagsThePictureIsShownAsItIs)
{
    QWidget Window;
    TBitmap Picture;
    PaintLayeredPicture(Picture);
    const TSize Size(2, 2);
    const TPoint Source(1, 1);
    ASSERT_TRUE(UpdateLayeredWindow(&Window, nullptr, nullptr, &Size, Picture.Canvas(), &Source, clNone, nullptr,
                                    ULW_OPAQUE));
    EXPECT_EQ(Window.size(), QSize(2, 2));
    EXPECT_DOUBLE_EQ(Window.windowOpacity(), 1.0);
    const QImage Shown = Window.grab().toImage();
    EXPECT_EQ(qAlpha(Shown.pixel(0, 0)), 0xFF);
}

TEST(WindowsLayered, AttributesSetTheOpacityAndRefuseNoWindow)
{
    QWidget Window;
    EXPECT_TRUE(SetLayeredWindowAttributes(&Window, clNone, 51, LWA_ALPHA));
    EXPECT_NEAR(Window.windowOpacity(), 0.2, 0.01);
    EXPECT_TRUE(SetLayeredWindowAttributes(&Window, clNone, 255, LWA_COLORKEY));
    EXPECT_NEAR(Window.windowOpacity(), 0.2, 0.01) << "without LWA_ALPHA the opacity stays";
    EXPECT_FALSE(SetLayeredWindowAttributes(nullptr, clNone, 51, LWA_ALPHA));

    TCanvas NoImage;
    EXPECT_FALSE(UpdateLayeredWindow(&Window, nullptr, nullptr, nullptr, &NoImage, nullptr, clNone, nullptr, 0));
    EXPECT_FALSE(UpdateLayeredWindow(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, clNone, nullptr, 0));
}
