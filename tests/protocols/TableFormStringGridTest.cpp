// The frame's string-grid tables: check boxes in cells through showing,
// loading, saving and the row buttons, the combo editor per cell, and a
// table whose blank keys do not end it.
#include "protocols/UTable_Form.h"

#include "grid/control/ExGrid_Editors.h"
#include "rtl/DialogsTestService.h"
#include "shell/ShellState.h"

#include <QFile>

namespace {

constexpr Integer Rows = 6; // five data rows
enum { Col_N, Col_Enable, Col_Kind, Col_Name, Col_Swap };

const QStringList Kinds{QStringLiteral("Bool"), QStringLiteral("Int8")};

TTable_Desc String_Desc(bool Key_Ends_Table)
{
    TTable_Desc D{nullptr,
                  Rows,
                  Col_Kind,
                  Col_Enable,
                  -1,
                  true,
                  {{3714},
                   {3715, edDataCheckBox, 50, RGB(0xFF, 0xD8, 0xB0)},
                   {3716, edComboList, 120, RGB(0xE0, 0xFA, 0xFE), Kinds},
                   {3719, edNormal, 200},
                   {3720, edDataCheckBox, 60}},
                  {3724, 3725, 3728, 3729},
                  {{"Enable", Col_Enable, "Y"}, {"Kind", Col_Kind, ""}, {"Name", Col_Name, ""}, {"Swap", Col_Swap, "N"}}};
    D.String_Grid = true;
    D.Key_Ends_Table = Key_Ends_Table;
    return D;
}

class TString_Table_Form : public TTable_Form {
public:
    TString_Table_Form(TComponent* AOwner, bool Key_Ends_Table)
        : TTable_Form(AOwner, 3700,
                      TTable_Window_Desc{"Test_Root", "1.004", &File_ModbusM_SetAccess, 600, 300,
                                         TTable_Texts{{3702, 3703, 3704, 3705, 3706, 3707},
                                                      {3708, 3709, 3710, 3711, 3712, 3713},
                                                      1668,
                                                      1688}})
    {
        Add_Table(String_Desc(Key_Ends_Table));
    }

    std::vector<std::pair<TRow_Move, Integer>> Moves;

protected:
    std::optional<String> Check_Row(Integer, Integer ARow) override
    {
        if (Table(0).Any_Grid->Cells(Col_Name, ARow).isEmpty())
            return QStringLiteral(" no name");
        return std::nullopt;
    }
    QStringList Combo_Items(Integer Table_Index, Integer ACol, Integer ARow) override
    {
        if (ARow == 2)
            return {QStringLiteral("only on row 2")};
        return TTable_Form::Combo_Items(Table_Index, ACol, ARow);
    }
    void Rows_Moved(Integer, TRow_Move Move, Integer ARow) override { Moves.emplace_back(Move, ARow); }
};

class TableFormStringGridTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        Load_Lang_English();
        Path_Project = Dir.path();
        File_ModbusM_SetAccess = Dir.path() + QStringLiteral("/Table.xml");
        Owner = std::make_unique<TComponent>(nullptr);
        Make(true);
    }
    void TearDown() override
    {
        Owner.reset();
        File_ModbusM_SetAccess.clear();
        SL_Copy_Row.Clear();
        Copy_Row_CheckBox.clear();
        ShellTest::TearDown();
    }
    void Make(bool Key_Ends_Table)
    {
        Form = new TString_Table_Form(Owner.get(), Key_Ends_Table);
        Form->DoCreate();
        Grid = Form->Table(0).Any_Grid;
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
    // Number, Enable box, kind, name, Swap box of a row ("Y"/"N" for boxes).
    QStringList Row(Integer R) const
    {
        const auto Box = [this, R](Integer C) {
            return QLatin1String(Grid->IsChecked(C, R) ? "Y" : "N");
        };
        return {Grid->Cells(Col_N, R), Box(Col_Enable), Grid->Cells(Col_Kind, R), Grid->Cells(Col_Name, R),
                Box(Col_Swap)};
    }
    void Put(Integer R, const char* Kind, const char* Name, bool Enable = true, bool Swap = false)
    {
        Grid->SetCells(Col_Kind, R, QLatin1String(Kind));
        Grid->SetCells(Col_Name, R, QLatin1String(Name));
        Grid->SetCheckBoxState(Col_Enable, R, Enable);
        Grid->SetCheckBoxState(Col_Swap, R, Swap);
    }
    QStringList Combo_List() const
    {
        QStringList L;
        for (Integer I = 0; I < Grid->Combobox()->Items()->Count(); ++I)
            L << Grid->Combobox()->Items()->Strings(I);
        return L;
    }
    bool Press_OK()
    {
        Form->SetModalResult(mrNone);
        Form->Btn_OK->Click();
        return Form->ModalResult() == mrOk;
    }

    TScriptedDialogs Dialogs;
    std::unique_ptr<TComponent> Owner;
    TString_Table_Form* Form = nullptr;
    TExStringGrid* Grid = nullptr;
};

} // namespace

