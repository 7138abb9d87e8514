// The string grid's finding: the type-ahead search over the sort column,
// the cell scan behind Find and its companions, and Replace.
#include "grid/control/ExGrid.h"

#include "grid/base/EsgHTMLE.h"

#include <QSet>

#include <algorithm>

// ExportNotification states of a find.
static constexpr Integer esFindCell = 1;
static constexpr Integer esFindNoMatch = 2;
static constexpr Integer esFindMatch = 4;

// Two double quotes: finds the empty cells.
static const String EmptyCellText = QStringLiteral("\"\"");

static const TPoint NoCell{-1, -1};

// ---------------------------------------------------------------- type-ahead

Integer TExStringGrid::TypeAheadColumn()
{
    const Integer FirstData = RealColIndex(FixedCols());
    if (!FSortSettings->Show())
        return FirstData;
    if (FSortSettings->IndexShow())
        return FSortIndexes->Count() > 0 ? FSortIndexes->SortColumns(0) : FirstData;
    return FSortSettings->Column();
}

Integer TExStringGrid::Search(const String& s)
{
    if (RowCount() < 2)
        return -1;
    const Integer C = TypeAheadColumn();
    if (C < 0 || C >= AllColCount())
        return -1;
    for (Integer R = TBaseGrid::FixedRows(); R < RowCount(); ++R)
        if (UpperCase(StripHTMLTags(Cells(C, R)).left(s.size())) == s)
            return R;
    return -1;
}

// ---------------------------------------------------------------- the cell test

String TExStringGrid::FindCellText(Integer c, Integer r, TFindParams P)
{
    const Integer RealCol = P.Contains(fnIncludeHiddenColumns) ? c : RealColIndex(c);
    return P.Contains(fnIncludeHiddenRows) ? AllCells(RealCol, r) : Cells(RealCol, r);
}

void TExStringGrid::SetFindCellText(Integer c, Integer r, TFindParams P, const String& Value)
{
    const Integer RealCol = P.Contains(fnIncludeHiddenColumns) ? c : RealColIndex(c);
    if (P.Contains(fnIncludeHiddenRows))
        SetAllCells(RealCol, r, Value);
    else
        SetCells(RealCol, r, Value);
}

bool TExStringGrid::MatchFindCell(Integer c, Integer r, bool Wide)
{
    const TFindParams P = FFindParams;
    const bool MatchCase = P.Contains(fnMatchCase);
    String Text = FindCellText(c, r, P);
    if (P.Contains(fnIgnoreHTMLTags) && !Wide)
        Text = HTMLPlainText(Text);
    if (P.Contains(fnMatchRegular))
        return MatchFilterExpr(FSearchCache, MatchCase ? Text : UpperCase(Text), MatchCase);
    if (FSearchCache == EmptyCellText)
        return Text.isEmpty();
    if (FSearchCache.isEmpty())
        return false;
    // Comparing without case spares an upper-cased copy of every cell.
    const Qt::CaseSensitivity Case = MatchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    if (P.Contains(fnMatchFull))
        return Text.compare(FSearchCache, Case) == 0;
    if (P.Contains(fnMatchStart))
        return Text.startsWith(FSearchCache, Case);
    return Text.contains(FSearchCache, Case);
}

// ---------------------------------------------------------------- the scan

TExStringGrid::TFindBounds TExStringGrid::FindBounds(TFindParams P)
{
    TFindBounds B;
    if (P.Contains(fnIncludeFixed)) {
        B = {0, 0, ColCount() - 1, RowCount() - 1};
    } else {
        B = {FixedCols(), TBaseGrid::FixedRows(), ColCount() - FixedRightCols() - 1,
             RowCount() - FixedFooters() - 1};
    }
    if (P.Contains(fnSelectedCells)) {
        const TGridRect S = Selection();
        B = {S.Left, S.Top, S.Right, S.Bottom};
    }
    if (P.Contains(fnIncludeHiddenColumns))
        B.Right += NumHiddenColumns();
    if (P.Contains(fnIncludeHiddenRows))
        B.Bottom += NumHiddenRows();
    const Integer CurrentCol = P.Contains(fnIncludeHiddenColumns) ? RealColIndex(Col()) : Col();
    const Integer CurrentRow = P.Contains(fnIncludeHiddenRows) ? RealRowIndex(Row()) : Row();
    if (P.Contains(fnFindInCurrentRow) || P.Contains(fnFindInPresetRow))
        B.Top = B.Bottom = P.Contains(fnFindInCurrentRow) ? CurrentRow : FFindRow;
    if (P.Contains(fnFindInCurrentCol) || P.Contains(fnFindInPresetCol))
        B.Left = B.Right = P.Contains(fnFindInCurrentCol) ? CurrentCol : FFindCol;
    return B;
}

