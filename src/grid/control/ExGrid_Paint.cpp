// The string grid's painting: a cell's look (colours, font, alignment,
// gradient), the parts of one cell in their order, header looks and edges,
// the cell's own borders, and the grid's paint handler.
#include "grid/control/ExGrid_Paint.h"

#include "grid/base/ExUtil.h"
#include "rtl/Themes.h"
#include "rtl/Windows.h"

#include <algorithm>
#include <cmath>

namespace {

TColor ExGridPaintChannel(double P, Integer A, Integer B)
{
    return TColor(std::min<Int64>(255, Round(P * A + (1 - P) * B)));
}

bool ExGridIsOwnColourType(TCellType T)
{
    return T == ctNone || T == ctRotated || T == ctEmpty;
}

bool ExGridHasHeaderGradient(TGridLook Look)
{
    return Look == glQVX || Look == glXP || Look == glVista || Look == glWin7 || Look == glOffice2007;
}

// A solid fill, a vertical gradient, or an upper and a lower gradient when
// a mirror colour is set; framed in Border unless that is clNone.
void ExGridFillHeader(TCanvas* C, const TRect& R, TColor From, TColor To, TColor MirrorFrom, TColor MirrorTo,
                      TColor Border, bool SidesOnly)
{
    DrawGradientBackground(C, R, From, true, SidesOnly, Border, GradientVertical, MirrorTo, MirrorFrom, To);
}

} // namespace

void ApplyCellPropertiesFont(TCellProperties* P, TFont* AFont)
{
    if (P->FontColor() != clNone)
        AFont->SetColor(P->FontColor());
    if (!P->FontStyle().Empty())
        AFont->SetStyle(P->FontStyle());
    if (P->FontSize() != 0)
        AFont->SetSize(P->FontSize());
    if (!P->FontName().isEmpty())
        AFont->SetName(P->FontName());
}

// ---------------------------------------------------------------- colours

TColor TExStringGrid::BlendColor(TColor Color1, TColor Color2, Integer Percent)
{
    if (Percent >= 100)
        return Color1;
    if (Percent < 1 || Color1 == clNone)
        return Color2;
    if (Color2 == clNone)
        return Color1;
    const TColor A = ColorToRGB(Color1);
    const TColor B = ColorToRGB(Color2);
    const double P = Percent / 100.0;
    return RGB(Byte(ExGridPaintChannel(P, GetRValue(A), GetRValue(B))),
               Byte(ExGridPaintChannel(P, GetGValue(A), GetGValue(B))),
               Byte(ExGridPaintChannel(P, GetBValue(A), GetBValue(B))));
}

TColor TExStringGrid::BlendColorIf(TColor Color1, TColor Color2, bool Mix, Integer Percent)
{
    return Mix ? BlendColor(Color1, Color2, Percent) : Color1;
}

// ---------------------------------------------------------------- a cell's look

bool TExStringGrid::IsHeaderCell(Integer ACol, Integer ARow)
{
    return ACol < FixedCols() || ARow < FixedRows() || IsFixedCell(ACol, ARow);
}

