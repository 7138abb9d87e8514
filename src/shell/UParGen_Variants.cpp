// The Set Communication window's layouts: the family's variants (which
// panels, in which order, under which headers), the sizing routine of each
// panel, and the changes and clicks that lay the window out again.
#include "shell/UParGen.h"

#include "shell/ULanguage.h"

#include <algorithm>

namespace {

// A panel of a variant and its header's text.
struct TVariant_Panel {
    TCategoryPanel* TFParGen::*Panel;
    Integer Header;
};
using TVariant_Panels = std::vector<TVariant_Panel>;

// The panels of each variant in order, by TParGen_Layout_Variant.
const std::vector<TVariant_Panels>& Variant_Layouts()
{
    const TVariant_Panel Connection{&TFParGen::CP_Ethernet_Connection, 1085};
    const TVariant_Panel IOLink{&TFParGen::CP_IOLink, 1040};
    const TVariant_Panel Ethernet{&TFParGen::CP_Ethernet, 433};
    const TVariant_Panel Web{&TFParGen::CP_WebServer, 1070};
    const auto With = [&](TCategoryPanel* TFParGen::*Panel, Integer Header, bool Plus_Ethernet) {
        TVariant_Panels Panels = {Connection, IOLink, {Panel, Header}};
        if (Plus_Ethernet)
            Panels.push_back(Ethernet);
        Panels.push_back(Web);
        return Panels;
    };
    static const std::vector<TVariant_Panels> Layouts = {
        With(&TFParGen::CP_Modbus_Master, 552, true),
        With(&TFParGen::CP_Modbus_Slave, 586, true),
        With(&TFParGen::CP_Modbus_TCP_Master, 565, false),
        With(&TFParGen::CP_Modbus_TCP_Slave, 599, false),
        With(&TFParGen::CP_BACnet_Master, 817, false),
        // The Ethernet panel shows only while the BACnet type is MS/TP.
        With(&TFParGen::CP_BACnet_Slave, 774, true),
        With(&TFParGen::CP_CAN, 618, true),
        With(&TFParGen::CP_CANopen, 621, true),
        With(&TFParGen::CP_DeviceNet_Master, 642, true),
        With(&TFParGen::CP_DeviceNet_Slave, 647, true),
        With(&TFParGen::CP_EtherNetIP, 656, false),
        With(&TFParGen::CP_J1939, 633, true),
        {Connection, IOLink, {&TFParGen::CP_MQTT, 406}, Ethernet, {&TFParGen::CP_WiFi, 456}, {&TFParGen::CP_TLS, 532},
         {&TFParGen::CP_NTP, 547}, Web},
        With(&TFParGen::CP_RS485_1, 1052, true),
        With(&TFParGen::CP_NMEA2000, 710, true),
        With(&TFParGen::CP_PROFINET, 682, false),
        With(&TFParGen::CP_SNMP_Manager, 756, false),
        With(&TFParGen::CP_SNMP_Agent, 717, false),
        With(&TFParGen::CP_EtherCAT_Slave, 1104, true),
    };
    return Layouts;
}

// Every panel of the window with its sizing routine.
struct TPanel_Sizing {
    TCategoryPanel* TFParGen::*Panel;
    void (TFParGen::*Size)();
};
constexpr TPanel_Sizing Panel_Sizings[] = {
    {&TFParGen::CP_Ethernet_Connection, &TFParGen::RePosition_Object_Ethernet_Connection},
    {&TFParGen::CP_IOLink, &TFParGen::RePosition_Object_IOLink},
    {&TFParGen::CP_EtherNetIP, &TFParGen::RePosition_Object_EtherNetIP},
    {&TFParGen::CP_WebServer, &TFParGen::RePosition_Object_WebServer},
    {&TFParGen::CP_MQTT, &TFParGen::RePosition_Object_MQTT},
    {&TFParGen::CP_Ethernet, &TFParGen::RePosition_Object_Ethernet},
    {&TFParGen::CP_WiFi, &TFParGen::RePosition_Object_WiFi},
    {&TFParGen::CP_TLS, &TFParGen::RePosition_Object_TLS},
    {&TFParGen::CP_NTP, &TFParGen::RePosition_Object_NTP},
    {&TFParGen::CP_Modbus_Master, &TFParGen::RePosition_Object_Modbus_Master},
    {&TFParGen::CP_Modbus_TCP_Master, &TFParGen::RePosition_Object_Modbus_TCP_Master},
    {&TFParGen::CP_Modbus_Slave, &TFParGen::RePosition_Object_Modbus_Slave},
    {&TFParGen::CP_Modbus_TCP_Slave, &TFParGen::RePosition_Object_Modbus_TCP_Slave},
    {&TFParGen::CP_CAN, &TFParGen::RePosition_Object_CAN},
    {&TFParGen::CP_CANopen, &TFParGen::RePosition_Object_CANopen},
    {&TFParGen::CP_J1939, &TFParGen::RePosition_Object_J1939},
    {&TFParGen::CP_DeviceNet_Master, &TFParGen::RePosition_Object_DeviceNet_Master},
    {&TFParGen::CP_DeviceNet_Slave, &TFParGen::RePosition_Object_DeviceNet_Slave},
    {&TFParGen::CP_PROFINET, &TFParGen::RePosition_Object_PROFINET},
    {&TFParGen::CP_NMEA2000, &TFParGen::RePosition_Object_NMEA2000},
    {&TFParGen::CP_SNMP_Agent, &TFParGen::RePosition_Object_SNMP_Agent},
    {&TFParGen::CP_SNMP_Manager, &TFParGen::RePosition_Object_SNMP_Manager},
    {&TFParGen::CP_BACnet_Slave, &TFParGen::RePosition_Object_BACnet_Slave},
    {&TFParGen::CP_BACnet_Master, &TFParGen::RePosition_Object_BACnet_Master},
    {&TFParGen::CP_RS232, &TFParGen::RePosition_Object_RS232},
    {&TFParGen::CP_RS485_1, &TFParGen::RePosition_Object_RS485_1},
    {&TFParGen::CP_RS485_2, &TFParGen::RePosition_Object_RS485_2},
    {&TFParGen::CP_EtherCAT_Slave, &TFParGen::RePosition_Object_EtherCAT_Slave},
};

// Boxes whose click, and lists whose change, lay the panels out again.
constexpr const char* Sizing_Boxes[] = {
    "CB_MQTT_Will_Flag", "CB_TLS_Enable", "CB_TLS_Server_Auth", "CB_TLS_Client_Auth", "CB_WiFi_IP_Auto",
    "CB_WiFi_En_DHCP",   "CB_SNMP_Agent_Version3", "CB_MQTT_Publish_Connection",
};
constexpr const char* Sizing_Lists[] = {"CB_SNMP_Agent_Security_Level", "CB_WiFi_Type", "CB_WiFi_Secure_Type"};
constexpr const char* BACnet_Type_Lists[] = {"CB_BACnet_Slave_Type", "CB_BACnet_Master_Type"};

} // namespace

