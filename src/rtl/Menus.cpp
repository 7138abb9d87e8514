#include "rtl/Menus.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

// ---------------------------------------------------------------- TMenuItem

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem()
{
    Clear();
    if (FParent)
        FParent->Remove(this);
}

TMenuItem* TMenuItem::Items(Integer Index) const
{
    if (Index < 0 || Index >= Count())
        throw EMenuError(QStringLiteral("Menu index out of range"));
    return FItems[std::size_t(Index)];
}

void TMenuItem::Add(TMenuItem* Item)
{
    Insert(Count(), Item);
}

void TMenuItem::Insert(Integer Index, TMenuItem* Item)
{
    if (!Item)
        return;
    if (Item->FParent)
        throw EMenuError(QStringLiteral("Menu inserted twice"));
    if (Index < 0 || Index > Count())
        throw EMenuError(QStringLiteral("Menu index out of range"));
    FItems.insert(FItems.begin() + Index, Item);
    Item->FParent = this;
}

void TMenuItem::Remove(TMenuItem* Item)
{
    const auto It = std::find(FItems.begin(), FItems.end(), Item);
    if (It == FItems.end())
        throw EMenuError(QStringLiteral("Sub-menu is not in menu"));
    FItems.erase(It);
    Item->FParent = nullptr;
}

void TMenuItem::Delete(Integer Index)
{
    Remove(Items(Index));
}

void TMenuItem::Clear()
{
    while (!FItems.empty()) {
        TMenuItem* I = FItems.back();
        FItems.pop_back();
        I->FParent = nullptr;
        delete I;
    }
}

Integer TMenuItem::IndexOf(const TMenuItem* Item) const
{
    const auto It = std::find(FItems.begin(), FItems.end(), Item);
    return It == FItems.end() ? -1 : Integer(It - FItems.begin());
}

void TMenuItem::SetChecked(bool Value)
{
    FChecked = Value;
    // A checked radio item unchecks the others of its group.
    if (Value && FRadioItem && FParent)
        for (TMenuItem* I : FParent->FItems)
            if (I != this && I->FRadioItem && I->FGroupIndex == FGroupIndex)
                I->FChecked = false;
}

void TMenuItem::Click()
{
    if (!FEnabled)
        return;
    if (FAutoCheck)
        SetChecked(!FChecked || FRadioItem);
    if (OnClick)
        OnClick(this);
}

TMenuItem* NewItem(const String& Caption, const TNotifyEvent& OnClick, bool Checked, bool Enabled, const String& Name)
{
    auto* Item = new TMenuItem(nullptr);
    Item->SetCaption(Caption);
    Item->OnClick = OnClick;
    Item->SetChecked(Checked);
    Item->SetEnabled(Enabled);
    Item->SetName(Name);
    return Item;
}

TMenuItem* NewLine()
{
    auto* Item = new TMenuItem(nullptr);
    Item->SetCaption(QStringLiteral("-"));
    return Item;
}

// ---------------------------------------------------------------- TPopupMenu

TPopupMenu::TPopupMenu(TComponent* AOwner) : TComponent(AOwner), FItems(new TMenuItem(nullptr)) {}

namespace {

// The shown menu goes when Qt is done with it: a choice may free the menu
// (or the control that owns it) while its action is still being triggered,
// and its items must not be reached after that.
void RetireMenu(std::unique_ptr<QMenu>& Menu)
{
    if (!Menu)
        return;
    Menu->hide();
    for (QAction* A : Menu->findChildren<QAction*>())
        A->disconnect();
    Menu.release()->deleteLater();
}

} // namespace

TPopupMenu::~TPopupMenu()
{
    RetireMenu(FMenu);
    delete FItems;
}

namespace {

void FillMenu(QMenu* Menu, TMenuItem* Root)
{
    for (Integer I = 0; I < Root->Count(); ++I) {
        TMenuItem* Item = Root->Items(I);
        if (!Item->Visible())
            continue;
        if (Item->IsLine()) {
            Menu->addSeparator();
            continue;
        }
        if (Item->Count() > 0) {
            QMenu* Sub = Menu->addMenu(Item->Caption());
            Sub->setEnabled(Item->Enabled());
            FillMenu(Sub, Item);
            continue;
        }
        QAction* A = Menu->addAction(Item->Caption());
        A->setEnabled(Item->Enabled());
        A->setCheckable(Item->Checked() || Item->AutoCheck() || Item->RadioItem());
        A->setChecked(Item->Checked());
        QObject::connect(A, &QAction::triggered, Menu, [Item] {
            GuardEvent(Item, [&] { Item->Click(); });
        });
    }
}

} // namespace

void TPopupMenu::Popup(Integer X, Integer Y)
{
    if (OnPopup)
        OnPopup(this);
    RetireMenu(FMenu);
    FMenu = std::make_unique<QMenu>();
    FillMenu(FMenu.get(), FItems);
    QPoint P(X, Y);
    if (FAlignment != paLeft) {
        const int W = FMenu->sizeHint().width();
        P.rx() -= FAlignment == paRight ? W : W / 2;
    }
    FMenu->popup(P);
}

QMenu* TPopupMenu::PopupWidget() const
{
    return FMenu && FMenu->isVisible() ? FMenu.get() : nullptr;
}

void TPopupMenu::ClosePopup()
{
    if (FMenu)
        FMenu->close();
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FPopupComponent)
        FPopupComponent = nullptr;
}
