#!/usr/bin/env bash
# cfgtool table-ok on the field-bus frame tables: the file each writes, the
# boxes of a refusal, and both answers to the question before a damaged file
# is replaced. Usage: table_ok_fieldbus_test.sh CFGTOOL
set -uo pipefail
CFGTOOL=$1
source "$(dirname "$0")/table_ok_checks.sh"

expect bad-answer 2 "" -- can-rx "$project" --exe "$dir/exe" --answer maybe
expect answer-without-value 2 "" -- can-rx "$project" --exe "$dir/exe" --answer
expect missing-exe 1 "" -- can-tx "$project" --exe "$dir/none"

rx="$project/CAN_Rec_Frames.xml"
printf '%s' '<Receive_Frames><row COBID="0x181" CAN_Type="2.0A (11 bits)" Dim="2" Byte1="0" Byte2="None"/><row Enable="N" COBID="abc" Dim="9"/></Receive_Frames>' > "$rx"
expect can-rx 0 "written: $rx" -- can-rx "$project" --exe "$dir/exe"
same_file can-rx "$rx" \
  '<Receive_Frames><row Enable="Y" COBID="0x181" CAN_Type="2.0A (11 bits)" Dim="2" TimeOut="0" Byte1="0" Byte2="None" Byte3="" Byte4="" Byte5="" Byte6="" Byte7="" Byte8="" Mnemonic=""/><row Enable="N" COBID="abc" CAN_Type="" Dim="9" TimeOut="0" Byte1="" Byte2="" Byte3="" Byte4="" Byte5="" Byte6="" Byte7="" Byte8="" Mnemonic=""/></Receive_Frames><!--SW_VERSION = 1.004-->'

tx="$project/CAN_Send_Frames.xml"
bad='<Transmit_Frames><row COBID="0x201" Dim="1"/><row COBID="0x202" Dim="1" OnTimer="Y" Time="-5"/></Transmit_Frames>'
printf '%s' "$bad" > "$tx"
expect can-tx-refused 1 "error: Error row 2!! Time must be between 0 and 100000000 milliseconds" \
  -- can-tx "$project" --exe "$dir/exe" --answer yes
same_file can-tx-refused "$tx" "$bad"

ec="$project/EtherCAT_Slave.xml"
printf '%s' '<EtherCAT_Slave><EtherCAT_Slave_Variables><EtherCAT_Slave_To_Master><row Enable="Y" Type="Bool" Length="1" Name="a" Position="5"/><row Type="Int8"/></EtherCAT_Slave_To_Master><EtherCAT_Master_To_Slave/></EtherCAT_Slave_Variables></EtherCAT_Slave>' > "$ec"
expect ethercat 0 "written: $ec" -- ethercat "$project" --exe "$dir/exe"
same_file ethercat "$ec" \
  '<EtherCAT_Slave><EtherCAT_Slave_Variables><EtherCAT_Slave_To_Master><row Enable="Y" Type="Bool" Length="1" Name="a" InitValue="" Position="0" BitStart="0" Mnemonic=""/><row Enable="Y" Type="Int8" Length="" Name="" InitValue="" Position="1" BitStart="0" Mnemonic=""/></EtherCAT_Slave_To_Master><EtherCAT_Master_To_Slave/></EtherCAT_Slave_Variables></EtherCAT_Slave><!--SW_VERSION = 1.004-->'

broken='<Receive_Frames><row COBID="1" Dim="1"/><row'
report="error: Error!! The file $rx could not be read completely: "
question="confirmation: The file $rx could not be read completely. Do you want to replace it with the rows shown?"
# answer_damaged ANSWER EXPECTED_CODE EXPECTED_LAST_LINE: the parser's report
# first, then the question, then what the answer led to.
answer_damaged() {
  local out rc
  printf '%s' "$broken" > "$rx"
  out=$("$CFGTOOL" table-ok can-rx "$project" --exe "$dir/exe" --answer "$1" 2>"$dir/stderr")
  rc=$?
  if [ "$rc" != "$2" ] || [[ "$(sed -n 1p <<< "$out")" != "$report"?* ]] ||
     [ "$(sed -n 2p <<< "$out")" != "$question" ] || [ "$(sed -n '3,$p' <<< "$out")" != "$3" ]; then
    echo "FAIL damaged-$1: exit $rc (wanted $2)"
    printf '%s\n' "$out"
    failures=$((failures + 1))
  fi
}
answer_damaged no 1 ""
same_file damaged-no "$rx" "$broken"
answer_damaged yes 0 "written: $rx"
same_file damaged-yes "$rx" '<Receive_Frames/><!--SW_VERSION = 1.004-->'

if [ "$failures" -ne 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "table-ok field-bus: all checks passed"
