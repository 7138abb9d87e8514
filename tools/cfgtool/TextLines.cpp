#include "TextLines.h"

#include <QFile>

namespace cfgtool {

namespace {

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

} // namespace

QString UnescapeText(const QString& Line)
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

QString EscapeText(const QString& Text)
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
QStringList EscapedInputLines()
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
        Texts.append(UnescapeText(QString::fromUtf8(Line)));
    }
    return Texts;
}

bool TakeCharOption(const QStringList& Args, qsizetype& I, QChar& Target)
{
    if (I + 1 >= Args.size() || Args[I + 1].size() != 1)
        return false;
    Target = Args[++I][0];
    return true;
}

} // namespace cfgtool
