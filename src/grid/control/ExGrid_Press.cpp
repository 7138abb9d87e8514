// The string grid: the left button press. One ordered decision tree; the
// first branch that applies acts and most end the press there. Only the
// last branches hand the press to the base grid, which runs MouseDown.
#include "grid/control/ExGrid.h"

#include "grid/control/ExGrid_Settings.h"

#include <cmath>

namespace {

bool InRect(const TRect& R, Integer X, Integer Y)
{
    return X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom;
}

} // namespace

// One press: the cell, its zone and the settings, step by step.
class TLeftPress {
public:
    TLeftPress(TExStringGrid& AGrid, TWMMouse& AMessage)
        : G(AGrid), Message(AMessage), X(AMessage.XPos), Y(AMessage.YPos),
          Keys(KeysToShiftState(AMessage.Keys))
    {
    }

    void Run();

private:
    // Each answers true when the press ends there.
    bool FillHandle();
    bool ClickAllowed();
    bool ResizeZone();
    void ResetState();
    void ClickedBorderCell();
    bool OutsideCells();
    bool FixedBorderSizing();
    bool FixedRowBorderSizing();
    void PushFixedCell();
    bool CellZones();
    bool NodeGlyph();
    bool OleDragCandidate();
    bool Rating();
    bool CellButton(bool Expand);
    void MergedPoint();
    bool DisjunctSelection();
    void HeaderSelections();
    bool CheckBoxOrRadio();
    void CheckAll(bool State);
    void PrepareDirectEdit();
    void BasePress();
    bool NearCellEdge() const;
    void DirectEdit();
    void RunBasePress();
    void Focus();
    void RaiseMouseDown(TShiftState Shift);
    void RaiseClickCell();
    bool IsNormalCell() const;
    bool InFixedRows(Integer R) const { return R < G.TBaseGrid::FixedRows(); }
    bool InFixedCols(Integer C) const { return C < G.TBaseGrid::FixedCols(); }
    TShiftState SingleShift() const;

    TExStringGrid& G;
    TWMMouse& Message;
    Integer X;
    Integer Y;
    TShiftState Keys;
    Integer ACol = -1;
    Integer ARow = -1;
    // The pressed cell before the merge correction.
    Integer PressedCol = -1;
    Integer PressedRow = -1;
    Integer RealCol = -1;
    TGridRect S0{};
    TRect CR{0, 0, 0, 0};
    bool FixedZone = false;
    bool CustomFixed = false;
    bool IsNodeRow = false;
    bool CanEdit = false;
    bool HasCombo = false;
    bool InCell = false;
    bool RestoreSelecting = false;
};

