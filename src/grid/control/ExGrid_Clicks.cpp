// The string grid: double click, right button, the press hook that every
// base press runs, and the editors of fixed cells.
#include "grid/control/ExGrid.h"

#include "grid/control/ExGrid_Editors.h"
#include "grid/control/ExGrid_Settings.h"
#include "rtl/Forms.h"

#include <QEventLoop>
#include <QMenu>

#include <cstdlib>

namespace {

bool InRect(const TRect& R, Integer X, Integer Y)
{
    return X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom;
}

// The grid's own row or column move shows one of these cursors.
bool OwnMoveCursor()
{
    return Screen->Cursor() == crDrag || Screen->Cursor() == crNoDrop;
}

} // namespace

// ---------------------------------------------------------------- double click

void TExStringGrid::WMLButtonDblClk(TWMMouse& Message)
{
    const Integer X = Message.XPos;
    const Integer Y = Message.YPos;
    Integer ACol = -1;
    Integer ARow = -1;
    MouseToCell(X, Y, ACol, ARow);
    if (FMouseActions->RangeSelectAndEdit() && !IsClickControlCell(RealColIndex(ACol), ARow))
        FForceSel = true;
    if (ACol == -1) {
        if (FFixedRowAlways) {
            TBaseGrid::WMLButtonDblClk(Message);
            FForceSel = false;
            return;
        }
        ACol = ColCount() - 1;
        ARow = 0;
    }
    if (FitColumnOnBorder(Message, ACol, ARow))
        return;
    const Integer RealCol = RealColIndex(ACol);
    const TPoint Pt(X, Y);
    if ((HasButton(RealCol, ARow) && PtInRect(GetButtonRect(ACol, ARow), Pt)) ||
        (HasExpand(RealCol, ARow) && PtInRect(GetExpandRect(ACol, ARow), Pt))) {
        FForceSel = false;
        return;
    }
    if (IsClickControlCell(RealCol, ARow)) {
        TBaseGrid::WMLButtonDblClk(Message);
        FForceSel = false;
        return;
    }
    TBaseGrid::WMLButtonDblClk(Message);
    MouseToCell(X, Y, ACol, ARow);
    if (OnDblClickCell)
        OnDblClickCell(this, ARow, ACol);
    EditOnDoubleClick(ACol, ARow);
    FForceSel = false;
    const bool FixedRowEdit = ARow >= 0 && ARow < TBaseGrid::FixedRows() &&
                              FMouseActions->FixedRowsEdit() == fceDblClick;
    const bool FixedColEdit = ACol >= 0 && ACol < TBaseGrid::FixedCols() &&
                              FMouseActions->FixedColsEdit() == fceDblClick;
    if (FixedRowEdit || FixedColEdit)
        StartFixedCellEdit(ACol, ARow);
}

// A double click within 4 pixels of a header border fits the column on
// its left (the left border) or this one (the right border).
bool TExStringGrid::FitColumnOnBorder(TWMMouse& Message, Integer ACol, Integer ARow)
{
    if (ARow < 0 || ARow >= TBaseGrid::FixedRows() || !Options().Contains(goColSizing) ||
        !FMouseActions->AutoSizeColOnDblClick())
        return false;
    const TRect R = CellRect(ACol, ARow);
    const Integer X = Message.XPos;
    Integer Fit = -1;
    if (std::abs(X - R.Left) < 4) {
        FDblClk = true;
        if (ACol - 1 >= TBaseGrid::FixedCols())
            Fit = ACol - 1;
    }
    if (Fit < 0 && std::abs(X - R.Right) < 4 && ACol >= TBaseGrid::FixedCols()) {
        FDblClk = true;
        Fit = ACol;
    }
    if (Fit < 0)
        return false;
    bool Allow = true;
    if (OnColumnSize)
        OnColumnSize(this, Fit, Allow);
    if (Allow) {
        AutoSizeCol(Fit, 0);
        if (OnEndColumnSize)
            OnEndColumnSize(this, Fit);
    }
    FForceSel = false;
    TBaseGrid::WMLButtonDblClk(Message);
    return true;
}

