#include "rtl/CategoryPanels.h"

#include "rtl/ControlBridge.h"

#include <algorithm>

// ---------------------------------------------------------------- TCategoryPanel

TCategoryPanel::TCategoryPanel(TComponent* AOwner) : TCustomControl(AOwner)
{
    FSurface = new QWidget(Handle());
    FSurface->setAutoFillBackground(true);
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls});
    SetParentColor(false);
    SetColor(clBtnFace);
    SetBounds(0, 0, 185, 200);
}

TCategoryPanel::~TCategoryPanel() = default;

void TCategoryPanel::SetPanelGroup(TCategoryPanelGroup* Value)
{
    SetParent(Value);
}

void TCategoryPanel::SetParent(TWinControl* AParent)
{
    if (FPanelGroup && FPanelGroup != AParent)
        FPanelGroup->PanelsChanged();
    FPanelGroup = dynamic_cast<TCategoryPanelGroup*>(AParent);
    if (FPanelGroup)
        SetAlign(alTop);
    TCustomControl::SetParent(AParent);
    PlaceSurface();
}

QWidget* TCategoryPanel::ClientWidget() const
{
    return FSurface;
}

Integer TCategoryPanel::HeaderHeight() const
{
    return FPanelGroup ? FPanelGroup->HeaderHeight() : 24;
}

TRect TCategoryPanel::HeaderRect() const
{
    return TRect(0, 0, Width(), HeaderHeight());
}

TRect TCategoryPanel::ChevronRect() const
{
    const Integer H = HeaderHeight();
    const bool Left = FPanelGroup && FPanelGroup->ChevronAlignment() == taLeftJustify;
    const Integer X = Left ? 4 : Width() - H;
    return TRect(X, 0, X + H - 4, H);
}

TRect TCategoryPanel::ClientRect() const
{
    return TRect(0, 0, Width(), std::max(FExpandedHeight - HeaderHeight(), 0));
}

TPoint TCategoryPanel::ClientOrigin() const
{
    return TPoint(0, HeaderHeight());
}

void TCategoryPanel::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight)
{
    // While collapsed the height set is the one it expands to.
    if (FCollapsed) {
        FExpandedHeight = AHeight;
        AHeight = HeaderHeight();
    } else {
        FExpandedHeight = AHeight;
    }
    TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    PlaceSurface();
}

void TCategoryPanel::PlaceWidget()
{
    TCustomControl::PlaceWidget();
    PlaceSurface();
}

void TCategoryPanel::PlaceSurface()
{
    if (!FSurface)
        return;
    const Integer H = HeaderHeight();
    FSurface->setGeometry(0, H, Width(), std::max(FExpandedHeight - H, 0));
    FSurface->setVisible(!FCollapsed);
}

void TCategoryPanel::ApplyColor()
{
    TCustomControl::ApplyColor();
    if (FSurface) {
        QPalette P = FSurface->palette();
        const QColor C = ColorToQColor(Color());
        if (C.isValid()) {
            P.setColor(QPalette::Window, C);
            FSurface->setPalette(P);
        }
    }
}

void TCategoryPanel::SetCollapsed(bool Value)
{
    if (FCollapsed == Value)
        return;
    const Integer Expanded = FExpandedHeight;
    FCollapsed = Value;
    TCustomControl::SetBounds(Left(), Top(), Width(), Value ? HeaderHeight() : Expanded);
    FExpandedHeight = Expanded;
    PlaceSurface();
    Invalidate();
    if (Value) {
        if (OnCollapse)
            OnCollapse(this);
    } else if (OnExpand) {
        OnExpand(this);
    }
}

void TCategoryPanel::SetCollapsedImageIndex(Integer Value)
{
    FCollapsedImageIndex = Value;
    Invalidate();
}

void TCategoryPanel::SetExpandedImageIndex(Integer Value)
{
    FExpandedImageIndex = Value;
    Invalidate();
}