void TLeftPress::Run()
{
    G.FDoOnClick = G.FMouseDownMove = G.FMouseKeepDown = true;
    G.FSpinUpClick = G.FSpinDnClick = false;
    G.MouseToCell(X, Y, ACol, ARow);
    S0 = G.Selection();
    if (FillHandle())
        return;
    if (G.Options().Contains(goEditing) && G.FMouseActions->RangeSelectAndEdit() &&
        !(ACol >= S0.Left && ACol <= S0.Right && ARow >= S0.Top && ARow <= S0.Bottom))
        G.SetOptions(G.Options() - goEditing);
    if (!ClickAllowed())
        return;
    if (G.FCellSelectorMode) {
        G.CellSelectorClick(ACol, ARow);
        return;
    }
    if (ResizeZone())
        return;
    if (G.FMouseActions->DisjunctCellSelect() && !Keys.Contains(ssCtrl) && ACol >= 0 && ARow >= 0 &&
        !G.IsFixed(ACol, ARow)) {
        G.FSelectedCells->Clear();
        G.Invalidate();
    }
    ResetState();
    ClickedBorderCell();
    FixedZone = ACol >= 0 && ARow >= 0 && (InFixedRows(ARow) || InFixedCols(ACol));
    if (OutsideCells())
        return;
    PressedCol = ACol;
    PressedRow = ARow;
    const TPoint B = G.BaseCell(ACol, ARow);
    ACol = B.X;
    ARow = B.Y;
    CR = G.CellRect(ACol, ARow);
    if (G.FMouseActions->CaretPositioning())
        G.LButFlg = true;
    if (FixedBorderSizing() || FixedRowBorderSizing())
        return;
    if (FixedZone || G.IsFixed(ACol, ARow))
        G.HideInplaceEdit();
    CustomFixed = G.IsFixed(ACol, ARow) && !FixedZone;
    IsNodeRow = G.IsNode(ARow);
    PushFixedCell();
    RealCol = G.RealColIndex(ACol);
    if (CellZones() || Rating() || CellButton(false) || CellButton(true))
        return;
    MergedPoint();
    if (ACol >= G.ColCount() || ARow >= G.RowCount()) {
        RunBasePress();
        return;
    }
    const bool ClickedValid = G.Colclicked >= 0 && G.Rowclicked >= 0;
    const TRect Clicked = ClickedValid ? G.CellRect(G.Colclicked, G.Rowclicked) : TRect(0, 0, 0, 0);
    G.Clickposdx = X - Clicked.Right;
    G.Clickposdy = Y - Clicked.Bottom;
    if (DisjunctSelection())
        return;
    if (G.LinkPress(ACol, RealCol, ARow, PressedCol, PressedRow, X, Y))
        return;
    HeaderSelections();
    G.Movecell = -1;
    if (InFixedRows(ARow) && !InFixedCols(ACol))
        G.Movecell = ACol;
    else if (InFixedCols(ACol) && !InFixedRows(ARow))
        G.Movecell = ARow;
    G.MoveOfsX = X - CR.Left;
    G.MoveOfsY = Y - CR.Top;
    // The cell's answer only narrows: a column grid answers from its items
    // alone, and without editing no press edits.
    const bool Editing = G.Options().Contains(goEditing) || G.FMouseActions->RangeSelectAndEdit();
    CanEdit = Editing;
    G.CanEditCell(RealCol, ARow, CanEdit);
    CanEdit = CanEdit && Editing;
    if (CheckBoxOrRadio())
        return;
    PrepareDirectEdit();
    if (CustomFixed) {
        const bool FooterRow = G.FFloatingFooter->Visible() &&
                               G.FFloatingFooter->FooterStyle() == fsFixedLastRow && ARow == G.RowCount() - 1;
        if (!FooterRow)
            RaiseClickCell();
        return;
    }
    BasePress();
    if (!(InFixedRows(ARow) && G.Options().Contains(goColSizing) && NearCellEdge()))
        RaiseClickCell();
    if (G.OnCellValidate) {
        G.FEntered = false;
        G.StoreOldCellText(G.Col(), G.Row());
    }
    if (G.IsMergedCell(ACol, ARow) && !G.IsFixed(ACol, ARow) && (InCell || G.FMouseActions->DirectEdit()) && CanEdit)
        G.ShowInplaceEdit();
    if (NearCellEdge())
        return;
    DirectEdit();
    if (RestoreSelecting)
        G.FGridState = gsSelecting;
}

TShiftState TLeftPress::SingleShift() const
{
    if (Keys.Contains(ssAlt))
        return TShiftState{ssAlt};
    if (Keys.Contains(ssShift))
        return TShiftState{ssShift};
    if (Keys.Contains(ssCtrl))
        return TShiftState{ssCtrl};
    return {};
}

void TLeftPress::Focus()
{
    if (G.CanFocus())
        G.SetFocus();
}

void TLeftPress::RaiseMouseDown(TShiftState Shift)
{
    if (G.OnMouseDown)
        G.OnMouseDown(&G, mbLeft, Shift, X, Y);
}

void TLeftPress::RaiseClickCell()
{
    if (G.OnClickCell)
        G.OnClickCell(&G, ARow, ACol);
}

bool TLeftPress::IsNormalCell() const
{
    return !InFixedRows(ARow) && !InFixedCols(ACol);
}

