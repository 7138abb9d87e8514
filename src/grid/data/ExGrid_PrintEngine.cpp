// The print engine: metrics, column widths, fit to page, column bands,
// pages with repeated fixed rows, header and footer items, cells and lines.
#include "grid/data/ExGrid_PrintEngine.h"

#include "grid/base/ExUtil.h"
#include "grid/control/ExGrid_Graphic.h"
#include "rtl/SysUtils.h"

#include <QApplication>
#include <QPainter>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionButton>

#include <algorithm>
#include <cmath>

namespace grid_print {

// Cell texts break at CR, CR LF or LF.
QStringList TextLines(const String& Text, bool MultiLine)
{
    static const QRegularExpression Breaks(QStringLiteral("\r\n|\r|\n"));
    QStringList Lines = Text.split(Breaks);
    if (!MultiLine)
        return {Lines.front()};
    return Lines;
}

bool IsTopPosition(TPrintPosition P) { return P == ppTopLeft || P == ppTopRight || P == ppTopCenter; }
bool IsBottomPosition(TPrintPosition P) { return P == ppBottomLeft || P == ppBottomRight || P == ppBottomCenter; }
bool IsLeftPosition(TPrintPosition P) { return P == ppTopLeft || P == ppBottomLeft; }

// Adds Item to the text of its position: in front at the left positions,
// behind at the others, joined with one blank.
void AddItem(String& Text, TPrintPosition Position, const String& Item)
{
    Text = IsLeftPosition(Position) ? Item + QLatin1Char(' ') + Text : Text + QLatin1Char(' ') + Item;
}

} // namespace grid_print

using namespace grid_print;

TGridPrintEngine::TGridPrintEngine(TExStringGrid* Grid, TCanvas* Canvas, TPrintMode Mode, TPrintChoice Choice,
                                   std::function<void()> NewPage)
    : FGrid(Grid), FCanvas(Canvas), FMode(Mode), FChoice(Choice), FNewPage(std::move(NewPage)),
      FSettings(Grid->PrintSettings())
{
}

Integer TGridPrintEngine::Run()
{
    TakeMetrics();
    TakePageSize();
    const Integer Columns = std::max(512, FGrid->ColCount() + FGrid->NumHiddenColumns() + 1);
    FGrid->MaxWidths.assign(std::size_t(std::max(Columns, FGrid->FPrintRect.Right + 2)), 0);
    FGrid->Indents.assign(FGrid->MaxWidths.size(), 0);
    FSpacing = FSettings->UseFixedWidth() ? 0 : FSettings->ColumnSpacing() + 20;
    MeasureColumns();
    FitToPage();
    MakeBands();
    FGrid->Fontscalefactor = FScale;
    for (std::size_t I = 0; I < FBands.size() && !FCancelled; ++I)
        PrintBand(FBands[I], Integer(I) + 1);
    FGrid->Fontscalefactor = 1.0;
    return FPageNr;
}

bool TGridPrintEngine::InRange(Integer Page) const
{
    return Page >= FGrid->FPrintPageFrom && Page <= FGrid->FPrintPageTo;
}

// A screen length in tenths of a millimetre.
Integer TGridPrintEngine::Scaled(Integer Pixels) const { return Integer(std::lround(Pixels * FL)); }

// ---------------------------------------------------------------- metrics and page

void TGridPrintEngine::UseFont(TFont* Font)
{
    const Integer Height = FGrid->MapFontHeight(Font->Size());
    FCanvas->Font()->Assign(Font);
    FCanvas->Font()->SetHeight(Height);
}

void TGridPrintEngine::TakeMetrics()
{
    FL = 254.0 / 96;
    FGrid->Fontscalefactor = 1.0;
    UseFont(FSettings->HeaderFont());
    FHeaderLine = FCanvas->TextHeight(QStringLiteral("gh"));
    UseFont(FSettings->FooterFont());
    FFooterLine = FCanvas->TextHeight(QStringLiteral("gh"));
    UseFont(FSettings->Font());
    FTextLine = FCanvas->TextHeight(QStringLiteral("gh"));
    FPad = FTextLine / 8;
}

