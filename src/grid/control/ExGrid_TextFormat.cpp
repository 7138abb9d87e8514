// The string grid: a cell's text as shown (number format, links, group
// count), its alignment and the node and sort-mark layout queries.
#include "grid/control/ExGrid.h"

#include "grid/base/ExUtil.h"

namespace {

bool IsFormula(const String& Text)
{
    return Text.startsWith(u'=') || CellTextToWide(Text).startsWith(u'=');
}

bool ReadsAsNumber(const String& Text)
{
    return GetNumberKind(Text) != 2;
}

// Tried in this order; the first found becomes a link.
const char* const URLPrefixes[] = {"HTTP://", "WWW.", "MAILTO:", "HTTPS://", "NNTP://", "FILE://", "FTP://"};

void LinkFirstURL(String& Value)
{
    for (const char* Prefix : URLPrefixes) {
        String Linked;
        if (LinkifyURL(Value, QString::fromLatin1(Prefix), Linked) == 1) {
            Value = Linked;
            return;
        }
    }
}

} // namespace

// ---------------------------------------------------------------- the text as shown

String TExStringGrid::GetFormattedCell(Integer ACol, Integer ARow)
{
    const String Text = Cells(ACol, ARow);
    if (!OnGetFloatFormat || !ReadsAsNumber(Text))
        return Text;
    bool IsFloat = true;
    String Pattern;
    GetFloatFormat(ACol, ARow, IsFloat, Pattern);
    if (!IsFloat || Pattern.isEmpty())
        return Text;
    // A pattern from a handler may not fit the value: the text stays then.
    try {
        String Result;
        const bool Formatted = Pattern.contains(u'd') ? TryFormat(Pattern, {Ints(ACol, ARow)}, Result)
                                                      : TryFormat(Pattern, {Floats(ACol, ARow)}, Result);
        return Formatted ? Result : Text;
    } catch (const Exception&) {
        return Text;
    }
}

void TExStringGrid::GetDisplText(Integer ACol, Integer ARow, String& Value)
{
    TBaseGrid::GetDisplText(ACol, ARow, Value);
    if (FURLShowInText)
        LinkFirstURL(Value);
    if (ACol == 1 && FGrouping->ShowGroupCount())
        AppendGroupCount(ARow, Value);
}

// The rows of a node row's own, without its sub-nodes; a count pattern that
// does not take one integer gives the default " (n)".
void TExStringGrid::AppendGroupCount(Integer ARow, String& Value)
{
    TCellGraphic* Node = ARow >= 0 && ARow < RowCount() ? GetCellGraphic(0, ARow) : nullptr;
    if (!Node || Node->CellType() != ctNode)
        return;
    const Integer Count = Node->CellIndex() - Node->CellErrFrom() - 1;
    String Text;
    if (FGrouping->GroupCountFormat().isEmpty() || !TryFormat(FGrouping->GroupCountFormat(), {Count}, Text))
        Text = QStringLiteral(" (%1)").arg(Count);
    Value += Text;
}

std::pair<TAlignment, TVAlignment> TExStringGrid::GetCellAlignment(Integer ACol, Integer ARow)
{
    TAlignment HAlign = FDefaultAlignment;
    TVAlignment VAlign = FVAlignment;
    const String Text = Cells(ACol, ARow);
    const bool Formula = IsFormula(Text);
    if (FAutoNumAlign && ReadsAsNumber((Formula ? GetCompareCell(ACol, ARow) : Text).trimmed()))
        HAlign = taRightJustify;
    if (!Formula && HasCellProperties(ACol, ARow))
        HAlign = CellProperties(ACol, ARow)->Alignment();
    QueryCellAlignment(ACol, ARow, HAlign, VAlign);
    return {HAlign, VAlign};
}

// ---------------------------------------------------------------- nodes and sort marks

bool TExStringGrid::HasNodes()
{
    return FNumNodes > 0;
}

Integer TExStringGrid::GetCellIndent(Integer ARow)
{
    if (!HasNodes() || !HasCellProperties(0, ARow))
        return 0;
    return CellProperties(0, ARow)->NodeLevel() * FCellNode->NodeIndent();
}

bool TExStringGrid::HasSortIndicator(Integer ACol, Integer ARow)
{
    // A merged heading shows the mark in its last row.
    if (ACol >= 0 && ARow >= 0 && ACol < AllColCount() && ARow < RowCount() && IsMergedCell(ACol, ARow))
        ARow += CellSpan(ACol, ARow).Y;
    return ARow == FSortSettings->Row() && FSortSettings->Show() && RowCount() > FixedRows() + 1;
}
