#pragma once
// Objects, components, lists, string lists, collections and streams.
#include "rtl/Sets.h"
#include "rtl/SysUtils.h"

#include <cstdint>
#include <functional>
#include <new>
#include <vector>

using NativeInt = std::intptr_t;

RTL_DECLARE_EXCEPTION(EComponentError, Exception)

// Root of the framework's class tree; virtual so objects are freed through it.
//
// "delete" on any object calls BeforeDestruction() first, while the object is
// still whole, and only then runs the destructors (most derived first). That
// is the framework's order: a component is marked as destroying before any
// destructor body sees it.
class TObject {
public:
    virtual ~TObject() = default;

    // The class name without namespaces, as in messages ("TStringList").
    String ClassName() const;
    virtual void BeforeDestruction() {}

    void operator delete(TObject* Obj, std::destroying_delete_t);
};

using TNotifyEvent = std::function<void(TObject* Sender)>;

// An object whose content can be copied from another through Assign.
class TPersistent : public TObject {
public:
    // Copies Source's content. A class that does not know Source asks Source
    // to AssignTo it; if neither knows the other, EConvertError
    // "Cannot assign a TSource to a TDest".
    virtual void Assign(TPersistent* Source);

protected:
    virtual void AssignTo(TPersistent* Dest);
    [[noreturn]] void AssignError(TPersistent* Source);
};

enum TOperation { opInsert, opRemove };

enum TComponentStateItem {
    csLoading, csReading, csWriting, csDestroying, csDesigning, csAncestor,
    csUpdating, csFixups, csFreeNotification, csInline, csDesignInstance
};
using TComponentState = TSet<TComponentStateItem>;

// A component is freed by its owner. The owner frees what it owns in reverse
// order of insertion, after its own destructor bodies have run (they may
// still use owned components). Freeing a component that has an owner removes
// it from the owner first, so nothing is freed twice. TComponent knows
// nothing of Qt's parent/child tree: a descendant that wraps a widget
// releases its widget in its own destructor.
class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    // Marks this component and everything it owns as destroying and tells
    // the components that asked for FreeNotification that it goes away.
    void BeforeDestruction() override;
    void Destroying();
    // Frees the owned components, last inserted first.
    void DestroyComponents();

    TComponent* Owner() const { return FOwner; }
    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int Index) const;
    // Takes ownership of AComponent (from its previous owner, if any).
    void InsertComponent(TComponent* AComponent);
    // Gives up ownership of AComponent without freeing it.
    void RemoveComponent(TComponent* AComponent);
    // The owned component of that name, compared without case; null if none.
    TComponent* FindComponent(const String& AName) const;

    const String& Name() const { return FName; }
    // A name is empty or an identifier, unique among the owner's components.
    virtual void SetName(const String& NewName);
    NativeInt Tag() const { return FTag; }
    void SetTag(NativeInt Value) { FTag = Value; }

    TComponentState ComponentState() const { return FComponentState; }

    // AComponent gets Notification(this, opRemove) when this is freed, and
    // the other way round.
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

    // Called after the component's properties have been loaded.
    virtual void Loaded();
    // opInsert/opRemove for components inserted into or removed from the
    // owner, passed on to every owned component, and opRemove for components
    // this one asked to be told about. With opRemove, AComponent is being
    // freed: compare the pointer, do not use the object.
    virtual void Notification(TComponent* AComponent, TOperation Operation);

protected:
    void Loading();
    void SetDesigning(bool Value, bool SetChildren = true);
    virtual void ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName);

private:
    void Insert(TComponent* AComponent);
    void Remove(TComponent* AComponent);
    void RemoveNotification(TComponent* AComponent);
    void RemoveFreeNotifications();

    TComponent* FOwner = nullptr;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
    String FName;
    NativeInt FTag = 0;
    TComponentState FComponentState;
};
