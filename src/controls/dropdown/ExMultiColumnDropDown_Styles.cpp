// The multi-column drop-down's selection presets and component styles, each
// style one row of data.
#include "controls/dropdown/ExMultiColumnDropDown.h"

#include <array>

namespace exmulticolumn {

namespace {

// A cell of the style table that leaves the current value.
constexpr TColor KeepColumnColor = TColor(0x2FFFFFFF);
constexpr TColor SystemHighlight = TColor(0xFF00000D);
constexpr TColor SystemHighlightText = TColor(0xFF00000E);

// What a style sets after the base style. A plain selection (scCustom)
// takes SelectionColor, SelectionColorTo and SelectionTextColor from the
// row; the other presets set the text black.
struct TMultiColumnStyle {
    TQVXStyle Style;
    TColor HeaderColor, HeaderColorTo, HeaderFontColor;
    TSelectionColorStyle Preset;
    TColor LineColor, FixedLineColor;
    TColor Selection, SelectionText;
};

constexpr std::array<TMultiColumnStyle, 15> MultiColumnStyles = {{
    {tsOffice2003Blue, 0xD68759, 0x933803, clWhite, scOffice2007, 0x962D00, 0x962D00, clNone, clBlack},
    {tsOffice2003Silver, 0xBDA4A5, 0x957475, KeepColumnColor, scOffice2007, 0x947C7C, 0x947C7C, clNone, clBlack},
    {tsOffice2003Olive, 0x82C0AF, 0x447A63, KeepColumnColor, scOffice2007, 0x588060, 0x588060, clNone, clBlack},
    {tsOffice2003Classic, 0x808080, 0x808080, KeepColumnColor, scOffice2007, 0x808080, 0x808080, clNone, clBlack},
    {tsOffice2007Luna, 0xFFEFE3, 0xFFD2AF, 0x723708, scOffice2007, 0xFFD2AF, 0xFFD2AF, clNone, clBlack},
    {tsOffice2007Obsidian, 0xF2F1F0, 0xC9C2BD, 0x433C37, scOffice2007, 0x5C534C, 0x5C534C, clNone, clBlack},
    {tsWindowsXP, clBtnFace, clBtnFace, clBlack, scCustom, 0xC0C0C0, clBlack, SystemHighlight,
     SystemHighlightText},
    {tsWhidbey, 0xEBEEEF, 0x7E9898, clWhite, scOffice2007, 0x962D00, 0x962D00, clNone, clBlack},
    {tsOffice2007Silver, 0xF8F7F6, 0xE8E0DB, 0x8B4215, scOffice2007, 0x74706F, 0x74706F, clNone, clBlack},
    {tsWindowsVista, 0xFFFDF9, 0xFFFAF0, clBlack, scWindowsVista, 0xFCF2DA, 0xFCF2DA, clNone, clBlack},
    {tsWindows7, 0xFDFBFA, 0xFDF3EB, clBlack, scWindows7, 0xFBD6B8, 0xFBD6B8, clNone, clBlack},
    {tsTerminal, clBtnFace, clBtnFace, clBlack, scCustom, 0x808080, 0x808080, SystemHighlight, SystemHighlightText},
    {tsOffice2010Blue, 0xEDDBCD, clNone, 0x5B391E, scCustom, 0xEEDDCF, 0xEEDDCF, 0x6CD0FF, clBlack},
    {tsOffice2010Silver, 0xEDE9E5, clNone, 0x5B391E, scCustom, 0xEEDDCF, 0xEEDDCF, 0x6CD0FF, clBlack},
    {tsOffice2010Black, 0x828282, clNone, 0xD7D7D6, scCustom, 0xEEDDCF, 0xEEDDCF, 0x6CD0FF, clBlack},
}};

const TMultiColumnStyle* MultiColumnStyleOf(TQVXStyle Style)
{
    for (const TMultiColumnStyle& S : MultiColumnStyles)
        if (S.Style == Style)
            return &S;
    return nullptr;
}

} // namespace

void TExMultiColumnDropDown::SetSelectionColorStyle(TSelectionColorStyle Value)
{
    TListPresetColors Colors;
    if (ListPresetColors(Value, Colors)) {
        FLineColor = Colors.Line;
        FFixedLineColor = Colors.FixedLine;
        SetSelectionColor(Colors.Selection);
    }
    TExCustomDropDown::SetSelectionColorStyle(Value);
}

void TExMultiColumnDropDown::SetComponentStyle(TQVXStyle AStyle)
{
    TExCustomDropDown::SetComponentStyle(AStyle);
    const TMultiColumnStyle* S = MultiColumnStyleOf(AStyle);
    if (!S)
        return;
    FHeaderColor = S->HeaderColor;
    FHeaderColorTo = S->HeaderColorTo;
    if (S->HeaderFontColor != KeepColumnColor)
        FHeaderFont->SetColor(S->HeaderFontColor);
    if (S->Preset == scCustom) {
        SetSelectionColorStyle(scCustom);
        SetSelectionColor(S->Selection);
        SetSelectionColorTo(S->Selection);
    } else {
        SetSelectionColorStyle(S->Preset);
    }
    FSelectionTextColor = S->SelectionText;
    FLineColor = S->LineColor;
    FFixedLineColor = S->FixedLineColor;
}

} // namespace exmulticolumn
