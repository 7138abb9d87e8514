#!/usr/bin/env bash
# cfgtool nmea-map: the 39 sentences in index order with their offered flag
# and data fields, tab-separated; exit codes 0 and 2. Usage: nmea_map_test.sh CFGTOOL
set -uo pipefail
CFGTOOL=$1
failures=0
T=$'\t'
fail() { echo "FAIL $*"; failures=$((failures + 1)); }

out=$("$CFGTOOL" nmea-map)
rc=$?
[ "$rc" = 0 ] || fail "exit $rc (wanted 0)"
[ "$(printf '%s\n' "$out" | wc -l)" = 39 ] || fail "not 39 lines"

# Index, name and flag on every line, the indices 1 to 39 in order, the
# fields as name and dimension pairs.
n=0
while IFS=$'\t' read -r -a f; do
  n=$((n + 1))
  [ "${f[0]}" = "$n" ] || fail "line $n starts with ${f[0]}"
  [[ "${f[2]}" =~ ^[YN]$ ]] || fail "line $n flag ${f[2]}"
  [ $(( ${#f[@]} % 2 )) = 1 ] || fail "line $n: fields are not name/dimension pairs"
  for ((k = 4; k < ${#f[@]}; k += 2)); do
    [[ "${f[k]}" =~ ^[1-9][0-9]*$ ]] || fail "line $n dimension ${f[k]}"
  done
done <<< "$out"

line() { printf '%s\n' "$out" | sed -n "${1}p"; }
[ "$(line 19)" = "19${T}RMB${T}N" ] || fail "RMB: $(line 19)"
[ "$(line 35)" = "35${T}\$PJELA${T}Y${T}Value${T}4" ] || fail "\$PJELA: $(line 35)"
[ "$(line 10)" = "10${T}GSV${T}Y${T}Total Messages${T}1${T}Message Number${T}1${T}Satellites in View${T}1${T}Satellite Number${T}1${T}Elevation${T}1${T}Azimuth${T}2${T}SNR${T}1" ] ||
  fail "GSV: $(line 10)"
[ "$(line 1)" = "1${T}ZDA${T}Y${T}UTC Time${T}4${T}Day${T}1${T}Month${T}1${T}Year${T}2${T}Local Zone Hours${T}1${T}Local Zone Minutes${T}1" ] ||
  fail "ZDA: $(line 1)"
[ "$(printf '%s\n' "$out" | cut -f3 | grep -c Y)" = 25 ] || fail "not 25 offered"

"$CFGTOOL" nmea-map extra >/dev/null 2>&1
rc=$?
[ "$rc" = 2 ] || fail "with an argument: exit $rc (wanted 2)"

[ "$failures" = 0 ] && echo "all nmea-map checks passed"
exit $((failures > 0))
