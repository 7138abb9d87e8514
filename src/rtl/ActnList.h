#pragma once
// Actions: a command with a caption, check and enabled state and a group,
// shared by the controls linked to it. A control links to an action through
// its Action property; the link decides which of the action's changes
// reach the control (a property is linked while the control still shows
// the action's value).
#include "rtl/Classes.h"

#include <vector>

class TControl;
class TBasicActionLink;

class TBasicAction : public TComponent {
public:
    explicit TBasicAction(TComponent* AOwner);
    // The links lose their action.
    ~TBasicAction() override;

    // Raises OnExecute; false when there is none.
    virtual bool Execute();
    // The control whose link executed the action last.
    TComponent* ActionComponent() const { return FActionComponent; }
    void SetActionComponent(TComponent* Value) { FActionComponent = Value; }

    TNotifyEvent OnExecute;
    TNotifyEvent OnChange;

protected:
    friend class TBasicActionLink;
    // Raises OnChange.
    virtual void Change();
    const std::vector<TBasicActionLink*>& Clients() const { return FClients; }

private:
    std::vector<TBasicActionLink*> FClients;
    TComponent* FActionComponent = nullptr;
};

class TBasicActionLink : public TObject {
public:
    TBasicActionLink() = default;
    ~TBasicActionLink() override;
    TBasicActionLink(const TBasicActionLink&) = delete;
    TBasicActionLink& operator=(const TBasicActionLink&) = delete;

    TBasicAction* Action() const { return FAction; }
    void SetAction(TBasicAction* Value);
    // Executes the action on behalf of AComponent; false without an action.
    virtual bool Execute(TComponent* AComponent = nullptr);

protected:
    TBasicAction* FAction = nullptr;
};

class TActionLink;

class TCustomAction : public TBasicAction {
public:
    explicit TCustomAction(TComponent* AOwner);

    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value);
    bool Checked() const { return FChecked; }
    void SetChecked(bool Value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    Integer GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(Integer Value);

private:
    // Stores a new value after handing it to every link where linked.
    template <class T, class V>
    void ChangeValue(T& Field, const T& Value, bool (TActionLink::*IsLinked)() const,
                     void (TActionLink::*Pass)(V));

    String FCaption;
    bool FChecked = false;
    bool FEnabled = true;
    Integer FGroupIndex = 0;
};

// The link of a client to a TCustomAction. A property is linked while the
// link's Is...Linked says so; the setters pass a new value on then.
class TActionLink : public TBasicActionLink {
protected:
    friend class TCustomAction;
    TCustomAction* CustomAction() const { return dynamic_cast<TCustomAction*>(FAction); }
    virtual bool IsCaptionLinked() const { return CustomAction() != nullptr; }
    virtual bool IsCheckedLinked() const { return CustomAction() != nullptr; }
    virtual bool IsEnabledLinked() const { return CustomAction() != nullptr; }
    virtual bool IsGroupIndexLinked() const { return CustomAction() != nullptr; }
    virtual void SetCaption(const String&) {}
    virtual void SetChecked(bool) {}
    virtual void SetEnabled(bool) {}
    virtual void SetGroupIndex(Integer) {}
};

// The link of a control: caption and enabled state go to the control while
// it shows the action's.
class TControlActionLink : public TActionLink {
public:
    explicit TControlActionLink(TControl* AClient) : FClient(AClient) {}

protected:
    bool IsCaptionLinked() const override;
    bool IsEnabledLinked() const override;
    void SetCaption(const String& Value) override;
    void SetEnabled(bool Value) override;

    TControl* FClient;
};
