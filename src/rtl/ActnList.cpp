#include "rtl/ActnList.h"

#include "rtl/Controls.h"

#include <algorithm>

// ---------------------------------------------------------------- TBasicAction

TBasicAction::TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}

TBasicAction::~TBasicAction()
{
    while (!FClients.empty())
        FClients.back()->SetAction(nullptr);
}

bool TBasicAction::Execute()
{
    if (!OnExecute)
        return false;
    OnExecute(this);
    return true;
}

void TBasicAction::Change()
{
    if (OnChange)
        OnChange(this);
}

// ---------------------------------------------------------------- TBasicActionLink

TBasicActionLink::~TBasicActionLink()
{
    SetAction(nullptr);
}

void TBasicActionLink::SetAction(TBasicAction* Value)
{
    if (Value == FAction)
        return;
    if (FAction)
        std::erase(FAction->FClients, this);
    FAction = Value;
    if (FAction)
        FAction->FClients.push_back(this);
}

bool TBasicActionLink::Execute(TComponent* AComponent)
{
    if (!FAction)
        return false;
    FAction->SetActionComponent(AComponent);
    const bool Done = FAction->Execute();
    if (FAction)
        FAction->SetActionComponent(nullptr);
    return Done;
}

// ---------------------------------------------------------------- TCustomAction

TCustomAction::TCustomAction(TComponent* AOwner) : TBasicAction(AOwner) {}

template <class T, class V>
void TCustomAction::ChangeValue(T& Field, const T& Value, bool (TActionLink::*IsLinked)() const,
                                void (TActionLink::*Pass)(V))
{
    if (Value == Field)
        return;
    // The links hear of it while the action still has the old value; a link
    // may go while its client changes, so a copy is walked.
    const std::vector<TBasicActionLink*> Links = Clients();
    for (TBasicActionLink* Link : Links)
        if (auto* L = dynamic_cast<TActionLink*>(Link); L && (L->*IsLinked)())
            (L->*Pass)(Value);
    Field = Value;
    Change();
}

void TCustomAction::SetCaption(const String& Value)
{
    ChangeValue(FCaption, Value, &TActionLink::IsCaptionLinked, &TActionLink::SetCaption);
}

void TCustomAction::SetChecked(bool Value)
{
    ChangeValue(FChecked, Value, &TActionLink::IsCheckedLinked, &TActionLink::SetChecked);
}

void TCustomAction::SetEnabled(bool Value)
{
    ChangeValue(FEnabled, Value, &TActionLink::IsEnabledLinked, &TActionLink::SetEnabled);
}

void TCustomAction::SetGroupIndex(Integer Value)
{
    ChangeValue(FGroupIndex, Value, &TActionLink::IsGroupIndexLinked, &TActionLink::SetGroupIndex);
}

// ---------------------------------------------------------------- TControlActionLink

bool TControlActionLink::IsCaptionLinked() const
{
    return TActionLink::IsCaptionLinked() && FClient->Caption() == CustomAction()->Caption();
}

bool TControlActionLink::IsEnabledLinked() const
{
    return TActionLink::IsEnabledLinked() && FClient->Enabled() == CustomAction()->Enabled();
}

void TControlActionLink::SetCaption(const String& Value)
{
    FClient->SetCaption(Value);
}

void TControlActionLink::SetEnabled(bool Value)
{
    FClient->SetEnabled(Value);
}
