#pragma once
// The item selector of the item-picking drop-downs: a scrolling box that
// shows its items in a grid of equal cells, each a mini-HTML caption beside
// an image or a colour box, with a hot item (mouse or keys) and a selected
// one. The outer control owns the items and settings; the inner panel lays
// out, paints and hit-tests them.
#include "controls/dropdown/ExDropDown.h"
#include "rtl/Forms.h"

#include <memory>

RTL_NAMED_ENUM(TItemLayout, ilCaptionLeft, ilCaptionRight, ilCaptionTop, ilCaptionBottom)
RTL_NAMED_ENUM(TSelectorType, stImage, stColor)

using TDrawItemEvent = std::function<void(TObject* Sender, TCanvas* Canvas, const TRect& R, Integer Index)>;
using TItemSizeEvent = std::function<void(TObject* Sender, TSize& ASize)>;
// Paints the edit's content of an item picker (the detail, colour and image
// pickers) in place of the built-in painting.
using TOnDrawSelectedItem = std::function<void(TObject* Sender, TCanvas* Canvas, const TRect& R)>;

class TExCustomItemSelector;

// The size of a cell or button: content offsets on each side around an
// image and a caption side by side (caption left or right) or one above the
// other, with Gap between them when both are there.
TSize LayoutContentSize(TItemLayout Layout, TSize Image, TSize Caption, Integer Gap, Integer OffsetX,
                        Integer OffsetY);
// The picture when it holds a graphic, else the list image (Images set and
// ImageIndex >= 0): its size, (0, 0) for neither.
TSize PictureOrListImageSize(TPicture* Picture, TImageList* Images, Integer ImageIndex);
// Draws that image at (X, Y); a list image is greyed when not Enabled.
void DrawPictureOrListImage(TCanvas* Canvas, TPicture* Picture, TImageList* Images, Integer ImageIndex, bool Enabled,
                            Integer X, Integer Y);

// One item; the Caption, ImageIndex and Color setters report a change of
// the collection.
class TSelectorItem : public TCollectionItem {
public:
    explicit TSelectorItem(TCollection* ACollection);
    ~TSelectorItem() override;

    // Caption, Color and ImageIndex through the setters, the picture,
    // Enabled and Hint.
    void Assign(TPersistent* Source) override;

    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value);
    Integer ImageIndex() const { return FImageIndex; }
    void SetImageIndex(Integer Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TPicture* Image() const { return FImage.get(); }
    // Copies the picture, without a change report.
    void SetImage(TPicture* Value) { FImage->Assign(Value); }
    RTL_STORED_PROPERTY(bool, Enabled, true)
    RTL_STORED_PROPERTY(TRect, Rect, TRect())
    RTL_STORED_PROPERTY(String, Hint, String())

private:
    void ReportChange();

    String FCaption;
    Integer FImageIndex = -1;
    TColor FColor = clNone;
    std::unique_ptr<TPicture> FImage;
};

// The items; OnChange comes from the item setters only.
class TSelectorItems : public TCollection {
public:
    explicit TSelectorItems(TPersistent* AOwner)
        : TCollection(CollectionItemClass<TSelectorItem>(), AOwner)
    {
    }
    TPersistent* GetOwner() const { return Owner(); }
    TSelectorItem* Add() { return static_cast<TSelectorItem*>(TCollection::Add()); }
    TSelectorItem* Insert(int Index) { return static_cast<TSelectorItem*>(TCollection::Insert(Index)); }
    TSelectorItem* Items(int Index) const { return GetItem(Index); }
    TSelectorItem* GetItem(int Index) const { return static_cast<TSelectorItem*>(TCollection::Items(Index)); }
    void SetItem(int Index, TSelectorItem* Value) { TCollection::SetItems(Index, Value); }

    TNotifyEvent OnChange;
};

// Fonts and the colours of the hot and selected cells, with three presets.
class TItemAppearance : public TPersistent {
public:
    explicit TItemAppearance(TPersistent* AOwner);
    ~TItemAppearance() override;

