// Grids: the scroll area widget, its scroll bars and the Qt events.
#include "rtl/ControlBridge.h"
#include "rtl/Grids.h"

#include "rtl/SysUtils.h"

#include <QAbstractScrollArea>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

// The grid's widget. Its viewport is the client area: the viewport's
// paint, mouse and wheel events go to the grid, the scroll area itself
// neither scrolls nor handles keys (the grid does both).
class TGridWidget final : public TBridge<QAbstractScrollArea> {
public:
    TGridWidget()
    {
        setFrameStyle(QFrame::NoFrame);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        viewport()->setMouseTracking(true);
        for (int Bar : {SB_HORZ, SB_VERT}) {
            QScrollBar* B = ScrollBar(Bar);
            Info[Bar] = TGridScrollInfo{0, 127, 0, 0};
            B->setFocusPolicy(Qt::NoFocus);
            ApplyInfo(Bar);
            const Cardinal Msg = Bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL;
            QObject::connect(B, &QAbstractSlider::actionTriggered, this, [this, B, Msg](int Action) {
                const Word Code = ScrollCode(Action, B->isSliderDown());
                if (Code == SB_ENDSCROLL)
                    return;
                SendScroll(Msg, Code, B->sliderPosition());
                if (Code != SB_THUMBTRACK)
                    SendScroll(Msg, SB_ENDSCROLL, B->sliderPosition());
            });
            QObject::connect(B, &QAbstractSlider::sliderReleased, this, [this, B, Msg] {
                SendScroll(Msg, SB_THUMBPOSITION, B->sliderPosition());
                SendScroll(Msg, SB_ENDSCROLL, B->sliderPosition());
            });
        }
    }

    QScrollBar* ScrollBar(Integer Bar) const
    {
        return Bar == SB_VERT ? verticalScrollBar() : horizontalScrollBar();
    }

    // The platform's range and page mapped on Qt's slider.
    void ApplyInfo(Integer Bar)
    {
        const TGridScrollInfo& I = Info[Bar];
        QScrollBar* B = ScrollBar(Bar);
        const QSignalBlocker Block(B);
        B->setRange(I.Min, std::max(I.Min, I.Page > 0 ? I.Max - I.Page + 1 : I.Max));
        B->setPageStep(std::max(I.Page, 1));
        B->setSingleStep(1);
        if (!B->isSliderDown())
            B->setValue(I.Pos);
    }

    // The width of the vertical bar or the height of the horizontal one,
    // worked out once per style.
    Integer BarExtent(Integer Bar)
    {
        Integer& E = Extent[Bar];
        if (E < 0) {
            const QSize S = ScrollBar(Bar)->sizeHint();
            E = Bar == SB_VERT ? S.width() : S.height();
        }
        return E;
    }

    bool BaseEvent(QEvent* Event) override
    {
        if (Event->type() == QEvent::StyleChange || Event->type() == QEvent::FontChange)
            Extent[SB_HORZ] = Extent[SB_VERT] = -1;
        if (Event->type() == QEvent::KeyPress && Grid) {
            const int Key = static_cast<QKeyEvent*>(Event)->key();
            // Tab moves the focus away unless the grid keeps it.
            if ((Key == Qt::Key_Tab || Key == Qt::Key_Backtab) &&
                (Grid->Perform(WM_GETDLGCODE) & DLGC_WANTTAB) != 0) {
                Event->accept();
                return true;
            }
        }
        return QAbstractScrollArea::event(Event);
    }

