// TStrings and TStringList.
#include "rtl/Classes.h"
#include "rtl/Classes_Internal.h"

#include <QStringDecoder>

#include <memory>

namespace {

[[noreturn]] void StringListIndexError(int Index)
{
    throw EStringListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
}

[[noreturn]] void SortedListError()
{
    throw EStringListError(QStringLiteral("Operation not allowed on sorted list"));
}

// The runtime's fixed collation (SysUtils), with or without case.
int StringsLocaleCompare(const String& S1, const String& S2, bool CaseSensitive)
{
    return CaseSensitive ? AnsiCompareStr(S1, S2) : AnsiCompareText(S1, S2);
}

bool IsBlankOrControl(QChar C) { return C.unicode() <= u' '; }

// Reads a quoted string starting at the quote at P; P ends after the
// closing quote (or at the end when it is missing). Doubled quotes are one.
String ExtractQuotedString(const String& Src, qsizetype& P, QChar Quote)
{
    String Result;
    ++P;
    while (P < Src.size()) {
        if (Src.at(P) == Quote) {
            ++P;
            if (P >= Src.size() || Src.at(P) != Quote)
                break;
        }
        Result += Src.at(P);
        ++P;
    }
    return Result;
}

String JoinDelimited(const TStrings& Strings, QChar Delimiter, QChar Quote, bool Strict)
{
    const int N = Strings.Count();
    if (N == 1 && Strings.Strings(0).isEmpty())
        return String(2, Quote);
    String Result;
    for (int I = 0; I < N; ++I) {
        const String S = Strings.Strings(I);
        bool Quoted = false;
        for (QChar C : S)
            if (C == Quote || C == Delimiter || (!Strict && IsBlankOrControl(C))) {
                Quoted = true;
                break;
            }
        if (I > 0)
            Result += Delimiter;
        Result += Quoted ? AnsiQuotedStr(S, Quote) : S;
    }
    return Result;
}

void SplitDelimited(TStrings& Strings, const String& Value, QChar Delimiter, QChar Quote, bool Strict)
{
    const qsizetype N = Value.size();
    auto SkipBlanks = [&](qsizetype& P) {
        if (!Strict)
            while (P < N && IsBlankOrControl(Value.at(P)))
                ++P;
    };
    rtl_classes::InUpdate(&Strings, [&] {
        Strings.Clear();
        qsizetype P = 0;
        SkipBlanks(P);
        while (P < N) {
            String S;
            if (Value.at(P) == Quote) {
                S = ExtractQuotedString(Value, P, Quote);
            } else {
                const qsizetype Start = P;
                while (P < N && Value.at(P) != Delimiter && (Strict || !IsBlankOrControl(Value.at(P))))
                    ++P;
                S = Value.mid(Start, P - Start);
            }
            Strings.Add(S);
            SkipBlanks(P);
            if (P < N && Value.at(P) == Delimiter) {
                // A delimiter at the very end closes an empty last entry.
                if (P + 1 == N)
                    Strings.Add(String());
                ++P;
                SkipBlanks(P);
            }
        }
    });
}

String DecodeTextFile(const QByteArray& Bytes)
{
    if (Bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(Bytes.mid(3));
    if (Bytes.startsWith("\xFF\xFE"))
        return QStringDecoder(QStringConverter::Utf16LE)(Bytes.mid(2));
    if (Bytes.startsWith("\xFE\xFF"))
        return QStringDecoder(QStringConverter::Utf16BE)(Bytes.mid(2));
    QStringDecoder Utf8(QStringConverter::Utf8);
    String Text = Utf8(Bytes);
    return Utf8.hasError() ? QString::fromLatin1(Bytes) : Text;
}

} // namespace

// ---------------------------------------------------------------- TStrings

int TStrings::Add(const String& S)
{
    const int Result = GetCount();
    Insert(Result, S);
    return Result;
}

int TStrings::AddObject(const String& S, TObject* AObject)
{
    const int Result = Add(S);
    PutObject(Result, AObject);
    return Result;
}

void TStrings::AddStrings(TStrings* Strings)
{
    rtl_classes::InUpdate(this, [&] {
        for (int I = 0; I < Strings->Count(); ++I)
            AddObject(Strings->Get(I), Strings->GetObject(I));
    });
}

void TStrings::Assign(TPersistent* Source)
{
    auto* From = dynamic_cast<TStrings*>(Source);
    if (!From) {
        TPersistent::Assign(Source);
        return;
    }
    if (From == this)
        return;
    rtl_classes::InUpdate(this, [&] {
        Clear();
        FDelimiter = From->FDelimiter;
        FQuoteChar = From->FQuoteChar;
        FNameValueSeparator = From->FNameValueSeparator;
        FStrictDelimiter = From->FStrictDelimiter;
        FLineBreak = From->FLineBreak;
        AddStrings(From);
    });
}

void TStrings::BeginUpdate()
{
    if (FUpdateCount == 0)
        SetUpdateState(true);
    ++FUpdateCount;
}

void TStrings::EndUpdate()
{
    if (FUpdateCount == 0)
        return;
    if (--FUpdateCount == 0)
        SetUpdateState(false);
}

void TStrings::InsertObject(int Index, const String& S, TObject* AObject)
{
    Insert(Index, S);
    PutObject(Index, AObject);
}

void TStrings::Exchange(int Index1, int Index2)
{
    rtl_classes::InUpdate(this, [&] {
        const String S1 = Get(Index1);
        TObject* O1 = GetObject(Index1);
        Put(Index1, Get(Index2));
        PutObject(Index1, GetObject(Index2));
        Put(Index2, S1);
        PutObject(Index2, O1);
    });
}

void TStrings::Move(int CurIndex, int NewIndex)
{
    if (CurIndex == NewIndex)
        return;
    rtl_classes::InUpdate(this, [&] {
        const String S = Get(CurIndex);
        TObject* O = GetObject(CurIndex);
        Delete(CurIndex);
        InsertObject(NewIndex, S, O);
    });
}

int TStrings::IndexOf(const String& S) const
{
    for (int I = 0; I < GetCount(); ++I)
        if (CompareStrings(Get(I), S) == 0)
            return I;
    return -1;
}

int TStrings::IndexOfName(const String& Name) const
{
    for (int I = 0; I < GetCount(); ++I) {
        const String S = Get(I);
        const qsizetype P = S.indexOf(FNameValueSeparator);
        if (P >= 0 && CompareStrings(S.left(P), Name) == 0)
            return I;
    }
    return -1;
}

int TStrings::IndexOfObject(TObject* AObject) const
{
    for (int I = 0; I < GetCount(); ++I)
        if (GetObject(I) == AObject)
            return I;
    return -1;
}

bool TStrings::Equals(TStrings* Strings) const
{
    if (!Strings || Strings->Count() != Count())
        return false;
    for (int I = 0; I < Count(); ++I)
        if (Get(I) != Strings->Get(I))
            return false;
    return true;
}

void TStrings::LoadFromFile(const String& FileName)
{
    TFileStream Stream(FileName, fmOpenRead | fmShareDenyWrite);
    QByteArray Bytes(static_cast<qsizetype>(Stream.Size()), '\0');
    Stream.ReadBuffer(Bytes.data(), static_cast<Integer>(Bytes.size()));
    SetText(DecodeTextFile(Bytes));
}

void TStrings::SaveToFile(const String& FileName) const
{
    const QByteArray Bytes = Text().toUtf8();
    WriteFileAtomically(FileName, Bytes);
}

String TStrings::Text() const
{
    String Result;
    for (int I = 0; I < GetCount(); ++I)
        Result += Get(I) + FLineBreak;
    return Result;
}

void TStrings::SetText(const String& Value)
{
    rtl_classes::InUpdate(this, [&] {
        Clear();
        const qsizetype N = Value.size();
        qsizetype P = 0;
        if (FLineBreak == QLatin1String("\r\n") || FLineBreak.isEmpty()) {
            while (P < N) {
                const qsizetype Start = P;
                while (P < N && Value.at(P) != u'\r' && Value.at(P) != u'\n')
                    ++P;
                Add(Value.mid(Start, P - Start));
                if (P < N && Value.at(P) == u'\r')
                    ++P;
                if (P < N && Value.at(P) == u'\n')
                    ++P;
            }
        } else {
            while (P < N) {
                qsizetype End = Value.indexOf(FLineBreak, P);
                if (End < 0)
                    End = N;
                Add(Value.mid(P, End - P));
                P = End == N ? N : End + FLineBreak.size();
            }
        }
    });
}

String TStrings::CommaText() const { return JoinDelimited(*this, u',', u'"', false); }

void TStrings::SetCommaText(const String& Value) { SplitDelimited(*this, Value, u',', u'"', false); }

String TStrings::DelimitedText() const
{
    return JoinDelimited(*this, FDelimiter, FQuoteChar, FStrictDelimiter);
}

void TStrings::SetDelimitedText(const String& Value)
{
    SplitDelimited(*this, Value, FDelimiter, FQuoteChar, FStrictDelimiter);
}

String TStrings::Names(int Index) const
{
    const String S = Get(Index);
    const qsizetype P = S.indexOf(FNameValueSeparator);
    return P >= 0 ? S.left(P) : String();
}

String TStrings::Values(const String& Name) const
{
    const int I = IndexOfName(Name);
    return I >= 0 ? ValueFromIndex(I) : String();
}

void TStrings::SetValues(const String& Name, const String& Value)
{
    int I = IndexOfName(Name);
    if (!Value.isEmpty()) {
        if (I < 0)
            I = Add(String());
        Put(I, Name + FNameValueSeparator + Value);
    } else if (I >= 0) {
        Delete(I);
    }
}

String TStrings::ValueFromIndex(int Index) const
{
    if (Index < 0)
        return String();
    const String S = Get(Index);
    const qsizetype P = S.indexOf(FNameValueSeparator);
    return P >= 0 ? S.mid(P + 1) : String();
}

TObject* TStrings::GetObject(int) const { return nullptr; }

void TStrings::Put(int Index, const String& S)
{
    TObject* O = GetObject(Index);
    Delete(Index);
    InsertObject(Index, S, O);
}

void TStrings::PutObject(int, TObject*) {}

void TStrings::SetUpdateState(bool) {}

int TStrings::CompareStrings(const String& S1, const String& S2) const
{
    return StringsLocaleCompare(S1, S2, false);
}

// ---------------------------------------------------------------- TStringList

TStringList::~TStringList()
{
    OnChange = nullptr;
    OnChanging = nullptr;
    if (FOwnsObjects)
        for (TStringItem& Item : FList)
            delete Item.FObject;
}

void TStringList::CheckIndex(int Index) const
{
    if (Index < 0 || Index >= GetCount())
        StringListIndexError(Index);
}

int TStringList::Add(const String& S) { return AddObject(S, nullptr); }

int TStringList::AddObject(const String& S, TObject* AObject)
{
    int Result = GetCount();
    if (FSorted && Find(S, Result)) {
        if (FDuplicates == dupIgnore)
            return Result;
        if (FDuplicates == dupError)
            throw EStringListError(QStringLiteral("String list does not allow duplicates"));
    }
    InsertItem(Result, S, AObject);
    return Result;
}

void TStringList::Assign(TPersistent* Source)
{
    TStrings::Assign(Source);
    if (auto* From = dynamic_cast<TStringList*>(Source)) {
        FCaseSensitive = From->FCaseSensitive;
        FDuplicates = From->FDuplicates;
        FSorted = From->FSorted;
    }
}

void TStringList::Clear()
{
    if (FList.empty())
        return;
    Changing();
    std::vector<TStringItem> Old;
    Old.swap(FList);
    if (FOwnsObjects)
        for (TStringItem& Item : Old)
            delete Item.FObject;
    Changed();
}

void TStringList::Delete(int Index)
{
    CheckIndex(Index);
    Changing();
    TObject* O = FList[static_cast<std::size_t>(Index)].FObject;
    FList.erase(FList.begin() + Index);
    if (FOwnsObjects)
        delete O;
    Changed();
}

void TStringList::Exchange(int Index1, int Index2)
{
    CheckIndex(Index1);
    CheckIndex(Index2);
    Changing();
    std::swap(FList[static_cast<std::size_t>(Index1)], FList[static_cast<std::size_t>(Index2)]);
    Changed();
}

void TStringList::Move(int CurIndex, int NewIndex)
{
    if (CurIndex == NewIndex)
        return;
    CheckIndex(CurIndex);
    CheckIndex(NewIndex);
    if (FSorted)
        SortedListError();
    Changing();
    TStringItem Item = std::move(FList[static_cast<std::size_t>(CurIndex)]);
    FList.erase(FList.begin() + CurIndex);
    FList.insert(FList.begin() + NewIndex, std::move(Item));
    Changed();
}

bool TStringList::Find(const String& S, int& Index) const
{
    if (!FSorted) {
        Index = TStrings::IndexOf(S);
        if (Index >= 0)
            return true;
        Index = GetCount();
        return false;
    }
    // The first of the equal entries, or where S would go.
    int L = 0, H = GetCount() - 1;
    bool Found = false;
    while (L <= H) {
        const int I = L + (H - L) / 2;
        const int C = CompareStrings(FList[static_cast<std::size_t>(I)].FString, S);
        if (C < 0) {
            L = I + 1;
        } else {
            H = I - 1;
            if (C == 0)
                Found = true;
        }
    }
    Index = L;
    return Found;
}

int TStringList::IndexOf(const String& S) const
{
    if (!FSorted)
        return TStrings::IndexOf(S);
    int I = -1;
    return Find(S, I) ? I : -1;
}

void TStringList::Insert(int Index, const String& S) { InsertObject(Index, S, nullptr); }

void TStringList::InsertObject(int Index, const String& S, TObject* AObject)
{
    if (FSorted)
        SortedListError();
    if (Index < 0 || Index > GetCount())
        StringListIndexError(Index);
    InsertItem(Index, S, AObject);
}

void TStringList::InsertItem(int Index, const String& S, TObject* AObject)
{
    Changing();
    FList.insert(FList.begin() + Index, TStringItem{S, AObject});
    Changed();
}

void TStringList::Sort()
{
    if (FSorted || FList.size() < 2)
        return;
    Changing();
    rtl_classes::StableSort(FList, [this](const TStringItem& A, const TStringItem& B) {
        return CompareStrings(A.FString, B.FString);
    });
    Changed();
}

void TStringList::CustomSort(const TStringListSortCompare& Compare)
{
    if (FSorted || FList.size() < 2)
        return;
    Changing();
    // The compare function reads the list by index, so the list stays as it
    // is while an index order is sorted, and is rearranged afterwards.
    std::vector<int> Order(FList.size());
    for (std::size_t I = 0; I < Order.size(); ++I)
        Order[I] = static_cast<int>(I);
    rtl_classes::StableSort(Order, [this, &Compare](int A, int B) { return Compare(this, A, B); });
    std::vector<TStringItem> Sorted;
    Sorted.reserve(FList.size());
    for (int I : Order)
        Sorted.push_back(FList[static_cast<std::size_t>(I)]);
    FList.swap(Sorted);
    Changed();
}

void TStringList::SetSorted(bool Value)
{
    if (FSorted == Value)
        return;
    if (Value)
        Sort();
    FSorted = Value;
}

void TStringList::SetCaseSensitive(bool Value)
{
    if (FCaseSensitive == Value)
        return;
    FCaseSensitive = Value;
    if (FSorted) {
        FSorted = false;
        SetSorted(true);
    }
}

void TStringList::Changed()
{
    if (UpdateCount() == 0 && OnChange)
        OnChange(this);
}

void TStringList::Changing()
{
    if (UpdateCount() == 0 && OnChanging)
        OnChanging(this);
}

String TStringList::Get(int Index) const
{
    CheckIndex(Index);
    return FList[static_cast<std::size_t>(Index)].FString;
}

TObject* TStringList::GetObject(int Index) const
{
    CheckIndex(Index);
    return FList[static_cast<std::size_t>(Index)].FObject;
}

void TStringList::Put(int Index, const String& S)
{
    if (FSorted)
        SortedListError();
    CheckIndex(Index);
    Changing();
    FList[static_cast<std::size_t>(Index)].FString = S;
    Changed();
}

void TStringList::PutObject(int Index, TObject* AObject)
{
    CheckIndex(Index);
    Changing();
    FList[static_cast<std::size_t>(Index)].FObject = AObject;
    Changed();
}

void TStringList::SetUpdateState(bool Updating)
{
    if (Updating)
        Changing();
    else
        Changed();
}

int TStringList::CompareStrings(const String& S1, const String& S2) const
{
    return StringsLocaleCompare(S1, S2, FCaseSensitive);
}