// ---------------------------------------------------------------- variants

#define PARGEN_VARIANT_STEPS(Name)                                                                                    \
    void TFParGen::Order_Variant_##Name() { Order_Variant(lv##Name); }                                                \
    void TFParGen::RePosition_Variant_##Name() { RePosition_Variant(lv##Name); }
PARGEN_LAYOUT_VARIANTS(PARGEN_VARIANT_STEPS)
#undef PARGEN_VARIANT_STEPS

namespace {

// The two steps of each variant, by TParGen_Layout_Variant.
struct TVariant_Steps {
    void (TFParGen::*Order)();
    void (TFParGen::*Size)();
};
constexpr TVariant_Steps Variant_Steps[] = {
#define PARGEN_VARIANT_PAIR(Name) {&TFParGen::Order_Variant_##Name, &TFParGen::RePosition_Variant_##Name},
    PARGEN_LAYOUT_VARIANTS(PARGEN_VARIANT_PAIR)
#undef PARGEN_VARIANT_PAIR
};

} // namespace

void TFParGen::Order_TAB_Panels()
{
    (this->*Variant_Steps[Layout_Variant].Order)();
}

void TFParGen::Move_GroupBoxs()
{
    (this->*Variant_Steps[Layout_Variant].Size)();
}

std::vector<TCategoryPanel*> TFParGen::All_Panels() const
{
    std::vector<TCategoryPanel*> Panels;
    for (const TPanel_Sizing& Entry : Panel_Sizings)
        Panels.push_back(this->*Entry.Panel);
    return Panels;
}

