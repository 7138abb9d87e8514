#include "rtl/Forms.h"

#include "rtl/ControlBridge.h"
#include "rtl/Dialogs.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDialog>
#include <QEventLoop>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>

// ---------------------------------------------------------------- scrolling containers

namespace {

// The surface of a scrolling container: sized to its content, never smaller
// than the view.
class TScrollSurface : public QWidget {
public:
    using QWidget::QWidget;
};

QScrollArea* ScrollAreaOf(const TScrollingWinControl* C)
{
    return static_cast<QScrollArea*>(C->Handle());
}

} // namespace

TControlScrollBar::TControlScrollBar(TScrollingWinControl* AControl, bool AVertical)
    : FControl(AControl), FVertical(AVertical)
{
}

Integer TControlScrollBar::Position() const
{
    const QScrollArea* A = ScrollAreaOf(FControl);
    return FVertical ? A->verticalScrollBar()->value() : A->horizontalScrollBar()->value();
}

void TControlScrollBar::SetPosition(Integer Value)
{
    QScrollArea* A = ScrollAreaOf(FControl);
    (FVertical ? A->verticalScrollBar() : A->horizontalScrollBar())->setValue(Value);
}

Integer TControlScrollBar::Range() const
{
    const QWidget* S = FControl->ClientWidget();
    return FVertical ? S->height() : S->width();
}

bool TControlScrollBar::Tracking() const
{
    const QScrollArea* A = ScrollAreaOf(FControl);
    return (FVertical ? A->verticalScrollBar() : A->horizontalScrollBar())->hasTracking();
}

void TControlScrollBar::SetTracking(bool Value)
{
    QScrollArea* A = ScrollAreaOf(FControl);
    (FVertical ? A->verticalScrollBar() : A->horizontalScrollBar())->setTracking(Value);
}

void TControlScrollBar::SetVisible(bool Value)
{
    FVisible = Value;
    QScrollArea* A = ScrollAreaOf(FControl);
    const Qt::ScrollBarPolicy P = Value ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
    if (FVertical)
        A->setVerticalScrollBarPolicy(P);
    else
        A->setHorizontalScrollBarPolicy(P);
    FControl->UpdateScrollRange();
}

bool TControlScrollBar::IsScrollBarVisible() const
{
    const QScrollArea* A = ScrollAreaOf(FControl);
    return (FVertical ? A->verticalScrollBar() : A->horizontalScrollBar())->isVisible();
}

TScrollingWinControl::TScrollingWinControl(TComponent* AOwner) : TWinControl(AOwner)
{
    auto* Area = new TBridge<QScrollArea>();
    Area->setFrameShape(QFrame::NoFrame);
    Area->setWidgetResizable(false);
    FSurface = new TScrollSurface();
    FSurface->setAutoFillBackground(false);
    Area->setWidget(FSurface);
    Area->viewport()->setAutoFillBackground(true);
    SetWidget(Area);
    FHorzScrollBar = std::make_unique<TControlScrollBar>(this, false);
    FVertScrollBar = std::make_unique<TControlScrollBar>(this, true);
    QObject::connect(Area->verticalScrollBar(), &QScrollBar::valueChanged, Area, [this](int) {
        GuardEvent(this, [&] { Perform(WM_VSCROLL, SB_THUMBPOSITION | (WPARAM(Word(VertScrollBar()->Position())) << 16)); });
    });
    QObject::connect(Area->horizontalScrollBar(), &QScrollBar::valueChanged, Area, [this](int) {
        GuardEvent(this, [&] { Perform(WM_HSCROLL, SB_THUMBPOSITION | (WPARAM(Word(HorzScrollBar()->Position())) << 16)); });
    });
}

TScrollingWinControl::~TScrollingWinControl() = default;

QWidget* TScrollingWinControl::ClientWidget() const
{
    return FSurface;
}

TRect TScrollingWinControl::ClientRect() const
{
    // The visible part of the surface: the view without frame and scroll bars.
    const QScrollArea* A = ScrollAreaOf(this);
    const Integer Frame = 2 * A->frameWidth();
    Integer W = Width() - Frame, H = Height() - Frame;
    if (FNeedV)
        W -= A->verticalScrollBar()->sizeHint().width();
    if (FNeedH)
        H -= A->horizontalScrollBar()->sizeHint().height();
    return TRect(0, 0, std::max(W, 0), std::max(H, 0));
}

void TScrollingWinControl::SetAutoScroll(bool Value)
{
    FAutoScroll = Value;
    UpdateScrollRange();
}

void TScrollingWinControl::ScrollInView(TControl* AControl)
{
    if (AControl && ContainsControl(AControl))
        ScrollAreaOf(this)->ensureWidgetVisible(AControl->Handle(), 0, 0);
}

