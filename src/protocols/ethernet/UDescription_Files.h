#pragma once
// What the description-file writers (GSDML, MIB, EDE) share: reading the
// step table files they are built from, and showing their failures.
#include "platform/XmlDoc.h"

#include <functional>
#include <vector>

// A table file that lacks what a writer needs.
RTL_DECLARE_EXCEPTION(ETableFileError, Exception)

// A step table file loaded into a document of the writer's own; its root
// is the document element.
class TTable_File_Reader {
public:
    // Loads the file; EXMLError when it cannot be read or is no XML.
    explicit TTable_File_Reader(const String& FileName);

    xml::TXMLNode Root() const { return FDoc.DocumentElement(); }
    // The section of that name under the root; ETableFileError naming the
    // file and the section when it is missing.
    xml::TXMLNode Section(const char* Name) const;
    // The same under Parent, a section element of the file.
    xml::TXMLNode Section(const xml::TXMLNode& Parent, const char* Name) const;
    // An attribute a row must have; ETableFileError naming the file, the
    // section, the row (from 1) and the attribute when it is missing.
    String Required(const xml::TXMLNode& Row, int Row_Number, const char* Attribute) const;

private:
    String FFileName;
    xml::TXMLDocument FDoc;
};

// The child elements of Node in order (comments and texts left out).
std::vector<xml::TXMLNode> Child_Elements(const xml::TXMLNode& Node);

// True when FileName does not exist or the user allows replacing it
// (text 1505, Yes and No).
bool Confirm_Replace(const String& FileName);

// Runs a writer; an error it raises is shown in an error box with its text.
void Run_Description_Writer(const std::function<void()>& Writer);

// Gives the main window's hidden generator steps their writers.
void Set_Ethernet_Step_Routines();
