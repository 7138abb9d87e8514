#pragma once
// How the description readers read elements and attributes; shared by the
// reader sources of UIOLink_IODD_Decode only.
#include "platform/XmlDoc.h"
#include "rtl/System.h"

#include <cmath>
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

// Element names as the item readers compare them.
inline String UpperName(const xml::TXMLNode& Node)
{
    return Node.NodeName().trimmed().toUpper();
}

// The element's xsi:type, trimmed and upper-cased; empty when missing.
inline String TypeName(const xml::TXMLNode& Node)
{
    static const String XsiNamespace = String::fromLatin1(xml::XSI_NAMESPACE);
    static const String Type = QStringLiteral("type");
    const std::optional<String> Value = Node.AttributeNS(XsiNamespace, Type);
    return Value ? Value->trimmed().toUpper() : String();
}

inline bool ToInteger(const String& Text, Integer& Value)
{
    bool Ok = false;
    const Integer Read = Text.toInt(&Ok, 10);
    if (Ok)
        Value = Read;
    return Ok;
}

// True exactly when the attribute reads "true".
inline bool Flag(const xml::TXMLNode& Node, const String& Name)
{
    const std::optional<String> Value = Node.Attribute(Name);
    return Value && *Value == QLatin1String("true");
}

inline String GuardedText(const xml::TXMLNode& Node, const String& Name, const String& Default = String())
{
    const std::optional<String> Value = Node.Attribute(Name);
    return Value ? *Value : Default;
}

inline Integer GuardedInteger(const xml::TXMLNode& Node, const String& Name, Integer Default)
{
    const std::optional<String> Value = Node.Attribute(Name);
    Integer Result = Default;
    if (Value)
        ToInteger(*Value, Result);
    return Result;
}

inline Int64 GuardedInt64(const xml::TXMLNode& Node, const String& Name, Int64 Default)
{
    const std::optional<String> Value = Node.Attribute(Name);
    if (!Value)
        return Default;
    bool Ok = false;
    const Int64 Read = Value->toLongLong(&Ok, 10);
    return Ok ? Read : Default;
}

inline Single GuardedSingle(const xml::TXMLNode& Node, const String& Name, Single Default)
{
    const std::optional<String> Value = Node.Attribute(Name);
    if (!Value)
        return Default;
    bool Ok = false;
    const Single Read = Value->trimmed().toFloat(&Ok);
    return Ok && std::isfinite(Read) ? Read : Default;
}

inline void OptionalText(const xml::TXMLNode& Node, const String& Name, String& Field)
{
    if (std::optional<String> Value = Node.Attribute(Name))
        Field = std::move(*Value);
}

// The "textId" of the named child; empty when the child or the attribute
// is missing.
inline String ChildTextId(const xml::TXMLNode& Node, const String& ChildName)
{
    const xml::TXMLNode Child = Node.FindChild(ChildName);
    return Child ? GuardedText(Child, QStringLiteral("textId")) : String();
}

} // namespace iodd_read
