#!/usr/bin/env bash
# cfgtool table-ok on the NMEA 0183 windows: the file each writes and the
# box of a refusal. Usage: table_ok_nmea0183_test.sh CFGTOOL
set -uo pipefail
CFGTOOL=$1
source "$(dirname "$0")/table_ok_checks.sh"

file="$project/NMEA_0183_Set_Access.xml"
printf '%s' '<NMEA_0183><NMEA_Listener><row Sentence="GGA" Serial_Channel="RS232" DataField="Latitude" Position="4"/><row Enable="N" Sentence="RMB" Serial_Channel="RS485 2"/></NMEA_Listener></NMEA_0183>' > "$file"
expect nmea0183 0 "written: $file" -- nmea0183 "$project" --exe "$dir/exe"
same_file nmea0183 "$file" \
  '<NMEA_0183><NMEA_Listener><row Enable="Y" Serial_Channel="RS232" Sentence="GGA" Index="" DataField="Latitude" PortOperation="None" SwapAll="N" Swap16="N" Position="4" Mnemonic=""/><row Enable="N" Serial_Channel="RS485 2" Sentence="" Index="" DataField="" PortOperation="None" SwapAll="N" Swap16="N" Position="" Mnemonic=""/></NMEA_Listener></NMEA_0183><!--SW_VERSION = 1.000-->'

bad='<NMEA_0183><NMEA_Listener><row Sentence="XDR" Index="11" Serial_Channel="RS232" DataField="Units" Position="0"/></NMEA_Listener></NMEA_0183>'
printf '%s' "$bad" > "$file"
expect nmea0183-refused 1 "error: Error row 1!! Index Must be Between 1 and 10" -- nmea0183 "$project" --exe "$dir/exe"
same_file nmea0183-refused "$file" "$bad"

# The listener window keeps the step window's attributes.
printf '%s' '<NMEA_0183><NMEA_Listener><row Sentence="GGA" Serial_Channel="RS485 1" DataField="Latitude" Position="4"/></NMEA_Listener></NMEA_0183>' > "$file"
expect nmea0183-listener 0 "written: $file" -- nmea0183-listener "$project" --exe "$dir/exe"
same_file nmea0183-listener "$file" \
  '<NMEA_0183><NMEA_Listener><row Enable="Y" Sentence="GGA" Index="" Serial_Channel="RS485 / RS422" Mnemonic="" DataField="Latitude" Position="4"/></NMEA_Listener></NMEA_0183><!--SW_VERSION = 1.000-->'

if [ "$failures" -ne 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "table-ok NMEA 0183: all checks passed"
