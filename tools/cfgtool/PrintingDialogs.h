#pragma once
// A dialog service for the commands that drive a window: prints every
// message box as "kind: text" and answers it; file dialogs are cancelled.
#include "Command.h"

#include "rtl/Dialogs.h"

namespace cfgtool {

class TPrintingDialogs : public TDialogService {
public:
    // With Answer_No, a box offering No is answered No; every other box
    // answers its default button.
    explicit TPrintingDialogs(bool Answer_No = false) : FAnswer_No(Answer_No) {}

    TModalResult MessageBox(const TMessageBoxRequest& Request) override
    {
        static const char* const Kinds[] = {"warning", "error", "information", "confirmation", "message"};
        Out(QLatin1String(Kinds[Request.DlgType]) + QStringLiteral(": ") + Request.Text);
        if (FAnswer_No && Request.Buttons.Contains(mbNo))
            return mrNo;
        return ModalResultOfButton(Request.DefaultButton);
    }
    bool FileDialog(TFileDialogRequest&) override { return false; }

private:
    bool FAnswer_No;
};

} // namespace cfgtool
