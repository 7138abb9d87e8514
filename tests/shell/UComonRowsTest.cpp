// The row operations of the table editors on small grids of both kinds,
// and the two table options.
#include "ShellState.h"
#include "grid/control/ExCGrid.h"
#include "rtl/DialogsTestService.h"
#include "rtl/Forms.h"

#include <memory>

namespace {

constexpr Integer Rows = 11; // header and data rows 1 to 10
constexpr Integer Last_Row = Rows - 1;

String Text(Integer C, Integer R)
{
    return QStringLiteral("%1.%2").arg(C).arg(R);
}

class RowsTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        Load_Lang_English();
        Form = std::make_unique<TForm>(nullptr);
        Form->SetClientWidth(800);
        Form->SetClientHeight(400);
        SL_Copy_Row.Clear();
        Copy_Row_CheckBox.clear();
    }
    void TearDown() override
    {
        Form.reset();
        SL_Copy_Row.Clear();
        Copy_Row_CheckBox.clear();
        ShellTest::TearDown();
    }

    // A column grid with Data_Columns data columns, column 1 a "Y"/"N"
    // check-box column, every data row filled with Text or "Y"/"N".
    TExColumnGrid* Column_Grid(Integer Data_Columns, bool Fill = true)
    {
        auto* Grid = new TExColumnGrid(Form.get());
        Grid->SetParent(Form.get());
        Grid->SetBounds(0, 0, 800, 400);
        Grid->SetColCount(Data_Columns + 1);
        Grid->SetRowCount(Rows);
        Grid->SetFixedRows(1);
        Grid->SetFixedCols(1);
        TGridColumnItem* Enable = Grid->Columns()->Items(1);
        Enable->SetEditor(edDataCheckBox);
        Enable->SetCheckTrue(QStringLiteral("Y"));
        Enable->SetCheckFalse(QStringLiteral("N"));
        for (Integer R = 1; Fill && R < Rows; ++R)
            for (Integer C = 1; C <= Data_Columns; ++C)
                Grid->SetCells(C, R, C == 1 ? (R % 2 ? QStringLiteral("Y") : QStringLiteral("N")) : Text(C, R));
        return Grid;
    }
    // A string grid with 4 data columns; columns 1 and 3 carry check boxes,
    // set in odd rows.
    TExStringGrid* String_Grid(bool Fill = true)
    {
        auto* Grid = new TExStringGrid(Form.get());
        Grid->SetParent(Form.get());
        Grid->SetBounds(0, 0, 800, 400);
        Grid->SetColCount(5);
        Grid->SetRowCount(Rows);
        for (Integer R = 1; R < Rows; ++R)
            for (Integer C = 1; C <= 4; ++C) {
                if (C == 1 || C == 3)
                    Grid->AddCheckBox(C, R, Fill && R % 2 == 1, false);
                else if (Fill)
                    Grid->SetCells(C, R, Text(C, R));
            }
        return Grid;
    }
    static QStringList Row_Texts(TExStringGrid* Grid, Integer R)
    {
        QStringList L;
        for (Integer C = 1; C < Grid->ColCount() + Grid->NumHiddenColumns(); ++C)
            L << Grid->Cells(C, R);
        return L;
    }
    static QStringList Row_States(TExStringGrid* Grid, Integer R)
    {
        QStringList L;
        for (Integer C : {1, 3}) {
            bool State = false;
            Grid->GetCheckBoxState(C, R, State);
            L << (State ? QStringLiteral("X") : QStringLiteral("-"));
        }
        return L;
    }
    static QStringList Copied()
    {
        QStringList L;
        for (Integer I = 0; I < SL_Copy_Row.Count(); ++I)
            L << SL_Copy_Row.Strings(I);
        return L;
    }
    QStringList Box_Texts() const
    {
        QStringList L;
        for (const auto& B : Dialogs->Boxes)
            L << B.Text;
        return L;
    }

    std::unique_ptr<TForm> Form;
    TScriptedDialogs Dialogs;
};

} // namespace

TEST_F(RowsTest, ColumnGridDeleteMovesRowsUpAndEmptiesTheLast)
{
    auto* Grid = Column_Grid(8);
    const QStringList Row2 = Row_Texts(Grid, 2);
    Delete_Row_ECG(1, Grid);
    for (Integer R = 1; R < Last_Row; ++R)
        EXPECT_EQ(Row_Texts(Column_Grid(8), R + 1), Row_Texts(Grid, R)) << R;
    EXPECT_EQ(Row2, Row_Texts(Grid, 1));
    EXPECT_EQ(QStringList(8, String()), Row_Texts(Grid, Last_Row));

    auto* Other = Column_Grid(8);
    const QStringList Row9 = Row_Texts(Other, 9);
    Delete_Row_ECG(Last_Row, Other);
    EXPECT_EQ(QStringList(8, String()), Row_Texts(Other, Last_Row));
    EXPECT_EQ(Row9, Row_Texts(Other, 9));
    EXPECT_TRUE(Dialogs->Boxes.empty());
}

