// Mini-HTML text utilities: plain text, entity coding, embedded controls and
// search marks. Each walks the text once, so long texts cost what they hold.
#include "grid/base/EsgHTMLE.h"

#include "grid/base/EsgHTMLE_Internal.h"

#include "rtl/SysUtils.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

namespace {

using esghtml::TControlTag;

// Calls Visit(From, To, Plain) for each stretch of the text in order: plain
// characters, or a tag from its "<" through its ">". A "<" without a ">"
// after it, or whose first ">" comes before it, makes the rest plain.
template <typename Visitor>
void WalkHTMLText(const String& S, Visitor Visit)
{
    qsizetype I = 0;
    while (I < S.size()) {
        const qsizetype Open = S.indexOf(u'<', I);
        const qsizetype Close = S.indexOf(u'>', I);
        if (Open < 0 || Close < 0 || Close < Open) {
            Visit(I, S.size(), true);
            return;
        }
        if (Open > I)
            Visit(I, Open, true);
        Visit(Open, Close + 1, false);
        I = Close + 1;
    }
}

String ReplaceBreakTags(const String& S)
{
    String Out;
    Out.reserve(S.size());
    for (qsizetype I = 0; I < S.size(); ++I) {
        if (esghtml::MatchesAt(S, I, "<BR>") || esghtml::MatchesAt(S, I, "<HR>")) {
            Out += QStringLiteral("\r\n");
            I += 3;
        } else {
            Out += S[I];
        }
    }
    return Out;
}

const esghtml::TNamedEntity HTMLMarkupEntities[] = {
    {"&lt;", u"<"},
    {"&gt;", u">"},
    {"&amp;", u"&"},
    {"&quot;", u"\""},
};

// The accented entity standing at S[At] in its exact case: its character
// appended and its length answered; 0 when none.
qsizetype AppendAccentChar(const String& S, qsizetype At, String& Out)
{
    for (int I = 0; I < HTMLAccentCount; ++I) {
        const QLatin1String Entity(HTMLAccentEntities[I]);
        if (QStringView(S).mid(At, Entity.size()) == Entity) {
            Out += QChar(HTMLAccentChars[I]);
            return Entity.size();
        }
    }
    return 0;
}

const char* AccentEntityOf(QChar C)
{
    const auto* End = HTMLAccentChars + HTMLAccentCount;
    const auto* Found = std::find(HTMLAccentChars, End, C.unicode());
    return Found == End ? nullptr : HTMLAccentEntities[Found - HTMLAccentChars];
}

// The first control whose ID is exactly ID; Start -1 when none.
TControlTag FindControlTag(const String& S, const String& ID, THTMLControl& Control)
{
    for (TControlTag Tag = esghtml::NextControlTag(S, 0); Tag.Start >= 0;
         Tag = esghtml::NextControlTag(S, Tag.End)) {
        Control = ParseHTMLControl(Tag.Attributes);
        if (Control.ID == ID)
            return Tag;
    }
    return {};
}

String QuotedAttribute(const char* Name, const String& Value)
{
    return QStringLiteral(" %1=\"%2\"").arg(QLatin1String(Name), Value);
}

// One mark to insert before the plain character it belongs to.
struct TMarkTag {
    Integer Before;  // 1-based plain character; count + 1 is the end
    bool Closing;
};

} // namespace

// ---------------------------------------------------------------------------
// Plain text

String HTMLPlainText(const String& S)
{
    String Out;
    Out.reserve(S.size());
    WalkHTMLText(S, [&](qsizetype From, qsizetype To, bool Plain) {
        if (Plain)
            Out += QStringView(S).mid(From, To - From);
    });
    return Out;
}

String StripHTMLTags(const String& S) { return HTMLPlainText(ReplaceBreakTags(S)); }

