// The colour list's items and the colour selector of theme colours.
#include "controls/dropdown/ExColorPickerDropDown.h"

namespace {

constexpr Integer ThemeColumns = 10;

// Row 1 holds the base colours, rows 2 to 6 their shades.
constexpr std::array<Cardinal, 60> ThemeColors = {
    0xFFFFFF, 0x000000, 0xE1ECEE, 0x7D491F, 0xBD814F, 0x4D50C0, 0x59BB9B, 0xA26480, 0xC6AC4B, 0x4696F7,
    0xF2F2F2, 0x7F7F7F, 0xC3D9DD, 0xDACEC2, 0xF1E5DB, 0xDBDCF2, 0xDDF1EB, 0xECE0E5, 0xF3EEDB, 0xDAEAFD,
    0xD8D8D8, 0x595959, 0x97BDC4, 0xE2B38D, 0xE4CCB8, 0xB7B9E5, 0xBCE3D7, 0xD9C1CC, 0xE8DDB7, 0xB5D5FB,
    0xBFBFBF, 0x3F3F3F, 0x538993, 0xD48D54, 0xD7B395, 0x9496D9, 0x9BD6C3, 0xC7A2B2, 0xDCCD92, 0x8FC0FA,
    0xA5A5A5, 0x262626, 0x294449, 0x5D3617, 0x926036, 0x343795, 0x3C9276, 0x7A495F, 0x9B8531, 0x096CE3,
    0x7F7F7F, 0x0C0C0C, 0x101B1D, 0x3E240F, 0x614024, 0x232463, 0x28614F, 0x51313F, 0x675820, 0x064897};

TItemPos ThemeRowPos(Integer Row)
{
    switch (Row) {
    case 0: return ipStandAlone;
    case 1: return ipTop;
    case 5: return ipBottom;
    default: return ipMiddle;
    }
}

} // namespace

// ---------------------------------------------------------------- items

TColorItem::TColorItem(TCollection* ACollection) : TCollectionItem(ACollection) {}

void TColorItem::Assign(TPersistent* Source)
{
    auto* S = dynamic_cast<TColorItem*>(Source);
    if (!S) {
        TCollectionItem::Assign(Source);
        return;
    }
    SetCaption(S->Caption());
    SetColor(S->Color());
    SetEnabled(S->Enabled());
    SetHint(S->Hint());
}

void TColorItem::SetCaption(const String& Value)
{
    StoreAndReportChange<TColorItems>(this, FCaption, Value);
}

void TColorItem::SetColor(TColor Value)
{
    StoreAndReportChange<TColorItems>(this, FColor, Value);
}

TColorBoxItem::TColorBoxItem(TCollection* ACollection) : TCollectionItem(ACollection) {}

void TColorBoxItem::Assign(TPersistent* Source)
{
    auto* S = dynamic_cast<TColorBoxItem*>(Source);
    if (!S) {
        TCollectionItem::Assign(Source);
        return;
    }
    SetColor(S->Color());
    SetColorBoxPos(S->ColorBoxPos());
    SetEnabled(S->Enabled());
}

void TColorBoxItem::SetColor(TColor Value)
{
    StoreAndReportChange<TColorBoxItems>(this, FColor, Value);
}

void TColorBoxAppearance::Assign(TPersistent* Source)
{
    auto* S = dynamic_cast<TColorBoxAppearance*>(Source);
    if (!S) {
        TPersistent::Assign(Source);
        return;
    }
    SetBorderColor(S->BorderColor());
    SetOuterBorderColorHot(S->OuterBorderColorHot());
    SetInnerBorderColorHot(S->InnerBorderColorHot());
    SetOuterBorderColorSelected(S->OuterBorderColorSelected());
    SetInnerBorderColorSelected(S->InnerBorderColorSelected());
}

// ---------------------------------------------------------------- TCustomColorSelector

