// The grid's button and check box on an offscreen form: toggling, groups,
// clicks, looks, glyphs, the drop-down part, the layout of glyph and
// caption, theme adaptation and actions; the check box's clicks and keys,
// its box in both looks and its transparency.
#include "grid/base/ExObj.h"

#include "rtl/ActnList.h"
#include "rtl/Forms.h"
#include "rtl/Menus.h"
#include "rtl/Themes.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

class TProbeButton : public TExGridButton {
public:
    using TExGridButton::TExGridButton;
    TButtonState State() const { return FState; }
};

struct ButtonForm {
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    Integer Clicks = 0;

    ButtonForm()
    {
        Form->SetBounds(0, 0, 300, 160);
        Form->Show();
        QApplication::setActiveWindow(Form->Handle());
    }

    TProbeButton* Add(Integer Left, Integer Top = 10, Integer Width = 40, Integer Height = 22)
    {
        auto* B = new TProbeButton(Form.get());
        B->SetParent(Form.get());
        B->SetBounds(Left, Top, Width, Height);
        B->OnClick = [this](TObject*) { ++Clicks; };
        return B;
    }

    QImage Grab(TControl* C) const
    {
        C->Repaint();
        return Form->Handle()->grab(ToQRect(C->BoundsRect())).toImage();
    }
};

void Click(TControl* C, QPoint At = QPoint(5, 5))
{
    QTest::mouseClick(C->Handle(), Qt::LeftButton, Qt::NoModifier, At);
}

// A glyph of W x H in the transparent colour (its bottom-left pixel) with a
// red square of Inner x Inner at (2, 2).
std::unique_ptr<TBitmap> Glyph(Integer W, Integer H, Integer Inner)
{
    auto B = std::make_unique<TBitmap>(W, H);
    B->Canvas()->Brush()->SetColor(clFuchsia);
    B->Canvas()->FillRect(TRect(0, 0, W, H));
    B->Canvas()->Brush()->SetColor(clRed);
    B->Canvas()->FillRect(Bounds(2, 2, Inner, Inner));
    B->Canvas()->Release();
    return B;
}

// The top-left pixel of colour C in Image, (-1, -1) when none.
QPoint FirstPixel(const QImage& Image, QColor C)
{
    for (int Y = 0; Y < Image.height(); ++Y)
        for (int X = 0; X < Image.width(); ++X)
            if (Image.pixelColor(X, Y) == C)
                return QPoint(X, Y);
    return QPoint(-1, -1);
}

// The leftmost column holding a pixel of the font colour (black), -1 when none.
int FirstTextColumn(const QImage& Image)
{
    for (int X = 0; X < Image.width(); ++X)
        for (int Y = 0; Y < Image.height(); ++Y)
            if (Image.pixelColor(X, Y) == QColor(0, 0, 0))
                return X;
    return -1;
}

Integer TextWidth(TControl* C, const String& Text)
{
    TBitmap B(1, 1);
    B.Canvas()->Font()->Assign(C->Font());
    TRect R(0, 0, 1000, 0);
    DrawText(B.Canvas(), Text, -1, R, DT_CALCRECT);
    return R.Width();
}

} // namespace

TEST(ExGridButton, StartsAsACompactFlatButton)
{
    TExGridButton B(nullptr);
    EXPECT_EQ(B.Width(), 23);
    EXPECT_EQ(B.Height(), 22);
    EXPECT_TRUE(B.Flat());
    EXPECT_TRUE(B.Shaded());
    EXPECT_TRUE(B.ShowCaption());
    EXPECT_EQ(B.Margin(), -1);
    EXPECT_EQ(B.Spacing(), 4);
    EXPECT_EQ(B.Layout(), blGlyphLeft);
    EXPECT_EQ(B.Look(), 0);
    EXPECT_EQ(B.ColorHot(), TColor(0xCAC7C7));
    EXPECT_EQ(B.ColorDown(), TColor(0xD8D3D2));
    EXPECT_EQ(B.ColorChecked(), TColor(0x808080));
    EXPECT_EQ(B.Color(), clBtnFace);
    EXPECT_FALSE(B.ControlStyle().Contains(csClickEvents));
    B.SetMargin(-2);
    EXPECT_EQ(B.Margin(), -1) << "margins below -1 are refused";
}

