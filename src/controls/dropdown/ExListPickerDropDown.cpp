#include "controls/dropdown/ExListPickerDropDown.h"

#include <algorithm>

TExListPickerDropDown::TExListPickerDropDown(TComponent* AOwner)
    : TExCustomDropDown(AOwner), FItemAppearance(std::make_unique<TItemAppearance>(this))
{
    FKeyTimer = new TTimer(this);
    FKeyTimer->SetEnabled(false);
    FKeyTimer->SetInterval(500);
    FKeyTimer->OnTimer = [this](TObject*) {
        FKeyTimer->SetEnabled(false);
        FCurSearch.clear();
    };
}

TExListPickerDropDown::~TExListPickerDropDown()
{
    FKeyTimer->SetEnabled(false);
}

void TExListPickerDropDown::AfterConstruction()
{
    TExCustomDropDown::AfterConstruction();
    SetEditorEnabled(false);
    SetDropDownEnabled(true);
    SetCursor(crArrow);
}

void TExListPickerDropDown::CreateItemSelector(TSelectorType Type)
{
    if (!FItemSelector) {
        FItemSelector = new TExCustomItemSelector(this);
        FItemSelector->SetParent(DropDownForm());
        FItemSelector->SetSelectorType(Type);
        FItemSelector->SetBounds(0, 0, FItemSelector->Width(), 150);
    }
    FItemSelector->SetColor(DropDownColor());
    FItemSelector->UpdateSelectorPanel();
    SetControl(FItemSelector);
}

void TExListPickerDropDown::Notification(TComponent* AComponent, TOperation Operation)
{
    TExCustomDropDown::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FItemSelector)
        FItemSelector = nullptr;
}

void TExListPickerDropDown::SetComponentStyle(TQVXStyle AStyle)
{
    TExCustomDropDown::SetComponentStyle(AStyle);
    SetItemAppearanceStyle(FItemAppearance.get(), AStyle);
}

void TExListPickerDropDown::SetSelectionColorStyle(TSelectionColorStyle Value)
{
    TExCustomDropDown::SetSelectionColorStyle(Value);
    if (FItemSelector)
        FItemSelector->ItemAppearance()->SetColorStyle(Value);
}

// ---------------------------------------------------------------- the list

void TExListPickerDropDown::ApplyToSelector()
{
    if (!FItemSelector)
        return;
    FItemSelector->OnItemSelect = nullptr;
    FItemSelector->SetColumns(FColumns);
    FItemSelector->SetImages(Images());
    FItemSelector->SetItemLayout(FLayout);
    FItemSelector->SetColor(DropDownColor());
    FItemSelector->Items()->BeginUpdate();
    FItemSelector->Items()->Clear();
    FillSelectorItems(FItemSelector->Items());
    FItemSelector->Items()->EndUpdate();
    ApplySelectorSettings();
    FItemSelector->SetItemAppearance(FItemAppearance.get());
    FItemSelector->UpdateSelectorPanel();
    FItemSelector->SetItemIndex(FItemIndex);
    FItemSelector->OnItemSelect = [this](TObject* Sender) { ListSelect(Sender); };
    FItemSelector->SetShowHint(ShowHint());
}

void TExListPickerDropDown::PrepareListForDropDown()
{
    ApplyToSelector();
    if (FItemSelector) {
        if (OnDrawItem)
            FItemSelector->OnDrawItem = [this](TObject*, TCanvas* Canvas, const TRect& R, Integer Index) {
                if (OnDrawItem)
                    OnDrawItem(this, Canvas, R, Index);
            };
        else
            FItemSelector->OnDrawItem = nullptr;
    }
    FOldItemIndex = FItemIndex;
}

void TExListPickerDropDown::UpdateListDropDownSize()
{
    if (!FItemSelector) {
        TExCustomDropDown::UpdateDropDownSize();
        return;
    }
    FItemSelector->SetAlign(alNone);
    TSize Size;
    FItemSelector->GetPanelSize(Size);
    FItemSelector->SetBounds(FItemSelector->Left(), FItemSelector->Top(),
                             DropDownWidth() >= 1 ? FItemSelector->Width() : Size.cx,
                             DropDownHeight() >= 1 ? FItemSelector->Height() : Size.cy);
    // The base sizes from the control as it was handed over.
    SetControl(nullptr);
    SetControl(FItemSelector);
    TExCustomDropDown::UpdateDropDownSize();
    // The hidden pop-up is laid out only when it shows: the list needs its
    // scroll bar when the panel is taller than the room it gets.
    Integer Room = DropDownForm()->Height() - 2 * DropDownBorderWidth();
    if (DropDownHeader()->Visible())
        Room -= DropDownHeader()->Height();
    if (DropDownFooter()->Visible())
        Room -= DropDownFooter()->Height();
    if (FItemSelector->VertScrollBar()->IsScrollBarVisible() || Size.cy > Room)
        DropDownForm()->SetWidth(DropDownForm()->Width() + GetSystemMetrics(SM_CXVSCROLL));
}

