// Filter expressions: conditions joined by "&" (and), "|", ";" and "^" (or)
// strictly from left to right, groups in parentheses, comparisons that read
// numbers, dates or text, and wildcards. The expression is walked once from
// left to right, groups on a stack of their own, so no expression can take
// the evaluation deeper or longer than its length.
#include "grid/base/ExUtil.h"

#include <vector>

namespace {

const QString FilterOperators = QStringLiteral("&|;^(");
constexpr qsizetype FilterTextCompareLength = 255;

// The first character of Chars outside double quotes in S[From, To), or -1;
// a quote toggles "inside" and the walk starts outside.
qsizetype FilterFindOutsideQuotes(const String& S, const QString& Chars, qsizetype From, qsizetype To)
{
    bool InQuotes = false;
    for (qsizetype I = From; I < To; ++I) {
        const QChar C = S[I];
        if (C == u'"')
            InQuotes = !InQuotes;
        else if (!InQuotes && Chars.contains(C))
            return I;
    }
    return -1;
}

// For every "(" of S the index of the ")" that closes it (the counts of "("
// and ")" from it on are equal there), or -1.
std::vector<qsizetype> FilterClosingParens(const String& S)
{
    std::vector<qsizetype> Closing(std::size_t(S.size()), -1);
    std::vector<qsizetype> Open;
    for (qsizetype I = 0; I < S.size(); ++I) {
        if (S[I] == u'(') {
            Open.push_back(I);
        } else if (S[I] == u')' && !Open.empty()) {
            Closing[std::size_t(Open.back())] = I;
            Open.pop_back();
        }
    }
    return Closing;
}

bool FilterIsTrimmed(QChar C)
{
    return C.unicode() <= u' ';
}

// The wildcard match: "*" (a run counts as one) matches any run of
// characters, "?" any one character; a double quote in the pattern is
// passed over. Worst case Pattern x Value steps.
bool FilterWildcardMatch(const String& Pattern, const String& Value)
{
    qsizetype P = 0, V = 0, Star = -1, StarValue = 0;
    const qsizetype PEnd = Pattern.size(), VEnd = Value.size();
    auto SkipQuotes = [&] {
        while (P < PEnd && Pattern[P] == u'"')
            ++P;
    };
    SkipQuotes();
    while (V < VEnd) {
        if (P < PEnd && Pattern[P] == u'*') {
            while (P < PEnd && (Pattern[P] == u'*' || Pattern[P] == u'"'))
                ++P;
            Star = P;
            StarValue = V;
        } else if (P < PEnd && (Pattern[P] == u'?' || Pattern[P] == Value[V])) {
            ++P;
            ++V;
            SkipQuotes();
        } else if (Star >= 0) {
            P = Star;
            V = ++StarValue;
        } else {
            return false;
        }
    }
    while (P < PEnd && (Pattern[P] == u'*' || Pattern[P] == u'"'))
        ++P;
    return P == PEnd;
}

// The operand after a comparison operator at Start: up to a blank, the
// end, or "&" or "|" outside quotes, without a leading and a trailing
// double quote. Inside quotes a blank ends it only when BlankAlwaysEnds.
String FilterOperand(const String& Cond, qsizetype Start, bool BlankAlwaysEnds)
{
    while (Start < Cond.size() && Cond[Start] == u' ')
        ++Start;
    bool InQuotes = false;
    qsizetype End = Start;
    for (; End < Cond.size(); ++End) {
        const QChar C = Cond[End];
        if (C == u'"')
            InQuotes = !InQuotes;
        else if (C == u' ' && (BlankAlwaysEnds || !InQuotes))
            break;
        else if (!InQuotes && (C == u'&' || C == u'|'))
            break;
    }
    String Operand = Cond.mid(Start, End - Start);
    if (Operand.startsWith(u'"'))
        Operand.remove(0, 1);
    if (Operand.endsWith(u'"'))
        Operand.chop(1);
    return Operand;
}

// A number unless the text reads as a date.
bool FilterNumber(const String& Text, double& Number)
{
    TDateTime Date;
    return !ParseFilterDateTime(Text, Date) &&
           TryStrToFloat(NumberTextToPlain(Text), Number, TFormatSettings::Create());
}

// -1, 0 or 1 as Value lies below, at or above Operand: as numbers when both
// are, as dates when both are, else as text (the first 255 characters).
int FilterCompare(const String& Value, const String& Operand)
{
    double V = 0, O = 0;
    TDateTime DV = 0, DO = 0;
    if (FilterNumber(Value, V) && FilterNumber(Operand, O))
        return V < O ? -1 : V > O ? 1 : 0;
    if (ParseFilterDateTime(Value, DV) && ParseFilterDateTime(Operand, DO))
        return DV < DO ? -1 : DV > DO ? 1 : 0;
    const String A = Value.left(FilterTextCompareLength), B = Operand.left(FilterTextCompareLength);
    return A < B ? -1 : A > B ? 1 : 0;
}

// One comparison of the condition: whether Value passes the operator Op at
// its first place in Cond ("=" after it includes equality).
bool FilterComparison(const String& Cond, QChar Op, const String& Value)
{
    const qsizetype At = Cond.indexOf(Op);
    const bool OrEqual = At + 1 < Cond.size() && Cond[At + 1] == u'=';
    const int Order = FilterCompare(Value, FilterOperand(Cond, At + (OrEqual ? 2 : 1), Op == u'<'));
    const int Wanted = Op == u'>' ? 1 : -1;
    return Order == Wanted || (OrEqual && Order == 0);
}

// A frame of the walk: what is left of one group and its result so far.
struct TFilterFrame {
    qsizetype Pos;
    qsizetype End;
    bool Result = false;
    // The operator before the next value; 0 before the first.
    QChar Prev;
};

// A group's text trimmed and without a leading "=".
TFilterFrame FilterFrame(const String& S, qsizetype Start, qsizetype End)
{
    while (Start < End && FilterIsTrimmed(S[Start]))
        ++Start;
    while (End > Start && FilterIsTrimmed(S[End - 1]))
        --End;
    if (Start < End && S[Start] == u'=')
        ++Start;
    return TFilterFrame{Start, End, false, QChar()};
}

// A new value of the frame after its previous operator: none yet gives the
// value, "&" ands, "|", ";" and "^" or, and after a group the text up to
// the next operator does not count.
void FilterCombine(TFilterFrame& F, bool Value, QChar Op)
{
    if (F.Prev.isNull())
        F.Result = Value;
    else if (F.Prev == u'&')
        F.Result = F.Result && Value;
    else if (F.Prev != u'(')
        F.Result = F.Result || Value;
    F.Prev = Op;
}

} // namespace

