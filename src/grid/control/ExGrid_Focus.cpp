// The string grid gaining and losing the focus, following its window's size
// (synchronised and stretched columns), refusing sizes through its events,
// reacting to scrolling and zooming all widths and heights at once.
#include "grid/control/ExGrid.h"

#include "grid/control/ExGrid_Editors.h"
#include "grid/control/ExGrid_RichEdit.h"
#include "grid/control/ExGrid_Settings.h"

#include <cmath>

namespace {

constexpr Integer ZoomLimit = 10;
// The sizing events look at the cell this far left of and above the pointer.
constexpr Integer SizingLookBack = 6;

} // namespace

// ---------------------------------------------------------------- focus

void TExStringGrid::DoEnter()
{
    if (FBlockFocus)
        return;
    // The current cell is not selected again on entry: that set the editing
    // state from the cell the focus arrives on before a click or FocusCell
    // moved on, and edits of the column grids then reached the wrong field.
    try {
        TBaseGrid::DoEnter();
    } catch (...) {
        StoreOldCellText(Col(), Row());
        throw;
    }
    StoreOldCellText(Col(), Row());
}

void TExStringGrid::DoExit()
{
    if (FBlockKill)
        return;
    if (FSelChange && FMouseActions->DisjunctRowSelect())
        SelectionToRowSelect(false);
    FSelChange = false;
    TBaseGrid::DoExit();
}

bool TExStringGrid::FocusCellInView()
{
    return Col() >= LeftCol() && Col() <= LeftCol() + VisibleColCount() && Row() >= TopRow() &&
           Row() <= TopRow() + VisibleRowCount();
}

void TExStringGrid::WMSetFocus(TMessage& Message)
{
    if (InvokedFocusChange)
        return;
    TBaseGrid::WMSetFocus(Message);
    const Integer RealCol = RealColIndex(Col());
    if (HasCheckBox(RealCol, Row()))
        return;
    if (FInplaceRichEdit && FInplaceRichEdit->Visible())
        HideInplaceEdit();
    const bool Moving = FGridState == gsRowMoving || FGridState == gsColMoving;
    // The open point of the design: the question starts from an editable
    // cell, so only the cell's own answer keeps the editor closed.
    bool CanEdit = true;
    if (TInplaceEdit* Editor = InplaceEditor()) {
        const bool FromEditor = Message.WParam != 0 && reinterpret_cast<HWND>(Message.WParam) == Editor->Handle();
        if (!FromEditor && !Moving && FNavigation->AlwaysEdit() && QueryCellEditor(RealCol, Row()) == edNormal) {
            CanEditCell(RealCol, Row(), CanEdit);
            if (FocusCellInView() && CanEdit) {
                ShowInplaceEdit();
                Message.Result = 0;
                return;
            }
        }
    } else if (FNavigation->AlwaysEdit()) {
        CanEditCell(RealCol, Row(), CanEdit);
        if (FocusCellInView() && CanEdit && !FMouseActions->DirectEdit() &&
            !FControlLook->DropDownAlwaysVisible() && HasComboBox(RealCol, Row()))
            ShowInplaceEdit();
    }
    if (IsMergedCell(Col(), Row()))
        RepaintCell(Col(), Row());
}

void TExStringGrid::WMKillFocus(TMessage& Message)
{
    if (FBlockKill) {
        Message.Result = 1;
        return;
    }
    TBaseGrid::WMKillFocus(Message);
    if (IsMergedCell(Col(), Row()))
        RepaintCell(Col(), Row());
    if (FCtrlDown) {
        FCtrlDown = false;
        RepaintCell(DisplColIndex(FCtrlXY.X), FCtrlXY.Y);
    }
}

// ---------------------------------------------------------------- sizing

void TExStringGrid::InitOrigColSizes()
{
    FOrigColSizes->Clear();
    for (Integer C = 0; C < ColCount(); ++C)
        FOrigColSizes->Add(ColWidths(C));
    FOldSize = Width();
}

void TExStringGrid::SetIntegralHeight(bool Value)
{
    FIntegralHeight = Value;
    SetBounds(Left(), Top(), Width(), Height());
}

void TExStringGrid::SynchColumnWidths(Integer W)
{
    HideInplaceEdit();
    const Double F = BorderStyle() == bsSingle ? Double(W + 2) / FOldSize : Double(W) / FOldSize;
    const bool NormalOnly = FColumnSize->SynchNormalCellsOnly();
    const Integer First = NormalOnly ? TBaseGrid::FixedCols() : 0;
    const Integer Last = NormalOnly ? ColCount() - FFixedRightCols - 1 : ColCount() - 1;
    for (Integer C = First; C <= Last; ++C)
        if (C < FOrigColSizes->Count())
            // Halves go to the even width.
            SetColWidths(C, Integer(std::nearbyint(FOrigColSizes->Items(C) * F)));
}

