#include "platform/XmlDoc.h"

#include "platform/TextCodec.h"

#include <QAnyStringView>
#include <QFile>
#include <QFileInfo>

#include <pugixml.hpp>

#include <algorithm>
#include <array>
#include <climits>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace xml {

struct TNodeImpl {
    static pugi::xml_node Get(const TXMLNode& Node)
    {
        return pugi::xml_node(static_cast<pugi::xml_node_struct*>(Node.FNode));
    }
    static TXMLNode Make(pugi::xml_node Node)
    {
        TXMLNode result;
        result.FNode = Node.internal_object();
        return result;
    }
};

struct TXMLDocument::TImpl {
    pugi::xml_document Doc;
};

namespace {

using pugi::xml_attribute;
using pugi::xml_node;

// Comments, declarations, processing instructions and the doctype are kept;
// text made only of white space is not (no parse_ws_pcdata). The document
// level is parsed as a fragment so that text and further elements there are
// kept and can be refused: the parser would drop text after the root.
constexpr unsigned kXmlParseOptions = pugi::parse_default | pugi::parse_comments |
                                      pugi::parse_declaration | pugi::parse_pi | pugi::parse_doctype |
                                      pugi::parse_fragment;

// Raised on every change of a child list and on every load, clear and
// destruction of a document, so a cursor into a changed list is never used.
std::atomic<std::uint64_t> GXmlTreeVersion{1};

void XmlTreeChanged() { GXmlTreeVersion.fetch_add(1, std::memory_order_relaxed); }

// The last child reached by index under the parents walked last, so that a
// walk by index takes one step per child, also when the walk of each child's
// own children comes between two steps.
struct TXmlChildCursor {
    pugi::xml_node_struct* Parent = nullptr;
    std::uint64_t LastUse = 0;
    int Count = -1;   // not counted yet
    int Index = -1;   // no child reached yet
    pugi::xml_node_struct* Child = nullptr;
};

struct TXmlCursorCache {
    std::uint64_t Version = 0;
    std::uint64_t Uses = 0;
    TXmlChildCursor* Last = nullptr;
    std::array<TXmlChildCursor, 8> Slots;
};

// Constant-initialised: no guard on each use.
constinit thread_local TXmlCursorCache GXmlCursors;

TXmlChildCursor& XmlCursorFor(pugi::xml_node_struct* Parent)
{
    TXmlCursorCache& cache = GXmlCursors;
    const std::uint64_t version = GXmlTreeVersion.load(std::memory_order_relaxed);
    if (cache.Version != version) {
        cache.Slots.fill(TXmlChildCursor());
        cache.Last = nullptr;
        cache.Version = version;
    }
    if (cache.Last && cache.Last->Parent == Parent) {
        cache.Last->LastUse = ++cache.Uses;
        return *cache.Last;
    }
    TXmlChildCursor* oldest = &cache.Slots[0];
    for (TXmlChildCursor& slot : cache.Slots) {
        if (slot.Parent == Parent) {
            slot.LastUse = ++cache.Uses;
            cache.Last = &slot;
            return slot;
        }
        if (slot.LastUse < oldest->LastUse)
            oldest = &slot;
    }
    *oldest = TXmlChildCursor{Parent, ++cache.Uses, -1, -1, nullptr};
    cache.Last = oldest;
    return *oldest;
}

int XmlCountChildren(xml_node Parent)
{
    int count = 0;
    for (xml_node child = Parent.first_child(); child; child = child.next_sibling())
        ++count;
    return count;
}

// Compares a name as the parser holds it (UTF-8) with a QString without
// converting either as long as both are ASCII, which names nearly always are.
bool XmlSameName(const char* Utf8, QStringView Name)
{
    const char16_t* units = Name.utf16();
    const qsizetype size = Name.size();
    qsizetype i = 0;
    for (; i < size; ++i) {
        const auto c = static_cast<unsigned char>(Utf8[i]);
        if (c >= 0x80)
            return QAnyStringView::equal(QUtf8StringView(Utf8), Name);
        if (c == 0 || c != units[i])
            return false;
    }
    return Utf8[i] == 0;
}

String XmlString(const char* Utf8) { return String::fromUtf8(Utf8, qsizetype(std::strlen(Utf8))); }

// A name nearly always is short ASCII: then it is copied to the stack and
// the parser's own search is used; otherwise UTF-8 is compared with UTF-16.
struct TXmlAsciiName {
    char Text[64];
    bool Valid = false;

