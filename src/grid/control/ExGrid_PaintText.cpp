// The string grid's cell text: selection colours of the text, the filter
// glyph, the cell's slice of the background picture or gradient, the
// selection rectangle, then the text as mini-HTML, rich or plain text with
// URLs, password masking and the sort mark; the sort mark itself and the
// rich-text cell.
#include "grid/control/ExGrid_Paint.h"
#include "grid/control/ExGrid_RichEdit.h"

#include "controls/dropdown/ExDropDown_Draw.h"
#include "grid/base/EsgHTMLE.h"
#include "grid/base/ExUtil.h"

#include <QApplication>
#include <QPainter>

#include <algorithm>

namespace {

constexpr Integer ExGridFilterGlyphWidth = 16;

bool ExGridHoldsCheckBox(TCellGraphic* Graphic)
{
    if (!Graphic)
        return false;
    const TCellType T = Graphic->CellType();
    return T == ctCheckBox || T == ctDataCheckBox || T == ctVirtCheckBox || T == ctRowCheckBox ||
           T == ctTriStateCheckBox;
}

bool ExGridTakesBackgroundGradient(TCellGraphic* Graphic)
{
    if (!Graphic)
        return false;
    const TCellType T = Graphic->CellType();
    return ExGridHoldsCheckBox(Graphic) || T == ctRadio || T == ctButton || T == ctRadioButton;
}

} // namespace

// ---------------------------------------------------------------- the cell's text

void TExGridCellPainter::DrawCellText()
{
    LinkColor = G.URLColor();
    ApplySelectedTextLook();
    Integer Kind = 0;
    const String Text = CellDisplayText(Kind);

    TRect T = R;
    if (State.Contains(gdFixed)) {
        T.Left += G.GridLineWidth();
        T.Top += G.GridLineWidth();
    }
    if (FilterGlyph)
        PaintFilterGlyph(T);
    ApplyDisjunctLook();
    PaintBackgroundPicture(T);
    PaintBackgroundGradient(T);
    PaintSelectionRectangle(T);
    if (TextAllowed) {
        MakeRoomForGraphic(T);
        if (Kind == 1)
            DrawHTMLCellText(T, Text);
        else if (Kind == 2)
            DrawRichCellText(T);
        else
            DrawPlainCellText(T, Text);
    }
}

void TExGridCellPainter::ApplySelectedTextLook()
{
    const bool RowSelected = G.Options().Contains(goRowSelect) && Row >= G.Selection().Top &&
                             Row <= G.Selection().Bottom && Col >= G.FixedCols() &&
                             Col < G.ColCount() - G.FixedRightCols();
    if (!(State.Contains(gdSelected) || RowSelected) || State.Contains(gdFixed))
        return;
    if (G.ShowSelection()) {
        if (G.SelectionColor() != clNone)
            C->Brush()->SetColor(G.SelectionColor());
        if (G.SelectionTextColor() != clNone && G.Enabled())
            C->Font()->SetColor(G.SelectionTextColor());
        LinkColor = G.SelectionTextColor();
    } else if (!G.Focused() || ExGridHoldsCheckBox(Graphic)) {
        C->Brush()->SetColor(G.FUnselectedBrushColor);
        C->Font()->SetColor(G.FUnselectedFontColor);
        LinkColor = G.URLColor();
    }
}

void TExGridCellPainter::ApplyDisjunctLook()
{
    const TMouseActions* M = G.MouseActions();
    if (Col < G.FixedCols() || Row < G.FixedRows() || G.FGridState == gsSelecting)
        return;
    if (!((M->DisjunctRowSelect() && !G.RowSelect(SelRow)) || (M->DisjunctColSelect() && !G.ColSelect(Col))))
        return;
    LinkColor = G.URLColor();
    C->Brush()->SetColor(G.Color());
    C->Font()->SetColor(G.Font()->Color());
    G.GetCellColor(RCol, Row, State, C->Brush(), C->Font());
    if (G.ZoomFactor() != 0)
        C->Font()->SetSize(C->Font()->Size() + G.ZoomFactor());
}

// The text to show and its kind (0 plain, 1 mini-HTML, 2 rich text).
String TExGridCellPainter::CellDisplayText(Integer& Kind)
{
    String Text = G.GetFormattedCell(RCol, Row);
    Kind = GetCellTextKind(Text, G.EnableHTML());
    if (Kind == 3) {
        Text = G.GetCompareCell(RCol, Row);
        Kind = GetCellTextKind(Text, G.EnableHTML());
    }
    if (G.GetCellPassword(RCol, Row))
        Text = String(Text.size(), G.PasswordChar());
    return Text;
}

