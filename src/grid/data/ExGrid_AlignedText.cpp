// Aligned plain text ("ASCII"), fixed-width columns and the number in a
// cell.
#include "grid/data/ExGrid_TextIO.h"

#include "grid/base/ExUtil.h"
#include "rtl/Controls.h"
#include "rtl/Forms.h"

#include <algorithm>
#include <charconv>

namespace {

String AlignAsciiText(const String& Text, Integer Width, TAlignment Alignment)
{
    String Aligned = Text;
    if (Alignment == taRightJustify && Aligned.size() < Width)
        Aligned = String(Width - Aligned.size(), u' ') + Aligned;
    if (Alignment == taCenter)
        while (Aligned.size() < Width)
            Aligned = QLatin1Char(' ') + Aligned + QLatin1Char(' ');
    return Aligned;
}

// Padded with blanks to Width, or cut to it.
String FitToFixedWidth(const String& Text, Integer Width)
{
    return Text.size() >= Width ? Text.left(std::max(0, Width)) : Text.leftJustified(Width, u' ');
}

String FixedFirstLine(const String& Text)
{
    const qsizetype Break = Text.indexOf(u'\r');
    return Break < 0 ? Text : Text.left(Break);
}

// The 1-based position at which a plain number text stops being a number
// (optional sign, digits with one optional point, an optional exponent with
// digits), its length + 1 when it ends too early; 0 when all of it is one.
Integer BadRealPosition(const String& Plain)
{
    qsizetype I = 0;
    const qsizetype N = Plain.size();
    auto Digits = [&] {
        const qsizetype From = I;
        while (I < N && Plain[I].isDigit())
            ++I;
        return I - From;
    };
    if (I < N && (Plain[I] == u'-' || Plain[I] == u'+'))
        ++I;
    qsizetype Mantissa = Digits();
    if (I < N && Plain[I] == u'.') {
        ++I;
        Mantissa += Digits();
    }
    if (Mantissa == 0)
        return Integer(I + 1);
    if (I < N && (Plain[I] == u'e' || Plain[I] == u'E')) {
        ++I;
        if (I < N && (Plain[I] == u'-' || Plain[I] == u'+'))
            ++I;
        if (Digits() == 0)
            return Integer(I + 1);
    }
    return I == N ? 0 : Integer(I + 1);
}

} // namespace

// ---------------------------------------------------------------- aligned text

QStringList TGridTextIO::ASCIILines()
{
    const Integer FirstCol = G.SaveStartCol(), FirstRow = G.SaveStartRow();
    std::vector<Integer> Widths;
    for (Integer C = FirstCol; C < G.ColCount(); ++C)
        Widths.push_back(ColumnTextWidth(SaveRealCol(C)));
    QStringList Lines;
    Notify(esExportStart, FirstRow);
    for (Integer R = FirstRow; R < G.RowCount(); ++R) {
        Notify(esExportNextRow, R);
        String Main;
        QStringList More;
        for (Integer C = FirstCol; C < G.ColCount(); ++C) {
            const Integer RealCol = SaveRealCol(C), Width = Widths[std::size_t(C - FirstCol)];
            const TAlignment Alignment = G.GetCellAlignment(RealCol, R).first;
            const String Text = G.GetSaveCell(RealCol, R);
            QStringList Parts = MultiLine() ? textcodec::SplitTextLines(Text) : QStringList{FixedFirstLine(Text)};
            if (Parts.isEmpty())
                Parts << String();
            for (qsizetype L = 1; L < Parts.size(); ++L) {
                if (More.size() < L)
                    More << String();
                More[L - 1] = More[L - 1].leftJustified(Main.size(), u' ') + AlignAsciiText(Parts[L], Width, Alignment);
            }
            const String Piece = AlignAsciiText(Parts[0], Width, Alignment);
            Main += Piece.size() > Width ? Piece : Piece.leftJustified(Width + 1, u' ');
        }
        Lines << Main << More;
    }
    Notify(esExportDone, -1);
    return Lines;
}

