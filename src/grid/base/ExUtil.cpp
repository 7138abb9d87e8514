#include "grid/base/ExUtil.h"

#include "platform/TextCodec.h"

#include <cmath>

namespace {

constexpr QChar CellCR = u'\r';
constexpr QChar CellLF = u'\n';
const QString CellCRLF = QStringLiteral("\r\n");

String ReplacedText(String S, const String& From, const String& To)
{
    return S.replace(From, To);
}

bool IsUrlChar(QChar C)
{
    static const QString Marks = QStringLiteral("%()-./:@\\_{}");
    const char16_t U = C.unicode();
    return (U >= u'0' && U <= u'9') || (U >= u'A' && U <= u'Z') || (U >= u'a' && U <= u'z') || Marks.contains(C);
}

// The parts of a date text: three numbers between two equal separators.
bool SplitDateText(const String& S, Integer Parts[3])
{
    QChar Sep;
    for (QChar Candidate : {QChar(u'/'), QChar(u'.'), QChar(u'-')})
        if (S.contains(Candidate)) {
            Sep = Candidate;
            break;
        }
    if (Sep.isNull())
        return false;
    const QStringList Texts = S.split(Sep);
    if (Texts.size() != 3)
        return false;
    for (int I = 0; I < 3; ++I)
        if (!TryStrToInt(Texts[I], Parts[I]))
            return false;
    return true;
}

TDateTime DateOfDayMonthYear(Integer Day, Integer Month, Integer Year)
{
    if (Year >= 0 && Year < 100)
        Year += Year < 26 ? 2000 : 1900;
    TDateTime Result = 0;
    const bool InRange = Day > 0 && Month > 0 && Year > 0 && Day <= 0xFFFF && Month <= 0xFFFF && Year <= 0xFFFF;
    if (!InRange || !TryEncodeDate(Word(Year), Word(Month), Word(Day), Result))
        return 0;
    return Result;
}

} // namespace

// ---------------------------------------------------------------------------
// Locale

Char GetTimeSeparator() { return FormatSettings.TimeSeparator; }
Char GetDateSeparator() { return FormatSettings.DateSeparator; }
Char GetThousandSeparator() { return FormatSettings.ThousandSeparator; }
Char GetDecimalSeparator() { return FormatSettings.DecimalSeparator; }
String GetShortDateFormat() { return FormatSettings.ShortDateFormat; }

// ---------------------------------------------------------------------------
// Cell text conventions

Integer GetCellTextKind(const String& S, bool HTML)
{
    const String T = S + QLatin1Char(' ');
    if (T.size() < 2)
        return 0;
    if (T[0] == u'=')
        return 3;
    if (T.startsWith(QLatin1String("|\\")))
        return T.size() >= 5 && T[3] == u'=' && T[4] == QChar(0) ? 3 : 5;
    if (T.startsWith(QLatin1String("{\\")))
        return 2;
    if (HTML) {
        for (const char* Mark : {"</", "<B", "<I", "<C"})
            if (T.contains(QLatin1String(Mark)))
                return 1;
    }
    return 0;
}

String CellTextToWide(const String& S)
{
    if (!S.startsWith(QLatin1String("|\\")))
        return S;
    String W;
    for (qsizetype I = 2; I + 1 < S.size(); I += 2)
        W.append(QChar(char16_t((S[I].unicode() << 8) + S[I + 1].unicode())));
    return W;
}

String WideToCellText(const String& W)
{
    String S = QStringLiteral("|\\");
    for (QChar C : W) {
        S.append(QChar(char16_t(C.unicode() >> 8)));
        S.append(QChar(char16_t(C.unicode() & 0xFF)));
    }
    return S;
}

String EncodeCellLineBreaks(const String& S)
{
    if (!S.contains(CellCR))
        return S;
    String T = S;
    T.replace(CellCR, QChar(9)).replace(CellLF, QChar(8)).replace(QChar(0), QChar(1));
    return T;
}

String DecodeCellLineBreaks(const String& S, bool MultiLine)
{
    if (!S.contains(QChar(8)))
        return S;
    String T = S;
    T.replace(QChar(9), CellCR).replace(QChar(8), CellLF).replace(QChar(1), QChar(0));
    return MultiLine ? T : CutFirstLine(T, false);
}

void QuoteMultiLine(String& S)
{
    S.replace(CellCRLF, QString(QChar(11)));
    S = QLatin1Char('"') + S + QLatin1Char('"');
}

void VTToCRLF(String& S) { S.replace(QChar(11), CellCRLF); }
void CRLFToLF(String& S) { S.replace(CellCRLF, QString(CellLF)); }

void LineBreaksToTilde(String& S)
{
    S.remove(CellLF).replace(CellCR, QLatin1Char('~'));
}

