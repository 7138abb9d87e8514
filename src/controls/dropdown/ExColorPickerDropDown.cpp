// The colour picker drop-down: its choosers, choosing, keys and the edit's
// painting.
#include "controls/dropdown/ExColorPickerDropDown.h"

namespace {

struct TDefaultColor {
    const char* Caption;
    Cardinal Color;
};

constexpr std::array<TDefaultColor, 16> DefaultColors = {{{"Black", 0x000000},
                                                          {"Maroon", 0x000080},
                                                          {"Green", 0x008000},
                                                          {"Olive", 0x008080},
                                                          {"Navy", 0x800000},
                                                          {"Purple", 0x800080},
                                                          {"Teal", 0x808000},
                                                          {"Gray", 0x808080},
                                                          {"Silver", 0xC0C0C0},
                                                          {"Red", 0x0000FF},
                                                          {"Lime", 0x00FF00},
                                                          {"Yellow", 0x00FFFF},
                                                          {"Blue", 0xFF0000},
                                                          {"Fuchsia", 0xFF00FF},
                                                          {"Aqua", 0xFFFF00},
                                                          {"White", 0xFFFFFF}}};

} // namespace

TExColorPickerDropDown::TExColorPickerDropDown(TComponent* AOwner)
    : TExListPickerDropDown(AOwner), FColors(std::make_unique<TColorItems>(this))
{
    FColors->OnChange = [](TObject*) {};
}

TExColorPickerDropDown::~TExColorPickerDropDown() = default;

void TExColorPickerDropDown::AfterConstruction()
{
    TExListPickerDropDown::AfterConstruction();
    SetDropDownHeight(200);
    DropDownHeader()->SetVisible(false);
    DropDownFooter()->SetVisible(false);
}

void TExColorPickerDropDown::AddDefaultColors()
{
    for (const TDefaultColor& D : DefaultColors) {
        TColorItem* Item = FColors->Add();
        Item->SetCaption(QString::fromLatin1(D.Caption));
        Item->SetColor(TColor(D.Color));
    }
}

void TExColorPickerDropDown::Notification(TComponent* AComponent, TOperation Operation)
{
    TExListPickerDropDown::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == FColorSelector)
        FColorSelector = nullptr;
    if (AComponent == FColorCubePanel)
        FColorCubePanel = nullptr;
    if (AComponent == FSpectrumPanel)
        FSpectrumPanel = nullptr;
}

// ---------------------------------------------------------------- the choosers

TControl* TExColorPickerDropDown::ChooserOf(TColorSelectionStyle Style) const
{
    switch (Style) {
    case csList: return FItemSelector;
    case csDiscrete: return FColorSelector;
    case csColorCube: return FColorCubePanel;
    default: return FSpectrumPanel;
    }
}

TControl* TExColorPickerDropDown::MakeChooser(TColorSelectionStyle Style)
{
    if (Style == csList) {
        CreateItemSelector(stColor);
        return FItemSelector;
    }
    if (!ChooserOf(Style)) {
        TCustomControl* Chooser = nullptr;
        if (Style == csDiscrete) {
            FColorSelector = new TCustomColorSelector(this);
            FColorSelector->AddThemeColors();
            Chooser = FColorSelector;
        } else if (Style == csColorCube) {
            Chooser = FColorCubePanel = new TExColorCubePanel(this);
        } else {
            Chooser = FSpectrumPanel = new TExColorSpectrumPanel(this);
        }
        Chooser->SetParent(DropDownForm());
        Chooser->SetBounds(0, 0, Chooser->Width(), Chooser->Height());
        Chooser->SetColor(DropDownColor());
        SetControl(Chooser);
    }
    if (FColorSelector && Style == csDiscrete)
        FColorSelector->ArrangeItems();
    return ChooserOf(Style);
}

void TExColorPickerDropDown::CreateDropDownForm()
{
    TExListPickerDropDown::CreateDropDownForm();
    MakeChooser(FColorSelectionStyle);
}

void TExColorPickerDropDown::PrepareChooser()
{
    if (!DropDownForm())
        return;
    TControl* Chooser = MakeChooser(FColorSelectionStyle);
    for (const TColorSelectionStyle S : {csList, csDiscrete, csColorCube, csSpectrum})
        if (TControl* Other = ChooserOf(S); Other && Other != Chooser)
            Other->SetVisible(false);
    Chooser->SetAlign(alNone);
    Chooser->SetVisible(true);
    SetControl(Chooser);
    if (FColorSelectionStyle == csList)
        PrepareListForDropDown();
    else
        PreparePanelChooser();
}