TEST_F(TableFormStringGridTest, TheGridCarriesCheckBoxesColoursAndHeaders)
{
    EXPECT_EQ(nullptr, Form->Table(0).Grid);
    for (Integer R = 1; R < Rows; ++R) {
        EXPECT_TRUE(Grid->HasCheckBox(Col_Enable, R));
        EXPECT_TRUE(Grid->HasCheckBox(Col_Swap, R));
        EXPECT_FALSE(Grid->HasCheckBox(Col_Kind, R));
        EXPECT_EQ(RGB(0xE0, 0xFA, 0xFE), Grid->Colors(Col_Kind, R));
        EXPECT_EQ(taCenter, Grid->Alignments(Col_Swap, R));
    }
    EXPECT_FALSE(Grid->HasCheckBox(Col_Enable, 0));
    EXPECT_EQ(Lang.Strings(3716), Grid->Cells(Col_Kind, 0));
    EXPECT_EQ(40, Grid->ColWidths(Col_N));
    EXPECT_EQ(200, Grid->ColWidths(Col_Name));
    Lang.SetStrings(3719, QStringLiteral("Nome"));
    Form->Set_Lang();
    EXPECT_EQ(QStringLiteral("Nome"), Grid->Cells(Col_Name, 0));
}

TEST_F(TableFormStringGridTest, ShowingClearsEveryBoxAndLoadsTheStoredStates)
{
    Put(4, "stale", "stale", false, true);
    Write_File("<Test_Root>"
               "<row Kind=\"Bool\" Name=\"missing Enable and Swap\"/>"
               "<row Enable=\"N\" Kind=\"Int8\" Name=\"off\" Swap=\"Y\"/>"
               "<row Enable=\"y\" Kind=\"Int8\" Name=\"not N: on\" Swap=\"y\"/>"
               "</Test_Root>");
    Form->FormShow(Form);
    EXPECT_TRUE(Dialogs->Boxes.empty());
    EXPECT_EQ((QStringList{"1", "Y", "Bool", "missing Enable and Swap", "N"}), Row(1));
    EXPECT_EQ((QStringList{"2", "N", "Int8", "off", "Y"}), Row(2));
    EXPECT_EQ((QStringList{"3", "Y", "Int8", "not N: on", "N"}), Row(3));
    EXPECT_EQ((QStringList{"4", "Y", "", "", "N"}), Row(4));
}

TEST_F(TableFormStringGridTest, OkWritesBoxesAsYAndNAndChecksEnabledRowsOnly)
{
    Form->FormShow(Form);
    Put(1, "Bool", "a", true, true);
    Put(2, "Int8", "", false);
    Put(4, "Int8", "after a blank key");
    ASSERT_TRUE(Press_OK());
    EXPECT_TRUE(Dialogs->Boxes.empty());
    EXPECT_EQ(QByteArray("<Test_Root><row Enable=\"Y\" Kind=\"Bool\" Name=\"a\" Swap=\"Y\"/>"
                         "<row Enable=\"N\" Kind=\"Int8\" Name=\"\" Swap=\"N\"/>"
                         "</Test_Root><!--SW_VERSION = 1.004-->"),
              File_Bytes());

    Grid->SetCheckBoxState(Col_Enable, 2, true);
    EXPECT_FALSE(Press_OK());
    EXPECT_EQ(QStringList{QStringLiteral("Error row 2 no name")}, QStringList{Dialogs->Boxes.back().Text});
}

