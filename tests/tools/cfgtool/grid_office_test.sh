#!/usr/bin/env bash
# cfgtool grid-export/grid-import xlsx, grid-export docx and grid-import mdb:
# a workbook written and read back, a document holding the table, a missing
# Access file refused, and the published Access file read when present.
# Usage: grid_office_test.sh CFGTOOL
set -uo pipefail
CFGTOOL=$1
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
failures=0
fail() { echo "FAIL $1"; failures=$((failures + 1)); }

printf 'new 2 2 0 0\ncell 0 0 007\ncell 1 1 b\n' > "$WORK/s.txt"

"$CFGTOOL" grid-export xlsx "$WORK/s.txt" "$WORK/o.xlsx" 2>/dev/null || fail "xlsx export"
out=$("$CFGTOOL" grid-import xlsx "$WORK/o.xlsx" 2>/dev/null) || fail "xlsx import"
grep -qx 'celltext 0 0 007' <<<"$out" || fail "xlsx keeps 007 as text"
grep -qx 'celltext 1 1 b' <<<"$out" || fail "xlsx cell B2"
"$CFGTOOL" grid-export xlsx "$WORK/s.txt" "$WORK/o.xlsx" --sheet Extra 2>/dev/null || fail "xlsx sheet export"
out=$("$CFGTOOL" grid-import xlsx "$WORK/o.xlsx" --sheet Extra 2>/dev/null) || fail "xlsx sheet import"
grep -qx 'celltext 1 1 b' <<<"$out" || fail "xlsx named sheet"
"$CFGTOOL" grid-import xlsx "$WORK/o.xlsx" --sheet Nowhere >"$WORK/err" 2>&1 && fail "unknown sheet accepted"
grep -q 'Excel worksheet Nowhere not found' "$WORK/err" || fail "unknown sheet message"

"$CFGTOOL" grid-export docx "$WORK/s.txt" "$WORK/o.docx" 2>/dev/null || fail "docx export"
unzip -p "$WORK/o.docx" word/document.xml | grep -q '<w:tbl>.*007.*</w:tbl>' || fail "docx table"
"$CFGTOOL" grid-export docx "$WORK/s.txt" "$WORK/o.docx" --append 2>/dev/null || fail "docx append"
[ "$(unzip -p "$WORK/o.docx" word/document.xml | grep -o '<w:tbl>' | wc -l)" = 2 ] || fail "docx appended table"

"$CFGTOOL" grid-import mdb "$WORK/none.mdb" --table T >"$WORK/err" 2>&1 && fail "missing mdb accepted"
grep -q 'none.mdb' "$WORK/err" || fail "missing mdb message"
MDB="$(dirname "$0")/../../../../shared/data/mdb/nwind.mdb"
if [ -f "$MDB" ]; then
  out=$("$CFGTOOL" grid-import mdb "$MDB" --table Shippers 2>/dev/null) || fail "mdb import"
  grep -qx 'celltext 1 0 Speedy Express' <<<"$out" || fail "mdb values"
else
  echo "published Access file absent: mdb import skipped"
fi

[ "$failures" -eq 0 ] && echo "grid office: all passed"
exit $((failures > 0))
