// The string grid's highlighting and error marks: occurrences of a text
// wrapped in the mini-HTML tags "hi" or "e" over a cell, column, row or the
// whole grid, and their removal.
#include "grid/control/ExGrid.h"

#include "grid/base/EsgHTMLE.h"

static const String HighlightTag = QStringLiteral("hi");
static const String ErrorMarkTag = QStringLiteral("e");

String TExStringGrid::HilightText(bool DoCase, const String& S, const String& Text)
{
    return InsertMarkTags(S, Text, HighlightTag, DoCase);
}

String TExStringGrid::UnHilightText(const String& S)
{
    return RemoveMarkTags(S, HighlightTag);
}

String TExStringGrid::MarkText(bool DoCase, const String& S, const String& Text)
{
    return InsertMarkTags(S, Text, ErrorMarkTag, DoCase);
}

String TExStringGrid::UnMarkText(const String& S)
{
    return RemoveMarkTags(S, ErrorMarkTag);
}

// ---------------------------------------------------------------- ranges

TRect TExStringGrid::TagColumns(bool DoFixed, bool PlusHidden)
{
    const Integer Hidden = PlusHidden ? NumHiddenColumns() : 0;
    if (DoFixed)
        return {0, 0, ColCount() - 1 + Hidden, 0};
    return {FixedCols(), 0, ColCount() - FixedRightCols() - 1 + Hidden, 0};
}

TRect TExStringGrid::TagRows(bool DoFixed)
{
    if (DoFixed)
        return {0, 0, 0, RowCount() - 1};
    return {0, TBaseGrid::FixedRows(), 0, RowCount() - FixedFooters() - 1};
}

String TExStringGrid::TaggableText(Integer ACol, Integer ARow)
{
    // What the user sees when the application gives the display text.
    if (OnGetDisplText)
        return Cells(ACol, ARow);
    return GridCells(ACol, ARow);
}

void TExStringGrid::ForTagCells(TRect Cols, TRect Rows, const std::function<void(Integer ACol, Integer ARow)>& Do)
{
    const Integer LastCol = std::min(Cols.Right, AllColCount() - 1);
    const Integer LastRow = std::min(Rows.Bottom, RowCount() - 1);
    for (Integer R = std::max(Rows.Top, 0); R <= LastRow; ++R)
        for (Integer C = std::max(Cols.Left, 0); C <= LastCol; ++C)
            if (!IsMergedNonBaseCell(C, R))
                Do(C, R);
}

void TExStringGrid::InsertTagsInRange(const String& Tag, bool DoCase, TRect Cols, TRect Rows, const String& Text)
{
    if (Text.isEmpty())
        return;
    const String Search = EscapeHTML(Text, false);
    ForTagCells(Cols, Rows, [&](Integer C, Integer R) {
        const String Escaped = EscapeHTML(TaggableText(C, R), false);
        const String Tagged = InsertMarkTags(Escaped, Search, Tag, DoCase);
        if (Tagged != Escaped)
            SetCells(C, R, Tagged);
    });
}

void TExStringGrid::RemoveTagsInRange(const String& Tag, TRect Cols, TRect Rows)
{
    const String Opening = u'<' + Tag + u'>';
    ForTagCells(Cols, Rows, [&](Integer C, Integer R) {
        const String Text = GridCells(C, R);
        // Cells that never held the tags keep their text as it is.
        if (Text.contains(Opening, Qt::CaseInsensitive))
            SetCells(C, R, RemoveMarkTags(UnescapeHTML(Text, false), Tag));
    });
}

TRect TExStringGrid::OneCell(Integer Index)
{
    return {Index, Index, Index, Index};
}

// ---------------------------------------------------------------- highlighting

void TExStringGrid::HilightInCell(bool DoCase, Integer Col, Integer Row, const String& HiText)
{
    InsertTagsInRange(HighlightTag, DoCase, OneCell(Col), OneCell(Row), HiText);
}

void TExStringGrid::HilightInCol(bool DoFixed, bool DoCase, Integer Col, const String& HiText)
{
    InsertTagsInRange(HighlightTag, DoCase, OneCell(Col), TagRows(DoFixed), HiText);
}

void TExStringGrid::HilightInRow(bool DoFixed, bool DoCase, Integer Row, const String& HiText)
{
    InsertTagsInRange(HighlightTag, DoCase, TagColumns(DoFixed, false), OneCell(Row), HiText);
}

void TExStringGrid::HilightInGrid(bool DoFixed, bool DoCase, const String& HiText)
{
    InsertTagsInRange(HighlightTag, DoCase, TagColumns(DoFixed, !DoFixed), TagRows(DoFixed), HiText);
}

void TExStringGrid::UnHilightInCell(Integer Col, Integer Row)
{
    RemoveTagsInRange(HighlightTag, OneCell(Col), OneCell(Row));
}

void TExStringGrid::UnHilightInCol(bool DoFixed, Integer Col)
{
    RemoveTagsInRange(HighlightTag, OneCell(Col), TagRows(DoFixed));
}

void TExStringGrid::UnHilightInRow(bool DoFixed, Integer Row)
{
    RemoveTagsInRange(HighlightTag, TagColumns(DoFixed, true), OneCell(Row));
}

void TExStringGrid::UnHilightInGrid(bool DoFixed)
{
    RemoveTagsInRange(HighlightTag, TagColumns(DoFixed, true), TagRows(DoFixed));
}

// ---------------------------------------------------------------- error marks

void TExStringGrid::MarkInCell(bool DoCase, Integer Col, Integer Row, const String& HiText)
{
    InsertTagsInRange(ErrorMarkTag, DoCase, OneCell(Col), OneCell(Row), HiText);
}

void TExStringGrid::MarkInCol(bool DoFixed, bool DoCase, Integer Col, const String& HiText)
{
    InsertTagsInRange(ErrorMarkTag, DoCase, OneCell(Col), TagRows(DoFixed), HiText);
}

void TExStringGrid::MarkInRow(bool DoFixed, bool DoCase, Integer Row, const String& HiText)
{
    InsertTagsInRange(ErrorMarkTag, DoCase, TagColumns(DoFixed, false), OneCell(Row), HiText);
}

void TExStringGrid::MarkInGrid(bool DoFixed, bool DoCase, const String& HiText)
{
    InsertTagsInRange(ErrorMarkTag, DoCase, TagColumns(DoFixed, false), TagRows(DoFixed), HiText);
}

void TExStringGrid::UnMarkInCell(Integer Col, Integer Row)
{
    RemoveTagsInRange(ErrorMarkTag, OneCell(Col), OneCell(Row));
}

void TExStringGrid::UnMarkInCol(bool DoFixed, Integer Col)
{
    RemoveTagsInRange(ErrorMarkTag, OneCell(Col), TagRows(DoFixed));
}

void TExStringGrid::UnMarkInRow(bool DoFixed, Integer Row)
{
    RemoveTagsInRange(ErrorMarkTag, TagColumns(DoFixed, true), OneCell(Row));
}

void TExStringGrid::UnMarkInGrid(bool DoFixed)
{
    RemoveTagsInRange(ErrorMarkTag, TagColumns(DoFixed, true), TagRows(DoFixed));
}
