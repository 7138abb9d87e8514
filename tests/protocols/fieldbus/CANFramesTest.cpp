// The CAN receive and transmit frame tables: their columns, the showing and
// loading with the attribute defaults, the checks with their messages, the
// file OK writes and the row buttons.
#include "protocols/ethernet/TableWindowTest.h"

#include "protocols/fieldbus/UReceiveCAN.h"
#include "protocols/fieldbus/UTransmitCAN.h"
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

// A receive row and a transmit row that pass every check.
const TCells Receive_Row{{2, "0x181"}, {3, "2.0A (11 bits)"}, {4, "8"}, {5, "0"}};
const TCells Transmit_Row{{2, "0x201"}, {3, "2.0A (11 bits)"}, {4, "8"}, {7, "N"}};

class CANFramesTest : public TableWindowTest {
protected:
    void SetUp() override
    {
        TableWindowTest::SetUp();
        ASSERT_NE(nullptr, FReceiveCAN);
        ASSERT_NE(nullptr, FTransmitCAN);
        Rx = FReceiveCAN->ECG_CAN_Receive;
        Tx = FTransmitCAN->ECG_CAN_Transmit;
    }
    void TearDown() override
    {
        SL_Copy_Row.Clear();
        TableWindowTest::TearDown();
    }
    static void Fill(TExColumnGrid* Grid, Integer ARow, const TCells& Cells)
    {
        for (const auto& [C, Text] : Cells)
            Grid->SetCells(C, ARow, QString::fromUtf8(Text));
    }
    static QStringList Row(TExColumnGrid* Grid, Integer ARow)
    {
        QStringList L;
        for (Integer C = 0; C < Grid->ColCount(); ++C)
            L << Grid->Cells(C, ARow);
        return L;
    }
    static String Hint(TExColumnGrid* Grid, Integer ACol)
    {
        String Text;
        Grid->OnGridHint(Grid, 0, ACol, Text);
        return Text;
    }

    TExColumnGrid* Rx = nullptr;
    TExColumnGrid* Tx = nullptr;
};

} // namespace

