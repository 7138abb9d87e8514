// The NMEA 0183 step window: showing and loading with its filters and
// defaults, the Index rule, the position proposal, the checks and the file.
#include "protocols/fieldbus/UNMEA_0183_Set_Access2.h"

#include "NMEA0183WindowTest.h"

#include <QFile>

namespace {

using W = TFNMEA_0183_Set_Access2;

class NMEA0183StepWindowTest : public NMEA0183WindowTest<W, TExStringGrid, &W::ESG> {
protected:
    // Enable, channel, sentence, index, field, operation, swaps, position.
    QStringList Row(Integer R) const
    {
        const auto Box = [this, R](Integer C) { return QLatin1String(Grid->IsChecked(C, R) ? "Y" : "N"); };
        return {Box(W::Col_Enable),
                Grid->Cells(W::Col_Serial, R),
                Grid->Cells(W::Col_Sentence, R),
                Grid->Cells(W::Col_Index, R),
                Grid->Cells(W::Col_DataField, R),
                Grid->Cells(W::Col_PostOpe, R),
                Box(W::Col_SwapAll),
                Box(W::Col_Swap16),
                Grid->Cells(W::Col_Position, R)};
    }
    // A complete row that passes the checks.
    void Put(Integer R, const char* Sentence, const char* Field, const char* Index = "", const char* Position = "0")
    {
        Grid->SetCells(W::Col_Serial, R, QStringLiteral("RS232"));
        Grid->SetCells(W::Col_Sentence, R, QLatin1String(Sentence));
        Grid->SetCells(W::Col_Index, R, QLatin1String(Index));
        Grid->SetCells(W::Col_DataField, R, QLatin1String(Field));
        Grid->SetCells(W::Col_PostOpe, R, QStringLiteral("None"));
        Grid->SetCells(W::Col_Position, R, QLatin1String(Position));
    }
    bool Press_OK()
    {
        Form->SetModalResult(mrNone);
        Form->Btn_OK->Click();
        return Form->ModalResult() == mrOk;
    }
    void Choose(Integer ACol, Integer ARow, const char* Text)
    {
        Form->ESGComboChange(Grid, ACol, ARow, 0, QLatin1String(Text));
        Grid->SetCells(ACol, ARow, QLatin1String(Text));
    }
    bool Index_Editable(Integer R) { return !Grid->ReadOnly(W::Col_Index, R); }

    TScriptedDialogs Dialogs;
};

} // namespace

TEST_F(NMEA0183StepWindowTest, AFreshShowGivesAHundredEnabledRows)
{
    Form->FormShow(Form);
    EXPECT_EQ(101, Grid->RowCount());
    EXPECT_EQ(11, Grid->ColCount());
    for (Integer R = 1; R <= 100; ++R) {
        ASSERT_EQ(QString::number(R), Grid->Cells(0, R));
        ASSERT_EQ((QStringList{"Y", "", "", "", "", "", "N", "N", ""}), Row(R)) << R;
        ASSERT_FALSE(Index_Editable(R));
    }
    EXPECT_EQ(QStringLiteral("Definition of NMEA 0183 Sentences"), Form->Caption());
    EXPECT_EQ(QStringLiteral("Index"), Grid->Cells(W::Col_Index, 0));
    EXPECT_TRUE(Dialogs->Boxes.empty());
}

TEST_F(NMEA0183StepWindowTest, LoadingKeepsOnlyCurrentChoicesAndGivesDefaults)
{
    Write_File("<row Enable=\"N\" Serial_Channel=\"RS485 2\" Sentence=\"GSV\" Index=\"3\" DataField=\"SNR\" "
               "PortOperation=\"x 10\" SwapAll=\"Y\" Swap16=\"Y\" Position=\"12\" Mnemonic=\"a &amp; b\"/>"
               "<row Serial_Channel=\"RS232\" Sentence=\"RMB\" DataField=\"UTC Time\" PortOperation=\"/ 7\"/>"
               "<row Sentence=\"GGA\" DataField=\"SNR\"/>"
               "<row Serial_Channel=\"RS485 1\" Sentence=\"XDR\" DataField=\"Units\" PortOperation=\"None\"/>"
               // As the listener window writes it.
               "<row Enable=\"Y\" Sentence=\"$PJELA\" Index=\"4\" Serial_Channel=\"RS232\" Mnemonic=\"m\"/>");
    Form->FormShow(Form);
    EXPECT_TRUE(Dialogs->Boxes.empty());
    EXPECT_EQ((QStringList{"N", "RS485 2", "GSV", "3", "SNR", "x 10", "Y", "Y", "12"}), Row(1));
    EXPECT_EQ(QStringLiteral("a & b"), Grid->Cells(W::Col_Mnemonic, 1));
    EXPECT_EQ((QStringList{"Y", "RS232", "", "", "", "", "N", "N", ""}), Row(2));
    EXPECT_EQ((QStringList{"Y", "RS232", "GGA", "", "", "None", "N", "N", ""}), Row(3));
    EXPECT_EQ((QStringList{"Y", "", "XDR", "", "Units", "None", "N", "N", ""}), Row(4));
    EXPECT_EQ((QStringList{"Y", "RS232", "$PJELA", "4", "", "None", "N", "N", ""}), Row(5));
    EXPECT_TRUE(Index_Editable(1));
    EXPECT_FALSE(Index_Editable(2));
    EXPECT_FALSE(Index_Editable(3));
    EXPECT_TRUE(Index_Editable(4));
    EXPECT_TRUE(Index_Editable(5));
}

