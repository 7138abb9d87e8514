// The Set Communication window's panels of the family's other gateways: one
// table of panels and rows, the controls made from it and their texts.
#include "shell/UParGen.h"

#include "rtl/ComCtrls.h"
#include "shell/ULanguage.h"

// The table's vocabulary, named apart so that it meets no other unit's
// helpers in a unity build.
namespace pargen_table {

// Rows by kind; the hints follow the caption's text unless a row says
// otherwise.
TParGen_Row ParGen_Row(TParGen_Row_Kind Kind, const char* Name, Integer Text)
{
    return TParGen_Row{Kind, Name, Text, Text + 1};
}
TParGen_Row Edit(const char* Name, Integer Text, Integer Max_Length = 0)
{
    TParGen_Row Row = ParGen_Row(rkEdit, Name, Text);
    Row.Max_Length = Max_Length;
    return Row;
}
TParGen_Row Rich_Edit(const char* Name, Integer Text)
{
    return ParGen_Row(rkRich_Edit, Name, Text);
}
TParGen_Row List(const char* Name, Integer Text, std::vector<const char*> Items)
{
    TParGen_Row Row = ParGen_Row(rkList, Name, Text);
    Row.Items = std::move(Items);
    return Row;
}
// A list whose items are the texts First .. Last of the table.
TParGen_Row Text_List(const char* Name, Integer Text, Integer First, Integer Last)
{
    TParGen_Row Row = ParGen_Row(rkList, Name, Text);
    Row.First_Item = First;
    Row.Last_Item = Last;
    return Row;
}
TParGen_Row Box(const char* Name, Integer Text)
{
    return ParGen_Row(rkBox, Name, Text);
}
TParGen_Row Address(const char* Name, Integer Text)
{
    return ParGen_Row(rkAddress, Name, Text);
}
TParGen_Row Box_Address(const char* Name, Integer Text)
{
    return ParGen_Row(rkBox_Address, Name, Text);
}
TParGen_Row Box_Edit(const char* Name, Integer Text)
{
    return ParGen_Row(rkBox_Edit, Name, Text);
}
// A row the text table has no texts for.
TParGen_Row Untexted(TParGen_Row_Kind Kind, const char* Name, const char* Caption)
{
    TParGen_Row Row{Kind, Name};
    Row.Caption = Caption;
    return Row;
}
TParGen_Row With_Hint(TParGen_Row Row, Integer Hint)
{
    Row.Hint = Hint;
    return Row;
}

// The rows every address panel begins with.
std::vector<TParGen_Row> Address_Rows(Integer Text)
{
    return {Address("IP", Text), Address("SM", Text + 5), Box_Address("GAT", Text + 10)};
}
// Rows of several parts, in order.
std::vector<TParGen_Row> Rows(std::initializer_list<std::vector<TParGen_Row>> Parts)
{
    std::vector<TParGen_Row> All;
    for (const std::vector<TParGen_Row>& Part : Parts)
        All.insert(All.end(), Part.begin(), Part.end());
    return All;
}

const std::vector<const char*> Serial_Ports = {"RS232", "RS485"};
const std::vector<const char*> Serial_Bauds = {"1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200"};
const std::vector<const char*> Parities = {"NONE", "ODD", "EVEN"};
const std::vector<const char*> Modbus_Stop_Bits = {"1 Stop Bits", "2 Stop Bits"};
const std::vector<const char*> Port_Stop_Bits = {"1 bit", "2 bits"};
const std::vector<const char*> CAN_Bauds = {"10K", "20K", "50K", "62.5K", "100K", "125K", "250K", "500K", "800K", "1000K"};
const std::vector<const char*> CANopen_Bauds = {"10K", "20K", "50K", "100K", "125K", "250K", "500K", "800K", "1000K", ""};
const std::vector<const char*> DeviceNet_Bauds = {"125K", "250K", "500K"};
const std::vector<const char*> BACnet_Types = {"BACnet/IP", "BACnet MS/TP"};
const std::vector<const char*> BACnet_Bauds = {"9600", "19200", "38400", "57600", "76800", "115200"};

// A serial port panel (RS232, RS485): four captions, then four hints.
std::vector<TParGen_Row> Serial_Port_Rows(Integer Text)
{
    return {With_Hint(Box("Enable", Text), Text + 4), With_Hint(List("Baudrate", Text + 1, Serial_Bauds), Text + 5),
            With_Hint(List("Parity", Text + 2, Parities), Text + 6),
            With_Hint(List("Stop_Bits", Text + 3, Port_Stop_Bits), Text + 7)};
}

// The MS/TP rows of the two BACnet panels.
std::vector<TParGen_Row> BACnet_MSTP_Rows(Integer Text)
{
    return {List("Baudrate", Text, BACnet_Bauds), List("Parity", Text + 2, Parities),
            Edit("MSTP_Device_Name", Text + 4, 15), Edit("MAC_Address", Text + 6),
            Edit("Max_Master", Text + 8, 15),        Edit("Max_Info_Frame", Text + 10),
            Edit("Device_Instance", Text + 12, 15)};
}

} // namespace pargen_table

