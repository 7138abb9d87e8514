// "ParGen.xml" as the Set Communication window reads and writes it, and the
// checks before it is written.
#include "shell/ParGenTestSupport.h"

#include <functional>

namespace {

// The thirty elements of a new configuration, in file order.
const std::vector<std::pair<String, String>> ParGen_Defaults = {
    {"Eth_Conn_Device_Name", ""},   {"Eth_Conn_DHCP_Cable", "0"},     {"Eth_Conn_DHCP_WiFi", "0"},
    {"Eth_Conn_Enable_DNS", "0"},   {"Eth_Conn_Primary_DNS1", "8"},   {"Eth_Conn_Primary_DNS2", "8"},
    {"Eth_Conn_Primary_DNS3", "8"}, {"Eth_Conn_Primary_DNS4", "8"},   {"Eth_Conn_Secondary_DNS1", "8"},
    {"Eth_Conn_Secondary_DNS2", "8"}, {"Eth_Conn_Secondary_DNS3", "4"}, {"Eth_Conn_Secondary_DNS4", "4"},
    {"IOLink_SelectDevice", "GV52303-A1-4A"},
    {"EtherNetIP_IP1", "192"},      {"EtherNetIP_IP2", "168"},        {"EtherNetIP_IP3", "0"},
    {"EtherNetIP_IP4", "5"},        {"EtherNetIP_SM1", "255"},        {"EtherNetIP_SM2", "255"},
    {"EtherNetIP_SM3", "255"},      {"EtherNetIP_SM4", "0"},          {"EtherNetIP_GAT1", "192"},
    {"EtherNetIP_GAT2", "168"},     {"EtherNetIP_GAT3", "0"},         {"EtherNetIP_GAT4", "1"},
    {"EtherNetIP_EN_GAT", "0"},     {"EtherNetIP_NB_Input", "496"},   {"EtherNetIP_NB_Output", "496"},
    {"WebServer_Username", ""},     {"WebServer_Password", ""},
};

} // namespace

TEST_F(ParGenTest, OkInAFreshConfigurationWritesTheDefaults)
{
    ASSERT_FALSE(FileExists(File_ParGen));
    Show();
    ASSERT_TRUE(PressOK());
    EXPECT_TRUE(Dialogs->Boxes.empty());

    // Root first, no declaration; the version comment after the root.
    EXPECT_TRUE(FileBytes().startsWith("<Par_Gen>")) << FileBytes().left(40).toStdString();
    xml::TXMLDocument Doc;
    Doc.LoadFromFile(File_ParGen);
    const xml::TXMLNode Top = Doc.Node();
    ASSERT_EQ(2, Top.ChildCount());
    EXPECT_EQ(QStringLiteral("Par_Gen"), Top.Child(0).NodeName());
    EXPECT_EQ(xml::TNodeType::ntComment, Top.Child(1).NodeType());
    EXPECT_EQ(QStringLiteral("SW_VERSION = 1.003"), Top.Child(1).Text());
    EXPECT_EQ(ParGen_Defaults, Elements(Top.Child(0)));
    for (int I = 0; I < Top.Child(0).ChildCount(); ++I)
        EXPECT_EQ(0, Top.Child(0).Child(I).AttributeCount());
}

