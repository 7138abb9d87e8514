#pragma once
// XML document layer: the document object model the system's units use to
// read and write their XML files. Nodes are light handles into a document;
// a handle stays valid while its document lives and the node is not removed.
// Loading keeps comments, declarations and processing instructions but no
// text made only of white space, so the child nodes of an element are its
// elements, its comments and the texts that hold something.
#include "rtl/SysUtils.h"

#include <functional>
#include <memory>
#include <optional>

RTL_DECLARE_EXCEPTION(EXMLError, Exception)

// A document that is not well-formed: the parser's status number (the
// layer's own checks give the status of the nearest fault) and the
// 1-based line of the fault.
class EXMLParseError : public EXMLError {
public:
    EXMLParseError(const String& Msg, int ACode, int ALine) : EXMLError(Msg), FCode(ACode), FLine(ALine) {}
    int Code() const { return FCode; }
    int Line() const { return FLine; }

private:
    int FCode;
    int FLine;
};

namespace xml {

enum class TNodeType {
    ntNull,        // an empty handle
    ntDocument,
    ntElement,
    ntText,
    ntCData,
    ntComment,
    ntProcessingInstr,
    ntDeclaration,
    ntDocType,
};

// Namespace names the device descriptions use with prefixed attributes.
inline const char* const XSI_NAMESPACE = "http://www.w3.org/2001/XMLSchema-instance";
inline const char* const XML_NAMESPACE = "http://www.w3.org/XML/1998/namespace";

struct TNodeImpl;

// Whether Name may name an element or attribute, and Text be the text of a
// comment, in a document that is written (the parser reads more).
bool IsName(const String& Name);
bool IsCommentText(const String& Text);

// The parser options documents are loaded with, for measuring the layer
// against the bare parser.
unsigned ParserOptions();

class TXMLNode {
public:
    TXMLNode() = default;

    bool IsNull() const;
    explicit operator bool() const { return !IsNull(); }
    bool operator==(const TXMLNode& Other) const;

    TNodeType NodeType() const;
    // The element or processing-instruction name as written (prefix
    // included); "xml" for a declaration, "#text", "#cdata-section",
    // "#comment", "#document" for those nodes, the name for a doctype.
    String NodeName() const;

    // Every child node (elements, texts, comments ...) in document order.
    // Walking the children by rising or falling index costs a step per
    // child, not a search from the first one.
    int ChildCount() const;
    TXMLNode Child(int Index) const;   // raises EXMLError out of range
    TXMLNode FirstChild() const;
    TXMLNode NextSibling() const;
    TXMLNode Parent() const;

    // First child element whose name equals Name exactly (letter case counts).
    TXMLNode FindChild(const String& Name) const;
    TXMLNode FindChild(const char* Name) const;   // UTF-8, no conversion
    // The name as the parser holds it (UTF-8), for readers that compare
    // names without converting them; "" for nodes without a name. Valid
    // while the document lives and the node is not renamed.
    const char* NameUtf8() const;

    // Concatenated text of the element's text and CDATA children, or the
    // value of a text/comment node.
    String Text() const;
    // Replaces the element's children with one text node (none for an empty
    // text), or sets the text of a text, CDATA or comment node. A comment
    // cannot hold "--" nor end with "-": EXMLError.
    void SetText(const String& Value);

