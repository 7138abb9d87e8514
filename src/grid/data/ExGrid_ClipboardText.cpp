// Text blocks: their size, their insertion from a cell on (paste and text
// drop) and the selection as a text property.
#include "grid/data/ExGrid_Clipboard.h"

#include "grid/base/ExUtil.h"

QStringList ClipboardLines(const String& Text)
{
    QStringList Lines;
    qsizetype Start = 0;
    for (qsizetype I = 0; I < Text.size(); ++I) {
        if (Text[I] != u'\r')
            continue;
        Lines.append(Text.mid(Start, I - Start));
        if (I + 1 < Text.size() && Text[I + 1] == u'\n')
            ++I;
        Start = I + 1;
    }
    Lines.append(Text.mid(Start));
    return Lines;
}

String UnquoteClipboardField(const String& Field)
{
    if (!Field.contains(u'\n') && !Field.contains(QChar(11)))
        return Field;
    String S = Field;
    if (S.startsWith(u'"'))
        S.remove(0, 1);
    if (S.endsWith(u'"'))
        S.chop(1);
    VTToCRLF(S);
    return S;
}

// ---------------------------------------------------------------- the grid's entries

void TExStringGrid::GetTextBlockSize(const String& Text, TPoint& Size)
{
    QStringList Lines = ClipboardLines(Text);
    if (Lines.size() > 1 && Lines.last().isEmpty())
        Lines.removeLast();
    Size = TPoint(0, Integer(Lines.size()) - 1);
    for (const String& Line : Lines)
        Size.X = std::max(Size.X, Integer(Line.count(u'\t')) + 1);
}

Integer TExStringGrid::InsertTextBlock(Integer ACol, Integer ARow, const String& Text, Integer& Cols, Integer& Rows)
{
    const TPasteResult R = TGridClipboard(*this).InsertTextBlock(ACol, ARow, Text);
    Cols = R.Cols;
    Rows = R.Rows;
    return R.Count;
}

String TExStringGrid::GetSelectionAsText()
{
    return TGridClipboard(*this).RectText(Selection(), true);
}

void TExStringGrid::SetSelectionAsText(const String& Value)
{
    TGridClipboard(*this).SetSelectionText(Value);
}

// ---------------------------------------------------------------- insertion

Integer TGridClipboard::LastDataRowCount() const
{
    const TFloatingFooter& F = *G.FFloatingFooter;
    return F.Visible() && F.FooterStyle() == fsFixedLastRow ? G.RowCount() - 1 : G.RowCount();
}

void TGridClipboard::GrowRowsFor(Integer ARow)
{
    if (ARow == LastDataRowCount() && G.FNavigation->AllowClipboardRowGrow())
        G.SetRowCount(G.RowCount() + 1);
}

void TGridClipboard::PasteField(Integer ACol, Integer ARow, String Field)
{
    if (ACol >= G.ColCount() || ARow >= G.RowCount() || !MayPasteInto(ACol, ARow))
        return;
    const bool Wide = GetCellTextKind(Field, false) == 5;
    if (Wide)
        Field = CellTextToWide(Field);
    bool Allow = true;
    const TClipboardBeforePasteEvent& Before = Wide ? G.OnClipboardBeforePasteWideCell : G.OnClipboardBeforePasteCell;
    if (Before)
        Before(&G, ACol, ARow, Field, Allow);
    if (!Allow)
        return;
    G.PasteCell(ACol, ARow, Field);
    const TClipboardAfterPasteEvent& After = Wide ? G.OnClipboardAfterPasteWideCell : G.OnClipboardAfterPasteCell;
    if (After)
        After(&G, ACol, ARow, Field);
}

TPasteResult TGridClipboard::InsertTextBlock(Integer ACol, Integer ARow, const String& Text)
{
    TPasteResult Result;
    const bool MayWrite = G.Options().Contains(goEditing) || G.FNavigation->AllowClipboardAlways() ||
                          G.FMouseActions->RangeSelectAndEdit();
    if (ACol < 0 || ARow < 0 || !MayWrite)
        return Result;
    TNavigation& N = *G.FNavigation;
    const QStringList Lines = ClipboardLines(Text);
    Integer Row = ARow;
    Integer RightCol = ACol;
    {
        TClipUndoSequence Sequence(G);
        for (qsizetype L = 0; L < Lines.size(); ++L) {
            const String& Line = Lines[L];
            const bool EndedWithBreak = L + 1 < Lines.size();
            ++Result.Rows;
            G.ImportNotification(G.FPasteAll ? isImportNewRow : isImportSelRow, Row);
            const bool Insert = N.ClipboardPasteAction() == paInsert;
            if (Insert && !Line.isEmpty() && Row <= G.RowCount())
                G.InsertRows(Row, 1);
            const QStringList Fields = Line.split(u'\t');
            Integer Col = ACol;
            for (qsizetype F = 0; F < Fields.size(); ++F) {
                ++Result.Count;
                const bool LastField = F + 1 == Fields.size();
                // An empty line inserts no row, so in insert mode it has no
                // row of its own to write.
                if (Line.isEmpty() && (Insert || !EndedWithBreak))
                    continue;
                const bool Stored = Col < G.ColCount() && Row < G.RowCount();
                PasteField(Col, Row, UnquoteClipboardField(Fields[F]));
                if (LastField && !Stored)
                    continue;
                RightCol = std::max(RightCol, Col);
                ++Col;
                if (!LastField && Col >= G.ColCount() && N.AllowClipboardColGrow())
                    G.SetColCount(Col + 1);
            }
            if (EndedWithBreak || !Line.isEmpty()) {
                Result.Cols = Integer(Fields.size());
                Result.Height = Result.Rows;
            }
            // The row after this line, when more text follows.
            const bool MoreText = L + 1 < Lines.size() && !(L + 2 == Lines.size() && Lines.last().isEmpty());
            if (MoreText) {
                ++Row;
                GrowRowsFor(Row);
            }
        }
    }
    const TRect Written(ACol, ARow, RightCol, std::min(Row, G.RowCount() - 1));
    G.MarkModifiedRect(G.FClipTopLeft, Written, G.FClipLastOp);
    G.DoCellsChanged(Written);
    return Result;
}

// ---------------------------------------------------------------- selection text

void TGridClipboard::SetSelectionText(const String& Value)
{
    const TGridRect S = G.Selection();
    const QStringList Lines = ClipboardLines(Value);
    Integer Row = S.Top;
    Integer RightCol = S.Left;
    for (qsizetype L = 0; L < Lines.size(); ++L) {
        const QStringList Fields = Lines[L].split(u'\t');
        for (qsizetype F = 0; F < Fields.size(); ++F) {
            const Integer Col = S.Left + Integer(F);
            if (Col >= G.ColCount())
                G.SetColCount(Col + 1);
            if (Row < G.RowCount())
                G.SetCells(G.RealColIndex(Col), Row, UnquoteClipboardField(Fields[F]));
            RightCol = std::max(RightCol, Col);
        }
        const bool MoreText = L + 1 < Lines.size() && !(L + 2 == Lines.size() && Lines.last().isEmpty());
        if (!MoreText)
            break;
        ++Row;
        if (Row == LastDataRowCount())
            G.SetRowCount(G.RowCount() + 1);
    }
    G.DoCellsChanged(TRect(S.Left, S.Top, RightCol, Row));
}
