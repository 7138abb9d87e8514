// The CANopen SDO client and server table windows: their columns, every
// check with its message, the N Byte rule of the addresses, the files OK
// writes and the server's write grid without the window's events.
#include "CANopenTableTest.h"

#include "protocols/fieldbus/USet_SDO_Client_Access.h"
#include "protocols/fieldbus/USet_SDO_Server_Access.h"

namespace {

const QByteArray Client_File =
    "<SDO_Client_CANopen><SDO_Read><row Device_ID=\"5\" Index=\"0x6000\" SubIndex=\"1\" NByte=\"2\""
    " Poll_Time=\"100\" Address_B1=\"0\" Address_B2=\"1\" Address_B3=\"\" Address_B4=\"\" Mnemonic=\"In\"/>"
    "</SDO_Read><SDO_Write><row Device_ID=\"6\" Index=\"0x6200\" SubIndex=\"2\" NByte=\"1\" Poll_Time=\"0\""
    " On_Change=\"Y\" Address_B1=\"3\" Address_B2=\"\" Address_B3=\"\" Address_B4=\"\" Mnemonic=\"Out\"/>"
    "</SDO_Write></SDO_Client_CANopen><!--SW_VERSION = 1.007-->";
const TCells Client_Rows[2] = {{{1, "5"}, {2, "0x6000"}, {3, "1"}, {4, "2"}, {5, "100"}, {6, "0"}, {7, "1"}},
                               {{1, "6"}, {2, "0x6200"}, {3, "2"}, {4, "1"}, {5, "0"}, {7, "3"}}};

const QByteArray Server_File =
    "<SDO_Server_CANopen><SDO_Read><row Index=\"0x2000\" SubIndex=\"1\" NByte=\"1\" Address_B1=\"0\""
    " Address_B2=\"\" Address_B3=\"\" Address_B4=\"\" Mnemonic=\"A\"/></SDO_Read><SDO_Write><row Index=\"0x2000\""
    " SubIndex=\"1\" NByte=\"4\" Address_B1=\"0\" Address_B2=\"1\" Address_B3=\"2\" Address_B4=\"3\""
    " Mnemonic=\"B\"/></SDO_Write></SDO_Server_CANopen><!--SW_VERSION = 1.007-->";
const TCells Server_Rows[2] = {{{1, "0x2000"}, {2, "1"}, {3, "1"}, {4, "0"}},
                               {{1, "0x2000"}, {2, "1"}, {3, "4"}, {4, "0"}, {5, "1"}, {6, "2"}, {7, "3"}}};

struct TColumn_Case {
    TExColumnGrid* Grid;
    Integer Col;
    const char* Header;
    Integer Width;
    TColor Color;
    TEditorType Editor;
};

const TColor Blue = RGB(0xE0, 0xFA, 0xFE);
const TColor Green = RGB(0xA8, 0xFF, 0xA8);
const TColor Pink = RGB(0xFC, 0xD6, 0xF4);

class SDOAccessTest : public CANopenTableTest {
protected:
    void SetUp() override
    {
        CANopenTableTest::SetUp();
        ASSERT_NE(nullptr, FSet_SDO_Client_Access);
        ASSERT_NE(nullptr, FSet_SDO_Server_Access);
        Client = FSet_SDO_Client_Access;
        Server = FSet_SDO_Server_Access;
    }
    static void Expect_Columns(std::initializer_list<TColumn_Case> Columns)
    {
        for (const auto& K : Columns) {
            const TGridColumnItem* Item = K.Grid->Columns()->Items(K.Col);
            EXPECT_EQ(QString::fromUtf8(K.Header), Item->Header()) << K.Col;
            EXPECT_EQ(K.Width, Item->Width()) << K.Header;
            EXPECT_EQ(K.Color, Item->Color()) << K.Header;
            EXPECT_EQ(K.Editor, Item->Editor()) << K.Header;
            EXPECT_TRUE(K.Grid->Options().Contains(goEditing));
        }
    }
    TFSet_SDO_Client_Access* Client = nullptr;
    TFSet_SDO_Server_Access* Server = nullptr;
};

} // namespace

