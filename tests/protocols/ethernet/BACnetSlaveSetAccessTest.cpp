// The BACnet object tables: the length ranges and their messages, the row
// limit by the general parameters, the default length of a write type and
// the unit picker on a double click.
#include "TableWindowTest.h"

#include "protocols/ethernet/UBACnetSlaveSetAccess.h"
#include "protocols/ethernet/UBACnet_Eng_Unit.h"

namespace {

const TCells Row{{1, "Integer Value"}, {2, "95"}, {3, "0"}, {5, "1"}};

class BACnetSlaveSetAccessTest : public TableWindowTest {
protected:
    void SetUp() override
    {
        TableWindowTest::SetUp();
        Window = FBACnetSlaveSetAccess;
        ASSERT_NE(nullptr, Window);
        Window->FormShow(Window);
    }
    String Message(bool Write, const TCells& Cells)
    {
        QFile::remove(File_BACnet_Slave_SetAccess);
        Window->FormShow(Window);
        TExColumnGrid* Grid = Write ? Window->ECG_BACnet_in_Write : Window->ECG_BACnet_in_Read;
        Put(Grid, 1, Row);
        Put(Grid, 1, Cells);
        Dialogs->Boxes.clear();
        const bool Passed = Press_OK(Window);
        EXPECT_EQ(Passed, Dialogs->Boxes.empty());
        return Dialogs->Boxes.empty() ? String() : Dialogs->Boxes.back().Text;
    }

    TFBACnetSlaveSetAccess* Window = nullptr;
};

} // namespace

TEST_F(BACnetSlaveSetAccessTest, EachCheckGivesItsMessage)
{
    const struct {
        bool Write;
        TCells Cells;
        const char* Message; // empty: passes
    } Cases[] = {
        {false, {}, ""},
        {false, {{2, "65536"}}, "!! [BACnet in Read] Eng. Unit must be between 0 and 65535"},
        {true, {{2, ""}}, "!! [BACnet in Write] Eng. Unit must be between 0 and 65535"},
        {false, {{3, "1440"}}, "!! [BACnet in Read] Position must be between 0 and 1439"},
        {true, {{3, "1440"}}, "!! [BACnet in Write] Position must be between 0 and 1439"},
        {false, {{1, "Binary Input"}, {4, ""}, {5, "99"}}, "!! [BACnet in Read] Bit must be between 0 and 7"},
        {false, {{1, "Binary Input"}, {4, "3"}, {3, "1439"}}, ""},
        {true, {{1, "Binary Out"}, {4, ""}}, "!! [BACnet in Write] Bit must be between 0 and 7"},
        {false, {{5, "99"}, {3, "1341"}}, ""},
        {false,
         {{5, "99"}, {3, "1342"}},
         "!! [BACnet in Read] Too many bytes to save starting from the Position indicate"},
        {true,
         {{1, "Integer Value"}, {5, "4"}, {3, "1437"}},
         "!! [BACnet in Write] Too many bytes to save starting from the Position indicate"},
        {false, {{1, "Analog Value"}, {5, "4"}}, ""},
        {false,
         {{1, "Analog Value"}, {5, "5"}},
         "!! [BACnet in Read] Length with variable \"Analog Value\" must be between 1 and 4"},
        {true,
         {{1, "Analog Value"}, {5, "5"}},
         "!! [BACnet in Write] Length with variable \"Analog Value\" must be between 1 and 4"},
        {false, {{1, "Large Analog Value"}, {5, "8"}}, ""},
        {true,
         {{1, "Large Analog Value"}, {5, "9"}},
         "!! [BACnet in Write] Length with variable \"Large Analog Value\" must be between 1 and 8"},
        {false,
         {{1, "Life Safety Zone"}, {5, "3"}},
         "!! [BACnet in Read] Length with variable \"Life Safety Zone\" must be 1 or 2"},
        {true,
         {{1, "Access Door"}, {5, "2"}},
         "!! [BACnet in Write] Length with variable \"Access Door\" must be equal to 1"},
    };
    for (const auto& K : Cases) {
        const String Expected = *K.Message ? QStringLiteral("Error row 1") + QString::fromUtf8(K.Message) : String();
        EXPECT_EQ(Expected, Message(K.Write, K.Cells)) << K.Message;
    }
}

