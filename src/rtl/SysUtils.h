#pragma once
// String, number, date and file routines, and the exception classes.
#include "rtl/System.h"

#include <QByteArray>
#include <QStringList>

#include <exception>
#include <initializer_list>
#include <memory>
#include <span>
#include <vector>

// Base of every error the runtime and the system raise. Message() is the
// text shown to the user; what() gives it in UTF-8.
class Exception : public std::exception {
public:
    explicit Exception(const String& Msg);
    const String& Message() const { return FMessage; }
    void SetMessage(const String& Msg);
    const char* what() const noexcept override { return FWhat.constData(); }

private:
    String FMessage;
    QByteArray FWhat;
};

#define RTL_DECLARE_EXCEPTION(Name, Base)                    \
    class Name : public Base {                               \
    public:                                                  \
        using Base::Base;                                    \
    };

RTL_DECLARE_EXCEPTION(EAbort, Exception)
RTL_DECLARE_EXCEPTION(EConvertError, Exception)
RTL_DECLARE_EXCEPTION(EListError, Exception)
RTL_DECLARE_EXCEPTION(EStringListError, EListError)
RTL_DECLARE_EXCEPTION(EArgumentException, Exception)
RTL_DECLARE_EXCEPTION(EArgumentOutOfRangeException, EArgumentException)
RTL_DECLARE_EXCEPTION(EInvalidOperation, Exception)
RTL_DECLARE_EXCEPTION(EInvalidPointer, Exception)
RTL_DECLARE_EXCEPTION(EInvalidCast, Exception)
RTL_DECLARE_EXCEPTION(EInOutError, Exception)
RTL_DECLARE_EXCEPTION(EStreamError, Exception)
RTL_DECLARE_EXCEPTION(EFileStreamError, EStreamError)
RTL_DECLARE_EXCEPTION(EFCreateError, EFileStreamError)
RTL_DECLARE_EXCEPTION(EFOpenError, EFileStreamError)
RTL_DECLARE_EXCEPTION(EReadError, EStreamError)
RTL_DECLARE_EXCEPTION(EWriteError, EStreamError)
RTL_DECLARE_EXCEPTION(EIntOverflow, Exception)
RTL_DECLARE_EXCEPTION(ERangeError, Exception)
RTL_DECLARE_EXCEPTION(EIniFileException, Exception)
RTL_DECLARE_EXCEPTION(EMathError, Exception)
RTL_DECLARE_EXCEPTION(EInvalidOp, EMathError)
RTL_DECLARE_EXCEPTION(EZeroDivide, EMathError)

// The framework's message texts, as patterns for Format.
inline constexpr const char* SInvalidInteger = "'%s' is not a valid integer value";
inline constexpr const char* SInvalidFloat = "'%s' is not a valid floating point value";
inline constexpr const char* SInvalidDate = "'%s' is not a valid date";
inline constexpr const char* SInvalidTime = "'%s' is not a valid time";
inline constexpr const char* SInvalidDateTime = "'%s' is not a valid date and time";
inline constexpr const char* SInvalidFormat = "Format '%s' invalid or incompatible with argument";
inline constexpr const char* SDateEncodeError = "Invalid argument to date encode";
inline constexpr const char* STimeEncodeError = "Invalid argument to time encode";
inline constexpr const char* SInvalidOp = "Invalid floating point operation";
inline constexpr const char* SCannotCreateDir = "Unable to create directory";

// ---------------------------------------------------------------------------
// Format settings

struct TFormatSettings {
    Char DecimalSeparator = u'.';
    Char ThousandSeparator = u',';
    Char DateSeparator = u'/';
    Char TimeSeparator = u':';
    String ShortDateFormat = QStringLiteral("dd/mm/yyyy");
    String LongDateFormat = QStringLiteral("dddd, d mmmm yyyy");
    String ShortTimeFormat = QStringLiteral("hh:nn");
    String LongTimeFormat = QStringLiteral("hh:nn:ss");
    String TimeAMString = QStringLiteral("AM");
    String TimePMString = QStringLiteral("PM");
    String CurrencyString = QStringLiteral("$");
    // 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $"; negative forms 0..15 as the framework numbers them.
    Byte CurrencyFormat = 0;
    Byte NegCurrFormat = 0;
    Byte CurrencyDecimals = 2;
    String ShortMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                  "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    String LongMonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                 "July",    "August",   "September", "October", "November", "December"};
    String ShortDayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    String LongDayNames[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

    // The built-in settings ('.' as decimal separator), independent of the global one.
    static TFormatSettings Create() { return TFormatSettings(); }
};

// The process's settings, used by every routine without an explicit one.
// Starts as TFormatSettings::Create(); the program sets it from the user's choices.
extern TFormatSettings FormatSettings;

// ---------------------------------------------------------------------------
// Format and its argument list

// One argument of Format, typed as the framework's open-array element.
// Unsigned 32-bit values are kept as Int64 so they print unsigned.
struct TVarRec {
    enum TVType { vtInteger, vtBoolean, vtChar, vtExtended, vtString, vtPointer, vtInt64, vtUInt64 };

