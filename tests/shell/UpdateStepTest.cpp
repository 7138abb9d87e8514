// The update step from the main window: the images, the update dialog with
// the real echo to the loopback address, and the start of the updater.
#include "iolink/UBoot.h"
#include "shell/MainWindowFixture.h"
#include "shell/UComon.h"

#include <QTest>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// Empty when this process may open an ICMP socket of either kind.
std::string UpdateStep_Icmp_Unavailable()
{
    for (int Type : {SOCK_DGRAM, SOCK_RAW}) {
        const int Fd = ::socket(AF_INET, Type, IPPROTO_ICMP);
        if (Fd >= 0) {
            ::close(Fd);
            return {};
        }
    }
    return "no ICMP ping socket or raw socket may be opened here; allow one with the sysctl "
           "net.ipv4.ping_group_range or CAP_NET_RAW";
}

class UpdateStepTest : public MainWindowTest {
protected:
    void TearDown() override
    {
        MainWindowTest::TearDown();
        Last_Update_Option = 0;
        Last_Read_Back = true;
    }
    // A program file in the program folder: a shell script, executable.
    String Script(const char* Name, const QByteArray& Body)
    {
        const String File = Dir.path() + QLatin1Char('/') + QLatin1String(Name);
        WriteFile(File, "#!/bin/sh\n" + Body);
        QFile(File).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return File;
    }
    bool Exists(const char* Name) const { return QFile::exists(Dir.path() + QLatin1Char('/') + QLatin1String(Name)); }
    QByteArray Read(const String& File) const
    {
        QFile F(File);
        return F.open(QIODevice::ReadOnly) ? F.readAll() : QByteArray();
    }
    void Open_Configuration()
    {
        ASSERT_TRUE(ForceDirectories(Projects(QStringLiteral("Alpha"))));
        Name_Project = QStringLiteral("Alpha");
        Path_Project = Projects(QStringLiteral("Alpha"));
        Main->Set_Files();
    }
};

} // namespace

// The launcher waits for the program it started and passes its parameters;
// a program that cannot be started is reported at once.
TEST_F(UpdateStepTest, LauncherWaitsForTheProgram)
{
    // The marker is written after a pause, so a launcher that did not wait
    // would come back before it exists.
    const String Waits = Script("waits.sh", "sleep 0.2\nprintf '%s|' \"$@\" > \"$(dirname \"$0\")/ended\"\n");
    EXPECT_TRUE(TFDeviravizevFirmWare::Start_Program(Waits, QStringLiteral("-a \"b c\""), 0));
    EXPECT_EQ(QByteArray("-a|b c|"), Read(Dir.path() + QStringLiteral("/ended")));

    WriteFile(Dir.path() + QStringLiteral("/plain.txt"), "not a program");
    for (const String& Program : {Dir.path() + QStringLiteral("/missing.exe"), Dir.path() + QStringLiteral("/plain.txt")})
        EXPECT_FALSE(TFDeviravizevFirmWare::Start_Program(Program, String(), 0)) << Program.toStdString();
}

// The whole road: the images, the dialog, the real echo to 127.0.0.1, the
// job written before the updater starts, the wait for it, the address
// remembered in the settings file. The dialog stays open afterwards.
TEST_F(UpdateStepTest, UpdateReachesTheLoopbackGatewayAndRunsTheUpdater)
{
    if (const std::string Why = UpdateStep_Icmp_Unavailable(); !Why.empty())
        GTEST_SKIP() << Why;
    Start();
    Open_Configuration();
    Script("Ethernet_Update.exe",
           "dir=$(dirname \"$0\")\n"
           "cp \"$dir/Ethernet_Update.xml\" \"$dir/job-seen.xml\"\n"
           "sleep 0.2\n"
           ": > \"$dir/updater-ended\"\n");
    Main->Show();

    bool Waited = false;
    bool Stayed = false;
    auto Open = OnModal(FBoot, [&] {
        FBoot->E_IP1->SetText(QStringLiteral("127"));
        FBoot->E_IP2->SetText(QStringLiteral("0"));
        FBoot->E_IP3->SetText(QStringLiteral("0"));
        FBoot->E_IP4->SetText(QStringLiteral("1"));
        FBoot->CB_Update_Options->SetItemIndex(Update_Configuration);
        QTest::mouseClick(FBoot->Btn_Update->Handle(), Qt::LeftButton, {}, QPoint(20, 14));
        Waited = Exists("updater-ended");
        Stayed = FBoot->Modal() && FBoot->ModalResult() == mrNone;
    });
    QTest::mouseClick(Main->Btn_CreateBin->Handle(), Qt::LeftButton, {}, QPoint(20, 18));
    EXPECT_TRUE(Dialogs->Boxes.empty()) << (Dialogs->Boxes.empty() ? "" : Dialogs->Boxes[0].Text.toStdString());
    EXPECT_TRUE(*Open);
    EXPECT_TRUE(Stayed);
    EXPECT_TRUE(Waited);

    // The updater found the finished job.
    const QByteArray Job = Read(Update_Job_File());
    ASSERT_FALSE(Job.isEmpty());
    EXPECT_EQ(Job, Read(Dir.path() + QStringLiteral("/job-seen.xml")));
    EXPECT_TRUE(Job.contains("<IP_Address_Dev>127.0.0.1</IP_Address_Dev>"));
    EXPECT_TRUE(Job.contains(("<Ope_FileName>" + Path_Project + "/bin/bank2.bin</Ope_FileName>").toUtf8()));
    EXPECT_FALSE(Job.contains("Sim52303.sim"));

    EXPECT_EQ(QStringLiteral("127.0.0.1"), Last_IP_Address);
    EXPECT_EQ(Update_Configuration, Last_Update_Option);
    EXPECT_TRUE(SettingsText().contains(QStringLiteral("<ipaddress>127.0.0.1</ipaddress>")));
    QTest::qWait(0);
}

// A build that fails names its file, and the dialog does not open.
TEST_F(UpdateStepTest, FailedBuildNamesTheFileAndKeepsTheDialogClosed)
{
    Start();
    Open_Configuration();
    WriteFile(File_ParGen, "<Par_Gen><EtherNetIP_IP1>");
    bool Shown = false;
    OnModal(FBoot, [&Shown] { Shown = true; });
    Main->Show();
    QTest::mouseClick(Main->Btn_CreateBin->Handle(), Qt::LeftButton, {}, QPoint(20, 18));
    EXPECT_FALSE(Shown);
    ASSERT_EQ(1u, Dialogs->Boxes.size());
    EXPECT_EQ(mtError, Dialogs->Boxes[0].DlgType);
    EXPECT_TRUE(Dialogs->Boxes[0].Text.contains(QStringLiteral("ParGen.xml"))) << Dialogs->Boxes[0].Text.toStdString();
    EXPECT_FALSE(FileExists(Update_Job_File()));
    QTest::qWait(0);
}