bool TExStringGrid::StretchOnSize()
{
    if (!FColumnSize->Stretch() || (FScrollBarAlways != saNone && FScrollBarAlways != saVert))
        return false;
    Integer S = FColumnSize->StretchColumn();
    if (S == -1)
        S = ColCount() - 1;
    Integer Sum = 0;
    for (Integer C = 0; C < ColCount(); ++C)
        if (C != S)
            Sum += ColWidths(C);
    bool Stretched = false;
    if (Sum < Width()) {
        StretchColumn(FColumnSize->StretchColumn());
        Stretched = true;
    }
    if (FScrollBarAlways != saNone || S < 0 || S >= ColCount())
        return Stretched;
    const TScrollStyle Bars = ScrollBars();
    if (Bars == ssHorizontal || Bars == ssBoth)
        ShowScrollBar(SB_HORZ, ClientWidth() < Sum + ColWidths(S));
    if (Bars == ssVertical || Bars == ssBoth)
        ShowScrollBar(SB_VERT, VisibleRowCount() < RowCount() - TBaseGrid::FixedRows());
    return Stretched;
}

void TExStringGrid::UpdateBarsAfterSize()
{
    // The runtime has no flat scroll bars; only the window's bars remain.
    FDisableSize = true;
    const TScrollStyle Bars = ScrollBars();
    if (Bars != ssHorizontal && Bars != ssBoth)
        ShowScrollBar(SB_HORZ, false);
    if (Bars != ssVertical && Bars != ssBoth)
        ShowScrollBar(SB_VERT, false);
    FDisableSize = false;
}

void TExStringGrid::WMSize(TWMSize& Message)
{
    if (FSearchFooter->Visible() && FSearchPanel) {
        // Two heights re-lay the panel out.
        FSearchPanel->SetHeight(33);
        FSearchPanel->SetHeight(32);
        FSearchPanel->SetAlign(alBottom);
    }
    if (!FColumnSize) {
        TBaseGrid::WMSize(Message);
        return;
    }
    if (FOldSize > 0 && FColumnSize->SynchWithGrid())
        SynchColumnWidths(Message.Width);
    const bool Stretched = StretchOnSize();
    if (Stretched && FScrollBarAlways == saNone) {
        if (OnGridResize)
            OnGridResize(this);
        return;
    }
    TBaseGrid::WMSize(Message);
    if (FScrollProportional) {
        UpdateVScrollProportional();
        UpdateHScrollProportional();
    }
    if (Stretched || FDisableSize)
        return;
    UpdateBarsAfterSize();
}

void TExStringGrid::CalcSizingState(Integer X, Integer Y, TGridState& State, Integer& Index, Integer& SizingPos,
                                    Integer& SizingOfs)
{
    TBaseGrid::CalcSizingState(X, Y, State, Index, SizingPos, SizingOfs);
    Integer ACol = -1;
    Integer ARow = -1;
    MouseToCell(X - SizingLookBack, Y, ACol, ARow);
    if (ARow >= 0 && ARow < TBaseGrid::FixedRows() && ACol >= 0) {
        bool Allow = true;
        if (OnColumnSize)
            OnColumnSize(this, ACol, Allow);
        if (!Allow) {
            State = gsNormal;
            FSizeFixed = false;
        }
    }
    MouseToCell(X, Y - SizingLookBack, ACol, ARow);
    if (ACol >= 0 && ACol < TBaseGrid::FixedCols() && ARow >= 0) {
        bool Allow = true;
        if (OnRowSize)
            OnRowSize(this, ARow, Allow);
        if (!Allow)
            State = gsNormal;
    }
}

// ---------------------------------------------------------------- scrolling

void TExStringGrid::TopLeftChanged()
{
    TBaseGrid::TopLeftChanged();
    // The runtime repaints the whole client area after a scroll, so a fixed
    // background picture needs no repaint of its own.
    if (FSelectionRectangle && Selection().Bottom > Selection().Top)
        Invalidate();
    const TBackGroundDisplay Display = FBackGround->Display();
    if (Display == bdTile || ((Display == bdGradientHorz || Display == bdGradientVert) && FBackGround->ColorTo() != clNone))
        Invalidate();
    if (FEditMode && FEditControlType != edNormal)
        HideInplaceEdit();
    UpdateFooter();
    CellControlsUpdate(false);
    FOldLeftCol = LeftCol();
    FOldTopRow = TopRow();
    if (IsDesigning())
        Invalidate();
    if (TStringGrid* Synced = FSyncGrid->Grid()) {
        if (FSyncGrid->ScrollVertical())
            Synced->SetTopRow(TopRow());
        if (FSyncGrid->ScrollHorizontal())
            Synced->SetLeftCol(LeftCol());
    }
    if (vscrlctrl)
        vscrlctrl->Invalidate();
    if (hscrlctrl)
        hscrlctrl->Invalidate();
}

// ---------------------------------------------------------------- zoom

void TExStringGrid::Zoom(Integer x)
{
    if (FZoomFactor + x > ZoomLimit || FZoomFactor + x < -ZoomLimit)
        return;
    FScrollLock = true;
    FZoomFactor += x;
    for (Integer C = 0; C < ColCount(); ++C)
        if (ColWidths(C) > 0 && ColWidths(C) + x > 0)
            SetColWidths(C, ColWidths(C) + x);
    for (Integer R = 0; R < RowCount(); ++R)
        if (RowHeights(R) > 0 && RowHeights(R) + x > 0)
            SetRowHeights(R, RowHeights(R) + x);
    FScrollLock = false;
    if (FScrollProportional) {
        UpdateVScrollProportional();
        UpdateHScrollProportional();
    }
}
