// The main window's hidden ESI step: its save dialog, the question before
// an existing file is replaced, and a failure shown in an error box.
#include "shell/MainWindowFixture.h"

#include "protocols/fieldbus/UEtherCAT_ESI_File.h"

namespace {

class EtherCATESIStepTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        Start();
        Step_Routines.Create_ESI_File = Create_ESI_File;
        ASSERT_TRUE(ForceDirectories(Projects(QStringLiteral("Demo"))));
        Path_Project = Projects(QStringLiteral("Demo"));
        Name_Project = QStringLiteral("Demo");
        Main->Set_Files();
        Main->Btn_EtherCAT_ESI_File->SetVisible(true);
    }
    QByteArray Read(const String& File) const
    {
        QFile F(File);
        return F.open(QIODevice::ReadOnly) ? F.readAll() : QByteArray();
    }
    // The step with File chosen in its save dialog.
    void Esi_Step(const String& File)
    {
        Dialogs->FileAnswers = {File};
        Main->Btn_EtherCAT_ESI_File->Click();
    }
};

} // namespace

TEST_F(EtherCATESIStepTest, TheStepAsksBeforeReplacingAFile)
{
    const String Esi = Path_Project + QStringLiteral("/gateway.xml");

    Main->Btn_EtherCAT_ESI_File->Click(); // cancelled
    ASSERT_EQ(1u, Dialogs->FileDialogs.size());
    EXPECT_EQ(Path_Project, Dialogs->FileDialogs[0].InitialDir);
    EXPECT_EQ(QStringLiteral("EtherCAT ESI File (*.xml)|*.xml"), Dialogs->FileDialogs[0].Filter);
    EXPECT_FALSE(Dialogs->FileDialogs[0].Options.Contains(ofOverwritePrompt));
    EXPECT_TRUE(QDir(Path_Project).entryList(QDir::Files).isEmpty());

    Esi_Step(Esi);
    const QByteArray Written = Read(Esi);
    EXPECT_TRUE(Written.startsWith("<?xml version=\"1.0\"?>\r\n<EtherCATInfo "));
    EXPECT_TRUE(Dialogs->Boxes.empty());

    WriteFile(Esi, "old");
    Dialogs->BoxAnswers = {mrNo};
    Esi_Step(Esi);
    ASSERT_EQ(1u, Dialogs->Boxes.size());
    EXPECT_EQ(QStringLiteral("File already exists. Do you want to overwrite?"), Dialogs->Boxes[0].Text);
    EXPECT_EQ(mtConfirmation, Dialogs->Boxes[0].DlgType);
    EXPECT_TRUE(Dialogs->Boxes[0].Buttons == mbYesNo);
    EXPECT_EQ("old", Read(Esi));

    Dialogs->BoxAnswers = {mrYes};
    Esi_Step(Esi);
    EXPECT_EQ(Written, Read(Esi));
}

TEST_F(EtherCATESIStepTest, AFailureIsShownAndTheFileKept)
{
    const String Esi = Path_Project + QStringLiteral("/gateway.xml");
    WriteFile(Esi, "old");
    WriteFile(File_EtherCAT_Slave, "<EtherCAT_Slave><EtherCAT_Slave_Variables/></EtherCAT_Slave>");
    Dialogs->BoxAnswers = {mrYes};
    Esi_Step(Esi);
    ASSERT_EQ(2u, Dialogs->Boxes.size());
    EXPECT_EQ(mtError, Dialogs->Boxes[1].DlgType);
    EXPECT_TRUE(Dialogs->Boxes[1].Text.contains(QStringLiteral("EtherCAT_Slave_To_Master")));
    EXPECT_EQ("old", Read(Esi));
}
