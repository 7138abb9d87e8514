#include "rtl/Classes.h"

#include <algorithm>
#include <cxxabi.h>
#include <cstdlib>
#include <memory>
#include <typeinfo>

// ---------------------------------------------------------------- TObject

String TObject::ClassName() const
{
    const char* Mangled = typeid(*this).name();
    int Status = 0;
    std::unique_ptr<char, void (*)(void*)> Demangled(
        abi::__cxa_demangle(Mangled, nullptr, nullptr, &Status), std::free);
    String Name = QString::fromLatin1(Status == 0 && Demangled ? Demangled.get() : Mangled);
    const qsizetype Scope = Name.lastIndexOf(QLatin1String("::"));
    return Scope < 0 ? Name : Name.mid(Scope + 2);
}

void TObject::operator delete(TObject* Obj, std::destroying_delete_t)
{
    if (!Obj)
        return;
    Obj->BeforeDestruction();
    void* Memory = dynamic_cast<void*>(Obj);
    Obj->~TObject();
    ::operator delete(Memory);
}

// ---------------------------------------------------------------- TInterfacedObject

Integer TInterfacedObject::_Release()
{
    const Integer Count = --FRefCount;
    if (Count == 0)
        delete this;
    return Count;
}

// ---------------------------------------------------------------- TPersistent

void TPersistent::Assign(TPersistent* Source)
{
    if (Source)
        Source->AssignTo(this);
    else
        AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest) { Dest->AssignError(this); }

void TPersistent::AssignError(TPersistent* Source)
{
    const String SourceName = Source ? Source->ClassName() : QStringLiteral("nil");
    throw EConvertError(QStringLiteral("Cannot assign a %1 to a %2").arg(SourceName, ClassName()));
}

// ---------------------------------------------------------------- TComponent

namespace {

bool IsValidComponentName(const String& Name)
{
    if (Name.isEmpty())
        return false;
    for (qsizetype I = 0; I < Name.size(); ++I) {
        const char16_t C = Name.at(I).unicode();
        const bool Letter = (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z') || C == '_';
        const bool Digit = C >= '0' && C <= '9';
        if (!Letter && !(Digit && I > 0))
            return false;
    }
    return true;
}

} // namespace

TComponent::TComponent(TComponent* AOwner)
{
    if (AOwner)
        AOwner->InsertComponent(this);
}

TComponent::~TComponent()
{
    // Repeats what BeforeDestruction did for objects that were not freed
    // through delete (members, automatic variables); each step is idempotent.
    Destroying();
    RemoveFreeNotifications();
    DestroyComponents();
    if (FOwner)
        FOwner->RemoveComponent(this);
}

void TComponent::BeforeDestruction()
{
    Destroying();
    RemoveFreeNotifications();
}

void TComponent::Destroying()
{
    if (FComponentState.Contains(csDestroying))
        return;
    FComponentState.Include(csDestroying);
    for (TComponent* C : FComponents)
        C->Destroying();
}

void TComponent::DestroyComponents()
{
    while (!FComponents.empty()) {
        TComponent* Instance = FComponents.back();
        // Siblings that asked to hear of it are told; others are freed quietly.
        if (Instance->FComponentState.Contains(csFreeNotification))
            RemoveComponent(Instance);
        else
            Remove(Instance);
        delete Instance;
    }
}

TComponent* TComponent::Components(int Index) const
{
    if (Index < 0 || Index >= ComponentCount())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    return FComponents[static_cast<std::size_t>(Index)];
}

void TComponent::InsertComponent(TComponent* AComponent)
{
    if (!AComponent || AComponent->FOwner == this)
        return;
    ValidateRename(AComponent, String(), AComponent->FName);
    if (AComponent->FOwner)
        AComponent->FOwner->RemoveComponent(AComponent);
    Insert(AComponent);
    if (FComponentState.Contains(csDesigning))
        AComponent->SetDesigning(true);
    Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent)
{
    if (!AComponent || AComponent->FOwner != this)
        return;
    Notification(AComponent, opRemove);
    Remove(AComponent);
}

void TComponent::Insert(TComponent* AComponent)
{
    FComponents.push_back(AComponent);
    AComponent->FOwner = this;
}

void TComponent::Remove(TComponent* AComponent)
{
    std::erase(FComponents, AComponent);
    AComponent->FOwner = nullptr;
}

TComponent* TComponent::FindComponent(const String& AName) const
{
    if (AName.isEmpty())
        return nullptr;
    for (TComponent* C : FComponents)
        if (C->FName.compare(AName, Qt::CaseInsensitive) == 0)
            return C;
    return nullptr;
}

void TComponent::SetName(const String& NewName)
{
    if (FName == NewName)
        return;
    if (!NewName.isEmpty() && !IsValidComponentName(NewName))
        throw EComponentError(QStringLiteral("'%1' is not a valid component name").arg(NewName));
    if (FOwner)
        FOwner->ValidateRename(this, FName, NewName);
    else
        ValidateRename(nullptr, FName, NewName);
    FName = NewName;
}

void TComponent::ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName)
{
    if (!AComponent || CurName.compare(NewName, Qt::CaseInsensitive) == 0)
        return;
    const TComponent* Found = FindComponent(NewName);
    if (Found && Found != AComponent)
        throw EComponentError(QStringLiteral("A component named %1 already exists").arg(NewName));
}

void TComponent::FreeNotification(TComponent* AComponent)
{
    if (!AComponent || AComponent == this)
        return;
    // Components of one owner hear of each other through the owner anyway.
    if (!FOwner || AComponent->FOwner != FOwner) {
        if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end()) {
            FFreeNotifies.push_back(AComponent);
            AComponent->FreeNotification(this);
        }
    }
    FComponentState.Include(csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent)
{
    if (!AComponent)
        return;
    RemoveNotification(AComponent);
    AComponent->RemoveNotification(this);
}

void TComponent::RemoveNotification(TComponent* AComponent) { std::erase(FFreeNotifies, AComponent); }

void TComponent::RemoveFreeNotifications()
{
    // Each entry is dropped before its component hears of it, so an override
    // of Notification that does not call the inherited one cannot loop.
    while (!FFreeNotifies.empty()) {
        TComponent* Other = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        Other->RemoveNotification(this);
        Other->Notification(this, opRemove);
    }
}

void TComponent::Loading() { FComponentState.Include(csLoading); }

void TComponent::Loaded() { FComponentState.Exclude(csLoading); }

void TComponent::Notification(TComponent* AComponent, TOperation Operation)
{
    if (Operation == opRemove && AComponent)
        RemoveFreeNotification(AComponent);
    // A component may free others while it hears of this: keep the index
    // within the list as it shrinks.
    for (std::size_t I = FComponents.size(); I > 0;) {
        --I;
        FComponents[I]->Notification(AComponent, Operation);
        if (I > FComponents.size())
            I = FComponents.size();
    }
}

void TComponent::SetDesigning(bool Value, bool SetChildren)
{
    if (Value)
        FComponentState.Include(csDesigning);
    else
        FComponentState.Exclude(csDesigning);
    if (SetChildren)
        for (TComponent* C : FComponents)
            C->SetDesigning(Value);
}
