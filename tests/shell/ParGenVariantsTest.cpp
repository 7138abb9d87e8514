// The Set Communication window's layouts for the family's other gateways:
// the variants' panels and headers, the sizing of every panel, the BACnet
// type, the DHCP rule, the texts of the table panels and their triggers.
#include "shell/ParGenTestSupport.h"

#include <QApplication>
#include <QTemporaryFile>
#include <QTest>

#include <functional>

namespace {

using TPanel_Field = TCategoryPanel* TFParGen::*;

// The panels of each variant and their header texts, as the design tables
// them (independent of the window's own table).
struct Variant_Case {
    TParGen_Layout_Variant Variant;
    const char* Name;
    std::vector<std::pair<TPanel_Field, Integer>> Panels;
};

std::vector<Variant_Case> Variant_Cases()
{
    const std::pair<TPanel_Field, Integer> Conn{&TFParGen::CP_Ethernet_Connection, 1085};
    const std::pair<TPanel_Field, Integer> IOLink{&TFParGen::CP_IOLink, 1040};
    const std::pair<TPanel_Field, Integer> Ethernet{&TFParGen::CP_Ethernet, 433};
    const std::pair<TPanel_Field, Integer> Web{&TFParGen::CP_WebServer, 1070};
    return {
        {lvModbus_Master, "Modbus master", {Conn, IOLink, {&TFParGen::CP_Modbus_Master, 552}, Ethernet, Web}},
        {lvModbus_Slave, "Modbus slave", {Conn, IOLink, {&TFParGen::CP_Modbus_Slave, 586}, Ethernet, Web}},
        {lvModbus_TCP_Master, "Modbus TCP master", {Conn, IOLink, {&TFParGen::CP_Modbus_TCP_Master, 565}, Web}},
        {lvModbus_TCP_Slave, "Modbus TCP slave", {Conn, IOLink, {&TFParGen::CP_Modbus_TCP_Slave, 599}, Web}},
        {lvBACnet_Master, "BACnet master", {Conn, IOLink, {&TFParGen::CP_BACnet_Master, 817}, Web}},
        // BACnet/IP selected: no Ethernet panel.
        {lvBACnet_Slave, "BACnet slave", {Conn, IOLink, {&TFParGen::CP_BACnet_Slave, 774}, Web}},
        {lvCAN, "CAN", {Conn, IOLink, {&TFParGen::CP_CAN, 618}, Ethernet, Web}},
        {lvCANopen, "CANopen", {Conn, IOLink, {&TFParGen::CP_CANopen, 621}, Ethernet, Web}},
        {lvDeviceNet_Master, "DeviceNet master", {Conn, IOLink, {&TFParGen::CP_DeviceNet_Master, 642}, Ethernet, Web}},
        {lvDeviceNet_Slave, "DeviceNet slave", {Conn, IOLink, {&TFParGen::CP_DeviceNet_Slave, 647}, Ethernet, Web}},
        {lvEtherNetIP, "EtherNet/IP", {Conn, IOLink, {&TFParGen::CP_EtherNetIP, 656}, Web}},
        {lvJ1939, "J1939", {Conn, IOLink, {&TFParGen::CP_J1939, 633}, Ethernet, Web}},
        {lvMQTT,
         "MQTT",
         {Conn, IOLink, {&TFParGen::CP_MQTT, 406}, Ethernet, {&TFParGen::CP_WiFi, 456}, {&TFParGen::CP_TLS, 532},
          {&TFParGen::CP_NTP, 547}, Web}},
        {lvRS485, "RS485", {Conn, IOLink, {&TFParGen::CP_RS485_1, 1052}, Ethernet, Web}},
        {lvNMEA2000, "NMEA 2000", {Conn, IOLink, {&TFParGen::CP_NMEA2000, 710}, Ethernet, Web}},
        {lvPROFINET, "PROFINET", {Conn, IOLink, {&TFParGen::CP_PROFINET, 682}, Web}},
        {lvSNMP_Manager, "SNMP manager", {Conn, IOLink, {&TFParGen::CP_SNMP_Manager, 756}, Web}},
        {lvSNMP_Agent, "SNMP agent", {Conn, IOLink, {&TFParGen::CP_SNMP_Agent, 717}, Web}},
        {lvEtherCAT_Slave, "EtherCAT slave", {Conn, IOLink, {&TFParGen::CP_EtherCAT_Slave, 1104}, Ethernet, Web}},
    };
}

} // namespace

class ParGenVariantsTest : public ParGenTest {
protected:
    template <class T = TControl>
    T* Find(const char* Name) const
    {
        T* Control = dynamic_cast<T*>(W->FindComponent(QLatin1String(Name)));
        EXPECT_NE(nullptr, Control) << Name;
        return Control;
    }
    void Use(TParGen_Layout_Variant Variant) const
    {
        W->Layout_Variant = Variant;
        W->Order_TAB_Panels();
        W->Move_GroupBoxs();
    }
    // The user picks item Index of a list with the keyboard.
    void Pick(const char* List, Integer Index) const
    {
        auto* Box = Find<TComboBox>(List);
        Box->SetItemIndex(Index == 0 ? 1 : Index - 1);
        QTest::keyClick(Box->Handle(), Index == 0 ? Qt::Key_Up : Qt::Key_Down);
        ASSERT_EQ(Index, Box->ItemIndex()) << List;
    }
    // The user clicks a check box until it holds Checked.
    void Check(TCheckBox* Box, bool Checked) const
    {
        if (Box->Checked() != Checked)
            QTest::mouseClick(Box->Handle(), Qt::LeftButton, {}, QPoint(6, 8));
        ASSERT_EQ(Checked, Box->Checked()) << Box->Name().toStdString();
    }
    void Check(const char* Name, bool Checked) const { Check(Find<TCheckBox>(Name), Checked); }
    // A panel ends 12 pixels and the header's height below its last control.
    void Expect_Ends_At(TCategoryPanel* Panel, const char* Last) const
    {
        const TControl* Control = Find(Last);
        ASSERT_NE(nullptr, Control);
        EXPECT_TRUE(Control->Visible()) << Last;
        EXPECT_EQ(Control->Top() + Control->Height() + 36, Panel->Height()) << Last;
    }
    bool Shown(const char* Name) const { return Find(Name)->Visible(); }
    Integer Top(const char* Name) const { return Find(Name)->Top(); }
};

