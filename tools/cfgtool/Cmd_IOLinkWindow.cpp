// The IO-Link windows driven offscreen as a user would.
#include "Command.h"
#include "PrintingDialogs.h"
#include "ProjectArgs.h"

#include "iolink/UIOLink_IODD_Catalog.h"
#include "iolink/UIO_Link_Set_Access_Form.h"
#include "platform/ProgramFolder.h"
#include "shell/UComon.h"
#include "shell/UDeviravizevFirmWare.h"
#include "shell/ULanguage.h"
#include "shell/USettingsFile.h"

#include <QDir>
#include <QTimer>

#include <memory>

namespace {

// ------------------------------------------------------------ iodd-catalog
// cfgtool iodd-catalog [--exe DIR]: shows the catalog window for program
// folder DIR (default: cfgtool's own folder), prints each data row of its
// grid as vendor, device name and file name joined by a tab, then cancels it.

const QString IODDCatalogUsage = QStringLiteral("usage: cfgtool iodd-catalog [--exe DIR]");

// The program folders, settings and language as the program would have them
// in ExeDir; false when the folder does not exist.
bool Open_Program_Folder(const QString& ExeDir)
{
    if (!ExeDir.isEmpty()) {
        if (!DirectoryExists(ExeDir))
            return false;
        qputenv(platform::ProgramDirEnv, QDir(ExeDir).absolutePath().toLocal8Bit());
    }
    Set_Program_Folders(platform::ProgramFolder(), Program_Data_Folder());
    Set_Product_Texts();
    Read_Settings();
    Load_Language();
    return true;
}

void Print_Catalog_Rows(TExStringGrid* Grid)
{
    for (Integer R = Grid->FixedRows(); R < Grid->RowCount(); ++R) {
        QStringList Cells;
        for (Integer C = 0; C < Grid->ColCount(); ++C)
            Cells.append(Grid->Cells(C, R));
        cfgtool::Out(Cells.join(u'\t'));
    }
}

int IODDCatalog(const QStringList& Args)
{
    QString ExeDir;
    if (Args.size() == 2 && Args[0] == u"--exe") {
        ExeDir = Args[1];
    } else if (!Args.isEmpty()) {
        cfgtool::Err(IODDCatalogUsage);
        return 2;
    }
    if (!Open_Program_Folder(ExeDir)) {
        cfgtool::Err(QStringLiteral("error: no such program folder: ") + ExeDir);
        return 2;
    }
    TComponent Owner(nullptr);
    auto* Window = new TFIOLink_IODD_Catalog(&Owner);
    Window->DoCreate();
    QTimer::singleShot(0, [Window] {
        Print_Catalog_Rows(Window->ESG_IODD_Cat);
        Window->Btn_Cancel->Click();
    });
    Window->ShowModal();
    return 0;
}

const cfgtool::CfgCommand IODDCatalogCommand("iodd-catalog", IODDCatalog);

// ---------------------------------------------------------------- iolink-ok
// cfgtool iolink-ok PROJECT_DIR [--exe DIR]: shows the IO-Link window for the
// configuration, prints the boxes shown while it opens, then each port row
// (columns 0 to 6 joined by a tab), presses OK and prints its boxes; on
// success "written: " and the file. Questions are answered No. Exit code 1
// when OK refused or the configuration cannot be opened, 2 on wrong
// arguments.

void Print_Port_Rows(TExColumnGrid* Grid)
{
    for (Integer R = Grid->FixedRows(); R < Grid->RowCount(); ++R) {
        QStringList Cells;
        for (Integer C = TFIO_Link_Set_Access::colChannel; C <= TFIO_Link_Set_Access::colTimeOut; ++C)
            Cells.append(Grid->Cells(C, R));
        cfgtool::Out(Cells.join(u'\t'));
    }
}

int IOLinkOk(const QStringList& Argv)
{
    cfgtool::TProjectArgs Args;
    if (!cfgtool::ParseProjectArgs(Argv, 1, Args)) {
        cfgtool::Err(QStringLiteral("usage: cfgtool iolink-ok PROJECT_DIR [--exe DIR]"));
        return 2;
    }
    if (!cfgtool::OpenProject(Args))
        return 1;

    std::unique_ptr<TDialogService> Previous = SetDialogService(std::make_unique<cfgtool::TPrintingDialogs>(true));
    TModalResult Result = mrNone;
    {
        TComponent Owner(nullptr);
        auto* Window = new TFIO_Link_Set_Access(&Owner);
        Window->DoCreate();
        // Once the window shows; a refusal leaves it open, so it is cancelled.
        QTimer::singleShot(0, [Window] {
            Print_Port_Rows(Window->ECG_IODD);
            Window->Btn_OK->Click();
            if (Window->ModalResult() == mrNone)
                Window->SetModalResult(mrCancel);
        });
        Result = Window->ShowModal();
    }
    SetDialogService(std::move(Previous));
    if (Result != mrOk)
        return 1;
    cfgtool::Out(QStringLiteral("written: ") + File_IOLink_SetAccess);
    return 0;
}

const cfgtool::CfgCommand IOLinkOkCommand("iolink-ok", IOLinkOk);

} // namespace
