// The string grid: counts, fixed rows and columns, default sizes and
// alignment, moving rows and columns, stretching, the reactions to sizing,
// the save range and the used cells.
#include "grid/control/ExGrid.h"

#include "rtl/Forms.h"

#include <algorithm>

namespace {

// Sets a flag for the life of the guard.
class TFlagGuard {
public:
    explicit TFlagGuard(bool& Flag) : FFlag(Flag) { FFlag = true; }
    ~TFlagGuard() { FFlag = false; }
    TFlagGuard(const TFlagGuard&) = delete;
    TFlagGuard& operator=(const TFlagGuard&) = delete;

private:
    bool& FFlag;
};

} // namespace

// ---------------------------------------------------------------- counts

void TExStringGrid::SetRowCount(Integer Value)
{
    const Integer OldCount = RowCount();
    TBaseGrid::SetRowCount(Value);
    if (FFixedRowAlways && FFixedRowsMin < RowCount())
        SetFixedRows(FFixedRowsMin);
    FMaxRowCount = std::max(FMaxRowCount, Value);
    FNormalRowCount = Value;
    UpdateFooter();
    UpdateVScrollProportional();
    UpdateHScrollProportional();
    UpdateScrollBarAlways(false);
    if (FFloatingFooter->Visible() && OldCount != RowCount()) {
        // The footer row stays the last row; its objects go with it.
        PlaceSlotRow(RowCount() - 1, TakeSlotRow(OldCount - 1));
        CalcFooter(-1);
    }
}

void TExStringGrid::SetColCount(Integer Value)
{
    TBaseGrid::SetColCount(Value);
    if (FFixedColAlways && FFixedColsMin < ColCount())
        SetFixedCols(FFixedColsMin);
    FMaxColCount = std::max(FMaxColCount, Value);
    UpdateFooter();
    SetBounds(Left(), Top(), Width(), Height());
    UpdateHScrollProportional();
    UpdateVScrollProportional();
    UpdateScrollBarAlways(false);
}

Integer TExStringGrid::FixedRows() const
{
    const Integer Stored = TBaseGrid::FixedRows();
    return Stored == 0 && FFixedRowAlways ? 1 : Stored;
}

void TExStringGrid::SetFixedCount(bool Rows, Integer Asked)
{
    const bool Always = Rows ? FFixedRowAlways : FFixedColAlways;
    const Integer Count = Rows ? RowCount() : ColCount();
    const Integer Stored = Always && Asked >= Count ? Count - 1 : Asked;
    if (Rows)
        TBaseGrid::SetFixedRows(Stored);
    else
        TBaseGrid::SetFixedCols(Stored);
    if (!ComponentState().Contains(csLoading))
        (Rows ? FFixedRowsMin : FFixedColsMin) = Asked;
}

void TExStringGrid::SetFixedRows(Integer Value)
{
    SetFixedCount(true, Value);
}

Integer TExStringGrid::FixedCols() const
{
    const Integer Stored = TBaseGrid::FixedCols();
    return Stored == 0 && FFixedColAlways ? 1 : Stored;
}

void TExStringGrid::SetFixedCols(Integer Value)
{
    SetFixedCount(false, Value);
}

void TExStringGrid::SetFixedFooters(Integer Value)
{
    FFixedFooters = Value;
    Invalidate();
}

void TExStringGrid::SetFixedRightCols(Integer Value)
{
    FFixedRightCols = Value;
    Invalidate();
}

// ---------------------------------------------------------------- sizes and alignment

void TExStringGrid::SetFixedRowHeight(Integer Value)
{
    FFixedRowHeight = Value;
    if (ComponentState().Contains(csLoading))
        return;
    if (Value == DefaultRowHeight()) {
        SetDefaultRowHeight(DefaultRowHeight());
        return;
    }
    for (Integer R = 0; R < TBaseGrid::FixedRows(); ++R)
        SetRowHeights(R, Value);
}

void TExStringGrid::SetFixedColWidth(Integer Value)
{
    if (ComponentState().Contains(csLoading) || Value == DefaultColWidth())
        return;
    for (Integer C = 0; C < TBaseGrid::FixedCols(); ++C)
        SetColWidths(C, Value);
}

void TExStringGrid::SetDefaultRowHeight(Integer Value)
{
    TBaseGrid::SetDefaultRowHeight(Value);
    if (IsDesigning())
        FFixedRowHeight = Value;
    FFloatingFooter->SetHeight(Value);
    if (FFloatingFooter->Visible())
        FFooterPanel->SetHeight(Value);
}

void TExStringGrid::SetDefaultAlignment(TAlignment Value)
{
    SetAndInvalidate(FDefaultAlignment, Value);
}

void TExStringGrid::SetWordWrap(bool Value)
{
    FWordWrapEx = Value;
    TBaseGrid::SetWordWrap(Value);
    if (FUpdateCount == 0)
        Invalidate();
}

