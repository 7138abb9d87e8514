// The frame of the protocol table windows on a small window of two tables:
// showing, loading (also of damaged files), the checks walk, OK and the row
// buttons.
#include "protocols/UTable_Form.h"

#include "rtl/DialogsTestService.h"
#include "shell/ShellState.h"

#include <QFile>

namespace {

constexpr Integer Rows = 7; // six data rows
enum { Col_N, Col_Enable, Col_Slave, Col_Number, Col_Swap, Col_Mnemonic };

TTable_Desc Test_Desc(const char* Section, Integer Tab_Text)
{
    return TTable_Desc{
        Section,
        Rows,
        Col_Slave,
        Col_Enable,
        Tab_Text,
        true,
        {{1616}, {1617, edDataCheckBox, 50}, {1618}, {1620}, {1626, edDataCheckBox, 40}, {1627, edNormal, 120}},
        {1643, 1644, 1645, 1646, 1652},
        {{"Enable", Col_Enable, "Y"},
         {"Slave_ID", Col_Slave},
         {"Number", Col_Number},
         {"Swap", Col_Swap, "N"},
         {"Mnemonic", Col_Mnemonic}},
    };
}

class TTest_Table_Form : public TTable_Form {
public:
    explicit TTest_Table_Form(TComponent* AOwner)
        : TTable_Form(
              AOwner, 1600,
              TTable_Window_Desc{
                  "Test_Root", "1.000", &File_ModbusM_SetAccess, 600, 300,
                  TTable_Texts{{1602, 1603, 1604, 1605, -1, -1}, {1608, 1609, 1610, 1611, 1612, 1613}, 1668, 1688}})
    {
        Add_Table(Test_Desc("Read", 1614));
        Add_Table(Test_Desc("Write", 1615));
    }

protected:
    std::optional<String> Check_Row(Integer Table_Index, Integer ARow) override
    {
        TExColumnGrid* Grid = Table(Table_Index).Grid;
        if (!In_Range(Grid, Col_Slave, ARow, 1, 247))
            return Lang.Strings(Table_Index == 0 ? 1669 : 1679);
        if (!In_Range(Grid, Col_Number, ARow, 0, 10))
            return Limit_Text(1672, 10);
        return std::nullopt;
    }
};

class TableFormTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        Load_Lang_English();
        Path_Project = Dir.path();
        File_ModbusM_SetAccess = Dir.path() + QStringLiteral("/Table.xml");
        Owner = std::make_unique<TComponent>(nullptr);
        Form = new TTest_Table_Form(Owner.get());
        Form->DoCreate();
        Read = Form->Table(0).Grid;
        Write = Form->Table(1).Grid;
    }
    void TearDown() override
    {
        Owner.reset();
        File_ModbusM_SetAccess.clear();
        SL_Copy_Row.Clear();
        ShellTest::TearDown();
    }
    void Write_File(const QByteArray& Data)
    {
        QFile F(File_ModbusM_SetAccess);
        ASSERT_TRUE(F.open(QIODevice::WriteOnly));
        F.write(Data);
    }
    QByteArray File_Bytes() const
    {
        QFile F(File_ModbusM_SetAccess);
        return F.open(QIODevice::ReadOnly) ? F.readAll() : QByteArray();
    }
    // A row of the read or write grid: slave, number, mnemonic.
    static void Put(TExColumnGrid* Grid, Integer R, const char* Slave, const char* Number, const char* Mnemonic = "")
    {
        Grid->SetCells(Col_Slave, R, QLatin1String(Slave));
        Grid->SetCells(Col_Number, R, QLatin1String(Number));
        Grid->SetCells(Col_Mnemonic, R, QLatin1String(Mnemonic));
    }
    static QStringList Row(TExColumnGrid* Grid, Integer R)
    {
        QStringList L;
        for (Integer C = 0; C <= Col_Mnemonic; ++C)
            L << Grid->Cells(C, R);
        return L;
    }
    QStringList Box_Texts() const
    {
        QStringList L;
        for (const auto& B : Dialogs->Boxes)
            L << B.Text;
        return L;
    }
    // OK pressed; whether the window closed with OK.
    bool Press_OK()
    {
        Form->SetModalResult(mrNone);
        Form->Btn_OK->Click();
        return Form->ModalResult() == mrOk;
    }

    TScriptedDialogs Dialogs;
    std::unique_ptr<TComponent> Owner;
    TTest_Table_Form* Form = nullptr;
    TExColumnGrid* Read = nullptr;
    TExColumnGrid* Write = nullptr;
};

