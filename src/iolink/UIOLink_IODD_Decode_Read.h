#pragma once
// How the description readers read elements and attributes; shared by the
// reader sources of UIOLink_IODD_Decode only.
#include "platform/XmlDoc.h"
#include "rtl/System.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <utility>
#include <memory>
#include <vector>

namespace iodd_read {

// Items of a collection are its element children; comments, texts and
// other nodes are passed over.
inline bool IsItem(const xml::TXMLNode& Node)
{
    return Node.NodeType() == xml::TNodeType::ntElement;
}

template <class Fn>
void ForEachItem(const xml::TXMLNode& Parent, Fn&& Visit)
{
    if (!Parent)
        return;
    for (xml::TXMLNode Child = Parent.FirstChild(); Child; Child = Child.NextSibling())
        if (IsItem(Child))
            Visit(Child);
}

// A collection loop: a new object per item, kept when the reader says so.
template <class T, class TRead>
void ReadCollection(const xml::TXMLNode& Collection, std::vector<std::unique_ptr<T>>& List, TRead&& Read)
{
    ForEachItem(Collection, [&](const xml::TXMLNode& Item) {
        auto Object = std::make_unique<T>();
        if (Read(Item, *Object))
            List.push_back(std::move(Object));
    });
}

// Names are compared and numbers and flags read as the parser holds them
// (UTF-8): only the values the tree keeps are converted to String.

inline bool IsAsciiBlank(char C)
{
    return C == ' ' || (C >= '\t' && C <= '\r');
}

// The bounds of Utf8 without the blanks around it; false when it holds
// more than ASCII, which takes String's full case mapping (under which some
// letters become ASCII ones).
inline bool AsciiTrimmed(const char* Utf8, const char*& Begin, const char*& End)
{
    Begin = Utf8;
    while (IsAsciiBlank(*Begin))
        ++Begin;
    for (End = Begin; *End; ++End)
        if (static_cast<unsigned char>(*End) >= 0x80)
            return false;
    while (End > Begin && IsAsciiBlank(End[-1]))
        --End;
    return true;
}

inline char AsciiUpper(char C)
{
    return C >= 'a' && C <= 'z' ? char(C - 'a' + 'A') : C;
}

// Whether Utf8, trimmed and upper-cased, reads Upper (upper-case ASCII).
inline bool SameUpper(const char* Utf8, const char* Upper)
{
    const char* Begin;
    const char* End;
    if (!AsciiTrimmed(Utf8, Begin, End))
        return String::fromUtf8(Utf8).trimmed().toUpper() == QLatin1StringView(Upper);
    for (; Begin < End; ++Begin, ++Upper)
        if (AsciiUpper(*Begin) != *Upper)
            return false;
    return *Upper == 0;
}

// The element's name, trimmed and upper-cased, reads Upper.
inline bool IsUpperName(const xml::TXMLNode& Node, const char* Upper)
{
    return SameUpper(Node.NameUtf8(), Upper);
}

// The element's name is Name exactly.
inline bool HasName(const xml::TXMLNode& Node, const char* Name)
{
    return std::strcmp(Node.NameUtf8(), Name) == 0;
}

// Utf8 trimmed and upper-cased as String does it.
inline String TrimmedUpper(const char* Utf8)
{
    const char* Begin;
    const char* End;
    if (!AsciiTrimmed(Utf8, Begin, End))
        return String::fromUtf8(Utf8).trimmed().toUpper();
    String Result(End - Begin, Qt::Uninitialized);
    QChar* Out = Result.data();
    for (const char* P = Begin; P < End; ++P)
        *Out++ = QLatin1Char(AsciiUpper(*P));
    return Result;
}

// The element's xsi:type, trimmed and upper-cased; empty when missing. The
// type names the readers know are shared constants, not copies.
inline String TypeName(const xml::TXMLNode& Node)
{
    using namespace Qt::StringLiterals;
    struct TKnownType {
        const char* Upper;
        String Name;
    };
    static const TKnownType Known[] = {
        {"UINTEGERT", u"UINTEGERT"_s}, {"INTEGERT", u"INTEGERT"_s}, {"RECORDT", u"RECORDT"_s},
        {"BOOLEANT", u"BOOLEANT"_s},   {"STRINGT", u"STRINGT"_s},   {"FLOAT32T", u"FLOAT32T"_s},
        {"ARRAYT", u"ARRAYT"_s},       {"OCTETSTRINGT", u"OCTETSTRINGT"_s}, {"TIMET", u"TIMET"_s},
        {"TIMESPANT", u"TIMESPANT"_s},
    };
    const char* Value = Node.AttributeNSUtf8(xml::XSI_NAMESPACE, "type");
    if (!Value)
        return String();
    const char* Begin;
    const char* End;
    char Upper[16];
    if (AsciiTrimmed(Value, Begin, End) && End - Begin < qsizetype(sizeof Upper)) {
        std::transform(Begin, End, Upper, AsciiUpper);
        Upper[End - Begin] = 0;
        for (const TKnownType& Type : Known)
            if (std::strcmp(Upper, Type.Upper) == 0)
                return Type.Name;
    }
    return TrimmedUpper(Value);
}

// An attribute value as a String view without a heap copy when it is short
// ASCII, as numbers nearly always are; so numbers are read by String's own
// rules.
class TValueView {
public:
    explicit TValueView(const char* Utf8)
    {
        qsizetype Size = 0;
        for (; Utf8[Size]; ++Size) {
            if (Size == qsizetype(std::size(FShort)) || static_cast<unsigned char>(Utf8[Size]) >= 0x80) {
                FLong = String::fromUtf8(Utf8);
                FView = FLong;
                return;
            }
            FShort[Size] = char16_t(static_cast<unsigned char>(Utf8[Size]));
        }
        FView = QStringView(FShort, Size);
    }
    TValueView(const TValueView&) = delete;
    TValueView& operator=(const TValueView&) = delete;

