#!/usr/bin/env bash
# cfgtool dropdown-color: one colour picker driven by its setters, keys,
# clicks in its pop-up and the wheel, a line per action (action, colour,
# item index, text, open or closed); exit code 2 for bad calls.
# Usage: colour_image_pickers_test.sh CFGTOOL
set -uo pipefail
CFGTOOL=$1
COMMAND=dropdown-color
# shellcheck source=line_command_checks.sh
source "$(dirname "$0")/line_command_checks.sh"
T=$'\t'

# The list of the 16 default colours: index and colour find each other.
check 'index=9' 'index=16' 'index=-1' 'set=$FF0000' -- -- \
  "index=9${T}\$000000FF${T}9${T}Red${T}closed" \
  "index=16${T}\$000000FF${T}9${T}Red${T}closed" \
  "index=-1${T}\$000000FF${T}-1${T}${T}closed" \
  "set=\$FF0000${T}\$00FF0000${T}12${T}Blue${T}closed"
# A colour of no entry in the text forms.
check --value-text html 'set=$123456' -- -- "set=\$123456${T}\$00123456${T}-1${T}#563412${T}closed"
check --value-text hex 'set=$123456' -- -- "set=\$123456${T}\$00123456${T}-1${T}123456${T}closed"
check --value-text rgb 'set=$123456' -- -- "set=\$123456${T}\$00123456${T}-1${T}Red:86,Green:52,Blue:18${T}closed"
check --value-text web 'set=$FFFF00' 'set=$808080' 'set=$1FFFFFFF' -- -- \
  "set=\$FFFF00${T}\$00FFFF00${T}14${T}Aqua${T}closed" \
  "set=\$808080${T}\$00808080${T}7${T}Gray${T}closed" \
  "set=\$1FFFFFFF${T}\$1FFFFFFF${T}-1${T}#FFFFFF${T}closed"
check --no-default-colors --value-text web 'set=$FFFF00' 'set=$808080' 'set=$563412' -- -- \
  "set=\$FFFF00${T}\$00FFFF00${T}-1${T}aqua${T}closed" \
  "set=\$808080${T}\$00808080${T}-1${T}gray${T}closed" \
  "set=\$563412${T}\$00563412${T}-1${T}#123456${T}closed"
# Keys in the open list move the choice; Enter closes, Escape gives back.
check open key=Down key=Down key=Enter -- -- \
  "open${T}\$1FFFFFFF${T}-1${T}${T}open" \
  "key=Down${T}\$00000000${T}0${T}Black${T}open" \
  "key=Down${T}\$00000080${T}1${T}Maroon${T}open" \
  "key=Enter${T}\$00000080${T}1${T}Maroon${T}closed"
check index=3 open key=Down key=Escape key=Escape -- -- \
  "index=3${T}\$00008080${T}3${T}Olive${T}closed" \
  "open${T}\$00008080${T}3${T}Olive${T}open" \
  "key=Down${T}\$00800000${T}4${T}Navy${T}open" \
  "key=Escape${T}\$00008080${T}3${T}Olive${T}closed" \
  "key=Escape${T}\$00008080${T}3${T}Olive${T}closed"
# Type-ahead in the open list.
check open key=B key=L key=U -- -- \
  "open${T}\$1FFFFFFF${T}-1${T}${T}open" \
  "key=B${T}\$00000000${T}0${T}Black${T}open" \
  "key=L${T}\$00000000${T}0${T}Black${T}open" \
  "key=U${T}\$00FF0000${T}12${T}Blue${T}open"
# Keys on the closed edit.
check key=Down key=End key=Up key=Home key=Left key=Enter -- -- \
  "key=Down${T}\$00000000${T}0${T}Black${T}closed" \
  "key=End${T}\$00FFFFFF${T}15${T}White${T}closed" \
  "key=Up${T}\$00FFFF00${T}14${T}Aqua${T}closed" \
  "key=Home${T}\$00000000${T}0${T}Black${T}closed" \
  "key=Left${T}\$00000000${T}0${T}Black${T}closed" \
  "key=Enter${T}\$00000000${T}0${T}Black${T}closed"
# A click on an entry chooses it; the wheel steps the list of the last opening.
check index=2 open click=20,30 wheel=down wheel=up -- -- \
  "index=2${T}\$00008000${T}2${T}Green${T}closed" \
  "open${T}\$00008000${T}2${T}Green${T}open" \
  "click=20,30${T}\$00000080${T}1${T}Maroon${T}closed" \
  "wheel=down${T}\$00008000${T}2${T}Green${T}closed" \
  "wheel=up${T}\$00000080${T}1${T}Maroon${T}closed"
# Theme colours: rows of ten, arrows while open, a click.
check --style discrete 'set=$FFFFFF' open key=Down key=Right key=Up key=Enter -- -- \
  "set=\$FFFFFF${T}\$00FFFFFF${T}15${T}${T}closed" \
  "open${T}\$00FFFFFF${T}15${T}${T}open" \
  "key=Down${T}\$00F2F2F2${T}-1${T}${T}open" \
  "key=Right${T}\$007F7F7F${T}-1${T}${T}open" \
  "key=Up${T}\$00000000${T}-1${T}${T}open" \
  "key=Enter${T}\$00000000${T}-1${T}${T}closed"
check --style discrete --value-text html open click=30,8 -- -- \
  "open${T}\$1FFFFFFF${T}-1${T}#FFFFFF${T}open" \
  "click=30,8${T}\$00000000${T}-1${T}#000000${T}closed"
# The cube: a cell chooses, a gap does nothing, the wheel is ignored.
check --style cube --value-text html open click=5,5 click=55,20 wheel=down -- -- \
  "open${T}\$1FFFFFFF${T}-1${T}#FFFFFF${T}open" \
  "click=5,5${T}\$1FFFFFFF${T}-1${T}#FFFFFF${T}open" \
  "click=55,20${T}\$00663300${T}-1${T}#003366${T}closed" \
  "wheel=down${T}\$00663300${T}-1${T}#003366${T}closed"
# The spectrum: the colour shown at the pointer.
check --style spectrum --value-text rgb open click=75,73 -- -- \
  "open${T}\$1FFFFFFF${T}-1${T}Red:255,Green:255,Blue:255${T}open" \
  "click=75,73${T}\$00FFFF02${T}-1${T}Red:2,Green:255,Blue:255${T}closed"

refuse
refuse --bogus open
refuse --style grid open
refuse --value-text names open
refuse nothing
refuse 'set=123456'
refuse 'set=$123456789'
refuse 'set=$12G'
refuse index=x
refuse key=F9
refuse key=
refuse click=1
refuse wheel=left
refuse open=1

finish
