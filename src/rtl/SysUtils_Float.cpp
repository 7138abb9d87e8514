// Reading and writing floating-point numbers.
#include "rtl/SysUtils.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// A value as 0.Digits * 10^Exponent. Digits carry no trailing zeros and are
// empty for zero.
struct TDecimalDigits {
    bool Negative = false;
    bool NaN = false;
    bool Inf = false;
    int Exponent = 0;
    std::string Digits;
};

constexpr int MaxFloatDigits = 18;

// The digits of V rounded (halves away from zero) to at most Precision
// significant digits and at most Decimals digits after the point.
TDecimalDigits ToDecimalDigits(double V, int Precision, int Decimals)
{
    TDecimalDigits R;
    if (std::isnan(V)) {
        R.NaN = true;
        return R;
    }
    if (std::isinf(V)) {
        R.Inf = true;
        R.Negative = V < 0;
        return R;
    }
    if (V == 0)
        return R;
    // d.ddddddddddddddddde[+-]x, whatever the C locale says.
    char Buf[64];
    const auto Written =
        std::to_chars(Buf, Buf + sizeof Buf - 1, std::fabs(V), std::chars_format::scientific, MaxFloatDigits - 1);
    *Written.ptr = 0;
    std::string Digits(1, Buf[0]);
    Digits.append(Buf + 2, MaxFloatDigits - 1);
    int Exponent = std::atoi(std::strchr(Buf, 'e') + 1) + 1;
    const long Keep = std::min<long>(std::min(Precision, MaxFloatDigits), long(Exponent) + Decimals);
    if (Keep < 0)
        return R;
    if (Keep < MaxFloatDigits) {
        const bool Up = Digits[Keep] >= '5';
        Digits.resize(Keep);
        if (Up) {
            long I = Keep - 1;
            while (I >= 0 && Digits[I] == '9')
                Digits[I--] = '0';
            if (I < 0) {
                Digits.insert(0, 1, '1');
                ++Exponent;
            } else {
                ++Digits[I];
            }
        }
    }
    while (!Digits.empty() && Digits.back() == '0')
        Digits.pop_back();
    if (Digits.empty())
        return R;
    R.Negative = V < 0;
    R.Exponent = Exponent;
    R.Digits = std::move(Digits);
    return R;
}

char DigitAt(const TDecimalDigits& D, long Index)
{
    return Index >= 0 && Index < long(D.Digits.size()) ? D.Digits[Index] : '0';
}

String SpecialText(const TDecimalDigits& D)
{
    if (D.NaN)
        return QStringLiteral("NAN");
    return D.Negative ? QStringLiteral("-INF") : QStringLiteral("INF");
}

String ExponentText(int E, int MinDigits, bool AlwaysSign)
{
    String S = QString::number(std::abs(E));
    if (MinDigits > S.size())
        S.prepend(String(MinDigits - S.size(), u'0'));
    if (E < 0)
        S.prepend(u'-');
    else if (AlwaysSign)
        S.prepend(u'+');
    return S;
}

String GroupThousands(const String& IntPart, Char Separator)
{
    if (Separator.isNull())
        return IntPart;
    String R;
    for (qsizetype I = 0; I < IntPart.size(); ++I) {
        R += IntPart[I];
        const qsizetype Left = IntPart.size() - 1 - I;
        if (Left > 0 && Left % 3 == 0)
            R += Separator;
    }
    return R;
}

// Digits of D as a fixed-point number without sign.
String FixedText(const TDecimalDigits& D, int Decimals, Char DecimalSeparator)
{
    String S;
    if (D.Exponent <= 0)
        S = QStringLiteral("0");
    else
        for (long I = 0; I < D.Exponent; ++I)
            S += QChar(DigitAt(D, I));
    if (Decimals > 0) {
        S += DecimalSeparator;
        for (long K = 0; K < Decimals; ++K)
            S += QChar(DigitAt(D, D.Exponent + K));
    }
    return S;
}

String GeneralText(double Value, int Precision, int ExpDigits, const TFormatSettings& FS)
{
    const TDecimalDigits D = ToDecimalDigits(Value, Precision, 9999);
    if (D.NaN || D.Inf)
        return SpecialText(D);
    if (D.Digits.empty())
        return QStringLiteral("0");
    const long N = long(D.Digits.size());
    String S = D.Negative ? QStringLiteral("-") : String();
    if (D.Exponent > Precision || D.Exponent < -3) {
        S += QChar(D.Digits[0]);
        if (N > 1) {
            S += FS.DecimalSeparator;
            S += QString::fromLatin1(D.Digits.data() + 1, N - 1);
        }
        S += u'E';
        S += ExponentText(D.Exponent - 1, ExpDigits, false);
        return S;
    }
    const int Decimals = int(std::max<long>(0, N - D.Exponent));
    return S + FixedText(D, Decimals, FS.DecimalSeparator);
}