TCustomColorSelector::TCustomColorSelector(TComponent* AOwner)
    : TExCustomColorSelectorPanel(AOwner),
      FColorBoxAppearance(std::make_unique<TColorBoxAppearance>()),
      FItems(std::make_unique<TColorBoxItems>(this))
{
    SetParentColor(true);
}

TCustomColorSelector::~TCustomColorSelector() = default;

template <class T>
void TCustomColorSelector::StoreAndArrange(T& Field, T Value)
{
    if (Field == Value)
        return;
    Field = Value;
    ArrangeItems();
}

void TCustomColorSelector::SetColumns(Integer Value)
{
    StoreAndArrange(FColumns, Value);
}

void TCustomColorSelector::SetColumnGap(Integer Value)
{
    StoreAndArrange(FColumnGap, Value);
}

void TCustomColorSelector::SetColorBoxHeight(Integer Value)
{
    StoreAndArrange(FColorBoxHeight, Value);
}

void TCustomColorSelector::SetColorBoxWidth(Integer Value)
{
    StoreAndArrange(FColorBoxWidth, Value);
}

void TCustomColorSelector::AddThemeColors()
{
    FItems->Clear();
    for (std::size_t I = 0; I < ThemeColors.size(); ++I) {
        TColorBoxItem* Box = FItems->Add();
        Box->SetColor(TColor(ThemeColors[I]));
        Box->SetColorBoxPos(ThemeRowPos(Integer(I) / ThemeColumns));
    }
}

void TCustomColorSelector::GetItemArea(TRect& R) const
{
    R = ClientRect();
    R.Left += FOffsetX;
    R.Right -= FOffsetX;
    R.Top += FOffsetY;
    R.Bottom -= FOffsetY;
}

void TCustomColorSelector::GetItemSize(TSize& Size) const
{
    Size = TSize{FColorBoxWidth, FColorBoxHeight};
}

void TCustomColorSelector::ArrangeItems()
{
    if (FItems->Count() == 0) {
        SetBounds(Left(), Top(), 100, 50);
        return;
    }
    FItemHot = -1;
    TSize Size;
    GetItemSize(Size);
    TRect Area;
    GetItemArea(Area);
    const Integer W = Size.cx, H = Size.cy;
    Integer X = Area.Left, Y = Area.Top, MaxX = 0, InRow = 0;
    bool Gap = false;
    const Integer Last = FItems->Count() - 1;
    for (Integer I = 0; I <= Last; ++I) {
        TColorBoxItem* Box = FItems->Items(I);
        Box->SetRect(TRect(X, Y, X + W, Y + H));
        if (I == Last)
            break;
        // Rows of connected boxes touch the next row.
        if (Box->ColorBoxPos() == ipStandAlone)
            Gap = true;
        if (++InRow == FColumns) {
            MaxX = std::max(MaxX, X);
            X = Area.Left;
            Y += H + (Gap ? FColumnGap : 0);
            Gap = false;
            InRow = 0;
        } else {
            X += W + FColumnGap;
        }
    }
    SetBounds(Left(), Top(), std::max(MaxX, X) + W + Area.Left + 1, Y + H + Area.Top);
    Invalidate();
}

void TCustomColorSelector::InvalidateItem(Integer Index)
{
    if (ValidIndex(Index))
        Invalidate();
}

void TCustomColorSelector::Paint()
{
    TExCustomColorSelectorPanel::Paint();
    for (Integer I = 0; I < FItems->Count(); ++I)
        DrawItem(I, Canvas());
}

void TCustomColorSelector::DrawFrames(TCanvas* ACanvas, TRect R, TColor Outer, TColor Inner)
{
    ACanvas->Brush()->SetStyle(bsClear);
    if (Outer != clNone) {
        ACanvas->Pen()->SetColor(Outer);
        ACanvas->Rectangle(R);
        InflateRect(R, -1, -1);
    }
    if (Inner != clNone) {
        ACanvas->Pen()->SetColor(Inner);
        ACanvas->Rectangle(R);
    }
}

