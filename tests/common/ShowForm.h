#pragma once
// Shows a form offscreen as the active window and gives a control of it the
// keyboard focus, for tests that drive it with keys.
#include "rtl/Forms.h"

#include <QApplication>
#include <QtTest/QTest>

#include <gtest/gtest.h>

inline void ShowWithFocus(TForm* Form, TWinControl* Focus)
{
    Form->Show();
    QApplication::setActiveWindow(Form->Handle());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Form->Handle()));
    Focus->SetFocus();
    QApplication::processEvents();
}
