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
    // The recorded column order moves along.
    if (From < FColumnOrder->Count() && To < FColumnOrder->Count())
        FColumnOrder->Move(From, To);
    TBaseGrid::ColumnMoved(From, To);
}

void TExStringGrid::RowMoved(Integer FromIndex, Integer ToIndex)
{
    TBaseGrid::RowMoved(FromIndex, ToIndex);
}

// ---------------------------------------------------------------- sizes
// Interim until auto sizing lands.

void TExStringGrid::InitOrigColSizes()
{
    FOrigColSizes->Clear();
    for (Integer C = 0; C < ColCount(); ++C)
        FOrigColSizes->Add(ColWidths(C));
    FOrigColSizes->Add(Width());
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

// ---------------------------------------------------------------- appending a row
// Interim until the keyboard handling lands: no row is appended yet.

void TExStringGrid::AutoAddRow() {}

bool TExStringGrid::IsLastDataRow()
{
    return Row() + 1 == RowCount() - FFixedFooters;
}

// ---------------------------------------------------------------- search
// Interim: no behaviour yet; it comes with the search bar.

void TExStringGrid::UpdateSearchFooter() {}

// ---------------------------------------------------------------- hooks without behaviour yet
// Interim: the keyboard, mouse, clipboard, sorting, grouping, filtering,
// printing and editor parts of the grid give these their behaviour; until
// then each raises its event where it has one and does nothing else.

void TExStringGrid::BeforeSelectAll(bool&) {}

void TExStringGrid::PasteCell(Integer ACol, Integer ARow, const String& Value)
{
    SetCells(ACol, ARow, Value);
}

void TExStringGrid::DoPrintGetPageNum(Integer PageNum, Integer PageColNum, String& Text)
{
    if (OnPrintGetPageNum)
        OnPrintGetPageNum(this, PageNum, PageColNum, Text);
}

void TExStringGrid::BeforePaste(Integer, Integer, bool&) {}
void TExStringGrid::AfterPaste(Integer, Integer) {}
void TExStringGrid::MarkModifiedRect(TRect) {}

void TExStringGrid::DoSearchFooterAction(const String& Value, Integer ACol, Integer ARow, TSearchAction Action)
{
    if (OnSearchFooterAction)
        OnSearchFooterAction(this, Value, ACol, ARow, Action);
}

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

// ---------------------------------------------------------------- cell selector and clipboard
// Interim until the clipboard services land: the fill handle's copy and
// paste keep the cells as they are; the cell selector takes no click.

void TExStringGrid::CellSelectorClick(Integer, Integer) {}
void TExStringGrid::CopySelectionToClipboard() {}
void TExStringGrid::PasteSelectionFromClipboard() {}

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