void TScrollingWinControl::UpdateScrollRange()
{
    if (FUpdatingRange)
        return;
    FUpdatingRange = true;
    QScrollArea* A = ScrollAreaOf(this);
    // The content's extent, without the children that fill the view.
    Integer Right = 0, Bottom = 0;
    for (Integer I = 0; I < ControlCount(); ++I) {
        const TControl* C = Controls(I);
        if (!C->Visible())
            continue;
        if (C->Align() != alClient && C->Align() != alTop && C->Align() != alBottom)
            Right = std::max(Right, C->Left() + C->Width());
        if (C->Align() != alClient && C->Align() != alLeft && C->Align() != alRight)
            Bottom = std::max(Bottom, C->Top() + C->Height());
    }
    const Integer Frame = 2 * A->frameWidth();
    const QSize View(std::max(Width() - Frame, 0), std::max(Height() - Frame, 0));
    const Integer BarW = A->verticalScrollBar()->sizeHint().width();
    const Integer BarH = A->horizontalScrollBar()->sizeHint().height();
    bool NeedV = FAutoScroll && FVertScrollBar->Visible() && Bottom > View.height();
    bool NeedH = FAutoScroll && FHorzScrollBar->Visible() && Right > View.width() - (NeedV ? BarW : 0);
    if (NeedH && !NeedV)
        NeedV = FAutoScroll && FVertScrollBar->Visible() && Bottom > View.height() - BarH;
    const Integer ViewW = View.width() - (NeedV ? BarW : 0);
    const Integer ViewH = View.height() - (NeedH ? BarH : 0);
    FNeedV = NeedV;
    FNeedH = NeedH;
    A->setVerticalScrollBarPolicy(NeedV ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    A->setHorizontalScrollBarPolicy(NeedH ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    FSurface->resize(std::max(NeedH ? Right : 0, ViewW), std::max(NeedV ? Bottom : 0, ViewH));
    FUpdatingRange = false;
}

void TScrollingWinControl::AlignControls(TControl* AControl, TRect& Rect)
{
    TWinControl::AlignControls(AControl, Rect);
    const TRect Before = ClientRect();
    UpdateScrollRange();
    // A scroll bar that came or went changes the room of the aligned children.
    if (!(ClientRect() == Before)) {
        TRect Again = ClientRect();
        TWinControl::AlignControls(AControl, Again);
        UpdateScrollRange();
    }
}

void TScrollingWinControl::ControlsChanged()
{
    UpdateScrollRange();
}

void TScrollingWinControl::WMSize(TWMSize& Message)
{
    UpdateScrollRange();
    TWinControl::WMSize(Message);
}

void TScrollingWinControl::WMVScroll(TWMScroll& Message)
{
    switch (Message.ScrollCode) {
    case SB_LINEUP: VertScrollBar()->SetPosition(VertScrollBar()->Position() - VertScrollBar()->Increment()); break;
    case SB_LINEDOWN: VertScrollBar()->SetPosition(VertScrollBar()->Position() + VertScrollBar()->Increment()); break;
    case SB_PAGEUP: VertScrollBar()->SetPosition(VertScrollBar()->Position() - ClientHeight()); break;
    case SB_PAGEDOWN: VertScrollBar()->SetPosition(VertScrollBar()->Position() + ClientHeight()); break;
    case SB_TOP: VertScrollBar()->SetPosition(0); break;
    case SB_BOTTOM: VertScrollBar()->SetPosition(VertScrollBar()->Range()); break;
    case SB_THUMBTRACK: VertScrollBar()->SetPosition(Message.Pos); break;
    default: break;
    }
}

void TScrollingWinControl::WMHScroll(TWMScroll& Message)
{
    switch (Message.ScrollCode) {
    case SB_LINELEFT: HorzScrollBar()->SetPosition(HorzScrollBar()->Position() - HorzScrollBar()->Increment()); break;
    case SB_LINERIGHT: HorzScrollBar()->SetPosition(HorzScrollBar()->Position() + HorzScrollBar()->Increment()); break;
    case SB_PAGELEFT: HorzScrollBar()->SetPosition(HorzScrollBar()->Position() - ClientWidth()); break;
    case SB_PAGERIGHT: HorzScrollBar()->SetPosition(HorzScrollBar()->Position() + ClientWidth()); break;
    case SB_LEFT: HorzScrollBar()->SetPosition(0); break;
    case SB_RIGHT: HorzScrollBar()->SetPosition(HorzScrollBar()->Range()); break;
    case SB_THUMBTRACK: HorzScrollBar()->SetPosition(Message.Pos); break;
    default: break;
    }
}

TScrollBox::TScrollBox(TComponent* AOwner) : TScrollingWinControl(AOwner)
{
    SetParentColor(false);
    SetColor(clBtnFace);
    SetBounds(Left(), Top(), 185, 41);
    SetBorderStyle(bsSingle);
}

void TScrollBox::SetBorderStyle(TBorderStyle Value)
{
    FBorderStyle = Value;
    static_cast<QScrollArea*>(Handle())->setFrameShape(Value == bsNone ? QFrame::NoFrame : QFrame::StyledPanel);
    UpdateScrollRange();
}

// ---------------------------------------------------------------- TCustomForm

namespace {

// Escape and Enter are the framework's to handle: the dialog does not
// close itself on them.
class TFormWindow : public TBridge<QDialog> {
public:
    using TBridge<QDialog>::TBridge;
    void reject() override {}
};

} // namespace

TCustomForm::TCustomForm(TComponent* AOwner)
    : TWinControl(AOwner), FCanvas(std::make_unique<TCanvas>())
{
    FVisible = false;
    SetWidget(new TFormWindow());
    SetParentFont(false);
    SetColor(clBtnFace);
    ApplyWindowFlags();
    SetBounds(0, 0, 320, 240);
    Screen->FForms.push_back(this);
}

void TCustomForm::BeforeDestruction()
{
    GuardEvent(this, [&] {
        if (OnDestroy)
            OnDestroy(this);
    });
    OnDestroy = nullptr;
    TWinControl::BeforeDestruction();
}

TCustomForm::~TCustomForm()
{
    if (FModalLoop)
        FModalLoop->quit();
    std::erase(Screen->FForms, this);
    Application->MainFormGone(this);
    FActiveControl = nullptr;
}

void TCustomForm::DoCreate()
{
    if (OnCreate)
        OnCreate(this);
}

void TCustomForm::ApplyFocusPolicy()
{
    Handle()->setFocusPolicy(Qt::NoFocus);
}

TSize TCustomForm::FrameExtra() const
{
    if (!Handle()->isVisible())
        return TSize(0, 0);
    const QRect F = Handle()->frameGeometry();
    const QRect G = Handle()->geometry();
    return TSize(F.width() - G.width(), F.height() - G.height());
}

void TCustomForm::PlaceWidget()
{
    QWidget* W = Handle();
    const TSize Extra = FrameExtra();
    const int CW = std::max(Width() - Extra.cx, 0);
    const int CH = std::max(Height() - Extra.cy, 0);
    if (FBorderStyle == bsSizeable || FBorderStyle == bsSizeToolWin) {
        W->setMinimumSize(0, 0);
        W->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        W->resize(CW, CH);
    } else {
        W->setFixedSize(CW, CH);
    }
    W->move(Left(), Top());
}

void TCustomForm::WidgetResized()
{
    const TSize Extra = FrameExtra();
    const QSize S = Handle()->size();
    if (S.width() + Extra.cx == Width() && S.height() + Extra.cy == Height())
        return;
    FWidth = S.width() + Extra.cx;
    FHeight = S.height() + Extra.cy;
    SendSizeMessage();
}

TRect TCustomForm::ClientRect() const
{
    const TSize Extra = FrameExtra();
    return TRect(0, 0, std::max(Width() - Extra.cx, 0), std::max(Height() - Extra.cy, 0));
}

void TCustomForm::SetClientWidth(Integer Value)
{
    SetWidth(Value + FrameExtra().cx);
}

void TCustomForm::SetClientHeight(Integer Value)
{
    SetHeight(Value + FrameExtra().cy);
}

String TCustomForm::GetText() const
{
    return Handle()->windowTitle();
}

void TCustomForm::TextChanged()
{
    Handle()->setWindowTitle(FText);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value)
{
    FBorderStyle = Value;
    ApplyWindowFlags();
    PlaceWidget();
}

void TCustomForm::SetBorderIcons(TBorderIcons Value)
{
    FBorderIcons = Value;
    ApplyWindowFlags();
}

void TCustomForm::SetFormStyle(TFormStyle Value)
{
    FFormStyle = Value;
    ApplyWindowFlags();
}

void TCustomForm::ApplyWindowFlags()
{
    Qt::WindowFlags F = Qt::Dialog;
    if (FBorderStyle == bsToolWindow || FBorderStyle == bsSizeToolWin)
        F = Qt::Tool;
    if (FBorderStyle == bsNone) {
        F |= Qt::FramelessWindowHint;
    } else {
        F |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
        if (FBorderIcons.Contains(biSystemMenu))
            F |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        const bool Dialog = FBorderStyle == bsDialog || FBorderStyle == bsToolWindow || FBorderStyle == bsSizeToolWin;
        if (!Dialog && FBorderIcons.Contains(biSystemMenu)) {
            if (FBorderIcons.Contains(biMinimize))
                F |= Qt::WindowMinimizeButtonHint;
            if (FBorderIcons.Contains(biMaximize))
                F |= Qt::WindowMaximizeButtonHint;
        }
    }
    if (FFormStyle == fsStayOnTop)
        F |= Qt::WindowStaysOnTopHint;
    if (FNoActivate)
        F |= Qt::WindowDoesNotAcceptFocus;
    const bool WasVisible = Handle()->isVisible();
    Handle()->setWindowFlags(F);
    if (WasVisible)
        Handle()->show();
}

void TCustomForm::SetAlphaBlend(bool Value)
{
    FAlphaBlend = Value;
    Handle()->setWindowOpacity(Value ? FAlphaBlendValue / 255.0 : 1.0);
}

void TCustomForm::SetAlphaBlendValue(Byte Value)
{
    FAlphaBlendValue = Value;
    SetAlphaBlend(FAlphaBlend);
}

void TCustomForm::SetNoActivate(bool Value)
{
    FNoActivate = Value;
    Handle()->setAttribute(Qt::WA_ShowWithoutActivating, Value);
    ApplyWindowFlags();
}

void TCustomForm::SetWindowState(TWindowState Value)
{
    FWindowState = Value;
    if (!Handle()->isVisible())
        return;
    switch (Value) {
    case wsNormal: Handle()->showNormal(); break;
    case wsMinimized: Handle()->showMinimized(); break;
    case wsMaximized: Handle()->showMaximized(); break;
    }
}

void TCustomForm::ApplyPosition()
{
    TRect Area;
    switch (FPosition) {
    case poScreenCenter:
    case poDesktopCenter:
        Area = Screen->WorkAreaRect();
        break;
    case poMainFormCenter:
    case poOwnerFormCenter: {
        TCustomForm* Center = FPosition == poMainFormCenter ? Application->MainForm()
                                                            : dynamic_cast<TCustomForm*>(Owner());
        if (!Center || Center == this || !Center->Handle()->isVisible())
            Area = Screen->WorkAreaRect();
        else
            Area = Center->BoundsRect();
        break;
    }
    default:
        return;
    }
    SetBounds(Area.Left + (Area.Width() - Width()) / 2, Area.Top + (Area.Height() - Height()) / 2, Width(), Height());
}

void TCustomForm::ApplyVisibility()
{
    QWidget* W = Handle();
    if (FVisible) {
        if (W->isVisible())
            return;
        const std::shared_ptr<bool> Alive = FAlive;
        DoShow();
        if (!*Alive || !FVisible)
            return;
        ApplyPosition();
        switch (FWindowState) {
        case wsNormal: W->show(); break;
        case wsMinimized: W->showMinimized(); break;
        case wsMaximized: W->showMaximized(); break;
        }
        W->activateWindow();
        // The frame is known now: keep the client size, take the outer one,
        // and place the window again with it.
        WidgetResized();
        ApplyPosition();
        if (FActiveControl && FActiveControl->CanFocus())
            FActiveControl->SetFocus();
        else
            SelectFirst();
    } else {
        if (!W->isVisible())
            return;
        W->hide();
        DoHide();
    }
}

void TCustomForm::Show()
{
    SetVisible(true);
}

void TCustomForm::Hide()
{
    SetVisible(false);
}

void TCustomForm::DoShow()
{
    if (OnShow)
        OnShow(this);
}

void TCustomForm::DoHide()
{
    if (OnHide)
        OnHide(this);
}

void TCustomForm::DoClose(TCloseAction& Action)
{
    if (OnClose)
        OnClose(this, Action);
}

bool TCustomForm::CloseQuery()
{
    bool CanClose = true;
    if (OnCloseQuery)
        OnCloseQuery(this, CanClose);
    return CanClose;
}

void TCustomForm::Close()
{
    if (FInModal) {
        SetModalResult(mrCancel);
        return;
    }
    if (!CloseQuery())
        return;
    TCloseAction Action = caHide;
    const std::shared_ptr<bool> Alive = FAlive;
    DoClose(Action);
    if (!*Alive || Action == caNone)
        return;
    if (Application->MainForm() == this)
        Application->Terminate();
    else if (Action == caHide)
        Hide();
    else if (Action == caMinimize)
        SetWindowState(wsMinimized);
    else
        Release();
}

void TCustomForm::Release()
{
    if (FReleasing)
        return;
    FReleasing = true;
    const std::shared_ptr<bool> Alive = FAlive;
    QTimer::singleShot(0, qApp, [this, Alive] {
        if (*Alive)
            delete this;
    });
}

void TCustomForm::SetModalResult(TModalResult Value)
{
    FModalResult = Value;
    if (Value != mrNone && FModalLoop)
        FModalLoop->quit();
}

void TCustomForm::CloseModal()
{
    TCloseAction Action = caNone;
    if (CloseQuery()) {
        Action = caHide;
        DoClose(Action);
    }
    switch (Action) {
    case caNone: FModalResult = mrNone; break;
    case caFree: Release(); break;
    default: break;
    }
}

TModalResult TCustomForm::ShowModal()
{
    if (Visible() || !Enabled() || FInModal)
        throw EInvalidOperation(QStringLiteral("Cannot make a visible window modal"));
    const std::shared_ptr<bool> Alive = FAlive;
    FInModal = true;
    FModalResult = mrNone;
    ApplicationHintCancel();
    QPointer<QWidget> W = Handle();
    W->setWindowModality(Qt::ApplicationModal);
    QEventLoop Loop;
    auto Finish = [&] {
        if (!*Alive)
            return;
        FModalLoop = nullptr;
        Hide();
        W->setWindowModality(Qt::NonModal);
        FInModal = false;
    };
    try {
        Show();
        do {
            if (FModalResult == mrNone && !Application->Terminated()) {
                FModalLoop = &Loop;
                Loop.exec();
                if (!*Alive)
                    return mrCancel;
                FModalLoop = nullptr;
            }
            if (Application->Terminated())
                FModalResult = mrCancel;
            else if (FModalResult != mrNone)
                CloseModal();
        } while (FModalResult == mrNone);
    } catch (...) {
        Finish();
        throw;
    }
    const TModalResult Result = FModalResult;
    Finish();
    return Result;
}

void TCustomForm::SetActiveControl(TWinControl* Control)
{
    if (Control && (!ContainsControl(Control) || Control == this))
        throw EInvalidOperation(QStringLiteral("Invalid active control"));
    if (Control && Handle()->isVisible() && Control->CanFocus())
        Control->SetFocus();
    else
        FActiveControl = Control;
}

void TCustomForm::SetFocusedControl(TWinControl* Control)
{
    if (FActiveControl == Control)
        return;
    TWinControl* Old = FActiveControl;
    FActiveControl = Control;
    // The innermost container holding both.
    TWinControl* Common = Old;
    while (Common && Control && !Common->ContainsControl(Control))
        Common = Common->Parent();
    if (!Control)
        Common = nullptr;
    for (TWinControl* C = Old; C && C != Common && C != this; C = C->Parent())
        C->Perform(CM_EXIT);
    std::vector<TWinControl*> Entered;
    for (TWinControl* C = Control; C && C != Common && C != this; C = C->Parent())
        Entered.push_back(C);
    for (auto It = Entered.rbegin(); It != Entered.rend(); ++It)
        if (FActiveControl == Control)
            (*It)->Perform(CM_ENTER);
    Perform(CM_FOCUSCHANGED, 0, LPARAM(Control));
}

void TCustomForm::ControlRemoved(TControl* Control)
{
    if (!FActiveControl)
        return;
    for (TControl* C = FActiveControl; C; C = C->Parent())
        if (C == Control) {
            FActiveControl = nullptr;
            return;
        }
}

bool TCustomForm::Active() const
{
    return Handle()->isActiveWindow();
}

void TCustomForm::Activate()
{
    if (OnActivate)
        OnActivate(this);
}

void TCustomForm::Deactivate()
{
    if (OnDeactivate)
        OnDeactivate(this);
}

void TCustomForm::CMDialogKey(TCMDialogKey& Message)
{
    if (GetKeyState(VK_MENU) >= 0) {
        switch (Message.CharCode) {
        case VK_TAB:
            if (GetKeyState(VK_CONTROL) >= 0) {
                SelectNext(FActiveControl, GetKeyState(VK_SHIFT) >= 0, true);
                Message.Result = 1;
                return;
            }
            break;
        case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
            if (FActiveControl && FActiveControl->Parent()) {
                FActiveControl->Parent()->SelectNext(
                    FActiveControl, Message.CharCode == VK_RIGHT || Message.CharCode == VK_DOWN, false);
                Message.Result = 1;
            }
            return;
        default:
            break;
        }
    }
    TWinControl::CMDialogKey(Message);
}

bool TCustomForm::WidgetEvent(QEvent* Event)
{
    switch (Event->type()) {
    case QEvent::Close:
        // The window's close button: the framework's Close decides.
        Event->ignore();
        GuardEvent(this, [&] { Close(); });
        return true;
    case QEvent::WindowActivate:
        GuardEvent(this, [&] { Activate(); });
        return NativeEvent(Event);
    case QEvent::WindowDeactivate:
        GuardEvent(this, [&] { Deactivate(); });
        return NativeEvent(Event);
    case QEvent::Move:
        if (Handle()->isVisible()) {
            const QRect F = Handle()->frameGeometry();
            FLeft = F.x();
            FTop = F.y();
        }
        return NativeEvent(Event);
    default:
        return TWinControl::WidgetEvent(Event);
    }
}

bool TCustomForm::WidgetPaint(QPaintEvent*)
{
    if (!OnPaint)
        return false;
    QPainter P(Handle());
    FCanvas->SetPainter(&P);
    GuardEvent(this, [&] { OnPaint(this); });
    FCanvas->SetPainter(nullptr);
    return true;
}

// ---------------------------------------------------------------- TScreen

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner) {}

Integer TScreen::Width() const
{
    const QScreen* S = QGuiApplication::primaryScreen();
    return S ? S->geometry().width() : 0;
}

Integer TScreen::Height() const
{
    const QScreen* S = QGuiApplication::primaryScreen();
    return S ? S->geometry().height() : 0;
}

TRect TScreen::WorkAreaRect() const
{
    const QScreen* S = QGuiApplication::primaryScreen();
    return S ? FromQRect(S->availableGeometry()) : TRect();
}

TRect TScreen::MonitorWorkAreaAt(const TPoint& P) const
{
    if (const QScreen* S = QGuiApplication::screenAt(QPoint(P.X, P.Y)))
        return FromQRect(S->availableGeometry());
    return WorkAreaRect();
}

void TScreen::SetCursor(TCursor Value)
{
    if (Value == FCursor)
        return;
    if (FCursor != crDefault)
        QApplication::restoreOverrideCursor();
    FCursor = Value;
    if (Value == crDefault)
        return;
    Qt::CursorShape Shape = Qt::ArrowCursor;
    switch (Value) {
    case crHourGlass: case crSQLWait: Shape = Qt::WaitCursor; break;
    case crAppStart: Shape = Qt::BusyCursor; break;
    case crHandPoint: Shape = Qt::PointingHandCursor; break;
    case crIBeam: Shape = Qt::IBeamCursor; break;
    case crCross: Shape = Qt::CrossCursor; break;
    case crNo: case crNoDrop: Shape = Qt::ForbiddenCursor; break;
    case crSizeAll: Shape = Qt::SizeAllCursor; break;
    case crSizeNS: Shape = Qt::SizeVerCursor; break;
    case crSizeWE: Shape = Qt::SizeHorCursor; break;
    case crNone: Shape = Qt::BlankCursor; break;
    default: break;
    }
    const HCURSOR Own = Value > 0 ? Cursors(Value) : nullptr;
    QApplication::setOverrideCursor(Own ? *Own : QCursor(Shape));
}

HCURSOR TScreen::Cursors(TCursor Index) const
{
    const auto It = FCursors.find(Index);
    return It == FCursors.end() ? nullptr : It->second;
}

void TScreen::SetCursors(TCursor Index, HCURSOR Value)
{
    if (Index <= crDefault)
        return;
    if (Value)
        FCursors[Index] = std::move(Value);
    else
        FCursors.erase(Index);
}

HCURSOR LoadCursor(const String& ResName)
{
    const QImage Picture(QStringLiteral(":/cursors/") + ResName + QStringLiteral(".png"));
    if (Picture.isNull())
        return nullptr;
    const QStringList Spot = Picture.text(QStringLiteral("HotSpot")).split(QLatin1Char(','));
    const int X = Spot.size() == 2 ? Spot[0].toInt() : 0;
    const int Y = Spot.size() == 2 ? Spot[1].toInt() : 0;
    return std::make_shared<const QCursor>(QPixmap::fromImage(Picture), X, Y);
}

TCustomForm* TScreen::Forms(Integer Index) const
{
    if (Index < 0 || Index >= FormCount())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    return FForms[std::size_t(Index)];
}

TCustomForm* TScreen::ActiveForm() const
{
    return dynamic_cast<TCustomForm*>(FindControl(QApplication::activeWindow()));
}

TWinControl* TScreen::ActiveControl() const
{
    const TCustomForm* F = ActiveForm();
    return F ? F->ActiveControl() : nullptr;
}

// ---------------------------------------------------------------- TApplication

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner)
{
    FHintWindowClass = HintWindowClassOf<THintWindow>();
}