    TCustomGrid* Grid = nullptr;
    TGridScrollInfo Info[2];
    Integer Extent[2] = {-1, -1};

protected:
    bool viewportEvent(QEvent* Event) override
    {
        if (!Grid)
            return QAbstractScrollArea::viewportEvent(Event);
        switch (Event->type()) {
        case QEvent::Paint:
            PaintGrid();
            return true;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
            return ForwardMouse(static_cast<QMouseEvent*>(Event));
        case QEvent::Wheel:
        case QEvent::ContextMenu:
            // Positions are global: the grid takes them as they are. The
            // wheel goes no further than the grid, which passes it on to
            // its parents itself.
            Grid->WidgetEvent(Event);
            Event->accept();
            return true;
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::DragLeave:
        case QEvent::Drop:
            return ForwardDrag(Event);
        case QEvent::Resize: {
            const bool R = QAbstractScrollArea::viewportEvent(Event);
            GuardEvent(Grid, [&] { Grid->ClientAreaResized(); });
            return R;
        }
        default:
            return QAbstractScrollArea::viewportEvent(Event);
        }
    }

    void scrollContentsBy(int, int) override {}
    void keyPressEvent(QKeyEvent* Event) override { Event->accept(); }
    void keyReleaseEvent(QKeyEvent* Event) override { Event->accept(); }
    void wheelEvent(QWheelEvent* Event) override { Event->ignore(); }

private:
    static Word ScrollCode(int Action, bool SliderDown)
    {
        switch (Action) {
        case QAbstractSlider::SliderSingleStepAdd: return SB_LINEDOWN;
        case QAbstractSlider::SliderSingleStepSub: return SB_LINEUP;
        case QAbstractSlider::SliderPageStepAdd: return SB_PAGEDOWN;
        case QAbstractSlider::SliderPageStepSub: return SB_PAGEUP;
        case QAbstractSlider::SliderToMinimum: return SB_TOP;
        case QAbstractSlider::SliderToMaximum: return SB_BOTTOM;
        case QAbstractSlider::SliderMove: return SliderDown ? SB_THUMBTRACK : SB_THUMBPOSITION;
        default: return SB_ENDSCROLL;
        }
    }

    void SendScroll(Cardinal Msg, Word Code, int Pos)
    {
        if (TCustomGrid* G = Grid)
            GuardEvent(G, [&] { G->Perform(Msg, WPARAM(Code) | (WPARAM(Word(SmallInt(Pos))) << 16), 0); });
    }

    void PaintGrid()
    {
        QPainter P(viewport());
        TCanvas* C = Grid->Canvas();
        C->SetPainter(&P);
        GuardEvent(Grid, [&] { Grid->Perform(WM_PAINT); });
        C->SetPainter(nullptr);
    }

    // The grid's mouse positions are client coordinates, which are the
    // viewport's: the frame is not part of the client area it paints.
    bool ForwardMouse(QMouseEvent* Event)
    {
        const QPointF Local = Event->position();
        if (Event->type() == QEvent::MouseMove) {
            const QPoint P = Event->position().toPoint();
            GuardEvent(Grid, [&] {
                Grid->Perform(WM_SETCURSOR, 0, LPARAM(Word(SmallInt(P.x()))) | (LPARAM(Word(SmallInt(P.y()))) << 16));
            });
        }
        QMouseEvent Copy(Event->type(), Local, Event->scenePosition(), Event->globalPosition(), Event->button(),
                         Event->buttons(), Event->modifiers(), Event->pointingDevice());
        Grid->WidgetEvent(&Copy);
        Event->setAccepted(true);
        return true;
    }

    // Drags over the viewport reach the grid in the scroll area's
    // coordinates, from which the drop target takes the screen point; the
    // grid's answer goes back to Qt.
    bool ForwardDrag(QEvent* Event)
    {
        if (Event->type() == QEvent::DragLeave) {
            Grid->WidgetEvent(Event);
            return true;
        }
        auto* E = static_cast<QDropEvent*>(Event);
        const QPointF Local = E->position() + QPointF(viewport()->pos());
        std::unique_ptr<QDropEvent> Copy;
        if (Event->type() == QEvent::Drop)
            Copy = std::make_unique<QDropEvent>(Local, E->possibleActions(), E->mimeData(), E->buttons(),
                                                E->modifiers());
        else if (Event->type() == QEvent::DragEnter)
            Copy = std::make_unique<QDragEnterEvent>(Local.toPoint(), E->possibleActions(), E->mimeData(),
                                                     E->buttons(), E->modifiers());
        else
            Copy = std::make_unique<QDragMoveEvent>(Local.toPoint(), E->possibleActions(), E->mimeData(),
                                                    E->buttons(), E->modifiers());
        Copy->setAccepted(false);
        Grid->WidgetEvent(Copy.get());
        E->setDropAction(Copy->dropAction());
        E->setAccepted(Copy->isAccepted());
        return true;
    }
};