TEST_F(CANFramesTest, AFreshShowGivesNumberedRowsAndTheColumns)
{
    FReceiveCAN->FormShow(FReceiveCAN);
    FTransmitCAN->FormShow(FTransmitCAN);
    ASSERT_EQ(513, Rx->RowCount());
    ASSERT_EQ(513, Tx->RowCount());
    EXPECT_EQ(15, Rx->ColCount());
    EXPECT_EQ(18, Tx->ColCount());
    for (Integer R : {1, 2, 512}) {
        EXPECT_EQ((QStringList{QString::number(R), "Y", "", "", "", "", "", "", "", "", "", "", "", "", ""}),
                  Row(Rx, R));
        EXPECT_EQ(QString::number(R), Tx->Cells(0, R));
        EXPECT_EQ(QStringLiteral("Y"), Tx->Cells(1, R));
        EXPECT_EQ(QString(), Tx->Cells(2, R));
    }
    EXPECT_FALSE(FReceiveCAN->PageControl1->Visible());
    EXPECT_EQ(QSize(1010, 337), QSize(FReceiveCAN->ClientWidth(), FReceiveCAN->ClientHeight()));
    EXPECT_EQ(QSize(1100, 337), QSize(FTransmitCAN->ClientWidth(), FTransmitCAN->ClientHeight()));

    const struct {
        TExColumnGrid* Grid;
        Integer Col;
        const char* Header;
        Integer Width;
        TColor Color;
        TEditorType Editor;
    } Columns[] = {
        {Rx, 1, "Enable", 50, RGB(0xFF, 0xD8, 0xB0), edDataCheckBox},
        {Rx, 2, "CobID", 90, RGB(0xE0, 0xFA, 0xFE), edNormal},
        {Rx, 3, "Type", 90, RGB(0xE0, 0xFA, 0xFE), edComboList},
        {Rx, 5, "TimeOut", 75, RGB(0xA8, 0xFF, 0xA8), edNormal},
        {Rx, 6, "Byte1", 48, RGB(0xFC, 0xD6, 0xF4), edComboList},
        {Rx, 13, "Byte8", 48, RGB(0xFC, 0xD6, 0xF4), edComboList},
        {Rx, 14, "Mnemonic", 185, clWindow, edNormal},
        {Tx, 5, "OnChange", 65, RGB(0xA8, 0xFF, 0xA8), edDataCheckBox},
        {Tx, 6, "OnCMD", 50, RGB(0xA8, 0xFF, 0xA8), edDataCheckBox},
        {Tx, 7, "OnTimer", 55, RGB(0xA8, 0xFF, 0xA8), edDataCheckBox},
        {Tx, 8, "Time", 70, RGB(0xA8, 0xFF, 0xA8), edNormal},
        {Tx, 9, "Byte1", 48, RGB(0xFC, 0xD6, 0xF4), edComboList},
        {Tx, 17, "Mnemonic", 110, clWindow, edNormal},
    };
    for (const auto& K : Columns) {
        const TGridColumnItem* Item = K.Grid->Columns()->Items(K.Col);
        EXPECT_EQ(QString::fromUtf8(K.Header), Item->Header()) << K.Col;
        EXPECT_EQ(K.Width, Item->Width()) << K.Header;
        EXPECT_EQ(K.Color, Item->Color()) << K.Header;
        EXPECT_EQ(K.Editor, Item->Editor()) << K.Header;
    }
    EXPECT_EQ(40, Rx->Columns()->Items(0)->Width());
    EXPECT_EQ(QStringLiteral("N"), Tx->Columns()->Items(0)->Header());
    for (TExColumnGrid* Grid : {Rx, Tx}) {
        EXPECT_EQ(CAN_Types(), Combo_Items(Grid, 3));
        for (Integer C : {Grid == Rx ? 6 : 9, Grid == Rx ? 13 : 16}) {
            const TStringList* Items = Grid->Columns()->Items(C)->ComboItems();
            ASSERT_EQ(1441, Items->Count());
            EXPECT_EQ(QStringLiteral("None"), Items->Strings(0));
            EXPECT_EQ(QStringLiteral("0"), Items->Strings(1));
            EXPECT_EQ(QStringLiteral("1439"), Items->Strings(1440));
        }
    }
    // Receive hints: columns 1 to 4 after 2328, the rest after 2329.
    EXPECT_EQ(Lang.Strings(2329), Hint(Rx, 1));
    EXPECT_EQ(Lang.Strings(2332), Hint(Rx, 4));
    EXPECT_EQ(Lang.Strings(2334), Hint(Rx, 5));
    EXPECT_EQ(Lang.Strings(2343), Hint(Rx, 14));
    EXPECT_EQ(Lang.Strings(2463), Hint(Tx, 6));
    EXPECT_EQ(Lang.Strings(2446), Hint(Tx, 17));
}