TEST_F(RowsTest, ColumnGridInsertMovesRowsDownAndAsksBeforeLosingTheLast)
{
    auto* Grid = Column_Grid(8);
    auto* Reference = Column_Grid(8);
    // The last row is in use: No changes nothing.
    Dialogs->BoxAnswers = {mrNo};
    Insert_Row_ECG(3, Grid, true);
    ASSERT_EQ(1u, Dialogs->Boxes.size());
    EXPECT_EQ(Lang.Strings(1506), Dialogs->Boxes[0].Text);
    EXPECT_EQ(mtConfirmation, Dialogs->Boxes[0].DlgType);
    for (Integer R = 1; R < Rows; ++R)
        EXPECT_EQ(Row_Texts(Reference, R), Row_Texts(Grid, R)) << R;

    Dialogs->BoxAnswers = {mrYes};
    Insert_Row_ECG(3, Grid, true);
    EXPECT_EQ(2u, Dialogs->Boxes.size());
    for (Integer R = 1; R < 3; ++R)
        EXPECT_EQ(Row_Texts(Reference, R), Row_Texts(Grid, R)) << R;
    QStringList Blank(8, String());
    Blank[0] = QStringLiteral("Y");
    EXPECT_EQ(Blank, Row_Texts(Grid, 3));
    for (Integer R = 4; R < Rows; ++R)
        EXPECT_EQ(Row_Texts(Reference, R - 1), Row_Texts(Grid, R)) << R;

    // An unused last row (only a check state and blanks) goes silently;
    // at the last row insert only empties it.
    for (Integer C = 2; C <= 8; ++C)
        Grid->SetCells(C, Last_Row, QStringLiteral("  "));
    Insert_Row_ECG(Last_Row, Grid, false);
    EXPECT_EQ(2u, Dialogs->Boxes.size());
    EXPECT_EQ(QStringList(8, String()), Row_Texts(Grid, Last_Row));
    EXPECT_EQ(Row_Texts(Reference, 8), Row_Texts(Grid, 9));
}

TEST_F(RowsTest, ColumnGridCopyAndPasteAreGuarded)
{
    auto* Source = Column_Grid(8);
    auto* Target = Column_Grid(8, false);
    auto* Narrow = Column_Grid(7, false);

    Paste_Row_ECG(Target, 1, false);
    Copy_Row_ECG(Source, 4);
    EXPECT_EQ(Row_Texts(Source, 4), Copied());
    Paste_Row_ECG(Narrow, 1, true);
    EXPECT_EQ((QStringList{Lang.Strings(1502), Lang.Strings(1501)}), Box_Texts());
    EXPECT_EQ(mtError, Dialogs->Boxes[1].DlgType);
    EXPECT_EQ(QStringList(7, String()), Row_Texts(Narrow, 1));
    EXPECT_EQ(QStringList(8, String()), Row_Texts(Target, 1));

    // A row holding only check states and blanks is free.
    Target->SetCells(1, 2, QStringLiteral("N"));
    Target->SetCells(5, 2, QStringLiteral("   "));
    Paste_Row_ECG(Target, 2, true);
    EXPECT_EQ(2u, Dialogs->Boxes.size());
    EXPECT_EQ(Row_Texts(Source, 4), Row_Texts(Target, 2));

    // A used row asks; No keeps it, Yes overwrites it.
    Dialogs->BoxAnswers = {mrNo, mrYes};
    const QStringList Used = Row_Texts(Source, 7);
    Paste_Row_ECG(Source, 7, true);
    EXPECT_EQ(Lang.Strings(1500), Dialogs->Boxes.back().Text);
    EXPECT_EQ(Used, Row_Texts(Source, 7));
    Paste_Row_ECG(Source, 7, true);
    EXPECT_EQ(4u, Dialogs->Boxes.size());
    EXPECT_EQ(Row_Texts(Source, 4), Row_Texts(Source, 7));
}

TEST_F(RowsTest, HiddenColumnsAreCoveredByRealIndex)
{
    auto* Grid = Column_Grid(8);
    Grid->HideColumn(6);
    Copy_Row_ECG(Grid, 2);
    ASSERT_EQ(8, SL_Copy_Row.Count());
    EXPECT_EQ(Text(6, 2), SL_Copy_Row.Strings(5));
    Delete_Row_ECG(2, Grid);
    EXPECT_EQ(Text(6, 3), Grid->Cells(6, 2));
    EXPECT_EQ(String(), Grid->Cells(8, Last_Row));
}

