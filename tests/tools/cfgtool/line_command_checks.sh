# Checks of a cfgtool command that turns each line of standard input into
# one line of output; sourced by the command's test with CFGTOOL and
# COMMAND set.
failures=0

# check ARG... -- INPUT-LINE... -- EXPECTED-LINE...
check() {
  local args=() input=()
  while [ "$1" != -- ]; do
    args+=("$1")
    shift
  done
  shift
  while [ "$1" != -- ]; do
    input+=("$1")
    shift
  done
  shift
  local actual expected
  actual=$(printf '%s\n' "${input[@]}" | "$CFGTOOL" "$COMMAND" "${args[@]}" 2>/dev/null)
  expected=$(printf '%s\n' "$@")
  if [ "$actual" != "$expected" ]; then
    echo "FAIL $COMMAND ${args[*]}"
    echo "  expected: $expected"
    echo "  actual:   $actual"
    failures=$((failures + 1))
  fi
}

# refuse ARG...: exit code 2.
refuse() {
  printf 'x\n' | "$CFGTOOL" "$COMMAND" "$@" >/dev/null 2>&1
  local code=$?
  if [ "$code" != 2 ]; then
    echo "FAIL $COMMAND $*: exit code $code, expected 2"
    failures=$((failures + 1))
  fi
}

finish() {
  if [ "$failures" -ne 0 ]; then
    echo "$failures case(s) failed"
    exit 1
  fi
  echo "all cases passed"
}
