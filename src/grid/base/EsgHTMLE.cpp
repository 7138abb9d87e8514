// Mini-HTML, the language: preparation of a text, tag attributes, colours,
// sizes, control tags and the entity tables.
#include "grid/base/EsgHTMLE.h"

#include "grid/base/EsgHTMLE_Internal.h"

#include "rtl/SysUtils.h"

#include <algorithm>
#include <cstring>
#include <iterator>

TColor HTMLHighlightColor = clHighlight;
TColor HTMLHighlightTextColor = clHighlightText;
bool IsWinXPOrLater = true;

void SetHTMLHighlightColors(TColor Background, TColor Text)
{
    HTMLHighlightColor = Background;
    HTMLHighlightTextColor = Text;
}

const char16_t HTMLAccentChars[HTMLAccentCount] = {
    u'é', u'è', u'ë', u'ê', u'ó', u'ò', u'ö', u'ô', u'í', u'ì', u'ï', u'î', u'ú', u'ù', u'ü', u'û', u'á', u'à', u'ä',
    u'â', u'É', u'È', u'Ë', u'Ê', u'Ó', u'Ò', u'Ö', u'Ô', u'Í', u'Ì', u'Ï', u'Î', u'Ú', u'Ù', u'Ü', u'Û', u'Á', u'À',
    u'Ä', u'Â', u'ç', u'Ç', u'ø', u'Ø', u'å', u'Å', u'©', u'®', u'€', u'«', u'»', u'ã', u'Ã', u'õ', u'Õ',
};

const char* const HTMLAccentEntities[HTMLAccentCount] = {
    "&eacute;", "&egrave;", "&euml;",   "&ecirc;",  "&oacute;", "&ograve;", "&ouml;",   "&ocirc;",  "&iacute;",
    "&igrave;", "&iuml;",   "&icirc;",  "&uacute;", "&ugrave;", "&uuml;",   "&ucirc;",  "&aacute;", "&agrave;",
    "&auml;",   "&acirc;",  "&Eacute;", "&Egrave;", "&Euml;",   "&Ecirc;",  "&Oacute;", "&Ograve;", "&Ouml;",
    "&Ocirc;",  "&Iacute;", "&Igrave;", "&Iuml;",   "&Icirc;",  "&Uacute;", "&Ugrave;", "&Uuml;",   "&Ucirc;",
    "&Aacute;", "&Agrave;", "&Auml;",   "&Acirc;",  "&ccedil;", "&Ccedil;", "&oslash;", "&Oslash;", "&aring;",
    "&Aring;",  "&copy;",   "&reg;",    "&euro;",   "&laquo;",  "&raquo;",  "&atilde;", "&Atilde;", "&otilde;",
    "&Otilde;",
};

namespace esghtml {

bool MatchesAt(const String& S, qsizetype At, const char* Literal, qsizetype Length)
{
    if (At < 0 || At + Length > S.size())
        return false;
    for (qsizetype I = 0; I < Length; ++I) {
        char16_t C = S[At + I].unicode();
        if (C >= u'a' && C <= u'z')
            C = char16_t(C - u'a' + u'A');
        char16_t L = char16_t(static_cast<unsigned char>(Literal[I]));
        if (L >= u'a' && L <= u'z')
            L = char16_t(L - u'a' + u'A');
        if (C != L)
            return false;
    }
    return true;
}

TControlTag NextControlTag(const String& S, qsizetype From)
{
    static const char Marker[] = "<CONTROL ";
    constexpr qsizetype MarkerLength = sizeof(Marker) - 1;
    for (qsizetype I = S.indexOf(u'<', From); I >= 0; I = S.indexOf(u'<', I + 1)) {
        if (!MatchesAt(S, I, Marker))
            continue;
        TControlTag Tag;
        Tag.Start = I;
        const qsizetype Close = S.indexOf(u'>', I + MarkerLength);
        Tag.End = Close < 0 ? S.size() : Close;
        Tag.Attributes = S.mid(I + MarkerLength, Tag.End - I - MarkerLength);
        return Tag;
    }
    return {};
}

} // namespace esghtml

// ---------------------------------------------------------------------------
// Preparation

