// The string grid: the disjunct row flags and the selection counts.
#include "grid/control/ExGrid.h"

#include <QApplication>
#include <QStyle>

#include <algorithm>
#include <cstdlib>

namespace {

void* FlagOf(bool Value)
{
    return Value ? reinterpret_cast<void*>(std::intptr_t(1)) : nullptr;
}

// A cell scrolled out of view has an empty rectangle.
bool IsEmptyRect(const TRect& R)
{
    return R.Right <= R.Left || R.Bottom <= R.Top;
}

void GrowFlags(TList* Flags, Integer Count)
{
    while (Flags->Count() < Count)
        Flags->Add(nullptr);
}

} // namespace

bool TExStringGrid::RowSelect(Integer ARow)
{
    const bool Persistent = FMouseActions->RowSelectPersistent();
    // A negative row has no flag, persistent or not.
    if (ARow < 0 && Persistent)
        return false;
    if (!Persistent && (ARow < 0 || ARow >= AllRowCount()))
        throw EExGridError(QStringLiteral("Invalid row %1 accessed").arg(ARow));
    if (FMouseActions->DisjunctRowSelect()) {
        GrowFlags(FRowSelect.get(), ARow + 1);
        return FRowSelect->Items(ARow) != nullptr;
    }
    const TGridRect S = Selection();
    return ARow >= std::min(S.Top, S.Bottom) && ARow <= std::max(S.Top, S.Bottom);
}

void TExStringGrid::SetRowSelect(Integer ARow, bool Value)
{
    if (ARow < 0 || (ARow >= AllRowCount() && TBaseGrid::FixedRows() < RowCount()))
        throw EExGridError(QStringLiteral("Invalid row accessed"));
    const bool Was = ARow < FRowSelect->Count() && FRowSelect->Items(ARow) != nullptr;
    if ((ARow >= FRowSelect->Count() || Was != Value) && OnRowDisjunctSelect) {
        bool Allow = true;
        OnRowDisjunctSelect(this, ARow, Value, Allow);
        if (!Allow)
            return;
    }
    GrowFlags(FRowSelect.get(), ARow + 1);
    if (Was != Value)
        RepaintRow(ARow);
    FRowSelect->SetItems(ARow, FlagOf(Value));
    if (Value && ARow >= TBaseGrid::FixedRows() && !FSelectedRows->HasValue(ARow))
        FSelectedRows->Add(ARow);
    if (!Value)
        FSelectedRows->DeleteValue(ARow);
    if (OnRowDisjunctSelected)
        OnRowDisjunctSelected(this, ARow);
}

Integer TExStringGrid::RowSelectCount()
{
    if (!FMouseActions->DisjunctRowSelect()) {
        const TGridRect S = Selection();
        return std::abs(S.Bottom - S.Top) + 1;
    }
    Integer Count = 0;
    for (Integer R = 0; R < std::min<Integer>(FRowSelect->Count(), AllRowCount()); ++R)
        Count += FRowSelect->Items(R) != nullptr ? 1 : 0;
    return Count;
}

void TExStringGrid::RepaintRow(Integer ARow)
{
    if (!HandleAllocated() || ARow < 0 || ARow >= RowCount())
        return;
    const Integer LastCol = std::min(LeftCol() + VisibleColCount(), ColCount() - 1);
    const TRect First = CellRect(0, ARow);
    const TRect Last = CellRect(LastCol, ARow);
    InvalidateClientRect(TRect(First.Left, First.Top, std::max(First.Right, Last.Right), First.Bottom));
}

void TExStringGrid::RepaintCol(Integer ACol)
{
    if (!HandleAllocated() || ACol < 0 || ACol >= ColCount())
        return;
    const Integer LastRow = std::min(TopRow() + VisibleRowCount(), RowCount() - 1);
    const TRect First = CellRect(ACol, TopRow());
    const TRect Last = CellRect(ACol, LastRow);
    InvalidateClientRect(TRect(First.Left, First.Top, First.Right, std::max(First.Bottom, Last.Bottom)));
}

void TExStringGrid::SetSelection(const TGridRect& Value)
{
    TBaseGrid::SetSelection(Value);
    if (FActiveCellShow) {
        InvalidateRow(0);
        InvalidateCol(0);
    }
    if (ActiveRowShow())
        RepaintRow(Value.Bottom);
}

void TExStringGrid::SelectRange(Integer FromCol, Integer ToCol, Integer FromRow, Integer ToRow)
{
    SetRow(ToRow);
    SetCol(ToCol);
    SetSelection(TGridRect{FromCol, FromRow, ToCol, ToRow});
}

