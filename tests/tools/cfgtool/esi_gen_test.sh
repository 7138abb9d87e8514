#!/usr/bin/env bash
# cfgtool esi-gen: the file it writes, the question before it replaces one
# with both answers, a refused table, and wrong arguments.
# Usage: esi_gen_test.sh CFGTOOL
set -uo pipefail
CFGTOOL=$1
failures=0
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
mkdir -p "$dir/exe" "$dir/Demo"
project="$dir/Demo"
out_file="$dir/gateway.xml"
question="confirmation: File already exists. Do you want to overwrite?"

# expect NAME EXPECTED_CODE EXPECTED_STDOUT -- ARGS...
expect() {
  local name=$1 code=$2 expected=$3 out rc
  shift 4
  out=$("$CFGTOOL" esi-gen "$@" 2>"$dir/stderr")
  rc=$?
  if [ "$rc" != "$code" ] || [ "$out" != "$expected" ]; then
    echo "FAIL $name: exit $rc (wanted $code)"
    diff <(printf '%s\n' "$expected") <(printf '%s\n' "$out")
    cat "$dir/stderr"
    failures=$((failures + 1))
  fi
}

check() {
  if ! eval "$2"; then
    echo "FAIL $1"
    failures=$((failures + 1))
  fi
}

expect no-out-file 2 "" -- "$project"
expect bad-answer 2 "" -- "$project" "$out_file" --answer maybe
expect missing-exe 1 "" -- "$project" "$out_file" --exe "$dir/none"
check missing-exe-wrote-nothing '[ ! -e "$out_file" ]'

printf '%s' '<EtherCAT_Slave><EtherCAT_Slave_Variables><EtherCAT_Slave_To_Master><row Enable="Y" Type="Int32" Length="4" Name="count"/></EtherCAT_Slave_To_Master><EtherCAT_Master_To_Slave/></EtherCAT_Slave_Variables></EtherCAT_Slave>' > "$project/EtherCAT_Slave.xml"
expect written 0 "written: $out_file" -- "$project" "$out_file" --exe "$dir/exe"
check crlf-lines '[ "$(head -n 1 "$out_file")" = $'"'"'<?xml version="1.0"?>\r'"'"' ]'
check outputs-address 'grep -q "StartAddress=\"#x100C\" ControlByte=\"#x64\"" "$out_file"'
check one-entry 'grep -q "<Name>count</Name>" "$out_file"'
rel=$(cd "$dir" && "$CFGTOOL" esi-gen "$project" rel.xml --exe "$dir/exe")
check relative-printed-as-given '[ "$rel" = "written: rel.xml" ] && [ -f "$dir/rel.xml" ]'
written=$(cat "$out_file")

printf 'old' > "$out_file"
expect answered-no 1 "$question" -- "$project" "$out_file" --exe "$dir/exe" --answer no
check kept-on-no '[ "$(cat "$out_file")" = old ]'
expect answered-yes 0 "$question
written: $out_file" -- "$project" "$out_file" --exe "$dir/exe"
check replaced-on-yes '[ "$(cat "$out_file")" = "$written" ]'

printf 'old' > "$out_file"
printf '%s' '<EtherCAT_Slave><EtherCAT_Slave_Variables/></EtherCAT_Slave>' > "$project/EtherCAT_Slave.xml"
expect refused 1 "$question" -- "$project" "$out_file" --exe "$dir/exe" --answer yes
check refused-error 'grep -q "^error: .*EtherCAT_Slave_To_Master" "$dir/stderr"'
check kept-on-error '[ "$(cat "$out_file")" = old ]'

if [ "$failures" -ne 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "esi-gen: all checks passed"
