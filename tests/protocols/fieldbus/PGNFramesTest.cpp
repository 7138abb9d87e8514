// The J1939 and NMEA 2000 frame tables: their columns, the showing and
// loading with the attribute defaults (and the older trigger attribute),
// the checks with their messages, the byte sums over the rows and the file
// OK writes.
#include "protocols/ethernet/TableWindowTest.h"

#include "protocols/fieldbus/UReceiveJ1939.h"
#include "protocols/fieldbus/UReceiveNMEA.h"
#include "protocols/fieldbus/UTransmitJ1939.h"
#include "protocols/fieldbus/UTransmitNMEA.h"
#include "shell/UComon.h"

#include <vector>

namespace {

using TCells = std::vector<std::pair<Integer, const char*>>;

QStringList Combo_Items(TExColumnGrid* Grid, Integer ACol)
{
    const TStringList* Items = Grid->Columns()->Items(ACol)->ComboItems();
    QStringList L;
    for (Integer I = 0; I < Items->Count(); ++I)
        L << Items->Strings(I);
    return L;
}

enum TWindow { J1939_Rx, J1939_Tx, NMEA_Rx, NMEA_Tx };

// A row of each window that passes every check and counts 8 bytes.
const TCells Good_Rows[] = {
    {{1, "0"}, {2, "0xFEF1"}, {3, "0"}},
    {{1, "3"}, {2, "0"}, {3, "0xFEF1"}, {4, "0"}, {5, "8"}},
    {{1, "0x1F801"}, {2, "0"}},
    {{1, "2"}, {2, "0x1F801"}, {3, "0"}, {5, "8"}},
};

class PGNFramesTest : public TableWindowTest {
protected:
    void SetUp() override
    {
        TableWindowTest::SetUp();
        Windows = {FReceiveJ1939, FTransmitJ1939, FReceiveNMEA, FTransmitNMEA};
        for (TTable_Form* W : Windows)
            ASSERT_NE(nullptr, W);
    }
    TExColumnGrid* Grid(TWindow W) { return Windows[W]->Table(0).Grid; }
    void Fill(TWindow W, Integer ARow, const TCells& Cells)
    {
        for (const auto& [C, Text] : Cells)
            Grid(W)->SetCells(C, ARow, QString::fromUtf8(Text));
    }
    QStringList Row(TWindow W, Integer ARow)
    {
        QStringList L;
        for (Integer C = 1; C < Grid(W)->ColCount(); ++C)
            L << Grid(W)->Cells(C, ARow);
        return L;
    }

    std::vector<TTable_Form*> Windows;
};

} // namespace

TEST_F(PGNFramesTest, AFreshShowGivesNumberedEmptyRowsAndTheColumns)
{
    const struct {
        TWindow W;
        Integer Rows, Cols, Width;
        Integer Col;
        const char* Header;
        Integer Col_Width;
        TColor Color;
        TEditorType Editor;
    } Cases[] = {
        {J1939_Rx, 513, 11, 876, 1, "Data Page", 65, RGB(0xE0, 0xFA, 0xFE), edComboList},
        {J1939_Rx, 513, 11, 876, 4, "Transport Protocol", 113, RGB(0xFF, 0xFF, 0xA8), edDataCheckBox},
        {J1939_Rx, 513, 11, 876, 9, "Time(ms)", 65, RGB(0xFF, 0xD8, 0xB0), edNormal},
        {J1939_Rx, 513, 11, 876, 10, "Mnemonic", 120, clWhite, edNormal},
        {J1939_Tx, 513, 11, 800, 5, "N Bytes", 60, RGB(0xFF, 0xFF, 0xA8), edNormal},
        {J1939_Tx, 513, 11, 800, 8, "On Timer", 60, RGB(0xCA, 0xFF, 0xCA), edDataCheckBox},
        {NMEA_Rx, 63, 9, 810, 4, "Fast Packet", 73, RGB(0xFF, 0xFF, 0xA8), edDataCheckBox},
        {NMEA_Rx, 63, 9, 810, 7, "Cancel Data", 74, RGB(0xFC, 0xD6, 0xF4), edDataCheckBox},
        {NMEA_Rx, 63, 9, 810, 8, "Mnemonic", 195, clWindow, edNormal},
        {NMEA_Tx, 63, 11, 810, 4, "Fast Packet", 75, RGB(0xFC, 0xD6, 0xF4), edDataCheckBox},
        {NMEA_Tx, 63, 11, 810, 9, "Send Timer", 75, RGB(0xCA, 0xFF, 0xCA), edNormal},
    };
    for (const auto& K : Cases) {
        TTable_Form* Window = Windows[K.W];
        Window->FormShow(Window);
        TExColumnGrid* G = Grid(K.W);
        ASSERT_EQ(K.Rows, G->RowCount()) << K.Header;
        EXPECT_EQ(K.Cols, G->ColCount()) << K.Header;
        EXPECT_EQ(K.Width, Window->ClientWidth()) << K.Header;
        for (Integer R : {1, K.Rows - 1}) {
            EXPECT_EQ(QString::number(R), G->Cells(0, R));
            EXPECT_EQ(QStringList(Row(K.W, R).size(), String()), Row(K.W, R)) << K.Header;
        }
        const TGridColumnItem* Item = G->Columns()->Items(K.Col);
        EXPECT_EQ(QString::fromUtf8(K.Header), Item->Header());
        EXPECT_EQ(K.Col_Width, Item->Width()) << K.Header;
        EXPECT_EQ(K.Color, Item->Color()) << K.Header;
        EXPECT_EQ(K.Editor, Item->Editor()) << K.Header;
    }
    EXPECT_EQ((QStringList{"0", "1"}), Combo_Items(Grid(J1939_Rx), 1));
    EXPECT_EQ((QStringList{"0", "1"}), Combo_Items(Grid(J1939_Tx), 2));
    String Hint;
    Grid(NMEA_Tx)->OnGridHint(Grid(NMEA_Tx), 0, 10, Hint);
    EXPECT_EQ(QStringLiteral("Insert a description of the NMEA 2000 Frame"), Hint);
}