    QStringView View() const { return FView; }

private:
    char16_t FShort[40];
    String FLong;
    QStringView FView;
};

// A plain decimal of at most nine digits, as toInt reads it; false for
// anything else, which then goes to toInt.
inline bool PlainDecimal(const char* Utf8, Integer& Value)
{
    const bool Negative = *Utf8 == '-';
    const char* P = Utf8 + (Negative ? 1 : 0);
    Integer Read = 0;
    int Digits = 0;
    for (; *P >= '0' && *P <= '9'; ++P, ++Digits) {
        if (Digits == 9)
            return false;
        Read = Read * 10 + (*P - '0');
    }
    if (*P || Digits == 0)
        return false;
    Value = Negative ? -Read : Read;
    return true;
}

inline bool ToInteger(QStringView Text, Integer& Value)
{
    bool Ok = false;
    const Integer Read = Text.toInt(&Ok, 10);
    if (Ok)
        Value = Read;
    return Ok;
}

// Short values repeat throughout a description (units, display formats,
// default values, the ids that menus and types refer to): while a pool
// lives on this thread, each is converted once and the tree shares the
// copies. The pool keeps views into the documents being read, so it lives
// no longer than the decode that makes it. An open-addressed table with a
// byte hash: the general hash table cost more than the copies it saved.
class TValuePool {
public:
    TValuePool() : FOuter(std::exchange(Current, this)) {}
    ~TValuePool() { Current = FOuter; }
    TValuePool(const TValuePool&) = delete;
    TValuePool& operator=(const TValuePool&) = delete;

    static String Text(const char* Utf8)
    {
        const qsizetype Size = qsizetype(std::strlen(Utf8));
        if (!Current || Size > MaxPooled)
            return String::fromUtf8(Utf8, Size);
        return Current->Find(Utf8, Size);
    }

private:
    static constexpr qsizetype MaxPooled = 24;
    struct TSlot {
        const char* Utf8 = nullptr;   // null: free
        qsizetype Size = 0;
        String Value;
    };
    static inline thread_local TValuePool* Current = nullptr;
    TValuePool* FOuter;
    std::vector<TSlot> FSlots;
    std::size_t FUsed = 0;

    static std::size_t Hash(const char* Utf8, qsizetype Size)
    {
        std::size_t H = 14695981039346656037ULL;
        for (qsizetype I = 0; I < Size; ++I)
            H = (H ^ static_cast<unsigned char>(Utf8[I])) * 1099511628211ULL;
        return H;
    }

