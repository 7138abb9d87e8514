// The grid's clipboard: copy and cut of rectangles, the paste at a cell in
// the own format, rich text or plain text, and the grid's paste hooks.
#include "grid/data/ExGrid_Clipboard.h"

#include "grid/base/EsgHTMLE.h"
#include "grid/base/ExUtil.h"
#include "platform/TextCodec.h"
#include "rtl/Clipbrd.h"

namespace {

thread_local Integer ClipUndoDepth = 0;

UINT RichTextClipFormat()
{
    return RegisterClipboardFormat(QStringLiteral("Rich Text Format"));
}

bool HoldsTags(const String& S)
{
    return S.contains(QLatin1String("</")) || S.contains(QLatin1String("<B")) || S.contains(QLatin1String("<I"));
}

} // namespace

// ---------------------------------------------------------------- undo

TClipUndoSequence::TClipUndoSequence(TExStringGrid& AGrid)
{
    if (ClipUndoDepth++ == 0 && AGrid.UndoRedo()) {
        FUndo = AGrid.UndoRedo();
        FUndo->StartSequence();
    }
}

TClipUndoSequence::~TClipUndoSequence()
{
    --ClipUndoDepth;
    if (FUndo)
        FUndo->StopSequence();
}

// ---------------------------------------------------------------- the grid's entries

void TExStringGrid::CopySelectionToClipboard()
{
    TGridClipboard(*this).CopySelection();
}

void TExStringGrid::CopyToClipBoard()
{
    TGridClipboard Clip(*this);
    Clip.CopyRect({SaveStartCol(), SaveStartRow(), SaveEndCol(), SaveEndRow()}, false);
    FClipLastOp = coCopy;
}

// The HTML text in UTF-8 and as plain text; no offsets header, which the
// desktop's programs do not expect.
void TExStringGrid::CopyToClipBoardAsHTML()
{
    const String Html = SaveToHTMLString(String());
    TClipboard& Clip = *Clipboard();
    Clip.Open();
    Clip.Clear();
    Clip.SetAsText(Html);
    Clip.SetAsBytes(RegisterClipboardFormat(QStringLiteral("HTML Format")), Html.toUtf8());
    Clip.Close();
}

void TExStringGrid::CutSelectionToClipboard()
{
    TGridClipboard(*this).CutSelection();
}

void TExStringGrid::CutToClipboard()
{
    TGridClipboard(*this).CutSavableArea();
}

void TExStringGrid::PasteFromClipboard()
{
    ImportNotification(isImportStart, -1);
    FPasteAll = true;
    try {
        TGridClipboard(*this).PasteAt(SaveStartCol(), SaveStartRow());
    } catch (...) {
        FPasteAll = false;
        throw;
    }
    FPasteAll = false;
    ImportNotification(isImportDone, -1);
    GridChanged();
}

void TExStringGrid::PasteSelectionFromClipboard()
{
    TGridClipboard(*this).PasteSelection();
}

// ---------------------------------------------------------------- hooks

void TExStringGrid::PasteCell(Integer ACol, Integer ARow, const String& Value)
{
    const Integer Real = RealColIndex(ACol);
    if (UndoRedo())
        UndoRedo()->RegisterChange(Real, ARow, Cells(Real, ARow), Value);
    if (HasCheckBox(Real, ARow))
        SetCheckBoxState(Real, RealRowIndex(ARow), Value == CheckTrue());
    else
        SetCells(Real, ARow, Value);
    if (Real != ACol)
        RepaintCell(ACol, ARow);
}

void TExStringGrid::BeforePaste(Integer, Integer, bool&) {}
void TExStringGrid::AfterPaste(Integer, Integer) {}

void TExStringGrid::MarkModifiedRect(TPoint, TRect R, TClipOperation)
{
    if (!FShowModified->Enabled())
        return;
    for (Integer Row = std::max(0, R.Top); Row <= R.Bottom && Row < RowCount(); ++Row)
        SetRowModified(Row, true);
}

bool TExStringGrid::AllowFmtClipboard()
{
    return FNavigation->AllowFmtClipboard();
}

// ---------------------------------------------------------------- copy

TGridRect TGridClipboard::SavableArea() const
{
    return {G.SaveStartCol(), G.SaveStartRow(), G.SaveEndCol(), G.SaveEndRow()};
}

String TGridClipboard::FieldText(Integer DisplCol, Integer ARow)
{
    const Integer Real = G.RealColIndex(DisplCol);
    String S = G.GetSaveCell(Real, ARow);
    if (GetCellTextKind(S, false) == 5)
        S = CellTextToWide(S);
    if (!G.FNavigation->CopyHTMLTagsToClipboard() && HoldsTags(S))
        S = G.GetStrippedCell(Real, ARow);
    else if (S.contains(QLatin1String("{\\")))
        S = RichCellPlainText(S);
    if (G.FExcelClipboardFormat && S.contains(QLatin1String("\r\n")))
        QuoteMultiLine(S);
    else if (S.contains(u'\r'))
        S = u'"' + CRToLF(S) + u'"';
    return S;
}