void TGridPrintEngine::TakePageSize()
{
    TRect Page;
    switch (FMode) {
    case pmPrint: Page = FCanvas->ClipRect(); break;
    case pmCountPrinter:
        Page = TRect(0, 0, FGrid->PrevRect.Width(), -FGrid->PrevRect.Bottom);
        break;
    default: Page = FCanvas->DPtoLP(FGrid->PrevRect); break;
    }
    FWidth = Page.Right - Page.Left;
    FBottom = Page.Bottom;
    FGrid->FPrintPageRect = TRect(0, 0, FWidth, FBottom);
}

// ---------------------------------------------------------------- columns

bool TGridPrintEngine::ColPrinted(Integer Col)
{
    if (FChoice != pcSelectedCols || FGrid->MouseActions()->DisjunctRowSelect())
        return true;
    if (Col < FGrid->FixedCols() && FSettings->FixedCellsAlways())
        return true;
    const TGridRect Sel = FGrid->Selection();
    return Col >= Sel.Left && Col <= Sel.Right;
}

bool TGridPrintEngine::RowPrinted(Integer Row)
{
    if (FChoice != pcSelectedRows)
        return true;
    if (Row < FGrid->FixedRows() && FSettings->FixedCellsAlways())
        return true;
    if (FGrid->MouseActions()->DisjunctRowSelect())
        return FGrid->RowSelect(Row);
    const TGridRect Sel = FGrid->Selection();
    return Row >= Sel.Top && Row <= Sel.Bottom;
}

void TGridPrintEngine::MeasureColumns()
{
    const TGridRect& R = FGrid->FPrintRect;
    for (Integer C = R.Left; C <= R.Right; ++C) {
        if (!ColPrinted(C))
            continue;
        Integer Width = 0;
        if (FSettings->NoAutoSize()) {
            Width = Scaled(FGrid->ColWidths(C));
        } else {
            auto Measure = [&](Integer Row) {
                if (FGrid->CellSpan(FGrid->RealColIndex(C), Row).X > 0)
                    return;
                Width = std::max(Width, FSettings->UseFixedWidth() ? FSettings->FixedWidth() : CellExtent(C, Row).X);
            };
            for (Integer Row = R.Top; Row <= R.Bottom; ++Row)
                Measure(Row);
            if (FSettings->RepeatFixedRows())
                for (Integer Row = 0; Row < std::min(FGrid->FixedRows(), R.Top); ++Row)
                    Measure(Row);
        }
        FGrid->MaxWidths[std::size_t(C)] = Width;
    }
}

void TGridPrintEngine::FitToPage()
{
    FScale = 1.0;
    if (FSettings->FitToPage() == fpNever)
        return;
    const TGridRect& R = FGrid->FPrintRect;
    Integer Total = 0;
    for (Integer C = R.Left; C <= R.Right; ++C)
        if (ColPrinted(C))
            Total += FGrid->MaxWidths[std::size_t(C)] + FSpacing;
    const Integer Spacing = (R.Right - R.Left + 1) * FSpacing;
    if (Total == Spacing)
        return;
    double K = double(FWidth - FSettings->RightSize() - FSettings->LeftSize() - Spacing) / (Total - Spacing);
    if (K <= 0)
        return;
    if (FSettings->FitToPage() == fpShrink && K > 1)
        K = 1;
    if (FSettings->FitToPage() == fpGrow && K < 1)
        K = 1;
    if (FSettings->FitToPage() == fpCustom && K != 1 && FGrid->OnFitToPage) {
        bool Allow = true;
        FGrid->OnFitToPage(FGrid, K, Allow);
        if (!Allow)
            K = 1;
    }
    if (K != 1)
        for (Integer C = R.Left; C <= R.Right; ++C)
            FGrid->MaxWidths[std::size_t(C)] = Integer(FGrid->MaxWidths[std::size_t(C)] * K);
    FScale = K;
}

