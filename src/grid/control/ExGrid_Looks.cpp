// The string grid: looks, style presets, colour tones, the older colour
// schemes, following the office theme, and the plain setters of the URL
// and image-list properties.
#include "grid/control/ExGrid.h"

#include "controls/dropdown/ExDropDown.h"
#include "grid/base/ExUtil.h"
#include "grid/base/GridResources.h"

#include <initializer_list>
#include <vector>

namespace {

// Every colour (and the two selection-style steps) a preset may set.
enum class TLookRole {
    QVXFrom, QVXTo, QVXMirrorFrom, QVXMirrorTo,
    QVXHoverFrom, QVXHoverTo, QVXHoverMirrorFrom, QVXHoverMirrorTo, QVXHoverBorder,
    FixedFrom, FixedTo, FixedMirrorFrom, FixedMirrorTo,
    FixedHoverFrom, FixedHoverTo, FixedHoverMirrorFrom, FixedHoverMirrorTo, FixedHoverBorder,
    FixedDownFrom, FixedDownTo, FixedDownMirrorFrom, FixedDownMirrorTo, FixedDownBorder,
    ActiveFrom, ActiveTo, Selection, SelectionTo, SelectionText, GridLine, GridFixedLine,
    SearchFrom, SearchTo, SortFrom, SortTo, SortMirrorFrom, SortMirrorTo,
    // The search footer from QVXGradientFrom to QVXGradientMirrorTo; the value is unused.
    SearchFinish,
    // The value is a TGridSelectionStyle.
    SelectionStyle,
    // ssOffice2007 while the look is glOffice2007; the value is unused.
    SelectionStyleOffice2007,
};

struct TLookStep {
    TLookRole Role;
    TColor Value = clNone;
};

using LR = TLookRole;
using TSteps = std::vector<TLookStep>;

// The look a preset sets first; glCustom for none.
struct TStylePreset {
    TGridLook Look;
    TSteps Steps;
};

TSteps LookPairs(std::initializer_list<std::pair<LR, TColor>> List)
{
    TSteps Steps;
    for (const auto& [Role, Value] : List)
        Steps.push_back({Role, Value});
    return Steps;
}

TSteps Office2003(TColor F, TColor T)
{
    return LookPairs({{LR::QVXFrom, F}, {LR::QVXTo, T}, {LR::QVXMirrorFrom, clNone}, {LR::QVXMirrorTo, clNone},
                  {LR::ActiveFrom, RGB(251, 230, 148)}, {LR::ActiveTo, RGB(238, 149, 21)}, {LR::FixedFrom, F},
                  {LR::FixedTo, T}, {LR::SearchFrom, F}, {LR::SearchTo, T}, {LR::GridLine, clSilver},
                  {LR::GridFixedLine, clGray}, {LR::SearchFinish, clNone}, {LR::Selection, RGB(251, 230, 148)},
                  {LR::SelectionTo, RGB(238, 149, 21)}, {LR::SelectionText, clBlack}});
}

// Look glOffice2007 first; B the header colour, H the sort header colour,
// L the fixed line colour.
TSteps Office2010(TColor B, TColor H, TColor L)
{
    return LookPairs({{LR::QVXFrom, B}, {LR::QVXTo, B}, {LR::QVXMirrorFrom, B}, {LR::QVXMirrorTo, B},
                  {LR::QVXHoverFrom, clNone}, {LR::QVXHoverTo, clNone}, {LR::QVXHoverMirrorFrom, clNone},
                  {LR::QVXHoverMirrorTo, clNone}, {LR::QVXHoverBorder, clNone}, {LR::FixedFrom, B},
                  {LR::FixedTo, B}, {LR::FixedMirrorFrom, B}, {LR::FixedMirrorTo, B},
                  {LR::FixedHoverFrom, RGB(255, 223, 107)}, {LR::FixedHoverTo, RGB(255, 239, 175)},
                  {LR::FixedHoverMirrorFrom, RGB(255, 239, 175)}, {LR::FixedHoverMirrorTo, RGB(255, 252, 230)},
                  {LR::FixedHoverBorder, RGB(232, 191, 58)}, {LR::FixedDownFrom, RGB(255, 213, 91)},
                  {LR::FixedDownTo, RGB(255, 224, 100)}, {LR::FixedDownMirrorFrom, RGB(255, 224, 100)},
                  {LR::FixedDownMirrorTo, RGB(255, 239, 113)}, {LR::FixedDownBorder, RGB(194, 138, 48)},
                  {LR::SortFrom, H}, {LR::SortTo, H}, {LR::SortMirrorFrom, H}, {LR::SortMirrorTo, H},
                  {LR::ActiveFrom, RGB(255, 213, 91)}, {LR::ActiveTo, RGB(255, 239, 113)}, {LR::FixedFrom, clNone},
                  {LR::FixedTo, clNone}, {LR::Selection, RGB(183, 219, 255)}, {LR::SelectionText, clBlack},
                  {LR::SearchFinish, clNone}, {LR::SelectionStyle, TColor(ssDefault)}, {LR::GridLine, clSilver},
                  {LR::GridFixedLine, L}});
}

const TSteps& SortHeaderVista()
{
    static const TSteps Steps = LookPairs({{LR::SortFrom, RGB(242, 249, 252)}, {LR::SortTo, RGB(242, 249, 252)},
                                       {LR::SortMirrorFrom, RGB(225, 241, 249)},
                                       {LR::SortMirrorTo, RGB(216, 236, 246)}});
    return Steps;
}

TSteps JoinedSteps(TSteps A, const TSteps& B, const TSteps& C = {})
{
    A.insert(A.end(), B.begin(), B.end());
    A.insert(A.end(), C.begin(), C.end());
    return A;
}

// One row per TExGridStyle, in its order.
const std::vector<TStylePreset>& StylePresets()
{
    static const std::vector<TStylePreset> Presets = {
        {glXP, Office2003(RGB(203, 225, 252), RGB(125, 165, 224))},
        {glXP, Office2003(RGB(225, 226, 236), RGB(152, 150, 179))},
        {glXP, Office2003(RGB(234, 240, 207), RGB(177, 192, 140))},
        {glXP, LookPairs({{LR::ActiveFrom, RGB(212, 213, 216)}, {LR::ActiveTo, RGB(212, 213, 216)},
                      {LR::QVXFrom, clWhite}, {LR::QVXTo, RGB(216, 212, 204)}, {LR::QVXMirrorFrom, clNone},
                      {LR::QVXMirrorTo, clNone}, {LR::FixedFrom, clNone}, {LR::FixedTo, clNone},
                      {LR::SearchFrom, clWhite}, {LR::SearchTo, RGB(212, 213, 216)}, {LR::GridLine, clSilver},
                      {LR::GridFixedLine, clGray}, {LR::SearchFinish, clNone}})},
        {glOffice2007,
         LookPairs({{LR::ActiveFrom, RGB(249, 216, 157)}, {LR::ActiveTo, RGB(241, 193, 94)},
                {LR::QVXFrom, RGB(246, 249, 251)}, {LR::QVXTo, RGB(210, 219, 232)}, {LR::QVXMirrorFrom, clNone},
                {LR::QVXMirrorTo, clNone}, {LR::FixedFrom, RGB(246, 249, 251)}, {LR::FixedTo, RGB(210, 219, 232)},
                {LR::SearchFrom, RGB(227, 239, 255)}, {LR::SearchTo, RGB(175, 210, 255)},
                {LR::GridLine, RGB(235, 237, 241)}, {LR::GridFixedLine, RGB(164, 187, 209)},
                {LR::Selection, RGB(241, 193, 94)}, {LR::SelectionText, clBlack}, {LR::SearchFinish, clNone},
                {LR::FixedHoverFrom, RGB(223, 226, 228)}, {LR::FixedHoverTo, RGB(205, 211, 219)},
                {LR::FixedHoverMirrorFrom, RGB(205, 211, 219)}, {LR::FixedHoverMirrorTo, RGB(188, 197, 210)},
                {LR::FixedHoverBorder, RGB(135, 159, 183)}, {LR::FixedDownFrom, RGB(157, 193, 228)},
                {LR::FixedDownTo, RGB(157, 193, 228)}, {LR::FixedDownMirrorFrom, RGB(157, 193, 228)},
                {LR::FixedDownMirrorTo, RGB(157, 193, 228)}, {LR::FixedDownBorder, RGB(157, 193, 228)},
                {LR::SelectionStyleOffice2007, clNone}})},
        {glOffice2007,
         LookPairs({{LR::ActiveFrom, RGB(249, 216, 157)}, {LR::ActiveTo, RGB(241, 193, 94)},
                {LR::QVXFrom, RGB(247, 247, 247)}, {LR::QVXTo, RGB(222, 222, 222)}, {LR::QVXMirrorFrom, clNone},
                {LR::QVXMirrorTo, clNone}, {LR::FixedFrom, RGB(247, 247, 247)}, {LR::FixedTo, RGB(222, 222, 222)},
                {LR::SearchFrom, RGB(240, 241, 242)}, {LR::SearchTo, RGB(189, 194, 201)},
                {LR::GridLine, RGB(208, 215, 229)}, {LR::GridFixedLine, clGray}, {LR::Selection, RGB(241, 193, 94)},
                {LR::SelectionText, clBlack}, {LR::SearchFinish, clNone}})},
        {glXP, LookPairs({{LR::ActiveFrom, clBtnFace}, {LR::ActiveTo, clBtnFace}, {LR::QVXFrom, clBtnFace},
                      {LR::QVXTo, clBtnFace}, {LR::QVXMirrorFrom, clNone}, {LR::QVXMirrorTo, clNone},
                      {LR::FixedFrom, clNone}, {LR::FixedTo, clNone}, {LR::SearchFrom, clBtnFace},
                      {LR::SearchTo, clBtnFace}, {LR::GridLine, clSilver}, {LR::GridFixedLine, clGray},
                      {LR::SearchFinish, clNone}})},
        {glCustom, LookPairs({{LR::ActiveFrom, RGB(251, 230, 148)}, {LR::ActiveTo, RGB(238, 149, 21)},
                          {LR::QVXFrom, clWhite}, {LR::QVXTo, clBtnFace}, {LR::QVXMirrorFrom, clNone},
                          {LR::QVXMirrorTo, clNone}, {LR::FixedFrom, clNone}, {LR::FixedTo, clNone},
                          {LR::SearchFrom, RGB(239, 238, 235)}, {LR::SearchTo, RGB(152, 152, 126)},
                          {LR::GridLine, clSilver}, {LR::GridFixedLine, clGray}, {LR::SearchFinish, clNone}})},
        {glCustom, {}},
        {glOffice2007,
         LookPairs({{LR::ActiveFrom, RGB(255, 204, 153)}, {LR::ActiveTo, RGB(255, 156, 105)},
                {LR::QVXFrom, RGB(241, 243, 243)}, {LR::QVXTo, RGB(200, 201, 202)}, {LR::FixedFrom, RGB(241, 243, 243)},
                {LR::FixedTo, RGB(200, 201, 202)}, {LR::SearchFrom, RGB(238, 238, 238)},
                {LR::SearchTo, RGB(193, 193, 193)}, {LR::GridLine, RGB(208, 215, 229)}, {LR::GridFixedLine, clGray},
                {LR::Selection, RGB(245, 199, 149)}, {LR::SelectionText, clBlack}, {LR::SearchFinish, clNone}})},
        {glVista,
         JoinedSteps(LookPairs({{LR::QVXFrom, clWhite}, {LR::QVXTo, clWhite}, {LR::QVXMirrorFrom, RGB(247, 248, 250)},
                       {LR::QVXMirrorTo, RGB(241, 242, 244)}, {LR::QVXHoverFrom, RGB(227, 247, 255)},
                       {LR::QVXHoverTo, RGB(227, 247, 255)}, {LR::QVXHoverMirrorFrom, RGB(189, 237, 255)},
                       {LR::QVXHoverMirrorTo, RGB(183, 231, 251)}, {LR::QVXHoverBorder, RGB(147, 201, 227)},
                       {LR::FixedFrom, clWhite}, {LR::FixedTo, clWhite}, {LR::FixedMirrorFrom, RGB(247, 248, 250)},
                       {LR::FixedMirrorTo, RGB(241, 242, 244)}, {LR::FixedHoverFrom, RGB(227, 247, 255)},
                       {LR::FixedHoverTo, RGB(227, 247, 255)}, {LR::FixedHoverMirrorFrom, RGB(189, 237, 255)},
                       {LR::FixedHoverMirrorTo, RGB(183, 231, 251)}, {LR::FixedDownFrom, RGB(188, 228, 249)}, {LR::FixedDownTo, RGB(188, 228, 249)},
                       {LR::FixedDownMirrorFrom, RGB(141, 214, 247)}, {LR::FixedDownMirrorTo, RGB(138, 209, 245)},
                       {LR::FixedDownBorder, RGB(79, 144, 174)}}),
                SortHeaderVista(),
                LookPairs({{LR::ActiveFrom, RGB(241, 248, 253)}, {LR::ActiveTo, RGB(213, 239, 252)},
                       {LR::FixedFrom, clNone}, {LR::FixedTo, clNone}, {LR::Selection, RGB(182, 202, 234)},
                       {LR::SelectionText, clBlack}, {LR::SearchFinish, clNone},
                       {LR::SelectionStyle, TColor(ssVista)}, {LR::GridLine, RGB(240, 236, 236)},
                       {LR::GridFixedLine, RGB(209, 210, 212)}}))},
        {glWin7,
         JoinedSteps(LookPairs({{LR::QVXFrom, RGB(250, 252, 253)}, {LR::QVXTo, RGB(230, 240, 250)},
                       {LR::QVXMirrorFrom, RGB(220, 230, 244)}, {LR::QVXMirrorTo, RGB(221, 233, 247)},
                       {LR::QVXHoverFrom, RGB(243, 248, 253)}, {LR::QVXHoverTo, RGB(239, 243, 249)},
                       {LR::QVXHoverMirrorFrom, clNone}, {LR::QVXHoverMirrorTo, clNone},
                       {LR::QVXHoverBorder, RGB(227, 232, 238)}, {LR::FixedFrom, RGB(250, 252, 253)},
                       {LR::FixedTo, RGB(230, 240, 250)}, {LR::FixedMirrorFrom, RGB(220, 230, 244)},
                       {LR::FixedMirrorTo, RGB(221, 233, 247)}, {LR::FixedHoverFrom, RGB(248, 251, 254)},
                       {LR::FixedHoverTo, RGB(237, 242, 250)}, {LR::FixedHoverMirrorFrom, RGB(215, 228, 244)},
                       {LR::FixedHoverMirrorTo, RGB(193, 210, 232)}, {LR::FixedDownFrom, RGB(221, 232, 241)},
                       {LR::FixedDownTo, RGB(216, 228, 241)}, {LR::FixedDownMirrorFrom, RGB(207, 219, 236)},
                       {LR::FixedDownMirrorTo, RGB(207, 220, 237)}, {LR::FixedDownBorder, RGB(170, 188, 213)}}),
                SortHeaderVista(),
                LookPairs({{LR::ActiveFrom, RGB(220, 235, 252)}, {LR::ActiveTo, RGB(193, 219, 252)},
                       {LR::FixedFrom, clNone}, {LR::FixedTo, clNone}, {LR::Selection, RGB(182, 202, 234)},
                       {LR::SelectionText, clBlack}, {LR::SearchFinish, clNone},
                       {LR::SelectionStyle, TColor(ssWin7)}, {LR::GridLine, RGB(240, 236, 236)},
                       {LR::GridFixedLine, RGB(209, 210, 212)}}))},
        {glStandard, {}},
        {glOffice2007, Office2010(RGB(218, 231, 245), RGB(199, 206, 214), RGB(160, 176, 199))},
        {glOffice2007, Office2010(RGB(223, 227, 232), RGB(170, 170, 170), RGB(177, 181, 186))},
        {glOffice2007, Office2010(RGB(106, 106, 106), RGB(186, 186, 186), RGB(68, 68, 68))},
    };
    return Presets;
}

struct TSchemeColors {
    TColor From, To, MirrorFrom, MirrorTo, ActiveFrom, ActiveTo, SearchFrom, SearchTo;
};

// One row per TXPColorScheme, in its order.
const TSchemeColors SchemeColors[] = {
    {clWhite, clBtnFace, clNone, clNone, clWhite, RGB(179, 217, 255), clWhite, RGB(179, 217, 255)},
    {RGB(203, 225, 252), RGB(125, 165, 224), clNone, clNone, RGB(251, 230, 148), RGB(238, 149, 21),
     RGB(203, 225, 252), RGB(125, 165, 224)},
    {RGB(234, 240, 207), RGB(177, 192, 140), clNone, clNone, RGB(251, 230, 148), RGB(238, 149, 21),
     RGB(234, 240, 207), RGB(177, 192, 140)},
    {RGB(225, 226, 236), RGB(152, 150, 179), clNone, clNone, RGB(251, 230, 148), RGB(238, 149, 21),
     RGB(225, 226, 236), RGB(152, 150, 179)},
    {clWhite, clWhite, RGB(247, 248, 250), RGB(241, 242, 244), RGB(251, 230, 148), RGB(238, 149, 21),
     RGB(225, 226, 236), RGB(152, 150, 179)},
};

struct TLookNames {
    const char* Name;
    const char* DisplayName;
};

// One row per TGridLook but glCustom.
const TLookNames LookNames[] = {
    {"glStandard", "Standard"}, {"glSoft", "Soft"},        {"glClassic", "Classic"},
    {"glQVX", "QVX"},           {"glXP", "Windows XP"},    {"glListView", "ListView"},
    {"glVista", "Windows Vista"}, {"glWin7", "Windows 7"}, {"glOffice2007", "Office2007"},
};

// The office theme's style; tsCustom for otUnknown.
const TQVXStyle OfficeThemeStyles[] = {
    tsOffice2003Blue,   tsOffice2003Silver, tsOffice2003Olive,   tsOffice2003Classic, tsOffice2007Luna,
    tsOffice2007Silver, tsOffice2007Obsidian, tsOffice2010Blue, tsOffice2010Silver,  tsOffice2010Black,
    tsCustom,
};

void LoadToneGlyph(TBitmap* Glyph, const char* Resource)
{
    Init_Grid_Resources();
    Glyph->LoadFromResourceName(QLatin1String(Resource));
}

} // namespace

