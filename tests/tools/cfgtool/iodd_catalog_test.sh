#!/usr/bin/env bash
# cfgtool iodd-catalog: the catalog window's rows for a program folder, its
# exit codes 0 and 2. Usage: iodd_catalog_test.sh CFGTOOL
set -uo pipefail
CFGTOOL=$1
FIXTURES=$(cd "$(dirname "$0")/../../fixtures/iolink/catalog" && pwd)
failures=0
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
T=$'\t'

# expect NAME EXPECTED_CODE EXPECTED_STDOUT -- ARGS...
expect() {
  local name=$1 code=$2 expected=$3 out rc
  shift 4
  out=$("$CFGTOOL" iodd-catalog "$@" 2>"$dir/stderr")
  rc=$?
  if [ "$rc" != "$code" ] || [ "$out" != "$expected" ]; then
    echo "FAIL $name: exit $rc (wanted $code)"
    diff <(printf '%s\n' "$expected") <(printf '%s\n' "$out")
    cat "$dir/stderr"
    failures=$((failures + 1))
  fi
}

# A program folder without a catalog yet: the one empty row.
mkdir "$dir/empty"
expect empty 0 "${T}${T}" -- --exe "$dir/empty"

# Plain "*.xml" files in any letter case, in name order ignoring case; a file
# that is no description keeps its row with empty names.
exe="$dir/exe"
mkdir -p "$exe/IODD_Catalog/sub.xml"
cp "$FIXTURES/Fixture-Valve-IODD1.1.xml" "$exe/IODD_Catalog/valve-b.XML"
cp "$FIXTURES/Fixture-Valve-IODD1.1.xml" "$exe/IODD_Catalog/Valve-a.xml"
cp "$FIXTURES/Fixture-Switch-IODD1.1.xml" "$exe/IODD_Catalog/"
cp "$FIXTURES/Broken-IODD1.1.xml" "$exe/IODD_Catalog/"
echo "not a description" > "$exe/IODD_Catalog/readme.txt"
expect listing 0 "${T}${T}Broken-IODD1.1.xml
Fixture Switches${T}Fixture Switch${T}Fixture-Switch-IODD1.1.xml
Fixture Valves${T}Fixture Valve${T}Valve-a.xml
Fixture Valves${T}Fixture Valve${T}valve-b.XML" -- --exe "$exe"

# Listing changes nothing in the folder.
before=$(cd "$exe" && find . | sort)
expect again 0 "$("$CFGTOOL" iodd-catalog --exe "$exe" 2>/dev/null)" -- --exe "$exe"
[ "$before" = "$(cd "$exe" && find . | sort)" ] || { echo "FAIL the listing changed the program folder"; failures=$((failures + 1)); }

expect no-folder 2 "" -- --exe "$dir/none"
grep -qF "no such program folder" "$dir/stderr" || { echo "FAIL no-folder: stderr"; failures=$((failures + 1)); }
expect unknown-option 2 "" -- --all
expect exe-without-dir 2 "" -- --exe
expect positional 2 "" -- "$exe"

if [ "$failures" -ne 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "iodd-catalog: all passed"
