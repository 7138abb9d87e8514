#!/usr/bin/env bash
# cfgtool dropdown-calc: one calculator drop-down driven by clicks on its
# panel and keys, a line per input (input, text, open or closed); exit
# code 2 for bad calls.
# Usage: calculator_dropdown_test.sh CFGTOOL
set -uo pipefail
CFGTOOL=$1
COMMAND=dropdown-calc
# shellcheck source=line_command_checks.sh
source "$(dirname "$0")/line_command_checks.sh"
T=$'\t'

check 7 8 . 5 -- -- \
  "7${T}7.00${T}open" "8${T}78.00${T}open" ".${T}78.00${T}open" "5${T}78.50${T}open"
check 1 . 5 CE 3 -- -- \
  "1${T}1.00${T}open" ".${T}1.00${T}open" "5${T}1.50${T}open" "CE${T}0.00${T}open" "3${T}3.00${T}open"
check 5 / 0 = + 8 -- -- \
  "5${T}5.00${T}open" "/${T}5.00${T}open" "0${T}0.00${T}open" "=${T}Error${T}open" "+${T}0.00${T}open" \
  "8${T}8.00${T}open"
check 2 0 0 + 1 0 % = -- -- \
  "2${T}2.00${T}open" "0${T}20.00${T}open" "0${T}200.00${T}open" "+${T}200.00${T}open" "1${T}1.00${T}open" \
  "0${T}10.00${T}open" "%${T}20.00${T}open" "=${T}220.00${T}open"
check 4 +/- sqrt blank 0 1/x -- -- \
  "4${T}4.00${T}open" "+/-${T}-4.00${T}open" "sqrt${T}Error${T}open" "blank${T}0.00${T}open" \
  "0${T}0.00${T}open" "1/x${T}Error${T}open"
check 1 2 3 Back 5 +/- 3 -- -- \
  "1${T}1.00${T}open" "2${T}12.00${T}open" "3${T}123.00${T}open" "Back${T}12.00${T}open" \
  "5${T}125.00${T}open" "+/-${T}-125.00${T}open" "3${T}-1247.00${T}open"
check 1 2 MS C MR 3 M+ MC MR -- -- \
  "1${T}1.00${T}open" "2${T}12.00${T}open" "MS${T}12.00${T}open" "C${T}0.00${T}open" "MR${T}12.00${T}open" \
  "3${T}123.00${T}open" "M+${T}123.00${T}open" "MC${T}123.00${T}open" "MR${T}0.00${T}open"
check --max-length 5 1 2 3 + 4 -- -- \
  "1${T}1.00${T}open" "2${T}12.00${T}open" "3${T}12.00${T}open" "+${T}12.00${T}open" "4${T}12.00${T}open"
check --thousands 1 2 3 4 '*' 1 0 0 0 = -- -- \
  "1${T}1.00${T}open" "2${T}12.00${T}open" "3${T}123.00${T}open" "4${T}1,234.00${T}open" \
  "*${T}1,234.00${T}open" "1${T}1.00${T}open" "0${T}10.00${T}open" "0${T}100.00${T}open" \
  "0${T}1,000.00${T}open" "=${T}1,234,000.00${T}open"
check --ds , --ts . --thousands --set 1234,5 '*' 2 = -- -- \
  "*${T}1.234,50${T}open" "2${T}2,00${T}open" "=${T}2.469,00${T}open"
check key:12+3= key:C key:12+3 key:Enter -- -- \
  "key:12+3=${T}15.00${T}open" "key:C${T}0.00${T}open" "key:12+3${T}3.00${T}open" "key:Enter${T}15.00${T}closed"
check 4 + 5 key:Escape key:12 key:Escape -- -- \
  "4${T}4.00${T}open" "+${T}4.00${T}open" "5${T}5.00${T}open" "key:Escape${T}5.00${T}closed" \
  "key:12${T}12.00${T}open" "key:Escape${T}1.00${T}closed"
check key:7 key:Tab key:8 key:F4 -- -- \
  "key:7${T}7.00${T}open" "key:Tab${T}7.00${T}closed" "key:8${T}8.00${T}open" "key:F4${T}8.00${T}closed"
check 6 = edit:4 edit:2 edit:+ 3 -- -- \
  "6${T}6.00${T}open" "=${T}6.00${T}open" "edit:4${T}4.00${T}closed" "edit:2${T}42.00${T}closed" \
  "edit:+${T}42.00${T}closed" "3${T}3.00${T}open"
check --set abc + -- -- "+${T}0.00${T}open"

refuse
refuse --bogus 1
refuse --ds ab 1
refuse --precision x 1
refuse --set
refuse nothing
refuse 1 key:
refuse edit:

finish
