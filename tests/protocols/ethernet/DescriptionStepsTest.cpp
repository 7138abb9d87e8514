// The GSDML name dialog, and the main window's hidden generator steps
// running the writers the program entry gives them.
#include "shell/MainWindowFixture.h"

#include "protocols/ethernet/UDescription_Files.h"
#include "protocols/ethernet/UProfinetFileName.h"
#include "protocols/ethernet/UProfinetXML.h"

#include <QTest>

namespace {

const String Name_20130109 = QStringLiteral("GSDML-V2.31-Tarnix-GV52304-20130109.xml");

class DescriptionStepsTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        Start();
        Set_Ethernet_Step_Routines();
        ASSERT_TRUE(ForceDirectories(Projects(QStringLiteral("Demo"))));
        Path_Project = Projects(QStringLiteral("Demo"));
        Name_Project = QStringLiteral("Demo");
        Main->Set_Files();
        FProfinetFileName->Fix_Date(EncodeDate(2013, 1, 9));
        for (TLbButton* Hidden : {Main->Btn_PROFINET_XML, Main->Btn_SNMP_MIB, Main->Btn_BACnet_EDE_File})
            Hidden->SetVisible(true);
    }
    // The name dialog's OK with User typed: whether it stayed open.
    bool Name_OK(const String& User)
    {
        FProfinetFileName->E_XML_User->SetText(User);
        auto Open = OnModal(FProfinetFileName, [] { FProfinetFileName->Btn_OK->Click(); });
        FProfinetFileName->ShowModal();
        return *Open;
    }
    // The hidden PROFINET step, the name dialog confirmed with User.
    void Profinet_Step(const String& User)
    {
        FProfinetFileName->E_XML_User->SetText(User);
        OnModal(FProfinetFileName, [] { FProfinetFileName->Btn_OK->Click(); });
        Main->Btn_PROFINET_XML->Click();
    }
    QByteArray Read(const String& File) const
    {
        QFile F(File);
        return F.open(QIODevice::ReadOnly) ? F.readAll() : QByteArray();
    }
};

} // namespace

TEST_F(DescriptionStepsTest, TheNameDialogComposesTheFileName)
{
    EXPECT_EQ(540, FProfinetFileName->ClientWidth());
    EXPECT_EQ(205, FProfinetFileName->ClientHeight());
    EXPECT_EQ(QStringLiteral("GSDML-V2.31-Tarnix-GV52304"), FProfinetFileName->L_XML_Fix1->Caption());
    EXPECT_EQ(QStringLiteral("-20130109.xml"), FProfinetFileName->L_XML_Fix2->Caption());
    EXPECT_EQ(QStringLiteral("Insert here the User part of GSDML file"), FProfinetFileName->E_XML_User->Hint());

    const std::pair<const char*, const char*> Accepted[] = {
        {"", "GSDML-V2.31-Tarnix-GV52304-20130109.xml"},
        {"   ", "GSDML-V2.31-Tarnix-GV52304-20130109.xml"},
        {"line2", "GSDML-V2.31-Tarnix-GV52304_line2-20130109.xml"},
        {"_line2", "GSDML-V2.31-Tarnix-GV52304_line2-20130109.xml"},
        {" x", "GSDML-V2.31-Tarnix-GV52304_ x-20130109.xml"},
        {"a..b", "GSDML-V2.31-Tarnix-GV52304_a..b-20130109.xml"},
    };
    for (const auto& [User, Name] : Accepted) {
        EXPECT_FALSE(Name_OK(QString::fromUtf8(User))) << User;
        EXPECT_EQ(QString::fromUtf8(Name), FProfinetFileName->Name_File_XML) << User;
    }
    EXPECT_TRUE(Dialogs->Boxes.empty());

    // Refused: an error box, the dialog stays open, the name unchanged.
    for (const char* User : {"a/b", "a\\b", "a:b", "a*b", "a?b", "a\"b", "a<b", "a>b", "a|b", "\t", "a\nb"}) {
        Dialogs->Boxes.clear();
        FProfinetFileName->Name_File_XML = QStringLiteral("kept");
        EXPECT_TRUE(Name_OK(QString::fromUtf8(User))) << User;
        ASSERT_EQ(1u, Dialogs->Boxes.size()) << User;
        EXPECT_EQ(mtError, Dialogs->Boxes[0].DlgType);
        EXPECT_EQ(QStringLiteral("Error!! The User Part cannot hold the characters \\ / : * ? \" < > | or control "
                                 "characters"),
                  Dialogs->Boxes[0].Text);
        EXPECT_EQ(QStringLiteral("kept"), FProfinetFileName->Name_File_XML);
    }

    // Cancel leaves the name as it was.
    FProfinetFileName->E_XML_User->SetText(QStringLiteral("other"));
    OnModal(FProfinetFileName, [] { FProfinetFileName->Btn_Cancel->Click(); });
    EXPECT_EQ(mrCancel, FProfinetFileName->ShowModal());
    EXPECT_EQ(QStringLiteral("kept"), FProfinetFileName->Name_File_XML);
}

