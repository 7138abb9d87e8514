// The string grid: moving on to the next cell after Enter, the grid's key
// press (Escape, Enter, incremental search).
#include "grid/control/ExGrid.h"
#include "grid/control/ExGrid_Editors.h"

#include <set>
#include <utility>

Integer TExStringGrid::LastDataCol() const
{
    return ColCount() - FFixedRightCols - 1;
}

Integer TExStringGrid::LastDataRow() const
{
    return RowCount() - FFixedFooters - 1;
}

// One step of the advance; false when the operation ends here (a new row
// whose cells are all read-only).
bool TExStringGrid::StepAdvance(Integer& ACol, Integer& ARow, bool Forward)
{
    const TPoint Span = CellSpan(RealColIndex(ACol), ARow);
    const Integer SpanX = std::max<Integer>(Span.X, 0);
    const TAdvanceDirection Dir = FNavigation->AdvanceDirection();
    const Integer FixedR = TBaseGrid::FixedRows();
    if (Forward && (Dir == adLeftRight || Dir == adLeftRightInRow)) {
        if (ACol + SpanX < LastDataCol()) {
            ACol += SpanX + 1;
        } else if (Dir == adLeftRightInRow) {
            if (FNavigation->AdvanceOnEnterLoop())
                ACol = FirstDataCol();
        } else if (ARow != LastDataRow()) {
            ++ARow;
            ACol = FirstDataCol();
        } else if (FNavigation->AdvanceInsert()) {
            bool CanAdd = true;
            DoCanAddRow(CanAdd);
            ACol = FirstDataCol();
            if (CanAdd) {
                AddRow();
                ++ARow;
                if (OnAutoAddRow)
                    OnAutoAddRow(this, RowCount() - FFixedFooters - 1);
                bool AnyEditable = false;
                for (Integer C = TBaseGrid::FixedCols(); C < ColCount() && !AnyEditable; ++C)
                    AnyEditable = IsEditable(C, ARow);
                if (!AnyEditable)
                    return false;
            }
        } else if (FNavigation->AdvanceOnEnterLoop()) {
            ARow = FixedR;
            ACol = FirstDataCol();
        }
    } else if (Forward) {
        if (ARow != LastDataRow()) {
            ++ARow;
        } else if (Dir == adTopBottomInCol) {
            ARow = FixedR;
        } else if (ACol + 1 != ColCount() - FFixedRightCols) {
            ARow = FixedR;
            ++ACol;
            if (ACol >= ColCount())
                ACol = FirstDataCol();
        } else if (FNavigation->AdvanceInsert()) {
            SetColCount(ColCount() + 1);
            ACol += SpanX + 1;
            ARow = FixedR;
            if (OnAutoInsertCol)
                OnAutoInsertCol(this, ColCount() - FFixedRightCols - 1);
            Invalidate();
        } else {
            ARow = FixedR;
            ACol = FirstDataCol();
            Invalidate();
        }
    } else if (Dir == adLeftRight) {
        if (ACol > FirstDataCol()) {
            --ACol;
        } else {
            ACol = ColCount() - FFixedRightCols - 1;
            ARow = ARow <= FixedR ? LastDataRow() : ARow - 1;
        }
    } else if (Dir == adTopBottom) {
        if (ARow > FixedR) {
            --ARow;
        } else {
            ARow = LastDataRow();
            ACol = ACol <= FirstDataCol() ? ColCount() - FFixedRightCols - 1 : ACol - 1;
        }
    }
    return true;
}

