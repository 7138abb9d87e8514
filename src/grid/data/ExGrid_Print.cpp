// Printing and preview of the grid, and the small routines the grid's
// painting shares with them (margins, line counts, rotated text, scaling).
#include "grid/control/ExGrid.h"

#include "grid/data/ExGrid_PrintEngine.h"
#include "rtl/Printers.h"

#include <climits>
#include <numbers>
#include <cmath>

namespace grid_print {

TGridRect WholeGrid(TExStringGrid* Grid)
{
    TGridRect R;
    R.Left = 0;
    R.Top = 0;
    R.Right = Grid->ColCount() - 1;
    R.Bottom = Grid->RowCount() - 1;
    return R;
}

// The canvas in the metric mode for the life of the scope.
class TMetricScope {
public:
    explicit TMetricScope(TCanvas* Canvas) : FCanvas(Canvas), FOld(Canvas->SetMapMode(MM_LOMETRIC)) {}
    ~TMetricScope() { FCanvas->SetMapMode(FOld); }
    TMetricScope(const TMetricScope&) = delete;
    TMetricScope& operator=(const TMetricScope&) = delete;

private:
    TCanvas* FCanvas;
    Integer FOld;
};

// Tells the grid the end of an export also when printing fails.
class TExportScope {
public:
    explicit TExportScope(std::function<void(Integer)> Notify) : FNotify(std::move(Notify))
    {
        FNotify(esExportStart);
    }
    ~TExportScope() { FNotify(esExportDone); }
    TExportScope(const TExportScope&) = delete;
    TExportScope& operator=(const TExportScope&) = delete;

private:
    std::function<void(Integer)> FNotify;
};

// A printer's resolution that is unknown counts as the screen's.
Integer KnownDpi(Integer Dpi) { return Dpi > 0 ? Dpi : 96; }

} // namespace grid_print

using namespace grid_print;

void TGridPrintEngine::PrintOnPrinter(TExStringGrid* Grid, const TGridRect& Rect, TPrintChoice Choice)
{
    const TExportScope Export([Grid](Integer State) { Grid->ExportNotification(State, -1); });
    Grid->FPrintRect = Rect;
    TPrinter* Pr = Printer();
    TPrintSettings* PS = Grid->PrintSettings();
    if (!PS->UseDefaultOrientation())
        Pr->SetOrientation(PS->Orientation());
    Grid->PrevRect = TRect(0, 0, Integer(std::lround(254.0 / KnownDpi(Pr->PixelsPerInchX()) * Pr->PageWidth())),
                           Integer(std::lround(254.0 / KnownDpi(Pr->PixelsPerInchY()) * Pr->PageHeight())));
    Pr->SetTitle(PS->JobName());
    Pr->BeginDoc();
    Integer Pages = INT_MAX;
    try {
        if (!Grid->FFastPrint) {
            const TMetricScope Metric(Pr->Canvas());
            Grid->FPrintPageFrom = 1;
            Grid->FPrintPageTo = INT_MAX;
            Pages = TGridPrintEngine(Grid, Pr->Canvas(), pmCountPrinter, Choice).Run();
        }
        Grid->FPrintPageFrom = 1;
        Grid->FPrintPageTo = Pages;
        Grid->FPrintPageNum = Pages;
        if (Grid->OnPrintStart) {
            Pr->Abort();
            Grid->OnPrintStart(Grid, Pages, Grid->FPrintPageFrom, Grid->FPrintPageTo);
            if (Grid->FPrintPageFrom == 0 || Grid->FPrintPageTo == 0 || Grid->FPrintPageTo < Grid->FPrintPageFrom)
                return;
            Pr->BeginDoc();
        }
        Grid->FPrintPageNum = Grid->FFastPrint ? Grid->FPrintPageTo : Pages;
        {
            const TMetricScope Metric(Pr->Canvas());
            TGridPrintEngine(Grid, Pr->Canvas(), pmPrint, Choice, [Pr] { Pr->NewPage(); }).Run();
        }
        Pr->EndDoc();
    } catch (...) {
        if (Pr->Printing())
            Pr->EndDoc();
        throw;
    }
}

void TGridPrintEngine::Preview(TExStringGrid* Grid, TCanvas* Canvas, TRect Display, const TGridRect& Rect,
                               TPrintChoice Choice)
{
    const TExportScope Export([Grid](Integer State) {
        Grid->ExportNotification(State, -1);
        Grid->FIsPrintPreview = false;
    });
    Grid->FPrintRect = Rect;
    Grid->PrevRect = Display;
    const TMetricScope Metric(Canvas);
    const Integer From = Grid->FPrintPageFrom, To = Grid->FPrintPageTo;
    if (!Grid->FFastPrint) {
        Grid->FPrintPageFrom = 1;
        Grid->FPrintPageTo = INT_MAX;
        Grid->FPrintPageNum = TGridPrintEngine(Grid, Canvas, pmCountPreview, Choice).Run();
    }
    Grid->FPrintPageFrom = From;
    Grid->FPrintPageTo = To;
    Grid->FIsPrintPreview = true;
    Integer First = 1, Last = Grid->FPrintPageNum;
    if (Grid->OnPrintStart)
        Grid->OnPrintStart(Grid, Grid->FPrintPageNum, First, Last);
    if (First == 0 || Last == 0 || Last < First)
        return;
    TGridPrintEngine(Grid, Canvas, pmPreview, Choice).Run();
}

void TGridPrintEngine::DrawPage(TExStringGrid* Grid, TCanvas* Canvas, TRect DrawRect, const TGridRect& Rect)
{
    Grid->FPrintRect = Rect;
    Grid->PrevRect = DrawRect;
    Grid->FPrintPageFrom = 1;
    Grid->FPrintPageTo = 1;
    Grid->FPrintPageNum = 1;
    const TMetricScope Metric(Canvas);
    TGridPrintEngine(Grid, Canvas, pmPrint, pcAll).Run();
}

