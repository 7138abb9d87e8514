// Pointer movement over the grid: hover feedback, header selection drags,
// fixed-border sizing, the grid's own row and column move, select zones,
// link hover, hint cancelling and the sizing hint; and the pointer leaving.
#include "grid/control/ExGrid.h"

#include "grid/base/EsgHTMLE.h"
#include "grid/base/ExUtil.h"
#include "grid/control/ExGrid_Balloon.h"
#include "rtl/Forms.h"

#include <QWidget>

#include <algorithm>
#include <utility>

namespace {

// The fill handle's size at the selection's bottom-right corner.
constexpr Integer FillHandleSize = 6;
// The width of the in-cell scroll bar.
constexpr Integer CellScrollBarWidth = 17;
// A border is hit within this distance.
constexpr Integer BorderHitDistance = 3;
// The sizing hint is measured within this width.
constexpr Integer SizingHintMaxWidth = 200;
// Mini-HTML text kind of GetCellTextKind.
constexpr Integer HTMLTextKind = 1;

bool IsValidPoint(TPoint P)
{
    return P.X >= 0 && P.Y >= 0;
}

} // namespace

void TExStringGrid::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    // A drag selects a range then, it does not edit.
    if (FMouseDownMove && FMouseActions->RangeSelectAndEdit() && Options().Contains(goEditing) && !EditorMode())
        SetOptions(Options() - goEditing);
    const TGridRect Sel0 = Selection();
    if (FSelectionRectangle && FGridState == gsSelecting)
        FSizeSelection = Selection();
    Integer ACol = -1, ARow = -1;
    MouseToCell(X, Y, ACol, ARow);
    const TPoint P(X, Y);
    if (!IsDesigning())
        HoverFeedback(ACol, ARow, P);
    bool ScrolledUp = false;
    HeaderSelectionDrag(ACol, ARow, Y, ScrolledUp);
    FixedBorderSizing(ACol, ARow, X, Y);
    const bool InResizer = InFillHandle(P);
    // The drag runs modally; the button is up when it returns.
    if (!IsDesigning() && OleDragStart(ACol, ARow, X, Y, InResizer))
        return;
    bool CursorSet = false;
    if (!IsDesigning()) {
        if (FGridState == gsColSizing)
            ColSized = true;
        if (FGridState == gsRowSizing)
            Rowsized = true;
        if (FGridState == gsColMoving || FGridState == gsRowMoving) {
            bool Allow = true;
            const auto& Ask = FGridState == gsColMoving ? OnColumnMove : OnRowMove;
            if (Ask)
                Ask(this, Movecell, Allow);
            if (!Allow)
                FGridState = gsNormal;
        }
        if ((FGridState == gsColMoving || FGridState == gsRowMoving) && RowCount() > 1 &&
            P != TPoint(Clickposx, Clickposy) && FEnhRowColMove && !FSizingFixed && !FSizingFixedR)
            OwnMoveStep(ACol, ARow, P);
        CursorSet = SetSelectZone(ACol, ARow, X, InResizer, ScrolledUp);
    }
    CursorSet = LinkHover(X, Y) || CursorSet;
    if (!CursorSet && Cursor() != FOldCursor) {
        Invokedchange = true;
        TControl::SetCursor(FOldCursor);
    }
    CancelHints(ACol, ARow);
    if (FGridState == gsSelecting && FSelectionRectangle && Selection() != FMoveSelection) {
        const TGridRect S = Selection();
        InvalidateGridRect(TRect(S.Left, S.Top, S.Right, S.Bottom));
        FMoveSelection = S;
    }
    TBaseGrid::MouseMove(Shift, X, Y);
    if (FNavigation->KeepHorizScroll() && FMouseKeepDown && FGridState != gsColMoving) {
        StartUpdate();
        SetLeftCol(FOldKeepLeftCol);
        ResetUpdate();
    }
    SizingEventsAndHint(X, Y);
    if (FEnhRowColMove && ClientWidget())
        ClientWidget()->repaint();
    const TGridRect S = Selection();
    if (S != Sel0)
        DoSelectionChanged(S.Left, S.Top, S.Right, S.Bottom);
}

// ---------------------------------------------------------------- hover

