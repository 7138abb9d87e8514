#!/usr/bin/env bash
# cfgtool eds-gen: the file it writes for a project and a fixed time, the
# refusal of a damaged table file (target left as it was) and wrong
# arguments. Usage: eds_gen_test.sh CFGTOOL
set -uo pipefail
CFGTOOL=$1
fixtures="$(cd "$(dirname "$0")/../../fixtures/eds" && pwd)"
failures=0
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
mkdir -p "$dir/exe" "$dir/Demo"
project="$dir/Demo"
out="$dir/gateway.eds"

fail() {
  echo "FAIL $1"
  failures=$((failures + 1))
}

# run NAME EXPECTED_CODE ARGS...: runs eds-gen, keeps stdout and stderr.
run() {
  local name=$1 code=$2 rc
  shift 2
  "$CFGTOOL" eds-gen "$@" >"$dir/stdout" 2>"$dir/stderr"
  rc=$?
  [ "$rc" = "$code" ] || { fail "$name: exit $rc (wanted $code)"; cat "$dir/stdout" "$dir/stderr"; }
}

run no-tables 0 "$project" "$out" --exe "$dir/exe" --now 2026-12-08T12:30
[ "$(cat "$dir/stdout")" = "written: $out" ] || fail "no-tables: stdout $(cat "$dir/stdout")"
# The hand-written file with CR LF after every line.
cmp -s "$out" <(sed 's/$/\r/' "$fixtures/no_tables.eds") || fail "no-tables: file differs"
# A relative OUT_FILE is printed as given.
rel=$( cd "$dir" && "$CFGTOOL" eds-gen "$project" rel.eds --exe "$dir/exe" --now 2026-12-08T12:30 )
[ "$rel" = "written: rel.eds" ] && [ -f "$dir/rel.eds" ] || fail "relative: stdout $rel"

printf '%s' '<PDO_CANopen><Receive_PDO><row COB-ID="0x201" Dimension="2"/></Receive_PDO><Transmit_PDO/></PDO_CANopen>' \
  > "$project/PDO_CANopen.xml"
run one-rx 0 --now 2026-12-08T12:30 "$project" "$out" --exe "$dir/exe"
cmp -s "$out" <(sed 's/$/\r/' "$fixtures/one_rx.eds") || fail "one-rx: file differs"

run midnight 0 "$project" "$out" --exe "$dir/exe" --now 2026-12-08T00:15
grep -q $'^CreationTime=12:15AM\r$' "$out" || fail "midnight: no 12:15AM"

run local-clock 0 "$project" "$out" --exe "$dir/exe"
grep -Eq $'^CreationDate=[01][0-9]-[0-3][0-9]-[0-9]{4}\r$' "$out" || fail "local-clock: no date"

cp "$out" "$dir/before.eds"
printf '%s' '<PDO_CANopen><Receive_PDO><row COB-ID="1"/></Receive_PDO><Transmit_PDO/></PDO_CANopen>' \
  > "$project/PDO_CANopen.xml"
run damaged 1 "$project" "$out" --exe "$dir/exe" --now 2026-12-08T12:30
grep -q "^error: .*PDO_CANopen.xml.*Dimension" "$dir/stderr" || fail "damaged: stderr $(cat "$dir/stderr")"
[ -s "$dir/stdout" ] && fail "damaged: stdout $(cat "$dir/stdout")"
cmp -s "$out" "$dir/before.eds" || fail "damaged: target changed"
run damaged-new 1 "$project" "$dir/new.eds" --exe "$dir/exe"
[ -e "$dir/new.eds" ] && fail "damaged-new: file created"

run no-project 1 "$dir/none" "$out" --exe "$dir/exe"
for args in "$project" "$project $out extra" "$project $out --now" "$project $out --now 2026-12-08T24:00" \
            "$project $out --now 2026-02-30T10:00" "$project $out --now 2026-12-08" "$project $out --what"; do
  # shellcheck disable=SC2086
  run "usage: $args" 2 $args
done

if [ "$failures" -ne 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "eds-gen: all checks passed"
