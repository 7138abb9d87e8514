#pragma once
// A string grid on a shown form, for the grid tests: the grid's protected
// operations are reachable through TTestGrid, and TGridsForm shows it
// offscreen with the keyboard focus.
#include "common/ShowForm.h"
#include "rtl/Forms.h"
#include "rtl/Grids.h"

#include "DialogsTestService.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QScrollBar>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

class TTestGrid : public TStringGrid {
public:
    using TStringGrid::TStringGrid;
    using TCustomGrid::FocusCell;
    using TCustomGrid::MoveColRow;
    using TCustomGrid::MoveColumn;
    using TCustomGrid::MoveRow;
    using TStringGrid::DeleteColumn;
    using TStringGrid::DeleteRow;
    using TCustomGrid::EnableScrollBar;
    using TCustomGrid::GetScrollInfo;
    using TCustomGrid::ScrollBarVisible;
    using TCustomGrid::SetScrollInfo;
    using TCustomGrid::ShowScrollBar;

    TGridState GridState() const { return FGridState; }
    QAbstractScrollArea* Area() const { return static_cast<QAbstractScrollArea*>(Handle()); }
    QWidget* Viewport() const { return ClientWidget(); }
    QScrollBar* VertBar() const { return Area()->verticalScrollBar(); }

    // The centre of a cell in view, in client (viewport) coordinates.
    QPoint CellCentre(Integer ACol, Integer ARow) const
    {
        const TRect R = CellRect(ACol, ARow);
        return QPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
    }
    // Whether the whole cell lies in the client area.
    bool FullyVisible(Integer ACol, Integer ARow) const
    {
        const TRect R = CellRect(ACol, ARow);
        const TRect C = ClientRect();
        return !IsRectEmpty(R) && R.Left >= 0 && R.Top >= 0 && R.Right <= C.Right && R.Bottom <= C.Bottom;
    }

    std::vector<std::pair<Integer, Integer>> SizeChanges;
    Integer TopLeftChanges = 0;
    Integer EditLimit = 0;

protected:
    Integer GetEditLimit() override { return EditLimit; }
    void SizeChanged(Integer OldColCount, Integer OldRowCount) override
    {
        SizeChanges.emplace_back(OldColCount, OldRowCount);
        TStringGrid::SizeChanged(OldColCount, OldRowCount);
    }
    void TopLeftChanged() override
    {
        ++TopLeftChanges;
        TStringGrid::TopLeftChanged();
    }
};

// A form of 400 x 300 client pixels filled by a 10 x 1000 grid.
class TGridsForm {
public:
    TGridsForm(Integer ColCount = 10, Integer RowCount = 1000)
    {
        Form = std::make_unique<TForm>(nullptr);
        Form->SetClientWidth(400);
        Form->SetClientHeight(300);
        Grid = new TTestGrid(Form.get());
        Grid->SetParent(Form.get());
        Grid->SetBounds(0, 0, 400, 300);
        Grid->SetColCount(ColCount);
        Grid->SetRowCount(RowCount);
    }
    ~TGridsForm()
    {
        // An exception inside an event handler would have shown a box.
        EXPECT_TRUE(Dialogs->Boxes.empty());
    }

    void Show() { ShowWithFocus(Form.get(), Grid); }
    QWidget* FocusWidget() const { return QApplication::focusWidget(); }

    TScriptedDialogs Dialogs;
    std::unique_ptr<TForm> Form;
    TTestGrid* Grid = nullptr;
};