void TLeftPress::RunBasePress()
{
    G.TBaseGrid::WMLButtonDown(Message);
}

// Steps 2 and 6: the selection's fill handle, by position or by the select
// zone the last movement found.
bool TLeftPress::FillHandle()
{
    if (!G.FSelectionResizer || !G.FSelectionRectangle)
        return false;
    TRect H = G.CellRect(S0.Right, S0.Bottom);
    H.Top = H.Bottom - 6;
    if (G.BiDiMode() != bdLeftToRight)
        H.Right = H.Left + 6;
    else
        H.Left = H.Right - 6;
    if (!InRect(H, X, Y))
        return false;
    const bool EditingOff = !G.Options().Contains(goEditing) && !G.FMouseActions->RangeSelectAndEdit();
    G.FGridState = gsSelecting;
    G.FDropSelection = S0;
    G.CopySelectionToClipboard();
    G.FMouseResize = true;
    const Integer OldCol = G.Col();
    const Integer OldRow = G.Row();
    if (EditingOff)
        RunBasePress();
    G.SetSelection(S0);
    G.SetCol(OldCol);
    G.SetRow(OldRow);
    G.MouseMove({}, X, Y);
    Message.Result = 1;
    return true;
}

bool TLeftPress::ClickAllowed()
{
    bool Allow = true;
    if (G.OnCanClickCell)
        G.OnCanClickCell(&G, ARow, ACol, Allow);
    return Allow;
}

bool TLeftPress::ResizeZone()
{
    if (G.FMouseSelectMode != msResize)
        return false;
    G.FGridState = gsSelecting;
    G.FDropSelection = S0;
    G.CopySelectionToClipboard();
    G.FMouseResize = true;
    const Integer OldCol = G.Col();
    const Integer OldRow = G.Row();
    if (!G.Options().Contains(goEditing))
        RunBasePress();
    G.SetSelection(S0);
    G.SetCol(OldCol);
    G.SetRow(OldRow);
    G.MouseMove({}, X, Y);
    return true;
}

void TLeftPress::ResetState()
{
    G.SearchInc.clear();
    G.FMoveColInd = G.FMoveRowInd = -1;
    G.FSelectionClick = false;
    G.FPushedCellButton = TPoint(-1, -1);
    G.FOldTopRow = G.TopRow();
    G.FOldKeepLeftCol = G.LeftCol();
}

// The cell whose border the press may drag lies a few pixels left and above.
void TLeftPress::ClickedBorderCell()
{
    if (ARow == 0)
        G.MouseToCell(X - 5, Y, G.Colclicked, G.Rowclicked);
    else if (ACol == 0)
        G.MouseToCell(X, Y - 4, G.Colclicked, G.Rowclicked);
    else
        G.MouseToCell(X - 5, Y - 4, G.Colclicked, G.Rowclicked);
    if (G.Colclicked >= 0 && G.Rowclicked >= 0) {
        G.Colclickedsize = G.ColWidths(G.Colclicked);
        G.Rowclickedsize = G.RowHeights(G.Rowclicked);
    }
    G.Clickposx = X;
    G.Clickposy = Y;
}

bool TLeftPress::OutsideCells()
{
    if (ACol >= 0 && ARow >= 0)
        return false;
    G.HideInplaceEdit();
    if (!G.FFixedRowAlways)
        RunBasePress();
    return true;
}

namespace {

// The last fixed line whose far border lies within 2 pixels of Pos, or
// Found when none does.
template <class TSizeOf>
Integer FixedLineEndingAt(Integer Pos, Integer Count, TSizeOf SizeOf, Integer Found)
{
    Integer Sum = 0;
    for (Integer I = 0; I < Count; ++I) {
        if (std::abs(Sum + SizeOf(I) - Pos) < 3)
            Found = I;
        Sum += SizeOf(I) + 1;
    }
    return Found;
}

} // namespace

