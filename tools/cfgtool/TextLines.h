#pragma once
// Texts of the grid commands: standard input in UTF-8, one text a line,
// with the escapes \\ \r \n \t \xHH \uHHHH; results written the same way.
#include <QStringList>

namespace cfgtool {

QString UnescapeText(const QString& Line);
// Backslash, CR, LF, tab, other control characters and lone surrogates
// escaped; every other character as it is.
QString EscapeText(const QString& Text);
// Standard input split at LF (a CR before it dropped), each line unescaped.
QStringList EscapedInputLines();
// The one-character value of the option at Args[I] into Target; I moves to
// the value. False when there is no value of one character.
bool TakeCharOption(const QStringList& Args, qsizetype& I, QChar& Target);

} // namespace cfgtool
