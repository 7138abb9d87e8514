// The string grid's sort comparison: two cells by the column's sort style,
// and two rows by a column with its tie-break or by the sort index list.
#include "grid/data/ExGrid_SortKeys.h"

#include "grid/base/EsgHTMLE.h"
#include "grid/base/ExUtil.h"

#include <numeric>

namespace {

constexpr Integer DescendingEntryBit = Integer(0x80000000u);

Integer SignOf(Integer Value)
{
    return Value < 0 ? -1 : (Value > 0 ? 1 : 0);
}

template <class T>
Integer CompareValues(T A, T B)
{
    return A < B ? -1 : (B < A ? 1 : 0);
}

bool IsCheckBoxType(TCellType Type)
{
    return Type == ctCheckBox || Type == ctDataCheckBox || Type == ctVirtCheckBox || Type == ctRowCheckBox;
}

bool IsNumberKind(Integer Kind)
{
    return Kind == 0 || Kind == 1 || Kind == 5;
}

// The separator first at character 2 or 3 (1-based), not the last one,
// with number characters on both sides.
enum TSeparatorPlace { spElsewhere, spBetweenDigits, spNotBetweenDigits };

TSeparatorPlace PlaceOfSeparator(const String& Text, QChar Separator)
{
    const qsizetype At = Text.indexOf(Separator);
    if (At != 1 && At != 2)
        return spElsewhere;
    if (At == Text.size() - 1)
        return spElsewhere;
    return IsNumberChar(Text[At - 1]) && IsNumberChar(Text[At + 1]) ? spBetweenDigits : spNotBetweenDigits;
}

// Prefix, suffix and (for financial texts) thousand separators taken off,
// the locale's decimal separator made a point.
String PreparedNumberText(const String& Text, const TSortColumn& Column, bool Financial)
{
    String S = Text;
    if (!Column.Prefix.isEmpty()) {
        const qsizetype At = S.indexOf(Column.Prefix);
        if (At >= 0)
            S.remove(At, Column.Prefix.size());
    }
    if (!Column.Suffix.isEmpty()) {
        const qsizetype At = S.indexOf(Column.Suffix);
        if (At >= 0)
            S.remove(At, Column.Suffix.size());
    }
    if (Financial)
        S.remove(GetThousandSeparator());
    const QChar Decimal = GetDecimalSeparator();
    if (Decimal != u'.') {
        const qsizetype At = S.indexOf(Decimal);
        if (At >= 0)
            S[At] = u'.';
    }
    return S;
}

// The texts the blank rule looks at, as the style prepares them.
struct TPreparedBlanks {
    bool First;
    bool Second;
};

// The style the automatic detection gives for the pair, from the first cell.
TSortStyle AutomaticStyle(const TExStringGrid& Grid, TSortCell& A, TSortCell& B)
{
    if (A.IsCheckBox())
        return ssCheckBox;
    if (A.IsNumber())
        return ssNumeric;
    const TSortStyle TextStyle = Grid.SortSettings()->IgnoreCase() ? ssAlphaNoCase : ssAlphabetic;
    switch (A.Shape()) {
    case TSortCellKey::shDate:
        if (!B.HasDateSeparator())
            return TextStyle;
        return A.HasTimeSeparator() ? ssDateTime : ssDate;
    case TSortCellKey::shTime:
        return B.HasTimeSeparator() ? ssTime : TextStyle;
    default:
        return TextStyle;
    }
}

TSortStyle ResolvedStyle(const TExStringGrid& Grid, TSortStyle Style, TSortCell& A, TSortCell& B)
{
    if (Style == ssAutomatic)
        return AutomaticStyle(Grid, A, B);
    if (Style == ssAlphaNumeric || Style == ssAlphaNumericNoCase) {
        if (A.IsNumber() && B.IsNumber())
            return ssNumeric;
        return Style == ssAlphaNumeric ? ssAlphabetic : ssAlphaNoCase;
    }
    return Style;
}

Integer CompareNumbers(TSortCell& A, TSortCell& B, bool Financial, TPreparedBlanks& Blanks)
{
    double X = 0, Y = 0;
    const bool ReadX = A.Number(X, Blanks.First, Financial);
    const bool ReadY = B.Number(Y, Blanks.Second, Financial);
    if (!ReadX && !ReadY)
        return 0;
    // A text that does not read counts as 0 against one that does.
    return CompareValues(ReadX ? X : 0.0, ReadY ? Y : 0.0);
}

// Steps 5 of the comparison; Blanks gets the emptiness of the prepared texts.
Integer CompareByStyle(TExStringGrid& Grid, TSortStyle Style, Integer ACol, TSortCell& A, TSortCell& B,
                       TPreparedBlanks& Blanks)
{
    Blanks = {A.Text().isEmpty(), B.Text().isEmpty()};
    switch (Style) {
    case ssAlphabetic:
    case ssAlphaCase:
        return SignOf(QString::compare(A.Text(), B.Text()));
    case ssAlphaNoCase:
        return SignOf(QString::compare(A.Upper(), B.Upper()));
    case ssAnsiAlphaCase:
        return SignOf(AnsiCompareStr(A.Text(), B.Text()));
    case ssAnsiAlphaNoCase:
        return SignOf(AnsiCompareText(A.Text(), B.Text()));
    case ssHTML:
        Blanks = {A.Stripped().isEmpty(), B.Stripped().isEmpty()};
        return SignOf(QString::compare(A.Stripped(), B.Stripped()));
    case ssNumeric:
    case ssFinancial:
        return CompareNumbers(A, B, Style == ssFinancial, Blanks);
    case ssDate:
    case ssDateTime:
        return CompareValues(A.DateTime(), B.DateTime());
    case ssTime:
        return CompareValues(A.Time(), B.Time());
    case ssShortDateEU:
        return CompareValues(A.DayFirst(), B.DayFirst());
    case ssShortDateUS:
        return CompareValues(A.MonthFirst(), B.MonthFirst());
    case ssCheckBox:
        return CompareValues(A.Checked(), B.Checked());
    case ssImages:
        return CompareValues(A.ImageRef(), B.ImageRef());
    case ssCustom: {
        Integer Res = 0;
        if (Grid.OnCustomCompare)
            Grid.OnCustomCompare(&Grid, A.Text(), B.Text(), Res);
        return Res;
    }
    case ssRaw: {
        Integer Res = 0;
        if (Grid.OnRawCompare)
            Grid.OnRawCompare(&Grid, ACol, A.RowIndex(), B.RowIndex(), Res);
        return Res;
    }
    default:
        return 1;
    }
}

} // namespace

