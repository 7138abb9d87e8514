// The SNMP trap tables: running numbers of the enabled rows, the guarded
// loading, every check with its message and the unique descriptions.
#include "TableWindowTest.h"

#include "protocols/ethernet/USNMP_Trap_Access.h"

namespace {

const TCells Read_Row{{2, "Public"}, {3, "Int"},           {6, "N"},    {8, "0"}, {9, "0"}, {10, "8"},
                      {11, "temp1"}, {12, "192.168.1.10"}, {13, "None"}};
const TCells Write_Row{{2, "Public"}, {3, "Int"}, {4, "0"}, {5, "0"}, {6, "8"}, {7, "out1"}, {8, "None"}};

class SNMPTrapAccessTest : public TableWindowTest {
protected:
    void SetUp() override
    {
        TableWindowTest::SetUp();
        Window = FSNMP_Trap_Access;
        ASSERT_NE(nullptr, Window);
        Window->FormShow(Window);
    }
    // OK over one passing row of the table with Cells over it: the message
    // shown, empty when the row passes.
    String Message(bool Write, const TCells& Cells)
    {
        QFile::remove(File_SNMP_Trap);
        Window->FormShow(Window);
        TExColumnGrid* Grid = Write ? Window->ECG_SNMP_Write : Window->ECG_SNMP_Read;
        Put(Grid, 1, Write ? Write_Row : Read_Row);
        Put(Grid, 1, Cells);
        Dialogs->Boxes.clear();
        const bool Passed = Press_OK(Window);
        EXPECT_EQ(Passed, Dialogs->Boxes.empty());
        return Dialogs->Boxes.empty() ? String() : Dialogs->Boxes.back().Text;
    }

    TFSNMP_Trap_Access* Window = nullptr;
};

} // namespace

TEST_F(SNMPTrapAccessTest, RowsAreNumberedByEnable)
{
    WriteFile(File_SNMP_Trap,
              "<SNMP_Trap><SNMP_Trap_Read><row Community_Name=\"Public\"/>"
              "<row Enable=\"N\" Community_Name=\"Public\"/><row Enable=\"y\" Community_Name=\"x\"/>"
              "</SNMP_Trap_Read><SNMP_Trap_Write/></SNMP_Trap>");
    Window->PageControl1->SetActivePage(Window->TS_SNMP_Write);
    Window->FormShow(Window);
    EXPECT_TRUE(Dialogs->Boxes.empty());
    EXPECT_EQ(Window->TS_SNMP_Write, Window->PageControl1->ActivePage());
    const QStringList Expected{"1", "", "2", "3", "4"};
    for (Integer R = 1; R <= 5; ++R)
        EXPECT_EQ(Expected[R - 1], Window->ECG_SNMP_Read->Cells(0, R)) << R;
    EXPECT_EQ(QStringLiteral("None"), Window->ECG_SNMP_Read->Cells(13, 1));
    EXPECT_EQ(QStringLiteral("N"), Window->ECG_SNMP_Read->Cells(6, 1));
    EXPECT_EQ(String(), Window->ECG_SNMP_Read->Cells(7, 1));
    EXPECT_EQ(QStringLiteral("256"), Window->ECG_SNMP_Write->Cells(0, 256));

    // A click on an Enable box renumbers that grid.
    Window->ECG_SNMP_Read->SetCells(1, 1, QStringLiteral("N"));
    Window->ECG_SNMP_Read->OnCheckBoxClick(Window->ECG_SNMP_Read, 1, 1, false);
    EXPECT_EQ(String(), Window->ECG_SNMP_Read->Cells(0, 1));
    EXPECT_EQ(QStringLiteral("1"), Window->ECG_SNMP_Read->Cells(0, 3));
}