// ---------------------------------------------------------------- looks

void TExStringGrid::SetLook(TGridLook Value)
{
    if (Value == FLook)
        return;
    FLook = Value;
    TControlLook* L = FControlLook.get();
    if (Value != glCustom) {
        L->SetFixedGradientMirrorFrom(clNone);
        L->SetFixedGradientMirrorTo(clNone);
        L->SetFixedGradientFrom(clNone);
        L->SetFixedGradientTo(clNone);
        FQVXGradientFrom = FQVXGradientTo = FQVXGradientMirrorFrom = FQVXGradientMirrorTo = clNone;
        FSortSettings->SetHeaderColor(clNone);
    }
    switch (Value) {
    case glVista:
        SetStyle(gsWindowsVista);
        FCurrentStyle = tsWindowsVista;
        SetSelectionStyle(ssVista);
        break;
    case glWin7:
        SetStyle(gsWindows7);
        FCurrentStyle = tsWindows7;
        SetSelectionStyle(ssWin7);
        break;
    case glOffice2007:
        SetStyle(gsOffice2007Luna);
        FCurrentStyle = tsOffice2007Luna;
        SetSelectionStyle(ssOffice2007);
        break;
    case glCustom:
        break;
    default:
        ApplyClassicLook(Value);
        break;
    }
    SetScrollType(ssNormal);
    SetBorderStyle(bsSingle);
    SetBorderColor(RGB(127, 157, 185));
    Invalidate();
    if (!ComponentState().Contains(csLoading))
        UpdateFooter();
}

