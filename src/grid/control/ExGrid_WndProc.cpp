// The string grid's window procedure, its 500 ms timer (incremental search,
// hovering, blinking text), painting under the update lock, the cursors it
// shows and its answers to the control messages.
#include "grid/control/ExGrid.h"

#include "grid/base/ExStyleIF.h"
#include "rtl/Forms.h"

#include <QApplication>
#include <QWidget>

// Outside any namespace, as the resource initialiser requires.
static void InitGridControlResources()
{
    static const bool Done = [] {
        Q_INIT_RESOURCE(GridControl_Resources);
        return true;
    }();
    (void)Done;
}

namespace {

constexpr UINT_PTR GridTimerID = 111;
constexpr UINT_PTR MoveTimerID = 1;
constexpr UINT ThemeNotifierMessage = 2993;
// The grid's own cursors, drawn for it and kept in the screen's table.
constexpr TCursor crRowSelect = 8010;
constexpr TCursor crColSelect = 8011;
constexpr TCursor crSelectAll = 8012;
constexpr TCursor crCellSelector = 8014;

bool HasBlinkTag(const String& Text)
{
    return Text.contains(QStringLiteral("<BLI"), Qt::CaseInsensitive);
}

} // namespace

TCursor GridResourceCursor(TCursor Number)
{
    if (!Screen->Cursors(Number)) {
        InitGridControlResources();
        Screen->SetCursors(Number, LoadCursor(QString::number(Number)));
    }
    return Number;
}

// ---------------------------------------------------------------- window procedure

void TExStringGrid::WndProc(TMessage& Message)
{
    const Cardinal Msg = Message.Msg;
    if (Msg == WM_DESTROY) {
        if (FAutoThemeAdapt && !IsDesigning())
            GetThemeNotifier(this)->UnRegisterWindow(Handle());
        KillTimer(GridTimerID);
    }
    if (FDestroying) {
        TBaseGrid::WndProc(Message);
        return;
    }
    if (PanMessage(Message))
        return;
    const TGridRect OldSelection = Selection();
    if (Msg != 0 && Msg == FEditDoneMessage)
        GridEditDone(Integer(Message.WParam), Integer(Message.LParam));
    if (Msg == WM_CANCELMODE && Screen->Cursor() == crDrag &&
        (FGridState == gsRowMoving || FGridState == gsColMoving) && FEnhRowColMove) {
        Screen->SetCursor(crDefault);
        KillTimer(MoveTimerID);
        FGridState = gsNormal;
    }
    const bool ScrollChange = (Msg == WM_PAINT && FPaintCount == 0) || Msg == WM_SIZE || Msg == CM_UIACTIVATE ||
                              Msg == WM_LBUTTONUP;
    if (ScrollChange && FScrollProportional && !IsDesigning()) {
        UpdateVScrollProportional();
        UpdateHScrollProportional();
    }
    if ((Msg == WM_THEMECHANGED || Msg == ThemeNotifierMessage) && FAutoThemeAdapt)
        AdaptToOfficeTheme();
    if (Msg == WM_NCPAINT) {
        TBaseGrid::WndProc(Message);
        if (FUpdateCount <= 0) {
            PaintBorder();
            Message.Result = 0;
        }
        return;
    }
    if (Msg == CM_CURSORCHANGED)
        CMCursorChanged(Message);
    if (Msg == WM_ERASEBKGND) {
        WMEraseBkgnd(Message);
        return;
    }
    // The grid may be freed by a handler of the message.
    const std::shared_ptr<bool> Alive = FAlive;
    const Integer OldRow = Row();
    if (Msg == WM_MOUSEWHEEL && !Panning())
        WMMouseWheelGrid(Message);
    else
        TBaseGrid::WndProc(Message);
    if (!*Alive)
        return;
    if (Row() != OldRow && FSyncGrid->Grid() && FSyncGrid->SelectionRow())
        SetRow(Row());
    const TGridRect NewSelection = Selection();
    if (Msg == WM_MOUSEWHEEL && (NewSelection.Left != OldSelection.Left || NewSelection.Top != OldSelection.Top ||
                                 NewSelection.Right != OldSelection.Right ||
                                 NewSelection.Bottom != OldSelection.Bottom))
        DoSelectionChanged(NewSelection.Left, NewSelection.Top, NewSelection.Right, NewSelection.Bottom);
}

