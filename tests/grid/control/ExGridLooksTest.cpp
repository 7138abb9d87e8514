// Looks, style presets, colour tones, the older colour schemes, following
// the office theme and the look names.
#include "ExGridTestForm.h"

class ExGridLooksTest : public ::testing::Test {
protected:
    TExGridForm F;
    TTestExGrid* G = F.Grid;
};

TEST_F(ExGridLooksTest, SettingTheCurrentLookChangesNothing)
{
    ASSERT_EQ(G->Look(), glXP);
    G->SetBorderColor(clRed);
    G->SetSelectionColor(clYellow);
    G->SetLook(glXP);
    EXPECT_EQ(G->BorderColor(), clRed);
    EXPECT_EQ(G->SelectionColor(), clYellow);
}

TEST_F(ExGridLooksTest, CustomLookSetsOnlyScrollTypeBorderStyleAndColour)
{
    G->SetSelectionColor(clYellow);
    G->SetGridLineColor(clLime);
    G->ControlLook()->SetFixedGradientFrom(clPurple);
    G->SetQVXGradientFrom(clAqua);
    G->SetScrollType(ssMetro);
    G->SetBorderStyle(bsNone);
    G->SetLook(glCustom);
    EXPECT_EQ(G->Look(), glCustom);
    EXPECT_EQ(G->SelectionColor(), clYellow);
    EXPECT_EQ(G->GridLineColor(), clLime);
    EXPECT_EQ(G->QVXGradientFrom(), clAqua);
    EXPECT_EQ(G->ControlLook()->FixedGradientFrom(), clPurple);
    EXPECT_EQ(G->ScrollType(), ssNormal);
    EXPECT_EQ(G->BorderStyle(), bsSingle);
    EXPECT_EQ(G->BorderColor(), RGB(127, 157, 185));
}

TEST_F(ExGridLooksTest, ClassicLooksResetTheHeaderAndSelectionColours)
{
    G->SetLook(glStandard);
    EXPECT_EQ(G->FixedColor(), clBtnFace);
    EXPECT_EQ(G->ControlLook()->FixedGradientFrom(), clBtnFace);
    EXPECT_EQ(G->ControlLook()->FixedGradientTo(), clNone);
    EXPECT_EQ(G->SelectionColor(), clHighlight);
    EXPECT_EQ(G->SelectionTextColor(), clHighlightText);
    EXPECT_EQ(G->ActiveCellColor(), clGray);
    EXPECT_EQ(G->SearchFooter()->Color(), clBtnFace);
    EXPECT_EQ(G->SelectionStyle(), ssDefault);
    G->SetLook(glQVX);
    EXPECT_EQ(G->SelectionColor(), RGB(182, 202, 234));
    EXPECT_EQ(G->ControlLook()->FixedGradientTo(), clSilver);
    EXPECT_EQ(G->ControlLook()->FixedGradientDownMirrorTo(), RGB(118, 115, 98));
    // The search footer takes the header gradient as the look cleared it.
    EXPECT_EQ(G->SearchFooter()->Color(), clNone);
    EXPECT_EQ(G->SearchFooter()->ColorTo(), clNone);
}

TEST_F(ExGridLooksTest, VistaLookRunsItsPresetAndRemembersIt)
{
    G->SetLook(glVista);
    EXPECT_EQ(G->FCurrentStyle, tsWindowsVista);
    EXPECT_EQ(G->SelectionStyle(), ssVista);
    EXPECT_EQ(G->QVXGradientMirrorFrom(), RGB(247, 248, 250));
    EXPECT_EQ(G->GridLineColor(), RGB(240, 236, 236));
}

TEST_F(ExGridLooksTest, Office2003BlueEndsWithTheSearchFooterFinish)
{
    G->SetStyle(gsOffice2003Blue);
    EXPECT_EQ(G->SearchFooter()->Color(), RGB(203, 225, 252));
    EXPECT_EQ(G->SearchFooter()->ColorTo(), clNone);
}

