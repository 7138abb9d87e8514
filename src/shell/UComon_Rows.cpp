// The row operations of the table editors and the two table options.
#include "shell/UComon.h"

#include "grid/control/ExCGrid.h"
#include "rtl/Dialogs.h"
#include "shell/ULanguage.h"

namespace {

constexpr Integer Text_Row_Used = 1500;
constexpr Integer Text_Copy_Width = 1501;
constexpr Integer Text_Copy_Invalid = 1502;
constexpr Integer Text_Last_Row_Lost = 1506;
constexpr Integer Enable_Column = 1;

// The last data column, hidden columns included (real index).
Integer Last_Data_Column(TExStringGrid* Grid)
{
    return Grid->ColCount() + Grid->NumHiddenColumns() - 1;
}

Integer Last_Data_Row(TExStringGrid* Grid)
{
    return Grid->RowCount() - 1;
}

bool Is_Check_Column(TExColumnGrid* Grid, Integer ACol)
{
    return ACol < Grid->Columns()->Count() && Grid->Columns()->Items(ACol)->Editor() == edDataCheckBox;
}

// A column-grid row is in use when a cell outside the check-box columns
// holds more than blanks.
bool Row_In_Use_ECG(TExColumnGrid* Grid, Integer ARow)
{
    for (Integer C = 1; C <= Last_Data_Column(Grid); ++C)
        if (!Is_Check_Column(Grid, C) && !Grid->Cells(C, ARow).trimmed().isEmpty())
            return true;
    return false;
}

// A string-grid row is in use when a cell without a check box holds any text.
bool Row_In_Use_ESG(TExStringGrid* Grid, Integer ARow)
{
    for (Integer C = 1; C <= Last_Data_Column(Grid); ++C)
        if (!Grid->HasCheckBox(C, ARow) && !Grid->Cells(C, ARow).isEmpty())
            return true;
    return false;
}

bool Ask_Yes(Integer Text)
{
    return MessageDlg(Lang.Strings(Text), mtConfirmation, mbYesNo, 0) == mrYes;
}

void Show_Error(Integer Text)
{
    MessageDlg(Lang.Strings(Text), mtError, TMsgDlgButtons{mbOK}, 0);
}

// Inserting drops the last row: only an unused one goes without a question.
bool May_Drop_Last_Row(bool Last_Row_In_Use)
{
    return !Last_Row_In_Use || Ask_Yes(Text_Last_Row_Lost);
}

// The checks every paste makes before it writes: a copy of this table, of
// this width, and a free target or the user's consent.
bool May_Paste(Integer Columns, bool CopyValid, bool Target_In_Use)
{
    if (!CopyValid) {
        Show_Error(Text_Copy_Invalid);
        return false;
    }
    if (Columns != SL_Copy_Row.Count()) {
        Show_Error(Text_Copy_Width);
        return false;
    }
    return !Target_In_Use || Ask_Yes(Text_Row_Used);
}

// A string-grid cell takes the check state of a source with a check box,
// else its text.
void Move_Cell_ESG(TExStringGrid* Grid, Integer ACol, Integer From_Row, Integer To_Row)
{
    bool State = false;
    if (Grid->HasCheckBox(ACol, From_Row)) {
        Grid->GetCheckBoxState(ACol, From_Row, State);
        Grid->SetCheckBoxState(ACol, To_Row, State);
    } else
        Grid->SetCells(ACol, To_Row, Grid->Cells(ACol, From_Row));
}

void Empty_Row_ESG(TExStringGrid* Grid, Integer ARow, Boolean SetEnable)
{
    for (Integer C = 1; C <= Last_Data_Column(Grid); ++C) {
        if (Grid->HasCheckBox(C, ARow))
            Grid->SetCheckBoxState(C, ARow, SetEnable && C == Enable_Column);
        else
            Grid->SetCells(C, ARow, String());
    }
}

} // namespace

void Delete_Row_ECG(Integer ARow, TExColumnGrid* Grid)
{
    const Integer Last = Last_Data_Row(Grid);
    for (Integer R = ARow; R < Last; ++R)
        for (Integer C = 1; C <= Last_Data_Column(Grid); ++C)
            Grid->SetCells(C, R, Grid->Cells(C, R + 1));
    for (Integer C = 1; C <= Last_Data_Column(Grid); ++C)
        Grid->SetCells(C, Last, String());
}

