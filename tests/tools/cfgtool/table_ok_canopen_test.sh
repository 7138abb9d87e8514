#!/usr/bin/env bash
# cfgtool table-ok on the CANopen tables: the file each writes, the box of a
# refusal with the file left as it was, and the question before a file
# without a section is replaced. Usage: table_ok_canopen_test.sh CFGTOOL
set -uo pipefail
CFGTOOL=$1
source "$(dirname "$0")/table_ok_checks.sh"

pdo="$project/PDO_CANopen.xml"
printf '%s' '<PDO_CANopen><Receive_PDO><row COB-ID="0x181" Dimension="1" Address_B1="0" Address_B2="" Address_B3="" Address_B4="" Address_B5="" Address_B6="" Address_B7="" Address_B8="" TimeOut="0" Mnemonic="a"/></Receive_PDO><Transmit_PDO></Transmit_PDO></PDO_CANopen>' > "$pdo"
expect pdo 0 "written: $pdo" -- pdo "$project" --exe "$dir/exe"
same_file pdo "$pdo" \
  '<PDO_CANopen><Receive_PDO><row COB-ID="0x181" Dimension="1" Address_B1="0" Address_B2="" Address_B3="" Address_B4="" Address_B5="" Address_B6="" Address_B7="" Address_B8="" TimeOut="0" Mnemonic="a"/></Receive_PDO><Transmit_PDO/></PDO_CANopen><!--SW_VERSION = 1.007-->'

bad='<PDO_CANopen><Receive_PDO/><Transmit_PDO><row COB-ID="0x201" Dimension="2" Address_B1="0" Address_B2="1440" Address_B3="" Address_B4="" Address_B5="" Address_B6="" Address_B7="" Address_B8="" Send_Time="0" On_Change="N" Mnemonic=""/></Transmit_PDO></PDO_CANopen>'
printf '%s' "$bad" > "$pdo"
expect pdo-refused 1 "error: Error row 1!! [Transmit PDO] Address Byte2 must be between 0 and 1439" \
  -- pdo "$project" --exe "$dir/exe" --answer yes
same_file pdo-refused "$pdo" "$bad"

no_section='<PDO_CANopen><Receive_PDO/></PDO_CANopen>'
printf '%s' "$no_section" > "$pdo"
expect pdo-no-section-no 1 "error: Error!! The file $pdo could not be read completely: the section \"Transmit_PDO\" is missing
confirmation: The file $pdo could not be read completely. Do you want to replace it with the rows shown?" \
  -- pdo "$project" --exe "$dir/exe"
same_file pdo-no-section-no "$pdo" "$no_section"
expect pdo-no-section-yes 0 "error: Error!! The file $pdo could not be read completely: the section \"Transmit_PDO\" is missing
confirmation: The file $pdo could not be read completely. Do you want to replace it with the rows shown?
written: $pdo" -- pdo "$project" --exe "$dir/exe" --answer yes
same_file pdo-no-section-yes "$pdo" '<PDO_CANopen><Receive_PDO/><Transmit_PDO/></PDO_CANopen><!--SW_VERSION = 1.007-->'

client="$project/SDO_Client_CANopen.xml"
printf '%s' '<SDO_Client_CANopen><SDO_Read/><SDO_Write><row Device_ID="1" Index="0x6000" SubIndex="0" NByte="1" Poll_Time="0" On_Change="Y" Address_B1="0" Address_B2="" Address_B3="" Address_B4="" Mnemonic=""/></SDO_Write></SDO_Client_CANopen>' > "$client"
expect sdo-client 0 "written: $client" -- sdo-client "$project" --exe "$dir/exe"
same_file sdo-client "$client" \
  '<SDO_Client_CANopen><SDO_Read/><SDO_Write><row Device_ID="1" Index="0x6000" SubIndex="0" NByte="1" Poll_Time="0" On_Change="Y" Address_B1="0" Address_B2="" Address_B3="" Address_B4="" Mnemonic=""/></SDO_Write></SDO_Client_CANopen><!--SW_VERSION = 1.007-->'
bad='<SDO_Client_CANopen><SDO_Read><row Device_ID="1" Index="0x6000" SubIndex="0" NByte="1" Poll_Time="0" Address_B1="0" Address_B2="" Address_B3="" Address_B4="" Mnemonic=""/></SDO_Read><SDO_Write/></SDO_Client_CANopen>'
printf '%s' "$bad" > "$client"
expect sdo-client-refused 1 "error: Error row 1!! [SDO Read] Poll Time must be between 1 and 100000000" \
  -- sdo-client "$project" --exe "$dir/exe"
same_file sdo-client-refused "$client" "$bad"

server="$project/SDO_Server_CANopen.xml"
printf '%s' '<SDO_Server_CANopen><SDO_Read><row Index="0x2000" SubIndex="1" NByte="2" Address_B1="0" Address_B2="1" Address_B3="" Address_B4="" Mnemonic="m"/></SDO_Read><SDO_Write/></SDO_Server_CANopen>' > "$server"
expect sdo-server 0 "written: $server" -- sdo-server "$project" --exe "$dir/exe"
same_file sdo-server "$server" \
  '<SDO_Server_CANopen><SDO_Read><row Index="0x2000" SubIndex="1" NByte="2" Address_B1="0" Address_B2="1" Address_B3="" Address_B4="" Mnemonic="m"/></SDO_Read><SDO_Write/></SDO_Server_CANopen><!--SW_VERSION = 1.007-->'
bad='<SDO_Server_CANopen><SDO_Read/><SDO_Write><row Index="0x6000" SubIndex="1" NByte="2" Address_B1="0" Address_B2="1" Address_B3="" Address_B4="" Mnemonic=""/></SDO_Write></SDO_Server_CANopen>'
printf '%s' "$bad" > "$server"
expect sdo-server-refused 1 "error: Error row 1!! [SDO in Write] Index must be between 0x2000 and 0x5FFF" \
  -- sdo-server "$project" --exe "$dir/exe"
same_file sdo-server-refused "$server" "$bad"

if [ "$failures" -ne 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "table-ok CANopen: all checks passed"