void TExStringGrid::GetVisualProperties(Integer ACol, Integer ARow, TGridDrawState& AState, bool Print, bool Select,
                                        bool Remap, TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor,
                                        TColor& AMirrorColorTo, TFont* AFont, TAlignment& HA, TVAlignment& VA,
                                        bool& WW, TCellGradientDirection& GD)
{
    const Integer FC = FixedCols();
    const Integer FR = FixedRows();
    const bool UsePrintFonts = Print && !FPrintSettings->UseDisplayFont();
    if (ACol >= FC && ARow >= FR)
        AFont->Assign(UsePrintFonts ? FPrintSettings->Font() : Font());
    else
        AFont->Assign(UsePrintFonts ? FPrintSettings->FixedFont() : FFixedFont.get());

    const Integer RCol = Remap ? RealColIndex(ACol) : ACol;
    const bool RealRows = (FMouseActions->DisjunctRowSelect() && FMouseActions->RowSelectPersistent()) ||
                          FUseEnabledRows;
    const Integer SelRow = RealRows ? RealRowIndex(ARow) : ARow;
    const bool Header = IsHeaderCell(ACol, ARow);

    TColor Brush = clNone;
    AColorTo = clNone;
    AMirrorColor = clNone;
    AMirrorColorTo = clNone;
    bool OwnColour = false;
    if (HasCellProperties(RCol, ARow)) {
        TCellProperties* P = CellProperties(RCol, ARow);
        if (P->BrushColor() != clNone) {
            Brush = P->BrushColor();
            OwnColour = ExGridIsOwnColourType(GetCellType(RCol, ARow));
        }
        ApplyCellPropertiesFont(P, AFont);
        WW = P->WordWrap();
        AColorTo = P->BrushColorTo();
        GD = P->GradientDirection();
    }
    if (AState.Contains(gdSelected))
        GD = GradientVertical;

    if (Brush == clNone) {
        Brush = Color();
        const Integer Cycle = FBands->PrimaryLength() + FBands->SecondaryLength();
        const bool BandsApply = FBands->Active() && (Print == FBands->Print() || !Print);
        if (BandsApply && ACol >= FC && ACol < ColCount() + FNumHidden - FFixedRightCols && ARow >= FR &&
            ARow < RowCount() - FFixedFooters && Cycle > 0)
            Brush = (ARow - FR) % Cycle < FBands->PrimaryLength() ? FBands->PrimaryColor() : FBands->SecondaryColor();
        if (ACol < FC || ARow < FR || ACol >= ColCount() - FFixedRightCols || ARow >= RowCount() - FFixedFooters)
            Brush = FixedColor();
    }
    ABrush->SetColor(Brush);

    if (Header && !OwnColour) {
        if (!Print) {
            ABrush->SetColor(FixedColor());
            AFont->Assign(FFixedFont.get());
            AState.Include(gdFixed);
        }
        if (FLook > glClassic) {
            ABrush->SetColor(FQVXGradientFrom);
            AColorTo = FQVXGradientTo;
            AMirrorColor = FQVXGradientMirrorFrom;
            AMirrorColorTo = FQVXGradientMirrorTo;
        }
    }

    if (Print)
        GetCellPrintColor(RCol, ARow, AState, ABrush, AFont);
    else
        GetCellColor(RCol, ARow, AState, ABrush, AFont);
    if (OnGetCellGradient) {
        TColor Value = ABrush->Color();
        OnGetCellGradient(this, ARow, RCol, Value, AColorTo, AMirrorColor, AMirrorColorTo, GD);
        ABrush->SetColor(Value);
    }
    FUnselectedBrushColor = ABrush->Color();
    FUnselectedFontColor = AFont->Color();

    const auto ShowSelected = [&] {
        ABrush->SetColor(FSelectionColor);
        AColorTo = FSelectionColorTo;
        AMirrorColor = FSelectionMirrorColor;
        AMirrorColorTo = FSelectionMirrorColorTo;
        if (FSelectionTextColor != clNone)
            AFont->SetColor(FSelectionTextColor);
    };
    const bool MouseDown = FGridState == gsSelecting;
    const bool DataCell = ACol >= FC && ARow >= FR && !Header;
    const bool MaySelect = Select && !Print && FShowSelection && DataCell;
    if (MaySelect && FMouseActions->DisjunctRowSelect()) {
        const bool InList = RowSelect(SelRow);
        if ((InList && !(MouseDown && ARow == Row())) || (MouseDown && !InList && AState.Contains(gdSelected))) {
            AState = TGridDrawState{gdSelected};
            ShowSelected();
        } else {
            AState.Exclude(gdSelected);
        }
    }
    if (MaySelect && FMouseActions->DisjunctColSelect()) {
        const bool InList = ColSelect(ACol);
        if ((InList && !(MouseDown && ACol == Col())) || (MouseDown && !InList && AState.Contains(gdSelected))) {
            AState = TGridDrawState{gdSelected};
            ShowSelected();
        }
    }
    const bool NoDisjunct = !FMouseActions->DisjunctRowSelect() && !FMouseActions->DisjunctColSelect();
    if ((Select && !Print && FShowSelection && !Header && NoDisjunct && IsSelected(ACol, ARow)) ||
        (AState.Contains(gdSelected) && MouseDown && FShowSelection)) {
        const TColor Under = ABrush->Color();
        ShowSelected();
        if (Under != Color())
            ABrush->SetColor(BlendColorIf(FSelectionColor, Under, FSelectionColorMixer, FSelectionColorMixerFactor));
        AState.Include(gdSelected);
    }
    if (FMouseActions->DisjunctCellSelect() && FShowSelection) {
        if (FSelectedCells->HasValue((ARow << 16) | (ACol & 0xFFFF))) {
            ShowSelected();
            AState.Include(gdSelected);
        } else if (ACol == Col() && ARow == Row()) {
            AState.Exclude(gdSelected);
            ABrush->SetColor(FUnselectedBrushColor);
            AFont->SetColor(FUnselectedFontColor);
        }
    }
    if (FUseDisabledFont && ((FUseEnabledRows && !RowEnabled(SelRow)) || !Enabled()))
        AFont->SetColor(FDisabledFontColor);
    if (AState.Contains(gdSelected) && ARow != Row() && FMouseActions->DisjunctRowSelect() &&
        FSelectionColorTo == clNone)
        ABrush->SetColor(ScaleColorPercent(ABrush->Color(), 7));

    GetCellWordWrap(RCol, ARow, WW);
    std::tie(HA, VA) = GetCellAlignment(RCol, ARow);
}