    explicit TXmlAsciiName(QStringView Name)
    {
        if (Name.size() >= qsizetype(sizeof Text))
            return;
        for (qsizetype i = 0; i < Name.size(); ++i) {
            const char16_t c = Name[i].unicode();
            if (char16_t(c - 1) >= 0x7F)   // NUL or not ASCII
                return;
            Text[i] = char(c);
        }
        Text[Name.size()] = 0;
        Valid = true;
    }
};

xml_attribute XmlFindAttribute(xml_node Node, const char* Name) { return Node.attribute(Name); }

xml_attribute XmlFindAttribute(xml_node Node, QStringView Name)
{
    for (xml_attribute attr = Node.first_attribute(); attr; attr = attr.next_attribute()) {
        if (XmlSameName(attr.name(), Name))
            return attr;
    }
    return xml_attribute();
}

xml_node XmlFindChild(xml_node Node, const char* Name)
{
    // The parser's search also finds processing instructions by name.
    xml_node found = Node.child(Name);
    while (found && found.type() != pugi::node_element)
        found = found.next_sibling(Name);
    return found;
}

xml_node XmlFindChild(xml_node Node, QStringView Name)
{
    const TXmlAsciiName ascii(Name);
    if (ascii.Valid)
        return XmlFindChild(Node, ascii.Text);
    for (xml_node child = Node.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element && XmlSameName(child.name(), Name))
            return child;
    }
    return xml_node();
}

// The namespace URI bound to Prefix (Length bytes) where Node stands: the
// nearest xmlns:Prefix declaration on the node or an ancestor.
const char* XmlPrefixNamespace(xml_node Node, const char* Prefix, size_t Length)
{
    if (Length == 3 && std::strncmp(Prefix, "xml", 3) == 0)
        return XML_NAMESPACE;
    if (Length == 5 && std::strncmp(Prefix, "xmlns", 5) == 0)
        return "http://www.w3.org/2000/xmlns/";
    for (xml_node n = Node; n && n.type() == pugi::node_element; n = n.parent()) {
        for (xml_attribute attr = n.first_attribute(); attr; attr = attr.next_attribute()) {
            const char* name = attr.name();
            if (std::strncmp(name, "xmlns:", 6) == 0 && std::strncmp(name + 6, Prefix, Length) == 0 &&
                name[6 + Length] == 0)
                return attr.value();
        }
    }
    return nullptr;
}

template <typename TName>
bool XmlNameEquals(const char* Utf8, const TName& Name)
{
    if constexpr (std::is_same_v<TName, QStringView>)
        return XmlSameName(Utf8, Name);
    else
        return std::strcmp(Utf8, Name) == 0;
}

template <typename TName>
std::optional<String> XmlAttributeNS(xml_node Node, const TName& NamespaceURI, const TName& LocalName)
{
    bool noNamespace;
    if constexpr (std::is_same_v<TName, QStringView>)
        noNamespace = NamespaceURI.isEmpty();
    else
        noNamespace = *NamespaceURI == 0;
    for (xml_attribute attr = Node.first_attribute(); attr; attr = attr.next_attribute()) {
        const char* name = attr.name();
        const char* colon = std::strchr(name, ':');
        if (!colon) {
            if (noNamespace && XmlNameEquals(name, LocalName))
                return XmlString(attr.value());
            continue;
        }
        if (noNamespace || !XmlNameEquals(colon + 1, LocalName))
            continue;
        const char* uri = XmlPrefixNamespace(Node, name, size_t(colon - name));
        if (uri && XmlNameEquals(uri, NamespaceURI))
            return XmlString(attr.value());
    }
    return std::nullopt;
}