// Values are saved exactly as typed, and the next showing shows them again.
TEST_F(ParGenTest, ValuesAreSavedAsTypedAndReadBack)
{
    Show();
    W->E_EthConn_Device_Name->SetText(QStringLiteral("Gateway #1 \u00e8"));
    W->CB_EthConn_Enable_DNS->SetChecked(true);
    W->E_EthConn_Pri_DNS_IP2->SetText(QStringLiteral("010"));
    W->E_EtherNetIP_IP1->SetText(QStringLiteral("010"));
    W->E_EtherNetIP_SM4->SetText(QStringLiteral("0"));
    W->CB_EtherNetIP_GAT->SetChecked(true);
    W->E_EtherNetIP_GAT4->SetText(QStringLiteral("255"));
    W->E_EtherNetIP_NByte_In->SetText(QStringLiteral("496"));
    W->E_EtherNetIP_NByte_Out->SetText(QStringLiteral("0"));
    W->CB_IOLink_SelectDevice->SetItemIndex(9);
    W->E_WebServer_Username->SetText(QStringLiteral("admin"));
    W->E_WebServer_Password->SetText(QStringLiteral("p<&>w"));
    ASSERT_TRUE(PressOK()) << (BoxTexts().empty() ? "" : BoxTexts()[0].toStdString());

    const std::pair<const char*, const char*> Expected[] = {
        {"Eth_Conn_Device_Name", "Gateway #1 \u00e8"}, {"Eth_Conn_Enable_DNS", "1"},
        {"Eth_Conn_Primary_DNS2", "010"},              {"EtherNetIP_IP1", "010"},
        {"EtherNetIP_EN_GAT", "1"},                    {"EtherNetIP_GAT4", "255"},
        {"EtherNetIP_NB_Output", "0"},                 {"IOLink_SelectDevice", "GV52303-A1-4A-2B"},
        {"WebServer_Password", "p<&>w"},
    };
    for (const auto& [Element, Text] : Expected)
        EXPECT_EQ(QString::fromUtf8(Text), Saved(Element)) << Element;

    // Whatever was typed since is replaced by the file on the next showing.
    W->Hide();
    W->E_EtherNetIP_IP1->SetText(QStringLiteral("1"));
    W->CB_IOLink_SelectDevice->SetItemIndex(0);
    W->CB_EthConn_Enable_DNS->SetChecked(false);
    Show();
    EXPECT_EQ(QStringLiteral("010"), W->E_EtherNetIP_IP1->Text());
    EXPECT_EQ(9, W->CB_IOLink_SelectDevice->ItemIndex());
    EXPECT_TRUE(W->CB_EthConn_Enable_DNS->Checked());
    EXPECT_EQ(QStringLiteral("p<&>w"), W->E_WebServer_Password->Text());
}

