#include "rtl/Graphics.h"

#include "common/TestPaths.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// A small picture with smooth areas, hard edges and odd dimensions.
void MakeSample(TBitmap& B)
{
    B.SetSize(37, 23);
    TCanvas* C = B.Canvas();
    GradientFillRect(C, Rect(0, 0, 37, 23), RGB(20, 60, 200), RGB(230, 200, 40), gdHorizontal);
    C->Brush()->SetColor(RGB(200, 30, 30));
    C->FillRect(Rect(4, 4, 16, 14));
    C->Brush()->SetColor(clWhite);
    C->FillRect(Rect(20, 10, 33, 20));
}

// Mean absolute difference per channel of two equally sized images.
double MeanDifference(const QImage& A, const QImage& B)
{
    double Sum = 0;
    for (int Y = 0; Y < A.height(); ++Y)
        for (int X = 0; X < A.width(); ++X) {
            const QRgb P = A.pixel(X, Y), Q = B.pixel(X, Y);
            Sum += std::abs(qRed(P) - qRed(Q)) + std::abs(qGreen(P) - qGreen(Q)) + std::abs(qBlue(P) - qBlue(Q));
        }
    return Sum / (3.0 * A.width() * A.height());
}

QByteArray FileBytes(const QString& Path)
{
    QFile F(Path);
    EXPECT_TRUE(F.open(QIODevice::ReadOnly)) << Path.toStdString();
    return F.readAll();
}

QByteArray IcoBytes()
{
    QImage Img(24, 16, QImage::Format_ARGB32);
    Img.fill(qRgba(0, 128, 255, 255));
    Img.setPixel(0, 0, qRgba(0, 0, 0, 0));
    QByteArray Out;
    QBuffer Buf(&Out);
    Buf.open(QIODevice::WriteOnly);
    QImageWriter W(&Buf, "ICO");
    EXPECT_TRUE(W.write(Img)) << W.errorString().toStdString();
    return Out;
}

} // namespace

TEST(GraphicsPicturesTest, JpegRoundTripKeepsSizeAndNearlyThePixels)
{
    TBitmap Sample;
    MakeSample(Sample);
    TJPEGImage Jpeg;
    Jpeg.Assign(&Sample);
    Jpeg.SetCompressionQuality(95);
    const QByteArray Data = Jpeg.SaveToBytes();
    ASSERT_GT(Data.size(), 100);
    EXPECT_EQ(uchar(Data[0]), 0xFF);
    EXPECT_EQ(uchar(Data[1]), 0xD8);

    TJPEGImage Back;
    Back.LoadFromBytes(Data);
    EXPECT_EQ(Back.Width(), 37);
    EXPECT_EQ(Back.Height(), 23);
    EXPECT_FALSE(Back.Grayscale());
    EXPECT_LT(MeanDifference(Back.ToImage(), Sample.ToImage()), 6.0);
    // Inside the flat areas the colours come back within a few steps.
    for (const QPoint& At : {QPoint(9, 8), QPoint(26, 15)}) {
        const QRgb Was = Sample.ToImage().pixel(At);
        const QRgb Is = Back.ToImage().pixel(At);
        EXPECT_NEAR(qRed(Is), qRed(Was), 6);
        EXPECT_NEAR(qGreen(Is), qGreen(Was), 6);
        EXPECT_NEAR(qBlue(Is), qBlue(Was), 6);
    }
    // Unchanged data is written back as it was read.
    EXPECT_EQ(Back.SaveToBytes(), Data);

    // A lower quality gives a smaller file of the same picture.
    Back.SetCompressionQuality(20);
    const QByteArray Small = Back.SaveToBytes();
    EXPECT_LT(Small.size(), Data.size());
    TJPEGImage Coarse;
    Coarse.LoadFromBytes(Small);
    EXPECT_EQ(Coarse.Width(), 37);
}

