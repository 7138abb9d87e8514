#pragma once
// The visual-style functions as the grid library calls them: a table of 45
// entries, bound when the unit starts. The visual-style library here is the
// runtime's (rtl/Themes.h, Qt's style); an entry the runtime does not offer
// is bound to a stand-in that answers E_NOTIMPL (or false, 0, a null handle),
// so a table is never half bound. Callers test ThemeAPIBound and fall back
// to the classic drawing when a call gives them nothing.
#include "rtl/Themes.h"

#include <vector>

constexpr HRESULT E_NOTIMPL = HRESULT(0x80004001u);

struct TThemeMargins {
    Integer cxLeftWidth = 0;
    Integer cxRightWidth = 0;
    Integer cyTopHeight = 0;
    Integer cyBottomHeight = 0;
};

// The handles of the system's drawing objects that the runtime does not have.
using HRGN = void*;
using HIMAGELIST = void*;

// One table of the visual-style functions, in the library's order.
struct TThemeAPI {
    HTHEME (*OpenThemeData)(HWND Wnd, const String& ClassList) = nullptr;
    HRESULT (*CloseThemeData)(HTHEME Theme) = nullptr;
    HRESULT (*DrawThemeBackground)(HTHEME Theme, TCanvas* Canvas, Integer PartId, Integer StateId, const TRect& R,
                                   const TRect* ClipRect) = nullptr;
    HRESULT (*DrawThemeText)(HTHEME Theme, TCanvas* Canvas, Integer PartId, Integer StateId, const String& Text,
                             Integer CharCount, DWORD TextFlags, DWORD TextFlags2, const TRect& R) = nullptr;
    HRESULT (*GetThemeBackgroundContentRect)(HTHEME Theme, TCanvas* Canvas, Integer PartId, Integer StateId,
                                             const TRect& Bounding, TRect& Content) = nullptr;
    HRESULT (*GetThemeBackgroundExtent)(HTHEME Theme, TCanvas* Canvas, Integer PartId, Integer StateId,
                                        const TRect& Content, TRect& Extent) = nullptr;
    HRESULT (*GetThemeTextExtent)(HTHEME Theme, TCanvas* Canvas, Integer PartId, Integer StateId, const String& Text,
                                  Integer CharCount, DWORD TextFlags, const TRect* Bounding, TRect& Extent) = nullptr;
    HRESULT (*GetThemeTextMetrics)(HTHEME Theme, TCanvas* Canvas, Integer PartId, Integer StateId,
                                   TSize& CharSize) = nullptr;
    HRESULT (*GetThemeBackgroundRegion)(HTHEME Theme, TCanvas* Canvas, Integer PartId, Integer StateId,
                                        const TRect& R, HRGN& Region) = nullptr;
    HRESULT (*HitTestThemeBackground)(HTHEME Theme, TCanvas* Canvas, Integer PartId, Integer StateId, DWORD Options,
                                      const TRect& R, HRGN Region, TPoint Test, Word& HitTestCode) = nullptr;
    HRESULT (*DrawThemeEdge)(HTHEME Theme, TCanvas* Canvas, Integer PartId, Integer StateId, const TRect& Dest,
                             UINT Edge, UINT Flags, TRect* Content) = nullptr;
    HRESULT (*DrawThemeIcon)(HTHEME Theme, TCanvas* Canvas, Integer PartId, Integer StateId, const TRect& R,
                             HIMAGELIST ImageList, Integer ImageIndex) = nullptr;
    bool (*IsThemePartDefined)(HTHEME Theme, Integer PartId, Integer StateId) = nullptr;
    bool (*IsThemeBackgroundPartiallyTransparent)(HTHEME Theme, Integer PartId, Integer StateId) = nullptr;
    HRESULT (*GetThemeColor)(HTHEME Theme, Integer PartId, Integer StateId, Integer PropId, TColor& Color) = nullptr;
    HRESULT (*GetThemeMetric)(HTHEME Theme, TCanvas* Canvas, Integer PartId, Integer StateId, Integer PropId,
                              Integer& Value) = nullptr;
    HRESULT (*GetThemeString)(HTHEME Theme, Integer PartId, Integer StateId, Integer PropId, String& Value) = nullptr;
    HRESULT (*GetThemeBool)(HTHEME Theme, Integer PartId, Integer StateId, Integer PropId, bool& Value) = nullptr;
    HRESULT (*GetThemeInt)(HTHEME Theme, Integer PartId, Integer StateId, Integer PropId, Integer& Value) = nullptr;
    HRESULT (*GetThemeEnumValue)(HTHEME Theme, Integer PartId, Integer StateId, Integer PropId,
                                 Integer& Value) = nullptr;
    HRESULT (*GetThemePosition)(HTHEME Theme, Integer PartId, Integer StateId, Integer PropId,
                                TPoint& Point) = nullptr;
    HRESULT (*GetThemeFont)(HTHEME Theme, TCanvas* Canvas, Integer PartId, Integer StateId, Integer PropId,
                            TFont* Font) = nullptr;
    HRESULT (*GetThemeRect)(HTHEME Theme, Integer PartId, Integer StateId, Integer PropId, TRect& R) = nullptr;
    HRESULT (*GetThemeMargins)(HTHEME Theme, TCanvas* Canvas, Integer PartId, Integer StateId, Integer PropId,
                               const TRect* R, TThemeMargins& Margins) = nullptr;
    HRESULT (*GetThemeIntList)(HTHEME Theme, Integer PartId, Integer StateId, Integer PropId,
                               std::vector<Integer>& Values) = nullptr;
    HRESULT (*SetWindowTheme)(HWND Wnd, const String& SubAppName, const String& SubIdList) = nullptr;
    HRESULT (*GetThemeFilename)(HTHEME Theme, Integer PartId, Integer StateId, Integer PropId,
                                String& FileName) = nullptr;
    TColor (*GetThemeSysColor)(HTHEME Theme, Integer ColorId) = nullptr;
    TBrush* (*GetThemeSysColorBrush)(HTHEME Theme, Integer ColorId) = nullptr;
    bool (*GetThemeSysBool)(HTHEME Theme, Integer BoolId) = nullptr;
    Integer (*GetThemeSysSize)(HTHEME Theme, Integer SizeId) = nullptr;
    HRESULT (*GetThemeSysFont)(HTHEME Theme, Integer FontId, TFont* Font) = nullptr;
    HRESULT (*GetThemeSysString)(HTHEME Theme, Integer StringId, String& Value) = nullptr;
    HRESULT (*GetThemeSysInt)(HTHEME Theme, Integer IntId, Integer& Value) = nullptr;
    bool (*IsThemeActive)() = nullptr;
    bool (*IsAppThemed)() = nullptr;
    HTHEME (*GetWindowTheme)(HWND Wnd) = nullptr;
    HRESULT (*EnableThemeDialogTexture)(HWND Wnd, DWORD Flags) = nullptr;
    bool (*IsThemeDialogTextureEnabled)(HWND Wnd) = nullptr;
    DWORD (*GetThemeAppProperties)() = nullptr;
    void (*SetThemeAppProperties)(DWORD Flags) = nullptr;
    HRESULT (*GetCurrentThemeName)(String* FileName, String* ColorName, String* SizeName) = nullptr;
    HRESULT (*GetThemeDocumentationProperty)(const String& ThemeName, const String& PropertyName,
                                             String& Value) = nullptr;
    HRESULT (*DrawThemeParentBackground)(HWND Wnd, TCanvas* Canvas, const TRect* R) = nullptr;
    HRESULT (*EnableTheming)(bool Enable) = nullptr;
};

// Unless Bound, fills every entry of the table with the runtime's function
// or a stand-in; Bound then says whether the visual-style library is there.
void BindThemeFunctions(TThemeAPI& API, bool& Bound);

// Binds a table from the start of the program to its end, as a unit of the
// design lives.
class TThemeAPIUnit {
public:
    TThemeAPIUnit(void (*Bind)(), void (*Unbind)()) : FUnbind(Unbind) { Bind(); }
    ~TThemeAPIUnit() { FUnbind(); }
    TThemeAPIUnit(const TThemeAPIUnit&) = delete;
    TThemeAPIUnit& operator=(const TThemeAPIUnit&) = delete;

private:
    void (*FUnbind)();
};

// The table of this unit; bound while the unit lives.
extern TThemeAPI ThemeAPI;
extern bool ThemeAPIBound;
void BindThemeAPI();
void UnbindThemeAPI();
