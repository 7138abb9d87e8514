// The paste into the selection and its smart rules: one value fills the
// selection, two values start a date, number or integer series, other
// blocks repeat.
#include "grid/data/ExGrid_Clipboard.h"

#include "grid/base/ExUtil.h"

#include <functional>

namespace {

Integer SelectionCellCount(const TGridRect& S)
{
    return (S.Right - S.Left + 1) * (S.Bottom - S.Top + 1);
}

// The selected cells column by column, each from top to bottom.
void ForEachSelectedCell(const TGridRect& S, const std::function<bool(Integer, Integer)>& Visit)
{
    for (Integer C = S.Left; C <= S.Right; ++C)
        for (Integer R = S.Top; R <= S.Bottom; ++R)
            if (!Visit(C, R))
                return;
}

} // namespace

void TGridClipboard::PasteSelection()
{
    G.ImportNotification(isImportStart, -1);
    G.FPasteAll = false;
    ExtendSelectionToMergedCells();
    const TGridRect S = G.Selection();
    const Integer PasteCol = G.Options().Contains(goRowSelect) ? G.FixedCols() : S.Left;
    {
        TClipUndoSequence Sequence(G);
        const TPasteResult Pasted = PasteAt(PasteCol, S.Top);
        const Integer Selected = SelectionCellCount(S);
        if (G.FNavigation->AllowSmartClipboard() && Pasted.Count != Selected + 1) {
            bool Allow = true;
            G.BeforePaste(S.Left, S.Top, Allow);
            if (Allow) {
                const bool OneLine = S.Left == S.Right || S.Top == S.Bottom;
                if (Pasted.Count == 1 && Selected > 1)
                    FillSingleValue(S);
                else if (Pasted.Count > 1 && OneLine && !FillSeries(S, Pasted))
                    RepeatBlock(S, Pasted);
                else if (!OneLine)
                    RepeatPaste(S, Pasted);
                G.AfterPaste(S.Left, S.Top);
            }
        }
    }
    G.ImportNotification(isImportDone, -1);
    G.DoCellsChanged(TRect(S.Left, S.Top, S.Right, S.Bottom));
    G.GridChanged();
}

void TGridClipboard::SmartWrite(const TGridRect& S, Integer ACol, Integer ARow, const String& Value)
{
    if (!MayPasteInto(ACol, ARow))
        return;
    const bool TopLeft = ACol == S.Left && ARow == S.Top;
    String Text = Value;
    bool Allow = true;
    if (!TopLeft && G.OnClipboardBeforePasteCell)
        G.OnClipboardBeforePasteCell(&G, ACol, ARow, Text, Allow);
    if (!Allow)
        return;
    G.PasteCell(ACol, ARow, Text);
    G.MarkModifiedRect(G.FClipTopLeft, TRect(ACol, ARow, ACol, ARow), G.FClipLastOp);
    if (!TopLeft && G.OnClipboardAfterPasteCell)
        G.OnClipboardAfterPasteCell(&G, ACol, ARow, Text);
}

void TGridClipboard::FillSingleValue(const TGridRect& S)
{
    const Integer Real = G.RealColIndex(S.Left);
    String Value = G.Cells(Real, S.Top);
    bool Checked = false;
    if (G.HasCheckBox(Real, S.Top) && G.GetCheckBoxState(Real, G.RealRowIndex(S.Top), Checked))
        Value = Checked ? G.CheckTrue() : G.CheckFalse();
    ForEachSelectedCell(S, [&](Integer C, Integer R) {
        SmartWrite(S, C, R, Value);
        return true;
    });
}