// Steps 7 and 8: editing on double click, and range selection with editing.
void TExStringGrid::EditOnDoubleClick(Integer ACol, Integer ARow)
{
    if (ACol < 0 || ARow < 0)
        return;
    if (FMouseActions->EditOnDblClickOnly()) {
        const bool Range = FMouseActions->RangeSelectAndEdit();
        FMouseActions->SetRangeSelectAndEdit(true);
        if (IsEditable(RealColIndex(ACol), ARow)) {
            SetOptions(Options() + goEditing);
            FOldCol = ACol;
            FOldRow = ARow;
            ShowInplaceEdit();
        }
        FMouseActions->SetRangeSelectAndEdit(Range);
        return;
    }
    if (FMouseActions->RangeSelectAndEdit() && IsEditable(RealColIndex(ACol), ARow)) {
        SetOptions(Options() + goEditing);
        const TPoint B = BaseCell(ACol, ARow);
        const TRect R = CellRect(B.X, B.Y);
        MouseDown(mbLeft, {}, R.Left + 4, R.Top + 4);
    }
}

// ---------------------------------------------------------------- right button

void TExStringGrid::WMRButtonDown(TWMMouse& Message)
{
    TBaseGrid::WMRButtonDown(Message);
    const Integer X = Message.XPos;
    const Integer Y = Message.YPos;
    Integer ACol = -1;
    Integer ARow = -1;
    MouseToCell(X, Y, ACol, ARow);
    const bool Valid = ACol >= 0 && ARow >= 0;
    if (FMouseActions->SelectOnRightClick() && Valid && !IsFixed(ACol, ARow) &&
        (!FMouseActions->DisjunctCellSelect() || !IsSelected(ACol, ARow)))
        SelectOnRightPress(ACol, ARow, X, Y, KeysToShiftState(Message.Keys));
    if (OnRightClickCell)
        OnRightClickCell(this, ARow, ACol);
    if (Valid && FURLShow && FURLEdit && HasURLScheme(Cells(RealColIndex(ACol), ARow))) {
        SetCol(ACol);
        SetRow(ARow);
        ShowEditor();
    }
}

void TExStringGrid::SelectOnRightPress(Integer ACol, Integer ARow, Integer X, Integer Y, TShiftState Shift)
{
    if (!IsClickControlCell(RealColIndex(ACol), ARow)) {
        if (OnRightClickCell) {
            FocusCell(ACol, ARow);
        } else {
            // A whole left click through the hooks, without OnClickCell.
            MouseDown(mbLeft, {}, X, Y);
            MouseUp(mbLeft, {}, X, Y);
        }
    }
    if (IsSelected(ACol, ARow)) {
        bool CanSelect = true;
        if (OnSelectCell)
            OnSelectCell(this, ACol, ARow, CanSelect);
    } else {
        const bool KeepLeft = FNavigation->KeepHorizScroll();
        const Integer OldLeft = LeftCol();
        if (KeepLeft)
            BeginUpdate();
        const TPoint B = BaseCell(ACol, ARow);
        MoveColRow(B.X, B.Y, true, true);
        if (KeepLeft) {
            SetLeftCol(OldLeft);
            EndUpdate();
        }
    }
    if (!FMouseActions->DisjunctRowSelect())
        return;
    if (Shift.Contains(ssCtrl) || FMouseActions->DisjunctRowSelectNoCtrl()) {
        SetRowSelect(ARow, !RowSelect(ARow));
        return;
    }
    // With a menu for many selected rows, a press on one of them keeps them all.
    if (RowSelectCount() > 1 && PopupMenu() && RowSelect(ARow))
        return;
    ClearRowSelect();
    SetRowSelect(ARow, true);
}

void TExStringGrid::WMRButtonUp(TWMMouse& Message)
{
    const bool OwnMove = FGridState == gsRowMoving || FGridState == gsColMoving;
    if (OwnMoveCursor() && OwnMove && FEnhRowColMove) {
        Message.Result = 0;
        return;
    }
    TBaseGrid::WMRButtonUp(Message);
}