TEST_F(CANFramesTest, LoadingGivesTheDefaultsAndOkWritesTheRawTexts)
{
    WriteFile(File_CAN_Rec_Frames,
              "<?xml version=\"1.0\"?><!-- kept elsewhere --><Receive_Frames>"
              "<row COBID=\"0x181\" Dim=\"2\" Byte1=\"0\" Mnemonic=\"a&amp;b &lt;&quot;c&quot;&gt; \u00e9\"/>"
              "<!-- between --><frame Enable=\"N\" COBID=\"abc\" Dim=\"9\"/>"
              "<row Enable=\"Y\" COBID=\" \" Dim=\"1\"/><row COBID=\"5\" Dim=\"1\"/></Receive_Frames>");
    ASSERT_TRUE(Show_And_OK(FReceiveCAN)) << Box_Texts().join(u'|').toStdString();
    EXPECT_TRUE(Dialogs->Boxes.empty());
    // The blank COB-ID of row 3 ends the table: row 4 is neither checked nor saved.
    EXPECT_EQ(QByteArray("<Receive_Frames>"
                         "<row Enable=\"Y\" COBID=\"0x181\" CAN_Type=\"\" Dim=\"2\" TimeOut=\"0\" Byte1=\"0\""
                         " Byte2=\"\" Byte3=\"\" Byte4=\"\" Byte5=\"\" Byte6=\"\" Byte7=\"\" Byte8=\"\""
                         " Mnemonic=\"a&amp;b &lt;&quot;c&quot;> \xc3\xa9\"/>"
                         "<row Enable=\"N\" COBID=\"abc\" CAN_Type=\"\" Dim=\"9\" TimeOut=\"0\" Byte1=\"\""
                         " Byte2=\"\" Byte3=\"\" Byte4=\"\" Byte5=\"\" Byte6=\"\" Byte7=\"\" Byte8=\"\" Mnemonic=\"\"/>"
                         "</Receive_Frames><!--SW_VERSION = 1.004-->"),
              File_Bytes(File_CAN_Rec_Frames));
    EXPECT_EQ(QStringLiteral("5"), Rx->Cells(2, 4));

    WriteFile(File_CAN_Send_Frames,
              "<Transmit_Frames><row COBID=\"0x201\" Dim=\"1\"/>"
              "<row COBID=\"0x202\" Dim=\"1\" OnTimer=\"Y\"/>"
              "<row COBID=\"0x203\" Dim=\"1\" OnTimer=\"Y\" Time=\"\" CAN_Type=\"2.0B (29 bits)\" OnChange=\"N\""
              " OnCMD=\"Y\"/></Transmit_Frames>");
    FTransmitCAN->FormShow(FTransmitCAN);
    EXPECT_EQ((QStringList{"1", "Y", "0x201", "2.0A (11 bits)", "1", "Y", "N", "N", ""}), Row(Tx, 1).mid(0, 9));
    // Time is given "0" only when the row is sent on the timer.
    EXPECT_EQ((QStringList{"Y", "N", "Y", "0"}), Row(Tx, 2).mid(5, 4));
    EXPECT_EQ((QStringList{"2.0B (29 bits)", "1", "N", "Y", "Y", ""}), Row(Tx, 3).mid(3, 6));
    Dialogs->Boxes.clear();
    EXPECT_FALSE(Press_OK(FTransmitCAN));
    EXPECT_EQ(QStringList{QStringLiteral("Error row 3!! Time must be between 0 and 100000000 milliseconds")},
              Box_Texts());
    Fill(Tx, 3, {{8, "100000000"}});
    Fill(Tx, 2, {{17, "x"}});
    EXPECT_TRUE(Press_OK(FTransmitCAN));
    const QByteArray No_Bytes = " Byte1=\"\" Byte2=\"\" Byte3=\"\" Byte4=\"\" Byte5=\"\" Byte6=\"\" Byte7=\"\" Byte8=\"\"";
    EXPECT_EQ("<Transmit_Frames>"
              "<row Enable=\"Y\" COBID=\"0x201\" CAN_Type=\"2.0A (11 bits)\" Dim=\"1\" OnChange=\"Y\" OnCMD=\"N\""
              " OnTimer=\"N\" Time=\"\"" + No_Bytes + " Mnemonic=\"\"/>"
              "<row Enable=\"Y\" COBID=\"0x202\" CAN_Type=\"2.0A (11 bits)\" Dim=\"1\" OnChange=\"Y\" OnCMD=\"N\""
              " OnTimer=\"Y\" Time=\"0\"" + No_Bytes + " Mnemonic=\"x\"/>"
              "<row Enable=\"Y\" COBID=\"0x203\" CAN_Type=\"2.0B (29 bits)\" Dim=\"1\" OnChange=\"N\" OnCMD=\"Y\""
              " OnTimer=\"Y\" Time=\"100000000\"" + No_Bytes + " Mnemonic=\"\"/>"
              "</Transmit_Frames><!--SW_VERSION = 1.004-->",
              File_Bytes(File_CAN_Send_Frames));
}

