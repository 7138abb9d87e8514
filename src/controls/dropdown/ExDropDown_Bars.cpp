#include "controls/dropdown/ExDropDown.h"

#include "rtl/ImgList.h"

#include <QWidget>

#include <algorithm>

// ---------------------------------------------------------------- TDbgList

void TDbgList::AssignList(const TList& Other)
{
    Clear();
    for (int I = 0; I < Other.Count(); ++I)
        Add(Other.Items(I));
}

void* TDbgList::GetItemsEx(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw Exception(QStringLiteral("Index out of bounds in list read access"));
    return Items(Index);
}

void TDbgList::SetItemsEx(int Index, void* Value)
{
    if (Index < 0 || Index >= Count())
        throw Exception(QStringLiteral("Index out of bounds in list write access"));
    SetItems(Index, Value);
}

// ---------------------------------------------------------------- TExDropDownBar

TExDropDownBar::TExDropDownBar(TComponent* AOwner, std::unique_ptr<TDropDownBarAppearance> AAppearance)
    : TCustomControl(AOwner), FAppearance(std::move(AAppearance)), FButtonList(std::make_unique<TDbgList>())
{
    SetControlStyle(TControlStyle{csAcceptsControls, csClickEvents, csDoubleClicks});
    FAppearance->OnChange = [this](TObject* Sender) { AppearanceChanged(Sender); };
}

TExDropDownBar::~TExDropDownBar() = default;

void TExDropDownBar::AppearanceChanged(TObject*)
{
    SetVisible(FAppearance->Visible());
    SetHeight(FAppearance->Height());
}

void TExDropDownBar::SetImages(TImageList* Value)
{
    if (FImages)
        FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (FImages)
        FImages->FreeNotification(this);
}

void TExDropDownBar::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages)
        FImages = nullptr;
}

void TExDropDownBar::BindDropDown(TExCustomDropDown* Value)
{
    FExDropDown = Value;
    if (!Value) {
        SetImages(nullptr);
        return;
    }
    SetImages(Value->Images());
    FAppearance->Assign(SourceAppearance());
}

void TExDropDownBar::InitButton(TExButton*, TDropDownBarButton*) {}

void TExDropDownBar::CreateButtons()
{
    TDropDownBarButtons* Items = SourceButtons();
    if (!FExDropDown || !Items)
        return;
    DestroyButtons();
    const Integer AreaHeight = GetButtonArea().Height();
    for (int I = 0; I < Items->Count(); ++I) {
        auto* Item = static_cast<TDropDownBarButton*>(Items->Items(I));
        auto* B = new TExButton(this);
        B->SetParent(this);
        B->SetAppearance(FExDropDown->ButtonAppearance());
        B->SetCaption(Item->Caption());
        B->SetImages(FImages);
        B->SetImageIndex(Item->ImageIndex());
        B->SetEnabled(Item->Enabled());
        InitButton(B, Item);
        B->SizeToContent();
        if (Item->Width() > 0)
            B->SetWidth(Item->Width());
        if (Item->Height() > 0)
            B->SetHeight(Item->Height());
        if (B->Height() > AreaHeight)
            B->SetHeight(AreaHeight);
        B->SetTag(I);
        B->OnClick = [this](TObject* Sender) { ButtonClick(Sender); };
        FButtonList->Add(B);
    }
    ArrangeButtons();
}

void TExDropDownBar::DestroyButtons()
{
    for (int I = FButtonList->Count() - 1; I >= 0; --I)
        delete Button(I);
    FButtonList->Clear();
}

void TExDropDownBar::ArrangeButtons()
{
    if (FButtonList->Count() == 0)
        return;
    const TRect A = GetButtonArea();
    const bool FromRight = FAppearance->ButtonAlignment() == baRight;
    Integer X = FromRight ? A.Right : A.Left;
    for (int I = 0; I < FButtonList->Count(); ++I) {
        TExButton* B = Button(I);
        const Integer Top = std::max(A.Top, (A.Bottom - B->Height()) / 2);
        const Integer BLeft = FromRight ? X - B->Width() : X;
        B->SetBounds(BLeft, Top, B->Width(), B->Height());
        X = FromRight ? BLeft : X + B->Width();
    }
}

void TExDropDownBar::UpdateButtons()
{
    TDropDownBarButtons* Items = SourceButtons();
    if (!FExDropDown || !Items)
        return;
    for (int I = 0; I < FButtonList->Count(); ++I) {
        TExButton* B = Button(I);
        B->SetAppearance(FExDropDown->ButtonAppearance());
        B->SetImages(FImages);
        if (I < Items->Count()) {
            auto* Item = static_cast<TDropDownBarButton*>(Items->Items(I));
            B->SetCaption(Item->Caption());
            B->SetImageIndex(Item->ImageIndex());
            B->SetEnabled(Item->Enabled());
        }
    }
    ArrangeButtons();
}