TApplication::~TApplication() = default;

String TApplication::Title() const
{
    if (!FTitle.isEmpty())
        return FTitle;
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

String TApplication::ExeName() const
{
    return QCoreApplication::applicationFilePath();
}

void TApplication::FormCreated(TCustomForm* Form)
{
    if (!FMainForm)
        FMainForm = Form;
    Form->DoCreate();
}

void TApplication::MainFormGone(TCustomForm* Form)
{
    if (FMainForm == Form)
        FMainForm = nullptr;
}

void TApplication::Run()
{
    FRunning = true;
    QApplication::setQuitOnLastWindowClosed(false);
    if (FMainForm && !FTerminated)
        FMainForm->Show();
    if (!FTerminated)
        QApplication::exec();
    FRunning = false;
}

void TApplication::Terminate()
{
    FTerminated = true;
    if (FMainForm)
        FMainForm->Handle()->hide();
    QCoreApplication::quit();
}

void TApplication::ProcessMessages()
{
    QCoreApplication::processEvents();
}

void TApplication::HandleMessage()
{
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

Integer TApplication::MessageBox(const String& Text, const String& Caption, Cardinal Flags)
{
    TMessageBoxRequest R;
    R.Text = Text;
    R.Caption = Caption;
    switch (Flags & MB_ICONMASK) {
    case MB_ICONERROR: R.DlgType = mtError; break;
    case MB_ICONQUESTION: R.DlgType = mtConfirmation; break;
    case MB_ICONWARNING: R.DlgType = mtWarning; break;
    case MB_ICONINFORMATION: R.DlgType = mtInformation; break;
    default: R.DlgType = mtCustom; break;
    }
    std::vector<TMsgDlgBtn> Buttons;
    switch (Flags & MB_TYPEMASK) {
    case MB_OKCANCEL: Buttons = {mbOK, mbCancel}; break;
    case MB_ABORTRETRYIGNORE: Buttons = {mbAbort, mbRetry, mbIgnore}; break;
    case MB_YESNOCANCEL: Buttons = {mbYes, mbNo, mbCancel}; break;
    case MB_YESNO: Buttons = {mbYes, mbNo}; break;
    case MB_RETRYCANCEL: Buttons = {mbRetry, mbCancel}; break;
    default: Buttons = {mbOK}; break;
    }
    R.Buttons = TMsgDlgButtons();
    for (TMsgDlgBtn B : Buttons)
        R.Buttons.Include(B);
    const std::size_t Def = (Flags & MB_DEFMASK) >> 8;
    R.DefaultButton = Buttons[std::min(Def, Buttons.size() - 1)];
    return DialogService().MessageBox(R);
}

String TApplication::ExceptionText(const Exception* E)
{
    String Msg = E ? E->Message() : String();
    // The framework ends the message with a period unless it ends in one
    // (or in another punctuation mark below it).
    if (!Msg.isEmpty() && Msg.back() > QLatin1Char('.'))
        Msg += QLatin1Char('.');
    return Msg;
}

void TApplication::ShowException(const Exception* E)
{
    TMessageBoxRequest R;
    R.DlgType = mtError;
    R.Caption = Title();
    R.Text = ExceptionText(E);
    R.Buttons = TMsgDlgButtons{mbOK};
    try {
        DialogService().MessageBox(R);
    } catch (...) {
        // The error box itself failed: nothing more can be shown.
    }
}

void TApplication::HandleException(TObject* Sender)
{
    const std::exception_ptr P = std::current_exception();
    if (!P)
        return;
    try {
        try {
            std::rethrow_exception(P);
        } catch (const EAbort&) {
            return;
        } catch (Exception& E) {
            if (OnException)
                OnException(Sender, &E);
            else
                ShowException(&E);
        } catch (const std::exception& Std) {
            Exception E(String::fromUtf8(Std.what()));
            if (OnException)
                OnException(Sender, &E);
            else
                ShowException(&E);
        } catch (...) {
            Exception E(QStringLiteral("Unknown error"));
            if (OnException)
                OnException(Sender, &E);
            else
                ShowException(&E);
        }
    } catch (...) {
        // An exception from OnException is not shown again.
    }
}

void HandleEventException(TObject* Sender)
{
    Application->HandleException(Sender);
}

// Hints.

void TApplication::SetShowHint(bool Value)
{
    FShowHint = Value;
    if (!Value)
        CancelHint();
}

void TApplication::StartHintTimer(Integer Ms)
{
    if (!FHintTimer) {
        FHintTimer = new QTimer();
        FHintTimer->setSingleShot(true);
        QObject::connect(FHintTimer, &QTimer::timeout, [this] {
            GuardEvent(this, [&] { ActivateHint(Mouse->CursorPos()); });
        });
    }
    FHintTimer->start(std::max(Ms, 0));
}

void TApplication::HintMouseEnter(TControl* Control)
{
    if (!FShowHint)
        return;
    // The first control up the parents that shows hints gives the hint.
    TControl* C = Control;
    while (C && !C->ShowHint())
        C = C->Parent();
    if (C == FHintControl && FHintShown)
        return;
    HideHintWindow();
    FHintControl = C;
    if (C && !GetShortHint(C->Hint()).isEmpty())
        StartHintTimer(FHintPause);
    else if (FHintTimer)
        FHintTimer->stop();
}

void TApplication::HintMouseLeave(TControl* Control)
{
    if (!FHintControl)
        return;
    for (TControl* C = Control; C; C = C->Parent())
        if (C == FHintControl) {
            CancelHint();
            return;
        }
}

void TApplication::HintControlGone(TControl* Control)
{
    if (Control == FHintControl) {
        CancelHint();
        FHintControl = nullptr;
    }
    if (Control == FHintWindow) {
        FHintWindow = nullptr;
        FHintShown = false;
    }
}

void TApplication::HideHintWindow()
{
    if (FHintWindow && FHintShown)
        FHintWindow->ReleaseHandle();
    FHintShown = false;
    if (FHintHideTimer)
        FHintHideTimer->stop();
}

void TApplication::CancelHint()
{
    if (FHintTimer)
        FHintTimer->stop();
    HideHintWindow();
}

THintWindow* TApplication::HintWindow() const
{
    return FHintShown ? FHintWindow : nullptr;
}

void TApplication::ActivateHint(const TPoint& CursorPos)
{
    if (!FShowHint)
        return;
    TControl* Control = FindControl(QApplication::widgetAt(QPoint(CursorPos.X, CursorPos.Y)));
    if (!Control)
        Control = FHintControl;
    while (Control && !Control->ShowHint())
        Control = Control->Parent();
    if (!Control)
        return;
    FHintControl = Control;
    THintInfo Info;
    Info.HintControl = Control;
    Info.HintWindowClass = FHintWindowClass;
    Info.CursorPos = Control->ScreenToClient(CursorPos);
    Info.HintPos = TPoint(CursorPos.X, CursorPos.Y + 20);
    Info.HintMaxWidth = Screen->Width();
    Info.HintColor = FHintColor;
    Info.CursorRect = Control->ClientRect();
    Info.HideTimeout = FHintHidePause;
    Info.HintStr = GetShortHint(Control->Hint());
    if (Control->Perform(CM_HINTSHOW, 0, LPARAM(&Info)) != 0 || Info.HintStr.isEmpty())
        return;
    THintWindowClass Class = Info.HintWindowClass ? Info.HintWindowClass : FHintWindowClass;
    if (FHintWindow && FHintWindowMadeBy != Class) {
        delete FHintWindow;
        FHintWindow = nullptr;
    }
    if (!FHintWindow) {
        FHintWindow = Class(this);
        FHintWindowMadeBy = Class;
    }
    FHintWindow->SetColor(Info.HintColor);
    TRect R = FHintWindow->CalcHintRect(Info.HintMaxWidth, Info.HintStr, Info.HintData);
    OffsetRect(R, Info.HintPos.X, Info.HintPos.Y);
    FHintWindow->ActivateHintData(R, Info.HintStr, Info.HintData);
    FHintShown = true;
    if (Info.HideTimeout > 0) {
        if (!FHintHideTimer) {
            FHintHideTimer = new QTimer();
            FHintHideTimer->setSingleShot(true);
            QObject::connect(FHintHideTimer, &QTimer::timeout, [this] { HideHintWindow(); });
        }
        FHintHideTimer->start(Info.HideTimeout);
    }
}

void ApplicationHintEnter(TControl* Control)
{
    Application->HintMouseEnter(Control);
}

void ApplicationHintLeave(TControl* Control)
{
    Application->HintMouseLeave(Control);
}

void ApplicationHintCancel()
{
    Application->CancelHint();
}

void ApplicationHintControlGone(TControl* Control)
{
    Application->HintControlGone(Control);
}

// ---------------------------------------------------------------- accelerators

bool IsAccel(Word VK, const String& Str)
{
    for (qsizetype I = 0; I + 1 < Str.size(); ++I) {
        if (Str[I] != u'&')
            continue;
        if (Str[I + 1] != u'&')
            return QChar(char16_t(VK)).toUpper() == Str[I + 1].toUpper();
        ++I;
    }
    return false;
}

// ---------------------------------------------------------------- globals

namespace {
TApplication* MakeApplication()
{
    static TApplication* App = new TApplication(nullptr);
    return App;
}
TScreen* MakeScreen()
{
    static TScreen* S = new TScreen(nullptr);
    return S;
}
} // namespace

TApplication* const Application = MakeApplication();
TScreen* const Screen = MakeScreen();

void DoneApplication()
{
    Application->CancelHint();
    Application->DestroyComponents();
    Screen->DestroyComponents();
}
