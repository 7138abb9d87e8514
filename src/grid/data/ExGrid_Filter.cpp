// The string grid's filtering: the row test, the stacked filter levels,
// narrowing while typing and the choices of the filter drop-down lists.
#include "grid/control/ExGrid.h"
#include "grid/data/ExGrid_FilterLists.h"

#include "rtl/SysUtils.h"

namespace {

const String WideCellMarker = QStringLiteral("|\\");

// The text a condition tests in display row ARow: trimmed, the wide cell
// form decoded. A column outside the grid reads as empty.
String FilterCellText(TExStringGrid& G, const TFilterData& F, Integer ARow)
{
    String Text;
    if (ARow < 0 || ARow >= G.RowCount())
        return Text;
    const Integer Col = F.Column();
    if (F.Data() == fcRow) {
        for (Integer C = 0; C < G.AllColCount(); ++C) {
            Text += G.GetGridCell(C, ARow);
            Text += QStringLiteral("\r\n");
        }
    } else if (Col >= 0 && Col < G.AllColCount()) {
        switch (F.Data()) {
        case fcNormal: Text = G.GetGridCell(Col, ARow); break;
        case fcStripHTML: Text = G.GetStrippedCell(Col, ARow); break;
        case fcCalculated: Text = G.GetCompareCell(Col, ARow); break;
        default: Text = G.Cells(Col, ARow); break;
        }
    }
    Text = Trim(Text);
    if (Text.contains(WideCellMarker))
        Text = CellTextToWide(Text);
    return Text;
}

// Whether Text passes one condition; a matcher that raises fails it.
bool PassesCondition(const TFilterData& F, String Text)
{
    const String& Condition = F.Condition();
    if (F.Data() == fcRow)
        return !Condition.isEmpty() && !Text.isEmpty() && Text.toUpper().contains(Condition.toUpper());
    if (!F.Prefix().isEmpty() && Text.startsWith(F.Prefix()))
        Text.remove(0, F.Prefix().size());
    const qsizetype SuffixAt = F.Suffix().isEmpty() ? -1 : Text.indexOf(F.Suffix());
    if (SuffixAt >= 0 && SuffixAt == Text.size() - F.Suffix().size())
        Text.chop(F.Suffix().size());
    if (Condition.isEmpty())
        return true;
    if (F.Method() == fmLiteral)
        return Text == Condition;
    try {
        return MatchFilterExpr(Condition, Text, F.CaseSensitive());
    } catch (...) {
        return false;
    }
}

bool JoinFilterResult(TFilterOperation Operation, bool Result, bool Pass)
{
    switch (Operation) {
    case foAND: return Result && Pass;
    case foXOR: return Result != Pass;
    case foOR: return Result || Pass;
    default: return Pass;
    }
}

// BeginUpdate for the scope's life.
class TFilterUpdate {
public:
    explicit TFilterUpdate(TExStringGrid& AGrid) : G(AGrid) { G.BeginUpdate(); }
    ~TFilterUpdate() { G.EndUpdate(); }
    TFilterUpdate(const TFilterUpdate&) = delete;
    TFilterUpdate& operator=(const TFilterUpdate&) = delete;

private:
    TExStringGrid& G;
};

} // namespace

String EntryName(const String& Entry)
{
    const qsizetype Eq = Entry.indexOf(u'=');
    return Eq < 0 ? Entry : Entry.left(Eq);
}

String EntryCondition(const String& Entry)
{
    const qsizetype Eq = Entry.indexOf(u'=');
    return Eq < 0 ? Entry : Entry.mid(Eq + 1);
}

// ---------------------------------------------------------------- testing rows

bool TExStringGrid::MatchFilter(Integer ARow)
{
    bool Result = true;
    for (Integer I = 0; I < FFilter->Count(); ++I) {
        const TFilterData& F = *FFilter->GetItem(I);
        const bool Pass = PassesCondition(F, FilterCellText(*this, F, ARow));
        Result = JoinFilterResult(F.Operation(), Result, Pass);
        if (F.Operation() == foSHORT && !Pass)
            break;
    }
    if (OnCustomFilter)
        OnCustomFilter(this, ARow, Result);
    return Result;
}

void TExStringGrid::FilterRow(Integer ARow)
{
    if (!MatchFilter(ARow))
        HideRow(RealRowIndex(ARow));
}

void TExStringGrid::ApplyFilter()
{
    FFilterFixedRows = FixedRows();
    const Integer First = FixedRows();
    const Integer Last = RowCount() - FFixedFooters - 1;
    const Integer Total = Last - First + 1;
    auto Progress = [&](Integer Count) {
        if (OnFilterProgress && Total > 0)
            OnFilterProgress(this, SmallInt(Round(Double(Count) / Total * 100)));
    };
    TIntList Failing(0, 0);
    Integer Count = 0;
    for (Integer R = First; R <= Last; ++R) {
        if (FFilterNormalCellsOnly && (IsNode(R) || IsSummary(R)))
            continue;
        if (!MatchFilter(R))
            Failing.Add(R);
        Progress(++Count);
    }
    HideRowList(&Failing);
    Progress(Count);
}

// ---------------------------------------------------------------- filter levels