// Each variant shows its panels in its order, numbered from "1. ", tab
// ordered and stacked each at the previous one's top plus its height; back
// to EtherNet/IP the window shows this gateway's four panels again.
TEST_F(ParGenVariantsTest, EachVariantShowsItsPanelsInOrder)
{
    Show();
    auto Cases = Variant_Cases();
    Cases.push_back(Cases[lvEtherNetIP]);
    for (const Variant_Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        Use(C.Variant);
        const std::vector<TCategoryPanel*> Shown = ShownPanels();
        ASSERT_EQ(C.Panels.size(), Shown.size());
        Integer Top = 0;
        for (std::size_t I = 0; I < Shown.size(); ++I) {
            TCategoryPanel* Panel = W->*C.Panels[I].first;
            EXPECT_EQ(Panel, Shown[I]) << I;
            EXPECT_EQ(QString::number(I + 1) + QStringLiteral(". ") + Lang.Strings(C.Panels[I].second),
                      Panel->Caption());
            // A panel the variant hides keeps its place in the tab order.
            const bool After_Hidden = C.Variant == lvBACnet_Slave && I == 3;
            EXPECT_EQ(Integer(I) + (After_Hidden ? 1 : 0), Panel->TabOrder());
            EXPECT_EQ(Top, Panel->Top()) << I;
            Top += Panel->Height();
        }
    }
    EXPECT_EQ(28, W->CPG->PanelCount());
}

// The BACnet slave's Type list: MS/TP brings the Ethernet panel as "4." and
// the web server becomes "5."; BACnet/IP takes it away again. Each change of
// either BACnet type refills the device list with its first item selected.
TEST_F(ParGenVariantsTest, BACnetSlaveTypeInsertsTheEthernetPanel)
{
    Show();
    Use(lvBACnet_Slave);
    ASSERT_EQ(4u, ShownPanels().size());
    EXPECT_EQ(QStringLiteral("4. WebServer"), W->CP_WebServer->Caption());
    EXPECT_EQ(3, W->CP_Ethernet->TabOrder());
    EXPECT_EQ(QStringLiteral("4. Ethernet"), W->CP_Ethernet->Caption());

    W->CB_IOLink_SelectDevice->SetItemIndex(6);
    Pick("CB_BACnet_Slave_Type", 1);
    EXPECT_EQ(0, W->CB_IOLink_SelectDevice->ItemIndex());
    EXPECT_EQ(10, W->CB_IOLink_SelectDevice->Items()->Count());
    const std::vector<TCategoryPanel*> Serial = ShownPanels();
    ASSERT_EQ(5u, Serial.size());
    EXPECT_EQ(W->CP_Ethernet, Serial[3]);
    EXPECT_EQ(QStringLiteral("4. Ethernet"), W->CP_Ethernet->Caption());
    EXPECT_EQ(QStringLiteral("5. WebServer"), W->CP_WebServer->Caption());
    EXPECT_EQ(W->CP_BACnet_Slave->Top() + W->CP_BACnet_Slave->Height(), W->CP_Ethernet->Top());
    EXPECT_EQ(W->CP_Ethernet->Top() + W->CP_Ethernet->Height(), W->CP_WebServer->Top());

    W->CB_IOLink_SelectDevice->SetItemIndex(6);
    Pick("CB_BACnet_Slave_Type", 0);
    EXPECT_EQ(0, W->CB_IOLink_SelectDevice->ItemIndex());
    EXPECT_EQ(4u, ShownPanels().size());
    EXPECT_FALSE(W->CP_Ethernet->Visible());
    EXPECT_EQ(QStringLiteral("4. WebServer"), W->CP_WebServer->Caption());

    // The master's type resets the device list too.
    Use(lvBACnet_Master);
    W->CB_IOLink_SelectDevice->SetItemIndex(6);
    Pick("CB_BACnet_Master_Type", 1);
    EXPECT_EQ(0, W->CB_IOLink_SelectDevice->ItemIndex());
}

