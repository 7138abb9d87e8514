#include "controls/dropdown/ExImagePickerDropDown.h"

#include "rtl/ImgList.h"

// ---------------------------------------------------------------- items

TImageItem::TImageItem(TCollection* ACollection)
    : TCollectionItem(ACollection), FImage(std::make_unique<TPicture>())
{
}

TImageItem::~TImageItem() = default;

void TImageItem::Assign(TPersistent* Source)
{
    auto* S = dynamic_cast<TImageItem*>(Source);
    if (!S) {
        TCollectionItem::Assign(Source);
        return;
    }
    SetCaption(S->Caption());
    SetImageIndex(S->ImageIndex());
    SetImage(S->Image());
    SetEnabled(S->Enabled());
    SetHint(S->Hint());
}

void TImageItem::SetCaption(const String& Value)
{
    StoreAndReportChange<TImageItems>(this, FCaption, Value);
}

void TImageItem::SetImageIndex(Integer Value)
{
    StoreAndReportChange<TImageItems>(this, FImageIndex, Value);
}

// ---------------------------------------------------------------- the picker

TExImagePickerDropDown::TExImagePickerDropDown(TComponent* AOwner)
    : TExListPickerDropDown(AOwner), FItems(std::make_unique<TImageItems>(this))
{
    FItems->OnChange = [](TObject*) {};
}

TExImagePickerDropDown::~TExImagePickerDropDown() = default;

void TExImagePickerDropDown::AfterConstruction()
{
    TExListPickerDropDown::AfterConstruction();
    SetAutoSize(false);
}

void TExImagePickerDropDown::AddImagesFromImageList()
{
    if (!Images())
        return;
    for (Integer I = 0; I < Images()->Count(); ++I)
        FItems->Add()->SetImageIndex(I);
}

void TExImagePickerDropDown::AddImagesFromFolder(const String& AFolder, bool SetImageCaption)
{
    const String Folder = ExtractFilePath(AFolder);
    TSearchRec SR;
    for (Integer Found = FindFirst(AFolder, faAnyFile, SR); Found == 0; Found = FindNext(SR)) {
        TImageItem* Item = FItems->Add();
        // A link may lead out of the folder: its picture is not read.
        if (!(SR.Attr & faSymLink)) {
            try {
                Item->Image()->LoadFromFile(Folder + SR.Name);
            } catch (const std::exception&) {
                Item->Image()->SetGraphic(nullptr);
            }
        }
        if (SetImageCaption)
            Item->FCaption = SR.Name;
    }
    FindClose(SR);
}

void TExImagePickerDropDown::SetItemIndex(Integer Value)
{
    if (Value == FItemIndex || Value >= FItems->Count())
        return;
    FItemIndex = Value;
    Invalidate();
    Change();
    if (OnSelect)
        OnSelect(this);
}

Integer TExImagePickerDropDown::GetImageIndex() const
{
    return FItemIndex >= 0 ? FItems->Items(FItemIndex)->ImageIndex() : -1;
}

void TExImagePickerDropDown::SetImageIndex(Integer Value)
{
    for (Integer I = 0; I < FItems->Count(); ++I)
        if (FItems->Items(I)->ImageIndex() == Value) {
            SetItemIndex(I);
            return;
        }
    SetItemIndex(-1);
}

// ---------------------------------------------------------------- the pop-up

void TExImagePickerDropDown::CreateDropDownForm()
{
    TExListPickerDropDown::CreateDropDownForm();
    CreateItemSelector(stImage);
}

void TExImagePickerDropDown::DoBeforeDropDown()
{
    TExListPickerDropDown::DoBeforeDropDown();
    PrepareListForDropDown();
}

void TExImagePickerDropDown::FillSelectorItems(TSelectorItems* Items)
{
    for (Integer I = 0; I < FItems->Count(); ++I) {
        TImageItem* Source = FItems->Items(I);
        TSelectorItem* Item = Items->Add();
        Item->SetCaption(Source->Caption());
        Item->SetImage(Source->Image());
        Item->SetImageIndex(Source->ImageIndex());
        Item->SetHint(Source->Hint());
    }
}

void TExImagePickerDropDown::UpdateDropDownSize()
{
    UpdateListDropDownSize();
}

void TExImagePickerDropDown::DoHideDropDown(bool Cancel)
{
    // A cancel while closed changes nothing.
    const bool WasOpen = DropDownForm() && DropDownForm()->Visible();
    TExListPickerDropDown::DoHideDropDown(Cancel);
    if (Cancel && WasOpen && FItemSelector)
        RestoreOldItemIndex();
}

// ---------------------------------------------------------------- keys and wheel

void TExImagePickerDropDown::WMKeyDown(TWMKey& Message)
{
    const Word Key = Message.CharCode;
    const bool HotChosen = Key == VK_RETURN && ChooseHotItem();
    TExListPickerDropDown::WMKeyDown(Message);
    ListKeyDown(Key, HotChosen);
}

void TExImagePickerDropDown::SelectNext()
{
    ListWheelStep(true);
}

void TExImagePickerDropDown::SelectPrevious()
{
    ListWheelStep(false);
}

// ---------------------------------------------------------------- painting

void TExImagePickerDropDown::PaintOver(TCanvas* Canvas)
{
    TExListPickerDropDown::PaintOver(Canvas);
    DrawSelectedImage(Canvas);
}

void TExImagePickerDropDown::DrawSelectedImage(TCanvas* Canvas)
{
    const TRect R = GetEditRect();
    if (OnDrawSelectedImage) {
        OnDrawSelectedImage(this, Canvas, R);
        return;
    }
    if (FItemIndex < 0)
        return;
    TImageItem* Item = FItems->Items(FItemIndex);
    TGraphic* Graphic = Item->Image()->Graphic();
    if (Graphic && !Graphic->Empty()) {
        const Integer W = Graphic->Width(), H = Graphic->Height();
        const Integer X = R.Left + (R.Width() - W) / 2, Y = R.Top + (R.Height() - H) / 2;
        Canvas->Draw(X, Y, Graphic);
    } else if (Images() && Item->ImageIndex() >= 0) {
        const Integer X = R.Left + (R.Width() - Images()->Width()) / 2;
        const Integer Y = R.Top + (R.Height() - Images()->Height()) / 2;
        Images()->Draw(Canvas, X, Y, Item->ImageIndex(), true);
    }
}
