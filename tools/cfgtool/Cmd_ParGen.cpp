// pargen-ok PROJECT_DIR [--exe DIR]: shows the Set Communication window for
// that configuration (offscreen), presses OK and prints every message box it
// shows as "kind: text". DIR is the program folder (its settings choose the
// language; default: cfgtool's own folder). Exit code 1 when the window
// refused (a check failed or the file could not be written), 2 on wrong
// arguments.
#include "Command.h"
#include "PrintingDialogs.h"
#include "ProjectArgs.h"

#include "shell/UComon.h"
#include "shell/UParGen.h"

#include <QTimer>

#include <memory>

namespace {

int ParGenOk(const QStringList& Argv)
{
    cfgtool::TProjectArgs Args;
    if (!cfgtool::ParseProjectArgs(Argv, 1, Args)) {
        cfgtool::Err(QStringLiteral("usage: cfgtool pargen-ok PROJECT_DIR [--exe DIR]"));
        return 2;
    }
    if (!cfgtool::OpenProject(Args))
        return 1;

    std::unique_ptr<TDialogService> Previous = SetDialogService(std::make_unique<cfgtool::TPrintingDialogs>());
    TModalResult Result = mrNone;
    {
        TComponent Owner(nullptr);
        auto* Window = new TFParGen(&Owner);
        Window->DoCreate();
        // OK once the window shows; a refusal leaves it open, so it is cancelled.
        QTimer::singleShot(0, [Window] {
            Window->Btn_OK->Click();
            if (Window->ModalResult() == mrNone)
                Window->SetModalResult(mrCancel);
        });
        Result = Window->ShowModal();
    }
    SetDialogService(std::move(Previous));
    if (Result != mrOk)
        return 1;
    cfgtool::Out(QStringLiteral("written: ") + File_ParGen);
    return 0;
}

const cfgtool::CfgCommand ParGenOkCommand("pargen-ok", ParGenOk);

} // namespace
