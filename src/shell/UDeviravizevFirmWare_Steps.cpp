// The main window's click dispatch and the steps it runs.
#include "shell/UDeviravizevFirmWare.h"

#include "iolink/UBoot.h"
#include "iolink/UIO_Link_Set_Access_Form.h"
#include "iolink/USaveBincc.h"
#include "protocols/ethernet/UBACnetSlaveSetAccess.h"
#include "protocols/ethernet/UMQTT_Set_Topic.h"
#include "protocols/ethernet/UProfinetFileName.h"
#include "protocols/ethernet/USNMP_Trap_Access.h"
#include "protocols/ethernet/USetAccess.h"
#include "protocols/fieldbus/UEtherCATSlave.h"
#include "protocols/fieldbus/UNMEA_0183_Set_Access2.h"
#include "protocols/fieldbus/UReceiveCAN.h"
#include "protocols/fieldbus/USet_PDO_Access.h"
#include "protocols/fieldbus/USet_SDO_Client_Access.h"
#include "protocols/fieldbus/USet_SDO_Server_Access.h"
#include "protocols/fieldbus/UTransmitCAN.h"
#include "shell/UAbout.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"
#include "shell/UParGen.h"
#include "shell/USoftOptions.h"

namespace {

void Main_Show_Modal(TCustomForm* Form)
{
    if (Form)
        Form->ShowModal();
}

} // namespace

void TFDeviravizevFirmWare::Btn_Click(TObject* Sender)
{
    if (Sender == Btn_New) {
        Create_New_Project();
        return;
    }
    if (Sender == Btn_Open) {
        Open_Project();
        return;
    }
    if (Sender == Btn_Close) {
        Close();
        return;
    }
    if (Sender == Btn_Info) {
        Main_Show_Modal(FAbout);
        return;
    }
    if (Sender == Btn_Opz) {
        if (FSoftOptions && FSoftOptions->ShowModal() == mrOk) {
            Save_Setting();
            Timer_Update->SetEnabled(Enable_Internet && Enable_Update);
        }
        return;
    }
    if (!Project_Open()) {
        MessageDlg(Lang.Strings(18), mtError, TMsgDlgButtons{mbOK}, 0);
        return;
    }
    // Table windows load and save their own files.
    const std::pair<TLbButton*, TCustomForm*> Tables[] = {
        {Btn_Prm_Gen, FParGen},
        {Btn_IOLink_Set_Access, FIO_Link_Set_Access},
        {Btn_Modbus_Set_Access, FSetAccess},
        {Btn_BACnet_SetAccess, FBACnetSlaveSetAccess},
        {Btn_CAN_Rec_Frame, FReceiveCAN},
        {Btn_CAN_Send_Frame, FTransmitCAN},
        {Btn_PDO_CANopen, FSet_PDO_Access},
        {Btn_SDO_Client_CANopen, FSet_SDO_Client_Access},
        {Btn_SDO_Server_CANopen, FSet_SDO_Server_Access},
        {Btn_SNMP_Trap, FSNMP_Trap_Access},
        {Btn_MQTT_Set_Topic, FMQTT_Set_Topic},
        {Btn_NMEA0183_Access, FNMEA_0183_Set_Access2},
        {Btn_EtherCAT_Set_Access, FEtherCATSlave},
    };
    for (const auto& [Button, Form] : Tables)
        if (Sender == Button) {
            Main_Show_Modal(Form);
            return;
        }
    if (Sender == Btn_PROFINET_XML)
        PROFINET_XML();
    else if (Sender == Btn_BACnet_EDE_File)
        BACnet_EDE_File();
    else if (Sender == Btn_CANopen_EDS)
        Build_EDS_File();
    else if (Sender == Btn_SNMP_MIB) {
        if (Step_Routines.Create_MIB_File)
            Step_Routines.Create_MIB_File();
    } else if (Sender == Btn_EtherCAT_ESI_File) {
        if (Step_Routines.Create_ESI_File)
            Step_Routines.Create_ESI_File();
    } else if (Sender == Btn_CreateBin)
        Update_Device();
}

void TFDeviravizevFirmWare::Update_Device()
{
    Compile_Bin();
    Save_Bin();
    if (!FBoot)
        return;
    FBoot->Form_Type = TFBoot::Form_Ethernet;
    FBoot->ShowModal();
}

void TFDeviravizevFirmWare::PROFINET_XML()
{
    if (!FProfinetFileName || FProfinetFileName->ShowModal() != mrOk)
        return;
    if (Step_Routines.Create_GSDML_File)
        Step_Routines.Create_GSDML_File(FProfinetFileName->Name_File_XML);
}

void TFDeviravizevFirmWare::BACnet_EDE_File()
{
    SD1->SetInitialDir(Path_Project);
    if (!SD1->Execute())
        return;
    String Name = SD1->FileName();
    if (UpperCase(Name.right(4)) != QLatin1String(".CSV"))
        Name += QStringLiteral(".csv");
    if (FileExists(Name)) {
        // Text 70 is blank in the built-in table: the table editors' own
        // overwrite question stands in until a language file fills it.
        const String Question = Trim(Lang.Strings(70)).isEmpty() ? Lang.Strings(1503) : Lang.Strings(70);
        if (MessageDlg(Question, mtConfirmation, mbYesNoCancel, 0) != mrYes)
            return;
    }
    if (Step_Routines.Create_EDE_File)
        Step_Routines.Create_EDE_File(Name);
}

void TFDeviravizevFirmWare::Build_EDS_File()
{
    SaveEDS->SetInitialDir(Path_Project);
    if (SaveEDS->Execute() && Step_Routines.Create_EDS_File)
        Step_Routines.Create_EDS_File(SaveEDS->FileName());
}

Integer TFDeviravizevFirmWare::Get_Type_BACnet()
{
    if (File_ParGen.isEmpty() || !FileExists(File_ParGen))
        return 0;
    try {
        XML1 = std::make_unique<xml::TXMLDocument>();
        XML1->LoadFromFile(File_ParGen);
        const xml::TXMLNode Node = XML1->DocumentElement().FindChild(QStringLiteral("BACnet_Type"));
        if (!Node)
            return 0;
        bool Ok = false;
        const int Value = Node.Text().toInt(&Ok, 10);
        return Ok ? Value : 0;
    } catch (const Exception&) {
        return 0;
    }
}