    TPersistent* GetOwner() const { return FOwner; }
    // The twelve cell colours, the font, the source's preset (loaded over
    // the copied colours when it differs from this one's), then the text
    // and plain-border colours.
    void Assign(TPersistent* Source) override;

    RTL_STORED_PROPERTY(TColor, ColorMirrorHotTo, clNone)
    RTL_STORED_PROPERTY(TColor, BorderColor, clNone)
    RTL_STORED_PROPERTY(TColor, ColorMirrorHot, clNone)
    RTL_STORED_PROPERTY(TColor, ColorSelectedTo, clNone)
    RTL_STORED_PROPERTY(TColor, ColorSelected, clNone)
    RTL_STORED_PROPERTY(TColor, EdgeColor, clNone)
    RTL_STORED_PROPERTY(TColor, ColorHotTo, clNone)
    RTL_STORED_PROPERTY(TColor, BorderColorBottom, clNone)
    RTL_STORED_PROPERTY(TColor, ColorHot, clNone)
    RTL_STORED_PROPERTY(TColor, BorderColorTop, clNone)
    RTL_STORED_PROPERTY(TColor, ColorMirrorSelectedTo, clNone)
    RTL_STORED_PROPERTY(TColor, ColorMirrorSelected, clNone)
    RTL_STORED_PROPERTY(TColor, ColorSelectedText, clBlack)
    RTL_STORED_PROPERTY(TColor, ColorHotText, clBlack)
    RTL_STORED_PROPERTY(TColor, BorderColorHot, clNone)
    RTL_STORED_PROPERTY(TColor, BorderColorSelected, clNone)
    TSelectionColorStyle ColorStyle() const { return FColorStyle; }
    // A changed preset is stored and, but for scCustom, loads its colours.
    void SetColorStyle(TSelectionColorStyle Value);
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* Value) { FFont->Assign(Value); }

private:
    TPersistent* FOwner;
    TSelectionColorStyle FColorStyle = scCustom;
    std::unique_ptr<TFont> FFont;
};

// The inner panel; made only by a TExCustomItemSelector, whose settings it
// reads.
class TCustomItemSelector : public TCustomControl {
public:
    // Raises "Invalid parent" unless AOwner is a TExCustomItemSelector.
    explicit TCustomItemSelector(TComponent* AOwner);

    Integer ItemIndex() const { return FItemIndex; }
    void SetItemIndex(Integer Value);
    Integer ItemHot() const { return FItemHot; }
    void SetItemHot(Integer Value);
    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    void HotNext();
    void HotPrevious();
    // Selects the first item whose plain, trimmed, upper-cased caption
    // begins with S (callers pass S upper-cased).
    bool LookupItem(const String& S);
    // (-1, -1, -1, -1) outside the collection.
    void GetItemRect(Integer Index, TRect& R) const;
    Integer ItemAtPos(Integer X, Integer Y) const;
    void DrawItems(TCanvas* ACanvas);

    TExCustomItemSelector* ExItemSelector() const { return FExItemSelector; }
    Integer Columns() const;
    TSelectorItems* Items() const;
    TSelectorType SelectorType() const;
    TItemLayout ItemLayout() const;
    TImageList* Images() const;
    TSelectionColorStyle ItemColorStyle() const;
    TColor ItemColorHot() const;
    TColor ItemColorHotTo() const;
    TColor ItemColorSelected() const;
    TColor ItemColorSelectedTo() const;
    Integer ColorBoxHeight() const;
    Integer ColorBoxWidth() const;

    // The virtual operations, in slot order.
    virtual void DrawItem(Integer Index, TCanvas* ACanvas);
    virtual void GetItemArea(TRect& R) const;
    virtual void GetItemSize(TSize& Size);
    virtual void InvalidateItem(Integer Index);
    virtual void ArrangeItems();

