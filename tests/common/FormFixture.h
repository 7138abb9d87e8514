#pragma once
// A form on the offscreen platform for tests that drive controls as a user
// would, with the dialogs answered from a script.
#include "rtl/Forms.h"

#include "rtl/DialogsTestService.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

class TFormFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        Form = std::make_unique<TForm>(nullptr);
        Form->SetClientWidth(FormWidth);
        Form->SetClientHeight(FormHeight);
    }
    // Shows the form as the active window.
    void ShowForm()
    {
        Form->Show();
        QApplication::setActiveWindow(Form->Handle());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form->Handle()));
    }
    // A control of the form, placed on Parent (the form by default).
    template <class T>
    T* Make(Integer Left = 0, Integer Top = 0, TWinControl* Parent = nullptr)
    {
        auto* C = new T(Form.get());
        C->SetParent(Parent ? Parent : Form.get());
        C->SetLeft(Left);
        C->SetTop(Top);
        return C;
    }

    Integer FormWidth = 300;
    Integer FormHeight = 200;
    TScriptedDialogs Dialogs;
    std::unique_ptr<TForm> Form;
};