TEST_F(NMEA0183StepWindowTest, IndexEditabilityFollowsMovedRows)
{
    Write_File("<row Sentence=\"GGA\"/><row Sentence=\"XDR\"/>");
    Form->FormShow(Form);
    Grid->SetRow(1);
    Form->Btn_InsRowClick(nullptr);
    EXPECT_FALSE(Index_Editable(1));
    EXPECT_FALSE(Index_Editable(2));
    EXPECT_TRUE(Index_Editable(3));

    Dialogs->BoxAnswers = {mrYes};
    Form->Btn_DelRowClick(nullptr);
    EXPECT_TRUE(Index_Editable(2));
    EXPECT_FALSE(Index_Editable(3));

    Grid->SetRow(2);
    Form->Btn_CopyRowClick(nullptr);
    Grid->SetRow(5);
    Form->Btn_PasteRowClick(nullptr);
    EXPECT_TRUE(Index_Editable(5));
    Grid->SetRow(1);
    Form->Btn_CopyRowClick(nullptr);
    Grid->SetRow(5);
    Dialogs->BoxAnswers = {mrYes};
    Form->Btn_PasteRowClick(nullptr);
    EXPECT_FALSE(Index_Editable(5));
}

TEST_F(NMEA0183StepWindowTest, ChoosingASentenceWritesItsFirstFieldAndProposesThePosition)
{
    Form->FormShow(Form);
    Choose(W::Col_Sentence, 1, "GSV"); // first field "Total Messages", dimension 1
    EXPECT_EQ(QStringLiteral("Total Messages"), Grid->Cells(W::Col_DataField, 1));
    EXPECT_EQ(QStringLiteral("1"), Grid->Cells(W::Col_Position, 1));
    EXPECT_TRUE(Index_Editable(1));
    Choose(W::Col_Sentence, 1, "HDT"); // "Heading True", dimension 4
    EXPECT_EQ(QStringLiteral("0"), Grid->Cells(W::Col_Position, 1));
    EXPECT_FALSE(Index_Editable(1));

    Put(4, "GGA", "latitude", "", "10"); // dimension 4 in any letter case
    Choose(W::Col_Sentence, 5, "DBT");
    EXPECT_EQ(QStringLiteral("14"), Grid->Cells(W::Col_Position, 5));
    Choose(W::Col_DataField, 5, "Depth Meters");
    EXPECT_EQ(QStringLiteral("14"), Grid->Cells(W::Col_Position, 5));
    Choose(W::Col_Sentence, 5, "ZDA");
    Choose(W::Col_DataField, 5, "Day");
    EXPECT_EQ(QStringLiteral("15"), Grid->Cells(W::Col_Position, 5));
    // A disabled row 4 does not count; row 1 does.
    Grid->SetCheckBoxState(W::Col_Enable, 4, false);
    Choose(W::Col_DataField, 5, "UTC Time");
    EXPECT_EQ(QStringLiteral("4"), Grid->Cells(W::Col_Position, 5));
}