TEST(GraphicsPicturesTest, GrayscaleJpeg)
{
    TBitmap Sample;
    MakeSample(Sample);
    TJPEGImage Jpeg;
    Jpeg.Assign(&Sample);
    Jpeg.SetGrayscale(true);
    TJPEGImage Back;
    Back.LoadFromBytes(Jpeg.SaveToBytes());
    EXPECT_TRUE(Back.Grayscale());
    const QImage Img = Back.ToImage();
    for (int X = 0; X < Img.width(); X += 5) {
        const QRgb P = Img.pixel(X, 7);
        EXPECT_EQ(qRed(P), qGreen(P));
        EXPECT_EQ(qGreen(P), qBlue(P));
    }
}

TEST(GraphicsPicturesTest, PngRoundTripIsExactAndKeepsAlpha)
{
    TBitmap Sample;
    MakeSample(Sample);
    TPngImage Png;
    Png.Assign(&Sample);
    TPngImage Back;
    Back.LoadFromBytes(Png.SaveToBytes());
    EXPECT_EQ(Back.Width(), 37);
    EXPECT_EQ(Back.Height(), 23);
    EXPECT_FALSE(Back.Transparent());
    EXPECT_EQ(MeanDifference(Back.ToImage(), Sample.ToImage()), 0.0);

    // A transparent bitmap's key colour becomes alpha 0.
    Sample.SetTransparentColor(clWhite);
    Sample.SetTransparent(true);
    TPngImage Keyed;
    Keyed.Assign(&Sample);
    TPngImage KeyedBack;
    KeyedBack.LoadFromBytes(Keyed.SaveToBytes());
    EXPECT_TRUE(KeyedBack.Transparent());
    EXPECT_EQ(qAlpha(KeyedBack.ToImage().pixel(25, 15)), 0);
    EXPECT_EQ(qAlpha(KeyedBack.ToImage().pixel(5, 5)), 255);
    EXPECT_EQ(QColor(KeyedBack.ToImage().pixel(5, 5)), QColor(200, 30, 30));

    // Drawn onto a canvas the transparent part shows what is below.
    TBitmap Under;
    Under.SetSize(37, 23);
    Under.Canvas()->Brush()->SetColor(clLime);
    Under.Canvas()->FillRect(Rect(0, 0, 37, 23));
    Under.Canvas()->Draw(0, 0, &KeyedBack);
    EXPECT_EQ(Under.Canvas()->Pixels(25, 15), clLime);
    EXPECT_EQ(Under.Canvas()->Pixels(5, 5), RGB(200, 30, 30));
}

TEST(GraphicsPicturesTest, BitmapFileRoundTripAndResize)
{
    QTemporaryDir Dir;
    ASSERT_TRUE(Dir.isValid());
    const QString Path = Dir.filePath(QStringLiteral("sample.bmp"));
    TBitmap Sample;
    MakeSample(Sample);
    Sample.SaveToFile(Path);
    TBitmap Back;
    Back.LoadFromFile(Path);
    EXPECT_EQ(Back.Width(), 37);
    EXPECT_EQ(MeanDifference(Back.ToImage(), Sample.ToImage()), 0.0);

    // Growing keeps the pixels at the top left; the new area is white.
    Back.SetSize(40, 25);
    EXPECT_EQ(Back.Canvas()->Pixels(5, 5), RGB(200, 30, 30));
    EXPECT_EQ(Back.Canvas()->Pixels(39, 24), clWhite);
    EXPECT_EQ(Back.Canvas()->Pixels(36, 22), Sample.Canvas()->Pixels(36, 22));
    Back.SetSize(0, 5);
    EXPECT_TRUE(Back.Empty());
}

TEST(GraphicsPicturesTest, WidthThenHeightOnAnEmptyBitmapGivesBoth)
{
    TBitmap B;
    B.SetWidth(16);
    EXPECT_TRUE(B.Empty());
    EXPECT_EQ(B.Width(), 16);
    B.SetHeight(12);
    ASSERT_FALSE(B.Empty());
    EXPECT_EQ(B.Width(), 16);
    EXPECT_EQ(B.Height(), 12);
    EXPECT_EQ(B.Canvas()->Pixels(15, 11), clWhite);
}