void TExStringGrid::HoverFeedback(Integer ACol, Integer ARow, TPoint P)
{
    const bool Valid = ACol >= 0 && ARow >= 0;
    if (Valid) {
        if (FHoverRow && ARow != FHoverRowIdx) {
            const Integer Old = std::exchange(FHoverRowIdx, ARow);
            RepaintRow(ARow);
            if (Old >= 0 && Old < RowCount())
                RepaintRow(Old);
        }
        HoverCellScrollBar(ACol, ARow);
    }
    if (FHoverFixedCells != hfNone && !FNoMouseLeave && FHoverFixedCell != TPoint(ACol, ARow)) {
        RepaintIfFixedZone(std::exchange(FHoverFixedCell, TPoint(ACol, ARow)));
        RepaintIfFixedZone(FHoverFixedCell);
    }
    if (FLook == glListView && FHotFixedCell != TPoint(ACol, ARow)) {
        if (IsValidPoint(FHotFixedCell))
            RepaintIfFixedZone(FHotFixedCell);
        FHotFixedCell = TPoint(ACol, ARow);
        RepaintIfFixedZone(FHotFixedCell);
    }
    HoverButtons(ACol, ARow, P);
}

void TExStringGrid::RepaintIfFixedZone(TPoint Cell)
{
    if (!IsValidPoint(Cell) || Cell.X >= ColCount() || Cell.Y >= RowCount())
        return;
    if (Cell.Y <= TBaseGrid::FixedRows() || Cell.X <= TBaseGrid::FixedCols())
        RepaintCell(Cell.X, Cell.Y);
}

void TExStringGrid::HoverCellScrollBar(Integer ACol, Integer ARow)
{
    if (!FScrollBar)
        return;
    if (!HasScrollBar(ACol, ARow)) {
        FScrollBar->SetVisible(false);
        return;
    }
    FScrollCol = ACol;
    FScrollRow = ARow;
    const TRect R = CellRect(ACol, ARow);
    FScrollBar->SetPosition(GetScrollPosition(ACol, ARow));
    const TScrollProp Prop = GetScrollProp(ACol, ARow);
    if (Prop.PageSize >= Prop.Range)
        return;
    const Integer Top = R.Top + GridLineWidth();
    const Integer Left = R.Right - CellScrollBarWidth - GridLineWidth();
    if (FScrollBar->Visible() && FScrollBar->Top() == Top && FScrollBar->Left() == R.Right - FScrollBar->Width() - GridLineWidth())
        return;
    FScrollBar->SetPageSize(Prop.PageSize);
    FScrollBar->SetMin(0);
    FScrollBar->SetMax(Prop.Range);
    FScrollBar->SetBounds(Left, Top, CellScrollBarWidth, R.Bottom - R.Top - 2 * GridLineWidth());
    FScrollBar->SetPosition(GetScrollPosition(ACol, ARow));
    FScrollBar->SetVisible(true);
}

void TExStringGrid::HoverButtons(Integer ACol, Integer ARow, TPoint P)
{
    const bool Valid = ACol >= 0 && ARow >= 0;
    const bool OnButton = Valid && ((HasButton(ACol, ARow) && PtInRect(GetButtonRect(ACol, ARow), P)) ||
                                    (HasExpand(ACol, ARow) && PtInRect(GetExpandRect(ACol, ARow), P)));
    if (OnButton) {
        if (FHoverButton != TPoint(ACol, ARow)) {
            if (IsValidPoint(FHoverButton))
                RepaintCell(FHoverButton.X, FHoverButton.Y);
            RepaintCell(ACol, ARow);
            FHoverButton = TPoint(ACol, ARow);
        }
    } else if (IsValidPoint(FHoverButton)) {
        RepaintCell(FHoverButton.X, FHoverButton.Y);
        FHoverButton = TPoint(-1, -1);
    }
}

// ---------------------------------------------------------------- header drags and fixed borders

void TExStringGrid::HeaderSelectionDrag(Integer ACol, Integer ARow, Integer Y, bool& ScrolledUp)
{
    if (FMouseSelectStart == -1)
        return;
    const Integer S = FMouseSelectStart;
    const Integer FR = TBaseGrid::FixedRows();
    const Integer FC = TBaseGrid::FixedCols();
    if (FMouseActions->RowSelect() && FMouseSelectMode == msRow) {
        if (ARow >= FR && ARow <= RowCount() - FFixedFooters) {
            const Integer A = std::max(FR, ARow);
            SetSelection(S < ARow ? TGridRect(FC, S, ColCount() - 1, A) : TGridRect(FC, A, ColCount() - 1, S));
            if (FSelectionRectangle && Selection() != FSizeSelection) {
                RepaintRect(TRect(LeftCol(), Selection().Top, LeftCol() + VisibleColCount(), Selection().Bottom));
                FSizeSelection = Selection();
            }
        }
        if (Y > Height() - 4) {
            SetTopRow(TopRow() + 1);
        } else if (FR > 0 && RowCount() > 0 && Y < RowHeights(0) && TopRow() > FR) {
            SetTopRow(TopRow() - 1);
            ScrolledUp = true;
        }
    }
    if (FMouseActions->ColSelect() && FMouseSelectMode == msColumn && ACol >= 0) {
        const Integer A = std::max(FC, ACol);
        SetSelection(S < ACol ? TGridRect(S, FR, A, RowCount() - 1) : TGridRect(A, FR, S, RowCount() - 1));
        if (FSelectionRectangle && Selection() != FSizeSelection)
            RepaintRect(TRect(Selection().Left, TopRow(), Selection().Right, TopRow() + VisibleRowCount()));
        FSizeSelection = Selection();
    }
}

