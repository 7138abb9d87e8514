// The string grid: the column state text and the column widths and order
// kept in an INI file or the per-user registry.
#include "grid/control/ExGrid.h"

#include "rtl/IniFiles.h"

#include <algorithm>
#include <optional>

namespace {

constexpr Integer MaxStateColumns = 4096;

QStringList ListOf(const String& Part)
{
    return Part.isEmpty() ? QStringList() : Part.split(u',');
}

String JoinInts(const std::vector<Integer>& Values)
{
    QStringList Texts;
    for (Integer V : Values)
        Texts << IntToStr(V);
    return Texts.join(u',');
}

// A decimal number of digits only; none for anything else.
std::optional<Integer> DecimalOf(const String& Text)
{
    const String T = Text.trimmed();
    if (T.isEmpty() || T.size() > 9 || !std::all_of(T.begin(), T.end(), [](QChar C) { return C.isDigit(); }))
        return std::nullopt;
    return T.toInt();
}

// The entries other than -1, when every entry is a number.
std::optional<std::vector<Integer>> OrderEntries(const QStringList& Texts)
{
    std::vector<Integer> Entries;
    for (const String& T : Texts) {
        Integer V = 0;
        if (!TryStrToInt(T.trimmed(), V))
            return std::nullopt;
        if (V != -1)
            Entries.push_back(V);
    }
    return Entries;
}

bool IsPermutation(const std::vector<Integer>& Entries, Integer N)
{
    if (Integer(Entries.size()) != N)
        return false;
    std::vector<bool> Seen(size_t(N), false);
    for (Integer E : Entries) {
        if (E < 0 || E >= N || Seen[size_t(E)])
            return false;
        Seen[size_t(E)] = true;
    }
    return true;
}

// For each column p, the index at which p stands in Entries.
std::vector<Integer> InverseOrder(const std::vector<Integer>& Entries)
{
    std::vector<Integer> Inverse(Entries.size());
    for (size_t I = 0; I < Entries.size(); ++I)
        Inverse[size_t(Entries[I])] = Integer(I);
    return Inverse;
}

void FillIntList(TIntList* List, const std::vector<Integer>& Values)
{
    List->Clear();
    for (Integer V : Values)
        List->Add(V);
}

String ColKey(Integer I)
{
    return QStringLiteral("Col") + IntToStr(I);
}

String PosKey(Integer I)
{
    return QStringLiteral("Pos") + IntToStr(I);
}

} // namespace

String TExStringGrid::ColumnStatesToString()
{
    const Integer N = AllColCount();
    std::vector<Integer> Widths, Order, Visible;
    for (Integer I = 0; I < N; ++I) {
        Widths.push_back(I < ColCount() ? ColWidths(I) : DefaultColWidth());
        Order.push_back(I);
        Visible.push_back(IsHiddenColumn(I) ? 0 : 1);
    }
    if (FColumnOrder->Count() > 0) {
        Order.clear();
        for (Integer I = 0; I < FColumnOrder->Count(); ++I)
            Order.push_back(FColumnOrder->Items(I));
    }
    return IntToStr(N) + u'#' + JoinInts(Widths) + u'#' + JoinInts(Order) + u'#' + JoinInts(Visible);
}

// Column states come from files anyone can edit: a count that is no number
// from 1 to 4096 changes nothing, an order that is no permutation of the
// columns is passed over, and a width that is no number is left alone.
void TExStringGrid::StringToColumnStates(const String& Value)
{
    if (!Value.contains(u'#'))
        return;
    const QStringList Parts = Value.split(u'#');
    const std::optional<Integer> Count = DecimalOf(Parts[0]);
    if (!Count || *Count < 1 || *Count > MaxStateColumns)
        return;
    FColumnOrder->Clear();
    UnHideColumnsAll();
    SetColCount(*Count);
    if (Parts.size() > 2)
        ApplyColumnOrder(ListOf(Parts[2]));
    if (Parts.size() > 3)
        HideColumnsOf(ListOf(Parts[3]));
    if (Parts.size() > 1)
        ApplyColumnWidths(ListOf(Parts[1]));
}