Boolean Insert_Row_ECG(Integer ARow, TExColumnGrid* Grid, Boolean SetEnable)
{
    if (!May_Drop_Last_Row(Row_In_Use_ECG(Grid, Last_Data_Row(Grid))))
        return false;
    for (Integer R = Last_Data_Row(Grid) - 1; R >= ARow; --R)
        for (Integer C = 1; C <= Last_Data_Column(Grid); ++C)
            Grid->SetCells(C, R + 1, Grid->Cells(C, R));
    for (Integer C = 1; C <= Last_Data_Column(Grid); ++C)
        Grid->SetCells(C, ARow, SetEnable && C == Enable_Column ? QStringLiteral("Y") : String());
    return true;
}

void Copy_Row_ECG(TExColumnGrid* Grid, Integer ARow)
{
    SL_Copy_Row.Clear();
    for (Integer C = 1; C <= Last_Data_Column(Grid); ++C)
        SL_Copy_Row.Add(Grid->Cells(C, ARow));
}

Boolean Paste_Row_ECG(TExColumnGrid* Grid, Integer ARow, Boolean CopyValid)
{
    if (!May_Paste(Last_Data_Column(Grid), CopyValid, Row_In_Use_ECG(Grid, ARow)))
        return false;
    for (Integer C = 1; C <= Last_Data_Column(Grid); ++C)
        Grid->SetCells(C, ARow, SL_Copy_Row.Strings(C - 1));
    return true;
}

void Delete_Row_ESG(Integer ARow, TExStringGrid* Grid, Boolean SetEnable)
{
    const Integer Last = Last_Data_Row(Grid);
    for (Integer R = ARow; R < Last; ++R)
        for (Integer C = 1; C <= Last_Data_Column(Grid); ++C)
            Move_Cell_ESG(Grid, C, R + 1, R);
    Empty_Row_ESG(Grid, Last, SetEnable);
}

Boolean Insert_Row_ESG(Integer ARow, TExStringGrid* Grid, Boolean SetEnable)
{
    if (!May_Drop_Last_Row(Row_In_Use_ESG(Grid, Last_Data_Row(Grid))))
        return false;
    for (Integer R = Last_Data_Row(Grid) - 1; R >= ARow; --R)
        for (Integer C = 1; C <= Last_Data_Column(Grid); ++C)
            Move_Cell_ESG(Grid, C, R, R + 1);
    Empty_Row_ESG(Grid, ARow, SetEnable);
    return true;
}

void Copy_Row_ESG(TExStringGrid* Grid, Integer ARow)
{
    SL_Copy_Row.Clear();
    Copy_Row_CheckBox.assign(std::size_t(Last_Data_Column(Grid)), false);
    for (Integer C = 1; C <= Last_Data_Column(Grid); ++C) {
        bool State = false;
        if (Grid->HasCheckBox(C, ARow)) {
            Copy_Row_CheckBox[std::size_t(C - 1)] = true;
            Grid->GetCheckBoxState(C, ARow, State);
            SL_Copy_Row.Add(State ? QStringLiteral("Y") : QStringLiteral("N"));
        } else
            SL_Copy_Row.Add(Grid->Cells(C, ARow));
    }
}

Boolean Paste_Row_ESG(TExStringGrid* Grid, Integer ARow, Boolean CopyValid)
{
    if (!May_Paste(Last_Data_Column(Grid), CopyValid, Row_In_Use_ESG(Grid, ARow)))
        return false;
    for (Integer C = 1; C <= Last_Data_Column(Grid); ++C) {
        const String Text = SL_Copy_Row.Strings(C - 1);
        const std::size_t Flag = std::size_t(C - 1);
        if (Flag < Copy_Row_CheckBox.size() && Copy_Row_CheckBox[Flag])
            Grid->SetCheckBoxState(C, ARow, Text == QLatin1String("Y"));
        else
            Grid->SetCells(C, ARow, Text);
    }
    return true;
}

void DblClick_AutoSize_Col(TExStringGrid* Grid, Integer ARow, Integer ACol)
{
    if (Double_Click_Auto_Size && ARow == 0)
        Grid->AutoSizeCol(ACol, 0);
}

void KeyPress_Jump_Cell(TExStringGrid* Grid, Char& Key)
{
    if (!Enable_Jump_Field_Tables || Key != Char(13))
        return;
    if (Grid->Col() > 0 && Grid->Row() > 0) {
        if (Grid->Col() < Grid->ColCount() - 1)
            Grid->SetCol(Grid->Col() + 1);
        else {
            Grid->SetCol(1);
            Grid->SetRow(Grid->Row() < Last_Data_Row(Grid) ? Grid->Row() + 1 : 1);
        }
    }
    Key = Char(0);
}