TEST(GraphicsPicturesTest, BadPictureDataRaisesAClearError)
{
    TBitmap Sample;
    MakeSample(Sample);
    TJPEGImage Jpeg;
    Jpeg.Assign(&Sample);
    const QByteArray JpegData = Jpeg.SaveToBytes();
    TPngImage Png;
    Png.Assign(&Sample);
    const QByteArray PngData = Png.SaveToBytes();
    const QByteArray BmpData = Sample.SaveToBytes();
    const QByteArray GifData = FileBytes(testpaths::Fixture(QStringLiteral("pictures/small.gif")));
    const QByteArray IcoData = IcoBytes();

    auto Garbled = [](QByteArray D, int From) {
        for (int I = From; I < D.size(); ++I)
            D[I] = char(0x5A ^ I);
        return D;
    };
    struct Case {
        const char* Name;
        std::function<std::unique_ptr<TGraphic>()> Make;
        QByteArray Data;
        const char* Message;
    };
    const auto J = [] { return std::make_unique<TJPEGImage>(); };
    const auto P = [] { return std::make_unique<TPngImage>(); };
    const auto B = [] { return std::make_unique<TBitmap>(); };
    const auto G = [] { return std::make_unique<TGIFImage>(); };
    const auto I = [] { return std::make_unique<TIcon>(); };
    const std::vector<Case> Cases = {
        {"truncated JPEG", J, JpegData.left(JpegData.size() / 2), "JPEG"},
        {"JPEG with a garbled header", J, Garbled(JpegData, 2), "JPEG"},
        {"empty JPEG", J, QByteArray(), "JPEG"},
        {"PNG data as JPEG", J, PngData, "JPEG"},
        {"truncated PNG", P, PngData.left(PngData.size() - 20), "PNG"},
        {"PNG with garbled chunks", P, Garbled(PngData, 8), "PNG"},
        {"PNG signature only", P, PngData.left(8), "PNG"},
        {"JPEG data as PNG", P, JpegData, "PNG"},
        {"truncated bitmap", B, BmpData.left(30), "Bitmap"},
        {"PNG data as bitmap", B, PngData, "Bitmap"},
        {"truncated GIF", G, GifData.left(12), "GIF"},
        {"garbled icon", I, Garbled(IcoData, 4), "Icon"},
    };
    for (const Case& C : Cases) {
        std::unique_ptr<TGraphic> Graphic = C.Make();
        try {
            Graphic->LoadFromBytes(C.Data);
            ADD_FAILURE() << C.Name << ": no error";
        } catch (const EInvalidGraphic& E) {
            EXPECT_TRUE(E.Message().contains(QLatin1String(C.Message))) << C.Name << ": " << E.what();
        }
        EXPECT_TRUE(Graphic->Empty()) << C.Name;
    }
}

TEST(GraphicsPicturesTest, FileErrorsNameTheFile)
{
    QTemporaryDir Dir;
    const QString Bad = Dir.filePath(QStringLiteral("broken.png"));
    {
        QFile F(Bad);
        ASSERT_TRUE(F.open(QIODevice::WriteOnly));
        F.write("\x89PNG\r\n\x1a\nrest is missing");
    }
    TPicture Pic;
    try {
        Pic.LoadFromFile(Bad);
        ADD_FAILURE() << "no error";
    } catch (const EInvalidGraphic& E) {
        EXPECT_TRUE(E.Message().contains(Bad)) << E.what();
        EXPECT_TRUE(E.Message().contains(QLatin1String("PNG"))) << E.what();
    }
    TPngImage Png;
    EXPECT_THROW(Png.LoadFromFile(Bad), EInvalidGraphic);
    EXPECT_THROW(Png.LoadFromFile(Dir.filePath(QStringLiteral("missing.png"))), EFOpenError);

    const QString Odd = Dir.filePath(QStringLiteral("notes.xyz"));
    {
        QFile F(Odd);
        ASSERT_TRUE(F.open(QIODevice::WriteOnly));
        F.write("plain text");
    }
    try {
        Pic.LoadFromFile(Odd);
        ADD_FAILURE() << "no error";
    } catch (const EInvalidGraphic& E) {
        EXPECT_TRUE(E.Message().contains(QLatin1String(".xyz"))) << E.what();
    }
}