// Each check shows its own message for a failing value; nothing is written
// and the window stays open.
TEST_F(ParGenTest, EachCheckReportsItsFailingValue)
{
    using Setup = std::function<void(TFParGen*)>;
    const auto Text = [](TEdit* TFParGen::*Edit, const char* Value) {
        return [Edit, Value](TFParGen* F) { (F->*Edit)->SetText(QLatin1String(Value)); };
    };
    const auto With = [](TCheckBox* TFParGen::*Box, Setup Then) {
        return [Box, Then](TFParGen* F) {
            (F->*Box)->SetChecked(true);
            Then(F);
        };
    };
    struct Case {
        Setup Change;
        const char* Message;
    };
    using F = TFParGen;
    const Case Cases[] = {
        {With(&F::CB_EthConn_Enable_DNS, Text(&F::E_EthConn_Pri_DNS_IP1, "256")),
         "Error Primary DNS!! DNS 1 must be between 0 and 255"},
        {With(&F::CB_EthConn_Enable_DNS, Text(&F::E_EthConn_Pri_DNS_IP4, "")),
         "Error Primary DNS!! DNS 4 must be between 0 and 255"},
        {With(&F::CB_EthConn_Enable_DNS, Text(&F::E_EthConn_Sec_DNS_IP1, "abc")),
         "Error Secondary DNS!! DNS 1 must be between 0 and 255"},
        {With(&F::CB_EthConn_Enable_DNS, Text(&F::E_EthConn_Sec_DNS_IP3, "-1")),
         "Error Secondary DNS!! DNS 3 must be between 0 and 255"},
        {Text(&F::E_EtherNetIP_IP1, ""), "Error EtherNet/IP!! IP Address 1 must be between 0 and 255"},
        {Text(&F::E_EtherNetIP_IP3, "1.5"), "Error EtherNet/IP!! IP Address 3 must be between 0 and 255"},
        // Also while DHCP greys the address out.
        {With(&F::CB_EthConn_En_DHCP_Cable, Text(&F::E_EtherNetIP_IP4, "300")),
         "Error EtherNet/IP!! IP Address 4 must be between 0 and 255"},
        {Text(&F::E_EtherNetIP_SM2, "256"), "Error EtherNet/IP!! SubNet Mask 2 must be between 0 and 255"},
        {With(&F::CB_EtherNetIP_GAT, Text(&F::E_EtherNetIP_GAT1, "999")),
         "Error EtherNet/IP!! Gateway IP 1 must be between 0 and 255"},
        {With(&F::CB_EtherNetIP_GAT, Text(&F::E_EtherNetIP_GAT4, " ")),
         "Error EtherNet/IP!! Gateway IP 4 must be between 0 and 255"},
        {Text(&F::E_EtherNetIP_NByte_In, "497"), "Error EtherNet/IP!! Number Byte Input must be between 0 and 496"},
        {Text(&F::E_EtherNetIP_NByte_Out, "x"), "Error EtherNet/IP!! Number Byte Output must be between 0 and 496"},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Message);
        QFile::remove(File_ParGen);
        Show();
        Dialogs->Boxes.clear();
        C.Change(W);
        EXPECT_FALSE(PressOK());
        ASSERT_EQ(1u, Dialogs->Boxes.size());
        EXPECT_EQ(QLatin1String(C.Message), Dialogs->Boxes[0].Text);
        EXPECT_EQ(mtError, Dialogs->Boxes[0].DlgType);
        EXPECT_TRUE(Dialogs->Boxes[0].Buttons == TMsgDlgButtons{mbOK});
        EXPECT_FALSE(FileExists(File_ParGen));
        W->Hide();
    }
}

// Several bad values: only the first in check order is reported; after it
// is mended the next one is.
TEST_F(ParGenTest, OnlyTheFirstFailureIsShown)
{
    Show();
    W->E_EtherNetIP_NByte_Out->SetText(QStringLiteral("1000"));
    W->E_EtherNetIP_SM1->SetText(QStringLiteral("x"));
    W->CB_EthConn_Enable_DNS->SetChecked(true);
    W->E_EthConn_Sec_DNS_IP2->SetText(QStringLiteral("256"));
    W->E_EtherNetIP_IP2->SetText(QStringLiteral("256"));

    const char* const Order[] = {
        "Error Secondary DNS!! DNS 2 must be between 0 and 255",
        "Error EtherNet/IP!! IP Address 2 must be between 0 and 255",
        "Error EtherNet/IP!! SubNet Mask 1 must be between 0 and 255",
        "Error EtherNet/IP!! Number Byte Output must be between 0 and 496",
    };
    TEdit* const Mend[] = {W->E_EthConn_Sec_DNS_IP2, W->E_EtherNetIP_IP2, W->E_EtherNetIP_SM1, W->E_EtherNetIP_NByte_Out};
    for (std::size_t I = 0; I < std::size(Order); ++I) {
        Dialogs->Boxes.clear();
        EXPECT_FALSE(PressOK());
        EXPECT_EQ(std::vector<String>{QLatin1String(Order[I])}, BoxTexts());
        Mend[I]->SetText(QStringLiteral("0"));
    }
    Dialogs->Boxes.clear();
    EXPECT_TRUE(PressOK());
    EXPECT_TRUE(Dialogs->Boxes.empty());
}

