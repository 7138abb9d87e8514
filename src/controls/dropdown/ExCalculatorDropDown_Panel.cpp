// The calculator's button panel: its buttons, their appearance, layout,
// painting and mouse.
#include "controls/dropdown/ExCalculatorDropDown.h"

#include "rtl/ImgList.h"
#include "rtl/Themes.h"

#include <algorithm>
#include <array>

namespace {

struct TCalculatorButton {
    const char* Caption;
    const char* Name;
    Integer Tag;
    bool Special;
    // Row and column in the layout; the top row's three wide buttons have
    // the columns 1 to 3 of their thirds.
    Integer Row, Column;
};

constexpr std::array<TCalculatorButton, 28> CalculatorButtons = {{
    {"", "BTN_ON", 30, false, 0, 0},       {"Back", "BTN_BACK", 31, true, 0, 1},
    {"CE", "BTN_CE", 32, true, 0, 2},      {"C", "BTN_C", 16, true, 0, 3},
    {"MC", "BTN_MC", 33, true, 1, 0},      {"MR", "BTN_MR", 34, true, 2, 0},
    {"MS", "BTN_MS", 35, true, 3, 0},      {"M+", "BTN_M+", 36, true, 4, 0},
    {"0", "BTN_0", 0, false, 4, 1},        {"1", "BTN_1", 1, false, 3, 1},
    {"4", "BTN_4", 4, false, 2, 1},        {"7", "BTN_7", 7, false, 1, 1},
    {"8", "BTN_8", 8, false, 1, 2},        {"5", "BTN_5", 5, false, 2, 2},
    {"2", "BTN_2", 2, false, 3, 2},        {"+/-", "BTN_+/-", 14, false, 4, 2},
    {".", "BTN_.", 15, false, 4, 3},       {"3", "BTN_3", 3, false, 3, 3},
    {"6", "BTN_6", 6, false, 2, 3},        {"9", "BTN_9", 9, false, 1, 3},
    {"/", "BTN_/", 13, true, 1, 4},        {"*", "BTN_*", 12, true, 2, 4},
    {"-", "BTN_-", 11, true, 3, 4},        {"+", "BTN_+", 10, true, 4, 4},
    {"=", "BTN_=", 17, true, 4, 5},        {"1/x", "BTN_1/x", 38, false, 3, 5},
    {"%", "BTN_%", 18, false, 2, 5},       {"sqrt", "BTN_sqrt", 37, true, 1, 5},
}};

// Button states as the theme numbers them.
enum : Integer { StateNormal = PBS_NORMAL, StateHot = PBS_HOT, StatePressed = PBS_PRESSED, StateDisabled = PBS_DISABLED };

void PlaceButton(TButtonItem* Item, Integer Left, Integer Top, Integer Width, Integer Height)
{
    Item->SetLeft(Left);
    Item->SetTop(Top);
    Item->SetWidth(Width);
    Item->SetHeight(Height);
}

} // namespace

// ---------------------------------------------------------------- TButtonItem

TButtonItem::TButtonItem(TCollection* ACollection)
    : TCollectionItem(ACollection), FImage(std::make_unique<TPicture>())
{
}

TButtonItem::~TButtonItem() = default;

void TButtonItem::Assign(TPersistent* Source)
{
    auto* Other = dynamic_cast<TButtonItem*>(Source);
    if (!Other) {
        TCollectionItem::Assign(Source);
        return;
    }
    SetCaption(Other->Caption());
    SetCaptionColor(Other->CaptionColor());
    SetTag(Other->Tag());
    SetImageIndex(Other->ImageIndex());
    FImage->Assign(Other->Image());
    SetEnabled(Other->Enabled());
    SetName(Other->Name());
}

// ---------------------------------------------------------------- TButtonAppearance

TButtonAppearance::TButtonAppearance() : FFont(std::make_unique<TFont>())
{
    FFont->SetSize(10);
    FFont->SetStyle(TFontStyles{fsBold});
}