String RemoveBlanksOutsideQuotes(const String& S)
{
    String Result;
    Result.reserve(S.size());
    bool InQuotes = false;
    for (const QChar C : S) {
        if (C == u'"')
            InQuotes = !InQuotes;
        if (C != u' ' || InQuotes)
            Result.append(C);
    }
    return Result;
}

Integer FindCharOutsideQuotes(const String& S, const String& Chars)
{
    return Integer(FilterFindOutsideQuotes(S, Chars, 0, S.size()) + 1);
}

Integer FindClosingParen(const String& S)
{
    if (!S.startsWith(u'('))
        return 0;
    return Integer(FilterClosingParens(S).front() + 1);
}

String NumberTextToPlain(const String& S)
{
    String Plain;
    Plain.reserve(S.size());
    for (const QChar C : S) {
        if (C == GetThousandSeparator())
            continue;
        Plain.append(C == GetDecimalSeparator() ? QChar(u'.') : C);
    }
    return Plain;
}

bool ParseFilterDateTime(const String& S, TDateTime& Date)
{
    const String Format = GetShortDateFormat().toUpper();
    const qsizetype PosD = Format.indexOf(u'D'), PosM = Format.indexOf(u'M'), PosY = Format.indexOf(u'Y');
    const QChar Sep = GetDateSeparator();
    const qsizetype First = S.indexOf(Sep);
    const qsizetype Second = First < 0 ? -1 : S.indexOf(Sep, First + 1);
    if (Second < 0)
        return false;
    String Rest = Trim(S.mid(Second + 1));
    String Time;
    if (const qsizetype Blank = Rest.indexOf(u' '); Blank >= 0) {
        Time = Rest.mid(Blank);
        Rest = Rest.left(Blank);
    }
    Integer Parts[3];
    const String Texts[3] = {S.left(First), S.mid(First + 1, Second - First - 1), Rest};
    for (int I = 0; I < 3; ++I)
        if (!TryStrToInt(Texts[I], Parts[I]))
            return false;
    // The parts stand in the order in which the format names them.
    auto Rank = [&](qsizetype P) { return Integer(P > PosD) + Integer(P > PosM) + Integer(P > PosY); };
    const Integer Day = Parts[Rank(PosD)], Month = Parts[Rank(PosM)], Year = Parts[Rank(PosY)];
    if (Day >= 32 || Month > 12 || Year < 0 || Year > 0xFFFF || Day < 0 || Month < 0)
        return false;
    TDateTime D = 0, T = 0;
    if (!TryEncodeDate(Word(Year), Word(Month), Word(Day), D))
        return false;
    if (!Time.isEmpty()) {
        const QStringList Fields = Trim(Time).split(GetTimeSeparator());
        if (Fields.size() < 2 || Fields.size() > 3)
            return false;
        Integer H = 0, N = 0, Sec = 0;
        if (!TryStrToInt(Fields[0], H) || !TryStrToInt(Fields[1], N) ||
            (Fields.size() == 3 && !TryStrToInt(Fields[2], Sec)))
            return false;
        if (H < 0 || H > 23 || N < 0 || N >= 60 || Sec < 0 || Sec > 60 ||
            !TryEncodeTime(Word(H), Word(N), Word(Sec), 0, T))
            return false;
    }
    Date = D + T;
    return true;
}

