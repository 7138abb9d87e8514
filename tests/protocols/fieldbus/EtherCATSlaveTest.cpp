// The EtherCAT variable table window: its two grids, the position
// computation and every action that reruns it, the type rule, the loading
// and the file OK writes, and the row buttons on the active page.
#include "protocols/ethernet/TableWindowTest.h"

#include "../../grid/control/ExGridMouse.h"
#include "protocols/fieldbus/UEtherCATSlave.h"
#include "shell/UComon.h"

#include <QApplication>
#include <QTest>

namespace {

enum { Col_Enable = 1, Col_Type, Col_Length, Col_Name };

// One variable row: enabled, type, length.
struct TVar {
    bool Enable;
    const char* Type;
    const char* Length;
};

void Key(Qt::Key K)
{
    QTest::keyClick(QApplication::focusWidget(), K);
    QApplication::processEvents();
}

class EtherCATSlaveTest : public TableWindowTest {
protected:
    void SetUp() override
    {
        TableWindowTest::SetUp();
        W = FEtherCATSlave;
        StM = W->ESG_SlaveMaster;
        MtS = W->ESG_MasterSlave;
    }
    void TearDown() override
    {
        if (W->Visible())
            W->Hide();
        SL_Copy_Row.Clear();
        Copy_Row_CheckBox.clear();
        TableWindowTest::TearDown();
    }
    // The window shown, its file loaded, the page of Grid active.
    void Show(TExStringGrid* Grid = nullptr)
    {
        W->Show();
        QApplication::processEvents();
        if (Grid)
            W->PageControl1->SetActivePage(Grid == StM ? W->TS_SlaveToMaster : W->TS_MasterToSlave);
        QApplication::processEvents();
    }
    static void Put(TExStringGrid* Grid, Integer From, const std::vector<TVar>& Vars)
    {
        for (const TVar& V : Vars) {
            Grid->SetCheckBoxState(Col_Enable, From, V.Enable);
            Grid->SetCells(Col_Type, From, QLatin1String(V.Type));
            Grid->SetCells(Col_Length, From, QLatin1String(V.Length));
            ++From;
        }
    }
    // "Position/Start Bit" of rows 1 to Count.
    static QStringList Positions(TExStringGrid* Grid, Integer Count)
    {
        const Integer Position = Grid->ColCount() == 9 ? 6 : 5;
        QStringList L;
        for (Integer R = 1; R <= Count; ++R)
            L << Grid->Cells(Position, R) + u'/' + Grid->Cells(Position + 1, R);
        return L;
    }
    static void Stale(TExStringGrid* Grid, Integer Count)
    {
        const Integer Position = Grid->ColCount() == 9 ? 6 : 5;
        for (Integer R = 1; R <= Count; ++R) {
            Grid->SetCells(Position, R, QStringLiteral("9"));
            Grid->SetCells(Position + 1, R, QStringLiteral("9"));
        }
    }
    void Focus(TExStringGrid* Grid, Integer ACol, Integer ARow)
    {
        Grid->SetFocus();
        Grid->FocusCell(ACol, ARow);
        QApplication::processEvents();
    }
    // Text typed into the cell's editor and Enter.
    void Type_Into(TExStringGrid* Grid, Integer ACol, Integer ARow, const QString& Text)
    {
        Focus(Grid, ACol, ARow);
        Key(Qt::Key_F2);
        QWidget* Editor = QApplication::focusWidget();
        QTest::keyClick(Editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(Editor, Text);
        Key(Qt::Key_Return);
    }
    // The Type combo opened and the item Index chosen with the keys.
    void Choose_Type(TExStringGrid* Grid, Integer ARow, Integer Index)
    {
        Focus(Grid, Col_Type, ARow);
        Key(Qt::Key_F2);
        Key(Qt::Key_Home);
        for (Integer I = 0; I < Index; ++I)
            Key(Qt::Key_Down);
        Key(Qt::Key_Return);
    }
    void Click_Box(TExStringGrid* Grid, Integer ARow)
    {
        const TRect R = Grid->CellRect(Col_Enable, ARow);
        TGridMouse{Grid}.Click(QPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2));
        QApplication::processEvents();
    }

    TFEtherCATSlave* W = nullptr;
    TExStringGrid* StM = nullptr;
    TExStringGrid* MtS = nullptr;
};

} // namespace