// A few colours of each preset, applied to a grid in its initial look.
TEST_F(ExGridLooksTest, StylePresetColours)
{
    const struct {
        TExGridStyle Style;
        TGridLook Look;
        TColor QVXFrom, Selection, GridLine, FixedLine;
        TGridSelectionStyle SelStyle;
    } Cases[] = {
        {gsOffice2003Blue, glXP, RGB(203, 225, 252), RGB(251, 230, 148), clSilver, clGray, ssDefault},
        {gsOffice2003Silver, glXP, RGB(225, 226, 236), RGB(251, 230, 148), clSilver, clGray, ssDefault},
        {gsOffice2003Olive, glXP, RGB(234, 240, 207), RGB(251, 230, 148), clSilver, clGray, ssDefault},
        {gsOffice2003Classic, glXP, clWhite, clHighlight, clSilver, clGray, ssDefault},
        {gsOffice2007Luna, glOffice2007, RGB(246, 249, 251), RGB(241, 193, 94), RGB(235, 237, 241),
         RGB(164, 187, 209), ssOffice2007},
        {gsOffice2007Obsidian, glOffice2007, RGB(247, 247, 247), RGB(241, 193, 94), RGB(208, 215, 229), clGray,
         ssOffice2007},
        {gsWindowsXP, glXP, clBtnFace, clHighlight, clSilver, clGray, ssDefault},
        {gsWhidbey, glXP, clWhite, clHighlight, clSilver, clGray, ssDefault},
        {gsOffice2007Silver, glOffice2007, RGB(241, 243, 243), RGB(245, 199, 149), RGB(208, 215, 229), clGray,
         ssOffice2007},
        {gsWindowsVista, glVista, clWhite, RGB(182, 202, 234), RGB(240, 236, 236), RGB(209, 210, 212), ssVista},
        {gsWindows7, glWin7, RGB(250, 252, 253), RGB(182, 202, 234), RGB(240, 236, 236), RGB(209, 210, 212), ssWin7},
        {gsOffice2010Blue, glOffice2007, RGB(218, 231, 245), RGB(183, 219, 255), clSilver, RGB(160, 176, 199),
         ssDefault},
        {gsOffice2010Silver, glOffice2007, RGB(223, 227, 232), RGB(183, 219, 255), clSilver, RGB(177, 181, 186),
         ssDefault},
        {gsOffice2010Black, glOffice2007, RGB(106, 106, 106), RGB(183, 219, 255), clSilver, RGB(68, 68, 68),
         ssDefault},
    };
    for (const auto& C : Cases) {
        TExGridForm Fresh;
        TTestExGrid* Grid = Fresh.Grid;
        Grid->SetStyle(C.Style);
        EXPECT_EQ(Grid->Look(), C.Look) << GetEnumName(C.Style).toStdString();
        EXPECT_EQ(Grid->QVXGradientFrom(), C.QVXFrom) << GetEnumName(C.Style).toStdString();
        EXPECT_EQ(Grid->SelectionColor(), C.Selection) << GetEnumName(C.Style).toStdString();
        EXPECT_EQ(Grid->GridLineColor(), C.GridLine) << GetEnumName(C.Style).toStdString();
        EXPECT_EQ(Grid->GridFixedLineColor(), C.FixedLine) << GetEnumName(C.Style).toStdString();
        EXPECT_EQ(Grid->SelectionStyle(), C.SelStyle) << GetEnumName(C.Style).toStdString();
    }
}

TEST_F(ExGridLooksTest, Office2010SetsTheSortHeaderAndFixedColours)
{
    G->SetStyle(gsOffice2010Silver);
    EXPECT_EQ(G->SortSettings()->HeaderColor(), RGB(170, 170, 170));
    EXPECT_EQ(G->SortSettings()->HeaderMirrorColorTo(), RGB(170, 170, 170));
    EXPECT_EQ(G->ControlLook()->FixedGradientFrom(), clNone);
    EXPECT_EQ(G->ControlLook()->FixedGradientMirrorFrom(), RGB(223, 227, 232));
    EXPECT_EQ(G->ControlLook()->FixedGradientDownBorder(), RGB(194, 138, 48));
    // The preset clears the grid's hover colour; the look's hover colour then reaches it.
    EXPECT_EQ(G->QVXGradientHoverFrom(), RGB(255, 223, 107));
    EXPECT_EQ(G->SearchFooter()->Color(), RGB(223, 227, 232));
}

TEST_F(ExGridLooksTest, TerminalAndCustomStyles)
{
    G->SetSelectionColor(clYellow);
    G->SetStyle(gsCustom);
    EXPECT_EQ(G->Look(), glXP);
    EXPECT_EQ(G->SelectionColor(), clHighlight);
    EXPECT_EQ(G->ControlLook()->FixedGradientHoverBorder(), clSilver);
    G->SetStyle(gsTerminal);
    EXPECT_EQ(G->Look(), glStandard);
}

TEST_F(ExGridLooksTest, ComponentStyleKeepsMetroScrollBarsOnlyForCustom)
{
    G->SetScrollType(ssMetro);
    G->SetComponentStyle(tsCustom);
    EXPECT_EQ(G->ScrollType(), ssMetro);
    EXPECT_EQ(G->FCurrentStyle, tsCustom);
    G->SetComponentStyle(tsOffice2003Olive);
    EXPECT_EQ(G->ScrollType(), ssNormal);
    EXPECT_EQ(G->FCurrentStyle, tsOffice2003Olive);
    EXPECT_EQ(G->QVXGradientFrom(), RGB(234, 240, 207));
}

