#pragma once
// The image picker drop-down: an edit that shows the chosen picture,
// centred; its pop-up lists the items (a picture or an image of the image
// list, with a caption) in an item selector.
#include "controls/dropdown/ExListPickerDropDown.h"

#include <memory>

class TImageItem : public TCollectionItem {
public:
    explicit TImageItem(TCollection* ACollection);
    ~TImageItem() override;

    // Caption, ImageIndex, the picture, Enabled and Hint.
    void Assign(TPersistent* Source) override;

    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value);
    Integer ImageIndex() const { return FImageIndex; }
    void SetImageIndex(Integer Value);
    TPicture* Image() const { return FImage.get(); }
    // Copies the picture.
    void SetImage(TPicture* Value) { FImage->Assign(Value); }
    RTL_STORED_PROPERTY(String, Hint, String())
    RTL_STORED_PROPERTY(bool, Enabled, true)
    RTL_STORED_PROPERTY(TRect, Rect, TRect())

private:
    friend class TExImagePickerDropDown;
    String FCaption;
    Integer FImageIndex = -1;
    std::unique_ptr<TPicture> FImage;
};

// OnChange comes from the Caption and ImageIndex setters.
class TImageItems : public TCollection {
public:
    explicit TImageItems(TPersistent* AOwner) : TCollection(CollectionItemClass<TImageItem>(), AOwner) {}
    TPersistent* GetOwner() const { return Owner(); }
    TImageItem* Add() { return static_cast<TImageItem*>(TCollection::Add()); }
    TImageItem* Insert(int Index) { return static_cast<TImageItem*>(TCollection::Insert(Index)); }
    TImageItem* Items(int Index) const { return static_cast<TImageItem*>(TCollection::Items(Index)); }

    TNotifyEvent OnChange;
};

class TExImagePickerDropDown : public TExListPickerDropDown {
public:
    explicit TExImagePickerDropDown(TComponent* AOwner);
    ~TExImagePickerDropDown() override;
    void AfterConstruction() override;

    TImageItems* Items() const { return FItems.get(); }
    void SetItems(TImageItems* Value) { FItems->Assign(Value); }
    // Nothing when unchanged or at or beyond the number of items; else the
    // edit's OnChange, then OnSelect.
    void SetItemIndex(Integer Value) override;
    // The chosen item's image index, -1 without one.
    Integer GetImageIndex() const;
    // The first item of that image index, or none.
    void SetImageIndex(Integer Value);

    // One item per image of Images (nothing cleared first).
    void AddImagesFromImageList();
    // One item per entry the search pattern (a folder and a file mask) finds,
    // folders included; a file that does not load leaves an empty picture.
    void AddImagesFromFolder(const String& AFolder, bool SetImageCaption);
    // The picker's own steps (SelectNext and SelectPrevious are the
    // framework's wheel steps).
    void SelectFirst() { SelectFirstItem(); }
    void SelectLast() { SelectLastItem(); }
    using TExListPickerDropDown::SelectNextItem;
    using TExListPickerDropDown::SelectPreviousItem;
    void SelectNext() override;
    void SelectPrevious() override;

    void CreateDropDownForm() override;
    void DoBeforeDropDown() override;
    void UpdateDropDownSize() override;
    void DoHideDropDown(bool Cancel) override;

    TOnDrawSelectedItem OnDrawSelectedImage;

protected:
    void FillSelectorItems(TSelectorItems* Items) override;
    Integer ItemCount() const override { return FItems->Count(); }
    void WMKeyDown(TWMKey& Message) override;
    void PaintOver(TCanvas* Canvas) override;

private:
    void DrawSelectedImage(TCanvas* Canvas);

    std::unique_ptr<TImageItems> FItems;
};