void TExStringGrid::AdvanceToNextCell(Integer ACol, Integer ARow, bool Force, bool AllowAutoEdit, bool Forward,
                                      bool Continuing, bool ShowEditor)
{
    if (!FNavigation->AdvanceOnEnter() && !Force)
        return;
    if (FMouseActions->RangeSelectAndEdit() && !Options().Contains(goEditing))
        SetOptions(Options() + TGridOptions{goEditing});
    if (!Continuing) {
        FAECol = ACol;
        FAERow = ARow;
    }
    const Integer StartCol = ACol;
    const Integer StartRow = ARow;
    FStartEditChar = Char(0);
    // Skipping read-only cells is a loop: it stops on the start cell once a
    // position repeats or every data cell has been visited.
    std::set<std::pair<Integer, Integer>> Visited;
    for (;;) {
        if (!StepAdvance(ACol, ARow, Forward))
            return;
        bool Editable = true;
        CanEditCell(RealColIndex(ACol), ARow, Editable);
        if (Editable) {
            Integer NewRow = ARow;
            Integer NewCol = ACol;
            bool Allow = true;
            if (OnAutoAdvance)
                OnAutoAdvance(this, NewCol, NewRow, Allow);
            if (Allow && OnCellChanging)
                OnCellChanging(this, FAERow, FAECol, NewRow, NewCol, Allow);
            if (Allow) {
                FDisableChange = true;
                try {
                    SetCol(NewCol);
                    SetRow(NewRow);
                } catch (...) {
                    FDisableChange = false;
                    throw;
                }
                FDisableChange = false;
            } else {
                SelectCell(StartCol, StartRow);
            }
            break;
        }
        const Integer DataCells = std::max<Integer>(LastDataCol() - FirstDataCol() + 1, 1) *
                                  std::max<Integer>(LastDataRow() - TBaseGrid::FixedRows() + 1, 1);
        const bool Repeats = !Visited.insert({ACol, ARow}).second || Integer(Visited.size()) > DataCells;
        if (!FNavigation->AdvanceSkipReadOnlyCells() || Repeats) {
            if (Repeats) {
                ACol = FAECol;
                ARow = FAERow;
            }
            SetCol(ACol);
            SetRow(ARow);
            break;
        }
    }
    if (ShowEditor)
        ShowEditorAfterAdvance(StartCol, StartRow, AllowAutoEdit);
    if (FMouseActions->DisjunctRowSelect()) {
        ClearRowSelect();
        SetRowSelect(Row(), true);
    }
}

void TExStringGrid::WalkToNextCell(Integer ACol, bool Backward, bool ShowEditor)
{
    const TAdvanceDirection Saved = FNavigation->AdvanceDirection();
    FNavigation->SetAdvanceDirection(adLeftRight);
    AdvanceToNextCell(ACol, Row(), true, true, !Backward, false, ShowEditor);
    FNavigation->SetAdvanceDirection(Saved);
    if (FNavigation->CursorWalkAlwaysEdit())
        ShowInplaceEdit();
}

void TExStringGrid::ShowEditorAfterAdvance(Integer StartCol, Integer StartRow, bool AllowAutoEdit)
{
    const bool ClickCell = IsClickControlCell(RealColIndex(Col()), Row());
    if (!((AllowAutoEdit && FNavigation->AdvanceAutoEdit()) || ClickCell))
        return;
    if (!IsEditable(Col(), Row()))
        return;
    ShowInplaceEdit();
    if (!ClickCell)
        return;
    bool Allow = true;
    if (OnCellChanging)
        OnCellChanging(this, StartRow, StartCol, Row(), Col(), Allow);
    if (!IsGridTextEditor(QueryCellEditor(RealColIndex(StartCol), StartRow)))
        HideInplaceEdit();
}

// ---------------------------------------------------------------- keys

void TExStringGrid::KeyPress(Char& Key)
{
    const char16_t K = Key.unicode();
    if (K == 27) {
        if (Options().Contains(goEditing) && (FEditMode || EditorMode()))
            RestoreCurrentCell();
        if (OnKeyPress)
            OnKeyPress(this, Key);
        return;
    }
    const Integer C = RealColIndex(Col());
    if (K == 13 && !FNavigation->AdvanceOnEnter() && !IsEditable(Col(), Row())) {
        if (OnKeyPress)
            OnKeyPress(this, Key);
        Key = Char(0);
        return;
    }
    if (K == 13 && (!Focused() || IsClickControlCell(C, Row()))) {
        AdvanceToNextCell(Col(), Row(), false, false, true, false, FEditMode);
        if (!FNavigation->AdvanceAutoEdit()) {
            if (OnKeyPress)
                OnKeyPress(this, Key);
            Key = Char(0);
            return;
        }
        if (IsClickControlCell(C, Row())) {
            if (OnKeyPress)
                OnKeyPress(this, Key);
            if (FNavigation->AdvanceOnEnter())
                ShowInplaceEdit();
            return;
        }
    }
    if (!Options().Contains(goEditing) && FNavigation->AutoGotoWhenSorted()) {
        if (FNavigation->AutoGotoIncremental()) {
            if (K == 8)
                SearchInc.chop(1);
            else
                SearchInc += Key;
            FSearchTicks = 0;
        } else {
            SearchInc = String(Key);
        }
        const Integer Found = Search(UpperCase(SearchInc));
        if (Found < 0)
            SearchInc.clear();
        else
            SetRow(Found);
    }
    TBaseGrid::KeyPress(Key);
}

void TExStringGrid::EditHTMLControl(Integer, Integer, const String&)
{
    // Interim: the form-control editor of a mini-HTML cell comes with the
    // HTML-control editing; until then there is no control to move to and
    // the grid takes the focus.
    if (CanFocus())
        SetFocus();
}
