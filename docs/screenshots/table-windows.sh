#!/usr/bin/env bash
# Makes the pictures of the protocol table windows (SetAccess.png,
# ModbusTCP_SetAccess.png, SNMP_Trap.png, BACnet_SetAccess.png,
# MQTT_Set_Topic.png, ReceiveCAN.png): a program folder whose last
# configuration holds a few rows in each table file, then the program shows
# each window as its step does and writes its picture.
# Usage: docs/screenshots/table-windows.sh [CONFIGURATOR]
set -euo pipefail
cd "$(dirname "$0")/../.."
PROGRAM=${1:-build/bin/configurator}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
project=$dir/PROJECTS/Demo
mkdir -p "$project"
echo '<Conf_Settings><lastproj><projectname>Demo</projectname></lastproj></Conf_Settings>' > "$dir/Pantovisor.xml"

cat > "$project/ModbusM_SetAccess.xml" <<'XML'
<EtherNetIP_to_Modbus><!--SW_VERSION = 1.000--><Modbus_Read>
<row Enable="Y" Slave_ID="1" Type="Holding Register" Address="0" NPoint="10" PollTime="100" MaxError="3" Position="0" Bit="" Swap="N" SwapWord="N" Mnemonic="Drive 1 status"/>
<row Enable="Y" Slave_ID="1" Type="Input Register" Address="100" NPoint="4" PollTime="250" MaxError="3" Position="20" Bit="" Swap="Y" SwapWord="N" Mnemonic="Drive 1 speed"/>
<row Enable="N" Slave_ID="2" Type="Coil Status" Address="16" NPoint="8" PollTime="500" MaxError="5" Position="28" Bit="0" Swap="N" SwapWord="N" Mnemonic="Valve outputs"/>
<row Enable="Y" Slave_ID="3" Type="Input Status" Address="0" NPoint="16" PollTime="100" MaxError="3" Position="30" Bit="0" Swap="N" SwapWord="N" Mnemonic="Door switches"/>
</Modbus_Read><Modbus_Write>
<row Enable="Y" Slave_ID="1" Type="Holding Register" Address="200" NPoint="2" PollTime="100" OnChange="Y" OnCMD="N" MaxError="3" Position="0" Bit="" Swap="N" SwapWord="N" Mnemonic="Drive 1 set point"/>
<row Enable="Y" Slave_ID="2" Type="Coil Status" Address="0" NPoint="8" PollTime="200" OnChange="N" OnCMD="N" MaxError="3" Position="4" Bit="0" Swap="N" SwapWord="N" Mnemonic="Valve commands"/>
</Modbus_Write></EtherNetIP_to_Modbus>
XML

cat > "$project/ModbusTCPM_SetAccess.xml" <<'XML'
<PROFINET_Master_to_Modbus_TCP_Master><!--SW_VERSION = 1.000--><Modbus_Read>
<row Enable="Y" IP_Address="192.168.1.20" Port="502" Slave_ID="1" Type="Holding Register" Address="0" NPoint="10" PollTime="100" MaxError="3" Position="0" Bit="" Swap="N" SwapWord="N" Mnemonic="Meter 1 energy"/>
<row Enable="Y" IP_Address="192.168.1.21" Port="502" Slave_ID="1" Type="Input Register" Address="30" NPoint="6" PollTime="500" MaxError="3" Position="20" Bit="" Swap="N" SwapWord="Y" Mnemonic="Meter 2 power"/>
<row Enable="N" IP_Address="192.168.1.30" Port="5020" Slave_ID="7" Type="Input Status" Address="0" NPoint="16" PollTime="100" MaxError="5" Position="32" Bit="0" Swap="N" SwapWord="N" Mnemonic="Remote IO inputs"/>
</Modbus_Read><Modbus_Write>
<row Enable="Y" IP_Address="192.168.1.30" Port="5020" Slave_ID="7" Type="Coil Status" Address="0" NPoint="8" PollTime="100" OnChange="Y" OnCMD="N" MaxError="3" Position="0" Bit="0" Swap="N" SwapWord="N" Mnemonic="Remote IO outputs"/>
</Modbus_Write></PROFINET_Master_to_Modbus_TCP_Master>
XML

cat > "$project/SNMP_Trap.xml" <<'XML'
<SNMP_Trap><!--SW_VERSION = 1.000--><SNMP_Trap_Read>
<row Enable="Y" Community_Name="Public" Type="Int" On_Change="Y" On_Command="N" On_Timer="N" Time="" Position="0" Bit="0" NumBits="16" Description="Boiler temperature" IP_Address="192.168.1.50" Conversion="Float / 10" Mnemonic="T boiler"/>
<row Enable="N" Community_Name="Private" Type="Int" On_Change="N" On_Command="N" On_Timer="Y" Time="60" Position="2" Bit="0" NumBits="1" Description="Pump alarm" IP_Address="192.168.1.50" Conversion="None" Mnemonic="Pump alarm"/>
<row Enable="Y" Community_Name="Public" Type="String" On_Change="Y" On_Command="N" On_Timer="N" Time="" Position="4" Bit="0" NumBits="" Description="Operator message" IP_Address="192.168.1.51" Conversion="None" Mnemonic="Message"/>
</SNMP_Trap_Read><SNMP_Trap_Write>
<row Enable="Y" Community_Name="Private" Type="Int" Position="0" Bit="0" NumBits="16" Description="Boiler set point" Conversion="Float * 10" Mnemonic="SP boiler"/>
</SNMP_Trap_Write></SNMP_Trap>
XML

