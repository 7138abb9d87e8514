// The floating footer's setters, which switch the grid's fixed footer row,
// its hidden last row and the footer panel, and its calculation kinds,
// kept in the properties of each column's cell in the grid's last row.
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

void TFloatingFooter::ApplyHideLastRow()
{
    if (TExStringGrid* G = FooterGrid(FGrid))
        G->FHideLastRow = FVisible && FFooterStyle == fsFixedLastRow;
}

// The fixed footer row follows only a change of visibility, so that the
// grid's own brackets that hide a hidden footer leave its footer rows alone.
void TFloatingFooter::SetVisible(bool Value)
{
    const bool Changes = Value != FVisible;
    FVisible = Value;
    if (TExStringGrid* G = FooterGrid(FGrid)) {
        G->FFooterPanel->SetHeight(Value ? FHeight - 1 : 0);
        G->FFooterPanel->SetVisible(Value);
        if (Changes)
            G->SetFixedFooters(Value && FFooterStyle == fsFixedLastRow ? 1 : 0);
        ApplyHideLastRow();
        G->Invalidate();
    }
    Changed();
}

void TFloatingFooter::SetFooterStyle(TFooterStyle Value)
{
    FFooterStyle = Value;
    ApplyHideLastRow();
    if (TExStringGrid* G = FooterGrid(FGrid)) {
        G->Invalidate();
        G->FFooterPanel->Invalidate();
    }
    Changed();
}

void TFloatingFooter::SetHeight(Integer Value)
{
    FHeight = Value;
    TExStringGrid* G = FooterGrid(FGrid);
    if (G && Value > 0)
        G->FFooterPanel->SetHeight(Value - 1);
    Changed();
}

void TFloatingFooter::SetShowHint(bool Value)
{
    FShowHint = Value;
    if (TExStringGrid* G = FooterGrid(FGrid))
        G->FFooterPanel->SetShowHint(Value);
    Changed();
}
