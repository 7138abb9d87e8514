// The update dialog with a simulated gateway: the reachability test, its
// messages, and what a successful test remembers and writes.
#include "iolink/BootTestSupport.h"
#include "rtl/DialogsTestService.h"
#include "shell/ShellState.h"
#include "shell/USettingsFile.h"

#include <QApplication>
#include <QFile>
#include <QTest>

#include <memory>

namespace {

class BootTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        Load_Lang_English();
        Set_Product_Texts();
        Path_Project = Dir.path() + QStringLiteral("/PROJECTS/Alpha");
        Last_Update_Option = 0;
        Last_Read_Back = true;
        Owner = std::make_unique<TComponent>(nullptr);
        W = new TFBoot(Owner.get());
        W->DoCreate();
        W->Form_Type = TFBoot::Form_Ethernet;
        W->Show();
    }
    void TearDown() override
    {
        Owner.reset();
        Last_Update_Option = 0;
        Last_Read_Back = true;
        ShellTest::TearDown();
    }
    void Type_Address(const char* A, const char* B, const char* C, const char* D)
    {
        W->E_IP1->SetText(QLatin1String(A));
        W->E_IP2->SetText(QLatin1String(B));
        W->E_IP3->SetText(QLatin1String(C));
        W->E_IP4->SetText(QLatin1String(D));
    }
    std::vector<String> BoxTexts() const
    {
        std::vector<String> Texts;
        for (const TMessageBoxRequest& R : Dialogs->Boxes)
            Texts.push_back(R.Text);
        return Texts;
    }
    String Updater() const { return Path_Exe + QStringLiteral("/Ethernet_Update.exe"); }

    std::unique_ptr<TComponent> Owner;
    TFBoot* W = nullptr;
    TScriptedDialogs Dialogs;
};

} // namespace

// The test ends after two answers or once more than 5 s have passed; the
// last echo decides. Each unanswered echo takes its 400 ms and a 10 ms pause.
TEST_F(BootTest, ReachabilityFollowsTheLastEcho)
{
    struct Case {
        const char* Name;
        std::function<bool(int)> Answers;
        DWORD Answer_Ms;
        DWORD Start;
        bool Reached;
        int Echoes;
    };
    const Case Cases[] = {
        {"answers every echo", [](int) { return true; }, 1, 1000, true, 2},
        // 12 x 410 ms = 4920 ms is not yet past 5 s; the 13th echo is.
        {"never answers", [](int) { return false; }, 1, 1000, false, 13},
        {"never answers, tick counter wraps", [](int) { return false; }, 1, 0xFFFFF000u, false, 13},
        {"answers the first echo only", [](int N) { return N == 0; }, 1, 1000, false, 14},
        // One answer that ends past the 5 s is the last echo, and counts.
        {"answers only the last echo", [](int N) { return N == 12; }, 100, 1000, true, 13},
        {"answers every other echo", [](int N) { return N % 2 == 1; }, 1, 1000, true, 4},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        TSimulatedNetwork Net;
        Net.Clock.Now = C.Start;
        Net.Gateway.Answers = C.Answers;
        Net.Gateway.Answer_Ms = C.Answer_Ms;
        Type_Address("192", "168", "2", "205");
        EXPECT_EQ(C.Reached, W->Send_Ping());
        EXPECT_EQ(C.Reached ? TFBoot::Ping_Answered : TFBoot::Ping_Not_Answered, W->ping_res);
        ASSERT_EQ(std::size_t(C.Echoes), Net.Gateway.Sent.size());
        EXPECT_EQ(C.Echoes, Net.Clock.Pauses);
        for (const auto& S : Net.Gateway.Sent) {
            EXPECT_EQ(QStringLiteral("192.168.2.205"), S.Dest);
            EXPECT_EQ(QStringLiteral("192.168.2.205"), S.Text);
            EXPECT_EQ(400, S.TimeoutMs);
        }
    }
}

