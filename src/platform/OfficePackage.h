#pragma once
// Zip packages of office files (workbooks and documents): parts read with a
// size limit, parts written and the whole package replaced atomically.
#include "rtl/SysUtils.h"

#include <QByteArray>

#include <pugixml.hpp>

#include <cstring>
#include <string>

struct zip;

RTL_DECLARE_EXCEPTION(EOfficeFileError, Exception)

namespace platform {

// No part of a package is inflated beyond this.
inline constexpr qint64 OfficeMaxPartBytes = qint64(256) * 1024 * 1024;

// True when the file begins with the zip signature "PK\3\4".
bool HasZipSignature(const String& FileName);

class TOfficePackage {
public:
    enum class TMode { pmRead, pmEdit, pmCreate };
    // Raises EOfficeFileError when the file is no zip package (pmCreate
    // starts an empty one that replaces the file on Commit).
    TOfficePackage(const String& FileName, TMode Mode);
    ~TOfficePackage();
    TOfficePackage(const TOfficePackage&) = delete;
    TOfficePackage& operator=(const TOfficePackage&) = delete;

    bool Has(const std::string& Part) const;
    // The part's bytes; raises when it is missing or inflates beyond
    // OfficeMaxPartBytes.
    QByteArray Read(const std::string& Part) const;
    // The part parsed; raises when it is not well-formed.
    pugi::xml_document ReadXml(const std::string& Part) const;
    void Write(const std::string& Part, const QByteArray& Bytes);
    void WriteXml(const std::string& Part, const pugi::xml_document& Doc);
    void Remove(const std::string& Part);
    // Writes the package to a temporary file and renames it over the file.
    void Commit();

private:
    [[noreturn]] void Fail(const String& Reason) const;

    String FFileName;
    zip* FZip = nullptr;
};

// Element names compared without their namespace prefix.
inline const char* LocalName(const pugi::xml_node& Node)
{
    const char* Name = Node.name();
    const char* Colon = std::strchr(Name, ':');
    return Colon ? Colon + 1 : Name;
}

inline bool IsNamed(const pugi::xml_node& Node, const char* Name)
{
    return Node.type() == pugi::node_element && std::strcmp(LocalName(Node), Name) == 0;
}

inline pugi::xml_node ChildNamed(const pugi::xml_node& Parent, const char* Name)
{
    for (pugi::xml_node Child = Parent.first_child(); Child; Child = Child.next_sibling())
        if (IsNamed(Child, Name))
            return Child;
    return pugi::xml_node();
}

template <typename F> void ForChildren(const pugi::xml_node& Parent, const char* Name, F&& Visit)
{
    for (pugi::xml_node Child = Parent.first_child(); Child; Child = Child.next_sibling())
        if (IsNamed(Child, Name))
            Visit(Child);
}

// An attribute by its local name ("r:id" as "id").
inline pugi::xml_attribute AttributeNamed(const pugi::xml_node& Node, const char* Name)
{
    for (pugi::xml_attribute A = Node.first_attribute(); A; A = A.next_attribute()) {
        const char* Colon = std::strchr(A.name(), ':');
        if (std::strcmp(Colon ? Colon + 1 : A.name(), Name) == 0 && std::strncmp(A.name(), "xmlns", 5) != 0)
            return A;
    }
    return pugi::xml_attribute();
}

inline bool EndsWith(const char* Text, const char* Tail)
{
    const size_t N = std::strlen(Text);
    const size_t M = std::strlen(Tail);
    return N >= M && std::strcmp(Text + N - M, Tail) == 0;
}

// Part names of a package: the folder of a part ("xl/" of "xl/workbook.xml")
// and a relationship's target resolved against a folder.
std::string PartFolder(const std::string& Part);
std::string ResolvePartTarget(const std::string& Folder, const std::string& Target);
// The relationships part of a part ("xl/_rels/workbook.xml.rels").
std::string RelationshipsPart(const std::string& Part);

} // namespace platform