void TCustomColorSelector::DrawBorderLines(TCanvas* ACanvas, const TRect& R, TItemPos Pos)
{
    ACanvas->Pen()->SetColor(FColorBoxAppearance->BorderColor());
    const Integer L = R.Left, T = R.Top, Rt = R.Right - 1, B = R.Bottom - 1;
    switch (Pos) {
    case ipStandAlone:
        ACanvas->Brush()->SetStyle(bsClear);
        ACanvas->Rectangle(R);
        break;
    case ipTop:
        ACanvas->MoveTo(L, B + 1);
        ACanvas->LineTo(L, T);
        ACanvas->LineTo(Rt, T);
        ACanvas->LineTo(Rt, B + 1);
        break;
    case ipMiddle:
        ACanvas->MoveTo(L, T);
        ACanvas->LineTo(L, B + 1);
        ACanvas->MoveTo(Rt, T);
        ACanvas->LineTo(Rt, B + 1);
        break;
    case ipBottom:
        ACanvas->MoveTo(L, T);
        ACanvas->LineTo(L, B);
        ACanvas->LineTo(Rt, B);
        ACanvas->LineTo(Rt, T - 1);
        break;
    }
}

void TCustomColorSelector::DrawItem(Integer Index, TCanvas* ACanvas)
{
    if (!ValidIndex(Index) || !ACanvas)
        return;
    TColorBoxItem* Box = FItems->Items(Index);
    const TRect R = Box->Rect();
    if (IsRectEmpty(R))
        return;
    if (Box->Color() != clNone) {
        ACanvas->Pen()->SetColor(Box->Color());
        ACanvas->Brush()->SetStyle(bsSolid);
        ACanvas->Brush()->SetColor(Box->Color());
        ACanvas->Rectangle(R);
    }
    const TColorBoxAppearance* A = FColorBoxAppearance.get();
    if (Index == FItemIndex)
        DrawFrames(ACanvas, R, A->OuterBorderColorSelected(), A->InnerBorderColorSelected());
    else if (Index == FItemHot)
        DrawFrames(ACanvas, R, A->OuterBorderColorHot(), A->InnerBorderColorHot());
    else
        DrawBorderLines(ACanvas, R, Box->ColorBoxPos());
}

// ---------------------------------------------------------------- selection

void TCustomColorSelector::SetItemIndex(Integer Value)
{
    // A program may pass any index: beyond the boxes it is ignored.
    if (Value >= FItems->Count())
        return;
    if (Value >= 0 && !FItems->Items(Value)->Enabled())
        return;
    if (FItemIndex >= 0 && FItemIndex != Value) {
        const Integer Old = FItemIndex;
        FItemIndex = -1;
        InvalidateItem(Old);
    }
    FItemIndex = Value;
    if (Value < 0)
        return;
    FSelectedColor = FItems->Items(Value)->Color();
    InvalidateItem(Value);
    if (OnItemSelect)
        OnItemSelect(this);
}

void TCustomColorSelector::SetSelectedColor(TColor Value)
{
    if (Value == FSelectedColor)
        return;
    FSelectedColor = Value;
    if (Value == clNone)
        SetItemIndex(-1);
    for (Integer I = 0; I < FItems->Count(); ++I)
        if (FItems->Items(I)->Color() == Value) {
            SetItemIndex(I);
            return;
        }
    SetItemIndex(-1);
}

void TCustomColorSelector::SetItemColorStyle(TSelectionColorStyle Value)
{
    if (Value == FItemColorStyle)
        return;
    FItemColorStyle = Value;
    if (Value == scCustom)
        return;
    FColorBoxAppearance->SetOuterBorderColorSelected(TColor(0x0000FF));
    FColorBoxAppearance->SetInnerBorderColorSelected(TColor(0x94E2FF));
    FColorBoxAppearance->SetOuterBorderColorHot(TColor(0x3694F2));
    FColorBoxAppearance->SetInnerBorderColorHot(TColor(0x94E2FF));
    FColorBoxAppearance->SetBorderColor(TColor(0xC5C5C5));
}