// glStandard, glSoft, glClassic, glQVX, glXP and glListView.
void TExStringGrid::ApplyClassicLook(TGridLook Value)
{
    if (!IsDesigning())
        SetDropDownStyles(tsWindowsXP);
    SetSelectionStyle(ssDefault);
    if (ComponentState().Contains(csLoading))
        return;
    TControlLook* L = FControlLook.get();
    const bool Plain = Value == glStandard || Value == glSoft || Value == glClassic;
    if (Plain)
        SetFixedColor(clBtnFace);
    L->SetFixedGradientFrom(Plain ? clBtnFace : clWhite);
    L->SetFixedGradientTo(Plain ? clNone : clBtnFace);
    SetGridFixedLineColor(clGray);
    L->SetFixedGradientMirrorFrom(clNone);
    L->SetFixedGradientMirrorTo(clNone);
    FQVXGradientMirrorFrom = FQVXGradientMirrorTo = clNone;
    SetGridLineColor(clSilver);
    if (Value == glQVX || Value == glXP) {
        FActiveCellColor = RGB(182, 202, 234);
        FActiveCellColorTo = clNone;
        FSelectionColor = RGB(182, 202, 234);
        FSelectionColorTo = clNone;
        FSelectionTextColor = clBlack;
        // The header gradient as the look cleared it: the fixed gradient
        // above has since passed its colours on to the grid's.
        FSearchFooter->SetColor(clNone);
        FSearchFooter->SetColorTo(clNone);
        L->SetFixedGradientFrom(clWhite);
        L->SetFixedGradientTo(Value == glXP ? clBtnFace : clSilver);
        L->SetFixedGradientHoverFrom(RGB(209, 208, 207));
        L->SetFixedGradientHoverTo(RGB(200, 198, 190));
        L->SetFixedGradientHoverMirrorFrom(RGB(200, 198, 190));
        L->SetFixedGradientHoverMirrorTo(RGB(191, 188, 171));
        L->SetFixedGradientDownFrom(RGB(136, 135, 134));
        L->SetFixedGradientDownTo(RGB(126, 124, 115));
        L->SetFixedGradientDownMirrorFrom(RGB(126, 124, 115));
        L->SetFixedGradientDownMirrorTo(RGB(118, 115, 98));
    } else {
        FActiveCellColor = clGray;
        FActiveCellColorTo = clNone;
        FSelectionColor = clHighlight;
        FSelectionTextColor = clHighlightText;
        FSearchFooter->SetColor(clBtnFace);
        FSearchFooter->SetColorTo(clBtnFace);
    }
}