// The press is on a fixed column's border: the release sets its width.
bool TLeftPress::FixedBorderSizing()
{
    if (!G.FSizeFixed)
        return false;
    G.FSizingFixed = true;
    G.FSizeFixedX = X;
    G.DrawColumnMoveLine(X);
    if (!G.IsDesigning())
        G.FSizingFixedCol = FixedLineEndingAt(X, G.TBaseGrid::FixedCols(), [this](Integer I) { return G.ColWidths(I); },
                                              G.FSizingFixedCol);
    return true;
}

bool TLeftPress::FixedRowBorderSizing()
{
    if (!G.FSizeFixedR)
        return false;
    G.FSizingFixedR = true;
    G.FSizeFixedY = Y;
    G.DrawRowMoveLine(Y);
    if (!G.IsDesigning())
        G.FSizingFixedRow = FixedLineEndingAt(Y, G.TBaseGrid::FixedRows(), [this](Integer I) { return G.RowHeights(I); },
                                              G.FSizingFixedRow);
    return true;
}

// Fixed cells pressed like buttons are painted sunken until the release.
void TLeftPress::PushFixedCell()
{
    const TGridOptions O = G.Options();
    if (!(FixedZone || CustomFixed) || !G.FFixedAsButtons || !O.Contains(goFixedVertLine) ||
        !O.Contains(goFixedHorzLine) || !G.Ctl3D() || (IsNodeRow && G.IsInNodeGlyph(ARow, X)))
        return;
    G.FPushedFixedCell = CR;
    G.FPushedCellButton = TPoint(ACol, ARow);
    G.FFixedCellPushed = true;
    G.InvalidateClientRect(CR);
    IsNodeRow = false;
}

// Step 18: spin buttons, node glyphs, radio groups and the OLE drag start.
bool TLeftPress::CellZones()
{
    if (G.IsDesigning())
        return false;
    if (G.FControlLook->SpinButtonsAlwaysVisible() && G.HasSpinEdit(RealCol, ARow) && X > CR.Right - 18) {
        if (Y > CR.Top + (CR.Bottom - CR.Top) / 2)
            G.FSpinDnClick = true;
        else
            G.FSpinUpClick = true;
    }
    if (ACol == 0 && IsNodeRow && InFixedRows(ARow) && G.FMouseActions->NodeAllExpandContract() &&
        G.IsInNodeGlyph(ARow, X)) {
        TCellGraphic* Node = G.GetCellGraphic(0, ARow);
        if (Node->CellBoolean())
            G.ExpandAll();
        else
            G.ContractAll();
        Node->SetCellBoolean(!Node->CellBoolean());
    }
    if (NodeGlyph())
        return true;
    if (G.IsRadio(RealCol, ARow) && (G.IsEditable(RealCol, ARow) || G.FControlLook->RadioAlwaysActive())) {
        G.HideInplaceEdit();
        G.ClickRadioGroup(RealCol, ARow, X - CR.Left, Y - CR.Top);
        Focus();
        return true;
    }
    if (ACol == 0 && !InFixedRows(ARow) && G.FNumNodes > 0 && !G.FMouseActions->RowSelect() &&
        !G.Options().Contains(goRowSizing)) {
        RaiseMouseDown(SingleShift());
        RaiseClickCell();
        return true;
    }
    return OleDragCandidate();
}

bool TLeftPress::NodeGlyph()
{
    if (ACol != 0 || !IsNodeRow || InFixedRows(ARow) || !G.IsInNodeGlyph(ARow, X))
        return false;
    RaiseMouseDown(SingleShift());
    RaiseClickCell();
    const Integer RealRow = G.RealRowIndex(ARow);
    bool Allow = true;
    if (G.GetNodeState(ARow)) {
        if (G.OnBeforeExpandNode)
            G.OnBeforeExpandNode(&G, ARow, RealRow, Allow);
        if (Allow) {
            G.ExpandNode(RealRow);
            if (G.OnExpandNode)
                G.OnExpandNode(&G, ARow, RealRow);
        }
    } else {
        if (G.OnBeforeContractNode)
            G.OnBeforeContractNode(&G, ARow, RealRow, Allow);
        if (Allow) {
            G.ContractNode(RealRow);
            if (G.OnContractNode)
                G.OnContractNode(&G, ARow, RealRow);
        }
    }
    if (G.FMouseActions->MoveRowOnNodeClick())
        G.SetRow(ARow);
    return true;
}