// Bands of columns that fit the page width; each holds at least one column.
void TGridPrintEngine::MakeBands()
{
    const TGridRect& R = FGrid->FPrintRect;
    for (Integer C = R.Left; C <= R.Right; ++C)
        if (FGrid->OnPrintSetColumnWidth)
            FGrid->OnPrintSetColumnWidth(FGrid, C, FGrid->MaxWidths[std::size_t(C)]);
    const Integer Fixed = FGrid->FixedCols();
    Integer Col = R.Left;
    while (Col <= R.Right) {
        TBand Band;
        Band.RepeatFixed = Fixed > 0 && FSettings->RepeatFixedCols() && !(FBands.empty() && R.Left <= Fixed) &&
                           Col >= Fixed;
        Integer Used = 0;
        if (Band.RepeatFixed)
            for (Integer C = 0; C < Fixed; ++C)
                Used += FGrid->MaxWidths[std::size_t(C)] + FSpacing;
        Band.First = Col;
        Band.Last = Col;
        Used += FGrid->MaxWidths[std::size_t(Col)] + FSpacing;
        while (Band.Last < R.Right) {
            const Integer Next = Band.Last + 1;
            const Integer Width = ColPrinted(Next) ? FGrid->MaxWidths[std::size_t(Next)] + FSpacing : 0;
            if (Used + Width > FWidth - FSettings->RightSize())
                break;
            Used += Width;
            Band.Last = Next;
        }
        FBands.push_back(Band);
        Col = Band.Last + 1;
    }
}

void TGridPrintEngine::PlaceBand(const TBand& Band)
{
    auto Edges = [&](Integer First, Integer Last, Integer X) {
        for (Integer C = First; C <= Last; ++C) {
            FGrid->Indents[std::size_t(C)] = X;
            if (ColPrinted(C))
                X += FGrid->MaxWidths[std::size_t(C)] + FSpacing;
        }
        FGrid->Indents[std::size_t(Last) + 1] = X;
        return X;
    };
    FRepeatWidth = 0;
    if (Band.RepeatFixed)
        for (Integer C = 0; C < FGrid->FixedCols(); ++C)
            FRepeatWidth += FGrid->MaxWidths[std::size_t(C)] + FSpacing;
    Integer Own = 0;
    for (Integer C = Band.First; C <= Band.Last; ++C)
        if (ColPrinted(C))
            Own += FGrid->MaxWidths[std::size_t(C)] + FSpacing;
    const Integer Total = FRepeatWidth + Own;
    Integer Start = FSettings->LeftSize();
    if (FSettings->Centered())
        Start = Total < FWidth ? (FWidth - Total) / 2 : 0;
    if (Band.RepeatFixed)
        Edges(0, FGrid->FixedCols() - 1, Start);
    Edges(Band.First, Band.Last, Start + FRepeatWidth);
    FGrid->FPrintPageWidth = Total;
    FGrid->FPrintColStart = Band.First;
    FGrid->FPrintColEnd = Band.Last;
}

// ---------------------------------------------------------------- header and footer

void TGridPrintEngine::TakeHeaderFooterSpace()
{
    const TPrintPosition Items[] = {FSettings->Time(), FSettings->Date(), FSettings->PageNr(), FSettings->Title()};
    const bool Top = std::any_of(std::begin(Items), std::end(Items), IsTopPosition);
    const bool Bottom = std::any_of(std::begin(Items), std::end(Items), IsBottomPosition);
    const Integer ExtraLines = FSettings->TitleText().isEmpty() ? std::max(0, FSettings->TitleLines()->Count() - 1) : 0;
    FHeaderSpace = FSettings->HeaderSize();
    if (Top)
        FHeaderSpace += FPad + FHeaderLine + (IsTopPosition(FSettings->Title()) ? ExtraLines * FHeaderLine : 0);
    FFooterSpace = FPad + FFooterLine + FSettings->FooterSize();
    if (Bottom)
        FFooterSpace = 2 * FPad + 2 * FFooterLine + FSettings->FooterSize() +
                       (IsBottomPosition(FSettings->Title()) ? ExtraLines * FFooterLine : 0);
}