TEST(ExGridButton, ACheckButtonTogglesOnEveryClickAndStaysDownWhileDown)
{
    ButtonForm F;
    TProbeButton* B = F.Add(10);
    B->SetStyle(tasCheck);
    Click(B);
    EXPECT_TRUE(B->Down());
    F.Grab(B);
    EXPECT_EQ(B->State(), bsDown);
    Click(B);
    EXPECT_FALSE(B->Down());
    F.Grab(B);
    EXPECT_EQ(B->State(), bsUp);
    Click(B);
    EXPECT_TRUE(B->Down());
    EXPECT_EQ(F.Clicks, 3);
}

TEST(ExGridButton, GroupButtonsReleaseEachOtherAndTheDownOneStaysDown)
{
    ButtonForm F;
    TProbeButton* Buttons[3] = {F.Add(10), F.Add(60), F.Add(110)};
    for (TProbeButton* B : Buttons)
        B->SetGroupIndex(1);
    Click(Buttons[0]);
    EXPECT_TRUE(Buttons[0]->Down());
    Click(Buttons[1]);
    EXPECT_FALSE(Buttons[0]->Down());
    EXPECT_TRUE(Buttons[1]->Down());
    EXPECT_FALSE(Buttons[2]->Down());
    Click(Buttons[1]);
    EXPECT_TRUE(Buttons[1]->Down()) << "without AllowAllUp the down button stays down";
    Buttons[2]->SetAllowAllUp(true);
    EXPECT_TRUE(Buttons[0]->AllowAllUp()) << "the group takes the sender's AllowAllUp";
    Click(Buttons[1]);
    EXPECT_FALSE(Buttons[1]->Down());
    EXPECT_EQ(F.Clicks, 4);

    // A plain button is never down.
    TProbeButton* Plain = F.Add(160);
    Plain->SetDown(true);
    EXPECT_FALSE(Plain->Down());
}

