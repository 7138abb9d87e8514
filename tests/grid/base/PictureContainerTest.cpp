// Pictures of mini-HTML text: decoding, GIF frames and animation, URLs,
// the container and the cache.
#include "grid/base/PictureContainer.h"

#include "common/TestPaths.h"

#include "rtl/Windows.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray FixtureBytes(const char* Name)
{
    QFile File(testpaths::Fixture(QStringLiteral("pictures/") + QLatin1String(Name)));
    EXPECT_TRUE(File.open(QIODevice::ReadOnly)) << Name;
    return File.readAll();
}

void LoadBytes(THTMLPicture& P, const QByteArray& Data)
{
    TMemoryStream S;
    S.Write(Data.constData(), Integer(Data.size()));
    S.SetPosition(0);
    P.LoadFromStream(&S);
}

String ErrorOfLoading(const QByteArray& Data)
{
    THTMLPicture P;
    try {
        LoadBytes(P, Data);
    } catch (const Exception& E) {
        return E.Message();
    }
    return String();
}

} // namespace

TEST(HTMLPicture, EveryFixtureDecodesAndDraws)
{
    struct TCase {
        const char* Name;
        Integer Width, Height;
        TColor TopLeft;
    };
    const TCase Cases[] = {{"square.png", 12, 10, RGB(255, 200, 0)},
                           {"square.bmp", 12, 10, RGB(255, 200, 0)},
                           {"square.jpg", 12, 10, RGB(255, 200, 0)},
                           {"square.ico", 16, 16, RGB(255, 200, 0)},
                           {"anim3.gif", 16, 8, RGB(255, 0, 0)}};
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        THTMLPicture P;
        Integer Changes = 0;
        P.OnChange = [&](TObject*) { ++Changes; };
        EXPECT_TRUE(P.Empty());
        LoadBytes(P, FixtureBytes(C.Name));
        EXPECT_FALSE(P.Empty());
        EXPECT_EQ(Changes, 1);
        EXPECT_EQ(P.Width(), C.Width);
        EXPECT_EQ(P.Height(), C.Height);
        EXPECT_EQ(P.SaveToBytes(), FixtureBytes(C.Name));

        TBitmap Target(40, 40);
        P.Draw(Target.Canvas(), TRect(2, 3, 40, 40));
        const TColor Drawn = Target.Canvas()->Pixels(3, 4);
        EXPECT_NEAR(GetRValue(Drawn), GetRValue(C.TopLeft), 8);
        EXPECT_NEAR(GetGValue(Drawn), GetGValue(C.TopLeft), 8);
        EXPECT_NEAR(GetBValue(Drawn), GetBValue(C.TopLeft), 8);
        // Not stretched: drawn at its own size from the top-left.
        EXPECT_EQ(Target.Canvas()->Pixels(2 + C.Width + 1, 3 + C.Height + 1), clWhite);
        P.SetStretched(true);
        P.Draw(Target.Canvas(), TRect(0, 0, 40, 40));
        EXPECT_NE(Target.Canvas()->Pixels(39, 39), clWhite);
    }
}

TEST(HTMLPicture, DataNoDecoderReadsRaisesThePictureErrors)
{
    EXPECT_EQ(ErrorOfLoading("no picture at all"), "Could not load image. Invalid format");
    EXPECT_EQ(ErrorOfLoading(QByteArray("BM") + QByteArray(30, 'x')), "Could not load image. Invalid format");
    EXPECT_EQ(ErrorOfLoading(FixtureBytes("square.png").left(40)), "Could not load image. Invalid format");
    // A metafile cannot be decoded here.
    EXPECT_EQ(ErrorOfLoading(QByteArray("\xD7\xCD\xC6\x9A", 4) + QByteArray(40, '\0')),
              "Could not load image. Invalid format");

    // The same from a file: the picture stays empty, nothing is raised.
    QTemporaryDir Dir;
    const String Name = Dir.filePath(QStringLiteral("bad.png"));
    QFile File(Name);
    ASSERT_TRUE(File.open(QIODevice::WriteOnly));
    File.write("garbage");
    File.close();
    THTMLPicture P;
    LoadBytes(P, FixtureBytes("square.png"));
    P.LoadFromFile(Name);
    EXPECT_TRUE(P.Empty());
    EXPECT_EQ(P.Width(), 0);
    TMemoryStream* Null = nullptr;
    P.LoadFromStream(Null);
    EXPECT_TRUE(P.Empty());
}

