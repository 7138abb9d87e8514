#pragma once
// The detail drop-down: choose one entry of a list whose entries carry an
// image, a caption and a few lines of mini-HTML notes. The edit shows the
// caption of the chosen entry and completes typed text from the captions;
// the pop-up hosts an item selector in one column whose cells the control
// draws itself.
#include "controls/dropdown/ExDropDown.h"
#include "controls/dropdown/ExItemSelector.h"
#include "rtl/ExtCtrls.h"

#include <memory>

class TDetailItem : public TCollectionItem {
public:
    explicit TDetailItem(TCollection* ACollection);
    ~TDetailItem() override;

    // Caption, image index, picture, notes, tag and object reference.
    void Assign(TPersistent* Source) override;

    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value);
    Integer ImageIndex() const { return FImageIndex; }
    void SetImageIndex(Integer Value);
    TPicture* Image() const { return FImage.get(); }
    void SetImage(TPicture* Value) { FImage->Assign(Value); }
    RTL_STORED_PROPERTY(String, Notes, String())
    RTL_STORED_PROPERTY(Integer, Tag, 0)
    // Not owned.
    TObject* ItemObject() const { return FItemObject; }
    void SetItemObject(TObject* Value) { FItemObject = Value; }

private:
    void ReportChange();

    String FCaption;
    Integer FImageIndex = -1;
    std::unique_ptr<TPicture> FImage;
    TObject* FItemObject = nullptr;
};

class TDetailItems : public TCollection {
public:
    explicit TDetailItems(TPersistent* AOwner) : TCollection(CollectionItemClass<TDetailItem>(), AOwner) {}
    TPersistent* GetOwner() const { return Owner(); }
    TDetailItem* Add() { return static_cast<TDetailItem*>(TCollection::Add()); }
    TDetailItem* Insert(int Index) { return static_cast<TDetailItem*>(TCollection::Insert(Index)); }
    TDetailItem* Items(int Index) const { return static_cast<TDetailItem*>(TCollection::Items(Index)); }
    void SetItems(int Index, TDetailItem* Value) { TCollection::SetItems(Index, Value); }
    // The first item whose caption equals Text exactly; -1 for none.
    Integer IndexOf(const String& Text) const;

    TNotifyEvent OnChange;
};

class TExDetailDropDown : public TExCustomDropDown {
public:
    explicit TExDetailDropDown(TComponent* AOwner);
    ~TExDetailDropDown() override;
    // Its defaults, after the drop-down's construction steps.
    void AfterConstruction() override;

    TDetailItems* Items() const { return FItems.get(); }
    void SetItems(TDetailItems* Value) { FItems->Assign(Value); }
    Integer ItemIndex() const { return FItemIndex; }
    void SetItemIndex(Integer Value);
    RTL_STORED_PROPERTY(Integer, ItemHeight, 22)
    RTL_STORED_PROPERTY(TItemLayout, Layout, ilCaptionRight)
    TItemAppearance* ItemAppearance() const { return FItemAppearance.get(); }
    void SetItemAppearance(TItemAppearance* Value) { FItemAppearance->Assign(Value); }
    TFont* CaptionFont() const { return FCaptionFont.get(); }
    void SetCaptionFont(TFont* Value) { FCaptionFont->Assign(Value); }
    TFont* NotesFont() const { return FNotesFont.get(); }
    void SetNotesFont(TFont* Value) { FNotesFont->Assign(Value); }
    RTL_STORED_PROPERTY(bool, MatchCase, false)
    // Completion and key search always match at the start of a caption.
    RTL_STORED_PROPERTY(bool, MatchStart, true)

    void SelectFirst();
    void SelectLast();
    void SelectNext() override;
    void SelectPrevious() override;

    TExCustomItemSelector* ItemSelector() const { return FItemSelector; }
    // The text of the running key search.
    const String& CurSearch() const { return FCurSearch; }
    bool KeyTimerRunning() const { return FKeyTimer->Enabled(); }
    // The key timer's tick: the search ends.
    void KeyTimerTick();

    // The selector's cell size and drawing.
    void ItemSize(TObject* Sender, TSize& ASize);
    void DrawItem(TObject* Sender, TCanvas* Canvas, const TRect& R, Integer Index);

    void SetComponentStyle(TQVXStyle AStyle) override;
    void SetSelectionColorStyle(TSelectionColorStyle Value) override;
    void CreateDropDownForm() override;
    void DoBeforeDropDown() override;
    void DoShowDropDown() override;
    void UpdateDropDownSize() override;
    void DoHideDropDown(bool Cancel) override;
    void DropDownResized() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    TNotifyEvent OnSelect;
    TOnDrawSelectedItem OnDrawSelectedImage;

protected:
    void WMKeyDown(TWMKey& Message) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    // Completes the typed text from the captions.
    void Change() override;

private:
    void InitSelector();
    void FillSelector();
    void ItemSelected(TObject* Sender);
    // The caption of the entry as the text, selected whole.
    void ShowCaption(Integer Index);
    // Selects cell V of the open selector without closing the pop-up.
    void SelectCell(Integer V);
    // One cell down (or up) in the open selector, from none to cell 0.
    void StepSelector(Integer Delta);
    // Keys before the edit sees them; true when the key is swallowed.
    bool SelectorKey(Word Key);
    void KeySearch(Word Key);
    String MatchCaseText(const String& S) const;
    void DrawItemImage(TCanvas* Canvas, TDetailItem* Item, TRect& R);
    TColor StateColor(TColor Color, Integer Index) const;
    // The text written without completion.
    void WriteText(const String& Text);

    std::unique_ptr<TDetailItems> FItems;
    std::unique_ptr<TItemAppearance> FItemAppearance;
    std::unique_ptr<TFont> FCaptionFont;
    std::unique_ptr<TFont> FNotesFont;
    Integer FItemIndex = -1;
    TExCustomItemSelector* FItemSelector = nullptr;
    TTimer* FKeyTimer = nullptr;
    String FCurSearch;
    Integer FOldItemIndex = -1;
    bool FWorkMode = true;
    bool FItemChange = false;
    Integer FItemIdx = -1;
    Integer FItemSel = 0;
    // Compared in the change handling, never assigned.
    String FOldValue;
    bool FInternalCall = false;
    // Set while the control writes the text itself (no completion then).
    bool FWritingText = false;
};
