#pragma once
// What the colour picker (in list style) and the image picker share: an edit
// that cannot be typed in, whose pop-up holds an item selector filled from
// the picker's own items on every opening; the list keys, the mouse wheel
// and the 500 ms type-ahead.
#include "controls/dropdown/ExItemSelector.h"
#include "rtl/ExtCtrls.h"

#include <memory>

// A changed value stored, then the OnChange of the item's collection (of
// class Collection), as the pickers' item setters report a change.
template <class Collection, class T>
void StoreAndReportChange(TCollectionItem* Item, T& Field, const T& Value)
{
    if (Field == Value)
        return;
    Field = Value;
    if (auto* C = dynamic_cast<Collection*>(Item->Collection()); C && C->OnChange)
        C->OnChange(C);
}

class TExListPickerDropDown : public TExCustomDropDown {
public:
    explicit TExListPickerDropDown(TComponent* AOwner);
    ~TExListPickerDropDown() override;
    // Not editable, the drop-down enabled.
    void AfterConstruction() override;

    Integer Columns() const { return FColumns; }
    void SetColumns(Integer Value) { FColumns = Value; }
    TItemLayout Layout() const { return FLayout; }
    void SetLayout(TItemLayout Value) { FLayout = Value; }
    TItemAppearance* ItemAppearance() const { return FItemAppearance.get(); }
    void SetItemAppearance(TItemAppearance* Value) { FItemAppearance->Assign(Value); }
    Integer ItemIndex() const { return FItemIndex; }
    virtual void SetItemIndex(Integer Value) = 0;
    // The list of the pop-up (nullptr until made).
    TExCustomItemSelector* ItemSelector() const { return FItemSelector; }
    // The type-ahead text and its timer.
    const String& CurSearch() const { return FCurSearch; }
    TTimer* KeyTimer() const { return FKeyTimer; }

    void SetComponentStyle(TQVXStyle AStyle) override;
    void SetSelectionColorStyle(TSelectionColorStyle Value) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    TNotifyEvent OnSelect;
    // Paints a list cell's content (Sender the picker).
    TDrawItemEvent OnDrawItem;

protected:
    // The list made once on the pop-up form, at (0, 0), 150 high.
    void CreateItemSelector(TSelectorType Type);
    // The list takes the picker's settings and items, and its selection.
    void ApplyToSelector();
    // The items of the list, rebuilt from the picker's own.
    virtual void FillSelectorItems(TSelectorItems* Items) = 0;
    // Settings of the list besides the shared ones.
    virtual void ApplySelectorSettings() {}
    virtual Integer ItemCount() const = 0;
    // The pop-up sized from the list's preferred size.
    void UpdateListDropDownSize();
    // ApplyToSelector, the cell painting forwarded, the index remembered.
    void PrepareListForDropDown();
    // Cancelling gives back the index the pop-up opened with.
    void RestoreOldItemIndex() { SetItemIndex(FOldItemIndex); }
    void ListSelect(TObject* Sender);

    // Enter on the list's hot item chooses it; true when it did.
    bool ChooseHotItem();
    // The list keys (after the inherited key handling); Enter raises
    // OnSelect unless HotChosen.
    void ListKeyDown(Word Key, bool HotChosen);
    // The wheel: the hot item moves while open, the choice while closed.
    void ListWheelStep(bool Next);

    // The picker's own steps through its items (closed pop-up).
    void SelectFirstItem();
    void SelectLastItem();
    void SelectNextItem();
    void SelectPreviousItem();

    // Runs Body with FInternalCall set, so the list's selection event does
    // not close the pop-up.
    template <class F>
    void InternalCall(F&& Body)
    {
        const bool Old = FInternalCall;
        FInternalCall = true;
        try {
            Body();
        } catch (...) {
            FInternalCall = Old;
            throw;
        }
        FInternalCall = Old;
    }
    bool IsInternalCall() const { return FInternalCall; }
    bool ListOpen() const { return FItemSelector && DroppedDown(); }

    TExCustomItemSelector* FItemSelector = nullptr;
    Integer FItemIndex = -1;
    Integer FOldItemIndex = -1;

private:
    void PageTo(bool Down);
    void MoveByColumns(Integer Step);
    void TypeAhead(Word Key);

    Integer FColumns = 1;
    TItemLayout FLayout = ilCaptionRight;
    std::unique_ptr<TItemAppearance> FItemAppearance;
    bool FInternalCall = false;
    String FCurSearch;
    TTimer* FKeyTimer = nullptr;
};
