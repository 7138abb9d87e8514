// The colour presets of the drop-downs: component styles, colour tones and
// the selection presets, each typed in once as a row of data.
#include "controls/dropdown/ExDropDown.h"
#include "controls/dropdown/ExItemSelector.h"

#include "grid/base/ExUtil.h"

#include <array>

namespace {

// A table cell that leaves the current value.
constexpr TColor Keep = TColor(0x2FFFFFFF);

struct TBarColors {
    TColor Color, ColorTo, FontColor, BorderColor;
};

struct TPopupStyle {
    TQVXStyle Style;
    TColor DropDownColor, DropDownColorTo, DropDownBorderColor;
    TBarColors Header, Footer;
};

struct TButtonStyle {
    TQVXStyle Style;
    TColor Color, ColorTo, BorderColor;
    TColor ColorHot, ColorHotTo, BorderColorHot;
    TColor ColorDown, ColorDownTo, BorderColorDown;
    TColor ColorDisabled, ColorDisabledTo;
    TColor ColorChecked, ColorCheckedTo, BorderColorChecked;
};

struct TItemStyle {
    TQVXStyle Style;
    TColor Hot, HotTo, MirrorHot, MirrorHotTo;
    TColor Selected, SelectedTo, MirrorSelected, MirrorSelectedTo;
    TColor Border, BorderTop, BorderBottom, Edge, SelectedText;
};

// Pop-up, header and footer.
constexpr std::array<TPopupStyle, 15> PopupStyles = {{
    {tsOffice2003Blue, 0xFFFFFF, clNone, Keep, {0xFCE1CB, 0xE0A57D, 0x000000, 0x000000},
     {0xFCE1CB, 0xE0A57D, 0x000000, 0x962D00}},
    {tsOffice2003Silver, 0xFFFFFF, clNone, Keep, {0xECE2E1, 0xB39698, 0x000000, 0x947C7C},
     {0xECE2E1, 0xB39698, 0x000000, 0x947C7C}},
    {tsOffice2003Olive, 0xFFFFFF, clNone, clNone, {0xCFF0EA, 0x8CC0B1, 0x000000, 0x588060},
     {0xCFF0EA, 0x8CC0B1, 0x000000, 0x588060}},
    {tsOffice2003Classic, 0xF2F2F2, 0xF2F2F2, clNone, {0x808080, 0x808080, 0xFFFFFF, 0x808080},
     {0x808080, 0x808080, 0xFFFFFF, 0x808080}},
    {tsOffice2007Luna, 0xF3E5DA, 0xF0DED0, clNone, {0xFFEFE3, 0xFFD2AF, 0x723708, 0xFFD2AF},
     {0xFFEFE3, 0xFFD2AF, 0x723708, 0xFFD2AF}},
    {tsOffice2007Obsidian, 0xFFFFFF, clNone, clNone, {0xF2F1F0, 0xC9C2BD, 0x433C37, 0x5C534C},
     {0xF2F1F0, 0xC9C2BD, 0x433C37, 0x5C534C}},
    {tsWindowsXP, 0xFFFFFF, clNone, Keep, {0xFFFFFF, clBtnFace, 0x000000, 0x808080},
     {0xFFFFFF, clBtnFace, 0x000000, 0x808080}},
    {tsWhidbey, 0xF5F9FA, 0xF5F9FA, clNone, {0xEBEEEF, 0x7E9898, 0xFFFFFF, 0x962D00},
     {0xEBEEEF, 0x7E9898, 0xFFFFFF, 0x962D00}},
    {tsOffice2007Silver, 0xF8F4F1, 0xF0E8E3, clNone, {0xF8F7F6, 0xE8E0DB, 0x8B4215, 0x74706F},
     {0xF8F7F6, 0xE8E0DB, 0x8B4215, 0x74706F}},
    {tsWindowsVista, 0xFFFFFF, 0xFFFFFF, 0x979797, {0xFFFDF9, 0xFFFAF0, 0x000000, 0xFCF2DA},
     {0xFFFAF0, 0xFFFDF9, 0x000000, 0xFCF2DA}},
    {tsWindows7, 0xFFFFFF, 0xFFFFFF, 0x979797, {0xFDFBFA, 0xFDF3EB, 0x000000, 0xFBD6B8},
     {0xFDFBFA, 0xFDF3EB, 0x000000, 0xFBD6B8}},
    {tsTerminal, 0xFFFFFF, 0xFFFFFF, 0x808080, {clBtnFace, clBtnFace, 0x000000, clNone},
     {clBtnFace, clBtnFace, 0x000000, clNone}},
    {tsOffice2010Blue, 0xFFFFFF, 0xF1EFED, 0xEDEDEC, {0xFDF6EF, 0xF0DAC7, 0x5B391E, 0xC7B29F},
     {0xFDF6EF, 0xF0DAC7, 0x5B391E, 0xC7B29F}},
    {tsOffice2010Silver, 0xFFFFFF, 0xF1EFED, 0xEDEDEC, {0xFFFFFF, 0xEDE5E0, 0x5B391E, 0xD2CDC8},
     {0xFFFFFF, 0xEDE5E0, 0x5B391E, 0xD2CDC8}},
    {tsOffice2010Black, 0xFFFFFF, 0xF1EFED, 0xEDEDEC, {0xBFBFBF, 0x919191, 0xD7D7D6, 0x6D6D6D},
     {0xBFBFBF, 0x919191, 0xD7D7D6, 0x6D6D6D}},
}};

// The button appearance: normal, hot, down, disabled, checked.
constexpr std::array<TButtonStyle, 15> ButtonStyles = {{
    {tsOffice2003Blue, 0xFCE1CB, 0xE0A57D, clNone, 0xEBFDFF, 0xACECFF, 0x99CEDB, 0xAAD9FF, 0x6EBBFF, 0x42AEFE,
     0xF2F2F2, 0xB6B6B6, 0x76AFF1, 0x4190F3, 0x45667B},
    {tsOffice2003Silver, 0xECE2E1, 0xB39698, clNone, 0xEBFDFF, 0xACECFF, 0x99CEDB, 0xAAD9FF, 0x6EBBFF, 0x42AEFE,
     0xF2F2F2, 0xB6B6B6, 0x76AFF1, 0x4190F3, 0x45667B},
    {tsOffice2003Olive, 0xCFF0EA, 0x8CC0B1, clNone, 0xEBFDFF, 0xACECFF, 0x99CEDB, 0xAAD9FF, 0x6EBBFF, 0x42AEFE,
     0xF2F2F2, 0xB6B6B6, 0x76AFF1, 0x4190F3, 0x45667B},
    {tsOffice2003Classic, 0xFFFFFF, 0xC9D1D5, clNone, 0xD2BDB6, 0xD2BDB6, 0x808080, 0xB59285, 0xB59285, 0x808080,
     0xD8D5D4, 0xD8D5D4, 0xD8D5D4, 0xD8D5D4, 0x808080},
    {tsOffice2007Luna, 0xFFEFE3, 0xFFDDC4, clNone, 0xEBFDFF, 0xACECFF, 0x99CEDB, 0xAAD9FF, 0x6EBBFF, 0x42AEFE,
     0xF2F2F2, 0xB6B6B6, 0x76AFF1, 0x4190F3, 0x45667B},
    {tsOffice2007Obsidian, 0xF2F1F0, 0xC9C2BD, clNone, 0xEBFDFF, 0xACECFF, 0x99CEDB, 0xAAD9FF, 0x6EBBFF, 0x42AEFE,
     0xF2F2F2, 0xB6B6B6, 0x76AFF1, 0x4190F3, 0x45667B},
    {tsWindowsXP, 0xFFFFFF, clBtnFace, clNone, 0xEFD3C6, 0xEFD3C6, clHighlight, clInactiveCaption,
     clInactiveCaption, clHighlight, 0xB6B6B6, 0xB6B6B6, 0xB9D8DC, 0xB9D8DC, 0x000000},
    {tsWhidbey, 0xFFFFFF, 0xDFEDF0, clNone, 0xEBFDFF, 0xACECFF, 0x99CEDB, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0xF2F2F2,
     0xB6B6B6, 0x76AFF1, 0x4190F3, 0x45667B},
    {tsOffice2007Silver, 0xF9F8F8, 0xE4E2DF, clNone, 0xEBFDFF, 0xACECFF, 0x99CEDB, 0xAAD9FF, 0x6EBBFF, 0x42AEFE,
     0xF2F2F2, 0xB6B6B6, 0x76AFF1, 0x4190F3, 0x45667B},
    {tsWindowsVista, 0xFFFDF9, 0xFFFAF0, 0xFCF2DA, 0xFEF9F0, 0xFFFAF0, 0xFCF2DA, 0xFEF9F0, 0xFDF0D7, 0xFEDF9A,
     0xFFFFFF, 0xFFFFFF, 0xFEF9F0, 0xFDF0D7, 0xFEDF9A},
    {tsWindows7, 0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFCEBDC, 0xFCDBC1, 0xCEA27D, 0xFFFFFF,
     0xFFFFFF, 0xFEF9F0, 0xFCDBC1, 0xCEA27D},
    {tsTerminal, clBtnFace, clBtnFace, clNone, 0xC0C0C0, 0xC0C0C0, 0x808080, clHighlight, clHighlight, 0x808080,
     clBtnFace, clBtnFace, clBtnFace, clBtnFace, clHighlight},
    {tsOffice2010Blue, 0xFDF6EF, 0xF0DAC7, 0xC7B29F, 0x8AE3FD, clNone, 0x58CAF1, 0x6CD0FF, clNone, 0x308AC2,
     0xF2F2F2, 0xB6B6B6, 0x45E1FE, clNone, 0x4FA0CE},
    {tsOffice2010Silver, 0xFFFFFF, 0xEDE5E0, 0xD2CDC8, 0x8AE3FD, clNone, 0x58CAF1, 0x6CD0FF, clNone, 0x308AC2,
     0xF2F2F2, 0xB6B6B6, 0x45E1FE, clNone, 0x4FA0CE},
    {tsOffice2010Black, 0xBFBFBF, 0x919191, 0xD7D7D6, 0x8AE3FD, clNone, 0x58CAF1, 0x6CD0FF, clNone, 0x308AC2,
     0xF2F2F2, 0xB6B6B6, 0x45E1FE, clNone, 0x4FA0CE},
}};

// An item appearance: hot, hot mirror, selected, selected mirror, border,
// top / bottom / edge, selected text.
constexpr std::array<TItemStyle, 15> ItemStyles = {{
    {tsOffice2003Blue, 0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0x7AE1FE, 0x42AEFE,
     clNone, clNone, clNone, 0x000000},
    {tsOffice2003Silver, 0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0x7AE1FE, 0x42AEFE,
     clNone, clNone, clNone, 0x000000},
    {tsOffice2003Olive, 0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0x7AE1FE, 0x42AEFE,
     clNone, clNone, clNone, 0x000000},
    {tsOffice2003Classic, 0xD2BDB6, 0xD2BDB6, clNone, clNone, 0xB59285, 0xB59285, clNone, clNone, 0x808080, clNone,
     clNone, clNone, 0x000000},
    {tsOffice2007Luna, 0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0x7AE1FE, 0x42AEFE,
     0xF4FEFF, 0xCAF8FF, 0xC3D9DF, 0x000000},
    {tsOffice2007Obsidian, 0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0x7AE1FE, 0x42AEFE,
     0xF4FEFF, 0xCAF8FF, 0xC3D9DF, 0x000000},
    {tsWindowsXP, 0xEFD3C6, 0xEFD3C6, clNone, clNone, clHighlight, clNone, clNone, clNone, clHighlight, clNone,
     clNone, clNone, clHighlightText},
    {tsWhidbey, 0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0x7AE1FE, 0x42AEFE, clNone,
     clNone, clNone, 0x000000},
    {tsOffice2007Silver, 0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0x7AE1FE, 0x42AEFE,
     0xF4FEFF, 0xCAF8FF, 0xC3D9DF, 0x000000},
    {tsWindowsVista, 0xFFFDF9, 0xFFFAF0, clNone, clNone, 0xFEF9F0, 0xFDF0D7, clNone, clNone, 0xFEDF9A, 0xFDFBF6,
     0xFDF5E7, 0xFCEDCB, 0x000000},
    {tsWindows7, 0xFDFBFA, 0xFDF3EB, clNone, clNone, 0xFCEBDC, 0xFCDBC1, clNone, clNone, 0xCEA27D, 0xFDF4EB,
     0xFDEADB, 0xE0C5AE, 0x000000},
    {tsTerminal, 0xC0C0C0, 0xC0C0C0, clNone, clNone, clHighlight, clNone, clNone, clNone, 0x808080, clNone, clNone,
     clNone, clHighlightText},
    {tsOffice2010Blue, 0xD9F9FD, 0x8AE3FD, 0x8AE3FD, 0xD9F9FD, 0x7BEEFF, 0x6CD0FF, 0x6CD0FF, 0x7BEEFF, 0x308AC2,
     clNone, clNone, clNone, 0x000000},
    {tsOffice2010Silver, 0xD9F9FD, 0x8AE3FD, 0x8AE3FD, 0xD9F9FD, 0x7BEEFF, 0x6CD0FF, 0x6CD0FF, 0x7BEEFF, 0x308AC2,
     clNone, clNone, clNone, 0x000000},
    {tsOffice2010Black, 0xD9F9FD, 0x8AE3FD, 0x8AE3FD, 0xD9F9FD, 0x7BEEFF, 0x6CD0FF, 0x6CD0FF, 0x7BEEFF, 0x308AC2,
     clNone, clNone, clNone, 0x000000},
}};

// The row of a style; null for tsCustom or a value outside the styles.
template <class Row, std::size_t N>
const Row* RowOf(const std::array<Row, N>& Table, TQVXStyle Style)
{
    for (const Row& R : Table)
        if (R.Style == Style)
            return &R;
    return nullptr;
}

void WriteBar(TDropDownBarAppearance* Bar, const TBarColors& C)
{
    // Straight into the settings: their change events stay quiet.
    Bar->SetColor(C.Color);
    Bar->SetColorTo(C.ColorTo);
    Bar->Font()->SetColor(C.FontColor);
    Bar->SetBorderColor(C.BorderColor);
}

void WriteButtonAppearance(TExButtonAppearance* A, const TButtonStyle& S)
{
    A->SetColor(S.Color);
    A->SetColorTo(S.ColorTo);
    A->SetBorderColor(S.BorderColor);
    A->SetColorHot(S.ColorHot);
    A->SetColorHotTo(S.ColorHotTo);
    A->SetBorderColorHot(S.BorderColorHot);
    A->SetColorDown(S.ColorDown);
    A->SetColorDownTo(S.ColorDownTo);
    A->SetBorderColorDown(S.BorderColorDown);
    A->SetColorDisabled(S.ColorDisabled);
    A->SetColorDisabledTo(S.ColorDisabledTo);
    A->SetColorChecked(S.ColorChecked);
    A->SetColorCheckedTo(S.ColorCheckedTo);
    A->SetBorderColorChecked(S.BorderColorChecked);
}

// The edge colours of a selection preset, in the order DrawGradientButton
// takes them.
struct TSelectionEdges {
    TSelectionColorStyle Style;
    TColor InnerCorner, TopBottom, LowerSide, UpperSide, MirrorEnd, MirrorStart;
    TColor Color, ColorTo;
};

constexpr std::array<TSelectionEdges, 3> SelectionPresets = {{
    {scOffice2007, 0xC3D9DF, 0x8DD7D3, 0xCAF8FF, 0xF4FEFF, 0xB3F1FC, 0x58D4FC, 0xD7FFFD, 0x58D4FC},
    {scWindowsVista, 0xFCEDCB, 0xFDDE99, 0xFDF5E7, 0xFDFBF6, clNone, clNone, 0xFDF8F1, 0xFCEFD5},
    {scWindows7, 0xE0C5AE, 0xCEA27D, 0xFDEADB, 0xFDF4EB, clNone, clNone, 0xFCEBDC, 0xFCDBC1},
}};

const TSelectionEdges* SelectionPresetOf(TSelectionColorStyle Style)
{
    for (const TSelectionEdges& E : SelectionPresets)
        if (E.Style == Style)
            return &E;
    return nullptr;
}

} // namespace