String TGridPrintEngine::PageNumberText(Integer PageInBand, Integer BandNr)
{
    String Text;
    if (FBands.size() > 1) {
        Text = QStringLiteral("%1-%2").arg(PageInBand).arg(BandNr);
    } else {
        Text = QString::number(FPageNr + FSettings->PageNumberOffset());
        if (!FSettings->PageNumSep().isEmpty() && FGrid->FPrintPageNum > 1)
            Text += FSettings->PageNumSep() + QString::number(FGrid->FPrintPageNum + FSettings->MaxPagesOffset());
    }
    FGrid->DoPrintGetPageNum(FPageNr, BandNr, Text);
    return Text;
}

void TGridPrintEngine::DrawHeaderFooter(Integer PageInBand, Integer BandNr)
{
    // Texts of ppTopLeft .. ppBottomCenter.
    String Texts[7];
    const TDateTime Stamp = Now();
    auto Add = [&](TPrintPosition P, const String& Item) {
        if (P != ppNone)
            AddItem(Texts[P], P, Item);
    };
    Add(FSettings->Time(), FormatDateTime(QStringLiteral("hh:nn"), Stamp));
    Add(FSettings->Date(), FormatDateTime(FSettings->DateFormat(), Stamp));
    Add(FSettings->PageNr(), FSettings->PagePrefix() + QLatin1Char(' ') + PageNumberText(PageInBand, BandNr) +
                                 QLatin1Char(' ') + FSettings->PageSuffix());
    const TPrintPosition TitlePos = FSettings->Title();
    std::vector<String> MoreLines;
    if (TitlePos != ppNone) {
        if (!FSettings->TitleText().isEmpty()) {
            Add(TitlePos, FSettings->TitleText());
        } else if (FSettings->TitleLines()->Count() > 0) {
            const String First = FSettings->TitleLines()->Strings(0);
            if (Texts[TitlePos].isEmpty())
                Texts[TitlePos] = First;
            else
                Add(TitlePos, First);
            for (Integer I = 1; I < FSettings->TitleLines()->Count(); ++I)
                MoreLines.push_back(FSettings->TitleLines()->Strings(I));
        }
    }
    FCanvas->Brush()->SetStyle(bsClear);
    for (Integer P = ppTopLeft; P <= ppBottomCenter; ++P) {
        if (Texts[P].isEmpty())
            continue;
        const auto Pos = TPrintPosition(P);
        const bool Top = IsTopPosition(Pos);
        UseFont(Top ? FSettings->HeaderFont() : FSettings->FooterFont());
        const Integer Line = Top ? FHeaderLine : FFooterLine;
        std::vector<String> Lines{Texts[P]};
        if (Pos == TitlePos)
            Lines.insert(Lines.end(), MoreLines.begin(), MoreLines.end());
        Integer Y = Top ? -FSettings->HeaderSize() : FBottom + FFooterLine + FPad + FSettings->FooterSize();
        for (const String& Text : Lines) {
            const Integer W = FCanvas->TextWidth(Text);
            Integer X = FSettings->LeftSize();
            if (Pos == ppTopRight || Pos == ppBottomRight)
                X = FWidth - FSettings->RightSize() - 20 - W;
            else if (Pos == ppTopCenter || Pos == ppBottomCenter)
                X = (FWidth - W) / 2;
            FCanvas->TextOut(X, Y, Text);
            Y += Top ? -Line : Line;
        }
    }
}

// ---------------------------------------------------------------- pages

void TGridPrintEngine::PrintBand(const TBand& Band, Integer BandNr)
{
    PlaceBand(Band);
    TakeHeaderFooterSpace();
    Integer Row = FGrid->FPrintRect.Top;
    Integer PageInBand = 0;
    while (Row <= FGrid->FPrintRect.Bottom && !FCancelled) {
        ++PageInBand;
        if (!PrintPage(Band, BandNr, PageInBand, Row))
            break;
    }
}

