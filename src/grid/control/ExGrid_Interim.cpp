// The string grid: interim bodies. Each is a small working body that
// stands until the grid's part that owns it lands (the comment before each
// group names that part); the operations without any behaviour yet say so.
#include "grid/control/ExGrid.h"

// ---------------------------------------------------------------- search
// Interim: no behaviour yet; it comes with the search bar.

void TExStringGrid::UpdateSearchFooter() {}

// ---------------------------------------------------------------- hooks without behaviour yet
// Interim: the clipboard, grouping, printing, search, wheel and editor parts
// of the grid give these their behaviour; until then each raises its event
// where it has one and does nothing else.

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
// Interim until the clipboard services land: the clipboard keys and the
// fill handle's copy and paste keep the cells as they are; the cell
// selector takes no click.

void TExStringGrid::CutSelectionToClipboard() {}
void TExStringGrid::CopySelectionToClipboard() {}
void TExStringGrid::PasteSelectionFromClipboard() {}
void TExStringGrid::CellSelectorClick(Integer, Integer) {}

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