// ---------------------------------------------------------------- the current cell

void TExStringGrid::SetRow(Integer Value)
{
    if (Col() < 0 || Col() >= ColCount())
        MoveToCell(TBaseGrid::FixedCols(), Value);
    TBaseGrid::SetRow(Value);
    if (Row() != FOldRowSel && OnRowUpdate) {
        OnRowUpdate(this, FOldRowSel, Row());
        FOldRowSel = Row();
    }
    if (FMouseActions->DisjunctRowSelect())
        SelectionToRowSelect(false);
    if (TStringGrid* Synced = FSyncGrid->Grid(); Synced && FSyncGrid->SelectionRow())
        Synced->SetRow(Value);
    if (Value == RowCount() - 1 && FSearchFooter->Visible())
        ScrollAboveSearchFooter();
}

void TExStringGrid::SetTopRow(Integer Value)
{
    if (Value >= TBaseGrid::FixedRows() && Value <= RowCount() - 1)
        TBaseGrid::SetTopRow(Value);
}

void TExStringGrid::GotoCell(Integer ACol, Integer ARow)
{
    SetRow(ARow);
    SetCol(ACol);
}

void TExStringGrid::EditCell(Integer ACol, Integer ARow)
{
    if (CanFocus())
        SetFocus();
    GotoCell(ACol, ARow);
    ShowInplaceEdit();
}

void TExStringGrid::FocusCell(Integer ACol, Integer ARow)
{
    SetSelection(TGridRect{ACol, ARow, ACol, ARow});
}

void TExStringGrid::MoveToCell(Integer ACol, Integer ARow)
{
    TBaseGrid::FocusCell(ACol, ARow, true);
}

void TExStringGrid::UpdateEditMode()
{
    SelectCell(Col(), Row());
}

// ---------------------------------------------------------------- the selection

void TExStringGrid::HideSelection()
{
    FOldSelection = Selection();
    SetSelection(TGridRect{ColCount(), RowCount(), ColCount(), RowCount()});
    FSelHidden = true;
}

void TExStringGrid::UnHideSelection()
{
    FSelHidden = false;
    if (FOldSelection.Top < RowCount() && FOldSelection.Left < ColCount()) {
        SetSelection(FOldSelection);
        return;
    }
    const Integer FR = TBaseGrid::FixedRows();
    const Integer FC = TBaseGrid::FixedCols();
    const Integer Top = FFixedRowAlways && FR == RowCount() ? 0 : FR;
    const Integer Left = FFixedColAlways && FC == ColCount() ? 0 : FC;
    SetSelection(TGridRect{Left, Top, Left, Top});
}

Integer TExStringGrid::FlagRow(Integer ARow) const
{
    return FMouseActions->RowSelectPersistent() ? RealRowIndex(ARow) : ARow;
}

void TExStringGrid::SelectRows(Integer RowIndex, Integer RCount)
{
    RCount = std::min(RCount, RowCount() - RowIndex);
    if (!FMouseActions->DisjunctRowSelect()) {
        SetSelection(TGridRect{TBaseGrid::FixedCols(), RowIndex, ColCount() - 1, RowIndex + RCount - 1});
    } else {
        for (Integer R = RowIndex; R < RowIndex + RCount; ++R)
            if (const Integer T = FlagRow(R); T < RowCount())
                SetRowSelect(T, true);
    }
    if (!FRowIndicator->Empty())
        RepaintCol(0);
    FSelChange = false;
}

void TExStringGrid::UnSelectRows(Integer RowIndex, Integer RCount)
{
    if (FMouseActions->DisjunctRowSelect())
        for (Integer R = RowIndex; R < RowIndex + RCount; ++R)
            if (const Integer T = FlagRow(R); T >= 0 && T < RowCount())
                SetRowSelect(T, false);
    FSelChange = false;
}

void TExStringGrid::SelectCols(Integer ColIndex, Integer CCount)
{
    if (!FMouseActions->DisjunctColSelect()) {
        SetSelection(TGridRect{ColIndex, TBaseGrid::FixedRows(), ColIndex + CCount - 1, RowCount() - 1});
        return;
    }
    for (Integer C = std::max<Integer>(ColIndex, 0); C < std::min(ColIndex + CCount, ColCount()); ++C)
        SetColSelect(C, true);
}

