// The push button: faces of its styles probed pixel by pixel, hot tracking
// and pressing by mouse and keyboard, glyph frames, kinds and presets.
#include "rtl/Forms.h"
#include "shell/LbButton.h"

#include <QApplication>
#include <QEnterEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

constexpr TColor Face = RGB(248, 247, 237);
constexpr TColor Back = RGB(20, 160, 20); // the form behind the button

struct ButtonOnForm {
    std::unique_ptr<TForm> Form;
    TLbButton* Btn = nullptr;
    // Holds the focus unless a test gives it to Btn.
    TLbButton* Other = nullptr;
    Integer Clicks = 0;

    explicit ButtonOnForm(TLbButtonStyle Style = bsNormal, Integer W = 60, Integer H = 30)
    {
        Form = std::make_unique<TForm>(nullptr);
        Form->SetColor(Back);
        Form->SetClientWidth(200);
        Form->SetClientHeight(100);
        Btn = new TLbButton(Form.get());
        Btn->SetParent(Form.get());
        Btn->SetBounds(10, 10, W, H);
        Btn->SetColor(Face);
        Btn->SetLightColor(clWhite);
        Btn->SetShadowColor(RGB(128, 128, 128));
        Btn->SetStyle(Style);
        Btn->OnClick = [this](TObject*) { ++Clicks; };
        Other = new TLbButton(Form.get());
        Other->SetParent(Form.get());
        Other->SetBounds(100, 60, 50, 20);
        Form->Show();
        Other->SetFocus();
    }

    // The button as it shows on its form.
    QImage Grab() const
    {
        Btn->Repaint();
        return Form->Handle()->grab(ToQRect(Btn->BoundsRect())).toImage();
    }

    TColor Pixel(Integer X, Integer Y) const { return QColorToColor(Grab().pixelColor(X, Y)); }

    void Enter() const
    {
        QEnterEvent E(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(Btn->Handle(), &E);
    }
    void Leave() const
    {
        QEvent E(QEvent::Leave);
        QApplication::sendEvent(Btn->Handle(), &E);
    }
};

std::string ColorText(TColor C)
{
    char Buf[40];
    std::snprintf(Buf, sizeof Buf, "RGB(%d, %d, %d)", GetRValue(C), GetGValue(C), GetBValue(C));
    return Buf;
}

#define EXPECT_COLOR(Expected, Actual) EXPECT_EQ(ColorText(Expected), ColorText(Actual))
#define ASSERT_COLOR(Expected, Actual) ASSERT_EQ(ColorText(Expected), ColorText(Actual))

struct Probe {
    Integer X, Y;
    TColor Expected;
};

struct StyleCase {
    const char* Name;
    TLbButtonStyle Style;
    bool Pressed;
    bool Focused;
    std::vector<Probe> Probes;
};

constexpr TColor Light = clWhite;
constexpr TColor Shadow = RGB(128, 128, 128);
constexpr TColor DkShadow = RGB(105, 105, 105); // cl3DDkShadow

} // namespace

