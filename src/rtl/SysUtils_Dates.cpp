// Dates and times as days since 1899-12-30 with the time as the fraction.
#include "rtl/SysUtils.h"

#include <QDateTime>

#include <algorithm>
#include <cmath>

namespace {

// Days from 1899-12-30 to 1970-01-01.
constexpr Int64 UnixEpochDay = 25569;

// Days since 1970-01-01 of a proleptic Gregorian date.
Int64 DaysFromCivil(Int64 Y, unsigned M, unsigned D)
{
    Y -= M <= 2;
    const Int64 Era = (Y >= 0 ? Y : Y - 399) / 400;
    const unsigned YearOfEra = unsigned(Y - Era * 400);
    const unsigned DayOfYear = (153 * (M + (M > 2 ? -3 : 9)) + 2) / 5 + D - 1;
    const unsigned DayOfEra = YearOfEra * 365 + YearOfEra / 4 - YearOfEra / 100 + DayOfYear;
    return Era * 146097 + Int64(DayOfEra) - 719468;
}

void CivilFromDays(Int64 Z, Int64& Y, unsigned& M, unsigned& D)
{
    Z += 719468;
    const Int64 Era = (Z >= 0 ? Z : Z - 146096) / 146097;
    const unsigned DayOfEra = unsigned(Z - Era * 146097);
    const unsigned YearOfEra = (DayOfEra - DayOfEra / 1460 + DayOfEra / 36524 - DayOfEra / 146096) / 365;
    Y = Int64(YearOfEra) + Era * 400;
    const unsigned DayOfYear = DayOfEra - (365 * YearOfEra + YearOfEra / 4 - YearOfEra / 100);
    const unsigned MP = (5 * DayOfYear + 2) / 153;
    D = DayOfYear - (153 * MP + 2) / 5 + 1;
    M = MP < 10 ? MP + 3 : MP - 9;
    Y += M <= 2;
}

Word DaysInMonth(Word Year, Word Month)
{
    static const Word Days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return Month == 2 && IsLeapYear(Year) ? 29 : Days[Month - 1];
}

// The day number (since 1899-12-30) and the milliseconds into that day;
// false for values outside the years 1..9999.
bool SplitDateTime(TDateTime DT, Int64& Day, Int64& MSec)
{
    if (!(DT > -693594.0 && DT < 2958466.0))
        return false;
    Day = static_cast<Int64>(std::trunc(DT));
    MSec = static_cast<Int64>(std::llround(std::fabs(DT - std::trunc(DT)) * MSecsPerDay));
    if (MSec >= MSecsPerDay) {
        MSec -= MSecsPerDay;
        ++Day;
    }
    return true;
}

} // namespace

bool IsLeapYear(Word Year) { return Year % 4 == 0 && (Year % 100 != 0 || Year % 400 == 0); }

bool TryEncodeDate(Word Year, Word Month, Word Day, TDateTime& Date)
{
    if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 || Day > DaysInMonth(Year, Month))
        return false;
    Date = static_cast<TDateTime>(DaysFromCivil(Year, Month, Day) + UnixEpochDay);
    return true;
}

TDateTime EncodeDate(Word Year, Word Month, Word Day)
{
    TDateTime D;
    if (!TryEncodeDate(Year, Month, Day, D))
        throw EConvertError(SDateEncodeError);
    return D;
}

void DecodeDate(TDateTime Date, Word& Year, Word& Month, Word& Day)
{
    Int64 D, MSec;
    if (!SplitDateTime(Date, D, MSec)) {
        Year = Month = Day = 0;
        return;
    }
    Int64 Y;
    unsigned M, Dd;
    CivilFromDays(D - UnixEpochDay, Y, M, Dd);
    Year = Word(Y);
    Month = Word(M);
    Day = Word(Dd);
}

bool TryEncodeTime(Word Hour, Word Min, Word Sec, Word MSec, TDateTime& Time)
{
    if (Hour >= 24 || Min >= 60 || Sec >= 60 || MSec >= 1000)
        return false;
    Time = (Hour * 3600000.0 + Min * 60000.0 + Sec * 1000.0 + MSec) / MSecsPerDay;
    return true;
}