TEST_F(EtherCATSlaveTest, TheTwoGridsFollowTheirLayout)
{
    EXPECT_EQ(QStringLiteral("EtherCAT Slave Set Access"), W->Caption());
    EXPECT_EQ(1200, W->ClientWidth());
    EXPECT_EQ(337, W->ClientHeight());
    EXPECT_EQ(W->TS_SlaveToMaster, W->PageControl1->ActivePage());
    EXPECT_EQ(QStringLiteral("Slave To Master"), W->TS_SlaveToMaster->Caption());
    EXPECT_EQ(QStringLiteral("Master To Slave"), W->TS_MasterToSlave->Caption());
    QStringList Types;
    for (Integer I = 0; I < W->VarType->Count(); ++I)
        Types << W->VarType->Strings(I);
    EXPECT_EQ((QStringList{"Bool", "Int8", "Int16", "Int32", "UInt8", "UInt16", "UInt32", "Float32", "Array"}),
              Types);

    struct TLayout {
        TExStringGrid* Grid;
        QStringList Headers;
        std::vector<Integer> Widths;
        std::vector<TColor> Colors;
        Integer Position;
        Integer Hints;
    };
    const TColor Enable = RGB(0xFF, 0xD8, 0xB0), Var = RGB(0xE0, 0xFA, 0xFE), Pos = RGB(0xFC, 0xD6, 0xF4);
    const TLayout Layouts[] = {
        {StM,
         {"N", "Enable", "Type", "Length", "Name", "Init Value", "Position", "Start Bit", "Mnemonic"},
         {40, 50, 120, 100, 280, 100, 100, 100, 100},
         {Enable, Var, Var, Var, RGB(0xA8, 0xFF, 0xA8), Pos, Pos, RGB(0xFF, 0xFF, 0xFF)},
         6,
         8},
        {MtS,
         {"N", "Enable", "Type", "Length", "Name", "Position", "Start Bit", "Mnemonic"},
         {40, 50, 120, 100, 280, 100, 100, 100},
         {Enable, Var, Var, Var, Pos, Pos, RGB(0xFF, 0xFF, 0xFF)},
         5,
         7},
    };
    for (const TLayout& L : Layouts) {
        ASSERT_EQ(L.Headers.size(), L.Grid->ColCount());
        EXPECT_EQ(257, L.Grid->RowCount());
        for (Integer C = 0; C < L.Grid->ColCount(); ++C) {
            EXPECT_EQ(L.Headers[C], L.Grid->Cells(C, 0));
            EXPECT_EQ(L.Widths[std::size_t(C)], L.Grid->ColWidths(C)) << C;
        }
        for (Integer R : {1, 256}) {
            EXPECT_TRUE(L.Grid->HasCheckBox(Col_Enable, R));
            for (Integer C = 1; C < L.Grid->ColCount(); ++C)
                EXPECT_EQ(L.Colors[std::size_t(C - 1)], L.Grid->Colors(C, R)) << C;
            EXPECT_TRUE(L.Grid->ReadOnly(L.Position, R));
            EXPECT_TRUE(L.Grid->ReadOnly(L.Position + 1, R));
            EXPECT_FALSE(L.Grid->ReadOnly(Col_Name, R));
        }
    }
    EXPECT_EQ(8, W->Hint_StM->Count());
    EXPECT_EQ(QStringLiteral("Insert the Default Value of EtherCAT Slave Variable"), W->Hint_StM->Strings(4));
    EXPECT_EQ(7, W->Hint_MtS->Count());
    EXPECT_EQ(QStringLiteral("Internal array Position of EtherCAT Slave Variable (read only)"),
              W->Hint_MtS->Strings(4));
}

TEST_F(EtherCATSlaveTest, PositionsPackBitsIntoBytes)
{
    struct TCase {
        const char* Name;
        std::vector<TVar> Vars;
        QStringList Expected;
    };
    const TVar Bool{true, "Bool", "1"};
    const TCase Cases[] = {
        {"bits around a word", {Bool, Bool, {true, "Int16", "2"}, Bool}, {"0/0", "0/1", "1/0", "3/0"}},
        {"nine bits", std::vector<TVar>(9, Bool), {"0/0", "0/1", "0/2", "0/3", "0/4", "0/5", "0/6", "0/7", "1/0"}},
        {"a disabled bit", {Bool, {false, "Bool", "1"}, Bool}, {"0/0", "0/0", "0/1"}},
        {"an array", {{true, "Array", "20"}, {true, "Int8", "1"}}, {"0/0", "20/0"}},
        {"an array without a length", {{true, "Array", ""}, {true, "Int8", "1"}}, {"0/0", "0/0"}},
        {"a negative length counts 0", {{true, "Array", "-6"}, {true, "Int32", "4"}, Bool}, {"0/0", "0/0", "4/0"}},
        {"four-byte values", {{true, "Float32", "4"}, {true, "UInt32", "4"}, {true, "UInt16", "2"}, Bool},
         {"0/0", "4/0", "8/0", "10/0"}},
        {"an unknown type takes its length", {{true, "Double", "8"}, Bool}, {"0/0", "8/0"}},
        {"an empty type ends it", {Bool, {true, " ", "1"}, Bool}, {"0/0", "9/9", "9/9"}},
    };
    for (TExStringGrid* Grid : {StM, MtS})
        for (const TCase& Case : Cases) {
            W->FormShow(W);
            Put(Grid, 1, Case.Vars);
            Stale(Grid, Integer(Case.Vars.size()));
            W->Calc_Position_Bit(Grid, Grid == StM);
            EXPECT_EQ(Case.Expected, Positions(Grid, Integer(Case.Vars.size()))) << Case.Name;
        }
}