bool XmlIsNameChar(QChar C, bool First)
{
    const char16_t u = C.unicode();
    if ((u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || u == '_' || u == ':')
        return true;
    if (u < 0x80)
        return !First && ((u >= '0' && u <= '9') || u == '-' || u == '.');
    return C.isLetterOrNumber() || C.isSurrogate() || (!First && (u == 0xB7 || C.isMark()));
}

void XmlCheckName(const String& Name)
{
    bool valid = !Name.isEmpty();
    for (qsizetype i = 0; valid && i < Name.size(); ++i)
        valid = XmlIsNameChar(Name.at(i), i == 0);
    if (!valid)
        throw EXMLError(QStringLiteral("\"%1\" is not a valid XML name").arg(Name));
}

void XmlCheckComment(const String& Text)
{
    if (Text.contains(QLatin1String("--")) || Text.endsWith(QLatin1Char('-')))
        throw EXMLError(QStringLiteral("An XML comment cannot contain \"--\" or end with \"-\": \"%1\"").arg(Text));
}

xml_node XmlWritable(const TXMLNode& Node)
{
    xml_node node = TNodeImpl::Get(Node);
    if (!node)
        throw EXMLError(QStringLiteral("The XML node is empty"));
    return node;
}

// A node that may take Type as a child; a document takes one root element
// and no text.
xml_node XmlContainer(const TXMLNode& Node, pugi::xml_node_type Type)
{
    xml_node node = XmlWritable(Node);
    if (node.type() == pugi::node_element)
        return node;
    if (node.type() == pugi::node_document) {
        if (Type == pugi::node_pcdata)
            throw EXMLError(QStringLiteral("Text cannot stand outside the root element"));
        if (Type == pugi::node_element && node.find_child([](xml_node n) { return n.type() == pugi::node_element; }))
            throw EXMLError(QStringLiteral("The XML document already has a root element"));
        return node;
    }
    throw EXMLError(QStringLiteral("Only an element or the document can hold child nodes"));
}

void XmlSetValue(xml_node Node, const String& Value)
{
    const QByteArray utf8 = Value.toUtf8();
    Node.set_value(utf8.constData(), size_t(utf8.size()));
}

String XmlSubject(const String& SourceName)
{
    return SourceName.isEmpty() ? QStringLiteral("XML text")
                                : QStringLiteral("XML file \"%1\"").arg(SourceName);
}

// 1-based line and column (in characters) of a byte offset into UTF-8 text.
std::pair<int, int> XmlLineColumn(const char* Data, qsizetype Size, qsizetype Offset)
{
    Offset = std::clamp<qsizetype>(Offset, 0, Size);
    int line = 1;
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i < Offset; ++i) {
        if (Data[i] == '\n' || (Data[i] == '\r' && (i + 1 >= Size || Data[i + 1] != '\n'))) {
            ++line;
            lineStart = i + 1;
        }
    }
    int column = 1;
    for (qsizetype i = lineStart; i < Offset; ++i) {
        if ((static_cast<unsigned char>(Data[i]) & 0xC0) != 0x80)
            ++column;
    }
    return {line, column};
}

[[noreturn]] void XmlRaiseAt(const String& SourceName, const String& What, const char* Data, qsizetype Size,
                             qsizetype Offset)
{
    const auto [line, column] = XmlLineColumn(Data, Size, Offset);
    throw EXMLError(QStringLiteral("%1 is not well-formed: %2 at line %3, column %4")
                        .arg(XmlSubject(SourceName), What)
                        .arg(line)
                        .arg(column));
}

// Whether the declaration at the start of Bytes names Windows-1252 or
// ISO-8859-1. Files that name ISO-8859-1 are Windows-1252 in practice, and
// the two agree outside 0x80-0x9F, where ISO-8859-1 has only control codes.
bool XmlDeclaresAnsi(const QByteArray& Bytes)
{
    if (!Bytes.startsWith("<?xml"))
        return false;
    const qsizetype end = Bytes.indexOf("?>");
    if (end < 0)
        return false;
    const QByteArray declaration = Bytes.left(end);
    qsizetype i = declaration.indexOf("encoding");
    if (i < 0)
        return false;
    i += 8;
    auto skipBlanks = [&] {
        while (i < declaration.size() && QChar::isSpace(uchar(declaration[i])))
            ++i;
    };
    skipBlanks();
    if (i >= declaration.size() || declaration[i] != '=')
        return false;
    ++i;
    skipBlanks();
    if (i >= declaration.size() || (declaration[i] != '"' && declaration[i] != '\''))
        return false;
    const char quote = declaration[i++];
    const qsizetype close = declaration.indexOf(quote, i);
    if (close < 0)
        return false;
    const QByteArray name = declaration.mid(i, close - i).toLower();
    return name == "windows-1252" || name == "cp1252" || name == "iso-8859-1" || name == "iso8859-1" ||
           name == "iso_8859-1" || name == "latin1";
}

