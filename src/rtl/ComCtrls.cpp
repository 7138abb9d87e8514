#include "rtl/ComCtrls.h"

#include "rtl/ControlBridge.h"

#include <QLocale>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

#include <algorithm>

// ---------------------------------------------------------------- TTabSheet

// Visible as a control, so its controls can take the focus; the page
// control shows and hides its widget with the tab chosen.
TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner) {}

TTabSheet::~TTabSheet()
{
    if (FPageControl)
        FPageControl->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* Value)
{
    SetParent(Value);
}

void TTabSheet::SetParent(TWinControl* AParent)
{
    auto* PC = dynamic_cast<TPageControl*>(AParent);
    if (FPageControl && FPageControl != PC)
        FPageControl->RemovePage(this);
    TWinControl::SetParent(AParent);
    if (PC && FPageControl != PC)
        PC->InsertPage(this);
}

Integer TTabSheet::PageIndex() const
{
    if (!FPageControl)
        return -1;
    const auto& P = FPageControl->FPages;
    return Integer(std::find(P.begin(), P.end(), this) - P.begin());
}

void TTabSheet::SetPageIndex(Integer Value)
{
    if (!FPageControl)
        return;
    auto& P = FPageControl->FPages;
    std::erase(P, this);
    Value = std::clamp(Value, 0, Integer(P.size()));
    P.insert(P.begin() + Value, this);
    FPageControl->SyncTabs();
}

Integer TTabSheet::TabIndex() const
{
    if (!FPageControl || !FTabVisible)
        return -1;
    Integer N = 0;
    for (TTabSheet* S : FPageControl->FPages) {
        if (S == this)
            return N;
        if (S->FTabVisible)
            ++N;
    }
    return -1;
}

void TTabSheet::SetTabVisible(bool Value)
{
    FTabVisible = Value;
    if (FPageControl)
        FPageControl->SyncTabs();
}

void TTabSheet::TextChanged()
{
    if (FPageControl)
        FPageControl->SyncTabs();
}

void TTabSheet::ApplyVisibility()
{
    if (!FPageControl)
        TWinControl::ApplyVisibility();
}

void TTabSheet::PlaceWidget()
{
    // The page control places its pages.
    if (!FPageControl)
        TWinControl::PlaceWidget();
}

// ---------------------------------------------------------------- TPageControl

TPageControl::TPageControl(TComponent* AOwner) : TWinControl(AOwner)
{
    auto* T = new TBridge<QTabWidget>();
    SetWidget(T);
    SetTabStop(true);
    SetBounds(Left(), Top(), 289, 193);
    QObject::connect(T, &QTabWidget::currentChanged, T, [this](int) {
        if (FSyncing)
            return;
        GuardEvent(this, [&] {
            const Integer Now = ActivePageIndex();
            if (Now == FLastIndex)
                return;
            const Integer Before = FLastIndex;
            if (Before >= 0 && !CanChange()) {
                FSyncing = true;
                TabWidget()->setCurrentWidget(FPages[std::size_t(Before)]->Handle());
                FSyncing = false;
                return;
            }
            FLastIndex = Now;
            Change();
        });
    });
}

TPageControl::~TPageControl()
{
    // The pages are freed with the children; they no longer report back.
    FSyncing = true;
    for (TTabSheet* P : FPages)
        P->FPageControl = nullptr;
    FPages.clear();
}

QTabWidget* TPageControl::TabWidget() const
{
    return static_cast<QTabWidget*>(Handle());
}

void TPageControl::InsertPage(TTabSheet* Page)
{
    Page->FPageControl = this;
    FPages.push_back(Page);
    SyncTabs();
}

void TPageControl::RemovePage(TTabSheet* Page)
{
    Page->FPageControl = nullptr;
    std::erase(FPages, Page);
    if (!ComponentState().Contains(csDestroying))
        SyncTabs();
}

void TPageControl::ControlsChanged()
{
}