// ---------------------------------------------------------------- the grid's operations

void TExStringGrid::Print() { TGridPrintEngine::PrintOnPrinter(this, WholeGrid(this), pcAll); }

void TExStringGrid::PrintRect(const TGridRect& Gridrect) { TGridPrintEngine::PrintOnPrinter(this, Gridrect, pcAll); }

void TExStringGrid::PrintSelection() { TGridPrintEngine::PrintOnPrinter(this, Selection(), pcAll); }

void TExStringGrid::PrintSelectedRows() { TGridPrintEngine::PrintOnPrinter(this, WholeGrid(this), pcSelectedRows); }

void TExStringGrid::PrintSelectedCols() { TGridPrintEngine::PrintOnPrinter(this, WholeGrid(this), pcSelectedCols); }

void TExStringGrid::PrintPreview(TCanvas* Canvas, TRect Displayrect)
{
    TGridPrintEngine::Preview(this, Canvas, Displayrect, WholeGrid(this), pcAll);
}

void TExStringGrid::PrintPreviewRect(TCanvas* Canvas, TRect Displayrect, const TGridRect& Gridrect)
{
    TGridPrintEngine::Preview(this, Canvas, Displayrect, Gridrect, pcAll);
}

void TExStringGrid::PrintPreviewSelection(TCanvas* Canvas, TRect Displayrect)
{
    TGridPrintEngine::Preview(this, Canvas, Displayrect, Selection(), pcAll);
}

void TExStringGrid::PrintPreviewSelectedRows(TCanvas* Canvas, TRect Displayrect)
{
    TGridPrintEngine::Preview(this, Canvas, Displayrect, WholeGrid(this), pcSelectedRows);
}

void TExStringGrid::PrintPreviewSelectedCols(TCanvas* Canvas, TRect Displayrect)
{
    TGridPrintEngine::Preview(this, Canvas, Displayrect, WholeGrid(this), pcSelectedCols);
}

void TExStringGrid::PrintDraw(TCanvas* Canvas, TRect DrawRect)
{
    TGridPrintEngine::DrawPage(this, Canvas, DrawRect, WholeGrid(this));
}

void TExStringGrid::PrintDrawRect(TCanvas* Canvas, TRect DrawRect, const TGridRect& Gridrect)
{
    TGridPrintEngine::DrawPage(this, Canvas, DrawRect, Gridrect);
}

void TExStringGrid::SetPreviewPage(Integer Value)
{
    FPreviewPage = Value;
    FPrintPageFrom = Value;
    FPrintPageTo = Value;
}

Integer TExStringGrid::MapFontHeight(Integer PointSize) const
{
    return -Integer(std::trunc(PointSize * 254.0 / 72.0 * Fontscalefactor));
}

Integer TExStringGrid::MapFontSize(Integer Height) { return Integer(std::trunc(Height * 72.0 / 254.0)); }

void TExStringGrid::ChangeScale(Integer M, Integer D)
{
    if (IsDesigning() || M == D || D == 0)
        return;
    FixedFont()->SetSize(MulDiv(FixedFont()->Size(), M, D));
    ActiveCellFont()->SetSize(MulDiv(ActiveCellFont()->Size(), M, D));
}

// The start of rotated text by the quadrant of its angle: a, b, c, d are
// the projections of the text's height and width on the two axes.
void TExStringGrid::DrawRotatedText(TCanvas* Canvas, TRect& Rect, Integer Angle, TAlignment HAlign,
                                    TVAlignment VAlign, const String& Text)
{
    InflateRect(Rect, -2, -2);
    const Integer W = Canvas->TextWidth(Text + QLatin1Char('w'));
    const Integer H = Canvas->TextHeight(Text + QLatin1Char('w'));
    const double Rad = Angle * std::numbers::pi / 180.0;
    const Integer A = Integer(std::abs(std::cos(Rad) * H));
    const Integer B = Integer(std::abs(std::sin(Rad) * W));
    const Integer C = Integer(std::abs(std::sin(Rad) * H));
    const Integer D = Integer(std::abs(std::cos(Rad) * W));
    const Integer Width = Rect.Width(), Height = Rect.Height();
    const Integer Left = Rect.Left, Right = Rect.Right, Top = Rect.Top, Bottom = Rect.Bottom;
    const Integer Quadrant = Angle <= 90 ? 0 : Angle <= 180 ? 1 : Angle <= 270 ? 2 : 3;
    // Per quadrant: left, right, centre; top, bottom, middle.
    const Integer Xs[4][3] = {{Left, Right - D - C, Left + (Width - C - D) / 2},
                              {Left + D, Right - C, Right - (C + Width - D) / 2},
                              {Left + C + D, Right, Right - (Width - C - D) / 2},
                              {Left + C, Right - D, Left + (C + Width - D) / 2}};
    const Integer Ys[4][3] = {{Top + B, Bottom - A, Top + B - (A + B - Height) / 2},
                              {Top + A + B, Bottom, Top + A + B - (A + B - Height) / 2},
                              {Top + A, Bottom - B, Top + A - (A + B - Height) / 2},
                              {Top, Bottom - A - B, Top - (A + B - Height) / 2}};
    const Integer HKind = HAlign == taRightJustify ? 1 : HAlign == taCenter ? 2 : 0;
    const Integer VKind = VAlign == vtaBottom ? 1 : VAlign == vtaCenter ? 2 : 0;
    Rect.Left = Xs[Quadrant][HKind];
    Rect.Top = Ys[Quadrant][VKind];
}