// A press on the selection may start an OLE drag once the pointer moves.
bool TLeftPress::OleDragCandidate()
{
    const bool Selected = G.IsSelected(ACol, ARow) || (InFixedRows(ARow) && !G.FEnhRowColMove);
    if (!Selected || G.Options().Contains(goEditing) || G.HasButton(RealCol, ARow) || G.HasCheckBox(RealCol, ARow) ||
        !G.FDragDropSettings->OleDropSource() || InFixedCols(ACol))
        return false;
    if (InFixedRows(ARow) && (G.FMouseActions->ColSelect() || G.FMouseActions->AllSelect()))
        return false;
    const bool Inside = X >= CR.Left + 4 && X <= CR.Right - 4;
    if (G.Options().Contains(goColSizing) && !Inside)
        return false;
    Focus();
    RaiseMouseDown(SingleShift());
    G.FSelectionClick = true;
    RaiseClickCell();
    return true;
}

bool TLeftPress::Rating()
{
    if (!G.HasRating(RealCol, ARow) || !G.IsEditable(RealCol, ARow))
        return false;
    G.HideInplaceEdit();
    Double V = std::trunc(Double(X - CR.Left) / 9) / 2;
    bool Allow = true;
    G.DoRatingChange(RealCol, ARow, V, Allow);
    if (Allow) {
        G.SetFloats(RealCol, ARow, V);
        G.RepaintCell(ACol, ARow);
    }
    return true;
}

// Steps 20 and 21: a press on a cell's button or expand button pushes it.
bool TLeftPress::CellButton(bool Expand)
{
    if (Expand ? !G.HasExpand(RealCol, ARow) : !G.HasButton(RealCol, ARow))
        return false;
    G.HideInplaceEdit();
    if (!G.IsFixed(ACol, ARow)) {
        G.FForceSel = true;
        G.SelectCell(ACol, ARow);
        G.FForceSel = false;
    }
    const TRect R = Expand ? G.GetExpandRect(ACol, ARow) : G.GetButtonRect(ACol, ARow);
    if (!InRect(R, X, Y))
        return false;
    // The pointer stays with the grid until the release (the platform's grab).
    G.PushButton(ACol, ARow, true);
    G.FPushedCellButton = TPoint(ACol, ARow);
    RaiseClickCell();
    return true;
}

// The base press of a merged area selects its base cell.
void TLeftPress::MergedPoint()
{
    if (!G.IsMergedCell(ACol, ARow) || G.IsFixed(ACol, ARow) || G.OnMouseDown)
        return;
    Message.XPos = SmallInt(CR.Left + 2);
    Message.YPos = SmallInt(CR.Top + 2);
}

bool TLeftPress::DisjunctSelection()
{
    TMouseActions* MA = G.FMouseActions.get();
    if (MA->DisjunctRowSelect() && !InFixedRows(ARow) && !(ACol == 0 && MA->HotmailRowSelect())) {
        if (Keys.Contains(ssShift)) {
            RunBasePress();
            // Not ordered: the anchor stays at the old selection's corner.
            G.SetSelection(TGridRect{ACol, ARow, S0.Left, S0.Top});
            return true;
        }
        if (Keys.Contains(ssCtrl) || MA->DisjunctRowSelectNoCtrl()) {
            const Integer R = MA->RowSelectPersistent() ? G.RealRowIndex(ARow) : ARow;
            if (G.RowSelect(R))
                G.FDeselectState = true;
        } else {
            G.FMouseDown = true;
            if (!Keys.Contains(ssAlt))
                G.ClearRowSelect();
        }
    }
    if (MA->DisjunctColSelect() && !InFixedCols(ACol)) {
        if (Keys.Contains(ssCtrl)) {
            if (G.ColSelect(ACol))
                G.FDeselectState = true;
        } else {
            G.FMouseDown = true;
            G.ClearColSelect();
        }
    }
    return false;
}

