// Check boxes of every kind, their states by real row, toggling, the hit
// test, radio groups and radio buttons.
#include "ExGridTestForm.h"

#include <map>

namespace {

// Stands for the column grid of the table windows: the data cells of a
// column whose editor is edDataCheckBox answer one shared virtual box and
// the column's own check texts.
class TCheckColumnGrid : public TTestExGrid {
public:
    using TTestExGrid::TTestExGrid;

    struct TColumn {
        TEditorType Editor = edNormal;
        String CheckTrue = "Y";
        String CheckFalse = "N";
    };
    std::map<Integer, TColumn> Columns;

    TCellGraphic* GetCellGraphic(Integer ACol, Integer ARow) override
    {
        if (TCellGraphic* Own = TExStringGrid::GetCellGraphic(ACol, ARow))
            return Own;
        const auto It = Columns.find(ACol);
        if (It == Columns.end() || It->second.Editor != edDataCheckBox || !IsDataCell(ACol, ARow))
            return nullptr;
        FVirtualBox.SetCellType(ctVirtCheckBox);
        FVirtualBox.SetCellTransparent(ControlLook()->ControlStyle() == csFlat);
        return &FVirtualBox;
    }
    void GetCheckTrue(Integer ACol, Integer ARow, String& Value) override
    {
        TExStringGrid::GetCheckTrue(ACol, ARow, Value);
        if (const auto It = Columns.find(ACol); It != Columns.end())
            Value = It->second.CheckTrue;
    }
    void GetCheckFalse(Integer ACol, Integer ARow, String& Value) override
    {
        TExStringGrid::GetCheckFalse(ACol, ARow, Value);
        if (const auto It = Columns.find(ACol); It != Columns.end())
            Value = It->second.CheckFalse;
    }

private:
    bool IsDataCell(Integer ACol, Integer ARow)
    {
        const Integer C = DisplColIndex(ACol);
        return ARow >= FixedRows() && C >= FixedCols() && ARow < RowCount() - FixedFooters() &&
               C < ColCount() - FixedRightCols();
    }

    TCellGraphic FVirtualBox;
};

class ExGridCheckTest : public ::testing::Test {
protected:
    ExGridCheckTest()
    {
        Form = std::make_unique<TForm>(nullptr);
        Form->SetClientWidth(600);
        Form->SetClientHeight(400);
        G = new TCheckColumnGrid(Form.get());
        G->SetParent(Form.get());
        G->SetColCount(4);
        G->SetRowCount(8);
        G->Columns[2].Editor = edDataCheckBox;
        G->OnCheckBoxChange = [this](TObject*, Integer C, Integer R, bool S) {
            Events << QString("%1 %2 %3").arg(C).arg(R).arg(S ? 1 : 0);
        };
    }

    std::unique_ptr<TForm> Form;
    TCheckColumnGrid* G = nullptr;
    QStringList Events;
};

} // namespace

TEST_F(ExGridCheckTest, DataAndVirtualBoxesReadOnlyTheExactCheckTrueText)
{
    G->AddCheckBox(1, 1, false, true);
    for (Integer C : {1, 2}) {
        SCOPED_TRACE(C);
        for (auto [Text, Checked] : {std::pair<const char*, bool>{"Y", true}, {"y", false}, {"", false}, {"N", false}}) {
            G->SetCells(C, 1, Text);
            bool State = !Checked;
            EXPECT_TRUE(G->GetCheckBoxState(C, 1, State));
            EXPECT_EQ(State, Checked) << Text;
        }
        EXPECT_TRUE(G->SetCheckBoxState(C, 1, false));
        EXPECT_EQ(G->Cells(C, 1), String("N"));
    }
    EXPECT_TRUE(Events.isEmpty()) << "writing a state raises no event";
    bool State = false;
    EXPECT_FALSE(G->GetCheckBoxState(2, 0, State)) << "fixed row of the column";
    EXPECT_FALSE(G->IsChecked(3, 1));
}

TEST_F(ExGridCheckTest, AddingADataBoxWritesACheckTextOnlyOverOtherTexts)
{
    G->SetCells(1, 1, "abc");
    G->AddCheckBox(1, 1, true, true);
    EXPECT_EQ(G->Cells(1, 1), String("Y"));
    G->SetCells(1, 2, "N");
    G->AddCheckBox(1, 2, true, true);
    EXPECT_EQ(G->Cells(1, 2), String("N"));
    EXPECT_FALSE(G->IsChecked(1, 2));
    G->SetCells(1, 3, "");
    G->AddCheckBox(1, 3, false, false);
    EXPECT_EQ(G->Cells(1, 3), String("")) << "an empty cell keeps its empty text";
    EXPECT_FALSE(G->IsChecked(1, 3));
}

