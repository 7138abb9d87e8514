#pragma once
// The painting of one string-grid cell, shared by ExGrid_Paint.cpp (the
// cell's parts in their order, header looks and edges, borders) and
// ExGrid_PaintText.cpp (the text, the filter glyph, the background picture
// and gradient, the selection rectangle).
#include "grid/control/ExGrid.h"

// The font values a cell's properties set (colour, style, size, name) put
// into AFont; the others stay.
void ApplyCellPropertiesFont(TCellProperties* P, TFont* AFont);

class TExGridCellPainter {
public:
    // ACol is a display column; ARect the cell's content rectangle.
    TExGridCellPainter(TExStringGrid& AGrid, TCanvas* ACanvas, Integer ACol, Integer ARow, const TRect& ARect,
                       TGridDrawState AState);
    void Paint();
    // Whether a header cell shows its column's sort mark.
    static bool ShowsSortMark(TExStringGrid& G, Integer Col, Integer RCol, Integer Row);

private:
    // ExGrid_Paint.cpp
    void ResolveLook();
    void PaintHeaderBackground();
    void PaintHeaderHover();
    void PaintRowIndicator();
    void PaintListViewHeader();
    void PaintModifiedMark();
    void PaintEditorButtons();
    bool TextIsDrawn() const;
    bool InterfaceUnderText() const;
    void DrawCellBorders();
    void PaintHeaderEdges();
    void PaintSoftEdges(bool Outside);
    void PaintTreeLines();
    void PaintGraphic();
    void DrawGraphicIn(const TRect& Area);
    void RaiseDrawEvents();
    void PaintFocusRect();

    // ExGrid_PaintText.cpp
    void DrawCellText();
    void ApplySelectedTextLook();
    void ApplyDisjunctLook();
    String CellDisplayText(Integer& Kind);
    void PaintFilterGlyph(const TRect& T);
    bool BackgroundCellKindMatches() const;
    void PaintBackgroundPicture(const TRect& T);
    void PaintBackgroundGradient(const TRect& T);
    void PaintCellBackgroundBitmap(const TRect& Area);
    void PaintCellBackgroundTiled(const TRect& Area);
    void PaintCellBackgroundGradient(const TRect& Area);
    void PaintSelectionRectangle(const TRect& T);
    void MakeRoomForGraphic(TRect& T);
    void DrawHTMLCellText(TRect T, const String& Text);
    void DrawRichCellText(TRect T);
    void DrawPlainCellText(TRect T, String Text);
    Cardinal PlainTextFlags(const String& Text) const;
    bool ShowsSortMark() const;
    Integer SortMarkY(const TRect& T) const;

    TExStringGrid& G;
    TCanvas* C;
    Integer Col;  // display
    Integer RCol; // real
    Integer Row;
    Integer SelRow; // the row of the row-selection and enabled-row tests
    TRect R;
    TGridDrawState State;
    bool Header;
    bool FilterGlyph = false;

    TColor ColorTo = clNone;
    TColor MirrorColor = clNone;
    TColor MirrorColorTo = clNone;
    TAlignment HA = taLeftJustify;
    TVAlignment VA = vtaTop;
    bool WW = true;
    TCellGradientDirection GD = GradientVertical;

    // The graphic as the cell's graphic query gives it.
    TCellGraphic* Graphic = nullptr;
    Integer GW = 0;
    Integer GH = 0;
    TCellHAlign GraphicHAlign = haLeft;
    TCellVAlign GraphicVAlign = vaTop;
    bool TextAllowed = true;

    // Brush and font colours after the look (step 5), put back after the text.
    TColor LookBrushColor = clNone;
    TColor LookFontColor = clNone;
    Integer RightCut = 0;

    // The colour of links: URLColor, or the selection's text colour.
    TColor LinkColor = clNone;
    // Outputs of the text for the graphic beside it.
    Integer TextWidth = 0;
    Integer GraphicIndent = 0;
};