void TExStringGrid::GridEditDone(Integer ACol, Integer ARow)
{
    if (OnEditCellDone)
        OnEditCellDone(this, ACol, ARow);
    if (!FMouseActions->EditOnDblClickOnly())
        return;
    HideInplaceEdit();
    FEditMode = false;
    SetOptions(Options() - goEditing);
}

// ---------------------------------------------------------------- grid timer

void TExStringGrid::WMTimer(TWMTimer& Message)
{
    if (Message.TimerID != GridTimerID) {
        TBaseGrid::WMTimer(Message);
        return;
    }
    ++FTimerTicks;
    if (FNavigation->AutoGotoIncremental() && FSearchTicks++ == 3) {
        // The fourth tick without new input starts the search afresh.
        SearchInc.clear();
        FSearchTicks = 0;
    }
    if (FHovering && !IsDesigning())
        HoverTick();
    if (FEnableBlink)
        BlinkTick();
}

void TExStringGrid::HoverTick()
{
    const TPoint Cursor = Mouse->CursorPos();
    const TPoint P = ScreenToClient(Cursor);
    // Only while the window under the mouse is the grid (or its viewport).
    const QWidget* Under = QApplication::widgetAt(QPoint(Cursor.X, Cursor.Y));
    if (!Under || (Under != Handle() && !Handle()->isAncestorOf(Under)) || !PtInRect(ClientRect(), P))
        return;
    Integer ACol = -1;
    Integer ARow = -1;
    MouseToCell(P.X, P.Y, ACol, ARow);
    if (ACol < TBaseGrid::FixedCols() || ACol >= ColCount() || ARow < TBaseGrid::FixedRows() || ARow >= RowCount())
        return;
    if (CanFocus())
        SetFocus();
    SetRow(ARow);
    SetCol(ACol);
}

void TExStringGrid::BlinkTick()
{
    FGridBlink = !FGridBlink;
    auto InView = [](Integer Fixed, Integer First, Integer Visible, Integer Count) {
        std::vector<Integer> Lines;
        for (Integer I = 0; I < Fixed && I < Count; ++I)
            Lines.push_back(I);
        for (Integer I = First; I <= First + Visible && I < Count; ++I)
            Lines.push_back(I);
        return Lines;
    };
    const auto Cols = InView(TBaseGrid::FixedCols(), LeftCol(), VisibleColCount(), ColCount());
    const auto Rows = InView(TBaseGrid::FixedRows(), TopRow(), VisibleRowCount(), RowCount());
    for (const Integer R : Rows)
        for (const Integer C : Cols)
            if (HasBlinkTag(Cells(RealColIndex(C), R)))
                RepaintCell(C, R);
}

// ---------------------------------------------------------------- painting

void TExStringGrid::WMPaint(TMessage& Message)
{
    if (FUpdateCount >= 1) {
        Message.Result = 0;
        return;
    }
    TBaseGrid::WMPaint(Message);
    if (FPaintCount == 0 && !TabStop()) {
        FPaintCount = 1;
        UpdateVScrollProportional();
    }
}

void TExStringGrid::WMEraseBkgnd(TMessage& Message)
{
    // The cells cover the client area.
    Message.Result = 0;
}

// ---------------------------------------------------------------- cursors

