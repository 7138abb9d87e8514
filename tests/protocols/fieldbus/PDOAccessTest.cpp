// The CANopen PDO table window: its columns, the showing, every check with
// its message, the file OK writes and the copy flags of the two pages.
#include "CANopenTableTest.h"

#include "protocols/fieldbus/USet_PDO_Access.h"

#include "common/ShowForm.h"

namespace {

const QByteArray Good_File =
    "<PDO_CANopen><Receive_PDO><row COB-ID=\"0x181\" Dimension=\"2\" Address_B1=\"0\" Address_B2=\"1\""
    " Address_B3=\"\" Address_B4=\"\" Address_B5=\"\" Address_B6=\"\" Address_B7=\"\" Address_B8=\"\""
    " TimeOut=\"100\" Mnemonic=\"Speed\"/></Receive_PDO><Transmit_PDO><row COB-ID=\"0x201\" Dimension=\"1\""
    " Address_B1=\"4\" Address_B2=\"\" Address_B3=\"\" Address_B4=\"\" Address_B5=\"\" Address_B6=\"\""
    " Address_B7=\"\" Address_B8=\"\" Send_Time=\"50\" On_Change=\"Y\" Mnemonic=\"Set\"/></Transmit_PDO>"
    "</PDO_CANopen><!--SW_VERSION = 1.007-->";

const TCells Good_Rows[2] = {{{1, "0x181"}, {2, "2"}, {3, "0"}, {4, "1"}, {11, "100"}},
                             {{1, "0x201"}, {2, "1"}, {3, "4"}, {11, "50"}}};

class PDOAccessTest : public CANopenTableTest {
protected:
    void SetUp() override
    {
        CANopenTableTest::SetUp();
        ASSERT_NE(nullptr, FSet_PDO_Access);
        W = FSet_PDO_Access;
    }
    TFSet_PDO_Access* W = nullptr;
};

} // namespace

TEST_F(PDOAccessTest, TheShowingClearsBothPagesAndLoadsTheFile)
{
    WriteFile(File_PDO_CANopen, Good_File);
    W->PageControl1->SetActivePage(W->TS_Transmit_PDO);
    W->PROFINET_NByte_IN = 5;
    W->sga->SetCells(1, 30, QStringLiteral("stale"));
    W->FormShow(W);
    EXPECT_EQ(W->TS_Receive_PDO, W->PageControl1->ActivePage());
    EXPECT_EQ(1440, W->PROFINET_NByte_IN);
    EXPECT_EQ(1440, W->PROFINET_NByte_OUT);
    EXPECT_EQ((QStringList{"1", "0x181", "2", "0", "1", "", "", "", "", "", "", "100", "Speed"}), Row(W->sga, 1));
    EXPECT_EQ((QStringList{"1", "0x201", "1", "4", "", "", "", "", "", "", "", "50", "Y", "Set"}), Row(W->sgb, 1));
    EXPECT_EQ((QStringList{"30", "", "", "", "", "", "", "", "", "", "", "", ""}), Row(W->sga, 30));
    EXPECT_EQ(31, W->sga->RowCount());
    EXPECT_EQ(31, W->sgb->RowCount());
    EXPECT_EQ(QSize(798, 337), QSize(W->ClientWidth(), W->ClientHeight()));
    EXPECT_EQ(QStringLiteral("Receive PDO"), W->TS_Receive_PDO->Caption());
    EXPECT_EQ(QStringLiteral("Transmit PDO"), W->TS_Transmit_PDO->Caption());

    const struct {
        TExColumnGrid* Grid;
        Integer Col;
        const char* Header;
        Integer Width;
        TColor Color;
        TEditorType Editor;
    } Columns[] = {
        {W->sga, 1, "COB-ID", 65, RGB(0xE0, 0xFA, 0xFE), edNormal},
        {W->sga, 2, "Dimension", 65, RGB(0xE0, 0xFA, 0xFE), edNormal},
        {W->sga, 3, "Add B1", 45, RGB(0xFC, 0xD6, 0xF4), edNormal},
        {W->sga, 10, "Add B8", 45, RGB(0xFC, 0xD6, 0xF4), edNormal},
        {W->sga, 11, "TimeOut", 65, RGB(0xA8, 0xFF, 0xA8), edNormal},
        {W->sga, 12, "Mnemonic", 173, clWhite, edNormal},
        {W->sgb, 11, "Send Time", 65, RGB(0xA8, 0xFF, 0xA8), edNormal},
        {W->sgb, 12, "On Change", 68, RGB(0xA8, 0xFF, 0xA8), edDataCheckBox},
        {W->sgb, 13, "Mnemonic", 105, clWhite, edNormal},
    };
    for (const auto& K : Columns) {
        const TGridColumnItem* Item = K.Grid->Columns()->Items(K.Col);
        EXPECT_EQ(QString::fromUtf8(K.Header), Item->Header()) << K.Col;
        EXPECT_EQ(K.Width, Item->Width()) << K.Header;
        EXPECT_EQ(K.Color, Item->Color()) << K.Header;
        EXPECT_EQ(K.Editor, Item->Editor()) << K.Header;
    }
    EXPECT_EQ(QStringLiteral("Y"), W->sgb->Columns()->Items(12)->CheckTrue());
    EXPECT_EQ(QStringLiteral("N"), W->sgb->Columns()->Items(12)->CheckFalse());
    for (TExColumnGrid* Grid : {W->sga, W->sgb}) {
        // The cells are edited in place.
        EXPECT_TRUE(Grid->Options().Contains(goEditing));
        EXPECT_EQ(QStringLiteral("N"), Grid->Columns()->Items(0)->Header());
        EXPECT_EQ(40, Grid->Columns()->Items(0)->Width());
    }
    EXPECT_EQ(12, W->Hint_PDO_Receive->Count());
    EXPECT_EQ(13, W->Hint_PDO_Transmit->Count());
    String Hint;
    W->sgb->OnGridHint(W->sgb, 0, 12, Hint);
    EXPECT_EQ(Lang.Strings(2566), Hint);
}