TEST(GraphicsPicturesTest, PictureChoosesTheClassBySignature)
{
    TBitmap Sample;
    MakeSample(Sample);
    TJPEGImage Jpeg;
    Jpeg.Assign(&Sample);
    TPngImage Png;
    Png.Assign(&Sample);
    struct Case {
        const char* Name;
        QByteArray Data;
        std::function<bool(TGraphic*)> IsExpectedClass;
        int Width;
    };
    const std::vector<Case> Cases = {
        {"JPEG", Jpeg.SaveToBytes(), [](TGraphic* G) { return dynamic_cast<TJPEGImage*>(G) != nullptr; }, 37},
        {"PNG", Png.SaveToBytes(), [](TGraphic* G) { return dynamic_cast<TPngImage*>(G) != nullptr; }, 37},
        {"BMP", Sample.SaveToBytes(), [](TGraphic* G) { return dynamic_cast<TBitmap*>(G) != nullptr; }, 37},
        {"GIF", FileBytes(testpaths::Fixture(QStringLiteral("pictures/small.gif"))),
         [](TGraphic* G) { return dynamic_cast<TGIFImage*>(G) != nullptr; }, 4},
        {"ICO", IcoBytes(), [](TGraphic* G) { return dynamic_cast<TIcon*>(G) != nullptr; }, 24},
    };
    QTemporaryDir Dir;
    for (const Case& C : Cases) {
        int Changes = 0;
        TPicture Pic;
        Pic.OnChange = [&](TObject*) { ++Changes; };
        TMemoryStream Stream;
        Stream.WriteBuffer("xx", 2); // reading starts at the stream's position
        Stream.WriteBuffer(C.Data.constData(), Integer(C.Data.size()));
        Stream.SetPosition(2);
        Pic.LoadFromStream(&Stream);
        EXPECT_TRUE(C.IsExpectedClass(Pic.Graphic())) << C.Name;
        EXPECT_EQ(Pic.Width(), C.Width) << C.Name;
        EXPECT_GT(Changes, 0) << C.Name;

        // A file whose extension lies is read by its content.
        const QString Path = Dir.filePath(QStringLiteral("picture.dat.jpg"));
        QFile F(Path);
        ASSERT_TRUE(F.open(QIODevice::WriteOnly | QIODevice::Truncate));
        F.write(C.Data);
        F.close();
        TPicture FromFile;
        FromFile.LoadFromFile(Path);
        EXPECT_TRUE(C.IsExpectedClass(FromFile.Graphic())) << C.Name;
    }
    TPicture Pic;
    EXPECT_THROW(Pic.LoadFromBytes(QByteArray("not a picture at all")), EInvalidGraphic);
    EXPECT_EQ(Pic.Graphic(), nullptr);
}

TEST(GraphicsPicturesTest, PictureBitmapConvertsWithThePixels)
{
    TBitmap Sample;
    MakeSample(Sample);
    TPngImage Png;
    Png.Assign(&Sample);
    TPicture Pic;
    Pic.SetGraphic(&Png);
    ASSERT_NE(Pic.Graphic(), &Png); // the picture keeps its own copy
    TBitmap* B = Pic.Bitmap();
    ASSERT_NE(B, nullptr);
    EXPECT_EQ(Pic.Graphic(), B);
    EXPECT_EQ(B->Width(), 37);
    EXPECT_EQ(B->Canvas()->Pixels(5, 5), RGB(200, 30, 30));

    // Assigning a picture to a bitmap takes its graphic.
    TBitmap Copy;
    Copy.Assign(&Pic);
    EXPECT_EQ(Copy.Height(), 23);
    EXPECT_THROW(Copy.Assign(Copy.Canvas()), EConvertError);
}

