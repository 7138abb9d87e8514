#include "platform/WordDocument.h"

#include <QFile>

namespace platform {

namespace {

const char* const WordNs = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";

const char* const ContentTypes =
    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
    "<Override PartName=\"/word/document.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/></Types>";

const char* const PackageRels =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
    "Target=\"word/document.xml\"/></Relationships>";

[[noreturn]] void DocumentFail(const String& FileName, const String& Reason)
{
    throw EOfficeFileError(FileName + QStringLiteral(": ") + Reason);
}

std::string Utf8WithoutControls(const String& Text)
{
    String Safe;
    for (const QChar C : Text)
        if ((C.unicode() >= 0x20 || C == u'\t') && C.unicode() != 0xFFFE && C.unicode() != 0xFFFF)
            Safe += C;
    return Safe.toStdString();
}

// Builds paragraphs and tables with the "w" prefix of the document body.
class TWordBuilder {
public:
    explicit TWordBuilder(std::string Prefix) : FPrefix(std::move(Prefix)) {}

    // A paragraph with Text as runs split at line breaks, aligned.
    pugi::xml_node Paragraph(pugi::xml_node Parent, pugi::xml_node Before, const String& Text,
                             TDocAlignment Alignment = TDocAlignment::daLeft) const
    {
        pugi::xml_node P = Before ? Parent.insert_child_before(Name("p").c_str(), Before) : Parent.append_child(Name("p").c_str());
        if (Alignment != TDocAlignment::daLeft)
            P.append_child(Name("pPr").c_str()).append_child(Name("jc").c_str()).append_attribute(Name("val").c_str()) =
                Alignment == TDocAlignment::daRight ? "right" : "center";
        if (Text.isEmpty())
            return P;
        pugi::xml_node Run = P.append_child(Name("r").c_str());
        const QStringList Lines = Text.split(u'\n');
        for (qsizetype I = 0; I < Lines.size(); ++I) {
            if (I > 0)
                Run.append_child(Name("br").c_str());
            pugi::xml_node T = Run.append_child(Name("t").c_str());
            T.append_attribute("xml:space") = "preserve";
            T.text() = Utf8WithoutControls(Lines[I]).c_str();
        }
        return P;
    }

    pugi::xml_node Table(pugi::xml_node Parent, pugi::xml_node Before, const TDocTable& Rows) const
    {
        pugi::xml_node Tbl = Before ? Parent.insert_child_before(Name("tbl").c_str(), Before) : Parent.append_child(Name("tbl").c_str());
        pugi::xml_node Pr = Tbl.append_child(Name("tblPr").c_str());
        pugi::xml_node Width = Pr.append_child(Name("tblW").c_str());
        Width.append_attribute(Name("w").c_str()) = 0;
        Width.append_attribute(Name("type").c_str()) = "auto";
        pugi::xml_node Grid = Tbl.append_child(Name("tblGrid").c_str());
        const size_t Cols = Rows.empty() ? 0 : Rows.front().size();
        for (size_t C = 0; C < Cols; ++C)
            Grid.append_child(Name("gridCol").c_str());
        for (const auto& Row : Rows) {
            pugi::xml_node Tr = Tbl.append_child(Name("tr").c_str());
            for (const TDocCell& Cell : Row)
                Paragraph(Tr.append_child(Name("tc").c_str()), pugi::xml_node(), Cell.Text, Cell.Alignment);
        }
        return Tbl;
    }

private:
    std::string Name(const char* Local) const { return FPrefix + Local; }
    std::string FPrefix;
};

// "w:" when the body is "w:body".
std::string PrefixOf(const pugi::xml_node& Node)
{
    const std::string Name = Node.name();
    const size_t Colon = Name.find(':');
    return Colon == std::string::npos ? std::string() : Name.substr(0, Colon + 1);
}

// The paragraph holding the bookmark's start (or the start itself when it
// stands in the body); null when the document has no such bookmark.
pugi::xml_node BookmarkAnchor(const pugi::xml_node& Body, const String& Bookmark)
{
    if (Bookmark.isEmpty())
        return pugi::xml_node();
    const std::string Name = Bookmark.toStdString();
    const pugi::xml_node Start = Body.find_node([&](const pugi::xml_node& N) {
        return IsNamed(N, "bookmarkStart") && Name == AttributeNamed(N, "name").value();
    });
    pugi::xml_node Anchor = Start;
    while (Anchor && Anchor.parent() != Body)
        Anchor = Anchor.parent();
    return Anchor;
}

// The body's final section properties, before which new content goes.
pugi::xml_node EndOfBody(const pugi::xml_node& Body)
{
    const pugi::xml_node Last = Body.last_child();
    return IsNamed(Last, "sectPr") ? Last : pugi::xml_node();
}

} // namespace

void WriteNewDocument(const String& FileName, const TDocTable& Table, const String& Caption)
{
    pugi::xml_document Doc;
    pugi::xml_node Root = Doc.append_child("w:document");
    Root.append_attribute("xmlns:w") = WordNs;
    pugi::xml_node Body = Root.append_child("w:body");
    const TWordBuilder Build("w:");
    Build.Table(Body, pugi::xml_node(), Table);
    Build.Paragraph(Body, pugi::xml_node(), Caption);
    Body.append_child("w:sectPr");
    TOfficePackage Package(FileName, TOfficePackage::TMode::pmCreate);
    Package.Write("[Content_Types].xml", ContentTypes);
    Package.Write("_rels/.rels", PackageRels);
    Package.WriteXml("word/document.xml", Doc);
    Package.Commit();
}

void AppendToDocument(const String& FileName, const TDocTable& Table, const String& Caption, const String& Bookmark)
{
    if (!HasZipSignature(FileName))
        DocumentFail(FileName, QStringLiteral("the file cannot be read as an Office Open XML document"));
    TOfficePackage Package(FileName, TOfficePackage::TMode::pmEdit);
    const std::string Part = "word/document.xml";
    pugi::xml_document Doc = Package.ReadXml(Part);
    const pugi::xml_node Body = ChildNamed(Doc.document_element(), "body");
    if (!IsNamed(Doc.document_element(), "document") || !Body)
        DocumentFail(FileName, QStringLiteral("the package holds no document body"));
    const TWordBuilder Build(PrefixOf(Body));
    const pugi::xml_node Anchor = BookmarkAnchor(Body, Bookmark);
    const pugi::xml_node Before = Anchor ? Anchor.next_sibling() : EndOfBody(Body);
    if (!Caption.isEmpty())
        Build.Paragraph(Body, Before, Caption);
    Build.Table(Body, Before, Table);
    // A table is followed by a paragraph.
    if (!Before || IsNamed(Before, "sectPr"))
        Build.Paragraph(Body, Before, String());
    Package.WriteXml(Part, Doc);
    Package.Commit();
}

} // namespace platform
