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

# Check boxes of each kind: states, toggles with their events, check texts.
run check-boxes 0 'new 3 4 1 1
cell 1 1 abc
checkbox 1 1 1 1
cell 1 2 N
checkbox 1 2 1 1
checkbox 2 1 0 0
tristate 2 2 2
getcheck 1 1
getcheck 1 2
getcheck 2 1
getcheck 2 2
getcheck 0 1
toggle 1 1
toggle 2 1
toggle 2 2
toggle 2 2
setcheck 1 2 1
getcheck 1 2
checktexts 1 0
toggle 1 2
dump
' "check 1 1 1
check 1 2 0
check 2 1 0
check 2 2 2
check 0 1 none
event checkboxchange 1 1 0
event checkboxchange 2 1 1
event checkboxchange 2 2 0
event checkboxchange 2 2 0
check 1 2 1
event checkboxchange 1 2 1
grid cols=3 hiddencols=0 rows=4 hiddenrows=0 fixedcols=1 fixedrows=1
widths 64 64 64
realcols 0 1 2
realrows 0 1 2 3
row 0 22${T}${T}${T}
row 1 22${T}${T}N${T}
row 2 22${T}${T}1${T}
row 3 22${T}${T}${T}"

# A hidden row's box is reached by its real row.
run check-hidden-row 0 'new 3 5 1 1
checkcolumn 2 0 1
hiderows 2 2
setcheck 2 2 1
getcheck 2 2
getcheck 2 3
unhiderows 2 2
dump
' "check 2 2 1
check 2 3 0
grid cols=3 hiddencols=0 rows=5 hiddenrows=0 fixedcols=1 fixedrows=1
widths 64 64 64
realcols 0 1 2
realrows 0 1 2 3 4
row 0 22${T}${T}${T}
row 1 22${T}${T}${T}N
row 2 22${T}${T}${T}Y
row 3 22${T}${T}${T}N
row 4 22${T}${T}${T}N"

# Column states as text and the column sizes in an INI file.
ini_dir=$(mktemp -d)
trap 'rm -rf "$ini_dir"' EXIT
run column-states 0 "new 3 2 0 0
colwidth 1 80
colwidth 2 120
colstates
colsize $ini_dir/cols.ini Grid
savecolsizes
colwidth 1 10
loadcolsizes
colstates
setcolstates 3#20,30,40#0,1,2#1,0,1
colstates
" "colstates 3#64,80,120#0,1,2#1,1,1
colstates 3#64,80,120#0,1,2#1,1,1
colstates 3#20,30,64#0,1,2#1,0,1"
if ! grep -q '^Col1=80' "$ini_dir/cols.ini" 2>/dev/null; then
  echo "FAIL column-states: no Col1=80 in the INI file"
  failures=$((failures + 1))
fi

# A selection beyond the rows is refused with the grid's message.
run select-range 1 'new 4 4 1 1
selectrange 1 1 2 2
selectrange 1 1 2 9
' "error: Grid index out of range"

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
run nodes 0 'new 2 7 0 1
node 1 5
node 2 3
contract 2
nodes
contract 1
nodes
expand 1
nodes
contractall
nodes
expandall
nodes
' "node 1 span=5 level=1 contracted=0
node 2 span=3 level=2 contracted=1
node 1 span=5 level=1 contracted=1
node 1 span=5 level=1 contracted=0
node 2 span=3 level=2 contracted=0
node 1 span=5 level=1 contracted=1
node 1 span=5 level=1 contracted=0
node 2 span=3 level=2 contracted=0"

run fills 1 'new 4 4 1 1
footers 1
rightcols 1
linearfill 0
formatfill 1 %s
textfill 0 t
dump
formatfill 1 (%d.%d)
dump
' "error: Format '%s' invalid or incompatible with argument
grid cols=4 hiddencols=0 rows=4 hiddenrows=0 fixedcols=1 fixedrows=1
widths 64 64 64 64
realcols 0 1 2 3
realrows 0 1 2 3
row 0 22${T}${T}${T}${T}
row 1 22${T}${T}t${T}t${T}
row 2 22${T}${T}t${T}t${T}
row 3 22${T}${T}${T}${T}
grid cols=4 hiddencols=0 rows=4 hiddenrows=0 fixedcols=1 fixedrows=1
widths 64 64 64 64
realcols 0 1 2 3
realrows 0 1 2 3
row 0 22${T}(0.0)${T}(1.0)${T}(2.0)${T}(3.0)
row 1 22${T}(0.1)${T}(1.1)${T}(2.1)${T}(3.1)
row 2 22${T}(0.2)${T}(1.2)${T}(2.2)${T}(3.2)
row 3 22${T}(0.3)${T}(1.3)${T}(2.3)${T}(3.3)"

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

# Painting: an own colour (decimal or "$" hexadecimal), the mixer, and the
# client area written as a PNG of the grid's size.
png=$(mktemp --suffix=.png)
run render 0 "new 3 3 1 1
color 1 1 255
color 2 2 \$00FF00
mixer 1 50
render $png
" ""
if [ "$(head -c 8 "$png" | od -An -tx1 | tr -d ' \n')" != "89504e470d0a1a0a" ]; then
  echo "FAIL render: $png is no PNG"
  failures=$((failures + 1))
fi
rm -f "$png"
# A progress bar changes the picture of its cell.
plain=$(mktemp --suffix=.png)
bar=$(mktemp --suffix=.png)
run render-plain 0 "new 3 3 1 1
cell 1 1 60
render $plain
" ""
run render-progress 0 "new 3 3 1 1
cell 1 1 60
progress 1 1 \$FF0000 \$FFFFFF
render $bar
" ""
if cmp -s "$plain" "$bar"; then
  echo "FAIL progress: the cell looks the same without and with its bar"
  failures=$((failures + 1))
fi
rm -f "$plain" "$bar"
run bad-progress 2 'progress 1 1 $FF0000
' ""
run bad-colour 2 'color 1 1 $xyz
' ""
run unwritable-render 1 'render /nonexistent-dir/grid.png
' "error: cannot write /nonexistent-dir/grid.png"

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