TEST(GraphicsPicturesTest, GifFirstFrameWithItsTransparency)
{
    TGIFImage Gif;
    const QByteArray Data = FileBytes(testpaths::Fixture(QStringLiteral("pictures/small.gif")));
    Gif.LoadFromBytes(Data);
    EXPECT_EQ(Gif.Width(), 4);
    EXPECT_EQ(Gif.Height(), 3);
    EXPECT_TRUE(Gif.Transparent());
    const QImage Img = Gif.ToImage();
    EXPECT_EQ(QColor(Img.pixel(0, 0)), QColor(255, 0, 0));
    EXPECT_EQ(QColor(Img.pixel(1, 0)), QColor(0, 255, 0));
    EXPECT_EQ(qAlpha(Img.pixel(3, 0)), 0);
    EXPECT_EQ(Gif.SaveToBytes(), Data);

    TBitmap Under;
    Under.SetSize(4, 3);
    Under.Canvas()->Brush()->SetColor(clBlack);
    Under.Canvas()->FillRect(Rect(0, 0, 4, 3));
    Under.Canvas()->Draw(0, 0, &Gif);
    EXPECT_EQ(Under.Canvas()->Pixels(0, 0), clRed);
    EXPECT_EQ(Under.Canvas()->Pixels(3, 0), clBlack);

    // A GIF made from other pixels cannot be written.
    TGIFImage Empty;
    EXPECT_TRUE(Empty.SaveToBytes().isEmpty());
}

TEST(GraphicsPicturesTest, IconRoundTrip)
{
    TIcon Icon;
    Icon.LoadFromBytes(IcoBytes());
    EXPECT_EQ(Icon.Width(), 24);
    EXPECT_EQ(Icon.Height(), 16);
    EXPECT_TRUE(Icon.Transparent());
    TIcon Back;
    Back.LoadFromBytes(Icon.SaveToBytes());
    EXPECT_EQ(Back.Width(), 24);
    EXPECT_EQ(qAlpha(Back.ToImage().pixel(0, 0)), 0);
    EXPECT_EQ(QColor(Back.ToImage().pixel(5, 5)), QColor(0, 128, 255));
}

TEST(GraphicsPicturesTest, BitmapFromTheProgramsResources)
{
    TBitmap B;
    B.LoadFromResourceName(QStringLiteral("TESTGLYPH"));
    EXPECT_EQ(B.Width(), 4);
    EXPECT_EQ(B.Height(), 2);
    EXPECT_EQ(B.Canvas()->Pixels(0, 0), clRed);
    EXPECT_EQ(B.Canvas()->Pixels(2, 0), clBlue);
    EXPECT_EQ(B.TransparentColor(), clFuchsia);
    EXPECT_THROW(B.LoadFromResourceName(QStringLiteral("NOSUCHGLYPH")), EResNotFound);
    EXPECT_EQ(B.Width(), 4);
}

TEST(GraphicsPicturesTest, DataGraphicsKeepTheirBytesAndDrawNothing)
{
    const QByteArray Data("\x01\x00\x00\x00 any metafile bytes", 24);
    TMetafile Meta;
    Meta.LoadFromBytes(Data);
    TPicture Picture;
    Picture.SetGraphic(&Meta);
    ASSERT_NE(dynamic_cast<TMetafile*>(Picture.Graphic()), nullptr) << "a copy of the same class";
    EXPECT_EQ(Picture.Graphic()->SaveToBytes(), Data);
    EXPECT_EQ(Picture.Width(), 0);
    EXPECT_FALSE(Picture.Graphic()->Empty());
    TWICImage Wic;
    EXPECT_TRUE(Wic.Empty());
    EXPECT_THROW(Wic.Assign(&Meta), EConvertError) << "another class is not taken over";
    EXPECT_TRUE(Wic.Empty());
}
