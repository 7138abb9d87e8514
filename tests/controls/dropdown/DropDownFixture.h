#pragma once
// A form on the offscreen platform with the user's separators fixed to "."
// and ",", for the drop-down controls.
#include "controls/dropdown/ExDropDown.h"

#include "common/FormFixture.h"
#include "platform/UserLocale.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

class DropDownFixture : public TFormFixture {
protected:
    void SetUp() override
    {
        TFormFixture::SetUp();
        platform::SetUserDecimalSeparator(u'.');
        platform::SetUserThousandSeparator(u',');
    }
    void TearDown() override
    {
        Form.reset();
        platform::SetUserDecimalSeparator(std::nullopt);
        platform::SetUserThousandSeparator(std::nullopt);
    }
    // A drop-down of class T on the form, made as the framework makes it.
    template <class T = TExCustomDropDown>
    T* MakeDropDown(Integer Left = 20, Integer Top = 20)
    {
        auto* D = NewObject<T>(Form.get());
        D->SetParent(Form.get());
        D->SetBounds(Left, Top, D->Width(), D->Height());
        return D;
    }
    static void Press(TWinControl* C, Qt::Key K, Qt::KeyboardModifiers Mods = Qt::NoModifier)
    {
        QTest::keyClick(C->Handle(), K, Mods);
    }
    static void TypeText(TWinControl* C, const QString& Text)
    {
        for (const QChar Ch : Text)
            QTest::keyClick(C->Handle(), Ch.toLatin1());
    }
    // F4 in the edit opens the pop-up when it is closed.
    static void OpenPopup(TExCustomDropDown* D)
    {
        if (!D->DroppedDown())
            Press(D, Qt::Key_F4);
    }
    // A key in the open pop-up, opened first when closed.
    static void PressInPopup(TExCustomDropDown* D, Qt::Key K)
    {
        OpenPopup(D);
        QTest::keyClick(D->DropDownForm()->Handle(), K);
    }
    // The pointer moved over W to P, sent to W itself: with more than one
    // window the offscreen platform may give a move to another one.
    static void MoveMouse(QWidget* W, QPoint P)
    {
        QMouseEvent Move(QEvent::MouseMove, P, W->mapToGlobal(P), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(W, &Move);
    }
    // The form's image as the screen shows it.
    QImage Grab(TWinControl* C) const { return C->Handle()->grab().toImage(); }
};
