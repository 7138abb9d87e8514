// The string grid's grouping: data rows sorted on one column and gathered
// under node header rows (with summary rows when asked), the column itself
// taken out until the grouping is removed; sub-groups inside the groups;
// per-group values written into the header or summary rows.
#include "grid/control/ExGrid.h"

#include <utility>

// Compared against the first data row's text, so that it starts a group.
static const String GroupStartText = QString(QChar(0xFF)) + QChar(0xFE);

namespace {

// Restores a flag when a grouping step ends, also by an exception.
class TFlagScope {
public:
    TFlagScope(bool& Flag, bool Value) : FFlag(Flag), FSaved(std::exchange(Flag, Value)) {}
    ~TFlagScope() { FFlag = FSaved; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& FFlag;
    bool FSaved;
};

class TUpdateScope {
public:
    explicit TUpdateScope(TExStringGrid& G) : FGrid(G) { FGrid.BeginUpdate(); }
    ~TUpdateScope() { FGrid.EndUpdate(); }
    TUpdateScope(const TUpdateScope&) = delete;
    TUpdateScope& operator=(const TUpdateScope&) = delete;

private:
    TExStringGrid& FGrid;
};

} // namespace

void TExStringGrid::SetGroupColumn(Integer Value)
{
    if (Value == -1)
        UnGroup();
    else if (Value > 0)
        Group(Value);
}

// ---------------------------------------------------------------- looks

void TExStringGrid::SetGroupRowLook(Integer ARow, TColor AColor, TColor AColorTo, TColor ATextColor)
{
    if (AColor != clNone)
        SetRowColor(ARow, AColor);
    if (AColorTo != clNone)
        SetRowColorTo(ARow, AColorTo);
    if (ATextColor != clNone)
        SetRowFontColor(ARow, ATextColor);
}

void TExStringGrid::MergeGroupRow(Integer ACol, Integer ARow, TColor AColor, TColor AColorTo, TColor ATextColor)
{
    if (ACol >= ColCount())
        return;
    MergeCells(ACol, ARow, ColCount() - ACol, 1);
    if (AColor != clNone)
        SetColors(ACol, ARow, AColor);
    if (AColorTo != clNone)
        SetColorsTo(ACol, ARow, AColorTo);
    if (ATextColor != clNone)
        SetFontColors(ACol, ARow, ATextColor);
}

void TExStringGrid::ApplyHeaderLook(Integer ACol, Integer ARow)
{
    const TGrouping& G = *FGrouping;
    if (G.MergeHeader())
        MergeGroupRow(ACol, ARow, G.HeaderColor(), G.HeaderColorTo(), G.HeaderTextColor());
    else
        SetGroupRowLook(ARow, G.HeaderColor(), G.HeaderColorTo(), G.HeaderTextColor());
}

void TExStringGrid::ApplySummaryLook(Integer ACol, Integer ARow)
{
    const TGrouping& G = *FGrouping;
    if (G.MergeSummary())
        MergeGroupRow(ACol, ARow, G.SummaryColor(), G.SummaryColorTo(), G.SummaryTextColor());
    else
        SetGroupRowLook(ARow, G.SummaryColor(), G.SummaryColorTo(), G.SummaryTextColor());
}

void TExStringGrid::ClearGroupRowLook(Integer ACol, Integer ARow)
{
    if (ACol < ColCount() && IsMergedCell(ACol, ARow))
        SplitCells(ACol, ARow);
    SetRowColor(ARow, clNone);
    SetRowColorTo(ARow, clNone);
    SetRowFontColor(ARow, clNone);
}

void TExStringGrid::InsertSummaryRow(Integer ARow, Integer LookCol)
{
    InsertRows(ARow, 1);
    MarkSummaryRow(RealRowIndex(ARow));
    ApplySummaryLook(LookCol, ARow);
}

// ---------------------------------------------------------------- group

void TExStringGrid::Group(Integer ColIndex)
{
    if (ColIndex < FixedCols() || ColIndex >= ColCount() ||
        RowCount() - TBaseGrid::FixedRows() - FixedFooters() <= 0)
        return;
    if (FGroupedByGroup)
        UnGroup();
    TUpdateScope Update(*this);
    TFlagScope Busy(FGrouping_InProgress, true);
    RememberGroupColumn(ColIndex);
    FGroupColumn = ColIndex;
    FGroupedByGroup = true;
    if (FSortSettings->AutoSortForGrouping()) {
        FSortSettings->SetColumn(ColIndex);
        QSort();
    }
    // The column goes first, so its values are read before and the header
    // texts land in column 1 directly (also when column 0 is grouped).
    std::vector<String> Values;
    for (Integer R = TBaseGrid::FixedRows(); R < RowCount() - FixedFooters(); ++R)
        Values.push_back(GridCells(RealColIndex(ColIndex), R));
    RemoveCols(ColIndex, 1);
    BuildGroups(Values);
    if (FCellNode->ExpandOne())
        ExpandFirstNode();
    if (Col() >= ColCount() || Row() >= RowCount())
        MoveToCell(FixedCols(), TBaseGrid::FixedRows());
    SetRow(TBaseGrid::FixedRows());
}

void TExStringGrid::RememberGroupColumn(Integer ColIndex)
{
    FGroupColWidth = ColWidths(ColIndex);
    FGroupCaption = TBaseGrid::FixedRows() > 0 ? GridCells(RealColIndex(ColIndex), 0) : String();
    FGroupFooter = FixedFooters() > 0 ? GridCells(RealColIndex(ColIndex), RowCount() - 1) : String();
}

void TExStringGrid::BuildGroups(const std::vector<String>& Values)
{
    const bool Summary = FGrouping->Summary();
    // Header rows and their spans, made nodes once every row is in place.
    std::vector<std::pair<Integer, Integer>> Headers;
    Integer R = TBaseGrid::FixedRows();
    String Previous = GroupStartText;
    const auto CloseGroup = [&]() {
        if (Headers.empty())
            return;
        Headers.back().second = R - Headers.back().first;
        if (Summary)
            InsertSummaryRow(R++, 1);
    };
    for (const String& Value : Values) {
        if (Value != Previous) {
            CloseGroup();
            InsertRows(R, 1);
            if (ColCount() > 1)
                SetCells(RealColIndex(1), R, Value);
            if (!FGrouping->MergeHeader())
                ApplyHeaderLook(1, R);
            Headers.emplace_back(R++, 0);
            Previous = Value;
        }
        ++R;
    }
    CloseGroup();
    for (const auto& [Header, Span] : Headers) {
        AddNode(RealRowIndex(Header), Span);
        if (FGrouping->MergeHeader())
            ApplyHeaderLook(1, Header);
    }
}

void TExStringGrid::ExpandFirstNode()
{
    for (Integer R = TBaseGrid::FixedRows(); R < RowCount(); ++R)
        if (IsNode(R)) {
            ExpandNode(RealRowIndex(R));
            return;
        }
}

// ---------------------------------------------------------------- ungroup

void TExStringGrid::UnGroup()
{
    if (!FGroupedByGroup)
        return;
    TUpdateScope Update(*this);
    TFlagScope Busy(FGrouping_InProgress, true);
    const bool ExpandOne = FCellNode->ExpandOne();
    FCellNode->SetExpandOne(false);
    ExpandAll();
    const std::vector<String> Values = TakeGroupsApart();
    const Integer C = FGroupColumn;
    InsertCols(C, 1);
    SetColWidths(C, FGroupColWidth);
    const Integer RealCol = RealColIndex(C);
    if (TBaseGrid::FixedRows() > 0)
        SetCells(RealCol, 0, FGroupCaption);
    if (FixedFooters() > 0)
        SetCells(RealCol, RowCount() - 1, FGroupFooter);
    Integer R = TBaseGrid::FixedRows();
    for (const String& Value : Values)
        SetCells(RealCol, R++, Value);
    FGroupColumn = -1;
    FGroupedByGroup = false;
    FCellNode->SetExpandOne(ExpandOne);
    Invalidate();
}

std::vector<String> TExStringGrid::TakeGroupsApart()
{
    std::vector<String> Values;
    String Current;
    Integer R = TBaseGrid::FixedRows();
    while (R < RowCount() - FixedFooters()) {
        if (IsSummary(R)) {
            RemoveGroupRow(R);
        } else if (IsNode(R)) {
            Current = ColCount() > 1 ? GridCells(RealColIndex(1), R) : String();
            RemoveNode(RealRowIndex(R));
            RemoveGroupRow(R);
        } else {
            Values.push_back(Current);
            ++R;
        }
    }
    return Values;
}

void TExStringGrid::RemoveGroupRow(Integer ARow)
{
    // The summary mark is a cell graphic of its own.
    RemoveCellGraphic(0, ARow);
    FreeCellProperties(0, ARow);
    ClearGroupRowLook(1, ARow);
    ClearRect(0, ARow, AllColCount() - 1, ARow);
    RemoveRows(ARow, 1);
}

// ---------------------------------------------------------------- sub-groups

void TExStringGrid::SubGroup(Integer ColIndex)
{
    if (ColIndex < FixedCols() || ColIndex >= ColCount())
        return;
    TUpdateScope Update(*this);
    // Inside a grouping the top-level column stays the one UnGroup restores.
    if (!FGroupedByGroup) {
        RememberGroupColumn(ColIndex);
        FGroupColumn = ColIndex;
    }
    const Integer TextCol = ColIndex + 1;
    const Integer ValueCol = RealColIndex(ColIndex);
    Integer SubHeader = -1;
    Integer R = TBaseGrid::FixedRows();
    const auto Close = [&]() {
        if (SubHeader < 0)
            return;
        AddNode(RealRowIndex(SubHeader), R - SubHeader);
        NodeGraphic(SubHeader)->SetCellVar(Variant(ColIndex));
        ApplyHeaderLook(TextCol, SubHeader);
        SubHeader = -1;
    };
    String Previous = GroupStartText;
    while (R < RowCount() - FixedFooters()) {
        if (IsNode(R) || IsSummary(R)) {
            Close();
            Previous = GroupStartText;
            ++R;
            continue;
        }
        const String Value = Cells(ValueCol, R);
        if (Value != Previous) {
            Close();
            InsertChildRow(RealRowIndex(R), 0);
            if (TextCol < ColCount())
                SetCells(RealColIndex(TextCol), R, Value);
            SubHeader = R++;
            Previous = Value;
        }
        SetCells(ValueCol, R++, String());
    }
    Close();
    // The closing summary row goes above the footer rows.
    const Integer End = RowCount() - FixedFooters();
    if (FGrouping->Summary() && !IsSummary(End - 1))
        InsertSummaryRow(End, TextCol);
    SetRow(std::min(TBaseGrid::FixedRows(), RowCount() - 1));
}

void TExStringGrid::SubUnGroup(Integer ColIndex)
{
    if (ColIndex < 0 || ColIndex >= ColCount())
        return;
    TUpdateScope Update(*this);
    ExpandAll();
    const Integer TextCol = ColIndex + 1;
    const Integer ValueCol = RealColIndex(ColIndex);
    String Text;
    Integer R = TBaseGrid::FixedRows();
    while (R < RowCount() - FixedFooters()) {
        if (!IsNode(R)) {
            SetCells(ValueCol, R++, Text);
            continue;
        }
        const Variant Built = NodeGraphic(R)->CellVar();
        if (!Built.isValid() || Built.toInt() != ColIndex) {
            ++R;
            continue;
        }
        Text = TextCol < ColCount() ? Cells(RealColIndex(TextCol), R) : String();
        RemoveNode(RealRowIndex(R));
        ClearGroupRowLook(TextCol, R);
        RemoveChildRow(RealRowIndex(R));
    }
}

// ---------------------------------------------------------------- group values

Double TExStringGrid::GroupValue(Integer ColIndex, Integer Method, Integer FromRow, Integer ToRow)
{
    switch (Method) {
    case 1: return ColumnSum(ColIndex, FromRow, ToRow);
    case 2: return ColumnAvg(ColIndex, FromRow, ToRow);
    case 3: return ColumnMin(ColIndex, FromRow, ToRow);
    case 4: return ColumnMax(ColIndex, FromRow, ToRow);
    case 6: return DoGroupCalc(ColIndex, FromRow, ToRow);
    case 7: return ColumnDistinct(ColIndex, FromRow, ToRow);
    default: return ColumnStdDev(ColIndex, FromRow, ToRow);
    }
}

void TExStringGrid::GroupCalc(Integer ColIndex, Integer Method)
{
    if (Method < 1 || Method > 8 || ColIndex < 0 || ColIndex >= AllColCount())
        return;
    const bool Summary = FGrouping->Summary();
    Integer R = TBaseGrid::FixedRows();
    while (R < RowCount()) {
        if (!IsNode(R) || GetNodeState(R)) {
            ++R;
            continue;
        }
        const Integer Span = std::max(GetNodeSpan(R), 1);
        const Integer Target = Summary ? R + Span : R;
        if (Target < RowCount()) {
            if (Method == 5)
                SetInts(ColIndex, Target, Span - 1);
            else
                SetFloats(ColIndex, Target, GroupValue(ColIndex, Method, R + 1, R + Span - 1));
        }
        R += Span;
    }
    SetFooterCalcAfterGroupCalc(ColIndex, Method);
}

void TExStringGrid::SetFooterCalcAfterGroupCalc(Integer ColIndex, Integer Method)
{
    static const TColumnCalcType Kinds[] = {acNONE, acSUM, acAVG, acMIN, acMAX, acCOUNT};
    if (Method > 5 || !FFloatingFooter->Visible())
        return;
    FFloatingFooter->SetColumnCalc(ColIndex, Kinds[Method]);
}

void TExStringGrid::GroupSum(Integer ColIndex) { GroupCalc(ColIndex, 1); }
void TExStringGrid::GroupAvg(Integer ColIndex) { GroupCalc(ColIndex, 2); }
void TExStringGrid::GroupMin(Integer ColIndex) { GroupCalc(ColIndex, 3); }
void TExStringGrid::GroupMax(Integer ColIndex) { GroupCalc(ColIndex, 4); }
void TExStringGrid::GroupCount(Integer ColIndex) { GroupCalc(ColIndex, 5); }
void TExStringGrid::GroupCustomCalc(Integer ColIndex) { GroupCalc(ColIndex, 6); }
void TExStringGrid::GroupDistinct(Integer ColIndex) { GroupCalc(ColIndex, 7); }
void TExStringGrid::GroupStdDev(Integer ColIndex) { GroupCalc(ColIndex, 8); }
