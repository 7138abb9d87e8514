#include "grid/base/EsgHTMLE.h"
#include "grid/base/PictureContainer.h"

#include "rtl/Themes.h"

#include "rtl/ImgList.h"

#include <QBuffer>
#include <QGuiApplication>

#include <gtest/gtest.h>

#include <climits>
#include <functional>

namespace {

constexpr TColor Paper = 0x030201;

// One call of DrawHTMLText with the arguments a test does not care about
// at their neutral values; the results stay for the test to read.
struct HtmlCall {
    TRect R = TRect(0, 0, 200, 100);
    Integer XPos = -1;
    Integer YPos = -1;
    Integer FocusLink = -1;
    bool CheckHotSpot = false;
    bool CheckHeight = false;
    bool WordWrap = true;
    TPictureContainer* Container = nullptr;
    TImageList* Images = nullptr;
    Integer HoverLink = -1;
    Integer ShadowOffset = 1;
    bool Print = false;
    bool Blink = false;
    bool HoverStyle = false;
    double ResFactor = 1.0;
    TColor HoverColor = clNone;
    TColor HoverFontColor = clNone;
    TColor ShadowColor = clGray;
    Integer BiDiMode = 0;

    String AnchorVal, StripVal, FocusAnchor, AnchorHint, CID, CV, CT;
    Integer XSize = 0, YSize = 0, HyperLinks = 0, MouseLink = 0;
    TRect HoverRect, CtrlRect;

