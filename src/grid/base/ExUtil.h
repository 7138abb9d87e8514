#pragma once
// Free routines of the grid library. Text jobs (ExUtil.cpp): the cell text
// conventions, number recognition under the user's separators, dates for
// sorting, URLs, CSV quoting and the HTML clipboard text; each is a pure
// function of its arguments and FormatSettings and none raises for odd input
// (StepDate alone raises, for a date that cannot exist). Positions are
// 1-based, 0 meaning "not found". Drawing (ExUtil_Draw.cpp): colour
// arithmetic, gradients, button faces, progress bars, shapes and bitmaps.
#include "grid/base/ExObj.h"
#include "grid/base/ExStyleIF.h"

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

// ---------------------------------------------------------------------------
// Drawing. The routines change the canvas's pen, brush and font and leave
// them changed; they draw nothing into empty rectangles. Colours with the
// top byte 0xFF are system colours, taken as their RGB before arithmetic.

RTL_NAMED_ENUM(TCellShape,
    csRectangle, csCircle, csTriangleLeft, csTriangleRight, csTriangleUp, csTriangleDown, csDiamond,
    csLineVert, csLineHorz, csRoundRect, csEllips, csSquare, csRoundSquare, csStar, csArrowUp, csArrowDown,
    csArrowLeft, csArrowRight, csHalfStar)

// Each of red, green and blue halved.
TColor HalveColor(TColor Color);
// Each byte c becomes Round(c + c * Percent / 100), kept within 0..255.
TColor ScaleColorPercent(TColor Color, Integer Percent);
// Per byte Color + Round((ColorTo - Color) / (Max - Min) * Position); Color
// itself when ColorTo is clNone or Min = Max.
TColor GradientColorAt(TColor Color, TColor ColorTo, Integer Min, Integer Max, Integer Position);

// The one gradient fill of the grid and the drop-downs: Steps bands (0 or
// less counts as 1) from FromColor to ToColor, left to right when
// Horizontal, else top to bottom; the rectangle's far edge is moved in by 1
// first. Channels and bands round half to even.
void FillGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, Integer Steps, TRect R, bool Horizontal);
// Steps + 1 bands from Color to ColorTo across R, left to right or top to
// bottom; Steps is kept to 1 .. the extent - 1. With one colour clNone the
// other fills R. A reversed top and bottom are swapped.
void DrawGradient(TCanvas* Canvas, TColor Color, TColor ColorTo, bool Horizontal, TRect R, Integer Steps);
// With Fill: a solid fill (one pixel taller) or a 128-step gradient in
// Direction; with a mirror colour the first half goes from Color to
// ColorTo, the second from MirrorColor to MirrorColorTo. Then a frame (or
// with SidesOnly the left and right lines) in BorderColor.
void DrawGradientBackground(TCanvas* Canvas, TRect R, TColor Color, bool Fill, bool SidesOnly, TColor BorderColor,
                            TCellGradientDirection Direction, TColor MirrorColorTo, TColor MirrorColor,
                            TColor ColorTo);
// A face with rounded 2-pixel corners for selections and joined buttons.
// Kind 0 draws both sides, 1 the left, 2 the right, 3 neither.
void DrawGradientButton(TCanvas* Canvas, TColor Color, TColor ColorTo, TColor MirrorColor, TColor MirrorColorTo,
                        TColor HighlightColor, TColor ShadowColor, TColor BorderColor, TColor CornerColor,
                        TColor OuterCornerColor, TRect R, Integer Kind);

// In-cell buttons. State: 0 normal, 1 hot, 2 down, 3 disabled. Look: 0
// visual style (window Wnd; classic when the style gives nothing), 1
// classic, 2 classic flat, 3 own colours from Tones (the state's tone).
void DrawComboButton(TCanvas* Canvas, HWND Wnd, TRect R, Integer State, Integer Look, const TColorTones& Tones);
void DrawButtonFace(TCanvas* Canvas, HWND Wnd, TRect R, Integer State, Integer Look, const TColorTones& Tones);
void DrawSpinButtons(TCanvas* Canvas, HWND Wnd, TRect R, Integer State, Integer Look, const TColorTones& Tones);

// A filled triangle pointing down from (X - 3, Y) .. (X + 3, Y) to (X, Y + 3).
void DrawDropDownArrow(TCanvas* Canvas, Integer X, Integer Y, TColor Color);
void FillRectColor(TCanvas* Canvas, const TRect& R, TColor Color);