void TExStringGrid::GetFontProperties(Integer ACol, Integer RCol, Integer ARow, TGridDrawState& AState, TFont* AFont,
                                      TBrush* ABrush, bool Remap)
{
    const Integer DCol = Remap ? ACol : DisplColIndex(ACol);
    AFont->Assign(IsHeaderCell(DCol, ARow) ? FFixedFont.get() : Font());
    if (HasCellProperties(RCol, ARow))
        ApplyCellPropertiesFont(CellProperties(RCol, ARow), AFont);
    GetCellColor(RCol, ARow, AState, ABrush, AFont);
}

void TExStringGrid::GetCellDefaults(Integer ACol, Integer ARow, TFont* AFont, TBrush* ABrush, TColor& ColorTo,
                                    TColor& MirrorColor, TColor& MirrorColorTo, TAlignment& HA, TVAlignment& VA,
                                    bool& WW, TCellGradientDirection& GD)
{
    TGridDrawState State;
    GetVisualProperties(ACol, ARow, State, false, false, false, ABrush, ColorTo, MirrorColor, MirrorColorTo, AFont,
                        HA, VA, WW, GD);
    const TBackGroundDisplay Display = FBackGround->Display();
    if (State.Contains(gdFixed) || IsHeaderCell(DisplColIndex(ACol), ARow) || FBands->Active() ||
        Display == bdGradientHorz || Display == bdGradientVert || State.Contains(gdSelected)) {
        ABrush->SetColor(clNone);
        ColorTo = clNone;
    }
}

// ---------------------------------------------------------------- the grid's paint handler

void TExStringGrid::Paint()
{
    TCanvas* C = Canvas();
    C->Pen()->SetStyle(psSolid);
    C->Brush()->SetStyle(bsSolid);
    TBaseGrid::Paint();
    if (EditorMode() && InplaceEditor() && InplaceEditor()->Visible()) {
        const bool NoLines = GridLineWidth() < 1 || !(Options().Contains(goHorzLine) || Options().Contains(goVertLine));
        C->Pen()->SetColor(NoLines ? Color() : GridLineColor());
        const TRect R = CellRect(Col(), Row());
        C->Rectangle(R.Left - 1, R.Top - 1, R.Right + 1, R.Bottom + 1);
    }
    C->Pen()->SetColor(clBlack);
    if (FUpdateCount <= 0)
        PaintBorder();
    if ((FBackGround->Bitmap() && !FBackGround->Bitmap()->Empty()) || FBackGround->ColorTo() != clNone)
        PaintBackgroundOutside();
    PaintDesignHelper();
    PaintMoveLines();
    PaintPanMark();
    if (OnPainted)
        OnPainted(this);
}

void TExStringGrid::DrawCell(Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState)
{
    const TRect R = ARect;
    TBaseGrid::DrawCell(ACol, ARow, R, AState);
}

void TExStringGrid::PaintCellContent(TCanvas* ACanvas, Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState)
{
    TExGridCellPainter(*this, ACanvas, ACol, ARow, ARect, AState).Paint();
}

// ---------------------------------------------------------------- one cell