const QByteArray Good_File = "<?xml version=\"1.0\"?><!-- written elsewhere --><Test_Root>"
                             "<Read><row Slave_ID=\"7\" Number=\"3\" Mnemonic=\"first\" Unknown=\"x\"/>"
                             "<row Enable=\"N\" Slave_ID=\"8\" Number=\"4\" Swap=\"Y\" "
                             "Mnemonic=\"\"/></Read>"
                             "<Write><row Enable=\"Y\" Slave_ID=\"9\" Number=\"5\" Swap=\"N\" "
                             "Mnemonic=\"w\"/></Write>"
                             "</Test_Root>";

} // namespace

TEST_F(TableFormTest, ShowingClearsAndLoadsWithDefaults)
{
    Put(Read, 5, "stale", "1");
    Write_File(Good_File);
    Form->FormShow(Form);
    EXPECT_TRUE(Dialogs->Boxes.empty());
    EXPECT_EQ((QStringList{"1", "Y", "7", "3", "N", "first"}), Row(Read, 1));
    EXPECT_EQ((QStringList{"2", "N", "8", "4", "Y", ""}), Row(Read, 2));
    EXPECT_EQ((QStringList{"5", "Y", "", "", "", ""}), Row(Read, 5));
    EXPECT_EQ((QStringList{"1", "Y", "9", "5", "N", "w"}), Row(Write, 1));
    EXPECT_EQ((QStringList{"6", "Y", "", "", "", ""}), Row(Write, 6));
    EXPECT_EQ(Form->Table(0).Sheet, Form->PageControl1->ActivePage());

    // Without a file the tables stay empty.
    QFile::remove(File_ModbusM_SetAccess);
    Form->FormShow(Form);
    EXPECT_EQ((QStringList{"1", "Y", "", "", "", ""}), Row(Read, 1));
    EXPECT_TRUE(Dialogs->Boxes.empty());
}

TEST_F(TableFormTest, OkWritesRowsUpToTheFirstBlankKey)
{
    Form->FormShow(Form);
    Put(Read, 1, "1", "0", "a & b");
    Put(Read, 2, "300", "99", "disabled, not checked");
    Read->SetCells(Col_Enable, 2, QStringLiteral("N"));
    Put(Read, 3, "247", "10");
    Put(Read, 5, "5", "5", "after a blank key: dropped");
    ASSERT_TRUE(Press_OK());
    EXPECT_TRUE(Dialogs->Boxes.empty());
    EXPECT_EQ(QByteArray("<Test_Root><Read>"
                         "<row Enable=\"Y\" Slave_ID=\"1\" Number=\"0\" "
                         "Swap=\"\" Mnemonic=\"a &amp; b\"/>"
                         "<row Enable=\"N\" Slave_ID=\"300\" Number=\"99\" "
                         "Swap=\"\" Mnemonic=\"disabled, not checked\"/>"
                         "<row Enable=\"Y\" Slave_ID=\"247\" Number=\"10\" "
                         "Swap=\"\" Mnemonic=\"\"/>"
                         "</Read><Write/></Test_Root><!--SW_VERSION = 1.000-->"),
              File_Bytes());
}