TDateTime EncodeTime(Word Hour, Word Min, Word Sec, Word MSec)
{
    TDateTime T;
    if (!TryEncodeTime(Hour, Min, Sec, MSec, T))
        throw EConvertError(STimeEncodeError);
    return T;
}

void DecodeTime(TDateTime Time, Word& Hour, Word& Min, Word& Sec, Word& MSec)
{
    Int64 D, Ms;
    if (!SplitDateTime(Time, D, Ms))
        Ms = 0;
    Hour = Word(Ms / 3600000);
    Min = Word(Ms / 60000 % 60);
    Sec = Word(Ms / 1000 % 60);
    MSec = Word(Ms % 1000);
}

Word DayOfWeek(TDateTime Date)
{
    Int64 D, Ms;
    if (!SplitDateTime(Date, D, Ms))
        return 0;
    // Day 0, 1899-12-30, was a Saturday.
    return Word(((D % 7) + 7 + 6) % 7 + 1);
}

TDateTime Now()
{
    const QDateTime Current = QDateTime::currentDateTime();
    const QDate D = Current.date();
    const QTime T = Current.time();
    return EncodeDate(Word(D.year()), Word(D.month()), Word(D.day())) + T.msecsSinceStartOfDay() / double(MSecsPerDay);
}

TDateTime Date() { return std::trunc(Now()); }

// ---------------------------------------------------------------------------

namespace {

class TDateTimeWriter {
public:
    TDateTimeWriter(TDateTime DT, const TFormatSettings& FS) : FS(FS)
    {
        DecodeDate(DT, Year, Month, Day);
        DecodeTime(DT, Hour, Min, Sec, MSec);
        WeekDay = DayOfWeek(DT);
    }

    String Result;

    void Write(const String& P, int Depth)
    {
        // Nested standard formats may name each other; stop the chain early.
        if (Depth > 2)
            return;
        QChar LastToken;
        qsizetype I = 0;
        while (I < P.size()) {
            const QChar Starter = P[I];
            QChar Token = Starter.toUpper();
            if (Token >= u'A' && Token <= u'Z') {
                if (Token == u'M' && LastToken == u'H')
                    Token = u'N';
                LastToken = Token;
            }
            qsizetype Count = 1;
            auto TakeCount = [&] {
                while (I + Count < P.size() && P[I + Count] == Starter)
                    ++Count;
            };
            switch (Token.unicode()) {
            case u'Y':
                TakeCount();
                if (Count <= 2)
                    Number(Year % 100, 2);
                else
                    Number(Year, 4);
                break;
            case u'M':
                TakeCount();
                if (Count <= 2)
                    Number(Month, int(Count));
                else
                    Result += Month >= 1 ? (Count == 3 ? FS.ShortMonthNames : FS.LongMonthNames)[Month - 1] : String();
                break;
            case u'D':
                TakeCount();
                if (Count <= 2)
                    Number(Day, int(Count));
                else if (Count <= 4)
                    Result += WeekDay >= 1 ? (Count == 3 ? FS.ShortDayNames : FS.LongDayNames)[WeekDay - 1] : String();
                else
                    Write(Count == 5 ? FS.ShortDateFormat : FS.LongDateFormat, Depth + 1);
                break;
            case u'H': {
                TakeCount();
                int H = Hour;
                if (TwelveHourClockAhead(P, I + Count))
                    H = H == 0 ? 12 : (H > 12 ? H - 12 : H);
                Number(H, int(std::min<qsizetype>(Count, 2)));
                break;
            }
            case u'N':
                TakeCount();
                Number(Min, int(std::min<qsizetype>(Count, 2)));
                break;
            case u'S':
                TakeCount();
                Number(Sec, int(std::min<qsizetype>(Count, 2)));
                break;
            case u'Z':
                TakeCount();
                Number(MSec, int(std::min<qsizetype>(Count, 3)));
                break;
            case u'T':
                TakeCount();
                Write(Count == 1 ? FS.ShortTimeFormat : FS.LongTimeFormat, Depth + 1);
                break;
            case u'C':
                TakeCount();
                Write(FS.ShortDateFormat, Depth + 1);
                if (Hour || Min || Sec || MSec) {
                    Result += u' ';
                    Write(FS.LongTimeFormat, Depth + 1);
                }
                break;
            case u'A':
                Count = AmPm(P, I);
                break;
            case u'/':
                Result += FS.DateSeparator;
                break;
            case u':':
                Result += FS.TimeSeparator;
                break;
            case u'\'':
            case u'"': {
                const qsizetype Close = P.indexOf(Starter, I + 1);
                const qsizetype End = Close < 0 ? P.size() : Close;
                Result += QStringView(P).mid(I + 1, End - I - 1);
                Count = End - I + 1;
                break;
            }
            default:
                Result += Starter;
                break;
            }
            I += Count;
        }
    }

private:
    const TFormatSettings& FS;
    Word Year, Month, Day, Hour, Min, Sec, MSec, WeekDay;

