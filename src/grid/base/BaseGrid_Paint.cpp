// The base grid's cell painter: background (gradients, selection faces,
// hover and active rows), grid lines and the cell's text.
#include "grid/base/BaseGrid.h"

#include "grid/base/ExUtil.h"

namespace {

// The colours of a selection face, by their role in DrawGradientButton.
struct TBaseGridSelectionColors {
    TColor Fill, FillTo, Mirror, MirrorTo, Border, Highlight, LowerLine, Corner;
};

const TBaseGridSelectionColors& BaseGridSelectionColors(TGridSelectionStyle Style, bool Focused)
{
    static constexpr TBaseGridSelectionColors Vista{0xFDF8F1, 0xFCEFD5, clNone, clNone, 0xFDDE99, 0xFDFBF6, 0xFDF5E7, 0xFCEDCB};
    static constexpr TBaseGridSelectionColors Win7{0xFCEBDC, 0xFCDBC1, clNone, clNone, 0xCEA27D, 0xFDF4EB, 0xFDEADB, 0xE0C5AE};
    static constexpr TBaseGridSelectionColors Office2007{0xD7FFFD, 0x58D4FC, 0x58D4FC, 0xB3F1FC,
                                                 0x8DD7D3, 0xF4FEFF, 0xCAF8FF, 0xC3D9DF};
    static constexpr TBaseGridSelectionColors Unfocused{0xF8F8F8, 0xE5E5E5, clNone, clNone, 0xD9D9D9, 0xFBFAFA, 0xF0F0F0, 0xEFEFEF};
    if (!Focused)
        return Unfocused;
    return Style == ssWin7 ? Win7 : Style == ssOffice2007 ? Office2007 : Vista;
}

} // namespace

void TBaseGrid::Paint()
{
    TObjStringGrid::Paint();
    ++FPaintID;
}

void TBaseGrid::DrawCell(Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState)
{
    // A merged area is painted once a cycle, by whichever of its cells the
    // runtime grid asks for first.
    TCellProperties* P = StoreProperties(ACol, ARow);
    if (P && P->FIsBaseCell && IsMergedCell(ACol, ARow)) {
        if (P->FPaintID == FPaintID)
            return;
        P->FPaintID = FPaintID;
    }
    DoPaintCell(Canvas(), ACol, ARow, ARect, AState, true);
}

void TBaseGrid::PaintCell(TCanvas* ACanvas, Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState)
{
    DoPaintCell(ACanvas, ACol, ARow, ARect, AState, true);
}

void TBaseGrid::PaintCellExt(TCanvas* ACanvas, Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState)
{
    DoPaintCell(ACanvas, ACol, ARow, ARect, AState, false);
}