// ---------------------------------------------------------------- the press hook

void TExStringGrid::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    Integer ACol = -1;
    Integer ARow = -1;
    MouseToCell(X, Y, ACol, ARow);
    if (RangeEditPress(Button, Shift, X, Y, ACol, ARow))
        return;
    const bool Valid = ACol >= 0 && ARow >= 0;
    const TRect R = Valid ? CellRect(ACol, ARow) : TRect(0, 0, 0, 0);
    if (Valid && FixedDropDownPress(ACol, ARow, R, X))
        return;
    if (Valid && IsHoverFixedCell(ACol, ARow) && FControlLook->FixedGradientDownTo() != clNone &&
        ARow == TBaseGrid::FixedRows() - 1)
        RepaintCell(ACol, ARow);
    FEditStart = true;
    TBaseGrid::MouseDown(Button, Shift, X, Y);
    FEditStart = false;
    if (Shift.Contains(ssShift) && FSelectionRectangle) {
        const TGridRect S = Selection();
        RepaintRect(TRect(S.Left, S.Top, S.Right, S.Bottom));
    }
    if (Valid && (ACol < TBaseGrid::FixedCols() || ARow < TBaseGrid::FixedRows()) &&
        FixedEditPress(Button, ACol, ARow, R, X, Y))
        return;
    if (TStringGrid* Sync = FSyncGrid->Grid()) {
        if (FSyncGrid->SelectionColumn())
            Sync->SetCol(Col());
        if (FSyncGrid->SelectionRow())
            Sync->SetRow(Row());
    }
}

// With RangeSelectAndEdit a second click on the current cell edits it and
// Shift extends the range instead of editing.
bool TExStringGrid::RangeEditPress(TMouseButton Button, TShiftState Shift, Integer X, Integer Y, Integer ACol,
                                   Integer ARow)
{
    if (!FMouseActions->RangeSelectAndEdit() || Button != mbLeft || FMouseActions->EditOnDblClickOnly())
        return false;
    const bool Current = ACol == Col() && ARow == Row();
    if (Current && !Options().Contains(goEditing) && IsEditable(RealColIndex(ACol), ARow)) {
        SetOptions(Options() + goEditing);
        TBaseGrid::MouseDown(Button, Shift, X, Y);
        ShowInplaceEdit();
        return true;
    }
    if (!Current && Options().Contains(goEditing) && Shift.Contains(ssShift)) {
        SetOptions(Options() - goEditing);
        TBaseGrid::MouseDown(Button, Shift, X, Y);
        return true;
    }
    return false;
}

// The drop-down button of a hover fixed cell pops its menu up and waits
// until it closes.
bool TExStringGrid::FixedDropDownPress(Integer ACol, Integer ARow, const TRect& R, Integer X)
{
    const Integer Right = Options().Contains(goColSizing) ? R.Right - 2 : R.Right;
    if (!(R.Right - 16 < X && X < Right) || !IsHoverFixedCell(ACol, ARow) || !FControlLook->FixedDropDownButton())
        return false;
    FDropDownDown = true;
    bool Keep = false;
    TPopupMenu* Menu = FFixedDropDownMenu;
    if (!Menu && !OnFixedDropDownClick)
        return false;
    FNoMouseLeave = true;
    if (Menu)
        Menu->SetTag(ACol);
    if (OnFixedDropDownClick)
        OnFixedDropDownClick(this, ACol, ARow, Menu, Keep);
    if (Menu) {
        FMouseDownMove = false;
        FHoverFixedCell = TPoint(ACol, ARow);
        RepaintCell(ACol, ARow);
        const TPoint P = ClientToScreen(TPoint(R.Right - 16, R.Bottom));
        Menu->Popup(P.X, P.Y);
        if (QMenu* Shown = Menu->PopupWidget()) {
            QEventLoop Loop;
            QObject::connect(Shown, &QMenu::aboutToHide, &Loop, &QEventLoop::quit);
            Loop.exec();
        }
        FHoverFixedCell = TPoint(-1, -1);
        RepaintCell(ACol, ARow);
    }
    FNoMouseLeave = Keep;
    return true;
}

