// The string grid: interim bodies. Each is a small working body that
// stands until the grid's part that owns it lands (the comment before each
// group names that part); the operations without any behaviour yet say so.
#include "grid/control/ExGrid.h"

#include "grid/base/EsgHTMLE.h"

#include <QFontMetrics>

#include <algorithm>

// ---------------------------------------------------------------- moved columns and rows
// Interim until moved columns and rows land: the hidden-column tables move
// with a column.

void TExStringGrid::ColumnMoved(Integer FromIndex, Integer ToIndex)
{
    // The store and the hidden-column tables are indexed by real column.
    const Integer From = RealColIndex(FromIndex);
    const Integer To = RealColIndex(ToIndex);
    if (From < 513 && To < 513) {
        auto Move = [From, To](auto& Table) {
            const auto B = Table.begin();
            if (From < To)
                std::rotate(B + From, B + From + 1, B + To + 1);
            else if (To < From)
                std::rotate(B + To, B + From, B + From + 1);
        };
        Move(FVisibleCol);
        Move(FAllColWidths);
    }
    TBaseGrid::ColumnMoved(From, To);
}

void TExStringGrid::RowMoved(Integer FromIndex, Integer ToIndex)
{
    TBaseGrid::RowMoved(FromIndex, ToIndex);
}

// ---------------------------------------------------------------- update bracket
// Interim until the window procedure and update locking land.

void TExStringGrid::BeginUpdate()
{
    if (Visible())
        ++FUpdateCount;
}

void TExStringGrid::EndUpdate()
{
    if (!Visible() || FUpdateCount == 0)
        return;
    if (--FUpdateCount == 0)
        Invalidate();
}

// ---------------------------------------------------------------- column order and sizes
// Interim until the column order and auto sizing land.

void TExStringGrid::InitOrigColSizes()
{
    FOrigColSizes->Clear();
    for (Integer C = 0; C < ColCount(); ++C)
        FOrigColSizes->Add(ColWidths(C));
    FOrigColSizes->Add(Width());
}

void TExStringGrid::SetColumnOrder()
{
    FColumnOrder->Clear();
    for (Integer C = 0; C < ColCount(); ++C)
        FColumnOrder->Add(C);
}

void TExStringGrid::ResetColumnOrder()
{
    for (Integer I = 0; I < FColumnOrder->Count() && I < ColCount(); ++I) {
        Integer Current = -1;
        for (Integer J = I; J < FColumnOrder->Count(); ++J)
            if (FColumnOrder->Items(J) == I)
                Current = J;
        if (Current > I) {
            TBaseGrid::MoveColumn(Current, I);
            const Integer Entry = FColumnOrder->Items(Current);
            FColumnOrder->Delete(Current);
            FColumnOrder->Insert(I, Entry);
        }
    }
}

void TExStringGrid::AutoSizeColumns(bool DoFixedCols, Integer Padding)
{
    for (Integer C = DoFixedCols ? 0 : TBaseGrid::FixedCols(); C < ColCount(); ++C)
        AutoSizeCol(C, Padding);
}

void TExStringGrid::AutoSizeCol(Integer ACol, Integer Padding)
{
    // On the plain text width of the display column's cells.
    const QFontMetrics Metrics(Font()->ToQFont());
    const Integer Real = RealColIndex(ACol);
    Integer Widest = 0;
    for (Integer R = 0; R < RowCount(); ++R)
        Widest = std::max<Integer>(Widest, Metrics.horizontalAdvance(HTMLPlainText(Cells(Real, R))));
    Integer W = Widest + Padding;
    if (FMinColWidth > 0)
        W = std::max(W, FMinColWidth);
    if (FMaxColWidth > 0)
        W = std::min(W, FMaxColWidth);
    if (FSizeGrowOnly)
        W = std::max(W, ColWidths(ACol));
    UpdateAutoColumnSize(ACol, W);
    SetColWidths(ACol, W);
}