TEST_F(NMEA0183StepWindowTest, EveryCheckGivesItsMessage)
{
    const struct {
        const char* Sentence;
        const char* Field;
        const char* Index;
        const char* Position;
        const char* Message; // empty: passes
    } Cases[] = {
        {"GGA", "UTC Time", "", "2000", "Error row 1!! Position Must be Between 0 and 2000"},
        {"GGA", "UTC Time", "", "", "Error row 1!! Position Must be Between 0 and 2000"},
        {"GGA", "UTC Time", "", "1999", ""},
        {"GSV", "SNR", "37", "0", "Error row 1!! Index Must be Between 1 and 36"},
        {"GSV", "Satellite Number", "0", "0", "Error row 1!! Index Must be Between 1 and 36"},
        {"GSV", "Azimuth", "36", "0", ""},
        {"GSV", "Message Number", "10", "0", "Error row 1!! Index Must be Between 1 and 9"},
        {"GSV", "Message Number", "9", "0", ""},
        {"GSV", "Total Messages", "", "0", ""},
        {"XDR", "Units", "11", "0", "Error row 1!! Index Must be Between 1 and 10"},
        {"XDR", "Units", "0", "0", "Error row 1!! Index Must be Between 1 and 10"},
        {"XDR", "Units", "10", "0", ""},
        {"$PJELA", "Value", "51", "0", "Error row 1!! Index Must be Between 1 and 50"},
        {"$PJELA", "Value", "x", "0", "Error row 1!! Index Must be Between 1 and 50"},
        {"$PJELA", "Value", "50", "0", ""},
        {" ", "UTC Time", "", "0", "Error row 1!! Sentence Must be Selected"},
        {"GGA", " ", "", "0", "Error row 1!! Data Field Must be Selected"},
    };
    for (const auto& K : Cases) {
        Form->FormShow(Form);
        Put(1, K.Sentence, K.Field, K.Index, K.Position);
        Dialogs->Boxes.clear();
        const bool Passed = Press_OK();
        EXPECT_EQ(*K.Message == 0, Passed) << K.Message;
        if (*K.Message)
            EXPECT_EQ(QStringList{QLatin1String(K.Message)}, QStringList{Dialogs->Boxes.back().Text});
        else
            EXPECT_TRUE(Dialogs->Boxes.empty()) << K.Sentence << K.Field;
    }

    Form->FormShow(Form);
    Put(1, "GGA", "UTC Time");
    Grid->SetCells(W::Col_PostOpe, 1, QString());
    EXPECT_FALSE(Press_OK());
    EXPECT_EQ(QStringLiteral("Error row 1!! Post Operation Must be Selected"), Dialogs->Boxes.back().Text);

    // A disabled row is not checked; a row without a channel but with a
    // sentence fails, enabled or not.
    Form->FormShow(Form);
    Put(1, "GGA", "UTC Time", "", "5000");
    Grid->SetCheckBoxState(W::Col_Enable, 1, false);
    Put(3, "GGA", "UTC Time");
    Grid->SetCheckBoxState(W::Col_Enable, 3, false);
    Grid->SetCells(W::Col_Serial, 3, QStringLiteral(" "));
    EXPECT_FALSE(Press_OK());
    EXPECT_EQ(QStringLiteral("Error row 3!! Serial Channel Must be Selected"), Dialogs->Boxes.back().Text);
}

TEST_F(NMEA0183StepWindowTest, OkSavesEveryRowWithAChannelInTheAttributeOrder)
{
    Form->FormShow(Form);
    Put(1, "GSV", "SNR", "2", "7");
    Grid->SetCells(W::Col_Mnemonic, 1, QString::fromUtf8("\"<\xc3\xa8&\""));
    Grid->SetCheckBoxState(W::Col_SwapAll, 1, true);
    Put(3, "HDT", "Heading True", "", "9");
    Grid->SetCheckBoxState(W::Col_Enable, 3, false);
    Grid->SetCheckBoxState(W::Col_Swap16, 3, true);
    ASSERT_TRUE(Press_OK());
    EXPECT_EQ(QByteArray("<NMEA_0183><NMEA_Listener>"
                         "<row Enable=\"Y\" Serial_Channel=\"RS232\" Sentence=\"GSV\" Index=\"2\" DataField=\"SNR\" "
                         "PortOperation=\"None\" SwapAll=\"Y\" Swap16=\"N\" Position=\"7\" "
                         "Mnemonic=\"&quot;&lt;\xc3\xa8&amp;&quot;\"/>"
                         "<row Enable=\"N\" Serial_Channel=\"RS232\" Sentence=\"HDT\" Index=\"\" "
                         "DataField=\"Heading True\" PortOperation=\"None\" SwapAll=\"N\" Swap16=\"Y\" "
                         "Position=\"9\" Mnemonic=\"\"/>"
                         "</NMEA_Listener></NMEA_0183><!--SW_VERSION = 1.000-->"),
              File_Bytes());
}

TEST_F(NMEA0183StepWindowTest, HeaderHintsFollowTheLanguage)
{
    ASSERT_EQ(10, Form->Hint_Sentence->Count());
    Lang.SetStrings(3641, QStringLiteral("Indice"));
    Form->Set_Lang();
    String Hint;
    Grid->OnGridHint(Grid, 0, W::Col_Index, Hint);
    EXPECT_EQ(QStringLiteral("Indice"), Hint);
    Hint.clear();
    Grid->OnGridHint(Grid, 1, W::Col_Index, Hint);
    EXPECT_EQ(QString(), Hint);
}
