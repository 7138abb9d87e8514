#pragma once
// Free routines of the grid library for small text jobs (ExUtil.cpp): the
// cell text conventions, number recognition under the user's separators,
// dates for sorting, URLs, CSV quoting and the HTML clipboard text; each is a
// pure function of its arguments and FormatSettings and none raises for odd
// input (StepDate alone raises, for a date that cannot exist). Positions are
// 1-based, 0 meaning "not found".
#include "grid/base/ExObj.h"

// ---------------------------------------------------------------------------
// Locale: the separators and the short date format of FormatSettings.

Char GetTimeSeparator();
Char GetDateSeparator();
Char GetThousandSeparator();
Char GetDecimalSeparator();
String GetShortDateFormat();

// ---------------------------------------------------------------------------
// Cell text conventions. A cell text starting with "=" is a formula, with
// "|\" wide characters in byte form, with "{\" rich text.

// 0 plain, 1 mini-HTML (only with the HTML flag), 2 rich text, 3 formula,
// 5 wide characters.
Integer GetCellTextKind(const String& S, bool HTML);
// The characters held after the "|\" marker, two per character, high byte
// first; a text without the marker is returned as it is.
String CellTextToWide(const String& S);
String WideToCellText(const String& W);

// Line breaks as the grid's own files write them: CR to #9, LF to #8, #0 to
// #1, only when the text holds a CR.
String EncodeCellLineBreaks(const String& S);
// Back again when the text holds a #8; without MultiLine only the first line.
String DecodeCellLineBreaks(const String& S, bool MultiLine);
// CSV and clipboard: CR LF becomes #11 and the text is quoted.
void QuoteMultiLine(String& S);
void VTToCRLF(String& S);
void CRLFToLF(String& S);
// A CSV option: CR as "~" (LF dropped); reading, "~" is CR LF and a text that
// is exactly "^" is empty.
void LineBreaksToTilde(String& S);
void TildeToLineBreaks(String& S);
// Settings and header texts: CR as backslash n (LF dropped) and back.
String LineBreaksToEscapes(const String& S);
String EscapesToLineBreaks(const String& S);
String LineBreaksToBR(const String& S);
String RemoveCR(const String& S);
String CRToLF(const String& S);
// The text before the first CR (all of it without one). S keeps what follows
// the CR and an LF after it only with KeepRest; otherwise it is emptied.
String CutFirstLine(String& S, bool KeepRest);
Integer CountLines(const String& S, bool MultiLine);

String DoubleQuoteChars(const String& S);
// Every pair of Ch becomes one Ch.
String UndoubleChar(Char Ch, const String& S);
// In the text after an opening quote: the last quote of the first run of an
// odd number of quotes followed by another character, or a quote that ends
// the text; 0 when there is none. Pos receives the result too.
Integer FindClosingQuote(Char Quote, const String& S, Integer& Pos);
Integer CountClosingQuotes(Char Quote, const String& S);
Integer CountChar(Char Ch, const String& S);
// Every character replaced by Ch (password cells).
void FillWithChar(String& S, Char Ch);
bool IsWordBreakChar(Char Ch);
// Each word capitalised; "Mc" capitalises the next letter too, and " II"
// keeps its capitals.
String ToMixedCase(const String& S);
// The text as OEM bytes (code page 850), one character a byte, and back.
void StrToOem(String& S);
void OemToStr(String& S);
String ConcatLines(TStrings* Lines);
// The text before Delim; it is taken from S with Delim's first character.
// Empty and S unchanged when Delim does not occur.
String TakeToken(String& S, const String& Delim);

// ---------------------------------------------------------------------------
// Searching

Integer FindStrVar(const String& SubStr, const String& S, Integer& Pos);
// SubStr, given in upper case, in the upper-cased text.
Integer FindStrUpper(const String& SubStr, const String& S);
Integer FindChar(Char Ch, const String& S);
Integer FindCharVar(Char Ch, const String& S, Integer& Pos);
Integer PosWide(const String& SubStr, const String& S);
Integer IntMax(Integer A, Integer B);
Integer IntMin(Integer A, Integer B);
// Value unchanged when Min = Max; a limit of 0 or below is no limit.
Integer LimitToRange(Integer Value, Integer Min, Integer Max);
bool CellInGridRect(const TGridRect& R, Integer Col, Integer Row);

// ---------------------------------------------------------------------------
// Numbers, with the thousand and decimal separators of FormatSettings. A
// number character is any Unicode decimal digit.

bool IsNumberChar(Char Ch);
bool IsNumberOrMinus(Char Ch);
// Number character, thousand or decimal separator, "e" or "E".
bool IsFloatChar(Char Ch);
// Number character, "-", ".", "e", "E" or "+".
bool IsPlainFloatChar(Char Ch);
bool IsSignedFloatChar(Char Ch);
// 0 integer, 1 float, 5 float in exponent notation, 2 no number.
Integer GetNumberKind(const String& S);
// The text ready for StrToFloat with "." as decimal separator: thousand
// separators dropped, "(...)" or a leading "-" negative, leading text
// skipped, cut at the first character that is no part of a number.
String PlainNumberText(const String& S);
// "RRGGBB" in upper case, without "#".
String ColorToHex(TColor Color);

// ---------------------------------------------------------------------------
// Dates

// Day-month-year and month-day-year texts separated by "/", "." or "-" (the
// first that occurs, in that order) as dates for sorting; a year below 100
// gets its century (below 26: 2000, else 1900). 0 when the text is no date.
TDateTime DMYToDate(const String& S);
TDateTime MDYToDate(const String& S);
// The date separator after at least one character and a second one further on.
bool LooksLikeDate(const String& S);
// The date one step further: only Days set, Date + Days; only Years, the same
// day that many years later; only Months, the same day that many months
// later; otherwise Date + Delta. EConvertError when the day does not exist.
TDateTime StepDate(Integer Years, Integer Months, Integer Days, TDateTime Date, TDateTime Delta);

// ---------------------------------------------------------------------------
// URLs

bool HasURLScheme(const String& S);
void StripURLScheme(String& S);
// A cell reference "R<row>C<col>" in any case into (column, row).
bool ParseRowColRef(const String& S, TPoint& Cell);
// When the upper-cased text holds Prefix (upper case): the text with "<" and
// ">" escaped and the URL that starts at Prefix made an anchor, in Result;
// answers 1, else 0.
Integer LinkifyURL(const String& S, const String& Prefix, String& Result);

// ---------------------------------------------------------------------------
// Clipboard and layered windows

// The HTML fragment S as the clipboard's HTML format with its offsets header.
void MakeClipboardHTML(String& S);
// The system's layered-window calls (rtl/Windows.h), True when they succeed.
bool CallUpdateLayeredWindow(HWND Wnd, TCanvas* DstCanvas, const TPoint* DstPos, const TSize* Size,
                             TCanvas* SrcCanvas, const TPoint* SrcPos, TColor Key,
                             const TBlendFunction* Blend, DWORD Flags);
bool CallSetLayeredWindowAttributes(HWND Wnd, TColor Key, Byte Alpha, DWORD Flags);