void TPageControl::SyncTabs()
{
    if (ComponentState().Contains(csDestroying))
        return;
    QTabWidget* T = TabWidget();
    TTabSheet* Active = ActivePage();
    FSyncing = true;
    while (T->count() > 0)
        T->removeTab(0);
    for (TTabSheet* S : FPages) {
        if (!S->FTabVisible) {
            S->Handle()->hide();
            continue;
        }
        T->addTab(S->Handle(), S->Caption());
    }
    if (Active && Active->FTabVisible)
        T->setCurrentWidget(Active->Handle());
    FSyncing = false;
    FLastIndex = ActivePageIndex();
}

TTabSheet* TPageControl::Pages(Integer Index) const
{
    if (Index < 0 || Index >= PageCount())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    return FPages[std::size_t(Index)];
}

TTabSheet* TPageControl::ActivePage() const
{
    const QWidget* W = TabWidget()->currentWidget();
    for (TTabSheet* S : FPages)
        if (S->Handle() == W)
            return S;
    return nullptr;
}

void TPageControl::SetActivePage(TTabSheet* Page)
{
    if (Page && Page->FPageControl != this)
        return;
    FSyncing = true;
    if (Page && Page->FTabVisible)
        TabWidget()->setCurrentWidget(Page->Handle());
    FSyncing = false;
    FLastIndex = ActivePageIndex();
}

Integer TPageControl::ActivePageIndex() const
{
    TTabSheet* A = ActivePage();
    return A ? A->PageIndex() : -1;
}

void TPageControl::SetActivePageIndex(Integer Value)
{
    SetActivePage(Value >= 0 && Value < PageCount() ? FPages[std::size_t(Value)] : nullptr);
}

void TPageControl::SelectNextPage(bool GoForward, bool CheckTabVisible)
{
    const Integer Count = PageCount();
    if (Count == 0)
        return;
    Integer I = ActivePageIndex();
    for (Integer N = 0; N < Count; ++N) {
        I = GoForward ? (I + 1) % Count : (I <= 0 ? Count - 1 : I - 1);
        if (!CheckTabVisible || FPages[std::size_t(I)]->TabVisible()) {
            if (!CanChange())
                return;
            SetActivePageIndex(I);
            Change();
            return;
        }
    }
}

bool TPageControl::CanChange()
{
    bool Allow = true;
    if (OnChanging)
        OnChanging(this, Allow);
    return Allow;
}

void TPageControl::Change()
{
    if (OnChange)
        OnChange(this);
}

// ---------------------------------------------------------------- TUpDown

TUpDown::TUpDown(TComponent* AOwner) : TWinControl(AOwner)
{
    FUp = new QToolButton(Handle());
    FDown = new QToolButton(Handle());
    FUp->setFocusPolicy(Qt::NoFocus);
    FDown->setFocusPolicy(Qt::NoFocus);
    FUp->setAutoRepeat(true);
    FDown->setAutoRepeat(true);
    QObject::connect(FUp, &QToolButton::clicked, FUp, [this] { GuardEvent(this, [&] { ClickButton(btNext); }); });
    QObject::connect(FDown, &QToolButton::clicked, FDown, [this] { GuardEvent(this, [&] { ClickButton(btPrev); }); });
    SetBounds(Left(), Top(), 17, 25);
    SetOrientation(udVertical);
}

void TUpDown::LayoutButtons()
{
    const int W = Width(), H = Height();
    if (FOrientation == udVertical) {
        FUp->setGeometry(0, 0, W, H / 2);
        FDown->setGeometry(0, H / 2, W, H - H / 2);
    } else {
        FDown->setGeometry(0, 0, W / 2, H);
        FUp->setGeometry(W / 2, 0, W - W / 2, H);
    }
}

void TUpDown::PlaceWidget()
{
    TWinControl::PlaceWidget();
    LayoutButtons();
}

void TUpDown::WidgetResized()
{
    TWinControl::WidgetResized();
    LayoutButtons();
}

void TUpDown::SetOrientation(TUDOrientation Value)
{
    FOrientation = Value;
    FUp->setArrowType(Value == udVertical ? Qt::UpArrow : Qt::RightArrow);
    FDown->setArrowType(Value == udVertical ? Qt::DownArrow : Qt::LeftArrow);
    LayoutButtons();
}

