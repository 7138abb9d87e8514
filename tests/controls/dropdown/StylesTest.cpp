// The colour presets of the drop-downs: the component styles, the colour
// tones and the selection presets.
#include "controls/dropdown/ExItemSelector.h"

#include "DropDownFixture.h"

#include <array>

namespace {

// A table cell that leaves the value as it was.
constexpr TColor Kept = TColor(0x3FFFFFFF);

struct TStyleRow {
    TQVXStyle Style;
    // Pop-up colour, colour-to, border; header and footer colour, colour-to,
    // font colour, border.
    std::array<TColor, 11> Popup;
    // Normal, hot, down (colour, to, border), disabled (colour, to), checked
    // (colour, to, border).
    std::array<TColor, 14> Buttons;
    // Hot, hot mirror, selected, selected mirror (colour, to), border, top,
    // bottom, edge, selected text.
    std::array<TColor, 13> Items;
};

// The expected colours of each style, typed independently of the style code's tables.
const std::vector<TStyleRow> StyleRows = {
    {tsOffice2003Blue,
     {0xFFFFFF, clNone, Kept, 0xFCE1CB, 0xE0A57D, 0x000000, 0x000000, 0xFCE1CB, 0xE0A57D, 0x000000, 0x962D00},
     {0xFCE1CB, 0xE0A57D, clNone, 0xEBFDFF, 0xACECFF, 0x99CEDB, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0xF2F2F2, 0xB6B6B6, 0x76AFF1, 0x4190F3, 0x45667B},
     {0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0x7AE1FE, 0x42AEFE, clNone, clNone, clNone, 0x000000}},
    {tsOffice2003Silver,
     {0xFFFFFF, clNone, Kept, 0xECE2E1, 0xB39698, 0x000000, 0x947C7C, 0xECE2E1, 0xB39698, 0x000000, 0x947C7C},
     {0xECE2E1, 0xB39698, clNone, 0xEBFDFF, 0xACECFF, 0x99CEDB, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0xF2F2F2, 0xB6B6B6, 0x76AFF1, 0x4190F3, 0x45667B},
     {0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0x7AE1FE, 0x42AEFE, clNone, clNone, clNone, 0x000000}},
    {tsOffice2003Olive,
     {0xFFFFFF, clNone, clNone, 0xCFF0EA, 0x8CC0B1, 0x000000, 0x588060, 0xCFF0EA, 0x8CC0B1, 0x000000, 0x588060},
     {0xCFF0EA, 0x8CC0B1, clNone, 0xEBFDFF, 0xACECFF, 0x99CEDB, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0xF2F2F2, 0xB6B6B6, 0x76AFF1, 0x4190F3, 0x45667B},
     {0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0x7AE1FE, 0x42AEFE, clNone, clNone, clNone, 0x000000}},
    {tsOffice2003Classic,
     {0xF2F2F2, 0xF2F2F2, clNone, 0x808080, 0x808080, 0xFFFFFF, 0x808080, 0x808080, 0x808080, 0xFFFFFF, 0x808080},
     {0xFFFFFF, 0xC9D1D5, clNone, 0xD2BDB6, 0xD2BDB6, 0x808080, 0xB59285, 0xB59285, 0x808080, 0xD8D5D4, 0xD8D5D4, 0xD8D5D4, 0xD8D5D4, 0x808080},
     {0xD2BDB6, 0xD2BDB6, clNone, clNone, 0xB59285, 0xB59285, clNone, clNone, 0x808080, clNone, clNone, clNone, 0x000000}},
    {tsOffice2007Luna,
     {0xF3E5DA, 0xF0DED0, clNone, 0xFFEFE3, 0xFFD2AF, 0x723708, 0xFFD2AF, 0xFFEFE3, 0xFFD2AF, 0x723708, 0xFFD2AF},
     {0xFFEFE3, 0xFFDDC4, clNone, 0xEBFDFF, 0xACECFF, 0x99CEDB, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0xF2F2F2, 0xB6B6B6, 0x76AFF1, 0x4190F3, 0x45667B},
     {0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0x7AE1FE, 0x42AEFE, 0xF4FEFF, 0xCAF8FF, 0xC3D9DF, 0x000000}},
    {tsOffice2007Obsidian,
     {0xFFFFFF, clNone, clNone, 0xF2F1F0, 0xC9C2BD, 0x433C37, 0x5C534C, 0xF2F1F0, 0xC9C2BD, 0x433C37, 0x5C534C},
     {0xF2F1F0, 0xC9C2BD, clNone, 0xEBFDFF, 0xACECFF, 0x99CEDB, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0xF2F2F2, 0xB6B6B6, 0x76AFF1, 0x4190F3, 0x45667B},
     {0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0x7AE1FE, 0x42AEFE, 0xF4FEFF, 0xCAF8FF, 0xC3D9DF, 0x000000}},
    {tsWindowsXP,
     {0xFFFFFF, clNone, Kept, 0xFFFFFF, clBtnFace, 0x000000, 0x808080, 0xFFFFFF, clBtnFace, 0x000000, 0x808080},
     {0xFFFFFF, clBtnFace, clNone, 0xEFD3C6, 0xEFD3C6, clHighlight, clInactiveCaption, clInactiveCaption, clHighlight, 0xB6B6B6, 0xB6B6B6, 0xB9D8DC, 0xB9D8DC, 0x000000},
     {0xEFD3C6, 0xEFD3C6, clNone, clNone, clHighlight, clNone, clNone, clNone, clHighlight, clNone, clNone, clNone, clHighlightText}},
    {tsWhidbey,
     {0xF5F9FA, 0xF5F9FA, clNone, 0xEBEEEF, 0x7E9898, 0xFFFFFF, 0x962D00, 0xEBEEEF, 0x7E9898, 0xFFFFFF, 0x962D00},
     {0xFFFFFF, 0xDFEDF0, clNone, 0xEBFDFF, 0xACECFF, 0x99CEDB, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0xF2F2F2, 0xB6B6B6, 0x76AFF1, 0x4190F3, 0x45667B},
     {0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0x7AE1FE, 0x42AEFE, clNone, clNone, clNone, 0x000000}},
    {tsOffice2007Silver,
     {0xF8F4F1, 0xF0E8E3, clNone, 0xF8F7F6, 0xE8E0DB, 0x8B4215, 0x74706F, 0xF8F7F6, 0xE8E0DB, 0x8B4215, 0x74706F},
     {0xF9F8F8, 0xE4E2DF, clNone, 0xEBFDFF, 0xACECFF, 0x99CEDB, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0xF2F2F2, 0xB6B6B6, 0x76AFF1, 0x4190F3, 0x45667B},
     {0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0x7AE1FE, 0x42AEFE, 0xF4FEFF, 0xCAF8FF, 0xC3D9DF, 0x000000}},
    {tsWindowsVista,
     {0xFFFFFF, 0xFFFFFF, 0x979797, 0xFFFDF9, 0xFFFAF0, 0x000000, 0xFCF2DA, 0xFFFAF0, 0xFFFDF9, 0x000000, 0xFCF2DA},
     {0xFFFDF9, 0xFFFAF0, 0xFCF2DA, 0xFEF9F0, 0xFFFAF0, 0xFCF2DA, 0xFEF9F0, 0xFDF0D7, 0xFEDF9A, 0xFFFFFF, 0xFFFFFF, 0xFEF9F0, 0xFDF0D7, 0xFEDF9A},
     {0xFFFDF9, 0xFFFAF0, clNone, clNone, 0xFEF9F0, 0xFDF0D7, clNone, clNone, 0xFEDF9A, 0xFDFBF6, 0xFDF5E7, 0xFCEDCB, 0x000000}},
    {tsWindows7,
     {0xFFFFFF, 0xFFFFFF, 0x979797, 0xFDFBFA, 0xFDF3EB, 0x000000, 0xFBD6B8, 0xFDFBFA, 0xFDF3EB, 0x000000, 0xFBD6B8},
     {0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFCEBDC, 0xFCDBC1, 0xCEA27D, 0xFFFFFF, 0xFFFFFF, 0xFEF9F0, 0xFCDBC1, 0xCEA27D},
     {0xFDFBFA, 0xFDF3EB, clNone, clNone, 0xFCEBDC, 0xFCDBC1, clNone, clNone, 0xCEA27D, 0xFDF4EB, 0xFDEADB, 0xE0C5AE, 0x000000}},
    {tsTerminal,
     {0xFFFFFF, 0xFFFFFF, 0x808080, clBtnFace, clBtnFace, 0x000000, clNone, clBtnFace, clBtnFace, 0x000000, clNone},
     {clBtnFace, clBtnFace, clNone, 0xC0C0C0, 0xC0C0C0, 0x808080, clHighlight, clHighlight, 0x808080, clBtnFace, clBtnFace, clBtnFace, clBtnFace, clHighlight},
     {0xC0C0C0, 0xC0C0C0, clNone, clNone, clHighlight, clNone, clNone, clNone, 0x808080, clNone, clNone, clNone, clHighlightText}},
    {tsOffice2010Blue,
     {0xFFFFFF, 0xF1EFED, 0xEDEDEC, 0xFDF6EF, 0xF0DAC7, 0x5B391E, 0xC7B29F, 0xFDF6EF, 0xF0DAC7, 0x5B391E, 0xC7B29F},
     {0xFDF6EF, 0xF0DAC7, 0xC7B29F, 0x8AE3FD, clNone, 0x58CAF1, 0x6CD0FF, clNone, 0x308AC2, 0xF2F2F2, 0xB6B6B6, 0x45E1FE, clNone, 0x4FA0CE},
     {0xD9F9FD, 0x8AE3FD, 0x8AE3FD, 0xD9F9FD, 0x7BEEFF, 0x6CD0FF, 0x6CD0FF, 0x7BEEFF, 0x308AC2, clNone, clNone, clNone, 0x000000}},
    {tsOffice2010Silver,
     {0xFFFFFF, 0xF1EFED, 0xEDEDEC, 0xFFFFFF, 0xEDE5E0, 0x5B391E, 0xD2CDC8, 0xFFFFFF, 0xEDE5E0, 0x5B391E, 0xD2CDC8},
     {0xFFFFFF, 0xEDE5E0, 0xD2CDC8, 0x8AE3FD, clNone, 0x58CAF1, 0x6CD0FF, clNone, 0x308AC2, 0xF2F2F2, 0xB6B6B6, 0x45E1FE, clNone, 0x4FA0CE},
     {0xD9F9FD, 0x8AE3FD, 0x8AE3FD, 0xD9F9FD, 0x7BEEFF, 0x6CD0FF, 0x6CD0FF, 0x7BEEFF, 0x308AC2, clNone, clNone, clNone, 0x000000}},
    {tsOffice2010Black,
     {0xFFFFFF, 0xF1EFED, 0xEDEDEC, 0xBFBFBF, 0x919191, 0xD7D7D6, 0x6D6D6D, 0xBFBFBF, 0x919191, 0xD7D7D6, 0x6D6D6D},
     {0xBFBFBF, 0x919191, 0xD7D7D6, 0x8AE3FD, clNone, 0x58CAF1, 0x6CD0FF, clNone, 0x308AC2, 0xF2F2F2, 0xB6B6B6, 0x45E1FE, clNone, 0x4FA0CE},
     {0xD9F9FD, 0x8AE3FD, 0x8AE3FD, 0xD9F9FD, 0x7BEEFF, 0x6CD0FF, 0x6CD0FF, 0x7BEEFF, 0x308AC2, clNone, clNone, clNone, 0x000000}},
};


class StylesTest : public DropDownFixture {
protected:
    void SetUp() override
    {
        DropDownFixture::SetUp();
        D = MakeDropDown();
    }
    static void ExpectColour(TColor Actual, TColor Expected, TColor Before, const char* What)
    {
        EXPECT_EQ(Actual, Expected == Kept ? Before : Expected) << What;
    }
    TExCustomDropDown* D = nullptr;
};

} // namespace