TEST_F(TableFormTest, AFailingCheckNamesTheRowAndLeavesTheFile)
{
    Write_File(Good_File);
    const struct {
        Integer Table;
        Integer Row;
        const char* Slave;
        const char* Number;
        const char* Message;
    } Cases[] = {
        {0, 1, "0", "3", "Error row 1!! [Modbus Read] Slave ID must be between 1 and 247"},
        {0, 2, "248", "3", "Error row 2!! [Modbus Read] Slave ID must be between 1 and 247"},
        {0, 1, "5 ", "3", "Error row 1!! [Modbus Read] Slave ID must be between 1 and 247"},
        {0, 1, "0xF8", "3", "Error row 1!! [Modbus Read] Slave ID must be between 1 and 247"},
        {0, 1, "99999999999999999999", "3", "Error row 1!! [Modbus Read] Slave ID must be between 1 and 247"},
        {0, 1, "\xc3\xa8", "3", "Error row 1!! [Modbus Read] Slave ID must be between 1 and 247"},
        {0, 1, "7", "11", "Error row 1!! [Modbus Read] NPoint must be between 1 and 10"},
        {0, 1, "7", "-1", "Error row 1!! [Modbus Read] NPoint must be between 1 and 10"},
        {1, 1, "+0", "1", "Error row 1!! [Modbus Write] Slave ID must be between 1 and 247"},
    };
    for (const auto& K : Cases) {
        Form->FormShow(Form);
        TExColumnGrid* Grid = Form->Table(K.Table).Grid;
        Grid->SetCells(Col_Slave, K.Row, QString::fromUtf8(K.Slave));
        Grid->SetCells(Col_Number, K.Row, QLatin1String(K.Number));
        Grid->SetCells(Col_Enable, K.Row, QStringLiteral("Y"));
        Dialogs->Boxes.clear();
        EXPECT_FALSE(Press_OK()) << K.Message;
        EXPECT_EQ(QStringList{QLatin1String(K.Message)}, Box_Texts());
        EXPECT_EQ(Good_File, File_Bytes()) << K.Message;
    }
    // Passing boundaries and number forms.
    const char* Passing[] = {" 5", "$F7", "247", "1", "x10", "0x1"};
    for (const char* Slave : Passing) {
        Form->FormShow(Form);
        Put(Read, 1, Slave, "10");
        Put(Read, 2, "", "");
        Dialogs->Boxes.clear();
        EXPECT_TRUE(Press_OK()) << Slave;
        EXPECT_TRUE(Dialogs->Boxes.empty()) << Slave;
    }
}

TEST_F(TableFormTest, ADamagedFileIsReportedAndReplacedOnlyOnYes)
{
    const struct {
        QByteArray File;
        const char* Reason;
    } Cases[] = {
        {"<Test_Root><Read><row Slave_ID=\"7\" Number=\"3\" "
         "Mnemonic=\"\"/></Read></Test_Root>",
         "the section \"Write\" is missing"},
        {"<Test_Root><Read><row Slave_ID=\"7\" Number=\"3\" Mnemonic=\"\"/><row "
         "Slave_ID=\"7\" Number=\"1\"/></Read>"
         "<Write/></Test_Root>",
         "row 2 of \"Read\" has no attribute \"Mnemonic\""},
        {"<Test_Root><Read>" + QByteArray("<row Slave_ID=\"7\" Number=\"3\" Mnemonic=\"\"/>").repeated(8) +
             "</Read><Write/></Test_Root>",
         "\"Read\" holds 8 rows, the table only 6"},
    };
    for (const auto& K : Cases) {
        Write_File(K.File);
        Dialogs->Boxes.clear();
        Form->FormShow(Form);
        ASSERT_EQ(1u, Dialogs->Boxes.size()) << K.Reason;
        EXPECT_EQ(mtError, Dialogs->Boxes[0].DlgType);
        EXPECT_EQ(QStringLiteral("Error!! The file %1 could not be read completely: %2")
                      .arg(File_ModbusM_SetAccess, QLatin1String(K.Reason)),
                  Dialogs->Boxes[0].Text);
        EXPECT_EQ(QStringLiteral("7"), Read->Cells(Col_Slave, 1));
        Dialogs->BoxAnswers = {mrNo};
        EXPECT_FALSE(Press_OK());
        EXPECT_EQ(QStringLiteral("The file %1 could not be read completely. Do you "
                                 "want to replace it with the rows shown?")
                      .arg(File_ModbusM_SetAccess),
                  Dialogs->Boxes.back().Text);
        EXPECT_EQ(K.File, File_Bytes());
    }
    Dialogs->BoxAnswers = {mrYes};
    EXPECT_TRUE(Press_OK());
    EXPECT_TRUE(File_Bytes().startsWith("<Test_Root><Read><row Enable=\"Y\" Slave_ID=\"7\""));

    // Not XML at all: the parser's message; after a clean load nothing is asked.
    Write_File("not xml");
    Dialogs->Boxes.clear();
    Form->FormShow(Form);
    ASSERT_EQ(1u, Dialogs->Boxes.size());
    EXPECT_TRUE(Dialogs->Boxes[0].Text.startsWith(QStringLiteral("Error!! The file ") + File_ModbusM_SetAccess +
                                                  QStringLiteral(" could not be read completely: ")));
    Write_File(Good_File);
    Form->FormShow(Form);
    Dialogs->Boxes.clear();
    EXPECT_TRUE(Press_OK());
    EXPECT_TRUE(Dialogs->Boxes.empty());
}