void TExStringGrid::FixedBorderSizing(Integer ACol, Integer ARow, Integer X, Integer Y)
{
    const bool OnCell = ACol >= 0 && ARow >= 0 && !IsDesigning();
    auto OnBorder = [OnCell](Integer Count, Integer Pos, const std::function<Integer(Integer)>& Size) {
        Integer Sum = 0;
        bool Hit = false;
        for (Integer I = 0; I < Count; ++I) {
            if (std::abs(Sum + Size(I) - Pos) < BorderHitDistance && OnCell)
                Hit = true;
            Sum += Size(I) + 1;
        }
        return Hit;
    };
    FSizeFixed = OnBorder(TBaseGrid::FixedCols(), X, [this](Integer I) { return ColWidths(I); }) &&
                 FMouseActions->SizeFixedCol();
    if (FSizingFixed) {
        DrawColumnMoveLine(FSizeFixedX);
        FSizeFixedX = X;
        DrawColumnMoveLine(X);
    }
    FSizeFixedR = OnBorder(TBaseGrid::FixedRows(), Y, [this](Integer I) { return RowHeights(I); }) &&
                  FMouseActions->SizeFixedRow();
    if (FSizingFixedR) {
        DrawRowMoveLine(FSizeFixedY);
        FSizeFixedY = Y;
        DrawRowMoveLine(Y);
    }
}

bool TExStringGrid::InFillHandle(TPoint P)
{
    if (!FSelectionResizer || !FSelectionRectangle)
        return false;
    TRect R = CellRect(Selection().Right, Selection().Bottom);
    R.Top = R.Bottom - FillHandleSize;
    if (UseRightToLeftAlignment())
        R.Right = R.Left + FillHandleSize;
    else
        R.Left = R.Right - FillHandleSize;
    return PtInRect(R, P);
}

// ---------------------------------------------------------------- the grid's own move

void TExStringGrid::OwnMoveStep(Integer ACol, Integer ARow, TPoint P)
{
    bool Ok = true;
    DoStartBlockFocus();
    const bool Cols = FGridState == gsColMoving;
    const bool ShowCells = FDragDropSettings->ShowCells();
    if (Cols && Movecell >= TBaseGrid::FixedCols() && ARow >= 0) {
        if (ShowCells && !MoveForm)
            MoveForm = SelectionToForm(TGridRect(Movecell, 0, Movecell, TopRow() + VisibleRowCount() - TBaseGrid::FixedRows()));
        MoveButton->SetCaption(Cells(RealColIndex(Movecell), 0));
        MoveButton->SetWidth(ColWidths(Movecell));
        MoveButton->SetHeight(RowHeights(ARow));
    } else if (!Cols && Movecell >= TBaseGrid::FixedRows() && ACol >= 0) {
        if (ShowCells && !MoveForm)
            MoveForm = SelectionToForm(TGridRect(0, Movecell, VisibleColCount() + LeftCol() - TBaseGrid::FixedCols(), Movecell));
        MoveButton->SetCaption(Cells(0, Movecell));
        MoveButton->SetHeight(RowHeights(Movecell));
        MoveButton->SetWidth(ColWidths(ACol));
    }
    const TPoint Pt = ClientToScreen(TPoint(P.X - MoveOfsX, P.Y - MoveOfsY));
    if (ShowCells && MoveForm) {
        MoveForm->SetLeft(UseRightToLeftAlignment() ? Pt.X + ColWidths(0) - MoveForm->Width() : Pt.X);
        MoveForm->SetTop(Pt.Y);
        MoveForm->Show();
    } else {
        MoveButton->SetLeft(Pt.X);
        MoveButton->SetTop(Pt.Y);
    }
    PlaceMoveArrows(ACol, ARow);
    auto& Ask = Cols ? OnColumnMoving : OnRowMoving;
    if (Ask)
        Ask(this, Movecell, Cols ? ACol : ARow, Ok);
    MoveAutoScroll(P.X, P.Y);
    if (!ShowCells && !MoveButton->Visible()) {
        MoveButton->SetVisible(true);
        if (Parent() && Parent()->CanFocus())
            Parent()->SetFocus();
    }
    MoveButton->SetEnabled(true);
    Screen->SetCursor(Ok ? crDrag : crNoDrop);
}

