// Program entry: the application object, the generators of the hidden
// steps, the twenty-nine windows (the main window first), the message loop;
// the program ends when the main window closes.
#include "protocols/ethernet/UDescription_Files.h"
#include "rtl/Forms.h"
#include "shell/UDeviravizevFirmWare.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

namespace {

// CFG_SCREENSHOT=<file.png>: once the main window shows, its picture is
// written to the file and the window closes (for the documentation).
void Arm_Screenshot()
{
    const QString File = qEnvironmentVariable("CFG_SCREENSHOT");
    if (File.isEmpty())
        return;
    QTimer::singleShot(1000, [File] {
        if (!FDeviravizevFirmWare)
            return;
        FDeviravizevFirmWare->Handle()->grab().save(File, "PNG");
        FDeviravizevFirmWare->Close();
    });
}

} // namespace

int main(int argc, char** argv)
{
    QApplication App(argc, argv);
    Application->Initialize();
    Application->SetMainFormOnTaskBar(true);
    Set_Ethernet_Step_Routines();
    Create_Forms(Application);
    Arm_Screenshot();
    Application->Run();
    DoneApplication();
    return 0;
}
