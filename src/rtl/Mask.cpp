#include "rtl/Mask.h"

#include <QLineEdit>

namespace {

struct TMaskParts {
    String Mask;
    bool SaveLiterals = true;
    QChar Blank = QLatin1Char('_');
};

TMaskParts SplitMask(const String& EditMask)
{
    TMaskParts P;
    // The last two ";"-fields are the flags, unless escaped in the mask.
    QStringList Fields;
    String Current;
    for (qsizetype I = 0; I < EditMask.size(); ++I) {
        const QChar C = EditMask.at(I);
        if (C == QLatin1Char('\\') && I + 1 < EditMask.size()) {
            Current += C;
            Current += EditMask.at(++I);
        } else if (C == QLatin1Char(';')) {
            Fields << Current;
            Current.clear();
        } else {
            Current += C;
        }
    }
    Fields << Current;
    P.Mask = Fields.value(0);
    if (Fields.size() > 1 && !Fields[1].isEmpty())
        P.SaveLiterals = Fields[1] != QLatin1String("0");
    if (Fields.size() > 2 && !Fields[2].isEmpty())
        P.Blank = Fields[2].at(0);
    return P;
}

bool IsMaskChar(QChar C)
{
    return QStringLiteral("LlAaCc09#").contains(C);
}

} // namespace

String MaskToInputMask(const String& EditMask)
{
    if (EditMask.isEmpty())
        return String();
    const TMaskParts P = SplitMask(EditMask);
    String Out;
    for (qsizetype I = 0; I < P.Mask.size(); ++I) {
        const QChar C = P.Mask.at(I);
        switch (C.unicode()) {
        case 'L': Out += QLatin1Char('A'); break; // letter required
        case 'l': Out += QLatin1Char('a'); break; // letter optional
        case 'A': Out += QLatin1Char('N'); break; // letter or digit required
        case 'a': Out += QLatin1Char('n'); break;
        case 'C': Out += QLatin1Char('X'); break; // any character required
        case 'c': Out += QLatin1Char('x'); break;
        case '0': Out += QLatin1Char('9'); break; // digit required
        case '9': Out += QLatin1Char('0'); break; // digit optional
        case '#': Out += QLatin1Char('#'); break; // digit or sign optional
        case '>': Out += QLatin1Char('>'); break;
        case '<':
            if (I + 1 < P.Mask.size() && P.Mask.at(I + 1) == QLatin1Char('>')) {
                Out += QLatin1Char('!');
                ++I;
            } else {
                Out += QLatin1Char('<');
            }
            break;
        case '!': break; // leading blanks: no counterpart, blanks are kept as typed
        case '\\':
            if (I + 1 < P.Mask.size()) {
                Out += QLatin1Char('\\');
                Out += P.Mask.at(++I);
            }
            break;
        default:
            // Literals; Qt's own mask characters need escaping.
            if (QStringLiteral("AaNnXx9D0dHhBb#><!\\").contains(C) && !IsMaskChar(C))
                Out += QLatin1Char('\\');
            Out += C;
            break;
        }
    }
    Out += QLatin1Char(';');
    Out += P.Blank;
    return Out;
}

TCustomMaskEdit::TCustomMaskEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}

void TCustomMaskEdit::SetEditMask(const String& Value)
{
    FEditMask = Value;
    FSaveLiterals = Value.isEmpty() || SplitMask(Value).SaveLiterals;
    // A mask needs the single-line edit.
    if (!Value.isEmpty())
        SetMultiLine(false);
    if (LineEdit())
        LineEdit()->setInputMask(MaskToInputMask(Value));
}

String TCustomMaskEdit::EditText() const
{
    return LineEdit() ? LineEdit()->displayText() : TCustomEdit::GetText();
}

void TCustomMaskEdit::SetEditText(const String& Value)
{
    if (LineEdit())
        LineEdit()->setText(Value);
    else
        SetText(Value);
}

String TCustomMaskEdit::GetText() const
{
    if (FEditMask.isEmpty() || !LineEdit())
        return TCustomEdit::GetText();
    const String T = LineEdit()->text();
    if (FSaveLiterals)
        return T;
    // Only what was typed into the mask positions.
    const TMaskParts P = SplitMask(FEditMask);
    String Out;
    qsizetype Pos = 0;
    for (qsizetype I = 0; I < P.Mask.size() && Pos < T.size(); ++I) {
        QChar C = P.Mask.at(I);
        if (C == QLatin1Char('>') || C == QLatin1Char('<') || C == QLatin1Char('!'))
            continue;
        if (C == QLatin1Char('\\')) {
            ++I;
            ++Pos;
            continue;
        }
        if (IsMaskChar(C)) {
            if (T.at(Pos) != QLatin1Char(' '))
                Out += T.at(Pos);
        }
        ++Pos;
    }
    return Out;
}
