#pragma once
// A vertical stack of collapsible panels with a header each, scrolling when
// they do not fit.
#include "rtl/Forms.h"
#include "rtl/ImgList.h"

#include <memory>

class TCategoryPanelGroup;

// A panel of the group. Its children lie below the header; Height is the
// expanded height (the header's height while collapsed).
class TCategoryPanel : public TCustomControl {
public:
    explicit TCategoryPanel(TComponent* AOwner);
    ~TCategoryPanel() override;

    TCategoryPanelGroup* PanelGroup() const { return FPanelGroup; }
    void SetPanelGroup(TCategoryPanelGroup* Value);
    void SetParent(TWinControl* AParent) override;

    bool Collapsed() const { return FCollapsed; }
    void SetCollapsed(bool Value);
    void Collapse() { SetCollapsed(true); }
    void Expand() { SetCollapsed(false); }
    Integer ExpandedHeight() const { return FExpandedHeight; }
    Integer CollapsedImageIndex() const { return FCollapsedImageIndex; }
    void SetCollapsedImageIndex(Integer Value);
    Integer ExpandedImageIndex() const { return FExpandedImageIndex; }
    void SetExpandedImageIndex(Integer Value);
    Integer HeaderHeight() const;
    // The header's rectangle and the chevron's, in the panel's coordinates.
    TRect HeaderRect() const;
    TRect ChevronRect() const;

    void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
    QWidget* ClientWidget() const override;
    TRect ClientRect() const override;
    TPoint ClientOrigin() const override;

    TNotifyEvent OnCollapse;
    TNotifyEvent OnExpand;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void CMMouseLeave(TMessage& Message) override;
    void PlaceWidget() override;
    void ApplyColor() override;

private:
    friend class TCategoryPanelGroup;
    void PlaceSurface();

    TCategoryPanelGroup* FPanelGroup = nullptr;
    QWidget* FSurface = nullptr;
    bool FCollapsed = false;
    Integer FExpandedHeight = 200;
    Integer FCollapsedImageIndex = -1;
    Integer FExpandedImageIndex = -1;
    bool FChevronHot = false;
};

class TCategoryPanelGroup : public TScrollingWinControl {
public:
    explicit TCategoryPanelGroup(TComponent* AOwner);
    ~TCategoryPanelGroup() override;

    Integer PanelCount() const;
    // Raises EListError outside 0..PanelCount-1; in stacking order.
    TCategoryPanel* Panels(Integer Index) const;
    void CollapseAll();
    void ExpandAll();

    Integer HeaderHeight() const { return FHeaderHeight; }
    void SetHeaderHeight(Integer Value);
    TFont* HeaderFont() const { return FHeaderFont.get(); }
    void SetHeaderFont(TFont* Value) { FHeaderFont->Assign(Value); }
    // The header's gradient, from top to bottom.
    TColor GradientBaseColor() const { return FGradientBaseColor; }
    void SetGradientBaseColor(TColor Value);
    TColor GradientColor() const { return FGradientColor; }
    void SetGradientColor(TColor Value);
    TColor ChevronColor() const { return FChevronColor; }
    void SetChevronColor(TColor Value);
    // The chevron's colour while the pointer is over it.
    TColor ChevronHotColor() const { return FChevronHotColor; }
    void SetChevronHotColor(TColor Value);
    TAlignment ChevronAlignment() const { return FChevronAlignment; }
    void SetChevronAlignment(TAlignment Value);
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* Value);

    void PanelsChanged();

private:
    std::unique_ptr<TFont> FHeaderFont;
    Integer FHeaderHeight = 24;
    TColor FGradientBaseColor = clBtnFace;
    TColor FGradientColor = clBtnFace;
    TColor FChevronColor = clBlack;
    TColor FChevronHotColor = clGray;
    TAlignment FChevronAlignment = taRightJustify;
    TImageList* FImages = nullptr;
};
