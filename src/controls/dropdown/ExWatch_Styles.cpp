// The clock face's appearance and settings objects, its twelve presets and
// the component-style colours, both as tables.
#include "controls/dropdown/ExWatch.h"

#include <optional>

// ---------------------------------------------------------------- appearance

TWatchAppearance::TWatchAppearance()
    : FAMPMFont(std::make_unique<TFont>()), FHourFont(std::make_unique<TFont>()),
      FPicture(std::make_unique<TPicture>())
{
    ResetDefaults();
}

TWatchAppearance::~TWatchAppearance() = default;

void TWatchAppearance::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TWatchAppearance::SetAMPMFont(TFont* Value)
{
    FAMPMFont->Assign(Value);
    Changed();
}

void TWatchAppearance::SetHourFont(TFont* Value)
{
    FHourFont->Assign(Value);
    Changed();
}

void TWatchAppearance::SetPicture(TPicture* Value)
{
    FPicture->Assign(Value);
    Changed();
}

void TWatchAppearance::StoreAMPMColors(TColor Border, TColor Fill)
{
    FAMPMBorderColor = Border;
    FAMPMColor = Fill;
}

void TWatchAppearance::CopyPlainValues(const TWatchAppearance& From)
{
    FAMPMBorderColor = From.FAMPMBorderColor;
    FAMPMColor = From.FAMPMColor;
    FAMPMFrame = From.FAMPMFrame;
    FBorderColor = From.FBorderColor;
    FBorderWidth = From.FBorderWidth;
    FBackgroundColor = From.FBackgroundColor;
    FBackgroundColorTo = From.FBackgroundColorTo;
    FBackgroundGradient = From.FBackgroundGradient;
    FCenterPointBorderColor = From.FCenterPointBorderColor;
    FCenterPointColor = From.FCenterPointColor;
    FCenterPointSize = From.FCenterPointSize;
    FHourColor = From.FHourColor;
    FHourMarkLength = From.FHourMarkLength;
    FHourMarkWidth = From.FHourMarkWidth;
    FHourPointer = From.FHourPointer;
    FHourPointerShadow = From.FHourPointerShadow;
    FHourPointerSize = From.FHourPointerSize;
    FMinuteColor = From.FMinuteColor;
    FMinutePointer = From.FMinutePointer;
    FMinutePointerShadow = From.FMinutePointerShadow;
    FMinutePointerSize = From.FMinutePointerSize;
    FMinuteMarkLength = From.FMinuteMarkLength;
    FMinuteMarkWidth = From.FMinuteMarkWidth;
    FPointerStyle = From.FPointerStyle;
    FSecondPointer = From.FSecondPointer;
    FSecondPointerSize = From.FSecondPointerSize;
    FShape = From.FShape;
    FSize = From.FSize;
    FAMPMFont->Assign(From.FAMPMFont.get());
    FHourFont->Assign(From.FHourFont.get());
    FPicture->Assign(From.FPicture.get());
}

void TWatchAppearance::Assign(TPersistent* Source)
{
    auto* Other = dynamic_cast<TWatchAppearance*>(Source);
    if (!Other) {
        TPersistent::Assign(Source);
        return;
    }
    CopyPlainValues(*Other);
    SetCenterPointOuterBorderColor(Other->CenterPointOuterBorderColor());
    SetTickMarks(Other->TickMarks());
    SetHourMarkStyle(Other->HourMarkStyle());
}

void TWatchAppearance::ResetDefaults()
{
    // The members' initial values are the defaults; the fonts are set here.
    const TWatchAppearance Defaults(TDefaultsOnly{});
    CopyPlainValues(Defaults);
    FCenterPointOuterBorderColor = Defaults.FCenterPointOuterBorderColor;
    FTickMarks = Defaults.FTickMarks;
    FHourMarkStyle = Defaults.FHourMarkStyle;
    Changed();
}

TWatchAppearance::TWatchAppearance(TDefaultsOnly)
    : FAMPMFont(std::make_unique<TFont>()), FHourFont(std::make_unique<TFont>()),
      FPicture(std::make_unique<TPicture>())
{
    FAMPMFont->SetName(QStringLiteral("Tahoma"));
    FAMPMFont->SetSize(10);
    FHourFont->SetName(QStringLiteral("Tahoma"));
    FHourFont->SetSize(8);
}

