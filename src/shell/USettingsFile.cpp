#include "shell/USettingsFile.h"

#include "platform/XmlDoc.h"
#include "shell/UComon.h"

namespace {

// Text of the element Child under the element Group of Root; throws when
// either is missing, so that the caller's guarded step takes its default.
String Settings_Text(const xml::TXMLNode& Root, const char* Group, const char* Child)
{
    const xml::TXMLNode G = Root.FindChild(QLatin1String(Group));
    const xml::TXMLNode C = G ? G.FindChild(QLatin1String(Child)) : xml::TXMLNode();
    if (!C)
        throw EXMLError(QStringLiteral("Settings element %1/%2 missing")
                            .arg(QLatin1String(Group), QLatin1String(Child)));
    return C.Text();
}

bool Settings_Flag(const xml::TXMLNode& Root, const char* Child)
{
    return Settings_Text(Root, "lastinternet", Child) == QLatin1String("1");
}

void Settings_Defaults()
{
    Name_Project.clear();
    Path_Project.clear();
    Last_IP_Address = QString::fromLatin1(C_Default_IP_Address);
    Language_Name = QString::fromLatin1(C_Default_Language);
    Enable_Internet = false;
    Enable_Update = false;
    Enable_Jump_Field_Tables = false;
    Double_Click_Auto_Size = false;
}

void Settings_Add(xml::TXMLNode& Root, const char* Group, const char* Child, const String& Value)
{
    Root.AppendElement(QLatin1String(Group)).AppendElement(QLatin1String(Child)).SetText(Value);
}

String Settings_Flag_Text(bool Flag)
{
    return Flag ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

String Settings_File()
{
    return Path_Data + PathDelim + QLatin1String(Settings_File_Name);
}

void Read_Settings()
{
    xml::TXMLDocument Doc;
    xml::TXMLNode Root;
    if (FileExists(Settings_File())) {
        try {
            Doc.LoadFromFile(Settings_File());
            Root = Doc.DocumentElement();
        } catch (const Exception&) {
            Root = xml::TXMLNode();
        }
    }
    if (!Root) {
        Settings_Defaults();
        return;
    }

    try {
        Name_Project = Settings_Text(Root, "lastproj", "projectname");
    } catch (const Exception&) {
        Name_Project.clear();
    }
    try {
        Last_IP_Address = Settings_Text(Root, "lastipadd", "ipaddress");
    } catch (const Exception&) {
        Last_IP_Address = QString::fromLatin1(C_Default_IP_Address);
    }
    try {
        Language_Name = Settings_Text(Root, "lastlang", "language");
    } catch (const Exception&) {
        Language_Name = QString::fromLatin1(C_Default_Language);
    }
    try {
        Enable_Internet = Settings_Flag(Root, "enable_internet");
    } catch (const Exception&) {
        Enable_Internet = false;
    }
    try {
        Enable_Update = Settings_Flag(Root, "enable_update");
    } catch (const Exception&) {
        Enable_Update = false;
    }
    try {
        Enable_Jump_Field_Tables = Settings_Flag(Root, "enable_jump_field_tables");
    } catch (const Exception&) {
        Enable_Jump_Field_Tables = false;
    }
    try {
        Double_Click_Auto_Size = Settings_Flag(Root, "Double_Click_Auto_Size");
    } catch (const Exception&) {
        Double_Click_Auto_Size = false;
    }
}

bool Write_Settings()
{
    try {
        xml::TXMLDocument Doc;
        xml::TXMLNode Root = Doc.AppendElement(QStringLiteral("Conf_Settings"));
        Settings_Add(Root, "lastproj", "projectname", Name_Project);
        Settings_Add(Root, "lastipadd", "ipaddress", Last_IP_Address);
        Settings_Add(Root, "lastlang", "language", Language_Name);
        xml::TXMLNode Internet = Root.AppendElement(QStringLiteral("lastinternet"));
        Internet.AppendElement(QStringLiteral("enable_internet")).SetText(Settings_Flag_Text(Enable_Internet));
        Internet.AppendElement(QStringLiteral("enable_update")).SetText(Settings_Flag_Text(Enable_Update));
        Internet.AppendElement(QStringLiteral("enable_jump_field_tables"))
            .SetText(Settings_Flag_Text(Enable_Jump_Field_Tables));
        Internet.AppendElement(QStringLiteral("Double_Click_Auto_Size"))
            .SetText(Settings_Flag_Text(Double_Click_Auto_Size));
        // A link is written through only into the data folder.
        Doc.SaveToFile(Settings_File(), {}, Path_Data);
        return true;
    } catch (const Exception&) {
        return false;
    }
}
