#!/usr/bin/env bash
# cfgtool grid-text: one escaped result per input line, exit code 2 for bad
# calls. Usage: grid_text_test.sh CFGTOOL
set -uo pipefail
CFGTOOL=$1
COMMAND=grid-text
# shellcheck source=line_command_checks.sh
source "$(dirname "$0")/line_command_checks.sh"

check number-kind -- '1,23,4' '(1.234,50)' -- 2 2
check number-kind --thousand . --decimal , -- '1.234,5' '1.23.4' '1,2,3' -- 1 2 2
check plain-number --thousand . --decimal , -- '(1.234,50)' -- '-1234.50'
check plain-number -- $'USD 12\r' -- 12
check kind -- '|\\\x00=\x00A' '|\\\x00A' '=A1' 'x' '' -- 3 5 3 0 0
check kind --html -- 'a</b>' -- 1
check kind -- 'a</b>' -- 0
check to-wide -- '\u00E9' -- '|\\\x00é'
check from-wide -- '|\\\x00\xE9' -- 'é'
check encode-breaks -- 'a\r\nb\x00' -- 'a\t\x08b\x01'
check decode-breaks --multi -- 'a\t\x08b\x01' -- 'a\r\nb\x00'
check decode-breaks -- 'a\t\x08b\x01' -- 'a'
check quote-multiline -- 'a\r\nb' -- '"a\x0Bb"'
check dmy-date -- '31.12.99' '31.12.2025' 'no date' '' -- 36525 46022 0 0
check mdy-date -- '12/31/99' -- 36525
# Unknown escapes stay as written; lone surrogates and control characters
# come back escaped, every other character as UTF-8.
check from-wide -- '\q\x4\' -- '\\q\\x4\\'
check from-wide -- '\ud800\uD83D\uDE00\x7F' -- $'\\uD800\xf0\x9f\x98\x80\x7f'
check clipboard-html -- '<b>x</b>' -- 'Version:1.0\r\nStartHTML:00000097\r\nEndHTML:00000314\r\nStartFragment:00000274\r\nEndFragment:00000282\r\n<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.0 Transitional//EN"><html><head><META http-equiv=Content-Type content="text/html; charset=iso-8859-1"></head><body><!--StartFragment--><b>x</b><!--EndFragment--></body></html>'

check strip -- 'a<br>b' 'x<b>y</b>' 'a<b' 'a>b<c>' -- 'a\r\nb' 'xy' 'a<b' 'a>b<c>'
check plain -- 'x<BR>x<BR>' 'a<Q>b</Q>' -- 'xx' 'ab'
check escape -- 'a<b>&"' '&amp;' '*amp;' -- 'a&lt;b&gt;&amp;&quot;' '&amp;amp;' '*amp;'
check escape --accents -- 'éÕ' -- '&eacute;&Otilde;'
check unescape --accents -- '&eacute;&Otilde;' '&Eacute; &eacute;' -- 'éÕ' 'É é'
check unescape -- '&amp;quot;' '&LT;&eacute;' -- '&quot;' '<&eacute;'
check mark ab hi -- 'abab' -- '<hi>ab</hi><hi>ab</hi>'
check mark AB hi -- 'abab' -- '<hi>ab</hi><hi>ab</hi>'
check mark AB hi --case -- 'abab' -- 'abab'
check mark b hi -- '<b>abc</b>' -- '<b>a<hi>b</hi>c</b>'
check unmark hi -- '<b>a<hi>b</hi>c</b>' '<HI>a&lt;b</HI>' -- '<b>abc</b>' 'a<b'
controls='<CONTROL TYPE="BUTTON" ID="b1"><CONTROL TYPE="EDIT" ID="e1"><CONTROL TYPE="CHECK" ID="c1"><CONTROL TYPE="EDIT" ID="e2">'
check next-control e1 -- "$controls" -- 'e2'
check next-control e2 -- "$controls" -- ''
# An empty argument asks for the first editable control.
actual=$(printf '%s\n' "$controls" | "$CFGTOOL" grid-text next-control "")
if [ "$actual" != e1 ]; then
  echo "FAIL grid-text next-control \"\": $actual"
  failures=$((failures + 1))
fi
check set-control e1 'a&b' -- 'x<CONTROL TYPE="edit" WIDTH="60" ID="e1" VALUE="x">y' 'z' -- \
  'x<CONTROL ID="e1" VALUE="a&amp;b" WIDTH="60" TYPE="EDIT">y' 'z'
check set-control e1 'a\x20b' -- '<CONTROL TYPE="EDIT" WIDTH="60" ID="e1" VALUE="" HEIGHT="40">' -- \
  '<CONTROL ID="e1" VALUE="a b" WIDTH="60" TYPE="EDIT" HEIGHT="40">'
check clear-radios -- '<CONTROL TYPE="RADIO" WIDTH="16" ID="r1" VALUE="TRUE">' -- \
  '<CONTROL ID="r1" VALUE="FALSE" WIDTH="16" TYPE="RADIO">'

refuse
refuse no-such-function
refuse kind --bogus
refuse kind --thousand
refuse kind --decimal ab
refuse kind extra-argument
refuse mark onlyone

finish