TEST(HTMLPicture, GifFramesAndTheirDelays)
{
    THTMLPicture P;
    LoadBytes(P, FixtureBytes("anim3.gif"));
    EXPECT_TRUE(P.IsGIF());
    EXPECT_EQ(P.FrameCount(), 3);
    EXPECT_EQ(P.GetFrameTime(1), 10);
    EXPECT_EQ(P.GetFrameTime(2), 20);
    EXPECT_EQ(P.GetFrameTime(3), 30);
    EXPECT_EQ(P.GetFrameTime(4), -1);
    EXPECT_EQ(P.GetFrameTime(0), -1);
    EXPECT_EQ(P.GetMaxWidth(), 16);
    EXPECT_EQ(P.GetMaxHeight(), 8);

    // Each frame decodes on its own: the third is an 8 x 4 patch at (4, 2).
    const TColor FrameColors[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};
    Integer FrameChanges = 0;
    P.OnFrameChange = [&](TObject*) { ++FrameChanges; };
    for (Integer Frame = 1; Frame <= 3; ++Frame) {
        SCOPED_TRACE(Frame);
        P.SetFrame(Frame);
        EXPECT_EQ(P.Frame(), Frame);
        const QImage Image = P.ToImage();
        ASSERT_FALSE(Image.isNull());
        EXPECT_EQ(QColorToColor(Image.pixelColor(5, 3)), FrameColors[Frame - 1]);
    }
    EXPECT_EQ(FrameChanges, 3);
    EXPECT_EQ(P.FrameXPos(), 4);
    EXPECT_EQ(P.FrameYPos(), 2);
    EXPECT_EQ(P.FrameXSize(), 8);
    EXPECT_EQ(P.FrameYSize(), 4);

    // Beyond the frames: clamped.
    P.SetFrame(9);
    EXPECT_EQ(P.Frame(), 3);
    P.FrameNext();
    EXPECT_EQ(P.Frame(), 1);
    P.FramePrev();
    EXPECT_EQ(P.Frame(), 3);
}

TEST(HTMLPicture, StepShowsEachFrameForItsDelay)
{
    THTMLPicture P;
    LoadBytes(P, FixtureBytes("anim3.gif"));
    const Integer Expected[] = {1, 2, 2, 3, 3, 3, 1, 2};
    std::vector<Integer> Frames;
    std::vector<bool> Changed;
    for (Integer Tick = 1; Tick <= 8; ++Tick) {
        Changed.push_back(P.Step());
        Frames.push_back(P.Frame());
        EXPECT_FALSE(P.ToImage().isNull());
    }
    EXPECT_EQ(Frames, std::vector<Integer>(std::begin(Expected), std::end(Expected)));
    EXPECT_EQ(Changed, (std::vector<bool>{false, true, false, true, false, false, true, true}));

    // Pictures of one frame do not animate.
    THTMLPicture Still;
    LoadBytes(Still, FixtureBytes("square.png"));
    EXPECT_FALSE(Still.Step());
    EXPECT_EQ(Still.FrameCount(), -1);
}

TEST(HTMLPicture, GifChecksNeverReadPastTheData)
{
    THTMLPicture P;
    const QByteArray Gif = FixtureBytes("anim3.gif");
    // "GIF8" alone is no GIF; one more byte is.
    QByteArray Four = Gif.left(4);
    EXPECT_EQ(ErrorOfLoading(Four), "Could not load image. Invalid format");
    try {
        LoadBytes(P, Four);
    } catch (const Exception&) {
    }
    EXPECT_FALSE(P.IsGIF());
    try {
        LoadBytes(P, Gif.left(5));
    } catch (const Exception&) {
    }
    EXPECT_TRUE(P.IsGIF());
    EXPECT_EQ(P.FrameCount(), 0);
    EXPECT_EQ(P.GetMaxWidth(), 0);

    // Cut inside the last frame's descriptor: that frame does not count.
    const qsizetype Third = Gif.lastIndexOf(QByteArray("\x21\xF9\x04", 3));
    for (qsizetype Cut = Third + 8; Cut <= Third + 17; ++Cut) {
        SCOPED_TRACE(Cut);
        try {
            LoadBytes(P, Gif.left(Cut));
        } catch (const Exception&) {
        }
        EXPECT_EQ(P.FrameCount(), Cut < Third + 17 ? 2 : 3);
    }

    // Thousands of frame starts with nothing behind them.
    QByteArray Many = Gif.left(Gif.indexOf(QByteArray("\x21\xF9\x04", 3)));
    for (Integer I = 0; I < 3000; ++I)
        Many += QByteArray("\x21\xF9\x04\x00\x05\x00\x00\x00\x2C\x00\x00\x00\x00\x01\x00\x01\x00", 17);
    EXPECT_TRUE(ErrorOfLoading(Many).startsWith(QStringLiteral("Could not load image")));
    try {
        LoadBytes(P, Many);
    } catch (const Exception&) {
    }
    EXPECT_EQ(P.FrameCount(), 3000);
    EXPECT_EQ(P.GetFrameTime(3000), 5);
}

TEST(HTMLPicture, AssignCopiesTheBytesOfAPictureOnly)
{
    THTMLPicture Source;
    LoadBytes(Source, FixtureBytes("anim3.gif"));
    Source.SetFrame(2);
    THTMLPicture Copy;
    Copy.Assign(&Source);
    EXPECT_FALSE(Copy.Empty());
    EXPECT_EQ(Copy.Frame(), 1);
    EXPECT_EQ(Copy.Width(), 16);
    Copy.Assign(nullptr);
    EXPECT_TRUE(Copy.Empty());
    EXPECT_TRUE(Copy.SaveToBytes().isEmpty());
    TBitmap Other(3, 3);
    Copy.Assign(&Source);
    Copy.Assign(&Other);
    EXPECT_TRUE(Copy.Empty());
}