void TExStringGrid::PlaceMoveArrows(Integer ACol, Integer ARow)
{
    if (FGridState == gsColMoving) {
        const Integer D = FMoveColInd;
        const bool Shown = D >= TBaseGrid::FixedCols() && ACol >= 0 && D - LeftCol() < VisibleColCount();
        if (Shown) {
            const TRect R = CellRect(D, 0);
            const TPoint TopLeft = ClientToScreen(TPoint(R.Left, R.Top));
            const TPoint BottomRight = ClientToScreen(TPoint(R.Right, R.Bottom));
            const Integer X = D < Movecell ? TopLeft.X - 5 : TopLeft.X + ColWidths(D) - 5;
            ArwU->SetLeft(X);
            ArwU->SetTop(BottomRight.Y);
            ArwD->SetLeft(X);
            ArwD->SetTop(TopLeft.Y - 8);
        }
        ArwU->SetVisible(Shown);
        ArwD->SetVisible(Shown);
        FMoveColInd = ACol;
        FMoveRowInd = 0;
        return;
    }
    const Integer D = FMoveRowInd;
    const bool FooterRow = FFloatingFooter->Visible() && FFloatingFooter->FooterStyle() == fsFixedLastRow &&
                           D == RowCount() - 1;
    if (!FooterRow) {
        const bool Shown = D >= TBaseGrid::FixedRows() && D - TopRow() < VisibleRowCount() && ARow >= 0;
        if (Shown) {
            const TRect R = CellRect(0, D);
            const TPoint TopLeft = ClientToScreen(TPoint(R.Left, R.Top));
            const TPoint BottomRight = ClientToScreen(TPoint(R.Right, R.Bottom));
            const Integer Top = D < Movecell ? TopLeft.Y - 5 : TopLeft.Y - 5 + RowHeights(D);
            ArwL->SetLeft(TopLeft.X - 10);
            ArwL->SetTop(Top);
            ArwR->SetLeft(BottomRight.X);
            ArwR->SetTop(Top);
        }
        ArwL->SetVisible(Shown);
        ArwR->SetVisible(Shown);
    }
    FMoveColInd = 0;
    FMoveRowInd = ARow;
}

void TExStringGrid::MoveAutoScroll(Integer X, Integer Y)
{
    if (FGridState == gsColMoving && VisibleColCount() < ColCount()) {
        if (X < FixedColsWidth() && LeftCol() > TBaseGrid::FixedCols()) {
            SetLeftCol(LeftCol() - 1);
            Repaint();
        } else if (X > Width() && LeftCol() + VisibleColCount() < ColCount()) {
            SetLeftCol(LeftCol() + 1);
            Repaint();
        }
    } else if (FGridState == gsRowMoving && VisibleRowCount() < RowCount()) {
        if (Y < FixedRowsHeight() && TopRow() > TBaseGrid::FixedRows()) {
            SetTopRow(TopRow() - 1);
            Repaint();
        } else if (Y > Height() && TopRow() + VisibleRowCount() < RowCount()) {
            SetTopRow(TopRow() + 1);
            Repaint();
        }
    }
}

// ---------------------------------------------------------------- select zones and links

bool TExStringGrid::SetSelectZone(Integer ACol, Integer ARow, Integer X, bool InResizer, bool ScrolledUp)
{
    FMouseSelectMode = InResizer ? msResize : msNormal;
    const Integer FR = TBaseGrid::FixedRows();
    const Integer FC = TBaseGrid::FixedCols();
    const bool Valid = ACol >= 0 && ARow >= 0;
    const Integer K = FFloatingFooter->Visible() && FFloatingFooter->FooterStyle() == fsFixedLastRow ? 2 : 1;
    TMouseSelectMode Zone = msNormal;
    if (Valid && ARow < FR && ACol < FC && FMouseActions->AllSelect())
        Zone = msAll;
    else if (Valid && ARow < FR && ACol >= FC && FMouseActions->ColSelect() && !IsSizingPos(X, 0))
        Zone = msColumn;
    else if (Valid && ACol < FC && ARow <= RowCount() - K && (ARow >= FR || ScrolledUp) && FMouseActions->RowSelect() &&
             !IsSizingPos(X, 0) && !IsInNodeGlyph(ARow, X))
        Zone = msRow;
    if (Zone == msNormal)
        return false;
    FMouseSelectMode = Zone;
    Invokedchange = true;
    return true;
}

