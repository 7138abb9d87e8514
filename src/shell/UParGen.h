#pragma once
// The "Set Communication" window: the general communication parameters of
// the open configuration, kept in "ParGen.xml". Each showing loads the file
// into the controls; OK checks every value (Controllo_dati) and rewrites the
// whole file; Cancel keeps the file as it was.
//
// The window carries the parameter panels of the whole gateway family; a
// layout variant picks the panels one gateway shows. This system shows the
// EtherNet/IP variant: Ethernet connection, IO-Link, EtherNet/IP and web
// server.
#include "rtl/CategoryPanels.h"
#include "rtl/ComCtrls.h"
#include "rtl/ImgList.h"
#include "shell/UShellForm.h"

#include <array>
#include <map>
#include <vector>

// The file's root element and its version comment's prefix.
inline constexpr const char* ParGen_Root = "Par_Gen";
inline constexpr const char* ParGen_Version_Prefix = "SW_VERSION = ";

// The suffixes of the ten IO-Link device variants, in list order; a variant's
// name is the model code followed by its suffix. The IO-Link side takes the
// port layout from the position, so the order is part of the file format.
inline constexpr const char* const ParGen_Device_Suffixes[10] = {
    "-A1-4A", "-A1-2A", "-A1-2A-2B", "-A1-2B", "-A1-4B", "-A1-4A-4B", "-A1-8A", "-A1-6A", "-A1-2A-4B", "-A1-4A-2B",
};

// The layout variants of the gateway family, in table order.
#define PARGEN_LAYOUT_VARIANTS(X)                                                                                     \
    X(Modbus_Master) X(Modbus_Slave) X(Modbus_TCP_Master) X(Modbus_TCP_Slave) X(BACnet_Master) X(BACnet_Slave)       \
    X(CAN) X(CANopen) X(DeviceNet_Master) X(DeviceNet_Slave) X(EtherNetIP) X(J1939) X(MQTT) X(RS485) X(NMEA2000)      \
    X(PROFINET) X(SNMP_Manager) X(SNMP_Agent) X(EtherCAT_Slave)

enum TParGen_Layout_Variant {
#define PARGEN_VARIANT_ENUM(Name) lv##Name,
    PARGEN_LAYOUT_VARIANTS(PARGEN_VARIANT_ENUM)
#undef PARGEN_VARIANT_ENUM
};

// The row grid of the panels: rows 28 pixels apart from 9, labels at 14 (3
// pixels below their row's top, check boxes 2), values at 191 (238 wide),
// address parts 55 wide at 191/252/313/374 with "." between them.
inline constexpr Integer ParGen_Row_Pitch = 28;
inline constexpr Integer ParGen_Label_Left = 14;
inline constexpr Integer ParGen_Value_Left = 191;
inline constexpr Integer ParGen_Value_Width = 238;
inline constexpr Integer ParGen_Edit_Height = 21;
inline constexpr Integer ParGen_List_Height = 22;
inline constexpr Integer ParGen_Part_Width = 55;
inline constexpr Integer ParGen_Part_Lefts[4] = {191, 252, 313, 374};
inline constexpr Integer ParGen_Dot_Lefts[3] = {247, 308, 369};
// Below a panel's last control, above its header.
inline constexpr Integer ParGen_Panel_Margin = 12;
// The top of row Index (from 0) of a panel.
constexpr Integer ParGen_Row_Top(Integer Index)
{
    return 9 + ParGen_Row_Pitch * Index;
}

// What a row of a table panel holds, from left to right.
enum TParGen_Row_Kind {
    rkEdit,        // label, edit
    rkRich_Edit,   // label, rich-text edit
    rkList,        // label, drop-down list
    rkBox,         // check box across the row
    rkAddress,     // label, four-part address
    rkBox_Address, // check box, four-part address
    rkBox_Edit,    // check box, edit
    rkBoxes,       // label, three check boxes "1", "2", "3"
};

// A row of a table panel. Its controls are named after the panel and the
// row: "L_" for the label, "E_" for edits and address parts (numbered 1 to
// 4), "CB_" for check boxes (numbered 1 to 3 when several) and lists.
struct TParGen_Row {
    TParGen_Row_Kind Kind;
    const char* Name;
    // The caption's text; -1: the row has no texts and shows Caption.
    Integer Text = -1;
    // The first hint's text (box, then edit, list or each part); -1: none.
    Integer Hint = -1;
    Integer Max_Length = 0;
    // A list's items: its own, or the texts First_Item .. Last_Item.
    std::vector<const char*> Items;
    Integer First_Item = -1;
    Integer Last_Item = -1;
    const char* Caption = "";
};