TEST_F(StylesTest, EveryStyleSetsEveryTargetOfItsRows)
{
    ASSERT_EQ(StyleRows.size(), 15u);
    constexpr TColor Marker = 0x123456;
    for (const TStyleRow& Row : StyleRows) {
        SCOPED_TRACE(GetEnumName(Row.Style).toStdString());
        D->SetDropDownBorderColor(Marker);
        int HeaderEvents = 0, FooterEvents = 0;
        D->DropDownHeader()->OnChange = [&](TObject*) { ++HeaderEvents; };
        D->DropDownFooter()->OnChange = [&](TObject*) { ++FooterEvents; };
        D->SetComponentStyle(Row.Style);
        EXPECT_EQ(D->GetComponentStyle(), Row.Style);
        EXPECT_EQ(HeaderEvents + FooterEvents, 0);
        const auto& P = Row.Popup;
        ExpectColour(D->DropDownColor(), P[0], 0, "DropDownColor");
        ExpectColour(D->DropDownColorTo(), P[1], 0, "DropDownColorTo");
        ExpectColour(D->DropDownBorderColor(), P[2], Marker, "DropDownBorderColor");
        for (auto [Bar, First] : {std::pair<TDropDownBarAppearance*, int>{D->DropDownHeader(), 3},
                                  std::pair<TDropDownBarAppearance*, int>{D->DropDownFooter(), 7}}) {
            EXPECT_EQ(Bar->Color(), P[First]) << First;
            EXPECT_EQ(Bar->ColorTo(), P[First + 1]) << First;
            EXPECT_EQ(Bar->Font()->Color(), P[First + 2]) << First;
            EXPECT_EQ(Bar->BorderColor(), P[First + 3]) << First;
        }
        const TExButtonAppearance* B = D->ButtonAppearance();
        const std::array<TColor, 14> Buttons = {
            B->Color(),     B->ColorTo(),     B->BorderColor(),     B->ColorHot(),      B->ColorHotTo(),
            B->BorderColorHot(), B->ColorDown(), B->ColorDownTo(), B->BorderColorDown(), B->ColorDisabled(),
            B->ColorDisabledTo(), B->ColorChecked(), B->ColorCheckedTo(), B->BorderColorChecked()};
        for (size_t I = 0; I < Buttons.size(); ++I)
            EXPECT_EQ(Buttons[I], Row.Buttons[I]) << "button colour " << I;
        TItemAppearance A(nullptr);
        A.SetBorderColorHot(Marker);
        A.SetColorHotText(Marker);
        D->SetItemAppearanceStyle(&A, Row.Style);
        const std::array<TColor, 13> Items = {
            A.ColorHot(),      A.ColorHotTo(),     A.ColorMirrorHot(),  A.ColorMirrorHotTo(),
            A.ColorSelected(), A.ColorSelectedTo(), A.ColorMirrorSelected(), A.ColorMirrorSelectedTo(),
            A.BorderColor(),   A.BorderColorTop(), A.BorderColorBottom(), A.EdgeColor(), A.ColorSelectedText()};
        for (size_t I = 0; I < Items.size(); ++I)
            EXPECT_EQ(Items[I], Row.Items[I]) << "item colour " << I;
        EXPECT_EQ(A.BorderColorHot(), clNone);
        EXPECT_EQ(A.BorderColorSelected(), clNone);
        EXPECT_EQ(A.ColorHotText(), clBlack);
    }
}