bool TExStringGrid::LinkHover(Integer X, Integer Y)
{
    Integer ACol = -1, ARow = -1;
    MouseToCell(X, Y, ACol, ARow);
    const bool Inside = ACol >= 0 && ARow >= 0 && ACol < ColCount() && ARow < RowCount();
    const String Text = Inside ? Cells(RealColIndex(ACol), ARow) : String();
    const bool HTML = Inside && GetCellTextKind(Text, FEnableHTML) == HTMLTextKind;
    bool CursorSet = false;
    if (Inside && FURLShow && !HTML && HasURLScheme(Text)) {
        CursorSet = true;
        Invokedchange = true;
        TControl::SetCursor(crHandPoint);
    }
    String Anchor, AnchorHint;
    if (HTML) {
        TRect R = CellRect(ACol, ARow);
        R.Left += FXYOffset.X + 1;
        R.Top += FXYOffset.Y + 1;
        R.Right -= FXYOffset.X;
        if (HasCheckBox(RealColIndex(ACol), ARow))
            R.Left += FControlLook->CheckSize();
        if (HasScrollBar(ACol, ARow)) {
            const Integer Pos = GetScrollPosition(ACol, ARow);
            R.Right -= GetSystemMetrics(SM_CXVSCROLL);
            R.Bottom += Pos;
            Y += Pos;
        }
        TCanvas* C = Canvas();
        C->Font()->Assign(IsFixed(ACol, ARow) ? FixedFont() : Font());
        TBrush Brush;
        TGridDrawState State;
        TColor ColorTo = clNone, Mirror = clNone, MirrorTo = clNone;
        TAlignment HA = taLeftJustify;
        TVAlignment VA = vtaTop;
        bool WW = false;
        TCellGradientDirection GD{};
        GetVisualProperties(ACol, ARow, State, false, false, true, &Brush, ColorTo, Mirror, MirrorTo, C->Font(), HA, VA,
                            WW, GD);
        String Strip, FocusAnchor, CID, CV, CT;
        Integer XSize = 0, YSize = 0, Links = 0, MouseLink = -1;
        TRect HoverRect, CtrlRect;
        DrawHTMLText(C, Text, R, GridImages(), X, Y, -1, -1, 0, true, false, false, false, false, false, !FEnhTextSize,
                     false, 1.0, FURLColor, clNone, clNone, clGray, Anchor, Strip, FocusAnchor, AnchorHint, XSize, YSize,
                     Links, MouseLink, HoverRect, CtrlRect, CID, CV, CT, FImageCache.get(), FContainer, nullptr, 0);
        if (FURLUnderlineOnHover) {
            const TPoint Prev = FHoverCell;
            const bool OtherCell = IsValidPoint(Prev) && Prev != TPoint(ACol, ARow);
            if (OtherCell || FHoverLink != -1) {
                if (IsValidPoint(Prev))
                    RepaintCell(Prev.X, Prev.Y);
                FHoverCell = TPoint(ACol, ARow);
            }
            if (!(Prev == TPoint(ACol, ARow) && FHoverLink == -1 && MouseLink == -1)) {
                FHoverCell = TPoint(ACol, ARow);
                FHoverLink = MouseLink;
                RepaintCell(ACol, ARow);
            }
        }
    } else if (FURLUnderlineOnHover && ((IsValidPoint(FHoverCell) && FHoverCell != TPoint(ACol, ARow)) || FHoverLink != -1)) {
        FHoverLink = -1;
        if (IsValidPoint(FHoverCell))
            RepaintCell(FHoverCell.X, FHoverCell.Y);
        FHoverCell = TPoint(-1, -1);
    }
    if (!Anchor.isEmpty()) {
        if (AnchorHint.isEmpty() && OnAnchorHint)
            OnAnchorHint(this, ARow, ACol, AnchorHint);
        if (AnchorHint != FLastAnchorHint && !FLastAnchorHint.isEmpty() && Anchor != FAnchor) {
            FLastAnchorHint = AnchorHint;
            Application->CancelHint();
        }
        CursorSet = true;
        Invokedchange = true;
        TControl::SetCursor(crHandPoint);
        if (Anchor != FAnchor) {
            if (OnAnchorEnter)
                OnAnchorEnter(this, ARow, ACol, Anchor);
            FAnchor = Anchor;
        }
    } else if (!FAnchor.isEmpty()) {
        // Leaving the last anchor, also onto a cell without mini-HTML.
        if (OnAnchorExit)
            OnAnchorExit(this, ARow, ACol, Anchor);
        FAnchor.clear();
    }
    return CursorSet;
}