void TExStringGrid::AutoSizeRow(Integer ARow, Integer Padding)
{
    // Interim: on the measured text of the row's cells (the open editor's
    // text included), never below the default row height.
    Integer Tallest = DefaultRowHeight();
    for (Integer C = 0; C < ColCount(); ++C)
        Tallest = std::max<Integer>(Tallest, GetCellTextSize(RealColIndex(C), ARow, WordWrap(), false).cy + 4);
    SetRowHeights(ARow, Tallest + Padding);
}

// ---------------------------------------------------------------- selection and cell controls
// Interim until the selection API and the cell controls land.

bool TExStringGrid::IsSelected(Integer ACol, Integer ARow)
{
    if (ACol < TBaseGrid::FixedCols() || ARow < TBaseGrid::FixedRows())
        return false;
    const TGridRect S = Selection();
    return ACol >= S.Left && ACol <= S.Right && ARow >= S.Top && ARow <= S.Bottom;
}

void TExStringGrid::CellControlsUpdate(bool)
{
    // Interim: hosted controls keep their places until the cell controls land.
}

// ---------------------------------------------------------------- edit cycle
// Interim until cell validation and the edit cycle land: the editor closed
// on a key, validation through OnCellValidate.

void TExStringGrid::DoneInplaceEdit(Word Key, TShiftState Shift)
{
    FBlockFocus = true;
    FEditing = false;
    HideInplaceEdit();
    if (FNavigation->AppendOnArrowDown() && Key == VK_DOWN && Row() == RowCount() - 1)
        AddRow();
    const bool AlwaysEdit = FNavigation->AlwaysEdit();
    FNavigation->SetAlwaysEdit(false);
    if (CanFocus())
        SetFocus();
    if (Key == VK_TAB || Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN)
        KeyDown(Key, Shift);
    FNavigation->SetAlwaysEdit(AlwaysEdit);
    if (Key == VK_RETURN)
        AdvanceToNextCell(Col(), Row(), false, true, true, false, false);
    FBlockFocus = false;
}

void TExStringGrid::EditDone(Integer ACol, Integer ARow)
{
    if (OnEditingDone)
        OnEditingDone(this);
    FEditMode = false;
    PostMessage(Handle(), FEditDoneMessage, WPARAM(ACol), LPARAM(ARow));
}

void TExStringGrid::StoreOldCellText(Integer ACol, Integer ARow)
{
    FOldCol = ACol;
    FOldRow = ARow;
    FOldCellText = Cells(RealColIndex(ACol), ARow);
}

bool TExStringGrid::ValidateCell(const String& NewValue)
{
    if (!FEditMode || FValidating)
        return true;
    const bool AdvanceOnEnter = FNavigation->AdvanceOnEnter();
    FNavigation->SetAdvanceOnEnter(false);
    FValidating = true;
    // A handler that raises leaves the grid able to validate again.
    struct TRestore {
        TExStringGrid* Grid;
        bool AdvanceOnEnter;
        ~TRestore()
        {
            Grid->FValidating = false;
            Grid->FNavigation->SetAdvanceOnEnter(AdvanceOnEnter);
        }
    } Restore{this, AdvanceOnEnter};
    String Value = NewValue;
    bool Valid = true;
    const Integer RealC = RealColIndex(Col());
    if (Value != FOldCellText || FAlwaysValidate) {
        if (OnCellValidate)
            OnCellValidate(this, RealC, Row(), Value, Valid);
        if (Value != FOldCellText)
            FModified = true;
        if (Valid && UndoRedo())
            UndoRedo()->RegisterChange(RealC, Row(), FOldCellText, Value);
    }
    FNewCellText = Value;
    if (Valid)
        SetCells(RealC, Row(), Value);
    FLastValidation = Valid;
    return Valid;
}

bool TExStringGrid::ValidateCellWide(const String& NewValue)
{
    return ValidateCell(NewValue);
}

// ---------------------------------------------------------------- cell stream
// Interim until the data services' own cell stream lands: the counts, the
// sizes and every text of the store's display rows.