String ExponentFormText(double Value, int Precision, int ExpDigits, const TFormatSettings& FS)
{
    const TDecimalDigits D = ToDecimalDigits(Value, Precision, 9999);
    if (D.NaN || D.Inf)
        return SpecialText(D);
    String S = D.Negative ? QStringLiteral("-") : String();
    S += QChar(DigitAt(D, 0));
    if (Precision > 1) {
        S += FS.DecimalSeparator;
        for (long K = 1; K < Precision; ++K)
            S += QChar(DigitAt(D, K));
    }
    S += u'E';
    S += ExponentText(D.Digits.empty() ? 0 : D.Exponent - 1, ExpDigits, true);
    return S;
}

// The currency layouts, '$' standing for the currency string and '1' for the number.
constexpr const char* PositiveCurrencyForms[] = {"$1", "1$", "$ 1", "1 $"};
constexpr const char* NegativeCurrencyForms[] = {"($1)", "-$1",  "$-1",  "$1-",  "(1$)", "-1$",   "1-$",   "1$-",
                                                 "-1 $", "-$ 1", "1 $-", "$ 1-", "$ -1", "1- $", "($ 1)", "(1 $)"};

String CurrencyText(const String& Number, bool Negative, const TFormatSettings& FS)
{
    const char* Form = Negative ? NegativeCurrencyForms[FS.NegCurrFormat % 16] : PositiveCurrencyForms[FS.CurrencyFormat % 4];
    String S;
    for (const char* P = Form; *P; ++P) {
        if (*P == '$')
            S += FS.CurrencyString;
        else if (*P == '1')
            S += Number;
        else
            S += QChar::fromLatin1(*P);
    }
    return S;
}

} // namespace

String FloatToStrF(double Value, TFloatFormat Format, Integer Precision, Integer Digits, const TFormatSettings& FS)
{
    Precision = std::clamp(Precision, 1, MaxFloatDigits);
    switch (Format) {
    case ffGeneral:
        return GeneralText(Value, Precision, std::clamp(Digits, 0, 4), FS);
    case ffExponent:
        return ExponentFormText(Value, Precision, std::clamp(Digits, 0, 4), FS);
    case ffFixed:
    case ffNumber:
    case ffCurrency: {
        Digits = std::clamp(Digits, 0, MaxFloatDigits);
        const TDecimalDigits D = ToDecimalDigits(Value, Precision, Digits);
        if (D.NaN || D.Inf)
            return SpecialText(D);
        // Too many digits before the point for the precision.
        if (D.Exponent > Precision)
            return GeneralText(Value, Precision, 0, FS);
        String Number = FixedText(D, Digits, FS.DecimalSeparator);
        if (Format == ffFixed)
            return D.Negative ? u'-' + Number : Number;
        const qsizetype Point = Digits > 0 ? Number.size() - Digits - 1 : Number.size();
        Number = GroupThousands(Number.left(Point), FS.ThousandSeparator) + Number.mid(Point);
        if (Format == ffNumber)
            return D.Negative ? u'-' + Number : Number;
        return CurrencyText(Number, D.Negative, FS);
    }
    }
    return String();
}

String FloatToStrF(double Value, TFloatFormat Format, Integer Precision, Integer Digits)
{
    return FloatToStrF(Value, Format, Precision, Digits, FormatSettings);
}

String FloatToStr(double Value, const TFormatSettings& FS) { return FloatToStrF(Value, ffGeneral, 15, 0, FS); }
String FloatToStr(double Value) { return FloatToStr(Value, FormatSettings); }

// ---------------------------------------------------------------------------

