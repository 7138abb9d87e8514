#include "controls/dropdown/ExItemSelector.h"

#include "grid/base/EsgHTMLE.h"
#include "grid/base/ExUtil.h"
#include "rtl/ImgList.h"

#include <algorithm>
#include <array>

namespace {

// The colours a preset loads, in the order of the table rows.
struct TSelectionPreset {
    TColor Hot, HotTo, MirrorHot, MirrorHotTo, BorderTop, BorderBottom, Border, Edge, Selected, SelectedTo,
        MirrorSelected, MirrorSelectedTo;
};

const TSelectionPreset* PresetOf(TSelectionColorStyle Style)
{
    static const std::array<TSelectionPreset, 3> Presets = {{
        {0xD7FFFD, 0x58D4FC, 0x58D4FC, 0xB3F1FC, 0xF4FEFF, 0xCAF8FF, 0x8DD7D3, 0xC3D9DF, 0xA6FFFB, 0x04B9F4, 0x15C1FB,
         0x68E3F9},
        {0xFDF8F1, 0xFCEFD5, clNone, clNone, 0xFDFBF6, 0xFDF5E7, 0xFDDE99, 0xFCEDCB, 0xFAEEDE, 0xFAE3B4, clNone,
         clNone},
        {0xFCEBDC, 0xFCDBC1, clNone, clNone, 0xFDF4EB, 0xFDEADB, 0xCEA27D, 0xE0C5AE, 0xF9D8B9, 0xFBCAA2, clNone,
         clNone},
    }};
    switch (Style) {
    case scOffice2007: return &Presets[0];
    case scWindowsVista: return &Presets[1];
    case scWindows7: return &Presets[2];
    default: return nullptr;
    }
}

// A canvas to measure on outside a paint.
struct TMeasureCanvas {
    TBitmap Bitmap;
    TMeasureCanvas()
    {
        Bitmap.SetSize(1, 1);
    }
    TCanvas* Canvas() { return Bitmap.Canvas(); }
};

} // namespace

TSize LayoutContentSize(TItemLayout Layout, TSize Image, TSize Caption, Integer Gap, Integer OffsetX,
                        Integer OffsetY)
{
    const Integer Between = Image.cx > 0 && Caption.cx > 0 ? Gap : 0;
    if (Layout == ilCaptionLeft || Layout == ilCaptionRight)
        return {2 * OffsetX + Image.cx + Between + Caption.cx, std::max(Image.cy, Caption.cy) + 2 * OffsetY};
    return {std::max(Image.cx, Caption.cx) + 2 * OffsetX, 2 * OffsetY + Image.cy + Between + Caption.cy};
}

TSize PictureOrListImageSize(TPicture* Picture, TImageList* Images, Integer ImageIndex)
{
    if (Picture->Graphic() && !Picture->Graphic()->Empty())
        return {Picture->Width(), Picture->Height()};
    if (Images && ImageIndex >= 0)
        return {Images->Width(), Images->Height()};
    return {0, 0};
}

void DrawPictureOrListImage(TCanvas* Canvas, TPicture* Picture, TImageList* Images, Integer ImageIndex, bool Enabled,
                            Integer X, Integer Y)
{
    if (Picture->Graphic() && !Picture->Graphic()->Empty())
        Canvas->Draw(X, Y, Picture->Graphic());
    else if (Images && ImageIndex >= 0)
        Images->Draw(Canvas, X, Y, ImageIndex, Enabled);
}

// ---------------------------------------------------------------- TSelectorItem

TSelectorItem::TSelectorItem(TCollection* ACollection)
    : TCollectionItem(ACollection), FImage(std::make_unique<TPicture>())
{
}

TSelectorItem::~TSelectorItem() = default;

void TSelectorItem::Assign(TPersistent* Source)
{
    auto* Other = dynamic_cast<TSelectorItem*>(Source);
    if (!Other) {
        TCollectionItem::Assign(Source);
        return;
    }
    SetCaption(Other->Caption());
    SetColor(Other->Color());
    SetImageIndex(Other->ImageIndex());
    FImage->Assign(Other->Image());
    SetEnabled(Other->Enabled());
    SetHint(Other->Hint());
}