// Fixed cells edited by a left or right click; with sizing on, a left
// press near a border is left to the sizing.
bool TExStringGrid::FixedEditPress(TMouseButton Button, Integer ACol, Integer ARow, const TRect& R, Integer X,
                                   Integer Y)
{
    const bool InFixedRow = ARow < TBaseGrid::FixedRows();
    const bool InFixedCol = ACol < TBaseGrid::FixedCols();
    auto Inner = [&](bool Sizing) {
        return !Sizing || InRect(TRect(R.Left + 4, R.Top + 4, R.Right - 4, R.Bottom - 4), X, Y);
    };
    if (Button == mbLeft && FMouseActions->FixedRowsEdit() == fceLeftClick && InFixedRow) {
        if (Inner(Options().Contains(goColSizing)))
            StartFixedCellEdit(ACol, ARow);
        return true;
    }
    if (Button == mbLeft && FMouseActions->FixedColsEdit() == fceLeftClick && InFixedCol) {
        if (Inner(Options().Contains(goRowSizing)))
            StartFixedCellEdit(ACol, ARow);
        return true;
    }
    if (Button == mbRight && ((FMouseActions->FixedRowsEdit() == fceRightClick && InFixedRow) ||
                              (FMouseActions->FixedColsEdit() == fceRightClick && InFixedCol))) {
        StartFixedCellEdit(ACol, ARow);
        return true;
    }
    return false;
}

// ---------------------------------------------------------------- fixed-cell editors

void TExStringGrid::StartFixedCellEdit(Integer ACol, Integer ARow)
{
    if (EditTrans->Visible() && !EditTrans->StopEdit())
        return;
    if (ComboTrans->Visible() && !ComboTrans->StopEdit())
        return;
    bool CanEdit = true;
    if (OnCanEditCell)
        OnCanEditCell(this, ARow, ACol, CanEdit);
    if (!CanEdit)
        return;
    FFixedColEdit = ACol;
    FFixedRowEdit = ARow;
    // Column 0 takes the fixed columns' editor, any other the fixed rows'.
    TGridFixedCellEditor Kind = ACol == 0 ? FMouseActions->FixedColsEditor() : FMouseActions->FixedRowsEditor();
    ComboTrans->Items()->Assign(FMouseActions->FixedComboValues());
    DoFixedEdit(ACol, ARow, Kind, ComboTrans->Items());
    TRect R = CellRect(ACol, ARow);
    R = TRect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
    const Integer RealCol = RealColIndex(ACol);
    const String Text = Cells(RealCol, ARow);
    if (Kind == fceEdit) {
        EditTrans->SetBounds(R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top);
        EditTrans->OnChange = [this](TObject*) { FixedEditChanged(EditTrans->Text()); };
        OpenFixedEditor(EditTrans, Text, RealCol, ARow);
        return;
    }
    ComboTrans->SetBounds(R.Left - 1, R.Top - 1, R.Right - R.Left + 1, R.Bottom - R.Top);
    ComboTrans->SetStyle(Kind == fceComboEdit ? csDropDown : csDropDownList);
    ComboTrans->OnChange = [this](TObject*) { FixedEditChanged(ComboTrans->Text()); };
    OpenFixedEditor(ComboTrans, Text, RealCol, ARow);
}

void TExStringGrid::FixedEditChanged(const String& Text)
{
    if (OnEditChange)
        OnEditChange(this, FFixedColEdit, FFixedRowEdit, Text);
}

template <class TEditor>
void TExStringGrid::OpenFixedEditor(TEditor* Editor, const String& Text, Integer RealCol, Integer ARow)
{
    Editor->SetText(Text);
    Editor->FCol = RealCol;
    Editor->FRow = ARow;
    Editor->SetVisible(true);
    if (Editor->CanFocus())
        Editor->SetFocus();
}
