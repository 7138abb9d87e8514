#include "rtl/SysUtils.h"

#include <QCollator>
#include <QLocale>

#include <memory>


#include <limits>

Exception::Exception(const String& Msg) { SetMessage(Msg); }

void Exception::SetMessage(const String& Msg)
{
    FMessage = Msg;
    FWhat = Msg.toUtf8();
}

TFormatSettings FormatSettings = TFormatSettings::Create();

// ---------------------------------------------------------------------------
// Integers

String IntToStr(Integer Value) { return QString::number(Value); }
String IntToStr(Cardinal Value) { return QString::number(Value); }
String IntToStr(Int64 Value) { return QString::number(static_cast<qlonglong>(Value)); }
String IntToStr(UInt64 Value) { return QString::number(static_cast<qulonglong>(Value)); }
String IntToStr(long long Value) { return QString::number(static_cast<qlonglong>(Value)); }
String IntToStr(unsigned long long Value) { return QString::number(static_cast<qulonglong>(Value)); }

namespace {
String HexDigits(UInt64 Value, Integer Digits)
{
    String S = QString::number(static_cast<qulonglong>(Value), 16).toUpper();
    if (Digits > S.size())
        S.prepend(String(Digits - S.size(), u'0'));
    return S;
}

// Reads S by the framework's integer rules into a magnitude of at most
// MaxDecimal (decimal, before the sign) or MaxHex (hex, any bit pattern).
bool ParseInteger(const String& S, UInt64 MaxPositive, UInt64 MaxNegative, UInt64 MaxHex, UInt64& Magnitude,
                  bool& Negative, bool& Hex)
{
    qsizetype I = 0;
    const qsizetype L = S.size();
    while (I < L && S[I] == u' ')
        ++I;
    Negative = false;
    if (I < L && (S[I] == u'-' || S[I] == u'+')) {
        Negative = S[I] == u'-';
        ++I;
    }
    Hex = false;
    if (I < L && S[I] == u'$') {
        Hex = true;
        ++I;
    } else if (I < L && (S[I] == u'x' || S[I] == u'X')) {
        Hex = true;
        ++I;
    } else if (I + 1 < L && S[I] == u'0' && (S[I + 1] == u'x' || S[I + 1] == u'X')) {
        Hex = true;
        I += 2;
    }
    if (I >= L)
        return false;
    const UInt64 Limit = Hex ? MaxHex : (Negative ? MaxNegative : MaxPositive);
    const unsigned Base = Hex ? 16 : 10;
    UInt64 V = 0;
    for (; I < L; ++I) {
        const char16_t C = S[I].unicode();
        unsigned D;
        if (C >= u'0' && C <= u'9')
            D = C - u'0';
        else if (Hex && C >= u'a' && C <= u'f')
            D = C - u'a' + 10;
        else if (Hex && C >= u'A' && C <= u'F')
            D = C - u'A' + 10;
        else
            return false;
        if (V > (Limit - D) / Base)
            return false;
        V = V * Base + D;
    }
    Magnitude = V;
    return true;
}
} // namespace

String IntToHex(Integer Value, Integer Digits) { return HexDigits(static_cast<Cardinal>(Value), Digits); }
String IntToHex(Cardinal Value, Integer Digits) { return HexDigits(Value, Digits); }
String IntToHex(Int64 Value, Integer Digits) { return HexDigits(static_cast<UInt64>(Value), Digits); }
String IntToHex(UInt64 Value, Integer Digits) { return HexDigits(Value, Digits); }
String IntToHex(long long Value, Integer Digits) { return HexDigits(static_cast<UInt64>(Value), Digits); }
String IntToHex(unsigned long long Value, Integer Digits) { return HexDigits(Value, Digits); }

bool TryStrToInt(const String& S, Integer& Value)
{
    UInt64 M;
    bool Negative, Hex;
    if (!ParseInteger(S, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu, M, Negative, Hex))
        return false;
    // Hex keeps its bit pattern; the sign then negates it in 32 bits.
    Cardinal Bits = static_cast<Cardinal>(M);
    if (Negative)
        Bits = 0u - Bits;
    Value = static_cast<Integer>(Bits);
    return true;
}

