#pragma once
// Real mouse input for a grid on a shown offscreen form: Qt events on the
// grid's client area. Points are the grid's client coordinates; the grid
// reads a viewport point shifted by the viewport's place in the frame.
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
    QPoint OnViewport(QPoint P) const { return P - Client()->pos(); }
    void Press(QPoint P, Qt::KeyboardModifiers Mods = {}, Qt::MouseButton B = Qt::LeftButton) const
    {
        QTest::mousePress(Client(), B, Mods, OnViewport(P));
    }
    void Release(QPoint P, Qt::KeyboardModifiers Mods = {}, Qt::MouseButton B = Qt::LeftButton) const
    {
        QTest::mouseRelease(Client(), B, Mods, OnViewport(P));
    }
    void Move(QPoint P) const { QTest::mouseMove(Client(), OnViewport(P)); }
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
        const QPoint V = OnViewport(P);
        QMouseEvent Dbl(QEvent::MouseButtonDblClick, V, Client()->mapToGlobal(V), Qt::LeftButton, Qt::LeftButton,
                        Qt::NoModifier);
        QApplication::sendEvent(Client(), &Dbl);
        Release(P);
    }
};