TRect TExDropDownBar::GetCaptionRect() const
{
    if (FButtonList->Count() == 0)
        return TRect(-1, -1, -1, -1);
    TRect R = GetButtonArea();
    R.Right = Button(FButtonList->Count() - 1)->Left() - 2;
    return R;
}

void TExDropDownBar::ButtonClick(TObject* Sender)
{
    if (auto* B = dynamic_cast<TExButton*>(Sender); B && FExDropDown)
        RaiseButtonClick(Integer(B->Tag()));
}

void TExDropDownBar::WMSize(TWMSize& Message)
{
    TCustomControl::WMSize(Message);
    ArrangeButtons();
}

void TExDropDownBar::Paint()
{
    TCanvas* C = Canvas();
    const TRect R = ClientRect();
    if (OnDrawBackGround) {
        OnDrawBackGround(this, C, R);
        return;
    }
    const TDropDownBarAppearance& A = *FAppearance;
    if (A.ColorTo() != clNone) {
        FillGradient(C, A.Color(), A.ColorTo(), 80, R, A.GradientDirection() == gdHorizontal);
    } else if (A.Color() != clNone) {
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(A.Color());
        C->FillRect(R);
    }
    PaintBorder(R);
    TRect Area = R;
    InflateRect(Area, -A.BorderWidth(), -A.BorderWidth());
    if (A.ImageIndex() >= 0 && FImages) {
        FImages->Draw(C, Area.Left + 4, Area.Top + (Area.Height() - FImages->Height()) / 2, A.ImageIndex());
        Area.Left += FImages->Width() + 8;
    }
    PaintCaption(Area);
}

void TExDropDownBar::PaintBorder(const TRect& R)
{
    const TDropDownBarAppearance& A = *FAppearance;
    if (A.BorderColor() == clNone || A.BorderWidth() <= 0)
        return;
    TCanvas* C = Canvas();
    C->Pen()->SetWidth(A.BorderWidth());
    C->Pen()->SetColor(A.BorderColor());
    const Integer ListY = ListSideIsTop() ? R.Top : R.Bottom - 1;
    C->MoveTo(R.Left, ListY);
    C->LineTo(R.Right, ListY);
    const bool PopupHasBorder = FExDropDown && FExDropDown->DropDownBorderWidth() > 0 &&
                                FExDropDown->DropDownBorderColor() != clNone;
    if (!PopupHasBorder) {
        // The three other sides, from the list side round to it.
        const Integer FarY = ListSideIsTop() ? R.Bottom - 1 : R.Top;
        C->Polyline({TPoint(R.Left, ListY), TPoint(R.Left, FarY), TPoint(R.Right - 1, FarY),
                     TPoint(R.Right - 1, ListY)});
    }
    C->Pen()->SetWidth(1);
    C->Pen()->SetColor(BlendColor(A.BorderColor(), clWhite, 20));
    C->Brush()->SetStyle(bsClear);
    TRect Inner = R;
    if (ListSideIsTop())
        Inner.Top += A.BorderWidth();
    else
        Inner.Bottom -= A.BorderWidth();
    C->Rectangle(Inner);
}

void TExDropDownBar::PaintCaption(TRect Area)
{
    String Text = FAppearance->Caption();
    if (OnGetText)
        OnGetText(this, Text);
    if (Text.isEmpty())
        return;
    if (FButtonList->Count() > 0)
        Area.Right = GetCaptionRect().Right;
    TCanvas* C = Canvas();
    C->Font()->Assign(FAppearance->Font());
    C->Brush()->SetStyle(bsClear);
    const TSize Size = RenderDropDownHTML(C, Text, Area, FImages, true, false, false, nullptr, Handle());
    if (Size.cy < Area.Height())
        Area.Top += (Area.Height() - Size.cy) / 2;
    RenderDropDownHTML(C, Text, Area, FImages, false, false, false, nullptr, Handle());
}

// ---------------------------------------------------------------- TExHeader

TExHeader::TExHeader(TComponent* AOwner) : TExDropDownBar(AOwner, std::make_unique<THeaderAppearance>(AOwner)) {}

THeaderButtons* TExHeader::Buttons() const
{
    return ExDropDown() ? ExDropDown()->DropDownHeader()->Buttons() : nullptr;
}

TDropDownBarAppearance* TExHeader::SourceAppearance() const
{
    return ExDropDown()->DropDownHeader();
}

void TExHeader::UpdateHeader()
{
    if (ExDropDown())
        CreateButtons();
}

TRect TExHeader::GetButtonArea() const
{
    const TRect R = ClientRect();
    return TRect(R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 3);
}

void TExHeader::RaiseButtonClick(Integer ButtonIndex)
{
    if (ExDropDown()->OnDropDownHeaderButtonClick)
        ExDropDown()->OnDropDownHeaderButtonClick(ExDropDown(), ButtonIndex);
}