bool TryStrToInt64(const String& S, Int64& Value)
{
    UInt64 M;
    bool Negative, Hex;
    if (!ParseInteger(S, 0x7FFFFFFFFFFFFFFFull, 0x8000000000000000ull, ~0ull, M, Negative, Hex))
        return false;
    if (Negative)
        M = 0ull - M;
    Value = static_cast<Int64>(M);
    return true;
}

Integer StrToInt(const String& S)
{
    Integer V;
    if (!TryStrToInt(S, V))
        throw EConvertError(Format(SInvalidInteger, {S}));
    return V;
}

Integer StrToIntDef(const String& S, Integer Default)
{
    Integer V;
    return TryStrToInt(S, V) ? V : Default;
}

Int64 StrToInt64(const String& S)
{
    Int64 V;
    if (!TryStrToInt64(S, V))
        throw EConvertError(Format(SInvalidInteger, {S}));
    return V;
}

Int64 StrToInt64Def(const String& S, Int64 Default)
{
    Int64 V;
    return TryStrToInt64(S, V) ? V : Default;
}

Integer MulDiv(Integer Number, Integer Numerator, Integer Denominator)
{
    if (Denominator == 0)
        return -1;
    const Int64 Product = Int64(Number) * Numerator;
    const bool Negative = (Product < 0) != (Denominator < 0);
    // |Product| <= 2^62, so the magnitudes fit.
    const UInt64 P = Product < 0 ? UInt64(-Product) : UInt64(Product);
    const UInt64 D = Denominator < 0 ? UInt64(-Int64(Denominator)) : UInt64(Denominator);
    UInt64 Q = P / D;
    if (2 * (P % D) >= D)
        ++Q;
    if (Q > UInt64(std::numeric_limits<Integer>::max()))
        return -1;
    return Negative ? -static_cast<Integer>(Q) : static_cast<Integer>(Q);
}

// ---------------------------------------------------------------------------
// Strings

String TrimLeft(const String& S)
{
    qsizetype I = 0;
    while (I < S.size() && S[I].unicode() <= u' ')
        ++I;
    return S.mid(I);
}

String TrimRight(const String& S)
{
    qsizetype L = S.size();
    while (L > 0 && S[L - 1].unicode() <= u' ')
        --L;
    return S.left(L);
}

String Trim(const String& S) { return TrimLeft(TrimRight(S)); }

namespace {
char16_t AsciiUpper(char16_t C) { return C >= u'a' && C <= u'z' ? char16_t(C - 32) : C; }
char16_t AsciiLower(char16_t C) { return C >= u'A' && C <= u'Z' ? char16_t(C + 32) : C; }
} // namespace

String UpperCase(const String& S)
{
    String R = S;
    for (QChar& C : R)
        C = QChar(AsciiUpper(C.unicode()));
    return R;
}

String LowerCase(const String& S)
{
    String R = S;
    for (QChar& C : R)
        C = QChar(AsciiLower(C.unicode()));
    return R;
}

String AnsiUpperCase(const String& S) { return S.toUpper(); }
String AnsiLowerCase(const String& S) { return S.toLower(); }

Integer CompareText(const String& S1, const String& S2)
{
    const qsizetype N = std::min(S1.size(), S2.size());
    for (qsizetype I = 0; I < N; ++I) {
        const int D = int(AsciiUpper(S1[I].unicode())) - int(AsciiUpper(S2[I].unicode()));
        if (D != 0)
            return D;
    }
    return static_cast<Integer>(S1.size() - S2.size());
}

bool SameText(const String& S1, const String& S2) { return S1.size() == S2.size() && CompareText(S1, S2) == 0; }

Integer CompareStr(const String& S1, const String& S2)
{
    const qsizetype N = std::min(S1.size(), S2.size());
    for (qsizetype I = 0; I < N; ++I) {
        const int D = int(S1[I].unicode()) - int(S2[I].unicode());
        if (D != 0)
            return D;
    }
    return static_cast<Integer>(S1.size() - S2.size());
}

