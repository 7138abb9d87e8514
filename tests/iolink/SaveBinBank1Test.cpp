// "bank1.bin" from "ParGen.xml": whole images against images poked by hand.
#include "SaveBinTestSupport.h"

#include "iolink/USaveBincc.h"

#include <functional>
#include <vector>

using namespace savebin_test;

namespace {

class SaveBinBank1Test : public TBinProject {};

// What a "ParGen.xml" without any of the keys gives.
TExpected ParGenFallbacks()
{
    TExpected E = Bank1FromParGen();
    E.Bytes(0x028, {192, 168, 0, 5}).U32(0x074, 496).U32(0x078, 496);
    return E;
}

TEST_F(SaveBinBank1Test, WithoutFilesTheDefaultsAndNoChannel)
{
    Compile_Bin();
    EXPECT_EQ(Bin_Bank1(), Bank1(Bank1Defaults()));
    EXPECT_EQ(Bin_Bank2(), QByteArray(768, '\0'));
    EXPECT_EQ(U32At(Bin_Bank1(), 0x7FC), SumOf(Bin_Bank1(), 2044));
}

TEST_F(SaveBinBank1Test, FullParGen)
{
    WriteParGen({
        {"Eth_Conn_Device_Name", "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcd"},   // 40 characters
        {"Eth_Conn_DHCP_Cable", "1"},
        {"Eth_Conn_DHCP_WiFi", "1"},
        {"Eth_Conn_Enable_DNS", "1"},
        {"Eth_Conn_Primary_DNS1", "1"},
        {"Eth_Conn_Primary_DNS2", "2"},
        {"Eth_Conn_Primary_DNS3", "3"},
        {"Eth_Conn_Primary_DNS4", "4"},
        {"Eth_Conn_Secondary_DNS1", "5"},
        {"Eth_Conn_Secondary_DNS2", "6"},
        {"Eth_Conn_Secondary_DNS3", "7"},
        {"Eth_Conn_Secondary_DNS4", "8"},
        {"IOLink_SelectDevice", "GV52303-A1-4A"},
        {"EtherNetIP_IP1", "10"},
        {"EtherNetIP_IP2", "0"},
        {"EtherNetIP_IP3", "0"},
        {"EtherNetIP_IP4", "7"},
        {"EtherNetIP_SM1", "255"},
        {"EtherNetIP_SM2", "255"},
        {"EtherNetIP_SM3", "0"},
        {"EtherNetIP_SM4", "0"},
        {"EtherNetIP_GAT1", "10"},
        {"EtherNetIP_GAT2", "0"},
        {"EtherNetIP_GAT3", "0"},
        {"EtherNetIP_GAT4", "254"},
        {"EtherNetIP_EN_GAT", "1"},
        {"EtherNetIP_NB_Input", "300"},
        {"EtherNetIP_NB_Output", "496"},
        {"WebServer_Username", "admin12"},
        {"WebServer_Password", "pw"},
    });
    TExpected E = Bank1FromParGen();
    E.Bytes(0x028, {10, 0, 0, 7}).Bytes(0x02C, {255, 255, 0, 0}).Bytes(0x030, {10, 0, 0, 254});
    E.Bytes(0x074, {0x2C, 0x01, 0, 0}).Bytes(0x078, {0xF0, 0x01, 0, 0});
    E.Bytes(0x4E8, {0x03, 0x00});
    E.Text(0x514, "ABCDEFGHIJKLMNOPQRSTUVWXYZ01234");   // 31 characters, 0x533 stays zero
    E.Bytes(0x53C, {5, 6, 7, 8}).Bytes(0x58C, {1, 2, 3, 4});
    E.Text(0x724, "admin12").Text(0x72C, "pw");

    Compile_Bin();
    EXPECT_EQ(Bin_Bank1(), Bank1(E));
    EXPECT_EQ(Bin_Bank1().at(0x533), '\0');
    EXPECT_EQ(Bin_Bank1().at(0x72B), '\0');
    EXPECT_EQ(U32At(Bin_Bank1(), 0x7FC), SumOf(Bin_Bank1(), 2044));
    EXPECT_EQ(Bin_Bank2(), QByteArray(768, '\0'));
}

struct TParGenCase {
    const char* Name;
    std::vector<std::pair<const char*, const char*>> Keys;
    // Changes against a file without keys.
    std::function<void(TExpected&)> Expect;
    // The text before the root element, when there is one.
    const char* Prolog = "";
};

TEST_F(SaveBinBank1Test, KeyConversions)
{
    const TParGenCase Cases[] = {
        {"gateway switched off keeps none of its parts",
         {{"EtherNetIP_EN_GAT", "0"}, {"EtherNetIP_GAT1", "999"}, {"EtherNetIP_GAT2", "999"},
          {"EtherNetIP_GAT3", "999"}, {"EtherNetIP_GAT4", "999"}},
         [](TExpected&) {}},
        {"gateway flag other than exactly 1",
         {{"EtherNetIP_EN_GAT", " 1"}, {"EtherNetIP_GAT1", "10"}},
         [](TExpected&) {}},
        {"DNS off leaves both addresses zero whatever they hold",
         {{"Eth_Conn_Enable_DNS", "0"}, {"Eth_Conn_Primary_DNS1", "abc"}, {"Eth_Conn_Primary_DNS2", "abc"},
          {"Eth_Conn_Secondary_DNS1", "abc"}, {"Eth_Conn_Secondary_DNS4", "999"}},
         [](TExpected&) {}},
        {"DNS on without its keys",
         {{"Eth_Conn_Enable_DNS", "1"}},
         [](TExpected& E) { E.Bytes(0x58C, {8, 8, 8, 8}).Bytes(0x53C, {8, 8, 4, 4}); }},
        {"leading zeros are decimal",
         {{"EtherNetIP_IP1", "010"}, {"EtherNetIP_IP2", "020"}, {"EtherNetIP_IP3", "030"}, {"EtherNetIP_IP4", "077"},
          {"EtherNetIP_NB_Output", "010"}},
         [](TExpected& E) { E.Bytes(0x028, {10, 20, 30, 77}).U32(0x078, 10); }},
        {"no integer gives the fallback, the largest values fit",
         {{"EtherNetIP_IP1", "abc"}, {"EtherNetIP_IP2", "255"}, {"EtherNetIP_IP3", ""}, {"EtherNetIP_SM4", "0"},
          {"EtherNetIP_NB_Input", "abc"}, {"EtherNetIP_NB_Output", "4294967295"}},
         [](TExpected& E) { E.Bytes(0x028, {192, 255, 0, 5}).Bytes(0x02C, {255, 255, 255, 0}).U32(0x078, 0xFFFFFFFF); }},
        {"DHCP flags only for exactly 1",
         {{"Eth_Conn_DHCP_Cable", "true"}, {"Eth_Conn_DHCP_WiFi", "1"}},
         [](TExpected& E) { E.U16(0x4E8, 2); }},
        {"web credentials keep 7 characters",
         {{"WebServer_Username", "u"}, {"WebServer_Password", "longpassword"}},
         [](TExpected& E) { E.Text(0x724, "u").Text(0x72C, "longpas"); }},
        {"a declaration and a comment before the root are skipped",
         {{"EtherNetIP_IP1", "10"}, {"EtherNetIP_IP2", "20"}, {"EtherNetIP_IP3", "30"}, {"EtherNetIP_IP4", "40"}},
         [](TExpected& E) { E.Bytes(0x028, {10, 20, 30, 40}); },
         "<?xml version=\"1.0\"?><!--first-->"},
    };
    for (const TParGenCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        QByteArray Xml = QByteArray(C.Prolog) + "<Par_Gen>";
        for (const auto& [Key, Value] : C.Keys)
            Xml += QByteArray("<") + Key + ">" + Value + "</" + Key + ">";
        Xml += "</Par_Gen>";
        WriteFile(File_ParGen, Xml);
        TExpected E = ParGenFallbacks();
        C.Expect(E);
        ASSERT_NO_THROW(Compile_Bin());
        EXPECT_EQ(Bin_Bank1(), Bank1(E));
    }
}

// A hand-edited value the field cannot hold is refused, naming the key and
// the value, rather than cut to its low bits.
TEST_F(SaveBinBank1Test, ValuesOutsideTheirFieldStopTheBuild)
{
    const std::pair<const char*, const char*> Cases[] = {
        {"EtherNetIP_IP2", "300"},        {"EtherNetIP_IP4", "256"},     {"EtherNetIP_SM1", "-1"},
        {"EtherNetIP_NB_Input", "-5"},    {"EtherNetIP_NB_Output", "4294967296"},
        {"EtherNetIP_IP1", "99999999999999999999999"},
    };
    for (const auto& [Key, Value] : Cases) {
        SCOPED_TRACE(Key);
        WriteFile(File_ParGen, QByteArray("<Par_Gen><") + Key + ">" + Value + "</" + Key + "></Par_Gen>");
        try {
            Compile_Bin();
            ADD_FAILURE() << "no error";
        } catch (const ESaveBinError& E) {
            EXPECT_TRUE(E.Message().contains(QLatin1String(Key))) << E.what();
            EXPECT_TRUE(E.Message().contains(QLatin1String(Value))) << E.what();
        }
        EXPECT_TRUE(Bin_Bank1().isEmpty());
        EXPECT_TRUE(Bin_Bank2().isEmpty());
    }
    // The gateway keys count only while the gateway is on.
    WriteFile(File_ParGen, "<Par_Gen><EtherNetIP_EN_GAT>1</EtherNetIP_EN_GAT><EtherNetIP_GAT3>999</EtherNetIP_GAT3></Par_Gen>");
    EXPECT_THROW(Compile_Bin(), ESaveBinError);
}

TEST_F(SaveBinBank1Test, MalformedParGenStopsTheBuild)
{
    WriteFile(File_ParGen, "<Par_Gen><EtherNetIP_IP1>10</Par_Gen>");
    try {
        Compile_Bin();
        FAIL() << "no error";
    } catch (const ESaveBinError& E) {
        EXPECT_TRUE(E.Message().contains(File_ParGen)) << E.Message().toStdString();
    }
    EXPECT_TRUE(Bin_Bank1().isEmpty());
    EXPECT_TRUE(Bin_Bank2().isEmpty());
}

} // namespace
