#pragma once
// A grid on an offscreen form with a temporary folder for its text files;
// Put fills the grid from rows of texts.
#include "grid/control/ExGridTestForm.h"

#include "rtl/SysUtils.h"

#include <QTemporaryDir>

#include <initializer_list>
#include <vector>

class GridTextTest : public ::testing::Test {
protected:
    // ColCount and RowCount from the rows, fixed cells 0.
    void Put(std::initializer_list<std::initializer_list<const char*>> Rows)
    {
        G.SetFixedRows(0);
        G.SetFixedCols(0);
        G.SetRowCount(Integer(Rows.size()));
        G.SetColCount(Integer(Rows.begin()->size()));
        Integer R = 0;
        for (const auto& Row : Rows) {
            Integer C = 0;
            for (const char* Text : Row)
                G.SetCells(C++, R, String::fromUtf8(Text));
            ++R;
        }
    }
    // The rows of the grid, cells joined by "|".
    QStringList Texts() const
    {
        QStringList Rows;
        for (Integer R = 0; R < G.RowCount(); ++R) {
            QStringList Cells;
            for (Integer C = 0; C < G.ColCount(); ++C)
                Cells << G.Cells(C, R);
            Rows << Cells.join(u'|');
        }
        return Rows;
    }
    String Path(const char* Name) const { return Dir.filePath(QString::fromLatin1(Name)); }
    String WriteFile(const char* Name, const QByteArray& Bytes) const
    {
        const String File = Path(Name);
        WriteFileAtomically(File, Bytes);
        return File;
    }

    TExGridForm F;
    TTestExGrid& G = *F.Grid;
    QTemporaryDir Dir;
};

// The message of the exception Action raises; empty when none.
template <typename Action>
String RaisedMessage(Action&& Do)
{
    try {
        Do();
    } catch (const Exception& E) {
        return E.Message();
    }
    return String();
}