// Lays out (and in range draws) one page from Row on; Row moves past the
// rows placed. False when printing stops.
bool TGridPrintEngine::PrintPage(const TBand& Band, Integer BandNr, Integer PageInBand, Integer& Row)
{
    ++FPageNr;
    const bool Draw = Drawing() && InRange(FPageNr);
    if (Draw) {
        if (FPrintedPages > 0 && FNewPage)
            FNewPage();
        ++FPrintedPages;
        if (FGrid->OnPrintPage)
            FGrid->OnPrintPage(FGrid, FCanvas, FPageNr, FWidth, -FBottom);
        DrawHeaderFooter(PageInBand, BandNr);
    }
    Integer Y = -FHeaderSpace - FSettings->TitleSpacing();
    const Integer Fixed = FGrid->FixedRows();
    const TGridRect& R = FGrid->FPrintRect;
    const bool Repeat = FSettings->RepeatFixedRows() && Fixed > 0 && (Row != 0 || PageInBand > 1 || R.Top >= Fixed);
    auto Place = [&](Integer Which) {
        if (Draw)
            PrintRow(Band, Which, Y);
        Y -= PrintedRowHeight(Which);
    };
    if (Repeat)
        for (Integer F = 0; F < Fixed && F < Row; ++F)
            if (RowPrinted(F))
                Place(F);
    const Integer Limit = FBottom + FFooterSpace;
    Integer Placed = 0;
    while (Row <= R.Bottom) {
        FGrid->ExportNotification(esExportNextRow, Row);
        if (!RowPrinted(Row)) {
            ++Row;
            continue;
        }
        // The first row of a page is placed even when it is taller than
        // the page, so that every page moves on.
        if (Placed > 0 && Y - RowHeight(Row) <= Limit)
            break;
        Place(Row);
        ++Placed;
        ++Row;
        bool NewPage = false;
        if (FGrid->OnPrintNewPage && Row <= R.Bottom)
            FGrid->OnPrintNewPage(FGrid, Row, NewPage);
        if (NewPage)
            break;
    }
    FLastBottom = Y;
    if (Draw) {
        DrawOuterLines(Band, Y);
        if (FGrid->OnPrintPageDone)
            FGrid->OnPrintPageDone(FGrid, FCanvas, FPageNr, FWidth, -FBottom);
        if (FGrid->OnPrintCancel) {
            FGrid->OnPrintCancel(FGrid, FPageNr, FCancelled);
            if (FCancelled)
                return false;
        }
    }
    // Drawing stops after the last page asked for.
    return !(Drawing() && FPageNr >= FGrid->FPrintPageTo);
}

Integer TGridPrintEngine::PrintRow(const TBand& Band, Integer Row, Integer Y)
{
    const Integer Height = PrintedRowHeight(Row);
    const Integer BandRight = FGrid->Indents[std::size_t(Band.Last) + 1];
    if (Band.RepeatFixed)
        for (Integer C = 0; C < FGrid->FixedCols(); ++C)
            if (ColPrinted(C))
                PrintCell(C, Row, Y, Height, C == 0, BandRight);
    bool First = true;
    for (Integer C = Band.First; C <= Band.Last; ++C) {
        if (!ColPrinted(C))
            continue;
        PrintCell(C, Row, Y, Height, First, BandRight);
        First = false;
    }
    return Height;
}

void TGridPrintEngine::DrawOuterLines(const TBand& Band, Integer LastY)
{
    const TPrintBorders B = FSettings->Borders();
    const Integer Left = Band.RepeatFixed ? FGrid->Indents[0] : FGrid->Indents[std::size_t(Band.First)];
    const Integer Right = FGrid->Indents[std::size_t(Band.Last) + 1];
    const Integer Top = -(FHeaderSpace + FSettings->TitleSpacing());
    const Integer Bottom = LastY + FPad / 2;
    FCanvas->Pen()->SetColor(clBlack);
    FCanvas->Pen()->SetStyle(FSettings->BorderStyle());
    FCanvas->Pen()->SetWidth(B == pbDouble ? 10 : 2);
    if (B == pbAround || B == pbAroundVertical || B == pbAroundHorizontal) {
        FCanvas->Brush()->SetStyle(bsClear);
        FCanvas->Rectangle(Left, Top, Right, Bottom);
    }
    if (B == pbDouble || B == pbHorizontal || B == pbAroundHorizontal) {
        FCanvas->MoveTo(Left, Bottom);
        FCanvas->LineTo(Right, Bottom);
    }
    if ((B == pbDouble || B == pbVertical || B == pbAroundVertical) && Band.RepeatFixed) {
        for (Integer C = 0; C <= FGrid->FixedCols(); ++C) {
            FCanvas->MoveTo(FGrid->Indents[std::size_t(C)], Top);
            FCanvas->LineTo(FGrid->Indents[std::size_t(C)], Bottom);
        }
    }
}