// Steps 26 to 28: the fixed corner selects all, a fixed column whole rows,
// a fixed row whole columns.
void TLeftPress::HeaderSelections()
{
    TMouseActions* MA = G.FMouseActions.get();
    const bool Range = G.Options().Contains(goRangeSelect);
    const Integer FC = G.TBaseGrid::FixedCols();
    const Integer FR = G.TBaseGrid::FixedRows();
    const TGridRect Old = G.Selection();
    auto Repaint = [this] {
        if (G.FActiveCellShow)
            G.Invalidate();
    };
    if (InFixedCols(ACol) && InFixedRows(ARow) && MA->AllSelect() && Range && G.FMouseSelectMode == msAll) {
        Focus();
        G.ExportNotification(esExportStart, -1);
        G.ExportNotification(esExportNextRow, G.RowCount() - 1);
        G.ExportNotification(esExportDone, -1);
        G.HideSelection();
        TGridRect R{FC, FR, G.ColCount() - 1, G.RowCount() - 1};
        G.DoSelectAllRect(R);
        G.SetSelection(R);
        G.FSelHidden = false;
        G.DoExit();
        Repaint();
    }
    if (InFixedCols(ACol) && !InFixedRows(ARow) && MA->RowSelect() && Range && G.FMouseSelectMode == msRow) {
        if (G.EditorMode())
            Focus();
        G.HideSelection();
        if (MA->DisjunctCellSelect())
            G.FSelectedCells->Clear();
        const Integer Anchor = Keys.Contains(ssShift) ? Old.Top : ARow;
        G.SetSelection(TGridRect{FC, ARow, G.ColCount() - 1, Anchor});
        G.FSelHidden = false;
        G.DoExit();
        G.FMouseSelectStart = ARow;
        Repaint();
        if (G.FRowIndicator->Empty())
            G.InvalidateCol(0);
    }
    if (InFixedRows(ARow) && !InFixedCols(ACol) && MA->ColSelect() && Range && G.FMouseSelectMode == msColumn) {
        Focus();
        G.HideSelection();
        if (MA->DisjunctCellSelect())
            G.FSelectedCells->Clear();
        TGridRect R{ACol, FR, ACol, G.RowCount() - 1};
        if (Keys.Contains(ssShift)) {
            if (ACol < Old.Left)
                R.Right = Old.Right;
            else
                R.Left = Old.Left;
        }
        G.SetSelection(R);
        G.FSelHidden = false;
        G.DoExit();
        G.FMouseSelectStart = ACol;
        Repaint();
    }
}

// Step 31: check boxes and radio buttons react to a press anywhere in the
// cell (unless precise) when the cell may be edited or they are always active.
bool TLeftPress::CheckBoxOrRadio()
{
    TMouseActions* MA = G.FMouseActions.get();
    const bool IsRadioButton = G.HasRadioButton(RealCol, ARow);
    const bool Active = CanEdit || G.FControlLook->CheckAlwaysActive() || (ACol == 0 && MA->HotmailRowSelect());
    if (!Active || !(G.HasCheckBox(RealCol, ARow) || IsRadioButton) || !G.IsInCheckBox(RealCol, ARow, X, Y))
        return false;
    G.HideInplaceEdit();
    Focus();
    const Integer RealRow = G.RealRowIndex(ARow);
    if (IsRadioButton) {
        G.DoRadioButtonClick(RealCol, ARow, true);
        if (G.OnRadioButtonClick)
            G.OnRadioButtonClick(&G, RealCol, ARow, G.IsRadioButtonChecked(RealCol, ARow));
    } else {
        G.DoToggleCheckBox(RealCol, ARow, true);
    }
    if (G.FShowModified->Enabled()) {
        G.SetRowModified(ARow, true);
        G.RepaintCell(0, ARow);
    }
    if (ACol == 0 && MA->HotmailRowSelect()) {
        G.SetSelection(TGridRect{G.TBaseGrid::FixedCols(), ARow, G.ColCount() - 1, ARow});
        G.SetRowSelect(RealRow, !G.RowSelect(RealRow));
        if (RealRow != ARow)
            G.RepaintCell(0, ARow);
        if (ARow == G.Row() && !G.RowSelect(RealRow)) {
            G.HideSelection();
            G.FSelHidden = false;
        }
    }
    bool State = false;
    G.GetCheckBoxState(RealCol, ARow, State);
    if (!G.FNavigation->AlwaysEdit() && IsNormalCell())
        G.MoveColRow(ACol, ARow, true, true);
    G.DoCheckBoxClick(ACol, ARow, State);
    if (G.FHideFocusRect)
        G.RepaintCell(ACol, ARow);
    if (InFixedRows(ARow) && MA->CheckAllCheck())
        CheckAll(State);
    RaiseMouseDown(Keys);
    G.Click();
    return true;
}