TEST_F(PDOAccessTest, EveryCheckGivesItsMessageAndLeavesTheFile)
{
    Run_Cases(W, Good_File, Good_Rows,
              {
                  {0, 1, {{1, "0x7FF"}}, nullptr},
                  {0, 1, {{1, "0x800"}}, "Error row 1!! [Receive PDO] COB-ID must be between 0x000 and 0x7FF"},
                  {0, 1, {{1, "-1"}}, "Error row 1!! [Receive PDO] COB-ID must be between 0x000 and 0x7FF"},
                  {1, 1, {{1, "0x800"}}, "Error row 1!! [Transmit PDO] COB-ID must be between 0x000 and 0x7FF"},
                  {0, 1, {{2, "0"}}, "Error row 1!! [Receive PDO] Dimension must be between 1 and 8"},
                  {0, 1, {{2, "9"}}, "Error row 1!! [Receive PDO] Dimension must be between 1 and 8"},
                  {1, 1, {{2, "two"}}, "Error row 1!! [Transmit PDO] Dimension must be between 1 and 8"},
                  {0, 1, {{2, "2"}, {3, "10"}, {4, ""}},
                   "Error row 1!! [Receive PDO] Address Byte2 must be between 0 and 1439"},
                  {0, 1, {{3, "1440"}}, "Error row 1!! [Receive PDO] Address Byte1 must be between 0 and 1439"},
                  // Addresses beyond the Dimension are not looked at.
                  {0, 1, {{2, "1"}, {4, "x"}, {10, "-5"}}, nullptr},
                  {1, 1, {{2, "8"}, {4, "1"}, {5, "2"}, {6, "3"}, {7, "4"}, {8, "5"}, {9, "6"}, {10, "1440"}},
                   "Error row 1!! [Transmit PDO] Address Byte8 must be between 0 and 1439"},
                  {1, 1, {{2, "3"}, {4, "1439"}, {5, "$5A0"}},
                   "Error row 1!! [Transmit PDO] Address Byte3 must be between 0 and 1439"},
                  {0, 1, {{11, "65536"}}, "Error row 1!! [Receive PDO] TimeOut must be between 0 and 65535"},
                  {0, 1, {{11, ""}}, "Error row 1!! [Receive PDO] TimeOut must be between 0 and 65535"},
                  {1, 1, {{11, "65536"}}, nullptr},
                  {1, 1, {{11, "100000001"}}, "Error row 1!! [Transmit PDO] Send Time must be between 0 and 100000000"},
                  // On Change and Mnemonic are not checked.
                  {1, 1, {{12, "maybe"}, {13, "<&>"}}, nullptr},
                  {0, 3, {{3, "-1"}}, "Error row 3!! [Receive PDO] Address Byte1 must be between 0 and 1439"},
                  // The receive table fails first; the transmit table is not looked at.
                  {0, 2, {{2, "9"}}, "Error row 2!! [Receive PDO] Dimension must be between 1 and 8"},
              });
    // Both tables at fault: only the receive table's message.
    WriteFile(File_PDO_CANopen, Good_File);
    W->FormShow(W);
    Put(W->sgb, 1, {{1, "4000"}});
    Put(W->sga, 1, {{11, "70000"}});
    Dialogs->Boxes.clear();
    EXPECT_FALSE(Press_OK(W));
    EXPECT_EQ(QStringList{"Error row 1!! [Receive PDO] TimeOut must be between 0 and 65535"}, Box_Texts());
}