TEST_F(PGNFramesTest, LoadingGivesTheDefaultsAndReadsTheOlderTrigger)
{
    WriteFile(File_J1939_Rec_Frames, "<Receive_J1939><row PGN=\"1\"/><row PGN=\"2\" TP=\"Y\" OnReq_Time=\"\"/>"
                                     "</Receive_J1939>");
    FReceiveJ1939->FormShow(FReceiveJ1939);
    EXPECT_EQ((QStringList{"", "1", "", "N", "", "", "N", "N", "1000", ""}), Row(J1939_Rx, 1));
    EXPECT_EQ((QStringList{"", "2", "", "Y", "", "", "N", "N", "", ""}), Row(J1939_Rx, 2));

    WriteFile(File_J1939_Send_Frames,
              "<Transmit_J1939><row PGN=\"1\"/>"
              "<row PGN=\"2\" TP_NByte=\"\" T_Type=\"on TIMER\" On_Request=\"Y\" On_Data_Change=\"Y\"/>"
              "<row PGN=\"3\" TP_NByte=\"4\" T_Type=\"On Data Change\"/>"
              "<row PGN=\"4\" T_Type=\"On Request\" On_Request=\"Y\"/>"
              "<row PGN=\"5\" On_Request=\"Y\" On_Timer=\"Y\" SendTimer=\"10\"/></Transmit_J1939>");
    FTransmitJ1939->FormShow(FTransmitJ1939);
    EXPECT_EQ((QStringList{"", "", "1", "", "8", "N", "N", "N", "", ""}), Row(J1939_Tx, 1));
    EXPECT_EQ((QStringList{"", "", "2", "", "8", "N", "N", "Y", "", ""}), Row(J1939_Tx, 2));
    EXPECT_EQ((QStringList{"", "", "3", "", "4", "N", "Y", "N", "", ""}), Row(J1939_Tx, 3));
    EXPECT_EQ((QStringList{"", "", "4", "", "8", "N", "N", "N", "", ""}), Row(J1939_Tx, 4));
    EXPECT_EQ((QStringList{"", "", "5", "", "8", "Y", "N", "Y", "10", ""}), Row(J1939_Tx, 5));

    WriteFile(File_NMEA_Rec_Frames, "<Receive_NMEA_2000><row PGN=\"1\"/></Receive_NMEA_2000>");
    FReceiveNMEA->FormShow(FReceiveNMEA);
    EXPECT_EQ((QStringList{"1", "", "N", "N", "", "", "N", ""}), Row(NMEA_Rx, 1));
    WriteFile(File_NMEA_Send_Frames, "<Receive_NMEA_2000><row PGN=\"1\"/></Receive_NMEA_2000>");
    FTransmitNMEA->FormShow(FTransmitNMEA);
    EXPECT_EQ((QStringList{"", "1", "", "N", "", "N", "N", "N", "", ""}), Row(NMEA_Tx, 1));
}

