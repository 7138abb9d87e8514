#pragma once
// The header and footer bars of a drop-down editor's pop-up: their look and
// their buttons. The drop-down controls and every grid's look settings hold
// one of each. Only Visible and the buttons' Caption, Enabled and Width
// notify; everything else just stores.
#include "rtl/Controls.h"
#include "rtl/TypInfo.h"

#include <memory>

RTL_NAMED_ENUM(TButtonAlignment, baLeft, baRight)

// ---------------------------------------------------------------------------
// Buttons

// What header and footer buttons share.
class TDropDownBarButton : public TCollectionItem {
public:
    using TCollectionItem::TCollectionItem;

    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value);
    Integer ImageIndex() const { return FImageIndex; }
    void SetImageIndex(Integer Value) { FImageIndex = Value; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    // Stored without notice.
    Integer Height() const { return FHeight; }
    void SetHeight(Integer Value) { FHeight = Value; }
    Integer Width() const { return FWidth; }
    void SetWidth(Integer Value);

protected:
    // Caption, image, enabled, width and height through the setters.
    void AssignButton(const TDropDownBarButton& Source);

private:
    // Tells the owning collection's OnChange.
    void ButtonChanged();

    String FCaption;
    Integer FImageIndex = -1;
    bool FEnabled = true;
    Integer FHeight = 0;
    Integer FWidth = 0;
};

class THeaderButton : public TDropDownBarButton {
public:
    using TDropDownBarButton::TDropDownBarButton;
    void Assign(TPersistent* Source) override;
};

class TFooterButton : public TDropDownBarButton {
public:
    using TDropDownBarButton::TDropDownBarButton;
    void Assign(TPersistent* Source) override;

    // The result the pop-up closes with when the button is pressed.
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value) { FModalResult = Value; }

private:
    TModalResult FModalResult = 0;
};

// A bar's buttons; OnChange reports a changed button.
class TDropDownBarButtons : public TCollection {
public:
    TDropDownBarButtons(TPersistent* AOwner, TCollectionItemClass ItemClass)
        : TCollection(std::move(ItemClass), AOwner), FMyOwner(AOwner)
    {
    }
    TPersistent* MyOwner() const { return FMyOwner; }

    TNotifyEvent OnChange;

private:
    TPersistent* FMyOwner;
};

template <class Item>
class TDropDownBarButtonList : public TDropDownBarButtons {
public:
    explicit TDropDownBarButtonList(TPersistent* AOwner)
        : TDropDownBarButtons(AOwner, CollectionItemClass<Item>())
    {
    }
    Item* Add() { return static_cast<Item*>(TCollection::Add()); }
    Item* Insert(int Index) { return static_cast<Item*>(TCollection::Insert(Index)); }
    Item* Items(int Index) const { return GetItem(Index); }
    Item* GetItem(int Index) const { return static_cast<Item*>(TCollection::Items(Index)); }
};

using THeaderButtons = TDropDownBarButtonList<THeaderButton>;
using TFooterButtons = TDropDownBarButtonList<TFooterButton>;

// ---------------------------------------------------------------------------
// Bars

// What the header and footer bars share.
class TDropDownBarAppearance : public TPersistent {
public:
    ~TDropDownBarAppearance() override;

    TPersistent* Owner() const { return FOwner; }
    // Notifies OnChange when it changes.
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    RTL_STORED_PROPERTY(Integer, Height, 22)
    RTL_STORED_PROPERTY(Integer, BorderWidth, 1)
    RTL_STORED_PROPERTY(Integer, ImageIndex, -1)
    RTL_STORED_PROPERTY(String, Caption, String())
    RTL_STORED_PROPERTY(TColor, ColorTo, clWhite)
    RTL_STORED_PROPERTY(TColor, Color, clSilver)
    RTL_STORED_PROPERTY(TColor, BorderColor, clBlack)
    TFont* Font() const { return FFont.get(); }
    // Copies the font's attributes in.
    void SetFont(TFont* Value) { FFont->Assign(Value); }
    RTL_STORED_PROPERTY(TGradientDirection, GradientDirection, gdVertical)
    RTL_STORED_PROPERTY(TButtonAlignment, ButtonAlignment, baRight)

    TNotifyEvent OnChange;
    TNotifyEvent OnButtonsChanged;

protected:
    TDropDownBarAppearance(TPersistent* AOwner, std::unique_ptr<TDropDownBarButtons> AButtons);
    TDropDownBarButtons* BarButtons() const { return FButtons.get(); }
    // The look, Visible (through its setter) and the buttons.
    void AssignBar(const TDropDownBarAppearance& Source);
    // Colours, font and gradient direction only.
    void AssignBarColors(const TDropDownBarAppearance& Source);

private:
    TPersistent* FOwner;
    bool FVisible = true;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TDropDownBarButtons> FButtons;
};

class THeaderAppearance : public TDropDownBarAppearance {
public:
    explicit THeaderAppearance(TPersistent* AOwner);

    // From another header appearance only; anything else is ignored.
    void Assign(TPersistent* Source) override;
    void AssignColors(TPersistent* Source);

    THeaderButtons* Buttons() const { return static_cast<THeaderButtons*>(BarButtons()); }
    // Copies the items in.
    void SetButtons(THeaderButtons* Value) { BarButtons()->Assign(Value); }
};

class TFooterAppearance : public TDropDownBarAppearance {
public:
    explicit TFooterAppearance(TPersistent* AOwner);

    // From another footer appearance only (with SizeGrip).
    void Assign(TPersistent* Source) override;
    void AssignColors(TPersistent* Source);

    // The footer shows a grip that resizes the pop-up.
    RTL_STORED_PROPERTY(bool, SizeGrip, true)
    TFooterButtons* Buttons() const { return static_cast<TFooterButtons*>(BarButtons()); }
    void SetButtons(TFooterButtons* Value) { BarButtons()->Assign(Value); }
};