// ---------------------------------------------------------------- TExFooter

TExFooter::TExFooter(TComponent* AOwner) : TExDropDownBar(AOwner, std::make_unique<TFooterAppearance>(AOwner))
{
    SetControlStyle(ControlStyle() + TControlStyle{csCaptureMouse});
    // The size grip's cursor follows the mouse without a button held.
    Handle()->setMouseTracking(true);
}

TFooterButtons* TExFooter::Buttons() const
{
    return ExDropDown() ? ExDropDown()->DropDownFooter()->Buttons() : nullptr;
}

TDropDownBarAppearance* TExFooter::SourceAppearance() const
{
    return ExDropDown()->DropDownFooter();
}

void TExFooter::UpdateFooter()
{
    if (ExDropDown())
        CreateButtons();
}

bool TExFooter::ShowSizeGrip() const
{
    return Appearance()->SizeGrip() && ExDropDown() && ExDropDown()->DropDownSizeable();
}

TRect TExFooter::GetButtonArea() const
{
    const TRect R = ClientRect();
    return TRect(R.Left + 2, R.Top + 2, R.Right - (ShowSizeGrip() ? 14 : 2), R.Bottom - 2);
}

void TExFooter::InitButton(TExButton* Button, TDropDownBarButton* Item)
{
    Button->SetExDropDown(ExDropDown());
    Button->SetModalResult(static_cast<TFooterButton*>(Item)->ModalResult());
}

void TExFooter::RaiseButtonClick(Integer ButtonIndex)
{
    if (ExDropDown()->OnDropDownFooterButtonClick)
        ExDropDown()->OnDropDownFooterButtonClick(ExDropDown(), ButtonIndex);
}

void TExFooter::Paint()
{
    TExDropDownBar::Paint();
    if (OnDrawBackGround || !ShowSizeGrip())
        return;
    const TRect R = ClientRect();
    const Integer BW = Appearance()->BorderWidth();
    DrawSizeGrip(TRect(R.Right - BW - 16, 1, R.Right - BW - 1, R.Bottom));
}

void TExFooter::DrawSizeGrip(const TRect& R)
{
    const Integer L = R.Left, B = R.Bottom;
    const TPoint Squares[] = {{L + 5, B - 4}, {L + 9, B - 4}, {L + 13, B - 4},
                              {L + 9, B - 8}, {L + 13, B - 8}, {L + 13, B - 12}};
    TCanvas* C = Canvas();
    C->Brush()->SetStyle(bsSolid);
    C->Pen()->SetWidth(1);
    const auto DrawSquares = [&](TColor Color, Integer Shift) {
        C->Brush()->SetColor(Color);
        C->Pen()->SetColor(Color);
        for (const TPoint& P : Squares)
            C->Rectangle(P.X - Shift, P.Y - Shift, P.X + 2 - Shift, P.Y + 2 - Shift);
    };
    DrawSquares(BlendColor(clWhite, clWhite, 50), 0);
    DrawSquares(BlendColor(Appearance()->BorderColor(), clWhite, 100), 1);
}

bool TExFooter::InCorner(Integer X, Integer Y) const
{
    return X > Width() - 12 && Y > Height() - 15;
}

TDropDownForm* TExFooter::PopupForm() const
{
    return dynamic_cast<TDropDownForm*>(Parent());
}

void TExFooter::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TExDropDownBar::MouseDown(Button, Shift, X, Y);
    TDropDownForm* Form = PopupForm();
    if (Button != mbLeft || !InCorner(X, Y) || !ShowSizeGrip() || !Form)
        return;
    if (!Form->StartSystemResize())
        Form->BeginSizing(ClientToScreen(TPoint(X, Y)));
}

void TExFooter::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    TExDropDownBar::MouseMove(Shift, X, Y);
    TDropDownForm* Form = PopupForm();
    if (Form && Form->Sizing()) {
        Form->SizingTo(ClientToScreen(TPoint(X, Y)));
        return;
    }
    if (InCorner(X, Y) && ShowSizeGrip() && Form)
        Screen->SetCursor(crSizeNWSE);
    else
        RestoreCursor();
}

void TExFooter::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TExDropDownBar::MouseUp(Button, Shift, X, Y);
    if (TDropDownForm* Form = PopupForm())
        Form->EndSizing();
    RestoreCursor();
}

void TExFooter::CMMouseEnter(TMessage& Message)
{
    TExDropDownBar::CMMouseEnter(Message);
    if (Screen->Cursor() != crSizeNWSE)
        FOldCursor = Screen->Cursor();
}

void TExFooter::CMMouseLeave(TMessage& Message)
{
    TExDropDownBar::CMMouseLeave(Message);
    RestoreCursor();
}

void TExFooter::RestoreCursor()
{
    if (Screen->Cursor() != FOldCursor)
        Screen->SetCursor(FOldCursor);
}
