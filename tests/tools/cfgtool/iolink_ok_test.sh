#!/usr/bin/env bash
# cfgtool iolink-ok: the IO-Link window's boxes and port rows for a
# configuration, OK writing the file or refusing, and the exit codes.
# Usage: iolink_ok_test.sh CFGTOOL
set -uo pipefail
CFGTOOL=$1
FIXTURES=$(cd "$(dirname "$0")/../../fixtures/iolink" && pwd)
VALVE=Fixture-Valve-IODD1.1.xml
failures=0
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
T=$'\t'

fail() {
  echo "FAIL $1"
  failures=$((failures + 1))
}

# expect NAME EXPECTED_CODE EXPECTED_STDOUT -- ARGS...
expect() {
  local name=$1 code=$2 expected=$3 out rc
  shift 4
  out=$("$CFGTOOL" iolink-ok "$@" 2>"$dir/stderr")
  rc=$?
  if [ "$rc" != "$code" ] || [ "$out" != "$expected" ]; then
    fail "$name: exit $rc (wanted $code)"
    diff <(printf '%s\n' "$expected") <(printf '%s\n' "$out")
    cat "$dir/stderr"
  fi
}

exe="$dir/exe"
mkdir -p "$exe/IOLink_StaDef" "$exe/IODD_Catalog"
cp "$FIXTURES/stadef/"*.xml "$exe/IOLink_StaDef/"

# project NAME VARIANT [CONFIGURATION]: a configuration folder of its own.
project() {
  local p="$dir/$1"
  mkdir -p "$p/IODD"
  cp "$FIXTURES/catalog/$VALVE" "$p/IODD/"
  printf '<ParGen><IOLink_SelectDevice>%s</IOLink_SelectDevice></ParGen>' "$2" >"$p/ParGen.xml"
  if [ $# -gt 2 ]; then
    printf '<IO-Link><IO-Link_Channels>%s</IO-Link_Channels></IO-Link>' "$3" >"$p/IOLink_SetAccess.xml"
  fi
  echo "$p"
}
port() { # FILE MODE TIMEOUT [ITEMS]
  printf '<Channel><IODD_File FileName="%s" Pin4Mode="%s" ReadPin2="N" TimeOut="%s"/>%s</Channel>' "$1" "$2" "$3" "${4:-}"
}
empty_row() { printf 'Channel #0%s%sDisable%sN%s%s%s%s' "$1" "$T" "$T" "$T" "$T" "$T" "$T"; }

# No file yet: four unconfigured ports, OK writes four channels.
p=$(project fresh GV52303-A1-2A-2B)
expect fresh 0 "$(empty_row 1)
$(empty_row 2)
$(empty_row 3)
$(empty_row 4)
written: $p/IOLink_SetAccess.xml" -- "$p" --exe "$exe"
[ "$(grep -o '<Channel>' "$p/IOLink_SetAccess.xml" | wc -l)" = 4 ] || fail "fresh: four channels written"

# A port in IO-Link mode without a description: the check's error, nothing
# written.
p=$(project refused GV52303-A1-2A "$(port "" IO-Link 7)$(port "" Disable "")")
before=$(cat "$p/IOLink_SetAccess.xml")
expect refused 1 "Channel #01${T}IO-Link${T}N${T}${T}${T}${T}7
$(empty_row 2)
error: Error in Channel #01!! Must Select an IODD file for use this channel" -- "$p" --exe "$exe"
[ "$before" = "$(cat "$p/IOLink_SetAccess.xml")" ] || fail "refused: the file changed"

# The position advice warns and the check goes on; the description's names
# fill the row.
var='<Variables><Variable Enable="True" Index="64" SubIndex="" Value="5" Position="100"/></Variables>'
p=$(project advice GV52303-A1-2A "$(port "$VALVE" IO-Link 30 "$var")")
expect advice 0 "Channel #01${T}IO-Link${T}N${T}Fixture Valves${T}Fixture Valve${T}${VALVE}${T}30
$(empty_row 2)
warning: Warning in Channel #01!! Position of Variable Index 64 and SubIndex  must be a valid value, should be major of 512
written: $p/IOLink_SetAccess.xml" -- "$p" --exe "$exe"
grep -q 'Position="100"' "$p/IOLink_SetAccess.xml" || fail "advice: the variable's position not written"

# An unreadable file: its error while the window opens, the ports
# unconfigured, and OK refuses to replace it.
p=$(project unreadable GV52303-A1-2A)
printf '<IO-Link><IO-Link_Channels>' >"$p/IOLink_SetAccess.xml"
out=$("$CFGTOOL" iolink-ok "$p" --exe "$exe" 2>"$dir/stderr")
rc=$?
[ "$rc" = 1 ] || fail "unreadable: exit $rc"
[ "$(printf '%s\n' "$out" | sed -n 1p | cut -c1-7)" = "error: " ] || fail "unreadable: no error first: $out"
[ "$(printf '%s\n' "$out" | sed -n 2,3p)" = "$(empty_row 1)
$(empty_row 2)" ] || fail "unreadable: rows: $out"
[ "$(printf '%s\n' "$out" | sed -n 4p | cut -c1-7)" = "error: " ] || fail "unreadable: OK not refused: $out"
[ "$(cat "$p/IOLink_SetAccess.xml")" = "<IO-Link><IO-Link_Channels>" ] || fail "unreadable: the file was replaced"

# An unknown variant: eight ports, after the warning the core gives.
p=$(project unknown Unknown-Variant)
out=$("$CFGTOOL" iolink-ok "$p" --exe "$exe" 2>/dev/null)
[ "$(printf '%s\n' "$out" | sed -n 1p | cut -c1-9)" = "warning: " ] || fail "unknown: no warning: $out"
[ "$(printf '%s\n' "$out" | grep -c '^Channel #0')" = 8 ] || fail "unknown: not eight rows: $out"

expect no-project 1 "" -- "$dir/none" --exe "$exe"
expect no-arguments 2 ""
expect two-projects 2 "" -- "$p" "$p"
expect unknown-option 2 "" -- "$p" --all

if [ "$failures" -ne 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "iolink-ok: all passed"
