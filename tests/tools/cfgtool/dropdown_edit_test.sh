#!/usr/bin/env bash
# cfgtool dropdown-edit: one drop-down edit driven by actions, a line per
# action (raw text, selection start and length) and the value, float value
# and modified state at the end; exit code 2 for bad calls.
# Usage: dropdown_edit_test.sh CFGTOOL
set -uo pipefail
CFGTOOL=$1
COMMAND=dropdown-edit
# shellcheck source=line_command_checks.sh
source "$(dirname "$0")/line_command_checks.sh"
T=$'\t'

check --type money --precision 2 type=1234567 -- -- \
  "type=1234567${T}1,234,567${T}9${T}0" "value${T}1,234,567" "float${T}1234567.000000" "modified${T}1"
check --type float --precision 2 set=1.25 caret=2 type=7 caret=4 type=8 -- -- \
  "set=1.25${T}1.25${T}4${T}0" "caret=2${T}1.25${T}2${T}0" "type=7${T}1.75${T}3${T}0" \
  "caret=4${T}1.75${T}4${T}0" "type=8${T}1.75${T}4${T}0" "value${T}1.75" "float${T}1.750000" "modified${T}1"
check --type float --precision 2 plain= type=. -- -- \
  "plain=${T}${T}0${T}0" "type=.${T}0.${T}2${T}0" "value${T}0." "float${T}0.000000" "modified${T}1"
check --type numeric --signed set=12 caret=2 type=- type=- -- -- \
  "set=12${T}12${T}2${T}0" "caret=2${T}12${T}2${T}0" "type=-${T}-12${T}3${T}0" "type=-${T}12${T}2${T}0" \
  "value${T}12" "float${T}12.000000" "modified${T}1"
check --type numeric type=-a5 -- -- "type=-a5${T}5${T}1${T}0" "value${T}5" "float${T}5.000000" "modified${T}1"
check --type numeric --signed --prefix '$' --suffix ' kg' set=12 key=End type=- key=Home key=Left -- -- \
  "set=12${T}\$12 kg${T}6${T}0" "key=End${T}\$12 kg${T}3${T}0" "type=-${T}\$-12 kg${T}4${T}0" \
  "key=Home${T}\$-12 kg${T}1${T}0" "key=Left${T}\$-12 kg${T}1${T}0" "value${T}-12" "float${T}-12.000000" "modified${T}1"
check --type range plain= type=1,,2 -- -- \
  "plain=${T}${T}0${T}0" "type=1,,2${T}1,2${T}3${T}0" "value${T}1,2" "float${T}0.000000" "modified${T}1"
check --type numeric set=12 paste=a paste=3 -- -- \
  "set=12${T}12${T}2${T}0" "paste=a${T}12${T}2${T}0" "paste=3${T}123${T}3${T}0" \
  "value${T}123" "float${T}123.000000" "modified${T}1"
check --type numeric plain= blur -- -- \
  "plain=${T}${T}0${T}0" "blur${T}0${T}1${T}0" "value${T}0" "float${T}0.000000" "modified${T}0"
check --type float --precision 2 set=3 blur -- -- \
  "set=3${T}3.00${T}4${T}0" "blur${T}3.00${T}4${T}0" "value${T}3.00" "float${T}3.000000" "modified${T}0"
check --type money --precision 2 --ds , --ts . float=1234.5 -- -- \
  "float=1234.5${T}1.234,50${T}8${T}0" "value${T}1.234,50" "float${T}1234.500000" "modified${T}1"
check --type hex int=255 -- -- "int=255${T}FF${T}2${T}0" "value${T}FF" "float${T}255.000000" "modified${T}1"
check --length-limit 3 --type float plain=123.4 caret=1 type=9 -- -- \
  "plain=123.4${T}123.4${T}5${T}0" "caret=1${T}123.4${T}1${T}0" "type=9${T}123.4${T}1${T}0" \
  "value${T}123.4" "float${T}123.400000" "modified${T}1"
check set=abc select=1,2 key=Delete -- -- \
  "set=abc${T}abc${T}3${T}0" "select=1,2${T}abc${T}1${T}2" "key=Delete${T}a${T}1${T}0" \
  "value${T}a" "float${T}0.000000" "modified${T}1"

refuse
refuse --bogus set=1
refuse --type nothing set=1
refuse --ds ab set=1
refuse --precision x set=1
refuse wrong=1
refuse key=Bogus
refuse caret=x

finish