// ---------------------------------------------------------------- rows and cells

Integer TGridPrintEngine::RowHeight(Integer Row)
{
    if (Row == FCachedRow)
        return FCachedHeight;
    Integer Height = 0;
    if (FSettings->NoAutoSizeRow()) {
        Height = Scaled(FGrid->RowHeights(Row)) - 4;
    } else if (FSettings->UseFixedHeight()) {
        Height = FSettings->FixedHeight();
    } else {
        const TGridRect& R = FGrid->FPrintRect;
        for (Integer C = R.Left; C <= R.Right; ++C)
            if (ColPrinted(C) && FGrid->CellSpan(FGrid->RealColIndex(C), Row).Y == 0)
                Height = std::max(Height, CellExtent(C, Row).Y);
        Height += Height / 8;
        if (FGrid->OnPrintSetRowHeight)
            FGrid->OnPrintSetRowHeight(FGrid, Row, Height);
    }
    FCachedRow = Row;
    FCachedHeight = Height;
    return Height;
}

void TGridPrintEngine::CellLook(Integer Col, Integer Row, TBrush* Brush, TColor& ColorTo, TFont* Font,
                                TAlignment& HA, TVAlignment& VA, bool& WW)
{
    TGridDrawState State;
    if (Col < FGrid->FixedCols() || Row < FGrid->FixedRows())
        State.Include(gdFixed);
    TColor Mirror = clNone, MirrorTo = clNone;
    TCellGradientDirection Direction = GradientVertical;
    FGrid->GetVisualProperties(Col, Row, State, true, false, true, Brush, ColorTo, Mirror, MirrorTo, Font, HA, VA, WW,
                               Direction);
    UseFont(Font);
}

TPoint TGridPrintEngine::GraphicSize(Integer Col, Integer Row)
{
    if (!FSettings->PrintGraphics() || !FGrid->GetCellGraphic(FGrid->RealColIndex(Col), Row))
        return TPoint(0, 0);
    const TPoint Size = FGrid->GetCellGraphicSize(FGrid->RealColIndex(Col), Row);
    return TPoint(Scaled(Size.X), Scaled(Size.Y));
}

TPoint TGridPrintEngine::CellExtent(Integer Col, Integer Row)
{
    const Integer Real = FGrid->RealColIndex(Col);
    String Text = HasDataGraphic(FGrid, Real, Row) ? String() : FGrid->Cells(Real, Row);
    TBrush Brush;
    TFont Font;
    TColor ColorTo = clNone;
    TAlignment HA = taLeftJustify;
    TVAlignment VA = vtaTop;
    bool WW = false;
    CellLook(Col, Row, &Brush, ColorTo, &Font, HA, VA, WW);
    const TPoint G = GraphicSize(Col, Row);
    if (Text.isEmpty())
        Text = QStringLiteral("gh");
    TPoint Size;
    const Integer LineHeight = FCanvas->TextHeight(QStringLiteral("gh"));
    if (WW && FSettings->NoAutoSize()) {
        TRect R(0, 0, FGrid->MaxWidths[std::size_t(Col)], 0);
        Size = TPoint(R.Width(), DrawText(FCanvas, Text, R, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX));
    } else {
        const QStringList Lines = TextLines(Text, !FGrid->Multilinecells().isEmpty());
        Integer Widest = 0;
        for (const String& Line : Lines)
            Widest = std::max(Widest, FCanvas->TextWidth(Line));
        Size = TPoint(Widest + G.X, Integer(Lines.size()) * LineHeight);
    }
    Size = TPoint(std::max(Size.X, G.X), std::max(Size.Y, G.Y));
    if (FGrid->OnCustomCellSize)
        FGrid->OnCustomCellSize(FGrid, FCanvas, Real, Row, Size, true);
    return Size;
}

