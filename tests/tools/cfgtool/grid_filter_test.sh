#!/usr/bin/env bash
# cfgtool grid-filter: 1 or 0 per input line as the value passes the filter
# expression, exit code 2 for bad calls. Usage: grid_filter_test.sh CFGTOOL
set -uo pipefail
CFGTOOL=$1
COMMAND=grid-filter
# shellcheck source=line_command_checks.sh
source "$(dirname "$0")/line_command_checks.sh"

check '>=10&<20' -- 15 20 9 -- 1 0 0
check '>= 10 & < 20' -- 15 -- 1
check 'a*' -- apple APPLE pear '' -- 1 1 0 0
check 'a*' --case -- apple APPLE -- 1 0
check '"a b"*' -- 'a bc' ab -- 1 0
check '(A*|B*)&!AB' -- ABC AB BX CX -- 1 0 1 0
check '1|2&3' -- 1 -- 0
check 'a*|b*&*x' -- ax a bx cx -- 1 0 1 0
check '>1/2/2020' -- 15/1/2020 3/2/2020 -- 0 1
check '>1.2.2020' --date-format d.m.yyyy --date-sep . -- 15.1.2020 3.2.2020 -- 0 1
check '>1.000,5' --thousand . --decimal , -- 1.200 '999,9' -- 1 0
check '(a|b' -- b c -- 1 0
check '?' -- x '' xy -- 1 0 0
check '' -- '' x -- 1 0
check '"x\x20y"' -- 'x\x20y' xy -- 1 0
check '>=10:30' -- '10:45' -- 1

refuse
refuse a b
refuse a --bogus
refuse a --decimal
refuse a --date-sep ab
refuse a --date-format

finish