// ---------------------------------------------------------------- cell readings

const String& TSortCell::Text()
{
    if (Needs(TSortCellKey::kText))
        Key.Text = Grid.SortSettings()->SortOnVirtualCells() ? Grid.Cells(Col, ReadRow) : Grid.GetGridCell(Col, ReadRow);
    return Key.Text;
}

bool TSortCell::IsCheckBox()
{
    if (Needs(TSortCellKey::kCheckBox))
        Key.IsCheckBox = IsCheckBoxType(Grid.GetCellType(Col, ReadRow));
    return Key.IsCheckBox;
}

bool TSortCell::Checked()
{
    if (Needs(TSortCellKey::kChecked)) {
        bool State = false;
        Key.Checked = Grid.GetCheckBoxState(Col, ReadRow, State) && State;
    }
    return Key.Checked;
}

std::intptr_t TSortCell::ImageRef()
{
    if (Needs(TSortCellKey::kImage))
        Rare().ImageRef = Grid.GetCellImageRef(Col, ReadRow);
    return Rare().ImageRef;
}

bool TSortCell::IsNumber()
{
    if (Needs(TSortCellKey::kKind))
        Key.NumberKind = static_cast<signed char>(GetNumberKind(Text()));
    return IsNumberKind(Key.NumberKind);
}

bool TSortCell::Number(double& Value, bool& PreparedEmpty, bool Financial)
{
    if (Needs(TSortCellKey::kNumber)) {
        const String Prepared = PreparedNumberText(Text(), Column, Financial);
        Key.NumberTextEmpty = Prepared.isEmpty();
        Key.Number = 0;
        Key.NumberRead = TryStrToFloat(Prepared, Key.Number, TFormatSettings::Create());
        // An empty cell reads as 0.
        if (!Key.NumberRead && Text().isEmpty()) {
            Key.Number = 0;
            Key.NumberRead = true;
        }
    }
    Value = Key.Number;
    PreparedEmpty = Key.NumberTextEmpty;
    return Key.NumberRead;
}

const String& TSortCell::Upper()
{
    if (Needs(TSortCellKey::kUpper))
        Rare().Upper = AnsiUpperCase(Text());
    return Rare().Upper;
}

const String& TSortCell::Stripped()
{
    if (Needs(TSortCellKey::kStripped))
        Rare().Stripped = StripHTMLTags(Text());
    return Rare().Stripped;
}

