// Choosing and opening the cell editors, moving between cells with an
// editor open, and committing each kind.
#include "ExGridEditTestSupport.h"

#include <vector>

namespace {

struct TComboChange {
    Integer Col, Row, Index;
    String Item;
};

class ExGridChooseEditorTest : public ExGridEditTest {
protected:
    void ListComboInColumn2()
    {
        EditorsByColumn({{2, edComboList}});
        Grid->OnGetEditorProp = [this](TObject*, Integer, Integer, TEditLink*) {
            Grid->ClearComboString();
            for (const char* Item : {"Alpha", "Beta", "Gamma"})
                Grid->AddComboString(QString::fromLatin1(Item));
        };
        Grid->OnComboChange = [this](TObject*, Integer C, Integer R, Integer I, const String& S) {
            Changes.push_back({C, R, I, S});
        };
    }
    std::vector<TComboChange> Changes;
};

TEST_F(ExGridChooseEditorTest, ListComboOpensOnTheCellTextsItem)
{
    ListComboInColumn2();
    Grid->SetCells(2, 1, QStringLiteral("Beta"));
    Open(2, 1);
    TGridCombo* Combo = Grid->Combobox();
    EXPECT_TRUE(Combo->Visible());
    EXPECT_EQ(Combo->Style(), csDropDownList);
    EXPECT_EQ(Combo->ItemIndex(), 1);
    EXPECT_TRUE(Changes.empty());
    EXPECT_EQ(Grid->EditControl(), edComboList);
}

TEST_F(ExGridChooseEditorTest, ListComboWithoutMatchSelectsTheFirstItemAndReportsItOnce)
{
    ListComboInColumn2();
    Open(2, 2);
    EXPECT_EQ(Grid->Combobox()->ItemIndex(), 0);
    ASSERT_EQ(Changes.size(), 1u);
    EXPECT_EQ(Changes[0].Col, 2);
    EXPECT_EQ(Changes[0].Row, 2);
    EXPECT_EQ(Changes[0].Index, 0);
    EXPECT_EQ(Changes[0].Item, "Alpha");
    // Closing stores the chosen item.
    Grid->HideInplaceEdit();
    EXPECT_EQ(Grid->Cells(2, 2), "Alpha");
    EXPECT_FALSE(Grid->Combobox()->Visible());
}

TEST_F(ExGridChooseEditorTest, ComboSelectionStringThatIsNoItemKeepsTheIndex)
{
    ListComboInColumn2();
    Grid->OnGetEditorProp(Grid, 2, 1, nullptr);
    EXPECT_TRUE(Grid->SetComboSelectionString("Gamma"));
    EXPECT_EQ(Grid->FComboIdx, 2);
    EXPECT_FALSE(Grid->SetComboSelectionString("Delta"));
    EXPECT_EQ(Grid->FComboIdx, 2);
    EXPECT_TRUE(Grid->RemoveComboString("Beta"));
    EXPECT_FALSE(Grid->RemoveComboString("Beta"));
    EXPECT_EQ(Grid->GetComboCount(), 2);
    // ComboIndex asks the window for the items first.
    Grid->SetCells(2, 3, QStringLiteral("Gamma"));
    EXPECT_EQ(Grid->ComboIndex(2, 3), 2);
    Grid->SetComboIndex(2, 3, 0);
    EXPECT_EQ(Grid->Cells(2, 3), "Alpha");
}

TEST_F(ExGridChooseEditorTest, NoneAndCheckBoxCellsNeverOpenTheTextEditor)
{
    EditorsByColumn({{2, edNone}});
    Open(2, 1);
    EXPECT_FALSE(Grid->EditorMode() && TextEditor() && TextEditor()->Visible());
    EXPECT_FALSE(Grid->EditMode());
    Grid->AddCheckBox(3, 1, false, false);
    Open(3, 1);
    EXPECT_FALSE(TextEditor() && TextEditor()->Visible());
    // A normal cell does open it.
    Open(1, 1);
    ASSERT_TRUE(TextEditor());
    EXPECT_TRUE(TextEditor()->Visible());
    EXPECT_EQ(TextEditor()->Text(), "11");
}

TEST_F(ExGridChooseEditorTest, DatesOutsideThePickersRangeOpenJustInside)
{
    EditorsByColumn({{2, edDateEdit}});
    TGridDatePicker* Picker = Grid->DateTimePicker();
    Picker->SetMinDate(EncodeDate(2020, 1, 1));
    Picker->SetMaxDate(EncodeDate(2020, 12, 31));
    Grid->SetCells(2, 1, DateToStr(EncodeDate(2021, 6, 1)));
    Open(2, 1);
    EXPECT_TRUE(Picker->Visible());
    EXPECT_EQ(std::trunc(Picker->DateTime()), EncodeDate(2020, 12, 30));
    Grid->HideInplaceEdit();
    Grid->SetCells(2, 2, DateToStr(EncodeDate(2019, 6, 1)));
    Open(2, 2);
    EXPECT_EQ(std::trunc(Picker->DateTime()), EncodeDate(2020, 1, 2));
    Grid->HideInplaceEdit();
    EXPECT_EQ(Grid->Cells(2, 2), DateToStr(EncodeDate(2020, 1, 2)));
}

TEST_F(ExGridChooseEditorTest, WithoutTheDatePickerFlagDateCellsOpenNothing)
{
    const bool Saved = DoDatePicker;
    DoDatePicker = false;
    for (TEditorType Kind : {edDateEdit, edTimeEdit, edDateTimeEdit}) {
        EditorsByColumn({{2, Kind}});
        Open(2, 1);
        EXPECT_FALSE(Grid->DateTimePicker()->Visible()) << GetEnumName(Kind).toStdString();
        EXPECT_FALSE(Grid->DateAndTimePicker()->Visible()) << GetEnumName(Kind).toStdString();
        Grid->HideInplaceEdit();
        EXPECT_EQ(Grid->Cells(2, 1), "21");
    }
    DoDatePicker = Saved;
}

TEST_F(ExGridChooseEditorTest, EmptiedSpinCellThatAllowsEmptyValuesStoresAnEmptyText)
{
    EditorsByColumn({{2, edSpinEdit}});
    Grid->SpinEdit()->SetAllowEmptyValue(true);
    Grid->SetCells(2, 1, QStringLiteral("7"));
    Open(2, 1);
    EXPECT_TRUE(Grid->SpinEdit()->Visible());
    EXPECT_EQ(Grid->SpinEdit()->Value(), 7);
    Grid->SpinEdit()->SetText(String());
    Grid->HideInplaceEdit();
    EXPECT_EQ(Grid->Cells(2, 1), "");
    // A value is stored as a number.
    Grid->SetCells(2, 2, QStringLiteral("x"));
    Open(2, 2);
    EXPECT_EQ(Grid->SpinEdit()->Value(), 0);
    Grid->SpinEdit()->SetValue(12);
    Grid->HideInplaceEdit();
    EXPECT_EQ(Grid->Cells(2, 2), "12");
}

TEST_F(ExGridChooseEditorTest, ButtonEditorsArePlacedOverTheCell)
{
    EditorsByColumn({{2, edEditBtn}, {3, edButton}});
    Open(2, 1);
    const TRect R = Grid->CellRect(2, 1);
    EXPECT_EQ(Grid->BtnEdit()->Left(), R.Left);
    EXPECT_EQ(Grid->BtnEdit()->Top(), R.Top);
    EXPECT_EQ(Grid->BtnEdit()->Width(), R.Width() - 1);
    EXPECT_EQ(Grid->BtnEdit()->Text(), "21");
    Grid->HideInplaceEdit();
    Open(3, 1);
    const TRect B = Grid->CellRect(3, 1);
    EXPECT_EQ(Grid->Btn()->Left(), B.Left - 1);
    EXPECT_EQ(Grid->Btn()->Top(), B.Top - 1);
    EXPECT_EQ(Grid->Btn()->Width(), B.Width() + 1);
    EXPECT_EQ(Grid->Btn()->Height(), B.Height() + 1);
    EXPECT_EQ(Grid->Btn()->Caption(), "31");
}

TEST_F(ExGridChooseEditorTest, EditableComboHeightFollowsTheItemHeightRule)
{
    EditorsByColumn({{2, edComboEdit}});
    Open(2, 1);
    const TRect R = Grid->CellRect(2, 1);
    const Integer H = R.Height() - 1;
    EXPECT_EQ(Grid->Combobox()->Height(), (H - 6) * (Grid->ControlLook()->DropDownCount() + 1) + H);
    EXPECT_EQ(Grid->Combobox()->Text(), "21");
}

// ---------------------------------------------------------------- moving between cells

TEST_F(ExGridEditTest, LeavingAReadOnlyCellSuspendsEditingUntilTheNextEditableCell)
{
    Grid->OnCanEditCell = [](TObject*, Integer ARow, Integer ACol, bool& CanEdit) {
        if (ACol == 2 && ARow == 1)
            CanEdit = false;
    };
    Grid->MoveToCell(2, 1);
    EXPECT_FALSE(Grid->Options().Contains(goEditing));
    EXPECT_TRUE(Grid->FEditDisable);
    EXPECT_TRUE(Grid->IsEditable(3, 1));
    Grid->MoveToCell(3, 1);
    EXPECT_TRUE(Grid->Options().Contains(goEditing));
    EXPECT_FALSE(Grid->FEditDisable);
}

TEST_F(ExGridEditTest, ACoveredMergedCellMovesToItsBaseCell)
{
    Grid->SetOptions(Grid->Options() - TGridOptions{goRangeSelect});
    Grid->MergeCells(1, 2, 2, 1);
    Grid->MoveToCell(2, 2);
    EXPECT_EQ(Grid->Col(), 1);
    EXPECT_EQ(Grid->Row(), 2);
}

TEST_F(ExGridEditTest, RefusedValidationWithAnotherEditorOpenKeepsCellAndEditor)
{
    EditorsByColumn({{2, edEditBtn}});
    Grid->OnCellValidate = [](TObject*, Integer, Integer, String& Value, bool& Valid) { Valid = Value != "bad"; };
    Open(2, 1);
    Grid->BtnEdit()->SetText(QStringLiteral("bad"));
    Grid->MoveToCell(3, 1);
    EXPECT_EQ(Grid->Col(), 2);
    EXPECT_TRUE(Grid->BtnEdit()->Visible());
    Grid->BtnEdit()->SetText(QStringLiteral("good"));
    Grid->MoveToCell(3, 1);
    EXPECT_EQ(Grid->Col(), 3);
    EXPECT_EQ(Grid->Cells(2, 1), "good");
}

TEST_F(ExGridEditTest, RowUpdateReportsEachRowChangeOnce)
{
    std::vector<std::pair<Integer, Integer>> Updates;
    Grid->OnRowUpdate = [&](TObject*, Integer OldRow, Integer NewRow) { Updates.emplace_back(OldRow, NewRow); };
    Grid->MoveToCell(1, 2);
    Grid->MoveToCell(2, 2);
    Grid->MoveToCell(2, 4);
    ASSERT_EQ(Updates.size(), 2u);
    EXPECT_EQ(Updates[0].second, 2);
    EXPECT_EQ(Updates[1], std::make_pair(2, 4));
}

TEST_F(ExGridEditTest, AFixedLastRowFooterIsNeverEnteredAndRowsScrollAboveIt)
{
    Grid->SetRowCount(40);
    Grid->FloatingFooter()->SetFooterStyle(fsFixedLastRow);
    Grid->FloatingFooter()->SetVisible(true);
    Grid->SetRow(30);
    EXPECT_EQ(Grid->Row(), 30);
    EXPECT_LE(Grid->CellRect(1, 30).Bottom, Grid->ClientHeight() - Grid->RowHeights(39));
    Grid->SetRow(39);
    EXPECT_EQ(Grid->Row(), 30);
    EXPECT_FALSE(Grid->SelectCell(1, 39));
}

TEST_F(ExGridEditTest, SharedEditorsTakeTheCellsColour)
{
    EditorsByColumn({{2, edSpinEdit}, {3, edEditBtn}});
    Grid->SetColors(2, 1, clAqua);
    Grid->SetColors(3, 1, clYellow);
    Open(2, 1);
    EXPECT_EQ(Grid->SpinEdit()->Color(), clAqua);
    Grid->HideInplaceEdit();
    Open(3, 1);
    EXPECT_EQ(Grid->BtnEdit()->Color(), clYellow);
}

} // namespace