void TCustomColorSelector::SelectFirst()
{
    if (FItems->Count() > 0)
        SetItemIndex(0);
}

void TCustomColorSelector::SelectLast()
{
    if (FItems->Count() > 0)
        SetItemIndex(FItems->Count() - 1);
}

void TCustomColorSelector::SelectNext()
{
    if (FItemIndex + 1 < FItems->Count())
        SetItemIndex(FItemIndex + 1);
}

void TCustomColorSelector::SelectPrevious()
{
    if (FItemIndex > 0)
        SetItemIndex(FItemIndex - 1);
    else if (FItemIndex < 0)
        SelectFirst();
}

void TCustomColorSelector::HotNext()
{
    if (FItemHot + 1 < FItems->Count())
        SetItemHot(FItemHot + 1);
}

void TCustomColorSelector::HotPrevious()
{
    if (FItemHot > 0)
        SetItemHot(FItemHot - 1);
    else if (FItemHot < 0 && FItems->Count() > 0)
        SetItemHot(0);
}

void TCustomColorSelector::KeyNavigate(Word Key, bool EditorEnabled, bool DroppedDown)
{
    if (!Enabled() || Key < VK_PRIOR || Key > VK_DOWN)
        return;
    const auto Vertical = [&](Integer Step, void (TCustomColorSelector::*Closed)()) {
        if (!DroppedDown) {
            (this->*Closed)();
            return;
        }
        const Integer Target = FItemIndex < 0 ? 0 : FItemIndex + Step;
        if (ValidIndex(Target))
            SetItemIndex(Target);
    };
    const bool Sideways = !EditorEnabled || DroppedDown;
    switch (Key) {
    case VK_PRIOR:
    case VK_HOME: SelectFirst(); break;
    case VK_NEXT:
    case VK_END: SelectLast(); break;
    case VK_LEFT:
        if (Sideways)
            SelectPrevious();
        break;
    case VK_RIGHT:
        if (Sideways)
            SelectNext();
        break;
    case VK_UP: Vertical(-FColumns, &TCustomColorSelector::SelectPrevious); break;
    case VK_DOWN: Vertical(FColumns, &TCustomColorSelector::SelectNext); break;
    default: break;
    }
}

// ---------------------------------------------------------------- hot box and mouse

void TCustomColorSelector::SetItemHot(Integer Value)
{
    if (Value == FItemHot || (ValidIndex(Value) && !FItems->Items(Value)->Enabled()))
        return;
    const Integer Old = FItemHot;
    FItemHot = Value;
    InvalidateItem(Old);
    InvalidateItem(Value);
}

void TCustomColorSelector::ClearItemHot()
{
    SetItemHot(-1);
}

Integer TCustomColorSelector::ItemAtPos(Integer X, Integer Y) const
{
    for (Integer I = 0; I < FItems->Count(); ++I) {
        const TRect R = FItems->Items(I)->Rect();
        if (X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom)
            return I;
    }
    return -1;
}

void TCustomColorSelector::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    TExCustomColorSelectorPanel::MouseMove(Shift, X, Y);
    const Integer Box = ItemAtPos(X, Y);
    if (Box >= 0 && FItems->Items(Box)->Enabled())
        SetItemHot(Box);
    else
        ClearItemHot();
}

void TCustomColorSelector::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TExCustomColorSelectorPanel::MouseDown(Button, Shift, X, Y);
    SelectBoxAt(ItemAtPos(X, Y));
}

void TCustomColorSelector::SelectBoxAt(Integer Index)
{
    if (ValidIndex(Index) && FItems->Items(Index)->Enabled())
        SetItemIndex(Index);
}

void TCustomColorSelector::CMMouseLeave(TMessage& Message)
{
    TExCustomColorSelectorPanel::CMMouseLeave(Message);
    ClearItemHot();
}