TEST_F(EtherCATSlaveTest, TheTypeRuleSetsTheLengthAndItsEditability)
{
    Show(MtS);
    Choose_Type(MtS, 1, 8); // Array
    EXPECT_EQ(QStringLiteral("Array"), MtS->Cells(Col_Type, 1));
    EXPECT_EQ(QStringLiteral("10"), MtS->Cells(Col_Length, 1));
    EXPECT_FALSE(MtS->ReadOnly(Col_Length, 1));
    Choose_Type(MtS, 1, 3); // Int32
    EXPECT_EQ(QStringLiteral("Int32"), MtS->Cells(Col_Type, 1));
    EXPECT_EQ(QStringLiteral("4"), MtS->Cells(Col_Length, 1));
    EXPECT_TRUE(MtS->ReadOnly(Col_Length, 1));

    const std::pair<const char*, const char*> Rules[] = {{"Bool", "1"},   {"Int8", "1"},   {"UInt8", "1"},
                                                         {"Int16", "2"},  {"UInt16", "2"}, {"Int32", "4"},
                                                         {"UInt32", "4"}, {"Float32", "4"}};
    for (const auto& [Type, Length] : Rules) {
        W->VarSetLength(StM, QStringLiteral("Array"), 2);
        W->VarSetLength(StM, QLatin1String(Type), 2);
        EXPECT_EQ(QLatin1String(Length), StM->Cells(Col_Length, 2)) << Type;
        EXPECT_TRUE(StM->ReadOnly(Col_Length, 2)) << Type;
    }
    StM->SetCells(Col_Length, 2, QStringLiteral("7"));
    W->VarSetLength(StM, QStringLiteral("Double"), 2);
    EXPECT_EQ(QStringLiteral("7"), StM->Cells(Col_Length, 2));
    EXPECT_TRUE(StM->ReadOnly(Col_Length, 2));
}

// Choosing a type, a click on an Enable box and a validated Length rerun
// the computation; an Array refuses a Length below one byte.
TEST_F(EtherCATSlaveTest, EditsRecomputeThePositions)
{
    Show(StM);
    Put(StM, 1, {{true, "Bool", "1"}, {true, "Bool", "1"}, {true, "Int8", "1"}});
    Stale(StM, 3);
    Choose_Type(StM, 2, 8); // Array: 10 bytes after the first bit's byte
    EXPECT_EQ((QStringList{"0/0", "1/0", "11/0"}), Positions(StM, 3));

    Type_Into(StM, Col_Length, 2, QStringLiteral("20"));
    EXPECT_EQ(QStringLiteral("20"), StM->Cells(Col_Length, 2));
    EXPECT_EQ((QStringList{"0/0", "1/0", "21/0"}), Positions(StM, 3));

    for (const char* Refused : {"0", "-6", "abc", ""}) {
        Type_Into(StM, Col_Length, 2, QLatin1String(Refused));
        Key(Qt::Key_Escape);
        EXPECT_EQ(QStringLiteral("20"), StM->Cells(Col_Length, 2)) << Refused;
        EXPECT_EQ((QStringList{"0/0", "1/0", "21/0"}), Positions(StM, 3)) << Refused;
    }

    Click_Box(StM, 1);
    EXPECT_FALSE(StM->IsChecked(Col_Enable, 1));
    EXPECT_EQ((QStringList{"0/0", "0/0", "20/0"}), Positions(StM, 3));
}

