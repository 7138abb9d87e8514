#pragma once
// A base grid of 6 x 6 cells (one fixed row and column, columns 64 and rows
// 24 pixels) with a client area of 200 x 100 pixels on an offscreen form, so
// that it scrolls. TTestBaseGrid opens the protected state and counts the
// content painted per cell.
#include "grid/base/BaseGrid.h"

#include "common/ShowForm.h"
#include "rtl/Forms.h"

#include <QApplication>
#include <QImage>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <map>
#include <memory>

class TTestBaseGrid : public TBaseGrid {
public:
    using TBaseGrid::TBaseGrid;
    using TBaseGrid::FocusCell;
    using TBaseGrid::FHasCellProps;
    using TBaseGrid::FHideLastRow;
    using TBaseGrid::FHoverRowIdx;
    using TBaseGrid::FMergeCount;
    using TBaseGrid::FNormalRowCount;
    using TBaseGrid::FPaintID;

    std::map<std::pair<Integer, Integer>, Integer> ContentPaints;
    Integer LastRowChanges = 0;

protected:
    void PaintCellContent(TCanvas* ACanvas, Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState) override
    {
        ++ContentPaints[{ACol, ARow}];
        TBaseGrid::PaintCellContent(ACanvas, ACol, ARow, ARect, AState);
    }
    void LastRowChanged() override { ++LastRowChanges; }
};

class TBaseGridForm {
public:
    TBaseGridForm()
    {
        Form = std::make_unique<TForm>(nullptr);
        Form->SetClientWidth(300);
        Form->SetClientHeight(200);
        Grid = new TTestBaseGrid(Form.get());
        Grid->SetParent(Form.get());
        Grid->SetBorderStyle(bsNone);
        Grid->SetScrollBars(ssNone);
        Grid->SetBounds(0, 0, 200, 100);
        Grid->SetColCount(6);
        Grid->SetRowCount(6);
    }

    void Show() { ShowWithFocus(Form.get(), Grid); }
    // One paint of the whole client area.
    QImage Grab() const { return Grid->ClientWidget()->grab().toImage(); }

    std::unique_ptr<TForm> Form;
    TTestBaseGrid* Grid = nullptr;
};

// A colour of a grabbed image as 0xBBGGRR.
inline TColor PixelColor(const QImage& Image, int X, int Y)
{
    return QColorToColor(Image.pixelColor(X, Y));
}