// ---------------------------------------------------------------- TCustomGrid: widget

void TCustomGrid::CreateGridWidget()
{
    auto* W = new TGridWidget();
    SetWidget(W);
    FArea = W;
    W->Grid = this;
    ApplyBorder();
}

void TCustomGrid::ApplyBorder()
{
    if (FBorderStyle == bsSingle) {
        FArea->setFrameStyle(QFrame::Box | QFrame::Plain);
        FArea->setLineWidth(1);
    } else {
        FArea->setFrameStyle(QFrame::NoFrame);
    }
}

TCustomGrid::~TCustomGrid()
{
    // The widget and the editor outlive this part of the grid.
    if (FArea)
        FArea->Grid = nullptr;
    if (FInplaceEdit)
        FInplaceEdit->FGrid = nullptr;
}

QWidget* TCustomGrid::ClientWidget() const
{
    return FArea ? FArea->viewport() : Handle();
}

TPoint TCustomGrid::ClientOrigin() const
{
    const Integer F = FArea ? FArea->frameWidth() : 0;
    return TPoint(F, F);
}

TRect TCustomGrid::ClientRect() const
{
    // Worked out from the bounds rather than read from the viewport, which
    // Qt lays out only once the widget shows.
    const Integer F = FArea ? FArea->frameWidth() : 0;
    const Integer W = Width() - 2 * F - (FVertBarShown ? ScrollBarExtent(SB_VERT) : 0);
    const Integer H = Height() - 2 * F - (FHorzBarShown ? ScrollBarExtent(SB_HORZ) : 0);
    return TRect(0, 0, std::max(W, 0), std::max(H, 0));
}

Integer TCustomGrid::ScrollBarExtent(Integer Bar) const
{
    return FArea ? FArea->BarExtent(Bar == SB_VERT ? SB_VERT : SB_HORZ) : 0;
}

void TCustomGrid::SetBorderStyle(TBorderStyle Value)
{
    if (Value != bsNone)
        Value = bsSingle;
    if (Value == FBorderStyle)
        return;
    FBorderStyle = Value;
    ApplyBorder();
    LayoutChanged();
}

void TCustomGrid::SetFrameColor(TColor Value)
{
    if (Value == FFrameColor)
        return;
    FFrameColor = Value;
    if (FArea)
        FArea->update();
}

// Over the frame the platform painted: Qt widgets have no non-client area
// of their own to paint in.
void TCustomGrid::PaintFrameColor()
{
    if (FBorderStyle != bsSingle || FFrameColor == clNone || FFrameColor == clDefault || !FArea)
        return;
    QPainter P(FArea);
    P.setPen(ColorToQColor(ColorToRGB(FFrameColor)));
    P.setBrush(Qt::NoBrush);
    P.drawRect(FArea->rect().adjusted(0, 0, -1, -1));
}

void TCustomGrid::InvalidateClientRect(const TRect& R)
{
    if (FArea && !IsRectEmpty(R))
        FArea->viewport()->update(ToQRect(R));
}

void TCustomGrid::ShowSizingCursor(TGridState State)
{
    QWidget* V = FArea->viewport();
    if (State == gsColSizing)
        V->setCursor(Qt::SplitHCursor);
    else if (State == gsRowSizing)
        V->setCursor(Qt::SplitVCursor);
    else
        V->unsetCursor();
}