// Each panel ends at the control the design names for its state.
TEST_F(ParGenVariantsTest, EachPanelEndsAtItsLastControl)
{
    struct Case {
        const char* Name;
        TParGen_Layout_Variant Variant;
        TPanel_Field Panel;
        std::function<void()> Setup;
        const char* Last;
    };
    const auto Nothing = [] {};
    const auto SNMP = [this](bool Version3, Integer Level) {
        return [this, Version3, Level] {
            Find<TComboBox>("CB_SNMP_Agent_Security_Level")->SetItemIndex(Level);
            Check("CB_SNMP_Agent_Version3", Version3);
        };
    };
    const auto Type = [this](const char* List, Integer Index) {
        return [this, List, Index] { Find<TComboBox>(List)->SetItemIndex(Index); };
    };
    const Case Cases[] = {
        {"Ethernet", lvModbus_Master, &TFParGen::CP_Ethernet, Nothing, "E_Ethernet_GAT4"},
        {"Modbus master", lvModbus_Master, &TFParGen::CP_Modbus_Master, Nothing, "E_Modbus_Master_Cyclic_Delay"},
        {"Modbus slave", lvModbus_Slave, &TFParGen::CP_Modbus_Slave, Nothing, "CB_Modbus_Slave_End_Line_Resistor"},
        {"Modbus TCP master", lvModbus_TCP_Master, &TFParGen::CP_Modbus_TCP_Master, Nothing,
         "E_Modbus_TCP_Master_Cyclic_Delay"},
        {"Modbus TCP slave", lvModbus_TCP_Slave, &TFParGen::CP_Modbus_TCP_Slave, Nothing,
         "CB_Modbus_TCP_Slave_Read_Input"},
        {"CAN", lvCAN, &TFParGen::CP_CAN, Nothing, "CB_CAN_Baudrate"},
        {"CANopen", lvCANopen, &TFParGen::CP_CANopen, Nothing, "E_CANopen_SDO_TimeOut"},
        {"DeviceNet master", lvDeviceNet_Master, &TFParGen::CP_DeviceNet_Master, Nothing,
         "CB_DeviceNet_Master_Baudrate"},
        {"DeviceNet slave", lvDeviceNet_Slave, &TFParGen::CP_DeviceNet_Slave, Nothing, "E_DeviceNet_Slave_NByte_Out"},
        {"J1939", lvJ1939, &TFParGen::CP_J1939, Nothing, "E_J1939_ID_Device"},
        {"NMEA 2000", lvNMEA2000, &TFParGen::CP_NMEA2000, Nothing, "CB_NMEA2000_Peer_To_Peer"},
        {"NTP", lvMQTT, &TFParGen::CP_NTP, Nothing, "E_NTP_Poll_Time"},
        {"RS485 - 1", lvRS485, &TFParGen::CP_RS485_1, Nothing, "CB_RS485_1_Stop_Bits"},
        {"EtherCAT slave", lvEtherCAT_Slave, &TFParGen::CP_EtherCAT_Slave, Nothing, "CB_EtherCAT_Slave_Clear_Data"},
        {"PROFINET", lvPROFINET, &TFParGen::CP_PROFINET, Nothing, "CB_PROFINET_Diagnostic_Type"},
        {"SNMP manager", lvSNMP_Manager, &TFParGen::CP_SNMP_Manager, Nothing, "E_SNMP_Manager_Name_Of_Station"},
        {"SNMP agent v1, level 0", lvSNMP_Agent, &TFParGen::CP_SNMP_Agent, SNMP(false, 0), "CB_SNMP_Agent_Version3"},
        {"SNMP agent v1, level 1", lvSNMP_Agent, &TFParGen::CP_SNMP_Agent, SNMP(false, 1), "CB_SNMP_Agent_Version3"},
        {"SNMP agent v1, level 2", lvSNMP_Agent, &TFParGen::CP_SNMP_Agent, SNMP(false, 2), "CB_SNMP_Agent_Version3"},
        {"SNMP agent v3, level 0", lvSNMP_Agent, &TFParGen::CP_SNMP_Agent, SNMP(true, 0),
         "CB_SNMP_Agent_Security_Level"},
        {"SNMP agent v3, level 1", lvSNMP_Agent, &TFParGen::CP_SNMP_Agent, SNMP(true, 1),
         "CB_SNMP_Agent_Authority_Mode"},
        {"SNMP agent v3, level 2", lvSNMP_Agent, &TFParGen::CP_SNMP_Agent, SNMP(true, 2),
         "CB_SNMP_Agent_Privacy_Mode"},
        {"BACnet slave IP", lvBACnet_Slave, &TFParGen::CP_BACnet_Slave, Type("CB_BACnet_Slave_Type", 0),
         "CB_BACnet_Slave_Description_32"},
        {"BACnet slave MS/TP", lvBACnet_Slave, &TFParGen::CP_BACnet_Slave, Type("CB_BACnet_Slave_Type", 1),
         "CB_BACnet_Slave_Description_32"},
        {"BACnet master IP", lvBACnet_Master, &TFParGen::CP_BACnet_Master, Type("CB_BACnet_Master_Type", 0),
         "E_BACnet_Master_TimeOut_Polling"},
        {"BACnet master MS/TP", lvBACnet_Master, &TFParGen::CP_BACnet_Master, Type("CB_BACnet_Master_Type", 1),
         "E_BACnet_Master_Device_Instance"},
        {"TLS off", lvMQTT, &TFParGen::CP_TLS, [this] { Check("CB_TLS_Enable", false); }, "CB_TLS_Enable"},
        {"TLS without client authentication", lvMQTT, &TFParGen::CP_TLS,
         [this] {
             Check("CB_TLS_Enable", true);
             Check("CB_TLS_Client_Auth", false);
         },
         "CB_TLS_Client_Auth"},
        {"TLS with client authentication", lvMQTT, &TFParGen::CP_TLS,
         [this] {
             Check("CB_TLS_Enable", true);
             Check("CB_TLS_Client_Auth", true);
         },
         "E_TLS_Key_Password"},
    };
    Show();
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        Use(C.Variant);
        C.Setup();
        W->Move_GroupBoxs();
        Expect_Ends_At(W->*C.Panel, C.Last);
    }
    // No variant shows RS232 and RS485 - 2; their sizing routines stand.
    W->RePosition_Object_RS232();
    Expect_Ends_At(W->CP_RS232, "CB_RS232_Stop_Bits");
    W->RePosition_Object_RS485_2();
    Expect_Ends_At(W->CP_RS485_2, "CB_RS485_2_Stop_Bits");
}

