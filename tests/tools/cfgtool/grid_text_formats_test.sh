#!/usr/bin/env bash
# cfgtool grid-export and grid-import with the grid's text files: the own
# cell list (text), the text stream, aligned text, CSV and fixed width,
# each once with its options, and an import failure.
# Usage: grid_text_formats_test.sh CFGTOOL
set -uo pipefail
CFGTOOL=$1
source "$(dirname "$0")/grid_file_checks.sh"

# bytes NAME FILE PRINTF_FORMAT: the file holds exactly these bytes.
bytes() {
  if ! cmp -s <(printf "$3") "$2"; then
    echo "FAIL $1: bytes differ"
    od -c "$2" | head -5
    failures=$((failures + 1))
  fi
}

S="$WORK/source"
printf 'new 2 2 0 0\ncelltext 0 0 a\\r\\nb\ncelltext 1 1 x\n' >"$S"
LISTING='new 2 2 0 0
colwidth 0 64
colwidth 1 64
rowheight 0 22
rowheight 1 22
celltext 0 0 a
celltext 1 1 x'

check export-text 0 '' "$CFGTOOL" grid-export text "$S" "$WORK/own.txt"
bytes text-bytes "$WORK/own.txt" '2,2\r\ncw 0,64\r\ncw 1,64\r\n0,0,a\t\bb\r\n1,1,x\r\n'
check import-text 0 "$LISTING" "$CFGTOOL" grid-import text "$WORK/own.txt"
check export-text-unicode 0 '' "$CFGTOOL" grid-export text "$S" "$WORK/wide.txt" --unicode
bytes text-unicode-mark <(head -c 4 "$WORK/wide.txt") '\377\3762\0'

check export-stream 0 '' "$CFGTOOL" grid-export stream "$S" "$WORK/cells.stream"
bytes stream-start <(head -c 6 "$WORK/cells.stream") '2\0,\0002\0'
check import-stream 0 "$LISTING" "$CFGTOOL" grid-import stream "$WORK/cells.stream"

check export-ascii 0 '' "$CFGTOOL" grid-export ascii "$S" "$WORK/table.txt"
check append-ascii 0 '' "$CFGTOOL" grid-export ascii "$S" "$WORK/table.txt" --append
bytes ascii-bytes "$WORK/table.txt" 'a   \r\n  x \r\na   \r\n  x \r\n'

check export-csv 0 '' "$CFGTOOL" grid-export csv "$S" "$WORK/table.csv"
bytes csv-bytes "$WORK/table.csv" '"a\013b",""\r\n"",x\r\n'
check import-csv-insert 0 'new 2 4 0 0
colwidth 0 64
colwidth 1 64
rowheight 0 22
rowheight 1 22
rowheight 2 22
rowheight 3 22
celltext 0 0 a\r\nb
celltext 1 1 x
celltext 0 2 a\r\nb
celltext 1 3 x' "$CFGTOOL" grid-import csv "$WORK/table.csv" "$S" --insert
check import-csv-max-rows 0 'new 2 1 0 0
colwidth 0 64
colwidth 1 64
rowheight 0 22
celltext 0 0 a\r\nb' "$CFGTOOL" grid-import csv "$WORK/table.csv" --max-rows 1
check export-csv-unicode 0 '' "$CFGTOOL" grid-export csv "$S" "$WORK/wide.csv" --unicode --append
bytes csv-unicode-mark <(head -c 4 "$WORK/wide.csv") '\357\273\277"'

check export-fixed 0 '' "$CFGTOOL" grid-export fixed "$S" "$WORK/fixed.txt" --widths 3
bytes fixed-bytes "$WORK/fixed.txt" 'a    \r\n   x \r\n'
check import-fixed 0 'new 2 1 0 0
colwidth 0 64
colwidth 1 64
rowheight 0 22
celltext 0 0 a' "$CFGTOOL" grid-import fixed "$WORK/fixed.txt" --positions 1,4,6 --trim --max-rows 1

check import-failure 1 "error: File $WORK/none.txt not found
new 1 1 0 0
colwidth 0 64
rowheight 0 22" "$CFGTOOL" grid-import fixed "$WORK/none.txt" --positions 1,2
check ascii-has-no-import 2 '' "$CFGTOOL" grid-import ascii "$WORK/table.txt"

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "all grid text format checks passed"