// Parses UTF-8 text (or, with encoding_auto, whatever the parser detects)
// into Doc; raises with the position of the fault.
void XmlParse(pugi::xml_document& Doc, const char* Data, qsizetype Size, pugi::xml_encoding Encoding,
              const String& SourceName)
{
    const pugi::xml_parse_result result = Doc.load_buffer(Data, size_t(Size), kXmlParseOptions, Encoding);
    XmlTreeChanged();
    if (!result) {
        Doc.reset();
        String what = String::fromUtf8(result.description());
        what[0] = what[0].toLower();
        XmlRaiseAt(SourceName, what, Data, Size, result.offset);
    }
    // One root element and no text beside it.
    bool rootSeen = false;
    for (xml_node child = Doc.first_child(); child; child = child.next_sibling()) {
        const char* fault = nullptr;
        qsizetype offset = child.offset_debug();
        if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) {
            fault = "text outside the root element";
            while (offset >= 0 && offset < Size && QChar::isSpace(uchar(Data[offset])))
                ++offset;
        } else if (child.type() == pugi::node_element && std::exchange(rootSeen, true)) {
            fault = "more than one root element";
            --offset;   // the offset of the name: point at its "<"
        }
        if (fault) {
            Doc.reset();
            XmlRaiseAt(SourceName, QLatin1String(fault), Data, Size, offset);
        }
    }
    if (!rootSeen) {
        Doc.reset();
        XmlRaiseAt(SourceName, QStringLiteral("no root element"), Data, Size, Size);
    }
    // The texts are decoded now and are saved in UTF-8.
    const xml_node first = Doc.first_child();
    if (first.type() == pugi::node_declaration) {
        xml_attribute encoding = first.attribute("encoding");
        if (encoding && QByteArray(encoding.value()).compare("UTF-8", Qt::CaseInsensitive) != 0)
            encoding.set_value("UTF-8");
    }
}

class TXmlByteWriter : public pugi::xml_writer {
public:
    QByteArray Bytes;
    void write(const void* Data, size_t Size) override
    {
        Bytes.append(static_cast<const char*>(Data), qsizetype(Size));
    }
};

} // namespace

// ---------------------------------------------------------------------------
// TXMLNode

bool TXMLNode::IsNull() const { return FNode == nullptr; }

bool TXMLNode::operator==(const TXMLNode& Other) const { return FNode == Other.FNode; }

TNodeType TXMLNode::NodeType() const
{
    switch (TNodeImpl::Get(*this).type()) {
    case pugi::node_null: return TNodeType::ntNull;
    case pugi::node_document: return TNodeType::ntDocument;
    case pugi::node_element: return TNodeType::ntElement;
    case pugi::node_pcdata: return TNodeType::ntText;
    case pugi::node_cdata: return TNodeType::ntCData;
    case pugi::node_comment: return TNodeType::ntComment;
    case pugi::node_pi: return TNodeType::ntProcessingInstr;
    case pugi::node_declaration: return TNodeType::ntDeclaration;
    case pugi::node_doctype: return TNodeType::ntDocType;
    }
    return TNodeType::ntNull;
}

String TXMLNode::NodeName() const
{
    const xml_node node = TNodeImpl::Get(*this);
    switch (node.type()) {
    case pugi::node_element:
    case pugi::node_pi:
    case pugi::node_declaration:
        return XmlString(node.name());
    case pugi::node_pcdata: return QStringLiteral("#text");
    case pugi::node_cdata: return QStringLiteral("#cdata-section");
    case pugi::node_comment: return QStringLiteral("#comment");
    case pugi::node_document: return QStringLiteral("#document");
    case pugi::node_doctype: {
        const char* value = node.value();
        return String::fromUtf8(value, qsizetype(std::strcspn(value, " \t\r\n[")));
    }
    case pugi::node_null: break;
    }
    return String();
}

int TXMLNode::ChildCount() const
{
    const xml_node node = TNodeImpl::Get(*this);
    // Most elements have no children: no need of a cursor.
    if (!node.first_child())
        return 0;
    TXmlChildCursor& cursor = XmlCursorFor(static_cast<pugi::xml_node_struct*>(FNode));
    if (cursor.Count < 0)
        cursor.Count = XmlCountChildren(node);
    return cursor.Count;
}

