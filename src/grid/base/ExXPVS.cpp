#include "grid/base/ExXPVS.h"

namespace {

// A function of the entry's type that answers Answer whatever it is given.
template <typename Fn>
struct TThemeStandIn;

template <typename R, typename... A>
struct TThemeStandIn<R (*)(A...)> {
    template <R Answer>
    static R Answering(A...)
    {
        return Answer;
    }
};

template <typename... A>
struct TThemeStandIn<void (*)(A...)> {
    static void Answering(A...) {}
};

#define CFG_THEME_STAND_IN(Entry, Answer) \
    API.Entry = TThemeStandIn<decltype(API.Entry)>::template Answering<Answer>

} // namespace

void BindThemeFunctions(TThemeAPI& API, bool& Bound)
{
    if (Bound)
        return;
    API.OpenThemeData = ::OpenThemeData;
    API.CloseThemeData = ::CloseThemeData;
    API.DrawThemeBackground = ::DrawThemeBackground;
    CFG_THEME_STAND_IN(DrawThemeText, E_NOTIMPL);
    CFG_THEME_STAND_IN(GetThemeBackgroundContentRect, E_NOTIMPL);
    CFG_THEME_STAND_IN(GetThemeBackgroundExtent, E_NOTIMPL);
    CFG_THEME_STAND_IN(GetThemeTextExtent, E_NOTIMPL);
    CFG_THEME_STAND_IN(GetThemeTextMetrics, E_NOTIMPL);
    CFG_THEME_STAND_IN(GetThemeBackgroundRegion, E_NOTIMPL);
    CFG_THEME_STAND_IN(HitTestThemeBackground, E_NOTIMPL);
    CFG_THEME_STAND_IN(DrawThemeEdge, E_NOTIMPL);
    CFG_THEME_STAND_IN(DrawThemeIcon, E_NOTIMPL);
    CFG_THEME_STAND_IN(IsThemePartDefined, false);
    CFG_THEME_STAND_IN(IsThemeBackgroundPartiallyTransparent, false);
    CFG_THEME_STAND_IN(GetThemeColor, E_NOTIMPL);
    CFG_THEME_STAND_IN(GetThemeMetric, E_NOTIMPL);
    CFG_THEME_STAND_IN(GetThemeString, E_NOTIMPL);
    CFG_THEME_STAND_IN(GetThemeBool, E_NOTIMPL);
    CFG_THEME_STAND_IN(GetThemeInt, E_NOTIMPL);
    CFG_THEME_STAND_IN(GetThemeEnumValue, E_NOTIMPL);
    CFG_THEME_STAND_IN(GetThemePosition, E_NOTIMPL);
    CFG_THEME_STAND_IN(GetThemeFont, E_NOTIMPL);
    CFG_THEME_STAND_IN(GetThemeRect, E_NOTIMPL);
    CFG_THEME_STAND_IN(GetThemeMargins, E_NOTIMPL);
    CFG_THEME_STAND_IN(GetThemeIntList, E_NOTIMPL);
    CFG_THEME_STAND_IN(SetWindowTheme, E_NOTIMPL);
    CFG_THEME_STAND_IN(GetThemeFilename, E_NOTIMPL);
    CFG_THEME_STAND_IN(GetThemeSysColor, 0);
    CFG_THEME_STAND_IN(GetThemeSysColorBrush, nullptr);
    CFG_THEME_STAND_IN(GetThemeSysBool, false);
    CFG_THEME_STAND_IN(GetThemeSysSize, 0);
    CFG_THEME_STAND_IN(GetThemeSysFont, E_NOTIMPL);
    CFG_THEME_STAND_IN(GetThemeSysString, E_NOTIMPL);
    CFG_THEME_STAND_IN(GetThemeSysInt, E_NOTIMPL);
    API.IsThemeActive = ::IsThemeActive;
    API.IsAppThemed = ::IsAppThemed;
    CFG_THEME_STAND_IN(GetWindowTheme, nullptr);
    CFG_THEME_STAND_IN(EnableThemeDialogTexture, E_NOTIMPL);
    CFG_THEME_STAND_IN(IsThemeDialogTextureEnabled, false);
    CFG_THEME_STAND_IN(GetThemeAppProperties, 0);
    API.SetThemeAppProperties = TThemeStandIn<decltype(API.SetThemeAppProperties)>::Answering;
    API.GetCurrentThemeName = ::GetCurrentThemeName;
    CFG_THEME_STAND_IN(GetThemeDocumentationProperty, E_NOTIMPL);
    CFG_THEME_STAND_IN(DrawThemeParentBackground, E_NOTIMPL);
    CFG_THEME_STAND_IN(EnableTheming, E_NOTIMPL);
    Bound = ThemeServices()->ThemesAvailable();
}

#undef CFG_THEME_STAND_IN

TThemeAPI ThemeAPI;
bool ThemeAPIBound = false;

void BindThemeAPI() { BindThemeFunctions(ThemeAPI, ThemeAPIBound); }
void UnbindThemeAPI() { ThemeAPIBound = false; }

namespace {
const TThemeAPIUnit ExXPVSUnit(BindThemeAPI, UnbindThemeAPI);
} // namespace