void TExGridCellPainter::PaintFilterGlyph(const TRect& T)
{
    const TFilterDropDown* F = G.FilterDropDown();
    TBitmap* Glyph = G.Filter()->HasFilter(RCol) ? F->GlyphActive() : F->Glyph();
    const TRect At(R.Right - ExGridFilterGlyphWidth, T.Top, R.Right, T.Top + ExGridFilterGlyphWidth);
    if (Glyph->Empty()) {
        DrawTransparentResBitmap(C, G.FixedColor(), At, QStringLiteral("ESGFILT"));
        return;
    }
    Glyph->SetTransparent(true);
    C->Draw(At.Left, At.Top, Glyph);
}

bool TExGridCellPainter::BackgroundCellKindMatches() const
{
    switch (G.BackGround()->Cells()) {
    case bcFixed: return State.Contains(gdFixed);
    case bcNormal: return !State.Contains(gdFixed);
    default: return true;
    }
}

void TExGridCellPainter::PaintBackgroundPicture(const TRect& T)
{
    TBackGround* B = G.BackGround();
    if (B->Bitmap()->Empty() || G.Colors(RCol, Row) != clNone || !BackgroundCellKindMatches() ||
        State.Contains(gdSelected))
        return;
    const Integer GLW = G.GridLineWidth();
    const TRect Area(T.Left - GLW + 1, T.Top - GLW + 1, T.Right, T.Bottom);
    if (B->Display() == bdTile)
        PaintCellBackgroundTiled(Area);
    else
        PaintCellBackgroundBitmap(Area);
}

void TExGridCellPainter::PaintBackgroundGradient(const TRect& T)
{
    TBackGround* B = G.BackGround();
    if (B->Display() != bdGradientHorz && B->Display() != bdGradientVert)
        return;
    if (!(G.Colors(RCol, Row) == clNone || ExGridTakesBackgroundGradient(Graphic)) || !BackgroundCellKindMatches())
        return;
    const bool FocusedUnmarked = State.Contains(gdFocused) && !G.Options().Contains(goDrawFocusSelected);
    if (G.ShowSelection() && State.Contains(gdSelected) && !FocusedUnmarked)
        return;
    const Integer GLW = G.GridLineWidth();
    PaintCellBackgroundGradient(TRect(T.Left - 1, T.Top - GLW, T.Right, T.Bottom + GLW - 1));
}

void TExGridCellPainter::PaintSelectionRectangle(const TRect& T)
{
    if (!G.SelectionRectangle() || State.Contains(gdFixed))
        return;
    const TGridRect S = G.Selection();
    const TPoint Base = G.BaseCell(RCol, Row);
    const Integer BC = G.IsMergedCell(RCol, Row) ? G.DisplColIndex(Base.X) : Col;
    const Integer BR = G.IsMergedCell(RCol, Row) ? Base.Y : Row;
    if (BC < S.Left || BC > S.Right || BR < S.Top || BR > S.Bottom)
        return;
    const Integer GLW = G.GridLineWidth();
    const TColor Color = G.SelectionRectangleColor();
    const Integer L = T.Left - GLW + 1;
    const Integer Tp = T.Top - GLW + 1;
    const auto Bar = [&](Integer X1, Integer Y1, Integer X2, Integer Y2) { FillRectColor(C, TRect(X1, Y1, X2, Y2), Color); };
    if (BC == S.Left)
        Bar(L, Tp, L + 2, T.Bottom + 1);
    if (Col == S.Right || BC + G.CellSpan(RCol, Row).X >= S.Right)
        Bar(T.Right - 2, Tp, T.Right, T.Bottom + 1);
    if (BR == S.Top)
        Bar(L, Tp, T.Right, Tp + 2);
    if (Row == S.Bottom || BR + G.CellSpan(RCol, Row).Y >= S.Bottom)
        Bar(L, T.Bottom - 1, T.Right, T.Bottom + 1);
    if (G.SelectionResizer() && Col == S.Right && Row == S.Bottom)
        FillRectColor(C, TRect(T.Right - 4, T.Bottom - 4, R.Right, R.Bottom), Color);
}