const std::vector<TParGen_Panel>& ParGen_Panels()
{
    using namespace pargen_table;
    static const std::vector<TParGen_Panel> Panels = {
        {&TFParGen::CP_MQTT, "MQTT",
         {Edit("Server_URL", 407), Edit("Server_Port", 409), Edit("Client_ID", 411), Edit("Keep_Alive", 413),
          Box("Clean_Session", 415), Box("Will_Flag", 417), Edit("Topic_Will", 419), Edit("Message_Will", 421),
          Box("Retained_Will", 423), List("QoS_Will", 425, {"0", "1", "2"}), Box("Publish_Connection", 1077),
          Edit("Topic_Connection", 1079), Edit("Message_Connection", 1081), Box("Retained_Connection", 1083),
          Edit("Username", 427), Rich_Edit("Password", 429), Edit("Send_Time", 431)}},
        {&TFParGen::CP_Ethernet, "Ethernet",
         Rows({Address_Rows(434),
               {Box_Address("DNS", 450), Untexted(rkEdit, "TCP_Port", "TCP Port"),
                Untexted(rkEdit, "UDP_Port", "UDP Port")}})},
        {&TFParGen::CP_WiFi, "WiFi",
         {Text_List("Type", 457, 459, 461), Box("IP_Auto", 462), Address("IP", 464), Address("SM", 469),
          Box_Address("GAT", 474), Box_Address("DNS", 480), Edit("Port", 486), Box("WPS", 488), Edit("SSID", 490),
          Edit("Password", 492), Text_List("Secure_Type", 494, 496, 499), Box("En_DHCP", 500),
          Address("DHCP_IP", 502), Address("DHCP_SM", 507), Edit("Lease_Time", 512), Edit("Name", 514),
          List("Max_Client", 516, {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}),
          Text_List("Channel", 518, 520, 531)}},
        {&TFParGen::CP_TLS, "TLS",
         {Box("Enable", 533), Box("Server_Auth", 535), Rich_Edit("Server_Cert", 537), Box("Client_Auth", 539),
          Rich_Edit("Client_Cert", 541), Rich_Edit("Client_Key", 543), Edit("Key_Password", 545)}},
        {&TFParGen::CP_NTP, "NTP", {Edit("Server_URL", 548), Edit("Poll_Time", 550)}},
        {&TFParGen::CP_Modbus_Master, "Modbus_Master",
         {List("Serial", 553, Serial_Ports), List("Baudrate", 555, Serial_Bauds), List("Parity", 557, Parities),
          List("Stop_Bits", 559, Modbus_Stop_Bits), Edit("TimeOut", 561), Edit("Cyclic_Delay", 563)}},
        {&TFParGen::CP_Modbus_TCP_Master, "Modbus_TCP_Master",
         Rows({Address_Rows(566), {Edit("TimeOut", 582), Edit("Cyclic_Delay", 584)}})},
        {&TFParGen::CP_Modbus_Slave, "Modbus_Slave",
         {List("Serial", 587, Serial_Ports), List("Baudrate", 589, Serial_Bauds), List("Parity", 591, Parities),
          List("Stop_Bits", 593, Modbus_Stop_Bits), Edit("ID_Device", 595), Box("Read_Input", 597),
          Untexted(rkBox, "End_Line_Resistor", "Enable End-Line Resistor")}},
        {&TFParGen::CP_Modbus_TCP_Slave, "Modbus_TCP_Slave",
         Rows({Address_Rows(600), {Edit("Port", 616), Box("Read_Input", 1075)}})},
        {&TFParGen::CP_CAN, "CAN", {List("Baudrate", 619, CAN_Bauds)}},
        {&TFParGen::CP_CANopen, "CANopen",
         {Edit("ID_Device", 622), List("Baudrate", 624, CANopen_Bauds), Box("Operational", 626),
          Box_Edit("Network_Start", 628), Edit("SDO_TimeOut", 631)}},
        {&TFParGen::CP_J1939, "J1939",
         {List("Baudrate", 634, CAN_Bauds), Edit("TimeOut_Data", 636), Box("Peer_To_Peer", 638),
          Edit("ID_Device", 640)}},
        {&TFParGen::CP_DeviceNet_Master, "DeviceNet_Master",
         {Edit("ID_Device", 643), List("Baudrate", 645, DeviceNet_Bauds)}},
        {&TFParGen::CP_DeviceNet_Slave, "DeviceNet_Slave",
         {Edit("ID_Device", 648), List("Baudrate", 650, DeviceNet_Bauds), Edit("NByte_In", 652),
          Edit("NByte_Out", 654)}},
        {&TFParGen::CP_PROFINET, "PROFINET",
         Rows({Address_Rows(683),
               {Edit("Tunneling_Port", 699), Edit("Name_Of_Station", 701, 15), Edit("NByte_In", 703),
                Edit("NByte_Out", 705), Box_Edit("Diagnostic", 707),
                List("Diagnostic_Type", 1124, {"Standard", "Extended"})}})},
        {&TFParGen::CP_NMEA2000, "NMEA2000",
         {List("Baudrate", 711, CAN_Bauds), Edit("TimeOut_Data", 713), Box("Peer_To_Peer", 715)}},
        {&TFParGen::CP_SNMP_Agent, "SNMP_Agent",
         Rows({Address_Rows(718),
               {Edit("Name_Of_Station", 734, 15), Edit("Contact", 736, 16), Edit("Location", 738, 16),
                ParGen_Row(rkBoxes, "Version", 740), Edit("User", 744, 19),
                List("Security_Level", 746, {"NoAuthority NoPrivacy", "Authority NoPrivacy", "Authority Privacy"}),
                Edit("Authority", 748, 15), List("Authority_Mode", 750, {"MD5", "SHA"}), Edit("Privacy", 752, 15),
                List("Privacy_Mode", 754, {"DES", "AES"})}})},
        {&TFParGen::CP_SNMP_Manager, "SNMP_Manager",
         Rows({Address_Rows(757), {With_Hint(Edit("Name_Of_Station", 773, 15), -1)}})},
        {&TFParGen::CP_BACnet_Slave, "BACnet_Slave",
         Rows({{List("Type", 775, BACnet_Types)}, Address_Rows(777),
               {Edit("Port", 793), Edit("Device_Name", 795, 15), Edit("Device_Identifier", 797)},
               BACnet_MSTP_Rows(799), {Edit("Network", 813), Box("Description_32", 815)}})},
        {&TFParGen::CP_BACnet_Master, "BACnet_Master",
         Rows({{List("Type", 818, BACnet_Types)}, Address_Rows(820),
               {Edit("Port", 836), Edit("Device_Name", 838, 15), Edit("Device_Identifier", 840),
                Edit("TimeOut_Polling", 842)},
               BACnet_MSTP_Rows(844)})},
        {&TFParGen::CP_RS232, "RS232", Serial_Port_Rows(1044)},
        {&TFParGen::CP_RS485_1, "RS485_1", Serial_Port_Rows(1053)},
        {&TFParGen::CP_RS485_2, "RS485_2", Serial_Port_Rows(1062)},
        {&TFParGen::CP_EtherCAT_Slave, "EtherCAT_Slave",
         {Edit("Revision_Number", 1105), Edit("Slave_Name", 1107, 15), Edit("Node_Address", 1109),
          Box("Clear_Data", 1111)}},
    };
    return Panels;
}