// ---------------------------------------------------------------- settings

void TWatchSettings::Assign(TPersistent* Source)
{
    auto* Other = dynamic_cast<TWatchSettings*>(Source);
    if (!Other) {
        TPersistent::Assign(Source);
        return;
    }
    FSecond = Other->FSecond;
    FTimeOffset = Other->FTimeOffset;
    SetAuto(Other->Auto());
}

// ---------------------------------------------------------------- presets

namespace watch_styles {

// A font of a preset: what is given changes, the rest stays; not bold
// unless said.
struct TFontLook {
    const char* Name = nullptr;
    Integer Size = 0;
    TColor Color = clNone;
    bool Bold = false;
};

// One preset, applied over the reset defaults; what a row leaves out keeps
// its default. The *PerSide values are taken from the control's shorter
// side: round(side / x), or side div n for the minute marks.
struct TPresetRow {
    TWatchStyle Style;
    std::optional<TFontLook> AMPMFont{};
    std::optional<TColor> AMPMBorderColor{};
    std::optional<TAMPMFrame> AMPMFrame{};
    std::optional<TColor> BorderColor{};
    std::optional<Integer> BorderWidth{};
    std::optional<TColor> BackgroundColor{};
    std::optional<TColor> BackgroundColorTo{};
    std::optional<TWatchGradient> BackgroundGradient{};
    std::optional<TColor> CenterPointBorderColor{};
    std::optional<TColor> CenterPointOuterBorderColor{};
    std::optional<TColor> CenterPointColor{};
    std::optional<Integer> CenterPointSize{};
    std::optional<double> CenterPointSizePerSide{};
    std::optional<TFontLook> HourFont{};
    std::optional<TColor> HourColor{};
    std::optional<Integer> HourMarkLength{};
    std::optional<double> HourMarkLengthPerSide{};
    std::optional<Integer> HourMarkWidth{};
    std::optional<THourMarkStyle> HourMarkStyle{};
    std::optional<TColor> HourPointer{};
    std::optional<TColor> HourPointerShadow{};
    std::optional<Integer> HourPointerSize{};
    std::optional<TColor> MinuteColor{};
    std::optional<TColor> MinutePointer{};
    std::optional<TColor> MinutePointerShadow{};
    std::optional<Integer> MinutePointerSize{};
    std::optional<Integer> MinuteMarkLength{};
    std::optional<Integer> MinuteMarkLengthPerSide{};
    std::optional<TColor> SecondPointer{};
    std::optional<TWatchShape> Shape{};
    std::optional<TPointerStyle> PointerStyle{};
    std::optional<TColor> AMPMColor{};
    std::optional<TTickMarks> TickMarks{};
    std::optional<bool> Animation{};
    std::optional<Integer> AnimationFactor{};
    std::optional<bool> ShowAMPM{};
    std::optional<bool> ShowNumbers{};
};

constexpr const char* SansSerif = "MS Sans Serif";

const TPresetRow Presets[] = {
    {.Style = wsClassic, .AMPMFont = TFontLook{SansSerif},
     .HourFont = TFontLook{"Comic Sans MS", 10, clNone, true}, .HourMarkLength = 8, .HourPointer = clBlack,
     .HourPointerShadow = clBtnShadow, .HourPointerSize = 5, .MinutePointerShadow = clBtnShadow,
     .MinuteMarkLength = 4, .Animation = true, .AnimationFactor = 10, .ShowAMPM = true, .ShowNumbers = true},
    {.Style = wsTower, .AMPMFont = TFontLook{SansSerif}, .AMPMFrame = apRect, .BorderWidth = 1,
     .BackgroundColor = 0xB1F0FE, .BackgroundColorTo = 0x5BCCE8, .BackgroundGradient = wgDiagonalForward,
     .CenterPointColor = 0x002BD5, .CenterPointSize = 6, .HourFont = TFontLook{"Century", 0, clWindowText, true},
     .HourPointer = clBlack, .HourPointerShadow = clBtnShadow, .HourPointerSize = 5,
     .MinutePointerShadow = clBtnShadow, .SecondPointer = 0x002BD5, .Shape = wsRect, .PointerStyle = psPointer,
     .AMPMColor = 0xB1F0FE, .TickMarks = tmHours, .ShowNumbers = false},
    {.Style = wsFluorescent, .AMPMFont = TFontLook{SansSerif, 10, clWindowText}, .AMPMFrame = apRoundRect,
     .BorderColor = 0xFF3E3E, .BackgroundColor = clBlack, .BackgroundColorTo = clBlack,
     .CenterPointBorderColor = clBlack, .CenterPointOuterBorderColor = clBlack, .CenterPointColor = 0xFF3E3E,
     .CenterPointSize = 20, .HourFont = TFontLook{SansSerif, 8, clWindowText}, .HourColor = 0xFF3E3E,
     .HourMarkLength = 10, .HourMarkWidth = 2, .HourMarkStyle = hmsQuartDblLine, .HourPointer = 0xFF3E3E,
     .HourPointerShadow = clBtnShadow, .HourPointerSize = 2, .MinuteColor = 0xFF3E3E, .MinutePointer = 0xFF3E3E,
     .MinutePointerShadow = clBtnShadow, .MinutePointerSize = 2, .Shape = wsRoundRect, .TickMarks = tmHours,
     .ShowAMPM = false, .ShowNumbers = false},
    {.Style = wsEmerald, .AMPMFont = TFontLook{SansSerif, 0, 0xA00000}, .AMPMFrame = apRoundRect,
     .BorderColor = 0x3AE800, .BackgroundColor = 0x3AE800, .BackgroundColorTo = clBlack,
     .BackgroundGradient = wgDiagonalForward, .CenterPointBorderColor = 0x40FF00,
     .CenterPointOuterBorderColor = clBlack, .CenterPointColor = 0x38E100, .CenterPointSize = 16,
     .HourFont = TFontLook{SansSerif, 0, 0x3AE800}, .HourColor = 0x3AE800, .HourMarkStyle = hmsQuartDblLine,
     .HourPointer = 0x40FF00, .HourPointerShadow = clBtnShadow, .HourPointerSize = 5, .MinutePointer = 0x40FF00,
     .MinutePointerShadow = clBtnShadow, .SecondPointer = 0x00FFFF, .Shape = wsRect, .PointerStyle = psPointer,
     .AMPMColor = clNone, .TickMarks = tmHours, .ShowAMPM = false, .ShowNumbers = false},
    {.Style = wsBlueStar, .AMPMFont = TFontLook{SansSerif, 10, 0xA00000}, .AMPMBorderColor = clNone,
     .AMPMFrame = apRoundRect, .BorderColor = 0xFFD5D5, .BackgroundColor = 0xFFD5D5, .BackgroundColorTo = 0xA00000,
     .BackgroundGradient = wgRadial, .HourFont = TFontLook{SansSerif, 8, 0xFFD5D5}, .HourPointer = 0xA00000,
     .HourPointerShadow = clBtnShadow, .HourPointerSize = 5, .MinutePointer = 0xA00000,
     .MinutePointerShadow = clBtnShadow, .Shape = wsRoundRect, .PointerStyle = psPointer, .AMPMColor = clNone,
     .ShowAMPM = true, .ShowNumbers = true},
    {.Style = wsFuchsia, .AMPMFont = TFontLook{SansSerif, 10, clWindowText}, .AMPMFrame = apRoundRect,
     .BorderColor = 0xFFD0FF, .BackgroundColor = clBlack, .BackgroundColorTo = clBlack,
     .CenterPointBorderColor = 0xDD68DD, .CenterPointOuterBorderColor = clBlack, .CenterPointSize = 20,
     .HourFont = TFontLook{SansSerif, 8, clWindowText}, .HourColor = 0xFFD0FF, .HourMarkLength = 10,
     .HourMarkWidth = 2, .HourMarkStyle = hmsQuartDblLine, .HourPointer = 0xFFD0FF,
     .HourPointerShadow = clBtnShadow, .HourPointerSize = 2, .MinuteColor = 0xFFD0FF, .MinutePointer = 0xFFD0FF,
     .MinutePointerShadow = clBtnShadow, .MinutePointerSize = 2, .SecondPointer = 0xDD68DD, .Shape = wsRect,
     .TickMarks = tmQuartHours, .ShowAMPM = false, .ShowNumbers = false},
    {.Style = wsBlack, .AMPMFont = TFontLook{SansSerif}, .BorderColor = clBlack, .BackgroundColor = 0x202020,
     .BackgroundColorTo = clNone, .CenterPointBorderColor = clWhite, .CenterPointOuterBorderColor = clWhite,
     .CenterPointColor = clWhite, .HourFont = TFontLook{"Century Gothic", 11, clWhite}, .HourColor = 0x585858,
     .HourPointer = clWhite, .HourPointerShadow = clBtnShadow, .HourPointerSize = 5, .MinuteColor = 0x585858,
     .MinutePointer = clWhite, .MinutePointerShadow = clBtnShadow, .MinuteMarkLength = 4, .ShowAMPM = false,
     .ShowNumbers = true},
    {.Style = wsBlackWhite, .BorderColor = clBlack, .BorderWidth = 8, .BackgroundColor = clWhite,
     .BackgroundColorTo = clNone, .CenterPointBorderColor = clBlack, .CenterPointOuterBorderColor = clBlack,
     .CenterPointColor = clBlack, .CenterPointSize = 8, .HourFont = TFontLook{"Century Gothic", 14, clBlack, true},
     .HourColor = 0x585858, .HourPointer = clBlack, .HourPointerShadow = clBtnShadow, .HourPointerSize = 5,
     .MinutePointer = clBlack, .MinutePointerShadow = clBtnShadow, .MinuteMarkLength = 4,
     .SecondPointer = 0x000080, .PointerStyle = psPointer, .TickMarks = tmQuartHours, .ShowAMPM = false,
     .ShowNumbers = true},
    {.Style = wsGray, .AMPMFont = TFontLook{SansSerif, 10}, .BorderColor = 0x454545, .BackgroundColor = 0xD1D1D1,
     .BackgroundColorTo = 0x6C6C6C, .BackgroundGradient = wgRadial, .CenterPointBorderColor = 0x454545,
     .CenterPointOuterBorderColor = clNone, .CenterPointColor = clBlack, .HourFont = TFontLook{"Comic Sans MS", 8},
     .HourColor = clBlack, .HourPointer = 0x4E4E4E, .HourPointerShadow = clNone, .HourPointerSize = 1,
     .MinuteColor = 0x808080, .MinutePointer = 0x4E4E4E, .MinutePointerShadow = clNone, .MinutePointerSize = 1,
     .SecondPointer = 0x0000FF, .ShowAMPM = true, .ShowNumbers = true},
    {.Style = wsSuperNova, .BorderColor = clNone, .BackgroundColorTo = 0xD1D3D3,
     .CenterPointOuterBorderColor = clBlack, .CenterPointSize = 10, .HourMarkLengthPerSide = 4.5,
     .HourPointer = clBlack, .HourPointerShadow = clBtnShadow, .MinuteColor = 0x808080, .MinutePointer = clBlack,
     .MinuteMarkLengthPerSide = 3, .ShowAMPM = false, .ShowNumbers = false},
    {.Style = wsSports, .BorderColor = clBlack, .BorderWidth = 1, .BackgroundColor = clBlack,
     .BackgroundColorTo = clNone, .CenterPointBorderColor = 0xFF0000, .CenterPointOuterBorderColor = clBlack,
     .CenterPointColor = 0x191919, .CenterPointSizePerSide = 3.6,
     .HourFont = TFontLook{"Times New Roman", 9, 0x797979}, .HourColor = 0xABB0B1, .HourPointer = 0x0000FF,
     .HourPointerShadow = clNone, .HourPointerSize = 2, .MinuteColor = 0x808080, .MinutePointer = 0x00FFFF,
     .MinutePointerShadow = clNone, .MinutePointerSize = 2, .MinuteMarkLength = 1, .SecondPointer = 0x188BFE,
     .TickMarks = tmQuartHours, .ShowAMPM = false, .ShowNumbers = true},
    {.Style = wsSmooth, .BorderColor = 0x585858, .BorderWidth = 1, .BackgroundColor = clWhite,
     .BackgroundColorTo = 0xABB0B1, .CenterPointBorderColor = clBlack, .CenterPointOuterBorderColor = 0x4A4A4A,
     .CenterPointColor = clWhite, .CenterPointSize = 6, .HourFont = TFontLook{"Times New Roman", 9, 0x797979},
     .HourColor = 0xABB0B1, .HourPointer = 0x4A4A4A, .HourPointerShadow = 0xB2B2B2, .HourPointerSize = 2,
     .MinuteColor = 0x808080, .MinutePointer = 0x4A4A4A, .MinutePointerShadow = 0xB2B2B2, .MinutePointerSize = 2,
     .MinuteMarkLength = 1, .SecondPointer = 0x4A4A4A, .TickMarks = tmQuartHours, .ShowAMPM = false,
     .ShowNumbers = true},
};

void ApplyFontLook(TFont* Font, const TFontLook& Look)
{
    if (Look.Name)
        Font->SetName(QString::fromLatin1(Look.Name));
    if (Look.Size > 0)
        Font->SetSize(Look.Size);
    if (Look.Color != clNone)
        Font->SetColor(Look.Color);
    Font->SetStyle(Look.Bold ? TFontStyles{fsBold} : TFontStyles{});
}

template <class T, class Setter>
void Apply(const std::optional<T>& Value, Setter Set)
{
    if (Value)
        Set(*Value);
}

} // namespace watch_styles


