// The string grid: cells read and written as numbers and control values,
// the column and row headings, the version and the print layout arrays.
#include "grid/control/ExGrid.h"

#include "grid/base/EsgHTMLE.h"
#include "grid/base/ExUtil.h"

namespace {

constexpr Integer GridVersionNr = 100794627;

bool ReadsAsZero(const String& S)
{
    return S.isEmpty() || S == QStringLiteral("-");
}

Integer IntegerOf(const String& Text)
{
    const String S = Trim(Text);
    if (ReadsAsZero(S))
        return 0;
    Integer Value = 0;
    if (!TryStrToInt(S, Value))
        throw EExGridError(QStringLiteral("Cell does not contain integer value"));
    return Value;
}

Double FloatOf(const String& Text)
{
    const String S = Trim(Text);
    if (ReadsAsZero(S))
        return 0;
    const String Plain = PlainNumberText(S);
    TFormatSettings Point = TFormatSettings::Create();
    Point.DecimalSeparator = u'.';
    try {
        return StrToFloat(Plain, Point);
    } catch (const EConvertError&) {
        throw EExGridError(QStringLiteral("Cell does not contain a float value"));
    }
}

} // namespace

// ---------------------------------------------------------------- numbers

String TExStringGrid::GetStrippedCell(Integer i, Integer j)
{
    return HTMLPlainText(Cells(i, j));
}

Integer TExStringGrid::GetInts(Integer ACol, Integer ARow)
{
    return IntegerOf(GetStrippedCell(ACol, ARow));
}

void TExStringGrid::SetInts(Integer ACol, Integer ARow, Integer Value)
{
    SetCells(ACol, ARow, IntToStr(Value));
    if (FNumHidden > 0)
        RepaintCell(DisplColIndex(ACol), ARow);
}

Integer TExStringGrid::GetAllInts(Integer ACol, Integer ARow)
{
    return IntegerOf(AllCells(ACol, ARow));
}

void TExStringGrid::SetAllInts(Integer ACol, Integer ARow, Integer Value)
{
    SetAllCells(ACol, ARow, IntToStr(Value));
}

Double TExStringGrid::GetFloats(Integer ACol, Integer ARow)
{
    return FloatOf(GetStrippedCell(ACol, ARow));
}

void TExStringGrid::SetFloats(Integer ACol, Integer ARow, Double Value)
{
    bool IsFloat = true;
    String Pattern = FFloatFormat;
    GetFloatFormat(ACol, ARow, IsFloat, Pattern);
    SetCells(ACol, ARow, Format(Pattern, {Value}));
}

Double TExStringGrid::GetAllFloats(Integer ACol, Integer ARow)
{
    return FloatOf(AllCells(ACol, ARow));
}

void TExStringGrid::SetAllFloats(Integer ACol, Integer ARow, Double Value)
{
    SetAllCells(ACol, ARow, Format(FFloatFormat, {Value}));
}

void TExStringGrid::GetFloatFormat(Integer ACol, Integer ARow, bool& IsFloat, String& FloatFormat)
{
    FloatFormat = FFloatFormat;
    if (OnGetFloatFormat)
        OnGetFloatFormat(this, ACol, ARow, IsFloat, FloatFormat);
}

// ---------------------------------------------------------------- control values

String TExStringGrid::GetCtrlVal(Integer ACol, Integer ARow, const String& ID)
{
    String Value;
    return GetHTMLControlValue(Cells(ACol, ARow), ID, Value) ? Value : String();
}

void TExStringGrid::SetCtrlVal(Integer ACol, Integer ARow, const String& ID, const String& Value)
{
    String Text = Cells(ACol, ARow);
    if (SetHTMLControlValue(Text, ID, Value))
        SetCells(ACol, ARow, Text);
}

// ---------------------------------------------------------------- version and print arrays

Integer TExStringGrid::GetVersionNr() const
{
    return GridVersionNr;
}

