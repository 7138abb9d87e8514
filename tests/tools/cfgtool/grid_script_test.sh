#!/usr/bin/env bash
# cfgtool grid-run's script commands for cells, settings, cell properties
# and merging, its listing, and the frame of grid-export and grid-import:
# exit codes 0, 1 (a line raised) and 2 (wrong arguments).
# Usage: grid_script_test.sh CFGTOOL
set -uo pipefail
CFGTOOL=$1
source "$(dirname "$0")/grid_file_checks.sh"

# script NAME TEXT: writes a script file and echoes its path.
script() {
  printf '%s' "$2" >"$WORK/$1"
  echo "$WORK/$1"
}

run() { "$CFGTOOL" grid-run "$1"; }

# The listing's prop lines of a cell whose properties were made with the
# grid's defaults.
default_props() {
  printf 'prop %s %s %s\n' "$1" "$2" 'BrushColor clWindow' "$1" "$2" 'FontColor clWindowText' \
    "$1" "$2" 'FontName Tahoma' "$1" "$2" 'FontSize 8' "$1" "$2" 'FontStyle ' \
    "$1" "$2" 'Alignment taLeftJustify' "$1" "$2" 'ReadOnly false'
}

S=$(script cells 'new 3 2 1 1
colwidth 1 80
rowheight 1 30
celltext 1 1 a\tb\r\nc\\d\x01
celltext 2 0 \u00E9t\u00E9
celltext 0 1 line
listing
')
check celltext-and-listing 0 'new 3 2 1 1
colwidth 0 64
colwidth 1 80
colwidth 2 64
rowheight 0 22
rowheight 1 30
celltext 2 0 été
celltext 0 1 line
celltext 1 1 a\tb\r\nc\\d\x01' run "$S"

S=$(script props 'new 2 2 0 0
prop 1 0 BrushColor clWhite
prop 1 0 FontColor $00123456
prop 1 0 FontName Courier\x20New
prop 1 0 FontSize 12
prop 1 0 FontStyle fsUnderline,fsBold
prop 1 0 Alignment taCenter
prop 1 0 ReadOnly true
prop 0 1 VAlignment vtaBottom
prop 0 1 BorderColor clBtnFace
prop 0 1 BorderWidth 2
prop 0 1 BrushColorTo $1FFFFFFF
prop 0 1 BrushStyle bsCross
prop 0 1 CellObject 4294967296
prop 0 1 Editor edComboList
prop 0 1 GradientDirection GradientHorizontal
prop 0 1 WordWrap false
prop 0 1 NodeLevel 3
listing
')
check cell-properties 0 "new 2 2 0 0
colwidth 0 64
colwidth 1 64
rowheight 0 22
rowheight 1 22
prop 1 0 BrushColor clWhite
prop 1 0 FontColor \$00123456
prop 1 0 FontName Courier New
prop 1 0 FontSize 12
prop 1 0 FontStyle fsBold,fsUnderline
prop 1 0 Alignment taCenter
prop 1 0 ReadOnly true
$(default_props 0 1)" run "$S"

S=$(script merge 'new 3 3 0 0
celltext 1 1 base
merge 1 1 2 2
celltext 2 2 over
listing
')
check merge-writes-the-base-cell 0 "new 3 3 0 0
colwidth 0 64
colwidth 1 64
colwidth 2 64
rowheight 0 22
rowheight 1 22
rowheight 2 22
celltext 1 1 over
$(default_props 1 1)
$(default_props 2 1)
$(default_props 1 2)
$(default_props 2 2)" run "$S"

# Every setting takes its kind of value.
S=$(script settings 'new 2 3 0 0
set FixedFooters 1
set FixedRightCols 1
set SaveFixedCells false
set SaveFixedRows true
set SaveFixedCols true
set SaveHiddenCells true
set SaveVirtCells false
set SaveWithHTML false
set Delimiter \x00
set Delimiter ;
set QuoteEmptyCells false
set AlwaysQuotes true
set JavaCSV true
set OemConvert true
set LoadFirstRow false
set Multilinecells true
set CheckTrue ja\x20!
set CheckFalse
')
check settings 0 '' run "$S"

for bad in 'set SaveFixedCells yes' 'set NoSuchSetting 1' 'set Delimiter ab' 'set FixedFooters x' \
           'prop 0 0 BrushColor $123' 'prop 0 0 BrushColor clNoSuch' 'prop 0 0 Alignment taMiddle' \
           'prop 0 0 FontStyle fsBold,fsWide' 'prop 0 0 NoSuchProp 1' 'merge 0 0 1' \
           'export' 'export nosuchformat out.bin' 'import nosuchformat in.bin'; do
  S=$(script bad "new 2 2 0 0
$bad
")
  check "malformed: $bad" 2 '' run "$S"
done

# A grid exception prints its message and the script goes on.
S=$(script raises 'new 2 2 0 0
celltext 5 5 x
celltext 0 0 y
listing
')
check raising-line-goes-on 1 'error: Grid index out of range
new 2 2 0 0
colwidth 0 64
colwidth 1 64
rowheight 0 22
rowheight 1 22
celltext 0 0 y' run "$S"

# grid-export and grid-import: wrong arguments.
S=$(script empty 'new 1 1 0 0
')
check export-without-file 2 '' "$CFGTOOL" grid-export bin "$S"
check export-unknown-format 2 '' "$CFGTOOL" grid-export nosuchformat "$S" "$WORK/out"
check export-missing-script 2 '' "$CFGTOOL" grid-export bin "$WORK/missing" "$WORK/out"
check import-without-file 2 '' "$CFGTOOL" grid-import bin
check import-unknown-format 2 '' "$CFGTOOL" grid-import nosuchformat "$WORK/in"
S=$(script malformed 'new 1 1 0
')
check import-malformed-script 2 '' "$CFGTOOL" grid-import nosuchformat "$WORK/in" "$S"

# The binary cell block both ways, whole and in part.
S=$(script source 'new 3 2 0 0
colwidth 1 90
celltext 0 0 a\tb
celltext 2 1 \u00E9
prop 1 1 BrushColor clWhite
prop 1 1 FontStyle fsItalic
')
check export-bin 0 '' "$CFGTOOL" grid-export bin "$S" "$WORK/whole.bin"
check import-bin 0 'new 3 2 0 0
colwidth 0 64
colwidth 1 90
colwidth 2 64
rowheight 0 22
rowheight 1 22
celltext 0 0 a\tb
celltext 2 1 é
prop 1 1 BrushColor clWhite
prop 1 1 FontColor clWindowText
prop 1 1 FontName Tahoma
prop 1 1 FontSize 8
prop 1 1 FontStyle fsItalic
prop 1 1 Alignment taLeftJustify
prop 1 1 ReadOnly false' "$CFGTOOL" grid-import bin "$WORK/whole.bin"
check export-bin-rect 0 '' "$CFGTOOL" grid-export bin "$S" "$WORK/part.bin" --rect 1,1,2,1
T=$(script target 'new 2 2 0 0
celltext 0 0 kept
')
check import-bin-at 0 'new 4 4 0 0
colwidth 0 64
colwidth 1 64
colwidth 2 64
colwidth 3 64
rowheight 0 22
rowheight 1 22
rowheight 2 22
rowheight 3 22
celltext 0 0 kept
celltext 3 3 é
prop 2 3 BrushColor clWhite
prop 2 3 FontColor clWindowText
prop 2 3 FontName Tahoma
prop 2 3 FontSize 8
prop 2 3 FontStyle fsItalic
prop 2 3 Alignment taLeftJustify
prop 2 3 ReadOnly false' "$CFGTOOL" grid-import bin "$WORK/part.bin" "$T" --at 2,3
printf 'TPF1' >"$WORK/bad.bin"
check import-bin-fails 1 'error: Invalid stream format
new 2 2 0 0
colwidth 0 64
colwidth 1 64
rowheight 0 22
rowheight 1 22
celltext 0 0 kept' "$CFGTOOL" grid-import bin "$WORK/bad.bin" "$T"
check export-bin-unwritable 1 "error: Cannot create file \"$WORK/no/such/folder/out.bin\". No such file or directory" "$CFGTOOL" grid-export bin "$S" "$WORK/no/such/folder/out.bin"
check import-bin-bad-option 2 '' "$CFGTOOL" grid-import bin "$WORK/whole.bin" --at 1
check export-bin-bad-option 2 '' "$CFGTOOL" grid-export bin "$S" "$WORK/x.bin" --at 1,1
S2=$(script inscript 'new 2 2 0 0
export bin '"$WORK"'/inscript.bin --rect 0,0,0,0
import bin '"$WORK"'/inscript.bin --at 1,1
listing
')
check export-import-lines 0 'new 2 2 0 0
colwidth 0 64
colwidth 1 64
rowheight 0 22
rowheight 1 22' run "$S2"

if [ "$failures" -ne 0 ]; then
  echo "$failures case(s) failed"
  exit 1
fi
echo "all cases passed"
