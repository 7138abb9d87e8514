#!/usr/bin/env bash
# cfgtool grid-export html and xml and grid-import xml: the table document
# and its settings, the XML list and its options, reading XML back, and the
# import errors.
# Usage: grid_html_xml_test.sh CFGTOOL
set -uo pipefail
CFGTOOL=$1
source "$(dirname "$0")/grid_file_checks.sh"

# has NAME FILE TEXT: the file holds the text (fixed string).
has() {
  if ! grep -qF -- "$3" "$2"; then
    echo "FAIL $1: no \"$3\" in"
    head -c 1500 "$2"
    failures=$((failures + 1))
  fi
}
# hasnt NAME FILE TEXT: the file does not hold the text.
hasnt() {
  if grep -qF -- "$3" "$2"; then
    echo "FAIL $1: \"$3\" found"
    failures=$((failures + 1))
  fi
}
# bytes NAME FILE PRINTF_FORMAT: the file holds exactly these bytes.
bytes() {
  if ! cmp -s <(printf "$3") "$2"; then
    echo "FAIL $1: bytes differ"
    od -c "$2" | head -8
    failures=$((failures + 1))
  fi
}

# ---------------------------------------------------------------- HTML
H="$WORK/headed"
printf 'new 2 2 0 1\ncelltext 0 0 h1\ncelltext 1 0 h2\ncelltext 0 1 a\ncelltext 1 1 b\nset FixedColor $00123456\n' >"$H"
check html-default 0 '' "$CFGTOOL" grid-export html "$H" "$WORK/t.html"
has html-table "$WORK/t.html" '<TABLE BORDER="1" CELLSPACING="0" CELLPADDING="0"  WIDTH="100%">'
has html-header-class "$WORK/t.html" '.c0 {background-color: #563412;'
has html-header-cell "$WORK/t.html" '<TD class="c0">h1</td>'
has html-data-cell "$WORK/t.html" '<TD class="c1">b</td>'
if [ "$(grep -c '^<TR>' "$WORK/t.html")" != 2 ]; then
  echo "FAIL html-rows: not two rows"
  failures=$((failures + 1))
fi

B="$WORK/bold"
printf 'new 3 1 0 0\ncelltext 0 0 x\ncelltext 1 0 y\nprop 1 0 FontStyle [fsBold]\n' >"$B"
check html-bold 0 '' "$CFGTOOL" grid-export html "$B" "$WORK/b.html"
has html-bold-class "$WORK/b.html" 'font-weight: bold'
has html-plain-cell "$WORK/b.html" '<TD class="c0">x</td>'
has html-bold-cell "$WORK/b.html" '<TD class="c1">y</td>'
has html-blank-cell "$WORK/b.html" '<TD class="c0">&nbsp;</td>'

M="$WORK/merged"
printf 'new 2 2 0 0\ncelltext 0 0 m\nmerge 0 0 2 2\n' >"$M"
check html-merged 0 '' "$CFGTOOL" grid-export html "$M" "$WORK/m.html"
has html-span "$WORK/m.html" ' COLSPAN="2" ROWSPAN="2">m</td>'
if [ "$(grep -c '^<TD' "$WORK/m.html")" != 1 ]; then
  echo "FAIL html-covered: covered cells written"
  failures=$((failures + 1))
fi

L="$WORK/links"
printf 'new 3 1 0 0\ncelltext 0 0 http://h.test/p\ncelltext 1 0 mailto:a@b.test\ncelltext 2 0 a & <b>\nset URLShow true\nset HTMLSettings.ConvertSpecialChars true\nset HTMLSettings.NonBreakingText true\nset WordWrap false\n' >"$L"
check html-links 0 '' "$CFGTOOL" grid-export html "$L" "$WORK/l.html"
has html-link "$WORK/l.html" '<a href=http://h.test/p>h.test/p</a>'
has html-mailto "$WORK/l.html" '<a href=mailto:a@b.test>a@b.test</a>'
has html-escaped "$WORK/l.html" ' nowrap>a&nbsp;&amp;&nbsp;&lt;b&gt;</td>'
printf 'set URLFull true\n' >>"$L"
check html-links-full 0 '' "$CFGTOOL" grid-export html "$L" "$WORK/l.html"
has html-link-full "$WORK/l.html" '<a href=http://h.test/p>http://h.test/p</a>'

printf '<html>\r\n' >"$WORK/head.txt"
printf '</html>\r\n' >"$WORK/foot.txt"
X="$WORK/xhtml"
printf 'new 1 1 0 0\ncelltext 0 0 caf\\u00E9\nset HTMLSettings.XHTML true\nset HTMLSettings.PrefixTag <body>\nset HTMLSettings.SuffixTag </body>\nset HTMLSettings.Summary sum\nset HTMLSettings.TableStyle class="t"\nset HTMLSettings.HeaderFile %s\nset HTMLSettings.FooterFile %s\n' \
  "$WORK/head.txt" "$WORK/foot.txt" >"$X"