    void Number(int Value, int MinDigits)
    {
        String S = QString::number(Value);
        if (MinDigits > S.size())
            S.prepend(String(MinDigits - S.size(), u'0'));
        Result += S;
    }

    static bool StartsWithCI(const String& P, qsizetype I, const char* Text)
    {
        return QStringView(P).mid(I).startsWith(QLatin1String(Text), Qt::CaseInsensitive);
    }

    // An hour is on the 12-hour clock when the next "a" (before another hour)
    // starts an am/pm marker.
    static bool TwelveHourClockAhead(const String& P, qsizetype From)
    {
        bool InQuotes = false;
        for (qsizetype I = From; I < P.size(); ++I) {
            const QChar C = P[I];
            if (C == u'\'' || C == u'"')
                InQuotes = !InQuotes;
            else if (InQuotes)
                continue;
            else if (C == u'h' || C == u'H')
                return false;
            else if (C == u'a' || C == u'A')
                return StartsWithCI(P, I, "am/pm") || StartsWithCI(P, I, "a/p") || StartsWithCI(P, I, "ampm");
        }
        return false;
    }

    // Writes the marker at I and answers its length (1 for a plain "a").
    qsizetype AmPm(const String& P, qsizetype I)
    {
        const bool Pm = Hour >= 12;
        if (StartsWithCI(P, I, "am/pm")) {
            // The marker keeps the case it is written in.
            Result += Pm ? P.mid(I + 3, 2) : P.mid(I, 2);
            return 5;
        }
        if (StartsWithCI(P, I, "a/p")) {
            Result += Pm ? P[I + 2] : P[I];
            return 3;
        }
        if (StartsWithCI(P, I, "ampm")) {
            Result += Pm ? FS.TimePMString : FS.TimeAMString;
            return 4;
        }
        Result += P[I];
        return 1;
    }
};

} // namespace

String FormatDateTime(const String& Pattern, TDateTime DateTime, const TFormatSettings& FS)
{
    TDateTimeWriter W(DateTime, FS);
    W.Write(Pattern.isEmpty() ? QStringLiteral("c") : Pattern, 0);
    return W.Result;
}

String FormatDateTime(const String& Pattern, TDateTime DateTime)
{
    return FormatDateTime(Pattern, DateTime, FormatSettings);
}

String DateToStr(TDateTime Date) { return FormatDateTime(QStringLiteral("ddddd"), Date); }
String TimeToStr(TDateTime Time) { return FormatDateTime(QStringLiteral("tt"), Time); }
String DateTimeToStr(TDateTime DateTime) { return FormatDateTime(QStringLiteral("c"), DateTime); }

// ---------------------------------------------------------------------------
// Reading dates and times

namespace {

// Walks a date or time text as the framework's readers do.
class TDateTimeScanner {
public:
    explicit TDateTimeScanner(const String& S) : Text(S) {}