std::vector<TCategoryPanel*> TFParGen::Variant_Panels(TParGen_Layout_Variant Variant) const
{
    std::vector<TCategoryPanel*> Panels;
    for (const TVariant_Panel& Entry : Variant_Layouts()[Variant])
        Panels.push_back(this->*Entry.Panel);
    return Panels;
}

bool TFParGen::Variant_Shows(TParGen_Layout_Variant Variant, const TCategoryPanel* Panel) const
{
    // BACnet/IP brings its own address: the Ethernet panel is for MS/TP.
    if (Variant == lvBACnet_Slave && Panel == CP_Ethernet)
        return List_Index("CB_BACnet_Slave_Type") == 1;
    return true;
}

void TFParGen::Order_Variant(TParGen_Layout_Variant Variant)
{
    const std::vector<TCategoryPanel*> Panels = Variant_Panels(Variant);
    for (TCategoryPanel* Panel : All_Panels())
        if (std::find(Panels.begin(), Panels.end(), Panel) == Panels.end())
            Panel->SetVisible(false);
    Integer Top = 0;
    Integer Tab = 0;
    for (TCategoryPanel* Panel : Panels) {
        // Placed before it is shown, so that the group stacks it below the
        // panels already shown.
        Panel->SetTop(Top);
        Panel->SetVisible(Variant_Shows(Variant, Panel));
        Top += Panel->Height();
        Panel->SetTabOrder(Tab++);
    }
    Title_Panels();
}

void TFParGen::Title_Panels()
{
    // Shown panels are numbered in order; a hidden one bears the number of
    // the place it would take.
    Integer Shown = 0;
    for (const TVariant_Panel& Entry : Variant_Layouts()[Layout_Variant]) {
        TCategoryPanel* Panel = this->*Entry.Panel;
        Panel->SetCaption(QString::number(Shown + 1) + QStringLiteral(". ") + Lang.Strings(Entry.Header));
        if (Variant_Shows(Layout_Variant, Panel))
            ++Shown;
    }
}

void TFParGen::RePosition_Variant(TParGen_Layout_Variant Variant)
{
    for (const TCategoryPanel* Panel : Variant_Panels(Variant))
        for (const TPanel_Sizing& Entry : Panel_Sizings)
            if (this->*Entry.Panel == Panel)
                (this->*Entry.Size)();
}

// ---------------------------------------------------------------- rows

TParGen_Row_Controls& TFParGen::Row(const char* Name)
{
    return FRows.at(QLatin1String(Name));
}

TControl* TFParGen::Last_Of(const char* Row_Name)
{
    const TParGen_Row_Controls& Controls = Row(Row_Name);
    return Controls.Values.empty() ? Controls.Caption : Controls.Values.back();
}

Integer TFParGen::List_Index(const char* Name) const
{
    const auto* List = dynamic_cast<const TComboBox*>(FindComponent(QLatin1String(Name)));
    return List ? List->ItemIndex() : -1;
}

bool TFParGen::Box_Checked(const char* Name) const
{
    const auto* Box = dynamic_cast<const TCheckBox*>(FindComponent(QLatin1String(Name)));
    return Box && Box->Checked();
}

void TFParGen::Show_Rows(const std::vector<const char*>& Names, bool Show)
{
    for (const char* Name : Names) {
        TParGen_Row_Controls& Controls = Row(Name);
        Controls.Caption->SetVisible(Show);
        for (TControl* Control : Controls.Values)
            Control->SetVisible(Show);
        for (TControl* Dot : Controls.Dots)
            Dot->SetVisible(Show);
    }
}