    // Attributes by name; a missing attribute is nullopt, distinct from "".
    // Looking up an attribute allocates nothing but the result.
    std::optional<String> Attribute(const String& Name) const;
    std::optional<String> Attribute(const char* Name) const;   // UTF-8
    // The value as the parser holds it (UTF-8); null when missing. Valid
    // while the document lives and the attribute is not set again.
    const char* AttributeUtf8(const char* Name) const;
    // Several attributes in one walk: Values[i] := the value of the first
    // attribute named Names[i] (UTF-8), null when missing.
    void AttributesUtf8(const char* const* Names, const char** Values, int Count) const;
    bool HasAttribute(const String& Name) const;
    bool HasAttribute(const char* Name) const;
    // Attribute by namespace URI and local name ("type" in XSI_NAMESPACE),
    // whatever prefix the document binds to that namespace. The "xml" prefix
    // is bound to XML_NAMESPACE implicitly.
    // An empty NamespaceURI finds an attribute without prefix.
    std::optional<String> AttributeNS(const String& NamespaceURI, const String& LocalName) const;
    std::optional<String> AttributeNS(const char* NamespaceURI, const char* LocalName) const;
    // The same as the parser holds it (UTF-8); null when missing.
    const char* AttributeNSUtf8(const char* NamespaceURI, const char* LocalName) const;
    // Sets an attribute; a new one goes after the existing ones, so the
    // order of writing is the order in the file. Only elements have
    // attributes, and a name must be an XML name: EXMLError otherwise.
    void SetAttribute(const String& Name, const String& Value);
    int AttributeCount() const;   // AttributeName/Value raise out of range
    String AttributeName(int Index) const;
    String AttributeValue(int Index) const;

    // Appending to an element, or at document level (a second root element
    // or a text there would not be XML), or to a null handle raises EXMLError.
    TXMLNode AppendElement(const String& Name);
    TXMLNode AppendComment(const String& Text);
    TXMLNode AppendText(const String& Text);
    void RemoveChild(const TXMLNode& Child);   // EXMLError when not a child
    void RemoveAllChildren();

private:
    friend class TXMLDocument;
    friend struct TNodeImpl;
    void* FNode = nullptr;   // the underlying parser node
};

class TXMLDocument {
public:
    TXMLDocument();
    ~TXMLDocument();
    TXMLDocument(const TXMLDocument&) = delete;
    TXMLDocument& operator=(const TXMLDocument&) = delete;

    // Loads a file. A missing, unreadable, empty or malformed file raises
    // EXMLError naming the file (and the line and column of a parse error);
    // the document is then empty. A file may be UTF-8 (with or without a
    // byte-order mark), UTF-16 with a byte-order mark, or declare ISO-8859-1
    // or windows-1252 (both read as Windows-1252). The texts are
    // decoded, so a declaration in the document names UTF-8, the encoding it
    // is saved in.
    void LoadFromFile(const String& FileName);
    // The text is decoded already: an encoding it declares is not used.
    void LoadFromString(const String& Xml);
    // Bytes as a file holds them; SourceName names them in messages.
    void LoadFromBytes(const QByteArray& Bytes, const String& SourceName = String());

    // Writes the document in UTF-8, without a declaration and without
    // indentation unless asked. Saving a file replaces it atomically: a
    // failed save raises EXMLError and leaves the old file as it was. A
    // document without a root element is not saved to a file (EXMLError).
    // Fence: the folder a symbolic link may lead into (as
    // WriteFileAtomically takes it); empty follows links anywhere.
    struct TSaveOptions {
        bool Declaration = false;
        bool Indent = false;
    };
    void SaveToFile(const String& FileName) const;
    void SaveToFile(const String& FileName, const TSaveOptions& Options, const String& Fence = String()) const;
    String SaveToString() const;
    String SaveToString(const TSaveOptions& Options) const;
    QByteArray SaveToBytes(const TSaveOptions& Options) const;

    // Removes every node of the document.
    void Clear();

    // The document node (parent of the root, of comments and declarations).
    TXMLNode Node() const;
    // The document element: declarations, comments and processing
    // instructions before it are skipped. Null when there is none.
    TXMLNode DocumentElement() const;

    // Appends at document level (the root, and comments after it).
    TXMLNode AppendElement(const String& Name);
    TXMLNode AppendComment(const String& Text);

    // The file last loaded or saved, for messages; empty after a failed load.
    const String& FileName() const { return FFileName; }

private:
    void LoadBytes(QByteArray Bytes, const String& SourceName, const std::function<QByteArray()>& Pristine);

    struct TImpl;
    std::unique_ptr<TImpl> FImpl;
    mutable String FFileName;
};

} // namespace xml