// Each style's face and edges on a 60 x 30 button with no caption, probed
// where the face routine puts them; transparent parts show the form.
TEST(LbButtonTest, StylesDrawTheirFacesAndEdges)
{
    const std::vector<StyleCase> Cases = {
        {"normal", bsNormal, false, false,
         {{30, 15, Face}, {0, 10, Light}, {30, 0, Light}, {59, 10, Shadow}, {30, 29, Shadow}}},
        {"normal pressed", bsNormal, true, true,
         {{30, 15, Face}, {0, 10, Shadow}, {30, 0, Shadow}, {59, 10, Light}, {30, 29, Light}}},
        {"encarta", bsEncarta, false, false, {{30, 15, Face}, {0, 10, Light}, {59, 10, Shadow}}},
        {"old", bsOld, false, false,
         {{30, 15, Face}, {0, 10, Light}, {58, 10, Shadow}, {59, 10, DkShadow}, {30, 28, Shadow}, {30, 29, DkShadow}}},
        // Focused: the face one pixel smaller, moved right and down, in a
        // black frame.
        {"old focused", bsOld, false, true,
         {{0, 10, clBlack}, {59, 10, clBlack}, {1, 10, Light}, {57, 10, Shadow}, {58, 10, DkShadow}}},
        {"old pressed", bsOld, true, true,
         {{0, 10, clBlack}, {1, 10, DkShadow}, {2, 10, Shadow}, {30, 2, Shadow}, {58, 10, Shadow}}},
        // Gradient from the light colour at the top to the face at a quarter
        // of the height; the rounded outline leaves the corner to the form.
        {"modern", bsModern, false, false, {{0, 0, Back}, {0, 15, Shadow}, {30, 29, Shadow}, {1, 10, Face}}},
        {"shape", bsShape, false, false, {{30, 15, Back}, {0, 0, Back}, {59, 29, Back}}},
        {"quicken", bsQuicken, false, false, {{30, 0, Shadow}, {30, 29, Shadow}, {30, 15, Face}, {0, 0, Back}}},
    };
    for (const StyleCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        ButtonOnForm B(C.Style);
        if (C.Focused)
            B.Btn->SetFocus();
        ASSERT_EQ(C.Focused, B.Btn->Focused());
        if (C.Pressed) {
            QTest::mousePress(B.Btn->Handle(), Qt::LeftButton, {}, QPoint(30, 15));
            ASSERT_TRUE(B.Btn->Down());
        }
        const QImage Img = B.Grab();
        for (const Probe& P : C.Probes) {
            SCOPED_TRACE(testing::Message() << "at " << P.X << ", " << P.Y);
            EXPECT_COLOR(P.Expected, QColorToColor(Img.pixelColor(P.X, P.Y)));
        }
        if (C.Pressed)
            QTest::mouseRelease(B.Btn->Handle(), Qt::LeftButton, {}, QPoint(30, 15));
    }
}

TEST(LbButtonTest, ModernGradientRunsFromLightToFaceAndBack)
{
    // 140 high: rows 2 .. 35 (H div 4) from blue to red, 35 .. 139 back, in
    // 32 bands; band i has i / 31 of the way, truncated per channel.
    ButtonOnForm B(bsModern, 60, 140);
    B.Btn->SetLightColor(RGB(0, 0, 255));
    B.Btn->SetColor(RGB(200, 0, 0));
    const QImage Img = B.Grab();
    EXPECT_COLOR(RGB(0, 0, 255), QColorToColor(Img.pixelColor(30, 2)));
    EXPECT_COLOR(RGB(193, 0, 9), QColorToColor(Img.pixelColor(30, 34)));
    EXPECT_COLOR(RGB(200, 0, 0), QColorToColor(Img.pixelColor(30, 35)));
    EXPECT_COLOR(RGB(7, 0, 246), QColorToColor(Img.pixelColor(30, 137)));
}

// Hot tracking and the pressed colour follow the pointer; a press that ends
// outside still clicks; a disabled button keeps the plain face.
TEST(LbButtonTest, HotTrackAndPressedColoursFollowTheMouse)
{
    ButtonOnForm B(bsEncarta);
    B.Btn->SetHotTrackColor(clYellow);
    B.Btn->SetColorWhenDown(33023);
    EXPECT_COLOR(Face, B.Pixel(30, 15));

    B.Enter();
    EXPECT_TRUE(B.Btn->CursorOnButton());
    EXPECT_COLOR(clYellow, B.Pixel(30, 15));

    QTest::mousePress(B.Btn->Handle(), Qt::LeftButton, {}, QPoint(30, 15));
    EXPECT_COLOR(RGB(255, 128, 0), B.Pixel(30, 15));
    EXPECT_EQ(0, B.Clicks);
    // Released far outside: the button holds the mouse, so it still clicks.
    QTest::mouseRelease(B.Btn->Handle(), Qt::LeftButton, {}, QPoint(150, 80));
    EXPECT_EQ(1, B.Clicks);
    EXPECT_FALSE(B.Btn->Down());

    B.Leave();
    EXPECT_FALSE(B.Btn->CursorOnButton());
    EXPECT_EQ(0, B.Btn->HotTrackStep());
    // Focused after the press: the face is plain again, the focus frame is inside.
    EXPECT_COLOR(Face, B.Pixel(2, 15));

    B.Btn->SetEnabled(false);
    B.Enter();
    EXPECT_FALSE(B.Btn->CursorOnButton());
    EXPECT_COLOR(Face, B.Pixel(2, 15));
    QTest::mouseClick(B.Btn->Handle(), Qt::LeftButton, {}, QPoint(30, 15));
    EXPECT_EQ(1, B.Clicks);
}