Integer TFParGen::Stack_Rows(const std::vector<const char*>& Names, Integer Top)
{
    for (const char* Name : Names) {
        Show_Rows({Name}, true);
        TParGen_Row_Controls& Controls = Row(Name);
        // A label or check box at the row's top, an edit or list 3 pixels higher.
        Controls.Caption->SetTop(Top);
        for (TControl* Dot : Controls.Dots)
            Dot->SetTop(Top);
        for (TControl* Control : Controls.Values)
            Control->SetTop(dynamic_cast<TCheckBox*>(Control) ? Top : Top - 3);
        Top += ParGen_Row_Pitch;
    }
    return Top;
}

Integer TFParGen::Label_Top(const char* Row_Name)
{
    return ParGen_Row_Top(Row(Row_Name).Index) + 3;
}

void TFParGen::Fit_Panel(TCategoryPanel* Panel, const TControl* Last)
{
    Panel->SetHeight(Last->Top() + Last->Height() + ParGen_Panel_Margin + CPG->HeaderHeight());
}

void TFParGen::Apply_DHCP_Rule(const std::vector<TControl*>& Controls)
{
    // With DHCP on the cable the device is given its address; the typed
    // values stay as they are.
    const bool Fixed_Address = !CB_EthConn_En_DHCP_Cable->Checked();
    for (TControl* Control : Controls)
        Control->SetEnabled(Fixed_Address);
}

std::vector<TControl*> TFParGen::Address_Controls(const char* Panel) const
{
    // The address and mask parts, the gateway box and its parts.
    std::vector<TControl*> Controls;
    for (const char* Address : {"_IP", "_SM", "_GAT"}) {
        const TParGen_Row_Controls& Row = FRows.at(QLatin1String(Panel) + QLatin1String(Address));
        if (dynamic_cast<TCheckBox*>(Row.Caption))
            Controls.push_back(Row.Caption);
        Controls.insert(Controls.end(), Row.Values.begin(), Row.Values.end());
    }
    return Controls;
}

// ---------------------------------------------------------------- sizing

void TFParGen::RePosition_Object_Ethernet_Connection()
{
    Fit_Panel(CP_Ethernet_Connection, E_EthConn_Sec_DNS_IP4);
    // No Wi-Fi on this gateway.
    CB_EthConn_En_DHCP_WiFi->SetEnabled(false);
}

void TFParGen::RePosition_Object_IOLink()
{
    Fit_Panel(CP_IOLink, CB_IOLink_SelectDevice);
}

void TFParGen::RePosition_Object_EtherNetIP()
{
    Fit_Panel(CP_EtherNetIP, E_EtherNetIP_NByte_Out);
    Apply_DHCP_Rule({E_EtherNetIP_IP1, E_EtherNetIP_IP2, E_EtherNetIP_IP3, E_EtherNetIP_IP4, E_EtherNetIP_SM1,
                     E_EtherNetIP_SM2, E_EtherNetIP_SM3, E_EtherNetIP_SM4, CB_EtherNetIP_GAT, E_EtherNetIP_GAT1,
                     E_EtherNetIP_GAT2, E_EtherNetIP_GAT3, E_EtherNetIP_GAT4});
}

void TFParGen::RePosition_Object_WebServer()
{
    Fit_Panel(CP_WebServer, E_WebServer_Password);
}

void TFParGen::RePosition_Object_Ethernet()
{
    Show_Rows({"Ethernet_DNS", "Ethernet_TCP_Port", "Ethernet_UDP_Port"}, false);
    Apply_DHCP_Rule(Address_Controls("Ethernet"));
    Fit_Panel(CP_Ethernet, Last_Of("Ethernet_GAT"));
}

// Panels whose rows never move: each ends at one row's last control; the
// address panels follow the DHCP rule.
#define PARGEN_FIXED_PANEL(Panel, Last)                                                                               \
    void TFParGen::RePosition_Object_##Panel() { Fit_Panel(CP_##Panel, Last_Of(Last)); }