TEST_F(PDOAccessTest, OkWritesBothSectionsUpToTheFirstEmptyCOBID)
{
    W->FormShow(W);
    Put(W->sga, 1, {{1, " "}, {2, "1"}});
    Put(W->sga, 2, {{1, "0x181"}, {2, "1"}, {3, "0"}, {11, "0"}});
    Put(W->sgb, 1, {{1, "0x201"}, {2, "1"}, {3, "1439"}, {11, "0"}, {12, "N"}});
    Put(W->sgb, 2, {{1, "0x202"}, {2, "1"}, {3, "0"}, {11, "0"}});
    Put(W->sgb, 4, {{1, "0x203"}, {2, "99"}});
    EXPECT_TRUE(Press_OK(W));
    EXPECT_EQ(QByteArray("<PDO_CANopen><Receive_PDO/><Transmit_PDO><row COB-ID=\"0x201\" Dimension=\"1\""
                         " Address_B1=\"1439\" Address_B2=\"\" Address_B3=\"\" Address_B4=\"\" Address_B5=\"\""
                         " Address_B6=\"\" Address_B7=\"\" Address_B8=\"\" Send_Time=\"0\" On_Change=\"N\""
                         " Mnemonic=\"\"/><row COB-ID=\"0x202\" Dimension=\"1\" Address_B1=\"0\" Address_B2=\"\""
                         " Address_B3=\"\" Address_B4=\"\" Address_B5=\"\" Address_B6=\"\" Address_B7=\"\""
                         " Address_B8=\"\" Send_Time=\"0\" On_Change=\"\" Mnemonic=\"\"/></Transmit_PDO>"
                         "</PDO_CANopen><!--SW_VERSION = 1.007-->"),
              File_Bytes(File_PDO_CANopen));
}

TEST_F(PDOAccessTest, CopyFlagsBelongToOnePageAndOneShowing)
{
    WriteFile(File_PDO_CANopen, Good_File);
    W->FormShow(W);
    W->sga->SetRow(1);
    W->Btn_CopyRowClick(nullptr);
    EXPECT_TRUE(W->Table(0).Copied);
    W->PageControl1->SetActivePage(W->TS_Transmit_PDO);
    W->sgb->SetRow(3);
    W->Btn_PasteRowClick(nullptr);
    EXPECT_EQ(QStringList{Lang.Strings(1502)}, Box_Texts());
    EXPECT_EQ(QString(), W->sgb->Cells(1, 3));

    // A copy on the transmit page clears the receive page's flag.
    W->sgb->SetRow(1);
    W->Btn_CopyRowClick(nullptr);
    EXPECT_FALSE(W->Table(0).Copied);
    W->sgb->SetRow(3);
    W->Btn_PasteRowClick(nullptr);
    EXPECT_EQ(Row(W->sgb, 1).mid(1), Row(W->sgb, 3).mid(1));

    // A later showing that stops at a damaged file forgets the copy too.
    WriteFile(File_PDO_CANopen, "<PDO_CANopen><Receive_PDO><row");
    W->FormShow(W);
    EXPECT_FALSE(W->Table(0).Copied);
    EXPECT_FALSE(W->Table(1).Copied);
    W->PageControl1->SetActivePage(W->TS_Transmit_PDO);
    Dialogs->Boxes.clear();
    W->Btn_PasteRowClick(nullptr);
    EXPECT_EQ(QStringList{Lang.Strings(1502)}, Box_Texts());
}