// SNMP agent: version 3 brings the user and level rows, the level the
// authority and privacy rows; no row moves.
TEST_F(ParGenVariantsTest, SNMPAgentRowsFollowVersion3AndTheLevel)
{
    Show();
    Use(lvSNMP_Agent);
    const Integer User_Top = Top("E_SNMP_Agent_User");
    const auto Rows = [this] {
        return std::vector<bool>{Shown("E_SNMP_Agent_User"),      Shown("CB_SNMP_Agent_Security_Level"),
                                 Shown("E_SNMP_Agent_Authority"), Shown("CB_SNMP_Agent_Authority_Mode"),
                                 Shown("E_SNMP_Agent_Privacy"),   Shown("CB_SNMP_Agent_Privacy_Mode")};
    };
    EXPECT_EQ(std::vector<bool>(6, false), Rows());
    Pick("CB_SNMP_Agent_Security_Level", 2);
    EXPECT_EQ(std::vector<bool>(6, false), Rows());
    Check("CB_SNMP_Agent_Version3", true);
    EXPECT_EQ(std::vector<bool>(6, true), Rows());
    Pick("CB_SNMP_Agent_Security_Level", 1);
    EXPECT_EQ((std::vector<bool>{true, true, true, true, false, false}), Rows());
    Pick("CB_SNMP_Agent_Security_Level", 0);
    EXPECT_EQ((std::vector<bool>{true, true, false, false, false, false}), Rows());
    EXPECT_EQ(User_Top, Top("E_SNMP_Agent_User"));
    EXPECT_TRUE(Shown("L_SNMP_Agent_Version"));
}

// MQTT: the will rows show in their places while the will flag is checked;
// the publish box, the connection rows and the credentials follow at the
// 28-pixel pitch; the send time never shows.
TEST_F(ParGenVariantsTest, MQTTRowsFollowTheWillAndPublishBoxes)
{
    Show();
    Use(lvMQTT);
    const Integer Will_Row = Top("L_MQTT_Topic_Will");
    ASSERT_EQ(12 + 6 * 28, Will_Row);
    Check("CB_MQTT_Will_Flag", false);
    Check("CB_MQTT_Publish_Connection", false);
    EXPECT_FALSE(Shown("E_MQTT_Topic_Will"));
    EXPECT_FALSE(Shown("CB_MQTT_QoS_Will"));
    EXPECT_FALSE(Shown("E_MQTT_Topic_Connection"));
    EXPECT_FALSE(Shown("E_MQTT_Send_Time"));
    EXPECT_EQ(Will_Row, Top("CB_MQTT_Publish_Connection"));
    EXPECT_EQ(Will_Row + 28, Top("L_MQTT_Username"));
    EXPECT_EQ(Will_Row + 28 - 3, Top("E_MQTT_Username"));
    EXPECT_EQ(Will_Row + 56, Top("L_MQTT_Password"));
    Expect_Ends_At(W->CP_MQTT, "E_MQTT_Password");

    Check("CB_MQTT_Will_Flag", true);
    Check("CB_MQTT_Publish_Connection", true);
    const std::pair<const char*, Integer> Tops[] = {
        {"L_MQTT_Topic_Will", Will_Row},           {"L_MQTT_QoS_Will", Will_Row + 84},
        {"CB_MQTT_Publish_Connection", Will_Row + 112}, {"L_MQTT_Topic_Connection", Will_Row + 140},
        {"L_MQTT_Message_Connection", Will_Row + 168},  {"CB_MQTT_Retained_Connection", Will_Row + 196},
        {"L_MQTT_Username", Will_Row + 224},       {"L_MQTT_Password", Will_Row + 252},
    };
    for (const auto& [Name, Expected] : Tops) {
        EXPECT_EQ(Expected, Top(Name)) << Name;
        EXPECT_TRUE(Shown(Name)) << Name;
    }
    EXPECT_FALSE(Shown("E_MQTT_Send_Time"));
    Expect_Ends_At(W->CP_MQTT, "E_MQTT_Password");
}