void TExStringGrid::ApplyColumnOrder(const QStringList& Texts)
{
    const std::optional<std::vector<Integer>> Entries = OrderEntries(Texts.mid(0, ColCount()));
    if (!Entries || Entries->empty() || !IsPermutation(*Entries, ColCount()))
        return;
    FillIntList(FColumnOrder.get(), InverseOrder(*Entries));
    ResetColumnOrder();
    FillIntList(FColumnOrder.get(), *Entries);
}

void TExStringGrid::HideColumnsOf(const QStringList& Flags)
{
    for (Integer C = std::min<Integer>(Integer(Flags.size()), ColCount()) - 1; C >= 0; --C)
        if (Flags[C].trimmed() == QStringLiteral("0"))
            HideColumn(C);
}

void TExStringGrid::ApplyColumnWidths(const QStringList& Texts)
{
    const bool Stretched = FColumnSize->Stretch();
    FColumnSize->SetStretch(false);
    if (Stretched) {
        const Integer S = FColumnSize->StretchColumn();
        SetDefaultColWidth(ColWidths(S == -1 ? ColCount() - 1 : S));
    }
    for (Integer I = 0; I < ColCount() && I < Integer(Texts.size()); ++I)
        if (const std::optional<Integer> W = DecimalOf(Texts[I]))
            SetColWidths(I, *W);
    FColumnSize->SetStretch(Stretched);
}

// ---------------------------------------------------------------- the column store

std::unique_ptr<TCustomIniFile> TExStringGrid::OpenColumnStore()
{
    if (IsDesigning() || FColumnSize->Key().isEmpty() || FColumnSize->Section().isEmpty())
        return nullptr;
    try {
        if (FColumnSize->Location() == clIniFile)
            return std::make_unique<TMemIniFile>(FColumnSize->Key());
        return std::make_unique<TRegIniFile>(FColumnSize->Key());
    } catch (const Exception&) {
        // An unreadable store reads as empty.
        return nullptr;
    }
}

void TExStringGrid::SaveColSizes()
{
    const std::unique_ptr<TCustomIniFile> Store = OpenColumnStore();
    if (!Store)
        return;
    for (Integer I = 0; I < ColCount(); ++I)
        Store->WriteInteger(FColumnSize->Section(), ColKey(I), ColWidths(I));
    Store->UpdateFile();
}

void TExStringGrid::LoadColSizes()
{
    const std::unique_ptr<TCustomIniFile> Store = OpenColumnStore();
    if (!Store)
        return;
    for (Integer I = 0; I < ColCount(); ++I) {
        const Integer W = Store->ReadInteger(FColumnSize->Section(), ColKey(I), ColWidths(I));
        if (W != ColWidths(I) && W >= 0)
            SetColWidths(I, W);
    }
}

void TExStringGrid::SaveColPositions()
{
    const std::unique_ptr<TCustomIniFile> Store = OpenColumnStore();
    if (!Store)
        return;
    for (Integer I = 0; I < FColumnOrder->Count(); ++I)
        Store->WriteInteger(FColumnSize->Section(), PosKey(I), FColumnOrder->Items(I));
    Store->UpdateFile();
}

// Stored positions are applied only when they name every column once.
void TExStringGrid::LoadColPositions()
{
    const std::unique_ptr<TCustomIniFile> Store = OpenColumnStore();
    if (!Store || Store->ReadInteger(FColumnSize->Section(), PosKey(0), -1) == -1)
        return;
    std::vector<Integer> Entries;
    for (Integer I = 0; I < AllColCount(); ++I)
        if (const Integer P = Store->ReadInteger(FColumnSize->Section(), PosKey(I), -1); P != -1)
            Entries.push_back(P);
    if (!IsPermutation(Entries, AllColCount()))
        return;
    std::vector<Integer> Hidden;
    for (Integer C = 0; C < AllColCount(); ++C)
        if (IsHiddenColumn(C))
            Hidden.push_back(C);
    FillIntList(FColumnOrder.get(), InverseOrder(Entries));
    UnHideColumnsAll();
    ResetColumnOrder();
    for (auto It = Hidden.rbegin(); It != Hidden.rend(); ++It)
        HideColumn(*It);
    FillIntList(FColumnOrder.get(), Entries);
}