// Values of a feature that is off are not checked and are saved as typed.
TEST_F(ParGenTest, ValuesOfDisabledFeaturesAreSavedAsTyped)
{
    Show();
    W->E_EthConn_Pri_DNS_IP1->SetText(QStringLiteral("abc"));
    W->E_EthConn_Sec_DNS_IP4->SetText(QString());
    W->E_EtherNetIP_GAT2->SetText(QStringLiteral("999"));
    W->E_EthConn_Device_Name->SetText(QStringLiteral("no check: !?"));
    ASSERT_TRUE(PressOK());
    EXPECT_TRUE(Dialogs->Boxes.empty());
    EXPECT_EQ(QStringLiteral("abc"), Saved("Eth_Conn_Primary_DNS1"));
    EXPECT_EQ(QString(), Saved("Eth_Conn_Secondary_DNS4"));
    EXPECT_EQ(QStringLiteral("999"), Saved("EtherNetIP_GAT2"));
    EXPECT_EQ(QStringLiteral("0"), Saved("Eth_Conn_Enable_DNS"));
    EXPECT_EQ(QStringLiteral("0"), Saved("EtherNetIP_EN_GAT"));
    // The device name check exists, but nothing calls it.
    EXPECT_TRUE(TFParGen::Check_Device_Name(QStringLiteral("no check: !?")));
    EXPECT_FALSE(TFParGen::Check_Device_Name(QStringLiteral("Gw01")));
    EXPECT_FALSE(TFParGen::Check_Device_Name(QString()));
}

// A hand-made file: something before the root, missing elements, odd
// texts and unknown elements; each value is read on its own.
TEST_F(ParGenTest, ReadingToleratesMissingElementsAndOddTexts)
{
    UseFixture("odd.xml");
    Show();
    EXPECT_TRUE(Dialogs->Boxes.empty());
    const std::pair<TEdit*, const char*> Edits[] = {
        {W->E_EthConn_Device_Name, "gw & line-7"},
        {W->E_EthConn_Pri_DNS_IP1, "abc"},  {W->E_EthConn_Pri_DNS_IP2, "8"},
        {W->E_EthConn_Pri_DNS_IP3, ""},     {W->E_EthConn_Pri_DNS_IP4, "8"},
        {W->E_EthConn_Sec_DNS_IP3, "4"},    {W->E_EthConn_Sec_DNS_IP4, "0400"},
        {W->E_EtherNetIP_IP1, "10"},        {W->E_EtherNetIP_IP3, "0"},
        {W->E_EtherNetIP_IP4, "77"},        {W->E_EtherNetIP_SM3, "255"},
        {W->E_EtherNetIP_SM4, "0"},         {W->E_EtherNetIP_GAT1, "999"},
        {W->E_EtherNetIP_GAT2, "168"},      {W->E_EtherNetIP_NByte_In, "9999"},
        {W->E_EtherNetIP_NByte_Out, "496"}, {W->E_WebServer_Username, " admin"},
        {W->E_WebServer_Password, ""},      {W->E_EtherNetIP_TunnelPort, "44818"},
    };
    for (const auto& [Edit, Text] : Edits)
        EXPECT_EQ(QLatin1String(Text), Edit->Text()) << Text;
    // Only exactly "1" checks a box; the Wi-Fi box is never read.
    EXPECT_FALSE(W->CB_EthConn_En_DHCP_Cable->Checked());
    EXPECT_FALSE(W->CB_EthConn_En_DHCP_WiFi->Checked());
    EXPECT_FALSE(W->CB_EthConn_Enable_DNS->Checked());
    EXPECT_TRUE(W->CB_EtherNetIP_GAT->Checked());
    // The variant is found ignoring letter case.
    EXPECT_EQ(6, W->CB_IOLink_SelectDevice->ItemIndex());

    // Out-of-range values read without a word are reported by OK.
    EXPECT_FALSE(PressOK());
    EXPECT_EQ(std::vector<String>{QStringLiteral("Error EtherNet/IP!! Gateway IP 1 must be between 0 and 255")},
              BoxTexts());
    W->E_EtherNetIP_GAT1->SetText(QStringLiteral("10"));
    W->E_EtherNetIP_NByte_In->SetText(QStringLiteral("16"));
    ASSERT_TRUE(PressOK());
    EXPECT_EQ(QStringLiteral("GV52303-A1-8A"), Saved("IOLink_SelectDevice"));
    EXPECT_EQ(QStringLiteral("0"), Saved("Eth_Conn_DHCP_WiFi"));
    EXPECT_EQ(QString(), Saved("BACnet_Type"));
}