    TVarRec(int V) : VType(vtInteger), VInteger(V) {}
    TVarRec(unsigned V) : VType(vtInt64), VInt64(V) {}
    TVarRec(long V) : VType(vtInt64), VInt64(V) {}
    TVarRec(long long V) : VType(vtInt64), VInt64(V) {}
    TVarRec(unsigned long V) : VType(vtUInt64), VUInt64(V) {}
    TVarRec(unsigned long long V) : VType(vtUInt64), VUInt64(V) {}
    TVarRec(bool V) : VType(vtBoolean), VBoolean(V) {}
    TVarRec(double V) : VType(vtExtended), VExtended(V) {}
    TVarRec(char V) : VType(vtChar), VChar(QChar::fromLatin1(V)) {}
    TVarRec(QChar V) : VType(vtChar), VChar(V) {}
    TVarRec(const char* V) : VType(vtString), VString(V ? QString::fromUtf8(V) : QString()) {}
    TVarRec(const QString& V) : VType(vtString), VString(V) {}
    TVarRec(const void* V) : VType(vtPointer), VPointer(V) {}
    TVarRec(std::nullptr_t) : VType(vtPointer), VPointer(nullptr) {}

    TVType VType;
    union {
        Integer VInteger;
        bool VBoolean;
        QChar VChar;
        double VExtended;
        const void* VPointer;
        Int64 VInt64;
        UInt64 VUInt64;
    };
    QString VString;
};

// "%" [index ":"] ["-"] [width] ["." prec] type, type one of d u e f g n m p
// s x (either case); index, width and prec may be "*" (taken from the next
// Integer argument); "%%" is a percent sign. A pattern that does not fit its
// arguments, a width or precision above 65535, or a text that would grow
// more than 64 K characters beyond its string arguments raises
// EConvertError (SInvalidFormat); extra arguments are ignored.
String Format(const String& Pattern, std::initializer_list<TVarRec> Args);
String Format(const String& Pattern, std::initializer_list<TVarRec> Args, const TFormatSettings& Settings);
String Format(const String& Pattern, std::span<const TVarRec> Args);
String Format(const String& Pattern, std::span<const TVarRec> Args, const TFormatSettings& Settings);
// False (Result untouched) where Format would raise.
bool TryFormat(const String& Pattern, std::initializer_list<TVarRec> Args, String& Result);
bool TryFormat(const String& Pattern, std::span<const TVarRec> Args, String& Result);
bool TryFormat(const String& Pattern, std::span<const TVarRec> Args, String& Result,
               const TFormatSettings& Settings);

// ---------------------------------------------------------------------------
// Integers

String IntToStr(Integer Value);
String IntToStr(Cardinal Value);
String IntToStr(Int64 Value);
String IntToStr(UInt64 Value);
String IntToStr(long long Value);
String IntToStr(unsigned long long Value);
// Upper-case digits, at least Digits of them; negative values in two's complement.
String IntToHex(Integer Value, Integer Digits);
String IntToHex(Cardinal Value, Integer Digits);
String IntToHex(Int64 Value, Integer Digits);
String IntToHex(UInt64 Value, Integer Digits);
String IntToHex(long long Value, Integer Digits);
String IntToHex(unsigned long long Value, Integer Digits);

// Leading blanks, one sign, decimal digits or hex after "$", "0x", "0X", "x",
// "X"; nothing may follow the digits. Hex may use the whole unsigned range
// ("$FFFFFFFF" is -1); decimal out of range is an error.
Integer StrToInt(const String& S);
Integer StrToIntDef(const String& S, Integer Default);
bool TryStrToInt(const String& S, Integer& Value);
Int64 StrToInt64(const String& S);
Int64 StrToInt64Def(const String& S, Int64 Default);
bool TryStrToInt64(const String& S, Int64& Value);

// Windows' MulDiv: a * b / c with a 64-bit product, rounded to nearest
// (halves away from zero); -1 when c is 0 or the result overflows.
Integer MulDiv(Integer Number, Integer Numerator, Integer Denominator);

template <typename T> constexpr T Min(T A, T B) { return B < A ? B : A; }
template <typename T> constexpr T Max(T A, T B) { return A < B ? B : A; }

// ---------------------------------------------------------------------------
// Floating point

enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

// Blanks around the number, one sign, digits with the settings' decimal
// separator, optional exponent ("E"/"e", sign, digits). No thousand separators.
double StrToFloat(const String& S);
double StrToFloat(const String& S, const TFormatSettings& Settings);
double StrToFloatDef(const String& S, double Default);
double StrToFloatDef(const String& S, double Default, const TFormatSettings& Settings);
bool TryStrToFloat(const String& S, double& Value);
bool TryStrToFloat(const String& S, double& Value, const TFormatSettings& Settings);

// Shortest form with up to 15 significant digits.
String FloatToStr(double Value);
String FloatToStr(double Value, const TFormatSettings& Settings);
String FloatToStrF(double Value, TFloatFormat Format, Integer Precision, Integer Digits);
String FloatToStrF(double Value, TFloatFormat Format, Integer Precision, Integer Digits,
                   const TFormatSettings& Settings);
// Patterns of "0", "#", ".", ",", "E+"/"E-", quoted literals, and up to three
// sections separated by ";" (positive; negative; zero).
String FormatFloat(const String& Pattern, double Value);
String FormatFloat(const String& Pattern, double Value, const TFormatSettings& Settings);

// ---------------------------------------------------------------------------
// Strings

// Strip every character up to and including the blank.
String Trim(const String& S);
String TrimLeft(const String& S);
String TrimRight(const String& S);
// ASCII letters only.
String UpperCase(const String& S);
String LowerCase(const String& S);
// All letters.
String AnsiUpperCase(const String& S);
String AnsiLowerCase(const String& S);
// ASCII case-insensitive; < 0, 0 or > 0.
Integer CompareText(const String& S1, const String& S2);
bool SameText(const String& S1, const String& S2);
// Ordinal.
Integer CompareStr(const String& S1, const String& S2);
// By the runtime's fixed collation (lower case before upper case, accents
// after plain letters, the same on every machine); the Text forms ignore
// case in all letters. Only equal strings (without case: equal but for
// case) compare as 0.
Integer AnsiCompareText(const String& S1, const String& S2);
Integer AnsiCompareStr(const String& S1, const String& S2);
bool AnsiSameText(const String& S1, const String& S2);

String QuotedStr(const String& S);
String AnsiQuotedStr(const String& S, Char Quote);
// S without its quotes (doubled quotes inside become one); S itself when it
// is not quoted.
String AnsiDequotedStr(const String& S, Char Quote);

enum TReplaceFlag { rfReplaceAll = 1, rfIgnoreCase = 2 };
// The set [rfReplaceAll, rfIgnoreCase] is written {rfReplaceAll, rfIgnoreCase}.
class TReplaceFlags {
public:
    TReplaceFlags() = default;
    TReplaceFlags(std::initializer_list<TReplaceFlag> Flags)
    {
        for (TReplaceFlag F : Flags)
            FBits |= F;
    }
    bool Contains(TReplaceFlag F) const { return (FBits & F) != 0; }

private:
    unsigned FBits = 0;
};
String StringReplace(const String& S, const String& OldPattern, const String& NewPattern,
                     TReplaceFlags Flags);

String StringOfChar(Char Ch, Integer Count);
// Any Unicode decimal digit, not only '0'..'9'.
bool IsDigit(Char Ch);
// Whether S[Index] (1-based) is one of Delimiters; false when out of range.
bool IsDelimiter(const String& Delimiters, const String& S, Integer Index);
// 1-based index of the last character of S that is in Delimiters, else 0.
Integer LastDelimiter(const String& Delimiters, const String& S);

// ---------------------------------------------------------------------------
// Dates and times

inline constexpr Integer HoursPerDay = 24;
inline constexpr Integer MinsPerDay = 24 * 60;
inline constexpr Integer SecsPerDay = 24 * 60 * 60;
inline constexpr Integer MSecsPerDay = SecsPerDay * 1000;

bool IsLeapYear(Word Year);
bool TryEncodeDate(Word Year, Word Month, Word Day, TDateTime& Date);
// EConvertError (SDateEncodeError) on an invalid date.
TDateTime EncodeDate(Word Year, Word Month, Word Day);
void DecodeDate(TDateTime Date, Word& Year, Word& Month, Word& Day);
bool TryEncodeTime(Word Hour, Word Min, Word Sec, Word MSec, TDateTime& Time);
// EConvertError (STimeEncodeError) on an invalid time.
TDateTime EncodeTime(Word Hour, Word Min, Word Sec, Word MSec);
void DecodeTime(TDateTime Time, Word& Hour, Word& Min, Word& Sec, Word& MSec);
// 1 = Sunday .. 7 = Saturday.
Word DayOfWeek(TDateTime Date);
// Local time.
TDateTime Now();
TDateTime Date();

// Pattern letters: c d dd ddd dddd ddddd dddddd m mm mmm mmmm yy yyyy h hh n
// nn s ss z zzz t tt am/pm a/p ampm, "/" and ":" from the settings, text in
// single or double quotes as is. "m" after "h" is minutes.
String FormatDateTime(const String& Pattern, TDateTime DateTime);
String FormatDateTime(const String& Pattern, TDateTime DateTime, const TFormatSettings& Settings);
String DateToStr(TDateTime Date);
String TimeToStr(TDateTime Time);
String DateTimeToStr(TDateTime DateTime);

// Reading dates: two or three numbers split by the date separator, in the
// order of ShortDateFormat (day, month and year as they first occur in it;
// month first when it names none); without a year the current one; a year
// of one or two digits lies within 50 years of the current one. Blanks
// around the numbers are skipped; anything else fails.
bool TryStrToDate(const String& S, TDateTime& Value);
bool TryStrToDate(const String& S, TDateTime& Value, const TFormatSettings& Settings);
// EConvertError "'S' is not a valid date".
TDateTime StrToDate(const String& S);
// Reading times: [AM/PM] hour [: minute [: second [. milliseconds]]] [AM/PM],
// with the time separator, the decimal separator and the settings' or the
// English AM/PM texts; 12-hour hours with AM/PM.
bool TryStrToTime(const String& S, TDateTime& Value);
bool TryStrToTime(const String& S, TDateTime& Value, const TFormatSettings& Settings);
// EConvertError "'S' is not a valid time".
TDateTime StrToTime(const String& S);
// Reading date-times: a date as TryStrToDate reads it, optionally followed
// by blanks and a time as TryStrToTime reads it; a text without the date
// separator is read as a time alone.
bool TryStrToDateTime(const String& S, TDateTime& Value);
bool TryStrToDateTime(const String& S, TDateTime& Value, const TFormatSettings& Settings);
// EConvertError "'S' is not a valid date and time".
TDateTime StrToDateTime(const String& S);
// The same day NumberOfMonths calendar months on (or back), clipped to the
// length of that month; the time of day is kept.
TDateTime IncMonth(TDateTime Date, Integer NumberOfMonths = 1);

// The platform's date-time record.
struct TSystemTime {
    Word wYear = 0;
    Word wMonth = 0;
    Word wDayOfWeek = 0; // 0 = Sunday
    Word wDay = 0;
    Word wHour = 0;
    Word wMinute = 0;
    Word wSecond = 0;
    Word wMilliseconds = 0;
};
void DateTimeToSystemTime(TDateTime DateTime, TSystemTime& SystemTime);
// EConvertError for a record that is no date or time.
TDateTime SystemTimeToDateTime(const TSystemTime& SystemTime);

// ---------------------------------------------------------------------------
// Files. Names are split at '/' and '\' alike; paths that are built use '/'.

inline constexpr QChar PathDelim = u'/';
// The characters that split a file name.
inline constexpr const char* PathDelimiters = "/\\";

bool FileExists(const String& FileName);
bool DirectoryExists(const String& Directory);
bool CreateDir(const String& Dir);
// Creates every missing folder of the path; EInOutError for an empty name.
bool ForceDirectories(const String& Dir);
bool RemoveDir(const String& Dir);
// Replaces an existing target unless FailIfExists, through WriteFileAtomically
// from ReadFileBytes; false, with the old target as it was, on any failure.
bool CopyFile(const String& ExistingFileName, const String& NewFileName, bool FailIfExists);
bool DeleteFile(const String& FileName);
// Fails when NewName exists.
bool RenameFile(const String& OldName, const String& NewName);

// Whole files. The reader takes regular files only (a folder, device, FIFO
// or socket is refused, so a stored name can neither hang nor flood it) of
// at most MaxFileReadSize bytes; EFOpenError or EReadError name the file and
// the reason.
inline constexpr Int64 MaxFileReadSize = Int64(64) << 20;
QByteArray ReadFileBytes(const String& FileName);
// The one way a file is replaced: Bytes go to "<name>.~<random>" beside the
// file, which is synced and renamed over it; then the folder is synced.
// Leftovers "<name>.~*" of an interrupted earlier save are removed first. On
// any failure the old file is as it was and nothing is left behind;
// EFCreateError names the file and the reason. An existing
// file keeps its permissions; one the user may not write is refused. A
// symbolic link is written through; with a Fence folder, only when the
// file it leads to lies inside Fence, and the file's folder must lie
// inside Fence too (else nothing is written).
void WriteFileAtomically(const String& FileName, QByteArrayView Bytes, const String& Fence = String());
// ReadFileBytes of Source, WriteFileAtomically to Target; raises as they do.
void CopyFileAtomically(const String& Source, const String& Target, const String& Fence = String());
// fsync of a folder, so the renames in it last; EWriteError on failure.
void SyncFolder(const String& Dir);
// The temporary names of a save of FileName: "<FileName>.~" and random
// letters and digits; IsTemporaryFileName tells such a leftover (Entry) of
// the name Name, both without folder.
String TemporaryFileName(const String& FileName);
bool IsTemporaryFileName(const String& Entry, const String& Name);

// The folder part with its trailing delimiter.
String ExtractFilePath(const String& FileName);
// The folder part without its trailing delimiter (kept for a root).
String ExtractFileDir(const String& FileName);
String ExtractFileName(const String& FileName);
// The extension with its dot; empty when there is none.
String ExtractFileExt(const String& FileName);
String ChangeFileExt(const String& FileName, const String& Extension);
String IncludeTrailingPathDelimiter(const String& S);
String ExcludeTrailingPathDelimiter(const String& S);
// Absolute, with "." and ".." resolved; the file need not exist.
String ExpandFileName(const String& FileName);

inline constexpr Integer faReadOnly = 0x01;
inline constexpr Integer faHidden = 0x02;
inline constexpr Integer faSysFile = 0x04;
inline constexpr Integer faVolumeID = 0x08;
inline constexpr Integer faDirectory = 0x10;
inline constexpr Integer faArchive = 0x20;
inline constexpr Integer faNormal = 0x80;
inline constexpr Integer faSymLink = 0x400;
inline constexpr Integer faAnyFile = 0x1FF;

struct TSearchRecState;

struct TSearchRec {
    // Packed date and time as the framework's file date.
    Integer Time = 0;
    Int64 Size = 0;
    Integer Attr = 0;
    String Name;
    Integer ExcludeAttr = 0;
    TDateTime TimeStamp = 0;
    std::shared_ptr<TSearchRecState> FindHandle;
};

// Lists the folder of Path whose names match its mask (case-insensitively;
// "*" any run, "?" one character, "*.*" everything) in case-insensitive name
// order. Folders, hidden names (starting with '.') and system entries come
// only when Attr asks for them; "." and ".." never come. 0 when an entry was
// found, else an error code.
Integer FindFirst(const String& Path, Integer Attr, TSearchRec& F);
Integer FindNext(TSearchRec& F);
void FindClose(TSearchRec& F);
// The names FindFirst/FindNext would give for Dir and Mask.
QStringList FindFiles(const String& Dir, const String& Mask, Integer Attr);
// Whether Name matches Mask as FindFirst matches names.
bool MatchesMask(const String& Name, const String& Mask);
// The entry of Dir whose name equals Name ignoring case, as stored (the exact
// name when several differ only in case); empty when there is none.
String FindExistingName(const String& Dir, const String& Name);
// Path with every component looked up by FindExistingName ('/' and '\'
// separate them); Path itself when a component cannot be found.
String FindExistingPath(const String& Path);