// A bar filled to the value's percentage with its text: the format applied to
// the value (rounded when the format holds "d" or "u"), else the rounded
// value and "%". With TextAtBottom the text's y is taken as its bottom. The
// percentage of equal bounds is 0, or 100 from the maximum up.
void DrawProgressBar(TCanvas* Canvas, TRect R, TColor FillColor, bool TextAtBottom, TColor BorderColor,
                     const String& ValueFormat, double Maximum, double Minimum, Integer InsetY, Integer InsetX,
                     double Value, TColor RestTextColor, TColor RestColor, TColor FillTextColor);
// A grey ellipse with the slice of Percentage filled in Color, clockwise from
// twelve o'clock. The flag only moved the seed of a flood fill, which a
// filled pie replaces.
void DrawProgressPie(TCanvas* Canvas, TRect R, TColor Color, bool SeedAboveTop, Integer Percentage);

// The look of DrawProgressXP: four levels, each a colour and the end colour
// of its gradient.
struct TProgressAppearance {
    TColor Level0Color = clNone;
    TColor Level0ColorTo = clNone;
    TColor Level1Color = clNone;
    TColor Level1ColorTo = clNone;
    TColor Level2Color = clNone;
    TColor Level2ColorTo = clNone;
    TColor Level3Color = clNone;
    TColor Level3ColorTo = clNone;
    Integer Level1Perc = 0;
    Integer Level2Perc = 0;
    bool Stacked = false;
    bool ShowGradient = false;
    Integer Steps = 0;
    bool CompletionSmooth = false;
    bool ShowBorder = false;
    TColor BorderColor = clNone;
    bool ShowPercentage = false;
    TFont* Font = nullptr;
    TColor CompleteFontColor = clNone;
    TColor UnCompleteColor = clNone;
};
// A bar along the longer side of R; see docs/architecture.md for the levels
// and blocks.
void DrawProgressXP(TCanvas* Canvas, TRect R, Integer Percentage, const TProgressAppearance& Appearance);
// A bar of Value / Range of the half width from the centre, right in
// PositiveColor, left in NegativeColor; no bar for a range of 0 or less.
void DrawRangeIndicator(TCanvas* Canvas, TRect R, Integer Value, TColor PositiveColor, TColor NegativeColor,
                        bool ShowValue, Integer Range);
void DrawCellShape(TCanvas* Canvas, Integer X, Integer Y, Integer Width, Integer Height, TCellShape Shape,
                   TColor PenColor, TColor BrushColor);

// The bitmap at its own size at R's top-left, its top-left pixel's colour
// replaced by BackgroundColor.
void DrawTransparentBitmap(TCanvas* Canvas, TBitmap* Bitmap, TColor BackgroundColor, const TRect& R);
// The same for a bitmap of the program's resources; nothing when there is none.
void DrawTransparentResBitmap(TCanvas* Canvas, TColor BackgroundColor, const TRect& R, const String& ResName);
// A red zig-zag under ErrLen characters of Text from ErrPos (1-based), as the
// text shows in a single-line edit at R in Parent's font, lowered by Offset.
void DrawErrorUnderline(TControl* Parent, TCanvas* Canvas, const String& Text, Integer ErrPos, Integer ErrLen,
                        Integer Offset, const TRect& R);

// ---------------------------------------------------------------------------
// Filter expressions (ExUtil_Filter.cpp): conditions such as >=10&<20,
// "a b"*, !x* or (A*|B*)&!AB, joined strictly from left to right.

// Whether Value passes the expression; blanks outside double quotes do not
// count and a first "=" is dropped. A group whose ")" is missing runs to
// the end. Unless CaseSensitive, texts are compared upper-cased.
bool MatchFilterExpr(const String& Expression, const String& Value, bool CaseSensitive);
// One condition, upper-cased with Value unless CaseSensitive.
bool MatchFilterCondition(const String& Condition, const String& Value, bool CaseSensitive);
// ">", ">=", "<", "<=" comparisons (as numbers, dates or text, whichever
// both sides read as), "!" negation, then the wildcards "*" and "?".
bool MatchFilterPattern(const String& Condition, const String& Value);
// A date (and time after a blank) in the order of the short date format;
// both date separators and, for a time, the time separator are required.
bool ParseFilterDateTime(const String& S, TDateTime& Date);
String RemoveBlanksOutsideQuotes(const String& S);
// Position of the first of Chars outside double quotes, 0 when none.
Integer FindCharOutsideQuotes(const String& S, const String& Chars);
// Position of the ")" that closes the "(" at S's start, 0 when none.
Integer FindClosingParen(const String& S);
// The decimal separator as ".", thousand separators dropped, all else kept.
String NumberTextToPlain(const String& S);