namespace {

// The fixed collation of every comparison "by the user's collation": lower
// case before upper case, accents after plain letters, the same on every
// machine. Strings the collation finds equal but that differ are ordered
// by their code units, so that only equal strings (or, without case,
// strings equal but for case) compare as equal.
Integer FixedCollationCompare(const String& S1, const String& S2, bool CaseSensitive)
{
    thread_local const std::unique_ptr<QCollator> Collators[2] = {
        [] {
            auto C = std::make_unique<QCollator>(QLocale(QLocale::English, QLocale::UnitedStates));
            C->setCaseSensitivity(Qt::CaseInsensitive);
            return C;
        }(),
        [] {
            auto C = std::make_unique<QCollator>(QLocale(QLocale::English, QLocale::UnitedStates));
            C->setCaseSensitivity(Qt::CaseSensitive);
            return C;
        }(),
    };
    int R = Collators[CaseSensitive ? 1 : 0]->compare(S1, S2);
    if (R == 0)
        R = QString::compare(S1, S2, CaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive);
    return R < 0 ? -1 : (R > 0 ? 1 : 0);
}

} // namespace

Integer AnsiCompareStr(const String& S1, const String& S2) { return FixedCollationCompare(S1, S2, true); }

Integer AnsiCompareText(const String& S1, const String& S2) { return FixedCollationCompare(S1, S2, false); }

bool AnsiSameText(const String& S1, const String& S2) { return S1.compare(S2, Qt::CaseInsensitive) == 0; }

String AnsiQuotedStr(const String& S, Char Quote)
{
    String R;
    R.reserve(S.size() + 2);
    R += Quote;
    for (QChar C : S) {
        R += C;
        if (C == Quote)
            R += Quote;
    }
    R += Quote;
    return R;
}

String QuotedStr(const String& S) { return AnsiQuotedStr(S, u'\''); }

String AnsiDequotedStr(const String& S, Char Quote)
{
    if (S.isEmpty())
        return S;
    String R;
    qsizetype I = 0;
    if (S[0] == Quote) {
        I = 1;
        while (I < S.size()) {
            if (S[I] == Quote) {
                if (I + 1 < S.size() && S[I + 1] == Quote) {
                    R += Quote;
                    I += 2;
                    continue;
                }
                ++I; // past the closing quote
                break;
            }
            R += S[I++];
        }
    }
    // Not quoted, or an opening quote whose closing one is missing.
    if ((R.isEmpty() || I >= S.size()) && (S[0] != Quote || S[S.size() - 1] != Quote))
        return S;
    return R;
}

String StringReplace(const String& S, const String& OldPattern, const String& NewPattern, TReplaceFlags Flags)
{
    if (OldPattern.isEmpty())
        return S;
    const Qt::CaseSensitivity CS = Flags.Contains(rfIgnoreCase) ? Qt::CaseInsensitive : Qt::CaseSensitive;
    String R;
    qsizetype From = 0;
    while (true) {
        const qsizetype At = S.indexOf(OldPattern, From, CS);
        if (At < 0)
            break;
        R += QStringView(S).mid(From, At - From);
        R += NewPattern;
        From = At + OldPattern.size();
        if (!Flags.Contains(rfReplaceAll))
            break;
    }
    R += QStringView(S).mid(From);
    return R;
}

String StringOfChar(Char Ch, Integer Count) { return Count > 0 ? String(Count, Ch) : String(); }

bool IsDigit(Char Ch) { return Ch.isDigit(); }

bool IsDelimiter(const String& Delimiters, const String& S, Integer Index)
{
    if (Index < 1 || Index > S.size())
        return false;
    return Delimiters.contains(S[Index - 1]);
}

Integer LastDelimiter(const String& Delimiters, const String& S)
{
    for (qsizetype I = S.size(); I > 0; --I)
        if (Delimiters.contains(S[I - 1]))
            return static_cast<Integer>(I);
    return 0;
}