void TFParGen::Make_Table_Panels()
{
    for (const TParGen_Panel& Panel : ParGen_Panels()) {
        TCategoryPanel* Category = Make_Panel();
        this->*Panel.Panel = Category;
        // "." runs through every address of the panel, in row order.
        std::vector<TEdit*> Chain;
        for (std::size_t I = 0; I < Panel.Rows.size(); ++I) {
            const TParGen_Row_Controls& Row = Make_Row(Category, QLatin1String(Panel.Name), Panel.Rows[I], Integer(I));
            if (Row.Row->Kind == rkAddress || Row.Row->Kind == rkBox_Address)
                for (TControl* Part : Row.Values)
                    Chain.push_back(static_cast<TEdit*>(Part));
        }
        if (!Chain.empty())
            FAddress_Chains.push_back(std::move(Chain));
    }
}

TParGen_Row_Controls& TFParGen::Make_Row(TCategoryPanel* Panel, const String& Panel_Name, const TParGen_Row& Row,
                                         Integer Index)
{
    const String Name = Panel_Name + QLatin1Char('_') + QLatin1String(Row.Name);
    const Integer Top = ParGen_Row_Top(Index);
    TParGen_Row_Controls& Controls = FRows[Name];
    Controls.Row = &Row;
    Controls.Index = Index;
    const auto Named = [this, &Name](TControl* Control, const char* Prefix, const String& Suffix = String()) {
        Control->SetName(QLatin1String(Prefix) + Name + Suffix);
        Wire_Panel_Events(Control);
        return Control;
    };
    const bool Boxed = Row.Kind == rkBox || Row.Kind == rkBox_Address || Row.Kind == rkBox_Edit;
    if (Boxed)
        Controls.Caption = Named(Make_Check_Box(Panel, ParGen_Label_Left, Top, Row.Kind == rkBox ? 415 : 175), "CB_");
    else
        Controls.Caption = Named(Make_Label(Panel, Top), "L_");
    Controls.Caption->SetCaption(QLatin1String(Row.Caption));

    switch (Row.Kind) {
    case rkEdit:
    case rkBox_Edit: {
        TEdit* Edit = Make_Edit(Panel, Top);
        Edit->SetMaxLength(Row.Max_Length);
        Controls.Values = {Named(Edit, "E_")};
        break;
    }
    case rkRich_Edit:
        Controls.Values = {Named(Make_Rich_Edit(Panel, Top), "E_")};
        break;
    case rkList: {
        TComboBox* List = Make_List(Panel, Top);
        for (const char* Item : Row.Items)
            List->Items()->Add(QString::fromUtf8(Item));
        List->SetItemIndex(0);
        Controls.Values = {Named(List, "CB_")};
        break;
    }
    case rkAddress:
    case rkBox_Address: {
        const TParGen_Address Address = Make_Address(Panel, Top);
        for (std::size_t I = 0; I < Address.Parts.size(); ++I)
            Controls.Values.push_back(Named(Address.Parts[I], "E_", QString::number(I + 1)));
        Controls.Dots.assign(Address.Dots.begin(), Address.Dots.end());
        break;
    }
    case rkBoxes:
        for (std::size_t I = 0; I < 3; ++I) {
            TCheckBox* Box = Make_Check_Box(Panel, ParGen_Part_Lefts[I], Top, ParGen_Part_Width);
            Box->SetCaption(QString::number(I + 1));
            Controls.Values.push_back(Named(Box, "CB_", QString::number(I + 1)));
        }
        break;
    case rkBox:
        break;
    }
    return Controls;
}

