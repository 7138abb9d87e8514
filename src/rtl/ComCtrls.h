#pragma once
// Page controls with tab sheets, up-down buttons and the rich edit.
#include "rtl/StdCtrls.h"

#include <vector>

class QTabWidget;
class QToolButton;

class TPageControl;

// A page of a page control; its caption is the tab's text.
class TTabSheet : public TWinControl {
public:
    explicit TTabSheet(TComponent* AOwner);
    ~TTabSheet() override;

    TPageControl* PageControl() const { return FPageControl; }
    void SetPageControl(TPageControl* Value);
    // The place among all pages (shown or not).
    Integer PageIndex() const;
    void SetPageIndex(Integer Value);
    // The place among the shown tabs; -1 when its tab is hidden.
    Integer TabIndex() const;
    bool TabVisible() const { return FTabVisible; }
    void SetTabVisible(bool Value);

    void SetParent(TWinControl* AParent) override;

protected:
    void TextChanged() override;
    void PlaceWidget() override;
    // Inside a page control the page control shows the active page only.
    void ApplyVisibility() override;

private:
    friend class TPageControl;
    TPageControl* FPageControl = nullptr;
    bool FTabVisible = true;
};

class TPageControl : public TWinControl {
public:
    explicit TPageControl(TComponent* AOwner);
    ~TPageControl() override;

    Integer PageCount() const { return Integer(FPages.size()); }
    // Raises EListError outside 0..PageCount-1.
    TTabSheet* Pages(Integer Index) const;
    TTabSheet* ActivePage() const;
    void SetActivePage(TTabSheet* Page);
    Integer ActivePageIndex() const;
    void SetActivePageIndex(Integer Value);
    void SelectNextPage(bool GoForward, bool CheckTabVisible = true);

    // The user changed the page.
    TNotifyEvent OnChange;
    // Before the user leaves the page; AllowChange false keeps it.
    std::function<void(TObject* Sender, bool& AllowChange)> OnChanging;

    QTabWidget* TabWidget() const;

protected:
    virtual void Change();
    virtual bool CanChange();
    void ControlsChanged() override;

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* Page);
    void RemovePage(TTabSheet* Page);
    void SyncTabs();

    std::vector<TTabSheet*> FPages;
    bool FSyncing = false;
    Integer FLastIndex = -1;
};

enum TUDAlignButton { udLeft, udRight };
enum TUDOrientation { udHorizontal, udVertical };
enum TUDBtnType { btNext, btPrev };

// Two arrow buttons that step Position between Min and Max; an associated
// control shows the position as its text.
class TUpDown : public TWinControl {
public:
    explicit TUpDown(TComponent* AOwner);

    Integer Min() const { return FMin; }
    void SetMin(Integer Value);
    Integer Max() const { return FMax; }
    void SetMax(Integer Value);
    Integer Position() const { return FPosition; }
    void SetPosition(Integer Value);
    Integer Increment() const { return FIncrement; }
    void SetIncrement(Integer Value) { FIncrement = Value; }
    bool Wrap() const { return FWrap; }
    void SetWrap(bool Value) { FWrap = Value; }
    bool Thousands() const { return FThousands; }
    void SetThousands(bool Value);
    TUDOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TUDOrientation Value);
    TUDAlignButton AlignButton() const { return FAlignButton; }
    void SetAlignButton(TUDAlignButton Value);
    TWinControl* Associate() const { return FAssociate; }
    void SetAssociate(TWinControl* Value);

    // What a click on the up (btNext) or down (btPrev) button does.
    void ClickButton(TUDBtnType Button);

    std::function<void(TObject* Sender, TUDBtnType Button)> OnClick;
    std::function<void(TObject* Sender, bool& AllowChange)> OnChanging;

    void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
    void WidgetResized() override;
    void PlaceWidget() override;

private:
    void UpdateAssociate();
    void LayoutButtons();

    Integer FMin = 0;
    Integer FMax = 100;
    Integer FPosition = 0;
    Integer FIncrement = 1;
    bool FWrap = false;
    bool FThousands = true;
    TUDOrientation FOrientation = udVertical;
    TUDAlignButton FAlignButton = udRight;
    TWinControl* FAssociate = nullptr;
    QToolButton* FUp = nullptr;
    QToolButton* FDown = nullptr;
};

// A memo for plain text in one font.
class TRichEdit : public TCustomMemo {
public:
    explicit TRichEdit(TComponent* AOwner);
    bool PlainText() const { return true; }
    void SetPlainText(bool) {}
};