void TSelectorItem::ReportChange()
{
    if (auto* Items = dynamic_cast<TSelectorItems*>(Collection()); Items && Items->OnChange)
        Items->OnChange(Items);
}

void TSelectorItem::SetCaption(const String& Value)
{
    if (FCaption == Value)
        return;
    FCaption = Value;
    ReportChange();
}

void TSelectorItem::SetImageIndex(Integer Value)
{
    if (FImageIndex == Value)
        return;
    FImageIndex = Value;
    ReportChange();
}

void TSelectorItem::SetColor(TColor Value)
{
    if (FColor == Value)
        return;
    FColor = Value;
    ReportChange();
}

// ---------------------------------------------------------------- TItemAppearance

TItemAppearance::TItemAppearance(TPersistent* AOwner) : FOwner(AOwner), FFont(std::make_unique<TFont>())
{
    FFont->SetName(QStringLiteral("Tahoma"));
    SetColorStyle(scOffice2007);
}

TItemAppearance::~TItemAppearance() = default;

void TItemAppearance::SetColorStyle(TSelectionColorStyle Value)
{
    if (FColorStyle == Value)
        return;
    FColorStyle = Value;
    const TSelectionPreset* P = PresetOf(Value);
    if (!P)
        return;
    SetColorHot(P->Hot);
    SetColorHotTo(P->HotTo);
    SetColorMirrorHot(P->MirrorHot);
    SetColorMirrorHotTo(P->MirrorHotTo);
    SetBorderColorTop(P->BorderTop);
    SetBorderColorBottom(P->BorderBottom);
    SetBorderColor(P->Border);
    SetEdgeColor(P->Edge);
    SetColorSelected(P->Selected);
    SetColorSelectedTo(P->SelectedTo);
    SetColorMirrorSelected(P->MirrorSelected);
    SetColorMirrorSelectedTo(P->MirrorSelectedTo);
}

void TItemAppearance::Assign(TPersistent* Source)
{
    auto* Other = dynamic_cast<TItemAppearance*>(Source);
    if (!Other) {
        TPersistent::Assign(Source);
        return;
    }
    SetColorMirrorHotTo(Other->ColorMirrorHotTo());
    SetBorderColor(Other->BorderColor());
    SetColorMirrorHot(Other->ColorMirrorHot());
    SetColorSelectedTo(Other->ColorSelectedTo());
    SetColorSelected(Other->ColorSelected());
    SetEdgeColor(Other->EdgeColor());
    SetColorHotTo(Other->ColorHotTo());
    SetBorderColorBottom(Other->BorderColorBottom());
    SetColorHot(Other->ColorHot());
    SetBorderColorTop(Other->BorderColorTop());
    SetColorMirrorSelectedTo(Other->ColorMirrorSelectedTo());
    SetColorMirrorSelected(Other->ColorMirrorSelected());
    SetFont(Other->Font());
    SetColorStyle(Other->ColorStyle());
    SetColorSelectedText(Other->ColorSelectedText());
    SetColorHotText(Other->ColorHotText());
    SetBorderColorHot(Other->BorderColorHot());
    SetBorderColorSelected(Other->BorderColorSelected());
}

// ---------------------------------------------------------------- TExCustomItemSelector

TExCustomItemSelector::TExCustomItemSelector(TComponent* AOwner)
    : TScrollingWinControl(AOwner),
      FItems(std::make_unique<TSelectorItems>(this)),
      FItemAppearance(std::make_unique<TItemAppearance>(this))
{
    FItems->OnChange = [this](TObject*) { UpdateSelectorPanel(); };
    SetAutoScroll(true);
    VertScrollBar()->SetTracking(true);
    FPanel = new TCustomItemSelector(this);
    FPanel->SetParent(this);
    FPanel->OnItemSelect = [this](TObject*) {
        if (OnItemSelect)
            OnItemSelect(this);
    };
    UpdateSelectorPanel();
}