void TExColorPickerDropDown::PreparePanelChooser()
{
    switch (FColorSelectionStyle) {
    case csDiscrete:
        FColorSelector->OnItemSelect = nullptr;
        FColorSelector->SetSelectedColor(FSelectedColor);
        FColorSelector->ArrangeItems();
        FColorSelector->OnItemSelect = [this](TObject* Sender) { ColorSelectorSelect(Sender); };
        FColorSelector->SetItemColorStyle(SelectionColorStyle());
        break;
    case csColorCube:
        FColorCubePanel->SetSelectedColor(FSelectedColor);
        FColorCubePanel->InitCells();
        FColorCubePanel->ResetHotCell();
        FColorCubePanel->OnSelect = [this](TObject*) { PanelSelect(FColorCubePanel->SelectedColor()); };
        break;
    default:
        FSpectrumPanel->SetSelectedColor(FSelectedColor);
        FSpectrumPanel->ArrangePanel();
        FSpectrumPanel->OnSelect = [this](TObject*) { PanelSelect(FSpectrumPanel->SelectedColor()); };
        break;
    }
}

void TExColorPickerDropDown::DoBeforeDropDown()
{
    TExListPickerDropDown::DoBeforeDropDown();
    PrepareChooser();
    FOldSelectedColor = FSelectedColor;
}

void TExColorPickerDropDown::FillSelectorItems(TSelectorItems* Items)
{
    for (Integer I = 0; I < FColors->Count(); ++I) {
        TColorItem* Source = FColors->Items(I);
        TSelectorItem* Item = Items->Add();
        Item->SetCaption(Source->Caption());
        Item->SetColor(Source->Color());
        Item->SetHint(Source->Hint());
    }
}

void TExColorPickerDropDown::ApplySelectorSettings()
{
    FItemSelector->SetColorBoxHeight(ColorBoxHeight());
    FItemSelector->SetColorBoxWidth(ColorBoxWidth());
}

void TExColorPickerDropDown::SetColorSelectionStyle(TColorSelectionStyle Value)
{
    if (Value == FColorSelectionStyle)
        return;
    FColorSelectionStyle = Value;
    if (ComponentState().Contains(csDesigning) || !DropDownForm())
        return;
    PrepareChooser();
    if (Value == csList)
        UpdateListDropDownSize();
    else
        SizeAroundPanel();
    ChooserOf(Value)->SetAlign(alClient);
    FOldSelectedColor = FSelectedColor;
    DropDownForm()->Invalidate();
}

// ---------------------------------------------------------------- pop-up size

void TExColorPickerDropDown::SizeAroundPanel()
{
    TControl* Chooser = ChooserOf(FColorSelectionStyle);
    const bool Shown = Chooser && Chooser->Visible();
    const Integer Border = 2 * DropDownBorderWidth();
    Integer H = Border + (Shown ? Chooser->Height() : 0);
    if (DropDownHeader()->Visible())
        H += DropDownHeader()->Height();
    if (DropDownFooter()->Visible())
        H += DropDownFooter()->Height();
    DropDownForm()->SetBounds(DropDownForm()->Left(), DropDownForm()->Top(),
                              Shown ? Chooser->Width() + Border : Width(), H);
}

void TExColorPickerDropDown::UpdateDropDownSize()
{
    if (!DropDownForm())
        return;
    if (FColorSelectionStyle == csList)
        UpdateListDropDownSize();
    else
        SizeAroundPanel();
}

void TExColorPickerDropDown::PlaceDropDownControl()
{
    TExListPickerDropDown::PlaceDropDownControl();
    if (DropDownForm() && FColorSelectionStyle != csList)
        DropDownForm()->SetSizeable(false);
}

// ---------------------------------------------------------------- choosing

void TExColorPickerDropDown::ColorSelectorSelect(TObject*)
{
    SetSelectedColor(FColorSelector->SelectedColor());
    SetItemIndex(-1);
    if (!IsInternalCall())
        DoHideDropDown(false);
}

void TExColorPickerDropDown::PanelSelect(TColor Color)
{
    SetSelectedColor(Color);
    SetItemIndex(-1);
    DoHideDropDown(false);
}

void TExColorPickerDropDown::DoHideDropDown(bool Cancel)
{
    // A cancel while closed changes nothing.
    const bool WasOpen = DropDownForm() && DropDownForm()->Visible();
    TExListPickerDropDown::DoHideDropDown(Cancel);
    if (!Cancel || !WasOpen)
        return;
    if (FColorSelectionStyle == csList && FItemSelector)
        RestoreOldItemIndex();
    else if (FColorSelectionStyle == csDiscrete && FColorSelector)
        FColorSelector->SetSelectedColor(FOldSelectedColor);
}