TButtonAppearance::~TButtonAppearance() = default;

void TButtonAppearance::Store(TColor& Field, TColor Value)
{
    if (Field == Value)
        return;
    Field = Value;
    if (OnChange)
        OnChange(this);
}

void TButtonAppearance::Assign(TPersistent* Source)
{
    auto* Other = dynamic_cast<TButtonAppearance*>(Source);
    if (!Other) {
        TPersistent::Assign(Source);
        return;
    }
    SetBorderColor(Other->BorderColor());
    SetBorderColorHot(Other->BorderColorHot());
    SetBorderColorDown(Other->BorderColorDown());
    SetBorderColorChecked(Other->BorderColorChecked());
    SetColor(Other->Color());
    SetColorTo(Other->ColorTo());
    SetColorDown(Other->ColorDown());
    SetColorDownTo(Other->ColorDownTo());
    SetColorHot(Other->ColorHot());
    SetColorHotTo(Other->ColorHotTo());
    SetColorCheckedTo(Other->ColorCheckedTo());
    SetColorDisabled(Other->ColorDisabled());
    SetColorDisabledTo(Other->ColorDisabledTo());
    SetColorChecked(Other->ColorChecked());
    SetShineColor(Other->ShineColor());
    SetGlowColorHot(Other->GlowColorHot());
    SetGlowColorDown(Other->GlowColorDown());
    SetFont(Other->Font());
    SetTextColor(Other->TextColor());
    SetSpecialTextColor(Other->SpecialTextColor());
}

// ---------------------------------------------------------------- TCustomButtonPanel

TCustomButtonPanel::TCustomButtonPanel(TComponent* AOwner)
    : TCustomControl(AOwner),
      FButtons(std::make_unique<TButtonItems>(this)),
      FButtonAppearance(std::make_unique<TButtonAppearance>())
{
    FButtonAppearance->OnChange = [this](TObject*) {
        if (!FDropDown)
            Invalidate();
    };
    // Double buffering: the platform's widgets paint through a back buffer.
}

TCustomButtonPanel::~TCustomButtonPanel() = default;

void TCustomButtonPanel::Loaded()
{
    TCustomControl::Loaded();
    if (!FDropDown)
        CreateButtons();
}

void TCustomButtonPanel::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomControl::Notification(AComponent, Operation);
    if (Operation != opRemove || ComponentState().Contains(csDestroying))
        return;
    if (AComponent == FImages)
        SetImages(nullptr);
    if (AComponent == FEdit)
        SetEdit(nullptr);
}

void TCustomButtonPanel::SetImages(TImageList* Value)
{
    if (FImages == Value)
        return;
    if (FImages)
        FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (FImages)
        FImages->FreeNotification(this);
    ArrangeButtons();
}

void TCustomButtonPanel::SetEdit(TCustomEdit* Value)
{
    if (FEdit)
        FEdit->RemoveFreeNotification(this);
    FEdit = Value;
    if (FEdit)
        FEdit->FreeNotification(this);
}

void TCustomButtonPanel::SetButtonPanelType(TButtonPanelType Value)
{
    if (FButtonPanelType == Value)
        return;
    FButtonPanelType = Value;
    ArrangeButtons();
}

void TCustomButtonPanel::ClearButtons()
{
    FButtons->Clear();
}

void TCustomButtonPanel::ResetButtons()
{
    ClearButtons();
    CreateButtons();
}

void TCustomButtonPanel::CreateButtons()
{
    if (FButtons->Count() > 0)
        return;
    if (FButtonPanelType == plCalculator) {
        for (const TCalculatorButton& B : CalculatorButtons) {
            TButtonItem* Item = FButtons->Add();
            Item->SetCaption(QString::fromLatin1(B.Caption));
            Item->SetName(QString::fromLatin1(B.Name));
            Item->SetTag(B.Tag);
            Item->SetSpecial(B.Special);
            if (B.Special)
                Item->SetCaptionColor(clMaroon);
        }
    }
    ArrangeButtons();
}