TExCustomItemSelector::~TExCustomItemSelector()
{
    // The panel reads the items while it goes.
    delete FPanel;
    FPanel = nullptr;
}

void TExCustomItemSelector::UpdateSelectorPanel()
{
    if (FPanel)
        FPanel->ArrangeItems();
}

template <class T>
void TExCustomItemSelector::StoreAndArrange(T& Field, T Value)
{
    if (Field == Value)
        return;
    Field = Value;
    UpdateSelectorPanel();
}

void TExCustomItemSelector::SetSelectorType(TSelectorType Value)
{
    StoreAndArrange(FSelectorType, Value);
}

void TExCustomItemSelector::SetColumns(Integer Value)
{
    if (Value >= 1)
        StoreAndArrange(FColumns, Value);
}

void TExCustomItemSelector::SetColorBoxWidth(Integer Value)
{
    StoreAndArrange(FColorBoxWidth, Value);
}

void TExCustomItemSelector::SetColorBoxHeight(Integer Value)
{
    StoreAndArrange(FColorBoxHeight, Value);
}

void TExCustomItemSelector::SetImages(TImageList* Value)
{
    if (FImages == Value)
        return;
    if (FImages)
        FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (FImages)
        FImages->FreeNotification(this);
    UpdateSelectorPanel();
}

void TExCustomItemSelector::Notification(TComponent* AComponent, TOperation Operation)
{
    TScrollingWinControl::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == FImages)
        FImages = nullptr;
    if (AComponent == FPanel)
        FPanel = nullptr;
}

void TExCustomItemSelector::WMGetDlgCode(TWMGetDlgCode& Message)
{
    Message.Result = DLGC_WANTARROWS | DLGC_WANTALLKEYS;
}

void TExCustomItemSelector::PanelStep(void (TCustomItemSelector::*Step)(), bool Hot)
{
    if (!FPanel)
        return;
    (FPanel->*Step)();
    ScrollItemInView(Hot ? FPanel->ItemHot() : FPanel->ItemIndex());
}

void TExCustomItemSelector::SelectFirst()
{
    PanelStep(&TCustomItemSelector::SelectFirst, false);
}

void TExCustomItemSelector::SelectLast()
{
    PanelStep(&TCustomItemSelector::SelectLast, false);
}

void TExCustomItemSelector::SelectNext()
{
    PanelStep(&TCustomItemSelector::SelectNext, false);
}

void TExCustomItemSelector::SelectPrevious()
{
    PanelStep(&TCustomItemSelector::SelectPrevious, false);
}

void TExCustomItemSelector::HotNext()
{
    PanelStep(&TCustomItemSelector::HotNext, true);
}

void TExCustomItemSelector::HotPrevious()
{
    PanelStep(&TCustomItemSelector::HotPrevious, true);
}

Integer TExCustomItemSelector::ItemIndex() const
{
    return FPanel ? FPanel->ItemIndex() : -1;
}

void TExCustomItemSelector::SetItemIndex(Integer Value)
{
    if (!FPanel)
        return;
    FPanel->SetItemIndex(Value);
    ScrollItemInView(FPanel->ItemIndex());
}

Integer TExCustomItemSelector::ItemHot() const
{
    return FPanel ? FPanel->ItemHot() : -1;
}

bool TExCustomItemSelector::LookupItem(const String& S)
{
    return FPanel && FPanel->LookupItem(S);
}

void TExCustomItemSelector::ScrollItemInView(Integer Index)
{
    if (!FPanel || Index < 0 || Index >= FItems->Count() || !VertScrollBar()->IsScrollBarVisible())
        return;
    // The scroll bar's margin is 0: the cell itself must show.
    TRect R;
    FPanel->GetItemRect(Index, R);
    const Integer Position = VertScrollBar()->Position();
    const Integer Top = FPanel->Top() + R.Top - Position;
    const Integer Bottom = FPanel->Top() + R.Bottom - Position;
    const Integer Height = ClientHeight();
    if (Top < 0)
        VertScrollBar()->SetPosition(Position + Top);
    else if (Bottom > Height)
        VertScrollBar()->SetPosition(Bottom - Top > Height ? Position + Top : Position + Bottom - Height);
}

