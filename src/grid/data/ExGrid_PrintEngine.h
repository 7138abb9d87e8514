#pragma once
// The grid's print engine: lays out columns, bands and pages in tenths of a
// millimetre (the canvas in its metric mode) and, in the drawing modes,
// draws headers, footers, cells and lines.
#include "grid/control/ExGrid.h"

#include <functional>
#include <vector>

enum TPrintMode : Integer { pmPreview = 0, pmPrint = 1, pmCountPrinter = 2, pmCountPreview = 3 };
enum TPrintChoice { pcAll, pcSelectedRows, pcSelectedCols };

class TGridPrintEngine {
public:
    // NewPage starts the next printed page (printing only).
    TGridPrintEngine(TExStringGrid* Grid, TCanvas* Canvas, TPrintMode Mode, TPrintChoice Choice,
                     std::function<void()> NewPage = {});
    // The number of pages laid out.
    Integer Run();

    // The print and preview operations of the grid.
    static void PrintOnPrinter(TExStringGrid* Grid, const TGridRect& Rect, TPrintChoice Choice);
    static void Preview(TExStringGrid* Grid, TCanvas* Canvas, TRect Display, const TGridRect& Rect,
                        TPrintChoice Choice);
    static void DrawPage(TExStringGrid* Grid, TCanvas* Canvas, TRect DrawRect, const TGridRect& Rect);

private:
    struct TBand {
        Integer First = 0;
        Integer Last = 0;
        bool RepeatFixed = false;
    };
    struct TPageText {
        String Text;
        std::vector<String> Extra;
    };

    bool Drawing() const { return FMode == pmPreview || FMode == pmPrint; }
    bool InRange(Integer Page) const;
    void TakeMetrics();
    void TakePageSize();
    void MeasureColumns();
    void FitToPage();
    void MakeBands();
    void PlaceBand(const TBand& Band);
    void TakeHeaderFooterSpace();
    void PrintBand(const TBand& Band, Integer BandNr);
    bool PrintPage(const TBand& Band, Integer BandNr, Integer PageInBand, Integer& Row);
    Integer PrintRow(const TBand& Band, Integer Row, Integer Y);
    void PrintCell(Integer Col, Integer Row, Integer Y, Integer Height, bool FirstOfRun, Integer BandRight);
    void FillCell(const TRect& R, TBrush* Brush, TColor ColorTo, const TCellBorders& Lines);
    void DrawCellText(Integer Col, Integer Row, const TRect& R, TFont* Font, TAlignment HA, TVAlignment VA, bool WW);
    void DrawCheckGraphic(Integer Col, Integer Row, TRect& TextRect);
    void DrawCellLines(TRect R, const TCellBorders& Lines, bool FirstOfRun);
    void DrawHeaderFooter(Integer PageInBand, Integer BandNr);
    void DrawOuterLines(const TBand& Band, Integer LastY);
    String PageNumberText(Integer PageInBand, Integer BandNr);
    bool RowPrinted(Integer Row);
    bool ColPrinted(Integer Col);
    Integer RowHeight(Integer Row);
    Integer PrintedRowHeight(Integer Row) { return 2 * FPad + RowHeight(Row) + FSettings->RowSpacing(); }
    TPoint CellExtent(Integer Col, Integer Row);
    TPoint GraphicSize(Integer Col, Integer Row);
    // The cell's print font, brush and alignments on the canvas.
    void CellLook(Integer Col, Integer Row, TBrush* Brush, TColor& ColorTo, TFont* Font, TAlignment& HA,
                  TVAlignment& VA, bool& WW);
    void UseFont(TFont* Font);
    Integer Scaled(Integer Pixels) const;

    TExStringGrid* FGrid;
    TCanvas* FCanvas;
    TPrintMode FMode;
    TPrintChoice FChoice;
    std::function<void()> FNewPage;
    TPrintSettings* FSettings;
    // Tenths of a millimetre per screen pixel.
    double FL = 254.0 / 96;
    Integer FHeaderLine = 0;
    Integer FFooterLine = 0;
    Integer FTextLine = 0;
    Integer FPad = 0;
    Integer FWidth = 0;
    Integer FBottom = 0;
    Integer FSpacing = 0;
    Integer FHeaderSpace = 0;
    Integer FFooterSpace = 0;
    Integer FRepeatWidth = 0;
    double FScale = 1.0;
    std::vector<TBand> FBands;
    Integer FPageNr = 0;
    Integer FPrintedPages = 0;
    bool FCancelled = false;
    Integer FCachedRow = -1;
    Integer FCachedHeight = 0;
    Integer FLastBottom = 0;
};