void TLeftPress::CheckAll(bool State)
{
    for (Integer R = G.TBaseGrid::FixedRows(); R < G.RowCount(); ++R) {
        if (G.FMouseActions->HotmailRowSelect())
            G.SetRowSelect(G.RealRowIndex(R), State);
        else
            G.SetCheckBoxState(G.RealColIndex(ACol), R, State);
    }
    G.Invalidate();
}

// Steps 32 and 33.
void TLeftPress::PrepareDirectEdit()
{
    TMouseActions* MA = G.FMouseActions.get();
    HasCombo = IsNormalCell() && G.FControlLook->DropDownAlwaysVisible() && G.HasComboBox(RealCol, ARow);
    const bool MayEdit = CanEdit || (MA->EditOnDblClickOnly() && HasCombo);
    const bool Direct = MA->DirectEdit() || (G.FControlLook->DropDownAlwaysVisible() && HasCombo);
    if (IsNormalCell() && MayEdit && Direct) {
        if (MA->EditOnDblClickOnly() && HasCombo)
            G.FEditActive = false;
        G.HideInplaceEdit();
        Focus();
    }
    const TGridRect Sel = G.Selection();
    InCell = InRect(CR, X, Y) && Sel == TGridRect{ACol, ARow, ACol, ARow};
    if (!InCell && MA->RangeSelectAndEdit() && !G.IsFixed(ACol, ARow) && !CanEdit) {
        RestoreSelecting = true;
        G.SetOptions(G.Options() - goEditing);
    }
}

// Step 35: the base press, held from scrolling where the settings ask.
void TLeftPress::BasePress()
{
    const bool Partial = ARow == G.TopRow() + G.VisibleRowCount() || ACol == G.LeftCol() + G.VisibleColCount() ||
                         (ACol == G.LeftCol() && G.LeftCol() > G.TBaseGrid::FixedCols());
    const bool KeepLeft = G.Options().Contains(goRowSelect) && G.FNavigation->KeepHorizScroll();
    const Integer OldLeft = G.LeftCol();
    const Integer OldTop = G.TopRow();
    if (KeepLeft)
        G.BeginUpdate();
    const bool AlwaysEdit = G.FNavigation->AlwaysEdit();
    if (!G.FSelHidden)
        G.FNavigation->SetAlwaysEdit(false);
    RunBasePress();
    G.FNavigation->SetAlwaysEdit(AlwaysEdit);
    if (G.FGridState == gsSelecting && Partial && G.FMouseActions->NoAutoRangeScroll())
        G.FGridState = gsNormal;
    if (G.TopRow() != OldTop && G.FMouseActions->NoScrollOnPartialRow()) {
        G.SetTopRow(OldTop);
        SendMessage(G.Handle(), WM_LBUTTONUP, Message.Keys,
                    LPARAM(Word(Message.XPos)) | (LPARAM(Word(Message.YPos)) << 16));
    }
    if (KeepLeft) {
        G.SetLeftCol(OldLeft);
        G.EndUpdate();
    }
}

