# What the grid-file command tests share: a scratch folder removed on exit
# and a check of one command's standard output and exit code; sourced by the
# tests with CFGTOOL set.
failures=0
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

# check NAME EXPECTED_CODE EXPECTED_OUTPUT COMMAND...: standard output and exit code.
check() {
  local name=$1 code=$2 expected=$3 out rc
  shift 3
  out=$("$@" 2>/dev/null)
  rc=$?
  if [ "$rc" != "$code" ] || [ "$out" != "$expected" ]; then
    echo "FAIL $name: exit $rc (wanted $code)"
    diff <(printf '%s\n' "$expected") <(printf '%s\n' "$out")
    failures=$((failures + 1))
  fi
}