TEST_F(ExGridLooksTest, ColorTonesEndClassicFlatAndMetro)
{
    TColorTones T;
    T.Background = {RGB(250, 250, 250), RGB(200, 200, 200), RGB(10, 10, 10)};
    T.Foreground = {RGB(100, 150, 200), clNone, clWhite};
    T.Selected = {RGB(0, 120, 215), clNone, clWhite};
    G->SetColorTones(T);
    EXPECT_EQ(G->Look(), glClassic);
    EXPECT_TRUE(G->Flat());
    EXPECT_EQ(G->ScrollType(), ssMetro);
    EXPECT_EQ(G->FixedColor(), RGB(100, 150, 200));
    EXPECT_EQ(G->Color(), RGB(250, 250, 250));
    EXPECT_EQ(G->Font()->Color(), RGB(10, 10, 10));
    EXPECT_EQ(G->FixedFont()->Color(), clWhite);
    EXPECT_EQ(G->SelectionColor(), RGB(0, 120, 215));
    EXPECT_EQ(G->GridLineColor(), RGB(230, 230, 230));
    EXPECT_EQ(G->GridFixedLineColor(), RGB(80, 120, 160));
    EXPECT_EQ(G->BorderStyle(), bsNone);
    EXPECT_EQ(G->ControlLook()->ControlStyle(), csGlyph);
    EXPECT_EQ(G->ControlLook()->CheckedGlyph()->Width(), 15);
    EXPECT_FALSE(G->ControlLook()->RadioOffGlyph()->Empty());
    EXPECT_TRUE(G->ControlLook()->FlatButton());
    EXPECT_EQ(G->SearchFooter()->ColorTo(), RGB(100, 150, 200));
    EXPECT_EQ(G->FloatingFooter()->Color(), RGB(100, 150, 200));
    EXPECT_EQ(G->CellNode()->NodeType(), cnFlat);
    EXPECT_EQ(G->Tones().Selected.BrushColor, RGB(0, 120, 215));
}

TEST_F(ExGridLooksTest, ColourSchemes)
{
    G->SetTheme(xpGreen);
    EXPECT_EQ(G->QVXGradientFrom(), RGB(234, 240, 207));
    EXPECT_EQ(G->ControlLook()->FixedGradientTo(), RGB(177, 192, 140));
    EXPECT_EQ(G->ActiveCellColorTo(), RGB(238, 149, 21));
    G->SetTheme(vistaAero);
    EXPECT_EQ(G->QVXGradientMirrorTo(), RGB(241, 242, 244));
    EXPECT_EQ(G->SearchFooter()->Color(), RGB(225, 226, 236));
    G->SetTheme(xpNone);
    EXPECT_EQ(G->ControlLook()->FixedGradientFrom(), clNone);
    EXPECT_EQ(G->SearchFooter()->ColorTo(), RGB(179, 217, 255));
}

TEST_F(ExGridLooksTest, OfficeThemeIsFollowedOnlyWhenItChanges)
{
    // No office suite here: the detected theme is the classic one.
    G->FOldOfficeTheme = otUnknown;
    G->AdaptToOfficeTheme();
    EXPECT_EQ(G->FOldOfficeTheme, GetOfficeTheme());
    EXPECT_EQ(G->QVXGradientTo(), RGB(216, 212, 204));
    G->SetQVXGradientFrom(clRed);
    G->AdaptToOfficeTheme();
    EXPECT_EQ(G->QVXGradientFrom(), clRed);
}

TEST_F(ExGridLooksTest, LookNames)
{
    const char* Names[] = {"glStandard", "glSoft", "glClassic", "glQVX", "glXP", "glListView", "glVista", "glWin7",
                           "glOffice2007"};
    const char* Display[] = {"Standard",  "Soft",          "Classic",   "QVX",       "Windows XP",
                             "ListView",  "Windows Vista", "Windows 7", "Office2007"};
    for (Integer L = glStandard; L <= glOffice2007; ++L) {
        EXPECT_EQ(TExStringGrid::LookToString(TGridLook(L)), QLatin1String(Names[L]));
        EXPECT_EQ(TExStringGrid::LookToDisplayName(TGridLook(L)), QLatin1String(Display[L]));
    }
    EXPECT_TRUE(TExStringGrid::LookToString(glCustom).isEmpty());
}

TEST_F(ExGridLooksTest, URLSettersRepaintOnlyWhileShown)
{
    G->SetURLColor(clRed);
    G->SetURLFull(true);
    EXPECT_EQ(G->URLColor(), clRed);
    EXPECT_TRUE(G->URLFull());
    G->SetURLShow(true);
    EXPECT_TRUE(G->URLShow());
}