void TCustomButtonPanel::GetButtonArea(TRect& R) const
{
    R = ClientRect();
    InflateRect(R, -FOffsetX, -FOffsetY);
}

void TCustomButtonPanel::ArrangeButtons()
{
    if (FButtons->Count() == 0 || FButtonPanelType == plCustom)
        return;
    ArrangeCalculator();
    Invalidate();
}

void TCustomButtonPanel::ArrangeCalculator()
{
    constexpr Integer G = 4;
    TRect A;
    GetButtonArea(A);
    const Integer W = (A.Right - A.Left - 2 * G) / 6;
    const Integer H = (A.Bottom - A.Top - G) / 5;
    // Groups are 4 pixels apart; neighbours inside a group share a pixel.
    std::array<Integer, 6> X{};
    X[0] = A.Left;
    X[1] = X[0] + W + G;
    X[2] = X[1] + W - 1;
    X[3] = X[2] + W - 1;
    X[4] = X[3] + W + G;
    X[5] = X[4] + W - 1;
    const Integer XEnd = X[5] + W;
    std::array<Integer, 5> Y{};
    Y[0] = A.Top;
    Y[1] = Y[0] + H + G;
    for (std::size_t R = 2; R < Y.size(); ++R)
        Y[R] = Y[R - 1] + H - 1;
    for (Integer I = 0; I < Integer(CalculatorButtons.size()); ++I) {
        const TCalculatorButton& B = CalculatorButtons[std::size_t(I)];
        if (B.Row > 0 || B.Column == 0)
            PlaceButton(FButtons->GetItem(I), X[std::size_t(B.Column)], Y[std::size_t(B.Row)], W, H);
    }
    const Integer S = X[0] + W + G;
    const Integer W3 = (XEnd - S - 2 * G) / 3;
    PlaceButton(FButtons->GetItem(1), S, Y[0], W3, H);
    PlaceButton(FButtons->GetItem(2), S + W3 + G, Y[0], W3, H);
    const Integer CLeft = S + 2 * (W3 + G);
    PlaceButton(FButtons->GetItem(3), CLeft, Y[0], XEnd - CLeft, H);
}

void TCustomButtonPanel::WMSize(TWMSize& Message)
{
    TCustomControl::WMSize(Message);
    ArrangeButtons();
}

TSize TCustomButtonPanel::ImageSize(TButtonItem* Item) const
{
    return PictureOrListImageSize(Item->Image(), FImages, Item->ImageIndex());
}

void TCustomButtonPanel::GetButtonSize(TSize& Size)
{
    TBitmap Measure;
    Measure.SetSize(1, 1);
    TCanvas* C = Measure.Canvas();
    C->SetFont(Font());
    TSize Image{0, 0}, Text{0, 0};
    for (Integer I = 0; I < FButtons->Count(); ++I) {
        TButtonItem* Item = FButtons->GetItem(I);
        const TSize S = ImageSize(Item);
        Image = {std::max(Image.cx, S.cx), std::max(Image.cy, S.cy)};
        const TSize T = Item->Caption().isEmpty() ? TSize{0, 0} : C->TextExtent(Item->Caption());
        Text = {std::max(Text.cx, T.cx), std::max(Text.cy, T.cy)};
    }
    Size = LayoutContentSize(FButtonLayout, Image, Text, FCaptionGap, FButtonOffsetX, FButtonOffsetY);
}

void TCustomButtonPanel::GetButtonRect(Integer Index, TRect& R) const
{
    R = ValidIndex(Index) ? FButtons->GetItem(Index)->BoundsRect() : TRect(-1, -1, -1, -1);
}