// Addresses that are not four numbers 0..255 send nothing; an address the
// echo service cannot use fails at the first echo. Both give the error.
TEST_F(BootTest, UnusableAddressGivesTheErrorWithoutEcho)
{
    struct Case {
        const char* Parts[4];
        bool Unresolvable;
        std::size_t Echoes;
    };
    const Case Cases[] = {
        {{"192", "168", "", "5"}, false, 0},
        {{"300", "1", "1", "1"}, false, 0},
        {{"10", "0", "0", "1.2"}, false, 0},
        {{"gateway", "local", "x", "y"}, false, 0},
        {{"10", "0", "0", "9"}, true, 1},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Parts[0]);
        TSimulatedNetwork Net;
        Net.Gateway.Unresolvable = C.Unresolvable;
        Dialogs->Boxes.clear();
        Type_Address(C.Parts[0], C.Parts[1], C.Parts[2], C.Parts[3]);
        W->Btn_Update->Click();
        EXPECT_EQ(C.Echoes, Net.Gateway.Sent.size());
        EXPECT_EQ(TFBoot::Ping_Unknown, W->ping_res);
        ASSERT_EQ(1u, Dialogs->Boxes.size());
        EXPECT_EQ(QStringLiteral("Error!!! Check the Ip Address"), Dialogs->Boxes[0].Text);
        EXPECT_EQ(mtError, Dialogs->Boxes[0].DlgType);
        EXPECT_EQ(QString::fromLatin1(C_Default_IP_Address), Last_IP_Address);
        EXPECT_FALSE(FileExists(Update_Job_File()));
    }
}

// A silent gateway: a warning, and nothing remembered, written or started.
TEST_F(BootTest, SilentGatewayWarnsDeviceNotFound)
{
    TSimulatedNetwork Net;
    Type_Address("10", "0", "0", "9");
    W->CB_Update_Options->SetItemIndex(1);
    W->Btn_Update->Click();
    EXPECT_EQ(13u, Net.Gateway.Sent.size());
    ASSERT_EQ(1u, Dialogs->Boxes.size());
    EXPECT_EQ(QStringLiteral("Device Not Found!"), Dialogs->Boxes[0].Text);
    EXPECT_EQ(mtWarning, Dialogs->Boxes[0].DlgType);
    EXPECT_TRUE(Dialogs->Boxes[0].Buttons == TMsgDlgButtons{mbOK});
    EXPECT_EQ(QString::fromLatin1(C_Default_IP_Address), Last_IP_Address);
    EXPECT_EQ(0, Last_Update_Option);
    EXPECT_FALSE(FileExists(Update_Job_File()));
    EXPECT_FALSE(FileExists(Settings_File()));
    // The next showing offers the remembered address, not the failed one.
    W->Hide();
    W->Show();
    EXPECT_EQ(QStringLiteral("192.168.2.205"), W->Address_Text());
    EXPECT_EQ(0, W->CB_Update_Options->ItemIndex());
}

// While the test runs its buttons are disabled and the dialog does not
// close; afterwards they work again.
TEST_F(BootTest, NothingReentersTheDialogWhileTheTestRuns)
{
    TSimulatedNetwork Net;
    std::vector<bool> Seen;
    Net.Gateway.During = [&] {
        Seen.push_back(W->Btn_Update->Enabled() || W->Btn_Cancel->Enabled() || W->CloseQuery());
        W->Btn_Update->Click();
    };
    Type_Address("10", "0", "0", "9");
    W->Btn_Update->Click();
    EXPECT_EQ(std::vector<bool>(13, false), Seen);
    EXPECT_EQ(13u, Net.Gateway.Sent.size());
    EXPECT_TRUE(W->Btn_Update->Enabled());
    EXPECT_TRUE(W->Btn_Cancel->Enabled());
    EXPECT_TRUE(W->CloseQuery());
}

