// The string grid: a cell's text alignment.
#include "grid/control/ExGrid.h"

#include "grid/base/ExUtil.h"

namespace {

bool IsFormula(const String& Text)
{
    return Text.startsWith(u'=') || CellTextToWide(Text).startsWith(u'=');
}

bool ReadsAsNumber(const String& Text)
{
    return GetNumberKind(Text.trimmed()) != 2;
}

} // namespace

std::pair<TAlignment, TVAlignment> TExStringGrid::GetCellAlignment(Integer ACol, Integer ARow)
{
    TAlignment HAlign = FDefaultAlignment;
    TVAlignment VAlign = FVAlignment;
    const String Text = Cells(ACol, ARow);
    const bool Formula = IsFormula(Text);
    if (FAutoNumAlign && ReadsAsNumber(Formula ? GetCompareCell(ACol, ARow) : Text))
        HAlign = taRightJustify;
    if (!Formula && HasCellProperties(ACol, ARow))
        HAlign = CellProperties(ACol, ARow)->Alignment();
    QueryCellAlignment(ACol, ARow, HAlign, VAlign);
    return {HAlign, VAlign};
}
