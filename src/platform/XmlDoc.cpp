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
#include <functional>
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
    QByteArray Buffer;   // the parsed text, which the nodes point into
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
    int Count = -1;   // not counted yet
    int Index = -1;   // no child reached yet
    pugi::xml_node_struct* Child = nullptr;
};

constexpr int kXmlCursorSlots = 8;

// The parents apart from the rest, so a lookup reads one cache line.
struct TXmlCursorCache {
    std::uint64_t Version = 0;
    std::uint64_t Uses = 0;
    int Last = 0;
    std::array<pugi::xml_node_struct*, kXmlCursorSlots> Parents{};
    std::array<std::uint64_t, kXmlCursorSlots> LastUse{};
    std::array<TXmlChildCursor, kXmlCursorSlots> Cursors{};
};

// Constant-initialised: no guard on each use.
constinit thread_local TXmlCursorCache GXmlCursors;

TXmlChildCursor& XmlCursorFor(pugi::xml_node_struct* Parent)
{
    TXmlCursorCache& cache = GXmlCursors;
    const std::uint64_t version = GXmlTreeVersion.load(std::memory_order_relaxed);
    if (cache.Version != version) {
        cache.Parents.fill(nullptr);
        cache.LastUse.fill(0);
        cache.Version = version;
    }
    int slot = cache.Last;
    if (cache.Parents[slot] != Parent) {
        slot = -1;
        for (int i = 0; i < kXmlCursorSlots; ++i) {
            if (cache.Parents[i] == Parent) {
                slot = i;
                break;
            }
        }
        if (slot < 0) {
            // The least recently used one makes room.
            slot = int(std::min_element(cache.LastUse.begin(), cache.LastUse.end()) - cache.LastUse.begin());
            cache.Parents[slot] = Parent;
            cache.Cursors[slot] = TXmlChildCursor();
        }
        cache.Last = slot;
    }
    cache.LastUse[slot] = ++cache.Uses;
    return cache.Cursors[slot];
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

// The value of the attribute; null when there is none.
template <typename TName>
const char* XmlAttributeNS(xml_node Node, const TName& NamespaceURI, const TName& LocalName)
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
                return attr.value();
            continue;
        }
        if (noNamespace || !XmlNameEquals(colon + 1, LocalName))
            continue;
        const char* uri = XmlPrefixNamespace(Node, name, size_t(colon - name));
        if (uri && XmlNameEquals(uri, NamespaceURI))
            return attr.value();
    }
    return nullptr;
}

std::optional<String> XmlOptionalString(const char* Utf8)
{
    return Utf8 ? std::optional<String>(XmlString(Utf8)) : std::nullopt;
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
    if (!IsName(Name))
        throw EXMLError(QStringLiteral("\"%1\" is not a valid XML name").arg(Name));
}