bool TGridClipboard::FillSeries(const TGridRect& S, const TPasteResult&)
{
    const bool Column = S.Top != S.Bottom;
    const String V1 = G.Cells(G.RealColIndex(S.Left), S.Top);
    const Integer NextCol = Column ? S.Left : S.Left + 1;
    const Integer NextRow = Column ? S.Top + 1 : S.Top;
    if (NextCol >= G.ColCount() || NextRow >= G.RowCount())
        return false;
    const String V2 = G.Cells(G.RealColIndex(NextCol), NextRow);
    const Char TimeSep = GetTimeSeparator();
    const Char DecSep = GetDecimalSeparator();
    if ((LooksLikeDate(V1) && LooksLikeDate(V2)) || (V1.contains(TimeSep) && V2.contains(TimeSep))) {
        TDateTime D1 = 0, D2 = 0;
        if (!TryStrToDateTime(V1, D1) || !TryStrToDateTime(V2, D2))
            return true;
        Word Y1, M1, Day1, Y2, M2, Day2;
        DecodeDate(D1, Y1, M1, Day1);
        DecodeDate(D2, Y2, M2, Day2);
        const bool AsDate = V1.contains(GetDateSeparator());
        TDateTime Value = D1;
        ForEachSelectedCell(S, [&](Integer C, Integer R) {
            SmartWrite(S, C, R, AsDate ? DateToStr(Value) : TimeToStr(Value));
            try {
                Value = StepDate(Y2 - Y1, M2 - M1, Day2 - Day1, Value, D2 - D1);
            } catch (const EConvertError&) {
                // A date that does not exist ends the series.
                return false;
            }
            return true;
        });
        return true;
    }
    if (V1.contains(DecSep) || V2.contains(DecSep)) {
        double F1 = 0, F2 = 0;
        if (!TryStrToFloat(V1, F1) || !TryStrToFloat(V2, F2))
            return true;
        Integer K = 0;
        ForEachSelectedCell(S, [&](Integer C, Integer R) {
            SmartWrite(S, C, R, Format(G.FloatFormat(), {F1 + K++ * (F2 - F1)}));
            return true;
        });
        return true;
    }
    Integer I1 = 0, I2 = 0;
    if (TryStrToInt(V1, I1) && TryStrToInt(V2, I2)) {
        Int64 Value = I1;
        ForEachSelectedCell(S, [&](Integer C, Integer R) {
            SmartWrite(S, C, R, QString::number(Value));
            Value += Int64(I2) - I1;
            return true;
        });
        return true;
    }
    return false;
}

void TGridClipboard::RepeatBlock(const TGridRect& S, const TPasteResult& Pasted)
{
    const bool Column = S.Top != S.Bottom;
    const Integer Period = Column ? Pasted.Height : Pasted.Cols;
    if (Period < 1)
        return;
    if (Column) {
        const Integer Real = G.RealColIndex(S.Left);
        for (Integer R = S.Top + Period; R <= S.Bottom && R < G.RowCount(); ++R)
            if (MayPasteInto(S.Left, R))
                G.PasteCell(S.Left, R, G.Cells(Real, R - Period));
        G.MarkModifiedRect(G.FClipTopLeft, TRect(S.Left, S.Top + Period, S.Left, S.Bottom), G.FClipLastOp);
    } else {
        for (Integer C = S.Left + Period; C <= S.Right && C < G.ColCount(); ++C)
            if (MayPasteInto(C, S.Top))
                G.PasteCell(C, S.Top, G.Cells(G.RealColIndex(C - Period), S.Top));
        G.MarkModifiedRect(G.FClipTopLeft, TRect(S.Left + Period, S.Top, S.Right, S.Top), G.FClipLastOp);
    }
}

void TGridClipboard::RepeatPaste(const TGridRect& S, const TPasteResult& Pasted)
{
    if (Pasted.Height == 1) {
        for (Integer R = S.Top + 1; R <= S.Bottom; ++R) {
            G.SetRow(R);
            PasteAt(S.Left, R);
        }
    } else if (Pasted.Cols == 1) {
        for (Integer C = S.Left + 1; C <= S.Right; ++C) {
            G.SetCol(C);
            PasteAt(C, S.Top);
        }
    }
    G.SetSelection(S);
}
