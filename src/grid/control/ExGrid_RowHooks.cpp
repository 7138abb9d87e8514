// The string grid's own versions of the row, selection, fixed-edit and
// cell value hooks that descendants may change.
#include "grid/control/ExGrid.h"

#include "grid/base/EsgHTMLE.h"
#include "grid/base/ExUtil.h"

void TExStringGrid::DoFixedEdit(Integer ACol, Integer ARow, TGridFixedCellEditor& AEditor, TStrings* Values)
{
    if (OnFixedEdit)
        OnFixedEdit(this, ACol, ARow, AEditor, Values);
}

void TExStringGrid::DoSelectionChanged(Integer ALeft, Integer ATop, Integer ARight, Integer ABottom)
{
    // A gradient selection spans its cells, so all of them are painted again.
    if (FLook == glVista || FLook == glWin7 || FLook == glOffice2007) {
        const TGridRect S = Selection();
        RepaintRect(TRect(S.Left, S.Top, S.Right, S.Bottom));
    }
    FSelChange = true;
    if (OnSelectionChanged)
        OnSelectionChanged(this, ALeft, ATop, ARight, ABottom);
}

void TExStringGrid::EditorKeyUp(Word&, TShiftState) {}

// ARow is a display row, as the keyboard gives it.
void TExStringGrid::DoInsertRow(Integer ARow)
{
    if (!HasNodes())
        InsertRows(ARow, 1, true);
    else if (GetParentRow(ARow) < 0)
        InsertNormalRow(RealRowIndex(ARow));
    else
        InsertChildRow(RealRowIndex(ARow), 0);
}

// The last data row of a grid without nodes is only emptied, unless
// FixedRowAlways keeps the fixed rows anyway.
void TExStringGrid::DoDeleteRow(Integer ARow)
{
    if (HasNodes()) {
        if (GetParentRow(ARow) < 0)
            RemoveNormalRow(ARow);
        else
            RemoveChildRow(RealRowIndex(ARow));
    } else if (RowCount() - FixedRows() - FFixedFooters != 1 || FFixedRowAlways) {
        FreeAndRemoveRows(ARow, 1);
    } else {
        ClearRows(ARow, 1);
    }
    if (OnAutoDeleteRow)
        OnAutoDeleteRow(this, ARow);
}

void TExStringGrid::DoFilterDone()
{
    if (OnFilterDone)
        OnFilterDone(this);
}

String TExStringGrid::GetCompareCell(Integer ACol, Integer ARow)
{
    return GetCellEx(ACol, ARow);
}

String TExStringGrid::GetSaveCell(Integer ACol, Integer ARow)
{
    String Value = FSaveVirtCells ? GetFormattedCell(ACol, ARow) : GetGridCell(ACol, ARow);
    if (Value.isEmpty()) {
        const TCellType Kind = GetCellType(ACol, ARow);
        TCheckBoxState State = cbUnchecked;
        if ((Kind == ctCheckBox || Kind == ctTriStateCheckBox) &&
            GetCheckBoxState(ACol, RealRowIndex(ARow), State)) {
            if (State == cbChecked)
                GetCheckTrue(ACol, ARow, Value);
            else
                GetCheckFalse(ACol, ARow, Value);
        }
    }
    switch (GetCellTextKind(Value, true)) {
    case 1:
        if (!FSaveWithHTML)
            Value = StripHTMLTags(Value);
        break;
    case 2:
        if (FSaveWithRTF)
            Value.remove(u'\r').remove(u'\n');
        else
            Value = RichCellPlainText(Value);
        break;
    default:
        break;
    }
    if (OnSaveCell)
        OnSaveCell(this, ACol, ARow, Value);
    return Value;
}

void TExStringGrid::PutLoadCell(Integer ACol, Integer ARow, const String& Value)
{
    String Text = Value;
    if (OnLoadCell)
        OnLoadCell(this, ACol, ARow, Text);
    SetGridCell(ACol, ARow, Text);
}

void TExStringGrid::ExportNotification(Integer, Integer) {}
void TExStringGrid::ImportNotification(Integer, Integer) {}