TPoint TExStringGrid::FirstFindCell(TPoint Start, const TFindBounds& B, TFindParams P)
{
    const bool Back = P.Contains(fnBackward);
    const TPoint TopLeft{B.Left, B.Top};
    const TPoint BottomRight{B.Right, B.Bottom};
    if (Start == NoCell)
        return Back ? BottomRight : TopLeft;
    // Row order steps along the columns of a row, column order along the
    // rows of a column.
    const bool RowOrder = P.Contains(fnDirectionLeftRight);
    Integer& Inner = RowOrder ? Start.X : Start.Y;
    Integer& Outer = RowOrder ? Start.Y : Start.X;
    const Integer InnerFirst = RowOrder ? B.Left : B.Top;
    const Integer InnerLast = RowOrder ? B.Right : B.Bottom;
    const Integer OuterFirst = RowOrder ? B.Top : B.Left;
    const Integer OuterLast = RowOrder ? B.Bottom : B.Right;
    if (!Back) {
        if (Inner < InnerLast)
            ++Inner;
        else if (Outer < OuterLast)
            ++Outer, Inner = InnerFirst;
        else
            return TopLeft;
    } else {
        if (Inner > InnerFirst)
            --Inner;
        else if (Outer > OuterFirst)
            --Outer, Inner = InnerLast;
        else
            return BottomRight;
    }
    // A start outside restricted bounds begins at their edge.
    Start.X = std::clamp(Start.X, B.Left, std::max(B.Left, B.Right));
    Start.Y = std::clamp(Start.Y, B.Top, std::max(B.Top, B.Bottom));
    return Start;
}

TPoint TExStringGrid::ScanFind(TPoint Start, const TFindBounds& B, bool Wide)
{
    const TFindParams P = FFindParams;
    const bool RowOrder = P.Contains(fnDirectionLeftRight);
    const Integer Step = P.Contains(fnBackward) ? -1 : 1;
    const Integer OuterFirst = RowOrder ? Start.Y : Start.X;
    const Integer OuterEnd = (RowOrder ? (Step > 0 ? B.Bottom : B.Top) : (Step > 0 ? B.Right : B.Left)) + Step;
    const Integer InnerRestart = RowOrder ? (Step > 0 ? B.Left : B.Right) : (Step > 0 ? B.Top : B.Bottom);
    const Integer InnerEnd = (RowOrder ? (Step > 0 ? B.Right : B.Left) : (Step > 0 ? B.Bottom : B.Top)) + Step;
    for (Integer Outer = OuterFirst; Outer != OuterEnd; Outer += Step) {
        const Integer InnerFirst = Outer == OuterFirst ? (RowOrder ? Start.X : Start.Y) : InnerRestart;
        for (Integer Inner = InnerFirst; Inner != InnerEnd; Inner += Step) {
            const Integer c = RowOrder ? Inner : Outer;
            const Integer r = RowOrder ? Outer : Inner;
            if (RowOrder && IsIgnoredColumn(c))
                continue;
            ExportNotification(esFindCell, r);
            if (MatchFindCell(c, r, Wide))
                return {c, r};
        }
    }
    return NoCell;
}

bool TExStringGrid::NothingToFind(TFindParams P)
{
    const Integer Rows = P.Contains(fnIncludeHiddenRows) ? AllRowCount() : RowCount();
    return ColCount() == 0 || FixedCols() >= ColCount() || Rows == 0 || TBaseGrid::FixedRows() >= Rows;
}

bool TExStringGrid::InFindBounds(TPoint Cell, const TFindBounds& B)
{
    return B.Left <= B.Right && B.Top <= B.Bottom && Cell.X >= B.Left && Cell.X <= B.Right && Cell.Y >= B.Top &&
           Cell.Y <= B.Bottom;
}