void TildeToLineBreaks(String& S)
{
    if (S == QLatin1String("^"))
        S.clear();
    else
        S.replace(QLatin1Char('~'), CellCRLF);
}

String LineBreaksToEscapes(const String& S)
{
    return ReplacedText(S, QString(CellLF), QString()).replace(CellCR, QLatin1String("\\n"));
}

String EscapesToLineBreaks(const String& S) { return ReplacedText(S, QStringLiteral("\\n"), QString(CellCR)); }

String LineBreaksToBR(const String& S)
{
    return S.contains(CellCR) ? ReplacedText(S, QString(CellCR), QStringLiteral("<br>")) : S;
}

String RemoveCR(const String& S) { return ReplacedText(S, QString(CellCR), QString()); }
String CRToLF(const String& S) { return ReplacedText(S, QString(CellCR), QString(CellLF)); }

String CutFirstLine(String& S, bool KeepRest)
{
    const qsizetype At = S.indexOf(CellCR);
    const String First = At < 0 ? S : S.left(At);
    if (!KeepRest || At < 0) {
        S.clear();
        return First;
    }
    const qsizetype RestStart = At + 1 < S.size() && S[At + 1] == CellLF ? At + 2 : At + 1;
    S = S.mid(RestStart);
    return First;
}

Integer CountLines(const String& S, bool MultiLine) { return MultiLine ? 1 + Integer(S.count(CellCR)) : 1; }

String DoubleQuoteChars(const String& S) { return ReplacedText(S, QStringLiteral("\""), QStringLiteral("\"\"")); }

String UndoubleChar(Char Ch, const String& S)
{
    return S.contains(Ch) ? ReplacedText(S, QString(2, Ch), QString(Ch)) : S;
}

Integer FindClosingQuote(Char Quote, const String& S, Integer& Pos)
{
    Pos = 0;
    for (qsizetype I = 0; I < S.size();) {
        if (S[I] != Quote) {
            ++I;
            continue;
        }
        qsizetype End = I;
        while (End + 1 < S.size() && S[End + 1] == Quote)
            ++End;
        const bool AtTextEnd = End + 1 == S.size();
        if (AtTextEnd || (End - I + 1) % 2 == 1) {
            Pos = Integer(End + 1);
            return Pos;
        }
        I = End + 1;
    }
    return Pos;
}

Integer CountClosingQuotes(Char Quote, const String& S)
{
    Integer Count = 0, At = 0;
    String Rest = S;
    while (FindClosingQuote(Quote, Rest, At) > 0) {
        ++Count;
        Rest = Rest.mid(At);
    }
    return Count;
}

Integer CountChar(Char Ch, const String& S) { return Integer(S.count(Ch)); }

void FillWithChar(String& S, Char Ch) { S.fill(Ch); }

bool IsWordBreakChar(Char Ch)
{
    return Ch == u' ' || Ch == u'\'' || Ch == u',' || Ch == u'-' || Ch == u'.';
}

String ToMixedCase(const String& S)
{
    String T = S;
    bool WordStart = true;
    for (QChar& C : T) {
        if (IsWordBreakChar(C)) {
            WordStart = true;
            continue;
        }
        C = WordStart ? C.toUpper() : C.toLower();
        WordStart = false;
    }
    if (T.startsWith(QLatin1String("Mc")) && T.size() > 2)
        T[2] = T[2].toUpper();
    for (qsizetype At = T.indexOf(QLatin1String(" Mc")); At >= 0; At = T.indexOf(QLatin1String(" Mc"), At + 1))
        if (At + 3 < T.size())
            T[At + 3] = T[At + 3].toUpper();
    for (qsizetype At = S.indexOf(QLatin1String(" II")); At >= 0; At = S.indexOf(QLatin1String(" II"), At + 1))
        T[At + 2] = u'I';
    return T;
}

void StrToOem(String& S)
{
    S = QString::fromLatin1(textcodec::StringToOem(S));
}

void OemToStr(String& S)
{
    S = textcodec::OemToString(S.toLatin1());
}

String ConcatLines(TStrings* Lines)
{
    String S;
    for (Integer I = 0; Lines && I < Lines->Count(); ++I)
        S += Lines->Strings(I);
    return S;
}

String TakeToken(String& S, const String& Delim)
{
    const Integer At = Pos(Delim, S);
    if (At == 0)
        return String();
    const String Token = Copy(S, 1, At - 1);
    S = Copy(S, At + 1);
    return Token;
}

// ---------------------------------------------------------------------------
// Searching

Integer FindStrVar(const String& SubStr, const String& S, Integer& Pos)
{
    Pos = ::Pos(SubStr, S);
    return Pos;
}

Integer FindStrUpper(const String& SubStr, const String& S) { return Pos(SubStr, AnsiUpperCase(S)); }
Integer FindChar(Char Ch, const String& S) { return Integer(S.indexOf(Ch) + 1); }

