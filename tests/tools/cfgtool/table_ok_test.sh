#!/usr/bin/env bash
# cfgtool table-ok: the boxes a protocol table window shows on OK, the file
# it writes and its exit codes 0 (written), 1 (refused, or no such
# configuration) and 2 (wrong arguments). Usage: table_ok_test.sh CFGTOOL
set -uo pipefail
CFGTOOL=$1
source "$(dirname "$0")/table_ok_checks.sh"

expect no-table 2 "" -- "$project" --exe "$dir/exe"
expect unknown-table 2 "" -- modbus-rtu "$project" --exe "$dir/exe"
expect unknown-option 2 "" -- modbus "$project" --fast
expect missing-project 1 "" -- modbus "$dir/none" --exe "$dir/exe"

modbus="$project/ModbusM_SetAccess.xml"
expect empty-tables 0 "written: $modbus" -- modbus "$project" --exe "$dir/exe"
same_file empty-tables "$modbus" \
  '<EtherNetIP_to_Modbus><Modbus_Read/><Modbus_Write/></EtherNetIP_to_Modbus><!--SW_VERSION = 1.000-->'

bad='<EtherNetIP_to_Modbus><Modbus_Read><row Slave_ID="248" Type="Input Register" Address="0" NPoint="1" PollTime="1000" MaxError="0" Position="0" Bit="" Mnemonic=""/></Modbus_Read><Modbus_Write/></EtherNetIP_to_Modbus>'
printf '%s' "$bad" > "$modbus"
expect failing-row 1 "error: Error row 1!! [Modbus Read] Slave ID must be between 1 and 247" -- modbus "$project" --exe "$dir/exe"
same_file failing-row "$modbus" "$bad"

broken='<EtherNetIP_to_Modbus><Modbus_Read/></EtherNetIP_to_Modbus>'
printf '%s' "$broken" > "$modbus"
expect missing-section 1 "error: Error!! The file $modbus could not be read completely: the section \"Modbus_Write\" is missing
confirmation: The file $modbus could not be read completely. Do you want to replace it with the rows shown?" \
  -- modbus "$project" --exe "$dir/exe"
same_file missing-section "$modbus" "$broken"

tcp="$project/ModbusTCPM_SetAccess.xml"
expect tcp-empty-tables 0 "written: $tcp" -- modbus-tcp "$project" --exe "$dir/exe"
same_file tcp-empty-tables "$tcp" \
  '<PROFINET_Master_to_Modbus_TCP_Master><Modbus_Read/><Modbus_Write/></PROFINET_Master_to_Modbus_TCP_Master><!--SW_VERSION = 1.000-->'

bacnet="$project/BACnet_Slave_SetAccess.xml"
printf '%s' '<BACnet_to_Modbus><BACnet_in_Read><row Data_Type="Analog Value" Eng_Unit="62" Position="0" Bit="" Length="5" Mnemonic=""/></BACnet_in_Read><BACnet_in_Write/></BACnet_to_Modbus>' > "$bacnet"
expect bacnet-length 1 'error: Error row 1!! [BACnet in Read] Length with variable "Analog Value" must be between 1 and 4' \
  -- bacnet "$project" --exe "$dir/exe"

mqtt="$project/MQTT_Set_Topic.xml"
expect mqtt-empty-tables 0 "written: $mqtt" -- mqtt "$project" --exe "$dir/exe"
same_file mqtt-empty-tables "$mqtt" \
  '<MQTT_Set_Topic><MQTT_Publish/><MQTT_Subscribe/></MQTT_Set_Topic><!--SW_VERSION = 1.003-->'
snmp="$project/SNMP_Trap.xml"
expect snmp-empty-tables 0 "written: $snmp" -- snmp "$project" --exe "$dir/exe"

if [ "$failures" -ne 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "table-ok: all checks passed"