// Wi-Fi by its type: access point, client mode, and WiFi Direct, which keeps
// whatever layout was there.
TEST_F(ParGenVariantsTest, WiFiRowsFollowTheTypeAndItsBoxes)
{
    Show();
    Use(lvMQTT);
    const Integer T = Top("L_WiFi_Type");
    ASSERT_EQ(12, T);
    const auto Expect_Rows = [this](const std::vector<std::pair<const char*, Integer>>& Rows,
                                    const std::vector<const char*>& Hidden) {
        for (const auto& [Name, Expected] : Rows) {
            EXPECT_TRUE(Shown(Name)) << Name;
            EXPECT_EQ(Expected, Top(Name)) << Name;
        }
        for (const char* Name : Hidden)
            EXPECT_FALSE(Shown(Name)) << Name;
    };

    // Access point, unsecured, no DHCP server.
    Pick("CB_WiFi_Type", 0);
    Pick("CB_WiFi_Secure_Type", 0);
    Check("CB_WiFi_En_DHCP", false);
    Expect_Rows({{"L_WiFi_IP", T + 28}, {"L_WiFi_SM", T + 56}, {"CB_WiFi_GAT", T + 84}, {"CB_WiFi_DNS", T + 112},
                 {"L_WiFi_Port", T + 140}, {"L_WiFi_SSID", T + 168}, {"L_WiFi_Secure_Type", T + 196},
                 {"CB_WiFi_En_DHCP", T + 224}, {"L_WiFi_Max_Client", T + 252}, {"L_WiFi_Channel", T + 280}},
                {"CB_WiFi_IP_Auto", "CB_WiFi_WPS", "E_WiFi_Password", "E_WiFi_DHCP_IP1", "E_WiFi_Lease_Time",
                 "E_WiFi_Name"});
    Expect_Ends_At(W->CP_WiFi, "CB_WiFi_Channel");

    // Access point with WPA and the DHCP server.
    Pick("CB_WiFi_Secure_Type", 1);
    Check("CB_WiFi_En_DHCP", true);
    Expect_Rows({{"L_WiFi_Password", T + 224}, {"CB_WiFi_En_DHCP", T + 252}, {"L_WiFi_DHCP_IP", T + 280},
                 {"L_WiFi_DHCP_SM", T + 308}, {"L_WiFi_Lease_Time", T + 336}, {"L_WiFi_Max_Client", T + 364},
                 {"L_WiFi_Channel", T + 392}},
                {"CB_WiFi_IP_Auto", "E_WiFi_Name"});
    Expect_Ends_At(W->CP_WiFi, "CB_WiFi_Channel");

    // Client mode with and without the address from a server.
    Pick("CB_WiFi_Type", 1);
    Check("CB_WiFi_IP_Auto", true);
    Expect_Rows({{"CB_WiFi_IP_Auto", T + 28}, {"L_WiFi_Name", T + 56}, {"L_WiFi_Port", T + 84},
                 {"L_WiFi_SSID", T + 112}, {"L_WiFi_Password", T + 140}},
                {"E_WiFi_IP1", "E_WiFi_SM1", "CB_WiFi_GAT", "CB_WiFi_DNS", "CB_WiFi_WPS", "CB_WiFi_Secure_Type",
                 "CB_WiFi_En_DHCP", "E_WiFi_DHCP_IP1", "E_WiFi_Lease_Time", "CB_WiFi_Max_Client", "CB_WiFi_Channel"});
    Expect_Ends_At(W->CP_WiFi, "E_WiFi_Password");
    Check("CB_WiFi_IP_Auto", false);
    Expect_Rows({{"L_WiFi_IP", T + 56}, {"L_WiFi_SM", T + 84}, {"CB_WiFi_GAT", T + 112}, {"CB_WiFi_DNS", T + 140},
                 {"L_WiFi_Port", T + 168}, {"L_WiFi_SSID", T + 196}, {"L_WiFi_Password", T + 224}},
                {"E_WiFi_Name", "CB_WiFi_Channel"});
    Expect_Ends_At(W->CP_WiFi, "E_WiFi_Password");

    // WiFi Direct keeps that layout and height.
    const Integer Height = W->CP_WiFi->Height();
    Pick("CB_WiFi_Type", 2);
    EXPECT_EQ(Height, W->CP_WiFi->Height());
    EXPECT_EQ(T + 224, Top("L_WiFi_Password"));
    EXPECT_FALSE(Shown("CB_WiFi_Channel"));
}

// TLS: off it is only its box; on, the client authentication box stands a
// row below the server certificate or, without it, below the server box.
TEST_F(ParGenVariantsTest, TLSRowsFollowItsBoxes)
{
    Show();
    Use(lvMQTT);
    Check("CB_TLS_Enable", false);
    for (const char* Name : {"CB_TLS_Server_Auth", "E_TLS_Server_Cert", "CB_TLS_Client_Auth", "E_TLS_Key_Password"})
        EXPECT_FALSE(Shown(Name)) << Name;
    Check("CB_TLS_Enable", true);
    Check("CB_TLS_Server_Auth", false);
    EXPECT_FALSE(Shown("E_TLS_Server_Cert"));
    EXPECT_EQ(Top("CB_TLS_Server_Auth") + 28, Top("CB_TLS_Client_Auth"));
    Check("CB_TLS_Server_Auth", true);
    EXPECT_TRUE(Shown("E_TLS_Server_Cert"));
    EXPECT_EQ(Top("E_TLS_Server_Cert") + 28, Top("CB_TLS_Client_Auth"));
    Check("CB_TLS_Client_Auth", true);
    const Integer Box = Top("CB_TLS_Client_Auth");
    EXPECT_EQ(Box + 28, Top("L_TLS_Client_Cert"));
    EXPECT_EQ(Box + 56, Top("L_TLS_Client_Key"));
    EXPECT_EQ(Box + 84, Top("L_TLS_Key_Password"));
    Expect_Ends_At(W->CP_TLS, "E_TLS_Key_Password");
}

// PROFINET shows no byte counts; the diagnostic rows take their places.
TEST_F(ParGenVariantsTest, PROFINETMovesTheDiagnosticRowsUp)
{
    Show();
    Use(lvPROFINET);
    EXPECT_FALSE(Shown("E_PROFINET_NByte_In"));
    EXPECT_FALSE(Shown("L_PROFINET_NByte_Out"));
    EXPECT_EQ(Top("L_PROFINET_NByte_In"), Top("CB_PROFINET_Diagnostic"));
    EXPECT_EQ(Top("L_PROFINET_NByte_In") - 3, Top("E_PROFINET_Diagnostic"));
    EXPECT_EQ(Top("L_PROFINET_NByte_Out"), Top("L_PROFINET_Diagnostic_Type"));
    EXPECT_EQ(Top("E_PROFINET_NByte_Out"), Top("CB_PROFINET_Diagnostic_Type"));
    // The Ethernet panel hides its DNS and port rows.
    Use(lvCAN);
    for (const char* Name : {"CB_Ethernet_DNS", "E_Ethernet_DNS1", "E_Ethernet_TCP_Port", "L_Ethernet_UDP_Port"})
        EXPECT_FALSE(Shown(Name)) << Name;
}