TEST_F(StylesTest, CustomOnlyRecordsTheStyle)
{
    D->SetComponentStyle(tsWindows7);
    TItemAppearance A(nullptr);
    A.SetBorderColorHot(0x123456);
    const TColor Before[] = {D->DropDownColor(), D->DropDownBorderColor(), D->DropDownHeader()->Color(),
                             D->DropDownFooter()->BorderColor(), D->ButtonAppearance()->ColorHot()};
    D->SetComponentStyle(tsCustom);
    D->SetItemAppearanceStyle(&A, tsCustom);
    D->SetItemAppearanceStyle(nullptr, tsWindows7);
    EXPECT_EQ(D->GetComponentStyle(), tsCustom);
    const TColor After[] = {D->DropDownColor(), D->DropDownBorderColor(), D->DropDownHeader()->Color(),
                            D->DropDownFooter()->BorderColor(), D->ButtonAppearance()->ColorHot()};
    for (size_t I = 0; I < std::size(Before); ++I)
        EXPECT_EQ(After[I], Before[I]) << I;
    EXPECT_EQ(A.BorderColorHot(), TColor(0x123456));
}

TEST_F(StylesTest, AStoredStyleIsNotApplied)
{
    EXPECT_EQ(D->GetComponentStyle(), tsOffice2007Luna);
    EXPECT_EQ(D->DropDownColor(), TColor(0xF3E5DA));
    D->WriteQVXStyle(3);
    EXPECT_EQ(D->GetComponentStyle(), tsOffice2003Classic);
    EXPECT_EQ(D->DropDownColor(), TColor(0xF3E5DA));
    D->WriteSelectionColorStyle(int(scWindows7));
    EXPECT_EQ(D->SelectionColorStyle(), scWindows7);
    EXPECT_EQ(D->SelectionColor(), TColor(0xD7FFFD));
}