Integer PlainToHTMLPos(const String& S, Integer N)
{
    if (N < 1)
        return 0;
    Integer Counted = 0;
    Integer Result = 0;
    WalkHTMLText(S, [&](qsizetype From, qsizetype To, bool Plain) {
        if (!Plain || Result)
            return;
        if (N <= Counted + Integer(To - From))
            Result = Integer(From) + (N - Counted);
        Counted += Integer(To - From);
    });
    if (Result)
        return Result;
    return N == Counted + 1 ? Integer(S.size()) + 1 : 0;
}

Integer FindFromOffset(const String& Search, const String& Text, Integer Offset, bool CaseSensitive, Integer& Pos)
{
    const qsizetype Found =
        Search.isEmpty() || Offset < 0
            ? -1
            : Text.indexOf(Search, Offset, CaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive);
    Pos = Found < 0 ? 0 : Integer(Found) + 1;
    return Pos;
}

// ---------------------------------------------------------------------------
// Entities

String EscapeHTML(const String& S, bool Accented)
{
    String Out;
    Out.reserve(S.size());
    for (const QChar C : S) {
        const char* Entity = nullptr;
        switch (C.unicode()) {
        case u'&': Entity = "&amp;"; break;
        case u'"': Entity = "&quot;"; break;
        case u'<': Entity = "&lt;"; break;
        case u'>': Entity = "&gt;"; break;
        default: Entity = Accented ? AccentEntityOf(C) : nullptr;
        }
        if (Entity)
            Out += QLatin1String(Entity);
        else
            Out += C;
    }
    return Out;
}

String UnescapeHTML(const String& S, bool Accented)
{
    return esghtml::DecodeEntities(S, [&](qsizetype At, String& Out) {
        const qsizetype Taken = esghtml::AppendEntity(S, At, HTMLMarkupEntities, Out);
        return Taken || !Accented ? Taken : AppendAccentChar(S, At, Out);
    });
}

String SpacesToNbsp(const String& S)
{
    String Out = S;
    return Out.replace(u' ', QStringLiteral("&nbsp;"));
}

// ---------------------------------------------------------------------------
// Embedded controls

bool HasHTMLControls(const String& S) { return S.contains(QLatin1String("<CONTROL"), Qt::CaseInsensitive); }

String GetNextHTMLControlID(const String& S, const String& ID)
{
    bool Passed = ID.isEmpty();
    for (TControlTag Tag = esghtml::NextControlTag(S, 0); Tag.Start >= 0;
         Tag = esghtml::NextControlTag(S, Tag.End)) {
        const THTMLControl Control = ParseHTMLControl(Tag.Attributes);
        const bool Editable = Control.Type != QLatin1String("BUTTON") && Control.Type != QLatin1String("CHECK") &&
                              Control.Type != QLatin1String("RADIO");
        if (Passed && Editable)
            return Control.ID;
        if (Control.ID == ID)
            Passed = true;
    }
    return {};
}

bool GetHTMLControlValue(const String& S, const String& ID, String& Value)
{
    THTMLControl Control;
    if (FindControlTag(S, ID, Control).Start < 0)
        return false;
    Value = Control.Value;
    return true;
}

String GetHTMLControlProp(const String& S, const String& ID)
{
    THTMLControl Control;
    return FindControlTag(S, ID, Control).Start < 0 ? String() : Control.Prop;
}

Integer GetHTMLControlMaxLen(const String& S, const String& ID)
{
    THTMLControl Control;
    return FindControlTag(S, ID, Control).Start < 0 ? 0 : StrToIntDef(Control.MaxLen, 0);
}