// BACnet MS/TP rows are restacked from the address row; the slave's
// description box stands a row below the last row shown.
TEST_F(ParGenVariantsTest, BACnetRowsFollowTheType)
{
    Show();
    Use(lvBACnet_Slave);
    EXPECT_TRUE(Shown("E_BACnet_Slave_IP1"));
    EXPECT_FALSE(Shown("CB_BACnet_Slave_Baudrate"));
    EXPECT_FALSE(Shown("E_BACnet_Slave_Network"));
    EXPECT_EQ(Top("L_BACnet_Slave_Device_Identifier") + 28, Top("CB_BACnet_Slave_Description_32"));

    Pick("CB_BACnet_Slave_Type", 1);
    const Integer T = Top("L_BACnet_Slave_IP");
    const char* const Serial_Labels[] = {"L_BACnet_Slave_Baudrate",        "L_BACnet_Slave_Parity",
                                         "L_BACnet_Slave_MSTP_Device_Name", "L_BACnet_Slave_MAC_Address",
                                         "L_BACnet_Slave_Max_Master",       "L_BACnet_Slave_Max_Info_Frame",
                                         "L_BACnet_Slave_Device_Instance",  "L_BACnet_Slave_Network"};
    for (std::size_t I = 0; I < std::size(Serial_Labels); ++I) {
        EXPECT_EQ(T + 28 * Integer(I), Top(Serial_Labels[I])) << Serial_Labels[I];
        EXPECT_TRUE(Shown(Serial_Labels[I])) << Serial_Labels[I];
    }
    EXPECT_EQ(T - 3, Top("CB_BACnet_Slave_Baudrate"));
    EXPECT_EQ(Top("L_BACnet_Slave_Network") + 28, Top("CB_BACnet_Slave_Description_32"));
    for (const char* Name : {"E_BACnet_Slave_IP1", "CB_BACnet_Slave_GAT", "E_BACnet_Slave_Port",
                             "E_BACnet_Slave_Device_Identifier"})
        EXPECT_FALSE(Shown(Name)) << Name;
    Expect_Ends_At(W->CP_BACnet_Slave, "CB_BACnet_Slave_Description_32");
}

// The cable DHCP box disables the address, mask, gateway box and gateway
// parts of every address panel (the BACnet ones while their type is
// BACnet/IP) and keeps what they hold; unchecking enables them again.
TEST_F(ParGenVariantsTest, CableDHCPDisablesTheAddressRowsOfEveryPanel)
{
    const std::pair<TParGen_Layout_Variant, const char*> Panels[] = {
        {lvModbus_Master, "Ethernet"},     {lvModbus_TCP_Master, "Modbus_TCP_Master"},
        {lvModbus_TCP_Slave, "Modbus_TCP_Slave"}, {lvPROFINET, "PROFINET"},
        {lvSNMP_Manager, "SNMP_Manager"},   {lvSNMP_Agent, "SNMP_Agent"},
        {lvBACnet_Slave, "BACnet_Slave"},   {lvBACnet_Master, "BACnet_Master"},
    };
    Show();
    for (const auto& [Variant, Panel] : Panels) {
        SCOPED_TRACE(Panel);
        Use(Variant);
        std::vector<TControl*> Controls;
        const String Prefix = QLatin1String(Panel) + QLatin1Char('_');
        for (const char* Row : {"IP", "SM", "GAT"})
            for (const char* Part : {"1", "2", "3", "4"})
                Controls.push_back(Find((QStringLiteral("E_") + Prefix + QLatin1String(Row) + QLatin1String(Part))
                                            .toLatin1()
                                            .constData()));
        Controls.push_back(Find((QStringLiteral("CB_") + Prefix + QStringLiteral("GAT")).toLatin1().constData()));
        auto* Last = static_cast<TEdit*>(Controls[3]);
        Last->SetText(QStringLiteral("77"));
        const auto Enabled = [&Controls] {
            return std::count_if(Controls.begin(), Controls.end(), [](TControl* C) { return C->Enabled(); });
        };
        EXPECT_EQ(13, Enabled());
        Check(W->CB_EthConn_En_DHCP_Cable, true);
        EXPECT_EQ(0, Enabled());
        EXPECT_EQ(QStringLiteral("77"), Last->Text());
        Check(W->CB_EthConn_En_DHCP_Cable, false);
        EXPECT_EQ(13, Enabled());
    }
}