void TExListPickerDropDown::ListSelect(TObject*)
{
    if (!FItemSelector)
        return;
    SetItemIndex(FItemSelector->ItemIndex());
    if (!FInternalCall)
        DoHideDropDown(false);
}

// ---------------------------------------------------------------- keys and wheel

bool TExListPickerDropDown::ChooseHotItem()
{
    if (!ListOpen() || FItemSelector->ItemHot() < 0)
        return false;
    FItemSelector->SetItemIndex(FItemSelector->ItemHot());
    return true;
}

void TExListPickerDropDown::PageTo(bool Down)
{
    if (!FItemSelector)
        return;
    if (FItemSelector->Items()->Count() != ItemCount())
        ApplyToSelector();
    const Integer V = FItemSelector->GetVisibleItemCount();
    if (V <= 0)
        return;
    const Integer Index = FItemSelector->ItemIndex();
    const Integer Target = Down ? std::min(Index + V, FItemSelector->Items()->Count() - 1) : std::max(Index - V, 0);
    FItemSelector->SetItemIndex(Target);
}

void TExListPickerDropDown::MoveByColumns(Integer Step)
{
    const Integer Index = FItemSelector->ItemIndex();
    const Integer Target = Index < 0 ? 0 : Index + Step;
    if (Target >= 0 && Target < FItemSelector->Items()->Count())
        FItemSelector->SetItemIndex(Target);
}

void TExListPickerDropDown::TypeAhead(Word Key)
{
    // Only keys that stand for a character: F4 (which opens the pop-up),
    // Shift and the like would otherwise spoil the search.
    const bool Character = Key == VK_SPACE || (Key >= '0' && Key <= '9') || (Key >= 'A' && Key <= 'Z');
    if (!Character)
        return;
    FCurSearch += QChar(Key);
    if (FItemSelector)
        FItemSelector->LookupItem(FCurSearch);
    // A key while the timer runs does not restart it.
    if (!FKeyTimer->Enabled())
        FKeyTimer->SetEnabled(true);
}

void TExListPickerDropDown::ListKeyDown(Word Key, bool HotChosen)
{
    if (!Enabled() || GetKeyState(VK_MENU) < 0)
        return;
    const bool Open = ListOpen();
    InternalCall([&] {
        switch (Key) {
        case VK_RETURN:
            if (!HotChosen && OnSelect)
                OnSelect(this);
            break;
        case VK_PRIOR:
        case VK_NEXT: PageTo(Key == VK_NEXT); break;
        case VK_END: Open ? FItemSelector->SelectLast() : SelectLastItem(); break;
        case VK_HOME: Open ? FItemSelector->SelectFirst() : SelectFirstItem(); break;
        case VK_LEFT:
            if (Open)
                FItemSelector->SelectPrevious();
            break;
        case VK_RIGHT:
            if (Open)
                FItemSelector->SelectNext();
            break;
        case VK_UP:
            if (Open)
                MoveByColumns(-FColumns);
            else
                SelectPreviousItem();
            break;
        case VK_DOWN:
            if (Open)
                MoveByColumns(FColumns);
            else
                SelectNextItem();
            break;
        default:
            if (GetKeyState(VK_CONTROL) >= 0)
                TypeAhead(Key);
            break;
        }
    });
}

void TExListPickerDropDown::ListWheelStep(bool Next)
{
    if (!FItemSelector || !Enabled() || ReadOnly())
        return;
    if (DroppedDown()) {
        Next ? FItemSelector->HotNext() : FItemSelector->HotPrevious();
        return;
    }
    InternalCall([&] { Next ? FItemSelector->SelectNext() : FItemSelector->SelectPrevious(); });
}

// ---------------------------------------------------------------- the picker's own steps

void TExListPickerDropDown::SelectFirstItem()
{
    if (ItemCount() > 0)
        SetItemIndex(0);
}

void TExListPickerDropDown::SelectLastItem()
{
    if (ItemCount() > 0)
        SetItemIndex(ItemCount() - 1);
}

void TExListPickerDropDown::SelectNextItem()
{
    if (ItemCount() == 0)
        return;
    if (FItemIndex < 0)
        SetItemIndex(0);
    else if (FItemIndex + 1 < ItemCount())
        SetItemIndex(FItemIndex + 1);
}

void TExListPickerDropDown::SelectPreviousItem()
{
    if (ItemCount() == 0)
        return;
    if (FItemIndex < 0)
        SetItemIndex(0);
    else if (FItemIndex - 1 >= 0)
        SetItemIndex(FItemIndex - 1);
}