TEST_F(SDOAccessTest, ClientShowingAndColumns)
{
    WriteFile(File_SDO_Client_CANopen, Client_File);
    Client->PageControl1->SetActivePage(Client->TS_SDO_Write);
    Client->FormShow(Client);
    EXPECT_EQ(Client->TS_SDO_Read, Client->PageControl1->ActivePage());
    EXPECT_EQ(1440, Client->PROFINET_NByte_IN);
    EXPECT_EQ(1440, Client->PROFINET_NByte_OUT);
    EXPECT_EQ(257, Client->sga->RowCount());
    EXPECT_EQ(257, Client->sgb->RowCount());
    EXPECT_EQ((QStringList{"1", "5", "0x6000", "1", "2", "100", "0", "1", "", "", "In"}), Row(Client->sga, 1));
    EXPECT_EQ((QStringList{"1", "6", "0x6200", "2", "1", "0", "Y", "3", "", "", "", "Out"}), Row(Client->sgb, 1));
    EXPECT_EQ(QSize(798, 337), QSize(Client->ClientWidth(), Client->ClientHeight()));
    EXPECT_EQ(QStringLiteral("SDO Write"), Client->TS_SDO_Write->Caption());
    Expect_Columns({
        {Client->sga, 1, "ID Device", 60, Blue, edNormal},
        {Client->sga, 2, "Index", 55, Blue, edNormal},
        {Client->sga, 4, "N Byte", 45, Blue, edNormal},
        {Client->sga, 5, "Poll Time", 60, Green, edNormal},
        {Client->sga, 6, "Add Byte1", 70, Pink, edNormal},
        {Client->sga, 10, "Mnemonic", 163, clWhite, edNormal},
        {Client->sgb, 6, "On Change", 68, Green, edDataCheckBox},
        {Client->sgb, 10, "Add Byte4", 70, Pink, edNormal},
        {Client->sgb, 11, "Mnemonic", 95, clWhite, edNormal},
    });
    EXPECT_EQ(10, Client->Hint_SDO_Client_Read->Count());
    EXPECT_EQ(11, Client->Hint_SDO_Client_Write->Count());
}

TEST_F(SDOAccessTest, ClientChecks)
{
    Run_Cases(Client, Client_File, Client_Rows,
              {
                  {0, 1, {{1, "0"}}, "Error row 1!! [SDO Read] Device ID must be between 1 and 127"},
                  {1, 1, {{1, "128"}}, "Error row 1!! [SDO Write] Device ID must be between 1 and 127"},
                  {0, 1, {{2, "0xFFF"}}, "Error row 1!! [SDO Read] Index must be between 0x1000 and 0xFFFF"},
                  {0, 1, {{2, "0x1000"}, {3, "0xFF"}}, nullptr},
                  {1, 1, {{2, "65536"}}, "Error row 1!! [SDO Write] Index must be between 0x1000 and 0xFFFF"},
                  {0, 1, {{3, "256"}}, "Error row 1!! [SDO Read] SubIndex must be between 0x00 and 0xFF"},
                  {1, 1, {{3, ""}}, "Error row 1!! [SDO Write] SubIndex must be between 0x00 and 0xFF"},
                  {0, 1, {{4, "3"}}, "Error row 1!! [SDO Read] N Byte must be 1 or 2 or 4"},
                  {1, 1, {{4, "8"}}, "Error row 1!! [SDO Write] N Byte must be 1 or 2 or 4"},
                  {0, 1, {{5, "0"}}, "Error row 1!! [SDO Read] Poll Time must be between 1 and 100000000"},
                  {1, 1, {{5, "0"}}, nullptr},
                  {1, 1, {{5, "100000001"}}, "Error row 1!! [SDO Write] Poll Time must be between 0 and 100000000"},
                  // N Byte 1 looks at Add Byte1 only, 2 adds Add Byte2, 4 all four.
                  {0, 1, {{4, "1"}, {7, "x"}, {8, "-1"}, {9, "9999"}}, nullptr},
                  {0, 1, {{4, "1"}, {6, "1440"}}, "Error row 1!! [SDO Read] Address Byte1 must be between 0 and 1439"},
                  {0, 1, {{4, "2"}, {7, ""}, {8, "x"}},
                   "Error row 1!! [SDO Read] Address Byte2 must be between 0 and 1439"},
                  {0, 1, {{4, "4"}, {8, "2"}, {9, "1440"}},
                   "Error row 1!! [SDO Read] Address Byte4 must be between 0 and 1439"},
                  {1, 1, {{4, "4"}, {8, "1"}, {9, ""}},
                   "Error row 1!! [SDO Write] Address Byte3 must be between 0 and 1439"},
                  {1, 1, {{4, "2"}, {7, "0"}, {8, "1439"}, {9, "x"}}, nullptr},
                  {1, 1, {{6, "?"}, {11, "<>"}}, nullptr},
                  {1, 2, {{7, "-1"}}, "Error row 2!! [SDO Write] Address Byte1 must be between 0 and 1439"},
                  // An empty ID Device ends the table: the rest of its row is not checked.
                  {0, 2, {{1, ""}, {2, "1"}}, nullptr},
                  {0, 2, {{1, "200"}}, "Error row 2!! [SDO Read] Device ID must be between 1 and 127"},
              });
    // A read failure stops before the write table.
    WriteFile(File_SDO_Client_CANopen, Client_File);
    Client->FormShow(Client);
    Put(Client->sga, 1, {{4, "3"}});
    Put(Client->sgb, 1, {{1, "0"}});
    Dialogs->Boxes.clear();
    EXPECT_FALSE(Press_OK(Client));
    EXPECT_EQ(QStringList{"Error row 1!! [SDO Read] N Byte must be 1 or 2 or 4"}, Box_Texts());
}