TEST(HTMLPicture, UrlsLoadResourcesAndFilesIgnoringCase)
{
    THTMLPicture Res;
    Res.LoadFromURL(QStringLiteral("RES://SQUARE.PNG"));
    EXPECT_FALSE(Res.Empty());
    EXPECT_EQ(Res.Width(), 12);
    EXPECT_EQ(Res.ID(), "RES://SQUARE.PNG");
    THTMLPicture ById;
    ById.LoadFromResourceID(7);
    EXPECT_EQ(ById.Height(), 10);
    EXPECT_THROW(ById.LoadFromResourceID(8), EResNotFound);
    THTMLPicture Missing;
    Missing.LoadFromResourceName(QStringLiteral("nothing"));
    EXPECT_TRUE(Missing.Empty());

    QTemporaryDir Dir;
    ASSERT_TRUE(QDir(Dir.path()).mkdir(QStringLiteral("Pics")));
    ASSERT_TRUE(QFile::copy(testpaths::Fixture(QStringLiteral("pictures/square.bmp")),
                            Dir.filePath(QStringLiteral("Pics/Cell.bmp"))));
    THTMLPicture File;
    File.LoadFromURL(QStringLiteral("FILE://") + Dir.path() + QStringLiteral("/PICS/CELL.BMP"));
    EXPECT_FALSE(File.Empty());
    EXPECT_EQ(File.Width(), 12);
    THTMLPicture Gone;
    Gone.LoadFromURL(QStringLiteral("file://") + Dir.path() + QStringLiteral("/pics/none.bmp"));
    EXPECT_TRUE(Gone.Empty());
    EXPECT_EQ(Gone.ID(), QStringLiteral("file://") + Dir.path() + QStringLiteral("/pics/none.bmp"));

    // A web address is only recorded: no download is made.
    THTMLPicture Web;
    Web.LoadFromURL(QStringLiteral("http://example.invalid/a.png"));
    EXPECT_TRUE(Web.Empty());
    EXPECT_EQ(Web.URL(), "http://example.invalid/a.png");
    EXPECT_EQ(Web.ID(), "http://example.invalid/a.png");
    EXPECT_TRUE(Web.ThreadBusy());
    TBitmap Target(4, 4);
    Web.Draw(Target.Canvas(), TRect(0, 0, 4, 4));
    EXPECT_EQ(Target.Canvas()->Pixels(1, 1), clWhite);
}

TEST(PictureCache, FindsPicturesByTheirExactUrlAndAnimatesThem)
{
    THTMLPictureCache Cache;
    THTMLPicture* Web = Cache.AddPicture();
    Web->LoadFromURL(QStringLiteral("http://example.invalid/Logo.gif"));
    THTMLPicture* Anim = Cache.AddPicture();
    Anim->LoadFromURL(QStringLiteral("RES://square.png"));
    EXPECT_EQ(Cache.FindPicture(QStringLiteral("http://example.invalid/Logo.gif")), Web);
    EXPECT_EQ(Cache.FindPicture(QStringLiteral("http://example.invalid/logo.gif")), nullptr);
    EXPECT_EQ(Cache.Picture(1), Anim);

    LoadBytes(*Anim, FixtureBytes("anim3.gif"));
    EXPECT_FALSE(Cache.Animate());
    EXPECT_TRUE(Cache.Animate());
    EXPECT_EQ(Anim->Frame(), 2);
    Cache.ClearPictures();
    EXPECT_EQ(Cache.Count(), 0);
    Cache.AddPicture();
}

TEST(PictureContainer, FindsPicturesByNameIgnoringCase)
{
    TPictureContainer Container(nullptr);
    TPictureItem* Item = Container.Items()->Add();
    Item->SetName(QStringLiteral("Logo"));
    Item->SetTag(4);
    THTMLPicture Source;
    LoadBytes(Source, FixtureBytes("anim3.gif"));
    Item->SetPicture(&Source);
    EXPECT_EQ(Container.Items()->GetOwner(), &Container);
    EXPECT_EQ(Container.FindPicture(QStringLiteral("LOGO")), Item->Picture());
    EXPECT_EQ(Container.FindPicture(QStringLiteral("logo")), Item->Picture());
    EXPECT_EQ(Container.FindPicture(QStringLiteral("other")), nullptr);
    EXPECT_FALSE(Container.Items()->Animate());
    EXPECT_TRUE(Container.Items()->Animate());

    TPictureContainer Copy(nullptr);
    Copy.SetItems(Container.Items());
    ASSERT_EQ(Copy.Items()->Count(), 1);
    EXPECT_EQ(Copy.Items()->Items(0)->Tag(), 4);
    EXPECT_EQ(Copy.FindPicture(QStringLiteral("logo"))->Width(), 16);
    EXPECT_NE(Copy.FindPicture(QStringLiteral("logo")), Item->Picture());
}