TEST_F(SNMPTrapAccessTest, EachCheckGivesItsMessage)
{
    const struct {
        bool Write;
        TCells Cells;
        const char* Message; // empty: passes
    } Cases[] = {
        {false, {}, ""},
        {false,
         {{2, "Pub lic"}},
         "!! [SNMP Read] Community Name is not correct (allowed characters are \"a\"..\"z\", \"A\"..\"Z\" and "
         "\"0\"..\"9\")"},
        {false,
         {{2, "Pub-lic"}},
         "!! [SNMP Read] Community Name is not correct (allowed characters are \"a\"..\"z\", \"A\"..\"Z\" and "
         "\"0\"..\"9\")"},
        {false, {{3, " "}}, "!! [SNMP Read] Type must be selected"},
        {false, {{6, "Y"}, {7, "0"}}, "!! [SNMP Read] Time must be between 1 and 1000000000 ms"},
        {false, {{6, "Y"}, {7, "1000000000"}}, ""},
        {false, {{6, "N"}, {7, ""}}, ""},
        {false, {{8, ""}}, "!! [SNMP Read] Position must be selected"},
        {false, {{9, ""}}, "!! [SNMP Read] Start Bit must be selected"},
        {false, {{3, "String"}, {9, "3"}}, "!! [SNMP Read] Start Bit must be 0 if Type is String"},
        {false, {{3, "String"}, {10, "16"}}, ""},
        {false, {{3, "String"}, {10, "17"}}, "!! [SNMP Read] Num Bits/Bytes must be between 1 and 16 bytes"},
        {false, {{10, "64"}}, ""},
        {false, {{10, "65"}}, "!! [SNMP Read] Num Bits/Bytes must be between 1 and 64 bits"},
        {false,
         {{11, "Temp1"}},
         "!! [SNMP Read] Description is not correct (allowed characters are \"a\"..\"z\", \"A\"..\"Z\" and "
         "\"0\"..\"9\"). First character must be a letter and must be lowercase"},
        {false,
         {{11, "1temp"}},
         "!! [SNMP Read] Description is not correct (allowed characters are \"a\"..\"z\", \"A\"..\"Z\" and "
         "\"0\"..\"9\"). First character must be a letter and must be lowercase"},
        {false,
         {{11, "t\xc3\xa8mp"}},
         "!! [SNMP Read] Description is not correct (allowed characters are \"a\"..\"z\", \"A\"..\"Z\" and "
         "\"0\"..\"9\"). First character must be a letter and must be lowercase"},
        {false, {{11, ""}}, ""},
        {false, {{12, "192.168.1"}}, "!! [SNMP Read] IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
        {false, {{13, ""}}, "!! [SNMP Read] Conversion must be selected"},
        {true, {}, ""},
        {true,
         {{2, "a b"}},
         "!! [SNMP Write] Community Name is not correct (allowed characters are \"a\"..\"z\", \"A\"..\"Z\" and "
         "\"0\"..\"9\")"},
        {true, {{3, ""}}, "!! [SNMP Write] Type must be selected"},
        {true, {{3, "String"}, {5, "1"}}, "!! [SNMP Write] Start Bit must be 0 if Type is String"},
        {true, {{6, "0"}}, "!! [SNMP Write] Num Bits/Bytes must be between 1 and 64 bits"},
        {true,
         {{7, "Out"}},
         "!! [SNMP Write] Descrtiption is not correct (allowed characters are \"a\"..\"z\", \"A\"..\"Z\" and "
         "\"0\"..\"9\"). First character must be a letter and must be lowercase"},
        {true, {{8, ""}}, "!! [SNMP Write] Conversion must be selected"},
    };
    for (const auto& K : Cases) {
        const String Expected = *K.Message ? QStringLiteral("Error row 1") + QString::fromUtf8(K.Message) : String();
        EXPECT_EQ(Expected, Message(K.Write, K.Cells)) << K.Message;
    }
}

TEST_F(SNMPTrapAccessTest, DescriptionsOfEnabledRowsMustDiffer)
{
    const String Same = QStringLiteral("Error!! The Descriptions must be all differents");
    Put(Window->ECG_SNMP_Read, 1, Read_Row);
    Put(Window->ECG_SNMP_Write, 1, Write_Row);
    Put(Window->ECG_SNMP_Write, 1, {{7, "temp1"}});
    EXPECT_FALSE(Press_OK(Window));
    EXPECT_EQ(QStringList{Same}, Box_Texts());

    // Letter case counts; a disabled row does not.
    Put(Window->ECG_SNMP_Write, 1, {{7, "tEMP1"}});
    Put(Window->ECG_SNMP_Write, 2, Write_Row);
    Put(Window->ECG_SNMP_Write, 2, {{1, "N"}, {7, "temp1"}});
    Dialogs->Boxes.clear();
    EXPECT_TRUE(Press_OK(Window));
    EXPECT_TRUE(Dialogs->Boxes.empty());

    // Two empty descriptions are the same.
    Window->FormShow(Window);
    Put(Window->ECG_SNMP_Read, 1, Read_Row);
    Put(Window->ECG_SNMP_Read, 2, Read_Row);
    Put(Window->ECG_SNMP_Read, 1, {{11, ""}});
    Put(Window->ECG_SNMP_Read, 2, {{11, ""}});
    EXPECT_FALSE(Press_OK(Window));
    EXPECT_EQ(Same, Box_Texts().last());
}