TEST_F(TableFormTest, AWriteFailureIsShownAndTheWindowStaysOpen)
{
    File_ModbusM_SetAccess = Dir.path() + QStringLiteral("/missing/Table.xml");
    Form->FormShow(Form);
    Put(Read, 1, "7", "1");
    EXPECT_FALSE(Press_OK());
    ASSERT_EQ(1u, Dialogs->Boxes.size());
    EXPECT_EQ(mtError, Dialogs->Boxes[0].DlgType);
    EXPECT_EQ(QStringLiteral("7"), Read->Cells(Col_Slave, 1));
}

TEST_F(TableFormTest, RowButtonsActOnTheActiveTable)
{
    Write_File(Good_File);
    Form->FormShow(Form);
    // Copy in the read table, paste in the write table: refused.
    Read->SetRow(1);
    Form->Btn_CopyRowClick(nullptr);
    Form->PageControl1->SetActivePage(Form->Table(1).Sheet);
    Write->SetRow(3);
    Form->Btn_PasteRowClick(nullptr);
    EXPECT_EQ(QStringList{Lang.Strings(1502)}, Box_Texts());
    EXPECT_EQ(QString(), Write->Cells(Col_Slave, 3));

    // Within the write table it pastes.
    Write->SetRow(1);
    Form->Btn_CopyRowClick(nullptr);
    Write->SetRow(3);
    Form->Btn_PasteRowClick(nullptr);
    EXPECT_EQ(Row(Write, 1).mid(1), Row(Write, 3).mid(1));

    // Delete names the row; No changes nothing, Yes moves the rows up.
    Dialogs->BoxAnswers = {mrNo, mrYes};
    Write->SetRow(1);
    Form->Btn_DelRowClick(nullptr);
    EXPECT_EQ(QStringLiteral("Are you sure to delete the Row number 1"), Box_Texts().last());
    EXPECT_EQ(QStringLiteral("9"), Write->Cells(Col_Slave, 1));
    Form->Btn_DelRowClick(nullptr);
    EXPECT_EQ(QString(), Write->Cells(Col_Slave, 1));
    EXPECT_EQ(QStringLiteral("9"), Write->Cells(Col_Slave, 2));

    // Insert sets Enable in the new row; the read table is untouched.
    Write->SetRow(2);
    Write->SetCells(Col_Enable, 2, QStringLiteral("N"));
    Form->Btn_InsRowClick(nullptr);
    EXPECT_EQ((QStringList{"2", "Y", "", "", "", ""}), Row(Write, 2));
    EXPECT_EQ(QStringLiteral("9"), Write->Cells(Col_Slave, 3));
    EXPECT_EQ(QStringLiteral("7"), Read->Cells(Col_Slave, 1));
    EXPECT_EQ(QStringLiteral("8"), Read->Cells(Col_Slave, 2));

    // A new showing forgets the copy.
    Form->FormShow(Form);
    Form->PageControl1->SetActivePage(Form->Table(1).Sheet);
    Dialogs->Boxes.clear();
    Form->Btn_PasteRowClick(nullptr);
    EXPECT_EQ(QStringList{Lang.Strings(1502)}, Box_Texts());
}

TEST_F(TableFormTest, LanguageTextsReachButtonsTabsHeadersAndHints)
{
    EXPECT_EQ(Lang.Strings(1600), Form->Caption());
    EXPECT_EQ(QStringLiteral("Delete Row"), Form->Btn_DelRow->Caption());
    EXPECT_EQ(QStringLiteral("Copy Row"), Form->Btn_CopyRow->Caption());
    Lang.SetStrings(1604, QStringLiteral("Zeile l\u00f6schen"));
    Lang.SetStrings(1615, QStringLiteral("Schreiben"));
    Lang.SetStrings(1618, QStringLiteral("Sklave"));
    Lang.SetStrings(1646, QStringLiteral("Tausch"));
    Form->Set_Lang();
    EXPECT_EQ(QStringLiteral("Zeile l\u00f6schen"), Form->Btn_DelRow->Caption());
    EXPECT_EQ(QStringLiteral("Schreiben"), Form->Table(1).Sheet->Caption());
    EXPECT_EQ(QStringLiteral("Sklave"), Write->Columns()->Items(Col_Slave)->Header());
    String Hint = QStringLiteral("unchanged");
    Write->OnGridHint(Write, 0, Col_Swap, Hint);
    EXPECT_EQ(QStringLiteral("Tausch"), Hint);
    Hint = QStringLiteral("unchanged");
    Write->OnGridHint(Write, 1, Col_Swap, Hint);
    EXPECT_EQ(QStringLiteral("unchanged"), Hint);
}