// ---------------------------------------------------------------- hints and sizing

void TExStringGrid::CancelHints(Integer ACol, Integer ARow)
{
    const TPoint Base = ACol >= 0 && ARow >= 0 ? BaseCell(ACol, ARow) : TPoint(-1, -1);
    if (IsValidPoint(FLastHintPos) && FLastHintPos != Base) {
        Application->CancelHint();
        FLastHintPos = TPoint(-1, -1);
    }
    if (FBalloonSettings->Enable() && FLastBalloonPos.X >= -1 && FLastBalloonPos.Y >= -1 && Base != FLastBalloonPos) {
        if (FHToolTip)
            FHToolTip->SetVisible(false);
        FLastBalloonPos = TPoint(-1, -1);
    }
}

void TExStringGrid::SizingEventsAndHint(Integer X, Integer Y)
{
    const bool ColSizing = FGridState == gsColSizing || FSizingFixed;
    const bool RowSizing = FGridState == gsRowSizing || FSizingFixedR;
    if (!ColSizing && !RowSizing)
        return;
    TPoint Corner;
    Integer Size = 0;
    if (ColSizing) {
        Integer C = Colclicked, Rw = Rowclicked;
        if (C == -1) {
            C = ColCount() - 1;
            Rw = 0;
        }
        const TRect R = GetCellRectEx(C, std::max<Integer>(Rw, 0));
        Size = FSizingFixed ? FSizeFixedX : X - R.Left - Clickposdx;
        Corner = FSizingFixed ? GetCellRectEx(0, 0).TopLeft() : R.TopLeft();
        if (OnColumnSizing)
            OnColumnSizing(this, FSizingFixed ? 0 : Colclicked, Size);
    } else {
        Integer Rw = Rowclicked, C = Colclicked;
        if (Rw == -1) {
            Rw = RowCount() - 1;
            C = 0;
        }
        const TRect R = GetCellRectEx(std::max<Integer>(C, 0), Rw);
        Size = FSizingFixedR ? FSizeFixedY : Y - R.Top - Clickposdy;
        Corner = FSizingFixedR ? GetCellRectEx(0, 0).TopLeft() : R.TopLeft();
        if (OnRowSizing)
            OnRowSizing(this, FSizingFixedR ? 0 : Rowclicked, Size);
    }
    if (!IsDesigning() && !FHintShowSizing)
        return;
    const String Text = QStringLiteral("%1=<b>%2</b>").arg(ColSizing ? QStringLiteral("cw") : QStringLiteral("rh")).arg(Size);
    THTMLHintWindow* Window = ScrollHintWindow();
    TRect R = Window->CalcHintRect(SizingHintMaxWidth, Text, nullptr);
    Window->SetColor(FHintColor);
    const TPoint At = ClientToScreen(Corner);
    OffsetRect(R, At.X, At.Y);
    Window->ActivateHint(R, Text);
    FScrollHintShow = true;
}

// ---------------------------------------------------------------- leave and style

void TExStringGrid::CMMouseLeave(TMessage& Message)
{
    TBaseGrid::CMMouseLeave(Message);
    FMouseSelectMode = msNormal;
    FSizeFixed = false;
    FSizeFixedR = false;
    if (!FNoMouseLeave && FHoverFixedCells != hfNone && (FHoverFixedCell.X != -1 || FHoverFixedCell.Y != -1))
        RepaintIfFixedZone(std::exchange(FHoverFixedCell, TPoint(-1, -1)));
    if (FLook == glListView && IsValidPoint(FHotFixedCell))
        RepaintIfFixedZone(FHotFixedCell);
    if (FHoverRow && FHoverRowIdx != -1) {
        const Integer Old = std::exchange(FHoverRowIdx, -1);
        if (Old < RowCount())
            RepaintRow(Old);
    }
}

void TExStringGrid::CMStyleChanged(TMessage&)
{
    ApplyVCLStyleColors();
}