void TFParGen::Wire_Panel_Events(TControl* Control)
{
    if (auto* Box = dynamic_cast<TCheckBox*>(Control))
        Box->OnClick = [this](TObject* Sender) { On_Click(Sender); };
    else if (auto* Edit = dynamic_cast<TEdit*>(Control))
        Edit->OnChange = [this](TObject* Sender) { On_Change(Sender); };
    else if (auto* Memo = dynamic_cast<TRichEdit*>(Control))
        Memo->OnChange = [this](TObject* Sender) { On_Change(Sender); };
    else if (auto* List = dynamic_cast<TComboBox*>(Control))
        List->OnChange = [this](TObject* Sender) { On_Change(Sender); };
}

void TFParGen::Set_Lang_Table_Panels()
{
    for (auto& [Name, Controls] : FRows) {
        const TParGen_Row& Row = *Controls.Row;
        if (Row.Text >= 0)
            Controls.Caption->SetCaption(Lang.Strings(Row.Text));
        if (Row.Hint >= 0) {
            Integer Hint = Row.Hint;
            for (TControl* Hinted : Hinted_Controls(Controls))
                Hinted->SetHint(Lang.Strings(Hint++));
        }
        if (Row.First_Item >= 0) {
            auto* List = static_cast<TComboBox*>(Controls.Values.front());
            List->Items()->Clear();
            for (Integer Item = Row.First_Item; Item <= Row.Last_Item; ++Item)
                List->Items()->Add(Lang.Strings(Item));
            List->SetItemIndex(0);
        }
    }
}

std::vector<TControl*> TFParGen::Hinted_Controls(const TParGen_Row_Controls& Controls)
{
    // A check box carries its own hint; a label none.
    std::vector<TControl*> Hinted;
    if (dynamic_cast<TCheckBox*>(Controls.Caption))
        Hinted.push_back(Controls.Caption);
    Hinted.insert(Hinted.end(), Controls.Values.begin(), Controls.Values.end());
    return Hinted;
}