double TSortCell::DateTime()
{
    if (Needs(TSortCellKey::kDateTime)) {
        TDateTime Value = 0;
        Rare().DateTime = !Text().isEmpty() && TryStrToDateTime(Text(), Value) ? Value : 0;
    }
    return Rare().DateTime;
}

double TSortCell::Time()
{
    if (Needs(TSortCellKey::kTime)) {
        TDateTime Value = 0;
        Rare().Time = TryStrToTime(Text(), Value) ? Value : 0;
    }
    return Rare().Time;
}

double TSortCell::DayFirst()
{
    if (Needs(TSortCellKey::kDayFirst))
        Rare().DayFirst = DMYToDate(Text());
    return Rare().DayFirst;
}

double TSortCell::MonthFirst()
{
    if (Needs(TSortCellKey::kMonthFirst))
        Rare().MonthFirst = MDYToDate(Text());
    return Rare().MonthFirst;
}

void TSortCell::ReadShape()
{
    if (!Needs(TSortCellKey::kShape))
        return;
    const String& S = Text();
    const QChar DateSep = GetDateSeparator(), TimeSep = GetTimeSeparator();
    Key.HasDateSeparator = S.contains(DateSep);
    Key.HasTimeSeparator = S.contains(TimeSep);
    switch (PlaceOfSeparator(S, DateSep)) {
    case spBetweenDigits: Key.Shape = TSortCellKey::shDate; break;
    case spNotBetweenDigits: Key.Shape = TSortCellKey::shText; break;
    case spElsewhere:
        Key.Shape = PlaceOfSeparator(S, TimeSep) == spBetweenDigits ? TSortCellKey::shTime : TSortCellKey::shText;
        break;
    }
}

TSortCellKey::TShape TSortCell::Shape()
{
    ReadShape();
    return Key.Shape;
}

bool TSortCell::HasDateSeparator()
{
    ReadShape();
    return Key.HasDateSeparator;
}

bool TSortCell::HasTimeSeparator()
{
    ReadShape();
    return Key.HasTimeSeparator;
}

// ---------------------------------------------------------------- comparing

TSortColumn ReadSortColumn(TExStringGrid& Grid, Integer ACol)
{
    const TSortSettings* S = Grid.SortSettings();
    TSortColumn Column;
    Column.Style = S->AutoFormat() ? ssAutomatic : (S->IgnoreCase() ? ssAlphaNoCase : ssAlphabetic);
    Grid.GetColFormat(ACol, Column.Style, Column.Prefix, Column.Suffix);
    Column.Ignored = Grid.IsIgnoredColumn(ACol);
    return Column;
}

Integer CompareSortCells(TExStringGrid& Grid, const TSortColumn& Column, Integer ACol, TSortCell& A, TSortCell& B,
                         TSortDirection Direction)
{
    const TSortStyle Style = ResolvedStyle(Grid, Column.Style, A, B);
    TPreparedBlanks Blanks{};
    const Integer Result = CompareByStyle(Grid, Style, ACol, A, B, Blanks);
    const TSortSettings* S = Grid.SortSettings();
    if (!S->IgnoreBlanks() || Blanks.First == Blanks.Second)
        return Result;
    // Blanks go to BlankPos whatever the direction: the descending sort
    // reverses the negated answer again.
    const Integer FirstBlank = S->BlankPos() == blFirst ? -1 : 1;
    const Integer Answer = Blanks.First ? FirstBlank : -FirstBlank;
    return Direction == sdAscending ? Answer : -Answer;
}

std::unique_ptr<TExStringGrid::TSortKeys>& TExStringGrid::TSortKeys::Spare()
{
    static std::unique_ptr<TSortKeys> Kept;
    return Kept;
}

std::unique_ptr<TExStringGrid::TSortKeys> TExStringGrid::TSortKeys::Take(Integer Rows)
{
    std::unique_ptr<TSortKeys> Keys = std::move(Spare());
    if (!Keys)
        Keys.reset(new TSortKeys);
    Keys->Reset(Rows);
    return Keys;
}

void TExStringGrid::TSortKeys::Give(std::unique_ptr<TSortKeys> Keys)
{
    Keys->Clear();
    Spare() = std::move(Keys);
}

void TExStringGrid::TSortKeys::Reset(Integer Rows)
{
    RowKey.resize(std::size_t(std::max(Rows, 0)));
    std::iota(RowKey.begin(), RowKey.end(), 0);
    KeyRow = RowKey;
}

