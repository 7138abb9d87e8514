// The grid drop-down's selection presets and component styles, each style
// one row of data.
#include "controls/dropdown/ExCustomGridDropDown.h"

#include <array>

namespace exgriddropdown {

namespace {

// A cell of the style table that leaves the current value.
constexpr TColor Keep = TColor(0x2FFFFFFF);
constexpr TColor SystemHighlight = TColor(0xFF00000D);
constexpr TColor SystemHighlightText = TColor(0xFF00000E);

// What a style sets after the inherited style. A plain selection
// (scCustom) also takes the selection colours of the row.
struct TGridDropDownStyle {
    TQVXStyle Style;
    TColor HeaderColor, HeaderColorTo;
    TSelectionColorStyle Preset;
    TColor HeaderFontColor, SelectionText;
    TColor LineColor, FixedLineColor;
    TColor Selection;
};

constexpr std::array<TGridDropDownStyle, 12> GridDropDownStyles = {{
    {tsOffice2003Blue, 0xD68759, 0x933803, scOffice2007, clWhite, clBlack, 0x962D00, 0x962D00, clNone},
    {tsOffice2003Silver, 0xBDA4A5, 0x957475, scOffice2007, Keep, clBlack, 0x947C7C, 0x947C7C, clNone},
    {tsOffice2003Olive, 0x82C0AF, 0x447A63, scOffice2007, Keep, clBlack, 0x588060, 0x588060, clNone},
    {tsOffice2003Classic, 0x808080, 0x808080, scOffice2007, Keep, clBlack, 0x808080, 0x808080, clNone},
    {tsOffice2007Luna, 0xFFEFE3, 0xFFD2AF, scOffice2007, 0x723708, clBlack, 0xFFD2AF, 0xFFD2AF, clNone},
    {tsOffice2007Obsidian, 0xF2F1F0, 0xC9C2BD, scOffice2007, 0x433C37, clBlack, 0x5C534C, 0x5C534C, clNone},
    {tsWindowsXP, clBtnFace, clBtnFace, scCustom, clBlack, SystemHighlightText, clSilver, clBlack, SystemHighlight},
    {tsWhidbey, 0xEBEEEF, 0x7E9898, scOffice2007, clWhite, clBlack, 0x962D00, 0x962D00, clNone},
    {tsOffice2007Silver, 0xF8F7F6, 0xE8E0DB, scOffice2007, 0x8B4215, clBlack, 0x74706F, 0x74706F, clNone},
    {tsWindowsVista, 0xFFFDF9, 0xFFFAF0, scWindowsVista, clBlack, clBlack, 0xFCF2DA, 0xFCF2DA, clNone},
    {tsWindows7, 0xFDFBFA, 0xFDF3EB, scWindows7, clBlack, clBlack, 0xFBD6B8, 0xFBD6B8, clNone},
    {tsTerminal, clBtnFace, clBtnFace, scCustom, clBlack, SystemHighlightText, 0x808080, 0x808080, SystemHighlight},
}};

const TGridDropDownStyle* GridDropDownStyleOf(TQVXStyle Style)
{
    for (const TGridDropDownStyle& S : GridDropDownStyles)
        if (S.Style == Style)
            return &S;
    return nullptr;
}

} // namespace

void TCustomExGridDropDown::SetSelectionColorStyle(TSelectionColorStyle Value)
{
    TListPresetColors Colors;
    if (ListPresetColors(Value, Colors)) {
        FLineColor = Colors.Line;
        FFixedLineColor = Colors.FixedLine;
        SetSelectionColor(Colors.Selection);
    }
    TExCustomDropDown::SetSelectionColorStyle(Value);
}

void TCustomExGridDropDown::SetComponentStyle(TQVXStyle AStyle)
{
    TExCustomDropDown::SetComponentStyle(AStyle);
    const TGridDropDownStyle* S = GridDropDownStyleOf(AStyle);
    if (!S)
        return;
    FHeaderColor = S->HeaderColor;
    FHeaderColorTo = S->HeaderColorTo;
    SetSelectionColorStyle(S->Preset);
    if (S->HeaderFontColor != Keep)
        FHeaderFont->SetColor(S->HeaderFontColor);
    FSelectionTextColor = S->SelectionText;
    if (S->Preset == scCustom) {
        SetSelectionColor(S->Selection);
        SetSelectionColorTo(S->Selection);
    }
    // After the preset, so the style's line colours win.
    FLineColor = S->LineColor;
    FFixedLineColor = S->FixedLineColor;
}

} // namespace exgriddropdown
