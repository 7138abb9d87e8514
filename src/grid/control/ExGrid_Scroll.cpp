// The string grid's scrolling: the scroll type with the thin controls of
// ssMetro, proportional thumbs, the scroll messages with scroll hints,
// synchronous scrolling and the search-footer rules, drag scrolling and the
// cell under a screen point.
//
// The platform has no flat scroll bars: every flat scroll-bar call is
// skipped, as for a grid whose flat functions were not found, so ssFlat and
// ssEncarta look as ssNormal. The runtime grid repaints its whole client
// area after every scroll, so a fixed background and merged cells need no
// repaint of their own after one.
#include "grid/control/ExGrid.h"

#include <QDropEvent>

#include <cmath>

namespace {

constexpr Integer ThinScrollExtent = 6;
constexpr Integer ScrollHintMaxWidth = 100;
constexpr Integer ScrollHintOffset = 10;
constexpr Integer ThumbPositions = 128;

// One axis in pixels, each line counted with the grid line before it.
struct TAxisExtents {
    Integer Fixed = 0;  // the grid line and the fixed lines
    Integer Scrollable = 0;  // the grid line and the other lines
    Integer BeforeFirst = 0;  // the grid line and the scrollable lines out of view before the first one
};

TAxisExtents AxisExtents(const TExStringGrid& G, bool Rows)
{
    const TCustomGrid& Base = G;
    const Integer Lw = G.GridLineWidth();
    const Integer Fixed = Rows ? Base.FixedRows() : Base.FixedCols();
    const Integer First = Rows ? G.TopRow() : G.LeftCol();
    const Integer Count = Rows ? G.RowCount() : G.ColCount();
    TAxisExtents E{Lw, Lw, Lw};
    for (Integer I = 0; I < Count; ++I) {
        const Integer Size = Lw + (Rows ? G.RowHeights(I) : G.ColWidths(I));
        (I < Fixed ? E.Fixed : E.Scrollable) += Size;
        if (I >= Fixed && I < First)
            E.BeforeFirst += Size;
    }
    return E;
}

// The share of the scrollable extent that fits, in single precision.
float FitShare(Integer Client, const TAxisExtents& E)
{
    return float(Client - E.Fixed) / float(E.Scrollable);
}

// A thumb covering about Fit of the 128 positions.
TGridScrollInfo ProportionalInfo(TGridScrollInfo Info, float Fit)
{
    Info.Max = Integer(std::trunc((double(Fit) + 127) / (1 - double(Fit))));
    Info.Page = Info.Max - 126;
    return Info;
}

Integer ThumbPosition(const TAxisExtents& E, Integer Client)
{
    return Integer(std::trunc(double(E.BeforeFirst) / double(E.Scrollable - Client) * ThumbPositions));
}

bool HasBar(TScrollStyle Bars, TScrollStyle Bar)
{
    return Bars == Bar || Bars == ssBoth;
}

} // namespace

// ---------------------------------------------------------------- scroll type

void TExStringGrid::SetScrollType(TScrollType Value)
{
    if (Value == FScrollType)
        return;
    FScrollType = Value;
    if (!WindowCreated())
        return;
    if (Value == ssMetro) {
        InstallThinScrollControls();
    } else {
        FreeScrollControls();
        SetScrollBars(ssBoth);
    }
}

void TExStringGrid::InstallThinScrollControls()
{
    auto Install = [this](TScrollControl*& Control, TScrollDirection Direction) {
        if (Control)
            return;
        Control = new TScrollControl(this);
        Control->SetDirection(Direction);
        Control->SetParent(this);
        if (Direction == sdVertical) {
            Control->SetWidth(ThinScrollExtent);
            Control->SetAlign(alRight);
        } else {
            Control->SetHeight(ThinScrollExtent);
            Control->SetAlign(alBottom);
        }
        Control->SetVisible(true);
    };
    Install(vscrlctrl, sdVertical);
    Install(hscrlctrl, sdHorizontal);
    SetScrollBars(ssNone);
}

// ---------------------------------------------------------------- proportional thumbs

void TExStringGrid::SetScrollProportional(bool Value)
{
    FScrollProportional = Value;
    if (!Value)
        return;
    UpdateVScrollProportional();
    UpdateHScrollProportional();
}