    TNotifyEvent OnItemSelect;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void CMMouseLeave(TMessage& Message) override;

private:
    bool ValidIndex(Integer Index) const;
    bool IsDisabledItem(Integer Index) const;
    // Shared rules of the selected and the hot index.
    void ChangeIndex(Integer& Field, Integer Value);
    void StepIndex(bool Hot, Integer Target);
    // Image width and height of an item (picture, list image or colour box).
    TSize ItemImageSize(TSelectorItem* Item) const;
    void DrawItemImage(TCanvas* ACanvas, TSelectorItem* Item, Integer X, Integer Y);
    TSize MeasureCaption(TCanvas* ACanvas, const String& Caption) const;
    void DrawCaption(TCanvas* ACanvas, const String& Caption, const TRect& R);
    void DrawCellBackground(TCanvas* ACanvas, Integer Index, const TRect& R);

    Integer FItemIndex = -1;
    Integer FItemHot = -1;
    Integer FOffsetX = 2;
    Integer FOffsetY = 2;
    Integer FItemOffsetX = 4;
    Integer FItemOffsetY = 4;
    Integer FCaptionGap = 4;
    TExCustomItemSelector* FExItemSelector = nullptr;
};

// The scrolling outer control; automatic scrolling on, with thumb tracking.
class TExCustomItemSelector : public TScrollingWinControl {
public:
    explicit TExCustomItemSelector(TComponent* AOwner);
    ~TExCustomItemSelector() override;

    void UpdateSelectorPanel();
    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    void HotNext();
    void HotPrevious();
    bool LookupItem(const String& S);
    void ScrollItemInView(Integer Index);
    // Items that fit one below the other, times Columns; 0 before the
    // panel has laid its items out.
    Integer GetVisibleItemCount();
    void GetPanelSize(TSize& Size) const;

    Integer ItemIndex() const;
    void SetItemIndex(Integer Value);
    Integer ItemHot() const;

    TSelectorItems* Items() const { return FItems.get(); }
    void SetItems(TSelectorItems* Value) { FItems->Assign(Value); }
    TSelectorType SelectorType() const { return FSelectorType; }
    void SetSelectorType(TSelectorType Value);
    TItemLayout ItemLayout() const { return FItemLayout; }
    void SetItemLayout(TItemLayout Value) { FItemLayout = Value; }
    Integer Columns() const { return FColumns; }
    void SetColumns(Integer Value);
    Integer ColorBoxWidth() const { return FColorBoxWidth; }
    void SetColorBoxWidth(Integer Value);
    Integer ColorBoxHeight() const { return FColorBoxHeight; }
    void SetColorBoxHeight(Integer Value);
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* Value);
    TItemAppearance* ItemAppearance() const { return FItemAppearance.get(); }
    void SetItemAppearance(TItemAppearance* Value) { FItemAppearance->Assign(Value); }
    TCustomItemSelector* Panel() const { return FPanel; }

    void Notification(TComponent* AComponent, TOperation Operation) override;

    TNotifyEvent OnItemSelect;
    TDrawItemEvent OnDrawItem;
    TItemSizeEvent OnItemSize;

protected:
    void WMGetDlgCode(TWMGetDlgCode& Message) override;

private:
    // The panel's step, then its selected (or hot) item scrolled into view.
    void PanelStep(void (TCustomItemSelector::*Step)(), bool Hot);
    // A changed setting stored, then the panel arranged again.
    template <class T>
    void StoreAndArrange(T& Field, T Value);

    std::unique_ptr<TSelectorItems> FItems;
    TSelectorType FSelectorType = stImage;
    TItemLayout FItemLayout = ilCaptionRight;
    Integer FColumns = 1;
    Integer FColorBoxWidth = 14;
    Integer FColorBoxHeight = 14;
    TImageList* FImages = nullptr;
    TCustomItemSelector* FPanel = nullptr;
    std::unique_ptr<TItemAppearance> FItemAppearance;
};