namespace {

using esghtml::TNamedEntity;

// The entities decoded before layout; "&amp;" keeps the ampersand doubled
// for the prefix rule of the runs.
const TNamedEntity HTMLDrawEntities[] = {
    {"&amp;", u"&&"}, {"&quot;", u"\""}, {"&sect;", u"§"},  {"&permil;", u"‰"}, {"&reg;", u"®"},
    {"&copy;", u"©"}, {"&para;", u"¶"},  {"&trade;", u"™"}, {"&euro;", u"€"},
};

const TNamedEntity HTMLRunEntities[] = {
    {"&nbsp;", u" "},
    {"&lt;", u"<"},
    {"&gt;", u">"},
};

} // namespace

String UnwrapHashTags(const String& S)
{
    if (!S.contains(QStringLiteral("<#")))
        return S;
    String Out;
    Out.reserve(S.size());
    Integer Pending = 0;  // ">" still to drop, one for each "<#" met
    for (qsizetype I = 0; I < S.size(); ++I) {
        if (S[I] == u'<' && I + 1 < S.size() && S[I + 1] == u'#') {
            ++Pending;
            continue;
        }
        if (S[I] == u'>' && Pending > 0) {
            --Pending;
            continue;
        }
        Out += S[I];
    }
    return Out;
}

String LineBreaksToBRTags(const String& S)
{
    if (!S.contains(u'\r') && !S.contains(u'\n'))
        return S;
    String Out;
    Out.reserve(S.size());
    for (const QChar C : S) {
        if (C == u'\r')
            Out += QStringLiteral("<BR>");
        else if (C != u'\n')
            Out += C;
    }
    return Out;
}

String PrepareHTMLText(const String& S)
{
    const String Decoded = esghtml::DecodeEntities(
        S, [&S](qsizetype At, String& Out) { return esghtml::AppendEntity(S, At, HTMLDrawEntities, Out); });
    return LineBreaksToBRTags(UnwrapHashTags(Decoded));
}

String DecodeRunEntities(const String& Run)
{
    return esghtml::DecodeEntities(Run, [&Run](qsizetype At, String& Out) -> qsizetype {
        if (At + 1 < Run.size() && Run[At + 1] == u'&') {
            Out += QStringLiteral("&&");
            return 2;
        }
        return esghtml::AppendEntity(Run, At, HTMLRunEntities, Out);
    });
}

// ---------------------------------------------------------------------------
// Values

namespace {

Integer HexDigitOf(const String& S, qsizetype Index)
{
    if (Index >= S.size())
        return 0;
    const char16_t C = S[Index].unicode();
    if (C >= u'0' && C <= u'9')
        return C - u'0';
    if (C >= u'A' && C <= u'F')
        return C - u'A' + 10;
    return 0;
}

struct THTMLNamedColor {
    const char* Name;
    TColor Color;
};

const THTMLNamedColor HTMLNamedColors[] = {
    {"clred", 0x0000FF},
    {"clblack", 0x000000},
    {"clblue", 0xFF0000},
    {"clgreen", 0x008000},
    {"claqua", 0xFFFF00},
    {"clyellow", 0x00FFFF},
    {"clfuchsia", 0xFF00FF},
    {"clwhite", 0xFFFFFF},
    {"cllime", 0x00FF00},
    {"clsilver", 0xC0C0C0},
    {"clgray", 0x808080},
    {"clolive", 0x008080},
    {"clnavy", 0x800000},
    {"clpurple", 0x800080},
    {"clteal", 0x808000},
    {"clmaroon", 0x000080},
    {"clbackground", clBackground},
    {"clactivecaption", clActiveCaption},
    {"clinactivecaption", clInactiveCaption},
    {"clmenu", clMenu},
    {"clwindow", clWindow},
    {"clwindowframe", clWindowFrame},
    {"clmenutext", clMenuText},
    {"clwindowtext", clWindowText},
    {"clcaptiontext", clCaptionText},
    {"clactiveborder", clActiveBorder},
    {"clinactiveborder", clInactiveBorder},
    {"clappworkspace", clAppWorkSpace},
    {"clhighlight", clHighlight},
    {"clhighlighttext", clHighlightText},
    {"clbtnface", clBtnFace},
    {"clbtnshadow", clBtnShadow},
    {"clgraytext", clGrayText},
    {"clbtntext", clBtnText},
    {"clinactivecaptiontext", clInactiveCaptionText},
    {"clbtnhighlight", clBtnHighlight},
    {"cl3ddkshadow", cl3DDkShadow},
    {"cl3dlight", cl3DLight},
    {"clinfotext", clInfoText},
    {"clinfobk", clInfoBk},
};

constexpr Integer LeadingIntLimit = 1000000;

} // namespace