    void SkipBlanks()
    {
        while (Pos < Text.size() && Text[Pos] == u' ')
            ++Pos;
    }
    // Up to four digits after blanks; Digits tells how many were read.
    bool Number(Word& Value, Integer& Digits)
    {
        SkipBlanks();
        Value = 0;
        Digits = 0;
        while (Pos < Text.size() && Text[Pos] >= u'0' && Text[Pos] <= u'9' && Digits < 4) {
            Value = Word(Value * 10 + (Text[Pos].unicode() - u'0'));
            ++Pos;
            ++Digits;
        }
        return Digits > 0;
    }
    bool Char(QChar C)
    {
        SkipBlanks();
        if (Pos < Text.size() && Text[Pos] == C) {
            ++Pos;
            return true;
        }
        return false;
    }
    bool Keyword(const String& W)
    {
        SkipBlanks();
        if (W.isEmpty() || Text.mid(Pos, W.size()).compare(W, Qt::CaseInsensitive) != 0)
            return false;
        Pos += W.size();
        return true;
    }
    bool AtEnd()
    {
        SkipBlanks();
        return Pos >= Text.size();
    }

private:
    const String& Text;
    qsizetype Pos = 0;
};

enum TDateOrder { doMDY, doDMY, doYMD };

TDateOrder DateOrderOf(const String& ShortDateFormat)
{
    for (const QChar C : ShortDateFormat) {
        switch (C.toUpper().unicode()) {
        case u'D': return doDMY;
        case u'Y': return doYMD;
        case u'M': return doMDY;
        default: break;
        }
    }
    return doMDY;
}

Word CurrentYear()
{
    Word Y, M, D;
    DecodeDate(Date(), Y, M, D);
    return Y;
}

// A year of one or two digits within 50 years of the current one.
Word ExpandYear(Word Year, Integer Digits)
{
    if (Digits > 2)
        return Year;
    const Integer Base = CurrentYear() - 50;
    Integer Y = Year + Base / 100 * 100;
    if (Y < Base)
        Y += 100;
    return Word(Y);
}

// 0 for AM, 12 for PM, -1 when neither stands here.
Integer ScanAmPm(TDateTimeScanner& Scan, const TFormatSettings& FS)
{
    if (Scan.Keyword(FS.TimeAMString) || Scan.Keyword(QStringLiteral("AM")))
        return 0;
    if (Scan.Keyword(FS.TimePMString) || Scan.Keyword(QStringLiteral("PM")))
        return 12;
    return -1;
}

} // namespace

bool TryStrToDate(const String& S, TDateTime& Value, const TFormatSettings& FS)
{
    TDateTimeScanner Scan(S);
    Word N1, N2, N3 = 0;
    Integer L1, L2, L3 = 0;
    if (!Scan.Number(N1, L1) || !Scan.Char(FS.DateSeparator) || !Scan.Number(N2, L2))
        return false;
    const bool HasThird = Scan.Char(FS.DateSeparator);
    if (HasThird && !Scan.Number(N3, L3))
        return false;
    if (!Scan.AtEnd())
        return false;
    const TDateOrder Order = DateOrderOf(FS.ShortDateFormat);
    Word Y, M, D;
    if (!HasThird) {
        Y = CurrentYear();
        M = Order == doDMY ? N2 : N1;
        D = Order == doDMY ? N1 : N2;
    } else {
        switch (Order) {
        case doMDY: M = N1; D = N2; Y = ExpandYear(N3, L3); break;
        case doDMY: D = N1; M = N2; Y = ExpandYear(N3, L3); break;
        default: Y = ExpandYear(N1, L1); M = N2; D = N3; break;
        }
    }
    return TryEncodeDate(Y, M, D, Value);
}

bool TryStrToDate(const String& S, TDateTime& Value)
{
    return TryStrToDate(S, Value, FormatSettings);
}

TDateTime StrToDate(const String& S)
{
    TDateTime D;
    if (!TryStrToDate(S, D))
        throw EConvertError(Format(SInvalidDate, {S}));
    return D;
}