TExGridCellPainter::TExGridCellPainter(TExStringGrid& AGrid, TCanvas* ACanvas, Integer ACol, Integer ARow,
                                       const TRect& ARect, TGridDrawState AState)
    : G(AGrid), C(ACanvas), Col(ACol), RCol(AGrid.RealColIndex(ACol)), Row(ARow), R(ARect), State(AState),
      Header(AGrid.IsHeaderCell(ACol, ARow))
{
    const TMouseActions* M = G.FMouseActions.get();
    SelRow = M->DisjunctRowSelect() && M->RowSelectPersistent() ? G.RealRowIndex(ARow) : ARow;
}

void TExGridCellPainter::Paint()
{
    G.SetCtl3D(!G.Flat());
    if (Row == G.FFilterRow) {
        TStringList Values;
        FilterGlyph = G.GetFilterList(RCol, &Values);
    }
    ResolveLook();
    PaintHeaderBackground();
    PaintRowIndicator();
    PaintListViewHeader();
    PaintModifiedMark();
    if (G.OnCustomCellBkgDraw)
        G.OnCustomCellBkgDraw(&G, C, RCol, Row, State, R, false);
    PaintEditorButtons();
    if (InterfaceUnderText()) {
        TRect Under = R;
        InflateRect(Under, 1, 1);
        DrawGraphicIn(Under);
    }
    if (TextIsDrawn())
        DrawCellText();
    R.Right += RightCut;
    C->Brush()->SetColor(LookBrushColor);
    C->Font()->SetColor(LookFontColor);
    InflateRect(R, 1, 1);
    DrawCellBorders();
    PaintHeaderEdges();
    PaintTreeLines();
    PaintGraphic();
    RaiseDrawEvents();
    PaintFocusRect();
}

void TExGridCellPainter::ResolveLook()
{
    WW = G.WordWrap();
    G.GetVisualProperties(Col, Row, State, false, false, true, C->Brush(), ColorTo, MirrorColor, MirrorColorTo,
                          C->Font(), HA, VA, WW, GD);
    Graphic = G.GetCellGraphicInfo(RCol, Row, GW, GH, GraphicHAlign, GraphicVAlign, TextAllowed);
    if (RCol == 0 && G.IsNode(Row) && G.HasCellProperties(0, Row))
        GW = G.CellProperties(0, Row)->NodeLevel() * 12 + 4;
    if (State.Contains(gdSelected) && !State.Contains(gdFocused) && G.SelectionColor() == clNone)
        C->Brush()->SetColor(clHighlight);
    if (G.ZoomFactor() != 0)
        C->Font()->SetSize(C->Font()->Size() + G.ZoomFactor());
    LookBrushColor = C->Brush()->Color();
    LookFontColor = C->Font()->Color();
}

void TExGridCellPainter::PaintHeaderBackground()
{
    if (!Header || !ExGridHasHeaderGradient(G.Look()))
        return;
    const bool MayHover = (Col < G.FixedCols() && (G.HoverFixedCells() == hfAll || G.HoverFixedCells() == hfFixedColumns)) ||
                          (Row < G.FixedRows() && (G.HoverFixedCells() == hfAll || G.HoverFixedCells() == hfFixedRows));
    const bool ActiveHeading = G.ActiveCellShow() &&
                               ((G.FixedCols() > 0 && Col == G.FixedCols() - 1 && Row == G.Row()) ||
                                (G.FixedRows() > 0 && Row == G.FixedRows() - 1 && Col == G.Col()));
    const TSortSettings* S = G.SortSettings();
    const bool SortedHeading = S->Column() != -1 && S->HeaderColor() != clNone && Row == G.FixedRows() - 1 &&
                               RCol == S->Column() && (Col >= G.FixedCols() || S->FixedCols());
    if (MayHover && G.FHoverFixedCell == TPoint(Col, Row) && !G.IsDesigning())
        PaintHeaderHover();
    else if (ActiveHeading)
        ExGridFillHeader(C, R, G.ActiveCellColor(), G.ActiveCellColorTo(), clNone, clNone, clNone, false);
    else if (SortedHeading)
        ExGridFillHeader(C, R, S->HeaderColor(), S->HeaderColorTo(), S->HeaderMirrorColor(), S->HeaderMirrorColorTo(),
                         clNone, false);
    else if (!G.Flat())
        ExGridFillHeader(C, R, C->Brush()->Color(), ColorTo, MirrorColor, MirrorColorTo,
                         G.Look() == glVista ? clWhite : clNone, G.Look() == glVista);
}

