#pragma once
// What the sources of the mini-HTML unit share and nobody else uses.
#include "rtl/System.h"

#include <cstddef>
#include <cstring>

namespace esghtml {

// Whether S holds Literal (ASCII) at index At, ASCII letter case ignored.
bool MatchesAt(const String& S, qsizetype At, const char* Literal, qsizetype Length);
template <qsizetype N>
bool MatchesAt(const String& S, qsizetype At, const char (&Literal)[N])
{
    return MatchesAt(S, At, Literal, N - 1);
}

struct TNamedEntity {
    const char* Name;
    const char16_t* Text;
};

// When an entity of Table (its name in any case) stands at S[At]: its text
// appended to Out and the name's length answered; 0 otherwise.
template <std::size_t N>
qsizetype AppendEntity(const String& S, qsizetype At, const TNamedEntity (&Table)[N], String& Out)
{
    for (const TNamedEntity& E : Table) {
        const qsizetype Length = qsizetype(std::strlen(E.Name));
        if (MatchesAt(S, At, E.Name, Length)) {
            Out += QString::fromUtf16(E.Text);
            return Length;
        }
    }
    return 0;
}

// S with its entities decoded once, left to right: at each "&",
// Decode(At, Out) appends what the text there stands for and answers how
// many characters it took, or 0 to keep the "&".
template <typename Decoder>
String DecodeEntities(const String& S, Decoder Decode)
{
    if (!S.contains(u'&'))
        return S;
    String Out;
    Out.reserve(S.size());
    for (qsizetype I = 0; I < S.size(); ++I) {
        const qsizetype Taken = S[I] == u'&' ? Decode(I, Out) : 0;
        if (Taken > 0)
            I += Taken - 1;
        else
            Out += S[I];
    }
    return Out;
}

// One control tag: where its "<" stands, where its ">" stands (the end of
// the text when it has none) and its attributes.
struct TControlTag {
    qsizetype Start = -1;
    qsizetype End = -1;
    String Attributes;
};
// The first control tag ("<CONTROL " in any case) from index From; Start -1
// when there is none.
TControlTag NextControlTag(const String& S, qsizetype From);

} // namespace esghtml
