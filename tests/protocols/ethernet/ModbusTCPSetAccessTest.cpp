// The Modbus TCP master tables: the address and port checks, the smaller
// data area, the file and the grid events that only the write grid has.
#include "TableWindowTest.h"

#include "protocols/ethernet/UModbus_TCP_Master_Set_Access.h"

namespace {

class ModbusTCPSetAccessTest : public TableWindowTest {
protected:
    void SetUp() override
    {
        TableWindowTest::SetUp();
        Window = FModbus_TCP_Master_Set_Access;
        ASSERT_NE(nullptr, Window);
        Window->FormShow(Window);
    }
    // A passing read row 1 with Cells over it; the message OK shows, empty
    // when it passes.
    String Read_Row_Message(TCells Cells)
    {
        Window->FormShow(Window);
        Put(Window->ECG_Modbus_Read, 1,
            {{2, "192.168.1.125"},
             {3, "502"},
             {4, "1"},
             {5, "Holding Register"},
             {6, "0"},
             {7, "1"},
             {8, "1000"},
             {9, "0"},
             {10, "0"}});
        Put(Window->ECG_Modbus_Read, 1, Cells);
        Dialogs->Boxes.clear();
        const bool Passed = Press_OK(Window);
        EXPECT_EQ(Passed, Dialogs->Boxes.empty());
        return Dialogs->Boxes.empty() ? String() : Dialogs->Boxes.back().Text;
    }

    TFModbus_TCP_Master_Set_Access* Window = nullptr;
};

} // namespace

TEST_F(ModbusTCPSetAccessTest, AddressesAreFourPartsOfZeroTo255)
{
    const std::pair<const char*, bool> Cases[] = {
        {"192.168.1.125", false}, {"0.0.0.0", false},  {"255.255.255.255", false},
        {"$C0.168.1.1", false},   {"", true},          {"192.168.1", true},
        {"1.2.3.4.5", true},      {"1.2.3.256", true}, {"1.2.3.4 ", true},
        {"a.b.c.d", true},        {"1..2.3", true},    {"-1.2.3.4", true},
    };
    for (const auto& [Text, Invalid] : Cases)
        EXPECT_EQ(Invalid, TFModbus_TCP_Master_Set_Access::Check_IP_Address(QLatin1String(Text))) << Text;
}

TEST_F(ModbusTCPSetAccessTest, ChecksNameTheRowWithTheirTexts)
{
    const std::pair<TCells, const char*> Cases[] = {
        {{{2, "1.2.3"}},
         "Error row 1!! [Modbus Read] Slave IP Address must be a valid TCP IP "
         "Address (Ex. 192.168.1.125)"},
        {{{3, "65536"}}, "Error row 1!! [Modbus Read] Port must be between 0 and 65535"},
        {{{6, "1418"}, {7, "10"}, {10, "1418"}}, ""},
        {{{7, "10"}, {10, "1418"}}, ""},
        {{{7, "10"}, {10, "1419"}},
         "Error row 1!! [Modbus Read] Too many bytes to save starting from the "
         "Position indicate"},
        {{{10, "1438"}}, "Error row 1!! [Modbus Read] Position must be between 0 and 1437"},
        {{{8, "999"}},
         "Error row 1!! [Modbus Read] Poll Time must be between 1000 and "
         "100000000"},
    };
    for (const auto& [Cells, Message] : Cases)
        EXPECT_EQ(QString::fromUtf8(Message), Read_Row_Message(Cells)) << Message;

    QFile::remove(File_ModbusTCPM_SetAccess);
    Window->FormShow(Window);
    Put(Window->ECG_Modbus_Write, 1,
        {{2, "10.0.0.1"},
         {3, "-1"},
         {4, "1"},
         {5, "Coil Status"},
         {6, "0"},
         {7, "1"},
         {8, "0"},
         {11, "0"},
         {12, "0"},
         {13, "0"}});
    EXPECT_FALSE(Press_OK(Window));
    EXPECT_EQ(QStringLiteral("Error row 1!! [Modbus Write] Port must be between 0 and 65535"), Box_Texts().last());
    Put(Window->ECG_Modbus_Write, 1, {{3, "502"}, {12, "1438"}});
    EXPECT_FALSE(Press_OK(Window));
    EXPECT_EQ(QStringLiteral("Error row 1!! [Modbus Write] Position must be between 0 and 1437"), Box_Texts().last());
    Put(Window->ECG_Modbus_Write, 1, {{12, "1437"}});
    EXPECT_TRUE(Press_OK(Window));
    EXPECT_EQ(QByteArray("<PROFINET_Master_to_Modbus_TCP_Master><Modbus_Read/><Modbus_Write>"
                         "<row Enable=\"Y\" IP_Address=\"10.0.0.1\" Port=\"502\" "
                         "Slave_ID=\"1\" Type=\"Coil Status\""
                         " Address=\"0\" NPoint=\"1\" PollTime=\"0\" OnChange=\"\" OnCMD=\"\" "
                         "MaxError=\"0\""
                         " Position=\"1437\" Bit=\"0\" Swap=\"\" SwapWord=\"\" "
                         "Mnemonic=\"\"/></Modbus_Write>"
                         "</PROFINET_Master_to_Modbus_TCP_Master><!--SW_VERSION = 1.000-->"),
              File_Bytes(File_ModbusTCPM_SetAccess));
}

TEST_F(ModbusTCPSetAccessTest, OnlyTheWriteGridJumpsOnEnterAndGivesHints)
{
    Enable_Jump_Field_Tables = true;
    EXPECT_FALSE(Window->ECG_Modbus_Read->OnKeyPress);
    EXPECT_FALSE(Window->ECG_Modbus_Read->OnGridHint);
    ASSERT_TRUE(Window->ECG_Modbus_Write->OnKeyPress);
    Window->ECG_Modbus_Write->SetCol(2);
    Window->ECG_Modbus_Write->SetRow(1);
    Char Key(13);
    Window->ECG_Modbus_Write->OnKeyPress(Window->ECG_Modbus_Write, Key);
    EXPECT_EQ(3, Window->ECG_Modbus_Write->Col());
    String Hint;
    Window->ECG_Modbus_Write->OnGridHint(Window->ECG_Modbus_Write, 0, 16, Hint);
    EXPECT_EQ(Lang.Strings(1997), Hint);
    EXPECT_EQ(QStringLiteral("Copy Row"), Window->Btn_CopyRow->Caption());
    EXPECT_EQ(Lang.Strings(1904), Window->Btn_DelRow->Caption());
}