TEST_F(SDOAccessTest, ClientOkWritesAnEmptyWriteSection)
{
    WriteFile(File_SDO_Client_CANopen, Client_File);
    Client->FormShow(Client);
    Put(Client->sgb, 1, {{1, "  "}, {5, "-5"}});
    Put(Client->sgb, 2, {{1, "200"}});
    EXPECT_TRUE(Press_OK(Client));
    EXPECT_EQ(QByteArray("<SDO_Client_CANopen><SDO_Read><row Device_ID=\"5\" Index=\"0x6000\" SubIndex=\"1\""
                         " NByte=\"2\" Poll_Time=\"100\" Address_B1=\"0\" Address_B2=\"1\" Address_B3=\"\""
                         " Address_B4=\"\" Mnemonic=\"In\"/></SDO_Read><SDO_Write/></SDO_Client_CANopen>"
                         "<!--SW_VERSION = 1.007-->"),
              File_Bytes(File_SDO_Client_CANopen));
}

TEST_F(SDOAccessTest, ServerShowingColumnsAndTheBareWriteGrid)
{
    WriteFile(File_SDO_Server_CANopen, Server_File);
    Server->FormShow(Server);
    EXPECT_EQ(Server->TS_SDO_Read, Server->PageControl1->ActivePage());
    EXPECT_EQ(501, Server->sga->RowCount());
    EXPECT_EQ(501, Server->sgb->RowCount());
    EXPECT_EQ((QStringList{"1", "0x2000", "1", "1", "0", "", "", "", "A"}), Row(Server->sga, 1));
    EXPECT_EQ((QStringList{"1", "0x2000", "1", "4", "0", "1", "2", "3", "B"}), Row(Server->sgb, 1));
    EXPECT_EQ(QSize(749, 337), QSize(Server->ClientWidth(), Server->ClientHeight()));
    EXPECT_EQ(QStringLiteral("SDO in Read"), Server->TS_SDO_Read->Caption());
    EXPECT_EQ(QStringLiteral("SDO in Write"), Server->TS_SDO_Write->Caption());
    Expect_Columns({
        {Server->sga, 1, "Index", 65, Blue, edNormal},
        {Server->sga, 2, "SubIndex", 61, Blue, edNormal},
        {Server->sga, 3, "N Byte", 55, Blue, edNormal},
        {Server->sga, 4, "Add Byte1", 80, Pink, edNormal},
        {Server->sga, 8, "Mnemonic", 170, clWhite, edNormal},
        {Server->sgb, 7, "Add Byte4", 80, Pink, edNormal},
        {Server->sgb, 8, "Mnemonic", 170, clWhite, edNormal},
    });
    EXPECT_EQ(8, Server->Hint_SDO_Client_Read->Count());
    EXPECT_EQ(8, Server->Hint_SDO_Client_Write->Count());
    EXPECT_EQ(Lang.Strings(2749), Server->Hint_SDO_Client_Write->Strings(7));

    // The read grid has the window's events, the write grid none.
    String Hint;
    Server->sga->OnGridHint(Server->sga, 0, 1, Hint);
    EXPECT_EQ(Lang.Strings(2734), Hint);
    Server->sga->OnClickCell(Server->sga, 4, 0);
    EXPECT_EQ(4, Server->sga->Selection().Top);
    EXPECT_FALSE(Server->sgb->OnGridHint);
    EXPECT_FALSE(Server->sgb->OnClickCell);
    EXPECT_FALSE(Server->sgb->OnDblClickCell);
    EXPECT_FALSE(Server->sgb->OnKeyPress);
    EXPECT_FALSE(Server->sgb->ShowHint());
}