TXMLNode TXMLNode::Child(int Index) const
{
    // The next child of a walk.
    if (FNode && Index > 0) {
        TXmlChildCursor& cursor = XmlCursorFor(static_cast<pugi::xml_node_struct*>(FNode));
        if (cursor.Index == Index - 1) {
            const xml_node next = xml_node(cursor.Child).next_sibling();
            if (next) {
                cursor.Index = Index;
                cursor.Child = next.internal_object();
                return TNodeImpl::Make(next);
            }
        }
    }

    const xml_node node = TNodeImpl::Get(*this);
    auto outOfRange = [&] {
        return EXMLError(QStringLiteral("Child node index %1 out of range (%2 child nodes)")
                             .arg(Index)
                             .arg(ChildCount()));
    };
    if (!node || Index < 0)
        throw outOfRange();
    TXmlChildCursor& cursor = XmlCursorFor(static_cast<pugi::xml_node_struct*>(FNode));
    if (cursor.Count >= 0 && Index >= cursor.Count)
        throw outOfRange();

    // Start from the nearest known child: the cursor, the last or the first.
    const int fromCursor = cursor.Index >= 0 ? std::abs(Index - cursor.Index) : INT_MAX;
    const int fromLast = cursor.Count > 0 ? cursor.Count - 1 - Index : INT_MAX;
    xml_node child;
    int at;
    if (fromCursor <= Index && fromCursor <= fromLast) {
        child = xml_node(cursor.Child);
        at = cursor.Index;
    } else if (fromLast < Index) {
        child = node.last_child();
        at = cursor.Count - 1;
    } else {
        child = node.first_child();
        at = 0;
    }
    while (child && at < Index) {
        child = child.next_sibling();
        ++at;
    }
    while (child && at > Index) {
        child = child.previous_sibling();
        --at;
    }
    if (!child) {
        cursor.Count = XmlCountChildren(node);
        throw outOfRange();
    }
    cursor.Index = Index;
    cursor.Child = child.internal_object();
    return TNodeImpl::Make(child);
}

TXMLNode TXMLNode::FirstChild() const { return TNodeImpl::Make(TNodeImpl::Get(*this).first_child()); }

TXMLNode TXMLNode::NextSibling() const { return TNodeImpl::Make(TNodeImpl::Get(*this).next_sibling()); }

TXMLNode TXMLNode::Parent() const { return TNodeImpl::Make(TNodeImpl::Get(*this).parent()); }

TXMLNode TXMLNode::FindChild(const String& Name) const
{
    return TNodeImpl::Make(XmlFindChild(TNodeImpl::Get(*this), QStringView(Name)));
}

TXMLNode TXMLNode::FindChild(const char* Name) const
{
    return TNodeImpl::Make(XmlFindChild(TNodeImpl::Get(*this), Name));
}

String TXMLNode::Text() const
{
    const xml_node node = TNodeImpl::Get(*this);
    switch (node.type()) {
    case pugi::node_element: {
        // Mostly a single text child, converted without joining.
        const char* single = nullptr;
        QByteArray joined;
        int parts = 0;
        for (xml_node child = node.first_child(); child; child = child.next_sibling()) {
            if (child.type() != pugi::node_pcdata && child.type() != pugi::node_cdata)
                continue;
            if (++parts == 1) {
                single = child.value();
                continue;
            }
            if (parts == 2)
                joined = single;
            joined += child.value();
        }
        if (parts == 0)
            return String();
        return parts == 1 ? XmlString(single) : String::fromUtf8(joined);
    }
    case pugi::node_pcdata:
    case pugi::node_cdata:
    case pugi::node_comment:
    case pugi::node_pi:
    case pugi::node_doctype:
        return XmlString(node.value());
    default:
        return String();
    }
}

void TXMLNode::SetText(const String& Value)
{
    xml_node node = XmlWritable(*this);
    switch (node.type()) {
    case pugi::node_element:
        node.remove_children();
        if (!Value.isEmpty())
            XmlSetValue(node.append_child(pugi::node_pcdata), Value);
        XmlTreeChanged();
        return;
    case pugi::node_comment:
        XmlCheckComment(Value);
        XmlSetValue(node, Value);
        return;
    case pugi::node_pcdata:
    case pugi::node_cdata:
        if (node.type() == pugi::node_cdata && Value.contains(QLatin1String("]]>")))
            throw EXMLError(QStringLiteral("A CDATA section cannot contain \"]]>\""));
        XmlSetValue(node, Value);
        return;
    default:
        throw EXMLError(QStringLiteral("The text of node \"%1\" cannot be set").arg(NodeName()));
    }
}