    // The slot that holds Utf8, or the free slot where it belongs.
    TSlot& SlotFor(const char* Utf8, qsizetype Size)
    {
        const std::size_t Mask = FSlots.size() - 1;
        for (std::size_t I = Hash(Utf8, Size) & Mask;; I = (I + 1) & Mask) {
            TSlot& Slot = FSlots[I];
            if (!Slot.Utf8 || (Slot.Size == Size && std::memcmp(Slot.Utf8, Utf8, std::size_t(Size)) == 0))
                return Slot;
        }
    }

    // Kept at most half full, so a search ends soon.
    void Grow()
    {
        std::vector<TSlot> Old(std::max<std::size_t>(FSlots.size() * 2, 256));
        Old.swap(FSlots);
        for (TSlot& Slot : Old)
            if (Slot.Utf8)
                SlotFor(Slot.Utf8, Slot.Size) = std::move(Slot);
    }

    String Find(const char* Utf8, qsizetype Size)
    {
        if (2 * (FUsed + 1) > FSlots.size())
            Grow();
        TSlot& Slot = SlotFor(Utf8, Size);
        if (!Slot.Utf8) {
            Slot.Utf8 = Utf8;
            Slot.Size = Size;
            Slot.Value = String::fromUtf8(Utf8, Size);
            ++FUsed;
        }
        return Slot.Value;
    }
};

// An attribute the tree keeps; nullopt when missing.
inline std::optional<String> KeptAttribute(const xml::TXMLNode& Node, const char* Name)
{
    const char* Value = Node.AttributeUtf8(Name);
    return Value ? std::optional<String>(TValuePool::Text(Value)) : std::nullopt;
}

// The readers below take either the element and the attribute's name, or
// the Value looked up already (null when missing), as readers do that take
// several attributes of one element in one walk (AttributesUtf8).

// True exactly when the attribute reads "true".
inline bool Flag(const char* Value) { return Value && std::strcmp(Value, "true") == 0; }

inline bool Flag(const xml::TXMLNode& Node, const char* Name) { return Flag(Node.AttributeUtf8(Name)); }

inline String GuardedText(const char* Value, const String& Default = String())
{
    return Value ? TValuePool::Text(Value) : Default;
}

inline String GuardedText(const xml::TXMLNode& Node, const char* Name, const String& Default = String())
{
    return GuardedText(Node.AttributeUtf8(Name), Default);
}

inline Integer GuardedInteger(const char* Value, Integer Default)
{
    Integer Result = Default;
    if (Value && !PlainDecimal(Value, Result))
        ToInteger(TValueView(Value).View(), Result);
    return Result;
}

inline Integer GuardedInteger(const xml::TXMLNode& Node, const char* Name, Integer Default)
{
    return GuardedInteger(Node.AttributeUtf8(Name), Default);
}

inline Int64 GuardedInt64(const xml::TXMLNode& Node, const char* Name, Int64 Default)
{
    const char* Value = Node.AttributeUtf8(Name);
    if (!Value)
        return Default;
    bool Ok = false;
    const Int64 Read = TValueView(Value).View().toLongLong(&Ok, 10);
    return Ok ? Read : Default;
}

inline Single GuardedSingle(const xml::TXMLNode& Node, const char* Name, Single Default)
{
    const char* Value = Node.AttributeUtf8(Name);
    if (!Value)
        return Default;
    bool Ok = false;
    const Single Read = TValueView(Value).View().trimmed().toFloat(&Ok);
    return Ok && std::isfinite(Read) ? Read : Default;
}

inline void OptionalText(const char* Value, String& Field)
{
    if (Value)
        Field = TValuePool::Text(Value);
}

inline void OptionalText(const xml::TXMLNode& Node, const char* Name, String& Field)
{
    OptionalText(Node.AttributeUtf8(Name), Field);
}

// The "textId" of the named child; empty when the child or the attribute
// is missing. Text ids hardly recur: they are not pooled.
inline String ChildTextId(const xml::TXMLNode& Node, const char* ChildName)
{
    const xml::TXMLNode Child = Node.FindChild(ChildName);
    const char* Value = Child ? Child.AttributeUtf8("textId") : nullptr;
    return Value ? String::fromUtf8(Value) : String();
}

} // namespace iodd_read