cat > "$project/BACnet_Slave_SetAccess.xml" <<'XML'
<BACnet_to_Modbus><!--SW_VERSION = 1.001--><BACnet_in_Read>
<row Data_Type="Analog Input" Eng_Unit="62" Position="0" Bit="" Length="4" Swap="N" SwapWord="N" Mnemonic="Supply air temperature"/>
<row Data_Type="Analog Input" Eng_Unit="29" Position="4" Bit="" Length="4" Swap="N" SwapWord="Y" Mnemonic="Room humidity"/>
<row Data_Type="Binary Input" Eng_Unit="95" Position="8" Bit="3" Length="1" Swap="N" SwapWord="N" Mnemonic="Filter alarm"/>
<row Data_Type="Multi State Input" Eng_Unit="95" Position="9" Bit="" Length="2" Swap="Y" SwapWord="N" Mnemonic="Fan stage"/>
</BACnet_in_Read><BACnet_in_Write>
<row Data_Type="Analog Value" Eng_Unit="62" Position="0" Bit="" Length="4" Swap="N" SwapWord="N" Mnemonic="Temperature set point"/>
<row Data_Type="Binary Out" Eng_Unit="95" Position="4" Bit="0" Length="1" Swap="N" SwapWord="N" Mnemonic="Fan on"/>
</BACnet_in_Write></BACnet_to_Modbus>
XML

cat > "$project/MQTT_Set_Topic.xml" <<'XML'
<MQTT_Set_Topic><!--SW_VERSION = 1.003--><MQTT_Publish>
<row Topic="plant/line1/temperature" Retained="N" QoS="1" DataType="Float" Dimension="4" Position="0" IPAddress="" InputTemplate="" Template="{&quot;value&quot;: $VALUE$}" OnChange="Y" OnTimer="N" Time="" Mnemonic="Line 1 temperature"/>
<row Topic="plant/line1/counter" Retained="Y" QoS="0" DataType="Int" Dimension="4" Position="4" IPAddress="" InputTemplate="" Template="$VALUE$" OnChange="N" OnTimer="Y" Time="1000" Mnemonic="Line 1 counter"/>
</MQTT_Publish><MQTT_Subscribe>
<row Topic="plant/line1/setpoint" Retained="N" QoS="1" DataType="Float" Dimension="4" Position="0" IPAddress="" Port="" EthType="" InputTemplate="" Template="$VALUE$" Mnemonic="Line 1 set point"/>
</MQTT_Subscribe></MQTT_Set_Topic>
XML

cat > "$project/CAN_Rec_Frames.xml" <<'XML'
<Receive_Frames><!--SW_VERSION = 1.004-->
<row Enable="Y" COBID="0x181" CAN_Type="2.0A (11 bits)" Dim="4" TimeOut="100" Byte1="0" Byte2="1" Byte3="2" Byte4="3" Byte5="" Byte6="" Byte7="" Byte8="" Mnemonic="Drive 1 status"/>
<row Enable="Y" COBID="0x281" CAN_Type="2.0A (11 bits)" Dim="8" TimeOut="100" Byte1="4" Byte2="5" Byte3="6" Byte4="7" Byte5="8" Byte6="9" Byte7="10" Byte8="11" Mnemonic="Drive 1 speed and torque"/>
<row Enable="N" COBID="0x18FF1001" CAN_Type="2.0B (29 bits)" Dim="2" TimeOut="500" Byte1="12" Byte2="None" Byte3="" Byte4="" Byte5="" Byte6="" Byte7="" Byte8="" Mnemonic="Battery level"/>
<row Enable="Y" COBID="0x701" CAN_Type="2.0A (11 bits)" Dim="1" TimeOut="0" Byte1="14" Byte2="" Byte3="" Byte4="" Byte5="" Byte6="" Byte7="" Byte8="" Mnemonic="Heartbeat"/>
</Receive_Frames>
XML

shoot() {
  CFG_PROGRAM_DIR=$dir CFG_SCREENSHOT_WINDOW=$1 CFG_SCREENSHOT=$PWD/docs/screenshots/$2 xvfb-run -a "$PROGRAM"
}
shoot FSetAccess SetAccess.png
shoot FModbus_TCP_Master_Set_Access ModbusTCP_SetAccess.png
shoot FSNMP_Trap_Access SNMP_Trap.png
shoot FBACnetSlaveSetAccess BACnet_SetAccess.png
shoot FMQTT_Set_Topic MQTT_Set_Topic.png
shoot FReceiveCAN ReceiveCAN.png
