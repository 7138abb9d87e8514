#include "protocols/ethernet/UDescription_Files.h"

#include "protocols/ethernet/UBACnet_EDE_File.h"
#include "protocols/ethernet/UProfinetXML.h"
#include "protocols/ethernet/USNMP_MIB.h"
#include "rtl/Dialogs.h"
#include "shell/ULanguage.h"
#include "shell/UDeviravizevFirmWare.h"

TTable_File_Reader::TTable_File_Reader(const String& FileName) : FFileName(FileName)
{
    FDoc.LoadFromFile(FileName);
}

xml::TXMLNode TTable_File_Reader::Section(const char* Name) const
{
    return Section(Root(), Name);
}

xml::TXMLNode TTable_File_Reader::Section(const xml::TXMLNode& Parent, const char* Name) const
{
    const xml::TXMLNode Node = Parent.FindChild(Name);
    if (!Node)
        throw ETableFileError(Format("Error in the file \"%s\": the section \"%s\" is missing", {FFileName, Name}));
    return Node;
}

String TTable_File_Reader::Required(const xml::TXMLNode& Row, int Row_Number, const char* Attribute) const
{
    const std::optional<String> Value = Row.Attribute(Attribute);
    if (!Value)
        throw ETableFileError(Format("Error in the file \"%s\": row %d of \"%s\" has no attribute \"%s\"",
                                     {FFileName, Row_Number, Row.Parent().NodeName(), Attribute}));
    return *Value;
}

std::vector<xml::TXMLNode> Child_Elements(const xml::TXMLNode& Node)
{
    std::vector<xml::TXMLNode> Elements;
    for (xml::TXMLNode Child = Node.FirstChild(); Child; Child = Child.NextSibling())
        if (Child.NodeType() == xml::TNodeType::ntElement)
            Elements.push_back(Child);
    return Elements;
}

bool Confirm_Replace(const String& FileName)
{
    return !FileExists(FileName) || MessageDlg(Lang.Strings(1505), mtConfirmation, mbYesNo, 0) == mrYes;
}

void Run_Description_Writer(const std::function<void()>& Writer)
{
    try {
        Writer();
    } catch (const Exception& E) {
        MessageDlg(E.Message(), mtError, TMsgDlgButtons{mbOK}, 0);
    }
}

void Set_Ethernet_Step_Routines()
{
    Step_Routines.Create_GSDML_File = Create_GSDML_File;
    Step_Routines.Create_EDE_File = Create_EDE_File;
    Step_Routines.Create_MIB_File = Create_MIB_File;
}