void XmlCheckComment(const String& Text)
{
    if (!IsCommentText(Text))
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

[[noreturn]] void XmlRaiseAt(const String& SourceName, const String& What, int Code, const char* Data,
                             qsizetype Size, qsizetype Offset)
{
    const auto [line, column] = XmlLineColumn(Data, Size, Offset);
    throw EXMLParseError(QStringLiteral("%1 is not well-formed: %2 at line %3, column %4")
                             .arg(XmlSubject(SourceName), What)
                             .arg(line)
                             .arg(column),
                         Code, line);
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

// Parses Text from byte Skip on, in place: the document's nodes point into
// Buffer, which takes Text over. A fault is located in the text as it was
// before the parse changed it, which Pristine gives again (from Skip on too).
void XmlParse(pugi::xml_document& Doc, QByteArray& Buffer, QByteArray Text, qsizetype Skip,
              pugi::xml_encoding Encoding, const String& SourceName, const std::function<QByteArray()>& Pristine)
{
    Doc.reset();
    Buffer = std::move(Text);
    const pugi::xml_parse_result result =
        Doc.load_buffer_inplace(Buffer.data() + Skip, size_t(Buffer.size() - Skip), kXmlParseOptions, Encoding);
    XmlTreeChanged();

    String fault;
    int code = int(result.status);
    qsizetype offset = -1;
    bool skipBlanks = false;
    if (!result) {
        fault = String::fromUtf8(result.description());
        fault[0] = fault[0].toLower();
        offset = result.offset;
    } else {
        // One root element and no text beside it.
        bool rootSeen = false;
        for (xml_node child = Doc.first_child(); child && fault.isEmpty(); child = child.next_sibling()) {
            if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) {
                fault = QStringLiteral("text outside the root element");
                code = int(pugi::status_bad_pcdata);
                offset = child.offset_debug();
                skipBlanks = true;
            } else if (child.type() == pugi::node_element && std::exchange(rootSeen, true)) {
                fault = QStringLiteral("more than one root element");
                code = int(pugi::status_bad_start_element);
                offset = child.offset_debug() - 1;   // the offset of the name: point at its "<"
            }
        }
        if (fault.isEmpty() && !rootSeen) {
            fault = QStringLiteral("no root element");
            code = int(pugi::status_no_document_element);
            offset = Buffer.size() - Skip;
        }
    }
    if (!fault.isEmpty()) {
        Doc.reset();
        Buffer.clear();
        XmlTreeChanged();
        const QByteArray original = Pristine();
        const char* data = original.constData() + Skip;
        const qsizetype size = original.size() - Skip;
        while (skipBlanks && offset >= 0 && offset < size && QChar::isSpace(uchar(data[offset])))
            ++offset;
        XmlRaiseAt(SourceName, fault, code, data, size, offset);
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

bool IsName(const String& Name)
{
    bool Valid = !Name.isEmpty();
    for (qsizetype I = 0; Valid && I < Name.size(); ++I)
        Valid = XmlIsNameChar(Name.at(I), I == 0);
    return Valid;
}

unsigned ParserOptions() { return kXmlParseOptions; }

bool IsCommentText(const String& Text)
{
    return !Text.contains(QLatin1String("--")) && !Text.endsWith(QLatin1Char('-'));
}

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

namespace {

[[noreturn, gnu::noinline, gnu::cold]] void XmlRaiseChildIndex(const TXMLNode& Node, int Index)
{
    throw EXMLError(QStringLiteral("Child node index %1 out of range (%2 child nodes)")
                        .arg(Index)
                        .arg(Node.ChildCount()));
}

// The child at Index, reached from the nearest known child: the cursor, the
// last or the first; null past the end.
[[gnu::noinline]] xml_node XmlSeekChild(xml_node Parent, const TXmlChildCursor& Cursor, int Index)
{
    const int fromCursor = Cursor.Index >= 0 ? std::abs(Index - Cursor.Index) : INT_MAX;
    const int fromLast = Cursor.Count > 0 ? Cursor.Count - 1 - Index : INT_MAX;
    xml_node child;
    int at;
    if (fromCursor <= Index && fromCursor <= fromLast) {
        child = xml_node(Cursor.Child);
        at = Cursor.Index;
    } else if (fromLast < Index) {
        child = Parent.last_child();
        at = Cursor.Count - 1;
    } else {
        child = Parent.first_child();
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
    return child;
}

} // namespace

TXMLNode TXMLNode::Child(int Index) const
{
    auto* parent = static_cast<pugi::xml_node_struct*>(FNode);
    if (!parent || Index < 0)
        XmlRaiseChildIndex(*this, Index);
    TXmlChildCursor& cursor = XmlCursorFor(parent);
    xml_node child;
    if (cursor.Index >= 0 && Index == cursor.Index + 1) {
        child = xml_node(cursor.Child).next_sibling();   // the next step of a walk
    } else if (Index == 0) {
        child = xml_node(parent).first_child();
    } else {
        if (cursor.Count >= 0 && Index >= cursor.Count)
            XmlRaiseChildIndex(*this, Index);
        child = XmlSeekChild(xml_node(parent), cursor, Index);
    }
    if (!child) {
        cursor.Count = XmlCountChildren(xml_node(parent));
        XmlRaiseChildIndex(*this, Index);
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

const char* TXMLNode::NameUtf8() const { return TNodeImpl::Get(*this).name(); }

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

const char* TXMLNode::AttributeUtf8(const char* Name) const
{
    const xml_attribute attr = XmlFindAttribute(TNodeImpl::Get(*this), Name);
    return attr ? attr.value() : nullptr;
}

void TXMLNode::AttributesUtf8(const char* const* Names, const char** Values, int Count) const
{
    std::fill_n(Values, Count, nullptr);
    for (xml_attribute attr = TNodeImpl::Get(*this).first_attribute(); attr; attr = attr.next_attribute()) {
        const char* name = attr.name();
        for (int i = 0; i < Count; ++i) {
            if (!Values[i] && name[0] == Names[i][0] && std::strcmp(name, Names[i]) == 0) {
                Values[i] = attr.value();
                break;
            }
        }
    }
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
    return XmlOptionalString(XmlAttributeNS(TNodeImpl::Get(*this), QStringView(NamespaceURI), QStringView(LocalName)));
}

std::optional<String> TXMLNode::AttributeNS(const char* NamespaceURI, const char* LocalName) const
{
    return XmlOptionalString(AttributeNSUtf8(NamespaceURI, LocalName));
}

const char* TXMLNode::AttributeNSUtf8(const char* NamespaceURI, const char* LocalName) const
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
    auto read = [&] {
        try {
            return ReadFileBytes(FileName);
        } catch (const Exception& E) {
            throw EXMLError(E.Message());   // names the file
        }
    };
    // Parsed in place; a fault is located in the file read once more.
    LoadBytes(read(), FileName, read);
}

void TXMLDocument::LoadFromString(const String& Xml)
{
    Clear();
    FFileName.clear();
    if (Xml.isEmpty())
        throw EXMLError(QStringLiteral("%1 is empty").arg(XmlSubject(String())));
    XmlParse(FImpl->Doc, FImpl->Buffer, Xml.toUtf8(), 0, pugi::encoding_utf8, String(),
             [&] { return Xml.toUtf8(); });
}

void TXMLDocument::LoadFromBytes(const QByteArray& Bytes, const String& SourceName)
{
    Clear();
    FFileName.clear();
    // The copy is parsed in place; Bytes stay as they were.
    LoadBytes(QByteArray(Bytes), SourceName, [&] { return Bytes; });
}

void TXMLDocument::LoadBytes(QByteArray Bytes, const String& SourceName, const std::function<QByteArray()>& Pristine)
{
    if (Bytes.isEmpty())
        throw EXMLError(QStringLiteral("%1 is empty").arg(XmlSubject(SourceName)));

    using textcodec::TTextEncoding;
    int bomLength = 0;
    const auto bom = textcodec::DetectBom(Bytes, &bomLength);
    const bool utf32 = Bytes.startsWith(QByteArrayView("\xFF\xFE\0\0", 4));
    if (bom == TTextEncoding::teUtf8) {
        XmlParse(FImpl->Doc, FImpl->Buffer, std::move(Bytes), bomLength, pugi::encoding_utf8, SourceName, Pristine);
    } else if ((bom == TTextEncoding::teUtf16LE && !utf32) || bom == TTextEncoding::teUtf16BE ||
               XmlDeclaresAnsi(Bytes)) {
        XmlParse(FImpl->Doc, FImpl->Buffer, textcodec::DecodeText(Bytes).toUtf8(), 0, pugi::encoding_utf8,
                 SourceName, [&] { return textcodec::DecodeText(Bytes).toUtf8(); });
    } else {
        // UTF-8 without a mark, or an encoding the parser detects itself.
        XmlParse(FImpl->Doc, FImpl->Buffer, std::move(Bytes), 0, pugi::encoding_auto, SourceName, Pristine);
    }
    FFileName = SourceName;
}

void TXMLDocument::SaveToFile(const String& FileName) const { SaveToFile(FileName, TSaveOptions()); }

void TXMLDocument::SaveToFile(const String& FileName, const TSaveOptions& Options, const String& Fence) const
{
    if (DocumentElement().IsNull())
        throw EXMLError(QStringLiteral("Cannot save XML file \"%1\": the document has no root element").arg(FileName));
    try {
        WriteFileAtomically(FileName, SaveToBytes(Options), Fence);
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
    FImpl->Buffer.clear();
    XmlTreeChanged();
}

TXMLNode TXMLDocument::Node() const { return TNodeImpl::Make(FImpl->Doc); }

TXMLNode TXMLDocument::DocumentElement() const { return TNodeImpl::Make(FImpl->Doc.document_element()); }

TXMLNode TXMLDocument::AppendElement(const String& Name) { return Node().AppendElement(Name); }

TXMLNode TXMLDocument::AppendComment(const String& Text) { return Node().AppendComment(Text); }

} // namespace xml