void TExGridCellPainter::MakeRoomForGraphic(TRect& T)
{
    const TPoint Offset = G.XYOffset();
    T.Left += Offset.X;
    T.Top += Offset.Y;
    if (!G.XYOffsetTopLeftOnly())
        T.Right -= Offset.X;
    if (Graphic) {
        switch (GraphicHAlign) {
        case haBeforeText:
            T.Left += GW;
            if (HA == taLeftJustify)
                GraphicIndent = GW;
            break;
        case haLeft: GraphicIndent = GW; break;
        case haAfterText: T.Right -= GW; break;
        default: break;
        }
        if (GraphicVAlign == vaAboveText)
            T.Top += GH;
        else if (GraphicVAlign == vaUnderText)
            T.Bottom -= GH;
    }
    if (RCol == 0 && G.HasNodes() && !G.IsNode(Row))
        T.Left += G.GetCellIndent(Row);
}

bool TExGridCellPainter::ShowsSortMark() const
{
    return ShowsSortMark(G, Col, RCol, Row);
}

bool TExGridCellPainter::ShowsSortMark(TExStringGrid& G, Integer Col, Integer RCol, Integer Row)
{
    const TSortSettings* S = G.SortSettings();
    const Integer Position = G.FSortIndexes->FindIndex(RCol);
    const bool Sorted = RCol == S->Column() || Position >= 0;
    return G.HasSortIndicator(RCol, Row) && Sorted && G.FixedRows() > 0 &&
           (Col >= G.FixedCols() || S->FixedCols()) && (Position <= 0 || S->IndexShow());
}

Integer TExGridCellPainter::SortMarkY(const TRect& T) const
{
    switch (VA) {
    case vtaTop: return T.Top + 8;
    case vtaCenter: return T.Top + (T.Bottom - T.Top) / 2;
    default: return T.Bottom - 8;
    }
}

void TExGridCellPainter::DrawHTMLCellText(TRect T, const String& Text)
{
    if (FilterGlyph)
        T.Right -= 18;
    T.Left -= 1;
    if (ShowsSortMark())
        T.Right -= 10;
    const bool Hovered = G.FHoverFixedCell == TPoint(Col, Row);
    String Anchor, Strip, FocusAnchor, AnchorHint, CID, CV, CT;
    Integer XSize = 0, YSize = 0, Links = 0, MouseLink = 0;
    TRect HoverRect, CtrlRect;
    const bool Down = QApplication::keyboardModifiers().testFlag(Qt::ControlModifier);
    DrawHTMLText(C, Text, T, G.GetGridImages(), T.Left, T.Top, -1, Hovered ? G.FHoverLink : -1, 1, false, false,
                 false, false, G.FGridBlink, G.URLUnderlineOnHover(), !G.EnhTextSize(), Down, 0.0, LinkColor, clNone, clNone,
                 clGray, Anchor, Strip, FocusAnchor, AnchorHint, XSize, YSize, Links, MouseLink, HoverRect, CtrlRect,
                 CID, CV, CT, G.ImageCache(), G.PictureContainer(), G.Handle(), Integer(G.BiDiMode()));
    TextWidth = XSize + 2;
    if (ShowsSortMark())
        G.DrawSortIndicator(C, RCol, SortMarkY(T), T.Right + 2);
}

void TExGridCellPainter::DrawRichCellText(TRect T)
{
    const bool SelectedUnfocused = State.Contains(gdSelected) && !State.Contains(gdFocused);
    C->Pen()->SetColor(C->Brush()->Color());
    if (!(SelectedUnfocused && G.SelectionColor() == clNone))
        C->Rectangle(T);
    C->Brush()->SetStyle(bsClear);
    G.DrawRichCell(RCol, Row, T, C);
    C->Brush()->SetStyle(bsSolid);
    C->Font()->SetColor(clBlack);
}

Cardinal TExGridCellPainter::PlainTextFlags(const String& Text) const
{
    // Any text in Multilinecells switches it on.
    const bool Multi = !G.Multilinecells().isEmpty();
    Cardinal Flags = DT_EXPANDTABS | DT_NOPREFIX;
    if (CountLines(Text, Multi) <= 1 && !WW) {
        Flags |= DT_SINGLELINE;
        if (G.EnhTextSize())
            Flags |= DT_END_ELLIPSIS;
    } else if (WW && !Multi && G.EnhTextSize()) {
        Flags |= DT_END_ELLIPSIS;
    }
    if (HA == taRightJustify)
        Flags |= DT_RIGHT;
    else if (HA == taCenter)
        Flags |= DT_CENTER;
    if (VA == vtaCenter)
        Flags |= DT_VCENTER;
    else if (VA == vtaBottom)
        Flags |= DT_BOTTOM;
    if (WW || Multi)
        Flags |= DT_WORDBREAK | DT_EDITCONTROL;
    else
        Flags |= DT_SINGLELINE;
    if (G.BiDiMode() != bdLeftToRight)
        Flags |= DT_RTLREADING;
    return Flags;
}

