// cfgtool grid-text FUNCTION [ARG...] [--html] [--multi] [--accents] [--case]
// [--thousand C] [--decimal C]: applies one of the grid's text routines to
// every line of standard input (UTF-8, escapes \\ \r \n \t \xHH \uHHHH; the
// arguments take them too) and prints one escaped result a line.
#include "Command.h"

#include "grid/base/EsgHTMLE.h"
#include "grid/base/ExUtil.h"

#include <QFile>

#include <algorithm>
#include <cstdio>

namespace {

struct GridTextFlags {
    bool Html = false;
    bool Multi = false;
    bool Accents = false;
    bool CaseSensitive = false;
};

using GridTextFn = std::function<QString(QString Text, const QStringList& Args, const GridTextFlags& Flags)>;

struct GridTextFunction {
    const char* Name;
    int ArgCount;
    GridTextFn Apply;
};

// Adapters from the routines' own signatures to one text in, one text out.
GridTextFn TextResult(String (*Routine)(const String&))
{
    return [Routine](QString T, const QStringList&, const GridTextFlags&) { return Routine(T); };
}

template <typename N>
GridTextFn NumberResult(N (*Routine)(const String&))
{
    return [Routine](QString T, const QStringList&, const GridTextFlags&) {
        return QString::number(static_cast<long long>(Routine(T)));
    };
}

GridTextFn InPlace(void (*Routine)(String&))
{
    return [Routine](QString T, const QStringList&, const GridTextFlags&) {
        Routine(T);
        return T;
    };
}

const GridTextFunction GridTextFunctions[] = {
    {"kind", 0,
     [](QString T, const QStringList&, const GridTextFlags& F) { return QString::number(GetCellTextKind(T, F.Html)); }},
    {"number-kind", 0, NumberResult(GetNumberKind)},
    {"plain-number", 0, TextResult(PlainNumberText)},
    {"to-wide", 0, TextResult(WideToCellText)},
    {"from-wide", 0, TextResult(CellTextToWide)},
    {"encode-breaks", 0, TextResult(EncodeCellLineBreaks)},
    {"decode-breaks", 0,
     [](QString T, const QStringList&, const GridTextFlags& F) { return DecodeCellLineBreaks(T, F.Multi); }},
    {"quote-multiline", 0, InPlace(QuoteMultiLine)},
    {"clipboard-html", 0, InPlace(MakeClipboardHTML)},
    {"dmy-date", 0, NumberResult(DMYToDate)},
    {"mdy-date", 0, NumberResult(MDYToDate)},
    {"strip", 0, TextResult(StripHTMLTags)},
    {"plain", 0, TextResult(HTMLPlainText)},
    {"escape", 0, [](QString T, const QStringList&, const GridTextFlags& F) { return EscapeHTML(T, F.Accents); }},
    {"unescape", 0,
     [](QString T, const QStringList&, const GridTextFlags& F) { return UnescapeHTML(T, F.Accents); }},
    {"mark", 2,
     [](QString T, const QStringList& A, const GridTextFlags& F) {
         return InsertMarkTags(T, A[0], A[1], F.CaseSensitive);
     }},
    {"unmark", 1, [](QString T, const QStringList& A, const GridTextFlags&) { return RemoveMarkTags(T, A[0]); }},
    {"next-control", 1,
     [](QString T, const QStringList& A, const GridTextFlags&) { return GetNextHTMLControlID(T, A[0]); }},
    {"set-control", 2,
     [](QString T, const QStringList& A, const GridTextFlags&) {
         SetHTMLControlValue(T, A[0], A[1]);
         return T;
     }},
    {"clear-radios", 0, TextResult(ClearHTMLRadioControls)},
};

int HexDigitValue(QChar C)
{
    const char16_t U = C.unicode();
    if (U >= u'0' && U <= u'9')
        return U - u'0';
    if (U >= u'a' && U <= u'f')
        return U - u'a' + 10;
    if (U >= u'A' && U <= u'F')
        return U - u'A' + 10;
    return -1;
}

// The number of Digits hexadecimal digits at From; -1 when they are not.
int HexValue(const QString& S, qsizetype From, int Digits)
{
    if (From + Digits > S.size())
        return -1;
    int Value = 0;
    for (qsizetype I = From; I < From + Digits; ++I) {
        const int Digit = HexDigitValue(S[I]);
        if (Digit < 0)
            return -1;
        Value = Value * 16 + Digit;
    }
    return Value;
}

QString HexEscape(char Kind, char16_t Code, int Digits)
{
    return QStringLiteral("\\") + QLatin1Char(Kind) +
           QString::number(Code, 16).toUpper().rightJustified(Digits, QLatin1Char('0'));
}

QString Unescape(const QString& Line)
{
    QString Text;
    for (qsizetype I = 0; I < Line.size(); ++I) {
        const QChar C = Line[I];
        const QChar Next = I + 1 < Line.size() ? Line[I + 1] : QChar();
        if (C != u'\\' || Next.isNull()) {
            Text += C;
            continue;
        }
        const int Digits = Next == u'x' ? 2 : Next == u'u' ? 4 : 0;
        const int Code = Digits ? HexValue(Line, I + 2, Digits) : -1;
        if (Code >= 0) {
            Text += QChar(char16_t(Code));
            I += 1 + Digits;
        } else if (Next == u'\\' || Next == u'r' || Next == u'n' || Next == u't') {
            Text += Next == u'r' ? QChar(u'\r') : Next == u'n' ? QChar(u'\n') : Next == u't' ? QChar(u'\t') : Next;
            ++I;
        } else {
            Text += C;
        }
    }
    return Text;
}

QString Escape(const QString& Text)
{
    QString Line;
    for (qsizetype I = 0; I < Text.size(); ++I) {
        const QChar C = Text[I];
        const bool Paired = (C.isHighSurrogate() && I + 1 < Text.size() && Text[I + 1].isLowSurrogate()) ||
                            (C.isLowSurrogate() && I > 0 && Text[I - 1].isHighSurrogate());
        if (C == u'\\')
            Line += QLatin1String("\\\\");
        else if (C == u'\r')
            Line += QLatin1String("\\r");
        else if (C == u'\n')
            Line += QLatin1String("\\n");
        else if (C == u'\t')
            Line += QLatin1String("\\t");
        else if (C.unicode() < 0x20)
            Line += HexEscape('x', C.unicode(), 2);
        else if (C.isSurrogate() && !Paired)
            Line += HexEscape('u', C.unicode(), 4);
        else
            Line += C;
    }
    return Line;
}

// Standard input split at LF, a CR before the LF dropped.
QStringList InputLines()
{
    QFile In;
    In.open(stdin, QIODevice::ReadOnly);
    QList<QByteArray> Lines = In.readAll().split('\n');
    if (!Lines.isEmpty() && Lines.back().isEmpty())
        Lines.removeLast();
    QStringList Texts;
    for (QByteArray& Line : Lines) {
        if (Line.endsWith('\r'))
            Line.chop(1);
        Texts.append(Unescape(QString::fromUtf8(Line)));
    }
    return Texts;
}

int Refuse(const QString& Why)
{
    cfgtool::Err(QStringLiteral("grid-text: ") + Why);
    cfgtool::Err(QStringLiteral(
        "usage: cfgtool grid-text FUNCTION [ARG...] [--html] [--multi] [--accents] [--case] [--thousand C] "
        "[--decimal C]"));
    return 2;
}

int GridText(const QStringList& Args)
{
    if (Args.isEmpty())
        return Refuse(QStringLiteral("no function"));
    const auto* Found = std::find_if(std::begin(GridTextFunctions), std::end(GridTextFunctions),
                                     [&](const GridTextFunction& F) { return Args[0] == QLatin1String(F.Name); });
    if (Found == std::end(GridTextFunctions))
        return Refuse(QStringLiteral("unknown function: ") + Args[0]);
    GridTextFlags Flags;
    QStringList FunctionArgs;
    for (qsizetype I = 1; I < Args.size(); ++I) {
        const QString& A = Args[I];
        if (A == QLatin1String("--html")) {
            Flags.Html = true;
        } else if (A == QLatin1String("--multi")) {
            Flags.Multi = true;
        } else if (A == QLatin1String("--accents")) {
            Flags.Accents = true;
        } else if (A == QLatin1String("--case")) {
            Flags.CaseSensitive = true;
        } else if (A == QLatin1String("--thousand") || A == QLatin1String("--decimal")) {
            if (I + 1 >= Args.size() || Args[I + 1].size() != 1)
                return Refuse(A + QStringLiteral(" needs one character"));
            (A == QLatin1String("--thousand") ? FormatSettings.ThousandSeparator : FormatSettings.DecimalSeparator) =
                Args[++I][0];
        } else if (A.startsWith(QLatin1String("--"))) {
            return Refuse(QStringLiteral("unknown option: ") + A);
        } else {
            FunctionArgs.append(Unescape(A));
        }
    }
    if (FunctionArgs.size() != Found->ArgCount)
        return Refuse(QStringLiteral("%1 takes %2 argument(s)").arg(QLatin1String(Found->Name)).arg(Found->ArgCount));
    for (const QString& Text : InputLines())
        cfgtool::Out(Escape(Found->Apply(Text, FunctionArgs, Flags)));
    std::fflush(stdout);
    return 0;
}

const cfgtool::CfgCommand gridTextCommand("grid-text", GridText);

} // namespace