class TFParGen;

// A panel of the family's other gateways and its rows from the top.
struct TParGen_Panel {
    TCategoryPanel* TFParGen::*Panel;
    const char* Name;
    std::vector<TParGen_Row> Rows;
};

// The 24 panels that only the other variants show.
const std::vector<TParGen_Panel>& ParGen_Panels();

// The controls made for one row of a table panel.
struct TParGen_Row_Controls {
    const TParGen_Row* Row = nullptr;
    Integer Index = 0;
    // The label or check box at the row's left.
    TControl* Caption = nullptr;
    // What stands right of it: edit, list, address parts or boxes.
    std::vector<TControl*> Values;
    // The "." labels between address parts.
    std::vector<TControl*> Dots;
};

class TFParGen : public TShellForm {
public:
    // Its texts in the table.
    static constexpr Integer Lang_First = 400, Lang_Last = 1125;
    // The client width the window keeps.
    static constexpr Integer Client_Width = 460;

    explicit TFParGen(TComponent* AOwner);

    // Caption, description, buttons, every label, caption and hint of the
    // panels, and the four numbered panel headers.
    void Set_Lang() override;

    // Loads File_ParGen into the controls (defaults for what is missing),
    // then lays the panels out again.
    void FormShow(TObject* Sender);
    // Controllo_dati, then the file is rewritten and the window closes
    // with OK; a refused check or a file that cannot be written keeps it open.
    void Btn_OKClick(TObject* Sender);
    // Every check in its order; the first that fails shows its message in
    // an error box and answers false. Changes nothing.
    bool Controllo_dati();
    // Whether Name holds a character other than an ASCII letter or digit.
    // No check uses it: the device name is saved as typed.
    static bool Check_Device_Name(const String& Name);

    // The ten device variants, the first selected.
    void IOLink_Set_Device_List();
    // The ordering step of Layout_Variant: shows, stacks, numbers and
    // tab-orders its panels (and hides the others).
    void Order_TAB_Panels();
    // The sizing step of Layout_Variant: each of its panels sized to its
    // last visible control, rows shown, placed and enabled by the boxes and
    // lists they depend on.
    void Move_GroupBoxs();

    // The layout shown; this system's gateway is the EtherNet/IP one, and
    // nothing in the program changes it.
    TParGen_Layout_Variant Layout_Variant = lvEtherNetIP;

    // The ordering and sizing steps of each variant.
#define PARGEN_VARIANT_STEPS(Name)                                                                                    \
    void Order_Variant_##Name();                                                                                      \
    void RePosition_Variant_##Name();
    PARGEN_LAYOUT_VARIANTS(PARGEN_VARIANT_STEPS)
#undef PARGEN_VARIANT_STEPS

    // The sizing routine of each panel.
    void RePosition_Object_Ethernet_Connection();
    void RePosition_Object_IOLink();
    void RePosition_Object_EtherNetIP();
    void RePosition_Object_WebServer();
    void RePosition_Object_MQTT();
    void RePosition_Object_Ethernet();
    void RePosition_Object_WiFi();
    void RePosition_Object_TLS();
    void RePosition_Object_NTP();
    void RePosition_Object_Modbus_Master();
    void RePosition_Object_Modbus_TCP_Master();
    void RePosition_Object_Modbus_Slave();
    void RePosition_Object_Modbus_TCP_Slave();
    void RePosition_Object_CAN();
    void RePosition_Object_CANopen();
    void RePosition_Object_J1939();
    void RePosition_Object_DeviceNet_Master();
    void RePosition_Object_DeviceNet_Slave();
    void RePosition_Object_PROFINET();
    void RePosition_Object_NMEA2000();
    void RePosition_Object_SNMP_Agent();
    void RePosition_Object_SNMP_Manager();
    void RePosition_Object_BACnet_Slave();
    void RePosition_Object_BACnet_Master();
    void RePosition_Object_RS232();
    void RePosition_Object_RS485_1();
    void RePosition_Object_RS485_2();
    void RePosition_Object_EtherCAT_Slave();

    // The panels of a variant in order, and whether it shows one of them
    // (the BACnet slave shows the Ethernet panel only for MS/TP).
    std::vector<TCategoryPanel*> Variant_Panels(TParGen_Layout_Variant Variant) const;
    bool Variant_Shows(TParGen_Layout_Variant Variant, const TCategoryPanel* Panel) const;

    // Reads and writes "ParGen.xml" (UParGen_File.cpp).
    void Load_ParGen();
    void Save_ParGen();

