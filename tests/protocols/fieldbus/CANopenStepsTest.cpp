// The main window's EDS step with the writer the program entry gives it,
// and a language change on the three CANopen table windows.
#include "CANopenTableTest.h"

#include "protocols/fieldbus/UEds.h"
#include "protocols/fieldbus/USet_PDO_Access.h"
#include "protocols/fieldbus/USet_SDO_Client_Access.h"
#include "protocols/fieldbus/USet_SDO_Server_Access.h"
#include "shell/ULanguage.h"

TEST_F(TableWindowTest, TheEdsStepWritesTheChosenFileWithoutAsking)
{
    Step_Routines.Create_EDS_File = Create_EDS_File;
    Main->Btn_CANopen_EDS->SetVisible(true);
    const String Target = Path_Project + QStringLiteral("/gateway.eds");
    WriteFile(Target, "old");
    WriteFile(File_PDO_CANopen, "<PDO_CANopen><Receive_PDO><row COB-ID=\"0x201\" Dimension=\"2\"/></Receive_PDO>"
                                "<Transmit_PDO/></PDO_CANopen>");
    Dialogs->FileAnswers = {Target};
    Main->Btn_CANopen_EDS->Click();
    EXPECT_TRUE(Dialogs->Boxes.empty());
    ASSERT_EQ(1u, Dialogs->FileDialogs.size());
    const TFileDialogRequest& Request = Dialogs->FileDialogs[0];
    EXPECT_EQ(Path_Project, Request.InitialDir);
    EXPECT_EQ(QStringLiteral("Electronic Data Sheet (*.eds)|*.eds"), Request.Filter);
    EXPECT_FALSE(Request.Options.Contains(ofOverwritePrompt));
    const QByteArray Bytes = File_Bytes(Target);
    EXPECT_TRUE(Bytes.startsWith("[FileInfo]\r\nFileName=CANopen_IOLink.eds\r\n"));
    EXPECT_TRUE(Bytes.contains("\r\nNrOfRXPDO=1\r\n"));

    // Cancel writes nothing; a table file at fault is shown and leaves the file.
    Dialogs->FileAnswers.clear();
    Main->Btn_CANopen_EDS->Click();
    WriteFile(File_PDO_CANopen, "<PDO_CANopen><Receive_PDO/></PDO_CANopen>");
    Dialogs->FileAnswers = {Target};
    Main->Btn_CANopen_EDS->Click();
    ASSERT_EQ(1u, Dialogs->Boxes.size());
    EXPECT_EQ(mtError, Dialogs->Boxes[0].DlgType);
    EXPECT_TRUE(Dialogs->Boxes[0].Text.contains(QStringLiteral("Transmit_PDO")));
    EXPECT_EQ(Bytes, File_Bytes(Target));
}

TEST_F(TableWindowTest, ALanguageChangeRelabelsTheCANopenTables)
{
    QByteArray Lng;
    for (Integer I = 0; I < 3800; ++I)
        Lng += "STR" + QByteArray::number(I) + " = T" + QByteArray::number(I) + "\r\n";
    WriteFile(Path_Language + QStringLiteral("/Numbers.lng"), Lng);
    Language_Name = QStringLiteral("Numbers");
    Load_Language();
    FDeviravizevFirmWare->Change_Language();
    const auto T = [](Integer Text) { return QStringLiteral("T") + QString::number(Text); };

    const struct {
        TTable_Form* Window;
        Integer First;
        Integer Table;
        Integer Col;
        Integer Header;
        Integer Hint; // -1: the grid shows no hints
    } Cases[] = {
        {FSet_PDO_Access, 2500, 0, 1, 2517, 2543},   {FSet_PDO_Access, 2500, 0, 12, 2528, 2554},
        {FSet_PDO_Access, 2500, 1, 12, 2541, 2566},  {FSet_PDO_Access, 2500, 1, 13, 2542, 2567},
        {FSet_SDO_Client_Access, 2600, 0, 10, 2626, 2648}, {FSet_SDO_Client_Access, 2600, 1, 6, 2633, 2654},
        {FSet_SDO_Client_Access, 2600, 1, 11, 2638, 2659}, {FSet_SDO_Server_Access, 2700, 0, 1, 2717, 2734},
        {FSet_SDO_Server_Access, 2700, 0, 8, 2724, 2741},  {FSet_SDO_Server_Access, 2700, 1, 8, 2733, -1},
    };
    for (const auto& K : Cases) {
        SCOPED_TRACE(K.Header);
        TTable_Form* W = K.Window;
        EXPECT_EQ(T(K.First), W->Caption());
        EXPECT_EQ(T(K.First + 1), W->L_SW_Desc->Caption());
        EXPECT_EQ(T(K.First + 2), W->Btn_OK->Caption());
        EXPECT_EQ(T(K.First + 7), W->Btn_PasteRow->Caption());
        EXPECT_EQ(T(K.First + 13), W->Btn_PasteRow->Hint());
        EXPECT_EQ(T(K.First + 14 + K.Table), W->Table(K.Table).Sheet->Caption());
        TExColumnGrid* Grid = W->Table(K.Table).Grid;
        EXPECT_EQ(T(K.Header), Grid->Columns()->Items(K.Col)->Header());
        String Hint;
        if (Grid->OnGridHint)
            Grid->OnGridHint(Grid, 0, K.Col, Hint);
        EXPECT_EQ(K.Hint < 0 ? String() : T(K.Hint), Hint);
    }
    EXPECT_EQ(T(2749), FSet_SDO_Server_Access->Hint_SDO_Client_Write->Strings(7));
}