TEST_F(ExGridCheckTest, AddingOutsideTheGridRaisesInvalidCell)
{
    for (auto [C, R] : {std::pair{4, 1}, {1, 8}, {-1, 1}, {1, -1}}) {
        SCOPED_TRACE(QString("%1 %2").arg(C).arg(R).toStdString());
        for (const std::function<void()>& Add : std::initializer_list<std::function<void()>>{
                 [&] { G->AddCheckBox(C, R, true, false); }, [&] { G->AddCheckBox(C, R, cbGrayed); },
                 [&] { G->AddRadioButton(C, R, true); }}) {
            try {
                Add();
                ADD_FAILURE() << "no exception";
            } catch (const EExGridError& E) {
                EXPECT_EQ(E.Message(), String("Invalid cell"));
            }
        }
    }
}

TEST_F(ExGridCheckTest, ToggleFlipsTheCheckTextsWithOneEventEach)
{
    G->SetCells(2, 3, "Y");
    EXPECT_TRUE(G->ToggleCheckBox(2, 3));
    EXPECT_EQ(G->Cells(2, 3), String("N"));
    EXPECT_TRUE(G->ToggleCheckBox(2, 3));
    EXPECT_EQ(G->Cells(2, 3), String("Y"));
    EXPECT_EQ(Events, (QStringList{"2 3 0", "2 3 1"}));

    Events.clear();
    G->Columns[2].CheckTrue = "1";
    G->Columns[2].CheckFalse = "0";
    G->SetCells(2, 4, "0");
    G->ToggleCheckBox(2, 4);
    EXPECT_EQ(G->Cells(2, 4), String("1"));
    EXPECT_EQ(Events, QStringList{"2 4 1"});
    EXPECT_FALSE(G->ToggleCheckBox(3, 4)) << "no box";
}

TEST_F(ExGridCheckTest, ATriStateBoxTogglesGrayedCheckedUnchecked)
{
    G->AddCheckBox(1, 2, cbUnchecked);
    QStringList States;
    for (int I = 0; I < 3; ++I) {
        G->ToggleCheckBox(1, 2);
        TCheckBoxState S = cbUnchecked;
        ASSERT_TRUE(G->GetCheckBoxState(1, 2, S));
        States << QString::number(int(S));
    }
    EXPECT_EQ(States, (QStringList{"2", "1", "0"}));
    EXPECT_TRUE(G->SetCheckBoxState(1, 2, cbGrayed));
    EXPECT_FALSE(G->SetCheckBoxState(3, 2, cbGrayed));
    bool B = false;
    EXPECT_FALSE(G->GetCheckBoxState(1, 2, B)) << "a tri-state box has no two-valued state";
}

TEST_F(ExGridCheckTest, HiddenRowsAreReachedByTheirRealRow)
{
    G->AddCheckBox(1, 5, false, false);
    G->SetCells(2, 5, "N");
    G->HideRow(3);
    G->HideRow(5);
    EXPECT_TRUE(G->SetCheckBoxState(2, 5, true));
    EXPECT_TRUE(G->SetCheckBoxState(1, 5, true));
    bool State = false;
    EXPECT_TRUE(G->GetCheckBoxState(1, 5, State));
    EXPECT_TRUE(State);
    G->SetCells(2, G->DisplRowIndex(6), "Y");
    EXPECT_TRUE(G->GetCheckBoxState(2, 6, State)) << "real row 6 is display row 4";
    EXPECT_TRUE(State);
    G->UnHideRow(5);
    EXPECT_EQ(G->Cells(2, G->DisplRowIndex(5)), String("Y"));
    EXPECT_TRUE(G->IsChecked(1, 5));
}

TEST_F(ExGridCheckTest, ACheckBoxColumnStartsAtRowZeroWithCheckAllCheck)
{
    G->AddCheckBoxColumn(1, true, false);
    EXPECT_FALSE(G->HasCheckBox(1, 0));
    EXPECT_TRUE(G->HasCheckBox(1, 1));
    EXPECT_TRUE(G->IsChecked(1, 7));
    G->RemoveCheckBoxColumn(1);
    EXPECT_FALSE(G->HasCheckBox(1, 1));
    G->MouseActions()->SetCheckAllCheck(true);
    G->AddCheckBoxColumn(1, false, true);
    EXPECT_TRUE(G->HasCheckBox(1, 0));
    EXPECT_TRUE(G->HasDataCheckBox(1, 0));
    G->CheckAll(1);
    EXPECT_EQ(Events.size(), 7) << "rows 1 to 7 changed";
    EXPECT_EQ(G->Cells(1, 7), String("Y"));
    G->UnCheckAll(1);
    EXPECT_EQ(G->Cells(1, 7), String("N"));
}