TEST_F(SDOAccessTest, ServerChecks)
{
    Run_Cases(Server, Server_File, Server_Rows,
              {
                  {0, 1, {{1, "0x1FFF"}}, "Error row 1!! [SDO in Read] Index must be between 0x2000 and 0x5FFF"},
                  {0, 1, {{1, "0x5FFF"}}, nullptr},
                  {1, 1, {{1, "24576"}}, "Error row 1!! [SDO in Write] Index must be between 0x2000 and 0x5FFF"},
                  {0, 1, {{2, "256"}}, "Error row 1!! [SDO in Read] SubIndex must be between 0x00 and 0xFF"},
                  {1, 1, {{2, "-1"}}, "Error row 1!! [SDO in Write] SubIndex must be between 0x00 and 0xFF"},
                  {0, 1, {{3, "0"}}, "Error row 1!! [SDO in Read] N Byte must be 1 or 2 or 4"},
                  {1, 1, {{3, "3"}}, "Error row 1!! [SDO in Write] N Byte must be 1 or 2 or 4"},
                  // N Byte 2 looks at Add Byte1 and Add Byte2 only.
                  {0, 1, {{3, "2"}, {5, "1439"}, {6, "x"}, {7, "-1"}}, nullptr},
                  {0, 1, {{3, "2"}, {5, "1440"}},
                   "Error row 1!! [SDO in Read] Address Byte2 must be between 0 and 1439"},
                  {0, 1, {{3, "1"}, {4, ""}}, "Error row 1!! [SDO in Read] Address Byte1 must be between 0 and 1439"},
                  {1, 1, {{7, "1440"}}, "Error row 1!! [SDO in Write] Address Byte4 must be between 0 and 1439"},
                  {1, 1, {{6, "x"}}, "Error row 1!! [SDO in Write] Address Byte3 must be between 0 and 1439"},
                  // The same index and sub-index on both pages and twice on one.
                  {0, 2, {}, nullptr},
                  {1, 3, {{2, "0x100"}}, "Error row 3!! [SDO in Write] SubIndex must be between 0x00 and 0xFF"},
              });
}

TEST_F(SDOAccessTest, ServerOkWritesAnEmptyReadSectionAndStillChecksWrites)
{
    WriteFile(File_SDO_Server_CANopen, Server_File);
    Server->FormShow(Server);
    Put(Server->sga, 1, {{1, ""}, {3, "9"}});
    Put(Server->sgb, 1, {{3, "3"}});
    EXPECT_FALSE(Press_OK(Server));
    EXPECT_EQ(QStringList{"Error row 1!! [SDO in Write] N Byte must be 1 or 2 or 4"}, Box_Texts());
    Put(Server->sgb, 1, {{3, "4"}});
    EXPECT_TRUE(Press_OK(Server));
    EXPECT_EQ(QByteArray("<SDO_Server_CANopen><SDO_Read/><SDO_Write><row Index=\"0x2000\" SubIndex=\"1\""
                         " NByte=\"4\" Address_B1=\"0\" Address_B2=\"1\" Address_B3=\"2\" Address_B4=\"3\""
                         " Mnemonic=\"B\"/></SDO_Write></SDO_Server_CANopen><!--SW_VERSION = 1.007-->"),
              File_Bytes(File_SDO_Server_CANopen));
}

// Copy on one page, paste on the other: refused on both windows; a file
// without a section is reported and OK asks before replacing it.
TEST_F(SDOAccessTest, CopyFlagsAndDamagedFiles)
{
    const struct {
        TTable_Form* Window;
        QByteArray No_Section;
        const char* Missing;
    } Cases[] = {
        {Client, "<SDO_Client_CANopen><SDO_Read/></SDO_Client_CANopen>", "SDO_Write"},
        {Server, "<SDO_Server_CANopen><SDO_Write/></SDO_Server_CANopen>", "SDO_Read"},
    };
    for (const auto& C : Cases) {
        TTable_Form* W = C.Window;
        SCOPED_TRACE(C.Missing);
        W->FormShow(W);
        W->Table(0).Grid->SetRow(1);
        W->Btn_CopyRowClick(nullptr);
        W->PageControl1->SetActivePage(W->Table(1).Sheet);
        Dialogs->Boxes.clear();
        W->Btn_PasteRowClick(nullptr);
        EXPECT_EQ(QStringList{Lang.Strings(1502)}, Box_Texts());

        WriteFile(W->File_Name(), C.No_Section);
        Dialogs->Boxes.clear();
        W->FormShow(W);
        ASSERT_EQ(1u, Dialogs->Boxes.size());
        EXPECT_TRUE(Box_Texts()[0].startsWith(LangFormat(1508, {W->File_Name(), String()})));
        EXPECT_TRUE(Box_Texts()[0].contains(QLatin1String(C.Missing)));
        EXPECT_FALSE(W->Table(0).Copied);
        Dialogs->Boxes.clear();
        Dialogs->BoxAnswers = {mrNo};
        EXPECT_FALSE(Press_OK(W));
        EXPECT_EQ(QStringList{LangFormat(1507, {W->File_Name()})}, Box_Texts());
        EXPECT_EQ(C.No_Section, File_Bytes(W->File_Name()));
    }
}
