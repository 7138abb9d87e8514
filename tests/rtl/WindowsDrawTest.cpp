// The classic frame drawing, pixel by pixel, and the metrics.
#include "rtl/Windows.h"

#include <QApplication>
#include <QStyle>
#include <QPainter>
#include <QPixmap>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

// A bitmap in a colour of its own ('?') to draw on; Map() names the system
// colours of the classic look one character a pixel.
class Paper {
public:
    Paper(int W, int H)
    {
        B.SetSize(W, H);
        C()->Brush()->SetColor(RGB(1, 2, 3));
        C()->FillRect(Rect(0, 0, W, H));
    }
    TCanvas* C() { return B.Canvas(); }

    std::vector<std::string> Map()
    {
        static const std::map<TColor, char> Names = {
            {ColorToRGB(clBtnHighlight), 'W'}, {ColorToRGB(cl3DLight), 'L'}, {ColorToRGB(clBtnFace), 'F'},
            {ColorToRGB(clBtnShadow), 'S'},    {ColorToRGB(cl3DDkShadow), 'D'}, {RGB(0, 0, 0), 'K'},
            {RGB(1, 2, 3), '.'}};
        std::vector<std::string> Rows;
        for (int Y = 0; Y < B.Height(); ++Y) {
            std::string Row;
            for (int X = 0; X < B.Width(); ++X) {
                const auto It = Names.find(C()->Pixels(X, Y));
                Row += It == Names.end() ? '?' : It->second;
            }
            Rows.push_back(Row);
        }
        return Rows;
    }

    TBitmap B;
};

using Picture = std::vector<std::string>;

// The map of a frame control drawn over the whole of a W x H paper.
Picture FrameControl(int W, int H, UINT Type, UINT State)
{
    Paper P(W, H);
    TRect R(0, 0, W, H);
    DrawFrameControl(P.C(), R, Type, State);
    return P.Map();
}

} // namespace

TEST(WindowsDraw, EdgesAreLightAtTheTopLeftAndDarkAtTheBottomRight)
{
    struct Case {
        const char* Name;
        UINT Edge, Flags;
        Picture Expected;
    };
    const Case Cases[] = {
        {"raised soft button", EDGE_RAISED, BF_RECT | BF_SOFT | BF_MIDDLE,
         {"WWWWWD", "WLLLSD", "WLFFSD", "WSSSSD", "DDDDDD"}},
        {"raised", EDGE_RAISED, BF_RECT, {"LLLLLD", "LWWWSD", "LW..SD", "LSSSSD", "DDDDDD"}},
        {"sunken", EDGE_SUNKEN, BF_RECT | BF_MIDDLE, {"SSSSSW", "SDDDLW", "SDFFLW", "SLLLLW", "WWWWWW"}},
        {"flat", EDGE_RAISED, BF_RECT | BF_FLAT, {"SSSSSS", "SFFFFS", "SF..FS", "SFFFFS", "SSSSSS"}},
        {"left and top only", BDR_SUNKENOUTER, BF_LEFT | BF_TOP, {"SSSSSS", "S.....", "S.....", "S.....", "S....."}},
    };
    for (const Case& C : Cases) {
        Paper P(6, 5);
        TRect R(0, 0, 6, 5);
        EXPECT_TRUE(DrawEdge(P.C(), R, C.Edge, C.Flags));
        EXPECT_EQ(P.Map(), C.Expected) << C.Name;
        EXPECT_EQ(R, TRect(0, 0, 6, 5)) << "without BF_ADJUST the rectangle stays";
    }
}