void TExStringGrid::UpdateHScrollProportional()
{
    if (ComponentState().Contains(csLoading) || IsDesigning() || !FScrollProportional || FScrollLock)
        return;
    const TAxisExtents E = AxisExtents(*this, false);
    // No scrollable extent: nothing to divide by.
    if (E.Scrollable == 0)
        return;
    const float Fit = FitShare(Width(), E);
    if (Fit < 0.9999f && E.Fixed + E.Scrollable - Width() >= 5) {
        TGridScrollInfo Info = ProportionalInfo(GetScrollInfo(SB_HORZ), Fit);
        if (Width() < E.Scrollable)
            Info.Pos = ThumbPosition(E, Width());
        SetScrollInfo(SB_HORZ, Info);
    }
    if (FScrollBarAlways == saHorz || FScrollBarAlways == saBoth)
        return;
    Integer AllWidths = 0;
    for (Integer C = 0; C < ColCount(); ++C)
        AllWidths += ColWidths(C);
    if (AllWidths < Width() || !HasBar(ScrollBars(), ssHorizontal))
        ShowScrollBar(SB_HORZ, false);
}

void TExStringGrid::UpdateVScrollProportional()
{
    if (ComponentState().Contains(csLoading) || IsDesigning() || !FScrollProportional || FScrollLock)
        return;
    if (VisibleRowCount() + TBaseGrid::FixedRows() >= RowCount())
        return;
    const TAxisExtents E = AxisExtents(*this, true);
    if (E.Scrollable == 0)
        return;
    const float Fit = FitShare(Height(), E);
    if (Fit >= 0.9999f)
        return;
    TGridScrollInfo Info = ProportionalInfo(GetScrollInfo(SB_VERT), Fit);
    Info.Pos = Height() < E.Scrollable ? ThumbPosition(E, Height()) : ThumbPositions - 1;
    SetScrollInfo(SB_VERT, Info);
}

// ---------------------------------------------------------------- scroll messages

void TExStringGrid::WMHScroll(TWMScroll& Message)
{
    const Integer Target = ThumbScroll(Message, false);
    if (TBaseGrid::FixedCols() == 0 && Target >= Col())
        HideInplaceEdit();
    TBaseGrid::WMHScroll(Message);
    HideEditorOnCheckBox();
    UpdateFooter();
}

void TExStringGrid::WMVScroll(TWMScroll& Message)
{
    if (IsDesigning()) {
        TBaseGrid::WMVScroll(Message);
        return;
    }
    if (FScrollBar && Message.ScrollBar && Message.ScrollBar == FScrollBar->Handle()) {
        if (CellScrollBarMessage(Message))
            Message.Result = 1;
        return;
    }
    ThumbScroll(Message, true);
    const bool Footer = FSearchFooter->Visible();
    const bool Down = Message.ScrollCode == SB_ENDSCROLL || Message.ScrollCode == SB_LINEDOWN;
    // The last row shows above the search footer already.
    if (Down && Footer && IsLastRowAboveSearchFooter()) {
        Message.Result = 1;
        return;
    }
    TBaseGrid::WMVScroll(Message);
    const bool AtEnd = TopRow() == RowCount() - VisibleRowCount();
    if (Footer && AtEnd && Message.ScrollCode == SB_LINEUP)
        SetTopRow(TopRow() - 1);
    else if (Footer && AtEnd && Down)
        ScrollAboveSearchFooter();
    HideEditorOnCheckBox();
}

Integer TExStringGrid::ThumbScroll(const TWMScroll& Message, bool Rows)
{
    const Integer Fixed = Rows ? TBaseGrid::FixedRows() : TBaseGrid::FixedCols();
    const Integer Last = Rows ? RowCount() - VisibleRowCount() : ColCount() - VisibleColCount();
    const Integer Target = Fixed + MulDiv(Message.Pos, Last - Fixed, 127);
    if (FScrollHints == (Rows ? shVertical : shHorizontal) || FScrollHints == shBoth)
        ScrollHint(Message.ScrollCode, Rows ? QStringLiteral("Row : ") : QStringLiteral("Col : "), Target);
    if (Message.ScrollCode == SB_THUMBTRACK && FScrollSynch) {
        if (Rows)
            SetTopRow(Target);
        else
            SetLeftCol(Target);
    }
    return Target;
}

void TExStringGrid::ScrollHint(Word ScrollCode, const String& Prefix, Integer Target)
{
    if (ScrollCode == SB_ENDSCROLL) {
        if (FScrollHintWnd)
            FScrollHintWnd->ReleaseHandle();
        FScrollHintShow = false;
        return;
    }
    if (ScrollCode != SB_THUMBTRACK)
        return;
    String Text = Prefix + IntToStr(Target);
    if (OnScrollHint)
        OnScrollHint(this, Target, Text);
    THTMLHintWindow* Window = ScrollHintWindow();
    TRect R = Window->CalcHintRect(ScrollHintMaxWidth, Text, nullptr);
    Window->SetColor(FHintColor);
    const TPoint At = Mouse->CursorPos();
    OffsetRect(R, At.X + ScrollHintOffset, At.Y);
    Window->ActivateHint(R, Text);
    FScrollHintShow = true;
}

