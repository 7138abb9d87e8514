// The Set Communication window: its panels, the enabling rules, the "."
// key of the address edits, scrolling and texts.
#include "shell/ParGenTestSupport.h"

#include "common/Pixels.h"
#include "rtl/Controls.h"

#include <QApplication>
#include <QTest>

TEST_F(ParGenTest, FourNumberedPanelsSizedToTheirLastControl)
{
    EXPECT_EQ(460, W->ClientWidth());
    EXPECT_EQ(700, W->ClientHeight());
    EXPECT_EQ(QStringLiteral("Set Communication"), W->Caption());
    EXPECT_EQ(QStringLiteral("Set Communication Setting"), W->L_SW_Desc->Caption());
    EXPECT_EQ(QStringLiteral("QP11211"), W->L_SW_Code->Caption());
    struct Expected {
        TCategoryPanel* Panel;
        const char* Header;
        Integer Top;
        Integer Height;
    };
    const Expected Panels[] = {
        {W->CP_Ethernet_Connection, "1. Ethernet Connection", 0, 206},
        {W->CP_IOLink, "2. IO-Link", 206, 67},
        {W->CP_EtherNetIP, "3. EtherNet/IP", 273, 206},
        {W->CP_WebServer, "4. WebServer", 479, 94},
    };
    // Header pictures: 0 while open, 1 while closed.
    ASSERT_EQ(W->ImageList1, W->CPG->Images());
    EXPECT_EQ(2, W->ImageList1->Count());
    // The group holds every panel of the family; this gateway shows four.
    ASSERT_EQ(28, W->CPG->PanelCount());
    ASSERT_EQ(4u, ShownPanels().size());
    for (Integer I = 0; I < 4; ++I) {
        const Expected& E = Panels[I];
        SCOPED_TRACE(E.Header);
        EXPECT_EQ(E.Panel, ShownPanels()[std::size_t(I)]);
        EXPECT_EQ(QLatin1String(E.Header), E.Panel->Caption());
        EXPECT_EQ(E.Top, E.Panel->Top());
        EXPECT_EQ(E.Height, E.Panel->Height());
        EXPECT_EQ(I, E.Panel->TabOrder());
        EXPECT_TRUE(E.Panel->Visible());
        EXPECT_EQ(0, E.Panel->ExpandedImageIndex());
        EXPECT_EQ(1, E.Panel->CollapsedImageIndex());
    }
    // The variants, in their order after the model code.
    TStrings* Items = W->CB_IOLink_SelectDevice->Items();
    ASSERT_EQ(10, Items->Count());
    EXPECT_EQ(QStringLiteral("GV52303-A1-4A"), Items->Strings(0));
    EXPECT_EQ(QStringLiteral("GV52303-A1-2A-2B"), Items->Strings(2));
    EXPECT_EQ(QStringLiteral("GV52303-A1-4A-2B"), Items->Strings(9));
    EXPECT_EQ(csDropDownList, W->CB_IOLink_SelectDevice->Style());
    EXPECT_EQ(31, W->E_EthConn_Device_Name->MaxLength());
    EXPECT_EQ(7, W->E_WebServer_Username->MaxLength());
    EXPECT_EQ(7, W->E_WebServer_Password->MaxLength());
    EXPECT_EQ(QChar(0), W->E_WebServer_Password->PasswordChar());
    EXPECT_EQ(QStringLiteral("Obtain an IP Address Automatically (DHCP for Cable Connection)"),
              W->CB_EthConn_En_DHCP_Cable->Caption());
    EXPECT_EQ(QStringLiteral("Insert First byte of Secondary DNS"), W->E_EthConn_Sec_DNS_IP1->Hint());
    EXPECT_EQ(QStringLiteral("Gateway"), W->CB_EtherNetIP_GAT->Caption());
    EXPECT_EQ(QStringLiteral("Confirm and Save the current configuration"), W->Btn_OK->Hint());
}