TEST_F(PDOAccessTest, AFileWithoutASectionIsReportedAndReplacedOnlyOnYes)
{
    const QByteArray Damaged = "<PDO_CANopen><Receive_PDO><row COB-ID=\"0x181\" Dimension=\"1\" Address_B1=\"0\""
                               " Address_B2=\"\" Address_B3=\"\" Address_B4=\"\" Address_B5=\"\" Address_B6=\"\""
                               " Address_B7=\"\" Address_B8=\"\" TimeOut=\"0\" Mnemonic=\"\"/></Receive_PDO>"
                               "</PDO_CANopen>";
    const QByteArray No_Attribute = "<PDO_CANopen><Receive_PDO><row COB-ID=\"0x181\"/></Receive_PDO>"
                                    "<Transmit_PDO/></PDO_CANopen>";
    for (const QByteArray& File : {Damaged, No_Attribute}) {
        SCOPED_TRACE(File.toStdString());
        WriteFile(File_PDO_CANopen, File);
        Dialogs->Boxes.clear();
        W->FormShow(W);
        ASSERT_EQ(1u, Dialogs->Boxes.size());
        EXPECT_TRUE(Box_Texts()[0].startsWith(LangFormat(1508, {File_PDO_CANopen, String()})));
        EXPECT_EQ(QStringLiteral("0x181"), W->sga->Cells(1, 1));

        // The rows pass their checks; OK asks before replacing the file.
        Put(W->sga, 1, Good_Rows[0]);
        Dialogs->Boxes.clear();
        Dialogs->BoxAnswers = {mrNo};
        EXPECT_FALSE(Press_OK(W));
        EXPECT_EQ(QStringList{LangFormat(1507, {File_PDO_CANopen})}, Box_Texts());
        EXPECT_EQ(File, File_Bytes(File_PDO_CANopen));
    }
    Dialogs->BoxAnswers = {mrYes};
    EXPECT_TRUE(Press_OK(W));
    EXPECT_TRUE(File_Bytes(File_PDO_CANopen).contains("<Transmit_PDO/>"));
}

TEST_F(PDOAccessTest, AClickOnTheNumberSelectsTheRowOfThatGrid)
{
    W->FormShow(W);
    for (TExColumnGrid* Grid : {W->sga, W->sgb}) {
        Grid->OnClickCell(Grid, 4, 0);
        EXPECT_EQ(4, Grid->Selection().Top);
        EXPECT_EQ(4, Grid->Selection().Bottom);
    }
}

// The cells take typed text in place, and the On Change box toggles "Y" / "N".
TEST_F(PDOAccessTest, CellsAreEditedInPlace)
{
    ShowWithFocus(W, W->sga);
    const auto Key = [](Qt::Key K) {
        QTest::keyClick(QApplication::focusWidget(), K);
        QApplication::processEvents();
    };
    W->sga->MoveToCell(1, 2);
    Key(Qt::Key_F2);
    QTest::keyClicks(QApplication::focusWidget(), "0x185");
    Key(Qt::Key_Return);
    EXPECT_EQ(QStringLiteral("0x185"), W->sga->Cells(1, 2));

    W->PageControl1->SetActivePage(W->TS_Transmit_PDO);
    W->sgb->SetFocus();
    W->sgb->SetCells(12, 1, QStringLiteral("N"));
    W->sgb->MoveToCell(12, 1);
    QApplication::processEvents();
    Key(Qt::Key_Space);
    EXPECT_EQ(QStringLiteral("Y"), W->sgb->Cells(12, 1));
    W->Hide();
}