void TCustomGrid::ShowCellsCursor(TCursor Cursor)
{
    FArea->viewport()->setCursor(CursorOf(Cursor));
}

bool TCustomGrid::WidgetEvent(QEvent* Event)
{
    const QEvent::Type Type = Event->type();
    const bool Result = TCustomControl::WidgetEvent(Event);
    if (Type == QEvent::Paint && !ComponentState().Contains(csDestroying))
        PaintFrameColor();
    if (ComponentState().Contains(csDestroying))
        return Result;
    if (Type == QEvent::FocusIn)
        GuardEvent(this, [&] {
            const bool FromEditor = FFocusFromEditor && FInplaceEdit;
            Perform(WM_SETFOCUS, FromEditor ? reinterpret_cast<WPARAM>(FInplaceEdit->Handle()) : 0);
        });
    else if (Type == QEvent::FocusOut)
        GuardEvent(this, [&] { Perform(WM_KILLFOCUS); });
    return Result;
}

void TCustomGrid::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PAINT:
        WMPaint(Message);
        break;
    case WM_SETCURSOR:
        WMSetCursor(Message);
        break;
    case WM_SETREDRAW:
        FArea->viewport()->setUpdatesEnabled(Message.WParam != 0);
        if (Message.WParam != 0)
            InvalidateGrid();
        break;
    default:
        TCustomControl::Dispatch(Message);
        break;
    }
}

void TCustomGrid::WMPaint(TMessage&)
{
    Paint();
}

void TCustomGrid::WMSetCursor(TMessage& Message)
{
    TGridState State = FGridState;
    if (State == gsNormal) {
        Integer Index, Pos, Ofs;
        CalcSizingState(SmallInt(Message.LParam & 0xFFFF), SmallInt((Message.LParam >> 16) & 0xFFFF), State,
                        Index, Pos, Ofs);
    }
    ShowSizingCursor(State);
    Message.Result = 1;
}

void TCustomGrid::ClientAreaResized()
{
    if (FUpdatingScroll)
        return;
    ClampTopLeft();
    UpdateEdit();
    InvalidateGrid();
}

void TCustomGrid::WMSize(TWMSize& Message)
{
    TCustomControl::WMSize(Message);
    UpdateScrollRange();
    ClampTopLeft();
    UpdateEdit();
    InvalidateGrid();
}

// ---------------------------------------------------------------- scroll bars

void TCustomGrid::SetScrollBars(TScrollStyle Value)
{
    if (Value == FScrollBars)
        return;
    FScrollBars = Value;
    LayoutChanged();
}

