// The string grid: finding, attaching and removing a cell's graphic.
#include "grid/control/ExGrid.h"

TCellGraphic* TExStringGrid::GetCellGraphic(Integer ACol, Integer ARow)
{
    if (ACol < 0 || ARow < 0 || ACol >= AllColCount() || ARow >= RowCount())
        return nullptr;
    TObject* Own = HasCellProperties(ACol, ARow) ? GetGraphicObjectEx(ACol, ARow) : nullptr;
    if (ACol == 0 && FMouseActions->HotmailRowSelect() && (!Own || dynamic_cast<TCellGraphic*>(Own)))
        return RowCheckBoxGraphic(ARow);
    return dynamic_cast<TCellGraphic*>(Own);
}

TCellType TExStringGrid::GetCellType(Integer ACol, Integer ARow)
{
    if (ACol < 0 || ARow < 0)
        return ctEmpty;
    if (ACol == 0 && FMouseActions->HotmailRowSelect())
        return ctRowCheckBox;
    TCellGraphic* Graphic = GetCellGraphic(ACol, ARow);
    return Graphic ? Graphic->CellType() : ctEmpty;
}

// The shared row check box, set up for ARow: in row 0 it stands for all
// data rows (grayed while some but not all are selected).
TCellGraphic* TExStringGrid::RowCheckBoxGraphic(Integer ARow)
{
    TCellGraphic* G = FCellGraphic.get();
    G->SetCellType(ctRowCheckBox);
    G->SetCellTransparent(FControlLook->ControlStyle() == csFlat);
    if (ARow == 0) {
        const Integer Selected = RowSelectCount();
        const Integer DataRows = RowCount() - FixedRows();
        G->SetCellAngle(Selected > 0 && Selected < DataRows ? 1 : 0);
        G->SetCellBoolean(DataRows > 0 && Selected == DataRows);
    } else {
        G->SetCellAngle(0);
        G->SetCellBoolean(RowSelect(RealRowIndex(ARow)));
    }
    return G;
}

TCellGraphic* TExStringGrid::CreateCellGraphic(Integer ACol, Integer ARow)
{
    FreeOwnGraphic(ACol, ARow);
    auto* Graphic = new TCellGraphic();
    // Attaching needs the cell's storage; an empty cell keeps its empty text.
    const bool WasEmpty = Cells(ACol, ARow).isEmpty();
    if (WasEmpty)
        SetCells(ACol, ARow, QStringLiteral(" "));
    SetGraphicObjects(ACol, ARow, Graphic);
    if (WasEmpty)
        SetCells(ACol, ARow, String());
    if (FNumHidden > 0 && DisplColIndex(ACol) != ACol)
        RepaintCell(DisplColIndex(ACol), ARow);
    return Graphic;
}

void TExStringGrid::FreeOwnGraphic(Integer ACol, Integer ARow)
{
    if (!HasCellProperties(ACol, ARow))
        return;
    TObject* Old = GetGraphicObjectEx(ACol, ARow);
    if (!Old)
        return;
    SetGraphicObjects(ACol, ARow, nullptr);
    if (auto* G = dynamic_cast<TCellGraphic*>(Old); !G || !IsSharedGraphic(G))
        delete Old;
}

bool TExStringGrid::IsSharedGraphic(TCellGraphic* G) const
{
    return G == FCellGraphic.get() || G->CellType() == ctVirtCheckBox || G->CellType() == ctRowCheckBox;
}

bool TExStringGrid::RemoveCellGraphic(Integer ACol, Integer ARow)
{
    if (!HasCellProperties(ACol, ARow) || !GetGraphicObjectEx(ACol, ARow))
        return false;
    FreeOwnGraphic(ACol, ARow);
    if (!FDestroying)
        RepaintCell(DisplColIndex(ACol), ARow);
    return true;
}

bool TExStringGrid::RemoveCellGraphicOfType(Integer ACol, Integer ARow, TCellType CellType)
{
    auto* G = HasCellProperties(ACol, ARow) ? dynamic_cast<TCellGraphic*>(GetGraphicObjectEx(ACol, ARow)) : nullptr;
    return G && G->CellType() == CellType && RemoveCellGraphic(ACol, ARow);
}

// ---------------------------------------------------------------- lookups

TIntList* TExStringGrid::GetCellImages(Integer ACol, Integer ARow)
{
    TCellGraphic* G = GetCellGraphic(ACol, ARow);
    return G && G->CellType() == ctImages ? dynamic_cast<TIntList*>(G->CellBitmap()) : nullptr;
}

std::intptr_t TExStringGrid::GetCellImageRef(Integer ACol, Integer ARow)
{
    TCellGraphic* G = GetCellGraphic(ACol, ARow);
    if (!G)
        return -1;
    switch (G->CellType()) {
    case ctBitmap:
        return reinterpret_cast<std::intptr_t>(G->CellBitmap());
    case ctIcon:
        return reinterpret_cast<std::intptr_t>(G->CellIcon());
    case ctImageList:
        return G->CellIndex();
    default:
        return -1;
    }
}

TImageList* TExStringGrid::GetGridImages()
{
    return FGridImages;
}

bool TExStringGrid::IsRotated(Integer ACol, Integer ARow, Integer& AAngle)
{
    TCellGraphic* G = GetCellGraphic(ACol, ARow);
    if (!G || G->CellType() != ctRotated)
        return false;
    AAngle = G->CellAngle();
    return true;
}
