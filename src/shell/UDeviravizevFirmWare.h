#pragma once
// The main window: the user's road through the numbered steps (new or open
// configuration, communication parameters, IO-Link channels, device
// update). Its creation is the start-up of the whole system; it dispatches
// all its buttons through one click handler, relabels every window after a
// language change and composes the table-file paths.
#include "platform/XmlDoc.h"
#include "rtl/Dialogs.h"
#include "rtl/ExtCtrls.h"
#include "rtl/Forms.h"
#include "rtl/StdCtrls.h"
#include "shell/LbButton.h"

#include <functional>
#include <memory>

// The maker's web server and the page the maker's link opens.
inline constexpr const char* Maker_Host = "www.tarnix.com";
String Maker_Home_URL();
// The server the version request and the maker's links go to: Maker_Host,
// or the host (with its port) a test set; an empty Host puts Maker_Host back.
String Maker_Server();
void Set_Maker_Server(const String& Host);
// The maker's download page, which the "new version" links open.
String Maker_Download_URL();

// The version check: one blocking request to the maker's server; true when
// its answer names a version newer than the program's own. Any failure of
// the request counts as no newer version.
bool Newer_Version_Available();
// The number of a version text: characters 1, 3, 4 and 5 of the part after
// its first blank (the whole text without one), read as a decimal number
// ("VER. 1.004" gives 1004); -1 when they are no such number.
Integer Version_Number(const String& Text);

// The folder the program keeps its folders and settings in: the program's
// own folder, or, when that cannot be written (an installed copy), the
// per-user data folder of the product ($XDG_DATA_HOME or ~/.local/share,
// then "QP11211"), created when missing.
String Program_Data_Folder();
// When Path_Exe, the folder chosen, cannot be written either: one error box
// naming both folders; the program goes on with what it can read.
void Report_Read_Only_Data_Folder();

// Routines of other steps the main window calls; each is set by the program
// entry once its step is part of the program. An entry that is not set
// makes its step do nothing after its own dialogs.
struct TStep_Routines {
    // Description-file generators.
    std::function<void(const String& FileName)> Create_GSDML_File;
    std::function<void(const String& FileName)> Create_EDE_File;
    std::function<void(const String& FileName)> Create_EDS_File;
    std::function<void()> Create_MIB_File;
    std::function<void()> Create_ESI_File;
};
extern TStep_Routines Step_Routines;

class TFDeviravizevFirmWare : public TForm {
public:
    explicit TFDeviravizevFirmWare(TComponent* AOwner);
    ~TFDeviravizevFirmWare() override;

    // The start-up sequence (window creation event).
    void FormCreate(TObject* Sender);
    // Saves the settings; closing then ends the program.
    void FormClose(TObject* Sender, TCloseAction& Action);
    // The click handler of every button of the window.
    void Btn_Click(TObject* Sender);

    void Create_New_Project();
    void Open_Project();
    void Set_Lang();
    // Set_Lang of every window but the about box, in their order.
    void Change_Language();
    // The eighteen table paths from Path_Project (empty while none is open).
    void Set_Files();
    // Writes the settings file; false when it could not be written (closing
    // goes on regardless).
    bool Save_Setting();
    // Builds the device images and shows the update dialog in its Ethernet
    // mode; a build that fails raises (its message names the cause) and the
    // dialog does not open.
    void Update_Device();
    // Opens the maker's home page.
    void L_TarnixClick(TObject* Sender);

    // Hidden generator steps.
    void PROFINET_XML();
    void BACnet_EDE_File();
    void Build_EDS_File();
    // "BACnet_Type" under the root of File_ParGen as a decimal number; 0
    // when the file, the element or the number is missing.
    Integer Get_Type_BACnet();

    // Starts the program file NomeSW with the blank-separated Parameter and
    // waits until it ends, at most 150 s, polling every 10 ms; meanwhile the
    // windows repaint but take no input. tipo (0 shown, else hidden) has no
    // effect here. False when the program could not be started. A program
    // still running after the wait goes on; it is collected when it ends.
    // (UDeviravizevFirmWare_Update.cpp)
    static Boolean Start_Program(const String& NomeSW, const String& Parameter, Byte tipo);

