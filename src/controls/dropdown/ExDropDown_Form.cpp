#include "controls/dropdown/ExDropDown.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QWidget>
#include <QWindow>

#include <algorithm>

TDropDownForm::TDropDownForm(TComponent* AOwner) : TForm(AOwner)
{
    SetBorderStyle(bsNone);
    // A tool window, not a pop-up window: Qt closes a pop-up itself when a
    // modal dialog opens, and the handlers' dialogs must leave it open.
    Handle()->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
}

TDropDownForm::~TDropDownForm() = default;

void TDropDownForm::AttachToOwnerWindow(TWinControl* Control)
{
    QWidget* Owner = Control ? Control->Handle()->window() : nullptr;
    if (!Owner || Owner == Handle())
        return;
    Handle()->winId();
    Owner->winId();
    Handle()->windowHandle()->setTransientParent(Owner->windowHandle());
}

bool TDropDownForm::WidgetEvent(QEvent* Event)
{
    const bool Key = Event->type() == QEvent::KeyPress || Event->type() == QEvent::KeyRelease;
    const QWidget* Focus = Handle()->focusWidget();
    if (Key && Focus && Focus != Handle()) {
        Event->accept();
        return true;
    }
    return TForm::WidgetEvent(Event);
}

void TDropDownForm::SetMinSize(Integer AWidth, Integer AHeight)
{
    FMinSize = {AWidth, AHeight};
    Handle()->setMinimumSize(AWidth, AHeight);
}

void TDropDownForm::InitializeAndUpdate()
{
    TExCustomDropDown* D = FExDropDown;
    if (!D)
        return;
    if (FHeader) {
        FHeader->SetExDropDown(D);
        FHeader->UpdateHeader();
        FHeader->SetVisible(D->DropDownHeader()->Visible());
    } else if (D->DropDownHeader()->Visible()) {
        FHeader = new TExHeader(this);
        FHeader->SetParent(this);
        FHeader->SetHeight(D->DropDownHeader()->Height());
        FHeader->SetExDropDown(D);
        FHeader->UpdateHeader();
        FHeader->SetAlign(alTop);
    }
    if (FHeader) {
        FHeader->OnDrawBackGround = D->OnDrawHeader;
        FHeader->OnGetText = D->OnGetHeaderText;
    }
    if (FFooter) {
        FFooter->SetExDropDown(D);
        FFooter->UpdateFooter();
        FFooter->SetVisible(D->DropDownFooter()->Visible());
    } else if (D->DropDownFooter()->Visible()) {
        FFooter = new TExFooter(this);
        FFooter->SetParent(this);
        FFooter->SetHeight(D->DropDownFooter()->Height());
        FFooter->SetExDropDown(D);
        FFooter->UpdateFooter();
        FFooter->SetAlign(alBottom);
    }
    if (FFooter) {
        FFooter->OnDrawBackGround = D->OnDrawFooter;
        FFooter->OnGetText = D->OnGetFooterText;
    }
}

void TDropDownForm::AdjustClientRect(TRect& Rect)
{
    TForm::AdjustClientRect(Rect);
    if (FExDropDown) {
        const Integer B = std::max(FExDropDown->DropDownBorderWidth(), 0);
        InflateRect(Rect, -B, -B);
    }
}

bool TDropDownForm::WidgetPaint(QPaintEvent* Event)
{
    QPainter P(Handle());
    Canvas()->SetPainter(&P);
    GuardEvent(this, [&] { PaintBackground(); });
    Canvas()->SetPainter(nullptr);
    P.end();
    TForm::WidgetPaint(Event);
    return true;
}

void TDropDownForm::PaintBackground()
{
    if (!FExDropDown)
        return;
    const TExCustomDropDown& D = *FExDropDown;
    TCanvas* C = Canvas();
    const Integer B = std::max(D.DropDownBorderWidth(), 0);
    TRect R = ClientRect();
    InflateRect(R, -B, -B);
    if (D.DropDownColor() != clNone && D.DropDownColorTo() != clNone) {
        FillGradient(C, D.DropDownColor(), D.DropDownColorTo(), 80, R, D.DropDownGradient() == gdHorizontal);
    } else if (D.DropDownColor() != clNone) {
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(D.DropDownColor());
        C->FillRect(R);
    }
    if (B > 0) {
        C->Pen()->SetWidth(B);
        C->Pen()->SetColor(D.DropDownBorderColor());
        C->Brush()->SetStyle(bsClear);
        TRect Frame = ClientRect();
        Frame.Left += B / 2;
        Frame.Top += B / 2;
        C->Rectangle(Frame);
    }
}

void TDropDownForm::WMSize(TWMSize& Message)
{
    TForm::WMSize(Message);
    Invalidate();
}

void TDropDownForm::WMGetDlgCode(TWMGetDlgCode& Message)
{
    Message.Result = DLGC_WANTARROWS | DLGC_WANTALLKEYS;
}

Integer TDropDownForm::HitTest(const TPoint& ClientPoint) const
{
    if (FSizeable && ClientPoint.X > Width() - 10 && ClientPoint.Y > Height() - 10)
        return HTBOTTOMRIGHT;
    return HTNOWHERE;
}

bool TDropDownForm::StartSystemResize()
{
    QWindow* W = Handle()->windowHandle();
    return W && W->startSystemResize(Qt::BottomEdge | Qt::RightEdge);
}

void TDropDownForm::BeginSizing(const TPoint& ScreenPoint)
{
    FSizing = true;
    FSizeStart = ScreenPoint;
    FSizeFrom = {Width(), Height()};
}

void TDropDownForm::SizingTo(const TPoint& ScreenPoint)
{
    if (FSizing)
        SizeTo(FSizeFrom.cx + ScreenPoint.X - FSizeStart.X, FSizeFrom.cy + ScreenPoint.Y - FSizeStart.Y);
}

void TDropDownForm::SizeTo(Integer AWidth, Integer AHeight)
{
    SetBounds(Left(), Top(), std::max(AWidth, Integer(FMinSize.cx)), std::max(AHeight, Integer(FMinSize.cy)));
    if (OnSizing)
        OnSizing(this);
}

void TDropDownForm::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TForm::MouseDown(Button, Shift, X, Y);
    if (Button == mbLeft && HitTest(TPoint(X, Y)) == HTBOTTOMRIGHT && !StartSystemResize())
        BeginSizing(ClientToScreen(TPoint(X, Y)));
}

void TDropDownForm::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    TForm::MouseMove(Shift, X, Y);
    SizingTo(ClientToScreen(TPoint(X, Y)));
}

void TDropDownForm::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TForm::MouseUp(Button, Shift, X, Y);
    EndSizing();
}

bool TDropDownForm::IsInternalActivation() const
{
    const QWidget* Activated = QApplication::activeWindow();
    if (!Activated)
        return false;
    for (const QWidget* W = Activated; W; W = W->parentWidget())
        if (W == Handle())
            return true;
    const QWindow* Own = Handle()->windowHandle();
    for (const QWindow* W = Activated->windowHandle(); W && Own; W = W->transientParent())
        if (W == Own)
            return true;
    return false;
}

void TDropDownForm::Deactivate()
{
    TForm::Deactivate();
    if (FBlockActivate || !Visible())
        return;
    FDeActivate = GetTickCount();
    if (IsInternalActivation())
        return;
    if (FExDropDown)
        FExDropDown->DoHideDropDown(FCancelOnDeActivate);
    else
        Hide();
}
