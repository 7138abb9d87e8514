// Program entry: the application object, the generators of the hidden
// steps, the twenty-nine windows (the main window first), the message loop;
// the program ends when the main window closes.
#include "grid/control/ExGrid.h"
#include "iolink/UBoot.h"
#include "iolink/UIO_Link_Set_Access_Form.h"
#include "iolink/UIOLink_IODD_Catalog.h"
#include "protocols/ethernet/UBACnetSlaveSetAccess.h"
#include "protocols/ethernet/UDescription_Files.h"
#include "protocols/ethernet/UMQTT_Set_Topic.h"
#include "protocols/ethernet/UModbus_TCP_Master_Set_Access.h"
#include "protocols/ethernet/USNMP_Trap_Access.h"
#include "protocols/ethernet/USetAccess.h"
#include "protocols/fieldbus/UEds.h"
#include "protocols/fieldbus/UEtherCATSlave.h"
#include "protocols/fieldbus/UEtherCAT_ESI_File.h"
#include "protocols/fieldbus/UNMEA_0183_Set_Access2.h"
#include "protocols/fieldbus/UReceiveCAN.h"
#include "protocols/fieldbus/USet_PDO_Access.h"
#include "rtl/Forms.h"
#include "shell/UDeviravizevFirmWare.h"
#include "shell/UNew_Project.h"
#include "shell/UOpenConf.h"
#include "shell/UParGen.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

namespace {

// The window CFG_SCREENSHOT_WINDOW names (its global, "FParGen" ...) shown
// as its step shows it; the main window when it names none.
TCustomForm* Screenshot_Window()
{
    const QString Name = qEnvironmentVariable("CFG_SCREENSHOT_WINDOW");
    if (Name.isEmpty())
        return FDeviravizevFirmWare;
    // The update step shows its dialog in the Ethernet mode.
    if (FBoot)
        FBoot->Form_Type = TFBoot::Form_Ethernet;
    const std::pair<const char*, TCustomForm*> Windows[] = {
        {"FParGen", FParGen}, {"FBoot", FBoot}, {"FNew_Project", FNew_Project}, {"FOpenConf", FOpenConf},
        {"FIOLink_IODD_Catalog", FIOLink_IODD_Catalog}, {"FIO_Link_Set_Access", FIO_Link_Set_Access},
        // The table windows, each with its configuration's file loaded.
        {"FSetAccess", FSetAccess}, {"FModbus_TCP_Master_Set_Access", FModbus_TCP_Master_Set_Access},
        {"FSNMP_Trap_Access", FSNMP_Trap_Access}, {"FBACnetSlaveSetAccess", FBACnetSlaveSetAccess},
        {"FMQTT_Set_Topic", FMQTT_Set_Topic}, {"FReceiveCAN", FReceiveCAN},
        {"FSet_PDO_Access", FSet_PDO_Access}, {"FNMEA_0183_Set_Access2", FNMEA_0183_Set_Access2},
        {"FEtherCATSlave", FEtherCATSlave},
    };
    for (const auto& [Global, Window] : Windows)
        if (Name == QLatin1String(Global) && Window) {
            Window->Show();
            // The IO-Link window's picture shows the first port's variables.
            if (Window == FIO_Link_Set_Access)
                FIO_Link_Set_Access->PageControl1->SetActivePage(FIO_Link_Set_Access->TS_Variables);
            return Window;
        }
    return nullptr;
}

// CFG_SCREENSHOT=<file.png>: once the main window shows, its picture (or
// that of the window CFG_SCREENSHOT_WINDOW names) is written to the file and
// the program ends (for the documentation).
void Arm_Screenshot()
{
    const QString File = qEnvironmentVariable("CFG_SCREENSHOT");
    if (File.isEmpty())
        return;
    QTimer::singleShot(1000, [File] {
        if (!FDeviravizevFirmWare)
            return;
        if (TCustomForm* Window = Screenshot_Window()) {
            QCoreApplication::processEvents();
            Window->Handle()->grab().save(File, "PNG");
        }
        FDeviravizevFirmWare->Close();
    });
}

} // namespace

int main(int argc, char** argv)
{
    QApplication App(argc, argv);
    Application->Initialize();
    InitExGridUnit();
    Application->SetMainFormOnTaskBar(true);
    Set_Ethernet_Step_Routines();
    Step_Routines.Create_EDS_File = Create_EDS_File;
    Step_Routines.Create_ESI_File = Create_ESI_File;
    Create_Forms(Application);
    Arm_Screenshot();
    Application->Run();
    DoneApplication();
    DoneExGridUnit();
    return 0;
}