void TCategoryPanel::Paint()
{
    TCanvas* C = Canvas();
    const TRect Header = HeaderRect();
    const TColor Base = FPanelGroup ? FPanelGroup->GradientBaseColor() : clBtnFace;
    const TColor To = FPanelGroup ? FPanelGroup->GradientColor() : clBtnFace;
    GradientFillRect(C, Header, Base, To, gdVertical);
    Integer X = 4;
    if (FPanelGroup && FPanelGroup->Images()) {
        const Integer Index = FCollapsed ? FCollapsedImageIndex : FExpandedImageIndex;
        TImageList* Images = FPanelGroup->Images();
        if (Index >= 0 && Index < Images->Count()) {
            Images->Draw(C, X, (Header.Height() - Images->Height()) / 2, Index);
            X += Images->Width() + 4;
        }
    }
    if (FPanelGroup)
        C->Font()->Assign(FPanelGroup->HeaderFont());
    C->Brush()->SetStyle(bsClear);
    TRect TextR(X, 0, ChevronRect().Left, Header.Bottom);
    DrawText(C, Caption(), -1, TextR, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    // The chevron: two strokes pointing up while expanded, down while collapsed.
    const TRect Ch = ChevronRect();
    const TColor ChColor = FChevronHot && FPanelGroup ? FPanelGroup->ChevronHotColor()
                           : FPanelGroup                ? FPanelGroup->ChevronColor()
                                                        : clBlack;
    C->Pen()->SetColor(ChColor);
    C->Pen()->SetWidth(1);
    const Integer CX = (Ch.Left + Ch.Right) / 2;
    const Integer CY = (Ch.Top + Ch.Bottom) / 2;
    for (Integer Row = 0; Row < 2; ++Row) {
        for (Integer T = 0; T < 2; ++T) {
            const Integer Y = CY - 4 + Row * 4 + T;
            const Integer Dir = FCollapsed ? 1 : -1;
            C->MoveTo(CX - 4, Y - Dir * 2);
            C->LineTo(CX, Y + Dir * 2);
            C->LineTo(CX + 5, Y - Dir * 3);
        }
    }
}

void TCategoryPanel::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button == mbLeft && PtInRect(HeaderRect(), TPoint(X, Y)))
        SetCollapsed(!FCollapsed);
}

void TCategoryPanel::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    const bool Hot = PtInRect(ChevronRect(), TPoint(X, Y));
    if (Hot != FChevronHot) {
        FChevronHot = Hot;
        Invalidate();
    }
}

void TCategoryPanel::CMMouseLeave(TMessage& Message)
{
    if (FChevronHot) {
        FChevronHot = false;
        Invalidate();
    }
    TCustomControl::CMMouseLeave(Message);
}

// ---------------------------------------------------------------- TCategoryPanelGroup

TCategoryPanelGroup::TCategoryPanelGroup(TComponent* AOwner)
    : TScrollingWinControl(AOwner), FHeaderFont(std::make_unique<TFont>())
{
    FHeaderFont->OnChange = [this](TObject*) { PanelsChanged(); };
    HorzScrollBar()->SetVisible(false);
    SetBounds(0, 0, 200, 400);
}

TCategoryPanelGroup::~TCategoryPanelGroup() = default;

Integer TCategoryPanelGroup::PanelCount() const
{
    Integer N = 0;
    for (Integer I = 0; I < ControlCount(); ++I)
        if (dynamic_cast<TCategoryPanel*>(Controls(I)))
            ++N;
    return N;
}

TCategoryPanel* TCategoryPanelGroup::Panels(Integer Index) const
{
    std::vector<TCategoryPanel*> List;
    for (Integer I = 0; I < ControlCount(); ++I)
        if (auto* P = dynamic_cast<TCategoryPanel*>(Controls(I)))
            List.push_back(P);
    std::stable_sort(List.begin(), List.end(), [](const TCategoryPanel* A, const TCategoryPanel* B) {
        return A->Top() < B->Top();
    });
    if (Index < 0 || Index >= Integer(List.size()))
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    return List[std::size_t(Index)];
}

void TCategoryPanelGroup::CollapseAll()
{
    for (Integer I = 0; I < PanelCount(); ++I)
        Panels(I)->SetCollapsed(true);
}

void TCategoryPanelGroup::ExpandAll()
{
    for (Integer I = 0; I < PanelCount(); ++I)
        Panels(I)->SetCollapsed(false);
}

void TCategoryPanelGroup::PanelsChanged()
{
    for (Integer I = 0; I < ControlCount(); ++I)
        if (auto* P = dynamic_cast<TCategoryPanel*>(Controls(I))) {
            if (P->Collapsed())
                P->TCustomControl::SetBounds(P->Left(), P->Top(), P->Width(), FHeaderHeight);
            P->PlaceSurface();
            P->Invalidate();
        }
    Realign();
}

void TCategoryPanelGroup::SetHeaderHeight(Integer Value)
{
    FHeaderHeight = Value;
    PanelsChanged();
}

void TCategoryPanelGroup::SetGradientBaseColor(TColor Value)
{
    FGradientBaseColor = Value;
    PanelsChanged();
}

void TCategoryPanelGroup::SetGradientColor(TColor Value)
{
    FGradientColor = Value;
    PanelsChanged();
}

void TCategoryPanelGroup::SetChevronColor(TColor Value)
{
    FChevronColor = Value;
    PanelsChanged();
}

void TCategoryPanelGroup::SetChevronHotColor(TColor Value)
{
    FChevronHotColor = Value;
    PanelsChanged();
}

void TCategoryPanelGroup::SetChevronAlignment(TAlignment Value)
{
    FChevronAlignment = Value;
    PanelsChanged();
}

void TCategoryPanelGroup::SetImages(TImageList* Value)
{
    FImages = Value;
    PanelsChanged();
}