String TGridClipboard::RectText(const TGridRect& R, bool Disjunct)
{
    TMouseActions& M = *G.FMouseActions;
    const bool SkipRows = Disjunct && M.DisjunctRowSelect() && !M.DisjunctColSelect();
    const bool SkipCols = Disjunct && M.DisjunctColSelect();
    G.FClipTopLeft = TPoint(R.Left, R.Top);
    G.ExportNotification(esExportStart, -1);
    String Text;
    try {
        for (Integer Row = R.Top; Row <= R.Bottom; ++Row) {
            if (SkipRows && !G.RowSelect(Row))
                continue;
            G.ExportNotification(esExportNextRow, M.RowSelectPersistent() ? G.RealRowIndex(Row) : Row);
            for (Integer C = R.Left; C <= R.Right; ++C) {
                if (SkipCols && !G.ColSelect(C))
                    continue;
                Text += FieldText(C, Row);
                if (C != R.Right)
                    Text += u'\t';
            }
            if (R.Bottom > R.Top)
                Text += QLatin1String("\r\n");
        }
    } catch (...) {
        G.ExportNotification(esExportDone, -1);
        throw;
    }
    G.ExportNotification(esExportDone, -1);
    return Text;
}

void TGridClipboard::CopyRect(const TGridRect& R, bool Disjunct)
{
    const String Text = RectText(R, Disjunct);
    QByteArray Rich;
    const String TopLeft = G.Cells(G.RealColIndex(R.Left), R.Top);
    if (G.FNavigation->AllowRTFClipboard() && TopLeft.contains(QLatin1String("{\\")))
        Rich = textcodec::StringToAnsi(TopLeft);
    QByteArray Block;
    if (G.AllowFmtClipboard()) {
        TMemoryStream Stream;
        G.SaveRectToBinStream(TRect(R.Left, R.Top, R.Right, R.Bottom), &Stream);
        Block = QByteArray(static_cast<const char*>(Stream.Memory()), qsizetype(Stream.Size()));
    }
    TClipboard& Clip = *Clipboard();
    Clip.Open();
    Clip.Clear();
    Clip.SetAsText(Text);
    if (!Rich.isEmpty())
        Clip.SetAsBytes(RichTextClipFormat(), Rich);
    if (G.AllowFmtClipboard())
        Clip.SetAsBytes(CF_GRIDCELLS, Block);
    Clip.Close();
}

void TGridClipboard::ExtendSelectionToMergedCells()
{
    const TGridRect S = G.Selection();
    TGridRect N = S;
    if (G.IsMergedCell(S.Left, S.Top)) {
        const TPoint B = G.BaseCell(S.Left, S.Top);
        N.Left = std::min(N.Left, B.X);
        N.Top = std::min(N.Top, B.Y);
    }
    if (G.IsMergedCell(S.Right, S.Bottom)) {
        const TRect Full = G.FullCell(S.Right, S.Bottom);
        N.Right = std::max(N.Right, Full.Right);
        N.Bottom = std::max(N.Bottom, Full.Bottom);
    }
    if (!(N == S))
        G.SetSelection(N);
}

void TGridClipboard::CopySelection()
{
    ExtendSelectionToMergedCells();
    const bool Fmt = G.AllowFmtClipboard();
    if (G.FMouseActions->DisjunctRowSelect() && !Fmt)
        CopyRect({G.FixedCols(), G.SaveStartRow(), G.ColCount() - G.FixedRightCols() - 1, G.SaveEndRow()}, true);
    else if (G.FMouseActions->DisjunctColSelect() && !Fmt)
        CopyRect(SavableArea(), true);
    else
        CopyRect(G.Selection(), false);
    G.FClipLastOp = coCopy;
}

// ---------------------------------------------------------------- cut

bool TGridClipboard::MayPasteInto(Integer DisplCol, Integer ARow)
{
    return G.FNavigation->AllowClipboardAlways() || G.IsEditable(DisplCol, ARow);
}

void TGridClipboard::MarkRowsModified(Integer Top, Integer Bottom)
{
    if (!G.FShowModified->Enabled())
        return;
    for (Integer Row = Top; Row <= Bottom; ++Row)
        G.SetRowModified(Row, true);
}

