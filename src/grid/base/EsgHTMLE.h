#pragma once
// Mini-HTML: the small markup of cell texts, hints and drop-down items.
//
// EsgHTMLE.cpp holds the language: the preparation of a text before layout,
// tag and attribute recognition, colours, sizes, control tags and the entity
// tables. Recognition goes by letters and sub-strings, leniently, as stored
// cell texts expect. EsgHTMLE_Text.cpp holds the text utilities (plain
// text, entity coding, embedded controls, search marks), EsgHTMLE_Draw.cpp
// DrawHTMLText, which measures, draws and hit-tests a text in a rectangle.
// Positions are 1-based, 0 meaning "not found"; nothing here raises.
#include "rtl/Graphics.h"
#include "rtl/Windows.h"

class TImageList;
class THTMLPictureCache;
class TPictureContainer;

// ---------------------------------------------------------------------------
// Process-wide settings

// The colours of HI spans; the grid sets them from its highlight settings.
extern TColor HTMLHighlightColor;
extern TColor HTMLHighlightTextColor;
void SetHTMLHighlightColors(TColor Background, TColor Text);
// Themed controls need the visual styles of the system; always there here.
extern bool IsWinXPOrLater;

// The accented and special characters with their entities, in table order.
constexpr int HTMLAccentCount = 55;
extern const char16_t HTMLAccentChars[HTMLAccentCount];
extern const char* const HTMLAccentEntities[HTMLAccentCount];

// ---------------------------------------------------------------------------
// The language

// The whole text as DrawHTMLText lays it out: "&amp;" becomes "&&" (runs are
// drawn with the prefix rule) and the named entities of the drawing their
// characters, each once, left to right; then UnwrapHashTags and
// LineBreaksToBRTags.
String PrepareHTMLText(const String& S);
// Each "<#" loses its "<" and the first ">" after it goes.
String UnwrapHashTags(const String& S);
// LF removed, CR as "<BR>".
String LineBreaksToBRTags(const String& S);
// "&nbsp;", "&lt;" and "&gt;" of a prepared run; "&&" stays as it is, so an
// escaped ampersand never starts an entity.
String DecodeRunEntities(const String& Run);

// "#RRGGBB": red in characters 2-3, green 4-5, blue 6-7; digits "0".."9"
// and "A".."F" (anything else counts 0).
TColor HTMLColorByHex(const String& Value);
// One of the 40 names ("clred" ... "clinfobk"), case ignored; 0 otherwise.
TColor HTMLColorByName(const String& Name);
// The two hexadecimal digits at the start of the text.
Integer HexByteValue(const String& Digits);
// The leading decimal digits ("12px" is 12, "px" 0); saturates at 1,000,000,
// so that sizes added up cannot overflow.
Integer LeadingInt(const String& S);
// The value of attribute Name (upper case) of a tag: the text between the
// first double quote after the name and the next one; found in Upper (the
// tag upper-cased), taken from Source (the tag itself or Upper). False when
// the name or the quotes are missing.
bool HTMLTagValue(const String& Upper, const String& Source, const char* Name, String& Value);
// FONT SIZE: after "SIZE", its "=" and the first double quote; 1..5 are 8,
// 10, 12, 14, 16 points, other numbers the points themselves. -1 without SIZE.
Integer HTMLFontSize(const String& Upper);
// P ALIGN: the last of "RIGHT" (1), "LEFT" (0), "CENTER" (2) found; -1 none.
Integer HTMLParagraphAlign(const String& Value);
// Every character as "*".
String PasswordMask(const String& S);

// The attributes of an embedded control, as written; Type upper-cased,
// Value and Prop decoded with the accented entities.
struct THTMLControl {
    String Type;
    String Width;
    String Height;  // as written; empty when absent
    String ID;
    String Value;
    String Prop;
    String MaxLen;
    // HEIGHT, or 25 when absent or not a number.
    Integer BoxHeight() const;
};
// Reads the attribute text of a control tag (what follows "<CONTROL").
THTMLControl ParseHTMLControl(const String& Attributes);

// ---------------------------------------------------------------------------
// Text utilities

// Plain text: "<BR>" and "<HR>" in any case as CR LF, every other tag removed.
String StripHTMLTags(const String& S);
// Plain text: every tag removed. A "<" without a ">" after it, or whose
// first ">" comes before it, starts no tag.
String HTMLPlainText(const String& S);
// "&", double quote, "<", ">" as entities; with Accented also the 55 table
// characters. One pass: nothing written is looked at again.
String EscapeHTML(const String& S, bool Accented);
// The reverse, one pass: "&lt;", "&gt;", "&amp;", "&quot;" in any case; with
// Accented the 55 entities in their exact case.
String UnescapeHTML(const String& S, bool Accented);
String SpacesToNbsp(const String& S);

bool HasHTMLControls(const String& S);
// The ID of the next editable control (not BUTTON, CHECK or RADIO) after the
// one with ID, or of the first when ID is empty; empty when none.
String GetNextHTMLControlID(const String& S, const String& ID);
bool GetHTMLControlValue(const String& S, const String& ID, String& Value);
String GetHTMLControlProp(const String& S, const String& ID);
Integer GetHTMLControlMaxLen(const String& S, const String& ID);
// Rewrites the tag of the control with ID with the new value; false and S
// unchanged when no control has that ID. A HEIGHT the tag had is kept.
bool SetHTMLControlValue(String& S, const String& ID, const String& Value);
// Every RADIO control's VALUE set to "FALSE".
String ClearHTMLRadioControls(const String& S);

// Every occurrence of Search in the plain text wrapped in "<Tag>" and
// "</Tag>"; a text with stray brackets is marked as escaped plain text.
String InsertMarkTags(const String& S, const String& Search, const String& Tag, bool CaseSensitive);
// Removes "<Tag>" and "</Tag>" in any case, then "&lt;"/"&gt;" as "<"/">".
String RemoveMarkTags(const String& S, const String& Tag);
// The position of the N-th plain character; length + 1 for the one after
// the last, 0 beyond.
Integer PlainToHTMLPos(const String& S, Integer N);
// Search in the text after its first Offset characters; Offset + the
// position found, or 0. Pos receives the result.
Integer FindFromOffset(const String& Search, const String& Text, Integer Offset, bool CaseSensitive, Integer& Pos);

// ---------------------------------------------------------------------------
// Layout and drawing

// Measures, draws and hit-tests S in R (see docs/architecture.md). The
// canvas's font, pen and brush are the starting state and are put back.
bool DrawHTMLText(TCanvas* Canvas, const String& S, TRect R, TImageList* FImages, Integer XPos, Integer YPos,
                  Integer FocusLink, Integer HoverLink, Integer ShadowOffset, bool CheckHotSpot, bool CheckHeight,
                  bool Print, bool Selected, bool Blink, bool HoverStyle, bool WordWrap, bool Down,
                  double ResFactor, TColor URLColor, TColor HoverColor, TColor HoverFontColor, TColor ShadowColor,
                  String& AnchorVal, String& StripVal, String& FocusAnchor, String& AnchorHint, Integer& XSize,
                  Integer& YSize, Integer& HyperLinks, Integer& MouseLink, TRect& HoverRect, TRect& CtrlRect,
                  String& CID, String& CV, String& CT, THTMLPictureCache* ic, TPictureContainer* pc,
                  HWND WinHandle, Integer BiDiMode);
// The text flags of the runs for the BiDi mode: on a system that reads right
// to left, mode 1 mirrors the horizontal alignment and any mode but 0 adds
// right-to-left reading.
Cardinal BiDiDrawFlags(Cardinal Flags, Integer BiDiMode);