// A reached gateway: the address and choices are remembered (the address
// also in the settings file), the job is written, then the updater is
// started; a missing updater is reported by name and the dialog stays.
TEST_F(BootTest, ReachedGatewayWritesTheJobAndStartsTheUpdater)
{
    TSimulatedNetwork Net;
    Net.Gateway.Answers = [](int) { return true; };
    Type_Address(" 10", "0", "0", "9");
    W->CB_Update_Options->SetItemIndex(2);
    W->CB_Update_Option_Read_Back->SetChecked(false);
    W->Btn_Update->Click();
    EXPECT_EQ(2u, Net.Gateway.Sent.size());
    EXPECT_EQ(QStringLiteral(" 10.0.0.9"), Last_IP_Address);
    EXPECT_EQ(2, Last_Update_Option);
    EXPECT_FALSE(Last_Read_Back);
    ASSERT_TRUE(FileExists(Settings_File()));
    QFile Settings(Settings_File());
    ASSERT_TRUE(Settings.open(QIODevice::ReadOnly));
    EXPECT_TRUE(Settings.readAll().contains("<ipaddress> 10.0.0.9</ipaddress>"));

    xml::TXMLDocument Job;
    Job.LoadFromFile(Update_Job_File());
    EXPECT_EQ(QStringLiteral("10.0.0.9"), Job.DocumentElement().FindChild("IP_Address_Dev").Text());
    const xml::TXMLNode Ops = Job.DocumentElement().FindChild("Operations");
    ASSERT_EQ(2, Ops.ChildCount());
    EXPECT_EQ(QStringLiteral("0"), Ops.Child(0).FindChild("Ope_Read_Back").Text());

    EXPECT_EQ(std::vector<String>{QStringLiteral("Error!!! Unable to start the update program ") + Updater()},
              BoxTexts());
    EXPECT_EQ(mtError, Dialogs->Boxes[0].DlgType);
    EXPECT_TRUE(W->Visible());

    // The next showing starts from what was remembered.
    W->Hide();
    Type_Address("1", "2", "3", "4");
    W->CB_Update_Options->SetItemIndex(0);
    W->Show();
    EXPECT_EQ(QStringLiteral("10.0.0.9"), W->Address_Text());
    EXPECT_EQ(2, W->CB_Update_Options->ItemIndex());
    EXPECT_FALSE(W->CB_Update_Option_Read_Back->Checked());
}

TEST_F(BootTest, ShowingPreparesTheEthernetMode)
{
    EXPECT_EQ(449, W->ClientWidth());
    EXPECT_EQ(230, W->ClientHeight());
    EXPECT_EQ(QStringLiteral("Update Device by Ethernet (UDP)"), W->Caption());
    EXPECT_EQ(QStringLiteral("Update Device Using the Ethernet Port"), W->L_SW_Desc->Caption());
    EXPECT_EQ(QStringLiteral("QP11211"), W->L_SW_Code->Caption());
    EXPECT_EQ(QStringLiteral("192.168.2.205"), W->Address_Text());
    TStrings* Items = W->CB_Update_Options->Items();
    ASSERT_EQ(3, Items->Count());
    EXPECT_EQ(QStringLiteral("Firmware + Configuration"), Items->Strings(0));
    EXPECT_EQ(QStringLiteral("Firmware"), Items->Strings(1));
    EXPECT_EQ(QStringLiteral("Configuration"), Items->Strings(2));
    EXPECT_EQ(csDropDownList, W->CB_Update_Options->Style());
    EXPECT_TRUE(W->CB_Update_Option_Read_Back->Checked());
    EXPECT_EQ(QStringLiteral("Execute Update Firmware"), W->Btn_Update->Caption());
    EXPECT_EQ(QStringLiteral("Insert third byte of IP Address"), W->E_IP3->Hint());
    EXPECT_EQ(mrCancel, W->Btn_Cancel->ModalResult());
    EXPECT_EQ(mrNone, W->Btn_Update->ModalResult());

    // An address that does not split leaves the edits as typed.
    W->Hide();
    Last_IP_Address = QStringLiteral("192.168.2");
    Type_Address("7", "7", "7", "x");
    W->Show();
    EXPECT_EQ(QStringLiteral("7.7.7.x"), W->Address_Text());

    // Another mode does nothing on update.
    TSimulatedNetwork Net;
    W->Form_Type = TFBoot::Form_Serial;
    W->Btn_Update->Click();
    EXPECT_TRUE(Net.Gateway.Sent.empty());
    EXPECT_TRUE(Dialogs->Boxes.empty());
}

TEST_F(BootTest, DotMovesToTheNextAddressEdit)
{
    QApplication::setActiveWindow(W->Handle());
    W->E_IP1->SetText(QString());
    W->E_IP1->SetFocus();
    for (const QChar Ch : QStringLiteral("10.1.2.3.4"))
        QTest::keyClick(W->ActiveControl()->Handle(), Ch.toLatin1());
    EXPECT_EQ(QStringLiteral("10.1.2.34"), W->Address_Text());
    EXPECT_EQ(W->E_IP4, W->ActiveControl());
}
