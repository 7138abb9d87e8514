// Grids: TDrawGrid's events and TStringGrid's cells.
#include "rtl/Grids.h"

#include <algorithm>
#include <utility>

// ---------------------------------------------------------------- TDrawGrid

TDrawGrid::TDrawGrid(TComponent* AOwner) : TCustomGrid(AOwner) {}

void TDrawGrid::DrawCell(Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState)
{
    if (OnDrawCell)
        OnDrawCell(this, ACol, ARow, ARect, AState);
}

bool TDrawGrid::SelectCell(Integer ACol, Integer ARow)
{
    bool CanSelect = TCustomGrid::SelectCell(ACol, ARow);
    if (OnSelectCell)
        OnSelectCell(this, ACol, ARow, CanSelect);
    return CanSelect;
}

String TDrawGrid::GetEditMask(Integer ACol, Integer ARow)
{
    String Value = TCustomGrid::GetEditMask(ACol, ARow);
    if (OnGetEditMask)
        OnGetEditMask(this, ACol, ARow, Value);
    return Value;
}

void TDrawGrid::ColumnMoved(Integer FromIndex, Integer ToIndex)
{
    if (OnColumnMoved)
        OnColumnMoved(this, FromIndex, ToIndex);
}

void TDrawGrid::RowMoved(Integer FromIndex, Integer ToIndex)
{
    if (OnRowMoved)
        OnRowMoved(this, FromIndex, ToIndex);
}

// ---------------------------------------------------------------- TStringGrid::TLineStrings

// A column or a row of a string grid as a string list. Clear empties the
// line and starts filling it again from the top, so Assign, SetText and
// Add work as on a list that is being refilled.
class TStringGrid::TLineStrings : public TStrings {
public:
    TLineStrings(TStringGrid* Grid, bool Column, Integer Index) : FGrid(Grid), FColumn(Column), FIndex(Index) {}

    void Clear() override
    {
        for (Integer I = 0; I < GetCount(); ++I) {
            Put(I, String());
            PutObject(I, nullptr);
        }
        FAddPos = 0;
    }
    int Add(const String& S) override
    {
        if (FAddPos >= GetCount())
            GridIndexError();
        Put(FAddPos, S);
        return FAddPos++;
    }
    void Insert(int, const String&) override { LengthError(); }
    void Delete(int) override { LengthError(); }

protected:
    String Get(int Index) const override
    {
        return FColumn ? FGrid->Cells(FIndex, Index) : FGrid->Cells(Index, FIndex);
    }
    int GetCount() const override { return FColumn ? FGrid->RowCount() : FGrid->ColCount(); }
    TObject* GetObject(int Index) const override
    {
        return FColumn ? FGrid->Objects(FIndex, Index) : FGrid->Objects(Index, FIndex);
    }
    void Put(int Index, const String& S) override
    {
        if (FColumn)
            FGrid->SetCells(FIndex, Index, S);
        else
            FGrid->SetCells(Index, FIndex, S);
    }
    void PutObject(int Index, TObject* AObject) override
    {
        if (FColumn)
            FGrid->SetObjects(FIndex, Index, AObject);
        else
            FGrid->SetObjects(Index, FIndex, AObject);
    }

private:
    [[noreturn]] static void LengthError()
    {
        throw EInvalidGridOperation(QStringLiteral("Cannot insert or delete entries of a grid's column or row"));
    }

    TStringGrid* FGrid;
    bool FColumn;
    Integer FIndex;
    int FAddPos = 0;
};

// ---------------------------------------------------------------- TStringGrid

TStringGrid::TStringGrid(TComponent* AOwner) : TDrawGrid(AOwner) {}

TStringGrid::~TStringGrid() = default;

const String& TStringGrid::EmptySlotText()
{
    static const String Empty;
    return Empty;
}

TStringGrid::TCellSlot& TStringGrid::WritableSlot(Integer ACol, Integer ARow)
{
    // A grid is filled line by line: room for the whole grid (row) at once
    // spares a reallocation per cell written.
    if (std::size_t(ARow) >= FData.size()) {
        FData.reserve(std::max(std::size_t(ARow) + 1, std::size_t(RowCount())));
        FData.resize(std::size_t(ARow) + 1);
    }
    auto& Line = FData[std::size_t(ARow)];
    if (std::size_t(ACol) >= Line.size()) {
        Line.reserve(std::max(std::size_t(ACol) + 1, std::size_t(ColCount())));
        Line.resize(std::size_t(ACol) + 1);
    }
    return Line[std::size_t(ACol)];
}

TStringGrid::TSlotRow TStringGrid::TakeSlotRow(Integer ARow)
{
    if (std::size_t(ARow) >= FData.size())
        return {};
    return std::exchange(FData[std::size_t(ARow)], TSlotRow());
}

void TStringGrid::PutSlotRow(Integer ARow, TSlotRow Line)
{
    if (std::size_t(ARow) >= FData.size()) {
        if (Line.empty())
            return;
        FData.resize(std::size_t(ARow) + 1);
    }
    FData[std::size_t(ARow)] = std::move(Line);
}

void TStringGrid::InsertSlotRows(Integer At, Integer Count)
{
    if (Count <= 0 || std::size_t(At) >= FData.size())
        return;
    FData.insert(FData.begin() + At, std::size_t(Count), TSlotRow());
}