void TExWatch::ApplyPreset(TWatchStyle Value)
{
    const auto Row = std::find_if(std::begin(watch_styles::Presets), std::end(watch_styles::Presets),
                                  [Value](const watch_styles::TPresetRow& R) { return R.Style == Value; });
    if (Row == std::end(watch_styles::Presets))
        return;
    TWatchAppearance* A = FAppearance.get();
    const Integer Side = std::min(Width(), Height());
    if (Row->AMPMFont) {
        TFont F;
        F.Assign(A->AMPMFont());
        watch_styles::ApplyFontLook(&F, *Row->AMPMFont);
        A->SetAMPMFont(&F);
    }
    if (Row->HourFont) {
        TFont F;
        F.Assign(A->HourFont());
        watch_styles::ApplyFontLook(&F, *Row->HourFont);
        A->SetHourFont(&F);
    }
    // Byte values keep their low eight bits.
    const auto AsByte = [](Integer V) { return Byte(V & 0xFF); };
    watch_styles::Apply(Row->AMPMBorderColor, [A](TColor V) { A->SetAMPMBorderColor(V); });
    watch_styles::Apply(Row->AMPMFrame, [A](TAMPMFrame V) { A->SetAMPMFrame(V); });
    watch_styles::Apply(Row->BorderColor, [A](TColor V) { A->SetBorderColor(V); });
    watch_styles::Apply(Row->BorderWidth, [A](Integer V) { A->SetBorderWidth(V); });
    watch_styles::Apply(Row->BackgroundColor, [A](TColor V) { A->SetBackgroundColor(V); });
    watch_styles::Apply(Row->BackgroundColorTo, [A](TColor V) { A->SetBackgroundColorTo(V); });
    watch_styles::Apply(Row->BackgroundGradient, [A](TWatchGradient V) { A->SetBackgroundGradient(V); });
    watch_styles::Apply(Row->CenterPointBorderColor, [A](TColor V) { A->SetCenterPointBorderColor(V); });
    watch_styles::Apply(Row->CenterPointOuterBorderColor, [A](TColor V) { A->SetCenterPointOuterBorderColor(V); });
    watch_styles::Apply(Row->CenterPointColor, [A](TColor V) { A->SetCenterPointColor(V); });
    watch_styles::Apply(Row->CenterPointSize, [&](Integer V) { A->SetCenterPointSize(AsByte(V)); });
    watch_styles::Apply(Row->CenterPointSizePerSide, [&](double X) { A->SetCenterPointSize(AsByte(Integer(Round(Side / X)))); });
    watch_styles::Apply(Row->HourColor, [A](TColor V) { A->SetHourColor(V); });
    watch_styles::Apply(Row->HourMarkLength, [&](Integer V) { A->SetHourMarkLength(AsByte(V)); });
    watch_styles::Apply(Row->HourMarkLengthPerSide, [&](double X) { A->SetHourMarkLength(AsByte(Integer(Round(Side / X)))); });
    watch_styles::Apply(Row->HourMarkWidth, [&](Integer V) { A->SetHourMarkWidth(AsByte(V)); });
    watch_styles::Apply(Row->HourMarkStyle, [A](THourMarkStyle V) { A->SetHourMarkStyle(V); });
    watch_styles::Apply(Row->HourPointer, [A](TColor V) { A->SetHourPointer(V); });
    watch_styles::Apply(Row->HourPointerShadow, [A](TColor V) { A->SetHourPointerShadow(V); });
    watch_styles::Apply(Row->HourPointerSize, [&](Integer V) { A->SetHourPointerSize(AsByte(V)); });
    watch_styles::Apply(Row->MinuteColor, [A](TColor V) { A->SetMinuteColor(V); });
    watch_styles::Apply(Row->MinutePointer, [A](TColor V) { A->SetMinutePointer(V); });
    watch_styles::Apply(Row->MinutePointerShadow, [A](TColor V) { A->SetMinutePointerShadow(V); });
    watch_styles::Apply(Row->MinutePointerSize, [&](Integer V) { A->SetMinutePointerSize(AsByte(V)); });
    watch_styles::Apply(Row->MinuteMarkLength, [&](Integer V) { A->SetMinuteMarkLength(AsByte(V)); });
    watch_styles::Apply(Row->MinuteMarkLengthPerSide, [&](Integer N) { A->SetMinuteMarkLength(AsByte(Side / N)); });
    watch_styles::Apply(Row->SecondPointer, [A](TColor V) { A->SetSecondPointer(V); });
    watch_styles::Apply(Row->Shape, [A](TWatchShape V) { A->SetShape(V); });
    watch_styles::Apply(Row->PointerStyle, [A](TPointerStyle V) { A->SetPointerStyle(V); });
    watch_styles::Apply(Row->AMPMColor, [A](TColor V) { A->SetAMPMColor(V); });
    watch_styles::Apply(Row->TickMarks, [A](TTickMarks V) { A->SetTickMarks(V); });
    watch_styles::Apply(Row->Animation, [this](bool V) { SetAnimation(V); });
    watch_styles::Apply(Row->AnimationFactor, [this](Integer V) { SetAnimationFactor(V); });
    watch_styles::Apply(Row->ShowAMPM, [this](bool V) { SetShowAMPM(V); });
    watch_styles::Apply(Row->ShowNumbers, [this](bool V) { SetShowNumbers(V); });
}