#define PARGEN_ADDRESS_PANEL(Panel, Last)                                                                             \
    void TFParGen::RePosition_Object_##Panel()                                                                        \
    {                                                                                                                 \
        Apply_DHCP_Rule(Address_Controls(#Panel));                                                                    \
        Fit_Panel(CP_##Panel, Last_Of(Last));                                                                         \
    }
PARGEN_FIXED_PANEL(Modbus_Master, "Modbus_Master_Cyclic_Delay")
PARGEN_FIXED_PANEL(Modbus_Slave, "Modbus_Slave_End_Line_Resistor")
PARGEN_FIXED_PANEL(CAN, "CAN_Baudrate")
PARGEN_FIXED_PANEL(CANopen, "CANopen_SDO_TimeOut")
PARGEN_FIXED_PANEL(DeviceNet_Master, "DeviceNet_Master_Baudrate")
PARGEN_FIXED_PANEL(DeviceNet_Slave, "DeviceNet_Slave_NByte_Out")
PARGEN_FIXED_PANEL(J1939, "J1939_ID_Device")
PARGEN_FIXED_PANEL(NMEA2000, "NMEA2000_Peer_To_Peer")
PARGEN_FIXED_PANEL(NTP, "NTP_Poll_Time")
PARGEN_FIXED_PANEL(RS232, "RS232_Stop_Bits")
PARGEN_FIXED_PANEL(RS485_1, "RS485_1_Stop_Bits")
PARGEN_FIXED_PANEL(RS485_2, "RS485_2_Stop_Bits")
PARGEN_FIXED_PANEL(EtherCAT_Slave, "EtherCAT_Slave_Clear_Data")
PARGEN_ADDRESS_PANEL(Modbus_TCP_Master, "Modbus_TCP_Master_Cyclic_Delay")
PARGEN_ADDRESS_PANEL(Modbus_TCP_Slave, "Modbus_TCP_Slave_Read_Input")
PARGEN_ADDRESS_PANEL(SNMP_Manager, "SNMP_Manager_Name_Of_Station")
#undef PARGEN_FIXED_PANEL
#undef PARGEN_ADDRESS_PANEL

void TFParGen::RePosition_Object_PROFINET()
{
    // No byte counts on this panel: the diagnostic rows take their places.
    Show_Rows({"PROFINET_NByte_In", "PROFINET_NByte_Out"}, false);
    Stack_Rows({"PROFINET_Diagnostic", "PROFINET_Diagnostic_Type"}, Label_Top("PROFINET_NByte_In"));
    Apply_DHCP_Rule(Address_Controls("PROFINET"));
    Fit_Panel(CP_PROFINET, Last_Of("PROFINET_Diagnostic_Type"));
}

void TFParGen::RePosition_Object_SNMP_Agent()
{
    // Version 3 brings the user and the security level, which brings the
    // authority and privacy rows.
    const bool Version3 = Box_Checked("CB_SNMP_Agent_Version3");
    const Integer Level = Version3 ? std::max<Integer>(List_Index("CB_SNMP_Agent_Security_Level"), 0) : -1;
    Show_Rows({"SNMP_Agent_User", "SNMP_Agent_Security_Level"}, Version3);
    Show_Rows({"SNMP_Agent_Authority", "SNMP_Agent_Authority_Mode"}, Level >= 1);
    Show_Rows({"SNMP_Agent_Privacy", "SNMP_Agent_Privacy_Mode"}, Level >= 2);
    const char* const Last_By_Level[] = {"SNMP_Agent_Security_Level", "SNMP_Agent_Authority_Mode",
                                         "SNMP_Agent_Privacy_Mode"};
    Apply_DHCP_Rule(Address_Controls("SNMP_Agent"));
    Fit_Panel(CP_SNMP_Agent, Last_Of(Version3 ? Last_By_Level[std::min<Integer>(Level, 2)] : "SNMP_Agent_Version"));
}

void TFParGen::RePosition_Object_BACnet_Slave()
{
    RePosition_BACnet(CP_BACnet_Slave, "BACnet_Slave",
                      {"BACnet_Slave_IP", "BACnet_Slave_SM", "BACnet_Slave_GAT", "BACnet_Slave_Port",
                       "BACnet_Slave_Device_Name", "BACnet_Slave_Device_Identifier"},
                      {"BACnet_Slave_Baudrate", "BACnet_Slave_Parity", "BACnet_Slave_MSTP_Device_Name",
                       "BACnet_Slave_MAC_Address", "BACnet_Slave_Max_Master", "BACnet_Slave_Max_Info_Frame",
                       "BACnet_Slave_Device_Instance", "BACnet_Slave_Network"},
                      "BACnet_Slave_Description_32");
}

void TFParGen::RePosition_Object_BACnet_Master()
{
    RePosition_BACnet(CP_BACnet_Master, "BACnet_Master",
                      {"BACnet_Master_IP", "BACnet_Master_SM", "BACnet_Master_GAT", "BACnet_Master_Port",
                       "BACnet_Master_Device_Name", "BACnet_Master_Device_Identifier", "BACnet_Master_TimeOut_Polling"},
                      {"BACnet_Master_Baudrate", "BACnet_Master_Parity", "BACnet_Master_MSTP_Device_Name",
                       "BACnet_Master_MAC_Address", "BACnet_Master_Max_Master", "BACnet_Master_Max_Info_Frame",
                       "BACnet_Master_Device_Instance"},
                      nullptr);
}

void TFParGen::RePosition_BACnet(TCategoryPanel* Panel, const char* Prefix, const std::vector<const char*>& IP_Rows,
                                 const std::vector<const char*>& MSTP_Rows, const char* Description)
{
    // BACnet/IP rows stay in their places; MS/TP rows take the address's
    // place on. The description box, when the panel has one, ends it.
    const bool Serial = List_Index(("CB_" + std::string(Prefix) + "_Type").c_str()) == 1;
    Show_Rows(IP_Rows, !Serial);
    Integer Next;
    if (Serial) {
        Next = Stack_Rows(MSTP_Rows, Label_Top(IP_Rows.front()));
    } else {
        Show_Rows(MSTP_Rows, false);
        Next = Label_Top(IP_Rows.back()) + ParGen_Row_Pitch;
        Apply_DHCP_Rule(Address_Controls(Prefix));
    }
    if (Description)
        Stack_Rows({Description}, Next);
    Fit_Panel(Panel, Last_Of(Description ? Description : (Serial ? MSTP_Rows : IP_Rows).back()));
}

void TFParGen::RePosition_Object_MQTT()
{
    // The rows down to the will flag stay; the will rows show in their
    // places while it is checked; the rest follows at the row pitch.
    const bool Will = Box_Checked("CB_MQTT_Will_Flag");
    const std::vector<const char*> Will_Rows = {"MQTT_Topic_Will", "MQTT_Message_Will", "MQTT_Retained_Will",
                                                "MQTT_QoS_Will"};
    const std::vector<const char*> Connection_Rows = {"MQTT_Topic_Connection", "MQTT_Message_Connection",
                                                      "MQTT_Retained_Connection"};
    Show_Rows(Will_Rows, Will);
    Integer Next = Will ? Label_Top("MQTT_QoS_Will") + ParGen_Row_Pitch : Label_Top("MQTT_Topic_Will");
    Next = Stack_Rows({"MQTT_Publish_Connection"}, Next);
    if (Box_Checked("CB_MQTT_Publish_Connection"))
        Next = Stack_Rows(Connection_Rows, Next);
    else
        Show_Rows(Connection_Rows, false);
    Stack_Rows({"MQTT_Username", "MQTT_Password"}, Next);
    Show_Rows({"MQTT_Send_Time"}, false);
    Fit_Panel(CP_MQTT, Last_Of("MQTT_Password"));
}

void TFParGen::RePosition_Object_WiFi()
{
    const Integer Top = Label_Top("WiFi_Type");
    const std::vector<const char*> Addresses = {"WiFi_IP", "WiFi_SM", "WiFi_GAT", "WiFi_DNS"};
    const std::vector<const char*> DHCP_Rows = {"WiFi_DHCP_IP", "WiFi_DHCP_SM", "WiFi_Lease_Time"};
    const char* Last = nullptr;
    switch (List_Index("CB_WiFi_Type")) {
    case 0: { // Access Point
        Show_Rows({"WiFi_IP_Auto", "WiFi_WPS", "WiFi_Name"}, false);
        Integer Next = Stack_Rows(Addresses, Top + ParGen_Row_Pitch);
        Next = Stack_Rows({"WiFi_Port", "WiFi_SSID", "WiFi_Secure_Type"}, Next);
        const bool Secured = List_Index("CB_WiFi_Secure_Type") != 0;
        Show_Rows({"WiFi_Password"}, Secured);
        if (Secured)
            Next = Stack_Rows({"WiFi_Password"}, Next);
        Next = Stack_Rows({"WiFi_En_DHCP"}, Next);
        if (Box_Checked("CB_WiFi_En_DHCP"))
            Next = Stack_Rows(DHCP_Rows, Next);
        else
            Show_Rows(DHCP_Rows, false);
        Stack_Rows({"WiFi_Max_Client", "WiFi_Channel"}, Next);
        Last = "WiFi_Channel";
        break;
    }
    case 1: { // Client Mode
        Integer Next = Stack_Rows({"WiFi_IP_Auto"}, Top + ParGen_Row_Pitch);
        const bool Automatic = Box_Checked("CB_WiFi_IP_Auto");
        Show_Rows(Addresses, !Automatic);
        Show_Rows({"WiFi_Name"}, Automatic);
        Next = Stack_Rows(Automatic ? std::vector<const char*>{"WiFi_Name"} : Addresses, Next);
        Stack_Rows({"WiFi_Port", "WiFi_SSID", "WiFi_Password"}, Next);
        Show_Rows({"WiFi_WPS", "WiFi_Secure_Type", "WiFi_En_DHCP", "WiFi_Max_Client", "WiFi_Channel"}, false);
        Show_Rows(DHCP_Rows, false);
        Last = "WiFi_Password";
        break;
    }
    default: // WiFi Direct keeps the layout it had.
        return;
    }
    Fit_Panel(CP_WiFi, Last_Of(Last));
}

void TFParGen::RePosition_Object_TLS()
{
    const std::vector<const char*> Rows = {"TLS_Server_Auth", "TLS_Server_Cert", "TLS_Client_Auth",
                                           "TLS_Client_Cert", "TLS_Client_Key", "TLS_Key_Password"};
    const std::vector<const char*> Client_Rows = {"TLS_Client_Cert", "TLS_Client_Key", "TLS_Key_Password"};
    if (!Box_Checked("CB_TLS_Enable")) {
        Show_Rows(Rows, false);
        Fit_Panel(CP_TLS, Last_Of("TLS_Enable"));
        return;
    }
    // The server certificate shows in its place; the client authentication
    // box stands a row below whatever is above it.
    const bool Server = Box_Checked("CB_TLS_Server_Auth");
    Show_Rows({"TLS_Server_Auth"}, true);
    Show_Rows({"TLS_Server_Cert"}, Server);
    const Integer Client_Top = Last_Of(Server ? "TLS_Server_Cert" : "TLS_Server_Auth")->Top() + ParGen_Row_Pitch;
    const Integer Next = Stack_Rows({"TLS_Client_Auth"}, Client_Top);
    const bool Client = Box_Checked("CB_TLS_Client_Auth");
    if (Client)
        Stack_Rows(Client_Rows, Next);
    else
        Show_Rows(Client_Rows, false);
    Fit_Panel(CP_TLS, Last_Of(Client ? "TLS_Key_Password" : "TLS_Client_Auth"));
}

// ---------------------------------------------------------------- triggers

void TFParGen::On_Click(TObject* Sender)
{
    const auto Is = [this, Sender](const char* Name) { return Sender == FindComponent(QLatin1String(Name)); };
    if (Sender == CB_EthConn_En_DHCP_Cable || Sender == CB_EthConn_En_DHCP_WiFi ||
        std::any_of(std::begin(Sizing_Boxes), std::end(Sizing_Boxes), Is))
        Move_GroupBoxs();
}

void TFParGen::On_Change(TObject* Sender)
{
    const auto Is = [this, Sender](const char* Name) { return Sender == FindComponent(QLatin1String(Name)); };
    if (std::any_of(std::begin(BACnet_Type_Lists), std::end(BACnet_Type_Lists), Is)) {
        // The device variants can differ with the BACnet type.
        IOLink_Set_Device_List();
        Order_TAB_Panels();
        Move_GroupBoxs();
    } else if (std::any_of(std::begin(Sizing_Lists), std::end(Sizing_Lists), Is)) {
        Move_GroupBoxs();
    }
}
