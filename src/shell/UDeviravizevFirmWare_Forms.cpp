// The program's windows: created in their order at start-up, relabelled
// together after a language change.
#include "shell/UDeviravizevFirmWare.h"

#include "iolink/UBoot.h"
#include "iolink/UIOLink_IODD_Catalog.h"
#include "iolink/UIO_Link_Set_Access_Form.h"
#include "protocols/ethernet/UBACnetSlaveSetAccess.h"
#include "protocols/ethernet/UBACnet_Eng_Unit.h"
#include "protocols/ethernet/UMQTT_Set_Topic.h"
#include "protocols/ethernet/UModbus_TCP_Master_Set_Access.h"
#include "protocols/ethernet/UProfinetFileName.h"
#include "protocols/ethernet/USNMP_Trap_Access.h"
#include "protocols/ethernet/USetAccess.h"
#include "protocols/ethernet/UTopicTemplate.h"
#include "protocols/fieldbus/UEtherCATSlave.h"
#include "protocols/fieldbus/UNMEA_0183_Set_Access.h"
#include "protocols/fieldbus/UNMEA_0183_Set_Access2.h"
#include "protocols/fieldbus/UReceiveCAN.h"
#include "protocols/fieldbus/UReceiveJ1939.h"
#include "protocols/fieldbus/UReceiveNMEA.h"
#include "protocols/fieldbus/USet_PDO_Access.h"
#include "protocols/fieldbus/USet_SDO_Client_Access.h"
#include "protocols/fieldbus/USet_SDO_Server_Access.h"
#include "protocols/fieldbus/UTransmitCAN.h"
#include "protocols/fieldbus/UTransmitJ1939.h"
#include "protocols/fieldbus/UTransmitNMEA.h"
#include "shell/UAbout.h"
#include "shell/UNew_Project.h"
#include "shell/UOpenConf.h"
#include "shell/UParGen.h"
#include "shell/USoftOptions.h"

namespace {

template <class T>
void Forms_Create(TComponent* Owner, T*& Reference)
{
    if (Owner == Application) {
        Application->CreateForm(Reference);
    } else {
        Reference = new T(Owner);
        Reference->DoCreate();
    }
}

} // namespace

void Create_Forms(TComponent* Owner)
{
    Forms_Create(Owner, FDeviravizevFirmWare);
    Forms_Create(Owner, FIO_Link_Set_Access);
    Forms_Create(Owner, FNew_Project);
    Forms_Create(Owner, FOpenConf);
    Forms_Create(Owner, FAbout);
    Forms_Create(Owner, FSoftOptions);
    Forms_Create(Owner, FParGen);
    Forms_Create(Owner, FIOLink_IODD_Catalog);
    Forms_Create(Owner, FBoot);
    Forms_Create(Owner, FSetAccess);
    Forms_Create(Owner, FProfinetFileName);
    Forms_Create(Owner, FModbus_TCP_Master_Set_Access);
    Forms_Create(Owner, FBACnet_Eng_Unit);
    Forms_Create(Owner, FBACnetSlaveSetAccess);
    Forms_Create(Owner, FReceiveCAN);
    Forms_Create(Owner, FTransmitCAN);
    Forms_Create(Owner, FSet_PDO_Access);
    Forms_Create(Owner, FSet_SDO_Client_Access);
    Forms_Create(Owner, FSet_SDO_Server_Access);
    Forms_Create(Owner, FReceiveJ1939);
    Forms_Create(Owner, FTransmitJ1939);
    Forms_Create(Owner, FReceiveNMEA);
    Forms_Create(Owner, FTransmitNMEA);
    Forms_Create(Owner, FSNMP_Trap_Access);
    Forms_Create(Owner, FMQTT_Set_Topic);
    Forms_Create(Owner, FTopicTemplate);
    Forms_Create(Owner, FNMEA_0183_Set_Access2);
    Forms_Create(Owner, FNMEA_0183_Set_Access);
    Forms_Create(Owner, FEtherCATSlave);
}

void Forget_Forms()
{
    FDeviravizevFirmWare = nullptr;
    FIO_Link_Set_Access = nullptr;
    FNew_Project = nullptr;
    FOpenConf = nullptr;
    FAbout = nullptr;
    FSoftOptions = nullptr;
    FParGen = nullptr;
    FIOLink_IODD_Catalog = nullptr;
    FBoot = nullptr;
    FSetAccess = nullptr;
    FProfinetFileName = nullptr;
    FModbus_TCP_Master_Set_Access = nullptr;
    FBACnet_Eng_Unit = nullptr;
    FBACnetSlaveSetAccess = nullptr;
    FReceiveCAN = nullptr;
    FTransmitCAN = nullptr;
    FSet_PDO_Access = nullptr;
    FSet_SDO_Client_Access = nullptr;
    FSet_SDO_Server_Access = nullptr;
    FReceiveJ1939 = nullptr;
    FTransmitJ1939 = nullptr;
    FReceiveNMEA = nullptr;
    FTransmitNMEA = nullptr;
    FSNMP_Trap_Access = nullptr;
    FMQTT_Set_Topic = nullptr;
    FTopicTemplate = nullptr;
    FNMEA_0183_Set_Access2 = nullptr;
    FNMEA_0183_Set_Access = nullptr;
    FEtherCATSlave = nullptr;
}

void TFDeviravizevFirmWare::Change_Language()
{
    Set_Lang();
    TShellForm* const Windows[] = {
        FNew_Project,          FOpenConf,
        FSoftOptions,          FBoot,
        FParGen,               FIO_Link_Set_Access,
        FIOLink_IODD_Catalog,  FSetAccess,
        FProfinetFileName,     FModbus_TCP_Master_Set_Access,
        FBACnet_Eng_Unit,      FBACnetSlaveSetAccess,
        FReceiveCAN,           FTransmitCAN,
        FSet_PDO_Access,       FSet_SDO_Client_Access,
        FSet_SDO_Server_Access, FReceiveJ1939,
        FTransmitJ1939,        FReceiveNMEA,
        FTransmitNMEA,         FSNMP_Trap_Access,
        FMQTT_Set_Topic,       FTopicTemplate,
        FNMEA_0183_Set_Access, FNMEA_0183_Set_Access2,
        FEtherCATSlave,
    };
    for (TShellForm* Window : Windows)
        if (Window)
            Window->Set_Lang();
}