void TExStringGrid::SetVAlignment(TVAlignment Value)
{
    FVAlignment = Value;
    // The text-drawing flags: top, vertical centre, bottom.
    FVAlign = Value == vtaCenter ? 4 : Value == vtaBottom ? 8 : 0;
    if (FUpdateCount == 0)
        Invalidate();
}

void TExStringGrid::SetAutoSize(bool Value)
{
    FAutoSize = Value;
    if (Value && !ComponentState().Contains(csLoading))
        AutoSizeColumns(false, 10);
}

void TExStringGrid::SetFlat(bool Value)
{
    FFlat = Value;
    if (!ComponentState().Contains(csLoading))
        Invalidate();
}

void TExStringGrid::SetCol(Integer Value)
{
    TBaseGrid::SetCol(Value);
    TStringGrid* Synced = FSyncGrid->Grid();
    if (Synced && FSyncGrid->SelectionColumn())
        Synced->SetCol(Value);
}

// ---------------------------------------------------------------- moving

void TExStringGrid::MoveColumn(Integer FromIndex, Integer ToIndex)
{
    if (FColumnOrder->Count() == 0)
        SetColumnOrder();
    TBaseGrid::MoveColumn(FromIndex, ToIndex);
    for (Integer I = 0; I < FControlList->Count(); ++I) {
        TControlItem* Item = FControlList->Control(I);
        Item->SetX(MovedIndex(Item->X(), FromIndex, ToIndex));
    }
    CellControlsUpdate(false);
}

void TExStringGrid::MoveRow(Integer FromIndex, Integer ToIndex)
{
    if (IsFooterRowTarget(ToIndex))
        return;
    TBaseGrid::MoveRow(FromIndex, ToIndex);
    for (Integer I = 0; I < FControlList->Count(); ++I) {
        TControlItem* Item = FControlList->Control(I);
        Item->SetY(MovedIndex(Item->Y(), FromIndex, ToIndex));
    }
    CellControlsUpdate(false);
}

// A target inside the block or right after it moves nothing.
void TExStringGrid::MoveRows(Integer FromIndex, Integer ToIndex, Integer Count)
{
    if (FromIndex == ToIndex || Count == 0)
        return;
    if (FromIndex < 0 || Count < 0 || FromIndex + Count > RowCount() || ToIndex < 0 || ToIndex > RowCount())
        GridIndexError();
    if (ToIndex >= FromIndex && ToIndex <= FromIndex + Count)
        return;
    std::vector<TStringGrid::TSlotRow> Lines;
    for (Integer R = FromIndex; R < FromIndex + Count; ++R)
        Lines.push_back(TakeSlotRow(R));
    // RemoveRowsEx leaves the heights at their display rows: they are
    // moved here, with their rows.
    std::vector<Integer> Heights = RowHeightList();
    const std::vector<Integer> Moved(Heights.begin() + FromIndex, Heights.begin() + FromIndex + Count);
    Heights.erase(Heights.begin() + FromIndex, Heights.begin() + FromIndex + Count);
    RemoveRowsEx(FromIndex, Count);
    const Integer At = ToIndex < FromIndex ? ToIndex : ToIndex - Count;
    InsertRows(At, Count, true);
    for (Integer I = 0; I < Count; ++I)
        PlaceSlotRow(At + I, std::move(Lines[std::size_t(I)]));
    Heights.insert(Heights.begin() + At, Moved.begin(), Moved.end());
    SetRowHeightList(Heights);
}

void TExStringGrid::SwapCells(TGridCoord FromCell, TGridCoord ToCell)
{
    const String Text = GetGridCell(FromCell.X, FromCell.Y);
    TCellProperties* Object = GetGridObject(FromCell.X, FromCell.Y);
    SetGridCell(FromCell.X, FromCell.Y, GetGridCell(ToCell.X, ToCell.Y));
    SetGridObject(FromCell.X, FromCell.Y, GetGridObject(ToCell.X, ToCell.Y));
    SetGridCell(ToCell.X, ToCell.Y, Text);
    SetGridObject(ToCell.X, ToCell.Y, Object);
}

void TExStringGrid::AppendRow()
{
    SetRowCount(RowCount() + 1);
}

void TExStringGrid::DoCanAddRow(bool& CanAdd)
{
    if (OnCanAddRow)
        OnCanAddRow(this, CanAdd);
}

void TExStringGrid::DoCanInsertRow(Integer ARow, bool& CanInsert)
{
    if (OnCanInsertRow)
        OnCanInsertRow(this, ARow, CanInsert);
}

// ---------------------------------------------------------------- removing rows

