// The NMEA 0183 listener window: its sentence list, loading, the checks and
// the duplicate pass, and the attributes of the step window it keeps.
#include "protocols/fieldbus/UNMEA_0183_Set_Access.h"

#include "NMEA0183WindowTest.h"

#include <QFile>
#include <QRegularExpression>

#include <array>

namespace {

using L = TFNMEA_0183_Set_Access;

class NMEA0183ListenerWindowTest : public NMEA0183WindowTest<L, TExColumnGrid, &L::sga> {
protected:
    void Put(Integer R, const char* Enable, const char* Sentence, const char* Index, const char* Serial)
    {
        Grid->SetCells(L::Col_Enable, R, QLatin1String(Enable));
        Grid->SetCells(L::Col_Sentence, R, QLatin1String(Sentence));
        Grid->SetCells(L::Col_Index, R, QLatin1String(Index));
        Grid->SetCells(L::Col_Serial, R, QLatin1String(Serial));
    }
    bool Press_OK()
    {
        Form->SetModalResult(mrNone);
        Form->Btn_OK->Click();
        return Form->ModalResult() == mrOk;
    }

    TScriptedDialogs Dialogs;
};

} // namespace

TEST_F(NMEA0183ListenerWindowTest, SentenceChoicesAreSortedWithTheProprietaryFirst)
{
    const QStringList Items = Grid->Columns()->Items(L::Col_Sentence)->ComboItems()->Text().split(
        QRegularExpression(QStringLiteral("\r?\n")), Qt::SkipEmptyParts);
    ASSERT_EQ(25, Items.size());
    EXPECT_EQ(QStringLiteral("$PJELA"), Items.first());
    EXPECT_EQ(QStringLiteral("DBK"), Items[1]);
    EXPECT_EQ(QStringLiteral("ZDA"), Items.last());
}

TEST_F(NMEA0183ListenerWindowTest, LoadingConvertsTheOldChannelAndKeepsTheIndexOnlyWhereItCounts)
{
    Write_File("<row Sentence=\" XDR \" Index=\" 3 \" Serial_Channel=\"RS485 1\" Mnemonic=\"m\"/>"
               "<row Sentence=\"GGA\" Index=\"3\" Serial_Channel=\"RS232\"/>"
               "<row Enable=\"N\" Sentence=\"$PJELA\" Index=\"7\" Serial_Channel=\"rs485 / rs422\"/>");
    Form->FormShow(Form);
    EXPECT_TRUE(Dialogs->Boxes.empty());
    EXPECT_EQ((QStringList{"Y", "XDR", "3", "RS485 / RS422", "m"}),
              (QStringList{Grid->Cells(1, 1), Grid->Cells(2, 1), Grid->Cells(3, 1), Grid->Cells(4, 1),
                           Grid->Cells(5, 1)}));
    EXPECT_EQ(QString(), Grid->Cells(L::Col_Index, 2));
    EXPECT_EQ(QStringLiteral("7"), Grid->Cells(L::Col_Index, 3));
    EXPECT_EQ(QStringLiteral("RS485 / RS422"), Grid->Cells(L::Col_Serial, 3));
    EXPECT_FALSE(Grid->ReadOnly(L::Col_Index, 1));
    EXPECT_TRUE(Grid->ReadOnly(L::Col_Index, 2));
    EXPECT_FALSE(Grid->ReadOnly(L::Col_Index, 3));
}

TEST_F(NMEA0183ListenerWindowTest, ChecksAndTheDuplicatePass)
{
    const struct {
        std::vector<std::array<const char*, 4>> Rows; // Enable, Sentence, Index, Serial
        const char* Message;                          // empty: passes
    } Cases[] = {
        {{{"Y", "ABC", "", "RS232"}}, "Error row 1!! Sentence must be valid. Select from List"},
        {{{"Y", "rmb", "", "RS232"}}, ""},
        {{{"Y", "XDR", "11", "RS232"}}, "Error row 1!! Index Must be Between 1 and 10"},
        {{{"Y", "$PJELA", "0", "RS232"}}, "Error row 1!! Index Must be Between 1 and 10"},
        {{{"Y", "XDR", "10", "RS232"}}, ""},
        {{{"Y", "GGA", "", "RS485"}}, "Error row 1!! Serial Channel must be valid. Select from List"},
        {{{"N", "ABC", "", ""}}, ""},
        {{{"Y", "GGA", "", "RS232"}, {"Y", "GGA", "", "RS232"}},
         "Error row 1!! Sentence and Serial Channel cannot be equal. See rows 2"},
        {{{"Y", "GGA", "", "RS232"}, {"Y", "GGA", "", "RS485 2"}}, ""},
        {{{"Y", "GGA", "", "RS232"}, {"N", "GGA", "", "RS232"}}, ""},
        {{{"Y", "XDR", "1", "RS232"}, {"Y", "XDR", "2", "RS232"}}, ""},
        // A GGA row's Index is saved empty, so it does not tell the rows apart.
        {{{"Y", "GGA", "1", "RS232"}, {"Y", "GGA", "2", "RS232"}},
         "Error row 1!! Sentence and Serial Channel cannot be equal. See rows 2"},
    };
    for (const auto& K : Cases) {
        Form->FormShow(Form);
        for (std::size_t I = 0; I < K.Rows.size(); ++I)
            Put(Integer(I) + 1, K.Rows[I][0], K.Rows[I][1], K.Rows[I][2], K.Rows[I][3]);
        Dialogs->Boxes.clear();
        EXPECT_EQ(*K.Message == 0, Press_OK()) << K.Message;
        if (*K.Message)
            EXPECT_EQ(QStringLiteral("%1").arg(QLatin1String(K.Message)), Dialogs->Boxes.back().Text);
    }
}