std::optional<String> TXMLNode::Attribute(const String& Name) const
{
    const xml_attribute attr = XmlFindAttribute(TNodeImpl::Get(*this), QStringView(Name));
    return attr ? std::optional<String>(XmlString(attr.value())) : std::nullopt;
}

std::optional<String> TXMLNode::Attribute(const char* Name) const
{
    const xml_attribute attr = XmlFindAttribute(TNodeImpl::Get(*this), Name);
    return attr ? std::optional<String>(XmlString(attr.value())) : std::nullopt;
}

bool TXMLNode::HasAttribute(const String& Name) const
{
    return bool(XmlFindAttribute(TNodeImpl::Get(*this), QStringView(Name)));
}

bool TXMLNode::HasAttribute(const char* Name) const
{
    return bool(XmlFindAttribute(TNodeImpl::Get(*this), Name));
}

std::optional<String> TXMLNode::AttributeNS(const String& NamespaceURI, const String& LocalName) const
{
    return XmlAttributeNS(TNodeImpl::Get(*this), QStringView(NamespaceURI), QStringView(LocalName));
}

std::optional<String> TXMLNode::AttributeNS(const char* NamespaceURI, const char* LocalName) const
{
    return XmlAttributeNS(TNodeImpl::Get(*this), NamespaceURI, LocalName);
}

void TXMLNode::SetAttribute(const String& Name, const String& Value)
{
    xml_node node = XmlWritable(*this);
    if (node.type() != pugi::node_element)
        throw EXMLError(QStringLiteral("Only an element has attributes (setting \"%1\")").arg(Name));
    xml_attribute attr = XmlFindAttribute(node, QStringView(Name));
    if (!attr) {
        XmlCheckName(Name);
        attr = node.append_attribute(Name.toUtf8().constData());
    }
    const QByteArray utf8 = Value.toUtf8();
    attr.set_value(utf8.constData(), size_t(utf8.size()));
}

int TXMLNode::AttributeCount() const
{
    int count = 0;
    for (xml_attribute attr = TNodeImpl::Get(*this).first_attribute(); attr; attr = attr.next_attribute())
        ++count;
    return count;
}

namespace {
xml_attribute XmlAttributeAt(const TXMLNode& Node, int Index)
{
    xml_attribute attr = Index >= 0 ? TNodeImpl::Get(Node).first_attribute() : xml_attribute();
    for (int i = 0; attr && i < Index; ++i)
        attr = attr.next_attribute();
    if (!attr)
        throw EXMLError(QStringLiteral("Attribute index %1 out of range (%2 attributes)")
                            .arg(Index)
                            .arg(Node.AttributeCount()));
    return attr;
}
} // namespace

String TXMLNode::AttributeName(int Index) const { return XmlString(XmlAttributeAt(*this, Index).name()); }

String TXMLNode::AttributeValue(int Index) const { return XmlString(XmlAttributeAt(*this, Index).value()); }

TXMLNode TXMLNode::AppendElement(const String& Name)
{
    xml_node parent = XmlContainer(*this, pugi::node_element);
    XmlCheckName(Name);
    xml_node child = parent.append_child(Name.toUtf8().constData());
    XmlTreeChanged();
    return TNodeImpl::Make(child);
}

TXMLNode TXMLNode::AppendComment(const String& Text)
{
    xml_node parent = XmlContainer(*this, pugi::node_comment);
    XmlCheckComment(Text);
    xml_node child = parent.append_child(pugi::node_comment);
    XmlSetValue(child, Text);
    XmlTreeChanged();
    return TNodeImpl::Make(child);
}

TXMLNode TXMLNode::AppendText(const String& Text)
{
    xml_node parent = XmlContainer(*this, pugi::node_pcdata);
    xml_node child = parent.append_child(pugi::node_pcdata);
    XmlSetValue(child, Text);
    XmlTreeChanged();
    return TNodeImpl::Make(child);
}

void TXMLNode::RemoveChild(const TXMLNode& Child)
{
    xml_node node = XmlWritable(*this);
    const xml_node child = TNodeImpl::Get(Child);
    if (!child || child.parent() != node)
        throw EXMLError(QStringLiteral("The node to remove is not a child of \"%1\"").arg(NodeName()));
    node.remove_child(child);
    XmlTreeChanged();
}

void TXMLNode::RemoveAllChildren()
{
    XmlWritable(*this).remove_children();
    XmlTreeChanged();
}

// ---------------------------------------------------------------------------
// TXMLDocument

TXMLDocument::TXMLDocument() : FImpl(std::make_unique<TImpl>()) {}

