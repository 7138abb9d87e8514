// Format: patterns with typed placeholders, checked against their arguments.
#include "rtl/SysUtils.h"

namespace {

// Larger widths and precisions are refused, and so is a text that grows
// more than MaxFormatGrowth characters beyond its string arguments: patterns
// come from editable files, and one of them must not be able to ask for
// gigabytes, whether by one width or by many placeholders.
constexpr Int64 MaxFormatNumber = 65535;
constexpr qsizetype MaxFormatGrowth = 65536;

class TFormatter {
public:
    TFormatter(const String& Pattern, std::span<const TVarRec> Args, const TFormatSettings& FS)
        : P(Pattern), Args(Args), FS(FS), Limit(MaxFormatGrowth)
    {
        for (const TVarRec& A : Args)
            if (A.VType == TVarRec::vtString)
                Limit += A.VString.size();
    }

    // False when the pattern is malformed or does not fit the arguments.
    bool Run(String& Result)
    {
        String Out;
        Out.reserve(P.size() + 16);
        while (I < P.size()) {
            const QChar C = P[I++];
            if (C != u'%') {
                Out += C;
                continue;
            }
            if (I >= P.size())
                return false;
            if (P[I] == u'%') {
                Out += u'%';
                ++I;
                continue;
            }
            if (!Placeholder(Out) || Out.size() > Limit)
                return false;
        }
        if (Out.size() > Limit)
            return false;
        Result = Out;
        return true;
    }

private:
    const String& P;
    std::span<const TVarRec> Args;
    const TFormatSettings& FS;
    qsizetype Limit;
    qsizetype I = 0;
    size_t ArgIndex = 0;

    const TVarRec* NextArg()
    {
        if (ArgIndex >= Args.size())
            return nullptr;
        return &Args[ArgIndex++];
    }

    // Digits or "*" (the next argument, which must be an Integer); -1 when
    // neither is there.
    bool Number(Int64& Value)
    {
        Value = -1;
        if (I < P.size() && P[I] == u'*') {
            ++I;
            const TVarRec* A = NextArg();
            if (!A || A->VType != TVarRec::vtInteger || A->VInteger > MaxFormatNumber)
                return false;
            Value = A->VInteger;
            return true;
        }
        if (I < P.size() && P[I] >= u'0' && P[I] <= u'9') {
            Value = 0;
            while (I < P.size() && P[I] >= u'0' && P[I] <= u'9') {
                Value = Value * 10 + (P[I++].unicode() - u'0');
                if (Value > MaxFormatNumber)
                    return false;
            }
        }
        return true;
    }

    bool Placeholder(String& Out)
    {
        bool LeftJustify = false;
        Int64 Width = -1, Prec = -1;
        if (I < P.size() && P[I] == u'-') {
            LeftJustify = true;
            ++I;
            if (!Number(Width))
                return false;
        } else {
            if (!Number(Width))
                return false;
            if (I < P.size() && P[I] == u':') {
                if (Width < 0)
                    return false;
                ArgIndex = size_t(Width);
                ++I;
                if (I < P.size() && P[I] == u'-') {
                    LeftJustify = true;
                    ++I;
                }
                if (!Number(Width))
                    return false;
            }
        }
        if (I < P.size() && P[I] == u'.') {
            ++I;
            if (!Number(Prec))
                return false;
            if (Prec < 0 && !(I > 0 && P[I - 1] == u'*'))
                Prec = 0; // "." without digits
        }
        if (I >= P.size())
            return false;
        const char16_t Type = P[I++].toUpper().unicode();
        const TVarRec* A = NextArg();
        if (!A)
            return false;
        String Text;
        if (!Convert(Type, *A, Prec, Text))
            return false;
        if (Width > Text.size()) {
            const String Pad(Width - Text.size(), u' ');
            Text = LeftJustify ? Text + Pad : Pad + Text;
        }
        Out += Text;
        return true;
    }

    static String ZeroPadded(String Digits, Int64 MinDigits)
    {
        if (MinDigits > Digits.size())
            Digits.prepend(String(MinDigits - Digits.size(), u'0'));
        return Digits;
    }

