#pragma once
// A string grid made in code on an offscreen form (not designing), with the
// protected state opened for the tests. TExGridForm gives small fixtures:
// Fill writes "c,r" texts into the display rows over all real columns.
#include "grid/control/ExGrid.h"

#include "common/ShowForm.h"
#include "rtl/Forms.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <memory>

class TTestExGrid : public TExStringGrid {
public:
    using TExStringGrid::TExStringGrid;
    using TExStringGrid::ColchgFlg;
    using TExStringGrid::Colclicked;
    using TExStringGrid::Colclickedsize;
    using TExStringGrid::ColSized;
    using TExStringGrid::FEditChange;
    using TExStringGrid::FFilterCol;
    using TExStringGrid::FFixedRowsMin;
    using TExStringGrid::FIsComCtl6;
    using TExStringGrid::FIsWin7;
    using TExStringGrid::FIsWinVista;
    using TExStringGrid::FIsWinXP;
    using TExStringGrid::FLastTabCol;
    using TExStringGrid::FLastTabRow;
    using TExStringGrid::FLastValidation;
    using TExStringGrid::FMaxRowCount;
    using TExStringGrid::FNumHidden;
    using TExStringGrid::FOldRowSel;
    using TExStringGrid::FComboIdx;
    using TExStringGrid::FMouseSelectStart;
    using TExStringGrid::FOldSize;
    using TExStringGrid::FVisibleCol;
    using TExStringGrid::Rowclicked;
    using TExStringGrid::Rowclickedsize;
    using TExStringGrid::Rowsized;
    using TExStringGrid::FMouseSelectMode;
    using TExStringGrid::FOldOfficeTheme;
    using TExStringGrid::FCurrentStyle;
    using TExStringGrid::FWheelScrollLines;
    using TExStringGrid::FNumNodes;
    using TExStringGrid::FEditDisable;
    using TExStringGrid::FHoverButton;
    using TExStringGrid::HasNodes;
    using TExStringGrid::GetCellIndent;
    using TExStringGrid::WMGetDlgCode;
    using TExStringGrid::GetEditMask;
    using TExStringGrid::FFocusWindow;
    using TExStringGrid::SetDesigning;
    using TExStringGrid::CMDesignHitTest;
    using TExStringGrid::ArwD;
    using TExStringGrid::ArwL;
    using TExStringGrid::ArwR;
    using TExStringGrid::FUpdateCount;
    using TExStringGrid::FOldCursor;

    Integer Paints = 0;

protected:
    void Paint() override
    {
        ++Paints;
        TExStringGrid::Paint();
    }
};

class TExGridForm {
public:
    explicit TExGridForm(bool OwnedByForm = true)
    {
        Form = std::make_unique<TForm>(nullptr);
        Form->SetClientWidth(600);
        Form->SetClientHeight(400);
        Grid = new TTestExGrid(OwnedByForm ? Form.get() : nullptr);
        if (!OwnedByForm)
            Owned.reset(Grid);
        Grid->SetParent(Form.get());
    }
    ~TExGridForm()
    {
        Owned.reset();
    }

    // Cells "c,r" over the display rows and all real columns.
    void Fill()
    {
        for (Integer R = 0; R < Grid->RowCount(); ++R)
            for (Integer C = 0; C < Grid->AllColCount(); ++C)
                Grid->SetCells(C, R, QStringLiteral("%1,%2").arg(C).arg(R));
    }
    // The texts of column C down the display rows, joined by blanks.
    String Column(Integer C) const
    {
        QStringList Texts;
        for (Integer R = 0; R < Grid->RowCount(); ++R)
            Texts << Grid->Cells(C, R);
        return Texts.join(u' ');
    }

    std::unique_ptr<TForm> Form;
    TTestExGrid* Grid = nullptr;

private:
    std::unique_ptr<TTestExGrid> Owned;
};