Integer TExCustomItemSelector::GetVisibleItemCount()
{
    if (!FPanel || FItems->Count() == 0)
        return 0;
    const Integer CellHeight = FItems->GetItem(0)->Rect().Height();
    if (CellHeight <= 0)
        return 0;
    const Integer Room = Height() - (HorzScrollBar()->IsScrollBarVisible() ? 20 : 0);
    return Room / CellHeight * FColumns;
}

void TExCustomItemSelector::GetPanelSize(TSize& Size) const
{
    Size = FPanel ? TSize{FPanel->Width(), FPanel->Height()} : TSize{100, 50};
}

// ---------------------------------------------------------------- TCustomItemSelector

TCustomItemSelector::TCustomItemSelector(TComponent* AOwner) : TCustomControl(AOwner)
{
    FExItemSelector = dynamic_cast<TExCustomItemSelector*>(AOwner);
    if (!FExItemSelector)
        throw Exception(QStringLiteral("Invalid parent"));
    SetParentColor(true);
}

Integer TCustomItemSelector::Columns() const
{
    return FExItemSelector->Columns();
}

TSelectorItems* TCustomItemSelector::Items() const
{
    return FExItemSelector->Items();
}

TSelectorType TCustomItemSelector::SelectorType() const
{
    return FExItemSelector->SelectorType();
}

TItemLayout TCustomItemSelector::ItemLayout() const
{
    return FExItemSelector->ItemLayout();
}

TImageList* TCustomItemSelector::Images() const
{
    return FExItemSelector->Images();
}

TSelectionColorStyle TCustomItemSelector::ItemColorStyle() const
{
    return FExItemSelector->ItemAppearance()->ColorStyle();
}

TColor TCustomItemSelector::ItemColorHot() const
{
    return FExItemSelector->ItemAppearance()->ColorHot();
}

TColor TCustomItemSelector::ItemColorHotTo() const
{
    return FExItemSelector->ItemAppearance()->ColorHotTo();
}

TColor TCustomItemSelector::ItemColorSelected() const
{
    return FExItemSelector->ItemAppearance()->ColorSelected();
}

TColor TCustomItemSelector::ItemColorSelectedTo() const
{
    return FExItemSelector->ItemAppearance()->ColorSelectedTo();
}

Integer TCustomItemSelector::ColorBoxHeight() const
{
    return FExItemSelector->ColorBoxHeight();
}

Integer TCustomItemSelector::ColorBoxWidth() const
{
    return FExItemSelector->ColorBoxWidth();
}

bool TCustomItemSelector::ValidIndex(Integer Index) const
{
    return Index >= 0 && Index < Items()->Count();
}

bool TCustomItemSelector::IsDisabledItem(Integer Index) const
{
    return ValidIndex(Index) && !Items()->GetItem(Index)->Enabled();
}

void TCustomItemSelector::ChangeIndex(Integer& Field, Integer Value)
{
    if (Field >= 0 && Field != Value) {
        const Integer Old = Field;
        Field = -1;
        InvalidateItem(Old);
    }
    Field = Value;
    if (Value >= 0)
        InvalidateItem(Value);
}

void TCustomItemSelector::SetItemIndex(Integer Value)
{
    if (IsDisabledItem(Value))
        return;
    ChangeIndex(FItemIndex, Value);
    if (Value >= 0 && OnItemSelect)
        OnItemSelect(this);
}

void TCustomItemSelector::SetItemHot(Integer Value)
{
    if (IsDisabledItem(Value))
        return;
    ChangeIndex(FItemHot, Value);
}

void TCustomItemSelector::StepIndex(bool Hot, Integer Target)
{
    if (Items()->Count() == 0)
        return;
    if (Hot)
        SetItemHot(Target);
    else
        SetItemIndex(Target);
}

void TCustomItemSelector::SelectFirst()
{
    StepIndex(false, 0);
}

void TCustomItemSelector::SelectLast()
{
    StepIndex(false, Items()->Count() - 1);
}