void TExCustomDropDown::SetComponentStyle(TQVXStyle AStyle)
{
    FQVXStyle = AStyle;
    if (const TPopupStyle* P = RowOf(PopupStyles, AStyle)) {
        SetDropDownColor(P->DropDownColor);
        SetDropDownColorTo(P->DropDownColorTo);
        if (P->DropDownBorderColor != Keep)
            SetDropDownBorderColor(P->DropDownBorderColor);
        WriteBar(FDropDownHeader.get(), P->Header);
        WriteBar(FDropDownFooter.get(), P->Footer);
    }
    if (const TButtonStyle* B = RowOf(ButtonStyles, AStyle))
        WriteButtonAppearance(FButtonAppearance.get(), *B);
}

void TExCustomDropDown::SetColorTones(const TColorTones& ATones)
{
    if (FButton) {
        FButton->SetButtonColor(ATones.Background.BrushColor);
        FButton->SetButtonColorHot(ATones.Hover.BrushColor);
        FButton->SetButtonColorDown(ATones.Selected.BrushColor);
        FButton->SetButtonBorderColor(ATones.Background.BorderColor);
    }
    SetBorderColor(ATones.Background.BorderColor);
}

void TExCustomDropDown::SetSelectionColorStyle(TSelectionColorStyle Value)
{
    FSelectionColorStyle = Value;
    if (const TSelectionEdges* E = SelectionPresetOf(Value)) {
        SetSelectionColor(E->Color);
        SetSelectionColorTo(E->ColorTo);
    }
}

