#!/usr/bin/env bash
# cfgtool grid-run: scripts of grid operations and the exact output the
# checks outside the suite read; exit codes 0, 1 (a line raised) and 2 (a
# malformed script). Usage: grid_run_test.sh CFGTOOL
set -uo pipefail
CFGTOOL=$1
failures=0

# run NAME EXPECTED_CODE SCRIPT EXPECTED_OUTPUT
run() {
  local name=$1 code=$2 script=$3 expected=$4 out rc
  out=$(printf '%s' "$script" | "$CFGTOOL" grid-run - 2>/dev/null)
  rc=$?
  if [ "$rc" != "$code" ] || [ "$out" != "$expected" ]; then
    echo "FAIL $name: exit $rc (wanted $code)"
    diff <(printf '%s\n' "$expected") <(printf '%s\n' "$out")
    failures=$((failures + 1))
  fi
}

T=$'\t'

run hidden-column-and-row 0 'new 4 4 1 1
# comment and blank line are skipped

cell 1 1 B
cell 2 1 hidden text
cell 1 2 C
rowheight 2 30
hidecols 2 2
hiderows 2 2
dump
dumpall
unhiderows 2 2
unhidecolsall
dump
' "grid cols=3 hiddencols=1 rows=3 hiddenrows=1 fixedcols=1 fixedrows=1
widths 64 64 64
realcols 0 1 3
realrows 0 1 3
row 0 22${T}${T}${T}
row 1 22${T}${T}B${T}
row 2 22${T}${T}${T}
all 0${T}${T}${T}${T}
all 1${T}${T}B${T}hidden text${T}
all 2${T}${T}C${T}${T}
all 3${T}${T}${T}${T}
grid cols=4 hiddencols=0 rows=4 hiddenrows=0 fixedcols=1 fixedrows=1
widths 64 64 64 64
realcols 0 1 2 3
realrows 0 1 2 3
row 0 22${T}${T}${T}${T}
row 1 22${T}${T}B${T}hidden text${T}
row 2 30${T}${T}C${T}${T}
row 3 22${T}${T}${T}${T}"

run row-list-levels 0 'new 2 6 1 0
cell 1 0 A
cell 1 1 B
cell 1 2 C
cell 1 3 D
cell 1 4 E
cell 1 5 F
hiderowlist 2,4
hiderowlist 0,3
dump
unhiderowlist
unhiderowlist
dump
' "grid cols=2 hiddencols=0 rows=2 hiddenrows=4 fixedcols=1 fixedrows=0
widths 64 64
realcols 0 1
realrows 1 5
row 0 22${T}${T}B
row 1 22${T}${T}D
grid cols=2 hiddencols=0 rows=6 hiddenrows=0 fixedcols=1 fixedrows=0
widths 64 64
realcols 0 1
realrows 0 1 2 3 4 5
row 0 22${T}${T}A
row 1 22${T}${T}B
row 2 22${T}${T}C
row 3 22${T}${T}D
row 4 22${T}${T}E
row 5 22${T}${T}F"

run moves-and-rows 0 'new 2 6 0 0
cell 0 0 a
cell 0 1 b
cell 0 2 c
cell 0 3 d
cell 0 4 e
cell 0 5 f
moverows 4 1 2
insertrows 0 1
removerows 6 1
moverow 1 0
movecolumn 0 1
dump
' "grid cols=2 hiddencols=0 rows=6 hiddenrows=0 fixedcols=0 fixedrows=0
widths 64 64
realcols 0 1
realrows 0 1 2 3 4 5
row 0 22${T}${T}a
row 1 22${T}${T}
row 2 22${T}${T}e
row 3 22${T}${T}f
row 4 22${T}${T}b
row 5 22${T}${T}c"

# A grid exception prints its message and the script goes on.
run grid-error 1 'new 3 3 1 1
cell 5 5 x
allcell 1 1 y
dumpall
' "error: Grid index out of range
all 0${T}${T}${T}
all 1${T}${T}y${T}
all 2${T}${T}${T}"

# Malformed scripts stop with exit code 2 and nothing after the line runs.
run unknown-command 2 'dump
bogus 1
dump
' "grid cols=5 hiddencols=0 rows=10 hiddenrows=0 fixedcols=1 fixedrows=1
widths 64 64 64 64 64
realcols 0 1 2 3 4
realrows 0 1 2 3 4 5 6 7 8 9
row 0 22${T}${T}${T}${T}${T}
row 1 22${T}${T}${T}${T}${T}
row 2 22${T}${T}${T}${T}${T}
row 3 22${T}${T}${T}${T}${T}
row 4 22${T}${T}${T}${T}${T}
row 5 22${T}${T}${T}${T}${T}
row 6 22${T}${T}${T}${T}${T}
row 7 22${T}${T}${T}${T}${T}
row 8 22${T}${T}${T}${T}${T}
row 9 22${T}${T}${T}${T}${T}"
run missing-number 2 'hidecols 1
dump
' ""
run not-a-number 2 'colwidth 1 x
' ""
run extra-argument 2 'unhidecolsall 3
' ""
run bad-list 2 'hiderowlist 1,,2
' ""
run look-by-name 0 'look glOffice2007
look glCustom
' ""
run unknown-look 2 'look glPurple
' ""

# The message on standard error names the line.
err=$(printf 'dump\n\nbogus\n' | "$CFGTOOL" grid-run - 2>&1 >/dev/null)
case "$err" in
  *"line 3"*) ;;
  *) echo "FAIL message without the line: $err"; failures=$((failures + 1)) ;;
esac
"$CFGTOOL" grid-run /nonexistent/script >/dev/null 2>&1
if [ $? != 2 ]; then echo "FAIL unreadable file"; failures=$((failures + 1)); fi

if [ "$failures" != 0 ]; then
  echo "$failures failures"
  exit 1
fi
echo "grid-run: all checks passed"