// Every row of every table panel shows the texts of its indices, in the
// built-in English and in a language that numbers every text; the Wi-Fi
// lists are filled from the table with their first item selected.
TEST_F(ParGenVariantsTest, SetLangAppliesTheTextsOfEveryRow)
{
    const auto Expect_Texts = [this] {
        for (const TParGen_Panel& Panel : ParGen_Panels())
            for (const TParGen_Row& Row : Panel.Rows) {
                const std::string Name = std::string(Panel.Name) + "_" + Row.Name;
                SCOPED_TRACE(Name);
                const bool Boxed = Row.Kind == rkBox || Row.Kind == rkBox_Address || Row.Kind == rkBox_Edit;
                TControl* Caption = Find(((Boxed ? "CB_" : "L_") + Name).c_str());
                ASSERT_NE(nullptr, Caption);
                EXPECT_EQ(Row.Text >= 0 ? Lang.Strings(Row.Text) : QString::fromUtf8(Row.Caption), Caption->Caption());
                std::vector<std::string> Hinted;
                if (Boxed)
                    Hinted.push_back("CB_" + Name);
                switch (Row.Kind) {
                case rkEdit: case rkRich_Edit: case rkBox_Edit: Hinted.push_back("E_" + Name); break;
                case rkList: Hinted.push_back("CB_" + Name); break;
                case rkAddress: case rkBox_Address:
                    for (const char* Part : {"1", "2", "3", "4"})
                        Hinted.push_back("E_" + Name + Part);
                    break;
                case rkBoxes:
                    for (const char* Box : {"1", "2", "3"})
                        Hinted.push_back("CB_" + Name + Box);
                    break;
                case rkBox: break;
                }
                for (std::size_t I = 0; I < Hinted.size(); ++I)
                    EXPECT_EQ(Row.Hint >= 0 ? Lang.Strings(Row.Hint + Integer(I)) : String(),
                              Find(Hinted[I].c_str())->Hint())
                        << Hinted[I];
            }
    };
    const auto Expect_List = [this](const char* Name, Integer First, Integer Last) {
        auto* List = Find<TComboBox>(Name);
        ASSERT_EQ(Last - First + 1, List->Items()->Count()) << Name;
        for (Integer I = First; I <= Last; ++I)
            EXPECT_EQ(Lang.Strings(I), List->Items()->Strings(I - First)) << Name;
        EXPECT_EQ(0, List->ItemIndex()) << Name;
    };
    Expect_Texts();
    Expect_List("CB_WiFi_Type", 459, 461);
    Expect_List("CB_WiFi_Secure_Type", 496, 499);
    Expect_List("CB_WiFi_Channel", 520, 531);

    // The design's texts where the rows' rule has exceptions.
    const std::tuple<const char*, const char*, const char*> English[] = {
        {"L_MQTT_Server_URL", "Server URL", nullptr},
        {"E_MQTT_Server_URL", nullptr, "Insert the URL or IP Address of MQTT server"},
        {"CB_MQTT_Publish_Connection", "Publish Topic on Connection", "Topic is published when the connection is done"},
        {"E_MQTT_Send_Time", nullptr, "Insert the Send Time for the Asynchronous Mode, Expressed in Seconds"},
        {"CB_Ethernet_GAT", "Gateway", "Enable/disable the Default Gateway"},
        {"E_Ethernet_GAT1", nullptr, "Insert First byte of Default Gateway"},
        {"E_Ethernet_DNS4", nullptr, "Insert Fourth byte of DNS"},
        {"L_Ethernet_TCP_Port", "TCP Port", nullptr},
        {"CB_Modbus_Slave_End_Line_Resistor", "Enable End-Line Resistor", nullptr},
        {"CB_Modbus_TCP_Slave_Read_Input", "Read with Input Register / Status Function", nullptr},
        {"CB_CANopen_Network_Start", "Network Start at Start-up. Delay (seconds)", nullptr},
        {"CB_SNMP_Agent_Version3", "3", "Enable/Disable the Version 3 of SNMP"},
        {"L_SNMP_Manager_Name_Of_Station", "Name of Station", nullptr},
        {"E_SNMP_Manager_Name_Of_Station", nullptr, ""},
        {"CB_RS232_Enable", "Enable RS232", "Enable/Disable the RS232 port"},
        {"L_RS232_Stop_Bits", "Stop Bits", nullptr},
        {"CB_RS232_Stop_Bits", nullptr, "Select the Stop Bits of RS232 Port (Default 1)"},
        {"CB_RS485_2_Baudrate", nullptr, "Select the Baudrate of RS485 2 Port (Default 4800 or 38400 for High Speed)"},
        {"L_PROFINET_Diagnostic_Type", "Diagnostic Type", nullptr},
        {"L_BACnet_Master_TimeOut_Polling", "TimeOut Polling (ms)", nullptr},
        {"CB_BACnet_Slave_Description_32", "BACnet description up to 32 chars", nullptr},
        {"L_WiFi_Channel", "Channel", nullptr},
        {"CB_WiFi_Channel", nullptr, "Select the Wi-Fi Channel"},
        {"CB_EtherCAT_Slave_Clear_Data", "Clear Data on EtherCAT fault", nullptr},
    };
    for (const auto& [Name, Caption, Hint] : English) {
        SCOPED_TRACE(Name);
        if (Caption)
            EXPECT_EQ(QString::fromUtf8(Caption), Find(Name)->Caption());
        if (Hint)
            EXPECT_EQ(QString::fromUtf8(Hint), Find(Name)->Hint());
    }
    for (const auto& [Name, Length] : {std::pair{"E_PROFINET_Name_Of_Station", 15}, std::pair{"E_SNMP_Agent_User", 19},
                                       std::pair{"E_SNMP_Agent_Contact", 16}, std::pair{"E_EtherCAT_Slave_Slave_Name", 15},
                                       std::pair{"E_BACnet_Master_Device_Instance", 15}})
        EXPECT_EQ(Length, Find<TEdit>(Name)->MaxLength()) << Name;

    // Another language relabels every row and refills the lists.
    Find<TComboBox>("CB_WiFi_Channel")->SetItemIndex(4);
    QTemporaryFile File;
    ASSERT_TRUE(File.open());
    for (Integer I = 400; I <= 1125; ++I)
        File.write("STR" + QByteArray::number(I) + " = T" + QByteArray::number(I) + "\r\n");
    File.close();
    Read_Lang_File(File.fileName());
    ASSERT_EQ(QStringLiteral("T407"), Lang.Strings(407));
    W->Set_Lang();
    Expect_Texts();
    Expect_List("CB_WiFi_Channel", 520, 531);
    EXPECT_EQ(QStringLiteral("T520"), Find<TComboBox>("CB_WiFi_Channel")->Items()->Strings(0));
}