TEST_F(EtherCATSlaveTest, LoadingReplacesStoredPositionsAndEmptiesAMissingLength)
{
    WriteFile(File_EtherCAT_Slave,
              "<EtherCAT_Slave><EtherCAT_Slave_Variables><EtherCAT_Slave_To_Master>"
              "<row Enable=\"N\" Type=\"Bool\" Length=\"1\" Name=\"off\" Position=\"7\" BitStart=\"7\"/>"
              "<row Enable=\"y\" Type=\"Bool\" Length=\"1\" Name=\"on\" InitValue=\"1\" Position=\"7\" BitStart=\"7\"/>"
              "<row Type=\"Array\" Name=\"no length\" Mnemonic=\"m\"/>"
              "<row Enable=\"Y\" Type=\"Int16\" Length=\"2\" Name=\"w\"/>"
              "</EtherCAT_Slave_To_Master><EtherCAT_Master_To_Slave>"
              "<row Enable=\"Y\" Type=\"Array\" Length=\"3\" Name=\"a\"/><row Enable=\"Y\" Type=\"Int8\" Length=\"1\"/>"
              "</EtherCAT_Master_To_Slave></EtherCAT_Slave_Variables></EtherCAT_Slave>");
    Show();
    EXPECT_TRUE(Dialogs->Boxes.empty());
    EXPECT_FALSE(StM->IsChecked(Col_Enable, 1));
    EXPECT_TRUE(StM->IsChecked(Col_Enable, 2));
    EXPECT_TRUE(StM->IsChecked(Col_Enable, 3));
    EXPECT_EQ(QStringLiteral("1"), StM->Cells(5, 2));
    EXPECT_EQ(QString(), StM->Cells(Col_Length, 3));
    EXPECT_FALSE(StM->ReadOnly(Col_Length, 3));
    EXPECT_TRUE(StM->ReadOnly(Col_Length, 4));
    EXPECT_EQ(QStringLiteral("m"), StM->Cells(8, 3));
    EXPECT_EQ((QStringList{"0/0", "0/0", "1/0", "1/0"}), Positions(StM, 4));
    EXPECT_EQ((QStringList{"0/0", "3/0"}), Positions(MtS, 2));
    EXPECT_TRUE(StM->IsChecked(Col_Enable, 5));
    EXPECT_EQ(QString(), StM->Cells(Col_Type, 5));
}

TEST_F(EtherCATSlaveTest, AFileWithoutASectionIsReportedAndReplacedOnlyWhenAllowed)
{
    const QByteArray Broken[] = {
        "<EtherCAT_Slave><EtherCAT_Slave_To_Master/><EtherCAT_Master_To_Slave/></EtherCAT_Slave>",
        "<EtherCAT_Slave><EtherCAT_Slave_Variables><EtherCAT_Slave_To_Master/></EtherCAT_Slave_Variables>"
        "</EtherCAT_Slave>",
        "<EtherCAT_Slave><EtherCAT_Slave_Variables>",
    };
    for (const QByteArray& File : Broken) {
        WriteFile(File_EtherCAT_Slave, File);
        Dialogs->Boxes.clear();
        Dialogs->BoxAnswers = {mrOk, mrNo};
        EXPECT_FALSE(Show_And_OK(W));
        ASSERT_EQ(2u, Dialogs->Boxes.size());
        EXPECT_TRUE(Dialogs->Boxes[0].Text.startsWith(QStringLiteral("Error!! The file ") + File_EtherCAT_Slave +
                                                      QStringLiteral(" could not be read completely: ")));
        EXPECT_EQ(QStringLiteral("The file ") + File_EtherCAT_Slave +
                      QStringLiteral(" could not be read completely. Do you want to replace it with the rows shown?"),
                  Dialogs->Boxes[1].Text);
        EXPECT_EQ(File, File_Bytes(File_EtherCAT_Slave));
    }
    Dialogs->BoxAnswers = {mrOk, mrYes};
    EXPECT_TRUE(Show_And_OK(W));
    EXPECT_TRUE(File_Bytes(File_EtherCAT_Slave).startsWith("<EtherCAT_Slave><EtherCAT_Slave_Variables>"));
}