void TGridTextIO::SaveToASCII(const String& FileName, bool Unicode, bool Append)
{
    TGridHourGlass HourGlass;
    QStringList Lines = ExistingLines(FileName, Append);
    ShowAllColumns();
    Lines << ASCIILines();
    WriteLines(FileName, Lines, Unicode ? textcodec::TTextEncoding::teUtf16LE : textcodec::TTextEncoding::teAnsi);
}

// ---------------------------------------------------------------- fixed width

void TGridTextIO::SaveToFixed(const String& FileName, TIntList* Positions)
{
    ShowAllColumns();
    const Integer FirstCol = FirstSaveCol(), LastCol = LastSaveCol();
    for (Integer C = FirstCol + Positions->Count(); C <= LastCol; ++C)
        Positions->Add(1 + ColumnTextWidth(SaveRealCol(C)));
    QStringList Lines;
    Notify(esExportStart, G.SaveStartRow());
    for (Integer R = G.SaveStartRow(); R <= G.SaveEndRow(); ++R) {
        Notify(esExportNextRow, R);
        String Line;
        for (Integer C = FirstCol; C <= LastCol; ++C)
            Line += FitToFixedWidth(FixedFirstLine(G.GetSaveCell(SaveRealCol(C), R)), Positions->Items(C - FirstCol));
        Lines << Line;
    }
    Notify(esExportDone, -1);
    try {
        WriteLines(FileName, Lines, textcodec::TTextEncoding::teAnsi);
    } catch (const EFCreateError&) {
        throw EExGridError(QStringLiteral("Cannot Create file ") + FileName);
    }
}

void TGridTextIO::LoadFromFixed(const String& FileName, TIntList* Positions, bool DoTrim, Integer MaxRows)
{
    QStringList Lines;
    try {
        Lines = textcodec::ReadTextLines(FileName);
    } catch (const EFOpenError&) {
        throw EExGridError(QStringLiteral("File ") + FileName + QStringLiteral(" not found"));
    }
    std::vector<Integer> Starts;
    for (Integer I = 0; I < Positions->Count(); ++I)
        Starts.push_back(Positions->Items(I));
    std::sort(Starts.begin(), Starts.end());
    const Integer Fields = Integer(Starts.size()) - 1;
    if (Fields > 0)
        G.SetColCount(G.FixedCols() + Fields);
    Integer Row = G.SaveStartRow();
    for (qsizetype I = 0; I < Lines.size() && Fields > 0; ++I) {
        if (Row >= G.RowCount())
            G.SetRowCount(Row + 1);
        for (Integer K = 0; K < Fields; ++K) {
            const String Field = Copy(Lines[I], Starts[std::size_t(K)], Starts[std::size_t(K) + 1] - Starts[std::size_t(K)]);
            G.PutLoadCell(G.SaveStartCol() + K, Row, DoTrim ? Field.trimmed() : Field);
        }
        ++Row;
        if (MaxRows > 0 && I + 1 >= MaxRows)
            break;
        if (I + 1 < Lines.size() && Row >= G.RowCount() - 1)
            G.SetRowCount(Row + 2);
    }
    ImportDone();
}

// ---------------------------------------------------------------- numbers

Double TGridTextIO::CellToReal(Integer ACol, Integer ARow)
{
    const String Text = G.Cells(ACol, ARow);
    if (Text.isEmpty())
        return 0;
    const String Plain = PlainNumberText(Text.trimmed());
    if (const Integer Bad = BadRealPosition(Plain))
        throw EExGridError(QStringLiteral("Error at position: %1 in Cell [%2, %3].").arg(Bad).arg(ACol).arg(ARow));
    QByteArray Latin;
    for (const QChar C : Plain.startsWith(u'+') ? Plain.mid(1) : Plain)
        Latin += C.isDigit() ? char('0' + C.digitValue()) : char(C.toLatin1());
    Double Value = 0;
    std::from_chars(Latin.constData(), Latin.constData() + Latin.size(), Value);
    return Value;
}
