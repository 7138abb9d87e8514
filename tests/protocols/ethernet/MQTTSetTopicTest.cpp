// The MQTT topic tables and the template editor: the variant's hidden
// columns, the checks of shown columns, the template rule and the editing
// of a Template cell.
#include "TableWindowTest.h"

#include "protocols/ethernet/UMQTT_Set_Topic.h"
#include "protocols/ethernet/UTopicTemplate.h"

namespace {

const TCells Pub_Row{{1, "plant/t1"}, {2, "N"}, {3, "0"}, {4, "Int"}, {5, "2"}, {6, "0"}, {12, "N"}};
const TCells Sub_Row{{1, "plant/cmd"}, {2, "N"}, {3, "1"}, {4, "Float"}, {5, "4"}, {6, "0"}};

class MQTTSetTopicTest : public TableWindowTest {
protected:
    void SetUp() override
    {
        TableWindowTest::SetUp();
        Window = FMQTT_Set_Topic;
        ASSERT_NE(nullptr, Window);
        Window->FormShow(Window);
    }
    String Message(bool Sub, const TCells& Cells)
    {
        QFile::remove(File_MQTT_Set_Topic);
        Window->FormShow(Window);
        TExColumnGrid* Grid = Sub ? Window->ECG_Sub : Window->ECG_Pub;
        Put(Grid, 1, Sub ? Sub_Row : Pub_Row);
        Put(Grid, 1, Cells);
        Dialogs->Boxes.clear();
        const bool Passed = Press_OK(Window);
        EXPECT_EQ(Passed, Dialogs->Boxes.empty());
        return Dialogs->Boxes.empty() ? String() : Dialogs->Boxes.back().Text;
    }

    TFMQTT_Set_Topic* Window = nullptr;
};

} // namespace

TEST_F(MQTTSetTopicTest, ChecksRunOnShownColumns)
{
    const struct {
        bool Sub;
        TCells Cells;
        const char* Message; // empty: passes
    } Cases[] = {
        {false, {}, ""},
        {false, {{4, " "}}, "!! [MQTT Publish] Data Type must be selected"},
        {false, {{4, "Int"}, {5, "3"}}, "!! [MQTT Publish] Dimension must be equal to 1 or 2 or 4 or 8"},
        {false, {{4, "int"}, {5, "8"}}, ""},
        {false, {{4, "Float"}, {5, "2"}}, "!! [MQTT Publish] Dimension must be equal to 4 or 8"},
        {false, {{4, "String"}, {5, "0"}}, "!! [MQTT Publish] Dimension must be major of 0"},
        {false, {{4, "Base64"}, {5, "1"}}, ""},
        {false, {{6, "1440"}}, "!! [MQTT Publish] Position must be beetween 0 and 1439"},
        {false, {{9, "$VALUE"}}, "!! [MQTT Publish] Template not Correct, Check the Keywords"},
        {false, {{9, "{\"v\": $VALUE$, \"w\": $VALUE$}"}}, ""},
        {false, {{9, "plain"}}, ""},
        {false, {{12, "Y"}, {13, "1000000000"}}, ""},
        {false, {{12, "Y"}, {13, "0"}}, "!! [MQTT Publish] Time(ms) must be between 1 and 1000000000"},
        {false, {{12, "y "}, {13, ""}}, "!! [MQTT Publish] Time(ms) must be between 1 and 1000000000"},
        {false, {{12, "N"}, {13, ""}}, ""},
        // Hidden columns are not checked: the address and the input template.
        {false, {{7, "not an address"}, {8, "$"}}, ""},
        {true, {}, ""},
        {true, {{5, "2"}}, "!! [MQTT Subscribe] Dimension must be equal to 4 or 8"},
        {true, {{6, "1440"}}, "!! [MQTT Subscribe] Position must be beetween 0 and 1439"},
        {true, {{11, "$"}}, "!! [MQTT Subscribe] Template not Correct, Check the Keywords"},
        {true, {{8, "99999"}, {10, "$"}}, ""},
    };
    for (const auto& K : Cases) {
        const String Expected = *K.Message ? QStringLiteral("Error row 1") + QString::fromUtf8(K.Message) : String();
        EXPECT_EQ(Expected, Message(K.Sub, K.Cells)) << K.Message;
    }
}