TEST(ExGridButton, ReleasingOutsideGivesNoClick)
{
    ButtonForm F;
    TProbeButton* B = F.Add(10);
    QTest::mousePress(B->Handle(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(B->State(), bsDown);
    QTest::mouseRelease(B->Handle(), Qt::LeftButton, Qt::NoModifier, QPoint(60, 5));
    EXPECT_EQ(F.Clicks, 0);
    EXPECT_EQ(B->State(), bsUp);
    Click(B);
    EXPECT_EQ(F.Clicks, 1);
}

TEST(ExGridButton, LooksSetTheirTenColoursAndRoundedness)
{
    struct TLook {
        TColor Color, ColorTo, ColorHot, ColorHotTo, ColorDown, ColorDownTo, ColorChecked, ColorCheckedTo,
            BorderDownColor, BorderHotColor;
    };
    const TLook Looks[7] = {
        {0xEDF1F1, 0xDFEBEB, 0xFAFCFC, 0xE5ECED, 0xE0E6E7, 0xD8E0E1, 0xFFFFFF, clNone, 0xAF987A, 0xC3CECE},
        {clBtnFace, clNone, 0xEED2C1, clNone, 0xE2B598, clNone, 0xE8E6E1, clNone, 0xC56A31, 0xC56A31},
        {0xFDEADA, 0xE4AE88, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, 0x000000, 0x000000},
        {0xCFF0EA, 0x8CC0B1, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, 0x000000, 0x000000},
        {0xECE2E1, 0xB39698, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, 0x000000, 0x000000},
        {clBtnFace, clNone, clBtnFace, clNone, 0xD8D3D2, clNone, 0xCAC7C7, clNone, clNone, clNone},
        {0xCAFFFF, 0xA6FFFF, 0xA8F0FD, 0x7CE9FC, 0x4DE0FB, 0x7AE9FC, 0xB5E6F2, 0x9CDDED, 0x808080, 0x808080},
    };
    for (Integer L = 0; L < 7; ++L) {
        TExGridButton B(nullptr);
        B.SetFlat(false);
        B.SetBorderColor(clRed);
        B.SetRounded(L != 0);
        B.SetLook(L);
        const TLook& E = Looks[L];
        const TColor Got[10] = {B.Color(),     B.ColorTo(),     B.ColorHot(),     B.ColorHotTo(),
                                B.ColorDown(), B.ColorDownTo(), B.ColorChecked(), B.ColorCheckedTo(),
                                B.BorderDownColor(), B.BorderHotColor()};
        const TColor Want[10] = {E.Color,     E.ColorTo,     E.ColorHot,     E.ColorHotTo,      E.ColorDown,
                                 E.ColorDownTo, E.ColorChecked, E.ColorCheckedTo, E.BorderDownColor, E.BorderHotColor};
        for (int I = 0; I < 10; ++I)
            EXPECT_EQ(Got[I], Want[I]) << "look " << L << " colour " << I;
        EXPECT_EQ(B.Look(), L);
        EXPECT_EQ(B.Rounded(), L == 0);
        EXPECT_TRUE(B.Flat());
        EXPECT_EQ(B.BorderColor(), clNone);
    }
    TExGridButton B(nullptr);
    B.SetLook(4);
    B.SetLook(7);
    B.SetLook(-1);
    EXPECT_EQ(B.Look(), 4);
    EXPECT_EQ(B.Color(), TColor(0xECE2E1));
}

TEST(ExGridButton, TheDisabledGlyphIsGreyAndTheShadowIsTheGlyphsShape)
{
    TExGridButton B(nullptr);
    TBitmap White(2, 2);
    B.SetGlyph(&White);
    EXPECT_EQ(B.GlyphDisabled()->Canvas()->Pixels(1, 1), RGB(223, 223, 223));
    TExGridButton C(nullptr);
    TBitmap Black(2, 2);
    Black.Canvas()->Brush()->SetColor(clBlack);
    Black.Canvas()->FillRect(TRect(0, 0, 2, 2));
    C.SetGlyph(&Black);
    EXPECT_EQ(C.GlyphDisabled()->Canvas()->Pixels(0, 0), RGB(96, 96, 96));
    // A disabled glyph of its own stays.
    C.SetGlyph(&White);
    EXPECT_EQ(C.GlyphDisabled()->Canvas()->Pixels(0, 0), RGB(96, 96, 96));

    const std::unique_ptr<TBitmap> G = Glyph(6, 6, 2);
    B.SetGlyph(G.get());
    B.SetShaded(true);
    TBitmap* Shade = B.GlyphShade();
    ASSERT_EQ(Shade->Width(), 6);
    for (Integer Y = 0; Y < 6; ++Y)
        for (Integer X = 0; X < 6; ++X) {
            const bool Inside = X >= 2 && X < 4 && Y >= 2 && Y < 4;
            EXPECT_EQ(Shade->Canvas()->Pixels(X, Y), Inside ? TColor(0x808080) : clFuchsia) << X << "," << Y;
        }
}

TEST(ExGridButton, TheDropDownPartRaisesOnDropDownAndPopsTheMenuWithoutAClick)
{
    ButtonForm F;
    TProbeButton* B = F.Add(10, 10, 60);
    B->SetDropDownButton(true);
    auto* Menu = new TPopupMenu(F.Form.get());
    auto* Item = new TMenuItem(Menu);
    Item->SetCaption("One");
    Menu->Items()->Add(Item);
    Integer DropDowns = 0, Popups = 0;
    B->OnDropDown = [&](TObject*) { ++DropDowns; };
    Menu->OnPopup = [&](TObject*) { ++Popups; };
    B->SetDropDownMenu(Menu);
    Click(B, QPoint(55, 5));
    EXPECT_EQ(DropDowns, 1);
    EXPECT_EQ(Popups, 1);
    EXPECT_EQ(F.Clicks, 0);
    Menu->ClosePopup();
    Click(B, QPoint(40, 5));
    EXPECT_EQ(DropDowns, 1);
    EXPECT_EQ(F.Clicks, 1);
    delete Menu;
    EXPECT_EQ(B->DropDownMenu(), nullptr);
}

TEST(ExGridButton, GlyphAndCaptionStandWhereTheLayoutPutsThem)
{
    ButtonForm F;
    TProbeButton* B = F.Add(10, 10, 80, 24);
    B->SetCaption("Go");
    const std::unique_ptr<TBitmap> G = Glyph(8, 8, 4);
    B->SetGlyph(G.get());
    const Integer Tw = TextWidth(B, "Go");
    // Inside the flat frame the content area is 76 x 20 from (2, 2).
    struct TCase {
        TButtonLayout Layout;
        Integer Margin, Spacing;
        QPoint Glyph;
        Integer Text; // left of the caption's box along the layout's axis
    };
    const Integer Shared = (76 - 8 - Tw) / 3;
    const Integer Centred = (76 - (8 + 4 + Tw) + 1) / 2;
    const Integer Spread = (76 - 3 - 8 - Tw) / 2;
    const TCase Cases[] = {
        {blGlyphLeft, -1, -1, QPoint(2 + Shared, 8), 2 + Shared + 8 + Shared},
        {blGlyphLeft, -1, 4, QPoint(2 + Centred, 8), 2 + Centred + 12},
        {blGlyphLeft, 3, 5, QPoint(5, 8), 18},
        {blGlyphLeft, 3, -1, QPoint(5, 8), 5 + 8 + Spread},
        {blGlyphRight, 3, 5, QPoint(2 + 76 - 3 - 8, 8), 2 + 76 - 3 - 8 - 5 - Tw},
    };
    for (const TCase& C : Cases) {
        B->SetLayout(C.Layout);
        B->SetMargin(C.Margin);
        B->SetSpacing(C.Spacing);
        const QImage Image = F.Grab(B);
        EXPECT_EQ(FirstPixel(Image, QColor(255, 0, 0)), C.Glyph + QPoint(2, 2))
            << C.Layout << " " << C.Margin << " " << C.Spacing;
        const int Text = C.Layout == blGlyphRight ? FirstTextColumn(Image.copy(0, 0, C.Glyph.x(), 24))
                                                 : FirstTextColumn(Image.copy(C.Glyph.x() + 8, 0, 80, 24)) +
                                                       C.Glyph.x() + 8;
        EXPECT_GE(Text, C.Text) << C.Layout << " " << C.Margin << " " << C.Spacing;
        EXPECT_LE(Text, C.Text + 2) << C.Layout << " " << C.Margin << " " << C.Spacing;
    }

    // Glyph above the caption, both centred across.
    B->SetLayout(blGlyphTop);
    B->SetMargin(1);
    B->SetSpacing(0);
    B->SetCaption("");
    B->SetCaption("Go");
    const QImage Top = F.Grab(B);
    EXPECT_EQ(FirstPixel(Top, QColor(255, 0, 0)), QPoint(2 + (76 - 8 + 1) / 2 + 2, 2 + 1 + 2));

    // Without a caption the glyph stands at the control's corner.
    B->SetCaption("");
    EXPECT_EQ(FirstPixel(F.Grab(B), QColor(255, 0, 0)), QPoint(2, 2));
}

TEST(ExGridButton, ThemeAdaptationGivesLookOneAndFollowsThemeChanges)
{
    ButtonForm F;
    TProbeButton* B = F.Add(10);
    B->SetAutoThemeAdapt(true);
    EXPECT_EQ(B->Look(), 1);
    B->SetLook(3);
    QEvent StyleChange(QEvent::StyleChange);
    QApplication::sendEvent(B->Handle(), &StyleChange);
    EXPECT_EQ(B->Look(), 1);
    B->SetLook(5);
    B->Perform(0xB035);
    EXPECT_EQ(B->Look(), 1);
}

TEST(ExGridButton, AnActionsCaptionReachesTheButtonAndCheckedOnlyAGroupThatAllowsAllUp)
{
    ButtonForm F;
    TProbeButton* B = F.Add(10);
    auto* Action = new TCustomAction(F.Form.get());
    Action->SetCaption("Find");
    B->SetAction(Action);
    EXPECT_EQ(B->Caption(), "Find");
    Action->SetCaption("Search");
    EXPECT_EQ(B->Caption(), "Search");

    Action->SetChecked(true);
    EXPECT_FALSE(B->Down()) << "no group";
    Action->SetChecked(false);
    B->SetGroupIndex(2);
    Action->SetChecked(true);
    EXPECT_FALSE(B->Down()) << "a group that does not allow all up";
    Action->SetChecked(false);
    B->SetAllowAllUp(true);
    Action->SetChecked(true);
    EXPECT_TRUE(B->Down());
    Action->SetChecked(false);
    EXPECT_FALSE(B->Down());

    // The group index follows while the button has the action's.
    Action->SetGroupIndex(2);
    Action->SetGroupIndex(5);
    EXPECT_EQ(B->GroupIndex(), 5);

    // A click runs the action; another button of the group pressed unchecks it.
    Integer Executed = 0;
    Action->OnExecute = [&](TObject*) { ++Executed; };
    B->OnClick = nullptr;
    Click(B);
    EXPECT_EQ(Executed, 1);
    EXPECT_TRUE(B->Down());
    Action->SetChecked(true);
    TProbeButton* Other = F.Add(60);
    Other->SetGroupIndex(5);
    Click(Other);
    EXPECT_FALSE(B->Down());
    EXPECT_FALSE(Action->Checked());
}

TEST(ExGridButton, AnAcceleratorClicksAndADoubleClickCountsWhileDown)
{
    ButtonForm F;
    TProbeButton* B = F.Add(10);
    B->SetCaption("&Go");
    QTest::keyClick(F.Form->Handle(), Qt::Key_G, Qt::AltModifier);
    EXPECT_EQ(F.Clicks, 1);
    B->SetEnabled(false);
    QTest::keyClick(F.Form->Handle(), Qt::Key_G, Qt::AltModifier);
    EXPECT_EQ(F.Clicks, 1) << "not while disabled";
    B->SetEnabled(true);

    Integer DoubleClicks = 0;
    B->OnDblClick = [&](TObject*) { ++DoubleClicks; };
    QTest::mouseDClick(B->Handle(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(DoubleClicks, 0) << "a button that is up";
    B->SetGroupIndex(3);
    B->SetDown(true);
    QTest::mouseDClick(B->Handle(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(DoubleClicks, 1);
}

TEST(ExGridButton, AButtonFreedByItsClickHandlerGoesQuietly)
{
    ButtonForm F;
    TProbeButton* B = F.Add(10);
    B->OnClick = [&](TObject*) { delete B; };
    Click(B);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(F.Form->ControlCount(), 0);
}

// ---------------------------------------------------------------- TExCheckBox

namespace {

struct CheckForm {
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TExCheckBox* Box = new TExCheckBox(Form.get());
    TExCheckBox* Next = new TExCheckBox(Form.get());
    Integer Clicks = 0;

    CheckForm()
    {
        Form->SetBounds(0, 0, 300, 120);
        Form->SetColor(RGB(10, 200, 30));
        for (TExCheckBox* C : {Box, Next})
            C->SetParent(Form.get());
        Box->SetBounds(10, 10, 120, 24);
        Next->SetBounds(10, 50, 120, 24);
        Box->OnClick = [this](TObject*) { ++Clicks; };
        Form->Show();
        QApplication::setActiveWindow(Form->Handle());
        Box->SetFocus();
    }

    QImage Grab() const
    {
        Box->Repaint();
        return Form->Handle()->grab(ToQRect(Box->BoundsRect())).toImage();
    }

    void Move(QPoint To) const
    {
        QMouseEvent E(QEvent::MouseMove, To, Box->Handle()->mapToGlobal(To), Qt::NoButton, Qt::LeftButton,
                      Qt::NoModifier);
        QApplication::sendEvent(Box->Handle(), &E);
    }
};

// Restores the theme switch.
struct ThemesBack {
    ~ThemesBack() { SetThemesEnabled(true); }
};

// The pixels of Box's window and of a drawing on white agree on columns
// 0 .. Columns - 1, where the drawing is not all white.
void ExpectSameColumns(const QImage& Shown, const QImage& Expected, int Columns, const char* What)
{
    int Different = 0, Drawn = 0;
    for (int Y = 0; Y < Expected.height(); ++Y)
        for (int X = 0; X < Columns; ++X) {
            Different += Shown.pixelColor(X, Y) != Expected.pixelColor(X, Y);
            Drawn += Expected.pixelColor(X, Y) != QColor(255, 255, 255);
        }
    EXPECT_EQ(Different, 0) << What;
    EXPECT_GT(Drawn, 40) << What;
}

} // namespace

TEST(ExCheckBox, StartsUncheckedWithItsClassNameAsCaption)
{
    TExCheckBox B(nullptr);
    EXPECT_EQ(B.Caption(), "TExCheckBox");
    EXPECT_EQ(B.Width(), 98);
    EXPECT_EQ(B.Height(), 20);
    EXPECT_EQ(B.State(), cbUnchecked);
    EXPECT_EQ(B.Alignment(), taLeftJustify);
    EXPECT_EQ(B.ButtonVertAlign(), tlTop);
    EXPECT_FALSE(B.ReadOnly());
    EXPECT_FALSE(B.Transparent());
    EXPECT_FALSE(B.ControlStyle().Contains(csClickEvents));
    B.SetState(cbGrayed);
    B.Toggle();
    EXPECT_TRUE(B.Checked());
}

TEST(ExCheckBox, AClickAndSpaceToggleAndClick)
{
    CheckForm F;
    QTest::mouseClick(F.Box->Handle(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_TRUE(F.Box->Checked());
    QTest::keyClick(F.Box->Handle(), Qt::Key_Space);
    EXPECT_FALSE(F.Box->Checked());
    EXPECT_EQ(F.Clicks, 2);

    F.Box->SetReadOnly(true);
    QTest::mouseClick(F.Box->Handle(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QTest::keyClick(F.Box->Handle(), Qt::Key_Space);
    EXPECT_FALSE(F.Box->Checked()) << "read-only";
    EXPECT_EQ(F.Clicks, 4) << "still clicks";
}

TEST(ExCheckBox, ABoxFreedByItsClickHandlerGoesQuietly)
{
    CheckForm F;
    F.Box->OnClick = [&](TObject*) { delete F.Box; };
    QTest::keyClick(F.Box->Handle(), Qt::Key_Space);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(F.Form->ControlCount(), 1);
}

TEST(ExCheckBox, PressingMovingOutAndReleasingOutsideChangesNothing)
{
    CheckForm F;
    QTest::mousePress(F.Box->Handle(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_TRUE(F.Box->Down());
    F.Move(QPoint(200, 5));
    EXPECT_FALSE(F.Box->Down());
    F.Move(QPoint(6, 6));
    EXPECT_TRUE(F.Box->Down());
    F.Move(QPoint(200, 5));
    QTest::mouseRelease(F.Box->Handle(), Qt::LeftButton, Qt::NoModifier, QPoint(200, 5));
    EXPECT_FALSE(F.Box->Checked());
    EXPECT_FALSE(F.Box->Down());
    EXPECT_EQ(F.Clicks, 0);
}

TEST(ExCheckBox, EnterWithReturnIsTabMovesTheFocusOn)
{
    CheckForm F;
    ASSERT_TRUE(F.Box->Focused());
    QTest::keyClick(F.Box->Handle(), Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_TRUE(F.Box->Focused()) << "Enter alone";
    F.Box->SetReturnIsTab(true);
    QTest::keyClick(F.Box->Handle(), Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_TRUE(F.Next->Focused());
}

TEST(ExCheckBox, AnAcceleratorTogglesTheBox)
{
    CheckForm F;
    F.Next->SetCaption("&Whole words");
    QTest::keyClick(F.Box->Handle(), Qt::Key_W, Qt::AltModifier);
    EXPECT_TRUE(F.Next->Checked());
    EXPECT_TRUE(F.Next->Focused());
}

TEST(ExCheckBox, TheBoxIsThemed14AtItsPlaceAndClassic13WithoutThemes)
{
    ThemesBack Restore;
    CheckForm F;
    F.Box->SetCaption("");
    F.Box->SetColor(clWhite);
    F.Next->SetFocus();
    struct TCase {
        bool Themes;
        TTextLayout Align;
        TRect Expected;
    };
    const TCase Cases[] = {
        {true, tlTop, Bounds(0, 4, 14, 14)},
        {true, tlCenter, Bounds(0, 24 / 2 - 6, 14, 14)},
        {false, tlTop, Bounds(0, 4, 13, 13)},
        {false, tlBottom, Bounds(0, 24 - 17, 13, 13)},
    };
    for (const TCase& C : Cases) {
        SetThemesEnabled(C.Themes);
        F.Box->SetButtonVertAlign(C.Align);
        F.Box->SetChecked(true);
        TBitmap Expected(F.Box->Width(), F.Box->Height());
        Expected.Canvas()->Brush()->SetColor(clWhite);
        Expected.Canvas()->FillRect(F.Box->ClientRect());
        TRect R = C.Expected;
        if (C.Themes) {
            HTHEME Theme = OpenThemeData(F.Box->Handle(), "button");
            DrawThemeBackground(Theme, Expected.Canvas(), BP_CHECKBOX, CBS_CHECKEDNORMAL, R);
            CloseThemeData(Theme);
        } else {
            DrawFrameControl(Expected.Canvas(), R, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
        }
        Expected.Canvas()->Release();
        ExpectSameColumns(F.Grab(), Expected.ToImage(), 20, C.Themes ? "themed" : "classic");
    }
}

TEST(ExCheckBox, ATransparentBoxShowsItsParentAndCachingKeepsWhatItSaw)
{
    CheckForm F;
    F.Box->SetCaption("");
    F.Box->SetColor(RGB(0, 0, 255));
    const QPoint Free(80, 2);
    EXPECT_EQ(F.Grab().pixelColor(Free), QColor(0, 0, 255));
    F.Box->SetTransparent(true);
    EXPECT_EQ(F.Grab().pixelColor(Free), QColor(10, 200, 30));

    F.Box->SetTransparentChaching(true);
    EXPECT_EQ(F.Grab().pixelColor(Free), QColor(10, 200, 30));
    F.Form->SetColor(RGB(200, 0, 0));
    EXPECT_EQ(F.Grab().pixelColor(Free), QColor(10, 200, 30)) << "the cached look";
    F.Box->SetBounds(F.Box->Left(), F.Box->Top(), F.Box->Width(), F.Box->Height());
    EXPECT_EQ(F.Grab().pixelColor(Free), QColor(200, 0, 0)) << "SetBounds drops the cache";
    F.Form->SetColor(RGB(0, 100, 0));
    F.Box->SetTransparent(false);
    F.Box->SetTransparent(true);
    EXPECT_EQ(F.Grab().pixelColor(Free), QColor(0, 100, 0)) << "Transparent drops the cache";
}