void TExGridCellPainter::DrawPlainCellText(TRect T, String Text)
{
    const TSortSettings* SortSettings = G.SortSettings();
    if (HA == taCenter && Row == SortSettings->Row() && SortSettings->Show() && RCol == SortSettings->Column())
        T.Left += 10;
    const bool Sorted = ShowsSortMark();
    String Raw = G.Cells(RCol, Row);
    const bool URL = G.URLShow() && HasURLScheme(Raw);
    TFont* Font = C->Font();
    if (URL) {
        if (!G.URLFull())
            StripURLScheme(Text);
        TFontStyles Style = Font->Style();
        Style.Include(fsUnderline);
        Font->SetStyle(Style);
        Font->SetColor(LinkColor);
    }
    Cardinal Flags = PlainTextFlags(Text);
    G.FVAlign = Integer(Flags & (DT_VCENTER | DT_BOTTOM));
    if (Flags & DT_SINGLELINE) {
        String Rest = Text;
        Text = CutFirstLine(Rest, false);
    }
    C->Brush()->SetStyle(bsClear);
    if (FilterGlyph)
        T.Right -= ExGridFilterGlyphWidth;
    if (Graphic && !Text.isEmpty()) {
        TRect M = T;
        DrawText(C, Text, M, Flags | DT_CALCRECT);
        TextWidth = M.Width() + 2;
    }
    DrawText(C, Text, T, Flags);
    C->Brush()->SetStyle(bsSolid);
    if (Sorted) {
        TRect S = R;
        if (FilterGlyph)
            S.Right -= ExGridFilterGlyphWidth;
        const Integer Room = std::min(TextWidth, std::max(0, S.Right - S.Left - 16));
        const Integer X = HA == taLeftJustify    ? S.Left + Room + GraphicIndent + 10
                          : HA == taRightJustify ? S.Right - Room - 10
                                                 : S.Left + 8;
        G.DrawSortIndicator(C, RCol, SortMarkY(S), X);
    }
    if (URL) {
        TFontStyles Style = Font->Style();
        Style.Exclude(fsUnderline);
        Font->SetStyle(Style);
    }
}

// ---------------------------------------------------------------- the sort mark

void TExStringGrid::DrawSortIndicator(TCanvas* Canvas, Integer ACol, Integer Y, Integer X)
{
    const TSortSettings* S = FSortSettings.get();
    TBitmap* Up = S->IndexShow() ? S->IndexUpGlyph() : S->GetUpGlyph();
    TBitmap* Down = S->IndexShow() ? S->IndexDownGlyph() : S->GetDownGlyph();
    const bool Glyphs = !Up->Empty() && !Down->Empty();
    // The runtime grid lays its columns out left to right in every mode, so
    // the mark stays at X; its number is written left to right and the
    // painter's direction is put back afterwards.
    QPainter* Painter = Canvas->Painter();
    const Qt::LayoutDirection Orientation = Painter ? Painter->layoutDirection() : Qt::LeftToRight;
    if (Painter && UseRightToLeftAlignment())
        Painter->setLayoutDirection(Qt::LeftToRight);
    TPen* Pen = Canvas->Pen();
    const auto Line = [&](TColor Color, std::initializer_list<TPoint> Points) {
        Pen->SetColor(Color);
        Pen->SetWidth(1);
        auto P = Points.begin();
        Canvas->MoveTo(P->X, P->Y);
        for (++P; P != Points.end(); ++P)
            Canvas->LineTo(P->X, P->Y);
    };
    const auto Glyph = [&](TBitmap* B, Integer Offset) {
        B->SetTransparent(true);
        Canvas->Draw(X - Offset, Y - Offset, B);
    };
    const Integer Index = FSortIndexes ? FSortIndexes->FindIndex(ACol) : -1;
    if (S->IndexShow()) {
        if (Index >= 0) {
            const bool Descending = !FSortIndexes->SortDirections(Index);
            Canvas->Brush()->SetColor(S->IndexColor());
            Canvas->Font()->SetColor(clBlack);
            Canvas->Font()->SetSize(6);
            if (!Glyphs) {
                Pen->SetColor(clBlack);
                Canvas->Polygon(Descending ? std::vector<TPoint>{{X - 7, Y - 5}, {X + 7, Y - 5}, {X, Y + 8}}
                                           : std::vector<TPoint>{{X - 6, Y + 8}, {X + 6, Y + 8}, {X, Y - 4}});
            } else {
                Glyph(Descending ? Up : Down, 7);
            }
            Canvas->Brush()->SetStyle(bsClear);
            Canvas->TextOut(X - 2, Descending ? Y - 4 : Y - 2, QString::number(Index + 1));
            Canvas->Brush()->SetStyle(bsSolid);
        }
    } else if (S->Direction() == sdDescending) {
        if (!Glyphs) {
            Line(clWhite, {{X + 4, Y - 4}, {X, Y + 4}});
            Line(clGray, {{X, Y + 4}, {X - 4, Y - 4}, {X + 4, Y - 4}});
        } else {
            Canvas->Brush()->SetColor(FixedColor());
            Glyph(Down, 4);
        }
    } else {
        if (!Glyphs) {
            Line(clWhite, {{X - 4, Y + 4}, {X + 4, Y + 4}, {X, Y - 4}});
            Line(clGray, {{X, Y - 4}, {X - 4, Y + 4}});
        } else {
            Canvas->Brush()->SetColor(FixedColor());
            Glyph(Up, 4);
        }
    }
    Pen->SetColor(clBlack);
    if (Painter)
        Painter->setLayoutDirection(Orientation);
}