bool TryStrToFloat(const String& S, double& Value, const TFormatSettings& FS)
{
    qsizetype I = 0, L = S.size();
    while (I < L && S[I] == u' ')
        ++I;
    while (L > I && S[L - 1] == u' ')
        --L;
    std::string Ascii;
    if (I < L && (S[I] == u'-' || S[I] == u'+'))
        Ascii += char(S[I++].unicode());
    int MantissaDigits = 0;
    int IntDigits = 0; // significant ones, to tell overflow from underflow
    bool SeenPoint = false;
    for (; I < L; ++I) {
        const QChar C = S[I];
        if (C >= u'0' && C <= u'9') {
            Ascii += char(C.unicode());
            ++MantissaDigits;
            if (!SeenPoint && (IntDigits > 0 || C != u'0'))
                ++IntDigits;
        } else if (C == FS.DecimalSeparator && !SeenPoint) {
            SeenPoint = true;
            Ascii += '.';
        } else {
            break;
        }
    }
    if (MantissaDigits == 0)
        return false;
    long ExpValue = 0;
    if (I < L && (S[I] == u'E' || S[I] == u'e')) {
        Ascii += 'e';
        ++I;
        if (I < L && (S[I] == u'-' || S[I] == u'+'))
            Ascii += char(S[I++].unicode());
        const qsizetype ExpStart = I;
        for (; I < L && S[I] >= u'0' && S[I] <= u'9'; ++I) {
            Ascii += char(S[I].unicode());
            if (ExpValue < 100000)
                ExpValue = ExpValue * 10 + (S[I].unicode() - u'0');
        }
        if (I == ExpStart)
            return false;
        if (S[ExpStart - 1] == u'-')
            ExpValue = -ExpValue;
    }
    if (I != L)
        return false;
    double V = 0;
    const char* Begin = Ascii.data() + (Ascii[0] == '+' ? 1 : 0);
    const auto [End, Error] = std::from_chars(Begin, Ascii.data() + Ascii.size(), V);
    if (End != Ascii.data() + Ascii.size())
        return false;
    if (Error == std::errc::result_out_of_range) {
        if (IntDigits + ExpValue > 0)
            return false; // beyond the range of a double
        V = Ascii[0] == '-' ? -0.0 : 0.0;
    } else if (Error != std::errc()) {
        return false;
    }
    Value = V;
    return true;
}

bool TryStrToFloat(const String& S, double& Value) { return TryStrToFloat(S, Value, FormatSettings); }

double StrToFloat(const String& S, const TFormatSettings& FS)
{
    double V;
    if (!TryStrToFloat(S, V, FS))
        throw EConvertError(Format(SInvalidFloat, {S}));
    return V;
}

double StrToFloat(const String& S) { return StrToFloat(S, FormatSettings); }

double StrToFloatDef(const String& S, double Default, const TFormatSettings& FS)
{
    double V;
    return TryStrToFloat(S, V, FS) ? V : Default;
}

double StrToFloatDef(const String& S, double Default) { return StrToFloatDef(S, Default, FormatSettings); }

// ---------------------------------------------------------------------------
// FormatFloat

