#pragma once
// The free routines of the drop-down unit: gradients and backgrounds, colour
// blending, text measuring and fitting, and the number-text routines of the
// edit types. Separators are the user's, read at each use.
#include "grid/base/ExUtil.h"
#include "rtl/Graphics.h"
#include "rtl/Windows.h"

class TImageList;
class TPictureContainer;

// Percent of Color1 mixed into Color2; 100 or more gives Color1 as it is,
// 0 or less Color2.
TColor BlendColor(TColor Color1, TColor Color2, Integer Percent);
// Each channel that is not 0 scaled by min(100, 100 + change) %; a 0
// channel becomes max(0, change) in its low 8 bits.
TColor AdjustColor(TColor Color, Integer Red, Integer Green, Integer Blue);
// A gradient of 80 steps (ColorTo set) or a solid fill (Color set), then a
// frame of BorderWidth in BorderColor.
void DrawBackground(TCanvas* Canvas, const TRect& R, TColor Color, TColor ColorTo, TColor BorderColor,
                    Integer BorderWidth, TGradientDirection Direction);
// The list image at the left (when ImageIndex >= 0 and Images is set) and
// the text on one line, vertically centred, ended by "..." when too long,
// centred horizontally only without an image.
void DrawImageText(TCanvas* Canvas, const TRect& R, const String& Text, TImageList* Images, Integer ImageIndex);
// Bitmap on BackColor, its top-left pixel's colour transparent, cut to R.
void DrawTransparentGlyph(TCanvas* Canvas, TBitmap* Bitmap, TColor BackColor, const TRect& R);
// Width and height of Text on one line; (0, 0) for an empty text.
TSize GetTextSize(TCanvas* Canvas, const String& Text);
// Fitted := Text, or the first Text less its last characters (and "..."
// with Ellipsis) narrower than MaxWidth; Text when none is.
void FitTextToWidth(TCanvas* Canvas, const String& Text, Integer MaxWidth, bool Ellipsis, String& Fitted);
// Text as mini-HTML in R; Size receives its width and height ((0, 0) for
// an empty text). Selected draws the text in its selected state; Source
// holds the pictures the text names.
void DrawHTMLCaption(TCanvas* Canvas, const String& Text, const TRect& R, TImageList* Images, bool Selected,
                     TPictureContainer* Source, TSize& Size);

// The mini-HTML renderer as the drop-down draws with it (links $FF0000,
// shadows $808080): measures only, or draws, Text in R; the text's size.
TSize RenderDropDownHTML(TCanvas* Canvas, const String& Text, const TRect& R, TImageList* Images, bool MeasureOnly,
                         bool Selected, bool WordWrap, TPictureContainer* Source, HWND Window);

bool IsRangeSeparator(Char C);
// 0 integer, 1 float, 2 other (also empty), 5 hexadecimal.
Integer IsType(const String& S);
String StripThousandSeparators(const String& S);
Integer HexDigitValue(Char C);
// Wraps at 32 bits; a bad digit counts 0.
Integer HexToInt(const String& S);
String OptionalUpperCase(const String& S, bool Keep);