TEST_F(PGNFramesTest, EachCheckGivesItsMessageAndLeavesTheFile)
{
    const struct {
        TWindow W;
        // Cells of row 1 over the good row; more rows repeat the good row.
        TCells Cells;
        const char* Message; // null: passes
        Integer Rows = 1;
    } Cases[] = {
        {J1939_Rx, {{1, ""}}, "Error in row 1!! Data Page must be 0 or 1"},
        {J1939_Rx, {{2, "0x10000"}}, "Error in row 1!! PGN must be between 0x0000 and 0xFFFF"},
        // A PGN of blanks does not end the table: it is checked.
        {J1939_Rx, {{2, " "}}, "Error in row 1!! PGN must be between 0x0000 and 0xFFFF"},
        {J1939_Rx, {{3, "240"}}, "Error in row 1!! Source Address must be between 0 and 239"},
        {J1939_Rx, {{4, "Y"}, {5, "1786"}, {6, "0"}}, "Error in row 1!! Start Byte must be between 0 and 1785"},
        {J1939_Rx, {{4, "Y"}, {5, "1000"}, {6, "785"}}, nullptr},
        {J1939_Rx, {{4, "Y"}, {5, "1000"}, {6, "786"}},
         "Error in row 1!! Start Byte plus Number Bytes must be between 0 and 1785"},
        {J1939_Rx, {{4, "Y"}, {5, "0"}, {6, ""}}, "Error in row 1!! Start Byte plus Number Bytes must be between 0 and 1785"},
        {J1939_Rx, {{5, "3"}, {6, "5"}}, nullptr},
        {J1939_Rx, {{5, "3"}, {6, "6"}}, "Error in row 1!! The Number Bytes plus Start Byte must be minor of 9"},
        {J1939_Rx, {{5, "3"}}, "Error in row 1!! Start Byte and Number Bytes must be both compiled"},
        {J1939_Rx, {{6, "3"}}, "Error in row 1!! Start Byte and Number Bytes must be both compiled"},
        {J1939_Rx, {{5, "0"}, {6, "1"}}, "Error in row 1!! The Start Byte must be between 1 and 8"},
        {J1939_Rx, {{5, "1"}, {6, "9"}}, "Error in row 1!! The Number Bytes must be between 1 and 8"},
        {J1939_Rx, {{8, "Y"}, {9, "1"}}, "Error in row 1!! Time(ms) must be between 0 and 10000000"},
        {J1939_Rx, {{8, "Y"}, {9, "2"}}, nullptr},
        {J1939_Rx, {{8, "Y"}, {9, "10000001"}}, "Error in row 1!! Time(ms) must be between 0 and 10000000"},
        {J1939_Rx, {{8, "N"}, {9, "x"}}, nullptr},
        // 180 whole frames fill the 1440 bytes; the 181st is one too many.
        {J1939_Rx, {}, nullptr, 180},
        {J1939_Rx, {}, "Error!! Too many bytes of data, the max number is 1440", 181},
        {J1939_Tx, {{1, "8"}}, "Error in row 1!! Priority must be between 0 and 7"},
        {J1939_Tx, {{1, ""}}, "Error in row 1!! Priority must be between 0 and 7"},
        {J1939_Tx, {{2, ""}}, "Error in row 1!! Data Page must be 0 or 1"},
        {J1939_Tx, {{3, "0x1FFFF"}}, nullptr},
        {J1939_Tx, {{3, "0x20000"}}, "Error in row 1!! PGN must be between 0x00000 and 0x1FFFF"},
        {J1939_Tx, {{4, "255"}}, nullptr},
        {J1939_Tx, {{4, "256"}}, "Error in row 1!! Source Address must be between 0 and 255"},
        {J1939_Tx, {{5, "513"}}, "Error in row 1!! Num Byte must be between 0 and 512"},
        {J1939_Tx, {{5, "512"}}, nullptr},
        {J1939_Tx, {{5, "300"}}, "Error!! Too many bytes of data, the max number is 512", 2},
        {J1939_Tx, {{8, "Y"}, {9, "0"}}, "Error in row 1!! Send Timer must be between 1 and 65535 ms"},
        {J1939_Tx, {{8, "Y"}, {9, "65535"}}, nullptr},
        {NMEA_Rx, {{1, "0x20000"}}, "Error in row 1!! PGN must be between 0x00000 and 0x1FFFF"},
        {NMEA_Rx, {{2, "240"}}, "Error in row 1!! Source Address must be between 0 and 239"},
        // Transport Protocol wins over Fast Packet.
        {NMEA_Rx, {{3, "Y"}, {4, "Y"}, {5, "1000"}, {6, "100"}}, nullptr},
        {NMEA_Rx, {{3, "Y"}, {5, "1786"}, {6, "0"}}, "Error in row 1!! Start Byte must be between 0 and 1785"},
        {NMEA_Rx, {{4, "Y"}, {5, "200"}, {6, "23"}}, nullptr},
        {NMEA_Rx, {{4, "Y"}, {5, "200"}, {6, "24"}},
         "Error in row 1!! Start Byte plus Number Bytes must be between 0 and 223"},
        {NMEA_Rx, {{4, "Y"}, {5, "224"}, {6, "0"}}, "Error in row 1!! Start Byte must be between 0 and 223"},
        {NMEA_Rx, {{5, "8"}, {6, "1"}}, "Error in row 1!! The Number Bytes plus Start Byte must be minor of 9"},
        {NMEA_Rx, {{5, " "}, {6, "1"}}, "Error in row 1!! Start Byte and Number Bytes must be both compiled"},
        {NMEA_Rx, {{4, "Y"}, {5, "0"}, {6, "200"}}, "Error!! Too many bytes of data, the max number is 512", 3},
        // 62 single frames count 496 bytes, within the limit.
        {NMEA_Rx, {}, nullptr, 62},
        {NMEA_Tx, {{1, "-1"}}, "Error in row 1!! Priority must be between 0 and 7"},
        {NMEA_Tx, {{2, "131072"}}, "Error in row 1!! PGN must be between 0x00000 and 0x1FFFF"},
        {NMEA_Tx, {{3, "240"}}, "Error in row 1!! Source Address must be between 0 and 239"},
        {NMEA_Tx, {{5, "0"}}, nullptr},
        {NMEA_Tx, {{5, ""}}, "Error in row 1!! Num Byte must be between 0 and 512"},
        {NMEA_Tx, {{5, "300"}}, "Error!! Too many bytes of data, the max number is 512", 2},
        {NMEA_Tx, {{8, "Y"}, {9, "65536"}}, "Error in row 1!! Send Timer must be between 1 and 65535 ms"},
        {NMEA_Tx, {{8, "N"}, {9, "65536"}}, nullptr},
    };
    const QByteArray Old = "<old/>";
    for (const auto& K : Cases) {
        TTable_Form* Window = Windows[K.W];
        const String& File = Window->File_Name();
        WriteFile(File, Old);
        Window->FormShow(Window);
        for (Integer R = 1; R <= K.Rows; ++R) {
            Fill(K.W, R, Good_Rows[K.W]);
            Fill(K.W, R, K.Cells);
        }
        Dialogs->Boxes.clear();
        const std::string Name = std::to_string(K.W) + " " + (K.Message ? K.Message : "passes") + " " +
                                 std::to_string(K.Rows);
        if (!K.Message) {
            EXPECT_TRUE(Press_OK(Window)) << Name << Box_Texts().join(u'|').toStdString();
            EXPECT_EQ(K.Rows, File_Bytes(File).count("<row ")) << Name;
            continue;
        }
        EXPECT_FALSE(Press_OK(Window)) << Name;
        EXPECT_EQ(QStringList{QString::fromUtf8(K.Message)}, Box_Texts()) << Name;
        EXPECT_EQ(Old, File_Bytes(File)) << Name;
    }
}

