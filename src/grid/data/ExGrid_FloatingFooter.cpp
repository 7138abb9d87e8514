// The floating footer's calculation kinds, kept in the properties of each
// column's cell in the grid's last row.
#include "grid/control/ExGrid.h"

namespace {

TExStringGrid* FooterGrid(TPersistent* Grid)
{
    return dynamic_cast<TExStringGrid*>(Grid);
}

bool IsFooterColumn(TExStringGrid* G, Integer c)
{
    return G && c >= 0 && c < G->AllColCount() && G->RowCount() > 0;
}

} // namespace

TColumnCalcType TFloatingFooter::GetColumnCalc(Integer c) const
{
    TExStringGrid* G = FooterGrid(FGrid);
    if (!IsFooterColumn(G, c) || !G->HasCellProperties(c, G->RowCount() - 1))
        return acNONE;
    return G->CellProperties(c, G->RowCount() - 1)->CalcType();
}

void TFloatingFooter::SetColumnCalc(Integer c, TColumnCalcType Value)
{
    TExStringGrid* G = FooterGrid(FGrid);
    if (!IsFooterColumn(G, c))
        return;
    G->CellProperties(c, G->RowCount() - 1)->SetCalcType(Value);
    G->CalcFooter(c);
}