THTMLHintWindow* TExStringGrid::ScrollHintWindow()
{
    if (!FScrollHintWnd)
        FScrollHintWnd = new THTMLHintWindow(this);
    return FScrollHintWnd;
}

void TExStringGrid::HideEditorOnCheckBox()
{
    if (Col() < ColCount() && Row() < RowCount() && HasCheckBox(RealColIndex(Col()), Row()))
        HideEditor();
}

// ---------------------------------------------------------------- drag scrolling

bool TExStringGrid::WidgetEvent(QEvent* Event)
{
    const QEvent::Type Type = Event->type();
    if (!FDestroying && (Type == QEvent::DragEnter || Type == QEvent::DragMove)) {
        const QPoint P = static_cast<QDropEvent*>(Event)->position().toPoint();
        const TPoint Origin = ClientOrigin();
        bool Accept = false;
        DragOver(nullptr, P.x() - Origin.X, P.y() - Origin.Y, Type == QEvent::DragEnter ? dsDragEnter : dsDragMove,
                 Accept);
    } else if (!FDestroying && (Type == QEvent::DragLeave || Type == QEvent::Drop)) {
        // A drop ends the drag over the grid as a leave does.
        bool Accept = false;
        DragOver(nullptr, 0, 0, dsDragLeave, Accept);
    }
    return TBaseGrid::WidgetEvent(Event);
}

void TExStringGrid::DragOver(TObject*, Integer X, Integer Y, TDragState State, bool&)
{
    if (!FDragScrollOptions->Active()) {
        FreeDragTimer();
        return;
    }
    const Integer Previous = FDragScrollDirection;
    FDragScrollDirection = 0;
    if (State == dsDragLeave) {
        FreeDragTimer();
        return;
    }
    const TDragScrollMargins* M = FDragScrollOptions->Margins();
    if (Y < M->TopMargin())
        FDragScrollDirection |= dsdUp;
    else if (Y > Height() - M->BottomMargin())
        FDragScrollDirection |= dsdDown;
    if (X < M->LeftMargin())
        FDragScrollDirection |= dsdLeft;
    else if (X > Width() - M->RightMargin())
        FDragScrollDirection |= dsdRight;
    if (FDragScrollDirection == 0) {
        FreeDragTimer();
    } else if (!FDragTmr) {
        // Owned by the grid, so that it never ticks on a grid that is gone.
        FDragTmr = new TTimer(this);
        FDragTmr->OnTimer = [this](TObject* Sender) { DragScrollTick(Sender); };
        FDragTmr->SetInterval(Cardinal(FDragScrollOptions->Delays()->InitialDelay()));
    } else if (Previous != 0) {
        FDragTmr->SetInterval(Cardinal(FDragScrollOptions->Delays()->InitialDelay()));
    }
}

void TExStringGrid::FreeDragTimer()
{
    delete std::exchange(FDragTmr, nullptr);
}

void TExStringGrid::DragScrollTick(TObject*)
{
    if (!FDragScrollOptions->Active()) {
        FreeDragTimer();
        return;
    }
    FDragTmr->SetInterval(Cardinal(FDragScrollOptions->Delays()->RepeatDelay()));
    if (OnDragScroll) {
        bool CanScroll = true;
        OnDragScroll(this, TopRow(), LeftCol(), FDragScrollDirection, CanScroll);
        if (!CanScroll)
            return;
    }
    const Integer Direction = FDragScrollDirection;
    if ((Direction & dsdUp) && TopRow() > TBaseGrid::FixedRows())
        SetTopRow(TopRow() - 1);
    if ((Direction & dsdDown) && TopRow() + VisibleRowCount() < RowCount())
        SetTopRow(TopRow() + 1);
    if ((Direction & dsdLeft) && LeftCol() > TBaseGrid::FixedCols())
        SetLeftCol(LeftCol() - 1);
    if ((Direction & dsdRight) && VisibleColCount() + LeftCol() < ColCount())
        SetLeftCol(LeftCol() + 1);
}

// ---------------------------------------------------------------- cells

void TExStringGrid::ScreenToCell(TPoint pt, Integer& ACol, Integer& ARow)
{
    const TPoint P = ScreenToClient(pt);
    MouseToCell(P.X, P.Y, ACol, ARow);
}

// A hook for descendants; the grid does nothing here.
bool TExStringGrid::EditorStartedByKey()
{
    return false;
}
