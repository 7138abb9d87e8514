#include "rtl/System.h"

#include "rtl/SysUtils.h"

#include <cmath>

Integer Length(const String& S) { return static_cast<Integer>(S.size()); }

void SetLength(String& S, Integer NewLength) { S.resize(NewLength < 0 ? 0 : NewLength, QChar(0)); }

String Copy(const String& S, Integer Index, Integer Count)
{
    const Int64 L = S.size();
    Int64 Start = Index < 1 ? 0 : Int64(Index) - 1;
    if (Start > L)
        Start = L;
    Int64 N = Count < 0 ? 0 : Count;
    if (N > L - Start)
        N = L - Start;
    return S.mid(Start, N);
}

String Copy(const String& S, Integer Index) { return Copy(S, Index, Length(S)); }

Integer Pos(const String& SubStr, const String& S) { return Pos(SubStr, S, 1); }

Integer Pos(const String& SubStr, const String& S, Integer Offset)
{
    if (SubStr.isEmpty() || Offset < 1 || Offset > S.size())
        return 0;
    return static_cast<Integer>(S.indexOf(SubStr, Offset - 1, Qt::CaseSensitive) + 1);
}

void Delete(String& S, Integer Index, Integer Count)
{
    const Int64 L = S.size();
    if (Index < 1 || Index > L || Count <= 0)
        return;
    S.remove(Index - 1, std::min<Int64>(Count, L - (Index - 1)));
}

void Insert(const String& Source, String& S, Integer Index)
{
    Int64 At = Int64(Index) - 1;
    if (At < 0)
        At = 0;
    else if (At > S.size())
        At = S.size();
    S.insert(At, Source);
}

namespace {
// The doubles that convert to Int64 without overflow: [-2^63, 2^63).
bool FitsInt64(double X) { return X >= -9223372036854775808.0 && X < 9223372036854775808.0; }
} // namespace

Int64 Round(double X)
{
    // The default rounding mode rounds halves to even, as the framework does.
    const double R = std::nearbyint(X);
    if (!FitsInt64(R))
        throw EInvalidOp(SInvalidOp);
    return static_cast<Int64>(R);
}

Int64 Trunc(double X)
{
    const double T = std::trunc(X);
    if (!FitsInt64(T))
        throw EInvalidOp(SInvalidOp);
    return static_cast<Int64>(T);
}

double Frac(double X) { return X - std::trunc(X); }

double Int(double X) { return std::trunc(X); }