TXMLDocument::~TXMLDocument() { XmlTreeChanged(); }

void TXMLDocument::LoadFromFile(const String& FileName)
{
    Clear();
    FFileName.clear();
    const QFileInfo info(FileName);
    if (!info.exists())
        throw EXMLError(QStringLiteral("XML file \"%1\" not found").arg(FileName));
    if (info.isDir())
        throw EXMLError(QStringLiteral("Cannot read XML file \"%1\": it is a folder").arg(FileName));
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EXMLError(QStringLiteral("Cannot read XML file \"%1\": %2").arg(FileName, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw EXMLError(QStringLiteral("Cannot read XML file \"%1\": %2").arg(FileName, file.errorString()));
    LoadFromBytes(bytes, FileName);
}

void TXMLDocument::LoadFromString(const String& Xml)
{
    Clear();
    FFileName.clear();
    if (Xml.isEmpty())
        throw EXMLError(QStringLiteral("%1 is empty").arg(XmlSubject(String())));
    const QByteArray utf8 = Xml.toUtf8();
    XmlParse(FImpl->Doc, utf8.constData(), utf8.size(), pugi::encoding_utf8, String());
}

void TXMLDocument::LoadFromBytes(const QByteArray& Bytes, const String& SourceName)
{
    Clear();
    FFileName.clear();
    if (Bytes.isEmpty())
        throw EXMLError(QStringLiteral("%1 is empty").arg(XmlSubject(SourceName)));

    using textcodec::TTextEncoding;
    int bomLength = 0;
    const auto bom = textcodec::DetectBom(Bytes, &bomLength);
    const bool utf32 = Bytes.startsWith(QByteArrayView("\xFF\xFE\0\0", 4));
    if (bom == TTextEncoding::teUtf8) {
        XmlParse(FImpl->Doc, Bytes.constData() + bomLength, Bytes.size() - bomLength, pugi::encoding_utf8,
                 SourceName);
    } else if ((bom == TTextEncoding::teUtf16LE && !utf32) || bom == TTextEncoding::teUtf16BE ||
               XmlDeclaresAnsi(Bytes)) {
        const QByteArray utf8 = textcodec::DecodeText(Bytes).toUtf8();
        XmlParse(FImpl->Doc, utf8.constData(), utf8.size(), pugi::encoding_utf8, SourceName);
    } else {
        // UTF-8 without a mark, or an encoding the parser detects itself.
        XmlParse(FImpl->Doc, Bytes.constData(), Bytes.size(), pugi::encoding_auto, SourceName);
    }
    FFileName = SourceName;
}

void TXMLDocument::SaveToFile(const String& FileName) const { SaveToFile(FileName, TSaveOptions()); }

void TXMLDocument::SaveToFile(const String& FileName, const TSaveOptions& Options) const
{
    if (DocumentElement().IsNull())
        throw EXMLError(QStringLiteral("Cannot save XML file \"%1\": the document has no root element").arg(FileName));
    try {
        textcodec::WriteFileAtomically(FileName, SaveToBytes(Options));
    } catch (const Exception& E) {
        throw EXMLError(E.Message());
    }
    FFileName = FileName;
}

String TXMLDocument::SaveToString() const { return SaveToString(TSaveOptions()); }

String TXMLDocument::SaveToString(const TSaveOptions& Options) const
{
    return String::fromUtf8(SaveToBytes(Options));
}

QByteArray TXMLDocument::SaveToBytes(const TSaveOptions& Options) const
{
    unsigned flags = Options.Indent ? pugi::format_indent : pugi::format_raw;
    if (!Options.Declaration)
        flags |= pugi::format_no_declaration;
    TXmlByteWriter writer;
    FImpl->Doc.save(writer, "  ", flags, pugi::encoding_utf8);
    return writer.Bytes;
}

void TXMLDocument::Clear()
{
    FImpl->Doc.reset();
    XmlTreeChanged();
}

TXMLNode TXMLDocument::Node() const { return TNodeImpl::Make(FImpl->Doc); }

TXMLNode TXMLDocument::DocumentElement() const { return TNodeImpl::Make(FImpl->Doc.document_element()); }

TXMLNode TXMLDocument::AppendElement(const String& Name) { return Node().AppendElement(Name); }

TXMLNode TXMLDocument::AppendComment(const String& Text) { return Node().AppendComment(Text); }

} // namespace xml