void TCustomGrid::UpdateScrollRange()
{
    if (!FArea || FUpdatingScroll)
        return;
    FUpdatingScroll = true;
    // Which bars are needed depends on the space the other one leaves.
    const bool WantV = FScrollBars == ssVertical || FScrollBars == ssBoth;
    const bool WantH = FScrollBars == ssHorizontal || FScrollBars == ssBoth;
    bool V = false, H = false;
    for (int Pass = 0; Pass < 3; ++Pass) {
        FVertBarShown = V;
        FHorzBarShown = H;
        const bool NeedV = WantV && AxisMaxFirst(true, AxisClient(true)) > FFixedRows;
        const bool NeedH = WantH && AxisMaxFirst(false, AxisClient(false)) > FFixedCols;
        if (NeedV == V && NeedH == H)
            break;
        V = NeedV;
        H = NeedH;
    }
    FVertBarShown = V;
    FHorzBarShown = H;
    FArea->setVerticalScrollBarPolicy(V ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    FArea->setHorizontalScrollBarPolicy(H ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    FUpdatingScroll = false;
    UpdateScrollPos();
}

void TCustomGrid::UpdateScrollPos()
{
    if (!FArea)
        return;
    for (bool Rows : {false, true}) {
        const Integer Bar = Rows ? SB_VERT : SB_HORZ;
        const Integer Fixed = AxisFixed(Rows);
        const Integer Range = AxisMaxFirst(Rows, AxisClient(Rows)) - Fixed;
        const Integer Pos = Range > 0 ? std::clamp(MulDiv(AxisFirst(Rows) - Fixed, 127, Range), 0, 127) : 0;
        if (FArea->Info[Bar].Pos != Pos) {
            FArea->Info[Bar].Pos = Pos;
            FArea->ApplyInfo(Bar);
        }
    }
}

void TCustomGrid::ModifyScrollBar(Integer Bar, Integer ScrollCode, Integer Pos)
{
    const bool Rows = Bar == SB_VERT;
    const Integer Fixed = AxisFixed(Rows);
    const Integer Max = std::max(AxisMaxFirst(Rows, AxisClient(Rows)), Fixed);
    const Integer First = AxisFirst(Rows);
    const Integer Page = std::max(AxisVisibleCount(Rows), 1);
    Integer NewFirst = First;
    switch (ScrollCode) {
    case SB_LINEUP: NewFirst = First - 1; break;
    case SB_LINEDOWN: NewFirst = First + 1; break;
    case SB_PAGEUP: NewFirst = First - Page; break;
    case SB_PAGEDOWN: NewFirst = First + Page; break;
    case SB_THUMBTRACK:
        if (!FOptions.Contains(goThumbTracking))
            return;
        NewFirst = Fixed + MulDiv(Pos, Max - Fixed, 127);
        break;
    case SB_THUMBPOSITION: NewFirst = Fixed + MulDiv(Pos, Max - Fixed, 127); break;
    case SB_TOP: NewFirst = Fixed; break;
    case SB_BOTTOM: NewFirst = Max; break;
    case SB_ENDSCROLL:
        UpdateScrollPos();
        return;
    default: return;
    }
    NewFirst = std::clamp(NewFirst, Fixed, std::max(Max, std::min(First, NewFirst)));
    if (Rows)
        MoveTopLeft(FTopLeft.X, NewFirst);
    else
        MoveTopLeft(NewFirst, FTopLeft.Y);
    // The thumb shows the new place even when it did not move the view.
    FArea->ApplyInfo(Bar);
}

void TCustomGrid::WMHScroll(TWMScroll& Message)
{
    ModifyScrollBar(SB_HORZ, Message.ScrollCode, Message.Pos);
}

void TCustomGrid::WMVScroll(TWMScroll& Message)
{
    ModifyScrollBar(SB_VERT, Message.ScrollCode, Message.Pos);
}

bool TCustomGrid::ScrollBarVisible(Integer Code) const
{
    return Code == SB_VERT ? FVertBarShown : FHorzBarShown;
}

TGridScrollInfo TCustomGrid::GetScrollInfo(Integer Bar) const
{
    return FArea->Info[Bar == SB_VERT ? SB_VERT : SB_HORZ];
}

void TCustomGrid::SetScrollInfo(Integer Bar, const TGridScrollInfo& Info)
{
    Bar = Bar == SB_VERT ? SB_VERT : SB_HORZ;
    FArea->Info[Bar] = Info;
    FArea->ApplyInfo(Bar);
}

void TCustomGrid::ShowScrollBar(Integer Bar, bool Show)
{
    if (Bar == SB_VERT || Bar == SB_BOTH) {
        FVertBarShown = Show;
        FArea->setVerticalScrollBarPolicy(Show ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    }
    if (Bar == SB_HORZ || Bar == SB_BOTH) {
        FHorzBarShown = Show;
        FArea->setHorizontalScrollBarPolicy(Show ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    }
    InvalidateGrid();
}

void TCustomGrid::EnableScrollBar(Integer Bar, bool Enable)
{
    if (Bar == SB_VERT || Bar == SB_BOTH)
        FArea->ScrollBar(SB_VERT)->setEnabled(Enable);
    if (Bar == SB_HORZ || Bar == SB_BOTH)
        FArea->ScrollBar(SB_HORZ)->setEnabled(Enable);
}