void TBaseGrid::PaintCellContent(TCanvas* ACanvas, Integer ACol, Integer ARow, TRect ARect, TGridDrawState)
{
    DrawText(ACanvas, Cells(ACol, ARow), ARect, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
}

void TBaseGrid::PaintSelection(TCanvas* ACanvas, Integer ACol, const TRect& ARect)
{
    const TGridRect Sel = Selection();
    const Integer L = std::min(Sel.Left, Sel.Right);
    const Integer R = std::max(Sel.Left, Sel.Right);
    const Integer Kind = ACol == L && L < R ? 1 : ACol == R && R > L ? 2 : L < ACol && ACol < R ? 3 : 0;
    TRect Face = ARect;
    if (!Options().Contains(goHorzLine))
        ++Face.Bottom;
    if (!Options().Contains(goVertLine))
        ++Face.Right;
    if (UseRightToLeftAlignment()) {
        ++Face.Right;
        ++Face.Bottom;
    }
    const bool Focus = Focused() || Options().Contains(goDrawFocusSelected);
    const TBaseGridSelectionColors& C = BaseGridSelectionColors(FSelectionStyle, Focus);
    DrawGradientButton(ACanvas, C.Fill, C.FillTo, C.Mirror, C.MirrorTo, C.Highlight, C.LowerLine, C.Border, C.Corner,
                       Color(), Face, Kind);
}

void TBaseGrid::PaintLines(TCanvas* ACanvas, Integer BaseCol, const TRect& ARect, bool Fixed)
{
    TPen* Pen = ACanvas->Pen();
    Integer h = 1;
    if (Fixed) {
        Pen->SetColor(FGridFixedLineColor);
        Pen->SetWidth(1);
    } else {
        if (FGridLineWidth > 0)
            Pen->SetColor(FGridLineColor);
        Pen->SetWidth(FGridLineWidth);
        h = (FGridLineWidth + 1) / 2;
    }
    const TGridOptions O = Options();
    if ((BaseCol != 0 || !HasNodes()) && O.Contains(Fixed ? goFixedHorzLine : goHorzLine)) {
        ACanvas->MoveTo(ARect.Left - h + 1, ARect.Bottom - h);
        ACanvas->LineTo(ARect.Right - h + 1, ARect.Bottom - h);
    }
    if (O.Contains(Fixed ? goFixedVertLine : goVertLine)) {
        const Integer X = ARect.Right - h + (UseRightToLeftAlignment() ? 1 : 0);
        ACanvas->MoveTo(X, ARect.Bottom - h);
        ACanvas->LineTo(X, ARect.Top - h);
    }
}

void TBaseGrid::DoPaintCell(TCanvas* ACanvas, Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState,
                            bool Full)
{
    TBrush* Brush = ACanvas->Brush();
    TPen* Pen = ACanvas->Pen();
    if (ARow == RowCount() - 1 && FHideLastRow) {
        Brush->SetColor(Color());
        Pen->SetColor(Color());
        ACanvas->Rectangle(ARect);
        return;
    }
    Integer bc = 0;
    Integer br = 0;
    if (!IsBaseCellEx(ACol, ARow, bc, br)) {
        TCellProperties* Base = StoreProperties(bc, br);
        if (Base && Base->FPaintID != FPaintID) {
            Base->FPaintID = FPaintID;
            PaintCell(ACanvas, bc, br, ARect, AState);
        }
        return;
    }
    if (Full && IsFixed(ACol, ARow)) {
        AState.Include(gdFixed);
        AState.Exclude(gdSelected);
    }
    if (Full)
        ARect = CellRect(ACol, ARow);

    // A merged area scrolled under the fixed cells must not paint over them.
    const Integer fw = ACol >= FixedCols() ? FixedColsWidth() : 0;
    const Integer fh = ARow >= FixedRows() ? FixedRowsHeight() : 0;
    const bool Clip = (ACol >= FixedCols() && FixedCols() > 0 && ARect.Left < fw) ||
                      (ARow >= FixedRows() && FixedRows() > 0 && ARect.Top < fh);
    if (Clip)
        ACanvas->SelectClipRect(TRect(fw, fh, Width(), Height()));

    Pen->SetWidth(1);
    ACanvas->Font()->Assign(Font());
    TColor ColorTo = clNone;
    TColor MirrorColor = clNone;
    TColor MirrorColorTo = clNone;
    TAlignment HA = taLeftJustify;
    TVAlignment VA = vtaTop;
    bool WW = FWordWrap;
    TCellGradientDirection GD = GradientVertical;
    GetVisualProperties(ACol, ARow, AState, false, true, true, Brush, ColorTo, MirrorColor, MirrorColorTo,
                        ACanvas->Font(), HA, VA, WW, GD);
    Pen->SetColor(Brush->Color());

    const bool SelectedOut = AState.Contains(gdSelected) && !FHoverRowCells.Contains(hcSelected);
    const bool FixedOut = AState.Contains(gdFixed) && !FHoverRowCells.Contains(hcFixed);
    if (ARow == FHoverRowIdx && FHoverRow && !SelectedOut && !FixedOut) {
        Brush->SetColor(FHoverRowColor);
        ColorTo = FHoverRowColorTo;
        MirrorColor = clNone;
        MirrorColorTo = clNone;
        GD = GradientVertical;
    }
    if ((FActiveRowShow && ARow == Row() && ACol >= FixedCols() && (ACol != Col() || !FShowSel)) ||
        (!Full && AState.Contains(gdSelected))) {
        Brush->SetColor(FActiveRowColor);
        ColorTo = FActiveRowColorTo;
        MirrorColor = FActiveRowMirrorColor;
        MirrorColorTo = FActiveRowMirrorColorTo;
    }
    Pen->SetColor(Brush->Color());

    const bool Fixed = AState.Contains(gdFixed);
    if (AState.Contains(gdSelected) && FSelectionStyle != ssDefault && FShowSel) {
        PaintSelection(ACanvas, ACol, ARect);
    } else if (!(UseVCLStyles() && (Fixed || AState.Contains(gdSelected)))) {
        if (MirrorColorTo == clNone)
            DrawGradient(ACanvas, Brush->Color(), ColorTo, GD == GradientHorizontal, ARect, 64);
        else
            DrawGradientBackground(ACanvas, ARect, Brush->Color(), true, false, clNone, GradientVertical,
                                   MirrorColorTo, MirrorColor, ColorTo);
    }

    PaintLines(ACanvas, bc, ARect, Fixed);

    if (Full) {
        TRect Content = ARect;
        if (Fixed) {
            Content.Right -= 1;
            Content.Bottom -= 2;
        } else {
            InflateRect(Content, -FGridLineWidth, -FGridLineWidth);
        }
        PaintCellContent(ACanvas, ACol, ARow, Content, AState);
    }

    if (Clip)
        ACanvas->SelectClipRgn({});
    Brush->SetStyle(bsSolid);
    Pen->SetStyle(psSolid);
}
