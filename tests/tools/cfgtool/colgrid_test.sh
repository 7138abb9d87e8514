#!/usr/bin/env bash
# cfgtool colgrid: the column stream's first bytes, the saved positions and
# the exact --dump lines; exit codes 0, 1 (a step failed, the later steps
# still ran) and 2 (wrong arguments, a bad settings line). Usage: colgrid_test.sh CFGTOOL
set -uo pipefail
CFGTOOL=$1
failures=0
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
T=$'\t'

# expect NAME EXPECTED_CODE EXPECTED_STDOUT -- ARGS...
expect() {
  local name=$1 code=$2 expected=$3 out rc
  shift 4
  out=$("$CFGTOOL" colgrid "$@" 2>"$dir/stderr")
  rc=$?
  if [ "$rc" != "$code" ] || [ "$out" != "$expected" ]; then
    echo "FAIL $name: exit $rc (wanted $code)"
    diff <(printf '%s\n' "$expected") <(printf '%s\n' "$out")
    cat "$dir/stderr"
    failures=$((failures + 1))
  fi
}

# stderr_has NAME TEXT: the last run's standard error holds TEXT.
stderr_has() {
  if ! grep -qF -- "$2" "$dir/stderr"; then
    echo "FAIL $1: stderr lacks \"$2\":"
    cat "$dir/stderr"
    failures=$((failures + 1))
  fi
}

cat > "$dir/abc.cols" <<'COLS'
# three columns with headers
ColCount=3
FixedCols=0

0.Header=A
1.Header=B
2.Header=C
COLS

expect move-and-save 0 "ColCount=3
Count=3
Row0=B${T}C${T}A
DefIdx=1,2,0" -- "$dir/abc.cols" --save-positions "$dir/pos.ini" Grid --move 0 2 --dump
for entry in CP0=1 CP1=2 CP2=0; do
  tr -d '\r' < "$dir/pos.ini" | grep -qx "$entry" || { echo "FAIL positions: no $entry"; cat "$dir/pos.ini"; failures=$((failures + 1)); }
done
expect load-positions 0 "ColCount=3
Count=3
Row0=B${T}C${T}A
DefIdx=1,2,0" -- "$dir/abc.cols" --load-positions "$dir/pos.ini" Grid --dump
printf '[Grid]\nCP0=1\nCP1=1\nCP2=0\n' > "$dir/dup.ini"
expect duplicate-positions-change-nothing 0 "ColCount=3
Count=3
Row0=A${T}B${T}C
DefIdx=0,1,2" -- "$dir/abc.cols" --load-positions "$dir/dup.ini" Grid --dump

# The stream of a default grid: signature, class, empty name, Items as a
# collection, the first item's first property; four zero bytes at the end.
expect default-stream 0 "" -- - --save-stream "$dir/default.dfm"
want=54504630$(printf '\x0fTExColumnGridIO\x00\x05Items\x0e\x01\x0bAutoMinSize' | od -An -tx1 | tr -d ' \n')
head=$(head -c $((${#want} / 2)) "$dir/default.dfm" | od -An -tx1 | tr -d ' \n')
[ "$head" = "$want" ] || { echo "FAIL default-stream head: $head"; failures=$((failures + 1)); }
tail4=$(tail -c 4 "$dir/default.dfm" | od -An -tx1 | tr -d ' \n')
[ "$tail4" = 00000000 ] || { echo "FAIL default-stream tail: $tail4"; failures=$((failures + 1)); }

# A stream of the moved three columns loads into a default grid.
expect save-moved-stream 0 "" -- "$dir/abc.cols" --move 0 2 --save-stream "$dir/abc.dfm"
expect load-stream 0 "ColCount=3
Count=3
Row0=B${T}C${T}A
DefIdx=0,0,0" -- - --load-stream "$dir/abc.dfm" --dump

# A broken stream is one failed step; the grid stays and --dump still runs.
head -c 60 "$dir/abc.dfm" > "$dir/cut.dfm"
expect cut-stream 1 "ColCount=5
Count=5
Row0=${T}${T}${T}${T}
DefIdx=0,1,2,3,4" -- - --load-stream "$dir/cut.dfm" --dump
stderr_has cut-stream "error: $dir/cut.dfm:"
expect missing-stream 1 "" -- - --load-stream "$dir/none.dfm"
stderr_has missing-stream "none.dfm"
expect bad-move 1 "ColCount=3
Count=3
Row0=A${T}B${T}C
DefIdx=0,1,2" -- "$dir/abc.cols" --move 0 7 --dump

# Bad settings lines and arguments: exit 2 before anything runs.
printf 'ColCount=3\n0.Colour=clRed\n' > "$dir/bad.cols"
expect bad-line-key 2 "" -- "$dir/bad.cols" --save-stream "$dir/never.dfm"
stderr_has bad-line-key "error: SPEC line 2:"
[ ! -e "$dir/never.dfm" ] || { echo "FAIL bad-line-key wrote a stream"; failures=$((failures + 1)); }
printf '1.Font.Style=[fsBold,fsNone]\n' > "$dir/bad2.cols"
expect bad-line-value 2 "" -- "$dir/bad2.cols" --dump
stderr_has bad-line-value "error: SPEC line 1:"
printf 'ColCount\n' > "$dir/bad3.cols"
expect bad-line-line 2 "" -- "$dir/bad3.cols" --dump
expect no-settings 2 "" -- --dump
expect bad-option 2 "" -- - --bogus
expect move-without-target 2 "" -- - --move 1
expect move-not-a-number 2 "" -- - --move a 1

# Item properties of every kind from the settings file travel through the stream.
cat > "$dir/kinds.cols" <<'COLS'
ColCount=4
1.Header=Tab\there
1.Color=clYellow
1.Font.Style=[fsBold,fsItalic]
1.BorderPen.Color=$00112233
1.ReadOnly=True
1.Editor=edComboList
1.ComboItems.Add=one
1.ComboItems.Add=two
1.Width=77
COLS
expect kinds-save 0 "" -- "$dir/kinds.cols" --save-stream "$dir/kinds.dfm"
expect kinds-load 0 "" -- - --load-stream "$dir/kinds.dfm" --save-stream "$dir/kinds2.dfm"
cmp -s "$dir/kinds.dfm" "$dir/kinds2.dfm" || { echo "FAIL kinds: stream changed on the round trip"; failures=$((failures + 1)); }
grep -qaF "Tab${T}here" "$dir/kinds.dfm" || { echo "FAIL kinds: the escaped tab did not reach the header"; failures=$((failures + 1)); }

if [ "$failures" -ne 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "all colgrid checks passed"