Integer TCustomButtonPanel::ButtonAtPos(Integer X, Integer Y) const
{
    for (Integer I = 0; I < FButtons->Count(); ++I) {
        const TRect R = FButtons->GetItem(I)->BoundsRect();
        if (X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom)
            return I;
    }
    return -1;
}

std::vector<Integer> TCustomButtonPanel::PaintOrder() const
{
    std::vector<Integer> Order;
    for (Integer I = 0; I < FButtons->Count(); ++I)
        if (I != FButtonHot)
            Order.push_back(I);
    if (ValidIndex(FButtonHot))
        Order.push_back(FButtonHot);
    return Order;
}

void TCustomButtonPanel::Paint()
{
    TCanvas* C = Canvas();
    if (!FDropDown) {
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(clBlack);
        C->FrameRect(ClientRect());
    }
    for (Integer I : PaintOrder())
        DrawButton(I, C);
}

void TCustomButtonPanel::DrawFace(TCanvas* ACanvas, const TRect& R, Integer State)
{
    if (HTHEME Theme = OpenThemeData(Handle(), QStringLiteral("button"))) {
        DrawThemeBackground(Theme, ACanvas, BP_PUSHBUTTON, State, R);
        CloseThemeData(Theme);
        return;
    }
    // Without themes: a face in the appearance's colours of the state.
    const TButtonAppearance* A = FButtonAppearance.get();
    switch (State) {
    case StateHot: DrawBackground(ACanvas, R, A->ColorHot(), A->ColorHotTo(), A->BorderColorHot(), 1, gdVertical); break;
    case StatePressed:
        DrawBackground(ACanvas, R, A->ColorDown(), A->ColorDownTo(), A->BorderColorDown(), 1, gdVertical);
        break;
    case StateDisabled:
        DrawBackground(ACanvas, R, A->ColorDisabled(), A->ColorDisabledTo(), A->BorderColor(), 1, gdVertical);
        break;
    default: DrawBackground(ACanvas, R, A->Color(), A->ColorTo(), A->BorderColor(), 1, gdVertical); break;
    }
}

void TCustomButtonPanel::DrawImage(TCanvas* ACanvas, TButtonItem* Item, Integer X, Integer Y)
{
    DrawPictureOrListImage(ACanvas, Item->Image(), FImages, Item->ImageIndex(), Item->Enabled(), X, Y);
}

void TCustomButtonPanel::DrawContent(TCanvas* ACanvas, TButtonItem* Item, const TRect& Content)
{
    const TSize Image = ImageSize(Item);
    const bool HasImage = Image.cx > 0;
    const String& Caption = Item->Caption();
    const Integer CaptionW = Caption.isEmpty() ? 0 : ACanvas->TextWidth(Caption);
    const Integer CaptionH = Caption.isEmpty() ? 0 : ACanvas->TextHeight(Caption);
    const auto DrawCaption = [&](TRect R, bool Centred) {
        if (!Caption.isEmpty())
            DrawText(ACanvas, Caption, R, DT_SINGLELINE | DT_VCENTER | (Centred ? DT_CENTER : DT_LEFT));
    };
    const Integer CentredTop = Content.Top + (Content.Height() - Image.cy) / 2;
    switch (FButtonLayout) {
    case ilCaptionLeft:
        DrawCaption(TRect(Content.Left, Content.Top, Content.Right - Image.cx, Content.Bottom), !HasImage);
        DrawImage(ACanvas, Item, Content.Left + CaptionW + FCaptionGap, CentredTop);
        break;
    case ilCaptionRight:
        DrawImage(ACanvas, Item, Content.Left, CentredTop);
        DrawCaption(TRect(Content.Left + Image.cx + (HasImage ? FCaptionGap : 0), Content.Top, Content.Right,
                          Content.Bottom),
                    !HasImage);
        break;
    case ilCaptionTop:
        if (Caption.isEmpty()) {
            DrawImage(ACanvas, Item, Content.Left, CentredTop);
        } else {
            DrawCaption(TRect(Content.Left, Content.Top, Content.Right, Content.Bottom - Image.cy), true);
            DrawImage(ACanvas, Item, Content.Left, Content.Top + CaptionH + FCaptionGap);
        }
        break;
    case ilCaptionBottom: {
        const Integer ImageTop = Caption.isEmpty() ? CentredTop : Content.Top;
        DrawImage(ACanvas, Item, Content.Left, ImageTop);
        DrawCaption(TRect(Content.Left, ImageTop + Image.cy + FCaptionGap, Content.Right, Content.Bottom), true);
        break;
    }
    }
}