void TGridPrintEngine::PrintCell(Integer Col, Integer Row, Integer Y, Integer Height, bool FirstOfRun,
                                 Integer BandRight)
{
    const Integer Real = FGrid->RealColIndex(Col);
    if (!FGrid->IsBaseCell(Real, Row))
        return;
    const Integer SpanX = FGrid->CellSpan(Real, Row).X;
    const Integer LastCol = std::min(Col + SpanX, Integer(FGrid->MaxWidths.size()) - 2);
    TRect R(FGrid->Indents[std::size_t(Col)], Y, FGrid->Indents[std::size_t(Col)], Y - Height);
    for (Integer C = Col; C <= LastCol; ++C)
        R.Right += FGrid->MaxWidths[std::size_t(C)] + FSpacing;
    R.Right = std::min(R.Right, BandRight);
    TCellBorders Lines;
    switch (FSettings->Borders()) {
    case pbSingle:
    case pbDouble: Lines = TCellBorders{cbTop, cbLeft, cbRight, cbBottom}; break;
    case pbHorizontal:
    case pbAroundHorizontal: Lines = TCellBorders{cbTop, cbBottom}; break;
    case pbVertical:
    case pbAroundVertical: Lines = TCellBorders{cbLeft, cbRight}; break;
    default: break;
    }
    FCanvas->Pen()->SetWidth(1);
    FCanvas->Pen()->SetStyle(psSolid);
    FCanvas->Pen()->SetColor(FSettings->BorderColor());
    FGrid->GetCellPrintBorder(Real, Row, FCanvas->Pen(), Lines);
    // A cell reaching below the footer line is cut there without its
    // bottom line.
    const Integer Limit = FBottom + FSettings->FooterSize();
    if (R.Bottom < Limit) {
        R.Bottom = Limit;
        Lines.Exclude(cbBottom);
    }
    TBrush Brush;
    TFont Font;
    TColor ColorTo = clNone;
    TAlignment HA = taLeftJustify;
    TVAlignment VA = vtaTop;
    bool WW = false;
    CellLook(Col, Row, &Brush, ColorTo, &Font, HA, VA, WW);
    FillCell(R, &Brush, ColorTo, Lines);
    TRect TextRect = R;
    DrawCheckGraphic(Col, Row, TextRect);
    if (!HasDataGraphic(FGrid, Real, Row))
        DrawCellText(Col, Row, TextRect, &Font, HA, VA, WW);
    if (FGrid->OnCustomCellDraw) {
        TGridDrawState State;
        // In device units, the font at the size of the print font.
        const TRect Device = FCanvas->LPtoDP(R);
        const Integer Old = FCanvas->SetMapMode(MM_TEXT);
        const Integer Size = FCanvas->Font()->Size();
        FCanvas->Font()->SetSize(FSettings->Font()->Size());
        FGrid->OnCustomCellDraw(FGrid, FCanvas, Real, Row, State, Device, true);
        FCanvas->Font()->SetSize(Size);
        FCanvas->SetMapMode(Old);
    }
    DrawCellLines(R, Lines, FirstOfRun);
}

void TGridPrintEngine::FillCell(const TRect& R, TBrush* Brush, TColor ColorTo, const TCellBorders& Lines)
{
    TRect F = R;
    const Integer Pen = 2 * FCanvas->Pen()->Width();
    if (!Lines.Contains(cbLeft))
        F.Left += Pen;
    if (!Lines.Contains(cbTop))
        F.Top -= Pen;
    if (!IsPaintableColor(Brush->Color()) || Brush->Style() == bsClear)
        return;
    if (IsPaintableColor(ColorTo)) {
        GradientFillRect(FCanvas, F, Brush->Color(), ColorTo, gdVertical);
        return;
    }
    FCanvas->Brush()->Assign(Brush);
    FCanvas->FillRect(F);
}