String TExStringGrid::LookToString(TGridLook Value)
{
    return Value == glCustom ? String() : QLatin1String(LookNames[Value].Name);
}

String TExStringGrid::LookToDisplayName(TGridLook Value)
{
    return Value == glCustom ? String() : QLatin1String(LookNames[Value].DisplayName);
}

// ---------------------------------------------------------------- styles

void TExStringGrid::SetStyle(TExGridStyle AStyle)
{
    FSelectionColor = clHighlight;
    FSelectionColorTo = clNone;
    FSelectionTextColor = clHighlightText;
    SetSelectionStyle(ssDefault);
    FSortSettings->SetHeaderColor(clNone);
    FSortSettings->SetHeaderColorTo(clNone);
    FSortSettings->SetHeaderMirrorColor(clNone);
    FSortSettings->SetHeaderMirrorColorTo(clNone);
    FControlLook->Init();
    const TStylePreset& Preset = StylePresets()[std::size_t(AStyle)];
    if (Preset.Look != glCustom)
        SetLook(Preset.Look);
    for (const TLookStep& Step : Preset.Steps)
        ApplyLookStep(int(Step.Role), Step.Value);
    Invalidate();
}

void TExStringGrid::ApplyLookStep(int Role, TColor Value)
{
    TControlLook* L = FControlLook.get();
    TSortSettings* S = FSortSettings.get();
    switch (TLookRole(Role)) {
    case LR::QVXFrom: FQVXGradientFrom = Value; break;
    case LR::QVXTo: FQVXGradientTo = Value; break;
    case LR::QVXMirrorFrom: FQVXGradientMirrorFrom = Value; break;
    case LR::QVXMirrorTo: FQVXGradientMirrorTo = Value; break;
    case LR::QVXHoverFrom: SetQVXGradientHoverFrom(Value); break;
    case LR::QVXHoverTo: SetQVXGradientHoverTo(Value); break;
    case LR::QVXHoverMirrorFrom: SetQVXGradientHoverMirrorFrom(Value); break;
    case LR::QVXHoverMirrorTo: SetQVXGradientHoverMirrorTo(Value); break;
    case LR::QVXHoverBorder: SetQVXGradientHoverBorder(Value); break;
    case LR::FixedFrom: L->SetFixedGradientFrom(Value); break;
    case LR::FixedTo: L->SetFixedGradientTo(Value); break;
    case LR::FixedMirrorFrom: L->SetFixedGradientMirrorFrom(Value); break;
    case LR::FixedMirrorTo: L->SetFixedGradientMirrorTo(Value); break;
    case LR::FixedHoverFrom: L->SetFixedGradientHoverFrom(Value); break;
    case LR::FixedHoverTo: L->SetFixedGradientHoverTo(Value); break;
    case LR::FixedHoverMirrorFrom: L->SetFixedGradientHoverMirrorFrom(Value); break;
    case LR::FixedHoverMirrorTo: L->SetFixedGradientHoverMirrorTo(Value); break;
    case LR::FixedHoverBorder: L->SetFixedGradientHoverBorder(Value); break;
    case LR::FixedDownFrom: L->SetFixedGradientDownFrom(Value); break;
    case LR::FixedDownTo: L->SetFixedGradientDownTo(Value); break;
    case LR::FixedDownMirrorFrom: L->SetFixedGradientDownMirrorFrom(Value); break;
    case LR::FixedDownMirrorTo: L->SetFixedGradientDownMirrorTo(Value); break;
    case LR::FixedDownBorder: L->SetFixedGradientDownBorder(Value); break;
    case LR::ActiveFrom: FActiveCellColor = Value; break;
    case LR::ActiveTo: FActiveCellColorTo = Value; break;
    case LR::Selection: FSelectionColor = Value; break;
    case LR::SelectionTo: FSelectionColorTo = Value; break;
    case LR::SelectionText: FSelectionTextColor = Value; break;
    case LR::GridLine: SetGridLineColor(Value); break;
    case LR::GridFixedLine: SetGridFixedLineColor(Value); break;
    case LR::SearchFrom: FSearchFooter->SetColor(Value); break;
    case LR::SearchTo: FSearchFooter->SetColorTo(Value); break;
    case LR::SortFrom: S->SetHeaderColor(Value); break;
    case LR::SortTo: S->SetHeaderColorTo(Value); break;
    case LR::SortMirrorFrom: S->SetHeaderMirrorColor(Value); break;
    case LR::SortMirrorTo: S->SetHeaderMirrorColorTo(Value); break;
    case LR::SearchFinish:
        FSearchFooter->SetColor(FQVXGradientFrom);
        FSearchFooter->SetColorTo(FQVXGradientMirrorTo);
        break;
    case LR::SelectionStyle: SetSelectionStyle(TGridSelectionStyle(Value)); break;
    case LR::SelectionStyleOffice2007:
        if (FLook == glOffice2007)
            SetSelectionStyle(ssOffice2007);
        break;
    }
}