// The rows of the last level are back: the fixed rows and a selection the
// filter hid come back with them.
void TExStringGrid::RestoreAfterFilterLevel()
{
    UnHideRowList();
    if (FFilterFixedRows >= 0)
        SetFixedRows(FFilterFixedRows);
    if (FSelHidden)
        UnHideSelection();
}

void TExStringGrid::SetFilterActive(bool Value)
{
    if (Value != FFilterActive) {
        FFilterActive = Value;
        if (Value) {
            if (Row() >= RowCount() || Col() >= ColCount())
                FocusCell(FixedCols(), FixedRows());
            {
                TFilterUpdate Update(*this);
                ApplyFilter();
            }
            FSelHidden = false;
        } else {
            RestoreAfterFilterLevel();
        }
        SetTopRow(FixedRows());
    }
    CalcFooter(-1);
}

bool TExStringGrid::RemoveLastFilter()
{
    if (FFilterLevel == 0)
        return false;
    RestoreAfterFilterLevel();
    CalcFooter(-1);
    --FFilterLevel;
    return FFilterLevel > 1;
}

void TExStringGrid::RemoveAllFilters()
{
    if (FFilterLevel == 0) {
        FFilter->Clear();
        return;
    }
    while (FFilterLevel > 0)
        RemoveLastFilter();
}

void TExStringGrid::NarrowDown(const String& ACondition, Integer AColumn)
{
    if (AColumn < -1 || AColumn >= AllColCount())
        return;
    FFixedRowAlways = true;
    auto ApplyNarrowing = [&] {
        FFilter->Clear();
        TFilterData* F = FFilter->Add();
        F->SetCaseSensitive(false);
        F->SetColumn(SmallInt(AColumn));
        if (AColumn == -1) {
            F->SetData(fcRow);
            F->SetCondition(ACondition);
        } else {
            F->SetData(fcNormal);
            const String Pattern = u'*' + ACondition + u'*';
            F->SetCondition(ACondition.contains(u' ') ? u'"' + Pattern + u'"' : Pattern);
        }
        ApplyFilter();
    };
    const bool Narrowed = FFilterLevel > 0;
    const qsizetype Length = ACondition.size(), LastLength = FNarrowText.size();
    if (Length == LastLength + 1 && ACondition.startsWith(FNarrowText)) {
        ApplyNarrowing();
    } else if (Length > 0 && Length == LastLength - 1 && FNarrowText.startsWith(ACondition)) {
        RemoveLastFilter();
    } else {
        RemoveAllFilters();
        if (Length > 0)
            ApplyNarrowing();
    }
    FNarrowText = ACondition;
    // What the levels could not bring back is dropped; rows hidden without
    // any filter level stay hidden.
    if (ACondition.isEmpty() && Narrowed)
        FreeHiddenRowObjects();
}

// ---------------------------------------------------------------- drop-down choices

void TExStringGrid::FilterDropListSelect(TObject*, Integer ItemIndex)
{
    if (CanFocus())
        SetFocus();
    const Integer Column = FFilterCol;
    FFilterCol = -1;
    if (Column < 0 || Column >= AllColCount() || ItemIndex < 0)
        return;
    GetFilterList(Column, FFilterList.get());
    if (ItemIndex >= FFilterList->Count())
        return;
    const String Entry = FFilterList->Strings(ItemIndex);
    if (FAutoFilterUpdate)
        SetFilterActive(false);
    String Condition = EntryCondition(Entry);
    if (Condition == FFilterDropDownClear)
        Condition.clear();
    if (OnFilterSelect)
        OnFilterSelect(this, Column, ItemIndex, EntryName(Entry), Condition);
    if (Condition.isEmpty())
        FFilter->RemoveColumnFilter(Column);
    else
        FFilter->GetColFilter(Column)->SetCondition(Condition);
    if (!FAutoFilterUpdate)
        return;
    FFixedRowAlways = true;
    SetFilterActive(true);
    if (RowCount() - FFixedFooters > FixedRows())
        SetRow(FixedRows());
    DoFilterDone();
}

void TExStringGrid::FilterCheckListDone(TObject*, Integer)
{
    const Integer Column = FFilterCol;
    if (Column >= 0 && Column < AllColCount()) {
        GetFilterList(Column, FFilterList.get());
        if (FAutoFilterUpdate)
            SetFilterActive(false);
        FFilter->Clear();
        const Integer Entries = std::min<Integer>(FDropCheckList->Count(), FFilterList->Count());
        for (Integer I = 0; I < Entries; ++I) {
            if (!FDropCheckList->Checked(I))
                continue;
            const String Entry = FFilterList->Strings(I);
            String Condition = EntryCondition(Entry);
            if (Condition == FFilterDropDownClear)
                Condition.clear();
            if (OnFilterCheck)
                OnFilterCheck(this, Column, I, EntryName(Entry), Condition, FDropCheckList);
            const bool FirstCondition = FFilter->Count() == 0;
            TFilterData* F = FFilter->Add();
            F->SetColumn(SmallInt(Column));
            F->SetCondition(Condition);
            F->SetOperation(FirstCondition ? foNONE : foOR);
        }
    }
    SetFilterActive(true);
    FDropCheckList->Invalidate();
}