void TCustomItemSelector::SelectNext()
{
    if (FItemIndex < 0)
        StepIndex(false, 0);
    else if (FItemIndex + 1 < Items()->Count())
        StepIndex(false, FItemIndex + 1);
}

void TCustomItemSelector::SelectPrevious()
{
    if (FItemIndex < 0)
        StepIndex(false, 0);
    else if (FItemIndex > 0)
        StepIndex(false, FItemIndex - 1);
}

void TCustomItemSelector::HotNext()
{
    if (FItemHot < 0)
        StepIndex(true, 0);
    else if (FItemHot + 1 < Items()->Count())
        StepIndex(true, FItemHot + 1);
}

void TCustomItemSelector::HotPrevious()
{
    if (FItemHot < 0)
        StepIndex(true, 0);
    else if (FItemHot > 0)
        StepIndex(true, FItemHot - 1);
}

bool TCustomItemSelector::LookupItem(const String& S)
{
    if (S.isEmpty())
        return false;
    for (Integer I = 0; I < Items()->Count(); ++I) {
        if (StripHTMLTags(Items()->GetItem(I)->Caption()).trimmed().toUpper().startsWith(S)) {
            SetItemIndex(I);
            return true;
        }
    }
    return false;
}

void TCustomItemSelector::GetItemRect(Integer Index, TRect& R) const
{
    R = ValidIndex(Index) ? Items()->GetItem(Index)->Rect() : TRect(-1, -1, -1, -1);
}

Integer TCustomItemSelector::ItemAtPos(Integer X, Integer Y) const
{
    for (Integer I = 0; I < Items()->Count(); ++I) {
        const TRect R = Items()->GetItem(I)->Rect();
        if (X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom)
            return I;
    }
    return -1;
}

void TCustomItemSelector::GetItemArea(TRect& R) const
{
    R = ClientRect();
    InflateRect(R, -FOffsetX, -FOffsetY);
}

void TCustomItemSelector::InvalidateItem(Integer Index)
{
    // What the design draws at once is a repaint of the cell.
    if (!ValidIndex(Index) || !HandleAllocated())
        return;
    const TRect R = Items()->GetItem(Index)->Rect();
    InvalidateRect(Handle(), &R, true);
}

TSize TCustomItemSelector::ItemImageSize(TSelectorItem* Item) const
{
    if (SelectorType() == stColor)
        return {ColorBoxWidth(), ColorBoxHeight()};
    return PictureOrListImageSize(Item->Image(), Images(), Item->ImageIndex());
}

TSize TCustomItemSelector::MeasureCaption(TCanvas* ACanvas, const String& Caption) const
{
    if (Caption.isEmpty())
        return {0, 0};
    return RenderDropDownHTML(ACanvas, Caption, TRect(0, 0, 1000, 500), Images(), true, false, true, nullptr,
                              HandleAllocated() ? Handle() : nullptr);
}

void TCustomItemSelector::DrawCaption(TCanvas* ACanvas, const String& Caption, const TRect& R)
{
    if (!Caption.isEmpty())
        RenderDropDownHTML(ACanvas, Caption, R, Images(), false, false, true, nullptr, Handle());
}

void TCustomItemSelector::GetItemSize(TSize& Size)
{
    if (FExItemSelector->OnItemSize) {
        FExItemSelector->OnItemSize(this, Size);
        return;
    }
    TMeasureCanvas Measure;
    TCanvas* C = Measure.Canvas();
    C->SetFont(FExItemSelector->ItemAppearance()->Font());
    TSize Box{0, 0}, Text{0, 0};
    for (Integer I = 0; I < Items()->Count(); ++I) {
        TSelectorItem* Item = Items()->GetItem(I);
        const TSize Image = ItemImageSize(Item);
        Box = {std::max(Box.cx, Image.cx), std::max(Box.cy, Image.cy)};
        const TSize Caption = MeasureCaption(C, Item->Caption());
        Text = {std::max(Text.cx, Caption.cx), std::max(Text.cy, Caption.cy)};
    }
    if (Text.cx > 0)
        Text.cx += 4;
    Size = LayoutContentSize(ItemLayout(), Box, Text, FCaptionGap, FItemOffsetX, FItemOffsetY);
}