TEST_F(EtherCATSlaveTest, OkWritesBothSectionsUpToTheFirstEmptyType)
{
    Show();
    Put(StM, 1, {{true, "Bool", "1"}, {false, "Array", "20"}});
    StM->SetCells(Col_Name, 1, QStringLiteral("b & <c>"));
    StM->SetCells(5, 1, QStringLiteral("1"));
    StM->SetCells(8, 2, QStringLiteral("text"));
    Put(StM, 4, {{true, "Int8", "1"}}); // after an empty Type: not saved
    Put(MtS, 1, {{true, "Int16", "2"}});
    W->Calc_Position_Bit(StM, true);
    W->Calc_Position_Bit(MtS, false);
    ASSERT_TRUE(Press_OK(W));
    EXPECT_TRUE(Dialogs->Boxes.empty());
    EXPECT_EQ(std::string("<EtherCAT_Slave><EtherCAT_Slave_Variables><EtherCAT_Slave_To_Master>"
                         "<row Enable=\"Y\" Type=\"Bool\" Length=\"1\" Name=\"b &amp; &lt;c>\" InitValue=\"1\" "
                         "Position=\"0\" BitStart=\"0\" Mnemonic=\"\"/>"
                         "<row Enable=\"N\" Type=\"Array\" Length=\"20\" Name=\"\" InitValue=\"\" "
                         "Position=\"0\" BitStart=\"0\" Mnemonic=\"text\"/>"
                         "</EtherCAT_Slave_To_Master><EtherCAT_Master_To_Slave>"
                         "<row Enable=\"Y\" Type=\"Int16\" Length=\"2\" Name=\"\" Position=\"0\" BitStart=\"0\" "
                         "Mnemonic=\"\"/>"
                         "</EtherCAT_Master_To_Slave></EtherCAT_Slave_Variables></EtherCAT_Slave>"
                         "<!--SW_VERSION = 1.004-->"),
              File_Bytes(File_EtherCAT_Slave).toStdString());
}

// Delete (Yes or No), Insert and Paste rerun the computation on the active
// page's grid; a copy of one grid cannot be pasted into the other.
TEST_F(EtherCATSlaveTest, RowButtonsActOnTheActivePageAndRecompute)
{
    Show(MtS);
    Put(MtS, 1, {{true, "Bool", "1"}, {true, "Array", "20"}, {true, "Int8", "1"}});
    Put(StM, 1, {{true, "Int8", "1"}});
    const auto Press = [](TLbButton* Button) {
        Button->Click();
        QApplication::processEvents();
    };

    MtS->SetRow(2);
    Stale(MtS, 3);
    Dialogs->BoxAnswers = {mrNo};
    Press(W->Btn_DelRow);
    ASSERT_EQ(1u, Dialogs->Boxes.size());
    EXPECT_EQ(QStringLiteral("Are you sure to delete the Row number 2"), Dialogs->Boxes[0].Text);
    EXPECT_TRUE(Dialogs->Boxes[0].Buttons == mbYesNo);
    EXPECT_EQ((QStringList{"0/0", "1/0", "21/0"}), Positions(MtS, 3));

    // Insert empties the row, whose blank Type ends the computation; the
    // rows above it are computed anew.
    Stale(MtS, 3);
    Press(W->Btn_InsRow);
    EXPECT_EQ(QString(), MtS->Cells(Col_Type, 2));
    EXPECT_TRUE(MtS->IsChecked(Col_Enable, 2));
    EXPECT_EQ((QStringList{"0/0", "/", "9/9", "9/9"}), Positions(MtS, 4));
    Dialogs->BoxAnswers = {mrYes};
    Press(W->Btn_DelRow);
    EXPECT_EQ(QStringLiteral("Array"), MtS->Cells(Col_Type, 2));
    EXPECT_EQ((QStringList{"0/0", "1/0", "21/0"}), Positions(MtS, 3));

    // Copy the Array, paste it into an empty row: its Length stays 20.
    MtS->SetRow(2);
    Press(W->Btn_CopyRow);
    EXPECT_TRUE(W->Table(1).Copied);
    EXPECT_FALSE(W->Table(0).Copied);
    MtS->SetRow(4);
    Dialogs->Boxes.clear();
    Press(W->Btn_PasteRow);
    EXPECT_TRUE(Dialogs->Boxes.empty());
    EXPECT_EQ(QStringLiteral("Array"), MtS->Cells(Col_Type, 4));
    EXPECT_EQ(QStringLiteral("20"), MtS->Cells(Col_Length, 4));
    EXPECT_FALSE(MtS->ReadOnly(Col_Length, 4));
    EXPECT_EQ((QStringList{"0/0", "1/0", "21/0", "22/0"}), Positions(MtS, 4));

    // The other page: its copy flag is off.
    W->PageControl1->SetActivePage(W->TS_SlaveToMaster);
    StM->SetRow(2);
    Press(W->Btn_PasteRow);
    ASSERT_EQ(1u, Dialogs->Boxes.size());
    EXPECT_EQ(QStringLiteral("Error!!! Copy a valid row before Paste it"), Dialogs->Boxes[0].Text);
    EXPECT_EQ(QString(), StM->Cells(Col_Type, 2));
}