namespace {

void WriteInteger(TStream* Stream, Integer Value)
{
    Stream->WriteBuffer(&Value, sizeof Value);
}

Integer ReadInteger(TStream* Stream)
{
    Integer Value = 0;
    Stream->ReadBuffer(&Value, sizeof Value);
    return Value;
}

void WriteText(TStream* Stream, const String& Text)
{
    const QByteArray Bytes = Text.toUtf8();
    WriteInteger(Stream, Integer(Bytes.size()));
    Stream->WriteBuffer(Bytes.constData(), Integer(Bytes.size()));
}

String ReadText(TStream* Stream)
{
    const Integer Size = ReadInteger(Stream);
    if (Size < 0 || Size > Stream->Size() - Stream->Position())
        throw EReadError(QStringLiteral("Stream read error"));
    QByteArray Bytes(Size, Qt::Uninitialized);
    Stream->ReadBuffer(Bytes.data(), Size);
    return String::fromUtf8(Bytes);
}

} // namespace

void TExStringGrid::SaveToStream(TStream* Stream)
{
    WriteInteger(Stream, ColCount());
    WriteInteger(Stream, RowCount());
    WriteInteger(Stream, TotalColCount());
    for (Integer C = 0; C < ColCount(); ++C)
        WriteInteger(Stream, ColWidths(C));
    for (Integer R = 0; R < RowCount(); ++R)
        WriteInteger(Stream, RowHeights(R));
    for (Integer R = 0; R < RowCount(); ++R)
        for (Integer C = 0; C < TotalColCount(); ++C)
            WriteText(Stream, GetGridCell(C, R));
}

void TExStringGrid::LoadFromStream(TStream* Stream)
{
    const Integer Cols = ReadInteger(Stream);
    const Integer Rows = ReadInteger(Stream);
    const Integer StoreCols = ReadInteger(Stream);
    if (Cols < 1 || Rows < 1 || StoreCols < Cols)
        throw EReadError(QStringLiteral("Stream read error"));
    SetColCount(Cols);
    SetRowCount(Rows);
    for (Integer C = 0; C < Cols; ++C)
        SetColWidths(C, ReadInteger(Stream));
    for (Integer R = 0; R < Rows; ++R)
        SetRowHeights(R, ReadInteger(Stream));
    for (Integer R = 0; R < Rows; ++R)
        for (Integer C = 0; C < StoreCols; ++C) {
            const String Text = ReadText(Stream);
            if (C < TotalColCount())
                SetGridCell(C, R, Text);
        }
}

// ---------------------------------------------------------------- search, balloons
// Interim: these have no behaviour yet; they come with the search bar and
// the balloon hints.

void TExStringGrid::UpdateSearchFooter() {}
void TExStringGrid::BalloonInit() {}
void TExStringGrid::BalloonDone() {}
void TExStringGrid::ApplyVCLStyleColors() {}

// ---------------------------------------------------------------- hooks without behaviour yet
// Interim: the keyboard, mouse, clipboard, sorting, grouping, filtering,
// printing and editor parts of the grid give these their behaviour; until
// then each raises its event where it has one and does nothing else.

void TExStringGrid::DoClickSort(Integer ACol)
{
    if (OnClickSort)
        OnClickSort(this, ACol);
}

void TExStringGrid::BeforeSelectAll(bool&) {}

void TExStringGrid::PasteCell(Integer ACol, Integer ARow, const String& Value)
{
    SetCells(ACol, ARow, Value);
}

void TExStringGrid::GetCurrentCellEx(String& S)
{
    GetCurrentCell(S);
}

void TExStringGrid::DoPrintGetPageNum(Integer PageNum, Integer PageColNum, String& Text)
{
    if (OnPrintGetPageNum)
        OnPrintGetPageNum(this, PageNum, PageColNum, Text);
}

void TExStringGrid::DoCheckBoxClick(Integer ACol, Integer ARow, bool State)
{
    if (OnCheckBoxClick)
        OnCheckBoxClick(this, ACol, ARow, State);
}