bool TLeftPress::NearCellEdge() const
{
    return std::abs(X - CR.Left) <= 4 || std::abs(X - CR.Right) <= 4;
}

// Step 40: a single press opens the editor with DirectEdit.
void TLeftPress::DirectEdit()
{
    TMouseActions* MA = G.FMouseActions.get();
    const bool MayEdit = CanEdit || (MA->EditOnDblClickOnly() && HasCombo);
    const bool Direct = MA->DirectEdit() || (G.FControlLook->DropDownAlwaysVisible() && HasCombo);
    if (!IsNormalCell() || !MayEdit || !Direct || G.IsClickControlCell(RealCol, ARow))
        return;
    if (MA->EditOnDblClickOnly() && HasCombo && !G.Options().Contains(goEditing)) {
        G.SetOptions(G.Options() + goEditing);
        Focus();
    }
    bool Allow = true;
    const Integer OldRow = G.Row();
    const Integer OldCol = G.Col();
    if (OldRow != ARow && G.OnRowChanging)
        G.OnRowChanging(&G, OldRow, ARow, Allow);
    if (OldCol != ACol && G.OnColChanging)
        G.OnColChanging(&G, OldCol, ACol, Allow);
    if ((OldRow != ARow || OldCol != ACol) && G.OnCellChanging)
        G.OnCellChanging(&G, OldRow, OldCol, ARow, ACol, Allow);
    if (!Allow)
        return;
    const bool PressedIsBase = G.IsBaseCell(PressedCol, PressedRow);
    const Integer C = PressedIsBase ? PressedCol : ACol;
    const Integer R = PressedIsBase ? PressedRow : ARow;
    G.SetSelection(TGridRect{C, R, C, R});
    G.StoreOldCellText(C, R);
    G.ShowEditor();
}

void TExStringGrid::WMLButtonDown(TWMMouse& Message)
{
    TLeftPress(*this, Message).Run();
}

void TExStringGrid::DoSelectAllRect(TGridRect&) {}

// ---------------------------------------------------------------- radio groups

void TExStringGrid::ClickRadioGroup(Integer ACol, Integer ARow, Integer XOffset, Integer YOffset)
{
    const TPoint B = BaseCell(ACol, ARow);
    TCellGraphic* Gr = RadioGroup(B.X, B.Y);
    TStrings* Options = GetRadioStrings(B.X, B.Y);
    if (!Gr || !Options)
        return;
    GetCellColor(B.X, B.Y, TGridDrawState(), Canvas()->Brush(), Canvas()->Font());
    const Integer DC = DisplColIndex(B.X);
    if (!IsFixed(B.X, B.Y)) {
        SetCol(DC);
        SetRow(B.Y);
    }
    const TGridControlStyle Style = FControlLook->ControlStyle();
    const Integer Spacing = Style == csClassic || Style == csFlat ? FControlLook->RadioSize() : 16;
    const bool SideBySide = Gr->CellBoolean();
    const Integer Step = std::max<Integer>(Spacing, Canvas()->TextHeight(QStringLiteral("gh")));
    const Integer Offset = SideBySide ? XOffset : YOffset;
    Integer Sum = 0;
    for (Integer I = 0; I < Options->Count(); ++I) {
        const Integer Prev = Sum;
        Sum += SideBySide ? Canvas()->TextWidth(Options->Strings(I)) + Spacing : Step;
        if (Prev < Offset && Offset < Sum) {
            if (Gr->CellIndex() == -1)
                SetCells(B.X, B.Y, Options->Strings(I));
            else
                Gr->SetCellIndex(I);
            // Written again unchanged: the change notification and the repaint.
            SetCells(B.X, B.Y, Cells(B.X, B.Y));
            SetRadioIdx(B.X, B.Y, I);
            if (OnRadioClick)
                OnRadioClick(this, DC, B.Y, I);
            return;
        }
    }
}

void TExStringGrid::DoCheckBoxClick(Integer ACol, Integer ARow, bool State)
{
    if (OnCheckBoxClick)
        OnCheckBoxClick(this, ACol, ARow, State);
}