// ---------------------------------------------------------------- component styles

namespace watch_styles {

struct TWatchStyleColors {
    TQVXStyle Style;
    TColor AMPMBorder, AMPMFill, Background, BackgroundTo, Border, CenterBorder, CenterFill, MarksAndHands,
        Second, Shadows;
};

const TWatchStyleColors StyleColors[] = {
    {tsOffice2003Blue, 0x962D00, 0xD68759, 0xFFD2AF, 0xFFD2AF, 0xD68759, 0xD68759, 0xD68759, 0xD68759, 0xFFFFFF,
     0xFFFFFF},
    {tsOffice2003Silver, 0x962D00, 0xBDA4A5, 0xE6D8D8, 0xE6D8D8, 0xBDA4A5, 0xBDA4A5, 0xBDA4A5, 0xBDA4A5, 0xFFFFFF,
     0xFFFFFF},
    {tsOffice2003Olive, 0x962D00, 0x82C0AF, 0xB9EAE1, 0xB9EAE1, 0x82C0AF, 0x82C0AF, 0x82C0AF, 0x82C0AF, 0xFFFFFF,
     0xFFFFFF},
    {tsOffice2003Classic, 0x962D00, 0x808080, 0xF2F2F2, 0xF2F2F2, 0x808080, 0x808080, 0x808080, 0x808080, 0x808080,
     0xFFFFFF},
    {tsOffice2007Luna, 0xF0DED0, 0xF0DED0, 0xFFEFE3, 0xFFEFE3, 0xF0DED0, 0xFFEFE3, 0xFFEFE3, 0x723708, 0x723708,
     0xFFFFFF},
    {tsOffice2007Obsidian, 0xF2F1F0, 0x5C534C, 0x5C534C, 0x5C534C, 0xF2F1F0, 0xFFEFE3, 0xFFEFE3, 0xF2F1F0, 0xF2F1F0,
     0xFFFFFF},
    {tsWindowsXP, 0x000000, clBtnFace, clBtnFace, clBtnFace, 0x000000, 0x000000, 0x000000, 0x000000, 0x000000,
     0xFFFFFF},
    {tsWhidbey, 0x7E9898, 0xF5F9FA, 0xF5F9FA, 0xF5F9FA, 0x7E9898, 0x7E9898, 0x7E9898, 0x7E9898, 0x7E9898, 0xFFFFFF},
    {tsOffice2007Silver, 0xE8E0DB, 0xF8F4F1, 0xF8F4F1, 0xF8F4F1, 0xE8E0DB, 0xE8E0DB, 0x74706F, 0x74706F, 0x74706F,
     0xFFFFFF},
    {tsWindowsVista, 0xFEDF9A, 0xFFFDF9, 0xFFFDF9, 0xFFFAF0, 0xFEDF9A, 0xFEDF9A, 0xFEDF9A, 0xFEDF9A, 0xFEDF9A,
     0xFFFFFF},
    {tsWindows7, 0xFBD6B8, 0xFDFBFA, 0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFBD6B8, 0xFBD6B8, 0xFBD6B8, 0xFBD6B8, 0xFFFFFF},
    {tsTerminal, 0x808080, clBtnFace, clBtnFace, clBtnFace, 0x808080, 0x808080, 0x808080, 0x808080, 0x808080,
     0xFFFFFF},
    {tsOffice2010Blue, 0xC7B29F, 0xF0DAC7, 0xFDF6EF, 0xFDF6EF, 0xC7B29F, 0xC7B29F, 0xC7B29F, 0xC7B29F, 0xC7B29F,
     0xFFFFFF},
    {tsOffice2010Silver, 0xD2CDC8, 0xEDE5E0, 0xFFFFFF, 0xFFFFFF, 0xD2CDC8, 0xD2CDC8, 0xD2CDC8, 0xD2CDC8, 0xD2CDC8,
     0xC0C0C0},
    {tsOffice2010Black, 0x6D6D6D, 0x919191, 0xBFBFBF, 0xBFBFBF, 0x6D6D6D, 0x6D6D6D, 0x6D6D6D, 0x6D6D6D, 0x6D6D6D,
     0xFFFFFF},
};

void SetFontColor(TWatchAppearance* A, TColor Color)
{
    TFont F;
    F.Assign(A->HourFont());
    F.SetColor(Color);
    A->SetHourFont(&F);
    F.Assign(A->AMPMFont());
    F.SetColor(Color);
    A->SetAMPMFont(&F);
}

} // namespace watch_styles