void TExColorPickerDropDown::DropDownFormDestroyed()
{
    TExListPickerDropDown::DropDownFormDestroyed();
    if (ComponentState().Contains(csDestroying))
        return;
    FItemSelector = nullptr;
    FColorSelector = nullptr;
    FColorCubePanel = nullptr;
    FSpectrumPanel = nullptr;
}

void TExColorPickerDropDown::SetItemIndex(Integer Value)
{
    if (Value >= FColors->Count())
        return;
    FItemIndex = Value;
    if (Value >= 0)
        FSelectedColor = FColors->Items(Value)->Color();
    Invalidate();
    if (OnSelect)
        OnSelect(this);
}

void TExColorPickerDropDown::SetSelectedColor(TColor Value)
{
    if (Value == FSelectedColor)
        return;
    FSelectedColor = Value;
    Integer Index = -1;
    for (Integer I = 0; I < FColors->Count() && Index < 0; ++I)
        if (FColors->Items(I)->Color() == Value)
            Index = I;
    SetItemIndex(Index);
    Invalidate();
}

String TExColorPickerDropDown::GetSelectedColorText()
{
    if (FColorSelectionStyle == csList && FItemIndex >= 0)
        return FColors->Items(FItemIndex)->Caption();
    return ColorToValueText(FSelectedColor, ColorValueText());
}

void TExColorPickerDropDown::SetShowText(bool Value)
{
    if (Value == FShowText)
        return;
    FShowText = Value;
    Invalidate();
}

// ---------------------------------------------------------------- keys and wheel

void TExColorPickerDropDown::WMKeyDown(TWMKey& Message)
{
    const Word Key = Message.CharCode;
    bool HotChosen = false;
    if (Key == VK_RETURN && DroppedDown()) {
        if (FColorSelectionStyle == csList) {
            HotChosen = ChooseHotItem();
        } else if (FColorSelectionStyle == csDiscrete && FColorSelector && FColorSelector->ItemHot() >= 0) {
            FColorSelector->SetItemIndex(FColorSelector->ItemHot());
            HotChosen = true;
        }
    }
    TExListPickerDropDown::WMKeyDown(Message);
    if (FColorSelectionStyle == csList) {
        ListKeyDown(Key, HotChosen);
        return;
    }
    if (FColorSelectionStyle != csDiscrete || !FColorSelector || !Enabled() || GetKeyState(VK_MENU) < 0)
        return;
    InternalCall([&] { FColorSelector->KeyNavigate(Key, EditorEnabled(), DroppedDown()); });
    if (Key == VK_RETURN && !HotChosen && OnSelect)
        OnSelect(this);
}

void TExColorPickerDropDown::SelectNext()
{
    if (FColorSelectionStyle == csList) {
        ListWheelStep(true);
    } else if (FColorSelectionStyle == csDiscrete && FColorSelector && Enabled() && !ReadOnly()) {
        if (DroppedDown())
            FColorSelector->HotNext();
        else
            InternalCall([&] { FColorSelector->SelectNext(); });
    }
}

void TExColorPickerDropDown::SelectPrevious()
{
    if (FColorSelectionStyle == csList) {
        ListWheelStep(false);
    } else if (FColorSelectionStyle == csDiscrete && FColorSelector && Enabled() && !ReadOnly()) {
        if (DroppedDown())
            FColorSelector->HotPrevious();
        else
            InternalCall([&] { FColorSelector->SelectPrevious(); });
    }
}

// ---------------------------------------------------------------- painting

void TExColorPickerDropDown::PaintOver(TCanvas* Canvas)
{
    TExListPickerDropDown::PaintOver(Canvas);
    DrawSelectedColor(Canvas);
}

void TExColorPickerDropDown::DrawSelectedColor(TCanvas* Canvas)
{
    const TRect R(1, 1, Width() - 2 - DropDownButtonWidth(), Height() - 2);
    if (OnDrawSelectedColor) {
        OnDrawSelectedColor(this, Canvas, R);
        return;
    }
    if (FSelectedColor == clNone)
        return;
    const TRect Box(R.Left + 4, (Height() - ColorBoxHeight()) / 2 + R.Top, R.Left + 4 + ColorBoxWidth(),
                    (Height() - ColorBoxHeight()) / 2 + R.Top + ColorBoxHeight());
    Canvas->Pen()->SetColor(clBlack);
    Canvas->Pen()->SetWidth(1);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(FSelectedColor);
    Canvas->Rectangle(Box);
    if (!FShowText)
        return;
    TRect TextR(Box.Right + 4, R.Top, R.Right, R.Bottom);
    Canvas->Font()->Assign(Font());
    Canvas->Brush()->SetColor(Focused() ? clHighlight : Color());
    if (Focused())
        Canvas->Font()->SetColor(clHighlightText);
    DrawText(Canvas, GetSelectedColorText(), TextR, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
}
