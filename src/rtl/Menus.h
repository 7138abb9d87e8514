#pragma once
// Pop-up menus and their items.
#include "rtl/Controls.h"

#include <memory>
#include <vector>

class QMenu;

// A menu entry; a caption of "-" makes it a separator. Items own their
// sub-items.
class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override;

    Integer Count() const { return Integer(FItems.size()); }
    // Raises EMenuError "Menu index out of range" outside 0..Count-1.
    TMenuItem* Items(Integer Index) const;
    TMenuItem* Parent() const { return FParent; }
    // Takes Item as the last sub-item (the item is then freed with this one).
    void Add(TMenuItem* Item);
    void Insert(Integer Index, TMenuItem* Item);
    void Remove(TMenuItem* Item);
    void Delete(Integer Index);
    void Clear();
    Integer IndexOf(const TMenuItem* Item) const;
    Integer MenuIndex() const { return FParent ? FParent->IndexOf(this) : -1; }
    bool IsLine() const { return FCaption == QLatin1String("-"); }

    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value) { FCaption = Value; }
    const String& Hint() const { return FHint; }
    void SetHint(const String& Value) { FHint = Value; }
    bool Checked() const { return FChecked; }
    void SetChecked(bool Value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value) { FVisible = Value; }
    bool RadioItem() const { return FRadioItem; }
    void SetRadioItem(bool Value) { FRadioItem = Value; }
    Byte GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(Byte Value) { FGroupIndex = Value; }
    bool AutoCheck() const { return FAutoCheck; }
    void SetAutoCheck(bool Value) { FAutoCheck = Value; }
    Integer ImageIndex() const { return FImageIndex; }
    void SetImageIndex(Integer Value) { FImageIndex = Value; }

    // What choosing the item does: AutoCheck toggles Checked, then OnClick.
    virtual void Click();

    TNotifyEvent OnClick;

private:
    std::vector<TMenuItem*> FItems;
    TMenuItem* FParent = nullptr;
    String FCaption;
    String FHint;
    bool FChecked = false;
    bool FEnabled = true;
    bool FVisible = true;
    bool FRadioItem = false;
    Byte FGroupIndex = 0;
    bool FAutoCheck = false;
    Integer FImageIndex = -1;
};

RTL_DECLARE_EXCEPTION(EMenuError, Exception)

enum TPopupAlignment { paLeft, paRight, paCenter };

class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* AOwner);
    ~TPopupMenu() override;

    TMenuItem* Items() const { return FItems; }
    bool AutoPopup() const { return FAutoPopup; }
    void SetAutoPopup(bool Value) { FAutoPopup = Value; }
    TPopupAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TPopupAlignment Value) { FAlignment = Value; }
    // The control whose context menu this was last.
    TComponent* PopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(TComponent* Value) { FPopupComponent = Value; }

    // Raises OnPopup, then shows the menu with its top-left corner at the
    // screen point. The chosen item's Click runs from the event loop.
    virtual void Popup(Integer X, Integer Y);
    // The menu while it is shown (for the layer and its tests).
    QMenu* PopupWidget() const;
    void ClosePopup();

    void Notification(TComponent* AComponent, TOperation Operation) override;

    TNotifyEvent OnPopup;

private:
    TMenuItem* FItems;
    bool FAutoPopup = true;
    TPopupAlignment FAlignment = paLeft;
    TComponent* FPopupComponent = nullptr;
    std::unique_ptr<QMenu> FMenu;
};

// A new item with a caption and a click event (NewItem of the framework).
TMenuItem* NewItem(const String& Caption, const TNotifyEvent& OnClick, bool Checked = false,
                   bool Enabled = true, const String& Name = String());
TMenuItem* NewLine();
