#include "rtl/Graphics.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>

#include <gtest/gtest.h>

TEST(GraphicsColorTest, RgbValuesKeepRedInTheLowByte)
{
    EXPECT_EQ(RGB(248, 247, 237), 15595512);
    EXPECT_EQ(RGB(255, 128, 0), 33023);
    const TColor C = RGB(1, 2, 3);
    EXPECT_EQ(GetRValue(C), 1);
    EXPECT_EQ(GetGValue(C), 2);
    EXPECT_EQ(GetBValue(C), 3);
    EXPECT_EQ(clRed, RGB(255, 0, 0));
    EXPECT_EQ(clNavy, RGB(0, 0, 128));
    EXPECT_EQ(clBtnFace, TColor(0xFF00000F));
    EXPECT_EQ(clWindow, TColor(0xFF000005));
    EXPECT_EQ(clInfoBk, TColor(0xFF000018));
}

TEST(GraphicsColorTest, SystemColoursResolveThroughTheFixedTable)
{
    struct Case {
        TColor System;
        TColor Rgb;
    };
    const Case Cases[] = {
        {clBtnFace, RGB(240, 240, 240)},     {clWindow, RGB(255, 255, 255)},   {clWindowText, RGB(0, 0, 0)},
        {clHighlight, RGB(0, 120, 215)},     {clHighlightText, clWhite},       {clInfoBk, RGB(255, 255, 225)},
        {clBtnShadow, RGB(160, 160, 160)},   {cl3DDkShadow, RGB(105, 105, 105)}, {clGrayText, RGB(109, 109, 109)},
        {clGradientActiveCaption, RGB(185, 209, 234)},
    };
    for (const Case& C : Cases) {
        EXPECT_EQ(ColorToRGB(C.System), C.Rgb) << std::hex << C.System;
        const QColor Q = ColorToQColor(C.System);
        EXPECT_EQ(QColorToColor(Q), C.Rgb);
    }
    // Plain colours and the markers pass ColorToRGB unchanged.
    for (TColor C : {clRed, RGB(1, 2, 3), clNone, clDefault})
        EXPECT_EQ(ColorToRGB(C), C);
}

TEST(GraphicsColorTest, MarkersAreNotPaintable)
{
    EXPECT_FALSE(ColorToQColor(clNone).isValid());
    EXPECT_FALSE(ColorToQColor(clDefault).isValid());
    EXPECT_TRUE(ColorToQColor(clBlack).isValid());
    EXPECT_TRUE(ColorToQColor(clBtnFace).isValid());
}

TEST(GraphicsColorTest, FontSizeAndHeightAt96Dpi)
{
    struct Case {
        Integer Size;
        Integer Height;
    };
    // Height = -Size * 96 / 72, rounded; Size from a height rounds back.
    const Case Cases[] = {{8, -11}, {9, -12}, {10, -13}, {12, -16}, {18, -24}};
    for (const Case& C : Cases) {
        TFont F;
        F.SetSize(C.Size);
        EXPECT_EQ(F.Height(), C.Height) << C.Size;
        F.SetHeight(C.Height);
        EXPECT_EQ(F.Size(), C.Size) << C.Height;
    }
    TFont F;
    F.SetHeight(-11);
    EXPECT_EQ(F.ToQFont().pixelSize(), 11);
    // A positive height is the whole cell, leading included.
    F.SetHeight(20);
    EXPECT_NEAR(QFontMetrics(F.ToQFont()).height(), 20, 1);
    F.SetStyle({fsBold, fsUnderline});
    const QFont Q = F.ToQFont();
    EXPECT_TRUE(Q.bold());
    EXPECT_TRUE(Q.underline());
    EXPECT_FALSE(Q.italic());
}

TEST(GraphicsColorTest, ToolsReportChangesAndCopy)
{
    int Changes = 0;
    TFont F;
    F.OnChange = [&](TObject* Sender) {
        EXPECT_EQ(Sender, &F);
        ++Changes;
    };
    F.SetName(QStringLiteral("Verdana"));
    F.SetHeight(-13);
    F.SetColor(clRed);
    F.SetColor(clRed); // unchanged: no notification
    EXPECT_EQ(Changes, 3);

    TFont G;
    G.Assign(&F);
    EXPECT_EQ(G.Name(), QStringLiteral("Verdana"));
    EXPECT_EQ(G.Color(), clRed);
    EXPECT_EQ(G.Height(), -13);

    // A colour makes a clear brush solid again.
    TBrush B;
    B.SetStyle(bsClear);
    B.SetColor(clYellow);
    EXPECT_EQ(B.Style(), bsSolid);
}

TEST(GraphicsColorTest, ColourNamesCoverTheFiftyTwoEntriesBothWays)
{
    struct Case {
        const char* Name;
        Cardinal Value;
    };
    // A sample over the table: fixed colours, system colours and markers.
    const Case Cases[] = {
        {"clBlack", 0x00000000},   {"clMaroon", 0x00000080}, {"clWhite", 0x00FFFFFF},
        {"clSilver", 0x00C0C0C0},  {"clMoneyGreen", 0x00C0DCC0}, {"clMedGray", 0x00A4A0A0},
        {"clScrollBar", 0xFF000000}, {"clBtnFace", 0xFF00000F}, {"clMenuBar", 0xFF00001E},
        {"clHotLight", 0xFF00001A}, {"clNone", 0x1FFFFFFF}, {"clDefault", 0x20000000},
    };
    for (const Case& C : Cases) {
        String Ident;
        ASSERT_TRUE(ColorToIdent(TColor(C.Value), Ident)) << C.Name;
        EXPECT_EQ(Ident, QString::fromLatin1(C.Name));
        TColor Color = 0;
        ASSERT_TRUE(IdentToColor(QString::fromLatin1(C.Name).toUpper(), Color)) << C.Name;
        EXPECT_EQ(Cardinal(Color), C.Value);
    }
    // Every system colour index 0..30 but the unused 25 has a name: 30,
    // with 20 fixed colours and the 2 markers that makes 52.
    int Named = 0;
    String Ident;
    for (Cardinal Index = 0; Index <= 0x1F; ++Index)
        Named += ColorToIdent(TColor(0xFF000000u | Index), Ident) ? 1 : 0;
    EXPECT_EQ(Named, 30);
    EXPECT_FALSE(ColorToIdent(TColor(0xFF000019u), Ident));
    EXPECT_FALSE(ColorToIdent(RGB(1, 2, 3), Ident));
    TColor Color = 0;
    EXPECT_FALSE(IdentToColor("clNoSuchColour", Color));
}

TEST(GraphicsColorTest, ColourTextsAreANameOrEightHexadecimalDigits)
{
    EXPECT_EQ(ColorToString(clWhite), "clWhite");
    EXPECT_EQ(ColorToString(RGB(1, 2, 3)), "$00030201");
    EXPECT_EQ(ColorToString(TColor(0xFF000019u)), "$FF000019");
    EXPECT_EQ(StringToColor("clBtnFace"), clBtnFace);
    EXPECT_EQ(StringToColor("$00030201"), RGB(1, 2, 3));
    EXPECT_EQ(StringToColor("$FF000019"), TColor(0xFF000019u));
    EXPECT_EQ(StringToColor("255"), clRed);
    EXPECT_THROW(StringToColor("clNoSuchColour"), EConvertError);
}