void TExCustomDropDown::DrawSelectionBackground(TCanvas* Canvas, const TRect& R, TColor CornerColor, Integer Kind)
{
    if (!Canvas)
        return;
    if (FSelectionColorStyle == scCustom) {
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(SelectionColor());
        Canvas->Pen()->SetColor(SelectionColor());
        Canvas->Rectangle(R);
        return;
    }
    if (const TSelectionEdges* E = SelectionPresetOf(FSelectionColorStyle))
        DrawGradientButton(Canvas, SelectionColor(), SelectionColorTo(), E->MirrorStart, E->MirrorEnd, E->UpperSide,
                           E->LowerSide, E->TopBottom, E->InnerCorner, CornerColor, R, Kind);
}

void TExCustomDropDown::DrawGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, Integer Steps, const TRect& R,
                                     TGradientDirection Direction)
{
    FillGradient(Canvas, FromColor, ToColor, Steps, R, Direction == gdHorizontal);
}

void TExCustomDropDown::SetItemAppearanceStyle(TItemAppearance* Appearance, TQVXStyle AStyle)
{
    if (!Appearance || AStyle == tsCustom)
        return;
    Appearance->SetBorderColorHot(clNone);
    Appearance->SetBorderColorSelected(clNone);
    Appearance->SetColorHotText(clBlack);
    Appearance->SetColorSelectedText(clBlack);
    const TItemStyle* S = RowOf(ItemStyles, AStyle);
    if (!S)
        return;
    Appearance->SetColorHot(S->Hot);
    Appearance->SetColorHotTo(S->HotTo);
    Appearance->SetColorMirrorHot(S->MirrorHot);
    Appearance->SetColorMirrorHotTo(S->MirrorHotTo);
    Appearance->SetColorSelected(S->Selected);
    Appearance->SetColorSelectedTo(S->SelectedTo);
    Appearance->SetColorMirrorSelected(S->MirrorSelected);
    Appearance->SetColorMirrorSelectedTo(S->MirrorSelectedTo);
    Appearance->SetBorderColor(S->Border);
    Appearance->SetBorderColorTop(S->BorderTop);
    Appearance->SetBorderColorBottom(S->BorderBottom);
    Appearance->SetEdgeColor(S->Edge);
    Appearance->SetColorSelectedText(S->SelectedText);
}

bool ListPresetColors(TSelectionColorStyle Value, TListPresetColors& Colors)
{
    switch (Value) {
    case scOffice2007: Colors = {TColor(0xF1EDEB), TColor(0xD1BBA4), TColor(0x5EC1F1)}; return true;
    case scWindowsVista:
    case scWindows7: Colors = {TColor(0xECECF0), TColor(0xD4D2D1), TColor(0xEACAB6)}; return true;
    default: return false;
    }
}