check html-xhtml 0 '' "$CFGTOOL" grid-export html "$X" "$WORK/x.html"
has html-declaration "$WORK/x.html" '<?xml version="1.0" encoding="utf-8"?>'
has html-doctype "$WORK/x.html" '<!DOCTYPE html PUBLIC "-//W3C//DTD XHTML 1.0 Strict//EN"'
has html-prefix "$WORK/x.html" '<body><style>'
has html-summary "$WORK/x.html" 'SUMMARY="sum"  class="t"  WIDTH="100%">'
has html-suffix "$WORK/x.html" '</body>'
has html-reference "$WORK/x.html" 'caf&#233;</td>'
has html-header-file "$WORK/x.html" '<html>'
bytes html-footer-end <(tail -c 18 "$WORK/x.html") '</HTML>\r\n</html>\r\n'
SIZE=$(stat -c %s "$WORK/x.html")
check html-append 0 '' "$CFGTOOL" grid-export html "$X" "$WORK/x.html" --append
if [ "$(stat -c %s "$WORK/x.html")" != $((2 * SIZE)) ]; then
  echo "FAIL html-append: the old lines are not kept"
  failures=$((failures + 1))
fi
check html-unicode 0 '' "$CFGTOOL" grid-export html "$X" "$WORK/u.html" --unicode
bytes html-unicode-mark <(head -c 4 "$WORK/u.html") '\377\376<\0'

# ---------------------------------------------------------------- XML
A="$WORK/amp"
printf 'new 2 1 0 0\ncelltext 0 0 a&b\ncelltext 1 0 x\n' >"$A"
check xml-export 0 '' "$CFGTOOL" grid-export xml "$A" "$WORK/a.xml"
bytes xml-bytes "$WORK/a.xml" '<?xml version="1.0" encoding="ISO-8859-1" ?>\r\n<LIST>\r\n<ROW>\r\n<FIELD0>a&amp;b</FIELD0>\r\n<FIELD1>x</FIELD1>\r\n</ROW>\r\n</LIST>\r\n'
check xml-import 0 'new 2 1 0 0
colwidth 0 64
colwidth 1 64
rowheight 0 22
celltext 0 0 a&b
celltext 1 0 x' "$CFGTOOL" grid-import xml "$WORK/a.xml"

F="$WORK/fields"
printf 'new 3 1 0 0\ncelltext 0 0 1\ncelltext 2 0 \\u20AC\nset QuoteEmptyCells true\n' >"$F"
check xml-fields 0 '' "$CFGTOOL" grid-export xml "$F" "$WORK/f.xml" --list L --record R --fields A,B --empty
bytes xml-fields-bytes "$WORK/f.xml" '<?xml version="1.0" encoding="ISO-8859-1" ?>\r\n<L>\r\n<R>\r\n<A>1</A>\r\n<B>""</B>\r\n<FIELD2>&#8364;</FIELD2>\r\n</R>\r\n</L>\r\n'
check xml-bad-name 1 'error: Invalid XML name: "1x"' "$CFGTOOL" grid-export xml "$F" "$WORK/n.xml" --fields 1x
printf 'set XMLEncoding UTF-8\n' >>"$F"
check xml-utf8 0 '' "$CFGTOOL" grid-export xml "$F" "$WORK/u.xml"
has xml-utf8-text "$WORK/u.xml" $'<FIELD2>\xe2\x82\xac</FIELD2>'

printf '<L><R><A>1</A><B>2</B></R><R><A>3</A><B>4</B></R><R><A>5</A><B>6</B></R></L>' >"$WORK/three.xml"
check xml-three 0 'new 2 3 0 0
colwidth 0 64
colwidth 1 64
rowheight 0 22
rowheight 1 22
rowheight 2 22
celltext 0 0 1
celltext 1 0 2
celltext 0 1 3
celltext 1 1 4
celltext 0 2 5
celltext 1 2 6' "$CFGTOOL" grid-import xml "$WORK/three.xml"

printf 'new 2 2 0 1\n' >"$WORK/fixedrow"
printf '<L><R><A>1</A><B>2</B></R><R><A>3</A><B>4</B></R></L>' >"$WORK/two.xml"
check xml-field-names 0 'new 2 3 0 1
colwidth 0 64
colwidth 1 64
rowheight 0 22
rowheight 1 22
rowheight 2 22
celltext 0 0 A
celltext 1 0 B
celltext 0 1 1
celltext 1 1 2
celltext 0 2 3
celltext 1 2 4' "$CFGTOOL" grid-import xml "$WORK/two.xml" "$WORK/fixedrow" --field-names

printf '<L><R id="7"><A>1</A><B>2</B></R></L>' >"$WORK/attr.xml"
printf 'new 1 1 0 0\nset SaveFixedCells false\n' >"$WORK/nofixed"
check xml-level-to-row 0 'new 3 2 0 0
colwidth 0 64
colwidth 1 64
colwidth 2 64
rowheight 0 22
rowheight 1 22
celltext 0 0 7
celltext 1 1 1
celltext 2 1 2' "$CFGTOOL" grid-import xml "$WORK/attr.xml" "$WORK/nofixed" --level-to-row

check xml-not-found 1 'error: XML file not found
new 1 1 0 0
colwidth 0 64
rowheight 0 22' "$CFGTOOL" grid-import xml "$WORK/none.xml"
printf '<L>\n<R>\n<A>1</B>\n</R></L>' >"$WORK/bad.xml"
check xml-malformed 1 'error: XMLDOM Parsing error 14 on line 3
new 1 1 0 0
colwidth 0 64
rowheight 0 22' "$CFGTOOL" grid-import xml "$WORK/bad.xml"

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "all grid HTML and XML checks passed"