TEST(WindowsDraw, AdjustLeavesTheInsideAndEmptyRectanglesDrawNothing)
{
    Paper P(6, 5);
    TRect R(0, 0, 6, 5);
    DrawEdge(P.C(), R, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    EXPECT_EQ(R, TRect(2, 2, 4, 3));
    R = TRect(0, 0, 6, 5);
    DrawEdge(P.C(), R, BDR_RAISEDINNER, BF_LEFT | BF_ADJUST);
    EXPECT_EQ(R, TRect(1, 0, 6, 5));

    Paper Empty(4, 4);
    TRect Inverted(3, 3, 1, 1);
    EXPECT_TRUE(DrawEdge(Empty.C(), Inverted, EDGE_RAISED, BF_RECT | BF_MIDDLE));
    EXPECT_TRUE(DrawFrameControl(Empty.C(), Inverted, DFC_BUTTON, DFCS_BUTTONPUSH));
    EXPECT_EQ(Empty.Map(), Picture(4, "...."));
    EXPECT_FALSE(DrawEdge(nullptr, R, EDGE_RAISED, BF_RECT));
    EXPECT_FALSE(DrawFrameControl(Empty.C(), R, DFC_CAPTION, 0));
}

TEST(WindowsDraw, DrawingKeepsTheCanvasPenAndBrush)
{
    Paper P(8, 8);
    P.C()->Pen()->SetColor(clRed);
    P.C()->Brush()->SetColor(clBlue);
    TRect R(0, 0, 8, 8);
    DrawFrameControl(P.C(), R, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
    DrawFrameControl(P.C(), R, DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED);
    EXPECT_EQ(P.C()->Pen()->Color(), clRed);
    EXPECT_EQ(P.C()->Brush()->Color(), clBlue);
}

TEST(WindowsDraw, PushButtonsRaisedPushedFlatAndHot)
{
    struct Case {
        const char* Name;
        UINT State;
        Picture Expected;
    };
    const Case Cases[] = {
        {"normal", 0, {"WWWWWD", "WLLLSD", "WLFFSD", "WSSSSD", "DDDDDD"}},
        {"pushed", DFCS_PUSHED, {"DDDDDD", "DSSSSD", "DSFFSD", "DSSSSD", "DDDDDD"}},
        {"inactive looks normal", DFCS_INACTIVE, {"WWWWWD", "WLLLSD", "WLFFSD", "WSSSSD", "DDDDDD"}},
        {"flat", DFCS_FLAT, {"SSSSSS", "SFFFFS", "SFFFFS", "SFFFFS", "SSSSSS"}},
        {"flat hot", DFCS_FLAT | DFCS_HOT, {"WWWWWS", "WFFFFS", "WFFFFS", "WFFFFS", "SSSSSS"}},
        {"flat hot pushed", DFCS_FLAT | DFCS_HOT | DFCS_PUSHED, {"SSSSSS", "SFFFFS", "SFFFFS", "SFFFFS", "SSSSSS"}},
    };
    for (const Case& C : Cases)
        EXPECT_EQ(FrameControl(6, 5, DFC_BUTTON, DFCS_BUTTONPUSH | C.State), C.Expected) << C.Name;
    Paper P(6, 5);
    TRect R(0, 0, 6, 5);
    DrawFrameControl(P.C(), R, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT);
    EXPECT_EQ(R, TRect(2, 2, 4, 3));
}

TEST(WindowsDraw, CheckBoxIsASunkenWhiteBoxWithATick)
{
    const Picture Expected = {
        "SSSSSSSSSSSSW",
        "SDDDDDDDDDDLW",
        "SDWWWWWWWWWLW",
        "SDWWWWWWWKWLW",
        "SDWWWWWWKKWLW",
        "SDWKWWWKKKWLW",
        "SDWKKWKKKWWLW",
        "SDWKKKKKWWWLW",
        "SDWWKKKWWWWLW",
        "SDWWWKWWWWWLW",
        "SDWWWWWWWWWLW",
        "SLLLLLLLLLLLW",
        "WWWWWWWWWWWWW",
    };
    EXPECT_EQ(FrameControl(13, 13, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED), Expected);

    const Picture Flat = FrameControl(13, 13, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT | DFCS_INACTIVE);
    EXPECT_EQ(Flat[0], std::string(13, 'S'));
    EXPECT_EQ(Flat[6], "SFFFFFFFFFFFS") << "inactive: face colour, no tick";
}

TEST(WindowsDraw, RadioButtonIsARoundSunkenBoxWithADot)
{
    const Picture Map = FrameControl(13, 13, DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED);
    EXPECT_EQ(Map[0][6], 'S') << "outer ring, upper half: shadow";
    EXPECT_EQ(Map[12][6], 'W') << "outer ring, lower half: highlight";
    EXPECT_EQ(Map[1][6], 'D') << "inner ring, upper half: dark shadow";
    EXPECT_EQ(Map[11][6], 'L') << "inner ring, lower half: light";
    EXPECT_EQ(Map[6][6], 'K') << "the dot";
    EXPECT_EQ(Map[3][6], 'W') << "white inside";
    EXPECT_EQ(Map[0][0], '.') << "the corners stay";

    EXPECT_EQ(FrameControl(13, 13, DFC_BUTTON, DFCS_BUTTONRADIO)[6][6], 'W');
}

TEST(WindowsDraw, ScrollButtonsCarryAnArrow)
{
    const Picture Down = {
        "WWWWWWWWD",
        "WLLLLLLSD",
        "WLFFFFFSD",
        "WLFKKKFSD",
        "WLFFKFFSD",
        "WLFFFFFSD",
        "WSSSSSSSD",
        "DDDDDDDDD",
    };
    EXPECT_EQ(FrameControl(9, 8, DFC_SCROLL, DFCS_SCROLLDOWN), Down);

    const Picture Up = FrameControl(9, 8, DFC_SCROLL, DFCS_SCROLLUP | DFCS_PUSHED);
    EXPECT_EQ(Up[4], "DSFFFKFSD") << "pushed: the arrow moves one pixel right and down";
    EXPECT_EQ(Up[5], "DSFFKKKSD");

    const Picture Inactive = FrameControl(9, 8, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | DFCS_INACTIVE);
    EXPECT_EQ(Inactive[3], "WLFSSSFSD") << "inactive: shadow arrow over a highlight one";
    EXPECT_EQ(Inactive[4], "WLFFSWWSD");
}

TEST(WindowsDraw, MetricsOfScrollBarsBordersAndResolution)
{
    const int Extent = QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    EXPECT_GT(Extent, 0);
    EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), Extent);
    EXPECT_EQ(GetSystemMetrics(SM_CYHSCROLL), Extent);
    EXPECT_EQ(GetSystemMetrics(SM_CXBORDER), 1);
    EXPECT_EQ(GetSystemMetrics(SM_CYEDGE), 2);
    EXPECT_EQ(GetSystemMetrics(9999), 0);

    TBitmap B(4, 4);
    B.Image().setDotsPerMeterX(11811); // 300 dpi
    B.Image().setDotsPerMeterY(3780);  // 96 dpi
    EXPECT_EQ(GetDeviceCaps(B.Canvas(), LOGPIXELSX), 300);
    EXPECT_EQ(GetDeviceCaps(B.Canvas(), LOGPIXELSY), 96);
    EXPECT_EQ(GetDeviceCaps(B.Canvas(), 12), 0);

    QPixmap Screen(10, 10);
    QPainter Painter(&Screen);
    TCanvas OnScreen(&Painter);
    EXPECT_EQ(GetDeviceCaps(&OnScreen, LOGPIXELSX), 96);
    EXPECT_EQ(GetDeviceCaps(nullptr, LOGPIXELSY), 96);
}