void TExStringGrid::WMSetCursor(TMessage& Message)
{
    const TPoint P(SmallInt(Message.LParam & 0xFFFF), SmallInt((Message.LParam >> 16) & 0xFFFF));
    const bool Sizing = FGridState == gsRowSizing || FGridState == gsColSizing;
    if (FMouseSelectMode != msNormal && FMouseSelectMode != msURL && !Sizing) {
        const TCursor Shown = FMouseSelectMode == msColumn ? crColSelect
                              : FMouseSelectMode == msRow  ? crRowSelect
                                                           : crSelectAll;
        ShowCellsCursor(GridResourceCursor(Shown));
        Message.Result = 1;
    } else if (FMouseSelectMode == msURL && !Sizing) {
        Message.Result = 1;
    } else if (FCellSelectorMode) {
        ShowCellsCursor(GridResourceCursor(crCellSelector));
        Message.Result = 1;
    } else {
        TBaseGrid::WMSetCursor(Message);
        Integer ACol = -1;
        Integer ARow = -1;
        MouseToCell(P.X, P.Y, ACol, ARow);
        if (ACol >= 0 && ARow >= 0 && OnGetCellCursor) {
            Invokedchange = true;
            DoGetCellCursor(ACol, ARow, P.X, P.Y);
            Invokedchange = false;
        }
    }
    if (FSizeFixed || FSizingFixed)
        ShowCellsCursor(crHSplit);
    else if (FSizeFixedR || FSizingFixedR)
        ShowCellsCursor(crVSplit);
}

// ---------------------------------------------------------------- control messages

void TExStringGrid::CMEnabledChanged(TMessage& Message)
{
    TBaseGrid::CMEnabledChanged(Message);
    Invalidate();
}

void TExStringGrid::CMColorChanged(TMessage& Message)
{
    TBaseGrid::CMColorChanged(Message);
    if (FFloatingFooter->Visible())
        FFooterPanel->Invalidate();
}

void TExStringGrid::CMFontChanged(TMessage& Message)
{
    TBaseGrid::CMFontChanged(Message);
}

void TExStringGrid::CMCursorChanged(TMessage&)
{
    if (!Invokedchange)
        FMouseSelectMode = msNormal;
    Invokedchange = false;
}

bool TExStringGrid::HasCellBorderEvent()
{
    return bool(OnGetCellBorder);
}

TCanvas* TExStringGrid::GetFooterCanvas()
{
    return FFooterPanel->Canvas();
}

// ---------------------------------------------------------------- update lock

void TExStringGrid::BeginUpdate()
{
    // Counted always, so a lock released while hidden still ends; the
    // redraw switch only concerns a window in view.
    ++FUpdateCount;
    if (Visible())
        Perform(WM_SETREDRAW, 0);
}

void TExStringGrid::EndUpdate()
{
    if (FUpdateCount > 0)
        --FUpdateCount;
    if (FUpdateCount != 0 || FDestroying)
        return;
    FSelChange = false;
    Perform(WM_SETREDRAW, 1);
    Invalidate();
    PaintBorder();
}

void TExStringGrid::StartUpdate()
{
    ++FUpdateCount;
}

void TExStringGrid::ResetUpdate()
{
    FUpdateCount = 0;
}

void TExStringGrid::SetLockUpdate(bool Value)
{
    if (Value)
        BeginUpdate();
    else
        EndUpdate();
}

// ---------------------------------------------------------------- fixed cells and styles

void TExStringGrid::ResetFixedCellHighlight()
{
    FSizeFixed = false;
    FSizeFixedR = false;
    FNoMouseLeave = false;
    if (FHoverFixedCells == hfNone || FHoverFixedCell == TPoint(-1, -1))
        return;
    const TPoint Hovered = FHoverFixedCell;
    FHoverFixedCell = TPoint(-1, -1);
    RepaintCell(Hovered.X, Hovered.Y);
}

bool TExStringGrid::IsHoverFixedCell(Integer ACol, Integer ARow) const
{
    if (FHoverFixedCells == hfNone)
        return false;
    return (ACol < TBaseGrid::FixedCols() && (FHoverFixedCells == hfAll || FHoverFixedCells == hfFixedColumns)) ||
           (ARow < TBaseGrid::FixedRows() && (FHoverFixedCells == hfAll || FHoverFixedCells == hfFixedRows));
}

void TExStringGrid::ApplyVCLStyleColors()
{
    // The runtime has no application styles: the grid keeps its own colours.
    FUseVCLStyles = false;
}
