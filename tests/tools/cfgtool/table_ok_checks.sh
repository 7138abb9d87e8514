# What the table-ok tests share: a scratch configuration "Demo" beside a
# program folder, removed on exit, a check of one table-ok run and a check
# of a written file; sourced by the tests with CFGTOOL set.
failures=0
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
mkdir -p "$dir/exe" "$dir/Demo"
project="$dir/Demo"

# expect NAME EXPECTED_CODE EXPECTED_STDOUT -- ARGS...
expect() {
  local name=$1 code=$2 expected=$3 out rc
  shift 4
  out=$("$CFGTOOL" table-ok "$@" 2>"$dir/stderr")
  rc=$?
  if [ "$rc" != "$code" ] || [ "$out" != "$expected" ]; then
    echo "FAIL $name: exit $rc (wanted $code)"
    diff <(printf '%s\n' "$expected") <(printf '%s\n' "$out")
    cat "$dir/stderr"
    failures=$((failures + 1))
  fi
}

# same_file NAME FILE EXPECTED_CONTENT
same_file() {
  if [ "$(cat "$2")" != "$3" ]; then
    echo "FAIL $1: $2 holds:"
    cat "$2"
    echo
    failures=$((failures + 1))
  fi
}
