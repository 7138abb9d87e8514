#pragma once
// The offscreen form that the drop-down commands drive one editor on, with
// the user's separators fixed for the run.
#include "controls/dropdown/ExDropDown.h"
#include "platform/UserLocale.h"

#include <QApplication>

#include <memory>

namespace cfgtool {

inline std::unique_ptr<TForm> MakeDropDownForm(QChar DS, QChar TS)
{
    platform::SetUserDecimalSeparator(DS);
    platform::SetUserThousandSeparator(TS);
    FormatSettings = TFormatSettings::Create();
    auto Form = std::make_unique<TForm>(nullptr);
    Form->SetClientWidth(300);
    Form->SetClientHeight(120);
    return Form;
}

// An editor of class T on the form, made as the framework makes it.
template <class T>
T* PlaceDropDown(TForm* Form)
{
    auto* D = NewObject<T>(Form);
    D->SetParent(Form);
    D->SetBounds(10, 10, D->Width(), D->Height());
    return D;
}

inline void ShowAndFocus(TForm* Form, TWinControl* Control)
{
    Form->Show();
    QApplication::setActiveWindow(Form->Handle());
    Control->SetFocus();
}

} // namespace cfgtool