TEST_F(NMEA0183ListenerWindowTest, SavingKeepsWhatTheStepWindowWrote)
{
    Write_File("<row Enable=\"Y\" Serial_Channel=\"RS232\" Sentence=\"GSV\" Index=\"2\" DataField=\"SNR\" "
               "PortOperation=\"x 10\" SwapAll=\"Y\" Swap16=\"N\" Position=\"7\" Mnemonic=\"a\"/>"
               "<row Enable=\"Y\" Serial_Channel=\"RS232\" Sentence=\"GGA\" DataField=\"Latitude\" Position=\"9\"/>");
    Form->FormShow(Form);
    // Insert a row on top: the kept attributes move down with their rows.
    Grid->SetRow(1);
    Form->Btn_InsRowClick(nullptr);
    Put(1, "Y", "XDR", "4", "RS485 2");
    ASSERT_TRUE(Press_OK());
    EXPECT_EQ(QByteArray("<NMEA_0183><NMEA_Listener>"
                         "<row Enable=\"Y\" Sentence=\"XDR\" Index=\"4\" Serial_Channel=\"RS485 2\" Mnemonic=\"\"/>"
                         "<row Enable=\"Y\" Sentence=\"GSV\" Index=\"\" Serial_Channel=\"RS232\" Mnemonic=\"a\" "
                         "DataField=\"SNR\" PortOperation=\"x 10\" SwapAll=\"Y\" Swap16=\"N\" Position=\"7\"/>"
                         "<row Enable=\"Y\" Sentence=\"GGA\" Index=\"\" Serial_Channel=\"RS232\" Mnemonic=\"\" "
                         "DataField=\"Latitude\" Position=\"9\"/>"
                         "</NMEA_Listener></NMEA_0183><!--SW_VERSION = 1.000-->"),
              File_Bytes());

    // Deleting row 1 moves them up; a pasted row loses them.
    Form->FormShow(Form);
    Dialogs->BoxAnswers = {mrYes, mrYes};
    Grid->SetRow(1);
    Form->Btn_DelRowClick(nullptr);
    Form->Btn_CopyRowClick(nullptr);
    Grid->SetRow(2);
    Form->Btn_PasteRowClick(nullptr);
    Grid->SetCells(L::Col_Serial, 2, QStringLiteral("RS485 2"));
    ASSERT_TRUE(Press_OK()) << Dialogs->Boxes.back().Text.toStdString();
    EXPECT_EQ(QByteArray("<NMEA_0183><NMEA_Listener>"
                         "<row Enable=\"Y\" Sentence=\"GSV\" Index=\"\" Serial_Channel=\"RS232\" Mnemonic=\"a\" "
                         "DataField=\"SNR\" PortOperation=\"x 10\" SwapAll=\"Y\" Swap16=\"N\" Position=\"7\"/>"
                         "<row Enable=\"Y\" Sentence=\"GSV\" Index=\"\" Serial_Channel=\"RS485 2\" Mnemonic=\"a\"/>"
                         "</NMEA_Listener></NMEA_0183><!--SW_VERSION = 1.000-->"),
              File_Bytes());
}

TEST_F(NMEA0183ListenerWindowTest, HeaderHintsFollowTheLanguage)
{
    ASSERT_EQ(5, Form->Hint_Listener->Count());
    Lang.SetStrings(3529, QStringLiteral("Indice 1..10"));
    Form->Set_Lang();
    String Hint;
    Grid->OnGridHint(Grid, 0, L::Col_Index, Hint);
    EXPECT_EQ(QStringLiteral("Indice 1..10"), Hint);
    EXPECT_EQ(QStringLiteral("Index"), Grid->Columns()->Items(L::Col_Index)->Header());
}