// The rows (saved aside by the caller) leave the display; the hidden rows
// keep their real indices.
void TExStringGrid::RemoveDisplayRows(Integer RowIndex, Integer RCount)
{
    if (RowIndex < 0 || RowIndex >= RowCount() || RCount <= 0)
        return;
    RCount = std::min(RCount, RowCount() - RowIndex);
    RemoveStoreRows(RowIndex, RCount, true);
    if (!FDestroying)
        DoCellsChanged(TRect(0, RowIndex, ColCount() - 1, RowIndex + RCount));
}

// ---------------------------------------------------------------- stretching

void TExStringGrid::StretchRightColumn()
{
    StretchColumn(ColCount() - 1);
}

void TExStringGrid::StretchColumn(Integer Index)
{
    if (ComponentState().Contains(csLoading) || FDestroying)
        return;
    // Nothing to stretch comes first, so a stale index cannot raise while
    // stretching is off.
    if (ColCount() == 0 || !FColumnSize->Stretch() || FIsColChanging)
        return;
    if (Index == -1)
        Index = ColCount() - 1;
    if (Index < -1)
        return;
    if (Index >= ColCount())
        throw Exception(QStringLiteral("Stretch column index out of range"));
    TFlagGuard Stretching(FIsColChanging);
    ColchgFlg = false;
    if (ColCount() == 1) {
        SetColWidths(0, ClientWidth());
    } else {
        Integer Others = 0;
        for (Integer C = 0; C < ColCount(); ++C)
            if (C != Index)
                Others += ColWidths(C);
        if (Others < ClientWidth())
            SetColWidths(Index, ClientWidth() - Others - 1);
        else if (LeftCol() == TBaseGrid::FixedCols())
            SetColWidths(Index, DefaultColWidth());
    }
    ColchgFlg = true;
    if (FFloatingFooter->Visible())
        FFooterPanel->SetAlign(alBottom);
}

// ---------------------------------------------------------------- sizing notifications

void TExStringGrid::ScaleOtherSizes(bool Rows, Integer Clicked, Integer ClickedSize)
{
    const Integer Count = Rows ? RowCount() : ColCount();
    const Integer First = Rows ? TBaseGrid::FixedRows() : TBaseGrid::FixedCols();
    const Double Factor = Double(Rows ? RowHeights(Clicked) : ColWidths(Clicked)) / ClickedSize;
    for (Integer I = First; I < Count; ++I) {
        if (I == Clicked)
            continue;
        if (Rows)
            SetRowHeights(I, Integer(Round(RowHeights(I) * Factor)));
        else
            SetColWidths(I, Integer(Round(ColWidths(I) * Factor)));
    }
}

void TExStringGrid::ColWidthsChanged()
{
    // From a width notification a stale stretch column is passed over.
    const Integer StretchCol = FColumnSize ? FColumnSize->StretchColumn() : -1;
    if (ColchgFlg && FColumnSize && StretchCol >= -1 && StretchCol < ColCount())
        StretchColumn(StretchCol);
    TBaseGrid::ColWidthsChanged();
    ColSizeFlg = true;
    const bool UserSized = std::exchange(ColSized, false);
    if (!UserSized) {
        CellControlsUpdate(false);
        return;
    }
    if (FMouseActions->AllColumnSize() && Colclickedsize > 0)
        ScaleOtherSizes(false, Colclicked, Colclickedsize);
    if (OnEndColumnSize)
        OnEndColumnSize(this, Colclicked);
    if (Colclicked >= 0 && Colclicked < ColCount()) {
        Integer W = ColWidths(Colclicked);
        UpdateColumnSize(Colclicked, W);
        if (W != ColWidths(Colclicked))
            SetColWidths(Colclicked, W);
    }
    Colclicked = -1;
    Rowclicked = -1;
    CellControlsUpdate(false);
}

void TExStringGrid::RowHeightsChanged()
{
    TBaseGrid::RowHeightsChanged();
    const bool UserSized = std::exchange(Rowsized, false);
    if (UserSized) {
        if (FMouseActions->AllRowSize() && Rowclickedsize > 0)
            ScaleOtherSizes(true, Rowclicked, Rowclickedsize);
        if (OnEndRowSize)
            OnEndRowSize(this, Rowclicked);
        Colclicked = -1;
        Rowclicked = -1;
    }
    CellControlsUpdate(false);
}

void TExStringGrid::SizeChanged(Integer OldColCount, Integer OldRowCount)
{
    if (!Parent() || ComponentState().Contains(csLoading) || ComponentState().Contains(csReading))
        return;
    const Integer StretchCol = FColumnSize->StretchColumn();
    if (FColumnSize->Stretch() && StretchCol >= -1 && StretchCol < ColCount())
        StretchColumn(StretchCol);
    TBaseGrid::SizeChanged(OldColCount, OldRowCount);
}

void TExStringGrid::UpdateColumnSize(Integer ACol, Integer& AWidth)
{
    if (OnUpdateColumnSize)
        OnUpdateColumnSize(this, ACol, AWidth);
}