TEST_F(DescriptionStepsTest, TheProfinetStepWritesUnderTheProposedName)
{
    const String Proposed = Path_Project + u'/' + Name_20130109;

    // Cancel in the save dialog: nothing.
    Profinet_Step(String());
    ASSERT_EQ(1u, Dialogs->FileDialogs.size());
    EXPECT_EQ(Path_Project, Dialogs->FileDialogs[0].InitialDir);
    EXPECT_EQ(Name_20130109, Dialogs->FileDialogs[0].FileName);
    EXPECT_EQ(QStringLiteral("PROFINET XML (*.xml)|") + Name_20130109, Dialogs->FileDialogs[0].Filter);
    EXPECT_FALSE(QFile::exists(Proposed));

    // Another name picked: the file still gets the proposed name, in the
    // folder of the picked one.
    Dialogs->FileAnswers = {Path_Project + QStringLiteral("/chosen.xml")};
    Profinet_Step(String());
    EXPECT_FALSE(QFile::exists(Path_Project + QStringLiteral("/chosen.xml")));
    const QByteArray Written = Read(Proposed);
    EXPECT_TRUE(Written.startsWith("\xEF\xBB\xBF<?xml"));
    EXPECT_TRUE(Dialogs->Boxes.empty());

    // An existing file: No keeps it, Yes replaces it.
    WriteFile(Proposed, "old");
    Dialogs->FileAnswers = {Proposed};
    Dialogs->BoxAnswers = {mrNo};
    Profinet_Step(String());
    ASSERT_EQ(1u, Dialogs->Boxes.size());
    EXPECT_EQ(QStringLiteral("File already exists! Do you want to overwrite the file?"), Dialogs->Boxes[0].Text);
    EXPECT_TRUE(Dialogs->Boxes[0].Buttons == mbYesNo);
    EXPECT_EQ("old", Read(Proposed));
    Dialogs->FileAnswers = {Proposed};
    Dialogs->BoxAnswers = {mrYes};
    Profinet_Step(String());
    EXPECT_EQ(Written, Read(Proposed));

    // Cancel in the name dialog: no save dialog.
    const size_t Shown = Dialogs->FileDialogs.size();
    OnModal(FProfinetFileName, [] { FProfinetFileName->Btn_Cancel->Click(); });
    Main->Btn_PROFINET_XML->Click();
    EXPECT_EQ(Shown, Dialogs->FileDialogs.size());
}

