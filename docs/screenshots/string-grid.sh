#!/usr/bin/env bash
# Makes docs/screenshots/string-grid.png: a string grid laid out like the
# IO-Link window's variables table (XP headers, a check-box column, two
# hidden columns, two row-colour groups, a selected row, a progress cell),
# painted by the grid itself through `cfgtool grid-run ... render`.
# Usage: docs/screenshots/string-grid.sh [CFGTOOL]
set -euo pipefail
cd "$(dirname "$0")/../.."
CFGTOOL=${1:-build/bin/cfgtool}

names=(Vendor_Name Product_Name Serial_Number Device_Status Temperature Pressure Flow_Rate Switch_Point_1
       Switch_Point_2 Hysteresis Output_Mode Filter_Time Unit_Select Display_Rotation Teach_Request
       Operating_Hours Min_Value Max_Value Alarm_Delay Sensor_Mode Locking Application_Tag)
types=(String String String UInt8 Int16 Int16 UInt16 Int16 Int16 UInt16 UInt8 UInt16 UInt8 UInt8 UInt8
       UInt32 Int16 Int16 UInt16 UInt8 Bool String)
lengths=(16 32 16 1 2 2 2 2 2 2 1 2 1 1 1 4 2 2 2 1 1 32)

{
  echo "new 9 $(( ${#names[@]} + 1 )) 1 1"
  echo "colwidth 0 30"
  echo "colwidth 1 170"
  echo "colwidth 2 60"
  echo "colwidth 3 70"
  echo "colwidth 4 70"
  echo "colwidth 5 60"
  echo "colwidth 6 70"
  echo "colwidth 7 60"
  echo "colwidth 8 200"
  i=0
  for h in "#" Name Index Subindex Type Length Enabled Offset Description; do
    echo "cell $i 0 $h"
    i=$((i + 1))
  done
  echo "checktexts Y N"
  for r in "${!names[@]}"; do
    row=$((r + 1))
    echo "cell 0 $row $row"
    echo "cell 1 $row ${names[$r]}"
    echo "cell 2 $row $((r + 16))"
    echo "cell 3 $row 0"
    echo "cell 4 $row ${types[$r]}"
    echo "cell 5 $row ${lengths[$r]}"
    if [ $((r % 3)) = 0 ]; then echo "cell 6 $row N"; else echo "cell 6 $row Y"; fi
    echo "cell 7 $row $((r * 4))"
    echo "cell 8 $row Process data of port $(( r % 4 + 1 ))"
  done
  echo "checkcolumn 6 0 1"
  # Two groups of rows, each in its own colour.
  for r in "${!names[@]}"; do
    row=$((r + 1))
    if [ "$row" -le 8 ]; then colour='$00F4E8DC'; else colour='$00DCF4E8'; fi
    for c in 1 2 3 4 5 6 7 8; do echo "color $c $row $colour"; done
  done
  # The operating hours' description shows how much of the service life is used.
  echo "cell 8 16 65"
  echo 'progress 8 16 $00C08040 $00FFFFFF'
  echo "hidecols 3 3"
  echo "hidecols 7 7"
  echo "selectrange 1 5 6 5"
  echo "render docs/screenshots/string-grid.png"
} | "$CFGTOOL" grid-run -