void TExGridCellPainter::PaintHeaderHover()
{
    const TControlLook* L = G.ControlLook();
    TRect H = R;
    H.Bottom += 1;
    if (G.FGridState == gsSelecting)
        ExGridFillHeader(C, H, L->FixedGradientDownFrom(), L->FixedGradientDownTo(), L->FixedGradientDownMirrorFrom(),
                         L->FixedGradientDownMirrorTo(), L->FixedGradientDownBorder(), false);
    else
        ExGridFillHeader(C, H, L->FixedGradientHoverFrom(), L->FixedGradientHoverTo(),
                         L->FixedGradientHoverMirrorFrom(), L->FixedGradientHoverMirrorTo(),
                         L->FixedGradientHoverBorder(), false);
}

void TExGridCellPainter::PaintRowIndicator()
{
    TBitmap* Indicator = G.RowIndicator();
    const bool NoDataRows = G.FixedRowAlways() && G.RowCount() <= G.FixedRows();
    if (Col != 0 || Row != G.Row() || G.FixedCols() == 0 || Indicator->Empty() || NoDataRows)
        return;
    const Integer H = Indicator->Height();
    const Integer Top = G.VAlignment() == vtaCenter ? R.Top + (R.Height() - H) / 2
                        : G.VAlignment() == vtaBottom ? R.Bottom - H
                                                      : R.Top;
    Indicator->SetTransparent(true);
    C->Draw(R.Left + 2, Top, Indicator);
    R.Left += Indicator->Width() + 2;
}

void TExGridCellPainter::PaintListViewHeader()
{
    if (!Header || G.Flat() || G.Look() != glListView)
        return;
    if (ThemeServices()->ThemesEnabled()) {
        TRect H = R;
        H.Bottom += 1;
        const bool Hot = G.FHoverFixedCell == TPoint(Col, Row);
        const TThemedHeader Item = !Hot ? thHeaderItemNormal : G.FGridState == gsSelecting ? thHeaderItemPressed
                                                                                         : thHeaderItemHot;
        ThemeServices()->DrawElement(C, ThemeServices()->GetElementDetails(Item), H);
        C->Pen()->SetColor(clWhite);
        C->MoveTo(R.Left, R.Top);
        C->LineTo(R.Right, R.Top);
    } else {
        C->Brush()->SetColor(clBtnFace);
        C->Pen()->SetColor(clWhite);
        C->Rectangle(R);
    }
}

void TExGridCellPainter::PaintModifiedMark()
{
    TShowModified* M = G.ShowModified();
    if (Col != 0 || !M->Enabled() || !G.RowModified(Row))
        return;
    FillRectColor(C, TRect(R.Right - 4, R.Top, R.Right, R.Bottom), M->Color());
}

void TExGridCellPainter::PaintEditorButtons()
{
    const TControlLook* L = G.ControlLook();
    if (Header || !(L->DropDownAlwaysVisible() || L->SpinButtonsAlwaysVisible()))
        return;
    const Integer Look = L->FlatButton() ? 2 : ThemeServices()->ThemesEnabled() ? 0 : 1;
    bool CanEdit = true;
    G.CanEditCell(RCol, Row, CanEdit);
    const Integer ButtonState = CanEdit ? 0 : 3;
    const TColorTones& Tones = G.Tones();
    if (G.HasComboBox(RCol, Row)) {
        DrawComboButton(C, G.Handle(), TRect(R.Left - 2, R.Top - 1, R.Right + 1, R.Bottom), ButtonState, Look, Tones);
        R.Right -= 16;
        RightCut += 16;
    }
    if (G.HasSpinEdit(RCol, Row)) {
        DrawSpinButtons(C, G.Handle(), R, ButtonState, Look, Tones);
        R.Right -= 16;
        RightCut += 16;
    }
}

bool TExGridCellPainter::TextIsDrawn() const
{
    if (Graphic && G.NoImageAndText())
        return false;
    return !((G.OnDrawCell || G.OnCustomCellDraw) && G.NoDefaultDraw());
}

bool TExGridCellPainter::InterfaceUnderText() const
{
    if (!Graphic || Graphic->CellType() != ctInterface)
        return false;
    const auto* Object = dynamic_cast<const IGridCellInterface*>(Graphic->CellBitmap());
    return Object && Object->DrawUnderText();
}

// ---------------------------------------------------------------- borders and edges