String TExStringGrid::GetVersion() const
{
    const auto Nr = Cardinal(GetVersionNr());
    return QStringLiteral("%1.%2.%3.%4").arg(Nr >> 24).arg((Nr >> 16) & 0xFF).arg((Nr >> 8) & 0xFF).arg(Nr & 0xFF);
}

String TExStringGrid::GetVersionString() const
{
    return GetVersion() + QStringLiteral(" Sep, 2012");
}

namespace {

Integer PrintEntry(const std::vector<Integer>& Entries, Integer ACol)
{
    if (ACol < 0 || ACol >= Integer(Entries.size()))
        throw EExGridError(QStringLiteral("Columns is not in valid range"));
    return Entries[std::size_t(ACol)];
}

} // namespace

Integer TExStringGrid::GetPrintColWidth(Integer ACol) const
{
    return PrintEntry(MaxWidths, ACol);
}

Integer TExStringGrid::GetPrintColOffset(Integer ACol) const
{
    return PrintEntry(Indents, ACol);
}

// ---------------------------------------------------------------- headings

void TExStringGrid::SetColumnHeaders(TStrings* Value)
{
    FColumnHeaders->Assign(Value);
    if (TBaseGrid::FixedRows() > 0)
        ClearColumnHeaders();
    ShowColumnHeaders();
}

void TExStringGrid::ClearColumnHeaders()
{
    for (Integer C = 0; C < ColCount(); ++C)
        SetCells(C, 0, String());
}

void TExStringGrid::ShowColumnHeaders()
{
    if (TBaseGrid::FixedRows() <= 0)
        return;
    for (Integer I = 0; I < FColumnHeaders->Count() && I < TotalColCount(); ++I)
        SetCells(I, 0, EscapesToLineBreaks(FColumnHeaders->Strings(I)));
}

void TExStringGrid::SetRowHeaders(TStrings* Value)
{
    FRowHeaders->Assign(Value);
    if (IsDesigning() && TBaseGrid::FixedCols() > 0)
        ClearRowHeaders();
    ShowRowHeaders();
}

void TExStringGrid::ClearRowHeaders()
{
    for (Integer R = 0; R < RowCount(); ++R)
        SetCells(0, R, String());
}

void TExStringGrid::ShowRowHeaders()
{
    if (TBaseGrid::FixedCols() <= 0)
        return;
    for (Integer I = 0; I < FRowHeaders->Count() && I < RowCount(); ++I)
        SetCells(0, I, EscapesToLineBreaks(FRowHeaders->Strings(I)));
}

void TExStringGrid::ColumnHeadersListChanged(TObject*)
{
    ColumnHeadersChanged();
    ShowColumnHeaders();
}

void TExStringGrid::RowHeadersListChanged(TObject*)
{
    ShowRowHeaders();
}

void TExStringGrid::SetLookupItems(TStrings* Value)
{
    if (Value)
        FLookupItems->Assign(Value);
}

void TExStringGrid::SetFixedFont(TFont* Value)
{
    FFixedFont->Assign(Value);
    Invalidate();
}

void TExStringGrid::SetActiveCellFont(TFont* Value)
{
    FActiveCellFont->Assign(Value);
    Invalidate();
}

// ---------------------------------------------------------------- merged columns

void TExStringGrid::SplitAllColumnCells()
{
    for (Integer C = 0; C < ColCount(); ++C)
        SplitColumnCells(C);
}

void TExStringGrid::RemergeColumns()
{
    for (Integer I = 0; I < FMergedColumns->Count(); ++I)
        MergeColumnCells(FMergedColumns->Items(I), I == 0);
}

void TExStringGrid::MergedColumnsChanged(TObject*)
{
    SplitAllColumnCells();
    RemergeColumns();
}

void TExStringGrid::MultiImageChanged(TObject*, Integer ACol, Integer ARow)
{
    RepaintCell(DisplColIndex(ACol), ARow);
}

void TExStringGrid::RichEditSelChange(TObject*)
{
    if (OnRichEditSelectionChange)
        OnRichEditSelectionChange(this);
}