TEST_F(ExGridCheckTest, ThePreciseHitTestFollowsTheBoxPlace)
{
    G->MouseActions()->SetPreciseCheckBoxCheck(true);
    G->SetRowHeights(2, 40);
    G->SetColWidths(1, 100);
    const Integer S = G->ControlLook()->CheckSize();
    struct TCase {
        TVAlignment V;
        TAlignment H;
    };
    for (TCase Case : {TCase{vtaTop, taLeftJustify}, {vtaCenter, taCenter}, {vtaBottom, taRightJustify}}) {
        G->SetVAlignment(Case.V);
        G->AddCheckBox(1, 2, false, false);
        G->CellProperties(1, 2)->SetAlignment(Case.H);
        const TRect R = G->CellRect(1, 2);
        const Integer Top = Case.V == vtaTop ? R.Top + 2 : Case.V == vtaBottom ? R.Bottom - S - 2 : R.Top + (R.Height() - S) / 2;
        const Integer Left = Case.H == taLeftJustify ? R.Left + 2 : Case.H == taRightJustify ? R.Right - S - 2 : R.Left + (R.Width() - S) / 2;
        SCOPED_TRACE(int(Case.V));
        EXPECT_TRUE(G->IsInCheckBox(1, 2, Left, Top));
        EXPECT_TRUE(G->IsInCheckBox(1, 2, Left + S - 1, Top + S - 1));
        EXPECT_FALSE(G->IsInCheckBox(1, 2, Left - 1, Top));
        EXPECT_FALSE(G->IsInCheckBox(1, 2, Left, Top + S));
    }
    G->MouseActions()->SetPreciseCheckBoxCheck(false);
    EXPECT_TRUE(G->IsInCheckBox(1, 2, 0, 0));
    EXPECT_FALSE(G->IsInCheckBox(3, 2, 0, 0));
}

TEST_F(ExGridCheckTest, RadioButtonColumnKeepsOneRowChecked)
{
    G->AddRadioButtonColumn(1);
    EXPECT_EQ(G->GetRadioButtonColumnIndex(1), -1);
    G->SetRadioButtonColumnIndex(1, 3);
    EXPECT_EQ(G->GetRadioButtonColumnIndex(1), 3);
    for (Integer R = 1; R < 8; ++R)
        EXPECT_EQ(G->IsRadioButtonChecked(1, R), R == 3) << R;
    EXPECT_TRUE(G->DoRadioButtonClick(1, 5, false));
    EXPECT_EQ(G->GetRadioButtonColumnIndex(1), 5);
    EXPECT_FALSE(G->IsRadioButtonChecked(1, 3));
    G->RemoveRadioButtonColumn(1);
    EXPECT_FALSE(G->HasRadioButton(1, 5));
}

TEST_F(ExGridCheckTest, ARadioGroupCyclesToItsFirstOption)
{
    TStrings* Options = G->CreateRadio(1, 2, 0, 2);
    Options->Add("a");
    Options->Add("b");
    Options->Add("c");
    G->SelectNextRadio(1, 2, false);
    Integer Idx = -5;
    EXPECT_TRUE(G->GetRadioIdx(1, 2, Idx));
    EXPECT_EQ(Idx, 0);
    EXPECT_EQ(G->Cells(1, 2), String("a"));
    EXPECT_TRUE(G->IsClickControlCell(1, 2));
    EXPECT_EQ(G->GetRadioStrings(1, 2), Options);

    TStringList None;
    G->AddRadio(1, 3, 1, 0, &None);
    G->SetCells(1, 3, "keep");
    G->SelectNextRadio(1, 3, false);
    EXPECT_EQ(G->Cells(1, 3), String("keep")) << "a group without options changes nothing";
    EXPECT_TRUE(G->SetRadioIdx(1, 3, -1));
    EXPECT_EQ(G->Cells(1, 3), String(""));
    G->RemoveRadio(1, 3);
    EXPECT_FALSE(G->IsRadio(1, 3));
    EXPECT_FALSE(G->SetRadioIdx(1, 3, 0));
}

TEST_F(ExGridCheckTest, UndoRestoresTheTextOfADataBoxOnly)
{
    TExGridUndoRedo Undo(nullptr);
    G->SetUndoRedo(&Undo);
    G->SetCells(2, 1, "N");
    G->ToggleCheckBox(2, 1);
    G->SetCells(1, 1, "caption");
    G->AddCheckBox(1, 1, false, false);
    G->ToggleCheckBox(1, 1);
    Undo.Undo();
    EXPECT_EQ(G->Cells(2, 1), String("N"));
    EXPECT_EQ(G->Cells(1, 1), String("caption"));
    G->SetUndoRedo(nullptr);
}

TEST_F(ExGridCheckTest, TheRowBoxTogglesTheRowSelection)
{
    G->MouseActions()->SetHotmailRowSelect(true);
    EXPECT_EQ(G->GetCellType(0, 3), ctRowCheckBox);
    EXPECT_EQ(G->GetCellType(-1, 3), ctEmpty);
    G->SetCells(0, 3, "text");
    EXPECT_TRUE(G->ToggleCheckBox(0, 3));
    EXPECT_EQ(G->Cells(0, 3), String("text"));
    EXPECT_TRUE(G->RowSelect(3));
    EXPECT_EQ(Events, QStringList{"0 3 1"});
    EXPECT_EQ(G->GetCellGraphic(0, 0)->CellAngle(), 1) << "row 0 grays while some rows are selected";
    EXPECT_TRUE(G->IsChecked(0, 3));
    EXPECT_TRUE(HasDataGraphic(G, 0, 3));
}
