// Grids: painting the cells, the lines, the focus rectangle and the drag
// feedback.
#include "rtl/Grids.h"

#include <algorithm>

namespace {

// Lines of normal cells and of fixed cells.
constexpr TColor GridsLineColor = clSilver;
constexpr TColor GridsFixedLineColor = clGray;

struct TGridsLine {
    Integer Index;
    Integer Pos;
};

} // namespace

void TCustomGrid::Paint()
{
    TCanvas* C = Canvas();
    const TRect Client = ClientRect();
    const bool HasFocus = Focused() || EditorHasFocus();
    const TGridRect Sel = Selection();
    const bool RowSelect = FOptions.Contains(goRowSelect);
    const bool EditorShown = EditorShowing();

    // The columns and rows in view, fixed ones first.
    auto Collect = [&](bool Rows) {
        std::vector<TGridsLine> L;
        const Integer Client = AxisClient(Rows);
        Integer P = 0;
        auto Add = [&](Integer I) {
            if (AxisExtent(Rows, I) > 0)
                L.push_back({I, P});
            P += AxisExtent(Rows, I);
        };
        for (Integer I = 0; I < AxisFixed(Rows) && P < Client; ++I)
            Add(I);
        for (Integer I = AxisFirst(Rows); I < AxisCount(Rows) && P < Client; ++I)
            Add(I);
        return std::make_pair(L, P);
    };
    const auto [Cols, ColsEnd] = Collect(false);
    const auto [Rows, RowsEnd] = Collect(true);

    C->Font()->Assign(Font());
    const TColor TextColor = Font()->Color();
    for (const TGridsLine& R : Rows) {
        for (const TGridsLine& Cl : Cols) {
            const TRect CellR(Cl.Pos, R.Pos, Cl.Pos + AxisSize(false, Cl.Index), R.Pos + AxisSize(true, R.Index));
            const bool Fixed = Cl.Index < FFixedCols || R.Index < FFixedRows;
            TGridDrawState State;
            if (Fixed) {
                State.Include(gdFixed);
            } else {
                const bool IsCurrent = Cl.Index == FCurrent.X && R.Index == FCurrent.Y;
                if (IsCurrent && HasFocus)
                    State.Include(gdFocused);
                const bool InSel = Cl.Index >= Sel.Left && Cl.Index <= Sel.Right && R.Index >= Sel.Top &&
                                   R.Index <= Sel.Bottom;
                if (InSel && (!IsCurrent || RowSelect || FOptions.Contains(goDrawFocusSelected)))
                    State.Include(gdSelected);
            }
            const TColor Back = Fixed ? FFixedColor : State.Contains(gdSelected) ? clHighlight : Color();
            C->Brush()->SetStyle(bsSolid);
            C->Brush()->SetColor(Back);
            C->Font()->SetColor(State.Contains(gdSelected) ? clHighlightText : TextColor);
            if (FDefaultDrawing)
                C->FillRect(CellR);
            DrawCell(Cl.Index, R.Index, CellR, State);
            if (FDefaultDrawing && State.Contains(gdFocused) && !RowSelect && !EditorShown)
                C->DrawFocusRect(CellR);
            C->Brush()->SetStyle(bsSolid);
            C->Brush()->SetColor(Back);
            DrawLines(Cl.Index, R.Index, CellR, Fixed);
        }
    }

    // One focus rectangle around the visible part of the current row.
    if (FDefaultDrawing && RowSelect && HasFocus && !Cols.empty()) {
        const Integer Y = AxisPos(true, FCurrent.Y);
        const auto FirstNormal = std::find_if(Cols.begin(), Cols.end(),
                                              [&](const TGridsLine& L) { return L.Index >= FFixedCols; });
        if (Y >= 0 && FCurrent.Y >= FFixedRows && FirstNormal != Cols.end()) {
            const TGridsLine& Last = Cols.back();
            C->DrawFocusRect(TRect(FirstNormal->Pos, Y, Last.Pos + AxisSize(false, Last.Index),
                                   Y + AxisSize(true, FCurrent.Y)));
        }
    }

    // Beyond the last column and row.
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Color());
    if (ColsEnd < Client.Right)
        C->FillRect(TRect(ColsEnd, 0, Client.Right, Client.Bottom));
    if (RowsEnd < Client.Bottom)
        C->FillRect(TRect(0, RowsEnd, std::min(ColsEnd, Client.Right), Client.Bottom));
    DrawDragFeedback();
}

void TCustomGrid::DrawLines(Integer, Integer, const TRect& R, bool Fixed)
{
    // The gap after a cell shows the line when its option is on and the
    // cell's own background otherwise (the brush holds it on entry).
    TCanvas* C = Canvas();
    const TColor Back = C->Brush()->Color();
    const TColor Line = Fixed ? GridsFixedLineColor : GridsLineColor;
    const Integer VW = AxisLineWidth(false);
    const Integer HW = AxisLineWidth(true);
    if (VW > 0) {
        const bool On = FOptions.Contains(Fixed ? goFixedVertLine : goVertLine);
        C->Brush()->SetColor(On ? Line : Back);
        C->FillRect(TRect(R.Right, R.Top, R.Right + VW, R.Bottom + HW));
    }
    if (HW > 0) {
        const bool On = FOptions.Contains(Fixed ? goFixedHorzLine : goHorzLine);
        C->Brush()->SetColor(On ? Line : Back);
        C->FillRect(TRect(R.Left, R.Bottom, R.Right + (On ? VW : 0), R.Bottom + HW));
    }
    C->Brush()->SetColor(Back);
}

void TCustomGrid::DrawDragFeedback()
{
    TCanvas* C = Canvas();
    const TRect Client = ClientRect();
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(clBlack);
    switch (FGridState) {
    case gsColSizing:
        C->FillRect(TRect(FSizingPos, 0, FSizingPos + 1, Client.Bottom));
        break;
    case gsRowSizing:
        C->FillRect(TRect(0, FSizingPos, Client.Right, FSizingPos + 1));
        break;
    case gsColMoving:
    case gsRowMoving: {
        // A bar on the edge where the moved column (row) would land.
        const bool Rows = FGridState == gsRowMoving;
        if (FMovePos < 0 || FMovePos == FMoveIndex)
            break;
        const Integer P = AxisPos(Rows, FMovePos);
        if (P < 0)
            break;
        const Integer Edge = FMovePos > FMoveIndex ? P + AxisSize(Rows, FMovePos) : P;
        if (Rows)
            C->FillRect(TRect(0, Edge - 1, Client.Right, Edge + 1));
        else
            C->FillRect(TRect(Edge - 1, 0, Edge + 1, Client.Bottom));
        break;
    }
    default:
        break;
    }
}