TEST(LbButtonTest, HalfwayFadeBlendsFaceAndHotTrackColour)
{
    ButtonOnForm B(bsNormal);
    B.Btn->SetColor(RGB(0, 0, 0));
    B.Btn->SetHotTrackColor(RGB(200, 100, 8));
    B.Btn->SetSlowDecease(true);
    B.Enter();
    B.Leave();
    ASSERT_NE(nullptr, B.Btn->Thread());
    EXPECT_FALSE(B.Btn->Thread()->Suspended());
    for (int I = 0; I < 4; ++I)
        B.Btn->Thread()->DoEvent();
    EXPECT_EQ(4, B.Btn->HotTrackStep());
    EXPECT_COLOR(RGB(100, 50, 4), B.Pixel(30, 15));
    // Back on the button during the fade: full colour again, ticker running.
    B.Enter();
    EXPECT_EQ(8, B.Btn->HotTrackStep());
    EXPECT_FALSE(B.Btn->Thread()->Suspended());
    B.Leave();
    for (int I = 0; I < 8; ++I)
        B.Btn->Thread()->DoEvent();
    EXPECT_EQ(0, B.Btn->HotTrackStep());
    EXPECT_TRUE(B.Btn->Thread()->Suspended());
    B.Btn->SetSlowDecease(false);
    EXPECT_EQ(nullptr, B.Btn->Thread());
}

TEST(LbButtonTest, SpaceAndEnterClickAFocusedButton)
{
    for (const Qt::Key Key : {Qt::Key_Space, Qt::Key_Return}) {
        SCOPED_TRACE(Key);
        ButtonOnForm B(bsEncarta);
        B.Btn->SetColorWhenDown(33023);
        B.Btn->SetFocus();
        ASSERT_TRUE(B.Btn->Focused());
        QTest::keyPress(B.Btn->Handle(), Key);
        EXPECT_TRUE(B.Btn->Down());
        EXPECT_COLOR(RGB(255, 128, 0), B.Pixel(30, 15));
        EXPECT_EQ(0, B.Clicks);
        QTest::keyRelease(B.Btn->Handle(), Key);
        EXPECT_EQ(1, B.Clicks);
        EXPECT_FALSE(B.Btn->Down());
        QTest::keyClick(B.Btn->Handle(), Qt::Key_A);
        EXPECT_EQ(1, B.Clicks);
    }
}

// The release of Enter or Space clicks only the button that saw the key go
// down while it had the focus: the release of an Enter that closed a window
// above, or of a key pressed before the focus moved, clicks nothing.
TEST(LbButtonTest, OnlyTheKeyThatWentDownOnTheButtonClicksIt)
{
    ButtonOnForm B(bsEncarta);
    Integer Other_Clicks = 0;
    B.Other->OnClick = [&](TObject*) { ++Other_Clicks; };
    B.Btn->SetFocus();
    for (const Qt::Key Key : {Qt::Key_Return, Qt::Key_Space})
        QTest::keyRelease(B.Btn->Handle(), Key);
    EXPECT_EQ(0, B.Clicks);

    // Another key's release does not finish the press.
    QTest::keyPress(B.Btn->Handle(), Qt::Key_Space);
    QTest::keyRelease(B.Btn->Handle(), Qt::Key_Return);
    EXPECT_EQ(0, B.Clicks);
    QTest::keyRelease(B.Btn->Handle(), Qt::Key_Space);
    EXPECT_EQ(1, B.Clicks);
    QTest::keyRelease(B.Btn->Handle(), Qt::Key_Space);
    EXPECT_EQ(1, B.Clicks);

    // The focus moves while the key is held: neither button clicks.
    QTest::keyPress(B.Btn->Handle(), Qt::Key_Return);
    ASSERT_TRUE(B.Btn->Down());
    B.Other->SetFocus();
    EXPECT_FALSE(B.Btn->Down());
    QTest::keyRelease(B.Other->Handle(), Qt::Key_Return);
    QTest::keyRelease(B.Btn->Handle(), Qt::Key_Return);
    EXPECT_EQ(1, B.Clicks);
    EXPECT_EQ(0, Other_Clicks);
}

