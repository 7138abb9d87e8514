#pragma once
// A grid of the test's own class on an offscreen form, for tests that open
// further protected state than TTestExGrid does.
#include "ExGridTestForm.h"

template <class TGrid>
struct TGridOnForm {
    TGridOnForm()
    {
        Form->SetClientWidth(500);
        Form->SetClientHeight(300);
        Grid = new TGrid(Form.get());
        Grid->SetParent(Form.get());
        Grid->SetBounds(0, 0, 480, 280);
    }
    void Show()
    {
        Form->Show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form->Handle()));
        QApplication::processEvents();
    }

    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TGrid* Grid = nullptr;
};