void TExStringGrid::SetComponentStyle(TQVXStyle AStyle)
{
    FCurrentStyle = AStyle;
    SetStyle(TExGridStyle(Integer(AStyle)));
    if (!IsDesigning())
        SetDropDownStyles(AStyle);
    if (AStyle != tsCustom && FScrollType == ssMetro)
        SetScrollType(ssNormal);
}

void TExStringGrid::SetDropDownStyles(TQVXStyle AStyle)
{
    for (TExCustomDropDown* Editor : {FEditColorPicker, FEditImagePicker, FEditGridPicker, FEditDetailPicker,
                                      FEditTimePicker, FEditCalculator, FEditMemo})
        if (Editor)
            Editor->SetComponentStyle(AStyle);
}

// ---------------------------------------------------------------- colour tones and schemes

void TExStringGrid::SetColorTones(const TColorTones& ATones)
{
    FTones = ATones;
    SetLook(glClassic);
    SetFlat(true);
    SetScrollType(ssMetro);
    SetFixedColor(ATones.Foreground.BrushColor);
    FFixedFont->SetColor(ATones.Foreground.TextColor);
    FFixedFont->SetName(GetUIFontName());
    SetColor(ATones.Background.BrushColor);
    Font()->SetName(GetUIFontName());
    Font()->SetColor(ATones.Background.TextColor);
    FSelectionColor = ATones.Selected.BrushColor;
    FSelectionTextColor = ATones.Selected.TextColor;
    FSelectionColorTo = clNone;
    SetGridLineColor(RGB(230, 230, 230));
    SetGridFixedLineColor(ScaleColorPercent(ATones.Foreground.BrushColor, -20));
    SetBorderStyle(bsNone);
    FControlLook->SetControlStyle(csGlyph);
    LoadToneGlyph(FControlLook->CheckedGlyph(), "metrocheckon");
    LoadToneGlyph(FControlLook->UnCheckedGlyph(), "metrocheckoff");
    LoadToneGlyph(FControlLook->RadioOffGlyph(), "metroradiooff");
    LoadToneGlyph(FControlLook->RadioOnGlyph(), "metroradioon");
    for (TExCustomDropDown* Editor : {FEditMemo, FEditTrackBar, FEditTimePicker, FEditCalculator, FEditExGridPicker,
                                      FEditDetailPicker, FEditGridPicker, FEditColorPicker, FEditImagePicker})
        if (Editor)
            Editor->SetColorTones(ATones);
    FControlLook->SetFlatButton(true);
    FFloatingFooter->SetColor(ATones.Foreground.BrushColor);
    FSearchFooter->SetColor(ATones.Foreground.BrushColor);
    FSearchFooter->SetColorTo(ATones.Foreground.BrushColor);
    FCellNode->SetNodeType(cnFlat);
}

