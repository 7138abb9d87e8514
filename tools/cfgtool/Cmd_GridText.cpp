// cfgtool grid-text FUNCTION [ARG...] [--html] [--multi] [--accents] [--case]
// [--thousand C] [--decimal C]: applies one of the grid's text routines to
// every line of standard input (UTF-8, escapes \\ \r \n \t \xHH \uHHHH; the
// arguments take them too) and prints one escaped result a line.
#include "Command.h"
#include "TextLines.h"

#include "grid/base/EsgHTMLE.h"
#include "grid/base/ExUtil.h"

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
            if (!cfgtool::TakeCharOption(Args, I, A == QLatin1String("--thousand") ? FormatSettings.ThousandSeparator
                                                                                  : FormatSettings.DecimalSeparator))
                return Refuse(A + QStringLiteral(" needs one character"));
        } else if (A.startsWith(QLatin1String("--"))) {
            return Refuse(QStringLiteral("unknown option: ") + A);
        } else {
            FunctionArgs.append(cfgtool::UnescapeText(A));
        }
    }
    if (FunctionArgs.size() != Found->ArgCount)
        return Refuse(QStringLiteral("%1 takes %2 argument(s)").arg(QLatin1String(Found->Name)).arg(Found->ArgCount));
    for (const QString& Text : cfgtool::EscapedInputLines())
        cfgtool::Out(cfgtool::EscapeText(Found->Apply(Text, FunctionArgs, Flags)));
    std::fflush(stdout);
    return 0;
}

const cfgtool::CfgCommand gridTextCommand("grid-text", GridText);

} // namespace
