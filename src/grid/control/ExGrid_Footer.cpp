// The string grid's floating footer: its repaint and the calculation of
// its columns into the last row (the column functions are in
// grid/data/ExGrid_Calc.cpp).
#include "grid/control/ExGrid.h"

void TExStringGrid::UpdateFooter()
{
    FFooterPanel->Invalidate();
}

void TExStringGrid::LastRowChanged()
{
    TBaseGrid::LastRowChanged();
    UpdateFooter();
}

void TExStringGrid::CalcFooter(Integer ACol)
{
    DoCalcFooter(ACol);
}

void TExStringGrid::DoCalcFooter(Integer ACol)
{
    if (!FFloatingFooter->Visible() || FFloatingFooter->FooterStyle() != fsFixedLastRow ||
        !FFloatingFooter->EnableCalculation())
        return;
    const Integer Hidden = FFloatingFooter->CalculateHiddenRows() ? NumHiddenRows() : 0;
    if (ACol != -1) {
        CalcFooterColumn(ACol, Hidden);
        return;
    }
    for (Integer C = 0; C < AllColCount(); ++C)
        CalcFooterColumn(C, Hidden);
}

void TExStringGrid::CalcFooterColumn(Integer ACol, Integer HiddenRows)
{
    const Integer Last = RowCount() - 1;
    if (ACol < 0 || ACol >= AllColCount() || Last < 0 || !HasCellProperties(ACol, Last))
        return;
    const Integer From = TBaseGrid::FixedRows();
    const Integer To = HiddenRows + RowCount() - 2;
    switch (CellProperties(ACol, Last)->CalcType()) {
    case acSUM: SetFloats(ACol, Last, ColumnSum(ACol, From, To)); break;
    case acAVG: SetFloats(ACol, Last, ColumnAvg(ACol, From, To)); break;
    case acMIN: SetFloats(ACol, Last, ColumnMin(ACol, From, To)); break;
    case acMAX: SetFloats(ACol, Last, ColumnMax(ACol, From, To)); break;
    case acDISTINCT: SetFloats(ACol, Last, ColumnDistinct(ACol, From, To)); break;
    case acSTDDEV: SetFloats(ACol, Last, ColumnStdDev(ACol, From, To)); break;
    case acCOUNT: SetInts(ACol, Last, HiddenRows + RowCount() - From - 1); break;
    case acCUSTOM: {
        String Value;
        if (OnFooterCalc)
            OnFooterCalc(this, ACol, HiddenRows + Last, Value);
        else if (FFloatingFooter->OnCalcFooter)
            FFloatingFooter->OnCalcFooter(this, ACol, HiddenRows + Last, Value);
        SetCells(ACol, Last, Value);
        break;
    }
    default: break;
    }
}