void TCustomItemSelector::ArrangeItems()
{
    const Integer Count = Items()->Count();
    if (Count == 0) {
        SetBounds(Left(), Top(), 100, 50);
        return;
    }
    FItemHot = -1;
    TSize Cell{0, 0};
    GetItemSize(Cell);
    TRect Area;
    GetItemArea(Area);
    const Integer AreaLeft = Area.Left, AreaTop = Area.Top;
    Integer X = AreaLeft, Y = AreaTop, Widest = 0, InRow = 0;
    for (Integer I = 0; I < Count; ++I) {
        Items()->GetItem(I)->SetRect(TRect(X, Y, X + Cell.cx, Y + Cell.cy));
        ++InRow;
        Widest = std::max(Widest, X);
        if (I + 1 < Count && InRow >= Columns()) {
            InRow = 0;
            X = AreaLeft;
            Y += Cell.cy;
        } else {
            X += Cell.cx;
        }
    }
    SetBounds(Left(), Top(), Widest + Cell.cx + AreaLeft, Y + Cell.cy + AreaTop);
    Invalidate();
}

void TCustomItemSelector::Paint()
{
    TCustomControl::Paint();
    DrawItems(Canvas());
}

void TCustomItemSelector::DrawItems(TCanvas* ACanvas)
{
    for (Integer I = 0; I < Items()->Count(); ++I)
        DrawItem(I, ACanvas);
}

void TCustomItemSelector::DrawCellBackground(TCanvas* ACanvas, Integer Index, const TRect& R)
{
    const TItemAppearance* A = FExItemSelector->ItemAppearance();
    TColor Border = A->BorderColor(), Top = A->BorderColorTop(), Bottom = A->BorderColorBottom(),
           Edge = A->EdgeColor();
    TColor Fill = clNone, FillTo = clNone, Mirror = clNone, MirrorTo = clNone;
    const auto Take = [&](TColor C, TColor CTo, TColor M, TColor MTo, TColor PlainBorder) {
        Fill = C;
        FillTo = CTo;
        Mirror = M;
        MirrorTo = MTo;
        if (PlainBorder != clNone) {
            Border = PlainBorder;
            Top = Bottom = Edge = clNone;
        }
    };
    const bool Hot = Index == FItemHot, Selected = Index == FItemIndex;
    if (Hot)
        Take(A->ColorHot(), A->ColorHotTo(), A->ColorMirrorHot(), A->ColorMirrorHotTo(), A->BorderColorHot());
    if (Selected)
        Take(A->ColorSelected(), A->ColorSelectedTo(), A->ColorMirrorSelected(), A->ColorMirrorSelectedTo(),
             A->BorderColorSelected());
    if (!Hot && !Selected) {
        ACanvas->Brush()->SetStyle(bsSolid);
        ACanvas->Brush()->SetColor(Color());
        ACanvas->FillRect(R);
    } else if (Top != clNone) {
        DrawGradientButton(ACanvas, Fill, FillTo, Mirror, MirrorTo, Top, Bottom, Border, Edge, Color(), R, 0);
    } else {
        DrawBackground(ACanvas, R, Fill, FillTo, Border, 1, gdVertical);
    }
}

void TCustomItemSelector::DrawItemImage(TCanvas* ACanvas, TSelectorItem* Item, Integer X, Integer Y)
{
    if (SelectorType() == stColor) {
        ACanvas->Pen()->SetColor(clBlack);
        ACanvas->Pen()->SetWidth(1);
        ACanvas->Brush()->SetStyle(bsSolid);
        ACanvas->Brush()->SetColor(Item->Color());
        ACanvas->Rectangle(TRect(X, Y, X + ColorBoxWidth(), Y + ColorBoxHeight()));
    } else {
        DrawPictureOrListImage(ACanvas, Item->Image(), Images(), Item->ImageIndex(), Item->Enabled(), X, Y);
    }
}