TEST_F(PGNFramesTest, TheTransmitTablesEndAtTheFirstEmptyPGN)
{
    for (TWindow W : {J1939_Tx, NMEA_Tx}) {
        TTable_Form* Window = Windows[W];
        const Integer PGN = W == J1939_Tx ? 3 : 2;
        Window->FormShow(Window);
        // Row 2 has a Priority but no PGN: it ends the table, and the rows
        // below it are neither checked nor saved.
        Fill(W, 1, Good_Rows[W]);
        Fill(W, 2, {{1, "9"}});
        Fill(W, 3, Good_Rows[W]);
        Fill(W, 3, {{1, "x"}});
        Dialogs->Boxes.clear();
        EXPECT_TRUE(Press_OK(Window)) << Box_Texts().join(u'|').toStdString();
        EXPECT_EQ(1, File_Bytes(Window->File_Name()).count("<row ")) << W;

        // A row with a PGN but no Priority is checked.
        Fill(W, 2, Good_Rows[W]);
        Fill(W, 2, {{1, ""}});
        EXPECT_EQ(String(), Grid(W)->Cells(1, 2));
        EXPECT_NE(String(), Grid(W)->Cells(PGN, 2));
        EXPECT_FALSE(Press_OK(Window));
        EXPECT_EQ(QStringList{QStringLiteral("Error in row 2!! Priority must be between 0 and 7")}, Box_Texts());
    }
}