void TExStringGrid::UnSelectCols(Integer ColIndex, Integer CCount)
{
    if (FMouseActions->DisjunctColSelect())
        for (Integer C = std::max<Integer>(ColIndex, 0); C < std::min(ColIndex + CCount, ColCount()); ++C)
            SetColSelect(C, false);
}

void TExStringGrid::CheckColumnIndex(Integer ACol) const
{
    if (ACol < 0 || ACol >= ColCount())
        throw EExGridError(QStringLiteral("Invalid column accessed"));
}

bool TExStringGrid::ColSelect(Integer ACol)
{
    CheckColumnIndex(ACol);
    GrowFlags(FColSelect.get(), ACol + 1);
    return FColSelect->Items(ACol) != nullptr;
}

void TExStringGrid::SetColSelect(Integer ACol, bool Value)
{
    CheckColumnIndex(ACol);
    GrowFlags(FColSelect.get(), ACol + 1);
    if ((FColSelect->Items(ACol) != nullptr) == Value)
        return;
    FColSelect->SetItems(ACol, FlagOf(Value));
    RepaintCol(ACol);
}

void TExStringGrid::ClearRowSelect()
{
    for (Integer R = 0; R < FRowSelect->Count(); ++R)
        if (FRowSelect->Items(R)) {
            FRowSelect->SetItems(R, nullptr);
            RepaintRow(R);
        }
    FSelectedRows->Clear();
}

void TExStringGrid::ClearColSelect()
{
    for (Integer C = 0; C < FColSelect->Count(); ++C)
        if (FColSelect->Items(C)) {
            FColSelect->SetItems(C, nullptr);
            RepaintCol(C);
        }
}

Integer TExStringGrid::ColSelectCount()
{
    if (!FMouseActions->DisjunctColSelect()) {
        const TGridRect S = Selection();
        return S.Right - S.Left + 1;
    }
    Integer Count = 0;
    for (Integer C = 0; C < FColSelect->Count(); ++C)
        Count += FColSelect->Items(C) != nullptr ? 1 : 0;
    return Count;
}

void TExStringGrid::SelectionToRowSelect(bool All)
{
    const TGridRect S = Selection();
    const Integer Bottom = std::min(S.Bottom, RowCount() - FFixedFooters - 1);
    for (Integer R = TBaseGrid::FixedRows(); R < RowCount(); ++R) {
        const bool Inside = R >= S.Top && R <= Bottom;
        if (All || Inside)
            SetRowSelect(FlagRow(R), Inside);
    }
    if (NumHiddenRows() > 0)
        Invalidate();
}

void TExStringGrid::SelectionToColSelect(bool All)
{
    const TGridRect S = Selection();
    for (Integer C = TBaseGrid::FixedCols(); C < ColCount(); ++C) {
        const bool Inside = C >= S.Left && C <= S.Right;
        if (All || Inside)
            SetColSelect(C, Inside);
    }
}

// ---------------------------------------------------------------- modified and enabled rows

Integer TExStringGrid::ModifiedRowCount()
{
    Integer Count = 0;
    for (Integer R = 0; R < FModifiedRows->Count(); ++R)
        Count += FModifiedRows->Items(R) == 1 ? 1 : 0;
    return Count;
}

bool TExStringGrid::RowModified(Integer ARow)
{
    return ARow >= 0 && ARow < FModifiedRows->Count() && FModifiedRows->Items(ARow) == 1;
}

void TExStringGrid::SetRowModified(Integer ARow, bool Value)
{
    if (ARow < 0)
        return;
    while (FModifiedRows->Count() <= ARow)
        FModifiedRows->Add(0);
    FModifiedRows->SetItems(ARow, Value ? 1 : 0);
    RepaintCell(0, ARow);
}

bool TExStringGrid::RowEnabled(Integer ARow)
{
    return ARow < 0 || ARow >= FEnabledRows->Count() || FEnabledRows->Items(ARow) == 0;
}

// The current row moves away only when it is disabled.
void TExStringGrid::SetRowEnabled(Integer ARow, bool Value)
{
    if (ARow < 0)
        return;
    if (ARow == Row() && !Value)
        for (Integer R = TBaseGrid::FixedRows(); R < RowCount(); ++R)
            if (R != ARow && RowEnabled(R)) {
                SetRow(R);
                break;
            }
    FUseEnabledRows = true;
    while (FEnabledRows->Count() <= ARow)
        FEnabledRows->Add(0);
    FEnabledRows->SetItems(ARow, Value ? 0 : 1);
    RepaintRow(ARow);
}

// ---------------------------------------------------------------- repainting and scrolling