void TExStringGrid::DoEllipsClick(const String& S, String& Res)
{
    Res = S;
    if (!OnEllipsClick)
        return;
    String Value = S;
    OnEllipsClick(this, RealColIndex(Col()), Row(), Value);
    Res = Value;
}

bool TExStringGrid::MatchFilter(Integer)
{
    return true;
}

void TExStringGrid::BeforePaste(Integer, Integer, bool&) {}
void TExStringGrid::AfterPaste(Integer, Integer) {}
void TExStringGrid::MarkModifiedRect(TRect) {}

void TExStringGrid::CellValueChanged(Integer, Integer) {}

void TExStringGrid::DoSearchFooterAction(const String& Value, Integer ACol, Integer ARow, TSearchAction Action)
{
    if (OnSearchFooterAction)
        OnSearchFooterAction(this, Value, ACol, ARow, Action);
}

void TExStringGrid::DoButtonClick(Integer ACol, Integer ARow)
{
    if (OnButtonClick)
        OnButtonClick(this, ACol, ARow);
}

void TExStringGrid::DoExpandClick(Integer ACol, Integer ARow)
{
    if (OnExpandClick)
        OnExpandClick(this, ACol, ARow, false);
}

void TExStringGrid::DoComboCloseUp(Integer ARow, Integer ACol)
{
    if (OnComboCloseUp)
        OnComboCloseUp(this, ARow, ACol);
}

void TExStringGrid::DoComboDropDown(Integer ARow, Integer ACol)
{
    if (OnComboDropDown)
        OnComboDropDown(this, ARow, ACol);
}

void TExStringGrid::CellsChanged() {}

void TExStringGrid::MouseWheelHook(TShiftState, Integer, bool&) {}

bool TExStringGrid::EditorFormulaMode()
{
    return false;
}

bool TExStringGrid::IsDesigning()
{
    return ComponentState().Contains(csDesigning);
}

void TExStringGrid::InvalidateGrid()
{
    Invalidate();
}

void TExStringGrid::EditorKeyDown(Word&, TShiftState) {}

void TExStringGrid::GotoFirstRow()
{
    if (TBaseGrid::FixedRows() < RowCount())
        SetRow(TBaseGrid::FixedRows());
}

bool TExStringGrid::AllowFmtClipboard()
{
    return true;
}

void TExStringGrid::FilterDropListSelect(TObject*) {}
void TExStringGrid::FilterCheckListDone(TObject*) {}

void TExStringGrid::DoColorSelect(Integer, Integer) {}
void TExStringGrid::DoImageSelect(Integer, Integer) {}

void TExStringGrid::DoStartBlockFocus()
{
    FBlockFocus = true;
}

void TExStringGrid::DoEndBlockFocus()
{
    FBlockFocus = false;
}

void TExStringGrid::SubGroup(Integer) {}
void TExStringGrid::SubUnGroup(Integer) {}
void TExStringGrid::Group(Integer) {}
void TExStringGrid::UnGroup() {}

void TExStringGrid::SortSwapRows(Integer ARow1, Integer ARow2)
{
    TStringGrid::TSlotRow First = TakeSlotRow(ARow1);
    PlaceSlotRow(ARow1, TakeSlotRow(ARow2));
    PlaceSlotRow(ARow2, std::move(First));
    InvalidateGrid();
}

void TExStringGrid::QSort() {}
void TExStringGrid::QSortIndexed() {}
void TExStringGrid::QSortGroup() {}
void TExStringGrid::QSortGroupIndexed() {}
void TExStringGrid::QUnSort() {}

// ---------------------------------------------------------------- error marks
// Interim until the data services land: the error tags the cell checker's
// marking puts into a text.

String TExStringGrid::UnMarkText(const String& S)
{
    String Text = S;
    Text.remove(QStringLiteral("<E>"), Qt::CaseInsensitive);
    Text.remove(QStringLiteral("</E>"), Qt::CaseInsensitive);
    return Text;
}