TEST_F(CANFramesTest, EachCheckGivesItsMessageAndLeavesTheFile)
{
    const QByteArray Old_Rx = "<Receive_Frames/>";
    const QByteArray Old_Tx = "<Transmit_Frames/>";
    WriteFile(File_CAN_Rec_Frames, Old_Rx);
    WriteFile(File_CAN_Send_Frames, Old_Tx);
    const struct {
        bool Transmit;
        TCells Cells;
        const char* Message; // null: passes
    } Cases[] = {
        // The number rule.
        {false, {{2, "0x7FF"}}, nullptr},
        {false, {{2, "$7FF"}}, nullptr},
        {false, {{2, " 2047"}}, nullptr},
        {false, {{2, "2047 "}}, "!! CobID must be between 0 and 2047"},
        {false, {{2, "2048"}}, "!! CobID must be between 0 and 2047"},
        {false, {{2, "0x"}}, "!! CobID must be between 0 and 2047"},
        {false, {{2, "99999999999"}}, "!! CobID must be between 0 and 2047"},
        // The Type cell chooses the range; anything but 11 bits is 29 bits.
        {false, {{3, ""}, {2, "4000"}}, nullptr},
        {false, {{3, "2.0B (29 bits)"}, {2, "0x1FFFFFFF"}}, nullptr},
        {false, {{3, " 2.0A (11 bits) "}, {2, "4000"}}, "!! CobID must be between 0 and 2047"},
        {false, {{3, "2.0B (29 bits)"}, {2, "0x20000000"}}, "!! CobID must be between 0x00000000 and 0x1FFFFFFF"},
        {false, {{3, "2.0B (29 bits)"}, {2, "0xFFFFFFFF"}}, "!! CobID must be between 0x00000000 and 0x1FFFFFFF"},
        {false, {{4, "0"}}, "!! Dimension must be between 1 and 8"},
        {false, {{4, "9"}}, "!! Dimension must be between 1 and 8"},
        {false, {{5, "100000001"}}, "!! TimeOut must be between 0 and 100000000 milliseconds"},
        {false, {{5, ""}}, "!! TimeOut must be between 0 and 100000000 milliseconds"},
        {false, {{6, "None"}, {7, " "}, {13, "1439"}}, nullptr},
        {false, {{4, "3"}, {9, "5000"}}, nullptr},
        {false, {{7, "1440"}}, "!! Byte2 must be between 0 and 1439 or None"},
        {false, {{6, "x"}}, "!! Byte1 must be between 0 and 1439 or None"},
        {false, {{13, "-1"}}, "!! Byte8 must be between 0 and 1439 or None"},
        {true, {{2, "0x800"}}, "!! CobID must be between 0 and 2047"},
        {true, {{3, ""}, {2, "0x800"}}, nullptr},
        {true, {{3, "2.0B (29 bits)"}, {2, "536870912"}}, "!! CobID must be between 0x00000000 and 0x1FFFFFFF"},
        {true, {{4, ""}}, "!! Dimension must be between 1 and 8"},
        {true, {{8, "-5"}}, nullptr},
        {true, {{7, "y "}, {8, "-5"}}, "!! Time must be between 0 and 100000000 milliseconds"},
        {true, {{7, "Y"}, {8, "100000000"}}, nullptr},
        {true, {{10, "1440"}}, "!! Byte2 must be between 0 and 1439 or None"},
        {true, {{4, "1"}, {10, "1440"}}, nullptr},
    };
    for (const auto& K : Cases) {
        TTable_Form* Window = K.Transmit ? static_cast<TTable_Form*>(FTransmitCAN) : FReceiveCAN;
        TExColumnGrid* Grid = K.Transmit ? Tx : Rx;
        Window->FormShow(Window);
        Fill(Grid, 1, K.Transmit ? Transmit_Row : Receive_Row);
        Fill(Grid, 1, K.Cells);
        // A row below with Enable "n" is saved but never checked.
        Fill(Grid, 2, {{1, "n"}, {2, "abc"}, {4, "99"}});
        Fill(Grid, 3, K.Transmit ? Transmit_Row : Receive_Row);
        Fill(Grid, 3, K.Cells);
        Dialogs->Boxes.clear();
        const std::string Name = (K.Transmit ? "tx " : "rx ") + std::string(K.Cells.back().second);
        const QByteArray Old = K.Transmit ? Old_Tx : Old_Rx;
        const String& File = Window->File_Name();
        if (!K.Message) {
            EXPECT_TRUE(Press_OK(Window)) << Name << Box_Texts().join(u'|').toStdString();
            EXPECT_EQ(3, File_Bytes(File).count("<row ")) << Name;
            WriteFile(File, Old);
            continue;
        }
        EXPECT_FALSE(Press_OK(Window)) << Name;
        EXPECT_EQ(QStringList{QStringLiteral("Error row 1") + QString::fromUtf8(K.Message)}, Box_Texts()) << Name;
        EXPECT_EQ(Old, File_Bytes(File)) << Name;
        // Row 3 carries the same fault, row 1 does not: the message names row 3.
        for (Integer C = 2; C < Grid->ColCount(); ++C)
            Grid->SetCells(C, 1, String());
        Fill(Grid, 1, K.Transmit ? Transmit_Row : Receive_Row);
        Dialogs->Boxes.clear();
        EXPECT_FALSE(Press_OK(Window)) << Name;
        EXPECT_EQ(QStringList{QStringLiteral("Error row 3") + QString::fromUtf8(K.Message)}, Box_Texts()) << Name;
    }
}