// A button drops its hot look when it or its window is hidden, or its
// window deactivated: the pointer is no longer on it, though no leave came.
TEST(LbButtonTest, HiddenOrDeactivatedButtonsAreNoLongerHot)
{
    const struct {
        const char* Name;
        std::function<void(ButtonOnForm&)> Away;
        std::function<void(ButtonOnForm&)> Back;
    } Cases[] = {
        {"button hidden", [](ButtonOnForm& B) { B.Btn->SetVisible(false); },
         [](ButtonOnForm& B) { B.Btn->SetVisible(true); }},
        {"window hidden", [](ButtonOnForm& B) { B.Form->Hide(); }, [](ButtonOnForm& B) { B.Form->Show(); }},
        {"window deactivated",
         [](ButtonOnForm& B) {
             QEvent Deactivate(QEvent::WindowDeactivate);
             QApplication::sendEvent(B.Form->Handle(), &Deactivate);
         },
         [](ButtonOnForm&) {}},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        ButtonOnForm B(bsEncarta);
        B.Btn->SetHotTrackColor(clYellow);
        B.Enter();
        ASSERT_TRUE(B.Btn->CursorOnButton());
        ASSERT_COLOR(clYellow, B.Pixel(30, 15));
        C.Away(B);
        C.Back(B);
        EXPECT_FALSE(B.Btn->CursorOnButton());
        EXPECT_EQ(0, B.Btn->HotTrackStep());
        EXPECT_COLOR(Face, B.Pixel(30, 15));
    }
}

TEST(LbButtonTest, DisablingAHeldButtonReleasesIt)
{
    ButtonOnForm B(bsNormal);
    QTest::mousePress(B.Btn->Handle(), Qt::LeftButton, {}, QPoint(30, 15));
    ASSERT_TRUE(B.Btn->Down());
    B.Btn->SetEnabled(false);
    EXPECT_FALSE(B.Btn->Down());
    QTest::mouseRelease(B.Btn->Handle(), Qt::LeftButton, {}, QPoint(30, 15));
    EXPECT_EQ(0, B.Clicks);
    // Right and middle buttons never press it.
    B.Btn->SetEnabled(true);
    QTest::mouseClick(B.Btn->Handle(), Qt::RightButton, {}, QPoint(30, 15));
    QTest::mouseClick(B.Btn->Handle(), Qt::MiddleButton, {}, QPoint(30, 15));
    EXPECT_EQ(0, B.Clicks);
}

// Frames of a strip: each frame is one solid colour (its bottom-left pixel
// is the key colour, left out when drawn).
TEST(LbButtonTest, GlyphFrameFollowsStateAndFrameCount)
{
    const TColor FrameColors[] = {RGB(200, 0, 0), RGB(0, 0, 200), RGB(0, 150, 0), RGB(150, 0, 150)};
    struct Case {
        Integer Frames;
        const char* State;
        Integer Expected;
    };
    const Case Cases[] = {
        {1, "normal", 0}, {1, "disabled", 0}, {1, "hot", 0},     {2, "normal", 0},  {2, "disabled", 1},
        {2, "pressed", 0}, {4, "hot", 3},     {4, "pressed", 2}, {4, "disabled", 1}, {3, "hot", 0},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(testing::Message() << C.Frames << " frames, " << C.State);
        ButtonOnForm B(bsNormal);
        TBitmap Strip(8 * C.Frames, 8);
        for (Integer F = 0; F < C.Frames; ++F) {
            Strip.Canvas()->Brush()->SetColor(FrameColors[F]);
            Strip.Canvas()->FillRect(TRect(F * 8, 0, F * 8 + 8, 8));
            Strip.Canvas()->SetPixels(F * 8, 7, clFuchsia);
        }
        B.Btn->SetGlyph(&Strip);
        ASSERT_EQ(C.Frames, B.Btn->NumGlyphs());
        const std::string State = C.State;
        Integer Off = 0;
        if (State == "disabled")
            B.Btn->SetEnabled(false);
        if (State == "hot")
            B.Enter();
        if (State == "pressed") {
            QTest::mousePress(B.Btn->Handle(), Qt::LeftButton, {}, QPoint(30, 15));
            Off = 1;
        }
        // No caption, glyph left, centred: at ((60 - 8) div 2, (30 - 8) div 2).
        const QImage Img = B.Grab();
        EXPECT_COLOR(FrameColors[C.Expected], QColorToColor(Img.pixelColor(26 + 3 + Off, 11 + 3 + Off)));
        // The key-coloured corner of the frame shows the face.
        EXPECT_NE(ColorText(clFuchsia), ColorText(QColorToColor(Img.pixelColor(26 + Off, 11 + 7 + Off))));
        if (State == "pressed")
            QTest::mouseRelease(B.Btn->Handle(), Qt::LeftButton, {}, QPoint(30, 15));
    }
}

