// Filter expressions: conditions joined by "&" (and), "|", ";" and "^" (or)
// strictly from left to right, groups in parentheses, comparisons that read
// numbers, dates or text, and wildcards. The expression is walked once from
// left to right, groups on a stack of their own, so no expression can take
// the evaluation deeper or longer than its length.
#include "grid/base/ExUtil.h"

#include <deque>
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

// One comparison of a condition ("<", "<=", ">", ">="), its operand read
// once: as a number, as a date, and as the text it compares by otherwise.
class TFilterComparison {
public:
    TFilterComparison() = default;
    // The operator Op at its first place in Cond; "=" after it includes equality.
    TFilterComparison(const String& Cond, QChar Op)
        : FWanted(Op == u'>' ? 1 : -1)
    {
        const qsizetype At = Cond.indexOf(Op);
        FOrEqual = At + 1 < Cond.size() && Cond[At + 1] == u'=';
        const String Operand = FilterOperand(Cond, At + (FOrEqual ? 2 : 1), Op == u'<');
        FIsNumber = FilterNumber(Operand, FNumber);
        FIsDate = ParseFilterDateTime(Operand, FDate);
        FText = Operand.left(FilterTextCompareLength);
    }
    bool Passes(const String& Value) const
    {
        const int Order = Compare(Value);
        return Order == FWanted || (FOrEqual && Order == 0);
    }

private:
    // -1, 0 or 1 as Value lies below, at or above the operand: as numbers
    // when both are, as dates when both are, else as text (the first 255
    // characters).
    int Compare(const String& Value) const
    {
        double V = 0;
        TDateTime DV = 0;
        if (FIsNumber && FilterNumber(Value, V))
            return V < FNumber ? -1 : V > FNumber ? 1 : 0;
        if (FIsDate && ParseFilterDateTime(Value, DV))
            return DV < FDate ? -1 : DV > FDate ? 1 : 0;
        const String A = Value.left(FilterTextCompareLength);
        return A < FText ? -1 : A > FText ? 1 : 0;
    }

    int FWanted = 1;
    bool FOrEqual = false;
    bool FIsNumber = false;
    bool FIsDate = false;
    double FNumber = 0;
    TDateTime FDate = 0;
    String FText;
};

// One condition between the expression's operators, read once: its
// comparisons, "!", and the wildcard pattern it falls back to.
class TFilterCondition {
public:
    explicit TFilterCondition(const String& Condition)
        : FHasAbove(Condition.contains(u'>')), FHasBelow(Condition.contains(u'<')),
          FNegate(Condition.contains(u'!')), FHasCaret(Condition.contains(u'^')),
          FHasAmpersand(Condition.contains(u'&')), FPattern(Condition)
    {
        if (FHasAbove)
            FAbove = TFilterComparison(Condition, u'>');
        if (FHasBelow)
            FBelow = TFilterComparison(Condition, u'<');
        FPattern.remove(u'!');
    }
    bool Matches(const String& Value) const
    {
        const bool Above = !FHasAbove || FAbove.Passes(Value);
        const bool Below = !FHasBelow || FBelow.Passes(Value);
        // "!" counts a missing comparison as done.
        const bool AboveDone = FHasAbove || FNegate, BelowDone = FHasBelow || FNegate;
        if (FHasCaret && (AboveDone || BelowDone))
            return Below || Above;
        if (FHasAmpersand && AboveDone && BelowDone)
            return Below && Above;
        if ((FHasAbove && Above) || (FHasBelow && Below))
            return true;
        return FilterWildcardMatch(FPattern, Value) != FNegate;
    }

private:
    bool FHasAbove, FHasBelow, FNegate, FHasCaret, FHasAmpersand;
    TFilterComparison FAbove, FBelow;
    String FPattern;
};

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
    return TFilterCondition(Condition).Matches(Value);
}

bool MatchFilterCondition(const String& Condition, const String& Value, bool CaseSensitive)
{
    if (CaseSensitive)
        return MatchFilterPattern(Condition, Value);
    return MatchFilterPattern(AnsiUpperCase(Condition), AnsiUpperCase(Value));
}