Integer FindCharVar(Char Ch, const String& S, Integer& Pos)
{
    Pos = FindChar(Ch, S);
    return Pos;
}

Integer PosWide(const String& SubStr, const String& S) { return Pos(SubStr, S); }
Integer IntMax(Integer A, Integer B) { return Max(A, B); }
Integer IntMin(Integer A, Integer B) { return Min(A, B); }

Integer LimitToRange(Integer Value, Integer Min, Integer Max)
{
    if (Min == Max)
        return Value;
    if (Min > 0 && Value < Min)
        return Min;
    if (Max > 0 && Value > Max)
        return Max;
    return Value;
}

bool CellInGridRect(const TGridRect& R, Integer Col, Integer Row)
{
    return Col >= R.Left && Col <= R.Right && Row >= R.Top && Row <= R.Bottom;
}

// ---------------------------------------------------------------------------
// Numbers

bool IsNumberChar(Char Ch) { return IsDigit(Ch); }
bool IsNumberOrMinus(Char Ch) { return IsNumberChar(Ch) || Ch == u'-'; }

bool IsFloatChar(Char Ch)
{
    return IsNumberChar(Ch) || Ch == GetThousandSeparator() || Ch == GetDecimalSeparator() || Ch == u'e' ||
           Ch == u'E';
}

bool IsPlainFloatChar(Char Ch)
{
    return IsNumberChar(Ch) || Ch == u'-' || Ch == u'.' || Ch == u'e' || Ch == u'E' || Ch == u'+';
}

bool IsSignedFloatChar(Char Ch) { return IsFloatChar(Ch) || Ch == u'+' || Ch == u'-'; }

Integer GetNumberKind(const String& S)
{
    if (S.isEmpty())
        return 2;
    const QChar Thousand = GetThousandSeparator(), Decimal = GetDecimalSeparator();
    bool IsInt = true, IsFloat = true, HasExp = false, ExpValid = true;
    qsizetype LastThousand = -1;
    for (qsizetype I = 0; I < S.size(); ++I) {
        const QChar C = S[I];
        if (!IsNumberChar(C) && !(C == u'-' && I == 0))
            IsInt = false;
        if (C == u'-' && I > 0)
            IsFloat = false;
        if (!IsNumberOrMinus(C) && C != Thousand && C != Decimal)
            IsFloat = false;
        if (C == Thousand) {
            if (LastThousand >= 0 && I - LastThousand < 4)
                IsFloat = false;
            LastThousand = I;
            ExpValid = false;
        }
        if (C == u'e' || C == u'E') {
            if (HasExp || I == 0)
                ExpValid = false;
            HasExp = true;
        }
        if (!IsSignedFloatChar(C))
            ExpValid = false;
    }
    const QChar Last = S.back();
    if (Last == u'+' || Last == u'-' || Last == u'e' || Last == u'E')
        ExpValid = false;

    Integer Kind = 2;
    if (IsInt)
        Kind = 0;
    else if (HasExp)
        Kind = ExpValid ? 5 : 2;
    else if (IsFloat)
        Kind = 1;
    const qsizetype Minus = S.count(QLatin1Char('-'));
    if (Minus > (Kind == 5 ? 2 : 1) || S.count(Decimal) > 1)
        return 2;
    return Kind;
}

String PlainNumberText(const String& S)
{
    if (S.isEmpty())
        return S;
    bool Negative = S.startsWith(QLatin1Char('(')) && S.endsWith(QLatin1Char(')'));
    qsizetype Start = 0;
    while (S.size() - Start >= 2 && !IsFloatChar(S[Start])) {
        if (S[Start] == u'-')
            Negative = true;
        ++Start;
    }
    String Plain;
    for (qsizetype I = Start; I < S.size(); ++I) {
        const QChar C = S[I];
        if (C == GetThousandSeparator())
            continue;
        if (C == GetDecimalSeparator())
            Plain += QLatin1Char('.');
        else if (IsPlainFloatChar(C))
            Plain += C;
        else
            break;
    }
    return Negative ? QLatin1Char('-') + Plain : Plain;
}

String ColorToHex(TColor Color)
{
    return Format(QStringLiteral("%.2x%.2x%.2x"), {GetRValue(Color), GetGValue(Color), GetBValue(Color)});
}

// ---------------------------------------------------------------------------
// Dates

TDateTime DMYToDate(const String& S)
{
    Integer Parts[3];
    return SplitDateText(S, Parts) ? DateOfDayMonthYear(Parts[0], Parts[1], Parts[2]) : 0;
}

TDateTime MDYToDate(const String& S)
{
    Integer Parts[3];
    return SplitDateText(S, Parts) ? DateOfDayMonthYear(Parts[1], Parts[0], Parts[2]) : 0;
}