void TExStringGrid::SetTheme(TXPColorScheme Scheme)
{
    const TSchemeColors& C = SchemeColors[Scheme];
    FActiveCellColor = C.ActiveFrom;
    FActiveCellColorTo = C.ActiveTo;
    FQVXGradientFrom = C.From;
    FQVXGradientTo = C.To;
    FQVXGradientMirrorFrom = C.MirrorFrom;
    FQVXGradientMirrorTo = C.MirrorTo;
    const bool Plain = Scheme == xpNone;
    FControlLook->SetFixedGradientFrom(Plain ? clNone : C.From);
    FControlLook->SetFixedGradientTo(Plain ? clNone : C.To);
    FSearchFooter->SetColor(C.SearchFrom);
    FSearchFooter->SetColorTo(C.SearchTo);
}

void TExStringGrid::AdaptToOfficeTheme()
{
    if (IsDesigning())
        return;
    const TOfficeTheme Theme = GetOfficeTheme();
    if (Theme == FOldOfficeTheme)
        return;
    if (Theme != otUnknown)
        SetComponentStyle(OfficeThemeStyles[Theme]);
    FOldOfficeTheme = Theme;
}

// ---------------------------------------------------------------- plain setters

void TExStringGrid::SetURLColor(TColor Value)
{
    FURLColor = Value;
    if (FURLShow)
        Invalidate();
}

void TExStringGrid::SetURLShow(bool Value)
{
    FURLShow = Value;
    Invalidate();
}

void TExStringGrid::SetURLShowInText(bool Value)
{
    FURLShowInText = Value;
    Invalidate();
}

void TExStringGrid::SetURLFull(bool Value)
{
    FURLFull = Value;
    if (FURLShow)
        Invalidate();
}

void TExStringGrid::SetSyncGrid(TSyncGrid* Value)
{
    FSyncGrid->Assign(Value);
}