TEST_F(CANFramesTest, RowButtonsAskAndUseTheWindowsCopyFlag)
{
    FReceiveCAN->FormShow(FReceiveCAN);
    Fill(Rx, 12, Receive_Row);
    Rx->SetRow(12);
    Dialogs->BoxAnswers = {mrNo, mrYes};
    FReceiveCAN->Btn_DelRowClick(nullptr);
    EXPECT_EQ(QStringList{Lang.Strings(2358) + QStringLiteral("12")}, Box_Texts());
    EXPECT_EQ(QStringLiteral("0x181"), Rx->Cells(2, 12));
    FReceiveCAN->Btn_DelRowClick(nullptr);
    EXPECT_EQ(QString(), Rx->Cells(2, 12));

    // Insert gives the new row Enable "Y".
    Fill(Rx, 3, Receive_Row);
    Rx->SetRow(3);
    FReceiveCAN->Btn_InsRowClick(nullptr);
    EXPECT_EQ(QStringLiteral("Y"), Rx->Cells(1, 3));
    EXPECT_EQ(QString(), Rx->Cells(2, 3));
    EXPECT_EQ(QStringLiteral("0x181"), Rx->Cells(2, 4));

    // Copy and paste within the window; a row of the receive window is not
    // pasted into the transmit window, and a new showing forgets the copy.
    Rx->SetRow(4);
    FReceiveCAN->Btn_CopyRowClick(nullptr);
    Rx->SetRow(6);
    FReceiveCAN->Btn_PasteRowClick(nullptr);
    EXPECT_EQ(Row(Rx, 4).mid(1), Row(Rx, 6).mid(1));
    FTransmitCAN->FormShow(FTransmitCAN);
    Dialogs->Boxes.clear();
    Tx->SetRow(1);
    FTransmitCAN->Btn_PasteRowClick(nullptr);
    EXPECT_EQ(QStringList{Lang.Strings(1502)}, Box_Texts());
    FReceiveCAN->FormShow(FReceiveCAN);
    Dialogs->Boxes.clear();
    FReceiveCAN->Btn_PasteRowClick(nullptr);
    EXPECT_EQ(QStringList{Lang.Strings(1502)}, Box_Texts());
    EXPECT_EQ(QString(), Rx->Cells(2, 1));

    FTransmitCAN->FormShow(FTransmitCAN);
    Tx->SetRow(7);
    Dialogs->Boxes.clear();
    Dialogs->BoxAnswers = {mrNo};
    FTransmitCAN->Btn_DelRowClick(nullptr);
    EXPECT_EQ(QStringList{Lang.Strings(2461) + QStringLiteral("7")}, Box_Texts());
}

TEST_F(CANFramesTest, ADamagedOrOverlongFileIsReportedAndGuarded)
{
    QByteArray Long = "<Receive_Frames>";
    for (Integer I = 0; I < 513; ++I)
        Long += "<row COBID=\"" + QByteArray::number(I + 1) + "\" Dim=\"1\"/>";
    Long += "</Receive_Frames>";
    for (const QByteArray& Bad : {Long, QByteArray("<Receive_Frames><row COBID=\"1\" Dim=\"1\"/><row")}) {
        WriteFile(File_CAN_Rec_Frames, Bad);
        Dialogs->Boxes.clear();
        Dialogs->BoxAnswers = {mrOk, mrNo};
        EXPECT_FALSE(Show_And_OK(FReceiveCAN));
        ASSERT_EQ(2u, Dialogs->Boxes.size());
        EXPECT_TRUE(Dialogs->Boxes[0].Text.startsWith(QStringLiteral("Error!! The file ") + File_CAN_Rec_Frames))
            << Dialogs->Boxes[0].Text.toStdString();
        EXPECT_EQ(mtConfirmation, Dialogs->Boxes[1].DlgType);
        EXPECT_EQ(Bad, File_Bytes(File_CAN_Rec_Frames));
        if (Bad == Long) {
            EXPECT_EQ(QStringLiteral("512"), Rx->Cells(2, 512));
        }
    }

    // Yes replaces the file with the rows shown.
    Dialogs->BoxAnswers = {mrOk, mrYes};
    FReceiveCAN->FormShow(FReceiveCAN);
    Fill(Rx, 1, Receive_Row);
    EXPECT_TRUE(Press_OK(FReceiveCAN));
    EXPECT_EQ(1, File_Bytes(File_CAN_Rec_Frames).count("<row "));
}