    // Check boxes of every panel: the DHCP boxes and the boxes rows depend
    // on re-run the sizing step.
    void On_Click(TObject* Sender);
    // Edits and lists of the table panels: a BACnet type refills the device
    // list and lays the window out again; the lists rows depend on re-run
    // the sizing step.
    void On_Change(TObject* Sender);
    // Address edits: "." moves to the next part of the chain and is never typed.
    void KeyPress(TObject* Sender, Char& Key);
    // Scrolls the panels while the pointer is over them.
    void FormMouseWheel(TObject* Sender, TShiftState Shift, Integer WheelDelta, TPoint MousePos, bool& Handled);
    // Keeps the client width at 460.
    void FormResize(TObject* Sender);

    TCategoryPanelGroup* CPG = nullptr;
    TImageList* ImageList1 = nullptr;

    TCategoryPanel* CP_Ethernet_Connection = nullptr;
    TLabel* L_EthConn_Device_Name = nullptr;
    TEdit* E_EthConn_Device_Name = nullptr;
    TCheckBox* CB_EthConn_En_DHCP_Cable = nullptr;
    TCheckBox* CB_EthConn_En_DHCP_WiFi = nullptr;
    TCheckBox* CB_EthConn_Enable_DNS = nullptr;
    TLabel* L_EthConn_Primary_DNS = nullptr;
    TEdit* E_EthConn_Pri_DNS_IP1 = nullptr;
    TEdit* E_EthConn_Pri_DNS_IP2 = nullptr;
    TEdit* E_EthConn_Pri_DNS_IP3 = nullptr;
    TEdit* E_EthConn_Pri_DNS_IP4 = nullptr;
    TLabel* L_EthConn_Secondary_DNS = nullptr;
    TEdit* E_EthConn_Sec_DNS_IP1 = nullptr;
    TEdit* E_EthConn_Sec_DNS_IP2 = nullptr;
    TEdit* E_EthConn_Sec_DNS_IP3 = nullptr;
    TEdit* E_EthConn_Sec_DNS_IP4 = nullptr;

    TCategoryPanel* CP_IOLink = nullptr;
    TLabel* L_IOLink_SelectDevice = nullptr;
    TComboBox* CB_IOLink_SelectDevice = nullptr;

    TCategoryPanel* CP_EtherNetIP = nullptr;
    TLabel* L_EtherNetIP_IP = nullptr;
    TEdit* E_EtherNetIP_IP1 = nullptr;
    TEdit* E_EtherNetIP_IP2 = nullptr;
    TEdit* E_EtherNetIP_IP3 = nullptr;
    TEdit* E_EtherNetIP_IP4 = nullptr;
    TLabel* L_EtherNetIP_SM = nullptr;
    TEdit* E_EtherNetIP_SM1 = nullptr;
    TEdit* E_EtherNetIP_SM2 = nullptr;
    TEdit* E_EtherNetIP_SM3 = nullptr;
    TEdit* E_EtherNetIP_SM4 = nullptr;
    TCheckBox* CB_EtherNetIP_GAT = nullptr;
    TEdit* E_EtherNetIP_GAT1 = nullptr;
    TEdit* E_EtherNetIP_GAT2 = nullptr;
    TEdit* E_EtherNetIP_GAT3 = nullptr;
    TEdit* E_EtherNetIP_GAT4 = nullptr;
    TLabel* L_EtherNetIP_TunnelPort = nullptr;
    TEdit* E_EtherNetIP_TunnelPort = nullptr;
    TLabel* L_EtherNetIP_NByte_In = nullptr;
    TEdit* E_EtherNetIP_NByte_In = nullptr;
    TLabel* L_EtherNetIP_NByte_Out = nullptr;
    TEdit* E_EtherNetIP_NByte_Out = nullptr;

    TCategoryPanel* CP_WebServer = nullptr;
    TLabel* L_WebServer_Username = nullptr;
    TEdit* E_WebServer_Username = nullptr;
    TLabel* L_WebServer_Password = nullptr;
    TEdit* E_WebServer_Password = nullptr;