void TExStringGrid::RepaintRect(TRect R)
{
    if (R.Left < 0 || R.Top < 0 || R.Right < 0 || R.Bottom < 0 || !HandleAllocated())
        return;
    const TRect First = CellRect(R.Left, R.Top);
    const TRect Last = CellRect(std::min(TBaseGrid::FixedCols() + VisibleColCount(), R.Right), R.Bottom);
    if (IsEmptyRect(First) || IsEmptyRect(Last)) {
        Invalidate();
        return;
    }
    InvalidateClientRect(TRect(std::min(First.Left, Last.Left), std::min(First.Top, Last.Top),
                               std::max(First.Right, Last.Right), std::max(First.Bottom, Last.Bottom)));
}

void TExStringGrid::ScrollInView(Integer ColIndex, Integer RowIndex)
{
    if (ColIndex >= ColCount() || RowIndex >= RowCount())
        return;
    const Integer FC = TBaseGrid::FixedCols();
    const Integer FR = TBaseGrid::FixedRows();
    Integer NewLeft = LeftCol();
    Integer NewTop = TopRow();
    if (ColIndex < LeftCol() || ColIndex >= LeftCol() + VisibleColCount()) {
        SetCol(ColIndex);
        NewLeft = std::max(ColIndex - VisibleColCount() / 2, FC);
    }
    if (RowIndex < TopRow() || RowIndex >= TopRow() + VisibleRowCount()) {
        SetRow(RowIndex);
        NewTop = std::max(RowIndex - VisibleRowCount() / 2, FR);
    }
    const bool AllColsFit = FC + VisibleColCount() >= ColCount();
    if (!AllColsFit)
        SetLeftCol(std::min(NewLeft, ColCount() - VisibleColCount() + 1));
    if (FR + VisibleRowCount() >= RowCount())
        return;
    SetTopRow(std::min(NewTop, RowCount() - VisibleRowCount() + 1));
    if (!FSearchFooter->Visible())
        return;
    Integer Available = Height() - FSearchPanel->Height();
    if (!AllColsFit)
        Available -= QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    while (!IsEmptyRect(CellRect(0, RowIndex)) && CellRect(0, RowIndex).Bottom > Available && TopRow() < RowCount() - 1)
        SetTopRow(TopRow() + 1);
}

void TExStringGrid::ScrollAboveSearchFooter()
{
    const Integer Panel = FSearchPanel->Height();
    if (!FSearchFooter->Visible() || ClientHeight() <= DefaultRowHeight() + Panel)
        return;
    const Integer Limit = ClientHeight() - Panel + 2;
    while (CellRect(0, RowCount() - 1).Bottom > Limit && Row() <= RowCount() - 1 && TopRow() < RowCount() - 1) {
        const Integer Before = TopRow();
        TBaseGrid::SetTopRow(Before + 1);
        if (TopRow() == Before)
            break;
    }
}

bool TExStringGrid::IsLastRowAboveSearchFooter()
{
    return FSearchFooter->Visible() && TopRow() + VisibleRowCount() >= RowCount() - 1 &&
           CellRect(0, RowCount() - 1).Bottom < ClientHeight() - FSearchPanel->Height() + 2;
}

void TExStringGrid::SetSelectionColorMixerFactor(Integer Value)
{
    Value = std::clamp<Integer>(Value, 0, 100);
    if (Value == FSelectionColorMixerFactor)
        return;
    FSelectionColorMixerFactor = Value;
    Invalidate();
}

void TExStringGrid::SetShowSelection(bool Value)
{
    if (Value == FShowSelection)
        return;
    FShowSelection = Value;
    FShowSel = Value;
    Invalidate();
}

// ---------------------------------------------------------------- headings and keys

void TExStringGrid::RepaintActiveCellHeaders(Integer OldCol, Integer OldRow, Integer NewCol, Integer NewRow)
{
    for (const TPoint Cell : {TPoint(OldCol, OldRow), TPoint(NewCol, NewRow)}) {
        if (FixedRows() > 0)
            RepaintCell(Cell.X, FixedRows() - 1);
        if (FixedCols() > 0)
            RepaintCell(FixedCols() - 1, Cell.Y);
    }
}

void TExStringGrid::WMGetDlgCode(TWMGetDlgCode& Message)
{
    TBaseGrid::WMGetDlgCode(Message);
    if (FNavigation->AutoGotoWhenSorted() || !Options().Contains(goEditing))
        Message.Result |= DLGC_WANTCHARS;
}