bool TryStrToTime(const String& S, TDateTime& Value, const TFormatSettings& FS)
{
    TDateTimeScanner Scan(S);
    Integer BaseHour = ScanAmPm(Scan, FS);
    Word Hour, Min = 0, Sec = 0, MSec = 0;
    Integer L;
    if (!Scan.Number(Hour, L))
        return false;
    if (Scan.Char(FS.TimeSeparator)) {
        if (!Scan.Number(Min, L))
            return false;
        if (Scan.Char(FS.TimeSeparator)) {
            if (!Scan.Number(Sec, L))
                return false;
            if (Scan.Char(FS.DecimalSeparator) && !Scan.Number(MSec, L))
                return false;
        }
    }
    if (BaseHour < 0)
        BaseHour = ScanAmPm(Scan, FS);
    if (BaseHour >= 0) {
        if (Hour == 0 || Hour > 12)
            return false;
        Hour = Word(Hour % 12 + BaseHour);
    }
    return Scan.AtEnd() && TryEncodeTime(Hour, Min, Sec, MSec, Value);
}

bool TryStrToTime(const String& S, TDateTime& Value)
{
    return TryStrToTime(S, Value, FormatSettings);
}

TDateTime StrToTime(const String& S)
{
    TDateTime T;
    if (!TryStrToTime(S, T))
        throw EConvertError(Format(SInvalidTime, {S}));
    return T;
}

bool TryStrToDateTime(const String& S, TDateTime& Value, const TFormatSettings& FS)
{
    const String Text = S.trimmed();
    if (!Text.contains(FS.DateSeparator))
        return TryStrToTime(Text, Value, FS);
    const qsizetype Blank = Text.indexOf(u' ');
    TDateTime DatePart = 0, TimePart = 0;
    if (Blank < 0)
        return TryStrToDate(Text, Value, FS);
    if (!TryStrToDate(Text.left(Blank), DatePart, FS) || !TryStrToTime(Text.mid(Blank + 1), TimePart, FS))
        return false;
    // Before 30/12/1899 the time of day counts away from zero.
    Value = DatePart < 0 ? DatePart - TimePart : DatePart + TimePart;
    return true;
}

bool TryStrToDateTime(const String& S, TDateTime& Value)
{
    return TryStrToDateTime(S, Value, FormatSettings);
}

TDateTime StrToDateTime(const String& S)
{
    TDateTime DT;
    if (!TryStrToDateTime(S, DT))
        throw EConvertError(Format(SInvalidDateTime, {S}));
    return DT;
}

TDateTime IncMonth(TDateTime Date, Integer NumberOfMonths)
{
    Word Y, M, D;
    DecodeDate(Date, Y, M, D);
    const Int64 Months = Int64(Y) * 12 + (M - 1) + NumberOfMonths;
    const Word NewYear = Word(Months / 12);
    const Word NewMonth = Word(Months % 12 + 1);
    const TDateTime Day = EncodeDate(NewYear, NewMonth, std::min(D, DaysInMonth(NewYear, NewMonth)));
    // The time of day stays as it was (counted forward also before 1899-12-30).
    const double Time = std::fabs(Date - std::trunc(Date));
    return Day >= 0 ? Day + Time : Day - Time;
}

void DateTimeToSystemTime(TDateTime DateTime, TSystemTime& ST)
{
    DecodeDate(DateTime, ST.wYear, ST.wMonth, ST.wDay);
    DecodeTime(DateTime, ST.wHour, ST.wMinute, ST.wSecond, ST.wMilliseconds);
    ST.wDayOfWeek = Word(DayOfWeek(DateTime) - 1);
}

TDateTime SystemTimeToDateTime(const TSystemTime& ST)
{
    const TDateTime Day = EncodeDate(ST.wYear, ST.wMonth, ST.wDay);
    const TDateTime Time = EncodeTime(ST.wHour, ST.wMinute, ST.wSecond, ST.wMilliseconds);
    return Day >= 0 ? Day + Time : Day - Time;
}