Integer HexByteValue(const String& Digits) { return HexDigitOf(Digits, 0) * 16 + HexDigitOf(Digits, 1); }

TColor HTMLColorByHex(const String& Value)
{
    return RGB(Byte(HexByteValue(Value.mid(1, 2))), Byte(HexByteValue(Value.mid(3, 2))),
               Byte(HexByteValue(Value.mid(5, 2))));
}

TColor HTMLColorByName(const String& Name)
{
    const String Lower = LowerCase(Name);
    const auto* Found = std::find_if(std::begin(HTMLNamedColors), std::end(HTMLNamedColors),
                                     [&](const THTMLNamedColor& C) { return Lower == QLatin1String(C.Name); });
    return Found == std::end(HTMLNamedColors) ? clBlack : Found->Color;
}

Integer LeadingInt(const String& S)
{
    Integer Value = 0;
    for (const QChar C : S) {
        if (C < u'0' || C > u'9')
            break;
        Value = std::min(LeadingIntLimit, Value * 10 + (C.unicode() - u'0'));
    }
    return Value;
}

bool HTMLTagValue(const String& Upper, const String& Source, const char* Name, String& Value)
{
    const qsizetype At = Upper.indexOf(QLatin1String(Name));
    if (At < 0)
        return false;
    const qsizetype Open = Upper.indexOf(u'"', At + qsizetype(std::strlen(Name)));
    const qsizetype Close = Open < 0 ? -1 : Upper.indexOf(u'"', Open + 1);
    if (Close < 0)
        return false;
    Value = Source.mid(Open + 1, Close - Open - 1);
    return true;
}

Integer HTMLFontSize(const String& Upper)
{
    const qsizetype At = Upper.indexOf(QLatin1String("SIZE"));
    if (At < 0)
        return -1;
    String Rest = Upper.mid(At + 4);
    Rest.remove(0, Rest.indexOf(u'=') + 1);
    Rest.remove(0, Rest.indexOf(u'"') + 1);
    static const Integer Points[] = {8, 10, 12, 14, 16};
    const Integer N = LeadingInt(Rest);
    return N >= 1 && N <= 5 ? Points[N - 1] : N;
}

Integer HTMLParagraphAlign(const String& Value)
{
    Integer Align = -1;
    if (Value.contains(QLatin1String("RIGHT")))
        Align = 1;
    if (Value.contains(QLatin1String("LEFT")))
        Align = 0;
    if (Value.contains(QLatin1String("CENTER")))
        Align = 2;
    return Align;
}

String PasswordMask(const String& S) { return String(S.size(), u'*'); }

// ---------------------------------------------------------------------------
// Control tags

Integer THTMLControl::BoxHeight() const
{
    Integer Value = 0;
    return !Height.isEmpty() && TryStrToInt(Height, Value) ? Value : 25;
}

THTMLControl ParseHTMLControl(const String& Attributes)
{
    const String Upper = UpperCase(Attributes);
    const auto Read = [&](const char* Name) {
        String Value;
        HTMLTagValue(Upper, Attributes, Name, Value);
        return Value;
    };
    THTMLControl Control;
    Control.Type = UpperCase(Read("TYPE="));
    Control.Width = Read("WIDTH=");
    Control.Height = Read("HEIGHT=");
    Control.ID = Read("ID=");
    Control.Value = UnescapeHTML(Read("VALUE="), true);
    Control.Prop = UnescapeHTML(Read("PROP="), true);
    Control.MaxLen = Read("MAXLEN=");
    return Control;
}