TEST_F(RowsTest, StringGridMovesCheckStatesAndTexts)
{
    auto* Grid = String_Grid();
    Delete_Row_ESG(1, Grid, true);
    for (Integer R = 1; R < Last_Row; ++R) {
        EXPECT_EQ(Text(2, R + 1), Grid->Cells(2, R)) << R;
        EXPECT_EQ(R % 2 == 0 ? (QStringList{"X", "X"}) : (QStringList{"-", "-"}), Row_States(Grid, R)) << R;
    }
    EXPECT_EQ(String(), Grid->Cells(2, Last_Row));
    EXPECT_EQ((QStringList{"X", "-"}), Row_States(Grid, Last_Row));

    auto* Other = String_Grid();
    // The last row holds texts: the insert asks first.
    Dialogs->BoxAnswers = {mrNo, mrYes};
    Insert_Row_ESG(2, Other, false);
    EXPECT_EQ(Text(2, 2), Other->Cells(2, 2));
    Insert_Row_ESG(2, Other, false);
    EXPECT_EQ((QStringList{Lang.Strings(1506), Lang.Strings(1506)}), Box_Texts());
    EXPECT_EQ(String(), Other->Cells(2, 2));
    EXPECT_EQ((QStringList{"-", "-"}), Row_States(Other, 2));
    EXPECT_EQ(Text(4, 2), Other->Cells(4, 3));
    EXPECT_EQ((QStringList{"-", "-"}), Row_States(Other, 3));
    EXPECT_EQ((QStringList{"X", "X"}), Row_States(Other, 4));
}

TEST_F(RowsTest, StringGridCopyAndPasteRestoreCheckStates)
{
    auto* Source = String_Grid();
    auto* Target = String_Grid(false);
    // Target row 2: boxes set, other cells empty: free.
    Target->SetCheckBoxState(1, 2, true);
    Target->SetCheckBoxState(3, 2, true);
    Copy_Row_ESG(Source, 4);
    EXPECT_EQ((QStringList{"N", Text(2, 4), "N", Text(4, 4)}), Copied());
    EXPECT_EQ((std::vector<Boolean>{true, false, true, false}), Copy_Row_CheckBox);
    Paste_Row_ESG(Target, 2, true);
    EXPECT_TRUE(Dialogs->Boxes.empty());
    EXPECT_EQ((QStringList{"-", "-"}), Row_States(Target, 2));
    EXPECT_EQ(Text(2, 4), Target->Cells(2, 2));

    Copy_Row_ESG(Source, 5);
    Paste_Row_ESG(Target, 3, true);
    EXPECT_EQ((QStringList{"X", "X"}), Row_States(Target, 3));

    // A cell of blanks makes the row used; No keeps it.
    Target->SetCells(4, 6, QStringLiteral(" "));
    Dialogs->BoxAnswers = {mrNo};
    Paste_Row_ESG(Target, 6, true);
    EXPECT_EQ((QStringList{Lang.Strings(1500)}), Box_Texts());
    EXPECT_EQ(String(), Target->Cells(2, 6));
    EXPECT_EQ(QStringLiteral(" "), Target->Cells(4, 6));

    // Without a valid copy nothing changes.
    Paste_Row_ESG(Target, 7, false);
    EXPECT_EQ(Lang.Strings(1502), Box_Texts().back());
    EXPECT_EQ(String(), Target->Cells(2, 7));
}

TEST_F(RowsTest, EnterJumpsToTheNextCellOnlyWithTheOption)
{
    auto* Grid = Column_Grid(8);
    struct Case {
        bool Option;
        Integer Col, Row;
        Integer Key_After, Col_After, Row_After;
    };
    const Case Cases[] = {
        {true, 3, 4, 0, 4, 4},
        {true, 8, 4, 0, 1, 5},
        {true, 8, Last_Row, 0, 1, 1},
        {false, 8, Last_Row, 13, 8, Last_Row},
    };
    for (const Case& K : Cases) {
        Enable_Jump_Field_Tables = K.Option;
        Grid->SetCol(K.Col);
        Grid->SetRow(K.Row);
        Char Key(13);
        KeyPress_Jump_Cell(Grid, Key);
        EXPECT_EQ(K.Key_After, Key.unicode()) << K.Col << "," << K.Row;
        EXPECT_EQ(K.Col_After, Grid->Col()) << K.Col << "," << K.Row;
        EXPECT_EQ(K.Row_After, Grid->Row()) << K.Col << "," << K.Row;
    }
    Char Other('a');
    Enable_Jump_Field_Tables = true;
    KeyPress_Jump_Cell(Grid, Other);
    EXPECT_EQ(Char('a'), Other);
}

TEST_F(RowsTest, DoubleClickSizesOnlyFromTheHeaderWithTheOption)
{
    auto* Grid = Column_Grid(8);
    Grid->SetCells(3, 5, QStringLiteral("a rather long text that needs a wide column"));
    Grid->SetColWidths(3, 20);
    DblClick_AutoSize_Col(Grid, 0, 3);
    EXPECT_EQ(20, Grid->ColWidths(3));
    Double_Click_Auto_Size = true;
    DblClick_AutoSize_Col(Grid, 5, 3);
    EXPECT_EQ(20, Grid->ColWidths(3));
    DblClick_AutoSize_Col(Grid, 0, 3);
    EXPECT_GT(Grid->ColWidths(3), 100);
}
