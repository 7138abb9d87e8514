#pragma once
// Real mouse input for a grid on a shown offscreen form: Qt events on the
// grid's client area (the viewport). Points are the grid's client
// coordinates.
#include "grid/control/ExGrid.h"

#include "common/ShowForm.h"

#include <QApplication>
#include <QMouseEvent>
#include <QtTest/QTest>

struct TGridMouse {
    TExStringGrid* Grid;

    QWidget* Client() const { return Grid->ClientWidget(); }
    QPoint At(Integer ACol, Integer ARow, Integer DX, Integer DY) const
    {
        const TRect R = Grid->CellRect(ACol, ARow);
        return QPoint(R.Left + DX, R.Top + DY);
    }
    void Press(QPoint P, Qt::KeyboardModifiers Mods = {}, Qt::MouseButton B = Qt::LeftButton) const
    {
        QTest::mousePress(Client(), B, Mods, P);
    }
    void Release(QPoint P, Qt::KeyboardModifiers Mods = {}, Qt::MouseButton B = Qt::LeftButton) const
    {
        QTest::mouseRelease(Client(), B, Mods, P);
    }
    void Move(QPoint P) const { QTest::mouseMove(Client(), P); }
    void Click(QPoint P, Qt::KeyboardModifiers Mods = {}, Qt::MouseButton B = Qt::LeftButton) const
    {
        Press(P, Mods, B);
        Release(P, Mods, B);
    }
    // Press, release, then the double click and its release, as the
    // platform delivers them.
    void DoubleClick(QPoint P) const
    {
        Click(P);
        const QPoint V = P;
        QMouseEvent Dbl(QEvent::MouseButtonDblClick, V, Client()->mapToGlobal(V), Qt::LeftButton, Qt::LeftButton,
                        Qt::NoModifier);
        QApplication::sendEvent(Client(), &Dbl);
        Release(P);
    }
};