void ApplyWatchComponentStyle(TWatchAppearance* A, TQVXStyle AStyle)
{
    A->SetCenterPointOuterBorderColor(clBlack);
    watch_styles::SetFontColor(A, AStyle == tsOffice2007Obsidian ? TColor(0xF2F1F0) : clBlack);
    const auto Row = std::find_if(std::begin(watch_styles::StyleColors), std::end(watch_styles::StyleColors),
                                  [AStyle](const watch_styles::TWatchStyleColors& R) { return R.Style == AStyle; });
    if (Row == std::end(watch_styles::StyleColors))
        return;
    A->StoreAMPMColors(Row->AMPMBorder, Row->AMPMFill);
    A->SetBackgroundColor(Row->Background);
    A->SetBackgroundColorTo(Row->BackgroundTo);
    A->SetBorderColor(Row->Border);
    A->SetCenterPointBorderColor(Row->CenterBorder);
    A->SetCenterPointColor(Row->CenterFill);
    A->SetHourColor(Row->MarksAndHands);
    A->SetMinuteColor(Row->MarksAndHands);
    A->SetHourPointer(Row->MarksAndHands);
    A->SetMinutePointer(Row->MarksAndHands);
    A->SetSecondPointer(Row->Second);
    A->SetHourPointerShadow(Row->Shadows);
    A->SetMinutePointerShadow(Row->Shadows);
}
