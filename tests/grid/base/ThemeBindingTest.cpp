#include "grid/base/ATXPVS.h"
#include "grid/base/ExXPVS.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Every entry of a table, as untyped pointers, to see that none is missing.
std::vector<const void*> Entries(const TThemeAPI& API)
{
    static_assert(sizeof(TThemeAPI) == 45 * sizeof(void (*)()), "45 functions, nothing else");
    const auto* Raw = reinterpret_cast<void (*const*)()>(&API);
    std::vector<const void*> List;
    for (int I = 0; I < 45; ++I)
        List.push_back(reinterpret_cast<const void*>(Raw[I]));
    return List;
}

struct ThemesBackOn {
    ~ThemesBackOn() { SetThemesEnabled(true); }
};

} // namespace

TEST(ThemeBinding, BothTablesAreBoundWholeWhenTheUnitsStart)
{
    EXPECT_TRUE(ThemeAPIBound);
    EXPECT_TRUE(ThemeAPI2Bound);
    for (const TThemeAPI* API : {&ThemeAPI, &ThemeAPI2})
        for (const void* Entry : Entries(*API))
            EXPECT_NE(Entry, nullptr);
}

TEST(ThemeBinding, EntriesTheRuntimeOffersAreItsOwnFunctions)
{
    EXPECT_EQ(ThemeAPI.OpenThemeData, &::OpenThemeData);
    EXPECT_EQ(ThemeAPI.CloseThemeData, &::CloseThemeData);
    EXPECT_EQ(ThemeAPI.DrawThemeBackground, &::DrawThemeBackground);
    EXPECT_EQ(ThemeAPI.IsThemeActive, &::IsThemeActive);
    EXPECT_EQ(ThemeAPI.IsAppThemed, &::IsAppThemed);
    EXPECT_EQ(ThemeAPI.GetCurrentThemeName, &::GetCurrentThemeName);
    EXPECT_EQ(ThemeAPI2.DrawThemeBackground, &::DrawThemeBackground);

    const ThemesBackOn Restore;
    EXPECT_TRUE(ThemeAPI.IsThemeActive());
    String File = "x", Color = "x", Size = "x";
    EXPECT_EQ(ThemeAPI.GetCurrentThemeName(&File, &Color, &Size), S_OK);
    EXPECT_TRUE(File.isEmpty() && Color.isEmpty() && Size.isEmpty()) << "no colour schemes";
    SetThemesEnabled(false);
    EXPECT_FALSE(ThemeAPI.IsThemeActive());
    EXPECT_EQ(ThemeAPI.GetCurrentThemeName(&File, nullptr, nullptr), E_FAIL);
    EXPECT_EQ(ThemeAPI.OpenThemeData(nullptr, "button"), nullptr);
}

TEST(ThemeBinding, StandInsAnswerNotImplementedOrNothing)
{
    TRect R(0, 0, 10, 10);
    TColor Color = clRed;
    Integer Value = 7;
    String Text = "kept";
    EXPECT_EQ(ThemeAPI.DrawThemeText(nullptr, nullptr, 1, 1, "x", -1, 0, 0, R), E_NOTIMPL);
    EXPECT_EQ(ThemeAPI.GetThemeColor(nullptr, 1, 1, 3803, Color), E_NOTIMPL);
    EXPECT_EQ(Color, clRed);
    EXPECT_EQ(ThemeAPI.GetThemeSysInt(nullptr, 1301, Value), E_NOTIMPL);
    EXPECT_EQ(Value, 7);
    EXPECT_EQ(ThemeAPI.GetThemeDocumentationProperty("a", "b", Text), E_NOTIMPL);
    EXPECT_EQ(Text, "kept");
    EXPECT_FALSE(ThemeAPI.IsThemePartDefined(nullptr, 1, 1));
    EXPECT_FALSE(ThemeAPI2.IsThemeDialogTextureEnabled(nullptr));
    EXPECT_EQ(ThemeAPI.GetThemeSysSize(nullptr, 1), 0);
    EXPECT_EQ(ThemeAPI.GetThemeSysColor(nullptr, 1), 0);
    EXPECT_EQ(ThemeAPI.GetThemeAppProperties(), 0u);
    EXPECT_EQ(ThemeAPI.GetWindowTheme(nullptr), nullptr);
    EXPECT_EQ(ThemeAPI.GetThemeSysColorBrush(nullptr, 1), nullptr);
    ThemeAPI.SetThemeAppProperties(3);
    EXPECT_EQ(ThemeAPI2.EnableTheming(true), E_NOTIMPL);
}

TEST(ThemeBinding, TheTwoTablesBindAndUnbindApart)
{
    UnbindThemeAPI2();
    EXPECT_FALSE(ThemeAPI2Bound);
    EXPECT_TRUE(ThemeAPIBound);
    BindThemeAPI2();
    EXPECT_TRUE(ThemeAPI2Bound);
    EXPECT_EQ(ThemeAPI2.OpenThemeData, &::OpenThemeData);
}