bool SetHTMLControlValue(String& S, const String& ID, const String& Value)
{
    THTMLControl Control;
    const TControlTag Tag = FindControlTag(S, ID, Control);
    if (Tag.Start < 0)
        return false;
    String Rebuilt = QStringLiteral("<CONTROL") + QuotedAttribute("ID", Control.ID) +
                     QuotedAttribute("VALUE", EscapeHTML(Value, true)) + QuotedAttribute("WIDTH", Control.Width) +
                     QuotedAttribute("TYPE", Control.Type);
    if (!Control.Prop.isEmpty())
        Rebuilt += QuotedAttribute("PROP", EscapeHTML(Control.Prop, true));
    if (!Control.MaxLen.isEmpty())
        Rebuilt += QuotedAttribute("MAXLEN", Control.MaxLen);
    // What the author wrote stays: the box keeps its height after an edit.
    if (!Control.Height.isEmpty())
        Rebuilt += QuotedAttribute("HEIGHT", Control.Height);
    S = S.left(Tag.Start) + Rebuilt + u'>' + S.mid(Tag.End + 1);
    return true;
}

String ClearHTMLRadioControls(const String& S)
{
    std::vector<String> Radios;
    for (TControlTag Tag = esghtml::NextControlTag(S, 0); Tag.Start >= 0;
         Tag = esghtml::NextControlTag(S, Tag.End)) {
        const THTMLControl Control = ParseHTMLControl(Tag.Attributes);
        if (Control.Type == QLatin1String("RADIO"))
            Radios.push_back(Control.ID);
    }
    String Out = S;
    for (const String& ID : Radios)
        SetHTMLControlValue(Out, ID, QStringLiteral("FALSE"));
    return Out;
}

// ---------------------------------------------------------------------------
// Search marks

String InsertMarkTags(const String& S, const String& Search, const String& Tag, bool CaseSensitive)
{
    String Text = S;
    String Find = Search;
    String Plain = HTMLPlainText(S);
    if (S.contains(Search) && (Plain.contains(u'<') || Plain.contains(u'>'))) {
        // Stray brackets: the markup of such a text is given up.
        const auto EscapeBrackets = [](String T) {
            return T.replace(u'<', QStringLiteral("&lt;")).replace(u'>', QStringLiteral("&gt;"));
        };
        Text = EscapeBrackets(Plain);
        Find = EscapeBrackets(Search);
        Plain = Text;
    }
    // Each hit's tags go before its first plain character and before the one
    // after its last; the search goes on right after a hit, so the marks come
    // in text order, a closing tag before the opening tag of a hit next to it.
    std::vector<TMarkTag> Marks;
    Integer Pos = 0;
    for (Integer Offset = 0; FindFromOffset(Find, Plain, Offset, CaseSensitive, Pos) > 0;
         Offset = Pos - 1 + Integer(Find.size())) {
        Marks.push_back({Pos, false});
        Marks.push_back({Pos + Integer(Find.size()), true});
    }
    if (Marks.empty())
        return Text;
    const String Opening = String(u'<') + Tag + u'>';
    const String Closing = QStringLiteral("</") + Tag + u'>';
    String Out;
    Out.reserve(Text.size() + qsizetype(Marks.size()) * Closing.size());
    auto Next = Marks.cbegin();
    const auto EmitMarks = [&](Integer Before) {
        for (; Next != Marks.cend() && Next->Before == Before; ++Next)
            Out += Next->Closing ? Closing : Opening;
    };
    Integer Counted = 0;
    WalkHTMLText(Text, [&](qsizetype From, qsizetype To, bool IsPlain) {
        for (qsizetype I = From; I < To; ++I) {
            if (IsPlain)
                EmitMarks(++Counted);
            Out += Text[I];
        }
    });
    EmitMarks(Counted + 1);
    return Out;
}

String RemoveMarkTags(const String& S, const String& Tag)
{
    const String Upper = UpperCase(Tag);
    String Out = S;
    for (const String& Mark : {String(u'<' + Upper + u'>'), String(QStringLiteral("</") + Upper + u'>')}) {
        qsizetype Before = -1;
        while (Before != Out.size()) {
            Before = Out.size();
            Out.remove(Mark, Qt::CaseInsensitive);
        }
    }
    return Out.replace(QLatin1String("&lt;"), QLatin1String("<")).replace(QLatin1String("&gt;"), QLatin1String(">"));
}
