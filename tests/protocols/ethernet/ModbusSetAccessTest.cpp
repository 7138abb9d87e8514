// The Modbus master tables: the checks with their messages and limits, the
// file the window writes and reads, and its showing through the program.
#include "TableWindowTest.h"

#include "protocols/ethernet/USetAccess.h"

#include <vector>

namespace {

// A read row and a write row that pass every check.
const TCells Read_Row{{2, "1"}, {3, "Holding Register"}, {4, "0"}, {5, "1"}, {6, "1000"}, {7, "0"}, {8, "0"}};
const TCells Write_Row{{2, "1"}, {3, "Holding Register"}, {4, "0"}, {5, "1"}, {6, "0"}, {9, "0"}, {10, "0"}};

class ModbusSetAccessTest : public TableWindowTest {
protected:
    void SetUp() override
    {
        TableWindowTest::SetUp();
        Window = FSetAccess;
        ASSERT_NE(nullptr, Window);
    }
    static void Fill(TExColumnGrid* Grid, Integer ARow, const TCells& Cells)
    {
        for (const auto& [C, Text] : Cells)
            Grid->SetCells(C, ARow, QString::fromUtf8(Text));
    }

    TFSetAccess* Window = nullptr;
};

} // namespace

TEST_F(ModbusSetAccessTest, EachCheckGivesItsMessageAndLeavesTheFile)
{
    const QByteArray Old = "<EtherNetIP_to_Modbus><Modbus_Read/><Modbus_Write/></"
                           "EtherNetIP_to_Modbus>";
    WriteFile(File_ModbusM_SetAccess, Old);
    const struct {
        bool Write;
        TCells Cells;
        const char* Message; // null: passes
    } Cases[] = {
        {false, {{2, "0"}}, "!! [Modbus Read] Slave ID must be between 1 and 247"},
        {false, {{2, "5 "}}, "!! [Modbus Read] Slave ID must be between 1 and 247"},
        {false, {{2, "0xF8"}}, "!! [Modbus Read] Slave ID must be between 1 and 247"},
        {false, {{2, " 5"}}, nullptr},
        {false, {{2, "$F7"}}, nullptr},
        {false,
         {{3, ""}},
         "!! [Modbus Read] Type must be Coil Status or Input Status or Holding "
         "Register or Input Register"},
        {false, {{4, "65536"}}, "!! [Modbus Read] Address must be between 0 and 65535"},
        {false, {{4, "65535"}}, nullptr},
        {false, {{5, "126"}}, "!! [Modbus Read] NPoint must be between 1 and 125"},
        {false, {{3, "Input Status"}, {9, "0"}, {5, "2001"}}, "!! [Modbus Read] NPoint must be between 1 and 2000"},
        {false, {{6, "999"}}, "!! [Modbus Read] Poll Time must be between 1000 and 100000000"},
        {false, {{6, "100000001"}}, "!! [Modbus Read] Poll Time must be between 1000 and 100000000"},
        {false, {{7, "-1"}}, "!! [Modbus Read] Max Error must be between 0 and 100000000"},
        {false, {{8, "1500"}}, "!! [Modbus Read] Position must be between 0 and 1499"},
        {false, {{3, "Coil Status"}}, "!! [Modbus Read] Bit must be between 0 and 7"},
        {false, {{5, "125"}, {8, "1250"}}, nullptr},
        {false,
         {{5, "125"}, {8, "1251"}},
         "!! [Modbus Read] Too many bytes to save starting from the Position "
         "indicate"},
        {false, {{3, "Coil Status"}, {5, "2000"}, {9, "7"}, {8, "1249"}}, nullptr},
        {false,
         {{3, "Coil Status"}, {5, "2000"}, {9, "7"}, {8, "1250"}},
         "!! [Modbus Read] Too many bytes to save starting from the Position "
         "indicate"},
        {true, {{2, "248"}}, "!! [Modbus Write] Slave ID must be between 1 and 247"},
        {true, {{3, ""}}, "!! [Modbus Write] Type must be Coil Status or Holding Register"},
        {true, {{4, "x"}}, "!! [Modbus Write] Address must be between 0 and 65535"},
        {true, {{3, "Coil Status"}, {11, "0"}, {5, "1969"}}, "!! [Modbus Write] NPoint must be between 1 and 1968"},
        {true, {{5, "124"}}, "!! [Modbus Write] NPoint must be between 1 and 123"},
        {true, {{6, "0"}}, nullptr},
        {true, {{6, "-1"}}, "!! [Modbus Write] Poll Time must be between 0 and 100000000"},
        {true, {{9, "100000001"}}, "!! [Modbus Write] Max Error must be between 0 and 100000000"},
        {true, {{10, "1500"}}, "!! [Modbus Write] Position must be between 0 and 1499"},
        {true, {{3, "Coil Status"}}, "!! [Modbus Write] Bit must be between 0 and 7"},
        {true,
         {{5, "123"}, {10, "1255"}},
         "!! [Modbus Write] Too many bytes to read starting from the Position "
         "indicate"},
        {true, {{5, "123"}, {10, "1254"}}, nullptr},
    };
    for (const auto& K : Cases) {
        Window->FormShow(Window);
        TExColumnGrid* Grid = K.Write ? Window->ECG_Modbus_Write : Window->ECG_Modbus_Read;
        Fill(Grid, 1, K.Write ? Write_Row : Read_Row);
        Fill(Grid, 1, K.Cells);
        Dialogs->Boxes.clear();
        const std::string Name = K.Message ? K.Message : "passes";
        if (!K.Message) {
            EXPECT_TRUE(Press_OK(Window)) << Name << Box_Texts().join(u'|').toStdString();
            WriteFile(File_ModbusM_SetAccess, Old);
            continue;
        }
        EXPECT_FALSE(Press_OK(Window)) << Name;
        EXPECT_EQ(QStringList{QStringLiteral("Error row 1") + QString::fromUtf8(K.Message)}, Box_Texts()) << Name;
        EXPECT_EQ(Old, File_Bytes(File_ModbusM_SetAccess)) << Name;
    }
}