void TCustomItemSelector::DrawItem(Integer Index, TCanvas* ACanvas)
{
    if (!ValidIndex(Index) || !ACanvas || !FExItemSelector)
        return;
    TSelectorItem* Item = Items()->GetItem(Index);
    const TRect R = Item->Rect();
    if (R.Left < 0 && R.Right < 0)
        return;
    DrawCellBackground(ACanvas, Index, R);
    if (FExItemSelector->OnDrawItem) {
        FExItemSelector->OnDrawItem(this, ACanvas, R, Index);
        return;
    }
    TRect Content = R;
    InflateRect(Content, -FItemOffsetX, -FItemOffsetY);
    const TItemAppearance* A = FExItemSelector->ItemAppearance();
    ACanvas->SetFont(A->Font());
    if (Index == FItemIndex)
        ACanvas->Font()->SetColor(A->ColorSelectedText());
    else if (Index == FItemHot)
        ACanvas->Font()->SetColor(A->ColorHotText());
    ACanvas->Brush()->SetStyle(bsClear);

    const TSize Image = ItemImageSize(Item);
    const String& Caption = Item->Caption();
    const TSize Text = MeasureCaption(ACanvas, Caption);
    const Integer CenteredTop = Content.Top + (Content.Height() - Image.cy) / 2;
    const Integer CenteredLeft = Content.Left + (Content.Width() - Image.cx) / 2;
    const bool Box = SelectorType() == stColor;
    // The caption vertically centred in its area when it is shorter.
    const auto CentredCaption = [&](TRect Area) {
        if (Text.cy < Area.Height())
            Area.Top += (Area.Height() - Text.cy) / 2;
        DrawCaption(ACanvas, Caption, Area);
    };
    switch (ItemLayout()) {
    case ilCaptionLeft: {
        Integer ImageLeft = Content.Left;
        if (!Caption.isEmpty()) {
            CentredCaption(TRect(Content.Left, Content.Top, Content.Right - Image.cx, Content.Bottom));
            ImageLeft = Content.Left + Text.cx + FCaptionGap;
        }
        DrawItemImage(ACanvas, Item, ImageLeft, Box ? Content.Top : CenteredTop);
        break;
    }
    case ilCaptionRight:
        DrawItemImage(ACanvas, Item, Content.Left, Box ? Content.Top : CenteredTop);
        CentredCaption(TRect(Content.Left + Image.cx + FCaptionGap, Content.Top, Content.Right, Content.Bottom));
        break;
    case ilCaptionTop:
        if (!Caption.isEmpty()) {
            DrawCaption(ACanvas, Caption, TRect(Content.Left, Content.Top, Content.Right, Content.Bottom - Image.cy));
            DrawItemImage(ACanvas, Item, CenteredLeft, Content.Top + Text.cy + FCaptionGap);
        } else {
            DrawItemImage(ACanvas, Item, CenteredLeft, CenteredTop);
        }
        break;
    case ilCaptionBottom: {
        const Integer ImageTop = Caption.isEmpty() ? CenteredTop : Content.Top;
        DrawItemImage(ACanvas, Item, CenteredLeft, ImageTop);
        DrawCaption(ACanvas, Caption,
                    TRect(Content.Left, ImageTop + Image.cy + FCaptionGap, Content.Right, Content.Bottom));
        break;
    }
    }
}

void TCustomItemSelector::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    const Integer Index = ItemAtPos(X, Y);
    if (Index >= 0 && Items()->GetItem(Index)->Enabled())
        SetItemIndex(Index);
}

void TCustomItemSelector::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    const Integer Index = ItemAtPos(X, Y);
    if (Index < 0) {
        SetItemHot(-1);
        return;
    }
    if (Index == FItemHot)
        return;
    TSelectorItem* Item = Items()->GetItem(Index);
    SetItemHot(Item->Enabled() ? Index : -1);
    SetHint(Item->Hint());
    Application->CancelHint();
}

void TCustomItemSelector::CMMouseLeave(TMessage& Message)
{
    TCustomControl::CMMouseLeave(Message);
    SetItemHot(-1);
}