namespace {

// What one section of a FormatFloat pattern asks for.
struct TFloatLayout {
    int IntPlaceholders = 0;
    int MinInt = 0;
    int MinDec = 0;
    int MaxDec = 0;
    bool Thousands = false;
    bool Scientific = false;
};

QStringList SplitSections(const String& Pattern)
{
    QStringList Sections{String()};
    QChar Quote;
    for (QChar C : Pattern) {
        if (!Quote.isNull()) {
            if (C == Quote)
                Quote = QChar();
        } else if (C == u'\'' || C == u'"') {
            Quote = C;
        } else if (C == u';') {
            Sections.append(String());
            continue;
        }
        Sections.last() += C;
    }
    return Sections;
}

bool IsExponentAt(const String& P, qsizetype I)
{
    return (P[I] == u'E' || P[I] == u'e') && I + 1 < P.size() && (P[I + 1] == u'+' || P[I + 1] == u'-');
}

TFloatLayout AnalyseSection(const String& P)
{
    TFloatLayout L;
    int FirstZero = -1;
    bool Point = false;
    QChar Quote;
    for (qsizetype I = 0; I < P.size(); ++I) {
        const QChar C = P[I];
        if (!Quote.isNull()) {
            if (C == Quote)
                Quote = QChar();
        } else if (C == u'\'' || C == u'"') {
            Quote = C;
        } else if (C == u'0' || C == u'#') {
            if (Point) {
                ++L.MaxDec;
                if (C == u'0')
                    L.MinDec = L.MaxDec;
            } else {
                if (C == u'0' && FirstZero < 0)
                    FirstZero = L.IntPlaceholders;
                ++L.IntPlaceholders;
            }
        } else if (C == u'.') {
            Point = true;
        } else if (C == u',') {
            if (!Point)
                L.Thousands = true;
        } else if (IsExponentAt(P, I)) {
            L.Scientific = true;
            break;
        }
    }
    L.MinInt = FirstZero < 0 ? 0 : L.IntPlaceholders - FirstZero;
    return L;
}

// The digits to place: whole part and fraction, and the exponent when scientific.
struct TPlacedNumber {
    String Int;
    String Frac;
    int Exponent = 0;
    bool Negative = false;
    bool Zero = true;
};

TPlacedNumber PlaceNumber(double Value, const TFloatLayout& L)
{
    TPlacedNumber N;
    TDecimalDigits D;
    int IntDigits;
    if (L.Scientific) {
        IntDigits = std::max(L.IntPlaceholders, 1);
        D = ToDecimalDigits(Value, IntDigits + L.MaxDec, 9999);
        N.Exponent = D.Digits.empty() ? 0 : D.Exponent - IntDigits;
    } else {
        D = ToDecimalDigits(Value, MaxFloatDigits, L.MaxDec);
        IntDigits = std::max(D.Exponent, 0);
    }
    N.Negative = D.Negative;
    N.Zero = D.Digits.empty();
    const long FracStart = L.Scientific ? IntDigits : D.Exponent;
    for (long I = 0; I < IntDigits; ++I)
        N.Int += QChar(DigitAt(D, I));
    while (!N.Int.isEmpty() && N.Int[0] == u'0')
        N.Int.remove(0, 1);
    if (N.Int.size() < L.MinInt)
        N.Int.prepend(String(L.MinInt - N.Int.size(), u'0'));
    for (long K = 0; K < L.MaxDec; ++K)
        N.Frac += QChar(DigitAt(D, FracStart + K));
    while (N.Frac.size() > L.MinDec && N.Frac.endsWith(u'0'))
        N.Frac.chop(1);
    return N;
}

String ApplySection(const String& P, const TFloatLayout& L, const TPlacedNumber& N, bool WithSign,
                    const TFormatSettings& FS)
{
    String S;
    if (WithSign && N.Negative)
        S += u'-';
    const qsizetype IntLen = N.Int.size();
    int IntSlot = 0, FracSlot = 0;
    bool Point = false;
    auto PutIntDigit = [&](qsizetype Index) {
        S += N.Int[Index];
        const qsizetype Left = IntLen - 1 - Index;
        if (L.Thousands && !FS.ThousandSeparator.isNull() && Left > 0 && Left % 3 == 0)
            S += FS.ThousandSeparator;
    };
    for (qsizetype I = 0; I < P.size(); ++I) {
        const QChar C = P[I];
        if (C == u'\'' || C == u'"') {
            const qsizetype Close = P.indexOf(C, I + 1);
            const qsizetype End = Close < 0 ? P.size() : Close;
            S += QStringView(P).mid(I + 1, End - I - 1);
            I = End;
        } else if (C == u'0' || C == u'#') {
            if (Point) {
                if (FracSlot < N.Frac.size())
                    S += N.Frac[FracSlot];
                ++FracSlot;
            } else {
                // Each placeholder takes one digit from the right; the first
                // one also takes every digit the pattern has no room for.
                const qsizetype Digit = IntLen - L.IntPlaceholders + IntSlot;
                for (qsizetype K = IntSlot == 0 ? 0 : Digit; K <= Digit; ++K)
                    if (K >= 0)
                        PutIntDigit(K);
                ++IntSlot;
            }
        } else if (C == u'.' && !Point) {
            Point = true;
            if (!N.Frac.isEmpty())
                S += FS.DecimalSeparator;
        } else if (C == u',') {
            continue;
        } else if (IsExponentAt(P, I)) {
            S += C;
            int MinDigits = 0;
            qsizetype K = I + 2;
            while (K < P.size() && P[K] == u'0') {
                ++MinDigits;
                ++K;
            }
            S += ExponentText(N.Exponent, MinDigits, P[I + 1] == u'+');
            S += QStringView(P).mid(K); // the rest is text
            break;
        } else {
            S += C;
        }
    }
    return S;
}

} // namespace

String FormatFloat(const String& Pattern, double Value, const TFormatSettings& FS)
{
    if (Pattern.isEmpty() || std::isnan(Value) || std::isinf(Value))
        return FloatToStrF(Value, ffGeneral, 15, 0, FS);
    const QStringList Sections = SplitSections(Pattern);
    const bool OwnNegative = Value < 0 && Sections.size() >= 2 && !Sections[1].isEmpty();
    const String& Section = OwnNegative ? Sections[1] : Sections[0];
    const TFloatLayout L = AnalyseSection(Section);
    const TPlacedNumber N = PlaceNumber(Value, L);
    if (N.Zero && Sections.size() >= 3 && !Sections[2].isEmpty()) {
        const TFloatLayout ZL = AnalyseSection(Sections[2]);
        return ApplySection(Sections[2], ZL, PlaceNumber(0.0, ZL), false, FS);
    }
    return ApplySection(Section, L, N, !OwnNegative, FS);
}

String FormatFloat(const String& Pattern, double Value) { return FormatFloat(Pattern, Value, FormatSettings); }