void TUpDown::SetMin(Integer Value)
{
    FMin = Value;
    SetPosition(FPosition);
}

void TUpDown::SetMax(Integer Value)
{
    FMax = Value;
    SetPosition(FPosition);
}

void TUpDown::SetPosition(Integer Value)
{
    FPosition = std::clamp(Value, std::min(FMin, FMax), std::max(FMin, FMax));
    UpdateAssociate();
}

void TUpDown::SetThousands(bool Value)
{
    FThousands = Value;
    UpdateAssociate();
}

void TUpDown::SetAlignButton(TUDAlignButton Value)
{
    FAlignButton = Value;
    SetAssociate(FAssociate);
}

void TUpDown::SetAssociate(TWinControl* Value)
{
    FAssociate = Value;
    if (!Value)
        return;
    Value->FreeNotification(this);
    // The buttons sit beside the control, as high as it.
    const Integer L = FAlignButton == udRight ? Value->Left() + Value->Width() : Value->Left() - Width();
    if (Value->Parent() && Parent() != Value->Parent())
        SetParent(Value->Parent());
    SetBounds(L, Value->Top(), Width(), Value->Height());
    UpdateAssociate();
}

void TUpDown::UpdateAssociate()
{
    if (!FAssociate)
        return;
    const String Text = FThousands ? QLocale().toString(FPosition) : QString::number(FPosition);
    FAssociate->SetText(Text);
}

void TUpDown::ClickButton(TUDBtnType Button)
{
    Integer Next = FPosition + (Button == btNext ? FIncrement : -FIncrement);
    if (Next > FMax)
        Next = FWrap ? FMin : FMax;
    else if (Next < FMin)
        Next = FWrap ? FMax : FMin;
    bool Allow = true;
    if (OnChanging)
        OnChanging(this, Allow);
    if (!Allow)
        return;
    SetPosition(Next);
    if (OnClick)
        OnClick(this, Button);
}

void TUpDown::Notification(TComponent* AComponent, TOperation Operation)
{
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FAssociate)
        FAssociate = nullptr;
}

// ---------------------------------------------------------------- TTrackBar

TTrackBar::TTrackBar(TComponent* AOwner) : TWinControl(AOwner)
{
    auto* S = new TBridge<QSlider>();
    SetWidget(S);
    S->setOrientation(Qt::Horizontal);
    S->setTickPosition(QSlider::TicksBelow);
    SetTabStop(true);
    ApplyRange();
    S->setTickInterval(FFrequency);
    S->setPageStep(FPageSize);
    S->setSingleStep(1);
    SetBounds(Left(), Top(), 150, 45);
    QObject::connect(S, &QSlider::valueChanged, S, [this](int) { RunAsEvent([&] { Changed(); }); });
}

QSlider* TTrackBar::Slider() const
{
    return static_cast<QSlider*>(Handle());
}

void TTrackBar::ApplyRange()
{
    Slider()->setRange(FMin, FMax);
}

void TTrackBar::SetMin(Integer Value)
{
    if (Value > FMax)
        return;
    FMin = Value;
    ApplyRange();
}

void TTrackBar::SetMax(Integer Value)
{
    if (Value < FMin)
        return;
    FMax = Value;
    ApplyRange();
}

Integer TTrackBar::Position() const
{
    return Slider()->value();
}

void TTrackBar::SetPosition(Integer Value)
{
    Slider()->setValue(std::clamp(Value, FMin, FMax));
}

void TTrackBar::SetFrequency(Integer Value)
{
    FFrequency = Value;
    Slider()->setTickInterval(std::max(Value, 0));
}

void TTrackBar::SetPageSize(Integer Value)
{
    FPageSize = Value;
    Slider()->setPageStep(std::max(Value, 0));
}

void TTrackBar::SetOrientation(TTrackBarOrientation Value)
{
    FOrientation = Value;
    Slider()->setOrientation(Value == trHorizontal ? Qt::Horizontal : Qt::Vertical);
}

void TTrackBar::Changed()
{
    if (OnChange)
        OnChange(this);
}