void TExGridCellPainter::DrawCellBorders()
{
    TPen* Pen = C->Pen();
    TPen Saved;
    Saved.Assign(Pen);
    TCellBorders Sides;
    G.GetCellBorder(RCol, Row, Pen, Sides);
    TPen Left, Top, Right, Bottom;
    Left.Assign(Pen);
    Top.Assign(Pen);
    Right.Assign(Pen);
    Bottom.Assign(Pen);
    if (G.OnGetCellBorderProp)
        G.OnGetCellBorderProp(&G, Row, RCol, &Left, &Top, &Right, &Bottom);
    const Integer W = (Pen->Width() + 1) / 2;
    const Integer Hv = G.Options().Contains(goVertLine) ? W : 0;
    const Integer Hh = G.Options().Contains(goHorzLine) ? W : 0;
    const Integer GLW = G.GridLineWidth();
    const Integer L = R.Left + Hv;
    const Integer Rt = R.Right - Hv;
    const Integer B = R.Bottom - Hh;
    const auto Line = [&](TPen& P, Integer X1, Integer Y1, Integer X2, Integer Y2) {
        Pen->Assign(&P);
        C->MoveTo(X1, Y1);
        C->LineTo(X2, Y2);
    };
    if (Sides.Contains(cbLeft))
        Line(Left, std::max(0, L), R.Top, std::max(0, L), B);
    if (Sides.Contains(cbRight))
        Line(Right, Rt - 1, R.Top, Rt - 1, B);
    if (Sides.Contains(cbTop)) {
        const Integer Y = GLW == 0 ? R.Top + Hh + 1 : std::max(0, R.Top + Hh - GLW);
        Line(Top, L, Y, Rt, Y);
    }
    if (Sides.Contains(cbBottom))
        Line(Bottom, L - GLW - 1, B - 1, Rt, B - 1);
    Pen->Assign(&Saved);
}

void TExGridCellPainter::PaintHeaderEdges()
{
    const bool RightFixed = G.FixedRightCols() > 0 && Col >= G.ColCount() - G.FixedRightCols();
    if (G.Flat() && !RightFixed)
        return;
    TPen* Pen = C->Pen();
    const TGridOptions O = G.Options();
    const TColor Dark = HalveColor(ColorToRGB(G.FixedColor()));
    if (Header && !G.Flat() && G.Look() == glClassic) {
        TRect E(R.Left + 1, R.Top + 1, R.Right, R.Bottom + 1);
        DrawEdge(C, E, BDR_RAISEDINNER, BF_LEFT | BF_TOP);
        DrawEdge(C, E, EDGE_RAISED, BF_RIGHT | BF_BOTTOM);
        Pen->SetColor(clBlack);
        C->MoveTo(E.Right - 1, E.Top);
        C->LineTo(E.Right - 1, E.Bottom - 1);
        C->LineTo(E.Left - 1, E.Bottom - 1);
    } else if (Header && !G.Flat() && (G.Look() == glQVX || G.Look() == glXP)) {
        const TRect E(R.Left, R.Top, R.Right, R.Bottom + 1);
        if (O.Contains(goFixedHorzLine)) {
            Pen->SetColor(Dark);
            C->MoveTo(E.Left, E.Bottom - 1);
            C->LineTo(E.Right, E.Bottom - 1);
        }
        Pen->SetColor(clWhite);
        C->MoveTo(E.Right - 2, E.Top + 1);
        C->LineTo(E.Left + 1, E.Top + 1);
        C->LineTo(E.Left + 1, E.Bottom - 1);
    } else if (Header && !G.Flat() && G.Look() == glSoft) {
        PaintSoftEdges(!G.Ctl3D());
    } else if (RightFixed && G.Look() != glClassic && !G.Ctl3D()) {
        PaintSoftEdges(true);
    }
}