void TGridClipboard::CutSelection()
{
    CopySelection();
    G.FClipLastOp = coCut;
    const TGridRect S = G.Selection();
    if (G.FMouseActions->DisjunctRowSelect()) {
        for (Integer Row = G.FixedRows(); Row < G.RowCount(); ++Row)
            if (G.RowSelect(Row)) {
                G.ClearRows(Row, 1);
                MarkRowsModified(Row, Row);
            }
    } else if (G.FMouseActions->DisjunctColSelect()) {
        for (Integer C = G.FixedCols(); C < G.ColCount(); ++C)
            if (G.ColSelect(C))
                G.ClearCols(C, 1);
    } else {
        TClipUndoSequence Sequence(G);
        const bool WithProperties = G.AllowFmtClipboard();
        for (Integer Row = S.Top; Row <= S.Bottom; ++Row)
            for (Integer C = S.Left; C <= S.Right; ++C)
                if (MayPasteInto(C, Row)) {
                    G.PasteCell(C, Row, String());
                    // The block carried them; a cell left alone keeps its
                    // own (its read-only flag above all).
                    if (WithProperties)
                        G.FreeCellProperties(G.RealColIndex(C), Row);
                }
        MarkRowsModified(S.Top, S.Bottom);
    }
    if (G.OnCellsChanged)
        G.OnCellsChanged(&G, TRect(S.Left, S.Top, S.Right, S.Bottom));
    if (G.NumHiddenColumns() > 0)
        G.Invalidate();
}

void TGridClipboard::CutSavableArea()
{
    const TGridRect A = SavableArea();
    CopyRect(A, false);
    G.FClipLastOp = coCut;
    TClipUndoSequence Sequence(G);
    for (Integer Row = A.Top; Row <= A.Bottom; ++Row)
        for (Integer C = A.Left; C <= A.Right; ++C)
            if (MayPasteInto(C, Row))
                G.PasteCell(C, Row, String());
    MarkRowsModified(A.Top, A.Bottom);
}

// ---------------------------------------------------------------- paste at a cell

TPasteResult TGridClipboard::PasteAt(Integer ACol, Integer ARow)
{
    TClipboard& Clip = *Clipboard();
    if (G.AllowFmtClipboard() && Clip.HasFormat(CF_GRIDCELLS))
        return PasteOwnFormat(ACol, ARow);
    if (G.FNavigation->AllowRTFClipboard() && Clip.HasFormat(RichTextClipFormat()))
        return PasteRichText(ACol, ARow);
    if (Clip.HasFormat(CF_TEXT))
        return InsertTextBlock(ACol, ARow, Clip.AsText());
    return {};
}

TPasteResult TGridClipboard::PasteOwnFormat(Integer ACol, Integer ARow)
{
    const QByteArray Block = Clipboard()->AsBytes(CF_GRIDCELLS);
    // A block without a readable header changes nothing.
    const TBinBlockHeader Header = BinBlockHeader(Block);
    bool Allow = true;
    G.BeforePaste(ACol, ARow, Allow);
    if (!Allow)
        return {};
    TNavigation& N = *G.FNavigation;
    const Integer OldCols = G.ColCount();
    const Integer OldRows = G.RowCount();
    const bool Insert = N.ClipboardPasteAction() == paInsert && ARow <= G.RowCount() && Header.RowCount > 0;
    if (Insert)
        G.InsertRows(ARow, Header.RowCount);
    if (N.AllowClipboardColGrow() && ACol + Header.ColCount >= G.ColCount())
        G.SetColCount(ACol + Header.ColCount);
    if (N.AllowClipboardRowGrow() && ARow + Header.RowCount >= G.RowCount())
        G.SetRowCount(ARow + Header.RowCount);
    TMemoryStream Stream;
    Stream.WriteBuffer(Block.constData(), Integer(Block.size()));
    Stream.SetPosition(0);
    try {
        G.LoadAtPointFromBinStream(TPoint(ACol, ARow), &Stream);
    } catch (...) {
        // The block was refused before any cell changed: the room made for
        // it goes again.
        if (Insert)
            G.RemoveRows(ARow, Header.RowCount);
        G.SetRowCount(OldRows);
        G.SetColCount(OldCols);
        throw;
    }
    const TPoint From = Header.ID == G.BlockID() ? G.FClipTopLeft : TPoint(-1, -1);
    G.MarkModifiedRect(From, TRect(ACol, ARow, ACol + Header.ColCount - 1, ARow + Header.RowCount - 1),
                       G.FClipLastOp);
    G.AfterPaste(ACol, ARow);
    return {Header.ColCount * Header.RowCount, Header.RowCount, Header.ColCount, Header.RowCount};
}

TPasteResult TGridClipboard::PasteRichText(Integer ACol, Integer ARow)
{
    QByteArray Bytes = Clipboard()->AsBytes(RichTextClipFormat());
    const qsizetype Nul = Bytes.indexOf('\0');
    if (Nul >= 0)
        Bytes.truncate(Nul);
    if (ACol < G.ColCount() && ARow < G.RowCount() && G.IsEditable(ACol, ARow))
        G.PasteCell(ACol, ARow, textcodec::AnsiToString(Bytes));
    return {0, 1, 1, 1};
}