    // A tick of Timer_Update: asks the maker's server, shows LL_Update when
    // a newer version exists and hides it otherwise, then waits two hours.
    void Timer_UpdateTimer(TObject* Sender);
    // Opens the link's address.
    void LL_UpdateLinkClick(TObject* Sender, const String& Link, TSysLinkType LinkType);

    TLabel* L_SW_Code = nullptr;
    TLabel* L_SW_Desc = nullptr;
    TLabel* L_Begin = nullptr;
    TShape* Shape2 = nullptr;
    TLabel* L_Name_Conf = nullptr;
    TLabel* L_Name_Conf_L2 = nullptr;
    TLbButton* Btn_Info = nullptr;
    TLbButton* Btn_Opz = nullptr;
    TLbButton* Btn_Close = nullptr;
    TLabel* L_Step_1 = nullptr;
    TLabel* L_Step_2 = nullptr;
    TLabel* L_Step_3 = nullptr;
    TLabel* L_Step_4 = nullptr;
    TLabel* L_Step_5 = nullptr;
    TLabel* L_Step_6 = nullptr;
    TLabel* L_Step_7 = nullptr;
    TLabel* L_Step_8 = nullptr;
    TLbButton* Btn_New = nullptr;
    TLbButton* Btn_Open = nullptr;
    TLbButton* Btn_Prm_Gen = nullptr;
    TLbButton* Btn_IOLink_Set_Access = nullptr;
    TLbButton* Btn_CreateBin = nullptr;
    TLbButton* Btn_Modbus_Set_Access = nullptr;
    TLbButton* Btn_PROFINET_XML = nullptr;
    TLbButton* Btn_BACnet_SetAccess = nullptr;
    TLbButton* Btn_BACnet_EDE_File = nullptr;
    TLbButton* Btn_CAN_Rec_Frame = nullptr;
    TLbButton* Btn_CAN_Send_Frame = nullptr;
    TLbButton* Btn_SDO_Server_CANopen = nullptr;
    TLbButton* Btn_SDO_Client_CANopen = nullptr;
    TLbButton* Btn_PDO_CANopen = nullptr;
    TLbButton* Btn_CANopen_EDS = nullptr;
    TLbButton* Btn_SNMP_Trap = nullptr;
    TLbButton* Btn_SNMP_MIB = nullptr;
    TLbButton* Btn_MQTT_Set_Topic = nullptr;
    TLbButton* Btn_NMEA0183_Access = nullptr;
    TLbButton* Btn_EtherCAT_Set_Access = nullptr;
    TLbButton* Btn_EtherCAT_ESI_File = nullptr;
    TShape* Shape1 = nullptr;
    TLabel* L_Tarnix = nullptr;
    TLinkLabel* LL_Update = nullptr;
    TTimer* Timer_Update = nullptr;
    // Scratch document of the generators and the image builder.
    std::unique_ptr<xml::TXMLDocument> XML1;
    TSaveDialog* SD1 = nullptr;
    TSaveDialog* SaveEDS = nullptr;
    TSaveDialog* SaveMIB = nullptr;
    TSaveDialog* SaveESI = nullptr;

private:
    void Create_Components();
    // Gives Timer_Update and LL_Update their events.
    void Init_Version_Check();
    TLabel* Make_Label(Integer Left, Integer Top, bool Bold);
    TLbButton* Make_Step_Button(Integer Left, Integer Top, const char* Picture, TColor HotTrack);
    TLbButton* Make_Top_Button(Integer Left, const char* Picture);
    void Show_Configuration_Lines();
    bool Project_Open() const;
    // Every button of the window, for the dispatch.
    std::vector<TLbButton*> Buttons() const;
};

extern TFDeviravizevFirmWare* FDeviravizevFirmWare;

// The twenty-nine windows in their order, the main window first. With the
// application as owner the first becomes the main form; tests pass an owner
// of their own and free it, then call Forget_Forms.
void Create_Forms(TComponent* Owner);
// Clears the global window references (after their owner freed them).
void Forget_Forms();