// A configuration file that is no XML: an error box, no file.
TEST_F(DescriptionStepsTest, TheProfinetStepReportsAnUnreadableConfiguration)
{
    WriteFile(File_IOLink_SetAccess, "<IO-Link>");
    Dialogs->FileAnswers = {Path_Project + u'/' + Name_20130109};
    Profinet_Step(QStringLiteral("x"));
    ASSERT_EQ(1u, Dialogs->Boxes.size());
    EXPECT_EQ(mtError, Dialogs->Boxes[0].DlgType);
    EXPECT_TRUE(Dialogs->Boxes[0].Text.contains(QStringLiteral("IOLink_SetAccess.xml")));
    EXPECT_TRUE(QDir(Path_Project).entryList({QStringLiteral("GSDML*")}).isEmpty());
}

TEST_F(DescriptionStepsTest, TheMibStepAsksBeforeReplacingAFile)
{
    WriteFile(File_SNMP_Trap, "<SNMP_Trap><SNMP_Trap_Read><row Enable=\"Y\" Type=\"Int\" Description=\"temp\"/>"
                              "</SNMP_Trap_Read><SNMP_Trap_Write/></SNMP_Trap>");
    const String Mib = Path_Project + QStringLiteral("/GATEWAY.mib");

    Main->Btn_SNMP_MIB->Click(); // cancelled
    ASSERT_EQ(1u, Dialogs->FileDialogs.size());
    EXPECT_EQ(Path_Project, Dialogs->FileDialogs[0].InitialDir);
    EXPECT_EQ(QStringLiteral("Management Information Base (*.mib)|*.mib"), Dialogs->FileDialogs[0].Filter);
    EXPECT_FALSE(QFile::exists(Mib));

    Dialogs->FileAnswers = {Mib};
    Main->Btn_SNMP_MIB->Click();
    EXPECT_TRUE(Read(Mib).startsWith("GATEWAY DEFINITIONS ::= BEGIN\r\n"));
    EXPECT_TRUE(Dialogs->Boxes.empty());

    WriteFile(Mib, "old");
    Dialogs->FileAnswers = {Mib};
    Dialogs->BoxAnswers = {mrNo};
    Main->Btn_SNMP_MIB->Click();
    ASSERT_EQ(1u, Dialogs->Boxes.size());
    EXPECT_EQ(QStringLiteral("File already exists. Do you want to overwrite?"), Dialogs->Boxes[0].Text);
    EXPECT_TRUE(Dialogs->Boxes[0].Buttons == mbYesNo);
    EXPECT_EQ("old", Read(Mib));

    // A table without its write section: the error is shown, the file kept.
    WriteFile(File_SNMP_Trap, "<SNMP_Trap><SNMP_Trap_Read/></SNMP_Trap>");
    Dialogs->Boxes.clear();
    Dialogs->FileAnswers = {Mib};
    Dialogs->BoxAnswers = {mrYes};
    Main->Btn_SNMP_MIB->Click();
    ASSERT_EQ(2u, Dialogs->Boxes.size());
    EXPECT_EQ(mtError, Dialogs->Boxes[1].DlgType);
    EXPECT_TRUE(Dialogs->Boxes[1].Text.contains(QStringLiteral("SNMP_Trap_Write")));
    EXPECT_EQ("old", Read(Mib));
}

TEST_F(DescriptionStepsTest, TheEdeStepWritesTheObjectList)
{
    WriteFile(File_BACnet_Slave_SetAccess,
              "<BACnet_to_Modbus><BACnet_in_Read><row Data_Type=\"Analog Value\" Eng_Unit=\"62\" Mnemonic=\"T\"/>"
              "</BACnet_in_Read><BACnet_in_Write/></BACnet_to_Modbus>");
    Dialogs->FileAnswers = {Path_Project + QStringLiteral("/objects")};
    Main->Btn_BACnet_EDE_File->Click();
    const QByteArray Written = Read(Path_Project + QStringLiteral("/objects.csv"));
    EXPECT_TRUE(Written.startsWith("PROJECT_NAME; Tarnix--Demo;;;;;;\r\n"));
    EXPECT_TRUE(Written.endsWith("\r\n_T_0;;T;2;0;T;62;\r\n"));
    EXPECT_TRUE(Dialogs->Boxes.empty());
}