bool MatchFilterPattern(const String& Condition, const String& Value)
{
    const bool HasAbove = Condition.contains(u'>'), HasBelow = Condition.contains(u'<');
    const bool Negate = Condition.contains(u'!');
    const bool Above = !HasAbove || FilterComparison(Condition, u'>', Value);
    const bool Below = !HasBelow || FilterComparison(Condition, u'<', Value);
    // "!" counts a missing comparison as done.
    const bool AboveDone = HasAbove || Negate, BelowDone = HasBelow || Negate;
    if (Condition.contains(u'^') && (AboveDone || BelowDone))
        return Below || Above;
    if (Condition.contains(u'&') && AboveDone && BelowDone)
        return Below && Above;
    if ((HasAbove && Above) || (HasBelow && Below))
        return true;
    String Pattern = Condition;
    Pattern.remove(u'!');
    return FilterWildcardMatch(Pattern, Value) != Negate;
}

bool MatchFilterCondition(const String& Condition, const String& Value, bool CaseSensitive)
{
    if (CaseSensitive)
        return MatchFilterPattern(Condition, Value);
    return MatchFilterPattern(AnsiUpperCase(Condition), AnsiUpperCase(Value));
}

bool MatchFilterExpr(const String& Expression, const String& Value, bool CaseSensitive)
{
    const String S = RemoveBlanksOutsideQuotes(Trim(Expression));
    const String Compared = CaseSensitive ? Value : AnsiUpperCase(Value);
    const std::vector<qsizetype> Closing = FilterClosingParens(S);
    auto Condition = [&](qsizetype From, qsizetype To) {
        const String Cond = S.mid(From, To - From);
        return MatchFilterPattern(CaseSensitive ? Cond : AnsiUpperCase(Cond), Compared);
    };
    std::vector<TFilterFrame> Stack{FilterFrame(S, 0, S.size())};
    for (;;) {
        TFilterFrame& F = Stack.back();
        const qsizetype Op = FilterFindOutsideQuotes(S, FilterOperators, F.Pos, F.End);
        if (Op == F.Pos && S[Op] == u'(') {
            // A group; one without its ")" runs to the end.
            const qsizetype Close = Closing[std::size_t(Op)] >= 0 ? Closing[std::size_t(Op)] : F.End;
            F.Pos = Close < F.End ? Close + 1 : F.End;
            Stack.push_back(FilterFrame(S, Op + 1, Close));
            continue;
        }
        if (Op >= 0) {
            FilterCombine(F, Condition(F.Pos, Op), S[Op]);
            F.Pos = Op + 1;
            continue;
        }
        FilterCombine(F, Condition(F.Pos, F.End), QChar());
        const bool Result = F.Result;
        Stack.pop_back();
        if (Stack.empty())
            return Result;
        FilterCombine(Stack.back(), Result, u'(');
    }
}