    bool Run(TCanvas* C, const String& S)
    {
        return DrawHTMLText(C, S, R, Images, XPos, YPos, FocusLink, HoverLink, ShadowOffset, CheckHotSpot,
                            CheckHeight, Print, false, Blink, HoverStyle, WordWrap, false, ResFactor, clBlue,
                            HoverColor, HoverFontColor, ShadowColor, AnchorVal, StripVal, FocusAnchor, AnchorHint,
                            XSize, YSize, HyperLinks, MouseLink, HoverRect, CtrlRect, CID, CV, CT, nullptr, Container,
                            nullptr, BiDiMode);
    }
    // Measures without drawing.
    void Measure(TCanvas* C, const String& S)
    {
        CheckHeight = true;
        Run(C, S);
        CheckHeight = false;
    }
    // Hit-tests the point.
    bool HitTest(TCanvas* C, const String& S, Integer X, Integer Y)
    {
        XPos = X;
        YPos = Y;
        CheckHotSpot = true;
        const bool Hit = Run(C, S);
        CheckHotSpot = false;
        return Hit;
    }
};

class Sheet {
public:
    explicit Sheet(int W = 220, int H = 120)
    {
        B.SetSize(W, H);
        C()->Brush()->SetColor(Paper);
        C()->FillRect(TRect(0, 0, W, H));
        C()->Brush()->SetStyle(bsClear);
        C()->Font()->SetColor(clBlack);
    }
    TCanvas* C() { return B.Canvas(); }
    QImage Image()
    {
        C()->Release();
        return B.ToImage();
    }
    // The bounding box of the pixels that are not paper; empty when none.
    TRect Ink() { return Box([](TColor Pixel) { return Pixel != Paper; }); }
    // The bounding box of the pixels of columns From .. To - 1 for which Is
    // holds; empty when none.
    TRect Box(const std::function<bool(TColor)>& Is, int From = 0, int To = INT_MAX)
    {
        const QImage I = Image();
        TRect Found(I.width(), I.height(), -1, -1);
        for (int Y = 0; Y < I.height(); ++Y)
            for (int X = std::max(From, 0); X < std::min(To, I.width()); ++X)
                if (Is(C()->Pixels(X, Y))) {
                    Found.Left = std::min(Found.Left, X);
                    Found.Top = std::min(Found.Top, Y);
                    Found.Right = std::max(Found.Right, X + 1);
                    Found.Bottom = std::max(Found.Bottom, Y + 1);
                }
        return Found.Right < 0 ? TRect(0, 0, 0, 0) : Found;
    }
    TRect BoxOf(TColor Color, int From = 0, int To = INT_MAX)
    {
        return Box([Color](TColor Pixel) { return Pixel == Color; }, From, To);
    }
    int Count(TColor Color)
    {
        int N = 0;
        const QImage I = Image();
        for (int Y = 0; Y < I.height(); ++Y)
            for (int X = 0; X < I.width(); ++X)
                N += C()->Pixels(X, Y) == Color;
        return N;
    }
    TBitmap B;
};

QImage Drawn(const String& S, HtmlCall H = HtmlCall())
{
    Sheet P;
    H.Run(P.C(), S);
    return P.Image();
}

TEST(EsgHTMLEDraw, TagsAreRecognisedByTheirLetters)
{
    EXPECT_EQ(Drawn(QStringLiteral("<b>x</b>")), Drawn(QStringLiteral("<B>x</B>")));
    EXPECT_NE(Drawn(QStringLiteral("<b>x</b>")), Drawn(QStringLiteral("x")));
    EXPECT_EQ(Drawn(QStringLiteral("<BOLD>x")), Drawn(QStringLiteral("x")));
    EXPECT_EQ(Drawn(QStringLiteral("a<Q>b</Q>")), Drawn(QStringLiteral("ab")));
    EXPECT_EQ(Drawn(QStringLiteral("A&B")), Drawn(QStringLiteral("A<U>B</U>")));
    EXPECT_NE(Drawn(QStringLiteral("A&B")), Drawn(QStringLiteral("AB")));

    Sheet P;
    HtmlCall H;
    H.Measure(P.C(), QStringLiteral("a<Q>b</Q>"));
    EXPECT_EQ(H.StripVal, QStringLiteral("ab"));
}

TEST(EsgHTMLEDraw, EntitiesShowTheirCharacters)
{
    Sheet P;
    HtmlCall H;
    H.Measure(P.C(), QStringLiteral("AT&amp;T"));
    EXPECT_EQ(H.XSize, P.C()->TextWidth(QStringLiteral("AT&T")));
    H.Measure(P.C(), QStringLiteral("a&lt;b"));
    EXPECT_EQ(H.XSize, P.C()->TextWidth(QStringLiteral("a<b")));
    H.Measure(P.C(), QStringLiteral("A&B"));
    EXPECT_EQ(H.XSize, P.C()->TextWidth(QStringLiteral("AB")));
    // Drawn, the escaped ampersand is an ampersand, not an underline.
    EXPECT_NE(Drawn(QStringLiteral("AT&amp;T")), Drawn(QStringLiteral("AT<U>T</U>")));
}

TEST(EsgHTMLEDraw, FontColourAndSize)
{
    Sheet Red;
    HtmlCall H;
    H.Run(Red.C(), QStringLiteral("<FONT COLOR=\"#ff0000\">xxx</FONT>"));
    EXPECT_GT(Red.Count(RGB(255, 0, 0)), 0);

    Sheet Unquoted;
    Unquoted.C()->Font()->SetColor(clGreen);
    H.Run(Unquoted.C(), QStringLiteral("<FONT COLOR=#ff0000>xxx</FONT>"));
    EXPECT_EQ(Unquoted.Count(RGB(255, 0, 0)), 0);
    EXPECT_GT(Unquoted.Count(clGreen), 0);

    for (const auto& [Size, Points] : {std::pair{"3", 12}, std::pair{"9", 9}}) {
        Sheet P;
        H.Measure(P.C(), QStringLiteral("<FONT SIZE=\"%1\">Wg</FONT>").arg(QLatin1String(Size)));
        P.C()->Font()->SetSize(Points);
        EXPECT_EQ(H.XSize, P.C()->TextWidth(QStringLiteral("Wg"))) << Size;
    }
}

TEST(EsgHTMLEDraw, CentredParagraphs)
{
    Sheet P;
    HtmlCall H;
    H.Run(P.C(), QStringLiteral("<P ALIGN=\"CENTER\">xx<BR>xx"));
    const TRect Ink = P.Ink();
    const int Centre = (Ink.Left + Ink.Right) / 2;
    EXPECT_NEAR(Centre, 100, 3);
    const Integer LineHeight = P.C()->TextHeight(QStringLiteral("gh"));
    EXPECT_GT(Ink.Bottom, LineHeight);  // the second line is drawn too
    Sheet Second;
    H.Run(Second.C(), QStringLiteral("<P ALIGN=\"CENTER\"><BR>xx"));
    EXPECT_EQ(Second.Ink().Left, Ink.Left);
}

TEST(EsgHTMLEDraw, RightAlignedAndIndented)
{
    Sheet P;
    HtmlCall H;
    H.R = TRect(0, 0, 100, 40);
    H.Run(P.C(), QStringLiteral("<P ALIGN=\"RIGHT\">x"));
    const TRect Right = P.Ink();
    EXPECT_NEAR(Right.Right, 100, 2);
    Sheet Indented;
    H.Run(Indented.C(), QStringLiteral("<P ALIGN=\"RIGHT\" INDENT=\"10\">x"));
    EXPECT_EQ(Indented.Ink().Left, Right.Left + 10);
}

TEST(EsgHTMLEDraw, EmptyTextAndLineBreaks)
{
    Sheet P;
    HtmlCall H;
    const Integer Gh = P.C()->TextHeight(QStringLiteral("gh"));
    EXPECT_FALSE(H.HitTest(P.C(), QString(), 5, 5));
    EXPECT_EQ(H.XSize, 0);
    EXPECT_EQ(H.YSize, Gh);
    EXPECT_EQ(H.HyperLinks, 0);
    EXPECT_EQ(H.MouseLink, -1);

    H.Measure(P.C(), QStringLiteral("x<BR>x<BR>"));
    EXPECT_EQ(H.StripVal, QStringLiteral("x\rx\r"));
    EXPECT_EQ(H.YSize, 2 * Gh);
}

TEST(EsgHTMLEDraw, LinksAndHitTesting)
{
    Sheet P;
    HtmlCall H;
    const String S = QStringLiteral("<A HREF=\"u1\">a</A> <A HREF=\"u2\">b</A>");
    H.FocusLink = 0;
    H.Run(P.C(), S);
    EXPECT_EQ(H.HyperLinks, 2);
    EXPECT_EQ(H.FocusAnchor, QStringLiteral("u1"));

    const Integer BLeft = 1 + P.C()->TextWidth(QStringLiteral("a "));
    const Integer Y = P.C()->TextHeight(QStringLiteral("gh")) / 2;
    EXPECT_TRUE(H.HitTest(P.C(), S, BLeft + 1, Y));
    EXPECT_EQ(H.MouseLink, 2);
    EXPECT_EQ(H.AnchorVal, QStringLiteral("u2"));
    EXPECT_EQ(H.HoverRect.Left, BLeft);
    EXPECT_EQ(H.HoverRect.Right, BLeft + P.C()->TextWidth(QStringLiteral("b")));

    HtmlCall Miss;
    EXPECT_FALSE(Miss.HitTest(P.C(), S, 150, Y));
    EXPECT_EQ(Miss.MouseLink, -1);
}

TEST(EsgHTMLEDraw, WordWrapAndEllipsis)
{
    Sheet P;
    HtmlCall H;
    const Integer Gh = P.C()->TextHeight(QStringLiteral("gh"));
    H.R = TRect(0, 0, P.C()->TextWidth(QStringLiteral("aaa ")) + 3, 100);
    H.Measure(P.C(), QStringLiteral("aaa bbb"));
    EXPECT_EQ(H.YSize, 2 * Gh);

    H.WordWrap = false;
    H.Measure(P.C(), QStringLiteral("aaa bbb"));
    EXPECT_EQ(H.YSize, Gh);
    Sheet Cut;
    H.Run(Cut.C(), QStringLiteral("aaa bbb"));
    EXPECT_LE(Cut.Ink().Right, H.R.Right);

    // A word wider than the rectangle stands alone on its line.
    HtmlCall Long;
    Long.R = TRect(0, 0, P.C()->TextWidth(QStringLiteral("aaa")) + 3, 100);
    Long.Measure(P.C(), QStringLiteral("aaa wwwwwwwwwwww bb"));
    EXPECT_EQ(Long.YSize, 3 * Gh);
}

TEST(EsgHTMLEDraw, CheckHeightMeasuresEveryLineDrawingStopsAtTheBottom)
{
    Sheet P;
    HtmlCall H;
    const Integer Gh = P.C()->TextHeight(QStringLiteral("gh"));
    H.R = TRect(0, 0, 200, Gh * 2 + Gh / 2);
    const String S = QStringLiteral("a<BR>b<BR>c<BR>d");
    H.Measure(P.C(), S);
    EXPECT_EQ(H.YSize, 4 * Gh);
    H.Run(P.C(), S);
    EXPECT_EQ(H.YSize, 2 * Gh);
    EXPECT_LE(P.Ink().Bottom, 2 * Gh);
}

// A picture container with one 16 x 16 PNG named "pic".
struct OnePicture {
    OnePicture() : Container(nullptr)
    {
        QImage Image(16, 16, QImage::Format_ARGB32);
        Image.fill(Qt::red);
        QByteArray Data;
        QBuffer Buffer(&Data);
        Buffer.open(QIODevice::WriteOnly);
        Image.save(&Buffer, "PNG");
        TPictureItem* Item = Container.Items()->Add();
        Item->SetName(QStringLiteral("PIC"));
        Item->Picture()->LoadFromBytes(Data);
    }
    TPictureContainer Container;
};

TEST(EsgHTMLEDraw, ImagesScaleToTheirWidthAndTheResolution)
{
    OnePicture Pic;
    Sheet P;
    HtmlCall H;
    H.Container = &Pic.Container;
    const String S = QStringLiteral("<IMG SRC=\"pic\" WIDTH=\"32\">");
    H.Run(P.C(), S);
    EXPECT_EQ(H.XSize, 32);
    EXPECT_EQ(H.YSize, 32);
    const TRect Ink = P.Ink();
    EXPECT_EQ(Ink.Right - Ink.Left, 32);
    EXPECT_EQ(Ink.Bottom - Ink.Top, 32);

    Sheet Fine;
    Fine.B.Image().setDotsPerMeterX(4724);  // 120 dots per inch
    Fine.B.Image().setDotsPerMeterY(4724);
    H.Measure(Fine.C(), S);
    EXPECT_EQ(H.XSize, 40);
    EXPECT_EQ(H.YSize, 40);
}

// A picture whose data did not decode is 0 x 0: scaling it to a given width
// or height must not divide by its size, and it takes no room.
TEST(EsgHTMLEDraw, APictureWithoutDataTakesNoRoom)
{
    TPictureContainer Container(nullptr);
    Container.Items()->Add()->SetName(QStringLiteral("EMPTY"));
    Sheet P;
    HtmlCall H;
    H.Container = &Container;
    H.Measure(P.C(), QStringLiteral("ab"));
    const Integer TextWidth = H.XSize;
    ASSERT_GT(TextWidth, 0);
    for (const char* Size : {"WIDTH=\"32\"", "HEIGHT=\"32\"", "WIDTH=\"32\" HEIGHT=\"32\""}) {
        SCOPED_TRACE(Size);
        H.Measure(P.C(), QStringLiteral("<IMG SRC=\"empty\" %1>ab").arg(QLatin1String(Size)));
        EXPECT_EQ(H.XSize, TextWidth);
    }
}

TEST(EsgHTMLEDraw, CheckBoxControls)
{
    const String Checked = QStringLiteral("<CONTROL TYPE=\"CHECK\" WIDTH=\"20\" ID=\"c1\" VALUE=\"TRUE\">");
    const String Clear = QStringLiteral("<CONTROL TYPE=\"CHECK\" WIDTH=\"20\" ID=\"c1\" VALUE=\"FALSE\">");
    for (const bool Themed : {true, false}) {
        SetThemesEnabled(Themed);
        EXPECT_NE(Drawn(Checked), Drawn(Clear)) << "themed " << Themed;
        EXPECT_NE(Drawn(Clear), Drawn(QString())) << "themed " << Themed;
    }
    SetThemesEnabled(true);

    Sheet P;
    HtmlCall H;
    const Integer Gh = P.C()->TextHeight(QStringLiteral("gh"));
    EXPECT_TRUE(H.HitTest(P.C(), QStringLiteral("x") + Checked, 1 + P.C()->TextWidth(QStringLiteral("x")) + 5,
                          Gh / 2 + 2));
    EXPECT_EQ(H.AnchorVal, QStringLiteral("ctrl"));
    EXPECT_EQ(H.CID, QStringLiteral("c1"));
    EXPECT_EQ(H.CV, QStringLiteral("TRUE"));
    EXPECT_EQ(H.CT, QStringLiteral("CHECK"));
    EXPECT_GT(H.CtrlRect.Width(), 0);

    HtmlCall NoWidth;
    const String Bare = QStringLiteral("x<CONTROL TYPE=\"CHECK\" ID=\"c2\">y");
    NoWidth.Measure(P.C(), Bare);
    EXPECT_EQ(NoWidth.XSize, P.C()->TextWidth(QStringLiteral("x")) + P.C()->TextWidth(QStringLiteral("y")));
    EXPECT_FALSE(NoWidth.HitTest(P.C(), Bare, 1 + P.C()->TextWidth(QStringLiteral("x")), Gh / 2));
    EXPECT_TRUE(NoWidth.CID.isEmpty());
}

TEST(EsgHTMLEDraw, CanvasStateIsKept)
{
    Sheet P;
    TCanvas* C = P.C();
    C->Font()->SetName(QStringLiteral("Sans"));
    C->Font()->SetSize(10);
    C->Pen()->SetColor(clMaroon);
    C->Pen()->SetWidth(2);
    C->Brush()->SetColor(clTeal);
    C->Brush()->SetStyle(bsSolid);
    HtmlCall H;
    H.Run(C, QStringLiteral("<B><I><FONT FACE=\"Serif\" SIZE=\"5\" COLOR=\"clRed\" BGCOLOR=\"clBlue\">x<R A=\"90\">y"
                            "<HR><EW>z<CONTROL TYPE=\"EDIT\" WIDTH=\"30\" VALUE=\"v\"><A HREF=\"h\">q"));
    EXPECT_EQ(C->Font()->Name(), QStringLiteral("Sans"));
    EXPECT_EQ(C->Font()->Size(), 10);
    EXPECT_EQ(C->Font()->Style(), TFontStyles());
    EXPECT_EQ(C->Font()->Color(), clBlack);
    EXPECT_EQ(C->Font()->Orientation(), 0);
    EXPECT_EQ(C->Pen()->Color(), clMaroon);
    EXPECT_EQ(C->Pen()->Width(), 2);
    EXPECT_EQ(C->Brush()->Color(), clTeal);
    EXPECT_EQ(C->Brush()->Style(), bsSolid);
}

TEST(EsgHTMLEDraw, PathologicalTextsReturn)
{
    OnePicture Pic;
    Sheet P;
    const String Repeated = QStringLiteral("<LI><LI>x").repeated(200);
    const String Long = QStringLiteral("word <b>bold</b> ").repeated(6250);
    const String Cases[] = {
        QStringLiteral("ab<IMG SRC=\"pic\" WIDTH=\"99\">cd<IMG SRC=\"pic\" WIDTH=\"99\">"),
        QStringLiteral("ab<CONTROL TYPE=\"EDIT\" WIDTH=\"99\">cd<CONTROL TYPE=\"EDIT\" WIDTH=\"99\">"),
        Repeated,
        QStringLiteral("a<b"),
        QStringLiteral("<"),
        QStringLiteral("\x01\x02<\x03>") + QChar(0xD800) + QStringLiteral("x") + QChar(0xDC00),
    };
    const TRect Rects[] = {TRect(0, 0, 100, 100), TRect(0, 0, 0, 0), TRect(0, 0, 1, 1)};
    for (const String& S : Cases)
        for (const TRect& R : Rects)
            for (const bool CheckHeight : {false, true}) {
                HtmlCall H;
                H.Container = &Pic.Container;
                H.R = R;
                H.CheckHeight = CheckHeight;
                H.Run(P.C(), S);
                EXPECT_GT(H.YSize, 0);
            }
    // A long text is measured whole (every run once in the plain text) and
    // drawn as far as the rectangle goes.
    HtmlCall H;
    H.Measure(P.C(), Long);
    EXPECT_EQ(H.StripVal.size(), HTMLPlainText(Long).size());
    EXPECT_GT(H.YSize, 1000);
    H.WordWrap = false;
    H.Run(P.C(), Long);
    EXPECT_GT(H.YSize, 0);
}

// The tags and modes that change where, how large and in what colour text
// and images are drawn, one case each.
TEST(EsgHTMLEDraw, TagAndModeEffects)
{
    Sheet Plain;
    TCanvas* Ref = Plain.C();
    const Integer Gh = Ref->TextHeight(QStringLiteral("gh"));
    const auto W = [&](const char* Text) { return Ref->TextWidth(QString::fromUtf8(Text)); };
    const Integer X1 = 1;  // the text starts 1 pixel into the rectangle
    const Integer Edge = HtmlCall().R.Right;
    const auto NotPaper = [](TColor Pixel) { return Pixel != Paper; };
    const TRect PlainX = [] {
        Sheet P;
        HtmlCall().Run(P.C(), QStringLiteral("x"));
        return P.Ink();
    }();
    const TColor OldBackground = HTMLHighlightColor;
    const TColor OldText = HTMLHighlightTextColor;
    SetHTMLHighlightColors(clYellow, clRed);
    const Qt::LayoutDirection Direction = QGuiApplication::layoutDirection();
    TImageList Images(nullptr, 16, 16);
    TBitmap Red;
    Red.SetSize(16, 16);
    Red.Canvas()->Brush()->SetColor(clRed);
    Red.Canvas()->FillRect(TRect(0, 0, 16, 16));
    Images.Add(&Red, nullptr);
    const char* Anchors = "<A HREF=\"a\">aa</A> <A HREF=\"b\">bb</A>";
    const auto Hover = [](bool Style) {
        return [Style](HtmlCall& H) {
            H.HoverStyle = Style;
            H.HoverLink = 2;
            H.HoverColor = clYellow;
            H.HoverFontColor = clRed;
        };
    };
    const auto ListImage = [&](bool Print) {
        return [&Images, Print](HtmlCall& H) {
            H.Images = &Images;
            H.Print = Print;
            H.ResFactor = 2.0;
        };
    };
    const auto None = [](HtmlCall&) {};

    struct Case {
        const char* What;
        const char* Text;
        std::function<void(HtmlCall&)> Setup;
        std::function<void(Sheet&, const HtmlCall&)> Check;
    };
    const Case Cases[] = {
        {"HI fills behind its text and colours it", "xx<HI>yy</HI>", None,
         [&](Sheet& P, const HtmlCall&) {
             const TRect Back = P.BoxOf(clYellow);
             EXPECT_EQ(Back.Left, X1 + W("xx"));
             EXPECT_EQ(Back.Right, X1 + W("xx") + W("yy"));
             EXPECT_GE(P.BoxOf(clRed).Left, Back.Left);
             EXPECT_LE(P.BoxOf(clBlack).Right, Back.Left);
         }},
        {"SUB lowers its text by a quarter line and adds that below", "<SUB>x</SUB>", None,
         [&](Sheet& P, const HtmlCall& H) {
             EXPECT_EQ(H.YSize, Gh + Gh / 4);
             EXPECT_EQ(P.Ink().Top, PlainX.Top + Gh / 4);
         }},
        {"SUP raises its text by a quarter line above the rest", "x<SUP>x</SUP>", None,
         [&](Sheet& P, const HtmlCall& H) {
             EXPECT_EQ(H.YSize, Gh + Gh / 4);
             const Integer Second = X1 + W("x");
             EXPECT_EQ(P.Box(NotPaper, 0, Second).Top - P.Box(NotPaper, Second).Top, Gh / 4);
         }},
        {"Z hides its text from the drawing, not from the plain text", "a<Z>b</Z>c", None,
         [&](Sheet& P, const HtmlCall& H) {
             EXPECT_EQ(H.StripVal, QStringLiteral("abc"));
             EXPECT_EQ(H.XSize, W("a") + W("c"));
             EXPECT_EQ(P.Image(), Drawn(QStringLiteral("a<Q>c")));
         }},
        {"BLINK off draws in the starting brush colour, none for a clear brush", "<BLINK>xx</BLINK>", None,
         [&](Sheet& P, const HtmlCall&) { EXPECT_EQ(P.Ink(), TRect(0, 0, 0, 0)); }},
        {"BLINK on draws its text", "<BLINK>xx</BLINK>", [](HtmlCall& H) { H.Blink = true; },
         [&](Sheet& P, const HtmlCall&) { EXPECT_EQ(P.Image(), Drawn(QStringLiteral("xx"))); }},
        {"SHAD draws a copy right and down by the offset", "<SHAD>x</SHAD>",
         [](HtmlCall& H) { H.ShadowOffset = 2; },
         [&](Sheet& P, const HtmlCall&) {
             EXPECT_EQ(P.BoxOf(clBlack), PlainX);
             const TRect Shadow = P.BoxOf(clGray);
             EXPECT_EQ(Shadow.Right, PlainX.Right + 2);
             EXPECT_EQ(Shadow.Bottom, PlainX.Bottom + 2);
         }},
        {"LI indents 12 pixels and puts the bullet before its text", "<UL><LI>x", None,
         [&](Sheet& P, const HtmlCall& H) {
             EXPECT_EQ(H.YSize, 2 * Gh);
             EXPECT_EQ(H.XSize, 12 + W("x"));
             const TRect Text = P.Box(NotPaper, X1 + 12);
             EXPECT_EQ(Text.Left, PlainX.Left + 12);
             EXPECT_EQ(Text.Top, PlainX.Top + Gh);
             EXPECT_GT(P.Box(NotPaper, 0, X1 + 12).Width(), 0);
         }},
        {"LI of the second level indents 24 pixels, its bullet 12", "<UL><UL><LI>x", None,
         [&](Sheet& P, const HtmlCall& H) {
             EXPECT_EQ(H.YSize, 3 * Gh);
             EXPECT_EQ(H.XSize, 24 + W("x"));
             EXPECT_EQ(P.Box(NotPaper, X1 + 24).Left, PlainX.Left + 24);
             EXPECT_EQ(P.Box(NotPaper, 0, X1 + 12).Width(), 0);
             EXPECT_GT(P.Box(NotPaper, X1 + 12, X1 + 24).Width(), 0);
         }},
        {"hover style styles only the hovered anchor", Anchors, Hover(true),
         [&](Sheet& P, const HtmlCall&) {
             const TRect Back = P.BoxOf(clYellow);
             EXPECT_EQ(Back.Left, X1 + W("aa") + W(" "));
             EXPECT_EQ(Back.Right, X1 + W("aa") + W(" ") + W("bb"));
             EXPECT_GE(P.BoxOf(clRed).Left, Back.Left);
             EXPECT_LE(P.BoxOf(clBlue).Right, Back.Left);  // the link colour
         }},
        {"without hover style every anchor is styled", Anchors, Hover(false),
         [&](Sheet& P, const HtmlCall&) {
             EXPECT_EQ(P.BoxOf(clYellow).Left, X1);
             EXPECT_EQ(P.Count(clBlue), 0);
         }},
        {"list images keep their size outside print mode", "<IMG SRC=\"IDX:0\">x", ListImage(false),
         [&](Sheet& P, const HtmlCall& H) {
             EXPECT_EQ(H.XSize, 16 + W("x"));
             EXPECT_EQ(P.BoxOf(clRed), TRect(X1, 0, X1 + 16, 16));
         }},
        {"print mode scales list images by the factor, not their room", "<IMG SRC=\"IDX:0\">x", ListImage(true),
         [&](Sheet& P, const HtmlCall& H) {
             EXPECT_EQ(H.XSize, 16 + W("x"));
             EXPECT_EQ(P.BoxOf(clRed), TRect(X1, 0, X1 + 32, 32));
         }},
        {"right to left lays runs out leftwards from the right edge", "a<B>b</B>",
         [](HtmlCall& H) {
             H.BiDiMode = 1;
             QGuiApplication::setLayoutDirection(Qt::RightToLeft);
         },
         [&](Sheet& P, const HtmlCall& H) {
             const Integer A = Edge - W("a");
             Sheet Alone;
             HtmlCall(H).Run(Alone.C(), QStringLiteral("a"));
             EXPECT_EQ(P.Box(NotPaper, A), Alone.Ink());
             EXPECT_GT(P.Box(NotPaper, 0, A).Width(), 0);
             EXPECT_GT(P.Box(NotPaper, 0, A).Left, Edge - 30);
         }},
    };
    for (const Case& K : Cases) {
        SCOPED_TRACE(K.What);
        Sheet P;
        HtmlCall H;
        K.Setup(H);
        H.Run(P.C(), QString::fromUtf8(K.Text));
        K.Check(P, H);
        QGuiApplication::setLayoutDirection(Direction);
    }
    SetHTMLHighlightColors(OldBackground, OldText);
}

} // namespace
