// The string grid: interim bodies. Each is a small working body that
// stands until the grid's part that owns it lands (the comment before each
// group names that part); the operations without any behaviour yet say so.
#include "grid/control/ExGrid.h"

// ---------------------------------------------------------------- hooks without behaviour yet
// Interim: the clipboard, grouping, printing, search, wheel and editor parts
// of the grid give these their behaviour; until then each raises its event
// where it has one and does nothing else.

void TExStringGrid::BeforeSelectAll(bool&) {}

void TExStringGrid::DoPrintGetPageNum(Integer PageNum, Integer PageColNum, String& Text)
{
    if (OnPrintGetPageNum)
        OnPrintGetPageNum(this, PageNum, PageColNum, Text);
}


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

// ---------------------------------------------------------------- cell selector
// Interim: the cell selector takes no click.

void TExStringGrid::CellSelectorClick(Integer, Integer) {}