TPoint TExStringGrid::DoFind(TPoint StartCell, const String& s, TFindParams FindParams, bool Wide)
{
    ExportNotification(esExportStart, -1);
    FFindParams = FindParams;
    FFindBusy = true;
    FSearchCache = FindParams.Contains(fnMatchCase) ? s : UpperCase(s);
    TPoint Found = NoCell;
    if (!NothingToFind(FindParams)) {
        const TFindBounds B = FindBounds(FindParams);
        const TPoint First = FirstFindCell(StartCell, B, FindParams);
        if (InFindBounds(First, B))
            Found = ScanFind(First, B, Wide);
    }
    if (Found == NoCell) {
        FFindBusy = false;
        ExportNotification(esFindNoMatch, -1);
        return Found;
    }
    FSearchCell = Found;
    if (FindParams.Contains(fnAutoGoto))
        GotoFound(Found, FindParams);
    ExportNotification(esFindMatch, -1);
    return Found;
}

void TExStringGrid::ExpandNodeHolding(Integer ARealRow)
{
    for (Integer R = TBaseGrid::FixedRows(); R < RowCount(); ++R) {
        if (!IsNode(R))
            continue;
        const Integer NodeReal = RealRowIndex(R);
        if (ARealRow > NodeReal && ARealRow < NodeReal + GetNodeSpan(R)) {
            ExpandNode(NodeReal);
            return;
        }
    }
}

void TExStringGrid::GotoFound(TPoint Found, TFindParams P)
{
    Integer ARow = Found.Y;
    if (P.Contains(fnIncludeHiddenRows)) {
        if (HasNodes() && IsHiddenRow(ARow))
            ExpandNodeHolding(ARow);
        // A row that stays hidden has no display row to go to.
        if (IsHiddenRow(ARow))
            return;
        ARow = DisplRowIndex(ARow);
    }
    Integer ACol = Found.X;
    if (P.Contains(fnIncludeHiddenColumns)) {
        if (IsHiddenColumn(ACol))
            ACol = Col();
        else
            ACol = DisplColIndex(ACol);
    }
    if (FMouseActions->DisjunctRowSelect()) {
        ClearRowSelect();
        SetRowSelect(ARow, true);
        SetRow(ARow);
        return;
    }
    MoveToCell(ACol, ARow);
}

void TExStringGrid::ScrollAfterFind()
{
    const Integer k = FFloatingFooter->Visible() ? 2 : 0;
    const Integer Visible = VisibleRowCount();
    if (Row() > TopRow() + Visible - 2 - k && RowCount() > TBaseGrid::FixedRows() + Visible + k)
        SetTopRow(std::min(TopRow() + k + 1, RowCount() - 1));
}

TPoint TExStringGrid::Find(TPoint& StartCell, const String& s, TFindParams FindParams)
{
    const TPoint Found = DoFind(StartCell, s, FindParams, false);
    if (FindParams.Contains(fnAutoGoto))
        ScrollAfterFind();
    return Found;
}

TPoint TExStringGrid::FindWide(TPoint& StartCell, const String& s, TFindParams FindParams)
{
    return DoFind(StartCell, s, FindParams, true);
}

TPoint TExStringGrid::FindFirst(const String& s, TFindParams FindParams)
{
    TPoint Start = NoCell;
    FSearchText = s;
    FSearchCell = Find(Start, s, FindParams);
    return FSearchCell;
}

TPoint TExStringGrid::FindNext()
{
    TPoint Start = FSearchCell;
    FSearchCell = Find(Start, FSearchText, FFindParams);
    return FSearchCell;
}

// ---------------------------------------------------------------- replace

Integer TExStringGrid::Replace(const String& OrigStr, const String& NewStr, TFindParams FindParams)
{
    const Qt::CaseSensitivity Case = FindParams.Contains(fnMatchCase) ? Qt::CaseSensitive : Qt::CaseInsensitive;
    // The scan starts over at the top after the last cell: a cell found a
    // second time ends the replacing.
    QSet<QPair<Integer, Integer>> Done;
    Integer Count = 0;
    TPoint Cell = NoCell;
    for (;;) {
        Cell = Find(Cell, OrigStr, FindParams);
        if (Cell == NoCell || Done.contains({Cell.X, Cell.Y}))
            break;
        Done.insert({Cell.X, Cell.Y});
        String Text = FindCellText(Cell.X, Cell.Y, FindParams);
        SetFindCellText(Cell.X, Cell.Y, FindParams, Text.replace(OrigStr, NewStr, Case));
        if (FShowModified->Enabled())
            SetRowModified(Cell.Y, true);
        ++Count;
    }
    return Count;
}