bool LooksLikeDate(const String& S)
{
    const Integer First = Pos(QString(GetDateSeparator()), S);
    return First >= 2 && Pos(QString(GetDateSeparator()), S, First + 2) > 0;
}

TDateTime StepDate(Integer Years, Integer Months, Integer Days, TDateTime Date, TDateTime Delta)
{
    if (Days != 0 && Years == 0 && Months == 0)
        return Date + Days;
    const bool OnlyYears = Years != 0 && Months == 0 && Days == 0;
    const bool OnlyMonths = Months != 0 && Years == 0 && Days == 0;
    if (!OnlyYears && !OnlyMonths)
        return Date + Delta;
    Word Y, M, D;
    DecodeDate(Date, Y, M, D);
    // Whole years carry, upwards and downwards.
    const Int64 MonthIndex = Int64(Y + Years) * 12 + (M - 1) + Months;
    const Int64 Year = MonthIndex >= 0 ? MonthIndex / 12 : (MonthIndex - 11) / 12;
    if (Year < 1 || Year > 9999)
        throw EConvertError(SDateEncodeError);
    return EncodeDate(Word(Year), Word(MonthIndex - Year * 12 + 1), D);
}

// ---------------------------------------------------------------------------
// URLs

bool HasURLScheme(const String& S)
{
    return S.contains(QLatin1String("://")) || S.contains(QLatin1String("mailto:"));
}

void StripURLScheme(String& S)
{
    if (const qsizetype At = S.indexOf(QLatin1String("://")); At >= 0)
        S.remove(0, At + 3);
    else if (const qsizetype Mail = S.indexOf(QLatin1String("mailto:")); Mail >= 0)
        S.remove(0, Mail + 7);
}

bool ParseRowColRef(const String& S, TPoint& Cell)
{
    const String Ref = AnsiUpperCase(S);
    if (Ref.size() <= 3 || Ref[0] != u'R')
        return false;
    const qsizetype C = Ref.indexOf(QLatin1Char('C'));
    Integer Row = 0, Col = 0;
    if (C < 0 || !TryStrToInt(Ref.mid(1, C - 1), Row) || !TryStrToInt(Ref.mid(C + 1), Col))
        return false;
    Cell = TPoint(Col, Row);
    return true;
}

Integer LinkifyURL(const String& S, const String& Prefix, String& Result)
{
    if (!AnsiUpperCase(S).contains(Prefix))
        return 0;
    const String Text = ReplacedText(ReplacedText(S, QStringLiteral("<"), QStringLiteral("&lt;")), QStringLiteral(">"),
                                 QStringLiteral("&gt;"));
    const qsizetype Start = AnsiUpperCase(Text).indexOf(Prefix);
    qsizetype End = Start;
    while (End < Text.size() && IsUrlChar(Text[End]))
        ++End;
    const String Url = Text.mid(Start, End - Start);
    Result = Text.left(Start) + QStringLiteral("<a href=\"") + Url + QStringLiteral("\">") + Url +
             QStringLiteral("</a>") + Text.mid(End);
    return 1;
}

// ---------------------------------------------------------------------------
// Clipboard and layered windows

void MakeClipboardHTML(String& S)
{
    static const QString DocType = QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">");
    static const QString Opening = QStringLiteral(
        "<html><head><META http-equiv=Content-Type content=\"text/html; charset=iso-8859-1\"></head>"
        "<body><!--StartFragment-->");
    static const QString Closing = QStringLiteral("<!--EndFragment--></body></html>");
    constexpr Integer HeaderLength = 97;
    const Integer FragmentStart = HeaderLength + Integer(DocType.size() + Opening.size());
    const Integer N = Integer(S.size());
    const auto Line = [](const char* Label, Integer Value) {
        return Format(QStringLiteral("%s%.8d"), {Label, Value}) + CellCRLF;
    };
    S = QStringLiteral("Version:1.0") + CellCRLF + Line("StartHTML:", HeaderLength) +
        Line("EndHTML:", FragmentStart + N + Integer(Closing.size())) + Line("StartFragment:", FragmentStart) +
        Line("EndFragment:", FragmentStart + N) + DocType + Opening + S + Closing;
}

bool CallUpdateLayeredWindow(HWND Wnd, TCanvas* DstCanvas, const TPoint* DstPos, const TSize* Size,
                             TCanvas* SrcCanvas, const TPoint* SrcPos, TColor Key,
                             const TBlendFunction* Blend, DWORD Flags)
{
    return UpdateLayeredWindow(Wnd, DstCanvas, DstPos, Size, SrcCanvas, SrcPos, Key, Blend, Flags);
}

bool CallSetLayeredWindowAttributes(HWND Wnd, TColor Key, Byte Alpha, DWORD Flags)
{
    return SetLayeredWindowAttributes(Wnd, Key, Alpha, Flags);
}
