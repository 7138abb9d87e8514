#pragma once
// Theme services: whether the visual style is used, and the drawing of its
// elements (buttons, check boxes, radio buttons, combo buttons, headers,
// progress bars, spin buttons) into a canvas, answered by Qt's style.
// SetThemesEnabled(false) switches the visual style off for the whole
// process, so drawings come out in the classic look (tests use it).
#include "rtl/Controls.h"

enum TThemedElement { teButton, teComboBox, teHeader, teProgress, teSpin };

enum TThemedButton {
    tbButtonDontCare, tbButtonRoot,
    tbPushButtonNormal, tbPushButtonHot, tbPushButtonPressed, tbPushButtonDisabled, tbPushButtonDefaulted,
    tbRadioButtonUncheckedNormal, tbRadioButtonUncheckedHot, tbRadioButtonUncheckedPressed, tbRadioButtonUncheckedDisabled,
    tbRadioButtonCheckedNormal, tbRadioButtonCheckedHot, tbRadioButtonCheckedPressed, tbRadioButtonCheckedDisabled,
    tbCheckBoxUncheckedNormal, tbCheckBoxUncheckedHot, tbCheckBoxUncheckedPressed, tbCheckBoxUncheckedDisabled,
    tbCheckBoxCheckedNormal, tbCheckBoxCheckedHot, tbCheckBoxCheckedPressed, tbCheckBoxCheckedDisabled,
    tbCheckBoxMixedNormal, tbCheckBoxMixedHot, tbCheckBoxMixedPressed, tbCheckBoxMixedDisabled
};
enum TThemedComboBox {
    tcComboBoxDontCare, tcComboBoxRoot,
    tcDropDownButtonNormal, tcDropDownButtonHot, tcDropDownButtonPressed, tcDropDownButtonDisabled
};
enum TThemedHeader {
    thHeaderDontCare, thHeaderRoot, thHeaderItemNormal, thHeaderItemHot, thHeaderItemPressed
};
enum TThemedProgress { tpProgressDontCare, tpProgressRoot, tpBar, tpBarVert, tpChunk, tpChunkVert };
enum TThemedSpin {
    tsSpinDontCare, tsSpinRoot,
    tsUpNormal, tsUpHot, tsUpPressed, tsUpDisabled,
    tsDownNormal, tsDownHot, tsDownPressed, tsDownDisabled,
    tsUpHorzNormal, tsUpHorzHot, tsUpHorzPressed, tsUpHorzDisabled,
    tsDownHorzNormal, tsDownHorzHot, tsDownHorzPressed, tsDownHorzDisabled
};

// Part and state numbers of the visual-style classes.
enum : Integer {
    BP_PUSHBUTTON = 1, BP_RADIOBUTTON = 2, BP_CHECKBOX = 3,
    PBS_NORMAL = 1, PBS_HOT = 2, PBS_PRESSED = 3, PBS_DISABLED = 4, PBS_DEFAULTED = 5,
    RBS_UNCHECKEDNORMAL = 1, RBS_UNCHECKEDHOT, RBS_UNCHECKEDPRESSED, RBS_UNCHECKEDDISABLED,
    RBS_CHECKEDNORMAL, RBS_CHECKEDHOT, RBS_CHECKEDPRESSED, RBS_CHECKEDDISABLED,
    CBS_UNCHECKEDNORMAL = 1, CBS_UNCHECKEDHOT, CBS_UNCHECKEDPRESSED, CBS_UNCHECKEDDISABLED,
    CBS_CHECKEDNORMAL, CBS_CHECKEDHOT, CBS_CHECKEDPRESSED, CBS_CHECKEDDISABLED,
    CBS_MIXEDNORMAL, CBS_MIXEDHOT, CBS_MIXEDPRESSED, CBS_MIXEDDISABLED,
    CP_DROPDOWNBUTTON = 1,
    CBXS_NORMAL = 1, CBXS_HOT = 2, CBXS_PRESSED = 3, CBXS_DISABLED = 4,
    HP_HEADERITEM = 1,
    HIS_NORMAL = 1, HIS_HOT = 2, HIS_PRESSED = 3,
    PP_BAR = 1, PP_BARVERT = 2, PP_CHUNK = 3, PP_CHUNKVERT = 4,
    SPNP_UP = 1, SPNP_DOWN = 2, SPNP_UPHORZ = 3, SPNP_DOWNHORZ = 4,
    UPS_NORMAL = 1, UPS_HOT = 2, UPS_PRESSED = 3, UPS_DISABLED = 4,
    DNS_NORMAL = 1, DNS_HOT = 2, DNS_PRESSED = 3, DNS_DISABLED = 4,
};

struct TThemedElementDetails {
    TThemedElement Element = teButton;
    Integer Part = 0;
    Integer State = 0;
};

class TThemeServices {
public:
    // A visual style exists (Qt always has one).
    bool ThemesAvailable() const { return true; }
    // The visual style is in use: not switched off.
    bool ThemesEnabled() const;
    bool Enabled() const { return ThemesEnabled(); }

    TThemedElementDetails GetElementDetails(TThemedButton Detail) const;
    TThemedElementDetails GetElementDetails(TThemedComboBox Detail) const;
    TThemedElementDetails GetElementDetails(TThemedHeader Detail) const;
    TThemedElementDetails GetElementDetails(TThemedProgress Detail) const;
    TThemedElementDetails GetElementDetails(TThemedSpin Detail) const;

    // Draws the element into R of the canvas (clipped to ClipRect when
    // given). Draws nothing while themes are off.
    void DrawElement(TCanvas* Canvas, const TThemedElementDetails& Details, const TRect& R,
                     const TRect* ClipRect = nullptr) const;
};

TThemeServices* ThemeServices();
// The process-wide switch; on by default.
void SetThemesEnabled(bool Value);

// The visual-style calls by class name ("button", "combobox", "header",
// "progress", "spin"; case does not matter), part and state numbers. A
// theme handle is null while themes are off or for an unknown class.
using HTHEME = const void*;
using HRESULT = LongInt;
constexpr HRESULT S_OK = 0;
constexpr HRESULT E_FAIL = HRESULT(0x80004005u);
bool IsThemeActive();
bool IsAppThemed();
HTHEME OpenThemeData(HWND Wnd, const String& ClassList);
HRESULT CloseThemeData(HTHEME Theme);
HRESULT DrawThemeBackground(HTHEME Theme, TCanvas* Canvas, Integer PartId, Integer StateId, const TRect& R,
                            const TRect* ClipRect = nullptr);
// The file, colour and size names of the visual style in use: empty, since
// Qt's style has no colour schemes. E_FAIL while themes are off.
HRESULT GetCurrentThemeName(String* FileName, String* ColorName, String* SizeName);