TEST_F(BACnetSlaveSetAccessTest, LongNamesHalveTheTablesAndTheirLimit)
{
    EXPECT_EQ(2001, Window->ECG_BACnet_in_Read->RowCount());
    WriteFile(File_ParGen, "<ParGen><BACnet_Desc_Chars_Limit>1</BACnet_Desc_Chars_Limit></ParGen>");
    Window->FormShow(Window);
    EXPECT_TRUE(Window->Desc_Lenght);
    EXPECT_EQ(1001, Window->ECG_BACnet_in_Read->RowCount());
    EXPECT_EQ(1001, Window->ECG_BACnet_in_Write->RowCount());
    for (Integer R = 1; R <= 1000; ++R)
        Put(Window->ECG_BACnet_in_Read, R, Row);
    Put(Window->ECG_BACnet_in_Write, 1, Row);
    EXPECT_FALSE(Press_OK(Window));
    EXPECT_EQ(QStringList{QStringLiteral("Error!! Too many Requests. Max requests 1000")}, Box_Texts());
    Put(Window->ECG_BACnet_in_Write, 1, {{1, ""}});
    EXPECT_TRUE(Press_OK(Window));

    // Back to full tables: every row of the larger grid is cleared.
    WriteFile(File_ParGen, "<ParGen><BACnet_Desc_Chars_Limit>0</BACnet_Desc_Chars_Limit></ParGen>");
    QFile::remove(File_BACnet_Slave_SetAccess);
    Window->FormShow(Window);
    EXPECT_FALSE(Window->Desc_Lenght);
    ASSERT_EQ(2001, Window->ECG_BACnet_in_Read->RowCount());
    EXPECT_EQ(QStringLiteral("2000"), Window->ECG_BACnet_in_Read->Cells(0, 2000));
    EXPECT_EQ(String(), Window->ECG_BACnet_in_Read->Cells(1, 500));
}

TEST_F(BACnetSlaveSetAccessTest, FileRoundTripsWithTheSwapDefaults)
{
    WriteFile(File_BACnet_Slave_SetAccess,
              "<BACnet_to_Modbus><BACnet_in_Read><row Data_Type=\"Analog Input\" Eng_Unit=\"62\" Position=\"4\""
              " Bit=\"\" Length=\"4\" Swap=\"Y\" Mnemonic=\"temp\"/></BACnet_in_Read><BACnet_in_Write/>"
              "</BACnet_to_Modbus>");
    ASSERT_TRUE(Show_And_OK(Window));
    EXPECT_EQ(QByteArray("<BACnet_to_Modbus><BACnet_in_Read><row Data_Type=\"Analog Input\" Eng_Unit=\"62\""
                         " Position=\"4\" Bit=\"\" Length=\"4\" Swap=\"Y\" SwapWord=\"N\" Mnemonic=\"temp\"/>"
                         "</BACnet_in_Read><BACnet_in_Write/></BACnet_to_Modbus><!--SW_VERSION = 1.001-->"),
              File_Bytes(File_BACnet_Slave_SetAccess));
    EXPECT_EQ(QStringLiteral("Swap Word"), Window->ECG_BACnet_in_Read->Columns()->Items(7)->Header());
    EXPECT_EQ(Lang.Strings(2123), Window->ECG_BACnet_in_Read->Columns()->Items(8)->Header());
}

TEST_F(BACnetSlaveSetAccessTest, AWriteTypeSetsItsDefaultLength)
{
    Window->ECG_BACnet_in_Write->OnComboChange(Window->ECG_BACnet_in_Write, 1, 3, 5,
                                               QStringLiteral("Large Analog Value"));
    EXPECT_EQ(QStringLiteral("8"), Window->ECG_BACnet_in_Write->Cells(5, 3));
    Window->ECG_BACnet_in_Write->OnComboChange(Window->ECG_BACnet_in_Write, 1, 3, 2, QStringLiteral("Binary Out"));
    EXPECT_EQ(QStringLiteral("1"), Window->ECG_BACnet_in_Write->Cells(5, 3));
    EXPECT_FALSE(Window->ECG_BACnet_in_Read->OnComboChange);
}

TEST_F(BACnetSlaveSetAccessTest, ADoubleClickOnAUnitOpensThePicker)
{
    TExColumnGrid* Grid = Window->ECG_BACnet_in_Read;
    Grid->SetCells(2, 4, QStringLiteral("62"));
    String Shown;
    OnModal(FBACnet_Eng_Unit, [&] {
        Shown = FBACnet_Eng_Unit->Label5->Caption();
        FBACnet_Eng_Unit->E_Selected_EU->SetText(QStringLiteral("64"));
        FBACnet_Eng_Unit->Btn_OK->Click();
    });
    Grid->OnDblClickCell(Grid, 4, 2);
    EXPECT_EQ(QStringLiteral("-> degrees-Celsius"), Shown);
    EXPECT_EQ(QStringLiteral("64"), Grid->Cells(2, 4));

    // Cancel keeps the cell; other columns open nothing.
    OnModal(FBACnet_Eng_Unit, [] { FBACnet_Eng_Unit->Btn_Cancel->Click(); });
    Grid->OnDblClickCell(Grid, 4, 2);
    EXPECT_EQ(QStringLiteral("64"), Grid->Cells(2, 4));
    Grid->OnDblClickCell(Grid, 4, 3);
    EXPECT_FALSE(FBACnet_Eng_Unit->Modal());
}