void TCustomButtonPanel::DrawButton(Integer Index, TCanvas* ACanvas)
{
    if (!ValidIndex(Index) || !ACanvas)
        return;
    TButtonItem* Item = FButtons->GetItem(Index);
    const TRect R = Item->BoundsRect();
    if (R.Left < 0 && R.Right < 0)
        return;
    ACanvas->Brush()->SetStyle(bsSolid);
    ACanvas->Brush()->SetColor(Color());
    ACanvas->FillRect(R);
    const Integer State = !Enabled()            ? StateDisabled
                          : Index == FButtonDown ? StatePressed
                          : Index == FButtonHot  ? StateHot
                                                 : StateNormal;
    DrawFace(ACanvas, R, State);
    TRect Content = R;
    InflateRect(Content, -FButtonOffsetX, -FButtonOffsetY);
    ACanvas->SetFont(FButtonAppearance->Font());
    ACanvas->Font()->SetColor(Item->Special() ? FButtonAppearance->SpecialTextColor() : FButtonAppearance->TextColor());
    ACanvas->Brush()->SetStyle(bsClear);
    DrawContent(ACanvas, Item, Content);
}

void TCustomButtonPanel::InvalidateButton(Integer Index)
{
    if (!ValidIndex(Index) || !HandleAllocated())
        return;
    TRect R = FButtons->GetItem(Index)->BoundsRect();
    InflateRect(R, 8, 8);
    InvalidateRect(Handle(), &R, true);
}

void TCustomButtonPanel::DoButtonClick(Integer Index)
{
    if (OnButtonClick)
        OnButtonClick(this, Index);
}

void TCustomButtonPanel::ChangeButton(Integer& Field, Integer Index)
{
    if (Field == Index || (ValidIndex(Index) && !FButtons->GetItem(Index)->Enabled()))
        return;
    if (Field >= 0) {
        const Integer Old = Field;
        Field = -1;
        InvalidateButton(Old);
    }
    Field = Index;
    // Drawn at once in the design: here the next paint shows it.
    InvalidateButton(Index);
}

void TCustomButtonPanel::SetButtonHot(Integer Index)
{
    ChangeButton(FButtonHot, Index);
}

void TCustomButtonPanel::SetButtonDown(Integer Index)
{
    ChangeButton(FButtonDown, Index);
}

void TCustomButtonPanel::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    const Integer Index = ButtonAtPos(X, Y);
    if (Index >= 0 && FButtons->GetItem(Index)->Enabled())
        SetButtonDown(Index);
}

void TCustomButtonPanel::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    const Integer Index = ButtonAtPos(X, Y);
    if (Index < 0) {
        if (FButtonHot >= 0)
            SetButtonHot(-1);
    } else if (Index != FButtonHot) {
        SetButtonHot(FButtons->GetItem(Index)->Enabled() ? Index : -1);
    }
}

void TCustomButtonPanel::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (FButtonDown < 0)
        return;
    const Integer Pressed = FButtonDown;
    SetButtonDown(-1);
    if (ButtonAtPos(X, Y) == Pressed)
        DoButtonClick(Pressed);
}

void TCustomButtonPanel::CMMouseLeave(TMessage& Message)
{
    TCustomControl::CMMouseLeave(Message);
    SetButtonHot(-1);
}