TEST_F(StylesTest, ColorTonesChangeTheBorderAndTheButtonOnly)
{
    TColorTones T;
    T.Background = {0x111111, 0x222222, 0x333333};
    T.Hover = {0x444444, 0x555555, 0x666666};
    T.Selected = {0x777777, 0x888888, 0x999999};
    const TColor PopUp = D->DropDownColor(), Header = D->DropDownHeader()->Color();
    D->SetColorTones(T);
    EXPECT_EQ(D->BorderColor(), TColor(0x222222));
    EXPECT_EQ(D->Button()->ButtonColor(), TColor(0x111111));
    EXPECT_EQ(D->Button()->ButtonColorHot(), TColor(0x444444));
    EXPECT_EQ(D->Button()->ButtonColorDown(), TColor(0x777777));
    EXPECT_EQ(D->Button()->ButtonBorderColor(), TColor(0x222222));
    EXPECT_EQ(D->DropDownColor(), PopUp);
    EXPECT_EQ(D->DropDownHeader()->Color(), Header);
}

TEST_F(StylesTest, SelectionPresetsAndTheirEdges)
{
    struct TCase {
        TSelectionColorStyle Style;
        TColor Color, ColorTo, TopLine, InnerCorner;
    };
    const TCase Cases[] = {{scOffice2007, 0xD7FFFD, 0x58D4FC, 0x8DD7D3, 0xC3D9DF},
                           {scWindowsVista, 0xFDF8F1, 0xFCEFD5, 0xFDDE99, 0xFCEDCB},
                           {scWindows7, 0xFCEBDC, 0xFCDBC1, 0xCEA27D, 0xE0C5AE}};
    const auto Rgb = [](TColor C) { return qRgb(C & 0xFF, (C >> 8) & 0xFF, (C >> 16) & 0xFF); };
    for (const TCase& C : Cases) {
        D->SetSelectionColorStyle(C.Style);
        EXPECT_EQ(D->SelectionColor(), C.Color);
        EXPECT_EQ(D->SelectionColorTo(), C.ColorTo);
        TBitmap B;
        B.SetSize(40, 20);
        D->DrawSelectionBackground(B.Canvas(), TRect(0, 0, 40, 20), clRed, 0);
        B.Canvas()->Release();
        const QImage Image = B.Image();
        EXPECT_EQ(Image.pixel(20, 0), Rgb(C.TopLine)) << int(C.Style);
        EXPECT_EQ(Image.pixel(1, 0), Rgb(C.InnerCorner)) << int(C.Style);
        EXPECT_EQ(Image.pixel(0, 0), Rgb(clRed)) << int(C.Style);
    }
    // Custom keeps the colours and fills the rectangle with them.
    D->SetSelectionColor(0x00FF00);
    D->SetSelectionColorStyle(scCustom);
    EXPECT_EQ(D->SelectionColor(), TColor(0x00FF00));
    TBitmap B;
    B.SetSize(10, 10);
    D->DrawSelectionBackground(B.Canvas(), TRect(0, 0, 10, 10), clRed, 0);
    B.Canvas()->Release();
    EXPECT_EQ(B.Image().pixel(0, 0), Rgb(0x00FF00));
    EXPECT_EQ(B.Image().pixel(5, 5), Rgb(0x00FF00));
}
