// Theme services: element details, drawing through Qt's style, and the
// switch that forces the classic look.
#include "rtl/Themes.h"

#include <gtest/gtest.h>

namespace {

// Restores the theme switch.
struct ThemesOn {
    ~ThemesOn() { SetThemesEnabled(true); }
};

int PixelsOtherThan(const QImage& Image, QColor Background)
{
    int N = 0;
    for (int Y = 0; Y < Image.height(); ++Y)
        for (int X = 0; X < Image.width(); ++X)
            N += Image.pixelColor(X, Y) != Background;
    return N;
}

QImage Drawn(const TThemedElementDetails& D, int W = 40, int H = 20)
{
    TBitmap B(W + 20, H + 20);
    B.Canvas()->Brush()->SetColor(RGB(1, 2, 3));
    B.Canvas()->FillRect(TRect(0, 0, W + 20, H + 20));
    ThemeServices()->DrawElement(B.Canvas(), D, TRect(10, 10, 10 + W, 10 + H));
    B.Canvas()->Release();
    return B.ToImage();
}

} // namespace

TEST(ThemesTest, ElementDetailsGiveTheVisualStylePartsAndStates)
{
    struct Case {
        TThemedElementDetails D;
        TThemedElement Element;
        Integer Part, State;
    };
    TThemeServices* T = ThemeServices();
    const Case Cases[] = {
        {T->GetElementDetails(tbPushButtonNormal), teButton, BP_PUSHBUTTON, PBS_NORMAL},
        {T->GetElementDetails(tbPushButtonDisabled), teButton, BP_PUSHBUTTON, PBS_DISABLED},
        {T->GetElementDetails(tbRadioButtonCheckedHot), teButton, BP_RADIOBUTTON, RBS_CHECKEDHOT},
        {T->GetElementDetails(tbCheckBoxCheckedHot), teButton, BP_CHECKBOX, CBS_CHECKEDHOT},
        {T->GetElementDetails(tbCheckBoxMixedDisabled), teButton, BP_CHECKBOX, CBS_MIXEDDISABLED},
        {T->GetElementDetails(tcDropDownButtonDisabled), teComboBox, CP_DROPDOWNBUTTON, CBXS_DISABLED},
        {T->GetElementDetails(thHeaderItemPressed), teHeader, HP_HEADERITEM, HIS_PRESSED},
        {T->GetElementDetails(tpChunk), teProgress, PP_CHUNK, 1},
        {T->GetElementDetails(tsDownPressed), teSpin, SPNP_DOWN, DNS_PRESSED},
        {T->GetElementDetails(tsUpHot), teSpin, SPNP_UP, UPS_HOT},
    };
    for (const Case& C : Cases) {
        EXPECT_EQ(C.D.Element, C.Element);
        EXPECT_EQ(C.D.Part, C.Part);
        EXPECT_EQ(C.D.State, C.State);
    }
}

TEST(ThemesTest, ElementsAreDrawnIntoTheRectangleOnly)
{
    ThemesOn Restore;
    TThemeServices* T = ThemeServices();
    const QColor Background(1, 2, 3);
    for (const TThemedElementDetails& D :
         {T->GetElementDetails(tbPushButtonNormal), T->GetElementDetails(tbCheckBoxCheckedNormal),
          T->GetElementDetails(tcDropDownButtonNormal), T->GetElementDetails(thHeaderItemNormal),
          T->GetElementDetails(tpBar), T->GetElementDetails(tsUpNormal)}) {
        const QImage Image = Drawn(D);
        EXPECT_GT(PixelsOtherThan(Image, Background), 0) << D.Element << " " << D.Part;
        // Nothing outside the rectangle.
        EXPECT_EQ(PixelsOtherThan(Image.copy(0, 0, 60, 10), Background), 0);
        EXPECT_EQ(PixelsOtherThan(Image.copy(0, 30, 60, 10), Background), 0);
    }
    // The state shows: a checked box differs from an unchecked one.
    EXPECT_NE(Drawn(T->GetElementDetails(tbCheckBoxCheckedNormal), 16, 16),
              Drawn(T->GetElementDetails(tbCheckBoxUncheckedNormal), 16, 16));
}

TEST(ThemesTest, TheClassicSwitchTurnsThemedDrawingOff)
{
    ThemesOn Restore;
    EXPECT_TRUE(ThemeServices()->Enabled());
    HTHEME Button = OpenThemeData(nullptr, QStringLiteral("BUTTON"));
    EXPECT_NE(Button, nullptr);
    EXPECT_NE(OpenThemeData(nullptr, QStringLiteral("nothing;spin")), nullptr);
    EXPECT_EQ(OpenThemeData(nullptr, QStringLiteral("nothing")), nullptr);
    TBitmap B(30, 30);
    EXPECT_EQ(DrawThemeBackground(Button, B.Canvas(), BP_PUSHBUTTON, PBS_HOT, TRect(0, 0, 30, 30)), S_OK);

    SetThemesEnabled(false);
    EXPECT_FALSE(ThemeServices()->Enabled());
    EXPECT_FALSE(IsThemeActive());
    EXPECT_EQ(OpenThemeData(nullptr, QStringLiteral("button")), nullptr);
    EXPECT_EQ(DrawThemeBackground(Button, B.Canvas(), BP_PUSHBUTTON, PBS_HOT, TRect(0, 0, 30, 30)), E_FAIL);
    EXPECT_EQ(PixelsOtherThan(Drawn(ThemeServices()->GetElementDetails(tbPushButtonNormal)), QColor(1, 2, 3)), 0);
}

TEST(ThemesTest, CurrentThemeNamesAreEmptyAndMissingWithoutThemes)
{
    ThemesOn Restore;
    String File = "x", Color = "x", Size = "x";
    EXPECT_EQ(GetCurrentThemeName(&File, &Color, &Size), S_OK);
    EXPECT_EQ(File, "");
    EXPECT_EQ(Color, "");
    EXPECT_EQ(Size, "");
    EXPECT_EQ(GetCurrentThemeName(nullptr, nullptr, nullptr), S_OK);
    SetThemesEnabled(false);
    EXPECT_EQ(GetCurrentThemeName(&File, &Color, &Size), E_FAIL);
}