// "." in an address part of the table panels moves to the next part, from
// an address's last part to the first of the panel's next address, when
// that part can take the focus.
TEST_F(ParGenVariantsTest, DotMovesAlongThePanelsAddresses)
{
    Show();
    QApplication::setActiveWindow(W->Handle());
    Use(lvMQTT);
    Pick("CB_WiFi_Type", 0);
    Check("CB_WiFi_En_DHCP", true);
    const std::pair<const char*, const char*> Cases[] = {
        {"E_Ethernet_IP1", "E_Ethernet_IP2"},
        {"E_Ethernet_IP4", "E_Ethernet_SM1"},
        {"E_Ethernet_SM4", "E_Ethernet_GAT1"},
        // The DNS parts are hidden in this layout: the focus stays.
        {"E_Ethernet_GAT4", "E_Ethernet_GAT4"},
        {"E_WiFi_DNS4", "E_WiFi_DHCP_IP1"},
        {"E_WiFi_DHCP_SM4", "E_WiFi_DHCP_SM4"},
    };
    for (const auto& [From, To] : Cases) {
        SCOPED_TRACE(From);
        auto* Edit = Find<TEdit>(From);
        Edit->SetText(QStringLiteral("1"));
        Edit->SetFocus();
        Edit->SetSelStart(1);
        QTest::keyClick(Edit->Handle(), '.');
        EXPECT_EQ(QStringLiteral("1"), Edit->Text());
        EXPECT_EQ(Find(To), W->ActiveControl());
    }
}

// The window of this system is unchanged: OK on a fresh configuration
// writes the same bytes as before, whatever the other panels hold.
TEST_F(ParGenVariantsTest, OkWritesNothingOfTheOtherPanels)
{
    QFile Expected(testpaths::Fixture(QStringLiteral("pargen/fresh-ok.xml")));
    ASSERT_TRUE(Expected.open(QIODevice::ReadOnly));
    Show();
    Find<TEdit>("E_MQTT_Server_URL")->SetText(QStringLiteral("broker.example"));
    Check("CB_TLS_Enable", true);
    Find<TComboBox>("CB_BACnet_Slave_Type")->SetItemIndex(1);
    ASSERT_TRUE(PressOK());
    EXPECT_EQ(Expected.readAll(), FileBytes());
}

// Clicking the boxes and changing the lists in any order, any number of
// times, gives the layout the final states describe.
TEST_F(ParGenVariantsTest, LayoutDependsOnTheStatesNotOnTheirHistory)
{
    // What the user sees: the controls shown, where, and the panels' heights.
    const auto Geometry = [](const TFParGen* Window) {
        std::vector<std::pair<std::string, Integer>> Shown;
        for (TCategoryPanel* Panel : {Window->CP_MQTT, Window->CP_WiFi, Window->CP_TLS}) {
            Shown.emplace_back(Panel->Caption().toStdString(), Panel->Height());
            for (Integer I = 0; I < Window->ComponentCount(); ++I)
                if (auto* Control = dynamic_cast<TControl*>(Window->Components(I));
                    Control && Control->Parent() == Panel && Control->Visible())
                    Shown.emplace_back(Control->Name().toStdString() + " " + std::to_string(Control->Left()),
                                       Control->Top());
        }
        return Shown;
    };
    Show();
    Use(lvMQTT);
    const char* const Boxes[] = {"CB_MQTT_Will_Flag", "CB_MQTT_Publish_Connection", "CB_TLS_Enable",
                                 "CB_TLS_Server_Auth", "CB_TLS_Client_Auth", "CB_WiFi_IP_Auto", "CB_WiFi_En_DHCP"};
    // A fixed walk through the states, several times over each box and list.
    unsigned Seed = 7;
    for (int Step = 0; Step < 60; ++Step) {
        Seed = Seed * 1103515245u + 12345u;
        const unsigned Pick_ = (Seed >> 16) % 10;
        if (Pick_ < 7) {
            auto* Box = Find<TCheckBox>(Boxes[Pick_]);
            QTest::mouseClick(Box->Handle(), Qt::LeftButton, {}, QPoint(6, 8));
        } else if (Pick_ == 7) {
            Pick("CB_WiFi_Type", Integer((Seed >> 8) % 2));
        } else {
            Pick("CB_WiFi_Secure_Type", Integer((Seed >> 8) % 4));
        }
    }
    // The same final states, set at once in a fresh window.
    TFParGen* Fresh = new TFParGen(Owner.get());
    Fresh->DoCreate();
    Fresh->Show();
    Fresh->Layout_Variant = lvMQTT;
    Fresh->Order_TAB_Panels();
    for (const char* Name : Boxes)
        dynamic_cast<TCheckBox*>(Fresh->FindComponent(QLatin1String(Name)))
            ->SetChecked(Find<TCheckBox>(Name)->Checked());
    for (const char* Name : {"CB_WiFi_Type", "CB_WiFi_Secure_Type"})
        dynamic_cast<TComboBox*>(Fresh->FindComponent(QLatin1String(Name)))
            ->SetItemIndex(Find<TComboBox>(Name)->ItemIndex());
    Fresh->Move_GroupBoxs();
    EXPECT_EQ(Geometry(Fresh), Geometry(W));
}