// The cable DHCP box greys out the EtherNet/IP address rows and keeps
// their contents; the Wi-Fi box and the port are always greyed out.
TEST_F(ParGenTest, PanelEnablingFollowsTheCheckBoxes)
{
    Show();
    const std::vector<TControl*> Address = {
        W->E_EtherNetIP_IP1,  W->E_EtherNetIP_IP2,  W->E_EtherNetIP_IP3,  W->E_EtherNetIP_IP4,  W->E_EtherNetIP_SM1,
        W->E_EtherNetIP_SM2,  W->E_EtherNetIP_SM3,  W->E_EtherNetIP_SM4,  W->CB_EtherNetIP_GAT, W->E_EtherNetIP_GAT1,
        W->E_EtherNetIP_GAT2, W->E_EtherNetIP_GAT3, W->E_EtherNetIP_GAT4,
    };
    const auto Count_Enabled = [&Address] {
        return std::count_if(Address.begin(), Address.end(), [](TControl* C) { return C->Enabled(); });
    };
    EXPECT_EQ(13, Count_Enabled());
    EXPECT_FALSE(W->CB_EthConn_En_DHCP_WiFi->Enabled());
    EXPECT_FALSE(W->E_EtherNetIP_TunnelPort->Enabled());

    W->E_EtherNetIP_IP4->SetText(QStringLiteral("77"));
    QTest::mouseClick(W->CB_EthConn_En_DHCP_Cable->Handle(), Qt::LeftButton, {}, QPoint(6, 8));
    ASSERT_TRUE(W->CB_EthConn_En_DHCP_Cable->Checked());
    EXPECT_EQ(0, Count_Enabled());
    EXPECT_EQ(QStringLiteral("77"), W->E_EtherNetIP_IP4->Text());
    // The other panels do not depend on it.
    EXPECT_TRUE(W->E_EthConn_Pri_DNS_IP1->Enabled());
    EXPECT_TRUE(W->E_EtherNetIP_NByte_In->Enabled());

    // Unchecking enables the gateway parts too, with the gateway box unchecked.
    ASSERT_FALSE(W->CB_EtherNetIP_GAT->Checked());
    QTest::mouseClick(W->CB_EthConn_En_DHCP_Cable->Handle(), Qt::LeftButton, {}, QPoint(6, 8));
    EXPECT_EQ(13, Count_Enabled());

    // A file with DHCP on greys them out when shown.
    W->CB_EthConn_En_DHCP_Cable->SetChecked(true);
    ASSERT_TRUE(PressOK());
    W->Hide();
    W->CB_EthConn_En_DHCP_Cable->SetChecked(false);
    ASSERT_EQ(13, Count_Enabled());
    Show();
    EXPECT_EQ(0, Count_Enabled());
    EXPECT_FALSE(W->CB_EthConn_En_DHCP_WiFi->Enabled());
}

// What cannot be changed looks greyed: the port, the Wi-Fi DHCP box and,
// while the cable DHCP box is checked, the address rows.
TEST_F(ParGenTest, GreyedControlsLookGreyed)
{
    Show();
    const auto Ink = [this](TControl* C) {
        const TPoint Origin = C->ClientToScreen(TPoint(0, 0));
        const TPoint At = W->ScreenToClient(Origin);
        return Darkest_Gray(W->Handle()->grab(QRect(At.X, At.Y, C->Width(), C->Height())).toImage());
    };
    W->E_EtherNetIP_NByte_In->SetText(QStringLiteral("44818"));
    EXPECT_GT(Ink(W->E_EtherNetIP_TunnelPort), Ink(W->E_EtherNetIP_NByte_In) + 60);
    EXPECT_GT(Ink(W->CB_EthConn_En_DHCP_WiFi), Ink(W->CB_EthConn_Enable_DNS) + 60);
    const Integer Enabled_Ink = Ink(W->E_EtherNetIP_IP1);
    const Integer Enabled_Box = Ink(W->CB_EtherNetIP_GAT);
    W->CB_EthConn_En_DHCP_Cable->SetChecked(true);
    W->Move_GroupBoxs();
    EXPECT_GT(Ink(W->E_EtherNetIP_IP1), Enabled_Ink + 60);
    EXPECT_GT(Ink(W->CB_EtherNetIP_GAT), Enabled_Box + 60);
}

// "." is never typed into an address part; it moves one step along the
// address chain when the next part can take the focus.
TEST_F(ParGenTest, DotMovesToTheNextAddressPart)
{
    Show();
    QApplication::setActiveWindow(W->Handle());
    struct Case {
        TEdit* From;
        TEdit* To;   // where the focus ends
    };
    const Case Cases[] = {
        {W->E_EtherNetIP_IP1, W->E_EtherNetIP_IP2},
        {W->E_EtherNetIP_IP4, W->E_EtherNetIP_SM1},
        {W->E_EtherNetIP_SM4, W->E_EtherNetIP_GAT1},
        {W->E_EtherNetIP_GAT4, W->E_EtherNetIP_GAT4},
        {W->E_EthConn_Pri_DNS_IP4, W->E_EthConn_Sec_DNS_IP1},
        {W->E_EthConn_Sec_DNS_IP4, W->E_EthConn_Sec_DNS_IP4},
    };
    for (const Case& C : Cases) {
        C.From->SetText(QStringLiteral("1"));
        C.From->SetFocus();
        C.From->SetSelStart(1);
        QTest::keyClick(C.From->Handle(), '.');
        EXPECT_EQ(QStringLiteral("1"), C.From->Text());
        EXPECT_EQ(C.To, W->ActiveControl());
    }

    // A part that cannot take the focus: the "." is dropped and the focus stays.
    W->CB_EthConn_En_DHCP_Cable->SetChecked(true);
    W->E_EthConn_Pri_DNS_IP1->SetFocus();
    W->E_EthConn_Pri_DNS_IP1->SetText(QStringLiteral("8"));
    W->E_EthConn_Pri_DNS_IP1->SetSelStart(1);
    QTest::keyClick(W->E_EthConn_Pri_DNS_IP1->Handle(), '.');
    EXPECT_EQ(W->E_EthConn_Pri_DNS_IP2, W->ActiveControl());
    W->E_EtherNetIP_IP4->SetEnabled(true);
    W->E_EtherNetIP_IP4->SetFocus();
    QTest::keyClick(W->E_EtherNetIP_IP4->Handle(), '.');
    EXPECT_EQ(W->E_EtherNetIP_IP4, W->ActiveControl());
    W->CB_EthConn_En_DHCP_Cable->SetChecked(false);

    // Typing an address into the first part fills the parts one by one; a
    // part that takes the focus has its text selected, so typing replaces it.
    W->E_EtherNetIP_IP1->SetText(QString());
    W->E_EtherNetIP_IP1->SetFocus();
    for (const QChar Ch : QStringLiteral("192.168.1.20"))
        QTest::keyClick(W->ActiveControl()->Handle(), Ch.toLatin1());
    EXPECT_EQ(QStringLiteral("192"), W->E_EtherNetIP_IP1->Text());
    EXPECT_EQ(QStringLiteral("168"), W->E_EtherNetIP_IP2->Text());
    EXPECT_EQ(QStringLiteral("1"), W->E_EtherNetIP_IP3->Text());
    EXPECT_EQ(QStringLiteral("20"), W->E_EtherNetIP_IP4->Text());
}