TEST_F(ModbusSetAccessTest, DisabledRowsAreSavedButNotChecked)
{
    Window->FormShow(Window);
    Fill(Window->ECG_Modbus_Write, 1, Write_Row);
    Fill(Window->ECG_Modbus_Write, 2, {{1, "N"}, {2, "999"}, {5, "99999"}});
    Fill(Window->ECG_Modbus_Write, 3, Write_Row);
    Fill(Window->ECG_Modbus_Write, 3, {{5, "124"}});
    EXPECT_FALSE(Press_OK(Window));
    EXPECT_EQ(QStringList{QStringLiteral("Error row 3!! [Modbus Write] NPoint must be between 1 and 123")},
              Box_Texts());
    Fill(Window->ECG_Modbus_Write, 3, {{5, "2"}});
    EXPECT_TRUE(Press_OK(Window));
    const QByteArray Saved = File_Bytes(File_ModbusM_SetAccess);
    EXPECT_TRUE(Saved.contains("<row Enable=\"N\" Slave_ID=\"999\" Type=\"\" "
                               "Address=\"\" NPoint=\"99999\""));
    EXPECT_EQ(3, Saved.count("<row "));
}

TEST_F(ModbusSetAccessTest, TheFileRoundTrips)
{
    WriteFile(File_ModbusM_SetAccess,
              "<EtherNetIP_to_Modbus><Modbus_Read>"
              "<row Slave_ID=\"3\" Type=\"Coil Status\" Address=\"10\" "
              "NPoint=\"16\" PollTime=\"1000\" MaxError=\"0\""
              " Position=\"4\" Bit=\"2\" "
              "Mnemonic=\"coils\"/></Modbus_Read><Modbus_Write>"
              "<row Enable=\"N\" Slave_ID=\"4\" Type=\"Holding Register\" "
              "Address=\"1\" NPoint=\"2\" PollTime=\"0\""
              " OnChange=\"Y\" MaxError=\"0\" Position=\"8\" Bit=\"\" Swap=\"Y\" "
              "Mnemonic=\"regs\"/></Modbus_Write>"
              "</EtherNetIP_to_Modbus>");
    ASSERT_TRUE(Show_And_OK(Window));
    EXPECT_TRUE(Dialogs->Boxes.empty());
    EXPECT_EQ(QByteArray("<EtherNetIP_to_Modbus><Modbus_Read>"
                         "<row Enable=\"Y\" Slave_ID=\"3\" Type=\"Coil Status\" "
                         "Address=\"10\" NPoint=\"16\""
                         " PollTime=\"1000\" MaxError=\"0\" Position=\"4\" Bit=\"2\" "
                         "Swap=\"N\" SwapWord=\"N\""
                         " Index_Topic=\"-1\" Mnemonic=\"coils\"/></Modbus_Read><Modbus_Write>"
                         "<row Enable=\"N\" Slave_ID=\"4\" Type=\"Holding Register\" "
                         "Address=\"1\" NPoint=\"2\""
                         " PollTime=\"0\" OnChange=\"Y\" OnCMD=\"N\" MaxError=\"0\" "
                         "Position=\"8\" Bit=\"\" Swap=\"Y\""
                         " SwapWord=\"N\" "
                         "Mnemonic=\"regs\"/></Modbus_Write></EtherNetIP_to_Modbus>"
                         "<!--SW_VERSION = 1.000-->"),
              File_Bytes(File_ModbusM_SetAccess));
    EXPECT_TRUE(Window->ECG_Modbus_Read->IsHiddenColumn(TFSetAccess::Read_Topic));
    EXPECT_EQ(QStringLiteral("1499"), Window->ECG_Modbus_Read->Columns()->Items(8)->ComboItems()->Strings(1499));

    // A write row without "OnChange" stops the loading; OK then asks first.
    const QByteArray Broken = "<EtherNetIP_to_Modbus><Modbus_Read/><Modbus_Write>"
                              "<row Slave_ID=\"4\" Type=\"Holding Register\" Address=\"1\" "
                              "NPoint=\"2\" PollTime=\"0\""
                              " MaxError=\"0\" Position=\"8\" Bit=\"\" Mnemonic=\"\"/></Modbus_Write>"
                              "</EtherNetIP_to_Modbus>";
    WriteFile(File_ModbusM_SetAccess, Broken);
    Dialogs->Boxes.clear();
    EXPECT_FALSE(Show_And_OK(Window));
    ASSERT_LE(1u, Dialogs->Boxes.size());
    EXPECT_EQ(QStringLiteral("Error!! The file %1 could not be read completely: "
                             "row 1 of \"Modbus_Write\" has no "
                             "attribute \"OnChange\"")
                  .arg(File_ModbusM_SetAccess),
              Dialogs->Boxes[0].Text);
    // The rows after the missing attribute stayed empty; once they are
    // filled in, OK asks before it replaces the file, and No keeps it.
    Window->FormShow(Window);
    Fill(Window->ECG_Modbus_Write, 1, {{7, "N"}, {9, "0"}, {10, "8"}});
    Dialogs->Boxes.clear();
    Dialogs->BoxAnswers = {mrNo};
    EXPECT_FALSE(Press_OK(Window));
    ASSERT_EQ(1u, Dialogs->Boxes.size());
    EXPECT_EQ(mtConfirmation, Dialogs->Boxes[0].DlgType);
    EXPECT_EQ(Broken, File_Bytes(File_ModbusM_SetAccess));
}

TEST_F(ModbusSetAccessTest, TopicIndexFollowsTheList)
{
    Window->List_Publish_Topic.Add(QStringLiteral("a"));
    Window->List_Publish_Topic.Add(QStringLiteral("b"));
    Window->List_Publish_Topic.Add(QStringLiteral("a"));
    EXPECT_EQ(2, Window->Get_Index_From_Topic(QStringLiteral("a"), 2));
    EXPECT_EQ(0, Window->Get_Index_From_Topic(QStringLiteral("a"), 1));
    EXPECT_EQ(-1, Window->Get_Index_From_Topic(QStringLiteral("c"), 0));
    EXPECT_EQ(QStringLiteral("b"), Window->Get_Topic_From_Index(1));
    EXPECT_EQ(String(), Window->Get_Topic_From_Index(3));
    EXPECT_EQ(String(), Window->Get_Topic_From_Index(-1));
}