void TStringGrid::DeleteSlotRows(Integer At, Integer Count)
{
    if (Count <= 0 || std::size_t(At) >= FData.size())
        return;
    const std::size_t End = std::min(FData.size(), std::size_t(At) + std::size_t(Count));
    FData.erase(FData.begin() + At, FData.begin() + std::ptrdiff_t(End));
}

Integer TStringGrid::SlotColExtent() const
{
    std::size_t Extent = 0;
    for (const auto& Line : FData)
        Extent = std::max(Extent, Line.size());
    return Integer(Extent);
}

String TStringGrid::Cells(Integer ACol, Integer ARow) const
{
    CheckCoord(ACol, ARow);
    return SlotText(ACol, ARow);
}

void TStringGrid::SetCells(Integer ACol, Integer ARow, const String& Value)
{
    CheckCoord(ACol, ARow);
    SetSlotText(ACol, ARow, Value);
}

void TStringGrid::SetSlotText(Integer ACol, Integer ARow, const String& Value)
{
    const TCellSlot* S = Slot(ACol, ARow);
    if (S ? S->Text == Value : Value.isEmpty())
        return;
    WritableSlot(ACol, ARow).Text = Value;
    InvalidateCell(ACol, ARow);
    if (!FEditUpdate && ACol == Col() && ARow == Row())
        InvalidateEditor();
}

TObject* TStringGrid::Objects(Integer ACol, Integer ARow) const
{
    CheckCoord(ACol, ARow);
    return SlotObject(ACol, ARow);
}

void TStringGrid::SetObjects(Integer ACol, Integer ARow, TObject* Value)
{
    CheckCoord(ACol, ARow);
    SetSlotObject(ACol, ARow, Value);
}

void TStringGrid::SetSlotObject(Integer ACol, Integer ARow, TObject* Value)
{
    if (SlotObject(ACol, ARow) != Value)
        WritableSlot(ACol, ARow).Object = Value;
}

TStrings* TStringGrid::LineStrings(bool Column, Integer Index)
{
    if (Index < 0 || Index >= (Column ? ColCount() : RowCount()))
        GridIndexError();
    auto& Map = Column ? FColStrings : FRowStrings;
    auto& Entry = Map[Index];
    if (!Entry)
        Entry = std::make_unique<TLineStrings>(this, Column, Index);
    return Entry.get();
}

TStrings* TStringGrid::Cols(Integer Index)
{
    return LineStrings(true, Index);
}

void TStringGrid::SetCols(Integer Index, TStrings* Value)
{
    Cols(Index)->Assign(Value);
}

TStrings* TStringGrid::Rows(Integer Index)
{
    return LineStrings(false, Index);
}

void TStringGrid::SetRows(Integer Index, TStrings* Value)
{
    Rows(Index)->Assign(Value);
}

void TStringGrid::DrawCell(Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState)
{
    if (DefaultDrawing()) {
        const TCellSlot* S = Slot(ACol, ARow);
        if (S && !S->Text.isEmpty())
            Canvas()->TextRect(ARect, ARect.Left + 2, ARect.Top + 2, S->Text);
    }
    TDrawGrid::DrawCell(ACol, ARow, ARect, AState);
}

String TStringGrid::GetEditText(Integer ACol, Integer ARow)
{
    return Cells(ACol, ARow);
}

void TStringGrid::SetEditText(Integer ACol, Integer ARow, const String& Value)
{
    // The editor wrote it: it need not be told again.
    FEditUpdate = true;
    try {
        SetCells(ACol, ARow, Value);
    } catch (...) {
        FEditUpdate = false;
        throw;
    }
    FEditUpdate = false;
    TDrawGrid::SetEditText(ACol, ARow, Value);
}

void TStringGrid::ColumnMoved(Integer FromIndex, Integer ToIndex)
{
    const std::size_t Needed = std::size_t(std::max(FromIndex, ToIndex)) + 1;
    for (auto& Line : FData) {
        if (Line.size() <= std::size_t(std::min(FromIndex, ToIndex)))
            continue;
        if (Line.size() < Needed)
            Line.resize(Needed);
        MoveEntry(Line, FromIndex, ToIndex);
    }
    TDrawGrid::ColumnMoved(FromIndex, ToIndex);
}

void TStringGrid::RowMoved(Integer FromIndex, Integer ToIndex)
{
    const std::size_t Needed = std::size_t(std::max(FromIndex, ToIndex)) + 1;
    if (FData.size() > std::size_t(std::min(FromIndex, ToIndex))) {
        if (FData.size() < Needed)
            FData.resize(Needed);
        MoveEntry(FData, FromIndex, ToIndex);
    }
    TDrawGrid::RowMoved(FromIndex, ToIndex);
}

void TStringGrid::ClearColumnData(Integer ACol)
{
    for (auto& Line : FData)
        if (std::size_t(ACol) < Line.size())
            Line[std::size_t(ACol)] = TCellSlot();
}

void TStringGrid::ClearRowData(Integer ARow)
{
    if (std::size_t(ARow) < FData.size())
        FData[std::size_t(ARow)].clear();
}

void TStringGrid::DeleteColumn(Integer ACol)
{
    // The deleted column ends up last and then beyond the count; its cells
    // must not come back when the count grows again.
    const Integer Last = ColCount() - 1;
    TDrawGrid::DeleteColumn(ACol);
    ClearColumnData(Last);
    InvalidateGrid();
}

void TStringGrid::DeleteRow(Integer ARow)
{
    const Integer Last = RowCount() - 1;
    TDrawGrid::DeleteRow(ARow);
    ClearRowData(Last);
    InvalidateGrid();
}