TEST(LbButtonTest, CaptionIsCutWithoutWordWrapAndWrapsWithIt)
{
    ButtonOnForm B(bsNormal, 60, 40);
    B.Btn->SetColor(clWhite);
    B.Btn->Font()->SetColor(clBlack);
    B.Btn->SetCaption(QStringLiteral("WWWW WWWW WWWW"));
    const auto InkRows = [&](const QImage& Img) {
        std::vector<int> Rows;
        for (int Y = 1; Y < Img.height() - 1; ++Y)
            for (int X = 1; X < Img.width() - 1; ++X)
                if (Img.pixelColor(X, Y) == QColor(0, 0, 0)) {
                    Rows.push_back(Y);
                    break;
                }
        return Rows;
    };
    const QImage Cut = B.Grab();
    // One line, nothing drawn in the 4-pixel margins.
    const std::vector<int> CutRows = InkRows(Cut);
    ASSERT_FALSE(CutRows.empty());
    EXPECT_LT(CutRows.back() - CutRows.front(), 15);
    for (int Y = 0; Y < Cut.height(); ++Y)
        for (int X : {1, 2, 3, 56, 57, 58})
            EXPECT_NE(QColor(0, 0, 0), Cut.pixelColor(X, Y)) << X << ", " << Y;

    B.Btn->SetWordWrap(true);
    const std::vector<int> Wrapped = InkRows(B.Grab());
    ASSERT_FALSE(Wrapped.empty());
    EXPECT_GT(Wrapped.back() - Wrapped.front(), 15);
}

TEST(LbButtonTest, KindsPresetsGlyphsAndModalResult)
{
    ButtonOnForm B(bsNormal);
    B.Btn->SetKind(bkCancel);
    EXPECT_EQ(QStringLiteral("Abbrechen"), B.Btn->Caption());
    EXPECT_EQ(mrCancel, B.Btn->ModalResult());
    EXPECT_EQ(2, B.Btn->NumGlyphs());
    EXPECT_EQ(36, B.Btn->Glyph()->Width());
    B.Btn->SetModalResult(mrOk);
    EXPECT_EQ(bkCustom, B.Btn->Kind());
    EXPECT_EQ(QStringLiteral("Abbrechen"), B.Btn->Caption());

    B.Btn->SetKind(bkAll);
    EXPECT_EQ(19, B.Btn->Glyph()->Height());
    EXPECT_EQ(mrAll, B.Btn->ModalResult());
    TBitmap Wide(64, 16);
    B.Btn->SetGlyph(&Wide);
    EXPECT_EQ(4, B.Btn->NumGlyphs());
    EXPECT_EQ(bkCustom, B.Btn->Kind());
    B.Btn->SetNumGlyphs(1);
    EXPECT_EQ(1, B.Btn->NumGlyphs());

    B.Btn->SetColorStyle(lcsGold);
    EXPECT_EQ(lcsCustom, B.Btn->ColorStyle());
    EXPECT_EQ(RGB(192, 192, 0), B.Btn->Color());
    EXPECT_EQ(RGB(223, 223, 0), B.Btn->HotTrackColor());
    EXPECT_EQ(bsModern, B.Btn->Style());
    B.Btn->SetColorStyle(lcsQuicken);
    EXPECT_EQ(clWhite, B.Btn->Font()->Color());
    EXPECT_EQ(bsQuicken, B.Btn->Style());

    // A click gives the modal result to the window.
    B.Btn->SetModalResult(mrYes);
    B.Btn->Click();
    EXPECT_EQ(mrYes, B.Form->ModalResult());
    EXPECT_EQ(1, B.Clicks);
}