namespace {

// An expression read once: its conditions and the walk over its groups,
// which does not depend on the value tested. A filter tests the same
// expression row after row, so the reading is kept for the next call.
class TFilterExpression {
public:
    TFilterExpression(const String& Expression, bool CaseSensitive)
        : FExpression(Expression), FCaseSensitive(CaseSensitive)
    {
        Read(RemoveBlanksOutsideQuotes(Trim(Expression)));
    }
    bool IsFor(const String& Expression, bool CaseSensitive) const
    {
        return FCaseSensitive == CaseSensitive && FExpression == Expression;
    }
    bool Matches(const String& Value) const
    {
        const String Compared = FCaseSensitive ? Value : AnsiUpperCase(Value);
        std::vector<TFilterFrame> Stack;
        for (const TStep& Step : FSteps) {
            switch (Step.Kind) {
            case TStep::OpenGroup:
                Stack.push_back(TFilterFrame{0, 0, false, QChar()});
                break;
            case TStep::Test:
                FilterCombine(Stack.back(), FConditions[Step.Condition].Matches(Compared), Step.Op);
                break;
            case TStep::CloseGroup: {
                const bool Result = Stack.back().Result;
                Stack.pop_back();
                if (Stack.empty())
                    return Result;
                FilterCombine(Stack.back(), Result, u'(');
                break;
            }
            }
        }
        return false;
    }

private:
    struct TStep {
        enum TKind { OpenGroup, Test, CloseGroup } Kind;
        std::size_t Condition = 0;
        QChar Op;
    };

    // Walks the groups and operators from left to right, groups on a stack
    // of their own, and records each step.
    void Read(const String& S)
    {
        const std::vector<qsizetype> Closing = FilterClosingParens(S);
        auto AddCondition = [&](qsizetype From, qsizetype To, QChar Op) {
            const String Cond = S.mid(From, To - From);
            FConditions.emplace_back(FCaseSensitive ? Cond : AnsiUpperCase(Cond));
            FSteps.push_back(TStep{TStep::Test, FConditions.size() - 1, Op});
        };
        std::vector<TFilterFrame> Stack{FilterFrame(S, 0, S.size())};
        FSteps.push_back(TStep{TStep::OpenGroup, 0, QChar()});
        while (!Stack.empty()) {
            TFilterFrame& F = Stack.back();
            const qsizetype Op = FilterFindOutsideQuotes(S, FilterOperators, F.Pos, F.End);
            if (Op == F.Pos && S[Op] == u'(') {
                // A group; one without its ")" runs to the end.
                const qsizetype Close = Closing[std::size_t(Op)] >= 0 ? Closing[std::size_t(Op)] : F.End;
                F.Pos = Close < F.End ? Close + 1 : F.End;
                Stack.push_back(FilterFrame(S, Op + 1, Close));
                FSteps.push_back(TStep{TStep::OpenGroup, 0, QChar()});
            } else if (Op >= 0) {
                AddCondition(F.Pos, Op, S[Op]);
                F.Pos = Op + 1;
            } else {
                AddCondition(F.Pos, F.End, QChar());
                Stack.pop_back();
                FSteps.push_back(TStep{TStep::CloseGroup, 0, QChar()});
            }
        }
    }

    String FExpression;
    bool FCaseSensitive;
    std::vector<TFilterCondition> FConditions;
    std::vector<TStep> FSteps;
};

// The expressions read last, newest first.
const TFilterExpression& ReadFilterExpression(const String& Expression, bool CaseSensitive)
{
    constexpr std::size_t Kept = 4;
    thread_local std::deque<TFilterExpression> Recent;
    for (const TFilterExpression& E : Recent)
        if (E.IsFor(Expression, CaseSensitive))
            return E;
    if (Recent.size() == Kept)
        Recent.pop_back();
    Recent.emplace_front(Expression, CaseSensitive);
    return Recent.front();
}

} // namespace

bool MatchFilterExpr(const String& Expression, const String& Value, bool CaseSensitive)
{
    return ReadFilterExpression(Expression, CaseSensitive).Matches(Value);
}