void TExStringGrid::TSortKeys::Clear()
{
    for (auto& Entry : Columns)
        if (Entry) {
            Entry->Asked = false;
            Entry->Column = TSortColumn();
            Entry->Keys.clear();
        }
}

void TExStringGrid::TSortKeys::SwapRows(Integer ARow1, Integer ARow2)
{
    Integer& Key1 = RowKey[std::size_t(ARow1)];
    Integer& Key2 = RowKey[std::size_t(ARow2)];
    std::swap(Key1, Key2);
    KeyRow[std::size_t(Key1)] = ARow1;
    KeyRow[std::size_t(Key2)] = ARow2;
}

const TSortColumn& TExStringGrid::TSortKeys::Column(TExStringGrid& Grid, Integer ACol)
{
    if (std::size_t(ACol) >= Columns.size())
        Columns.resize(std::size_t(ACol) + 1);
    auto& Entry = Columns[std::size_t(ACol)];
    if (!Entry)
        Entry = std::make_unique<TColumnKeys>();
    if (!Entry->Asked) {
        Entry->Asked = true;
        Entry->Column = ReadSortColumn(Grid, ACol);
        Entry->Slot.assign(RowKey.size(), -1);
        Entry->Keys.reserve(RowKey.size());
    }
    return Entry->Column;
}

TSortCellKey& TExStringGrid::TSortKeys::Key(Integer ACol, Integer ARow)
{
    TColumnKeys& Entry = *Columns[std::size_t(ACol)];
    Integer& Slot = Entry.Slot[std::size_t(RowKey[std::size_t(ARow)])];
    if (Slot < 0) {
        Slot = Integer(Entry.Keys.size());
        Entry.Keys.emplace_back();
    }
    return Entry.Keys[std::size_t(Slot)];
}

Integer TExStringGrid::CompareCells(Integer ACol, Integer ARow1, Integer ARow2, TSortDirection Direction)
{
    ++Compares;
    if (ACol < 0 || ACol >= TotalColCount())
        return 0;
    if (FSortKeys && FSortKeys->HasRow(ARow1) && FSortKeys->HasRow(ARow2)) {
        const TSortColumn& Column = FSortKeys->Column(*this, ACol);
        TSortCell A(*this, Column, ACol, ARow1, FSortKeys->ReadRow(ARow1), FSortKeys->Key(ACol, ARow1));
        TSortCell B(*this, Column, ACol, ARow2, FSortKeys->ReadRow(ARow2), FSortKeys->Key(ACol, ARow2));
        return CompareSortCells(*this, Column, ACol, A, B, Direction);
    }
    const TSortColumn Column = ReadSortColumn(*this, ACol);
    TSortCellKey Key1, Key2;
    TSortCell A(*this, Column, ACol, ARow1, ARow1, Key1);
    TSortCell B(*this, Column, ACol, ARow2, ARow2, Key2);
    return CompareSortCells(*this, Column, ACol, A, B, Direction);
}

Integer TExStringGrid::CompareRowsFull(Integer ACol, Integer ARow1, Integer ARow2)
{
    const Integer LastCol = TotalColCount() - 1;
    const TSortDirection Direction = FSortSettings->Direction();
    const bool Full = FSortSettings->Full();
    for (Integer C = ACol; C >= 0 && C <= LastCol; ++C) {
        const bool Ignored = FSortKeys ? FSortKeys->Column(*this, C).Ignored : IsIgnoredColumn(C);
        const Integer Result = Ignored ? 0 : CompareCells(C, ARow1, ARow2, Direction);
        if (Result != 0 || !Full)
            return Result;
    }
    return 0;
}

Integer TExStringGrid::CompareRowsIndexed(Integer Index, Integer ARow1, Integer ARow2)
{
    const bool Full = FSortSettings->Full();
    for (Integer I = std::max(Index, 0); I < FSortIndexes->Count(); ++I) {
        const Integer Entry = FSortIndexes->Items(I);
        const Integer C = Entry & ~DescendingEntryBit;
        const bool Descending = (Entry & DescendingEntryBit) != 0;
        if (C >= TotalColCount())
            continue;
        const bool Ignored = FSortKeys ? FSortKeys->Column(*this, C).Ignored : IsIgnoredColumn(C);
        const Integer Result =
            Ignored ? 0 : CompareCells(C, ARow1, ARow2, Descending ? sdDescending : sdAscending);
        if (Result != 0 || !Full)
            return Descending ? -Result : Result;
    }
    return 0;
}
