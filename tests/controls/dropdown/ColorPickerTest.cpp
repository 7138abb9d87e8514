// The colour selector of theme colours, the colour texts and the colour
// picker drop-down in its four styles, driven by keys, clicks and the wheel.
#include "controls/dropdown/ExColorPickerDropDown.h"

#include "DropDownFixture.h"

#include <QColor>
#include <QWheelEvent>

namespace {

QRgb Rgb(TColor C)
{
    const TColor R = ColorToRGB(C);
    return qRgb(GetRValue(R), GetGValue(R), GetBValue(R));
}

int CountPixels(const QImage& Image, QRgb C, const TRect& R)
{
    int N = 0;
    for (int Y = R.Top; Y < R.Bottom; ++Y)
        for (int X = R.Left; X < R.Right; ++X)
            N += Image.pixel(X, Y) == C;
    return N;
}

void Wheel(TWinControl* C, bool Down)
{
    const QPointF At(5, 5);
    QWheelEvent E(At, C->Handle()->mapToGlobal(At), QPoint(), QPoint(0, Down ? -120 : 120), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(C->Handle(), &E);
}

class ColorSelectorTest : public DropDownFixture {
protected:
    void SetUp() override
    {
        DropDownFixture::SetUp();
        ShowForm();
        S = Make<TCustomColorSelector>(0, 0);
        S->AddThemeColors();
        S->ArrangeItems();
        S->OnItemSelect = [this](TObject*) { ++Selects; };
    }
    TCustomColorSelector* S = nullptr;
    int Selects = 0;
};

class ColorPickerTest : public DropDownFixture {
protected:
    void SetUp() override
    {
        DropDownFixture::SetUp();
        ShowForm();
        P = MakeDropDown<TExColorPickerDropDown>();
        P->AddDefaultColors();
        P->OnSelect = [this](TObject*) { ++Selects; };
        P->SetFocus();
    }
    void Open()
    {
        OpenPopup(P);
        ASSERT_TRUE(P->DroppedDown());
    }
    void PressInPopup(Qt::Key K) { DropDownFixture::PressInPopup(P, K); }
    TExColorPickerDropDown* P = nullptr;
    int Selects = 0;
};

} // namespace

// ---------------------------------------------------------------- the colour selector

TEST_F(ColorSelectorTest, ThemeColoursMakeAGridOf165By84)
{
    ASSERT_EQ(S->Items()->Count(), 60);
    EXPECT_EQ(S->Width(), 165);
    EXPECT_EQ(S->Height(), 84);
    // The base row stands apart; the five shade rows touch.
    EXPECT_EQ(S->Items()->Items(0)->Rect(), TRect(4, 4, 16, 16));
    EXPECT_EQ(S->Items()->Items(9)->Rect(), TRect(148, 4, 160, 16));
    EXPECT_EQ(S->Items()->Items(10)->Rect(), TRect(4, 20, 16, 32));
    EXPECT_EQ(S->Items()->Items(20)->Rect(), TRect(4, 32, 16, 44));
    EXPECT_EQ(S->Items()->Items(59)->Rect(), TRect(148, 68, 160, 80));
    EXPECT_EQ(S->Items()->Items(0)->ColorBoxPos(), ipStandAlone);
    EXPECT_EQ(S->Items()->Items(15)->ColorBoxPos(), ipTop);
    EXPECT_EQ(S->Items()->Items(35)->ColorBoxPos(), ipMiddle);
    EXPECT_EQ(S->Items()->Items(55)->ColorBoxPos(), ipBottom);
    S->Items()->Clear();
    S->ArrangeItems();
    EXPECT_EQ(S->Width(), 100);
    EXPECT_EQ(S->Height(), 50);
}

TEST_F(ColorSelectorTest, KeysMoveTheSelectionByBoxesAndByRows)
{
    struct {
        Integer From;
        Word Key;
        bool EditorEnabled, DroppedDown;
        Integer To;
    } const Cases[] = {{15, VK_UP, false, true, 5},       {3, VK_UP, false, true, 3},
                       {5, VK_DOWN, false, true, 15},     {55, VK_DOWN, false, true, 55},
                       {-1, VK_UP, false, true, 0},       {15, VK_UP, false, false, 14},
                       {15, VK_DOWN, false, false, 16},   {15, VK_LEFT, false, false, 14},
                       {15, VK_LEFT, true, false, 15},    {15, VK_RIGHT, true, true, 16},
                       {15, VK_PRIOR, false, true, 0},    {15, VK_HOME, false, true, 0},
                       {15, VK_NEXT, false, true, 59},    {15, VK_END, false, false, 59},
                       {59, VK_RIGHT, false, true, 59},   {0, VK_LEFT, false, true, 0},
                       {15, VK_RETURN, false, true, 15},  {15, VK_TAB, false, true, 15}};
    for (const auto& C : Cases) {
        S->SetItemIndex(C.From);
        S->KeyNavigate(C.Key, C.EditorEnabled, C.DroppedDown);
        EXPECT_EQ(S->ItemIndex(), C.To) << C.From << " key " << C.Key;
    }
}

TEST_F(ColorSelectorTest, SelectionFollowsTheColourAndRefusesIndexesBeyondTheBoxes)
{
    S->SetSelectedColor(TColor(0x7F7F7F));
    EXPECT_EQ(S->ItemIndex(), 11);
    EXPECT_EQ(Selects, 1);
    S->SetSelectedColor(TColor(0x123456));
    EXPECT_EQ(S->ItemIndex(), -1);
    S->SetItemIndex(4);
    EXPECT_EQ(S->SelectedColor(), TColor(0xBD814F));
    S->SetItemIndex(60);
    S->SetItemIndex(1000);
    EXPECT_EQ(S->ItemIndex(), 4);
    S->Items()->Items(7)->SetEnabled(false);
    S->SetItemIndex(7);
    EXPECT_EQ(S->ItemIndex(), 4);
}

TEST_F(ColorSelectorTest, MouseMakesHotAndSelectsAndFramesShowBoth)
{
    const TRect Box3 = S->Items()->Items(3)->Rect();
    QTest::mouseMove(S->Handle(), QPoint(Box3.Left + 5, Box3.Top + 5));
    EXPECT_EQ(S->ItemHot(), 3);
    QImage Image = S->Handle()->grab().toImage();
    EXPECT_EQ(Image.pixel(Box3.Left, Box3.Top + 5), Rgb(TColor(0x3694F2)));
    EXPECT_EQ(Image.pixel(Box3.Left + 1, Box3.Top + 5), Rgb(TColor(0x94E2FF)));
    EXPECT_EQ(Image.pixel(Box3.Left + 5, Box3.Top + 5), Rgb(TColor(0x7D491F)));
    QTest::mouseClick(S->Handle(), Qt::LeftButton, {}, QPoint(Box3.Left + 5, Box3.Top + 5));
    EXPECT_EQ(S->ItemIndex(), 3);
    EXPECT_EQ(Selects, 1);
    Image = S->Handle()->grab().toImage();
    EXPECT_EQ(Image.pixel(Box3.Left, Box3.Top + 5), Rgb(TColor(0x0000FF)));
    // A plain box has its grey border; a gap selects nothing.
    const TRect Box0 = S->Items()->Items(0)->Rect();
    EXPECT_EQ(Image.pixel(Box0.Left, Box0.Top + 5), Rgb(TColor(0xC5C5C5)));
    QTest::mouseClick(S->Handle(), Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(S->ItemIndex(), 3);
    EXPECT_EQ(Selects, 1);
}

// ---------------------------------------------------------------- colour texts

TEST(ColorTexts, ValueFormsOfAColour)
{
    const TColor C = TColor(0x00123456);
    EXPECT_EQ(ColorToValueText(C, cvtHTML), QStringLiteral("#563412"));
    EXPECT_EQ(ColorToValueText(C, cvtHex), QStringLiteral("123456"));
    EXPECT_EQ(ColorToValueText(C, cvtRGB), QStringLiteral("Red:86,Green:52,Blue:18"));
    EXPECT_EQ(ColorToValueText(C, cvtWebName), QStringLiteral("#563412"));
    EXPECT_TRUE(ColorToValueText(C, cvtNone).isEmpty());
    EXPECT_EQ(ColorToValueText(TColor(0x0000FF), cvtHex), QStringLiteral("0000FF"));
    EXPECT_EQ(ColorToValueText(clNone, cvtHex), QStringLiteral("1FFFFFFF"));
    // Any value is shown; system colours are resolved first.
    EXPECT_EQ(ColorToValueText(TColor(0xFFFFFFFF), cvtHex), QStringLiteral("FFFFFFFF"));
    EXPECT_EQ(ColorToValueText(clHighlight, cvtHTML), ColorToValueText(ColorToRGB(clHighlight), cvtHTML));
    EXPECT_EQ(ColorToValueText(clHighlight, cvtWebName), ColorWebName(ColorToRGB(clHighlight)));
}

TEST(ColorTexts, WebNamesTakeTheFirstNameOfAValue)
{
    struct {
        TColor Color;
        const char* Name;
    } const Cases[] = {{RGB(0, 255, 255), "aqua"},    {RGB(128, 128, 128), "gray"},  {RGB(255, 0, 255), "fuchsia"},
                       {RGB(102, 51, 153), "rebeccapurple"}, {RGB(240, 248, 255), "aliceblue"},
                       {RGB(154, 205, 50), "yellowgreen"}, {RGB(1, 2, 3), "#010203"}, {clNone, "#FFFFFF"}};
    for (const auto& C : Cases)
        EXPECT_EQ(ColorWebName(C.Color), QString::fromLatin1(C.Name));
}

TEST(ColorTexts, NamedColourTableIsTheAlphabeticalCssList)
{
    const std::span<const TNamedColor> Names = NamedWebColors();
    ASSERT_EQ(Names.size(), 148u);
    for (std::size_t I = 1; I < Names.size(); ++I)
        EXPECT_LT(std::string(Names[I - 1].Name), std::string(Names[I].Name));
    // Every name the platform's colour parser knows has the same value.
    for (const TNamedColor& N : Names) {
        if (!QColor::isValidColorName(QLatin1String(N.Name)))
            continue;
        const QColor Q = QColor::fromString(QLatin1String(N.Name));
        EXPECT_EQ(NamedColorValue(N), RGB(Byte(Q.red()), Byte(Q.green()), Byte(Q.blue()))) << N.Name;
    }
}

// ---------------------------------------------------------------- the picker

TEST_F(ColorPickerTest, SelectedColourFindsItsEntryAndPaintsItsBoxAndName)
{
    ASSERT_EQ(P->Colors()->Count(), 16);
    P->SetSelectedColor(TColor(0x0000FF));
    EXPECT_EQ(P->ItemIndex(), 9);
    EXPECT_EQ(P->SelectedColorText(), QStringLiteral("Red"));
    EXPECT_EQ(Selects, 1);
    const QImage Image = Grab(P);
    const Integer BoxTop = (P->Height() - 14) / 2 + 1;
    EXPECT_EQ(Image.pixel(5 + 7, BoxTop + 7), Rgb(clRed));
    EXPECT_EQ(Image.pixel(5, BoxTop + 7), Rgb(clBlack));
    // Focused: the text on the highlight colour.
    const TRect TextArea(5 + 14 + 4, 1, P->Width() - 2 - P->DropDownButtonWidth(), P->Height() - 2);
    EXPECT_GT(CountPixels(Image, Rgb(clHighlight), TextArea), 10);
    MakeDropDown<TExColorPickerDropDown>(20, 60)->SetFocus();
    ASSERT_FALSE(P->Focused());
    const QImage Unfocused = Grab(P);
    EXPECT_EQ(CountPixels(Unfocused, Rgb(clHighlight), TextArea), 0);
    EXPECT_EQ(Unfocused.pixel(5 + 7, BoxTop + 7), Rgb(clRed));
}

TEST_F(ColorPickerTest, ColourOfNoEntryShowsItsValueText)
{
    P->SetSelectedColor(TColor(0x00123456));
    EXPECT_EQ(P->ItemIndex(), -1);
    EXPECT_TRUE(P->SelectedColorText().isEmpty());
    P->SetColorValueText(cvtHTML);
    EXPECT_EQ(P->SelectedColorText(), QStringLiteral("#563412"));
    P->SetColorValueText(cvtHex);
    EXPECT_EQ(P->SelectedColorText(), QStringLiteral("123456"));
    P->SetColorValueText(cvtRGB);
    EXPECT_EQ(P->SelectedColorText(), QStringLiteral("Red:86,Green:52,Blue:18"));
    // Outside list style an entry's colour shows its value text too.
    P->SetSelectedColor(TColor(0x00FFFF00));
    P->SetColorValueText(cvtWebName);
    EXPECT_EQ(P->SelectedColorText(), QStringLiteral("Aqua"));
    P->SetColorSelectionStyle(csDiscrete);
    EXPECT_EQ(P->SelectedColorText(), QStringLiteral("aqua"));
    P->SetSelectedColor(clNone);
    EXPECT_EQ(P->ItemIndex(), -1);
}

TEST_F(ColorPickerTest, ItemIndexRaisesOnSelectAlwaysAndIgnoresIndexesBeyondTheColours)
{
    P->SetItemIndex(3);
    P->SetItemIndex(3);
    EXPECT_EQ(Selects, 2);
    EXPECT_EQ(P->SelectedColor(), TColor(0x008080));
    P->SetItemIndex(16);
    EXPECT_EQ(P->ItemIndex(), 3);
    EXPECT_EQ(Selects, 2);
    P->SetItemIndex(-1);
    EXPECT_EQ(P->ItemIndex(), -1);
    EXPECT_EQ(P->SelectedColor(), TColor(0x008080));
}

TEST_F(ColorPickerTest, KeysOfTheClosedEditStepThroughTheColours)
{
    struct {
        Qt::Key Key;
        Integer Index;
    } const Steps[] = {{Qt::Key_Down, 0},  {Qt::Key_Down, 1},  {Qt::Key_End, 15},
                       {Qt::Key_Down, 15}, {Qt::Key_Up, 14},   {Qt::Key_Home, 0},
                       {Qt::Key_Up, 0},    {Qt::Key_Left, 0},  {Qt::Key_Right, 0}};
    for (const auto& S : Steps) {
        Press(P, S.Key);
        EXPECT_EQ(P->ItemIndex(), S.Index) << S.Key;
    }
    const int Before = Selects;
    Press(P, Qt::Key_Return);
    EXPECT_EQ(Selects, Before + 1);
    EXPECT_FALSE(P->DroppedDown());
    // Escape on the closed edit keeps the choice, also after an opening.
    Press(P, Qt::Key_F4);
    Press(P, Qt::Key_Return);
    Press(P, Qt::Key_Down);
    Press(P, Qt::Key_Escape);
    EXPECT_EQ(P->ItemIndex(), 1);
}

TEST_F(ColorPickerTest, TypeAheadSearchesForTheLettersUntilTheTimerFires)
{
    Open();
    QWidget* Popup = P->DropDownForm()->Handle();
    QTest::keyClick(Popup, Qt::Key_B);
    EXPECT_EQ(P->ItemIndex(), 0);
    EXPECT_TRUE(P->KeyTimer()->Enabled());
    EXPECT_EQ(P->KeyTimer()->Interval(), 500u);
    QTest::keyClick(Popup, Qt::Key_L);
    QTest::keyClick(Popup, Qt::Key_U);
    EXPECT_EQ(P->CurSearch(), QStringLiteral("BLU"));
    EXPECT_EQ(P->ItemIndex(), 12);
    EXPECT_TRUE(P->DroppedDown());
    P->KeyTimer()->OnTimer(P->KeyTimer());
    EXPECT_FALSE(P->KeyTimer()->Enabled());
    EXPECT_TRUE(P->CurSearch().isEmpty());
    QTest::keyClick(Popup, Qt::Key_T);
    EXPECT_EQ(P->ItemIndex(), 6);
}

TEST_F(ColorPickerTest, TheTimerClearsTheSearchHalfASecondAfterTheFirstLetter)
{
    // F4, which opens the pop-up, and Shift are no letters of the search.
    Open();
    QTest::keyClick(P->DropDownForm()->Handle(), Qt::Key_Shift);
    QTest::keyClick(P->DropDownForm()->Handle(), Qt::Key_S);
    EXPECT_EQ(P->CurSearch(), QStringLiteral("S"));
    EXPECT_EQ(P->ItemIndex(), 8);
    QTest::qWait(700);
    EXPECT_TRUE(P->CurSearch().isEmpty());
}

TEST_F(ColorPickerTest, EscapeInTheOpenListRestoresTheEntryChosenBefore)
{
    P->SetItemIndex(3);
    PressInPopup(Qt::Key_Down);
    PressInPopup(Qt::Key_Down);
    EXPECT_EQ(P->ItemIndex(), 5);
    EXPECT_TRUE(P->DroppedDown());
    PressInPopup(Qt::Key_Escape);
    EXPECT_FALSE(P->DroppedDown());
    EXPECT_EQ(P->ItemIndex(), 3);
    EXPECT_EQ(P->SelectedColor(), TColor(0x008080));
    // Without an entry before, only the index returns.
    P->SetSelectedColor(TColor(0x123456));
    PressInPopup(Qt::Key_Down);
    EXPECT_EQ(P->ItemIndex(), 0);
    PressInPopup(Qt::Key_Escape);
    EXPECT_EQ(P->ItemIndex(), -1);
    EXPECT_EQ(P->SelectedColor(), TColor(0x000000));
}

TEST_F(ColorPickerTest, EnterOnTheHotEntryAndAClickChooseAndClose)
{
    Open();
    TExCustomItemSelector* List = P->ItemSelector();
    ASSERT_NE(List, nullptr);
    EXPECT_EQ(List->Items()->Count(), 16);
    List->HotNext();
    List->HotNext();
    PressInPopup(Qt::Key_Return);
    EXPECT_FALSE(P->DroppedDown());
    EXPECT_EQ(P->ItemIndex(), 1);
    Open();
    TRect R;
    List->Panel()->GetItemRect(4, R);
    QTest::mouseClick(List->Panel()->Handle(), Qt::LeftButton, {}, QPoint(R.Left + 3, R.Top + 3));
    EXPECT_FALSE(P->DroppedDown());
    EXPECT_EQ(P->ItemIndex(), 4);
    EXPECT_EQ(P->SelectedColor(), TColor(0x800000));
}

TEST_F(ColorPickerTest, WheelMovesTheHotEntryWhileOpenAndTheChoiceWhileClosed)
{
    // Closed, the wheel steps the list as the last opening filled it.
    P->SetItemIndex(2);
    Open();
    PressInPopup(Qt::Key_Escape);
    Wheel(P, true);
    EXPECT_EQ(P->ItemIndex(), 3);
    Wheel(P, false);
    EXPECT_EQ(P->ItemIndex(), 2);
    Open();
    Wheel(P, true);
    EXPECT_EQ(P->ItemSelector()->ItemHot(), 0);
    EXPECT_EQ(P->ItemIndex(), 2);
    EXPECT_TRUE(P->DroppedDown());
}

TEST_F(ColorPickerTest, PopUpSizeOfTheListStyle)
{
    Open();
    TSize Panel;
    P->ItemSelector()->GetPanelSize(Panel);
    EXPECT_EQ(P->DropDownForm()->Height(), 200);
    // Sixteen entries overflow 200 pixels: the scroll bar widens the pop-up.
    ASSERT_GT(Panel.cy, 200);
    EXPECT_EQ(P->DropDownForm()->Width(), Panel.cx + GetSystemMetrics(SM_CXVSCROLL));
}

TEST_F(ColorPickerTest, PopUpSizesOfThePanelStyles)
{
    struct {
        TColorSelectionStyle Style;
        Integer Width, Height;
    } const Cases[] = {{csDiscrete, 167, 86}, {csColorCube, 184, 162}, {csSpectrum, 152, 176}};
    for (const auto& C : Cases) {
        auto* Q = MakeDropDown<TExColorPickerDropDown>(20, 60);
        Q->SetColorSelectionStyle(C.Style);
        Q->SetFocus();
        Press(Q, Qt::Key_F4);
        ASSERT_TRUE(Q->DroppedDown());
        EXPECT_EQ(Q->DropDownForm()->Width(), C.Width) << C.Style;
        EXPECT_EQ(Q->DropDownForm()->Height(), C.Height) << C.Style;
        EXPECT_FALSE(Q->DropDownForm()->Sizeable());
        Press(Q, Qt::Key_Escape);
    }
}

TEST_F(ColorPickerTest, DiscreteStyleChoosesABoxAndEscapeRestoresTheColour)
{
    P->SetColorSelectionStyle(csDiscrete);
    P->SetSelectedColor(TColor(0xFFFFFF));
    Open();
    TCustomColorSelector* S = P->ColorSelector();
    ASSERT_NE(S, nullptr);
    EXPECT_FALSE(P->ItemSelector()->Visible());
    EXPECT_EQ(S->ItemIndex(), 0);
    PressInPopup(Qt::Key_Down);
    EXPECT_EQ(S->ItemIndex(), 10);
    EXPECT_EQ(P->SelectedColor(), TColor(0xF2F2F2));
    EXPECT_EQ(P->ItemIndex(), -1);
    EXPECT_TRUE(P->DroppedDown());
    PressInPopup(Qt::Key_Escape);
    EXPECT_EQ(P->SelectedColor(), TColor(0xFFFFFF));
    Open();
    const TRect Box = S->Items()->Items(5)->Rect();
    QTest::mouseClick(S->Handle(), Qt::LeftButton, {}, QPoint(Box.Left + 4, Box.Top + 4));
    EXPECT_FALSE(P->DroppedDown());
    EXPECT_EQ(P->SelectedColor(), TColor(0x4D50C0));
    Wheel(P, true);
    EXPECT_EQ(P->SelectedColor(), TColor(0x59BB9B));
}

TEST_F(ColorPickerTest, CubeAndSpectrumChooseTheClickedColourAndClose)
{
    P->SetColorSelectionStyle(csColorCube);
    Open();
    ASSERT_NE(P->ColorCubePanel(), nullptr);
    QTest::mouseClick(P->ColorCubePanel()->Handle(), Qt::LeftButton, {}, QPoint(55, 20));
    EXPECT_FALSE(P->DroppedDown());
    EXPECT_EQ(P->SelectedColor(), TColor(0x663300));
    EXPECT_EQ(P->ItemIndex(), -1);
    P->SetColorSelectionStyle(csSpectrum);
    Open();
    ASSERT_NE(P->SpectrumPanel(), nullptr);
    EXPECT_FALSE(P->ColorCubePanel()->Visible());
    EXPECT_EQ(P->SpectrumPanel()->SelectedColor(), TColor(0x663300));
    QWidget* Picture = P->SpectrumPanel()->SpectrumImage()->Handle();
    MoveMouse(Picture, QPoint(64, 63));
    QTest::mouseClick(Picture, Qt::LeftButton, {}, QPoint(64, 63));
    EXPECT_FALSE(P->DroppedDown());
    EXPECT_EQ(P->SelectedColor(), SpectrumColor(64, 63));
    // The wheel leaves these styles alone.
    Wheel(P, true);
    EXPECT_EQ(P->SelectedColor(), SpectrumColor(64, 63));
}

TEST_F(ColorPickerTest, StyleChangeMakesTheChooserOnceAndSizesThePopUp)
{
    P->SetColorSelectionStyle(csColorCube);
    TExColorCubePanel* Cube = P->ColorCubePanel();
    ASSERT_NE(Cube, nullptr);
    EXPECT_EQ(P->DropDownForm()->Width(), 184);
    P->SetColorSelectionStyle(csList);
    P->SetColorSelectionStyle(csColorCube);
    EXPECT_EQ(P->ColorCubePanel(), Cube);
    EXPECT_EQ(P->ColorSelector(), nullptr);
}

TEST_F(ColorPickerTest, OwnPaintingReplacesTheBoxAndText)
{
    P->SetSelectedColor(TColor(0x0000FF));
    TRect Given;
    P->OnDrawSelectedColor = [&](TObject* Sender, TCanvas* Canvas, const TRect& R) {
        EXPECT_EQ(Sender, P);
        Given = R;
        Canvas->Brush()->SetColor(clLime);
        Canvas->FillRect(R);
    };
    const QImage Image = Grab(P);
    EXPECT_EQ(Given, TRect(1, 1, P->Width() - 2 - P->DropDownButtonWidth(), P->Height() - 2));
    EXPECT_EQ(CountPixels(Image, Rgb(clRed), Given), 0);
    EXPECT_EQ(Image.pixel(10, 10), Rgb(clLime));
}