    // The other gateways' panels, made from ParGen_Panels(); their controls
    // are found by name (FindComponent).
    TCategoryPanel* CP_MQTT = nullptr;
    TCategoryPanel* CP_Ethernet = nullptr;
    TCategoryPanel* CP_WiFi = nullptr;
    TCategoryPanel* CP_TLS = nullptr;
    TCategoryPanel* CP_NTP = nullptr;
    TCategoryPanel* CP_Modbus_Master = nullptr;
    TCategoryPanel* CP_Modbus_TCP_Master = nullptr;
    TCategoryPanel* CP_Modbus_Slave = nullptr;
    TCategoryPanel* CP_Modbus_TCP_Slave = nullptr;
    TCategoryPanel* CP_CAN = nullptr;
    TCategoryPanel* CP_CANopen = nullptr;
    TCategoryPanel* CP_J1939 = nullptr;
    TCategoryPanel* CP_DeviceNet_Master = nullptr;
    TCategoryPanel* CP_DeviceNet_Slave = nullptr;
    TCategoryPanel* CP_PROFINET = nullptr;
    TCategoryPanel* CP_NMEA2000 = nullptr;
    TCategoryPanel* CP_SNMP_Agent = nullptr;
    TCategoryPanel* CP_SNMP_Manager = nullptr;
    TCategoryPanel* CP_BACnet_Slave = nullptr;
    TCategoryPanel* CP_BACnet_Master = nullptr;
    TCategoryPanel* CP_RS232 = nullptr;
    TCategoryPanel* CP_RS485_1 = nullptr;
    TCategoryPanel* CP_RS485_2 = nullptr;
    TCategoryPanel* CP_EtherCAT_Slave = nullptr;

protected:
    using TShellForm::KeyPress;
    void FormCreate(TObject* Sender) override;

private:
    // A four-part address: its edits and the "." labels between them.
    struct TParGen_Address {
        std::array<TEdit*, 4> Parts;
        std::array<TLabel*, 3> Dots;
    };

    TCategoryPanel* Make_Panel();
    TLabel* Make_Label(TCategoryPanel* Panel, Integer Row);
    TEdit* Make_Edit(TCategoryPanel* Panel, Integer Row);
    TRichEdit* Make_Rich_Edit(TCategoryPanel* Panel, Integer Row);
    TComboBox* Make_List(TCategoryPanel* Panel, Integer Row);
    TCheckBox* Make_Check_Box(TCategoryPanel* Panel, Integer Left, Integer Row, Integer Width);
    TParGen_Address Make_Address(TCategoryPanel* Panel, Integer Row);
    void Make_Address(TCategoryPanel* Panel, Integer Row, TEdit*& P1, TEdit*& P2, TEdit*& P3, TEdit*& P4);
    void Make_Image_List();
    // The address edit "." moves to from Edit, or nullptr.
    TEdit* Next_Address_Part(const TEdit* Edit) const;

    // The table panels (UParGen_Panels.cpp).
    void Make_Table_Panels();
    TParGen_Row_Controls& Make_Row(TCategoryPanel* Panel, const String& Panel_Name, const TParGen_Row& Row,
                                   Integer Index);
    void Wire_Panel_Events(TControl* Control);
    // Captions, hints and the lists of texts of the table panels.
    void Set_Lang_Table_Panels();
    static std::vector<TControl*> Hinted_Controls(const TParGen_Row_Controls& Controls);

    // Layouts (UParGen_Variants.cpp).
    std::vector<TCategoryPanel*> All_Panels() const;
    void Order_Variant(TParGen_Layout_Variant Variant);
    void RePosition_Variant(TParGen_Layout_Variant Variant);
    // The headers "1. ", "2. " ... of the variant's panels with their texts.
    void Title_Panels();
    // Rows by panel and row name ("MQTT_Will_Flag").
    TParGen_Row_Controls& Row(const char* Name);
    // A row's rightmost control (its box when it has nothing else).
    TControl* Last_Of(const char* Row_Name);
    // The label top of a row where it was made.
    Integer Label_Top(const char* Row_Name);
    void Show_Rows(const std::vector<const char*>& Names, bool Show);
    // Shows the rows and places them from label top Top at the row pitch;
    // answers the top of the row after them.
    Integer Stack_Rows(const std::vector<const char*>& Names, Integer Top);
    Integer List_Index(const char* Name) const;
    bool Box_Checked(const char* Name) const;
    // Height := the last control's bottom + 12 + the header.
    void Fit_Panel(TCategoryPanel* Panel, const TControl* Last);
    // Enabled exactly while the cable DHCP box is unchecked.
    void Apply_DHCP_Rule(const std::vector<TControl*>& Controls);
    // A panel's address and mask parts, gateway box and gateway parts.
    std::vector<TControl*> Address_Controls(const char* Panel) const;
    void RePosition_BACnet(TCategoryPanel* Panel, const char* Prefix, const std::vector<const char*>& IP_Rows,
                           const std::vector<const char*>& MSTP_Rows, const char* Description);

    std::map<String, TParGen_Row_Controls> FRows;
    // Chains of address parts "." runs along.
    std::vector<std::vector<TEdit*>> FAddress_Chains;
};

extern TFParGen* FParGen;
