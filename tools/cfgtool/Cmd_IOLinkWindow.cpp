// The IO-Link windows driven offscreen as a user would.
#include "Command.h"

#include "iolink/UIOLink_IODD_Catalog.h"
#include "platform/ProgramFolder.h"
#include "shell/UComon.h"
#include "shell/UDeviravizevFirmWare.h"
#include "shell/ULanguage.h"
#include "shell/USettingsFile.h"

#include <QDir>
#include <QTimer>

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

} // namespace