// The width stays 460; a lower window scrolls its panels, and the wheel
// scrolls them only while the pointer is over them.
TEST_F(ParGenTest, WidthIsKeptAndTheWheelScrollsThePanels)
{
    Show();
    W->SetClientWidth(600);
    EXPECT_EQ(460, W->ClientWidth());
    W->SetClientHeight(300);
    EXPECT_EQ(300, W->ClientHeight());
    ASSERT_TRUE(W->CPG->VertScrollBar()->IsScrollBarVisible());
    ASSERT_EQ(0, W->CPG->VertScrollBar()->Position());
    ASSERT_GE(Mouse->WheelScrollLines(), 1);

    bool Handled = false;
    const TPoint Inside = W->CPG->ClientToScreen(TPoint(100, 50));
    W->FormMouseWheel(W, TShiftState(), -120, Inside, Handled);
    EXPECT_TRUE(Handled);
    const Integer Down = W->CPG->VertScrollBar()->Position();
    EXPECT_GT(Down, 0);
    W->FormMouseWheel(W, TShiftState(), 120, Inside, Handled);
    EXPECT_TRUE(Handled);
    EXPECT_EQ(0, W->CPG->VertScrollBar()->Position());

    // Over the title panel: not handled, nothing scrolls.
    const TPoint Outside = W->ClientToScreen(TPoint(100, 20));
    W->FormMouseWheel(W, TShiftState(), -120, Outside, Handled);
    EXPECT_FALSE(Handled);
    EXPECT_EQ(0, W->CPG->VertScrollBar()->Position());
}

// After a language change every text follows, the panel headers too.
TEST_F(ParGenTest, LanguageChangeRetitlesEverything)
{
    for (Integer I = 0; I < Lang.Count(); ++I)
        Lang.SetStrings(I, QStringLiteral("T%1").arg(I));
    W->Set_Lang();
    EXPECT_EQ(QStringLiteral("T400"), W->Caption());
    EXPECT_EQ(QStringLiteral("T403"), W->Btn_Cancel->Caption());
    EXPECT_EQ(QStringLiteral("1. T1085"), W->CP_Ethernet_Connection->Caption());
    EXPECT_EQ(QStringLiteral("2. T1040"), W->CP_IOLink->Caption());
    EXPECT_EQ(QStringLiteral("3. T656"), W->CP_EtherNetIP->Caption());
    EXPECT_EQ(QStringLiteral("4. T1070"), W->CP_WebServer->Caption());
    const std::pair<TControl*, const char*> Texts[] = {
        {W->L_EthConn_Device_Name, "T1086"},   {W->L_EtherNetIP_NByte_Out, "T677"},
        {W->CB_EtherNetIP_GAT, "T667"},        {W->L_WebServer_Password, "T1073"},
        {W->L_EthConn_Secondary_DNS, "T1099"}, {W->CB_EthConn_Enable_DNS, "T1092"},
    };
    for (const auto& [Control, Text] : Texts)
        EXPECT_EQ(QLatin1String(Text), Control->Caption());
    const std::pair<TControl*, const char*> Hints[] = {
        {W->E_EthConn_Pri_DNS_IP1, "T1095"}, {W->E_EthConn_Pri_DNS_IP4, "T1098"},
        {W->E_EthConn_Sec_DNS_IP4, "T1103"}, {W->CB_EtherNetIP_GAT, "T668"},
        {W->E_EtherNetIP_GAT1, "T669"},      {W->E_EtherNetIP_GAT4, "T672"},
        {W->E_EtherNetIP_SM4, "T666"},       {W->CB_IOLink_SelectDevice, "T1042"},
        {W->E_WebServer_Username, "T1072"},  {W->Btn_Cancel, "T405"},
    };
    for (const auto& [Control, Text] : Hints)
        EXPECT_EQ(QLatin1String(Text), Control->Hint());
}