    bool Convert(char16_t Type, const TVarRec& A, Int64 Prec, String& Text) const
    {
        switch (Type) {
        case u'D': {
            bool Negative = false;
            UInt64 Magnitude;
            if (A.VType == TVarRec::vtInteger || A.VType == TVarRec::vtInt64) {
                const Int64 V = A.VType == TVarRec::vtInteger ? A.VInteger : A.VInt64;
                Negative = V < 0;
                Magnitude = Negative ? 0ull - UInt64(V) : UInt64(V);
            } else if (A.VType == TVarRec::vtUInt64) {
                Magnitude = A.VUInt64;
            } else {
                return false;
            }
            Text = ZeroPadded(QString::number(qulonglong(Magnitude)), Prec);
            if (Negative)
                Text.prepend(u'-');
            return true;
        }
        case u'U':
        case u'X': {
            UInt64 V;
            if (A.VType == TVarRec::vtInteger)
                V = Cardinal(A.VInteger);
            else if (A.VType == TVarRec::vtInt64)
                V = UInt64(A.VInt64);
            else if (A.VType == TVarRec::vtUInt64)
                V = A.VUInt64;
            else
                return false;
            Text = ZeroPadded(QString::number(qulonglong(V), Type == u'U' ? 10 : 16).toUpper(), Prec);
            return true;
        }
        case u'E':
        case u'F':
        case u'G':
        case u'N':
        case u'M': {
            if (A.VType != TVarRec::vtExtended)
                return false;
            const double V = A.VExtended;
            if (Type == u'E')
                Text = FloatToStrF(V, ffExponent, Prec < 0 ? 15 : Integer(std::min<Int64>(Prec, 18)), 3, FS);
            else if (Type == u'G')
                Text = FloatToStrF(V, ffGeneral, Prec < 0 ? 15 : Integer(std::min<Int64>(Prec, 18)), 0, FS);
            else if (Type == u'F')
                Text = FloatToStrF(V, ffFixed, 18, Prec < 0 ? 2 : Integer(std::min<Int64>(Prec, 18)), FS);
            else if (Type == u'N')
                Text = FloatToStrF(V, ffNumber, 18, Prec < 0 ? 2 : Integer(std::min<Int64>(Prec, 18)), FS);
            else
                Text = FloatToStrF(V, ffCurrency, 18,
                                   Prec < 0 ? FS.CurrencyDecimals : Integer(std::min<Int64>(Prec, 18)), FS);
            return true;
        }
        case u'P':
            if (A.VType != TVarRec::vtPointer)
                return false;
            Text = ZeroPadded(QString::number(quintptr(A.VPointer), 16).toUpper(), 2 * sizeof(void*));
            return true;
        case u'S':
            if (A.VType == TVarRec::vtString)
                Text = A.VString;
            else if (A.VType == TVarRec::vtChar)
                Text = String(A.VChar);
            else
                return false;
            if (Prec >= 0 && Prec < Text.size())
                Text.truncate(Prec);
            return true;
        default:
            return false;
        }
    }
};

} // namespace

bool TryFormat(const String& Pattern, std::span<const TVarRec> Args, String& Result, const TFormatSettings& FS)
{
    return TFormatter(Pattern, Args, FS).Run(Result);
}

bool TryFormat(const String& Pattern, std::span<const TVarRec> Args, String& Result)
{
    return TryFormat(Pattern, Args, Result, FormatSettings);
}

bool TryFormat(const String& Pattern, std::initializer_list<TVarRec> Args, String& Result)
{
    return TryFormat(Pattern, std::span<const TVarRec>(Args.begin(), Args.size()), Result, FormatSettings);
}

String Format(const String& Pattern, std::span<const TVarRec> Args, const TFormatSettings& FS)
{
    String Result;
    if (!TryFormat(Pattern, Args, Result, FS))
        throw EConvertError(QString::fromLatin1(SInvalidFormat).replace(QLatin1String("%s"), Pattern));
    return Result;
}

String Format(const String& Pattern, std::span<const TVarRec> Args) { return Format(Pattern, Args, FormatSettings); }

String Format(const String& Pattern, std::initializer_list<TVarRec> Args, const TFormatSettings& FS)
{
    return Format(Pattern, std::span<const TVarRec>(Args.begin(), Args.size()), FS);
}

String Format(const String& Pattern, std::initializer_list<TVarRec> Args)
{
    return Format(Pattern, std::span<const TVarRec>(Args.begin(), Args.size()), FormatSettings);
}