TEST_F(TableFormStringGridTest, WithoutAnEndingKeyBlankRowsAreSkippedAndLaterRowsKept)
{
    Make(false);
    Form->FormShow(Form);
    Put(2, "Bool", "second");
    Put(3, "", "");
    Put(5, "Int8", "", false);
    ASSERT_TRUE(Press_OK());
    EXPECT_EQ(QByteArray("<Test_Root><row Enable=\"Y\" Kind=\"Bool\" Name=\"second\" Swap=\"N\"/>"
                         "<row Enable=\"N\" Kind=\"Int8\" Name=\"\" Swap=\"N\"/>"
                         "</Test_Root><!--SW_VERSION = 1.004-->"),
              File_Bytes());
    Grid->SetCheckBoxState(Col_Enable, 5, true);
    EXPECT_FALSE(Press_OK());
    EXPECT_EQ(QStringLiteral("Error row 5 no name"), Dialogs->Boxes.back().Text);
}

TEST_F(TableFormStringGridTest, RowButtonsMoveBoxStatesAndReportWhatChanged)
{
    Form->FormShow(Form);
    Put(1, "Bool", "one", false, true);
    Put(2, "Int8", "two");

    Grid->SetRow(1);
    Form->Btn_InsRowClick(nullptr);
    EXPECT_EQ((QStringList{"1", "Y", "", "", "N"}), Row(1));
    EXPECT_EQ((QStringList{"2", "N", "Bool", "one", "Y"}), Row(2));

    Dialogs->BoxAnswers = {mrYes};
    Form->Btn_DelRowClick(nullptr);
    EXPECT_EQ((QStringList{"1", "N", "Bool", "one", "Y"}), Row(1));
    EXPECT_EQ((QStringList{"5", "Y", "", "", "N"}), Row(5));

    // Copy row 1, paste over the used row 2 (Yes), then into an empty row.
    Form->Btn_CopyRowClick(nullptr);
    EXPECT_EQ((std::vector<Boolean>{true, false, false, true}), Copy_Row_CheckBox);
    Grid->SetRow(2);
    Dialogs->BoxAnswers = {mrYes};
    Form->Btn_PasteRowClick(nullptr);
    EXPECT_EQ((QStringList{"2", "N", "Bool", "one", "Y"}), Row(2));

    // Refusals change nothing and report nothing: a delete answered No, an
    // insert that would drop a used last row answered No, a paste over a
    // used row answered No.
    Put(5, "Int8", "last");
    Dialogs->BoxAnswers = {mrNo, mrNo, mrNo};
    Form->Btn_DelRowClick(nullptr);
    Form->Btn_InsRowClick(nullptr);
    Form->Btn_PasteRowClick(nullptr);
    EXPECT_EQ((QStringList{"5", "Y", "Int8", "last", "N"}), Row(5));
    EXPECT_EQ((std::vector<std::pair<TRow_Move, Integer>>{{rmInsert, 1}, {rmDelete, 1}, {rmPaste, 2}}), Form->Moves);
}

TEST_F(TableFormStringGridTest, ComboColumnsGetTheirItemsPerCell)
{
    const auto Editor = [this](Integer ACol, Integer ARow) {
        TEditorType E = edNormal;
        Grid->OnGetEditorType(Grid, ACol, ARow, E);
        return E;
    };
    EXPECT_EQ(edComboList, Editor(Col_Kind, 1));
    EXPECT_EQ(Kinds, Combo_List());
    EXPECT_EQ(edComboList, Editor(Col_Kind, 2));
    EXPECT_EQ(QStringList{QStringLiteral("only on row 2")}, Combo_List());
    EXPECT_EQ(edNormal, Editor(Col_Name, 1));
    EXPECT_EQ(edNormal, Editor(Col_Swap, 1));
}