// glSoft: with a 3-D look dark and white lines inside the cell, else black
// (gray when Flat) lines one pixel outside it.
void TExGridCellPainter::PaintSoftEdges(bool Outside)
{
    TPen* Pen = C->Pen();
    const TGridOptions O = G.Options();
    if (Outside) {
        Pen->SetColor(G.Flat() ? clGray : clBlack);
        if (O.Contains(goFixedHorzLine)) {
            C->MoveTo(R.Left - 1, R.Top - 1);
            C->LineTo(R.Right + 1, R.Top - 1);
            C->MoveTo(R.Left - 1, R.Bottom);
            C->LineTo(R.Right + 1, R.Bottom);
        }
        if (O.Contains(goFixedVertLine)) {
            C->MoveTo(R.Left - 1, R.Top - 1);
            C->LineTo(R.Left - 1, R.Bottom + 1);
            C->MoveTo(R.Right, R.Top - 1);
            C->LineTo(R.Right, R.Bottom + 1);
        }
        return;
    }
    const TRect E(R.Left, R.Top, R.Right + 1, R.Bottom + 1);
    const TColor Dark = HalveColor(ColorToRGB(G.FixedColor()));
    if (O.Contains(goFixedHorzLine)) {
        Pen->SetColor(Dark);
        C->MoveTo(E.Left, E.Bottom - 1);
        C->LineTo(E.Right, E.Bottom - 1);
        Pen->SetColor(clWhite);
        C->MoveTo(E.Right, E.Top + 1);
        C->LineTo(E.Left + 1, E.Top + 1);
        C->LineTo(E.Left + 1, E.Bottom - 1);
    }
    if (O.Contains(goFixedVertLine)) {
        Pen->SetColor(Dark);
        C->MoveTo(E.Right - 2, E.Top);
        C->LineTo(E.Right - 2, E.Bottom - 1);
        Pen->SetColor(clWhite);
        C->MoveTo(E.Right - 1, E.Top);
        C->LineTo(E.Right - 1, E.Bottom - 1);
    }
}

void TExGridCellPainter::PaintTreeLines()
{
    const TCellNode* N = G.CellNode();
    if (RCol != 0 || Row < G.FixedRows() || !N->ShowTree() || !G.HasNodes())
        return;
    const Integer Indent = G.GetCellIndent(Row);
    const Integer NI = N->NodeIndent();
    const Integer Level = NI > 0 ? Indent / NI : 0;
    const Integer X0 = Indent + NI / 2 - NI + 2;
    const Integer Mid = R.Top + R.Height() / 2;
    C->Pen()->SetColor(N->TreeColor());
    C->Pen()->SetWidth(1);
    if (Level > 0) {
        C->MoveTo(X0, Mid);
        C->LineTo(N->ShowTreeFull() ? R.Right : Indent + 4, Mid);
    }
    const bool Last = Row >= G.RowCount() - 1;
    const bool NextIsChild = !Last && G.GetCellIndent(Row + 1) > 0;
    for (Integer I = 1; I <= Level; ++I) {
        const Integer X = X0 - NI * I;
        C->MoveTo(X, R.Top);
        C->LineTo(X, NextIsChild ? R.Bottom + 4 : Mid);
        if (!NextIsChild && I < Level)
            C->LineTo(X0 + NI - NI * I, Mid);
    }
}

// Header cells keep their top line clear of the graphic.
void TExGridCellPainter::PaintGraphic()
{
    if (!Graphic || InterfaceUnderText())
        return;
    TRect GR = R;
    if (Header)
        GR.Top += 1;
    DrawGraphicIn(GR);
}

void TExGridCellPainter::DrawGraphicIn(const TRect& Area)
{
    G.DrawCellGraphic(C, RCol, Row, State, Area, Graphic, GW, GH, TextWidth, HA, VA);
}

void TExGridCellPainter::RaiseDrawEvents()
{
    if (G.OnDrawCell) {
        const Integer GLW = G.GridLineWidth();
        G.OnDrawCell(&G, RCol, Row, TRect(R.Left + 1, R.Top + 1, R.Right - GLW, R.Bottom - GLW), State);
    }
    if (G.OnCustomCellDraw)
        G.OnCustomCellDraw(&G, C, RCol, Row, State, R, false);
}

void TExGridCellPainter::PaintFocusRect()
{
    if (G.HideFocusRect() || !G.Focused() || G.Options().Contains(goRowSelect))
        return;
    const TPoint Base = G.BaseCell(RCol, Row);
    if (G.DisplColIndex(Base.X) != G.Col() || Base.Y != G.Row())
        return;
    if (G.Col() < G.FixedCols() || G.Row() < G.FixedRows())
        return;
    TRect F = R;
    InflateRect(F, G.GridLineWidth() - 1, G.GridLineWidth() - 1);
    F.Right -= 1;
    F.Bottom -= 1;
    C->DrawFocusRect(F);
}