TEST_F(ParGenTest, UnknownVariantSelectsTheFirst)
{
    Show();
    W->CB_IOLink_SelectDevice->SetItemIndex(4);
    UseFixture("unknown-device.xml");
    W->Hide();
    Show();
    EXPECT_EQ(0, W->CB_IOLink_SelectDevice->ItemIndex());
    EXPECT_TRUE(W->CB_EthConn_En_DHCP_Cable->Checked());
    EXPECT_FALSE(W->E_EtherNetIP_IP1->Enabled());
}

// A file that is no XML (malformed or empty): its error is shown, then the
// defaults, never what the window held for another configuration; the file
// is left alone until OK.
TEST_F(ParGenTest, MalformedFileIsReportedAndLeftAlone)
{
    const auto Write_Empty = [this] {
        QFile F(File_ParGen);
        ASSERT_TRUE(F.open(QIODevice::WriteOnly | QIODevice::Truncate));
    };
    const std::pair<const char*, std::function<void()>> Cases[] = {
        {"malformed", [this] { UseFixture("malformed.xml"); }},
        {"empty", Write_Empty},
    };
    for (const auto& [Name, Make_File] : Cases) {
        SCOPED_TRACE(Name);
        QFile::remove(File_ParGen);
        Dialogs->Boxes.clear();
        Show();
        W->E_EtherNetIP_IP4->SetText(QStringLiteral("42"));
        W->E_EthConn_Device_Name->SetText(QStringLiteral("other"));
        W->CB_EthConn_En_DHCP_Cable->SetChecked(true);
        W->CB_IOLink_SelectDevice->SetItemIndex(3);
        W->Hide();
        Make_File();
        const QByteArray Before = FileBytes();
        Show();
        ASSERT_EQ(1u, Dialogs->Boxes.size());
        EXPECT_EQ(mtError, Dialogs->Boxes[0].DlgType);
        EXPECT_TRUE(Dialogs->Boxes[0].Text.contains(QStringLiteral("ParGen.xml"))) << Dialogs->Boxes[0].Text.toStdString();
        EXPECT_EQ(QStringLiteral("5"), W->E_EtherNetIP_IP4->Text());
        EXPECT_EQ(QStringLiteral("192"), W->E_EtherNetIP_IP1->Text());
        EXPECT_EQ(QStringLiteral("8"), W->E_EthConn_Pri_DNS_IP1->Text());
        EXPECT_EQ(QString(), W->E_EthConn_Device_Name->Text());
        EXPECT_FALSE(W->CB_EthConn_En_DHCP_Cable->Checked());
        EXPECT_TRUE(W->E_EtherNetIP_IP1->Enabled());
        EXPECT_EQ(0, W->CB_IOLink_SelectDevice->ItemIndex());
        EXPECT_EQ(Before, FileBytes());
        W->Hide();
    }
}

// A file that cannot be written: the error is shown and the window stays open.
TEST_F(ParGenTest, UnwritableFileKeepsTheWindowOpen)
{
    Show();
    File_ParGen = Dir.path() + QStringLiteral("/no such folder/ParGen.xml");
    EXPECT_FALSE(PressOK());
    ASSERT_EQ(1u, Dialogs->Boxes.size());
    EXPECT_EQ(mtError, Dialogs->Boxes[0].DlgType);
    EXPECT_TRUE(Dialogs->Boxes[0].Text.contains(QStringLiteral("ParGen.xml"))) << Dialogs->Boxes[0].Text.toStdString();
}