// Check boxes of the cell, with PrintGraphics, as the platform draws them.
void TGridPrintEngine::DrawCheckGraphic(Integer Col, Integer Row, TRect& TextRect)
{
    const Integer Real = FGrid->RealColIndex(Col);
    TCellGraphic* G = FSettings->PrintGraphics() ? FGrid->GetCellGraphic(Real, Row) : nullptr;
    if (!G)
        return;
    const TCellType Kind = G->CellType();
    if (Kind != ctCheckBox && Kind != ctDataCheckBox && Kind != ctVirtCheckBox && Kind != ctRowCheckBox)
        return;
    const TPoint Size = GraphicSize(Col, Row);
    bool Checked = false;
    FGrid->GetCheckBoxState(Real, Row, Checked);
    const Integer Left = TextRect.Left + Integer(std::lround(FL));
    const Integer Top = TextRect.Top - (std::abs(TextRect.Height()) - Size.Y) / 2;
    const TRect Box = FCanvas->LPtoDP(TRect(Left, Top, Left + Size.X, Top - Size.Y));
    TextRect.Left = Left + Size.X;
    QPainter* P = FCanvas->Painter();
    if (!P)
        return;
    QStyleOptionButton Option;
    Option.rect = ToQRect(Box);
    Option.state = QStyle::State_Enabled | (Checked ? QStyle::State_On : QStyle::State_Off);
    P->save();
    QApplication::style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &Option, P);
    P->restore();
}

void TGridPrintEngine::DrawCellText(Integer Col, Integer Row, const TRect& R, TFont* Font, TAlignment HA,
                                    TVAlignment VA, bool WW)
{
    const String Text = FGrid->Cells(FGrid->RealColIndex(Col), Row);
    if (Text.isEmpty())
        return;
    UseFont(Font);
    FCanvas->Brush()->SetStyle(bsClear);
    const Integer M = FCanvas->TextWidth(QStringLiteral("g")) / 2;
    if (WW && FSettings->NoAutoSize()) {
        TRect T = R;
        T.Left += Integer(std::lround(2 * FL));
        if (HA != taRightJustify)
            T.Left += M;
        if (HA != taLeftJustify)
            T.Right -= M;
        DrawText(FCanvas, Text, T, DT_WORDBREAK | DT_NOPREFIX);
        return;
    }
    const QStringList Lines = TextLines(Text, !FGrid->Multilinecells().isEmpty());
    const Integer LineH = FCanvas->TextHeight(QStringLiteral("gh")) + FSettings->RowSpacing();
    const Integer Pitch = LineH + LineH / 8 - FSettings->RowSpacing();
    const Integer Used = Integer(Lines.size()) * Pitch;
    const Integer Room = R.Top - R.Bottom - 2 * FPad;
    Integer Y = R.Top - FPad;
    if (VA == vtaCenter)
        Y -= (Room - Used) / 2;
    else if (VA == vtaBottom)
        Y -= Room - Used;
    FCanvas->SaveClipping();
    FCanvas->IntersectClipRect(TRect(R.Left, R.Top, R.Right, R.Bottom));
    for (const String& Line : Lines) {
        const Integer W = FCanvas->TextWidth(Line);
        Integer X = R.Left + M;
        if (HA == taRightJustify)
            X = R.Right - M - W;
        else if (HA == taCenter)
            X = R.Left + (R.Width() - W) / 2;
        FCanvas->TextOut(X, Y, Line);
        Y -= Pitch;
    }
    FCanvas->RestoreClipping();
}

void TGridPrintEngine::DrawCellLines(TRect R, const TCellBorders& Lines, bool FirstOfRun)
{
    TPen* Pen = FCanvas->Pen();
    if (FMode == pmPrint)
        Pen->SetWidth(std::max(1, Integer(std::lround(Pen->Width() * FL))));
    if (!FirstOfRun)
        R.Left -= Pen->Width();
    auto Line = [&](Integer X1, Integer Y1, Integer X2, Integer Y2) {
        FCanvas->MoveTo(X1, Y1);
        FCanvas->LineTo(X2, Y2);
    };
    if (Lines.Contains(cbLeft))
        Line(R.Left, R.Top, R.Left, R.Bottom);
    if (Lines.Contains(cbRight))
        Line(R.Right, R.Top, R.Right, R.Bottom);
    if (Lines.Contains(cbTop))
        Line(R.Left, R.Top, R.Right, R.Top);
    if (Lines.Contains(cbBottom))
        Line(R.Left, R.Bottom, R.Right, R.Bottom);
}