TEST_F(MQTTSetTopicTest, HiddenSavedColumnsRoundTrip)
{
    EXPECT_TRUE(Window->ECG_Sub->IsHiddenColumn(2));
    EXPECT_TRUE(Window->ECG_Pub->IsHiddenColumn(7));
    EXPECT_FALSE(Window->ECG_Pub->IsHiddenColumn(9));
    EXPECT_EQ(1025, Window->ECG_Pub->RowCount());
    const QByteArray File =
        "<MQTT_Set_Topic><MQTT_Publish><row Topic=\"a/b\" Retained=\"Y\" QoS=\"1\" DataType=\"Int\" Dimension=\"2\""
        " Position=\"3\" IPAddress=\"\" InputTemplate=\"\" Template=\"$VALUE$\" OnChange=\"Y\" Time=\"\""
        " Mnemonic=\"m\"/></MQTT_Publish><MQTT_Subscribe><row Topic=\"c\" Retained=\"Y\" QoS=\"0\" DataType=\"Float\""
        " Dimension=\"4\" Position=\"0\" IPAddress=\"10.0.0.2\" Port=\"7\" EthType=\"UDP\" InputTemplate=\"\""
        " Template=\"\" Mnemonic=\"\"/></MQTT_Subscribe></MQTT_Set_Topic>";
    WriteFile(File_MQTT_Set_Topic, File);
    ASSERT_TRUE(Show_And_OK(Window));
    EXPECT_EQ(QByteArray("<MQTT_Set_Topic><MQTT_Publish><row Topic=\"a/b\" Retained=\"Y\" QoS=\"1\" DataType=\"Int\""
                         " Dimension=\"2\" Position=\"3\" IPAddress=\"\" InputTemplate=\"\" Template=\"$VALUE$\""
                         " OnChange=\"Y\" OnTimer=\"N\" Time=\"\" Mnemonic=\"m\"/></MQTT_Publish><MQTT_Subscribe>"
                         "<row Topic=\"c\" Retained=\"Y\" QoS=\"0\" DataType=\"Float\" Dimension=\"4\" Position=\"0\""
                         " IPAddress=\"10.0.0.2\" Port=\"7\" EthType=\"UDP\" InputTemplate=\"\" Template=\"\""
                         " Mnemonic=\"\"/></MQTT_Subscribe></MQTT_Set_Topic><!--SW_VERSION = 1.003-->"),
              File_Bytes(File_MQTT_Set_Topic));
    EXPECT_EQ(QStringLiteral("N"), Window->ECG_Pub->Cells(15, 1));
    EXPECT_EQ(QStringLiteral("N"), Window->ECG_Sub->Cells(13, 1));
    EXPECT_EQ(String(), Window->ECG_Pub->Cells(11, 1));

    // Without "Mnemonic" the loading stops.
    QByteArray Broken = File;
    Broken.replace(" Mnemonic=\"m\"", "");
    WriteFile(File_MQTT_Set_Topic, Broken);
    Dialogs->Boxes.clear();
    Window->FormShow(Window);
    EXPECT_EQ(QStringList{QStringLiteral("Error!! The file %1 could not be read completely: row 1 of \"MQTT_Publish\" "
                                         "has no attribute \"Mnemonic\"")
                              .arg(File_MQTT_Set_Topic)},
              Box_Texts());
}

TEST_F(MQTTSetTopicTest, TheTemplateEditorEditsTheCell)
{
    TExColumnGrid* Grid = Window->ECG_Sub;
    Put(Grid, 1, Sub_Row);
    Grid->SetCells(TFMQTT_Set_Topic::Sub_Template, 1, QStringLiteral("$VALUE$"));
    Grid->SetCol(Grid->DisplColIndex(TFMQTT_Set_Topic::Sub_Template));
    Grid->SetRow(1);
    String Caption;
    Integer Keyword_Rows = 0;
    OnModal(FTopicTemplate, [&] {
        Caption = FTopicTemplate->Caption();
        Keyword_Rows = FTopicTemplate->ESG_Keywords->RowCount();
        FTopicTemplate->RE_TopicTemplate->SetText(QStringLiteral("{\r\n$VALUE$\r\n}"));
        FTopicTemplate->Btn_OK->Click();
    });
    Grid->OnDblClickCell(Grid, 1, Grid->Col());
    EXPECT_EQ(QStringLiteral("Set Template"), Caption);
    EXPECT_EQ(2, Keyword_Rows);
    EXPECT_EQ(1, FTopicTemplate->Pub_Sub);
    const String Typed = Grid->Cells(TFMQTT_Set_Topic::Sub_Template, 1);
    EXPECT_TRUE(Typed.contains(u'\n'));

    // Cancel leaves the cell.
    OnModal(FTopicTemplate, [] {
        FTopicTemplate->RE_TopicTemplate->SetText(QStringLiteral("changed"));
        FTopicTemplate->Btn_Cancel->Click();
    });
    Grid->OnDblClickCell(Grid, 1, Grid->Col());
    EXPECT_EQ(Typed, Grid->Cells(TFMQTT_Set_Topic::Sub_Template, 1));

    // Saved and read back unchanged, line breaks included.
    ASSERT_TRUE(Press_OK(Window));
    Window->FormShow(Window);
    EXPECT_EQ(Typed, Window->ECG_Sub->Cells(TFMQTT_Set_Topic::Sub_Template, 1));
}