// ---------------------------------------------------------------- rich text

void TExStringGrid::DrawRichCell(Integer ACol, Integer ARow, TRect ARect, TCanvas* Canvas)
{
    if (IsDesigning())
        return;
    InflateRect(ARect, -FXYOffset.X, -FXYOffset.X);
    TExRichEdit* E = GetRichEdit();
    E->Font()->Assign(Canvas->Font());
    CellToRich(ACol, ARow, E);
    E->PaintTo(Canvas, ARect);
}

// ---------------------------------------------------------------- per-cell backgrounds

void TExGridCellPainter::PaintCellBackgroundBitmap(const TRect& Area)
{
    TBackGround* BG = G.BackGround();
    TBitmap* B = BG->Bitmap();
    const TRect Picture(BG->Left(), BG->Top(), BG->Left() + B->Width(), BG->Top() + B->Height());
    TRect Overlap;
    if (!IntersectRect(Overlap, Area, Picture))
        return;
    const TRect Source(Overlap.Left - Picture.Left, Overlap.Top - Picture.Top, Overlap.Right - Picture.Left,
                       Overlap.Bottom - Picture.Top);
    C->CopyRect(Overlap, B->Canvas(), Source);
}

void TExGridCellPainter::PaintCellBackgroundTiled(const TRect& Area)
{
    TBackGround* BG = G.BackGround();
    TBitmap* B = BG->Bitmap();
    const Integer W = B->Width();
    const Integer H = B->Height();
    if (W <= 0 || H <= 0)
        return;
    // The tiles follow the scrolled grid: the sizes of the columns and rows
    // before the cell give the phase.
    const Integer FirstCol = BG->Cells() == bcNormal ? G.FixedCols() : 0;
    const Integer FirstRow = BG->Cells() == bcNormal ? G.FixedRows() : 0;
    Integer PhaseX = 0;
    for (Integer I = FirstCol; I < Col; ++I)
        PhaseX += G.ColWidths(I);
    Integer PhaseY = 0;
    for (Integer I = FirstRow; I < Row; ++I)
        PhaseY += G.RowHeights(I);
    PhaseX %= W;
    PhaseY %= H;
    for (Integer Y = Area.Top - 1 - PhaseY; Y < Area.Bottom; Y += H)
        for (Integer X = Area.Left - 1 - PhaseX; X < Area.Right; X += W) {
            TRect Dest;
            if (IntersectRect(Dest, TRect(X, Y, X + W, Y + H), Area))
                C->CopyRect(Dest, B->Canvas(), TRect(Dest.Left - X, Dest.Top - Y, Dest.Right - X, Dest.Bottom - Y));
        }
}

void TExGridCellPainter::PaintCellBackgroundGradient(const TRect& Area)
{
    TBackGround* BG = G.BackGround();
    const bool Horizontal = BG->Display() == bdGradientHorz;
    const Integer Extent = Horizontal ? G.Width() : G.Height();
    const TColor Start = GradientColorAt(BG->Color(), BG->ColorTo(), 0, Extent, Horizontal ? Area.Left : Area.Top);
    const TColor End = GradientColorAt(BG->Color(), BG->ColorTo(), 0, Extent, Horizontal ? Area.Right : Area.Bottom);
    C->Brush()->SetColor(End);
    C->Pen()->SetColor(End);
    FillGradient(C, Start, End, 128, Area, Horizontal);
}