TEST_F(PGNFramesTest, OkWritesTheRootTheVersionAndTheRawTexts)
{
    WriteFile(File_J1939_Rec_Frames,
              "<?xml version=\"1.0\"?><Receive_J1939><row DP=\"0\" PGN=\"0xFEF1\" SA=\"0\" TP=\"N\" TP_Start=\"\""
              " TP_NByte=\"\" Delete=\"Y\" OnRequest=\"N\" OnReq_Time=\"1000\" Mnemonic=\"a&amp;b &lt;&quot;c&quot;&gt;\"/>"
              "<!-- a comment is not a row --><row DP=\"1\" PGN=\"\" SA=\"1\"/><row PGN=\"7\"/></Receive_J1939>");
    ASSERT_TRUE(Show_And_OK(FReceiveJ1939)) << Box_Texts().join(u'|').toStdString();
    EXPECT_EQ(QByteArray("<Receive_J1939><row DP=\"0\" PGN=\"0xFEF1\" SA=\"0\" TP=\"N\" TP_Start=\"\" TP_NByte=\"\""
                         " Delete=\"Y\" OnRequest=\"N\" OnReq_Time=\"1000\""
                         " Mnemonic=\"a&amp;b &lt;&quot;c&quot;>\"/></Receive_J1939><!--SW_VERSION = 1.000-->"),
              File_Bytes(File_J1939_Rec_Frames));

    FTransmitNMEA->FormShow(FTransmitNMEA);
    Fill(NMEA_Tx, 1, Good_Rows[NMEA_Tx]);
    Fill(NMEA_Tx, 1, {{10, "Stra\xc3\x9f" "e"}});
    ASSERT_TRUE(Press_OK(FTransmitNMEA));
    EXPECT_EQ(QByteArray("<Receive_NMEA_2000><row Priority=\"2\" PGN=\"0x1F801\" SA=\"0\" FP=\"\" TP_NByte=\"8\""
                         " On_Request=\"\" On_Data_Change=\"\" On_Timer=\"\" SendTimer=\"\" Mnemonic=\"Stra\xc3\x9f"
                         "e\"/></Receive_NMEA_2000><!--SW_VERSION = 1.000-->"),
              File_Bytes(File_NMEA_Send_Frames));

    FReceiveNMEA->FormShow(FReceiveNMEA);
    Fill(NMEA_Rx, 1, Good_Rows[NMEA_Rx]);
    ASSERT_TRUE(Press_OK(FReceiveNMEA));
    EXPECT_TRUE(File_Bytes(File_NMEA_Rec_Frames).startsWith("<Receive_NMEA_2000><row PGN=\"0x1F801\" SA=\"0\" TP=\"\""));

    // Cancel writes nothing.
    const QByteArray Before = File_Bytes(File_J1939_Rec_Frames);
    OnModal(FReceiveJ1939, [] { FReceiveJ1939->Btn_Cancel->Click(); });
    EXPECT_EQ(mrCancel, FReceiveJ1939->ShowModal());
    EXPECT_EQ(Before, File_Bytes(File_J1939_Rec_Frames));
}

TEST_F(PGNFramesTest, AFileWithMoreRowsThanTheGridIsReportedAndGuarded)
{
    QByteArray Long = "<Receive_NMEA_2000>";
    for (Integer I = 0; I < 63; ++I)
        Long += "<row PGN=\"" + QByteArray::number(I + 1) + "\" SA=\"0\"/>";
    Long += "</Receive_NMEA_2000>";
    WriteFile(File_NMEA_Rec_Frames, Long);
    Dialogs->BoxAnswers = {mrOk, mrNo};
    EXPECT_FALSE(Show_And_OK(FReceiveNMEA));
    ASSERT_EQ(2u, Dialogs->Boxes.size());
    EXPECT_EQ(QStringLiteral("Error!! The file %1 could not be read completely: \"Receive_NMEA_2000\" holds 63 rows, "
                             "the table only 62")
                  .arg(File_NMEA_Rec_Frames),
              Dialogs->Boxes[0].Text);
    EXPECT_EQ(Long, File_Bytes(File_NMEA_Rec_Frames));
    EXPECT_EQ(QStringLiteral("62"), Grid(NMEA_Rx)->Cells(1, 62));
}
