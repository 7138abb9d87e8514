// cfgtool grid-filter EXPRESSION [--case] [--thousand C] [--decimal C]
// [--date-format F] [--date-sep C] [--time-sep C]: prints 1 for every line
// of standard input that passes the filter expression, 0 for the others.
// Values and the expression take the escapes of grid-text.
#include "Command.h"
#include "TextLines.h"

#include "grid/base/ExUtil.h"

#include <cstdio>

namespace {

int RefuseFilter(const QString& Why)
{
    cfgtool::Err(QStringLiteral("grid-filter: ") + Why);
    cfgtool::Err(QStringLiteral("usage: cfgtool grid-filter EXPRESSION [--case] [--thousand C] [--decimal C] "
                                "[--date-format F] [--date-sep C] [--time-sep C]"));
    return 2;
}

// The separator options and the FormatSettings field each one sets.
QChar* SeparatorOption(const QString& Name)
{
    if (Name == QLatin1String("--thousand"))
        return &FormatSettings.ThousandSeparator;
    if (Name == QLatin1String("--decimal"))
        return &FormatSettings.DecimalSeparator;
    if (Name == QLatin1String("--date-sep"))
        return &FormatSettings.DateSeparator;
    if (Name == QLatin1String("--time-sep"))
        return &FormatSettings.TimeSeparator;
    return nullptr;
}

int GridFilter(const QStringList& Args)
{
    FormatSettings = TFormatSettings::Create();
    bool CaseSensitive = false;
    QStringList Expressions;
    for (qsizetype I = 0; I < Args.size(); ++I) {
        const QString& A = Args[I];
        if (A == QLatin1String("--case")) {
            CaseSensitive = true;
        } else if (QChar* Separator = SeparatorOption(A)) {
            if (!cfgtool::TakeCharOption(Args, I, *Separator))
                return RefuseFilter(A + QStringLiteral(" needs one character"));
        } else if (A == QLatin1String("--date-format")) {
            if (I + 1 >= Args.size() || Args[I + 1].isEmpty())
                return RefuseFilter(A + QStringLiteral(" needs a format"));
            FormatSettings.ShortDateFormat = Args[++I];
        } else if (A.startsWith(QLatin1String("--"))) {
            return RefuseFilter(QStringLiteral("unknown option: ") + A);
        } else {
            Expressions.append(A);
        }
    }
    if (Expressions.size() != 1)
        return RefuseFilter(QStringLiteral("one expression, please"));
    const QString Expression = cfgtool::UnescapeText(Expressions.front());
    for (const QString& Value : cfgtool::EscapedInputLines())
        cfgtool::Out(MatchFilterExpr(Expression, Value, CaseSensitive) ? QStringLiteral("1") : QStringLiteral("0"));
    std::fflush(stdout);
    return 0;
}

const cfgtool::CfgCommand gridFilterCommand("grid-filter", GridFilter);

} // namespace