void TExStringGrid::UpdateAutoColumnSize(Integer ACol, Integer& AWidth)
{
    if (OnUpdateColumnSize)
        OnUpdateColumnSize(this, ACol, AWidth);
}

void TExStringGrid::ColumnHeadersChanged() {}

// ---------------------------------------------------------------- save range and used cells

Integer TExStringGrid::SaveStartCol() const
{
    return FSaveFixedCells || FSaveFixedCols ? 0 : TBaseGrid::FixedCols();
}

Integer TExStringGrid::SaveStartRow() const
{
    return FSaveFixedCells || FSaveFixedRows ? 0 : TBaseGrid::FixedRows();
}

Integer TExStringGrid::SaveEndCol() const
{
    return FSaveFixedCells || FSaveFixedCols ? ColCount() - 1 : ColCount() - FFixedRightCols - 1;
}

Integer TExStringGrid::SaveEndRow() const
{
    return FSaveFixedCells || FSaveFixedRows ? RowCount() - 1 : RowCount() - FFixedFooters - 1;
}

Integer TExStringGrid::SaveColCount() const
{
    return FSaveFixedCells || FSaveFixedCols ? ColCount() : ColCount() - TBaseGrid::FixedCols() - FFixedRightCols;
}

Integer TExStringGrid::SaveRowCount() const
{
    return FSaveFixedCells || FSaveFixedRows ? RowCount() : RowCount() - TBaseGrid::FixedRows() - FFixedFooters;
}

void TExStringGrid::GetUsedCells(TGridRect& R)
{
    Integer MinCol = ColCount() - 1, MinRow = RowCount() - 1, MaxCol = 0, MaxRow = 0;
    bool Any = false;
    for (Integer Row = 0; Row < RowCount(); ++Row)
        for (Integer C = 0; C < ColCount(); ++C) {
            if (Cells(C, Row).isEmpty())
                continue;
            Any = true;
            MinCol = std::min(MinCol, C);
            MinRow = std::min(MinRow, Row);
            MaxCol = std::max(MaxCol, C);
            MaxRow = std::max(MaxRow, Row);
        }
    R = Any ? TGridRect{MinCol, MinRow, MaxCol, MaxRow} : TGridRect{0, 0, 0, 0};
}

bool TExStringGrid::IsIgnoredColumn(Integer ACol) const
{
    return FIgnoreColumns->HasValue(ACol);
}

TCustomForm* TExStringGrid::GetParentForm(TControl* AControl) const
{
    for (TControl* C = AControl; C; C = C->Parent())
        if (auto* Form = dynamic_cast<TCustomForm*>(C))
            return Form;
    return nullptr;
}

bool TExStringGrid::IsSizingPos(Integer X, Integer Y) const
{
    Integer C = -1, R = -1;
    MouseToCell(X, Y, C, R);
    if (C < 0 || R < 0)
        return false;
    const TRect Rect = TBaseGrid::CellRect(C, R);
    if (R <= TBaseGrid::FixedRows() && Options().Contains(goColSizing) &&
        (X - Rect.Left < 4 || Rect.Right - X < 4))
        return true;
    return C <= TBaseGrid::FixedCols() && Options().Contains(goRowSizing) &&
           (Y - Rect.Top < 4 || Rect.Bottom - Y < 4);
}

// ---------------------------------------------------------------- components and notifiers

void TExStringGrid::Notification(TComponent* AComponent, TOperation Operation)
{
    if (Operation == opRemove) {
        if (AComponent == FGridImages)
            FGridImages = nullptr;
        if (AComponent == FContainer)
            FContainer = nullptr;
        if (AComponent == FCellChecker)
            FCellChecker = nullptr;
        if (AComponent == FFixedDropDownMenu)
            FFixedDropDownMenu = nullptr;
        if (!ComponentState().Contains(csDestroying) && FSyncGrid && AComponent == FSyncGrid->Grid())
            FSyncGrid->SetGrid(nullptr);
    }
    TBaseGrid::Notification(AComponent, Operation);
}

void TExStringGrid::RegisterNotifier(TGridChangeNotifier* ANotifier)
{
    if (FNotifierList->IndexOf(ANotifier) < 0)
        FNotifierList->Add(ANotifier);
}

void TExStringGrid::UnRegisterNotifier(TGridChangeNotifier* ANotifier)
{
    FNotifierList->Remove(ANotifier);
}

void TExStringGrid::DoCellsChanged(TRect R)
{
    if (OnCellsChanged)
        OnCellsChanged(this, R);
    for (Integer I = 0; I < FNotifierList->Count(); ++I)
        static_cast<TGridChangeNotifier*>(FNotifierList->Items(I))->CellsChanged(R);
    CalcFooter(-1);
}
